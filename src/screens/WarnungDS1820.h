#pragma once
// Sensor warning: the DS1820 delivered its power-on value again and again. The
// run goes on; the signal sounds until the warning is cleared.

#include "screens/Hinweisfenster.h"

namespace kw {

class Anwendung;

class WarnungDS1820 : public Hinweisfenster {
    Q_OBJECT
public:
    static constexpr const char* Name = "WarnungDS1820";
    explicit WarnungDS1820(Anwendung& app);

protected:
    // Closed from its title bar: taken as OK, so that neither the signal nor heating cut for lack of
    // effect is left without a window to clear it.
    void closeEvent(QCloseEvent* e) override;

private:
    void OKWarnung_Click();  // clears the alarm (and releases heating cut for lack of effect), hides the window
    void AlarmOff_Click();   // clears the alarm, the window stays

    Anwendung& app;
};

} // namespace kw
