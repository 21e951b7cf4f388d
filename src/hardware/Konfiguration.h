#pragma once
// The configuration file "Kesselwerk.cfg" in the program folder: 17 plain lines, no keys, CR LF.

#include <array>
#include <string>

namespace kw {

// The 17 lines as text, as they stand in the file; numbers are converted where used.
struct Konfiguration {
    std::string NameDigitemp = "digitemp_DS9097"; //  1 tool, without extension
    std::string NameLogFile = "templog";          //  2 log name, without ".TXT"
    std::string Schnittstelle = "1";              //  3 "1".."5", "0" = none selected
    std::string LPT_Def_Adresse;                  //  4 hex digits for interface 3
    std::string COM_Port = "1";                   //  5 "1".."4", "0" = none selected
    std::string Reserviert;                       //  6 carried through unchanged
    std::array<std::string, 8> Conf_Extra{        //  7..14 Extra1 Ein, Extra1 Aus, ..., Extra4 Aus
        "Extra1 Ein", "Extra1 Aus", "Extra2 Ein", "Extra2 Aus",
        "Extra3 Ein", "Extra3 Aus", "Extra4 Ein", "Extra4 Aus"};
    std::string Signal = "1";                     // 15 1 pulsing, 2 steady
    std::string Gradient = "2";                   // 16 1 on, 2 off
    std::string Sprache = "1";                    // 17 "1".."8"

    static constexpr int Zeilenzahl = 17;
    std::string& zeile(int nummer);               // 1..17
    const std::string& zeile(int nummer) const;
    // Extra output n = 1..4.
    const std::string& ExtraEin(int n) const { return Conf_Extra.at(static_cast<std::size_t>(2 * (n - 1))); }
    const std::string& ExtraAus(int n) const { return Conf_Extra.at(static_cast<std::size_t>(2 * (n - 1) + 1)); }

    bool operator==(const Konfiguration&) const = default;
};

struct Lesebericht {
    bool geoeffnet = false; // false: file missing or unreadable, all defaults
    int zeilen = 0;         // lines found (at most 17); the rest took their defaults
    std::string fehler;     // "<path>: <reason>" when the file exists but was not read
};

// "<Programmpfad>/Kesselwerk.cfg".
std::string Konfigurationsdatei_Pfad(const std::string& Programmpfad);

// Reads the file; what is missing takes the defaults above. Never fails, never blocks (a pipe or
// device of the name, or a link that a save would refuse, reads as no file). Lines end at CR LF, LF or a lone CR. Lines that are not UTF-8
// (files written on Windows) are read as Windows-1252, except line 6, which stays byte for byte.
Konfiguration Datei_Lesen(const std::string& pfad, Lesebericht* bericht = nullptr);

// Writes the 17 values, each followed by CR LF, to a temporary file beside the target, syncs it and renames
// it over the target, so a crash leaves the old file or the new one. A symbolic link stays and the file
// it names is written (refused in a folder that other users may write); a pipe or device of the name is
// never written into. Line breaks inside a value become blanks. False (and the reason in *fehler) when the file could not be written; the old file is then intact.
bool Datei_Schreiben(const std::string& pfad, const Konfiguration& k, std::string* fehler = nullptr);

// Whole number in a setting line ("  3 " gives 3); -1 when the line is not a plain number.
int Zeilenzahl_Lesen(const std::string& text);

// Joins a folder and a file name with one "/".
std::string Pfad_Verbinden(const std::string& ordner, const std::string& name);

} // namespace kw
