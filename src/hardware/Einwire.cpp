#include "hardware/Einwire.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kw {

namespace {

std::optional<long> ganzzahl(const std::string& s)
{
    const char* a = s.c_str();
    char* ende = nullptr;
    errno = 0;
    const long v = std::strtol(a, &ende, 10);
    if (ende == a || errno != 0)
        return std::nullopt;
    while (*ende == ' ' || *ende == '\n' || *ende == '\r' || *ende == '\t')
        ++ende;
    if (*ende != '\0')
        return std::nullopt;
    return v;
}

} // namespace

std::string Einwire_Ordner()
{
    if (const char* o = std::getenv("KW_W1_ORDNER"); o && *o)
        return o;
    return "/sys/bus/w1/devices";
}

Einwirezugriff Einwirezugriff::echt()
{
    Einwirezugriff z;
    z.lesen = [](const std::string& pfad) -> std::optional<std::string> {
        const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return std::nullopt;
        std::string inhalt;
        char puffer[256];
        for (;;) {
            const ssize_t n = ::read(fd, puffer, sizeof puffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                ::close(fd);
                return std::nullopt; // the kernel's read failed (sensor cut off mid-read)
            }
            if (n == 0 || inhalt.size() > 4096)
                break;
            inhalt.append(puffer, static_cast<std::size_t>(n));
        }
        ::close(fd);
        return inhalt;
    };
    z.verzeichnis = [](const std::string& ordner) {
        std::vector<std::string> namen;
        if (DIR* d = ::opendir(ordner.c_str())) {
            while (dirent* e = ::readdir(d))
                if (e->d_name[0] != '.')
                    namen.emplace_back(e->d_name);
            ::closedir(d);
        }
        return namen;
    };
    return z;
}

std::optional<double> Einwire_Auswerten(const std::string& inhalt, bool w1_slave)
{
    std::optional<long> milli;
    if (w1_slave) {
        // "<9 bytes> : crc=xx YES\n<9 bytes> t=63250\n"
        const auto nl = inhalt.find('\n');
        if (nl == std::string::npos)
            return std::nullopt;
        std::string erste = inhalt.substr(0, nl);
        while (!erste.empty() && (erste.back() == ' ' || erste.back() == '\r'))
            erste.pop_back();
        if (erste.size() < 3 || erste.compare(erste.size() - 3, 3, "YES") != 0)
            return std::nullopt;
        const auto t = inhalt.find("t=", nl);
        if (t == std::string::npos)
            return std::nullopt;
        milli = ganzzahl(inhalt.substr(t + 2));
    } else {
        milli = ganzzahl(inhalt);
    }
    if (!milli || *milli == 85000)
        return std::nullopt; // the power-on value: no conversion was done
    const double c = static_cast<double>(*milli) / 1000.0;
    if (c <= Einwire_Min_C || c > Einwire_Max_C)
        return std::nullopt; // bus faults read as -62 or 127.937
    return c;
}

std::optional<double> Einwire_Lesen(const Einwirezugriff& z, const std::string& ordner, const std::string& id)
{
    if (id.empty() || id.find('/') != std::string::npos || id == "." || id == "..")
        return std::nullopt;
    const std::string basis = ordner + "/" + id + "/";
    if (auto t = z.lesen(basis + "temperature"))
        return Einwire_Auswerten(*t, false);
    if (auto w = z.lesen(basis + "w1_slave"))
        return Einwire_Auswerten(*w, true);
    return std::nullopt;
}

std::vector<std::string> Einwire_Sensoren(const Einwirezugriff& z, const std::string& ordner)
{
    std::vector<std::string> ids;
    for (auto& n : z.verzeichnis(ordner)) {
        const auto strich = n.find('-');
        if (strich == std::string::npos)
            continue;
        const std::string familie = n.substr(0, strich);
        if (familie == "28" || familie == "10" || familie == "22" || familie == "3b" || familie == "42")
            ids.push_back(n);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

Einwirelesung::Einwirelesung(std::string ordner, Einwirezugriff zugriff, std::chrono::milliseconds pause)
    : m_ordner(std::move(ordner)), m_zugriff(std::move(zugriff)), m_pause(pause), m_faden([this] { lauf(); })
{
}

Einwirelesung::~Einwirelesung()
{
    {
        std::lock_guard l(m_mutex);
        m_ende = true;
    }
    m_wecker.notify_all();
    m_faden.join();
}

void Einwirelesung::sensorSetzen(const std::string& id)
{
    {
        std::lock_guard l(m_mutex);
        if (id == m_sensor)
            return;
        m_sensor = id;
        ++m_generation;
        m_ergebnis.reset();
    }
    m_Temperaturwert.clear();
    m_Messzeitpunkt.reset();
    m_wecker.notify_all();
}

long Einwirelesung::lesungen() const
{
    std::lock_guard l(m_mutex);
    return m_lesungen;
}

void Einwirelesung::lauf()
{
    std::unique_lock l(m_mutex);
    while (!m_ende) {
        if (m_sensor.empty()) {
            m_wecker.wait(l, [this] { return m_ende || !m_sensor.empty(); });
            continue;
        }
        const std::string id = m_sensor;
        const long generation = m_generation;
        l.unlock();
        const auto wert = Einwire_Lesen(m_zugriff, m_ordner, id);
        l.lock();
        if (generation == m_generation) {
            m_ergebnis = wert;
            m_ergebnisGeneration = generation;
            ++m_lesungen;
        }
        m_wecker.wait_for(l, m_pause, [&] { return m_ende || m_generation != generation; });
    }
}

void Einwirelesung::tick(std::chrono::sys_seconds now)
{
    std::optional<double> wert;
    {
        std::lock_guard l(m_mutex);
        if (m_lesungen == m_abgeholt || m_ergebnisGeneration != m_generation)
            return;
        m_abgeholt = m_lesungen;
        wert = m_ergebnis;
    }
    if (!wert)
        return; // no reading: the value ages, the interlock and the sensor warning follow as with DigiTemp
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", *wert);
    m_Temperaturwert = text;
    m_Messzeitpunkt = now;
}

} // namespace kw
