#pragma once
// Texts of the MQTT link in every language with tables: the settings dialog,
// the main screen's indicator and the messages. "%1", "%2" stand for the values
// put in with QString::arg.
#include "texts/Texte.h"

#include <string>

namespace kw {

struct Mqtttexte {
    // --- settings dialog ---
    std::string Knopf;               // button on the settings screen
    std::string Titel;
    std::string Ein;                 // check box: MQTT on
    std::string Verbindung;          // frame
    std::string Host, Port;
    std::string Tls;                 // check box
    std::string Ca_Datei, Zertifikat, Schluessel;
    std::string Waehlen;             // "..." file button tooltip
    std::string Anmeldung;           // frame
    std::string Benutzer, Passwort;
    std::string Themen;              // frame
    std::string Praefix, Client_Id;
    std::string Vorgabe;             // placeholder "Vorgabe: %1"
    std::string Befehle;             // check box: remote commands allowed
    std::string Befehle_Hinweis;     // what they may do and what never
    std::string Zustand;             // "Verbindung: %1"
    std::string Ok, Abbrechen;

    // --- connection state (indicator and dialog) ---
    std::string Status_Aus, Status_Verbinde, Status_Verbunden, Status_Getrennt, Status_Abgewiesen;
    std::string Anzeige;             // main screen: "MQTT: %1"
    std::string Fernbefehl;          // main screen: "Fernbefehl %1 um %2 (%3)"

    // --- messages ---
    std::string F_Anmeldung;         // %1 broker, %2 detail
    std::string F_Zertifikat;        // %1 broker, %2 detail
    std::string F_Abgelehnt;         // %1 broker, %2 detail
    std::string F_Host, F_Port, F_Praefix, F_Ca, F_Schluessel;   // invalid settings
    std::string F_Speichern;         // %1 reason
};

const Mqtttexte& Mqtttexte_Fuer(Sprache sprache);

} // namespace kw
