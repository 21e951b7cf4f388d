// The journal of a run: snapshot, events, samples, end records, reading back,
// the resume offer and the resumed run.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "Beispielsud.h"
#include "Journalbank.h"
#include "Plattenfehler.h"

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
        "Journal", "Start", "Schalter",                                // a rehearsal says so
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
    // The rehearsal's record right after the start, then the switch.
    const Zeile* sim = Erste(j1, Art_Schalter);
    ASSERT_TRUE(sim);
    EXPECT_EQ(sim->feld, "Switch1");
    EXPECT_EQ(sim->text, "EIN");
    const Zeile* sch = nullptr;
    for (const Zeile& z : j1.zeilen)
        if (!sch && z.art == Art_Schalter && z.feld != "Switch1")
            sch = &z;
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

TEST_F(Laufjournal, PredictionsReadBackWithTheirPhaseAndLeaveTheOfferAlone)
{
    EXPECT_FALSE(j->Vorhersage_Schreiben(jetzt(), 1, Vorhersage_Programm, jetzt()));   // no run
    s.START_BRAUEN();
    bis_phase(2);
    const Zeitpunkt t2 = jetzt();
    // The result of the phase start's prediction comes a moment later.
    jlaufe(std::chrono::seconds(2));
    ASSERT_TRUE(j->Vorhersage_Schreiben(jetzt(), 2, Vorhersage_Phase, t2 + std::chrono::minutes(10)));
    ASSERT_TRUE(j->Vorhersage_Schreiben(jetzt(), 2, Vorhersage_Programm, t2 + std::chrono::minutes(95)));
    EXPECT_FALSE(j->Vorhersage_Schreiben(jetzt(), 0, Vorhersage_Phase, t2));   // no phase
    bis_phase(3);
    jlaufe(std::chrono::seconds(1));
    ASSERT_TRUE(j->Vorhersage_Schreiben(jetzt(), 3, Vorhersage_Endlos, std::nullopt, "Phase 5: zu hoch; a\"b"));
    // One for a phase that is no longer the last one started belongs to none.
    ASSERT_TRUE(j->Vorhersage_Schreiben(jetzt(), 2, Vorhersage_Phase, t2));
    jtakt();
    j->synchronisieren();

    const Journalinhalt inhalt = Journal_Lesen(datei());
    EXPECT_EQ(inhalt.uebersprungen, 0);
    const Zeile* r = Erste(inhalt, Art_Vorhersage);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->phase, 2);
    EXPECT_EQ(r->feld, "Phase");
    EXPECT_EQ(r->dauer_s, 10 * 60 - 2);
    EXPECT_EQ(r->text, Zeit_Text(t2 + std::chrono::minutes(10)));
    const auto phasen = Phasen_Auswerten(inhalt);
    ASSERT_EQ(phasen.size(), 3u);
    EXPECT_FALSE(phasen[0].vorhersage_ende);
    EXPECT_EQ(phasen[1].vorhersage_ende, t2 + std::chrono::minutes(10));
    EXPECT_EQ(phasen[1].vorhersage_programmende, t2 + std::chrono::minutes(95));
    EXPECT_FALSE(phasen[2].vorhersage_programmende);
    EXPECT_EQ(phasen[2].vorhersage_endlos, "Phase 5: zu hoch; a\"b");
    EXPECT_FALSE(phasen[2].vorhersage_ende);

    // The resume offer reads past them as before.
    const Fortsetzungsangebot f = Angebot_Ermitteln(inhalt);
    ASSERT_TRUE(f.moeglich);
    EXPECT_EQ(f.phase, 3);
    EXPECT_TRUE(f.laeuft);
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
    const std::string kopf = std::string(Kopfzeile) + "\n";
    for (const char* n : {"2026-12-01_09-00-00_Pils.csv", "2026-12-09_08-00-00_Weizen.csv",
                          "2026-12-08_23-59-59_Märzen.csv", "zzz.csv", "2027-01-01_00-00-00_x.His"})
        std::ofstream(d / n) << kopf;
    fs::create_directory(d / "2028-01-01_00-00-00_Ordner.csv");
    EXPECT_EQ(Neuestes_Journal(d.string()), (d / "2026-12-09_08-00-00_Weizen.csv").string());
    EXPECT_FALSE(Neuestes_Journal((d / "fehlt").string()));
    EXPECT_FALSE(Journal_Lesen((d / "zzz.csv").string()).gelesen);
}

