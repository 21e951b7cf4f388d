#pragma once
// Recipe import: reads a BeerXML or BeerJSON file and maps one of its recipes
// to a mash program and the brew-protocol fields, with every warning about
// what was dropped or changed. Nothing here touches the program in use: the
// caller applies the result, or not.
//
// Mapping of the mash steps (in the file's order) to phases:
//   phase 1        Aufheizphase to the strike temperature (the first step's
//                  infusion temperature, else its step temperature), call at
//                  its end "Einmaischen"
//   rest           (infusion, temperature, souring, unknown kind) one
//                  Konstantphase at the step temperature for the step time;
//                  an Aufheizphase before it when its temperature lies above
//                  the previous one (so the rest counts from reaching it), a
//                  Kühlphase when it lies below (not after mash-in)
//   decoction      one Konstantphase at the step temperature with a timed call
//                  at minute 0 to pull the decoction (no heating-up before it:
//                  the returned decoction raises the mash)
//   sparge, drain  dropped; the sparge water goes to the protocol
//   last phase     a call at its end "Maischen beendet" when it has none
// Temperatures become whole °C and times whole minutes, as the editor takes them.

#include <string>
#include <vector>

#include "aids/BrauDaten.h"
#include "import/Importmodell.h"
#include "program/Maischprogramm.h"
#include "texts/Texte.h"

class QByteArray;

namespace kw {

// Reads the file (at most Import_Max_Bytes). The format follows the content.
Importdatei Importdatei_Lesen(const std::string& pfad, Sprache sprache);
Importdatei Importbytes_Lesen(const QByteArray& bytes, Sprache sprache);

struct Importvorgaben {
    Sprache sprache = Sprache::Deutsch;
    char dezimaltrenner = ',';     // for the brew-protocol amounts
    std::string ruehrimpuls;       // [s] digits, for every phase; may be empty
    std::string ruehrpause;        // [s]
    std::string ersatzname;        // beer name when the recipe has none
};

struct Importabbildung {
    std::string fehler;                 // the refusal; empty when mapped
    Maischprogramm programm;            // beer name, count, titles, phases 1..N (the rest empty)
    BrauDaten daten;                    // brew-protocol fields (all empty for a mash profile)
    bool nur_maische = false;           // the brew data is not part of the import
    std::vector<std::string> warnungen;
    int phasen = 0;
    bool ok() const { return fehler.empty(); }
};

Importabbildung Rezept_Abbilden(const Importdatei& datei, const Importrezept& rezept,
                                const Importvorgaben& vorgaben);

// Stirrer pulse and pause into phases 1..N.
void Ruehrwerk_Setzen(Maischprogramm& programm, const std::string& impuls, const std::string& pause);

} // namespace kw
