#include "aids/Historie.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <algorithm>
#include <optional>
#include <vector>

#include "aids/Zahltext.h"
#include "fileio/AtomicWrite.h"
#include "fileio/Dateiname.h"

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

// The next line of the text read, at most a few KiB of it; the rest of an overlong
// line is skipped.
bool naechste_zeile(std::string_view& quelle, std::string& zeile) {
    constexpr std::size_t max_laenge = 4096;
    zeile.clear();
    if (quelle.empty()) return false;
    const std::size_t nl = quelle.find('\n');
    const std::string_view z = quelle.substr(0, nl);
    zeile.assign(z.substr(0, std::min(z.size(), max_laenge)));
    quelle.remove_prefix(nl == std::string_view::npos ? quelle.size() : nl + 1);
    while (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
    return true;
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

bool Historie_Name_Erlaubt(std::string_view Biersorte) {
    return Biersorte.empty() || Ist_Dateiname(Biersorte);
}

std::filesystem::path Historie_Pfad(const std::filesystem::path& programmordner,
                                    std::string_view Biersorte) {
    if (!Historie_Name_Erlaubt(Biersorte)) return {};
    return programmordner / (std::string(Biersorte) + ".His");
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
    if (datei.empty()) return false;
    // A link is appended through as a save writes through it, never one another user
    // may have planted; a pipe or device of that name does not hold up the caller.
    int fd = -1;
    if (!open_for_rewrite(datei.string(), O_RDWR | O_CREAT | O_APPEND, fd).ok()) return false;

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
    if (datei.empty()) return false;
    return write_atomically(datei.string(), {}).ok();
}

HisKurve Kurve_Lesen(const std::filesystem::path& datei) {
    HisKurve kurve;
    // Only a plain file, opened without blocking: a pipe or device could block or never end.
    const int fd = ::open(datei.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return kurve;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return kurve;
    }
    // Far beyond 200 records of a real file.
    std::string inhalt(std::size_t{4} << 20, '\0');
    std::size_t gelesen = 0;
    while (gelesen < inhalt.size()) {
        const ssize_t n = ::read(fd, inhalt.data() + gelesen, inhalt.size() - gelesen);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        gelesen += static_cast<std::size_t>(n);
    }
    ::close(fd);
    inhalt.resize(gelesen);
    kurve.geoeffnet = true;

    std::string_view rest = inhalt;
    std::string zeile;
    int i = 0;
    while (i < His_Proben && naechste_zeile(rest, zeile)) {
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
