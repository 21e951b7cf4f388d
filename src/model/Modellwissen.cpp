#include "model/Modellwissen.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>

#include "program/Zusatzdatei.h"

namespace kw::modell {

namespace {

namespace fs = std::filesystem;

constexpr double Max_Luecke_s = 30.0;    // samples further apart start a new stretch
constexpr std::size_t Max_Sude = 10;     // the newest journals: the kettle may change over the years
constexpr double Waermekapazitaet_J_lK = 4186.0;   // water, per litre

std::optional<double> Zahl(std::string text)
{
    std::replace(text.begin(), text.end(), ',', '.');
    const auto anfang = text.find_first_not_of(' ');
    if (anfang == std::string::npos)
        return std::nullopt;
    double wert = 0;
    const char* ende = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data() + anfang, ende, wert);
    if (ec != std::errc() || !std::isfinite(wert))
        return std::nullopt;
    for (const char* q = p; q < ende; ++q)
        if (*q != ' ')
            return std::nullopt;
    return wert;
}

std::string Text(double wert)
{
    char puffer[32];
    const auto [p, ec] = std::to_chars(puffer, puffer + sizeof puffer, wert, std::chars_format::general, 6);
    return ec == std::errc() ? std::string(puffer, p) : std::string("0");
}

} // namespace

std::vector<Messreihe> Messreihen_Aus(const journal::Journalinhalt& j)
{
    std::vector<Messreihe> reihen;
    Messreihe r;
    const auto abschliessen = [&] {
        if (r.size() >= 2)
            reihen.push_back(std::move(r));
        r.clear();
    };
    bool simulation = false;   // a rehearsal: the temperature is the slider's or a model's
    for (const journal::Zeile& z : j.zeilen) {
        if (z.art == journal::Art_Start || z.art == journal::Art_Fortsetzung)
            simulation = false;   // a run that rehearses says so right after its start
        else if (z.art == journal::Art_Schalter && z.feld == "Switch1")
            simulation = z.text == "EIN";
        if (z.art != journal::Art_Probe)
            continue;
        const bool gueltig = !simulation && z.ist && *z.ist > 0.0 && *z.ist <= 105.0 && z.ausgang >= 0
            && (z.ausgang & 0x04) == 0;
        if (!gueltig) {
            abschliessen();
            continue;
        }
        const double t = static_cast<double>(z.zeit.time_since_epoch().count());
        if (!r.empty() && (t <= r.back().t_s || t - r.back().t_s > Max_Luecke_s))
            abschliessen();
        r.push_back({t, *z.ist, (z.ausgang & 0x01) != 0});
    }
    abschliessen();
    return reihen;
}

std::vector<double> Antwortzeiten_Aus(const journal::Journalinhalt& j)
{
    std::vector<double> zeiten;
    for (const journal::Zeile& z : j.zeilen)
        if (z.art == journal::Art_Ruf_Quittiert && z.dauer_s && *z.dauer_s >= 0)
            zeiten.push_back(static_cast<double>(*z.dauer_s));
    return zeiten;
}

std::optional<double> Median(std::vector<double> werte)
{
    if (werte.empty())
        return std::nullopt;
    std::sort(werte.begin(), werte.end());
    const std::size_t n = werte.size();
    return n % 2 ? werte[n / 2] : 0.5 * (werte[n / 2 - 1] + werte[n / 2]);
}

Kesselparameter Standardparameter(double volumen_l, double leistung_W, double raum_C)
{
    Kesselparameter p;
    const double v = std::clamp(volumen_l, 1.0, 1000.0);
    p.Leistung_W = leistung_W > 0 ? leistung_W : Standard_Leistung_W;
    p.Raumtemperatur_C = raum_C;
    p.Heizrate_K_min = p.Leistung_W / (v * Waermekapazitaet_J_lK) * 60.0;
    // A 50 l kettle loses about 0.12 of its excess over the room per hour; smaller
    // ones more (more surface per litre).
    p.Verlust_1_h = 0.12 * std::cbrt(Standard_Volumen_l / v);
    p.Totzeit_s = 60.0;
    return p;
}

std::optional<double> Volumen_Aus(const BrauDaten& daten)
{
    for (const std::string* t : {&daten.Sudgroesse, &daten.Hauptguss})
        if (const auto v = Zahl(*t); v && *v > 0)
            return v;
    return std::nullopt;
}

