#pragma once
// The program's side of the MQTT link, on the program's thread: it watches the
// run (as an observer of its events and by the state after each tick), hands
// state and events to the connection, and carries remote commands into the
// controller through the same entry points the main screen's buttons use.
//
// Before the tick: waiting commands are taken, each checked and either acted
// upon or ignored with one log line. After the tick: the state goes out when it
// changed, and at least every 10 s. Nothing here waits for the network.

#include "core/Ereignisse.h"
#include "core/Steuerung.h"
#include "mqtt/Mqttnachrichten.h"
#include "mqtt/Mqttverbindung.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kw::mqtt {

// A remote command that is about to be acted upon.
struct Fernbefehl {
    Befehl befehl;
    std::string wer;   // "MQTT" and the sender's "by" when it gave one
};

class Bruecke final : public Ereignisse {
public:
    static constexpr std::chrono::seconds Zustand_Spaetestens{10};

    struct Uhren {
        std::function<Zeitpunkt()> uhrzeit;        // wall clock: times shown
        std::function<Laufzeitpunkt()> laufzeit;   // monotonic: durations
    };
    Bruecke(Anlage& a, const Anzeige& z, Steuerung& s, Uhren uhren, std::string version);
    // Ends the link (the broker sees "offline"); waits a bounded time for it.
    ~Bruecke() override;

    // Takes new settings: off ends the link and removes the discovery configs; a change
    // ends the old link and starts a new one once the old one has gone.
    void Einstellungen_Anwenden(const Einstellungen& e);
    const Einstellungen& einstellungen() const { return m_e; }
    // The program ends: "offline" and a clean goodbye, on the link's thread (the destructor waits for it).
    void Beenden();

    void vor_Tick();
    void nach_Tick();

    // Called before a remote command acts (journal record, main-screen line).
    std::function<void(const Fernbefehl&)> bei_Fernbefehl;

    // --- events that do not come through Ereignisse ---
    void Heizung_Ohne_Wirkung(double von_grad, double bis_grad);
    void Sensorwarnung(Warnungsgrund grund);
    void Waechter_Setzen(std::string zustand) { m_waechter = std::move(zustand); }

    // The connection's state (status Aus while switched off); `meldungen` counts over every link so far.
    Bericht bericht() const;
    // Command messages ignored so far (bad JSON, unknown, not allowed, not possible now).
    std::uint64_t ignoriert() const { return m_ignoriert; }
    const std::string& letzter_Grund() const { return m_letzter_grund; }

    // --- Ereignisse ---
    void Lauf_Start() override;
    void Lauf_Ende(Endeart art) override;
    void Ruf_Ausgeloest(int phase, const std::string& ruftext) override;
    void Ruf_Quittiert() override;
    void Alarm_Antwort(const std::string& knopf) override;

private:
    void Ereignis(std::string_view art, const std::vector<std::pair<std::string, std::string>>& felder = {});
    void Befehl_Ausfuehren(const std::string& payload);
    void ignorieren(const std::string& grund);
    void starten();
    Zusatz zusatz() const;

    Anlage& a;
    const Anzeige& z;
    Steuerung& s;
    Uhren uhren;
    const std::string m_version;

    Einstellungen m_e;
    std::optional<Einstellungen> m_wartend;      // to start once the old links are gone
    std::unique_ptr<Verbindung> m_verbindung;
    std::vector<std::unique_ptr<Verbindung>> m_alt; // ending
    std::uint64_t m_meldungen_alt = 0;           // refusals told by links that have ended

    std::string m_gesendet;                      // last state handed over
    Laufzeitpunkt m_gesendet_um{};
    Endeart m_ende = Endeart::Beenden;
    bool m_ende_gesehen = false;
    std::string m_ruftext;
    Laufzeitpunkt m_ruf_um{};
    bool m_sensorwarnung = false;
    bool m_usb_vorher = false;
    bool m_sensoralarm_vorher = false;
    std::string m_waechter = "none";
    std::uint64_t m_ignoriert = 0;
    std::string m_letzter_grund;
};

} // namespace kw::mqtt
