#pragma once
// What the program knows about its kettle: the model learned from the brew
// journals of the program folder (<folder>/Sude/*.csv), or, before any journal,
// the model derived from the batch size and the element power; the brewmaster's
// usual answer time; the settings in section [Kesselmodell] of Kesselwerk.ini.
//
//   [Kesselmodell]
//   Leistung_W=3000            element power, entered by the brewer
//   Raumtemperatur_C=20        the room the kettle loses its heat to
//   Heizrate_K_min=...         learned values and the number of brews they come from
//   Verlust_1_h=... Totzeit_s=... Sude=... Abweichung_RMS_K=... Abweichung_Max_K=...
//   Antwortzeit_s=...          the brewmaster's usual answer time (median)
//   Ohne_Wirkung=a.csv | b.csv journals refused: their heating never raised the temperature
//   Zurueckgesetzt=2026-12-09 10:00:00   journals begun before this are not used
//
// Reading never writes; only Modell_Speichern, Modell_Zuruecksetzen and
// Leistung_Setzen change the section (atomically, the other sections untouched).

#include <optional>
#include <string>
#include <vector>

#include "aids/BrauDaten.h"
#include "journal/Journal_Lesen.h"
#include "model/Modellanpassung.h"

namespace kw::modell {

inline constexpr const char* Abschnitt = "Kesselmodell";
inline constexpr double Standard_Leistung_W = 3000.0;
inline constexpr double Standard_Volumen_l = 50.0;
inline constexpr double Standard_Antwortzeit_s = 60.0;
// A journal with heating whose temperature never rose by this much over a heating
// period had a heating without effect (a broken element) [K].
inline constexpr double Mindest_Heizanstieg_K = 0.5;
// Below this a learned rate is no heating [K/min].
inline constexpr double Mindest_Heizrate_K_min = 0.05;

// What one journal gave.
struct Journalbefund {
    std::string datei;           // file name
    bool verwendet = false;
    std::string grund;           // not used: why (for the brewer)
    bool ohne_wirkung = false;   // refused: its heating never raised the temperature
    bool simulation = false;     // not used: a rehearsal (simulation on)
    double heizrate_K_min = 0;   // from this journal alone, when it heated long enough
    double heizdauer_s = 0;
    double anstieg_K = 0;        // largest rise over a heating period
};

struct Modellstand {
    Kesselparameter p;
    enum class Herkunft { Standard, Gelernt } herkunft = Herkunft::Standard;
    bool leistung_eingetragen = false;  // Leistung_W set by the brewer
    int sude = 0;                       // journals the learned values come from
    double rms_K = 0, max_K = 0;        // deviation of the learned model over them
    double antwortzeit_s = Standard_Antwortzeit_s;
    int rufe = 0;                       // acknowledged calls the answer time comes from
    std::optional<double> start_C;      // median first reading of the journals used
    std::vector<Journalbefund> befunde; // every journal looked at
    std::string hinweis;                // why learning did not work, when it did not
    // Journals refused because their heating never raised the temperature (file names);
    // saved with the learned values, so the settings show them.
    std::vector<std::string> ohne_wirkung;
};

// The journal's samples as stretches for the fit: 5 s samples with a valid reading,
// cut where the samples have a gap, the reading is missing or out of range, the
// cooling was on by hand (the model knows no cooling), or simulation was on (switch
// "Switch1", recorded right after the start of a rehearsing run).
std::vector<Messreihe> Messreihen_Aus(const journal::Journalinhalt& j);

// Acknowledged calls: seconds from call to QUITTIEREN.
std::vector<double> Antwortzeiten_Aus(const journal::Journalinhalt& j);

// The median; nullopt for none.
std::optional<double> Median(std::vector<double> werte);

// Fits the journals together; one whose heating never raised the temperature is
// refused (befund.grund) and left out.
Modellstand Lernen(const std::vector<journal::Journalinhalt>& journale, const std::vector<std::string>& namen,
                   const Kesselparameter& vorgabe);

// Model of a kettle without journals: heat capacity of the content (batch size,
// water) and the element power.
Kesselparameter Standardparameter(double volumen_l, double leistung_W, double raum_C);

// Batch size [l] from the brew data ("50", "50,5"); Hauptguss when Sudgroesse is empty.
std::optional<double> Volumen_Aus(const BrauDaten& daten);

// The whole picture for `ordner`: settings, journals after the last reset, defaults.
// `daten`: the brew protocol for the defaults.
Modellstand Modell_Ermitteln(const std::string& ordner, const BrauDaten& daten);

// What the section holds, without reading a journal (fast enough for the UI thread):
// the learned values last saved by Modell_Speichern, else the defaults of `daten`
// and the power as Modell_Ermitteln gives them. Befunde stay empty.
Modellstand Modell_Gespeichert(const std::string& ordner, const BrauDaten& daten);

bool Modell_Speichern(const std::string& ordner, const Modellstand& m, std::string* fehler = nullptr);
// Clears the learned values; journals begun before `jetzt` no longer count.
bool Modell_Zuruecksetzen(const std::string& ordner, journal::Zeitpunkt jetzt, std::string* fehler = nullptr);
// Element power [W] the brewer entered (0 clears it).
bool Leistung_Setzen(const std::string& ordner, double leistung_W, std::string* fehler = nullptr);

} // namespace kw::modell
