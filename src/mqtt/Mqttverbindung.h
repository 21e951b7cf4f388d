#pragma once
// The link to the MQTT broker on a thread of its own. The program's thread only
// hands over messages and takes commands and the connection's state, each under
// a short lock that no network call ever holds; every libmosquitto call, name
// resolution included, runs on the connection's thread.
//
// The connection's thread runs libmosquitto's network loop itself (not
// mosquitto_loop_start): that loop gives up for good after a TLS or a name
// resolution error, and a kettle left alone must keep trying. Every failure
// waits 1, 2, 4 ... 60 s before the next attempt.
//
// While not connected, the newest state waits (older ones are dropped) and up to
// Max_Ereignisse events; further events are counted as dropped.

#include "mqtt/Mqtteinstellungen.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

struct mosquitto;
struct mosquitto_message;

namespace kw::mqtt {

struct Nachricht {
    std::string thema;
    std::string inhalt;   // empty and retained: removes a retained message
    bool behalten = true;
};

// The program's topics under its prefix.
struct Themen {
    explicit Themen(const std::string& praefix);
    std::string verfuegbar;   // <prefix>/availability: online / offline (retained, last will)
    std::string zustand;      // <prefix>/state: JSON (retained)
    std::string ereignis;     // <prefix>/event: JSON per event
    std::string befehl;       // <prefix>/command: JSON commands to the program
};
inline constexpr const char* Thema_HA_Status = "homeassistant/status";

enum class Status { Aus, Verbinde, Verbunden, Getrennt, Abgewiesen };

// Why the broker or the TLS layer would not have us; a refusal is not retried
// any faster than a lost network, but it is said once, clearly.
enum class Fehlerart {
    Keiner,
    Anmeldung,    // user name or password refused (or not authorised)
    Zertifikat,   // the TLS handshake failed: the broker's certificate does not match the CA, or our own
    Abgelehnt,    // another refusal of the broker (client id, protocol)
    Netz,         // not reachable: down, wrong host or port, name unknown, no answer
};

struct Bericht {
    Status status = Status::Aus;
    Fehlerart fehler = Fehlerart::Keiner;
    std::string detail;              // the library's or the broker's words for the last failure
    std::uint64_t meldungen = 0;     // clear refusals told so far: one per new kind, not per retry
    std::uint64_t verbindungen = 0;  // successful connections so far
    std::uint64_t versuche = 0;      // connection attempts so far
    std::uint64_t verworfen = 0;     // events dropped while the broker was out of reach
    std::uint64_t ignoriert = 0;     // command messages dropped because too many were waiting
};

class Verbindung {
public:
    static constexpr std::size_t Max_Ereignisse = 50;
    static constexpr std::size_t Max_Befehle = 16;
    static constexpr int Max_Unterwegs = 100;   // publishes not yet written to the socket or acknowledged
    static constexpr int Keepalive_s = 15;
    static constexpr int Verbindungsfrist_s = 10;  // CONNACK within this, or the attempt has failed
    static constexpr int Max_Wartezeit_s = 60;

    // Starts the connection's thread. `konfigurationen` are the retained discovery
    // configs, sent at each connection and again when Home Assistant announces itself.
    Verbindung(Einstellungen e, std::vector<Nachricht> konfigurationen);
    // Ends as beenden(false) and waits for the thread (at most about 3 s).
    ~Verbindung();
    Verbindung(const Verbindung&) = delete;
    Verbindung& operator=(const Verbindung&) = delete;

    // --- program thread: each returns at once ---
    void Zustand_Senden(std::string json);   // retained; the newest wins
    void Ereignis_Senden(std::string json);
    // Command payloads that arrived on the command topic, oldest first.
    std::vector<std::string> Befehle_Abholen();
    Bericht bericht() const;
    // Ends the link: with `entfernen` the discovery configs are removed (empty retained
    // payloads), then "offline" and a clean disconnect, at most about 2 s on the thread.
    void beenden(bool entfernen);
    bool fertig() const { return m_fertig.load(); }   // the thread has ended

    const Einstellungen& einstellungen() const { return m_e; }
    const Themen& themen() const { return m_themen; }

private:
    void arbeiten();
    bool einrichten(mosquitto* m);
    void verbunden(int rc);
    void getrennt(int rc);
    void nachricht(const mosquitto_message* msg);
    void gesendet();
    void fehlschlag(Fehlerart art, const std::string& detail);
    void Fehler_Melden(int rc);
    void senden(mosquitto* m, const Nachricht& n, int qos);
    void Konfigurationen_Senden(mosquitto* m);
    void Warteschlange_Leeren(mosquitto* m);
    void abmelden(mosquitto* m, bool entfernen);

    static void bei_Verbindung(mosquitto*, void*, int);
    static void bei_Trennung(mosquitto*, void*, int);
    static void bei_Nachricht(mosquitto*, void*, const mosquitto_message*);
    static void bei_Senden(mosquitto*, void*, int);

    const Einstellungen m_e;
    const Themen m_themen;
    const std::vector<Nachricht> m_konfigurationen;

    mutable std::mutex m_mx;
    std::condition_variable m_cv;
    std::optional<std::string> m_zustand;     // waiting state
    std::string m_letzter_zustand;            // last state handed over: sent again at each connection
    std::deque<std::string> m_ereignisse;
    std::vector<std::string> m_befehle;
    Bericht m_bericht;
    bool m_ende = false;
    bool m_entfernen = false;

    // connection thread only
    mosquitto* m_mosq = nullptr;
    bool m_verbunden = false;
    int m_connack = 0;              // the broker's refusal code of the last attempt
    int m_unterwegs = 0;
    Fehlerart m_gemeldet = Fehlerart::Keiner;   // the failure told last (told again only when it changes)
    bool m_zustand_faellig = false;

    std::atomic<bool> m_fertig{false};
    std::thread m_thread;
};

// Text for the log and for the settings dialog's detail line.
const char* Statusname(Status s);

} // namespace kw::mqtt
