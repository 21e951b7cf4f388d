#pragma once

// Alcohol and energy calculator: from the wort gravity before and the extract after
// fermentation.

#include <optional>
#include <string>
#include <string_view>

namespace kw {

struct AlkoholWerte {
    float Extrakt_wirklich;  // real extract E [°P]
    float Dichte;            // specific gravity of the beer D
    float Alkohol_Gew;       // alcohol by weight W [%]
    double Alkohol_Vol;      // alcohol by volume [%]
    float Brennwert_kcal;    // energy of 0.5 l [kcal]
    float Energie_KJ;        // energy of 0.5 l [kJ]
};

// Every intermediate kept in single precision except the volume percentage. Nothing when
// a divisor would be zero or change sign (Restextrakt >= 261.56 or
// Stammwuerze >= 206.65 / 1.0665 °P) or a result overflows.
std::optional<AlkoholWerte> Alkohol_Werte(float Stammwuerze_P, float Restextrakt_R);

// The four output fields; all empty when refused.
struct AlkoholErgebnis {
    int meldung = 0;  // 0: computed; otherwise refused with this message
    std::string Alkohol_Gew;
    std::string Alkohol_Vol;
    std::string Brennwert_kcal;
    std::string Energie_KJ;
    bool abgelehnt() const { return meldung != 0; }
};

// "CALC". Refused with message 5 when a field is empty or unreadable or Alkohol_Werte
// gives nothing.
AlkoholErgebnis Alkohol_Berechnen(std::string_view Stammwuerze, std::string_view Restextrakt,
                                  char dezimalzeichen);

}  // namespace kw
