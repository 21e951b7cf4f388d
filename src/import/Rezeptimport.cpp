#include "import/Rezeptimport.h"

#include "import/BeerJSON.h"
#include "import/BeerXML.h"
#include "import/Importgrenzen.h"
#include "import/Importmeldungen.h"
#include "import/Importzahlen.h"
#include "program/Profildatei.h"
#include "program/Rezeptdatei.h"
#include "texts/Importtexte.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <cmath>
#include <optional>

namespace kw {

namespace {

std::string mb(double bytes) { return Zahl_Text(bytes / (1024.0 * 1024.0), 1, '.'); }

enum class Art { Halten, Aufheizen, Kuehlen };
enum class Ruf { Kein, Ende, Nach };

// Texts of a phase, worded when the program is written.
enum class Text { Keiner, Name, Einmaischen, Aufheizen, Abkuehlen, Dekoktion, Ende };

struct Entwurf {
    Art art = Art::Halten;
    long temperatur = 0;  // [°C]
    long zeit = 0;        // [min], holding phases only
    Ruf ruf = Ruf::Kein;
    Text ruftext = Text::Keiner;
    Text titel = Text::Name;
    std::string name;                    // Text::Name: the step's
    std::optional<double> dekoktion_l;   // Text::Dekoktion: litres to pull
};

// The first `n` characters of UTF-8 text.
std::string zeichen_vorn(const std::string& s, std::size_t n, bool* gekuerzt = nullptr)
{
    std::size_t zeichen = 0, i = 0;
    while (i < s.size() && zeichen < n) {
        const auto b = static_cast<unsigned char>(s[i]);
        i += b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        ++zeichen;
    }
    i = std::min(i, s.size());
    if (gekuerzt)
        *gekuerzt = i < s.size();
    return s.substr(0, i);
}

std::string einzeilig(std::string s)
{
    std::string r;
    r.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' || s[i] == '\n' || s[i] == '\t') {
            if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
                ++i;
            r += ' ';
        } else {
            r += s[i];
        }
    }
    while (!r.empty() && r.back() == ' ')
        r.pop_back();
    return r;
}

// A beer name that names a file in the folder: "/" and control characters go.
std::string dateitauglich(const std::string& name)
{
    std::string r;
    for (char c : name) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '/')
            r += '-';
        else if (b < 0x20 || b == 0x7F)
            r += ' ';
        else
            r += c;
    }
    const auto a = r.find_first_not_of(' ');
    const auto e = r.find_last_not_of(' ');
    r = a == std::string::npos ? std::string() : r.substr(a, e - a + 1);
    // room for ".rez" and the file system's 255 bytes
    bool gekuerzt = false;
    std::string kurz = zeichen_vorn(r, 60, &gekuerzt);
    if (!Ist_Utf8(kurz))
        kurz = Westeuropaeisch_Nach_Utf8(kurz);
    return kurz;
}

std::string Phasentext(Text was, const Entwurf& e, const Importvorgaben& v, const Importtexte& t)
{
    switch (was) {
    case Text::Keiner: return {};
    case Text::Name: return e.name;
    case Text::Einmaischen: return t.Einmaischen;
    case Text::Aufheizen: return Einsetzen(t.Aufheizen_Auf, {std::to_string(e.temperatur)});
    case Text::Abkuehlen: return Einsetzen(t.Abkuehlen_Auf, {std::to_string(e.temperatur)});
    case Text::Dekoktion:
        return Einsetzen(t.Ruf_Dekoktion, {e.dekoktion_l ? Einsetzen(t.Menge_Klammer, {Zahl_Text(*e.dekoktion_l, 1, v.dezimaltrenner)})
                                                         : std::string()});
    case Text::Ende: return t.Ruf_Ende;
    }
    return {};
}

} // namespace

Importdatei Importbytes_Lesen(const QByteArray& bytes, Sprache sprache)
{
    const Importtexte& t = Importtexte_Fuer(sprache);
    qsizetype i = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return BeerXML_Lesen(bytes, sprache);  // UTF-16 occurs with XML only
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    if (i < bytes.size() && bytes[i] == '<')
        return BeerXML_Lesen(bytes, sprache);
    if (i < bytes.size() && (bytes[i] == '{' || bytes[i] == '['))
        return BeerJSON_Lesen(bytes, sprache);
    Importdatei d;
    d.fehler = t.F_Kein_Format;
    return d;
}

