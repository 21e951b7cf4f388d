#include "program/Maischprogramm.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace kw {

std::string Flagtext(bool wert) { return wert ? "True" : "False"; }

bool Flag_Lesen(const std::string& text)
{
    static constexpr std::string_view wahr = "true";
    if (text.size() != wahr.size())
        return false;
    return std::equal(text.begin(), text.end(), wahr.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

std::size_t Maischprogramm::index(int n)
{
    if (n < 1 || n > Max_Phasen)
        throw std::out_of_range("phase number outside 1..20");
    return static_cast<std::size_t>(n - 1);
}

bool Ist_Aufheizphase(const Cl_Phase& p) { return Flag_Lesen(p.Aufheizphase()); }
bool Ist_Heizphase(const Cl_Phase& p) { return Flag_Lesen(p.Heizphase()); }
bool Ist_Kuehlphase(const Cl_Phase& p) { return Flag_Lesen(p.Kuehlphase()); }

void Startpruefung_Normalisieren(Cl_Phase& p)
{
    if (Flag_Lesen(p.Kuehlphase()) || Flag_Lesen(p.Aufheizphase()))
        p.setHeizzeit("0");
    if (Flag_Lesen(p.Ruf_Ende_Phase()) || Flag_Lesen(p.Kein_Ruf()))
        p.setRufzeit("0");
}

bool Phase_Vollstaendig(const Cl_Phase& p)
{
    if (p.Temperatur().empty() || p.Heizzeit().empty() || p.Ruehrimpuls().empty()
        || p.Ruehrpause().empty() || p.Rufzeit().empty())
        return false;
    const bool ruf = Flag_Lesen(p.Kein_Ruf()) || Flag_Lesen(p.Ruf_nach_Rufzeit())
        || Flag_Lesen(p.Ruf_Ende_Phase());
    const bool art = Flag_Lesen(p.Heizphase()) || Flag_Lesen(p.Aufheizphase())
        || Flag_Lesen(p.Kuehlphase());
    return ruf && art;
}

void Speichervorgaben_Setzen(Maischprogramm& programm)
{
    for (int n = 1; n <= Max_Phasen; ++n) {
        Cl_Phase& p = programm.Phase(n);
        if (p.Heizphase().empty() && p.Aufheizphase().empty() && p.Kuehlphase().empty()) {
            p.setHeizphase("TRUE");
            p.setAufheizphase("FALSE");
            p.setKuehlphase("FALSE");
        }
        if (p.Kein_Ruf().empty() && p.Ruf_Ende_Phase().empty() && p.Ruf_nach_Rufzeit().empty()) {
            p.setKein_Ruf("TRUE");
            p.setRuf_Ende_Phase("FALSE");
            p.setRuf_nach_Rufzeit("FALSE");
        }
    }
}

} // namespace kw
