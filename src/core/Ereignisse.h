#pragma once
// What happens during a brew, as the controller sees it. The controller calls
// these at the moment the state has changed; the brew journal records them.
// Every method does nothing by default, so an observer takes only what it needs.
// None of them may block: they run inside the tick and the button handlers.

#include "core/Anlage.h"

#include <string>
#include <vector>

namespace kw {

enum class Endeart { Fertig, Stop, Beenden };

class Ereignisse {
public:
    virtual ~Ereignisse() = default;

    // The program check passed: the run begins (the phase records are normalised).
    virtual void Lauf_Start() {}
    // The program check refused the start; the message numbers shown, in order.
    virtual void Pruefung_Abgelehnt(const std::vector<int>& /*meldungen*/) {}
    // Phase `phase` has been set up (times, targets and call time are in Anlage).
    virtual void Phase_Start(int /*phase*/) {}
    // The end condition of the running phase holds and no call waits.
    virtual void Phase_Ende(int /*phase*/) {}
    // End of the run: last phase done, STOP, or BEENDEN while a run was going.
    virtual void Lauf_Ende(Endeart /*art*/) {}

    virtual void Ruf_Ausgeloest(int /*phase*/, const std::string& /*ruftext*/) {}
    virtual void Ruf_Stumm() {}        // OK or SIGNAL AUS of the call window
    virtual void Ruf_Quittiert() {}    // QUITTIEREN of a waiting call

    virtual void Pause() {}
    virtual void Pause_Freigabe() {}   // START during a pause
    virtual void Phase_Sprung(int /*richtung*/) {}      // PhaseRauf +1, PhaseRunter -1
    virtual void Zeit_Geaendert(int /*sekunden*/) {}    // +300 / -300
    virtual void Soll_Geaendert(const std::string& /*temperatur*/) {}
    // A switch of the main screen: its name ("Man_Heizung", "Switch1", ...) and new state.
    virtual void Schalter(const std::string& /*name*/, bool /*ein*/) {}
    virtual void Gradient(bool /*ein*/) {}
    virtual void Signal(bool /*dauernd*/) {}
    // A pop-up of an alarm answered ("WarnungDS1820_OK", "Alarm_USB_AlarmOff", ...).
    virtual void Alarm_Antwort(const std::string& /*knopf*/) {}
};

// Safety events of the controller: the heating interlock and the sensor warning.
// The controller calls them from its tick; they must return at once.
class Sicherheitsereignisse {
public:
    virtual ~Sicherheitsereignisse() = default;
    // Automatic heating is overruled from now on, or for a new reason.
    virtual void Heizsperre_Ein(Zeitpunkt, Sperrgrund) {}
    // The first fresh, plausible reading (or simulation mode) lifts it.
    virtual void Heizsperre_Aus(Zeitpunkt) {}
    // The heating ran `Grenzwerte::Wirkung_Heizdauer` without a break and the temperature went only from
    // `von_grad` to `bis_grad`: it is cut until the sensor warning is acknowledged.
    virtual void Heizung_Ohne_Wirkung(Zeitpunkt, double /*von_grad*/, double /*bis_grad*/) {}
    // The controller raised the sensor warning (window and signal).
    virtual void Sensorwarnung(Zeitpunkt, Warnungsgrund) {}
};

} // namespace kw
