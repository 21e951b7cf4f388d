// The application's part of the MQTT link: started with the settings of
// Kesselwerk.ini, fed around each tick, remote commands into the journal and
// onto the main screen, a refusal of the broker said once.

#include "screens/Anwendung.h"

#include "journal/Journalformat.h"
#include "mqtt/Mqtteinstellungen.h"
#include "texts/Mqtttexte.h"
#include "Version.h"

#include <QMessageBox>

namespace kw {

void Anwendung::Mqtt_Starten()
{
    m_mqtt = std::make_unique<mqtt::Bruecke>(
        anlage, anzeige, m_steuerung,
        mqtt::Bruecke::Uhren{[this] { return jetzt(); }, [this] { return laufzeit(); }}, KW_VERSION);
    m_mqtt->Waechter_Setzen(m_waechter ? "running" : "none");
    m_mqtt->bei_Fernbefehl = [this](const mqtt::Fernbefehl& f) { Fernbefehl_Vermerken(f); };
    // An unreadable file leaves MQTT off; the settings screen says what is wrong with the file.
    m_mqtt->Einstellungen_Anwenden(mqtt::Einstellungen_Lesen(anlage.Programmpfad));
}

void Anwendung::Mqtt_Einstellungen_Anwenden(const mqtt::Einstellungen& e) { m_mqtt->Einstellungen_Anwenden(e); }

void Anwendung::Mqtt_Vor_Tick() { m_mqtt->vor_Tick(); }

void Anwendung::Mqtt_Nach_Tick()
{
    m_mqtt->nach_Tick();
    const mqtt::Bericht b = m_mqtt->bericht();
    if (b.meldungen <= m_mqtt_gemeldet)
        return;
    m_mqtt_gemeldet = b.meldungen;
    const Mqtttexte& t = Mqtttexte_Fuer(texte.aktuell);
    const std::string& satz = b.fehler == mqtt::Fehlerart::Anmeldung    ? t.F_Anmeldung
                              : b.fehler == mqtt::Fehlerart::Zertifikat ? t.F_Zertifikat
                                                                        : t.F_Abgelehnt;
    const mqtt::Einstellungen& e = m_mqtt->einstellungen();
    const QString broker = QString::fromStdString(e.host + ":" + std::to_string(e.port));
    m_meldungsanzeige->zeige(QString::fromStdString(satz).arg(broker, QString::fromStdString(b.detail)),
                             QString::fromStdString(t.Titel), QMessageBox::Warning);
}

void Anwendung::Fernbefehl_Vermerken(const mqtt::Fernbefehl& f)
{
    const std::string befehl = mqtt::Befehl_Text(f.befehl);
    // Before the command's own record: the journal reads "Fernbefehl QUITTIEREN", then "Ruf_Quittiert".
    m_journal->Ereignis_Schreiben(jetzt(), std::string(journal::Art_Fernbefehl), befehl, f.wer);
    const QString zeit = QString::fromStdString(journal::Zeit_Text(jetzt()).substr(11));
    m_fernbefehl = QString::fromStdString(Mqtttexte_Fuer(texte.aktuell).Fernbefehl)
                       .arg(QString::fromStdString(befehl), zeit, QString::fromStdString(f.wer));
    Q_EMIT fernbefehlAusgefuehrt(m_fernbefehl);
}

} // namespace kw
