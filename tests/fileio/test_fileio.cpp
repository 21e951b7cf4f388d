// The plumbing under every file the program writes: the folder lock and the
// clean-up of temporary files left by a killed save.

#include "fileio/AtomicWrite.h"
#include "fileio/FolderLock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kw {
namespace {

namespace fs = std::filesystem;

struct Ordner {
    fs::path pfad;
    Ordner()
    {
        std::string vorlage = (fs::temp_directory_path() / "kw_fileio_XXXXXX").string();
        pfad = ::mkdtemp(vorlage.data());
    }
    ~Ordner()
    {
        std::error_code f;
        fs::remove_all(pfad, f);
    }
    void schreibe(const std::string& name, const std::string& text = "x") const
    {
        std::ofstream(pfad / name, std::ios::binary) << text;
    }
};

// A child that takes the lock, reports through a pipe, and waits to be killed.
pid_t Halter_Starten(const std::string& ordner, FolderLock::State& zustand)
{
    int rohr[2];
    if (::pipe(rohr) != 0)
        return -1;
    const pid_t kind = ::fork();
    if (kind == 0) {
        ::close(rohr[0]);
        FolderLock sperre(ordner);
        const char z = static_cast<char>(sperre.state());
        [[maybe_unused]] ssize_t n = ::write(rohr[1], &z, 1);
        for (;;)
            ::pause();
    }
    ::close(rohr[1]);
    char z = static_cast<char>(FolderLock::State::Failed);
    [[maybe_unused]] ssize_t n = ::read(rohr[0], &z, 1);  // returns once the child holds it
    ::close(rohr[0]);
    zustand = static_cast<FolderLock::State>(z);
    return kind;
}

TEST(FolderLock, ZweiterProzessWirdAbgewiesenBisDerErsteStirbt)
{
    Ordner o;
    FolderLock::State zustand;
    const pid_t halter = Halter_Starten(o.pfad.string(), zustand);
    ASSERT_GT(halter, 0);
    ASSERT_EQ(zustand, FolderLock::State::Held);

    {
        FolderLock zweiter(o.pfad.string());
        EXPECT_EQ(zweiter.state(), FolderLock::State::Busy);
        EXPECT_EQ(zweiter.holder(), halter);
    }

    // Killed without any clean-up: the system drops the lock.
    ::kill(halter, SIGKILL);
    int status;
    ::waitpid(halter, &status, 0);
    FolderLock danach(o.pfad.string());
    EXPECT_TRUE(danach.held());
    EXPECT_TRUE(fs::is_regular_file(o.pfad / FolderLock::file_name));
}

TEST(FolderLock, KeinLinkUndKeinRohrAlsSperrdatei)
{
    Ordner o;
    fs::create_symlink(o.pfad / "anderswo", o.pfad / FolderLock::file_name);
    FolderLock l(o.pfad.string());
    EXPECT_EQ(l.state(), FolderLock::State::Failed);
    EXPECT_FALSE(l.error().empty());
    EXPECT_FALSE(fs::exists(o.pfad / "anderswo"));

    Ordner r;
    ASSERT_EQ(::mkfifo((r.pfad / FolderLock::file_name).c_str(), 0600), 0);
    FolderLock rohr(r.pfad.string());
    EXPECT_EQ(rohr.state(), FolderLock::State::Failed);
}

TEST(Reste, NurEigeneTemporaereDateienWerdenEntfernt)
{
    Ordner o;
    const std::vector<std::string> eigene = {".kw-a1B2c3.tmp", ".kw-ZZZZZZ.tmp", "Festbier.rez.tmpAb12Cd",
                                             "Kesselwerk.cfg.tmpXyZ123", "Pils.His.neu~"};
    const std::vector<std::string> fremde = {
        "Festbier.rez", "Kesselwerk.cfg", "Pils.His", ".kw-abc.tmp", ".kw-abcdefg.tmp", ".kw-abc_de.tmp",
        "kw-abcdef.tmp", ".kw-abcdef.tmpx", "notiz.tmp123456", "x.rez.tmp12345", "Kesselwerk.lock"};
    for (const auto& n : eigene)
        o.schreibe(n);
    for (const auto& n : fremde)
        o.schreibe(n);
    // Not a file: left alone whatever its name.
    fs::create_directory(o.pfad / ".kw-ordner.tmp");
    fs::create_symlink(o.pfad / "Festbier.rez", o.pfad / ".kw-link00.tmp");

    EXPECT_EQ(remove_stale_temp_files(o.pfad.string()), static_cast<int>(eigene.size()));
    for (const auto& n : eigene)
        EXPECT_FALSE(fs::exists(o.pfad / n)) << n;
    for (const auto& n : fremde)
        EXPECT_TRUE(fs::exists(o.pfad / n)) << n;
    EXPECT_TRUE(fs::is_directory(o.pfad / ".kw-ordner.tmp"));
    EXPECT_TRUE(fs::is_symlink(o.pfad / ".kw-link00.tmp"));
}

TEST(Reste, EinAbgebrochenesSpeichernHinterlaesstDasMuster)
{
    // A save killed between writing and renaming leaves one file of the pattern.
    Ordner o;
    const std::string ziel = (o.pfad / std::string(251, 'a')).string() + ".rez";
    const pid_t kind = ::fork();
    if (kind == 0) {
        // Past the file size limit the system kills the writer (SIGXFSZ), while
        // the temporary file exists and before the rename.
        ::signal(SIGXFSZ, SIG_DFL);
        rlimit klein{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &klein);
        write_atomically(ziel, std::string(1000, 'x'));
        ::_exit(0);
    }
    int status;
    ::waitpid(kind, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    int muster = 0;
    for (const auto& e : fs::directory_iterator(o.pfad)) {
        EXPECT_TRUE(is_temp_name(e.path().filename().string())) << e.path();
        ++muster;
    }
    EXPECT_EQ(muster, 1);
    EXPECT_EQ(remove_stale_temp_files(o.pfad.string()), 1);
    EXPECT_TRUE(fs::is_empty(o.pfad));
}

} // namespace
} // namespace kw
