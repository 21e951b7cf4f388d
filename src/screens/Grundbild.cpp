// The main screen: building, arrangement, toggle captions and the way out.

#include "screens/Grundbild.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include "hardware/Einstellungen.h"
#include "screens/Anwendung.h"
#include "screens/Grundbild_Hilfen.h"
#include "screens/MqttEinstellungen.h"
#include "screens/Schutzanwendung.h"
#include "screens/Untergrund.h"

namespace kw {

using namespace grundbild;

// ---------------------------------------------------------------------------
// The screen

Grundbild::Grundbild(Anwendung& anwendung) : QWidget(nullptr), app(anwendung)
{
    setObjectName(QString::fromLatin1(Name));
    setWindowTitle(QStringLiteral("KESSELWERK"));
    aufbauen();

    m_Timer1 = new QTimer(this);
    m_Timer2 = new QTimer(this);
    m_TempRead = new QTimer(this);
    m_Takt_1s = new QTimer(this);
    m_Timer1->setObjectName(QStringLiteral("Timer1"));
    m_Timer2->setObjectName(QStringLiteral("Timer2"));
    m_TempRead->setObjectName(QStringLiteral("TempRead"));
    m_Takt_1s->setObjectName(QStringLiteral("Takt_1s"));
    m_Timer1->setInterval(100);
    m_Timer2->setInterval(100);
    m_TempRead->setInterval(200);
    m_Takt_1s->setInterval(500);
    // An exception in a timer's work stops that work only: outputs off, message.
    connect(m_Timer1, &QTimer::timeout, this, [this] { geschuetzt(app, [this] { Timer1_Timer(); }); });
    connect(m_Timer2, &QTimer::timeout, this, [this] { geschuetzt(app, [this] { Timer2_Timer(); }); });
    connect(m_TempRead, &QTimer::timeout, this, [this] { geschuetzt(app, [this] { TempRead_Timer(); }); });
    connect(m_Takt_1s, &QTimer::timeout, this, [this] { geschuetzt(app, [this] { Takt_1s_Timer(); }); });

    // Keys for the two buttons that may be needed at once, from any window of
    // the program; F-keys never clash with typing in a field. The tooltips name them.
    const auto taste = [this](const char* name, Qt::Key k, void (Grundbild::*handler)()) {
        auto* kurz = new QShortcut(QKeySequence(k), this);
        kurz->setObjectName(QString::fromLatin1(name) + u"_Taste");
        kurz->setContext(Qt::ApplicationShortcut);
        connect(kurz, &QShortcut::activated, this, handler);
    };
    taste("QUITTIEREN", Qt::Key_F2, &Grundbild::QUITTIEREN_Click);
    taste("STOP_BRAUEN", Qt::Key_F12, &Grundbild::STOP_BRAUEN_Click);

    // The lamps tell their state as text, in the language in effect.
    const auto lampen = [this] {
        for (Lampenfeld* l : findChildren<Lampenfeld*>())
            l->setTexte(&app.texte);
    };
    lampen();
    connect(&app, &Anwendung::spracheGeaendert, this, lampen);
    // Unchanged state is not drawn again, unless a table or a field changed under it.
    connect(&app, &Anwendung::spracheGeaendert, this, [this] { m_gezeichnet.reset(); });
    for (const auto& t : m_texte)
        connect(t.feld, &QLineEdit::textChanged, this, [this] { m_gezeichnet.reset(); });
    connect(m_Anzeige_KommentarPhase, &QLineEdit::textChanged, this, [this] { m_gezeichnet.reset(); });
    zeige();
}

// The main screen is shown at start-up and stays; its load runs then. A main
// screen that a language switch merely creates (hidden) touches no state.
void Grundbild::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!m_geladen && !m_beendet)
        laden();
}

void Grundbild::laden()
{
    m_geladen = true;
    // Run state, outputs and displays cleared; nothing written to a port.
    app.steuerung().laden(app.jetzt(), app.laufzeit());
    m_Frame_Manuell->hide();
    m_Frame_Simulation->hide();
    zeige();
    setzeText(m_Label1_10, app.schalter(&Schaltertexte::Text_Zeit_Aktuell));
    // The toggles show their built captions, which match the loaded state.
    for (Schalter& s : m_schalter)
        s.zuletzt = app.anzeige.*(s.zustand);
    for (QTimer* t : {m_Timer1, m_Timer2, m_TempRead, m_Takt_1s})
        t->start();
}

Grundbild::~Grundbild() = default;

QPushButton* Grundbild::knopf(const char* name, const QString& text, void (Grundbild::*handler)(),
                              bool beiMausDruck)
{
    auto* b = new QPushButton(text);
    b->setObjectName(QString::fromLatin1(name));
    b->setMinimumHeight(30);
    if (beiMausDruck)
        connect(b, &QPushButton::pressed, this, handler);
    else
        connect(b, &QPushButton::clicked, this, handler);
    return b;
}

