// Cost of the main screen.
//
// 1. One Timer1 handler (controller tick, output byte, display) during a
//    simulated brew on a fake clock, alone and with the repaint it causes, with
//    the predicted end on: its check after every tick, its dry runs on their
//    thread meanwhile (one a simulated minute and at each phase start).
// 2. The program as it runs: the screen shown, its four timers on the real
//    clock, a simulated brew for some seconds of wall time. Prints the process's
//    CPU share (getrusage) and resident memory (VmRSS).
//
// Run under X, e.g.:
//   xvfb-run -a -s "-screen 0 1280x800x24" bench_grundbild [seconds=20] [picture.png] [language 1..8]
// With a picture path, the main screen is saved there at the end of the second measurement.

#include <QApplication>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "hardware/Ausgangsbyte.h"
#include "hardware/Prozessstarter.h"
#include "screens/Anwendung.h"
#include "screens/Grundbild.h"
#include "screens/Vorhersageanzeige.h"

namespace {

using namespace std::chrono_literals;
using Stoppuhr = std::chrono::steady_clock;

// Relays and DigiTemp stand-ins: the byte goes nowhere, no process is started.
struct Leergeraet final : kw::Ausgabegeraet {
    bool offen = false;
    unsigned long geschrieben = 0;
    bool oeffnen() override { return offen = true; }
    void schreibe(std::uint8_t) override { ++geschrieben; }
    void schliessen() override { offen = false; }
    bool istOffen() const override { return offen; }
};

struct Leerquelle final : kw::Geraetequelle {
    Leergeraet usb;
    std::vector<Leergeraet*> ports;
    std::unique_ptr<kw::Ausgabegeraet> parallelport(std::uint16_t) override
    {
        auto g = std::make_unique<Leergeraet>();
        ports.push_back(g.get());
        return g;
    }
    kw::Ausgabegeraet& iowarrior() override { return usb; }
    unsigned long geschrieben() const
    {
        unsigned long n = usb.geschrieben;
        for (const Leergeraet* p : ports)
            n += p->geschrieben;
        return n;
    }
};

struct Leerstarter final : kw::Prozessstarter {
    bool start(const std::string&, const std::vector<std::string>&, const std::string&) override { return true; }
    bool isRunning() override { return false; }
    void kill() override {}
};

void phase(kw::Maischprogramm& m, int n, bool aufheizen, const char* temp, const char* zeit, const char* titel)
{
    kw::Cl_Phase& p = m.Phase(n);
    p.setAufheizphase(kw::Flagtext(aufheizen));
    p.setHeizphase(kw::Flagtext(!aufheizen));
    p.setKuehlphase(kw::Flagtext(false));
    p.setTemperatur(temp);
    p.setHeizzeit(zeit);
    p.setRuehrimpuls("5");
    p.setRuehrpause("5");
    p.setKein_Ruf(kw::Flagtext(true));
    p.setRuf_Ende_Phase(kw::Flagtext(false));
    p.setRuf_nach_Rufzeit(kw::Flagtext(false));
    p.setRufzeit("");
    m.Titel(n) = titel;
}

// A four-phase infusion mash; the run starts in simulation at `grad`.
void brauen(kw::Anwendung& app, kw::Grundbild& g, int grad)
{
    if (app.geladen("HardwareAbfrage"))
        app.bildschirm("HardwareAbfrage")->hide();
    app.anlage.Schnittstelle = 1;
    app.anlage.Konfiguration_Bestaetigt = true;
    kw::Maischprogramm& m = app.anlage.Programm;
    m.Biersorte = "Märzen";
    m.AnzPhasen = "4";
    phase(m, 1, true, "64", "", "Aufheizen auf Maltoserast");
    phase(m, 2, false, "64", "40", "Maltoserast");
    phase(m, 3, true, "72", "", "Aufheizen auf Verzuckerung");
    phase(m, 4, false, "72", "20", "Verzuckerungsrast");
    app.steuerung().Switch1();   // simulation
    app.steuerung().Switch2();   // manual panel shown, extra 1 (e.g. a pump) on
    app.steuerung().Man_Extra1();
    g.findChild<QSlider*>(QStringLiteral("Scroll_Sim_IstTemperatur"))->setValue(-grad);
    app.steuerung().START_BRAUEN();
}

long vmrss_kb()
{
    std::ifstream f("/proc/self/status");
    std::string zeile;
    while (std::getline(f, zeile))
        if (zeile.rfind("VmRSS:", 0) == 0)
            return std::atol(zeile.c_str() + 6);
    return -1;
}

double cpu_s()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return double(r.ru_utime.tv_sec + r.ru_stime.tv_sec) + double(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

double perzentil(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(p * double(v.size())))];
}

