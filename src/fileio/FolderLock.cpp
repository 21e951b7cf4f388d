#include "fileio/FolderLock.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kw {

FolderLock::FolderLock(const std::string& folder)
{
    m_path = folder.empty() || folder.back() == '/' ? folder + file_name : folder + "/" + file_name;
    // No link is followed and nothing but a plain file is taken.
    m_fd = ::open(m_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0644);
    if (m_fd < 0) {
        m_error = m_path + ": " + std::strerror(errno);
        return;
    }
    struct stat st {};
    if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        m_error = m_path + ": not a regular file";
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    int r;
    while ((r = ::flock(m_fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    if (r != 0) {
        if (errno == EWOULDBLOCK) {
            m_state = State::Busy;
            char text[32] = {};
            const ssize_t n = ::pread(m_fd, text, sizeof text - 1, 0);
            if (n > 0)
                m_holder = static_cast<pid_t>(std::strtol(text, nullptr, 10));
        } else {
            m_error = m_path + ": " + std::strerror(errno);
        }
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    m_state = State::Held;
    // Our process id, for the message a second start shows.
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(m_fd, 0) == 0) {
        [[maybe_unused]] const ssize_t n = ::pwrite(m_fd, pid.data(), pid.size(), 0);
    }
}

FolderLock::~FolderLock()
{
    // Closing drops the lock; the file stays, so a waiting start never races a removal.
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace kw
