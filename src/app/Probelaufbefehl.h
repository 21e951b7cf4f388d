#pragma once
// `kesselwerk --probelauf RECIPE.rez [--csv FILE]`: the dry run without a window.
// The kettle model comes from the brew journals and [Kesselmodell] of the program
// folder (nothing there is written); the table goes to stdout, refused journals
// and the reasons for exit code 1 to stderr.

#include <string>

#include "app/Befehlszeile.h"

namespace kw {

struct Probelaufeinstellungen {
    std::string ordner;          // the program folder
    int sprachnummer = 1;        // messages of a refused program check
    char dezimaltrenner = '.';   // of the recipe's texts and the table
    bool gradient = false;       // 1 K/min mode of the configuration
};

// Exit code: 0 the program runs to its end on the model, 1 it cannot (unreadable
// recipe, refused program check, a phase that never ends, curve not written).
int Probelaufbefehl_Ausfuehren(const Befehlszeile& befehle, const Probelaufeinstellungen& e);

} // namespace kw
