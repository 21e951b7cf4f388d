#include "program/Zahlen.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace kw {

namespace {

std::string normalisiert(const std::string& text, char trenner)
{
    std::string s;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    for (; i < text.size(); ++i) {
        char c = text[i];
        s += (c == trenner) ? '.' : c;
    }
    return s;
}

std::string mit_Trenner(std::string s, char trenner)
{
    for (char& c : s)
        if (c == '.')
            c = trenner;
    return s;
}

std::string formatiert(double wert, int stellen)
{
    if (!std::isfinite(wert))
        return "0";
    char puffer[64];
    std::snprintf(puffer, sizeof puffer, "%.*g", stellen, wert);
    std::string s = puffer;
    if (s == "-0")
        s = "0";
    return s;
}

} // namespace

double Text_Als_Double(const std::string& text, char trenner)
{
    const std::string s = normalisiert(text, trenner);
    const char* anfang = s.data();
    if (!s.empty() && s[0] == '+')
        ++anfang;
    double wert = 0.0;
    auto [ende, fehler] = std::from_chars(anfang, s.data() + s.size(), wert);
    (void)ende;
    if (fehler != std::errc() || !std::isfinite(wert))
        return 0.0;
    return wert;
}

float Text_Als_Single(const std::string& text, char trenner)
{
    return static_cast<float>(Text_Als_Double(text, trenner));
}

// 15 significant digits for doubles and 7 for singles, like the usual
// number-to-text conversion, so 72 + 0.1 shows as 72.1.
std::string Double_Als_Text(double wert, char trenner)
{
    return mit_Trenner(formatiert(wert, 15), trenner);
}

std::string Single_Als_Text(float wert, char trenner)
{
    return mit_Trenner(formatiert(static_cast<double>(wert), 7), trenner);
}

} // namespace kw
