#include "screens/Alarm_USB.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "screens/Anwendung.h"

namespace kw {

Alarm_USB::Alarm_USB(Anwendung& anwendung) : QWidget(nullptr), app(anwendung)
{
    setWindowTitle(QStringLiteral("Alarm USB"));

    auto* text = new QLabel(QStringLiteral("Alarm !!! USB-Verbindung wurde unterbrochen !!!"));
    text->setObjectName(QStringLiteral("Label1"));
    text->setWordWrap(true);
    text->setMinimumSize(380, 80);
    text->setAlignment(Qt::AlignCenter);
    QFont f = text->font();
    f.setPointSizeF(f.pointSizeF() + 2);
    f.setBold(true);
    text->setFont(f);
    text->setStyleSheet(QStringLiteral("color: rgb(200,0,0);"));

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("Command1"));
    auto* aus = new QPushButton(QStringLiteral("Alarm Off"));
    aus->setObjectName(QStringLiteral("AlarmOff"));
    connect(ok, &QPushButton::clicked, this, &Alarm_USB::Command1_Click);
    connect(aus, &QPushButton::clicked, this, &Alarm_USB::AlarmOff_Click);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(ok);
    knoepfe->addWidget(aus);
    auto* l = new QVBoxLayout(this);
    l->addWidget(text, 1);
    l->addLayout(knoepfe);
}

void Alarm_USB::Command1_Click()
{
    app.steuerung().Alarm_USB_OK();
    app.ausgabe().USB_Alarm_Quittieren(static_cast<short>(app.anlage.Schnittstelle));
    hide();
}

void Alarm_USB::AlarmOff_Click() { app.steuerung().Alarm_USB_AlarmOff(); }

} // namespace kw
