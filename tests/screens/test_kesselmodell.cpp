// The kettle model in the real program: its dialog from the settings screen with
// real buttons, the learning after a brew (a broken element's journal refused and
// shown), and "mit Kesselmodell" in the SIMULATION frame, which switches no relay.
// With KW_BILDER=<folder> the dialog is kept there as a picture.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>

#include <filesystem>

#include "Kesselsimulation.h"
#include "Testanwendung.h"
#include "model/Modellwissen.h"
#include "program/Zahlen.h"
#include "screens/Grundbild.h"
#include "screens/HardwareAbfrage.h"
#include "screens/Kesselmodellanzeige.h"

namespace kw::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

class Kesselmodell : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    std::string ordner = tmp.path().toStdString();
    std::unique_ptr<Testumgebung> t;
    Grundbild* g = nullptr;
    test::Zeittakt takt;

    Anwendung& app() { return *t->app; }
    void starten()
    {
        t = std::make_unique<Testumgebung>(ordner);
        g = &app().bildschirm<Grundbild>();
        g->show();
        g->Timer_Anhalten();
    }
    void tick() { takt.schritt(*g, t->uhr); }
    void laufe(std::chrono::seconds s) { takt.laufe(*g, t->uhr, s); }
    template <class W = QAbstractButton> W* w(QWidget& bild, const char* name)
    {
        W* x = bild.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(x, nullptr) << name;
        return x;
    }
    void klick(QWidget& bild, const char* name) { QTest::mouseClick(w(bild, name), Qt::LeftButton); }
    // The first tick shows the settings screen; it stays open for the tests that need it.
    HardwareAbfrage& einstellungen()
    {
        g->Timer1_Timer();
        auto& e = app().bildschirm<HardwareAbfrage>();
        EXPECT_TRUE(e.isVisible());
        return e;
    }
    void bestaetigen()
    {
        klick(app().bildschirm<HardwareAbfrage>(), "Command1");
        if (app().geladen("HardwareConf"))
            app().bildschirm("HardwareConf")->hide();
        t->meldungen_abholen();
    }
    // The question of ZURÜCKSETZEN, answered.
    void antworten(Kesselmodellanzeige& d, QMessageBox::StandardButton knopf)
    {
        auto* frage = d.findChild<QMessageBox*>(QStringLiteral("Frage_Zuruecksetzen"));
        ASSERT_NE(frage, nullptr);
        ASSERT_TRUE(frage->isVisible());
        QTest::mouseClick(frage->button(knopf), Qt::LeftButton);
        QApplication::processEvents();
    }
    // A run of one 1-minute rest in slider simulation, to its end.
    void probesud()
    {
        Anlage& a = app().anlage;
        a.Programm.AnzPhasen = "1";
        Cl_Phase& p = a.Programm.Phase(1);
        p.setHeizphase("True");
        p.setAufheizphase("False");
        p.setKuehlphase("False");
        p.setTemperatur("40");
        p.setHeizzeit("1");
        p.setRuehrimpuls("0");
        p.setRuehrpause("0");
        p.setKein_Ruf("True");
        p.setRuf_Ende_Phase("False");
        p.setRuf_nach_Rufzeit("False");
        if (!a.Simulation)
            klick(*g, "Switch1");
        w<QSlider>(*g, "Scroll_Sim_IstTemperatur")->setValue(-40);
        QTest::mousePress(w(*g, "START_BRAUEN"), Qt::LeftButton);
        QTest::mouseRelease(w(*g, "START_BRAUEN"), Qt::LeftButton);
        for (int i = 0; i < 1200 && a.Brauen_Gestartet; ++i)
            tick();
        ASSERT_FALSE(a.Brauen_Gestartet);
        ASSERT_EQ(app().anzeige.Anzeige_Fertig, Lampe::Rot) << "FERTIG";
    }
};

