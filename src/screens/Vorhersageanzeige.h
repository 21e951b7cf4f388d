#pragma once
// The main screen's predicted end of the running program: a caption and a field
// like the phase's times. At each phase start and every minute it takes the
// running phase as it stands and lets the dry run compute the rest on the kettle
// model, on a thread of its own: the tick never waits for it. A result that is
// no longer wanted (a newer request, the run ended) is dropped; at a phase start
// the prediction also goes into the brew journal.

#include <QFutureWatcher>
#include <QThreadPool>
#include <QWidget>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

#include "core/Anlage.h"
#include "model/Modellwissen.h"
#include "probelauf/Vorhersage.h"

class QLabel;
class QLineEdit;
class QTimer;

namespace kw {

class Anwendung;

class Vorhersageanzeige : public QWidget {
    Q_OBJECT
public:
    // Between two updates of a running phase.
    static constexpr std::chrono::seconds Abstand{60};

    explicit Vorhersageanzeige(Anwendung& app, QWidget* parent = nullptr);
    // A computation still running is cancelled; it ends within milliseconds.
    ~Vorhersageanzeige() override;

    // The state of the run is looked at (the timer does this four times a second).
    void pruefen();
    bool rechnet() const { return m_watcher.isRunning(); }
    // Requests made so far (each gives one aktualisiert() unless its run ended first).
    std::uint64_t anfragen() const { return m_anfragen; }
    // Computations that came back cancelled (the run had ended).
    std::uint64_t abgebrochen() const { return m_abgebrochen; }
    // The last prediction shown, for the run going (none: no run, or not yet computed).
    const std::optional<probelauf::Vorhersage>& vorhersage() const { return m_gezeigt; }
    QLineEdit* feld() const { return m_feld; }

    // What a request computes; public for the tests.
    struct Anfrage {
        std::uint64_t nr = 0, lauf = 0;
        bool phasenstart = false;
        Zeitpunkt zeit{};                      // wall clock at the request: the result counts from it
        Maischprogramm programm;
        probelauf::Vorgaben vorgaben;
        std::shared_ptr<const modell::Modellstand> modell;   // none: learned first (once per run)
        std::string ordner;
        BrauDaten daten;
    };
    struct Antwort {
        std::uint64_t nr = 0, lauf = 0;
        bool phasenstart = false;
        int phase = 0;
        Zeitpunkt zeit{};
        probelauf::Vorhersage h;
        std::shared_ptr<const modell::Modellstand> modell;
        bool abgebrochen = false;
    };
    static Antwort Rechnen(const Anfrage& a, const std::atomic<bool>* abbruch);

Q_SIGNALS:
    // A result was taken (shown, and at a phase start written); for the tests.
    void aktualisiert();

private:
    void anfragen(bool phasenstart);
    void starten();
    void fertig();
    void anzeigen();
    void Beschriften();

    Anwendung& app;
    QLabel* m_titel = nullptr;
    QLineEdit* m_feld = nullptr;
    QTimer* m_takt = nullptr;

    std::uint64_t m_lauf = 0;                  // counts the runs seen
    bool m_lauf_aktiv = false;
    int m_phase = 0;                           // phase start last seen
    Laufzeitpunkt m_phase_start{};
    Laufzeitpunkt m_naechste{};                // next update of the running phase
    std::uint64_t m_nr = 0;                    // the newest request
    std::uint64_t m_anfragen = 0;
    std::uint64_t m_abgebrochen = 0;
    std::optional<Anfrage> m_wartend;          // to start once the running one is done
    std::shared_ptr<const modell::Modellstand> m_modell;   // this run's model
    std::optional<probelauf::Vorhersage> m_gezeigt;
    Zeitpunkt m_ende{};                        // the program end shown
    std::shared_ptr<std::atomic<bool>> m_abbruch = std::make_shared<std::atomic<bool>>(false);
    QThreadPool m_pool;
    QFutureWatcher<Antwort> m_watcher;
};

} // namespace kw
