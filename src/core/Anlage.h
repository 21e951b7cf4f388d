#pragma once
// The one program-wide state object: run state, output flags, alarms, settings
// in effect, the screen switches of the main screen and the mash program.
// Owned by the application and handed around by reference.
//
// Flags that the brewing logic treats as true/false are bool; outputs,
// switches and the few settings that are 1/0 values are int (0 off, 1 on).

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "program/Maischprogramm.h"

namespace kw {

// Wall-clock date-time to the whole second: only for what is shown and written.
using Zeitpunkt = std::chrono::sys_seconds;
// Monotonic whole seconds: every time of the run is measured on this count,
// which no clock step (time synchronisation, a change by hand) moves. Its zero
// is arbitrary; only differences count.
using Laufzeitpunkt = std::chrono::time_point<std::chrono::steady_clock, std::chrono::seconds>;

// Why the automatic heating is overruled (outside simulation).
enum class Sperrgrund {
    Keiner,
    Keine_Messung,        // no valid reading since the configuration was confirmed
    Messung_Veraltet,     // the newest valid reading is too old (Grenzwerte::Messung_Hoechstalter)
    Messung_Unplausibel,  // it lies outside Grenzwerte::Messung_Min_Grad .. Messung_Max_Grad
};

// Why the controller raised the sensor warning.
enum class Warnungsgrund { Heizsperre, Heizung_Ohne_Wirkung };

// A phase taken up again by a resume, as the brew journal left it. It rides on
// "Start ab Phase": it applies while the switch is armed with the phase and the
// minutes it was armed with, and the run it starts keeps the phase's call.
struct Fortsetzungsstand {
    int phase = 0;                    // the phase to take up, 1..20
    std::string startzeit_text;       // the minutes "Start ab Phase" was armed with
    std::int64_t rest_s = 0;          // holding phase: seconds left
    std::int64_t vergangen_s = 0;     // seconds the phase had run, pauses not counted
    bool ruf_gekommen = false;        // its call came and was acknowledged: not again
    bool ruf_wartet = false;          // its call came and waited for QUITTIEREN: raised at once
};

struct Anlage {
    // --- run state ---------------------------------------------------------
    int Ablaufschritt = 0;            // 0 idle, 1 program check, 2 phase start, 3 running, 4 phase end
    int Akt_Phase = 0;                // running phase 1..20, 0 when idle
    int Anzahl_Phasen = 0;            // phase count of the running program
    std::string Anzahl_Phasen_Text;   // copy of the phase count text; the editor refreshes it
                                      // on every key release, the program check again
    bool Brauen_Gestartet = false;
    bool Parameterfehler = false;
    bool Startvorgabe_Aktiv = false;  // this run starts at the entered phase
    bool Pause_Aktiv = false;
    Laufzeitpunkt Pause_Zeitpunkt{};  // next second at which a paused run shifts its times
    bool Pause_Vorher = false;        // the previous tick shifted the times of a paused phase
    bool Ruf_Aktiv = false;           // a call waits for QUITTIEREN; holds the step machine
    bool Ruf_Ausgeloest = false;      // the running phase has raised its call
    bool Ruf_Signal = false;          // the call asks for the signal output

    Laufzeitpunkt Startzeit_Phase{};
    Laufzeitpunkt Endzeit_Phase{};    // end of a holding phase (moved by pause and +/-5 min)
    Laufzeitpunkt Rufzeitpunkt{};     // second of the timed call
    Laufzeitpunkt Ruehr_Zeitpunkt{};  // next switching of the stirrer cycle
    Laufzeitpunkt Gradient_Zeitpunkt{};   // earliest next 1 K rise of the moving target
    Laufzeitpunkt Heizung_Einschaltzeit{};// demand start + 15 s

    // Wall clock minus the monotonic count, for the date-times shown. The tick
    // follows it only when it moves by more than a second: a clock step moves
    // the shown start and end, the two clocks' different second boundaries do not.
    std::chrono::seconds Uhr_Versatz{};
    // A time of the run as the wall-clock date-time shown and written.
    Zeitpunkt Uhrzeit(Laufzeitpunkt t) const { return Zeitpunkt{t.time_since_epoch() + Uhr_Versatz}; }

    // Durations in wide integers: holding and call times of 999 min and more work.
    std::int64_t Heizzeit_min = 0;
    std::int64_t Rufzeit_min = 0;
    std::int64_t Ruehrimpuls_s = 0;
    std::int64_t Ruehrpause_s = 0;

