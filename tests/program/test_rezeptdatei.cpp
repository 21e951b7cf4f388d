#include "program/Profildatei.h"
#include "program/Rezeptdatei.h"

#include <gtest/gtest.h>

#include "Testdatei.h"
#include "../fileio/Frist.h"
#include "../fileio/Fremdlink.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace kw;
using kw::test::lies;
using kw::test::schreibe;
namespace fs = std::filesystem;

namespace {

// A fresh folder per test, removed afterwards.
class Rezeptordner : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        pfad = fs::temp_directory_path()
            / ("kw_rezept_" + std::string(info->test_suite_name()) + "_" + info->name());
        fs::remove_all(pfad);
        fs::create_directories(pfad);
    }
    void TearDown() override
    {
        fs::permissions(pfad, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(pfad);
    }
    std::vector<std::string> inhalt() const
    {
        std::vector<std::string> namen;
        for (const auto& e : fs::directory_iterator(pfad))
            namen.push_back(e.path().filename().string());
        std::sort(namen.begin(), namen.end());
        return namen;
    }
    fs::path pfad;
};

// The Festbier program as the editor leaves it: options clicked store "True"/"False".
Maischprogramm Festbier()
{
    Maischprogramm m;
    m.Biersorte = "Festbier";
    m.AnzPhasen = "3";
    const auto art = [](Cl_Phase& p, bool konstant, bool aufheiz, bool kuehl) {
        p.setHeizphase(Flagtext(konstant));
        p.setAufheizphase(Flagtext(aufheiz));
        p.setKuehlphase(Flagtext(kuehl));
    };
    const auto ruf = [](Cl_Phase& p, bool ende, bool nach, bool kein) {
        p.setRuf_Ende_Phase(Flagtext(ende));
        p.setRuf_nach_Rufzeit(Flagtext(nach));
        p.setKein_Ruf(Flagtext(kein));
    };
    m.Titel(1) = "Aufheizen";
    Cl_Phase& p1 = m.Phase(1);
    art(p1, false, true, false);
    p1.setTemperatur("62");
    p1.setRuehrimpuls("30");
    p1.setRuehrpause("30");
    ruf(p1, false, false, true);

    m.Titel(2) = "Verzuckerung";
    Cl_Phase& p2 = m.Phase(2);
    art(p2, true, false, false);
    p2.setTemperatur("62");
    p2.setHeizzeit("40");
    p2.setRuehrimpuls("10");
    p2.setRuehrpause("50");
    p2.setRufzeit("35");
    ruf(p2, false, true, false);
    p2.setRuftext("Jodprobe machen");

    m.Titel(3) = "Abmaischen";
    Cl_Phase& p3 = m.Phase(3);
    art(p3, false, true, false);
    p3.setTemperatur("78");
    p3.setRuehrimpuls("30");
    p3.setRuehrpause("30");
    ruf(p3, true, false, false);
    p3.setRuftext("Abmaischen");
    return m;
}

std::string Phasenblock(int n, const std::string& titel, const std::string& art,
                        const std::string& temp, const std::string& zeit, const std::string& impuls,
                        const std::string& pause, const std::string& rufzeit, const std::string& ruf,
                        const std::string& text)
{
    const auto flag = [](bool b) { return std::string(b ? "TRUE" : "FALSE"); };
    std::string s = "[Phase " + std::to_string(n) + "]\r\n";
    s += "PhasenBezeichnung=" + titel + "\r\n";
    s += "Heizphase=" + flag(art == "K") + "\r\n";
    s += "Aufheizphase=" + flag(art == "A") + "\r\n";
    s += "K\xFChlphase=" + flag(art == "C") + "\r\n";
    s += "Temperatur=" + temp + "\r\nHeizzeit=" + zeit + "\r\n";
    s += "R\xFChrimpuls=" + impuls + "\r\nR\xFChrpause=" + pause + "\r\nRufzeit=" + rufzeit + "\r\n";
    s += "Ruf_Ende_Phase=" + flag(ruf == "E") + "\r\n";
    s += "Ruf_nach_Rufzeit=" + flag(ruf == "Z") + "\r\n";
    s += "Kein_Ruf=" + flag(ruf == "K") + "\r\n";
    s += "Ruftext=" + text + "\r\n===============\r\n";
    return s;
}

// The worked example, byte for byte (Windows-1252, CR LF).
std::string Festbier_Datei()
{
    std::string s = "[Biername]\r\nName_Bier=Festbier\r\n[BrauDaten]\r\nSudgroesse=50\r\n";
    for (const char* k : {"Hauptguss", "Nachguss", "Stammwuerze", "Bittere", "Bitterhopfen",
                          "Bitterhopfenalpha", "Bitterhopfzeit", "Bitterhopfenmenge", "Aromahopfen",
                          "Aromahopfenalpha", "Aromahopfzeit", "Aromahopfenmenge", "Malzsorte1",
                          "Malzmenge1", "Malzkommentar1", "Malzsorte2", "Malzmenge2",
                          "Malzkommentar2", "Malzsorte3", "Malzmenge3", "Malzkommentar3",
                          "Malzsorte4", "Malzmenge4", "Malzkommentar4", "Sudnotizen"})
        s += std::string(k) + "=\r\n";
    s += "[Phasenanzahl]\r\nAnzahl_Phasen=3\r\n";
    s += Phasenblock(1, "Aufheizen", "A", "62", "", "30", "30", "", "K", "");
    s += Phasenblock(2, "Verzuckerung", "K", "62", "40", "10", "50", "35", "Z", "Jodprobe machen");
    s += Phasenblock(3, "Abmaischen", "A", "78", "", "30", "30", "", "E", "Abmaischen");
    for (int n = 4; n <= 20; ++n)
        s += Phasenblock(n, "", "K", "", "", "", "", "", "K", "");
    return s;
}

} // namespace