Modellstand Lernen(const std::vector<journal::Journalinhalt>& journale, const std::vector<std::string>& namen,
                   const Kesselparameter& vorgabe)
{
    Modellstand m;
    m.p = vorgabe;
    std::vector<Messreihe> alle;
    std::vector<double> antworten, anfaenge;
    for (std::size_t i = 0; i < journale.size(); ++i) {
        Journalbefund b;
        b.datei = i < namen.size() ? namen[i] : std::string();
        const auto neu = Antwortzeiten_Aus(journale[i]);
        antworten.insert(antworten.end(), neu.begin(), neu.end());
        std::vector<Messreihe> reihen = Messreihen_Aus(journale[i]);
        b.simulation = std::any_of(journale[i].zeilen.begin(), journale[i].zeilen.end(), [](const journal::Zeile& z) {
            return z.art == journal::Art_Schalter && z.feld == "Switch1" && z.text == "EIN";
        });
        if (reihen.empty()) {
            b.grund = b.simulation ? "Simulation" : "keine Messwerte";
            m.befunde.push_back(b);
            continue;
        }
        const Anpassung allein = Anpassen(reihen, vorgabe);
        b.heizdauer_s = allein.heizdauer_s;
        b.anstieg_K = Hoechster_Heizanstieg_K(reihen);
        if (allein.heizdauer_s >= Mindest_Heizdauer_s) {
            b.heizrate_K_min = allein.ok ? allein.p.Heizrate_K_min : 0.0;
            if (b.anstieg_K < Mindest_Heizanstieg_K) {
                b.grund = "die Heizung hat die Temperatur nie erhöht (Heizelement defekt?)";
                b.ohne_wirkung = true;
                m.ohne_wirkung.push_back(b.datei);
                m.befunde.push_back(b);
                continue;
            }
        }
        b.verwendet = true;
        anfaenge.push_back(reihen.front().front().ist_C);
        for (Messreihe& r : reihen)
            alle.push_back(std::move(r));
        m.befunde.push_back(b);
    }
    if (const auto a = Median(antworten)) {
        m.antwortzeit_s = *a;
        m.rufe = static_cast<int>(antworten.size());
    }
    m.start_C = Median(anfaenge);
    if (alle.empty()) {
        m.hinweis = journale.empty() ? "noch kein Sudjournal" : "kein verwendbares Sudjournal";
        return m;
    }
    const Anpassung a = Anpassen(alle, vorgabe);
    if (!a.ok || a.p.Heizrate_K_min < Mindest_Heizrate_K_min) {
        m.hinweis = a.ok ? "die Heizung hat die Temperatur nie erhöht" : a.grund;
        return m;
    }
    m.p = a.p;
    m.herkunft = Modellstand::Herkunft::Gelernt;
    m.sude = static_cast<int>(std::count_if(m.befunde.begin(), m.befunde.end(),
                                            [](const Journalbefund& b) { return b.verwendet; }));
    m.rms_K = a.rms_K;
    m.max_K = a.max_K;
    return m;
}

Modellstand Modell_Ermitteln(const std::string& ordner, const BrauDaten& daten)
{
    const Profildatei ini = Zusatzdatei_Lesen(ordner);
    const auto leistung = Zahl(ini.Ini_Lesen(Abschnitt, "Leistung_W"));
    const bool eingetragen = leistung && *leistung > 0;
    const double raum = Zahl(ini.Ini_Lesen(Abschnitt, "Raumtemperatur_C")).value_or(20.0);
    const auto zurueck = journal::Zeit_Lesen(ini.Ini_Lesen(Abschnitt, "Zurueckgesetzt"));
    const double volumen = Volumen_Aus(daten).value_or(Standard_Volumen_l);

    Kesselparameter vorgabe =
        Standardparameter(volumen, eingetragen ? *leistung : Standard_Leistung_W, raum);

    // The newest journals first by the date-time in their names.
    std::vector<std::string> dateien;
    std::error_code ec;
    const fs::path sude = fs::path(ordner) / std::string(journal::Journalordner);
    for (fs::directory_iterator it(sude, ec), ende; !ec && it != ende; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (journal::Ist_Journalname(name) && it->is_regular_file(ec))
            dateien.push_back(name);
    }
    std::sort(dateien.rbegin(), dateien.rend());
    std::vector<journal::Journalinhalt> journale;
    std::vector<std::string> namen;
    for (const std::string& name : dateien) {
        if (journale.size() >= Max_Sude)
            break;
        journal::Journalinhalt j = journal::Journal_Lesen((sude / name).string());
        if (!j.gelesen || (zurueck && j.beginn < *zurueck))
            continue;
        journale.push_back(std::move(j));
        namen.push_back(name);
    }

    Modellstand m = Lernen(journale, namen, vorgabe);
    m.leistung_eingetragen = eingetragen;
    if (m.herkunft == Modellstand::Herkunft::Gelernt && !eingetragen)
        // Power unknown: the learned rate times the heat capacity of the batch.
        m.p.Leistung_W = m.p.Heizrate_K_min / 60.0 * volumen * Waermekapazitaet_J_lK;
    return m;
}

