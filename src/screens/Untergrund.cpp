#include "screens/Untergrund.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace kw {

void Untergrund::anlegen(QWidget* feld)
{
    new Untergrund(feld);
}

Untergrund::Untergrund(QWidget* feld) : QObject(feld), m_feld(feld)
{
    m_feld->setAttribute(Qt::WA_OpaquePaintEvent);
    m_feld->installEventFilter(this);
    ahnen_beobachten();
}

void Untergrund::ahnen_beobachten()
{
    for (const auto& w : m_ahnen)
        if (w)
            w->removeEventFilter(this);
    m_ahnen.clear();
    for (QWidget* w = m_feld->parentWidget(); w; w = w->parentWidget()) {
        m_ahnen.emplace_back(w);
        w->installEventFilter(this);
        if (w->autoFillBackground() || w->isWindow())
            break;
    }
    m_bild = QImage();
}

void Untergrund::aufnehmen()
{
    const qreal dpr = m_feld->devicePixelRatioF();
    m_bild = QImage(m_feld->size() * dpr, QImage::Format_ARGB32_Premultiplied);
    m_bild.setDevicePixelRatio(dpr);
    // A field without a parent is a window of its own and stands on its window colour.
    m_bild.fill(m_ahnen.empty() ? m_feld->palette().color(QPalette::Window) : QColor(Qt::transparent));
    // Each ancestor alone, the outermost with its background, as the screen layers them.
    for (auto it = m_ahnen.rbegin(); it != m_ahnen.rend(); ++it) {
        QWidget* w = *it;
        if (!w)
            continue;
        const QRect bereich(m_feld->mapTo(w, QPoint(0, 0)), m_feld->size());
        w->render(&m_bild, QPoint(), QRegion(bereich),
                  it == m_ahnen.rbegin() ? QWidget::DrawWindowBackground : QWidget::RenderFlags());
    }
}

bool Untergrund::eventFilter(QObject* o, QEvent* e)
{
    switch (e->type()) {
    case QEvent::Paint:
        if (o == m_feld) {
            // Another screen with another pixel ratio needs a copy of its own.
            if (m_bild.isNull() || m_bild.devicePixelRatio() != m_feld->devicePixelRatioF())
                aufnehmen();
            QPainter p(m_feld);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(0, 0, m_bild);
        }
        break;
    case QEvent::ParentChange:
        ahnen_beobachten();
        break;
    case QEvent::Resize:
    case QEvent::Move:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::FontChange:
    case QEvent::EnabledChange:
    case QEvent::LayoutDirectionChange:
        m_bild = QImage();
        break;
    default:
        break;
    }
    return false;
}

} // namespace kw
