#include "screens/Fensterflaeche.h"

#include <QEvent>

#include <algorithm>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWidget>

namespace kw {

Bildflaeche::Bildflaeche(QWidget* eltern) : QScrollArea(eltern)
{
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

QSize Bildflaeche::sizeHint() const
{
    // QScrollArea caps its hint at a few dozen lines; the screen wants all of its content.
    const int f = 2 * frameWidth();
    QSize s(f, f);
    if (const QWidget* w = widget()) {
        QSize innen = w->sizeHint().expandedTo(w->minimumSizeHint());
        // Wrapped texts: as high as the content is at that width.
        if (w->hasHeightForWidth())
            innen.setHeight(std::max(innen.height(), w->heightForWidth(innen.width())));
        s += innen;
    }
    return s;
}

namespace {

// Bounds the window each time it is shown, on the screen it is shown on.
class Begrenzer final : public QObject {
public:
    explicit Begrenzer(QWidget& w) : QObject(&w) { w.installEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show && o == parent()) {
            auto* w = static_cast<QWidget*>(o);
            const QScreen* s = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
            if (w->isWindow() && s)
                Fenster_Begrenzen(*w, s->availableGeometry());
        }
        return false;
    }
};

} // namespace

void Einpassen(QWidget& bildschirm)
{
    new Begrenzer(bildschirm);
    QLayout* alt = bildschirm.layout();
    if (!alt)
        return;
    const bool fest = alt->sizeConstraint() == QLayout::SetFixedSize;
    // The layout and the widgets it holds move into the area's content; other
    // children of the screen (floating panels) stay where they are.
    auto* inhalt = new QWidget;
    inhalt->setObjectName(bildschirm.objectName() + QStringLiteral("_Inhalt"));
    inhalt->setLayout(alt);
    auto* flaeche = new Bildflaeche(&bildschirm);
    flaeche->setObjectName(QStringLiteral("Bildflaeche"));
    flaeche->setWidget(inhalt);
    // The content fills with the screen's own background, so a small repaint
    // (a clock field) stops there instead of painting the screen beneath.
    inhalt->setBackgroundRole(bildschirm.backgroundRole());
    inhalt->setAutoFillBackground(true);
    flaeche->viewport()->setAutoFillBackground(false);
    auto* l = new QVBoxLayout(&bildschirm);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    l->addWidget(flaeche);
    // A window that had the fixed size of its content keeps that size as its largest.
    if (fest)
        bildschirm.setMaximumSize(flaeche->sizeHint());
    for (QObject* c : bildschirm.children())
        if (auto* w = qobject_cast<QWidget*>(c); w && w != flaeche && !w->isWindow())
            w->raise();
}

void Fenster_Begrenzen(QWidget& w, const QRect& bereich)
{
    if (bereich.isEmpty())
        return;
    // The frame as the window system drew it, or a reserve while it is not known.
    QSize rand = w.frameGeometry().size() - w.geometry().size();
    if (rand.isEmpty())
        rand = Fensterrand_Reserve;
    const QSize platz = (bereich.size() - rand).expandedTo(QSize(1, 1));
    const QSize wunsch = w.testAttribute(Qt::WA_Resized) ? w.size() : w.sizeHint();
    const QSize soll = wunsch.boundedTo(platz).expandedTo(w.minimumSize());
    if (soll != w.size())
        w.resize(soll);
    // Keep the frame inside the area.
    QRect f = w.frameGeometry();
    if (f.width() <= bereich.width())
        f.moveLeft(std::clamp(f.left(), bereich.left(), bereich.right() - f.width() + 1));
    if (f.height() <= bereich.height())
        f.moveTop(std::clamp(f.top(), bereich.top(), bereich.bottom() - f.height() + 1));
    if (f.topLeft() != w.frameGeometry().topLeft())
        w.move(f.topLeft());
}

} // namespace kw
