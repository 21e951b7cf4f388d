// Log scan, the TempRead cycle on a fake clock, and the cycle with a real process against a fake DigiTemp.

#include "Attrappen.h"
#include "Tempordner.h"

#include "hardware/Temperaturerfassung.h"
#include "hardware/Temperaturlog.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>
#include <unistd.h>
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
        {"7\n", "7"},                    // the start of the file counts as a delimiter
        {"21.44", nullptr},              // a line without its line end is being written: no reading
        {"63.12\n6", "63.12"},
        {"63.12\n64.0", "63.12"},
        {"63.12\n85.00\n21", "85.00"},
        {"21.44\r", "21.44"},
        {"7", nullptr},
        {"Fehler\n21.44", nullptr},
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

    d.schreibe("kurz.TXT", "12.5\n");
    EXPECT_EQ(Temperatur_Lesen(d / "kurz.TXT"), "12.5");
    d.schreibe("halb.TXT", "12.5");
    EXPECT_FALSE(Temperatur_Lesen(d / "halb.TXT"));

    // Where the number stands: the cycle tells a new reading from an old one found again.
    d.schreibe("lage.TXT", lang + "Error: no sensor\n" + std::string(5000, '-') + "\n2");
    auto lage = Logwert_Lesen(d / "lage.TXT");
    ASSERT_TRUE(lage);
    EXPECT_EQ(lage->text, "23.06");
    EXPECT_EQ(lage->anfang, static_cast<long long>(lang.size() - 6));
    EXPECT_EQ(lage->ende, static_cast<long long>(lang.size() - 1));
    // The last line end far back: the block grows to it.
    d.schreibe("fern.TXT", "30.5\n" + std::string(20000, 'x'));
    EXPECT_EQ(Temperatur_Lesen(d / "fern.TXT"), "30.5");

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
    std::string zeilenende = "\n";

    void SetUp() override
    {
        k.NameDigitemp = "dt";
        // Reading runs append their value to the log, like the tool does.
        starter.beimStart = [this](const Fakestarter::Start& s) {
            if (s.argumente == std::vector<std::string>{"-a"} && !naechsterWert.empty())
                std::ofstream(ordner / "templog.TXT", std::ios::app) << naechsterWert << zeilenende;
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
    EXPECT_TRUE(erfassung.Messung_Laeuft()) << "the cycle waits for its run";

    tick(); // 10 s
    EXPECT_EQ(starter.kills, 1);
    tick();
    EXPECT_EQ(starter.kills, 1) << "once per second";
    jetzt += 1s;
    tick();
    EXPECT_EQ(starter.kills, 2) << "then forced";
    starter.laeuft = false;
    tick();
    EXPECT_FALSE(erfassung.Messung_Laeuft());
    EXPECT_EQ(erfassung.Temperaturwert(), "") << "an ended run gives no reading, though it logged one";
    tick();
    EXPECT_EQ(starter.starts.size(), 3u);
}

TEST_F(ZyklusTest, LangsamerLaufGibtSeinenWert)
{
    // Several sensors on a long bus: the run takes longer than the read delay and logs at its end.
    startwarteAbwarten();
    starter.endetSofort = false;
    naechsterWert = "";
    const char* const werte[] = {"21.44", "21.50", "21.62", "21.75"};
    int dauer = 4;
    for (const char* wert : werte) {
        SCOPED_TRACE(wert);
        tick();
        const auto start = jetzt;
        const auto laeufe = starter.starts.size();
        ASSERT_TRUE(starter.laeuft);
        for (jetzt += 1s; jetzt < start + std::chrono::seconds(dauer); jetzt += 1s) {
            tick();
            ASSERT_TRUE(erfassung.Messung_Laeuft()) << "the cycle waits for its run";
            ASSERT_EQ(starter.starts.size(), laeufe) << "never two runs at once";
        }
        // The run logs and ends between two ticks.
        std::ofstream(ordner / "templog.TXT", std::ios::app) << wert << "\n";
        starter.laeuft = false;
        tick();
        EXPECT_EQ(erfassung.Temperaturwert(), wert);
        EXPECT_EQ(erfassung.Messzeitpunkt(), jetzt) << "fresh when it is read";
        EXPECT_FALSE(erfassung.Messung_Laeuft());
        EXPECT_EQ(starter.starts.size(), laeufe) << "the next run starts on the next tick";
        dauer += 2;   // 4 s up to 10 s less a tick
    }
    EXPECT_EQ(starter.kills, 0);
    EXPECT_EQ(fenster.warnungen, 0);

    // A run that ends by itself before the read delay is read at 3 s, as always.
    starter.endetSofort = true;
    naechsterWert = "22.00";
    zyklus("22.00");
    EXPECT_EQ(erfassung.Temperaturwert(), "22.00");
}

TEST_F(ZyklusTest, BeendeterLaufZaehltNicht)
{
    startwarteAbwarten();
    zyklus("21.44");
    const auto gut = erfassung.Messzeitpunkt();
    ASSERT_EQ(gut, jetzt);

    // A run that logs a whole line and a cut one, then hangs: ended after 10 s, nothing of it counts.
    starter.endetSofort = false;
    zeilenende = "\n2";
    naechsterWert = "30.00";
    tick();
    const auto start = jetzt;
    for (jetzt += 1s; jetzt < start + 10s; jetzt += 1s)
        tick();
    EXPECT_EQ(erfassung.Temperaturwert(), "21.44") << "not read while it runs";
    EXPECT_EQ(starter.kills, 0);
    tick();
    EXPECT_EQ(starter.kills, 1);
    EXPECT_FALSE(starter.laeuft);
    EXPECT_FALSE(erfassung.Messung_Laeuft()) << "the cycle ends with the run";
    EXPECT_EQ(erfassung.Temperaturwert(), "21.44");
    EXPECT_EQ(erfassung.Messzeitpunkt(), gut);

    // The next run completes the cut line: spliced onto it, its number is no reading either.
    starter.endetSofort = true;
    zeilenende = "\n";
    zyklus("4.50");
    EXPECT_EQ(ordner.lies("templog.TXT"), "21.44\n30.00\n24.50\n");
    EXPECT_EQ(erfassung.Temperaturwert(), "21.44");
    EXPECT_EQ(erfassung.Messzeitpunkt(), gut);
    zyklus("22.00");
    EXPECT_EQ(erfassung.Temperaturwert(), "22.00");
    EXPECT_EQ(erfassung.Messzeitpunkt(), jetzt);
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

TEST_F(ZyklusTest, HalbGeschriebeneZeileIstKeineMessung)
{
    startwarteAbwarten();
    zyklus("63.12");
    EXPECT_EQ(erfassung.Temperaturwert(), "63.12");
    const auto erste = erfassung.Messzeitpunkt();
    EXPECT_EQ(erste, jetzt);

    zeilenende = "";
    zyklus("6"); // the tool is still writing the line
    EXPECT_EQ(ordner.lies("templog.TXT"), "63.12\n6");
    EXPECT_EQ(erfassung.Temperaturwert(), "63.12");
    EXPECT_EQ(erfassung.Messzeitpunkt(), erste) << "no new reading";

    // The next run completes the cut line: a number that only half belongs to it is no reading either.
    zeilenende = "\n";
    zyklus("4.10");
    EXPECT_EQ(erfassung.Temperaturwert(), "63.12");
    EXPECT_EQ(erfassung.Messzeitpunkt(), erste);
    zyklus("64.20");
    EXPECT_EQ(erfassung.Temperaturwert(), "64.20");
    EXPECT_EQ(erfassung.Messzeitpunkt(), jetzt);
}

TEST_F(ZyklusTest, FehlertextJedenZyklusIstKeineMessung)
{
    startwarteAbwarten();
    zyklus("21.44");
    const auto gut = erfassung.Messzeitpunkt();
    ASSERT_TRUE(gut);
    // The log grows every cycle, but only by error text.
    for (int i = 1; i < 10; ++i) {
        zyklus("Error reading sensor");
        ASSERT_EQ(fenster.warnungen, 0) << i;
    }
    EXPECT_EQ(ordner.lies("templog.TXT").size(), 6u + 9 * 21);
    zyklus("Error reading sensor");
    EXPECT_EQ(erfassung.Temperaturwert(), "21.44");
    EXPECT_EQ(erfassung.Messzeitpunkt(), gut) << "the old value is no new reading";
    EXPECT_EQ(fenster.warnungen, 1) << "ten cycles without a new reading";
    EXPECT_TRUE(Sensor_Alarm);
}

TEST_F(ZyklusTest, MesszeitpunktNurFuerGueltigeMessungenSeitDemOK)
{
    startwarteAbwarten();
    EXPECT_FALSE(erfassung.Messzeitpunkt());
    zyklus("21.44");
    EXPECT_EQ(erfassung.Messzeitpunkt(), jetzt);
    const auto gut = jetzt;
    zyklus("85.00");
    EXPECT_EQ(erfassung.Temperaturwert(), "85.00");
    EXPECT_EQ(erfassung.Messzeitpunkt(), gut) << "the power-on value is no reading";
    zyklus("21.50");
    EXPECT_EQ(erfassung.Messzeitpunkt(), jetzt);

    bestaetigen(); // OK again: readings under the old settings no longer count
    EXPECT_FALSE(erfassung.Messzeitpunkt());
    jetzt += 15s;
    zyklus("22.00");
    EXPECT_EQ(erfassung.Messzeitpunkt(), jetzt);
}

TEST_F(ZyklusTest, VeraltungswarnungAbschaltbar)
{
    // Outside simulation the controller watches the age itself and warns once per episode.
    erfassung.Veraltungswarnung_Setzen(false);
    startwarteAbwarten();
    zyklus("21.44");
    for (int i = 0; i < 30; ++i)
        zyklus("");
    EXPECT_EQ(fenster.warnungen, 0);
    for (int i = 0; i < 10; ++i)
        zyklus("85.00");
    EXPECT_EQ(fenster.warnungen, 1) << "the power-on value still warns";
    erfassung.Veraltungswarnung_Setzen(true);
    for (int i = 0; i < 10; ++i)
        zyklus("");
    EXPECT_EQ(fenster.warnungen, 2);
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
  schreibthaengt) l=$(sed -n 's/^LOG //p' .digitemprc); cat "$hier/wert" >> "$l"; exec sleep 30 ;;
  kindhaengt) sh -c 'echo $$ > kind; exec sleep 30'; exit 0 ;;
  kindzaeh) sh -c 'trap "" TERM; echo $$ > kind; exec sleep 30'; exit 0 ;;
