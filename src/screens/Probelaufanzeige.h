#pragma once
// PROBELAUF of the phase editor: the dry run of the mash program as it stands,
// on the kettle model of the program folder. The work runs on a thread of its own
// (journals read, the controller run), so the main screen's tick never waits; the
// window shows the table, the predicted curve and the total when it is done.
// Shown without blocking; closing it waits for a run still going.

#include <QDialog>

#include <thread>

#include "aids/BrauDaten.h"
#include "model/Modellwissen.h"
#include "probelauf/Probelauf.h"
#include "texts/Texte.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace kw {

// What the dry run of the editor needs and gives; computed off the UI thread.
struct Probelaufauftrag {
    std::string ordner;
    Maischprogramm programm;
    BrauDaten daten;
    bool gradient = false;
    char dezimaltrenner = '.';
    Sprache sprache = Sprache::Deutsch;   // messages of a refused program check
};
struct Probelaufantwort {
    modell::Modellstand modell;
    probelauf::Ergebnis ergebnis;
};
Probelaufantwort Probelauf_Rechnen(const Probelaufauftrag& auftrag);

class Probelaufkurve : public QWidget {
public:
    explicit Probelaufkurve(QWidget* parent = nullptr);
    void setzen(std::vector<probelauf::Kurvenpunkt> punkte);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    std::vector<probelauf::Kurvenpunkt> m_punkte;
};

class Probelaufanzeige : public QDialog {
    Q_OBJECT
public:
    Probelaufanzeige(Probelaufauftrag auftrag, QWidget* parent);
    ~Probelaufanzeige() override;

    bool fertig() const { return m_fertig; }

    QLabel* Modellzeile;
    QTableWidget* Tabelle;
    Probelaufkurve* Kurve;
    QLabel* Gesamtzeile;
    QPushButton* Schliessen;

Q_SIGNALS:
    void gerechnet();

private:
    void zeigen(const Probelaufantwort& a);

    Probelaufauftrag m_auftrag;
    std::thread m_rechner;
    bool m_fertig = false;
};

} // namespace kw
