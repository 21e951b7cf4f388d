// Controller and output stage together: through a whole brew the byte on the
// relay card follows every output flag, tick by tick.

#include "Brauplatz.h"

#include <memory>

#include "hardware/Ausgangsbyte.h"

namespace kw::test {
namespace {

class Relaiskarte : public Ausgabegeraet {
public:
    std::vector<std::uint8_t>& bytes;
    bool offen = false;
    explicit Relaiskarte(std::vector<std::uint8_t>& b) : bytes(b) {}
    bool oeffnen() override { return offen = true; }
    void schreibe(std::uint8_t byte) override { bytes.push_back(byte); }
    void schliessen() override { offen = false; }
    bool istOffen() const override { return offen; }
};

class Geraete : public Geraetequelle {
public:
    std::vector<std::uint8_t> lpt_bytes;
    std::vector<std::uint8_t> usb_bytes;
    Relaiskarte usb{usb_bytes};
    std::unique_ptr<Ausgabegeraet> parallelport(std::uint16_t) override
    {
        return std::make_unique<Relaiskarte>(lpt_bytes);
    }
    Ausgabegeraet& iowarrior() override { return usb; }
};

class Stille : public Treibermeldungen {
public:
    void meldung(int nummer, const std::string&) override { ADD_FAILURE() << "driver message " << nummer; }
    void hinweis(const std::string& text) override { ADD_FAILURE() << text; }
    void zeigeAlarmUSB() override { ADD_FAILURE() << "USB alarm"; }
};

class MitAusgabe : public Brauplatz {
protected:
    Geraete geraete;
    Stille stille;
    Ausgabe ausgabe{geraete, stille};
    std::array<std::set<int>, 8> gesehen;   // values each bit took

    // The caller's part of the tick: flags to the output stage, Aus_Ruehrwerk back.
    void schreiben()
    {
        Ausgangsflags fl;
        fl.Aus_Heizung = static_cast<short>(a.Aus_Heizung);
        fl.Ruehrwerk_Ein = static_cast<short>(a.Ruehrwerk_Ein);
        fl.Aus_Kuehlung = static_cast<short>(a.Aus_Kuehlung);
        fl.Aus_Extra1 = static_cast<short>(a.Aus_Extra1);
        fl.Aus_Extra2 = static_cast<short>(a.Aus_Extra2);
        fl.Aus_Extra3 = static_cast<short>(a.Aus_Extra3);
        fl.Aus_Extra4 = static_cast<short>(a.Aus_Extra4);
        fl.Aus_Signal = static_cast<short>(a.Aus_Signal);
        Ausgabeeinstellungen e;
        e.Schnittstelle = static_cast<short>(a.Schnittstelle);
        e.Konfiguration_Bestaetigt = a.Konfiguration_Bestaetigt ? -1 : 0;
        ausgabe.Ausgaenge_Schreiben(fl, jetzt(), e);
        a.Aus_Ruehrwerk = ausgabe.Aus_Ruehrwerk();
    }

    void schritt()
    {
        ms += 100;
        if (ms % 500 == 0)
            s.Takt_1s();
        s.tick(jetzt());
        const std::size_t vorher = geraete.lpt_bytes.size();
        schreiben();
        ASSERT_EQ(geraete.lpt_bytes.size(), vorher + 1);
        const std::uint8_t b = geraete.lpt_bytes.back();
        const int flags[8] = {a.Aus_Heizung, a.Aus_Ruehrwerk, a.Aus_Kuehlung, a.Aus_Extra1,
                              a.Aus_Extra2,  a.Aus_Extra3,    a.Aus_Extra4,  a.Aus_Signal};
        for (int bit = 0; bit < 8; ++bit) {
            const int wert = (b >> bit) & 1;
            ASSERT_EQ(wert, flags[bit] ? 1 : 0) << "bit " << bit << " at second " << sek();
            gesehen[static_cast<std::size_t>(bit)].insert(wert);
        }
    }

    void weiter(std::chrono::milliseconds d)
    {
        for (auto n = d.count() / 100; n > 0; --n)
            schritt();
    }
};

TEST_F(MitAusgabe, ByteFolgtJedemFlagDurchEinenGanzenSud)
{
    a.Programm.AnzPhasen = "3";
    Phase_Setzen(a.Programm, 1, Art::Aufheizen, "62", "", "20", "40");
    Phase_Setzen(a.Programm, 2, Art::Halten, "62", "10", "20", "40", Ruf::Ende, "", "Jodprobe");
    Phase_Setzen(a.Programm, 3, Art::Kuehlen, "40", "", "0", "0");
    simulation(20);
    a.Konfiguration_Bestaetigt = true;   // OK in the settings screen
    weiter(100ms);
    EXPECT_EQ(geraete.lpt_bytes.back(), 0x00);

    // extras by hand, staggered
    s.Switch2();
    s.Man_Extra1();
    weiter(1s);
    s.Man_Extra2();
    s.Man_Extra3();
    weiter(1s);
    s.Man_Extra4();
    s.Man_Extra1();
    weiter(1s);

    s.START_BRAUEN();
    weiter(3min);                     // heating and stirrer cycle
    EXPECT_EQ(a.Aus_Heizung, 1);
    a.Sim_Temperatur = 62;
    weiter(10min + 5s);               // holding phase, then its call
    ASSERT_TRUE(a.Ruf_Aktiv);
    s.Man_Kuehlung();                 // cooling by hand while the call waits
    weiter(5s);
    s.Man_Kuehlung();
    s.QUITTIEREN();
    weiter(2s);
    ASSERT_EQ(a.Akt_Phase, 3);
    a.Sim_Temperatur = 40;
    weiter(2s);
    EXPECT_EQ(z.Anzeige_Fertig, Lampe::Rot);
    weiter(1s);

    for (int bit = 0; bit < 8; ++bit)
        EXPECT_EQ(gesehen[static_cast<std::size_t>(bit)], (std::set<int>{0, 1})) << "bit " << bit;

    // exit: flags off, the all-off byte reaches the card
    s.BEENDEN();
    schreiben();
    EXPECT_EQ(geraete.lpt_bytes.back(), 0x00);
    ausgabe.Alles_Aus();
    EXPECT_EQ(geraete.lpt_bytes.back(), 0x00);
    EXPECT_TRUE(geraete.usb_bytes.empty());
}

TEST_F(MitAusgabe, OhneBestaetigteKonfigurationBleibtDieKarteUnberuehrt)
{
    simulation(20);
    s.Switch2();
    s.Man_Heizung();
    for (int i = 0; i < 20; ++i) {
        ms += 100;
        s.tick(jetzt());
        schreiben();
    }
    EXPECT_EQ(a.Aus_Heizung, 1);
    EXPECT_TRUE(geraete.lpt_bytes.empty());
}

} // namespace
} // namespace kw::test