Importdatei Importdatei_Lesen(const std::string& pfad, Sprache sprache)
{
    const Importtexte& t = Importtexte_Fuer(sprache);
    Importdatei d;
    QFile f(QString::fromStdString(pfad));
    const QFileInfo info(f);
    if (info.exists() && !info.isFile()) {
        d.fehler = Einsetzen(t.F_Lesen, {pfad, "not a regular file"});
        return d;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        d.fehler = Einsetzen(t.F_Lesen, {pfad, f.errorString().toStdString()});
        return d;
    }
    if (static_cast<std::size_t>(f.size()) > Import_Max_Bytes) {
        d.fehler = Einsetzen(t.F_Zu_Gross, {pfad, mb(double(f.size())), mb(double(Import_Max_Bytes))});
        return d;
    }
    // a growing or special file: never read more than the bound
    const QByteArray bytes = f.read(static_cast<qint64>(Import_Max_Bytes) + 1);
    if (static_cast<std::size_t>(bytes.size()) > Import_Max_Bytes) {
        d.fehler = Einsetzen(t.F_Zu_Gross, {pfad, mb(double(bytes.size())), mb(double(Import_Max_Bytes))});
        return d;
    }
    if (f.error() != QFileDevice::NoError) {
        d.fehler = Einsetzen(t.F_Lesen, {pfad, f.errorString().toStdString()});
        return d;
    }
    return Importbytes_Lesen(bytes, sprache);
}

void Ruehrwerk_Setzen(Maischprogramm& m, const std::string& impuls, const std::string& pause)
{
    const int n = std::clamp(static_cast<int>(std::strtol(m.AnzPhasen.c_str(), nullptr, 10)), 0, Max_Phasen);
    for (int i = 1; i <= n; ++i) {
        m.Phase(i).setRuehrimpuls(impuls);
        m.Phase(i).setRuehrpause(pause);
    }
}