QLineEdit* Grundbild::anzeigefeld(const char* name, int breite, std::string Anzeige::*wert)
{
    auto* f = new QLineEdit;
    f->setObjectName(QString::fromLatin1(name));
    f->setReadOnly(true);
    f->setFocusPolicy(Qt::NoFocus);
    f->setAlignment(Qt::AlignCenter);
    if (breite > 0)
        f->setMinimumWidth(breite);
    QFont font = f->font();
    font.setPointSizeF(font.pointSizeF() + 2);
    font.setBold(true);
    f->setFont(font);
    QPalette pal = f->palette();
    pal.setColor(QPalette::Base, QColor(255, 255, 225));
    f->setPalette(pal);
    if (wert)
        m_texte.push_back({f, wert, {}});
    return f;
}

QGroupBox* Grundbild::rahmen(const char* name, const QString& titel)
{
    auto* g = new QGroupBox(titel);
    g->setObjectName(QString::fromLatin1(name));
    return g;
}

QLabel* Grundbild::beschriftung(const char* name, const QString& text)
{
    auto* l = new QLabel(text);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

Lampenfeld* Grundbild::lampe(const char* name)
{
    auto* l = new Lampenfeld;
    l->setObjectName(QString::fromLatin1(name));
    Untergrund::anlegen(l);   // BRAUEN AKTIV blinks twice a second
    return l;
}

void Grundbild::aufbauen()
{
    // The arrangement lives in one widget whose layout is made anew when it changes.
    auto* haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(0, 0, 0, 0);
    m_Anordnung = new QWidget;
    m_Anordnung->setObjectName(QStringLiteral("Grundbild_Anordnung"));
    haupt->addWidget(m_Anordnung);

    m_teile.kopf = baueKopf();
    m_teile.bedienung = static_cast<QGroupBox*>(baueBedienung());
    m_teile.betriebsarten = static_cast<QGroupBox*>(baueBetriebsarten());
    baueManuell();
    m_teile.funktionen = static_cast<QGroupBox*>(baueFunktionen());
    m_teile.startAbPhase = static_cast<QGroupBox*>(baueStartAbPhase());
    baueSimulation();
    m_teile.prozessdaten = static_cast<QGroupBox*>(baueProzessdaten());
    m_teile.mqtt = new Mqttanzeige(app);
    m_teile.seitenknopf = knopf("Seitenwechsel", QString(), &Grundbild::Seitenknopf_Click, false);
    for (QWidget* w : {m_teile.kopf, static_cast<QWidget*>(m_teile.bedienung),
                       static_cast<QWidget*>(m_teile.betriebsarten), static_cast<QWidget*>(m_Frame_Manuell),
                       static_cast<QWidget*>(m_teile.funktionen), static_cast<QWidget*>(m_teile.startAbPhase),
                       static_cast<QWidget*>(m_Frame_Simulation), static_cast<QWidget*>(m_teile.prozessdaten),
                       m_teile.mqtt, static_cast<QWidget*>(m_teile.seitenknopf)})
        w->setParent(m_Anordnung);
    m_teile.seitenknopf->hide();
    // The page button's caption is the title of the page it turns to.
    connect(&app, &Anwendung::spracheGeaendert, this, [this] { Seitenknopf_Beschriften(); });

    Anordnen(false);
    Seitenknopf_Beschriften();
    m_Breit_Wunsch = m_Anordnung->sizeHint();
    m_Breit_Minimum = m_Anordnung->minimumSizeHint();

    // On a 1280×800 desktop the title bar and a panel must fit as well.
    QSize groesse(1270, 780);
    if (const QScreen* bildschirm = QGuiApplication::primaryScreen())
        groesse = groesse.boundedTo(bildschirm->availableGeometry().size() - QSize(10, 44));
    resize(groesse.expandedTo(minimumSizeHint()));
}

QWidget* Grundbild::baueKopf()
{
    auto* kopf = new QWidget;
    auto* l = new QHBoxLayout(kopf);
    l->setContentsMargins(2, 0, 2, 0);

    // decorative: a small kettle and the program's name
    QPixmap bild(44, 40);
    bild.fill(Qt::transparent);
    {
        QPainter p(&bild);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(90, 45, 20), 1.5));
        p.setBrush(QColor(205, 120, 60));
        p.drawRoundedRect(QRectF(8, 12, 28, 24), 5, 5);
        p.setBrush(QColor(110, 55, 25));
        p.drawRect(QRectF(5, 10, 34, 4));
        p.setPen(QPen(QColor(150, 160, 175), 2));
        p.drawArc(QRectF(14, 0, 8, 10), 0, 180 * 16);
        p.drawArc(QRectF(22, 2, 8, 8), 180 * 16, 180 * 16);
    }
    auto* logo = new QLabel;
    logo->setPixmap(bild);
    auto* name = new QLabel(QStringLiteral("KESSELWERK"));
    m_teile.logo = logo;
    m_teile.name = name;
    QFont f = name->font();
    f.setPointSizeF(f.pointSizeF() + 8);
    f.setBold(true);
    name->setFont(f);
    name->setStyleSheet(QStringLiteral("color: rgb(150,75,30);"));
    l->addWidget(logo);
    l->addWidget(name);
    l->addSpacing(30);

    l->addWidget(beschriftung("Label11", QStringLiteral("BIER - SORTE:")));
    auto* biersorte = anzeigefeld("Biersorte", 300, &Anzeige::Biersorte);
    m_teile.biersorte = biersorte;
    biersorte->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    l->addWidget(biersorte, 1);
    l->addSpacing(16);
    l->addWidget(beschriftung("Label6", QStringLiteral("Phasen:")));
    auto* phasenzahl = anzeigefeld("Anzeige_Phasenzahl", 50, &Anzeige::Anzeige_Phasenzahl);
    phasenzahl->setMaximumWidth(60);
    l->addWidget(phasenzahl);
    l->addSpacing(20);

    m_Anzeige_RufQuitt = beschriftung("Anzeige_RufQuitt", QStringLiteral("RUF QUITTIEREN !!"));
    QFont rf = m_Anzeige_RufQuitt->font();
    rf.setPointSizeF(rf.pointSizeF() + 6);
    rf.setBold(true);
    m_Anzeige_RufQuitt->setFont(rf);
    m_Anzeige_RufQuitt->setStyleSheet(QStringLiteral("color: rgb(220,0,0);"));
    m_Anzeige_RufQuitt->setMinimumWidth(260);
    m_Anzeige_RufQuitt->setAlignment(Qt::AlignCenter);
    platzHalten(m_Anzeige_RufQuitt);
    m_Anzeige_RufQuitt->hide();
    l->addWidget(m_Anzeige_RufQuitt);
    return kopf;
}


