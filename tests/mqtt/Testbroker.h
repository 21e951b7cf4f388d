#pragma once
// A real Mosquitto broker for the tests, on a free loopback port, and an
// observing client that records what arrives. Every wait has a deadline.

#include <gtest/gtest.h>
#include <mosquitto.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace kw::test {

// A folder of its own, removed at the end.
class Testordner {
public:
    Testordner();
    ~Testordner();
    const std::string& pfad() const { return m_pfad; }
    std::string datei(const std::string& name) const { return m_pfad + "/" + name; }
    void schreiben(const std::string& name, const std::string& inhalt) const;

private:
    std::string m_pfad;
};

// Runs a shell command; true when it exited with 0.
bool Shell(const std::string& kommando);

int Freier_Port();

class Testbroker {
public:
    struct Optionen {
        std::string benutzer, passwort;                      // set: password file, no anonymous
        std::string cafile, certfile, keyfile;               // set: TLS listener
    };
    explicit Testbroker(const Testordner& ordner, Optionen o = {});
    ~Testbroker();
    int port() const { return m_port; }
    // Starts (again, on the same port) and waits until it accepts connections.
    void starten();
    // SIGKILL: no goodbye to anyone.
    void toeten();

private:
    const Testordner& m_ordner;
    Optionen m_o;
    int m_port;
    int m_pid = -1;
};

struct Empfangen {
    std::string thema, inhalt;
    bool behalten = false;
};

// A client that subscribes to `filter` (several, comma-free list) and records every message.
class Beobachter {
public:
    struct Tls {
        std::string cafile;
    };
    Beobachter(int port, std::vector<std::string> filter, Tls tls = {});
    ~Beobachter();
    bool verbunden(std::chrono::milliseconds frist = std::chrono::seconds(5));

    // Waits until `bed` holds over all received messages; false after the deadline.
    bool warte(const std::function<bool(const std::vector<Empfangen>&)>& bed,
               std::chrono::milliseconds frist = std::chrono::seconds(5));
    // The last message on `thema` satisfying `bed` (waits for it).
    bool warte_auf(const std::string& thema, const std::function<bool(const std::string&)>& bed,
                   std::chrono::milliseconds frist = std::chrono::seconds(5));
    std::vector<Empfangen> alle() const;
    // The newest payload per topic.
    std::map<std::string, Empfangen> neueste() const;
    void senden(const std::string& thema, const std::string& inhalt, bool behalten = false);
    void leeren();

private:
    static void bei_Nachricht(mosquitto*, void*, const mosquitto_message*);
    static void bei_Verbindung(mosquitto*, void*, int);
    mosquitto* m = nullptr;
    std::vector<std::string> m_filter;
    mutable std::mutex mx;
    std::condition_variable cv;
    std::vector<Empfangen> m_empfangen;
    bool m_verbunden = false;
};

} // namespace kw::test
