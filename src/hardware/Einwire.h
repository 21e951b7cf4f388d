#pragma once
// DS18B20 sensors through the kernel's 1-Wire bus (w1-gpio + w1-therm): the sensor source "1-Wire (Kernel)"
// beside DigiTemp. A read blocks for most of a second (longer on a faulty bus), so it runs on a thread of its
// own; the tick only takes what the thread last read.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace kw {

// The devices folder: $KW_W1_ORDNER when set (tests), else /sys/bus/w1/devices.
std::string Einwire_Ordner();

// The file access of the reader; tests give their own (a read that blocks on a condition).
struct Einwirezugriff {
    std::function<std::optional<std::string>(const std::string& pfad)> lesen; // nullopt: missing or I/O error
    std::function<std::vector<std::string>(const std::string& ordner)> verzeichnis;
    static Einwirezugriff echt();
};

// Millidegrees from `temperature` or `w1_slave` as the kernel writes them, checked: only a `YES` CRC, not the
// power-on value 85 °C, and inside the plausible range. nullopt: no reading.
std::optional<double> Einwire_Auswerten(const std::string& inhalt, bool w1_slave);
// Water in the kettle is above 0 °C and below 110 °C; the bus-fault values (-0.062, 127.937) fall outside.
inline constexpr double Einwire_Min_C = 0.0;  // exclusive
inline constexpr double Einwire_Max_C = 110.0;

// One read of sensor `id` under `ordner`: `temperature` where the kernel has it, else `w1_slave`.
std::optional<double> Einwire_Lesen(const Einwirezugriff& z, const std::string& ordner, const std::string& id);

// Temperature sensors under `ordner` (family 28, 10, 22, 3b, 42), sorted.
std::vector<std::string> Einwire_Sensoren(const Einwirezugriff& z, const std::string& ordner);

class Einwirelesung {
public:
    static constexpr std::chrono::milliseconds Pause{2000}; // between reads: a new reading every few seconds

    explicit Einwirelesung(std::string ordner = Einwire_Ordner(), Einwirezugriff zugriff = Einwirezugriff::echt(),
                           std::chrono::milliseconds pause = Pause);
    ~Einwirelesung(); // stops the thread (waits for a read still going)
    Einwirelesung(const Einwirelesung&) = delete;
    Einwirelesung& operator=(const Einwirelesung&) = delete;

    // Reads `id` from now on ("" stops reading); the last reading no longer counts.
    void sensorSetzen(const std::string& id);

    // On the tick: never blocks. A read finished since the last call gives Temperaturwert ("63.25") and, when it
    // succeeded, Messzeitpunkt = now; a failed read leaves both as they were.
    void tick(std::chrono::sys_seconds now);
    const std::string& Temperaturwert() const { return m_Temperaturwert; }
    std::optional<std::chrono::sys_seconds> Messzeitpunkt() const { return m_Messzeitpunkt; }
    // Reads finished so far (tests, benchmarks).
    long lesungen() const;

private:
    void lauf();

    const std::string m_ordner;
    const Einwirezugriff m_zugriff;
    const std::chrono::milliseconds m_pause;
    mutable std::mutex m_mutex;
    std::condition_variable m_wecker;
    std::string m_sensor;       // guarded
    long m_generation = 0;      // guarded: counts sensor changes
    long m_lesungen = 0;        // guarded
    long m_abgeholt = 0;        // reads taken by tick()
    std::optional<double> m_ergebnis; // guarded: the last read
    long m_ergebnisGeneration = 0;    // guarded
    bool m_ende = false;        // guarded
    std::string m_Temperaturwert;
    std::optional<std::chrono::sys_seconds> m_Messzeitpunkt;
    std::thread m_faden;
};

} // namespace kw
