#include "hardware/Parallelport.h"

#include <linux/ioctl.h>
#include <linux/ppdev.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sstream>

namespace kw {

namespace {

const char* const procVerzeichnis = "/proc/sys/dev/parport";

std::string hex(std::uint16_t adresse)
{
    std::ostringstream s;
    s << std::hex << std::uppercase << adresse;
    return s.str();
}

} // namespace

std::optional<std::string> Parallelport_Suchen(std::uint16_t adresse, const Systemaufrufe& sys)
{
    // The proc folder also holds "default".
    for (auto& name : Nummerierte_Eintraege(sys, procVerzeichnis, "parport")) {
        auto inhalt = sys.dateiLesen(std::string(procVerzeichnis) + "/" + name + "/base-addr");
        if (!inhalt)
            continue;
        // First number, decimal: "888\t1912\n" for 0x378.
        std::istringstream s(*inhalt);
        long basis = -1;
        if (s >> basis && basis == adresse)
            return "/dev/" + name;
    }
    return std::nullopt;
}

Parallelport::Parallelport(std::uint16_t adresse, Systemaufrufe sys, Treibermeldungen& meldungen)
    : m_adresse(adresse), m_sys(std::move(sys)), m_meldungen(meldungen)
{
}

Parallelport::~Parallelport() { schliessen(); }

void Parallelport::melde(const std::string& deutsch, const std::string& englisch)
{
    m_meldungen.hinweis(deutsch + "\n" + englisch);
}

bool Parallelport::oeffnen()
{
    if (m_fd >= 0)
        return true;
    m_schreibfehlerGemeldet = false;
    auto geraet = Parallelport_Suchen(m_adresse, m_sys);
    if (!geraet) {
        melde("Kein Parallelport an Adresse " + hex(m_adresse) + " (hex) gefunden. Es wird nichts ausgegeben.",
              "No parallel port found at address " + hex(m_adresse) + " (hex). No output is written.");
        return false;
    }
    m_geraet = *geraet;
    int fd = m_sys.oeffnen(m_geraet, O_RDWR);
    if (fd < 0) {
        std::string grund = std::strerror(errno);
        melde(m_geraet + " lässt sich nicht öffnen (" + grund + "; Gruppe \"lp\"?). Es wird nichts ausgegeben.",
              "Cannot open " + m_geraet + " (" + grund + "; group \"lp\"?). No output is written.");
        return false;
    }
    m_sys.ioctl(fd, PPEXCL, nullptr); // best effort: keep other ppdev users off while we hold it
    if (m_sys.ioctl(fd, PPCLAIM, nullptr) < 0) {
        std::string grund = std::strerror(errno);
        m_sys.schliessen(fd);
        melde(m_geraet + " ist belegt (" + grund + "). Es wird nichts ausgegeben.",
              m_geraet + " cannot be claimed (" + grund + "). No output is written.");
        return false;
    }
    m_fd = fd;
    if (m_sys.notausEintragen)
        m_sys.notausEintragen(m_fd, notaus::Art::Parallelport, nullptr, 0);
    return true;
}

void Parallelport::schreibe(std::uint8_t byte)
{
    if (m_fd < 0)
        return;
    unsigned char wert = byte;
    if (m_sys.ioctl(m_fd, PPWDATA, &wert) < 0 && !m_schreibfehlerGemeldet) {
        m_schreibfehlerGemeldet = true;
        std::string grund = std::strerror(errno);
        melde("Schreiben auf " + m_geraet + " fehlgeschlagen (" + grund + ").",
              "Writing to " + m_geraet + " failed (" + grund + ").");
    }
}

void Parallelport::schliessen()
{
    if (m_fd < 0)
        return;
    // The data lines keep the last byte after close: switch everything off first.
    unsigned char aus = 0;
    m_sys.ioctl(m_fd, PPWDATA, &aus);
    if (m_sys.notausAustragen)
        m_sys.notausAustragen(m_fd);
    m_sys.ioctl(m_fd, PPRELEASE, nullptr);
    m_sys.schliessen(m_fd);
    m_fd = -1;
}

} // namespace kw
