#include "screens/Vorhersageanzeige.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QHBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include "core/Zeittext.h"
#include "journal/Journalformat.h"
#include "program/Zahlen.h"
#include "screens/Anwendung.h"

namespace kw {

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }
}

Vorhersageanzeige::Vorhersageanzeige(Anwendung& a, QWidget* parent) : QWidget(parent), app(a)
{
    setObjectName(QStringLiteral("Vorhersage"));
    // One line: the caption, then the field.
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    m_titel = new QLabel;
    m_titel->setObjectName(QStringLiteral("Vorhersage_Titel"));
    m_titel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_feld = new QLineEdit;
    m_feld->setObjectName(QStringLiteral("Anzeige_Vorhersage"));
    m_feld->setReadOnly(true);
    m_feld->setFocusPolicy(Qt::NoFocus);
    m_feld->setAlignment(Qt::AlignCenter);
    m_feld->setMinimumWidth(110);
    // Bold in the plain size: one line more under the times must still fit a 480-pixel display.
    QFont f = m_feld->font();
    f.setBold(true);
    m_feld->setFont(f);
    QPalette pal = m_feld->palette();
    pal.setColor(QPalette::Base, QColor(255, 255, 225));
    m_feld->setPalette(pal);
    l->addWidget(m_titel, 1);
    l->addWidget(m_feld);

    // One computation at a time: a dry run is short, and the machine has few cores.
    m_pool.setMaxThreadCount(1);
    connect(&m_watcher, &QFutureWatcher<Antwort>::finished, this, &Vorhersageanzeige::fertig);
    m_takt = new QTimer(this);
    m_takt->setInterval(250);
    connect(m_takt, &QTimer::timeout, this, &Vorhersageanzeige::pruefen);
    connect(&app, &Anwendung::spracheGeaendert, this, &Vorhersageanzeige::Beschriften);
    m_takt->start();
    Beschriften();
}

Vorhersageanzeige::~Vorhersageanzeige()
{
    // The dry run sees the flag within a simulated second; the pool's end waits for that.
    m_abbruch->store(true);
    m_watcher.disconnect(this);
    m_pool.waitForDone();
}

void Vorhersageanzeige::Beschriften()
{
    m_titel->setText(q(app.texte.zusatz().Vorhersage_Titel));
    anzeigen();
}

void Vorhersageanzeige::pruefen()
{
    if (app.beendet())
        return;
    const Anlage& a = app.anlage;
    if (!a.Brauen_Gestartet) {
        if (m_lauf_aktiv) {
            // The run ended: whatever is still computing is of no use, and is told to stop
            // (a long program would keep a core of a small board busy for seconds).
            m_abbruch->store(true);
            m_abbruch = std::make_shared<std::atomic<bool>>(false);
            m_lauf_aktiv = false;
            m_wartend.reset();
            m_modell.reset();
            m_gezeigt.reset();
            m_phase = 0;
            ++m_nr;
            anzeigen();
        }
        return;
    }
    if (!m_lauf_aktiv) {
        m_lauf_aktiv = true;
        ++m_lauf;
        m_phase = 0;
        m_gezeigt.reset();
        anzeigen();
    }
    if (a.Ablaufschritt != 3)
        return;
    const Laufzeitpunkt jetzt = app.laufzeit();
    const bool phasenstart = a.Akt_Phase != m_phase || a.Startzeit_Phase != m_phase_start;
    if (!phasenstart && jetzt < m_naechste)
        return;
    m_phase = a.Akt_Phase;
    m_phase_start = a.Startzeit_Phase;
    m_naechste = jetzt + Abstand;
    anfragen(phasenstart);
}

void Vorhersageanzeige::anfragen(bool phasenstart)
{
    const Anlage& a = app.anlage;
    const auto ein = probelauf::Einstieg_Aus(a, app.anzeige, app.laufzeit());
    if (!ein)
        return;
    // A waiting phase start is not given up for a later update: it goes into the journal.
    if (!phasenstart && m_wartend && m_wartend->phasenstart)
        return;
    Anfrage r;
    r.nr = ++m_nr;
    ++m_anfragen;
    r.lauf = m_lauf;
    r.phasenstart = phasenstart;
    r.zeit = app.jetzt();
    r.programm = a.Programm;
    r.vorgaben.start_C = Text_Als_Double(app.anzeige.Anzeige_TempIst, a.Dezimaltrenner);
    r.vorgaben.gradient = a.Gradient_Ein == 1;
    r.vorgaben.dezimaltrenner = a.Dezimaltrenner;
    r.vorgaben.einstieg = ein;
    r.modell = m_modell;
    if (!m_modell) {
        r.ordner = a.Programmpfad;
        r.daten = app.brauDaten;
    }
    m_wartend = std::move(r);
    starten();
}

