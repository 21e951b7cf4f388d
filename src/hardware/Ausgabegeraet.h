#pragma once
// One relay device that takes the output byte.

#include <cstdint>

namespace kw {

class Ausgabegeraet {
public:
    virtual ~Ausgabegeraet() = default;
    // Makes the device ready; false (and the user told) when it cannot be had.
    virtual bool oeffnen() = 0;
    // Puts the byte on the relays (bit 0 heating ... bit 7 signal, 1 = on). Never throws.
    virtual void schreibe(std::uint8_t byte) = 0;
    // Gives the device up. The relays keep what they show, so callers switch off first where wanted.
    virtual void schliessen() = 0;
    virtual bool istOffen() const = 0;

    // All relays off, also past a pending alarm (exit paths).
    virtual void allesAus() { schreibe(0); }
    // A failed write that blocks further writes until acknowledged (USB only).
    virtual bool alarm() const { return false; }
    virtual void alarmLoeschen() {}
};

} // namespace kw
