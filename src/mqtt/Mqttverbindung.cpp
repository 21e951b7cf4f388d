#include "mqtt/Mqttverbindung.h"

#include <mosquitto.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace kw::mqtt {

namespace {
using Uhr = std::chrono::steady_clock;
using namespace std::chrono_literals;

std::once_flag bibliothek;

void protokoll(const std::string& client, const std::string& text)
{
    std::fprintf(stderr, "kesselwerk mqtt [%s]: %s\n", client.c_str(), text.c_str());
}
} // namespace

Themen::Themen(const std::string& p)
    : verfuegbar(p + "/availability"), zustand(p + "/state"), ereignis(p + "/event"), befehl(p + "/command")
{
}

const char* Statusname(Status s)
{
    switch (s) {
    case Status::Aus: return "aus";
    case Status::Verbinde: return "verbinde";
    case Status::Verbunden: return "verbunden";
    case Status::Getrennt: return "getrennt";
    case Status::Abgewiesen: return "abgewiesen";
    }
    return "";
}

Verbindung::Verbindung(Einstellungen e, std::vector<Nachricht> konfigurationen)
    : m_e(std::move(e)), m_themen(m_e.Praefix()), m_konfigurationen(std::move(konfigurationen))
{
    m_bericht.status = Status::Verbinde;
    m_thread = std::thread([this] { arbeiten(); });
}

Verbindung::~Verbindung()
{
    beenden(false);
    if (m_thread.joinable())
        m_thread.join();
}

void Verbindung::Zustand_Senden(std::string json)
{
    std::lock_guard lock(m_mx);
    m_zustand = std::move(json);
}

void Verbindung::Ereignis_Senden(std::string json)
{
    std::lock_guard lock(m_mx);
    if (m_ereignisse.size() >= Max_Ereignisse) {
        m_ereignisse.pop_front();   // the newest events are the ones that still matter
        ++m_bericht.verworfen;
    }
    m_ereignisse.push_back(std::move(json));
}

std::vector<std::string> Verbindung::Befehle_Abholen()
{
    std::lock_guard lock(m_mx);
    std::vector<std::string> b;
    b.swap(m_befehle);
    return b;
}

Bericht Verbindung::bericht() const
{
    std::lock_guard lock(m_mx);
    return m_bericht;
}

void Verbindung::beenden(bool entfernen)
{
    {
        std::lock_guard lock(m_mx);
        if (!m_ende)
            m_entfernen = entfernen;
        m_ende = true;
    }
    m_cv.notify_all();
}

// --- connection thread -------------------------------------------------------

