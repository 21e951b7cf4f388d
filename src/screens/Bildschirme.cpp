// Every screen of the program, registered by name. Each screen is created on
// first use (hidden until shown) and kept until the program ends.

#include "screens/Anwendung.h"

// main screen and pop-ups
// @Grundbild-includes
#include "screens/Alarm_USB.h"
#include "screens/BraumeisterRuf.h"
#include "screens/Grundbild.h"
#include "screens/WarnungDS1820.h"

// phase editors
// @Editor-includes
#include "screens/Parameter.h"
#include "screens/Parameter2.h"
#include "screens/Ruf_Text.h"

// settings
// @Konfiguration-includes
#include "screens/HardwareAbfrage.h"
#include "screens/HardwareConf.h"
#include "screens/MqttEinstellungen.h"
#include "screens/Kesselmodellanzeige.h"

// brewing aids
// @Hilfen-includes
#include "screens/Alkohol.h"
#include "screens/Berechnungen.h"
#include "screens/Bittere.h"
#include "screens/Brauprotokoll.h"
#include "screens/Information.h"
#include "screens/Jodprobe.h"
#include "screens/TEMPZEITKURV.h"

// brew journal
#include "screens/Fortsetzung.h"

namespace kw {

namespace {
template <class T> void reg(Anwendung& app)
{
    app.registriere(T::Name, [](Anwendung& a) -> QWidget* { return new T(a); });
}
} // namespace

void Bildschirme_Registrieren(Anwendung& app)
{
    (void)app;
    // @Grundbild-registrierung
    reg<Grundbild>(app);
    reg<BraumeisterRuf>(app);
    reg<WarnungDS1820>(app);
    reg<Alarm_USB>(app);
    // @Editor-registrierung
    reg<Parameter>(app);
    reg<Parameter2>(app);
    reg<Ruf_Text>(app);
    // @Konfiguration-registrierung
    reg<HardwareAbfrage>(app);
    reg<HardwareConf>(app);
    reg<MqttEinstellungen>(app);
    reg<Kesselmodellanzeige>(app);
    // @Hilfen-registrierung
    reg<Alkohol>(app);
    reg<Berechnungen>(app);
    reg<Bittere>(app);
    reg<Brauprotokoll>(app);
    reg<Information>(app);
    reg<Jodprobe>(app);
    reg<TEMPZEITKURV>(app);
    reg<Fortsetzung>(app);
}

} // namespace kw
