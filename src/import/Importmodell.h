#pragma once
// What a BeerXML or BeerJSON file says about a recipe, in fixed units (°C,
// minutes, litres, kilograms, °Plato, percent, IBU), before anything is mapped
// to the kettle's mash program.

#include <string>
#include <vector>

namespace kw {

// A value read from the file. `roh` keeps the file's text (with its unit) for messages.
struct Importwert {
    enum class Zustand { Fehlt, Ok, Unbrauchbar };
    Zustand zustand = Zustand::Fehlt;
    double zahl = 0.0;       // in the model's unit
    std::string roh;
    std::string einheit;     // an unknown unit, when that made it unusable

    bool ok() const { return zustand == Zustand::Ok; }
    static Importwert mit(double z, std::string r = {})
    {
        Importwert w;
        w.zustand = Zustand::Ok;
        w.zahl = z;
        w.roh = std::move(r);
        return w;
    }
};

enum class Schrittart {
    Infusion,
    Temperatur,
    Dekoktion,
    Sauer,          // souring mash / souring wort: a (long) rest
    Nachguss,       // sparge: not a mash phase
    Ablassen,       // drain mash tun: not a mash phase
    Unbekannt,      // held as a rest, with a warning
};

struct Importschritt {
    std::string name;
    Schrittart art = Schrittart::Temperatur;
    std::string art_text;            // as written
    Importwert temperatur;           // [°C]
    Importwert zeit;                 // [min]
    Importwert rampe;                // [min]
    Importwert endtemperatur;        // [°C]
    Importwert infusionstemperatur;  // [°C]
    Importwert menge;                // [l] infused, decocted or sparge water
};

struct Importzutat {
    std::string name;
    Importwert menge;   // [kg]
};

struct Importhopfen {
    std::string name;
    bool kochen = false;   // a boil addition
    std::string verwendung;
    Importwert alpha;      // [%]
    Importwert menge;      // [kg]
    Importwert zeit;       // [min]
};

struct Importrezept {
    std::string name;
    bool nur_maische = false;  // a mash profile on its own
    bool hat_maische = false;
    std::string maischname;
    std::vector<Importschritt> schritte;
    Importwert sudgroesse;     // [l]
    Importwert stammwuerze;    // [°P]
    Importwert bittere;        // [IBU]
    std::string notizen;
    std::vector<Importzutat> zutaten;
    std::vector<Importhopfen> hopfen;
    std::vector<std::string> warnungen;  // found while reading this recipe
};

struct Importdatei {
    enum class Format { Unbekannt, BeerXML, BeerJSON };
    Format format = Format::Unbekannt;
    std::string fehler;                  // the one message when the file is refused
    std::vector<std::string> warnungen;  // about the file as a whole
    std::vector<Importrezept> rezepte;
    bool ok() const { return fehler.empty(); }
};

} // namespace kw
