#pragma once
// Injected whole-second clock: the system clock in the program, a settable one in tests.
// It tells two times: the wall clock (dates and times shown and written) and a
// monotonic count that measures every time of the run; a step of the wall clock
// (time synchronisation, a change by hand) leaves the count alone.

#include <chrono>

#include <time.h>

namespace kw {

class Uhr {
public:
    using Laufzeit = std::chrono::time_point<std::chrono::steady_clock, std::chrono::seconds>;

    virtual ~Uhr() = default;
    virtual std::chrono::sys_seconds jetzt() const = 0;
    // A clock that never steps may count on its wall time.
    virtual Laufzeit laufzeit() const { return Laufzeit{jetzt().time_since_epoch()}; }
};

class Systemuhr final : public Uhr {
public:
    std::chrono::sys_seconds jetzt() const override
    {
        return std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    }
    // CLOCK_BOOTTIME goes on while the machine sleeps (steady_clock stops), so a
    // rest and a call time run on through a suspend, as the mash does.
    Laufzeit laufzeit() const override
    {
#ifdef CLOCK_BOOTTIME
        timespec ts{};
        if (clock_gettime(CLOCK_BOOTTIME, &ts) == 0)
            return Laufzeit{std::chrono::seconds{ts.tv_sec}};
#endif
        return std::chrono::floor<std::chrono::seconds>(std::chrono::steady_clock::now());
    }
};

class Stelluhr final : public Uhr {
public:
    explicit Stelluhr(std::chrono::sys_seconds start)
        : m_jetzt(start), m_lauf(start.time_since_epoch())
    {
    }
    std::chrono::sys_seconds jetzt() const override { return m_jetzt; }
    Laufzeit laufzeit() const override { return m_lauf; }
    // Both clocks move together, as time passing does.
    void stellen(std::chrono::sys_seconds t)
    {
        m_lauf += t - m_jetzt;
        m_jetzt = t;
    }
    void vor(std::chrono::seconds d)
    {
        m_jetzt += d;
        m_lauf += d;
    }
    // A step of the wall clock alone, as time synchronisation or a change by hand makes it.
    void verstellen(std::chrono::seconds schritt) { m_jetzt += schritt; }

private:
    std::chrono::sys_seconds m_jetzt;
    Laufzeit m_lauf;
};

} // namespace kw
