#pragma once
// Texts of the kettle model in every language with tables: its settings dialog,
// the main screen's switch "mit Kesselmodell", the PROBELAUF window and the
// messages of the learning after a brew. "%1", "%2" stand for the values put in
// with QString::arg.
#include "texts/Texte.h"

#include <string>

namespace kw {

struct Modelltexte {
    // --- settings dialog ---
    std::string Knopf;               // button on the settings screen
    std::string Titel;
    std::string Leistung;            // "Heizleistung des Elements [W]:"
    std::string Leistung_Hinweis;    // %1 default power
    std::string Uebernehmen;
    std::string Gelernt;             // frame
    std::string Heizrate, Verlust, Totzeit, Abweichung, Sude, Antwortzeit;
    std::string Herkunft_Gelernt;    // %1 brews
    std::string Herkunft_Standard;   // %1 batch size [l]
    std::string Ohne_Wirkung;        // %1 file names
    std::string Zuruecksetzen;
    std::string Frage_Zuruecksetzen;
    std::string Schliessen;
    std::string F_Leistung;          // power out of range
    std::string F_Speichern;         // %1 reason
    std::string F_Lernen;            // %1 reason: learning after a brew failed

    // --- main screen, frame SIMULATION ---
    std::string Sim_Modell;          // check box

    // --- PROBELAUF window ---
    std::string P_Titel;             // %1 beer
    std::string P_Laeuft;
    std::string P_Nr, P_Phase, P_Art, P_Soll, P_Geplant_Start, P_Geplant_Ende, P_Geplant_Min;
    std::string P_Voraus_Start, P_Voraus_Ende, P_Voraus_Min, P_Max, P_Ueber, P_kWh, P_Hinweis;
    std::string P_Aufheizen, P_Halten, P_Kuehlen;
    std::string P_Kopf_Gelernt;      // %1 brews, %2 rate, %3 loss, %4 dead time, %5 RMS, %6 max
    std::string P_Kopf_Standard;     // %1 why, %2 rate, %3 loss, %4 dead time
    std::string P_Kopf_Start;        // %1 start temperature, %2 answer time
    std::string P_Nicht_Verwendet;   // %1 file, %2 why
    std::string P_Kein_Journal, P_Kein_Verwendbares;                 // why the defaults
    std::string P_Grund_Ohne_Wirkung, P_Grund_Simulation, P_Grund_Keine_Messwerte;   // why a journal is not used
    std::string P_Endet_Nie;         // %1 why
    std::string P_Ruf;
    std::string P_Ohne_Wirkung;      // %1 count
    std::string P_Gesamt;            // %1 h:min, %2 kWh, %3 planned h:min
    std::string P_Gesamt_Endlos;     // %1 phase, %2 title
    std::string P_Gesamt_Nicht;      // the program did not run
};

const Modelltexte& Modelltexte_Fuer(Sprache sprache);

} // namespace kw
