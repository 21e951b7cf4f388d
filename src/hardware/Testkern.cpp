#include "hardware/Testkern.h"

#include <linux/gpio.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kw {

namespace {

std::string hex2(unsigned v)
{
    char b[4];
    std::snprintf(b, sizeof b, "%02x", v & 0xFF);
    return b;
}

std::string liste(const std::vector<std::uint32_t>& l)
{
    std::string s;
    for (auto o : l)
        s += (s.empty() ? "" : ",") + std::to_string(o);
    return s;
}

int fehler(int e)
{
    errno = e;
    return -1;
}

} // namespace

void Testkern::chipAnlegen(const std::string& name, const std::string& label, std::uint32_t leitungen)
{
    m_chips[name] = Chip{label, leitungen, {}, false};
}

void Testkern::platineAnlegen(const std::string& hidraw, const std::string& name, std::uint16_t hersteller,
                              std::uint16_t produkt, const std::string& serie)
{
    m_platinen[hidraw] = Platine{name, hersteller, produkt, serie, 0, false, ++m_generation};
}

void Testkern::abziehen(const std::string& name)
{
    if (auto c = m_chips.find(name); c != m_chips.end())
        c->second.weg = true;
    if (auto p = m_platinen.find(name); p != m_platinen.end())
        p->second.weg = true;
}

std::optional<int> Testkern::pegel(const std::string& chip, std::uint32_t leitung) const
{
    auto c = m_chips.find(chip);
    if (c == m_chips.end())
        return std::nullopt;
    auto p = c->second.pegel.find(leitung);
    if (p == c->second.pegel.end())
        return std::nullopt;
    return p->second;
}

bool Testkern::gehalten(const std::string& chip, std::uint32_t leitung) const
{
    for (auto& [fd, f] : m_fds)
        if (f.art == Fd::Art::Linie && f.geraet == chip)
            for (auto o : f.leitungen)
                if (o == leitung)
                    return true;
    return false;
}

std::uint8_t Testkern::relais(const std::string& hidraw) const
{
    auto p = m_platinen.find(hidraw);
    return p == m_platinen.end() ? 0 : p->second.zustand;
}

