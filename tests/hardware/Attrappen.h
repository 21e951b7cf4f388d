#pragma once
// Recording stand-ins for the hardware tests.

#include "hardware/Ausgangsbyte.h"
#include "hardware/Prozessstarter.h"
#include "hardware/Systemaufrufe.h"
#include "hardware/Temperaturerfassung.h"
#include "hardware/Treibermeldungen.h"
#include "hardware/iowarrior_ioctl.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kw::test {

struct Meldungsrecorder : Treibermeldungen {
    std::vector<std::pair<int, std::string>> meldungen;
    std::vector<std::string> hinweise;
    int alarme = 0;
    void meldung(int nummer, const std::string& titel) override { meldungen.emplace_back(nummer, titel); }
    void hinweis(const std::string& text) override { hinweise.push_back(text); }
    void zeigeAlarmUSB() override { ++alarme; }
};

struct Fensterrecorder : Temperaturfenster {
    int warnungen = 0;
    int verborgen = 0;
    void zeigeWarnungDS1820() override { ++warnungen; }
    void verbergeHardwareConf() override { ++verborgen; }
};

// Output device that writes what happens to it into a shared protocol ("LPT378 81", "IOW aus", ...).
struct Fakegeraet : Ausgabegeraet {
    Fakegeraet(std::string name, std::vector<std::string>& protokoll) : name(std::move(name)), protokoll(protokoll) {}
    ~Fakegeraet() override { protokoll.push_back(name + " weg"); }
    bool oeffnen() override
    {
        protokoll.push_back(name + " oeffnen");
        offen = oeffnenGelingt;
        return offen;
    }
    void schreibe(std::uint8_t byte) override
    {
        if (offen && !gesperrt)
            protokoll.push_back(name + " " + std::to_string(byte));
    }
    void schliessen() override
    {
        protokoll.push_back(name + " schliessen");
        offen = false;
    }
    bool istOffen() const override { return offen; }
    void allesAus() override { protokoll.push_back(name + " aus"); }
    bool alarm() const override { return gesperrt; }
    void alarmLoeschen() override { gesperrt = false; }

    std::string name;
    std::vector<std::string>& protokoll;
    bool offen = false;
    bool oeffnenGelingt = true;
    bool gesperrt = false;
};

struct Fakequelle : Geraetequelle {
    std::vector<std::string> protokoll;
    bool parallelOeffnenGelingt = true;
    Fakegeraet iow{"IOW", protokoll};
    std::unique_ptr<Ausgabegeraet> parallelport(std::uint16_t adresse) override
    {
        char name[16];
        std::snprintf(name, sizeof name, "LPT%X", adresse);
        auto g = std::make_unique<Fakegeraet>(name, protokoll);
        g->oeffnenGelingt = parallelOeffnenGelingt;
        return g;
    }
    Ausgabegeraet& iowarrior() override { return iow; }
    std::vector<std::string> abholen()
    {
        auto p = std::move(protokoll);
        protokoll.clear();
        return p;
    }
};

// System calls against a made-up machine: proc entries, device nodes, IO-Warrior chips.
struct Fakesystem {
    struct Aufruf {
        std::string art; // "open", "ioctl", "write", "close"
        std::string pfad;
        unsigned long anfrage = 0;
        std::vector<std::uint8_t> daten;
    };
    std::vector<Aufruf> aufrufe;
    std::map<std::string, std::vector<std::string>> verzeichnisse;
    std::map<std::string, std::string> dateien;
    std::map<std::string, int> oeffnenFehler;        // path -> errno
    std::map<std::string, iowarrior_info> chips;     // node path -> what IOW_GETINFO answers
    std::map<int, std::string> offen;                // fd -> path
    std::map<int, bool> beansprucht;                 // fd -> PPCLAIM done
    int claimFehler = 0;
    bool infoFehler = false;
    long schreibGrenze = -1; // write() returns at most this many bytes; -1 = all
    int schreibFehler = 0;   // errno for write(), 0 = none
    int ungeclaimteDaten = 0; // PPWDATA without PPCLAIM (ppdev answers EINVAL)
    int naechstesFd = 10;

    Systemaufrufe tabelle();
    std::vector<std::string> arten() const; // "open /dev/parport0", "PPCLAIM", "PPWDATA 81", ...
    std::vector<std::vector<std::uint8_t>> schreibdaten() const;
};

// Process stand-in: the test decides when "the process" ends.
struct Fakestarter : Prozessstarter {
    struct Start {
        std::string programm;
        std::vector<std::string> argumente;
        std::string verzeichnis;
    };
    std::vector<Start> starts;
    bool laeuft = false;
    bool endetSofort = true; // the run is over before the next tick
    bool startGelingt = true;
    int kills = 0;
    bool killBeendet = true;
    std::function<void(const Start&)> beimStart; // e.g. append to the log like the tool would

    bool start(const std::string& p, const std::vector<std::string>& a, const std::string& v) override
    {
        if (laeuft || !startGelingt)
            return false;
        starts.push_back({p, a, v});
        if (beimStart)
            beimStart(starts.back());
        laeuft = !endetSofort;
        return true;
    }
    bool isRunning() override { return laeuft; }
    void kill() override
    {
        ++kills;
        if (killBeendet)
            laeuft = false;
    }
};

} // namespace kw::test
