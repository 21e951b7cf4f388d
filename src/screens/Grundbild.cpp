#include "screens/Grundbild.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

#include "hardware/Einstellungen.h"
#include "program/Funktionen.h"
#include "screens/Anwendung.h"
#include "screens/MqttEinstellungen.h"
#include "screens/Schutzanwendung.h"
#include "screens/Sichtbarkeit.h"
#include "screens/Untergrund.h"
#include "screens/Zahlenfeld.h"

#include "screens/Berechnungen.h"
#include "screens/Brauprotokoll.h"
#include "screens/Parameter.h"
#include "screens/Parameter2.h"

namespace kw {

namespace {

const QColor Gruen(0, 255, 0);
const QColor Grau(128, 128, 128);
const QColor Rot(255, 0, 0);

QString q(const std::string& s) { return QString::fromStdString(s); }

// Setting an unchanged text would still repaint the field ten times a second.
void setzeText(QLineEdit* feld, const QString& text)
{
    if (feld->text() != text)
        feld->setText(text);
}

void setzeText(QLabel* label, const QString& text)
{
    if (label->text() != text)
        label->setText(text);
}

// Hidden controls keep their place, so nothing jumps when they blink.
void platzHalten(QWidget* w)
{
    QSizePolicy sp = w->sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    w->setSizePolicy(sp);
}

void zeigen(QWidget* w)
{
    w->show();
    w->raise();
    w->activateWindow();
}

// The screen's own opening where it has one, else plain showing.
// Screens that fill themselves before they show.
template <class T> void oeffnen_oder_zeigen(QWidget* w)
{
    if (auto* s = qobject_cast<T*>(w)) {
        s->oeffnen();
        return;
    }
    zeigen(w);
}

} // namespace

// ---------------------------------------------------------------------------
// Pictures

Lampenfeld::Lampenfeld(QWidget* parent) : QWidget(parent)
{
    setFixedSize(22, 22);
}

void Lampenfeld::setLampe(Lampe l)
{
    if (l == m_lampe)
        return;
    m_lampe = l;
    Zustand_Beschreiben();
    update();
}

void Lampenfeld::setTexte(const Texte* texte)
{
    m_texte = texte;
    Zustand_Beschreiben();
}

void Lampenfeld::Zustand_Beschreiben()
{
    if (!m_texte)
        return;
    const Zusatztexte& z = m_texte->zusatz();
    const QString text = QString::fromStdString(m_lampe == Lampe::Grau ? z.Lampe_Aus : z.Lampe_Ein);
    if (accessibleDescription() != text)
        setAccessibleDescription(text);
}

QColor Lampenfeld::farbe() const
{
    switch (m_lampe) {
    case Lampe::Gruen: return Gruen;
    case Lampe::Rot: return Rot;
    case Lampe::Grau: break;
    }
    return Grau;
}

void Lampenfeld::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.setBrush(farbe());
    p.drawEllipse(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
}

Temperaturbalken::Temperaturbalken(QColor farbe, QWidget* parent) : QWidget(parent), m_farbe(farbe)
{
    setMinimumSize(46, 150);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void Temperaturbalken::setWert(float grad)
{
    if (grad == m_wert)
        return;
    m_wert = grad;
    update();
}

void Temperaturbalken::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int skalaBreite = 22;
    const QRectF box(skalaBreite, 6, width() - skalaBreite - 2, height() - 12);
    const auto y_fuer = [&](double grad) {
        return box.bottom() - box.height() * std::clamp(grad, 0.0, double(Skala_Max)) / Skala_Max;
    };

    p.setPen(QColor(60, 60, 60));
    p.setBrush(Qt::white);
    p.drawRect(box);

    QFont f = font();
    f.setPointSizeF(7);
    p.setFont(f);
    for (int t = 0; t <= 100; t += 10) {
        const double y = y_fuer(t);
        p.drawLine(QPointF(box.left() - 4, y), QPointF(box.left(), y));
        if (t % 20 == 0)
            p.drawText(QRectF(0, y - 7, skalaBreite - 5, 14), Qt::AlignRight | Qt::AlignVCenter,
                       QString::number(t));
    }

    const double y = y_fuer(m_wert);
    if (!m_nurMarke) {
        p.setPen(Qt::NoPen);
        p.setBrush(m_farbe);
        p.drawRect(QRectF(box.left() + 3, y, box.width() - 6, box.bottom() - y));
    }
    p.setPen(QPen(m_nurMarke ? QColor(200, 0, 0) : m_farbe.darker(160), 3));
    p.drawLine(QPointF(box.left() + 1, y), QPointF(box.right() - 1, y));
}

void Flammenbild::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = width(), h = height();
    // Five tongues, the middle one tallest.
    const double hoehen[] = {0.55, 0.8, 1.0, 0.8, 0.55};
    for (int i = 0; i < 5; ++i) {
        const double x0 = w * (0.1 + 0.16 * i), bw = w * 0.16;
        const double top = h * (1.0 - hoehen[i]);
        QPainterPath aussen;
        aussen.moveTo(x0, h);
        aussen.cubicTo(x0 - bw * 0.1, h * 0.6, x0 + bw * 0.6, top + h * 0.25, x0 + bw * 0.5, top);
        aussen.cubicTo(x0 + bw * 1.1, top + h * 0.35, x0 + bw * 1.1, h * 0.7, x0 + bw, h);
        aussen.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(235, 90, 20));
        p.drawPath(aussen);
        QPainterPath innen;
        const double itop = top + (h - top) * 0.45;
        innen.moveTo(x0 + bw * 0.25, h);
        innen.quadTo(x0 + bw * 0.3, itop + (h - itop) * 0.3, x0 + bw * 0.5, itop);
        innen.quadTo(x0 + bw * 0.8, itop + (h - itop) * 0.4, x0 + bw * 0.75, h);
        innen.closeSubpath();
        p.setBrush(QColor(255, 210, 40));
        p.drawPath(innen);
    }
}

