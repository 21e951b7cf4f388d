// The brew journal on the real screens: a brew cut off and resumed through the
// dialog and START, discarding, the brew report as PDF, the curve of a journal.
// With KW_BILDER=<folder> the dialog, the screens and the report pages are kept
// there as pictures.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <map>
#include <regex>
#include <sstream>

#include "Beispielsud.h"
#include "Testanwendung.h"
#include "journal/Journal_Lesen.h"
#include "screens/Braubericht.h"
#include "screens/Brauprotokoll.h"
#include "screens/Fortsetzung.h"
#include "screens/Grundbild.h"
#include "screens/TEMPZEITKURV.h"
#include "texts/Journaltexte.h"

namespace kw::test {
namespace {

using kw::test::Ausfuehren;
using kw::test::Werkzeug_Da;

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace journal;

std::string Bilderordner()
{
    const char* d = std::getenv("KW_BILDER");
    return d ? d : "";
}

void Bild(QWidget& w, const char* name)
{
    if (Bilderordner().empty())
        return;
    w.grab().save(QString::fromStdString(Bilderordner() + "/" + name + ".png"));
}


// One running program on the fake clock, driven tick by tick as its timers would.
struct Programm {
    Testumgebung t;
    Grundbild* g;
    test::Zeittakt takt;

    Programm(const std::string& ordner, std::chrono::sys_seconds uhrzeit) : t(ordner)
    {
        t.uhr.stellen(uhrzeit);
        g = &t.app->bildschirm<Grundbild>();
        g->show();
        g->Timer_Anhalten();
    }
    Anwendung& app() { return *t.app; }