TEST(Sudjournal, AFileWithAJournalsNameThatIsNoneHidesNothing)
{
    Journalordner ordner;
    const fs::path d = ordner.pfad;
    const fs::path echt = d / "2026-12-09_08-00-00_Weizen.csv";
    std::ofstream(echt) << Kopfzeile << "\n2026-12-09 08:00:00;Start;;45.0;;;0;;;\n";
    // newer by name: zeros, a line that is no record, a cut first line, nothing
    std::ofstream(d / "2026-12-10_00-00-00_Null.csv", std::ios::binary) << std::string(4096, '\0');
    std::ofstream(d / "2026-12-11_00-00-00_Murks.csv") << "Murks\n" << Kopfzeile << "\n";
    std::ofstream(d / "2026-12-12_00-00-00_Halb.csv") << "Zeit;Art;Pha";
    std::ofstream(d / "2026-12-13_00-00-00_Leer.csv");
    EXPECT_EQ(Neuestes_Journal(d.string()), echt.string());
    // a journal without its header still counts, as it still reads
    const fs::path ohne = d / "2026-12-14_00-00-00_Ohne.csv";
    std::ofstream(ohne) << "\n2026-12-14 00:00:00;Start;;45.0;;;0;;;\n";
    EXPECT_EQ(Neuestes_Journal(d.string()), ohne.string());
}

TEST_F(Laufjournal, OfferBringsBackTheNudgedTargetTheCallAndTheRestToTheSecond)
{
    s.START_BRAUEN();
    bis_phase(4);
    const Zeitpunkt beginn4 = jetzt();
    jlaufe(std::chrono::minutes(5));
    for (int i = 0; i < 5; ++i)
        s.SollRauf();                  // 63.0 -> 63.5, five Soll records
    jlaufe(std::chrono::minutes(7) + std::chrono::seconds(20));
    j->synchronisieren();
    Fortsetzungsangebot f = Angebot_Ermitteln(Journal_Lesen(datei()));
    ASSERT_TRUE(f.moeglich);
    EXPECT_EQ(f.phase, 4);
    EXPECT_EQ(Temperatur_Lesen(f.soll), 63.5);
    EXPECT_EQ(Temperatur_Lesen(f.programm.Phase(4).Temperatur()), 63.5);
    EXPECT_EQ(f.programm.Phase(3).Temperatur(), "63");   // the others as the snapshot has them
    const long long gelaufen = (jetzt() - beginn4).count();
    EXPECT_NEAR(static_cast<double>(f.vergangen_s), static_cast<double>(gelaufen), 1.0);
    EXPECT_NEAR(static_cast<double>(f.rest_s), 30.0 * 60 - static_cast<double>(gelaufen), 1.0);
    EXPECT_EQ(f.rest_min, (f.rest_s + 59) / 60);
    EXPECT_FALSE(f.ruf_gekommen);
    EXPECT_FALSE(f.ruf_wartet);

    // the timed call at 20 min: waiting, then acknowledged
    jbis([&] { return a.Ruf_Aktiv; });
    EXPECT_EQ((jetzt() - beginn4).count(), 20 * 60);
    jlaufe(std::chrono::seconds(30));
    j->synchronisieren();
    f = Angebot_Ermitteln(Journal_Lesen(datei()));
    EXPECT_TRUE(f.ruf_wartet);
    EXPECT_FALSE(f.ruf_gekommen);
    s.QUITTIEREN();
    jlaufe(std::chrono::seconds(10));
    j->synchronisieren();
    f = Angebot_Ermitteln(Journal_Lesen(datei()));
    EXPECT_FALSE(f.ruf_wartet);
    EXPECT_TRUE(f.ruf_gekommen);
}

// The controller's and the journal's part of a resume, as "Fortsetzen" and START do it.
class Fortsetzungslauf : public Laufjournal {
protected:
    std::string pfad;
    Fortsetzungsangebot f;