// --- profile document -----------------------------------------------------------

TEST(Profildatei, LiestOhneRuecksichtAufGrossschreibungUndRaender)
{
    const auto d = Profildatei::aus_Text(
        "vorher=ignoriert\n"
        "[ braudaten ]\r\n"
        "  SUDGROESSE  =   50  \r\n"
        "kein Eintrag\r\n"
        "\r\n"
        "===============\r\n"
        "[K\xC3\x9C" "HL]\rK\xC3\x9C" "hlphase=TRUE\r"
        "[BrauDaten]\r\nSudgroesse=zweiter Abschnitt\r\n");
    EXPECT_EQ(d.Ini_Lesen("BrauDaten", "Sudgroesse"), "50");
    EXPECT_EQ(d.Ini_Lesen("Braudaten ", "sudgroesse"), "50");
    EXPECT_EQ(d.Ini_Lesen("kühl", "kühlphase"), "TRUE");
    EXPECT_EQ(d.Ini_Lesen("BrauDaten", "vorher"), "");
    EXPECT_EQ(d.Ini_Lesen("BrauDaten", "Hauptguss"), "");
    EXPECT_EQ(d.Ini_Lesen("Fehlt", "Sudgroesse"), "");
    EXPECT_EQ(d.Ini_Lesen("BrauDaten", "kein Eintrag"), "");
    EXPECT_EQ(d.zeilen().size(), 10u);
}

TEST(Profildatei, WerteWerdenNach254ZeichenAbgeschnitten)
{
    const std::string lang(300, 'x');
    std::string umlaute;
    for (int i = 0; i < 300; ++i)
        umlaute += "ü";
    const auto d = Profildatei::aus_Text("[A]\r\nk=" + lang + "\r\nu=" + umlaute + "\r\nr=" + std::string(254, 'y') + "  \r\n");
    EXPECT_EQ(d.Ini_Lesen("A", "k"), std::string(254, 'x'));
    const std::string u = d.Ini_Lesen("A", "u");
    EXPECT_EQ(u.size(), 254u * 2);  // 254 characters, none split
    EXPECT_TRUE(Ist_Utf8(u));
    EXPECT_EQ(d.Ini_Lesen("A", "r"), std::string(254, 'y'));
}

TEST(Profildatei, SchreibenErsetztAnOrtUndLaesstFremdesStehen)
{
    auto d = Profildatei::aus_Text(
        "; Kommentar\r\n[Fremd]\r\nx=1\r\n[braudaten]\r\n  Sudgroesse = 20\r\nunbekannt=bleibt\r\n\r\n[Zweit]\r\ny=2\r\n");
    d.Ini_Schreiben("BrauDaten", "Sudgroesse", "50");
    d.Ini_Schreiben("BrauDaten", "Hauptguss", "30");
    d.Ini_Schreiben("Neu ", " k ", "mit\r\nZeilenumbruch");
    d.Ini_Schreiben("zweit", "Y", " 3 ");
    EXPECT_EQ(d.als_Text(),
              "; Kommentar\r\n[Fremd]\r\nx=1\r\n[braudaten]\r\nSudgroesse=50\r\nunbekannt=bleibt\r\n"
              "Hauptguss=30\r\n\r\n[Zweit]\r\ny= 3 \r\n[Neu]\r\nk=mit  Zeilenumbruch\r\n");
    EXPECT_EQ(d.Ini_Lesen("zweit", "y"), "3");

    d.Zeile_Sicherstellen("Fremd", "===");
    d.Zeile_Sicherstellen("fremd", "===");
    const auto zeilen = d.zeilen();
    EXPECT_EQ(std::count(zeilen.begin(), zeilen.end(), "==="), 1);
}

TEST(Westeuropaeisch, JedesByteKommtUnveraendertZurueck)
{
    std::string alle;
    for (int b = 0; b < 256; ++b)
        alle += static_cast<char>(b);
    const std::string utf8 = Westeuropaeisch_Nach_Utf8(alle);
    EXPECT_TRUE(Ist_Utf8(utf8));
    std::string zurueck, fehl;
    ASSERT_TRUE(Utf8_Nach_Westeuropaeisch(utf8, zurueck, fehl));
    EXPECT_EQ(zurueck, alle);

    EXPECT_EQ(Westeuropaeisch_Nach_Utf8("K\xFChl \x80 \x84\x93"), "Kühl € „“");
    ASSERT_TRUE(Utf8_Nach_Westeuropaeisch("Žatec Ÿ", zurueck, fehl));
    EXPECT_EQ(zurueck, "\x8E" "atec \x9F");

    EXPECT_FALSE(Utf8_Nach_Westeuropaeisch("Słód", zurueck, fehl));
    EXPECT_EQ(fehl, "ł");
    EXPECT_FALSE(Utf8_Nach_Westeuropaeisch("x\xC2\x80", zurueck, fehl));  // U+0080 has no byte
    EXPECT_FALSE(Utf8_Nach_Westeuropaeisch("\xFC", zurueck, fehl));       // not UTF-8
    EXPECT_EQ(fehl, "");
}

