#pragma once
// A simulated kettle with known parameters under the real controller: the true
// temperature follows the kettle model, the sensor adds uniform noise of +-0.1 K
// (fixed seed) and rounds to the DS1820's 0.0625 K steps, and a reading arrives
// every 3 s as DigiTemp's would. The simulated brewer answers every call after a
// set time. Optionally the real brew journal records the brew, as in the program.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "aids/BrauDaten.h"
#include "core/Steuerung.h"
#include "journal/Sudjournal.h"
#include "model/Kesselmodell.h"
#include "model/Modellwissen.h"

namespace kw::test {

// Kinds and calls of a phase for Phase_Setzen.
enum class Art { Aufheizen, Halten, Kuehlen };
enum class Ruf { Kein, Ende, Zeit };

void Phase_Setzen(Maischprogramm& pr, int n, const std::string& titel, Art art, const std::string& temperatur,
                  const std::string& heizzeit = "", Ruf ruf = Ruf::Kein, const std::string& rufzeit = "");

// Six phases of about three hours on the test kettle from 45 °C: heat to 52, rest
// 20 min, heat to 63, rest 60 min with a call after 30 min, heat to 72 with a call
// at its end, rest 60 min.
void Sechs_Phasen(Maischprogramm& pr);

// The test kettle: 50 l, 3 kW, loss 0.15/h to a room of 20 °C, 45 s dead time.
modell::Kesselparameter Testkessel();

// Three different brews (answer times 60, 40 and 90 s; starts at 45, 50 and 38 °C),
// each with its own journal in `ordner`/Sude. True when all three reached FERTIG.
bool Drei_Sude(const std::string& ordner, const modell::Kesselparameter& wahr);

// The model learned from the three brews of the test kettle, in a folder of its own
// (`name` and the process id under the temporary folder, removed afterwards);
// batch size 50 l. nullopt when a brew did not reach FERTIG.
std::optional<modell::Modellstand> Gelernt_Aus_Drei_Suden(const std::string& name);

class Kesselsimulation : Meldungen, Fenster {
public:
    // `programmpfad` not empty: a journal is written into <programmpfad>/Sude.
    Kesselsimulation(const modell::Kesselparameter& wahr, double start_C, unsigned saat,
                     const std::string& programmpfad = {});
    ~Kesselsimulation() override;

    Anlage a;
    Anzeige z;
    BrauDaten daten;
    double antwort_s = 60;          // the brewer's answer to a call and to the sensor warning
    double rauschen_K = 0.1;        // +- uniform
    int meldungen = 0;              // messages the controller showed
    int warnungen = 0;              // sensor warnings
    // Called after every tick with the simulated time (an observer of the brew).
    std::function<void(Zeitpunkt)> nach_takt;

    // START; runs until FERTIG or `grenze_s` simulated seconds; returns the
    // seconds from START to FERTIG (or -1 when it did not end).
    long brauen(long grenze_s);
    // STOP_BRAUEN and one more tick (the journal's end record).
    void stoppen();
    double Temperatur_C() const { return kessel.Temperatur_C(); }
    double Energie_kWh() const { return kessel.Energie_kWh(); }
    std::string journal() const { return j ? j->pfad() : std::string(); }
    Steuerung& steuerung() { return s; }

private:
    void zeige(int) override { ++meldungen; }
    void Braumeisterruf_Zeigen(const std::string&) override {}
    void Braumeisterruf_Verbergen() override {}
    void WarnungDS1820_Zeigen() override { ++warnungen; }
    void Konfiguration_Laden_Und_Zeigen() override {}
    void takt();
    Zeitpunkt jetzt() const { return Zeitpunkt{std::chrono::seconds{ms / 1000}}; }

    Steuerung s{a, z, *this, *this};
    modell::Kesselmodell kessel;
    std::mt19937 zufall;
    std::unique_ptr<journal::Sudjournal> j;
    std::int64_t ms;
    std::int64_t naechste_messung = 0;
    std::int64_t ruf_seit = -1, warnung_seit = -1;
};

} // namespace kw::test
