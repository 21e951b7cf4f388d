// The dry run: the real controller on the kettle model, against a brew on the
// simulated kettle; phases that never end; refused programs; the table.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "Kesselsimulation.h"
#include "model/Modellwissen.h"
#include "probelauf/Probelauf.h"

namespace kw::probelauf {
namespace {

namespace fs = std::filesystem;
using test::Art;
using test::Ruf;

Vorgaben Mit(const modell::Kesselparameter& k, double start_C, double antwort_s = 60)
{
    Vorgaben v;
    v.kessel = k;
    v.start_C = start_C;
    v.antwortzeit_s = antwort_s;
    return v;
}

std::vector<std::string> Zeilen(const std::string& text)
{
    std::vector<std::string> z;
    std::istringstream ein(text);
    for (std::string l; std::getline(ein, l);)
        z.push_back(l);
    return z;
}

TEST(Probelauf, VorhersageAusDreiGelerntenSudenTrifftDenSimuliertenSudAufZweiProzent)
{
    const std::optional<modell::Modellstand> gelernt = test::Gelernt_Aus_Drei_Suden("kw_probelauf");
    ASSERT_TRUE(gelernt);
    const modell::Modellstand& m = *gelernt;
    ASSERT_EQ(m.herkunft, modell::Modellstand::Herkunft::Gelernt) << m.hinweis;

    // The brew itself, on the simulated kettle with its noise; the brewer answers in 60 s.
    test::Kesselsimulation sud(test::Testkessel(), 45.0, 11);
    test::Sechs_Phasen(sud.a.Programm);
    const long wirklich_s = sud.brauen(6 * 3600);
    ASSERT_GT(wirklich_s, 0);
    EXPECT_NEAR(wirklich_s, 3 * 3600, 20 * 60);   // a three-hour program

    Maischprogramm pr;
    test::Sechs_Phasen(pr);
    const Ergebnis e = Probelauf(pr, Mit(m.p, 45.0, m.antwortzeit_s));
    ASSERT_TRUE(e.gestartet);
    ASSERT_TRUE(e.vollstaendig);
    ASSERT_EQ(e.phasen.size(), 6u);
    EXPECT_NEAR(e.gesamt_s, wirklich_s, 0.02 * wirklich_s);
    EXPECT_NEAR(e.energie_kWh, sud.Energie_kWh(), 0.05 * sud.Energie_kWh());
    std::printf("dry run %ld s, simulated brew %ld s (%+.2f %%); energy %.3f kWh, brew %.3f kWh\n", e.gesamt_s,
                wirklich_s, 100.0 * (e.gesamt_s - wirklich_s) / wirklich_s, e.energie_kWh, sud.Energie_kWh());

    // The rows: in order, back to back, each kind as planned.
    long vorher = 0;
    for (std::size_t i = 0; i < e.phasen.size(); ++i) {
        const Phasenzeile& p = e.phasen[i];
        EXPECT_EQ(p.phase, static_cast<int>(i) + 1);
        EXPECT_EQ(p.ausgang, Ausgang::Beendet);
        EXPECT_GE(p.start_s, vorher);
        EXPECT_LE(p.start_s - vorher, 1);   // the two ticks between phases
        vorher = p.ende_s;
        EXPECT_GE(p.max_C, p.soll_C - 0.5);
        if (p.art == "Halten") {
            ASSERT_TRUE(p.geplant_s);
            EXPECT_NEAR(p.dauer_s(), *p.geplant_s, 1);
            // The element's dead time carries the heating-up's last minute into the rest.
            EXPECT_LT(p.ueberschwingen_K, 1.5);
        } else {
            EXPECT_FALSE(p.geplant_s);
            EXPECT_GT(p.energie_kWh, 0.2);
        }
    }
    EXPECT_EQ(e.phasen[0].titel, "Einmaischen");
    EXPECT_EQ(e.phasen[3].rufe, 1);
    EXPECT_EQ(e.phasen[4].rufe, 1);
    // The call at the end of phase 5 holds it for the answer time.
    EXPECT_EQ(e.phasen[3].geplant_start_s, 20 * 60);
    EXPECT_EQ(e.geplant_s, 140 * 60);
    // Heating up from 45 to 52 at 0.86 K/min less the loss, after 15 s delay and 45 s dead time.
    EXPECT_NEAR(e.phasen[0].dauer_s(), 15 + 45 + 7.0 / (0.86 - 0.15 * 28.5 / 60) * 60, 60);
    // The curve: every 5 s from START.
    ASSERT_FALSE(e.kurve.empty());
    EXPECT_NEAR(static_cast<double>(e.kurve.size()), e.gesamt_s / 5.0, 2);
    EXPECT_EQ(e.kurve[1].t_s - e.kurve[0].t_s, 5);
}

TEST(Probelauf, RufeWartenDieAntwortzeitAb)
{
    Maischprogramm pr;
    pr.AnzPhasen = "2";
    test::Phase_Setzen(pr, 1, "Rast", Art::Halten, "50", "10", Ruf::Ende);
    test::Phase_Setzen(pr, 2, "Rast 2", Art::Halten, "50", "10", Ruf::Zeit, "5");
    const Ergebnis e = Probelauf(pr, Mit(test::Testkessel(), 50.0, 150));
    ASSERT_TRUE(e.vollstaendig);
    ASSERT_EQ(e.phasen.size(), 2u);
    // Held at its end until QUITTIEREN.
    EXPECT_NEAR(e.phasen[0].dauer_s(), 600 + 150, 1);
    // A timed call inside a rest does not lengthen it: the rest's clock runs on.
    EXPECT_NEAR(e.phasen[1].dauer_s(), 600, 1);
    EXPECT_NEAR(e.gesamt_s, 1350, 2);
}

TEST(Probelauf, EinePhaseDieNieEndetWirdGenanntStattEndlosZuLaufen)
{
    modell::Kesselparameter schwach = test::Testkessel();
    schwach.Heizrate_K_min = 0.15;   // full power holds 20 + 0.15*60/0.15 = 80 °C
    ASSERT_NEAR(schwach.Dauerzustand_Voll_C(), 80.0, 1e-9);

    Maischprogramm pr;
    pr.AnzPhasen = "3";
    test::Phase_Setzen(pr, 1, "Rast", Art::Halten, "62", "5");
    test::Phase_Setzen(pr, 2, "Kochen", Art::Aufheizen, "85");
    test::Phase_Setzen(pr, 3, "Rast 85", Art::Halten, "85", "10");
    Ergebnis e = Probelauf(pr, Mit(schwach, 62.0));
    EXPECT_TRUE(e.gestartet);
    EXPECT_FALSE(e.vollstaendig);
    ASSERT_TRUE(e.endlos);
    ASSERT_EQ(e.phasen.size(), 2u);
    EXPECT_EQ(*e.endlos, 1u);
    EXPECT_EQ(e.phasen[1].ausgang, Ausgang::Unerreichbar);
    EXPECT_NE(e.phasen[1].grund.find("80.0"), std::string::npos) << e.phasen[1].grund;
    EXPECT_LT(e.gesamt_s, 10 * 60);   // stopped at once, not after hours
    const auto zeilen = Zeilen(Tabelle(e));
    EXPECT_EQ(zeilen.back().rfind("Gesamt nicht bestimmbar: Phase 2 \u201EKochen\u201C endet nie", 0), 0u)
        << zeilen.back();

    // Cooling below the room: there is no cooling.
    pr.AnzPhasen = "2";
    test::Phase_Setzen(pr, 2, "Kühlen", Art::Kuehlen, "18");
    e = Probelauf(pr, Mit(schwach, 62.0));
    ASSERT_TRUE(e.endlos);
    EXPECT_EQ(e.phasen[*e.endlos].ausgang, Ausgang::Unerreichbar);
    EXPECT_NE(e.phasen[*e.endlos].grund.find("Raumtemperatur"), std::string::npos);
    // Cooling to above the room ends by the loss alone: 62 -> 55 at 0.15/h takes about 1.1 h.
    test::Phase_Setzen(pr, 2, "Kühlen", Art::Kuehlen, "55");
    e = Probelauf(pr, Mit(schwach, 62.0));
    ASSERT_TRUE(e.vollstaendig);
    EXPECT_NEAR(e.phasen[1].dauer_s(), std::log(42.0 / 35.0) / 0.15 * 3600, 120);
    EXPECT_DOUBLE_EQ(e.phasen[1].energie_kWh, 0.0);

    // Just below what full power holds: reachable in theory, cut at the limit per phase. The
    // controller's effect check cuts the heating on the way and the brewer answers it.
    pr.AnzPhasen = "2";
    test::Phase_Setzen(pr, 2, "Fast", Art::Aufheizen, "79.9");
    Vorgaben v = Mit(schwach, 62.0);
    v.phasengrenze = std::chrono::hours(3);
    e = Probelauf(pr, v);
    ASSERT_TRUE(e.endlos);
    EXPECT_EQ(e.phasen[1].ausgang, Ausgang::Zeitgrenze);
    EXPECT_NEAR(e.phasen[1].dauer_s(), 3 * 3600, 2);
    EXPECT_GT(e.phasen[1].warnungen, 0);
}

TEST(Probelauf, EinUnvollstaendigesProgrammLaeuftNicht)
{
    Maischprogramm pr;
    pr.AnzPhasen = "3";
    test::Phase_Setzen(pr, 1, "A", Art::Aufheizen, "52");
    test::Phase_Setzen(pr, 2, "B", Art::Halten, "52", "10");
    test::Phase_Setzen(pr, 3, "C", Art::Halten, "60", "10");
    pr.Phase(2).setRuehrpause("");
    const Ergebnis e = Probelauf(pr, Mit(test::Testkessel(), 45.0));
    EXPECT_FALSE(e.gestartet);
    EXPECT_FALSE(e.vollstaendig);
    EXPECT_EQ(e.meldungen, std::vector<int>{22});
    EXPECT_TRUE(e.phasen.empty());
    EXPECT_EQ(Zeilen(Tabelle(e)).back().rfind("Gesamt nicht bestimmbar", 0), 0u);

    Maischprogramm leer;
    EXPECT_EQ(Probelauf(leer, Mit(test::Testkessel(), 45.0)).meldungen, std::vector<int>{20});
}

TEST(Probelauf, TabelleUndKurve)
{
    Maischprogramm pr;
    test::Sechs_Phasen(pr);
    pr.Titel(2) = "Eiweißrast mit einem sehr langen Titel";
    const Ergebnis e = Probelauf(pr, Mit(test::Testkessel(), 45.0));
    ASSERT_TRUE(e.vollstaendig);
    const auto zeilen = Zeilen(Tabelle(e, ','));
    ASSERT_EQ(zeilen.size(), 8u);   // head, six phases, total
    EXPECT_EQ(zeilen[1].rfind(" 1  Einmaischen", 0), 0u) << zeilen[1];
    EXPECT_NE(zeilen[2].find("Eiweißrast mit einem s"), std::string::npos) << zeilen[2];
    EXPECT_NE(zeilen[1].find("52,0"), std::string::npos);
    EXPECT_EQ(zeilen[1].size(), zeilen[3].size());   // columns line up
    char gesamt[64];
    std::snprintf(gesamt, sizeof gesamt, "Gesamt %s h:min, ", Stunden_Minuten(e.gesamt_s).c_str());
    EXPECT_EQ(zeilen[7].rfind(gesamt, 0), 0u) << zeilen[7];
    EXPECT_NE(zeilen[7].find(" kWh"), std::string::npos);

    EXPECT_EQ(Festkomma(62.5, 2, ','), "62,50");
    EXPECT_EQ(Festkomma(-0.001, 1), "0.0");
    EXPECT_EQ(Festkomma(-1.25, 1), "-1.2");
    EXPECT_EQ(Stunden_Minuten(0), "0:00");
    EXPECT_EQ(Stunden_Minuten(3 * 3600 + 29), "3:00");
    EXPECT_EQ(Stunden_Minuten(3 * 3600 + 30), "3:01");
    EXPECT_EQ(Stunden_Minuten(25 * 3600), "25:00");

    const auto csv = Zeilen(Kurve_CSV(e));
    ASSERT_EQ(csv.size(), e.kurve.size() + 1);
    EXPECT_EQ(csv[0], "t_s;Phase;Ist;SollAkt;Heizung");
    EXPECT_EQ(csv[1], "0;0;45.00;0.0;0");
    EXPECT_EQ(csv[2].rfind("5;1;", 0), 0u) << csv[2];
}

} // namespace
} // namespace kw::probelauf
