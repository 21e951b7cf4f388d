// The ppdev and iowarrior drivers, run against a made-up machine through the system-call table.

#include "Attrappen.h"

#include "hardware/IOWarrior.h"
#include "hardware/Linuxgeraete.h"
#include "hardware/Parallelport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>

using kw::test::Fakesystem;
using kw::test::Meldungsrecorder;
using Liste = std::vector<std::string>;
using Bytes = std::vector<std::uint8_t>;

namespace kw {
namespace {

// Two ports: parport0 at 0x378, parport1 at 0x278 (proc lists them in no order, with "default" beside).
void zweiPorts(Fakesystem& sys)
{
    sys.verzeichnisse["/proc/sys/dev/parport"] = {"parport1", "default", "parport0"};
    sys.dateien["/proc/sys/dev/parport/parport0/base-addr"] = "888\t1912\n";
    sys.dateien["/proc/sys/dev/parport/parport1/base-addr"] = "632\t1656\n";
    sys.dateien["/proc/sys/dev/parport/default/spintime"] = "500\n";
    sys.dateien["/dev/parport0"] = "";
    sys.dateien["/dev/parport1"] = "";
}

TEST(Parallelport, AdresseUeberProcZugeordnet)
{
    Fakesystem sys;
    zweiPorts(sys);
    auto tab = sys.tabelle();
    EXPECT_EQ(Parallelport_Suchen(0x378, tab), "/dev/parport0");
    EXPECT_EQ(Parallelport_Suchen(0x278, tab), "/dev/parport1");
    EXPECT_FALSE(Parallelport_Suchen(0x3BC, tab));
    sys.dateien["/proc/sys/dev/parport/parport1/base-addr"] = "kaputt";
    EXPECT_FALSE(Parallelport_Suchen(0x278, tab));
    Fakesystem leer; // no parport module loaded
    EXPECT_FALSE(Parallelport_Suchen(0x378, leer.tabelle()));

    // Two ports claiming one address: the lower number wins, counted as numbers, not as text.
    sys.verzeichnisse["/proc/sys/dev/parport"] = {"parport10", "parport2", "parportx", "parport"};
    sys.dateien["/proc/sys/dev/parport/parport10/base-addr"] = "888\n";
    sys.dateien["/proc/sys/dev/parport/parport2/base-addr"] = "888\n";
    sys.dateien["/proc/sys/dev/parport/parportx/base-addr"] = "888\n";
    EXPECT_EQ(Parallelport_Suchen(0x378, tab), "/dev/parport2");
}

TEST(Parallelport, BeanspruchenVorDatenUndNullVorDemSchliessen)
{
    Fakesystem sys;
    zweiPorts(sys);
    Meldungsrecorder m;
    {
        Parallelport lpt(0x278, sys.tabelle(), m);
        lpt.schreibe(0x81); // not open yet: nothing
        ASSERT_TRUE(lpt.oeffnen());
        EXPECT_EQ(lpt.geraet(), "/dev/parport1");
        lpt.schreibe(0x81);
        lpt.schreibe(0x02);
        lpt.schliessen();
        lpt.schreibe(0xFF); // closed: nothing
    }
    EXPECT_EQ(sys.arten(), (Liste{"open /dev/parport1", "PPEXCL", "PPCLAIM", "PPWDATA 129", "PPWDATA 2",
                                   "PPWDATA 0", "PPRELEASE", "close /dev/parport1"}));
    EXPECT_EQ(sys.ungeclaimteDaten, 0);
    EXPECT_TRUE(m.hinweise.empty());
    EXPECT_TRUE(sys.offen.empty());
}

TEST(Parallelport, DestruktorSchaltetAb)
{
    Fakesystem sys;
    zweiPorts(sys);
    Meldungsrecorder m;
    {
        Parallelport lpt(0x378, sys.tabelle(), m);
        lpt.oeffnen();
        lpt.schreibe(0xFF);
    }
    auto a = sys.arten();
    ASSERT_GE(a.size(), 3u);
    EXPECT_EQ((Liste{a.end() - 3, a.end()}), (Liste{"PPWDATA 0", "PPRELEASE", "close /dev/parport0"}));
}

TEST(Parallelport, FehlerWerdenGemeldetUndNichtsGeschrieben)
{
    Meldungsrecorder m;
    {
        Fakesystem sys; // no such port
        Parallelport lpt(0x3BC, sys.tabelle(), m);
        EXPECT_FALSE(lpt.oeffnen());
        lpt.schreibe(1);
        EXPECT_TRUE(sys.aufrufe.empty());
        ASSERT_EQ(m.hinweise.size(), 1u);
        EXPECT_NE(m.hinweise[0].find("3BC"), std::string::npos);
    }
    {
        Fakesystem sys;
        zweiPorts(sys);
        sys.oeffnenFehler["/dev/parport0"] = EACCES;
        Parallelport lpt(0x378, sys.tabelle(), m);
        EXPECT_FALSE(lpt.oeffnen());
        lpt.schreibe(1);
        EXPECT_EQ(sys.arten(), (Liste{"open /dev/parport0"}));
        ASSERT_EQ(m.hinweise.size(), 2u);
        EXPECT_NE(m.hinweise[1].find("lp"), std::string::npos);
    }
    {
        Fakesystem sys;
        zweiPorts(sys);
        sys.claimFehler = EBUSY;
        Parallelport lpt(0x378, sys.tabelle(), m);
        EXPECT_FALSE(lpt.oeffnen());
        lpt.schreibe(1);
        EXPECT_EQ(sys.arten(), (Liste{"open /dev/parport0", "PPEXCL", "PPCLAIM", "close /dev/parport0"}));
        EXPECT_EQ(m.hinweise.size(), 3u);
        EXPECT_EQ(sys.ungeclaimteDaten, 0);
    }
}

iowarrior_info chip(std::uint32_t produkt, std::uint32_t schnittstelle, std::uint32_t berichtsgroesse)
{
    iowarrior_info i{};
    i.vendor = 0x07c0;
    i.product = produkt;
    i.if_num = schnittstelle;
    i.report_size = berichtsgroesse;
    return i;
}

// One board: node 0 is interface 0 (the pins), node 1 its special-mode pipe.
void einBoard(Fakesystem& sys, std::uint32_t produkt)
{
    sys.verzeichnisse["/dev/usb"] = {"hiddev0", "iowarrior1", "iowarrior0"};
    sys.chips["/dev/usb/iowarrior0"] = chip(produkt, 0, 0);
    sys.chips["/dev/usb/iowarrior1"] = chip(produkt, 1, 8);
}

// A machine with one board of the given kind, and the driver that has opened it.
struct EinBoard : ::testing::Test {
    Fakesystem sys;
    Meldungsrecorder m;
    std::optional<IOWarrior> iow;

