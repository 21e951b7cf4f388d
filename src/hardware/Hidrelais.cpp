#include "hardware/Hidrelais.h"

#include <linux/hidraw.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>

namespace kw {

namespace {

constexpr std::uint8_t Ein = 0xFF;     // relay n on
constexpr std::uint8_t Aus = 0xFD;     // relay n off
constexpr std::uint8_t AlleAus = 0xFC; // every relay off

std::uint8_t kanalmaske(int kanaele) { return kanaele >= 8 ? 0xFF : static_cast<std::uint8_t>((1u << kanaele) - 1); }

std::array<std::uint8_t, Hidrelais_Berichtslaenge> bericht(std::uint8_t kommando, std::uint8_t relais)
{
    return {0x00, kommando, relais, 0, 0, 0, 0, 0, 0};
}

} // namespace

int Hidrelais_Kanaele(const std::string& name)
{
    const auto p = name.find("USBRelay");
    if (p == std::string::npos)
        return 0;
    std::size_t i = p + 8;
    int n = 0;
    while (i < name.size() && name[i] >= '0' && name[i] <= '9' && n < 100)
        n = n * 10 + (name[i++] - '0');
    return n >= 1 && n <= 8 ? n : 0;
}

std::vector<Hidplatine> Hidrelais_Suchen(const Systemaufrufe& sys)
{
    std::vector<Hidplatine> platinen;
    for (auto& name : Nummerierte_Eintraege(sys, "/dev", "hidraw")) {
        const std::string pfad = "/dev/" + name;
        const int fd = sys.oeffnen(pfad, O_RDWR);
        if (fd < 0)
            continue;
        hidraw_devinfo info{};
        char text[256] = {};
        if (sys.ioctl(fd, HIDIOCGRAWINFO, &info) == 0
            && static_cast<std::uint16_t>(info.vendor) == Hidrelais_Hersteller
            && static_cast<std::uint16_t>(info.product) == Hidrelais_Produkt
            && sys.ioctl(fd, HIDIOCGRAWNAME(sizeof text - 1), text) >= 0) {
            Hidplatine p{pfad, std::string(text, strnlen(text, sizeof text)), 0};
            // The V-USB id is shared by many gadgets: only a "USBRelay" product is one of these boards.
            p.kanaele = Hidrelais_Kanaele(p.name);
            if (p.kanaele > 0)
                platinen.push_back(std::move(p));
        }
        sys.schliessen(fd);
    }
    return platinen;
}

Hidrelais::Hidrelais(Systemaufrufe sys, Treibermeldungen& meldungen) : m_sys(std::move(sys)), m_meldungen(meldungen)
{
}

Hidrelais::~Hidrelais() { schliessen(); }

bool Hidrelais::oeffnen()
{
    schliessen();
    const auto platinen = Hidrelais_Suchen(m_sys);
    for (auto& p : platinen) {
        const int fd = m_sys.oeffnen(p.pfad, O_RDWR);
        if (fd < 0)
            continue;
        m_fd = fd;
        m_platine = p;
        break;
    }
    if (m_fd < 0) {
        m_meldungen.hinweis("Keine USB-HID-Relaiskarte (16c0:05df, \"USBRelay\") gefunden oder keine Berechtigung "
                            "(Gruppe \"plugdev\"?). Es wird nichts ausgegeben.\n"
                            "No USB HID relay board (16c0:05df, \"USBRelay\") found, or no permission "
                            "(group \"plugdev\"?). No output is written.");
        return false;
    }
    if (m_sys.notausEintragen) {
        const auto aus = bericht(AlleAus, 0);
        m_sys.notausEintragen(m_fd, notaus::Art::Merkmal, aus.data(), aus.size());
    }
    allesAus();
    return true;
}

bool Hidrelais::befehl(std::uint8_t kommando, std::uint8_t relais)
{
    auto b = bericht(kommando, relais);
    return m_fd >= 0 && m_sys.ioctl(m_fd, HIDIOCSFEATURE(b.size()), b.data()) == static_cast<int>(b.size());
}

std::optional<std::uint8_t> Hidrelais::lesen()
{
    // Bytes 0..4 the board's serial, byte 7 the relay states (asked for as report 1, as the boards answer).
    std::array<std::uint8_t, Hidrelais_Berichtslaenge> b{};
    b[0] = 0x01;
    const int n = m_fd >= 0 ? m_sys.ioctl(m_fd, HIDIOCGFEATURE(b.size()), b.data()) : -1;
    if (n < 8)
        return std::nullopt;
    return static_cast<std::uint8_t>(b[7] & kanalmaske(m_platine.kanaele));
}

void Hidrelais::alarmAusloesen()
{
    m_alarm = true;
    m_meldungen.zeigeAlarmUSB();
}

void Hidrelais::schreibe(std::uint8_t byte)
{
    if (m_alarm || m_fd < 0)
        return; // the board keeps what it last got until the alarm is acknowledged
    const std::uint8_t soll = byte & kanalmaske(m_platine.kanaele);
    // One read per tick also finds a board that was pulled while nothing changed.
    m_zustand = lesen();
    if (!m_zustand) {
        alarmAusloesen();
        return;
    }
    if (*m_zustand == soll)
        return;
    // Offs first, so a failure half-way leaves less switched on.
    for (int runde = 0; runde < 2; ++runde) {
        for (int k = 0; k < m_platine.kanaele; ++k) {
            const bool an = soll & (1u << k);
            const bool war = *m_zustand & (1u << k);
            if (an == war || an != (runde == 1))
                continue;
            if (!befehl(an ? Ein : Aus, static_cast<std::uint8_t>(k + 1))) {
                alarmAusloesen();
                return;
            }
        }
    }
    m_zustand = lesen();
    if (!m_zustand || *m_zustand != soll)
        alarmAusloesen();
}

void Hidrelais::allesAus()
{
    if (m_fd < 0)
        return;
    befehl(AlleAus, 0);
    m_zustand = lesen();
}

void Hidrelais::schliessen()
{
    if (m_fd < 0)
        return;
    allesAus();
    if (m_sys.notausAustragen)
        m_sys.notausAustragen(m_fd);
    m_sys.schliessen(m_fd);
    m_fd = -1;
    m_zustand.reset();
}

} // namespace kw