namespace {

using Meldungen = std::vector<Importmeldung>;

long long nr(std::size_t schritt_index) { return static_cast<long long>(schritt_index + 1); }

bool temperatur_ok(const Importwert& x) { return x.ok() && x.zahl >= -0.5 && x.zahl < 110.5; }
bool zeit_ok(const Importwert& x) { return x.ok() && x.zahl >= -0.5 / 60 && x.zahl < 999.5; }

// Why a value is of no use: missing, no number, an unknown unit, out of range.
Importmeldung Grund(const Importwert& x, double lo, double hi, const char* einheit)
{
    if (x.zustand == Importwert::Zustand::Fehlt)
        return {Meldungsart::Fehlt, {}};
    if (!x.ok())
        return x.einheit.empty() && !x.roh.empty() && x.roh.find_first_not_of("0123456789.,-+ ") != std::string::npos
            ? Importmeldung{Meldungsart::Keine_Zahl, {x.roh}}
            : Importmeldung{Meldungsart::Einheit, {x.einheit.empty() ? std::string("-") : x.einheit}};
    return {Meldungsart::Bereich, {Dezimal{x.zahl, 1}, Dezimal{lo, 0}, Dezimal{hi, 0}, std::string(einheit)}};
}

// Whole °C, as the editor takes them; `was` names the value in the warning when it was rounded.
long Grad(const Importwert& x, Importmeldung was, Meldungen& w)
{
    const long g = std::lround(std::max(0.0, x.zahl));
    if (std::fabs(x.zahl - double(g)) >= 0.05)
        w.push_back({Meldungsart::Gerundet_Temp, {std::vector{std::move(was)}, Dezimal{x.zahl, 1}, (long long)g}});
    return g;
}

// --- mash steps ---

// The steps the kettle runs, in the file's order; sparge and drain steps are
// dropped and their sparge water counted.
std::vector<std::size_t> Maischschritte_Waehlen(const Importrezept& r, double& nachguss, Meldungen& w)
{
    std::vector<std::size_t> maischschritte;
    for (std::size_t i = 0; i < r.schritte.size(); ++i) {
        const Importschritt& s = r.schritte[i];
        if (s.art == Schrittart::Nachguss || s.art == Schrittart::Ablassen) {
            const bool wasser = s.art == Schrittart::Nachguss && s.menge.ok() && s.menge.zahl > 0 && !r.nur_maische;
            if (wasser)
                nachguss += s.menge.zahl;
            w.push_back({Meldungsart::Weggelassen, {nr(i), s.name, s.art_text,
                                                    Teil(wasser, {Meldungsart::Nachguss, {Dezimal{s.menge.zahl, 1}}})}});
            continue;
        }
        maischschritte.push_back(i);
    }
    return maischschritte;
}

// The refusal for the first step without a usable temperature or time, if any.
std::optional<Importmeldung> Schritte_Pruefen(const Importrezept& r, const std::vector<std::size_t>& schritte)
{
    for (std::size_t i : schritte) {
        const Importschritt& s = r.schritte[i];
        if (!temperatur_ok(s.temperatur))
            return Importmeldung{Meldungsart::Temperatur, {nr(i), s.name, std::vector{Grund(s.temperatur, 0, 110, "°C")}}};
        if (!zeit_ok(s.zeit))
            return Importmeldung{Meldungsart::Zeit, {nr(i), s.name, std::vector{Grund(s.zeit, 0, 999, "min")}}};
    }
    return std::nullopt;
}

// Phase 1: heating up to the strike temperature, with the call to mash in at its end.
Entwurf Einmaischen_Abbilden(const Importschritt& erster, Meldungen& w)
{
    Entwurf e;
    e.art = Art::Aufheizen;
    e.ruf = Ruf::Ende;
    e.ruftext = Text::Einmaischen;
    e.titel = Text::Einmaischen;
    if (temperatur_ok(erster.infusionstemperatur)) {
        e.temperatur = Grad(erster.infusionstemperatur, {Meldungsart::Strike, {}}, w);
    } else {
        if (erster.infusionstemperatur.ok())  // out of range: say why it was not taken
            w.push_back({Meldungsart::Unbrauchbar,
                         {std::vector{Importmeldung{Meldungsart::Strike, {}}}, erster.infusionstemperatur.roh}});
        e.temperatur = std::lround(erster.temperatur.zahl);
        w.push_back({Meldungsart::Einmaischtemperatur, {(long long)e.temperatur}});
    }
    return e;
}

// A decoction: one holding phase that calls at minute 0 to pull it; the returned
// decoction raises the mash, so no heating-up before it.
void Dekoktion_Abbilden(std::size_t i, const Importschritt& s, Entwurf rast, std::vector<Entwurf>& phasen, Meldungen& w)
{
    const bool menge = s.menge.ok() && s.menge.zahl > 0;
    rast.ruf = Ruf::Nach;
    rast.ruftext = Text::Dekoktion;
    if (menge)
        rast.dekoktion_l = s.menge.zahl;
    phasen.push_back(rast);
    w.push_back({Meldungsart::Dekoktion, {nr(i), s.name, (long long)phasen.size(),
                                          Teil(menge, {Meldungsart::Menge_Klammer, {Dezimal{s.menge.zahl, 1}}}),
                                          (long long)rast.temperatur, (long long)rast.zeit}});
}

// A rest: heating up to it or waiting for the mash to cool first, then holding.
// Its infused water counts to the mash water.
void Rast_Abbilden(std::size_t i, const Importschritt& s, Entwurf rast, long vorher, bool nach_einmaischen,
                   std::vector<Entwurf>& phasen, double& hauptguss, Meldungen& w)
{
    const long T = rast.temperatur;
    if (T > vorher) {
        Entwurf auf;
        auf.art = Art::Aufheizen;
        auf.temperatur = T;
        auf.titel = Text::Aufheizen;
        phasen.push_back(auf);
    } else if (T < vorher && nach_einmaischen) {
        Entwurf ab;
        ab.art = Art::Kuehlen;
        ab.temperatur = T;
        ab.titel = Text::Abkuehlen;
        phasen.push_back(ab);
        w.push_back({Meldungsart::Abkuehlen,
                     {nr(i), s.name, (long long)T, (long long)vorher, (long long)phasen.size()}});
    }
    phasen.push_back(rast);
    if (s.art == Schrittart::Unbekannt)
        w.push_back({Meldungsart::Art_Unbekannt, {nr(i), s.name, s.art_text}});
    if (nach_einmaischen && s.art == Schrittart::Infusion && s.menge.ok() && s.menge.zahl > 0)
        w.push_back({Meldungsart::Infusion,
                     {nr(i), s.name, Dezimal{s.menge.zahl, 1},
                      Teil(temperatur_ok(s.infusionstemperatur),
                           {Meldungsart::Infusion_Temp, {Dezimal{s.infusionstemperatur.zahl, 1}}})}});
    if (s.menge.ok() && s.menge.zahl > 0)
        hauptguss += s.menge.zahl;
}

// Every mash step in turn, rounded to whole °C and minutes; true when a step has a ramp.
bool Schritte_Abbilden(const Importrezept& r, const std::vector<std::size_t>& maischschritte,
                       std::vector<Entwurf>& phasen, double& hauptguss, Meldungen& w)
{
    long vorher = phasen.back().temperatur;
    bool rampen = false;
    for (std::size_t k = 0; k < maischschritte.size(); ++k) {
        const std::size_t i = maischschritte[k];
        const Importschritt& s = r.schritte[i];
        Entwurf rast;
        rast.temperatur = Grad(s.temperatur, {Meldungsart::Schritt, {nr(i), s.name}}, w);
        rast.zeit = std::lround(std::max(0.0, s.zeit.zahl));
        rast.titel = Text::Name;
        rast.name = s.name;
        if (std::fabs(s.zeit.zahl - double(rast.zeit)) >= 1.0 / 120.0)
            w.push_back({Meldungsart::Gerundet_Zeit, {nr(i), s.name, Dezimal{s.zeit.zahl, 2}, (long long)rast.zeit}});
        if (s.art == Schrittart::Dekoktion)
            Dekoktion_Abbilden(i, s, rast, phasen, w);
        else
            Rast_Abbilden(i, s, rast, vorher, k > 0, phasen, hauptguss, w);
        if (s.endtemperatur.ok() && std::fabs(s.endtemperatur.zahl - s.temperatur.zahl) >= 0.5)
            w.push_back({Meldungsart::Endtemperatur,
                         {nr(i), s.name, Dezimal{s.endtemperatur.zahl, 1}, (long long)rast.temperatur}});
        if (s.rampe.ok() && s.rampe.zahl > 0)
            rampen = true;
        vorher = rast.temperatur;
    }
    return rampen;
}

// --- the program, as the editor would hold it typed ---

void Programm_Schreiben(const std::vector<Entwurf>& phasen, const Importvorgaben& v, const Importtexte& t,
                        Maischprogramm& m, Meldungen& w)
{
    m.AnzPhasen = std::to_string(phasen.size());
    for (std::size_t n = 0; n < phasen.size(); ++n) {
        const Entwurf& e = phasen[n];
        const int nr = static_cast<int>(n + 1);
        const std::string titel = Phasentext(e.titel, e, v, t);
        Cl_Phase& p = m.Phase(nr);
        p.setHeizphase(Flagtext(e.art == Art::Halten));
        p.setAufheizphase(Flagtext(e.art == Art::Aufheizen));
        p.setKuehlphase(Flagtext(e.art == Art::Kuehlen));
        p.setTemperatur(std::to_string(e.temperatur));
        p.setHeizzeit(e.art == Art::Halten ? std::to_string(e.zeit) : std::string());
        p.setRuehrimpuls(v.ruehrimpuls);
        p.setRuehrpause(v.ruehrpause);
        p.setRufzeit(e.ruf == Ruf::Nach ? "0" : "");
        p.setRuf_Ende_Phase(Flagtext(e.ruf == Ruf::Ende));
        p.setRuf_nach_Rufzeit(Flagtext(e.ruf == Ruf::Nach));
        p.setKein_Ruf(Flagtext(e.ruf == Ruf::Kein));
        p.setRuftext(Phasentext(e.ruftext, e, v, t));
        bool gekuerzt = false;
        m.Titel(nr) = zeichen_vorn(einzeilig(titel), 20, &gekuerzt);
        if (gekuerzt)
            w.push_back({Meldungsart::Titel_Gekuerzt, {(long long)nr, titel, m.Titel(nr)}});
    }
    if (v.ruehrimpuls.empty() || v.ruehrpause.empty())
        w.push_back({Meldungsart::Kein_Ruehrwerk, {}});
}

// The beer name, which also names the recipe file.
std::string Biername(const Importrezept& r, const Importvorgaben& v, Meldungen& w)
{
    std::string name = einzeilig(r.name);
    if (name.find_first_not_of(' ') == std::string::npos) {
        name = dateitauglich(v.ersatzname.empty() ? std::string("Import") : v.ersatzname);
        if (!Ist_Dateiname(name))
            name = "Import";
        w.push_back({Meldungsart::Name_Fehlt, {name}});
        return name;
    }
    std::string datei_name = dateitauglich(name);
    if (!Ist_Dateiname(datei_name))
        datei_name = "Import";
    if (datei_name != name)
        w.push_back({Meldungsart::Name_Datei, {name, datei_name}});
    return datei_name;
}

// --- brew protocol ---

// The four heaviest ingredients; the others are named in a warning.
void Malz_Abbilden(const Importrezept& r, char tr, BrauDaten& d, Meldungen& w)
{
    std::vector<const Importzutat*> zutaten;
    for (const Importzutat& z : r.zutaten)
        zutaten.push_back(&z);
    if (zutaten.size() > 4) {
        std::stable_sort(zutaten.begin(), zutaten.end(), [](const Importzutat* x, const Importzutat* y) {
            return (x->menge.ok() ? x->menge.zahl : -1.0) > (y->menge.ok() ? y->menge.zahl : -1.0);
        });
        std::vector<Importmeldung> weg;
        for (std::size_t i = 4; i < zutaten.size(); ++i)
            weg.push_back({Meldungsart::Zutat, {zutaten[i]->name, Teil(zutaten[i]->menge.ok(),
                                                                         {Meldungsart::Zutat_Menge,
                                                                          {Dezimal{zutaten[i]->menge.zahl, 3}}})}});
        w.push_back({Meldungsart::Zutaten, {(long long)zutaten.size(), weg}});
        zutaten.resize(4);
    }
    std::string* sorte[] = {&d.Malzsorte1, &d.Malzsorte2, &d.Malzsorte3, &d.Malzsorte4};
    std::string* menge[] = {&d.Malzmenge1, &d.Malzmenge2, &d.Malzmenge3, &d.Malzmenge4};
    for (std::size_t i = 0; i < zutaten.size(); ++i) {
        *sorte[i] = einzeilig(zutaten[i]->name);
        if (zutaten[i]->menge.ok())
            *menge[i] = Zahl_Text(zutaten[i]->menge.zahl, 3, tr);
    }
}

// Bittering hop: the boil addition with the longest time; aroma hop: the shortest.
// The others are named in a warning.
void Hopfen_Abbilden(const Importrezept& r, char tr, BrauDaten& d, Meldungen& w)
{
    int bitter = -1, aroma = -1;
    for (std::size_t i = 0; i < r.hopfen.size(); ++i) {
        const Importhopfen& h = r.hopfen[i];
        if (!h.kochen || !h.zeit.ok())
            continue;
        if (bitter < 0 || h.zeit.zahl > r.hopfen[std::size_t(bitter)].zeit.zahl)
            bitter = int(i);
    }
    for (std::size_t i = 0; i < r.hopfen.size(); ++i) {
        const Importhopfen& h = r.hopfen[i];
        if (!h.kochen || !h.zeit.ok() || int(i) == bitter)
            continue;
        if (aroma < 0 || h.zeit.zahl < r.hopfen[std::size_t(aroma)].zeit.zahl)
            aroma = int(i);
    }
    const auto hopfen = [&](int i, std::string& sorte, std::string& alpha, std::string& zeit, std::string& g) {
        const Importhopfen& h = r.hopfen[std::size_t(i)];
        sorte = einzeilig(h.name);
        if (h.alpha.ok())
            alpha = Zahl_Text(h.alpha.zahl, 1, tr);
        zeit = Zahl_Text(h.zeit.zahl, 0, tr);
        if (h.menge.ok())
            g = Zahl_Text(h.menge.zahl * 1000.0, 1, tr);
    };
    if (bitter >= 0)
        hopfen(bitter, d.Bitterhopfen, d.Bitterhopfenalpha, d.Bitterhopfzeit, d.Bitterhopfenmenge);
    if (aroma >= 0)
        hopfen(aroma, d.Aromahopfen, d.Aromahopfenalpha, d.Aromahopfzeit, d.Aromahopfenmenge);
    std::vector<Importmeldung> uebrig;
    for (std::size_t i = 0; i < r.hopfen.size(); ++i) {
        if (int(i) == bitter || int(i) == aroma)
            continue;
        const Importhopfen& h = r.hopfen[i];
        uebrig.push_back({Meldungsart::Hopfengabe,
                          {h.name, h.verwendung, Teil(h.zeit.ok(), {Meldungsart::Hopfen_Zeit, {Dezimal{h.zeit.zahl, 0}}}),
                           Teil(h.menge.ok(), {Meldungsart::Hopfen_Menge, {Dezimal{h.menge.zahl * 1000.0, 1}}})}});
    }
    if (!uebrig.empty())
        w.push_back({Meldungsart::Hopfen, {uebrig}});
}

void Braudaten_Abbilden(const Importdatei& datei, const Importrezept& r, double hauptguss, double nachguss, char tr,
                        BrauDaten& d, Meldungen& w)
{
    if (r.sudgroesse.ok() && r.sudgroesse.zahl > 0)
        d.Sudgroesse = Zahl_Text(r.sudgroesse.zahl, 1, tr);
    if (hauptguss > 0)
        d.Hauptguss = Zahl_Text(hauptguss, 1, tr);
    if (nachguss > 0)
        d.Nachguss = Zahl_Text(nachguss, 1, tr);
    if (r.stammwuerze.ok()) {
        if (r.stammwuerze.zahl >= 0.0 && r.stammwuerze.zahl <= 50.0) {
            d.Stammwuerze = Zahl_Text(r.stammwuerze.zahl, 1, tr);
            if (d.Stammwuerze.find(tr) == std::string::npos)
                d.Stammwuerze += std::string(1, tr) + "0";  // always one decimal
        } else {
            w.push_back({Meldungsart::Unbrauchbar,
                         {std::string(datei.format == Importdatei::Format::BeerJSON ? "original_gravity" : "OG"),
                          r.stammwuerze.roh}});
        }
    }
    if (r.bittere.ok() && r.bittere.zahl >= 0)
        d.Bittere = Zahl_Text(r.bittere.zahl, 1, tr);
    Malz_Abbilden(r, tr, d, w);
    Hopfen_Abbilden(r, tr, d, w);
    bool gekuerzt = false;
    d.SudNotizen = zeichen_vorn(einzeilig(r.notizen), Profildatei::Max_Wertlaenge, &gekuerzt);
    if (gekuerzt)
        w.push_back({Meldungsart::Notizen, {(long long)Profildatei::Max_Wertlaenge}});
}

// The warnings worded, after those the reading found.
void Formulieren(Importabbildung& a, const Meldungen& w, const Importtexte& t, char tr)
{
    for (const Importmeldung& m : w)
        a.warnungen.push_back(Meldung_Text(m, t, tr));
}

} // namespace