esac
if [ $init = 1 ]; then
  printf 'LOG %s\n' "$log" > .digitemprc
  exit 0
fi
[ -f .digitemprc ] || exit 2
[ "$modus" = leer ] && exit 0
[ "$modus" = langsam ] && sleep 0.3
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

// A process that still exists and is no zombie (a killed orphan waits for init to reap it).
bool lebt(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string zeile;
    if (pid <= 0 || !std::getline(stat, zeile))
        return false;
    auto klammer = zeile.rfind(')');
    return klammer != std::string::npos && klammer + 2 < zeile.size() && zeile[klammer + 2] != 'Z';
}

// Waits (at most 5 s) for the pid that a child wrote into `datei`.
pid_t kindAbwarten(const Tempordner& d, const std::string& datei)
{
    for (int i = 0; i < 5000; ++i) {
        std::string t = d.lies(datei);
        if (!t.empty() && t.back() == '\n')
            return static_cast<pid_t>(std::stol(t));
        std::this_thread::sleep_for(1ms);
    }
    return -1;
}

// Waits (at most 5 s) until `fertig` holds.
template <class F> bool abwarten(F fertig)
{
    for (int i = 0; i < 5000; ++i) {
        if (fertig())
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
    erfassung.tick(jetzt, -1);
    EXPECT_FALSE(erfassung.Messung_Laeuft()) << "its cycle ends with it";
    modus("");
    zyklus();
    EXPECT_EQ(erfassung.Temperaturwert(), "21.44");
}

TEST_F(EchterLaufTest, LangsamerLaufZaehltAbgebrochenerNicht)
{
    // The due time comes while the tool still runs: the cycle reads once it has ended.
    modus("langsam");
    ordner.schreibe("wert", "21.44\n");
    erfassung.tick(jetzt, -1);
    ASSERT_TRUE(starter.isRunning());
    jetzt += 3s;
    erfassung.tick(jetzt, -1);
    EXPECT_TRUE(erfassung.Messung_Laeuft());
    ASSERT_TRUE(warteAufEnde(starter));
    erfassung.tick(jetzt, -1);
    EXPECT_FALSE(erfassung.Messung_Laeuft());
    EXPECT_EQ(erfassung.Temperaturwert(), "21.44");
    EXPECT_EQ(erfassung.Messzeitpunkt(), jetzt);
    const auto gut = jetzt;

    // A run that logs, then hangs, is ended after 10 s; its line does not count.
    modus("schreibthaengt");
    ordner.schreibe("wert", "30.00\n");
    jetzt += 1s;
    erfassung.tick(jetzt, -1);
    const auto start = jetzt;
    ASSERT_TRUE(abwarten([&] { return ordner.lies("templog.TXT") == "21.44\n30.00\n"; }));
    for (jetzt += 1s; jetzt < start + 10s; jetzt += 1s)
        erfassung.tick(jetzt, -1);
    EXPECT_TRUE(starter.isRunning());
    EXPECT_EQ(erfassung.Temperaturwert(), "21.44");
    modus("");
    ordner.schreibe("wert", "22.00\n");
    erfassung.tick(jetzt, -1);   // ended
    ASSERT_TRUE(warteAufEnde(starter));
    EXPECT_FALSE(starter.letzterExitcode()) << "by a signal";
    erfassung.tick(jetzt, -1);   // its cycle is over (the next run may have started already)
    EXPECT_EQ(erfassung.Temperaturwert(), "21.44");
    EXPECT_EQ(erfassung.Messzeitpunkt(), gut);
    jetzt += 1s;
    if (!erfassung.Messung_Laeuft())
        erfassung.tick(jetzt, -1);
    ASSERT_TRUE(erfassung.Messung_Laeuft());
    ASSERT_TRUE(warteAufEnde(starter));
    jetzt += 3s;
    erfassung.tick(jetzt, -1);
    EXPECT_EQ(erfassung.Temperaturwert(), "22.00");
    EXPECT_EQ(erfassung.Messzeitpunkt(), jetzt);
}

TEST_F(EchterLaufTest, FehlertextUndHalbeZeileSindKeineMessung)
{
    zyklus();
    ASSERT_EQ(erfassung.Temperaturwert(), "21.44");
    const auto gut = erfassung.Messzeitpunkt();
    ASSERT_EQ(gut, jetzt);

    ordner.schreibe("wert", "Error reading sensor\n");
    for (int i = 1; i <= 10; ++i) {
        zyklus();
        EXPECT_EQ(fenster.warnungen, i == 10 ? 1 : 0) << i;
    }
    EXPECT_EQ(erfassung.Temperaturwert(), "21.44");
    EXPECT_EQ(erfassung.Messzeitpunkt(), gut);

    ordner.schreibe("wert", "6"); // cut off in the middle of its line
    zyklus();
    ordner.schreibe("wert", "3.12\n");
    zyklus();
    EXPECT_EQ(erfassung.Temperaturwert(), "21.44") << "neither the half line nor the spliced 63.12";
    EXPECT_EQ(erfassung.Messzeitpunkt(), gut);
    ordner.schreibe("wert", "64.00\n");
    zyklus();
    EXPECT_EQ(erfassung.Temperaturwert(), "64.00");
    EXPECT_EQ(erfassung.Messzeitpunkt(), jetzt);
}

TEST_F(EchterLaufTest, WrapperMitHaengendemKindEndetGanz)
{
    // The tool's name is a script that runs the real tool as its child, and that child hangs; the second
    // time the child also ignores SIGTERM.
    for (const char* m : {"kindhaengt", "kindzaeh"}) {
        SCOPED_TRACE(m);
        modus(m);
        std::filesystem::remove(ordner.pfad / "kind");
        erfassung.tick(jetzt, -1);
        const auto start = jetzt;
        const pid_t wrapper = starter.pid();
        ASSERT_GT(wrapper, 0);
        EXPECT_EQ(::getpgid(wrapper), wrapper) << "a process group of its own";
        const pid_t kind = kindAbwarten(ordner, "kind");
        ASSERT_GT(kind, 0);
        EXPECT_EQ(::getpgid(kind), wrapper);
        for (jetzt += 1s; jetzt < start + 10s; jetzt += 1s)
            erfassung.tick(jetzt, -1);
        EXPECT_TRUE(lebt(kind)) << "left alone for 10 s";
        modus(""); // the next run, which may start in the same tick, is a good one
        erfassung.tick(jetzt, -1); // ended with its group
        EXPECT_TRUE(abwarten([&] {
            starter.isRunning();
            return !lebt(wrapper) && !lebt(kind);
        }));
        // Let a run started meanwhile finish its cycle.
        EXPECT_TRUE(warteAufEnde(starter));
        if (erfassung.Messung_Laeuft()) {
            jetzt += 3s;
            erfassung.tick(jetzt, -1);
        }
    }
    modus("");
    jetzt += 1s;
    zyklus();
    EXPECT_EQ(erfassung.Temperaturwert(), "21.44");
    EXPECT_EQ(erfassung.Messzeitpunkt(), jetzt);
}

TEST(Prozessstarter, BeimEndeBleibtKeinKind)
{
    Tempordner d;
    pid_t leiter = -1;
    pid_t kind = -1;
    {
        PosixProzessstarter p;
        ASSERT_TRUE(p.start("sh", {"-c", "sh -c 'trap \"\" TERM; echo $$ > kind; exec sleep 30'; exit 0"}, d.str()));
        leiter = p.pid();
        kind = kindAbwarten(d, "kind");
        ASSERT_GT(kind, 0);
        ASSERT_TRUE(lebt(kind));
    }
    EXPECT_FALSE(lebt(leiter)) << "reaped before the starter went";
    EXPECT_TRUE(abwarten([&] { return !lebt(kind); }));
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
