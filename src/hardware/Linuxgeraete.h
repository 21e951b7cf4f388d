#pragma once
// The real relay devices on Linux: ppdev parallel ports and the iowarrior board.

#include "hardware/Ausgangsbyte.h"
#include "hardware/IOWarrior.h"
#include "hardware/Systemaufrufe.h"

namespace kw {

class Linuxgeraete final : public Geraetequelle {
public:
    explicit Linuxgeraete(Treibermeldungen& meldungen, Systemaufrufe sys = Systemaufrufe::echt());

    std::unique_ptr<Ausgabegeraet> parallelport(std::uint16_t adresse) override;
    Ausgabegeraet& iowarrior() override { return m_iowarrior; }

private:
    Treibermeldungen& m_meldungen;
    Systemaufrufe m_sys;
    IOWarrior m_iowarrior;
};

} // namespace kw
