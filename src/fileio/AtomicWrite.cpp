#include "fileio/AtomicWrite.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kw {

namespace {

std::string folder_of(const std::string& path)
{
    const auto cut = path.find_last_of('/');
    if (cut == std::string::npos)
        return ".";
    return cut == 0 ? "/" : path.substr(0, cut);
}

FileResult failure(FileError kind, int errnum, const std::string& path, const char* reason = nullptr)
{
    FileResult r;
    r.kind = kind;
    r.errnum = errnum;
    r.text = path + ": " + (reason ? reason : std::strerror(errnum));
    return r;
}

FileResult not_regular(const std::string& path)
{
    return failure(FileError::NotRegular, 0, path, "not a regular file");
}

// The group is the owner's user private group (same name as the owner, and the
// owner's primary group): writable by that group means writable by the owner only.
bool private_group(uid_t uid, gid_t gid)
{
    std::vector<char> buf(16384);
    passwd pw {};
    passwd* pwp = nullptr;
    if (::getpwuid_r(uid, &pw, buf.data(), buf.size(), &pwp) != 0 || !pwp || pw.pw_gid != gid)
        return false;
    std::vector<char> gbuf(16384);
    group gr {};
    group* grp = nullptr;
    if (::getgrgid_r(gid, &gr, gbuf.data(), gbuf.size(), &grp) != 0 || !grp)
        return false;
    return std::strcmp(gr.gr_name, pw.pw_name) == 0;
}

bool open_to_others(const struct stat& folder)
{
    if (folder.st_mode & S_ISVTX)
        return false;
    if (folder.st_mode & S_IWOTH)
        return true;
    return (folder.st_mode & S_IWGRP) && !private_group(folder.st_uid, folder.st_gid);
}

// In a world-writable sticky folder anyone may create a link but only its owner may
// remove it: it is followed only when it is ours or the folder owner's.
bool foreign_in_sticky(const struct stat& folder, const struct stat& link)
{
    if ((folder.st_mode & (S_ISVTX | S_IWOTH)) != (S_ISVTX | S_IWOTH))
        return false;
    return link.st_uid != ::geteuid() && link.st_uid != folder.st_uid;
}

bool write_all(int fd, std::string_view content, int& err)
{
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            err = n < 0 ? errno : ENOSPC;
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

bool folder_open_to_others(const std::string& folder)
{
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0)
        return false;
    return open_to_others(st);
}

FileResult resolve_for_write(const std::string& path, std::string& target)
{
    std::string p = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0) {
            if (errno != ENOENT)
                return failure(FileError::System, errno, path);
            target = p;  // a new file, or the missing target of a link
            return {};
        }
        if (S_ISREG(st.st_mode)) {
            target = p;
            return {};
        }
        if (!S_ISLNK(st.st_mode))
            return not_regular(path);
        const std::string folder = folder_of(p);
        struct stat dir {};
        if (::stat(folder.c_str(), &dir) != 0)
            return failure(FileError::System, errno, path);
        if (open_to_others(dir) || foreign_in_sticky(dir, st))
            return failure(FileError::UnsafeLink, 0, path,
                           "symbolic link not followed: the folder is writable by other users");
        std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t n = ::readlink(p.c_str(), link.data(), link.size());
        if (n < 0)
            return failure(FileError::System, errno, path);
        if (static_cast<std::size_t>(n) >= link.size())
            return failure(FileError::System, ENAMETOOLONG, path);
        link.resize(static_cast<std::size_t>(n));
        p = link.front() == '/' ? link : (folder == "/" ? "/" : folder + "/") + link;
    }
    return failure(FileError::System, ELOOP, path);
}

FileResult write_atomically(const std::string& path, std::string_view content, bool owner_only)
{
    std::string target;
    if (FileResult r = resolve_for_write(path, target); !r.ok())
        return r;
    const std::string folder = folder_of(target);

    std::string temp = (folder == "/" ? "" : folder) + "/" + std::string(temp_prefix) + "XXXXXX"
        + std::string(temp_suffix);
    const int fd = ::mkostemps(temp.data(), static_cast<int>(temp_suffix.size()), O_CLOEXEC);
    if (fd < 0)
        return failure(FileError::System, errno, path);
    const auto fail = [&](int e, bool open) {
        if (open)
            ::close(fd);
        ::unlink(temp.c_str());
        return failure(FileError::System, e, path);
    };

    mode_t mode = 0644;
    struct stat old {};
    if (owner_only)
        mode = 0600; // the temporary file was created 0600: never readable by others, not even briefly
    else if (::stat(target.c_str(), &old) == 0)
        mode = old.st_mode & 07777;
    ::fchmod(fd, mode);

    int err = 0;
    if (!write_all(fd, content, err))
        return fail(err, true);
    if (::fsync(fd) != 0)
        return fail(errno, true);
    if (::close(fd) != 0)
        return fail(errno, false);
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return fail(errno, false);

    // Make the rename itself durable.
    const int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return {};
}

