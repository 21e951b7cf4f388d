// The main screen with the controller, the fake clock and the recording relay
// devices: buttons pressed, keys typed, timers driven by hand.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QShortcut>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>

#include <array>
#include <functional>
#include <set>

#include "Testanwendung.h"
#include "hardware/Einstellungen.h"
#include "screens/Beschriftungen.h"
#include "screens/Grundbild.h"

namespace kw::test {
namespace {

using namespace std::chrono_literals;

enum class Art { Aufheizen, Halten, Kuehlen };
enum class Ruf { Kein, Ende };

constexpr std::uint8_t Heizung = 0x01, Ruehrwerk = 0x02, Kuehlung = 0x04, Extra1 = 0x08, Extra2 = 0x10,
                       Signal = 0x80;

class Hauptbild : public ::testing::Test {
protected:
    QTemporaryDir ordner;
    Testumgebung t{ordner.path().toStdString()};
    Anwendung& app = *t.app;
    Grundbild* g = nullptr;
    test::Zeittakt takt;

    void SetUp() override
    {
        g = &app.bildschirm<Grundbild>();
        g->show();   // the load, and the timers start
        g->Timer_Anhalten();
    }

    // The first tick reads the configuration and shows the settings screen; the
    // tests put it aside and confirm the configuration as its OK would.
    void erster_tick(bool bestaetigt = true)
    {
        g->Timer1_Timer();
        if (app.geladen("HardwareAbfrage"))
            app.bildschirm("HardwareAbfrage")->hide();
        EXPECT_EQ(t.meldungen_abholen(), std::vector<std::string>{});
        app.anlage.Schnittstelle = 1;
        app.anlage.Konfiguration_Bestaetigt = bestaetigt;
    }

    // One 100 ms step as the four timers make it; the clock moves on every tenth.
    void tick() { takt.schritt(*g, t.uhr); }
    void laufe(std::chrono::seconds s) { takt.laufe(*g, t.uhr, s); }

    template <class W = QWidget> W* w(const char* name)
    {
        W* x = g->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(x, nullptr) << name;
        return x;
    }
    void klick(const char* name) { QTest::mouseClick(w<QAbstractButton>(name), Qt::LeftButton); }
    // Mouse-down only, then up unless the press ends the screen.
    void druck(const char* name, bool loslassen = true)
    {
        QTest::mousePress(w<QAbstractButton>(name), Qt::LeftButton);
        if (loslassen)
            QTest::mouseRelease(w<QAbstractButton>(name), Qt::LeftButton);
    }
    std::string text(const char* name)
    {
        auto r = Beschriftung_Lesen(*g, name);
        EXPECT_TRUE(r.has_value()) << name;
        return r ? r->toStdString() : std::string();
    }
    QColor farbe(const char* name) { return w<Lampenfeld>(name)->farbe(); }
    bool sichtbar(const char* name) { return w(name)->isVisible(); }
    std::uint8_t byte() { return t.geraete.lpt.letztes(); }

