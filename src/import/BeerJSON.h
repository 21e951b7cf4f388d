#pragma once
// BeerJSON 1.0: {"beerjson": {"version": 1.0, "recipes": [...], "mashes": [...]}},
// every measured value an object with its unit.

#include <QByteArray>

#include "import/Importmodell.h"
#include "texts/Texte.h"

namespace kw {

Importdatei BeerJSON_Lesen(const QByteArray& bytes, Sprache sprache);

} // namespace kw