    IOWarrior& geoeffnet(std::uint32_t produkt)
    {
        einBoard(sys, produkt);
        iow.emplace(sys.tabelle(), m);
        EXPECT_TRUE(iow->oeffnen());
        return *iow;
    }
};

TEST(IOWarrior, BerichteAufDerLeitung)
{
    struct Fall {
        std::uint32_t produkt;
        std::uint8_t byte;
        Bytes draht;
    };
    const Fall faelle[] = {
        {0x1501, 129, {0x7E, 0x03}},                               // IO-Warrior 24, heating + signal
        {0x1501, 0, {0xFF, 0x03}},                                 // 24, all off
        {0x1500, 0, {0xFF, 0x03, 0xFF, 0xFF}},                     // 40, all off
        {0x1500, 0x0F, {0xF0, 0x03, 0xFF, 0xFF}},                  // 40
        {0x1503, 255, {0x00, 0x03, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}, // 56, all on
    };
    for (auto& f : faelle) {
        Fakesystem sys;
        einBoard(sys, f.produkt);
        Meldungsrecorder m;
        IOWarrior iow(sys.tabelle(), m);
        ASSERT_TRUE(iow.oeffnen());
        EXPECT_EQ(iow.geraet(), "/dev/usb/iowarrior0");
        EXPECT_EQ(iow.IOW_Geraeteanzahl(), 1);
        iow.schreibe(f.byte);
        ASSERT_EQ(sys.schreibdaten().size(), 1u) << std::hex << f.produkt;
        EXPECT_EQ(sys.schreibdaten()[0], f.draht) << std::hex << f.produkt;
        EXPECT_EQ(iow.IOW_Bericht()[0], 0) << "report ID stays in the buffer, not on the wire";
        EXPECT_EQ(sys.offen.size(), 1u) << "the special-mode node is not kept open";
        EXPECT_EQ(m.alarme, 0);
        EXPECT_TRUE(m.meldungen.empty());
    }
}

TEST(IOWarrior, ZweiBoardsDasErsteNachNummer)
{
    Fakesystem sys;
    sys.verzeichnisse["/dev/usb"] = {"iowarrior11", "iowarrior10", "iowarrior3", "iowarrior2", "iowarriorx"};
    sys.chips["/dev/usb/iowarrior2"] = chip(0x1500, 0, 4);
    sys.chips["/dev/usb/iowarrior3"] = chip(0x1500, 1, 8);
    sys.chips["/dev/usb/iowarrior10"] = chip(0x1501, 0, 2);
    sys.chips["/dev/usb/iowarrior11"] = chip(0x1501, 1, 8);
    Meldungsrecorder m;
    IOWarrior iow(sys.tabelle(), m);
    ASSERT_TRUE(iow.oeffnen());
    EXPECT_EQ(iow.geraet(), "/dev/usb/iowarrior2");
    EXPECT_EQ(iow.IOW_Geraeteanzahl(), 2);
    EXPECT_EQ(iow.IOW_Berichtsgroesse_Wert(), 5);
    EXPECT_EQ(sys.offen.size(), 1u) << "only the first board is kept";
}

TEST_F(EinBoard, ProduktWirdVorJedemSchreibenGefragt)
{
    IOWarrior& iow = geoeffnet(0x1501);
    sys.aufrufe.clear();
    iow.schreibe(1);
    iow.schreibe(2);
    EXPECT_EQ(sys.arten(), (Liste{"IOW_GETINFO", "write /dev/usb/iowarrior0", "IOW_GETINFO",
                                   "write /dev/usb/iowarrior0"}));
    // A failed query keeps the size known before.
    sys.infoFehler = true;
    iow.schreibe(0);
    EXPECT_EQ(iow.IOW_Berichtsgroesse_Wert(), 3);
    EXPECT_EQ(sys.schreibdaten().back(), (Bytes{0xFF, 0x03}));
}

TEST(IOWarrior, KeinBoardMeldung55UndNichtsGeschrieben)
{
    Fakesystem sys;
    sys.verzeichnisse["/dev/usb"] = {"hiddev0"};
    Meldungsrecorder m;
    IOWarrior iow(sys.tabelle(), m);
    iow.schreibe(1); // before opening: size unknown, nothing sent, no alarm
    EXPECT_FALSE(iow.oeffnen());
    ASSERT_EQ(m.meldungen.size(), 1u);
    EXPECT_EQ(m.meldungen[0], (std::pair<int, std::string>{55, "Error"}));
    for (int i = 0; i < 5; ++i)
        iow.schreibe(0x81);
    EXPECT_TRUE(sys.schreibdaten().empty());
    EXPECT_EQ(m.alarme, 0);
    EXPECT_FALSE(iow.alarm());
    EXPECT_EQ(iow.IOW_Berichtsgroesse_Wert(), 0);
}

TEST(IOWarrior, BelegterKnotenUndUnbekanntesProdukt)
{
    Fakesystem sys;
    einBoard(sys, 0x1501);
    sys.oeffnenFehler["/dev/usb/iowarrior0"] = EBUSY; // held by another program
    Meldungsrecorder m;
    IOWarrior iow(sys.tabelle(), m);
    EXPECT_FALSE(iow.oeffnen());
    EXPECT_EQ(m.meldungen.size(), 1u);

    Fakesystem fremd;
    einBoard(fremd, 0x1512); // a chip of another kind: size stays 0, nothing sent
    IOWarrior iow2(fremd.tabelle(), m);
    EXPECT_TRUE(iow2.oeffnen());
    iow2.schreibe(3);
    EXPECT_TRUE(fremd.schreibdaten().empty());
    EXPECT_FALSE(iow2.alarm());
}

TEST_F(EinBoard, ErneutesOeffnenSchliesstZuerst)
{
    IOWarrior& iow = geoeffnet(0x1500);
    ASSERT_TRUE(iow.oeffnen()) << "a node takes one opener: the old handle must go first";
    EXPECT_TRUE(m.meldungen.empty());
    EXPECT_EQ(sys.offen.size(), 1u);
}

TEST_F(EinBoard, KurzesSchreibenLoestAlarmAusUndSperrtBisQuittiert)
{
    IOWarrior& iow = geoeffnet(0x1500);
    iow.schreibe(1);
    EXPECT_FALSE(iow.alarm());

    sys.schreibGrenze = 2; // board pulled halfway
    iow.schreibe(3);
    EXPECT_TRUE(iow.alarm());
    EXPECT_EQ(m.alarme, 1);
    auto vorher = sys.schreibdaten().size();
    for (int i = 0; i < 10; ++i)
        iow.schreibe(0x55);
    EXPECT_EQ(sys.schreibdaten().size(), vorher) << "writes stay blocked while the alarm is pending";
    EXPECT_EQ(m.alarme, 1);

    // Acknowledged ("OK" on Alarm_USB): cleared, closed, reopened, size read again.
    sys.schreibGrenze = -1;
    sys.aufrufe.clear();
    iow.alarmLoeschen();
    iow.schliessen();
    iow.oeffnen();
    iow.schreibe(0x81);
    EXPECT_FALSE(iow.alarm());
    EXPECT_EQ(sys.schreibdaten().back(), (Bytes{0x7E, 0x03, 0xFF, 0xFF}));
    EXPECT_EQ(sys.arten().front(), "close /dev/usb/iowarrior0");
}

TEST_F(EinBoard, FehlschlagendesSchreibenNachAbziehen)
{
    IOWarrior& iow = geoeffnet(0x1501);
    sys.schreibFehler = ENODEV;
    iow.schreibe(0);
    EXPECT_TRUE(iow.alarm());
    EXPECT_EQ(m.alarme, 1);

    // Reopening while the board is still gone: Meldung 55, and the next write fails again.
    sys.chips.clear();
    sys.verzeichnisse["/dev/usb"].clear();
    iow.alarmLoeschen();
    iow.schliessen();
    EXPECT_FALSE(iow.oeffnen());
    EXPECT_EQ(m.meldungen.size(), 1u);
    iow.schreibe(0);
    EXPECT_TRUE(iow.alarm());
    EXPECT_EQ(m.alarme, 2);
}

TEST_F(EinBoard, AllesAusAuchBeiAnstehendemAlarm)
{
    IOWarrior& iow = geoeffnet(0x1501);
    sys.schreibGrenze = 0;
    iow.schreibe(0x81);
    ASSERT_TRUE(iow.alarm());
    sys.schreibGrenze = -1; // the board answers again
    iow.allesAus();
    EXPECT_EQ(sys.schreibdaten().back(), (Bytes{0xFF, 0x03}));
    EXPECT_EQ(m.alarme, 1);
}

// The whole road: settings -> Ausgabe -> real drivers -> system calls.
TEST(Linuxgeraete, AusgabeBisZurLeitung)
{
    Fakesystem sys;
    zweiPorts(sys);
    einBoard(sys, 0x1501);
    Meldungsrecorder m;
    Linuxgeraete geraete(m, sys.tabelle());
    {
        Ausgabe ausgabe(geraete, m);
        const std::chrono::sys_seconds t{std::chrono::seconds(1000)};
        Ausgangsflags f;
        f.Aus_Heizung = 1;
        f.Aus_Signal = 1;

        ausgabe.Ausgaenge_Schreiben(f, t, {1, -1, ""});
        EXPECT_EQ(sys.arten(), (Liste{"open /dev/parport0", "PPEXCL", "PPCLAIM", "PPWDATA 129"}));

        sys.aufrufe.clear();
        ausgabe.IOW_Oeffnen();
        ausgabe.Ausgaenge_Schreiben(f, t, {4, -1, ""});
        EXPECT_EQ(sys.schreibdaten(), (std::vector<Bytes>{{0x7E, 0x03}}));
        auto a = sys.arten();
        EXPECT_NE(std::find(a.begin(), a.end(), "PPWDATA 0"), a.end()) << "the card left behind goes off";

        sys.aufrufe.clear();
        ausgabe.Alles_Aus();
        EXPECT_EQ(sys.schreibdaten(), (std::vector<Bytes>{{0xFF, 0x03}}));
        a = sys.arten();
        EXPECT_NE(std::find(a.begin(), a.end(), "PPWDATA 0"), a.end());
    }
    EXPECT_TRUE(sys.offen.empty()) << "everything closed when the output goes";
    EXPECT_EQ(sys.ungeclaimteDaten, 0);
    EXPECT_TRUE(m.hinweise.empty());
}

} // namespace
} // namespace kw
