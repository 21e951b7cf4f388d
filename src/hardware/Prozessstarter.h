#pragma once
// Starting an outside program without waiting for it. One process at a time.

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace kw {

class Prozessstarter {
public:
    virtual ~Prozessstarter() = default;
    // Starts `programm` (a path, or a name looked up on PATH) in `arbeitsverzeichnis` and returns at once.
    // False when it could not be started, or while the previous process still runs.
    virtual bool start(const std::string& programm, const std::vector<std::string>& argumente,
                       const std::string& arbeitsverzeichnis) = 0;
    // Never blocks; an ended process is reaped here.
    virtual bool isRunning() = 0;
    // Asks the running process and everything it started to end (SIGTERM); a further call forces it
    // (SIGKILL).
    virtual void kill() = 0;
};

// posix_spawn with stdin, stdout and stderr on /dev/null (the tool prints to the log, not to us), in a
// process group of its own, so that ending it also ends the children of a wrapper script. A process
// still running when this object goes is ended with its group (at most half a second's wait).
class PosixProzessstarter final : public Prozessstarter {
public:
    PosixProzessstarter() = default;
    PosixProzessstarter(const PosixProzessstarter&) = delete;
    PosixProzessstarter& operator=(const PosixProzessstarter&) = delete;
    ~PosixProzessstarter() override;

    bool start(const std::string& programm, const std::vector<std::string>& argumente,
               const std::string& arbeitsverzeichnis) override;
    bool isRunning() override;
    void kill() override;

    // Exit code of the last process that ended normally; nullopt after a signal or before any ended.
    std::optional<int> letzterExitcode() const { return m_exitcode; }
    // Process id of the running process, which is also its group's id; -1 when none runs.
    pid_t pid() const { return m_pid; }

private:
    pid_t m_pid = -1;
    bool m_termGesendet = false;
    std::optional<int> m_exitcode;
};

} // namespace kw
