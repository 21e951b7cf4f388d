#pragma once
// Writing a file so that a crash or a full disk leaves either the old file or
// the new one, never a half-written one; reading one without ever blocking.

#include <cstddef>
#include <string>
#include <string_view>

namespace kw {

enum class FileError {
    None,
    System,      // a system call failed; `errnum` holds its errno
    NotRegular,  // a pipe, a device, a folder: never read from or written into
    UnsafeLink,  // a symbolic link another user may have planted (see resolve_for_write)
    TooLarge,    // larger than the reader's limit
};

struct FileResult {
    FileError kind = FileError::None;
    int errnum = 0;
    std::string text;  // "<path>: <reason>", empty when ok
    bool ok() const { return kind == FileError::None; }
};

// True when users other than the folder's owner may create and remove entries in
// it: writable by others, or by a group other than the owner's own private group,
// and no sticky bit. Such a folder may hold a link planted by someone else.
bool folder_open_to_others(const std::string& folder);

// The file a save of `path` must replace: symbolic links are followed to their
// target (relative links from the link's folder), as an editor does, so the link
// stays and the file it names is written. Refused (UnsafeLink) when any link on the
// way lies in a folder open to others, or in a world-writable sticky folder and
// belongs neither to this user nor to the folder's owner (the kernel's rule for
// such folders); refused as well for anything that exists and is not a regular file.
FileResult resolve_for_write(const std::string& path, std::string& target);

// Opens the file a save of `path` would replace (resolve_for_write) with `flags`
// (O_RDONLY, or O_RDWR | O_CREAT | O_APPEND, ...) plus O_NOFOLLOW, O_NONBLOCK and
// O_CLOEXEC, so that what is read or appended is what a save would write, and a
// link put in the target's place meanwhile is not followed either. A new file gets
// 0644. Only a regular file is kept open; `fd` is -1 on failure.
FileResult open_for_rewrite(const std::string& path, int flags, int& fd);

// Writes `content` to a temporary file beside the target of `path` (see
// resolve_for_write; an existing file keeps its permissions, a new one gets
// 0644), syncs it, renames it over the target and syncs the folder. On failure
// the target is untouched and no temporary file is left. `owner_only` makes the
// file 0600 whatever it was (it holds a password).
FileResult write_atomically(const std::string& path, std::string_view content,
                            bool owner_only = false);
// The same; `error` holds the result's text.
bool write_atomically(const std::string& path, std::string_view content, std::string& error);

// Reads a regular file whole, opened without blocking (a pipe or device is
// refused at once, never waited on). `max_size` 0 means no limit. A missing file
// is FileError::System with errnum ENOENT.
FileResult read_regular_file(const std::string& path, std::size_t max_size, std::string& content);
// The same for a file that is later written back: read through open_for_rewrite,
// so a link a save would refuse is refused here too (UnsafeLink) and nothing of
// the file it names is read.
FileResult read_file_to_rewrite(const std::string& path, std::size_t max_size, std::string& content);

// Temporary files of this program are named ".kw-XXXXXX.tmp" (six letters or
// digits), short enough for any target name the file system allows.
inline constexpr std::string_view temp_prefix = ".kw-";
inline constexpr std::string_view temp_suffix = ".tmp";
bool is_temp_name(std::string_view file_name);

// Removes the temporary files a killed save left in `folder`: regular files of
// this user whose names follow the pattern above (or the patterns of earlier
// versions: "<name>.rez.tmpXXXXXX", "Kesselwerk.cfg.tmpXXXXXX", "<name>.His.neu~"),
// nothing else. Only safe while
// no other instance writes in the folder (see FolderLock). Returns how many.
int remove_stale_temp_files(const std::string& folder);

} // namespace kw
