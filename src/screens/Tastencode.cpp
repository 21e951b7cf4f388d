#include "screens/Tastencode.h"

#include <QKeyEvent>

namespace kw {

int Tastencode(const QKeyEvent& e)
{
    const int k = e.key();
    const bool block = e.modifiers().testFlag(Qt::KeypadModifier);
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return block ? 96 + (k - Qt::Key_0) : 48 + (k - Qt::Key_0);
    switch (k) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    // The keypad's decimal key is VK_DECIMAL whatever it prints (',' on a German
    // layout): only the comma of the main keyboard is a comma key.
    case Qt::Key_Comma: return block ? 110 : 188;
    case Qt::Key_Period: return block ? 110 : 190;
    case Qt::Key_Minus: return block ? 109 : 189;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Tab: return 9;
    default: break;
    }
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return 65 + (k - Qt::Key_A);
    return 255; // no filter admits it
}

} // namespace kw
