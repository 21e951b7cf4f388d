#pragma once
// The predicted end of a running brew: the dry run takes up the running phase
// where it stands (elapsed time, time left, the temperature now, its call) and
// runs the rest of the program on the kettle model. A waiting call counts as the
// brewmaster's usual answer time from now.

#include <optional>
#include <string>

#include "core/Anlage.h"
#include "core/Anzeige.h"
#include "probelauf/Probelauf.h"

namespace kw::probelauf {

// The running phase as the dry run takes it up; none outside a running phase
// (no run, the program check, between two phases).
std::optional<Einstieg> Einstieg_Aus(const Anlage& a, const Anzeige& z, Laufzeitpunkt now);

struct Vorhersage {
    bool gerechnet = false;     // the dry run ran (not refused, not cancelled)
    bool endet = false;         // the program reaches its end
    long rest_s = 0;            // from the moment taken up to the end of the program
    long phase_rest_s = 0;      // ... to the end of the running phase (when it ends)
    bool phase_endet = false;
    int endlos_phase = 0;       // the phase that would never end
    std::string grund;          // why, for the brewer
};

// `v.einstieg` set: the brew from there; without it: the whole program from START.
Vorhersage Vorhersagen(const Maischprogramm& programm, const Vorgaben& v);

} // namespace kw::probelauf