void Bild(QWidget& w, const char* name)
{
    if (const char* d = std::getenv("KW_BILDER"))
        w.grab().save(QString::fromStdString(std::string(d) + "/" + name + ".png"));
}

TEST_F(Kesselmodell, DialogZeigtDieGelerntenWerteNimmtDieLeistungUndSetztNachRueckfrageZurueck)
{
    modell::Modellstand m;
    m.herkunft = modell::Modellstand::Herkunft::Gelernt;
    m.p.Heizrate_K_min = 0.85;
    m.p.Verlust_1_h = 0.15;
    m.p.Totzeit_s = 45;
    m.sude = 3;
    m.rms_K = 0.12;
    m.max_K = 0.4;
    m.antwortzeit_s = 75;
    m.ohne_wirkung = {"2026-12-01_09-00-00_Kaputt.csv"};
    ASSERT_TRUE(modell::Modell_Speichern(ordner, m));
    starten();
    HardwareAbfrage& e = einstellungen();
    klick(e, "Kesselmodell");
    auto& d = app().bildschirm<Kesselmodellanzeige>();
    ASSERT_TRUE(d.isVisible());
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Kesselmodell"));
    EXPECT_EQ(d.Heizrate->text(), QStringLiteral("0.850"));
    EXPECT_EQ(d.Totzeit->text(), QStringLiteral("45"));
    EXPECT_EQ(d.Abweichung->text(), QStringLiteral("0.12 / 0.40"));
    EXPECT_EQ(d.Sude->text(), QStringLiteral("3"));
    EXPECT_EQ(d.Antwortzeit->text(), QStringLiteral("75"));
    EXPECT_TRUE(d.Herkunft->text().startsWith(QStringLiteral("Gelernt aus 3 Sud"))) << d.Herkunft->text().toStdString();
    EXPECT_TRUE(d.Ohne_Wirkung->isVisibleTo(&d));
    EXPECT_TRUE(d.Ohne_Wirkung->text().contains(QStringLiteral("Kaputt.csv")));
    EXPECT_EQ(d.Leistung->value(), 0) << "no power entered yet";
    Bild(d, "Kesselmodell");

    // The power, entered once.
    d.Leistung->setValue(2500);
    klick(d, "Uebernehmen");
    modell::Modellstand jetzt = modell::Modell_Gespeichert(ordner, {});
    EXPECT_TRUE(jetzt.leistung_eingetragen);
    EXPECT_EQ(jetzt.p.Leistung_W, 2500);
    EXPECT_EQ(app().steuerung().Kesselmodell_Parameter().Heizrate_K_min, 0.85) << "the simulation has it too";

    // ZURÜCKSETZEN asks first; "No" keeps everything.
    klick(d, "Zuruecksetzen");
    antworten(d, QMessageBox::No);
    EXPECT_EQ(modell::Modell_Gespeichert(ordner, {}).sude, 3);
    EXPECT_EQ(d.Sude->text(), QStringLiteral("3"));
    klick(d, "Zuruecksetzen");
    antworten(d, QMessageBox::Yes);
    jetzt = modell::Modell_Gespeichert(ordner, {});
    EXPECT_EQ(jetzt.herkunft, modell::Modellstand::Herkunft::Standard);
    EXPECT_EQ(jetzt.p.Leistung_W, 2500) << "the power is no learned value";
    EXPECT_EQ(d.Sude->text(), QStringLiteral("0"));
    EXPECT_FALSE(d.Ohne_Wirkung->isVisibleTo(&d));
    EXPECT_TRUE(d.Herkunft->text().startsWith(QStringLiteral("Noch nichts gelernt")));
    EXPECT_FALSE(d.Zuruecksetzen->isEnabled());

    // Every caption follows the language.
    app().anlage.Sprachnummer = 2;
    app().Sprache_Umschalten();
    t->meldungen_abholen();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Kettle model"));
    EXPECT_EQ(d.Zuruecksetzen->text(), QStringLiteral("RESET"));
    EXPECT_TRUE(d.Herkunft->text().startsWith(QStringLiteral("Nothing learned yet")));
    EXPECT_EQ(w(e, "Kesselmodell")->text(), QStringLiteral("Kettle model …"));
    Bild(d, "Kesselmodell_en");
    klick(d, "Schliessen");
    EXPECT_FALSE(d.isVisible());
}

