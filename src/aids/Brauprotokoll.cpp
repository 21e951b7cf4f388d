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

UmrechnungsErgebnis abgelehnt(const BrauDaten& daten) {
    return {Meldung_Eingaben_Unvollstaendig, daten};
}

}  // namespace

UmrechnungsErgebnis Mengen_Umrechnen(const BrauDaten& daten, std::string_view SudGroesseNeu,
                                      char dezimalzeichen) {
    std::optional<float> alt = Single_Aus_Text(daten.Sudgroesse);
    std::optional<float> neu = Single_Aus_Text(SudGroesseNeu);
    // A size of 0 divides by zero (old) or wipes every amount beyond recovery (new).
    if (!alt || !neu || !(*alt > 0.0f) || !(*neu > 0.0f)) return abgelehnt(daten);

    const float f = *neu / *alt;
    if (!std::isfinite(f)) return abgelehnt(daten);

    BrauDaten ergebnis = daten;
    for (auto feld : Mengenfelder) {
        std::string& text = ergebnis.*feld;
        if (Ist_Leer(text)) continue;
        std::optional<float> menge = Single_Aus_Text(text);
        if (!menge) return abgelehnt(daten);
        const float neueMenge = *menge * f;
        if (!std::isfinite(neueMenge)) return abgelehnt(daten);
        text = Text_Aus_Single(neueMenge, dezimalzeichen);
    }
    ergebnis.Sudgroesse = std::string(SudGroesseNeu);
    return {0, std::move(ergebnis)};
}

void Uebernahme_Bitterhopfen(BrauDaten& daten, std::string_view MengeBitterhopfen) {
    daten.Bitterhopfenmenge = std::string(MengeBitterhopfen);
}

void Uebernahme_Aromahopfen(BrauDaten& daten, std::string_view MengeAromahopfen) {
    daten.Aromahopfenmenge = std::string(MengeAromahopfen);
}

}  // namespace kw
