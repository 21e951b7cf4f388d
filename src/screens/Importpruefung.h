#pragma once
// Review dialog of the recipe import: which recipe (when the file holds
// several), the phases that will result, the brew-protocol fields to be
// filled, every warning, and stirrer pulse and pause for all phases. "OK"
// hands the result on; "Abbrechen" changes nothing. Shown without blocking.

#include <QDialog>

#include "import/Rezeptimport.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace kw {

class Anwendung;

class Importpruefung : public QDialog {
    Q_OBJECT
public:
    Importpruefung(Anwendung& app, Importdatei datei, const QString& pfad, QWidget* parent);

    const Importabbildung& abbildung() const { return m_abbildung; }

    QComboBox* Rezeptwahl;
    QTableWidget* Phasenliste;
    QTableWidget* Braudatenliste;
    QListWidget* Warnungsliste;
    QLabel* Ablehnung;
    QLineEdit* Ruehrimpuls;
    QLineEdit* Ruehrpause;
    QPushButton* OK;
    QPushButton* Abbrechen;

Q_SIGNALS:
    // OK: the program and brew data to apply, stirrer values set.
    void uebernehmen(const kw::Importabbildung& abbildung);

private:
    void abbilden();
    void OK_Klick();

    Anwendung& app;
    Importdatei m_datei;
    QString m_pfad;
    Importabbildung m_abbildung;
};

} // namespace kw
