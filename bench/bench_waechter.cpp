// How fast the output guard switches off: after the program is killed (SIGKILL, at least 50 times) and after
// it hangs (SIGSTOP: time from its last byte to the all-off), for a parallel port, GPIO lines and the USB HID
// board (the real drivers on the guard's stand-in kernel); and how long GPIO lines go unguarded when the guard
// itself is killed. The test device is a FIFO read here, so the time is taken when the line arrives, to the
// microsecond.
//
//   bench_waechter [KILLS] [HAENGER] [NEUSTARTS]

#include "Waechtertest.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

using Clock = std::chrono::steady_clock;

// Lines from the FIFO, each with the moment it was read.
class Fifoleser {
public:
    explicit Fifoleser(const std::string& pfad) : m_fd(::open(pfad.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {}
    ~Fifoleser() { ::close(m_fd); }
    bool offen() const { return m_fd >= 0; }

    // Waits for a line with `byte`; returns when it was read, nullopt after `frist`.
    std::optional<Clock::time_point> warteAuf(int byte, std::chrono::milliseconds frist)
    {
        const auto ende = Clock::now() + frist;
        for (;;) {
            while (auto z = zeile()) {
                if (*z == byte)
                    return m_gelesen;
            }
            const auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(ende - Clock::now());
            if (rest.count() <= 0)
                return std::nullopt;
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(rest.count())) > 0 && !(p.revents & POLLIN))
                ::poll(nullptr, 0, 1); // no writer right now (between guards)
            char puffer[4096];
            const ssize_t n = ::read(m_fd, puffer, sizeof puffer);
            if (n > 0) {
                m_gelesen = Clock::now();
                m_rest.append(puffer, static_cast<std::size_t>(n));
            }
        }
    }
    // Drops lines not yet looked at (between runs).
    void leeren() { m_rest.clear(); }

private:
    std::optional<int> zeile()
    {
        const auto nl = m_rest.find('\n');
        if (nl == std::string::npos)
            return std::nullopt;
        const std::string z = m_rest.substr(0, nl);
        m_rest.erase(0, nl + 1);
        const auto leer = z.find(' ');
        return leer == std::string::npos ? -1 : std::atoi(z.c_str() + leer + 1);
    }

    int m_fd;
    std::string m_rest;
    Clock::time_point m_gelesen{};
};

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void zeigen(const char* was, std::vector<double> werte)
{
    if (werte.empty()) {
        std::printf("%-34s no measurement\n", was);
        return;
    }
    std::sort(werte.begin(), werte.end());
    std::printf("%-34s n=%zu  median %.2f ms  min %.2f ms  max %.2f ms\n", was, werte.size(),
                werte[werte.size() / 2], werte.front(), werte.back());
}

} // namespace

int main(int argc, char** argv)
{
    using namespace std::chrono_literals;
    const int kills = argc > 1 ? std::atoi(argv[1]) : 60;
    const int haenger = argc > 2 ? std::atoi(argv[2]) : 5;
    const int neustarts = argc > 3 ? std::atoi(argv[3]) : 30;
    const std::string waechter = KW_WAECHTER_PFAD;

    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
    char vorlage[] = "/tmp/kw_bench_waechter_XXXXXX";
    const std::string ordner = ::mkdtemp(vorlage);
    const std::string fifo = ordner + "/relais";
    if (::mkfifo(fifo.c_str(), 0600) != 0) {
        std::perror("mkfifo");
        return 1;
    }
    Fifoleser leser(fifo);
    if (!leser.offen()) {
        std::perror("open fifo");
        return 1;
    }

    int fehler = 0;
    struct Art {
        const char* name;
        kw::test::Geraeteart art;
    };
    const Art arten[] = {{"parallel port", kw::test::Geraeteart::Parallelport},
                         {"GPIO", kw::test::Geraeteart::Gpio},
                         {"USB HID relay board", kw::test::Geraeteart::Hidrelais}};
    for (const Art& a : arten) {
        std::vector<double> nachKill;
        for (int i = 0; i < kills; ++i) {
            kw::test::Stellvertreter programm(waechter, fifo, 0x81, a.art);
            if (programm.waechter() <= 0 || !leser.warteAuf(0x81, 3s)) {
                ++fehler;
                continue;
            }
            const auto tod = Clock::now();
            ::kill(programm.pid(), SIGKILL);
            const auto aus = leser.warteAuf(0, 3s);
            if (aus)
                nachKill.push_back(ms(*aus - tod));
            else
                ++fehler;
            programm.ernten();
            leser.leeren();
        }

        std::vector<double> nachHaenger;
        for (int i = 0; i < haenger; ++i) {
            kw::test::Stellvertreter programm(waechter, fifo, 0x81, a.art);
            if (programm.waechter() <= 0 || !leser.warteAuf(0x81, 3s)) {
                ++fehler;
                continue;
            }
            // Right after a byte arrived: the program stops there. (A GPIO or HID write of an unchanged byte
            // leaves no line, so the last line is the one before the stop.)
            const auto letztes = a.art == kw::test::Geraeteart::Parallelport ? leser.warteAuf(0x81, 3s)
                                                                             : std::optional(Clock::now());
            ::kill(programm.pid(), SIGSTOP);
            const auto aus = leser.warteAuf(0, 3s);
            if (letztes && aus)
                nachHaenger.push_back(ms(*aus - *letztes));
            else
                ++fehler;
            leser.leeren();
        }

        std::printf("%s\n", a.name);
        zeigen("  all off after SIGKILL:", nachKill);
        zeigen("  all off after the last byte (hang):", nachHaenger);
    }

    // The guard dies holding the GPIO lines: the program notices at its next tick, starts a new guard, which
    // requests the lines with initial value off. Measured from the kill to the new guard's request.
    std::vector<double> neuerWaechter;
    for (int i = 0; i < neustarts; ++i) {
        kw::test::Stellvertreter programm(waechter, fifo, 0x81, kw::test::Geraeteart::Gpio);
        if (programm.waechter() <= 0 || !leser.warteAuf(0x81, 3s)) {
            ++fehler;
            continue;
        }
        leser.leeren();
        const auto tod = Clock::now();
        ::kill(programm.waechter(), SIGKILL);
        programm.waechterGeerntet(); // the stand-in reaps it when it notices
        const auto aus = leser.warteAuf(0, 3s);
        if (aus)
            neuerWaechter.push_back(ms(*aus - tod));
        else
            ++fehler;
        leser.warteAuf(0x81, 1s); // the byte follows the request
        leser.leeren();
    }
    zeigen("GPIO: guard killed -> new guard's lines off:", neuerWaechter);
    std::printf("targets: SIGKILL median <= 20 ms, max <= 100 ms; hang <= 1100 ms; guard death -> lines off <= 200 ms. "
                "failed runs: %d\n",
                fehler);
    std::error_code f;
    std::filesystem::remove_all(ordner, f);
    return fehler == 0 ? 0 : 1;
}
