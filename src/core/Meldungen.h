#pragma once
// What the controller reports to the screens. The core never blocks and never
// shows anything itself; the screens implement these, the tests record them.

#include <string>

namespace kw {

// Numbered messages of the current language.
class Meldungen {
public:
    virtual ~Meldungen() = default;
    // Show message `nr`. The controller does not wait for it. Message 41 (undefined
    // step) comes on every tick until STOP: the screen must not stack a box that
    // is already on screen.
    virtual void zeige(int nr) = 0;
};

// Secondary screens the controller opens or closes.
class Fenster {
public:
    virtual ~Fenster() = default;
    // A brewmaster call is raised (the heating flag is already 0): show the call
    // window BraumeisterRuf, not modal, with message 51 of the current language
    // followed directly by `ruftext`.
    virtual void Braumeisterruf_Zeigen(const std::string& ruftext) = 0;
    // QUITTIEREN: hide the call window if it is shown.
    virtual void Braumeisterruf_Verbergen() = 0;
    // The controller raised the sensor warning (Sensor_Alarm is already set): show
    // WarnungDS1820 without blocking.
    virtual void WarnungDS1820_Zeigen() = 0;
    // First tick: read the configuration file into the settings screen and show
    // it without blocking.
    virtual void Konfiguration_Laden_Und_Zeigen() = 0;
};

} // namespace kw
