#pragma once
// The main screen: run buttons, the process displays of the running phase, the
// manual and simulation panels, the function buttons and the four timers that
// drive the whole program. It forwards events to the controller and draws the
// display state (Anzeige) after every tick.

#include <QColor>
#include <QPainterPath>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <array>
#include <optional>
#include <functional>
#include <string>
#include <vector>

#include "core/Anzeige.h"
#include "screens/Anzeigeelemente.h"
#include "texts/Texte.h"

class QAbstractButton;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QSlider;
class QStackedWidget;
class QTimer;

namespace kw {

class Anwendung;
class Phasenseite;
class Zahlenfeld;
struct Hauptbildeinstellungen;

class Grundbild : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* Name = "Grundbild";

    // Builds the screen. Its load (state and displays cleared, the four timers
    // started) runs when it is first shown.
    explicit Grundbild(Anwendung& app);
    ~Grundbild() override;

    // Draws the display state (after every controller tick).
    void zeige();

    // Settings screen OK: extra texts, signal mode and gradient, with the captions that go with them.
    // Call it once app.konfiguration holds the new extra texts.
    void Einstellungen_Anwenden(const Hauptbildeinstellungen& e);

    // The four timers. Public so that tests and benchmarks drive them without waiting.
    void Timer1_Timer();    // 100 ms: controller tick, outputs, display
    void Timer2_Timer();    // 100 ms: panel visibility and simulated value
    void TempRead_Timer();  // 200 ms: temperature reading cycle
    void Takt_1s_Timer();   // 500 ms: blink clock and clouds
    // Stops the four timers (tests call the handlers themselves).
    void Timer_Anhalten();
    bool Timer_Laufen() const;

    // Arms "Start ab Phase" with this phase and these minutes, as the brewer would
    // (resume of a brew journal). Nothing starts before START.
    void Start_ab_Phase_Setzen(int phase, int minuten);

    // The arrangement in effect. Wide: as on a desktop, every panel beside the
    // process data. Compact, when the window is smaller than the wide arrangement
    // needs (a 7-inch 800×480 touch display, a 1024×768 panel): the right column
    // turns over as pages and every button is finger-sized. The window's size chooses.
    bool kompakt() const { return m_Kompakt; }
    // The right column's page in the compact arrangement (Seite_Funktionen ...).
    enum Seite { Seite_Funktionen = 0, Seite_Manuell = 1, Seite_Start = 2 };
    int seite() const;
    // Always the wide arrangement's wish: a window is made as large as that when it can be.
    QSize sizeHint() const override;

    // BEENDEN: every output off, the all-off byte written, the program ends.
    // Also the way out for the signals SIGTERM, SIGINT and SIGHUP.
    void Beenden();

Q_SIGNALS:
    // Everything is off and written: the event loop may end now.
    void beendet();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    // Toggle buttons whose caption depends on the state.
    struct Schalter {
        QAbstractButton* knopf = nullptr;
        Schalttext Anzeige::*zustand = nullptr;
        // Caption for each state; extras take the configured texts.
        std::function<QString(Schalttext)> text;
        Schalttext zuletzt = Schalttext::Ein;
    };

    void aufbauen();
    // Places the panels for the arrangement (nothing when it is in effect already).
    void Anordnen(bool kompakt);
    void Bedienung_Anordnen(bool kompakt);
    void Funktionen_Anordnen(bool kompakt);
    void Prozessdaten_Anordnen(bool kompakt);
    void Lampen_Anordnen(bool kompakt);
    void Kopf_Anordnen(bool kompakt);
    void Simulation_Anordnen(bool kompakt);
    void StartAbPhase_Anordnen(bool kompakt);
    void Seite_Zeigen(int seite);
    // The one button under the pages names the page it turns to.
    int naechste_Seite() const;
    void Seitenknopf_Beschriften();
    // Timer2: a mode switched on brings its page, switched off takes it away.
    void Seiten_Nachfuehren();
    void laden();
    QWidget* baueBedienung();
    QWidget* baueStartAbPhase();
    QWidget* baueBetriebsarten();
    QWidget* baueManuell();
    QWidget* baueSimulation();
    QWidget* baueProzessdaten();
    QWidget* baueLampen();
    QWidget* baueFunktionen();
    QWidget* baueKopf();

