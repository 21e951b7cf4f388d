// kesselwerk-waechter: the output guard. Started by the program with its end of a socket pair; owns the
// relay device and switches every output off when the program dies or stops ticking.
//
//   kesselwerk-waechter [--fd N] [--eltern PID] [--testgeraet DATEI]
//
// The protocol is in hardware/Waechterprotokoll.h.

#include "guard/Waechterdienst.h"
#include "hardware/Linuxgeraete.h"
#include "hardware/Notabschaltung.h"
#include "hardware/Testgeraet.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void nutzung(FILE* f)
{
    std::fputs("Usage: kesselwerk-waechter [--fd N] [--eltern PID] [--testgeraet DATEI]\n"
               "Output guard of kesselwerk, started by the program (not by hand).\n"
               "  --fd N              the socket to the program (default 3)\n"
               "  --eltern PID        the program's process id; ends at once when it is gone\n"
               "  --testgeraet DATEI  append each output byte to DATEI as \"<Unix ms> <byte>\" lines\n",
               f);
}

bool zahl(const char* text, long& wert)
{
    char* ende = nullptr;
    errno = 0;
    wert = std::strtol(text, &ende, 10);
    return errno == 0 && ende && *ende == '\0' && ende != text && wert >= 0;
}

// Closes every fd but 0, 1, 2 and the socket: nothing of the program stays open here.
void fremdeFdsSchliessen(int behalten)
{
    if (behalten > 3)
        ::close_range(3, static_cast<unsigned>(behalten - 1), 0);
    ::close_range(static_cast<unsigned>(behalten + 1), ~0U, 0);
}

} // namespace

int main(int argc, char** argv)
{
    long fd = kw::waechter::Standard_Fd;
    long eltern = -1;
    std::string testgeraet;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool wert = i + 1 < argc;
        if (a == "--help" || a == "-h") {
            nutzung(stdout);
            return 0;
        } else if (a == "--fd" && wert && zahl(argv[i + 1], fd)) {
            ++i;
        } else if (a == "--eltern" && wert && zahl(argv[i + 1], eltern)) {
            ++i;
        } else if (a == "--testgeraet" && wert && argv[i + 1][0] != '\0') {
            testgeraet = argv[++i];
        } else {
            std::fprintf(stderr, "kesselwerk-waechter: bad argument '%s'\n", a.c_str());
            nutzung(stderr);
            return 2;
        }
    }
    const int sock = static_cast<int>(fd);
    if (::fcntl(sock, F_GETFD) < 0) {
        std::fprintf(stderr, "kesselwerk-waechter: no socket on fd %d\n", sock);
        return 2;
    }
    ::fcntl(sock, F_SETFD, FD_CLOEXEC);
    fremdeFdsSchliessen(sock);

    // A crash of the guard itself still switches off what it holds.
    kw::notaus::installieren();
    // Writes to a program that is gone fail with EPIPE instead of ending us before the all-off.
    ::signal(SIGPIPE, SIG_IGN);

    // SIGTERM, SIGINT, SIGHUP (and the parent's death, below) end the guard through its loop: all off first.
    sigset_t ende;
    sigemptyset(&ende);
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        sigaddset(&ende, s);
    ::sigprocmask(SIG_BLOCK, &ende, nullptr);
    const int sigfd = ::signalfd(-1, &ende, SFD_CLOEXEC);
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (eltern > 0 && ::getppid() != static_cast<pid_t>(eltern))
        return 0; // the program died before we got here: nothing held, nothing to switch

    kw::Waechterdienst dienst(sock, sigfd);
    if (testgeraet.empty())
        dienst.geraeteSetzen(std::make_unique<kw::Linuxgeraete>(dienst));
    else
        dienst.geraeteSetzen(std::make_unique<kw::Testgeraetequelle>(testgeraet, dienst));
    return dienst.lauf();
}
