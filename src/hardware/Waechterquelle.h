#pragma once
// The program's side of the output guard: the relay devices of Ausgaenge_Schreiben, driven through the guard
// process (kesselwerk-waechter), which owns the real device and switches all off when the program dies or
// stops ticking. When the guard cannot be had, the devices are driven directly, as without it.

#include "hardware/Ausgangsbyte.h"
#include "hardware/Treibermeldungen.h"
#include "hardware/Waechterprotokoll.h"

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <sys/types.h>
#include <vector>

namespace kw {

// What happens to the guard, for the user and for the brew journal.
class Waechterereignisse {
public:
    virtual ~Waechterereignisse() = default;
    // The guard had ended (killed, crashed); it runs again and the outputs follow again.
    virtual void waechterNeuGestartet() = 0;
    // No guard from now on (it cannot be started, or keeps ending); the outputs are driven directly.
    virtual void waechterNichtVerfuegbar(const std::string& grund) = 0;
    // The program had not ticked for a second: the guard held every output off this long. Once per gap.
    virtual void ausgaengeWarenAus(std::chrono::milliseconds dauer) = 0;
};

// Which guard program to start. `fehler` is set when none can be: it names the file found and why it
// cannot run, or, when there is none at all, where it was looked for.
struct Waechterfund {
    std::string pfad;
    std::string fehler;
};

// The guard in `programmordner` when it can be run there, else `installiert` when that exists.
Waechterfund Waechterprogramm_Suchen(const std::string& programmordner, const std::string& installiert);
// The same for the running executable's folder and the installed guard (libexec).
Waechterfund Waechterprogramm_Finden();

// One guard process and its socket.
class Waechterverbindung {
public:
    Waechterverbindung() = default;
    ~Waechterverbindung(); // ends it cleanly
    Waechterverbindung(const Waechterverbindung&) = delete;
    Waechterverbindung& operator=(const Waechterverbindung&) = delete;

    // Starts the guard and waits for its greeting. False with *fehler set when it cannot be had.
    bool starten(const std::string& programm, const std::vector<std::string>& argumente, std::string* fehler);
    // Sends one request and waits for its answer; the notices before it go to `notiz`. nullopt when the guard
    // is gone or does not answer in time: it is then killed and reaped.
    std::optional<waechter::Nachricht> anfrage(const waechter::Nachricht& n,
                                               const std::function<void(const waechter::Nachricht&)>& notiz);
    // Clean end: "Ende" (all off), then waits a bounded time for the process and reaps it.
    void beenden();
    // SIGKILL and reap.
    void abschiessen();
    // Whether the guard's end of the socket is still there, seen without waking it.
    bool erreichbar() const;
    bool laeuft() const { return m_pid > 0; }
    pid_t pid() const { return m_pid; }

    // Longest wait for an answer; a USB write may take the kernel up to 5 s.
    static constexpr std::chrono::milliseconds Antwortfrist{6000};

private:
    void schliessen();
    int m_fd = -1;
    pid_t m_pid = -1;
};

class Waechtergeraet;

struct Waechterstart {
    std::string programm;   // path of kesselwerk-waechter; empty: Waechterprogramm_Finden()
    std::string testgeraet; // the guard (and the direct fallback) drive the test device instead
};

class Waechterquelle final : public Geraetequelle {
public:
    // Starts the guard at once; tells the user (Treibermeldungen via ereignisse) when it cannot.
    Waechterquelle(Treibermeldungen& meldungen, Waechterereignisse& ereignisse, Waechterstart start);
    ~Waechterquelle() override; // ends the guard (all off)

    std::unique_ptr<Ausgabegeraet> parallelport(std::uint16_t adresse) override;
    Ausgabegeraet& iowarrior() override;
    std::unique_ptr<Ausgabegeraet> gpio(const Gpioeinstellungen& e) override;
    Ausgabegeraet* hidrelais() override;
    // A keep-alive when this pass sent nothing and the guard holds a device (without one
    // it has nothing to switch off); notices a dead guard and starts it again.
    void takt() override;

    // Clean exit after the all-off: the guard switches everything off once more, closes and ends.
    void beenden();

    bool waechterAktiv() const { return m_betrieb == Betrieb::Waechter; }
    pid_t waechterPid() const { return m_verbindung.pid(); }

    // Guard restarts within this window before it is given up.
    static constexpr int Max_Neustarts = 3;
    static constexpr std::chrono::seconds Neustartfenster{30};

private:
    friend class Waechtergeraet;
    enum class Betrieb { Waechter, Direkt, Beendet };

    // A request to the guard; on a dead guard it restarts it (or falls back) and returns nullopt.
    std::optional<waechter::Nachricht> anfrage(const waechter::Nachricht& n);
    void notiz(const waechter::Nachricht& n);
    bool starten(std::string* fehler);
    void neustarten();
    void aufDirektUmstellen(const std::string& grund);
    std::uint8_t neueId();

    Treibermeldungen& m_meldungen;
    Waechterereignisse& m_ereignisse;
    Waechterstart m_start;
    std::unique_ptr<Geraetequelle> m_direkt; // real devices (or the test device) for the fallback
    Waechterverbindung m_verbindung;
    Betrieb m_betrieb = Betrieb::Waechter;
    bool m_gesendet = false; // a request went out since the last takt()
    std::deque<std::chrono::steady_clock::time_point> m_neustarts;
    std::set<Waechtergeraet*> m_geraete;
    std::uint8_t m_letzteId = 0;
    std::unique_ptr<Waechtergeraet> m_iowarrior;
    std::unique_ptr<Waechtergeraet> m_hidrelais;
};

// One relay device as the output stage sees it: a parallel port (with its address), the IO-Warrior board, a set
// of GPIO lines (with its settings) or the USB HID relay board.
class Waechtergeraet final : public Ausgabegeraet {
public:
    Waechtergeraet(Waechterquelle& quelle, std::uint8_t id, std::optional<std::uint16_t> adresse,
                   std::optional<Gpioeinstellungen> gpio = std::nullopt);
    ~Waechtergeraet() override;

    bool oeffnen() override;
    void schreibe(std::uint8_t byte) override;
    void schliessen() override;
    bool istOffen() const override;
    void allesAus() override;
    bool alarm() const override { return m_alarm; }
    void alarmLoeschen() override;

private:
    friend class Waechterquelle;
    // Guard side: the request for this device; a restarted guard has already reopened it.
    std::optional<waechter::Nachricht> anfrage(waechter::Typ typ, std::optional<std::uint8_t> byte = {});
    bool oeffnenImWaechter(); // without restarts (used right after one)
    void direktOeffnen();
    Ausgabegeraet* direkt();
    void uebernehmen(const waechter::Nachricht& antwort);

    Waechterquelle& m_quelle;
    std::uint8_t m_id;
    waechter::Nachricht oeffnenNachricht() const;
    std::optional<std::uint16_t> m_adresse; // nullopt (and no m_gpio): the board of id 0 or 0xFE
    std::optional<Gpioeinstellungen> m_gpio;
    bool m_soll = false;  // opened by the output stage and not closed since
    bool m_offen = false;
    bool m_alarm = false; // USB alarm pending: writes blocked until acknowledged
    std::unique_ptr<Ausgabegeraet> m_direktesLpt;
};

} // namespace kw
