#pragma once
// Texts of the brew journal: the resume dialog, the report button, the brew
// report's captions and the messages around them, per language. Placeholders
// %1, %2 ... are filled in by the screens.
#include <string>

#include "texts/Texte.h"

namespace kw {

struct Journaltexte {
    // --- resume dialog ---
    std::string Fenstertitel;        // window caption
    // %1 beer, %2 started, %3 interrupted, %4 phase, %5 title, %6 kind, %7 target,
    // %8 minutes run, %9 minutes planned
    std::string Angebot_Halten;      // a holding phase was running
    std::string Angebot_Neu;         // a heating-up or cooling phase was running: it restarts
    std::string Angebot_Vor;         // between phases: the next one from its beginning
    std::string Erklaerung;          // what the two buttons do
    std::string Fortsetzen;
    std::string Verwerfen;
    std::string Art_Aufheizen, Art_Halten, Art_Kuehlen;   // kinds as the dialog names them
    std::string Verwerfen_Fehler;    // %1 reason
    std::string Journal_Fehler;      // %1 reason: the run goes on without a journal
    std::string Schreib_Fehler;      // %1 reason: the journal cannot be written now; the run goes on
    // --- brew report ---
    std::string BRAUBERICHT;         // button on the brew protocol
    std::string Bericht_Titel;
    std::string Bier, Datum, Ende_Des_Laufs, Brau_Daten;
    std::string Phasen, Nr, Titel, Art, Soll, Geplant, Start, Ende, Minuten, Tiefste, Hoechste;
    std::string Rufe, Zeit, Ruftext, Stumm_Nach, Quittiert_Nach;
    std::string Eingriffe;           // interventions and alarms
    std::string Verlauf;             // the curve
    std::string Ist, Soll_Akt, Soll_Ende;
    std::string Achse_Zeit, Achse_Temperatur;
    char Dezimalzeichen = ',';       // of the values the report measured (brew data stay as typed)
    std::string Nicht_Beendet;       // end column of a phase cut off
    std::string Kein_Journal;        // no journal in the folder
    std::string Bericht_Fehler;      // %1 reason
    std::string Journal_Waehlen;     // file dialog caption
    std::string SUDJOURNAL;          // button of the curve screen
    // --- brew report: the predicted end made at each phase start against the actual one ---
    std::string Vorhersage;          // section title
    std::string Ende_Vorhergesagt, Programmende_Vorhergesagt, Abweichung;
    std::string Programmende_Wirklich;   // %1 date-time
    std::string Endet_Nie;
    std::string Vorhersage_Erklaerung;
};

const Journaltexte& Journaltexte_Fuer(Sprache sprache);

namespace texte {
// One per language, at the end of each language file.
const Journaltexte& Journal_Deutsch();
const Journaltexte& Journal_Englisch();
const Journaltexte& Journal_Portugiesisch();
const Journaltexte& Journal_Tschechisch();
const Journaltexte& Journal_Polnisch();
} // namespace texte

}  // namespace kw
