#pragma once
// Small helpers shared by the main screen's files.

#include <QLabel>
#include <QLineEdit>
#include <QSizePolicy>
#include <QString>
#include <QWidget>

#include <string>

namespace kw::grundbild {

inline QString q(const std::string& s) { return QString::fromStdString(s); }

// Setting an unchanged text would still repaint the field ten times a second.
inline void setzeText(QLineEdit* feld, const QString& text)
{
    if (feld->text() != text)
        feld->setText(text);
}

inline void setzeText(QLabel* label, const QString& text)
{
    if (label->text() != text)
        label->setText(text);
}

// Hidden controls keep their place, so nothing jumps when they blink.
inline void platzHalten(QWidget* w)
{
    QSizePolicy sp = w->sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    w->setSizePolicy(sp);
}

inline void zeigen(QWidget* w)
{
    w->show();
    w->raise();
    w->activateWindow();
}

} // namespace kw::grundbild
