// Configuration file, the settings screen's logic and the DigiTemp command lines.

#include "Tempordner.h"

#include "hardware/Digitemp.h"
#include "hardware/Einstellungen.h"
#include "hardware/Konfiguration.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <sys/stat.h>

#include "../fileio/Frist.h"
#include "../fileio/Fremdlink.h"

using kw::test::Tempordner;

namespace kw {
namespace {

const std::string musterdatei = "digitemp_DS9097U\r\nsudlog\r\n3\r\n3BC\r\n2\r\n\x01reserviert \xff\r\n"
                                "Rührwerk 2 Ein\r\nRührwerk 2 Aus\r\nPumpe Ein\r\nPumpe Aus\r\nE3 Ein\r\nE3 Aus\r\n"
                                "Licht an\r\nLicht aus\r\n2\r\n1\r\n7\r\n";

TEST(Konfiguration, LesenSchreibenHinUndZurueck)
{
    Tempordner d;
    d.schreibe("Kesselwerk.cfg", musterdatei);
    Lesebericht b;
    auto k = Datei_Lesen(d / "Kesselwerk.cfg", &b);
    EXPECT_TRUE(b.geoeffnet);
    EXPECT_EQ(b.zeilen, 17);
    EXPECT_EQ(k.NameDigitemp, "digitemp_DS9097U");
    EXPECT_EQ(k.NameLogFile, "sudlog");
    EXPECT_EQ(k.Schnittstelle, "3");
    EXPECT_EQ(k.LPT_Def_Adresse, "3BC");
    EXPECT_EQ(k.COM_Port, "2");
    EXPECT_EQ(k.Reserviert, "\x01reserviert \xff") << "line 6 passes byte for byte";
    EXPECT_EQ(k.ExtraEin(1), "Rührwerk 2 Ein");
    EXPECT_EQ(k.ExtraAus(4), "Licht aus");
    EXPECT_EQ(k.Signal, "2");
    EXPECT_EQ(k.Gradient, "1");
    EXPECT_EQ(k.Sprache, "7");

    ASSERT_TRUE(Datei_Schreiben(d / "neu.cfg", k));
    EXPECT_EQ(d.lies("neu.cfg"), musterdatei) << "17 values, each followed by CR LF";
    EXPECT_EQ(Datei_Lesen(d / "neu.cfg"), k);
}

TEST(Konfiguration, FehlendeDateiGibtVorgaben)
{
    Tempordner d;
    Lesebericht b;
    auto k = Datei_Lesen(d / "gibtsnicht.cfg", &b);
    EXPECT_FALSE(b.geoeffnet);
    EXPECT_EQ(k, Konfiguration{});
    EXPECT_EQ(k.NameDigitemp, "digitemp_DS9097");
    EXPECT_EQ(k.NameLogFile, "templog");
    EXPECT_EQ(k.ExtraEin(3), "Extra3 Ein");
    EXPECT_EQ(k.ExtraAus(2), "Extra2 Aus");
    // A folder where the file should be is unreadable, not fatal.
    std::filesystem::create_directory(d.pfad / "ordner.cfg");
    EXPECT_EQ(Datei_Lesen(d / "ordner.cfg", &b), Konfiguration{});
    EXPECT_FALSE(b.geoeffnet);
}

TEST(Konfiguration, KurzeDateiUndNurLF)
{
    Tempordner d;
    d.schreibe("k.cfg", "meindigi\nmeinlog\n4"); // Unix line ends, last line without one
    Lesebericht b;
    auto k = Datei_Lesen(d / "k.cfg", &b);
    EXPECT_EQ(b.zeilen, 3);
    EXPECT_EQ(k.NameDigitemp, "meindigi");
    EXPECT_EQ(k.NameLogFile, "meinlog");
    EXPECT_EQ(k.Schnittstelle, "4");
    Konfiguration vorgabe;
    EXPECT_EQ(k.COM_Port, vorgabe.COM_Port);
    EXPECT_EQ(k.Conf_Extra, vorgabe.Conf_Extra);
    EXPECT_EQ(k.Sprache, "1");

    d.schreibe("leer.cfg", "");
    EXPECT_EQ(Datei_Lesen(d / "leer.cfg", &b), Konfiguration{});
    EXPECT_TRUE(b.geoeffnet);
    EXPECT_EQ(b.zeilen, 0);

    // Empty lines are values, not missing lines.
    d.schreibe("leerzeilen.cfg", "\r\n\r\n\r\n\r\n");
    k = Datei_Lesen(d / "leerzeilen.cfg", &b);
    EXPECT_EQ(b.zeilen, 4);
    EXPECT_EQ(k.NameDigitemp, "");
    EXPECT_EQ(k.LPT_Def_Adresse, "");
    EXPECT_EQ(k.COM_Port, "1");
}

TEST(Konfiguration, MuellUndWindowsZeichen)
{
    Tempordner d;
    std::string muell(200000, '\0');
    for (std::size_t i = 0; i < muell.size(); ++i)
        muell[i] = static_cast<char>((i * 7919 + 13) % 251);
    d.schreibe("muell.cfg", muell);
    Lesebericht b;
    auto k = Datei_Lesen(d / "muell.cfg", &b);
    EXPECT_EQ(b.zeilen, 17);
    // Whatever came in, it is saved as 17 lines, and saving again changes nothing.
    ASSERT_TRUE(Datei_Schreiben(d / "wieder.cfg", k));
    auto k2 = Datei_Lesen(d / "wieder.cfg", &b);
    EXPECT_EQ(b.zeilen, 17);
    ASSERT_TRUE(Datei_Schreiben(d / "nochmal.cfg", k2));
    EXPECT_EQ(d.lies("nochmal.cfg"), d.lies("wieder.cfg"));
    EXPECT_EQ(Datei_Lesen(d / "nochmal.cfg"), k2);
    std::size_t zeilenenden = 0;
    const std::string gespeichert = d.lies("wieder.cfg");
    for (std::size_t p = 0; (p = gespeichert.find("\r\n", p)) != std::string::npos; p += 2)
        ++zeilenenden;
    EXPECT_EQ(zeilenenden, 17u);

    // A file saved by the Windows program: "Rührwerk" in Windows-1252.
    d.schreibe("win.cfg", "digitemp\r\ntemplog\r\n1\r\n\r\n1\r\n\xfc\r\nR\xfchrwerk Ein\r\n\x80 Ein\r\n");
    k = Datei_Lesen(d / "win.cfg");
    EXPECT_EQ(k.ExtraEin(1), "Rührwerk Ein");
    EXPECT_EQ(k.ExtraAus(1), "€ Ein");
    EXPECT_EQ(k.Reserviert, "\xfc");
}

TEST(Konfiguration, ZeilenumbruchImWertVerschiebtNichts)
{
    Tempordner d;
    Konfiguration k;
    k.Conf_Extra[0] = "zwei\r\nZeilen";
    ASSERT_TRUE(Datei_Schreiben(d / "k.cfg", k));
    auto wieder = Datei_Lesen(d / "k.cfg");
    EXPECT_EQ(wieder.ExtraEin(1), "zwei  Zeilen");
    EXPECT_EQ(wieder.Sprache, "1");
}

TEST(Konfiguration, SchreibenIstAtomar)
{
    Tempordner d;
    d.schreibe("Kesselwerk.cfg", musterdatei);
    ::chmod((d / "Kesselwerk.cfg").c_str(), 0640);
    Konfiguration k;
    k.NameLogFile = "neu";
    ASSERT_TRUE(Datei_Schreiben(Konfigurationsdatei_Pfad(d.str()), k));
    EXPECT_EQ(Datei_Lesen(d / "Kesselwerk.cfg").NameLogFile, "neu");
    int dateien = 0;
    for (auto& e : std::filesystem::directory_iterator(d.pfad)) {
        (void)e;
        ++dateien;
    }
    EXPECT_EQ(dateien, 1) << "no temporary file left behind";
    struct stat st {};
    ::stat((d / "Kesselwerk.cfg").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u) << "the file keeps its permissions";

    std::string fehler;
    EXPECT_FALSE(Datei_Schreiben(d / "fehlt/Kesselwerk.cfg", k, &fehler));
    EXPECT_FALSE(fehler.empty());
    EXPECT_EQ(Datei_Lesen(d / "Kesselwerk.cfg").NameLogFile, "neu");
}

TEST(Konfiguration, JedesZeilenendeIstEinZeilenende)
{
    // The same file from a CR-only editor, and with the three line ends mixed.
    Tempordner d;
    std::string nur_cr = musterdatei;
    for (std::size_t p; (p = nur_cr.find("\r\n")) != std::string::npos;)
        nur_cr.replace(p, 2, "\r");
    d.schreibe("cr.cfg", nur_cr);
    Lesebericht b;
    const Konfiguration k = Datei_Lesen(d / "cr.cfg", &b);
    EXPECT_EQ(b.zeilen, 17);
    EXPECT_EQ(k, Datei_Lesen([&] { d.schreibe("crlf.cfg", musterdatei); return d / "crlf.cfg"; }()));
    EXPECT_EQ(k.NameDigitemp, "digitemp_DS9097U");
    EXPECT_EQ(k.Sprache, "7");

    d.schreibe("gemischt.cfg", "werkzeug\rlog\n2\r\n\r\r1\n");
    const Konfiguration g = Datei_Lesen(d / "gemischt.cfg", &b);
    EXPECT_EQ(b.zeilen, 6);
    EXPECT_EQ(g.NameDigitemp, "werkzeug");
    EXPECT_EQ(g.NameLogFile, "log");
    EXPECT_EQ(g.Schnittstelle, "2");
    EXPECT_EQ(g.LPT_Def_Adresse, "");
    EXPECT_EQ(g.COM_Port, "");
    EXPECT_EQ(g.Reserviert, "1");
}

TEST(Konfiguration, VerknuepfteDateiBleibtVerknuepft)
{
    namespace fs = std::filesystem;
    Tempordner d;
    fs::create_directories(d.pfad / "geteilt");
    d.schreibe("geteilt/Kesselwerk.cfg", musterdatei);
    fs::create_symlink("geteilt/Kesselwerk.cfg", d.pfad / "Kesselwerk.cfg");
    Konfiguration k = Datei_Lesen(d / "Kesselwerk.cfg");
    k.Sprache = "2";
    std::string fehler;
    ASSERT_TRUE(Datei_Schreiben(d / "Kesselwerk.cfg", k, &fehler)) << fehler;
    EXPECT_TRUE(fs::is_symlink(d.pfad / "Kesselwerk.cfg"));
    EXPECT_EQ(Datei_Lesen(d / "geteilt/Kesselwerk.cfg").Sprache, "2");
    EXPECT_EQ(std::distance(fs::directory_iterator(d.pfad), {}), 2);

    // In a folder anyone may write, the link is not followed and the save is refused.
    fs::permissions(d.pfad, fs::perms::all);
    k.Sprache = "6";
    EXPECT_FALSE(Datei_Schreiben(d / "Kesselwerk.cfg", k, &fehler));
    EXPECT_NE(fehler.find("symbolic link"), std::string::npos) << fehler;
    EXPECT_EQ(Datei_Lesen(d / "geteilt/Kesselwerk.cfg").Sprache, "2");
    fs::permissions(d.pfad, fs::perms::owner_all);
}

TEST(Konfiguration, FremderLinkImStickyOrdnerWirdWederGelesenNochBeschrieben)
{
    namespace fs = std::filesystem;
    if (!test::Als_Root())
        GTEST_SKIP() << test::Ohne_Root;
    Tempordner d;  // 0700, ours
    d.schreibe("unser.cfg", musterdatei);
    const fs::path brau = d.pfad / "brau";
    ASSERT_TRUE(test::Sticky_Ordner(brau));
    ASSERT_TRUE(test::Link_Von(brau / "Kesselwerk.cfg", "../unser.cfg", test::Fremder));

    // Read as no file: the defaults, and the reason for the settings screen.
    Lesebericht b;
    EXPECT_EQ(Datei_Lesen((brau / "Kesselwerk.cfg").string(), &b), Konfiguration{});
    EXPECT_FALSE(b.geoeffnet);
    EXPECT_NE(b.fehler.find("symbolic link not followed"), std::string::npos) << b.fehler;

    Konfiguration k;
    k.Sprache = "2";
    std::string fehler;
    EXPECT_FALSE(Datei_Schreiben((brau / "Kesselwerk.cfg").string(), k, &fehler));
    EXPECT_NE(fehler.find("symbolic link not followed"), std::string::npos) << fehler;
    EXPECT_EQ(d.lies("unser.cfg"), musterdatei);
    EXPECT_TRUE(fs::is_symlink(brau / "Kesselwerk.cfg"));
    EXPECT_EQ(std::distance(fs::directory_iterator(brau), {}), 1);

    // Our own link there is followed.
    ASSERT_EQ(::lchown((brau / "Kesselwerk.cfg").c_str(), ::geteuid(), ::getegid()), 0);
    EXPECT_EQ(Datei_Lesen((brau / "Kesselwerk.cfg").string(), &b).Sprache, "7");
    EXPECT_TRUE(b.fehler.empty()) << b.fehler;
    ASSERT_TRUE(Datei_Schreiben((brau / "Kesselwerk.cfg").string(), k, &fehler)) << fehler;
    EXPECT_EQ(Datei_Lesen(d / "unser.cfg").Sprache, "2");
    EXPECT_TRUE(fs::is_symlink(brau / "Kesselwerk.cfg"));

    // A missing file is no fault to report.
    Datei_Lesen(d / "fehlt.cfg", &b);
    EXPECT_TRUE(b.fehler.empty());
}

TEST(Konfiguration, RohrleitungWirdWederGelesenNochBeschrieben)
{
    namespace fs = std::filesystem;
    Tempordner d;
    const std::string rohr = d / "Kesselwerk.cfg";
    ASSERT_EQ(::mkfifo(rohr.c_str(), 0600), 0);
    EXPECT_EQ(test::in_Frist([&] {
                  Lesebericht b;
                  Datei_Lesen(rohr, &b);
                  return !b.geoeffnet;
              }),
              test::Fristergebnis::Wahr);
    std::string fehler;
    EXPECT_FALSE(Datei_Schreiben(rohr, Konfiguration{}, &fehler));
    EXPECT_NE(fehler.find("not a regular file"), std::string::npos) << fehler;
    EXPECT_TRUE(fs::is_fifo(rohr));
    EXPECT_EQ(std::distance(fs::directory_iterator(d.pfad), {}), 1);
}

TEST(Konfiguration, Zahlzeilen)
{
    EXPECT_EQ(Zeilenzahl_Lesen("3"), 3);
    EXPECT_EQ(Zeilenzahl_Lesen(" 4 "), 4);
    EXPECT_EQ(Zeilenzahl_Lesen("0"), 0);
    for (const char* t : {"", " ", "x", "1.0", "-1", "2a", "99999999999"})
        EXPECT_EQ(Zeilenzahl_Lesen(t), -1) << t;
}

// The selected option of each group: interface, COM, signal, gradient, language.
using Auswahl = std::array<short, 5>;
Auswahl auswahl(const Dialogstand& d)
{
    return {d.Auswahl_Schnittstelle, d.Auswahl_COM, d.Auswahl_Signal, d.Auswahl_Gradient, d.Auswahl_Sprache};
}

TEST(Einstellungen, LadenWaehltOptionenOderLaesstSie)
{
    Konfiguration k = Datei_Lesen("/nonexistent");
    k.Schnittstelle = "4";
    k.COM_Port = "3";
    k.Signal = "2";
    k.Gradient = "1";
    k.Sprache = "2";
    Dialogstand d;
    auto w = Konfiguration_Laden(k, d);
    EXPECT_EQ(w.Schnittstelle, 4);
    EXPECT_EQ(w.Sprachnummer, 2);
    EXPECT_EQ(auswahl(d), (Auswahl{4, 3, 2, 1, 2}));
    EXPECT_EQ(d.NameDigitemp, "digitemp_DS9097");

    // Out of range or not a number: the options stay as they were; the language falls back to German.
    k.Schnittstelle = "0";
    k.COM_Port = "COM2";
    k.Signal = "3";
    k.Gradient = "";
    k.Sprache = "9";
    w = Konfiguration_Laden(k, d);
    EXPECT_FALSE(w.Schnittstelle) << "line 3 = 0 leaves Schnittstelle as it is (LPT1 after start)";
    EXPECT_EQ(auswahl(d), (Auswahl{4, 3, 2, 1, 1}));
    EXPECT_EQ(w.Sprachnummer, 1);

    Dialogstand frisch;
    Konfiguration_Laden(k, frisch);
    EXPECT_EQ(auswahl(frisch), (Auswahl{1, 1, 1, 2, 1})) << "a fresh dialog keeps its defaults";
}

TEST(Einstellungen, UebernehmenBeiOK)
{
    Konfiguration bisher;
    bisher.Reserviert = "frei";
    bisher.Signal = "2";
    bisher.Gradient = "1";
    bisher.Sprache = "6";
    Dialogstand d;
    d.NameDigitemp = "dt";
    d.NameLogFile = "lg";
    d.LPT_DEF = "3bc";
    d.Auswahl_Schnittstelle = 0;
    d.Auswahl_COM = 0;
    d.Auswahl_Signal = 0;
    d.Auswahl_Gradient = 0;
    d.Auswahl_Sprache = 0;
    auto k = Konfiguration_Uebernehmen(d, bisher);
    EXPECT_EQ(k.Schnittstelle, "0");
    EXPECT_EQ(k.COM_Port, "0") << "no COM option: 0 on line 5";
    EXPECT_EQ(k.Signal, "2") << "no signal option: line 15 as before";
    EXPECT_EQ(k.Gradient, "1");
    EXPECT_EQ(k.Sprache, "6");
    EXPECT_EQ(k.Reserviert, "frei");
    EXPECT_EQ(k.NameDigitemp, "dt");
    EXPECT_EQ(k.LPT_Def_Adresse, "3bc");

    d.Auswahl_Schnittstelle = 5;
    d.Auswahl_COM = 4;
    d.Auswahl_Signal = 1;
    d.Auswahl_Gradient = 2;
    d.Auswahl_Sprache = 3;
    k = Konfiguration_Uebernehmen(d, bisher);
    EXPECT_EQ(k.Schnittstelle, "5");
    EXPECT_EQ(k.COM_Port, "4");
    EXPECT_EQ(k.Signal, "1");
    EXPECT_EQ(k.Gradient, "2");
    EXPECT_EQ(k.Sprache, "3");
}

TEST(Einstellungen, AnwendenAufsHauptbild)
{
    Dialogstand d;
    d.Conf_Extra = {"Pumpe Ein", "Pumpe Aus", "Ein", "x", "Rührwerk ÄÖÜ", "", "ab", ""};
    d.Auswahl_Signal = 1;
    d.Auswahl_Gradient = 1;
    auto e = Einstellungen_Anwenden(d);
    EXPECT_EQ(e.Man_Extra[0], "Pumpe Ein");
    EXPECT_EQ(e.Extra_Lampen[0], "Pumpe ");
    EXPECT_EQ(e.Extra_Lampen[1], "") << "exactly three characters give an empty label";
    EXPECT_EQ(e.Extra_Lampen[2], "Rührwerk ") << "characters, not bytes";
    EXPECT_EQ(e.Extra_Lampen[3], "ab") << "shorter than three: shown whole";
    EXPECT_EQ(e.Signal_Dauer, 0);
    EXPECT_EQ(e.Gradient_Ein, 1);
    d.Auswahl_Signal = 0; // neither selected: steady, gradient off
    d.Auswahl_Gradient = 0;
    e = Einstellungen_Anwenden(d);
    EXPECT_EQ(e.Signal_Dauer, 1);
    EXPECT_EQ(e.Gradient_Ein, 0);
}

TEST(Digitemp, Initialisierungszeile)
{
    Tempordner d; // no tool in the folder: the name goes to PATH
    auto b = Initialisierungsbefehl("/sud", "digitemp_DS9097", "templog", "2");
    EXPECT_EQ(b.text(), "digitemp_DS9097 -a -s/dev/ttyS1 -i -l/sud/templog.TXT -r2000 -o%.2C");
    EXPECT_EQ(b.argumente.size(), 6u);

    b = Initialisierungsbefehl("/sud/", "dt", "log", "0");
    EXPECT_EQ(b.argumente[1], "-s/dev/ttyS") << "no COM port: nothing after ttyS";
    EXPECT_EQ(b.text(), "dt -a -s/dev/ttyS -i -l/sud/log.TXT -r2000 -o%.2C");
    EXPECT_EQ(Seriellindex("1"), "0");
    EXPECT_EQ(Seriellindex("4"), "3");
    EXPECT_EQ(Seriellindex("5"), "");
    EXPECT_EQ(Seriellindex("x"), "");

    b = Initialisierungsbefehl("/home/bräu 100%", "dt", "log", "1");
    EXPECT_EQ(b.argumente[3], "-l/home/bräu 100%%/log.TXT") << "the tool runs the log path through strftime";
    EXPECT_EQ(Logdatei_Pfad("/home/bräu 100%", "log"), "/home/bräu 100%/log.TXT");

    // An executable tool in the program folder wins over PATH.
    d.schreibe("dt", "#!/bin/sh\n");
    EXPECT_EQ(Digitemp_Programm(d.str(), "dt"), "dt") << "not executable yet";
    ::chmod((d / "dt").c_str(), 0755);
    EXPECT_EQ(Digitemp_Programm(d.str(), "dt"), d / "dt");
    EXPECT_EQ(Lesebefehl(d.str(), "dt").text(), d / "dt" + " -a");
    EXPECT_EQ(Initialisierungsbefehl(d.str(), "dt", "t", "1").programm, d / "dt");
    std::filesystem::create_directory(d.pfad / "ordner");
    EXPECT_EQ(Digitemp_Programm(d.str(), "ordner"), "ordner");
}

} // namespace
} // namespace kw
