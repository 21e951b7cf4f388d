#include "screens/WarnungDS1820.h"

#include <QCloseEvent>
#include <QPushButton>

#include "screens/Anwendung.h"

namespace kw {

WarnungDS1820::WarnungDS1820(Anwendung& anwendung)
    : Hinweisfenster(QStringLiteral("Warnung DS1820"), "Label1",
                     QStringLiteral("Warnung !   Der DS1820 hat mehrmals eine fehlerhafte Messung durchgeführt !!!"),
                     2),
      app(anwendung)
{
    connect(knopf("OKWarnung", QStringLiteral("OK")), &QPushButton::clicked, this,
            &WarnungDS1820::OKWarnung_Click);
    connect(knopf("AlarmOff", QStringLiteral("Alarm Off")), &QPushButton::clicked, this,
            &WarnungDS1820::AlarmOff_Click);
}

void WarnungDS1820::OKWarnung_Click()
{
    app.steuerung().WarnungDS1820_OK();
    hide();
}

void WarnungDS1820::closeEvent(QCloseEvent* e)
{
    app.steuerung().WarnungDS1820_OK();
    Hinweisfenster::closeEvent(e);
}

void WarnungDS1820::AlarmOff_Click() { app.steuerung().WarnungDS1820_AlarmOff(); }

} // namespace kw
