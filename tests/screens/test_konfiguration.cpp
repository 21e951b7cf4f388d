// The settings screen, the start-up notice and the exit paths, driven through the real widgets with the
// fake clock, the recording relay devices and a process starter that starts nothing.

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QPointer>
#include <QGroupBox>
#include <QLabel>
#include <QComboBox>
#include <QLineEdit>
#include <poll.h>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Testanwendung.h"
#include "../fileio/Fremdlink.h"
#include "screens/Beschriftungen.h"
#include "screens/Grundbild.h"
#include "screens/HardwareAbfrage.h"
#include "screens/HardwareConf.h"
#include "screens/Parameter.h"
#include "screens/TEMPZEITKURV.h"
#include "texts/Texte.h"

namespace kw::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::vector<std::string> Musterzeilen()
{
    return {"dt",          "meinlog",    "2",          "3BC",        "3",          "reserviert 1;2",
            "Pumpe Ein",   "Pumpe Aus",  "Licht Ein",  "Licht Aus",  "Extra3 Ein", "Extra3 Aus",
            "Extra4 Ein",  "Extra4 Aus", "2",          "1",          "1"};
}

struct KonfigTest : ::testing::Test {
    fs::path ordner;
    std::unique_ptr<Testumgebung> u;
    Grundbild* grundbild = nullptr;

    KonfigTest()
    {
        std::string vorlage = (fs::temp_directory_path() / "kw_konfig_XXXXXX").string();
        ordner = ::mkdtemp(vorlage.data());
    }
    ~KonfigTest() override
    {
        u.reset();
        QApplication::processEvents();
        std::error_code ec;
        fs::remove_all(ordner, ec);
    }

    fs::path datei() const { return ordner / "Kesselwerk.cfg"; }

    void schreibeDatei(const std::vector<std::string>& zeilen)
    {
        std::ofstream f(datei(), std::ios::binary);
        for (const auto& z : zeilen)
            f << z << "\r\n";
    }
    std::string dateiinhalt() const
    {
        std::ifstream f(datei(), std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }

    // Program start; the main screen's timers are driven by hand.
    void starten()
    {
        u = std::make_unique<Testumgebung>(ordner.string());
        grundbild = &app().bildschirm<Grundbild>();
        grundbild->Timer_Anhalten();
        grundbild->show();
    }
    // Start and first controller tick, which loads the file and opens the dialog.
    HardwareAbfrage& starten_und_laden()
    {
        starten();
        tick();
        return dialog();
    }

    Anwendung& app() { return *u->app; }
    HardwareAbfrage& dialog() { return app().bildschirm<HardwareAbfrage>(); }
    void tick() { grundbild->Timer1_Timer(); }
    void tempRead() { grundbild->TempRead_Timer(); }

    template <class T = QWidget> T* element(QWidget& w, const char* name)
    {
        T* e = w.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(e, nullptr) << "no control " << name;
        return e;
    }
    bool gewaehlt(const char* name)
    {
        auto* b = element<QAbstractButton>(dialog(), name);
        return b && b->isChecked();
    }
    std::string feld(QWidget& w, const char* name)
    {
        auto* f = element<QLineEdit>(w, name);
        return f ? f->text().toStdString() : "<fehlt>";
    }
    std::string knopftext(QWidget& w, const char* name)
    {
        auto* b = element<QAbstractButton>(w, name);
        return b ? b->text().toStdString() : "<fehlt>";
    }
    void klicken(const char* name)
    {
        if (auto* b = element<QAbstractButton>(dialog(), name)) {
            // An option takes clicks on its circle and caption only, not on the free space beside them.
            const QPoint stelle = qobject_cast<QRadioButton*>(b) ? QPoint(6, b->height() / 2) : b->rect().center();
            QTest::mouseClick(b, Qt::LeftButton, {}, stelle);
        }
    }
    void ok() { klicken("Command1"); }
    void optionen()
    {
        // OPTIONEN acts as the mouse button goes down.
        if (auto* b = element<QAbstractButton>(*grundbild, "OPTIONS")) {
            QTest::mousePress(b, Qt::LeftButton);
            QTest::mouseRelease(b, Qt::LeftButton);
        }
    }
    void ersetzen(const char* name, const char* text)
    {
        if (auto* f = element<QLineEdit>(dialog(), name)) {
            f->setFocus();
            f->selectAll();
            // QTest types ASCII only; other letters go in as typed text.
            for (QChar c : QString::fromUtf8(text)) {
                if (c.unicode() < 128)
                    QTest::keyClick(f, c.toLatin1());
                else
                    f->insert(QString(c));
            }
        }
    }
    std::vector<std::string> meldungen() { return u->meldungen_abholen(); }
    std::string meldung63() { return kw::Meldung(Sprache::Deutsch, 63); }
};

TEST_F(KonfigTest, ErsterTickZeigtDenDialogMitDenGespeichertenWerten)
{
    schreibeDatei(Musterzeilen());
    starten();
    EXPECT_FALSE(app().geladen(HardwareAbfrage::Name) && dialog().isVisible());
    tick();

    HardwareAbfrage& d = dialog();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.windowTitle().toStdString(), "Konfiguration");
    EXPECT_EQ(feld(d, "NameDigitemp"), "dt");
    EXPECT_EQ(feld(d, "NameLogFile"), "meinlog");
    EXPECT_EQ(feld(d, "LPT_DEF"), "3BC");
    EXPECT_TRUE(gewaehlt("Auswahl_LPT2"));
    EXPECT_FALSE(gewaehlt("Auswahl_LPT1"));
    EXPECT_TRUE(gewaehlt("Auswahl_COM3"));
    EXPECT_EQ(feld(d, "Conf_Extra1_Ein"), "Pumpe Ein");
    EXPECT_EQ(feld(d, "Conf_Extra2_Aus"), "Licht Aus");
    EXPECT_EQ(feld(d, "Conf_Extra4_Aus"), "Extra4 Aus");
    EXPECT_TRUE(gewaehlt("Conf_Signal_Dauer"));
    EXPECT_FALSE(gewaehlt("Conf_Signal_Blink"));
    EXPECT_TRUE(gewaehlt("Conf_Grad_Ein"));
    EXPECT_TRUE(gewaehlt("Sprache1"));
    EXPECT_FALSE(element<QLabel>(d, "Lesehinweis")->isVisible());

