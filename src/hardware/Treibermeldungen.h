#pragma once
// What the output drivers have to tell the user. The screens implement it (message boxes, the USB alarm
// window); tests record it.

#include <string>

namespace kw {

class Treibermeldungen {
public:
    virtual ~Treibermeldungen() = default;
    // Numbered message of the current language, in a box with the given title ("" = program title).
    virtual void meldung(int nummer, const std::string& titel) = 0;
    // Fixed text (German, then English) for faults that have no numbered message.
    virtual void hinweis(const std::string& text) = 0;
    // A write to the USB relay board failed: show Alarm_USB without blocking.
    virtual void zeigeAlarmUSB() = 0;
};

} // namespace kw
