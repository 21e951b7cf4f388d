#include "screens/Zahlenfeld.h"

#include "screens/Tastencode.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace kw {

Zahlenfeld::Zahlenfeld(Filter filter, int maxLaenge, QWidget* parent)
    : QLineEdit(parent), m_filter(std::move(filter))
{
    if (maxLaenge > 0)
        setMaxLength(maxLaenge);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    // Typed digits arrive as key events, not as composed text.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void Zahlenfeld::keyPressEvent(QKeyEvent* e)
{
    // Focus keys belong to the dialog, not to the field.
    if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    const Tastenergebnis r = m_filter(Tastencode(*e), text().toStdString());
    if (r.abgelehnt) {
        clear();
        e->accept();
        Q_EMIT abgelehnt(r.meldung);
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void Zahlenfeld::keyReleaseEvent(QKeyEvent* e)
{
    QLineEdit::keyReleaseEvent(e);
    if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab)
        return;
    Q_EMIT losgelassen();
}

// The middle button pastes the selection.
void Zahlenfeld::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::MiddleButton) {
        e->accept();
        return;
    }
    QLineEdit::mousePressEvent(e);
}

void Zahlenfeld::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::MiddleButton) {
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

void Zahlenfeld::dragEnterEvent(QDragEnterEvent* e) { e->ignore(); }
void Zahlenfeld::dragMoveEvent(QDragMoveEvent* e) { e->ignore(); }
void Zahlenfeld::dropEvent(QDropEvent* e) { e->ignore(); }
void Zahlenfeld::inputMethodEvent(QInputMethodEvent* e) { e->ignore(); }

} // namespace kw
