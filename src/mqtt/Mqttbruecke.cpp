#include "mqtt/Mqttbruecke.h"

#include <cstdio>

namespace kw::mqtt {

Bruecke::Bruecke(Anlage& anlage, const Anzeige& anzeige, Steuerung& steuerung, Uhren u, std::string version)
    : a(anlage), z(anzeige), s(steuerung), uhren(std::move(u)), m_version(std::move(version))
{
}

Bruecke::~Bruecke()
{
    if (m_verbindung)
        m_verbindung->beenden(false);
    // the destructors wait for their threads, each within its bounded goodbye
    m_verbindung.reset();
    m_alt.clear();
}

void Bruecke::Einstellungen_Anwenden(const Einstellungen& e)
{
    const bool gleich = e == m_e && (m_verbindung != nullptr) == e.ein;
    m_e = e;
    if (gleich)
        return;
    if (m_verbindung) {
        // Off, or another node: the old entities go. Otherwise the new link sends them anew.
        const Einstellungen& alt = m_verbindung->einstellungen();
        const bool entfernen = !e.ein || Knotenname(alt) != Knotenname(e) || alt.Praefix() != e.Praefix();
        m_verbindung->beenden(entfernen);
        m_meldungen_alt += m_verbindung->bericht().meldungen;
        m_alt.push_back(std::move(m_verbindung));
    }
    m_wartend.reset();
    if (e.ein)
        m_wartend = e;
    starten();
}

void Bruecke::starten()
{
    if (!m_wartend)
        return;
    // One client id at a time: a second connection would take over the first, whose
    // will would then say "offline" after the new "online".
    for (const auto& v : m_alt)
        if (!v->fertig())
            return;
    m_alt.clear();
    m_verbindung = std::make_unique<Verbindung>(*m_wartend, Discovery(*m_wartend, m_version));
    m_wartend.reset();
    m_gesendet.clear();   // the new link gets the state at once
}

void Bruecke::Beenden()
{
    m_wartend.reset();
    if (!m_verbindung)
        return;
    m_verbindung->beenden(false);
    m_meldungen_alt += m_verbindung->bericht().meldungen;
    m_alt.push_back(std::move(m_verbindung));
}

Bericht Bruecke::bericht() const
{
    Bericht b;
    if (m_verbindung)
        b = m_verbindung->bericht();
    else if (m_wartend)
        b.status = Status::Verbinde;
    b.meldungen += m_meldungen_alt;
    return b;
}

void Bruecke::ignorieren(const std::string& grund)
{
    ++m_ignoriert;
    m_letzter_grund = grund;
    std::fprintf(stderr, "kesselwerk mqtt: command ignored: %s\n", grund.c_str());
}

void Bruecke::vor_Tick()
{
    if (!m_verbindung)
        return;
    for (const std::string& payload : m_verbindung->Befehle_Abholen())
        Befehl_Ausfuehren(payload);
}

void Bruecke::Befehl_Ausfuehren(const std::string& payload)
{
    std::string fehler;
    const auto b = Befehl_Lesen(payload, &fehler);
    if (!b) {
        ignorieren(fehler);
        return;
    }
    const char* name = Befehl_Text(b->befehl);
    if (!m_e.befehle_erlaubt) {
        ignorieren(std::string(name) + ": remote commands are off");
        return;
    }
    // Release resumes a paused run only; it never starts one.
    if (b->befehl == Befehl::FREIGABE && !(a.Brauen_Gestartet && a.Pause_Aktiv)) {
        ignorieren(std::string(name) + ": no paused run");
        return;
    }
    Fernbefehl f{b->befehl, b->wer.empty() ? std::string("MQTT") : "MQTT " + b->wer};
    if (bei_Fernbefehl)
        bei_Fernbefehl(f);
    Ereignis("remote", {{"command", Json_Text(name)}, {"by", Json_Text(f.wer)}});
    switch (b->befehl) {
    case Befehl::QUITTIEREN: s.QUITTIEREN(); break;
    case Befehl::PAUSE: s.PAUSE_BRAUEN(); break;
    case Befehl::FREIGABE: s.START_BRAUEN(); break;
    case Befehl::STOP: s.STOP_BRAUEN(); break;
    }
}

Zusatz Bruecke::zusatz() const
{
    Zusatz x;
    if (a.Brauen_Gestartet)
        x.lauf = a.Ruf_Aktiv ? Laufzustand::Ruf : a.Pause_Aktiv ? Laufzustand::Pause : Laufzustand::Laeuft;
    else if (m_ende_gesehen && m_ende == Endeart::Fertig)
        x.lauf = Laufzustand::Fertig;
    else if (m_ende_gesehen && m_ende == Endeart::Stop)
        x.lauf = Laufzustand::Gestoppt;
    x.ruftext = m_ruftext;
    x.sensorwarnung = m_sensorwarnung;
    x.waechter = m_waechter;
    x.befehle_erlaubt = m_e.befehle_erlaubt;
    if (m_verbindung)
        x.verworfen = m_verbindung->bericht().verworfen;
    return x;
}

void Bruecke::nach_Tick()
{
    if (!m_alt.empty() || m_wartend) {
        std::erase_if(m_alt, [](const std::unique_ptr<Verbindung>& v) { return v->fertig(); });
        starten();
    }
    // Alarms that show only in the state.
    if (a.USB_Alarm && !m_usb_vorher)
        Ereignis("usb_alarm");
    m_usb_vorher = a.USB_Alarm;
    if (a.Sensor_Alarm && !m_sensoralarm_vorher)
        Ereignis("sensor_warning", {{"reason", Json_Text("power_on_readings")}});
    m_sensoralarm_vorher = a.Sensor_Alarm;

    if (!m_verbindung)
        return;
    const Laufzeitpunkt jetzt = uhren.laufzeit();
    std::string zustand = Zustand_Json(a, z, zusatz(), jetzt);
    if (zustand != m_gesendet || jetzt - m_gesendet_um >= Zustand_Spaetestens) {
        m_gesendet_um = jetzt;
        m_gesendet = zustand;
        m_verbindung->Zustand_Senden(std::move(zustand));
    }
}

void Bruecke::Ereignis(std::string_view art, const std::vector<std::pair<std::string, std::string>>& felder)
{
    if (m_verbindung)
        m_verbindung->Ereignis_Senden(Ereignis_Json(art, uhren.uhrzeit(), felder));
}

void Bruecke::Heizung_Ohne_Wirkung(double von_grad, double bis_grad)
{
    char v[32], b[32];
    std::snprintf(v, sizeof v, "%.2f", von_grad);
    std::snprintf(b, sizeof b, "%.2f", bis_grad);
    for (char* p : {v, b})   // the user's locale may give a comma
        for (char* c = p; *c; ++c)
            if (*c == ',')
                *c = '.';
    Ereignis("heating_no_effect", {{"from", v}, {"to", b}});
}

void Bruecke::Sensorwarnung(Warnungsgrund grund)
{
    m_sensorwarnung = true;
    Ereignis("sensor_warning",
             {{"reason", Json_Text(grund == Warnungsgrund::Heizsperre ? "interlock" : "heating_no_effect")}});
}

void Bruecke::Lauf_Start()
{
    m_ende_gesehen = false;
    m_ruftext.clear();
}

void Bruecke::Lauf_Ende(Endeart art)
{
    m_ende = art;
    m_ende_gesehen = true;
    if (art == Endeart::Fertig)
        Ereignis("finished");
    else
        Ereignis("stopped", {{"how", Json_Text(art == Endeart::Stop ? "STOP" : "BEENDEN")}});
}

void Bruecke::Ruf_Ausgeloest(int phase, const std::string& ruftext)
{
    m_ruftext = ruftext;
    m_ruf_um = uhren.laufzeit();
    Ereignis("call", {{"phase", std::to_string(phase)}, {"text", Json_Text(ruftext)}});
}

void Bruecke::Ruf_Quittiert()
{
    const auto sekunden = (uhren.laufzeit() - m_ruf_um).count();
    Ereignis("acknowledged", {{"seconds", std::to_string(sekunden)}, {"text", Json_Text(m_ruftext)}});
}

void Bruecke::Alarm_Antwort(const std::string& knopf)
{
    if (knopf == "WarnungDS1820_OK")
        m_sensorwarnung = false;
}

} // namespace kw::mqtt
