#include "fileio/Dateiname.h"

namespace kw {

bool Ist_Utf8(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t laenge;
        char32_t minimum;
        if (b < 0x80) {
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            laenge = 2;
            minimum = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            laenge = 3;
            minimum = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            laenge = 4;
            minimum = 0x10000;
        } else {
            return false;
        }
        if (i + laenge > s.size())
            return false;
        char32_t cp = b & (0x7F >> laenge);
        for (std::size_t k = 1; k < laenge; ++k) {
            const auto f = static_cast<unsigned char>(s[i + k]);
            if ((f & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (f & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += laenge;
    }
    return true;
}

bool Ist_Dateiname(std::string_view name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    if (!Ist_Utf8(name))
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto b = static_cast<unsigned char>(name[i]);
        if (b == '/' || b < 0x20 || b == 0x7F)
            return false;
        // C1 controls U+0080..U+009F are C2 80 .. C2 9F in UTF-8
        if (b == 0xC2 && i + 1 < name.size()) {
            const auto f = static_cast<unsigned char>(name[i + 1]);
            if (f >= 0x80 && f <= 0x9F)
                return false;
        }
    }
    return true;
}

} // namespace kw
