// Messages, discovery configs, command reading and the settings section, without a broker.

#include "mqtt/Mqttnachrichten.h"
#include "program/Zusatzdatei.h"

#include "Brauplatz.h"
#include "Testbroker.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <sys/stat.h>

#include <fstream>
#include <set>

namespace kw::test {
namespace {

using namespace kw::mqtt;

QJsonObject json(const std::string& s)
{
    QJsonParseError fehler{};
    const QJsonDocument d = QJsonDocument::fromJson(QByteArray::fromStdString(s), &fehler);
    EXPECT_EQ(fehler.error, QJsonParseError::NoError) << s;
    EXPECT_TRUE(d.isObject()) << s;
    return d.object();
}

TEST(Mqttbefehle, NurDieVierBefehleWerdenGelesen)
{
    struct Fall {
        const char* payload;
        std::optional<Befehl> befehl;
    };
    const Fall faelle[] = {
        {R"({"command":"QUITTIEREN"})", Befehl::QUITTIEREN},
        {R"(  {"command" : "quittieren", "by":"Anna"} )", Befehl::QUITTIEREN},
        {R"({"command":"PAUSE"})", Befehl::PAUSE},
        {R"({"command":"FREIGABE"})", Befehl::FREIGABE},
        {R"({"command":"STOP","extra":1.5e3,"x":null,"y":true})", Befehl::STOP},
        // nothing that switches an output or starts a run
        {R"({"command":"START"})", std::nullopt},
        {R"({"command":"START_BRAUEN"})", std::nullopt},
        {R"({"command":"Man_Heizung"})", std::nullopt},
        {R"({"command":"Switch2"})", std::nullopt},
        {R"({"command":"heating","state":"on"})", std::nullopt},
        // not JSON, or not the shape
        {"QUITTIEREN", std::nullopt},
        {"", std::nullopt},
        {R"({"command":"QUITTIEREN")", std::nullopt},
        {R"({"command":"QUITTIEREN"} trailing)", std::nullopt},
        {R"({"command":["QUITTIEREN"]})", std::nullopt},
        {R"({"command":{"x":"QUITTIEREN"}})", std::nullopt},
        {R"(["QUITTIEREN"])", std::nullopt},
        {R"({"befehl":"QUITTIEREN"})", std::nullopt},
        {R"({"command":"QUITT\u0049EREN"})", Befehl::QUITTIEREN},
        {R"({"command":"QUITTIEREN\u0000"})", std::nullopt},
        {R"({"command":"\ud800"})", std::nullopt},
    };
    for (const Fall& f : faelle) {
        std::string fehler;
        const auto b = Befehl_Lesen(f.payload, &fehler);
        ASSERT_EQ(b.has_value(), f.befehl.has_value()) << f.payload;
        if (b)
            EXPECT_EQ(b->befehl, *f.befehl) << f.payload;
        else
            EXPECT_FALSE(fehler.empty()) << f.payload;
    }
    // The sender's name is kept short and printable.
    const auto b = Befehl_Lesen(R"({"command":"STOP","by":"a\nb\u00e4c0123456789012345678901234567890123456789"})", nullptr);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->wer.substr(0, 3), "abc");
    EXPECT_LE(b->wer.size(), 40u);
    EXPECT_EQ(b->wer.find('\n'), std::string::npos);
}

class Mqttzustand : public Brauplatz {};

TEST_F(Mqttzustand, ZustandWaehrendEinerHaltephase)
{
    a.Programm.AnzPhasen = "2";
    Phase_Setzen(a.Programm, 1, Art::Halten, "62", "10", "20", "40", Ruf::Kein);
    Phase_Setzen(a.Programm, 2, Art::Halten, "72", "10", "20", "40");
    a.Programm.Titel(1) = "Eiweiß \"rast\"";
    a.Programm.Biersorte = "Märzen";
    simulation(60);
    const long s1 = starten();
    bis_sekunde(s1 + 125);
    Zusatz x;
    x.lauf = Laufzustand::Laeuft;
    x.waechter = "running";
    const QJsonObject o = json(Zustand_Json(a, z, x, lauf()));
    EXPECT_EQ(o["phase"].toInt(), 1);
    EXPECT_EQ(o["phase_count"].toInt(), 2);
    EXPECT_EQ(o["phase_title"].toString(), QStringLiteral("Eiweiß \"rast\""));
    EXPECT_EQ(o["beer"].toString(), QStringLiteral("Märzen"));
    EXPECT_EQ(o["phase_kind"].toString(), QStringLiteral("hold"));
    EXPECT_DOUBLE_EQ(o["temperature"].toDouble(), 60.0);
    EXPECT_DOUBLE_EQ(o["target"].toDouble(), 62.0);
    EXPECT_EQ(o["run"].toString(), QStringLiteral("running"));
    EXPECT_TRUE(o["outputs"].toObject()["heating"].toBool());
    EXPECT_FALSE(o["outputs"].toObject()["cooling"].toBool());
    EXPECT_TRUE(o["simulation"].toBool());
    EXPECT_FALSE(o["interlock"].toObject()["active"].toBool());
    EXPECT_TRUE(o["interlock"].toObject()["reason"].isNull());
    // 10 min from the phase start, 125 s gone: 475 s left are 8 started minutes
    EXPECT_EQ(o["remaining_min"].toInt(), 8);
    EXPECT_EQ(o["phase_start"].toString(), QStringLiteral("2026-12-08T14:00:%1Z").arg(s1, 2, 10, QLatin1Char('0')));
    EXPECT_EQ(o["phase_end"].toString(), QStringLiteral("2026-12-08T14:10:%1Z").arg(s1, 2, 10, QLatin1Char('0')));
    EXPECT_EQ(o["guard"].toString(), QStringLiteral("running"));

    // A comma from the user's locale, and a reading that is no reading.
    z.Anzeige_TempIst = "61,7";
    EXPECT_DOUBLE_EQ(json(Zustand_Json(a, z, x, lauf()))["temperature"].toDouble(), 61.7);
    z.Anzeige_TempIst_Ungueltig = true;
    EXPECT_TRUE(json(Zustand_Json(a, z, x, lauf()))["temperature"].isNull());
    a.Heizsperre = Sperrgrund::Messung_Veraltet;
    const QJsonObject sp = json(Zustand_Json(a, z, x, lauf()))["interlock"].toObject();
    EXPECT_TRUE(sp["active"].toBool());
    EXPECT_EQ(sp["reason"].toString(), QStringLiteral("reading_stale"));
}

TEST_F(Mqttzustand, ImLeerlaufKeinePhase)
{
    const QJsonObject o = json(Zustand_Json(a, z, Zusatz{}, lauf()));
    EXPECT_TRUE(o["phase"].isNull());
    EXPECT_TRUE(o["phase_end"].isNull());
    EXPECT_TRUE(o["remaining_min"].isNull());
    EXPECT_TRUE(o["target"].isNull());
    EXPECT_EQ(o["run"].toString(), QStringLiteral("idle"));
    EXPECT_EQ(json(Ereignis_Json("call", jetzt(), {{"text", Json_Text("Malz \"zugeben\"\n")}}))["text"].toString(),
              QStringLiteral("Malz \"zugeben\"\n"));
}

void Discovery_Pruefen(const std::vector<Nachricht>& konf, const Einstellungen& e, bool knoepfe)
{
    std::set<QString> ids;
    std::set<QString> geraete;
    int buttons = 0, leer = 0;
    const Themen t(e.Praefix());
    for (const Nachricht& n : konf) {
        EXPECT_TRUE(n.behalten);
        EXPECT_EQ(n.thema.rfind("homeassistant/", 0), 0u) << n.thema;
        EXPECT_EQ(n.thema.substr(n.thema.size() - 7), "/config");
        if (n.inhalt.empty()) {
            ++leer;
            EXPECT_NE(n.thema.find("/button/"), std::string::npos);
            continue;
        }
        const QJsonObject o = json(n.inhalt);
        for (const char* k : {"name", "unique_id", "availability_topic", "device"})
            EXPECT_TRUE(o.contains(QLatin1String(k))) << n.thema << " " << k;
        EXPECT_TRUE(ids.insert(o["unique_id"].toString()).second) << "unique_id twice: " << n.thema;
        EXPECT_EQ(o["availability_topic"].toString().toStdString(), t.verfuegbar);
        const QJsonObject d = o["device"].toObject();
        geraete.insert(QString::fromUtf8(QJsonDocument(d).toJson(QJsonDocument::Compact)));
        EXPECT_FALSE(d["identifiers"].toArray().isEmpty());
        EXPECT_FALSE(d["name"].toString().isEmpty());
        EXPECT_FALSE(d["model"].toString().isEmpty());
        EXPECT_EQ(d["sw_version"].toString(), QStringLiteral("9.8.7"));
        const std::string komponente = n.thema.substr(14, n.thema.find('/', 14) - 14);
        if (komponente == "sensor" || komponente == "binary_sensor") {
            EXPECT_EQ(o["state_topic"].toString().toStdString(), t.zustand) << n.thema;
            EXPECT_TRUE(o["value_template"].toString().contains(QStringLiteral("value_json."))) << n.thema;
        } else if (komponente == "event") {
            EXPECT_EQ(o["state_topic"].toString().toStdString(), t.ereignis);
            EXPECT_TRUE(o["event_types"].toArray().contains(QStringLiteral("call")));
        } else if (komponente == "button") {
            ++buttons;
            EXPECT_EQ(o["command_topic"].toString().toStdString(), t.befehl);
            // what the button sends is a command the program takes
            EXPECT_TRUE(Befehl_Lesen(o["payload_press"].toString().toStdString(), nullptr)) << n.thema;
        } else {
            ADD_FAILURE() << "unexpected component " << komponente;
        }
        // <component>/<node>/<object>/config, the unique id is node_object
        const QStringList teile = QString::fromStdString(n.thema).split(QLatin1Char('/'));
        EXPECT_EQ(teile.size(), 5);
        if (teile.size() == 5) {
            EXPECT_EQ(o["unique_id"].toString(), teile[2] + u'_' + teile[3]);
        }
    }
    EXPECT_EQ(geraete.size(), 1u) << "one device for all entities";
    EXPECT_EQ(buttons, knoepfe ? 4 : 0);
    EXPECT_EQ(leer, knoepfe ? 0 : 4);
    EXPECT_GE(ids.size(), 20u);
}

TEST(Mqttdiscovery, GueltigeKonfigurationenEinGeraet)
{
    Einstellungen e;
    e.client_id = "kw-test.1";
    e.praefix = "brauerei/kessel2/";
    EXPECT_EQ(Knotenname(e), "kw_test_1");
    EXPECT_EQ(e.Praefix(), "brauerei/kessel2");
    Discovery_Pruefen(Discovery(e, "9.8.7"), e, false);
    e.befehle_erlaubt = true;
    Discovery_Pruefen(Discovery(e, "9.8.7"), e, true);
}

TEST(Mqtteinstellungen, AbschnittMqttInKesselwerkIni)
{
    Testordner o;
    // Defaults without a file: off, default prefix from the host name.
    Einstellungen e = Einstellungen_Lesen(o.pfad());
    EXPECT_FALSE(e.ein);
    EXPECT_EQ(e.port, 1883);
    EXPECT_EQ(e.Praefix(), "kesselwerk/" + Rechnername());
    EXPECT_FALSE(e.befehle_erlaubt);

    o.schreiben("Kesselwerk.ini", "[GPIO]\r\nHeizung=17\r\n; von Hand\r\n");
    e.ein = true;
    e.host = "broker.lan";
    e.port = 8883;
    e.tls = true;
    e.ca_datei = "/etc/ssl/ca.pem";
    e.benutzer = "brauer";
    e.passwort = "geheim;=#x";
    e.befehle_erlaubt = true;
    e.praefix = "haus/kessel";
    ASSERT_TRUE(Einstellungen_Schreiben(o.pfad(), e));
    EXPECT_EQ(Einstellungen_Lesen(o.pfad()), e);
    struct stat st{};
    ASSERT_EQ(stat(o.datei("Kesselwerk.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u) << "the password is readable by the owner only";
    std::ifstream f(o.datei("Kesselwerk.ini"));
    const std::string inhalt((std::istreambuf_iterator<char>(f)), {});
    EXPECT_NE(inhalt.find("Heizung=17"), std::string::npos);
    EXPECT_NE(inhalt.find("; von Hand"), std::string::npos);

    // Bad values take their defaults; what the dialog refuses.
    o.schreiben("Kesselwerk.ini", "[MQTT]\nEin=1\nPort=99999\nTLS=1\n");
    e = Einstellungen_Lesen(o.pfad());
    EXPECT_EQ(e.port, 8883);
    EXPECT_EQ(Einstellungen_Pruefen(e), "CA");
    e.tls = false;
    EXPECT_EQ(Einstellungen_Pruefen(e), "");
    e.praefix = "a/#";
    EXPECT_EQ(Einstellungen_Pruefen(e), "Praefix");
    e.praefix.clear();
    e.zertifikat = "c.pem";
    EXPECT_EQ(Einstellungen_Pruefen(e), "Schluessel");
}

} // namespace
} // namespace kw::test