    void phase(int n, Art art, const char* temp, const char* zeit, Ruf ruf = Ruf::Kein,
               const char* ruftext = "")
    {
        Cl_Phase& p = app.anlage.Programm.Phase(n);
        p.setAufheizphase(Flagtext(art == Art::Aufheizen));
        p.setHeizphase(Flagtext(art == Art::Halten));
        p.setKuehlphase(Flagtext(art == Art::Kuehlen));
        p.setTemperatur(temp);
        p.setHeizzeit(zeit);
        p.setRuehrimpuls("10");
        p.setRuehrpause("20");
        p.setKein_Ruf(Flagtext(ruf == Ruf::Kein));
        p.setRuf_Ende_Phase(Flagtext(ruf == Ruf::Ende));
        p.setRuf_nach_Rufzeit(Flagtext(false));
        p.setRufzeit("");
        p.setRuftext(ruftext);
        app.anlage.Programm.Titel(n) = "Rast " + std::to_string(n);
    }
    // Three holding phases at 40, 50 and 60 °C of 10, 20 and 30 minutes.
    void drei_haltephasen()
    {
        app.anlage.Programm.AnzPhasen = "3";
        phase(1, Art::Halten, "40", "10");
        phase(2, Art::Halten, "50", "20");
        phase(3, Art::Halten, "60", "30");
    }
    void simulation(int grad)
    {
        if (!app.anlage.Simulation)
            klick("Switch1");
        w<QSlider>("Scroll_Sim_IstTemperatur")->setValue(-grad);
    }
    // START and the ticks up to the running first phase (step 0 -> 1 -> 2 -> 3).
    void starten()
    {
        druck("START_BRAUEN", false);
        EXPECT_TRUE(app.anlage.Brauen_Gestartet) << "START acts on mouse-down";
        QTest::mouseRelease(w<QAbstractButton>("START_BRAUEN"), Qt::LeftButton);
        for (int i = 0; i < 3; ++i)
            tick();
        ASSERT_EQ(app.anlage.Ablaufschritt, 3);
    }
    // Visibility of a control over one second of ticks.
    std::set<bool> sichtbarkeit_ueber_eine_sekunde(const char* name)
    {
        std::set<bool> r;
        for (int i = 0; i < 10; ++i) {
            tick();
            r.insert(sichtbar(name));
        }
        return r;
    }
};

TEST_F(Hauptbild, JederTabellenschluesselHatSeinSteuerelement)
{
    EXPECT_EQ(g->windowTitle(), "KESSELWERK");
    int n = 0;
    for (const Beschriftung& b : Beschriftungstabelle(Sprache::Deutsch)) {
        if (b.Bildschirm != "Grundbild")
            continue;
        ++n;
        const auto gesetzt = Beschriftung_Lesen(*g, b.Steuerelement);
        ASSERT_TRUE(gesetzt.has_value()) << b.Steuerelement;
        // the time label: the load sets it from the switch texts ("Zeit Aktuell")
        EXPECT_EQ(gesetzt->toStdString(), b.Steuerelement == "Label1_10" ? "Zeit Aktuell" : b.Text)
            << b.Steuerelement;
    }
    EXPECT_EQ(n, 57);

    for (const char* name :
         {"Anzeige_Phase", "Anzeige_KommentarPhase", "Anzeige_TempIst", "Anzeige_TempSoll", "Anzeige_TempSollAct",
          "Anzeige_Startzeit", "Anzeige_Endzeit", "Anzeige_ZeitAct", "Biersorte", "Anzeige_Phasenzahl",
          "Bar_TempSoll", "Bar_TempSollAct", "Bar_Sim_IstTemperatur2", "Bar_Sim_IstTemperatur", "Sim_IstTemperatur",
          "Anzeige_Feuer", "Anzeige_Wolke_Klein", "Anzeige_Wolke_Mittel", "Anzeige_Wolke_Gross", "PhaseRunter",
          "PhaseRauf", "ZeitRunter", "ZeitRauf", "SollRunter", "SollRauf", "Temperaturkurve"})
        w(name);
    for (const char* name : {"Anzeige_Aufheizen", "Anzeige_Heizen", "Anzeige_Kuehlen", "Anzeige_Brauen",
                             "Anzeige_Fertig", "Anzeige_Heizung", "Anzeige_Kuehlung", "Anzeige_Ruehrwerk",
                             "Anzeige_Ruehr1", "Anzeige_Ruehr2", "Anzeige_Signal", "Anzeige_Extra1",
                             "Anzeige_Extra2", "Anzeige_Extra3", "Anzeige_Extra4"})
        EXPECT_EQ(farbe(name), QColor(128, 128, 128)) << name;

    auto* schieber = w<QSlider>("Scroll_Sim_IstTemperatur");
    EXPECT_EQ(schieber->orientation(), Qt::Vertical);
    EXPECT_EQ(schieber->minimum(), -100);
    EXPECT_EQ(schieber->maximum(), 0);
    EXPECT_EQ(w<QLineEdit>("Eingabe_Start_Phase")->maxLength(), 2);
    EXPECT_EQ(w<QLineEdit>("Eingabe_Start_Zeit")->maxLength(), 3);

    // The load runs when the main screen is shown: merely created (as a language
    // switch creates every screen) it leaves the state alone and its timers off.
    EXPECT_FALSE(g->Timer_Laufen());   // stopped by the fixture
    app.anlage.Schnittstelle = 3;
    app.anlage.Aus_Extra2 = 1;
    Grundbild* frisch = new Grundbild(app);
    EXPECT_FALSE(frisch->Timer_Laufen());
    EXPECT_EQ(app.anlage.Schnittstelle, 3);
    frisch->show();
    EXPECT_EQ(app.anlage.Schnittstelle, 1);
    EXPECT_EQ(app.anlage.Aus_Extra2, 0);
    EXPECT_TRUE(frisch->Timer_Laufen());
    for (auto [name, ms] : {std::pair{"Timer1", 100}, {"Timer2", 100}, {"TempRead", 200}, {"Takt_1s", 500}})
        EXPECT_EQ(frisch->findChild<QTimer*>(QString::fromLatin1(name))->interval(), ms) << name;
    delete frisch;
}

TEST_F(Hauptbild, LadenZeigtRuhezustandOhneAusgabe)
{
    EXPECT_EQ(text("Anzeige_Phase"), "0");
    EXPECT_EQ(text("Anzeige_TempIst"), "0.0");
    EXPECT_EQ(text("Anzeige_TempSoll"), "0.0");
    EXPECT_EQ(text("Anzeige_TempSollAct"), "0");
    EXPECT_EQ(text("Anzeige_Startzeit"), "0:0:0");
    EXPECT_EQ(text("Anzeige_Endzeit"), "0:0:0");
    EXPECT_FALSE(w("Frame_Manuell")->isVisibleTo(g));
    EXPECT_FALSE(w("Frame_Simulation")->isVisibleTo(g));
    EXPECT_FALSE(sichtbar("Anzeige_RufQuitt"));
    EXPECT_TRUE(t.geraete.lpt.bytes.empty());

    // the first tick shows the settings screen; nothing reaches the port before its OK
    g->Timer1_Timer();
    EXPECT_TRUE(app.geladen("HardwareAbfrage"));
    EXPECT_TRUE(app.bildschirm("HardwareAbfrage")->isVisible());
    app.bildschirm("HardwareAbfrage")->hide();
    laufe(3s);
    EXPECT_TRUE(t.geraete.lpt.bytes.empty());
    EXPECT_EQ(text("Anzeige_KommentarPhase"), "Keine Phase aktiv");
    EXPECT_EQ(text("Label1_10"), "Zeit Aktuell");
    EXPECT_EQ(text("Anzeige_ZeitAct"), "10:00:02");
}

TEST_F(Hauptbild, ZweiPhasenprogrammLaeuftMitAnzeigenLampenUndByte)
{
    erster_tick();
    app.anlage.Programm.Biersorte = "Helles";
    app.anlage.Programm.AnzPhasen = "2";
    phase(1, Art::Aufheizen, "40", "");
    phase(2, Art::Halten, "40", "2");
    simulation(30);
    tick();
    EXPECT_EQ(text("Sim_IstTemperatur"), "30");
    EXPECT_FLOAT_EQ(w<Temperaturbalken>("Bar_Sim_IstTemperatur")->wert(), 30.0f);

    starten();
    EXPECT_EQ(text("Biersorte"), "Helles");
    EXPECT_EQ(text("Anzeige_Phasenzahl"), "2");
    EXPECT_EQ(text("Anzeige_Phase"), "1");
    EXPECT_EQ(text("Anzeige_KommentarPhase"), "Rast 1");
    EXPECT_EQ(text("Anzeige_TempIst"), "30");
    EXPECT_EQ(text("Anzeige_TempSoll"), "40");
    EXPECT_FLOAT_EQ(w<Temperaturbalken>("Bar_TempSoll")->wert(), 40.0f);
    EXPECT_FLOAT_EQ(w<Temperaturbalken>("Bar_Sim_IstTemperatur2")->wert(), 30.0f);
    EXPECT_EQ(text("Anzeige_Startzeit"), "08.12.2026 10:00:00");
    EXPECT_EQ(farbe("Anzeige_Aufheizen"), QColor(0, 255, 0));
    EXPECT_EQ(farbe("Anzeige_Heizen"), QColor(128, 128, 128));
    EXPECT_EQ(farbe("Anzeige_Kuehlen"), QColor(128, 128, 128));
    EXPECT_EQ(text("Label1_10"), "Zeit Aktuell");
    EXPECT_FALSE(sichtbar("Anzeige_Endzeit"));

    // demand at once, the heating 15 s later
    EXPECT_EQ(farbe("Anzeige_Heizung"), QColor(0, 255, 0));
    EXPECT_FALSE(sichtbar("Anzeige_Feuer"));
    EXPECT_EQ(byte() & Heizung, 0);
    // the stirrer request at once, its output a second later
    EXPECT_EQ(farbe("Anzeige_Ruehrwerk"), QColor(0, 255, 0));
    EXPECT_EQ(farbe("Anzeige_Ruehr1"), QColor(128, 128, 128));
    laufe(2s);
    EXPECT_EQ(farbe("Anzeige_Ruehr1"), QColor(0, 255, 0));
    EXPECT_EQ(farbe("Anzeige_Ruehr2"), QColor(0, 255, 0));
    EXPECT_EQ(byte() & Ruehrwerk, Ruehrwerk);
    laufe(12s);
    EXPECT_FALSE(sichtbar("Anzeige_Feuer"));
    EXPECT_EQ(byte() & Heizung, 0);
    laufe(2s);
    EXPECT_TRUE(sichtbar("Anzeige_Feuer"));
    EXPECT_EQ(byte() & Heizung, Heizung);
    // the stirrer in its 20 s pause
    EXPECT_EQ(byte() & Ruehrwerk, 0);
    EXPECT_EQ(farbe("Anzeige_Ruehrwerk"), QColor(128, 128, 128));
    EXPECT_EQ(farbe("Anzeige_Ruehr1"), QColor(128, 128, 128));

    std::set<QColor, bool (*)(const QColor&, const QColor&)> brauen(
        [](const QColor& a, const QColor& b) { return a.rgb() < b.rgb(); });
    for (int i = 0; i < 10; ++i) {
        tick();
        brauen.insert(farbe("Anzeige_Brauen"));
    }
    EXPECT_EQ(brauen.size(), 2u) << "BRAUEN AKTIV blinks";

    // the target reached: holding phase 2 with its remaining time
    // (the step machine compares the reading of the previous tick)
    simulation(40);
    for (int i = 0; i < 4; ++i)
        tick();
    EXPECT_EQ(text("Anzeige_Phase"), "2");
    EXPECT_EQ(farbe("Anzeige_Heizen"), QColor(0, 255, 0));
    EXPECT_EQ(farbe("Anzeige_Aufheizen"), QColor(128, 128, 128));
    EXPECT_EQ(text("Label1_10"), "Restzeit");
    EXPECT_TRUE(sichtbar("Anzeige_Endzeit"));
    EXPECT_EQ(byte() & Heizung, 0);
    EXPECT_FALSE(sichtbar("Anzeige_Feuer"));
    laufe(60s);
    EXPECT_EQ(text("Anzeige_ZeitAct"), "0:01:00");

    laufe(61s);
    EXPECT_EQ(app.anlage.Ablaufschritt, 0);
    EXPECT_EQ(farbe("Anzeige_Fertig"), QColor(255, 0, 0));
    EXPECT_EQ(farbe("Anzeige_Brauen"), QColor(128, 128, 128));
    EXPECT_EQ(text("Anzeige_KommentarPhase"), "Keine Phase aktiv");
    EXPECT_EQ(text("Anzeige_Startzeit"), "0:0:0");
    EXPECT_EQ(byte() & (Heizung | Kuehlung), 0);
}

TEST_F(Hauptbild, PauseBlinktUndHaeltDieRestzeit)
{
    erster_tick();
    app.anlage.Programm.AnzPhasen = "1";
    phase(1, Art::Halten, "40", "10");
    simulation(40);

    // before a phase runs PAUSE does nothing
    druck("PAUSE_BRAUEN");
    EXPECT_FALSE(app.anlage.Pause_Aktiv);
    EXPECT_EQ(sichtbarkeit_ueber_eine_sekunde("PAUSE_BRAUEN"), std::set<bool>{true});

    starten();
    laufe(60s);
    druck("PAUSE_BRAUEN");
    EXPECT_TRUE(app.anlage.Pause_Aktiv);
    EXPECT_EQ(sichtbarkeit_ueber_eine_sekunde("PAUSE_BRAUEN"), (std::set<bool>{true, false}));
    const std::string rest = text("Anzeige_ZeitAct");
    laufe(5min);
    EXPECT_EQ(text("Anzeige_ZeitAct"), rest);   // the phase clock stands still

    // START ends the pause: PAUSE shows steadily, the clock runs on
    druck("START_BRAUEN");
    EXPECT_FALSE(app.anlage.Pause_Aktiv);
    EXPECT_EQ(sichtbarkeit_ueber_eine_sekunde("PAUSE_BRAUEN"), std::set<bool>{true});
    EXPECT_NE(text("Anzeige_ZeitAct"), rest);
}

TEST_F(Hauptbild, UhrsprungVerkuerztUndVerlaengertDieRastNicht)
{
    erster_tick();
    app.anlage.Programm.AnzPhasen = "1";
    phase(1, Art::Halten, "40", "10");
    simulation(40);
    starten();
    EXPECT_EQ(text("Anzeige_Startzeit"), "08.12.2026 10:00:00");
    EXPECT_EQ(text("Anzeige_Endzeit"), "08.12.2026 10:10:00");
    laufe(2min);

    // time synchronisation an hour forward: start and end shown move, the rest does not
    t.uhr.verstellen(1h);
    tick();
    EXPECT_EQ(text("Label1_10"), "Restzeit");
    EXPECT_EQ(text("Anzeige_ZeitAct"), "0:08:00");
    EXPECT_EQ(text("Anzeige_Startzeit"), "08.12.2026 11:00:00");
    EXPECT_EQ(text("Anzeige_Endzeit"), "08.12.2026 11:10:00");
    EXPECT_EQ(app.anlage.Ablaufschritt, 3);

    // and two hours back by hand
    laufe(1min);
    t.uhr.verstellen(-2h);
    tick();
    EXPECT_EQ(text("Anzeige_ZeitAct"), "0:07:00");
    EXPECT_EQ(text("Anzeige_Startzeit"), "08.12.2026 09:00:00");
    EXPECT_EQ(text("Anzeige_Endzeit"), "08.12.2026 09:10:00");

    // the rest ends after its ten minutes
    laufe(7min - 1s);
    EXPECT_EQ(app.anlage.Ablaufschritt, 3);
    EXPECT_EQ(text("Anzeige_ZeitAct"), "0:00:01");
    laufe(1s);
    EXPECT_EQ(farbe("Anzeige_Fertig"), QColor(255, 0, 0));
    // the idle view shows the time of day of the wall clock
    EXPECT_EQ(text("Label1_10"), "Zeit Aktuell");
    EXPECT_EQ(text("Anzeige_ZeitAct"), "09:10:00");
}

TEST_F(Hauptbild, KnoepfeDerLaufendenPhase)
{
    erster_tick();
    drei_haltephasen();
    simulation(40);
    starten();
    EXPECT_EQ(text("Anzeige_Endzeit"), "08.12.2026 10:10:00");

    klick("ZeitRauf");
    tick();
    EXPECT_EQ(text("Anzeige_Endzeit"), "08.12.2026 10:15:00");
    klick("ZeitRunter");
    klick("ZeitRunter");
    tick();
    EXPECT_EQ(text("Anzeige_Endzeit"), "08.12.2026 10:05:00");

    klick("SollRauf");
    klick("SollRauf");
    klick("SollRunter");
    tick();
    EXPECT_EQ(text("Anzeige_TempSoll"), "40.1");
    EXPECT_EQ(app.anlage.Programm.Phase(1).Temperatur(), "40.1");

    klick("PhaseRauf");
    tick();
    EXPECT_EQ(text("Anzeige_Phase"), "2");
    EXPECT_EQ(text("Anzeige_KommentarPhase"), "Rast 2");
    klick("PhaseRauf");
    tick();
    klick("PhaseRauf");   // the last phase: nothing above
    tick();
    EXPECT_EQ(text("Anzeige_Phase"), "3");
    klick("PhaseRunter");
    tick();
    EXPECT_EQ(text("Anzeige_Phase"), "2");
    EXPECT_EQ(text("Anzeige_TempSoll"), "50");
}

// Without colour: every lamp tells its state as text in the language in
// effect, and is named after the caption beside it.
TEST_F(Hauptbild, LampenSagenIhrenZustandAlsText)
{
    erster_tick();
    Lampenfeld* heizung = w<Lampenfeld>("Anzeige_Heizung");
    QAccessibleInterface* z = QAccessible::queryAccessibleInterface(heizung);
    ASSERT_NE(z, nullptr);
    EXPECT_EQ(z->text(QAccessible::Name).toStdString(), "Heizung");
    EXPECT_EQ(heizung->accessibleDescription().toStdString(), "aus");
    EXPECT_EQ(z->text(QAccessible::Description).toStdString(), "aus");

    klick("Switch2");
    klick("Man_Heizung");
    tick();
    ASSERT_EQ(farbe("Anzeige_Heizung"), QColor(0, 255, 0));
    EXPECT_EQ(heizung->accessibleDescription().toStdString(), "ein");

    app.anlage.Sprachnummer = 2;
    app.Sprache_Umschalten();
    t.meldungen_abholen();
    EXPECT_EQ(z->text(QAccessible::Name).toStdString(), "Heating");
    EXPECT_EQ(heizung->accessibleDescription().toStdString(), "on");
    klick("Man_Heizung");
    tick();
    EXPECT_EQ(heizung->accessibleDescription().toStdString(), "off");
    // The red lamp is on as well: FERTIG after a run, grey before.
    EXPECT_EQ(w<Lampenfeld>("Anzeige_Fertig")->accessibleDescription().toStdString(),
              w<Lampenfeld>("Anzeige_Fertig")->lampe() == Lampe::Grau ? "off" : "on");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w<Lampenfeld>("Anzeige_Ruehr1"))->text(QAccessible::Name).toStdString(),
              "Stirrer 1");
}

