#pragma once
// Texts of the settings for GPIO lines, the USB HID relay board and the 1-Wire sensor, per language.
// Placeholders %1, %2 are filled in by the screens.
#include <array>
#include <string>

#include "texts/Texte.h"

namespace kw {

struct Geraetetexte {
    std::string GPIO_Einstellen;   // button beside the GPIO option
    std::string Tipp_GPIO;
    std::string Tipp_HID;
    std::string Gpio_Titel;        // dialog caption
    std::string Chip;              // label of the chip field
    std::string Gefundene_Chips;
    std::string Keine_Chips;
    std::string Chipzeile;         // %1 name, %2 label, %3 lines, %4 highest offset
    std::string Leitung_Hinweis;
    std::string Aktiv_Niedrig, Aktiv_Hoch;
    std::array<std::string, 8> Ausgaenge; // heating ... signal
    std::string Leitung_Fehlt;     // %1 offset: not on the chosen chip
    std::string Abbrechen;
    std::string Sensorquelle;      // frame of the sensor source
    std::string Quelle_DigiTemp, Quelle_Einwire;
    std::string Sensor_Waehlen;    // button
    std::string Einwire_Titel;
    std::string Keine_Sensoren;    // %1 folder
    std::string Kein_Wert;
    std::string Neu_Lesen;
    std::string Sensor_Fehlt;      // status line: no sensor chosen
    std::string Ini_Fehler;        // %1 reasons: Kesselwerk.ini unreadable or with bad values
};

const Geraetetexte& Geraetetexte_Fuer(Sprache sprache);

} // namespace kw
