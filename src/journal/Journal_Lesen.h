#pragma once
// Reading a brew journal back: for the resume offer, the brew report and the
// curve screen. A line that is no whole record (a last line cut by a power cut,
// a hand-edited line) is skipped and counted; everything else still reads.

#include <optional>
#include <string>
#include <vector>

#include "aids/BrauDaten.h"
#include "aids/Historie.h"
#include "journal/Journalformat.h"
#include "program/Maischprogramm.h"

namespace kw::journal {

struct Journalinhalt {
    bool gelesen = false;
    std::string fehler;             // why it could not be read
    int uebersprungen = 0;          // lines that were no record
    Maischprogramm programm;        // the last snapshot
    BrauDaten daten;
    std::vector<Zeile> zeilen;      // every record but the snapshot, in file order
    bool beendet = false;           // has an end record
    std::string endeart;            // FERTIG, STOP, BEENDEN, VERWORFEN
    Zeitpunkt beginn{};             // first record
    Zeitpunkt letzte{};             // last record
};

// Reads the file (at most 64 MiB). A missing header is tolerated; a file that is
// no journal at all (no record) gives gelesen = false.
Journalinhalt Journal_Lesen(const std::string& pfad);

// The file begins as a journal does: with the header or a record.
bool Liest_Als_Journal(const std::string& pfad);
// The newest journal in the folder by the date-time in its name, of those that read
// as journals; nullopt: none.
std::optional<std::string> Neuestes_Journal(const std::string& ordner);

// What a resume of an unfinished journal would do.
struct Fortsetzungsangebot {
    bool moeglich = false;          // unfinished and has a run start
    std::string biersorte;
    Zeitpunkt beginn{};             // the run's start
    Zeitpunkt unterbrochen{};       // the last record
    int phase = 0;                  // phase to start at, 1..20
    std::string titel;
    std::string art;                // Aufheizen, Halten, Kuehlen
    std::string soll;               // target as the run left it (nudged targets included)
    bool neu = false;               // heating-up or cooling: the phase restarts
    bool laeuft = false;            // the phase was running (false: it had not started yet)
    long long geplant_s = 0;        // holding phase: planned time incl. +/-5 min
    long long vergangen_s = 0;      // time the phase ran, over every run of it (pauses not counted)
    long long rest_s = 0;           // holding phase: seconds left
    int rest_min = 0;               // whole minutes left, rounded up; what "Start ab Phase" shows
    bool ruf_gekommen = false;      // the phase's call came and was acknowledged
    bool ruf_wartet = false;        // the phase's call came and was not acknowledged
    Maischprogramm programm;        // the program as the run left it: the snapshot with nudged targets
};

Fortsetzungsangebot Angebot_Ermitteln(const Journalinhalt& j);

// One phase as it ran, for the report.
struct Phasenverlauf {
    int phase = 0;
    std::string titel;
    std::string art;
    std::optional<double> soll;
    long long geplant_s = 0;
    Zeitpunkt start{};
    std::optional<Zeitpunkt> ende;
    std::string wie;                // "Ende" (end condition), "Abbruch", "" (cut off)
    std::optional<double> ist_min, ist_max;
    // The prediction made at its start (records "Vorhersage"), when there is one.
    std::optional<Zeitpunkt> vorhersage_ende;          // of this phase
    std::optional<Zeitpunkt> vorhersage_programmende;  // of the whole program
    std::string vorhersage_endlos;                     // the program would never end: why
};

std::vector<Phasenverlauf> Phasen_Auswerten(const Journalinhalt& j);

// The whole run as the curve screen's 200 samples: sample i shows the last
// recorded sample at the moment i/199 of the way from the first to the last one.
HisKurve Kurve_Aus_Journal(const Journalinhalt& j);

} // namespace kw::journal