    QPushButton* knopf(const char* name, const QString& text, void (Grundbild::*handler)(),
                       bool beiMausDruck);
    // A read-only display; with `wert` it shows that text of the display state on every tick.
    QLineEdit* anzeigefeld(const char* name, int breite, std::string Anzeige::*wert = nullptr);
    QLabel* beschriftung(const char* name, const QString& text);
    Lampenfeld* lampe(const char* name);
    QGroupBox* rahmen(const char* name, const QString& titel);

    void Schalter_Anmelden(QAbstractButton* knopf, Schalttext Anzeige::*zustand,
                           std::function<QString(Schalttext)> text);
    // Caption from a pair of switch texts: `ein` for Schalttext::Ein, `aus` for Aus.
    std::function<QString(Schalttext)> schaltertexte(const std::string Schaltertexte::*ein,
                                                     const std::string Schaltertexte::*aus);
    // Sets the caption of toggles whose state changed since their caption was set.
    void Schalter_Nachfuehren();
    // Sets one toggle's caption from its state, changed or not.
    void Schalter_Beschriften(QAbstractButton* knopf);
    QString extraText(int n, Schalttext s) const;

    // --- event handlers ---
    void START_BRAUEN_Click();
    void STOP_BRAUEN_Click();
    void PAUSE_BRAUEN_Click();
    void QUITTIEREN_Click();
    void PhaseRauf_Click();
    void PhaseRunter_Click();
    void ZeitRauf_Click();
    void ZeitRunter_Click();
    void SollRauf_Click();
    void SollRunter_Click();
    void Option_Gradient_Click();
    void Option_Signal_Click();
    void Switch1_Click();
    void Switch2_Click();
    void switch3_Click();
    void Man_Heizung_Click();
    void Man_Kuehlung_Click();
    void Man_Ruehrwerk_Click();
    void Man_Extra1_Click();
    void Man_Extra2_Click();
    void Man_Extra3_Click();
    void Man_Extra4_Click();
    void Command2_Click();   // PARAMETER
    void Command1_Click();   // BRAU - PROTOKOLL
    void Command5_Click();   // BERECHNUNGEN / HILFEN
    void OPTIONS_Click();
    void INFO_Click();
    void Temperaturkurve_Click();
    void Command7_Click();   // BEENDEN
    void Eingabe_Start_Phase_KeyUp();
    void Eingabe_Start_Zeit_KeyUp();

    void Seitenknopf_Click();

    // Shows a secondary screen, or message 1 if it is not part of the program.
    QWidget* oeffne(const char* name);
    bool eventFilter(QObject* o, QEvent* e) override;

    Anwendung& app;

    // The editor pages once they exist (looked up again after one was unloaded).
    QPointer<Phasenseite> m_Seite1;
    QPointer<Phasenseite> m_Seite2;

    QTimer* m_Timer1 = nullptr;
    QTimer* m_Timer2 = nullptr;
    QTimer* m_TempRead = nullptr;
    QTimer* m_Takt_1s = nullptr;

    std::vector<Schalter> m_schalter;

    // Displays bound to a field of the display state, drawn on every tick.
    template <class Feld, class Wert> struct Bindung {
        Feld* feld;
        Wert Anzeige::*wert;
    };
    // What a text display was last given: an unchanged value costs no conversion.
    struct Gezeigt {
        const std::string* quelle = nullptr;
        std::string wert;
        QString text;
    };
    struct Textbindung {
        QLineEdit* feld;
        std::string Anzeige::*wert;
        Gezeigt gezeigt;
    };
    std::vector<Textbindung> m_texte;
    std::vector<Bindung<Lampenfeld, Lampe>> m_lampen;
    std::vector<Bindung<Temperaturbalken, float>> m_balken;
    std::vector<Bindung<Wolkenbild, Wolke>> m_wolken;

