#pragma once
// Last-ditch all-off for the ways out that run no normal code: fatal signals, signals whose default ends the
// process, std::terminate and exit() called from inside a library (Qt's xcb and wayland platforms call exit()
// when the display connection is lost).
//
// The drivers enter each relay device they hold, with the all-off write prepared in advance; a handler then
// makes one async-signal-safe system call per device and carries on with the default action. Signal
// handlers cannot reach any object, so the entries live in static storage: the program's one emergency slot.

#include <cstddef>
#include <cstdint>

namespace kw::notaus {

enum class Art : int {
    Parallelport, // ioctl(PPWDATA, 0)
    Bericht,      // write() of the prepared bytes (IO-Warrior all-off report)
    Testzeile,    // "<Unix time in ms> 0\n" appended to the test device
    Gpio,         // ioctl(GPIO_V2_LINE_SET_VALUES) with bits 0; the data: the 64-bit line mask, little-endian
    Merkmal,      // ioctl(HIDIOCSFEATURE) of the prepared report (USB HID relay board, all off)
};

inline constexpr std::size_t Max_Daten = 16;
inline constexpr std::size_t Max_Eintraege = 12; // a GPIO board may hold one fd per line

// Enters (or updates) the device on fd. Called on the driver's thread only. False when the slot is full.
bool eintragen(int fd, Art art, const std::uint8_t* daten = nullptr, std::size_t laenge = 0);
// The fd is about to be closed.
void austragen(int fd);
// Number of devices entered (tests).
std::size_t anzahl();

// Writes all-off to every device entered. Async-signal-safe; keeps errno.
void ausloesen() noexcept;

// Handlers for SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGQUIT, SIGUSR1, SIGUSR2, SIGPIPE, SIGALRM, SIGXCPU
// (all-off, then the default action), a std::terminate handler and an exit() hook. False when one could not be
// installed. SIGTERM, SIGINT and SIGHUP are left to the caller (they end the program the clean way).
bool installieren();

} // namespace kw::notaus
