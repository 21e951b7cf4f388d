// No automatic heating without a live, plausible reading, and heating without effect:
// each limit at its boundary, the return to normal, manual heating and simulation left alone.

#include "Brauplatz.h"

#include <sstream>

namespace kw::test {
namespace {

const char* Name(Sperrgrund g)
{
    switch (g) {
    case Sperrgrund::Keiner: return "keiner";
    case Sperrgrund::Keine_Messung: return "keine";
    case Sperrgrund::Messung_Veraltet: return "veraltet";
    case Sperrgrund::Messung_Unplausibel: return "unplausibel";
    }
    return "?";
}

// Records the safety events as "<second> <event>".
class Ereignisschreiber : public Sicherheitsereignisse {
public:
    explicit Ereignisschreiber(Zeitpunkt beginn) : beginn(beginn) {}
    std::vector<std::string> liste;
    void Heizsperre_Ein(Zeitpunkt t, Sperrgrund g) override { neu(t, std::string("Sperre ") + Name(g)); }
    void Heizsperre_Aus(Zeitpunkt t) override { neu(t, "frei"); }
    void Heizung_Ohne_Wirkung(Zeitpunkt t, double von, double bis) override
    {
        std::ostringstream o;
        o << "ohne Wirkung " << von << " " << bis;
        neu(t, o.str());
    }
    void Sensorwarnung(Zeitpunkt t, Warnungsgrund g) override
    {
        neu(t, g == Warnungsgrund::Heizsperre ? "Warnung Sperre" : "Warnung Wirkung");
    }

private:
    void neu(Zeitpunkt t, const std::string& was) { liste.push_back(std::to_string((t - beginn).count()) + " " + was); }
    Zeitpunkt beginn;
};

class Sensor : public Brauplatz {
protected:
    Ereignisschreiber e{jetzt()};

    Sensor() { s.Ereignisse_Setzen(&e); }

