#pragma once
// The controller's test bench with the brew journal attached: each tick waits for
// the journal first and hands it the tick's state afterwards, as the main screen does.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "Brauplatz.h"
#include "journal/Journal_Lesen.h"
#include "journal/Sudjournal.h"

namespace kw::test {

struct Journalordner {
    std::filesystem::path pfad;
    Journalordner()
    {
        std::string vorlage = (std::filesystem::temp_directory_path() / "kw_journal_XXXXXX").string();
        pfad = ::mkdtemp(vorlage.data());
    }
    ~Journalordner()
    {
        std::error_code f;
        std::filesystem::remove_all(pfad, f);
    }
};

// Six phases: heat to 52, rest 10 min, heat to 63, rest 30 min with a timed call
// after 20 min, heat to 72 with a call at its end, rest 15 min.
inline void Sechs_Phasen(Maischprogramm& pr)
{
    pr.Biersorte = "Märzen";
    pr.AnzPhasen = "6";
    Phase_Setzen(pr, 1, Art::Aufheizen, "52", "", "30", "60");
    Phase_Setzen(pr, 2, Art::Halten, "52", "10", "20", "40");
    Phase_Setzen(pr, 3, Art::Aufheizen, "63", "", "30", "60");
    Phase_Setzen(pr, 4, Art::Halten, "63", "30", "20", "40", Ruf::Zeit, "20", "Jodprobe machen");
    Phase_Setzen(pr, 5, Art::Aufheizen, "72", "", "30", "60", Ruf::Ende, "", "Malz zugeben; bitte \"jetzt\"");
    Phase_Setzen(pr, 6, Art::Halten, "72", "15", "20", "40");
    pr.Titel(1) = "Einmaischen";
    pr.Titel(2) = "Eiweißrast";
    pr.Titel(3) = "Aufheizen 63";
    pr.Titel(4) = "Maltoserast";
    pr.Titel(5) = "Aufheizen 72";
    pr.Titel(6) = "Verzuckerung";
}

class Journalbank : public Brauplatz {
protected:
    Journalordner ordner;
    BrauDaten daten;
    std::unique_ptr<journal::Sudjournal> j;

    explicit Journalbank(journal::Journaldatei::Optionen o = {})
    {
        a.Programmpfad = ordner.pfad.string();
        j = std::make_unique<journal::Sudjournal>(a, z, daten, [this] { return jetzt(); }, o);
        s.setzeEreignisse(j.get());
    }
    ~Journalbank() override { s.setzeEreignisse(nullptr); }

    void jtakt()
    {
        ms += 100;
        if (ms % 500 == 0)
            s.Takt_1s();
        j->vor_Tick();
        s.tick(jetzt());
        ausgabe();
        j->nach_Tick(jetzt());
    }
    void jlaufe(std::chrono::milliseconds d)
    {
        for (auto n = d.count() / 100; n > 0; --n)
            jtakt();
    }
    template <class F> bool jbis(F bed, std::chrono::milliseconds grenze = 6h)
    {
        const auto ende = ms + grenze.count();
        while (!bed()) {
            if (ms >= ende) {
                ADD_FAILURE() << "condition not reached";
                return false;
            }
            jtakt();
        }
        return true;
    }
    // Temperature follows the moving target by 1 K per 20 s in simulation.
    void heize_bis(int grad)
    {
        while (a.Sim_Temperatur < grad) {
            jlaufe(std::chrono::seconds(20));
            ++a.Sim_Temperatur;
        }
    }
    std::string datei() const { return j->pfad(); }
};

} // namespace kw::test
