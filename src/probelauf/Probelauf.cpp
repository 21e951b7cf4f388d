#include "probelauf/Probelauf.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/Steuerung.h"
#include "program/Funktionen.h"
#include "program/Zahlen.h"

namespace kw::probelauf {

namespace {

using std::chrono::seconds;

constexpr std::int64_t Beginn_ms = 1767261600000;   // any whole second; only differences count
constexpr std::int64_t Kurventakt_ms = 5000;

std::string Art_Der_Phase(const Cl_Phase& p)
{
    // The first kind flag counts, as in the controller.
    if (Flag_Lesen(p.Aufheizphase())) return "Aufheizen";
    if (Flag_Lesen(p.Heizphase())) return "Halten";
    if (Flag_Lesen(p.Kuehlphase())) return "Kuehlen";
    return "";
}

std::string Zahl(double wert, int stellen, char trenner) { return Festkomma(wert, stellen, trenner); }

// The controller on the model. It is the screens' and the recorders' stand-in at once.
class Lauf : Meldungen, Fenster, Ereignisse {
public:
    Lauf(const Maischprogramm& programm, const Vorgaben& v)
        : v(v), kessel(v.kessel, v.start_C, Beginn_ms), ms(Beginn_ms)
    {
        s.laden(jetzt());
        a.Programm = programm;
        a.Gradient_Ein = v.gradient ? 1 : 0;
        a.Dezimaltrenner = v.dezimaltrenner;
        a.Konfiguration_Bestaetigt = true;
        s.setzeEreignisse(this);
        if (v.einstieg) {
            // A resume's arming of "Start ab Phase": the phase goes on where it stands.
            const Einstieg& ein = *v.einstieg;
            a.Start_ab_Phase = 1;
            a.Startphase_Text = std::to_string(ein.phase);
            a.Startzeit_Text = std::to_string(std::max(0L, ein.heizzeit_min));
            a.Fortsetzung = Fortsetzungsstand{ein.phase, a.Startzeit_Text, std::max(0L, ein.rest_s),
                                              std::max(0L, ein.vergangen_s), ein.ruf_gekommen, ein.ruf_wartet};
            kessel.Vorgeschichte(ein.heizung);
        }
        ablesen();
        takt();   // first tick: configuration, readings from now on
    }
    ~Lauf() override { s.setzeEreignisse(nullptr); }

    Ergebnis ausfuehren()
    {
        geplant_vorher();
        s.START_BRAUEN();
        start_ms = ms;
        naechster_punkt = ms + Kurventakt_ms;
        // However the program looks: never longer than its holding times plus the limit per phase.
        const std::int64_t grenze = ms + (e.geplant_s + 21 * v.phasengrenze.count()) * 1000LL;
        e.kurve.push_back({0, 0, kessel.Temperatur_C(), Text_Als_Double(z.Anzeige_TempSollAct, a.Dezimaltrenner),
                           a.Aus_Heizung != 0});
        while (a.Brauen_Gestartet && !stopp && ms < grenze) {
            if (v.abbruch && v.abbruch->load(std::memory_order_relaxed)) {
                e.abgebrochen = true;
                break;
            }
            const Zustand vorher = zustand();
            takt();
            if (zustand() == vorher)
                zur_naechsten_sekunde();
            if (laufend && art == "Halten")
                continue;
            if (laufend && ms - e.phasen.back().start_s * 1000LL - start_ms > v.phasengrenze.count() * 1000LL) {
                Phasenzeile& p = e.phasen.back();
                p.ausgang = Ausgang::Zeitgrenze;
                p.grund = "nach " + Stunden_Minuten(v.phasengrenze.count()) + " h noch nicht erreicht";
                stopp = true;
            }
        }
        if (stopp) {
            Phasenzeile& p = e.phasen.back();
            abschliessen(p);
            e.endlos = e.phasen.size() - 1;
            s.STOP_BRAUEN();
            takt();
        }
        e.vollstaendig = e.gestartet && !stopp && !e.abgebrochen && !a.Brauen_Gestartet && ende_ms > 0;
        e.gesamt_s = static_cast<long>(((ende_ms > 0 ? ende_ms : ms) - start_ms) / 1000);
        e.energie_kWh = kessel.Energie_kWh();
        return std::move(e);
    }

private:
    Zeitpunkt jetzt() const { return Zeitpunkt{seconds{ms / 1000}}; }
    long sek() const { return static_cast<long>((ms - start_ms) / 1000); }