    bool Heizbedarf_Vorher = false;   // heating was demanded on the previous tick
    bool Konfig_Geladen = false;      // set on the first tick
    bool Init_Fertig = false;         // set at the end of the first tick
    bool Blinktakt = false;           // toggled every 500 ms by Takt_1s
    int Wolke_Takt = 0;               // steam-cloud phase 1..4

    // --- output flags (0/1) -------------------------------------------------
    int Aus_Heizung = 0;
    int Ruehrwerk_Ein = 0;            // stirrer request
    int Aus_Ruehrwerk = 0;            // stirrer output; written back by the output stage after each tick
    int Aus_Kuehlung = 0;
    int Aus_Extra1 = 0;
    int Aus_Extra2 = 0;
    int Aus_Extra3 = 0;
    int Aus_Extra4 = 0;
    int Aus_Signal = 0;

    // --- alarms ---------------------------------------------------------------
    bool Sensor_Alarm = false;        // repeated power-on readings; requests the signal
    bool USB_Alarm = false;           // a USB write failed

    // --- settings in effect ---------------------------------------------------
    int Schnittstelle = 1;            // output interface 1..5
    bool Konfiguration_Bestaetigt = false;
    int Signal_Dauer = 0;             // 1 steady, 0 pulsing
    int Gradient_Ein = 0;             // 1 = moving target climbs 1 K/min in heating-up phases
    int Sprachnummer = 1;             // 1..8
    std::string Programmpfad;         // the program's folder; set by the application
    char Dezimaltrenner = '.';        // decimal separator of the user's locale

    // --- temperature ----------------------------------------------------------
    std::string Temperaturwert;       // last reading from DigiTemp's log, always with "."
    // When the newest valid reading (a complete number, not the power-on value) arrived, on the
    // controller's clock; unset until the first one after the configuration was confirmed. Set by
    // the reading side, which clears it at OK.
    std::optional<Zeitpunkt> Messzeitpunkt;

    // --- sensor and heating supervision (outside simulation) -------------------
    Sperrgrund Heizsperre = Sperrgrund::Keiner; // automatic heating overruled, and why
    bool Sperrwarnung_Gegeben = false;  // this episode of the interlock has raised its warning
    bool Heizung_Ohne_Wirkung = false;  // heating cut for lack of effect, until WarnungDS1820 OK
    bool Wirkung_Laeuft = false;        // the heating output has been on without a break since Wirkung_Seit
    Zeitpunkt Wirkung_Seit{};           // start of the current check, or of the last 0.5 K of rise
    double Wirkung_Bezug_Grad = 0.0;    // lowest temperature since then

    // --- screen switches of the main screen (0/1) ------------------------------
    int Simulation = 0;
    int Manuell = 0;
    int Start_ab_Phase = 0;
    int Man_Heizung_Ein = 0;
    int Man_Kuehlung_Ein = 0;
    int Man_Ruehrwerk_Ein = 0;
    int Man_Extra1_Ein = 0;
    int Man_Extra2_Ein = 0;
    int Man_Extra3_Ein = 0;
    int Man_Extra4_Ein = 0;
    int Sim_Temperatur = 0;           // simulated temperature, whole degrees 0..100 (slider)
    int Sim_Modell = 0;               // "Simulation mit Kesselmodell": the model, not the slider, gives it
    std::string Startphase_Text;      // text of Eingabe_Start_Phase
    std::string Startzeit_Text;       // text of Eingabe_Start_Zeit (minutes)
    std::optional<Fortsetzungsstand> Fortsetzung;   // "Start ab Phase" armed by a resume
    bool Fortsetzung_Laeuft = false;  // the run started with it goes on; its end disarms "Start ab Phase"

    // --- the mash program -----------------------------------------------------
    Maischprogramm Programm;

    // The kettle model drives the simulation: the kettle is the model, so no output
    // may reach a device (the caller writes all off while this holds).
    bool Nur_Modell() const { return Simulation != 0 && Sim_Modell != 0; }

    // State part of the main screen's load: run state cleared, every output
    // flag 0, alarms and first-tick flags cleared, interface 1, configuration
    // unconfirmed, gradient clock at `now`. Nothing is written to any port.
    // Programmpfad, the program and the language are left to the caller.
    void laden(Laufzeitpunkt now);
    // For a clock that never steps: its wall time serves as the monotonic count.
    void laden(Zeitpunkt now) { laden(Laufzeitpunkt{now.time_since_epoch()}); }
};

} // namespace kw
