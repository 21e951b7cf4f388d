#pragma once
// The system calls the output drivers make, as a table that tests replace with a recording fake.

#include "hardware/Notabschaltung.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace kw {

struct Systemaufrufe {
    // Each returns like its POSIX namesake (-1 and errno on failure).
    std::function<int(const std::string& pfad, int flags)> oeffnen;
    std::function<int(int fd, unsigned long anfrage, void* arg)> ioctl;
    std::function<ssize_t(int fd, const void* daten, std::size_t laenge)> schreiben;
    std::function<int(int fd)> schliessen;
    // Whole content of a small text file (proc entries); nullopt when it cannot be read.
    std::function<std::optional<std::string>(const std::string& pfad)> dateiLesen;
    // Entry names of a directory ("." and ".." left out), in no particular order; empty when missing.
    std::function<std::vector<std::string>(const std::string& pfad)> verzeichnis;

    // The emergency all-off slot (Notabschaltung): a driver enters the device it holds. Empty in test tables.
    std::function<void(int fd, notaus::Art art, const std::uint8_t* daten, std::size_t laenge)> notausEintragen;
    std::function<void(int fd)> notausAustragen;

    static Systemaufrufe echt();
};

// Entries of `verzeichnis` named `vorsilbe` and a number ("parport1", "iowarrior0"), in the order of that number.
std::vector<std::string> Nummerierte_Eintraege(const Systemaufrufe& sys, const std::string& verzeichnis,
                                               const std::string& vorsilbe);

} // namespace kw
