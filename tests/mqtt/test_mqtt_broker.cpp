// The MQTT link against a real Mosquitto broker: the real controller on the fake
// clock brews, a client of the test's own watches what arrives.

#include "mqtt/Mqttbruecke.h"

#include "Brauplatz.h"
#include "Testbroker.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <sys/wait.h>
#include <unistd.h>

#include <set>
#include <thread>

namespace kw::test {
namespace {

using namespace kw::mqtt;
using Wanduhr = std::chrono::steady_clock;

QJsonObject json(const std::string& s)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(s)).object();
}

Einstellungen Einstellungen_Fuer(int port, const std::string& id)
{
    Einstellungen e;
    e.ein = true;
    e.host = "127.0.0.1";
    e.port = port;
    e.client_id = id + "-" + std::to_string(getpid());
    e.praefix = "test/" + e.client_id;
    return e;
}

// Waits for a condition of the program's side (the program's thread polls, as its tick would).
template <class F> bool bis_wahr(F bed, std::chrono::milliseconds frist = std::chrono::seconds(5))
{
    const auto ende = Wanduhr::now() + frist;
    while (!bed()) {
        if (Wanduhr::now() > ende)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

class Mqttbrauplatz : public Brauplatz {
protected:
    Testordner ordner;
    Testbroker broker{ordner};
    Einstellungen e = Einstellungen_Fuer(broker.port(), "kw-brau");
    Themen t{e.Praefix()};
    Bruecke bruecke{a, z, s, {[this] { return uhrzeit(); }, [this] { return lauf(); }}, "9.8.7"};
    std::vector<Fernbefehl> fernbefehle;

    Mqttbrauplatz()
    {
        s.setzeEreignisse(&bruecke);
        bruecke.bei_Fernbefehl = [this](const Fernbefehl& f) { fernbefehle.push_back(f); };
    }

    // One timer tick as the main screen runs it.
    void schritt()
    {
        bruecke.vor_Tick();
        takt();
        bruecke.nach_Tick();
    }
    template <class F> bool bis_m(F bed, std::chrono::milliseconds grenze)
    {
        for (auto n = grenze.count() / 100; n > 0; --n) {
            if (bed())
                return true;
            schritt();
        }
        return bed();
    }
    void laufe_m(std::chrono::milliseconds d)
    {
        for (auto n = d.count() / 100; n > 0; --n)
            schritt();
    }
    // Ticks the fake clock (one tick per 20 ms of wall time) until the program has taken a
    // command from the broker; false after the deadline.
    bool bis_befehl_da(std::uint64_t ignoriert_vorher, std::size_t fern_vorher, std::function<bool()> bed = {})
    {
        const auto ende = Wanduhr::now() + std::chrono::seconds(5);
        while (Wanduhr::now() < ende) {
            schritt();
            if (bruecke.ignoriert() > ignoriert_vorher || fernbefehle.size() > fern_vorher || (bed && bed()))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }
    bool verbunden()
    {
        return bis_wahr([&] {
            bruecke.nach_Tick();
            return bruecke.bericht().status == Status::Verbunden;
        });
    }

    // Two holding phases of 10 min; phase 1 calls at its end.
    long zwei_phasen()
    {
        a.Programm.AnzPhasen = "2";
        a.Programm.Biersorte = "Pils";
        Phase_Setzen(a.Programm, 1, Art::Halten, "62", "10", "20", "40", Ruf::Ende, "", "Malz zugeben");
        Phase_Setzen(a.Programm, 2, Art::Halten, "72", "10", "20", "40");
        simulation(60);
        s.START_BRAUEN();
        bis_m([&] { return a.Ablaufschritt == 3; }, std::chrono::seconds(10));
        return sek();
    }

    static std::vector<QJsonObject> ereignisse(const std::vector<Empfangen>& v, const std::string& thema)
    {
        std::vector<QJsonObject> r;
        for (const auto& m : v)
            if (m.thema == thema)
                r.push_back(json(m.inhalt));
        return r;
    }
    static bool hat_ereignis(const std::vector<Empfangen>& v, const std::string& thema, const char* art)
    {
        for (const auto& o : ereignisse(v, thema))
            if (o["event_type"].toString() == QLatin1String(art))
                return true;
        return false;
    }
};

TEST_F(Mqttbrauplatz, ZustandUndEreignisseWaehrendEinesSimuliertenSuds)
{
    Beobachter b(broker.port(), {t.verfuegbar, t.zustand, t.ereignis, "homeassistant/#"});
    ASSERT_TRUE(b.verbunden());
    bruecke.Einstellungen_Anwenden(e);
    bruecke.Waechter_Setzen("running");
    ASSERT_TRUE(verbunden());
    ASSERT_TRUE(b.warte_auf(t.verfuegbar, [](const std::string& p) { return p == "online"; }));
    ASSERT_TRUE(b.warte_auf(t.zustand, [](const std::string& p) { return json(p)["run"] == QLatin1String("idle"); }));

    const long s1 = zwei_phasen();
    schritt();
    ASSERT_TRUE(b.warte_auf(t.zustand, [](const std::string& p) {
        const QJsonObject o = json(p);
        return o["run"] == QLatin1String("running") && o["phase"].toInt() == 1;
    }));
    {
        const QJsonObject o = json(b.neueste()[t.zustand].inhalt);
        EXPECT_EQ(o["phase_title"].toString(), QStringLiteral("Phase 1"));
        EXPECT_EQ(o["phase_kind"].toString(), QStringLiteral("hold"));
        EXPECT_DOUBLE_EQ(o["target"].toDouble(), 62.0);
        EXPECT_DOUBLE_EQ(o["temperature"].toDouble(), 60.0);
        EXPECT_EQ(o["guard"].toString(), QStringLiteral("running"));
        EXPECT_EQ(o["remaining_min"].toInt(), 10);
    }

    // Below target the heating comes on.
    laufe_m(std::chrono::seconds(20));
    ASSERT_TRUE(b.warte_auf(t.zustand, [](const std::string& p) { return json(p)["outputs"].toObject()["heating"].toBool(); }));

    // The call at the end of phase 1: an event with its text, and the state says so.
    bis_sekunde(s1 + 599);   // plain ticks: no state in between
    bis_m([&] { return a.Ruf_Aktiv; }, std::chrono::seconds(5));
    ASSERT_TRUE(a.Ruf_Aktiv);
    ASSERT_TRUE(b.warte([&](const auto& v) { return hat_ereignis(v, t.ereignis, "call"); }));
    for (const QJsonObject& o : ereignisse(b.alle(), t.ereignis)) {
        if (o["event_type"] == QLatin1String("call")) {
            EXPECT_EQ(o["text"].toString(), QStringLiteral("Malz zugeben"));
            EXPECT_EQ(o["phase"].toInt(), 1);
        }
    }
    ASSERT_TRUE(b.warte_auf(t.zustand, [](const std::string& p) {
        const QJsonObject o = json(p);
        return o["run"] == QLatin1String("call") && o["call_text"] == QLatin1String("Malz zugeben");
    }));
    EXPECT_FALSE(json(b.neueste()[t.zustand].inhalt)["outputs"].toObject()["heating"].toBool());

    // The brewer answers at the screen after 90 s.
    laufe_m(std::chrono::seconds(90));
    s.QUITTIEREN();
    schritt();
    ASSERT_TRUE(b.warte([&](const auto& v) { return hat_ereignis(v, t.ereignis, "acknowledged"); }));
    for (const QJsonObject& o : ereignisse(b.alle(), t.ereignis)) {
        if (o["event_type"] == QLatin1String("acknowledged")) {
            EXPECT_EQ(o["seconds"].toInt(), 90);
            EXPECT_EQ(o["text"].toString(), QStringLiteral("Malz zugeben"));
        }
    }

    // Phase 2 to its end: FERTIG.
    ASSERT_TRUE(bis_m([&] { return a.Akt_Phase == 2 && a.Ablaufschritt == 3; }, std::chrono::seconds(10)));
    sekundenweise_bis(sek() + 590);
    ASSERT_TRUE(bis_m([&] { return !a.Brauen_Gestartet; }, std::chrono::seconds(30)));
    ASSERT_TRUE(b.warte([&](const auto& v) { return hat_ereignis(v, t.ereignis, "finished"); }));
    ASSERT_TRUE(b.warte_auf(t.zustand, [](const std::string& p) { return json(p)["run"] == QLatin1String("finished"); }));
    EXPECT_FALSE(hat_ereignis(b.alle(), t.ereignis, "stopped"));
    // State and availability are retained for clients that come later, events are not.
    Beobachter spaet(broker.port(), {t.verfuegbar, t.zustand, t.ereignis});
    ASSERT_TRUE(spaet.warte_auf(t.zustand, [](const std::string& p) { return json(p)["run"] == QLatin1String("finished"); }));
    ASSERT_TRUE(spaet.warte_auf(t.verfuegbar, [](const std::string& p) { return p == "online"; }));
    for (const auto& m : spaet.alle()) {
        EXPECT_TRUE(m.behalten) << m.thema;
        EXPECT_NE(m.thema, t.ereignis);
    }
}

TEST_F(Mqttbrauplatz, DiscoveryErneutBeiHomeAssistantUndEntferntBeimAusschalten)
{
    Beobachter b(broker.port(), {"homeassistant/#", t.verfuegbar});
    ASSERT_TRUE(b.verbunden());
    e.befehle_erlaubt = true;
    bruecke.Einstellungen_Anwenden(e);
    ASSERT_TRUE(verbunden());
    const std::string knoten = Knotenname(e);
    const auto konfigurationen = [&](const std::vector<Empfangen>& v) {
        std::set<std::string> themen;
        for (const auto& m : v)
            if (m.thema.find("/" + knoten + "/") != std::string::npos && !m.inhalt.empty())
                themen.insert(m.thema);
        return themen;
    };
    const std::size_t erwartet = Discovery(e, "9.8.7").size();
    ASSERT_TRUE(b.warte([&](const auto& v) { return konfigurationen(v).size() == erwartet; }));
    std::set<std::string> komponenten;
    for (const auto& th : konfigurationen(b.alle()))
        komponenten.insert(th.substr(14, th.find('/', 14) - 14));
    EXPECT_EQ(komponenten, (std::set<std::string>{"binary_sensor", "button", "event", "sensor"}));
    for (const auto& m : b.alle()) {
        if (m.thema.rfind("homeassistant/", 0) == 0 && m.thema.find("/" + knoten + "/") != std::string::npos) {
            EXPECT_TRUE(json(m.inhalt).contains(QStringLiteral("unique_id"))) << m.thema;
        }
    }

    // Home Assistant restarts: everything again.
    b.leeren();
    b.senden("homeassistant/status", "online");
    ASSERT_TRUE(b.warte([&](const auto& v) { return konfigurationen(v).size() == erwartet; }));

    // MQTT off: every config removed (empty retained), then offline.
    b.leeren();
    Einstellungen aus = e;
    aus.ein = false;
    bruecke.Einstellungen_Anwenden(aus);
    ASSERT_TRUE(b.warte([&](const auto& v) {
        std::set<std::string> leer;
        for (const auto& m : v)
            if (m.thema.find("/" + knoten + "/") != std::string::npos && m.inhalt.empty())
                leer.insert(m.thema);
        return leer.size() == erwartet;
    }));
    ASSERT_TRUE(b.warte_auf(t.verfuegbar, [](const std::string& p) { return p == "offline"; }));
    EXPECT_TRUE(bis_wahr([&] {
        bruecke.nach_Tick();
        return bruecke.bericht().status == Status::Aus;
    }));
    // A client that comes later finds no entity left.
    Beobachter spaet(broker.port(), {"homeassistant/#"});
    ASSERT_TRUE(spaet.verbunden());
    ASSERT_TRUE(spaet.warte_auf(t.verfuegbar, [](const std::string&) { return true; }, std::chrono::milliseconds(300)) == false);
    EXPECT_TRUE(konfigurationen(spaet.alle()).empty());
}

TEST_F(Mqttbrauplatz, BrokerStirbtMittenImSud)
{
    bruecke.Einstellungen_Anwenden(e);
    ASSERT_TRUE(verbunden());
    const long s1 = zwei_phasen();
    laufe_m(std::chrono::seconds(60));

    broker.toeten();
    ASSERT_TRUE(bis_wahr([&] {
        schritt();
        return bruecke.bericht().status == Status::Getrennt;
    }));
    // The brew goes on as before, on the controller's clock: heating to target, the
    // call at the end of phase 1, QUITTIEREN, phase 2.
    ASSERT_LT(sek(), s1 + 590);
    while (sek() < s1 + 590)
        schritt();
    EXPECT_EQ(a.Akt_Phase, 1);
    EXPECT_EQ(a.Aus_Heizung, 1);   // 60 degrees simulated, 62 wanted
    EXPECT_FALSE(a.Ruf_Aktiv);
    ASSERT_TRUE(bis_m([&] { return a.Ruf_Aktiv; }, std::chrono::seconds(11)));
    EXPECT_EQ(sek(), s1 + 600);
    s.QUITTIEREN();
    ASSERT_TRUE(bis_m([&] { return a.Akt_Phase == 2 && a.Ablaufschritt == 3; }, std::chrono::seconds(10)));

    // Back: the program reconnects by itself and publishes the current state.
    broker.starten();
    Beobachter b(broker.port(), {t.verfuegbar, t.zustand});
    ASSERT_TRUE(b.verbunden());
    const auto ende = Wanduhr::now() + std::chrono::seconds(8);
    bool da = false;
    while (!da && Wanduhr::now() < ende) {
        schritt();
        da = b.warte_auf(t.zustand, [](const std::string& p) { return json(p)["phase"].toInt() == 2; },
                         std::chrono::milliseconds(20));
    }
    ASSERT_TRUE(da) << "no current state after the broker came back";
    EXPECT_EQ(b.neueste()[t.verfuegbar].inhalt, "online");
    EXPECT_EQ(json(b.neueste()[t.zustand].inhalt)["run"].toString(), QStringLiteral("running"));
    EXPECT_GE(bruecke.bericht().verbindungen, 2u);
}

TEST(Mqttverbindung, LetzterWilleZeigtOfflineWennDasProgrammVerschwindet)
{
    Testordner ordner;
    Testbroker broker(ordner);
    const Einstellungen e = Einstellungen_Fuer(broker.port(), "kw-wille");
    const Themen t(e.Praefix());
    int hin[2], zurueck[2];
    ASSERT_EQ(pipe(hin), 0);
    ASSERT_EQ(pipe(zurueck), 0);
    // The program in a process of its own, which dies without a goodbye.
    const pid_t kind = fork();
    ASSERT_GE(kind, 0);
    if (kind == 0) {
        auto* v = new Verbindung(e, {});
        v->Zustand_Senden("{}");
        bis_wahr([&] { return v->bericht().status == Status::Verbunden; });
        char c = 'v';
        (void)!write(hin[1], &c, 1);
        (void)!read(zurueck[0], &c, 1);
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(hin[0], &c, 1), 1);
    Beobachter b(broker.port(), {t.verfuegbar});
    ASSERT_TRUE(b.verbunden());
    ASSERT_TRUE(b.warte_auf(t.verfuegbar, [](const std::string& p) { return p == "online"; }));
    (void)!write(zurueck[1], &c, 1);
    int st = 0;
    waitpid(kind, &st, 0);
    ASSERT_TRUE(b.warte_auf(t.verfuegbar, [](const std::string& p) { return p == "offline"; }));
    // retained: a client that comes later sees it too
    Beobachter spaet(broker.port(), {t.verfuegbar});
    ASSERT_TRUE(spaet.warte_auf(t.verfuegbar, [](const std::string& p) { return p == "offline"; }));
    EXPECT_TRUE(spaet.alle().back().behalten);
}

TEST(Mqttverbindung, OhneBrokerBegrenztUndDanachZugestellt)
{
    Testordner ordner;
    Testbroker broker(ordner);
    broker.toeten();
    const Einstellungen e = Einstellungen_Fuer(broker.port(), "kw-offline");
    const Themen t(e.Praefix());
    Verbindung v(e, {});
    ASSERT_TRUE(bis_wahr([&] { return v.bericht().versuche >= 1 && v.bericht().status == Status::Getrennt; }));
    for (int i = 1; i <= 80; ++i)
        v.Ereignis_Senden("{\"n\":" + std::to_string(i) + "}");
    for (int i = 1; i <= 30; ++i)
        v.Zustand_Senden("{\"zustand\":" + std::to_string(i) + "}");
    EXPECT_EQ(v.bericht().verworfen, 80u - Verbindung::Max_Ereignisse);
    EXPECT_EQ(v.bericht().meldungen, 0u) << "a broker that is down is no refusal";

    broker.starten();
    Beobachter b(broker.port(), {t.ereignis, t.zustand});
    ASSERT_TRUE(b.verbunden());
    ASSERT_TRUE(b.warte(
        [&](const auto& alle) {
            int n = 0;
            for (const auto& m : alle)
                n += m.thema == t.ereignis;
            return n == static_cast<int>(Verbindung::Max_Ereignisse);
        },
        std::chrono::seconds(6)));
    // the newest events were kept, in order; of the states only the last
    const auto alle = b.alle();
    std::vector<int> nummern, zustaende;
    for (const auto& m : alle) {
        if (m.thema == t.ereignis)
            nummern.push_back(json(m.inhalt)["n"].toInt());
        if (m.thema == t.zustand)
            zustaende.push_back(json(m.inhalt)["zustand"].toInt());
    }
    EXPECT_EQ(nummern.front(), 31);
    EXPECT_EQ(nummern.back(), 80);
    EXPECT_TRUE(std::is_sorted(nummern.begin(), nummern.end()));
    ASSERT_FALSE(zustaende.empty());
    EXPECT_EQ(zustaende.back(), 30);
    EXPECT_EQ(std::count(zustaende.begin(), zustaende.end(), 30), static_cast<long>(zustaende.size()));
}

TEST(Mqttverbindung, FalschesPasswortEineKlareMeldung)
{
    Testordner ordner;
    Testbroker broker(ordner, {.benutzer = "brauer", .passwort = "richtig", .cafile = {}, .certfile = {}, .keyfile = {}});
    Einstellungen e = Einstellungen_Fuer(broker.port(), "kw-pw");
    e.benutzer = "brauer";
    e.passwort = "falsch";
    {
        Verbindung v(e, {});
        // two attempts refused (1 s between them): still one message
        ASSERT_TRUE(bis_wahr([&] { return v.bericht().versuche >= 2 && v.bericht().status == Status::Abgewiesen; },
                             std::chrono::seconds(4)));
        const Bericht r = v.bericht();
        EXPECT_EQ(r.status, Status::Abgewiesen);
        EXPECT_EQ(r.fehler, Fehlerart::Anmeldung);
        EXPECT_EQ(r.meldungen, 1u);
        EXPECT_EQ(r.verbindungen, 0u);
        EXPECT_FALSE(r.detail.empty());
    }
    e.passwort = "richtig";
    Verbindung v(e, {});
    ASSERT_TRUE(bis_wahr([&] { return v.bericht().status == Status::Verbunden; }));
    EXPECT_EQ(v.bericht().meldungen, 0u);
}

// A CA and a server certificate for 127.0.0.1, made with openssl; a second CA that signed nothing.
struct Zertifikate {
    explicit Zertifikate(const Testordner& o) : ca(o.datei("ca.pem")), fremd(o.datei("fremd.pem")),
        cert(o.datei("server.pem")), key(o.datei("server.key"))
    {
        const std::string d = o.pfad();
        ok = Shell("cd '" + d + "' && openssl req -x509 -newkey rsa:2048 -nodes -days 2 -keyout ca.key -out ca.pem -subj '/CN=Test CA' 2>/dev/null"
                    " && openssl req -x509 -newkey rsa:2048 -nodes -days 2 -keyout fremd.key -out fremd.pem -subj '/CN=Fremd CA' 2>/dev/null"
                    " && openssl req -newkey rsa:2048 -nodes -keyout server.key -out server.csr -subj '/CN=127.0.0.1' 2>/dev/null"
                    " && printf 'subjectAltName=IP:127.0.0.1\\n' > ext.cnf"
                    " && openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 -extfile ext.cnf -out server.pem 2>/dev/null");
    }
    std::string ca, fremd, cert, key;
    bool ok = false;
};

TEST(Mqttverbindung, TlsMitEigenerCaUndFalscheCaEineKlareMeldung)
{
    Testordner ordner;
    Zertifikate z(ordner);
    ASSERT_TRUE(z.ok) << "openssl failed";
    Testbroker broker(ordner, {.benutzer = {}, .passwort = {}, .cafile = z.ca, .certfile = z.cert, .keyfile = z.key});
    Einstellungen e = Einstellungen_Fuer(broker.port(), "kw-tls");
    e.tls = true;
    e.ca_datei = z.fremd;
    {
        Verbindung v(e, {});
        ASSERT_TRUE(bis_wahr([&] { return v.bericht().versuche >= 2 && v.bericht().status == Status::Abgewiesen; },
                             std::chrono::seconds(4)));
        const Bericht r = v.bericht();
        EXPECT_EQ(r.fehler, Fehlerart::Zertifikat) << r.detail;
        EXPECT_EQ(r.meldungen, 1u);
        EXPECT_EQ(r.verbindungen, 0u);
    }
    {
        Einstellungen fehlt = e;
        fehlt.ca_datei = ordner.datei("gibt_es_nicht.pem");
        Verbindung v(fehlt, {});
        ASSERT_TRUE(bis_wahr([&] { return v.bericht().status == Status::Abgewiesen; }));
        EXPECT_EQ(v.bericht().fehler, Fehlerart::Zertifikat);
    }
    e.ca_datei = z.ca;
    const Themen t(e.Praefix());
    Verbindung v(e, {});
    v.Zustand_Senden(R"({"tls":true})");
    ASSERT_TRUE(bis_wahr([&] { return v.bericht().status == Status::Verbunden; }));
    Beobachter b(broker.port(), {t.zustand}, {z.ca});
    ASSERT_TRUE(b.warte_auf(t.zustand, [](const std::string& p) { return json(p)["tls"].toBool(); }));
}

TEST_F(Mqttbrauplatz, FernquittungNurWennErlaubtUndNieEinAusgang)
{
    Beobachter b(broker.port(), {t.ereignis});
    ASSERT_TRUE(b.verbunden());
    bruecke.Einstellungen_Anwenden(e);   // commands not allowed
    ASSERT_TRUE(verbunden());
    const long s1 = zwei_phasen();
    bis_sekunde(s1 + 600);
    ASSERT_TRUE(bis_m([&] { return a.Ruf_Aktiv; }, std::chrono::seconds(2)));

    // Off: ignored with one log line, nothing acted upon.
    b.senden(t.befehl, R"({"command":"QUITTIEREN"})");
    ASSERT_TRUE(bis_befehl_da(0, 0));
    EXPECT_EQ(bruecke.ignoriert(), 1u);
    EXPECT_TRUE(a.Ruf_Aktiv);
    EXPECT_TRUE(fernbefehle.empty());

    // Allowed: the same command acts as the button does.
    e.befehle_erlaubt = true;
    bruecke.Einstellungen_Anwenden(e);
    ASSERT_TRUE(bis_wahr([&] {
        schritt();
        return bruecke.bericht().status == Status::Verbunden;
    }));
    laufe_m(std::chrono::seconds(30));
    b.senden(t.befehl, R"({"command":"QUITTIEREN","by":"Handy"})");
    ASSERT_TRUE(bis_befehl_da(1, 0));
    EXPECT_FALSE(a.Ruf_Aktiv);
    ASSERT_EQ(fernbefehle.size(), 1u);
    EXPECT_EQ(fernbefehle[0].befehl, Befehl::QUITTIEREN);
    EXPECT_EQ(fernbefehle[0].wer, "MQTT Handy");
    ASSERT_TRUE(b.warte([&](const auto& v) { return hat_ereignis(v, t.ereignis, "acknowledged"); }));
    ASSERT_TRUE(b.warte([&](const auto& v) { return hat_ereignis(v, t.ereignis, "remote"); }));
    ASSERT_TRUE(bis_m([&] { return a.Akt_Phase == 2 && a.Ablaufschritt == 3; }, std::chrono::seconds(10)));

    // Nothing switches an output or starts anything, even when allowed; bad JSON neither.
    s.Switch2();   // manual mode: the switches exist, the network cannot use them
    const int heizung = a.Man_Heizung_Ein, ruehr = a.Man_Ruehrwerk_Ein, extra = a.Man_Extra1_Ein;
    std::uint64_t ign = bruecke.ignoriert();
    for (const char* p : {R"({"command":"Man_Heizung"})", R"({"command":"Man_Extra1"})", R"({"command":"START"})",
                          R"({"command":"Switch1"})", "QUITTIEREN", R"({"command":)", R"({"command":"FREIGABE"})"}) {
        b.senden(t.befehl, p);
        ASSERT_TRUE(bis_befehl_da(ign, fernbefehle.size())) << p;
        EXPECT_EQ(bruecke.ignoriert(), ign + 1) << p;
        ign = bruecke.ignoriert();
    }
    EXPECT_EQ(a.Man_Heizung_Ein, heizung);
    EXPECT_EQ(a.Man_Ruehrwerk_Ein, ruehr);
    EXPECT_EQ(a.Man_Extra1_Ein, extra);
    EXPECT_EQ(a.Simulation, 1);
    EXPECT_EQ(fernbefehle.size(), 1u);
    s.Switch2();

    // PAUSE, release, STOP.
    b.senden(t.befehl, R"({"command":"PAUSE"})");
    ASSERT_TRUE(bis_befehl_da(ign, 1));
    EXPECT_TRUE(a.Pause_Aktiv);
    b.senden(t.befehl, R"({"command":"FREIGABE"})");
    ASSERT_TRUE(bis_befehl_da(ign, 2));
    EXPECT_FALSE(a.Pause_Aktiv);
    EXPECT_TRUE(a.Brauen_Gestartet);
    b.senden(t.befehl, R"({"command":"STOP"})");
    ASSERT_TRUE(bis_befehl_da(ign, 3));
    EXPECT_FALSE(a.Brauen_Gestartet);
    EXPECT_EQ(a.Aus_Heizung, 0);
    ASSERT_TRUE(b.warte([&](const auto& v) { return hat_ereignis(v, t.ereignis, "stopped"); }));
    // A STOP after the end does not start anything either.
    b.senden(t.befehl, R"({"command":"FREIGABE"})");
    ASSERT_TRUE(bis_befehl_da(ign, 4));
    EXPECT_FALSE(a.Brauen_Gestartet);
    EXPECT_EQ(bruecke.ignoriert(), ign + 1);
}

} // namespace
} // namespace kw::test
