#pragma once
// A display that changes often (the clock, a blinking lamp) repaints only
// itself: it keeps a copy of what its ancestors draw beneath it and lays that
// down before its own paint, so that Qt need not paint the group boxes and the
// screen under it again.

#include <QImage>
#include <QObject>
#include <QPointer>

#include <vector>

class QWidget;

namespace kw {

class Untergrund final : public QObject {
public:
    // Takes effect on `feld`; no sibling may overlap it.
    static void anlegen(QWidget* feld);

    bool eventFilter(QObject* o, QEvent* e) override;

private:
    explicit Untergrund(QWidget* feld);
    void ahnen_beobachten();
    void aufnehmen();

    QWidget* m_feld;
    // From the parent up to the first ancestor that fills its own background.
    std::vector<QPointer<QWidget>> m_ahnen;
    QImage m_bild;   // null: taken anew at the next paint
};

} // namespace kw
