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
#include <vector>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

struct Lauf {
    pid_t pid = -1;
    int fehlerausgabe = -1;  // read end of the child's stderr
};

// `halt`: the child's end of a socket pair; the program then stops right after taking the lock
// (KW_STARTHALT_FD) until it gets a byte back.
Lauf starten(const fs::path& ordner, int halt = -1, const std::string& testgeraet = {})
{
    int rohr[2];
    if (::pipe2(rohr, O_CLOEXEC) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(rohr[1], STDERR_FILENO);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        if (halt >= 0) {
            ::dup2(halt, 3); // clears close-on-exec
            ::setenv("KW_STARTHALT_FD", "3", 1);
        }
        if (testgeraet.empty())
            ::execl(KW_PROGRAMM, KW_PROGRAMM, "--ordner", ordner.c_str(), static_cast<char*>(nullptr));
        else
            ::execl(KW_PROGRAMM, KW_PROGRAMM, "--ordner", ordner.c_str(), "--testgeraet", testgeraet.c_str(),
                    static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(rohr[1]);
    return {pid, rohr[0]};
}

// Both ends of the start-up hold; the test keeps [0], the child gets [1].
struct Halt {
    int fd[2] = {-1, -1};
    Halt() { EXPECT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fd), 0); }
    ~Halt()
    {
        for (int f : fd)
            if (f >= 0)
                ::close(f);
    }
    // True once the program reports that it holds the lock (it then waits).
    bool erreicht(std::chrono::milliseconds frist)
    {
        if (fd[1] >= 0) {
            ::close(fd[1]);
            fd[1] = -1;
        }
        pollfd p{fd[0], POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(frist.count())) != 1)
            return false;
        unsigned char b = 0;
        return ::read(fd[0], &b, 1) == 1 && b == 'L';
    }
    void freigeben()
    {
        const unsigned char b = 'W';
        EXPECT_EQ(::write(fd[0], &b, 1), 1);
    }
};

std::vector<std::string> zeilen(const fs::path& datei)
{
    std::vector<std::string> z;
    std::ifstream f(datei);
    for (std::string s; std::getline(f, s);)
        z.push_back(s);
    return z;
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

// A signal that comes while the program is still starting (it holds the lock, the screens and the
// guard are not there yet) takes the clean way out: exit code 0, not death by the signal, and no
// output left on.
TEST(Programmstart, SigtermGleichNachDerSperreEndetSauberMitAllesAus)
{
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        std::string vorlage = (fs::temp_directory_path() / "kw_halt_XXXXXX").string();
        const fs::path ordner = ::mkdtemp(vorlage.data());
        const fs::path relais = ordner / "relais.txt";
        Halt halt;
        const Lauf lauf = starten(ordner, halt.fd[1], relais.string());
        ASSERT_GT(lauf.pid, 0);
        ASSERT_TRUE(halt.erreicht(30s)) << alles_lesen(lauf.fehlerausgabe);
        EXPECT_EQ(kw::FolderLock(ordner.string()).state(), kw::FolderLock::State::Busy);
        ASSERT_EQ(::kill(lauf.pid, signal), 0);
        halt.freigeben();
        int rc = warten(lauf.pid, 30s);
        if (rc < 0) {
            ::kill(lauf.pid, SIGKILL);
            rc = warten(lauf.pid, 5s);
        }
        const std::string meldung = alles_lesen(lauf.fehlerausgabe);
        EXPECT_EQ(rc, 0) << "signal " << signal << ": " << meldung;
        // Before the settings are confirmed nothing may be switched on: whatever reached the test
        // device is the all-off byte.
        for (const std::string& z : zeilen(relais))
            EXPECT_EQ(z.substr(z.find(' ') + 1), "0") << "signal " << signal << ": " << z;
        EXPECT_TRUE(kw::FolderLock(ordner.string()).held());
        std::error_code f;
        fs::remove_all(ordner, f);
    }
}

} // namespace
