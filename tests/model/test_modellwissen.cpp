// Learning the kettle from brew journals: three simulated brews written by the real
// journal on the simulated kettle, a broken element, answer times, the settings.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Kesselsimulation.h"
#include "model/Modellwissen.h"
#include "program/Zusatzdatei.h"

namespace kw::modell {
namespace {

namespace fs = std::filesystem;
using test::Art;
using test::Ruf;

struct Ordner {
    fs::path pfad;
    Ordner()
    {
        std::string vorlage = (fs::temp_directory_path() / "kw_modell_XXXXXX").string();
        pfad = ::mkdtemp(vorlage.data());
    }
    ~Ordner()
    {
        std::error_code f;
        fs::remove_all(pfad, f);
    }
    std::string str() const { return pfad.string(); }
};

// A brew whose element is broken: the controller heats, the temperature only falls.
void Defekter_Sud(const std::string& ordner)
{
    Kesselparameter kaputt = test::Testkessel();
    kaputt.Heizrate_K_min = 0;
    test::Kesselsimulation k(kaputt, 45.0, 4, ordner);
    test::Sechs_Phasen(k.a.Programm);
    k.a.Programm.Biersorte = "Kaputt";
    EXPECT_EQ(k.brauen(40 * 60), -1);
    EXPECT_GE(k.warnungen, 1);   // the controller's own check saw it too
    k.stoppen();
}

std::vector<journal::Journalinhalt> Journale(const std::string& ordner, std::vector<std::string>& namen)
{
    std::vector<journal::Journalinhalt> j;
    for (const auto& e : fs::directory_iterator(fs::path(ordner) / "Sude")) {
        namen.push_back(e.path().filename().string());
        j.push_back(journal::Journal_Lesen(e.path().string()));
        EXPECT_TRUE(j.back().gelesen) << e.path();
    }
    return j;
}

class Gelernt : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ordner = new Ordner;
        EXPECT_TRUE(test::Drei_Sude(ordner->str(), test::Testkessel()));
    }
    static void TearDownTestSuite()
    {
        delete ordner;
        ordner = nullptr;
    }
    static Ordner* ordner;
};
Ordner* Gelernt::ordner = nullptr;

TEST_F(Gelernt, DreiSudeGebenDieWahrenParameterAufZehnProzent)
{
    std::vector<std::string> namen;
    const auto journale = Journale(ordner->str(), namen);
    ASSERT_EQ(journale.size(), 3u);
    const Kesselparameter wahr = test::Testkessel();
    const Modellstand m = Lernen(journale, namen, Standardparameter(50, 3000, 20));
    ASSERT_EQ(m.herkunft, Modellstand::Herkunft::Gelernt) << m.hinweis;
    EXPECT_EQ(m.sude, 3);
    EXPECT_NEAR(m.p.Heizrate_K_min, wahr.Heizrate_K_min, 0.1 * wahr.Heizrate_K_min);
    EXPECT_NEAR(m.p.Verlust_1_h, wahr.Verlust_1_h, 0.1 * wahr.Verlust_1_h);
    EXPECT_NEAR(m.p.Totzeit_s, wahr.Totzeit_s, 0.1 * wahr.Totzeit_s);
    // The free-running model stays within the sensor's noise and the journal's 0.1 K.
    EXPECT_LT(m.rms_K, 0.3);
    EXPECT_LT(m.max_K, 1.0);
    EXPECT_GT(m.max_K, 0.0);
    std::printf("learned: rate %.4f K/min (true %.4f), loss %.4f 1/h (%.4f), dead time %.1f s (%.1f); "
                "RMS %.3f K, max %.3f K\n",
                m.p.Heizrate_K_min, wahr.Heizrate_K_min, m.p.Verlust_1_h, wahr.Verlust_1_h, m.p.Totzeit_s,
                wahr.Totzeit_s, m.rms_K, m.max_K);

    // Answer times 60 60 | 40 40 | 90 (every call of the three brews): median 60 s.
    EXPECT_EQ(m.rufe, 5);
    EXPECT_NEAR(m.antwortzeit_s, 60, 1);
    // The brewer's usual start: the middle one of 45, 50, 38.
    ASSERT_TRUE(m.start_C);
    EXPECT_NEAR(*m.start_C, 45, 0.5);
}