TEST_F(Kesselmodell, NachDemSudGelerntEinDefektesElementAbgelehntUndGezeigt)
{
    ASSERT_TRUE(Drei_Sude(ordner, Testkessel()));
    {
        modell::Kesselparameter kaputt = Testkessel();
        kaputt.Heizrate_K_min = 0;
        Kesselsimulation k(kaputt, 45.0, 4, ordner);
        Sechs_Phasen(k.a.Programm);
        k.a.Programm.Biersorte = "Kaputt";
        EXPECT_EQ(k.brauen(40 * 60), -1);
        k.stoppen();
    }
    starten();
    einstellungen();
    bestaetigen();
    EXPECT_EQ(modell::Modell_Gespeichert(ordner, {}).herkunft, modell::Modellstand::Herkunft::Standard);

    // The rehearsal ends with FERTIG: the model is learned from the journals and saved.
    probesud();
    tick();
    Kesselmodell_Lernen_Abwarten(app());
    const modell::Modellstand m = modell::Modell_Gespeichert(ordner, {});
    ASSERT_EQ(m.herkunft, modell::Modellstand::Herkunft::Gelernt);
    EXPECT_EQ(m.sude, 3) << "neither the broken element nor the rehearsal counts";
    EXPECT_NEAR(m.p.Heizrate_K_min, Testkessel().Heizrate_K_min, 0.1 * Testkessel().Heizrate_K_min);
    EXPECT_NEAR(app().steuerung().Kesselmodell_Parameter().Heizrate_K_min, m.p.Heizrate_K_min, 1e-3);
    ASSERT_EQ(m.ohne_wirkung.size(), 1u);
    EXPECT_NE(m.ohne_wirkung[0].find("Kaputt"), std::string::npos);
    EXPECT_EQ(t->meldungen_abholen(), std::vector<std::string>{});

    // The brewer sees it in the settings.
    auto& d = app().bildschirm<Kesselmodellanzeige>();
    d.show();
    EXPECT_EQ(d.Sude->text(), QStringLiteral("3"));
    EXPECT_TRUE(d.Ohne_Wirkung->isVisibleTo(&d));
    EXPECT_TRUE(d.Ohne_Wirkung->text().contains(QStringLiteral("Kaputt")));
    EXPECT_TRUE(d.Ohne_Wirkung->text().contains(QStringLiteral("nie erhöht")));
    Bild(d, "Kesselmodell_gelernt");
    d.hide();

    // Saving fails (the settings file cannot be replaced): told once, the brew screen goes on.
    const fs::path ini = fs::path(ordner) / "Kesselwerk.ini";
    fs::remove(ini);
    fs::create_directory(ini);
    fs::create_directory(ini / "belegt");
    probesud();
    tick();
    Kesselmodell_Lernen_Abwarten(app());
    const auto meldungen = t->meldungen_abholen();
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_NE(meldungen[0].find("konnte nach dem Sud nicht neu gelernt werden"), std::string::npos) << meldungen[0];
    laufe(2s);
    EXPECT_TRUE(t->meldungen_abholen().empty());
}

