#pragma once
// The kettle as a first-order thermal mass: the mash temperature T rises with the
// heating on at `Heizrate_K_min` (element power over the heat capacity of the
// content) and falls towards the room temperature in proportion to the difference
// (Newtonian loss, `Verlust_1_h`). The heating reaches the sensor only after
// `Totzeit_s` (element, mash and sensor lag):
//
//   dT/dt = r * u(t - L) - a * (T - T_Raum)
//
// Between two changes of the delayed input the equation is solved exactly, so the
// step size does not matter. The mash boils at `Siedepunkt_C`: heat beyond it goes
// into steam. No cooling: the automatic run never cools.
//
// Time is the caller's: milliseconds of its (fake) clock, only differences count.

#include <cstdint>
#include <deque>

namespace kw::modell {

struct Kesselparameter {
    double Heizrate_K_min = 0.6;    // r: rise at full power, without loss [K/min]
    double Verlust_1_h = 0.12;      // a: loss coefficient [1/h]
    double Totzeit_s = 60.0;        // L: heating to sensor [s]
    double Raumtemperatur_C = 20.0;
    double Leistung_W = 3000.0;     // element power, for the energy
    double Siedepunkt_C = 100.0;

    // Where full power ends: T_Raum + r / a, at most the boil (no loss: the boil).
    double Dauerzustand_Voll_C() const;
    // The same without the boil: the loss alone (what full power approaches and never reaches).
    double Gleichgewicht_Voll_C() const;
    // Where a kettle left alone ends: the room.
    double Dauerzustand_Aus_C() const { return Raumtemperatur_C; }
};

class Kesselmodell {
public:
    Kesselmodell(const Kesselparameter& p, double start_C, std::int64_t jetzt_ms = 0);

    // The heating output from now on (the model feels it after the dead time).
    void Heizung(bool ein);
    // As if the heating had been `ein` for a long time already (a stretch that starts mid-brew).
    void Vorgeschichte(bool ein);
    // Advances the model to `ms` (not before its present time).
    void fortschreiben(std::int64_t ms);

    double Temperatur_C() const { return m_t; }
    std::int64_t jetzt_ms() const { return m_jetzt; }
    const Kesselparameter& Parameter() const { return m_p; }
    // Heating energy switched on so far [kWh] (at the element, not delayed).
    double Energie_kWh() const { return m_ein_ms * m_p.Leistung_W / 3.6e9; }

private:
    void integrieren(double dauer_s, bool ein);

    Kesselparameter m_p;
    double m_r_s = 0;      // r [K/s]
    double m_a_s = 0;      // a [1/s]
    double m_t = 0;
    double m_t0_max = 0;   // a start above the boil (a hand-edited value) is not cut at once
    std::int64_t m_jetzt = 0;
    std::int64_t m_ein_ms = 0;
    bool m_heizung = false;
    bool m_wirksam = false;                      // the input the kettle feels now
    // Changes of the heating output not yet felt: (time at the element, new state).
    std::deque<std::pair<std::int64_t, bool>> m_wechsel;
};

} // namespace kw::modell
