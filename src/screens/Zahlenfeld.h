#pragma once
// A text box guarded by one of the key filters: a refused key is swallowed, the
// field emptied and the filter's message reported; every key release is reported
// so the owner can clamp and copy the text.
//
// Only keys reach the text: pasting with the mouse, dropping and input-method
// text are kept out, since they would pass by the filter and by the release.

#include <QLineEdit>

#include <functional>
#include <string>

#include "program/Funktionen.h"

namespace kw {

class Zahlenfeld : public QLineEdit {
    Q_OBJECT
public:
    using Filter = std::function<Tastenergebnis(int taste, const std::string& text)>;

    explicit Zahlenfeld(Filter filter, int maxLaenge, QWidget* parent = nullptr);

Q_SIGNALS:
    void abgelehnt(int meldung);
    void losgelassen();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;

private:
    Filter m_filter;
};

} // namespace kw