    // What a tick may change that the next tick of the same second acts on. Unchanged,
    // the other ticks of this second (same time, same reading) would do the same again.
    struct Zustand {
        int schritt, phase, heizung, ruehrwerk;
        bool bedarf, ruf, alarm, gestartet;
        bool operator==(const Zustand&) const = default;
    };
    Zustand zustand() const
    {
        return {a.Ablaufschritt, a.Akt_Phase, a.Aus_Heizung, a.Ruehrwerk_Ein, a.Heizbedarf_Vorher, a.Ruf_Aktiv,
                a.Sensor_Alarm, a.Brauen_Gestartet};
    }
    // Leaves out the rest of this second's ticks (the blink clock still runs), so the
    // next tick is the first of the next second.
    void zur_naechsten_sekunde()
    {
        const std::int64_t letzter = (ms / 1000 + 1) * 1000 - 100;
        for (std::int64_t t = ms + 100; t <= letzter; t += 100)
            if (t % 500 == 0)
                s.Takt_1s();
        if (letzter > ms) {
            ms = letzter;
            kessel.fortschreiben(ms);
        }
    }

    // The reading as DigiTemp's log would give it.
    void ablesen()
    {
        a.Temperaturwert = Festkomma(kessel.Temperatur_C(), 2);
        a.Messzeitpunkt = jetzt();
    }

    void takt()
    {
        ms += 100;
        if (ms % 500 == 0)
            s.Takt_1s();
        kessel.fortschreiben(ms);
        if (ms % 1000 == 0)
            ablesen();
        s.tick(jetzt());
        a.Aus_Ruehrwerk = a.Ruehrwerk_Ein;
        kessel.Heizung(a.Aus_Heizung != 0);

        const double t = kessel.Temperatur_C();
        if (laufend) {
            Phasenzeile& p = e.phasen.back();
            p.max_C = std::max(p.max_C, t);
        }
        if (e.gestartet && a.Brauen_Gestartet && ms >= naechster_punkt) {
            naechster_punkt += Kurventakt_ms;
            e.kurve.push_back({sek(), a.Ablaufschritt >= 2 ? a.Akt_Phase : 0, t,
                               Text_Als_Double(z.Anzeige_TempSollAct, a.Dezimaltrenner), a.Aus_Heizung != 0});
        }

        // The brewmaster answers.
        const auto antwort = static_cast<std::int64_t>(std::llround(v.antwortzeit_s * 1000));
        if (a.Ruf_Aktiv) {
            if (ruf_seit < 0)
                ruf_seit = ms;
            if (ms - ruf_seit >= antwort) {
                s.QUITTIEREN();
                ruf_seit = -1;
            }
        }
        if (a.Sensor_Alarm) {
            if (warnung_seit < 0)
                warnung_seit = ms;
            if (ms - warnung_seit >= antwort) {
                s.WarnungDS1820_OK();
                warnung_seit = -1;
            }
        }
    }

    void geplant_vorher()
    {
        Maischprogramm pr = a.Programm;
        const int n = std::clamp<int>(Zahl_Aus_Text(pr.AnzPhasen), 0, Max_Phasen);
        for (int i = 1; i <= n; ++i)
            if (Art_Der_Phase(pr.Phase(i)) == "Halten")
                e.geplant_s += 60L * Zahl_Aus_Text(pr.Phase(i).Heizzeit());
    }

    void abschliessen(Phasenzeile& p)
    {
        laufend = false;
        p.ende_s = sek();
        p.energie_kWh = kessel.Energie_kWh() - energie_start;
        if (p.art != "Kuehlen")
            p.ueberschwingen_K = std::max(0.0, p.max_C - p.soll_C);
    }

    // --- Meldungen, Fenster ---
    void zeige(int nr) override
    {
        if (!e.gestartet)
            e.meldungen.push_back(nr);
    }
    void Braumeisterruf_Zeigen(const std::string&) override {}
    void Braumeisterruf_Verbergen() override {}
    void WarnungDS1820_Zeigen() override
    {
        if (laufend)
            ++e.phasen.back().warnungen;
    }
    void Konfiguration_Laden_Und_Zeigen() override {}

