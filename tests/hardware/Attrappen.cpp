#include "Attrappen.h"

#include <linux/ioctl.h>
#include <linux/ppdev.h>

#include <cerrno>
#include <cstring>

namespace kw::test {

Systemaufrufe Fakesystem::tabelle()
{
    Systemaufrufe s;
    s.oeffnen = [this](const std::string& pfad, int) {
        aufrufe.push_back({"open", pfad, 0, {}});
        if (auto f = oeffnenFehler.find(pfad); f != oeffnenFehler.end()) {
            errno = f->second;
            return -1;
        }
        bool da = dateien.count(pfad) || chips.count(pfad);
        if (!da) {
            errno = ENOENT;
            return -1;
        }
        for (auto& [fd, p] : offen)
            if (p == pfad && chips.count(pfad)) {
                errno = EBUSY; // one opener per iowarrior node
                return -1;
            }
        int fd = naechstesFd++;
        offen[fd] = pfad;
        return fd;
    };
    s.ioctl = [this](int fd, unsigned long anfrage, void* arg) {
        Aufruf a{"ioctl", offen.count(fd) ? offen[fd] : "?", anfrage, {}};
        if (!offen.count(fd)) {
            aufrufe.push_back(a);
            errno = EBADF;
            return -1;
        }
        if (anfrage == PPWDATA) {
            a.daten.push_back(*static_cast<unsigned char*>(arg));
            aufrufe.push_back(a);
            if (!beansprucht[fd]) {
                ++ungeclaimteDaten;
                errno = EINVAL;
                return -1;
            }
            return 0;
        }
        aufrufe.push_back(a);
        if (anfrage == PPCLAIM) {
            if (claimFehler) {
                errno = claimFehler;
                return -1;
            }
            beansprucht[fd] = true;
            return 0;
        }
        if (anfrage == PPRELEASE) {
            beansprucht[fd] = false;
            return 0;
        }
        if (anfrage == PPEXCL)
            return 0;
        if (anfrage == IOW_GETINFO) {
            auto c = chips.find(offen[fd]);
            if (c == chips.end() || infoFehler) {
                errno = ENODEV;
                return -1;
            }
            std::memcpy(arg, &c->second, sizeof(iowarrior_info));
            return 0;
        }
        errno = ENOTTY;
        return -1;
    };
    s.schreiben = [this](int fd, const void* daten, std::size_t laenge) -> ssize_t {
        auto* b = static_cast<const std::uint8_t*>(daten);
        aufrufe.push_back({"write", offen.count(fd) ? offen[fd] : "?", 0, {b, b + laenge}});
        if (!offen.count(fd)) {
            errno = EBADF;
            return -1;
        }
        if (schreibFehler) {
            errno = schreibFehler;
            return -1;
        }
        if (schreibGrenze >= 0 && static_cast<long>(laenge) > schreibGrenze)
            return schreibGrenze;
        return static_cast<ssize_t>(laenge);
    };
    s.schliessen = [this](int fd) {
        aufrufe.push_back({"close", offen.count(fd) ? offen[fd] : "?", 0, {}});
        offen.erase(fd);
        beansprucht.erase(fd);
        return 0;
    };
    s.dateiLesen = [this](const std::string& pfad) -> std::optional<std::string> {
        if (auto d = dateien.find(pfad); d != dateien.end())
            return d->second;
        return std::nullopt;
    };
    s.verzeichnis = [this](const std::string& pfad) {
        if (auto v = verzeichnisse.find(pfad); v != verzeichnisse.end())
            return v->second;
        return std::vector<std::string>{};
    };
    return s;
}

std::vector<std::string> Fakesystem::arten() const
{
    std::vector<std::string> aus;
    for (auto& a : aufrufe) {
        if (a.art != "ioctl") {
            aus.push_back(a.art + " " + a.pfad);
            continue;
        }
        switch (a.anfrage) {
        case PPEXCL: aus.push_back("PPEXCL"); break;
        case PPCLAIM: aus.push_back("PPCLAIM"); break;
        case PPRELEASE: aus.push_back("PPRELEASE"); break;
        case PPWDATA: aus.push_back("PPWDATA " + std::to_string(a.daten.at(0))); break;
        case IOW_GETINFO: aus.push_back("IOW_GETINFO"); break;
        default: aus.push_back("ioctl ?"); break;
        }
    }
    return aus;
}

std::vector<std::vector<std::uint8_t>> Fakesystem::schreibdaten() const
{
    std::vector<std::vector<std::uint8_t>> aus;
    for (auto& a : aufrufe)
        if (a.art == "write")
            aus.push_back(a.daten);
    return aus;
}

} // namespace kw::test
