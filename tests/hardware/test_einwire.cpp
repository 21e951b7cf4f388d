// The 1-Wire reader against folders laid out like the kernel's /sys/bus/w1/devices, and against a file access
// whose read blocks until the test lets it go.

#include "Tempordner.h"

#include "hardware/Einwire.h"

#include <gtest/gtest.h>

#include <atomic>
#include <poll.h>
#include <filesystem>
#include <fstream>

namespace kw {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

void schreiben(const fs::path& p, const std::string& inhalt)
{
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << inhalt;
}

// Polls every 2 ms until `bedingung` holds or `frist` is over (the reader runs on its own thread).
bool warteBis(const std::function<bool()>& bedingung, std::chrono::milliseconds frist)
{
    const auto ende = std::chrono::steady_clock::now() + frist;
    while (!bedingung()) {
        if (std::chrono::steady_clock::now() >= ende)
            return false;
        ::poll(nullptr, 0, 2);
    }
    return true;
}

std::string w1(const std::string& crc, const std::string& t)
{
    return "e4 03 4b 46 7f ff 0c 10 f6 : crc=f6 " + crc + "\ne4 03 4b 46 7f ff 0c 10 f6 t=" + t + "\n";
}

TEST(Einwire, WieDerKernSchreibt)
{
    struct Fall {
        std::string inhalt;
        bool w1_slave;
        std::optional<double> wert;
    };
    const Fall faelle[] = {
        {"63250\n", false, 63.25},
        {"-1250\n", false, std::nullopt},  // below freezing: not water in a kettle
        {"85000\n", false, std::nullopt},  // power-on value
        {"127937\n", false, std::nullopt}, // bus fault
        {"-62\n", false, std::nullopt},    // scratchpad all ff
        {"", false, std::nullopt},
        {"63x\n", false, std::nullopt},
        {w1("YES", "78125"), true, 78.125},
        {w1("NO", "78125"), true, std::nullopt},
        {w1("YES", "85000"), true, std::nullopt},
        {"e4 03 : crc=f6 YES\n", true, std::nullopt}, // cut off after the first line
        {"e4 03 : crc=f6 YES", true, std::nullopt},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(Einwire_Auswerten(f.inhalt, f.w1_slave), f.wert) << f.inhalt;
}

TEST(Einwire, OrdnerWieImKernel)
{
    test::Tempordner t;
    const fs::path o = t.pfad;
    schreiben(o / "28-0316a2794bff" / "temperature", "64500\n");
    schreiben(o / "28-0316a2794bff" / "w1_slave", w1("YES", "11111"));
    schreiben(o / "28-00000a1b2c3d" / "w1_slave", w1("YES", "52000")); // an older kernel: no temperature file
    schreiben(o / "10-000802b4f1a2" / "w1_slave", w1("NO", "52000"));
    fs::create_directories(o / "w1_bus_master1");
    fs::create_directories(o / "28-000000000000" / "temperature"); // read() fails like an I/O error
    const auto z = Einwirezugriff::echt();
    EXPECT_EQ(Einwire_Sensoren(z, o),
              (std::vector<std::string>{"10-000802b4f1a2", "28-000000000000", "28-00000a1b2c3d", "28-0316a2794bff"}));
    EXPECT_EQ(Einwire_Lesen(z, o, "28-0316a2794bff"), 64.5) << "temperature first";
    EXPECT_EQ(Einwire_Lesen(z, o, "28-00000a1b2c3d"), 52.0);
    EXPECT_EQ(Einwire_Lesen(z, o, "10-000802b4f1a2"), std::nullopt);
    EXPECT_EQ(Einwire_Lesen(z, o, "28-000000000000"), std::nullopt);
    EXPECT_EQ(Einwire_Lesen(z, o, "28-ffffffffffff"), std::nullopt) << "vanished";
    EXPECT_EQ(Einwire_Lesen(z, o, "../28-0316a2794bff"), std::nullopt);
    fs::remove_all(o / "28-0316a2794bff");
    EXPECT_EQ(Einwire_Lesen(z, o, "28-0316a2794bff"), std::nullopt);
    EXPECT_TRUE(Einwire_Sensoren(z, o / "gibt-es-nicht").empty());
}

// A file access whose reads wait until the test lets them go.
struct Schleuse {
    std::mutex m;
    std::condition_variable cv;
    bool offen = false;
    int wartend = 0;
    std::string inhalt = "63250\n";
    std::atomic<int> lesungen{0};

    Einwirezugriff zugriff()
    {
        Einwirezugriff z;
        z.lesen = [this](const std::string& pfad) -> std::optional<std::string> {
            if (pfad.find("/temperature") == std::string::npos)
                return std::nullopt;
            std::unique_lock l(m);
            ++wartend;
            cv.notify_all();
            cv.wait(l, [this] { return offen; });
            --wartend;
            ++lesungen;
            return inhalt;
        };
        z.verzeichnis = [](const std::string&) { return std::vector<std::string>{"28-0316a2794bff"}; };
        return z;
    }
    void warteAufLeser()
    {
        std::unique_lock l(m);
        ASSERT_TRUE(cv.wait_for(l, 5s, [this] { return wartend > 0; }));
    }
    void oeffnen()
    {
        {
            std::lock_guard l(m);
            offen = true;
        }
        cv.notify_all();
    }
};

TEST(Einwirelesung, LangsamesLesenHaeltDenTaktNichtAuf)
{
    Schleuse s;
    Einwirelesung lesung("/w1", s.zugriff(), 5ms);
    std::chrono::sys_seconds jetzt{std::chrono::seconds(5000)};
    lesung.tick(jetzt);
    EXPECT_EQ(lesung.Messzeitpunkt(), std::nullopt) << "no sensor chosen: nothing read";
    lesung.sensorSetzen("28-0316a2794bff");
    s.warteAufLeser();
    // The read hangs for 3 s of the brew's clock; every tick of those returns at once, with no reading.
    const auto anfang = std::chrono::steady_clock::now();
    for (int i = 0; i < 30; ++i) {
        if (i % 10 == 0)
            jetzt += 1s;
        lesung.tick(jetzt);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - anfang, 1s) << "a tick waited for the read";
    EXPECT_EQ(lesung.Messzeitpunkt(), std::nullopt);
    EXPECT_EQ(lesung.Temperaturwert(), "");

    s.oeffnen();
    ASSERT_TRUE(warteBis([&] { return lesung.lesungen() >= 1; }, 5s));
    lesung.tick(jetzt);
    EXPECT_EQ(lesung.Temperaturwert(), "63.25");
    EXPECT_EQ(lesung.Messzeitpunkt(), jetzt);

    // A failed read leaves the reading to age ("fresh" is a read that succeeded).
    {
        std::lock_guard l(s.m);
        s.inhalt = "85000\n";
    }
    const long vorher = lesung.lesungen();
    ASSERT_TRUE(warteBis([&] { return lesung.lesungen() > vorher; }, 5s));
    lesung.tick(jetzt + 3s);
    EXPECT_EQ(lesung.Messzeitpunkt(), jetzt);
    EXPECT_EQ(lesung.Temperaturwert(), "63.25");

    // Another sensor: the old reading no longer counts.
    lesung.sensorSetzen("28-00000a1b2c3d");
    EXPECT_EQ(lesung.Messzeitpunkt(), std::nullopt);
    EXPECT_EQ(lesung.Temperaturwert(), "");
}

TEST(Einwirelesung, EndetAuchWennEinLesenNochLaeuft)
{
    Schleuse s;
    std::thread freigabe;
    {
        Einwirelesung lesung("/w1", s.zugriff());
        lesung.sensorSetzen("28-0316a2794bff");
        s.warteAufLeser();
        // The program ends while the bus hangs; the read returns later and the destructor waits for it.
        freigabe = std::thread([&] {
            ::poll(nullptr, 0, 50);
            s.oeffnen();
        });
    }
    freigabe.join();
    EXPECT_EQ(s.lesungen, 1);
}

} // namespace
} // namespace kw