TEST(Westeuropaeisch, KodierungWirdErkannt)
{
    using K = Profildatei::Kodierung;
    EXPECT_EQ(Kodierung_Erkennen("[A]\r\nk=v\r\n"), K::Westeuropaeisch);
    EXPECT_EQ(Kodierung_Erkennen("K\xFChlphase=TRUE"), K::Westeuropaeisch);
    EXPECT_EQ(Kodierung_Erkennen("Kühlphase=TRUE"), K::Utf8);
    EXPECT_EQ(Kodierung_Erkennen("\xEF\xBB\xBF[A]"), K::Utf8_Bom);
    EXPECT_EQ(Kodierung_Erkennen("\xC0\x80"), K::Westeuropaeisch);      // overlong
    EXPECT_EQ(Kodierung_Erkennen("\xED\xA0\x80"), K::Westeuropaeisch);  // surrogate

    const auto d = Profildatei::aus_Bytes("\xEF\xBB\xBF[A]\r\nk=Słód\r\n");
    EXPECT_EQ(d.Ini_Lesen("A", "k"), "Słód");
}

// --- recipe file ------------------------------------------------------------------

TEST(Dateiname, NurEinfacheNamenImProgrammordner)
{
    EXPECT_TRUE(Ist_Dateiname("Festbier"));
    EXPECT_TRUE(Ist_Dateiname("Märzen 2026 (hell)"));
    EXPECT_TRUE(Ist_Dateiname(".versteckt"));
    for (const char* n : {"", ".", "..", "a/b", "../x", "/etc/x", "a\tb", "a\nb", "a\x7f", "a\xC2\x85",
                          "\xFC"})
        EXPECT_FALSE(Ist_Dateiname(n)) << n;
    EXPECT_EQ(Rezeptpfad("/opt/kw", "Festbier"), "/opt/kw/Festbier.rez");
    EXPECT_EQ(Rezeptpfad("/opt/kw/", "Festbier"), "/opt/kw/Festbier.rez");
}

TEST(Dateiname, EndungRezGenauInKleinbuchstaben)
{
    EXPECT_TRUE(Dateiendung_Rez("/x/Festbier.rez"));
    EXPECT_TRUE(Dateiendung_Rez("Festbierrez"));  // only the last three characters count
    EXPECT_FALSE(Dateiendung_Rez("/x/Festbier.REZ"));
    EXPECT_FALSE(Dateiendung_Rez("/x/Festbier.Rez"));
    EXPECT_FALSE(Dateiendung_Rez("/x/Festbier.rez.bak"));
    EXPECT_FALSE(Dateiendung_Rez("ez"));
    EXPECT_FALSE(Dateiendung_Rez(""));
}

TEST_F(Rezeptordner, BeispielFestbierByteFuerByte)
{
    Maischprogramm m = Festbier();
    BrauDaten b;
    b.Sudgroesse = "50";
    const auto r = Rezept_Speichern(pfad.string(), m, b);
    ASSERT_TRUE(r.ok()) << r.detail;
    EXPECT_EQ(r.pfad, (pfad / "Festbier.rez").string());
    EXPECT_EQ(r.kodierung, Profildatei::Kodierung::Westeuropaeisch);
    EXPECT_EQ(lies(pfad / "Festbier.rez"), Festbier_Datei());
    EXPECT_EQ(inhalt(), std::vector<std::string>{"Festbier.rez"});

    // The save defaults stay in the records; edited groups are untouched.
    EXPECT_EQ(m.Phase(4).Heizphase(), "TRUE");
    EXPECT_EQ(m.Phase(4).Kein_Ruf(), "TRUE");
    EXPECT_EQ(m.Phase(1).Aufheizphase(), "True");
}

TEST_F(Rezeptordner, LadenUndWiederSpeichernAendertNichts)
{
    schreibe(pfad / "Festbier.rez", Festbier_Datei());
    Maischprogramm m;
    BrauDaten b;
    const auto r = Rezept_Laden((pfad / "Festbier.rez").string(), m, b);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(m.Biersorte, "Festbier");
    EXPECT_EQ(m.AnzPhasen, "3");
    EXPECT_EQ(b.Sudgroesse, "50");
    EXPECT_EQ(m.Titel(2), "Verzuckerung");
    EXPECT_EQ(m.Phase(2), Festbier().Phase(2));
    EXPECT_EQ(m.Phase(1), Festbier().Phase(1));
    EXPECT_EQ(m.Phase(3).Ruftext(), "Abmaischen");
    EXPECT_EQ(m.Phase(7).Heizphase(), "True");
    EXPECT_EQ(m.Phase(7).Kein_Ruf(), "True");
    EXPECT_EQ(m.Phase(7).Kuehlphase(), "False");

    ASSERT_TRUE(Rezept_Speichern(pfad.string(), m, b).ok());
    EXPECT_EQ(lies(pfad / "Festbier.rez"), Festbier_Datei());
}

