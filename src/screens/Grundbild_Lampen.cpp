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
    auto* tafel = new QFrame;
    tafel->setFrameShape(QFrame::StyledPanel);
    const auto setze = [&](const char* lampenname, Lampe Anzeige::*wert, const char* labelname, const char* text) {
        auto* lp = lampe(lampenname);
        m_lampen.push_back({lp, wert});
        auto* lab = new Lampentext(QString::fromUtf8(text));
        lab->setObjectName(QString::fromLatin1(labelname));
        lp->setParent(tafel);
        lab->setParent(tafel);
        m_teile.lampen.emplace_back(lp, lab);
        return lab;
    };
    setze("Anzeige_Aufheizen", &Anzeige::Anzeige_Aufheizen, "Label1_8", "Aufheizphase");
    setze("Anzeige_Heizen", &Anzeige::Anzeige_Heizen, "Label1_7", "Konstantphase");
    setze("Anzeige_Kuehlen", &Anzeige::Anzeige_Kuehlen, "Label1_6", "Kühlphase");
    setze("Anzeige_Brauen", &Anzeige::Anzeige_Brauen, "Label1_15", "BRAUEN AKTIV");
    setze("Anzeige_Fertig", &Anzeige::Anzeige_Fertig, "Label1_14", "FERTIG");
    setze("Anzeige_Heizung", &Anzeige::Anzeige_Heizung, "Label1_2", "Heizung");
    setze("Anzeige_Ruehrwerk", &Anzeige::Anzeige_Ruehrwerk, "Label1_3", "Rührwerk");
    setze("Anzeige_Kuehlung", &Anzeige::Anzeige_Kuehlung, "Label1_5", "Kühlung");
    setze("Anzeige_Signal", &Anzeige::Anzeige_Signal, "Label1_4", "Ak.Signal");
    m_teile.signal = knopf("Option_Signal", app.schalter(&Schaltertexte::Text_Signal_Aus),
                           &Grundbild::Option_Signal_Click, false);
    m_teile.signal->setParent(tafel);
    Schalter_Anmelden(m_teile.signal, &Anzeige::Option_Signal,
                      schaltertexte(&Schaltertexte::Text_Signal_Ein, &Schaltertexte::Text_Signal_Aus));
    m_Extra_Lampentext[0] = setze("Anzeige_Extra1", &Anzeige::Anzeige_Extra1, "Label1_11", "Extra1");
    m_Extra_Lampentext[1] = setze("Anzeige_Extra2", &Anzeige::Anzeige_Extra2, "Label1_17", "Extra2");
    m_Extra_Lampentext[2] = setze("Anzeige_Extra3", &Anzeige::Anzeige_Extra3, "Label1_18", "Extra3");
    m_Extra_Lampentext[3] = setze("Anzeige_Extra4", &Anzeige::Anzeige_Extra4, "Label1_19", "Extra4");
    return tafel;
}

// Wide: phase kinds and run state, outputs and the signal switch, extras: three
// rows of five. Compact: the same without the signal switch, which goes to the
// modes; on a narrow display five rows of three, smaller.
void Grundbild::Lampen_Anordnen(bool kompakt)
{
    const bool eng = kompakt && m_Schmal;
    delete m_teile.lampentafel->layout();
    auto* gl = new QGridLayout(m_teile.lampentafel);
    gl->setHorizontalSpacing(eng ? 4 : 6);
    gl->setVerticalSpacing(eng ? 2 : kompakt ? 4 : 6);
    if (kompakt)
        gl->setContentsMargins(6, 3, 6, 3);
    for (auto& [lampe, text] : m_teile.lampen) {
        lampe->setFixedSize(eng ? QSize(16, 16) : QSize(22, 22));
        text->setMinimumHeight(eng ? 16 : 0);
    }
    const auto& l = m_teile.lampen;
    const auto setze = [&](std::size_t i, int zeile, int spalte) {
        gl->addWidget(l[i].first, zeile, 2 * spalte);
        gl->addWidget(l[i].second, zeile, 2 * spalte + 1);
    };
    if (!eng) {
        for (std::size_t i = 0; i < 5; ++i)
            setze(i, 0, static_cast<int>(i));
        for (std::size_t i = 5; i < 9; ++i)
            setze(i, 1, static_cast<int>(i - 5));
        if (!kompakt) {
            gl->addWidget(m_teile.signal, 1, 8, 1, 2);
            m_teile.signal->show();
        }
        for (std::size_t i = 9; i < 13; ++i)
            setze(i, 2, static_cast<int>(i - 9));
        for (int s = 1; s < 10; s += 2)
            gl->setColumnStretch(s, 1);
        return;
    }
    // phase kinds; outputs; run state and signal; extras
    const int platz[13][2] = {{0, 0}, {0, 1}, {0, 2}, {2, 0}, {2, 1}, {1, 0}, {1, 1}, {1, 2}, {2, 2},
                              {3, 0}, {3, 1}, {3, 2}, {4, 0}};
    for (std::size_t i = 0; i < 13; ++i)
        setze(i, platz[i][0], platz[i][1]);
    for (int s = 1; s < 6; s += 2)
        gl->setColumnStretch(s, 1);
}

} // namespace kw
