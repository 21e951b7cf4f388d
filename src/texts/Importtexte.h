#pragma once
// Texts of the recipe import (BeerXML, BeerJSON) in every language with tables:
// the IMPORT button, the review dialog, the phases the import writes, and its
// messages and warnings. "%1" .. "%9" stand for the values put in by Einsetzen.
#include "texts/Texte.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace kw {

struct Importtexte {
    // --- captions ---
    std::string Knopf_Import;        // button on PARAMETER
    std::string Dateidialog_Titel;
    std::string Filter_Rezepte;      // "... (*.xml *.json)"
    std::string Pruefung_Titel;      // review dialog
    std::string Datei;               // "Datei: %1"
    std::string Rezeptwahl;          // "Rezept (%1 in der Datei):"
    std::string Phasen;              // frame of the phase list
    std::string Spalte_Nr, Spalte_Art, Spalte_Ziel, Spalte_Minuten, Spalte_Ruf, Spalte_Ruftext,
        Spalte_Titel;
    std::string Braudaten;           // frame of the brew-protocol fields
    std::string Braudaten_Bleiben;   // mash profile only
    std::string Warnungen;           // frame
    std::string Keine_Warnungen;
    std::string Ruehrwerk;           // frame: pulse and pause for all phases
    std::string Abbrechen;
    std::string Nichts_Geaendert;    // appended to every refusal

    // --- what the import writes into the phases ---
    std::string Einmaischen;         // title and call text of phase 1
    std::string Aufheizen_Auf;       // title of an inserted heating-up phase, %1 °C
    std::string Abkuehlen_Auf;       // title of an inserted cooling phase, %1 °C
    std::string Ruf_Dekoktion;       // call text, %1 = Menge_Klammer or empty
    std::string Menge_Klammer;       // " (%1 l)"
    std::string Ruf_Ende;            // call at the end of the last phase

    // --- refusals ---
    std::string F_Lesen;             // %1 file, %2 reason
    std::string F_Zu_Gross;          // %1 file, %2 size MB, %3 limit MB
    std::string F_Kein_Format;
    std::string F_Xml;               // %1 line, %2 column, %3 parser's text
    std::string F_Json;              // %1 offset, %2 parser's text
    std::string F_Entities;
    std::string F_Zu_Viele;          // %1 limit
    std::string F_Kein_Rezept;
    std::string F_Keine_Maische;     // %1 recipe
    std::string F_Temperatur;        // %1 step no., %2 name, %3 reason
    std::string F_Zeit;              // %1 step no., %2 name, %3 reason
    std::string G_Fehlt;             // reason: missing
    std::string G_Einheit;           // reason: %1 unit unknown
    std::string G_Keine_Zahl;        // reason: %1 is no number
    std::string G_Bereich;           // reason: %1 value, %2 low, %3 high, %4 unit
    std::string F_Zu_Viele_Phasen;   // %1 phases, %2 steps
    std::string F_Rezept_Fehlt;      // %1 name, %2 names in the file

    // --- warnings ---
    std::string W_Titel_Gekuerzt;    // %1 phase, %2 name, %3 cut name
    std::string W_Dekoktion;         // %1 step, %2 name, %3 phase, %4 amount text, %5 °C, %6 min
    std::string W_Weggelassen;       // %1 step, %2 name, %3 type, %4 sparge text or empty
    std::string W_Nachguss;          // "; %1 l Nachguss ins Protokoll"
    std::string W_Gerundet_Temp;     // %1 what, %2 read °C, %3 rounded °C
    std::string W_Gerundet_Zeit;     // %1 step, %2 name, %3 read min, %4 rounded min
    std::string W_Endtemperatur;     // %1 step, %2 name, %3 end °C, %4 held °C
    std::string W_Rampen;
    std::string W_Infusion;          // %1 step, %2 name, %3 litres, %4 °C text or empty
    std::string W_Infusion_Temp;     // " (%1 °C)"
    std::string W_Abkuehlen;         // %1 step, %2 name, %3 °C, %4 previous °C, %5 phase
    std::string W_Zutaten;           // %1 count, %2 left out
    std::string W_Hopfen;            // %1 hops left out
    std::string W_Art_Unbekannt;     // %1 step, %2 name, %3 type
    std::string W_Version;           // %1 version
    std::string W_Unbrauchbar;       // %1 field, %2 value
    std::string W_Name_Datei;        // %1 name, %2 name used
    std::string W_Name_Fehlt;        // %1 name used
    std::string W_Notizen;           // %1 limit
    std::string W_Kein_Ruehrwerk;
    std::string W_Nur_Maische;
    std::string W_Einmaischtemperatur;  // %1 °C (no strike temperature in the file)
    std::string W_Kodierung;         // not UTF-8 as it says: read as Windows-1252
    std::string W_Schritt;           // "Schritt %1 „%2“" (names a step in rounding warnings)
    std::string W_Strike;            // "Einmaischtemperatur"
    std::string W_Datei_Da;          // %1 path (command line: an existing file was updated)
};

const Importtexte& Importtexte_Fuer(Sprache sprache);

// Puts the values in for %1, %2, ... (one pass: a value holding "%2" stays as it is).
std::string Einsetzen(const std::string& muster, std::initializer_list<std::string> werte);
std::string Einsetzen(const std::string& muster, const std::vector<std::string>& werte);

}  // namespace kw
