#include "mqtt/Mqttnachrichten.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <functional>

namespace kw::mqtt {

namespace {

std::string Zahl(double v, int stellen)
{
    char puffer[48];
    // to_chars, not printf: the program runs in the user's locale, JSON wants "."
    auto [ende, ec] = std::to_chars(puffer, puffer + sizeof puffer, v, std::chars_format::fixed, stellen);
    return ec == std::errc{} ? std::string(puffer, ende) : std::string("null");
}

// A display text ("62,5", "62.5") as a JSON number, null when it is none.
std::string Temperatur(const std::string& text)
{
    std::string t = text;
    std::replace(t.begin(), t.end(), ',', '.');
    double v = 0;
    auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec != std::errc{} || p != t.data() + t.size() || !std::isfinite(v))
        return "null";
    return Zahl(v, 1);
}

const char* Ja(bool b) { return b ? "true" : "false"; }

const char* Phasenart(const Cl_Phase& p)
{
    // the controller's order: the first kind flag counts
    if (Flag_Lesen(p.Aufheizphase()))
        return "heat";
    if (Flag_Lesen(p.Heizphase()))
        return "hold";
    if (Flag_Lesen(p.Kuehlphase()))
        return "cool";
    return nullptr;
}

const char* Sperrgrund_Text(Sperrgrund g)
{
    switch (g) {
    case Sperrgrund::Keiner: return nullptr;
    case Sperrgrund::Keine_Messung: return "no_reading";
    case Sperrgrund::Messung_Veraltet: return "reading_stale";
    case Sperrgrund::Messung_Unplausibel: return "reading_implausible";
    }
    return nullptr;
}

std::string Oder_Null(const char* s) { return s ? Json_Text(s) : std::string("null"); }

class Objekt {
public:
    Objekt& feld(std::string_view name, const std::string& json_wert)
    {
        s += s.size() > 1 ? "," : "";
        s += Json_Text(name);
        s += ':';
        s += json_wert;
        return *this;
    }
    std::string fertig() { return s + "}"; }

private:
    std::string s = "{";
};

} // namespace

const char* Laufzustand_Text(Laufzustand l)
{
    switch (l) {
    case Laufzustand::Leerlauf: return "idle";
    case Laufzustand::Laeuft: return "running";
    case Laufzustand::Pause: return "paused";
    case Laufzustand::Ruf: return "call";
    case Laufzustand::Fertig: return "finished";
    case Laufzustand::Gestoppt: return "stopped";
    }
    return "idle";
}

std::string Zeit_Iso(Zeitpunkt t)
{
    const auto tage = std::chrono::floor<std::chrono::days>(t);
    const std::chrono::year_month_day d{tage};
    const std::chrono::hh_mm_ss h{t - tage};
    char puffer[40];
    std::snprintf(puffer, sizeof puffer, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(d.year()),
                  static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()), static_cast<int>(h.hours().count()),
                  static_cast<int>(h.minutes().count()), static_cast<int>(h.seconds().count()));
    return puffer;
}

std::string Json_Text(std::string_view s)
{
    std::string r = "\"";
    for (unsigned char c : s) {
        switch (c) {
        case '"': r += "\\\""; break;
        case '\\': r += "\\\\"; break;
        case '\n': r += "\\n"; break;
        case '\r': r += "\\r"; break;
        case '\t': r += "\\t"; break;
        default:
            if (c < 0x20) {
                char u[8];
                std::snprintf(u, sizeof u, "\\u%04x", c);
                r += u;
            } else {
                r += static_cast<char>(c);
            }
        }
    }
    return r + "\"";
}

