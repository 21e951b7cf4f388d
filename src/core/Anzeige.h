#pragma once
// Everything the main screen renders, as data. The controller writes it on each
// tick and in its button handlers; the screen only draws it. Texts that depend
// on the language are not held here: the display state says which switch text
// to take, and the screen takes it from the current language's table.

#include <string>

namespace kw {

enum class Lampe { Grau, Gruen, Rot };

// Which of the two switch texts a toggle button shows. The caption names the
// change a click makes: Ein = the "... EIN" text (Text_Heizung_Ein,
// Text_Grad_Ein, Text_Signal_Ein, Text_Simulation_Ein, Text_Aktivieren, the
// extra's configured "Ein" text ...), Aus = its counterpart.
enum class Schalttext { Ein, Aus };

// Label item 10 of Label1 above Anzeige_ZeitAct.
enum class Zeitbeschriftung { Zeit_Aktuell, Restzeit };

struct Wolke {
    bool sichtbar = false;
    float breite = 0.0f;   // geometry values: |actual temperature| times the cloud's factors
    float hoehe = 0.0f;
    bool operator==(const Wolke&) const = default;
};

struct Anzeige {
    // --- texts --------------------------------------------------------------
    std::string Anzeige_Phase = "0";
    std::string Anzeige_KommentarPhase;     // title of the running phase
    bool Keine_Phase_Aktiv = false;         // true: show Text_Keine_Phase instead of the title
    std::string Anzeige_TempIst = "0.0";    // numbers with the locale's decimal separator
    // No live, plausible reading (outside simulation): the screen marks Anzeige_TempIst as invalid.
    // The text itself stays what the controller compares.
    bool Anzeige_TempIst_Ungueltig = false;
    std::string Anzeige_TempSoll = "0.0";
    std::string Anzeige_TempSollAct = "0";  // the moving target
    std::string Anzeige_Startzeit = "0:0:0";// "08.12.2026 14:05:09" while a phase runs
    std::string Anzeige_Endzeit = "0:0:0";
    std::string Anzeige_ZeitAct = "0:0:0";  // time of day "14:05:09" or remaining "1:04:59"
    Zeitbeschriftung Label_ZeitAct = Zeitbeschriftung::Zeit_Aktuell;
    std::string Biersorte;
    std::string Anzeige_Phasenzahl;

    // --- lamps ----------------------------------------------------------------
    Lampe Anzeige_Aufheizen = Lampe::Grau;
    Lampe Anzeige_Heizen = Lampe::Grau;     // "Konstantphase"
    Lampe Anzeige_Kuehlen = Lampe::Grau;
    Lampe Anzeige_Brauen = Lampe::Grau;     // blinks while a phase runs
    Lampe Anzeige_Fertig = Lampe::Grau;     // red at the end of a program
    Lampe Anzeige_Heizung = Lampe::Grau;    // heating demand / manual heating
    Lampe Anzeige_Kuehlung = Lampe::Grau;
    Lampe Anzeige_Ruehrwerk = Lampe::Grau;  // stirrer request
    Lampe Anzeige_Ruehr1 = Lampe::Grau;     // stirrer output
    Lampe Anzeige_Ruehr2 = Lampe::Grau;
    Lampe Anzeige_Signal = Lampe::Grau;
    Lampe Anzeige_Extra1 = Lampe::Grau;
    Lampe Anzeige_Extra2 = Lampe::Grau;
    Lampe Anzeige_Extra3 = Lampe::Grau;
    Lampe Anzeige_Extra4 = Lampe::Grau;

    // --- visibilities ---------------------------------------------------------
    bool Anzeige_Endzeit_Sichtbar = true;
    bool Anzeige_Feuer_Sichtbar = false;    // flame = heating output on
    bool Anzeige_RufQuitt_Sichtbar = false; // "RUF QUITTIEREN !!", blinks while a call waits
    bool PAUSE_BRAUEN_Sichtbar = true;      // blinks while paused

    // --- steam clouds ---------------------------------------------------------
    Wolke Anzeige_Wolke_Gross;
    Wolke Anzeige_Wolke_Mittel;
    Wolke Anzeige_Wolke_Klein;

    // --- bars (°C, in the bar pictures' scale) ---------------------------------
    float Bar_TempSoll = 0.0f;
    float Bar_TempSollAct = 0.0f;
    float Bar_Sim_IstTemperatur2 = 0.0f;    // actual temperature

    // --- toggle captions ------------------------------------------------------
    Schalttext Option_Gradient = Schalttext::Aus;   // "Grad. Aus" at load
    Schalttext Option_Signal = Schalttext::Aus;     // "Signal taktend aus" at load
    Schalttext Switch1 = Schalttext::Ein;           // simulation
    Schalttext Switch2 = Schalttext::Ein;           // manual mode
    Schalttext switch3 = Schalttext::Ein;           // Ein = "Aktivieren", Aus = "Deaktivieren"
    Schalttext Man_Heizung = Schalttext::Ein;
    Schalttext Man_Kuehlung = Schalttext::Ein;
    Schalttext Man_Ruehrwerk = Schalttext::Ein;
    Schalttext Man_Extra1 = Schalttext::Ein;
    Schalttext Man_Extra2 = Schalttext::Ein;
    Schalttext Man_Extra3 = Schalttext::Ein;
    Schalttext Man_Extra4 = Schalttext::Ein;

    // Display part of the main screen's load.
    void laden() { *this = Anzeige{}; }
    bool operator==(const Anzeige&) const = default;
};

} // namespace kw
