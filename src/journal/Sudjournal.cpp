#include "journal/Sudjournal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "program/Funktionen.h"

namespace kw::journal {

namespace {

namespace fs = std::filesystem;

std::string_view Phasenart_Text(const Cl_Phase& p)
{
    // the controller's order: the first kind flag counts
    if (Flag_Lesen(p.Aufheizphase()))
        return "Aufheizen";
    if (Flag_Lesen(p.Heizphase()))
        return "Halten";
    if (Flag_Lesen(p.Kuehlphase()))
        return "Kuehlen";
    return "";
}

// The record in place of `anzahl` lines the writer had to drop, with the moment
// and state of the line that follows them.
std::string Verlustzeile(std::uint64_t anzahl, const std::string& naechste)
{
    std::string_view z(naechste);
    if (!z.empty() && z.back() == '\n')
        z.remove_suffix(1);
    Zeile r = Zeile_Lesen(z).value_or(Zeile{});
    r.art = std::string(Art_Verloren);
    r.dauer_s = static_cast<long long>(anzahl);
    r.feld.clear();
    r.text.clear();
    return Zeile_Schreiben(r);
}

Journaldatei::Optionen Mit_Verlustzeile(Journaldatei::Optionen o)
{
    if (!o.verlustzeile)
        o.verlustzeile = &Verlustzeile;
    return o;
}

} // namespace

int Ausgangsbyte_Aus(const Anlage& a)
{
    auto bit = [](int wert, int n) { return wert ? (1 << n) : 0; };
    return bit(a.Aus_Heizung, 0) | bit(a.Aus_Ruehrwerk, 1) | bit(a.Aus_Kuehlung, 2) | bit(a.Aus_Extra1, 3)
        | bit(a.Aus_Extra2, 4) | bit(a.Aus_Extra3, 5) | bit(a.Aus_Extra4, 6) | bit(a.Aus_Signal, 7);
}

Sudjournal::Sudjournal(const Anlage& anlage, const Anzeige& anzeige, const BrauDaten& d, Uhr u,
                       Journaldatei::Optionen optionen)
    : a(anlage), z(anzeige), daten(d), uhr(std::move(u)), m_datei(Mit_Verlustzeile(std::move(optionen)))
{
}

Sudjournal::~Sudjournal() = default;

std::string Sudjournal::Ordner() const
{
    return (fs::path(a.Programmpfad) / std::string(Journalordner)).string();
}

Zeile Sudjournal::zeile(std::string_view art, Zeitpunkt zeit) const
{
    Zeile r;
    r.zeit = zeit;
    r.art = std::string(art);
    r.phase = a.Ablaufschritt >= 2 ? a.Akt_Phase : 0;
    if (r.phase < 0 || r.phase > Max_Phasen)
        r.phase = 0;
    r.ist = Temperatur_Lesen(z.Anzeige_TempIst);
    if (r.phase > 0) {
        r.soll_akt = Temperatur_Lesen(z.Anzeige_TempSollAct);
        r.soll = Temperatur_Lesen(a.Programm.Phase(r.phase).Temperatur());
    }
    r.ausgang = Ausgangsbyte_Aus(a);
    return r;
}

void Sudjournal::schreiben(const Zeile& r, bool ereignis)
{
    if (!m_lauf)
        return;
    if (m_datei.anhaengen(Zeile_Schreiben(r), ereignis) && ereignis)
        ++m_ereignisse;
}

void Sudjournal::vor_Tick()
{
    m_datei.warten();
}

void Sudjournal::synchronisieren()
{
    m_datei.alles_warten(std::chrono::seconds(5));
}

void Sudjournal::nach_Tick(Zeitpunkt now)
{
    if (!m_lauf)
        return;
    const Journaldatei::Stand stand = m_datei.stand();
    if (!stand.oeffnungsfehler.empty()) {
        // no file for this run: it goes on without a journal
        m_fehler = stand.oeffnungsfehler;
        m_pfad.clear();
        m_lauf = false;
        return;
    }
    m_pfad = stand.pfad;
    if (stand.fehlerzahl > m_fehlerzahl_beginn && m_schreibfehler.empty())
        m_schreibfehler = stand.schreibfehler.empty() ? m_pfad : stand.schreibfehler;

    if (a.Sensor_Alarm && !m_sensor_vorher)
        schreiben(zeile(Art_Sensorwarnung, now));
    if (a.USB_Alarm && !m_usb_vorher)
        schreiben(zeile(Art_USB_Alarm, now));
    m_sensor_vorher = a.Sensor_Alarm;
    m_usb_vorher = a.USB_Alarm;

    if (now >= m_naechste_probe) {
        m_naechste_probe = now + std::chrono::seconds(5);
        Zeile r = zeile(Art_Probe, now);
        // The rest of a holding phase: what a resume needs, to within one sample.
        if (a.Ablaufschritt == 3 && r.phase > 0 && Flag_Lesen(a.Programm.Phase(r.phase).Heizphase())
            && !Flag_Lesen(a.Programm.Phase(r.phase).Aufheizphase()))
            r.dauer_s = std::max<long long>(0, (a.Uhrzeit(a.Endzeit_Phase) - now).count());
        // Waited for like an event: on disk before the next tick, so a cut loses
        // at most the samples of one 5 s spacing.
        m_datei.anhaengen(Zeile_Schreiben(r), true);
    }
}

bool Sudjournal::Ereignis_Schreiben(Zeitpunkt zeit, const std::string& art, const std::string& text)
{
    return Ereignis_Schreiben(zeit, art, std::string(), text);
}

bool Sudjournal::Ereignis_Schreiben(Zeitpunkt zeit, const std::string& art, const std::string& feld,
                                    const std::string& text)
{
    if (!m_lauf)
        return false;
    Zeile r = zeile(art.empty() ? std::string_view("Ereignis") : std::string_view(art), zeit);
    r.feld = feld;
    r.text = text;
    schreiben(r);
    return true;
}

bool Sudjournal::Vorhersage_Schreiben(Zeitpunkt zeit, int phase, std::string_view feld,
                                      std::optional<Zeitpunkt> ende, const std::string& grund)
{
    if (!m_lauf || phase < 1 || phase > Max_Phasen)
        return false;
    Zeile r = zeile(Art_Vorhersage, zeit);
    r.phase = phase;
    r.soll_akt.reset();
    r.soll = Temperatur_Lesen(a.Programm.Phase(phase).Temperatur());
    r.feld = std::string(feld);
    if (ende) {
        r.dauer_s = (*ende - zeit).count();
        r.text = Zeit_Text(*ende);
    } else {
        r.text = grund;
    }
    schreiben(r);
    return true;
}

void Sudjournal::Unterbrechen(Zeitpunkt zeit, const std::string& grund)
{
    if (!m_lauf)
        return;
    Zeile r = zeile(Art_Unterbrochen, zeit);
    r.text = grund;
    schreiben(r);
    m_datei.schliessen();
    m_lauf = false;
}

void Sudjournal::Fortsetzen_Vormerken(const std::string& pfad) { m_vorgemerkt = pfad; }

bool Sudjournal::Verwerfen(const std::string& pfad, Zeitpunkt zeit, std::string& fehler)
{
    Journaldatei datei;
    datei.oeffnen(pfad);
    Zeile r;
    r.zeit = zeit;
    r.art = std::string(Art_Ende);
    r.feld = "VERWORFEN";
    datei.anhaengen(Zeile_Schreiben(r), true);
    datei.schliessen();
    const bool fertig = datei.alles_warten(std::chrono::seconds(5));
    const Journaldatei::Stand stand = datei.stand();
    if (!stand.oeffnungsfehler.empty())
        fehler = stand.oeffnungsfehler;
    else if (stand.fehlerzahl > 0 || stand.verloren > 0)
        fehler = stand.schreibfehler.empty() ? pfad + ": " + std::strerror(EIO) : stand.schreibfehler;
    else if (!fertig)
        fehler = pfad + ": " + std::strerror(ETIMEDOUT);
    else
        return true;
    return false;
}

void Sudjournal::Schnappschuss(Zeitpunkt zeit)
{
    auto eintrag = [&](std::string_view art, int phase, std::string feld, const std::string& text) {
        Zeile r;
        r.zeit = zeit;
        r.art = std::string(art);
        r.phase = phase;
        r.feld = std::move(feld);
        r.text = text;
        // the snapshot is waited for like an event: a resume needs all of it
        schreiben(r, true);
    };
    const Maischprogramm& p = a.Programm;
    eintrag(Art_Programm, 0, "Biersorte", p.Biersorte);
    eintrag(Art_Programm, 0, "Anzahl_Phasen", p.AnzPhasen);
    for (int n = 1; n <= Max_Phasen; ++n) {
        const Cl_Phase& ph = p.Phase(n);
        eintrag(Art_Programm, n, "PhasenBezeichnung", p.Titel(n));
        eintrag(Art_Programm, n, "Heizphase", ph.Heizphase());
        eintrag(Art_Programm, n, "Aufheizphase", ph.Aufheizphase());
        eintrag(Art_Programm, n, "Kuehlphase", ph.Kuehlphase());
        eintrag(Art_Programm, n, "Temperatur", ph.Temperatur());
        eintrag(Art_Programm, n, "Heizzeit", ph.Heizzeit());
        eintrag(Art_Programm, n, "Ruehrimpuls", ph.Ruehrimpuls());
        eintrag(Art_Programm, n, "Ruehrpause", ph.Ruehrpause());
        eintrag(Art_Programm, n, "Rufzeit", ph.Rufzeit());
        eintrag(Art_Programm, n, "Ruf_Ende_Phase", ph.Ruf_Ende_Phase());
        eintrag(Art_Programm, n, "Ruf_nach_Rufzeit", ph.Ruf_nach_Rufzeit());
        eintrag(Art_Programm, n, "Kein_Ruf", ph.Kein_Ruf());
        eintrag(Art_Programm, n, "Ruftext", ph.Ruftext());
    }
    for (const BrauDatenFeld& f : BrauDaten_Felder)
        eintrag(Art_Braudaten, 0, std::string(f.schluessel), daten.*(f.feld));
}

void Sudjournal::Lauf_Start()
{
    const Zeitpunkt jetzt = uhr();
    if (m_lauf)
        Ende_Schreiben("STOP");   // never two runs in one file

    const bool fortsetzung = !m_vorgemerkt.empty();
    std::string pfad = m_vorgemerkt;
    m_vorgemerkt.clear();
    // The disk's work (folder, file, syncs) is the writer's: START never waits for it.
    if (fortsetzung) {
        m_datei.oeffnen(pfad);
    } else {
        const std::string biersorte = a.Programm.Biersorte;
        pfad = m_datei.anlegen(Ordner(), [jetzt, biersorte](int n) {
            return Journalname(jetzt, n == 1 ? biersorte : biersorte + "_" + std::to_string(n));
        });
    }
    m_fehler.clear();
    m_schreibfehler.clear();
    m_fehlerzahl_beginn = m_datei.stand().fehlerzahl;
    m_pfad = pfad;
    m_lauf = true;
    if (!fortsetzung) {
        m_datei.anhaengen(std::string(Kopfzeile) + "\n", false);
        Zeile k;
        k.zeit = jetzt;
        k.art = std::string(Art_Journal);
        k.feld = "Version";
        k.text = std::string(Formatversion);
        schreiben(k, false);
    }
    m_offene_phase = 0;
    m_ruf_offen = m_pause_offen = false;
    m_sensor_vorher = a.Sensor_Alarm;
    m_usb_vorher = a.USB_Alarm;

    Zeile s = zeile(fortsetzung ? Art_Fortsetzung : Art_Start, jetzt);
    if (a.Startvorgabe_Aktiv) {
        s.phase = Zahl_Aus_Text(a.Startphase_Text);
        // a resumed phase runs its rest to the second
        s.dauer_s = a.Fortsetzung_Laeuft && a.Fortsetzung ? a.Fortsetzung->rest_s
                                                          : 60LL * Zahl_Aus_Text(a.Startzeit_Text);
    }
    schreiben(s);
    Schnappschuss(jetzt);
    for (const Zeile& r : m_vorher)
        schreiben(r);
    m_vorher.clear();
    m_naechste_probe = jetzt;
}

void Sudjournal::Pruefung_Abgelehnt(const std::vector<int>& meldungen)
{
    Zeile r = zeile(Art_Abgelehnt, uhr());
    for (int nr : meldungen)
        r.text += (r.text.empty() ? "" : " ") + std::to_string(nr);
    if (m_lauf) {
        schreiben(r);
        return;
    }
    // No journal yet: the refusals go into the next one, so the brew's record
    // shows the attempts before it (a few at most).
    if (m_vorher.size() < 20)
        m_vorher.push_back(r);
}

void Sudjournal::Phase_Schliessen(Zeitpunkt zeit, std::string_view wie)
{
    if (m_offene_phase == 0)
        return;
    Zeile r = zeile(Art_Phase_Ende, zeit);
    r.phase = m_offene_phase;
    r.soll = Temperatur_Lesen(a.Programm.Phase(m_offene_phase).Temperatur());
    r.dauer_s = (zeit - m_phase_beginn).count();
    r.feld = std::string(wie);
    schreiben(r);
    m_offene_phase = 0;
}

void Sudjournal::Phase_Start(int phase)
{
    const Zeitpunkt jetzt = uhr();
    Phase_Schliessen(jetzt, "Abbruch");
    if (!m_lauf || phase < 1 || phase > Max_Phasen)
        return;
    const Cl_Phase& p = a.Programm.Phase(phase);
    Zeile r = zeile(Art_Phase_Start, jetzt);
    r.phase = phase;
    r.feld = std::string(Phasenart_Text(p));
    r.dauer_s = r.feld == "Halten" ? (a.Endzeit_Phase - a.Startzeit_Phase).count() : 0;
    r.text = a.Programm.Titel(phase);
    schreiben(r);
    m_offene_phase = phase;
    m_phase_beginn = jetzt;
    m_ruf_offen = false;
    // A sample at the start of each phase, so the curve shows the step at once.
    m_naechste_probe = jetzt;
}

void Sudjournal::Phase_Ende(int phase)
{
    if (phase == m_offene_phase)
        Phase_Schliessen(uhr(), "Ende");
}

void Sudjournal::Ende_Schreiben(std::string_view art)
{
    const Zeitpunkt jetzt = uhr();
    Phase_Schliessen(jetzt, "Abbruch");
    Zeile r = zeile(Art_Ende, jetzt);
    r.feld = std::string(art);
    schreiben(r);
    // The writer closes it after the record: STOP and BEENDEN switch the outputs
    // off right after this and never wait for the disk.
    m_datei.schliessen();
    m_lauf = false;
}

void Sudjournal::Lauf_Ende(Endeart art)
{
    if (!m_lauf)
        return;
    switch (art) {
    case Endeart::Fertig: Ende_Schreiben("FERTIG"); break;
    case Endeart::Stop: Ende_Schreiben("STOP"); break;
    case Endeart::Beenden: Ende_Schreiben("BEENDEN"); break;
    }
}

void Sudjournal::Ruf_Ausgeloest(int phase, const std::string& ruftext)
{
    const Zeitpunkt jetzt = uhr();
    Zeile r = zeile(Art_Ruf, jetzt);
    r.phase = phase;
    r.text = ruftext;
    schreiben(r);
    m_ruf_zeit = jetzt;
    m_ruf_offen = true;
}

void Sudjournal::Ruf_Stumm()
{
    const Zeitpunkt jetzt = uhr();
    Zeile r = zeile(Art_Ruf_Stumm, jetzt);
    if (m_ruf_offen)
        r.dauer_s = (jetzt - m_ruf_zeit).count();
    schreiben(r);
}

void Sudjournal::Ruf_Quittiert()
{
    const Zeitpunkt jetzt = uhr();
    Zeile r = zeile(Art_Ruf_Quittiert, jetzt);
    if (m_ruf_offen)
        r.dauer_s = (jetzt - m_ruf_zeit).count();
    m_ruf_offen = false;
    schreiben(r);
}

void Sudjournal::Pause()
{
    const Zeitpunkt jetzt = uhr();
    schreiben(zeile(Art_Pause, jetzt));
    m_pause_zeit = jetzt;
    m_pause_offen = true;
}

void Sudjournal::Pause_Freigabe()
{
    const Zeitpunkt jetzt = uhr();
    Zeile r = zeile(Art_Freigabe, jetzt);
    if (m_pause_offen)
        r.dauer_s = (jetzt - m_pause_zeit).count();
    m_pause_offen = false;
    schreiben(r);
}

void Sudjournal::Phase_Sprung(int richtung)
{
    schreiben(zeile(richtung > 0 ? Art_PhaseRauf : Art_PhaseRunter, uhr()));
}

void Sudjournal::Zeit_Geaendert(int sekunden)
{
    Zeile r = zeile(Art_Zeit, uhr());
    r.dauer_s = sekunden;
    schreiben(r);
}

void Sudjournal::Soll_Geaendert(const std::string& temperatur)
{
    Zeile r = zeile(Art_Soll, uhr());
    r.soll = Temperatur_Lesen(temperatur);
    r.text = temperatur;
    schreiben(r);
}

void Sudjournal::Schalter(const std::string& name, bool ein)
{
    Zeile r = zeile(Art_Schalter, uhr());
    r.feld = name;
    r.text = ein ? "EIN" : "AUS";
    schreiben(r);
}

void Sudjournal::Gradient(bool ein)
{
    Zeile r = zeile(Art_Gradient, uhr());
    r.text = ein ? "EIN" : "AUS";
    schreiben(r);
}

void Sudjournal::Signal(bool dauernd)
{
    Zeile r = zeile(Art_Signal, uhr());
    r.text = dauernd ? "dauernd" : "taktend";
    schreiben(r);
}

void Sudjournal::Alarm_Antwort(const std::string& knopf)
{
    Zeile r = zeile(Art_Alarm_Antwort, uhr());
    r.feld = knopf;
    schreiben(r);
}

} // namespace kw::journal
