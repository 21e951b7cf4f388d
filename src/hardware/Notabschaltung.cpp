#include "hardware/Notabschaltung.h"

#include <linux/gpio.h>
#include <linux/hidraw.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <exception>

namespace kw::notaus {

namespace {

struct Eintrag {
    // -1 while free or being changed: a handler only reads an entry after its fd is published (release).
    std::atomic<int> fd{-1};
    int belegt = -1; // the driver's own view (fd number or -1)
    Art art = Art::Parallelport;
    std::uint8_t daten[Max_Daten]{};
    std::size_t laenge = 0;
};

struct Notfallplatz {
    Eintrag eintraege[Max_Eintraege];
};

// The one static object of the program: the handlers below have no other way to reach the devices.
constinit Notfallplatz platz;

static_assert(std::atomic<int>::is_always_lock_free);

void schreibeAlles(int fd, const void* daten, std::size_t laenge)
{
    ssize_t r;
    do {
        r = ::write(fd, daten, laenge);
    } while (r < 0 && errno == EINTR);
}

void testzeile(int fd)
{
    timespec t{};
    ::clock_gettime(CLOCK_REALTIME, &t);
    unsigned long long ms = static_cast<unsigned long long>(t.tv_sec) * 1000ULL
                            + static_cast<unsigned long long>(t.tv_nsec / 1000000);
    char ziffern[24];
    int n = 0;
    do {
        ziffern[n++] = static_cast<char>('0' + ms % 10);
        ms /= 10;
    } while (ms > 0 && n < 20);
    char zeile[32];
    int l = 0;
    while (n > 0)
        zeile[l++] = ziffern[--n];
    zeile[l++] = ' ';
    zeile[l++] = '0';
    zeile[l++] = '\n';
    schreibeAlles(fd, zeile, static_cast<std::size_t>(l)); // one write: one whole line (O_APPEND)
}

const int signale[] = {SIGSEGV, SIGBUS,  SIGFPE,  SIGILL,  SIGABRT, SIGQUIT,
                       SIGUSR1, SIGUSR2, SIGPIPE, SIGALRM, SIGXCPU};

extern "C" void notsignal(int nummer)
{
    ausloesen();
    // SA_RESETHAND put the default back; the signal stays blocked until we return, then takes its course.
    // (A fault re-runs the faulting instruction and gets the default action the same way.)
    ::raise(nummer);
}

[[noreturn]] void notterminate()
{
    ausloesen();
    std::abort();
}

extern "C" void notexit() { ausloesen(); }

} // namespace

bool eintragen(int fd, Art art, const std::uint8_t* daten, std::size_t laenge)
{
    if (fd < 0 || laenge > Max_Daten)
        return false;
    Eintrag* ziel = nullptr;
    for (auto& e : platz.eintraege)
        if (e.belegt == fd)
            ziel = &e;
    if (!ziel)
        for (auto& e : platz.eintraege)
            if (!ziel && e.belegt < 0)
                ziel = &e;
    if (!ziel)
        return false;
    ziel->fd.store(-1, std::memory_order_release);
    ziel->art = art;
    for (std::size_t i = 0; i < laenge; ++i)
        ziel->daten[i] = daten[i];
    ziel->laenge = laenge;
    ziel->belegt = fd;
    ziel->fd.store(fd, std::memory_order_release);
    return true;
}

void austragen(int fd)
{
    for (auto& e : platz.eintraege)
        if (e.belegt == fd && fd >= 0) {
            e.fd.store(-1, std::memory_order_release);
            e.belegt = -1;
        }
}

std::size_t anzahl()
{
    std::size_t n = 0;
    for (auto& e : platz.eintraege)
        n += e.belegt >= 0 ? 1 : 0;
    return n;
}

void ausloesen() noexcept
{
    const int gesichert = errno;
    for (auto& e : platz.eintraege) {
        const int fd = e.fd.load(std::memory_order_acquire);
        if (fd < 0)
            continue;
        switch (e.art) {
        case Art::Parallelport: {
            unsigned char aus = 0;
            ::ioctl(fd, PPWDATA, &aus);
            break;
        }
        case Art::Bericht:
            schreibeAlles(fd, e.daten, e.laenge);
            break;
        case Art::Testzeile:
            testzeile(fd);
            break;
        case Art::Gpio: {
            gpio_v2_line_values v{};
            for (std::size_t i = 0; i < e.laenge && i < 8; ++i)
                v.mask |= static_cast<std::uint64_t>(e.daten[i]) << (8 * i);
            ::ioctl(fd, GPIO_V2_LINE_SET_VALUES_IOCTL, &v);
            break;
        }
        case Art::Merkmal: {
            std::uint8_t bericht[Max_Daten];
            for (std::size_t i = 0; i < e.laenge; ++i)
                bericht[i] = e.daten[i];
            ::ioctl(fd, HIDIOCSFEATURE(e.laenge), bericht);
            break;
        }
        }
    }
    errno = gesichert;
}

bool installieren()
{
    // A stack overflow ends in SIGSEGV with no stack left for the handler: give it a stack of its own.
    // The kernel keeps the pointer; the block lives as long as the process.
    bool ok = true;
    stack_t eigener{};
    eigener.ss_size = 64 * 1024;
    eigener.ss_sp = std::malloc(eigener.ss_size);
    ok = eigener.ss_sp && ::sigaltstack(&eigener, nullptr) == 0;
    struct sigaction sa {};
    sa.sa_handler = notsignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESETHAND | (ok ? SA_ONSTACK : 0);
    for (int s : signale)
        ok = ::sigaction(s, &sa, nullptr) == 0 && ok;
    std::set_terminate(notterminate);
    ok = std::atexit(notexit) == 0 && ok;
    return ok;
}

} // namespace kw::notaus
