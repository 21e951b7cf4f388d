// The GPIO and USB HID relay drivers against the stand-in kernel: request, set and release, the first state off,
// held lines, lines beyond the chip, unplugging, short transfers; and the output stage driving them.

#include "Attrappen.h"

#include "hardware/Ausgangsbyte.h"
#include "hardware/Gpio.h"
#include "hardware/Hidrelais.h"
#include "hardware/Linuxgeraete.h"
#include "hardware/Testkern.h"
#include "hardware/Waechterprotokoll.h"
#include "hardware/Zusatzeinstellungen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using kw::test::Meldungsrecorder;
using Liste = std::vector<std::string>;

namespace kw {
namespace {

bool enthaelt(const std::string& text, const std::string& teil) { return text.find(teil) != std::string::npos; }

Liste mit(const Liste& l, const std::string& vorsilbe)
{
    Liste r;
    std::copy_if(l.begin(), l.end(), std::back_inserter(r), [&](const std::string& z) { return z.rfind(vorsilbe, 0) == 0; });
    return r;
}

// A Pi 4: the header pins on gpiochip0, a second chip for the firmware lines.
struct Pi : ::testing::Test {
    Testkern kern;
    Meldungsrecorder m;
    Gpioeinstellungen e;
    void SetUp() override
    {
        kern.chipAnlegen("gpiochip0", "pinctrl-bcm2711", 58);
        kern.chipAnlegen("gpiochip1", "raspberrypi-exp-gpio", 8);
        e.chip = "pinctrl-bcm2711";
        e.leitung[0] = 17; // heating
        e.leitung[1] = 27; // stirrer
        e.leitung[7] = 22; // signal
    }
    int pegel(std::uint32_t l) const { return kern.pegel("gpiochip0", l).value_or(-1); }
};

TEST_F(Pi, LeitungenKommenAusHochUndSchaltenNachDemByte)
{
    for (bool niedrig : {true, false}) {
        Testkern k;
        k.chipAnlegen("gpiochip0", "pinctrl-bcm2711", 58);
        Gpioeinstellungen g = e;
        g.aktivNiedrig = niedrig;
        const int aus = niedrig ? 1 : 0, an = 1 - aus;
        {
            Gpio gpio(g, k.tabelle(), m);
            ASSERT_TRUE(gpio.oeffnen());
            // One request, every line an output that starts inactive: no relay pulls in, not even briefly.
            EXPECT_EQ(mit(k.protokoll, "GET_LINE"),
                      (Liste{std::string("GET_LINE gpiochip0 17,27,22 out ") + (niedrig ? "active-low" : "active-high")
                             + " 17=0 27=0 22=0"}));
            EXPECT_EQ(k.pegel("gpiochip0", 17), aus);
            EXPECT_EQ(k.pegel("gpiochip0", 22), aus);
            EXPECT_EQ(gpio.gehalteneAusgaenge(), 0x83);

            gpio.schreibe(0x81); // heating and signal
            EXPECT_EQ(k.pegel("gpiochip0", 17), an);
            EXPECT_EQ(k.pegel("gpiochip0", 27), aus);
            EXPECT_EQ(k.pegel("gpiochip0", 22), an);
            gpio.schreibe(0x7E); // everything but heating and signal; only the stirrer is wired of those
            EXPECT_EQ(k.pegel("gpiochip0", 17), aus);
            EXPECT_EQ(k.pegel("gpiochip0", 27), an);
            EXPECT_EQ(k.pegel("gpiochip0", 22), aus);
        }
        // The destructor: all off, then released.
        const auto l = k.protokoll;
        ASSERT_GE(l.size(), 2u);
        EXPECT_EQ(l[l.size() - 2], "SET gpiochip0 17=0 27=0 22=0");
        EXPECT_EQ(l.back(), "release gpiochip0 17,27,22");
        EXPECT_EQ(k.pegel("gpiochip0", 27), aus) << "the last level stays after the release, as on a Pi";
        EXPECT_EQ(k.offeneFds(), 0u);
    }
    EXPECT_TRUE(m.hinweise.empty());
}

TEST_F(Pi, ChipNachLabelNameOderPfad)
{
    // A Pi 5 kernel that numbers the RP1 chip 4.
    Testkern k;
    k.chipAnlegen("gpiochip0", "gpio-brcmstb@107d508500", 32);
    k.chipAnlegen("gpiochip4", "pinctrl-rp1", 54);
    const auto chips = Gpiochips_Auflisten(k.tabelle());
    ASSERT_EQ(chips.size(), 2u);
    EXPECT_EQ(chips[1].pfad, "/dev/gpiochip4");
    EXPECT_EQ(chips[1].leitungen, 54u);
    EXPECT_EQ(Gpiochip_Finden(chips, "pinctrl-rp1")->name, "gpiochip4");
    EXPECT_EQ(Gpiochip_Finden(chips, "gpiochip0")->label, "gpio-brcmstb@107d508500");
    EXPECT_EQ(Gpiochip_Finden(chips, "/dev/gpiochip4")->label, "pinctrl-rp1");
    EXPECT_FALSE(Gpiochip_Finden(chips, "pinctrl-bcm2711"));
    EXPECT_FALSE(Gpiochip_Finden(chips, ""));
    EXPECT_EQ(k.offeneFds(), 0u) << "listing closes every chip it opened";
}

TEST_F(Pi, BelegteLeitungWirdGenanntUndDieAnderenArbeiten)
{
    kern.fremdBelegen("gpiochip0", 17);
    Gpio gpio(e, kern.tabelle(), m);
    ASSERT_TRUE(gpio.oeffnen());
    ASSERT_EQ(m.hinweise.size(), 1u);
    EXPECT_TRUE(enthaelt(m.hinweise[0], "Heizung (Leitung 17"));
    EXPECT_TRUE(enthaelt(m.hinweise[0], "anderes Programm"));
    EXPECT_TRUE(enthaelt(m.hinweise[0], "heating (line 17"));
    EXPECT_EQ(gpio.gehalteneAusgaenge(), 0x82);
    gpio.schreibe(0x83);
    EXPECT_EQ(pegel(17), -1) << "the line held by another program is never driven";
    EXPECT_EQ(pegel(27), 0);
    EXPECT_EQ(pegel(22), 0);
    gpio.schliessen();
    EXPECT_EQ(pegel(27), 1);
    EXPECT_EQ(pegel(22), 1);
    EXPECT_EQ(kern.offeneFds(), 0u);
}

TEST_F(Pi, LeitungJenseitsDesChipsUndDoppelteLeitung)
{
    e.leitung[2] = 58; // cooling: the chip has 0..57
    e.leitung[3] = 27; // extra 1 on the stirrer's line: signal on must not start the stirrer
    Gpio gpio(e, kern.tabelle(), m);
    ASSERT_TRUE(gpio.oeffnen());
    ASSERT_EQ(m.hinweise.size(), 2u);
    EXPECT_TRUE(enthaelt(m.hinweise[0], "Kühlung (Leitung 58)"));
    EXPECT_TRUE(enthaelt(m.hinweise[0], "58 Leitungen"));
    EXPECT_TRUE(enthaelt(m.hinweise[1], "Extra 1 (Leitung 27)"));
    EXPECT_EQ(mit(kern.protokoll, "GET_LINE").size(), 1u) << "nothing invalid goes to the kernel";
    gpio.schreibe(0x08); // extra 1 alone
    EXPECT_EQ(pegel(27), 1);
    gpio.schreibe(0x02);
    EXPECT_EQ(pegel(27), 0);
}

TEST_F(Pi, EinzelanforderungWennDieGemeinsameScheitert)
{
    // The kernel refuses a request as a whole: the held line is found line by line.
    kern.fremdBelegen("gpiochip0", 22);
    Gpio gpio(e, kern.tabelle(), m);
    ASSERT_TRUE(gpio.oeffnen());
    EXPECT_EQ(mit(kern.protokoll, "GET_LINE"),
              (Liste{"GET_LINE gpiochip0 17 out active-low 17=0", "GET_LINE gpiochip0 27 out active-low 27=0"}));
    EXPECT_EQ(gpio.gehalteneAusgaenge(), 0x03);
    gpio.schreibe(0xFF);
    EXPECT_EQ(pegel(17), 0);
    EXPECT_EQ(pegel(27), 0);
    EXPECT_EQ(pegel(22), -1);
}

TEST_F(Pi, ChipFehltKeineLeitungOderAbgezogen)
{
    {
        Gpioeinstellungen g = e;
        g.chip = "pinctrl-rp1";
        Gpio gpio(g, kern.tabelle(), m);
        EXPECT_FALSE(gpio.oeffnen());
        gpio.schreibe(0xFF);
        ASSERT_EQ(m.hinweise.size(), 1u);
        EXPECT_TRUE(enthaelt(m.hinweise[0], "\"pinctrl-rp1\" nicht gefunden"));
        EXPECT_TRUE(mit(kern.protokoll, "GET_LINE").empty());
    }
    {
        Gpio gpio(Gpioeinstellungen{}, kern.tabelle(), m);
        EXPECT_FALSE(gpio.oeffnen());
        ASSERT_EQ(m.hinweise.size(), 2u);
        EXPECT_TRUE(enthaelt(m.hinweise[1], "keinem Ausgang"));
    }
    {
        Gpio gpio(e, kern.tabelle(), m);
        ASSERT_TRUE(gpio.oeffnen());
        gpio.schreibe(0x01);
        kern.abziehen("gpiochip0"); // a USB GPIO adapter pulled out: ENODEV on the line fd
        gpio.schreibe(0x00);
        gpio.schreibe(0x01);
        ASSERT_EQ(m.hinweise.size(), 3u) << "told once";
        EXPECT_TRUE(enthaelt(m.hinweise[2], "fehlgeschlagen"));
        gpio.schliessen();
        EXPECT_EQ(kern.offeneFds(), 0u);
    }
    EXPECT_EQ(kern.offeneFds(), 0u);
}

TEST_F(Pi, NotabschaltungKenntJedeLeitungsanforderung)
{
    kern.fremdBelegen("gpiochip0", 22); // two requests of one line each
    std::vector<std::pair<int, std::vector<std::uint8_t>>> eintraege;
    std::vector<int> ausgetragen;
    Systemaufrufe sys = kern.tabelle();
    sys.notausEintragen = [&](int fd, notaus::Art art, const std::uint8_t* d, std::size_t n) {
        EXPECT_EQ(art, notaus::Art::Gpio);
        eintraege.emplace_back(fd, std::vector<std::uint8_t>(d, d + n));
    };
    sys.notausAustragen = [&](int fd) { ausgetragen.push_back(fd); };
    {
        Gpio gpio(e, sys, m);
        ASSERT_TRUE(gpio.oeffnen());
        ASSERT_EQ(eintraege.size(), 2u);
        EXPECT_EQ(eintraege[0].second, (std::vector<std::uint8_t>{1, 0, 0, 0, 0, 0, 0, 0}));
        EXPECT_TRUE(ausgetragen.empty());
    }
    EXPECT_EQ(ausgetragen, (std::vector<int>{eintraege[0].first, eintraege[1].first}));
}

// --- USB HID relay boards ---

struct Hid : ::testing::Test {
    Testkern kern;
    Meldungsrecorder m;
};

TEST_F(Hid, NurUsbRelaisKartenMitIhrerKanalzahl)
{
    kern.platineAnlegen("hidraw0", "Logitech USB Receiver", 0x046d, 0xc52b);
    kern.platineAnlegen("hidraw3", "www.dcttech.com USBRelay4");
    kern.platineAnlegen("hidraw1", "obdev.at SomeGadget"); // the same shared V-USB id
    kern.platineAnlegen("hidraw2", "www.dcttech.com USBRelay2");
    const auto p = Hidrelais_Suchen(kern.tabelle());
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].pfad, "/dev/hidraw2");
    EXPECT_EQ(p[0].kanaele, 2);
    EXPECT_EQ(p[1].pfad, "/dev/hidraw3");
    EXPECT_EQ(p[1].kanaele, 4);
    EXPECT_EQ(kern.offeneFds(), 0u);
    EXPECT_EQ(Hidrelais_Kanaele("USBRelay8"), 8);
    EXPECT_EQ(Hidrelais_Kanaele("USBRelay"), 0);
    EXPECT_EQ(Hidrelais_Kanaele("USBRelay16"), 0);
}

