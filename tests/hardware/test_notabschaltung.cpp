// The emergency all-off: what the drivers enter, and what a dying process writes on its way out.

#include "Attrappen.h"
#include "Tempordner.h"

#include "hardware/IOWarrior.h"
#include "hardware/Notabschaltung.h"
#include "hardware/Parallelport.h"
#include "hardware/Testgeraet.h"

#include <gtest/gtest.h>

#include <linux/ppdev.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <exception>
#include <sstream>

using kw::test::Fakesystem;
using kw::test::Meldungsrecorder;
using kw::test::Tempordner;

namespace kw {
namespace {

struct Eintrag {
    int fd;
    notaus::Art art;
    std::vector<std::uint8_t> daten;
};

// A fake machine whose driver entries are recorded instead of going to the real slot.
struct Aufzeichnung {
    std::vector<Eintrag> eingetragen;
    std::vector<int> ausgetragen;
    Systemaufrufe mit(Systemaufrufe s)
    {
        s.notausEintragen = [this](int fd, notaus::Art art, const std::uint8_t* d, std::size_t n) {
            eingetragen.push_back({fd, art, std::vector<std::uint8_t>(d, d + n)});
        };
        s.notausAustragen = [this](int fd) { ausgetragen.push_back(fd); };
        return s;
    }
};

iowarrior_info chip(std::uint32_t produkt, std::uint32_t schnittstelle)
{
    iowarrior_info i{};
    i.vendor = 0x07c0;
    i.product = produkt;
    i.if_num = schnittstelle;
    return i;
}

TEST(Notabschaltung, TreiberTragenIhrGeraetMitDemRichtigenAusEin)
{
    {
        Fakesystem sys;
        sys.verzeichnisse["/proc/sys/dev/parport"] = {"parport0"};
        sys.dateien["/proc/sys/dev/parport/parport0/base-addr"] = "888\t1912\n";
        sys.dateien["/dev/parport0"] = "";
        Meldungsrecorder m;
        Aufzeichnung a;
        Parallelport lpt(0x378, a.mit(sys.tabelle()), m);
        ASSERT_TRUE(lpt.oeffnen());
        ASSERT_EQ(a.eingetragen.size(), 1u);
        EXPECT_EQ(a.eingetragen[0].art, notaus::Art::Parallelport);
        const int fd = a.eingetragen[0].fd;
        lpt.schliessen();
        EXPECT_EQ(a.ausgetragen, std::vector<int>{fd});
    }
    struct Fall {
        std::uint32_t produkt;
        std::vector<std::uint8_t> aus; // the all-off report without its ID byte
    };
    for (const Fall& f : {Fall{0x1501, {0xFF, 0x03}}, Fall{0x1500, {0xFF, 0x03, 0xFF, 0xFF}},
                          Fall{0x1503, {0xFF, 0x03, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}}) {
        Fakesystem sys;
        sys.verzeichnisse["/dev/usb"] = {"iowarrior0", "iowarrior1"};
        sys.chips["/dev/usb/iowarrior0"] = chip(f.produkt, 0);
        sys.chips["/dev/usb/iowarrior1"] = chip(f.produkt, 1);
        Meldungsrecorder m;
        Aufzeichnung a;
        IOWarrior iow(a.mit(sys.tabelle()), m);
        ASSERT_TRUE(iow.oeffnen());
        iow.schreibe(0x81);
        iow.schreibe(0x81);
        ASSERT_EQ(a.eingetragen.size(), 1u) << "entered once per report size, not on every write";
        EXPECT_EQ(a.eingetragen[0].art, notaus::Art::Bericht);
        EXPECT_EQ(a.eingetragen[0].daten, f.aus) << std::hex << f.produkt;
        iow.schliessen();
        EXPECT_EQ(a.ausgetragen, std::vector<int>{a.eingetragen[0].fd});
    }
}

TEST(Notabschaltung, SlotIstBegrenzt)
{
    const std::size_t vorher = notaus::anzahl();
    ASSERT_EQ(vorher, 0u);
    const int ende = 900 + static_cast<int>(notaus::Max_Eintraege);
    for (int fd = 900; fd < ende; ++fd)
        EXPECT_TRUE(notaus::eintragen(fd, notaus::Art::Parallelport));
    EXPECT_FALSE(notaus::eintragen(ende, notaus::Art::Parallelport));
    EXPECT_TRUE(notaus::eintragen(901, notaus::Art::Testzeile)) << "the same fd is updated in place";
    const std::uint8_t zuViel[notaus::Max_Daten + 1]{};
    notaus::austragen(902);
    EXPECT_FALSE(notaus::eintragen(902, notaus::Art::Bericht, zuViel, sizeof zuViel));
    EXPECT_EQ(notaus::anzahl(), notaus::Max_Eintraege - 1);
    for (int fd = 900; fd < ende; ++fd)
        notaus::austragen(fd);
    EXPECT_EQ(notaus::anzahl(), 0u);
}

// Each way out of a process that still runs code, with the test device holding byte 0x81 (heating, signal).
enum class Weg { Signal, Speicherfehler, Stapelueberlauf, Terminate, Exit };

struct Ausweg {
    const char* name;
    Weg weg;
    int signal; // the signal the process must end with; 0: exit code 3
};

int tiefer(int n)
{
    volatile char platz[1024];
    platz[0] = static_cast<char>(n);
    if (n < 0) // never: keeps the compiler from proving the recursion endless
        return 0;
    return tiefer(n + 1) + platz[0];
}

void kindLaufen(const std::string& datei, const Ausweg& a)
{
    rlimit keinKern{0, 0};
    ::setrlimit(RLIMIT_CORE, &keinKern);
    Meldungsrecorder m;
    Testgeraet geraet(datei, Testgeraet::Art::Parallelport, m);
    if (!geraet.oeffnen() || !notaus::installieren())
        ::_exit(90);
    geraet.schreibe(0x81);
    switch (a.weg) {
    case Weg::Signal:
        ::raise(a.signal);
        break;
    case Weg::Speicherfehler: {
        volatile int* nichts = nullptr;
        *nichts = 1;
        break;
    }
    case Weg::Stapelueberlauf:
        tiefer(0);
        break;
    case Weg::Terminate:
        std::terminate();
    case Weg::Exit:
        std::exit(3); // what Qt's xcb platform does when the display goes
    }
    ::_exit(91); // the way out did not end the process
}

TEST(Notabschaltung, JederAuswegSchaltetAbUndEndetWieOhneHandler)
{
    const Ausweg wege[] = {
        {"SIGSEGV", Weg::Signal, SIGSEGV},     {"SIGBUS", Weg::Signal, SIGBUS},
        {"SIGFPE", Weg::Signal, SIGFPE},       {"SIGILL", Weg::Signal, SIGILL},
        {"SIGABRT", Weg::Signal, SIGABRT},     {"SIGQUIT", Weg::Signal, SIGQUIT},
        {"SIGUSR1", Weg::Signal, SIGUSR1},     {"SIGUSR2", Weg::Signal, SIGUSR2},
        {"SIGPIPE", Weg::Signal, SIGPIPE},     {"SIGALRM", Weg::Signal, SIGALRM},
        {"SIGXCPU", Weg::Signal, SIGXCPU},     {"null pointer", Weg::Speicherfehler, SIGSEGV},
        {"stack overflow", Weg::Stapelueberlauf, SIGSEGV}, {"std::terminate", Weg::Terminate, SIGABRT},
        {"exit()", Weg::Exit, 0},
    };
    for (const Ausweg& a : wege) {
        Tempordner ordner;
        const std::string datei = ordner / "relais.txt";
        const pid_t kind = ::fork();
        ASSERT_GE(kind, 0);
        if (kind == 0)
            kindLaufen(datei, a);
        int status = 0;
        bool geerntet = false;
        for (int i = 0; i < 2500 && !geerntet; ++i) { // at most 5 s
            geerntet = ::waitpid(kind, &status, WNOHANG) == kind;
            if (!geerntet)
                ::poll(nullptr, 0, 2);
        }
        if (!geerntet) {
            ::kill(kind, SIGKILL);
            ::waitpid(kind, &status, 0);
            ADD_FAILURE() << a.name << ": the process did not end";
            continue;
        }
        if (a.signal != 0) {
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == a.signal)
                << a.name << ": status " << status << " (the default action must follow)";
        } else {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3) << a.name << ": status " << status;
        }
        std::istringstream zeilen(ordner.lies("relais.txt"));
        std::vector<int> bytes;
        long long ms = 0;
        int byte = 0;
        while (zeilen >> ms >> byte)
            bytes.push_back(byte);
        ASSERT_GE(bytes.size(), 2u) << a.name;
        EXPECT_EQ(bytes[0], 0x81) << a.name;
        EXPECT_EQ(bytes.back(), 0) << a.name << ": the relays keep the heater on";
    }
}

TEST(Testgeraet, ZeilenUndFehlerWieDasEchteGeraet)
{
    Tempordner ordner;
    Meldungsrecorder m;
    {
        Testgeraet lpt(ordner / "r.txt", Testgeraet::Art::Parallelport, m);
        lpt.schreibe(7); // not open: nothing
        ASSERT_TRUE(lpt.oeffnen());
        lpt.schreibe(129);
        lpt.schreibe(255);
    } // closing a port writes 0, as the real one does
    std::istringstream z(ordner.lies("r.txt"));
    std::vector<int> bytes;
    long long ms = 0, vorher = 0;
    int byte = 0;
    while (z >> ms >> byte) {
        EXPECT_GT(ms, 1'700'000'000'000LL);
        EXPECT_GE(ms, vorher);
        vorher = ms;
        bytes.push_back(byte);
    }
    EXPECT_EQ(bytes, (std::vector<int>{129, 255, 0}));
    EXPECT_EQ(Testzeile(1234, 5), "1234 5\n");

    Testgeraet fehltLpt(ordner / "nicht/da", Testgeraet::Art::Parallelport, m);
    Testgeraet fehltUsb(ordner / "nicht/da", Testgeraet::Art::IOWarrior, m);
    EXPECT_FALSE(fehltLpt.oeffnen());
    EXPECT_FALSE(fehltUsb.oeffnen());
    EXPECT_EQ(m.hinweise.size(), 1u);
    EXPECT_EQ(m.meldungen, (std::vector<std::pair<int, std::string>>{{55, "Error"}}));

    Testgeraet voll("/dev/full", Testgeraet::Art::IOWarrior, m);
    ASSERT_TRUE(voll.oeffnen());
    voll.schreibe(1);
    voll.schreibe(1);
    EXPECT_EQ(m.alarme, 1);
    EXPECT_TRUE(voll.alarm());
    voll.allesAus(); // past the alarm, raising none
    EXPECT_EQ(m.alarme, 1);
    voll.alarmLoeschen();
    voll.schreibe(1);
    EXPECT_EQ(m.alarme, 2);
    EXPECT_EQ(notaus::anzahl(), 1u) << "the open test device is entered for the emergency all-off";
}

} // namespace
} // namespace kw
