// The extra settings file: sections kept apart, owner-only, nothing lost on a bad file.

#include "program/Zusatzdatei.h"
#include "Testdatei.h"
#include "../fileio/Fremdlink.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace kw;

namespace {
fs::path neuer_Ordner()
{
    fs::path p = fs::temp_directory_path() / ("kw-zusatz-" + std::to_string(::getpid()) + "-"
                                               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(p);
    fs::create_directories(p);
    return p;
}
} // namespace

TEST(Zusatzdatei, AbschnitteBleibenGetrenntUndFremdesBleibtStehen)
{
    const fs::path o = neuer_Ordner();
    Zusatzdatei_Bericht b;
    EXPECT_TRUE(Zusatzdatei_Lesen(o, &b).leer());
    EXPECT_FALSE(b.vorhanden);
    EXPECT_TRUE(b.fehler.empty());

    test::schreibe(o / "Kesselwerk.ini", "; von Hand\r\n[Eigenes]\r\nx=1\r\n");
    std::string fehler;
    ASSERT_TRUE(Zusatzdatei_Aendern(o, [](Profildatei& d) { d.Ini_Schreiben("MQTT", "Host", "broker"); }, &fehler))
        << fehler;
    ASSERT_TRUE(Zusatzdatei_Aendern(o, [](Profildatei& d) { d.Ini_Schreiben("GPIO", "Chip", "pinctrl-bcm2711"); },
                                    &fehler));
    const Profildatei d = Zusatzdatei_Lesen(o, &b);
    EXPECT_TRUE(b.vorhanden);
    EXPECT_EQ(d.Ini_Lesen("MQTT", "Host"), "broker");
    EXPECT_EQ(d.Ini_Lesen("GPIO", "Chip"), "pinctrl-bcm2711");
    EXPECT_EQ(d.Ini_Lesen("Eigenes", "x"), "1");
    EXPECT_NE(test::lies(o / "Kesselwerk.ini").find("; von Hand"), std::string::npos);

    struct stat st {};
    ASSERT_EQ(::stat((o / "Kesselwerk.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    fs::remove_all(o);
}

TEST(Zusatzdatei, EinFremdesDingUnterDemNamenWirdNieUeberschrieben)
{
    const fs::path o = neuer_Ordner();
    fs::create_directory(o / "Kesselwerk.ini");
    Zusatzdatei_Bericht b;
    EXPECT_TRUE(Zusatzdatei_Lesen(o, &b).leer());
    EXPECT_TRUE(b.vorhanden);
    EXPECT_FALSE(b.fehler.empty());
    std::string fehler;
    EXPECT_FALSE(Zusatzdatei_Aendern(o, [](Profildatei& d) { d.Ini_Schreiben("MQTT", "Host", "x"); }, &fehler));
    EXPECT_NE(fehler.find("Kesselwerk.ini"), std::string::npos) << fehler;
    EXPECT_TRUE(fs::is_directory(o / "Kesselwerk.ini"));
    fs::remove_all(o);
}

TEST(Zusatzdatei, FremderLinkImStickyOrdnerWirdWederGelesenNochBeschrieben)
{
    if (!test::Als_Root())
        GTEST_SKIP() << test::Ohne_Root;
    const fs::path o = neuer_Ordner();
    fs::permissions(o, fs::perms::owner_all);
    test::schreibe(o / "unser.ini", "[MQTT]\r\nPasswort=geheim\r\n");
    const fs::path brau = o / "brau";
    ASSERT_TRUE(test::Sticky_Ordner(brau));
    ASSERT_TRUE(test::Link_Von(brau / "Kesselwerk.ini", "../unser.ini", test::Fremder));

    Zusatzdatei_Bericht b;
    EXPECT_TRUE(Zusatzdatei_Lesen(brau, &b).leer());
    EXPECT_NE(b.fehler.find("symbolic link not followed"), std::string::npos) << b.fehler;
    std::string fehler;
    EXPECT_FALSE(Zusatzdatei_Aendern(brau, [](Profildatei& d) { d.Ini_Schreiben("MQTT", "Host", "x"); }, &fehler));
    EXPECT_FALSE(fehler.empty());
    EXPECT_EQ(test::lies(o / "unser.ini"), "[MQTT]\r\nPasswort=geheim\r\n");
    EXPECT_TRUE(fs::is_symlink(brau / "Kesselwerk.ini"));
    fs::remove_all(o);
}