TEST_F(Rezeptordner, ZweimalSpeichernLaesstJedenSchluesselEinmal)
{
    Maischprogramm m = Festbier();
    BrauDaten b;
    ASSERT_TRUE(Rezept_Speichern(pfad.string(), m, b).ok());
    m.Phase(2).setTemperatur("64");
    m.AnzPhasen = "2";  // fewer phases: all 20 sections are still written
    b.Hauptguss = "32,5";
    ASSERT_TRUE(Rezept_Speichern(pfad.string(), m, b).ok());

    const std::string text = lies(pfad / "Festbier.rez");
    const auto zaehle = [&](const std::string& s) {
        std::size_t n = 0;
        for (auto p = text.find(s); p != std::string::npos; p = text.find(s, p + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(zaehle("\r\nTemperatur="), 20u);
    EXPECT_EQ(zaehle("\r\n===============\r\n"), 20u);
    EXPECT_EQ(zaehle("\r\nHauptguss=32,5\r\n"), 1u);
    EXPECT_EQ(zaehle("\r\nAnzahl_Phasen=2\r\n"), 1u);
    EXPECT_EQ(zaehle("[Phase 20]"), 1u);
    EXPECT_EQ(zaehle("PhasenBezeichnung=Abmaischen"), 1u);  // phase 3 keeps its contents

    Maischprogramm g;
    BrauDaten gb;
    ASSERT_TRUE(Rezept_Laden((pfad / "Festbier.rez").string(), g, gb).ok());
    EXPECT_EQ(g.Phase(2).Temperatur(), "64");
    EXPECT_EQ(gb.Hauptguss, "32,5");
}

TEST_F(Rezeptordner, HandbearbeiteteDateiLaedtUndBehaeltFremdes)
{
    const std::string notiz(300, 'n');
    std::string datei =
        "Muell vor dem ersten Abschnitt\r\n"
        "[ biername ]\r\n"
        "  name_bier =  Weizen  \r\n"
        "[Meine Notizen]\r\n"
        "Hefe=W68\r\n"
        "[braudaten ]\r\n"
        "SUDGROESSE=40\r\n"
        "Sudnotizen=" + notiz + "\r\n"
        "das ist kein Eintrag\r\n"
        "\r\n"
        "[PHASENANZAHL]\r\n"
        "anzahl_phasen=25\r\n"
        "[phase 1]\r\n"
        "phasenbezeichnung = Rast \r\n"
        "Heizphase=TRUE\r\n"
        "Aufheizphase=false\r\n"
        "K\xFChlphase=True\r\n"
        "Temperatur=150\r\n"
        "Ruf_Ende_Phase=FALSE\r\n"
        "Ruf_nach_Rufzeit=FALSE\r\n"
        "Kein_Ruf=FALSE\r\n"
        "Ruftext=  Bitte kommen  \r\n"
        "[Phase 2]\r\n"
        "Heizphase=FALSE\r\nAufheizphase=FALSE\r\nK\xFChlphase=FALSE\r\n"
        "Ruf_Ende_Phase=TRUE\r\nRuf_nach_Rufzeit=TRUE\r\nKein_Ruf=ja\r\n"
        "R\xFChrimpuls=12\r\n"
        "[Phase 3]\r\n"
        "Heizphase=TRUE\r\nAufheizphase=TRUE\r\n"
        "Unbekannt=bleibt\r\n";
    schreibe(pfad / "Weizen.rez", datei);

    Maischprogramm m;
    m.Phase(9).setTemperatur("alt");  // every record is replaced
    BrauDaten b;
    b.Malzsorte1 = "alt";
    ASSERT_TRUE(Rezept_Laden((pfad / "Weizen.rez").string(), m, b).ok());

    EXPECT_EQ(m.Biersorte, "Weizen");
    EXPECT_EQ(m.AnzPhasen, "25");  // no range check
    EXPECT_EQ(b.Sudgroesse, "40");
    EXPECT_EQ(b.SudNotizen, std::string(254, 'n'));
    EXPECT_EQ(b.Malzsorte1, "");
    EXPECT_EQ(m.Titel(1), "Rast");

    const Cl_Phase& p1 = m.Phase(1);  // both TRUE: the later key wins
    EXPECT_EQ(p1.Heizphase(), "False");
    EXPECT_EQ(p1.Aufheizphase(), "False");
    EXPECT_EQ(p1.Kuehlphase(), "True");
    EXPECT_EQ(p1.Temperatur(), "150");
    EXPECT_EQ(p1.Kein_Ruf(), "False");
    EXPECT_EQ(p1.Ruf_Ende_Phase(), "False");
    EXPECT_EQ(p1.Ruftext(), "Bitte kommen");

    const Cl_Phase& p2 = m.Phase(2);  // all kind flags FALSE: nothing selected, incomplete
    EXPECT_FALSE(Ist_Heizphase(p2) || Ist_Aufheizphase(p2) || Ist_Kuehlphase(p2));
    EXPECT_EQ(p2.Heizphase(), "False");
    EXPECT_EQ(p2.Ruf_Ende_Phase(), "False");
    EXPECT_EQ(p2.Ruf_nach_Rufzeit(), "True");  // "ja" is no true text
    EXPECT_EQ(p2.Kein_Ruf(), "False");
    EXPECT_EQ(p2.Ruehrimpuls(), "12");
    EXPECT_FALSE(Phase_Vollstaendig(p2));

    EXPECT_EQ(m.Phase(3).Aufheizphase(), "True");
    EXPECT_EQ(m.Phase(3).Heizphase(), "False");
    EXPECT_EQ(m.Phase(9).Temperatur(), "");
    EXPECT_EQ(m.Phase(9).Heizphase(), "False");  // missing flags read false

    ASSERT_TRUE(Rezept_Speichern(pfad.string(), m, b).ok());
    const std::string neu = lies(pfad / "Weizen.rez");
    const auto d = Profildatei::aus_Bytes(neu);
    EXPECT_EQ(d.Ini_Lesen("Meine Notizen", "Hefe"), "W68");
    EXPECT_EQ(d.Ini_Lesen("Phase 3", "Unbekannt"), "bleibt");
    EXPECT_NE(neu.find("Muell vor dem ersten Abschnitt\r\n"), std::string::npos);
    EXPECT_NE(neu.find("das ist kein Eintrag\r\n"), std::string::npos);
    EXPECT_EQ(neu.find("[Biername]"), std::string::npos);  // the existing header is reused
    EXPECT_EQ(d.Ini_Lesen("BrauDaten", "Sudnotizen"), std::string(254, 'n'));
    EXPECT_EQ(d.Ini_Lesen("Phase 1", "Kühlphase"), "TRUE");
    EXPECT_EQ(d.Ini_Lesen("Phase 1", "Heizphase"), "FALSE");
    EXPECT_EQ(d.Ini_Lesen("Phase 2", "Heizphase"), "FALSE");  // loaded groups get no defaults

    // Saved once more: unchanged.
    ASSERT_TRUE(Rezept_Speichern(pfad.string(), m, b).ok());
    EXPECT_EQ(lies(pfad / "Weizen.rez"), neu);
}

TEST_F(Rezeptordner, ZeichenAusserhalbDerCodepageGehenNichtVerloren)
{
    Maischprogramm m = Festbier();
    m.Biersorte = "Piwo";
    BrauDaten b;
    b.Malzsorte1 = "Słód pilzneński";
    const auto r = Rezept_Speichern(pfad.string(), m, b);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.kodierung, Profildatei::Kodierung::Utf8_Bom);
    const std::string text = lies(pfad / "Piwo.rez");
    EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(text.find("Kühlphase=FALSE"), std::string::npos);

    Maischprogramm g;
    BrauDaten gb;
    const auto l = Rezept_Laden((pfad / "Piwo.rez").string(), g, gb);
    ASSERT_TRUE(l.ok());
    EXPECT_EQ(gb.Malzsorte1, "Słód pilzneński");
    EXPECT_EQ(g.Phase(2).Ruftext(), "Jodprobe machen");
    EXPECT_EQ(g.Phase(1).Aufheizphase(), "True");

    // Once UTF-8, the file stays UTF-8, also when the odd text is gone.
    gb.Malzsorte1 = "Pilsner";
    ASSERT_TRUE(Rezept_Speichern(pfad.string(), g, gb).ok());
    EXPECT_EQ(lies(pfad / "Piwo.rez").substr(0, 3), "\xEF\xBB\xBF");
}

TEST_F(Rezeptordner, UTF8OhneBomWirdGelesenUndBleibtSo)
{
    std::string text = Festbier_Datei();
    text = Westeuropaeisch_Nach_Utf8(text);
    schreibe(pfad / "Festbier.rez", text);
    Maischprogramm m;
    BrauDaten b;
    const auto r = Rezept_Laden((pfad / "Festbier.rez").string(), m, b);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.kodierung, Profildatei::Kodierung::Utf8);
    EXPECT_EQ(m.Phase(1).Ruehrimpuls(), "30");
    ASSERT_TRUE(Rezept_Speichern(pfad.string(), m, b).ok());
    EXPECT_EQ(lies(pfad / "Festbier.rez"), text);
}

TEST_F(Rezeptordner, UngueltigerNameSchreibtNirgendwohin)
{
    fs::create_directories(pfad / "sub");
    for (const char* name : {"", ".", "..", "sub/x", "../draussen", "a\nb", "x\x01"}) {
        Maischprogramm m = Festbier();
        m.Biersorte = name;
        const Maischprogramm vorher = m;
        const auto r = Rezept_Speichern((pfad / "sub").string(), m, BrauDaten{});
        EXPECT_EQ(r.fehler, Rezeptergebnis::Fehler::Ungueltiger_Name) << name;
        EXPECT_EQ(m, vorher) << "no defaults on a failed save";
    }
    EXPECT_EQ(inhalt(), std::vector<std::string>{"sub"});
    EXPECT_TRUE(fs::is_empty(pfad / "sub"));

    Maischprogramm m = Festbier();
    EXPECT_EQ(Rezept_Speichern("", m, BrauDaten{}).fehler, Rezeptergebnis::Fehler::Kein_Ordner);
}

TEST_F(Rezeptordner, OrdnerFehltOderIstKeinOrdner)
{
    Maischprogramm m = Festbier();
    const Maischprogramm vorher = m;
    auto r = Rezept_Speichern((pfad / "fehlt").string(), m, BrauDaten{});
    EXPECT_EQ(r.fehler, Rezeptergebnis::Fehler::Schreibfehler);
    EXPECT_FALSE(r.detail.empty());
    EXPECT_EQ(m, vorher);

    schreibe(pfad / "datei", "x");
    r = Rezept_Speichern((pfad / "datei").string(), m, BrauDaten{});
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(inhalt(), std::vector<std::string>{"datei"});
}

TEST_F(Rezeptordner, UnlesbareVorhandeneDateiWirdNichtUeberschrieben)
{
    fs::create_directories(pfad / "Festbier.rez");  // in the way, cannot be read
    Maischprogramm m = Festbier();
    const auto r = Rezept_Speichern(pfad.string(), m, BrauDaten{});
    EXPECT_EQ(r.fehler, Rezeptergebnis::Fehler::Lesefehler);
    EXPECT_TRUE(fs::is_directory(pfad / "Festbier.rez"));
    EXPECT_EQ(inhalt(), std::vector<std::string>{"Festbier.rez"});
}

TEST_F(Rezeptordner, SchreibgeschuetztesRezeptBleibtStehen)
{
    // The brewer protected the file; a save under the same name must not
    // replace it behind his back (the folder itself stays writable).
    schreibe(pfad / "Festbier.rez", Festbier_Datei());
    fs::permissions(pfad / "Festbier.rez", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    Maischprogramm m = Festbier();
    m.Phase(1).setTemperatur("63");
    const Maischprogramm vorher = m;
    const auto r = Rezept_Speichern(pfad.string(), m, BrauDaten{});
    EXPECT_EQ(r.fehler, Rezeptergebnis::Fehler::Schreibfehler);
    EXPECT_FALSE(r.detail.empty());
    EXPECT_EQ(lies(pfad / "Festbier.rez"), Festbier_Datei());
    EXPECT_EQ(inhalt(), std::vector<std::string>{"Festbier.rez"});
    EXPECT_EQ(m, vorher);

    fs::permissions(pfad / "Festbier.rez", fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(Rezept_Speichern(pfad.string(), m, BrauDaten{}).ok());
    EXPECT_NE(lies(pfad / "Festbier.rez"), Festbier_Datei());
}

TEST_F(Rezeptordner, VollePlatteLaesstDasAlteRezeptStehen)
{
    schreibe(pfad / "Festbier.rez", Festbier_Datei());
    Maischprogramm m = Festbier();
    m.Phase(1).setTemperatur("63");
    const Maischprogramm vorher = m;

    // A file size limit makes the write fail part-way, as a full disk would.
    const auto alter_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit alt{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &alt), 0);
    rlimit klein = alt;
    klein.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &klein), 0);
    const auto r = Rezept_Speichern(pfad.string(), m, BrauDaten{});
    setrlimit(RLIMIT_FSIZE, &alt);
    std::signal(SIGXFSZ, alter_handler);

    EXPECT_EQ(r.fehler, Rezeptergebnis::Fehler::Schreibfehler);
    EXPECT_FALSE(r.detail.empty());
    EXPECT_EQ(lies(pfad / "Festbier.rez"), Festbier_Datei());
    EXPECT_EQ(inhalt(), std::vector<std::string>{"Festbier.rez"});  // no temporary file left
    EXPECT_EQ(m, vorher);
}

