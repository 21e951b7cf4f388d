#pragma once
// The program's command line: options, --help, --version, and the program folder it chooses.

#include <QString>
#include <QStringList>

#include <optional>

namespace kw {

struct Befehlszeile {
    enum class Ergebnis { Weiter, Hilfe, Version, Fehler };
    Ergebnis ergebnis = Ergebnis::Weiter;
    QString text;   // help or version text for stdout, or the one-line error for stderr
    QString ordner; // --ordner DIR, empty when not given
    QString testgeraet; // --testgeraet DATEI: output bytes go to this file instead of relays; empty when not given
    // Options of the other parts go here, each set only when given.
    QString importieren;   // --importieren FILE: import without a window
    QString rezept;        // --rezept NAME
    QString ruehrimpuls;   // --ruehren PULSE,PAUSE [s], digits
    QString ruehrpause;
    QString nach;          // --nach DIR: where the recipe files go
    QString probelauf;     // --probelauf RECIPE.rez: dry run without a window
    QString csv;           // --csv FILE: with --probelauf, the predicted curve
};

// Parses argv (argv[0] included). No QCoreApplication is needed.
Befehlszeile Befehlszeile_Lesen(const QStringList& argumente);

// Why the program folder could not be had, for a message in the brewer's language.
struct Ordnerfehler {
    QString ordner; // the folder chosen
    QString grund;  // the system's reason ("Read-only file system", "Not a directory", ...)
};

// The program folder: --ordner when given, else the executable's folder when it is writable
// (a build or a copy of its own), else $XDG_DATA_HOME/kesselwerk (~/.local/share/kesselwerk).
// Creates the folder when missing; returns an empty string with *fehler (one English line) and
// *warum set when it cannot.
QString Programmordner_Waehlen(const QString& ordnerOption, const QString& programmOrdner,
                               QString* fehler, Ordnerfehler* warum = nullptr);

// The same folder, but only when it is there already; creates nothing (empty when missing).
QString Programmordner_Vorhanden(const QString& ordnerOption, const QString& programmOrdner);

} // namespace kw