// ---------------------------------------------------------------------------
// Toggle captions

void Grundbild::Schalter_Anmelden(QAbstractButton* b, Schalttext Anzeige::*zustand,
                                  std::function<QString(Schalttext)> text)
{
    // The caption set at build time stands until the state changes.
    m_schalter.push_back({b, zustand, std::move(text), app.anzeige.*zustand});
}

std::function<QString(Schalttext)> Grundbild::schaltertexte(const std::string Schaltertexte::*ein,
                                                            const std::string Schaltertexte::*aus)
{
    return [this, ein, aus](Schalttext s) { return app.schalter(s == Schalttext::Ein ? ein : aus); };
}

void Grundbild::Schalter_Nachfuehren()
{
    for (Schalter& s : m_schalter) {
        const Schalttext jetzt = app.anzeige.*(s.zustand);
        if (jetzt != s.zuletzt) {
            s.knopf->setText(s.text(jetzt));
            s.zuletzt = jetzt;
        }
    }
}

void Grundbild::Schalter_Beschriften(QAbstractButton* b)
{
    for (Schalter& s : m_schalter)
        if (s.knopf == b) {
            s.zuletzt = app.anzeige.*(s.zustand);
            s.knopf->setText(s.text(s.zuletzt));
        }
}

QString Grundbild::extraText(int n, Schalttext s) const
{
    return q(s == Schalttext::Ein ? app.konfiguration.ExtraEin(n) : app.konfiguration.ExtraAus(n));
}

void Grundbild::Einstellungen_Anwenden(const Hauptbildeinstellungen& e)
{
    const Schalttext Anzeige::*zustand[4] = {&Anzeige::Man_Extra1, &Anzeige::Man_Extra2, &Anzeige::Man_Extra3,
                                             &Anzeige::Man_Extra4};
    for (std::size_t i = 0; i < 4; ++i) {
        auto* b = findChild<QAbstractButton*>(QStringLiteral("Man_Extra%1").arg(i + 1));
        // A switched-on extra keeps offering its configured "off" text.
        Schalter_Beschriften(b);
        if (app.anzeige.*zustand[i] == Schalttext::Ein)
            b->setText(q(e.Man_Extra[i]));
        setzeText(m_Extra_Lampentext[i], q(e.Extra_Lampen[i]));
    }
    app.steuerung().Signal_und_Gradient_Uebernehmen(e.Signal_Dauer == 0, e.Gradient_Ein == 1);
    Schalter_Beschriften(findChild<QAbstractButton*>(QStringLiteral("Option_Signal")));
    Schalter_Beschriften(findChild<QAbstractButton*>(QStringLiteral("Option_Gradient")));
}


// ---------------------------------------------------------------------------
// Exit

void Grundbild::Command7_Click() { Beenden(); }

void Grundbild::Beenden()
{
    if (m_beendet)
        return;
    m_beendet = true;
    // No tick may follow: it would take the manual switches back onto the outputs.
    Timer_Anhalten();
    app.Alles_Aus_Und_Beenden();
    Q_EMIT beendet();
    close();
}

void Grundbild::closeEvent(QCloseEvent* e)
{
    Beenden();
    e->accept();
}

} // namespace kw
