#pragma once
// The messages between the program and its output guard (kesselwerk-waechter).
//
// Transport: an AF_UNIX SOCK_SEQPACKET socket pair; the guard inherits its end as fd 3 (--fd N).
// One datagram is one message: byte 0 the type, byte 1 the device, then the type's payload.
// Numbers are little-endian. Both ends run on the same machine from the same build.
//
// Devices: 0 the IO-Warrior board, 0xFE the USB HID relay board, 1..0xFD a parallel port or a set of GPIO lines
// (the program numbers each such object it makes).
//
// Program -> guard (each answered by zero or more notices and then exactly one Antwort):
//   Oeffnen        device; for a parallel port: uint16 base address. The guard writes all-off once it holds it.
//   OeffnenGpio    device, uint8 active-low, 8 x uint16 line offset (0xFFFF = not wired), the chip's name as text:
//                  the lines are requested with initial value off
//   Schreiben      device, uint8 byte (bit 0 heating ... bit 7 signal, 1 = on)
//   AllesAus       device (Alle = every device the guard holds), past a pending USB alarm
//   Schliessen     device (a parallel port writes 0 before it lets go, as in the program)
//   Vergessen      device: the program dropped the port object; the guard drops its device too
//   AlarmLoeschen  device: "OK" on Alarm_USB
//   Takt           keep-alive on a tick that wrote no byte
//   Ende           clean exit: all-off on every device, close them, answer, exit
//
// Guard -> program:
//   Hallo          once at start, uint8 protocol version
//   Meldung        uint16 message number, then the title text (Meldung 55 "Error")
//   Hinweis        text (German, newline, English)
//   AlarmUSB       a USB write failed: show Alarm_USB
//   AusGewesen     uint32 ms: the outputs were off this long because nothing came for `Stille`
//   Antwort        device, uint8 result (1 = ok), uint8 open, uint8 USB alarm pending
//
// Whatever happens to the program (crash, kill, OOM), its end of the socket closes: the guard writes all-off
// at once and exits. Nothing for `Stille` (1 s): all-off until the next message.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "hardware/Gpio.h"

namespace kw::waechter {

inline constexpr std::uint8_t Protokollversion = 2;
inline constexpr int Standard_Fd = 3;
inline constexpr std::size_t Max_Nachricht = 2048;
inline constexpr std::chrono::milliseconds Stille{1000}; // ten missed ticks

inline constexpr std::uint8_t IOWarrior_Geraet = 0;
inline constexpr std::uint8_t Hidrelais_Geraet = 0xFE;
inline constexpr std::uint8_t Letzte_Nummer = 0xFD; // highest number of a port or GPIO object
inline constexpr std::uint8_t Alle = 0xFF; // AllesAus on every device

enum class Typ : std::uint8_t {
    // program -> guard
    Oeffnen = 1,
    Schreiben = 2,
    AllesAus = 3,
    Schliessen = 4,
    Vergessen = 5,
    AlarmLoeschen = 6,
    Takt = 7,
    Ende = 8,
    OeffnenGpio = 9,
    // guard -> program
    Hallo = 64,
    Meldung = 65,
    Hinweis = 66,
    AlarmUSB = 67,
    AusGewesen = 68,
    Antwort = 69,
};

struct Nachricht {
    Typ typ{};
    std::uint8_t geraet = 0;
    std::vector<std::uint8_t> nutzlast;

    static Nachricht mit(Typ typ, std::uint8_t geraet = 0) { return {typ, geraet, {}}; }
    Nachricht& u8(std::uint8_t v);
    Nachricht& u16(std::uint16_t v);
    Nachricht& u32(std::uint32_t v);
    Nachricht& text(const std::string& t);

    // Payload readers; nullopt when the payload is too short.
    std::optional<std::uint8_t> u8_bei(std::size_t stelle) const;
    std::optional<std::uint16_t> u16_bei(std::size_t stelle) const;
    std::optional<std::uint32_t> u32_bei(std::size_t stelle) const;
    std::string text_ab(std::size_t stelle) const;

    std::vector<std::uint8_t> kodieren() const;
    // nullopt for fewer than two bytes.
    static std::optional<Nachricht> dekodieren(const std::uint8_t* daten, std::size_t laenge);
};

// The GPIO settings as OeffnenGpio carries them, and back.
Nachricht Gpio_Nachricht(std::uint8_t geraet, const Gpioeinstellungen& e);
std::optional<Gpioeinstellungen> Gpio_Lesen(const Nachricht& n);

// One whole message on a SEQPACKET socket, never raising SIGPIPE. False when the peer is gone.
bool senden(int fd, const Nachricht& n);

// Result of waiting for one message.
enum class Empfang { Nachricht, Zeitueberschreitung, Geschlossen };
// Waits up to `frist` (negative: no limit) for one message.
Empfang empfangen(int fd, std::chrono::milliseconds frist, Nachricht& n);

} // namespace kw::waechter
