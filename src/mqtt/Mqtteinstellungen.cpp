#include "mqtt/Mqtteinstellungen.h"

#include "program/Zusatzdatei.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace kw::mqtt {

namespace {
constexpr const char* Abschnitt = "MQTT";

bool Ja(const std::string& s) { return s == "1" || s == "ja" || s == "true" || s == "yes" || s == "on"; }

bool Themenzeichen_Gut(const std::string& s)
{
    for (char c : s)
        if (c == '+' || c == '#' || static_cast<unsigned char>(c) < 0x20)
            return false;
    return true;
}
} // namespace

std::string Rechnername()
{
    char name[HOST_NAME_MAX + 1] = {};
    std::string s;
    if (gethostname(name, sizeof name - 1) == 0)
        s = name;
    // Only the first label, and only what a topic and an entity id take without trouble.
    if (auto punkt = s.find('.'); punkt != std::string::npos)
        s.erase(punkt);
    std::string r;
    for (char c : s)
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_')
            r += c;
    return r.empty() ? "kessel" : r;
}

std::string Vorgabe_Praefix() { return "kesselwerk/" + Rechnername(); }
std::string Vorgabe_Client_Id() { return "kesselwerk-" + Rechnername(); }

std::string Einstellungen::Praefix() const
{
    std::string p = praefix;
    while (!p.empty() && p.back() == '/')
        p.pop_back();
    return p.empty() ? Vorgabe_Praefix() : p;
}

std::string Einstellungen::Client_Id() const { return client_id.empty() ? Vorgabe_Client_Id() : client_id; }

std::string Einstellungen_Pruefen(const Einstellungen& e)
{
    if (e.host.empty() || e.host.find_first_of(" \t/") != std::string::npos)
        return "Host";
    if (e.port < 1 || e.port > 65535)
        return "Port";
    if (!Themenzeichen_Gut(e.praefix) || (!e.praefix.empty() && e.praefix.front() == '/'))
        return "Praefix";
    if (e.tls && e.ca_datei.empty())
        return "CA";
    if (e.zertifikat.empty() != e.schluessel.empty())
        return "Schluessel";
    return {};
}

Einstellungen Einstellungen_Lesen(const std::string& ordner, std::string* fehler)
{
    Zusatzdatei_Bericht bericht;
    const Profildatei d = Zusatzdatei_Lesen(ordner, &bericht);
    if (fehler)
        *fehler = bericht.fehler;
    Einstellungen e;
    const auto wert = [&](const char* k) { return d.Ini_Lesen(Abschnitt, k); };
    e.ein = Ja(wert("Ein"));
    if (auto h = wert("Host"); !h.empty())
        e.host = h;
    e.tls = Ja(wert("TLS"));
    if (auto p = wert("Port"); !p.empty()) {
        char* ende = nullptr;
        const long n = std::strtol(p.c_str(), &ende, 10);
        e.port = (ende && *ende == 0 && n >= 1 && n <= 65535) ? static_cast<int>(n) : (e.tls ? 8883 : 1883);
    } else if (e.tls) {
        e.port = 8883;
    }
    e.ca_datei = wert("CA_Datei");
    e.zertifikat = wert("Zertifikat");
    e.schluessel = wert("Schluessel");
    e.benutzer = wert("Benutzer");
    e.passwort = wert("Passwort");
    e.praefix = wert("Praefix");
    e.client_id = wert("Client_Id");
    e.befehle_erlaubt = Ja(wert("Befehle_Erlaubt"));
    return e;
}

bool Einstellungen_Schreiben(const std::string& ordner, const Einstellungen& e, std::string* fehler)
{
    return Zusatzdatei_Aendern(
        ordner,
        [&](Profildatei& d) {
            const auto setze = [&](const char* k, const std::string& v) { d.Ini_Schreiben(Abschnitt, k, v); };
            setze("Ein", e.ein ? "1" : "0");
            setze("Host", e.host);
            setze("Port", std::to_string(e.port));
            setze("TLS", e.tls ? "1" : "0");
            setze("CA_Datei", e.ca_datei);
            setze("Zertifikat", e.zertifikat);
            setze("Schluessel", e.schluessel);
            setze("Benutzer", e.benutzer);
            setze("Passwort", e.passwort);
            setze("Praefix", e.praefix);
            setze("Client_Id", e.client_id);
            setze("Befehle_Erlaubt", e.befehle_erlaubt ? "1" : "0");
        },
        fehler);
}

} // namespace kw::mqtt