    // The stored interface acts at once; nothing is confirmed and nothing goes to a port yet.
    EXPECT_EQ(app().anlage.Schnittstelle, 2);
    EXPECT_FALSE(app().anlage.Konfiguration_Bestaetigt);
    EXPECT_EQ(app().konfiguration.Reserviert, "reserviert 1;2");
    tick();
    EXPECT_TRUE(u->geraete.lpt.bytes.empty());
    EXPECT_TRUE(meldungen().empty());

    // The second tick does not load again.
    feld(d, "NameLogFile");
    element<QLineEdit>(d, "NameLogFile")->setText(QStringLiteral("getippt"));
    tick();
    EXPECT_EQ(feld(d, "NameLogFile"), "getippt");
}

TEST_F(KonfigTest, JedeBeschriftungDerTabelleFindetIhrSteuerelement)
{
    starten();
    tick();
    int gefunden = 0;
    for (const char* name : {"HardwareAbfrage", "HardwareConf"}) {
        QWidget* w = app().bildschirm(name);
        ASSERT_NE(w, nullptr);
        for (const Beschriftung& b : app().texte.beschriftungen()) {
            if (b.Bildschirm != name)
                continue;
            auto ist = Beschriftung_Lesen(*w, b.Steuerelement);
            ASSERT_TRUE(ist.has_value()) << name << ": no control " << b.Steuerelement;
            EXPECT_EQ(ist->toStdString(), b.Text) << b.Steuerelement;
            ++gefunden;
        }
    }
    EXPECT_EQ(gefunden, 22);
    EXPECT_EQ(knopftext(dialog(), "Sprache3"), "Français");
    EXPECT_EQ(knopftext(dialog(), "Sprache7"), "Jezyk Polski");
    EXPECT_EQ(knopftext(dialog(), "Auswahl_LPT1"), "LPT1 (&&h378 )"); // shows "LPT1 (&h378 )"
    EXPECT_EQ(app().bildschirm("HardwareConf")->windowTitle().toStdString(), "Hardware-Initialisierung");
    EXPECT_EQ(element<QLabel>(*app().bildschirm("HardwareConf"), "Label1")->text().toStdString(),
              "   Die Hardware wird initialisiert.");
}

