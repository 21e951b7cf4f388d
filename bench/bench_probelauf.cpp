// The dry run of a 20-phase program on the kettle model, and the fit of the model
// to three simulated brew journals.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "Kesselsimulation.h"
#include "model/Modellwissen.h"
#include "probelauf/Probelauf.h"

using namespace kw;
using Uhr = std::chrono::steady_clock;

namespace {

double ms_seit(Uhr::time_point t) { return std::chrono::duration<double, std::milli>(Uhr::now() - t).count(); }

// 20 phases: ten heating-up steps of 3 K from 45 to 75, each followed by a rest of 15 min,
// every third rest with a call at its end.
void Zwanzig_Phasen(Maischprogramm& pr)
{
    pr.Biersorte = "Zwanzig";
    pr.AnzPhasen = "20";
    for (int i = 0; i < 10; ++i) {
        const std::string t = std::to_string(48 + 3 * i);
        test::Phase_Setzen(pr, 2 * i + 1, "Aufheizen " + t, test::Art::Aufheizen, t);
        test::Phase_Setzen(pr, 2 * i + 2, "Rast " + t, test::Art::Halten, t, "15",
                           i % 3 == 2 ? test::Ruf::Ende : test::Ruf::Kein);
    }
}

} // namespace

int main()
{
    Maischprogramm pr;
    Zwanzig_Phasen(pr);
    probelauf::Vorgaben v;
    v.kessel = test::Testkessel();
    v.start_C = 45;
    probelauf::Probelauf(pr, v);   // warm-up

    constexpr int laeufe = 10;
    double summe = 0, hoechste = 0;
    probelauf::Ergebnis e;
    for (int i = 0; i < laeufe; ++i) {
        const auto t = Uhr::now();
        e = probelauf::Probelauf(pr, v);
        const double d = ms_seit(t);
        summe += d;
        hoechste = std::max(hoechste, d);
    }
    std::printf("dry run, 20 phases, %s h:min simulated (%zu curve points, complete: %s): "
                "mean %.1f ms, max %.1f ms over %d runs (target < 500 ms)\n",
                probelauf::Stunden_Minuten(e.gesamt_s).c_str(), e.kurve.size(), e.vollstaendig ? "yes" : "no",
                summe / laeufe, hoechste, laeufe);

    const std::filesystem::path ordner =
        std::filesystem::temp_directory_path() / ("kw_bench_modell_" + std::to_string(::getpid()));
    std::filesystem::create_directories(ordner);
    auto t = Uhr::now();
    test::Drei_Sude(ordner.string(), test::Testkessel());
    std::printf("three simulated brews with their journals: %.0f ms\n", ms_seit(t));
    BrauDaten daten;
    daten.Sudgroesse = "50";
    modell::Modell_Ermitteln(ordner.string(), daten);   // warm-up (file cache)
    t = Uhr::now();
    const modell::Modellstand m = modell::Modell_Ermitteln(ordner.string(), daten);
    const double lernen = ms_seit(t);
    std::printf("fit from %d journals (reading included): %.1f ms; rate %.4f K/min, loss %.4f 1/h, "
                "dead time %.0f s, RMS %.3f K, max %.3f K\n",
                m.sude, lernen, m.p.Heizrate_K_min, m.p.Verlust_1_h, m.p.Totzeit_s, m.rms_K, m.max_K);
    std::filesystem::remove_all(ordner);
    return 0;
}
