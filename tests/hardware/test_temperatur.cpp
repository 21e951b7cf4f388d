// Log scan, the TempRead cycle on a fake clock, and the cycle with a real process against a fake DigiTemp.

#include "Attrappen.h"
#include "Tempordner.h"

#include "hardware/Temperaturerfassung.h"
#include "hardware/Temperaturlog.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <thread>

using namespace std::chrono_literals;
using kw::test::Fakestarter;
using kw::test::Fensterrecorder;
using kw::test::Tempordner;

namespace kw {
namespace {

const std::chrono::sys_seconds T0{std::chrono::seconds(1'700'000'000)};

TEST(Temperaturlog, SuchenAmEnde)
{
    struct Fall {
        const char* inhalt;
        const char* erwartet; // nullptr: no result
    };
    const Fall faelle[] = {
        {"20.50\n21.44\n", "21.44"},
        {"20.50\r\n21.44\r\n", "21.44"},
        {"21.44\n85.00\n", "85.00"},
        {"-1.50\n", "1.50"},             // the minus sign is a delimiter
        {"21.44.\n", "21.44."},          // a point after the last digit belongs to the run
        {"21.44", "21.44"},              // start and end of the file count as delimiters
        {"7", "7"},
        {"22.10\nFehler: kein Sensor\n", "22.10"},
        {"Sensor 0 C: 21.44 F: 70.59\n", "70.59"},
        {"1,5\n", "5"},
        {"x.5.\n", ".5."},
        {"", nullptr},
        {"\n\n", nullptr},
        {"...\n", nullptr},
        {"keine Zahl", nullptr},
    };
    for (auto& f : faelle) {
        auto r = Temperatur_Suchen(f.inhalt);
        if (f.erwartet)
            EXPECT_EQ(r, std::string(f.erwartet)) << f.inhalt;
        else
            EXPECT_FALSE(r) << f.inhalt;
    }
}

TEST(Temperaturlog, LesenLiestNurDasEnde)
{
    Tempordner d;
    EXPECT_FALSE(Temperatur_Lesen(d / "fehlt.TXT"));
    d.schreibe("leer.TXT", "");
    EXPECT_FALSE(Temperatur_Lesen(d / "leer.TXT"));
    EXPECT_FALSE(Temperatur_Lesen(d.str())) << "a folder is no log";

    std::string lang;
    for (int i = 0; i < 20000; ++i)
        lang += (i % 2 ? "20.50\n" : "19.75\n");
    lang += "23.06\n";
    d.schreibe("lang.TXT", lang);
    EXPECT_EQ(Temperatur_Lesen(d / "lang.TXT"), "23.06");

    d.schreibe("kurz.TXT", "12.5");
    EXPECT_EQ(Temperatur_Lesen(d / "kurz.TXT"), "12.5");

    // A run of digits reaching back over the first block is taken whole.
    d.schreibe("ueber.TXT", std::string(10000, 'a') + std::string(5000, '1') + "\n");
    EXPECT_EQ(Temperatur_Lesen(d / "ueber.TXT"), std::string(5000, '1'));
    d.schreibe("vonanfang.TXT", std::string(6000, '2') + "\n");
    EXPECT_EQ(Temperatur_Lesen(d / "vonanfang.TXT"), std::string(6000, '2'));

    // The scan looks back 64 KiB at most.
    d.schreibe("muell.TXT", "21.00\n" + std::string(70000, 'x'));
    EXPECT_FALSE(Temperatur_Lesen(d / "muell.TXT"));
    d.schreibe("fastmuell.TXT", "21.00\n" + std::string(60000, 'x'));
    EXPECT_EQ(Temperatur_Lesen(d / "fastmuell.TXT"), "21.00");
}

// The cycle in a fresh program folder, with its screens and alarm flag, on a clock from T0.
template <class Starter> struct Erfassung : ::testing::Test {
    Tempordner ordner;
    Starter starter;
    Fensterrecorder fenster;
    bool Sensor_Alarm = false;
    Temperaturerfassung erfassung{starter, fenster, Sensor_Alarm};
    std::chrono::sys_seconds jetzt = T0;
};

struct ZyklusTest : Erfassung<Fakestarter> {
    Konfiguration k;
    std::string naechsterWert = "21.44";

    void SetUp() override
    {
        k.NameDigitemp = "dt";
        // Reading runs append their value to the log, like the tool does.
        starter.beimStart = [this](const Fakestarter::Start& s) {
            if (s.argumente == std::vector<std::string>{"-a"} && !naechsterWert.empty())
                std::ofstream(ordner / "templog.TXT", std::ios::app) << naechsterWert << "\n";
        };
    }
    void tick() { erfassung.tick(jetzt, -1); }
    void bestaetigen()
    {
        erfassung.Hardware_Initialisieren(jetzt, ordner.str(), k);
    }
    // From the end of the start-up wait: the run is started, then read 3 s later.
    void zyklus(const std::string& wert)
    {
        naechsterWert = wert;
        tick();
        ASSERT_TRUE(erfassung.Messung_Laeuft());
        jetzt += 3s;
        tick();
        ASSERT_FALSE(erfassung.Messung_Laeuft());
    }
    void startwarteAbwarten()
    {
        bestaetigen();
        jetzt += 15s;
        erfassung.tick(jetzt - 1s, -1); // a tick just before: still waiting
        ASSERT_FALSE(erfassung.Startwartezeit_Abgelaufen());
    }
};

TEST_F(ZyklusTest, StartwarteLaufUndLesen)
{
    ordner.schreibe("templog.TXT", "99.99\n"); // an old log goes at OK
    for (int i = 0; i < 50; ++i) {
        erfassung.tick(jetzt, 0);
        jetzt += 1s;
    }
    EXPECT_TRUE(starter.starts.empty()) << "nothing runs before the first OK";

    bestaetigen();
    ASSERT_EQ(starter.starts.size(), 1u);
    EXPECT_EQ(starter.starts[0].programm, "dt");
    EXPECT_EQ(starter.starts[0].argumente,
              (std::vector<std::string>{"-a", "-s/dev/ttyS0", "-i", "-l" + ordner / "templog.TXT", "-r2000", "-o%.2C"}));
    EXPECT_EQ(starter.starts[0].verzeichnis, ordner.str()) << ".digitemprc lands in the program folder";
    EXPECT_FALSE(std::filesystem::exists(ordner.pfad / "templog.TXT"));
    EXPECT_EQ(erfassung.Faelligkeit(), T0 + 50s + 15s);

    jetzt += 14s;
    tick();
    EXPECT_EQ(fenster.verborgen, 0);
    EXPECT_EQ(starter.starts.size(), 1u);
    jetzt += 1s;
    tick();
    EXPECT_EQ(fenster.verborgen, 1);
    ASSERT_EQ(starter.starts.size(), 2u) << "the first reading run starts in the same tick";
    EXPECT_EQ(starter.starts[1].argumente, std::vector<std::string>{"-a"});
    EXPECT_TRUE(erfassung.Messung_Laeuft());

    jetzt += 2s;
    tick();
    EXPECT_EQ(erfassung.Temperaturwert(), "") << "read only after 3 s";
    jetzt += 1s;
    tick();
    EXPECT_EQ(erfassung.Temperaturwert(), "21.44");
    EXPECT_FALSE(erfassung.Messung_Laeuft());
    naechsterWert = "22.00";
    tick();
    EXPECT_EQ(starter.starts.size(), 3u) << "the next tick starts the next run";
    EXPECT_EQ(erfassung.Faelligkeit(), jetzt + 3s);

    // Reading goes on while the dialog is open again.
    jetzt += 3s;
    erfassung.tick(jetzt, 0);
    EXPECT_EQ(erfassung.Temperaturwert(), "22.00");
    EXPECT_EQ(fenster.verborgen, 1);
}

TEST_F(ZyklusTest, FehlschlaegeBehaltenDenWert)
{
    startwarteAbwarten();
    zyklus("21.44");
    EXPECT_EQ(erfassung.Temperaturwert(), "21.44");
    zyklus(""); // the run logged nothing
    EXPECT_EQ(erfassung.Temperaturwert(), "21.44");
    std::filesystem::remove(ordner.pfad / "templog.TXT");
    zyklus("");
    EXPECT_EQ(erfassung.Temperaturwert(), "21.44");
    starter.startGelingt = false; // tool missing
    zyklus("");
    EXPECT_EQ(erfassung.Temperaturwert(), "21.44");
    starter.startGelingt = true;
    zyklus("-0.50");
    EXPECT_EQ(erfassung.Temperaturwert(), "0.50");
}

TEST_F(ZyklusTest, WerkzeugDasNichtStartetWirdBeimOKGemeldet)
{
    starter.startGelingt = false;
    EXPECT_FALSE(erfassung.Hardware_Initialisieren(jetzt, ordner.str(), k));
    starter.startGelingt = true;
    EXPECT_TRUE(erfassung.Hardware_Initialisieren(jetzt, ordner.str(), k));

    // A run still going: the search starts after it, so nothing is known to have failed yet.
    starter.endetSofort = false;
    starter.killBeendet = false;
    jetzt += 15s;
    tick();
    ASSERT_TRUE(starter.laeuft);
    starter.startGelingt = false;
    EXPECT_TRUE(erfassung.Hardware_Initialisieren(jetzt, ordner.str(), k));

    // The real starter with a tool that is nowhere.
    PosixProzessstarter echt;
    Temperaturerfassung ohneWerkzeug(echt, fenster, Sensor_Alarm);
    k.NameDigitemp = "kw_digitemp_gibt_es_nicht";
    EXPECT_FALSE(ohneWerkzeug.Hardware_Initialisieren(jetzt, ordner.str(), k));
}

TEST_F(ZyklusTest, NieZweiLaeufeUndNach10SekundenBeendet)
{
    startwarteAbwarten();
    starter.endetSofort = false;
    starter.killBeendet = false;
    tick();
    auto start = jetzt;
    ASSERT_EQ(starter.starts.size(), 2u);
    for (; jetzt < start + 10s; jetzt += 1s) {
        tick();
        tick();
    }
    EXPECT_EQ(starter.starts.size(), 2u) << "no second run beside one still going";
    EXPECT_EQ(starter.kills, 0);
    EXPECT_EQ(erfassung.Temperaturwert(), "21.44") << "read at 3 s all the same";

    tick(); // 10 s
    EXPECT_EQ(starter.kills, 1);
    tick();
    EXPECT_EQ(starter.kills, 1) << "once per second";
    jetzt += 1s;
    tick();
    EXPECT_EQ(starter.kills, 2) << "then forced";
    starter.laeuft = false;
    tick();
    EXPECT_EQ(starter.starts.size(), 3u);
}

TEST_F(ZyklusTest, InitialisierungDarfLaengerSuchen)
{
    starter.endetSofort = false;
    bestaetigen();
    for (int i = 1; i < 60; ++i) {
        jetzt += 1s;
        tick();
    }
    EXPECT_EQ(starter.kills, 0);
    EXPECT_EQ(starter.starts.size(), 1u) << "no reading run beside the bus search";
    EXPECT_TRUE(erfassung.Startwartezeit_Abgelaufen());
    jetzt += 1s;
    tick();
    EXPECT_EQ(starter.kills, 1);
    tick();
    EXPECT_EQ(starter.starts.size(), 2u);
}

TEST_F(ZyklusTest, SpaeteresOKWartetAufDenLaufenden)
{
    startwarteAbwarten();
    starter.endetSofort = false;
    starter.killBeendet = false;
    tick(); // reading run under way
    ASSERT_EQ(starter.starts.size(), 2u);
    jetzt += 1s;
    bestaetigen(); // OK again while the run goes on
    EXPECT_EQ(starter.kills, 1) << "the run still going is ended first";
    EXPECT_EQ(starter.starts.size(), 2u) << "the bus search waits for it";
    EXPECT_EQ(erfassung.Faelligkeit(), jetzt + 15s);
    jetzt += 2s;
    tick(); // 3 s after the run started: the later OK delays its result
    EXPECT_EQ(erfassung.Temperaturwert(), "");
    starter.laeuft = false;
    starter.endetSofort = true;
    tick();
    ASSERT_EQ(starter.starts.size(), 3u);
    EXPECT_EQ(starter.starts[2].argumente.at(2), "-i");
    jetzt += 12s;
    tick();
    EXPECT_TRUE(erfassung.Messung_Laeuft()) << "the old run's result is due 15 s after the OK";
    jetzt += 1s;
    tick();
    EXPECT_FALSE(erfassung.Messung_Laeuft());
    EXPECT_EQ(erfassung.Temperaturwert(), "") << "the log was deleted at OK";
    tick();
    EXPECT_EQ(starter.starts.size(), 4u);
}

TEST_F(ZyklusTest, ZehnMal85GibtEineWarnung)
{
    startwarteAbwarten();
    int fuenfundachtzig = 0;
    for (int i = 0; fuenfundachtzig < 10; ++i) {
        if (i % 3 == 1) {
            zyklus("21.44");
            EXPECT_EQ(erfassung.Zaehler_85(), fuenfundachtzig) << "good readings do not reset the count";
        } else {
            zyklus("85.00");
            ++fuenfundachtzig;
            EXPECT_EQ(fenster.warnungen, fuenfundachtzig == 10 ? 1 : 0);
        }
    }
    EXPECT_EQ(fenster.warnungen, 1);
    EXPECT_TRUE(Sensor_Alarm);
    EXPECT_EQ(erfassung.Zaehler_85(), 0);

    Sensor_Alarm = false; // acknowledged on the warning screen
    zyklus("85.00");
    EXPECT_EQ(erfassung.Zaehler_85(), 1) << "the eleventh starts a new count";
    EXPECT_EQ(fenster.warnungen, 1);
    EXPECT_FALSE(Sensor_Alarm);

    // A failed attempt after 85.00 keeps 85.00, and that counts too.
    zyklus("");
    EXPECT_EQ(erfassung.Zaehler_85(), 2);
    zyklus("85.00.");
    EXPECT_EQ(erfassung.Zaehler_85(), 2) << "only the exact text counts";
}

TEST_F(ZyklusTest, StehenbleibenderWertWarnt)
{
    startwarteAbwarten();
    for (int i = 0; i < 25; ++i)
        zyklus(""); // no sensor at all: the display shows no value, nothing to warn about
    EXPECT_EQ(fenster.warnungen, 0);

    zyklus("21.44");
    for (int i = 1; i < 10; ++i) {
        zyklus(""); // the sensor stopped answering: the old value stands
        ASSERT_EQ(fenster.warnungen, 0) << i;
    }
    zyklus("");
    EXPECT_EQ(erfassung.Temperaturwert(), "21.44");
    EXPECT_EQ(fenster.warnungen, 1) << "ten cycles without a new reading";
    EXPECT_TRUE(Sensor_Alarm);

    // The same value read anew is a new reading; starting the tool is no reading.
    Sensor_Alarm = false;
    for (int i = 0; i < 9; ++i)
        zyklus("");
    zyklus("21.44");
    for (int i = 0; i < 9; ++i)
        zyklus("");
    EXPECT_EQ(fenster.warnungen, 1);
    starter.startGelingt = false;
    zyklus("");
    EXPECT_EQ(fenster.warnungen, 2);
    EXPECT_TRUE(Sensor_Alarm);
}

// ---- with a real process ----

// Stands in for digitemp_DS9097; the test steers it through the file "modus" beside it.
const char* const falscheDigitemp = R"(#!/bin/sh
hier=$(dirname "$0")
modus=$(cat "$hier/modus" 2>/dev/null)
init=0
log=
for a in "$@"; do
  case "$a" in
    -i) init=1 ;;
    -l*) log=${a#-l} ;;
  esac
done
case "$modus" in
  7) echo "Error, serial port '' does not exist!" >&2; exit 7 ;;
  4) exit 4 ;;
  1) exit 1 ;;
  haengt) exec sleep 30 ;;
