// The real program in a child process on the offscreen platform: a dialog or a
// message box is opened by the preloaded remote hand, then SIGTERM. The program
// must end by itself with exit code 0, not die of a signal.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

struct Ende {
    bool beendet = false;    // ended within the time allowed
    int code = -1;           // exit code, or -1
    int signal = 0;          // the signal that killed it, or 0
};

std::string lies(const fs::path& p)
{
    std::ifstream f(p);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

class Programm {
public:
    Programm(const std::string& ablauf, const fs::path& ordner) : m_protokoll(ordner / "fernbedienung.txt")
    {
        std::vector<std::string> umgebung;
        for (char** e = environ; *e; ++e) {
            const std::string v = *e;
            if (v.rfind("QT_QPA_PLATFORM=", 0) != 0 && v.rfind("LD_PRELOAD=", 0) != 0
                && v.rfind("KW_FERNBEDIENUNG", 0) != 0)
                umgebung.push_back(v);
        }
        umgebung.push_back("QT_QPA_PLATFORM=offscreen");
        umgebung.push_back("LD_PRELOAD=" KW_FERNBEDIENUNG_BIBLIOTHEK);
        umgebung.push_back("KW_FERNBEDIENUNG=" + ablauf);
        umgebung.push_back("KW_FERNBEDIENUNG_PROTOKOLL=" + m_protokoll.string());
        std::vector<char*> env;
        for (auto& v : umgebung)
            env.push_back(v.data());
        env.push_back(nullptr);

        std::string programm = KW_PROGRAMM;
        std::string schalter = "--ordner";
        std::string pfad = ordner.string();
        char* argv[] = {programm.data(), schalter.data(), pfad.data(), nullptr};
        if (::posix_spawn(&m_pid, programm.c_str(), nullptr, nullptr, argv, env.data()) != 0)
            m_pid = -1;
    }
    ~Programm()
    {
        if (m_pid > 0 && !m_ende.beendet) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    bool laeuft() const { return m_pid > 0; }

    // Waits (bounded) until the remote hand has noted a line starting with `anfang`.
    bool warte_auf(const std::string& anfang, std::chrono::milliseconds frist = 20s)
    {
        const auto bis = std::chrono::steady_clock::now() + frist;
        while (std::chrono::steady_clock::now() < bis) {
            std::istringstream zeilen(lies(m_protokoll));
            for (std::string z; std::getline(zeilen, z);)
                if (z.rfind(anfang, 0) == 0)
                    return true;
            if (vorbei())
                return false;
            std::this_thread::sleep_for(20ms);
        }
        return false;
    }

    Ende beende(int signal = SIGTERM, std::chrono::milliseconds frist = 15s)
    {
        ::kill(m_pid, signal);
        const auto bis = std::chrono::steady_clock::now() + frist;
        while (!vorbei() && std::chrono::steady_clock::now() < bis)
            std::this_thread::sleep_for(20ms);
        return m_ende;
    }
    std::string protokoll() const { return lies(m_protokoll); }

private:
    bool vorbei()
    {
        if (m_ende.beendet)
            return true;
        int status = 0;
        if (::waitpid(m_pid, &status, WNOHANG) != m_pid)
            return false;
        m_ende.beendet = true;
        if (WIFEXITED(status))
            m_ende.code = WEXITSTATUS(status);
        if (WIFSIGNALED(status))
            m_ende.signal = WTERMSIG(status);
        return true;
    }

    fs::path m_protokoll;
    pid_t m_pid = -1;
    Ende m_ende;
};

class Programmende : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char& c : name)
            if (c == '/')
                c = '_';
        ordner = fs::temp_directory_path() / ("kw_programmende_" + name);
        fs::remove_all(ordner);
        fs::create_directories(ordner);
    }
    void TearDown() override { fs::remove_all(ordner); }
    fs::path ordner;
};

// Each course leaves a different modal window open when the signal comes.
TEST_P(Programmende, SigtermBeiOffenemDialogEndetSauber)
{
    Programm p(GetParam(), ordner);
    ASSERT_TRUE(p.laeuft());
    ASSERT_TRUE(p.warte_auf("offen ")) << p.protokoll();
    const Ende e = p.beende(SIGTERM);
    ASSERT_TRUE(e.beendet) << "still running 15 s after SIGTERM";
    EXPECT_EQ(e.signal, 0) << "died of signal " << e.signal << "\n" << p.protokoll();
    EXPECT_EQ(e.code, 0) << p.protokoll();
}

INSTANTIATE_TEST_SUITE_P(Dialoge, Programmende,
                         ::testing::Values("LADEN", "LADEN_FEHLT", "KURVE", "MELDUNG"));

// An exception out of a handler does not end the program: it says so, keeps
// running, and still ends cleanly on SIGTERM.
TEST_F(Programmende, AusnahmeImHandlerBeendetDasProgrammNicht)
{
    Programm p("AUSNAHME", ordner);
    ASSERT_TRUE(p.laeuft());
    ASSERT_TRUE(p.warte_auf("offen QMessageBox")) << p.protokoll();
    EXPECT_NE(p.protokoll().find("phase number outside 1..20"), std::string::npos) << p.protokoll();
    ASSERT_TRUE(p.warte_auf("lebt")) << p.protokoll();
    const Ende e = p.beende(SIGTERM);
    ASSERT_TRUE(e.beendet);
    EXPECT_EQ(e.signal, 0);
    EXPECT_EQ(e.code, 0);
}

} // namespace
