#pragma once
// A display that changes often (the clock) repaints only itself: it keeps a
// copy of what its parent draws beneath it and lays that down before its own
// paint, so that Qt need not paint the group box and the screen under it.

#include <QImage>
#include <QObject>
#include <QPointer>

class QWidget;

namespace kw {

class Untergrund final : public QObject {
public:
    // Takes effect on `feld`, whose parent draws the background beneath it.
    static void anlegen(QWidget* feld);

    bool eventFilter(QObject* o, QEvent* e) override;

private:
    explicit Untergrund(QWidget* feld);
    void aufnehmen();

    QWidget* m_feld;
    QPointer<QWidget> m_eltern;
    QImage m_bild;   // null: taken anew at the next paint
};

} // namespace kw
