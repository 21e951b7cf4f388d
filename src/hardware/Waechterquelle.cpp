#include "hardware/Waechterquelle.h"

#include "hardware/Linuxgeraete.h"
#include "hardware/Testgeraet.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#ifndef KW_WAECHTER_LIBEXECDIR
#define KW_WAECHTER_LIBEXECDIR "/usr/libexec/kesselwerk"
#endif

extern char** environ;

namespace kw {

using waechter::Nachricht;
using waechter::Typ;
using Clock = std::chrono::steady_clock;

namespace {

const char* const Waechtername = "kesselwerk-waechter";

// Waits up to `frist` for the child to end; true when it has (not yet reaped).
bool endetBinnen(pid_t pid, std::chrono::milliseconds frist)
{
    const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (pidfd < 0)
        return false;
    pollfd p{pidfd, POLLIN, 0};
    int r;
    do {
        r = ::poll(&p, 1, static_cast<int>(frist.count()));
    } while (r < 0 && errno == EINTR);
    ::close(pidfd);
    return r > 0;
}

void ernten(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

} // namespace

Waechterfund Waechterprogramm_Suchen(const std::string& programmordner, const std::string& installiert)
{
    const std::string daneben =
        programmordner.empty() ? std::string() : programmordner + (programmordner.back() == '/' ? "" : "/") + Waechtername;
    struct stat st {};
    const bool gefunden = !daneben.empty() && ::stat(daneben.c_str(), &st) == 0;
    if (gefunden && S_ISREG(st.st_mode) && ::access(daneben.c_str(), X_OK) == 0)
        return {daneben, {}};
    const int grund = errno;
    struct stat inst {};
    if (::stat(installiert.c_str(), &inst) == 0)
        return {installiert, {}}; // starting it says what is wrong with it
    if (!gefunden)
        return {{}, installiert + " not found (nor beside the program: " + daneben + ")"};
    char modus[8];
    std::snprintf(modus, sizeof modus, "%04o", static_cast<unsigned>(st.st_mode & 07777));
    if (S_ISDIR(st.st_mode))
        return {{}, daneben + " is a folder, not the guard program"};
    if (!S_ISREG(st.st_mode))
        return {{}, daneben + " is not a regular file"};
    if ((st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) == 0)
        return {{}, daneben + " is not executable (mode " + modus + ")"};
    return {{}, daneben + " cannot be executed (mode " + modus + "): " + std::strerror(grund)};
}

Waechterfund Waechterprogramm_Finden()
{
    const std::string installiert = std::string(KW_WAECHTER_LIBEXECDIR) + "/" + Waechtername;
    char pfad[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", pfad, sizeof pfad - 1);
    std::string ordner;
    if (n > 0) {
        const std::string eigen(pfad, static_cast<std::size_t>(n));
        const auto schnitt = eigen.rfind('/');
        if (schnitt != std::string::npos)
            ordner = eigen.substr(0, schnitt + 1);
    }
    return Waechterprogramm_Suchen(ordner, installiert);
}

// ---------------------------------------------------------------------------
// Waechterverbindung

Waechterverbindung::~Waechterverbindung() { beenden(); }

void Waechterverbindung::schliessen()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool Waechterverbindung::starten(const std::string& programm, const std::vector<std::string>& argumente,
                                 std::string* fehler)
{
    auto scheitern = [&](const std::string& grund) {
        if (fehler)
            *fehler = grund;
        return false;
    };
    if (m_pid > 0)
        abschiessen();

    int paar[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, paar) != 0)
        return scheitern(std::string("socketpair: ") + std::strerror(errno));
    // The child's end goes to fd 3 by dup2, which clears close-on-exec; from a number above 3 that works
    // everywhere. Our own end stays close-on-exec, so DigiTemp runs never hold it open.
    const int kind = ::fcntl(paar[1], F_DUPFD_CLOEXEC, 10);
    ::close(paar[1]);
    if (kind < 0) {
        ::close(paar[0]);
        return scheitern(std::string("fcntl: ") + std::strerror(errno));
    }

    const std::string fd = std::to_string(waechter::Standard_Fd);
    const std::string eltern = std::to_string(::getpid());
    std::vector<std::string> alle{programm, "--fd", fd, "--eltern", eltern};
    alle.insert(alle.end(), argumente.begin(), argumente.end());
    std::vector<char*> argv;
    for (auto& a : alle)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t aktionen;
    posix_spawn_file_actions_init(&aktionen);
    posix_spawn_file_actions_addopen(&aktionen, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&aktionen, kind, waechter::Standard_Fd);
    posix_spawnattr_t attribute;
    posix_spawnattr_init(&attribute);
    sigset_t leer, alle_signale;
    sigemptyset(&leer);
    sigfillset(&alle_signale);
    posix_spawnattr_setsigmask(&attribute, &leer);
    posix_spawnattr_setsigdefault(&attribute, &alle_signale);
    // A process group of its own: Ctrl-C in the terminal ends the program, which then ends the guard after
    // its all-off; the guard must not go first and leave the program writing into the void.
    posix_spawnattr_setpgroup(&attribute, 0);
    posix_spawnattr_setflags(&attribute, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);
    pid_t pid = -1;
    const int r = ::posix_spawn(&pid, programm.c_str(), &aktionen, &attribute, argv.data(), environ);
    posix_spawnattr_destroy(&attribute);
    posix_spawn_file_actions_destroy(&aktionen);
    ::close(kind);
    if (r != 0) {
        ::close(paar[0]);
        return scheitern(programm + ": " + std::strerror(r));
    }
    ::setpgid(pid, pid); // see Prozessstarter: the group must exist before a kill(-pid)
    m_pid = pid;
    m_fd = paar[0];

    Nachricht hallo;
    const auto e = waechter::empfangen(m_fd, std::chrono::milliseconds(3000), hallo);
    if (e != waechter::Empfang::Nachricht || hallo.typ != Typ::Hallo) {
        abschiessen();
        return scheitern(programm + (e == waechter::Empfang::Zeitueberschreitung ? ": no greeting within 3 s"
                                                                                  : ": ended at start"));
    }
    if (hallo.u8_bei(0) != waechter::Protokollversion) {
        abschiessen();
        return scheitern(programm + ": protocol version " + std::to_string(hallo.u8_bei(0).value_or(0))
                         + ", expected " + std::to_string(waechter::Protokollversion));
    }
    return true;
}

std::optional<Nachricht> Waechterverbindung::anfrage(const Nachricht& n,
                                                     const std::function<void(const Nachricht&)>& notiz)
{
    if (m_fd < 0)
        return std::nullopt;
    if (!waechter::senden(m_fd, n)) {
        abschiessen();
        return std::nullopt;
    }
    const auto frist = Clock::now() + Antwortfrist;
    for (;;) {
        const auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(frist - Clock::now());
        Nachricht m;
        if (rest.count() <= 0 || waechter::empfangen(m_fd, rest, m) != waechter::Empfang::Nachricht) {
            abschiessen();
            return std::nullopt;
        }
        if (m.typ == Typ::Antwort)
            return m;
        if (notiz)
            notiz(m);
    }
}

bool Waechterverbindung::erreichbar() const
{
    if (m_fd < 0)
        return false;
    pollfd p{m_fd, POLLIN, 0};
    if (::poll(&p, 1, 0) < 0)
        return errno == EINTR;
    return (p.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0;
}

void Waechterverbindung::beenden()
{
    if (m_pid <= 0) {
        schliessen();
        return;
    }
    if (waechter::senden(m_fd, Nachricht::mit(Typ::Ende))) {
        // Its answer comes after the all-off; then it exits.
        const auto frist = Clock::now() + std::chrono::milliseconds(2000);
        Nachricht m;
        while (Clock::now() < frist) {
            const auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(frist - Clock::now());
            if (waechter::empfangen(m_fd, rest, m) != waechter::Empfang::Nachricht || m.typ == Typ::Antwort)
                break;
        }
    }
    schliessen();
    if (!endetBinnen(m_pid, std::chrono::milliseconds(1000)))
        ::kill(m_pid, SIGKILL);
    ernten(m_pid);
    m_pid = -1;
}

void Waechterverbindung::abschiessen()
{
    schliessen();
    if (m_pid <= 0)
        return;
    ::kill(m_pid, SIGKILL);
    ernten(m_pid);
    m_pid = -1;
}

// ---------------------------------------------------------------------------
// Waechterquelle

Waechterquelle::Waechterquelle(Treibermeldungen& meldungen, Waechterereignisse& ereignisse, Waechterstart start)
    : m_meldungen(meldungen), m_ereignisse(ereignisse), m_start(std::move(start))
{
    if (m_start.testgeraet.empty())
        m_direkt = std::make_unique<Linuxgeraete>(meldungen);
    else
        m_direkt = std::make_unique<Testgeraetequelle>(m_start.testgeraet, meldungen);
    m_iowarrior = std::make_unique<Waechtergeraet>(*this, waechter::IOWarrior_Geraet, std::nullopt);
    m_hidrelais = std::make_unique<Waechtergeraet>(*this, waechter::Hidrelais_Geraet, std::nullopt);
    std::string fehler;
    if (!starten(&fehler))
        aufDirektUmstellen(fehler);
}

Waechterquelle::~Waechterquelle() { beenden(); }

bool Waechterquelle::starten(std::string* fehler)
{
    std::vector<std::string> argumente;
    if (!m_start.testgeraet.empty())
        argumente = {"--testgeraet", m_start.testgeraet};
    if (!m_start.programm.empty())
        return m_verbindung.starten(m_start.programm, argumente, fehler);
    const Waechterfund fund = Waechterprogramm_Finden();
    if (fund.pfad.empty()) {
        if (fehler)
            *fehler = fund.fehler;
        return false;
    }
    return m_verbindung.starten(fund.pfad, argumente, fehler);
}

std::unique_ptr<Ausgabegeraet> Waechterquelle::parallelport(std::uint16_t adresse)
{
    return std::make_unique<Waechtergeraet>(*this, neueId(), adresse);
}

Ausgabegeraet& Waechterquelle::iowarrior() { return *m_iowarrior; }

std::unique_ptr<Ausgabegeraet> Waechterquelle::gpio(const Gpioeinstellungen& e)
{
    return std::make_unique<Waechtergeraet>(*this, neueId(), std::nullopt, e);
}

Ausgabegeraet* Waechterquelle::hidrelais() { return m_hidrelais.get(); }

std::uint8_t Waechterquelle::neueId()
{
    for (int i = 0; i < waechter::Letzte_Nummer; ++i) {
        m_letzteId = static_cast<std::uint8_t>(m_letzteId % waechter::Letzte_Nummer + 1); // 1..Letzte_Nummer
        bool frei = true;
        for (auto* g : m_geraete)
            frei = frei && g->m_id != m_letzteId;
        if (frei)
            break;
    }
    return m_letzteId;
}

void Waechterquelle::takt()
{
    if (m_betrieb == Betrieb::Waechter && !m_gesendet) {
        const bool haelt = std::any_of(m_geraete.begin(), m_geraete.end(),
                                       [](const Waechtergeraet* g) { return g->m_offen; });
        if (haelt)
            anfrage(Nachricht::mit(Typ::Takt));
        else if (!m_verbindung.erreichbar())
            neustarten();
    }
    m_gesendet = false;
}

void Waechterquelle::beenden()
{
    if (m_betrieb != Betrieb::Waechter)
        return;
    m_betrieb = Betrieb::Beendet;
    m_verbindung.beenden();
}

void Waechterquelle::notiz(const Nachricht& n)
{
    switch (n.typ) {
    case Typ::Meldung:
        m_meldungen.meldung(n.u16_bei(0).value_or(0), n.text_ab(2));
        break;
    case Typ::Hinweis:
        m_meldungen.hinweis(n.text_ab(0));
        break;
    case Typ::AlarmUSB:
        m_meldungen.zeigeAlarmUSB();
        break;
    case Typ::AusGewesen:
        m_ereignisse.ausgaengeWarenAus(std::chrono::milliseconds(n.u32_bei(0).value_or(0)));
        break;
    default:
        break;
    }
}

std::optional<Nachricht> Waechterquelle::anfrage(const Nachricht& n)
{
    if (m_betrieb != Betrieb::Waechter)
        return std::nullopt;
    m_gesendet = true;
    if (auto a = m_verbindung.anfrage(n, [this](const Nachricht& m) { notiz(m); }))
        return a;
    neustarten();
    return std::nullopt;
}

void Waechterquelle::neustarten()
{
    m_verbindung.abschiessen();
    const auto jetzt = Clock::now();
    while (!m_neustarts.empty() && jetzt - m_neustarts.front() > Neustartfenster)
        m_neustarts.pop_front();
    if (static_cast<int>(m_neustarts.size()) >= Max_Neustarts) {
        aufDirektUmstellen("it ended " + std::to_string(Max_Neustarts + 1) + " times within "
                           + std::to_string(Neustartfenster.count()) + " s");
        return;
    }
    std::string fehler;
    if (!starten(&fehler)) {
        aufDirektUmstellen(fehler);
        return;
    }
    m_neustarts.push_back(jetzt);
    // The new guard holds nothing yet: it takes every open device again and switches it off at once; the
    // byte follows with this write or the next tick.
    for (auto* g : m_geraete)
        if (g->m_soll)
            g->oeffnenImWaechter();
    m_ereignisse.waechterNeuGestartet();
}

void Waechterquelle::aufDirektUmstellen(const std::string& grund)
{
    m_verbindung.abschiessen();
    m_betrieb = Betrieb::Direkt;
    for (auto* g : m_geraete)
        if (g->m_soll)
            g->direktOeffnen();
    m_ereignisse.waechterNichtVerfuegbar(grund);
}

// ---------------------------------------------------------------------------
// Waechtergeraet

Waechtergeraet::Waechtergeraet(Waechterquelle& quelle, std::uint8_t id, std::optional<std::uint16_t> adresse,
                               std::optional<Gpioeinstellungen> gpio)
    : m_quelle(quelle), m_id(id), m_adresse(adresse), m_gpio(std::move(gpio))
{
    m_quelle.m_geraete.insert(this);
}

Waechtergeraet::~Waechtergeraet()
{
    m_quelle.m_geraete.erase(this);
    // The guard drops its port (or lines) as the program would: 0 written, released.
    if ((m_adresse || m_gpio) && m_quelle.m_betrieb == Waechterquelle::Betrieb::Waechter)
        m_quelle.m_verbindung.anfrage(Nachricht::mit(Typ::Vergessen, m_id), {});
}

Ausgabegeraet* Waechtergeraet::direkt()
{
    if (m_gpio) {
        if (!m_direktesLpt)
            m_direktesLpt = m_quelle.m_direkt->gpio(*m_gpio);
        return m_direktesLpt.get();
    }
    if (!m_adresse)
        return m_id == waechter::Hidrelais_Geraet ? m_quelle.m_direkt->hidrelais() : &m_quelle.m_direkt->iowarrior();
    if (!m_direktesLpt)
        m_direktesLpt = m_quelle.m_direkt->parallelport(*m_adresse);
    return m_direktesLpt.get();
}

Nachricht Waechtergeraet::oeffnenNachricht() const
{
    if (m_gpio)
        return waechter::Gpio_Nachricht(m_id, *m_gpio);
    Nachricht n = Nachricht::mit(Typ::Oeffnen, m_id);
    if (m_adresse)
        n.u16(*m_adresse);
    return n;
}

void Waechtergeraet::direktOeffnen()
{
    if (auto* d = direkt()) {
        d->oeffnen();
        m_offen = d->istOffen();
    } else {
        m_offen = false;
    }
}

void Waechtergeraet::uebernehmen(const Nachricht& antwort)
{
    m_offen = antwort.u8_bei(1).value_or(0) != 0;
    // Only "OK" on Alarm_USB clears the alarm; a restarted guard knows nothing of it.
    m_alarm = m_alarm || antwort.u8_bei(2).value_or(0) != 0;
}

bool Waechtergeraet::oeffnenImWaechter()
{
    const Nachricht n = oeffnenNachricht();
    auto a = m_quelle.m_verbindung.anfrage(n, [this](const Nachricht& m) { m_quelle.notiz(m); });
    if (a)
        uebernehmen(*a);
    return a.has_value();
}

std::optional<Nachricht> Waechtergeraet::anfrage(Typ typ, std::optional<std::uint8_t> byte)
{
    Nachricht n = typ == Typ::Oeffnen ? oeffnenNachricht() : Nachricht::mit(typ, m_id);
    if (byte)
        n.u8(*byte);
    return m_quelle.anfrage(n);
}

bool Waechtergeraet::oeffnen()
{
    m_soll = true;
    switch (m_quelle.m_betrieb) {
    case Waechterquelle::Betrieb::Waechter:
        if (auto a = anfrage(Typ::Oeffnen))
            uebernehmen(*a);
        // else: a restarted guard opened it already, or the fallback did
        break;
    case Waechterquelle::Betrieb::Direkt:
        direktOeffnen();
        break;
    case Waechterquelle::Betrieb::Beendet:
        break;
    }
    return istOffen();
}

void Waechtergeraet::schreibe(std::uint8_t byte)
{
    if (m_alarm)
        return; // the board keeps what it last got until the alarm is acknowledged
    // Second round after the guard was found dead and started again (or given up).
    for (int runde = 0; runde < 2; ++runde) {
        switch (m_quelle.m_betrieb) {
        case Waechterquelle::Betrieb::Waechter:
            if (auto a = anfrage(Typ::Schreiben, byte)) {
                uebernehmen(*a);
                return;
            }
            break;
        case Waechterquelle::Betrieb::Direkt:
            if (auto* d = direkt()) {
                d->schreibe(byte);
                m_offen = d->istOffen();
                m_alarm = m_alarm || d->alarm();
            }
            return;
        case Waechterquelle::Betrieb::Beendet:
            return;
        }
    }
}

void Waechtergeraet::allesAus()
{
    for (int runde = 0; runde < 2; ++runde) {
        switch (m_quelle.m_betrieb) {
        case Waechterquelle::Betrieb::Waechter:
            if (auto a = anfrage(Typ::AllesAus)) {
                uebernehmen(*a);
                return;
            }
            break;
        case Waechterquelle::Betrieb::Direkt:
            if (auto* d = direkt())
                d->allesAus();
            return;
        case Waechterquelle::Betrieb::Beendet:
            return; // the guard switched everything off as it ended
        }
    }
}

void Waechtergeraet::schliessen()
{
    m_soll = false;
    switch (m_quelle.m_betrieb) {
    case Waechterquelle::Betrieb::Waechter:
        anfrage(Typ::Schliessen); // a restarted guard holds nothing to close
        break;
    case Waechterquelle::Betrieb::Direkt:
        if (auto* d = direkt())
            d->schliessen();
        break;
    case Waechterquelle::Betrieb::Beendet:
        break;
    }
    m_offen = false;
}

bool Waechtergeraet::istOffen() const
{
    return m_quelle.m_betrieb != Waechterquelle::Betrieb::Beendet && m_offen;
}

void Waechtergeraet::alarmLoeschen()
{
    m_alarm = false;
    switch (m_quelle.m_betrieb) {
    case Waechterquelle::Betrieb::Waechter:
        anfrage(Typ::AlarmLoeschen);
        break;
    case Waechterquelle::Betrieb::Direkt:
        if (auto* d = direkt())
            d->alarmLoeschen();
        break;
    case Waechterquelle::Betrieb::Beendet:
        break;
    }
}

} // namespace kw