bool write_atomically(const std::string& path, std::string_view content, std::string& error)
{
    const FileResult r = write_atomically(path, content);
    error = r.text;
    return r.ok();
}

namespace {

// Keeps `fd` only when it is open on a regular file; closes it otherwise.
FileResult keep_regular(int& fd, const std::string& path, struct stat& st)
{
    if (::fstat(fd, &st) != 0) {
        const int e = errno;
        ::close(fd);
        fd = -1;
        return failure(FileError::System, e, path);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        fd = -1;
        return S_ISDIR(st.st_mode) ? failure(FileError::NotRegular, EISDIR, path) : not_regular(path);
    }
    return {};
}

// Reads the regular file open on `fd` and closes it.
FileResult read_open_file(int fd, const struct stat& st, const std::string& path, std::size_t max_size,
                          std::string& content)
{
    if (max_size > 0 && static_cast<std::size_t>(st.st_size) > max_size) {
        ::close(fd);
        return failure(FileError::TooLarge, EFBIG, path);
    }
    content.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int e = errno;
            ::close(fd);
            content.clear();
            return failure(FileError::System, e, path);
        }
        if (n == 0)
            break;
        content.append(buffer, static_cast<std::size_t>(n));
        // The file may grow while we read it.
        if (max_size > 0 && content.size() > max_size) {
            ::close(fd);
            content.clear();
            return failure(FileError::TooLarge, EFBIG, path);
        }
    }
    ::close(fd);
    return {};
}

} // namespace

FileResult open_for_rewrite(const std::string& path, int flags, int& fd)
{
    fd = -1;
    std::string target;
    if (FileResult r = resolve_for_write(path, target); !r.ok())
        return r;
    fd = ::open(target.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0644);
    if (fd < 0)
        return failure(FileError::System, errno, path);
    struct stat st {};
    return keep_regular(fd, path, st);
}

FileResult read_regular_file(const std::string& path, std::size_t max_size, std::string& content)
{
    content.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return failure(FileError::System, errno, path);
    struct stat st {};
    if (FileResult r = keep_regular(fd, path, st); !r.ok())
        return r;
    return read_open_file(fd, st, path, max_size, content);
}

FileResult read_file_to_rewrite(const std::string& path, std::size_t max_size, std::string& content)
{
    content.clear();
    int fd = -1;
    if (FileResult r = open_for_rewrite(path, O_RDONLY, fd); !r.ok())
        return r;
    struct stat st {};
    if (FileResult r = keep_regular(fd, path, st); !r.ok())
        return r;
    return read_open_file(fd, st, path, max_size, content);
}

namespace {

bool six_random(std::string_view s)
{
    if (s.size() != 6)
        return false;
    for (char c : s)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

// Names earlier versions gave their temporary files: "<recipe>.rez.tmpXXXXXX",
// "Kesselwerk.cfg.tmpXXXXXX" and "<history>.His.neu~".
bool is_old_temp_name(std::string_view name)
{
    const auto ends = [&](std::string_view end) {
        return name.size() > end.size() && name.substr(name.size() - end.size()) == end;
    };
    if (ends(".His.neu~"))
        return true;
    if (name.size() < 6 + 4 || !six_random(name.substr(name.size() - 6)))
        return false;
    const std::string_view stem = name.substr(0, name.size() - 6);
    return (stem.size() > 8 && stem.substr(stem.size() - 8) == ".rez.tmp") || stem == "Kesselwerk.cfg.tmp";
}

} // namespace

bool is_temp_name(std::string_view name)
{
    const std::size_t len = temp_prefix.size() + 6 + temp_suffix.size();
    return name.size() == len && name.substr(0, temp_prefix.size()) == temp_prefix
        && name.substr(len - temp_suffix.size()) == temp_suffix
        && six_random(name.substr(temp_prefix.size(), 6));
}

int remove_stale_temp_files(const std::string& folder)
{
    const int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd < 0)
        return 0;
    DIR* dir = ::fdopendir(dfd);
    if (!dir) {
        ::close(dfd);
        return 0;
    }
    std::vector<std::string> names;
    while (const dirent* e = ::readdir(dir))
        if (is_temp_name(e->d_name) || is_old_temp_name(e->d_name))
            names.emplace_back(e->d_name);
    int removed = 0;
    for (const auto& name : names) {
        struct stat st {};
        if (::fstatat(dfd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
            continue;
        if (::unlinkat(dfd, name.c_str(), 0) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}

} // namespace kw