    // The brew runs into phase 4 and `dauer` on, `unterwegs` acting on the way; then the
    // program is gone and starts afresh with the journal's offer.
    template <class F> void abbrechen_und_fortsetzen(std::chrono::seconds dauer, F unterwegs)
    {
        s.START_BRAUEN();
        bis_phase(4);
        for (auto n = dauer.count() * 10; n > 0; --n) {
            jtakt();
            unterwegs();
        }
        j->synchronisieren();
        pfad = datei();
        s.setzeEreignisse(nullptr);
        j.reset();
        Anlage neu;
        a = neu;
        a.Programmpfad = ordner.pfad.string();
        s.laden(jetzt());
        f = Angebot_Ermitteln(Journal_Lesen(pfad));
        ASSERT_TRUE(f.moeglich);
        a.Programm = f.programm;
        j = std::make_unique<Sudjournal>(a, z, daten, [this] { return jetzt(); });
        s.setzeEreignisse(j.get());
        j->Fortsetzen_Vormerken(pfad);
        simulation(63);
        jtakt();
        s.switch3();
        s.Eingabe_Start_Phase(std::to_string(f.phase));
        s.Eingabe_Start_Zeit(std::to_string(f.rest_min));
        Fortsetzungsstand st;
        st.phase = f.phase;
        st.startzeit_text = a.Startzeit_Text;
        st.rest_s = f.rest_s;
        st.vergangen_s = f.vergangen_s;
        st.ruf_gekommen = f.ruf_gekommen;
        st.ruf_wartet = f.ruf_wartet;
        a.Fortsetzung = st;
    }
};

TEST_F(Fortsetzungslauf, TheResumedPhaseKeepsItsTimedCallAndRunsItsRestToTheSecond)
{
    abbrechen_und_fortsetzen(std::chrono::minutes(12) + std::chrono::seconds(20), [] {});
    s.START_BRAUEN();
    jbis([&] { return a.Ablaufschritt == 3; });
    const Zeitpunkt start = jetzt();
    EXPECT_EQ(a.Akt_Phase, 4);
    EXPECT_TRUE(Flag_Lesen(a.Programm.Phase(4).Ruf_nach_Rufzeit()));   // not turned into "no call"
    jbis([&] { return a.Ruf_Aktiv || a.Akt_Phase != 4; });
    EXPECT_TRUE(a.Ruf_Aktiv);
    EXPECT_NEAR(static_cast<double>((jetzt() - start).count()), 20 * 60 - 740, 1.0);
    s.QUITTIEREN();
    jbis([&] { return a.Akt_Phase == 5; });
    EXPECT_NEAR(static_cast<double>((jetzt() - start).count()), 30 * 60 - 740, 1.0);
    j->synchronisieren();
    const Journalinhalt inhalt = Journal_Lesen(pfad);
    const Zeile* fort = Erste(inhalt, Art_Fortsetzung);
    ASSERT_TRUE(fort);
    EXPECT_NEAR(static_cast<double>(*fort->dauer_s), 30 * 60 - 740, 1.0);
    const auto phasen = Phasen_Auswerten(inhalt);
    ASSERT_GE(phasen.size(), 5u);
    EXPECT_EQ(phasen[4].geplant_s, *fort->dauer_s);
}

TEST_F(Fortsetzungslauf, ASecondCutCountsTheCallFromThePhasesFirstStart)
{
    abbrechen_und_fortsetzen(std::chrono::minutes(5), [] {});
    s.START_BRAUEN();
    jbis([&] { return a.Ablaufschritt == 3; });
    jlaufe(std::chrono::minutes(4));
    j->synchronisieren();
    const Fortsetzungsangebot g = Angebot_Ermitteln(Journal_Lesen(pfad));
    ASSERT_TRUE(g.moeglich);
    EXPECT_EQ(g.phase, 4);
    EXPECT_NEAR(static_cast<double>(g.vergangen_s), 9 * 60, 2.0);
    EXPECT_NEAR(static_cast<double>(g.rest_s), 21 * 60, 2.0);
}

TEST_F(Fortsetzungslauf, ACallThatWaitedWhenTheProgramDiedIsRaisedAgainAtStart)
{
    abbrechen_und_fortsetzen(std::chrono::minutes(20) + std::chrono::seconds(40), [] {});
    EXPECT_TRUE(f.ruf_wartet);
    s.START_BRAUEN();
    jbis([&] { return a.Ablaufschritt == 3; });
    EXPECT_TRUE(a.Ruf_Aktiv);
    EXPECT_TRUE(a.Ruf_Signal);
    EXPECT_EQ(a.Aus_Heizung, 0);
    s.QUITTIEREN();
    jlaufe(std::chrono::seconds(5));
    EXPECT_FALSE(a.Ruf_Aktiv);   // once, not again at its time
}

