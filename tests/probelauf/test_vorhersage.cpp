// The predicted end of a running brew: taken up from the controller's state during
// a brew on the simulated kettle, against the brew's real end.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "Kesselsimulation.h"
#include "model/Modellwissen.h"
#include "probelauf/Vorhersage.h"
#include "program/Zahlen.h"

namespace kw::probelauf {
namespace {

namespace fs = std::filesystem;
using test::Art;
using test::Ruf;

Vorgaben Aus_Modell(const modell::Modellstand& m, const Anlage& a)
{
    Vorgaben v;
    v.kessel = m.p;
    v.antwortzeit_s = m.antwortzeit_s;
    v.gradient = a.Gradient_Ein == 1;
    v.dezimaltrenner = a.Dezimaltrenner;
    return v;
}

TEST(Vorhersage, WaehrendDesSudesAufDreiMinutenGenauAbDerZweitenPhase)
{
    const std::optional<modell::Modellstand> gelernt = test::Gelernt_Aus_Drei_Suden("kw_vorhersage");
    ASSERT_TRUE(gelernt);
    const modell::Modellstand& m = *gelernt;
    ASSERT_EQ(m.herkunft, modell::Modellstand::Herkunft::Gelernt) << m.hinweis;

    struct Punkt {
        int phase;
        bool phasenstart;
        Zeitpunkt zeit;
        long rest_s;
    };
    std::vector<Punkt> punkte;
    test::Kesselsimulation sud(test::Testkessel(), 45.0, 17);
    test::Sechs_Phasen(sud.a.Programm);
    int phase_vorher = 0;
    Zeitpunkt naechste{};
    sud.nach_takt = [&](Zeitpunkt jetzt) {
        const auto ein = Einstieg_Aus(sud.a, sud.z, Laufzeitpunkt{jetzt.time_since_epoch()});
        if (!ein)
            return;
        const bool start = ein->phase != phase_vorher;
        if (!start && jetzt < naechste)
            return;
        phase_vorher = ein->phase;
        naechste = jetzt + std::chrono::minutes(10);
        Vorgaben v = Aus_Modell(m, sud.a);
        v.start_C = Text_Als_Double(sud.z.Anzeige_TempIst, sud.a.Dezimaltrenner);
        v.einstieg = ein;
        const Vorhersage h = Vorhersagen(sud.a.Programm, v);
        ASSERT_TRUE(h.gerechnet);
        ASSERT_TRUE(h.endet) << h.grund;
        punkte.push_back({ein->phase, start, jetzt, h.rest_s});
    };
    const Zeitpunkt beginn{std::chrono::seconds{1796810400}};   // the simulation's START
    const long dauer_s = sud.brauen(6 * 3600);
    ASSERT_GT(dauer_s, 0);
    const Zeitpunkt ende = beginn + std::chrono::seconds(dauer_s);

    ASSERT_GE(punkte.size(), 18u);   // six phase starts and every 10 min
    int starts = 0;
    long groesster = 0;
    for (const Punkt& p : punkte) {
        const long fehler = static_cast<long>((p.zeit + std::chrono::seconds(p.rest_s) - ende).count());
        if (p.phasenstart) {
            ++starts;
            std::printf("phase %d start: predicted end %+ld s from the real end\n", p.phase, fehler);
        }
        if (p.phase >= 2) {
            groesster = std::max(groesster, std::labs(fehler));
            EXPECT_LE(std::labs(fehler), 180) << "phase " << p.phase << (p.phasenstart ? " start" : "");
        }
    }
    EXPECT_EQ(starts, 6);
    std::printf("%zu predictions, largest error from phase 2 on %ld s\n", punkte.size(), groesster);
    // Towards the end it knows it to a few seconds.
    EXPECT_LE(std::labs(static_cast<long>((punkte.back().zeit + std::chrono::seconds(punkte.back().rest_s) - ende)
                                              .count())),
              30);
}

TEST(Vorhersage, DieLaufendePhaseWirdAufgenommenWoSieSteht)
{
    const modell::Kesselparameter k = test::Testkessel();
    Maischprogramm pr;
    pr.AnzPhasen = "3";
    test::Phase_Setzen(pr, 1, "Rast", Art::Halten, "62", "60", Ruf::Zeit, "30");
    test::Phase_Setzen(pr, 2, "Rast 2", Art::Halten, "62", "10", Ruf::Ende);
    test::Phase_Setzen(pr, 3, "Aufheizen", Art::Aufheizen, "64");
    Vorgaben v;
    v.kessel = k;
    v.start_C = 62;
    v.antwortzeit_s = 120;

    // A rest with 20 min left whose call has come and been answered: 20 + 10 + the call at
    // the end of phase 2 + heating 2 K.
    Einstieg ein;
    ein.phase = 1;
    ein.heizzeit_min = 60;
    ein.rest_s = 20 * 60;
    ein.vergangen_s = 40 * 60;
    ein.ruf_gekommen = true;
    v.einstieg = ein;
    Vorhersage h = Vorhersagen(pr, v);
    ASSERT_TRUE(h.gerechnet && h.endet);
    EXPECT_TRUE(h.phase_endet);
    EXPECT_NEAR(h.phase_rest_s, 20 * 60, 2);
    const long ohne_ruf = h.rest_s;
    EXPECT_GT(ohne_ruf, 30 * 60 + 120);
    EXPECT_LT(ohne_ruf, 30 * 60 + 120 + 6 * 60);

    // Its time is up and its call still waits: the phase ends with the usual answer time from now.
    ein.ruf_gekommen = false;
    ein.ruf_wartet = true;
    ein.rest_s = 0;
    ein.vergangen_s = 60 * 60;
    v.einstieg = ein;
    h = Vorhersagen(pr, v);
    ASSERT_TRUE(h.endet);
    EXPECT_NEAR(h.phase_rest_s, 120, 2);

    // The call not yet come: raised after 30 min of the phase, inside the rest, which it does
    // not lengthen (the heating pauses while it waits, so the kettle is a little off later).
    ein = Einstieg{};
    ein.phase = 1;
    ein.heizzeit_min = 60;
    ein.rest_s = 50 * 60;
    ein.vergangen_s = 10 * 60;
    v.einstieg = ein;
    h = Vorhersagen(pr, v);
    EXPECT_NEAR(h.phase_rest_s, 50 * 60, 2);
    EXPECT_NEAR(h.rest_s, ohne_ruf + 30 * 60, 60);

    // A target the kettle cannot reach is named instead.
    test::Phase_Setzen(pr, 3, "Kochen", Art::Aufheizen, "99.5");
    v.kessel.Heizrate_K_min = 0.2;
    h = Vorhersagen(pr, v);
    EXPECT_TRUE(h.gerechnet);
    EXPECT_FALSE(h.endet);
    EXPECT_EQ(h.endlos_phase, 3);
    EXPECT_FALSE(h.grund.empty());

    // Cancelled from outside: nothing.
    std::atomic<bool> abbruch{true};
    v.abbruch = &abbruch;
    EXPECT_FALSE(Vorhersagen(pr, v).gerechnet);

    // No running phase: nothing to take up.
    Anlage a;
    Anzeige z;
    EXPECT_FALSE(Einstieg_Aus(a, z, Laufzeitpunkt{}));
}

} // namespace
} // namespace kw::probelauf