    void tick() { takt.schritt(*g, t.uhr); }
    void laufe(std::chrono::seconds s) { takt.laufe(*g, t.uhr, s); }
    template <class F> bool bis(F bed, std::chrono::seconds grenze = 3h)
    {
        for (long i = 0; i < grenze.count() * 10; ++i) {
            if (bed())
                return true;
            tick();
        }
        ADD_FAILURE() << "condition not reached";
        return false;
    }
    template <class W = QAbstractButton> W* w(QWidget& bild, const char* name)
    {
        W* x = bild.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(x, nullptr) << name;
        return x;
    }
    void druck(const char* name)
    {
        QTest::mousePress(w(*g, name), Qt::LeftButton);
        QTest::mouseRelease(w(*g, name), Qt::LeftButton);
    }
    void klick(const char* name) { QTest::mouseClick(w(*g, name), Qt::LeftButton); }
    // The first tick shows the settings; their OK confirms them (and offers a resume).
    void einstellungen_bestaetigen(int sprache = 1)
    {
        tick();
        QWidget* dialog = app().bildschirm("HardwareAbfrage");
        ASSERT_TRUE(dialog && dialog->isVisible());
        const std::string option = "Sprache" + std::to_string(sprache);
        // an option takes clicks on its circle and caption, not the free space beside them
        QAbstractButton* o = w(*dialog, option.c_str());
        QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(6, o->height() / 2));
        QTest::mouseClick(w(*dialog, "Command1"), Qt::LeftButton);
        if (app().geladen("HardwareConf"))
            app().bildschirm("HardwareConf")->hide();
        t.meldungen_abholen();
    }
    // Heating and cooling phases reach their target at once; calls are acknowledged.
    void ziele_erreichen()
    {
        Anlage& a = app().anlage;
        if (a.Ablaufschritt == 3 && a.Akt_Phase > 0 && !Flag_Lesen(a.Programm.Phase(a.Akt_Phase).Heizphase()))
            a.Sim_Temperatur = std::stoi(a.Programm.Phase(a.Akt_Phase).Temperatur());
        if (a.Ruf_Aktiv)
            druck("QUITTIEREN");
    }
};

class Journalbildschirme : public ::testing::Test {
protected:
    QTemporaryDir ordner;
    std::string pfad() const { return ordner.path().toStdString(); }
};

struct Abbruch {
    std::string journal;
    std::chrono::sys_seconds zeit{};
};

// The first program: the example brew (beer `bier`) runs into phase 4 and `dauer` on,
// `unterwegs(p, second)` acting each second; then it is gone without BEENDEN, as in a crash.
template <class F>
Abbruch Sud_Abbrechen(const std::string& ordner, std::chrono::seconds dauer, F unterwegs,
                      const std::string& bier = "Märzen")
{
    Abbruch r;
    Programm p(ordner, Startzeit);
    p.einstellungen_bestaetigen();
    BrauDaten daten;
    Beispielsud::Programm(p.app().anlage.Programm, daten);
    p.app().anlage.Programm.Biersorte = bier;
    p.app().brauDaten = daten;
    p.klick("Switch1");
    p.app().anlage.Sim_Temperatur = 45;
    p.druck("START_BRAUEN");
    p.bis([&] {
        p.ziele_erreichen();
        return p.app().anlage.Akt_Phase == 4 && p.app().anlage.Ablaufschritt == 3;
    });
    for (long sekunde = 0; sekunde < dauer.count(); ++sekunde) {
        unterwegs(p, sekunde);
        p.laufe(1s);
    }
    r.journal = p.app().journal().pfad();
    r.zeit = p.t.uhr.jetzt();
    return r;
}
void Nichts(Programm&, long) {}

// The next program takes the offer with "Fortsetzen"; simulation on at 60 °C. Returns the offer's text.
std::string Fortsetzen(Programm& p)
{
    p.app().anlage.Sim_Temperatur = 20;
    p.einstellungen_bestaetigen();
    if (!p.app().geladen(Fortsetzung::Name)) {
        ADD_FAILURE() << "no offer";
        return {};
    }
    auto& dialog = p.app().bildschirm<Fortsetzung>();
    EXPECT_TRUE(dialog.isVisible());
    const std::string text = dialog.text().toStdString();
    QTest::mouseClick(p.w(dialog, "Fortsetzen"), Qt::LeftButton);
    p.klick("Switch1");
    p.app().anlage.Sim_Temperatur = 60;
    p.tick();
    return text;
}

double Sekunden_Seit(Programm& p, std::chrono::sys_seconds t)
{
    return static_cast<double>((p.t.uhr.jetzt() - t).count());
}

TEST_F(Journalbildschirme, AResumedPhaseKeepsItsTimedCallAndItsNudgedTarget)
{
    const Abbruch ab = Sud_Abbrechen(pfad(), 12min + 20s, [](Programm& p, long sekunde) {
        if (sekunde == 300)
            for (int i = 0; i < 5; ++i)
                p.klick("SollRauf");   // 63.0 -> 63.5
    });
    Programm p(pfad(), ab.zeit + 15min);
    const std::string angebot = Fortsetzen(p);
    EXPECT_NE(angebot.find("(halten, 63,5 °C)"), std::string::npos) << angebot;
    EXPECT_EQ(journal::Temperatur_Lesen(p.app().anlage.Programm.Phase(4).Temperatur()), 63.5);
    p.druck("START_BRAUEN");
    ASSERT_TRUE(p.bis([&] { return p.app().anlage.Ablaufschritt == 3; }, 5s));
    const auto start = p.t.uhr.jetzt();
    p.laufe(1s);
    EXPECT_EQ(journal::Temperatur_Lesen(p.app().anzeige.Anzeige_TempSoll), 63.5);
    // the call at 20 min from the phase's first start: 7:40 after this START
    ASSERT_TRUE(p.bis([&] { return p.app().anlage.Ruf_Aktiv; }, 20min));
    EXPECT_NEAR(Sekunden_Seit(p, start), 7 * 60 + 40, 1.0);
    EXPECT_TRUE(p.app().geladen("BraumeisterRuf") && p.app().bildschirm("BraumeisterRuf")->isVisible());
    p.druck("QUITTIEREN");
    // and the rest to the second
    ASSERT_TRUE(p.bis([&] { return p.app().anlage.Akt_Phase == 5; }, 20min));
    EXPECT_NEAR(Sekunden_Seit(p, start), 17 * 60 + 40, 1.0);
}

TEST_F(Journalbildschirme, ACallThatWaitedWhenTheProgramDiedComesAgainAtStart)
{
    // the timed call came at 20 min and was not acknowledged
    const Abbruch ab = Sud_Abbrechen(pfad(), 20min + 30s, Nichts);
    Programm p(pfad(), ab.zeit + 5min);
    Fortsetzen(p);
    p.druck("START_BRAUEN");
    ASSERT_TRUE(p.bis([&] { return p.app().anlage.Ablaufschritt == 3; }, 5s));
    p.tick();
    EXPECT_TRUE(p.app().anlage.Ruf_Aktiv);
    ASSERT_TRUE(p.app().geladen("BraumeisterRuf"));
    EXPECT_TRUE(p.app().bildschirm("BraumeisterRuf")->isVisible());
    EXPECT_EQ(p.app().anlage.Aus_Heizung, 0);
    p.druck("QUITTIEREN");
    p.laufe(3s);
    EXPECT_FALSE(p.app().anlage.Ruf_Aktiv);
}

TEST_F(Journalbildschirme, TheResumesArmingEndsWithItsRun)
{
    const Abbruch ab = Sud_Abbrechen(pfad(), 12min, Nichts);
    Programm p(pfad(), ab.zeit + 15min);
    Fortsetzen(p);
    p.druck("START_BRAUEN");
    ASSERT_TRUE(p.bis([&] { return p.app().anlage.Ablaufschritt == 3; }, 5s));
    EXPECT_EQ(p.w(*p.g, "switch3")->text(), "Deaktivieren");
    ASSERT_TRUE(p.bis([&] {
        p.ziele_erreichen();
        return !p.app().anlage.Brauen_Gestartet;
    }));
    p.tick();
    EXPECT_EQ(p.w(*p.g, "switch3")->text(), "Aktivieren");
    EXPECT_EQ(p.app().anlage.Start_ab_Phase, 0);
    // the next brew of the session begins with mash-in
    p.app().anlage.Sim_Temperatur = 20;
    p.druck("START_BRAUEN");
    ASSERT_TRUE(p.bis([&] { return p.app().anlage.Ablaufschritt == 3; }, 5s));
    EXPECT_EQ(p.app().anlage.Akt_Phase, 1);
}

TEST_F(Journalbildschirme, AFileThatIsNoJournalDoesNotHideTheUnfinishedOne)
{
    const Abbruch ab = Sud_Abbrechen(pfad(), 10s, Nichts);
    const fs::path sude = fs::path(ab.journal).parent_path();
    std::ofstream(sude / "2030-01-01_00-00-00_Märzen.csv", std::ios::binary) << std::string(4096, '\0');
    Programm p(pfad(), ab.zeit + 15min);
    p.einstellungen_bestaetigen();
    ASSERT_TRUE(p.app().geladen(Fortsetzung::Name));
    EXPECT_TRUE(p.app().bildschirm<Fortsetzung>().isVisible());
    EXPECT_EQ(p.app().bildschirm<Fortsetzung>().pfad(), ab.journal);
}

TEST_F(Journalbildschirme, JournalNamesKeepBlanksAndOldNamesWithUnderscoresStillServe)
{
    const Abbruch ab = Sud_Abbrechen(pfad(), 10s, Nichts, "Helles Export");
    const std::string name = fs::path(ab.journal).filename().string();
    EXPECT_EQ(name.substr(19), "_Helles Export.csv");
    EXPECT_TRUE(fs::exists(ab.journal));
    // as a journal written before was named
    const std::string alt = (fs::path(ab.journal).parent_path() / (name.substr(0, 19) + "_Helles_Export.csv")).string();
    fs::rename(ab.journal, alt);
    Programm p(pfad(), ab.zeit + 15min);
    const std::string angebot = Fortsetzen(p);
    EXPECT_NE(angebot.find("„Helles Export“"), std::string::npos) << angebot;
    p.druck("START_BRAUEN");
    ASSERT_TRUE(p.bis([&] { return p.app().anlage.Ablaufschritt == 3; }, 5s));
    EXPECT_EQ(p.app().journal().pfad(), alt);
    p.laufe(6s);
    p.app().journal().synchronisieren();
    const Journalinhalt j = Journal_Lesen(alt);
    EXPECT_EQ(j.programm.Biersorte, "Helles Export");
    bool fortgesetzt = false;
    for (const Zeile& z : j.zeilen)
        fortgesetzt = fortgesetzt || z.art == Art_Fortsetzung;
    EXPECT_TRUE(fortgesetzt);
}

// Ticks until `bed` holds: the journal's writer works on the wall clock (at most 10 s).
template <class F> bool Bis_Geschrieben(Programm& p, F bed)
{
    const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!bed()) {
        if (std::chrono::steady_clock::now() > ende)
            return false;
        p.tick();
        QTest::qWait(1);
    }
    return true;
}

