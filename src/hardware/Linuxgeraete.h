#pragma once
// The real relay devices on Linux: ppdev parallel ports, the iowarrior board, GPIO lines and the USB HID relay board.

#include "hardware/Ausgangsbyte.h"
#include "hardware/Hidrelais.h"
#include "hardware/IOWarrior.h"
#include "hardware/Systemaufrufe.h"

namespace kw {

class Linuxgeraete final : public Geraetequelle {
public:
    explicit Linuxgeraete(Treibermeldungen& meldungen, Systemaufrufe sys = Systemaufrufe::echt());

    std::unique_ptr<Ausgabegeraet> parallelport(std::uint16_t adresse) override;
    Ausgabegeraet& iowarrior() override { return m_iowarrior; }
    std::unique_ptr<Ausgabegeraet> gpio(const Gpioeinstellungen& e) override;
    Ausgabegeraet* hidrelais() override { return &m_hidrelais; }

private:
    Treibermeldungen& m_meldungen;
    Systemaufrufe m_sys;
    IOWarrior m_iowarrior;
    Hidrelais m_hidrelais;
};

} // namespace kw
