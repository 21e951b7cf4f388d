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

void utf8_anhaengen(std::string& ziel, char32_t cp);

// The name as matching sees it: blanks around removed, letters folded. Two
// names match when their folded forms are equal.
std::string gefaltet(std::string_view s)
{
    s = ohne_Rand(s);
    std::string r;
    r.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            r += static_cast<char>(b >= 'A' && b <= 'Z' ? b + 32 : b);
            ++i;
        } else {
            utf8_anhaengen(r, klein(naechstes(s, i)));
        }
    }
    return r;
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
    std::size_t i = 0;
    while (i < bytes.size()) {
        // Runs of ASCII go over in one piece.
        std::size_t ascii = i;
        while (ascii < bytes.size() && static_cast<unsigned char>(bytes[ascii]) < 0x80)
            ++ascii;
        r.append(bytes.data() + i, ascii - i);
        if (ascii == bytes.size())
            break;
        const auto b = static_cast<unsigned char>(bytes[ascii]);
        utf8_anhaengen(r, b <= 0x9F ? Tabelle_80_9F[b - 0x80] : b);
        i = ascii + 1;
    }
    return r;
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
        std::size_t ascii = i;
        while (ascii < utf8.size() && static_cast<unsigned char>(utf8[ascii]) < 0x80)
            ++ascii;
        bytes.append(utf8.data() + i, ascii - i);
        i = ascii;
        if (i == utf8.size())
            break;
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

const std::unordered_map<std::string, std::size_t>& Profildatei::Abschnitt::index() const
{
    if (!schluessel) {
        schluessel = std::make_unique<std::unordered_map<std::string, std::size_t>>();
        std::string_view k, w;
        for (std::size_t i = 0; i < zeilen.size(); ++i)
            if (ist_Eintrag(zeilen[i], k, w))
                schluessel->try_emplace(gefaltet(k), i);
    }
    return *schluessel;
}

void Profildatei::neuer_Abschnitt(std::string kopf, std::string_view name)
{
    Abschnitt& a = m_abschnitte.emplace_back();
    a.kopf = std::move(kopf);
    a.hat_kopf = true;
    a.name = gefaltet(name);
    m_namenshash.push_back(std::hash<std::string>{}(a.name));
    // A name looked up in vain until now is found here from now on.
    if (const auto it = m_gefunden.find(a.name); it != m_gefunden.end() && it->second == Fehlt)
        it->second = m_abschnitte.size() - 1;
}

Profildatei Profildatei::aus_Text(std::string_view text)
{
    Profildatei d;
    std::size_t koepfe = 0;
    for (std::size_t p = text.find('['); p != std::string_view::npos; p = text.find('[', p + 1))
        ++koepfe;
    d.m_abschnitte.reserve(koepfe + 1);
    d.m_namenshash.reserve(koepfe + 1);
    const auto zeile = [&d](std::string_view z) {
        std::string_view name;
        if (ist_Kopf(z, name))
            d.neuer_Abschnitt(std::string(z), name);
        else
            d.m_abschnitte.back().zeilen.emplace_back(z);
    };
    std::size_t anfang = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        zeile(text.substr(anfang, i - anfang));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        anfang = i + 1;
    }
    if (anfang < text.size())
        zeile(text.substr(anfang));
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

std::vector<std::string> Profildatei::zeilen() const
{
    std::vector<std::string> r;
    for (const auto& a : m_abschnitte) {
        if (a.hat_kopf)
            r.push_back(a.kopf);
        r.insert(r.end(), a.zeilen.begin(), a.zeilen.end());
    }
    return r;
}

bool Profildatei::leer() const
{
    return m_abschnitte.size() == 1 && m_abschnitte.front().zeilen.empty();
}

