#pragma once
// Relay card on a parallel port, through the ppdev device of the port at the wanted base address.

#include "hardware/Ausgabegeraet.h"
#include "hardware/Systemaufrufe.h"
#include "hardware/Treibermeldungen.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kw {

// The ppdev node (/dev/parportN) whose /proc/sys/dev/parport/parportN/base-addr starts with the address.
std::optional<std::string> Parallelport_Suchen(std::uint16_t adresse, const Systemaufrufe& sys);

class Parallelport final : public Ausgabegeraet {
public:
    Parallelport(std::uint16_t adresse, Systemaufrufe sys, Treibermeldungen& meldungen);
    ~Parallelport() override; // writes 0 and lets the port go

    // Finds, opens and claims the port; tells the user once per call when that fails.
    bool oeffnen() override;
    void schreibe(std::uint8_t byte) override; // active high: 1 = relay on
    void schliessen() override;
    bool istOffen() const override { return m_fd >= 0; }

    std::uint16_t adresse() const { return m_adresse; }
    const std::string& geraet() const { return m_geraet; }

private:
    void melde(const std::string& deutsch, const std::string& englisch);

    std::uint16_t m_adresse;
    Systemaufrufe m_sys;
    Treibermeldungen& m_meldungen;
    std::string m_geraet;
    int m_fd = -1;
    bool m_schreibfehlerGemeldet = false;
};

} // namespace kw