// First: the handler on a fake clock.
void handler_kosten(const std::string& ordner)
{
    kw::Stelluhr uhr{std::chrono::sys_seconds{std::chrono::seconds{1796724000}}};
    Leerquelle geraete;
    Leerstarter starter;
    kw::Anwendung::Teile t;
    t.uhr = &uhr;
    t.geraete = &geraete;
    t.starter = &starter;
    t.Programmpfad = ordner;
    kw::Anwendung app(t);
    auto& g = app.bildschirm<kw::Grundbild>();
    g.show();
    g.Timer_Anhalten();
    g.Timer1_Timer();
    brauen(app, g, 40);
    QApplication::processEvents();

    auto* vorhersage = g.findChild<kw::Vorhersageanzeige*>();
    int vorhersagen = 0;
    QObject::connect(vorhersage, &kw::Vorhersageanzeige::aktualisiert, [&] { ++vorhersagen; });

    const int n = 20000;
    std::vector<double> allein, mitMalen, mitVorhersage;
    allein.reserve(n);
    mitMalen.reserve(n);
    mitVorhersage.reserve(n);
    for (int i = 0; i < n; ++i) {
        if (i % 5 == 0)
            g.Takt_1s_Timer();
        if (i % 10 == 0) {
            uhr.vor(1s);
            // slowly up and down between 40 and 80 °C, so phases start and end
            const int grad = 40 + (i / 10) % 80;
            app.steuerung().Scroll_Sim_IstTemperatur(-(grad <= 80 ? grad : 160 - grad));
        }
        const auto t0 = Stoppuhr::now();
        g.Timer1_Timer();
        const auto t1 = Stoppuhr::now();
        vorhersage->pruefen();
        const auto t1v = Stoppuhr::now();
        QApplication::processEvents();
        const auto t2 = Stoppuhr::now();
        allein.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
        mitVorhersage.push_back(std::chrono::duration<double, std::micro>(t1v - t0).count());
        mitMalen.push_back(std::chrono::duration<double, std::micro>(t2 - t0).count());
    }
    const auto mittel = [](const std::vector<double>& v) {
        double s = 0;
        for (double x : v)
            s += x;
        return s / double(v.size());
    };
    std::printf("Timer1 handler (tick + outputs + display), %d calls over %d simulated s:\n", n, n / 10);
    std::printf("  handler alone:        mean %7.1f us   median %7.1f us   p99 %7.1f us\n", mittel(allein),
                perzentil(allein, 0.5), perzentil(allein, 0.99));
    std::printf("  with its repaint:     mean %7.1f us   median %7.1f us   p99 %7.1f us\n", mittel(mitMalen),
                perzentil(mitMalen, 0.5), perzentil(mitMalen, 0.99));
    std::printf("  with the prediction's check: mean %7.1f us   median %7.1f us   p99 %7.1f us\n",
                mittel(mitVorhersage), perzentil(mitVorhersage, 0.5), perzentil(mitVorhersage, 0.99));
    std::printf("  predicted end: %d dry runs taken meanwhile on their own thread\n", vorhersagen);
    std::printf("  at 10 calls/s: %.3f %% of one core (with repaint)\n", mittel(mitMalen) * 10.0 / 1e6 * 100.0);
    std::printf("  phase reached: %d, last output byte 0x%02X\n", app.anlage.Akt_Phase,
                unsigned(app.ausgabe().Ausgangsbyte()));
}

// Second: the real timers on the real clock, the screen on display.
void laufzeit(const std::string& ordner, int sekunden, const QString& bild, int sprache)
{
    Leerquelle geraete;
    Leerstarter starter;
    kw::Anwendung::Teile t;
    t.geraete = &geraete;
    t.starter = &starter;
    t.Programmpfad = ordner;
    kw::Anwendung app(t);
    auto& g = app.bildschirm<kw::Grundbild>();
    g.show();

    // After the first ticks: the settings screen put aside, the brew started;
    // the simulated kettle warms by 1 K every two seconds.
    QTimer::singleShot(300, &g, [&] { brauen(app, g, 52); });
    if (sprache != 0) {
        QTimer::singleShot(400, &g, [&] {
            app.anlage.Sprachnummer = sprache;
            app.Sprache_Umschalten();
        });
    }
    QTimer waerme;
    QObject::connect(&waerme, &QTimer::timeout, &g, [&] {
        auto* s = g.findChild<QSlider*>(QStringLiteral("Scroll_Sim_IstTemperatur"));
        if (s->value() > -100)
            s->setValue(s->value() - 1);
    });
    waerme.start(2000);

    // Measure from a settled start.
    double cpu0 = 0;
    auto wand0 = Stoppuhr::now();
    QTimer::singleShot(1000, &g, [&] {
        cpu0 = cpu_s();
        wand0 = Stoppuhr::now();
    });
    // The figures and the picture are taken while the screen still runs: the
    // end of the event loop closes the window, which switches everything off.
    QTimer::singleShot(1000 + sekunden * 1000, &g, [&] {
        const double cpu = cpu_s() - cpu0;
        const double wand = std::chrono::duration<double>(Stoppuhr::now() - wand0).count();
        std::printf("Main screen shown, four timers on the real clock, simulated brew, %.1f s of wall time:\n",
                    wand);
        std::printf("  CPU %.3f s = %.2f %% of one core\n", cpu, cpu / wand * 100.0);
        std::printf("  VmRSS %ld kB\n", vmrss_kb());
        std::printf("  phase %d, actual %s °C, heating %d, stirrer %d, output bytes written %lu\n",
                    app.anlage.Akt_Phase, app.anzeige.Anzeige_TempIst.c_str(), app.anlage.Aus_Heizung,
                    app.anlage.Aus_Ruehrwerk, geraete.geschrieben());
        if (!bild.isEmpty()) {
            if (g.grab().save(bild))
                std::printf("  picture: %s\n", qPrintable(bild));
            else
                std::printf("  picture could not be saved: %s\n", qPrintable(bild));
        }
        g.Beenden();
        QCoreApplication::quit();
    });
    QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int sekunden = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const QString bild = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    const int sprache = argc > 3 ? std::atoi(argv[3]) : 0;   // language of the picture, 0 = as configured
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));

    QTemporaryDir ordner;
    handler_kosten(ordner.path().toStdString());
    laufzeit(ordner.path().toStdString(), sekunden, bild, sprache);
    return 0;
}