void Wolkenbild::setGroesse(float breite, float hoehe)
{
    const QSize s(int(std::lround(breite / 10.0f)), int(std::lround(hoehe / 20.0f)));
    if (s == m_groesse)
        return;
    m_groesse = s;
    update();
}

void Wolkenbild::paintEvent(QPaintEvent*)
{
    if (m_groesse.isEmpty())
        return;
    if (m_groesse != m_umriss_groesse || size() != m_umriss_flaeche) {
        const double w = m_groesse.width(), h = m_groesse.height();
        // Beside the stirrer motor, rising from the mash.
        const QPointF mitte(width() * 0.66, height() * m_hoehenlage);
        const QRectF r(mitte.x() - w / 2, mitte.y() - h / 2, w, h);
        QPainterPath wolke;
        wolke.setFillRule(Qt::WindingFill);
        wolke.addEllipse(QRectF(r.left(), r.top() + h * 0.35, w * 0.45, h * 0.6));
        wolke.addEllipse(QRectF(r.left() + w * 0.2, r.top(), w * 0.5, h * 0.8));
        wolke.addEllipse(QRectF(r.left() + w * 0.5, r.top() + h * 0.2, w * 0.5, h * 0.75));
        wolke.addRoundedRect(QRectF(r.left() + w * 0.15, r.top() + h * 0.5, w * 0.7, h * 0.5), h * 0.2,
                             h * 0.2);
        m_umriss = wolke.simplified();
        m_umriss_groesse = m_groesse;
        m_umriss_flaeche = size();
    }
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 160, 175), 1.5));
    p.setBrush(QColor(235, 238, 243));
    p.drawPath(m_umriss);
}

