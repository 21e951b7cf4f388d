#pragma once
// Runs a step that must not block in a child process and waits a bounded time
// for it, so a step that hangs fails the test instead of hanging it.

#include <chrono>
#include <functional>
#include <thread>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace kw::test {

enum class Fristergebnis { Wahr, Falsch, Haengt };

inline Fristergebnis in_Frist(const std::function<bool()>& schritt,
                              std::chrono::milliseconds frist = std::chrono::seconds(5))
{
    const pid_t kind = ::fork();
    if (kind == 0)
        ::_exit(schritt() ? 0 : 1);
    const auto ende = std::chrono::steady_clock::now() + frist;
    int status = 0;
    while (::waitpid(kind, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > ende) {
            ::kill(kind, SIGKILL);
            ::waitpid(kind, &status, 0);
            return Fristergebnis::Haengt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? Fristergebnis::Wahr : Fristergebnis::Falsch;
}

} // namespace kw::test
