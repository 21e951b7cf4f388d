// The controller tick with the brew journal on: a whole six-phase brew (about
// 70 minutes on the fake clock) with calls, a pause and every record synced to
// the disk of this machine. Each tick is timed from the wait for the journal to
// the hand-over of its state; between two ticks the thread idles for a short
// gap (the program has 100 ms there). Prints the tick's median, p99 and maximum,
// with the journal on and off, and the cost of one fdatasync here.
//
// Then the same program on a slow disk (every fsync/fdatasync takes 2 s, then
// 3 s) at the real pace of one tick per 100 ms: START, STOP and START again,
// and the longest gap between two writes to the port and the longest tick.
//
//   bench_journal [folder] [gap in microseconds, default 500] [slow: 0 skips it]

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "Beispielsud.h"

namespace {

using Uhr = std::chrono::steady_clock;

struct Zahlen {
    double median_us, p99_us, max_us;
    std::size_t takte;
};

Zahlen Auswerten(std::vector<double> d)
{
    std::sort(d.begin(), d.end());
    auto q = [&](double p) { return d[static_cast<std::size_t>(p * static_cast<double>(d.size() - 1))]; };
    return {q(0.5), q(0.99), d.back(), d.size()};
}

// One brew; `mit_journal` false detaches the journal from the controller and the tick.
Zahlen Sud(const std::string& ordner, std::chrono::microseconds luecke, bool mit_journal, std::string& pfad)
{
    kw::test::Beispielsud sud(ordner);
    if (!mit_journal)
        sud.s.setzeEreignisse(nullptr);
    std::vector<double> dauer;
    dauer.reserve(50000);
    Uhr::time_point beginn = Uhr::now();
    sud.haken = [&](long, int wo) {
        if (wo != 1)
            return;
        dauer.push_back(std::chrono::duration<double, std::micro>(Uhr::now() - beginn).count());
        if (luecke.count() > 0)
            std::this_thread::sleep_for(luecke);
        beginn = Uhr::now();
    };
    pfad = sud.brauen();
    return Auswerten(std::move(dauer));
}

struct Luecken {
    double max_luecke_ms, max_takt_ms;
    std::size_t takte;
    bool lauf;   // the run was going with its journal open
};

// A run on a disk whose every sync takes `sync`: ticks at 100 ms as the timer gives them.
Luecken Langsame_Platte(const std::string& ordner, std::chrono::milliseconds sync)
{
    kw::journal::Journaldatei::Optionen o;
    const auto echt = kw::journal::Dateiaufrufe::echt();
    o.sys.sync = [echt, sync](int fd) {
        std::this_thread::sleep_for(sync);
        return echt.sync(fd);
    };
    o.sys.datensync = [echt, sync](int fd) {
        std::this_thread::sleep_for(sync);
        return echt.datensync(fd);
    };
    o.abschluss = std::chrono::milliseconds(0);   // the end is not measured
    Luecken l{0, 0, 0, false};
    kw::test::Beispielsud sud(ordner, o);
    kw::BrauDaten daten;
    kw::test::Beispielsud::Programm(sud.a.Programm, daten);
    sud.s.Switch1();
    sud.a.Sim_Temperatur = 45;
    Uhr::time_point letzte_ausgabe{};
    Uhr::time_point naechster = Uhr::now();
    auto takte = [&](int n) {
        for (int i = 0; i < n; ++i) {
            std::this_thread::sleep_until(naechster);
            naechster += std::chrono::milliseconds(100);
            const auto t0 = Uhr::now();
            sud.takt();
            const auto t1 = Uhr::now();   // the byte has gone to the port
            l.max_takt_ms = std::max(l.max_takt_ms, std::chrono::duration<double, std::milli>(t1 - t0).count());
            if (letzte_ausgabe != Uhr::time_point{})
                l.max_luecke_ms
                    = std::max(l.max_luecke_ms, std::chrono::duration<double, std::milli>(t1 - letzte_ausgabe).count());
            letzte_ausgabe = t1;
            ++l.takte;
            // a timer that fell behind fires once, not for every tick it missed
            if (Uhr::now() > naechster)
                naechster = Uhr::now();
        }
    };
    takte(10);
    sud.s.START_BRAUEN();
    takte(80);
    l.lauf = sud.a.Ablaufschritt == 3 && sud.j.offen();
    sud.s.STOP_BRAUEN();
    takte(10);
    sud.s.START_BRAUEN();
    takte(60);
    sud.s.BEENDEN();
    takte(2);
    return l;
}

double Fdatasync_us(const std::string& ordner)
{
    const std::string datei = ordner + "/fdatasync.probe";
    const int fd = ::open(datei.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    std::vector<double> d;
    for (int i = 0; i < 200; ++i) {
        const auto t = Uhr::now();
        [[maybe_unused]] ssize_t n = ::write(fd, "2026-12-09 10:00:00;Probe;1;45.0;52.0;52.0;1;;;\n", 49);
        ::fdatasync(fd);
        d.push_back(std::chrono::duration<double, std::micro>(Uhr::now() - t).count());
    }
    ::close(fd);
    ::unlink(datei.c_str());
    std::sort(d.begin(), d.end());
    return d[d.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    std::string basis = argc > 1 ? argv[1] : std::filesystem::current_path().string();
    const std::chrono::microseconds luecke{argc > 2 ? std::atol(argv[2]) : 500};
    const std::string ordner = basis + "/bench_journal." + std::to_string(::getpid());
    std::filesystem::create_directories(ordner);

    std::printf("fdatasync of one line here: median %.0f us\n", Fdatasync_us(ordner));
    std::string pfad;
    const Zahlen aus = Sud(ordner, luecke, false, pfad);
    std::printf("journal off: %zu ticks, median %.1f us, p99 %.1f us, max %.1f us\n", aus.takte, aus.median_us,
                aus.p99_us, aus.max_us);
    const Zahlen an = Sud(ordner, luecke, true, pfad);
    std::printf("journal on:  %zu ticks, median %.1f us, p99 %.1f us, max %.1f us (gap %ld us)\n", an.takte,
                an.median_us, an.p99_us, an.max_us, static_cast<long>(luecke.count()));
    const Zahlen eng = Sud(ordner, std::chrono::microseconds(0), true, pfad);
    std::printf("journal on, no gap (each tick waits for the last sync): median %.1f us, p99 %.1f us, max %.1f us\n",
                eng.median_us, eng.p99_us, eng.max_us);
    std::printf("journal of one brew: %ju bytes\n", static_cast<std::uintmax_t>(std::filesystem::file_size(pfad)));
    bool langsam_gut = true;
    if (argc <= 3 || std::atoi(argv[3]) != 0) {
        for (int sync_s : {2, 3}) {
            const Luecken l = Langsame_Platte(ordner + "/langsam" + std::to_string(sync_s), std::chrono::seconds(sync_s));
            std::printf("slow disk, every sync %d s: %zu ticks at 100 ms%s; longest gap between two port writes "
                        "%.1f ms, longest tick %.1f ms\n",
                        sync_s, l.takte, l.lauf ? "" : " (RUN DID NOT GO)", l.max_luecke_ms, l.max_takt_ms);
            langsam_gut = langsam_gut && l.lauf && l.max_luecke_ms < 500.0;
        }
    }
    std::filesystem::remove_all(ordner);
    return an.p99_us < 1000.0 && langsam_gut ? 0 : 1;
}