TEST_F(Rezeptordner, LadefehlerAendertNichts)
{
    Maischprogramm m = Festbier();
    BrauDaten b;
    b.Sudgroesse = "50";
    const Maischprogramm vorher = m;
    auto r = Rezept_Laden((pfad / "fehlt.rez").string(), m, b);
    EXPECT_EQ(r.fehler, Rezeptergebnis::Fehler::Lesefehler);
    r = Rezept_Laden(pfad.string(), m, b);  // a folder
    EXPECT_EQ(r.fehler, Rezeptergebnis::Fehler::Lesefehler);
    EXPECT_EQ(m, vorher);
    EXPECT_EQ(b.Sudgroesse, "50");
}

TEST_F(Rezeptordner, LeereDateiLeertAlles)
{
    schreibe(pfad / "leer.rez", "");
    Maischprogramm m = Festbier();
    BrauDaten b;
    b.Sudgroesse = "50";
    ASSERT_TRUE(Rezept_Laden((pfad / "leer.rez").string(), m, b).ok());
    EXPECT_EQ(m.Biersorte, "");
    EXPECT_EQ(m.AnzPhasen, "");
    EXPECT_EQ(b, BrauDaten{});
    EXPECT_EQ(m.Phase(2).Temperatur(), "");
    EXPECT_EQ(m.Phase(2).Heizphase(), "False");
}

