#include "aids/Zahltext.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace kw {

namespace {

bool ist_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view ohne_blanks(std::string_view s) {
    while (!s.empty() && ist_blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && ist_blank(s.back())) s.remove_suffix(1);
    return s;
}

// Checks the shape and returns it with '.' as the decimal mark and without a '+' sign,
// ready for from_chars; empty when the text is no number.
std::string normalform(std::string_view text) {
    std::string_view s = ohne_blanks(text);
    std::string aus;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') aus += '-';
        ++i;
    }
    int ziffern = 0;
    bool komma = false;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (c >= '0' && c <= '9') {
            aus += c;
            ++ziffern;
        } else if ((c == ',' || c == '.') && !komma) {
            aus += '.';
            komma = true;
        } else {
            break;
        }
    }
    if (ziffern == 0) return {};
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        aus += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) aus += s[i++];
        int exp_ziffern = 0;
        for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, ++exp_ziffern) aus += s[i];
        if (exp_ziffern == 0) return {};
    }
    if (i != s.size()) return {};
    return aus;
}

template <typename T>
std::optional<T> lesen(std::string_view text) {
    std::string n = normalform(text);
    if (n.empty()) return std::nullopt;
    T wert{};
    auto [ende, fehler] = std::from_chars(n.data(), n.data() + n.size(), wert);
    if (fehler != std::errc{} || ende != n.data() + n.size() || !std::isfinite(wert))
        return std::nullopt;
    return wert;
}

std::string schreiben(double wert, int stellen, char dezimalzeichen) {
    if (wert == 0.0) wert = 0.0;  // no "-0"
    char puffer[64];
    auto [ende, fehler] =
        std::to_chars(puffer, puffer + sizeof puffer, wert, std::chars_format::general, stellen);
    if (fehler != std::errc{}) return {};
    std::string aus(puffer, ende);
    for (char& c : aus) {
        if (c == '.') c = dezimalzeichen;
        else if (c == 'e') c = 'E';
    }
    return aus;
}

}  // namespace

std::optional<float> Single_Aus_Text(std::string_view text) { return lesen<float>(text); }

std::optional<double> Double_Aus_Text(std::string_view text) { return lesen<double>(text); }

std::string Text_Aus_Single(float wert, char dezimalzeichen) {
    return schreiben(static_cast<double>(wert), 7, dezimalzeichen);
}

std::string Text_Aus_Double(double wert, char dezimalzeichen) {
    return schreiben(wert, 15, dezimalzeichen);
}

double Runden_Gerade(double wert) {
    double unten = std::floor(wert);
    double rest = wert - unten;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(unten, 2.0) != 0.0)) unten += 1.0;
    return unten;
}

bool Ist_Leer(std::string_view text) { return ohne_blanks(text).empty(); }

}  // namespace kw
