#include "screens/WarnungDS1820.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "screens/Anwendung.h"

namespace kw {

WarnungDS1820::WarnungDS1820(Anwendung& anwendung) : QWidget(nullptr), app(anwendung)
{
    setWindowTitle(QStringLiteral("Warnung DS1820"));

    auto* text = new QLabel(
        QStringLiteral("Warnung !   Der DS1820 hat mehrmals eine fehlerhafte Messung durchgeführt !!!"));
    text->setObjectName(QStringLiteral("Label1"));
    text->setWordWrap(true);
    text->setMinimumSize(380, 80);
    text->setAlignment(Qt::AlignCenter);
    QFont f = text->font();
    f.setPointSizeF(f.pointSizeF() + 2);
    f.setBold(true);
    text->setFont(f);

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("OKWarnung"));
    auto* aus = new QPushButton(QStringLiteral("Alarm Off"));
    aus->setObjectName(QStringLiteral("AlarmOff"));
    connect(ok, &QPushButton::clicked, this, &WarnungDS1820::OKWarnung_Click);
    connect(aus, &QPushButton::clicked, this, &WarnungDS1820::AlarmOff_Click);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(ok);
    knoepfe->addWidget(aus);
    auto* l = new QVBoxLayout(this);
    l->addWidget(text, 1);
    l->addLayout(knoepfe);
}

void WarnungDS1820::OKWarnung_Click()
{
    app.steuerung().WarnungDS1820_OK();
    hide();
}

void WarnungDS1820::AlarmOff_Click() { app.steuerung().WarnungDS1820_AlarmOff(); }

} // namespace kw
