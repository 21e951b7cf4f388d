#include "screens/Zahlenfeld.h"

#include "screens/Tastencode.h"

#include <QKeyEvent>

namespace kw {

Zahlenfeld::Zahlenfeld(Filter filter, int maxLaenge, QWidget* parent)
    : QLineEdit(parent), m_filter(std::move(filter))
{
    if (maxLaenge > 0)
        setMaxLength(maxLaenge);
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

} // namespace kw
