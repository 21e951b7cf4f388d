#include "aids/Alkohol.h"

#include <cmath>

#include "aids/Zahltext.h"

namespace kw {

std::optional<AlkoholWerte> Alkohol_Werte(float P, float R) {
    // The poles of the two divisors; at or beyond them the results mean nothing.
    if (!(R < 261.56f) || !(P < static_cast<float>(206.65 / 1.0665))) return std::nullopt;

    const double p = P;
    const double r = R;
    AlkoholWerte w{};
    w.Extrakt_wirklich = static_cast<float>(p * 0.1808 + r * 0.8192);
    w.Dichte = static_cast<float>(261.1 / (261.56 - r));
    w.Alkohol_Gew = static_cast<float>(static_cast<double>(P - R) * 81.92 / (206.65 - p * 1.0665));
    w.Alkohol_Vol = static_cast<double>(w.Dichte) * w.Alkohol_Gew / 0.794;
    w.Brennwert_kcal = static_cast<float>(
        ((static_cast<double>(w.Extrakt_wirklich) - 0.1) * 4.0 + w.Alkohol_Gew * 6.9) * 10.0 *
        0.5 * w.Dichte);
    w.Energie_KJ = static_cast<float>(static_cast<double>(w.Brennwert_kcal) * 4.18684);

    if (!std::isfinite(w.Extrakt_wirklich) || !std::isfinite(w.Dichte) ||
        !std::isfinite(w.Alkohol_Gew) || !std::isfinite(w.Alkohol_Vol) ||
        !std::isfinite(w.Brennwert_kcal) || !std::isfinite(w.Energie_KJ))
        return std::nullopt;
    return w;
}

AlkoholErgebnis Alkohol_Berechnen(std::string_view Stammwuerze, std::string_view Restextrakt,
                                  char dezimalzeichen) {
    AlkoholErgebnis r;
    const std::optional<float> P = Single_Aus_Text(Stammwuerze);
    const std::optional<float> R = Single_Aus_Text(Restextrakt);
    const std::optional<AlkoholWerte> w = (P && R) ? Alkohol_Werte(*P, *R) : std::nullopt;
    if (!w) {
        r.meldung = Meldung_Eingaben_Unvollstaendig;
        return r;
    }
    r.Alkohol_Gew = Text_Aus_Single(w->Alkohol_Gew, dezimalzeichen);
    r.Alkohol_Vol = Text_Aus_Double(w->Alkohol_Vol, dezimalzeichen);
    r.Brennwert_kcal = Text_Aus_Single(w->Brennwert_kcal, dezimalzeichen);
    r.Energie_KJ = Text_Aus_Single(w->Energie_KJ, dezimalzeichen);
    return r;
}

}  // namespace kw
