#pragma once

// Brew data of the protocol sheet that a recipe file stores as well: 26 texts,
// held exactly as typed (amounts keep the user's decimal comma).

#include <array>
#include <string>
#include <string_view>

namespace kw {

struct BrauDaten {
    std::string Sudgroesse;   // batch volume [l]
    std::string Hauptguss;    // mash water [l]
    std::string Nachguss;     // sparge water [l]
    std::string Stammwuerze;  // [°P]
    std::string Bittere;      // [EBU]

    std::string Bitterhopfen;
    std::string Bitterhopfenalpha;  // [%]
    std::string Bitterhopfzeit;     // [min]
    std::string Bitterhopfenmenge;  // [g]

    std::string Aromahopfen;
    std::string Aromahopfenalpha;  // [%]
    std::string Aromahopfzeit;     // [min]
    std::string Aromahopfenmenge;  // [g]

    std::string Malzsorte1, Malzmenge1, Malzkommentar1;  // Malzmenge in [kg]
    std::string Malzsorte2, Malzmenge2, Malzkommentar2;
    std::string Malzsorte3, Malzmenge3, Malzkommentar3;
    std::string Malzsorte4, Malzmenge4, Malzkommentar4;

    std::string SudNotizen;

    bool operator==(const BrauDaten&) const = default;
};

struct BrauDatenFeld {
    std::string_view schluessel;  // key in the recipe file's brew-data section
    std::string BrauDaten::*feld;
};

// The keys of the recipe file's brew-data section, in the order a new file receives them.
inline constexpr std::array<BrauDatenFeld, 26> BrauDaten_Felder{{
    {"Sudgroesse", &BrauDaten::Sudgroesse},
    {"Hauptguss", &BrauDaten::Hauptguss},
    {"Nachguss", &BrauDaten::Nachguss},
    {"Stammwuerze", &BrauDaten::Stammwuerze},
    {"Bittere", &BrauDaten::Bittere},
    {"Bitterhopfen", &BrauDaten::Bitterhopfen},
    {"Bitterhopfenalpha", &BrauDaten::Bitterhopfenalpha},
    {"Bitterhopfzeit", &BrauDaten::Bitterhopfzeit},
    {"Bitterhopfenmenge", &BrauDaten::Bitterhopfenmenge},
    {"Aromahopfen", &BrauDaten::Aromahopfen},
    {"Aromahopfenalpha", &BrauDaten::Aromahopfenalpha},
    {"Aromahopfzeit", &BrauDaten::Aromahopfzeit},
    {"Aromahopfenmenge", &BrauDaten::Aromahopfenmenge},
    {"Malzsorte1", &BrauDaten::Malzsorte1},
    {"Malzmenge1", &BrauDaten::Malzmenge1},
    {"Malzkommentar1", &BrauDaten::Malzkommentar1},
    {"Malzsorte2", &BrauDaten::Malzsorte2},
    {"Malzmenge2", &BrauDaten::Malzmenge2},
    {"Malzkommentar2", &BrauDaten::Malzkommentar2},
    {"Malzsorte3", &BrauDaten::Malzsorte3},
    {"Malzmenge3", &BrauDaten::Malzmenge3},
    {"Malzkommentar3", &BrauDaten::Malzkommentar3},
    {"Malzsorte4", &BrauDaten::Malzsorte4},
    {"Malzmenge4", &BrauDaten::Malzmenge4},
    {"Malzkommentar4", &BrauDaten::Malzkommentar4},
    {"Sudnotizen", &BrauDaten::SudNotizen},
}};

}  // namespace kw
