#include "aids/Historie.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <optional>
#include <vector>

#include "aids/Zahltext.h"

namespace kw {

namespace {

std::string_view ohne_blanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::string temperaturfeld(std::string_view text) {
    std::string aus;
    for (char c : text) {
        if (c == ',') aus += '.';
        else if (c != '\r' && c != '\n') aus += c;
    }
    return aus;
}

bool alles_schreiben(int fd, const char* daten, std::size_t laenge) {
    while (laenge > 0) {
        ssize_t n = ::write(fd, daten, laenge);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        daten += n;
        laenge -= static_cast<std::size_t>(n);
    }
    return true;
}

// One line of at most a few KiB; the rest of an overlong line is skipped, so a wrong
// file chosen by mistake cannot fill the memory.
// The whole read stops after `budget` bytes, so a huge file without line ends is not
// walked through to its end on the user-interface thread.
bool naechste_zeile(std::streambuf& quelle, std::string& zeile, std::size_t& budget) {
    constexpr std::size_t max_laenge = 4096;
    zeile.clear();
    bool gelesen = false;
    for (int c; budget > 0 && (c = quelle.sbumpc()) != std::char_traits<char>::eof();) {
        --budget;
        gelesen = true;
        if (c == '\n') break;
        if (zeile.size() < max_laenge) zeile.push_back(static_cast<char>(c));
    }
    while (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
    return gelesen;
}

std::vector<std::string_view> teilen(std::string_view zeile, std::string_view trenner) {
    std::vector<std::string_view> felder;
    for (;;) {
        std::size_t pos = zeile.find(trenner);
        if (pos == std::string_view::npos) break;
        felder.push_back(zeile.substr(0, pos));
        zeile.remove_prefix(pos + trenner.size());
    }
    felder.push_back(zeile);
    return felder;
}

std::int16_t ganzzahl_feld(std::string_view feld) {
    std::optional<double> wert = Double_Aus_Text(feld);
    if (!wert) return 0;
    double gerundet = Runden_Gerade(*wert);
    if (gerundet < -32768.0 || gerundet > 32767.0) return 0;
    return static_cast<std::int16_t>(gerundet);
}

}  // namespace

std::filesystem::path Historie_Pfad(const std::filesystem::path& programmordner,
                                    std::string_view Biersorte) {
    std::string name(Biersorte);
    for (char& c : name)
        if (c == '/' || c == '\\') c = '_';
    return programmordner / (name + ".His");
}

std::string Zeitstempel_Text(std::chrono::sys_seconds zeit) {
    const std::time_t t = static_cast<std::time_t>(zeit.time_since_epoch().count());
    std::tm lokal{};
    if (!::localtime_r(&t, &lokal)) return {};
    char puffer[80];
    std::snprintf(puffer, sizeof puffer, "%02d.%02d.%04d %02d:%02d:%02d", lokal.tm_mday,
                  lokal.tm_mon + 1, lokal.tm_year + 1900, lokal.tm_hour, lokal.tm_min,
                  lokal.tm_sec);
    return puffer;
}

std::string Historie_Zeile(std::string_view zeitstempel, std::string_view Anzeige_TempIst,
                           std::string_view Anzeige_TempSollAct, std::string_view Anzeige_TempSoll) {
    std::string zeit;
    for (char c : zeitstempel) zeit += (c == ',' || c == '\r' || c == '\n') ? ' ' : c;
    return zeit + " , " + temperaturfeld(Anzeige_TempIst) + " , " +
           temperaturfeld(Anzeige_TempSollAct) + " , " + temperaturfeld(Anzeige_TempSoll) + "\r\n";
}

bool Historie_Schreiben(const std::filesystem::path& datei, std::string_view zeile) {
    // O_NONBLOCK: a pipe or device of that name must not hold up the caller.
    const int fd = ::open(datei.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC | O_NONBLOCK, 0644);
    if (fd < 0) return false;

    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    std::string daten;
    if (info.st_size > 0) {
        char letztes = '\n';
        if (::pread(fd, &letztes, 1, info.st_size - 1) != 1) {
            ::close(fd);
            return false;
        }
        if (letztes == '\r') daten = "\n";
        else if (letztes != '\n') daten = "\r\n";
    }
    daten += zeile;

    bool ok = alles_schreiben(fd, daten.data(), daten.size());
    if (!ok) {
        // Cut a half-written line off again; should that fail too, the next append
        // still closes it before writing its own.
        [[maybe_unused]] int r = ::ftruncate(fd, info.st_size);
    }
    if (::close(fd) != 0) ok = false;
    return ok;
}

bool Historie_Neu(const std::filesystem::path& datei) {
    std::filesystem::path neu = datei;
    neu += ".neu~";
    const int fd = ::open(neu.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok = ::fsync(fd) == 0;
    if (::close(fd) != 0) ok = false;
    if (ok && ::rename(neu.c_str(), datei.c_str()) == 0) return true;
    ::unlink(neu.c_str());
    return false;
}

HisKurve Kurve_Lesen(const std::filesystem::path& datei) {
    HisKurve kurve;
    // Only a plain file: a pipe or device could block or never end.
    std::error_code fehler;
    if (!std::filesystem::is_regular_file(datei, fehler)) return kurve;
    std::ifstream ein(datei, std::ios::binary);
    if (!ein) return kurve;
    kurve.geoeffnet = true;

    std::string zeile;
    std::size_t budget = std::size_t{4} << 20;  // far beyond 200 records of a real file
    int i = 0;
    while (i < His_Proben && naechste_zeile(*ein.rdbuf(), zeile, budget)) {
        if (ohne_blanks(zeile).empty()) continue;
        // " , " separates the fields, while a decimal comma of an old file has no blanks.
        std::vector<std::string_view> felder = teilen(zeile, " , ");
        if (felder.size() != 4) felder = teilen(zeile, ",");
        felder.resize(4);
        kurve.His_Zeit[i] = std::string(ohne_blanks(felder[0]));
        kurve.His_Ist[i] = ganzzahl_feld(felder[1]);
        kurve.His_SollAkt[i] = ganzzahl_feld(felder[2]);
        kurve.His_Soll[i] = ganzzahl_feld(felder[3]);
        ++i;
    }
    return kurve;
}

bool Endung_His(std::string_view dateiname) {
    return dateiname.size() >= 3 && dateiname.substr(dateiname.size() - 3) == "His";
}

KurvenPunkt Kurve_Zu_Pixel(double x, double y, double breite_px, double hoehe_px) {
    return {(x - Kurve_Links) * breite_px / Kurve_Breite, (y - Kurve_Oben) * hoehe_px / Kurve_Hoehe};
}

KurvenPunkt Pixel_Zu_Kurve(double px, double py, double breite_px, double hoehe_px) {
    if (!(breite_px > 0.0) || !(hoehe_px > 0.0)) return {Kurve_Links, Kurve_Oben};
    return {Kurve_Links + px * Kurve_Breite / breite_px, Kurve_Oben + py * Kurve_Hoehe / hoehe_px};
}

std::string Punkt_Text(float x, float y, char dezimalzeichen) {
    return Text_Aus_Single(x, dezimalzeichen) + " ---" + Text_Aus_Single(y, dezimalzeichen);
}

}  // namespace kw
