#pragma once

// Numbers as the calculators' fields hold them: text in the user's locale.

#include <optional>
#include <string>
#include <string_view>

namespace kw {

// "Eingaben fuer die Berechnung sind unvollstaendig." - the one message the aids raise.
inline constexpr int Meldung_Eingaben_Unvollstaendig = 5;

// Reads a decimal text as single precision: optional blanks, sign, digits, at most one
// decimal mark, optional exponent. Either ',' or '.' is taken as the decimal mark, so a
// German "4,2" and an English "4.2" both give 4.2 and neither is mistaken for 42.
// Empty, unreadable or out-of-range text gives nothing.
std::optional<float> Single_Aus_Text(std::string_view text);
std::optional<double> Double_Aus_Text(std::string_view text);

// Default text of a number: up to 7 (single) or 15 (double) significant digits, no
// trailing zeros, exponent form "1,234568E+07" outside the plain range, written with the
// given decimal separator (',' German, '.' otherwise).
std::string Text_Aus_Single(float wert, char dezimalzeichen);
std::string Text_Aus_Double(double wert, char dezimalzeichen);

// Whole number, halves to the even neighbour (62.5 -> 62, 63.5 -> 64).
double Runden_Gerade(double wert);

// True when the text holds nothing but blanks.
bool Ist_Leer(std::string_view text);

}  // namespace kw
