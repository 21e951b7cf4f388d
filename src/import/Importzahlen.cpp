#include "import/Importzahlen.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kw {

namespace {

std::string_view trimmen(std::string_view t)
{
    const auto leer = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!t.empty() && leer(t.front()))
        t.remove_prefix(1);
    while (!t.empty() && leer(t.back()))
        t.remove_suffix(1);
    // a no-break space (UTF-8 C2 A0) from &nbsp;
    while (t.size() >= 2 && t.substr(0, 2) == "\xC2\xA0")
        t.remove_prefix(2);
    while (t.size() >= 2 && t.substr(t.size() - 2) == "\xC2\xA0")
        t.remove_suffix(2);
    return t;
}

std::string klein(std::string_view t)
{
    std::string r(t);
    for (char& c : r)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

} // namespace

std::optional<double> Zahl_Lesen(std::string_view text)
{
    text = trimmen(text);
    if (text.empty() || text.size() > 64)
        return std::nullopt;
    const auto punkt = text.rfind('.');
    const auto komma = text.rfind(',');
    char dezimal = '.';
    if (komma != std::string_view::npos && (punkt == std::string_view::npos || komma > punkt))
        dezimal = ',';
    std::string s;
    bool ziffer = false, trenner = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            s += c;
            ziffer = true;
        } else if (c == dezimal) {
            if (trenner)
                return std::nullopt;
            trenner = true;
            s += '.';
        } else if ((c == '.' || c == ',') && ziffer && !trenner) {
            // grouping of thousands before the decimal separator
        } else if ((c == '-' || c == '+') && i == 0) {
            s += c;
        } else {
            return std::nullopt;
        }
    }
    if (!ziffer)
        return std::nullopt;
    char* ende = nullptr;
    const double v = std::strtod(s.c_str(), &ende);
    if (ende != s.c_str() + s.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

bool Einheit_Umrechnen(Groesse g, std::string_view einheit_text, double v, double& r)
{
    std::string e = klein(trimmen(einheit_text));
    if (e.rfind("\xC2\xB0", 0) == 0)  // "°C", "°F"
        e.erase(0, 2);
    switch (g) {
    case Groesse::Temperatur:
        if (e == "c" || e == "celsius") { r = v; return true; }
        if (e == "f" || e == "fahrenheit") { r = (v - 32.0) * 5.0 / 9.0; return true; }
        if (e == "k" || e == "kelvin") { r = v - 273.15; return true; }
        return false;
    case Groesse::Zeit:
        if (e == "sec" || e == "s") { r = v / 60.0; return true; }
        if (e == "min") { r = v; return true; }
        if (e == "hr" || e == "h") { r = v * 60.0; return true; }
        if (e == "day" || e == "d") { r = v * 1440.0; return true; }
        if (e == "week") { r = v * 10080.0; return true; }
        return false;
    case Groesse::Volumen: {
        static constexpr struct { const char* name; double liter; } tabelle[] = {
            {"ml", 0.001}, {"l", 1.0}, {"tsp", 0.00492892159375}, {"tbsp", 0.01478676478125},
            {"floz", 0.0295735296}, {"cup", 0.2365882365}, {"pt", 0.473176473},
            {"qt", 0.946352946}, {"gal", 3.785411784}, {"bbl", 117.347765304},
            {"ifloz", 0.0284130625}, {"ipt", 0.56826125}, {"iqt", 1.1365225},
            {"igal", 4.54609}, {"ibbl", 163.65924},
        };
        for (const auto& t : tabelle)
            if (e == t.name) { r = v * t.liter; return true; }
        return false;
    }
    case Groesse::Masse:
        if (e == "mg") { r = v / 1e6; return true; }
        if (e == "g") { r = v / 1e3; return true; }
        if (e == "kg") { r = v; return true; }
        if (e == "lb") { r = v * 0.45359237; return true; }
        if (e == "oz") { r = v * 0.028349523125; return true; }
        return false;
    case Groesse::Dichte:
        if (e == "sg") { r = SG_Nach_Plato(v); return true; }
        if (e == "plato" || e == "brix" || e == "p") { r = v; return true; }
        return false;
    case Groesse::Prozent:
        if (e == "%" || e == "percent") { r = v; return true; }
        return false;
    case Groesse::Bittere:
        if (e == "ibus" || e == "ibu") { r = v; return true; }
        return false;
    }
    return false;
}

Importwert Wert_Mit_Einheit(std::string_view text, Groesse g, std::string_view standard)
{
    Importwert w;
    const std::string_view t = trimmen(text);
    w.roh = std::string(t);
    if (t.empty())
        return w;  // missing
    w.zustand = Importwert::Zustand::Unbrauchbar;
    // the number runs up to the first character that no number holds
    std::size_t i = 0;
    while (i < t.size() && (std::isdigit(static_cast<unsigned char>(t[i])) || t[i] == '.'
                            || t[i] == ',' || ((t[i] == '-' || t[i] == '+') && i == 0)))
        ++i;
    const auto zahl = Zahl_Lesen(t.substr(0, i));
    if (!zahl)
        return w;
    std::string_view einheit = trimmen(t.substr(i));
    if (einheit.empty())
        einheit = standard;
    double r = 0.0;
    if (!Einheit_Umrechnen(g, einheit, *zahl, r)) {
        w.einheit = std::string(einheit);
        return w;
    }
    w.zustand = Importwert::Zustand::Ok;
    w.zahl = r;
    return w;
}

double SG_Nach_Plato(double sg)
{
    return -616.868 + 1111.14 * sg - 630.272 * sg * sg + 135.997 * sg * sg * sg;
}

std::string Zahl_Text(double wert, int stellen, char trenner)
{
    const double faktor = std::pow(10.0, stellen);
    double gerundet = std::round(wert * faktor) / faktor;
    if (gerundet == 0.0)
        gerundet = 0.0;  // no "-0"
    char puffer[64];
    std::snprintf(puffer, sizeof puffer, "%.*f", stellen, gerundet);
    std::string s = puffer;
    if (s.find('.') != std::string::npos) {
        while (!s.empty() && s.back() == '0')
            s.pop_back();
        if (!s.empty() && s.back() == '.')
            s.pop_back();
    }
    std::replace(s.begin(), s.end(), '.', trenner);
    return s;
}

} // namespace kw
