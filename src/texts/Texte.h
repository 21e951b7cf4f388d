#pragma once
// Message and caption tables of every language, and the language switch.
//
// All texts are UTF-8. The tables are built once, on first use, and never change.
//
// Caption keys (Beschriftung::Bildschirm, Beschriftung::Steuerelement): the screens
// set the Qt objectName of each control to exactly these strings.
//   - Bildschirm: the screen's name, e.g. "Grundbild", "PARAMETER", "Ruf_Text".
//   - Steuerelement: the control's name with ä ö ü ß written ae oe ue ss
//     ("Man_Kühlung" -> "Man_Kuehlung").
//   - One element of a control array: name, "_", index ("Label1_13", "Label5_0",
//     "Command2_0", "Text_Endzeit_11", "Info_Text_0" .. "Info_Text_15").
//   - A whole control array whose elements all carry the same caption uses the plain
//     name: the phase-block entries of PARAMETER (elements 1..10) and PARAMETER2
//     (elements 11..20), e.g. "Par_Heizphase", "Label1", "Frame3".
//   - Labels and frames that carry no name of their own are numbered per screen in
//     table order: "Label1", "Label2", ... and "Frame1", "Frame2", ...
//   - A window caption would use the empty control name ""; no table entry is one
//     (window captions do not change with the language).
// Every language has the same keys in the same order.
#include <string>
#include <string_view>
#include <vector>