TEST_F(Fortsetzungslauf, TheArmingEndsWithTheRunItWasMadeFor)
{
    abbrechen_und_fortsetzen(std::chrono::minutes(12), [] {});
    s.START_BRAUEN();
    jbis([&] { return a.Ablaufschritt == 3; });
    EXPECT_EQ(a.Start_ab_Phase, 1);   // armed while its run goes
    a.Sim_Temperatur = 72;
    jbis([&] {
        if (a.Ruf_Aktiv)
            s.QUITTIEREN();
        return !a.Brauen_Gestartet;
    });
    jtakt();
    EXPECT_EQ(a.Start_ab_Phase, 0);
    EXPECT_EQ(z.switch3, Schalttext::Ein);
    // the next brew of the session starts at the top
    a.Sim_Temperatur = 40;
    s.START_BRAUEN();
    jbis([&] { return a.Ablaufschritt == 3; });
    EXPECT_EQ(a.Akt_Phase, 1);

    // STOP ends it as well; an arming by hand stays
    s.STOP_BRAUEN();
    jtakt();
    s.switch3();
    s.Eingabe_Start_Phase("2");
    s.Eingabe_Start_Zeit("3");
    s.START_BRAUEN();
    jbis([&] { return a.Ablaufschritt == 3; });
    EXPECT_EQ(a.Akt_Phase, 2);
    s.STOP_BRAUEN();
    jtakt();
    EXPECT_EQ(a.Start_ab_Phase, 1);
}

TEST_F(Fortsetzungslauf, AnotherPhaseOrTimeEnteredIsAPlainStartAbPhase)
{
    abbrechen_und_fortsetzen(std::chrono::minutes(12), [] {});
    s.Eingabe_Start_Zeit("10");
    EXPECT_FALSE(a.Fortsetzung);
    s.START_BRAUEN();
    jbis([&] { return a.Ablaufschritt == 3; });
    const Zeitpunkt start = jetzt();
    EXPECT_FALSE(Flag_Lesen(a.Programm.Phase(4).Ruf_nach_Rufzeit()));   // as any start in the middle
    jbis([&] { return a.Akt_Phase == 5; });
    EXPECT_EQ((jetzt() - start).count(), 600);
}

// A journal on a disk that hangs or fails.
class Plattenjournal : public Laufjournal {
protected:
    std::shared_ptr<Platte> platte = std::make_shared<Platte>();

    void SetUp() override
    {
        Laufjournal::SetUp();
        neu(platte->optionen());
    }
    void neu(Journaldatei::Optionen o)
    {
        s.setzeEreignisse(nullptr);
        j = std::make_unique<Sudjournal>(a, z, daten, [this] { return jetzt(); }, std::move(o));
        s.setzeEreignisse(j.get());
    }
    int Anzahl(const Journalinhalt& inhalt, std::string_view art, Zeitpunkt von = {}, Zeitpunkt bis = Zeitpunkt::max())
    {
        int n = 0;
        for (const Zeile& r : inhalt.zeilen)
            n += r.art == art && r.zeit >= von && r.zeit <= bis;
        return n;
    }
};

TEST_F(Plattenjournal, StartAndStopNeverWaitForADiskThatHangs)
{
    platte->sync_halten = true;
    s.START_BRAUEN();
    jlaufe(std::chrono::seconds(2));
    EXPECT_EQ(a.Ablaufschritt, 3);
    EXPECT_TRUE(platte->haelt());       // the folder's sync has not come back yet
    EXPECT_TRUE(j->offen());
    const std::string erste = datei();
    s.STOP_BRAUEN();
    jlaufe(std::chrono::seconds(1));
    s.START_BRAUEN();
    jlaufe(std::chrono::seconds(1));
    EXPECT_EQ(a.Ablaufschritt, 3);
    EXPECT_TRUE(platte->haelt());
    platte->freigeben();
    j->synchronisieren();
    EXPECT_FALSE(platte->von_selbst());
    EXPECT_EQ(Journal_Lesen(erste).endeart, "STOP");
    EXPECT_NE(datei(), erste);
    EXPECT_TRUE(Erste(Journal_Lesen(datei()), Art_Start));
}