std::string Profildatei::als_Text() const
{
    std::size_t laenge = 0;
    for (const auto& a : m_abschnitte) {
        laenge += a.kopf.size() + 2;
        for (const auto& z : a.zeilen)
            laenge += z.size() + 2;
    }
    std::string r;
    r.reserve(laenge);
    for (const auto& a : m_abschnitte) {
        if (a.hat_kopf) {
            r += a.kopf;
            r += "\r\n";
        }
        for (const auto& z : a.zeilen) {
            r += z;
            r += "\r\n";
        }
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

std::size_t Profildatei::finde_Abschnitt(std::string_view abschnitt) const
{
    std::string name = gefaltet(abschnitt);
    if (const auto it = m_gefunden.find(name); it != m_gefunden.end())
        return it->second;
    std::size_t gefunden = Fehlt;
    const std::size_t hash = std::hash<std::string>{}(name);
    for (std::size_t i = 1; i < m_namenshash.size(); ++i)
        if (m_namenshash[i] == hash && m_abschnitte[i].name == name) {
            gefunden = i;
            break;
        }
    m_gefunden.emplace(std::move(name), gefunden);
    return gefunden;
}

Profildatei::Abschnitt& Profildatei::Abschnitt_Anlegen(std::string_view abschnitt)
{
    if (const std::size_t i = finde_Abschnitt(abschnitt); i != Fehlt)
        return m_abschnitte[i];
    neuer_Abschnitt("[" + std::string(ohne_Rand(abschnitt)) + "]", abschnitt);
    return m_abschnitte.back();
}

std::string Profildatei::Ini_Lesen(std::string_view abschnitt, std::string_view schluessel) const
{
    const std::size_t i = finde_Abschnitt(abschnitt);
    if (i == Fehlt)
        return {};
    const Abschnitt* a = &m_abschnitte[i];
    const auto& index = a->index();
    const auto it = index.find(gefaltet(schluessel));
    if (it == index.end())
        return {};
    std::string_view k, w;
    ist_Eintrag(a->zeilen[it->second], k, w);
    w = ohne_Rand(w);
    // cut after 254 characters, never inside one
    std::size_t pos = 0, zeichen = 0;
    while (pos < w.size() && zeichen < Max_Wertlaenge) {
        naechstes(w, pos);
        ++zeichen;
    }
    return std::string(w.substr(0, pos));
}

void Profildatei::Ini_Schreiben(std::string_view abschnitt, std::string_view schluessel,
                                std::string_view wert)
{
    std::string neuer_wert;
    neuer_wert.reserve(wert.size());
    for (char c : wert)
        neuer_wert += (c == '\r' || c == '\n') ? ' ' : c;

    Abschnitt& a = Abschnitt_Anlegen(abschnitt);
    const auto& index = a.index();
    if (const auto it = index.find(gefaltet(schluessel)); it != index.end()) {
        // In place: the key keeps the file's spelling, without blanks around it.
        std::string& zeile = a.zeilen[it->second];
        std::string neu(ohne_Rand(std::string_view(zeile).substr(0, zeile.find('='))));
        neu += '=';
        neu += neuer_wert;
        zeile = std::move(neu);
        return;
    }
    Anhaengen(a, std::string(ohne_Rand(schluessel)) + "=" + neuer_wert);
}

void Profildatei::Zeile_Sicherstellen(std::string_view abschnitt, std::string_view zeile)
{
    Abschnitt& a = Abschnitt_Anlegen(abschnitt);
    for (const auto& z : a.zeilen)
        if (ohne_Rand(z) == ohne_Rand(zeile))
            return;
    Anhaengen(a, std::string(zeile));
}

void Profildatei::Anhaengen(Abschnitt& a, std::string zeile)
{
    // New lines go after the section's last non-blank line. Only blank lines
    // follow, and they hold no key, so the key index stays valid.
    std::size_t pos = a.zeilen.size();
    while (pos > 0 && ohne_Rand(a.zeilen[pos - 1]).empty())
        --pos;
    std::string_view k, w;
    if (a.schluessel && ist_Eintrag(zeile, k, w))
        a.schluessel->try_emplace(gefaltet(k), pos);
    a.zeilen.insert(a.zeilen.begin() + static_cast<std::ptrdiff_t>(pos), std::move(zeile));
}

} // namespace kw
