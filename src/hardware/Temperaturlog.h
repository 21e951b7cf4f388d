#pragma once
// Taking the reading from DigiTemp's log: the longest run of digits and "." around the last digit
// before the last line end. What follows the last line end is a line still being written: no reading.

#include <optional>
#include <string>
#include <string_view>

namespace kw {

// A number found in the log and where it stands, in bytes from the file's start.
struct Logwert {
    std::string text;
    long long anfang = 0;
    long long ende = 0;   // just past its last character
};

// The scan on a whole file's content; the start of the content counts as a delimiter.
std::optional<Logwert> Logwert_Suchen(std::string_view inhalt);
std::optional<std::string> Temperatur_Suchen(std::string_view inhalt);

// The same on the file, reading only its end (4 KiB, more only when a number or the last line end lies
// further back; at most 64 KiB). nullopt when the file is missing, empty or holds no complete number
// near its end.
std::optional<Logwert> Logwert_Lesen(const std::string& pfad);
std::optional<std::string> Temperatur_Lesen(const std::string& pfad);

} // namespace kw