TEST_F(Hid, StartetAusSchaltetNachDemByteUndLiestZurueck)
{
    kern.platineAnlegen("hidraw0", "www.dcttech.com USBRelay4");
    {
        Hidrelais hid(kern.tabelle(), m);
        ASSERT_TRUE(hid.oeffnen());
        EXPECT_EQ(mit(kern.protokoll, "SFEATURE"), (Liste{"SFEATURE hidraw0 fc 00"})) << "all off at once";
        kern.protokoll.clear();
        hid.schreibe(0x05); // heating, cooling
        EXPECT_EQ(kern.relais("hidraw0"), 0x05);
        EXPECT_EQ(kern.protokoll, (Liste{"GFEATURE hidraw0", "SFEATURE hidraw0 ff 01", "SFEATURE hidraw0 ff 03",
                                         "GFEATURE hidraw0"}));
        kern.protokoll.clear();
        hid.schreibe(0x05); // unchanged: read only
        EXPECT_EQ(kern.protokoll, (Liste{"GFEATURE hidraw0"}));
        kern.protokoll.clear();
        hid.schreibe(0xF2); // stirrer; the four outputs beyond the board are not there
        EXPECT_EQ(kern.relais("hidraw0"), 0x02);
        EXPECT_EQ(mit(kern.protokoll, "SFEATURE"),
                  (Liste{"SFEATURE hidraw0 fd 01", "SFEATURE hidraw0 fd 03", "SFEATURE hidraw0 ff 02"}))
            << "offs before ons";
        EXPECT_EQ(hid.zustand(), 0x02);
        EXPECT_EQ(m.alarme, 0);
    }
    EXPECT_EQ(kern.relais("hidraw0"), 0) << "closing switches all off";
    EXPECT_EQ(kern.offeneFds(), 0u);
}

