// Brewmaster calls, acknowledgement, the signal output and the two alarms.

#include "Brauplatz.h"

namespace kw::test {
namespace {

class Braumeisterruf : public Brauplatz {
protected:
    // Holding phase 1 of 10 minutes with the given call, phase 2 a plain holding phase.
    long zwei_phasen(Ruf ruf, std::string rufzeit = "")
    {
        a.Programm.AnzPhasen = "2";
        Phase_Setzen(a.Programm, 1, Art::Halten, "62", "10", "20", "40", ruf, std::move(rufzeit),
                     "Malz zugeben");
        Phase_Setzen(a.Programm, 2, Art::Halten, "72", "10", "20", "40");
        simulation(60);   // below target: the heating is on when the call comes
        return starten();
    }

    // Values of Aus_Signal over one second; checks that it follows the blink clock when pulsing.
    std::set<int> signal_ueber_eine_sekunde()
    {
        std::set<int> werte;
        for (int i = 0; i < 10; ++i) {
            takt();
            werte.insert(a.Aus_Signal);
            EXPECT_EQ(z.Anzeige_Signal, a.Aus_Signal ? Lampe::Gruen : Lampe::Grau);
            if (a.Signal_Dauer == 0 && (a.Ruf_Signal || a.Sensor_Alarm)) {
                EXPECT_EQ(a.Aus_Signal, a.Blinktakt ? 1 : 0);
            }
        }
        return werte;
    }
};

TEST_F(Braumeisterruf, RufAmEndeHaeltDenAblaufBisZurQuittung)
{
    const long s1 = zwei_phasen(Ruf::Ende);
    bis_sekunde(s1 + 599);
    laufe(900ms);
    EXPECT_FALSE(a.Ruf_Aktiv);
    EXPECT_EQ(a.Aus_Heizung, 1);
    EXPECT_EQ(a.Aus_Signal, 0);
    takt();
    EXPECT_TRUE(a.Ruf_Aktiv);
    EXPECT_TRUE(a.Ruf_Signal);
    EXPECT_EQ(a.Aus_Heizung, 0);
    EXPECT_EQ(z.Anzeige_Heizung, Lampe::Grau);
    EXPECT_TRUE(z.Keine_Phase_Aktiv);
    EXPECT_EQ(f.rufe, std::vector<std::string>{"Malz zugeben"});
    EXPECT_TRUE(f.ruf_sichtbar);
    EXPECT_EQ(signal_ueber_eine_sekunde(), (std::set<int>{0, 1}));

    // waits however long, heating and stirrer stay off
    laufe(1h);
    EXPECT_EQ(a.Ablaufschritt, 3);
    EXPECT_EQ(a.Aus_Heizung, 0);
    EXPECT_EQ(a.Ruehrwerk_Ein, 0);
    EXPECT_EQ(f.rufe.size(), 1u);

    // "SIGNAL AUS": quiet, but the call still waits and the label blinks
    s.Braumeisterruf_Signal_Aus();
    std::set<bool> label;
    for (int i = 0; i < 10; ++i) {
        takt();
        label.insert(z.Anzeige_RufQuitt_Sichtbar);
        EXPECT_EQ(a.Aus_Signal, 0);
    }
    EXPECT_EQ(label, (std::set<bool>{false, true}));
    EXPECT_EQ(a.Ablaufschritt, 3);

    s.QUITTIEREN();
    EXPECT_FALSE(f.ruf_sichtbar);
    EXPECT_FALSE(a.Ruf_Aktiv);
    takt();
    EXPECT_EQ(a.Ablaufschritt, 4);
    EXPECT_FALSE(z.Anzeige_RufQuitt_Sichtbar);
    bis([&] { return a.Akt_Phase == 2 && a.Ablaufschritt == 3; }, 1s);
    EXPECT_FALSE(a.Ruf_Ausgeloest);
}

TEST_F(Braumeisterruf, ZeitRaufWaehrendDerRufWartetRuftAmNeuenEndeWieder)
{
    const long s1 = zwei_phasen(Ruf::Ende);
    const long ende = s1 + 600;
    bis_sekunde(ende);
    ASSERT_TRUE(a.Ruf_Aktiv);
    bis_sekunde(ende + 10);
    s.ZeitRauf();
    bis_sekunde(ende + 20);
    s.QUITTIEREN();
    bis_sekunde(ende + 299);
    laufe(900ms);
    EXPECT_EQ(a.Ablaufschritt, 3);
    EXPECT_FALSE(a.Ruf_Aktiv);
    EXPECT_EQ(f.rufe.size(), 1u);
    takt();
    EXPECT_TRUE(a.Ruf_Aktiv);
    EXPECT_EQ(f.rufe.size(), 2u);
    EXPECT_EQ(a.Akt_Phase, 1);
}

TEST_F(Braumeisterruf, ZeitrufGenauZurSekunde)
{
    const long s1 = zwei_phasen(Ruf::Zeit, "5");
    bis_sekunde(s1 + 299);
    laufe(900ms);
    EXPECT_FALSE(a.Ruf_Aktiv);
    takt();
    EXPECT_TRUE(a.Ruf_Aktiv);
    s.QUITTIEREN();
    // no second call in the phase, and the phase ends on time without one
    bis_sekunde(s1 + 600);
    EXPECT_EQ(a.Ablaufschritt, 4);
    EXPECT_EQ(f.rufe.size(), 1u);
}

TEST_F(Braumeisterruf, VerpassteRufsekundeKommtBeimNaechstenTaktEinmal)
{
    const long s1 = zwei_phasen(Ruf::Zeit, "5");
    bis_sekunde(s1 + 299);
    laufe(900ms);
    ms += 1000;   // no tick during second 300
    EXPECT_TRUE(f.rufe.empty());
    takt();
    EXPECT_TRUE(a.Ruf_Aktiv);
    EXPECT_EQ(a.Aus_Heizung, 0);
    EXPECT_EQ(f.rufe, std::vector<std::string>{"Malz zugeben"});
    s.QUITTIEREN();
    laufe(2min);
    EXPECT_FALSE(a.Ruf_Aktiv);
    EXPECT_EQ(f.rufe.size(), 1u);
}

TEST_F(Braumeisterruf, DauersignalBisZumAbschalten)
{
    s.Option_Signal();
    EXPECT_EQ(a.Signal_Dauer, 1);
    EXPECT_EQ(z.Option_Signal, Schalttext::Ein);
    const long s1 = zwei_phasen(Ruf::Ende);
    bis_sekunde(s1 + 600);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(signal_ueber_eine_sekunde(), std::set<int>{1});
    s.Braumeisterruf_OK();   // quiet; the call still waits
    EXPECT_EQ(signal_ueber_eine_sekunde(), std::set<int>{0});
    EXPECT_TRUE(a.Ruf_Aktiv);
    s.Option_Signal();
    EXPECT_EQ(a.Signal_Dauer, 0);
    EXPECT_EQ(z.Option_Signal, Schalttext::Aus);
}

TEST_F(Braumeisterruf, RufUndSensoralarmZusammen)
{
    const long s1 = zwei_phasen(Ruf::Ende);
    bis_sekunde(s1 + 600);
    a.Sensor_Alarm = true;
    s.Braumeisterruf_Signal_Aus();
    EXPECT_EQ(signal_ueber_eine_sekunde(), (std::set<int>{0, 1}));
    s.WarnungDS1820_AlarmOff();
    EXPECT_EQ(signal_ueber_eine_sekunde(), std::set<int>{0});
    EXPECT_TRUE(a.Ruf_Aktiv);
}

TEST_F(Braumeisterruf, SensorwarnungLaesstDenLaufWeiterlaufen)
{
    const long s1 = zwei_phasen(Ruf::Kein);
    bis_sekunde(s1 + 60);
    a.Sensor_Alarm = true;
    EXPECT_EQ(signal_ueber_eine_sekunde(), (std::set<int>{0, 1}));
    EXPECT_EQ(a.Aus_Heizung, 1);
    bis_sekunde(s1 + 600);
    EXPECT_EQ(a.Ablaufschritt, 4);
    s.WarnungDS1820_OK();
    EXPECT_EQ(signal_ueber_eine_sekunde(), std::set<int>{0});
}

TEST_F(Braumeisterruf, UsbAlarmAlleinGibtKeinSignal)
{
    takt();
    a.USB_Alarm = true;
    EXPECT_EQ(signal_ueber_eine_sekunde(), std::set<int>{0});
    a.Sensor_Alarm = true;
    s.Alarm_USB_AlarmOff();
    EXPECT_FALSE(a.Sensor_Alarm);
    EXPECT_TRUE(a.USB_Alarm);
    a.Sensor_Alarm = true;
    s.Alarm_USB_OK();
    EXPECT_FALSE(a.Sensor_Alarm);
    EXPECT_FALSE(a.USB_Alarm);
}

TEST_F(Braumeisterruf, QuittierenOhneRufVerbirgtNur)
{
    zwei_phasen(Ruf::Kein);
    s.QUITTIEREN();
    EXPECT_EQ(f.verborgen, 1);
    takt();
    EXPECT_EQ(a.Ablaufschritt, 3);
    EXPECT_EQ(a.Akt_Phase, 1);
}

TEST_F(Braumeisterruf, PhasensprungLoestDenWartendenRuf)
{
    const long s1 = zwei_phasen(Ruf::Zeit, "1");
    bis_sekunde(s1 + 60);
    ASSERT_TRUE(a.Ruf_Aktiv);
    s.PhaseRauf();
    takt();
    EXPECT_EQ(a.Akt_Phase, 2);
    EXPECT_FALSE(a.Ruf_Aktiv);
    EXPECT_FALSE(a.Ruf_Signal);
    EXPECT_EQ(signal_ueber_eine_sekunde(), std::set<int>{0});
    // and back: phase 1 again, with its call armed anew
    const long wieder = sek();
    s.PhaseRunter();
    takt();
    EXPECT_EQ(a.Akt_Phase, 1);
    bis_sekunde(wieder + 61);
    EXPECT_TRUE(a.Ruf_Aktiv);
    EXPECT_EQ(f.rufe.size(), 2u);
}

TEST_F(Braumeisterruf, HandbetriebWaehrendDerRufWartet)
{
    const long s1 = zwei_phasen(Ruf::Ende);
    bis_sekunde(s1 + 600);
    ASSERT_TRUE(a.Ruf_Aktiv);
    s.Switch2();
    s.Man_Ruehrwerk();
    s.Man_Kuehlung();
    takt();
    EXPECT_EQ(a.Ruehrwerk_Ein, 1);
    EXPECT_EQ(a.Aus_Kuehlung, 1);
    EXPECT_EQ(z.Anzeige_Kuehlung, Lampe::Gruen);
    laufe(2s);
    EXPECT_EQ(a.Aus_Ruehrwerk, 1);
    s.ZeitRauf();   // keep the phase running after the acknowledgement
    s.QUITTIEREN();
    takt();
    // the run takes over: switches cleared, cooling off with its lamp, stirrer cycle
    EXPECT_EQ(a.Man_Ruehrwerk_Ein, 0);
    EXPECT_EQ(a.Man_Kuehlung_Ein, 0);
    EXPECT_EQ(z.Man_Ruehrwerk, Schalttext::Ein);
    EXPECT_EQ(a.Aus_Kuehlung, 0);
    EXPECT_EQ(z.Anzeige_Kuehlung, Lampe::Grau);
    EXPECT_EQ(a.Ruehrwerk_Ein, 0);   // the cycle's due time had passed: pause begins
    laufe(41s);
    EXPECT_EQ(a.Ruehrwerk_Ein, 1);
}

} // namespace
} // namespace kw::test
