#pragma once
// Taking the reading from DigiTemp's log: the longest run of digits and "." around the last digit.

#include <optional>
#include <string>
#include <string_view>

namespace kw {

// The scan on a whole file's content; the start and the end of the content count as delimiters.
std::optional<std::string> Temperatur_Suchen(std::string_view inhalt);

// The same on the file, reading only its end (4 KiB, more only when a number reaches back further;
// at most 64 KiB). nullopt when the file is missing, empty or holds no digit near its end.
std::optional<std::string> Temperatur_Lesen(const std::string& pfad);

} // namespace kw
