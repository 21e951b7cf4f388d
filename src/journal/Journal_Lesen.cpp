#include "journal/Journal_Lesen.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>

#include "program/Funktionen.h"

namespace kw::journal {

namespace {

namespace fs = std::filesystem;

constexpr std::uintmax_t Hoechstgroesse = 64u << 20;

void Programmfeld(Maischprogramm& p, int n, const std::string& feld, const std::string& wert)
{
    if (n == 0) {
        if (feld == "Biersorte")
            p.Biersorte = wert;
        else if (feld == "Anzahl_Phasen")
            p.AnzPhasen = wert;
        return;
    }
    if (n < 1 || n > Max_Phasen)
        return;
    Cl_Phase& ph = p.Phase(n);
    if (feld == "PhasenBezeichnung") p.Titel(n) = wert;
    else if (feld == "Heizphase") ph.setHeizphase(wert);
    else if (feld == "Aufheizphase") ph.setAufheizphase(wert);
    else if (feld == "Kuehlphase") ph.setKuehlphase(wert);
    else if (feld == "Temperatur") ph.setTemperatur(wert);
    else if (feld == "Heizzeit") ph.setHeizzeit(wert);
    else if (feld == "Ruehrimpuls") ph.setRuehrimpuls(wert);
    else if (feld == "Ruehrpause") ph.setRuehrpause(wert);
    else if (feld == "Rufzeit") ph.setRufzeit(wert);
    else if (feld == "Ruf_Ende_Phase") ph.setRuf_Ende_Phase(wert);
    else if (feld == "Ruf_nach_Rufzeit") ph.setRuf_nach_Rufzeit(wert);
    else if (feld == "Kein_Ruf") ph.setKein_Ruf(wert);
    else if (feld == "Ruftext") ph.setRuftext(wert);
}

std::string Art_Der_Phase(const Cl_Phase& p)
{
    if (Flag_Lesen(p.Aufheizphase())) return "Aufheizen";
    if (Flag_Lesen(p.Heizphase())) return "Halten";
    if (Flag_Lesen(p.Kuehlphase())) return "Kuehlen";
    return "";
}

} // namespace

Journalinhalt Journal_Lesen(const std::string& pfad)
{
    Journalinhalt j;
    std::error_code ec;
    const auto status = fs::status(pfad, ec);
    if (ec || !fs::is_regular_file(status)) {
        j.fehler = pfad + ": keine lesbare Datei";
        return j;
    }
    if (fs::file_size(pfad, ec) > Hoechstgroesse) {
        j.fehler = pfad + ": zu groß für ein Sudjournal";
        return j;
    }
    std::ifstream ein(pfad, std::ios::binary);
    if (!ein) {
        j.fehler = pfad + ": nicht lesbar";
        return j;
    }
    std::string inhalt((std::istreambuf_iterator<char>(ein)), std::istreambuf_iterator<char>());
    // A last line without its line end was cut while it was written: it does not count.
    if (const auto ende = inhalt.rfind('\n'); ende == std::string::npos) {
        if (!inhalt.empty())
            ++j.uebersprungen;
        inhalt.clear();
    } else if (ende + 1 < inhalt.size()) {
        ++j.uebersprungen;
        inhalt.resize(ende + 1);
    }

    bool schnappschuss_neu = true;   // the next snapshot record starts a fresh program
    bool erste = true;
    std::size_t pos = 0;
    while (pos < inhalt.size()) {
        const std::size_t nl = inhalt.find('\n', pos);
        const std::string_view zeile(inhalt.data() + pos, nl - pos);
        pos = nl + 1;
        if (zeile.empty() || zeile == Kopfzeile || (zeile.size() == Kopfzeile.size() + 1 && zeile.back() == '\r'))
            continue;
        auto r = Zeile_Lesen(zeile);
        if (!r) {
            ++j.uebersprungen;
            continue;
        }
        if (erste) {
            j.beginn = r->zeit;
            erste = false;
        }
        j.letzte = r->zeit;
        if (r->art == Art_Programm || r->art == Art_Braudaten) {
            if (schnappschuss_neu) {
                j.programm = Maischprogramm{};
                j.daten = BrauDaten{};
                schnappschuss_neu = false;
            }
            if (r->art == Art_Programm) {
                Programmfeld(j.programm, r->phase, r->feld, r->text);
            } else {
                for (const BrauDatenFeld& f : BrauDaten_Felder)
                    if (f.schluessel == r->feld)
                        j.daten.*(f.feld) = r->text;
            }
            continue;
        }
        schnappschuss_neu = true;
        if (r->art == Art_Ende) {
            j.beendet = true;
            j.endeart = r->feld;
        }
        j.zeilen.push_back(std::move(*r));
    }
    j.gelesen = !erste;
    if (!j.gelesen)
        j.fehler = pfad + ": kein Sudjournal";
    return j;
}

bool Liest_Als_Journal(const std::string& pfad)
{
    std::ifstream ein(pfad, std::ios::binary);
    if (!ein)
        return false;
    // The first whole line that is not empty decides: the header or a record.
    std::string zeile;
    for (int n = 0; n < 16 && std::getline(ein, zeile) && !ein.eof(); ++n) {
        if (!zeile.empty() && zeile.back() == '\r')
            zeile.pop_back();
        if (zeile.empty())
            continue;
        return zeile == Kopfzeile || Zeile_Lesen(zeile).has_value();
    }
    return false;
}

std::optional<std::string> Neuestes_Journal(const std::string& ordner)
{
    std::error_code ec;
    std::vector<std::pair<std::string, std::string>> kandidaten;   // name, path
    for (fs::directory_iterator it(ordner, ec), ende; !ec && it != ende; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (Ist_Journalname(name) && it->is_regular_file(ec))
            kandidaten.emplace_back(name, it->path().string());
    }
    std::sort(kandidaten.begin(), kandidaten.end(), std::greater<>());
    // A file with a journal's name that is none (a broken copy, zeros) hides nothing.
    for (const auto& [name, pfad] : kandidaten)
        if (Liest_Als_Journal(pfad))
            return pfad;
    return std::nullopt;
}

Fortsetzungsangebot Angebot_Ermitteln(const Journalinhalt& j)
{
    Fortsetzungsangebot f;
    if (!j.gelesen || j.beendet)
        return f;
    f.biersorte = j.programm.Biersorte;
    f.unterbrochen = j.letzte;
    f.programm = j.programm;

    enum class Ruf { Keiner, Wartet, Gekommen };
    bool gestartet = false;
    std::size_t letzter_start = 0;   // the last run start: the snapshot after it is j.programm
    int phase = 0;                   // last phase started
    bool phase_zu = false;           // ... and ended
    long long geplant = 0, rest = -1;
    long long vorher = 0;            // seconds the phase ran in runs before, cut off
    Zeitpunkt phase_beginn{}, letzte_probe{}, letzte{};
    long long pausiert = 0;
    std::optional<Zeitpunkt> pause_seit;
    Ruf ruf = Ruf::Keiner;
    int uebernahme = 0;              // a resume took up this phase ...
    long long uebernahme_vorher = 0; // ... after it had run so long
    Ruf uebernahme_ruf = Ruf::Keiner;

    // Seconds the phase had run by `bis`, pauses not counted.
    auto gelaufen = [&](Zeitpunkt bis) {
        if (rest >= 0) {
            // a holding phase: the last sample's rest, less what ran since it
            long long seit = (bis - letzte_probe).count();
            if (pause_seit)
                seit -= std::max<long long>(0, (bis - std::max(*pause_seit, letzte_probe)).count());
            const long long r = std::max<long long>(0, rest - std::max<long long>(0, seit));
            return std::max<long long>(0, geplant - r);
        }
        long long g = (bis - phase_beginn).count() - pausiert;
        if (pause_seit)
            g -= (bis - *pause_seit).count();
        return vorher + std::max<long long>(0, g);
    };

    for (std::size_t i = 0; i < j.zeilen.size(); ++i) {
        const Zeile& r = j.zeilen[i];
        if (r.art == Art_Start || r.art == Art_Fortsetzung) {
            if (!gestartet)
                f.beginn = r.zeit;
            gestartet = true;
            letzter_start = i;
            uebernahme = 0;
            if (r.art == Art_Fortsetzung && phase > 0 && !phase_zu && r.phase == phase) {
                uebernahme = phase;
                uebernahme_vorher = gelaufen(letzte);
                uebernahme_ruf = ruf;
            }
        } else if (r.art == Art_Phase_Start) {
            const bool weiter = r.phase == uebernahme;
            phase = r.phase;
            phase_zu = false;
            vorher = weiter ? uebernahme_vorher : 0;
            ruf = weiter ? uebernahme_ruf : Ruf::Keiner;
            geplant = vorher + r.dauer_s.value_or(0);
            rest = -1;
            phase_beginn = r.zeit;
            pausiert = 0;
            pause_seit.reset();
            uebernahme = 0;
        } else if (r.art == Art_Phase_Ende && r.phase == phase) {
            phase_zu = true;
        } else if (r.art == Art_Zeit && phase > 0) {
            geplant += r.dauer_s.value_or(0);
            if (ruf == Ruf::Gekommen)
                ruf = Ruf::Keiner;   // +/-5 min re-arms the call at the phase end
        } else if (r.art == Art_Ruf && r.phase == phase) {
            ruf = Ruf::Wartet;
        } else if (r.art == Art_Ruf_Quittiert && ruf == Ruf::Wartet) {
            ruf = Ruf::Gekommen;
        } else if (r.art == Art_Pause && phase > 0) {
            pause_seit = r.zeit;
        } else if (r.art == Art_Freigabe && pause_seit) {
            pausiert += (r.zeit - *pause_seit).count();
            pause_seit.reset();
        } else if (r.art == Art_Probe && r.phase == phase && r.dauer_s) {
            rest = *r.dauer_s;
            letzte_probe = r.zeit;
        }
        letzte = r.zeit;
    }
    if (!gestartet)
        return f;

    // Targets nudged since the last run started are in no snapshot.
    for (std::size_t i = letzter_start; i < j.zeilen.size(); ++i) {
        const Zeile& r = j.zeilen[i];
        if (r.art == Art_Soll && r.phase >= 1 && r.phase <= Max_Phasen && (r.soll || !r.text.empty()))
            f.programm.Phase(r.phase).setTemperatur(r.text.empty() ? Temperatur_Text(r.soll) : r.text);
    }

    const int anzahl = std::clamp<int>(Zahl_Aus_Text(j.programm.AnzPhasen), 1, Max_Phasen);
    if (phase == 0) {
        phase = 1;
        phase_zu = false;
        f.laeuft = false;
    } else if (phase_zu) {
        // between two phases: the next one from its beginning
        f.laeuft = false;
        if (phase < anzahl)
            ++phase;
        else
            phase_zu = false;   // the last phase was done: nothing left but to start it again
    } else {
        f.laeuft = true;
    }
    phase = std::clamp(phase, 1, Max_Phasen);
    const Cl_Phase& p = f.programm.Phase(phase);
    f.phase = phase;
    f.titel = f.programm.Titel(phase);
    f.art = Art_Der_Phase(p);
    f.soll = p.Temperatur();
    f.neu = f.art != "Halten";
    f.moeglich = true;
    if (f.laeuft) {
        f.vergangen_s = gelaufen(j.letzte);
        f.ruf_gekommen = ruf == Ruf::Gekommen;
        f.ruf_wartet = ruf == Ruf::Wartet;
    }
    if (f.neu)
        return f;

    if (!f.laeuft) {
        f.geplant_s = 60LL * Zahl_Aus_Text(p.Heizzeit());
        f.vergangen_s = 0;
    } else {
        f.geplant_s = geplant;
        f.vergangen_s = std::min(f.vergangen_s, f.geplant_s);
    }
    f.rest_s = std::max<long long>(0, f.geplant_s - f.vergangen_s);
    f.rest_min = static_cast<int>((f.rest_s + 59) / 60);
    return f;
}

std::vector<Phasenverlauf> Phasen_Auswerten(const Journalinhalt& j)
{
    std::vector<Phasenverlauf> aus;
    Phasenverlauf* offen = nullptr;
    auto temperatur = [&](const Zeile& r) {
        if (!offen || !r.ist)
            return;
        offen->ist_min = offen->ist_min ? std::min(*offen->ist_min, *r.ist) : *r.ist;
        offen->ist_max = offen->ist_max ? std::max(*offen->ist_max, *r.ist) : *r.ist;
    };
    for (const Zeile& r : j.zeilen) {
        if (r.art == Art_Phase_Start) {
            Phasenverlauf v;
            v.phase = r.phase;
            v.titel = r.text;
            v.art = r.feld;
            v.soll = r.soll;
            v.geplant_s = r.dauer_s.value_or(0);
            v.start = r.zeit;
            aus.push_back(v);
            offen = &aus.back();
            temperatur(r);
        } else if (r.art == Art_Phase_Ende && offen && r.phase == offen->phase) {
            temperatur(r);
            offen->ende = r.zeit;
            offen->wie = r.feld;
            offen = nullptr;
        } else if (r.art == Art_Zeit && offen) {
            offen->geplant_s += r.dauer_s.value_or(0);
        } else if (r.art == Art_Ende || r.art == Art_Fortsetzung) {
            offen = nullptr;
        } else if (r.art == Art_Vorhersage) {
            // It comes a moment after its phase's start, perhaps after a short phase's end:
            // it belongs to the last start of that phase, and the first one counts.
            if (aus.empty() || aus.back().phase != r.phase)
                continue;
            Phasenverlauf& v = aus.back();
            std::optional<Zeitpunkt> ende = Zeit_Lesen(r.text);
            if (!ende && r.dauer_s)
                ende = r.zeit + std::chrono::seconds(*r.dauer_s);
            if (r.feld == Vorhersage_Phase && ende && !v.vorhersage_ende)
                v.vorhersage_ende = ende;
            else if (r.feld == Vorhersage_Programm && ende && !v.vorhersage_programmende && v.vorhersage_endlos.empty())
                v.vorhersage_programmende = ende;
            else if (r.feld == Vorhersage_Endlos && !v.vorhersage_programmende && v.vorhersage_endlos.empty())
                v.vorhersage_endlos = r.text.empty() ? std::string("?") : r.text;
        } else {
            temperatur(r);
        }
    }
    return aus;
}

HisKurve Kurve_Aus_Journal(const Journalinhalt& j)
{
    HisKurve k;
    std::vector<const Zeile*> proben;
    for (const Zeile& z : j.zeilen)
        if (z.art == Art_Probe)
            proben.push_back(&z);
    k.geoeffnet = j.gelesen;
    if (proben.empty())
        return k;
    auto ganz = [](std::optional<double> v) -> std::int16_t {
        if (!v)
            return 0;
        return static_cast<std::int16_t>(std::clamp(std::nearbyint(*v), -32768.0, 32767.0));
    };
    const auto t0 = proben.front()->zeit;
    const double spanne = static_cast<double>((proben.back()->zeit - t0).count());
    std::size_t n = 0;
    for (int i = 0; i < His_Proben; ++i) {
        const double t = spanne * i / (His_Proben - 1);
        while (n + 1 < proben.size() && static_cast<double>((proben[n + 1]->zeit - t0).count()) <= t)
            ++n;
        const Zeile& p = *proben[n];
        const auto u = static_cast<std::size_t>(i);
        k.His_Zeit[u] = Zeit_Text(p.zeit);
        k.His_Ist[u] = ganz(p.ist);
        k.His_SollAkt[u] = ganz(p.soll_akt);
        k.His_Soll[u] = ganz(p.soll);
    }
    return k;
}

} // namespace kw::journal