// --- the recipe on the disk as the brewer keeps it -------------------------------

TEST_F(Rezeptordner, VerknuepftesRezeptBleibtVerknuepft)
{
    // The recipe lives in a shared folder and the program folder holds a link to it.
    fs::create_directories(pfad / "gemeinsam");
    schreibe(pfad / "gemeinsam" / "Festbier.rez", Festbier_Datei());
    fs::create_symlink("gemeinsam/Festbier.rez", pfad / "Festbier.rez");
    Maischprogramm m = Festbier();
    m.Phase(1).setTemperatur("63");
    BrauDaten b;
    b.Sudgroesse = "50";
    ASSERT_TRUE(Rezept_Speichern(pfad.string(), m, b).ok());

    ASSERT_TRUE(fs::is_symlink(pfad / "Festbier.rez"));
    EXPECT_EQ(fs::read_symlink(pfad / "Festbier.rez"), "gemeinsam/Festbier.rez");
    const std::string neu = lies(pfad / "gemeinsam" / "Festbier.rez");
    EXPECT_NE(neu.find("Temperatur=63"), std::string::npos);
    Maischprogramm geladen;
    BrauDaten bg;
    ASSERT_TRUE(Rezept_Laden((pfad / "Festbier.rez").string(), geladen, bg).ok());
    EXPECT_EQ(geladen.Phase(1).Temperatur(), "63");
    // Nothing left beside the link or the target.
    EXPECT_EQ(inhalt(), (std::vector<std::string>{"Festbier.rez", "gemeinsam"}));
    EXPECT_EQ(fs::directory_iterator(pfad / "gemeinsam")->path().filename(), "Festbier.rez");

    // A link to a link, absolute, ends at the same file.
    fs::create_symlink(pfad / "Festbier.rez", pfad / "Kette.rez");
    m.Biersorte = "Kette";
    m.Phase(1).setTemperatur("64");
    ASSERT_TRUE(Rezept_Speichern(pfad.string(), m, b).ok());
    EXPECT_TRUE(fs::is_symlink(pfad / "Kette.rez"));
    EXPECT_NE(lies(pfad / "gemeinsam" / "Festbier.rez").find("Temperatur=64"), std::string::npos);
}

