// The main screen's two arrangements and the pages of the compact one.

#include "screens/Grundbild.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QSlider>
#include <QSpacerItem>
#include <QStackedWidget>

#include "screens/Anwendung.h"
#include "screens/Grundbild_Hilfen.h"
#include "screens/Zahlenfeld.h"

namespace kw {

using namespace grundbild;

namespace {

// Smallest height of a button in the compact arrangement [px]: about 8 mm on a
// 7-inch 800×480 display, a fingertip.
constexpr int Finger = 40;
// The run buttons and QUITTIEREN, the ones hit in a hurry.
constexpr int Finger_Lauf = 42;
// Left and right column of the compact arrangement [px].
constexpr int Kompakt_Links = 140;
constexpr int Kompakt_Rechts = 190;
// Below this window width the lamps take three columns and the dates a smaller font [px].
constexpr int Schmal_Unter = 1000;

// A panel into a layout (at `stelle`, or at its end) with its own shown or hidden
// state: a new parent would hide it, and Qt shows it again only after the event
// loop has run. Hidden by the program (a mode panel that is off) it stays hidden.
void einsetzen(QBoxLayout* l, QWidget* w, int stretch = 0, int stelle = -1)
{
    const bool versteckt = w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide);
    l->insertWidget(stelle, w, stretch);
    w->setVisible(!versteckt);
}

// A side column: exactly as wide as given (wide), or as given and wider where a
// caption of the language in effect asks for it (compact).
QWidget* spalte(QBoxLayout*& l, int breite, bool mitwachsend)
{
    auto* w = new QWidget;
    l = new QVBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    if (mitwachsend) {
        // No minimum width set: that would let the layout squeeze the captions.
        l->addItem(new QSpacerItem(breite, 0, QSizePolicy::Fixed, QSizePolicy::Fixed));
        w->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    } else {
        w->setFixedWidth(breite);
    }
    return w;
}

} // namespace

QSize Grundbild::sizeHint() const { return QWidget::sizeHint().expandedTo(m_Breit_Wunsch); }

void Grundbild::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    // Measured while the wide arrangement is in effect: the captions of the language in effect.
    if (!m_Kompakt)
        m_Breit_Minimum = m_Anordnung->minimumSizeHint();
    const QSize s = e->size();
    const bool schmal = s.width() < Schmal_Unter;
    const bool kompakt = s.width() < m_Breit_Minimum.width() || s.height() < m_Breit_Minimum.height();
    if (schmal != m_Schmal) {
        m_Schmal = schmal;
        if (m_Kompakt && kompakt)
            Prozessdaten_Anordnen(true);
    }
    Anordnen(kompakt);
}

int Grundbild::seite() const { return m_Seiten ? m_Seiten->currentIndex() : Seite_Funktionen; }

