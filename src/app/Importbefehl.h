#pragma once
// `kesselwerk --importieren FILE [--rezept NAME] [--ruehren PULSE,PAUSE] --nach DIR`:
// the recipe import without a window. Writes <beer name>.rez per recipe with the
// recipe saver (the bytes SPEICHERN writes), warnings to stderr; nothing is
// written when any recipe is refused.

#include <string>

#include "app/Befehlszeile.h"

namespace kw {

// Returns the exit code: 0 written, 1 refused or not written. `sprachnummer`
// and `dezimaltrenner` as the program has them in effect.
int Importbefehl_Ausfuehren(const Befehlszeile& befehle, int sprachnummer, char dezimaltrenner);

} // namespace kw