TEST_F(Gelernt, EinDefektesHeizelementWirdAbgelehntDieAnderenZaehlen)
{
    Ordner kopie;
    fs::copy(ordner->pfad, kopie.pfad, fs::copy_options::recursive);
    Defekter_Sud(kopie.str());
    std::vector<std::string> namen;
    const auto journale = Journale(kopie.str(), namen);
    ASSERT_EQ(journale.size(), 4u);

    const Modellstand m = Lernen(journale, namen, Standardparameter(50, 3000, 20));
    ASSERT_EQ(m.herkunft, Modellstand::Herkunft::Gelernt);
    EXPECT_EQ(m.sude, 3);
    int abgelehnt = 0;
    for (const Journalbefund& b : m.befunde) {
        if (b.verwendet)
            continue;
        ++abgelehnt;
        EXPECT_NE(b.datei.find("Kaputt"), std::string::npos) << b.datei;
        EXPECT_NE(b.grund.find("nie erhöht"), std::string::npos) << b.grund;
        EXPECT_LT(b.anstieg_K, Mindest_Heizanstieg_K);
        EXPECT_GE(b.heizdauer_s, 20 * 60);
    }
    EXPECT_EQ(abgelehnt, 1);
    EXPECT_NEAR(m.p.Heizrate_K_min, test::Testkessel().Heizrate_K_min, 0.1 * test::Testkessel().Heizrate_K_min);

    // The broken one alone gives no model: the defaults stay, with the reason.
    std::vector<journal::Journalinhalt> nur;
    std::vector<std::string> nur_namen;
    for (std::size_t i = 0; i < journale.size(); ++i)
        if (namen[i].find("Kaputt") != std::string::npos) {
            nur.push_back(journale[i]);
            nur_namen.push_back(namen[i]);
        }
    const Kesselparameter vorgabe = Standardparameter(50, 3000, 20);
    const Modellstand allein = Lernen(nur, nur_namen, vorgabe);
    EXPECT_EQ(allein.herkunft, Modellstand::Herkunft::Standard);
    EXPECT_FALSE(allein.hinweis.empty());
    EXPECT_EQ(allein.p.Heizrate_K_min, vorgabe.Heizrate_K_min);

    // Saved with the learned values, read back without a journal: the refused one is named.
    ASSERT_TRUE(Modell_Speichern(kopie.str(), m));
    const Modellstand gespeichert = Modell_Gespeichert(kopie.str(), BrauDaten{});
    EXPECT_EQ(gespeichert.herkunft, Modellstand::Herkunft::Gelernt);
    EXPECT_EQ(gespeichert.sude, 3);
    EXPECT_NEAR(gespeichert.p.Heizrate_K_min, m.p.Heizrate_K_min, 1e-4);
    EXPECT_NEAR(gespeichert.p.Totzeit_s, m.p.Totzeit_s, 1e-3);
    ASSERT_EQ(gespeichert.ohne_wirkung.size(), 1u);
    EXPECT_NE(gespeichert.ohne_wirkung[0].find("Kaputt"), std::string::npos);
    ASSERT_TRUE(Modell_Zuruecksetzen(kopie.str(), journal::Zeitpunkt{std::chrono::seconds{1900000000}}));
    const Modellstand leer = Modell_Gespeichert(kopie.str(), BrauDaten{});
    EXPECT_EQ(leer.herkunft, Modellstand::Herkunft::Standard);
    EXPECT_TRUE(leer.ohne_wirkung.empty());
}

