#pragma once
// The test device (--testgeraet DATEI): instead of a relay card, each byte that would reach the relays is
// appended to a file as one line "<Unix time in ms> <byte in decimal>". Lets the program be tried without
// relays, and the tests see what the relays would have done.

#include "hardware/Ausgangsbyte.h"
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

// Every device the program asks for is the test file.
class Testgeraetequelle final : public Geraetequelle {
public:
    Testgeraetequelle(std::string datei, Treibermeldungen& meldungen);
    std::unique_ptr<Ausgabegeraet> parallelport(std::uint16_t adresse) override;
    Ausgabegeraet& iowarrior() override { return m_iowarrior; }

private:
    std::string m_datei;
    Treibermeldungen& m_meldungen;
    Testgeraet m_iowarrior;
};

// "<ms> <byte>\n" for the given time.
std::string Testzeile(long long unix_ms, std::uint8_t byte);

} // namespace kw
