#include "Testbroker.h"

#include <arpa/inet.h>
#include <pwd.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

extern char** environ;

namespace kw::test {

using namespace std::chrono_literals;
using Uhr = std::chrono::steady_clock;

Testordner::Testordner()
{
    char vorlage[] = "/tmp/kw_mqtt_XXXXXX";
    const char* p = mkdtemp(vorlage);
    m_pfad = p ? p : "/tmp";
}

Testordner::~Testordner()
{
    std::error_code ec;
    std::filesystem::remove_all(m_pfad, ec);
}

void Testordner::schreiben(const std::string& name, const std::string& inhalt) const
{
    std::ofstream(datei(name), std::ios::binary) << inhalt;
}

bool Shell(const std::string& kommando) { return std::system(kommando.c_str()) == 0; }

int Freier_Port()
{
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    socklen_t l = sizeof a;
    if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || getsockname(s, reinterpret_cast<sockaddr*>(&a), &l) != 0) {
        close(s);
        return 0;
    }
    close(s);
    return ntohs(a.sin_port);
}

Testbroker::Testbroker(const Testordner& ordner, Optionen o) : m_ordner(ordner), m_o(std::move(o)), m_port(Freier_Port())
{
    std::string conf = "listener " + std::to_string(m_port) + " 127.0.0.1\n";
    if (!m_o.benutzer.empty()) {
        const std::string pw = ordner.datei("passwd");
        EXPECT_TRUE(Shell("mosquitto_passwd -c -b '" + pw + "' '" + m_o.benutzer + "' '" + m_o.passwort + "' 2>/dev/null"));
        conf += "allow_anonymous false\npassword_file " + pw + "\n";
    } else {
        conf += "allow_anonymous true\n";
    }
    if (!m_o.cafile.empty())
        conf += "cafile " + m_o.cafile + "\ncertfile " + m_o.certfile + "\nkeyfile " + m_o.keyfile + "\n";
    // Started as root, the broker would change to the user "mosquitto", who cannot read the test's files.
    if (const passwd* pw = getpwuid(geteuid()))
        conf += std::string("user ") + pw->pw_name + "\n";
    conf += "persistence false\nlog_dest stderr\nlog_type error\n";
    ordner.schreiben("mosquitto.conf", conf);
    starten();
}

Testbroker::~Testbroker()
{
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        int st = 0;
        for (int i = 0; i < 100 && waitpid(m_pid, &st, WNOHANG) == 0; ++i)
            std::this_thread::sleep_for(10ms);
        kill(m_pid, SIGKILL);
        waitpid(m_pid, &st, 0);
    }
}

void Testbroker::starten()
{
    const std::string conf = m_ordner.datei("mosquitto.conf");
    const char* argv[] = {"mosquitto", "-c", conf.c_str(), nullptr};
    pid_t pid = -1;
    ASSERT_EQ(posix_spawnp(&pid, "mosquitto", nullptr, nullptr, const_cast<char**>(argv), environ), 0)
        << "mosquitto not found (scripts/deps.sh installs it)";
    m_pid = pid;
    // Ready when a TCP connection is taken.
    const auto ende = Uhr::now() + 5s;
    while (Uhr::now() < ende) {
        const int s = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(static_cast<uint16_t>(m_port));
        const bool ok = connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
        close(s);
        if (ok)
            return;
        std::this_thread::sleep_for(10ms);
    }
    ADD_FAILURE() << "broker did not come up on port " << m_port;
}

void Testbroker::toeten()
{
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGKILL);
    int st = 0;
    waitpid(m_pid, &st, 0);
    m_pid = -1;
}

Beobachter::Beobachter(int port, std::vector<std::string> filter, Tls tls) : m_filter(std::move(filter))
{
    mosquitto_lib_init();
    static int nummer = 0;
    const std::string id = "beobachter-" + std::to_string(getpid()) + "-" + std::to_string(++nummer);
    m = mosquitto_new(id.c_str(), true, this);
    mosquitto_message_callback_set(m, &Beobachter::bei_Nachricht);
    mosquitto_connect_callback_set(m, &Beobachter::bei_Verbindung);
    if (!tls.cafile.empty())
        mosquitto_tls_set(m, tls.cafile.c_str(), nullptr, nullptr, nullptr, nullptr);
    mosquitto_connect_async(m, "127.0.0.1", port, 30);
    mosquitto_loop_start(m);
}

Beobachter::~Beobachter()
{
    mosquitto_disconnect(m);
    mosquitto_loop_stop(m, false);
    mosquitto_destroy(m);
}

void Beobachter::bei_Verbindung(mosquitto* m, void* self, int rc)
{
    auto* b = static_cast<Beobachter*>(self);
    if (rc != 0)
        return;
    for (const auto& f : b->m_filter)
        mosquitto_subscribe(m, nullptr, f.c_str(), 1);
    std::lock_guard lock(b->mx);
    b->m_verbunden = true;
    b->cv.notify_all();
}

void Beobachter::bei_Nachricht(mosquitto*, void* self, const mosquitto_message* msg)
{
    auto* b = static_cast<Beobachter*>(self);
    std::lock_guard lock(b->mx);
    b->m_empfangen.push_back({msg->topic, std::string(static_cast<const char*>(msg->payload), static_cast<std::size_t>(msg->payloadlen)),
                              msg->retain});
    b->cv.notify_all();
}

bool Beobachter::verbunden(std::chrono::milliseconds frist)
{
    std::unique_lock lock(mx);
    return cv.wait_for(lock, frist, [this] { return m_verbunden; });
}

bool Beobachter::warte(const std::function<bool(const std::vector<Empfangen>&)>& bed, std::chrono::milliseconds frist)
{
    std::unique_lock lock(mx);
    return cv.wait_for(lock, frist, [&] { return bed(m_empfangen); });
}

bool Beobachter::warte_auf(const std::string& thema, const std::function<bool(const std::string&)>& bed,
                           std::chrono::milliseconds frist)
{
    return warte(
        [&](const std::vector<Empfangen>& v) {
            for (auto it = v.rbegin(); it != v.rend(); ++it)
                if (it->thema == thema)
                    return bed(it->inhalt);
            return false;
        },
        frist);
}

std::vector<Empfangen> Beobachter::alle() const
{
    std::lock_guard lock(mx);
    return m_empfangen;
}

std::map<std::string, Empfangen> Beobachter::neueste() const
{
    std::lock_guard lock(mx);
    std::map<std::string, Empfangen> r;
    for (const auto& e : m_empfangen)
        r[e.thema] = e;
    return r;
}

void Beobachter::senden(const std::string& thema, const std::string& inhalt, bool behalten)
{
    mosquitto_publish(m, nullptr, thema.c_str(), static_cast<int>(inhalt.size()), inhalt.data(), 1, behalten);
}

void Beobachter::leeren()
{
    std::lock_guard lock(mx);
    m_empfangen.clear();
}

} // namespace kw::test
