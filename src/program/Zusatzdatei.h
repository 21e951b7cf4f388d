#pragma once
// "Kesselwerk.ini" in the program folder: the settings that the 17-line
// configuration file does not hold (GPIO lines, 1-Wire sensor, USB HID relay
// board, MQTT, kettle model), one INI section per subsystem.
//
// Each subsystem reads its own section and changes only its own section: a
// change loads the file as it is on disk, applies the change and writes the
// whole file aside and renames it (owner-only, since it may hold a password),
// so the other sections and anything written by hand come out untouched.

#include "program/Profildatei.h"
#include <functional>
#include <string>

namespace kw {

inline constexpr const char* Zusatzdatei_Name = "Kesselwerk.ini";

// "<ordner>/Kesselwerk.ini".
std::string Zusatzdatei_Pfad(const std::string& ordner);

struct Zusatzdatei_Bericht {
    bool vorhanden = false; // false: no file yet (every section takes its defaults, no message)
    std::string fehler;     // not empty: the file exists but could not be read (said to the brewer)
};

// Reads the file (at most 1 MiB, never a pipe or a device). A missing file is an
// empty document; an unreadable one too, with the reason in the report.
Profildatei Zusatzdatei_Lesen(const std::string& ordner, Zusatzdatei_Bericht* bericht = nullptr);

// Loads the file, lets `aendern` change it and writes it back atomically with
// mode 0600. A file that exists but cannot be read is not overwritten (its
// settings would be lost): false with the reason. False and the reason in
// *fehler when the write failed; the old file is then intact.
bool Zusatzdatei_Aendern(const std::string& ordner, const std::function<void(Profildatei&)>& aendern,
                         std::string* fehler = nullptr);

} // namespace kw
