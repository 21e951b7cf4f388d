#pragma once
// Showing or hiding a widget that already is so still walks Qt's state (and
// may repaint): the screens' ticks set a visibility only when it differs.

#include <QWidget>

namespace kw {

inline void Sichtbar_Setzen(QWidget* w, bool sichtbar)
{
    if (w->isHidden() == sichtbar)
        w->setVisible(sichtbar);
}

} // namespace kw