TEST_F(KonfigTest, OkSpeichertSiebzehnZeilenUndBestaetigt)
{
    schreibeDatei(Musterzeilen());
    HardwareAbfrage& d = starten_und_laden();

    ersetzen("NameLogFile", "templog");
    ersetzen("Conf_Extra1_Ein", "Rührer Ein");
    ersetzen("LPT_DEF", "37G8"); // not a hex digit: refused
    EXPECT_EQ(feld(d, "LPT_DEF"), "378");
    klicken("Auswahl_LPT1");
    EXPECT_EQ(app().anlage.Schnittstelle, 1) << "an interface option acts at once";
    klicken("Auswahl_COM1");
    klicken("Conf_Signal_Blink");
    ok();

    EXPECT_EQ(dateiinhalt(), "dt\r\ntemplog\r\n1\r\n378\r\n1\r\nreserviert 1;2\r\n"
                             "Rührer Ein\r\nPumpe Aus\r\nLicht Ein\r\nLicht Aus\r\nExtra3 Ein\r\nExtra3 Aus\r\n"
                             "Extra4 Ein\r\nExtra4 Aus\r\n1\r\n1\r\n1\r\n");
    // Written aside and renamed: nothing else is left in the folder.
    int dateien = 0;
    for (const auto& e : fs::directory_iterator(ordner)) {
        ++dateien;
        EXPECT_EQ(e.path().filename(), "Kesselwerk.cfg");
    }
    EXPECT_EQ(dateien, 1);
    EXPECT_EQ(app().konfiguration, Datei_Lesen(datei().string()));

    EXPECT_TRUE(app().anlage.Konfiguration_Bestaetigt);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(app().anlage.Signal_Dauer, 0);
    EXPECT_EQ(app().anlage.Gradient_Ein, 1);
    EXPECT_EQ(knopftext(*grundbild, "Man_Extra1"), "Rührer Ein");
    EXPECT_EQ(knopftext(*grundbild, "Option_Gradient"), "Grad. Aus");
    EXPECT_EQ(knopftext(*grundbild, "Option_Signal"), "Signal taktend aus");

    // The sensor search is started with the values just saved.
    ASSERT_EQ(u->starter.aufrufe.size(), 1u);
    EXPECT_NE(u->starter.aufrufe[0].find("-a -s/dev/ttyS0 -i -l" + (ordner / "templog.TXT").string()
                                         + " -r2000 -o%.2C"),
              std::string::npos)
        << u->starter.aufrufe[0];

    // From the next tick on the byte goes to LPT1.
    app().anlage.Man_Extra1_Ein = 1;
    app().anlage.Manuell = 1;
    tick();
    ASSERT_FALSE(u->geraete.lpt.bytes.empty());
    EXPECT_EQ(u->geraete.adressen.back(), 0x378);
    EXPECT_EQ(u->geraete.lpt.letztes(), 8) << "extra 1 is bit 3";
    EXPECT_TRUE(u->geraete.usb.bytes.empty());
    EXPECT_TRUE(meldungen().empty());
}

TEST_F(KonfigTest, SchnittstelleVierGehtUeberDenIOWarrior)
{
    auto zeilen = Musterzeilen();
    zeilen[2] = "4";
    schreibeDatei(zeilen);
    starten_und_laden();
    EXPECT_EQ(app().anlage.Schnittstelle, 4);
    EXPECT_TRUE(gewaehlt("Auswahl_USB"));
    EXPECT_FALSE(u->geraete.usb.offen);

    ok();
    EXPECT_TRUE(u->geraete.usb.offen) << "OK opens the board";
    u->geraete.usb.bytes.clear();
    tick();
    ASSERT_EQ(u->geraete.usb.bytes.size(), 1u);
    EXPECT_EQ(u->geraete.usb.letztes(), 0);
    EXPECT_TRUE(u->geraete.lpt.bytes.empty());
    EXPECT_TRUE(u->geraete.adressen.empty());
}

TEST_F(KonfigTest, NurDerErsteOkZeigtDenHinweisBisDieWartezeitUmIst)
{
    schreibeDatei(Musterzeilen());
    starten_und_laden();
    EXPECT_FALSE(app().geladen("HardwareConf") && app().bildschirm("HardwareConf")->isVisible());
    ok();
    QWidget* notiz = app().bildschirm("HardwareConf");
    EXPECT_TRUE(notiz->isVisible());
    EXPECT_TRUE(dialog().Erste_Bestaetigung());

    u->uhr.vor(14s);
    tempRead();
    EXPECT_TRUE(notiz->isVisible()) << "one second before the wait is over";
    u->uhr.vor(1s);
    tempRead();
    EXPECT_FALSE(notiz->isVisible());

    // Reopened and confirmed again: no notice this time.
    optionen();
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_FALSE(app().anlage.Konfiguration_Bestaetigt);
    ok();
    EXPECT_FALSE(notiz->isVisible());
    EXPECT_TRUE(app().anlage.Konfiguration_Bestaetigt);
    EXPECT_EQ(u->starter.aufrufe.size(), 3u) << "init, one reading run, init again";
}

