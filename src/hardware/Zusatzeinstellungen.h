#pragma once
// The settings of the newer devices in Kesselwerk.ini: the output interface when it is GPIO or the USB HID relay
// board, the GPIO lines, and the 1-Wire sensor. Read and written through accessors of the INI file, so this
// library needs no file code of its own.
//
//   [Ausgabe]  Schnittstelle=6 (GPIO) or 7 (USB HID relay board); the 17-line file then holds 5
//   [GPIO]     Chip=pinctrl-bcm2711   Aktiv=niedrig|hoch   Heizung=17 Ruehrwerk=27 ... Signal=  (empty: not wired)
//   [1-Wire]   Quelle=DigiTemp|1-Wire   Sensor=28-0316a2794bff

#include "hardware/Gpio.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kw {

struct Einwireeinstellungen {
    bool aktiv = false;  // the 1-Wire reader instead of DigiTemp
    std::string sensor;  // folder name under the devices folder ("28-0316a2794bff")
    bool operator==(const Einwireeinstellungen&) const = default;
};

struct Zusatzeinstellungen {
    short Schnittstelle = 0; // 6 or 7; 0: line 3 of the 17-line file says it alone
    Gpioeinstellungen gpio;
    Einwireeinstellungen einwire;
    bool operator==(const Zusatzeinstellungen&) const = default;
};

using Iniwert = std::function<std::string(std::string_view abschnitt, std::string_view schluessel)>;
using Inisetzen = std::function<void(std::string_view abschnitt, std::string_view schluessel, std::string_view wert)>;

// Values that make no sense take their defaults, each told in *fehler (German, newline, English).
Zusatzeinstellungen Zusatzeinstellungen_Lesen(const Iniwert& wert, std::vector<std::string>* fehler = nullptr);
void Zusatzeinstellungen_Schreiben(const Zusatzeinstellungen& z, const Inisetzen& setzen);

// The 17-line file keeps values an earlier version knows: GPIO and the HID board are written there as 5 (the
// driverless option, which drives nothing), the choice itself goes to Kesselwerk.ini.
std::string Zeile3_Fuer(short Schnittstelle);
// The interface in effect: the ini's 6 or 7 only while line 3 still holds the 5 written with it (an earlier
// version that chose anew wrote another number, which then holds).
short Schnittstelle_Wirksam(int zeile3, short zusatz);

// Line offset as typed: blank is "not wired"; nullopt in *gueltig=false for anything but a plain number.
std::optional<std::uint32_t> Leitung_Lesen(const std::string& text, bool* gueltig);

} // namespace kw
