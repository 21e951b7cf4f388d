#include "import/Rezeptimport.h"

#include "import/BeerJSON.h"
#include "import/BeerXML.h"
#include "import/Importgrenzen.h"
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

namespace kw {

namespace {

std::string mb(double bytes) { return Zahl_Text(bytes / (1024.0 * 1024.0), 1, '.'); }

enum class Art { Halten, Aufheizen, Kuehlen };
enum class Ruf { Kein, Ende, Nach };

struct Entwurf {
    Art art = Art::Halten;
    long temperatur = 0;  // [°C]
    long zeit = 0;        // [min], holding phases only
    Ruf ruf = Ruf::Kein;
    std::string ruftext;
    std::string titel;
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

Importabbildung Rezept_Abbilden(const Importdatei& datei, const Importrezept& r, const Importvorgaben& v)
{
    const Importtexte& t = Importtexte_Fuer(v.sprache);
    const char tr = v.dezimaltrenner;
    Importabbildung a;
    a.nur_maische = r.nur_maische;
    a.warnungen = datei.warnungen;
    a.warnungen.insert(a.warnungen.end(), r.warnungen.begin(), r.warnungen.end());
    std::vector<std::string>& w = a.warnungen;
    if (r.nur_maische)
        w.push_back(t.W_Nur_Maische);

    const auto schrittname = [&](std::size_t i) {
        return Einsetzen(t.W_Schritt, {std::to_string(i + 1), r.schritte[i].name});
    };
    const auto grund = [&](const Importwert& x, double lo, double hi, const char* einheit) -> std::string {
        if (x.zustand == Importwert::Zustand::Fehlt)
            return t.G_Fehlt;
        if (!x.ok())
            return x.einheit.empty() && !x.roh.empty() && x.roh.find_first_not_of("0123456789.,-+ ") != std::string::npos
                ? Einsetzen(t.G_Keine_Zahl, {x.roh})
                : Einsetzen(t.G_Einheit, {x.einheit.empty() ? std::string("-") : x.einheit});
        return Einsetzen(t.G_Bereich, {Zahl_Text(x.zahl, 1, tr), Zahl_Text(lo, 0, tr), Zahl_Text(hi, 0, tr), einheit});
    };
    const auto temperatur_ok = [](const Importwert& x) { return x.ok() && x.zahl >= -0.5 && x.zahl < 110.5; };
    const auto zeit_ok = [](const Importwert& x) { return x.ok() && x.zahl >= -0.5 / 60 && x.zahl < 999.5; };
    const auto grad = [&](const Importwert& x, const std::string& was) {
        const long g = std::lround(std::max(0.0, x.zahl));
        if (std::fabs(x.zahl - double(g)) >= 0.05)
            w.push_back(Einsetzen(t.W_Gerundet_Temp, {was, Zahl_Text(x.zahl, 1, tr), std::to_string(g)}));
        return g;
    };

    // --- the steps the kettle runs ---
    std::vector<std::size_t> maischschritte;
    double nachguss = 0.0, hauptguss = 0.0;
    for (std::size_t i = 0; i < r.schritte.size(); ++i) {
        const Importschritt& s = r.schritte[i];
        if (s.art == Schrittart::Nachguss || s.art == Schrittart::Ablassen) {
            std::string zusatz;
            if (s.art == Schrittart::Nachguss && s.menge.ok() && s.menge.zahl > 0 && !r.nur_maische) {
                nachguss += s.menge.zahl;
                zusatz = Einsetzen(t.W_Nachguss, {Zahl_Text(s.menge.zahl, 1, tr)});
            }
            w.push_back(Einsetzen(t.W_Weggelassen, {std::to_string(i + 1), s.name, s.art_text, zusatz}));
            continue;
        }
        maischschritte.push_back(i);
    }
    if (!r.hat_maische || maischschritte.empty()) {
        a.fehler = Einsetzen(t.F_Keine_Maische, {r.name.empty() ? r.maischname : r.name});
        return a;
    }
    for (std::size_t i : maischschritte) {
        const Importschritt& s = r.schritte[i];
        if (!temperatur_ok(s.temperatur)) {
            a.fehler = Einsetzen(t.F_Temperatur, {std::to_string(i + 1), s.name, grund(s.temperatur, 0, 110, "°C")});
            return a;
        }
        if (!zeit_ok(s.zeit)) {
            a.fehler = Einsetzen(t.F_Zeit, {std::to_string(i + 1), s.name, grund(s.zeit, 0, 999, "min")});
            return a;
        }
    }

    std::vector<Entwurf> phasen;
    const Importschritt& erster = r.schritte[maischschritte.front()];
    Entwurf einmaischen;
    einmaischen.art = Art::Aufheizen;
    einmaischen.ruf = Ruf::Ende;
    einmaischen.ruftext = t.Einmaischen;
    einmaischen.titel = t.Einmaischen;
    if (temperatur_ok(erster.infusionstemperatur)) {
        einmaischen.temperatur = grad(erster.infusionstemperatur, t.W_Strike);
    } else {
        if (erster.infusionstemperatur.ok())  // out of range: say why it was not taken
            w.push_back(Einsetzen(t.W_Unbrauchbar, {t.W_Strike, erster.infusionstemperatur.roh}));
        einmaischen.temperatur = std::lround(erster.temperatur.zahl);
        w.push_back(Einsetzen(t.W_Einmaischtemperatur, {std::to_string(einmaischen.temperatur)}));
    }
    phasen.push_back(einmaischen);

    long vorher = einmaischen.temperatur;
    bool rampen = false;
    for (std::size_t k = 0; k < maischschritte.size(); ++k) {
        const std::size_t i = maischschritte[k];
        const Importschritt& s = r.schritte[i];
        const long T = grad(s.temperatur, schrittname(i));
        const long minuten = std::lround(std::max(0.0, s.zeit.zahl));
        if (std::fabs(s.zeit.zahl - double(minuten)) >= 1.0 / 120.0)
            w.push_back(Einsetzen(t.W_Gerundet_Zeit, {std::to_string(i + 1), s.name, Zahl_Text(s.zeit.zahl, 2, tr),
                                                     std::to_string(minuten)}));
        Entwurf rast;
        rast.temperatur = T;
        rast.zeit = minuten;
        rast.titel = s.name;
        if (s.art == Schrittart::Dekoktion) {
            const std::string menge = s.menge.ok() && s.menge.zahl > 0
                ? Einsetzen(t.Menge_Klammer, {Zahl_Text(s.menge.zahl, 1, tr)})
                : std::string();
            rast.ruf = Ruf::Nach;
            rast.ruftext = Einsetzen(t.Ruf_Dekoktion, {menge});
            phasen.push_back(rast);
            w.push_back(Einsetzen(t.W_Dekoktion, {std::to_string(i + 1), s.name, std::to_string(phasen.size()),
                                                  menge, std::to_string(T), std::to_string(minuten)}));
        } else {
            if (T > vorher) {
                Entwurf auf;
                auf.art = Art::Aufheizen;
                auf.temperatur = T;
                auf.titel = Einsetzen(t.Aufheizen_Auf, {std::to_string(T)});
                phasen.push_back(auf);
            } else if (T < vorher && k > 0) {
                Entwurf ab;
                ab.art = Art::Kuehlen;
                ab.temperatur = T;
                ab.titel = Einsetzen(t.Abkuehlen_Auf, {std::to_string(T)});
                phasen.push_back(ab);
                w.push_back(Einsetzen(t.W_Abkuehlen, {std::to_string(i + 1), s.name, std::to_string(T),
                                                      std::to_string(vorher), std::to_string(phasen.size())}));
            }
            phasen.push_back(rast);
            if (s.art == Schrittart::Unbekannt)
                w.push_back(Einsetzen(t.W_Art_Unbekannt, {std::to_string(i + 1), s.name, s.art_text}));
            if (k > 0 && s.art == Schrittart::Infusion && s.menge.ok() && s.menge.zahl > 0) {
                const std::string temp = temperatur_ok(s.infusionstemperatur)
                    ? Einsetzen(t.W_Infusion_Temp, {Zahl_Text(s.infusionstemperatur.zahl, 1, tr)})
                    : std::string();
                w.push_back(Einsetzen(t.W_Infusion, {std::to_string(i + 1), s.name, Zahl_Text(s.menge.zahl, 1, tr), temp}));
            }
            if (s.menge.ok() && s.menge.zahl > 0)
                hauptguss += s.menge.zahl;
        }
        if (s.endtemperatur.ok() && std::fabs(s.endtemperatur.zahl - s.temperatur.zahl) >= 0.5)
            w.push_back(Einsetzen(t.W_Endtemperatur, {std::to_string(i + 1), s.name,
                                                      Zahl_Text(s.endtemperatur.zahl, 1, tr), std::to_string(T)}));
        if (s.rampe.ok() && s.rampe.zahl > 0)
            rampen = true;
        vorher = T;
    }
    if (rampen)
        w.push_back(t.W_Rampen);
    if (phasen.back().ruf == Ruf::Kein) {
        phasen.back().ruf = Ruf::Ende;
        phasen.back().ruftext = t.Ruf_Ende;
    }
    if (phasen.size() > static_cast<std::size_t>(Max_Phasen)) {
        a.fehler = Einsetzen(t.F_Zu_Viele_Phasen, {std::to_string(phasen.size()), std::to_string(maischschritte.size())});
        a.warnungen.clear();
        return a;
    }

    // --- the program, as the editor would hold it typed ---
    Maischprogramm& m = a.programm;
    a.phasen = static_cast<int>(phasen.size());
    m.AnzPhasen = std::to_string(phasen.size());
    for (std::size_t n = 0; n < phasen.size(); ++n) {
        const Entwurf& e = phasen[n];
        const int nr = static_cast<int>(n + 1);
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
        p.setRuftext(e.ruftext);
        bool gekuerzt = false;
        m.Titel(nr) = zeichen_vorn(einzeilig(e.titel), 20, &gekuerzt);
        if (gekuerzt)
            w.push_back(Einsetzen(t.W_Titel_Gekuerzt, {std::to_string(nr), e.titel, m.Titel(nr)}));
    }
    if (v.ruehrimpuls.empty() || v.ruehrpause.empty())
        w.push_back(t.W_Kein_Ruehrwerk);

    // --- beer name: also the recipe file's name ---
    std::string name = einzeilig(r.name);
    if (name.find_first_not_of(' ') == std::string::npos) {
        name = dateitauglich(v.ersatzname.empty() ? std::string("Import") : v.ersatzname);
        if (!Ist_Dateiname(name))
            name = "Import";
        w.push_back(Einsetzen(t.W_Name_Fehlt, {name}));
    } else {
        std::string datei_name = dateitauglich(name);
        if (!Ist_Dateiname(datei_name))
            datei_name = "Import";
        if (datei_name != name)
            w.push_back(Einsetzen(t.W_Name_Datei, {name, datei_name}));
        name = datei_name;
    }
    m.Biersorte = name;
    if (r.nur_maische)
        return a;

    // --- brew protocol ---
    BrauDaten& d = a.daten;
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
            w.push_back(Einsetzen(t.W_Unbrauchbar, {datei.format == Importdatei::Format::BeerJSON ? "original_gravity" : "OG",
                                                   r.stammwuerze.roh}));
        }
    }
    if (r.bittere.ok() && r.bittere.zahl >= 0)
        d.Bittere = Zahl_Text(r.bittere.zahl, 1, tr);