Importabbildung Rezept_Abbilden(const Importdatei& datei, const Importrezept& r, const Importvorgaben& v)
{
    const Importtexte& t = Importtexte_Fuer(v.sprache);
    const char tr = v.dezimaltrenner;
    Importabbildung a;
    a.nur_maische = r.nur_maische;
    a.warnungen = datei.warnungen;
    a.warnungen.insert(a.warnungen.end(), r.warnungen.begin(), r.warnungen.end());
    Meldungen w;
    if (r.nur_maische)
        w.push_back({Meldungsart::Nur_Maische, {}});
    const auto ablehnen = [&](const Importmeldung& grund) {
        Formulieren(a, w, t, tr);
        a.fehler = Meldung_Text(grund, t, tr);
        return a;
    };

    double nachguss = 0.0, hauptguss = 0.0;
    const std::vector<std::size_t> maischschritte = Maischschritte_Waehlen(r, nachguss, w);
    if (!r.hat_maische || maischschritte.empty())
        return ablehnen({Meldungsart::Keine_Maische, {r.name.empty() ? r.maischname : r.name}});
    if (const auto abgelehnt = Schritte_Pruefen(r, maischschritte))
        return ablehnen(*abgelehnt);

    std::vector<Entwurf> phasen{Einmaischen_Abbilden(r.schritte[maischschritte.front()], w)};
    if (Schritte_Abbilden(r, maischschritte, phasen, hauptguss, w))
        w.push_back({Meldungsart::Rampen, {}});
    if (phasen.back().ruf == Ruf::Kein) {
        phasen.back().ruf = Ruf::Ende;
        phasen.back().ruftext = Text::Ende;
    }
    if (phasen.size() > static_cast<std::size_t>(Max_Phasen)) {
        a.fehler = Meldung_Text({Meldungsart::Zu_Viele_Phasen,
                                 {(long long)phasen.size(), (long long)maischschritte.size()}},
                                t, tr);
        a.warnungen.clear();
        return a;
    }

    a.phasen = static_cast<int>(phasen.size());
    Programm_Schreiben(phasen, v, t, a.programm, w);
    a.programm.Biersorte = Biername(r, v, w);
    if (!r.nur_maische)
        Braudaten_Abbilden(datei, r, hauptguss, nachguss, tr, a.daten, w);
    Formulieren(a, w, t, tr);
    return a;
}

} // namespace kw
