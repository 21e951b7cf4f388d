// The main screen's controls: run buttons, modes, manual outputs, simulation, start at a phase.

#include "screens/Grundbild.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "program/Funktionen.h"
#include "screens/Anwendung.h"
#include "screens/Grundbild_Hilfen.h"
#include "screens/Kesselmodellanzeige.h"
#include "screens/Zahlenfeld.h"

namespace kw {

using namespace grundbild;

QWidget* Grundbild::baueBedienung()
{
    auto* g = rahmen("Frame_Bedienung", QStringLiteral("BEDIENUNG"));
    auto* start = knopf("START_BRAUEN", QStringLiteral("START"), &Grundbild::START_BRAUEN_Click, true);
    auto* stop = knopf("STOP_BRAUEN", QStringLiteral("STOP"), &Grundbild::STOP_BRAUEN_Click, true);
    m_PAUSE_BRAUEN = knopf("PAUSE_BRAUEN", QStringLiteral("PAUSE"), &Grundbild::PAUSE_BRAUEN_Click, true);
    for (QPushButton* b : {start, stop, m_PAUSE_BRAUEN}) {
        b->setParent(g);
        b->setMinimumHeight(42);
        QFont f = b->font();
        f.setPointSizeF(f.pointSizeF() + 3);
        f.setBold(true);
        b->setFont(f);
    }
    start->setStyleSheet(QStringLiteral("QPushButton { background: rgb(170,230,170); }"));
    stop->setStyleSheet(QStringLiteral("QPushButton { background: rgb(240,170,170); }"));
    m_PAUSE_BRAUEN->setStyleSheet(QStringLiteral("QPushButton { background: rgb(245,225,150); }"));
    platzHalten(m_PAUSE_BRAUEN);
    m_teile.laufknoepfe = {start, stop, m_PAUSE_BRAUEN};
    return g;
}

QWidget* Grundbild::baueStartAbPhase()
{
    auto* g = rahmen("Phase_setzen", QStringLiteral("Start ab Phase"));
    auto* l = new QGridLayout(g);

    auto* s3 = knopf("switch3", app.schalter(&Schaltertexte::Text_Aktivieren), &Grundbild::switch3_Click,
                     false);
    l->addWidget(s3, 0, 0, 1, 3);

    m_Eingabe_Start_Phase = new Zahlenfeld(Tastenpruefung_Startphase, 2);
    m_Eingabe_Start_Phase->setObjectName(QStringLiteral("Eingabe_Start_Phase"));
    m_Eingabe_Start_Zeit = new Zahlenfeld(Tastenpruefung_Startzeit, 3);
    m_Eingabe_Start_Zeit->setObjectName(QStringLiteral("Eingabe_Start_Zeit"));
    for (Zahlenfeld* f : {m_Eingabe_Start_Phase, m_Eingabe_Start_Zeit}) {
        f->setMaximumWidth(60);
        f->setAlignment(Qt::AlignRight);
        f->installEventFilter(this);
    }
    connect(m_Eingabe_Start_Phase, &Zahlenfeld::abgelehnt, this, [this](int nr) {
        m_Startphase_Abgelehnt = true;
        app.zeige(nr);
    });
    connect(m_Eingabe_Start_Zeit, &Zahlenfeld::abgelehnt, this, [this](int nr) { app.zeige(nr); });
    connect(m_Eingabe_Start_Phase, &Zahlenfeld::losgelassen, this, &Grundbild::Eingabe_Start_Phase_KeyUp);
    connect(m_Eingabe_Start_Zeit, &Zahlenfeld::losgelassen, this, &Grundbild::Eingabe_Start_Zeit_KeyUp);

    l->addWidget(beschriftung("Label5_0", QStringLiteral("Phase:")), 1, 0);
    l->addWidget(m_Eingabe_Start_Phase, 1, 1);
    l->addWidget(beschriftung("Label5_1", QStringLiteral("Zeit:")), 2, 0);
    l->addWidget(m_Eingabe_Start_Zeit, 2, 1);
    l->addWidget(beschriftung("Label5_2", QStringLiteral("Min")), 2, 2);
    l->setColumnStretch(2, 1);

    Schalter_Anmelden(s3, &Anzeige::switch3,
                      schaltertexte(&Schaltertexte::Text_Aktivieren, &Schaltertexte::Text_Deaktivieren));
    return g;
}

QWidget* Grundbild::baueBetriebsarten()
{
    auto* g = rahmen("Frame3", QStringLiteral("BETRIEBSARTEN"));
    auto* l = new QVBoxLayout(g);
    auto* s1 = knopf("Switch1", app.schalter(&Schaltertexte::Text_Simulation_Ein), &Grundbild::Switch1_Click,
                     false);
    auto* s2 = knopf("Switch2", app.schalter(&Schaltertexte::Text_Manuell_Ein), &Grundbild::Switch2_Click,
                     false);
    l->addWidget(s1);
    l->addWidget(s2);
    Schalter_Anmelden(s1, &Anzeige::Switch1,
                      schaltertexte(&Schaltertexte::Text_Simulation_Ein, &Schaltertexte::Text_Simulation_Aus));
    Schalter_Anmelden(s2, &Anzeige::Switch2,
                      schaltertexte(&Schaltertexte::Text_Manuell_Ein, &Schaltertexte::Text_Manuell_Aus));
    return g;
}

QWidget* Grundbild::baueManuell()
{
    m_Frame_Manuell = rahmen("Frame_Manuell", QStringLiteral("MANUELL"));
    auto* l = new QVBoxLayout(m_Frame_Manuell);
    auto* h = knopf("Man_Heizung", app.schalter(&Schaltertexte::Text_Heizung_Ein),
                    &Grundbild::Man_Heizung_Click, false);
    auto* k = knopf("Man_Kuehlung", app.schalter(&Schaltertexte::Text_Kuehlung_Ein),
                    &Grundbild::Man_Kuehlung_Click, false);
    auto* r = knopf("Man_Ruehrwerk", app.schalter(&Schaltertexte::Text_Ruehrwerk_Ein),
                    &Grundbild::Man_Ruehrwerk_Click, false);
    Schalter_Anmelden(h, &Anzeige::Man_Heizung,
                      schaltertexte(&Schaltertexte::Text_Heizung_Ein, &Schaltertexte::Text_Heizung_Aus));
    Schalter_Anmelden(k, &Anzeige::Man_Kuehlung,
                      schaltertexte(&Schaltertexte::Text_Kuehlung_Ein, &Schaltertexte::Text_Kuehlung_Aus));
    Schalter_Anmelden(r, &Anzeige::Man_Ruehrwerk,
                      schaltertexte(&Schaltertexte::Text_Ruehrwerk_Ein, &Schaltertexte::Text_Ruehrwerk_Aus));
    l->addWidget(h);
    l->addWidget(k);
    l->addWidget(r);

    void (Grundbild::*extraHandler[4])() = {&Grundbild::Man_Extra1_Click, &Grundbild::Man_Extra2_Click,
                                            &Grundbild::Man_Extra3_Click, &Grundbild::Man_Extra4_Click};
    Schalttext Anzeige::*extraZustand[4] = {&Anzeige::Man_Extra1, &Anzeige::Man_Extra2, &Anzeige::Man_Extra3,
                                            &Anzeige::Man_Extra4};
    for (int n = 1; n <= 4; ++n) {
        const std::string name = "Man_Extra" + std::to_string(n);
        auto* b = knopf(name.c_str(), QStringLiteral("EXTRA%1 EIN").arg(n), extraHandler[n - 1], false);
        Schalter_Anmelden(b, extraZustand[n - 1], [this, n](Schalttext s) { return extraText(n, s); });
        l->addWidget(b);
    }
    platzHalten(m_Frame_Manuell);
    m_Frame_Manuell->hide();
    return m_Frame_Manuell;
}

QWidget* Grundbild::baueSimulation()
{
    m_Frame_Simulation = rahmen("Frame_Simulation", QStringLiteral("SIMULATION"));
    auto* l = new QGridLayout(m_Frame_Simulation);

    // Range -100..0, the simulated temperature is the absolute value: 100 °C at the top.
    m_Scroll_Sim_IstTemperatur = new QSlider(Qt::Vertical);
    m_Scroll_Sim_IstTemperatur->setObjectName(QStringLiteral("Scroll_Sim_IstTemperatur"));
    m_Scroll_Sim_IstTemperatur->setRange(-100, 0);
    m_Scroll_Sim_IstTemperatur->setValue(0);
    m_Scroll_Sim_IstTemperatur->setInvertedAppearance(true);
    m_Scroll_Sim_IstTemperatur->setInvertedControls(true);
    m_Scroll_Sim_IstTemperatur->setPageStep(10);
    m_Scroll_Sim_IstTemperatur->setMinimumHeight(150);
    connect(m_Scroll_Sim_IstTemperatur, &QSlider::valueChanged, this,
            [this](int position) { app.steuerung().Scroll_Sim_IstTemperatur(position); });

    m_Bar_Sim_IstTemperatur = new Temperaturbalken(QColor(200, 0, 0));
    m_Bar_Sim_IstTemperatur->setObjectName(QStringLiteral("Bar_Sim_IstTemperatur"));
    m_Bar_Sim_IstTemperatur->setNurMarke(true);
    m_Bar_Sim_IstTemperatur->setMinimumHeight(150);

    m_Sim_IstTemperatur = anzeigefeld("Sim_IstTemperatur", 50);
    m_Sim_IstTemperatur->setText(QStringLiteral("0"));

    l->addWidget(m_Bar_Sim_IstTemperatur, 0, 0, 3, 1);
    l->addWidget(m_Scroll_Sim_IstTemperatur, 0, 1, 3, 1);
    l->addWidget(beschriftung("Label4", QStringLiteral("Ist-Temperatur")), 0, 2);
    l->addWidget(m_Sim_IstTemperatur, 1, 2);
    l->addWidget(new Modellschalter(app, m_Scroll_Sim_IstTemperatur), 3, 0, 1, 3);
    l->setRowStretch(2, 1);
    platzHalten(m_Frame_Simulation);
    m_Frame_Simulation->hide();
    return m_Frame_Simulation;
}


// ---------------------------------------------------------------------------
// Run buttons and the buttons of the running phase

void Grundbild::START_BRAUEN_Click() { app.steuerung().START_BRAUEN(); }
void Grundbild::STOP_BRAUEN_Click() { app.steuerung().STOP_BRAUEN(); }
void Grundbild::PAUSE_BRAUEN_Click() { app.steuerung().PAUSE_BRAUEN(); }
void Grundbild::QUITTIEREN_Click() { app.steuerung().QUITTIEREN(); }
void Grundbild::PhaseRauf_Click() { app.steuerung().PhaseRauf(); }
void Grundbild::PhaseRunter_Click() { app.steuerung().PhaseRunter(); }
void Grundbild::ZeitRauf_Click() { app.steuerung().ZeitRauf(); }
void Grundbild::ZeitRunter_Click() { app.steuerung().ZeitRunter(); }
void Grundbild::SollRauf_Click() { app.steuerung().SollRauf(); }
void Grundbild::SollRunter_Click() { app.steuerung().SollRunter(); }

// Toggles: the core switches, the caption follows from the new state.
void Grundbild::Option_Gradient_Click() { app.steuerung().Option_Gradient(); Schalter_Nachfuehren(); }
void Grundbild::Option_Signal_Click() { app.steuerung().Option_Signal(); Schalter_Nachfuehren(); }
void Grundbild::Switch1_Click() { app.steuerung().Switch1(); Schalter_Nachfuehren(); }
void Grundbild::Switch2_Click() { app.steuerung().Switch2(); Schalter_Nachfuehren(); }
void Grundbild::switch3_Click() { app.steuerung().switch3(); Schalter_Nachfuehren(); }
void Grundbild::Man_Heizung_Click() { app.steuerung().Man_Heizung(); Schalter_Nachfuehren(); }
void Grundbild::Man_Kuehlung_Click() { app.steuerung().Man_Kuehlung(); Schalter_Nachfuehren(); }
void Grundbild::Man_Ruehrwerk_Click() { app.steuerung().Man_Ruehrwerk(); Schalter_Nachfuehren(); }
void Grundbild::Man_Extra1_Click() { app.steuerung().Man_Extra1(); Schalter_Nachfuehren(); }
void Grundbild::Man_Extra2_Click() { app.steuerung().Man_Extra2(); Schalter_Nachfuehren(); }
void Grundbild::Man_Extra3_Click() { app.steuerung().Man_Extra3(); Schalter_Nachfuehren(); }
void Grundbild::Man_Extra4_Click() { app.steuerung().Man_Extra4(); Schalter_Nachfuehren(); }

// ---------------------------------------------------------------------------
// Start at an entered phase

bool Grundbild::eventFilter(QObject* o, QEvent* e)
{
    // Each key press starts afresh; a refusal during it marks its release.
    if (o == m_Eingabe_Start_Phase && e->type() == QEvent::KeyPress)
        m_Startphase_Abgelehnt = false;
    return QWidget::eventFilter(o, e);
}

void Grundbild::Eingabe_Start_Phase_KeyUp()
{
    const std::string text = m_Eingabe_Start_Phase->text().toStdString();
    if (m_Startphase_Abgelehnt) {
        // The refused key emptied the field; it stays empty (no clamp to "1").
        m_Startphase_Abgelehnt = false;
        app.anlage.Startphase_Text = text;
        return;
    }
    const std::string geklemmt = app.steuerung().Eingabe_Start_Phase(text);
    if (geklemmt != text)
        m_Eingabe_Start_Phase->setText(q(geklemmt));
}

void Grundbild::Eingabe_Start_Zeit_KeyUp()
{
    app.steuerung().Eingabe_Start_Zeit(m_Eingabe_Start_Zeit->text().toStdString());
}

void Grundbild::Start_ab_Phase_Setzen(int phase, int minuten)
{
    if (!app.anlage.Start_ab_Phase)
        app.steuerung().switch3();
    m_Eingabe_Start_Phase->setText(QString::number(phase));
    m_Eingabe_Start_Zeit->setText(QString::number(minuten));
    m_Eingabe_Start_Phase->setText(q(app.steuerung().Eingabe_Start_Phase(m_Eingabe_Start_Phase->text().toStdString())));
    app.steuerung().Eingabe_Start_Zeit(m_Eingabe_Start_Zeit->text().toStdString());
    Schalter_Nachfuehren();
}

} // namespace kw
