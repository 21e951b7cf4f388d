#include "hardware/Konfiguration.h"

#include "fileio/AtomicWrite.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace kw {

namespace {

constexpr std::size_t hoechstLesen = 64 * 1024; // a real file has well under 1 KiB

bool istUtf8(const std::string& s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        auto c = static_cast<unsigned char>(s[i]);
        std::size_t folge;
        if (c < 0x80)
            folge = 0;
        else if (c >= 0xC2 && c <= 0xDF)
            folge = 1;
        else if (c >= 0xE0 && c <= 0xEF)
            folge = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            folge = 3;
        else
            return false;
        if (i + folge >= s.size())
            return false;
        if (folge > 0) {
            // No overlong forms, no surrogates, nothing beyond U+10FFFF.
            auto z2 = static_cast<unsigned char>(s[i + 1]);
            if ((c == 0xE0 && z2 < 0xA0) || (c == 0xED && z2 >= 0xA0) || (c == 0xF0 && z2 < 0x90)
                || (c == 0xF4 && z2 >= 0x90))
                return false;
        }
        for (std::size_t k = 1; k <= folge; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += folge + 1;
    }
    return true;
}

void utf8Anhaengen(std::string& aus, char32_t z)
{
    if (z < 0x80) {
        aus += static_cast<char>(z);
    } else if (z < 0x800) {
        aus += static_cast<char>(0xC0 | (z >> 6));
        aus += static_cast<char>(0x80 | (z & 0x3F));
    } else {
        aus += static_cast<char>(0xE0 | (z >> 12));
        aus += static_cast<char>(0x80 | ((z >> 6) & 0x3F));
        aus += static_cast<char>(0x80 | (z & 0x3F));
    }
}

// Windows-1252 to UTF-8; the five unassigned bytes map to their Latin-1 code points.
std::string cp1252NachUtf8(const std::string& s)
{
    static constexpr std::array<char16_t, 32> bereich80 = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::string aus;
    aus.reserve(s.size() + s.size() / 2);
    for (char c : s) {
        auto b = static_cast<unsigned char>(c);
        char32_t z = (b >= 0x80 && b < 0xA0) ? bereich80[b - 0x80] : b;
        utf8Anhaengen(aus, z);
    }
    return aus;
}

} // namespace

std::string& Konfiguration::zeile(int nummer)
{
    return const_cast<std::string&>(std::as_const(*this).zeile(nummer));
}

const std::string& Konfiguration::zeile(int nummer) const
{
    switch (nummer) {
    case 1: return NameDigitemp;
    case 2: return NameLogFile;
    case 3: return Schnittstelle;
    case 4: return LPT_Def_Adresse;
    case 5: return COM_Port;
    case 6: return Reserviert;
    case 15: return Signal;
    case 16: return Gradient;
    case 17: return Sprache;
    default:
        if (nummer >= 7 && nummer <= 14)
            return Conf_Extra[static_cast<std::size_t>(nummer - 7)];
        throw std::out_of_range("Konfiguration::zeile");
    }
}

std::string Pfad_Verbinden(const std::string& ordner, const std::string& name)
{
    if (ordner.empty())
        return name;
    if (ordner.back() == '/')
        return ordner + name;
    return ordner + "/" + name;
}

std::string Konfigurationsdatei_Pfad(const std::string& Programmpfad)
{
    return Pfad_Verbinden(Programmpfad, "Kesselwerk.cfg");
}

int Zeilenzahl_Lesen(const std::string& text)
{
    auto anfang = text.find_first_not_of(" \t");
    if (anfang == std::string::npos)
        return -1;
    auto ende = text.find_last_not_of(" \t");
    if (ende - anfang + 1 > 6)
        return -1;
    int wert = 0;
    for (auto i = anfang; i <= ende; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        wert = wert * 10 + (text[i] - '0');
    }
    return wert;
}

Konfiguration Datei_Lesen(const std::string& pfad, Lesebericht* bericht)
{
    Konfiguration k;
    Lesebericht b;
    // A folder, a pipe, a device is no configuration; a link a save would refuse is not read.
    int fd = -1;
    const FileResult r = open_for_rewrite(pfad, O_RDONLY, fd);
    if (!r.ok() && !(r.kind == FileError::System && r.errnum == ENOENT))
        b.fehler = r.text;
    if (fd >= 0) {
        std::string inhalt;
        char puffer[4096];
        bool fehler = false;
        while (inhalt.size() < hoechstLesen) {
            ssize_t n = ::read(fd, puffer, sizeof puffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                fehler = true; // a directory, an I/O error: treat as unreadable
            if (n <= 0)
                break;
            inhalt.append(puffer, static_cast<std::size_t>(n));
        }
        ::close(fd);
        if (!fehler) {
            b.geoeffnet = true;
            std::size_t pos = 0;
            while (b.zeilen < Konfiguration::Zeilenzahl && pos < inhalt.size()) {
                // CR LF, LF or a lone CR (an old Mac editor) ends a line.
                const auto ende = inhalt.find_first_of("\r\n", pos);
                std::string zeile = inhalt.substr(pos, ende == std::string::npos ? std::string::npos : ende - pos);
                if (ende == std::string::npos)
                    pos = inhalt.size();
                else if (inhalt[ende] == '\r' && ende + 1 < inhalt.size() && inhalt[ende + 1] == '\n')
                    pos = ende + 2;
                else
                    pos = ende + 1;
                ++b.zeilen;
                if (b.zeilen != 6 && !istUtf8(zeile))
                    zeile = cp1252NachUtf8(zeile);
                k.zeile(b.zeilen) = std::move(zeile);
            }
        }
    }
    if (bericht)
        *bericht = b;
    return k;
}

bool Datei_Schreiben(const std::string& pfad, const Konfiguration& k, std::string* fehler)
{
    std::string inhalt;
    for (int i = 1; i <= Konfiguration::Zeilenzahl; ++i) {
        std::string wert = k.zeile(i);
        for (char& c : wert)
            if (c == '\r' || c == '\n')
                c = ' '; // a line break would shift every later line
        inhalt += wert;
        inhalt += "\r\n";
    }

    std::string grund;
    if (write_atomically(pfad, inhalt, grund))
        return true;
    if (fehler)
        *fehler = grund;
    return false;
}

} // namespace kw
