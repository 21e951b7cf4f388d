#pragma once
// The settings screen "Konfiguration": output interface, serial port, DigiTemp names, the texts of the
// four extra outputs, signal mode, gradient and language. Loaded from the configuration file at the
// first tick and by OPTIONEN; OK saves and applies everything.

#include <QWidget>

#include <array>
#include <atomic>
#include <thread>
#include <string>

#include "hardware/Einstellungen.h"
#include "hardware/Konfiguration.h"
#include "hardware/Systemaufrufe.h"
#include "hardware/Zusatzeinstellungen.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kw {

class Anwendung;

class HardwareAbfrage : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* Name = "HardwareAbfrage";

    explicit HardwareAbfrage(Anwendung& app);

    // Reads the configuration file into the dialog; the interface and language options it selects act at
    // once, as a click would. The file's values become the settings in memory.
    void Konfiguration_Laden();

    // OK: take, save and apply the settings, start the sensor search, confirm, close.
    void Command1_Click();

    // What the dialog shows now, and filling it (0 = no option of that group selected).
    Dialogstand stand() const;
    void setzen(const Dialogstand& d);

    // The GPIO lines as the GPIO dialog left them (taken at OK).
    const Gpioeinstellungen& gpioEntwurf() const { return m_gpioEntwurf; }
    void gpioEntwurfSetzen(const Gpioeinstellungen& e) { m_gpioEntwurf = e; }
    // Opens the GPIO dialog (modal); its OK keeps the lines for the next OK here.
    void GPIO_Einstellen_Click();
    // The system calls the dialogs list chips and boards with (tests give a stand-in kernel).
    void systemaufrufeSetzen(Systemaufrufe sys) { m_sys = std::move(sys); }

    // Lists the 1-Wire sensors with their current reading; the reads run on a thread of their own.
    void Einwire_Lesen_Click();
    // The list shown (id and reading per entry), once the reads are done.
    QStringList einwireListe() const;
    bool einwireSucheLaeuft() const { return m_sucher.joinable() && !m_sucheFertig; }

    ~HardwareAbfrage() override;

    // The first OK since program start has been given.
    bool Erste_Bestaetigung() const { return m_Erste_Bestaetigung; }

private:
    void Schnittstelle_Click(int nummer);
    void Sprache_Click(int nummer);
    void hinweisZeigen(const QString& text);
    QString zusatzLaden(); // Kesselwerk.ini into app.zusatz; "" or what was wrong with it
    void zusatzBeschriften();

    Anwendung& app;

    QLineEdit* m_NameDigitemp = nullptr;
    QLineEdit* m_NameLogFile = nullptr;
    QLineEdit* m_LPT_DEF = nullptr;
    std::array<QLineEdit*, 8> m_Conf_Extra{}; // Conf_Extra1_Ein, Conf_Extra1_Aus, ..., Conf_Extra4_Aus
    QButtonGroup* m_Schnittstelle = nullptr;  // ids 1..5
    QButtonGroup* m_COM = nullptr;            // ids 1..4
    QButtonGroup* m_Signal = nullptr;         // 1 Conf_Signal_Blink, 2 Conf_Signal_Dauer
    QButtonGroup* m_Gradient = nullptr;       // 1 Conf_Grad_Ein, 2 Conf_Grad_Aus
    QButtonGroup* m_Sprache = nullptr;        // ids 1..8
    QLabel* m_Hinweis = nullptr;              // file missing or not saved
    QPushButton* m_Command1 = nullptr;
    QPushButton* m_GPIO_Einstellen = nullptr;
    QButtonGroup* m_Quelle = nullptr;    // 1 DigiTemp, 2 1-Wire
    QComboBox* m_Einwire_Sensor = nullptr;
    QPushButton* m_Einwire_Lesen = nullptr;
    std::thread m_sucher;
    std::atomic<bool> m_sucheFertig{false};
    Gpioeinstellungen m_gpioEntwurf;
    Zusatzeinstellungen m_zusatzGeladen; // as read: OK writes Kesselwerk.ini only when something changed
    Systemaufrufe m_sys = Systemaufrufe::echt();

    bool m_Erste_Bestaetigung = false;
    bool m_schonGeladen = false;     // the first load since program start switches the language silently
    bool m_nichtGespeichert = false; // the last OK could not write the file: the memory holds the truth
};

} // namespace kw
