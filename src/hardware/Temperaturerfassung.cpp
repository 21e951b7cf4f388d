#include "hardware/Temperaturerfassung.h"

#include "hardware/Temperaturlog.h"

#include <sys/stat.h>

namespace kw {

namespace {
// Bytes in the log; 0 when it is missing.
long long Loggroesse(const std::string& pfad)
{
    struct stat st {};
    return ::stat(pfad.c_str(), &st) == 0 ? static_cast<long long>(st.st_size) : 0;
}
} // namespace

Temperaturerfassung::Temperaturerfassung(Prozessstarter& starter, Temperaturfenster& fenster, bool& Sensor_Alarm)
    : m_starter(starter), m_fenster(fenster), m_Sensor_Alarm(Sensor_Alarm)
{
}

bool Temperaturerfassung::Hardware_Initialisieren(std::chrono::sys_seconds now, const std::string& Programmpfad,
                                                  const Konfiguration& k)
{
    m_programmpfad = Programmpfad;
    m_logdatei = Logdatei_Pfad(Programmpfad, k.NameLogFile);
    m_initBefehl = Initialisierungsbefehl(Programmpfad, k.NameDigitemp, k.NameLogFile, k.COM_Port);
    m_leseBefehl = Lesebefehl(Programmpfad, k.NameDigitemp);

    // Two runs on one serial port spoil each other: end the one still going, start the search after it.
    if (m_starter.isRunning()) {
        m_beendenVerlangt = true;
        m_beendenGesendet = false;
    }
    m_initAusstehend = true;
    Logdatei_Loeschen(m_logdatei);
    m_logGroesseVorher = 0;
    m_Messzeitpunkt.reset(); // only readings under the confirmed settings count
    m_Faelligkeit = now + Startwartezeit;
    laufzeitPruefen(now);
    if (m_starter.isRunning())
        return true; // started once the old run has ended
    m_initAusstehend = false;
    return starte(m_initBefehl, true, now);
}

bool Temperaturerfassung::starte(const Befehl& b, bool init, std::chrono::sys_seconds now)
{
    m_laufIstInit = init;
    m_laufStart = now;
    m_beendenVerlangt = false;
    m_beendenGesendet = false;
    if (!init)
        m_laufAbgebrochen = false;
    // a failed start leaves the value as it was
    const bool gestartet = m_starter.start(b.programm, b.argumente, m_programmpfad);
    m_zyklusLauf = !init && gestartet;
    return gestartet;
}

void Temperaturerfassung::laufzeitPruefen(std::chrono::sys_seconds now)
{
    if (!m_starter.isRunning())
        return;
    auto grenze = m_laufIstInit ? Initialisierungsgrenze : Laufgrenze;
    if (!m_beendenVerlangt && now - m_laufStart < grenze)
        return;
    // Once per second at most: the first call asks, a later one forces.
    if (m_beendenGesendet && now <= m_letztesBeenden)
        return;
    m_starter.kill();
    m_beendenGesendet = true;
    m_letztesBeenden = now;
    // A run stopped midway has not read all its sensors: its last line may belong to any of them.
    if (!m_laufIstInit)
        m_laufAbgebrochen = true;
}

void Temperaturerfassung::tick(std::chrono::sys_seconds now, short Konfiguration_Bestaetigt)
{
    laufzeitPruefen(now);
    if (m_zyklusLauf && !m_starter.isRunning())
        m_zyklusLauf = false;
    if (m_initAusstehend && !m_starter.isRunning()) {
        m_initAusstehend = false;
        starte(m_initBefehl, true, now);
    }

    if (Konfiguration_Bestaetigt != 0 && !m_Startwartezeit_Abgelaufen && now >= m_Faelligkeit) {
        m_Startwartezeit_Abgelaufen = true;
        m_fenster.verbergeHardwareConf();
    }
    if (!m_Startwartezeit_Abgelaufen)
        return;

    if (!m_Messung_Laeuft) {
        if (m_initAusstehend || m_starter.isRunning())
            return; // never a second run beside one still going
        m_Messung_Laeuft = true;
        m_Faelligkeit = now + Lesewartezeit;
        m_logGroesseVorher = Loggroesse(m_logdatei);
        starte(m_leseBefehl, false, now);
    } else if (now >= m_Faelligkeit && !m_zyklusLauf) {
        // A run slower than the read delay is read once it has ended: the next run may only start then,
        // and what this one wrote would lie before that run's mark.
        bool neu = false;
        if (!m_logdatei.empty() && !m_laufAbgebrochen)
            // Only a number that this run wrote whole: a tool that logs error text would find the old
            // value again, and the rest of a line cut off by an ended run would splice into the next one.
            if (auto wert = Logwert_Lesen(m_logdatei); wert && wert->anfang >= m_logGroesseVorher) {
                m_Temperaturwert = wert->text;
                neu = wert->text != "85.00";
            }
        if (neu)
            m_Messzeitpunkt = now;
        bool warnen = false;
        // The sensor's power-on value; good readings in between do not reset the count.
        if (m_Temperaturwert == "85.00" && ++m_Zaehler_85 >= 10) {
            m_Zaehler_85 = 0;
            warnen = true;
        }
        // A sensor that stops answering leaves its last value standing: ten cycles in a row without a
        // new valid reading warn as well.
        if (neu || m_Temperaturwert.empty()) {
            m_Fehlzyklen = 0;
        } else if (++m_Fehlzyklen >= 10) {
            m_Fehlzyklen = 0;
            warnen = warnen || m_Veraltungswarnung;
        }
        if (warnen) {
            m_Sensor_Alarm = true;
            m_fenster.zeigeWarnungDS1820();
        }
        m_Messung_Laeuft = false;
    }
}

} // namespace kw
