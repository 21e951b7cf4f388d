// Temperature intake, moving target, gradient mode, heating decision with its
// 15 s delay, target nudges and the cooling phase.

#include "Brauplatz.h"

namespace kw::test {
namespace {

class Regelung : public Brauplatz {
protected:
    // One heating-up or holding phase on measured temperatures.
    void eine_phase(Art art, std::string temperatur, std::string zeit = "60")
    {
        ein_phasen_programm(art, std::move(temperatur), std::move(zeit), "10", "10");
        takt();   // first tick: from now on readings count
    }
};

TEST_F(Regelung, TemperaturUebernahme)
{
    takt();
    a.Temperaturwert = "";
    takt();
    EXPECT_EQ(z.Anzeige_TempIst, "0.0");
    a.Temperaturwert = "21.44";
    takt();
    EXPECT_EQ(z.Anzeige_TempIst, "21.44");
    EXPECT_FLOAT_EQ(z.Bar_Sim_IstTemperatur2, 21.44f);
    a.Temperaturwert = "85.00";   // power-on value: display keeps the last reading
    takt();
    EXPECT_EQ(z.Anzeige_TempIst, "21.44");
    a.Temperaturwert = "85.0";    // only the exact text is the power-on value
    takt();
    EXPECT_EQ(z.Anzeige_TempIst, "85");
    a.Temperaturwert = "21.44.";  // a trailing point from the log scan
    takt();
    EXPECT_EQ(z.Anzeige_TempIst, "21.44");

    // readings always use '.', the display the locale's separator
    a.Dezimaltrenner = ',';
    a.Temperaturwert = "63.5";
    takt();
    EXPECT_EQ(z.Anzeige_TempIst, "63,5");
    EXPECT_FLOAT_EQ(z.Bar_Sim_IstTemperatur2, 63.5f);

    // simulation: whole degrees from the slider
    s.Switch1();
    s.Scroll_Sim_IstTemperatur(-37);
    takt();
    EXPECT_EQ(z.Anzeige_TempIst, "37");
    s.Scroll_Sim_IstTemperatur(-100);
    EXPECT_EQ(a.Sim_Temperatur, 100);
    s.Scroll_Sim_IstTemperatur(0);
    EXPECT_EQ(a.Sim_Temperatur, 0);
    s.Scroll_Sim_IstTemperatur(-250);
    EXPECT_EQ(a.Sim_Temperatur, 100);
}

TEST_F(Regelung, ErsterTickNimmtDieSimulation)
{
    a.Temperaturwert = "50.0";
    a.Sim_Temperatur = 12;
    takt();
    EXPECT_EQ(z.Anzeige_TempIst, "12");
    takt();
    EXPECT_EQ(z.Anzeige_TempIst, "50");
}

TEST_F(Regelung, HeizungKommtNachFuenfzehnSekunden)
{
    eine_phase(Art::Halten, "62");
    a.Temperaturwert = "62.0";
    const long s1 = starten();
    laufe(5s);
    EXPECT_EQ(z.Anzeige_Heizung, Lampe::Grau);   // equal: no demand
    EXPECT_EQ(a.Aus_Heizung, 0);

    bis_sekunde(s1 + 10);
    a.Temperaturwert = "61.9";   // demand from the next tick, s1 + 10
    takt();
    EXPECT_EQ(z.Anzeige_Heizung, Lampe::Gruen);
    bis_sekunde(s1 + 24);
    laufe(900ms);
    EXPECT_EQ(a.Aus_Heizung, 0);
    EXPECT_FALSE(z.Anzeige_Feuer_Sichtbar);
    takt();
    EXPECT_EQ(a.Aus_Heizung, 1);
    EXPECT_TRUE(z.Anzeige_Feuer_Sichtbar);

    // off on the first tick at which the demand is gone
    a.Temperaturwert = "62.0";
    takt();
    EXPECT_EQ(a.Aus_Heizung, 0);
    EXPECT_EQ(z.Anzeige_Heizung, Lampe::Grau);
}

TEST_F(Regelung, UnterbrochenerBedarfWartetWiederVolleFuenfzehnSekunden)
{
    eine_phase(Art::Halten, "62");
    a.Temperaturwert = "62.0";
    const long s1 = starten();
    bis_sekunde(s1 + 10);
    a.Temperaturwert = "60.0";
    bis_sekunde(s1 + 20);
    a.Temperaturwert = "63.0";   // demand for 10 s only
    takt();
    EXPECT_EQ(z.Anzeige_Heizung, Lampe::Grau);
    bis_sekunde(s1 + 30);
    EXPECT_EQ(a.Aus_Heizung, 0);
    a.Temperaturwert = "60.0";
    const long neu = s1 + 30;
    bis_sekunde(neu + 14);
    laufe(900ms);
    EXPECT_EQ(a.Aus_Heizung, 0);
    takt();
    EXPECT_EQ(a.Aus_Heizung, 1);
}

TEST_F(Regelung, OhneMessungHeiztDieRegelungNicht)
{
    eine_phase(Art::Aufheizen, "62");
    const long s1 = starten();
    EXPECT_EQ(z.Anzeige_TempIst, "0.0");
    EXPECT_TRUE(z.Anzeige_TempIst_Ungueltig);
    bis_sekunde(s1 + 15);
    EXPECT_EQ(z.Anzeige_Heizung, Lampe::Gruen);   // demanded, but overruled
    EXPECT_EQ(a.Aus_Heizung, 0);
    EXPECT_FALSE(z.Anzeige_Feuer_Sichtbar);
}

TEST_F(Regelung, BedarfUeberPhasenwechselBehaeltSeineVerzoegerung)
{
    a.Programm.AnzPhasen = "2";
    Phase_Setzen(a.Programm, 1, Art::Halten, "62", "1", "10", "10");
    Phase_Setzen(a.Programm, 2, Art::Halten, "64", "10", "10", "10");
    takt();
    a.Temperaturwert = "61.0";
    const long s1 = starten();
    bis_sekunde(s1 + 60);   // phase 1 over, heating has been on for 45 s
    EXPECT_EQ(a.Ablaufschritt, 4);
    takt();                 // idle tick between the phases: manual heating (off)
    EXPECT_EQ(a.Aus_Heizung, 0);
    EXPECT_TRUE(a.Heizbedarf_Vorher);
    takt();                 // phase 2: the running delay is kept
    EXPECT_EQ(a.Akt_Phase, 2);
    EXPECT_EQ(a.Aus_Heizung, 1);
}

TEST_F(Regelung, GradientVonZwanzigAufZweiundsechzig)
{
    eine_phase(Art::Aufheizen, "62");
    s.Option_Gradient();
    EXPECT_EQ(a.Gradient_Ein, 1);
    a.Temperaturwert = "20.0";
    s.START_BRAUEN();
    bis([&] { return a.Ablaufschritt == 2; }, 1s);
    takt();   // phase start; its run view makes the first rise
    const long s1 = sek();
    EXPECT_EQ(z.Anzeige_TempSollAct, "21");

    std::vector<long> anstiege{s1};
    std::string vorher = z.Anzeige_TempSollAct;
    while (z.Anzeige_TempSollAct != "62" && sek() < s1 + 3600) {
        takt();
        if (z.Anzeige_TempSollAct != vorher) {
            anstiege.push_back(sek());
            vorher = z.Anzeige_TempSollAct;
        }
    }
    ASSERT_EQ(anstiege.size(), 42u);
    for (std::size_t i = 0; i < anstiege.size(); ++i)
        EXPECT_EQ(anstiege[i], s1 + 60 * static_cast<long>(i));
    EXPECT_FLOAT_EQ(z.Bar_TempSollAct, 62.0f);
    // actual still 20 after 40 minutes: the heating was cut for lack of effect
    EXPECT_EQ(a.Aus_Heizung, 0);
    EXPECT_TRUE(a.Heizung_Ohne_Wirkung);
    laufe(5min);
    EXPECT_EQ(z.Anzeige_TempSollAct, "62");
}

TEST_F(Regelung, GradientPausiertMitDerPause)
{
    eine_phase(Art::Aufheizen, "62");
    s.Option_Gradient();
    a.Temperaturwert = "20.0";
    const long s1 = starten();
    bis_sekunde(s1 + 90);
    EXPECT_EQ(z.Anzeige_TempSollAct, "22");
    s.PAUSE_BRAUEN();
    bis_sekunde(s1 + 390);
    EXPECT_EQ(z.Anzeige_TempSollAct, "22");
    s.START_BRAUEN();
    takt();
    EXPECT_EQ(z.Anzeige_TempSollAct, "23");
    bis_sekunde(s1 + 450);
    EXPECT_EQ(z.Anzeige_TempSollAct, "24");
}

TEST_F(Regelung, GradientMitBruchteilWirdAufsZielGekappt)
{
    eine_phase(Art::Aufheizen, "62");
    s.Option_Gradient();
    a.Temperaturwert = "61.5";
    s.START_BRAUEN();
    bis([&] { return a.Ablaufschritt == 2; }, 1s);
    takt();
    EXPECT_EQ(z.Anzeige_TempSollAct, "62.5");
    takt();
    EXPECT_EQ(z.Anzeige_TempSollAct, "62");
}

TEST_F(Regelung, GradientUmschaltenImLauf)
{
    eine_phase(Art::Aufheizen, "62");
    a.Temperaturwert = "40.0";
    starten();
    EXPECT_EQ(z.Anzeige_TempSollAct, "62");
    s.Option_Gradient();   // on: aims at the actual temperature
    EXPECT_EQ(z.Option_Gradient, Schalttext::Aus);
    EXPECT_EQ(z.Anzeige_TempSollAct, "40");
    takt();
    EXPECT_EQ(z.Anzeige_TempSollAct, "41");
    s.Option_Gradient();   // off: back to the phase's target
    EXPECT_EQ(a.Gradient_Ein, 0);
    EXPECT_EQ(z.Option_Gradient, Schalttext::Ein);
    EXPECT_EQ(z.Anzeige_TempSollAct, "62");
}

TEST_F(Regelung, GradientUmschaltenVorDerErstenPhaseStuerztNicht)
{
    eine_phase(Art::Aufheizen, "62");
    s.Option_Gradient();
    a.Temperaturwert = "30.0";
    s.START_BRAUEN();
    bis([&] { return a.Ablaufschritt == 2; }, 1s);
    ASSERT_EQ(a.Akt_Phase, 0);
    s.Option_Gradient();   // no phase to aim at yet
    EXPECT_EQ(a.Gradient_Ein, 0);
    takt();
    EXPECT_EQ(z.Anzeige_TempSollAct, "62");
}

TEST_F(Regelung, KuehlphaseHeiztUndKuehltNicht)
{
    eine_phase(Art::Kuehlen, "50");
    a.Temperaturwert = "70.0";
    starten();
    laufe(30s);
    EXPECT_EQ(a.Aus_Heizung, 0);
    EXPECT_EQ(a.Aus_Kuehlung, 0);
    EXPECT_EQ(z.Anzeige_Kuehlung, Lampe::Grau);
    EXPECT_EQ(z.Anzeige_TempSollAct, "50");
    a.Temperaturwert = "40.0";   // below target: still no heating in a cooling phase
    laufe(200ms);
    EXPECT_EQ(a.Ablaufschritt, 4);
    EXPECT_EQ(a.Aus_Heizung, 0);
}

TEST_F(Regelung, SollwertTasten)
{
    eine_phase(Art::Halten, "72.0");
    s.SollRauf();   // before START: nothing
    EXPECT_EQ(a.Programm.Phase(1).Temperatur(), "72.0");
    a.Temperaturwert = "72.0";
    starten();
    s.SollRauf();
    s.SollRauf();
    s.SollRauf();
    EXPECT_EQ(a.Programm.Phase(1).Temperatur(), "72.3");
    takt();
    EXPECT_EQ(z.Anzeige_TempSoll, "72.3");
    EXPECT_EQ(z.Anzeige_TempSollAct, "72.3");
    EXPECT_EQ(z.Anzeige_Heizung, Lampe::Gruen);
    s.SollRunter();
    s.SollRunter();
    s.SollRunter();
    s.SollRunter();
    EXPECT_EQ(a.Programm.Phase(1).Temperatur(), "71.9");
    takt();
    EXPECT_EQ(z.Anzeige_Heizung, Lampe::Grau);
}

TEST_F(Regelung, SollwertMitDezimalkomma)
{
    a.Dezimaltrenner = ',';
    eine_phase(Art::Halten, "65");
    a.Temperaturwert = "65.05";
    starten();
    EXPECT_EQ(z.Anzeige_TempIst, "65,05");
    EXPECT_EQ(z.Anzeige_Heizung, Lampe::Grau);
    s.SollRauf();
    EXPECT_EQ(a.Programm.Phase(1).Temperatur(), "65,1");
    takt();
    EXPECT_EQ(z.Anzeige_TempSollAct, "65,1");
    EXPECT_EQ(z.Anzeige_Heizung, Lampe::Gruen);
}

} // namespace
} // namespace kw::test
