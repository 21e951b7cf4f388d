// "Simulation mit Kesselmodell": in simulation the actual temperature follows the
// kettle model, fed with the heating output of every tick, on the fake clock.

#include "Brauplatz.h"

#include <cmath>

#include "program/Zahlen.h"

namespace kw::test {
namespace {

class Modellsimulation : public Brauplatz {
protected:
    modell::Kesselparameter p;

    Modellsimulation()
    {
        p.Heizrate_K_min = 1.0;
        p.Verlust_1_h = 0.3;
        p.Totzeit_s = 60;
        p.Raumtemperatur_C = 20;
        takt();   // the first tick: configuration
        s.Kesselmodell_Setzen(p);
        s.Switch1();
        s.Scroll_Sim_IstTemperatur(-40);
        s.Sim_Modell_Schalten();
    }
    double ist() const { return Text_Als_Double(z.Anzeige_TempIst, a.Dezimaltrenner); }
};

// dT/dt = r u(t - L) - a (T - T_room), solved for a constant input.
double Geschlossen(double t0, double ziel, double a_s, double dauer_s)
{
    return ziel + (t0 - ziel) * std::exp(-a_s * dauer_s);
}

TEST_F(Modellsimulation, FolgtDerHandheizungMitTotzeitUndVerlust)
{
    takt();
    EXPECT_EQ(a.Sim_Temperatur, 40);
    EXPECT_TRUE(a.Nur_Modell());
    // The slider no longer sets it.
    s.Scroll_Sim_IstTemperatur(-90);
    laufe(1s);
    EXPECT_NEAR(ist(), 40.0, 0.1);

    s.Switch2();
    s.Man_Heizung();
    const long ein = sek();
    laufe(50s);
    EXPECT_EQ(a.Aus_Heizung, 1);
    EXPECT_LT(ist(), 40.0) << "inside the dead time the kettle only loses";
    sekundenweise_bis(ein + 60 + 600);
    const double a_s = p.Verlust_1_h / 3600.0;
    const double r_s = p.Heizrate_K_min / 60.0;
    const double nach_totzeit = Geschlossen(40.0, 20.0, a_s, 60);
    const double erwartet = Geschlossen(nach_totzeit, 20.0 + r_s / a_s, a_s, 600);
    EXPECT_NEAR(ist(), erwartet, 0.15) << z.Anzeige_TempIst;
    EXPECT_EQ(a.Sim_Temperatur, static_cast<int>(std::lround(ist())));
    EXPECT_NEAR(z.Bar_Sim_IstTemperatur2, ist(), 0.01);

    // Heating off: it still rises for the dead time, then falls towards the room.
    s.Man_Heizung();
    const double aus_bei = ist();
    sekundenweise_bis(sek() + 55);
    EXPECT_GT(ist(), aus_bei + 0.5);
    const double hoch = ist();
    sekundenweise_bis(sek() + 1800);
    EXPECT_LT(ist(), hoch - 1.0);

    // Back to the slider: its value from now on, the model is gone.
    s.Sim_Modell_Schalten();
    s.Scroll_Sim_IstTemperatur(-30);
    takt();
    EXPECT_EQ(z.Anzeige_TempIst, "30");
    // A new model starts from the slider's value, not where the old one stopped.
    s.Sim_Modell_Schalten();
    laufe(1s);
    EXPECT_NEAR(ist(), 30.0, 0.1);
}

TEST_F(Modellsimulation, EinLaufHeiztAufUndHaeltWieDerKessel)
{
    ein_phasen_programm(Art::Aufheizen, "50", "", "0", "0");
    a.Programm.AnzPhasen = "2";
    Phase_Setzen(a.Programm, 2, Art::Halten, "50", "20", "0", "0");
    const long beginn = starten();
    // From 40 to 50 at about 1 K/min less the loss, plus the dead time before the first rise.
    ASSERT_TRUE(bis([&] { return a.Akt_Phase == 2; }, 30min));
    const long aufheizen = sek() - beginn;
    EXPECT_GT(aufheizen, 11 * 60);
    EXPECT_LT(aufheizen, 15 * 60);
    // The rest holds the target within what the dead time lets through.
    double hoechste = 0, tiefste = 100;
    while (a.Brauen_Gestartet) {
        sekundenweise_bis(sek() + 1);
        if (a.Akt_Phase == 2 && sek() - beginn > aufheizen + 180) {
            hoechste = std::max(hoechste, ist());
            tiefste = std::min(tiefste, ist());
        }
    }
    EXPECT_LE(hoechste, 50.0 + p.Heizrate_K_min * p.Totzeit_s / 60.0 + 0.2);
    EXPECT_GE(tiefste, 49.0);
    EXPECT_EQ(z.Anzeige_Fertig, Lampe::Rot);
}

} // namespace
} // namespace kw::test
