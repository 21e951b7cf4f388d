#include "fileio/AtomicWrite.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kw {

bool write_atomically(const std::string& path, std::string_view content, std::string& error)
{
    std::string temp = path + ".tmpXXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        error = temp + ": " + std::strerror(errno);
        return false;
    }
    const auto fail = [&](int e, bool open) {
        if (open)
            ::close(fd);
        ::unlink(temp.c_str());
        error = path + ": " + std::strerror(e);
        return false;
    };

    mode_t mode = 0644;
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0)
        mode = old.st_mode & 07777;
    ::fchmod(fd, mode);

    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(n < 0 ? errno : ENOSPC, true);
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0)
        return fail(errno, true);
    if (::close(fd) != 0)
        return fail(errno, false);
    if (::rename(temp.c_str(), path.c_str()) != 0)
        return fail(errno, false);

    // Make the rename itself durable.
    const auto cut = path.find_last_of('/');
    const std::string folder = cut == std::string::npos ? "." : (cut == 0 ? "/" : path.substr(0, cut));
    const int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

} // namespace kw
