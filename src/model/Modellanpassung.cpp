#include "model/Modellanpassung.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kw::modell {

namespace {

constexpr int Fensterproben = 12;        // about one minute of 5 s samples
constexpr double Max_Totzeit_s = 300.0;
constexpr double Vorlauf_s = 1000.0;     // the input before a stretch counts as its first value

// The recorded heating as a function of time: switchings halfway between samples,
// and its running integral.
class Eingang {
public:
    explicit Eingang(const Messreihe& r)
    {
        m_start = r.front().t_s - Vorlauf_s;
        m_zeiten.push_back(m_start);
        m_werte.push_back(r.front().heizung);
        m_summen.push_back(0.0);
        for (std::size_t k = 1; k < r.size(); ++k) {
            if (r[k].heizung == r[k - 1].heizung)
                continue;
            const double t = 0.5 * (r[k - 1].t_s + r[k].t_s);
            m_summen.push_back(m_summen.back() + (m_werte.back() ? t - m_zeiten.back() : 0.0));
            m_zeiten.push_back(t);
            m_werte.push_back(r[k].heizung);
        }
    }
    // Integral of the heating from the start to t [s].
    double integral(double t) const
    {
        if (t <= m_start)
            return 0.0;
        const auto it = std::upper_bound(m_zeiten.begin(), m_zeiten.end(), t);
        const std::size_t j = static_cast<std::size_t>(it - m_zeiten.begin()) - 1;
        return m_summen[j] + (m_werte[j] ? t - m_zeiten[j] : 0.0);
    }

private:
    double m_start = 0;
    std::vector<double> m_zeiten;
    std::vector<bool> m_werte;
    std::vector<double> m_summen;
};

struct Fenster {
    const Eingang* eingang;
    double t0, t1;
    double dT;      // measured rise
    double S;       // integral of (T - T_Raum) [K s]
};

struct Loesung {
    double r_s = 0, a_s = 0, rss = std::numeric_limits<double>::infinity();
};

Loesung Loesen(const std::vector<Fenster>& fenster, double L)
{
    double s11 = 0, s12 = 0, s22 = 0, s1y = 0, s2y = 0, syy = 0;
    for (const Fenster& f : fenster) {
        const double x1 = f.eingang->integral(f.t1 - L) - f.eingang->integral(f.t0 - L);
        const double x2 = -f.S;
        s11 += x1 * x1;
        s12 += x1 * x2;
        s22 += x2 * x2;
        s1y += x1 * f.dT;
        s2y += x2 * f.dT;
        syy += f.dT * f.dT;
    }
    Loesung l;
    if (s11 <= 0)
        return l;
    const double det = s11 * s22 - s12 * s12;
    if (det > 1e-12 * s11 * s22) {
        l.r_s = (s1y * s22 - s2y * s12) / det;
        l.a_s = (s2y * s11 - s1y * s12) / det;
    }
    if (!(det > 1e-12 * s11 * s22) || l.a_s < 0) {
        // No loss visible (or a negative one): the rate alone.
        l.a_s = 0;
        l.r_s = s1y / s11;
    }
    // Residual sum of squares from the sums.
    l.rss = syy - 2 * (l.r_s * s1y + l.a_s * s2y) + l.r_s * l.r_s * s11 + 2 * l.r_s * l.a_s * s12
        + l.a_s * l.a_s * s22;
    return l;
}

} // namespace

void Abweichung_Messen(const std::vector<Messreihe>& reihen, Anpassung& a)
{
    double summe = 0, hoechste = 0;
    long n = 0;
    for (const Messreihe& r : reihen) {
        if (r.size() < 2)
            continue;
        Kesselmodell m(a.p, r.front().ist_C, std::llround(r.front().t_s * 1000.0));
        m.Vorgeschichte(r.front().heizung);
        for (std::size_t k = 1; k < r.size(); ++k) {
            if (r[k].heizung != r[k - 1].heizung) {
                m.fortschreiben(std::llround(500.0 * (r[k - 1].t_s + r[k].t_s)));
                m.Heizung(r[k].heizung);
            }
            m.fortschreiben(std::llround(r[k].t_s * 1000.0));
            const double d = std::fabs(m.Temperatur_C() - r[k].ist_C);
            summe += d * d;
            hoechste = std::max(hoechste, d);
            ++n;
        }
    }
    a.punkte = n;
    a.rms_K = n ? std::sqrt(summe / n) : 0.0;
    a.max_K = hoechste;
}