Kesselbild::Kesselbild(QWidget* parent)
    : QWidget(parent),
      feuer(new Flammenbild(this)),
      wolke_gross(new Wolkenbild(0.3, this)),
      wolke_mittel(new Wolkenbild(0.55, this)),
      wolke_klein(new Wolkenbild(0.75, this)),
      ruehr1(new Lampenfeld(this)),
      ruehr2(new Lampenfeld(this))
{
    feuer->setObjectName(QStringLiteral("Anzeige_Feuer"));
    wolke_gross->setObjectName(QStringLiteral("Anzeige_Wolke_Gross"));
    wolke_mittel->setObjectName(QStringLiteral("Anzeige_Wolke_Mittel"));
    wolke_klein->setObjectName(QStringLiteral("Anzeige_Wolke_Klein"));
    ruehr1->setObjectName(QStringLiteral("Anzeige_Ruehr1"));
    ruehr2->setObjectName(QStringLiteral("Anzeige_Ruehr2"));
    ruehr1->setFixedSize(34, 14);
    ruehr2->setFixedSize(34, 14);
    for (QWidget* w : {static_cast<QWidget*>(feuer), static_cast<QWidget*>(wolke_gross),
                       static_cast<QWidget*>(wolke_mittel), static_cast<QWidget*>(wolke_klein)})
        w->hide();
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
}

namespace {
// Kettle outline inside the picture: clouds above, flame below.
struct Kesselmasse {
    QRectF wolken, kessel, flamme;
    explicit Kesselmasse(QSizeF s)
    {
        const double w = s.width(), h = s.height();
        const double wolkenhoehe = std::min(110.0, h * 0.36);
        const double flammenhoehe = std::min(48.0, h * 0.16);
        wolken = QRectF(0, 0, w, wolkenhoehe);
        kessel = QRectF(w * 0.14, wolkenhoehe, w * 0.72, h - wolkenhoehe - flammenhoehe - 8);
        flamme = QRectF(w * 0.26, h - flammenhoehe - 2, w * 0.48, flammenhoehe);
    }
};
} // namespace

void Kesselbild::resizeEvent(QResizeEvent*) { anordnen(); }

void Kesselbild::anordnen()
{
    const Kesselmasse m(size());
    const QRect wolken = m.wolken.toRect();
    wolke_gross->setGeometry(wolken);
    wolke_mittel->setGeometry(wolken);
    wolke_klein->setGeometry(wolken);
    feuer->setGeometry(m.flamme.toRect());
    const double mitte = m.kessel.center().x();
    const double y = m.kessel.bottom() - 30;
    ruehr1->move(int(mitte - 3 - ruehr1->width()), int(y));
    ruehr2->move(int(mitte + 3), int(y));
}

void Kesselbild::paintEvent(QPaintEvent*)
{
    const qreal verhaeltnis = devicePixelRatioF();
    const QSize pixel = (QSizeF(size()) * verhaeltnis).toSize();
    if (m_bild.size() != pixel || m_bild.devicePixelRatio() != verhaeltnis) {
        m_bild = QPixmap(pixel);
        m_bild.setDevicePixelRatio(verhaeltnis);
        m_bild.fill(Qt::transparent);
        QPainter b(&m_bild);
        zeichnen(b);
    }
    QPainter p(this);
    p.drawPixmap(0, 0, m_bild);
}