// A rehearsal in simulation (the slider held at 45 °C, the heating on for 20 min) is
// no broken element: it is left out as what it is, and the other brews count.
TEST_F(Gelernt, EinProbesudInDerSimulationZaehltNicht)
{
    Ordner kopie;
    fs::copy(ordner->pfad, kopie.pfad, fs::copy_options::recursive);
    {
        test::Kesselsimulation k(test::Testkessel(), 45.0, 6, kopie.str());
        test::Sechs_Phasen(k.a.Programm);
        k.a.Programm.Biersorte = "Probe";
        k.steuerung().Switch1();
        k.steuerung().Scroll_Sim_IstTemperatur(-45);
        EXPECT_EQ(k.brauen(20 * 60), -1);
        k.stoppen();
    }
    std::vector<std::string> namen;
    const auto journale = Journale(kopie.str(), namen);
    ASSERT_EQ(journale.size(), 4u);
    const Modellstand m = Lernen(journale, namen, Standardparameter(50, 3000, 20));
    ASSERT_EQ(m.herkunft, Modellstand::Herkunft::Gelernt);
    EXPECT_EQ(m.sude, 3);
    EXPECT_TRUE(m.ohne_wirkung.empty());
    int probe = 0;
    for (const Journalbefund& b : m.befunde)
        if (b.datei.find("Probe") != std::string::npos) {
            ++probe;
            EXPECT_FALSE(b.verwendet);
            EXPECT_TRUE(b.simulation);
            EXPECT_EQ(b.grund, "Simulation");
        }
    EXPECT_EQ(probe, 1);
}

TEST_F(Gelernt, OrdnerEinstellungenUndZuruecksetzen)
{
    Ordner kopie;
    fs::copy(ordner->pfad, kopie.pfad, fs::copy_options::recursive);
    BrauDaten daten;
    daten.Sudgroesse = "50";

    // Learned from the folder; power unknown: the rate times the batch's heat capacity.
    Modellstand m = Modell_Ermitteln(kopie.str(), daten);
    ASSERT_EQ(m.herkunft, Modellstand::Herkunft::Gelernt) << m.hinweis;
    EXPECT_FALSE(m.leistung_eingetragen);
    EXPECT_NEAR(m.p.Leistung_W, 3000, 300);

    // The entered power counts for the energy; the learned values are stored with their count.
    ASSERT_TRUE(Leistung_Setzen(kopie.str(), 3500));
    m = Modell_Ermitteln(kopie.str(), daten);
    EXPECT_TRUE(m.leistung_eingetragen);
    EXPECT_EQ(m.p.Leistung_W, 3500);
    ASSERT_TRUE(Modell_Speichern(kopie.str(), m));
    Profildatei ini = Zusatzdatei_Lesen(kopie.str());
    EXPECT_EQ(ini.Ini_Lesen("Kesselmodell", "Sude"), "3");
    EXPECT_EQ(ini.Ini_Lesen("Kesselmodell", "Leistung_W"), "3500");
    EXPECT_NEAR(std::stod(ini.Ini_Lesen("Kesselmodell", "Heizrate_K_min")), m.p.Heizrate_K_min, 1e-4);
    EXPECT_FALSE(ini.Ini_Lesen("Kesselmodell", "Totzeit_s").empty());

    // Reset: learned values gone, power kept, the old journals no longer count.
    ASSERT_TRUE(Modell_Zuruecksetzen(kopie.str(), journal::Zeitpunkt{std::chrono::seconds{1900000000}}));
    ini = Zusatzdatei_Lesen(kopie.str());
    EXPECT_EQ(ini.Ini_Lesen("Kesselmodell", "Sude"), "");
    EXPECT_EQ(ini.Ini_Lesen("Kesselmodell", "Heizrate_K_min"), "");
    EXPECT_EQ(ini.Ini_Lesen("Kesselmodell", "Leistung_W"), "3500");
    m = Modell_Ermitteln(kopie.str(), daten);
    EXPECT_EQ(m.herkunft, Modellstand::Herkunft::Standard);
    EXPECT_EQ(m.sude, 0);
    // Defaults: 3500 W into 50 l of water.
    EXPECT_NEAR(m.p.Heizrate_K_min, 3500.0 / (50 * 4186.0) * 60.0, 1e-9);
    EXPECT_EQ(m.antwortzeit_s, Standard_Antwortzeit_s);
}