TEST_F(Hid, AbziehenKurzeAntwortUndTaubesRelaisGebenDenUsbAlarm)
{
    struct Fall {
        const char* was;
        std::function<void(Testkern&)> stoerung;
    };
    const Fall faelle[] = {
        {"unplugged", [](Testkern& k) { k.abziehen("hidraw0"); }},
        {"short transfer", [](Testkern& k) { k.merkmalGrenze = 4; }},
        {"relay does not follow", [](Testkern& k) { k.platineTaub = true; }},
    };
    for (auto& f : faelle) {
        Testkern k;
        Meldungsrecorder mr;
        k.platineAnlegen("hidraw0", "www.dcttech.com USBRelay8");
        Hidrelais hid(k.tabelle(), mr);
        ASSERT_TRUE(hid.oeffnen());
        hid.schreibe(0x01);
        f.stoerung(k);
        hid.schreibe(0x03);
        EXPECT_EQ(mr.alarme, 1) << f.was;
        EXPECT_TRUE(hid.alarm()) << f.was;
        const auto n = k.protokoll.size();
        hid.schreibe(0x00);
        EXPECT_EQ(k.protokoll.size(), n) << f.was << ": blocked until acknowledged";
        EXPECT_EQ(mr.alarme, 1) << f.was;
    }
}