// The displays are set only when their value changes; a change that comes
// another way than a new value still shows at the next tick.
TEST_F(Hauptbild, AnzeigenFolgenJederAenderungBeimNaechstenTakt)
{
    erster_tick();
    tick();
    auto* zeit = w<QLineEdit>("Anzeige_ZeitAct");
    auto* kommentar = w<QLineEdit>("Anzeige_KommentarPhase");
    ASSERT_EQ(kommentar->text().toStdString(), "Keine Phase aktiv");
    ASSERT_EQ(text("Label1_10"), "Zeit Aktuell");

    // Within the same second a tick leaves every field alone.
    const QString uhr = zeit->text();
    int geaendert = 0;
    QObject::connect(zeit, &QLineEdit::textChanged, [&] { ++geaendert; });
    QObject::connect(kommentar, &QLineEdit::textChanged, [&] { ++geaendert; });
    for (int i = 0; i < 5; ++i) {
        g->Timer1_Timer();
        g->Timer2_Timer();
    }
    EXPECT_EQ(geaendert, 0);
    EXPECT_EQ(zeit->text(), uhr);

    // Written over from outside: the next tick puts the value back.
    zeit->setText(QStringLiteral("x"));
    g->Timer1_Timer();
    EXPECT_EQ(zeit->text(), uhr);

    // Another language: same state, new table texts, shown at the next tick.
    app.anlage.Sprachnummer = 2;
    app.Sprache_Umschalten();
    t.meldungen_abholen();
    tick();
    EXPECT_EQ(kommentar->text().toStdString(), "No step active");
    EXPECT_EQ(text("Label1_10"), "Actual time");

    // The simulated temperature follows the slider, the moment it changes.
    simulation(47);
    g->Timer2_Timer();
    EXPECT_EQ(w<QLineEdit>("Sim_IstTemperatur")->text().toStdString(), "47");
    simulation(48);
    g->Timer2_Timer();
    EXPECT_EQ(w<QLineEdit>("Sim_IstTemperatur")->text().toStdString(), "48");
    g->Timer1_Timer();
    EXPECT_EQ(w<QLineEdit>("Anzeige_TempIst")->text().toStdString(), "48");
}

