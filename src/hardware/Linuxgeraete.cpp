#include "hardware/Linuxgeraete.h"

#include "hardware/Parallelport.h"

namespace kw {

Linuxgeraete::Linuxgeraete(Treibermeldungen& meldungen, Systemaufrufe sys)
    : m_meldungen(meldungen), m_sys(sys), m_iowarrior(std::move(sys), meldungen)
{
}

std::unique_ptr<Ausgabegeraet> Linuxgeraete::parallelport(std::uint16_t adresse)
{
    return std::make_unique<Parallelport>(adresse, m_sys, m_meldungen);
}

} // namespace kw