TEST_F(KonfigTest, TemperaturWirdNachEinemUhrsprungZurueckWeitergelesen)
{
    schreibeDatei(Musterzeilen());
    starten_und_laden();
    ok();
    QWidget* notiz = app().bildschirm("HardwareConf");
    ASSERT_TRUE(notiz->isVisible());

    // the clock is put an hour back during the start-up wait: it still lasts 15 s
    u->uhr.vor(5s);
    u->uhr.verstellen(-1h);
    u->uhr.vor(10s);
    tempRead();
    EXPECT_FALSE(notiz->isVisible());
    tempRead();
    ASSERT_EQ(u->starter.aufrufe.size(), 2u) << "init and the first reading run";

    // and back again during a reading: the next run follows 3 s after the last
    u->uhr.vor(1s);
    u->uhr.verstellen(-1h);
    u->uhr.vor(2s);
    tempRead();   // the wait is over: the log is read
    tempRead();
    EXPECT_EQ(u->starter.aufrufe.size(), 3u) << "no reading would come for an hour";
}

TEST_F(KonfigTest, FranzoesischZeigtMeldung63UndBleibtDeutsch)
{
    schreibeDatei(Musterzeilen());
    starten_und_laden();
    EXPECT_TRUE(meldungen().empty());

    klicken("Sprache3");
    EXPECT_EQ(meldungen(), std::vector<std::string>{meldung63()});
    EXPECT_EQ(app().anlage.Sprachnummer, 3);
    EXPECT_EQ(app().texte.aktuell, Sprache::Deutsch);
    EXPECT_EQ(element<QGroupBox>(dialog(), "Frame1")->title().toStdString(), "Port Relais-Karte");
    EXPECT_EQ(knopftext(*grundbild, "Command7"), "BEENDEN");

    ok();
    EXPECT_TRUE(meldungen().empty()) << "the switch at OK is silent";
    EXPECT_EQ(Datei_Lesen(datei().string()).Sprache, "3");
}

TEST_F(KonfigTest, NurDieDreiSprachenOhneTabellenMeldenSich)
{
    schreibeDatei(Musterzeilen());
    starten_und_laden();
    const struct {
        const char* option;
        int meldung; // 0: none
        Sprache sprache;
    } faelle[] = {{"Sprache4", 64, Sprache::Deutsch},       {"Sprache6", 0, Sprache::Portugiesisch},
                  {"Sprache5", 65, Sprache::Deutsch},       {"Sprache7", 0, Sprache::Polnisch},
                  {"Sprache3", 63, Sprache::Deutsch},       {"Sprache8", 0, Sprache::Tschechisch},
                  {"Sprache2", 0, Sprache::Englisch}};
    for (const auto& f : faelle) {
        klicken(f.option);
        const auto erwartet = f.meldung ? std::vector<std::string>{kw::Meldung(Sprache::Deutsch, f.meldung)}
                                        : std::vector<std::string>{};
        EXPECT_EQ(meldungen(), erwartet) << f.option;
        EXPECT_EQ(app().texte.aktuell, f.sprache) << f.option;
    }
}

TEST_F(KonfigTest, GespeichertesFranzoesischSchweigtBeimStartUndMeldetSichBeimWiederoeffnen)
{
    auto zeilen = Musterzeilen();
    zeilen[16] = "3";
    schreibeDatei(zeilen);
    starten();
    app().Sprache_Umschalten(); // a switch before the first load does not make that load speak
    tick();
    EXPECT_TRUE(gewaehlt("Sprache3"));
    EXPECT_TRUE(meldungen().empty());
    ok();
    EXPECT_TRUE(meldungen().empty());

    optionen();
    EXPECT_EQ(meldungen(), std::vector<std::string>{meldung63()});
    EXPECT_TRUE(dialog().isVisible());
}

TEST_F(KonfigTest, EnglischSchaltetDasHauptbildSofortUm)
{
    schreibeDatei(Musterzeilen());
    HardwareAbfrage& d = starten_und_laden();
    const auto englisch = [](const char* schirm, const char* name) {
        const std::string* t = Beschriftung_Fuer(Sprache::Englisch, schirm, name);
        return t ? *t : std::string("<fehlt>");
    };

    klicken("Sprache2");
    EXPECT_TRUE(meldungen().empty());
    EXPECT_EQ(app().texte.aktuell, Sprache::Englisch);
    EXPECT_EQ(knopftext(*grundbild, "Command7"), englisch("Grundbild", "Command7"));
    EXPECT_NE(knopftext(*grundbild, "Command7"), "BEENDEN");
    EXPECT_EQ(element<QGroupBox>(d, "Spracheinstellung")->title().toStdString(),
              englisch("HardwareAbfrage", "Spracheinstellung"));
    EXPECT_EQ(element<QLabel>(d, "Label8")->text().toStdString(), englisch("HardwareAbfrage", "Label8"));
    EXPECT_EQ(knopftext(d, "Sprache2"), "English") << "the option captions do not change";
    EXPECT_EQ(feld(d, "Conf_Extra1_Ein"), "Pumpe Ein") << "typed texts are no captions";

    // OK sets the signal and gradient buttons in the language now in effect.
    ok();
    EXPECT_EQ(knopftext(*grundbild, "Option_Gradient"), "Grad. Off");
    EXPECT_EQ(knopftext(*grundbild, "Option_Signal"), "Signal pulsing on");

    optionen();
    klicken("Sprache1");
    EXPECT_EQ(knopftext(*grundbild, "Command7"), "BEENDEN");
    EXPECT_EQ(element<QGroupBox>(d, "Frame1")->title().toStdString(), "Port Relais-Karte");
}

