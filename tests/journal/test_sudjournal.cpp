// The journal of a run: snapshot, events, samples, end records, reading back,
// the resume offer and the resumed run.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Beispielsud.h"
#include "Journalbank.h"

namespace kw::test {
namespace {

namespace fs = std::filesystem;
using namespace journal;

std::vector<std::string> Arten(const Journalinhalt& j, bool mit_proben = false)
{
    std::vector<std::string> aus;
    for (const Zeile& z : j.zeilen)
        if (mit_proben || z.art != Art_Probe)
            aus.push_back(z.art);
    return aus;
}

const Zeile* Erste(const Journalinhalt& j, std::string_view art, int ab = 0)
{
    for (std::size_t i = static_cast<std::size_t>(ab); i < j.zeilen.size(); ++i)
        if (j.zeilen[i].art == art)
            return &j.zeilen[i];
    return nullptr;
}

std::string Lies(const std::string& pfad)
{
    std::ifstream d(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(d), {}};
}

TEST(Sudjournal, WholeBrewIsRecordedAndReadsBack)
{
    Journalordner ordner;
    Beispielsud sud(ordner.pfad.string());
    const std::string pfad = sud.brauen();
    ASSERT_FALSE(pfad.empty());
    EXPECT_EQ(fs::path(pfad).parent_path().filename(), "Sude");
    EXPECT_EQ(fs::path(pfad).filename(), "2026-12-09_10-00-00_Märzen.csv");
    EXPECT_FALSE(sud.j.offen());

    const std::string roh = Lies(pfad);
    EXPECT_EQ(roh.substr(0, roh.find('\n')), Kopfzeile);

    const Journalinhalt j = Journal_Lesen(pfad);
    ASSERT_TRUE(j.gelesen) << j.fehler;
    EXPECT_EQ(j.uebersprungen, 0);
    EXPECT_TRUE(j.beendet);
    EXPECT_EQ(j.endeart, "FERTIG");
    // the snapshot is the program as it ran (after the start check's normalisation)
    Maischprogramm erwartet = sud.a.Programm;
    erwartet.Phase(4).setTemperatur("63");   // SollRauf came after the snapshot
    EXPECT_EQ(j.programm, erwartet);
    EXPECT_EQ(j.daten, sud.daten);

    const std::vector<std::string> erwartete_arten = {
        "Journal", "Start",
        "Phase_Start", "Phase_Ende",                                   // 1
        "Phase_Start", "Pause", "Freigabe", "Phase_Ende",              // 2
        "Phase_Start", "Phase_Ende",                                   // 3
        "Phase_Start", "Ruf", "Ruf_Stumm", "Ruf_Quittiert", "Soll", "Zeit", "Phase_Ende",  // 4
        "Phase_Start", "Ruf", "Ruf_Quittiert", "Phase_Ende",           // 5
        "Phase_Start", "Gradient", "Phase_Ende",                       // 6
        "Ende"};
    EXPECT_EQ(Arten(j), erwartete_arten);

    const Zeile* ps4 = nullptr;
    for (const Zeile& z : j.zeilen)
        if (z.art == Art_Phase_Start && z.phase == 4)
            ps4 = &z;
    ASSERT_TRUE(ps4);
    EXPECT_EQ(ps4->phase, 4);
    EXPECT_EQ(ps4->feld, "Halten");
    EXPECT_EQ(ps4->text, "Maltoserast");
    EXPECT_EQ(ps4->dauer_s, 1800);
    EXPECT_DOUBLE_EQ(*ps4->soll, 63.0);

    const Zeile* ruf = Erste(j, Art_Ruf);
    ASSERT_TRUE(ruf);
    EXPECT_EQ(ruf->phase, 4);
    EXPECT_EQ(ruf->text, "Jodprobe machen");
    EXPECT_EQ((ruf->zeit - ps4->zeit).count(), 20 * 60);
    EXPECT_EQ(Erste(j, Art_Ruf_Stumm)->dauer_s, 30);
    EXPECT_EQ(Erste(j, Art_Ruf_Quittiert)->dauer_s, 45);
    EXPECT_EQ(Erste(j, Art_Freigabe)->dauer_s, 120);
    EXPECT_EQ(Erste(j, Art_Zeit)->dauer_s, 300);
    EXPECT_DOUBLE_EQ(*Erste(j, Art_Soll)->soll, 63.1);
    EXPECT_EQ(Erste(j, "Gradient")->text, "EIN");
    const Zeile* ruf5 = nullptr;
    for (const Zeile& z : j.zeilen)
        if (z.art == Art_Ruf && z.phase == 5)
            ruf5 = &z;
    ASSERT_TRUE(ruf5);
    EXPECT_EQ(ruf5->text, "Malz zugeben; bitte \"jetzt\"");

    // a sample every 5 s (and one at each phase start), with the output byte
    Zeitpunkt vorher{};
    int proben = 0;
    bool geheizt = false;
    for (const Zeile& z : j.zeilen) {
        if (z.art != Art_Probe)
            continue;
        if (proben++ > 0) {
            EXPECT_LE((z.zeit - vorher).count(), 5);
        }
        vorher = z.zeit;
        ASSERT_TRUE(z.ist);
        EXPECT_GE(z.ausgang, 0);
        geheizt = geheizt || (z.ausgang & 1);
    }
    EXPECT_GT(proben, 100);
    EXPECT_TRUE(geheizt);

    // phases as they ran
    const auto phasen = Phasen_Auswerten(j);
    ASSERT_EQ(phasen.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(phasen[i].phase, i + 1);
        EXPECT_EQ(phasen[i].wie, "Ende");
        EXPECT_TRUE(phasen[i].ende);
    }
    EXPECT_EQ(phasen[1].titel, "Eiweißrast");
    // 10 min + 2 min pause (the pause shift counts from the next whole second)
    EXPECT_NEAR(static_cast<double>((*phasen[1].ende - phasen[1].start).count()), 12 * 60, 1.0);
    EXPECT_EQ(phasen[3].geplant_s, 35 * 60);
    EXPECT_DOUBLE_EQ(*phasen[0].ist_min, 45.0);
    EXPECT_DOUBLE_EQ(*phasen[0].ist_max, 52.0);
    EXPECT_DOUBLE_EQ(*phasen[5].ist_min, 72.0);

    // a finished journal is never offered
    EXPECT_FALSE(Angebot_Ermitteln(j).moeglich);
}

class Laufjournal : public Journalbank {
protected:
    void SetUp() override
    {
        Sechs_Phasen(a.Programm);
        simulation(40);
        jtakt();
    }
    void bis_phase(int n)
    {
        jbis([&] {
            if (a.Ablaufschritt == 3 && a.Akt_Phase < n && a.Sim_Temperatur < 80)
                a.Sim_Temperatur = std::stoi(a.Programm.Phase(a.Akt_Phase).Temperatur());
            if (a.Ruf_Aktiv)
                s.QUITTIEREN();
            return a.Akt_Phase == n && a.Ablaufschritt == 3;
        });
    }
};

TEST_F(Laufjournal, CutLastLineStillReadsMinusThatLine)
{
    s.START_BRAUEN();
    bis_phase(2);
    jlaufe(std::chrono::seconds(61));
    const std::string pfad = datei();
    j->synchronisieren();
    const Journalinhalt ganz = Journal_Lesen(pfad);
    ASSERT_TRUE(ganz.gelesen);
    std::string roh = Lies(pfad);
    ASSERT_EQ(roh.back(), '\n');
    // as after a power cut in the middle of the last line
    std::ofstream(pfad, std::ios::binary | std::ios::trunc) << roh.substr(0, roh.size() - 7);
    const Journalinhalt kurz = Journal_Lesen(pfad);
    ASSERT_TRUE(kurz.gelesen);
    EXPECT_EQ(kurz.uebersprungen, 1);
    EXPECT_EQ(kurz.zeilen.size() + 1, ganz.zeilen.size());
    EXPECT_FALSE(kurz.beendet);
    // a line in the middle that is no record is skipped, the rest still reads
    roh.insert(roh.find("Phase_Start") - 20, "Murks ohne Felder\n");
    std::ofstream(pfad, std::ios::binary | std::ios::trunc) << roh;
    const Journalinhalt murks = Journal_Lesen(pfad);
    EXPECT_EQ(murks.uebersprungen, 1);
    EXPECT_EQ(murks.zeilen.size(), ganz.zeilen.size());
}

TEST_F(Laufjournal, RefusedStartIsKeptForTheNextJournal)
{
    a.Programm.Phase(2).setRuehrpause("");
    a.Programm.Phase(5).setTemperatur("");
    m.erwartet = {22, 25};
    s.START_BRAUEN();
    jlaufe(std::chrono::seconds(1));
    EXPECT_FALSE(j->offen());
    EXPECT_FALSE(fs::exists(ordner.pfad / "Sude") && !fs::is_empty(ordner.pfad / "Sude"));
    a.Programm.Phase(2).setRuehrpause("40");
    a.Programm.Phase(5).setTemperatur("72");
    jlaufe(std::chrono::seconds(7));
    s.START_BRAUEN();
    bis_phase(1);
    j->synchronisieren();
    const Journalinhalt inhalt = Journal_Lesen(datei());
    const Zeile* abgelehnt = Erste(inhalt, Art_Abgelehnt);
    ASSERT_TRUE(abgelehnt);
    EXPECT_EQ(abgelehnt->text, "22 25");
    EXPECT_LT(abgelehnt->zeit, Erste(inhalt, Art_Start)->zeit);
}

TEST_F(Laufjournal, StopEndsTheJournalAndTheNextStartOpensANewOne)
{
    s.START_BRAUEN();
    bis_phase(2);
    s.Switch2();
    s.Man_Extra1();
    jlaufe(std::chrono::seconds(6));
    s.STOP_BRAUEN();
    const std::string erste = datei();
    EXPECT_FALSE(j->offen());
    j->synchronisieren();
    const Journalinhalt j1 = Journal_Lesen(erste);
    EXPECT_TRUE(j1.beendet);
    EXPECT_EQ(j1.endeart, "STOP");
    const Zeile* sch = Erste(j1, Art_Schalter);
    ASSERT_TRUE(sch);
    EXPECT_EQ(sch->feld, "Switch2");
    EXPECT_EQ(j1.zeilen[j1.zeilen.size() - 2].art, "Phase_Ende");
    EXPECT_EQ(j1.zeilen[j1.zeilen.size() - 2].feld, "Abbruch");
    // extra 1 was on: bit 3 of the byte in the samples after the switch
    bool extra = false;
    for (const Zeile& z : j1.zeilen)
        extra = extra || (z.art == Art_Probe && (z.ausgang & 8));
    EXPECT_TRUE(extra);

    jlaufe(std::chrono::seconds(3));
    s.START_BRAUEN();
    bis_phase(1);
    EXPECT_NE(datei(), erste);
    EXPECT_EQ(Neuestes_Journal(j->Ordner()), datei());
    s.BEENDEN();
    j->synchronisieren();
    EXPECT_EQ(Journal_Lesen(datei()).endeart, "BEENDEN");
}

TEST_F(Laufjournal, OtherPartsWriteThroughThePlainApi)
{
    EXPECT_FALSE(j->Ereignis_Schreiben(jetzt(), "Waechter", "nicht offen"));
    s.START_BRAUEN();
    bis_phase(1);
    EXPECT_TRUE(j->Ereignis_Schreiben(jetzt(), "Waechter", "Ausgänge aus; Programm schweigt"));
    a.Sensor_Alarm = true;
    jtakt();
    a.USB_Alarm = true;
    jtakt();
    s.Alarm_USB_OK();
    jtakt();
    j->synchronisieren();
    const Journalinhalt inhalt = Journal_Lesen(datei());
    const Zeile* w = Erste(inhalt, "Waechter");
    ASSERT_TRUE(w);
    EXPECT_EQ(w->text, "Ausgänge aus; Programm schweigt");
    EXPECT_EQ(w->phase, 1);
    EXPECT_TRUE(Erste(inhalt, Art_Sensorwarnung));
    EXPECT_TRUE(Erste(inhalt, Art_USB_Alarm));
    EXPECT_EQ(Erste(inhalt, Art_Alarm_Antwort)->feld, "Alarm_USB_OK");
}

TEST_F(Laufjournal, OfferNamesThePhaseAndTheRestAfterACut)
{
    s.START_BRAUEN();
    bis_phase(4);
    const Zeitpunkt beginn4 = jetzt();
    jlaufe(std::chrono::minutes(5));
    s.PAUSE_BRAUEN();
    jlaufe(std::chrono::minutes(3));   // paused: does not count
    s.START_BRAUEN();
    s.ZeitRauf();                      // 35 min planned
    jlaufe(std::chrono::minutes(6) + std::chrono::seconds(30));
    j->synchronisieren();
    // the program keeps running; the file is read as it stands (a cut now)
    const Journalinhalt inhalt = Journal_Lesen(datei());
    EXPECT_FALSE(inhalt.beendet);
    const Fortsetzungsangebot f = Angebot_Ermitteln(inhalt);
    ASSERT_TRUE(f.moeglich);
    EXPECT_EQ(f.biersorte, "Märzen");
    EXPECT_EQ(f.phase, 4);
    EXPECT_EQ(f.titel, "Maltoserast");
    EXPECT_EQ(f.art, "Halten");
    EXPECT_EQ(f.soll, "63");
    EXPECT_TRUE(f.laeuft);
    EXPECT_FALSE(f.neu);
    EXPECT_EQ(f.geplant_s, 35 * 60);
    // 11.5 min ran; within one sample
    EXPECT_NEAR(static_cast<double>(f.vergangen_s), 11.5 * 60, 5.0);
    EXPECT_EQ(f.rest_min, 24);
    EXPECT_EQ(f.unterbrochen, inhalt.letzte);
    EXPECT_GE((f.unterbrochen - beginn4).count(), 14 * 60);
}

TEST_F(Laufjournal, OfferForAHeatingPhaseRestartsItAndBetweenPhasesTakesTheNext)
{
    s.START_BRAUEN();
    bis_phase(3);
    jlaufe(std::chrono::seconds(30));
    j->synchronisieren();
    Fortsetzungsangebot f = Angebot_Ermitteln(Journal_Lesen(datei()));
    EXPECT_EQ(f.phase, 3);
    EXPECT_TRUE(f.neu);
    EXPECT_EQ(f.art, "Aufheizen");

    // cut right after phase 3 ended: phase 4 from its beginning
    a.Sim_Temperatur = 63;
    jbis([&] { return a.Ablaufschritt == 4; });
    j->synchronisieren();
    f = Angebot_Ermitteln(Journal_Lesen(datei()));
    EXPECT_EQ(f.phase, 4);
    EXPECT_FALSE(f.laeuft);
    EXPECT_EQ(f.rest_min, 30);
    EXPECT_EQ(f.vergangen_s, 0);
}

TEST_F(Laufjournal, DiscardedJournalIsNeverOfferedAgain)
{
    s.START_BRAUEN();
    bis_phase(2);
    j->synchronisieren();
    const std::string pfad = datei();
    // a second program instance finds it unfinished ...
    ASSERT_TRUE(Angebot_Ermitteln(Journal_Lesen(pfad)).moeglich);
    std::string fehler;
    ASSERT_TRUE(Sudjournal::Verwerfen(pfad, jetzt(), fehler)) << fehler;
    const Journalinhalt inhalt = Journal_Lesen(pfad);
    EXPECT_TRUE(inhalt.beendet);
    EXPECT_EQ(inhalt.endeart, "VERWORFEN");
    EXPECT_FALSE(Angebot_Ermitteln(inhalt).moeglich);
}

TEST_F(Laufjournal, ResumedRunContinuesTheSameFileAndRunsTheRest)
{
    s.START_BRAUEN();
    bis_phase(4);
    jlaufe(std::chrono::minutes(12));
    j->synchronisieren();
    const std::string pfad = datei();
    // power cut: the program and its journal are gone, the last line half written
    s.setzeEreignisse(nullptr);
    j.reset();
    {
        std::ofstream d(pfad, std::ios::binary | std::ios::app);
        d << "2026-12-08 14:40:0";
    }
    const Fortsetzungsangebot f = Angebot_Ermitteln(Journal_Lesen(pfad));
    ASSERT_TRUE(f.moeglich);
    EXPECT_EQ(f.phase, 4);
    EXPECT_EQ(f.rest_min, 18);

    // the next program start: a fresh state, program from the journal
    Anlage neu;
    a = neu;
    a.Programmpfad = ordner.pfad.string();
    s.laden(jetzt());
    a.Programm = Journal_Lesen(pfad).programm;
    j = std::make_unique<Sudjournal>(a, z, daten, [this] { return jetzt(); });
    s.setzeEreignisse(j.get());
    j->Fortsetzen_Vormerken(pfad);
    simulation(63);
    jtakt();
    s.switch3();
    s.Eingabe_Start_Phase(std::to_string(f.phase));
    s.Eingabe_Start_Zeit(std::to_string(f.rest_min));
    jlaufe(std::chrono::seconds(10));
    EXPECT_EQ(a.Aus_Heizung, 0);   // nothing switches before START
    EXPECT_FALSE(j->offen());
    s.START_BRAUEN();
    jbis([&] { return a.Ablaufschritt == 3; });
    EXPECT_EQ(a.Akt_Phase, 4);
    EXPECT_EQ(datei(), pfad);
    s.switch3();
    const Zeitpunkt start = jetzt();
    jbis([&] { return a.Akt_Phase == 5; });
    EXPECT_NEAR(static_cast<double>((jetzt() - start).count()), 18 * 60, 1.0);
    a.Sim_Temperatur = 72;
    jbis([&] {
        if (a.Ruf_Aktiv)
            s.QUITTIEREN();
        return !a.Brauen_Gestartet;
    });
    j->synchronisieren();
    const Journalinhalt inhalt = Journal_Lesen(pfad);
    EXPECT_EQ(inhalt.uebersprungen, 1);   // the cut line
    EXPECT_TRUE(inhalt.beendet);
    EXPECT_EQ(inhalt.endeart, "FERTIG");
    const Zeile* fort = Erste(inhalt, Art_Fortsetzung);
    ASSERT_TRUE(fort);
    EXPECT_EQ(fort->phase, 4);
    EXPECT_EQ(fort->dauer_s, 18 * 60);
    const auto phasen = Phasen_Auswerten(inhalt);
    ASSERT_GE(phasen.size(), 7u);
    EXPECT_EQ(phasen[3].wie, "");         // cut off
    EXPECT_EQ(phasen[4].phase, 4);        // resumed
    EXPECT_EQ(phasen[4].geplant_s, 18 * 60);
    EXPECT_EQ(phasen.back().phase, 6);
}

TEST_F(Laufjournal, AJournalThatCannotBeWrittenLeavesTheRunGoing)
{
    // the program folder is a file: no Sude folder can be made in it
    const std::string datei = (ordner.pfad / "keinordner").string();
    std::ofstream(datei) << "x";
    a.Programmpfad = datei;
    s.START_BRAUEN();
    bis_phase(2);
    EXPECT_FALSE(j->offen());
    EXPECT_NE(j->fehler(), "");
    EXPECT_EQ(a.Akt_Phase, 2);
    EXPECT_FALSE(j->Ereignis_Schreiben(jetzt(), "Waechter", "x"));
}

TEST(Sudjournal, NewestJournalByNameIgnoringOtherFiles)
{
    Journalordner ordner;
    const fs::path d = ordner.pfad;
    for (const char* n : {"2026-12-01_09-00-00_Pils.csv", "2026-12-09_08-00-00_Weizen.csv",
                          "2026-12-08_23-59-59_Märzen.csv", "zzz.csv", "2027-01-01_00-00-00_x.His"})
        std::ofstream(d / n) << "x\n";
    fs::create_directory(d / "2028-01-01_00-00-00_Ordner.csv");
    EXPECT_EQ(Neuestes_Journal(d.string()), (d / "2026-12-09_08-00-00_Weizen.csv").string());
    EXPECT_FALSE(Neuestes_Journal((d / "fehlt").string()));
    EXPECT_FALSE(Journal_Lesen((d / "zzz.csv").string()).gelesen);
}

} // namespace
} // namespace kw::test