bool Verbindung::einrichten(mosquitto* m)
{
    mosquitto_int_option(m, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    mosquitto_will_set(m, m_themen.verfuegbar.c_str(), 7, "offline", 1, true);
    if (!m_e.benutzer.empty())
        mosquitto_username_pw_set(m, m_e.benutzer.c_str(), m_e.passwort.empty() ? nullptr : m_e.passwort.c_str());
    if (m_e.tls) {
        for (const std::string* datei : {&m_e.ca_datei, &m_e.zertifikat, &m_e.schluessel})
            if (!datei->empty() && access(datei->c_str(), R_OK) != 0) {
                fehlschlag(Fehlerart::Zertifikat, "TLS: cannot read " + *datei + ": " + std::strerror(errno));
                return false;
            }
        const char* zert = m_e.zertifikat.empty() ? nullptr : m_e.zertifikat.c_str();
        const char* schl = m_e.schluessel.empty() ? nullptr : m_e.schluessel.c_str();
        const int rc = mosquitto_tls_set(m, m_e.ca_datei.c_str(), nullptr, zert, schl, nullptr);
        if (rc != MOSQ_ERR_SUCCESS) {
            fehlschlag(Fehlerart::Zertifikat, std::string("TLS: ") + mosquitto_strerror(rc) + " (" + m_e.ca_datei
                                                  + (zert ? ", " + m_e.zertifikat : std::string()) + ")");
            return false;
        }
    }
    mosquitto_connect_callback_set(m, &Verbindung::bei_Verbindung);
    mosquitto_disconnect_callback_set(m, &Verbindung::bei_Trennung);
    mosquitto_message_callback_set(m, &Verbindung::bei_Nachricht);
    mosquitto_publish_callback_set(m, &Verbindung::bei_Senden);
    return true;
}

void Verbindung::fehlschlag(Fehlerart art, const std::string& detail)
{
    const bool neu = art != m_gemeldet;
    {
        std::lock_guard lock(m_mx);
        const bool abweisung = art != Fehlerart::Netz && art != Fehlerart::Keiner;
        m_bericht.status = abweisung ? Status::Abgewiesen : Status::Getrennt;
        m_bericht.fehler = art;
        m_bericht.detail = detail;
        if (neu && abweisung)
            ++m_bericht.meldungen;
    }
    // One line per new kind of failure, not one per retry.
    if (neu)
        protokoll(m_e.Client_Id(), detail);
    m_gemeldet = art;
}

void Verbindung::Fehler_Melden(int rc)
{
    const int fehlernummer = errno;
    if (rc == MOSQ_ERR_CONN_REFUSED || m_connack != 0) {
        const int c = m_connack;
        const Fehlerart art = (c == 4 || c == 5) ? Fehlerart::Anmeldung : Fehlerart::Abgelehnt;
        fehlschlag(art, std::string("broker: ") + mosquitto_connack_string(c));
    } else if (rc == MOSQ_ERR_TLS || (rc == MOSQ_ERR_ERRNO && fehlernummer == EPROTO)) {
        fehlschlag(Fehlerart::Zertifikat, "TLS handshake failed, certificate not accepted (CA " + m_e.ca_datei + ")");
    } else {
        const std::string grund =
            rc == MOSQ_ERR_ERRNO ? std::strerror(fehlernummer) : std::string(mosquitto_strerror(rc));
        fehlschlag(Fehlerart::Netz, m_e.host + ":" + std::to_string(m_e.port) + ": " + grund);
    }
}

void Verbindung::arbeiten()
{
    std::call_once(bibliothek, [] { mosquitto_lib_init(); });
    mosquitto* m = mosquitto_new(m_e.Client_Id().c_str(), true, this);
    m_mosq = m;
    if (!m) {
        fehlschlag(Fehlerart::Abgelehnt, std::string("mosquitto_new: ") + std::strerror(errno));
    } else if (einrichten(m)) {
        bool offen = false;          // a socket is open (connecting or connected)
        bool erster = true;
        int versuche = 0;
        Uhr::time_point naechster = Uhr::now();
        Uhr::time_point versuch_seit{};
        const auto warten = [&] {    // after a failure: 1, 2, 4 ... 60 s
            offen = false;
            m_verbunden = false;
            const int s = std::min(Max_Wartezeit_s, 1 << std::min(versuche, 6));
            ++versuche;
            naechster = Uhr::now() + std::chrono::seconds(s);
        };
        for (;;) {
            {
                std::lock_guard lock(m_mx);
                if (m_ende)
                    break;
            }
            if (!offen) {
                if (Uhr::now() < naechster) {
                    std::unique_lock lock(m_mx);
                    m_cv.wait_until(lock, std::min(naechster, Uhr::now() + 1s), [this] { return m_ende; });
                    continue;
                }
                {
                    std::lock_guard lock(m_mx);
                    if (m_bericht.status != Status::Abgewiesen)
                        m_bericht.status = Status::Verbinde;
                    ++m_bericht.versuche;
                }
                m_connack = 0;
                const int rc = erster ? mosquitto_connect_async(m, m_e.host.c_str(), m_e.port, Keepalive_s)
                                      : mosquitto_reconnect_async(m);
                if (rc == MOSQ_ERR_SUCCESS || rc == MOSQ_ERR_ERRNO) {
                    // connect_async has the host and port now even when the first connect() failed
                    erster = false;
                }
                if (rc != MOSQ_ERR_SUCCESS) {
                    Fehler_Melden(rc);
                    warten();
                    continue;
                }
                offen = true;
                versuch_seit = Uhr::now();
            }
            const int rc = mosquitto_loop(m, 50, 1);
            if (rc == MOSQ_ERR_SUCCESS && !m_verbunden && Uhr::now() - versuch_seit > std::chrono::seconds(Verbindungsfrist_s)) {
                // A broker that took the connection but never answers.
                fehlschlag(Fehlerart::Netz, m_e.host + ":" + std::to_string(m_e.port) + ": no answer");
                warten();
                continue;
            }
            if (rc != MOSQ_ERR_SUCCESS) {
                const bool war_verbunden = m_verbunden;
                Fehler_Melden(rc);
                if (war_verbunden)
                    versuche = 0;   // a lost connection tries again after a second first
                warten();
                continue;
            }
            if (m_verbunden) {
                versuche = 0;
                Warteschlange_Leeren(m);
            }
        }
        bool entfernen;
        {
            std::lock_guard lock(m_mx);
            entfernen = m_entfernen;
        }
        if (offen && m_verbunden)
            abmelden(m, entfernen);
    }
    if (m)
        mosquitto_destroy(m);
    m_mosq = nullptr;
    {
        std::lock_guard lock(m_mx);
        if (m_ende)   // a link that could not even be set up keeps saying why
            m_bericht.status = Status::Aus;
    }
    m_fertig = true;
}

void Verbindung::abmelden(mosquitto* m, bool entfernen)
{
    Warteschlange_Leeren(m);   // the last state and events still go out
    if (entfernen)
        for (const Nachricht& k : m_konfigurationen)
            senden(m, Nachricht{k.thema, "", true}, 1);
    senden(m, Nachricht{m_themen.verfuegbar, "offline", true}, 1);
    const auto frist = Uhr::now() + 2s;
    while (m_unterwegs > 0 && Uhr::now() < frist)
        if (mosquitto_loop(m, 50, 1) != MOSQ_ERR_SUCCESS)
            return;
    mosquitto_disconnect(m);
    const auto frist2 = Uhr::now() + 500ms;
    while (Uhr::now() < frist2)
        if (mosquitto_loop(m, 50, 1) != MOSQ_ERR_SUCCESS)
            break;
}

void Verbindung::senden(mosquitto* m, const Nachricht& n, int qos)
{
    int mid = 0;
    const int rc = mosquitto_publish(m, &mid, n.thema.c_str(), static_cast<int>(n.inhalt.size()),
                                     n.inhalt.data(), qos, n.behalten);
    if (rc == MOSQ_ERR_SUCCESS)
        ++m_unterwegs;
}

void Verbindung::Konfigurationen_Senden(mosquitto* m)
{
    for (const Nachricht& k : m_konfigurationen)
        senden(m, k, 1);
}

void Verbindung::Warteschlange_Leeren(mosquitto* m)
{
    for (;;) {
        if (m_unterwegs >= Max_Unterwegs)
            return;   // the broker does not keep up: wait, the newest state wins meanwhile
        std::optional<std::string> zustand;
        std::optional<std::string> ereignis;
        {
            std::lock_guard lock(m_mx);
            if (m_zustand) {
                m_letzter_zustand = *m_zustand;
                zustand = std::move(m_zustand);
                m_zustand.reset();
            } else if (m_zustand_faellig && !m_letzter_zustand.empty()) {
                zustand = m_letzter_zustand;
            }
            if (!m_ereignisse.empty()) {
                ereignis = std::move(m_ereignisse.front());
                m_ereignisse.pop_front();
            }
        }
        if (!zustand && !ereignis)
            return;
        m_zustand_faellig = false;
        if (zustand)
            senden(m, Nachricht{m_themen.zustand, *zustand, true}, 1);
        if (ereignis)
            senden(m, Nachricht{m_themen.ereignis, *ereignis, false}, 1);
    }
}

void Verbindung::verbunden(int rc)
{
    m_connack = rc;
    if (rc != 0)
        return;   // the loop reports the refusal
    m_verbunden = true;
    m_unterwegs = 0;
    m_zustand_faellig = true;
    if (m_gemeldet != Fehlerart::Keiner)
        protokoll(m_e.Client_Id(), "connected to " + m_e.host + ":" + std::to_string(m_e.port));
    m_gemeldet = Fehlerart::Keiner;
    {
        std::lock_guard lock(m_mx);
        m_bericht.status = Status::Verbunden;
        m_bericht.fehler = Fehlerart::Keiner;
        m_bericht.detail.clear();
        ++m_bericht.verbindungen;
    }
    mosquitto* m = m_mosq;
    senden(m, Nachricht{m_themen.verfuegbar, "online", true}, 1);
    Konfigurationen_Senden(m);
    mosquitto_subscribe(m, nullptr, m_themen.befehl.c_str(), 1);
    mosquitto_subscribe(m, nullptr, Thema_HA_Status, 1);
}

void Verbindung::getrennt(int)
{
    m_verbunden = false;
}

void Verbindung::nachricht(const mosquitto_message* msg)
{
    if (!msg || !msg->topic)
        return;
    const std::string thema = msg->topic;
    const std::string inhalt(static_cast<const char*>(msg->payload), static_cast<std::size_t>(std::max(0, msg->payloadlen)));
    if (thema == Thema_HA_Status) {
        if (inhalt == "online")
            Konfigurationen_Senden(m_mosq);   // Home Assistant restarted: it forgot the entities
        return;
    }
    if (thema != m_themen.befehl)
        return;
    if (msg->retain) {
        protokoll(m_e.Client_Id(), "command ignored: retained, an old one");
        return;   // never acted upon
    }
    bool voll = false;
    {
        std::lock_guard lock(m_mx);
        if (m_befehle.size() >= Max_Befehle) {
            voll = true;
            ++m_bericht.ignoriert;
        } else {
            m_befehle.push_back(inhalt);
        }
    }
    if (voll)
        protokoll(m_e.Client_Id(), "command ignored: too many waiting");
}

void Verbindung::gesendet()
{
    if (m_unterwegs > 0)
        --m_unterwegs;
}

void Verbindung::bei_Verbindung(mosquitto*, void* self, int rc) { static_cast<Verbindung*>(self)->verbunden(rc); }
void Verbindung::bei_Trennung(mosquitto*, void* self, int rc) { static_cast<Verbindung*>(self)->getrennt(rc); }
void Verbindung::bei_Nachricht(mosquitto*, void* self, const mosquitto_message* msg)
{
    static_cast<Verbindung*>(self)->nachricht(msg);
}
void Verbindung::bei_Senden(mosquitto*, void* self, int) { static_cast<Verbindung*>(self)->gesendet(); }

} // namespace kw::mqtt
