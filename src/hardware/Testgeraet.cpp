#include "hardware/Testgeraet.h"

#include "hardware/Notabschaltung.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace kw {

std::string Testzeile(long long unix_ms, std::uint8_t byte)
{
    return std::to_string(unix_ms) + " " + std::to_string(byte) + "\n";
}

Testgeraet::Testgeraet(std::string datei, Art art, Treibermeldungen& meldungen)
    : m_datei(std::move(datei)), m_art(art), m_meldungen(meldungen)
{
}

Testgeraet::~Testgeraet() { schliessen(); }

bool Testgeraet::oeffnen()
{
    if (m_fd >= 0)
        return true;
    m_fehlerGemeldet = false;
    m_fd = ::open(m_datei.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (m_fd < 0) {
        if (m_art == Art::IOWarrior) {
            m_meldungen.meldung(55, "Error");
        } else {
            const std::string grund = std::strerror(errno);
            m_meldungen.hinweis("Testgerät " + m_datei + " lässt sich nicht öffnen (" + grund
                                + "). Es wird nichts ausgegeben.\nCannot open the test device " + m_datei + " ("
                                + grund + "). No output is written.");
        }
        return false;
    }
    notaus::eintragen(m_fd, notaus::Art::Testzeile);
    return true;
}

bool Testgeraet::zeile(std::uint8_t byte)
{
    if (m_fd < 0)
        return false;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::system_clock::now().time_since_epoch())
                        .count();
    const std::string z = Testzeile(ms, byte);
    ssize_t r;
    do {
        r = ::write(m_fd, z.data(), z.size());
    } while (r < 0 && errno == EINTR);
    return r == static_cast<ssize_t>(z.size());
}

void Testgeraet::schreibe(std::uint8_t byte)
{
    if (m_fd < 0 || m_alarm)
        return;
    if (zeile(byte))
        return;
    if (m_art == Art::IOWarrior) {
        m_alarm = true;
        m_meldungen.zeigeAlarmUSB();
    } else if (!m_fehlerGemeldet) {
        m_fehlerGemeldet = true;
        const std::string grund = std::strerror(errno);
        m_meldungen.hinweis("Schreiben auf " + m_datei + " fehlgeschlagen (" + grund + ").\nWriting to " + m_datei
                            + " failed (" + grund + ").");
    }
}

void Testgeraet::allesAus() { zeile(0); }

void Testgeraet::schliessen()
{
    if (m_fd < 0)
        return;
    if (m_art == Art::Parallelport)
        zeile(0);
    notaus::austragen(m_fd);
    ::close(m_fd);
    m_fd = -1;
}

Testgeraetequelle::Testgeraetequelle(std::string datei, Treibermeldungen& meldungen)
    : m_datei(std::move(datei)), m_meldungen(meldungen), m_iowarrior(m_datei, Testgeraet::Art::IOWarrior, meldungen)
{
    m_kern.chipAnlegen("gpiochip0", "kw-testchip", 64);
    m_kern.platineAnlegen("hidraw0", "www.dcttech.com USBRelay8");
    m_kern.beiAenderung = [this](const std::string& geraet) { aenderung(geraet); };
    m_hid = std::make_unique<Hidrelais>(kerntabelle(), meldungen);
}

Testgeraetequelle::~Testgeraetequelle()
{
    m_hid.reset();
    if (m_fd >= 0) {
        notaus::austragen(m_fd);
        ::close(m_fd);
    }
}

Systemaufrufe Testgeraetequelle::kerntabelle()
{
    Systemaufrufe s = m_kern.tabelle();
    // The emergency handlers cannot reach the stand-in kernel: they append the all-off line to the file.
    s.notausEintragen = [this](int, notaus::Art, const std::uint8_t*, std::size_t) {
        if (m_fd < 0)
            m_fd = ::open(m_datei.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
        if (m_fd >= 0)
            notaus::eintragen(m_fd, notaus::Art::Testzeile);
    };
    s.notausAustragen = [](int) {};
    return s;
}

void Testgeraetequelle::aenderung(const std::string& geraet)
{
    std::uint8_t byte = 0;
    if (geraet == "hidraw0") {
        byte = m_kern.relais(geraet);
    } else {
        for (int bit = 0; bit < Ausgangsanzahl; ++bit) {
            const auto& l = m_gpio.leitung[static_cast<std::size_t>(bit)];
            if (!l)
                continue;
            const auto p = m_kern.pegel(geraet, *l);
            if (p && (*p != 0) != m_gpio.aktivNiedrig)
                byte = static_cast<std::uint8_t>(byte | (1u << bit));
        }
    }
    if (m_fd < 0)
        m_fd = ::open(m_datei.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (m_fd < 0)
        return;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::system_clock::now().time_since_epoch())
                        .count();
    const std::string z = Testzeile(ms, byte);
    [[maybe_unused]] const ssize_t r = ::write(m_fd, z.data(), z.size());
}

std::unique_ptr<Ausgabegeraet> Testgeraetequelle::gpio(const Gpioeinstellungen& e)
{
    // Whatever chip the settings name, the test device has the one.
    m_gpio = e;
    m_gpio.chip = "gpiochip0";
    return std::make_unique<Gpio>(m_gpio, kerntabelle(), m_meldungen);
}

std::unique_ptr<Ausgabegeraet> Testgeraetequelle::parallelport(std::uint16_t)
{
    return std::make_unique<Testgeraet>(m_datei, Testgeraet::Art::Parallelport, m_meldungen);
}

} // namespace kw