esac
if [ $init = 1 ]; then
  printf 'LOG %s\n' "$log" > .digitemprc
  exit 0
fi
[ -f .digitemprc ] || exit 2
[ "$modus" = leer ] && exit 0
log=$(sed -n 's/^LOG //p' .digitemprc)
cat "$hier/wert" >> "$log"
exit 0
)";

bool warteAufEnde(Prozessstarter& p)
{
    for (int i = 0; i < 5000; ++i) {
        if (!p.isRunning())
            return true;
        std::this_thread::sleep_for(1ms);
    }
    return false;
}

struct EchterLaufTest : Erfassung<PosixProzessstarter> {
    void SetUp() override
    {
        ordner.schreibe("digitemp_fake", falscheDigitemp);
        ::chmod((ordner / "digitemp_fake").c_str(), 0755);
        ordner.schreibe("wert", "21.44\n");
        Konfiguration k;
        k.NameDigitemp = "digitemp_fake";
        k.COM_Port = "2";
        erfassung.Hardware_Initialisieren(jetzt, ordner.str(), k);
        ASSERT_TRUE(warteAufEnde(starter));
        jetzt += 15s;
    }
    void modus(const std::string& m) { ordner.schreibe("modus", m); }
    // Start a run, let the process finish, read 3 s later.
    void zyklus()
    {
        erfassung.tick(jetzt, -1);
        ASSERT_TRUE(erfassung.Messung_Laeuft());
        ASSERT_TRUE(warteAufEnde(starter));
        jetzt += 3s;
        erfassung.tick(jetzt, -1);
    }
};

