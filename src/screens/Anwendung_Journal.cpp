// The application's part of the brew journal: the hooks around the tick, the
// resume offer at start-up and what its two buttons do.

#include "screens/Anwendung.h"

#include "journal/Journal_Lesen.h"
#include "screens/Brauprotokoll.h"
#include "screens/Fortsetzung.h"
#include "screens/Kesselmodellanzeige.h"
#include "screens/Grundbild.h"
#include "screens/Parameter.h"
#include "screens/Parameter2.h"
#include "texts/Journaltexte.h"

#include <cstdio>

namespace kw {

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }
} // namespace

void Anwendung::Journal_Vor_Tick()
{
    m_journal->vor_Tick();
    // The run that ended is on disk now: the kettle model learns from it, off the UI thread.
    if (m_journal_lief && !m_journal->offen())
        Kesselmodell_Lernen(*this);
    m_journal_lief = m_journal->offen();
}

void Anwendung::Journal_Nach_Tick()
{
    Sperre_Vermerken(jetzt());
    m_journal->nach_Tick(jetzt());
    // A journal that cannot be written is said once per failure; the brew goes on.
    const std::string& fehler = m_journal->fehler();
    if (!fehler.empty() && fehler != m_journalfehler_gemeldet) {
        m_journalfehler_gemeldet = fehler;
        m_meldungsanzeige->zeige(q(Journaltexte_Fuer(texte.aktuell).Journal_Fehler).arg(q(fehler)));
    }
    // So is a journal that stops being written (disk full, I/O error): once for this brew.
    const std::string& schreibfehler = m_journal->schreibfehler();
    if (!schreibfehler.empty() && m_journal->pfad() != m_schreibfehler_journal) {
        m_schreibfehler_journal = m_journal->pfad();
        m_meldungsanzeige->zeige(q(Journaltexte_Fuer(texte.aktuell).Schreib_Fehler).arg(q(schreibfehler)));
    }
}

void Anwendung::Journal_Unterbrechen(const std::string& grund) { m_journal->Unterbrechen(jetzt(), grund); }

void Anwendung::Fortsetzung_Anbieten()
{
    const auto neuestes = journal::Neuestes_Journal(m_journal->Ordner());
    if (!neuestes)
        return;
    const journal::Journalinhalt j = journal::Journal_Lesen(*neuestes);
    const journal::Fortsetzungsangebot f = journal::Angebot_Ermitteln(j);
    if (!f.moeglich)
        return;
    if (auto* dialog = qobject_cast<Fortsetzung*>(bildschirm(Fortsetzung::Name)))
        dialog->anbieten(*neuestes, f);
}

bool Anwendung::Fortsetzen(const std::string& pfad)
{
    // A run going already has a journal of its own.
    if (anlage.Brauen_Gestartet)
        return false;
    const journal::Journalinhalt j = journal::Journal_Lesen(pfad);
    const journal::Fortsetzungsangebot f = journal::Angebot_Ermitteln(j);
    if (!f.moeglich) {
        if (!j.fehler.empty())
            m_meldungsanzeige->zeige(q(j.fehler));
        return false;
    }
    anlage.Programm = f.programm;   // with the targets nudged during the run
    brauDaten = j.daten;
    if (geladen(Parameter::Name))
        bildschirm<Parameter>().anzeigen();
    if (geladen(Parameter2::Name))
        bildschirm<Parameter2>().anzeigen();
    if (geladen(Brauprotokoll::Name))
        bildschirm<Brauprotokoll>().aktualisieren();
    // A heating-up or cooling phase starts again; its minutes do not count. The field
    // shows whole minutes; the phase runs its rest to the second and keeps its call.
    const int minuten = f.neu ? 0 : f.rest_min;
    bildschirm<Grundbild>().Start_ab_Phase_Setzen(f.phase, minuten);
    Fortsetzungsstand stand;
    stand.phase = f.phase;
    stand.startzeit_text = anlage.Startzeit_Text;
    stand.rest_s = f.neu ? 0 : f.rest_s;
    stand.vergangen_s = f.vergangen_s;
    stand.ruf_gekommen = f.ruf_gekommen;
    stand.ruf_wartet = f.ruf_wartet;
    anlage.Fortsetzung = stand;
    m_journal->Fortsetzen_Vormerken(pfad);
    return true;
}

void Anwendung::Verwerfen(const std::string& pfad)
{
    std::string fehler;
    if (!journal::Sudjournal::Verwerfen(pfad, jetzt(), fehler))
        m_meldungsanzeige->zeige(q(Journaltexte_Fuer(texte.aktuell).Verwerfen_Fehler).arg(q(fehler)));
}

// The interlock's and the guard's events, in the journal's own kinds "Sperre" and "Waechter".
// The interlock's state goes into the journal when it changes, and also when a run opens its
// journal with the heating already held off (the interlock may have engaged before START).
void Anwendung::Sperre_Vermerken(Zeitpunkt t)
{
    if (m_journal->pfad() != m_sperre_journal) { // a journal of its own begins with "no interlock"
        m_sperre_journal = m_journal->pfad();
        m_sperre_im_journal = Sperrgrund::Keiner;
    }
    const Sperrgrund grund = anlage.Heizsperre;
    if (grund == m_sperre_im_journal)
        return;
    const char* text = grund == Sperrgrund::Keine_Messung         ? "EIN: keine Messung"
                       : grund == Sperrgrund::Messung_Veraltet    ? "EIN: Messung veraltet"
                       : grund == Sperrgrund::Messung_Unplausibel ? "EIN: Messung unplausibel"
                                                                  : "AUS";
    if (m_journal->Ereignis_Schreiben(t, "Sperre", text))
        m_sperre_im_journal = grund;
}

// The controller stamps these with its monotonic count; the journal writes the time of day.
void Anwendung::Heizsperre_Ein(Zeitpunkt, Sperrgrund) { Sperre_Vermerken(jetzt()); }
void Anwendung::Heizsperre_Aus(Zeitpunkt) { Sperre_Vermerken(jetzt()); }

void Anwendung::Heizung_Ohne_Wirkung(Zeitpunkt, double von_grad, double bis_grad)
{
    char text[96];
    std::snprintf(text, sizeof text, "Heizung ohne Wirkung: %.2f -> %.2f", von_grad, bis_grad);
    m_journal->Ereignis_Schreiben(jetzt(), "Sperre", text);
    m_mqtt->Heizung_Ohne_Wirkung(von_grad, bis_grad);
}

void Anwendung::Sensorwarnung(Zeitpunkt, Warnungsgrund grund)
{
    m_journal->Ereignis_Schreiben(jetzt(), "Sperre",
                                  grund == Warnungsgrund::Heizsperre ? "Warnung: Heizsperre"
                                                                     : "Warnung: Heizung ohne Wirkung");
    m_mqtt->Sensorwarnung(grund);
}

} // namespace kw