TEST_F(Rezeptordner, FremdBeschreibbarerOrdnerFolgtKeinemLink)
{
    fs::create_directories(pfad / "ziel");
    schreibe(pfad / "ziel" / "Festbier.rez", Festbier_Datei());
    fs::create_directories(pfad / "offen");
    fs::create_symlink(pfad / "ziel" / "Festbier.rez", pfad / "offen" / "Festbier.rez");
    fs::permissions(pfad / "offen", fs::perms::all);  // 0777, no sticky bit
    Maischprogramm m = Festbier();
    m.Phase(1).setTemperatur("63");
    const auto r = Rezept_Speichern((pfad / "offen").string(), m, BrauDaten{});
    EXPECT_EQ(r.fehler, Rezeptergebnis::Fehler::Link_Verweigert);
    EXPECT_EQ(lies(pfad / "ziel" / "Festbier.rez"), Festbier_Datei());
    EXPECT_TRUE(fs::is_symlink(pfad / "offen" / "Festbier.rez"));

    // With the sticky bit nobody else can replace our link: it is followed.
    fs::permissions(pfad / "offen", fs::perms::all | fs::perms::sticky_bit);
    EXPECT_TRUE(Rezept_Speichern((pfad / "offen").string(), m, BrauDaten{}).ok());
    EXPECT_NE(lies(pfad / "ziel" / "Festbier.rez").find("Temperatur=63"), std::string::npos);
    // A plain file in an open folder saves as before.
    fs::permissions(pfad / "offen", fs::perms::all);
    m.Biersorte = "Neu";
    EXPECT_TRUE(Rezept_Speichern((pfad / "offen").string(), m, BrauDaten{}).ok());
}

TEST_F(Rezeptordner, FremderLinkImStickyOrdnerWirdWederGeladenNochBeschrieben)
{
    if (!test::Als_Root())
        GTEST_SKIP() << test::Ohne_Root;
    // The program folder lies in a shared folder like /tmp; another user planted a
    // link under the recipe's name to a file of ours.
    fs::create_directories(pfad / "privat");
    fs::permissions(pfad / "privat", fs::perms::owner_all);
    schreibe(pfad / "privat" / "Festbier.rez", Festbier_Datei());
    const fs::path brau = pfad / "brau";
    ASSERT_TRUE(test::Sticky_Ordner(brau));
    ASSERT_TRUE(test::Link_Von(brau / "Festbier.rez", "../privat/Festbier.rez", test::Fremder));

    Maischprogramm m = Festbier();
    m.Phase(1).setTemperatur("63");
    const auto s = Rezept_Speichern(brau.string(), m, BrauDaten{});
    EXPECT_EQ(s.fehler, Rezeptergebnis::Fehler::Link_Verweigert);
    EXPECT_EQ(m.Phase(1).Temperatur(), "63");
    EXPECT_EQ(lies(pfad / "privat" / "Festbier.rez"), Festbier_Datei());
    EXPECT_TRUE(fs::is_symlink(brau / "Festbier.rez"));
    EXPECT_EQ(std::distance(fs::directory_iterator(brau), {}), 1) << "no temporary file left";

    // Loading it would hand the other file to the next save: nothing is loaded.
    Maischprogramm geladen;
    geladen.Biersorte = "Pils";
    BrauDaten b;
    b.Sudgroesse = "20";
    const auto l = Rezept_Laden((brau / "Festbier.rez").string(), geladen, b);
    EXPECT_EQ(l.fehler, Rezeptergebnis::Fehler::Link_Verweigert);
    EXPECT_NE(l.detail.find("symbolic link"), std::string::npos) << l.detail;
    EXPECT_EQ(geladen.Biersorte, "Pils");
    EXPECT_EQ(geladen.Phase(1), Cl_Phase{});
    EXPECT_EQ(b.Sudgroesse, "20");

    // The same link of our own is followed both ways.
    ASSERT_EQ(::lchown((brau / "Festbier.rez").c_str(), ::geteuid(), ::getegid()), 0);
    ASSERT_TRUE(Rezept_Speichern(brau.string(), m, BrauDaten{}).ok());
    EXPECT_TRUE(fs::is_symlink(brau / "Festbier.rez"));
    EXPECT_NE(lies(pfad / "privat" / "Festbier.rez").find("Temperatur=63"), std::string::npos);
    ASSERT_TRUE(Rezept_Laden((brau / "Festbier.rez").string(), geladen, b).ok());
    EXPECT_EQ(geladen.Phase(1).Temperatur(), "63");
}