void Grundbild::Anordnen(bool kompakt)
{
    if (m_Angeordnet && kompakt == m_Kompakt)
        return;
    m_Angeordnet = true;
    m_Kompakt = kompakt;
    const int seite_vorher = seite();

    // Every panel back to the arrangement's widget, the old containers away.
    const std::vector<QWidget*> teile = {
        m_teile.kopf, m_teile.bedienung, m_teile.betriebsarten, m_Frame_Manuell, m_teile.funktionen,
        m_teile.startAbPhase, m_Frame_Simulation, m_teile.prozessdaten, m_teile.mqtt, m_teile.seitenknopf};
    for (QWidget* w : teile)
        w->setParent(m_Anordnung);   // keeps a hidden panel hidden
    delete m_Anordnung->layout();
    for (QWidget* b : m_Behaelter)
        delete b;
    m_Behaelter.clear();
    m_Seiten = nullptr;

    // Finger-sized buttons on a small display; each keeps its own larger height.
    for (QPushButton* b : findChildren<QPushButton*>()) {
        if (!b->property("kw_hoehe").isValid())
            b->setProperty("kw_hoehe", b->minimumHeight());
        const int eigen = b->property("kw_hoehe").toInt();
        b->setMinimumHeight(kompakt ? std::max(eigen, Finger) : eigen);
    }
    for (QPushButton* b : m_teile.laufknoepfe)
        b->setMinimumHeight(kompakt ? Finger_Lauf : 42);
    m_teile.quittieren->setMinimumHeight(kompakt ? Finger_Lauf : 40);
    // The two start fields and the simulation slider: a fingertip, too.
    for (QWidget* w : {static_cast<QWidget*>(m_Eingabe_Start_Phase), static_cast<QWidget*>(m_Eingabe_Start_Zeit)})
        w->setMinimumHeight(kompakt ? Finger : 0);
    m_Scroll_Sim_IstTemperatur->setMinimumWidth(kompakt ? Finger : 0);
    Simulation_Anordnen(kompakt);
    StartAbPhase_Anordnen(kompakt);

    Kopf_Anordnen(kompakt);
    Bedienung_Anordnen(kompakt);
    Funktionen_Anordnen(kompakt);
    Prozessdaten_Anordnen(kompakt);
    // The panels whose layout stays: closer together on a small display.
    for (QWidget* w : {static_cast<QWidget*>(m_teile.betriebsarten), static_cast<QWidget*>(m_Frame_Manuell),
                       static_cast<QWidget*>(m_teile.startAbPhase), static_cast<QWidget*>(m_Frame_Simulation)}) {
        w->layout()->setContentsMargins(kompakt ? QMargins(6, 4, 6, 6) : QMargins(9, 9, 9, 9));
        w->layout()->setSpacing(kompakt ? 4 : 6);
    }
    // The signal switch beside the other modes, where the lamps leave it no room.
    if (kompakt) {
        auto* l = static_cast<QBoxLayout*>(m_teile.betriebsarten->layout());
        l->addWidget(m_teile.signal);
        m_teile.signal->show();
    }

    auto* haupt = new QVBoxLayout(m_Anordnung);
    haupt->setContentsMargins(kompakt ? QMargins(4, 2, 4, 4) : QMargins(8, 6, 8, 8));
    haupt->setSpacing(kompakt ? 4 : 6);
    einsetzen(haupt, m_teile.kopf);
    auto* mitte = new QHBoxLayout;
    mitte->setSpacing(kompakt ? 4 : 8);
    haupt->addLayout(mitte, 1);

    QBoxLayout* links = nullptr;
    QBoxLayout* rechts = nullptr;
    QWidget* linksBox = spalte(links, kompakt ? Kompakt_Links : 210, kompakt);
    QWidget* rechtsBox = spalte(rechts, kompakt ? Kompakt_Rechts : 250, kompakt);
    m_Behaelter = {linksBox, rechtsBox};
    einsetzen(links, m_teile.bedienung);
    einsetzen(links, m_teile.betriebsarten);
    if (!kompakt) {
        einsetzen(links, m_Frame_Manuell);
        links->addStretch(1);
        einsetzen(links, m_teile.mqtt);   // in the free space at the bottom
        einsetzen(rechts, m_teile.funktionen);
        einsetzen(rechts, m_teile.startAbPhase);
        einsetzen(rechts, m_Frame_Simulation);
        rechts->addStretch(1);
        m_teile.seitenknopf->hide();
        m_teile.seitenknopf->setParent(m_Anordnung);
    } else {
        links->addStretch(1);
        // The status of the MQTT link goes to the head.
        if (auto* kopf = qobject_cast<QBoxLayout*>(m_teile.kopf->layout()))
            einsetzen(kopf, m_teile.mqtt, 0, kopf->indexOf(m_Anzeige_RufQuitt));
        m_Seiten = new QStackedWidget;
        m_Seiten->setObjectName(QStringLiteral("Seiten"));
        const auto seitenblatt = [this](std::initializer_list<QWidget*> inhalt) {
            auto* blatt = new QWidget;
            auto* l = new QVBoxLayout(blatt);
            l->setContentsMargins(0, 0, 0, 0);
            for (QWidget* w : inhalt)
                einsetzen(l, w);
            l->addStretch(1);
            m_Seiten->addWidget(blatt);
        };
        seitenblatt({m_teile.funktionen});
        seitenblatt({m_Frame_Manuell});
        seitenblatt({m_teile.startAbPhase, m_Frame_Simulation});
        rechts->addWidget(m_Seiten, 1);
        einsetzen(rechts, m_teile.seitenknopf);
        m_teile.seitenknopf->show();
        m_Seiten->setCurrentIndex(seite_vorher);
        // A manual switch on in the background: the page comes when the mode does.
        m_Manuell_Gesehen = app.anlage.Manuell != 0;
        m_Simulation_Gesehen = app.anlage.Simulation != 0;
        if (seite_vorher == Seite_Manuell && !m_Manuell_Gesehen)
            m_Seiten->setCurrentIndex(Seite_Funktionen);
        Seitenknopf_Beschriften();
    }
    mitte->addWidget(linksBox);
    einsetzen(mitte, m_teile.prozessdaten, 1);
    mitte->addWidget(rechtsBox);
}

