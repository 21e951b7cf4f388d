#pragma once
// A whole brew of six phases with two calls and a pause, run on a fake clock
// with the journal attached; used by the journal tests and the report test.

#include <chrono>
#include <functional>
#include <string>

#include "core/Steuerung.h"
#include "journal/Sudjournal.h"

namespace kw::test {

struct Beispielsud {
    struct Stumm : Meldungen, Fenster {
        void zeige(int) override {}
        void Braumeisterruf_Zeigen(const std::string&) override {}
        void Braumeisterruf_Verbergen() override {}
        void Konfiguration_Laden_Und_Zeigen() override {}
        void WarnungDS1820_Zeigen() override {}
    };

    Anlage a;
    Anzeige z;
    Stumm stumm;
    Steuerung s{a, z, stumm, stumm};
    BrauDaten daten;
    journal::Sudjournal j;
    std::int64_t ms;
    long takte = 0;
    // Called in every tick: after the wait for the journal (0) and at its end (1).
    std::function<void(long takt, int wo)> haken;

    static constexpr std::int64_t Beginn_ms = 1796810400000;  // 09.12.2026 10:00:00 UTC

    explicit Beispielsud(const std::string& programmpfad, journal::Journaldatei::Optionen o = {})
        : j(a, z, daten, [this] { return jetzt(); }, o), ms(Beginn_ms)
    {
        s.laden(jetzt());
        a.Programmpfad = programmpfad;
        s.setzeEreignisse(&j);
    }
    ~Beispielsud() { s.setzeEreignisse(nullptr); }

    Zeitpunkt jetzt() const { return Zeitpunkt{std::chrono::seconds{ms / 1000}}; }

    void takt()
    {
        ms += 100;
        if (ms % 500 == 0)
            s.Takt_1s();
        ++takte;
        j.vor_Tick();
        if (haken)
            haken(takte, 0);
        s.tick(jetzt());
        a.Aus_Ruehrwerk = a.Ruehrwerk_Ein;
        j.nach_Tick(jetzt());
        if (haken)
            haken(takte, 1);
    }
    void laufe(std::chrono::seconds d)
    {
        for (auto n = d.count() * 10; n > 0; --n)
            takt();
    }
    template <class F> void bis(F bed)
    {
        for (long n = 0; !bed() && n < 10L * 3600 * 10; ++n)
            takt();
    }
    // Heats in simulation: 1 K every 20 s up to `grad`.
    void heize_bis(int grad)
    {
        while (a.Sim_Temperatur < grad) {
            laufe(std::chrono::seconds(20));
            ++a.Sim_Temperatur;
        }
    }

    // The six phases and the brew data of the example.
    static void Programm(Maischprogramm& pr, BrauDaten& daten)
    {
        pr.Biersorte = "Märzen";
        pr.AnzPhasen = "6";
        auto phase = [&](int n, const char* titel, bool halten, const char* temp, const char* zeit,
                         int ruf, const char* rufzeit, const char* ruftext) {
            Cl_Phase& p = pr.Phase(n);
            p.setAufheizphase(Flagtext(!halten));
            p.setHeizphase(Flagtext(halten));
            p.setKuehlphase(Flagtext(false));
            p.setTemperatur(temp);
            p.setHeizzeit(zeit);
            p.setRuehrimpuls("20");
            p.setRuehrpause("40");
            p.setKein_Ruf(Flagtext(ruf == 0));
            p.setRuf_Ende_Phase(Flagtext(ruf == 1));
            p.setRuf_nach_Rufzeit(Flagtext(ruf == 2));
            p.setRufzeit(rufzeit);
            p.setRuftext(ruftext);
            pr.Titel(n) = titel;
        };
        phase(1, "Einmaischen", false, "52", "", 0, "", "");
        phase(2, "Eiweißrast", true, "52", "10", 0, "", "");
        phase(3, "Aufheizen 63", false, "63", "", 0, "", "");
        phase(4, "Maltoserast", true, "63", "30", 2, "20", "Jodprobe machen");
        phase(5, "Aufheizen 72", false, "72", "", 1, "", "Malz zugeben; bitte \"jetzt\"");
        phase(6, "Verzuckerung", true, "72", "15", 0, "", "");
        daten.Sudgroesse = "50";
        daten.Hauptguss = "35";
        daten.Malzsorte1 = "Pilsner Malz";
        daten.Malzmenge1 = "9,5";
        daten.SudNotizen = "Probesud";
    }

    // The whole brew; returns the journal's path.
    std::string brauen()
    {
        using namespace std::chrono_literals;
        Programm(a.Programm, daten);
        s.Switch1();           // simulation
        a.Sim_Temperatur = 45;
        takt();
        s.START_BRAUEN();
        bis([&] { return a.Ablaufschritt == 3; });
        heize_bis(52);                                        // phase 1 ends
        bis([&] { return a.Akt_Phase == 2 && a.Ablaufschritt == 3; });
        laufe(3min);
        s.PAUSE_BRAUEN();                                     // pause of 2 min in phase 2
        laufe(2min);
        s.START_BRAUEN();
        bis([&] { return a.Akt_Phase == 3 && a.Ablaufschritt == 3; });
        heize_bis(63);
        bis([&] { return a.Akt_Phase == 4 && a.Ablaufschritt == 3; });
        bis([&] { return a.Ruf_Aktiv; });                     // timed call after 20 min
        laufe(30s);
        s.Braumeisterruf_Signal_Aus();
        laufe(15s);
        s.QUITTIEREN();
        s.SollRauf();                                         // 63.1
        s.ZeitRauf();                                         // +5 min
        bis([&] { return a.Akt_Phase == 5 && a.Ablaufschritt == 3; });
        heize_bis(72);
        bis([&] { return a.Ruf_Aktiv; });                     // call at the end of phase 5
        laufe(42s);
        s.QUITTIEREN();
        bis([&] { return a.Akt_Phase == 6 && a.Ablaufschritt == 3; });
        s.Option_Gradient();
        bis([&] { return !a.Brauen_Gestartet; });             // FERTIG
        takt();
        return j.pfad();
    }
};

} // namespace kw::test
