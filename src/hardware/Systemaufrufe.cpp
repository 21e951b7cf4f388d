#include "hardware/Systemaufrufe.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

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
    return s;
}

} // namespace kw
