// Step machine, program check, phase jumps, start at an entered phase, pause,
// and the displays of the run.

#include "Brauplatz.h"

namespace kw::test {
namespace {

class Ablauf : public Brauplatz {
protected:
    // START, and the program check refuses the run with exactly these messages.
    void start_abgelehnt(std::vector<int> meldungen)
    {
        m.erwartet.insert(meldungen.begin(), meldungen.end());
        m.erhalten.clear();
        s.START_BRAUEN();
        laufe(1s);
        EXPECT_EQ(m.erhalten, meldungen);
        EXPECT_EQ(a.Ablaufschritt, 0);
        EXPECT_FALSE(a.Brauen_Gestartet);
    }
};

TEST_F(Ablauf, GanzerSudMitAufheizenHaltenKuehlenUndRufen)
{
    Maischprogramm& pr = a.Programm;
    pr.Biersorte = "Märzen";
    pr.AnzPhasen = "5";
    Phase_Setzen(pr, 1, Art::Aufheizen, "62", "", "30", "90");
    Phase_Setzen(pr, 2, Art::Halten, "62", "30", "30", "90", Ruf::Zeit, "5", "Jodprobe");
    Phase_Setzen(pr, 3, Art::Aufheizen, "72", "", "30", "90");
    Phase_Setzen(pr, 4, Art::Halten, "72", "10", "30", "90", Ruf::Ende, "", "Abmaischen");
    Phase_Setzen(pr, 5, Art::Kuehlen, "50", "", "0", "0");
    simulation(20);
    takt();
    EXPECT_EQ(f.konfiguration, 1);

    // one step per tick: 0 -> 1 -> 2 -> 3
    s.START_BRAUEN();
    takt();
    EXPECT_EQ(a.Ablaufschritt, 1);
    EXPECT_EQ(z.Anzeige_Fertig, Lampe::Grau);
    takt();
    EXPECT_EQ(a.Ablaufschritt, 2);
    takt();
    EXPECT_EQ(a.Ablaufschritt, 3);
    EXPECT_EQ(a.Akt_Phase, 1);
    EXPECT_EQ(z.Anzeige_Phase, "1");
    EXPECT_EQ(z.Anzeige_KommentarPhase, "Phase 1");
    EXPECT_FALSE(z.Keine_Phase_Aktiv);
    EXPECT_EQ(z.Biersorte, "Märzen");
    EXPECT_EQ(z.Anzeige_Phasenzahl, "5");
    EXPECT_EQ(z.Anzeige_Aufheizen, Lampe::Gruen);
    EXPECT_EQ(z.Anzeige_Heizen, Lampe::Grau);
    EXPECT_EQ(z.Anzeige_TempSoll, "62");

    // heating-up: ends on temperature
    laufe(60s);
    EXPECT_EQ(a.Ablaufschritt, 3);
    EXPECT_EQ(a.Aus_Heizung, 1);
    a.Sim_Temperatur = 62;
    takt();   // taken in; the step machine sees it on the next tick
    EXPECT_EQ(a.Ablaufschritt, 3);
    takt();
    EXPECT_EQ(a.Ablaufschritt, 4);
    takt();   // 4 -> 2, idle view between the phases
    EXPECT_EQ(a.Ablaufschritt, 2);
    EXPECT_TRUE(z.Keine_Phase_Aktiv);
    takt();
    EXPECT_EQ(a.Akt_Phase, 2);
    const long s2 = sek();
    EXPECT_EQ(z.Label_ZeitAct, Zeitbeschriftung::Restzeit);
    EXPECT_EQ(z.Anzeige_ZeitAct, "0:30:00");

    // timed call after 5 minutes, acknowledged after one minute
    bis_sekunde(s2 + 299);
    laufe(900ms);
    EXPECT_FALSE(a.Ruf_Aktiv);
    takt();
    EXPECT_TRUE(a.Ruf_Aktiv);
    ASSERT_EQ(f.rufe.size(), 1u);
    EXPECT_EQ(f.rufe[0], "Jodprobe");
    laufe(60s);
    s.QUITTIEREN();
    EXPECT_FALSE(f.ruf_sichtbar);

    // the holding time runs on during the call
    bis_sekunde(s2 + 1799);
    laufe(900ms);
    EXPECT_EQ(a.Ablaufschritt, 3);
    takt();
    EXPECT_EQ(a.Ablaufschritt, 4);
    EXPECT_EQ(f.rufe.size(), 1u);

    // phase 3 heats to 72
    bis([&] { return a.Akt_Phase == 3 && a.Ablaufschritt == 3; }, 1s);
    a.Sim_Temperatur = 72;
    bis([&] { return a.Akt_Phase == 4 && a.Ablaufschritt == 3; }, 1s);
    const long s4 = sek();

    // phase 4 calls at its end and waits however long
    bis_sekunde(s4 + 600);
    EXPECT_TRUE(a.Ruf_Aktiv);
    ASSERT_EQ(f.rufe.size(), 2u);
    EXPECT_EQ(f.rufe[1], "Abmaischen");
    laufe(2h);
    EXPECT_EQ(a.Ablaufschritt, 3);
    EXPECT_EQ(a.Akt_Phase, 4);
    s.QUITTIEREN();
    takt();
    EXPECT_EQ(a.Ablaufschritt, 4);

    // phase 5 cools passively
    bis([&] { return a.Akt_Phase == 5 && a.Ablaufschritt == 3; }, 1s);
    EXPECT_EQ(z.Anzeige_Kuehlen, Lampe::Gruen);
    laufe(30s);
    EXPECT_EQ(a.Aus_Heizung, 0);
    EXPECT_EQ(a.Aus_Kuehlung, 0);
    a.Sim_Temperatur = 51;
    laufe(200ms);
    EXPECT_EQ(a.Ablaufschritt, 3);
    a.Sim_Temperatur = 50;
    laufe(200ms);
    EXPECT_EQ(a.Ablaufschritt, 4);
    takt();
    EXPECT_EQ(a.Ablaufschritt, 0);
    EXPECT_FALSE(a.Brauen_Gestartet);
    EXPECT_EQ(z.Anzeige_Fertig, Lampe::Rot);
    takt();
    EXPECT_EQ(a.Akt_Phase, 0);
    EXPECT_TRUE(m.erhalten.empty());
}

TEST_F(Ablauf, KurzePhasenEndenSofort)
{
    a.Programm.AnzPhasen = "2";
    Phase_Setzen(a.Programm, 1, Art::Halten, "62", "0", "10", "10");
    Phase_Setzen(a.Programm, 2, Art::Kuehlen, "40", "", "10", "10");
    simulation(40);
    starten();
    takt();   // holding phase of 0 minutes
    EXPECT_EQ(a.Ablaufschritt, 4);
    bis([&] { return a.Akt_Phase == 2 && a.Ablaufschritt == 3; }, 1s);
    takt();   // cooling phase already at its target
    EXPECT_EQ(a.Ablaufschritt, 4);
    takt();
    EXPECT_EQ(z.Anzeige_Fertig, Lampe::Rot);
}

TEST_F(Ablauf, LangeHaltezeitOhneGrenzeBei546Minuten)
{
    ein_phasen_programm(Art::Halten, "62", "999", "10", "10", Ruf::Zeit, "900");
    simulation(62);
    const long s1 = starten();
    EXPECT_EQ(a.Endzeit_Phase - a.Startzeit_Phase, std::chrono::seconds(999 * 60));
    EXPECT_EQ(a.Rufzeitpunkt - a.Startzeit_Phase, std::chrono::seconds(900 * 60));
    EXPECT_EQ(z.Anzeige_ZeitAct, "16:39:00");
    sekundenweise_bis(s1 + 900 * 60 - 1);
    EXPECT_FALSE(a.Ruf_Aktiv);
    bis_sekunde(s1 + 900 * 60);
    EXPECT_TRUE(a.Ruf_Aktiv);
    s.QUITTIEREN();
    sekundenweise_bis(s1 + 999 * 60 - 1);
    laufe(900ms);
    EXPECT_EQ(a.Ablaufschritt, 3);
    takt();
    EXPECT_EQ(a.Ablaufschritt, 4);
}

// --- program check ---------------------------------------------------------

TEST_F(Ablauf, FehlendePhasenzahlMeldung20)
{
    simulation(20);
    start_abgelehnt({20});
}

TEST_F(Ablauf, UngueltigePhasenzahlAusDateiWieFehlende)
{
    for (const char* text : {"25", "0", "x"}) {
        SCOPED_TRACE(text);
        a.Programm.AnzPhasen = text;
        start_abgelehnt({20});
    }
}

TEST_F(Ablauf, JedeUnvollstaendigePhaseGenauEineMeldung)
{
    a.Programm.AnzPhasen = "3";
    Phase_Setzen(a.Programm, 1, Art::Aufheizen, "62", "", "10", "10");
    Phase_Setzen(a.Programm, 2, Art::Halten, "62", "30", "10", "");   // Rührpause missing
    Phase_Setzen(a.Programm, 3, Art::Halten, "72", "30", "10", "10");
    simulation(20);
    start_abgelehnt({22});
    // normalisation stays in the program
    EXPECT_EQ(a.Programm.Phase(1).Heizzeit(), "0");
    EXPECT_EQ(a.Programm.Phase(1).Rufzeit(), "0");

    // two faults, two messages; phase 4 lies above the count and is not checked
    a.Programm.Phase(1).setKein_Ruf("");
    a.Programm.Phase(3).setTemperatur("");
    start_abgelehnt({21, 22, 23});
}

// --- phase jumps and time buttons -------------------------------------------

TEST_F(Ablauf, SpruengeUndTastenVorDemLauf)
{
    a.Programm.AnzPhasen = "3";
    for (int n = 1; n <= 3; ++n)
        Phase_Setzen(a.Programm, n, Art::Halten, "62", "30", "10", "10");
    simulation(62);

    // before a phase runs, the buttons do nothing
    s.PhaseRauf();
    s.ZeitRauf();
    s.SollRauf();
    s.PAUSE_BRAUEN();
    EXPECT_FALSE(a.Pause_Aktiv);
    EXPECT_EQ(a.Programm.Phase(1).Temperatur(), "62");

    starten();
    s.PhaseRunter();   // phase 1: nothing below
    takt();
    EXPECT_EQ(a.Akt_Phase, 1);
    EXPECT_EQ(a.Ablaufschritt, 3);

    s.PhaseRauf();
    EXPECT_EQ(a.Ablaufschritt, 2);
    takt();
    EXPECT_EQ(a.Akt_Phase, 2);
    EXPECT_EQ(a.Ablaufschritt, 3);
    s.PhaseRauf();
    takt();
    EXPECT_EQ(a.Akt_Phase, 3);
    s.PhaseRauf();     // last phase: nothing above
    takt();
    EXPECT_EQ(a.Akt_Phase, 3);
    EXPECT_EQ(a.Ablaufschritt, 3);

    s.PhaseRunter();
    takt();
    EXPECT_EQ(a.Akt_Phase, 2);
    const auto ende = a.Endzeit_Phase;
    s.ZeitRauf();
    EXPECT_EQ(a.Endzeit_Phase, ende + std::chrono::seconds(300));
    s.ZeitRunter();
    s.ZeitRunter();
    EXPECT_EQ(a.Endzeit_Phase, ende - std::chrono::seconds(300));
    EXPECT_TRUE(m.erhalten.empty());
}

TEST_F(Ablauf, ZeitTastenNurInHaltephasen)
{
    ein_phasen_programm(Art::Aufheizen, "62", "", "10", "10");
    simulation(20);
    starten();
    const auto ende = a.Endzeit_Phase;
    s.ZeitRauf();
    s.ZeitRunter();
    s.ZeitRunter();
    EXPECT_EQ(a.Endzeit_Phase, ende);
}

TEST_F(Ablauf, ZeitRunterUnterNullZeigtNullRestzeitUndEndet)
{
    ein_phasen_programm(Art::Halten, "62", "5", "10", "10");
    simulation(62);
    starten();
    laufe(60s);
    s.ZeitRunter();
    s.ZeitRunter();
    takt();
    EXPECT_EQ(a.Ablaufschritt, 4);
    EXPECT_EQ(z.Anzeige_ZeitAct, "0:00:00");
}

// --- start at an entered phase ---------------------------------------------

TEST_F(Ablauf, StartAbPhaseDreiMitZwanzigMinuten)
{
    a.Programm.AnzPhasen = "4";
    for (int n = 1; n <= 4; ++n)
        Phase_Setzen(a.Programm, n, Art::Halten, "62", "45", "10", "10");
    Phase_Setzen(a.Programm, 3, Art::Halten, "62", "45", "10", "10", Ruf::Zeit, "5", "nie");
    simulation(62);
    s.switch3();
    EXPECT_EQ(z.switch3, Schalttext::Aus);
    EXPECT_EQ(s.Eingabe_Start_Phase("3"), "3");
    s.Eingabe_Start_Zeit("20");
    const long s3 = starten();
    EXPECT_EQ(a.Akt_Phase, 3);
    EXPECT_FALSE(a.Startvorgabe_Aktiv);
    // its timed call is turned into "no call" in the program
    EXPECT_TRUE(Flag_Lesen(a.Programm.Phase(3).Kein_Ruf()));
    EXPECT_FALSE(Flag_Lesen(a.Programm.Phase(3).Ruf_nach_Rufzeit()));
    EXPECT_FALSE(Flag_Lesen(a.Programm.Phase(3).Ruf_Ende_Phase()));
    bis_sekunde(s3 + 20 * 60 - 1);
    EXPECT_EQ(a.Akt_Phase, 3);
    EXPECT_TRUE(f.rufe.empty());
    bis_sekunde(s3 + 20 * 60);
    EXPECT_EQ(a.Ablaufschritt, 4);
    bis([&] { return a.Akt_Phase == 4 && a.Ablaufschritt == 3; }, 1s);
    // the next phase runs its own time
    EXPECT_EQ(a.Endzeit_Phase - a.Startzeit_Phase, std::chrono::seconds(45 * 60));
}

TEST_F(Ablauf, StartAbPhaseOhneEingabeWirdAbgelehnt)
{
    ein_phasen_programm(Art::Halten, "62", "45", "10", "10");
    s.switch3();
    start_abgelehnt({14});
}

TEST_F(Ablauf, StartphaseNachDerPruefungGeleertWirdGemeldet)
{
    a.Programm.AnzPhasen = "3";
    for (int n = 1; n <= 3; ++n)
        Phase_Setzen(a.Programm, n, Art::Halten, "62", "45", "10", "10");
    simulation(62);
    s.switch3();
    s.Eingabe_Start_Phase("3");
    s.START_BRAUEN();
    takt();
    takt();
    ASSERT_EQ(a.Ablaufschritt, 2);
    // a refused key empties the field between the check and the phase start
    a.Startphase_Text = "";
    m.erwartet = {14};
    takt();
    EXPECT_EQ(m.erhalten, std::vector<int>{14});
    EXPECT_EQ(a.Ablaufschritt, 0);
    EXPECT_FALSE(a.Brauen_Gestartet);
    EXPECT_EQ(a.Aus_Heizung, 0);
}

TEST_F(Ablauf, StartAbPhaseUeberDerPhasenzahlLaeuftUndEndet)
{
    a.Programm.AnzPhasen = "2";
    Phase_Setzen(a.Programm, 1, Art::Halten, "62", "45", "10", "10");
    Phase_Setzen(a.Programm, 2, Art::Halten, "62", "45", "10", "10");
    Phase_Setzen(a.Programm, 5, Art::Halten, "66", "45", "10", "10");
    simulation(66);
    s.switch3();
    s.Eingabe_Start_Phase("5");
    s.Eingabe_Start_Zeit("");   // empty: ends at once
    starten();
    EXPECT_EQ(a.Akt_Phase, 5);
    EXPECT_EQ(z.Anzeige_TempSoll, "66");
    takt();
    EXPECT_EQ(a.Ablaufschritt, 4);
    takt();
    EXPECT_EQ(a.Ablaufschritt, 0);
    EXPECT_EQ(z.Anzeige_Fertig, Lampe::Rot);

    // an incomplete phase above the count is refused like any other
    a.Programm.Phase(5).setRuehrimpuls("");
    start_abgelehnt({25});
}

TEST_F(Ablauf, StartphasenfeldWirdBegrenzt)
{
    EXPECT_EQ(s.Eingabe_Start_Phase("25"), "20");
    EXPECT_EQ(a.Startphase_Text, "20");
    EXPECT_EQ(s.Eingabe_Start_Phase("0"), "1");
    EXPECT_EQ(s.Eingabe_Start_Phase(""), "1");
    EXPECT_EQ(s.Eingabe_Start_Phase("20"), "20");
    EXPECT_EQ(s.Eingabe_Start_Phase("07"), "07");
    EXPECT_EQ(a.Startphase_Text, "07");
    s.Eingabe_Start_Zeit("120");
    EXPECT_EQ(a.Startzeit_Text, "120");
}

// --- pause, stop, undefined step ----------------------------------------------

TEST_F(Ablauf, PauseVerschiebtEndeUndRufzeit)
{
    ein_phasen_programm(Art::Halten, "62", "30", "10", "10", Ruf::Zeit, "15", "Ruf");
    simulation(62);
    const long s1 = starten();
    const auto ende = a.Endzeit_Phase;
    const auto ruf = a.Rufzeitpunkt;
    laufe(60s);
    s.PAUSE_BRAUEN();
    EXPECT_TRUE(a.Pause_Aktiv);
    // the pause button blinks
    std::set<bool> sichtbar;
    for (int i = 0; i < 10; ++i) {
        takt();
        sichtbar.insert(z.PAUSE_BRAUEN_Sichtbar);
    }
    EXPECT_EQ(sichtbar.size(), 2u);
    laufe(10min - 1s);
    s.START_BRAUEN();
    EXPECT_FALSE(a.Pause_Aktiv);
    takt();
    EXPECT_TRUE(z.PAUSE_BRAUEN_Sichtbar);
    const auto verschiebung = a.Endzeit_Phase - ende;
    EXPECT_GE(verschiebung, std::chrono::seconds(599));
    EXPECT_LE(verschiebung, std::chrono::seconds(601));
    EXPECT_EQ(a.Rufzeitpunkt - ruf, verschiebung);
    // the call comes later by the pause
    const long ruf_s = s1 + 15 * 60 + static_cast<long>(verschiebung.count());
    bis_sekunde(ruf_s - 1);
    laufe(900ms);
    EXPECT_FALSE(a.Ruf_Aktiv);
    takt();
    EXPECT_TRUE(a.Ruf_Aktiv);
}

TEST_F(Ablauf, PauseHaeltAufheizphaseNichtAuf)
{
    ein_phasen_programm(Art::Aufheizen, "62", "", "10", "10");
    simulation(20);
    starten();
    s.PAUSE_BRAUEN();
    laufe(30s);
    EXPECT_EQ(a.Aus_Heizung, 1);   // heating goes on while paused
    a.Sim_Temperatur = 62;
    laufe(300ms);
    EXPECT_EQ(z.Anzeige_Fertig, Lampe::Rot);
}

TEST_F(Ablauf, StopSchaltetSofortAbUndFuehrtZuSchrittNull)
{
    ein_phasen_programm(Art::Aufheizen, "62", "", "100", "10");
    simulation(20);
    s.Switch2();
    s.Man_Extra1();
    starten();
    laufe(20s);
    ASSERT_EQ(a.Aus_Heizung, 1);
    ASSERT_EQ(a.Ruehrwerk_Ein, 1);
    s.STOP_BRAUEN();
    EXPECT_EQ(a.Aus_Heizung, 0);
    EXPECT_EQ(a.Ruehrwerk_Ein, 0);
    EXPECT_EQ(a.Aus_Kuehlung, 0);
    EXPECT_EQ(a.Aus_Extra1, 1);
    takt();
    EXPECT_EQ(a.Ablaufschritt, 0);
    EXPECT_EQ(a.Akt_Phase, 0);
    EXPECT_EQ(a.Aus_Heizung, 0);
    EXPECT_EQ(a.Aus_Extra1, 1);
    EXPECT_EQ(z.Anzeige_Startzeit, "0:0:0");
    // START twice only ends a pause; a new run begins with phase 1 again
    s.START_BRAUEN();
    s.START_BRAUEN();
    bis([&] { return a.Ablaufschritt == 3; }, 1s);
    EXPECT_EQ(a.Akt_Phase, 1);
}

TEST_F(Ablauf, UndefinierterSchrittMeldetJedenTickBisStop)
{
    m.erwartet = {41};
    simulation(20);
    a.Brauen_Gestartet = true;
    a.Ablaufschritt = 7;
    laufe(1s);
    EXPECT_EQ(m.erhalten, std::vector<int>(10, 41));
    EXPECT_EQ(a.Ablaufschritt, 7);
    s.STOP_BRAUEN();
    laufe(1s);
    EXPECT_EQ(m.erhalten.size(), 10u);
    EXPECT_EQ(a.Ablaufschritt, 0);
}

// --- displays --------------------------------------------------------------------

TEST_F(Ablauf, LadenUndErsterTick)
{
    EXPECT_EQ(z.Anzeige_TempIst, "0.0");
    EXPECT_EQ(z.Anzeige_TempSoll, "0.0");
    EXPECT_EQ(z.Anzeige_TempSollAct, "0");
    EXPECT_EQ(z.Anzeige_Startzeit, "0:0:0");
    EXPECT_EQ(z.Anzeige_ZeitAct, "0:0:0");
    EXPECT_EQ(z.Option_Gradient, Schalttext::Aus);
    EXPECT_EQ(z.Option_Signal, Schalttext::Aus);
    EXPECT_FALSE(a.Konfig_Geladen);
    takt();
    EXPECT_TRUE(a.Konfig_Geladen);
    EXPECT_TRUE(a.Init_Fertig);
    EXPECT_EQ(z.Anzeige_TempIst, "0");   // first tick: simulated value
    EXPECT_EQ(z.Anzeige_ZeitAct, "14:00:00");
    EXPECT_EQ(z.Label_ZeitAct, Zeitbeschriftung::Zeit_Aktuell);
    EXPECT_TRUE(z.Keine_Phase_Aktiv);
    laufe(10s);
    EXPECT_EQ(f.konfiguration, 1);
}

TEST_F(Ablauf, ZeitanzeigenImLauf)
{
    a.Programm.AnzPhasen = "2";
    Phase_Setzen(a.Programm, 1, Art::Halten, "62", "90", "10", "10");
    Phase_Setzen(a.Programm, 2, Art::Aufheizen, "72", "", "10", "10");
    simulation(62);
    starten();
    EXPECT_EQ(z.Anzeige_Startzeit, "08.12.2026 14:00:00");
    EXPECT_EQ(z.Anzeige_Endzeit, "08.12.2026 15:30:00");
    EXPECT_TRUE(z.Anzeige_Endzeit_Sichtbar);
    laufe(61s);
    EXPECT_EQ(z.Anzeige_ZeitAct, "1:28:59");
    // the run lamp blinks
    std::set<Lampe> brauen;
    for (int i = 0; i < 10; ++i) {
        takt();
        brauen.insert(z.Anzeige_Brauen);
    }
    EXPECT_EQ(brauen, (std::set<Lampe>{Lampe::Grau, Lampe::Gruen}));
    s.PhaseRauf();
    takt();
    EXPECT_EQ(z.Label_ZeitAct, Zeitbeschriftung::Zeit_Aktuell);
    EXPECT_EQ(z.Anzeige_ZeitAct, "14:01:02");
    EXPECT_FALSE(z.Anzeige_Endzeit_Sichtbar);
}

TEST_F(Ablauf, DampfwolkenAbDreissigGrad)
{
    takt();
    a.Temperaturwert = "29.9";
    laufe(3s);
    EXPECT_FALSE(z.Anzeige_Wolke_Gross.sichtbar || z.Anzeige_Wolke_Mittel.sichtbar
                 || z.Anzeige_Wolke_Klein.sichtbar);
    a.Temperaturwert = "30.0";
    std::vector<int> folge;   // which cloud is shown, each 500 ms
    for (int i = 0; i < 8; ++i) {
        laufe(500ms);
        const int sichtbar = z.Anzeige_Wolke_Gross.sichtbar + z.Anzeige_Wolke_Mittel.sichtbar
            + z.Anzeige_Wolke_Klein.sichtbar;
        EXPECT_LE(sichtbar, 1);
        folge.push_back(z.Anzeige_Wolke_Gross.sichtbar ? 1 : z.Anzeige_Wolke_Mittel.sichtbar ? 2
                        : z.Anzeige_Wolke_Klein.sichtbar                                  ? 3
                                                                                          : 4);
    }
    // a full turn of four states every 2 s
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(folge[i], folge[i + 4]);
    EXPECT_EQ(std::set<int>(folge.begin(), folge.end()), (std::set<int>{1, 2, 3, 4}));
    EXPECT_FLOAT_EQ(z.Anzeige_Wolke_Gross.breite, 360.0f);
    EXPECT_FLOAT_EQ(z.Anzeige_Wolke_Klein.hoehe, 240.0f);
}

} // namespace
} // namespace kw::test