void Kesselbild::zeichnen(QPainter& p) const
{
    p.setRenderHint(QPainter::Antialiasing);
    const Kesselmasse m(size());
    const QRectF k = m.kessel;

    // kettle body, copper
    QLinearGradient kupfer(k.topLeft(), k.topRight());
    kupfer.setColorAt(0, QColor(150, 80, 40));
    kupfer.setColorAt(0.45, QColor(222, 140, 85));
    kupfer.setColorAt(1, QColor(130, 65, 30));
    QPainterPath koerper;
    koerper.moveTo(k.left(), k.top() + 14);
    koerper.lineTo(k.left(), k.bottom() - 24);
    koerper.quadTo(k.left(), k.bottom(), k.left() + 24, k.bottom());
    koerper.lineTo(k.right() - 24, k.bottom());
    koerper.quadTo(k.right(), k.bottom(), k.right(), k.bottom() - 24);
    koerper.lineTo(k.right(), k.top() + 14);
    koerper.closeSubpath();
    p.setPen(QPen(QColor(90, 45, 20), 2));
    p.setBrush(kupfer);
    p.drawPath(koerper);

    // mash inside, seen through a window
    const QRectF fenster(k.left() + 12, k.top() + k.height() * 0.35, k.width() - 24, k.height() * 0.6 - 12);
    p.setBrush(QColor(196, 150, 80));
    p.setPen(QPen(QColor(90, 45, 20), 1.5));
    p.drawRoundedRect(fenster, 8, 8);

    // rim
    p.setBrush(QColor(110, 55, 25));
    p.drawRoundedRect(QRectF(k.left() - 6, k.top(), k.width() + 12, 16), 6, 6);

    // stirrer: motor on a bridge, shaft down to the blades
    const double mitte = k.center().x();
    p.setBrush(QColor(70, 70, 80));
    p.drawRect(QRectF(mitte - 18, k.top() - 22, 36, 22));
    p.setPen(QPen(QColor(50, 50, 55), 4));
    p.drawLine(QPointF(mitte, k.top()), QPointF(mitte, k.bottom() - 22));

    // fire grate
    p.setPen(QPen(QColor(60, 60, 60), 3));
    p.drawLine(QPointF(m.flamme.left() - 10, m.flamme.bottom() + 1),
               QPointF(m.flamme.right() + 10, m.flamme.bottom() + 1));
}

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
    auto* haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(8, 6, 8, 8);
    haupt->setSpacing(6);
    haupt->addWidget(baueKopf());

    auto* mitte = new QHBoxLayout;
    mitte->setSpacing(8);

    auto* links = new QVBoxLayout;
    links->addWidget(baueBedienung());
    links->addWidget(baueBetriebsarten());
    links->addWidget(baueManuell());
    links->addStretch(1);
    links->addWidget(new Mqttanzeige(app));   // in the free space at the bottom

    auto* rechts = new QVBoxLayout;
    rechts->addWidget(baueFunktionen());
    rechts->addWidget(baueStartAbPhase());
    rechts->addWidget(baueSimulation());
    rechts->addStretch(1);

    auto* linksBox = new QWidget;
    linksBox->setLayout(links);
    linksBox->setFixedWidth(210);
    auto* rechtsBox = new QWidget;
    rechtsBox->setLayout(rechts);
    rechtsBox->setFixedWidth(250);
    links->setContentsMargins(0, 0, 0, 0);
    rechts->setContentsMargins(0, 0, 0, 0);

    mitte->addWidget(linksBox);
    mitte->addWidget(baueProzessdaten(), 1);
    mitte->addWidget(rechtsBox);
    haupt->addLayout(mitte, 1);

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

QWidget* Grundbild::baueBedienung()
{
    auto* g = rahmen("Frame_Bedienung", QStringLiteral("BEDIENUNG"));
    auto* l = new QVBoxLayout(g);
    auto* start = knopf("START_BRAUEN", QStringLiteral("START"), &Grundbild::START_BRAUEN_Click, true);
    auto* stop = knopf("STOP_BRAUEN", QStringLiteral("STOP"), &Grundbild::STOP_BRAUEN_Click, true);
    m_PAUSE_BRAUEN = knopf("PAUSE_BRAUEN", QStringLiteral("PAUSE"), &Grundbild::PAUSE_BRAUEN_Click, true);
    for (QPushButton* b : {start, stop, m_PAUSE_BRAUEN}) {
        b->setMinimumHeight(42);
        QFont f = b->font();
        f.setPointSizeF(f.pointSizeF() + 3);
        f.setBold(true);
        b->setFont(f);
        l->addWidget(b);
    }
    start->setStyleSheet(QStringLiteral("QPushButton { background: rgb(170,230,170); }"));
    stop->setStyleSheet(QStringLiteral("QPushButton { background: rgb(240,170,170); }"));
    m_PAUSE_BRAUEN->setStyleSheet(QStringLiteral("QPushButton { background: rgb(245,225,150); }"));
    platzHalten(m_PAUSE_BRAUEN);
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
    l->setRowStretch(2, 1);
    platzHalten(m_Frame_Simulation);
    m_Frame_Simulation->hide();
    return m_Frame_Simulation;
}

