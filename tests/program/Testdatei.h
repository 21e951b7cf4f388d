#pragma once
// Whole files in and out, byte for byte, for the tests around recipe files.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace kw::test {

inline std::string lies(const std::filesystem::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

inline void schreibe(const std::filesystem::path& p, const std::string& inhalt)
{
    std::ofstream f(p, std::ios::binary);
    f << inhalt;
}

} // namespace kw::test
