#include "screens/Parameter2.h"

#include "screens/Anwendung.h"
#include "screens/Parameter.h"
#include "screens/Phasenblock.h"
#include "screens/Ruf_Text.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace kw {

Parameter2::Parameter2(Anwendung& a) : QWidget(nullptr), app(a)
{
    setWindowTitle(QStringLiteral("KESSELWERK"));

    auto* haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(6, 6, 6, 6);
    haupt->setSpacing(4);

    auto* Frame1 = new QGroupBox(QStringLiteral("PARAMETER"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* kopf = new QHBoxLayout(Frame1);
    kopf->setContentsMargins(8, 4, 8, 6);
    auto* Command6 = new QPushButton(QStringLiteral("PHASE 1 - 10"), Frame1);
    Command6->setObjectName(QStringLiteral("Command6"));
    Command6->setMinimumWidth(110);
    auto* Command1 = new QPushButton(QStringLiteral("ZURÜCK"), Frame1);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setMinimumWidth(110);
    connect(Command6, &QPushButton::clicked, this, [this] { Seitenwechsel(); });
    connect(Command1, &QPushButton::pressed, this, [this] { ZURUECK(); });
    kopf->addStretch(1);
    kopf->addWidget(Command6);
    kopf->addWidget(Command1);
    haupt->addWidget(Frame1);

    auto* flaeche = new QScrollArea(this);
    flaeche->setWidgetResizable(true);
    flaeche->setFrameShape(QFrame::NoFrame);
    auto* innen = new QWidget(flaeche);
    auto* raster = new QGridLayout(innen);
    raster->setContentsMargins(0, 0, 0, 0);
    raster->setSpacing(4);
    for (int i = 0; i < 10; ++i) {
        auto* b = new Phasenblock(app, Erste_Phase + i, innen);
        m_bloecke[static_cast<std::size_t>(i)] = b;
        raster->addWidget(b, i / 5, i % 5);
        connect(b, &Phasenblock::beruehrt, this,
                [this](int n) { app.bildschirm<Parameter>().Bearbeitete_Phase = n; });
        connect(b, &Phasenblock::optionGeaendert, this, [this] { pflegen(); });
        connect(b, &Phasenblock::rufGewaehlt, this,
                [this] { app.bildschirm<Ruf_Text>().oeffnen(*this); });
    }
    for (int s = 0; s < 5; ++s)
        raster->setColumnStretch(s, 1);
    raster->setRowStretch(2, 1);
    flaeche->setWidget(innen);
    haupt->addWidget(flaeche, 1);

    connect(&app, &Anwendung::spracheGeaendert, this,
            [this, flaeche] { Seitengroesse_Setzen(*this, *flaeche); });
    Seitengroesse_Setzen(*this, *flaeche);
    tabulatorfolge();
    pflegen();
}

void Parameter2::tabulatorfolge()
{
    QList<QWidget*> folge;
    for (Phasenblock* b : m_bloecke)
        folge += b->tabulatorfolge();
    for (qsizetype i = 0; i + 1 < folge.size(); ++i)
        QWidget::setTabOrder(folge[i], folge[i + 1]);
}

void Parameter2::pflegen()
{
    const std::string& anzahl = app.anlage.Programm.AnzPhasen;
    for (Phasenblock* b : m_bloecke)
        b->pflegen(Block_Sichtbar(anzahl, b->phase()));
}

void Parameter2::anzeigen()
{
    for (Phasenblock* b : m_bloecke)
        b->anzeigen(app.anlage.Programm);
    pflegen();
}

void Parameter2::showEvent(QShowEvent* e)
{
    pflegen();
    QWidget::showEvent(e);
}

void Parameter2::ZURUECK()
{
    hide();
    if (app.geladen("Grundbild"))
        Seite_Zeigen(*app.bildschirm("Grundbild"));
}

void Parameter2::Seitenwechsel()
{
    Tabulatorfolge_Setzen(app);
    auto& seite1 = app.bildschirm<Parameter>();
    seite1.Parameterseite = 1;
    seite1.setGeometry(QRect(geometry().topLeft(), size().expandedTo(seite1.size())));
    hide();
    Seite_Zeigen(seite1);
}

} // namespace kw