// The file size limit of this process stands in for a full disk: the journal's writes fail
// (EFBIG) like on a full one, with the real file system underneath.
struct Groessengrenze {
    rlimit vorher{};
    explicit Groessengrenze(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &vorher);
        rlimit r = vorher;
        r.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &r);
    }
    void aufheben() { ::setrlimit(RLIMIT_FSIZE, &vorher); }
    ~Groessengrenze() { aufheben(); }
};

TEST_F(Journalbildschirme, AJournalThatCannotBeWrittenIsToldOnceAndTheBrewGoesOn)
{
    Programm p(pfad(), Startzeit);
    p.einstellungen_bestaetigen();
    BrauDaten daten;
    Beispielsud::Programm(p.app().anlage.Programm, daten);
    p.klick("Switch1");
    p.app().anlage.Sim_Temperatur = 45;
    p.druck("START_BRAUEN");
    p.laufe(10s);
    p.app().journal().synchronisieren();
    const std::string journal = p.app().journal().pfad();
    {
        Groessengrenze grenze(fs::file_size(journal));
        const auto voll = p.t.uhr.jetzt();
        p.laufe(2s);
        p.druck("PAUSE_BRAUEN");
        p.laufe(2s);
        p.druck("START_BRAUEN");
        p.laufe(2s);
        // kept as a picture once files may grow again
        std::vector<QPixmap> bilder;
        for (QMessageBox* b : p.app().meldungsanzeige().offene())
            bilder.push_back(b->grab());
        const std::vector<std::string> m = p.t.meldungen_abholen();
        ASSERT_EQ(m.size(), 1u) << ::testing::PrintToString(m);
        EXPECT_EQ(m[0].rfind("Der Sud wird zurzeit nicht aufgezeichnet", 0), 0u) << m[0];
        EXPECT_NE(m[0].find(std::strerror(EFBIG)), std::string::npos) << m[0];
        p.laufe(10s);
        EXPECT_EQ(p.t.meldungen_abholen(), std::vector<std::string>{});   // once
        EXPECT_EQ(p.app().anlage.Ablaufschritt, 3);                       // the brew goes on
        EXPECT_LT(Journal_Lesen(journal).letzte, voll + 1s);

        // the disk recovers: the journal goes on, with what came meanwhile
        grenze.aufheben();
        if (!Bilderordner().empty())
            for (const QPixmap& b : bilder)
                b.save(QString::fromStdString(Bilderordner() + "/journal_schreibfehler.png"));
        const auto wieder = p.t.uhr.jetzt();
        ASSERT_TRUE(Bis_Geschrieben(p, [&] { return Journal_Lesen(journal).letzte >= wieder; }));
        int pausen = 0, freigaben = 0;
        for (const Zeile& z : Journal_Lesen(journal).zeilen) {
            pausen += z.art == Art_Pause && z.zeit > voll;
            freigaben += z.art == Art_Freigabe && z.zeit > voll;
        }
        EXPECT_EQ(pausen, 1);
        EXPECT_EQ(freigaben, 1);
    }
    EXPECT_EQ(p.t.meldungen_abholen(), std::vector<std::string>{});
}

