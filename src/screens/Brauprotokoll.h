#pragma once
// The brew protocol sheet: batch data, hopping, ingredients, notes and the
// holding phases of the mash program; rescales the amounts to a new batch size.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <array>
#include <functional>

#include "aids/BrauDaten.h"
#include "program/Maischprogramm.h"

namespace kw {

class Anwendung;

class Brauprotokoll : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* Name = "Brauprotokoll";

    explicit Brauprotokoll(Anwendung& app);

    // The main screen's "BRAU - PROTOKOLL": beer name and phase rows from the
    // mash program, then shown non-modal.
    void oeffnen();
    // The filling part of oeffnen(), without showing.
    void Fuellen();

    // The 26 brew-data fields that a recipe file saves and loads. Every change
    // of a field is copied into the application's brauDaten at once.
    BrauDaten daten() const;
    void setzeDaten(const BrauDaten& d);
    // The fields afresh from the application's brauDaten (after a recipe load).
    void aktualisieren();

    // Transfers of the bitterness calculator.
    void Bitterhopfenmenge_Uebernehmen(const QString& menge);
    void Aromahopfenmenge_Uebernehmen(const QString& menge);

    // "BRAUBERICHT": the report of the newest or a chosen brew journal, written
    // beside it and opened with the desktop's viewer.
    void Braubericht_Klick();
    // The journal chooser (folder, proposed file) and the viewer; tests put their own in.
    using Journalwahl = std::function<QString(QWidget* eltern, const QString& ordner, const QString& vorschlag)>;
    using Anzeiger = std::function<void(const QString& pdf)>;
    void setzeJournalwahl(Journalwahl w) { m_journalwahl = std::move(w); }
    void setzeAnzeiger(Anzeiger a) { m_anzeiger = std::move(a); }

    // Number of phase rows shown after the last filling.
    int Phasenzeilen() const { return m_zeilenSichtbar; }

private:
    void Mengen_Umrechnen_Klick();
    void OK_Klick();

    struct Phasenzeile {
        QLineEdit* PhaseTemp = nullptr;
        QLabel* PhaseGrad = nullptr;
        QLineEdit* PhaseZeit = nullptr;
        QLabel* PhaseMinut = nullptr;
        QLineEdit* PhaseKomm = nullptr;
        void sichtbar(bool ja) const;
    };

    Anwendung& m_app;
    std::array<QLineEdit*, BrauDaten_Felder.size()> m_datenfelder{};  // in BrauDaten_Felder order
    QLineEdit* m_Datum = nullptr;
    QLineEdit* m_Biersorte = nullptr;
    QLineEdit* m_SudGroesseNeu = nullptr;
    std::array<Phasenzeile, Max_Phasen> m_zeilen{};
    int m_zeilenSichtbar = 0;
    QPushButton* m_BRAUBERICHT = nullptr;
    Journalwahl m_journalwahl;
    Anzeiger m_anzeiger;
};

} // namespace kw
