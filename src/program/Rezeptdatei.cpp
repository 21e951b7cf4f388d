#include "program/Rezeptdatei.h"

#include "fileio/AtomicWrite.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kw {

namespace {

// No recipe comes near this; a larger file was chosen by mistake.
constexpr std::size_t Max_Dateigroesse = 8u * 1024u * 1024u;

std::string Phasenabschnitt(int n) { return "Phase " + std::to_string(n); }

std::string Flagwert(const std::string& flag) { return Flag_Lesen(flag) ? "TRUE" : "FALSE"; }

enum class Lesen { Ok, Fehlt, Fehler, Zu_Gross };

Lesen datei_lesen(const std::string& pfad, std::string& inhalt, std::string& fehler)
{
    inhalt.clear();
    const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        fehler = std::strerror(errno);
        return errno == ENOENT ? Lesen::Fehlt : Lesen::Fehler;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        fehler = S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "not a regular file";
        ::close(fd);
        return Lesen::Fehler;
    }
    char puffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, puffer, sizeof puffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            fehler = std::strerror(errno);
            ::close(fd);
            return Lesen::Fehler;
        }
        if (n == 0)
            break;
        inhalt.append(puffer, static_cast<std::size_t>(n));
        if (inhalt.size() > Max_Dateigroesse) {
            ::close(fd);
            inhalt.clear();
            return Lesen::Zu_Gross;
        }
    }
    ::close(fd);
    return Lesen::Ok;
}

// Writable for us, and not protected by having no write permission at all
// (which root alone would pass by).
bool beschreibbar(const std::string& pfad)
{
    struct stat st {};
    if (::stat(pfad.c_str(), &st) != 0)
        return false;
    return (st.st_mode & 0222) != 0 && ::access(pfad.c_str(), W_OK) == 0;
}

// Sets the three options of a group in their order: true selects the option and
// clears the other two, false clears only itself.
void Gruppe_Setzen(bool& a, bool& b, bool& c, bool wa, bool wb, bool wc)
{
    a = b = c = false;
    const auto setze = [&](bool& o, bool wert) {
        if (wert) {
            a = b = c = false;
            o = true;
        } else {
            o = false;
        }
    };
    setze(a, wa);
    setze(b, wb);
    setze(c, wc);
}

} // namespace

bool Ist_Dateiname(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    if (!Ist_Utf8(name))
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto b = static_cast<unsigned char>(name[i]);
        if (b == '/' || b < 0x20 || b == 0x7F)
            return false;
        // C1 controls U+0080..U+009F are C2 80 .. C2 9F in UTF-8
        if (b == 0xC2 && i + 1 < name.size()) {
            const auto f = static_cast<unsigned char>(name[i + 1]);
            if (f >= 0x80 && f <= 0x9F)
                return false;
        }
    }
    return true;
}

std::string Rezeptpfad(const std::string& programmordner, const std::string& biersorte)
{
    std::string pfad = programmordner;
    if (pfad.empty() || pfad.back() != '/')
        pfad += '/';
    return pfad + biersorte + std::string(Rezeptendung);
}

bool Dateiendung_Rez(const std::string& dateiname)
{
    return dateiname.size() >= 3 && dateiname.compare(dateiname.size() - 3, 3, "rez") == 0;
}

void Rezept_Eintragen(Profildatei& d, const Maischprogramm& m, const BrauDaten& daten)
{
    // Names as the program has always passed them; the matching ignores the blanks.
    d.Ini_Schreiben("Biername ", "Name_Bier", m.Biersorte);
    for (const auto& f : BrauDaten_Felder)
        d.Ini_Schreiben("BrauDaten", f.schluessel, daten.*f.feld);
    d.Ini_Schreiben("Phasenanzahl ", "Anzahl_Phasen", m.AnzPhasen);
    for (int n = 1; n <= Max_Phasen; ++n) {
        const std::string a = Phasenabschnitt(n);
        const Cl_Phase& p = m.Phase(n);
        d.Ini_Schreiben(a, "PhasenBezeichnung", m.Titel(n));
        d.Ini_Schreiben(a, "Heizphase", Flagwert(p.Heizphase()));
        d.Ini_Schreiben(a, "Aufheizphase", Flagwert(p.Aufheizphase()));
        d.Ini_Schreiben(a, "Kühlphase", Flagwert(p.Kuehlphase()));
        d.Ini_Schreiben(a, "Temperatur", p.Temperatur());
        d.Ini_Schreiben(a, "Heizzeit", p.Heizzeit());
        d.Ini_Schreiben(a, "Rührimpuls", p.Ruehrimpuls());
        d.Ini_Schreiben(a, "Rührpause", p.Ruehrpause());
        d.Ini_Schreiben(a, "Rufzeit", p.Rufzeit());
        d.Ini_Schreiben(a, "Ruf_Ende_Phase", Flagwert(p.Ruf_Ende_Phase()));
        d.Ini_Schreiben(a, "Ruf_nach_Rufzeit", Flagwert(p.Ruf_nach_Rufzeit()));
        d.Ini_Schreiben(a, "Kein_Ruf", Flagwert(p.Kein_Ruf()));
        d.Ini_Schreiben(a, "Ruftext", p.Ruftext());
        // The separator's key is made of equals signs and cannot be found as a key;
        // it is kept once per section.
        d.Zeile_Sicherstellen(a, Trennzeile);
    }
}

