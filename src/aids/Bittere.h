#pragma once

// Bitterness calculator: grams of bittering and aroma hop for a wanted bitterness.

#include <string>

namespace kw {

// The five input fields, as typed in the user's locale.
struct BittereEingaben {
    std::string Alpha;        // alpha acid [%]
    std::string Bittere_EBU;  // wanted bitterness [EBU]
    std::string Sudgroesse;   // batch volume [l]
    std::string Stammwuerze;  // wort gravity [°P]
    std::string Kochzeit;     // boil time of the bittering hop [min]
};

// The four output fields; all empty when refused.
struct BittereErgebnis {
    int meldung = 0;  // 0: computed; otherwise refused with this message
    std::string Ausnutzung;         // utilisation [%], up to 15 significant digits
    std::string MengeBitterhopfen;  // whole grams
    std::string MengeAromahopfen;   // whole grams, half the bittering hop
    std::string AlphaGramm;         // copy of the Alpha text
    bool abgelehnt() const { return meldung != 0; }
};

// Hop utilisation [%] = 0.0001251^(0.004 P) * 1.65 * (1 - e^(-0.04 t)) * 100 / 4.15,
// P wort gravity [°P], t boil time [min], evaluated in double precision.
double Ausnutzung_Prozent(float Stammwuerze_P, float Kochzeit_min);

// "CALC". Refused with message 5 when a field is empty or unreadable, when a divisor
// would be zero (boil time, volume or alpha 0) or when a hop amount does not fit in
// -32768..32767 g.
BittereErgebnis Bittere_Berechnen(const BittereEingaben& eingaben, char dezimalzeichen);

}  // namespace kw
