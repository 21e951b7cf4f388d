// The main screen's four timers and the drawing of the display state after each tick.

#include "screens/Grundbild.h"

#include <QPushButton>
#include <QTimer>

#include "screens/Anwendung.h"
#include "screens/Grundbild_Hilfen.h"
#include "screens/Parameter.h"
#include "screens/Parameter2.h"
#include "screens/Sichtbarkeit.h"

namespace kw {

using namespace grundbild;

// ---------------------------------------------------------------------------
// Rendering

void Grundbild::zeige()
{
    const Anzeige& z = app.anzeige;
    const Schaltertexte& s = app.texte.schalter();
    if (m_gezeichnet == z && m_Label1_10->text() == m_Label1_10_Gezeigt.text)
        return;

    // Converted and set only when the value or its source changed (a new
    // language swaps the tables), or when someone else changed the field.
    const auto zeigen = [](auto* feld, Gezeigt& g, const std::string& wert) {
        if (&wert == g.quelle && wert == g.wert && feld->text() == g.text)
            return;
        g.quelle = &wert;
        g.wert = wert;
        g.text = q(wert);
        setzeText(feld, g.text);
    };
    for (auto& t : m_texte)
        zeigen(t.feld, t.gezeigt, z.*(t.wert));
    const QString kommentar = m_Anzeige_KommentarPhase->text();
    zeigen(m_Anzeige_KommentarPhase, m_Kommentar_Gezeigt,
           z.Keine_Phase_Aktiv ? s.Text_Keine_Phase : z.Anzeige_KommentarPhase);
    // A title longer than the field shows its beginning.
    if (m_Anzeige_KommentarPhase->text() != kommentar)
        m_Anzeige_KommentarPhase->setCursorPosition(0);
    zeigen(m_Label1_10, m_Label1_10_Gezeigt,
           z.Label_ZeitAct == Zeitbeschriftung::Restzeit ? s.Text_Restzeit : s.Text_Zeit_Aktuell);

    for (const auto& l : m_lampen)
        l.feld->setLampe(z.*(l.wert));
    for (const auto& b : m_balken)
        b.feld->setWert(z.*(b.wert));

    // No live, plausible reading: the actual temperature turns red, its text stays.
    if (z.Anzeige_TempIst_Ungueltig != m_TempIst_Ungueltig) {
        m_TempIst_Ungueltig = z.Anzeige_TempIst_Ungueltig;
        QPalette pal = m_Anzeige_TempIst->palette();
        pal.setColor(QPalette::Base, m_TempIst_Ungueltig ? QColor(255, 0, 0) : QColor(255, 255, 225));
        pal.setColor(QPalette::Text, m_TempIst_Ungueltig ? QColor(255, 255, 255) : palette().color(QPalette::Text));
        m_Anzeige_TempIst->setPalette(pal);
    }
    Sichtbar_Setzen(m_Anzeige_Endzeit, z.Anzeige_Endzeit_Sichtbar);
    Sichtbar_Setzen(m_Anzeige_Feuer, z.Anzeige_Feuer_Sichtbar);
    Sichtbar_Setzen(m_Anzeige_RufQuitt, z.Anzeige_RufQuitt_Sichtbar);
    Sichtbar_Setzen(m_PAUSE_BRAUEN, z.PAUSE_BRAUEN_Sichtbar);

    for (const auto& w : m_wolken) {
        const Wolke& wolke = z.*(w.wert);
        w.feld->setGroesse(wolke.breite, wolke.hoehe);
        Sichtbar_Setzen(w.feld, wolke.sichtbar);
    }

    Schalter_Nachfuehren();
    m_gezeichnet = z;
}

// ---------------------------------------------------------------------------
// Timers

void Grundbild::Timer1_Timer()
{
    if (app.beendet())
        return;
    app.Journal_Vor_Tick();
    app.Mqtt_Vor_Tick();
    app.steuerung().tick(app.jetzt(), app.laufzeit());
    // Editor upkeep: field visibility of the pages that exist follows the program.
    if (!m_Seite1)
        m_Seite1 = app.vorhanden<Parameter>();
    if (!m_Seite2)
        m_Seite2 = app.vorhanden<Parameter2>();
    for (Phasenseite* seite : {m_Seite1.data(), m_Seite2.data()})
        if (seite)
            seite->nachfuehren();
    app.Ausgaenge_Schreiben();
    app.Journal_Nach_Tick();
    app.Mqtt_Nach_Tick();
    zeige();
}

void Grundbild::Timer2_Timer()
{
    if (app.beendet())
        return;
    Sichtbar_Setzen(m_Frame_Manuell, app.anlage.Manuell != 0);
    Sichtbar_Setzen(m_Frame_Simulation, app.anlage.Simulation != 0);
    Seiten_Nachfuehren();
    m_Bar_Sim_IstTemperatur->setWert(static_cast<float>(app.anlage.Sim_Temperatur));
    if (app.anlage.Sim_Temperatur != m_Sim_Temperatur_Gezeigt) {   // a read-only field
        m_Sim_Temperatur_Gezeigt = app.anlage.Sim_Temperatur;
        setzeText(m_Sim_IstTemperatur, QString::number(app.anlage.Sim_Temperatur));
    }
}

void Grundbild::TempRead_Timer()
{
    if (app.beendet())
        return;
    app.TempRead();
}

void Grundbild::Takt_1s_Timer()
{
    if (app.beendet())
        return;
    app.steuerung().Takt_1s();
}

void Grundbild::Timer_Anhalten()
{
    for (QTimer* t : {m_Timer1, m_Timer2, m_TempRead, m_Takt_1s})
        t->stop();
}

bool Grundbild::Timer_Laufen() const
{
    return m_Timer1->isActive() && m_Timer2->isActive() && m_TempRead->isActive() && m_Takt_1s->isActive();
}

} // namespace kw
