#include "journal/Journalformat.h"

#include <charconv>
#include <cstdio>
#include <ctime>

namespace kw::journal {

namespace {

bool braucht_anfuehrung(std::string_view s)
{
    return s.find_first_of(";\"") != std::string_view::npos
        || (!s.empty() && (s.front() == ' ' || s.back() == ' '));
}

void feld_anhaengen(std::string& aus, std::string_view wert)
{
    std::string sauber;
    sauber.reserve(wert.size());
    for (char c : wert)
        sauber += (c == '\r' || c == '\n') ? ' ' : c;
    if (!braucht_anfuehrung(sauber)) {
        aus += sauber;
        return;
    }
    aus += '"';
    for (char c : sauber) {
        if (c == '"')
            aus += '"';
        aus += c;
    }
    aus += '"';
}

template <class T> std::optional<T> zahl(std::string_view s)
{
    T wert{};
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), wert);
    if (ec != std::errc{} || p != s.data() + s.size() || s.empty())
        return std::nullopt;
    return wert;
}

} // namespace

std::string Zeit_Text(Zeitpunkt t)
{
    const std::time_t tt = static_cast<std::time_t>(t.time_since_epoch().count());
    std::tm lokal{};
    localtime_r(&tt, &lokal);
    char puffer[64];
    std::snprintf(puffer, sizeof puffer, "%04d-%02d-%02d %02d:%02d:%02d", lokal.tm_year + 1900,
                  lokal.tm_mon + 1, lokal.tm_mday, lokal.tm_hour, lokal.tm_min, lokal.tm_sec);
    return puffer;
}

std::optional<Zeitpunkt> Zeit_Lesen(std::string_view text)
{
    // "YYYY-MM-DD HH:MM:SS"
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':'
        || text[16] != ':')
        return std::nullopt;
    const auto j = zahl<int>(text.substr(0, 4)), mo = zahl<int>(text.substr(5, 2)),
               t = zahl<int>(text.substr(8, 2)), h = zahl<int>(text.substr(11, 2)),
               mi = zahl<int>(text.substr(14, 2)), s = zahl<int>(text.substr(17, 2));
    if (!j || !mo || !t || !h || !mi || !s || *mo < 1 || *mo > 12 || *t < 1 || *t > 31 || *h > 23
        || *mi > 59 || *s > 60)
        return std::nullopt;
    std::tm lokal{};
    lokal.tm_year = *j - 1900;
    lokal.tm_mon = *mo - 1;
    lokal.tm_mday = *t;
    lokal.tm_hour = *h;
    lokal.tm_min = *mi;
    lokal.tm_sec = *s;
    lokal.tm_isdst = -1;
    const std::time_t tt = std::mktime(&lokal);
    if (tt == static_cast<std::time_t>(-1))
        return std::nullopt;
    return Zeitpunkt{std::chrono::seconds{tt}};
}

std::optional<double> Temperatur_Lesen(std::string_view text)
{
    std::string s;
    for (char c : text)
        if (c != ' ')
            s += (c == ',') ? '.' : c;
    if (s.empty())
        return std::nullopt;
    return zahl<double>(s);
}

std::string Temperatur_Text(std::optional<double> wert)
{
    if (!wert)
        return {};
    char puffer[32];
    std::snprintf(puffer, sizeof puffer, "%.2f", *wert);
    std::string s = puffer;
    if (s.size() > 1 && s.back() == '0')
        s.pop_back();
    return s;
}

std::string Zeile_Schreiben(const Zeile& z)
{
    std::string aus;
    aus.reserve(96 + z.text.size());
    aus += Zeit_Text(z.zeit);
    aus += ';';
    feld_anhaengen(aus, z.art);
    aus += ';';
    if (z.phase > 0)
        aus += std::to_string(z.phase);
    aus += ';';
    aus += Temperatur_Text(z.ist);
    aus += ';';
    aus += Temperatur_Text(z.soll_akt);
    aus += ';';
    aus += Temperatur_Text(z.soll);
    aus += ';';
    if (z.ausgang >= 0)
        aus += std::to_string(z.ausgang);
    aus += ';';
    if (z.dauer_s)
        aus += std::to_string(*z.dauer_s);
    aus += ';';
    feld_anhaengen(aus, z.feld);
    aus += ';';
    feld_anhaengen(aus, z.text);
    aus += '\n';
    return aus;
}