TEST_F(KonfigTest, KarteFolgtDerSteuerungAuchBeiOffenemDialog)
{
    schreibeDatei(Musterzeilen()); // LPT2
    starten_und_laden();
    ok();
    app().anlage.Manuell = 1;
    app().anlage.Man_Heizung_Ein = 1;
    tick();
    ASSERT_EQ(u->geraete.lpt.letztes(), 1);

    optionen();
    ASSERT_TRUE(dialog().isVisible());
    app().anlage.Man_Heizung_Ein = 0;
    tick();
    EXPECT_EQ(u->geraete.lpt.letztes(), 0) << "the heater goes off although the dialog is open";
    EXPECT_EQ(u->geraete.adressen, std::vector<std::uint16_t>{0x278});

    app().anlage.Man_Heizung_Ein = 1;
    klicken("Auswahl_LPT_Def");
    tick();
    EXPECT_EQ(u->geraete.lpt.letztes(), 0) << "another port clicked: the card in use goes off";
    EXPECT_EQ(u->geraete.adressen, std::vector<std::uint16_t>{0x278}) << "the new port waits for OK";
    ok();
    tick();
    EXPECT_EQ(u->geraete.adressen, (std::vector<std::uint16_t>{0x278, 0x3BC}));
    EXPECT_EQ(u->geraete.lpt.letztes(), 1);
}

TEST_F(KonfigTest, WiederoeffnenVerwirftUngespeicherteAenderungen)
{
    schreibeDatei(Musterzeilen());
    starten_und_laden();
    ok();
    optionen();
    ersetzen("Conf_Extra3_Ein", "Heizstab");
    klicken("Auswahl_USBMeilhaus");
    EXPECT_EQ(app().anlage.Schnittstelle, 5);
    optionen();
    EXPECT_EQ(feld(dialog(), "Conf_Extra3_Ein"), "Extra3 Ein");
    EXPECT_TRUE(gewaehlt("Auswahl_LPT2"));
    EXPECT_EQ(app().anlage.Schnittstelle, 2);
}

TEST_F(KonfigTest, FehlendeOderUnbrauchbareDateiGibtDieVorgaben)
{
    // No file at all.
    HardwareAbfrage& d = starten_und_laden();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(feld(d, "NameDigitemp"), "digitemp_DS9097");
    EXPECT_EQ(feld(d, "NameLogFile"), "templog");
    EXPECT_TRUE(gewaehlt("Auswahl_LPT1"));
    EXPECT_TRUE(gewaehlt("Auswahl_COM1"));
    EXPECT_TRUE(gewaehlt("Conf_Signal_Blink"));
    EXPECT_TRUE(gewaehlt("Conf_Grad_Aus"));
    EXPECT_TRUE(gewaehlt("Sprache1"));
    EXPECT_EQ(feld(d, "Conf_Extra1_Ein"), "Extra1 Ein");
    EXPECT_TRUE(element<QLabel>(d, "Lesehinweis")->isVisible());
    EXPECT_TRUE(meldungen().empty());
    ok();
    EXPECT_EQ(Datei_Lesen(datei().string()), Konfiguration{}) << "OK creates the file with the defaults";
    u.reset();

    // Numbers that are none, and a file cut short.
    schreibeDatei({"dt", "log", "x", "", "COM2", "", "A", "B", "C", "D", "E", "F", "G", "H", "ein", "9", "Deutsch"});
    HardwareAbfrage& d2 = starten_und_laden();
    EXPECT_TRUE(gewaehlt("Auswahl_LPT1"));
    EXPECT_TRUE(gewaehlt("Auswahl_COM1"));
    EXPECT_TRUE(gewaehlt("Conf_Signal_Blink"));
    EXPECT_TRUE(gewaehlt("Conf_Grad_Aus"));
    EXPECT_TRUE(gewaehlt("Sprache1"));
    EXPECT_EQ(feld(d2, "Conf_Extra4_Aus"), "H");
    EXPECT_EQ(app().anlage.Schnittstelle, 1);
    EXPECT_EQ(app().texte.aktuell, Sprache::Deutsch);
    EXPECT_FALSE(element<QLabel>(d2, "Lesehinweis")->isVisible());
    u.reset();

    schreibeDatei({"dt", "log", "4"});
    starten_und_laden();
    EXPECT_TRUE(gewaehlt("Auswahl_USB"));
    EXPECT_TRUE(gewaehlt("Sprache1"));
    EXPECT_TRUE(element<QLabel>(dialog(), "Lesehinweis")->isVisible());
    EXPECT_TRUE(meldungen().empty());
}

