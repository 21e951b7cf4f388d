#pragma once
// Safety events of the controller, for whoever records them (the brew journal).
// Every method has an empty default, so an observer takes only what it needs.
// The controller calls them from its tick; they must return at once.

#include "core/Anlage.h"

namespace kw {

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