QWidget* Grundbild::baueFunktionen()
{
    auto* g = rahmen("Frame1", QStringLiteral("FUNKTIONEN"));
    auto* l = new QVBoxLayout(g);
    l->addWidget(knopf("Command2_0", QStringLiteral("PARAMETER"), &Grundbild::Command2_Click, true));
    l->addWidget(knopf("Command1", QStringLiteral("BRAU - PROTOKOLL"), &Grundbild::Command1_Click, false));
    l->addWidget(
        knopf("Command5", QStringLiteral("BERECHNUNGEN / HILFEN"), &Grundbild::Command5_Click, false));
    l->addWidget(knopf("Temperaturkurve", QStringLiteral("TEMP.-KURVE"), &Grundbild::Temperaturkurve_Click,
                       false));
    l->addWidget(knopf("OPTIONS", QStringLiteral("OPTIONEN"), &Grundbild::OPTIONS_Click, true));
    l->addWidget(knopf("INFO", QStringLiteral("INFO"), &Grundbild::INFO_Click, true));
    l->addSpacing(8);
    auto* quitt = knopf("QUITTIEREN", QStringLiteral("QUITTIEREN"), &Grundbild::QUITTIEREN_Click, true);
    quitt->setMinimumHeight(40);
    QFont f = quitt->font();
    f.setBold(true);
    quitt->setFont(f);
    quitt->setStyleSheet(QStringLiteral("QPushButton { background: rgb(250,200,120); }"));
    l->addWidget(quitt);
    l->addSpacing(8);
    l->addWidget(knopf("Command7", QStringLiteral("BEENDEN"), &Grundbild::Command7_Click, true));
    return g;
}

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
        l->addLayout(t);
    }

    // lamps
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
        l->addWidget(rahmen);
    }
    return g;
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
// Rendering

void Grundbild::zeige()
{
    const Anzeige& z = app.anzeige;
    const Schaltertexte& s = app.texte.schalter();
    if (m_gezeichnet == z && m_Label1_10->text() == m_Label1_10_Gezeigt.text)
        return;

    // Converted and set only when the value or its source changed (a new
    // language swaps the tables), or when someone else changed the field.
    const auto zeigen = [](auto* feld, Gezeigt& g, const std::string& wert) {
        if (&wert == g.quelle && wert == g.wert && feld->text() == g.text)
            return;
        g.quelle = &wert;
        g.wert = wert;
        g.text = q(wert);
        setzeText(feld, g.text);
    };
    for (auto& t : m_texte)
        zeigen(t.feld, t.gezeigt, z.*(t.wert));
    zeigen(m_Anzeige_KommentarPhase, m_Kommentar_Gezeigt,
           z.Keine_Phase_Aktiv ? s.Text_Keine_Phase : z.Anzeige_KommentarPhase);
    zeigen(m_Label1_10, m_Label1_10_Gezeigt,
           z.Label_ZeitAct == Zeitbeschriftung::Restzeit ? s.Text_Restzeit : s.Text_Zeit_Aktuell);

    for (const auto& l : m_lampen)
        l.feld->setLampe(z.*(l.wert));
    for (const auto& b : m_balken)
        b.feld->setWert(z.*(b.wert));

    // No live, plausible reading: the actual temperature turns red, its text stays.
    if (z.Anzeige_TempIst_Ungueltig != m_TempIst_Ungueltig) {
        m_TempIst_Ungueltig = z.Anzeige_TempIst_Ungueltig;
        QPalette pal = m_Anzeige_TempIst->palette();
        pal.setColor(QPalette::Base, m_TempIst_Ungueltig ? QColor(255, 0, 0) : QColor(255, 255, 225));
        pal.setColor(QPalette::Text, m_TempIst_Ungueltig ? QColor(255, 255, 255) : palette().color(QPalette::Text));
        m_Anzeige_TempIst->setPalette(pal);
    }
    Sichtbar_Setzen(m_Anzeige_Endzeit, z.Anzeige_Endzeit_Sichtbar);
    Sichtbar_Setzen(m_Anzeige_Feuer, z.Anzeige_Feuer_Sichtbar);
    Sichtbar_Setzen(m_Anzeige_RufQuitt, z.Anzeige_RufQuitt_Sichtbar);
    Sichtbar_Setzen(m_PAUSE_BRAUEN, z.PAUSE_BRAUEN_Sichtbar);

    for (const auto& w : m_wolken) {
        const Wolke& wolke = z.*(w.wert);
        w.feld->setGroesse(wolke.breite, wolke.hoehe);
        Sichtbar_Setzen(w.feld, wolke.sichtbar);
    }

    Schalter_Nachfuehren();
    m_gezeichnet = z;
}