// Wide: scale, slider, and the value with its caption beside them. Compact: the
// caption and the value under a shorter slider, so that a long caption does not
// widen the column.
void Grundbild::Simulation_Anordnen(bool kompakt)
{
    auto* beschriftung = m_Frame_Simulation->findChild<QLabel*>(QStringLiteral("Label4"));
    delete m_Frame_Simulation->layout();
    auto* l = new QGridLayout(m_Frame_Simulation);
    m_Sim_IstTemperatur->setMaximumWidth(kompakt ? 80 : QWIDGETSIZE_MAX);
    for (QWidget* w : {static_cast<QWidget*>(m_Scroll_Sim_IstTemperatur), static_cast<QWidget*>(m_Bar_Sim_IstTemperatur)})
        w->setMinimumHeight(kompakt ? 90 : 150);
    if (kompakt) {
        l->addWidget(m_Bar_Sim_IstTemperatur, 0, 0);
        l->addWidget(m_Scroll_Sim_IstTemperatur, 0, 1);
        l->addWidget(beschriftung, 1, 0, 1, 3);
        l->addWidget(m_Sim_IstTemperatur, 2, 0, 1, 3);
        l->setColumnStretch(2, 1);
    } else {
        l->addWidget(m_Bar_Sim_IstTemperatur, 0, 0, 3, 1);
        l->addWidget(m_Scroll_Sim_IstTemperatur, 0, 1, 3, 1);
        l->addWidget(beschriftung, 0, 2);
        l->addWidget(m_Sim_IstTemperatur, 1, 2);
        l->setRowStretch(2, 1);
    }
    auto* modell = m_Frame_Simulation->findChild<QCheckBox*>(QStringLiteral("Sim_Modell"));
    modell->setMinimumHeight(kompakt ? Finger : 0);   // a fingertip, too
    l->addWidget(modell, 3, 0, 1, 3);
}

// Wide: phase and minutes one under the other. Compact: side by side, a row less.
void Grundbild::StartAbPhase_Anordnen(bool kompakt)
{
    QGroupBox* g = m_teile.startAbPhase;
    const auto kind = [g](const char* name) { return g->findChild<QWidget*>(QString::fromLatin1(name)); };
    QWidget* aktivieren = kind("switch3");
    QWidget* phase = kind("Label5_0");
    QWidget* zeit = kind("Label5_1");
    QWidget* minuten = kind("Label5_2");
    delete g->layout();
    auto* l = new QGridLayout(g);
    if (kompakt) {
        l->addWidget(aktivieren, 0, 0, 1, 5);
        l->addWidget(phase, 1, 0);
        l->addWidget(m_Eingabe_Start_Phase, 1, 1);
        l->addWidget(zeit, 1, 2);
        l->addWidget(m_Eingabe_Start_Zeit, 1, 3);
        l->addWidget(minuten, 1, 4);
        l->setColumnStretch(4, 1);
    } else {
        l->addWidget(aktivieren, 0, 0, 1, 3);
        l->addWidget(phase, 1, 0);
        l->addWidget(m_Eingabe_Start_Phase, 1, 1);
        l->addWidget(zeit, 2, 0);
        l->addWidget(m_Eingabe_Start_Zeit, 2, 1);
        l->addWidget(minuten, 2, 2);
        l->setColumnStretch(2, 1);
    }
    for (QWidget* f : {static_cast<QWidget*>(m_Eingabe_Start_Phase), static_cast<QWidget*>(m_Eingabe_Start_Zeit)})
        f->setMaximumWidth(kompakt ? 48 : 60);
}