    // --- Ereignisse ---
    void Lauf_Start() override { e.gestartet = true; }
    void Phase_Start(int phase) override
    {
        if (laufend)   // left without its end (a jump): closed here
            abschliessen(e.phasen.back());
        const Cl_Phase& ph = a.Programm.Phase(phase);
        Phasenzeile p;
        p.phase = phase;
        p.titel = a.Programm.Titel(phase);
        p.art = art = Art_Der_Phase(ph);
        p.soll_C = Text_Als_Double(ph.Temperatur(), a.Dezimaltrenner);
        p.geplant_start_s = geplant_bis;
        if (p.art == "Halten") {
            p.geplant_s = 60L * a.Heizzeit_min;
            geplant_bis += *p.geplant_s;
        }
        p.start_s = sek();
        p.max_C = kessel.Temperatur_C();
        energie_start = kessel.Energie_kWh();
        laufend = true;
        if (v.einstieg && e.phasen.empty()) {
            // Taken up mid-brew: heating that was on goes on without a new switch-on delay.
            if (v.einstieg->heizung) {
                a.Heizbedarf_Vorher = true;
                a.Heizung_Einschaltzeit = Laufzeitpunkt{seconds{ms / 1000}};
            }
            if (a.Gradient_Ein == 1 && v.einstieg->soll_akt_C)
                z.Anzeige_TempSollAct = Festkomma(*v.einstieg->soll_akt_C, 1, a.Dezimaltrenner);
        }

        const double ist = Text_Als_Double(z.Anzeige_TempIst, a.Dezimaltrenner);
        const bool siedet = p.soll_C > v.kessel.Siedepunkt_C;
        if (p.art == "Aufheizen" && ist < p.soll_C && (siedet || p.soll_C >= v.kessel.Gleichgewicht_Voll_C())) {
            p.ausgang = Ausgang::Unerreichbar;
            p.grund = "Ziel " + Zahl(p.soll_C, 1, v.dezimaltrenner) + " °C zu hoch: "
                + (siedet ? "die Maische siedet bei " + Zahl(v.kessel.Siedepunkt_C, 1, v.dezimaltrenner) + " °C"
                          : "volle Heizleistung hält höchstens "
                                + Zahl(v.kessel.Dauerzustand_Voll_C(), 1, v.dezimaltrenner) + " °C");
            stopp = true;
        } else if (p.art == "Kuehlen" && ist > p.soll_C && p.soll_C <= v.kessel.Dauerzustand_Aus_C()) {
            p.ausgang = Ausgang::Unerreichbar;
            p.grund = "Ziel " + Zahl(p.soll_C, 1, v.dezimaltrenner)
                + " °C zu tief: ohne Kühlung sinkt die Maische nur bis zur Raumtemperatur "
                + Zahl(v.kessel.Dauerzustand_Aus_C(), 1, v.dezimaltrenner) + " °C";
            stopp = true;
        }
        e.phasen.push_back(std::move(p));
    }
    void Phase_Ende(int) override
    {
        if (laufend)
            abschliessen(e.phasen.back());
    }
    void Lauf_Ende(Endeart art_) override
    {
        if (art_ == Endeart::Fertig)
            ende_ms = ms;
    }
    void Ruf_Ausgeloest(int, const std::string&) override
    {
        if (laufend)
            ++e.phasen.back().rufe;
    }

    const Vorgaben& v;
    Anlage a;
    Anzeige z;
    Steuerung s{a, z, *this, *this};
    modell::Kesselmodell kessel;
    std::int64_t ms;
    std::int64_t start_ms = 0, ende_ms = 0;
    std::int64_t naechster_punkt = 0;
    std::int64_t ruf_seit = -1, warnung_seit = -1;
    Ergebnis e;
    bool laufend = false;
    bool stopp = false;
    std::string art;
    long geplant_bis = 0;
    double energie_start = 0;
};

} // namespace

Ergebnis Probelauf(const Maischprogramm& programm, const Vorgaben& v)
{
    Lauf lauf(programm, v);
    return lauf.ausfuehren();
}

std::string Festkomma(double wert, int stellen, char trenner)
{
    char text[64];
    const auto [ende, ec] = std::to_chars(text, text + sizeof text, wert, std::chars_format::fixed, stellen);
    std::string s = ec == std::errc() ? std::string(text, ende) : std::string("0");
    if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos)
        s.erase(0, 1);   // no "-0.0"
    if (trenner != '.')
        std::replace(s.begin(), s.end(), '.', trenner);
    return s;
}

