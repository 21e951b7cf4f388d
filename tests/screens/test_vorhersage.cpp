// The predicted end on the real main screen: shown while a run goes, recorded at each
// phase start, dropped when the run ends while it is computed, no wait at the program's
// end; the brew report's predicted against actual. With KW_BILDER=<folder> the report
// pages are kept there as pictures.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "Testanwendung.h"
#include "journal/Journal_Lesen.h"
#include "screens/Braubericht.h"
#include "screens/Grundbild.h"
#include "screens/Vorhersageanzeige.h"

namespace kw::test {
namespace {

using kw::test::Ausfuehren;
using kw::test::Werkzeug_Da;

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace journal;


void Rast(Maischprogramm& pr, int n, const std::string& minuten)
{
    Cl_Phase& p = pr.Phase(n);
    p.setHeizphase("True");
    p.setAufheizphase("False");
    p.setKuehlphase("False");
    p.setTemperatur("63");
    p.setHeizzeit(minuten);
    p.setRuehrimpuls("10");
    p.setRuehrpause("20");
    p.setKein_Ruf("True");
    p.setRuf_Ende_Phase("False");
    p.setRuf_nach_Rufzeit("False");
    p.setRufzeit("0");
    p.setRuftext("");
    pr.Titel(n) = "Rast " + std::to_string(n);
}

// The main screen on the fake clock, in simulation at 63 °C, driven tick by tick.
struct Lauf {
    QTemporaryDir ordner;
    Testumgebung t{ordner.path().toStdString()};
    Grundbild* g = nullptr;
    Vorhersageanzeige* v = nullptr;
    test::Zeittakt takt;

