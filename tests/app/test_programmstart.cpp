// The real program, started twice on one folder: the second start ends at once
// with a clear message, touching nothing; the first removes a killed save's
// leftovers as it starts.

#include "fileio/FolderLock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

struct Lauf {
    pid_t pid = -1;
    int fehlerausgabe = -1;  // read end of the child's stderr
};

Lauf starten(const fs::path& ordner)
{
    int rohr[2];
    if (::pipe2(rohr, O_CLOEXEC) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(rohr[1], STDERR_FILENO);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::execl(KW_PROGRAMM, KW_PROGRAMM, "--ordner", ordner.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(rohr[1]);
    return {pid, rohr[0]};
}

// Exit status, or -1 when the child did not end within the time.
int warten(pid_t pid, std::chrono::milliseconds frist)
{
    const auto ende = std::chrono::steady_clock::now() + frist;
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > ende)
            return -1;
        std::this_thread::sleep_for(10ms);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string alles_lesen(int fd)
{
    std::string s;
    char puffer[4096];
    ssize_t n;
    while ((n = ::read(fd, puffer, sizeof puffer)) > 0)
        s.append(puffer, static_cast<std::size_t>(n));
    ::close(fd);
    return s;
}

std::set<std::string> inhalt(const fs::path& ordner)
{
    std::set<std::string> namen;
    for (const auto& e : fs::directory_iterator(ordner))
        namen.insert(e.path().filename().string());
    return namen;
}

TEST(Programmstart, ZweiterStartImSelbenOrdnerEndetMitMeldung)
{
    std::string vorlage = (fs::temp_directory_path() / "kw_start_XXXXXX").string();
    const fs::path ordner = ::mkdtemp(vorlage.data());
    // English (line 17 = 2), so the message comes in the language of the settings.
    {
        std::ofstream cfg(ordner / "Kesselwerk.cfg", std::ios::binary);
        for (int i = 1; i <= 16; ++i)
            cfg << (i == 3 ? "0" : "") << "\r\n";
        cfg << "2\r\n";
    }
    std::ofstream(ordner / ".kw-Ab12Cd.tmp") << "half a recipe";
    std::ofstream(ordner / "Festbier.rez") << "[Biername]\r\nName_Bier=Festbier\r\n";

    const Lauf erster = starten(ordner);
    ASSERT_GT(erster.pid, 0);
    // Up and holding the folder: the leftover goes only once the lock is taken.
    bool bereit = false;
    for (auto ende = std::chrono::steady_clock::now() + 30s; !bereit && std::chrono::steady_clock::now() < ende;) {
        bereit = !fs::exists(ordner / ".kw-Ab12Cd.tmp");
        if (!bereit)
            std::this_thread::sleep_for(20ms);
        ASSERT_EQ(warten(erster.pid, 0ms), -1) << alles_lesen(erster.fehlerausgabe);
    }
    ASSERT_TRUE(bereit);
    EXPECT_EQ(kw::FolderLock(ordner.string()).state(), kw::FolderLock::State::Busy);
    EXPECT_TRUE(fs::exists(ordner / "Festbier.rez"));

    // A leftover of another kind of file, and everything as it is now.
    std::ofstream(ordner / ".kw-Zz99Yy.tmp") << "x";
    const auto vorher = inhalt(ordner);
    const auto cfg_vorher = fs::last_write_time(ordner / "Kesselwerk.cfg");

    const Lauf zweiter = starten(ordner);
    ASSERT_GT(zweiter.pid, 0);
    const int rc = warten(zweiter.pid, 30s);
    const std::string meldung = alles_lesen(zweiter.fehlerausgabe);
    EXPECT_EQ(rc, 1) << meldung;
    EXPECT_NE(meldung.find("already running"), std::string::npos) << meldung;
    EXPECT_NE(meldung.find(ordner.string()), std::string::npos) << meldung;
    EXPECT_NE(meldung.find(std::to_string(erster.pid)), std::string::npos) << meldung;
    // It touched nothing: the other leftover is still there, no file came or changed.
    EXPECT_EQ(inhalt(ordner), vorher);
    EXPECT_EQ(fs::last_write_time(ordner / "Kesselwerk.cfg"), cfg_vorher);

    // The first ends as usual, and the folder is free again.
    ::kill(erster.pid, SIGTERM);
    int rc_erster = warten(erster.pid, 30s);
    if (rc_erster < 0) {
        ::kill(erster.pid, SIGKILL);
        rc_erster = warten(erster.pid, 5s);
    }
    EXPECT_EQ(rc_erster, 0);
    ::close(erster.fehlerausgabe);
    EXPECT_TRUE(kw::FolderLock(ordner.string()).held());

    std::error_code f;
    fs::remove_all(ordner, f);
}

} // namespace
