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

// The text of the second last asked for: a display asked ten times a second
// formats once a second.
class Zeittextspeicher {
public:
    using Format = std::string (*)(std::chrono::sys_seconds);
    explicit Zeittextspeicher(Format format) : m_format(format) {}
    const std::string& operator()(std::chrono::sys_seconds t)
    {
        if (t != m_zeit) {
            m_text = m_format(t);
            m_zeit = t;
        }
        return m_text;
    }

private:
    Format m_format;
    std::chrono::sys_seconds m_zeit = std::chrono::sys_seconds::min();   // never asked for
    std::string m_text;
};

} // namespace kw
