#include "hardware/Linuxgeraete.h"

#include "hardware/Parallelport.h"

namespace kw {

Linuxgeraete::Linuxgeraete(Treibermeldungen& meldungen, Systemaufrufe sys)
    : m_meldungen(meldungen), m_sys(sys), m_iowarrior(sys, meldungen), m_hidrelais(sys, meldungen)
{
}

std::unique_ptr<Ausgabegeraet> Linuxgeraete::parallelport(std::uint16_t adresse)
{
    return std::make_unique<Parallelport>(adresse, m_sys, m_meldungen);
}

std::unique_ptr<Ausgabegeraet> Linuxgeraete::gpio(const Gpioeinstellungen& e)
{
    return std::make_unique<Gpio>(e, m_sys, m_meldungen);
}

} // namespace kw