TEST_F(Journalbildschirme, CutOffBrewIsResumedThroughTheDialogAndStart)
{
    std::string journal;
    std::chrono::sys_seconds abbruch{};
    {
        // The first program: the brew runs into phase 4 and is then cut off (no end).
        Programm p(pfad(), Startzeit);
        p.einstellungen_bestaetigen();
        EXPECT_FALSE(p.app().geladen(Fortsetzung::Name));   // nothing to offer yet
        BrauDaten daten;
        Beispielsud::Programm(p.app().anlage.Programm, daten);
        p.app().brauDaten = daten;
        p.klick("Switch1");
        p.app().anlage.Sim_Temperatur = 45;
        p.druck("START_BRAUEN");
        p.bis([&] {
            p.ziele_erreichen();
            return p.app().anlage.Akt_Phase == 4 && p.app().anlage.Ablaufschritt == 3;
        });
        p.laufe(12min + 20s);
        journal = p.app().journal().pfad();
        abbruch = p.t.uhr.jetzt();
    }   // gone without BEENDEN, as in a crash
    ASSERT_FALSE(journal.empty());
    ASSERT_FALSE(Journal_Lesen(journal).beendet);

    // The next start, a quarter of an hour later.
    Programm p(pfad(), abbruch + 15min);
    p.app().anlage.Sim_Temperatur = 20;
    p.einstellungen_bestaetigen();
    ASSERT_TRUE(p.app().geladen(Fortsetzung::Name));
    auto& dialog = p.app().bildschirm<Fortsetzung>();
    ASSERT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.pfad(), journal);
    const std::string text = dialog.text().toStdString();
    EXPECT_EQ(text, "Ein Sud wurde nicht beendet: Bier „Märzen“, begonnen 08.12.2026 10:00, unterbrochen "
                    + Ausfuehren("TZ=UTC date -d @" + std::to_string(abbruch.time_since_epoch().count())
                                 + " +%H:%M | tr -d '\\n'")
                    + " in Phase 4 „Maltoserast“ (halten, 63 °C) nach 12 von 30 Minuten.");
    Bild(dialog, "fortsetzen_dialog");
    EXPECT_EQ(p.w(dialog, "Fortsetzen")->text(), "Fortsetzen");
    EXPECT_EQ(p.w(dialog, "Verwerfen")->text(), "Verwerfen");

    const std::size_t bytes_vorher = p.t.geraete.lpt.bytes.size();
    QTest::mouseClick(p.w(dialog, "Fortsetzen"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    // program and brew data in the editors, "Start ab Phase" armed
    EXPECT_EQ(p.app().anlage.Programm.Biersorte, "Märzen");
    EXPECT_EQ(p.app().anlage.Programm.Titel(4), "Maltoserast");
    EXPECT_EQ(p.app().brauDaten.Malzsorte1, "Pilsner Malz");
    ASSERT_TRUE(p.app().geladen("PARAMETER"));   // the language switch at OK made every screen
    EXPECT_EQ(p.w<QLineEdit>(*p.app().bildschirm("PARAMETER"), "Par_Biersorte")->text(), "Märzen");
    ASSERT_TRUE(p.app().geladen("Brauprotokoll"));
    EXPECT_EQ(p.w<QLineEdit>(*p.app().bildschirm("Brauprotokoll"), "Malzsorte1")->text(), "Pilsner Malz");
    EXPECT_EQ(p.w(*p.g, "switch3")->text(), "Deaktivieren");
    EXPECT_EQ(p.w<QLineEdit>(*p.g, "Eingabe_Start_Phase")->text(), "4");
    EXPECT_EQ(p.w<QLineEdit>(*p.g, "Eingabe_Start_Zeit")->text(), "18");
    Bild(*p.g, "fortsetzen_grundbild");

    // nothing switches before START
    p.klick("Switch1");
    p.app().anlage.Sim_Temperatur = 60;
    p.laufe(40s);
    EXPECT_EQ(p.app().anlage.Ablaufschritt, 0);
    for (std::size_t i = bytes_vorher; i < p.t.geraete.lpt.bytes.size(); ++i)
        ASSERT_EQ(p.t.geraete.lpt.bytes[i], 0) << i;

    p.druck("START_BRAUEN");
    ASSERT_TRUE(p.bis([&] { return p.app().anlage.Ablaufschritt == 3; }, 5s));
    EXPECT_EQ(p.app().anlage.Akt_Phase, 4);
    EXPECT_EQ(p.app().journal().pfad(), journal);   // the same file goes on
    p.klick("switch3");                              // the next START would start from the top
    const auto start = p.t.uhr.jetzt();
    p.app().anlage.Sim_Temperatur = 63;
    ASSERT_TRUE(p.bis([&] {
        p.ziele_erreichen();   // the phase's timed call
        return p.app().anlage.Akt_Phase == 5;
    }, 1h));
    // the rest to the second: 30 min less the 12:20 it had run
    EXPECT_NEAR(static_cast<double>((p.t.uhr.jetzt() - start).count()), 17 * 60 + 40, 1.0);
    // and on as normal: phase 5 with its call, phase 6, FERTIG
    ASSERT_TRUE(p.bis([&] {
        p.ziele_erreichen();
        return !p.app().anlage.Brauen_Gestartet;
    }));
    p.tick();
    EXPECT_EQ(p.app().anzeige.Anzeige_Fertig, Lampe::Rot);
    EXPECT_EQ(p.app().anlage.Akt_Phase, 0);

    const Journalinhalt j = Journal_Lesen(journal);
    EXPECT_TRUE(j.beendet);
    EXPECT_EQ(j.endeart, "FERTIG");
    int fortsetzungen = 0;
    for (const Zeile& z : j.zeilen)
        fortsetzungen += z.art == Art_Fortsetzung;
    EXPECT_EQ(fortsetzungen, 1);
    const auto phasen = Phasen_Auswerten(j);
    ASSERT_EQ(phasen.size(), 7u);   // 1..4 cut, 4 resumed, 5, 6
    EXPECT_EQ(phasen[4].phase, 4);
    EXPECT_NEAR(static_cast<double>(phasen[4].geplant_s), 17 * 60 + 40, 1.0);
    EXPECT_EQ(phasen[6].phase, 6);
    EXPECT_EQ(phasen[6].wie, "Ende");

    // a finished journal is never offered again
    Programm danach(pfad(), p.t.uhr.jetzt() + 1h);
    danach.einstellungen_bestaetigen();
    EXPECT_FALSE(danach.app().geladen(Fortsetzung::Name) && danach.app().bildschirm(Fortsetzung::Name)->isVisible());
}

TEST_F(Journalbildschirme, DiscardClosesTheJournalAndASignalKeepsItOpen)
{
    std::string journal;
    {
        Programm p(pfad(), Startzeit);
        p.einstellungen_bestaetigen();
        BrauDaten daten;
        Beispielsud::Programm(p.app().anlage.Programm, daten);
        p.klick("Switch1");
        p.app().anlage.Sim_Temperatur = 50;
        p.druck("START_BRAUEN");
        p.laufe(30s);
        journal = p.app().journal().pfad();
        // SIGTERM at shutdown: the way out of main, with the journal cut off
        p.app().Journal_Unterbrechen("Signal");
        p.g->Beenden();
        EXPECT_EQ(p.t.geraete.lpt.letztes(), 0);
    }
    Journalinhalt j = Journal_Lesen(journal);
    EXPECT_FALSE(j.beendet);
    EXPECT_EQ(j.zeilen.back().art, "Unterbrochen");

    {
        Programm p(pfad(), Startzeit + 1h);
        p.einstellungen_bestaetigen(2);   // English
        ASSERT_TRUE(p.app().geladen(Fortsetzung::Name));
        auto& dialog = p.app().bildschirm<Fortsetzung>();
        ASSERT_TRUE(dialog.isVisible());
        EXPECT_NE(dialog.text().toStdString().find("Einmaischen"), std::string::npos);
        EXPECT_EQ(p.w(dialog, "Verwerfen")->text(), "Discard");
        Bild(dialog, "fortsetzen_dialog_en");
        QTest::mouseClick(p.w(dialog, "Verwerfen"), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(p.app().anlage.Start_ab_Phase, 0);
    }
    j = Journal_Lesen(journal);
    EXPECT_TRUE(j.beendet);
    EXPECT_EQ(j.endeart, "VERWORFEN");
    Programm p(pfad(), Startzeit + 2h);
    p.einstellungen_bestaetigen();
    EXPECT_FALSE(p.app().geladen(Fortsetzung::Name));
}

TEST_F(Journalbildschirme, HeatingInterlockAndItsWarningAreInTheJournal)
{
    // Outside simulation and without any reading the heating is held off: the journal says so.
    Programm p(pfad(), Startzeit);
    p.einstellungen_bestaetigen();
    BrauDaten daten;
    Beispielsud::Programm(p.app().anlage.Programm, daten);
    p.druck("START_BRAUEN");
    p.laufe(20s);
    const std::string journal = p.app().journal().pfad();
    ASSERT_FALSE(journal.empty());
    p.g->Beenden();
    std::vector<std::string> sperre;
    for (const auto& z : Journal_Lesen(journal).zeilen)
        if (z.art == "Sperre")
            sperre.push_back(z.text);
    ASSERT_GE(sperre.size(), 2u) << ::testing::PrintToString(sperre);
    EXPECT_EQ(sperre[0], "EIN: keine Messung");
    EXPECT_NE(std::find(sperre.begin(), sperre.end(), "Warnung: Heizsperre"), sperre.end());
}

TEST_F(Journalbildschirme, DialogSpeaksTheLanguageInEffect)
{
    Fortsetzungsangebot f;
    f.moeglich = true;
    f.biersorte = "Märzen";
    f.beginn = Startzeit;
    f.unterbrochen = Startzeit + 47min;
    f.phase = 3;
    f.titel = "Maltoserast";
    f.art = "Halten";
    f.soll = "63";
    f.laeuft = true;
    f.geplant_s = 40 * 60;
    f.vergangen_s = 23 * 60 + 10;
    EXPECT_EQ(Angebotstext(f, Journaltexte_Fuer(Sprache::Deutsch)).toStdString(),
              "Ein Sud wurde nicht beendet: Bier „Märzen“, begonnen 08.12.2026 10:00, unterbrochen 10:47 in "
              "Phase 3 „Maltoserast“ (halten, 63 °C) nach 23 von 40 Minuten.");
    EXPECT_EQ(Angebotstext(f, Journaltexte_Fuer(Sprache::Englisch)).toStdString(),
              "A brew was not finished: beer \"Märzen\", started 08.12.2026 10:00, interrupted 10:47 in step 3 "
              "\"Maltoserast\" (holding, 63 °C) after 23 of 40 minutes.");
    for (Sprache s : {Sprache::Portugiesisch, Sprache::Tschechisch, Sprache::Polnisch}) {
        const std::string t = Angebotstext(f, Journaltexte_Fuer(s)).toStdString();
        for (const char* teil : {"Märzen", "08.12.2026 10:00", "10:47", "Maltoserast", "63 °C", "23", "40"})
            EXPECT_NE(t.find(teil), std::string::npos) << t;
        EXPECT_EQ(t.find('%'), std::string::npos) << t;
    }
    f.neu = true;
    f.art = "Aufheizen";
    EXPECT_NE(Angebotstext(f, Journaltexte_Fuer(Sprache::Deutsch)).toStdString().find("(aufheizen, 63 °C); die Phase beginnt neu"),
              std::string::npos);
}

TEST_F(Journalbildschirme, BrewReportHoldsEveryPhaseAndEvent)
{
    if (!Werkzeug_Da("pdftotext"))
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    std::string journal;
    {
        Beispielsud sud(pfad());
        journal = sud.brauen();
    }
    Testumgebung t(pfad());
    auto& protokoll = t.app->bildschirm<Brauprotokoll>();
    QString vorgeschlagen;
    std::vector<QString> gezeigt;
    protokoll.setzeJournalwahl([&](QWidget*, const QString&, const QString& vorschlag) {
        vorgeschlagen = vorschlag;
        return vorschlag;
    });
    protokoll.setzeAnzeiger([&](const QString& pdf) { gezeigt.push_back(pdf); });
    protokoll.oeffnen();
    auto* knopf = protokoll.findChild<QPushButton*>(QStringLiteral("BRAUBERICHT"));
    ASSERT_TRUE(knopf);
    EXPECT_EQ(knopf->text(), "BRAUBERICHT");
    Bild(protokoll, "brauprotokoll");
    QTest::mouseClick(knopf, Qt::LeftButton);
    EXPECT_EQ(vorgeschlagen.toStdString(), journal);
    EXPECT_EQ(t.meldungen_abholen(), std::vector<std::string>{});
    ASSERT_EQ(gezeigt.size(), 1u);
    const std::string pdf = gezeigt[0].toStdString();
    EXPECT_EQ(pdf, journal.substr(0, journal.size() - 4) + ".pdf");
    ASSERT_TRUE(fs::exists(pdf));

    EXPECT_EQ(Ausfuehren("pdfinfo '" + pdf + "' | grep -c 'Page size:.*A4'"), "1\n");
    const std::string text = Ausfuehren("pdftotext -layout '" + pdf + "' -");
    for (const char* teil : {"Braubericht: Märzen", "Sud Liter: 50", "Pilsner Malz", "Probesud", "Einmaischen",
                             "Eiweißrast", "Aufheizen 63", "Maltoserast", "Aufheizen 72", "Verzuckerung",
                             "Jodprobe machen", "Malz zugeben; bitte \"jetzt\"", "30 s", "45 s", "42 s", "Pause",
                             "Freigabe", "2 min 00 s", "Soll", "63,1 °C", "5 min 00 s", "Gradient", "FERTIG",
                             "Temperaturverlauf", "Zeit seit Start [min]", "Temperatur [°C]", "Soll Akt."})
        EXPECT_NE(text.find(teil), std::string::npos) << teil << "\n" << text;
    // every phase row: number, planned minutes of the holding phases, start and end
    const auto phasen = Phasen_Auswerten(Journal_Lesen(journal));
    ASSERT_EQ(phasen.size(), 6u);
    for (const Phasenverlauf& v : phasen) {
        const std::time_t s = static_cast<std::time_t>(v.start.time_since_epoch().count());
        char b[16];
        std::strftime(b, sizeof b, "%H:%M:%S", std::localtime(&s));
        EXPECT_NE(text.find(b), std::string::npos) << "start of phase " << v.phase;
    }
    if (!Bilderordner().empty() && Werkzeug_Da("pdftoppm"))
        Ausfuehren("pdftoppm -r 60 -png '" + pdf + "' '" + Bilderordner() + "/braubericht'");
}

// A brew cut off in its fifth phase: phases 2 to 4 change within five seconds,
// a call answered, a nudged target, a pause; brew data typed with decimal commas,
// hops and malt only partly filled in.
std::string Bruchstueck_Schreiben(const std::string& ordner)
{
    const auto t0 = Startzeit + 24h;
    std::string inhalt = std::string(Kopfzeile) + "\n";
    auto satz = [&](std::chrono::seconds nach, std::string_view art, int phase = 0, std::optional<double> ist = {},
                    std::optional<double> soll = {}, std::optional<long long> dauer = {}, std::string feld = {},
                    std::string text = {}) {
        Zeile z;
        z.zeit = t0 + nach;
        z.art = std::string(art);
        z.phase = phase;
        z.ist = ist;
        z.soll_akt = soll;
        z.soll = soll;
        z.dauer_s = dauer;
        z.feld = std::move(feld);
        z.text = std::move(text);
        inhalt += Zeile_Schreiben(z);
    };
    using std::chrono::seconds;
    satz(0s, Art_Journal, 0, {}, {}, {}, "Version", "1");
    satz(0s, Art_Programm, 0, {}, {}, {}, "Biersorte", "Festbier");
    satz(0s, Art_Programm, 0, {}, {}, {}, "Anzahl_Phasen", "5");
    for (const auto& [k, v] : std::vector<std::pair<std::string, std::string>>{
             {"Sudgroesse", "32,5"}, {"Hauptguss", "20"}, {"Bitterhopfen", "Magnum"}, {"Bitterhopfzeit", "60"},
             {"Aromahopfen", "Tettnanger"}, {"Aromahopfenalpha", "4,5"}, {"Malzsorte1", "Pilsner Malz"},
             {"Malzmenge1", "6,25"}, {"Malzsorte2", "Melanoidin"}})
        satz(0s, Art_Braudaten, 0, {}, {}, {}, k, v);
    satz(0s, Art_Start);
    double ist = 45.0, soll = 52.0;
    int phase = 1;
    auto proben = [&](seconds von, seconds bis, double steigung) {
        for (seconds s = von; s < bis; s += 5s) {
            satz(s, Art_Probe, phase, ist, soll);
            ist = std::min(ist + steigung, soll + 0.3);
        }
    };
    satz(0s, Art_Phase_Start, 1, ist, soll, 0, "Aufheizen", "Einmaischen");
    proben(0s, 360s, 0.1);
    satz(360s, Art_Phase_Ende, 1, ist, soll, 360, "Ende");
    satz(360s, Art_Phase_Start, phase = 2, ist, soll, 60, "Halten", "Kurzrast");
    satz(362s, Art_Phase_Ende, 2, ist, soll, 2, "Abbruch");
    satz(362s, Art_Phase_Start, phase = 3, ist, soll, 0, "Aufheizen", "Zwischenschritt");
    satz(365s, Art_Phase_Ende, 3, ist, soll, 3, "Ende");
    satz(365s, Art_Phase_Start, phase = 4, ist, soll = 62.5, 0, "Aufheizen", "Aufheizen 2");
    proben(365s, 1200s, 0.1);
    satz(1200s, Art_Phase_Ende, 4, ist, soll, 835, "Ende");
    satz(1200s, Art_Phase_Start, phase = 5, ist, soll, 70 * 60, "Halten", "Verzuckerung");
    proben(1200s, 1800s, 0.0);
    satz(1800s, Art_Ruf, 5, ist, soll, {}, {}, "Jodprobe machen");
    satz(1830s, Art_Ruf_Stumm, 5, ist, soll, 30);
    satz(1845s, Art_Ruf_Quittiert, 5, ist, soll, 45);
    proben(1800s, 2400s, 0.0);
    satz(2400s, Art_Soll, 5, ist, soll = 63.5);
    proben(2400s, 3000s, 0.05);
    satz(3000s, Art_Pause, 5, ist, soll);
    satz(3120s, Art_Freigabe, 5, ist, soll, 120);
    proben(3120s, 5700s, 0.0);
    const std::string pfad = ordner + "/2026-12-09_10-00-00_Festbier.csv";
    std::ofstream(pfad, std::ios::binary) << inhalt;
    return pfad;
}

struct Wort {
    std::string text;
    double x0, y0, x1, y1;
    bool ueberlappt(const Wort& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
};
struct Seite {
    double breite = 0, hoehe = 0;
    std::vector<Wort> woerter;
    bool hat(const std::string& w) const
    {
        return std::any_of(woerter.begin(), woerter.end(), [&](const Wort& x) { return x.text == w; });
    }
};

// Every page of the PDF with its words and where they stand (points, from the top).
std::vector<Seite> Seiten_Lesen(const std::string& pdf)
{
    std::vector<Seite> seiten;
    const std::string html = Ausfuehren("pdftotext -bbox '" + pdf + "' -");
    static const std::regex seite(R"re(<page width="([0-9.]+)" height="([0-9.]+)">)re"),
        wort(R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
    std::istringstream ein(html);
    for (std::string zeile; std::getline(ein, zeile);) {
        std::smatch m;
        if (std::regex_search(zeile, m, seite)) {
            seiten.push_back({std::stod(m[1]), std::stod(m[2]), {}});
        } else if (std::regex_search(zeile, m, wort) && !seiten.empty()) {
            std::string t = m[5];
            for (const auto& [e, z] : std::vector<std::pair<std::string, std::string>>{
                     {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&#39;", "'"}, {"&amp;", "&"}})
                for (std::size_t p; (p = t.find(e)) != std::string::npos;)
                    t.replace(p, e.size(), z);
            seiten.back().woerter.push_back({t, std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), std::stod(m[4])});
        }
    }
    return seiten;
}

std::string Bericht_In(const std::string& journal, Sprache sprache)
{
    Texte texte;
    texte.aktuell = sprache;
    const Berichtsergebnis e = Braubericht_Schreiben(journal, texte);
    EXPECT_TRUE(e.ok) << e.fehler;
    return e.pdf;
}

constexpr Sprache Alle_Sprachen[] = {Sprache::Deutsch, Sprache::Englisch, Sprache::Portugiesisch,
                                     Sprache::Tschechisch, Sprache::Polnisch};

TEST_F(Journalbildschirme, ReportColumnsHoldEveryCaptionWholeInEveryLanguage)
{
    if (!Werkzeug_Da("pdftotext"))
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const std::string journal = Bruchstueck_Schreiben(pfad());
    for (Sprache s : Alle_Sprachen) {
        const std::string pdf = Bericht_In(journal, s);
        const auto seiten = Seiten_Lesen(pdf);
        ASSERT_GE(seiten.size(), 2u);
        const Journaltexte& t = Journaltexte_Fuer(s);
        // the tables stand on the first page: each word of each caption is there whole
        for (const std::string* k : {&t.Nr, &t.Titel, &t.Art, &t.Soll, &t.Geplant, &t.Start, &t.Ende, &t.Minuten,
                                     &t.Tiefste, &t.Hoechste, &t.Zeit, &t.Ruftext, &t.Stumm_Nach,
                                     &t.Quittiert_Nach, &t.Nicht_Beendet}) {
            std::istringstream w(*k);
            for (std::string teil; w >> teil;)
                EXPECT_TRUE(seiten[0].hat(teil)) << static_cast<int>(s) << ": " << teil << " of " << *k;
        }
        for (const Seite& seite : seiten)
            for (const Wort& w : seite.woerter)
                EXPECT_EQ(w.text.find("…"), std::string::npos) << static_cast<int>(s) << ": " << w.text;
        if (!Bilderordner().empty() && Werkzeug_Da("pdftoppm"))
            Ausfuehren("pdftoppm -r 80 -png '" + pdf + "' '" + Bilderordner() + "/bericht_"
                       + std::to_string(static_cast<int>(s)) + "'");
    }
}

TEST_F(Journalbildschirme, ReportKeepsTheBrewDataAsTypedAndMeasuresInTheLanguagesSeparator)
{
    if (!Werkzeug_Da("pdftotext"))
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const std::string journal = Bruchstueck_Schreiben(pfad());
    const std::string de = Ausfuehren("pdftotext -layout '" + Bericht_In(journal, Sprache::Deutsch) + "' -");
    for (const char* teil : {"Sud Liter: 32,5", "62,5", "63,5 °C", "6,0", "45,0"})
        EXPECT_NE(de.find(teil), std::string::npos) << teil << "\n" << de;
    for (const char* teil : {"62.5", "63.5", "6.0", "45.0", "32.5"})
        EXPECT_EQ(de.find(teil), std::string::npos) << teil << "\n" << de;
    const std::string en = Ausfuehren("pdftotext -layout '" + Bericht_In(journal, Sprache::Englisch) + "' -");
    for (const char* teil : {"Batch litres: 32,5", "62.5", "63.5 °C", "6.0", "45.0", "6,25 kg"})
        EXPECT_NE(en.find(teil), std::string::npos) << teil << "\n" << en;
    for (const char* teil : {"62,5", "63,5", "45,0"})
        EXPECT_EQ(en.find(teil), std::string::npos) << teil << "\n" << en;
}

TEST_F(Journalbildschirme, ReportLeavesOutEmptyHopAndMaltFields)
{
    if (!Werkzeug_Da("pdftotext"))
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const std::string text =
        Ausfuehren("pdftotext -layout '" + Bericht_In(Bruchstueck_Schreiben(pfad()), Sprache::Deutsch) + "' -");
    std::map<std::string, std::string> zeilen;   // caption -> what follows it
    std::istringstream ein(text);
    for (std::string z; std::getline(ein, z);) {
        z.erase(0, z.find_first_not_of(' '));
        z.erase(z.find_last_not_of(' ') + 1);
        if (const auto p = z.find(": "); p != std::string::npos)
            zeilen[z.substr(0, p)] = z.substr(p + 2);
    }
    EXPECT_EQ(zeilen["Bitterhopfen"], "Magnum, Zeit Minuten 60");
    EXPECT_EQ(zeilen["Aromahopfen"], "Tettnanger, alpha % 4,5");
    EXPECT_EQ(zeilen["Zutat 1"], "Pilsner Malz, 6,25 kg");
    EXPECT_EQ(zeilen["Zutat 2"], "Melanoidin");
    EXPECT_EQ(zeilen.count("Zutat 3"), 0u);
    EXPECT_EQ(text.find("Menge gr"), std::string::npos) << text;
}

TEST_F(Journalbildschirme, ReportCurveTakesItsPageAndKeepsPhaseNumbersApart)
{
    if (!Werkzeug_Da("pdftotext"))
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const std::string journal = Bruchstueck_Schreiben(pfad());
    for (Sprache s : Alle_Sprachen) {
        const auto seiten = Seiten_Lesen(Bericht_In(journal, s));
        ASSERT_EQ(seiten.size(), 2u) << static_cast<int>(s);
        const Seite& kurve = seiten[1];
        const Journaltexte& t = Journaltexte_Fuer(s);
        // the time axis' caption and the legend stand at the foot of the page
        const std::string achse = t.Achse_Zeit.substr(0, t.Achse_Zeit.find(' '));
        for (const std::string& w : {achse, t.Ist.substr(0, t.Ist.find(' '))}) {
            const auto it = std::find_if(kurve.woerter.begin(), kurve.woerter.end(),
                                         [&](const Wort& x) { return x.text == w; });
            ASSERT_NE(it, kurve.woerter.end()) << w;
            EXPECT_GT(it->y0, kurve.hoehe * 0.8) << w;
        }
        // the temperature scale spans most of the page
        double oben = 1e9, unten = 0;
        for (const Wort& w : kurve.woerter)
            if (w.text == "70" || w.text == "40") {
                oben = std::min(oben, w.y0);
                unten = std::max(unten, w.y1);
            }
        EXPECT_GT(unten - oben, kurve.hoehe * 0.6);
        // one number per phase start, none touching another
        std::vector<Wort> nummern;
        for (const Wort& w : kurve.woerter)
            if (w.text.size() == 1 && w.text[0] >= '1' && w.text[0] <= '5')
                nummern.push_back(w);
        ASSERT_EQ(nummern.size(), 5u) << static_cast<int>(s);
        for (std::size_t i = 0; i < nummern.size(); ++i)
            for (std::size_t k = i + 1; k < nummern.size(); ++k)
                EXPECT_FALSE(nummern[i].ueberlappt(nummern[k])) << nummern[i].text << " " << nummern[k].text;
    }
}

TEST_F(Journalbildschirme, CurveScreenDrawsTheWholeRunOfAJournal)
{
    std::string journal;
    {
        Beispielsud sud(pfad());
        journal = sud.brauen();
    }
    Testumgebung t(pfad());
    auto& kurve = t.app->bildschirm<TEMPZEITKURV>();
    kurve.Timer1().stop();
    QString verzeichnis;
    kurve.setzeJournalwahl([&](QWidget*, const QString& v) {
        verzeichnis = v;
        return QString::fromStdString(journal);
    });
    const QImage vorher = kurve.bild();
    auto* knopf = kurve.findChild<QPushButton*>(QStringLiteral("SUDJOURNAL"));
    ASSERT_TRUE(knopf);
    QTest::mouseClick(knopf, Qt::LeftButton);
    EXPECT_EQ(verzeichnis.toStdString(), pfad() + "/Sude");
    const HisKurve& k = kurve.kurve();
    EXPECT_EQ(k.His_Ist.front(), 45);
    EXPECT_EQ(k.His_Ist.back(), 72);
    EXPECT_EQ(k.His_Soll.back(), 72);
    // the samples spread over the whole run, in order
    EXPECT_LT(k.His_Zeit.front(), k.His_Zeit.back());
    int stufen = 0;
    for (std::size_t i = 1; i < k.His_Soll.size(); ++i)
        stufen += k.His_Soll[i] != k.His_Soll[i - 1];
    EXPECT_GE(stufen, 2);
    EXPECT_NE(kurve.bild(), vorher);
    kurve.show();
    Bild(kurve, "kurve_journal");
    // a file that is no journal: a message, the picture stays
    const QImage gezeichnet = kurve.bild();
    kurve.Journal_Zeichnen(QString::fromStdString(pfad() + "/fehlt.csv"));
    EXPECT_EQ(t.meldungen_abholen().size(), 1u);
    EXPECT_EQ(kurve.bild(), gezeichnet);
}

} // namespace
} // namespace kw::test
