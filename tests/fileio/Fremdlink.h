#pragma once
// A world-writable sticky folder, as /tmp is, and symbolic links in it that belong
// to another user. Giving a link away (lchown) takes root; without it the tests
// that need a second owner skip.

#include <filesystem>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace kw::test {

inline constexpr uid_t Fremder = 65534;  // nobody
inline constexpr const char* Ohne_Root =
    "a link of another user needs root (lchown); run the tests as root for these cases";

inline bool Als_Root() { return ::geteuid() == 0; }

// Creates `ordner` with mode 01777 (umask aside).
inline bool Sticky_Ordner(const std::filesystem::path& ordner)
{
    std::error_code f;
    std::filesystem::create_directories(ordner, f);
    return ::chmod(ordner.c_str(), 01777) == 0;
}

// A symbolic link `link` -> `ziel` owned by `besitzer` (the link itself, not its target).
inline bool Link_Von(const std::filesystem::path& link, const std::string& ziel, uid_t besitzer)
{
    if (::symlink(ziel.c_str(), link.c_str()) != 0)
        return false;
    return ::lchown(link.c_str(), besitzer, besitzer) == 0;
}

} // namespace kw::test
