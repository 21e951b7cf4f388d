#pragma once
// First page of the phase editor: beer name, phase count, loading and saving a
// recipe, and the blocks of phases 1 to 10. Every change goes straight into the
// mash program of the state object; there is no OK or cancel.
//
// The page also keeps the editor's two values that outlive a single page:
// Parameterseite (the page Ruf_Text returns to) and Bearbeitete_Phase (the phase
// whose call text Ruf_Text edits), and the path of the last recipe file.

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <string>

#include "program/Rezeptdatei.h"

class QFileDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace kw {

class Anwendung;
class Phasenblock;
class Zahlenfeld;

class Parameter : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* Name = "PARAMETER";
    static constexpr int Erste_Phase = 1;

    explicit Parameter(Anwendung& app);

    // Button "PARAMETER" of the main screen: tab order, Parameterseite 1, show.
    void oeffnen();

    // Visibility rules of the editor (the main screen's tick runs them, and the
    // page itself after every change and whenever it is shown).
    void pflegen();

    // Shows the mash program as the state object holds it (after loading).
    void anzeigen();

    // "LADEN" asks this for the file; the default is the open dialog CD1.
    // An empty name means cancelled.
    using Dateiauswahl = std::function<QString()>;
    void setDateiauswahl(Dateiauswahl auswahl) { m_dateiauswahl = std::move(auswahl); }

    int Parameterseite = 1;      // 1 PARAMETER, 2 PARAMETER2
    int Bearbeitete_Phase = 1;   // 1..20
    const std::string& Rezeptdatei() const { return m_Rezeptdatei; }

    Phasenblock& block(int phase) { return *m_bloecke.at(static_cast<std::size_t>(phase - Erste_Phase)); }

    // Tab order of the page (Tabulatorfolge_Setzen does both pages).
    void tabulatorfolge();

Q_SIGNALS:
    // A recipe was loaded: the brew data in the application changed too.
    void rezeptGeladen();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void LADEN();
    void SPEICHERN();
    void ZURUECK();
    void Seitenwechsel();
    void AnzPhasen_Losgelassen();
    QString Dateiauswahl_Dialog();
    void Rezeptfehler(const Rezeptergebnis& r, bool speichern);

    Anwendung& app;
    QLineEdit* Par_Biersorte;
    Zahlenfeld* Par_AnzPhasen;
    QPushButton* Command5;  // LADEN
    QPushButton* Command4;  // SPEICHERN
    QPushButton* Command1;  // ZURÜCK
    QPushButton* Command6;  // page button
    QFileDialog* CD1 = nullptr;
    std::array<Phasenblock*, 10> m_bloecke{};
    Dateiauswahl m_dateiauswahl;
    std::string m_Rezeptdatei;
};

// Sets the tab order of both editor pages (those already created): the ten
// phase blocks, twelve controls each, then beer name and phase count.
void Tabulatorfolge_Setzen(Anwendung& app);

// Block n is shown while the count is empty or n is at most the count.
bool Block_Sichtbar(const std::string& anzahl, int phase);

// Window size of an editor page: all blocks without scrolling where the screen
// is large enough.
void Seitengroesse_Setzen(QWidget& seite, QScrollArea& flaeche);

// Shows a page of the editor and brings it to the front.
void Seite_Zeigen(QWidget& seite);

} // namespace kw
