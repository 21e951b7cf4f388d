#include "program/Rezeptdatei.h"

#include "fileio/AtomicWrite.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace kw {

namespace {

// No recipe comes near this; a larger file was chosen by mistake.
constexpr std::size_t Max_Dateigroesse = 8u * 1024u * 1024u;

std::string Phasenabschnitt(int n) { return "Phase " + std::to_string(n); }

std::string Flagwert(const std::string& flag) { return Flag_Lesen(flag) ? "TRUE" : "FALSE"; }

enum class Lesen { Ok, Fehlt, Fehler, Zu_Gross, Link };

// Never blocks: a pipe or device of the name is refused at once. A link that a save
// would not follow is not read either.
Lesen datei_lesen(const std::string& pfad, std::string& inhalt, std::string& fehler)
{
    const FileResult r = read_file_to_rewrite(pfad, Max_Dateigroesse, inhalt);
    if (r.ok())
        return Lesen::Ok;
    fehler = r.text.substr(std::min(r.text.size(), pfad.size() + 2));
    if (r.kind == FileError::TooLarge)
        return Lesen::Zu_Gross;
    if (r.kind == FileError::UnsafeLink)
        return Lesen::Link;
    if (r.kind == FileError::System && r.errnum == ENOENT)
        return Lesen::Fehlt;
    return Lesen::Fehler;
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
    case Lesen::Link:
        r.fehler = Rezeptergebnis::Fehler::Link_Verweigert;
        return r;
    }

    Maischprogramm neu = programm;
    Speichervorgaben_Setzen(neu);
    Rezept_Eintragen(datei, neu, daten);
    const std::string bytes = datei.als_Bytes();
    r.kodierung = datei.kodierung();
    const FileResult w = write_atomically(r.pfad, bytes);
    if (!w.ok()) {
        r.fehler = w.kind == FileError::UnsafeLink ? Rezeptergebnis::Fehler::Link_Verweigert
                                                  : Rezeptergebnis::Fehler::Schreibfehler;
        r.detail = w.text.substr(std::min(w.text.size(), r.pfad.size() + 2));
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
    case Lesen::Link:
        r.fehler = Rezeptergebnis::Fehler::Link_Verweigert;
        return r;
    }
    const Profildatei datei = Profildatei::aus_Bytes(inhalt);
    r.kodierung = datei.kodierung();
    Rezept_Uebernehmen(datei, programm, daten);
    return r;
}

} // namespace kw
