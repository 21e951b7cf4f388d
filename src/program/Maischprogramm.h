#pragma once
// Mash program: the phase record, the table of 20 phases and the program-level texts.

#include <array>
#include <string>

namespace kw {

inline constexpr int Max_Phasen = 20;

// One mash phase; every value is held as text, exactly as typed or loaded.
class Cl_Phase {
public:
    void setHeizphase(std::string v) { m_Heizphase = std::move(v); }
    void setAufheizphase(std::string v) { m_Aufheizphase = std::move(v); }
    void setKuehlphase(std::string v) { m_Kuehlphase = std::move(v); }
    void setTemperatur(std::string v) { m_Temperatur = std::move(v); }
    void setHeizzeit(std::string v) { m_Heizzeit = std::move(v); }
    void setRuehrimpuls(std::string v) { m_Ruehrimpuls = std::move(v); }
    void setRuehrpause(std::string v) { m_Ruehrpause = std::move(v); }
    void setRufzeit(std::string v) { m_Rufzeit = std::move(v); }
    void setRuf_Ende_Phase(std::string v) { m_Ruf_Ende_Phase = std::move(v); }
    void setRuf_nach_Rufzeit(std::string v) { m_Ruf_nach_Rufzeit = std::move(v); }
    void setKein_Ruf(std::string v) { m_Kein_Ruf = std::move(v); }
    void setRuftext(std::string v) { m_Ruftext = std::move(v); }

    const std::string& Heizphase() const { return m_Heizphase; }
    const std::string& Aufheizphase() const { return m_Aufheizphase; }
    const std::string& Kuehlphase() const { return m_Kuehlphase; }
    const std::string& Temperatur() const { return m_Temperatur; }
    const std::string& Heizzeit() const { return m_Heizzeit; }
    const std::string& Ruehrimpuls() const { return m_Ruehrimpuls; }
    const std::string& Ruehrpause() const { return m_Ruehrpause; }
    const std::string& Rufzeit() const { return m_Rufzeit; }
    const std::string& Ruf_Ende_Phase() const { return m_Ruf_Ende_Phase; }
    const std::string& Ruf_nach_Rufzeit() const { return m_Ruf_nach_Rufzeit; }
    const std::string& Kein_Ruf() const { return m_Kein_Ruf; }
    const std::string& Ruftext() const { return m_Ruftext; }

    bool operator==(const Cl_Phase&) const = default;

private:
    std::string m_Heizphase, m_Aufheizphase, m_Kuehlphase, m_Temperatur, m_Heizzeit,
        m_Ruehrimpuls, m_Ruehrpause, m_Rufzeit, m_Ruf_Ende_Phase, m_Ruf_nach_Rufzeit,
        m_Kein_Ruf, m_Ruftext;
};

// Flag texts: the editor and controller store "True"/"False", the save defaults
// "TRUE"/"FALSE"; every reader compares without regard to case, empty is false.
std::string Flagtext(bool wert);
bool Flag_Lesen(const std::string& text);

// The whole mash program. Beer name, phase count and titles belong to the editor
// pages; the pages write into this model and everybody else reads it.
class Maischprogramm {
public:
    std::string Biersorte;   // Par_Biersorte
    std::string AnzPhasen;   // Par_AnzPhasen, "1".."20" or empty

    // Phase n, n in 1..20.
    Cl_Phase& Phase(int n) { return m_Phase.at(index(n)); }
    const Cl_Phase& Phase(int n) const { return m_Phase.at(index(n)); }
    // Title of phase n (Par_Titel n), n in 1..20.
    std::string& Titel(int n) { return m_Titel.at(index(n)); }
    const std::string& Titel(int n) const { return m_Titel.at(index(n)); }

    bool operator==(const Maischprogramm&) const = default;

private:
    static std::size_t index(int n);
    std::array<Cl_Phase, Max_Phasen> m_Phase{};
    std::array<std::string, Max_Phasen> m_Titel{};
};

// The kind flags, each read on its own. A hand-edited file may set more than
// one; the controller then takes the first in the order heating-up, holding, cooling.
bool Ist_Aufheizphase(const Cl_Phase& p);
bool Ist_Heizphase(const Cl_Phase& p);
bool Ist_Kuehlphase(const Cl_Phase& p);

// Start-check normalisation: Heizzeit "0" for heating-up and cooling phases,
// Rufzeit "0" for phases without a timed call.
void Startpruefung_Normalisieren(Cl_Phase& p);

// True when the phase is completely parameterised (after the normalisation).
bool Phase_Vollstaendig(const Cl_Phase& p);

// Defaults written before a save: an untouched kind group becomes a holding
// phase, an untouched call group "no call".
void Speichervorgaben_Setzen(Maischprogramm& programm);

} // namespace kw
