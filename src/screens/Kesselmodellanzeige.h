#pragma once
// The kettle model as the brewer handles it: the settings dialog (element power,
// the learned values and the brews they come from, reset), opened from the
// settings screen; the switch "mit Kesselmodell" of the main screen's SIMULATION
// frame; and the learning after each brew, done off the UI thread.

#include <QCheckBox>
#include <QWidget>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/Modellwissen.h"
#include "texts/Modelltexte.h"

class QLabel;
class QMessageBox;
class QPushButton;
class QSlider;
class QSpinBox;

namespace kw {

class Anwendung;

class Kesselmodellanzeige : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* Name = "Kesselmodellanzeige";

    explicit Kesselmodellanzeige(Anwendung& app);

    // The saved state of the program folder into the dialog (reads Kesselwerk.ini only).
    void laden();

    QSpinBox* Leistung = nullptr;
    QPushButton* Uebernehmen = nullptr;
    QLabel* Herkunft = nullptr;
    QLabel* Heizrate = nullptr;
    QLabel* Verlust = nullptr;
    QLabel* Totzeit = nullptr;
    QLabel* Abweichung = nullptr;
    QLabel* Sude = nullptr;
    QLabel* Antwortzeit = nullptr;
    QLabel* Ohne_Wirkung = nullptr;    // journals refused: the heating never raised the temperature
    QPushButton* Zuruecksetzen = nullptr;
    QPushButton* Schliessen = nullptr;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void beschriften();
    void Uebernehmen_Click();
    void Zuruecksetzen_Click();

    Anwendung& app;
    modell::Modellstand m_stand;
    std::vector<std::pair<QWidget*, std::string Modelltexte::*>> m_texte;
};

// "mit Kesselmodell" in the SIMULATION frame: the model, not the slider, gives the
// simulated temperature (the marker and the field beside the slider show it); the
// slider is disabled, and takes the model's value when the switch goes off.
class Modellschalter : public QCheckBox {
    Q_OBJECT
public:
    Modellschalter(Anwendung& app, QSlider* regler);

private:
    void nachfuehren();

    Anwendung& app;
    QSlider* m_regler;
};

// A journalled run has ended: the model is learned anew from the journals on a thread
// of its own and saved (Modell_Speichern) when done. A failure is told in a message box.
// A run ending while one is learning is learned after it.
void Kesselmodell_Lernen(Anwendung& app);
// A learning still running has ended (for tests and the shutdown).
void Kesselmodell_Lernen_Abwarten(Anwendung& app);

} // namespace kw