// The clock changes every second and BRAUEN AKTIV blinks: their repaints must not
// repaint the group boxes and the screen beneath them, and what reaches the
// screen stays pixel for pixel the same.
TEST_F(Hauptbild, UhrUndLampeZeichnenNurSichSelbstUndSehenAusWieZuvor)
{
    erster_tick();
    tick();
    QWidget* fenster = g->window();
    fenster->resize(1280, 800);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(fenster));

    struct Zaehler : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    };
    const auto bildschirm = [&](QWidget* feld) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        const QRect r(feld->mapTo(fenster, QPoint(0, 0)), feld->size());
        return fenster->screen()->grabWindow(fenster->winId(), r.x(), r.y(), r.width(), r.height()).toImage();
    };
    // Antialiased edges drawn again and again over what they left would darken.
    const auto pruefe = [&](QWidget* feld, const std::function<void(int)>& zeige, int zustaende) {
        SCOPED_TRACE(feld->objectName().toStdString());
        ASSERT_NE(feld->parentWidget(), g);
        zeige(0);
        const QImage vorher = bildschirm(feld);
        ASSERT_FALSE(vorher.isNull());
        Zaehler zaehler;
        feld->parentWidget()->installEventFilter(&zaehler);
        for (int i = 1; i <= 10; ++i) {
            zeige(i % zustaende);
            bildschirm(feld);
        }
        zeige(0);
        const QImage nachher = bildschirm(feld);
        feld->parentWidget()->removeEventFilter(&zaehler);
        EXPECT_EQ(zaehler.paints, 0) << "the parent was painted for its child";
        EXPECT_EQ(nachher, vorher);

        // After a resize the field still shows what lies beneath it.
        fenster->resize(1200, 760);
        const QImage neu = bildschirm(feld);
        zeige(1);
        bildschirm(feld);
        zeige(0);
        EXPECT_EQ(bildschirm(feld), neu);
        fenster->resize(1280, 800);
    };

    auto* zeit = w<QLineEdit>("Anzeige_ZeitAct");
    const QString uhr = zeit->text();
    const QString texte[] = {uhr, "1:00:00", "23:59:59", "0:0:0", "12:34:56"};
    pruefe(zeit, [&](int i) { zeit->setText(texte[i]); }, 5);

    auto* lampe = w<Lampenfeld>("Anzeige_Brauen");
    pruefe(lampe, [&](int i) { lampe->setLampe(std::array{Lampe::Grau, Lampe::Gruen, Lampe::Rot}[i]); }, 3);
}

