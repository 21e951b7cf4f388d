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

QWidget* Grundbild::baueProzessdaten()
{
    auto* g = rahmen("Frame2", QStringLiteral("Prozessdaten aktuelle Heizphase"));
    auto* l = new QVBoxLayout(g);
    l->setSpacing(8);

    // phase number and title
    {
        auto* z = new QHBoxLayout;
        z->addWidget(beschriftung("Label1_0", QStringLiteral("Phase:")));
        auto* phase = anzeigefeld("Anzeige_Phase", 44, &Anzeige::Anzeige_Phase);
        phase->setMaximumWidth(56);
        z->addWidget(phase);
        auto* runter = knopf("PhaseRunter", QStringLiteral("<"), &Grundbild::PhaseRunter_Click, false);
        auto* rauf = knopf("PhaseRauf", QStringLiteral(">"), &Grundbild::PhaseRauf_Click, false);
        runter->setMaximumWidth(40);
        rauf->setMaximumWidth(40);
        z->addWidget(runter);
        z->addWidget(rauf);
        m_Anzeige_KommentarPhase = anzeigefeld("Anzeige_KommentarPhase", 200);
        z->addWidget(m_Anzeige_KommentarPhase, 1);
        l->addLayout(z);
    }

    // temperatures with their bars, and the kettle
    {
        auto* z = new QHBoxLayout;
        auto* temp = new QGridLayout;
        temp->setVerticalSpacing(4);
        auto* titel = beschriftung("Label1_13", QStringLiteral("Temperatur-Anzeigen [°C]"));
        QFont tf = titel->font();
        tf.setBold(true);
        titel->setFont(tf);
        temp->addWidget(titel, 0, 0, 1, 3);

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
            temp->addWidget(lab, 1, i, Qt::AlignHCenter);
            temp->addWidget(feld, 2, i);
            temp->addWidget(balken, 3, i, Qt::AlignHCenter);
        }
        temp->setRowStretch(3, 1);

        auto* grad = knopf("Option_Gradient", app.schalter(&Schaltertexte::Text_Grad_Aus),
                           &Grundbild::Option_Gradient_Click, false);
        Schalter_Anmelden(grad, &Anzeige::Option_Gradient,
                          schaltertexte(&Schaltertexte::Text_Grad_Ein, &Schaltertexte::Text_Grad_Aus));
        temp->addWidget(grad, 4, 1);
        auto* sollKnoepfe = new QHBoxLayout;
        auto* sr = knopf("SollRunter", QStringLiteral("<<"), &Grundbild::SollRunter_Click, false);
        auto* sa = knopf("SollRauf", QStringLiteral(">>"), &Grundbild::SollRauf_Click, false);
        sollKnoepfe->addWidget(sr);
        sollKnoepfe->addWidget(sa);
        temp->addLayout(sollKnoepfe, 4, 2);

        z->addLayout(temp, 3);
        auto* kessel = new Kesselbild;
        kessel->setObjectName(QStringLiteral("Kessel"));
        m_Anzeige_Feuer = kessel->feuer;
        m_wolken = {{kessel->wolke_gross, &Anzeige::Anzeige_Wolke_Gross},
                    {kessel->wolke_mittel, &Anzeige::Anzeige_Wolke_Mittel},
                    {kessel->wolke_klein, &Anzeige::Anzeige_Wolke_Klein}};
        m_lampen.push_back({kessel->ruehr1, &Anzeige::Anzeige_Ruehr1});
        m_lampen.push_back({kessel->ruehr2, &Anzeige::Anzeige_Ruehr2});
        z->addWidget(kessel, 2);
        l->addLayout(z, 1);
    }

    // times
    {
        auto* t = new QGridLayout;
        auto* startzeit = anzeigefeld("Anzeige_Startzeit", 190, &Anzeige::Anzeige_Startzeit);
        m_Anzeige_Endzeit = anzeigefeld("Anzeige_Endzeit", 190, &Anzeige::Anzeige_Endzeit);
        auto* zeitAct = anzeigefeld("Anzeige_ZeitAct", 110, &Anzeige::Anzeige_ZeitAct);
        platzHalten(m_Anzeige_Endzeit);
        m_Label1_10 = beschriftung("Label1_10", QStringLiteral("Zeit Aktuell"));
        t->addWidget(beschriftung("Label1_12", QStringLiteral("Startzeit Phase")), 0, 0);
        t->addWidget(beschriftung("Text_Endzeit_11", QStringLiteral("Endzeit Phase")), 0, 1);
        t->addWidget(m_Label1_10, 0, 2);
        t->addWidget(startzeit, 1, 0);
        t->addWidget(m_Anzeige_Endzeit, 1, 1);
        t->addWidget(zeitAct, 1, 2);
        // The clock changes every second and repaints only itself.
        Untergrund::anlegen(zeitAct);
        auto* zr = knopf("ZeitRunter", QStringLiteral("-5 Min"), &Grundbild::ZeitRunter_Click, false);
        auto* za = knopf("ZeitRauf", QStringLiteral("+5 Min"), &Grundbild::ZeitRauf_Click, false);
        t->addWidget(zr, 1, 3);
        t->addWidget(za, 1, 4);
        t->addWidget(new Vorhersageanzeige(app), 2, 0, 1, 2);   // the predicted end, under the phase's times
        l->addLayout(t);
    }

    l->addWidget(baueLampen());
    return g;
}

} // namespace kw
