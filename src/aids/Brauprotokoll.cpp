#include "aids/Brauprotokoll.h"

#include <array>
#include <cmath>
#include <string>

#include "aids/Zahltext.h"

namespace kw {

namespace {

// The amounts that follow the batch size, in the order they are rescaled.
constexpr std::array<std::string BrauDaten::*, 8> Mengenfelder{
    &BrauDaten::Hauptguss,         &BrauDaten::Nachguss,   &BrauDaten::Bitterhopfenmenge,
    &BrauDaten::Aromahopfenmenge,  &BrauDaten::Malzmenge1, &BrauDaten::Malzmenge2,
    &BrauDaten::Malzmenge3,        &BrauDaten::Malzmenge4,
};

UmrechnungsErgebnis abgelehnt(const BrauDaten& daten, std::string_view SudGroesseNeu) {
    return {Meldung_Eingaben_Unvollstaendig, daten, std::string(SudGroesseNeu)};
}

std::string oder_Eins(std::string_view text) {
    return Ist_Leer(text) ? std::string("1") : std::string(text);
}

}  // namespace

UmrechnungsErgebnis Mengen_Umrechnen(const BrauDaten& daten, std::string_view SudGroesseNeu,
                                      char dezimalzeichen) {
    BrauDaten ergebnis = daten;
    ergebnis.Sudgroesse = oder_Eins(daten.Sudgroesse);
    const std::string neuText = oder_Eins(SudGroesseNeu);
    for (auto feld : Mengenfelder) ergebnis.*feld = oder_Eins(ergebnis.*feld);

    std::optional<float> alt = Single_Aus_Text(ergebnis.Sudgroesse);
    std::optional<float> neu = Single_Aus_Text(neuText);
    // A size of 0 divides by zero (old) or wipes every amount beyond recovery (new).
    if (!alt || !neu || !(*alt > 0.0f) || !(*neu > 0.0f)) return abgelehnt(daten, SudGroesseNeu);

    const float f = *neu / *alt;
    if (!std::isfinite(f)) return abgelehnt(daten, SudGroesseNeu);

    for (auto feld : Mengenfelder) {
        std::string& text = ergebnis.*feld;
        std::optional<float> menge = Single_Aus_Text(text);
        if (!menge) return abgelehnt(daten, SudGroesseNeu);
        const float neueMenge = *menge * f;
        if (!std::isfinite(neueMenge)) return abgelehnt(daten, SudGroesseNeu);
        text = Text_Aus_Single(neueMenge, dezimalzeichen);
    }
    ergebnis.Sudgroesse = neuText;
    return {0, std::move(ergebnis), neuText};
}

void Uebernahme_Bitterhopfen(BrauDaten& daten, std::string_view MengeBitterhopfen) {
    daten.Bitterhopfenmenge = std::string(MengeBitterhopfen);
}

void Uebernahme_Aromahopfen(BrauDaten& daten, std::string_view MengeAromahopfen) {
    daten.Aromahopfenmenge = std::string(MengeAromahopfen);
}

}  // namespace kw