// The kettle is drawn once per size into a picture that every repaint shows.
TEST_F(Hauptbild, KesselbildAusDemZwischenspeicherGleichtDemGezeichneten)
{
    auto* kessel = w<Kesselbild>("Kessel");
    const auto vergleiche = [&](QSize groesse) {
        kessel->resize(groesse);
        // The picture alone: lamps and clouds are widgets of their own.
        QImage bild(groesse * kessel->devicePixelRatio(), QImage::Format_ARGB32);
        bild.setDevicePixelRatio(kessel->devicePixelRatio());
        kessel->render(&bild, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        QImage direkt(bild.size(), QImage::Format_ARGB32);
        direkt.setDevicePixelRatio(bild.devicePixelRatio());
        direkt.fill(kessel->palette().color(QPalette::Window));
        {
            QPainter p(&direkt);
            kessel->zeichnen(p);
        }
        int groesste = 0;
        for (int y = 0; y < bild.height(); ++y)
            for (int x = 0; x < bild.width(); ++x) {
                const QRgb a = bild.pixel(x, y), b = direkt.pixel(x, y);
                groesste = std::max({groesste, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                     std::abs(qBlue(a) - qBlue(b))});
            }
        EXPECT_LE(groesste, 2) << groesse.width() << "x" << groesse.height();
    };
    vergleiche({250, 300});
    vergleiche({320, 360});   // a new size draws anew
}

// QUITTIEREN and STOP have keys, from any window of the program, and their
// tooltips name them.
TEST_F(Hauptbild, QuittierenUndStopPerTaste)
{
    erster_tick();
    const auto* f2 = g->findChild<QShortcut*>(QStringLiteral("QUITTIEREN_Taste"));
    const auto* f12 = g->findChild<QShortcut*>(QStringLiteral("STOP_BRAUEN_Taste"));
    ASSERT_NE(f2, nullptr);
    ASSERT_NE(f12, nullptr);
    EXPECT_TRUE(w("QUITTIEREN")->toolTip().contains(f2->key().toString(QKeySequence::NativeText)));
    EXPECT_TRUE(w("STOP_BRAUEN")->toolTip().contains(f12->key().toString(QKeySequence::NativeText)));

    // The keys work with the editor page in front, its first field focused.
    drei_haltephasen();
    simulation(20);
    starten();
    laufe(2s);
    ASSERT_TRUE(app.anlage.Brauen_Gestartet);
    QWidget* seite = app.bildschirm("PARAMETER");
    seite->show();
    seite->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(seite));
    QWidget* feld = QApplication::focusWidget();
    ASSERT_NE(feld, nullptr);
    // A digit typed into the field is the field's.
    QTest::keyClick(feld, Qt::Key_2);
    EXPECT_TRUE(app.anlage.Brauen_Gestartet);

    app.anlage.Ruf_Aktiv = true;
    QTest::keyClick(feld, Qt::Key_F2);
    EXPECT_FALSE(app.anlage.Ruf_Aktiv) << "F2 acknowledges";
    QTest::keyClick(feld, Qt::Key_F12);
    EXPECT_FALSE(app.anlage.Brauen_Gestartet) << "F12 stops";
    EXPECT_EQ(app.anlage.Aus_Heizung, 0);

    // Tooltips follow the language.
    app.anlage.Sprachnummer = 8;
    app.Sprache_Umschalten();
    t.meldungen_abholen();
    EXPECT_TRUE(w("STOP_BRAUEN")->toolTip().startsWith(QStringLiteral("Zastavit"))) << w("STOP_BRAUEN")->toolTip().toStdString();
}

class Braumeisterruf : public Hauptbild {
protected:
    // Holding phase 1 of one minute with a call at its end, then phase 2.
    void bis_zum_ruf()
    {
        erster_tick();
        app.anlage.Programm.AnzPhasen = "2";
        phase(1, Art::Halten, "62", "1", Ruf::Ende, "Malz zugeben");
        phase(2, Art::Halten, "72", "10");
        simulation(60);
        starten();
        laufe(60s);
        ASSERT_TRUE(app.anlage.Ruf_Aktiv);
    }
    QWidget* ruf() { return app.geladen("BraumeisterRuf") ? app.bildschirm("BraumeisterRuf") : nullptr; }
    QAbstractButton* rufknopf(const char* name)
    {
        return ruf()->findChild<QAbstractButton*>(QString::fromLatin1(name));
    }
    std::set<int> signal_ueber_eine_sekunde()
    {
        std::set<int> r;
        for (int i = 0; i < 10; ++i) {
            tick();
            r.insert((byte() & Signal) ? 1 : 0);
        }
        return r;
    }
};

TEST_F(Braumeisterruf, RufZeigtFensterBlinktUndHaeltBisQuittiert)
{
    bis_zum_ruf();
    ASSERT_NE(ruf(), nullptr);
    EXPECT_TRUE(ruf()->isVisible());
    EXPECT_EQ(ruf()->windowTitle(), "Braumeister-Ruf");
    EXPECT_EQ(ruf()->findChild<QLabel*>("Ruftext")->text().toStdString(),
              "Meldung Nr.51 : Braumeister-Ruf: Malz zugeben");
    EXPECT_EQ(rufknopf("Command1")->text(), "OK");
    EXPECT_EQ(rufknopf("Command2")->text(), "SIGNAL AUS");

    EXPECT_EQ(sichtbarkeit_ueber_eine_sekunde("Anzeige_RufQuitt"), (std::set<bool>{true, false}));
    EXPECT_EQ(text("Anzeige_RufQuitt"), "RUF QUITTIEREN !!");
    EXPECT_EQ(text("Anzeige_KommentarPhase"), "Keine Phase aktiv");
    EXPECT_EQ(signal_ueber_eine_sekunde(), (std::set<int>{0, 1}));
    EXPECT_EQ(byte() & Heizung, 0);

    // held however long
    laufe(10min);
    EXPECT_EQ(app.anlage.Ablaufschritt, 3);
    EXPECT_EQ(app.anlage.Akt_Phase, 1);
    EXPECT_EQ(byte() & (Heizung | Ruehrwerk), 0);

    // SIGNAL AUS silences only the signal
    QTest::mouseClick(rufknopf("Command2"), Qt::LeftButton);
    EXPECT_EQ(signal_ueber_eine_sekunde(), std::set<int>{0});
    EXPECT_TRUE(ruf()->isVisible());
    EXPECT_EQ(sichtbarkeit_ueber_eine_sekunde("Anzeige_RufQuitt"), (std::set<bool>{true, false}));
    EXPECT_EQ(app.anlage.Akt_Phase, 1);

    // QUITTIEREN acts on mouse-down, hides the window; the next phase follows
    druck("QUITTIEREN");
    EXPECT_FALSE(app.anlage.Ruf_Aktiv);
    EXPECT_FALSE(ruf()->isVisible());
    for (int i = 0; i < 3; ++i)
        tick();
    EXPECT_EQ(text("Anzeige_Phase"), "2");
    EXPECT_EQ(text("Anzeige_KommentarPhase"), "Rast 2");
    EXPECT_EQ(sichtbarkeit_ueber_eine_sekunde("Anzeige_RufQuitt"), std::set<bool>{false});
}