    Lauf()
    {
        g = &t.app->bildschirm<Grundbild>();
        g->show();
        g->Timer_Anhalten();
        g->Timer1_Timer();
        if (t.app->geladen("HardwareAbfrage"))
            t.app->bildschirm("HardwareAbfrage")->hide();
        t.meldungen_abholen();
        v = g->findChild<Vorhersageanzeige*>();
        klick("Switch1");
        t.app->anlage.Sim_Temperatur = 63;
        t.app->anlage.Programm.Biersorte = "Probe";
    }
    void klick(const char* name)
    {
        auto* k = g->findChild<QAbstractButton*>(QString::fromLatin1(name));
        ASSERT_TRUE(k) << name;
        QTest::mouseClick(k, Qt::LeftButton);
    }
    void tick() { takt.schritt(*g, t.uhr); }
    void laufe(std::chrono::seconds s) { takt.laufe(*g, t.uhr, s); }
    // The widget looks at the run, and its result (if it asked) is waited for.
    bool pruefen_und_warten()
    {
        // The result comes by a queued signal: it cannot have come before the wait.
        QSignalSpy spy(v, &Vorhersageanzeige::aktualisiert);
        const auto vorher = v->anfragen();
        v->pruefen();
        return v->anfragen() != vorher && spy.wait(10000);
    }
    std::string feld() const { return v->feld()->text().toStdString(); }
};

TEST(Vorhersageanzeige, ShowsTheProgramEndAndRecordsItAtEachPhaseStart)
{
    Lauf l;
    ASSERT_TRUE(l.v);
    Maischprogramm& pr = l.t.app->anlage.Programm;
    pr.AnzPhasen = "2";
    Rast(pr, 1, "10");
    Rast(pr, 2, "5");
    EXPECT_EQ(l.v->findChild<QLabel*>(QStringLiteral("Vorhersage_Titel"))->text().toStdString(),
              "Ende Programm (Vorhersage)");
    EXPECT_FALSE(l.pruefen_und_warten());   // no run: nothing asked, nothing shown
    EXPECT_EQ(l.feld(), "");

    l.klick("START_BRAUEN");
    for (int i = 0; i < 5 && l.t.app->anlage.Ablaufschritt != 3; ++i)
        l.tick();
    ASSERT_EQ(l.t.app->anlage.Ablaufschritt, 3);
    ASSERT_TRUE(l.pruefen_und_warten());
    ASSERT_TRUE(l.v->vorhersage());
    EXPECT_TRUE(l.v->vorhersage()->endet);
    EXPECT_NEAR(l.v->vorhersage()->rest_s, 15 * 60, 3);
    EXPECT_EQ(l.feld(), "10:15");   // started at 10:00:00 on the test clock

    // Within the minute nothing is asked again; after it, once.
    l.laufe(30s);
    EXPECT_FALSE(l.pruefen_und_warten());
    l.laufe(31s);
    EXPECT_TRUE(l.pruefen_und_warten());
    EXPECT_NEAR(l.v->vorhersage()->rest_s, 14 * 60, 3);
    EXPECT_EQ(l.feld(), "10:15");

    // +5 min: the next update knows it.
    l.klick("ZeitRauf");
    l.laufe(60s);
    ASSERT_TRUE(l.pruefen_und_warten());
    EXPECT_EQ(l.feld(), "10:20");

    // The second phase's start asks at once.
    ASSERT_TRUE(l.t.app->journal().offen());
    const std::string journal = l.t.app->journal().pfad();
    for (int i = 0; i < 20 * 600 && l.t.app->anlage.Akt_Phase != 2; ++i)
        l.tick();
    l.tick();
    ASSERT_TRUE(l.pruefen_und_warten());
    EXPECT_NEAR(l.v->vorhersage()->rest_s, 5 * 60, 3);
    EXPECT_EQ(l.feld(), "10:20");

    // After the end: an empty field.
    l.laufe(5min + 2s);
    ASSERT_FALSE(l.t.app->anlage.Brauen_Gestartet);
    l.v->pruefen();
    EXPECT_EQ(l.feld(), "");
    EXPECT_FALSE(l.v->vorhersage());

    l.t.app->journal().synchronisieren();
    const Journalinhalt j = Journal_Lesen(journal);
    const auto phasen = Phasen_Auswerten(j);
    ASSERT_EQ(phasen.size(), 2u);
    for (const Phasenverlauf& p : phasen) {
        ASSERT_TRUE(p.vorhersage_ende) << p.phase;
        ASSERT_TRUE(p.vorhersage_programmende) << p.phase;
        ASSERT_TRUE(p.ende);
    }
    // Phase 1's start knew nothing of the +5 min; phase 2's start knew it all.
    EXPECT_NEAR((*phasen[0].vorhersage_ende - *phasen[0].ende).count(), -5 * 60, 3);
    EXPECT_NEAR((*phasen[1].vorhersage_ende - *phasen[1].ende).count(), 0, 3);
    EXPECT_NEAR((*phasen[0].vorhersage_programmende - *phasen[1].ende).count(), -5 * 60, 3);
    EXPECT_NEAR((*phasen[1].vorhersage_programmende - *phasen[1].ende).count(), 0, 3);

    // The report: predicted against actual, in German and in English.
    if (!Werkzeug_Da("pdftotext"))
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const char* bilder = std::getenv("KW_BILDER");
    for (int sprache : {1, 2}) {
        l.t.app->anlage.Sprachnummer = sprache;
        l.t.app->Sprache_Umschalten();
        l.t.meldungen_abholen();
        const Berichtsergebnis e = Braubericht_Schreiben(journal, l.t.app->texte);
        ASSERT_TRUE(e.ok) << e.fehler;
        const std::string text = Ausfuehren("pdftotext -layout '" + e.pdf + "' -");
        if (sprache == 1) {
            EXPECT_EQ(l.feld(), "");
            for (const char* teil : {"Vorhersage und Wirklichkeit", "Wirkliches Programmende: 08.12.2026 10:20:0",
                                     "Vorhergesagt jeweils beim Start der Phase", " -5,0 ", " 0,0"})
                EXPECT_NE(text.find(teil), std::string::npos) << teil << "\n" << text;
            // Not listed again among the interventions.
            EXPECT_EQ(text.find("Vorhersage Phase"), std::string::npos) << text;
        } else {
            EXPECT_EQ(l.v->findChild<QLabel*>(QStringLiteral("Vorhersage_Titel"))->text().toStdString(),
                      "Program end (forecast)");
            for (const char* teil : {"Predicted and actual", "Actual program end: 08.12.2026 10:20:0", " -5.0 "})
                EXPECT_NE(text.find(teil), std::string::npos) << teil << "\n" << text;
        }
        if (bilder && Werkzeug_Da("pdftoppm"))
            Ausfuehren("pdftoppm -r 60 -png '" + e.pdf + "' '" + bilder + "/braubericht_vorhersage_"
                       + std::to_string(sprache) + "'");
    }
}

// Twenty long rests: the dry run takes seconds, so the run can end while it computes.
void Langes_Programm(Maischprogramm& pr)
{
    pr.AnzPhasen = "20";
    for (int n = 1; n <= 20; ++n)
        Rast(pr, n, "999");
}

TEST(Vorhersageanzeige, ARunEndingOrTheProgramEndingWhileItComputesIsClean)
{
    {
        Lauf l;
        Langes_Programm(l.t.app->anlage.Programm);
        l.klick("START_BRAUEN");
        for (int i = 0; i < 5; ++i)
            l.tick();
        l.v->pruefen();
        ASSERT_TRUE(l.v->rechnet());
        // STOP: the computation is told to stop, and what it gives is not shown.
        l.klick("STOP_BRAUEN");
        l.tick();
        l.v->pruefen();
        QSignalSpy spy(l.v, &Vorhersageanzeige::aktualisiert);
        // Until the answer is taken: the future ends before its signal is delivered.
        for (int i = 0; i < 400 && (l.v->rechnet() || l.v->abgebrochen() == 0); ++i)
            QTest::qWait(25);
        EXPECT_FALSE(l.v->rechnet());
        // Twenty long rests take seconds: it stopped because it was told to.
        EXPECT_EQ(l.v->abgebrochen(), 1u);
        EXPECT_EQ(spy.count(), 0);
        EXPECT_FALSE(l.v->vorhersage());
        EXPECT_EQ(l.feld(), "");
        // A new run asks afresh.
        Maischprogramm& pr = l.t.app->anlage.Programm;
        pr.AnzPhasen = "1";
        Rast(pr, 1, "30");
        l.klick("START_BRAUEN");
        for (int i = 0; i < 5; ++i)
            l.tick();
        ASSERT_TRUE(l.pruefen_und_warten());
        EXPECT_NEAR(l.v->vorhersage()->rest_s, 30 * 60, 3);
    }
    {
        // The program ends while a long computation runs: cancelled (the flag checked
        // above), and the widget goes while its thread still runs.
        auto l = std::make_unique<Lauf>();
        Langes_Programm(l->t.app->anlage.Programm);
        l->klick("START_BRAUEN");
        for (int i = 0; i < 5; ++i)
            l->tick();
        l->v->pruefen();
        ASSERT_TRUE(l->v->rechnet());
        l.reset();
    }
}

TEST(Vorhersageanzeige, AProgramThatNeverEndsIsSaidSo)
{
    Lauf l;
    Maischprogramm& pr = l.t.app->anlage.Programm;
    pr.AnzPhasen = "2";
    Rast(pr, 1, "10");
    Cl_Phase& p = pr.Phase(2);
    p = pr.Phase(1);
    p.setHeizphase("False");
    p.setKuehlphase("True");
    p.setTemperatur("15");   // below the room: no cooling in the automatic run
    pr.Titel(2) = "Kühlen";
    l.klick("START_BRAUEN");
    for (int i = 0; i < 5; ++i)
        l.tick();
    ASSERT_TRUE(l.pruefen_und_warten());
    ASSERT_TRUE(l.v->vorhersage());
    EXPECT_FALSE(l.v->vorhersage()->endet);
    EXPECT_EQ(l.feld(), "endet nie (Phase 2)");
    EXPECT_NE(l.v->feld()->toolTip().toStdString().find("Raumtemperatur"), std::string::npos);
    l.t.app->journal().synchronisieren();
    const auto phasen = Phasen_Auswerten(Journal_Lesen(l.t.app->journal().pfad()));
    ASSERT_EQ(phasen.size(), 1u);
    EXPECT_NE(phasen[0].vorhersage_endlos.find("Phase 2: "), std::string::npos) << phasen[0].vorhersage_endlos;
    EXPECT_TRUE(phasen[0].vorhersage_ende);
}

} // namespace
} // namespace kw::test
