#pragma once
// The brew journal: one file per brew in <program folder>/Sude, opened when a
// run starts. It begins with a snapshot of the mash program and the brew data,
// then records every event of the run (the controller reports them through
// Ereignisse) and a sample every 5 s, and ends with an end record on FERTIG,
// STOP or BEENDEN. A journal without an end record is a brew that was cut off.
//
// The controller tick calls vor_Tick() first (the previous tick's events are on
// disk by then) and nach_Tick() after the outputs are written.

#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <string>
#include <vector>

#include "aids/BrauDaten.h"
#include "core/Anlage.h"
#include "core/Anzeige.h"
#include "core/Ereignisse.h"
#include "journal/Journaldatei.h"
#include "journal/Journalformat.h"

namespace kw::journal {

// The output byte as the flags give it (bit 0 heating ... bit 7 signal), active high.
int Ausgangsbyte_Aus(const Anlage& a);

class Sudjournal : public Ereignisse {
public:
    using Uhr = std::function<Zeitpunkt()>;

    Sudjournal(const Anlage& anlage, const Anzeige& anzeige, const BrauDaten& daten, Uhr uhr,
               Journaldatei::Optionen optionen = {});
    ~Sudjournal() override;

    // <Programmpfad>/Sude
    std::string Ordner() const;

    void vor_Tick();
    // Every line so far on disk, samples too (for readers in the same process).
    void synchronisieren();
    // Alarm edges and the 5 s sample.
    void nach_Tick(Zeitpunkt now);

    // Records of other parts (output guard, heating interlock): `art` is the kind
    // column (a word, e.g. "Waechter"), `text` anything. Written only while a
    // journal is open; false otherwise.
    bool Ereignis_Schreiben(Zeitpunkt zeit, const std::string& art, const std::string& text);
    // The same with a key in the Feld column.
    bool Ereignis_Schreiben(Zeitpunkt zeit, const std::string& art, const std::string& feld, const std::string& text);

    // The predicted end made at the start of `phase`: `feld` Vorhersage_Phase or
    // Vorhersage_Programm with `ende`, or Vorhersage_Endlos with `grund`. Only while open.
    bool Vorhersage_Schreiben(Zeitpunkt zeit, int phase, std::string_view feld, std::optional<Zeitpunkt> ende,
                              const std::string& grund = {});

    // The next run continues this journal (after "Fortsetzen"): its start writes a
    // resume record and a fresh snapshot into the same file instead of a new file.
    void Fortsetzen_Vormerken(const std::string& pfad);
    const std::string& vorgemerkt() const { return m_vorgemerkt; }
    // "Verwerfen": appends the end record "VERWORFEN" to an unfinished journal.
    static bool Verwerfen(const std::string& pfad, Zeitpunkt zeit, std::string& fehler);

    // The program ends without the run ending (a signal, e.g. at shutdown): a record
    // "Unterbrochen" and the file closed without end record, so it is offered for resume.
    void Unterbrechen(Zeitpunkt zeit, const std::string& grund);

    // A run is being recorded.
    bool offen() const { return m_lauf; }
    const std::string& pfad() const { return m_pfad; }
    // The last journal that could not be opened, with the reason (empty: none).
    const std::string& fehler() const { return m_fehler; }
    // This run's journal could not be written at some moment (disk full, I/O error):
    // the first reason; empty while all went well. The writer keeps the records and
    // tries again, so the journal goes on when the disk recovers; the run goes on.
    const std::string& schreibfehler() const { return m_schreibfehler; }
    std::uint64_t verloren() const { return m_datei.verloren(); }
    // Event lines (snapshot included) handed to the writer since the program started.
    std::uint64_t ereignisse() const { return m_ereignisse; }

    // --- Ereignisse ---
    void Lauf_Start() override;
    void Pruefung_Abgelehnt(const std::vector<int>& meldungen) override;
    void Phase_Start(int phase) override;
    void Phase_Ende(int phase) override;
    void Lauf_Ende(Endeart art) override;
    void Ruf_Ausgeloest(int phase, const std::string& ruftext) override;
    void Ruf_Stumm() override;
    void Ruf_Quittiert() override;
    void Pause() override;
    void Pause_Freigabe() override;
    void Phase_Sprung(int richtung) override;
    void Zeit_Geaendert(int sekunden) override;
    void Soll_Geaendert(const std::string& temperatur) override;
    void Schalter(const std::string& name, bool ein) override;
    void Gradient(bool ein) override;
    void Signal(bool dauernd) override;
    void Alarm_Antwort(const std::string& knopf) override;

private:
    // A record filled with the moment's phase, temperatures and output byte.
    Zeile zeile(std::string_view art, Zeitpunkt zeit) const;
    void schreiben(const Zeile& z, bool ereignis = true);
    void Schnappschuss(Zeitpunkt zeit);
    void Phase_Schliessen(Zeitpunkt zeit, std::string_view wie);
    void Ende_Schreiben(std::string_view art);

    const Anlage& a;
    const Anzeige& z;
    const BrauDaten& daten;
    Uhr uhr;
    Journaldatei m_datei;
    std::string m_pfad;
    std::string m_fehler;
    std::string m_vorgemerkt;
    std::vector<Zeile> m_vorher;       // refusals before any journal was open
    Zeitpunkt m_naechste_probe{};
    int m_offene_phase = 0;            // phase started and not yet ended
    Zeitpunkt m_phase_beginn{};
    Zeitpunkt m_ruf_zeit{};
    bool m_ruf_offen = false;
    Zeitpunkt m_pause_zeit{};
    bool m_pause_offen = false;
    bool m_sensor_vorher = false;
    bool m_usb_vorher = false;
    std::string m_schreibfehler;
    std::uint64_t m_fehlerzahl_beginn = 0;   // the writer's failures before this run
    std::uint64_t m_ereignisse = 0;
    bool m_lauf = false;
};

} // namespace kw::journal
