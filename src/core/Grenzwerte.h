#pragma once
// The limits by which the controller judges the reading and the heating's effect.
// All in one place; the README lists them.

#include <chrono>

namespace kw::Grenzwerte {

// A reading this old or older is stale: five reading cycles of 3 s without a new one.
inline constexpr std::chrono::seconds Messung_Hoechstalter{15};

// Plausible readings of a mash sensor, both ends included [°C].
inline constexpr double Messung_Min_Grad = 0.0;
inline constexpr double Messung_Max_Grad = 105.0;

// Heating without effect: on without a break for this long without this rise, the heating is cut.
inline constexpr std::chrono::seconds Wirkung_Heizdauer{10 * 60};
inline constexpr double Wirkung_Mindestanstieg_K = 0.5;
// At and above this temperature a boil cannot rise any more: no such check [°C].
inline constexpr double Wirkung_Siedegrenze_Grad = 95.0;

} // namespace kw::Grenzwerte