double Hoechster_Heizanstieg_K(const std::vector<Messreihe>& reihen, double nachlauf_s)
{
    double hoechster = 0;
    for (const Messreihe& r : reihen) {
        for (std::size_t k = 0; k < r.size(); ++k) {
            if (!r[k].heizung || (k > 0 && r[k - 1].heizung))
                continue;
            std::size_t e = k;
            while (e + 1 < r.size() && r[e + 1].heizung)
                ++e;
            const double bis = r[e].t_s + nachlauf_s;
            for (std::size_t i = k; i < r.size() && r[i].t_s <= bis; ++i)
                hoechster = std::max(hoechster, r[i].ist_C - r[k].ist_C);
        }
    }
    return hoechster;
}

Anpassung Anpassen(const std::vector<Messreihe>& reihen, const Kesselparameter& vorgabe)
{
    Anpassung erg;
    erg.p = vorgabe;
    const double raum = vorgabe.Raumtemperatur_C;

    std::vector<Eingang> eingaenge;
    eingaenge.reserve(reihen.size());
    std::vector<Fenster> fenster;
    for (const Messreihe& r : reihen) {
        if (r.size() < 2)
            continue;
        for (std::size_t k = 1; k < r.size(); ++k)
            if (r[k - 1].heizung)
                erg.heizdauer_s += r[k].t_s - r[k - 1].t_s;
        if (r.size() <= Fensterproben)
            continue;
        eingaenge.emplace_back(r);
        const Eingang* e = &eingaenge.back();
        for (std::size_t k = 0; k + Fensterproben < r.size(); k += Fensterproben) {
            Fenster f{e, r[k].t_s, r[k + Fensterproben].t_s, r[k + Fensterproben].ist_C - r[k].ist_C, 0.0};
            for (std::size_t i = k; i < k + Fensterproben; ++i)
                f.S += 0.5 * (r[i].ist_C + r[i + 1].ist_C - 2 * raum) * (r[i + 1].t_s - r[i].t_s);
            fenster.push_back(f);
        }
    }
    if (erg.heizdauer_s < Mindest_Heizdauer_s) {
        erg.grund = "zu wenig Heizzeit in den Aufzeichnungen";
        return erg;
    }
    if (fenster.size() < 10) {
        erg.grund = "zu wenige Messwerte";
        return erg;
    }

    Loesung beste;
    double beste_L = 0;
    for (double L = 0; L <= Max_Totzeit_s; L += 5.0) {
        const Loesung l = Loesen(fenster, L);
        if (l.rss < beste.rss) {
            beste = l;
            beste_L = L;
        }
    }
    const double grob = beste_L;
    for (double L = std::max(0.0, grob - 5.0); L <= std::min(Max_Totzeit_s, grob + 5.0); L += 1.0) {
        const Loesung l = Loesen(fenster, L);
        if (l.rss < beste.rss) {
            beste = l;
            beste_L = L;
        }
    }
    if (!(beste.r_s > 0)) {
        erg.grund = "die Heizung hat die Temperatur nicht erhöht";
        erg.p.Heizrate_K_min = std::max(0.0, beste.r_s * 60.0);
        return erg;
    }
    erg.p.Heizrate_K_min = beste.r_s * 60.0;
    erg.p.Verlust_1_h = beste.a_s * 3600.0;
    erg.p.Totzeit_s = beste_L;
    erg.ok = true;
    Abweichung_Messen(reihen, erg);
    return erg;
}

} // namespace kw::modell
