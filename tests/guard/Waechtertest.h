#pragma once
// Helpers for tests and benchmarks that run the real guard: the test device file, bounded waits, and a forked
// stand-in for the program that ticks through the real program-side seam.

#include "Attrappen.h" // Meldungsrecorder
#include "hardware/Treibermeldungen.h"
#include "hardware/Waechterquelle.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace kw::test {

inline long long jetzt_ms()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

struct Zeile {
    long long ms = 0;
    int byte = -1;
};

// The lines of the test device; a line cut short is left out.
inline std::vector<Zeile> zeilen(const std::string& datei)
{
    std::ifstream d(datei);
    std::vector<Zeile> r;
    std::string z;
    while (std::getline(d, z)) {
        std::istringstream s(z);
        Zeile e;
        if (s >> e.ms >> e.byte)
            r.push_back(e);
    }
    return r;
}

inline std::optional<Zeile> letzte(const std::string& datei)
{
    auto z = zeilen(datei);
    if (z.empty())
        return std::nullopt;
    return z.back();
}

// Polls `bedingung` every 2 ms until it holds or `frist` is over.
inline bool warteBis(const std::function<bool()>& bedingung, std::chrono::milliseconds frist)
{
    const auto ende = std::chrono::steady_clock::now() + frist;
    for (;;) {
        if (bedingung())
            return true;
        if (std::chrono::steady_clock::now() >= ende)
            return false;
        ::poll(nullptr, 0, 2);
    }
}

// Reaps `pid` (our child, or an orphan handed to us as subreaper) within `frist`.
inline bool ernteBinnen(pid_t pid, std::chrono::milliseconds frist, int* status = nullptr)
{
    int s = 0;
    const bool ok = warteBis([&] { return ::waitpid(pid, &s, WNOHANG) == pid; }, frist);
    if (status)
        *status = s;
    return ok;
}

struct Ereignisrecorder : Waechterereignisse {
    int neustarts = 0;
    std::vector<std::string> nichtVerfuegbar;
    std::vector<long long> ausGewesen_ms;
    void waechterNeuGestartet() override { ++neustarts; }
    void waechterNichtVerfuegbar(const std::string& grund) override { nichtVerfuegbar.push_back(grund); }
    void ausgaengeWarenAus(std::chrono::milliseconds d) override { ausGewesen_ms.push_back(d.count()); }
};

// The device the stand-in drives: a parallel port, GPIO lines 0..7 of the test chip (active-low), or the HID board.
enum class Geraeteart { Parallelport, Gpio, Hidrelais };

inline Gpioeinstellungen Testleitungen()
{
    Gpioeinstellungen e;
    e.chip = "kw-testchip";
    for (std::uint32_t i = 0; i < 8; ++i)
        e.leitung[i] = i;
    e.aktivNiedrig = true;
    return e;
}

// A forked child standing in for the program: starts the guard through Waechterquelle, opens the device
// and writes `byte` every 100 ms tick, as the output stage does. Tells the parent the guard's pid and every
// "outputs were off" report through a pipe.
class Stellvertreter {
public:
    Stellvertreter(const std::string& waechter, const std::string& datei, std::uint8_t byte,
                   Geraeteart art = Geraeteart::Parallelport)
    {
        int rohr[2];
        if (::pipe2(rohr, O_CLOEXEC) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(rohr[0]);
            rlimit keinKern{0, 0};
            ::setrlimit(RLIMIT_CORE, &keinKern); // SIGSEGV/SIGABRT without a core file
            kind(waechter, datei, byte, rohr[1], art);
            ::_exit(0);
        }
        ::close(rohr[1]);
        m_rohr = rohr[0];
        long long wert = 0;
        if (lies(std::chrono::milliseconds(5000), wert))
            m_waechter = static_cast<pid_t>(wert);
    }
    ~Stellvertreter()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ernteBinnen(m_pid, std::chrono::milliseconds(5000));
        }
        if (m_waechter > 0)
            ernteBinnen(m_waechter, std::chrono::milliseconds(5000));
        if (m_rohr >= 0)
            ::close(m_rohr);
    }

    pid_t pid() const { return m_pid; }
    pid_t waechter() const { return m_waechter; }
    // The next "outputs were off" report, in ms.
    std::optional<long long> ausGewesen(std::chrono::milliseconds frist)
    {
        long long wert = 0;
        if (!lies(frist, wert))
            return std::nullopt;
        return wert;
    }
    // After a kill: the child is reaped here; returns its wait status.
    int ernten()
    {
        int status = 0;
        ernteBinnen(m_pid, std::chrono::milliseconds(5000), &status);
        m_pid = -1;
        return status;
    }
    // The guard was reaped by the caller.
    void waechterGeerntet() { m_waechter = -1; }

private:
    static void kind(const std::string& waechter, const std::string& datei, std::uint8_t byte, int rohr,
                     Geraeteart art)
    {
        struct Melder : Ereignisrecorder {
            int rohr = -1;
            void ausgaengeWarenAus(std::chrono::milliseconds d) override
            {
                long long ms = d.count();
                [[maybe_unused]] auto n = ::write(rohr, &ms, sizeof ms);
            }
        } ereignisse;
        ereignisse.rohr = rohr;
        Meldungsrecorder meldungen;
        Waechterquelle quelle(meldungen, ereignisse, Waechterstart{waechter, datei});
        long long pid = quelle.waechterPid();
        [[maybe_unused]] auto n = ::write(rohr, &pid, sizeof pid);
        std::unique_ptr<Ausgabegeraet> eigen;
        Ausgabegeraet* port = nullptr;
        switch (art) {
        case Geraeteart::Parallelport: eigen = quelle.parallelport(0x378); break;
        case Geraeteart::Gpio: eigen = quelle.gpio(Testleitungen()); break;
        case Geraeteart::Hidrelais: port = quelle.hidrelais(); break;
        }
        if (eigen)
            port = eigen.get();
        port->oeffnen();
        for (;;) {
            port->schreibe(byte);
            quelle.takt();
            ::poll(nullptr, 0, 100);
        }
    }

    bool lies(std::chrono::milliseconds frist, long long& wert)
    {
        pollfd p{m_rohr, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(frist.count())) <= 0)
            return false;
        return ::read(m_rohr, &wert, sizeof wert) == static_cast<ssize_t>(sizeof wert);
    }

    pid_t m_pid = -1;
    pid_t m_waechter = -1;
    int m_rohr = -1;
};

} // namespace kw::test
