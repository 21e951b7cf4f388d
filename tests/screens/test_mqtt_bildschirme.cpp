// The MQTT link in the real program: its dialog from the settings screen, the
// main screen's indicator, a remote QUITTIEREN in the journal and on the main
// screen, a refused login said once. Against a real Mosquitto broker.
// With KW_BILDER=<folder> the dialog and the main screen are kept there as pictures.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "../mqtt/Testbroker.h"
#include "Testanwendung.h"
#include "journal/Journal_Lesen.h"
#include "screens/Grundbild.h"
#include "screens/HardwareAbfrage.h"
#include "screens/MqttEinstellungen.h"

namespace kw::test {
namespace {

using namespace std::chrono_literals;

void Bild(QWidget& w, const char* name)
{
    if (const char* d = std::getenv("KW_BILDER"))
        w.grab().save(QString::fromStdString(std::string(d) + "/" + name + ".png"));
}

std::string Lesen(const std::string& pfad)
{
    std::ifstream f(pfad, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

struct Programm {
    Testordner ordner;
    Testbroker broker{ordner};
    std::unique_ptr<Testumgebung> t;
    Grundbild* g = nullptr;
    test::Zeittakt takt;

    void starten()
    {
        t = std::make_unique<Testumgebung>(ordner.pfad());
        g = &t->app->bildschirm<Grundbild>();
        g->show();
        g->Timer_Anhalten();
    }
    Anwendung& app() { return *t->app; }
    void tick() { takt.schritt(*g, t->uhr); }
    // Ticks (a few ms of wall time apart, as the network needs real time) until `bed` holds.
    template <class F> bool bis_wahr(F bed, std::chrono::milliseconds frist = 5s)
    {
        const auto ende = std::chrono::steady_clock::now() + frist;
        while (!bed()) {
            if (std::chrono::steady_clock::now() > ende)
                return false;
            tick();
            QApplication::processEvents();
            std::this_thread::sleep_for(5ms);
        }
        return true;
    }
    template <class W = QAbstractButton> W* w(QWidget& bild, const char* name)
    {
        W* x = bild.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(x, nullptr) << name;
        return x;
    }
    void einstellungen_bestaetigen()
    {
        tick();
        QWidget* dialog = app().bildschirm("HardwareAbfrage");
        ASSERT_TRUE(dialog && dialog->isVisible());
        QTest::mouseClick(w(*dialog, "Command1"), Qt::LeftButton);
        if (app().geladen("HardwareConf"))
            app().bildschirm("HardwareConf")->hide();
        t->meldungen_abholen();
    }
    void ini(const std::string& mehr)
    {
        ordner.schreiben("Kesselwerk.ini", "[MQTT]\nEin=1\nHost=127.0.0.1\nPort=" + std::to_string(broker.port())
                                               + "\nPraefix=test/bild\nClient_Id=kw-bild-" + std::to_string(getpid())
                                               + "\n" + mehr);
    }
};

TEST(Mqttbildschirme, DialogVomEinstellungsbildschirmSpeichertUndVerbindet)
{
    Programm p;
    p.starten();
    p.tick();
    auto& konfiguration = p.app().bildschirm<HardwareAbfrage>();
    ASSERT_TRUE(konfiguration.isVisible());
    auto* anzeige = p.w<QLabel>(*p.g, "Mqtt_Anzeige");
    EXPECT_TRUE(anzeige->isHidden()) << "nothing to show while MQTT is off";
    QTest::mouseClick(p.w(konfiguration, "Mqtt_Einstellungen"), Qt::LeftButton);
    auto& dialog = p.app().bildschirm<MqttEinstellungen>();
    ASSERT_TRUE(dialog.isVisible());
    EXPECT_EQ(p.w<QLineEdit>(dialog, "Mqtt_Praefix")->placeholderText().toStdString(),
              "Vorgabe: " + mqtt::Vorgabe_Praefix());

    QTest::mouseClick(p.w<QCheckBox>(dialog, "Mqtt_Ein"), Qt::LeftButton, {}, QPoint(6, 8));
    auto* host = p.w<QLineEdit>(dialog, "Mqtt_Host");
    host->clear();
    QTest::keyClicks(host, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(p.w<QSpinBox>(dialog, "Mqtt_Port")->value(), 1883);
    QTest::mouseClick(p.w<QCheckBox>(dialog, "Mqtt_Tls"), Qt::LeftButton, {}, QPoint(6, 8));
    EXPECT_EQ(p.w<QSpinBox>(dialog, "Mqtt_Port")->value(), 8883) << "the usual TLS port follows the check box";
    QTest::mouseClick(p.w<QCheckBox>(dialog, "Mqtt_Tls"), Qt::LeftButton, {}, QPoint(6, 8));
    EXPECT_EQ(p.w<QSpinBox>(dialog, "Mqtt_Port")->value(), 1883);
    p.w<QSpinBox>(dialog, "Mqtt_Port")->setValue(p.broker.port());
    QTest::keyClicks(p.w<QLineEdit>(dialog, "Mqtt_Client_Id"), QStringLiteral("kw-dialog"));
    // TLS without a CA file is refused, nothing is written.
    QTest::mouseClick(p.w<QCheckBox>(dialog, "Mqtt_Tls"), Qt::LeftButton, {}, QPoint(6, 8));
    EXPECT_EQ(p.w<QSpinBox>(dialog, "Mqtt_Port")->value(), p.broker.port()) << "a port of one's own stays with TLS";
    QTest::mouseClick(p.w(dialog, "Mqtt_OK"), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(p.w<QLabel>(dialog, "Mqtt_Fehler")->isVisibleTo(&dialog));
    EXPECT_EQ(p.w<QLabel>(dialog, "Mqtt_Fehler")->text(), QStringLiteral("Für TLS wird eine CA-Datei gebraucht."));
    EXPECT_FALSE(std::filesystem::exists(p.ordner.datei("Kesselwerk.ini")));

    QTest::mouseClick(p.w<QCheckBox>(dialog, "Mqtt_Tls"), Qt::LeftButton, {}, QPoint(6, 8));
    p.w<QSpinBox>(dialog, "Mqtt_Port")->setValue(p.broker.port());
    QTest::keyClicks(p.w<QLineEdit>(dialog, "Mqtt_Passwort"), QStringLiteral("geheim"));
    QTest::mouseClick(p.w(dialog, "Mqtt_OK"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    const std::string ini = Lesen(p.ordner.datei("Kesselwerk.ini"));
    EXPECT_NE(ini.find("[MQTT]"), std::string::npos);
    EXPECT_NE(ini.find("Ein=1"), std::string::npos);
    EXPECT_NE(ini.find("Port=" + std::to_string(p.broker.port())), std::string::npos);
    EXPECT_NE(ini.find("Client_Id=kw-dialog"), std::string::npos);
    EXPECT_NE(ini.find("Befehle_Erlaubt=0"), std::string::npos);
    struct stat st{};
    ASSERT_EQ(stat(p.ordner.datei("Kesselwerk.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    ASSERT_TRUE(p.bis_wahr([&] { return p.app().mqtt().bericht().status == mqtt::Status::Verbunden; }));
    static_cast<Mqttanzeige*>(anzeige)->aktualisieren();
    EXPECT_FALSE(anzeige->isHidden());
    EXPECT_EQ(anzeige->text(), QStringLiteral("MQTT: verbunden"));
    // The dialog shows the state too.
    QTest::mouseClick(p.w(konfiguration, "Mqtt_Einstellungen"), Qt::LeftButton);
    ASSERT_TRUE(p.bis_wahr([&] {
        return p.w<QLabel>(dialog, "Mqtt_Zustand")->text() == QStringLiteral("Verbindung: verbunden");
    }));
    EXPECT_TRUE(p.w<QCheckBox>(dialog, "Mqtt_Ein")->isChecked());
    Bild(dialog, "MqttEinstellungen");
    QTest::mouseClick(p.w(dialog, "Mqtt_Abbrechen"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(Mqttbildschirme, FernquittungImJournalUndAufDemGrundbild)
{
    Programm p;
    p.ini("Befehle_Erlaubt=1\n");
    p.starten();
    p.einstellungen_bestaetigen();
    Beobachter b(p.broker.port(), {"test/bild/#"});
    ASSERT_TRUE(b.verbunden());
    ASSERT_TRUE(p.bis_wahr([&] { return p.app().mqtt().bericht().status == mqtt::Status::Verbunden; }));

    Anlage& a = p.app().anlage;
    a.Programm.AnzPhasen = "1";
    Cl_Phase& ph = a.Programm.Phase(1);
    ph.setHeizphase(Flagtext(true));
    ph.setAufheizphase(Flagtext(false));
    ph.setKuehlphase(Flagtext(false));
    ph.setTemperatur("62");
    ph.setHeizzeit("1");
    ph.setRuehrimpuls("20");
    ph.setRuehrpause("40");
    ph.setKein_Ruf(Flagtext(false));
    ph.setRuf_Ende_Phase(Flagtext(true));
    ph.setRuf_nach_Rufzeit(Flagtext(false));
    ph.setRuftext("Malz zugeben");
    a.Programm.Titel(1) = "Einmaischen";
    QTest::mouseClick(p.w(*p.g, "Switch1"), Qt::LeftButton);
    a.Sim_Temperatur = 62;
    QTest::mouseClick(p.w(*p.g, "START_BRAUEN"), Qt::LeftButton);
    for (int i = 0; i < 700 && !a.Ruf_Aktiv; ++i)
        p.tick();
    ASSERT_TRUE(a.Ruf_Aktiv);
    ASSERT_TRUE(b.warte_auf("test/bild/event", [](const std::string& e) { return e.find("\"call\"") != std::string::npos; }));

    b.senden("test/bild/command", R"({"command":"QUITTIEREN","by":"Handy"})");
    ASSERT_TRUE(p.bis_wahr([&] { return !a.Ruf_Aktiv; }));
    auto* anzeige = p.w<QLabel>(*p.g, "Mqtt_Anzeige");
    EXPECT_TRUE(anzeige->text().contains(QStringLiteral("Fernbefehl QUITTIEREN um 10:")));
    EXPECT_TRUE(anzeige->text().endsWith(QStringLiteral("(MQTT Handy)")));
    Bild(*p.g, "Grundbild_Mqtt");

    // In the journal: the remote command, then the acknowledgement as the button writes it.
    p.tick();
    p.app().journal().synchronisieren();
    const journal::Journalinhalt j = journal::Journal_Lesen(p.app().journal().pfad());
    std::size_t fern = j.zeilen.size(), quitt = j.zeilen.size();
    for (std::size_t i = 0; i < j.zeilen.size(); ++i) {
        if (j.zeilen[i].art == "Fernbefehl") {
            fern = i;
            EXPECT_EQ(j.zeilen[i].feld, "QUITTIEREN");
            EXPECT_EQ(j.zeilen[i].text, "MQTT Handy");
        }
        if (j.zeilen[i].art == "Ruf_Quittiert")
            quitt = i;
    }
    ASSERT_LT(fern, j.zeilen.size());
    ASSERT_LT(quitt, j.zeilen.size());
    EXPECT_EQ(quitt, fern + 1);
}

TEST(Mqttbildschirme, AbgewieseneAnmeldungEinmalGemeldet)
{
    Testordner o;
    Testbroker broker(o, {.benutzer = "brauer", .passwort = "richtig", .cafile = {}, .certfile = {}, .keyfile = {}});
    Programm p;
    p.ordner.schreiben("Kesselwerk.ini", "[MQTT]\nEin=1\nHost=127.0.0.1\nPort=" + std::to_string(broker.port())
                                             + "\nBenutzer=brauer\nPasswort=falsch\n");
    p.starten();
    // two attempts at least (the second a second after the first): one message
    ASSERT_TRUE(p.bis_wahr([&] { return p.app().mqtt().bericht().versuche >= 2; }, 4s));
    p.bis_wahr([] { return false; }, 300ms);
    const auto m = p.t->meldungen_abholen();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_NE(m[0].find("hat die Anmeldung abgewiesen"), std::string::npos) << m[0];
    EXPECT_NE(m[0].find("127.0.0.1:" + std::to_string(broker.port())), std::string::npos);
    p.g->findChild<Mqttanzeige*>()->aktualisieren();
    EXPECT_EQ(p.w<QLabel>(*p.g, "Mqtt_Anzeige")->text(), QStringLiteral("MQTT: abgewiesen"));
    Bild(*p.g, "Grundbild_Mqtt_abgewiesen");
}

} // namespace
} // namespace kw::test