    // A holding phase of `minuten` at `soll`, after the first tick.
    void halten(std::string soll, std::string minuten = "60")
    {
        ein_phasen_programm(Art::Halten, std::move(soll), std::move(minuten), "10", "10");
        takt();
    }
    // A single reading of `wert` now; the sensor then stays silent.
    void messung(std::string wert)
    {
        sensor_lebt = false;
        a.Temperaturwert = std::move(wert);
        a.Messzeitpunkt = jetzt();
    }
    // START with a live sensor; returns the second at which the heating output came on.
    long heizen_ab()
    {
        starten();
        bis([&] { return a.Aus_Heizung == 1; }, 20s);
        return sek();
    }
};

TEST_F(Sensor, OhneMessungSeitDerBestaetigungKeinAutomatischesHeizen)
{
    halten("62");
    sensor_lebt = false;
    laufe(30s);
    EXPECT_TRUE(z.Anzeige_TempIst_Ungueltig);
    EXPECT_EQ(a.Heizsperre, Sperrgrund::Keine_Messung);
    EXPECT_EQ(f.warnungen, 0) << "before a run needs it, a missing reading is only marked";
    EXPECT_FALSE(a.Sensor_Alarm);

    const long s1 = starten();
    EXPECT_EQ(f.warnungen, 1);
    EXPECT_TRUE(a.Sensor_Alarm);
    bis_sekunde(s1 + 60);
    EXPECT_EQ(a.Aus_Heizung, 0);
    EXPECT_FALSE(z.Anzeige_Feuer_Sichtbar);
    EXPECT_EQ(z.Anzeige_Heizung, Lampe::Gruen) << "the lamp shows the demand";
    EXPECT_EQ(f.warnungen, 1) << "once per episode";
    s.WarnungDS1820_OK();
    bis_sekunde(s1 + 120);
    EXPECT_EQ(f.warnungen, 1);
    EXPECT_EQ(a.Aus_Heizung, 0);

    // the first fresh, plausible reading: the regulation again, with its full 15 s delay
    a.Temperaturwert = "50.0";
    sensor_lebt = true;
    takt();
    const long frei = sek();
    EXPECT_FALSE(z.Anzeige_TempIst_Ungueltig);
    EXPECT_EQ(z.Anzeige_TempIst, "50");
    bis_sekunde(frei + 14);
    laufe(900ms);
    EXPECT_EQ(a.Aus_Heizung, 0);
    takt();
    EXPECT_EQ(a.Aus_Heizung, 1);
    EXPECT_TRUE(z.Anzeige_Feuer_Sichtbar);
    EXPECT_EQ(e.liste, (std::vector<std::string>{"0 Sperre keine", std::to_string(s1) + " Warnung Sperre",
                                                 std::to_string(frei) + " frei"}));
}

TEST_F(Sensor, VierzehnSekundenAlteMessungGiltFuenfzehnNicht)
{
    halten("62");
    a.Temperaturwert = "60.0";
    heizen_ab();
    messung("60.0");
    const long t = sek();
    bis_sekunde(t + 14);
    laufe(900ms);
    EXPECT_EQ(a.Aus_Heizung, 1);
    EXPECT_FALSE(z.Anzeige_TempIst_Ungueltig);
    EXPECT_EQ(f.warnungen, 0);
    takt();   // 15 s old
    EXPECT_EQ(a.Aus_Heizung, 0);
    EXPECT_FALSE(z.Anzeige_Feuer_Sichtbar);
    EXPECT_TRUE(z.Anzeige_TempIst_Ungueltig);
    EXPECT_EQ(z.Anzeige_TempIst, "60") << "the last value stays on the display";
    EXPECT_EQ(a.Heizsperre, Sperrgrund::Messung_Veraltet);
    EXPECT_EQ(f.warnungen, 1);
    EXPECT_TRUE(a.Sensor_Alarm);

    // the signal pulses with the blink clock
    std::set<int> signal;
    for (int i = 0; i < 10; ++i) {
        takt();
        signal.insert(a.Aus_Signal);
    }
    EXPECT_EQ(signal, (std::set<int>{0, 1}));
    sekundenweise_bis(t + 300);
    EXPECT_EQ(f.warnungen, 1);
    EXPECT_EQ(a.Aus_Heizung, 0);
}

TEST_F(Sensor, ZweiteEpisodeWarntErneut)
{
    halten("62");
    a.Temperaturwert = "60.0";
    heizen_ab();
    messung("60.0");
    const long t = sek();
    bis_sekunde(t + 15);
    EXPECT_EQ(f.warnungen, 1);
    messung("60.0");
    takt();
    bis_sekunde(sek() + 15);
    EXPECT_EQ(f.warnungen, 2);
    EXPECT_EQ(e.liste.size(), 5u) << ::testing::PrintToString(e.liste);
}

TEST_F(Sensor, MessungAusDerZukunftGiltNicht)
{
    // the clock was set back after the reading
    halten("62");
    a.Temperaturwert = "60.0";
    heizen_ab();
    sensor_lebt = false;
    a.Messzeitpunkt = jetzt() + 1s;
    takt();
    EXPECT_EQ(a.Heizsperre, Sperrgrund::Messung_Veraltet);
    EXPECT_EQ(a.Aus_Heizung, 0);
}

TEST_F(Sensor, PlausibelBisHundertfuenfGrad)
{
    ein_phasen_programm(Art::Halten, "110", "60", "10", "10");   // a boil: targets up to 110 are allowed
    takt();
    a.Temperaturwert = "105.0";
    heizen_ab();
    EXPECT_FALSE(z.Anzeige_TempIst_Ungueltig);
    a.Temperaturwert = "105.1";
    takt();
    EXPECT_EQ(a.Heizsperre, Sperrgrund::Messung_Unplausibel);
    EXPECT_EQ(a.Aus_Heizung, 0);
    EXPECT_TRUE(z.Anzeige_TempIst_Ungueltig);
    EXPECT_EQ(z.Anzeige_TempIst, "105.1");
    EXPECT_EQ(f.warnungen, 1);
    a.Temperaturwert = "127.94";   // a sensor error value stays the same episode
    laufe(5s);
    EXPECT_EQ(f.warnungen, 1);
    a.Temperaturwert = "105";
    takt();
    EXPECT_EQ(a.Heizsperre, Sperrgrund::Keiner);

    a.Temperaturwert = "-0.1";
    takt();
    EXPECT_EQ(a.Heizsperre, Sperrgrund::Messung_Unplausibel);
    a.Temperaturwert = "0.0";
    takt();
    EXPECT_EQ(a.Heizsperre, Sperrgrund::Keiner);
}

TEST_F(Sensor, EinschaltwertVerlaengertNichtDieMessung)
{
    halten("62");
    a.Temperaturwert = "60.0";
    heizen_ab();
    const long t = sek();
    a.Temperaturwert = "85.00";   // power-on value: no reading, the display keeps 60
    bis_sekunde(t + 14);
    laufe(900ms);
    EXPECT_EQ(a.Aus_Heizung, 1);
    takt();
    EXPECT_EQ(a.Aus_Heizung, 0);
    EXPECT_EQ(z.Anzeige_TempIst, "60");
    EXPECT_EQ(a.Heizsperre, Sperrgrund::Messung_Veraltet);
}

TEST_F(Sensor, PhasenuhrLaeuftWeiterUndPauseGeht)
{
    a.Programm.AnzPhasen = "2";
    Phase_Setzen(a.Programm, 1, Art::Halten, "62", "2", "10", "10");
    Phase_Setzen(a.Programm, 2, Art::Halten, "64", "2", "10", "10");
    takt();
    a.Temperaturwert = "60.0";
    heizen_ab();
    sensor_lebt = false;
    // phase 1 ends on time without a reading
    bis([&] { return a.Akt_Phase == 2 && a.Ablaufschritt == 3; }, 3min);
    EXPECT_EQ(a.Aus_Heizung, 0);
    s.PAUSE_BRAUEN();
    EXPECT_TRUE(a.Pause_Aktiv);
    const auto ende = a.Endzeit_Phase;
    laufe(10s);
    EXPECT_GE(a.Endzeit_Phase, ende + 9s) << "paused: the phase clock stands";
}

TEST_F(Sensor, HandheizungBleibtDesBrauers)
{
    sensor_lebt = false;
    takt();
    s.Switch2();
    s.Man_Heizung();
    sekundenweise_bis(600);
    EXPECT_EQ(a.Aus_Heizung, 1);
    EXPECT_TRUE(z.Anzeige_Feuer_Sichtbar);
    EXPECT_TRUE(z.Anzeige_TempIst_Ungueltig);
    EXPECT_EQ(f.warnungen, 0);
    EXPECT_FALSE(a.Heizung_Ohne_Wirkung) << "manual heating is not checked for effect";

    // a lost sensor warns, but manual heating stays on
    messung("40.0");
    takt();
    EXPECT_FALSE(z.Anzeige_TempIst_Ungueltig);
    sekundenweise_bis(sek() + 15);
    EXPECT_EQ(f.warnungen, 1);
    EXPECT_EQ(a.Aus_Heizung, 1);
}

TEST_F(Sensor, SimulationBleibtWieSie)
{
    sensor_lebt = false;
    halten("62", "120");
    simulation(40);
    const long s1 = starten();
    bis_sekunde(s1 + 15);
    EXPECT_EQ(a.Aus_Heizung, 1);
    sekundenweise_bis(s1 + 3600);   // an hour at a fixed slider, no reading at all
    EXPECT_EQ(a.Aus_Heizung, 1);
    EXPECT_FALSE(z.Anzeige_TempIst_Ungueltig);
    EXPECT_FALSE(a.Heizung_Ohne_Wirkung);
    EXPECT_EQ(f.warnungen, 0);
    EXPECT_FALSE(a.Sensor_Alarm);
    EXPECT_TRUE(e.liste.empty());

    // leaving simulation brings the check back at once
    s.Switch1();
    takt();
    EXPECT_EQ(a.Aus_Heizung, 0);
    EXPECT_EQ(a.Heizsperre, Sperrgrund::Keine_Messung);
    EXPECT_EQ(f.warnungen, 1);
}

TEST_F(Sensor, ZehnMinutenHeizenOhneAnstiegSchaltetAb)
{
    halten("70");
    a.Temperaturwert = "60.0";
    const long an = heizen_ab();
    sekundenweise_bis(an + 300);
    a.Temperaturwert = "60.4";
    sekundenweise_bis(an + 599);
    laufe(900ms);
    EXPECT_EQ(a.Aus_Heizung, 1);
    EXPECT_FALSE(a.Heizung_Ohne_Wirkung);
    takt();   // 10:00
    EXPECT_EQ(a.Aus_Heizung, 0);
    EXPECT_FALSE(z.Anzeige_Feuer_Sichtbar);
    EXPECT_TRUE(a.Heizung_Ohne_Wirkung);
    EXPECT_TRUE(a.Sensor_Alarm);
    EXPECT_EQ(f.warnungen, 1);
    EXPECT_FALSE(z.Anzeige_TempIst_Ungueltig) << "the reading itself is fine";
    ASSERT_EQ(e.liste.size(), 2u);
    EXPECT_EQ(e.liste[0], std::to_string(an + 600) + " ohne Wirkung 60 60.4");
    EXPECT_EQ(e.liste[1], std::to_string(an + 600) + " Warnung Wirkung");

    // off until OK; Alarm Off only silences
    s.WarnungDS1820_AlarmOff();
    EXPECT_FALSE(a.Sensor_Alarm);
    sekundenweise_bis(an + 1200);
    EXPECT_EQ(a.Aus_Heizung, 0);
    EXPECT_EQ(z.Anzeige_Heizung, Lampe::Gruen);
    s.WarnungDS1820_OK();
    takt();
    const long ok = sek();
    bis_sekunde(ok + 14);
    EXPECT_EQ(a.Aus_Heizung, 0) << "the demand starts afresh";
    bis_sekunde(ok + 15);
    EXPECT_EQ(a.Aus_Heizung, 1);
    EXPECT_EQ(f.warnungen, 1);
}

TEST_F(Sensor, HalbesKelvinInZehnMinutenGenuegt)
{
    halten("70");
    a.Temperaturwert = "60.0";
    const long an = heizen_ab();
    sekundenweise_bis(an + 299);
    a.Temperaturwert = "60.5";   // the check starts again at an + 300
    sekundenweise_bis(an + 899);
    laufe(900ms);
    EXPECT_EQ(a.Aus_Heizung, 1);
    takt();
    EXPECT_EQ(a.Aus_Heizung, 0);
    EXPECT_TRUE(a.Heizung_Ohne_Wirkung);
}

TEST_F(Sensor, KaltesMalzSenktDenBezug)
{
    halten("70");
    a.Temperaturwert = "60.0";
    const long an = heizen_ab();
    sekundenweise_bis(an + 60);
    a.Temperaturwert = "52.0";   // malt added: the temperature falls while heating
    sekundenweise_bis(an + 400);
    a.Temperaturwert = "52.5";
    sekundenweise_bis(an + 900);
    EXPECT_EQ(a.Aus_Heizung, 1);
    EXPECT_FALSE(a.Heizung_Ohne_Wirkung);

    // a sensor cooling in the air never reaches its mark again
    for (int i = 1; i <= 10; ++i) {
        a.Temperaturwert = std::to_string(52 - i) + ".0";
        sekundenweise_bis(an + 900 + 60 * i);
    }
    EXPECT_EQ(a.Aus_Heizung, 0);
    EXPECT_TRUE(a.Heizung_Ohne_Wirkung);
}

TEST_F(Sensor, NurUnunterbrochenesHeizenZaehlt)
{
    halten("70");
    a.Temperaturwert = "60.0";
    const long an = heizen_ab();
    sekundenweise_bis(an + 500);
    a.Temperaturwert = "70.0";   // demand gone for a tick
    takt();
    EXPECT_EQ(a.Aus_Heizung, 0);
    a.Temperaturwert = "60.0";
    const long neu = heizen_ab();
    sekundenweise_bis(neu + 599);
    EXPECT_EQ(a.Aus_Heizung, 1);
    EXPECT_FALSE(a.Heizung_Ohne_Wirkung);
    sekundenweise_bis(neu + 600);
    EXPECT_EQ(a.Aus_Heizung, 0);
}

TEST_F(Sensor, AbFuenfundneunzigGradKeinePruefung)
{
    ein_phasen_programm(Art::Halten, "100", "60", "10", "10");
    takt();
    a.Temperaturwert = "95.0";
    const long an = heizen_ab();
    sekundenweise_bis(an + 1800);
    EXPECT_EQ(a.Aus_Heizung, 1);
    EXPECT_FALSE(a.Heizung_Ohne_Wirkung);

    a.Temperaturwert = "94.9";
    const long unter = sek();
    sekundenweise_bis(unter + 599);
    EXPECT_EQ(a.Aus_Heizung, 1);
    sekundenweise_bis(unter + 600);
    EXPECT_EQ(a.Aus_Heizung, 0);
    EXPECT_TRUE(a.Heizung_Ohne_Wirkung);
}

// A temperature the interlock would not heat on ends no phase: the phase waits for a fresh,
// plausible reading, shows the reading as invalid meanwhile, and raises its end call only then.
TEST_F(Sensor, UnplausibleMessungBeendetKeinePhase)
{
    a.Programm.AnzPhasen = "2";
    Phase_Setzen(a.Programm, 1, Art::Aufheizen, "62", "", "10", "10", Ruf::Ende, "", "Einmaischen");
    Phase_Setzen(a.Programm, 2, Art::Kuehlen, "20", "", "10", "10");
    takt();
    a.Temperaturwert = "30.0";
    starten();
    laufe(5s);
    a.Temperaturwert = "127.94";   // a sensor error value, read fresh
    laufe(10s);
    EXPECT_EQ(a.Ablaufschritt, 3);
    EXPECT_EQ(a.Akt_Phase, 1);
    EXPECT_TRUE(f.rufe.empty()) << "no end call on an implausible reading";
    EXPECT_FALSE(a.Ruf_Aktiv);
    EXPECT_EQ(z.Anzeige_TempIst, "127.94");
    EXPECT_TRUE(z.Anzeige_TempIst_Ungueltig);
    EXPECT_EQ(a.Aus_Heizung, 0);
    a.Temperaturwert = "105.5";   // just above the plausible range
    laufe(2s);
    EXPECT_TRUE(f.rufe.empty());
    a.Temperaturwert = "62.0";    // reached, really
    laufe(300ms);
    EXPECT_EQ(f.rufe, std::vector<std::string>{"Einmaischen"});
    s.QUITTIEREN();
    bis([&] { return a.Akt_Phase == 2 && a.Ablaufschritt == 3; }, 2s);

    // cooling: a negative value (as a kernel sensor gives it) and one just below 0 °C end nothing
    a.Temperaturwert = "-0.50";
    laufe(10s);
    EXPECT_EQ(a.Akt_Phase, 2);
    EXPECT_EQ(a.Ablaufschritt, 3);
    EXPECT_TRUE(z.Anzeige_TempIst_Ungueltig);
    a.Temperaturwert = "19.9";
    laufe(500ms);
    EXPECT_FALSE(a.Brauen_Gestartet) << "the program ends on the plausible reading";
    EXPECT_EQ(z.Anzeige_Fertig, Lampe::Rot);
}

// A reading that has gone stale ends no phase, also one entered by "Start ab Phase" or by ">"
// with the old value already past its target; a fresh reading of the same value does.
TEST_F(Sensor, VeralteteMessungBeendetKeinePhase)
{
    a.Programm.AnzPhasen = "3";
    Phase_Setzen(a.Programm, 1, Art::Halten, "62", "30", "10", "10");
    Phase_Setzen(a.Programm, 2, Art::Kuehlen, "20", "", "10", "10");
    Phase_Setzen(a.Programm, 3, Art::Aufheizen, "10", "", "10", "10");
    takt();
    messung("15.0");   // the sensor's last reading, then silence
    laufe(20s);
    ASSERT_EQ(a.Heizsperre, Sperrgrund::Messung_Veraltet);
    s.switch3();
    s.Eingabe_Start_Phase("2");
    s.Eingabe_Start_Zeit("0");
    starten();
    EXPECT_EQ(a.Akt_Phase, 2);
    laufe(30s);
    EXPECT_EQ(a.Akt_Phase, 2) << "15 °C is below the target, but 35 s old";
    EXPECT_EQ(a.Ablaufschritt, 3);
    EXPECT_TRUE(z.Anzeige_TempIst_Ungueltig);
    s.PhaseRauf();
    laufe(30s);
    EXPECT_EQ(a.Akt_Phase, 3);
    EXPECT_TRUE(a.Brauen_Gestartet) << "a heating-up phase waits as well";

    // the reading as the tool brings it back: one new reading, then none for 15 s
    s.PhaseRunter();
    laufe(200ms);
    ASSERT_EQ(a.Akt_Phase, 2);
    messung("15.0");
    laufe(200ms);
    EXPECT_EQ(a.Akt_Phase, 2);
    EXPECT_EQ(a.Ablaufschritt, 4) << "ends on the fresh reading";
}

// Only the source in effect counts: leaving simulation, the slider's last value ends no phase.
TEST_F(Sensor, SchieberwertBeendetNachDerSimulationKeinePhase)
{
    ein_phasen_programm(Art::Aufheizen, "62", "", "10", "10");
    takt();
    a.Temperaturwert = "30.0";
    simulation(40);
    starten();
    a.Sim_Temperatur = 70;   // the slider pushed past the target ...
    takt();
    s.Switch1();             // ... and simulation left before the phase could end on it
    laufe(5s);
    EXPECT_TRUE(a.Brauen_Gestartet);
    EXPECT_EQ(a.Ablaufschritt, 3);
    EXPECT_EQ(z.Anzeige_TempIst, "30");

    // in simulation the slider ends a phase as before
    s.Switch1();
    laufe(500ms);
    EXPECT_FALSE(a.Brauen_Gestartet);
}

} // namespace
} // namespace kw::test
