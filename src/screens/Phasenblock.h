#pragma once
// One phase block of the editor pages (phase n): title, the three kind options,
// the four number fields, and the call options with the call time in a frame of
// their own. Every control carries the object name "<Name>_<n>", so that the
// caption table's plain array names reach it.
//
// The block writes into the phase record at the moments the editor promises:
// the three flags of a group on every click in it, a number field's text on
// every key release in it. Title edits go straight into the program.

#include <QGroupBox>

#include <string>

#include "program/Funktionen.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QRadioButton;

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

// Gives a line edit a typing limit of `laenge` characters that, unlike
// QLineEdit::maxLength, leaves longer texts set by the program (from a recipe
// file) whole.
void Eingabelaenge_Begrenzen(QLineEdit& feld, int laenge);

} // namespace kw
