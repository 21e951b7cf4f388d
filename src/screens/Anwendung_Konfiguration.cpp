// The application's part of the settings screen: opening it and hiding the start-up notice.

#include "screens/Anwendung.h"
#include "screens/HardwareAbfrage.h"

namespace kw {

void Anwendung::Konfiguration_Laden_Und_Zeigen()
{
    auto* dialog = qobject_cast<HardwareAbfrage*>(bildschirm(HardwareAbfrage::Name));
    if (!dialog)
        return;
    dialog->Konfiguration_Laden();
    // Parallel output pauses until the next OK; reading temperatures goes on.
    anlage.Konfiguration_Bestaetigt = false;
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void Anwendung::verbergeHardwareConf()
{
    if (geladen("HardwareConf"))
        bildschirm("HardwareConf")->hide();
}

} // namespace kw
