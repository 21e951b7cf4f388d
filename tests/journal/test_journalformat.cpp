// The journal's line format: records, quoting, times, file names.

#include <gtest/gtest.h>

#include "journal/Journalformat.h"

namespace kw::journal {
namespace {

using namespace std::chrono;

Zeitpunkt t0() { return sys_days{year{2026} / 12 / 9} + 10h + 2min + 5s; }

TEST(Journalformat, RecordGoesOutAsOneLineAndComesBackTheSame)
{
    Zeile z;
    z.zeit = t0();
    z.art = "Phase_Start";
    z.phase = 3;
    z.ist = 62.5;
    z.soll_akt = 63.0;
    z.soll = 63.25;
    z.ausgang = 131;
    z.dauer_s = 2400;
    z.feld = "Halten";
    z.text = "Maltoserast; \"heiß\"\nzweite Zeile";
    const std::string zeile = Zeile_Schreiben(z);
    EXPECT_EQ(zeile, "2026-12-09 10:02:05;Phase_Start;3;62.5;63.0;63.25;131;2400;Halten;"
                     "\"Maltoserast; \"\"heiß\"\" zweite Zeile\"\n");
    auto r = Zeile_Lesen(std::string_view(zeile).substr(0, zeile.size() - 1));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->zeit, z.zeit);
    EXPECT_EQ(r->art, z.art);
    EXPECT_EQ(r->phase, 3);
    EXPECT_DOUBLE_EQ(*r->ist, 62.5);
    EXPECT_DOUBLE_EQ(*r->soll, 63.25);
    EXPECT_EQ(r->ausgang, 131);
    EXPECT_EQ(*r->dauer_s, 2400);
    EXPECT_EQ(r->feld, "Halten");
    EXPECT_EQ(r->text, "Maltoserast; \"heiß\" zweite Zeile");
}

TEST(Journalformat, EmptyColumnsStayEmpty)
{
    Zeile z;
    z.zeit = t0();
    z.art = "Pause";
    EXPECT_EQ(Zeile_Schreiben(z), "2026-12-09 10:02:05;Pause;;;;;;;;\n");
    auto r = Zeile_Lesen("2026-12-09 10:02:05;Pause;;;;;;;;");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->phase, 0);
    EXPECT_FALSE(r->ist);
    EXPECT_EQ(r->ausgang, -1);
    EXPECT_FALSE(r->dauer_s);
}

TEST(Journalformat, LinesThatAreNoRecordAreRefused)
{
    for (const char* zeile : {
             "",
             "2026-12-09 10:02:05;Pause;;;;;;;",              // nine fields: cut
             "2026-12-09 10:02:05;Pause;;;;;;;;;",            // eleven
             "2026-12-09 10:0",                               // cut inside the time
             "2026-12-09 10:02:05;Ruf;4;;;;;;;\"offen",       // quote not closed: cut
             "2026-13-09 10:02:05;Pause;;;;;;;;",             // month 13
             "2026-12-09 10:02:05;;;;;;;;;",                  // no kind
             "2026-12-09 10:02:05;Probe;x;;;;;;;",            // phase no number
             "2026-12-09 10:02:05;Probe;1;;;;256;;;",         // byte out of range
             "2026-12-09 10:02:05;Probe;1;;;;;12a;;",         // seconds no number
         })
        EXPECT_FALSE(Zeile_Lesen(zeile)) << zeile;
    EXPECT_TRUE(Zeile_Lesen("2026-12-09 10:02:05;Pause;;;;;;;;\r"));
}

TEST(Journalformat, TemperaturesTakeBothSeparatorsAndGoOutWithAPoint)
{
    EXPECT_DOUBLE_EQ(*Temperatur_Lesen("62,5"), 62.5);
    EXPECT_DOUBLE_EQ(*Temperatur_Lesen("62.5"), 62.5);
    EXPECT_DOUBLE_EQ(*Temperatur_Lesen("63"), 63.0);
    EXPECT_FALSE(Temperatur_Lesen(""));
    EXPECT_FALSE(Temperatur_Lesen("warm"));
    EXPECT_EQ(Temperatur_Text(62.5), "62.5");
    EXPECT_EQ(Temperatur_Text(63.0), "63.0");
    EXPECT_EQ(Temperatur_Text(-0.25), "-0.25");
    EXPECT_EQ(Temperatur_Text(std::nullopt), "");
}

TEST(Journalformat, TimeTextRoundTripsAndRefusesNonsense)
{
    EXPECT_EQ(Zeit_Text(t0()), "2026-12-09 10:02:05");
    EXPECT_EQ(Zeit_Lesen("2026-12-09 10:02:05"), t0());
    EXPECT_FALSE(Zeit_Lesen("09.12.2026 10:02:05"));
    EXPECT_FALSE(Zeit_Lesen("2026-12-09 25:02:05"));
}

TEST(Journalformat, BeerNameBecomesASafeFileName)
{
    const struct {
        const char* name;
        const char* erwartet;
    } faelle[] = {
        {"Märzen", "Märzen"},
        {"Pils / hell", "Pils _ hell"},
        {"Helles Export", "Helles Export"},   // blanks are valid in a file name
        {"../../etc/passwd", "_.._etc_passwd"},
        {"..", "Sud"},
        {"", "Sud"},
        {"  Weizen  ", "Weizen"},
        {"a:b*c?d\"e<f>g|h;i\\j", "a_b_c_d_e_f_g_h_i_j"},
        {"Tab\there", "Tab_here"},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(Dateiname_Sicher(f.name), f.erwartet) << f.name;
    // cut at 60 bytes, never inside a character
    const std::string lang(59, 'x');
    EXPECT_EQ(Dateiname_Sicher(lang + "ä"), lang);
    // ... and a blank where it is cut does not end the name
    EXPECT_EQ(Dateiname_Sicher(std::string(59, 'x') + " yz"), std::string(59, 'x'));
}

TEST(Journalformat, JournalNameCarriesDateTimeAndIsRecognised)
{
    const std::string n = Journalname(t0(), "Märzen");
    EXPECT_EQ(n, "2026-12-09_10-02-05_Märzen.csv");
    EXPECT_TRUE(Ist_Journalname(n));
    EXPECT_EQ(Journalname(t0(), "Helles Export"), "2026-12-09_10-02-05_Helles Export.csv");
    EXPECT_TRUE(Ist_Journalname("2026-12-09_10-02-05_Helles Export.csv"));
    EXPECT_TRUE(Ist_Journalname("2026-12-09_10-02-05_Helles_Export.csv"));   // as written before
    EXPECT_FALSE(Ist_Journalname("Märzen.csv"));
    EXPECT_FALSE(Ist_Journalname("2026-12-09_10-02-05_Märzen.His"));
    EXPECT_FALSE(Ist_Journalname("2026-12-09-10-02-05_Märzen.csv"));
}

} // namespace
} // namespace kw::journal
