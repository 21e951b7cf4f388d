#pragma once
// USB HID relay boards (USB id 16c0:05df, product "USBRelay1/2/4/8") through the kernel's hidraw nodes: relay n
// switched by a feature report, the relay states read back with a get-feature report.

#include "hardware/Ausgabegeraet.h"
#include "hardware/Systemaufrufe.h"
#include "hardware/Treibermeldungen.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kw {

inline constexpr std::uint16_t Hidrelais_Hersteller = 0x16c0;
inline constexpr std::uint16_t Hidrelais_Produkt = 0x05df;
// Report ID 0 and the 8 bytes of the report.
inline constexpr std::size_t Hidrelais_Berichtslaenge = 9;

struct Hidplatine {
    std::string pfad; // "/dev/hidraw3"
    std::string name; // what the kernel reports: manufacturer and product ("www.dcttech.com USBRelay2")
    int kanaele = 0;  // 1, 2, 4 or 8, from the product name
};

// Relay count from the kernel's name of the device: the number after "USBRelay"; 0 when it is not such a board.
int Hidrelais_Kanaele(const std::string& name);
// Every board on the machine, in the order of the hidraw numbers.
std::vector<Hidplatine> Hidrelais_Suchen(const Systemaufrufe& sys);

class Hidrelais final : public Ausgabegeraet {
public:
    Hidrelais(Systemaufrufe sys, Treibermeldungen& meldungen);
    ~Hidrelais() override; // all off, closed

    // The first board found; it starts all off. The user is told when there is none.
    bool oeffnen() override;
    // Relay n for bit n-1 (a board with fewer relays serves the first outputs); the states are read back.
    // A failed write or a read-back that does not match raises the USB alarm; nothing more is written until
    // it is acknowledged.
    void schreibe(std::uint8_t byte) override;
    void schliessen() override; // all off, then closed
    bool istOffen() const override { return m_fd >= 0; }
    void allesAus() override;   // also past a pending alarm; raises none
    bool alarm() const override { return m_alarm; }
    void alarmLoeschen() override { m_alarm = false; }

    const Hidplatine& platine() const { return m_platine; }
    // The relay states last read back (bit n-1 = relay n).
    std::optional<std::uint8_t> zustand() const { return m_zustand; }

private:
    bool befehl(std::uint8_t kommando, std::uint8_t relais);
    std::optional<std::uint8_t> lesen();
    void alarmAusloesen();

    Systemaufrufe m_sys;
    Treibermeldungen& m_meldungen;
    int m_fd = -1;
    Hidplatine m_platine;
    std::optional<std::uint8_t> m_zustand;
    bool m_alarm = false;
};

} // namespace kw
