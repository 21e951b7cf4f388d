#pragma once
// The shape the three pop-ups share (call window, sensor warning, USB alarm):
// a large bold text above a row of two buttons, shown without blocking.

#include <QWidget>

class QLabel;
class QHBoxLayout;
class QPushButton;

namespace kw {

class Hinweisfenster : public QWidget {
    Q_OBJECT
public:
    // `textname` is the label's objectName, the key of its caption.
    Hinweisfenster(const QString& titel, const char* textname, const QString& text, int textZugabe_pt);

protected:
    // A button of the row, left to right.
    QPushButton* knopf(const char* name, const QString& text);

    QLabel* m_text;

private:
    QHBoxLayout* m_knoepfe;
};

} // namespace kw
