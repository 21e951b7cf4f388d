#pragma once
// Relays on GPIO lines through the kernel's GPIO character device (uAPI v2 of <linux/gpio.h>, no libgpiod:
// its C API changed incompatibly between 1.6 and 2.x, and the few ioctls are stable kernel ABI).

#include "hardware/Ausgabegeraet.h"
#include "hardware/Systemaufrufe.h"
#include "hardware/Treibermeldungen.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kw {

inline constexpr int Ausgangsanzahl = 8;

// Names of the eight outputs, bit 0 .. bit 7 of the output byte.
const char* Ausgangsname_De(int bit); // "Heizung", "Rührwerk", ...
const char* Ausgangsname_En(int bit); // "heating", "stirrer", ...
// Keys of Kesselwerk.ini ("Heizung", "Ruehrwerk", ...).
const char* Ausgangsschluessel(int bit);

struct Gpioeinstellungen {
    std::string chip;                                            // label ("pinctrl-bcm2711"), name ("gpiochip0") or path
    std::array<std::optional<std::uint32_t>, Ausgangsanzahl> leitung{}; // line offset per output; empty = not wired
    bool aktivNiedrig = true;                                    // relay pulls in at level 0 (most relay boards)

    bool operator==(const Gpioeinstellungen&) const = default;
    bool irgendeineLeitung() const;
};

// One chip as the settings screen lists it.
struct Gpiochip {
    std::string pfad;  // "/dev/gpiochip0"
    std::string name;  // "gpiochip0"
    std::string label; // "pinctrl-bcm2711"
    std::uint32_t leitungen = 0;
};
std::vector<Gpiochip> Gpiochips_Auflisten(const Systemaufrufe& sys);

// The chip the setting names, by label first, then by name or path.
std::optional<Gpiochip> Gpiochip_Finden(const std::vector<Gpiochip>& chips, const std::string& wahl);

class Gpio final : public Ausgabegeraet {
public:
    Gpio(Gpioeinstellungen e, Systemaufrufe sys, Treibermeldungen& meldungen, std::string verbraucher = "kesselwerk");
    ~Gpio() override; // all off, lines released

    // Requests every wired line as an output that starts "off". A line that cannot be had (held by another
    // process, beyond the chip) is told by name and left out; the others work. False when no line is held.
    bool oeffnen() override;
    void schreibe(std::uint8_t byte) override;
    void schliessen() override; // all off, then released
    bool istOffen() const override { return !m_anforderungen.empty(); }
    void allesAus() override { setzen(0); }

    const Gpioeinstellungen& einstellungen() const { return m_e; }
    // Outputs whose line is held (bit n = output n).
    std::uint8_t gehalteneAusgaenge() const;

private:
    struct Anforderung {
        int fd = -1;
        std::vector<int> bits; // output bit of each requested line, in request order
    };
    std::optional<Anforderung> anfordern(int chipFd, const std::vector<int>& bits, int* fehler);
    bool setzen(std::uint8_t byte);
    void melde(const std::string& deutsch, const std::string& englisch);

    Gpioeinstellungen m_e;
    Systemaufrufe m_sys;
    Treibermeldungen& m_meldungen;
    std::string m_verbraucher;
    std::string m_chipName;
    std::vector<Anforderung> m_anforderungen;
    bool m_schreibfehlerGemeldet = false;
};

} // namespace kw