    std::vector<const Importzutat*> zutaten;
    for (const Importzutat& z : r.zutaten)
        zutaten.push_back(&z);
    if (zutaten.size() > 4) {
        std::stable_sort(zutaten.begin(), zutaten.end(), [](const Importzutat* x, const Importzutat* y) {
            return (x->menge.ok() ? x->menge.zahl : -1.0) > (y->menge.ok() ? y->menge.zahl : -1.0);
        });
        std::string weg;
        for (std::size_t i = 4; i < zutaten.size(); ++i) {
            if (!weg.empty())
                weg += ", ";
            weg += zutaten[i]->name;
            if (zutaten[i]->menge.ok())
                weg += " (" + Zahl_Text(zutaten[i]->menge.zahl, 3, tr) + " kg)";
        }
        w.push_back(Einsetzen(t.W_Zutaten, {std::to_string(zutaten.size()), weg}));
        zutaten.resize(4);
    }
    std::string* sorte[] = {&d.Malzsorte1, &d.Malzsorte2, &d.Malzsorte3, &d.Malzsorte4};
    std::string* menge[] = {&d.Malzmenge1, &d.Malzmenge2, &d.Malzmenge3, &d.Malzmenge4};
    for (std::size_t i = 0; i < zutaten.size(); ++i) {
        *sorte[i] = einzeilig(zutaten[i]->name);
        if (zutaten[i]->menge.ok())
            *menge[i] = Zahl_Text(zutaten[i]->menge.zahl, 3, tr);
    }