TEST_F(KonfigTest, NichtGespeichertWirdGemeldetUndGiltTrotzdem)
{
    // A folder where the file should be: reading finds nothing, the rename fails.
    fs::create_directory(datei());
    HardwareAbfrage& d = starten_und_laden();
    ersetzen("Conf_Extra2_Ein", "Kran Ein");
    ok();
    auto m = meldungen();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_NE(m[0].find("nicht gespeichert"), std::string::npos) << m[0];
    EXPECT_NE(m[0].find("Kesselwerk.cfg"), std::string::npos) << m[0];
    EXPECT_TRUE(app().anlage.Konfiguration_Bestaetigt);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(knopftext(*grundbild, "Man_Extra2"), "Kran Ein");

    // Reopening shows what is in effect, not the defaults of the unreadable file.
    optionen();
    EXPECT_EQ(feld(d, "Conf_Extra2_Ein"), "Kran Ein");
    EXPECT_TRUE(element<QLabel>(d, "Lesehinweis")->isVisible());
    EXPECT_TRUE(fs::is_directory(datei()));
}

TEST_F(KonfigTest, FremderLinkImOffenenOrdnerWirdGenanntUndNichtBeschrieben)
{
    if (!Als_Root())
        GTEST_SKIP() << Ohne_Root;
    // The program folder lies open like /tmp, and another user planted a link under
    // the settings' name to a file of ours.
    fs::create_directory(ordner / "privat");
    fs::permissions(ordner / "privat", fs::perms::owner_all);
    const std::string unsere = "dt\r\nunserlog\r\n";
    std::ofstream(ordner / "privat" / "Kesselwerk.cfg", std::ios::binary) << unsere;
    ASSERT_TRUE(Sticky_Ordner(ordner));
    ASSERT_TRUE(Link_Von(datei(), "privat/Kesselwerk.cfg", Fremder));

    HardwareAbfrage& d = starten_und_laden();
    EXPECT_EQ(feld(d, "NameLogFile"), "templog") << "the defaults, nothing of the file behind the link";
    auto* hinweis = element<QLabel>(d, "Lesehinweis");
    ASSERT_NE(hinweis, nullptr);
    EXPECT_TRUE(hinweis->isVisible());
    EXPECT_TRUE(hinweis->text().contains(QStringLiteral("symbolic link not followed"))) << hinweis->text().toStdString();
    ok();
    const auto m = meldungen();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_NE(m[0].find("nicht gespeichert"), std::string::npos) << m[0];
    EXPECT_NE(m[0].find("symbolic link not followed"), std::string::npos) << m[0];
    std::ifstream f(ordner / "privat" / "Kesselwerk.cfg", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(f), {}), unsere);
    EXPECT_TRUE(fs::is_symlink(datei()));
}

// --- every way out writes the all-off state to the interface in use ---

struct AusgangTest : KonfigTest, ::testing::WithParamInterface<const char*> {
    // Confirmed with interface 1 or 4, heating and extra 2 on: byte 17 on the device.
    Aufzeichnungsgeraet& betriebBereit(const std::string& schnittstelle)
    {
        auto zeilen = Musterzeilen();
        zeilen[2] = schnittstelle;
        schreibeDatei(zeilen);
        starten_und_laden();
        ok();
        app().anlage.Manuell = 1;
        app().anlage.Man_Heizung_Ein = 1;
        app().anlage.Man_Extra2_Ein = 1;
        tick();
        Aufzeichnungsgeraet& g = schnittstelle == "4" ? u->geraete.usb : u->geraete.lpt;
        EXPECT_EQ(g.letztes(), 1 + 16);
        return g;
    }
};

