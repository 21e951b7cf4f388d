#pragma once
// One phase block of the editor pages (phase n): title, the three kind options,
// the four number fields, and the call options with the call time in a frame of
// their own. Every control carries the object name "<Name>_<n>", so that the
// caption table's plain array names reach it.
//
// The block writes into the phase record at the moments the editor promises:
// the three flags of a group on every click in it, a number field's text on
// every key release in it. Title edits go straight into the program.
//
// Phasenseite is what the two editor pages share: the heading frame, ten blocks,
// the visibility rules, the tab order and the way back.

#include <QGroupBox>
#include <QWidget>

#include <array>
#include <string>

#include "program/Funktionen.h"

class QButtonGroup;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;

namespace kw {

class Anwendung;
class Maischprogramm;
class Zahlenfeld;

class Phasenblock : public QGroupBox {
    Q_OBJECT
public:
    Phasenblock(Anwendung& app, int phase, QWidget* parent = nullptr);

    int phase() const { return m_phase; }

    // Shows title, options and number fields of the phase as the program holds
    // them (after loading). Options follow the records' flags; none is selected
    // in a group whose flags all read false.
    void anzeigen(const Maischprogramm& programm);

    // Visibility rules: the block itself, the holding time only for a
    // Konstantphase, the call time only for "Ruf nach Rufzeit".
    void pflegen(bool blockSichtbar);

    // The twelve controls in the editor's tab order.
    QList<QWidget*> tabulatorfolge() const;

    QLineEdit* Par_Titel;
    QRadioButton* Par_Heizphase;
    QRadioButton* Par_Aufheizphase;
    QRadioButton* Par_Kuehlphase;
    Zahlenfeld* Par_EndTemp;
    Zahlenfeld* Par_Heizzeit;
    Zahlenfeld* Par_Ruehrpuls;
    Zahlenfeld* Par_Ruehrpause;
    QGroupBox* Frame3;
    QRadioButton* Par_KeinRuf;
    QRadioButton* Par_Ruf_Ende_Phase;
    QRadioButton* Par_Ruf_nach_Rufzeit;
    Zahlenfeld* Par_Rufzeit;

Q_SIGNALS:
    // Bearbeitete_Phase := phase (option click, key press in a number field).
    void beruehrt(int phase);
    // "Ruf Ende Phase" or "Ruf nach Rufzeit" was clicked: the call text is due.
    void rufGewaehlt(int phase);
    // An option changed: the visibility rules may have changed.
    void optionGeaendert();

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    using Filter = Tastenergebnis (*)(int taste, const std::string& text);
    Zahlenfeld* zahlenfeld(const QString& name, int laenge, Filter filter);
    void artGeklickt();
    void rufGeklickt(QRadioButton* geklickt);
    void losgelassen(Zahlenfeld* feld);

    Anwendung& app;
    int m_phase;
    QButtonGroup* m_art;
    QButtonGroup* m_ruf;
};

// One page of the phase editor: window title "KESSELWERK", the heading frame
// Frame1 with the page button Command6 and "ZURÜCK" (Command1), and the blocks
// of ten phases from `erstePhase` on in two rows (a smaller window scrolls).
class Phasenseite : public QWidget {
    Q_OBJECT
public:
    Phasenblock& block(int phase);

    // Visibility rules of the page (the page runs them after every option
    // change and whenever it is shown).
    virtual void pflegen();
    // The main screen's tick: runs the rules only when something they follow
    // changed since (phase count, an option).
    void nachfuehren();
    // Shows the page's phases as the program holds them (after loading).
    virtual void anzeigen();
    // Tab order of the page: the ten blocks, twelve controls each, then the
    // page's own fields and buttons (Tabulatorfolge_Setzen does both pages).
    void tabulatorfolge();

Q_SIGNALS:
    // A block of this page was touched: Bearbeitete_Phase := phase.
    void beruehrt(int phase);

protected:
    Phasenseite(Anwendung& app, int erstePhase, const QString& seitenknopf);

    // End of the page's constructor, once the heading is complete: window
    // size, tab order and visibility.
    void fertigstellen();
    // Button of the heading, in Frame1.
    QPushButton* knopf(const char* name, const QString& beschriftung);
    // Fields and buttons after the blocks in the tab order (the page button
    // and ZURÜCK).
    virtual QList<QWidget*> weitereTabulatorfolge() const;
    // The page button: the other page takes this page's place.
    virtual void Seitenwechsel() = 0;
    // Whether pflegen has something to do; a page with more rules adds its own.
    virtual bool veraltet() const;
    void Seite_Tauschen(QWidget& andere);

    void showEvent(QShowEvent* e) override;

    Anwendung& app;
    QGroupBox* Frame1;
    QHBoxLayout* kopf;
    QPushButton* Command6;  // page button
    QPushButton* Command1;  // ZURÜCK

private:
    void ZURUECK();

    int m_erste;
    QScrollArea* m_flaeche;
    std::array<Phasenblock*, 10> m_bloecke{};
    // What the rules last ran on.
    bool m_optionen_geaendert = true;
    std::string m_gepflegt_anzahl;
};

// Block n is shown while the count is empty or n is at most the count.
bool Block_Sichtbar(const std::string& anzahl, int phase);

// Window size of an editor page: all blocks without scrolling where the screen
// is large enough.
void Seitengroesse_Setzen(QWidget& seite, QScrollArea& flaeche);

// Shows a page of the editor and brings it to the front.
void Seite_Zeigen(QWidget& seite);

// Gives a line edit a typing limit of `laenge` characters that, unlike
// QLineEdit::maxLength, leaves longer texts shown by Text_Zeigen (from a recipe
// file) whole: such a text can be shortened, never lengthened.
void Eingabelaenge_Begrenzen(QLineEdit& feld, int laenge);

// Sets a field's text from the program, past its typing limit.
void Text_Zeigen(QLineEdit& feld, const QString& text);

} // namespace kw
