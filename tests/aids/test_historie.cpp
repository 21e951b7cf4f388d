#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "aids/Historie.h"
#include "../fileio/Frist.h"
#include "../fileio/Fremdlink.h"
#include "fileio/Dateiname.h"

namespace kw {
namespace {

namespace fs = std::filesystem;

class HistorieDatei : public ::testing::Test {
protected:
    void SetUp() override {
        ordner = fs::temp_directory_path() /
                  ("kw_aids_" + std::to_string(::getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(ordner);
        fs::create_directories(ordner);
    }
    void TearDown() override { fs::remove_all(ordner); }

    fs::path datei(const std::string& name) const { return ordner / name; }

    static std::string inhalt(const fs::path& p) {
        std::ifstream ein(p, std::ios::binary);
        std::ostringstream s;
        s << ein.rdbuf();
        return s.str();
    }
    static void schreibe(const fs::path& p, const std::string& text) {
        std::ofstream(p, std::ios::binary) << text;
    }

    fs::path ordner;
};

TEST(Historie, PfadAusBiersorte) {
    EXPECT_EQ(Historie_Pfad("/opt/brau", "Pils"), fs::path("/opt/brau/Pils.His"));
    EXPECT_EQ(Historie_Pfad("/opt/brau", ""), fs::path("/opt/brau/.His"));
    // The recipe's rule: a "/" is refused (no path, nothing written), a "\" is kept.
    EXPECT_EQ(Historie_Pfad("/opt/brau", "../../etc/x"), fs::path());
    EXPECT_FALSE(Historie_Schreiben(Historie_Pfad("/opt/brau", "a/b"), "x , 1 , 2 , 3\r\n"));
    EXPECT_EQ(Historie_Pfad("/opt/brau", "Alt\\Bier"), fs::path("/opt/brau/Alt\\Bier.His"));
    for (const char* name : {"a/b", "/", "x\ty", "..", "."}) {
        EXPECT_FALSE(Historie_Name_Erlaubt(name)) << name;
        EXPECT_EQ(Historie_Name_Erlaubt(name), Ist_Dateiname(name)) << name;
    }
    for (const char* name : {"Alt\\Bier", "Märzen", "IPA 2026"})
        EXPECT_TRUE(Historie_Name_Erlaubt(name) && Ist_Dateiname(name)) << name;
}

TEST(Historie, ZeitstempelOrtszeit) {
    using namespace std::chrono;
    // TZ=UTC in the test environment.
    const sys_seconds t = sys_days{2026y / December / 7} + 17h + 35min + 10s;
    EXPECT_EQ(Zeitstempel_Text(t), "07.12.2026 17:35:10");
}

TEST(Historie, ZeileImmerMitPunkt) {
    EXPECT_EQ(Historie_Zeile("07.12.2026 17:35:10", "62.5", "63.0", "64.0"),
              "07.12.2026 17:35:10 , 62.5 , 63.0 , 64.0\r\n");
    EXPECT_EQ(Historie_Zeile("07.12.2026 17:35:10", "62,5", "63", "64,25"),
              "07.12.2026 17:35:10 , 62.5 , 63 , 64.25\r\n");
    EXPECT_EQ(Historie_Zeile("Mo, 7.12.\n", "0.0", "0", "0.0"), "Mo  7.12.  , 0.0 , 0 , 0.0\r\n");
}

TEST_F(HistorieDatei, ZeileLiestSichZurueck) {
    const fs::path p = datei("Pils.His");
    ASSERT_TRUE(Historie_Schreiben(p, "07.12.2026 17:35:10 , 62.5 , 63.0 , 64.0\r\n"));
    const HisKurve k = Kurve_Lesen(p);
    ASSERT_TRUE(k.geoeffnet);
    EXPECT_EQ(k.His_Zeit[0], "07.12.2026 17:35:10");
    // Halves go to the even neighbour: 62.5 -> 62.
    EXPECT_EQ(k.His_Ist[0], 62);
    EXPECT_EQ(k.His_SollAkt[0], 63);
    EXPECT_EQ(k.His_Soll[0], 64);
    EXPECT_EQ(k.His_Ist[1], 0);
    EXPECT_EQ(k.His_Zeit[1], "");
}

TEST_F(HistorieDatei, AnhaengenLaesstFruehereZeilenStehen) {
    const fs::path p = datei("Pils.His");
    const std::string z1 = Historie_Zeile("07.12.2026 17:35:10", "62.5", "63.0", "64.0");
    const std::string z2 = Historie_Zeile("07.12.2026 17:35:15", "63,5", "63", "64");
    ASSERT_TRUE(Historie_Schreiben(p, z1));
    ASSERT_TRUE(Historie_Schreiben(p, z2));
    EXPECT_EQ(inhalt(p), z1 + z2);

    // A last line torn off without its line end is closed, not glued to the new one.
    schreibe(p, z1 + "07.12.2026 17:3");
    ASSERT_TRUE(Historie_Schreiben(p, z2));
    EXPECT_EQ(inhalt(p), z1 + "07.12.2026 17:3\r\n" + z2);
    schreibe(p, z1 + "07.12.2026 17:3\r");
    ASSERT_TRUE(Historie_Schreiben(p, z2));
    EXPECT_EQ(inhalt(p), z1 + "07.12.2026 17:3\r\n" + z2);

    const HisKurve k = Kurve_Lesen(p);
    EXPECT_EQ(k.His_Ist[0], 62);
    EXPECT_EQ(k.His_Ist[1], 0);  // the torn record
    EXPECT_EQ(k.His_Ist[2], 64);  // 63.5 -> 64
    EXPECT_EQ(k.His_Soll[2], 64);
}

TEST_F(HistorieDatei, SchreibenOhneOrdnerMisslingt) {
    EXPECT_FALSE(Historie_Schreiben(ordner / "fehlt" / "Pils.His", "x , 1 , 2 , 3\r\n"));
    EXPECT_FALSE(Historie_Neu(ordner / "fehlt" / "Pils.His"));
}

TEST_F(HistorieDatei, NeuErsetztDieDatei) {
    const fs::path p = datei("Pils.His");
    schreibe(p, "alt , 1 , 2 , 3\r\n");
    ASSERT_TRUE(Historie_Neu(p));
    EXPECT_TRUE(fs::exists(p));
    EXPECT_EQ(fs::file_size(p), 0u);
    EXPECT_EQ(std::distance(fs::directory_iterator(ordner), fs::directory_iterator{}), 1);
}

TEST_F(HistorieDatei, LesenVonDateienAllerArt) {
    struct Fall {
        const char* name;
        std::string text;
        int ist0, soll_akt0, soll0;
        int ist1, soll_akt1, soll1;
    };
    const Fall faelle[] = {
        {"Unix-Zeilenenden", "a , 20.4 , 21 , 22\nb , 23.6 , 24 , 25\n", 20, 21, 22, 24, 24, 25},
        {"altes Dezimalkomma", "a , 62,5 , 63,0 , 64,0\r\nb , 63,5 , 0 , 1,5\r\n", 62, 63, 64, 64, 0, 2},
        {"Kommas ohne Blanks", "a,62.5,63.5,64\r\nb,1,2,3\r\n", 62, 64, 64, 1, 2, 3},
        {"unlesbare Felder", "a , x , 40000 , 7\r\nb , 1 , 2\r\n", 0, 0, 7, 1, 2, 0},
        {"Leerzeilen zaehlen nicht", "\r\na , 1 , 2 , 3\r\n   \r\nb , 4 , 5 , 6", 1, 2, 3, 4, 5, 6},
        {"negative Werte", "a , -2.5 , -3.5 , -0.4\r\n", -2, -4, 0, 0, 0, 0},
    };
    for (const Fall& f : faelle) {
        const fs::path p = datei("f.His");
        schreibe(p, f.text);
        const HisKurve k = Kurve_Lesen(p);
        EXPECT_EQ(k.His_Ist[0], f.ist0) << f.name;
        EXPECT_EQ(k.His_SollAkt[0], f.soll_akt0) << f.name;
        EXPECT_EQ(k.His_Soll[0], f.soll0) << f.name;
        EXPECT_EQ(k.His_Ist[1], f.ist1) << f.name;
        EXPECT_EQ(k.His_SollAkt[1], f.soll_akt1) << f.name;
        EXPECT_EQ(k.His_Soll[1], f.soll1) << f.name;
    }
}

TEST_F(HistorieDatei, HoechstensZweihundertProben) {
    const fs::path p = datei("lang.His");
    for (int i = 1; i <= 250; ++i)
        ASSERT_TRUE(Historie_Schreiben(p, Historie_Zeile("t", std::to_string(i), "0", "0")));
    const HisKurve k = Kurve_Lesen(p);
    EXPECT_EQ(k.His_Ist[0], 1);
    EXPECT_EQ(k.His_Ist[199], 200);
}

TEST_F(HistorieDatei, DreiZeilenDannNullen) {
    const fs::path p = datei("kurz.His");
    for (const char* t : {"61.0", "62.0", "63.0"})
        ASSERT_TRUE(Historie_Schreiben(p, Historie_Zeile("t", t, t, t)));
    const HisKurve k = Kurve_Lesen(p);
    EXPECT_EQ(k.His_Ist[2], 63);
    for (int i = 3; i < His_Proben; ++i) {
        EXPECT_EQ(k.His_Ist[i], 0);
        EXPECT_EQ(k.His_SollAkt[i], 0);
        EXPECT_EQ(k.His_Soll[i], 0);
    }
}

TEST_F(HistorieDatei, FehlendeDateiGibtNullen) {
    const HisKurve k = Kurve_Lesen(datei("fehlt.His"));
    EXPECT_FALSE(k.geoeffnet);
    EXPECT_EQ(k.His_Ist[0], 0);
}

TEST_F(HistorieDatei, UeberlangeZeileOhneZeilenende) {
    const fs::path p = datei("binaer.His");
    schreibe(p, std::string(100000, 'x') + "\n1 , 2 , 3 , 4\n");
    const HisKurve k = Kurve_Lesen(p);
    EXPECT_EQ(k.His_Ist[0], 0);
    EXPECT_EQ(k.His_Ist[1], 2);
}

TEST_F(HistorieDatei, KeineRohrleitungenUndGeraete) {
    // A device never ends and a pipe may block: neither is read or written.
    const HisKurve k = Kurve_Lesen("/dev/zero");
    EXPECT_FALSE(k.geoeffnet);
    EXPECT_EQ(k.His_Ist[0], 0);

    const fs::path rohr = datei("Rohr.His");
    ASSERT_EQ(::mkfifo(rohr.c_str(), 0600), 0);
    // Holding both ends: a write that got through would land in the pipe, not block.
    const int fd = ::open(rohr.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(Historie_Schreiben(rohr, "x , 1 , 2 , 3\r\n"));
    char puffer[8];
    EXPECT_LT(::read(fd, puffer, sizeof puffer), 0);  // nothing arrived
    ::close(fd);
}

TEST_F(HistorieDatei, VerknuepfteHistorieBleibtVerknuepft) {
    fs::create_directories(ordner / "archiv");
    schreibe(ordner / "archiv" / "Pils.His", "alt , 1 , 2 , 3\r\n");
    fs::create_symlink("archiv/Pils.His", datei("Pils.His"));
    // A new brew empties the file the link names; the link stays.
    ASSERT_TRUE(Historie_Neu(datei("Pils.His")));
    EXPECT_TRUE(fs::is_symlink(datei("Pils.His")));
    EXPECT_EQ(inhalt(ordner / "archiv" / "Pils.His"), "");
    ASSERT_TRUE(Historie_Schreiben(datei("Pils.His"), "t , 60 , 61 , 62\r\n"));
    EXPECT_EQ(inhalt(ordner / "archiv" / "Pils.His"), "t , 60 , 61 , 62\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(ordner), {}), 2);

    // A folder open to everyone: the link is neither written through nor replaced.
    fs::permissions(ordner, fs::perms::all);
    EXPECT_FALSE(Historie_Schreiben(datei("Pils.His"), "u , 60 , 61 , 62\r\n"));
    EXPECT_FALSE(Historie_Neu(datei("Pils.His")));
    EXPECT_TRUE(fs::is_symlink(datei("Pils.His")));
    EXPECT_EQ(inhalt(ordner / "archiv" / "Pils.His"), "t , 60 , 61 , 62\r\n");
    // A plain file there is written as before.
    EXPECT_TRUE(Historie_Schreiben(datei("Alt.His"), "u , 60 , 61 , 62\r\n"));
    fs::permissions(ordner, fs::perms::owner_all);
}

TEST_F(HistorieDatei, FremderLinkImStickyOrdnerWirdNichtBeschrieben) {
    if (!test::Als_Root()) GTEST_SKIP() << test::Ohne_Root;
    fs::create_directories(ordner / "privat");
    fs::permissions(ordner / "privat", fs::perms::owner_all);
    schreibe(ordner / "privat" / "Pils.His", "alt , 1 , 2 , 3\r\n");
    const fs::path brau = ordner / "brau";
    ASSERT_TRUE(test::Sticky_Ordner(brau));
    ASSERT_TRUE(test::Link_Von(brau / "Pils.His", "../privat/Pils.His", test::Fremder));
    // One to a file not there yet: appending must not create it.
    ASSERT_TRUE(test::Link_Von(brau / "Neu.His", (ordner / "privat" / "Neu.His").string(), test::Fremder));

    EXPECT_FALSE(Historie_Schreiben(brau / "Pils.His", "t , 60 , 61 , 62\r\n"));
    EXPECT_FALSE(Historie_Neu(brau / "Pils.His"));
    EXPECT_FALSE(Historie_Schreiben(brau / "Neu.His", "t , 60 , 61 , 62\r\n"));
    EXPECT_EQ(inhalt(ordner / "privat" / "Pils.His"), "alt , 1 , 2 , 3\r\n");
    EXPECT_FALSE(fs::exists(ordner / "privat" / "Neu.His"));
    EXPECT_TRUE(fs::is_symlink(brau / "Pils.His"));
    EXPECT_EQ(std::distance(fs::directory_iterator(brau), {}), 2);

    // Our own link there is appended through.
    ASSERT_EQ(::lchown((brau / "Pils.His").c_str(), ::geteuid(), ::getegid()), 0);
    ASSERT_TRUE(Historie_Schreiben(brau / "Pils.His", "t , 60 , 61 , 62\r\n"));
    EXPECT_EQ(inhalt(ordner / "privat" / "Pils.His"), "alt , 1 , 2 , 3\r\nt , 60 , 61 , 62\r\n");
    EXPECT_TRUE(fs::is_symlink(brau / "Pils.His"));
}

TEST_F(HistorieDatei, RohrleitungBlockiertWederNeuNochKurve) {
    const fs::path rohr = datei("Rohr.His");
    ASSERT_EQ(::mkfifo(rohr.c_str(), 0600), 0);
    EXPECT_EQ(test::in_Frist([&] { return !Historie_Neu(rohr); }), test::Fristergebnis::Wahr);
    EXPECT_EQ(test::in_Frist([&] { return !Kurve_Lesen(rohr).geoeffnet; }), test::Fristergebnis::Wahr);
    EXPECT_TRUE(fs::is_fifo(rohr));
}

TEST_F(HistorieDatei, RiesigeDateiWirdNichtGanzGelesen) {
    // A file without line ends is read only so far; the record behind it is not reached.
    const fs::path p = datei("gross.His");
    schreibe(p, std::string(std::size_t{5} << 20, 'x') + "\n1 , 2 , 3 , 4\n");
    const HisKurve k = Kurve_Lesen(p);
    EXPECT_TRUE(k.geoeffnet);
    EXPECT_EQ(k.His_Ist[0], 0);
    EXPECT_EQ(k.His_Ist[1], 0);
}

TEST(Historie, EndungHis) {
    const std::pair<const char*, bool> faelle[] = {
        {"/opt/brau/Pils.His", true}, {"Pils.his", false}, {"Pils.HIS", false},
        {"Pils.txt", false},          {"", false},         {"His", true},
        {"Hi", false},
    };
    for (auto [name, erwartet] : faelle) EXPECT_EQ(Endung_His(name), erwartet) << name;
}

TEST(Historie, KurvenKoordinaten) {
    // 600 x 375 pixels: one sample every 3 px, 5 px per 1 °C.
    const double w = 600.0, h = 375.75;
    const KurvenPunkt oben_links = Kurve_Zu_Pixel(0.0, 100.0, w, h);
    EXPECT_DOUBLE_EQ(oben_links.x, 0.0);
    EXPECT_DOUBLE_EQ(oben_links.y, 0.0);
    const KurvenPunkt unten_rechts = Kurve_Zu_Pixel(200.0, 24.85, w, h);
    EXPECT_DOUBLE_EQ(unten_rechts.x, w);
    EXPECT_NEAR(unten_rechts.y, h, 1e-9);
    const KurvenPunkt p = Kurve_Zu_Pixel(57.0, 63.0, w, h);
    EXPECT_DOUBLE_EQ(p.x, 171.0);
    EXPECT_NEAR(p.y, 185.0, 1e-9);
    // Missing samples (0 °C) lie below the area.
    EXPECT_GT(Kurve_Zu_Pixel(1.0, 0.0, w, h).y, h);

    const KurvenPunkt zurueck = Pixel_Zu_Kurve(171.0, 185.0, w, h);
    EXPECT_NEAR(zurueck.x, 57.0, 1e-9);
    EXPECT_NEAR(zurueck.y, 63.0, 1e-9);
    const KurvenPunkt leer = Pixel_Zu_Kurve(10.0, 10.0, 0.0, 0.0);
    EXPECT_EQ(leer.x, 0.0);
    EXPECT_EQ(leer.y, 100.0);

    EXPECT_EQ(Punkt_Text(57.0f, 63.0f, ','), "57 ---63");
    EXPECT_EQ(Punkt_Text(57.5f, 62.25f, ','), "57,5 ---62,25");
}

}  // namespace
}  // namespace kw
