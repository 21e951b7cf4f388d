#pragma once
// The running program: owns the one state object, the controller, the texts of
// the current language, the hardware side and every screen. Screens get a
// reference to it and call into it; the core and the hardware report back
// through the interfaces implemented here.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/Anlage.h"
#include "core/Anzeige.h"
#include "core/Ereignisverteiler.h"
#include "core/Meldungen.h"
#include "aids/BrauDaten.h"
#include "core/Steuerung.h"
#include "hardware/Ausgangsbyte.h"
#include "hardware/Einwire.h"
#include "hardware/Konfiguration.h"
#include "hardware/Prozessstarter.h"
#include "hardware/Temperaturerfassung.h"
#include "hardware/Treibermeldungen.h"
#include "journal/Sudjournal.h"
#include "mqtt/Mqttbruecke.h"
#include "hardware/Waechterquelle.h"
#include "hardware/Zusatzeinstellungen.h"
#include "screens/Meldungsanzeige.h"
#include "screens/Uhr.h"
#include "texts/Texte.h"

namespace kw {

class Anwendung final : public QObject,
                        public Meldungen,
                        public Fenster,
                        public Treibermeldungen,
                        public Temperaturfenster,
                        public Waechterereignisse,
                        public Sicherheitsereignisse {
    Q_OBJECT
public:
    // Outside pieces; null pointers take the real ones (Linux devices, posix_spawn).
    struct Teile {
        const Uhr* uhr = nullptr;
        Geraetequelle* geraete = nullptr;
        Prozessstarter* starter = nullptr;
        std::string Programmpfad;
        // Without `geraete`: the output guard drives the relays (this program, empty: the installed one),
        // or the test device file when given.
        std::string Waechterprogramm;
        std::string Testgeraet;
    };
    explicit Anwendung(Teile teile);
    ~Anwendung() override;

    Anlage anlage;
    Anzeige anzeige;
    Texte texte;
    Konfiguration konfiguration;   // the settings file's values in effect
    Zusatzeinstellungen zusatz;    // the values of Kesselwerk.ini in effect (GPIO, HID board, 1-Wire)
    BrauDaten brauDaten;           // the brew protocol's 26 data fields, saved in recipes

    Steuerung& steuerung() { return m_steuerung; }
    Ausgabe& ausgabe() { return *m_ausgabe; }
    Temperaturerfassung& temperatur() { return *m_temperatur; }
    const Uhr& uhr() const { return *m_uhr; }
    Zeitpunkt jetzt() const { return m_uhr->jetzt(); }   // wall clock: shown and written
    Laufzeitpunkt laufzeit() const { return m_uhr->laufzeit(); }   // monotonic: every duration
    // The hardware measures only durations (DigiTemp's waits, the stirrer's
    // switch-on delay): it counts on the monotonic clock, in the type it takes.
    std::chrono::sys_seconds Geraetezeit() const
    {
        return std::chrono::sys_seconds{laufzeit().time_since_epoch()};
    }
    Meldungsanzeige& meldungsanzeige() { return *m_meldungsanzeige; }

    // Message nr of the current language, and a box showing it.
    QString meldungstext(int nr) const;
    QString schalter(const std::string Schaltertexte::*text) const
    {
        return QString::fromStdString(texte.schalter().*text);
    }

    // --- screens, by their names ("Grundbild", "PARAMETER", ...) ---
    using Erzeuger = std::function<QWidget*(Anwendung&)>;
    void registriere(const std::string& name, Erzeuger erzeuger);
    // The names of every registered screen.
    std::vector<std::string> bildschirmnamen() const;
    // The screen, created hidden on first use with the current language's captions.
    QWidget* bildschirm(const std::string& name);
    template <class T> T& bildschirm() { return *static_cast<T*>(bildschirm(T::Name)); }
    // Already created (and not unloaded)?
    bool geladen(const std::string& name) const;
    // The screen if it exists, without creating it.
    QWidget* vorhanden(const std::string& name) const;
    template <class T> T* vorhanden() const { return static_cast<T*>(vorhanden(T::Name)); }
    // Destroys the screen; the next use creates it afresh.
    void entladen(const std::string& name);
    // Every screen but the main screen, each on its own (errors do not stop the others).
    void andere_entladen();

    // Applies the language Sprachnummer: captions of every screen (creating
    // those not opened yet), switch texts, messages. Shows the hint 63..65 when due.
    void Sprache_Umschalten();
    // Captions of one screen from the current table.
    void beschriften(const std::string& name, QWidget& bildschirm);

    // After each controller tick: stirrer delay, byte, driver write.
    void Ausgaenge_Schreiben();
    // TempRead timer (200 ms): the reading cycle (DigiTemp, or the 1-Wire reader); its value becomes Temperaturwert.
    void TempRead();
    // The 1-Wire reader, made when first needed.
    Einwirelesung& einwire();
    // Every way out: state off, other screens unloaded, all-off written.
    void Alles_Aus_Und_Beenden();
    bool beendet() const { return m_beendet; }
    // A handler was stopped by an exception (`was` says why): the run stops, the
    // manual switches fall back, every output goes off and is written at once,
    // and the brewer gets a message. The program goes on.
    void Stoerung(const std::string& was);
    // Rejects every dialog and message box on screen (each ends its event loop).
    void Dialoge_Schliessen();

    // --- brew journal (Anwendung_Journal.cpp) ---
    journal::Sudjournal& journal() { return *m_journal; }
    // Around each controller tick: the previous tick's records on disk first,
    // the tick's state (alarms, sample) after the outputs are written.
    void Journal_Vor_Tick();
    void Journal_Nach_Tick();
    // A signal ends the program: the run is cut off, not finished, so the journal
    // stays open for a resume at the next start (the outputs go off as always).
    void Journal_Unterbrechen(const std::string& grund);
    // After the first confirmation of the settings: the newest journal, if unfinished, is offered.
    void Fortsetzung_Anbieten();
    // "Fortsetzen": program and brew data from the journal into the editors, "Start ab
    // Phase" armed with the phase and the minutes left; the next START continues the file.
    bool Fortsetzen(const std::string& pfad);
    // "Verwerfen": the journal gets its end record "VERWORFEN".
    void Verwerfen(const std::string& pfad);

    // --- Meldungen ---
    void zeige(int nr) override;
    // --- Fenster ---
    void Braumeisterruf_Zeigen(const std::string& ruftext) override;
    void Braumeisterruf_Verbergen() override;
    void Konfiguration_Laden_Und_Zeigen() override;
    void WarnungDS1820_Zeigen() override { zeigeWarnungDS1820(); }
    // --- Treibermeldungen ---
    void meldung(int nummer, const std::string& titel) override;
    void hinweis(const std::string& text) override;
    void zeigeAlarmUSB() override;
    // --- Temperaturfenster ---
    void zeigeWarnungDS1820() override;
    void verbergeHardwareConf() override;
    // --- Waechterereignisse: each told once, and signalled for the brew journal ---
    void waechterNeuGestartet() override;
    void waechterNichtVerfuegbar(const std::string& grund) override;
    void ausgaengeWarenAus(std::chrono::milliseconds dauer) override;
    // --- Sicherheitsereignisse: the heating interlock, into the brew journal ---
    void Heizsperre_Ein(Zeitpunkt t, Sperrgrund grund) override;
    void Heizsperre_Aus(Zeitpunkt t) override;
    void Heizung_Ohne_Wirkung(Zeitpunkt t, double von_grad, double bis_grad) override;
    void Sensorwarnung(Zeitpunkt t, Warnungsgrund grund) override;
    void Sperre_Vermerken(Zeitpunkt t);
    // --- MQTT link (Anwendung_Mqtt.cpp) ---
    mqtt::Bruecke& mqtt() { return *m_mqtt; }
    // Around each controller tick: remote commands before it, state and events after it.
    void Mqtt_Vor_Tick();
    void Mqtt_Nach_Tick();
    // The settings dialog's OK.
    void Mqtt_Einstellungen_Anwenden(const mqtt::Einstellungen& e);
    // The last remote command acted upon, as the main screen shows it (empty: none yet).
    const QString& fernbefehl() const { return m_fernbefehl; }

    // The output guard in use, null with injected devices.
    Waechterquelle* waechter() { return m_waechter; }

Q_SIGNALS:
    // The language changed: screens that render texts by state refresh them.
    void spracheGeaendert();
    // Output guard events (for the brew journal): it was restarted; it is not available (the outputs are
    // switched without it); the outputs were held off for `ms` because the program had not ticked.
    void ausgangswaechterNeuGestartet();
    void ausgangswaechterNichtVerfuegbar(const QString& grund);
    void ausgaengeWarenAusGewesen(qint64 ms);
    // A remote command is being acted upon; `text` as fernbefehl() gives it.
    void fernbefehlAusgefuehrt(const QString& text);

private:
    std::unique_ptr<Systemuhr> m_eigeneUhr;
    const Uhr* m_uhr;
    std::unique_ptr<Geraetequelle> m_eigeneGeraete;
    Waechterquelle* m_waechter = nullptr; // m_eigeneGeraete when it is the guard
    std::unique_ptr<Prozessstarter> m_eigenerStarter;
    std::unique_ptr<Meldungsanzeige> m_meldungsanzeige;
    Steuerung m_steuerung;
    std::unique_ptr<Ausgabe> m_ausgabe;
    std::unique_ptr<Temperaturerfassung> m_temperatur;
    std::unique_ptr<Einwirelesung> m_einwire;
    bool m_einwireGelesen = false; // the first reading after OK hides the start-up notice
    std::map<std::string, Erzeuger> m_erzeuger;
    std::map<std::string, QPointer<QWidget>> m_bildschirme;
    std::vector<QPointer<QWidget>> m_spaeter_loeschen;  // unloaded inside a dialog's event loop
    bool m_beendet = false;
    std::unique_ptr<journal::Sudjournal> m_journal;
    std::unique_ptr<mqtt::Bruecke> m_mqtt;
    Ereignisverteiler m_ereignisse;                       // journal, then MQTT
    std::uint64_t m_mqtt_gemeldet = 0;                    // refusals of the broker told so far
    QString m_fernbefehl;
    void Mqtt_Starten();
    void Fernbefehl_Vermerken(const mqtt::Fernbefehl& f);
    std::string m_journalfehler_gemeldet;
    std::string m_schreibfehler_journal;                  // the journal whose write failure was told
    Sperrgrund m_sperre_im_journal = Sperrgrund::Keiner; // the interlock state the journal shows last
    std::string m_sperre_journal;                         // ... in this journal file
    bool m_journal_lief = false;                          // a journal was open at the last tick
};

// Registers every screen of the program (one line per screen).
void Bildschirme_Registrieren(Anwendung& app);

} // namespace kw
