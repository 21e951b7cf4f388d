#include "hardware/Prozessstarter.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace kw {

bool PosixProzessstarter::start(const std::string& programm, const std::vector<std::string>& argumente,
                                const std::string& arbeitsverzeichnis)
{
    if (isRunning() || programm.empty())
        return false;

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(programm.c_str()));
    for (auto& a : argumente)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t aktionen;
    posix_spawn_file_actions_init(&aktionen);
    posix_spawn_file_actions_addopen(&aktionen, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&aktionen, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&aktionen, 1, 2);
    if (!arbeitsverzeichnis.empty())
        posix_spawn_file_actions_addchdir_np(&aktionen, arbeitsverzeichnis.c_str());

    // The child starts with default signal handling and nothing blocked, whatever the GUI set up.
    posix_spawnattr_t attribute;
    posix_spawnattr_init(&attribute);
    sigset_t leer, alle;
    sigemptyset(&leer);
    sigfillset(&alle);
    posix_spawnattr_setsigmask(&attribute, &leer);
    posix_spawnattr_setsigdefault(&attribute, &alle);
    posix_spawnattr_setpgroup(&attribute, 0); // a group of its own, led by the tool
    posix_spawnattr_setflags(&attribute, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);

    pid_t pid = -1;
    int fehler = posix_spawnp(&pid, programm.c_str(), &aktionen, &attribute, argv.data(), environ);
    posix_spawnattr_destroy(&attribute);
    posix_spawn_file_actions_destroy(&aktionen);
    if (fehler != 0)
        return false;
    // Where posix_spawn is a plain fork (under emulation) the child may not lead its group yet.
    ::setpgid(pid, pid);
    m_pid = pid;
    m_termGesendet = false;
    return true;
}

bool PosixProzessstarter::isRunning()
{
    if (m_pid <= 0)
        return false;
    int status = 0;
    pid_t r = ::waitpid(m_pid, &status, WNOHANG);
    if (r == 0)
        return true;
    if (r == m_pid)
        m_exitcode = WIFEXITED(status) ? std::optional<int>(WEXITSTATUS(status)) : std::nullopt;
    else
        m_exitcode.reset(); // reaped elsewhere
    // The run was being ended: whatever of its group outlived the leader goes too.
    if (m_termGesendet)
        ::kill(-m_pid, SIGKILL);
    m_pid = -1;
    return false;
}

void PosixProzessstarter::kill()
{
    if (!isRunning())
        return;
    ::kill(-m_pid, m_termGesendet ? SIGKILL : SIGTERM);
    m_termGesendet = true;
}

PosixProzessstarter::~PosixProzessstarter()
{
    if (!isRunning())
        return;
    kill();
    for (int i = 0; i < 50 && isRunning(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (m_pid > 0) {
        ::kill(-m_pid, SIGKILL);
        // SIGKILL ends it at once unless it hangs in the kernel; do not wait for ever then.
        for (int i = 0; i < 50 && isRunning(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace kw