TEST_F(Kesselmodell, SimulationMitKesselmodellSchaltetKeinRelais)
{
    modell::Modellstand m;
    m.herkunft = modell::Modellstand::Herkunft::Gelernt;
    m.p.Heizrate_K_min = 1.0;
    m.p.Verlust_1_h = 0.01;
    m.p.Totzeit_s = 20;
    m.sude = 1;
    ASSERT_TRUE(modell::Modell_Speichern(ordner, m));
    starten();
    g->Timer1_Timer();
    app().bildschirm("HardwareAbfrage")->hide();
    t->meldungen_abholen();
    app().anlage.Schnittstelle = 1;
    app().anlage.Konfiguration_Bestaetigt = true;
    auto& geraet = t->geraete.lpt;

    // Slider simulation and the manual heating: the relay follows, as ever.
    klick(*g, "Switch1");
    auto* regler = w<QSlider>(*g, "Scroll_Sim_IstTemperatur");
    regler->setValue(-40);
    klick(*g, "Switch2");
    klick(*g, "Man_Heizung");
    laufe(1s);
    ASSERT_EQ(app().anlage.Aus_Heizung, 1);
    EXPECT_EQ(geraet.letztes() & 0x01, 0x01);

    auto* schalter = w<QCheckBox>(*g, "Sim_Modell");
    // On a small display the manual page came up: the page button turns to the simulation.
    for (int i = 0; i < 3 && !schalter->isVisible(); ++i) {
        klick(*g, "Seitenwechsel");
        laufe(1s);
    }
    ASSERT_TRUE(schalter->isVisible());
    EXPECT_EQ(schalter->text(), QStringLiteral("mit Kesselmodell"));
    QTest::mouseClick(schalter, Qt::LeftButton, {}, QPoint(6, schalter->height() / 2));
    ASSERT_EQ(app().anlage.Sim_Modell, 1);
    EXPECT_FALSE(regler->isEnabled());
    const std::size_t ab = geraet.bytes.size();
    laufe(10min);
    // The heating is on for the model, and no byte with a bit set reached the card.
    EXPECT_EQ(app().anlage.Aus_Heizung, 1);
    ASSERT_GT(geraet.bytes.size(), ab + 5000);
    for (std::size_t i = ab; i < geraet.bytes.size(); ++i)
        ASSERT_EQ(geraet.bytes[i], 0) << "byte " << i;
    // 40 °C + 1 K/min for the ten minutes after the 20 s dead time.
    const double ist = Text_Als_Double(app().anzeige.Anzeige_TempIst, app().anlage.Dezimaltrenner);
    EXPECT_NEAR(ist, 40.0 + (600 - 20) / 60.0, 0.3);
    EXPECT_EQ(w<QLineEdit>(*g, "Sim_IstTemperatur")->text(), QString::number(std::lround(ist)))
        << "the field beside the slider shows the model's value";
    regler->setValue(-90);   // disabled; were it moved, the model still gives the value
    laufe(1s);
    EXPECT_NEAR(Text_Als_Double(app().anzeige.Anzeige_TempIst, '.'), ist + 1.0 / 60.0, 0.15);

    // Off again: the slider from the model's last value, and the relay follows the heating again.
    QTest::mouseClick(schalter, Qt::LeftButton, {}, QPoint(6, schalter->height() / 2));
    EXPECT_EQ(app().anlage.Sim_Modell, 0);
    EXPECT_TRUE(regler->isEnabled());
    laufe(1s);
    EXPECT_EQ(geraet.letztes() & 0x01, 0x01);
    EXPECT_EQ(-regler->value(), static_cast<int>(std::lround(ist + 1.0 / 60.0)));
    EXPECT_EQ(app().anzeige.Anzeige_TempIst, std::to_string(-regler->value()));

    // Leaving simulation with the model switch on: the reading counts and the relay is live.
    QTest::mouseClick(schalter, Qt::LeftButton, {}, QPoint(6, schalter->height() / 2));
    ASSERT_EQ(app().anlage.Sim_Modell, 1);
    klick(*g, "Switch1");
    laufe(1s);
    EXPECT_FALSE(app().anlage.Nur_Modell());
    EXPECT_EQ(geraet.letztes() & 0x01, 0x01);
}

} // namespace
} // namespace kw::test
