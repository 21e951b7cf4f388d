#include "hardware/IOWarrior.h"

#include "hardware/iowarrior_ioctl.h"

#include <fcntl.h>
#include <utility>

namespace kw {

namespace {
const char* const usbVerzeichnis = "/dev/usb";
} // namespace

short Berichtsgroesse_Fuer(std::uint32_t produkt, short bisher)
{
    switch (produkt) {
    case 0x1501: return 3; // IO-Warrior 24
    case 0x1500: return 5; // IO-Warrior 40
    case 0x1503: return 8; // IO-Warrior 56
    default: return bisher;
    }
}

IOWarrior::IOWarrior(Systemaufrufe sys, Treibermeldungen& meldungen) : m_sys(std::move(sys)), m_meldungen(meldungen) {}

IOWarrior::~IOWarrior() { IOW_Schliessen(); }

bool IOWarrior::IOW_Oeffnen()
{
    // A node takes one opener only: reopening without closing would fail.
    IOW_Schliessen();

    m_Geraeteanzahl = 0;
    for (auto& name : Nummerierte_Eintraege(m_sys, usbVerzeichnis, "iowarrior")) {
        std::string pfad = std::string(usbVerzeichnis) + "/" + name;
        int fd = m_sys.oeffnen(pfad, O_RDWR);
        if (fd < 0)
            continue; // held by another program, or gone
        iowarrior_info info{};
        if (m_sys.ioctl(fd, IOW_GETINFO, &info) < 0 || info.if_num != 0) {
            m_sys.schliessen(fd); // interface 1 is the special-mode pipe
            continue;
        }
        ++m_Geraeteanzahl;
        if (m_fd < 0) {
            m_fd = fd;
            m_geraet = pfad;
        } else {
            m_sys.schliessen(fd); // only the first board is driven
        }
    }
    if (m_fd < 0)
        m_meldungen.meldung(55, "Error");
    IOW_Berichtsgroesse();
    return m_fd >= 0;
}

void IOWarrior::IOW_Berichtsgroesse()
{
    std::uint32_t produkt = 0;
    iowarrior_info info{};
    if (m_fd >= 0 && m_sys.ioctl(m_fd, IOW_GETINFO, &info) == 0)
        produkt = info.product;
    m_Berichtsgroesse = Berichtsgroesse_Fuer(produkt, m_Berichtsgroesse);
    if (m_fd >= 0 && m_Berichtsgroesse > 0 && m_Berichtsgroesse != m_notausGroesse && m_sys.notausEintragen) {
        // The all-off report as the kernel takes it (without the ID byte), for the emergency handlers.
        std::array<std::uint8_t, 9> aus{};
        aus.fill(0xFF);
        aus[0] = 0;
        aus[2] = 0x03;
        m_sys.notausEintragen(m_fd, notaus::Art::Bericht, aus.data() + 1,
                              static_cast<std::size_t>(m_Berichtsgroesse - 1));
        m_notausGroesse = m_Berichtsgroesse;
    }
}

void IOWarrior::berichtFuellen(std::uint8_t byte)
{
    m_Bericht.fill(0xFF);
    m_Bericht[0] = 0;                                   // report ID
    m_Bericht[1] = static_cast<std::uint8_t>(255 - byte); // port 0, active low
    m_Bericht[2] = 0x03;                                // port 1
}

bool IOWarrior::berichtSenden()
{
    if (m_Berichtsgroesse <= 0)
        return true; // size unknown: nothing to send, nothing failed
    if (m_fd < 0)
        return false;
    // The kernel takes the report without its ID byte.
    const auto laenge = static_cast<std::size_t>(m_Berichtsgroesse - 1);
    return m_sys.schreiben(m_fd, m_Bericht.data() + 1, laenge) == static_cast<ssize_t>(laenge);
}

void IOWarrior::IOW_Schreiben(std::uint8_t byte)
{
    if (m_USB_Alarm)
        return; // the board keeps what it last got until the alarm is acknowledged
    IOW_Berichtsgroesse();
    berichtFuellen(byte);
    if (!berichtSenden()) {
        m_USB_Alarm = true;
        m_meldungen.zeigeAlarmUSB();
    }
}

void IOWarrior::allesAus()
{
    IOW_Berichtsgroesse();
    berichtFuellen(0);
    berichtSenden();
}

void IOWarrior::IOW_Schliessen()
{
    if (m_fd < 0)
        return;
    if (m_sys.notausAustragen)
        m_sys.notausAustragen(m_fd);
    m_notausGroesse = 0;
    m_sys.schliessen(m_fd);
    m_fd = -1;
}

} // namespace kw
