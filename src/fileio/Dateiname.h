#pragma once
// One rule for the files named after the beer: the recipe and the history file.

#include <string_view>

namespace kw {

// A name that names a file in the program folder itself and nothing else: valid
// UTF-8, not empty, not "." or "..", without "/" and without control characters
// (C0, DEL, C1). A "\" is an ordinary character of a file name here and is kept.
bool Ist_Dateiname(std::string_view name);

// Well-formed UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool Ist_Utf8(std::string_view bytes);

} // namespace kw
