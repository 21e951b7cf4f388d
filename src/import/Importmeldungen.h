#pragma once
// What the mapping of a recipe has to say, as data: a kind and its values. The
// mapping never words anything; Meldung_Text does it once, with the tables of
// the language in effect and its decimal separator. One kind, one text.

#include <string>
#include <variant>
#include <vector>

#include "texts/Importtexte.h"

namespace kw {

enum class Meldungsart {
    // warnings (W_*) and the parts they are made of
    Nur_Maische,          // -
    Weggelassen,          // step, name, type, [Nachguss]
    Nachguss,             // litres
    Gerundet_Temp,        // [Schritt or Strike], read °C, rounded °C
    Schritt,              // step, name
    Strike,               // -
    Gerundet_Zeit,        // step, name, read min, rounded min
    Dekoktion,            // step, name, phase, [Menge_Klammer], °C, min
    Menge_Klammer,        // litres
    Abkuehlen,            // step, name, °C, previous °C, phase
    Art_Unbekannt,        // step, name, type
    Infusion,             // step, name, litres, [Infusion_Temp]
    Infusion_Temp,        // °C
    Endtemperatur,        // step, name, end °C, held °C
    Rampen,               // -
    Unbrauchbar,          // field (text or [Strike]), value as written
    Einmaischtemperatur,  // °C
    Titel_Gekuerzt,       // phase, title, cut title
    Kein_Ruehrwerk,       // -
    Name_Fehlt,           // name used
    Name_Datei,           // name, name used
    Zutaten,              // count, list of Zutat
    Zutat,                // name, [Zutat_Menge]
    Zutat_Menge,          // kg
    Hopfen,               // list of Hopfengabe
    Hopfengabe,           // name, use, [Hopfen_Zeit], [Hopfen_Menge]
    Hopfen_Zeit,          // min
    Hopfen_Menge,         // g
    Notizen,              // limit
    // refusals (F_*) and their reasons (G_*)
    Keine_Maische,        // recipe
    Temperatur,           // step, name, reason
    Zeit,                 // step, name, reason
    Zu_Viele_Phasen,      // phases, steps
    Fehlt,                // -
    Einheit,              // unit
    Keine_Zahl,           // value as written
    Bereich,              // value, low, high, unit
};

struct Importmeldung;

// A decimal number, written with at most `stellen` places.
struct Dezimal {
    double wert = 0;
    int stellen = 0;
};

// A value: a text as it stands, a whole number, a decimal number, or parts worded
// in their own right and joined by ", " (none: an optional part left out).
using Meldungswert = std::variant<std::string, long long, Dezimal, std::vector<Importmeldung>>;

struct Importmeldung {
    Meldungsart art;
    std::vector<Meldungswert> werte;
};

// A part that may be left out: the meldung, or nothing.
inline Meldungswert Teil(bool da, Importmeldung m)
{
    std::vector<Importmeldung> v;
    if (da)
        v.push_back(std::move(m));
    return v;
}

std::string Meldung_Text(const Importmeldung& m, const Importtexte& t, char dezimaltrenner);

} // namespace kw
