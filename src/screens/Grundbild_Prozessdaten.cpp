// The main screen's process data of the running phase: phase, temperatures, kettle, times.

#include "screens/Grundbild.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "screens/Anwendung.h"
#include "screens/Grundbild_Hilfen.h"
#include "screens/Untergrund.h"
#include "screens/Vorhersageanzeige.h"

namespace kw {

using namespace grundbild;

// The widgets are made here, children of the frame; Prozessdaten_Anordnen places them.
QWidget* Grundbild::baueProzessdaten()
{
    auto* g = rahmen("Frame2", QStringLiteral("Prozessdaten aktuelle Heizphase"));
    Teile& t = m_teile;

    // phase number and title
    auto* phase = anzeigefeld("Anzeige_Phase", 44, &Anzeige::Anzeige_Phase);
    phase->setMaximumWidth(56);
    auto* runter = knopf("PhaseRunter", QStringLiteral("<"), &Grundbild::PhaseRunter_Click, false);
    auto* rauf = knopf("PhaseRauf", QStringLiteral(">"), &Grundbild::PhaseRauf_Click, false);
    m_Anzeige_KommentarPhase = anzeigefeld("Anzeige_KommentarPhase", 200);
    t.phasenzeile = {beschriftung("Label1_0", QStringLiteral("Phase:")), phase, runter, rauf,
                     m_Anzeige_KommentarPhase};

    // temperatures with their bars, and the kettle
    t.temperaturtitel = beschriftung("Label1_13", QStringLiteral("Temperatur-Anzeigen [°C]"));
    QFont tf = t.temperaturtitel->font();
    tf.setBold(true);
    t.temperaturtitel->setFont(tf);

    // actual, moving target, target: label, number and bar in one column each
    const struct {
        const char* label;
        const char* text;
        const char* feldname;
        std::string Anzeige::*feldwert;
        const char* balkenname;
        float Anzeige::*balkenwert;
        QColor farbe;
    } spalten[] = {
        {"Label1_9", "Aktuell", "Anzeige_TempIst", &Anzeige::Anzeige_TempIst, "Bar_Sim_IstTemperatur2",
         &Anzeige::Bar_Sim_IstTemperatur2, QColor(220, 60, 40)},
        {"Label1_16", "Soll  Akt.", "Anzeige_TempSollAct", &Anzeige::Anzeige_TempSollAct, "Bar_TempSollAct",
         &Anzeige::Bar_TempSollAct, QColor(240, 170, 40)},
        {"Label1_1", "Soll  Ende", "Anzeige_TempSoll", &Anzeige::Anzeige_TempSoll, "Bar_TempSoll",
         &Anzeige::Bar_TempSoll, QColor(60, 120, 220)},
    };
    for (int i = 0; i < 3; ++i) {
        const auto& sp = spalten[i];
        auto* lab = beschriftung(sp.label, QString::fromUtf8(sp.text));
        lab->setAlignment(Qt::AlignCenter);
        auto* feld = anzeigefeld(sp.feldname, 80, sp.feldwert);
        if (i == 0)
            m_Anzeige_TempIst = feld;
        QFont font = feld->font();
        font.setPointSizeF(font.pointSizeF() + 4);
        feld->setFont(font);
        feld->setMaximumWidth(110);
        auto* balken = new Temperaturbalken(sp.farbe);
        balken->setObjectName(QString::fromLatin1(sp.balkenname));
        m_balken.push_back({balken, sp.balkenwert});
        t.tempbeschriftung[i] = lab;
        t.tempfeld[i] = feld;
        t.balken[i] = balken;
    }
    t.gradient = knopf("Option_Gradient", app.schalter(&Schaltertexte::Text_Grad_Aus),
                       &Grundbild::Option_Gradient_Click, false);
    Schalter_Anmelden(t.gradient, &Anzeige::Option_Gradient,
                      schaltertexte(&Schaltertexte::Text_Grad_Ein, &Schaltertexte::Text_Grad_Aus));
    t.sollRunter = knopf("SollRunter", QStringLiteral("<<"), &Grundbild::SollRunter_Click, false);
    t.sollRauf = knopf("SollRauf", QStringLiteral(">>"), &Grundbild::SollRauf_Click, false);

    t.kessel = new Kesselbild;
    t.kessel->setObjectName(QStringLiteral("Kessel"));
    m_Anzeige_Feuer = t.kessel->feuer;
    m_wolken = {{t.kessel->wolke_gross, &Anzeige::Anzeige_Wolke_Gross},
                {t.kessel->wolke_mittel, &Anzeige::Anzeige_Wolke_Mittel},
                {t.kessel->wolke_klein, &Anzeige::Anzeige_Wolke_Klein}};
    m_lampen.push_back({t.kessel->ruehr1, &Anzeige::Anzeige_Ruehr1});
    m_lampen.push_back({t.kessel->ruehr2, &Anzeige::Anzeige_Ruehr2});

    // times
    auto* startzeit = anzeigefeld("Anzeige_Startzeit", 190, &Anzeige::Anzeige_Startzeit);
    m_Anzeige_Endzeit = anzeigefeld("Anzeige_Endzeit", 190, &Anzeige::Anzeige_Endzeit);
    auto* zeitAct = anzeigefeld("Anzeige_ZeitAct", 110, &Anzeige::Anzeige_ZeitAct);
    platzHalten(m_Anzeige_Endzeit);
    // The clock changes every second and repaints only itself.
    Untergrund::anlegen(zeitAct);
    m_Label1_10 = beschriftung("Label1_10", QStringLiteral("Zeit Aktuell"));
    t.zeitbeschriftung = {beschriftung("Label1_12", QStringLiteral("Startzeit Phase")),
                          beschriftung("Text_Endzeit_11", QStringLiteral("Endzeit Phase")), m_Label1_10};
    t.zeitfeld = {startzeit, m_Anzeige_Endzeit, zeitAct};
    t.zeitRunter = knopf("ZeitRunter", QStringLiteral("-5 Min"), &Grundbild::ZeitRunter_Click, false);
    t.zeitRauf = knopf("ZeitRauf", QStringLiteral("+5 Min"), &Grundbild::ZeitRauf_Click, false);
    t.vorhersage = new Vorhersageanzeige(app, g);   // the predicted end of the program

    t.lampentafel = baueLampen();

    std::vector<QWidget*> alle(t.phasenzeile.begin(), t.phasenzeile.end());
    alle.insert(alle.end(), {t.temperaturtitel, t.gradient, t.sollRunter, t.sollRauf, t.kessel, t.zeitRunter,
                             t.zeitRauf, t.lampentafel});
    for (int i = 0; i < 3; ++i)
        alle.insert(alle.end(), {t.tempbeschriftung[i], t.tempfeld[i], t.balken[i], t.zeitbeschriftung[i],
                                 t.zeitfeld[i]});
    for (QWidget* w : alle)
        w->setParent(g);
    return g;
}

// Wide: phase row; the temperature columns beside a large kettle; the times with
// -5/+5 in one row; the lamps in five columns. Compact: the same rows, a small
// kettle with -5/+5 under it; on a narrow display smaller date fields and the
// lamps in three columns.
void Grundbild::Prozessdaten_Anordnen(bool kompakt)
{
    Teile& t = m_teile;
    delete t.prozessdaten->layout();
    auto* l = new QVBoxLayout(t.prozessdaten);
    l->setSpacing(kompakt ? 4 : 8);
    if (kompakt)
        l->setContentsMargins(6, 4, 6, 4);

    auto* z = new QHBoxLayout;
    z->addWidget(t.phasenzeile[0]);
    z->addWidget(t.phasenzeile[1]);
    z->addWidget(t.phasenzeile[2]);
    z->addWidget(t.phasenzeile[3]);
    z->addWidget(t.phasenzeile[4], 1);
    for (QWidget* k : {t.phasenzeile[2], t.phasenzeile[3]})
        k->setMaximumWidth(kompakt ? 48 : 40);
    m_Anzeige_KommentarPhase->setMinimumWidth(kompakt ? 100 : 200);
    // A title longer than the field shows its beginning.
    m_Anzeige_KommentarPhase->setAlignment(kompakt ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    l->addLayout(z);

    auto* mitte = new QHBoxLayout;
    auto* temp = new QGridLayout;
    temp->setVerticalSpacing(kompakt ? 2 : 4);
    // The title says what the columns say already; a small display leaves it out.
    t.temperaturtitel->setVisible(!kompakt);
    if (!kompakt)
        temp->addWidget(t.temperaturtitel, 0, 0, 1, 3);
    for (int i = 0; i < 3; ++i) {
        temp->addWidget(t.tempbeschriftung[i], 1, i, Qt::AlignHCenter);
        temp->addWidget(t.tempfeld[i], 2, i);
        temp->addWidget(t.balken[i], 3, i, Qt::AlignHCenter);
        t.tempfeld[i]->setMinimumWidth(kompakt ? 60 : 80);
        t.balken[i]->setMinimumHeight(kompakt ? 56 : 150);
    }
    // Short captions: as narrow as a fingertip allows (a text button asks for 80 pixels).
    for (QPushButton* b : {t.sollRunter, t.sollRauf, t.zeitRunter, t.zeitRauf})
        b->setMinimumWidth(kompakt ? 44 : 0);
    for (QPushButton* b : {t.zeitRunter, t.zeitRauf})
        b->setMaximumWidth(kompakt ? 120 : QWIDGETSIZE_MAX);
    temp->setRowStretch(3, 1);
    temp->addWidget(t.gradient, 4, 1);
    auto* soll = new QHBoxLayout;
    soll->addWidget(t.sollRunter);
    soll->addWidget(t.sollRauf);
    temp->addLayout(soll, 4, 2);
    mitte->addLayout(temp, 3);

    t.kessel->setKlein(kompakt);
    auto* zeitKnoepfe = new QHBoxLayout;
    zeitKnoepfe->addWidget(t.zeitRunter);
    zeitKnoepfe->addWidget(t.zeitRauf);
    if (kompakt) {
        auto* kesselspalte = new QVBoxLayout;
        kesselspalte->addWidget(t.kessel, 1);
        kesselspalte->addLayout(zeitKnoepfe);
        mitte->addLayout(kesselspalte, 2);
    } else {
        mitte->addWidget(t.kessel, 2);
    }
    l->addLayout(mitte, 1);

    auto* zeiten = new QGridLayout;
    zeiten->setVerticalSpacing(kompakt ? 0 : 6);
    for (int i = 0; i < 3; ++i) {
        zeiten->addWidget(t.zeitbeschriftung[i], 0, i);
        zeiten->addWidget(t.zeitfeld[i], 1, i);
        zeiten->setColumnStretch(i, i < 2 ? 4 : 3);
    }
    // Date and time in the plain size: three fields side by side in 400 pixels.
    for (int i = 0; i < 3; ++i) {
        const bool klein = kompakt && m_Schmal && i < 2;
        QFont f = t.zeitfeld[i]->font();
        f.setPointSizeF(font().pointSizeF() + (klein ? -1 : 2));
        f.setBold(!klein);
        t.zeitfeld[i]->setFont(f);
        t.zeitfeld[i]->setMinimumWidth(kompakt ? 0 : (i < 2 ? 190 : 110));
        t.zeitfeld[i]->setMaximumWidth(kompakt && i == 2 ? 100 : QWIDGETSIZE_MAX);
    }
    if (!kompakt)
        zeiten->addLayout(zeitKnoepfe, 1, 3, 1, 2);
    // Under the phase's start and end; on a small display across the whole row.
    zeiten->addWidget(t.vorhersage, 2, 0, 1, kompakt ? 3 : 2);
    l->addLayout(zeiten);

    Lampen_Anordnen(kompakt);
    l->addWidget(t.lampentafel);
}

} // namespace kw