void Grundbild::Kopf_Anordnen(bool kompakt)
{
    const qreal basis = font().pointSizeF();
    QFont nf = m_teile.name->font();
    nf.setPointSizeF(basis + (kompakt ? 3 : 8));
    m_teile.name->setFont(nf);
    m_teile.biersorte->setMinimumWidth(kompakt ? 100 : 300);
    QFont rf = m_Anzeige_RufQuitt->font();
    rf.setPointSizeF(basis + (kompakt ? 2 : 6));
    m_Anzeige_RufQuitt->setFont(rf);
    m_Anzeige_RufQuitt->setMinimumWidth(kompakt ? 0 : 260);
    m_teile.logo->setVisible(!kompakt);
}

void Grundbild::Bedienung_Anordnen(bool kompakt)
{
    delete m_teile.bedienung->layout();
    auto* l = new QVBoxLayout(m_teile.bedienung);
    if (kompakt)
        l->setContentsMargins(6, 4, 6, 6);
    for (QPushButton* b : m_teile.laufknoepfe)
        l->addWidget(b);
    // A call is acknowledged beside STOP, where no page can hide it.
    if (kompakt) {
        l->addSpacing(4);
        einsetzen(l, m_teile.quittieren);
    }
}

void Grundbild::Funktionen_Anordnen(bool kompakt)
{
    delete m_teile.funktionen->layout();
    auto* l = new QVBoxLayout(m_teile.funktionen);
    if (kompakt) {
        l->setContentsMargins(6, 4, 6, 6);
        l->setSpacing(4);
    }
    for (QPushButton* b : m_teile.funktionsknoepfe)
        l->addWidget(b);
    if (!kompakt) {
        l->addSpacing(8);
        einsetzen(l, m_teile.quittieren);
        l->addSpacing(8);
    }
    l->addWidget(m_teile.beenden);
}

// ---------------------------------------------------------------------------
// Pages of the compact arrangement

int Grundbild::naechste_Seite() const
{
    switch (seite()) {
    case Seite_Funktionen:
        return app.anlage.Manuell != 0 ? Seite_Manuell : Seite_Start;
    case Seite_Manuell:
        return Seite_Start;
    default:
        return Seite_Funktionen;
    }
}

void Grundbild::Seitenknopf_Beschriften()
{
    const QGroupBox* ziel[] = {m_teile.funktionen, m_Frame_Manuell, m_teile.startAbPhase};
    const QString text = ziel[naechste_Seite()]->title() + QStringLiteral("  \u25B8");
    if (m_teile.seitenknopf->text() != text)
        m_teile.seitenknopf->setText(text);
}

void Grundbild::Seite_Zeigen(int s)
{
    if (!m_Seiten)
        return;
    m_Seiten->setCurrentIndex(s);
    Seitenknopf_Beschriften();
}

void Grundbild::Seitenknopf_Click() { Seite_Zeigen(naechste_Seite()); }

void Grundbild::Seiten_Nachfuehren()
{
    const bool manuell = app.anlage.Manuell != 0;
    const bool simulation = app.anlage.Simulation != 0;
    if (m_Seiten) {
        if (manuell && !m_Manuell_Gesehen)
            Seite_Zeigen(Seite_Manuell);
        else if (simulation && !m_Simulation_Gesehen)
            Seite_Zeigen(Seite_Start);
        else if (!manuell && seite() == Seite_Manuell)
            Seite_Zeigen(Seite_Funktionen);
        else if (!simulation && m_Simulation_Gesehen && seite() == Seite_Start)
            Seite_Zeigen(manuell ? Seite_Manuell : Seite_Funktionen);
        else if (manuell != m_Manuell_Gesehen)
            Seitenknopf_Beschriften();   // the way to the manual page opens or closes
    }
    m_Manuell_Gesehen = manuell;
    m_Simulation_Gesehen = simulation;
}

} // namespace kw
