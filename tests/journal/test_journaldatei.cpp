// The journal's writer on a disk that is slow or fails: the caller is never held,
// lines are kept until the disk recovers, what had to be dropped is counted.

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <thread>

#include "Journalbank.h"
#include "Plattenfehler.h"
#include "journal/Journaldatei.h"

namespace kw::test {
namespace {

using namespace journal;
using namespace std::chrono_literals;

std::string Lies(const std::filesystem::path& pfad)
{
    std::ifstream d(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(d), {}};
}

std::function<std::string(int)> Namen(const std::string& stamm)
{
    return [stamm](int n) { return stamm + (n == 1 ? "" : "_" + std::to_string(n)) + ".csv"; };
}

TEST(Journaldatei, ADiskThatHangsInSyncNeverHoldsTheCaller)
{
    Journalordner ordner;
    auto platte = std::make_shared<Platte>();
    platte->sync_halten = true;
    Journaldatei d(platte->optionen());
    const std::string sude = (ordner.pfad / "Sude").string();
    // the folder is made and synced, the file made and its folder synced: all on the writer
    const std::string erste = d.anlegen(sude, Namen("a"));
    EXPECT_EQ(erste, sude + "/a.csv");
    EXPECT_TRUE(d.anhaengen("eins\n", true));
    EXPECT_FALSE(d.warten());   // not on disk yet: it waited its 50 ms and no longer
    d.schliessen();
    EXPECT_EQ(d.anlegen(sude, Namen("a")), erste);   // the name it would have
    EXPECT_TRUE(d.anhaengen("zwei\n", true));
    d.schliessen();
    // every call came back while the disk still held the writer
    EXPECT_TRUE(platte->haelt());
    EXPECT_GE(platte->gehalten(), 1);
    platte->freigeben();
    ASSERT_TRUE(d.alles_warten(5s));
    EXPECT_FALSE(platte->von_selbst());
    // a name of its own for the second file of the same second
    EXPECT_EQ(d.stand().pfad, sude + "/a_2.csv");
    EXPECT_EQ(Lies(sude + "/a.csv"), "eins\n");
    EXPECT_EQ(Lies(sude + "/a_2.csv"), "zwei\n");
}

TEST(Journaldatei, AFullDiskKeepsTheLinesAndWritesThemWhenItRecovers)
{
    Journalordner ordner;
    auto platte = std::make_shared<Platte>();
    Journaldatei d(platte->optionen());
    d.anlegen(ordner.pfad.string(), Namen("j"));
    d.anhaengen("kopf\n", true);
    ASSERT_TRUE(d.alles_warten(5s));
    // full: the first line goes out in part and is cut off again, then nothing
    platte->fehler_schreiben = ENOSPC;
    platte->halb_schreiben = true;
    for (const char* z : {"1 Pause\n", "2 Freigabe\n", "3 Probe\n"})
        EXPECT_TRUE(d.anhaengen(z, true));
    EXPECT_FALSE(d.alles_warten(5s));   // returns as soon as the writer fails
    const Journaldatei::Stand voll = d.stand();
    EXPECT_NE(voll.schreibfehler.find(std::strerror(ENOSPC)), std::string::npos) << voll.schreibfehler;
    EXPECT_GE(voll.fehlerzahl, 1u);
    EXPECT_EQ(Lies(ordner.pfad / "j.csv"), "kopf\n");   // whole lines only
    EXPECT_FALSE(d.warten());   // no waiting on a failing disk

    platte->fehler_schreiben = 0;
    ASSERT_TRUE(Bis([&] { return d.alles_warten(10ms); }));
    EXPECT_EQ(Lies(ordner.pfad / "j.csv"), "kopf\n1 Pause\n2 Freigabe\n3 Probe\n");
    EXPECT_EQ(d.stand().schreibfehler, "");
    EXPECT_EQ(d.verloren(), 0u);
}

TEST(Journaldatei, LinesDroppedBeyondTheLimitAreCountedWhereTheyWereLost)
{
    Journalordner ordner;
    auto platte = std::make_shared<Platte>();
    Journaldatei::Optionen o = platte->optionen();
    o.hoechstzahl = 3;
    o.verlustzeile = [](std::uint64_t n, const std::string& naechste) {
        return "verloren " + std::to_string(n) + " vor " + naechste;
    };
    Journaldatei d(o);
    d.anlegen(ordner.pfad.string(), Namen("j"));
    platte->fehler_schreiben = ENOSPC;
    int angenommen = 0;
    for (int i = 1; i <= 8; ++i)
        angenommen += d.anhaengen(std::to_string(i) + "\n", true);
    EXPECT_EQ(angenommen, 3);
    EXPECT_EQ(d.verloren(), 5u);
    platte->fehler_schreiben = 0;
    ASSERT_TRUE(Bis([&] { return d.alles_warten(10ms); }));
    d.anhaengen("9\n", true);
    d.anhaengen("10\n", true);
    d.schliessen();
    ASSERT_TRUE(Bis([&] { return d.alles_warten(10ms); }));
    EXPECT_EQ(Lies(ordner.pfad / "j.csv"), "1\n2\n3\nverloren 5 vor 9\n9\n10\n");
}

TEST(Journaldatei, ASyncThatFailsIsToldAndTheNextOneClearsIt)
{
    Journalordner ordner;
    auto platte = std::make_shared<Platte>();
    Journaldatei d(platte->optionen());
    d.anlegen(ordner.pfad.string(), Namen("j"));
    platte->fehler_sync = EIO;
    d.anhaengen("a\n", true);
    d.alles_warten(5s);
    Journaldatei::Stand s = d.stand();
    EXPECT_NE(s.schreibfehler.find(std::strerror(EIO)), std::string::npos) << s.schreibfehler;
    EXPECT_EQ(s.fehlerzahl, 1u);
    platte->fehler_sync = 0;
    d.anhaengen("b\n", true);
    ASSERT_TRUE(d.alles_warten(5s));
    s = d.stand();
    EXPECT_EQ(s.schreibfehler, "");
    EXPECT_EQ(s.fehlerzahl, 1u);
    EXPECT_EQ(Lies(ordner.pfad / "j.csv"), "a\nb\n");
}

TEST(Journaldatei, AFileThatCannotBeMadeIsToldAndItsLinesGoNowhere)
{
    Journalordner ordner;
    std::ofstream(ordner.pfad / "Sude") << "x";   // a file where the folder should be
    Journaldatei d;
    d.anlegen((ordner.pfad / "Sude").string(), Namen("j"));
    d.anhaengen("a\n", true);
    EXPECT_TRUE(d.alles_warten(5s));
    EXPECT_NE(d.stand().oeffnungsfehler, "");
    // the next file works again, in folders that are made for it
    d.anlegen((ordner.pfad / "neu" / "Sude").string(), Namen("k"));
    d.anhaengen("b\n", true);
    ASSERT_TRUE(d.alles_warten(5s));
    EXPECT_EQ(d.stand().oeffnungsfehler, "");
    EXPECT_EQ(Lies(ordner.pfad / "neu" / "Sude" / "k.csv"), "b\n");
}

TEST(Journaldatei, TheEndWaitsBoundedForADiskThatNeverComesBack)
{
    Journalordner ordner;
    auto platte = std::make_shared<Platte>();
    Journaldatei::Optionen o = platte->optionen();
    o.abschluss = 100ms;
    {
        Journaldatei d(o);
        d.anlegen(ordner.pfad.string(), Namen("j"));
        d.anhaengen("a\n", true);
        ASSERT_TRUE(d.alles_warten(5s));
        platte->sync_halten = true;
        d.anhaengen("b\n", true);
        ASSERT_TRUE(Bis([&] { return platte->gehalten() >= 1; }));
    }   // gone while the writer hangs in its sync: the destructor came back
    EXPECT_TRUE(platte->haelt());
    platte->freigeben();   // the writer finishes on its own state
    ASSERT_TRUE(Bis([&] { return Lies(ordner.pfad / "j.csv") == "a\nb\n"; }));
}

} // namespace
} // namespace kw::test
