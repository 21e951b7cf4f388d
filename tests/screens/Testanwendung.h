#pragma once
// The program as the screen tests run it: a settable clock, recording relay
// devices and a process starter that starts nothing.

#include "hardware/Ausgangsbyte.h"
#include "hardware/Prozessstarter.h"
#include "screens/Anwendung.h"
#include "screens/Grundbild.h"
#include "screens/Uhr.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kw::test {

class Aufzeichnungsgeraet final : public Ausgabegeraet {
public:
    bool oeffnen() override { offen = true; return true; }
    void schreibe(std::uint8_t byte) override { bytes.push_back(byte); }
    void schliessen() override { offen = false; }
    bool istOffen() const override { return offen; }
    std::uint8_t letztes() const { return bytes.empty() ? 0xEE : bytes.back(); }

    bool offen = false;
    std::vector<std::uint8_t> bytes;
};

class Aufzeichnungsquelle final : public Geraetequelle {
public:
    std::unique_ptr<Ausgabegeraet> parallelport(std::uint16_t adresse) override
    {
        adressen.push_back(adresse);
        auto g = std::make_unique<Weiterleitung>(lpt);
        return g;
    }
    Ausgabegeraet& iowarrior() override { return usb; }

    Aufzeichnungsgeraet lpt;   // every parallel port writes here
    Aufzeichnungsgeraet usb;
    std::vector<std::uint16_t> adressen;

private:
    struct Weiterleitung final : Ausgabegeraet {
        explicit Weiterleitung(Aufzeichnungsgeraet& z) : ziel(z) {}
        bool oeffnen() override { return ziel.oeffnen(); }
        void schreibe(std::uint8_t b) override { ziel.schreibe(b); }
        void schliessen() override { ziel.schliessen(); }
        bool istOffen() const override { return ziel.istOffen(); }
        Aufzeichnungsgeraet& ziel;
    };
};

class Leerstarter final : public Prozessstarter {
public:
    bool start(const std::string& programm, const std::vector<std::string>& argumente,
               const std::string&) override
    {
        aufrufe.push_back(programm);
        for (const auto& a : argumente)
            aufrufe.back() += " " + a;
        return true;
    }
    bool isRunning() override { return false; }
    void kill() override {}
    std::vector<std::string> aufrufe;
};

// 08.12.2026 10:00:00 UTC
inline constexpr std::chrono::sys_seconds Startzeit{std::chrono::seconds{1796724000}};

struct Testumgebung {
    Stelluhr uhr{Startzeit};
    Aufzeichnungsquelle geraete;
    Leerstarter starter;
    std::string ordner;
    std::unique_ptr<Anwendung> app;

    explicit Testumgebung(std::string programmordner = "/tmp")
        : ordner(std::move(programmordner))
    {
        Anwendung::Teile t;
        t.uhr = &uhr;
        t.geraete = &geraete;
        t.starter = &starter;
        t.Programmpfad = ordner;
        app = std::make_unique<Anwendung>(t);
    }

    // Texts of the message boxes now open; closes them.
    std::vector<std::string> meldungen_abholen()
    {
        std::vector<std::string> r;
        for (QMessageBox* b : app->meldungsanzeige().offene())
            r.push_back(b->text().toStdString());
        app->meldungsanzeige().alleSchliessen();
        QApplication::processEvents();
        return r;
    }
};

// The main screen's four timers as they run, one 100 ms step at a time; the
// clock moves on every tenth step.
struct Zeittakt {
    int zehntel = 0;   // 100 ms steps within the current second
    void schritt(Grundbild& g, Stelluhr& uhr)
    {
        if (zehntel % 5 == 0)
            g.Takt_1s_Timer();
        g.Timer1_Timer();
        g.Timer2_Timer();
        if (++zehntel == 10) {
            zehntel = 0;
            uhr.vor(std::chrono::seconds(1));
        }
    }
    void laufe(Grundbild& g, Stelluhr& uhr, std::chrono::seconds s)
    {
        for (long i = 0; i < s.count() * 10; ++i)
            schritt(g, uhr);
    }
};

// What a shell command prints (a tool such as pdftotext).
inline std::string Ausfuehren(const std::string& befehl)
{
    std::string aus;
    if (FILE* p = ::popen(befehl.c_str(), "r")) {
        char puffer[4096];
        for (std::size_t n; (n = std::fread(puffer, 1, sizeof puffer, p)) > 0;)
            aus.append(puffer, n);
        ::pclose(p);
    }
    return aus;
}

inline bool Werkzeug_Da(const char* name)
{
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

} // namespace kw::test