void Rezept_Uebernehmen(const Profildatei& d, Maischprogramm& m, BrauDaten& daten)
{
    m.Biersorte = d.Ini_Lesen("Biername ", "Name_Bier");
    for (const auto& f : BrauDaten_Felder)
        daten.*f.feld = d.Ini_Lesen("Braudaten ", f.schluessel);
    m.AnzPhasen = d.Ini_Lesen("Phasenanzahl ", "Anzahl_Phasen");
    for (int n = 1; n <= Max_Phasen; ++n) {
        const std::string a = Phasenabschnitt(n);
        const auto flag = [&](std::string_view k) { return Flag_Lesen(d.Ini_Lesen(a, k)); };
        m.Titel(n) = d.Ini_Lesen(a, "Phasenbezeichnung");

        bool konstant, aufheiz, kuehl;
        Gruppe_Setzen(konstant, aufheiz, kuehl, flag("Heizphase"), flag("Aufheizphase"), flag("Kühlphase"));
        bool ende, nach_zeit, kein;
        Gruppe_Setzen(ende, nach_zeit, kein, flag("Ruf_Ende_Phase"), flag("Ruf_nach_Rufzeit"), flag("Kein_Ruf"));

        Cl_Phase p;
        p.setHeizphase(Flagtext(konstant));
        p.setAufheizphase(Flagtext(aufheiz));
        p.setKuehlphase(Flagtext(kuehl));
        p.setTemperatur(d.Ini_Lesen(a, "Temperatur"));
        p.setHeizzeit(d.Ini_Lesen(a, "Heizzeit"));
        p.setRuehrimpuls(d.Ini_Lesen(a, "Rührimpuls"));
        p.setRuehrpause(d.Ini_Lesen(a, "Rührpause"));
        p.setRufzeit(d.Ini_Lesen(a, "Rufzeit"));
        p.setRuf_Ende_Phase(Flagtext(ende));
        p.setRuf_nach_Rufzeit(Flagtext(nach_zeit));
        p.setKein_Ruf(Flagtext(kein));
        p.setRuftext(d.Ini_Lesen(a, "Ruftext"));
        m.Phase(n) = std::move(p);
    }
}

Rezeptergebnis Rezept_Speichern(const std::string& programmordner, Maischprogramm& programm,
                                const BrauDaten& daten)
{
    Rezeptergebnis r;
    if (!Ist_Dateiname(programm.Biersorte)) {
        r.fehler = Rezeptergebnis::Fehler::Ungueltiger_Name;
        r.detail = programm.Biersorte;
        return r;
    }
    if (programmordner.empty()) {
        r.fehler = Rezeptergebnis::Fehler::Kein_Ordner;
        return r;
    }
    r.pfad = Rezeptpfad(programmordner, programm.Biersorte);

    // An existing recipe is updated: what it holds besides our entries stays.
    Profildatei datei;
    std::string alt;
    switch (datei_lesen(r.pfad, alt, r.detail)) {
    case Lesen::Ok:
        // A write-protected recipe stays as it is, as it would on an in-place write.
        if (!beschreibbar(r.pfad)) {
            r.fehler = Rezeptergebnis::Fehler::Schreibfehler;
            r.detail = std::strerror(EACCES);
            return r;
        }
        datei = Profildatei::aus_Bytes(alt);
        break;
    case Lesen::Fehlt:
        r.detail.clear();
        break;
    case Lesen::Fehler:
        r.fehler = Rezeptergebnis::Fehler::Lesefehler;
        return r;
    case Lesen::Zu_Gross:
        r.fehler = Rezeptergebnis::Fehler::Zu_Gross;
        return r;
    }

    Maischprogramm neu = programm;
    Speichervorgaben_Setzen(neu);
    Rezept_Eintragen(datei, neu, daten);
    const std::string bytes = datei.als_Bytes();
    r.kodierung = datei.kodierung();
    if (!write_atomically(r.pfad, bytes, r.detail)) {
        r.fehler = Rezeptergebnis::Fehler::Schreibfehler;
        return r;
    }
    programm = std::move(neu);
    return r;
}

Rezeptergebnis Rezept_Laden(const std::string& rezeptdatei, Maischprogramm& programm,
                            BrauDaten& daten)
{
    Rezeptergebnis r;
    r.pfad = rezeptdatei;
    std::string inhalt;
    switch (datei_lesen(rezeptdatei, inhalt, r.detail)) {
    case Lesen::Ok:
        break;
    case Lesen::Fehlt:
    case Lesen::Fehler:
        r.fehler = Rezeptergebnis::Fehler::Lesefehler;
        return r;
    case Lesen::Zu_Gross:
        r.fehler = Rezeptergebnis::Fehler::Zu_Gross;
        return r;
    }
    const Profildatei datei = Profildatei::aus_Bytes(inhalt);
    r.kodierung = datei.kodierung();
    Rezept_Uebernehmen(datei, programm, daten);
    return r;
}

} // namespace kw
