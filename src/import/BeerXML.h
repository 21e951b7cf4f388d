#pragma once
// BeerXML 1.0: <RECIPES>, <MASHS> or single records, tags in any order and any
// case, unknown tags and DISPLAY_ fields ignored.

#include <QByteArray>

#include "import/Importmodell.h"
#include "texts/Texte.h"

namespace kw {

// Reads the file's bytes. UTF-8 (with or without byte order mark) and files
// declaring ISO-8859-1 or Windows-1252 are read as such; a file that is not
// the UTF-8 it claims is read as Windows-1252 with a warning. HTML entities
// (&nbsp;, &auml;, ...) are taken as their characters; a file declaring
// entities of its own is refused.
Importdatei BeerXML_Lesen(const QByteArray& bytes, Sprache sprache);

} // namespace kw
