#pragma once
// One program per folder: an advisory lock on "Kesselwerk.lock" in the program
// folder. The system drops it when the holder ends in any way (a crash, a kill),
// so a dead holder never blocks the next start.

#include <string>

#include <sys/types.h>

namespace kw {

class FolderLock {
public:
    enum class State {
        Held,     // this process holds the lock
        Busy,     // another process holds it
        Failed,   // the lock file cannot be opened or locked
    };

    // Tries once, without waiting.
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    State state() const { return m_state; }
    bool held() const { return m_state == State::Held; }
    // Busy: the holder's process id as it wrote it (0 when unknown).
    pid_t holder() const { return m_holder; }
    // Failed: path and reason.
    const std::string& error() const { return m_error; }
    const std::string& path() const { return m_path; }

    static constexpr const char* file_name = "Kesselwerk.lock";

private:
    int m_fd = -1;
    State m_state = State::Failed;
    pid_t m_holder = 0;
    std::string m_path;
    std::string m_error;
};

} // namespace kw
