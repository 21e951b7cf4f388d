#include "program/Funktionen.h"

#include <cstdint>

namespace kw {

std::int16_t Zahl_Aus_Text(const std::string& text)
{
    std::int64_t wert = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return 0;
        wert = wert * 10 + (c - '0');
        if (wert > INT16_MAX)
            wert = INT16_MAX;
    }
    return static_cast<std::int16_t>(wert);
}

namespace {

bool ist_Ziffer_oder_Steuer(int taste)
{
    return (taste >= Taste::Ziffer0 && taste <= Taste::Ziffer9) || taste == Taste::Backspace
        || taste == Taste::Enter;
}

Tastenergebnis pruefe(int taste, int meldung)
{
    if (ist_Ziffer_oder_Steuer(taste))
        return {};
    return {true, meldung};
}

} // namespace

Tastenergebnis Tastenpruefung_Startphase(int taste, const std::string&) { return pruefe(taste, 14); }
Tastenergebnis Tastenpruefung_Startzeit(int taste, const std::string&) { return pruefe(taste, 12); }
Tastenergebnis Tastenpruefung_Phasenanzahl(int taste, const std::string&) { return pruefe(taste, 14); }
Tastenergebnis Tastenpruefung_Temperatur(int taste, const std::string&) { return pruefe(taste, 15); }
Tastenergebnis Tastenpruefung_Heizzeit(int taste, const std::string&) { return pruefe(taste, 12); }
Tastenergebnis Tastenpruefung_Ruehrimpuls(int taste, const std::string&) { return pruefe(taste, 13); }
Tastenergebnis Tastenpruefung_Ruehrpause(int taste, const std::string&) { return pruefe(taste, 13); }
Tastenergebnis Tastenpruefung_Rufzeit(int taste, const std::string&) { return pruefe(taste, 12); }

Tastenergebnis Tastenpruefung_Dezimal(int taste, const std::string& text)
{
    if (taste == Taste::Komma && text.find(',') == std::string::npos)
        return {};
    return pruefe(taste, 11);
}

} // namespace kw
