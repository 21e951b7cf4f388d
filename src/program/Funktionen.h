#pragma once
// Shared functions of the program: digit conversion and the key filters of the
// numeric input fields.

#include <cstdint>
#include <string>

namespace kw {

// Decimal digit text to a whole number; the empty text gives 0.
// The editor only ever produces up to 4 digits. For texts from hand-edited
// files: a text holding anything but the digits 0..9 gives 0, and a longer digit
// text saturates at 32767 instead of overflowing.
std::int16_t Zahl_Aus_Text(const std::string& text);

// Virtual-key codes the filters know.
namespace Taste {
inline constexpr int Backspace = 8;
inline constexpr int Enter = 13;
inline constexpr int Ziffer0 = 48;   // digit row 0..9 = 48..57
inline constexpr int Ziffer9 = 57;
inline constexpr int Block0 = 96;    // numeric keypad 0..9 = 96..105, not admitted
inline constexpr int Komma = 188;
} // namespace Taste

// Result of a key filter: rejected keys carry the message number to show; the
// caller then empties the field.
struct Tastenergebnis {
    bool abgelehnt = false;
    int meldung = 0;
    bool operator==(const Tastenergebnis&) const = default;
};

Tastenergebnis Tastenpruefung_Startphase(int taste, const std::string& text);
Tastenergebnis Tastenpruefung_Startzeit(int taste, const std::string& text);
Tastenergebnis Tastenpruefung_Phasenanzahl(int taste, const std::string& text);
Tastenergebnis Tastenpruefung_Temperatur(int taste, const std::string& text);
Tastenergebnis Tastenpruefung_Heizzeit(int taste, const std::string& text);
Tastenergebnis Tastenpruefung_Ruehrimpuls(int taste, const std::string& text);
Tastenergebnis Tastenpruefung_Ruehrpause(int taste, const std::string& text);
Tastenergebnis Tastenpruefung_Rufzeit(int taste, const std::string& text);
// Digits, Backspace, Enter, and the comma key while the text holds no comma yet.
Tastenergebnis Tastenpruefung_Dezimal(int taste, const std::string& text);

} // namespace kw
