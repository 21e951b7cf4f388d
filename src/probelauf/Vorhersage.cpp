#include "probelauf/Vorhersage.h"

#include <algorithm>

#include "program/Funktionen.h"
#include "program/Zahlen.h"

namespace kw::probelauf {

std::optional<Einstieg> Einstieg_Aus(const Anlage& a, const Anzeige& z, Laufzeitpunkt now)
{
    if (!a.Brauen_Gestartet || a.Ablaufschritt != 3 || a.Akt_Phase < 1 || a.Akt_Phase > Max_Phasen)
        return std::nullopt;
    const Cl_Phase& p = a.Programm.Phase(a.Akt_Phase);
    Einstieg e;
    e.phase = a.Akt_Phase;
    e.heizzeit_min = static_cast<long>(std::clamp<std::int64_t>(a.Heizzeit_min, 0, 1000000));
    // The call is timed from the phase's start, pauses not counted: its due time tells it.
    e.vergangen_s = static_cast<long>(
        std::max<std::int64_t>(0, (now - (a.Rufzeitpunkt - std::chrono::minutes(a.Rufzeit_min))).count()));
    if (Flag_Lesen(p.Heizphase()) && !Flag_Lesen(p.Aufheizphase()))
        e.rest_s = static_cast<long>(std::max<std::int64_t>(0, (a.Endzeit_Phase - now).count()));
    e.ruf_wartet = a.Ruf_Aktiv;
    e.ruf_gekommen = a.Ruf_Ausgeloest && !a.Ruf_Aktiv;
    e.heizung = a.Aus_Heizung != 0;
    if (const double soll = Text_Als_Double(z.Anzeige_TempSollAct, a.Dezimaltrenner); !z.Anzeige_TempSollAct.empty())
        e.soll_akt_C = soll;
    return e;
}

Vorhersage Vorhersagen(const Maischprogramm& programm, const Vorgaben& v)
{
    Vorhersage h;
    const Ergebnis e = Probelauf(programm, v);
    if (!e.gestartet || e.abgebrochen || e.phasen.empty())
        return h;
    h.gerechnet = true;
    h.endet = e.vollstaendig;
    if (h.endet)
        h.rest_s = e.gesamt_s;
    const Phasenzeile& erste = e.phasen.front();
    h.phase_endet = erste.ausgang == Ausgang::Beendet && (e.phasen.size() > 1 || e.vollstaendig);
    if (h.phase_endet)
        h.phase_rest_s = erste.ende_s;
    if (e.endlos) {
        h.endlos_phase = e.phasen[*e.endlos].phase;
        h.grund = e.phasen[*e.endlos].grund;
    }
    return h;
}

} // namespace kw::probelauf
