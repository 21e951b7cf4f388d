// The kettle model's physics and the fit on recorded stretches.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "model/Kesselmodell.h"
#include "model/Modellanpassung.h"

namespace kw::modell {
namespace {

Kesselparameter Parameter(double r, double a, double L)
{
    Kesselparameter p;
    p.Heizrate_K_min = r;
    p.Verlust_1_h = a;
    p.Totzeit_s = L;
    p.Raumtemperatur_C = 20;
    p.Leistung_W = 3000;
    return p;
}

TEST(Kesselmodell, HeizenNachDerTotzeitUndVerlustZumRaum)
{
    // Without loss: nothing for the dead time, then exactly the rate.
    Kesselmodell m(Parameter(1.0, 0.0, 30), 20.0);
    m.Heizung(true);
    m.fortschreiben(29'000);
    EXPECT_DOUBLE_EQ(m.Temperatur_C(), 20.0);
    m.fortschreiben(630'000);
    EXPECT_NEAR(m.Temperatur_C(), 30.0, 1e-9);
    // Switched off: still heats for the dead time, then stays.
    m.Heizung(false);
    m.fortschreiben(660'000);
    EXPECT_NEAR(m.Temperatur_C(), 30.5, 1e-9);
    m.fortschreiben(3'600'000);
    EXPECT_NEAR(m.Temperatur_C(), 30.5, 1e-9);
    // The energy counts the element's time (10 min 30 s at 3 kW).
    EXPECT_NEAR(m.Energie_kWh(), 3.0 * 630.0 / 3600.0, 1e-9);

    // Newtonian loss: T_raum + (T0 - T_raum) e^(-a t).
    Kesselmodell k(Parameter(1.0, 0.5, 0), 70.0);
    k.fortschreiben(2 * 3'600'000);
    EXPECT_NEAR(k.Temperatur_C(), 20.0 + 50.0 * std::exp(-1.0), 1e-9);
    // Full power would end at T_raum + r/a = 20 + 60/0.5, but the mash boils at 100.
    EXPECT_DOUBLE_EQ(Parameter(1.0, 0.5, 0).Gleichgewicht_Voll_C(), 140.0);
    EXPECT_DOUBLE_EQ(Parameter(1.0, 0.5, 0).Dauerzustand_Voll_C(), 100.0);
    EXPECT_DOUBLE_EQ(Parameter(0.1, 0.5, 0).Dauerzustand_Voll_C(), 32.0);
    k.Heizung(true);
    k.fortschreiben(200 * 3'600'000LL);
    EXPECT_DOUBLE_EQ(k.Temperatur_C(), 100.0);
    // Off again, it cools from the boil.
    k.Heizung(false);
    k.fortschreiben(201 * 3'600'000LL);
    EXPECT_NEAR(k.Temperatur_C(), 20.0 + 80.0 * std::exp(-0.5), 1e-9);
}

TEST(Kesselmodell, SchrittweiteUndKurzePulseAendernNichts)
{
    // The same on/off pattern, once in 100 ms steps, once in a few big ones.
    Kesselmodell fein(Parameter(0.8, 0.2, 45), 50.0);
    Kesselmodell grob(Parameter(0.8, 0.2, 45), 50.0);
    const auto muster = [](std::int64_t ms) { return (ms / 6'000) % 3 == 0; };   // 6 s on, 12 s off
    for (std::int64_t ms = 0; ms < 600'000; ms += 100) {
        fein.Heizung(muster(ms));
        fein.fortschreiben(ms + 100);
    }
    for (std::int64_t ms = 0; ms < 600'000; ms += 6'000) {
        grob.Heizung(muster(ms));
        grob.fortschreiben(ms + 3'000);
        grob.fortschreiben(ms + 6'000);
    }
    EXPECT_NEAR(fein.Temperatur_C(), grob.Temperatur_C(), 1e-9);
    EXPECT_NEAR(fein.Energie_kWh(), grob.Energie_kWh(), 1e-9);
    // A pulse shorter than the dead time still arrives, whole.
    Kesselmodell p(Parameter(6.0, 0.0, 60), 40.0);
    p.Heizung(true);
    p.fortschreiben(10'000);
    p.Heizung(false);
    p.fortschreiben(65'000);
    EXPECT_NEAR(p.Temperatur_C(), 40.5, 1e-9);
    p.fortschreiben(200'000);
    EXPECT_NEAR(p.Temperatur_C(), 41.0, 1e-9);
}

// Samples every 5 s of a kettle that heats to `ziel`, holds it on/off and rests.
std::vector<Messreihe> Aufzeichnung(const Kesselparameter& wahr, double rauschen, unsigned saat)
{
    std::mt19937 zufall(saat);
    std::uniform_real_distribution<double> r(-rauschen, rauschen);
    Kesselmodell k(wahr, 45.0);
    Messreihe reihe;
    bool heizung = false;
    double gemessen = 45.0;
    for (std::int64_t ms = 0; ms <= 3 * 3'600'000LL; ms += 100) {
        k.fortschreiben(ms);
        if (ms % 3000 == 0)
            gemessen = std::round((k.Temperatur_C() + r(zufall)) / 0.0625) * 0.0625;
        const double ziel = ms < 3'600'000 ? 63.0 : ms < 7'200'000 ? 72.0 : 0.0;
        heizung = gemessen < ziel;
        k.Heizung(heizung);
        if (ms % 5000 == 0)
            reihe.push_back({ms / 1000.0, std::round(gemessen * 10) / 10, heizung});
    }
    return {reihe};
}

TEST(Modellanpassung, FindetDieParameterEinerRauschfreienUndEinerVerrauschtenAufzeichnung)
{
    const Kesselparameter wahr = Parameter(0.9, 0.15, 40);
    for (double rauschen : {0.0, 0.1}) {
        const Anpassung a = Anpassen(Aufzeichnung(wahr, rauschen, 7), Parameter(0.5, 0.1, 60));
        ASSERT_TRUE(a.ok) << a.grund;
        EXPECT_NEAR(a.p.Heizrate_K_min, 0.9, 0.9 * 0.05) << rauschen;
        EXPECT_NEAR(a.p.Verlust_1_h, 0.15, 0.15 * 0.1) << rauschen;
        EXPECT_NEAR(a.p.Totzeit_s, 40, 5) << rauschen;
        EXPECT_LT(a.rms_K, 0.25) << rauschen;
        EXPECT_GT(a.punkte, 2000);
        // Room and power are the given ones.
        EXPECT_EQ(a.p.Raumtemperatur_C, 20.0);
        EXPECT_EQ(a.p.Leistung_W, 3000.0);
    }
}

TEST(Modellanpassung, OhneHeizungOderMitWirkungsloserHeizungKeinModell)
{
    // Only a rest: no rate to learn.
    Messreihe ruhe;
    for (int i = 0; i < 500; ++i)
        ruhe.push_back({i * 5.0, 70.0 - i * 0.01, false});
    Anpassung a = Anpassen({ruhe}, Parameter(0.5, 0.1, 60));
    EXPECT_FALSE(a.ok);
    EXPECT_FALSE(a.grund.empty());
    // Heating on the whole time, temperature falling: refused, never a negative rate.
    for (auto& p : ruhe)
        p.heizung = true;
    a = Anpassen({ruhe}, Parameter(0.5, 0.1, 60));
    EXPECT_FALSE(a.ok);
    EXPECT_GE(a.p.Heizrate_K_min, 0.0);
    // Empty and single samples are no data.
    EXPECT_FALSE(Anpassen({}, Parameter(0.5, 0.1, 60)).ok);
    EXPECT_FALSE(Anpassen({Messreihe{{0, 50, true}}}, Parameter(0.5, 0.1, 60)).ok);
}

} // namespace
} // namespace kw::modell
