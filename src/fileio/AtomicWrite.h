#pragma once
// Writing a file so that a crash or a full disk leaves either the old file or
// the new one, never a half-written one.

#include <string>
#include <string_view>

namespace kw {

// Writes `content` to a temporary file beside `path` (keeping the permissions
// of an existing file), syncs it, renames it over `path` and syncs the folder.
// On failure the target is untouched, no temporary file is left, and `error`
// holds the reason.
bool write_atomically(const std::string& path, std::string_view content, std::string& error);

} // namespace kw
