#pragma once
// Puts the texts of a caption table onto the controls of the screens, found by
// their object names.

#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kw {

// Sets the caption of control `steuerelement` inside `bildschirm`: the window
// title for an empty name or the screen's own name, else the text or title of
// the child of that object name (buttons, labels, group boxes, text boxes); a
// name "Liste_N" whose "Liste" is a list widget sets its item N.
// Returns false when no such control exists.
bool Beschriftung_Setzen(QWidget& bildschirm, const std::string& steuerelement, const QString& text);

// Accessible names without a mouse: each field, slider and lamp without a name
// of its own gets the caption beside it as its buddy (the label before it in
// its layout row or column, for a lamp the label after it), so that its name
// follows the language; a list in a frame is named after the frame's title.
// Run after every change of captions.
void Namen_Zuordnen(QWidget& bildschirm);

// Reads back what Beschriftung_Setzen would set (tests and checks).
std::optional<QString> Beschriftung_Lesen(QWidget& bildschirm, const std::string& steuerelement);

} // namespace kw
