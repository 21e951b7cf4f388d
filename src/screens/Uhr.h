#pragma once
// Injected whole-second clock: the system clock in the program, a settable one in tests.

#include <chrono>

namespace kw {

class Uhr {
public:
    virtual ~Uhr() = default;
    virtual std::chrono::sys_seconds jetzt() const = 0;
};

class Systemuhr final : public Uhr {
public:
    std::chrono::sys_seconds jetzt() const override
    {
        return std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    }
};

class Stelluhr final : public Uhr {
public:
    explicit Stelluhr(std::chrono::sys_seconds start) : m_jetzt(start) {}
    std::chrono::sys_seconds jetzt() const override { return m_jetzt; }
    void stellen(std::chrono::sys_seconds t) { m_jetzt = t; }
    void vor(std::chrono::seconds d) { m_jetzt += d; }

private:
    std::chrono::sys_seconds m_jetzt;
};

} // namespace kw
