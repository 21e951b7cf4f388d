#include "hardware/Systemaufrufe.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace kw {

Systemaufrufe Systemaufrufe::echt()
{
    Systemaufrufe s;
    s.oeffnen = [](const std::string& pfad, int flags) { return ::open(pfad.c_str(), flags | O_CLOEXEC); };
    s.ioctl = [](int fd, unsigned long anfrage, void* arg) {
        int r;
        do {
            r = ::ioctl(fd, anfrage, arg);
        } while (r < 0 && errno == EINTR);
        return r;
    };
    s.schreiben = [](int fd, const void* daten, std::size_t laenge) {
        ssize_t r;
        do {
            r = ::write(fd, daten, laenge);
        } while (r < 0 && errno == EINTR);
        return r;
    };
    s.schliessen = [](int fd) { return ::close(fd); };
    s.dateiLesen = [](const std::string& pfad) -> std::optional<std::string> {
        int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return std::nullopt;
        std::string inhalt;
        char puffer[256];
        while (inhalt.size() < 4096) {
            ssize_t n = ::read(fd, puffer, sizeof puffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            inhalt.append(puffer, static_cast<std::size_t>(n));
        }
        ::close(fd);
        return inhalt;
    };
    s.verzeichnis = [](const std::string& pfad) {
        std::vector<std::string> namen;
        if (DIR* d = ::opendir(pfad.c_str())) {
            while (dirent* e = ::readdir(d)) {
                std::string n = e->d_name;
                if (n != "." && n != "..")
                    namen.push_back(std::move(n));
            }
            ::closedir(d);
        }
        return namen;
    };
    s.notausEintragen = [](int fd, notaus::Art art, const std::uint8_t* daten, std::size_t laenge) {
        notaus::eintragen(fd, art, daten, laenge);
    };
    s.notausAustragen = [](int fd) { notaus::austragen(fd); };
    return s;
}

std::vector<std::string> Nummerierte_Eintraege(const Systemaufrufe& sys, const std::string& verzeichnis,
                                               const std::string& vorsilbe)
{
    std::vector<std::pair<long, std::string>> gefunden;
    for (auto& name : sys.verzeichnis(verzeichnis)) {
        if (name.size() <= vorsilbe.size() || name.compare(0, vorsilbe.size(), vorsilbe) != 0)
            continue;
        long n = 0;
        bool zahl = true;
        for (std::size_t i = vorsilbe.size(); zahl && i < name.size(); ++i) {
            zahl = name[i] >= '0' && name[i] <= '9' && n <= 100000;
            n = n * 10 + (name[i] - '0');
        }
        if (zahl)
            gefunden.emplace_back(n, name);
    }
    std::sort(gefunden.begin(), gefunden.end());
    std::vector<std::string> namen;
    for (auto& [n, name] : gefunden)
        namen.push_back(std::move(name));
    return namen;
}

} // namespace kw
