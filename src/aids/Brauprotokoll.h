#pragma once

// Calculations of the brew protocol sheet: rescaling the amounts to a new batch size and
// taking over the hop amounts from the bitterness calculator.

#include <string>
#include <string_view>

#include "aids/BrauDaten.h"

namespace kw {

struct UmrechnungsErgebnis {
    int meldung = 0;    // 0: rescaled; otherwise refused with this message, nothing changed
    BrauDaten daten;    // the rescaled brew data (a copy of the input when refused)
    std::string SudGroesseNeu;  // the new-size field afterwards ("1" if it was empty)
    bool abgelehnt() const { return meldung != 0; }
};

// "MENGEN UMRECHNEN": Hauptguss, Nachguss, both hop amounts and Malzmenge1..4 are
// multiplied by f = SudGroesseNeu / Sudgroesse (single precision) and written with the
// given decimal separator; Sudgroesse then takes the text of SudGroesseNeu. First every
// empty one of the two sizes and the eight amounts is set to "1" (an empty amount counts
// as 1 and is scaled like the others). Refused with message 5, all fields unchanged, when
// a size is unreadable or not above 0 (a division by zero, or every amount wiped beyond
// recovery), or when an amount is unreadable or its result overflows.
UmrechnungsErgebnis Mengen_Umrechnen(const BrauDaten& daten, std::string_view SudGroesseNeu,
                                      char dezimalzeichen);

// The transfer buttons of the bitterness calculator: the amount text as it stands.
void Uebernahme_Bitterhopfen(BrauDaten& daten, std::string_view MengeBitterhopfen);
void Uebernahme_Aromahopfen(BrauDaten& daten, std::string_view MengeAromahopfen);

}  // namespace kw
