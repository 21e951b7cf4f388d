#pragma once
// The sequence controller: the 100 ms tick with its step machine, temperature
// intake and regulation, manual outputs, stirrer cycle, calls and signal, and
// the handlers of the main screen's buttons that act on the run.
//
// Every method returns at once; nothing here waits for the user. Time comes in
// as whole seconds from the caller's clock, twice: the monotonic count measures
// every time of the run, the wall clock only gives the times shown. An event
// due at a second (a timed call, the end of a rest, a stirrer switching) is
// due once that second is reached or passed, so a tick that comes late (the
// screen stalled, the machine slept) raises it then, once.

#include <string>
#include <vector>

#include "core/Anlage.h"
#include "core/Anzeige.h"
#include "core/Ereignisse.h"
#include "core/Meldungen.h"
#include "core/Zeittext.h"
#include "model/Kesselmodell.h"

#include <optional>

namespace kw {

class Steuerung {
public:
    Steuerung(Anlage& anlage, Anzeige& anzeige, Meldungen& meldungen, Fenster& fenster);

    // Safety events go to `e` from now on (nullptr: to nobody). Not owned.
    void Ereignisse_Setzen(Sicherheitsereignisse* e) { sicherheit = e; }

    // Main screen's load: state and display cleared (Anlage::laden, Anzeige::laden).
    void laden(Zeitpunkt uhrzeit, Laufzeitpunkt now);

    // One controller tick (Timer1, every 100 ms). The caller writes the outputs
    // right after it: Ausgaenge_Schreiben of the hardware library derives
    // Aus_Ruehrwerk from Ruehrwerk_Ein (and writes it back into Anlage), packs
    // the byte and sends it to the interface. The editor pages keep their own
    // field visibility in step with the program.
    // `uhrzeit` is the wall clock, `now` the monotonic count.
    void tick(Zeitpunkt uhrzeit, Laufzeitpunkt now);

    // The same for a clock that never steps: its wall time serves as the monotonic count.
    void laden(Zeitpunkt now) { laden(now, Laufzeitpunkt{now.time_since_epoch()}); }
    void tick(Zeitpunkt now) { tick(now, Laufzeitpunkt{now.time_since_epoch()}); }

    // Takt_1s (every 500 ms): blink clock and steam-cloud phase.
    void Takt_1s();

    // --- run buttons ---
    void START_BRAUEN();
    void STOP_BRAUEN();
    void PAUSE_BRAUEN();

    // --- buttons of the running phase (do nothing before a phase runs) ---
    void PhaseRauf();
    void PhaseRunter();
    void ZeitRauf();     // +5 min, holding phases only; re-arms an end-of-phase call
    void ZeitRunter();   // -5 min
    void SollRauf();     // target of the running phase +0.1 K, kept in the program
    void SollRunter();

    // --- options ---
    void Option_Gradient();
    void Option_Signal();
    // Settings screen OK: signal mode and gradient from the chosen options, with
    // the captions that go with them.
    void Signal_und_Gradient_Uebernehmen(bool signal_taktend, bool gradient_ein);

    // --- operating modes and manual outputs (each toggles its switch) ---
    void Switch1();      // simulation
    void Switch2();      // manual mode; leaving it clears manual heating, cooling, stirrer
    void Man_Heizung();
    void Man_Kuehlung();
    void Man_Ruehrwerk();
    void Man_Extra1();
    void Man_Extra2();
    void Man_Extra3();
    void Man_Extra4();
    // Simulation slider, range -100..0; the simulated temperature is its absolute value.
    void Scroll_Sim_IstTemperatur(int position);
    // "Simulation mit Kesselmodell" (toggles Sim_Modell): in simulation the actual temperature
    // follows the kettle model, fed with the heating output of every tick, from the slider's
    // value on; the slider's value then follows the model in whole degrees.
    void Sim_Modell_Schalten();
    // The model's parameters (the learned ones of the program folder); a model running goes on
    // from its temperature with them.
    void Kesselmodell_Setzen(const modell::Kesselparameter& p);
    const modell::Kesselparameter& Kesselmodell_Parameter() const { return kessel_p; }

    // --- start at an entered phase ---
    void switch3();
    // Key release in the start-phase field: returns the text the field shall hold
    // ("1" below 1, "20" above 20, else unchanged), which also becomes Startphase_Text.
    std::string Eingabe_Start_Phase(const std::string& feldtext);
    // Key release in the start-time field (minutes).
    void Eingabe_Start_Zeit(const std::string& feldtext);

    // --- calls and alarms ---
    void QUITTIEREN();
    void Braumeisterruf_OK();          // silences; the call still waits for QUITTIEREN
    void Braumeisterruf_Signal_Aus();  // silences; window stays
    void WarnungDS1820_OK();           // acknowledges: also releases heating cut for lack of effect
    void WarnungDS1820_AlarmOff();     // silences only
    void Alarm_USB_OK();               // state part; reopening the device is the hardware's
    void Alarm_USB_AlarmOff();

    // BEENDEN, state part: run stopped, every output flag 0 (extras and signal
    // too). The caller then writes the all-off byte and ends the program.
    void BEENDEN();

    // Observer of the run's events (the brew journal); null: nobody listens.
    void setzeEreignisse(Ereignisse* e) { ereignisse = e ? e : &keine_ereignisse; }

private:
    void Programm_Pruefen();
    bool Phase_Pruefen(int n);
    void Phase_Starten(Laufzeitpunkt now);
    void Phase_Laeuft(Laufzeitpunkt now);
    // The run a resume armed "Start ab Phase" for has ended: the switch goes off.
    void Fortsetzung_Beenden();
    void Ruf_Ausloesen(const Cl_Phase& p);
    void Temperatur_Uebernehmen(Laufzeitpunkt now);
    bool Gemessen() const;
    Sperrgrund Messung_Bewerten(Zeitpunkt now) const;
    bool Isttemperatur_Verwertbar(Zeitpunkt now) const;
    void Sperre_Melden(Zeitpunkt now, Sperrgrund vorher, bool laufbild);
    void Wirkung_Pruefen(Zeitpunkt now, bool laufbild);
    void Sensorwarnung_Ausloesen(Zeitpunkt now, Warnungsgrund grund);
    void Ruhebild(Zeitpunkt uhrzeit);
    void Laufbild(Zeitpunkt uhrzeit, Laufzeitpunkt now);
    void Soll_Aendern(double delta);
    void Pruefmeldung(int nr);

    Anlage& a;
    Anzeige& z;
    Meldungen& meldungen;
    Fenster& fenster;
    Sicherheitsereignisse* sicherheit = nullptr;
    Ereignisse keine_ereignisse;
    Ereignisse* ereignisse = &keine_ereignisse;
    std::vector<int> pruefmeldungen;   // messages of the running program check
    modell::Kesselparameter kessel_p;
    std::optional<modell::Kesselmodell> kessel;   // while the model drives the simulation
    bool ist_gemessen = false;         // the last intake took Anzeige_TempIst from the reading, not the slider
    // The reading as last converted for display: the same reading is not formatted
    // anew. No separator is 0, so the first reading is always converted.
    struct Messanzeige {
        std::string wert;
        char trenner = 0;
        std::string text;
    } messanzeige;
    struct Balkenwert {
        std::string text;
        char trenner = 0;
        float grad = 0;
    } balkenwert;
    Zeittextspeicher startzeit_text{&Datum_Zeit_Text};
    Zeittextspeicher endzeit_text{&Datum_Zeit_Text};
    Zeittextspeicher uhrzeit_text{&Uhrzeit_Text};
};

} // namespace kw
