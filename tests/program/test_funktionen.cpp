#include "program/Funktionen.h"
#include "program/Zahlen.h"

#include <gtest/gtest.h>

using namespace kw;

TEST(Zahl_Aus_Text, Ziffertexte)
{
    struct Fall { const char* text; int erwartet; };
    for (Fall f : {Fall{"", 0}, Fall{"0", 0}, Fall{"20", 20}, Fall{"007", 7}, Fall{"9999", 9999},
                   Fall{"999", 999}, Fall{"32767", 32767}}) {
        EXPECT_EQ(Zahl_Aus_Text(f.text), f.erwartet) << f.text;
    }
}

TEST(Zahl_Aus_Text, HandeditierteTexteLaufenNichtUeber)
{
    EXPECT_EQ(Zahl_Aus_Text("32768"), 32767);
    EXPECT_EQ(Zahl_Aus_Text("99999999999999999999"), 32767);
    EXPECT_EQ(Zahl_Aus_Text("12a"), 0);
    EXPECT_EQ(Zahl_Aus_Text("-5"), 0);
    EXPECT_EQ(Zahl_Aus_Text(" 5"), 0);
    EXPECT_EQ(Zahl_Aus_Text("6,5"), 0);
}

TEST(Tastenfilter, ZiffernreiheBackspaceEnterZugelassen)
{
    using Filter = Tastenergebnis (*)(int, const std::string&);
    struct Fall { Filter f; int meldung; };
    for (Fall fall : {Fall{Tastenpruefung_Startphase, 14}, Fall{Tastenpruefung_Startzeit, 12},
                      Fall{Tastenpruefung_Phasenanzahl, 14}, Fall{Tastenpruefung_Temperatur, 15},
                      Fall{Tastenpruefung_Heizzeit, 12}, Fall{Tastenpruefung_Ruehrimpuls, 13},
                      Fall{Tastenpruefung_Ruehrpause, 13}, Fall{Tastenpruefung_Rufzeit, 12}}) {
        for (int t = 48; t <= 57; ++t)
            EXPECT_FALSE(fall.f(t, "").abgelehnt) << t;
        EXPECT_FALSE(fall.f(Taste::Backspace, "12").abgelehnt);
        EXPECT_FALSE(fall.f(Taste::Enter, "12").abgelehnt);
        // Keypad digits, Shift, Delete, arrows, comma and letters are refused.
        for (int t : {96, 103, 105, 16, 46, 37, 39, 188, 65, 190, 109}) {
            EXPECT_EQ(fall.f(t, ""), (Tastenergebnis{true, fall.meldung})) << t;
        }
    }
}

TEST(Tastenfilter, DezimalKommaNurEinmal)
{
    EXPECT_FALSE(Tastenpruefung_Dezimal(Taste::Komma, "").abgelehnt);
    EXPECT_FALSE(Tastenpruefung_Dezimal(Taste::Komma, "12").abgelehnt);
    EXPECT_EQ(Tastenpruefung_Dezimal(Taste::Komma, "12,5"), (Tastenergebnis{true, 11}));
    EXPECT_FALSE(Tastenpruefung_Dezimal('7', "12,5").abgelehnt);
    EXPECT_EQ(Tastenpruefung_Dezimal(190, "12"), (Tastenergebnis{true, 11})) << "point key";
    EXPECT_EQ(Tastenpruefung_Dezimal(Taste::Block0 + 7, ""), (Tastenergebnis{true, 11}));
}

TEST(Zahlen, TextUndZahlImGebietsschema)
{
    EXPECT_DOUBLE_EQ(Text_Als_Double("62,5", ','), 62.5);
    EXPECT_DOUBLE_EQ(Text_Als_Double("62.5", '.'), 62.5);
    EXPECT_DOUBLE_EQ(Text_Als_Double("62.5", ','), 62.5) << "'.' is always read";
    EXPECT_DOUBLE_EQ(Text_Als_Double("", '.'), 0.0);
    EXPECT_DOUBLE_EQ(Text_Als_Double("abc", '.'), 0.0);
    EXPECT_DOUBLE_EQ(Text_Als_Double(" 7", '.'), 7.0);
    EXPECT_FLOAT_EQ(Text_Als_Single("61,9", ','), 61.9f);

    EXPECT_EQ(Double_Als_Text(72.0 + 0.1, '.'), "72.1");
    EXPECT_EQ(Double_Als_Text(72.0 + 0.1 + 0.1 + 0.1, ','), "72,3");
    EXPECT_EQ(Double_Als_Text(63.0, ','), "63");
    EXPECT_EQ(Double_Als_Text(65.0 + 0.1, ','), "65,1");
    EXPECT_EQ(Double_Als_Text(21.44, '.'), "21.44");
    EXPECT_EQ(Double_Als_Text(-0.0, '.'), "0");
    EXPECT_EQ(Single_Als_Text(Text_Als_Single("62", '.'), '.'), "62");
    EXPECT_EQ(Single_Als_Text(61.9f, ','), "61,9");
}
