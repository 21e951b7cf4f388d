#pragma once
// What goes over MQTT, as text: the state message, the event messages, the Home
// Assistant discovery configs and the reading of a command. Plain functions of
// the program's state; no network here.

#include "core/Anlage.h"
#include "core/Anzeige.h"
#include "mqtt/Mqtteinstellungen.h"
#include "mqtt/Mqttverbindung.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kw::mqtt {

// The run as one word: idle, running, paused, call (a call waits for QUITTIEREN), finished, stopped.
enum class Laufzustand { Leerlauf, Laeuft, Pause, Ruf, Fertig, Gestoppt };
const char* Laufzustand_Text(Laufzustand l);

// What the state message holds beyond Anlage and Anzeige.
struct Zusatz {
    Laufzustand lauf = Laufzustand::Leerlauf;
    std::string ruftext;           // the waiting call's text
    bool sensorwarnung = false;    // the sensor warning stands (until WarnungDS1820 OK)
    std::string waechter;          // output guard: "running", "restarted", "unavailable", "none"
    bool befehle_erlaubt = false;
    std::uint64_t verworfen = 0;   // events dropped while offline
};

// "2026-12-08T14:00:05Z"
std::string Zeit_Iso(Zeitpunkt t);
// A JSON string literal with its quotes.
std::string Json_Text(std::string_view s);

// The retained state message.
std::string Zustand_Json(const Anlage& a, const Anzeige& z, const Zusatz& x, Laufzeitpunkt now);

// An event message: {"event_type": art, "time": ..., ...felder}; `felder` are ready JSON values.
std::string Ereignis_Json(std::string_view art, Zeitpunkt zeit,
                          const std::vector<std::pair<std::string, std::string>>& felder = {});
// The event types of the event entity.
inline constexpr const char* Ereignisarten[] = {"call",           "acknowledged",      "finished", "stopped",
                                                "sensor_warning", "heating_no_effect", "usb_alarm", "remote"};

// Home Assistant discovery configs (retained), one device. With remote commands off
// the buttons' topics get an empty payload, which removes buttons left from before.
std::vector<Nachricht> Discovery(const Einstellungen& e, const std::string& version);
// The node id in the discovery topics: the client id in [A-Za-z0-9_].
std::string Knotenname(const Einstellungen& e);

// The commands the network may give; nothing else is ever taken.
enum class Befehl { QUITTIEREN, PAUSE, FREIGABE, STOP };
const char* Befehl_Text(Befehl b);

struct Befehlsnachricht {
    Befehl befehl = Befehl::QUITTIEREN;
    std::string wer;   // "by" of the message (at most 40 printable characters), empty: not said
};
// {"command": "QUITTIEREN", "by": "..."}: the command, or nullopt with the reason in *fehler.
std::optional<Befehlsnachricht> Befehl_Lesen(std::string_view payload, std::string* fehler);

// A flat JSON object of strings, numbers, booleans and nulls (numbers, booleans and null
// as their text); nullopt for anything else, nested values included.
std::optional<std::map<std::string, std::string>> Json_Objekt_Lesen(std::string_view text);

} // namespace kw::mqtt
