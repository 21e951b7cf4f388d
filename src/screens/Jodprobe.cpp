#include "screens/Jodprobe.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QVBoxLayout>

#include <cmath>
#include <numbers>

#include "screens/Anwendung.h"
#include "screens/Hilfsfelder.h"

namespace kw {

namespace {

// A drop of iodine on a white plate, in one of the three colourings.
class Jodbild final : public QWidget {
public:
    Jodbild(Jodprobe::Faerbung art, const char* name, QWidget* eltern) : QWidget(eltern), m_art(art)
    {
        setObjectName(QString::fromLatin1(name));
        setFixedSize(150, 145);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = rect();
        // table top
        QLinearGradient tisch(r.topLeft(), r.bottomRight());
        tisch.setColorAt(0, QColor(176, 160, 140));
        tisch.setColorAt(1, QColor(128, 112, 96));
        p.fillRect(r, tisch);
        // plate with its shadow and rim
        const QPointF mitte = r.center();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawEllipse(mitte + QPointF(4, 5), 66, 62);
        QRadialGradient teller(mitte, 68);
        teller.setColorAt(0.0, QColor(255, 255, 255));
        teller.setColorAt(0.80, QColor(250, 250, 250));
        teller.setColorAt(0.90, QColor(222, 222, 226));
        teller.setColorAt(1.0, QColor(245, 245, 248));
        p.setBrush(teller);
        p.drawEllipse(mitte, 66, 62);

        const QPainterPath fleck = Fleck(mitte, 36.0);
        QRadialGradient farbe(mitte + QPointF(-4, -4), 42);
        farbe.setStops(Farbverlauf(m_art));
        p.setBrush(farbe);
        p.drawPath(fleck);

        if (m_art == Jodprobe::Faerbung::Beginnend) {
            // the first straw-yellow patches at the edge
            p.setBrush(QColor(226, 196, 104, 220));
            for (const auto& [winkel, abstand, groesse] :
                 {std::tuple{0.6, 27.0, 7.0}, {2.3, 29.0, 5.5}, {3.9, 26.0, 6.5}, {5.2, 28.0, 4.5}})
                p.drawPath(Fleck(mitte + QPointF(std::cos(winkel) * abstand, std::sin(winkel) * abstand),
                                 groesse));
        }
        // a highlight on the wet drop
        p.setBrush(QColor(255, 255, 255, 40));
        p.drawEllipse(mitte + QPointF(-12, -15), 10, 5);
    }

private:
    // Colour of the stain from its core (0) to its edge (1).
    static QGradientStops Farbverlauf(Jodprobe::Faerbung art)
    {
        switch (art) {
        case Jodprobe::Faerbung::Dunkelblau:  // black-blue throughout
            return {{0.0, QColor(6, 5, 16)}, {0.5, QColor(14, 14, 46)}, {0.85, QColor(26, 28, 84)},
                    {1.0, QColor(42, 44, 116)}};
        case Jodprobe::Faerbung::Beginnend:  // dark core, orange-brown towards the edge
            return {{0.0, QColor(40, 22, 18)}, {0.35, QColor(78, 40, 22)}, {0.70, QColor(160, 84, 30)},
                    {1.0, QColor(205, 128, 48)}};
        case Jodprobe::Faerbung::Gelb:  // even light orange-yellow
            break;
        }
        return {{0.0, QColor(242, 186, 86)}, {0.8, QColor(245, 196, 100)}, {1.0, QColor(248, 212, 130)}};
    }

    // An irregular round stain, the same every time.
    static QPainterPath Fleck(QPointF mitte, double radius)
    {
        QPainterPath pfad;
        constexpr int schritte = 72;
        for (int i = 0; i <= schritte; ++i) {
            const double w = 2.0 * std::numbers::pi * i / schritte;
            const double r = radius * (1.0 + 0.07 * std::sin(3.0 * w + 0.4) + 0.05 * std::sin(5.0 * w + 1.3)
                                       + 0.03 * std::sin(9.0 * w));
            const QPointF pt = mitte + QPointF(std::cos(w) * r, std::sin(w) * r * 0.94);
            if (i == 0)
                pfad.moveTo(pt);
            else
                pfad.lineTo(pt);
        }
        pfad.closeSubpath();
        return pfad;
    }

    Jodprobe::Faerbung m_art;
};

} // namespace

Jodprobe::Jodprobe(Anwendung& app) : QWidget(nullptr)
{
    setWindowTitle(QStringLiteral("Jodprobe"));
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(20, 16, 20, 16);
    setMinimumWidth(760);
    auto* einleitung1 = hilfen::Beschriftung("Label1", {}, this);
    auto* einleitung2 = hilfen::Beschriftung("Label2", {}, this);
    QFont fett = einleitung1->font();
    fett.setBold(true);
    for (QLabel* l : {einleitung1, einleitung2}) {
        l->setFont(fett);
        l->setWordWrap(true);
        haupt->addWidget(l);
    }
    haupt->addSpacing(8);

    auto* g = new QGridLayout;
    g->setHorizontalSpacing(18);
    g->setVerticalSpacing(10);
    const struct {
        Faerbung art;
        const char* bild;
        const char* text;
    } proben[] = {
        {Faerbung::Dunkelblau, "Picture1", "Label3"},
        {Faerbung::Beginnend, "Picture2", "Label4"},
        {Faerbung::Gelb, "Picture3", "Label5"},
    };
    int zeile = 0;
    for (const auto& pr : proben) {
        g->addWidget(new Jodbild(pr.art, pr.bild, this), zeile, 0);
        auto* l = hilfen::Beschriftung(pr.text, {}, this);
        l->setWordWrap(true);
        l->setMinimumWidth(480);
        g->addWidget(l, zeile, 1);
        ++zeile;
    }
    g->setColumnStretch(1, 1);
    haupt->addLayout(g);

    haupt->addWidget(hilfen::Zurueck_Knopf(app, *this, "Command1", "Berechnungen"), 0, Qt::AlignRight);
}

} // namespace kw