TEST_F(Hid, KeineKarteWirdGesagt)
{
    kern.platineAnlegen("hidraw0", "obdev.at SomeGadget");
    Hidrelais hid(kern.tabelle(), m);
    EXPECT_FALSE(hid.oeffnen());
    ASSERT_EQ(m.hinweise.size(), 1u);
    EXPECT_TRUE(enthaelt(m.hinweise[0], "16c0:05df"));
    hid.schreibe(0xFF);
    EXPECT_EQ(m.alarme, 0);
    EXPECT_TRUE(mit(kern.protokoll, "SFEATURE").empty());
}

// --- the output stage on the real Linux drivers over the stand-in kernel ---

struct Ausgabestufe : ::testing::Test {
    Testkern kern;
    Meldungsrecorder m;
    std::optional<Linuxgeraete> geraete;
    std::optional<Ausgabe> ausgabe;
    Ausgabeeinstellungen e;
    std::chrono::sys_seconds t{std::chrono::seconds(1000)};
    void SetUp() override
    {
        kern.chipAnlegen("gpiochip0", "pinctrl-bcm2711", 58);
        kern.platineAnlegen("hidraw0", "www.dcttech.com USBRelay8");
        geraete.emplace(m, kern.tabelle());
        ausgabe.emplace(*geraete, m);
        e.Schnittstelle = Schnittstelle_GPIO;
        e.Konfiguration_Bestaetigt = -1;
        e.gpio.chip = "pinctrl-bcm2711";
        e.gpio.leitung[0] = 17;
        e.gpio.leitung[2] = 23;
    }
    void schreiben(short heizung, short kuehlung)
    {
        Ausgangsflags f;
        f.Aus_Heizung = heizung;
        f.Aus_Kuehlung = kuehlung;
        ausgabe->Ausgaenge_Schreiben(f, t, e);
        t += std::chrono::seconds(1);
    }
    int pegel(std::uint32_t l) const { return kern.pegel("gpiochip0", l).value_or(-1); }
};