TEST_F(Braumeisterruf, ZeitrufKommtNachEinerStockendenOberflaeche)
{
    erster_tick();
    app.anlage.Programm.AnzPhasen = "1";
    phase(1, Art::Halten, "62", "10", Ruf::Kein, "Jodprobe");
    Cl_Phase& p = app.anlage.Programm.Phase(1);
    p.setKein_Ruf(Flagtext(false));
    p.setRuf_nach_Rufzeit(Flagtext(true));
    p.setRufzeit("2");
    simulation(62);
    starten();
    laufe(2min - 1s);
    EXPECT_FALSE(ruf() && ruf()->isVisible());
    // the user interface stalls for three seconds over the call time
    t.uhr.vor(3s);
    tick();
    ASSERT_NE(ruf(), nullptr);
    EXPECT_TRUE(ruf()->isVisible());
    EXPECT_EQ(ruf()->findChild<QLabel*>("Ruftext")->text().toStdString(),
              "Meldung Nr.51 : Braumeister-Ruf: Jodprobe");
    EXPECT_EQ(text("Anzeige_KommentarPhase"), "Keine Phase aktiv");
    druck("QUITTIEREN");
    laufe(1min);
    EXPECT_FALSE(app.anlage.Ruf_Aktiv);
    EXPECT_FALSE(ruf()->isVisible());
}

