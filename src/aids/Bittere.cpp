#include "aids/Bittere.h"

#include <cmath>
#include <optional>

#include "aids/Zahltext.h"

namespace kw {

namespace {

// The amount fields hold 16-bit whole grams.
std::optional<int> ganze_Gramm(float wert) {
    if (!std::isfinite(wert)) return std::nullopt;
    double gerundet = Runden_Gerade(wert);
    if (gerundet < -32768.0 || gerundet > 32767.0) return std::nullopt;
    return static_cast<int>(gerundet);
}

BittereErgebnis abgelehnt() { return {Meldung_Eingaben_Unvollstaendig, {}, {}, {}, {}}; }

}  // namespace

double Ausnutzung_Prozent(float Stammwuerze_P, float Kochzeit_min) {
    const double P = Stammwuerze_P;
    const double t = Kochzeit_min;
    return std::pow(0.0001251, P * 0.004) * 1.65 * (1.0 - std::exp(t * -0.04)) * 100.0 / 4.15;
}

BittereErgebnis Bittere_Berechnen(const BittereEingaben& e, char dezimalzeichen) {
    if (Ist_Leer(e.Kochzeit) || Ist_Leer(e.Stammwuerze) || Ist_Leer(e.Sudgroesse) ||
        Ist_Leer(e.Bittere_EBU) || Ist_Leer(e.Alpha))
        return abgelehnt();

    const std::optional<float> t = Single_Aus_Text(e.Kochzeit);
    const std::optional<float> P = Single_Aus_Text(e.Stammwuerze);
    const std::optional<float> V = Single_Aus_Text(e.Sudgroesse);
    const std::optional<float> E = Single_Aus_Text(e.Bittere_EBU);
    const std::optional<float> A = Single_Aus_Text(e.Alpha);
    if (!t || !P || !V || !E || !A) return abgelehnt();

    BittereErgebnis r;
    const double U = Ausnutzung_Prozent(*P, *t);
    if (!std::isfinite(U)) return abgelehnt();
    r.Ausnutzung = Text_Aus_Double(U, dezimalzeichen);

    // The amount works on the utilisation as shown, read back in single precision.
    const std::optional<float> U_feld = Single_Aus_Text(r.Ausnutzung);
    if (!U_feld || *V == 0.0f) return abgelehnt();
    const float q = *U_feld / *V;
    const float nenner = *A / 100.0f * q * 10.0f;
    if (nenner == 0.0f || !std::isfinite(nenner)) return abgelehnt();
    const std::optional<int> bitter = ganze_Gramm(*E / nenner);
    if (!bitter) return abgelehnt();
    r.MengeBitterhopfen = std::to_string(*bitter);

    const std::optional<int> aroma = ganze_Gramm(static_cast<float>(*bitter) / 2.0f);
    if (!aroma) return abgelehnt();
    r.MengeAromahopfen = std::to_string(*aroma);

    r.AlphaGramm = e.Alpha;
    return r;
}

}  // namespace kw