TEST_P(AusgangTest, AllesAusBeimBeenden)
{
    for (const char* schnittstelle : {"1", "4"}) {
        SCOPED_TRACE(schnittstelle);
        Aufzeichnungsgeraet& g = betriebBereit(schnittstelle);
        const std::size_t vorher = g.bytes.size();
        const std::string weg = GetParam();
        if (weg == "Alles_Aus_Und_Beenden") {
            app().Alles_Aus_Und_Beenden();
        } else if (weg == "BEENDEN") {
            auto* b = element<QAbstractButton>(*grundbild, "Command7");
            ASSERT_NE(b, nullptr);
            QTest::mousePress(b, Qt::LeftButton);
        } else if (weg == "Fenster") {
            grundbild->close();
        } else { // the path of SIGTERM, SIGINT and SIGHUP
            grundbild->Beenden();
        }
        EXPECT_TRUE(app().beendet());
        ASSERT_GT(g.bytes.size(), vorher);
        EXPECT_EQ(g.letztes(), 0);
        EXPECT_EQ(app().anlage.Aus_Heizung, 0);
        // No tick after the end writes anything again.
        tick();
        EXPECT_EQ(g.letztes(), 0);
        u.reset();
    }
}

// The signal's way out while the recipe and curve file dialogs and a message box
// are open: all off on the device, every dialog gone, nothing left waiting.
TEST_F(AusgangTest, AllesAusBeiOffenenDialogen)
{
    Aufzeichnungsgeraet& g = betriebBereit("1");
    auto& parameter = app().bildschirm<Parameter>();
    parameter.oeffnen();
    QTest::mouseClick(element<QAbstractButton>(parameter, "Command5"), Qt::LeftButton);
    auto* cd1 = parameter.findChild<QFileDialog*>(QStringLiteral("CD1"));
    ASSERT_NE(cd1, nullptr);
    EXPECT_TRUE(cd1->isVisible());
    auto& kurve = app().bildschirm<TEMPZEITKURV>();
    kurve.show();
    QTest::mouseClick(element<QAbstractButton>(kurve, "LOG"), Qt::LeftButton);
    QPointer<QFileDialog> cd = kurve.findChild<QFileDialog*>(QStringLiteral("CD"));
    ASSERT_FALSE(cd.isNull());
    EXPECT_TRUE(cd->isVisible());
    app().zeige(14);

    grundbild->Beenden();
    EXPECT_EQ(g.letztes(), 0);
    EXPECT_TRUE(app().beendet());
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<QDialog*>(w) && w->isVisible()) << w->metaObject()->className();
    EXPECT_TRUE(cd.isNull()) << "unloaded with its screen";
    EXPECT_FALSE(app().geladen(Parameter::Name));
    tick();
    EXPECT_EQ(g.letztes(), 0);
}

INSTANTIATE_TEST_SUITE_P(Ausgaenge, AusgangTest,
                         ::testing::Values("Alles_Aus_Und_Beenden", "BEENDEN", "Fenster", "Signal"));

} // namespace
} // namespace kw::test

