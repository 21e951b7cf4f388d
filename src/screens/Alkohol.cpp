#include "screens/Alkohol.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "aids/Alkohol.h"
#include "screens/Anwendung.h"
#include "screens/Hilfsfelder.h"

namespace kw {

using hilfen::Beschriftung;
using hilfen::Dezimalfeld;
using hilfen::Textfeld;

Alkohol::Alkohol(Anwendung& app) : QWidget(nullptr), m_app(app)
{
    setWindowTitle(QStringLiteral("Alkohol - und  Kalorien - Berechnung"));
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* titel = Beschriftung("Label1", {}, this);
    QFont gross = titel->font();
    gross.setPointSizeF(gross.pointSizeF() * 1.4);
    gross.setBold(true);
    titel->setFont(gross);
    titel->setAlignment(Qt::AlignCenter);

    auto* g = new QGridLayout;
    g->setHorizontalSpacing(10);
    int zeile = 0;
    auto reihe = [&](const char* label, QLineEdit* feld, const char* einheit) {
        g->addWidget(Beschriftung(label, {}, this), zeile, 0);
        feld->setFixedWidth(150);
        g->addWidget(feld, zeile, 1);
        g->addWidget(Beschriftung("", QString::fromUtf8(einheit), this), zeile, 2);
        ++zeile;
    };
    m_Stammwuerze = Dezimalfeld(app, "Stammwuerze", this);
    reihe("Label2", m_Stammwuerze, "°P");
    m_Restextrakt = Dezimalfeld(app, "Restextrakt", this);
    reihe("Label3", m_Restextrakt, "°P");

    auto* linie = new QFrame(this);
    linie->setFrameShape(QFrame::HLine);
    linie->setFrameShadow(QFrame::Sunken);
    g->addWidget(linie, zeile++, 0, 1, 3);

    m_Alkohol_Gew = Textfeld("Alkohol_Gew", this);
    reihe("Label4", m_Alkohol_Gew, "%");
    m_Alkohol_Vol = Textfeld("Alkohol_Vol", this);
    reihe("Label5", m_Alkohol_Vol, "%");
    m_Brennwert_kcal = Textfeld("Brennwert_kcal", this);
    reihe("Label6", m_Brennwert_kcal, "kcal");
    m_Energie_KJ = Textfeld("Energie_KJ", this);
    reihe("Label7", m_Energie_KJ, "kJ");
    for (QLineEdit* f : {m_Alkohol_Gew, m_Alkohol_Vol, m_Brennwert_kcal, m_Energie_KJ})
        f->setReadOnly(true);
    g->setColumnStretch(3, 1);

    auto* calc = hilfen::Knopf("Command2", QStringLiteral("CALC"), this);
    connect(calc, &QPushButton::clicked, this, &Alkohol::CALC_Klick);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    knoepfe->addWidget(calc);
    knoepfe->addWidget(hilfen::Zurueck_Knopf(app, *this, "Command1", "Berechnungen"));

    auto* haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(20, 16, 20, 16);
    haupt->addWidget(titel);
    haupt->addSpacing(12);
    haupt->addLayout(g);
    haupt->addSpacing(12);
    haupt->addStretch(1);
    haupt->addLayout(knoepfe);
}

void Alkohol::CALC_Klick()
{
    const AlkoholErgebnis r = Alkohol_Berechnen(m_Stammwuerze->text().toStdString(),
                                                m_Restextrakt->text().toStdString(),
                                                m_app.anlage.Dezimaltrenner);
    hilfen::Ergebnis_Zeigen(m_app, r.meldung,
                            {{m_Alkohol_Gew, r.Alkohol_Gew},
                             {m_Alkohol_Vol, r.Alkohol_Vol},
                             {m_Brennwert_kcal, r.Brennwert_kcal},
                             {m_Energie_KJ, r.Energie_KJ}});
}

} // namespace kw
