#pragma once
// A fresh folder under /tmp for one test, removed afterwards.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace kw::test {

struct Tempordner {
    std::filesystem::path pfad;
    Tempordner()
    {
        std::string vorlage = (std::filesystem::temp_directory_path() / "kw_hw_XXXXXX").string();
        pfad = ::mkdtemp(vorlage.data());
    }
    ~Tempordner()
    {
        std::error_code f;
        std::filesystem::remove_all(pfad, f);
    }
    std::string operator/(const std::string& name) const { return (pfad / name).string(); }
    std::string str() const { return pfad.string(); }

    void schreibe(const std::string& name, const std::string& inhalt) const
    {
        std::ofstream(pfad / name, std::ios::binary) << inhalt;
    }
    std::string lies(const std::string& name) const
    {
        std::ifstream d(pfad / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(d), {}};
    }
};

} // namespace kw::test