TEST_F(Rezeptordner, RohrleitungWirdWederGeladenNochUeberschrieben)
{
    const fs::path rohr = pfad / "Festbier.rez";
    ASSERT_EQ(::mkfifo(rohr.c_str(), 0600), 0);
    // LADEN and SPEICHERN return at once with an error; nobody ever writes to the pipe.
    const auto laden = test::in_Frist([&] {
        Maischprogramm m;
        BrauDaten b;
        return Rezept_Laden(rohr.string(), m, b).fehler == Rezeptergebnis::Fehler::Lesefehler;
    });
    EXPECT_EQ(laden, test::Fristergebnis::Wahr);
    const auto speichern = test::in_Frist([&] {
        Maischprogramm m = Festbier();
        const auto r = Rezept_Speichern(pfad.string(), m, BrauDaten{});
        return !r.ok() && !r.detail.empty();
    });
    EXPECT_EQ(speichern, test::Fristergebnis::Wahr);
    EXPECT_TRUE(fs::is_fifo(rohr));
    EXPECT_EQ(inhalt(), std::vector<std::string>{"Festbier.rez"});

    // A device is no recipe either.
    Maischprogramm m;
    BrauDaten b;
    EXPECT_EQ(Rezept_Laden("/dev/zero", m, b).fehler, Rezeptergebnis::Fehler::Lesefehler);
}

TEST_F(Rezeptordner, JederErlaubteNameWirdGespeichert)
{
    // "<name>.rez" of up to 255 bytes: ASCII and two-byte umlauts, up to the limit.
    for (const std::string& name : {std::string(251, 'a'), std::string(245, 'b'),
                                    [] { std::string s; for (int i = 0; i < 125; ++i) s += "ü"; return s + "x"; }()}) {
        Maischprogramm m = Festbier();
        m.Biersorte = name;
        const auto r = Rezept_Speichern(pfad.string(), m, BrauDaten{});
        ASSERT_TRUE(r.ok()) << name.size() << " bytes: " << r.detail;
        EXPECT_TRUE(fs::is_regular_file(pfad / (name + ".rez")));
    }
    EXPECT_EQ(inhalt().size(), 3u);  // no temporary file left
    // One byte over the limit: the file system's own error, nothing written.
    Maischprogramm m = Festbier();
    m.Biersorte = std::string(252, 'c');
    const auto r = Rezept_Speichern(pfad.string(), m, BrauDaten{});
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.detail.find(std::strerror(ENAMETOOLONG)), std::string::npos) << r.detail;
    EXPECT_EQ(inhalt().size(), 3u);
}

TEST_F(Rezeptordner, GeaenderterWertBehaeltDieSchreibungDesSchluessels)
{
    std::string text = Festbier_Datei();
    const auto stelle = text.find("Temperatur=62");
    text.replace(stelle, 13, "TEMPERATUR=62");
    schreibe(pfad / "Festbier.rez", text);
    Maischprogramm m;
    BrauDaten b;
    ASSERT_TRUE(Rezept_Laden((pfad / "Festbier.rez").string(), m, b).ok());
    m.Phase(1).setTemperatur("63");
    ASSERT_TRUE(Rezept_Speichern(pfad.string(), m, b).ok());
    std::string erwartet = text;
    erwartet.replace(stelle, 13, "TEMPERATUR=63");
    EXPECT_EQ(lies(pfad / "Festbier.rez"), erwartet);
}

TEST_F(Rezeptordner, GrosseDateiLaedtUndSpeichertWieKleine)
{
    // Foreign sections in front of the recipe, as many as fit under the cap.
    std::string vorn;
    for (int i = 0; vorn.size() < 4'000'000; ++i)
        vorn += "[Anhang " + std::to_string(i) + "]\r\nW=1\r\n";
    schreibe(pfad / "klein.rez", Festbier_Datei());
    Maischprogramm klein;
    BrauDaten bk;
    ASSERT_TRUE(Rezept_Laden((pfad / "klein.rez").string(), klein, bk).ok());
    fs::remove(pfad / "klein.rez");

    schreibe(pfad / "Festbier.rez", vorn + Festbier_Datei());
    Maischprogramm m;
    BrauDaten b;
    ASSERT_TRUE(Rezept_Laden((pfad / "Festbier.rez").string(), m, b).ok());
    EXPECT_EQ(m, klein);
    EXPECT_EQ(b, bk);
    ASSERT_TRUE(Rezept_Speichern(pfad.string(), m, b).ok());
    EXPECT_EQ(lies(pfad / "Festbier.rez"), vorn + Festbier_Datei());
}
