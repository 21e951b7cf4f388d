#pragma once
// The TempRead cycle: after the start-up wait, start a DigiTemp reading run, read the log 3 s later (or
// once the run has ended, when it takes longer), repeat. Never two runs at once.

#include "hardware/Digitemp.h"
#include "hardware/Konfiguration.h"
#include "hardware/Prozessstarter.h"

#include <chrono>
#include <optional>
#include <string>

namespace kw {

// Screens the cycle asks for; the screens implement it, tests record it.
class Temperaturfenster {
public:
    virtual ~Temperaturfenster() = default;
    virtual void zeigeWarnungDS1820() = 0;   // without blocking
    virtual void verbergeHardwareConf() = 0; // the start-up wait is over
};

class Temperaturerfassung {
public:
    static constexpr std::chrono::seconds Startwartezeit{15};
    static constexpr std::chrono::seconds Lesewartezeit{3};
    // A reading run still going then is ended. Slower runs that end by themselves thus give readings at most
    // 10 s and a tick or two apart, well inside the 15 s after which the controller holds the heating.
    static constexpr std::chrono::seconds Laufgrenze{10};
    static constexpr std::chrono::seconds Initialisierungsgrenze{60}; // the bus search may take half a minute

    // `Sensor_Alarm` is the program-wide flag; the cycle sets it, the alarm screens clear it.
    Temperaturerfassung(Prozessstarter& starter, Temperaturfenster& fenster, bool& Sensor_Alarm);

    // OK in the settings screen, with the values just saved: deletes the log, starts the initialisation run
    // (once a run still going has ended) and sets the start-up wait to now + 15 s. False when the tool could
    // not be started (missing, not executable): no temperature will be read.
    bool Hardware_Initialisieren(std::chrono::sys_seconds now, const std::string& Programmpfad,
                                 const Konfiguration& k);

    // The TempRead timer (every 200 ms).
    void tick(std::chrono::sys_seconds now, short Konfiguration_Bestaetigt);

    // Ten cycles in a row without a new valid reading raise the sensor warning, unless the caller watches
    // the reading's age itself and switches this off (on at start).
    void Veraltungswarnung_Setzen(bool ein) { m_Veraltungswarnung = ein; }

    const std::string& Temperaturwert() const { return m_Temperaturwert; }
    // The `now` of the tick that took the newest valid reading: a complete number that the cycle's run
    // wrote before it ended by itself (not an older one found again, nothing of a run that had to be ended)
    // and not the power-on value. Fresh means such a read succeeded then, however long the run took.
    // Unset until the first after each OK.
    std::optional<std::chrono::sys_seconds> Messzeitpunkt() const { return m_Messzeitpunkt; }
    short Zaehler_85() const { return m_Zaehler_85; }
    bool Messung_Laeuft() const { return m_Messung_Laeuft; }
    bool Startwartezeit_Abgelaufen() const { return m_Startwartezeit_Abgelaufen; }
    std::chrono::sys_seconds Faelligkeit() const { return m_Faelligkeit; }
    const std::string& Logdatei() const { return m_logdatei; }
    const Befehl& Initialisierung() const { return m_initBefehl; }

private:
    void laufzeitPruefen(std::chrono::sys_seconds now);
    bool starte(const Befehl& b, bool init, std::chrono::sys_seconds now);

    Prozessstarter& m_starter;
    Temperaturfenster& m_fenster;
    bool& m_Sensor_Alarm;

    std::string m_Temperaturwert;
    std::optional<std::chrono::sys_seconds> m_Messzeitpunkt;
    bool m_Veraltungswarnung = true;
    short m_Zaehler_85 = 0;
    short m_Fehlzyklen = 0;          // cycles in a row without a new valid reading, once there was one
    long long m_logGroesseVorher = 0; // log size when the reading run was started
    bool m_Messung_Laeuft = false;
    bool m_Startwartezeit_Abgelaufen = false;
    std::chrono::sys_seconds m_Faelligkeit{};

    std::string m_programmpfad;
    std::string m_logdatei;
    Befehl m_initBefehl;
    Befehl m_leseBefehl;

    bool m_initAusstehend = false;
    bool m_laufIstInit = false;
    bool m_zyklusLauf = false;       // the reading run of the open cycle is still going
    bool m_laufAbgebrochen = false;  // that run was ended by us (hung, or at OK): nothing of it counts
    bool m_beendenVerlangt = false;
    std::chrono::sys_seconds m_laufStart{};
    std::chrono::sys_seconds m_letztesBeenden{};
    bool m_beendenGesendet = false;
};

} // namespace kw