int Testkern::ioctl(int fd, unsigned long anfrage, void* arg)
{
    auto it = m_fds.find(fd);
    if (it == m_fds.end())
        return fehler(EBADF);
    Fd& f = it->second;

    if (f.art == Fd::Art::Hidraw) {
        Platine& p = m_platinen[f.geraet];
        if (p.weg || p.generation != f.generation)
            return fehler(ENODEV);
        const unsigned long nr = _IOC_NR(anfrage), typ = _IOC_TYPE(anfrage);
        const auto laenge = static_cast<int>(_IOC_SIZE(anfrage));
        if (anfrage == HIDIOCGRAWINFO) {
            hidraw_devinfo info{};
            info.bustype = 3; // BUS_USB
            info.vendor = static_cast<__s16>(p.hersteller);
            info.product = static_cast<__s16>(p.produkt);
            std::memcpy(arg, &info, sizeof info);
            return 0;
        }
        if (typ == 'H' && nr == 0x04) { // HIDIOCGRAWNAME(len)
            const int n = std::min(laenge, static_cast<int>(p.name.size()) + 1);
            std::memset(arg, 0, static_cast<std::size_t>(laenge));
            std::memcpy(arg, p.name.c_str(), static_cast<std::size_t>(n));
            return n;
        }
        if (typ == 'H' && nr == 0x06) { // HIDIOCSFEATURE(len): report ID 0, then the 8 bytes
            auto* b = static_cast<std::uint8_t*>(arg);
            if (laenge < 3)
                return fehler(EINVAL);
            protokoll.push_back("SFEATURE " + f.geraet + " " + hex2(b[1]) + " " + hex2(b[2]));
            if (!platineTaub) {
                if (b[1] == 0xFF && b[2] >= 1 && b[2] <= 8)
                    p.zustand = static_cast<std::uint8_t>(p.zustand | (1u << (b[2] - 1)));
                else if (b[1] == 0xFD && b[2] >= 1 && b[2] <= 8)
                    p.zustand = static_cast<std::uint8_t>(p.zustand & ~(1u << (b[2] - 1)));
                else if (b[1] == 0xFE)
                    p.zustand = 0xFF;
                else if (b[1] == 0xFC)
                    p.zustand = 0;
            }
            if (beiAenderung)
                beiAenderung(f.geraet);
            return merkmalGrenze >= 0 && merkmalGrenze < laenge ? static_cast<int>(merkmalGrenze) : laenge;
        }
        if (typ == 'H' && nr == 0x07) { // HIDIOCGFEATURE(len): serial in 0..4, states in 7
            auto* b = static_cast<std::uint8_t*>(arg);
            protokoll.push_back("GFEATURE " + f.geraet);
            if (laenge < 8)
                return fehler(EINVAL);
            std::memset(b, 0, static_cast<std::size_t>(laenge));
            for (std::size_t i = 0; i < 5 && i < p.serie.size(); ++i)
                b[i] = static_cast<std::uint8_t>(p.serie[i]);
            b[7] = p.zustand;
            return merkmalGrenze >= 0 && merkmalGrenze < 8 ? static_cast<int>(merkmalGrenze) : 8;
        }
        return fehler(ENOTTY);
    }

    Chip& c = m_chips[f.geraet];
    if (c.weg)
        return fehler(ENODEV);
    if (f.art == Fd::Art::Chip) {
        if (anfrage == GPIO_GET_CHIPINFO_IOCTL) {
            gpiochip_info info{};
            std::strncpy(info.name, f.geraet.c_str(), sizeof info.name - 1);
            std::strncpy(info.label, c.label.c_str(), sizeof info.label - 1);
            info.lines = c.leitungen;
            std::memcpy(arg, &info, sizeof info);
            return 0;
        }
        if (anfrage == GPIO_V2_GET_LINE_IOCTL) {
            auto* r = static_cast<gpio_v2_line_request*>(arg);
            if (r->num_lines == 0 || r->num_lines > GPIO_V2_LINES_MAX)
                return fehler(EINVAL);
            std::vector<std::uint32_t> leitungen(r->offsets, r->offsets + r->num_lines);
            for (auto o : leitungen)
                if (o >= c.leitungen)
                    return fehler(EINVAL);
            for (std::size_t i = 0; i < leitungen.size(); ++i) {
                if (m_fremd.count({f.geraet, leitungen[i]}) || gehalten(f.geraet, leitungen[i]))
                    return fehler(EBUSY);
                for (std::size_t k = 0; k < i; ++k)
                    if (leitungen[k] == leitungen[i])
                        return fehler(EBUSY);
            }
            Fd linie{Fd::Art::Linie, f.geraet, leitungen, false, false, 0};
            const auto flags = r->config.flags;
            linie.ausgang = flags & GPIO_V2_LINE_FLAG_OUTPUT;
            linie.aktivNiedrig = flags & GPIO_V2_LINE_FLAG_ACTIVE_LOW;
            std::string text = "GET_LINE " + f.geraet + " " + liste(leitungen) + (linie.ausgang ? " out" : " in")
                               + (linie.aktivNiedrig ? " active-low" : " active-high");
            if (linie.ausgang) {
                // Initial values from the OUTPUT_VALUES attribute; lines without one start inactive.
                std::uint64_t werte = 0, maske = 0;
                for (std::uint32_t a = 0; a < r->config.num_attrs && a < GPIO_V2_LINE_NUM_ATTRS_MAX; ++a)
                    if (r->config.attrs[a].attr.id == GPIO_V2_LINE_ATTR_ID_OUTPUT_VALUES) {
                        werte = r->config.attrs[a].attr.values;
                        maske = r->config.attrs[a].mask;
                    }
                for (std::size_t i = 0; i < leitungen.size(); ++i) {
                    const int logisch = (maske >> i & 1) ? static_cast<int>(werte >> i & 1) : 0;
                    c.pegel[leitungen[i]] = logisch ^ (linie.aktivNiedrig ? 1 : 0);
                    text += " " + std::to_string(leitungen[i]) + "=" + std::to_string(logisch);
                }
            }
            protokoll.push_back(text);
            const int neu = m_naechstesFd++;
            m_fds[neu] = linie;
            r->fd = neu;
            if (linie.ausgang && beiAenderung)
                beiAenderung(f.geraet);
            return 0;
        }
        return fehler(ENOTTY);
    }

    // line fd
    if (anfrage == GPIO_V2_LINE_SET_VALUES_IOCTL) {
        auto* v = static_cast<gpio_v2_line_values*>(arg);
        const std::uint64_t erlaubt =
            f.leitungen.size() >= 64 ? ~0ULL : (1ULL << f.leitungen.size()) - 1;
        if (v->mask == 0 || (v->mask & ~erlaubt))
            return fehler(EINVAL);
        if (!f.ausgang)
            return fehler(EPERM);
        std::string text = "SET " + f.geraet;
        for (std::size_t i = 0; i < f.leitungen.size(); ++i)
            if (v->mask >> i & 1) {
                const int logisch = static_cast<int>(v->bits >> i & 1);
                c.pegel[f.leitungen[i]] = logisch ^ (f.aktivNiedrig ? 1 : 0);
                text += " " + std::to_string(f.leitungen[i]) + "=" + std::to_string(logisch);
            }
        protokoll.push_back(text);
        if (beiAenderung)
            beiAenderung(f.geraet);
        return 0;
    }
    return fehler(ENOTTY);
}

Systemaufrufe Testkern::tabelle()
{
    Systemaufrufe s;
    s.oeffnen = [this](const std::string& pfad, int) {
        protokoll.push_back("open " + pfad);
        if (pfad.rfind("/dev/", 0) != 0)
            return fehler(ENOENT);
        const std::string name = pfad.substr(5);
        if (auto c = m_chips.find(name); c != m_chips.end() && !c->second.weg) {
            m_fds[m_naechstesFd] = Fd{Fd::Art::Chip, name, {}, false, false, 0};
            return m_naechstesFd++;
        }
        if (auto p = m_platinen.find(name); p != m_platinen.end() && !p->second.weg) {
            m_fds[m_naechstesFd] = Fd{Fd::Art::Hidraw, name, {}, false, false, p->second.generation};
            return m_naechstesFd++;
        }
        return fehler(ENOENT);
    };
    s.ioctl = [this](int fd, unsigned long anfrage, void* arg) { return ioctl(fd, anfrage, arg); };
    s.schreiben = [](int, const void*, std::size_t) -> ssize_t { return fehler(EINVAL); };
    s.schliessen = [this](int fd) {
        auto it = m_fds.find(fd);
        if (it == m_fds.end())
            return fehler(EBADF);
        if (it->second.art == Fd::Art::Linie)
            protokoll.push_back("release " + it->second.geraet + " " + liste(it->second.leitungen));
        m_fds.erase(it);
        return 0;
    };
    s.dateiLesen = [](const std::string&) -> std::optional<std::string> { return std::nullopt; };
    s.verzeichnis = [this](const std::string& pfad) {
        std::vector<std::string> namen;
        if (pfad != "/dev")
            return namen;
        for (auto& [n, c] : m_chips)
            if (!c.weg)
                namen.push_back(n);
        for (auto& [n, p] : m_platinen)
            if (!p.weg)
                namen.push_back(n);
        return namen;
    };
    return s;
}

} // namespace kw
