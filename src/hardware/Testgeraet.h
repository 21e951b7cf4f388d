#pragma once
// The test device (--testgeraet DATEI): instead of a relay card, each byte that would reach the relays is
// appended to a file as one line "<Unix time in ms> <byte in decimal>". Lets the program be tried without
// relays, and the tests see what the relays would have done.

#include "hardware/Ausgangsbyte.h"
#include "hardware/Hidrelais.h"
#include "hardware/Testkern.h"
#include "hardware/Treibermeldungen.h"

#include <cstdint>
#include <memory>
#include <string>

namespace kw {

class Testgeraet final : public Ausgabegeraet {
public:
    // Stands in for a parallel port or for the IO-Warrior board, with the same open and write failures:
    // a port tells a failed open or write once (hint); the board shows Meldung 55 at a failed open and raises
    // the USB alarm at a failed write, blocking writes until acknowledged.
    enum class Art { Parallelport, IOWarrior };
    Testgeraet(std::string datei, Art art, Treibermeldungen& meldungen);
    ~Testgeraet() override;

    bool oeffnen() override;
    void schreibe(std::uint8_t byte) override;
    void schliessen() override; // a port writes 0 first, as the real one does
    bool istOffen() const override { return m_fd >= 0; }
    void allesAus() override;
    bool alarm() const override { return m_alarm; }
    void alarmLoeschen() override { m_alarm = false; }

private:
    bool zeile(std::uint8_t byte); // one write of one whole line

    std::string m_datei;
    Art m_art;
    Treibermeldungen& m_meldungen;
    int m_fd = -1;
    bool m_alarm = false;
    bool m_fehlerGemeldet = false;
};

// Every device the program asks for is the test file. GPIO lines and the USB HID board are the real drivers
// on a stand-in kernel (a chip "kw-testchip" of 64 lines, one board "USBRelay8"): each change of what the relays
// would show appends the byte.
class Testgeraetequelle final : public Geraetequelle {
public:
    Testgeraetequelle(std::string datei, Treibermeldungen& meldungen);
    ~Testgeraetequelle() override;
    std::unique_ptr<Ausgabegeraet> parallelport(std::uint16_t adresse) override;
    Ausgabegeraet& iowarrior() override { return m_iowarrior; }
    std::unique_ptr<Ausgabegeraet> gpio(const Gpioeinstellungen& e) override;
    Ausgabegeraet* hidrelais() override { return m_hid.get(); }

private:
    Systemaufrufe kerntabelle();
    void aenderung(const std::string& geraet);

    std::string m_datei;
    Treibermeldungen& m_meldungen;
    Testgeraet m_iowarrior;
    Testkern m_kern;
    int m_fd = -1; // the test file, for the lines of the stand-in kernel
    Gpioeinstellungen m_gpio; // of the GPIO object made last
    std::unique_ptr<Hidrelais> m_hid;
};

// "<ms> <byte>\n" for the given time.
std::string Testzeile(long long unix_ms, std::uint8_t byte);

} // namespace kw