namespace kw::test {
namespace {

std::string lesen(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// GPIO and the HID board: line 3 keeps 5 (an earlier version shows the driverless option and drives nothing),
// the choice and the lines go to Kesselwerk.ini; a file an earlier version changed wins.
TEST_F(KonfigTest, GpioUndHidStehenInDerZusatzdatei)
{
    auto zeilen = Musterzeilen();
    zeilen[2] = "5";
    schreibeDatei(zeilen);
    {
        std::ofstream ini(ordner / "Kesselwerk.ini", std::ios::binary);
        ini << "[Ausgabe]\r\nSchnittstelle=6\r\n[GPIO]\r\nChip=pinctrl-bcm2711\r\nAktiv=hoch\r\nHeizung=17\r\n"
               "Signal=22\r\nKuehlung=zwei\r\n[MQTT]\r\nHost=brauerei\r\n";
    }
    HardwareAbfrage& d = starten_und_laden();
    EXPECT_TRUE(gewaehlt("Auswahl_GPIO"));
    EXPECT_EQ(app().anlage.Schnittstelle, 6);
    EXPECT_EQ(d.gpioEntwurf().leitung[0], 17u);
    EXPECT_EQ(d.gpioEntwurf().leitung[7], 22u);
    EXPECT_FALSE(d.gpioEntwurf().leitung[2]) << "a broken line is not wired";
    EXPECT_FALSE(d.gpioEntwurf().aktivNiedrig);
    auto* hinweis = element<QLabel>(d, "Lesehinweis");
    ASSERT_TRUE(hinweis);
    EXPECT_TRUE(hinweis->text().contains(QStringLiteral("Kuehlung=\"zwei\""))) << hinweis->text().toStdString();

    klicken("Auswahl_HID");
    EXPECT_EQ(app().anlage.Schnittstelle, 7);
    ok();
    EXPECT_EQ(app().anlage.Schnittstelle, 7);
    EXPECT_EQ(app().konfiguration.Schnittstelle, "5");
    EXPECT_NE(dateiinhalt().find("\r\n5\r\n3BC\r\n"), std::string::npos);
    std::string ini = lesen(ordner / "Kesselwerk.ini");
    EXPECT_NE(ini.find("Schnittstelle=7"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Heizung=17"), std::string::npos);
    EXPECT_NE(ini.find("Host=brauerei"), std::string::npos) << "other sections stay";
    EXPECT_EQ(fs::status(ordner / "Kesselwerk.ini").permissions() & fs::perms::others_read, fs::perms::none);

    // An earlier version chose LPT1: its line 3 holds, whatever the ini still says.
    zeilen[2] = "1";
    schreibeDatei(zeilen);
    optionen();
    EXPECT_TRUE(gewaehlt("Auswahl_LPT1"));
    EXPECT_EQ(app().anlage.Schnittstelle, 1);
    ok();
    ini = lesen(ordner / "Kesselwerk.ini");
    EXPECT_NE(ini.find("Schnittstelle=\r\n"), std::string::npos) << ini;
}

TEST_F(KonfigTest, UnlesbareZusatzdateiGibtVorgabenUndEinenHinweis)
{
    schreibeDatei(Musterzeilen());
    fs::create_directory(ordner / "Kesselwerk.ini"); // not a file
    HardwareAbfrage& d = starten_und_laden();
    auto* hinweis = element<QLabel>(d, "Lesehinweis");
    ASSERT_TRUE(hinweis);
    EXPECT_TRUE(hinweis->isVisibleTo(&d));
    EXPECT_TRUE(hinweis->text().startsWith(QStringLiteral("Kesselwerk.ini"))) << hinweis->text().toStdString();
    EXPECT_FALSE(d.gpioEntwurf().irgendeineLeitung());
    klicken("Auswahl_GPIO");
    ok(); // the cfg is saved; the ini cannot be and is not replaced
    EXPECT_TRUE(fs::is_directory(ordner / "Kesselwerk.ini"));
    EXPECT_EQ(app().anlage.Schnittstelle, 6) << "the choice holds for this run";
    bool gesagt = false;
    for (auto& m : meldungen())
        gesagt = gesagt || m.find("Kesselwerk.ini") != std::string::npos;
    EXPECT_TRUE(gesagt);
}

} // namespace
} // namespace kw::test

namespace kw::test {
namespace {

// The sensor source 1-Wire: the screen lists the sensors with their reading (read off the UI thread), OK keeps
// the choice in Kesselwerk.ini, and the reading cycle takes the reader's values instead of DigiTemp's.
TEST_F(KonfigTest, EinwireSensorGewaehltUndGelesen)
{
    const fs::path w1 = ordner / "w1";
    fs::create_directories(w1 / "28-0316a2794bff");
    fs::create_directories(w1 / "28-00000a1b2c3d");
    fs::create_directories(w1 / "w1_bus_master1");
    std::ofstream(w1 / "28-0316a2794bff" / "temperature") << "64500\n";
    std::ofstream(w1 / "28-00000a1b2c3d" / "w1_slave") << "ff ff : crc=ff NO\nff ff t=-62\n";
    ::setenv("KW_W1_ORDNER", w1.c_str(), 1);
    schreibeDatei(Musterzeilen());
    HardwareAbfrage& d = starten_und_laden();
    EXPECT_TRUE(gewaehlt("Quelle_DigiTemp"));
    klicken("Einwire_Lesen");
    const auto bis = std::chrono::steady_clock::now() + 5s;
    while (d.einwireListe().size() < 2 && std::chrono::steady_clock::now() < bis)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(d.einwireListe(), (QStringList{QStringLiteral("28-00000a1b2c3d  kein Wert"),
                                             QStringLiteral("28-0316a2794bff  64.50 °C")}));
    auto* sensor = element<QComboBox>(d, "Einwire_Sensor");
    ASSERT_TRUE(sensor);
    sensor->setCurrentIndex(1);
    klicken("Quelle_Einwire");
    ok();
    EXPECT_TRUE(app().zusatz.einwire.aktiv);
    EXPECT_EQ(app().zusatz.einwire.sensor, "28-0316a2794bff");
    const std::string ini = lesen(ordner / "Kesselwerk.ini");
    EXPECT_NE(ini.find("Quelle=1-Wire"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Sensor=28-0316a2794bff\r\n"), std::string::npos) << ini;

    const auto ende = std::chrono::steady_clock::now() + 5s;
    while (!app().anlage.Messzeitpunkt && std::chrono::steady_clock::now() < ende) {
        tempRead();
        ::poll(nullptr, 0, 5);
    }
    EXPECT_TRUE(app().anlage.Messzeitpunkt);
    EXPECT_EQ(app().anlage.Temperaturwert, "64.50");
    ::unsetenv("KW_W1_ORDNER");
}

} // namespace
} // namespace kw::test
