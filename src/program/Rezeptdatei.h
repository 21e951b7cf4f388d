#pragma once
// The recipe file: beer name, brew data, phase count and the 20 phases in one
// ".rez" file of the profile kind, named after the beer, in the program folder.
//
// Saving writes the whole file at once (beside it, flushed, renamed over it), so
// a failed save leaves the previous recipe as it was. A recipe that is a symbolic
// link stays one: the file it names is written, unless another user may have
// planted it (resolve_for_write), which is neither read nor written. Reading never blocks on a pipe or
// device of the name, and nothing but a regular file is read or replaced. Entries of an existing file
// that the program does not write are kept.

#include <string>

#include "aids/BrauDaten.h"
#include "fileio/Dateiname.h"
#include "program/Maischprogramm.h"
#include "program/Profildatei.h"

namespace kw {

struct Rezeptergebnis {
    enum class Fehler {
        Keiner,
        Ungueltiger_Name,  // beer name empty, ".", "..", or holding "/" or a control character
        Kein_Ordner,       // no program folder known
        Lesefehler,        // file (or the existing file to be updated) cannot be read
        Zu_Gross,          // not a recipe: larger than any recipe could be
        Schreibfehler,     // existing file write-protected or no regular file, or temporary
                           // file, writing, flushing or renaming failed
        Link_Verweigert,   // the recipe is a symbolic link another user may have planted
    };
    Fehler fehler = Fehler::Keiner;
    std::string pfad;    // the file acted on (Rezeptdatei)
    std::string detail;  // system error text, if any
    // Encoding the file was written in or read from.
    Profildatei::Kodierung kodierung = Profildatei::Kodierung::Westeuropaeisch;

    bool ok() const { return fehler == Fehler::Keiner; }
};

inline constexpr std::string_view Rezeptendung = ".rez";
inline constexpr std::string_view Trennzeile = "===============";

// Ist_Dateiname (fileio/Dateiname.h): the beer names a recipe can be saved under,
// the same rule as for the history file.

// Program folder + "/" + beer name + ".rez".
std::string Rezeptpfad(const std::string& programmordner, const std::string& biersorte);

// The open step's test: the last three characters are exactly "rez".
bool Dateiendung_Rez(const std::string& dateiname);

// Writes every entry of the recipe into the document, in the order of a new
// file (names as the program has always passed them; the separator once per
// phase section). The program must carry its save defaults already.
void Rezept_Eintragen(Profildatei& datei, const Maischprogramm& programm, const BrauDaten& daten);

// Fills beer name, brew data, phase count, titles and all 20 records from the
// document. Options follow the order rule: in each group the last key that reads
// true wins, none when none does (a missing or odd flag text reads false); the
// records get the options' states as "True"/"False". No range checks.
void Rezept_Uebernehmen(const Profildatei& datei, Maischprogramm& programm, BrauDaten& daten);

// Saves into programmordner/<Biersorte>.rez. The save defaults (untouched groups
// become a holding phase without a call) are applied to the program only when
// the file was written. On failure nothing is written and nothing changes.
Rezeptergebnis Rezept_Speichern(const std::string& programmordner, Maischprogramm& programm,
                                const BrauDaten& daten);

// Loads the file. On failure (unreadable, too large, a refused link) nothing changes.
Rezeptergebnis Rezept_Laden(const std::string& rezeptdatei, Maischprogramm& programm,
                            BrauDaten& daten);

} // namespace kw