TEST_F(Ausgabestufe, GpioFolgtDenEinstellungenUndSchaltetBeimWechselAus)
{
    e.Konfiguration_Bestaetigt = 0;
    schreiben(1, 0);
    EXPECT_EQ(pegel(17), -1) << "nothing before the first OK";
    e.Konfiguration_Bestaetigt = -1;
    schreiben(1, 0);
    EXPECT_EQ(pegel(17), 0);
    e.Konfiguration_Bestaetigt = 0; // settings open: the confirmed lines follow the controller
    schreiben(0, 1);
    EXPECT_EQ(pegel(17), 1);
    EXPECT_EQ(pegel(23), 0);
    // New lines at the next OK: the old ones off and released before the new ones are requested.
    e.Konfiguration_Bestaetigt = -1;
    e.gpio.leitung[0] = 5;
    schreiben(1, 0);
    EXPECT_EQ(pegel(23), 1);
    EXPECT_FALSE(kern.gehalten("gpiochip0", 17));
    EXPECT_EQ(pegel(5), 0);
    // Over to the HID board: the GPIO lines go off.
    e.Schnittstelle = Schnittstelle_HID;
    ausgabe->HID_Oeffnen();
    schreiben(1, 1);
    EXPECT_EQ(pegel(5), 1);
    EXPECT_EQ(kern.relais("hidraw0"), 0x05);
    ausgabe->Alles_Aus();
    EXPECT_EQ(kern.relais("hidraw0"), 0);
}

TEST_F(Ausgabestufe, GescheiterteAnforderungErstBeimNaechstenOkWieder)
{
    kern.fremdBelegen("gpiochip0", 17);
    kern.fremdBelegen("gpiochip0", 23);
    schreiben(1, 0);
    schreiben(1, 0);
    EXPECT_EQ(m.hinweise.size(), 2u) << "each held line told once, not every tick";
    e.Konfiguration_Bestaetigt = 0;
    schreiben(1, 0);
    e.Konfiguration_Bestaetigt = -1;
    schreiben(1, 0);
    EXPECT_EQ(m.hinweise.size(), 4u);
}

