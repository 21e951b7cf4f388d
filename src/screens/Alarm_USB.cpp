#include "screens/Alarm_USB.h"

#include <QLabel>
#include <QPushButton>

#include "screens/Anwendung.h"

namespace kw {

Alarm_USB::Alarm_USB(Anwendung& anwendung)
    : Hinweisfenster(QStringLiteral("Alarm USB"), "Label1",
                     QStringLiteral("Alarm !!! USB-Verbindung wurde unterbrochen !!!"), 2),
      app(anwendung)
{
    m_text->setStyleSheet(QStringLiteral("color: rgb(200,0,0);"));
    connect(knopf("Command1", QStringLiteral("OK")), &QPushButton::clicked, this, &Alarm_USB::Command1_Click);
    connect(knopf("AlarmOff", QStringLiteral("Alarm Off")), &QPushButton::clicked, this,
            &Alarm_USB::AlarmOff_Click);
}

void Alarm_USB::Command1_Click()
{
    app.steuerung().Alarm_USB_OK();
    app.ausgabe().USB_Alarm_Quittieren(static_cast<short>(app.anlage.Schnittstelle));
    hide();
}

void Alarm_USB::AlarmOff_Click() { app.steuerung().Alarm_USB_AlarmOff(); }

} // namespace kw