std::string Zustand_Json(const Anlage& a, const Anzeige& z, const Zusatz& x, Laufzeitpunkt now)
{
    const bool phase = a.Brauen_Gestartet && a.Akt_Phase >= 1 && a.Akt_Phase <= Max_Phasen && a.Ablaufschritt >= 3;
    const Cl_Phase* p = phase ? &a.Programm.Phase(a.Akt_Phase) : nullptr;
    const char* art = p ? Phasenart(*p) : nullptr;
    const bool halten = art && std::string_view(art) == "hold";

    std::string rest = "null", ende = "null";
    if (halten) {
        ende = Json_Text(Zeit_Iso(a.Uhrzeit(a.Endzeit_Phase)));
        const auto s = std::max<std::int64_t>(0, (a.Endzeit_Phase - now).count());
        rest = std::to_string((s + 59) / 60);
    }
    const bool ungueltig = z.Anzeige_TempIst_Ungueltig;

    Objekt aus;
    aus.feld("heating", Ja(a.Aus_Heizung != 0))
        .feld("stirrer", Ja(a.Aus_Ruehrwerk != 0))
        .feld("cooling", Ja(a.Aus_Kuehlung != 0))
        .feld("extra1", Ja(a.Aus_Extra1 != 0))
        .feld("extra2", Ja(a.Aus_Extra2 != 0))
        .feld("extra3", Ja(a.Aus_Extra3 != 0))
        .feld("extra4", Ja(a.Aus_Extra4 != 0))
        .feld("signal", Ja(a.Aus_Signal != 0));
    Objekt sperre;
    sperre.feld("active", Ja(a.Heizsperre != Sperrgrund::Keiner)).feld("reason", Oder_Null(Sperrgrund_Text(a.Heizsperre)));

    Objekt o;
    o.feld("temperature", ungueltig ? std::string("null") : Temperatur(z.Anzeige_TempIst))
        .feld("target_moving", phase ? Temperatur(z.Anzeige_TempSollAct) : "null")
        .feld("target", phase ? Temperatur(z.Anzeige_TempSoll) : "null")
        .feld("phase", phase ? std::to_string(a.Akt_Phase) : "null")
        .feld("phase_count", a.Brauen_Gestartet ? std::to_string(a.Anzahl_Phasen) : "null")
        .feld("phase_title", phase ? Json_Text(a.Programm.Titel(a.Akt_Phase)) : "null")
        .feld("phase_kind", Oder_Null(art))
        .feld("phase_start", phase ? Json_Text(Zeit_Iso(a.Uhrzeit(a.Startzeit_Phase))) : "null")
        .feld("phase_end", ende)
        .feld("remaining_min", rest)
        .feld("run", Json_Text(Laufzustand_Text(x.lauf)))
        .feld("call_text", x.lauf == Laufzustand::Ruf ? Json_Text(x.ruftext) : "null")
        .feld("beer", Json_Text(a.Programm.Biersorte))
        .feld("outputs", aus.fertig())
        .feld("simulation", Ja(a.Simulation != 0))
        .feld("manual", Ja(a.Manuell != 0))
        .feld("interlock", sperre.fertig())
        .feld("heating_cut", Ja(a.Heizung_Ohne_Wirkung))
        .feld("sensor_warning", Ja(x.sensorwarnung))
        .feld("sensor_alarm", Ja(a.Sensor_Alarm))
        .feld("usb_alarm", Ja(a.USB_Alarm))
        .feld("guard", Json_Text(x.waechter))
        .feld("remote_commands", Ja(x.befehle_erlaubt))
        .feld("events_dropped", std::to_string(x.verworfen));
    return o.fertig();
}

std::string Ereignis_Json(std::string_view art, Zeitpunkt zeit, const std::vector<std::pair<std::string, std::string>>& felder)
{
    Objekt o;
    o.feld("event_type", Json_Text(art)).feld("time", Json_Text(Zeit_Iso(zeit)));
    for (const auto& [name, wert] : felder)
        o.feld(name, wert);
    return o.fertig();
}

std::string Knotenname(const Einstellungen& e)
{
    std::string r;
    for (char c : e.Client_Id())
        r += ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) ? c : '_';
    return r;
}

