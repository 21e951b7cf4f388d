#pragma once
// USB alarm: a write to the relay board failed and further USB writes are held back.

#include "screens/Hinweisfenster.h"

namespace kw {

class Anwendung;

class Alarm_USB : public Hinweisfenster {
    Q_OBJECT
public:
    static constexpr const char* Name = "Alarm_USB";
    explicit Alarm_USB(Anwendung& app);

private:
    void Command1_Click();   // OK: alarms cleared, board reopened (interface 4), window hidden
    void AlarmOff_Click();   // silences the sensor alarm only

    Anwendung& app;
};

} // namespace kw
