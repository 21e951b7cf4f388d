#pragma once
// Every screen fits the display it is shown on: its content scrolls when the
// window is smaller, and the window is bounded to the available area at show.

#include <QRect>
#include <QScrollArea>
#include <QSize>

class QWidget;

namespace kw {

// A scroll area that asks for its whole content: at full size the window
// looks as if there were none. Scroll bars appear only when needed.
class Bildflaeche final : public QScrollArea {
public:
    explicit Bildflaeche(QWidget* eltern);
    QSize sizeHint() const override;
};

// Room kept around the window for a title bar and frame while the real frame is not known yet.
inline constexpr QSize Fensterrand_Reserve{10, 44};

// Moves the screen's layout into a Bildflaeche. Names, class and children of
// the screen stay; the controls stay descendants of it.
void Einpassen(QWidget& bildschirm);
// The window's size and place within `bereich` (a screen's available area, frame included).
void Fenster_Begrenzen(QWidget& bildschirm, const QRect& bereich);

} // namespace kw
