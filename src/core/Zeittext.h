#pragma once
// Date-time texts of the main screen, in local time, to the whole second.

#include <chrono>
#include <string>

namespace kw {

// "08.12.2026 14:05:09"
std::string Datum_Zeit_Text(std::chrono::sys_seconds t);
// "14:05:09"
std::string Uhrzeit_Text(std::chrono::sys_seconds t);
// Remaining time as hours:minutes:seconds, "1:04:59"; hours are not cut at 24,
// and a time already run out shows "0:00:00".
std::string Dauer_Text(std::chrono::seconds d);

} // namespace kw
