#include "program/Profildatei.h"

#include <array>
#include <cstdint>

namespace kw {

namespace {

constexpr std::string_view Bom = "\xEF\xBB\xBF";

std::string_view ohne_Rand(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Next code point of a UTF-8 text; invalid bytes come back one by one as themselves.
char32_t naechstes(std::string_view s, std::size_t& i)
{
    const auto b = static_cast<unsigned char>(s[i]);
    int laenge = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    if (laenge <= 1 || i + static_cast<std::size_t>(laenge) > s.size()) {
        ++i;
        return b;
    }
    char32_t cp = b & (0x7F >> laenge);
    for (int k = 1; k < laenge; ++k) {
        const auto f = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if ((f & 0xC0) != 0x80) {
            ++i;
            return b;
        }
        cp = (cp << 6) | (f & 0x3F);
    }
    i += static_cast<std::size_t>(laenge);
    return cp;
}

// Case folding for name matching: ASCII and the Latin-1 letters (Ü -> ü).
char32_t klein(char32_t c)
{
    if (c >= U'A' && c <= U'Z')
        return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 32;
    return c;
}

bool gleicher_Name(std::string_view a, std::string_view b)
{
    a = ohne_Rand(a);
    b = ohne_Rand(b);
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size())
        if (klein(naechstes(a, i)) != klein(naechstes(b, j)))
            return false;
    return i == a.size() && j == b.size();
}

// "[Name]" -> Name (untrimmed); false for any other line.
bool ist_Kopf(std::string_view zeile, std::string_view& name)
{
    zeile = ohne_Rand(zeile);
    if (zeile.empty() || zeile.front() != '[')
        return false;
    const auto zu = zeile.find(']');
    if (zu == std::string_view::npos)
        return false;
    name = zeile.substr(1, zu - 1);
    return true;
}

// "Key=Value" -> key and value (both untrimmed); false without "=".
bool ist_Eintrag(std::string_view zeile, std::string_view& schluessel, std::string_view& wert)
{
    const auto gleich = zeile.find('=');
    if (gleich == std::string_view::npos)
        return false;
    schluessel = zeile.substr(0, gleich);
    wert = zeile.substr(gleich + 1);
    return true;
}

void utf8_anhaengen(std::string& ziel, char32_t cp)
{
    if (cp < 0x80) {
        ziel += static_cast<char>(cp);
    } else if (cp < 0x800) {
        ziel += static_cast<char>(0xC0 | (cp >> 6));
        ziel += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        ziel += static_cast<char>(0xE0 | (cp >> 12));
        ziel += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        ziel += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        ziel += static_cast<char>(0xF0 | (cp >> 18));
        ziel += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        ziel += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        ziel += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Windows-1252 0x80..0x9F; the undefined five stand for the C1 code point of the same value.
constexpr std::array<char16_t, 32> Tabelle_80_9F{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

// --- code page ----------------------------------------------------------------

std::string Westeuropaeisch_Nach_Utf8(std::string_view bytes)
{
    std::string r;
    r.reserve(bytes.size() + bytes.size() / 8);
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F)
            utf8_anhaengen(r, Tabelle_80_9F[b - 0x80]);
        else
            utf8_anhaengen(r, b);
    }
    return r;
}

bool Ist_Utf8(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        std::size_t laenge;
        char32_t minimum;
        if (b >= 0xC2 && b <= 0xDF) {
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

bool Utf8_Nach_Westeuropaeisch(std::string_view utf8, std::string& bytes, std::string& fehlzeichen)
{
    bytes.clear();
    fehlzeichen.clear();
    if (!Ist_Utf8(utf8))
        return false;
    bytes.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t anfang = i;
        const char32_t cp = naechstes(utf8, i);
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            bytes += static_cast<char>(cp);
            continue;
        }
        bool gefunden = false;
        for (std::size_t k = 0; k < Tabelle_80_9F.size(); ++k) {
            if (Tabelle_80_9F[k] == cp) {
                bytes += static_cast<char>(0x80 + k);
                gefunden = true;
                break;
            }
        }
        if (!gefunden) {
            fehlzeichen = std::string(utf8.substr(anfang, i - anfang));
            bytes.clear();
            return false;
        }
    }
    return true;
}

Profildatei::Kodierung Kodierung_Erkennen(std::string_view bytes)
{
    if (bytes.substr(0, Bom.size()) == Bom)
        return Profildatei::Kodierung::Utf8_Bom;
    bool mehrbyte = false;
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) {
            mehrbyte = true;
            break;
        }
    if (mehrbyte && Ist_Utf8(bytes))
        return Profildatei::Kodierung::Utf8;
    return Profildatei::Kodierung::Westeuropaeisch;
}

// --- document -------------------------------------------------------------------

Profildatei Profildatei::aus_Text(std::string_view text)
{
    Profildatei d;
    std::size_t anfang = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        d.m_zeilen.emplace_back(text.substr(anfang, i - anfang));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        anfang = i + 1;
    }
    if (anfang < text.size())
        d.m_zeilen.emplace_back(text.substr(anfang));
    return d;
}

Profildatei Profildatei::aus_Bytes(std::string_view bytes)
{
    const Kodierung k = Kodierung_Erkennen(bytes);
    Profildatei d;
    switch (k) {
    case Kodierung::Utf8_Bom:
        d = aus_Text(bytes.substr(Bom.size()));
        break;
    case Kodierung::Utf8:
        d = aus_Text(bytes);
        break;
    case Kodierung::Westeuropaeisch:
        d = aus_Text(Westeuropaeisch_Nach_Utf8(bytes));
        break;
    }
    d.m_kodierung = k;
    return d;
}

std::string Profildatei::als_Text() const
{
    std::string r;
    for (const auto& z : m_zeilen) {
        r += z;
        r += "\r\n";
    }
    return r;
}

std::string Profildatei::als_Bytes()
{
    const std::string text = als_Text();
    if (m_kodierung == Kodierung::Westeuropaeisch) {
        std::string bytes, fehlzeichen;
        if (Utf8_Nach_Westeuropaeisch(text, bytes, fehlzeichen))
            return bytes;
        // The code page cannot hold the text: keep every character instead.
        m_kodierung = Kodierung::Utf8_Bom;
    }
    if (m_kodierung == Kodierung::Utf8_Bom)
        return std::string(Bom) + text;
    return text;
}

bool Profildatei::finde_Abschnitt(std::string_view abschnitt, Bereich& b) const
{
    std::string_view name;
    for (std::size_t i = 0; i < m_zeilen.size(); ++i) {
        if (!ist_Kopf(m_zeilen[i], name) || !gleicher_Name(name, abschnitt))
            continue;
        b.kopf = i;
        b.ende = i + 1;
        while (b.ende < m_zeilen.size() && !ist_Kopf(m_zeilen[b.ende], name))
            ++b.ende;
        return true;
    }
    return false;
}

Profildatei::Bereich Profildatei::Abschnitt_Anlegen(std::string_view abschnitt)
{
    Bereich b;
    if (finde_Abschnitt(abschnitt, b))
        return b;
    m_zeilen.push_back("[" + std::string(ohne_Rand(abschnitt)) + "]");
    b.kopf = m_zeilen.size() - 1;
    b.ende = m_zeilen.size();
    return b;
}

std::string Profildatei::Ini_Lesen(std::string_view abschnitt, std::string_view schluessel) const
{
    Bereich b;
    if (!finde_Abschnitt(abschnitt, b))
        return {};
    std::string_view k, w;
    for (std::size_t i = b.kopf + 1; i < b.ende; ++i) {
        if (!ist_Eintrag(m_zeilen[i], k, w) || !gleicher_Name(k, schluessel))
            continue;
        w = ohne_Rand(w);
        // cut after 254 characters, never inside one
        std::size_t pos = 0, zeichen = 0;
        while (pos < w.size() && zeichen < Max_Wertlaenge) {
            naechstes(w, pos);
            ++zeichen;
        }
        return std::string(w.substr(0, pos));
    }
    return {};
}

void Profildatei::Ini_Schreiben(std::string_view abschnitt, std::string_view schluessel,
                                std::string_view wert)
{
    std::string zeile(ohne_Rand(schluessel));
    zeile += '=';
    for (char c : wert)
        zeile += (c == '\r' || c == '\n') ? ' ' : c;

    const Bereich b = Abschnitt_Anlegen(abschnitt);
    std::string_view k, w;
    for (std::size_t i = b.kopf + 1; i < b.ende; ++i) {
        if (ist_Eintrag(m_zeilen[i], k, w) && gleicher_Name(k, schluessel)) {
            m_zeilen[i] = std::move(zeile);
            return;
        }
    }
    Anhaengen(b, std::move(zeile));
}

void Profildatei::Zeile_Sicherstellen(std::string_view abschnitt, std::string_view zeile)
{
    const Bereich b = Abschnitt_Anlegen(abschnitt);
    for (std::size_t i = b.kopf + 1; i < b.ende; ++i)
        if (ohne_Rand(m_zeilen[i]) == ohne_Rand(zeile))
            return;
    Anhaengen(b, std::string(zeile));
}

void Profildatei::Anhaengen(const Bereich& b, std::string zeile)
{
    // New lines go after the section's last non-blank line.
    std::size_t pos = b.ende;
    while (pos > b.kopf + 1 && ohne_Rand(m_zeilen[pos - 1]).empty())
        --pos;
    m_zeilen.insert(m_zeilen.begin() + static_cast<std::ptrdiff_t>(pos), std::move(zeile));
}

} // namespace kw
