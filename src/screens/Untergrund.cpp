#include "screens/Untergrund.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace kw {

void Untergrund::anlegen(QWidget* feld)
{
    new Untergrund(feld);
}

Untergrund::Untergrund(QWidget* feld) : QObject(feld), m_feld(feld), m_eltern(feld->parentWidget())
{
    m_feld->setAttribute(Qt::WA_OpaquePaintEvent);
    m_feld->installEventFilter(this);
    if (m_eltern)
        m_eltern->installEventFilter(this);
}

void Untergrund::aufnehmen()
{
    const qreal dpr = m_feld->devicePixelRatioF();
    m_bild = QImage(m_feld->size() * dpr, QImage::Format_ARGB32_Premultiplied);
    m_bild.setDevicePixelRatio(dpr);
    m_bild.fill(Qt::transparent);
    // The parent alone, with the window background it stands on, as it is drawn on screen.
    m_eltern->render(&m_bild, QPoint(), QRegion(m_feld->geometry()), QWidget::DrawWindowBackground);
}

bool Untergrund::eventFilter(QObject* o, QEvent* e)
{
    switch (e->type()) {
    case QEvent::Paint:
        if (o == m_feld && m_eltern) {
            if (m_bild.isNull() || m_bild.devicePixelRatio() != m_feld->devicePixelRatioF())
                aufnehmen();
            QPainter p(m_feld);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(0, 0, m_bild);
        }
        break;
    case QEvent::ParentChange:
        if (o == m_feld) {
            if (m_eltern)
                m_eltern->removeEventFilter(this);
            m_eltern = m_feld->parentWidget();
            if (m_eltern)
                m_eltern->installEventFilter(this);
        }
        m_bild = QImage();
        break;
    case QEvent::Resize:
    case QEvent::Move:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::FontChange:
    case QEvent::EnabledChange:
    case QEvent::LayoutDirectionChange:
    case QEvent::ScreenChangeInternal:
        m_bild = QImage();
        break;
    default:
        break;
    }
    return false;
}

} // namespace kw
