#pragma once
// The MQTT link's settings: section [MQTT] of Kesselwerk.ini. The password is
// kept there in plain text; the file is written owner-only.

#include <string>

namespace kw::mqtt {

struct Einstellungen {
    bool ein = false;
    std::string host = "localhost";
    int port = 1883;
    bool tls = false;
    std::string ca_datei;        // with TLS: the broker's CA (PEM)
    std::string zertifikat;      // optional client certificate (PEM) ...
    std::string schluessel;      // ... and its key
    std::string benutzer;        // empty: anonymous
    std::string passwort;
    std::string praefix;         // topic prefix; empty: Vorgabe_Praefix()
    std::string client_id;       // empty: Vorgabe_Client_Id()
    bool befehle_erlaubt = false; // remote QUITTIEREN, PAUSE/release, STOP

    bool operator==(const Einstellungen&) const = default;

    // Prefix and client id in effect (the defaults when left empty).
    std::string Praefix() const;
    std::string Client_Id() const;
};

// This machine's host name ("kessel" when it has none usable in a topic).
std::string Rechnername();
// "kesselwerk/<host name>"
std::string Vorgabe_Praefix();
// "kesselwerk-<host name>"
std::string Vorgabe_Client_Id();

// What is wrong with the settings, as a key of the text table (empty: nothing):
// "Host", "Port", "Praefix", "CA", "Schluessel".
std::string Einstellungen_Pruefen(const Einstellungen& e);

// Section [MQTT] of <ordner>/Kesselwerk.ini; missing keys take their defaults.
// `fehler`: the file exists but could not be read.
Einstellungen Einstellungen_Lesen(const std::string& ordner, std::string* fehler = nullptr);
// Writes the section (only it); false and the reason when the file could not be written.
bool Einstellungen_Schreiben(const std::string& ordner, const Einstellungen& e, std::string* fehler = nullptr);

} // namespace kw::mqtt