std::string Stunden_Minuten(long sekunden)
{
    const long minuten = (std::max(0L, sekunden) + 30) / 60;
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", minuten / 60, minuten % 60);
    return text;
}

namespace {

// Pads to `breite` characters (UTF-8 counted by characters), cutting longer text.
std::string Spalte(const std::string& text, std::size_t breite)
{
    std::string aus;
    std::size_t zeichen = 0;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t laenge = 1;
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0xF0) laenge = 4;
        else if (c >= 0xE0) laenge = 3;
        else if (c >= 0xC0) laenge = 2;
        if (zeichen == breite)
            break;
        aus.append(text, i, laenge);
        i += laenge;
        ++zeichen;
    }
    aus.append(breite - zeichen, ' ');
    return aus;
}

std::string Rechts(const std::string& text, std::size_t breite)
{
    return text.size() >= breite ? text : std::string(breite - text.size(), ' ') + text;
}

} // namespace

std::string Tabelle(const Ergebnis& e)
{
    return Tabelle(e, '.');
}

std::string Tabelle(const Ergebnis& e, char trenner)
{
    std::string t;
    t += "Nr  " + Spalte("Phase", 22) + Spalte("Art", 10) + Rechts("Soll", 6)
        + "   geplant: Start  Ende   Min    voraus: Start  Ende   Min   max °C  über K    kWh\n";
    for (const Phasenzeile& p : e.phasen) {
        std::string z = Rechts(std::to_string(p.phase), 2) + "  " + Spalte(p.titel, 22)
            + Spalte(p.art == "Kuehlen" ? std::string("Kühlen") : p.art, 10)
            + Rechts(Zahl(p.soll_C, 1, trenner), 6) + "            ";
        z += Rechts(Stunden_Minuten(p.geplant_start_s), 5) + " ";
        z += Rechts(p.geplant_s ? Stunden_Minuten(p.geplant_start_s + *p.geplant_s) : "-", 5) + " ";
        z += Rechts(p.geplant_s ? std::to_string(*p.geplant_s / 60) : "-", 5) + "            ";
        z += Rechts(Stunden_Minuten(p.start_s), 5) + " ";
        if (p.ausgang == Ausgang::Beendet) {
            z += Rechts(Stunden_Minuten(p.ende_s), 5) + " " + Rechts(std::to_string((p.dauer_s() + 30) / 60), 5);
            z += "   " + Rechts(Zahl(p.max_C, 1, trenner), 6) + "  " + Rechts(Zahl(p.ueberschwingen_K, 1, trenner), 6)
                + " " + Rechts(Zahl(p.energie_kWh, 2, trenner), 6);
            if (p.rufe)
                z += "  Ruf";
            if (p.warnungen)
                z += "  Heizung ohne Wirkung: " + std::to_string(p.warnungen) + "x abgeschaltet";
        } else {
            z += "  endet nie: " + p.grund;
        }
        t += z + "\n";
    }
    if (e.vollstaendig) {
        t += "Gesamt " + Stunden_Minuten(e.gesamt_s) + " h:min, " + Zahl(e.energie_kWh, 2, trenner)
            + " kWh (geplant " + Stunden_Minuten(e.geplant_s) + " h:min Rastzeit)\n";
    } else if (e.endlos) {
        const Phasenzeile& p = e.phasen[*e.endlos];
        t += "Gesamt nicht bestimmbar: Phase " + std::to_string(p.phase) + " \u201E" + p.titel + "\u201C endet nie ("
            + p.grund + ")\n";
    } else {
        t += "Gesamt nicht bestimmbar: das Programm ist nicht gelaufen\n";
    }
    return t;
}

std::string Kurve_CSV(const Ergebnis& e)
{
    std::string t = "t_s;Phase;Ist;SollAkt;Heizung\n";
    for (const Kurvenpunkt& k : e.kurve)
        t += std::to_string(k.t_s) + ";" + std::to_string(k.phase) + ";" + Festkomma(k.ist_C, 2) + ";"
            + Festkomma(k.soll_akt_C, 1) + ";" + (k.heizung ? "1" : "0") + "\n";
    return t;
}

} // namespace kw::probelauf
