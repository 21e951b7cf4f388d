#pragma once
// Decimal numbers held as text in the user's locale (decimal comma on a German
// system). The separator is passed in; the screens take it from the locale.

#include <string>

namespace kw {

// Reads a decimal text: leading blanks skipped, the given separator (or '.')
// as decimal point; a text that starts with no number gives 0.
double Text_Als_Double(const std::string& text, char trenner);
float Text_Als_Single(const std::string& text, char trenner);

// Shortest general form of a value (63, 62.5, 72.1) with the given separator.
std::string Double_Als_Text(double wert, char trenner);
std::string Single_Als_Text(float wert, char trenner);

} // namespace kw
