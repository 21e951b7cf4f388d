#pragma once
// USB relay board "USB RK10-05USBV1 " on an IO-Warrior chip, through the kernel's iowarrior nodes.

#include "hardware/Ausgabegeraet.h"
#include "hardware/Systemaufrufe.h"
#include "hardware/Treibermeldungen.h"

#include <array>
#include <cstdint>
#include <string>

namespace kw {

// Report size (with the report ID byte) for a product ID; other IDs keep the size as it was.
short Berichtsgroesse_Fuer(std::uint32_t produkt, short bisher);

class IOWarrior final : public Ausgabegeraet {
public:
    IOWarrior(Systemaufrufe sys, Treibermeldungen& meldungen);
    ~IOWarrior() override; // closes; switching off is the owner's part (Ausgabe::Alles_Aus)

    // Keeps the first interface-0 node open and reads the report size; Meldung 55 ("Error") when none.
    bool IOW_Oeffnen();
    // Nothing while the alarm is pending; a short or failed write raises it (Alarm_USB).
    void IOW_Schreiben(std::uint8_t IOW_Ausgangsbyte);
    void IOW_Schliessen();

    bool oeffnen() override { return IOW_Oeffnen(); }
    void schreibe(std::uint8_t byte) override { IOW_Schreiben(byte); }
    void schliessen() override { IOW_Schliessen(); }
    bool istOffen() const override { return m_fd >= 0; }
    // Byte 0 (port 0 all high), also past a pending alarm; raises no alarm.
    void allesAus() override;
    bool alarm() const override { return m_USB_Alarm; }
    void alarmLoeschen() override { m_USB_Alarm = false; }

    // Asks the chip for its product ID and maps it to IOW_Berichtsgroesse_Wert.
    void IOW_Berichtsgroesse();

    short IOW_Berichtsgroesse_Wert() const { return m_Berichtsgroesse; }
    int IOW_Geraeteanzahl() const { return m_Geraeteanzahl; }
    const std::array<std::uint8_t, 9>& IOW_Bericht() const { return m_Bericht; }
    const std::string& geraet() const { return m_geraet; }

private:
    void berichtFuellen(std::uint8_t byte);
    bool berichtSenden(); // true when the whole report went out (or there was nothing to send)

    Systemaufrufe m_sys;
    Treibermeldungen& m_meldungen;
    int m_fd = -1;
    std::string m_geraet;
    int m_Geraeteanzahl = 0;
    short m_Berichtsgroesse = 0; // 0 until known, then 3, 5 or 8
    std::array<std::uint8_t, 9> m_Bericht{};
    bool m_USB_Alarm = false;
    short m_notausGroesse = 0; // report size entered in the emergency slot, 0 = none
};

} // namespace kw
