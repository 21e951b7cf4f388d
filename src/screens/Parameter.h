#pragma once
// First page of the phase editor: beer name, phase count, loading and saving a
// recipe, and the blocks of phases 1 to 10. Every change goes straight into the
// mash program of the state object; there is no OK or cancel.
//
// The page also keeps the editor's two values that outlive a single page:
// Parameterseite (the page Ruf_Text returns to) and Bearbeitete_Phase (the phase
// whose call text Ruf_Text edits), and the path of the last recipe file.

#include <QPointer>
#include <QString>

#include <functional>
#include <string>

#include "program/Rezeptdatei.h"
#include "screens/Phasenblock.h"

class QFileDialog;

namespace kw { class Importpruefung; struct Importabbildung; class Probelaufanzeige; }

namespace kw {

class Parameter : public Phasenseite {
    Q_OBJECT
public:
    static constexpr const char* Name = "PARAMETER";
    static constexpr int Erste_Phase = 1;

    explicit Parameter(Anwendung& app);

    // Button "PARAMETER" of the main screen: tab order, Parameterseite 1, show.
    void oeffnen();

    // Visibility rules of the editor: the blocks, and the page button's
    // visibility and caption.
    void pflegen() override;

    // Shows the mash program as the state object holds it (after loading).
    void anzeigen() override;

    // "LADEN" asks this for the file; the default is the open dialog CD1.
    // An empty name means cancelled.
    using Dateiauswahl = std::function<QString()>;
    void setDateiauswahl(Dateiauswahl auswahl) { m_dateiauswahl = std::move(auswahl); }

    // "IMPORT" asks this for the BeerXML or BeerJSON file; the default is a
    // file dialog shown without blocking. An empty name means cancelled.
    void setImportauswahl(Dateiauswahl auswahl) { m_importauswahl = std::move(auswahl); }
    // The review dialog of the running import, if one is open.
    Importpruefung* importpruefung() const;
    // Reads the file and opens the review dialog (or shows why not).
    void Importieren(const QString& datei);
    // PROBELAUF: the dry run of the program as it stands, in a window of its own.
    void PROBELAUF();
    Probelaufanzeige* probelaufanzeige() const;

    int Parameterseite = 1;      // 1 PARAMETER, 2 PARAMETER2
    int Bearbeitete_Phase = 1;   // 1..20
    const std::string& Rezeptdatei() const { return m_Rezeptdatei; }

Q_SIGNALS:
    // A recipe was loaded: the brew data in the application changed too.
    void rezeptGeladen();

protected:
    QList<QWidget*> weitereTabulatorfolge() const override;
    void Seitenwechsel() override;
    bool veraltet() const override;

private:
    void LADEN();
    void SPEICHERN();
    void IMPORT();
    void Import_Anwenden(const Importabbildung& a);
    void Importknopf_Beschriften();
    void AnzPhasen_Losgelassen();
    // Opens CD1; the chosen file goes to Laden_Aus when the dialog closes.
    void Dateiauswahl_Dialog();
    void Laden_Aus(const QString& gewaehlt);
    void Rezeptfehler(const Rezeptergebnis& r, bool speichern);

    QLineEdit* Par_Biersorte;
    Zahlenfeld* Par_AnzPhasen;
    QPushButton* Command5;  // LADEN
    QPushButton* Command4;  // SPEICHERN
    QPointer<QFileDialog> CD1;
    Dateiauswahl m_dateiauswahl;
    QPushButton* Command_Import;
    Dateiauswahl m_importauswahl;
    QPointer<QFileDialog> m_importdialog;
    QPointer<Importpruefung> m_importpruefung;
    QPushButton* Command_Probelauf;
    QPointer<Probelaufanzeige> m_probelauf;
    std::string m_Rezeptdatei;
    QString m_Seitenknopf_Text;   // the page button's caption as pflegen set it
};

// Sets the tab order of both editor pages (those already created): the ten
// phase blocks, twelve controls each, then beer name and phase count.
void Tabulatorfolge_Setzen(Anwendung& app);

} // namespace kw