Vorhersageanzeige::Antwort Vorhersageanzeige::Rechnen(const Anfrage& r, const std::atomic<bool>* abbruch)
{
    Antwort w;
    w.nr = r.nr;
    w.lauf = r.lauf;
    w.phasenstart = r.phasenstart;
    w.phase = r.vorgaben.einstieg ? r.vorgaben.einstieg->phase : 0;
    w.zeit = r.zeit;
    w.modell = r.modell ? r.modell : std::make_shared<const modell::Modellstand>(modell::Modell_Ermitteln(r.ordner, r.daten));
    probelauf::Vorgaben v = r.vorgaben;
    v.kessel = w.modell->p;
    v.antwortzeit_s = w.modell->antwortzeit_s;
    v.abbruch = abbruch;
    w.h = probelauf::Vorhersagen(r.programm, v);
    w.abgebrochen = abbruch && abbruch->load();
    return w;
}

void Vorhersageanzeige::starten()
{
    if (!m_wartend || m_watcher.isRunning())
        return;
    // The request and the flag go along by value: the thread never touches this widget.
    auto abbruch = m_abbruch;
    m_watcher.setFuture(QtConcurrent::run(&m_pool, [r = std::move(*m_wartend), abbruch] {
        return Rechnen(r, abbruch.get());
    }));
    m_wartend.reset();
}

void Vorhersageanzeige::fertig()
{
    const QFuture<Antwort> f = m_watcher.future();
    if (f.resultCount() > 0) {
        const Antwort w = f.result();
        if (w.abgebrochen)
            ++m_abgebrochen;
        if (w.lauf == m_lauf && m_lauf_aktiv) {
            if (!m_modell)
                m_modell = w.modell;
            if (w.phasenstart && w.h.gerechnet && app.journal().offen()) {
                journal::Sudjournal& j = app.journal();
                const Zeitpunkt jetzt = app.jetzt();
                if (w.h.phase_endet)
                    j.Vorhersage_Schreiben(jetzt, w.phase, journal::Vorhersage_Phase,
                                           w.zeit + std::chrono::seconds(w.h.phase_rest_s));
                if (w.h.endet)
                    j.Vorhersage_Schreiben(jetzt, w.phase, journal::Vorhersage_Programm,
                                           w.zeit + std::chrono::seconds(w.h.rest_s));
                else
                    j.Vorhersage_Schreiben(jetzt, w.phase, journal::Vorhersage_Endlos, std::nullopt,
                                           "Phase " + std::to_string(w.h.endlos_phase) + ": " + w.h.grund);
            }
            // Only the newest request is shown.
            if (w.nr == m_nr && w.h.gerechnet) {
                m_gezeigt = w.h;
                m_ende = w.zeit + std::chrono::seconds(w.h.rest_s);
                anzeigen();
            }
            Q_EMIT aktualisiert();
        }
    }
    starten();
}

void Vorhersageanzeige::anzeigen()
{
    QString text, tipp;
    if (m_gezeigt) {
        const Zusatztexte& t = app.texte.zusatz();
        if (m_gezeigt->endet) {
            // The end to the minute; day and month only when it is not today ("09.12. 13:05").
            const std::string ende = Datum_Zeit_Text(m_ende);
            const std::string heute = Datum_Zeit_Text(app.jetzt());
            text = q(ende.substr(0, 10) == heute.substr(0, 10) ? ende.substr(11, 5)
                                                               : ende.substr(0, 6) + " " + ende.substr(11, 5));
        } else {
            text = q(t.Vorhersage_Endlos).arg(m_gezeigt->endlos_phase);
            tipp = q(m_gezeigt->grund);
        }
    }
    if (m_feld->text() != text)
        m_feld->setText(text);
    if (m_feld->toolTip() != tipp)
        m_feld->setToolTip(tipp);
}

} // namespace kw