TEST_F(EchterLaufTest, InitialisierungUndLesen)
{
    EXPECT_EQ(starter.letzterExitcode(), 0);
    EXPECT_EQ(ordner.lies(".digitemprc"), "LOG " + ordner / "templog.TXT" + "\n");
    zyklus();
    EXPECT_EQ(erfassung.Temperaturwert(), "21.44");
    EXPECT_EQ(fenster.verborgen, 1);
    ordner.schreibe("wert", "63.5\n");
    zyklus();
    EXPECT_EQ(erfassung.Temperaturwert(), "63.5");
    EXPECT_EQ(ordner.lies("templog.TXT"), "21.44\n63.5\n");
}

TEST_F(EchterLaufTest, FehlercodesBehaltenDenWert)
{
    zyklus();
    ASSERT_EQ(erfassung.Temperaturwert(), "21.44");
    ordner.schreibe("wert", "30.00\n");
    for (const char* m : {"7", "4", "1"}) {
        modus(m);
        zyklus();
        EXPECT_EQ(starter.letzterExitcode(), std::atoi(m));
        EXPECT_EQ(erfassung.Temperaturwert(), "21.44") << m;
    }
    modus("leer"); // exit 0, nothing logged
    zyklus();
    EXPECT_EQ(starter.letzterExitcode(), 0);
    EXPECT_EQ(erfassung.Temperaturwert(), "21.44");
    modus("");
    std::filesystem::remove(ordner.pfad / ".digitemprc");
    zyklus();
    EXPECT_EQ(starter.letzterExitcode(), 2);
    EXPECT_EQ(erfassung.Temperaturwert(), "21.44");
}

