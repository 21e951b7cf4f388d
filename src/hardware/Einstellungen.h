#pragma once
// The widget-free part of the settings screen HardwareAbfrage: filling it from the file, taking its values at
// OK, and the settings that OK carries to the main screen.

#include "hardware/Konfiguration.h"

#include <array>
#include <optional>
#include <string>

namespace kw {

// What the screen shows: texts as typed, and the selected option of each group (0 = none selected).
struct Dialogstand {
    std::string NameDigitemp = "Text1";
    std::string NameLogFile = "Text1";
    std::string LPT_DEF;
    std::array<std::string, 8> Conf_Extra = Konfiguration{}.Conf_Extra; // Conf_Extra1_Ein .. Conf_Extra4_Aus
    short Auswahl_Schnittstelle = 1; // 1 Auswahl_LPT1, 2 Auswahl_LPT2, 3 Auswahl_LPT_Def, 4 Auswahl_USB, 5 Auswahl_USBMeilhaus,
                                     // 6 Auswahl_GPIO, 7 Auswahl_HID
    short Auswahl_COM = 1;           // 1..4 Auswahl_COM1..Auswahl_COM4
    short Auswahl_Signal = 1;        // 1 Conf_Signal_Blink, 2 Conf_Signal_Dauer
    short Auswahl_Gradient = 2;      // 1 Conf_Grad_Ein, 2 Conf_Grad_Aus
    short Auswahl_Sprache = 1;       // 1..8 Sprache1..Sprache8
};

// Effects of loading that act at once, as a click on the option would.
struct Ladewirkung {
    std::optional<short> Schnittstelle; // set when an interface option became selected
    short Sprachnummer = 1;             // always switched (an unknown value gives German)
};

// Konfiguration_Laden on data: fills the dialog from the file's values. Out-of-range interface, COM, signal and
// gradient values leave their options as they were.
Ladewirkung Konfiguration_Laden(const Konfiguration& k, Dialogstand& d);

// Konfiguration_Uebernehmen steps 1 to 6: the values to write. Line 6 comes from `bisher`, and so do signal,
// gradient and language when none of their options is selected.
Konfiguration Konfiguration_Uebernehmen(const Dialogstand& d, const Konfiguration& bisher);

// What Einstellungen_Anwenden carries to the main screen.
struct Hauptbildeinstellungen {
    std::array<std::string, 4> Man_Extra;    // button captions: the "Ein" texts
    std::array<std::string, 4> Extra_Lampen; // labels under the lamps: the "Ein" texts without their last 3 characters
    short Signal_Dauer = 0;                  // 0 pulsing (button shows Text_Signal_Aus), 1 steady (Text_Signal_Ein)
    short Gradient_Ein = 0;                  // 1 on (button shows Text_Grad_Aus), 0 off (Text_Grad_Ein)
};
Hauptbildeinstellungen Einstellungen_Anwenden(const Dialogstand& d);

// "Extra1 Ein" -> "Extra1 ": drops the last three characters (not bytes); a text shorter than that stays whole.
std::string Lampentext(const std::string& einText);

} // namespace kw
