#include "Kesselsimulation.h"

#include <unistd.h>

#include <filesystem>

#include <cmath>
#include <cstdio>

namespace kw::test {

namespace {
constexpr std::int64_t Beginn_ms = 1796810400000;  // 09.12.2026 10:00:00 UTC
}

void Phase_Setzen(Maischprogramm& pr, int n, const std::string& titel, Art art, const std::string& temperatur,
                  const std::string& heizzeit, Ruf ruf, const std::string& rufzeit)
{
    Cl_Phase& p = pr.Phase(n);
    p.setAufheizphase(Flagtext(art == Art::Aufheizen));
    p.setHeizphase(Flagtext(art == Art::Halten));
    p.setKuehlphase(Flagtext(art == Art::Kuehlen));
    p.setTemperatur(temperatur);
    p.setHeizzeit(art == Art::Halten ? heizzeit : "0");
    p.setRuehrimpuls("20");
    p.setRuehrpause("40");
    p.setKein_Ruf(Flagtext(ruf == Ruf::Kein));
    p.setRuf_Ende_Phase(Flagtext(ruf == Ruf::Ende));
    p.setRuf_nach_Rufzeit(Flagtext(ruf == Ruf::Zeit));
    p.setRufzeit(ruf == Ruf::Zeit ? rufzeit : "0");
    p.setRuftext(ruf == Ruf::Kein ? "" : "Ruf " + std::to_string(n));
    pr.Titel(n) = titel;
}

void Sechs_Phasen(Maischprogramm& pr)
{
    pr.Biersorte = "Märzen";
    pr.AnzPhasen = "6";
    Phase_Setzen(pr, 1, "Einmaischen", Art::Aufheizen, "52");
    Phase_Setzen(pr, 2, "Eiweißrast", Art::Halten, "52", "20");
    Phase_Setzen(pr, 3, "Aufheizen 63", Art::Aufheizen, "63");
    Phase_Setzen(pr, 4, "Maltoserast", Art::Halten, "63", "60", Ruf::Zeit, "30");
    Phase_Setzen(pr, 5, "Aufheizen 72", Art::Aufheizen, "72", "", Ruf::Ende);
    Phase_Setzen(pr, 6, "Verzuckerung", Art::Halten, "72", "60");
}

modell::Kesselparameter Testkessel()
{
    modell::Kesselparameter p;
    p.Leistung_W = 3000;
    p.Heizrate_K_min = 3000.0 / (50 * 4186.0) * 60.0;   // 0.86 K/min
    p.Verlust_1_h = 0.15;
    p.Totzeit_s = 45;
    p.Raumtemperatur_C = 20;
    return p;
}

// Three different brews on the test kettle, each with its own journal in `ordner`.
std::optional<modell::Modellstand> Gelernt_Aus_Drei_Suden(const std::string& name)
{
    namespace fs = std::filesystem;
    const fs::path ordner = fs::temp_directory_path() / (name + "_" + std::to_string(::getpid()));
    fs::create_directories(ordner);
    std::optional<modell::Modellstand> m;
    if (Drei_Sude(ordner.string(), Testkessel())) {
        BrauDaten daten;
        daten.Sudgroesse = "50";
        m = modell::Modell_Ermitteln(ordner.string(), daten);
    }
    fs::remove_all(ordner);
    return m;
}

bool Drei_Sude(const std::string& ordner, const modell::Kesselparameter& wahr)
{
    bool fertig = true;
    {
        Kesselsimulation k(wahr, 45.0, 1, ordner);
        Sechs_Phasen(k.a.Programm);
        k.daten.Sudgroesse = "50";
        k.antwort_s = 60;
        fertig = k.brauen(6 * 3600) > 0 && fertig;
    }
    {
        Kesselsimulation k(wahr, 50.0, 2, ordner);
        Maischprogramm& pr = k.a.Programm;
        pr.Biersorte = "Weizen";
        pr.AnzPhasen = "4";
        Phase_Setzen(pr, 1, "Einmaischen", Art::Aufheizen, "64");
        Phase_Setzen(pr, 2, "Rast", Art::Halten, "64", "45", Ruf::Zeit, "20");
        Phase_Setzen(pr, 3, "Aufheizen", Art::Aufheizen, "73");
        Phase_Setzen(pr, 4, "Rast 73", Art::Halten, "73", "40", Ruf::Ende);
        k.antwort_s = 40;
        fertig = k.brauen(6 * 3600) > 0 && fertig;
    }
    {
        Kesselsimulation k(wahr, 38.0, 3, ordner);
        Maischprogramm& pr = k.a.Programm;
        pr.Biersorte = "Dunkel";
        pr.AnzPhasen = "5";
        Phase_Setzen(pr, 1, "Einmaischen", Art::Aufheizen, "55");
        Phase_Setzen(pr, 2, "Rast 55", Art::Halten, "55", "15");
        Phase_Setzen(pr, 3, "Aufheizen", Art::Aufheizen, "66", "", Ruf::Ende);
        Phase_Setzen(pr, 4, "Rast 66", Art::Halten, "66", "50");
        Phase_Setzen(pr, 5, "Abkühlen", Art::Kuehlen, "64");
        k.antwort_s = 90;
        fertig = k.brauen(6 * 3600) > 0 && fertig;
    }
    return fertig;
}

Kesselsimulation::Kesselsimulation(const modell::Kesselparameter& wahr, double start_C, unsigned saat,
                                   const std::string& programmpfad)
    : kessel(wahr, start_C, Beginn_ms), zufall(saat), ms(Beginn_ms)
{
    s.laden(jetzt());
    a.Programmpfad = programmpfad;
    if (!programmpfad.empty()) {
        journal::Journaldatei::Optionen o;
        o.synchronisieren = false;
        j = std::make_unique<journal::Sudjournal>(a, z, daten, [this] { return jetzt(); }, o);
        s.setzeEreignisse(j.get());
    }
    // The first tick: configuration shown, readings from now on.
    takt();
}

Kesselsimulation::~Kesselsimulation() { s.setzeEreignisse(nullptr); }

void Kesselsimulation::takt()
{
    ms += 100;
    if (ms % 500 == 0)
        s.Takt_1s();
    kessel.fortschreiben(ms);
    if (ms >= naechste_messung) {
        naechste_messung = ms + 3000;
        std::uniform_real_distribution<double> rauschen(-rauschen_K, rauschen_K);
        const double gemessen = std::round((kessel.Temperatur_C() + rauschen(zufall)) / 0.0625) * 0.0625;
        char text[32];
        std::snprintf(text, sizeof text, "%.2f", gemessen);
        a.Temperaturwert = text;
        a.Messzeitpunkt = jetzt();
    }
    if (j)
        j->vor_Tick();
    s.tick(jetzt());
    a.Aus_Ruehrwerk = a.Ruehrwerk_Ein;
    kessel.Heizung(a.Aus_Heizung != 0);
    if (j)
        j->nach_Tick(jetzt());

    // The brewer.
    const auto antwort = static_cast<std::int64_t>(antwort_s * 1000);
    if (a.Ruf_Aktiv) {
        if (ruf_seit < 0)
            ruf_seit = ms;
        else if (ms - ruf_seit >= antwort) {
            s.QUITTIEREN();
            ruf_seit = -1;
        }
    }
    if (a.Sensor_Alarm) {
        if (warnung_seit < 0)
            warnung_seit = ms;
        else if (ms - warnung_seit >= antwort) {
            s.WarnungDS1820_OK();
            warnung_seit = -1;
        }
    }
    if (nach_takt)
        nach_takt(jetzt());
}

long Kesselsimulation::brauen(long grenze_s)
{
    s.START_BRAUEN();
    const std::int64_t start = ms;
    const std::int64_t ende = ms + static_cast<std::int64_t>(grenze_s) * 1000;
    takt();
    while (a.Brauen_Gestartet && ms < ende)
        takt();
    if (a.Brauen_Gestartet)
        return -1;
    takt();   // the journal's end record
    if (j)
        j->synchronisieren();
    return static_cast<long>((ms - 100 - start) / 1000);
}

void Kesselsimulation::stoppen()
{
    s.STOP_BRAUEN();
    takt();
    if (j)
        j->synchronisieren();
}

} // namespace kw::test
