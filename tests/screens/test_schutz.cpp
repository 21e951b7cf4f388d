// Exceptions at the event boundary: the program's own QApplication catches what
// a handler throws, switches every output off, says so, and goes on.
#include "Testanwendung.h"

#include "screens/Grundbild.h"
#include "screens/Schutzanwendung.h"

#include <QAbstractButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace kw::test {
namespace {

class Schutz : public ::testing::Test {
protected:
    QTemporaryDir ordner;
    Testumgebung t{ordner.path().toStdString()};
    Anwendung& app = *t.app;
    Grundbild* g = nullptr;

    void SetUp() override
    {
        static_cast<Schutzanwendung*>(qApp)->setStoerungsbehandlung(
            [this](const std::string& was) { app.Stoerung(was); });
        g = &app.bildschirm<Grundbild>();
        g->show();
        g->Timer_Anhalten();
        g->Timer1_Timer();  // first tick: the settings screen, put aside
        app.bildschirm("HardwareAbfrage")->hide();
        t.meldungen_abholen();
        // USB board, manual mode: heating and extra 2 on by hand.
        app.anlage.Schnittstelle = 4;
        app.anlage.Konfiguration_Bestaetigt = true;
        QTest::mouseClick(knopf("Switch2"), Qt::LeftButton);
        QTest::mouseClick(knopf("Man_Heizung"), Qt::LeftButton);
        QTest::mouseClick(knopf("Man_Extra2"), Qt::LeftButton);
        g->Timer1_Timer();
        EXPECT_EQ(t.geraete.usb.letztes(), 1 + 16);
    }
    void TearDown() override { static_cast<Schutzanwendung*>(qApp)->setStoerungsbehandlung({}); }

    QAbstractButton* knopf(const char* name) { return g->findChild<QAbstractButton*>(QString::fromLatin1(name)); }

    // A handler of the main screen that calls the mash program with a phase number outside 1..20.
    void fehlerhafter_handler()
    {
        QTimer::singleShot(0, g, [this] { (void)app.anlage.Programm.Phase(21); });
        QCoreApplication::processEvents();
    }
};

TEST_F(Schutz, AusnahmeImHandlerSchaltetAllesAusUndMeldetSich)
{
    fehlerhafter_handler();   // before, the exception left the event loop

    EXPECT_EQ(t.geraete.usb.letztes(), 0) << "written at once, not at the next tick";
    EXPECT_EQ(app.anlage.Aus_Heizung, 0);
    EXPECT_EQ(app.anlage.Aus_Extra2, 0);
    const auto boxen = app.meldungsanzeige().offene();
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0]->icon(), QMessageBox::Critical);
    const std::string text = boxen[0]->text().toStdString();
    EXPECT_EQ(text.rfind("Interner Fehler: phase number outside 1..20\n", 0), 0u) << text;
    EXPECT_NE(text.find("alle Ausgänge wurden ausgeschaltet"), std::string::npos) << text;
    t.meldungen_abholen();

    // The program goes on; the manual switches fell back, so the next ticks keep all off.
    g->Timer1_Timer();
    g->Timer1_Timer();
    EXPECT_EQ(t.geraete.usb.letztes(), 0);
    EXPECT_EQ(knopf("Man_Heizung")->text().toStdString(), "HEIZUNG EIN");
    QTest::mouseClick(knopf("Man_Heizung"), Qt::LeftButton);
    g->Timer1_Timer();
    EXPECT_EQ(t.geraete.usb.letztes(), 1) << "the brewer can switch on again";
}

TEST_F(Schutz, MeldungInDerGewaehltenSprache)
{
    app.anlage.Sprachnummer = 7;
    app.Sprache_Umschalten();
    fehlerhafter_handler();
    const auto m = t.meldungen_abholen();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].rfind("Błąd wewnętrzny: phase number outside 1..20", 0), 0u) << m[0];
}

// The timer handlers are guarded themselves too: a fault in one tick's work
// stops that work only.
TEST_F(Schutz, GeschuetzterAufrufFaengtAuchOhneEreignisgrenze)
{
    static_cast<Schutzanwendung*>(qApp)->setStoerungsbehandlung({});
    EXPECT_NO_THROW(geschuetzt(app, [&] { (void)app.anlage.Programm.Titel(0); }));
    EXPECT_EQ(t.geraete.usb.letztes(), 0);
    EXPECT_EQ(t.meldungen_abholen().size(), 1u);
}

} // namespace
} // namespace kw::test

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    kw::Schutzanwendung app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