Modellstand Modell_Gespeichert(const std::string& ordner, const BrauDaten& daten)
{
    const Profildatei ini = Zusatzdatei_Lesen(ordner);
    const auto wert = [&](const char* k) { return Zahl(ini.Ini_Lesen(Abschnitt, k)); };
    const auto leistung = wert("Leistung_W");
    const double volumen = Volumen_Aus(daten).value_or(Standard_Volumen_l);
    Modellstand m;
    m.leistung_eingetragen = leistung && *leistung > 0;
    m.p = Standardparameter(volumen, m.leistung_eingetragen ? *leistung : Standard_Leistung_W,
                            wert("Raumtemperatur_C").value_or(20.0));
    const auto rate = wert("Heizrate_K_min"), verlust = wert("Verlust_1_h"), totzeit = wert("Totzeit_s");
    const auto sude = wert("Sude");
    // A hand-edited value out of its range counts as none: the defaults hold.
    if (rate && verlust && totzeit && sude && *rate >= Mindest_Heizrate_K_min && *rate < 100 && *verlust >= 0
        && *verlust < 100 && *totzeit >= 0 && *totzeit <= 3600 && *sude >= 1) {
        m.herkunft = Modellstand::Herkunft::Gelernt;
        m.p.Heizrate_K_min = *rate;
        m.p.Verlust_1_h = *verlust;
        m.p.Totzeit_s = *totzeit;
        m.sude = static_cast<int>(*sude);
        m.rms_K = wert("Abweichung_RMS_K").value_or(0.0);
        m.max_K = wert("Abweichung_Max_K").value_or(0.0);
        if (!m.leistung_eingetragen)
            m.p.Leistung_W = m.p.Heizrate_K_min / 60.0 * volumen * Waermekapazitaet_J_lK;
    }
    if (const auto a = wert("Antwortzeit_s"); a && *a >= 0)
        m.antwortzeit_s = *a;
    const std::string liste = ini.Ini_Lesen(Abschnitt, "Ohne_Wirkung");
    for (std::size_t anfang = 0; anfang < liste.size();) {
        std::size_t ende = liste.find(" | ", anfang);
        if (ende == std::string::npos)
            ende = liste.size();
        if (ende > anfang)
            m.ohne_wirkung.push_back(liste.substr(anfang, ende - anfang));
        anfang = ende + 3;
    }
    return m;
}

bool Modell_Speichern(const std::string& ordner, const Modellstand& m, std::string* fehler)
{
    std::string ohne_wirkung;
    for (const std::string& name : m.ohne_wirkung)
        ohne_wirkung += (ohne_wirkung.empty() ? "" : " | ") + name;
    // A long list is cut at a whole name: the newest come first.
    while (ohne_wirkung.size() > 250 && ohne_wirkung.rfind(" | ") != std::string::npos)
        ohne_wirkung.erase(ohne_wirkung.rfind(" | "));
    if (ohne_wirkung.size() > 250)
        ohne_wirkung.clear();
    return Zusatzdatei_Aendern(
        ordner,
        [&](Profildatei& d) {
            const bool gelernt = m.herkunft == Modellstand::Herkunft::Gelernt;
            d.Ini_Schreiben(Abschnitt, "Heizrate_K_min", gelernt ? Text(m.p.Heizrate_K_min) : "");
            d.Ini_Schreiben(Abschnitt, "Verlust_1_h", gelernt ? Text(m.p.Verlust_1_h) : "");
            d.Ini_Schreiben(Abschnitt, "Totzeit_s", gelernt ? Text(m.p.Totzeit_s) : "");
            d.Ini_Schreiben(Abschnitt, "Sude", gelernt ? std::to_string(m.sude) : "");
            d.Ini_Schreiben(Abschnitt, "Abweichung_RMS_K", gelernt ? Text(m.rms_K) : "");
            d.Ini_Schreiben(Abschnitt, "Abweichung_Max_K", gelernt ? Text(m.max_K) : "");
            d.Ini_Schreiben(Abschnitt, "Antwortzeit_s", Text(m.antwortzeit_s));
            d.Ini_Schreiben(Abschnitt, "Ohne_Wirkung", ohne_wirkung);
        },
        fehler);
}

bool Modell_Zuruecksetzen(const std::string& ordner, journal::Zeitpunkt jetzt, std::string* fehler)
{
    return Zusatzdatei_Aendern(
        ordner,
        [&](Profildatei& d) {
            for (const char* k : {"Heizrate_K_min", "Verlust_1_h", "Totzeit_s", "Sude", "Abweichung_RMS_K",
                                  "Abweichung_Max_K", "Antwortzeit_s", "Ohne_Wirkung"})
                d.Ini_Schreiben(Abschnitt, k, "");
            d.Ini_Schreiben(Abschnitt, "Zurueckgesetzt", journal::Zeit_Text(jetzt));
        },
        fehler);
}

bool Leistung_Setzen(const std::string& ordner, double leistung_W, std::string* fehler)
{
    if (!(leistung_W >= 0) || leistung_W > 100000) {
        if (fehler)
            *fehler = "Leistung außerhalb 0 .. 100000 W";
        return false;
    }
    return Zusatzdatei_Aendern(
        ordner,
        [&](Profildatei& d) { d.Ini_Schreiben(Abschnitt, "Leistung_W", leistung_W > 0 ? Text(leistung_W) : ""); },
        fehler);
}

} // namespace kw::modell
