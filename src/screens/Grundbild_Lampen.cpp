// The main screen's lamp panel.

#include "screens/Grundbild.h"

#include <QFrame>
#include <QGridLayout>
#include <QPushButton>

#include "screens/Anwendung.h"
#include "screens/Grundbild_Hilfen.h"

namespace kw {

using namespace grundbild;

// The lamp panel under the process data: phase kind, outputs, run state, extras.
QWidget* Grundbild::baueLampen()
{
    auto* rahmen = new QFrame;
    rahmen->setFrameShape(QFrame::StyledPanel);
    auto* gl = new QGridLayout(rahmen);
    gl->setHorizontalSpacing(6);
    gl->setVerticalSpacing(6);
    const auto setze = [&](int zeile, int spalte, const char* lampenname, Lampe Anzeige::*wert,
                           const char* labelname, const char* text) {
        auto* lp = lampe(lampenname);
        m_lampen.push_back({lp, wert});
        gl->addWidget(lp, zeile, 2 * spalte);
        auto* lab = beschriftung(labelname, QString::fromUtf8(text));
        gl->addWidget(lab, zeile, 2 * spalte + 1);
        return lab;
    };
    setze(0, 0, "Anzeige_Aufheizen", &Anzeige::Anzeige_Aufheizen, "Label1_8", "Aufheizphase");
    setze(0, 1, "Anzeige_Heizen", &Anzeige::Anzeige_Heizen, "Label1_7", "Konstantphase");
    setze(0, 2, "Anzeige_Kuehlen", &Anzeige::Anzeige_Kuehlen, "Label1_6", "Kühlphase");
    setze(0, 3, "Anzeige_Brauen", &Anzeige::Anzeige_Brauen, "Label1_15", "BRAUEN AKTIV");
    setze(0, 4, "Anzeige_Fertig", &Anzeige::Anzeige_Fertig, "Label1_14", "FERTIG");
    setze(1, 0, "Anzeige_Heizung", &Anzeige::Anzeige_Heizung, "Label1_2", "Heizung");
    setze(1, 1, "Anzeige_Ruehrwerk", &Anzeige::Anzeige_Ruehrwerk, "Label1_3", "Rührwerk");
    setze(1, 2, "Anzeige_Kuehlung", &Anzeige::Anzeige_Kuehlung, "Label1_5", "Kühlung");
    setze(1, 3, "Anzeige_Signal", &Anzeige::Anzeige_Signal, "Label1_4", "Ak.Signal");
    auto* sig = knopf("Option_Signal", app.schalter(&Schaltertexte::Text_Signal_Aus),
                      &Grundbild::Option_Signal_Click, false);
    Schalter_Anmelden(sig, &Anzeige::Option_Signal,
                      schaltertexte(&Schaltertexte::Text_Signal_Ein, &Schaltertexte::Text_Signal_Aus));
    gl->addWidget(sig, 1, 8, 1, 2);
    m_Extra_Lampentext[0] = setze(2, 0, "Anzeige_Extra1", &Anzeige::Anzeige_Extra1, "Label1_11", "Extra1");
    m_Extra_Lampentext[1] = setze(2, 1, "Anzeige_Extra2", &Anzeige::Anzeige_Extra2, "Label1_17", "Extra2");
    m_Extra_Lampentext[2] = setze(2, 2, "Anzeige_Extra3", &Anzeige::Anzeige_Extra3, "Label1_18", "Extra3");
    m_Extra_Lampentext[3] = setze(2, 3, "Anzeige_Extra4", &Anzeige::Anzeige_Extra4, "Label1_19", "Extra4");
    for (int s = 1; s < 10; s += 2)
        gl->setColumnStretch(s, 1);
    return rahmen;
}

} // namespace kw