std::optional<std::vector<std::string>> Felder_Teilen(std::string_view zeile)
{
    if (!zeile.empty() && zeile.back() == '\r')
        zeile.remove_suffix(1);
    std::vector<std::string> felder(1);
    bool in_anfuehrung = false;
    for (std::size_t i = 0; i < zeile.size(); ++i) {
        const char c = zeile[i];
        std::string& f = felder.back();
        if (in_anfuehrung) {
            if (c == '"') {
                if (i + 1 < zeile.size() && zeile[i + 1] == '"') {
                    f += '"';
                    ++i;
                } else {
                    in_anfuehrung = false;
                }
            } else {
                f += c;
            }
        } else if (c == '"' && f.empty()) {
            in_anfuehrung = true;
        } else if (c == ';') {
            felder.emplace_back();
        } else {
            f += c;
        }
    }
    if (in_anfuehrung || felder.size() != static_cast<std::size_t>(Spaltenzahl))
        return std::nullopt;
    return felder;
}

std::optional<Zeile> Zeile_Lesen(std::string_view zeile)
{
    auto felder = Felder_Teilen(zeile);
    if (!felder)
        return std::nullopt;
    const auto& f = *felder;
    Zeile z;
    const auto zeit = Zeit_Lesen(f[0]);
    if (!zeit || f[1].empty())
        return std::nullopt;
    z.zeit = *zeit;
    z.art = f[1];
    if (!f[2].empty()) {
        const auto p = zahl<int>(f[2]);
        if (!p)
            return std::nullopt;
        z.phase = *p;
    }
    z.ist = Temperatur_Lesen(f[3]);
    z.soll_akt = Temperatur_Lesen(f[4]);
    z.soll = Temperatur_Lesen(f[5]);
    if (!f[6].empty()) {
        const auto b = zahl<int>(f[6]);
        if (!b || *b < 0 || *b > 255)
            return std::nullopt;
        z.ausgang = *b;
    }
    if (!f[7].empty()) {
        const auto d = zahl<long long>(f[7]);
        if (!d)
            return std::nullopt;
        z.dauer_s = *d;
    }
    z.feld = f[8];
    z.text = f[9];
    return z;
}

std::string Dateiname_Sicher(std::string_view biersorte)
{
    std::string aus;
    for (unsigned char c : biersorte) {
        const bool verboten = c < 0x20 || c == 0x7f || c == '/' || c == '\\' || c == ':' || c == '*'
            || c == '?' || c == '"' || c == '<' || c == '>' || c == '|' || c == ';';
        aus += verboten ? '_' : static_cast<char>(c);
    }
    while (!aus.empty() && (aus.front() == ' ' || aus.front() == '.'))
        aus.erase(aus.begin());
    while (!aus.empty() && (aus.back() == ' ' || aus.back() == '.'))
        aus.pop_back();
    constexpr std::size_t max_laenge = 60;
    if (aus.size() > max_laenge) {
        std::size_t n = max_laenge;
        // never cut inside a UTF-8 sequence
        while (n > 0 && (static_cast<unsigned char>(aus[n]) & 0xC0) == 0x80)
            --n;
        aus.resize(n);
        while (!aus.empty() && (aus.back() == ' ' || aus.back() == '.'))
            aus.pop_back();
    }
    return aus.empty() ? std::string("Sud") : aus;
}

std::string Journalname(Zeitpunkt beginn, std::string_view biersorte)
{
    std::string zeit = Zeit_Text(beginn);  // "2026-12-09 10:02:05"
    zeit[10] = '_';
    zeit[13] = '-';
    zeit[16] = '-';
    return zeit + "_" + Dateiname_Sicher(biersorte) + std::string(Journalendung);
}

bool Ist_Journalname(std::string_view n)
{
    if (n.size() < 20 + Journalendung.size() || n.substr(n.size() - Journalendung.size()) != Journalendung)
        return false;
    for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u, 11u, 12u, 14u, 15u, 17u, 18u})
        if (n[i] < '0' || n[i] > '9')
            return false;
    return n[4] == '-' && n[7] == '-' && n[10] == '_' && n[13] == '-' && n[16] == '-' && n[19] == '_';
}

} // namespace kw::journal
