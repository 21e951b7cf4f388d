#pragma once
// The dry run: the mash program runs through the real controller on a fake clock,
// with the kettle model as its thermometer, as fast as the machine allows. The
// controller ticks every 100 ms of simulated time, as on screen, except that the
// rest of a second is left out once a tick changed nothing (the controller counts
// whole seconds, so those ticks would repeat it); the model is fed the heating
// output after each tick and gives a reading every second. Calls and
// the sensor warning are answered after the brewmaster's usual answer time.
//
// Nothing here reaches an output driver or the guard: the library knows only the
// controller and the model, and the outputs end in the model.
//
// A phase that would never end is named and the run stops there. A heating-up
// phase whose target lies above the boil or at or above what full power holds
// against the loss (Kesselparameter::Gleichgewicht_Voll_C), or a cooling phase whose target lies at
// or below the room (the run never cools), is refused at its start; any heating-up
// or cooling phase still running after `phasengrenze` of simulated time is cut
// there (a target just below the steady state that takes days).
//
// With `Vorgaben::einstieg` the run takes up a brew that is going: it starts at
// that phase as a resume does (a holding phase with its time left, a heating-up
// phase from the temperature now, the phase's call where it stands), and every
// time of the result counts from that moment.

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "model/Kesselmodell.h"
#include "program/Maischprogramm.h"

namespace kw::probelauf {

// The state of a running phase that the dry run takes up.
struct Einstieg {
    int phase = 1;
    long vergangen_s = 0;              // the phase has run so long, pauses not counted (times its call)
    long heizzeit_min = 0;             // its holding time now (+/-5 min included)
    long rest_s = 0;                   // holding phase: seconds left
    bool ruf_gekommen = false;         // its call came and was acknowledged
    bool ruf_wartet = false;           // its call waits for QUITTIEREN: answered after the answer time from now
    bool heizung = false;              // heating on now, and felt by the kettle
    std::optional<double> soll_akt_C;  // moving target now (gradient mode)
};

struct Vorgaben {
    modell::Kesselparameter kessel;
    double start_C = 20.0;             // temperature in the kettle at START
    double antwortzeit_s = 60.0;       // the brewmaster's answer to a call or a warning
    bool gradient = false;             // 1 K/min mode of the settings
    char dezimaltrenner = '.';         // of the texts in the program
    std::chrono::seconds phasengrenze{std::chrono::hours(12)};
    std::optional<Einstieg> einstieg;  // take up a running brew instead of starting at phase 1
    // Set by another thread: the run ends as soon as it sees it (Ergebnis::abgebrochen).
    const std::atomic<bool>* abbruch = nullptr;
};

enum class Ausgang {
    Beendet,        // the end condition held
    Unerreichbar,   // refused at its start: the target lies beyond the kettle
    Zeitgrenze,     // still running after Vorgaben::phasengrenze
};

struct Phasenzeile {
    int phase = 0;
    std::string titel;
    std::string art;                   // "Aufheizen", "Halten", "Kuehlen"
    double soll_C = 0;
    long geplant_start_s = 0;          // sum of the holding times before
    std::optional<long> geplant_s;     // holding time; none for heating-up and cooling
    long start_s = 0;                  // from START
    long ende_s = 0;
    double max_C = 0;                  // highest temperature during the phase
    double ueberschwingen_K = 0;       // max over the target (heating-up and holding), >= 0
    double energie_kWh = 0;
    int rufe = 0;
    int warnungen = 0;                 // heating cut for lack of effect, answered
    Ausgang ausgang = Ausgang::Beendet;
    std::string grund;                 // for the brewer, when not Beendet

    long dauer_s() const { return ende_s - start_s; }
};

struct Kurvenpunkt {
    long t_s = 0;                      // from START
    int phase = 0;
    double ist_C = 0;
    double soll_akt_C = 0;
    bool heizung = false;
};

struct Ergebnis {
    bool gestartet = false;            // the program check passed
    std::vector<int> meldungen;        // messages of a refused check (20..40, 14)
    std::vector<Phasenzeile> phasen;
    std::vector<Kurvenpunkt> kurve;    // every 5 s
    bool vollstaendig = false;         // every phase ended; the run reached FERTIG
    long gesamt_s = 0;                 // START to FERTIG (or to the stop)
    double energie_kWh = 0;
    long geplant_s = 0;                // sum of the holding times
    // The phase that would never end (index into phasen), when there is one.
    std::optional<std::size_t> endlos;
    bool abgebrochen = false;          // Vorgaben::abbruch was set
};

Ergebnis Probelauf(const Maischprogramm& programm, const Vorgaben& v);

// A number with `stellen` decimals and `trenner`, whatever the C locale says (the
// program's Qt sets it from the environment, which would give "62,50" for "%.2f").
std::string Festkomma(double wert, int stellen, char trenner = '.');

// "2:05" from seconds (rounded to the minute).
std::string Stunden_Minuten(long sekunden);

// The table as text: a head line, one line per phase beginning with its number and
// title, a last line beginning with "Gesamt".
// Numbers with `trenner` as the decimal separator.
std::string Tabelle(const Ergebnis& e);
std::string Tabelle(const Ergebnis& e, char trenner);

// The curve as CSV: "t_s;Phase;Ist;SollAkt;Heizung", temperatures with ".".
std::string Kurve_CSV(const Ergebnis& e);

} // namespace kw::probelauf
