#include "screens/Anzeigeelemente.h"

#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

namespace kw {

namespace {

const QColor Gruen(0, 255, 0);
const QColor Grau(128, 128, 128);
const QColor Rot(255, 0, 0);

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

QSize Lampentext::minimumSizeHint() const
{
    return {fontMetrics().horizontalAdvance(QStringLiteral("Extra1")), QLabel::minimumSizeHint().height()};
}

void Lampentext::paintEvent(QPaintEvent* e)
{
    const QFontMetrics fm = fontMetrics();
    if (fm.horizontalAdvance(text()) <= contentsRect().width()) {
        QLabel::paintEvent(e);
        return;
    }
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(contentsRect(), int(alignment()), fm.elidedText(text(), Qt::ElideRight, contentsRect().width()));
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
    if (m_groesse != m_umriss_groesse || size() != m_umriss_flaeche || m_massstab != m_umriss_massstab) {
        const double w = m_groesse.width() * m_massstab, h = m_groesse.height() * m_massstab;
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
        m_umriss_massstab = m_massstab;
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

// Below its full size the picture shrinks as a whole, clouds and blades with it.
double Kesselbild::massstab() const
{
    return std::min({1.0, width() / 220.0, height() / 260.0});
}

void Kesselbild::anordnen()
{
    const double f = massstab();
    const Kesselmasse m(QSizeF(size()) / f);
    const auto skaliert = [f](const QRectF& r) {
        return QRectF(r.topLeft() * f, r.size() * f).toRect();
    };
    const QRect wolken = skaliert(m.wolken);
    for (Wolkenbild* w : {wolke_gross, wolke_mittel, wolke_klein}) {
        w->setGeometry(wolken);
        w->setMassstab(f);
    }
    feuer->setGeometry(skaliert(m.flamme));
    ruehr1->setFixedSize(int(std::lround(34 * f)), int(std::lround(14 * f)));
    ruehr2->setFixedSize(ruehr1->size());
    const double mitte = m.kessel.center().x() * f;
    const double y = (m.kessel.bottom() - 30) * f;
    ruehr1->move(int(mitte - 3 * f - ruehr1->width()), int(y));
    ruehr2->move(int(mitte + 3 * f), int(y));
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
    const double f = massstab();
    p.scale(f, f);
    const Kesselmasse m(QSizeF(size()) / f);
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

} // namespace kw
