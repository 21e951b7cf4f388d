#pragma once
// Small building blocks shared by the screens of the brewing aids.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include <initializer_list>
#include <string>
#include <utility>

#include "screens/Anwendung.h"
#include "screens/Zahlenfeld.h"

namespace kw::hilfen {

// A free-text box of the given object name.
QLineEdit* Textfeld(const char* name, QWidget* eltern);

// A decimal box behind the shared decimal key filter: a refused key shows the
// filter's message, then the box holds "1".
Zahlenfeld* Dezimalfeld(Anwendung& app, const char* name, QWidget* eltern);

// A label; an empty name leaves it out of the caption tables.
QLabel* Beschriftung(const char* name, const QString& text, QWidget* eltern);

// Shows screen `name` non-modal and brings it to the front; nothing when the
// screen is not part of the program.
void Zeigen(Anwendung& app, const char* name);

// Same for a screen already at hand.
void Vorholen(QWidget& bildschirm);

// A large push button of the aids (CALC, OK).
QPushButton* Knopf(const char* name, const QString& text, QWidget* eltern);

// The "OK" button `name` of a calculator or guide: hides `bildschirm` and shows
// screen `ziel`.
QPushButton* Zurueck_Knopf(Anwendung& app, QWidget& bildschirm, const char* name, const char* ziel);

// The results of a calculator: with meldung 0 each field takes its text; otherwise
// the message is shown and every field keeps what it held.
void Ergebnis_Zeigen(Anwendung& app, int meldung,
                     std::initializer_list<std::pair<QLineEdit*, const std::string&>> felder);

} // namespace kw::hilfen
