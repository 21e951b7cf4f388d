#include "model/Kesselmodell.h"

#include <algorithm>
#include <cmath>

namespace kw::modell {

double Kesselparameter::Gleichgewicht_Voll_C() const
{
    if (Verlust_1_h <= 0)
        return 1e9;
    return Raumtemperatur_C + (Heizrate_K_min * 60.0) / Verlust_1_h;
}

double Kesselparameter::Dauerzustand_Voll_C() const { return std::min(Gleichgewicht_Voll_C(), Siedepunkt_C); }

Kesselmodell::Kesselmodell(const Kesselparameter& p, double start_C, std::int64_t jetzt_ms)
    : m_p(p), m_r_s(p.Heizrate_K_min / 60.0), m_a_s(std::max(0.0, p.Verlust_1_h) / 3600.0),
      m_t(start_C), m_t0_max(start_C), m_jetzt(jetzt_ms)
{
}

void Kesselmodell::Heizung(bool ein)
{
    if (ein == m_heizung)
        return;
    m_heizung = ein;
    m_wechsel.emplace_back(m_jetzt, ein);
}

void Kesselmodell::Vorgeschichte(bool ein)
{
    m_wechsel.clear();
    m_heizung = m_wirksam = ein;
}

void Kesselmodell::integrieren(double dauer_s, bool ein)
{
    if (dauer_s <= 0)
        return;
    const double zufuhr = ein ? m_r_s : 0.0;
    if (m_a_s <= 0) {
        m_t += zufuhr * dauer_s;
    } else {
        const double ziel = m_p.Raumtemperatur_C + zufuhr / m_a_s;
        m_t = ziel + (m_t - ziel) * std::exp(-m_a_s * dauer_s);
    }
    // The input is constant over the interval: once at the boil, it stays there.
    m_t = std::min(m_t, std::max(m_p.Siedepunkt_C, m_t0_max));
}

void Kesselmodell::fortschreiben(std::int64_t ms)
{
    if (ms <= m_jetzt)
        return;
    if (m_heizung)
        m_ein_ms += ms - m_jetzt;
    const auto totzeit = static_cast<std::int64_t>(std::llround(std::max(0.0, m_p.Totzeit_s) * 1000.0));
    std::int64_t t = m_jetzt;
    // Changes that reach the kettle before `ms` split the interval.
    while (!m_wechsel.empty() && m_wechsel.front().first + totzeit < ms) {
        const std::int64_t wirkt = std::max(t, m_wechsel.front().first + totzeit);
        integrieren((wirkt - t) / 1000.0, m_wirksam);
        t = wirkt;
        m_wirksam = m_wechsel.front().second;
        m_wechsel.pop_front();
    }
    integrieren((ms - t) / 1000.0, m_wirksam);
    m_jetzt = ms;
}

} // namespace kw::modell
