#pragma once
// The brew report: a PDF (A4) of one brew journal, written beside it: beer,
// date, brew data, the phases as planned and as they ran, every call with its
// answer times, every intervention and alarm, and the temperature curve of the
// whole run.

#include <string>

#include "journal/Journal_Lesen.h"
#include "texts/Texte.h"

namespace kw {

struct Berichtsergebnis {
    bool ok = false;
    std::string pdf;      // the file written (or to be written)
    std::string fehler;   // why not
};

// <journal without ".csv">.pdf
std::string Berichtspfad(const std::string& journalpfad);

// Reads the journal and writes its report (atomically: aside, then renamed).
// Captions come from the tables of `texte` (the language in effect).
Berichtsergebnis Braubericht_Schreiben(const std::string& journalpfad, const Texte& texte);

} // namespace kw
