#pragma once

// History file of the temperature-time curve: one line per 5 s sample,
// "<date time> , <actual> , <current target> , <phase target>" ended by CR LF.

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace kw {

inline constexpr int His_Proben = 200;  // samples read and drawn

// The beer names a history file can be written for: those a recipe can be saved
// under (Ist_Dateiname: no "/", no control character; a "\" is kept), and the
// empty name, whose history is ".His".
bool Historie_Name_Erlaubt(std::string_view Biersorte);

// <program folder>/<beer name>.His; empty for a name Historie_Name_Erlaubt refuses,
// so a name never reaches outside the program folder.
std::filesystem::path Historie_Pfad(const std::filesystem::path& programmordner,
                                    std::string_view Biersorte);

// Local date and time as "dd.MM.yyyy HH:mm:ss" (comma-free, so the line reads back).
std::string Zeitstempel_Text(std::chrono::sys_seconds zeit);

// One line with its CR LF. The temperatures are written with "." whatever the locale, so
// a decimal comma never adds a field; commas and line breaks in the time stamp are blanked.
std::string Historie_Zeile(std::string_view zeitstempel, std::string_view Anzeige_TempIst,
                           std::string_view Anzeige_TempSollAct, std::string_view Anzeige_TempSoll);

// Appends the line, creating the file when needed. The line goes out in one write at the
// end of the file; earlier bytes are never rewritten, a last line left without its line
// end (a torn write) is closed first, and a failed write is cut off again. False when the
// file could not be written or is no plain file (a pipe or device of that name), and for
// the empty path. A symbolic link is appended through as a save writes through it
// (resolve_for_write), never one that another user may have planted.
bool Historie_Schreiben(const std::filesystem::path& datei, std::string_view zeile);

// Creates the file empty, replacing any file of that name (written aside, then renamed;
// a symbolic link stays and its target is emptied, as for the recipe).
bool Historie_Neu(const std::filesystem::path& datei);

// The first 200 samples of a file, whole °C. Samples without a record or with an
// unreadable field hold 0 (time stamp empty).
struct HisKurve {
    bool geoeffnet = false;  // false: the file could not be opened, all samples 0
    std::array<std::string, His_Proben> His_Zeit{};
    std::array<std::int16_t, His_Proben> His_Ist{};
    std::array<std::int16_t, His_Proben> His_SollAkt{};
    std::array<std::int16_t, His_Proben> His_Soll{};
};

// Reads one record per line. Fields are split at " , "; a line without exactly four such
// fields is split at every comma instead. Temperatures take "." (or, in files written
// with a decimal comma, ","), round halves to even and must fit 16 bits. Only a plain
// file is opened, and reading stops after a few MiB.
HisKurve Kurve_Lesen(const std::filesystem::path& datei);

// The file chooser's test: the last three characters are exactly "His".
bool Endung_His(std::string_view dateiname);

// User scale of the chart: x 0..200 (one unit per sample) left to right,
// y 100 °C at the top down to 24.85 °C at the bottom.
inline constexpr double Kurve_Links = 0.0;
inline constexpr double Kurve_Breite = 200.0;
inline constexpr double Kurve_Oben = 100.0;
inline constexpr double Kurve_Hoehe = -75.15;

struct KurvenPunkt {
    double x;
    double y;
};

// Chart units to pixels of a drawing area of the given size, and back.
KurvenPunkt Kurve_Zu_Pixel(double x, double y, double breite_px, double hoehe_px);
KurvenPunkt Pixel_Zu_Kurve(double px, double py, double breite_px, double hoehe_px);

// Text of the message box for a pressed point: x, " ---", y, e.g. "57 ---63".
std::string Punkt_Text(float x, float y, char dezimalzeichen);

}  // namespace kw