TEST_F(Plattenjournal, AFullDiskIsToldAndTheRecordGoesOnWhenItRecovers)
{
    s.START_BRAUEN();
    bis_phase(2);
    j->synchronisieren();
    EXPECT_EQ(j->schreibfehler(), "");
    platte->fehler_schreiben = ENOSPC;
    const Zeitpunkt voll = jetzt();
    jlaufe(std::chrono::seconds(1));
    s.PAUSE_BRAUEN();
    jlaufe(std::chrono::seconds(2));
    s.START_BRAUEN();
    jlaufe(std::chrono::seconds(3));
    const std::string grund = j->schreibfehler();
    EXPECT_NE(grund.find(std::strerror(ENOSPC)), std::string::npos) << grund;
    EXPECT_EQ(a.Akt_Phase, 2);   // the brew goes on
    EXPECT_EQ(a.Ablaufschritt, 3);
    platte->fehler_schreiben = 0;
    const Zeitpunkt wieder = jetzt();
    ASSERT_TRUE(Bis([&] {
        jtakt();
        return Journal_Lesen(datei()).letzte >= wieder;
    }));
    jlaufe(std::chrono::seconds(6));
    EXPECT_EQ(j->schreibfehler(), grund);   // the first reason, told once for the run
    j->synchronisieren();
    const Journalinhalt inhalt = Journal_Lesen(datei());
    EXPECT_EQ(Anzahl(inhalt, Art_Pause, voll, wieder), 1);
    EXPECT_EQ(Anzahl(inhalt, Art_Freigabe, voll, wieder), 1);
    EXPECT_GE(Anzahl(inhalt, Art_Probe, voll, wieder), 1);
    EXPECT_EQ(Anzahl(inhalt, Art_Verloren), 0);
    EXPECT_EQ(j->verloren(), 0u);
}

TEST_F(Plattenjournal, EveryRecordLostToALongFullDiskIsCounted)
{
    Journaldatei::Optionen o = platte->optionen();
    o.hoechstzahl = 400;   // the snapshot fits, half an hour of samples does not
    neu(o);
    s.START_BRAUEN();
    bis_phase(2);
    j->synchronisieren();
    platte->fehler_schreiben = ENOSPC;
    jlaufe(std::chrono::minutes(8));   // rest of phase 2 and into phase 3 ...
    a.Sim_Temperatur = 50;
    jlaufe(std::chrono::minutes(30));
    s.PAUSE_BRAUEN();                  // ... a pause and its release among the lost
    jlaufe(std::chrono::seconds(20));
    s.START_BRAUEN();
    jlaufe(std::chrono::seconds(20));
    const std::uint64_t verloren = j->verloren();
    EXPECT_GT(verloren, 3u);
    platte->fehler_schreiben = 0;
    const Zeitpunkt wieder = jetzt();
    ASSERT_TRUE(Bis([&] {
        jtakt();
        return Journal_Lesen(datei()).letzte >= wieder;
    }));
    j->synchronisieren();
    const Journalinhalt inhalt = Journal_Lesen(datei());
    long long gezaehlt = 0;
    for (const Zeile& r : inhalt.zeilen)
        if (r.art == Art_Verloren)
            gezaehlt += r.dauer_s.value_or(0);
    EXPECT_EQ(gezaehlt, static_cast<long long>(verloren));
    EXPECT_EQ(Anzahl(inhalt, Art_Pause), 0);
    // kept lines, then the loss record, then the first line after the loss
    const Zeile* loss = Erste(inhalt, Art_Verloren);
    ASSERT_TRUE(loss);
    EXPECT_GE(loss->zeit, wieder - std::chrono::seconds(1));
}

TEST_F(Plattenjournal, ASyncFailingWithEioIsToldAndTheBrewGoesOn)
{
    s.START_BRAUEN();
    bis_phase(2);
    platte->fehler_sync = EIO;
    jlaufe(std::chrono::seconds(6));
    EXPECT_NE(j->schreibfehler().find(std::strerror(EIO)), std::string::npos) << j->schreibfehler();
    platte->fehler_sync = 0;
    jlaufe(std::chrono::seconds(6));
    EXPECT_EQ(a.Akt_Phase, 2);
    j->synchronisieren();
    EXPECT_GE(Anzahl(Journal_Lesen(datei()), Art_Probe), 3);
}

} // namespace
} // namespace kw::test
