#pragma once
// The brew journal's line format: one header line, then one record per line with
// ten fixed columns separated by ";", UTF-8, temperatures with ".". A field that
// holds ";" or a quote is quoted as in CSV ("a;b" -> "\"a;b\"", quotes doubled);
// line breaks inside a value become blanks, so one record is always one line.
//
//   Zeit;Art;Phase;Ist;SollAkt;Soll;Ausgang;Dauer_s;Feld;Text
//
// Zeit    local date-time "2026-12-09 10:02:05"
// Art     kind of record (see Art_* below)
// Phase   phase number 1..20 where one belongs to the record, else empty
// Ist, SollAkt, Soll   actual, moving target, phase target [°C] at that moment
// Ausgang output byte 0..255 (bit 0 heating ... bit 7 signal), active high
// Dauer_s seconds: meaning depends on the kind (planned time, answer time, ...)
// Feld    a key: snapshot key, kind of phase, switch name, end kind
// Text    free text: snapshot value, phase title, call text, message numbers

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kw::journal {

using Zeitpunkt = std::chrono::sys_seconds;

inline constexpr std::string_view Kopfzeile = "Zeit;Art;Phase;Ist;SollAkt;Soll;Ausgang;Dauer_s;Feld;Text";
inline constexpr int Spaltenzahl = 10;
inline constexpr std::string_view Formatversion = "1";
inline constexpr std::string_view Journalendung = ".csv";
inline constexpr std::string_view Journalordner = "Sude";

// Kinds of record.
inline constexpr std::string_view Art_Journal = "Journal";            // Feld "Version", Text format version
inline constexpr std::string_view Art_Programm = "Programm";          // snapshot: Feld key, Text value, Phase n
inline constexpr std::string_view Art_Braudaten = "Braudaten";        // snapshot: Feld key, Text value
inline constexpr std::string_view Art_Start = "Start";                // run start; Phase/Dauer_s: start at phase
inline constexpr std::string_view Art_Fortsetzung = "Fortsetzung";    // resumed run starts; Phase, Dauer_s rest
inline constexpr std::string_view Art_Abgelehnt = "Pruefung_Abgelehnt";  // Text message numbers "21 22"
inline constexpr std::string_view Art_Phase_Start = "Phase_Start";    // Feld kind, Dauer_s planned, Text title
inline constexpr std::string_view Art_Phase_Ende = "Phase_Ende";      // Feld how, Dauer_s length
inline constexpr std::string_view Art_Ruf = "Ruf";                    // Text call text
inline constexpr std::string_view Art_Ruf_Stumm = "Ruf_Stumm";        // Dauer_s since the call
inline constexpr std::string_view Art_Ruf_Quittiert = "Ruf_Quittiert";  // Dauer_s since the call
inline constexpr std::string_view Art_Pause = "Pause";
inline constexpr std::string_view Art_Freigabe = "Freigabe";          // Dauer_s paused
inline constexpr std::string_view Art_PhaseRauf = "PhaseRauf";
inline constexpr std::string_view Art_PhaseRunter = "PhaseRunter";
inline constexpr std::string_view Art_Zeit = "Zeit";                  // Dauer_s +300 / -300
inline constexpr std::string_view Art_Soll = "Soll";                  // Soll new target
inline constexpr std::string_view Art_Schalter = "Schalter";          // Feld switch, Text EIN/AUS
inline constexpr std::string_view Art_Gradient = "Gradient";          // Text EIN/AUS
inline constexpr std::string_view Art_Signal = "Signal";              // Text dauernd/taktend
inline constexpr std::string_view Art_Sensorwarnung = "Sensorwarnung";
inline constexpr std::string_view Art_USB_Alarm = "USB_Alarm";
inline constexpr std::string_view Art_Alarm_Antwort = "Alarm_Antwort"; // Feld button
inline constexpr std::string_view Art_Fernbefehl = "Fernbefehl";      // Feld command, Text who (MQTT ...); before its own record
inline constexpr std::string_view Art_Verloren = "Verloren";          // Dauer_s: lines the writer had to drop
inline constexpr std::string_view Art_Unterbrochen = "Unterbrochen";  // program ended mid-run; Text why
inline constexpr std::string_view Art_Probe = "Probe";                // 5 s sample; Dauer_s rest of a holding phase
inline constexpr std::string_view Art_Ende = "Ende";                  // Feld FERTIG/STOP/BEENDEN/VERWORFEN
// The predicted end made at a phase's start; Phase the phase, Feld what: "Phase" (its end),
// "Programm" (the program's end), both with Dauer_s from the record's time and Text the
// date-time; "Endlos" with Text why the program would never end.
inline constexpr std::string_view Art_Vorhersage = "Vorhersage";
inline constexpr std::string_view Vorhersage_Phase = "Phase";
inline constexpr std::string_view Vorhersage_Programm = "Programm";
inline constexpr std::string_view Vorhersage_Endlos = "Endlos";

// One record as data.
struct Zeile {
    Zeitpunkt zeit{};
    std::string art;
    int phase = 0;                  // 0: none
    std::optional<double> ist, soll_akt, soll;
    int ausgang = -1;               // -1: none
    std::optional<long long> dauer_s;
    std::string feld;
    std::string text;
};

// Local date-time text "2026-12-09 10:02:05", and back (nullopt when it is none).
std::string Zeit_Text(Zeitpunkt t);
std::optional<Zeitpunkt> Zeit_Lesen(std::string_view text);

// A temperature display text ("62,5", "62.5", "0.0") as a number; empty or unreadable: none.
std::optional<double> Temperatur_Lesen(std::string_view text);
// A temperature as it goes into the journal: "62.5", at most one decimal place is kept
// as the display had it ("63" stays "63.0"). None: empty field.
std::string Temperatur_Text(std::optional<double> wert);

// The record as one line, with its line end "\n".
std::string Zeile_Schreiben(const Zeile& z);
// The fields of one line (without its line end); nullopt when it is no record of ten fields.
std::optional<std::vector<std::string>> Felder_Teilen(std::string_view zeile);
// One line back into a record; nullopt when it is none (wrong field count, bad time).
std::optional<Zeile> Zeile_Lesen(std::string_view zeile);

// A beer name as a part of a file name: no path separators, no control or reserved
// characters (each becomes "_"; blanks stay), no leading dot or blank, at most
// 60 bytes (cut at a character boundary).
// Empty gives "Sud".
std::string Dateiname_Sicher(std::string_view biersorte);
// "2026-12-09_10-02-05_Märzen.csv"
std::string Journalname(Zeitpunkt beginn, std::string_view biersorte);
// A journal's file name starts with the date-time of its beginning and ends in ".csv".
bool Ist_Journalname(std::string_view dateiname);

} // namespace kw::journal