namespace kw {

enum class Sprache { Deutsch, Englisch, Portugiesisch, Tschechisch, Polnisch };

// Number of languages that have tables.
inline constexpr int Anzahl_Sprachen = 5;

// Language setting 1..8 of the configuration to the tables used:
// 1 German, 2 English, 3..5 German (no tables), 6 Portuguese, 7 Polish, 8 Czech,
// anything else German.
Sprache Sprache_Fuer_Nummer(int Sprachnummer);

// The tables for an ISO 639-1 language code ("de", "en", "pt", "cs", "pl", as in the system's
// locale), for messages shown before any configuration can be read; anything else German.
Sprache Sprache_Fuer_Sprachcode(std::string_view code);

// Hint message for a language without tables: 63, 64, 65 for 3, 4, 5; otherwise 0.
int Sprachhinweis_Fuer_Nummer(int Sprachnummer);

// Caption of the language option Sprache1..Sprache8 ("Deutsch", "English", ...);
// the same in every language. Outside 1..8: empty.
const std::string& Sprachoption_Text(int Sprachnummer);

// Message nr (1..100) of a language, with its prefix ("Meldung Nr.25 :  ...").
// Numbers 71..100 and numbers outside 1..100 give an empty text.
const std::string& Meldung(Sprache sprache, int nr);

inline constexpr int Anzahl_Meldungen = 100;  // slots 1..100
inline constexpr int Letzte_Meldung = 70;     // the tables fill 1..70

// Texts that the main screen puts on its toggle buttons and displays by state.
struct Schaltertexte {
    std::string Text_Grad_Ein;
    std::string Text_Grad_Aus;
    std::string Text_Signal_Ein;
    std::string Text_Signal_Aus;
    std::string Text_Heizung_Ein;
    std::string Text_Heizung_Aus;
    std::string Text_Ruehrwerk_Ein;
    std::string Text_Ruehrwerk_Aus;
    std::string Text_Kuehlung_Ein;
    std::string Text_Kuehlung_Aus;
    std::string Text_Simulation_Ein;
    std::string Text_Simulation_Aus;
    std::string Text_Manuell_Ein;
    std::string Text_Manuell_Aus;
    std::string Text_Aktivieren;
    std::string Text_Deaktivieren;
    std::string Text_Phasen_11_20;
    std::string Text_Phasen_11;  // followed by the last phase number
    std::string Text_Zeit_Aktuell;
    std::string Text_Restzeit;
    std::string Text_Keine_Phase;
};

const Schaltertexte& Schaltertexte_Fuer(Sprache sprache);

// Messages about the files in the program folder; the screens fill in %1 and %2.
struct Dateitexte {
    std::string Name_Ungueltig;    // %1 beer name: refused for the recipe and the history file alike
    std::string Link_Verweigert;   // %1 path: a link in a folder other users may write
    std::string Zweites_Programm;  // %1 program folder, %2 process id of the running program
    std::string Ordner_Nicht_Anlegbar; // %1 program folder, %2 why it cannot be created
};

const Dateitexte& Dateitexte_Fuer(Sprache sprache);

struct Beschriftung {
    std::string Bildschirm;
    std::string Steuerelement;
    std::string Text;
};

// The 221 captions of the 14 screens, in table order (see the key convention above).
const std::vector<Beschriftung>& Beschriftungstabelle(Sprache sprache);

inline constexpr int Anzahl_Beschriftungen = 223;

// Caption of one control, or nullptr when the key is not in the table.
const std::string* Beschriftung_Fuer(Sprache sprache, std::string_view bildschirm,
                                     std::string_view steuerelement);

// Texts the program shows beyond the caption table: captions and tooltips of
// controls it adds, accessible texts, and its own messages. Every language has
// each of them; the screens take them with the table's captions.
struct Zusatztexte {
    std::string Temperaturkurve;   // main screen button to the curve screen
    std::string Tipp_QUITTIEREN;   // tooltips that name the key of the button
    std::string Tipp_STOP_BRAUEN;
    std::string Alarm_Off;         // the alarm windows' button that silences
    std::string Alarm_USB_Text;
    std::string Auswahl;           // frame of the calculations menu
    std::string CALC;              // the calculators' button
    std::string Tipp_Meilhaus;     // settings: the interface without a driver
    std::string Tipp_LOG;          // curve screen: open a history file
    std::string Tipp_Zurueck;      // curve screen: back to the main screen
    std::string Name_LOG;          // accessible names of the two picture buttons
    std::string Name_Zurueck;
    std::string Name_Stammwuerze;  // accessible names of the bitterness formula's fields
    std::string Name_Kochzeit;
    std::string Name_Ausnutzung;
    std::string Phase;             // editor block title, followed by the phase number
    std::string Lampe_Ein;         // a lamp's state as text
    std::string Lampe_Aus;
    std::string Stoerung;          // an exception stopped a handler; %1 says what
    std::string Probelauf;         // phase editor: the dry run on the kettle model
    // main screen: the predicted end of the running program
    std::string Vorhersage_Titel;
    std::string Vorhersage_Endlos; // the model says it never ends; %1 the phase
};

const Zusatztexte& Zusatztexte_Fuer(Sprache sprache);

// Where the program puts a text of Zusatztexte: the caption, the tooltip or the
// accessible name of control `Steuerelement` on screen `Bildschirm` (keys as in
// the caption table).
struct Zusatzbeschriftung {
    enum class Art { Text, Tipp, Name };
    std::string Bildschirm;
    std::string Steuerelement;
    Art art;
    std::string Text;
};

const std::vector<Zusatzbeschriftung>& Zusatzbeschriftungen(Sprache sprache);

// Messages of the output guard; "%1" stands for the reason or for the seconds.
struct Waechtertexte {
    std::string Neu_Gestartet;     // the guard had ended and runs again
    std::string Nicht_Verfuegbar;  // %1: why; the outputs are switched without it
    std::string Ausgaenge_Waren_Aus; // %1: seconds the outputs were held off (after the 1 s of silence)
};

const Waechtertexte& Waechtertexte_Fuer(Sprache sprache);

// The texts in effect: the current language and the hint state of the language switch.
struct Texte {
    Sprache aktuell = Sprache::Deutsch;
    // -1 in the original sense: a switch to a language without tables shows its hint.
    // Off at program start; the configuration dialog's OK clears it before its switch.
    bool Sprachhinweis_Aktiv = false;

    // Switches to the tables of Sprachnummer. Returns the hint message to show now
    // (63..65, only if the hint was active), else 0. Afterwards the hint is active.
    int Sprache_Umschalten(int Sprachnummer);

    const std::string& meldung(int nr) const { return Meldung(aktuell, nr); }
    const Schaltertexte& schalter() const { return Schaltertexte_Fuer(aktuell); }
    const Waechtertexte& waechter() const { return Waechtertexte_Fuer(aktuell); }
    const Dateitexte& dateien() const { return Dateitexte_Fuer(aktuell); }
    const std::vector<Beschriftung>& beschriftungen() const { return Beschriftungstabelle(aktuell); }
    const Zusatztexte& zusatz() const { return Zusatztexte_Fuer(aktuell); }
    const std::string* beschriftung(std::string_view bildschirm, std::string_view steuerelement) const {
        return Beschriftung_Fuer(aktuell, bildschirm, steuerelement);
    }
};

}  // namespace kw
