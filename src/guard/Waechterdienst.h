#pragma once
// The guard's work: holds the relay devices, does what the program asks, and switches all off when the
// program is gone (its end of the socket closed) or silent for waechter::Stille.

#include "hardware/Ausgangsbyte.h"
#include "hardware/Treibermeldungen.h"
#include "hardware/Waechterprotokoll.h"

#include <chrono>
#include <map>
#include <memory>
#include <vector>

namespace kw {

class Waechterdienst final : public Treibermeldungen {
public:
    // `fd`: the socket to the program; `signalFd`: a signalfd for the signals that end the guard (-1: none).
    Waechterdienst(int fd, int signalFd);
    ~Waechterdienst() override;

    // The devices: the real ones, or the test device.
    void geraeteSetzen(std::unique_ptr<Geraetequelle> quelle) { m_quelle = std::move(quelle); }

    // Runs until the program ends it, goes away or a signal comes. Returns the exit code.
    int lauf();

    // --- Treibermeldungen: collected and sent before the next answer ---
    void meldung(int nummer, const std::string& titel) override;
    void hinweis(const std::string& text) override;
    void zeigeAlarmUSB() override;

private:
    using Clock = std::chrono::steady_clock;
    // Handles one request; false when the guard is to end.
    bool bearbeiten(const waechter::Nachricht& n);
    void antworten(std::uint8_t geraet, bool ergebnis);
    Ausgabegeraet* geraet(std::uint8_t id);
    void allesAus();
    void allesSchliessen();
    bool haeltEtwas();

    int m_fd;
    int m_signalFd;
    std::unique_ptr<Geraetequelle> m_quelle;
    std::map<std::uint8_t, std::unique_ptr<Ausgabegeraet>> m_ports; // parallel ports by the program's number
    std::map<std::uint8_t, std::uint16_t> m_portAdressen;
    std::map<std::uint8_t, Gpioeinstellungen> m_gpioEinstellungen; // GPIO objects among m_ports
    std::vector<waechter::Nachricht> m_notizen;
    bool m_verbindungWeg = false;
    bool m_aus = false;            // switched off for silence
    Clock::time_point m_ausSeit{};
};

} // namespace kw