TEST(Modellwissen, OhneJournalAusSudgroesseUndLeistung)
{
    Ordner leer;
    BrauDaten daten;
    daten.Sudgroesse = "25,5";
    Modellstand m = Modell_Ermitteln(leer.str(), daten);
    EXPECT_EQ(m.herkunft, Modellstand::Herkunft::Standard);
    EXPECT_FALSE(m.hinweis.empty());
    EXPECT_NEAR(m.p.Heizrate_K_min, 3000.0 / (25.5 * 4186.0) * 60.0, 1e-9);
    EXPECT_GT(m.p.Verlust_1_h, Standardparameter(50, 3000, 20).Verlust_1_h);  // a smaller kettle loses faster
    EXPECT_FALSE(fs::exists(leer.pfad / "Kesselwerk.ini"));                   // reading never writes

    // No batch size: Hauptguss; neither: 50 l.
    daten.Sudgroesse.clear();
    daten.Hauptguss = "30";
    EXPECT_EQ(Volumen_Aus(daten), 30.0);
    daten.Hauptguss = "viel";
    EXPECT_FALSE(Volumen_Aus(daten));
    m = Modell_Ermitteln(leer.str(), daten);
    EXPECT_NEAR(m.p.Heizrate_K_min, 3000.0 / (50 * 4186.0) * 60.0, 1e-9);

    // A hand-edited section: the power and the room as written, rubbish ignored.
    std::ofstream(leer.pfad / "Kesselwerk.ini") << "[Kesselmodell]\nLeistung_W=2000\nRaumtemperatur_C=x\n";
    m = Modell_Ermitteln(leer.str(), daten);
    EXPECT_TRUE(m.leistung_eingetragen);
    EXPECT_EQ(m.p.Leistung_W, 2000);
    EXPECT_EQ(m.p.Raumtemperatur_C, 20);
    EXPECT_FALSE(Leistung_Setzen(leer.str(), -5));
}

TEST(Modellwissen, MessreihenTrennenAnLueckenUngueltigenWertenUndKuehlung)
{
    journal::Journalinhalt j;
    j.gelesen = true;
    const auto probe = [&](long t, std::optional<double> ist, int ausgang) {
        journal::Zeile z;
        z.zeit = journal::Zeitpunkt{std::chrono::seconds{t}};
        z.art = std::string(journal::Art_Probe);
        z.ist = ist;
        z.ausgang = ausgang;
        j.zeilen.push_back(z);
    };
    for (long t = 0; t < 50; t += 5)
        probe(t, 50.0, 1);
    probe(200, 50.0, 0);        // gap
    probe(205, 50.0, 0);
    probe(210, 0.0, 0);         // no reading
    probe(215, 51.0, 0);
    probe(220, 51.0, 4);        // cooling by hand
    probe(225, 51.0, 0);
    probe(230, 51.0, 0);
    journal::Zeile ruf;
    ruf.art = std::string(journal::Art_Ruf_Quittiert);
    ruf.dauer_s = 75;
    j.zeilen.push_back(ruf);
    const auto r = Messreihen_Aus(j);
    ASSERT_EQ(r.size(), 3u);    // 0..45, 200..205, 225..230 (215 alone is no stretch)
    EXPECT_EQ(r[0].size(), 10u);
    EXPECT_TRUE(r[0][0].heizung);
    EXPECT_EQ(r[1].size(), 2u);
    EXPECT_EQ(r[2].front().t_s, 225.0);
    EXPECT_EQ(Antwortzeiten_Aus(j), std::vector<double>{75});
    EXPECT_EQ(Median({3, 1, 2}), 2.0);
    EXPECT_EQ(Median({4, 1, 2, 3}), 2.5);
    EXPECT_FALSE(Median({}));
}

} // namespace
} // namespace kw::modell
