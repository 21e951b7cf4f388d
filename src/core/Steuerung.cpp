#include "core/Steuerung.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/Grenzwerte.h"
#include "core/Zeittext.h"
#include "program/Funktionen.h"
#include "program/Zahlen.h"

namespace kw {

namespace {

using std::chrono::minutes;
using std::chrono::seconds;

enum class Phasenart { Keine, Aufheizen, Halten, Kuehlen };

// A hand-edited recipe may set more than one kind flag: the first one counts,
// so the step machine advances by exactly one step at the phase end.
Phasenart Art(const Cl_Phase& p)
{
    if (Flag_Lesen(p.Aufheizphase()))
        return Phasenart::Aufheizen;
    if (Flag_Lesen(p.Heizphase()))
        return Phasenart::Halten;
    if (Flag_Lesen(p.Kuehlphase()))
        return Phasenart::Kuehlen;
    return Phasenart::Keine;
}

bool Gueltige_Phase(int n) { return n >= 1 && n <= Max_Phasen; }

Lampe Lampe_Fuer(bool an) { return an ? Lampe::Gruen : Lampe::Grau; }

// Caption of a toggle: while on it offers to switch off.
Schalttext Text_Fuer(int schalter) { return schalter ? Schalttext::Aus : Schalttext::Ein; }

void Umschalten(int& schalter, Schalttext& text)
{
    schalter = schalter ? 0 : 1;
    text = Text_Fuer(schalter);
}

const std::string Null_Zeit = "0:0:0";

} // namespace

Steuerung::Steuerung(Anlage& anlage, Anzeige& anzeige, Meldungen& m, Fenster& f)
    : a(anlage), z(anzeige), meldungen(m), fenster(f)
{
}

void Steuerung::laden(Zeitpunkt uhrzeit, Laufzeitpunkt now)
{
    a.laden(now);
    a.Uhr_Versatz = uhrzeit.time_since_epoch() - now.time_since_epoch();
    z.laden();
    ist_gemessen = false;
}

// ---------------------------------------------------------------------------
// The tick

void Steuerung::tick(Zeitpunkt uhrzeit, Laufzeitpunkt now)
{
    const char trenner = a.Dezimaltrenner;

    // The shown start and end follow a step of the wall clock.
    const auto versatz = uhrzeit.time_since_epoch() - now.time_since_epoch();
    if (versatz - a.Uhr_Versatz > seconds(1) || a.Uhr_Versatz - versatz > seconds(1))
        a.Uhr_Versatz = versatz;

    // 1. start gate
    if (!a.Brauen_Gestartet) {
        a.Ablaufschritt = 0;
        Fortsetzung_Beenden();
    }

    // 2. step machine
    switch (a.Ablaufschritt) {
    case 0:
        a.Akt_Phase = 0;
        a.Parameterfehler = false;
        if (a.Brauen_Gestartet) {
            z.Anzeige_Fertig = Lampe::Grau;
            a.Ablaufschritt = 1;
        }
        break;
    case 1:
        Programm_Pruefen();
        break;
    case 2:
        Phase_Starten(now);
        break;
    case 3:
        Phase_Laeuft(now);
        break;
    case 4:
        if (a.Akt_Phase < a.Anzahl_Phasen) {
            a.Ablaufschritt = 2;
        } else {
            a.Ablaufschritt = 0;
            a.Brauen_Gestartet = false;
            z.Anzeige_Fertig = Lampe::Rot;
            ereignisse->Lauf_Ende(Endeart::Fertig);
        }
        break;
    default:
        meldungen.zeige(41);
        break;
    }

    // 3. beer name
    z.Biersorte = a.Programm.Biersorte;

    // 4. actual temperature, and whether it may steer the heating
    Temperatur_Uebernehmen(now);
    // Ages of the reading and of the heating are measured on the monotonic count, as the reading's stamp.
    const Zeitpunkt mono{now.time_since_epoch()};
    const Sperrgrund sperre_vorher = a.Heizsperre;
    a.Heizsperre = Messung_Bewerten(mono);
    z.Anzeige_TempIst_Ungueltig = a.Heizsperre != Sperrgrund::Keiner;

    // 5. idle or run view
    const bool laufbild = !(a.Ablaufschritt < 3 || a.Ruf_Aktiv || !Gueltige_Phase(a.Akt_Phase));
    if (laufbild)
        Laufbild(uhrzeit, now);
    else
        Ruhebild(uhrzeit);
    Sperre_Melden(mono, sperre_vorher, laufbild);
    Wirkung_Pruefen(mono, laufbild);

    // 6. start and end fields
    if (a.Ablaufschritt < 3) {
        z.Anzeige_Startzeit = Null_Zeit;
        z.Anzeige_Endzeit = Null_Zeit;
    } else {
        z.Anzeige_Startzeit = startzeit_text(a.Uhrzeit(a.Startzeit_Phase));
        z.Anzeige_Endzeit = endzeit_text(a.Uhrzeit(a.Endzeit_Phase));
    }

    // 7. stirrer output lamps (output of the previous tick's output pass)
    z.Anzeige_Ruehr1 = z.Anzeige_Ruehr2 = Lampe_Fuer(a.Aus_Ruehrwerk != 0);

    // 8. steam clouds
    {
        const float ist = Text_Als_Single(z.Anzeige_TempIst, trenner);
        const float betrag = std::fabs(ist);
        const bool dampf = ist >= 30.0f;
        z.Anzeige_Wolke_Gross = {dampf && a.Wolke_Takt == 1, betrag * 12.0f, betrag * 18.0f};
        z.Anzeige_Wolke_Mittel = {dampf && a.Wolke_Takt == 2, betrag * 8.0f, betrag * 12.0f};
        z.Anzeige_Wolke_Klein = {dampf && a.Wolke_Takt == 3, betrag * 5.0f, betrag * 8.0f};
    }

    // 9. call and pause indications
    z.Anzeige_RufQuitt_Sichtbar = a.Ruf_Aktiv && a.Blinktakt;
    z.PAUSE_BRAUEN_Sichtbar = a.Pause_Aktiv ? a.Blinktakt : true;

    // 10. signal and extras
    const bool signal = (a.Ruf_Signal || a.Sensor_Alarm)
        && (a.Signal_Dauer == 1 || (a.Signal_Dauer == 0 && a.Blinktakt));
    a.Aus_Signal = signal ? 1 : 0;
    z.Anzeige_Signal = Lampe_Fuer(signal);

    a.Aus_Extra1 = a.Man_Extra1_Ein ? 1 : 0;
    a.Aus_Extra2 = a.Man_Extra2_Ein ? 1 : 0;
    a.Aus_Extra3 = a.Man_Extra3_Ein ? 1 : 0;
    a.Aus_Extra4 = a.Man_Extra4_Ein ? 1 : 0;
    z.Anzeige_Extra1 = Lampe_Fuer(a.Aus_Extra1);
    z.Anzeige_Extra2 = Lampe_Fuer(a.Aus_Extra2);
    z.Anzeige_Extra3 = Lampe_Fuer(a.Aus_Extra3);
    z.Anzeige_Extra4 = Lampe_Fuer(a.Aus_Extra4);

    // 11. phase count
    z.Anzeige_Phasenzahl = a.Programm.AnzPhasen;

    // 12. the editor pages keep their own field visibility in step with the program.

    // 13. first tick: configuration
    if (!a.Konfig_Geladen) {
        a.Konfig_Geladen = true;
        fenster.Konfiguration_Laden_Und_Zeigen();
    }

    // 14. Ausgaenge_Schreiben follows right after this call, done by the caller
    //     with the hardware library (it also writes Aus_Ruehrwerk back).

    // 15.
    a.Init_Fertig = true;

    // The model feels this tick's heating from now on (after its dead time).
    if (kessel)
        kessel->Heizung(a.Aus_Heizung != 0);
}

// ---------------------------------------------------------------------------
// Step machine

bool Steuerung::Phase_Pruefen(int n)
{
    Cl_Phase& p = a.Programm.Phase(n);
    Startpruefung_Normalisieren(p);
    if (Phase_Vollstaendig(p))
        return true;
    Pruefmeldung(20 + n);
    return false;
}

void Steuerung::Pruefmeldung(int nr)
{
    pruefmeldungen.push_back(nr);
    meldungen.zeige(nr);
}

void Steuerung::Programm_Pruefen()
{
    a.Startvorgabe_Aktiv = a.Start_ab_Phase != 0;
    a.Anzahl_Phasen_Text = a.Programm.AnzPhasen;
    pruefmeldungen.clear();

    if (a.Anzahl_Phasen_Text.empty()) {
        Pruefmeldung(20);
        a.Parameterfehler = true;
    } else {
        a.Anzahl_Phasen = Zahl_Aus_Text(a.Anzahl_Phasen_Text);
        if (!Gueltige_Phase(a.Anzahl_Phasen)) {
            // Only a hand-edited recipe gets here ("0", "25", "x"): no phase table
            // to run, so it is reported like a missing count.
            Pruefmeldung(20);
            a.Parameterfehler = true;
        } else {
            // Every incomplete phase gets its own message.
            for (int i = 1; i <= a.Anzahl_Phasen; ++i)
                if (!Phase_Pruefen(i))
                    a.Parameterfehler = true;
        }
    }

    if (a.Startvorgabe_Aktiv) {
        const int start = Zahl_Aus_Text(a.Startphase_Text);
        if (!Gueltige_Phase(start)) {
            // Start switch armed, but no start phase entered.
            Pruefmeldung(14);
            a.Parameterfehler = true;
        } else if (start > a.Anzahl_Phasen && !a.Parameterfehler) {
            // A start phase above the count runs as entered; it must be complete too.
            if (!Phase_Pruefen(start))
                a.Parameterfehler = true;
        }
    }

    a.Heizbedarf_Vorher = false;

    if (a.Parameterfehler) {
        a.Ablaufschritt = 0;
        a.Brauen_Gestartet = false;
        ereignisse->Pruefung_Abgelehnt(pruefmeldungen);
    } else {
        a.Ablaufschritt = 2;
        // A resume's arming holds for the run it starts, while the fields are as it set them.
        a.Fortsetzung_Laeuft = a.Startvorgabe_Aktiv && a.Fortsetzung
            && a.Fortsetzung->phase == Zahl_Aus_Text(a.Startphase_Text)
            && a.Fortsetzung->startzeit_text == a.Startzeit_Text;
        ereignisse->Lauf_Start();
        // A rehearsal says so in its record: no model is learned from it.
        if (a.Simulation)
            ereignisse->Schalter("Switch1", true);
        if (a.Nur_Modell())
            ereignisse->Schalter("Sim_Modell", true);
    }
}

void Steuerung::Phase_Starten(Laufzeitpunkt now)
{
    const int naechste = a.Startvorgabe_Aktiv ? Zahl_Aus_Text(a.Startphase_Text) : a.Akt_Phase + 1;
    if (!Gueltige_Phase(naechste)) {
        // The start field was emptied after the check: nothing to run, and the
        // brewer is told why, as at the check.
        meldungen.zeige(14);
        a.Ablaufschritt = 0;
        a.Brauen_Gestartet = false;
        a.Startvorgabe_Aktiv = false;
        ereignisse->Pruefung_Abgelehnt({14});
        ereignisse->Lauf_Ende(Endeart::Stop);
        Fortsetzung_Beenden();
        return;
    }
    a.Akt_Phase = naechste;
    Cl_Phase& p = a.Programm.Phase(a.Akt_Phase);
    // A resumed phase goes on where it was cut off.
    const std::optional<Fortsetzungsstand> fortsetzung
        = a.Startvorgabe_Aktiv && a.Fortsetzung_Laeuft && a.Fortsetzung && a.Fortsetzung->phase == naechste
        ? a.Fortsetzung
        : std::nullopt;
    a.Fortsetzung.reset();

    a.Startzeit_Phase = now;
    a.Heizzeit_min = Zahl_Aus_Text(a.Startvorgabe_Aktiv ? a.Startzeit_Text : p.Heizzeit());
    a.Endzeit_Phase = now + (fortsetzung ? seconds(fortsetzung->rest_s) : minutes(a.Heizzeit_min));

    a.Ruehr_Zeitpunkt = now;
    a.Ruehrimpuls_s = Zahl_Aus_Text(p.Ruehrimpuls());
    a.Ruehrpause_s = Zahl_Aus_Text(p.Ruehrpause());

    if (a.Gradient_Ein == 1)
        z.Anzeige_TempSollAct = z.Anzeige_TempIst;
    else
        z.Anzeige_TempSollAct = Single_Als_Text(Text_Als_Single(p.Temperatur(), a.Dezimaltrenner),
                                                a.Dezimaltrenner);

    a.Ruf_Aktiv = false;
    a.Ruf_Signal = false;
    a.Ruf_Ausgeloest = false;

    a.Rufzeit_min = Zahl_Aus_Text(p.Rufzeit());
    a.Rufzeitpunkt = now + minutes(a.Rufzeit_min);

    if (fortsetzung) {
        // The resumed phase keeps its call, timed from the phase's first start.
        a.Rufzeitpunkt -= seconds(fortsetzung->vergangen_s);
        a.Ruf_Ausgeloest = fortsetzung->ruf_gekommen;
    } else if (a.Startvorgabe_Aktiv && Flag_Lesen(p.Ruf_nach_Rufzeit())) {
        // Entering a phase in the middle never raises its timed call; the program keeps that.
        p.setRuf_nach_Rufzeit(Flagtext(false));
        p.setRuf_Ende_Phase(Flagtext(false));
        p.setKein_Ruf(Flagtext(true));
    }

    a.Pause_Zeitpunkt = now;
    a.Startvorgabe_Aktiv = false;
    a.Ablaufschritt = 3;
    ereignisse->Phase_Start(a.Akt_Phase);
    // A call that waited for QUITTIEREN when the program died comes again at once.
    if (fortsetzung && fortsetzung->ruf_wartet && !Flag_Lesen(p.Kein_Ruf()))
        Ruf_Ausloesen(p);
}

void Steuerung::Fortsetzung_Beenden()
{
    if (!a.Fortsetzung_Laeuft)
        return;
    a.Fortsetzung_Laeuft = false;
    a.Fortsetzung.reset();
    if (a.Start_ab_Phase)
        Umschalten(a.Start_ab_Phase, z.switch3);
}

void Steuerung::Phase_Laeuft(Laufzeitpunkt now)
{
    if (!Gueltige_Phase(a.Akt_Phase)) {
        a.Ablaufschritt = 0;
        a.Brauen_Gestartet = false;
        return;
    }
    const Cl_Phase& p = a.Programm.Phase(a.Akt_Phase);
    const Phasenart art = Art(p);
    const float soll = Text_Als_Single(p.Temperatur(), a.Dezimaltrenner);
    const float ist = Text_Als_Single(z.Anzeige_TempIst, a.Dezimaltrenner);
    // A temperature the heating may not follow ends no phase either; the phase clock runs on.
    const bool ist_gilt = Isttemperatur_Verwertbar(Zeitpunkt{now.time_since_epoch()});

    bool ende = false;
    switch (art) {
    case Phasenart::Aufheizen: ende = ist_gilt && ist >= soll; break;
    case Phasenart::Halten: ende = now >= a.Endzeit_Phase; break;
    case Phasenart::Kuehlen: ende = ist_gilt && ist <= soll; break;
    case Phasenart::Keine: break;
    }

    if (!Flag_Lesen(p.Kein_Ruf()) && !a.Ruf_Ausgeloest) {
        if (Flag_Lesen(p.Ruf_Ende_Phase())) {
            if (ende)
                Ruf_Ausloesen(p);
        } else if (now >= a.Rufzeitpunkt
                   && (art != Phasenart::Halten || a.Rufzeitpunkt <= a.Endzeit_Phase)) {
            // Due once its second is reached, also by a tick that comes late; a call
            // time after the end of a rest would not have come before that end.
            Ruf_Ausloesen(p);
        }
    }

    if (ende && !a.Ruf_Aktiv) {
        a.Ablaufschritt = 4;
        ereignisse->Phase_Ende(a.Akt_Phase);
    }
}

void Steuerung::Ruf_Ausloesen(const Cl_Phase& p)
{
    a.Ruf_Ausgeloest = true;
    a.Ruf_Aktiv = true;
    a.Ruf_Signal = true;
    a.Aus_Heizung = 0;
    ereignisse->Ruf_Ausgeloest(a.Akt_Phase, p.Ruftext());
    fenster.Braumeisterruf_Zeigen(p.Ruftext());
}

// ---------------------------------------------------------------------------
// Temperature intake and the two views

// Outside simulation, from the end of the first tick on, the actual temperature is the reading.
bool Steuerung::Gemessen() const { return !a.Simulation && a.Konfig_Geladen && a.Init_Fertig; }

void Steuerung::Temperatur_Uebernehmen(Laufzeitpunkt now)
{
    ist_gemessen = Gemessen();
    const std::int64_t ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
    if (!a.Nur_Modell())
        kessel.reset();
    else if (!kessel)
        kessel.emplace(kessel_p, a.Sim_Temperatur, ms);   // from the slider's value on
    if (kessel) {
        kessel->fortschreiben(ms);
        // Tenths, as a sensor gives them: whole degrees would hold the heating a degree too long.
        const double grad = std::round(kessel->Temperatur_C() * 10.0) / 10.0;
        a.Sim_Temperatur = std::clamp(static_cast<int>(std::lround(grad)), 0, 100);
        z.Anzeige_TempIst = Double_Als_Text(grad, a.Dezimaltrenner);
        z.Bar_Sim_IstTemperatur2 = static_cast<float>(grad);
        return;
    }
    if (ist_gemessen) {
        if (a.Temperaturwert.empty()) {
            z.Anzeige_TempIst = "0.0";   // no reading yet; the heating waits for one (Messung_Bewerten)
        } else if (a.Temperaturwert == "85.00") {
            // the sensor's power-on value is never a temperature
        } else {
            Messanzeige& m = messanzeige;
            if (m.wert != a.Temperaturwert || m.trenner != a.Dezimaltrenner) {
                m.wert = a.Temperaturwert;
                m.trenner = a.Dezimaltrenner;
                m.text = Double_Als_Text(Text_Als_Double(a.Temperaturwert, '.'), a.Dezimaltrenner);
            }
            z.Anzeige_TempIst = m.text;
        }
        Balkenwert& b = balkenwert;
        if (b.text != z.Anzeige_TempIst || b.trenner != a.Dezimaltrenner) {
            b.text = z.Anzeige_TempIst;
            b.trenner = a.Dezimaltrenner;
            b.grad = Text_Als_Single(z.Anzeige_TempIst, a.Dezimaltrenner);
        }
        z.Bar_Sim_IstTemperatur2 = b.grad;
    } else {
        z.Anzeige_TempIst = std::to_string(a.Sim_Temperatur);
        z.Bar_Sim_IstTemperatur2 = static_cast<float>(a.Sim_Temperatur);
    }
}

// Outside simulation the reading must be live and plausible before it may steer the heating.
Sperrgrund Steuerung::Messung_Bewerten(Zeitpunkt now) const
{
    if (!Gemessen())
        return Sperrgrund::Keiner;
    if (!a.Messzeitpunkt)
        return Sperrgrund::Keine_Messung;
    const auto alter = now - *a.Messzeitpunkt;
    // A reading "from the future" means the clock was set back: not trusted until the next one.
    if (alter < seconds(0) || alter >= Grenzwerte::Messung_Hoechstalter)
        return Sperrgrund::Messung_Veraltet;
    const double ist = Text_Als_Double(z.Anzeige_TempIst, a.Dezimaltrenner);
    if (!(ist >= Grenzwerte::Messung_Min_Grad && ist <= Grenzwerte::Messung_Max_Grad))
        return Sperrgrund::Messung_Unplausibel;
    return Sperrgrund::Keiner;
}

// The step machine compares the text of the previous tick's intake: it counts if the interlock let
// the heating follow it then, it came from the source in effect now (a slider value is no reading)
// and it has not grown too old since.
bool Steuerung::Isttemperatur_Verwertbar(Zeitpunkt now) const
{
    return a.Heizsperre == Sperrgrund::Keiner && ist_gemessen == Gemessen()
        && Messung_Bewerten(now) == Sperrgrund::Keiner;
}

// Events on every change; the warning once per episode: at once when a reading went bad or is
// implausible, and when a run needs the reading that never came.
void Steuerung::Sperre_Melden(Zeitpunkt now, Sperrgrund vorher, bool laufbild)
{
    const Sperrgrund jetzt = a.Heizsperre;
    if (jetzt != vorher && sicherheit) {
        if (jetzt == Sperrgrund::Keiner)
            sicherheit->Heizsperre_Aus(now);
        else
            sicherheit->Heizsperre_Ein(now, jetzt);
    }
    if (jetzt == Sperrgrund::Keiner) {
        a.Sperrwarnung_Gegeben = false;
        return;
    }
    if (!a.Sperrwarnung_Gegeben && (laufbild || jetzt != Sperrgrund::Keine_Messung)) {
        a.Sperrwarnung_Gegeben = true;
        Sensorwarnung_Ausloesen(now, Warnungsgrund::Heizsperre);
    }
}

// Automatic heating on without a break must raise the temperature by the minimum within the
// check time; the reference follows the temperature down (malt added) and restarts with each rise.
void Steuerung::Wirkung_Pruefen(Zeitpunkt now, bool laufbild)
{
    if (a.Simulation || !laufbild || a.Aus_Heizung == 0) {
        a.Wirkung_Laeuft = false;
        return;
    }
    const double ist = Text_Als_Double(z.Anzeige_TempIst, a.Dezimaltrenner);
    // The texts are decimal; half a hundredth covers their binary rounding.
    constexpr double rundung = 0.005;
    if (!a.Wirkung_Laeuft || ist >= Grenzwerte::Wirkung_Siedegrenze_Grad
        || ist + rundung >= a.Wirkung_Bezug_Grad + Grenzwerte::Wirkung_Mindestanstieg_K) {
        a.Wirkung_Laeuft = true;
        a.Wirkung_Seit = now;
        a.Wirkung_Bezug_Grad = ist;
        return;
    }
    if (ist < a.Wirkung_Bezug_Grad)
        a.Wirkung_Bezug_Grad = ist;
    if (now - a.Wirkung_Seit < Grenzwerte::Wirkung_Heizdauer)
        return;

    a.Heizung_Ohne_Wirkung = true;
    a.Wirkung_Laeuft = false;
    a.Aus_Heizung = 0;
    a.Heizbedarf_Vorher = false;
    z.Anzeige_Feuer_Sichtbar = false;
    if (sicherheit)
        sicherheit->Heizung_Ohne_Wirkung(now, a.Wirkung_Bezug_Grad, ist);
    Sensorwarnung_Ausloesen(now, Warnungsgrund::Heizung_Ohne_Wirkung);
}

void Steuerung::Sensorwarnung_Ausloesen(Zeitpunkt now, Warnungsgrund grund)
{
    a.Sensor_Alarm = true;
    fenster.WarnungDS1820_Zeigen();
    if (sicherheit)
        sicherheit->Sensorwarnung(now, grund);
}

void Steuerung::Ruhebild(Zeitpunkt uhrzeit)
{
    z.Label_ZeitAct = Zeitbeschriftung::Zeit_Aktuell;
    z.Anzeige_ZeitAct = uhrzeit_text(uhrzeit);
    a.Pause_Vorher = false;   // no pause shift outside the run view
    z.Keine_Phase_Aktiv = true;
    z.Anzeige_Endzeit_Sichtbar = true;
    z.Anzeige_Aufheizen = z.Anzeige_Heizen = z.Anzeige_Kuehlen = z.Anzeige_Brauen = Lampe::Grau;

    // manual requests
    a.Aus_Heizung = a.Man_Heizung_Ein ? 1 : 0;
    z.Anzeige_Heizung = Lampe_Fuer(a.Aus_Heizung);
    z.Anzeige_Feuer_Sichtbar = a.Aus_Heizung != 0;
    a.Aus_Kuehlung = a.Man_Kuehlung_Ein ? 1 : 0;
    z.Anzeige_Kuehlung = Lampe_Fuer(a.Aus_Kuehlung);
    a.Ruehrwerk_Ein = a.Man_Ruehrwerk_Ein ? 1 : 0;
    z.Anzeige_Ruehrwerk = Lampe_Fuer(a.Ruehrwerk_Ein);
}

void Steuerung::Laufbild(Zeitpunkt uhrzeit, Laufzeitpunkt now)
{
    const char trenner = a.Dezimaltrenner;
    const Cl_Phase& p = a.Programm.Phase(a.Akt_Phase);
    const Phasenart art = Art(p);

    // Manual heating, cooling and stirring only outside a running phase.
    a.Man_Heizung_Ein = a.Man_Kuehlung_Ein = a.Man_Ruehrwerk_Ein = 0;
    z.Man_Heizung = z.Man_Kuehlung = z.Man_Ruehrwerk = Schalttext::Ein;

    z.Anzeige_Phase = std::to_string(a.Akt_Phase);
    z.Keine_Phase_Aktiv = false;
    z.Anzeige_KommentarPhase = a.Programm.Titel(a.Akt_Phase);

    // target and moving target
    z.Anzeige_TempSoll = p.Temperatur();
    const float soll = Text_Als_Single(z.Anzeige_TempSoll, trenner);
    z.Bar_TempSoll = soll;
    if (art == Phasenart::Aufheizen && Text_Als_Single(z.Anzeige_TempSollAct, trenner) < soll) {
        if (!a.Pause_Aktiv && now >= a.Gradient_Zeitpunkt) {
            a.Gradient_Zeitpunkt = now + seconds(60);
            z.Anzeige_TempSollAct =
                Double_Als_Text(Text_Als_Double(z.Anzeige_TempSollAct, trenner) + 1.0, trenner);
        }
    } else {
        z.Anzeige_TempSollAct = z.Anzeige_TempSoll;
    }
    const float soll_akt = Text_Als_Single(z.Anzeige_TempSollAct, trenner);
    z.Bar_TempSollAct = soll_akt;

    // heating decision with the 15 s switch-on delay
    const bool bedarf = soll_akt > Text_Als_Single(z.Anzeige_TempIst, trenner) && !a.Ruf_Aktiv
        && art != Phasenart::Kuehlen;
    if (bedarf && (a.Heizsperre != Sperrgrund::Keiner || a.Heizung_Ohne_Wirkung)) {
        // Overruled: the lamp still shows the demand, the flame stays off, and once released the
        // demand starts afresh with its full delay.
        z.Anzeige_Heizung = Lampe::Gruen;
        a.Heizbedarf_Vorher = false;
        a.Aus_Heizung = 0;
        z.Anzeige_Feuer_Sichtbar = false;
    } else if (bedarf) {
        z.Anzeige_Heizung = Lampe::Gruen;
        if (!a.Heizbedarf_Vorher)
            a.Heizung_Einschaltzeit = now + seconds(15);
        a.Aus_Heizung = now >= a.Heizung_Einschaltzeit ? 1 : 0;
        z.Anzeige_Feuer_Sichtbar = a.Aus_Heizung != 0;
        a.Heizbedarf_Vorher = true;
    } else {
        a.Heizbedarf_Vorher = false;
        a.Aus_Heizung = 0;
        z.Anzeige_Feuer_Sichtbar = false;
        z.Anzeige_Heizung = Lampe::Grau;
    }

    // The automatic run never cools; cooling left on by hand during a call goes
    // off with its lamp, so lamp and output never disagree.
    a.Aus_Kuehlung = 0;
    z.Anzeige_Kuehlung = Lampe::Grau;

    // pause: the phase clock stands still. Each second of the pause counts once,
    // those that passed without a tick too; a pause that begins counts one.
    if (a.Pause_Aktiv && now >= a.Pause_Zeitpunkt) {
        const seconds schritt = a.Pause_Vorher ? now - a.Pause_Zeitpunkt + seconds(1) : seconds(1);
        a.Pause_Zeitpunkt = now + seconds(1);
        a.Endzeit_Phase += schritt;
        a.Rufzeitpunkt += schritt;
    }
    a.Pause_Vorher = a.Pause_Aktiv;

    // time display and lamps
    if (art == Phasenart::Halten) {
        z.Label_ZeitAct = Zeitbeschriftung::Restzeit;
        z.Anzeige_ZeitAct = Dauer_Text(a.Endzeit_Phase - now);
    } else {
        z.Label_ZeitAct = Zeitbeschriftung::Zeit_Aktuell;
        z.Anzeige_ZeitAct = uhrzeit_text(uhrzeit);
    }
    z.Anzeige_Aufheizen = Lampe_Fuer(art == Phasenart::Aufheizen);
    z.Anzeige_Heizen = Lampe_Fuer(art == Phasenart::Halten);
    z.Anzeige_Kuehlen = Lampe_Fuer(art == Phasenart::Kuehlen);
    z.Anzeige_Brauen = Lampe_Fuer(a.Blinktakt);

    // stirrer cycle
    if (now >= a.Ruehr_Zeitpunkt) {
        if (a.Ruehrwerk_Ein == 0) {
            a.Ruehrwerk_Ein = 1;
            a.Ruehr_Zeitpunkt = now + seconds(a.Ruehrimpuls_s);
            z.Anzeige_Ruehrwerk = Lampe::Gruen;
        } else {
            a.Ruehrwerk_Ein = 0;
            a.Ruehr_Zeitpunkt = now + seconds(a.Ruehrpause_s);
            z.Anzeige_Ruehrwerk = Lampe::Grau;
        }
    }

    z.Anzeige_Endzeit_Sichtbar = art == Phasenart::Halten;
}

// ---------------------------------------------------------------------------
// Clocks and buttons

void Steuerung::Takt_1s()
{
    a.Blinktakt = !a.Blinktakt;
    a.Wolke_Takt = (a.Wolke_Takt >= 1 && a.Wolke_Takt <= 3) ? a.Wolke_Takt + 1 : 1;
}

void Steuerung::START_BRAUEN()
{
    if (a.Pause_Aktiv && a.Brauen_Gestartet)
        ereignisse->Pause_Freigabe();
    a.Brauen_Gestartet = true;
    a.Pause_Aktiv = false;
}

void Steuerung::STOP_BRAUEN()
{
    if (a.Brauen_Gestartet)
        ereignisse->Lauf_Ende(Endeart::Stop);
    a.Brauen_Gestartet = false;
    Fortsetzung_Beenden();
    a.Aus_Heizung = 0;
    a.Ruehrwerk_Ein = 0;
    a.Aus_Kuehlung = 0;
}

void Steuerung::PAUSE_BRAUEN()
{
    if (a.Ablaufschritt > 2 && !a.Pause_Aktiv) {
        a.Pause_Aktiv = true;
        ereignisse->Pause();
    }
}

void Steuerung::PhaseRauf()
{
    if (a.Ablaufschritt < 3)
        return;
    if (a.Akt_Phase < Zahl_Aus_Text(a.Anzahl_Phasen_Text) && a.Akt_Phase < Max_Phasen) {
        a.Ablaufschritt = 2;
        a.Ruf_Ausgeloest = false;
        a.Ruf_Aktiv = false;
        ereignisse->Phase_Sprung(+1);
    }
}

void Steuerung::PhaseRunter()
{
    if (a.Ablaufschritt < 3)
        return;
    if (a.Akt_Phase > 1) {
        a.Akt_Phase -= 2;   // step 2 counts it up again to the previous phase
        a.Ablaufschritt = 2;
        a.Ruf_Ausgeloest = false;
        a.Ruf_Aktiv = false;
        ereignisse->Phase_Sprung(-1);
    }
}

void Steuerung::ZeitRauf()
{
    if (a.Ablaufschritt < 3 || !Gueltige_Phase(a.Akt_Phase))
        return;
    const Cl_Phase& p = a.Programm.Phase(a.Akt_Phase);
    if (Art(p) == Phasenart::Halten) {
        a.Endzeit_Phase += seconds(300);
        // Re-arms a call at the end only: a timed call stays raised once.
        if (Flag_Lesen(p.Ruf_Ende_Phase()))
            a.Ruf_Ausgeloest = false;
        ereignisse->Zeit_Geaendert(+300);
    }
}

void Steuerung::ZeitRunter()
{
    if (a.Ablaufschritt < 3 || !Gueltige_Phase(a.Akt_Phase))
        return;
    const Cl_Phase& p = a.Programm.Phase(a.Akt_Phase);
    if (Art(p) == Phasenart::Halten) {
        a.Endzeit_Phase -= seconds(300);
        // Re-arms a call at the end only: a timed call stays raised once.
        if (Flag_Lesen(p.Ruf_Ende_Phase()))
            a.Ruf_Ausgeloest = false;
        ereignisse->Zeit_Geaendert(-300);
    }
}

void Steuerung::Soll_Aendern(double delta)
{
    if (a.Ablaufschritt < 3 || !Gueltige_Phase(a.Akt_Phase))
        return;
    Cl_Phase& p = a.Programm.Phase(a.Akt_Phase);
    p.setTemperatur(Double_Als_Text(Text_Als_Double(p.Temperatur(), a.Dezimaltrenner) + delta,
                                    a.Dezimaltrenner));
    ereignisse->Soll_Geaendert(p.Temperatur());
}

void Steuerung::SollRauf() { Soll_Aendern(0.1); }
void Steuerung::SollRunter() { Soll_Aendern(-0.1); }

void Steuerung::Option_Gradient()
{
    if (a.Gradient_Ein == 1) {
        a.Gradient_Ein = 0;
        z.Option_Gradient = Schalttext::Ein;
        // Between the check and the first phase there is no phase to aim at yet;
        // the phase start sets the moving target anyway.
        if (a.Ablaufschritt > 1 && Gueltige_Phase(a.Akt_Phase))
            z.Anzeige_TempSollAct = Single_Als_Text(
                Text_Als_Single(a.Programm.Phase(a.Akt_Phase).Temperatur(), a.Dezimaltrenner),
                a.Dezimaltrenner);
    } else {
        a.Gradient_Ein = 1;
        z.Option_Gradient = Schalttext::Aus;
        if (a.Ablaufschritt > 1)
            z.Anzeige_TempSollAct = z.Anzeige_TempIst;
    }
    ereignisse->Gradient(a.Gradient_Ein == 1);
}

void Steuerung::Option_Signal()
{
    if (a.Signal_Dauer == 1) {
        a.Signal_Dauer = 0;
        z.Option_Signal = Schalttext::Aus;
    } else {
        a.Signal_Dauer = 1;
        z.Option_Signal = Schalttext::Ein;
    }
    ereignisse->Signal(a.Signal_Dauer == 1);
}

void Steuerung::Signal_und_Gradient_Uebernehmen(bool signal_taktend, bool gradient_ein)
{
    const bool geaendert = a.Gradient_Ein != (gradient_ein ? 1 : 0)
        || a.Signal_Dauer != (signal_taktend ? 0 : 1);
    a.Signal_Dauer = signal_taktend ? 0 : 1;
    z.Option_Signal = signal_taktend ? Schalttext::Aus : Schalttext::Ein;
    a.Gradient_Ein = gradient_ein ? 1 : 0;
    z.Option_Gradient = gradient_ein ? Schalttext::Aus : Schalttext::Ein;
    if (geaendert) {
        ereignisse->Signal(a.Signal_Dauer == 1);
        ereignisse->Gradient(a.Gradient_Ein == 1);
    }
}

void Steuerung::Switch1()
{
    Umschalten(a.Simulation, z.Switch1);
    ereignisse->Schalter("Switch1", a.Simulation != 0);
}

void Steuerung::Switch2()
{
    Umschalten(a.Manuell, z.Switch2);
    ereignisse->Schalter("Switch2", a.Manuell != 0);
    if (!a.Manuell) {
        // The extras are left as they are.
        a.Man_Heizung_Ein = a.Man_Kuehlung_Ein = a.Man_Ruehrwerk_Ein = 0;
        z.Man_Heizung = z.Man_Kuehlung = z.Man_Ruehrwerk = Schalttext::Ein;
    }
}

void Steuerung::Man_Heizung()
{
    Umschalten(a.Man_Heizung_Ein, z.Man_Heizung);
    ereignisse->Schalter("Man_Heizung", a.Man_Heizung_Ein != 0);
}
void Steuerung::Man_Kuehlung()
{
    Umschalten(a.Man_Kuehlung_Ein, z.Man_Kuehlung);
    ereignisse->Schalter("Man_Kuehlung", a.Man_Kuehlung_Ein != 0);
}
void Steuerung::Man_Ruehrwerk()
{
    Umschalten(a.Man_Ruehrwerk_Ein, z.Man_Ruehrwerk);
    ereignisse->Schalter("Man_Ruehrwerk", a.Man_Ruehrwerk_Ein != 0);
}
void Steuerung::Man_Extra1()
{
    Umschalten(a.Man_Extra1_Ein, z.Man_Extra1);
    ereignisse->Schalter("Man_Extra1", a.Man_Extra1_Ein != 0);
}
void Steuerung::Man_Extra2()
{
    Umschalten(a.Man_Extra2_Ein, z.Man_Extra2);
    ereignisse->Schalter("Man_Extra2", a.Man_Extra2_Ein != 0);
}
void Steuerung::Man_Extra3()
{
    Umschalten(a.Man_Extra3_Ein, z.Man_Extra3);
    ereignisse->Schalter("Man_Extra3", a.Man_Extra3_Ein != 0);
}
void Steuerung::Man_Extra4()
{
    Umschalten(a.Man_Extra4_Ein, z.Man_Extra4);
    ereignisse->Schalter("Man_Extra4", a.Man_Extra4_Ein != 0);
}

void Steuerung::Scroll_Sim_IstTemperatur(int position)
{
    if (a.Nur_Modell())
        return;   // the model gives the value
    a.Sim_Temperatur = std::clamp(std::abs(position), 0, 100);
}

void Steuerung::Sim_Modell_Schalten()
{
    a.Sim_Modell = a.Sim_Modell ? 0 : 1;
    ereignisse->Schalter("Sim_Modell", a.Sim_Modell != 0);
}

void Steuerung::Kesselmodell_Setzen(const modell::Kesselparameter& p)
{
    kessel_p = p;
    if (kessel) {
        const double grad = kessel->Temperatur_C();
        const std::int64_t ms = kessel->jetzt_ms();
        const bool ein = a.Aus_Heizung != 0;
        kessel.emplace(kessel_p, grad, ms);
        kessel->Vorgeschichte(ein);
    }
}

void Steuerung::switch3()
{
    Umschalten(a.Start_ab_Phase, z.switch3);
    if (!a.Start_ab_Phase)
        a.Fortsetzung.reset();   // a resume's arming is gone with the switch
}

std::string Steuerung::Eingabe_Start_Phase(const std::string& feldtext)
{
    const int wert = Zahl_Aus_Text(feldtext);
    std::string text = feldtext;
    if (wert < 1)
        text = "1";
    else if (wert > Max_Phasen)
        text = "20";
    if (text != a.Startphase_Text)
        a.Fortsetzung.reset();   // another phase: no longer the resumed one
    a.Startphase_Text = text;
    return text;
}

void Steuerung::Eingabe_Start_Zeit(const std::string& feldtext)
{
    if (feldtext != a.Startzeit_Text)
        a.Fortsetzung.reset();
    a.Startzeit_Text = feldtext;
}

void Steuerung::QUITTIEREN()
{
    if (a.Ruf_Aktiv)
        ereignisse->Ruf_Quittiert();
    a.Ruf_Aktiv = false;
    a.Ruf_Signal = false;
    fenster.Braumeisterruf_Verbergen();
}

void Steuerung::Braumeisterruf_OK()
{
    if (a.Ruf_Signal)
        ereignisse->Ruf_Stumm();
    a.Ruf_Signal = false;
}
void Steuerung::Braumeisterruf_Signal_Aus()
{
    if (a.Ruf_Signal)
        ereignisse->Ruf_Stumm();
    a.Ruf_Signal = false;
}
void Steuerung::WarnungDS1820_OK()
{
    a.Sensor_Alarm = false;
    a.Heizung_Ohne_Wirkung = false;
    ereignisse->Alarm_Antwort("WarnungDS1820_OK");
}
void Steuerung::WarnungDS1820_AlarmOff()
{
    a.Sensor_Alarm = false;
    ereignisse->Alarm_Antwort("WarnungDS1820_AlarmOff");
}

void Steuerung::Alarm_USB_OK()
{
    a.Sensor_Alarm = false;
    a.USB_Alarm = false;
    ereignisse->Alarm_Antwort("Alarm_USB_OK");
}

void Steuerung::Alarm_USB_AlarmOff()
{
    a.Sensor_Alarm = false;
    ereignisse->Alarm_Antwort("Alarm_USB_AlarmOff");
}

void Steuerung::BEENDEN()
{
    if (a.Brauen_Gestartet)
        ereignisse->Lauf_Ende(Endeart::Beenden);
    a.Brauen_Gestartet = false;
    Fortsetzung_Beenden();
    a.Aus_Heizung = a.Ruehrwerk_Ein = a.Aus_Ruehrwerk = a.Aus_Kuehlung = 0;
    a.Aus_Extra1 = a.Aus_Extra2 = a.Aus_Extra3 = a.Aus_Extra4 = 0;
    a.Aus_Signal = 0;
}

} // namespace kw
