// The pop-ups that the controller, the temperature reading and the output
// driver open: call window, sensor warning, USB alarm.

#include "screens/Alarm_USB.h"
#include "screens/Anwendung.h"
#include "screens/BraumeisterRuf.h"
#include "screens/WarnungDS1820.h"

namespace kw {

namespace {
void vorzeigen(QWidget& w)
{
    w.show();
    w.raise();
    w.activateWindow();
}
} // namespace

void Anwendung::Braumeisterruf_Zeigen(const std::string& ruftext)
{
    auto& ruf = bildschirm<BraumeisterRuf>();
    ruf.Ruftext_Setzen(meldungstext(51) + QString::fromStdString(ruftext));
    vorzeigen(ruf);
}

void Anwendung::Braumeisterruf_Verbergen()
{
    // Only a window that exists; QUITTIEREN without a call creates nothing.
    if (geladen(BraumeisterRuf::Name))
        bildschirm(BraumeisterRuf::Name)->hide();
}

void Anwendung::zeigeWarnungDS1820() { vorzeigen(bildschirm<WarnungDS1820>()); }

void Anwendung::zeigeAlarmUSB() { vorzeigen(bildschirm<Alarm_USB>()); }

} // namespace kw
