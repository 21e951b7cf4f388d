#pragma once
// Ausgaenge_Schreiben: stirrer switch-on delay, the output byte, and handing it to the relay device chosen
// by Schnittstelle.

#include "hardware/Ausgabegeraet.h"
#include "hardware/Gpio.h"
#include "hardware/Treibermeldungen.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kw {

// The eight output flags as the controller and manual mode leave them, 0 off, 1 on.
struct Ausgangsflags {
    short Aus_Heizung = 0;
    short Ruehrwerk_Ein = 0; // stirrer request; the output follows it with a 1 s delay
    short Aus_Kuehlung = 0;
    short Aus_Extra1 = 0;
    short Aus_Extra2 = 0;
    short Aus_Extra3 = 0;
    short Aus_Extra4 = 0;
    short Aus_Signal = 0;
};

// Settings in effect that decide where the byte goes.
struct Ausgabeeinstellungen {
    short Schnittstelle = 1;            // 1 LPT1, 2 LPT2, 3 LPT at LPT_Def_Adresse, 4 IO-Warrior, 5 Redlab (inert),
                                        // 6 GPIO, 7 USB HID relay board
    short Konfiguration_Bestaetigt = 0; // -1 after OK; a parallel port is first opened and written after it
    std::string LPT_Def_Adresse;        // hex digits without prefix, for interface 3
    Gpioeinstellungen gpio = {};        // for interface 6
};

inline constexpr short Schnittstelle_GPIO = 6;
inline constexpr short Schnittstelle_HID = 7;

// Bit 0 heating, 1 stirrer (Aus_Ruehrwerk, not the request), 2 cooling, 3..6 extras, 7 signal.
// Any non-zero flag counts as on.
std::uint8_t Ausgangsbyte_Berechnen(const Ausgangsflags& flags, short Aus_Ruehrwerk);

// Address text for interface 3: one to four hex digits, blanks around allowed; anything else is no address.
std::optional<std::uint16_t> Hexadresse_Lesen(const std::string& text);
// Port address for interfaces 1..3 (0x378, 0x278, the typed address); nullopt for no port.
std::optional<std::uint16_t> LPT_Adresse(short Schnittstelle, const std::string& LPT_Def_Adresse);

// Makes the real (or, in tests, fake) devices.
class Geraetequelle {
public:
    virtual ~Geraetequelle() = default;
    virtual std::unique_ptr<Ausgabegeraet> parallelport(std::uint16_t adresse) = 0;
    virtual Ausgabegeraet& iowarrior() = 0; // one board for the whole run
    // GPIO lines as set; nullptr where there are none (a new object for new settings).
    virtual std::unique_ptr<Ausgabegeraet> gpio(const Gpioeinstellungen&) { return nullptr; }
    // The USB HID relay board, one for the whole run; nullptr where there is none.
    virtual Ausgabegeraet* hidrelais() { return nullptr; }
    // End of every Ausgaenge_Schreiben pass, whether a byte went out or not (the output guard's keep-alive).
    virtual void takt() {}
};

class Ausgabe {
public:
    Ausgabe(Geraetequelle& quelle, Treibermeldungen& meldungen);
    ~Ausgabe(); // all off, devices closed
    Ausgabe(const Ausgabe&) = delete;
    Ausgabe& operator=(const Ausgabe&) = delete;

    // Last step of every controller tick.
    void Ausgaenge_Schreiben(const Ausgangsflags& flags, std::chrono::sys_seconds now,
                             const Ausgabeeinstellungen& einstellungen);

    // Results of the last pass (the main screen's stirrer lamps read Aus_Ruehrwerk).
    short Aus_Ruehrwerk() const { return m_Aus_Ruehrwerk; }
    std::uint8_t Ausgangsbyte() const { return m_Ausgangsbyte; }

    // IO-Warrior: at OK with interface 4, and at unload.
    void IOW_Oeffnen();
    void IOW_Schliessen();
    bool USB_Alarm() const;
    // USB HID relay board: at OK with interface 7.
    void HID_Oeffnen();
    // "OK" on Alarm_USB: clears the alarm; with interface 4 closes, reopens and re-reads the report size; with
    // interface 7 closes and reopens the HID board (it starts all off).
    void USB_Alarm_Quittieren(short Schnittstelle);

    // Every exit path: all relays off on every device written to in this run, whatever the settings now.
    void Alles_Aus();

private:
    Ausgabegeraet* parallelFuer(std::uint16_t adresse);
    Ausgabegeraet* gpioFuer(const Gpioeinstellungen& e);
    void vergessen(Ausgabegeraet* g);

    Geraetequelle& m_quelle;
    Treibermeldungen& m_meldungen;

    bool m_Ruehrwerk_Vorher = false;
    std::chrono::sys_seconds m_Ruehrwerk_Einschaltzeit{};
    short m_Aus_Ruehrwerk = 0;
    std::uint8_t m_Ausgangsbyte = 0;

    std::unique_ptr<Ausgabegeraet> m_parallel;
    std::uint16_t m_parallelAdresse = 0;
    bool m_parallelGescheitert = false; // open failed: retried at the next OK only
    bool m_adresseGemeldet = false;     // invalid address told once per OK
    std::unique_ptr<Ausgabegeraet> m_gpio;
    Gpioeinstellungen m_gpioEinstellungen;
    bool m_gpioGescheitert = false; // request failed: retried at the next OK only
    bool m_warBestaetigt = false;
    Ausgabegeraet* m_aktiv = nullptr;           // device that got the last byte
    Ausgabegeraet* m_bestaetigtesZiel = nullptr; // device written to while the configuration was confirmed
};

} // namespace kw
