#include "core/Zeittext.h"

#include <cstdio>
#include <ctime>

namespace kw {

namespace {

std::tm ortszeit(std::chrono::sys_seconds t)
{
    const std::time_t s = static_cast<std::time_t>(t.time_since_epoch().count());
    std::tm tm{};
    localtime_r(&s, &tm);
    return tm;
}

} // namespace

std::string Datum_Zeit_Text(std::chrono::sys_seconds t)
{
    const std::tm tm = ortszeit(t);
    char puffer[40];
    std::snprintf(puffer, sizeof puffer, "%02d.%02d.%04d %02d:%02d:%02d", tm.tm_mday,
                  tm.tm_mon + 1, tm.tm_year + 1900, tm.tm_hour, tm.tm_min, tm.tm_sec);
    return puffer;
}

std::string Uhrzeit_Text(std::chrono::sys_seconds t)
{
    const std::tm tm = ortszeit(t);
    char puffer[16];
    std::snprintf(puffer, sizeof puffer, "%02d:%02d:%02d", tm.tm_hour, tm.tm_min, tm.tm_sec);
    return puffer;
}

std::string Dauer_Text(std::chrono::seconds d)
{
    long long s = d.count();
    if (s < 0)
        s = 0;
    char puffer[32];
    std::snprintf(puffer, sizeof puffer, "%lld:%02lld:%02lld", s / 3600, (s / 60) % 60, s % 60);
    return puffer;
}

} // namespace kw
