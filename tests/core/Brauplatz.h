#pragma once
// Test bench for the controller: state, display, recorders and a fake clock in
// milliseconds. One call of takt() is one 100 ms timer tick; every 500 ms the
// blink clock runs first, as the screen's timers would. The milliseconds are the
// monotonic count; the wall clock is it plus uhr_versatz, which uhr_verstellen steps.

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <string>
#include <vector>

#include "core/Steuerung.h"

namespace kw::test {

using namespace std::chrono_literals;

// Fails the test on any message it was not told to expect.
class Meldungsschreiber : public Meldungen {
public:
    std::set<int> erwartet;
    std::vector<int> erhalten;
    void zeige(int nr) override
    {
        erhalten.push_back(nr);
        if (!erwartet.count(nr))
            ADD_FAILURE() << "unexpected Meldung " << nr;
    }
};

class Fensterschreiber : public Fenster {
public:
    std::vector<std::string> rufe;
    bool ruf_sichtbar = false;
    int verborgen = 0;
    int konfiguration = 0;
    int warnungen = 0;
    void WarnungDS1820_Zeigen() override { ++warnungen; }
    void Braumeisterruf_Zeigen(const std::string& text) override
    {
        rufe.push_back(text);
        ruf_sichtbar = true;
    }
    void Braumeisterruf_Verbergen() override
    {
        ++verborgen;
        ruf_sichtbar = false;
    }
    void Konfiguration_Laden_Und_Zeigen() override { ++konfiguration; }
};

// Kinds and calls for Phase_Setzen.
enum class Art { Aufheizen, Halten, Kuehlen };
enum class Ruf { Kein, Ende, Zeit };

inline void Phase_Setzen(Maischprogramm& pr, int n, Art art, std::string temperatur,
                         std::string heizzeit, std::string impuls, std::string pause,
                         Ruf ruf = Ruf::Kein, std::string rufzeit = "", std::string ruftext = "")
{
    Cl_Phase& p = pr.Phase(n);
    p.setAufheizphase(Flagtext(art == Art::Aufheizen));
    p.setHeizphase(Flagtext(art == Art::Halten));
    p.setKuehlphase(Flagtext(art == Art::Kuehlen));
    p.setTemperatur(std::move(temperatur));
    p.setHeizzeit(std::move(heizzeit));
    p.setRuehrimpuls(std::move(impuls));
    p.setRuehrpause(std::move(pause));
    p.setKein_Ruf(Flagtext(ruf == Ruf::Kein));
    p.setRuf_Ende_Phase(Flagtext(ruf == Ruf::Ende));
    p.setRuf_nach_Rufzeit(Flagtext(ruf == Ruf::Zeit));
    p.setRufzeit(std::move(rufzeit));
    p.setRuftext(std::move(ruftext));
    pr.Titel(n) = "Phase " + std::to_string(n);
}

class Brauplatz : public ::testing::Test {
protected:
    Anlage a;
    Anzeige z;
    Meldungsschreiber m;
    Fensterschreiber f;
    Steuerung s{a, z, m, f};

    // 08.12.2026 14:00:00 UTC
    static constexpr std::int64_t beginn_ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(
            (std::chrono::sys_days{std::chrono::year{2026} / 12 / 8} + 14h).time_since_epoch())
            .count();
    std::int64_t ms = beginn_ms;

    // Stirrer switch-on delay of the output stage (1 s), as the caller does it.
    bool ruehrwerk_vorher = false;
    Zeitpunkt ruehrwerk_ein{};

    // A live sensor: before every tick the text in a.Temperaturwert arrives as a fresh reading, as
    // DigiTemp's would every 3 s (an empty text and the power-on value are no readings). Tests of a
    // silent sensor switch it off and set a.Messzeitpunkt themselves.
    bool sensor_lebt = true;

    std::chrono::seconds uhr_versatz{};

    Brauplatz() { s.laden(uhrzeit(), lauf()); }

    void sensor()
    {
        if (sensor_lebt && !a.Temperaturwert.empty() && a.Temperaturwert != "85.00")
            a.Messzeitpunkt = jetzt();
    }

    Zeitpunkt jetzt() const
    {
        return Zeitpunkt{std::chrono::seconds{ms / 1000}};
    }
    Laufzeitpunkt lauf() const { return Laufzeitpunkt{jetzt().time_since_epoch()}; }
    Zeitpunkt uhrzeit() const { return jetzt() + uhr_versatz; }
    // A step of the wall clock alone (time synchronisation, a change by hand).
    void uhr_verstellen(std::chrono::seconds schritt) { uhr_versatz += schritt; }
    // Whole seconds since the bench started.
    long sek() const { return static_cast<long>((ms - beginn_ms) / 1000); }

    void ausgabe()
    {
        if (a.Ruehrwerk_Ein) {
            if (!ruehrwerk_vorher) {
                ruehrwerk_vorher = true;
                ruehrwerk_ein = jetzt() + 1s;
            }
            a.Aus_Ruehrwerk = jetzt() >= ruehrwerk_ein ? 1 : 0;
        } else {
            ruehrwerk_vorher = false;
            a.Aus_Ruehrwerk = 0;
        }
    }

    void takt()
    {
        ms += 100;
        if (ms % 500 == 0)
            s.Takt_1s();
        sensor();
        s.tick(uhrzeit(), lauf());
        ausgabe();
    }

    void laufe(std::chrono::milliseconds d)
    {
        for (auto n = d.count() / 100; n > 0; --n)
            takt();
    }

    // Ticks until the clock shows whole second `t` since the bench started (first tick of that second).
    void bis_sekunde(long t)
    {
        while (sek() < t || ms % 1000 != 0)
            takt();
    }

    // Long stretches: one tick per second (each second still gets a tick) up to
    // the first tick of second `t`.
    void sekundenweise_bis(long t)
    {
        bis_sekunde(sek());
        while (sek() < t) {
            ms += 1000;
            s.Takt_1s();
            s.Takt_1s();
            sensor();
            s.tick(uhrzeit(), lauf());
            ausgabe();
        }
    }

    // Ticks until the last tick was the tenth of a second, so the next ten form one whole second.
    void bis_sekundenende()
    {
        while (ms % 1000 != 900)
            takt();
    }

    // Ticks until `bed` holds; fails after `grenze`.
    template <class F>
    bool bis(F bed, std::chrono::milliseconds grenze = 24h)
    {
        const auto ende = ms + grenze.count();
        while (!bed()) {
            if (ms >= ende) {
                ADD_FAILURE() << "condition not reached";
                return false;
            }
            takt();
        }
        return true;
    }

    // A program of phase 1 alone.
    void ein_phasen_programm(Art art, std::string temperatur, std::string heizzeit, std::string impuls,
                             std::string pause, Ruf ruf = Ruf::Kein, std::string rufzeit = "",
                             std::string ruftext = "")
    {
        a.Programm.AnzPhasen = "1";
        Phase_Setzen(a.Programm, 1, art, std::move(temperatur), std::move(heizzeit), std::move(impuls),
                     std::move(pause), ruf, std::move(rufzeit), std::move(ruftext));
    }

    // First tick done (configuration shown), simulation on at `grad`.
    void simulation(int grad)
    {
        if (!a.Simulation)
            s.Switch1();
        a.Sim_Temperatur = grad;
    }

    // START and tick into step 3 of the first phase; returns the second of the phase start.
    long starten()
    {
        s.START_BRAUEN();
        bis([&] { return a.Ablaufschritt == 3; }, 10s);
        return sek();
    }
};

} // namespace kw::test