TEST_F(EchterLaufTest, HaengenderLaufWirdBeendet)
{
    modus("haengt");
    erfassung.tick(jetzt, -1);
    auto start = jetzt;
    ASSERT_TRUE(starter.isRunning());
    for (jetzt += 1s; jetzt < start + 10s; jetzt += 1s)
        erfassung.tick(jetzt, -1);
    EXPECT_TRUE(starter.isRunning()) << "left alone for 10 s";
    erfassung.tick(jetzt, -1);
    ASSERT_TRUE(warteAufEnde(starter)) << "ended after 10 s";
    EXPECT_FALSE(starter.letzterExitcode()) << "by a signal";
    modus("");
    zyklus();
    EXPECT_EQ(erfassung.Temperaturwert(), "21.44");
}

TEST(Prozessstarter, StartFehlerUndEinLaufZurZeit)
{
    Tempordner d;
    PosixProzessstarter p;
    EXPECT_FALSE(p.start("/gibt/es/nicht", {}, d.str()));
    EXPECT_FALSE(p.start("kw_gibt_es_auf_keinem_pfad", {}, d.str()));
    EXPECT_FALSE(p.start("sh", {"-c", "exit 0"}, d / "fehlt")) << "a missing working folder";
    EXPECT_FALSE(p.isRunning());

    ASSERT_TRUE(p.start("sh", {"-c", "pwd > wo"}, d.str()));
    ASSERT_TRUE(warteAufEnde(p));
    EXPECT_EQ(d.lies("wo"), d.str() + "\n");

    ASSERT_TRUE(p.start("sleep", {"30"}, d.str()));
    EXPECT_TRUE(p.isRunning());
    EXPECT_FALSE(p.start("sh", {"-c", "exit 0"}, d.str()));
    p.kill();
    ASSERT_TRUE(warteAufEnde(p));
    EXPECT_FALSE(p.letzterExitcode());
    ASSERT_TRUE(p.start("sh", {"-c", "exit 3"}, d.str()));
    ASSERT_TRUE(warteAufEnde(p));
    EXPECT_EQ(p.letzterExitcode(), 3);
}

} // namespace
} // namespace kw
