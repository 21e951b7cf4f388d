// Time: the run measures on the monotonic count, the wall clock only gives the
// times shown; an event whose second passed without a tick comes at the next one.

#include "Brauplatz.h"

#include "program/Zahlen.h"

namespace kw::test {
namespace {

class Zeit : public Brauplatz {
protected:
    float sollAct() const { return Text_Als_Single(z.Anzeige_TempSollAct, '.'); }
    // No tick for `d`, as while the screen stalls or the machine sleeps.
    void luecke(std::chrono::milliseconds d) { ms += d.count(); }
};

// --- the wall clock steps ----------------------------------------------------

TEST_F(Zeit, RastDauertIhreMinutenWennDieUhrVorUndZurueckspringt)
{
    a.Programm.AnzPhasen = "2";
    Phase_Setzen(a.Programm, 1, Art::Halten, "62", "30", "10", "10", Ruf::Ende, "", "Abmaischen");
    Phase_Setzen(a.Programm, 2, Art::Aufheizen, "72", "", "10", "10");
    simulation(62);
    const long s1 = starten();
    ASSERT_EQ(s1, 0);
    EXPECT_EQ(z.Anzeige_Startzeit, "08.12.2026 14:00:00");
    EXPECT_EQ(z.Anzeige_Endzeit, "08.12.2026 14:30:00");

    // time synchronisation puts the clock an hour forward
    bis_sekunde(600);
    uhr_verstellen(1h);
    takt();
    EXPECT_EQ(a.Ablaufschritt, 3);
    EXPECT_EQ(z.Anzeige_ZeitAct, "0:20:00");
    EXPECT_EQ(z.Anzeige_Startzeit, "08.12.2026 15:00:00");
    EXPECT_EQ(z.Anzeige_Endzeit, "08.12.2026 15:30:00");

    // and a change by hand two hours back
    bis_sekunde(1200);
    uhr_verstellen(-2h);
    takt();
    EXPECT_EQ(z.Anzeige_ZeitAct, "0:10:00");
    EXPECT_EQ(z.Anzeige_Startzeit, "08.12.2026 13:00:00");
    EXPECT_EQ(z.Anzeige_Endzeit, "08.12.2026 13:30:00");

    // the rest ends after its 30 minutes, to the second
    bis_sekunde(1799);
    laufe(900ms);
    EXPECT_EQ(a.Ablaufschritt, 3);
    EXPECT_TRUE(f.rufe.empty());
    takt();
    EXPECT_TRUE(a.Ruf_Aktiv);
    EXPECT_EQ(f.rufe, std::vector<std::string>{"Abmaischen"});
    // the idle view shows the wall clock's time of day
    EXPECT_EQ(z.Anzeige_ZeitAct, "13:30:00");
    s.QUITTIEREN();
    bis([&] { return a.Akt_Phase == 2 && a.Ablaufschritt == 3; }, 1s);
    EXPECT_EQ(z.Anzeige_Startzeit, "08.12.2026 13:30:00");
    EXPECT_EQ(z.Anzeige_ZeitAct, "13:30:00");
    EXPECT_EQ(z.Label_ZeitAct, Zeitbeschriftung::Zeit_Aktuell);
}

TEST_F(Zeit, ZeitrufKommtZurSekundeWennDieUhrSpringt)
{
    a.Programm.AnzPhasen = "1";
    Phase_Setzen(a.Programm, 1, Art::Halten, "62", "10", "10", "10", Ruf::Zeit, "5", "Jodprobe");
    simulation(62);
    const long s1 = starten();
    bis_sekunde(s1 + 60);
    uhr_verstellen(10min);   // past the call time on the wall clock
    laufe(1s);
    EXPECT_FALSE(a.Ruf_Aktiv);
    bis_sekunde(s1 + 120);
    uhr_verstellen(-1h);
    bis_sekunde(s1 + 299);
    laufe(900ms);
    EXPECT_FALSE(a.Ruf_Aktiv);
    takt();
    EXPECT_TRUE(a.Ruf_Aktiv);
    EXPECT_EQ(f.rufe, std::vector<std::string>{"Jodprobe"});
    s.QUITTIEREN();
    bis_sekunde(s1 + 599);
    laufe(900ms);
    EXPECT_EQ(a.Ablaufschritt, 3);
    takt();
    EXPECT_EQ(a.Ablaufschritt, 4);
    EXPECT_EQ(f.rufe.size(), 1u);
}

TEST_F(Zeit, RuehrwerkHeizverzugUndGradientUeberstehenEinenUhrsprung)
{
    ein_phasen_programm(Art::Aufheizen, "62", "", "30", "90");
    s.Option_Gradient();
    simulation(20);
    const long s1 = starten();
    EXPECT_EQ(a.Ruehrwerk_Ein, 1);
    EXPECT_FLOAT_EQ(sollAct(), 21.0f);
    EXPECT_EQ(a.Aus_Heizung, 0);

    bis_sekunde(s1 + 5);
    uhr_verstellen(-1h);

    // the heating comes on 15 s after the demand began
    bis_sekunde(s1 + 14);
    laufe(900ms);
    EXPECT_EQ(a.Aus_Heizung, 0);
    takt();
    EXPECT_EQ(a.Aus_Heizung, 1);

    // the stirrer's on period ends after its 30 s, the pause after 90 s
    bis_sekunde(s1 + 29);
    laufe(900ms);
    EXPECT_EQ(a.Ruehrwerk_Ein, 1);
    takt();
    EXPECT_EQ(a.Ruehrwerk_Ein, 0);

    // the moving target climbs on by 1 K a minute
    bis_sekunde(s1 + 59);
    laufe(900ms);
    EXPECT_FLOAT_EQ(sollAct(), 21.0f);
    takt();
    EXPECT_FLOAT_EQ(sollAct(), 22.0f);

    bis_sekunde(s1 + 119);
    laufe(900ms);
    EXPECT_EQ(a.Ruehrwerk_Ein, 0);
    takt();
    EXPECT_EQ(a.Ruehrwerk_Ein, 1);
}

// --- seconds that pass without a tick ------------------------------------------

TEST_F(Zeit, ZeitrufUndRastendeNachDemSchlafKommenBeimNaechstenTakt)
{
    a.Programm.AnzPhasen = "2";
    Phase_Setzen(a.Programm, 1, Art::Halten, "62", "10", "10", "10", Ruf::Zeit, "5", "Malz zugeben");
    Phase_Setzen(a.Programm, 2, Art::Halten, "72", "10", "10", "10");
    simulation(62);
    const long s1 = starten();
    bis_sekunde(s1 + 240);
    luecke(2h);   // suspended over the call time and the end of the rest
    takt();
    EXPECT_TRUE(a.Ruf_Aktiv);
    EXPECT_EQ(f.rufe, std::vector<std::string>{"Malz zugeben"});
    // the call holds the ended rest until it is acknowledged
    laufe(10s);
    EXPECT_EQ(a.Akt_Phase, 1);
    EXPECT_EQ(a.Ablaufschritt, 3);
    EXPECT_EQ(f.rufe.size(), 1u);
    s.QUITTIEREN();
    takt();
    EXPECT_EQ(a.Ablaufschritt, 4);
    bis([&] { return a.Akt_Phase == 2 && a.Ablaufschritt == 3; }, 1s);
    EXPECT_EQ(f.rufe.size(), 1u);
}

TEST_F(Zeit, ZeitrufHoechstensEinmalUndNieNachDemRastende)
{
    // a call time after the end of the rest: the rest ends first, with or without a gap
    ein_phasen_programm(Art::Halten, "62", "10", "10", "10", Ruf::Zeit, "15", "zu spaet");
    simulation(62);
    starten();
    luecke(1h);
    takt();
    EXPECT_EQ(a.Ablaufschritt, 4);
    EXPECT_TRUE(f.rufe.empty());

    // +5 min after a timed call re-arms nothing
    ein_phasen_programm(Art::Halten, "62", "10", "10", "10", Ruf::Zeit, "1", "einmal");
    laufe(1s);
    const long s1 = starten();
    bis_sekunde(s1 + 60);
    ASSERT_TRUE(a.Ruf_Aktiv);
    s.QUITTIEREN();
    s.ZeitRauf();
    s.ZeitRunter();
    laufe(5s);
    EXPECT_FALSE(a.Ruf_Aktiv);
    EXPECT_EQ(f.rufe, std::vector<std::string>{"einmal"});
}

TEST_F(Zeit, RufNachNullMinutenAuchWennDiePhaseImLetztenZehntelBeginnt)
{
    ein_phasen_programm(Art::Halten, "62", "10", "10", "10", Ruf::Zeit, "0", "sofort");
    simulation(62);
    laufe(1s);
    while (ms % 1000 != 600)
        takt();
    s.START_BRAUEN();
    takt();   // .7 step 1
    takt();   // .8 program check
    takt();   // .9 phase start
    EXPECT_EQ(a.Ablaufschritt, 3);
    takt();   // first tick of the running phase, in the next second
    EXPECT_TRUE(a.Ruf_Aktiv);
    EXPECT_EQ(f.rufe, std::vector<std::string>{"sofort"});
}

TEST_F(Zeit, PauseHaeltDieRastAuchUeberEineLueckeAn)
{
    ein_phasen_programm(Art::Halten, "62", "30", "10", "10", Ruf::Zeit, "15", "Ruf");
    simulation(62);
    const long s1 = starten();
    const auto ende = a.Endzeit_Phase;
    laufe(60s);
    s.PAUSE_BRAUEN();
    laufe(10s);
    const std::string rest = z.Anzeige_ZeitAct;
    luecke(5min);
    laufe(10s);
    EXPECT_EQ(z.Anzeige_ZeitAct, rest);   // the phase clock still stands
    s.START_BRAUEN();
    takt();
    const auto verschiebung = a.Endzeit_Phase - ende;
    EXPECT_GE(verschiebung, 5min + 19s);
    EXPECT_LE(verschiebung, 5min + 21s);
    EXPECT_EQ(a.Rufzeitpunkt - a.Endzeit_Phase, -15min);
    const long ruf_s = s1 + 15 * 60 + static_cast<long>(verschiebung.count());
    bis_sekunde(ruf_s - 1);
    laufe(900ms);
    EXPECT_FALSE(a.Ruf_Aktiv);
    takt();
    EXPECT_TRUE(a.Ruf_Aktiv);
}

TEST_F(Zeit, EinRufWaehrendDerPauseHaeltDieRastNichtAn)
{
    // the phase clock runs on while a call waits, even in a paused run
    ein_phasen_programm(Art::Halten, "62", "30", "10", "10", Ruf::Ende, "", "Ruf");
    simulation(62);
    starten();
    laufe(60s);
    s.PAUSE_BRAUEN();
    laufe(5s);
    for (int i = 0; i < 7; ++i)
        s.ZeitRunter();   // the end lies behind: the call comes, paused as the run is
    takt();
    ASSERT_TRUE(a.Ruf_Aktiv);
    laufe(2min);
    for (int i = 0; i < 8; ++i)
        s.ZeitRauf();
    const auto ende = a.Endzeit_Phase;
    s.QUITTIEREN();
    laufe(2s);
    EXPECT_EQ(a.Ablaufschritt, 3);
    // only the seconds paused in the run view count, not the wait for the acknowledgement
    EXPECT_GE(a.Endzeit_Phase - ende, 1s);
    EXPECT_LE(a.Endzeit_Phase - ende, 3s);
}

TEST_F(Zeit, RuehrwerkSchaltetNachEinerLueckeEinmalUndTaktetWeiter)
{
    ein_phasen_programm(Art::Halten, "62", "30", "30", "90");
    simulation(62);
    const long s1 = starten();
    EXPECT_EQ(a.Ruehrwerk_Ein, 1);
    bis_sekunde(s1 + 10);
    luecke(40s);   // over the end of the on period
    takt();
    EXPECT_EQ(a.Ruehrwerk_Ein, 0);
    const long aus = sek();
    // the pause runs its 90 s from the switching, without catching up
    bis_sekunde(aus + 89);
    EXPECT_EQ(a.Ruehrwerk_Ein, 0);
    bis_sekunde(aus + 90);
    EXPECT_EQ(a.Ruehrwerk_Ein, 1);
}

} // namespace
} // namespace kw::test