TEST_F(Braumeisterruf, OkEntlaedtDasFensterDerRufWartetWeiter)
{
    bis_zum_ruf();
    ASSERT_NE(ruf(), nullptr);
    QTest::mouseClick(rufknopf("Command1"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(app.geladen("BraumeisterRuf"));
    EXPECT_FALSE(app.anlage.Ruf_Signal);
    EXPECT_TRUE(app.anlage.Ruf_Aktiv);
    laufe(2s);
    EXPECT_EQ(app.anlage.Akt_Phase, 1);
    EXPECT_EQ(byte() & Signal, 0);

    // QUITTIEREN without the window creates none
    druck("QUITTIEREN");
    EXPECT_FALSE(app.geladen("BraumeisterRuf"));
    for (int i = 0; i < 3; ++i)
        tick();
    EXPECT_EQ(app.anlage.Akt_Phase, 2);
}

TEST_F(Hauptbild, StartfelderKlemmenUndWeisenFalscheTastenAb)
{
    erster_tick();
    auto* phase = w<QLineEdit>("Eingabe_Start_Phase");
    QTest::keyClicks(phase, "25");
    EXPECT_EQ(phase->text(), "20");
    EXPECT_EQ(app.anlage.Startphase_Text, "20");

    phase->clear();
    QTest::keyClick(phase, Qt::Key_0);
    EXPECT_EQ(phase->text(), "1");

    phase->setText("7");
    QTest::keyClick(phase, Qt::Key_A);
    EXPECT_EQ(phase->text(), "");
    EXPECT_EQ(app.anlage.Startphase_Text, "");
    EXPECT_EQ(t.meldungen_abholen(), std::vector<std::string>{app.meldungstext(14).toStdString()});

    // keypad digits are refused as well
    QTest::keyClick(phase, Qt::Key_5, Qt::KeypadModifier);
    EXPECT_EQ(phase->text(), "");
    EXPECT_EQ(t.meldungen_abholen().size(), 1u);

    auto* zeit = w<QLineEdit>("Eingabe_Start_Zeit");
    QTest::keyClicks(zeit, "1234");
    EXPECT_EQ(zeit->text(), "123");
    EXPECT_EQ(app.anlage.Startzeit_Text, "123");
    QTest::keyClick(zeit, Qt::Key_Comma);
    EXPECT_EQ(zeit->text(), "");
    EXPECT_EQ(app.anlage.Startzeit_Text, "");
    EXPECT_EQ(t.meldungen_abholen(), std::vector<std::string>{
                                         "Meldung Nr.12 :  Falsche Eingabe !!!    Zugelassen nur Werte zwischen 0 und 999 "});
}

TEST_F(Hauptbild, StartAbEingegebenerPhase)
{
    erster_tick();
    drei_haltephasen();
    simulation(60);
    klick("switch3");
    EXPECT_EQ(text("switch3"), "Deaktivieren");
    QTest::keyClicks(w<QLineEdit>("Eingabe_Start_Phase"), "3");
    QTest::keyClicks(w<QLineEdit>("Eingabe_Start_Zeit"), "5");
    starten();
    EXPECT_EQ(text("Anzeige_Phase"), "3");
    EXPECT_EQ(text("Anzeige_ZeitAct"), "0:05:00");
    klick("switch3");
    EXPECT_EQ(text("switch3"), "Aktivieren");
}

TEST_F(Hauptbild, StopSchaltetHeizungRuehrwerkKuehlungAusNichtDieExtras)
{
    erster_tick();
    app.anlage.Programm.AnzPhasen = "1";
    phase(1, Art::Halten, "70", "30");
    simulation(50);
    klick("Switch2");
    EXPECT_TRUE(w("Frame_Manuell")->isHidden());   // Timer2 shows the panel
    tick();
    EXPECT_FALSE(w("Frame_Simulation")->isHidden());   // on its page when the screen is small
    EXPECT_TRUE(sichtbar("Frame_Manuell"));
    EXPECT_EQ(text("Switch2"), "MANUELL AUS");
    klick("Man_Extra2");
    EXPECT_EQ(text("Man_Extra2"), "Extra2 Aus");
    starten();
    laufe(31s);   // heating after 15 s, the stirrer's second on period from 30 s
    ASSERT_EQ(byte() & Heizung, Heizung);
    ASSERT_EQ(app.anlage.Ruehrwerk_Ein, 1);
    EXPECT_EQ(byte() & Extra2, Extra2);

    druck("STOP_BRAUEN");
    EXPECT_EQ(app.anlage.Aus_Heizung, 0);
    EXPECT_EQ(app.anlage.Ruehrwerk_Ein, 0);
    EXPECT_EQ(app.anlage.Aus_Kuehlung, 0);
    EXPECT_EQ(app.anlage.Aus_Extra2, 1);
    tick();
    EXPECT_EQ(app.anlage.Ablaufschritt, 0);
    EXPECT_EQ(byte(), Extra2);
    EXPECT_EQ(farbe("Anzeige_Extra2"), QColor(0, 255, 0));
    EXPECT_FALSE(sichtbar("Anzeige_Feuer"));

    // leaving manual mode hides the panel; the extra stays on
    klick("Switch2");
    tick();
    EXPECT_FALSE(sichtbar("Frame_Manuell"));
    EXPECT_EQ(byte(), Extra2);
}

TEST_F(Hauptbild, HandbetriebUndSchaltertexte)
{
    erster_tick();
    klick("Switch2");
    tick();
    klick("Man_Heizung");
    klick("Man_Kuehlung");
    klick("Man_Extra1");
    EXPECT_EQ(text("Man_Heizung"), "HEIZUNG AUS");
    EXPECT_EQ(text("Man_Kuehlung"), "KÜHLUNG AUS");
    tick();
    EXPECT_EQ(byte(), Heizung | Kuehlung | Extra1);
    EXPECT_TRUE(sichtbar("Anzeige_Feuer"));
    EXPECT_EQ(farbe("Anzeige_Kuehlung"), QColor(0, 255, 0));

    // A running phase takes heating and cooling back from the hand: the captions follow.
    app.anlage.Programm.AnzPhasen = "1";
    phase(1, Art::Halten, "20", "30");
    simulation(50);
    starten();
    EXPECT_EQ(text("Man_Heizung"), "HEIZUNG EIN");
    EXPECT_EQ(text("Man_Kuehlung"), "KÜHLUNG EIN");
    EXPECT_EQ(text("Man_Extra1"), "Extra1 Aus");
    EXPECT_EQ(byte() & (Heizung | Kuehlung), 0);

    // After a language switch the toggles keep the table's fixed text until clicked.
    app.anlage.Sprachnummer = 2;
    app.Sprache_Umschalten();
    laufe(2s);
    EXPECT_EQ(text("Switch1"), "SIMULATION ON");   // simulation is on, yet the table's text
    EXPECT_EQ(text("Option_Signal"), "Signal pulsing off");
    EXPECT_EQ(text("Anzeige_KommentarPhase"), "Rast 1");
    EXPECT_EQ(text("Label1_10"), "Time Remain.");
    klick("Switch1");
    EXPECT_EQ(text("Switch1"), "SIMULATION ON");
    klick("Switch1");
    EXPECT_EQ(text("Switch1"), "SIMULATION OFF");
    klick("Option_Signal");
    EXPECT_EQ(text("Option_Signal"), "Signal pulsing on");
    EXPECT_EQ(app.anlage.Signal_Dauer, 1);
    klick("Option_Gradient");
    EXPECT_EQ(text("Option_Gradient"), "Grad. Off");
    EXPECT_EQ(app.anlage.Gradient_Ein, 1);
}

TEST_F(Hauptbild, EinstellungenDesKonfigurationsdialogs)
{
    erster_tick();
    klick("Switch2");
    tick();
    app.konfiguration.Conf_Extra = {"Pumpe Ein", "Pumpe Aus", "Licht Ein", "Licht Aus",
                                    "Rührer2 Ein", "Rührer2 Aus", "Extra4 Ein", "Extra4 Aus"};
    klick("Man_Extra1");   // on: its caption offers switching off
    Hauptbildeinstellungen e;
    e.Man_Extra = {"Pumpe Ein", "Licht Ein", "Rührer2 Ein", "Extra4 Ein"};
    e.Extra_Lampen = {Lampentext("Pumpe Ein"), Lampentext("Licht Ein"), Lampentext("Rührer2 Ein"),
                      Lampentext("Extra4 Ein")};
    e.Signal_Dauer = 1;
    e.Gradient_Ein = 1;
    g->Einstellungen_Anwenden(e);
    EXPECT_EQ(text("Man_Extra1"), "Pumpe Aus");
    EXPECT_EQ(text("Man_Extra2"), "Licht Ein");
    EXPECT_EQ(text("Man_Extra3"), "Rührer2 Ein");
    EXPECT_EQ(text("Label1_11"), "Pumpe ");
    EXPECT_EQ(text("Label1_18"), "Rührer2 ");
    EXPECT_EQ(text("Option_Signal"), "Signal taktend ein");
    EXPECT_EQ(text("Option_Gradient"), "Grad. Aus");
    EXPECT_EQ(app.anlage.Signal_Dauer, 1);
    EXPECT_EQ(app.anlage.Gradient_Ein, 1);
    klick("Man_Extra1");
    EXPECT_EQ(text("Man_Extra1"), "Pumpe Ein");
}

TEST_F(Hauptbild, DampfwolkenAbDreissigGrad)
{
    erster_tick();
    const char* wolken[] = {"Anzeige_Wolke_Gross", "Anzeige_Wolke_Mittel", "Anzeige_Wolke_Klein"};
    const auto sichtbare = [&] {
        std::string r;
        for (const char* n : wolken)
            if (sichtbar(n))
                r += n;
        return r.empty() ? std::string("keine") : r;
    };

    app.anlage.Temperaturwert = "29.9";
    std::set<std::string> gesehen;
    for (int i = 0; i < 40; ++i) {
        tick();
        gesehen.insert(sichtbare());
    }
    EXPECT_EQ(text("Anzeige_TempIst"), "29.9");
    EXPECT_EQ(gesehen, std::set<std::string>{"keine"});

    app.anlage.Temperaturwert = "30.0";
    std::vector<std::string> folge;
    for (int i = 0; i < 4; ++i) {
        g->Takt_1s_Timer();
        g->Timer1_Timer();
        folge.push_back(sichtbare());
    }
    std::rotate(folge.begin(), std::find(folge.begin(), folge.end(), "Anzeige_Wolke_Gross"), folge.end());
    EXPECT_EQ(folge, (std::vector<std::string>{"Anzeige_Wolke_Gross", "Anzeige_Wolke_Mittel",
                                               "Anzeige_Wolke_Klein", "keine"}));

    // the size follows the temperature
    const QSize bei30 = w<Wolkenbild>("Anzeige_Wolke_Gross")->wolkengroesse();
    app.anlage.Temperaturwert = "60.0";
    g->Timer1_Timer();
    const QSize bei60 = w<Wolkenbild>("Anzeige_Wolke_Gross")->wolkengroesse();
    EXPECT_EQ(bei60.width(), 2 * bei30.width());
    EXPECT_GT(bei60.width(), w<Wolkenbild>("Anzeige_Wolke_Mittel")->wolkengroesse().width());
    EXPECT_GT(w<Wolkenbild>("Anzeige_Wolke_Mittel")->wolkengroesse().width(),
              w<Wolkenbild>("Anzeige_Wolke_Klein")->wolkengroesse().width());
}

TEST_F(Hauptbild, BeendenSchreibtAllesAusUndEndet)
{
    erster_tick();
    klick("Switch2");
    tick();
    klick("Man_Heizung");
    klick("Man_Extra1");
    tick();
    ASSERT_EQ(byte(), Heizung | Extra1);
    QSignalSpy ende(g, &Grundbild::beendet);

    druck("Command7", false);
    EXPECT_EQ(byte(), 0);
    EXPECT_TRUE(app.beendet());
    EXPECT_EQ(ende.count(), 1);
    EXPECT_FALSE(g->isVisible());
    EXPECT_FALSE(g->Timer_Laufen());
    EXPECT_EQ(app.anlage.Aus_Extra1, 0);

    // a stray timer event afterwards changes nothing
    const std::size_t geschrieben = t.geraete.lpt.bytes.size();
    g->Timer1_Timer();
    EXPECT_EQ(t.geraete.lpt.bytes.size(), geschrieben);
    EXPECT_EQ(byte(), 0);
}

TEST_F(Hauptbild, FensterSchliessenSchreibtAllesAus)
{
    erster_tick();
    klick("Switch2");
    tick();
    klick("Man_Ruehrwerk");
    klick("Man_Extra2");
    laufe(2s);
    ASSERT_EQ(byte(), Ruehrwerk | Extra2);
    QSignalSpy ende(g, &Grundbild::beendet);
    g->close();
    EXPECT_EQ(byte(), 0);
    EXPECT_TRUE(app.beendet());
    EXPECT_EQ(ende.count(), 1);
}

TEST_F(Hauptbild, FunktionsknoepfeOeffnenIhreBildschirme)
{
    erster_tick();
    druck("INFO");
    EXPECT_TRUE(app.bildschirm("Information")->isVisible());
    klick("Temperaturkurve");
    EXPECT_TRUE(app.bildschirm("TEMPZEITKURV")->isVisible());
    klick("Command1");
    EXPECT_TRUE(app.bildschirm("Brauprotokoll")->isVisible());
    klick("Command5");
    EXPECT_TRUE(app.bildschirm("Berechnungen")->isVisible());
    // A screen that is not part of the program (yet) answers with message 1.
    druck("Command2_0");
    if (QWidget* editor = app.bildschirm("PARAMETER"))
        EXPECT_TRUE(editor->isVisible());
    else
        EXPECT_EQ(t.meldungen_abholen(), std::vector<std::string>{app.meldungstext(1).toStdString()});

    // OPTIONEN: parallel output waits for the next OK
    ASSERT_TRUE(app.anlage.Konfiguration_Bestaetigt);
    druck("OPTIONS");
    EXPECT_FALSE(app.anlage.Konfiguration_Bestaetigt);
    EXPECT_TRUE(app.bildschirm("HardwareAbfrage")->isVisible());
    EXPECT_EQ(t.meldungen_abholen(), std::vector<std::string>{});
}

TEST_F(Hauptbild, SensorwarnungUndUsbAlarm)
{
    erster_tick();
    app.anlage.Sensor_Alarm = true;
    app.zeigeWarnungDS1820();
    QWidget* warnung = app.bildschirm("WarnungDS1820");
    EXPECT_TRUE(warnung->isVisible());
    EXPECT_EQ(warnung->windowTitle(), "Warnung DS1820");
    tick();
    EXPECT_EQ(app.anlage.Signal_Dauer, 0);
    std::set<int> signal;
    for (int i = 0; i < 10; ++i) {
        tick();
        signal.insert(byte() & Signal ? 1 : 0);
    }
    EXPECT_EQ(signal, (std::set<int>{0, 1}));
    QTest::mouseClick(warnung->findChild<QAbstractButton*>("AlarmOff"), Qt::LeftButton);
    EXPECT_FALSE(app.anlage.Sensor_Alarm);
    EXPECT_TRUE(warnung->isVisible());
    app.anlage.Sensor_Alarm = true;
    QTest::mouseClick(warnung->findChild<QAbstractButton*>("OKWarnung"), Qt::LeftButton);
    EXPECT_FALSE(app.anlage.Sensor_Alarm);
    EXPECT_FALSE(warnung->isVisible());

    // closed from its title bar: taken as OK, heating cut for lack of effect released too
    app.anlage.Sensor_Alarm = true;
    app.anlage.Heizung_Ohne_Wirkung = true;
    app.zeigeWarnungDS1820();
    warnung->close();
    EXPECT_FALSE(warnung->isVisible());
    EXPECT_FALSE(app.anlage.Sensor_Alarm);
    EXPECT_FALSE(app.anlage.Heizung_Ohne_Wirkung);

    app.anlage.Sensor_Alarm = true;
    app.anlage.USB_Alarm = true;
    app.zeigeAlarmUSB();
    QWidget* usb = app.bildschirm("Alarm_USB");
    EXPECT_TRUE(usb->isVisible());
    EXPECT_EQ(usb->windowTitle(), "Alarm USB");
    QTest::mouseClick(usb->findChild<QAbstractButton*>("AlarmOff"), Qt::LeftButton);
    EXPECT_FALSE(app.anlage.Sensor_Alarm);
    EXPECT_TRUE(app.anlage.USB_Alarm);
    EXPECT_TRUE(usb->isVisible());
    QTest::mouseClick(usb->findChild<QAbstractButton*>("Command1"), Qt::LeftButton);
    EXPECT_FALSE(app.anlage.USB_Alarm);
    EXPECT_FALSE(usb->isVisible());
}

TEST_F(Hauptbild, OhneGueltigeMessungRoteIstTemperaturUndKeinHeizen)
{
    erster_tick();
    app.anlage.Programm.AnzPhasen = "1";
    phase(1, Art::Halten, "62", "30");
    const auto feld = [&] { return w<QLineEdit>("Anzeige_TempIst")->palette().color(QPalette::Base); };
    tick();
    EXPECT_EQ(feld(), QColor(255, 0, 0)) << "no reading since the OK";
    EXPECT_FALSE(app.geladen("WarnungDS1820") && app.bildschirm("WarnungDS1820")->isVisible())
        << "nothing to warn about while idle";

    starten();
    EXPECT_TRUE(app.geladen("WarnungDS1820") && app.bildschirm("WarnungDS1820")->isVisible());
    EXPECT_EQ(text("Anzeige_TempIst"), "0.0");
    laufe(20s);
    EXPECT_EQ(byte() & Heizung, 0);
    EXPECT_FALSE(sichtbar("Anzeige_Feuer"));
    EXPECT_EQ(farbe("Anzeige_Heizung"), QColor(0, 255, 0));
    std::set<int> signal;
    for (int i = 0; i < 10; ++i) {
        tick();
        signal.insert(byte() & Signal ? 1 : 0);
    }
    EXPECT_EQ(signal, (std::set<int>{0, 1}));
    QTest::mouseClick(app.bildschirm("WarnungDS1820")->findChild<QAbstractButton*>("OKWarnung"), Qt::LeftButton);

    // a live reading: the field as before, the heating 15 s later
    app.anlage.Temperaturwert = "58.25";
    for (int i = 0; i < 160; ++i) {
        app.anlage.Messzeitpunkt = app.jetzt();
        tick();
    }
    EXPECT_EQ(text("Anzeige_TempIst"), "58.25");
    EXPECT_EQ(feld(), QColor(255, 255, 225));
    EXPECT_EQ(byte() & Heizung, Heizung);
    EXPECT_TRUE(sichtbar("Anzeige_Feuer"));
    EXPECT_FALSE(app.bildschirm("WarnungDS1820")->isVisible());
}

} // namespace
} // namespace kw::test
