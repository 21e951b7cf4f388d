// Cost of the MQTT link to the 100 ms tick: the real controller brews a
// simulated mash on a fake clock (one tick per 100 ms of brew time, ticks paced
// a few milliseconds apart in wall time), and each tick is timed together with
// the link's work before and after it. Four cases: MQTT off, broker up, broker
// down (nothing listens), broker slow (a socket that listens but never accepts
// or reads). Prints p50, p99 and the longest tick of each.
//
//   bench_mqtt [ticks=3000]

#include "mqtt/Mqttbruecke.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

using namespace kw;
using namespace std::chrono_literals;
using Wanduhr = std::chrono::steady_clock;

namespace {

class Stumm : public Meldungen, public Fenster {
public:
    void zeige(int) override {}
    void Braumeisterruf_Zeigen(const std::string&) override {}
    void Braumeisterruf_Verbergen() override {}
    void Konfiguration_Laden_Und_Zeigen() override {}
    void WarnungDS1820_Zeigen() override {}
};

int Port_Belegen(int& sock, bool lauschen)
{
    sock = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t l = sizeof a;
    bind(sock, reinterpret_cast<sockaddr*>(&a), sizeof a);
    getsockname(sock, reinterpret_cast<sockaddr*>(&a), &l);
    if (lauschen)
        listen(sock, 1);   // the kernel completes the handshake; nobody ever reads
    return ntohs(a.sin_port);
}

struct Broker {
    int port = 0;
    pid_t pid = -1;
    std::string ordner;
    Broker()
    {
        int s = -1;
        port = Port_Belegen(s, false);
        close(s);
        char vorlage[] = "/tmp/kw_bench_mqtt_XXXXXX";
        ordner = mkdtemp(vorlage);
        const std::string conf = ordner + "/mosquitto.conf";
        std::ofstream(conf) << "listener " << port << " 127.0.0.1\nallow_anonymous true\npersistence false\nlog_dest none\n"
                            << (geteuid() == 0 ? "user root\n" : "");
        const char* argv[] = {"mosquitto", "-c", conf.c_str(), nullptr};
        if (posix_spawnp(&pid, "mosquitto", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
            std::fprintf(stderr, "mosquitto not found\n");
            std::exit(1);
        }
        std::this_thread::sleep_for(300ms);
    }
    ~Broker()
    {
        kill(pid, SIGTERM);
        int st = 0;
        waitpid(pid, &st, 0);
        std::filesystem::remove_all(ordner);
    }
};

void Phase(Maischprogramm& pr, int n, const char* temperatur, const char* minuten, bool ruf)
{
    Cl_Phase& p = pr.Phase(n);
    p.setAufheizphase(Flagtext(false));
    p.setHeizphase(Flagtext(true));
    p.setKuehlphase(Flagtext(false));
    p.setTemperatur(temperatur);
    p.setHeizzeit(minuten);
    p.setRuehrimpuls("20");
    p.setRuehrpause("40");
    p.setKein_Ruf(Flagtext(!ruf));
    p.setRuf_Ende_Phase(Flagtext(ruf));
    p.setRuf_nach_Rufzeit(Flagtext(false));
    p.setRufzeit("");
    p.setRuftext(ruf ? "Malz zugeben" : "");
    pr.Titel(n) = "Rast " + std::to_string(n);
}

void messen(const char* name, const mqtt::Einstellungen* e, int ticks)
{
    Anlage a;
    Anzeige z;
    Stumm stumm;
    Steuerung s(a, z, stumm, stumm);
    std::int64_t ms = 1'796'000'000'000;
    const auto uhr = [&] { return Zeitpunkt{std::chrono::seconds{ms / 1000}}; };
    const auto lauf = [&] { return Laufzeitpunkt{std::chrono::seconds{ms / 1000}}; };
    mqtt::Bruecke b(a, z, s, {uhr, lauf}, "bench");
    s.setzeEreignisse(&b);
    s.laden(uhr(), lauf());
    if (e)
        b.Einstellungen_Anwenden(*e);
    a.Programm.AnzPhasen = "3";
    Phase(a.Programm, 1, "62", "3", true);
    Phase(a.Programm, 2, "72", "3", false);
    Phase(a.Programm, 3, "78", "3", false);
    s.Switch1();
    a.Sim_Temperatur = 60;
    s.START_BRAUEN();
    std::this_thread::sleep_for(200ms);   // the link starts connecting

    std::vector<double> us;
    us.reserve(static_cast<std::size_t>(ticks));
    for (int i = 0; i < ticks; ++i) {
        ms += 100;
        if (ms % 500 == 0)
            s.Takt_1s();
        if (i % 50 == 0)   // the simulated kettle warms up: new states all the time
            a.Sim_Temperatur = std::min(80, a.Sim_Temperatur + 1);
        const auto t0 = Wanduhr::now();
        b.vor_Tick();
        s.tick(uhr(), lauf());
        a.Aus_Ruehrwerk = a.Ruehrwerk_Ein;
        b.nach_Tick();
        if (a.Ruf_Aktiv)
            s.QUITTIEREN();
        us.push_back(std::chrono::duration<double, std::micro>(Wanduhr::now() - t0).count());
        std::this_thread::sleep_for(2ms);
    }
    std::sort(us.begin(), us.end());
    const auto q = [&](double p) { return us[static_cast<std::size_t>(p * static_cast<double>(us.size() - 1))]; };
    const mqtt::Bericht r = b.bericht();
    std::printf("%-34s ticks %5d  p50 %7.1f us  p99 %7.1f us  max %8.1f us  (link: %s, %llu events dropped)\n",
                name, ticks, q(0.5), q(0.99), us.back(), mqtt::Statusname(r.status),
                static_cast<unsigned long long>(r.verworfen));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    const int ticks = argc > 1 ? std::max(100, std::atoi(argv[1])) : 3000;
    mqtt::Einstellungen e;
    e.ein = true;
    e.host = "127.0.0.1";
    e.praefix = "bench/kessel";
    e.client_id = "kw-bench-" + std::to_string(getpid());

    messen("MQTT off", nullptr, ticks);
    {
        Broker broker;
        e.port = broker.port;
        messen("MQTT on, broker up", &e, ticks);
    }
    {
        int s = -1;
        e.port = Port_Belegen(s, false);   // bound, not listening: connection refused
        messen("MQTT on, broker down", &e, ticks);
        close(s);
    }
    {
        int s = -1;
        e.port = Port_Belegen(s, true);
        messen("MQTT on, broker slow (never reads)", &e, ticks);
        close(s);
    }
    return 0;
}
