#include "screens/HardwareConf.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace kw {

HardwareConf::HardwareConf(Anwendung&) : QWidget(nullptr)
{
    setWindowTitle(QStringLiteral("Hardware-Initialisierung"));
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* zeile1 = new QLabel(QStringLiteral("   Die Hardware wird initialisiert."), this);
    zeile1->setObjectName(QStringLiteral("Label1"));
    QFont gross = zeile1->font();
    gross.setPointSizeF(gross.pointSizeF() * 1.3);
    gross.setBold(true);
    zeile1->setFont(gross);

    auto* zeile2 = new QLabel(QStringLiteral("Bitte haben Sie etwas Geduld..."), this);
    zeile2->setObjectName(QStringLiteral("Label2"));

    // Moves while the sensor search runs, so the wait does not look like a hang.
    auto* laeuft = new QProgressBar(this);
    laeuft->setObjectName(QStringLiteral("Fortschritt"));
    laeuft->setRange(0, 0);
    laeuft->setTextVisible(false);
    laeuft->setFixedHeight(12);

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(36, 28, 36, 28);
    l->setSpacing(14);
    l->addWidget(zeile1, 0, Qt::AlignHCenter);
    l->addWidget(zeile2, 0, Qt::AlignHCenter);
    l->addWidget(laeuft);
    setMinimumWidth(460);
}

} // namespace kw
