// The plumbing under every file the program writes: the folder lock and the
// clean-up of temporary files left by a killed save.

#include "fileio/AtomicWrite.h"
#include "fileio/FolderLock.h"
#include "Fremdlink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include <csignal>
#include <fcntl.h>
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

// --- links in a world-writable sticky folder -------------------------------------

std::string lies(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// Names in `ordner`, to see that nothing was left beside a refused save.
std::vector<std::string> namen(const fs::path& ordner)
{
    std::vector<std::string> n;
    for (const auto& e : fs::directory_iterator(ordner))
        n.push_back(e.path().filename().string());
    std::sort(n.begin(), n.end());
    return n;
}

// Every way the program reaches a file it rewrites refuses the link `link` and
// leaves `ziel` (which may not exist) as it was.
void erwarte_verweigert(const fs::path& link, const fs::path& ziel)
{
    const bool gab_es = fs::exists(ziel);
    const std::string vorher = gab_es ? lies(ziel) : std::string();
    std::string wohin;
    EXPECT_EQ(resolve_for_write(link.string(), wohin).kind, FileError::UnsafeLink);
    const FileResult w = write_atomically(link.string(), "überschrieben");
    EXPECT_EQ(w.kind, FileError::UnsafeLink);
    EXPECT_NE(w.text.find("symbolic link not followed"), std::string::npos) << w.text;
    std::string inhalt = "alt";
    EXPECT_EQ(read_file_to_rewrite(link.string(), 0, inhalt).kind, FileError::UnsafeLink);
    EXPECT_EQ(inhalt, "") << "nothing of the file it names is read";
    int fd = 0;
    EXPECT_EQ(open_for_rewrite(link.string(), O_RDWR | O_CREAT | O_APPEND, fd).kind, FileError::UnsafeLink);
    EXPECT_EQ(fd, -1);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::exists(ziel), gab_es);
    if (gab_es)
        EXPECT_EQ(lies(ziel), vorher);
}

TEST(FremderLink, ImStickyOrdnerWirdErNichtGefolgt)
{
    if (!test::Als_Root())
        GTEST_SKIP() << test::Ohne_Root;
    Ordner o;  // 0700, root's
    fs::create_directory(o.pfad / "privat");
    o.schreibe("privat/geheim", "root's own");
    const fs::path brau = o.pfad / "brau";
    ASSERT_TRUE(test::Sticky_Ordner(brau));

    // Relative and absolute, to an existing file and to one not yet there.
    ASSERT_TRUE(test::Link_Von(brau / "Rel.rez", "../privat/geheim", test::Fremder));
    ASSERT_TRUE(test::Link_Von(brau / "Abs.rez", (o.pfad / "privat/geheim").string(), test::Fremder));
    ASSERT_TRUE(test::Link_Von(brau / "Neu.His", "../privat/neu", test::Fremder));
    erwarte_verweigert(brau / "Rel.rez", o.pfad / "privat/geheim");
    erwarte_verweigert(brau / "Abs.rez", o.pfad / "privat/geheim");
    erwarte_verweigert(brau / "Neu.His", o.pfad / "privat/neu");
    EXPECT_EQ(namen(brau), (std::vector<std::string>{"Abs.rez", "Neu.His", "Rel.rez"}));
    EXPECT_EQ(namen(o.pfad / "privat"), std::vector<std::string>{"geheim"});

    // A group-writable sticky folder is not open to the world: the rule is the kernel's.
    ASSERT_EQ(::chmod(brau.c_str(), 01775), 0);
    std::string wohin;
    EXPECT_TRUE(resolve_for_write((brau / "Rel.rez").string(), wohin).ok());
    EXPECT_EQ(fs::path(wohin), brau / "../privat/geheim");
}

TEST(FremderLink, JedesGliedEinerKetteZaehlt)
{
    if (!test::Als_Root())
        GTEST_SKIP() << test::Ohne_Root;
    Ordner o;
    fs::create_directory(o.pfad / "privat");
    o.schreibe("privat/geheim", "root's own");
    const fs::path tmp = o.pfad / "tmp";
    ASSERT_TRUE(test::Sticky_Ordner(tmp));
    fs::create_directory(o.pfad / "brau");

    // Our link in our own folder leads to a planted one in the shared folder.
    ASSERT_TRUE(test::Link_Von(tmp / "fremd", "../privat/geheim", test::Fremder));
    fs::create_symlink("../tmp/fremd", o.pfad / "brau" / "Festbier.rez");
    erwarte_verweigert(o.pfad / "brau" / "Festbier.rez", o.pfad / "privat/geheim");

    // Our link there in turn leads on through the planted one.
    ASSERT_TRUE(test::Link_Von(tmp / "eigen", "fremd", ::geteuid()));
    fs::create_symlink(tmp / "eigen", o.pfad / "brau" / "Pils.rez");
    erwarte_verweigert(o.pfad / "brau" / "Pils.rez", o.pfad / "privat/geheim");
}

