// Loading and saving recipes of every size: the worked example (about 5 KB) and
// files near the 8 MiB cap, with the extra lines spread over the phase sections
// or in many sections of their own. Prints the median of several runs.

#include "program/Rezeptdatei.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <ctime>

#include <unistd.h>

using namespace kw;
namespace fs = std::filesystem;

namespace {

Maischprogramm Festbier()
{
    Maischprogramm m;
    m.Biersorte = "Festbier";
    m.AnzPhasen = "3";
    m.Titel(1) = "Aufheizen";
    m.Phase(1).setAufheizphase("True");
    m.Phase(1).setTemperatur("62");
    m.Phase(1).setRuehrimpuls("30");
    m.Phase(1).setRuehrpause("30");
    m.Titel(2) = "Verzuckerung";
    m.Phase(2).setHeizphase("True");
    m.Phase(2).setTemperatur("62");
    m.Phase(2).setHeizzeit("40");
    m.Phase(2).setRuehrimpuls("10");
    m.Phase(2).setRuehrpause("50");
    m.Phase(2).setRufzeit("35");
    m.Phase(2).setRuf_nach_Rufzeit("True");
    m.Phase(2).setRuftext("Jodprobe machen");
    m.Titel(3) = "Abmaischen";
    m.Phase(3).setAufheizphase("True");
    m.Phase(3).setTemperatur("78");
    m.Phase(3).setRuehrimpuls("30");
    m.Phase(3).setRuehrpause("30");
    m.Phase(3).setRuf_Ende_Phase("True");
    m.Phase(3).setRuftext("Abmaischen");
    return m;
}

std::string lies(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

void schreibe(const fs::path& p, const std::string& s)
{
    std::ofstream(p, std::ios::binary) << s;
}

// The example with foreign lines until the file holds about `ziel` bytes.
enum class Form { Verteilt, Abschnitte_Davor, Abschnitte_Danach };

// The example with foreign lines until the file holds about `ziel` bytes:
// "NotizN=..." entries inside the 20 phase sections, or one "[Anhang N]"
// section per entry before or after the recipe.
std::string gross(const std::string& beispiel, std::size_t ziel, Form form)
{
    const std::size_t pro_zeile = 40;
    const std::size_t anzahl = (ziel - beispiel.size()) / pro_zeile;
    std::string r;
    r.reserve(ziel + 4096);
    if (form != Form::Verteilt) {
        std::string anhang;
        for (std::size_t i = 0; anhang.size() + beispiel.size() + 40 < ziel; ++i) {
            anhang += "[Anhang " + std::to_string(i) + "]\r\n";
            anhang += "W=1\r\n";
        }
        return form == Form::Abschnitte_Davor ? anhang + beispiel : beispiel + anhang;
    }
    std::size_t pos = 0, rest = anzahl, nr = 0;
    while (pos < beispiel.size()) {
        const std::size_t nl = beispiel.find("\r\n", pos);
        const std::string zeile = beispiel.substr(pos, nl + 2 - pos);
        pos = nl + 2;
        r += zeile;
        if (zeile.rfind("[Phase ", 0) == 0) {
            const std::size_t hier = std::min(rest, anzahl / 20 + 1);
            for (std::size_t i = 0; i < hier; ++i, ++nr) {
                std::string z = "Notiz" + std::to_string(nr) + "=";
                z.append(pro_zeile - 2 - z.size(), 'y');
                r += z + "\r\n";
            }
            rest -= hier;
        }
    }
    return r;
}

double cpu_ms()
{
    timespec t {};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Median wall time; `cpu` gets the median CPU time of this process (less
// disturbed on a busy machine, but without the wait for the disk).
template <class F> double median_ms(int laeufe, F&& f, double* cpu = nullptr)
{
    std::vector<double> t, c;
    for (int i = 0; i < laeufe; ++i) {
        const double c0 = cpu_ms();
        const auto a = std::chrono::steady_clock::now();
        f();
        t.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - a).count());
        c.push_back(cpu_ms() - c0);
    }
    std::sort(t.begin(), t.end());
    std::sort(c.begin(), c.end());
    if (cpu)
        *cpu = c[c.size() / 2];
    return t[t.size() / 2];
}

void messen(const char* name, const fs::path& ordner, const std::string& inhalt, int laeufe)
{
    const fs::path datei = ordner / "Festbier.rez";
    schreibe(datei, inhalt);
    Maischprogramm m;
    BrauDaten d;
    bool ok = true;
    double laden_cpu = 0, zurueck_cpu = 0, speichern_cpu = 0;
    const double laden =
        median_ms(laeufe, [&] { ok = Rezept_Laden(datei.string(), m, d).ok() && ok; }, &laden_cpu);
    // Each save starts from the same file: the time to put it back is taken off.
    const double zuruecksetzen = median_ms(laeufe, [&] { schreibe(datei, inhalt); }, &zurueck_cpu);
    const double speichern_gesamt = median_ms(laeufe, [&] {
        schreibe(datei, inhalt);
        ok = Rezept_Speichern(ordner.string(), m, d).ok() && ok;
    }, &speichern_cpu);
    std::printf("%-36s %9zu bytes  load %9.3f ms (cpu %8.3f)  save over %9.3f ms (cpu %8.3f)%s\n", name,
                inhalt.size(), laden, laden_cpu, speichern_gesamt - zuruecksetzen, speichern_cpu - zurueck_cpu,
                ok ? "" : "  (FAILED)");
}

} // namespace

int main(int argc, char** argv)
{
    // Default folder under /tmp; a folder on the disk the program uses can be given.
    // Second argument: runs for the large files (default 5).
    fs::path ordner = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const int laeufe_gross = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    ordner /= "kw_bench_rezept_" + std::to_string(::getpid());
    fs::create_directories(ordner);

    Maischprogramm m = Festbier();
    BrauDaten d;
    d.Sudgroesse = "50";
    if (!Rezept_Speichern(ordner.string(), m, d).ok()) {
        std::fprintf(stderr, "cannot save the example in %s\n", ordner.c_str());
        return 1;
    }
    const std::string beispiel = lies(ordner / "Festbier.rez");

    std::printf("recipe load and save (median; save includes the sync to disk)\n");
    messen("worked example", ordner, beispiel, 201);
    messen("8 MB, lines in the phase sections", ordner, gross(beispiel, 8'000'000, Form::Verteilt),
           laeufe_gross);
    messen("8 MB, many sections after", ordner, gross(beispiel, 8'000'000, Form::Abschnitte_Danach),
           laeufe_gross);
    messen("8 MB, many sections before", ordner, gross(beispiel, 8'000'000, Form::Abschnitte_Davor),
           laeufe_gross);

    std::error_code f;
    fs::remove_all(ordner, f);
    return 0;
}
