// Cost of Temperatur_Lesen on a small and on a very large DigiTemp log: it reads only the end, so both
// should take about the same time.

#include "hardware/Temperaturlog.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// A log of about `bytes`, one "%.2f\n" line per reading as the tool writes it.
std::string logAnlegen(std::size_t bytes)
{
    char vorlage[] = "/tmp/kw_bench_log_XXXXXX";
    int fd = ::mkstemp(vorlage);
    if (fd < 0) {
        std::perror("mkstemp");
        std::exit(1);
    }
    std::string block;
    for (int i = 0; block.size() < 1 << 20; ++i) {
        char zeile[16];
        int n = std::snprintf(zeile, sizeof zeile, "%.2f\n", 20.0 + (i % 5000) / 100.0);
        block.append(zeile, static_cast<std::size_t>(n));
    }
    std::size_t geschrieben = 0;
    while (geschrieben < bytes) {
        std::size_t teil = std::min(block.size(), bytes - geschrieben);
        if (::write(fd, block.data(), teil) != static_cast<ssize_t>(teil)) {
            std::perror("write");
            std::exit(1);
        }
        geschrieben += teil;
    }
    const char ende[] = "\n63.44\n";
    if (::write(fd, ende, sizeof ende - 1) < 0)
        std::perror("write");
    ::close(fd);
    return vorlage;
}

double medianMikrosekunden(const std::string& pfad, int laeufe)
{
    std::vector<double> zeiten;
    for (int i = 0; i < laeufe; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        auto wert = kw::Temperatur_Lesen(pfad);
        auto t1 = std::chrono::steady_clock::now();
        if (wert != "63.44") {
            std::fprintf(stderr, "unexpected result on %s\n", pfad.c_str());
            std::exit(1);
        }
        zeiten.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
    }
    std::nth_element(zeiten.begin(), zeiten.begin() + laeufe / 2, zeiten.end());
    return zeiten[static_cast<std::size_t>(laeufe / 2)];
}

} // namespace

int main()
{
    const int laeufe = 1001;
    struct Fall {
        const char* name;
        std::size_t bytes;
    };
    for (Fall f : {Fall{"1 KB log", 1000}, Fall{"100 MB log", 100'000'000}}) {
        std::string pfad = logAnlegen(f.bytes);
        double us = medianMikrosekunden(pfad, laeufe);
        std::printf("Temperatur_Lesen, %-10s: median %8.2f us over %d runs\n", f.name, us, laeufe);
        ::unlink(pfad.c_str());
    }
    return 0;
}