TEST_F(Ausgabestufe, HidAlarmUndQuittierenOeffnetNeu)
{
    e.Schnittstelle = Schnittstelle_HID;
    ausgabe->HID_Oeffnen();
    schreiben(1, 0);
    EXPECT_EQ(kern.relais("hidraw0"), 0x01);
    kern.abziehen("hidraw0");
    schreiben(1, 0);
    EXPECT_TRUE(ausgabe->USB_Alarm());
    EXPECT_EQ(m.alarme, 1);
    // Plugged in again (the kernel gives it a node anew); "OK" reopens, the board starts all off.
    kern.platineAnlegen("hidraw0", "www.dcttech.com USBRelay8");
    kern.protokoll.clear();
    ausgabe->USB_Alarm_Quittieren(Schnittstelle_HID);
    EXPECT_FALSE(ausgabe->USB_Alarm());
    EXPECT_EQ(mit(kern.protokoll, "SFEATURE"), (Liste{"SFEATURE hidraw0 fc 00"}));
    schreiben(1, 0);
    EXPECT_EQ(kern.relais("hidraw0"), 0x01);
    ausgabe.reset();
    EXPECT_EQ(kern.relais("hidraw0"), 0);
}

// --- the settings in Kesselwerk.ini and on the way to the guard ---

TEST(Zusatzeinstellungen, ZeileDreiBleibtFuerAeltereVersionenLesbar)
{
    EXPECT_EQ(Zeile3_Fuer(6), "5");
    EXPECT_EQ(Zeile3_Fuer(7), "5");
    EXPECT_EQ(Zeile3_Fuer(4), "4");
    EXPECT_EQ(Zeile3_Fuer(0), "0");
    EXPECT_EQ(Schnittstelle_Wirksam(5, 6), 6);
    EXPECT_EQ(Schnittstelle_Wirksam(5, 7), 7);
    EXPECT_EQ(Schnittstelle_Wirksam(5, 0), 5);
    EXPECT_EQ(Schnittstelle_Wirksam(1, 6), 1) << "an earlier version chose anew";

    std::map<std::string, std::string> ini;
    Zusatzeinstellungen z;
    z.Schnittstelle = 6;
    z.gpio.chip = "pinctrl-rp1";
    z.gpio.aktivNiedrig = false;
    z.gpio.leitung[1] = 0;
    z.gpio.leitung[7] = 26;
    z.einwire = {true, "28-0316a2794bff"};
    Zusatzeinstellungen_Schreiben(z, [&](std::string_view a, std::string_view k, std::string_view w) {
        ini[std::string(a) + "/" + std::string(k)] = std::string(w);
    });
    EXPECT_EQ(ini["GPIO/Ruehrwerk"], "0");
    EXPECT_EQ(ini["GPIO/Heizung"], "");
    const auto wert = [&](std::string_view a, std::string_view k) {
        return ini[std::string(a) + "/" + std::string(k)];
    };
    std::vector<std::string> fehler;
    EXPECT_EQ(Zusatzeinstellungen_Lesen(wert, &fehler), z);
    EXPECT_TRUE(fehler.empty());

    ini["Ausgabe/Schnittstelle"] = "8";
    ini["GPIO/Aktiv"] = "vielleicht";
    ini["GPIO/Signal"] = "-3";
    ini["1-Wire/Quelle"] = "Glaskugel";
    const auto kaputt = Zusatzeinstellungen_Lesen(wert, &fehler);
    EXPECT_EQ(fehler.size(), 4u);
    EXPECT_EQ(kaputt.Schnittstelle, 0);
    EXPECT_TRUE(kaputt.gpio.aktivNiedrig) << "the default is the common relay board";
    EXPECT_FALSE(kaputt.gpio.leitung[7]);
    EXPECT_FALSE(kaputt.einwire.aktiv);
    EXPECT_EQ(Zusatzeinstellungen_Lesen([](std::string_view, std::string_view) { return std::string(); }),
              Zusatzeinstellungen{});

    // The guard gets the same settings.
    const auto n = waechter::Gpio_Nachricht(3, z.gpio);
    const auto zurueck = waechter::Nachricht::dekodieren(n.kodieren().data(), n.kodieren().size());
    ASSERT_TRUE(zurueck);
    EXPECT_EQ(waechter::Gpio_Lesen(*zurueck), z.gpio);
    waechter::Nachricht kurz = waechter::Nachricht::mit(waechter::Typ::OeffnenGpio, 3).u8(1).u16(17);
    EXPECT_FALSE(waechter::Gpio_Lesen(kurz));
}

} // namespace
} // namespace kw