TEST(FremderLink, EigenerUndDesOrdnerbesitzersWerdenGefolgt)
{
    if (!test::Als_Root())
        GTEST_SKIP() << test::Ohne_Root;
    Ordner o;
    fs::create_directory(o.pfad / "geteilt");
    o.schreibe("geteilt/Festbier.rez", "alt");
    const fs::path brau = o.pfad / "brau";
    ASSERT_TRUE(test::Sticky_Ordner(brau));

    // Our own link: written through, and stays a link.
    ASSERT_TRUE(test::Link_Von(brau / "Festbier.rez", "../geteilt/Festbier.rez", ::geteuid()));
    ASSERT_TRUE(write_atomically((brau / "Festbier.rez").string(), "neu").ok());
    EXPECT_TRUE(fs::is_symlink(brau / "Festbier.rez"));
    EXPECT_EQ(lies(o.pfad / "geteilt/Festbier.rez"), "neu");
    std::string inhalt;
    ASSERT_TRUE(read_file_to_rewrite((brau / "Festbier.rez").string(), 0, inhalt).ok());
    EXPECT_EQ(inhalt, "neu");
    int fd = -1;
    ASSERT_TRUE(open_for_rewrite((brau / "Festbier.rez").string(), O_WRONLY | O_APPEND, fd).ok());
    EXPECT_EQ(::write(fd, "+", 1), 1);
    ::close(fd);
    EXPECT_EQ(lies(o.pfad / "geteilt/Festbier.rez"), "neu+");
    EXPECT_EQ(namen(brau), std::vector<std::string>{"Festbier.rez"});

    // Another user's link in a folder of that user's: the owner could replace it anyway.
    ASSERT_EQ(::chown(brau.c_str(), test::Fremder, test::Fremder), 0);
    ASSERT_EQ(::chmod(brau.c_str(), 01777), 0);
    ASSERT_EQ(::lchown((brau / "Festbier.rez").c_str(), test::Fremder, test::Fremder), 0);
    EXPECT_TRUE(write_atomically((brau / "Festbier.rez").string(), "wieder").ok());
    EXPECT_EQ(lies(o.pfad / "geteilt/Festbier.rez"), "wieder");

    // Our link to a plain file in that folder: the file is written, not the link.
    o.schreibe("brau/Pils.rez", "alt");
    fs::create_symlink(brau / "Pils.rez", o.pfad / "Pils.rez");
    EXPECT_TRUE(write_atomically((o.pfad / "Pils.rez").string(), "neu").ok());
    EXPECT_EQ(lies(brau / "Pils.rez"), "neu");
}

TEST(Lesen, ZumZurueckschreibenNurEinfacheDateien)
{
    Ordner o;
    std::string inhalt;
    EXPECT_EQ(read_file_to_rewrite((o.pfad / "fehlt").string(), 0, inhalt).errnum, ENOENT);
    EXPECT_EQ(read_file_to_rewrite(o.pfad.string(), 0, inhalt).kind, FileError::NotRegular);
    ASSERT_EQ(::mkfifo((o.pfad / "rohr").c_str(), 0600), 0);
    EXPECT_EQ(read_file_to_rewrite((o.pfad / "rohr").string(), 0, inhalt).kind, FileError::NotRegular);
    o.schreibe("gross", std::string(100, 'x'));
    EXPECT_EQ(read_file_to_rewrite((o.pfad / "gross").string(), 99, inhalt).kind, FileError::TooLarge);
    ASSERT_TRUE(read_file_to_rewrite((o.pfad / "gross").string(), 100, inhalt).ok());
    EXPECT_EQ(inhalt.size(), 100u);
    // A dangling link of our own names the file a save would create.
    fs::create_symlink("neu", o.pfad / "link");
    int fd = -1;
    ASSERT_TRUE(open_for_rewrite((o.pfad / "link").string(), O_WRONLY | O_CREAT | O_APPEND, fd).ok());
    ::close(fd);
    EXPECT_TRUE(fs::is_regular_file(o.pfad / "neu"));
    EXPECT_TRUE(fs::is_symlink(o.pfad / "link"));
}

} // namespace
} // namespace kw