    // displays drawn by state
    QLabel* m_Anzeige_RufQuitt = nullptr;
    QLineEdit* m_Anzeige_KommentarPhase = nullptr;
    QLineEdit* m_Anzeige_Endzeit = nullptr;
    QLabel* m_Label1_10 = nullptr;
    Gezeigt m_Kommentar_Gezeigt;
    Gezeigt m_Label1_10_Gezeigt;
    int m_Sim_Temperatur_Gezeigt = -1000;   // as last written into the simulation field
    Flammenbild* m_Anzeige_Feuer = nullptr;
    QLineEdit* m_Anzeige_TempIst = nullptr;
    bool m_TempIst_Ungueltig = false;   // as drawn
    // The state last drawn whole; empty after a new language or a text field
    // changed by someone else, so that the next tick draws everything again.
    std::optional<Anzeige> m_gezeichnet;

    // buttons and panels
    QPushButton* m_PAUSE_BRAUEN = nullptr;
    QGroupBox* m_Frame_Manuell = nullptr;
    QGroupBox* m_Frame_Simulation = nullptr;
    QSlider* m_Scroll_Sim_IstTemperatur = nullptr;
    QLineEdit* m_Sim_IstTemperatur = nullptr;
    Temperaturbalken* m_Bar_Sim_IstTemperatur = nullptr;
    Zahlenfeld* m_Eingabe_Start_Phase = nullptr;
    Zahlenfeld* m_Eingabe_Start_Zeit = nullptr;
    std::array<QLabel*, 4> m_Extra_Lampentext{};

    // What the arrangements place. Each panel keeps its own children; only the
    // layouts are made anew.
    struct Teile {
        QWidget* kopf = nullptr;
        QLabel* logo = nullptr;
        QLabel* name = nullptr;
        QLineEdit* biersorte = nullptr;
        QGroupBox* bedienung = nullptr;
        std::vector<QPushButton*> laufknoepfe;        // START, STOP, PAUSE
        QGroupBox* betriebsarten = nullptr;
        QGroupBox* funktionen = nullptr;
        std::vector<QPushButton*> funktionsknoepfe;   // PARAMETER .. INFO
        QPushButton* quittieren = nullptr;
        QPushButton* beenden = nullptr;
        QGroupBox* startAbPhase = nullptr;
        QGroupBox* prozessdaten = nullptr;
        QWidget* mqtt = nullptr;
        QPushButton* seitenknopf = nullptr;
        std::vector<QWidget*> phasenzeile;            // caption, number, <, >, title
        QLabel* temperaturtitel = nullptr;
        std::array<QLabel*, 3> tempbeschriftung{};
        std::array<QLineEdit*, 3> tempfeld{};
        std::array<Temperaturbalken*, 3> balken{};
        QPushButton* gradient = nullptr;
        QPushButton* sollRunter = nullptr;
        QPushButton* sollRauf = nullptr;
        QPushButton* zeitRunter = nullptr;
        QPushButton* zeitRauf = nullptr;
        Kesselbild* kessel = nullptr;
        std::array<QLabel*, 3> zeitbeschriftung{};
        std::array<QLineEdit*, 3> zeitfeld{};
        QWidget* vorhersage = nullptr;                // the predicted end, under the times
        QWidget* lampentafel = nullptr;
        std::vector<std::pair<Lampenfeld*, QLabel*>> lampen;   // in reading order
        QPushButton* signal = nullptr;
    } m_teile;
    QWidget* m_Anordnung = nullptr;
    QStackedWidget* m_Seiten = nullptr;
    std::vector<QWidget*> m_Behaelter;   // the containers of the arrangement in effect
    bool m_Kompakt = false;
    bool m_Angeordnet = false;
    bool m_Schmal = false;   // compact and narrow: a 7-inch display
    QSize m_Breit_Wunsch, m_Breit_Minimum;
    bool m_Manuell_Gesehen = false, m_Simulation_Gesehen = false;

    // A refused key empties the start field; its release must not clamp the empty field to "1".
    bool m_Startphase_Abgelehnt = false;
    bool m_beendet = false;
    bool m_geladen = false;
};

} // namespace kw
