// Cost of the controller tick and of a whole simulated brew.
//
// A 20-phase program (heating-up, holding with calls, cooling) of about five
// hours runs on a fake clock with a simple kettle model that heats at 1 K/min
// while the heating output is on and cools at 0.5 K/min otherwise. Calls are
// acknowledged after 30 s. Prints the median cost of one tick in a running
// phase and the wall time of the whole brew.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/Steuerung.h"

namespace {

using namespace std::chrono_literals;
using Uhr = std::chrono::steady_clock;

struct Stumm : kw::Meldungen {
    int anzahl = 0;
    void zeige(int) override { ++anzahl; }
};

struct Ohne_Fenster : kw::Fenster {
    int rufe = 0;
    void Braumeisterruf_Zeigen(const std::string&) override { ++rufe; }
    void Braumeisterruf_Verbergen() override {}
    void Konfiguration_Laden_Und_Zeigen() override {}
    void WarnungDS1820_Zeigen() override {}
};

void Programm_Anlegen(kw::Maischprogramm& pr)
{
    pr.Biersorte = "Benchmark";
    pr.AnzPhasen = "20";
    double temperatur = 45.0;
    for (int n = 1; n <= 20; ++n) {
        kw::Cl_Phase& p = pr.Phase(n);
        const int art = n % 4;
        p.setAufheizphase(kw::Flagtext(art == 1));
        p.setHeizphase(kw::Flagtext(art == 2 || art == 3));
        p.setKuehlphase(kw::Flagtext(art == 0));
        if (art == 1)
            temperatur += 2.0;
        if (art == 0)
            temperatur -= 2.0;
        p.setTemperatur(std::to_string(static_cast<int>(temperatur)));
        p.setHeizzeit("25");
        p.setRuehrimpuls("30");
        p.setRuehrpause("90");
        p.setRufzeit("5");
        p.setKein_Ruf(kw::Flagtext(art != 2 && art != 3));
        p.setRuf_Ende_Phase(kw::Flagtext(art == 2));
        p.setRuf_nach_Rufzeit(kw::Flagtext(art == 3));
        p.setRuftext("Ruf " + std::to_string(n));
        pr.Titel(n) = "Phase " + std::to_string(n);
    }
}

struct Ergebnis {
    double wand_s = 0.0;
    double sud_h = 0.0;
    long ticks = 0;
    int rufe = 0;
    std::vector<long> tick_ns;   // ticks in a running phase, when measured
};

// `modell`: "Simulation mit Kesselmodell", the model gives the temperature every tick.
Ergebnis Sud(bool einzeln_messen, bool modell = false)
{
    kw::Anlage a;
    kw::Anzeige z;
    Stumm m;
    Ohne_Fenster f;
    kw::Steuerung s(a, z, m, f);

    std::int64_t ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                          (std::chrono::sys_days{std::chrono::year{2026} / 12 / 8} + 8h)
                              .time_since_epoch())
                          .count();
    const auto jetzt = [&] { return kw::Zeitpunkt{std::chrono::seconds{ms / 1000}}; };

    s.laden(jetzt());
    Programm_Anlegen(a.Programm);
    s.Signal_und_Gradient_Uebernehmen(true, true);
    if (modell) {
        kw::modell::Kesselparameter p;
        p.Heizrate_K_min = 0.86;
        p.Verlust_1_h = 0.15;
        p.Totzeit_s = 45;
        s.Kesselmodell_Setzen(p);
        s.Switch1();
        s.Scroll_Sim_IstTemperatur(-20);
        s.Sim_Modell_Schalten();
    }
    double kessel = 20.0;
    char text[32];

    Ergebnis e;
    if (einzeln_messen)
        e.tick_ns.reserve(300000);
    const auto beginn = Uhr::now();
    const std::int64_t start_ms = ms;
    std::int64_t ruf_seit = -1;
    bool gestartet = false;

    while (true) {
        ms += 100;
        if (ms % 500 == 0)
            s.Takt_1s();
        // a reading every 3 s, as DigiTemp delivers them
        if (ms % 3000 == 0) {
            std::snprintf(text, sizeof text, "%.2f", kessel);
            a.Temperaturwert = text;
            a.Messzeitpunkt = jetzt();
        }
        if (einzeln_messen && a.Ablaufschritt == 3 && !a.Ruf_Aktiv) {
            const auto t0 = Uhr::now();
            s.tick(jetzt());
            const auto t1 = Uhr::now();
            e.tick_ns.push_back(std::chrono::duration_cast<std::chrono::nanoseconds>(t1 - t0).count());
        } else {
            s.tick(jetzt());
        }
        a.Aus_Ruehrwerk = a.Ruehrwerk_Ein;   // output stage stand-in
        ++e.ticks;

        kessel += (a.Aus_Heizung ? 1.0 : -0.5) / 600.0;
        if (!gestartet && a.Konfig_Geladen) {
            s.START_BRAUEN();
            gestartet = true;
        }
        if (a.Ruf_Aktiv) {
            if (ruf_seit < 0)
                ruf_seit = ms;
            else if (ms - ruf_seit >= 30000) {
                s.QUITTIEREN();
                ruf_seit = -1;
            }
        }
        if (gestartet && !a.Brauen_Gestartet && a.Ablaufschritt == 0)
            break;
        if (ms - start_ms > 24LL * 3600 * 1000) {
            std::fprintf(stderr, "brew did not finish\n");
            break;
        }
    }
    e.wand_s = std::chrono::duration<double>(Uhr::now() - beginn).count();
    e.sud_h = static_cast<double>(ms - start_ms) / 3.6e6;
    e.rufe = f.rufe;
    if (m.anzahl)
        std::fprintf(stderr, "%d unexpected messages\n", m.anzahl);
    return e;
}

} // namespace

int main()
{
    Sud(false);   // warm-up

    Ergebnis gemessen = Sud(true);
    std::vector<long>& t = gemessen.tick_ns;
    std::sort(t.begin(), t.end());
    const long median = t.empty() ? 0 : t[t.size() / 2];
    const long p99 = t.empty() ? 0 : t[t.size() * 99 / 100];

    Ergebnis mit_modell = Sud(true, true);
    std::vector<long>& tm = mit_modell.tick_ns;
    std::sort(tm.begin(), tm.end());

    double beste = 1e9;
    Ergebnis sud;
    for (int i = 0; i < 5; ++i) {
        sud = Sud(false);
        beste = std::min(beste, sud.wand_s);
    }

    std::printf("tick (running 20-phase program): median %ld ns, p99 %ld ns over %zu ticks"
                " (target < 20000 ns)\n",
                median, p99, t.size());
    std::printf("tick with the kettle model as the simulated thermometer: median %ld ns, p99 %ld ns over %zu ticks"
                " (%.2f h simulated)\n",
                tm.empty() ? 0 : tm[tm.size() / 2], tm.empty() ? 0 : tm[tm.size() * 99 / 100], tm.size(),
                mit_modell.sud_h);
    std::printf("whole brew: 20 phases, %.2f h simulated, %ld ticks, %d calls: %.3f s wall"
                " (best of 5, target < 1 s)\n",
                sud.sud_h, sud.ticks, sud.rufe, beste);
    return 0;
}