std::vector<Nachricht> Discovery(const Einstellungen& e, const std::string& version)
{
    const Themen t(e.Praefix());
    const std::string knoten = Knotenname(e);
    const std::string rechner = Rechnername();
    Objekt geraet_o;
    geraet_o.feld("identifiers", "[" + Json_Text(knoten) + "]")
        .feld("name", Json_Text("Kesselwerk " + rechner))
        .feld("manufacturer", Json_Text("Kesselwerk"))
        .feld("model", Json_Text("Kesselwerk Maischesteuerung"))
        .feld("sw_version", Json_Text(version));
    const std::string geraet = geraet_o.fertig();

    std::vector<Nachricht> r;
    struct Wahl {
        const char* klasse = nullptr;
        const char* einheit = nullptr;
        const char* icon = nullptr;
        bool diagnose = false;
    };
    const auto eintrag = [&](const char* komponente, const std::string& id, const std::string& name,
                             const std::function<void(Objekt&)>& mehr) {
        Objekt o;
        o.feld("name", Json_Text(name))
            .feld("unique_id", Json_Text(knoten + "_" + id))
            .feld("availability_topic", Json_Text(t.verfuegbar))
            .feld("payload_available", Json_Text("online"))
            .feld("payload_not_available", Json_Text("offline"));
        mehr(o);
        o.feld("device", geraet);
        r.push_back(Nachricht{"homeassistant/" + std::string(komponente) + "/" + knoten + "/" + id + "/config",
                              o.fertig(), true});
    };
    const auto sensor = [&](const char* id, const char* name, const std::string& vorlage, Wahl w) {
        eintrag("sensor", id, name, [&](Objekt& o) {
            o.feld("state_topic", Json_Text(t.zustand)).feld("value_template", Json_Text(vorlage));
            if (w.klasse)
                o.feld("device_class", Json_Text(w.klasse));
            if (w.einheit)
                o.feld("unit_of_measurement", Json_Text(w.einheit));
            if (w.klasse && std::string_view(w.klasse) == "temperature")
                o.feld("state_class", Json_Text("measurement"));
            if (w.icon)
                o.feld("icon", Json_Text(w.icon));
            if (w.diagnose)
                o.feld("entity_category", Json_Text("diagnostic"));
        });
    };
    const auto binaer = [&](const char* id, const char* name, const std::string& ausdruck, const char* klasse,
                            bool diagnose = false) {
        eintrag("binary_sensor", id, name, [&](Objekt& o) {
            o.feld("state_topic", Json_Text(t.zustand))
                .feld("value_template", Json_Text("{{ 'ON' if " + ausdruck + " else 'OFF' }}"))
                .feld("payload_on", Json_Text("ON"))
                .feld("payload_off", Json_Text("OFF"));
            if (klasse)
                o.feld("device_class", Json_Text(klasse));
            if (diagnose)
                o.feld("entity_category", Json_Text("diagnostic"));
        });
    };

    sensor("temperature", "Temperatur", "{{ value_json.temperature }}", {"temperature", "°C"});
    sensor("target_moving", "Soll aktuell", "{{ value_json.target_moving }}", {"temperature", "°C"});
    sensor("target", "Soll", "{{ value_json.target }}", {"temperature", "°C"});
    sensor("phase", "Phase", "{{ value_json.phase }}", {nullptr, nullptr, "mdi:numeric"});
    sensor("phase_title", "Phasentitel", "{{ value_json.phase_title }}", {nullptr, nullptr, "mdi:text"});
    sensor("phase_kind", "Phasenart", "{{ value_json.phase_kind }}", {nullptr, nullptr, "mdi:stairs"});
    sensor("phase_start", "Phasenbeginn", "{{ value_json.phase_start }}", {"timestamp"});
    sensor("phase_end", "Phasenende", "{{ value_json.phase_end }}", {"timestamp"});
    sensor("remaining", "Restzeit", "{{ value_json.remaining_min }}", {"duration", "min"});
    sensor("run", "Ablauf", "{{ value_json.run }}", {nullptr, nullptr, "mdi:kettle-steam"});
    sensor("call_text", "Ruftext", "{{ value_json.call_text }}", {nullptr, nullptr, "mdi:bell-ring"});
    sensor("interlock_reason", "Heizsperre Grund", "{{ value_json.interlock.reason }}",
           {nullptr, nullptr, "mdi:shield-alert", true});
    sensor("guard", "Ausgangswächter", "{{ value_json.guard }}", {nullptr, nullptr, "mdi:shield-check", true});
    sensor("events_dropped", "Verworfene Ereignisse", "{{ value_json.events_dropped }}",
           {nullptr, nullptr, "mdi:counter", true});

    binaer("heating", "Heizung", "value_json.outputs.heating", "heat");
    binaer("stirrer", "Rührwerk", "value_json.outputs.stirrer", "running");
    binaer("cooling", "Kühlung", "value_json.outputs.cooling", "cold");
    for (int n = 1; n <= 4; ++n) {
        const std::string id = "extra" + std::to_string(n);
        const std::string name = "Extra " + std::to_string(n);
        binaer(id.c_str(), name.c_str(), "value_json.outputs." + id, "power");
    }
    binaer("signal", "Signal", "value_json.outputs.signal", "sound");
    binaer("call_pending", "Ruf wartet", "value_json.run == 'call'", nullptr);
    binaer("paused", "Pause", "value_json.run == 'paused'", nullptr);
    binaer("simulation", "Simulation", "value_json.simulation", nullptr, true);
    binaer("manual", "Handbetrieb", "value_json.manual", nullptr);
    binaer("interlock", "Heizsperre", "value_json.interlock.active", "problem");
    binaer("heating_cut", "Heizung ohne Wirkung", "value_json.heating_cut", "problem");
    binaer("sensor_warning", "Sensorwarnung", "value_json.sensor_warning or value_json.sensor_alarm", "problem");
    binaer("usb_alarm", "USB-Alarm", "value_json.usb_alarm", "problem");

    eintrag("event", "events", "Ereignis", [&](Objekt& o) {
        std::string arten = "[";
        for (const char* a : Ereignisarten)
            arten += (arten.size() > 1 ? "," : "") + Json_Text(a);
        o.feld("state_topic", Json_Text(t.ereignis)).feld("event_types", arten + "]");
    });

    const std::pair<Befehl, const char*> knoepfe[] = {{Befehl::QUITTIEREN, "Quittieren"},
                                                      {Befehl::PAUSE, "Pause"},
                                                      {Befehl::FREIGABE, "Freigabe"},
                                                      {Befehl::STOP, "Stop"}};
    for (const auto& [b, name] : knoepfe) {
        std::string id = Befehl_Text(b);
        std::transform(id.begin(), id.end(), id.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (!e.befehle_erlaubt) {
            r.push_back(Nachricht{"homeassistant/button/" + knoten + "/" + id + "/config", "", true});
            continue;
        }
        eintrag("button", id, name, [&](Objekt& o) {
            Objekt druck;
            druck.feld("command", Json_Text(Befehl_Text(b))).feld("by", Json_Text("homeassistant"));
            o.feld("command_topic", Json_Text(t.befehl)).feld("payload_press", Json_Text(druck.fertig()));
        });
    }
    return r;
}

const char* Befehl_Text(Befehl b)
{
    switch (b) {
    case Befehl::QUITTIEREN: return "QUITTIEREN";
    case Befehl::PAUSE: return "PAUSE";
    case Befehl::FREIGABE: return "FREIGABE";
    case Befehl::STOP: return "STOP";
    }
    return "";
}

namespace {

struct Leser {
    std::string_view s;
    std::size_t i = 0;
    void leer()
    {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r'))
            ++i;
    }
    bool zeichen(char c)
    {
        leer();
        if (i < s.size() && s[i] == c) {
            ++i;
            return true;
        }
        return false;
    }
    static void utf8(std::string& r, unsigned cp)
    {
        if (cp < 0x80) {
            r += static_cast<char>(cp);
        } else if (cp < 0x800) {
            r += static_cast<char>(0xC0 | (cp >> 6));
            r += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            r += static_cast<char>(0xE0 | (cp >> 12));
            r += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            r += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            r += static_cast<char>(0xF0 | (cp >> 18));
            r += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            r += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            r += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    bool hex4(unsigned& v)
    {
        if (i + 4 > s.size())
            return false;
        v = 0;
        for (int k = 0; k < 4; ++k) {
            const char c = s[i++];
            v <<= 4;
            if (c >= '0' && c <= '9') v |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f') v |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F') v |= static_cast<unsigned>(c - 'A' + 10);
            else return false;
        }
        return true;
    }
    std::optional<std::string> text()
    {
        if (!zeichen('"'))
            return std::nullopt;
        std::string r;
        while (i < s.size()) {
            const char c = s[i++];
            if (c == '"')
                return r;
            if (static_cast<unsigned char>(c) < 0x20)
                return std::nullopt;
            if (c != '\\') {
                r += c;
                continue;
            }
            if (i >= s.size())
                return std::nullopt;
            switch (s[i++]) {
            case '"': r += '"'; break;
            case '\\': r += '\\'; break;
            case '/': r += '/'; break;
            case 'b': r += '\b'; break;
            case 'f': r += '\f'; break;
            case 'n': r += '\n'; break;
            case 'r': r += '\r'; break;
            case 't': r += '\t'; break;
            case 'u': {
                unsigned cp = 0;
                if (!hex4(cp))
                    return std::nullopt;
                if (cp >= 0xD800 && cp < 0xDC00) {
                    unsigned lo = 0;
                    if (i + 2 > s.size() || s[i] != '\\' || s[i + 1] != 'u')
                        return std::nullopt;
                    i += 2;
                    if (!hex4(lo) || lo < 0xDC00 || lo >= 0xE000)
                        return std::nullopt;
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
                } else if (cp >= 0xDC00 && cp < 0xE000) {
                    return std::nullopt;
                }
                utf8(r, cp);
                break;
            }
            default: return std::nullopt;
            }
        }
        return std::nullopt;
    }
    std::optional<std::string> wert()
    {
        leer();
        if (i < s.size() && s[i] == '"')
            return text();
        for (std::string_view w : {"true", "false", "null"})
            if (s.substr(i, w.size()) == w) {
                i += w.size();
                return std::string(w);
            }
        const std::size_t anfang = i;
        double d = 0;
        auto [p, ec] = std::from_chars(s.data() + i, s.data() + s.size(), d);
        if (ec != std::errc{} || p == s.data() + anfang)
            return std::nullopt;
        i = static_cast<std::size_t>(p - s.data());
        return std::string(s.substr(anfang, i - anfang));
    }
};

} // namespace

std::optional<std::map<std::string, std::string>> Json_Objekt_Lesen(std::string_view text)
{
    Leser l{text};
    std::map<std::string, std::string> r;
    if (!l.zeichen('{'))
        return std::nullopt;
    if (!l.zeichen('}')) {
        do {
            auto name = l.text();
            if (!name || !l.zeichen(':'))
                return std::nullopt;
            auto w = l.wert();
            if (!w)
                return std::nullopt;
            r[*name] = *w;
        } while (l.zeichen(','));
        if (!l.zeichen('}'))
            return std::nullopt;
    }
    l.leer();
    if (l.i != text.size())
        return std::nullopt;
    return r;
}

std::optional<Befehlsnachricht> Befehl_Lesen(std::string_view payload, std::string* fehler)
{
    const auto grund = [&](std::string g) {
        if (fehler)
            *fehler = std::move(g);
        return std::nullopt;
    };
    if (payload.size() > 1024)
        return grund("too long");
    const auto o = Json_Objekt_Lesen(payload);
    if (!o)
        return grund("not a JSON object");
    const auto it = o->find("command");
    if (it == o->end())
        return grund("no \"command\"");
    std::string b = it->second;
    std::transform(b.begin(), b.end(), b.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    Befehlsnachricht n;
    if (b == "QUITTIEREN") n.befehl = Befehl::QUITTIEREN;
    else if (b == "PAUSE") n.befehl = Befehl::PAUSE;
    else if (b == "FREIGABE") n.befehl = Befehl::FREIGABE;
    else if (b == "STOP") n.befehl = Befehl::STOP;
    else return grund("unknown command \"" + it->second.substr(0, 40) + "\"");
    if (auto w = o->find("by"); w != o->end())
        for (unsigned char c : w->second)
            if (c >= 0x20 && c < 0x7F && n.wer.size() < 40)   // plain ASCII: never a cut character
                n.wer += static_cast<char>(c);
    return n;
}

} // namespace kw::mqtt
