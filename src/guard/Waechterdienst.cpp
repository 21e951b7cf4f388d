#include "guard/Waechterdienst.h"

#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>

namespace kw {

using waechter::Nachricht;
using waechter::Typ;

Waechterdienst::Waechterdienst(int fd, int signalFd) : m_fd(fd), m_signalFd(signalFd) {}

Waechterdienst::~Waechterdienst()
{
    allesAus();
    allesSchliessen();
}

void Waechterdienst::meldung(int nummer, const std::string& titel)
{
    m_notizen.push_back(Nachricht::mit(Typ::Meldung).u16(static_cast<std::uint16_t>(nummer)).text(titel));
}

void Waechterdienst::hinweis(const std::string& text) { m_notizen.push_back(Nachricht::mit(Typ::Hinweis).text(text)); }

void Waechterdienst::zeigeAlarmUSB() { m_notizen.push_back(Nachricht::mit(Typ::AlarmUSB)); }

Ausgabegeraet* Waechterdienst::geraet(std::uint8_t id)
{
    if (id == waechter::IOWarrior_Geraet)
        return &m_quelle->iowarrior();
    if (id == waechter::Hidrelais_Geraet)
        return m_quelle->hidrelais();
    auto it = m_ports.find(id);
    return it == m_ports.end() ? nullptr : it->second.get();
}

void Waechterdienst::allesAus()
{
    if (!m_quelle)
        return;
    for (auto& [id, g] : m_ports)
        if (g->istOffen())
            g->allesAus();
    if (m_quelle->iowarrior().istOffen())
        m_quelle->iowarrior().allesAus();
    if (auto* hid = m_quelle->hidrelais(); hid && hid->istOffen())
        hid->allesAus();
}

bool Waechterdienst::haeltEtwas()
{
    bool gehalten = m_quelle->iowarrior().istOffen();
    if (auto* hid = m_quelle->hidrelais())
        gehalten = gehalten || hid->istOffen();
    for (auto& [id, g] : m_ports)
        gehalten = gehalten || g->istOffen();
    return gehalten;
}

void Waechterdienst::allesSchliessen()
{
    if (!m_quelle)
        return;
    m_ports.clear(); // each port writes 0 and lets go, each set of GPIO lines too
    m_portAdressen.clear();
    m_gpioEinstellungen.clear();
    m_quelle->iowarrior().schliessen();
    if (auto* hid = m_quelle->hidrelais())
        hid->schliessen(); // all off, then closed
}

void Waechterdienst::antworten(std::uint8_t id, bool ergebnis)
{
    for (auto& n : m_notizen)
        if (!waechter::senden(m_fd, n))
            m_verbindungWeg = true;
    m_notizen.clear();
    Ausgabegeraet* g = geraet(id);
    auto a = Nachricht::mit(Typ::Antwort, id)
                 .u8(ergebnis ? 1 : 0)
                 .u8(g && g->istOffen() ? 1 : 0)
                 .u8(g && g->alarm() ? 1 : 0);
    if (!waechter::senden(m_fd, a))
        m_verbindungWeg = true;
}

bool Waechterdienst::bearbeiten(const Nachricht& n)
{
    Ausgabegeraet* g = geraet(n.geraet);
    bool ok = true;
    switch (n.typ) {
    case Typ::OeffnenGpio: {
        const auto e = waechter::Gpio_Lesen(n);
        if (!e || n.geraet == waechter::IOWarrior_Geraet || n.geraet > waechter::Letzte_Nummer) {
            ok = false;
            break;
        }
        auto alt = m_gpioEinstellungen.find(n.geraet);
        if (!g || alt == m_gpioEinstellungen.end() || !(alt->second == *e)) {
            m_ports.erase(n.geraet); // the old lines: off, released
            m_portAdressen.erase(n.geraet);
            if (auto neu = m_quelle->gpio(*e)) {
                m_ports[n.geraet] = std::move(neu);
                m_gpioEinstellungen[n.geraet] = *e;
                g = m_ports[n.geraet].get();
            } else {
                g = nullptr;
            }
        }
        // The lines are requested with initial value off.
        ok = g && g->oeffnen();
        break;
    }
    case Typ::Oeffnen: {
        if (n.geraet != waechter::IOWarrior_Geraet && n.geraet != waechter::Hidrelais_Geraet) {
            const auto adresse = n.u16_bei(0);
            if (!adresse) {
                ok = false;
                break;
            }
            auto alt = m_portAdressen.find(n.geraet);
            if (!g || alt == m_portAdressen.end() || alt->second != *adresse) {
                m_gpioEinstellungen.erase(n.geraet);
                m_ports[n.geraet] = m_quelle->parallelport(*adresse);
                m_portAdressen[n.geraet] = *adresse;
                g = m_ports[n.geraet].get();
            }
        }
        const bool hielt = g && g->istOffen();
        ok = g && g->oeffnen();
        // Relays in a known state as soon as we hold the device.
        if (ok && !hielt)
            g->allesAus();
        break;
    }
    case Typ::Schreiben: {
        const auto byte = n.u8_bei(0);
        ok = g && byte;
        if (ok)
            g->schreibe(*byte);
        break;
    }
    case Typ::AllesAus:
        if (n.geraet == waechter::Alle)
            allesAus();
        else if (g)
            g->allesAus();
        break;
    case Typ::Schliessen:
        if (g)
            g->schliessen();
        break;
    case Typ::Vergessen:
        if (n.geraet != waechter::IOWarrior_Geraet && n.geraet != waechter::Hidrelais_Geraet) {
            m_ports.erase(n.geraet);
            m_portAdressen.erase(n.geraet);
            m_gpioEinstellungen.erase(n.geraet);
        }
        break;
    case Typ::AlarmLoeschen:
        if (g)
            g->alarmLoeschen();
        break;
    case Typ::Takt:
        break;
    case Typ::Ende:
        allesAus();
        allesSchliessen();
        antworten(n.geraet, true);
        return false;
    default:
        ok = false;
        break;
    }
    antworten(n.geraet, ok);
    return !m_verbindungWeg;
}

int Waechterdienst::lauf()
{
    if (!waechter::senden(m_fd, Nachricht::mit(Typ::Hallo).u8(waechter::Protokollversion)))
        return 1;
    auto letzte = Clock::now();
    for (;;) {
        int frist = -1;
        if (!m_aus) {
            const auto rest =
                std::chrono::duration_cast<std::chrono::milliseconds>(letzte + waechter::Stille - Clock::now());
            frist = rest.count() > 0 ? static_cast<int>(rest.count()) + 1 : 0; // never a millisecond early
        }
        pollfd p[2] = {{m_fd, POLLIN, 0}, {m_signalFd, POLLIN, 0}};
        const int r = ::poll(p, m_signalFd >= 0 ? 2 : 1, frist);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return 1; // the destructor switches off
        }
        if (m_signalFd >= 0 && (p[1].revents & POLLIN)) {
            signalfd_siginfo info{};
            [[maybe_unused]] const ssize_t n = ::read(m_signalFd, &info, sizeof info);
            allesAus();
            return 0;
        }
        if (r == 0) {
            if (Clock::now() - letzte >= waechter::Stille) {
                // The program stopped ticking: nothing may stay switched on while it hangs.
                const bool gehalten = haeltEtwas();
                allesAus();
                m_aus = gehalten;
                m_ausSeit = Clock::now();
                if (!gehalten)
                    letzte = Clock::now(); // nothing held: nothing to report, keep watching
            }
            continue;
        }
        Nachricht n;
        if (waechter::empfangen(m_fd, std::chrono::milliseconds(0), n) != waechter::Empfang::Nachricht) {
            // The program is gone (closed, killed, crashed): all off at once.
            allesAus();
            return 0;
        }
        letzte = Clock::now();
        if (m_aus) {
            m_aus = false;
            const auto dauer = std::chrono::duration_cast<std::chrono::milliseconds>(letzte - m_ausSeit);
            m_notizen.insert(m_notizen.begin(),
                             Nachricht::mit(Typ::AusGewesen).u32(static_cast<std::uint32_t>(dauer.count())));
        }
        if (!bearbeiten(n)) {
            allesAus();
            return 0;
        }
    }
}

} // namespace kw
