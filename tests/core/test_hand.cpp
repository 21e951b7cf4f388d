// Manual mode, the stirrer cycle, extra outputs, operating-mode switches and exit.

#include "Brauplatz.h"

namespace kw::test {
namespace {

class Handbetrieb : public Brauplatz {
protected:
    long eine_phase(std::string impuls, std::string pause)
    {
        ein_phasen_programm(Art::Halten, "62", "60", std::move(impuls), std::move(pause));
        simulation(62);
        return starten();
    }

    // Stirrer request and output, second by second as [request ticks, output ticks] out of 10.
    struct Sekunde {
        int anforderung = 0;
        int ausgang = 0;
    };
    std::vector<Sekunde> protokoll(int sekunden)
    {
        bis_sekundenende();
        std::vector<Sekunde> p(static_cast<std::size_t>(sekunden));
        for (auto& sek : p)
            for (int i = 0; i < 10; ++i) {
                takt();
                sek.anforderung += a.Ruehrwerk_Ein;
                sek.ausgang += a.Aus_Ruehrwerk;
            }
        return p;
    }
};

TEST_F(Handbetrieb, SchalterUndBeschriftungen)
{
    takt();
    s.Switch2();
    EXPECT_EQ(a.Manuell, 1);
    EXPECT_EQ(z.Switch2, Schalttext::Aus);
    s.Man_Heizung();
    s.Man_Kuehlung();
    s.Man_Ruehrwerk();
    s.Man_Extra2();
    EXPECT_EQ(z.Man_Heizung, Schalttext::Aus);
    EXPECT_EQ(z.Man_Extra2, Schalttext::Aus);
    EXPECT_EQ(z.Man_Extra1, Schalttext::Ein);
    takt();
    // manual heating has no delay
    EXPECT_EQ(a.Aus_Heizung, 1);
    EXPECT_TRUE(z.Anzeige_Feuer_Sichtbar);
    EXPECT_EQ(z.Anzeige_Heizung, Lampe::Gruen);
    EXPECT_EQ(a.Aus_Kuehlung, 1);
    EXPECT_EQ(a.Ruehrwerk_Ein, 1);
    EXPECT_EQ(z.Anzeige_Ruehrwerk, Lampe::Gruen);
    EXPECT_EQ(a.Aus_Extra2, 1);
    EXPECT_EQ(z.Anzeige_Extra2, Lampe::Gruen);
    EXPECT_EQ(z.Anzeige_Extra1, Lampe::Grau);
    laufe(2s);
    EXPECT_EQ(z.Anzeige_Ruehr1, Lampe::Gruen);

    // leaving manual mode clears heating, cooling, stirrer, not the extras
    s.Switch2();
    EXPECT_EQ(z.Switch2, Schalttext::Ein);
    EXPECT_EQ(z.Man_Heizung, Schalttext::Ein);
    EXPECT_EQ(z.Man_Kuehlung, Schalttext::Ein);
    EXPECT_EQ(z.Man_Ruehrwerk, Schalttext::Ein);
    EXPECT_EQ(z.Man_Extra2, Schalttext::Aus);
    takt();
    EXPECT_EQ(a.Aus_Heizung, 0);
    EXPECT_EQ(a.Aus_Kuehlung, 0);
    EXPECT_EQ(a.Ruehrwerk_Ein, 0);
    EXPECT_EQ(a.Aus_Extra2, 1);
    EXPECT_EQ(z.Anzeige_Extra2, Lampe::Gruen);
    EXPECT_EQ(z.Anzeige_Ruehr1, Lampe::Gruen);   // the output pass after the tick drops it
    takt();
    EXPECT_EQ(z.Anzeige_Ruehr1, Lampe::Grau);

    s.Switch1();
    EXPECT_EQ(a.Simulation, 1);
    EXPECT_EQ(z.Switch1, Schalttext::Aus);
    s.Switch1();
    EXPECT_EQ(z.Switch1, Schalttext::Ein);
    s.switch3();
    s.switch3();
    EXPECT_EQ(a.Start_ab_Phase, 0);
    EXPECT_EQ(z.switch3, Schalttext::Ein);
}

TEST_F(Handbetrieb, HandheizungEndetMitDerErstenPhase)
{
    ein_phasen_programm(Art::Halten, "62", "60", "10", "10");
    simulation(70);   // above target: the regulation does not heat
    s.Switch2();
    s.Man_Heizung();
    s.START_BRAUEN();
    takt();
    EXPECT_EQ(a.Aus_Heizung, 1);   // steps 0..2 show the idle view
    bis([&] { return a.Ablaufschritt == 3; }, 1s);
    EXPECT_EQ(a.Man_Heizung_Ein, 0);
    EXPECT_EQ(z.Man_Heizung, Schalttext::Ein);
    EXPECT_EQ(a.Aus_Heizung, 0);
    EXPECT_FALSE(z.Anzeige_Feuer_Sichtbar);
}

TEST_F(Handbetrieb, RuehrzyklusDreissigZuNeunzig)
{
    eine_phase("30", "90");
    // the phase start tick switched the request on; 30 s on, 90 s off, repeating
    const auto p = protokoll(240);
    for (int t = 0; t < 240; ++t) {
        const int im_zyklus = (t + 1) % 120;   // the protocol begins one second after the start
        const bool an = im_zyklus < 30;
        EXPECT_EQ(p[t].anforderung, an ? 10 : 0) << t;
        // the output follows one second after each start of an on period
        EXPECT_EQ(p[t].ausgang, an && im_zyklus != 0 ? 10 : 0) << t;
    }
}

TEST_F(Handbetrieb, RuehrimpulsNullGibtNieEinenAusgang)
{
    eine_phase("0", "5");
    const auto p = protokoll(30);
    int impulse = 0;
    for (const auto& sek : p) {
        EXPECT_LE(sek.anforderung, 1);
        impulse += sek.anforderung;
        EXPECT_EQ(sek.ausgang, 0);
    }
    EXPECT_EQ(impulse, 6);   // a single tick every 5 s
}

TEST_F(Handbetrieb, RuehrpauseNullLaesstDenAusgangKurzFallen)
{
    eine_phase("10", "0");
    const auto p = protokoll(40);
    int aus_ticks = 0;
    int ausgang_luecken = 0;
    for (const auto& sek : p) {
        aus_ticks += 10 - sek.anforderung;
        if (sek.ausgang < 10)
            ++ausgang_luecken;
    }
    EXPECT_EQ(aus_ticks, 4);         // one tick every 10 s
    EXPECT_EQ(ausgang_luecken, 4);   // the output drops for about a second each time
}

TEST_F(Handbetrieb, RuehrwerkVonHandVorDemStartBeginntMitPause)
{
    ein_phasen_programm(Art::Halten, "62", "60", "10", "20");
    simulation(62);
    s.Switch2();
    s.Man_Ruehrwerk();
    starten();
    EXPECT_EQ(a.Ruehrwerk_Ein, 0);
    const auto p = protokoll(21);
    EXPECT_EQ(p[18].anforderung, 0);
    EXPECT_EQ(p[20].anforderung, 10);
}

TEST_F(Handbetrieb, ExtrasBleibenUeberLaufUndStop)
{
    ein_phasen_programm(Art::Halten, "62", "1", "10", "10");
    simulation(62);
    s.Switch2();
    s.Man_Extra1();
    s.Man_Extra4();
    s.Switch2();
    starten();
    EXPECT_EQ(a.Aus_Extra1, 1);
    EXPECT_EQ(a.Aus_Extra4, 1);
    laufe(2min);
    EXPECT_EQ(z.Anzeige_Fertig, Lampe::Rot);
    EXPECT_EQ(a.Aus_Extra1, 1);
    s.STOP_BRAUEN();
    takt();
    EXPECT_EQ(a.Aus_Extra4, 1);
    EXPECT_EQ(z.Anzeige_Extra4, Lampe::Gruen);
}

TEST_F(Handbetrieb, BeendenSchaltetAllesAus)
{
    ein_phasen_programm(Art::Halten, "62", "10", "10", "0", Ruf::Ende, "", "Ende");
    simulation(50);
    s.Man_Extra3();
    starten();
    laufe(11min);
    ASSERT_TRUE(a.Ruf_Aktiv);
    s.Switch2();
    s.Man_Kuehlung();
    s.Man_Heizung();
    takt();
    ASSERT_EQ(a.Aus_Heizung, 1);
    s.BEENDEN();
    EXPECT_FALSE(a.Brauen_Gestartet);
    for (int wert : {a.Aus_Heizung, a.Ruehrwerk_Ein, a.Aus_Ruehrwerk, a.Aus_Kuehlung, a.Aus_Extra1,
                     a.Aus_Extra2, a.Aus_Extra3, a.Aus_Extra4, a.Aus_Signal})
        EXPECT_EQ(wert, 0);
}

} // namespace
} // namespace kw::test
