#pragma once
// Learning the kettle model from recorded brews: samples of the temperature and of
// the heating output (every 5 s in the journal).
//
// Method: the model equation integrated over windows of about a minute,
//   T(t1) - T(t0) = r * Integral u(t - L) dt - a * Integral (T - T_Raum) dt,
// is linear in r and a for a given dead time L. L is searched on a grid (5 s, then
// 1 s around the best), r and a come from least squares for each L, and the L with
// the smallest residual wins. The integrals smooth the sensor noise that
// differences of single samples would blow up. A switching of the output is taken
// halfway between the two samples that show it. The room temperature is given, not
// learned: the loss rate alone cannot tell it from the loss coefficient.
//
// The quality is then measured as the model runs free over each recorded stretch,
// driven by the recorded output from the first measured temperature on.

#include <string>
#include <vector>

#include "model/Kesselmodell.h"

namespace kw::modell {

struct Messpunkt {
    double t_s = 0;        // seconds on any clock; increasing within a stretch
    double ist_C = 0;
    bool heizung = false;  // heating output at that moment
};
// One stretch without gaps.
using Messreihe = std::vector<Messpunkt>;

struct Anpassung {
    bool ok = false;
    std::string grund;         // why not (too little data, no heating)
    Kesselparameter p;         // learned Heizrate, Verlust, Totzeit; room and power as given
    double rms_K = 0;          // deviation of the free-running model from the samples
    double max_K = 0;
    long punkte = 0;           // samples compared
    double heizdauer_s = 0;    // heating time in the data
};

// At least this much heating in the data before a rate is learned from it.
inline constexpr double Mindest_Heizdauer_s = 180.0;

// The largest rise of the temperature over a heating period: from the sample where the
// heating came on to the highest reading until `nachlauf_s` after it went off (the dead
// time). Noise alone gives a few tenths; a broken element no more.
double Hoechster_Heizanstieg_K(const std::vector<Messreihe>& reihen, double nachlauf_s = 120.0);

// `vorgabe` gives the room temperature and the power (kept as they are).
Anpassung Anpassen(const std::vector<Messreihe>& reihen, const Kesselparameter& vorgabe);

// The free-running model over the stretches: RMS and max deviation into `a`.
void Abweichung_Messen(const std::vector<Messreihe>& reihen, Anpassung& a);

} // namespace kw::modell
