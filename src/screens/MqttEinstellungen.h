#pragma once
// The MQTT settings dialog (opened from the settings screen) and the main
// screen's small indicator of the link's state and the last remote command.

#include <QLabel>
#include <QWidget>

#include "mqtt/Mqtteinstellungen.h"
#include "texts/Mqtttexte.h"

#include <string>
#include <utility>
#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimer;

namespace kw {

class Anwendung;

class MqttEinstellungen : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* Name = "MqttEinstellungen";

    explicit MqttEinstellungen(Anwendung& app);

    // The settings in effect into the fields.
    void laden();
    // What the fields say now.
    mqtt::Einstellungen stand() const;
    // OK: checked, saved into Kesselwerk.ini, applied, closed. False (and the reason shown) when refused.
    bool OK_Click();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void beschriften();
    void Zustand_Zeigen();
    void Felder_Freigeben();

    Anwendung& app;
    QCheckBox* m_Ein = nullptr;
    QLineEdit* m_Host = nullptr;
    QSpinBox* m_Port = nullptr;
    QCheckBox* m_Tls = nullptr;
    QLineEdit* m_Ca = nullptr;
    QLineEdit* m_Zertifikat = nullptr;
    QLineEdit* m_Schluessel = nullptr;
    QLineEdit* m_Benutzer = nullptr;
    QLineEdit* m_Passwort = nullptr;
    QLineEdit* m_Praefix = nullptr;
    QLineEdit* m_Client_Id = nullptr;
    QCheckBox* m_Befehle = nullptr;
    QLabel* m_Zustand = nullptr;
    QLabel* m_Fehler = nullptr;
    QPushButton* m_OK = nullptr;
    QPushButton* m_Abbrechen = nullptr;
    QTimer* m_Takt = nullptr;
    std::vector<std::pair<QWidget*, std::string Mqtttexte::*>> m_texte;   // captions, from the current table
};

// "MQTT: verbunden" and, once one came, the last remote command; hidden while MQTT is off
// and no command came. Reads the link's state twice a second; redraws only on a change.
class Mqttanzeige : public QLabel {
    Q_OBJECT
public:
    explicit Mqttanzeige(Anwendung& app);
    void aktualisieren();

private:
    Anwendung& app;
};

// The link's state as the brewer reads it: "verbunden", "abgewiesen: <detail>" ...
QString Mqtt_Statustext(Anwendung& app, bool mit_detail);

} // namespace kw