    // bittering hop: the boil addition with the longest time; aroma hop: the shortest
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
    const auto hopfen = [&](int i, std::string& sorte_, std::string& alpha, std::string& zeit, std::string& g) {
        const Importhopfen& h = r.hopfen[std::size_t(i)];
        sorte_ = einzeilig(h.name);
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
    std::string uebrig;
    for (std::size_t i = 0; i < r.hopfen.size(); ++i) {
        if (int(i) == bitter || int(i) == aroma)
            continue;
        const Importhopfen& h = r.hopfen[i];
        if (!uebrig.empty())
            uebrig += ", ";
        uebrig += h.name + " (" + h.verwendung;
        if (h.zeit.ok())
            uebrig += ", " + Zahl_Text(h.zeit.zahl, 0, tr) + " min";
        if (h.menge.ok())
            uebrig += ", " + Zahl_Text(h.menge.zahl * 1000.0, 1, tr) + " g";
        uebrig += ")";
    }
    if (!uebrig.empty())
        w.push_back(Einsetzen(t.W_Hopfen, {uebrig}));

    bool gekuerzt = false;
    d.SudNotizen = zeichen_vorn(einzeilig(r.notizen), Profildatei::Max_Wertlaenge, &gekuerzt);
    if (gekuerzt)
        w.push_back(Einsetzen(t.W_Notizen, {std::to_string(Profildatei::Max_Wertlaenge)}));
    return a;
}

} // namespace kw