// ---------------------------------------------------------------------------
// Timers

void Grundbild::Timer1_Timer()
{
    if (app.beendet())
        return;
    app.Journal_Vor_Tick();
    app.Mqtt_Vor_Tick();
    app.steuerung().tick(app.jetzt(), app.laufzeit());
    // Editor upkeep: field visibility of the pages that exist follows the program.
    if (!m_Seite1)
        m_Seite1 = app.vorhanden<Parameter>();
    if (!m_Seite2)
        m_Seite2 = app.vorhanden<Parameter2>();
    for (Phasenseite* seite : {m_Seite1.data(), m_Seite2.data()})
        if (seite)
            seite->nachfuehren();
    app.Ausgaenge_Schreiben();
    app.Journal_Nach_Tick();
    app.Mqtt_Nach_Tick();
    zeige();
}

void Grundbild::Timer2_Timer()
{
    if (app.beendet())
        return;
    Sichtbar_Setzen(m_Frame_Manuell, app.anlage.Manuell != 0);
    Sichtbar_Setzen(m_Frame_Simulation, app.anlage.Simulation != 0);
    m_Bar_Sim_IstTemperatur->setWert(static_cast<float>(app.anlage.Sim_Temperatur));
    if (app.anlage.Sim_Temperatur != m_Sim_Temperatur_Gezeigt) {   // a read-only field
        m_Sim_Temperatur_Gezeigt = app.anlage.Sim_Temperatur;
        setzeText(m_Sim_IstTemperatur, QString::number(app.anlage.Sim_Temperatur));
    }
}

void Grundbild::TempRead_Timer()
{
    if (app.beendet())
        return;
    app.TempRead();
}

void Grundbild::Takt_1s_Timer()
{
    if (app.beendet())
        return;
    app.steuerung().Takt_1s();
}

void Grundbild::Timer_Anhalten()
{
    for (QTimer* t : {m_Timer1, m_Timer2, m_TempRead, m_Takt_1s})
        t->stop();
}

bool Grundbild::Timer_Laufen() const
{
    return m_Timer1->isActive() && m_Timer2->isActive() && m_TempRead->isActive() && m_Takt_1s->isActive();
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

// ---------------------------------------------------------------------------
// Function buttons

QWidget* Grundbild::oeffne(const char* name)
{
    QWidget* w = app.bildschirm(name);
    if (!w)
        app.zeige(1);
    return w;
}

void Grundbild::Command2_Click()
{
    QWidget* w = oeffne("PARAMETER");
    if (!w)
        return;
    // The editor sets its tab order and its first page itself.
    oeffnen_oder_zeigen<Parameter>(w);
}

void Grundbild::Command1_Click()
{
    QWidget* w = oeffne("Brauprotokoll");
    if (!w)
        return;
    oeffnen_oder_zeigen<Brauprotokoll>(w);
}

void Grundbild::Command5_Click()
{
    QWidget* w = oeffne("Berechnungen");
    if (!w)
        return;
    oeffnen_oder_zeigen<Berechnungen>(w);
}

void Grundbild::Temperaturkurve_Click()
{
    if (QWidget* w = oeffne("TEMPZEITKURV"))
        zeigen(w);
}

void Grundbild::OPTIONS_Click()
{
    if (!oeffne("HardwareAbfrage"))
        return;
    // Parallel output waits for the next OK.
    app.anlage.Konfiguration_Bestaetigt = false;
    app.Konfiguration_Laden_Und_Zeigen();
}

void Grundbild::INFO_Click()
{
    if (QWidget* w = oeffne("Information"))
        zeigen(w);
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
