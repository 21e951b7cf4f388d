#include <gtest/gtest.h>

#include "aids/Zahltext.h"

namespace kw {
namespace {

TEST(Zahltext, LiestBeideDezimalzeichen) {
    struct Fall {
        const char* text;
        float wert;
    };
    const Fall faelle[] = {
        {"4,2", 4.2f}, {"4.2", 4.2f},     {"  16 ", 16.0f}, {"-3,5", -3.5f},
        {"+7", 7.0f},  {",5", 0.5f},      {"12,", 12.0f},   {"1,234568E+07", 12345680.0f},
        {"1E-05", 1e-5f},
    };
    for (const Fall& f : faelle) {
        auto wert = Single_Aus_Text(f.text);
        ASSERT_TRUE(wert.has_value()) << f.text;
        EXPECT_FLOAT_EQ(*wert, f.wert) << f.text;
    }
}

TEST(Zahltext, LehntUnlesbaresAb) {
    for (const char* text : {"", "   ", "abc", "4,2,1", "1.234,5", "12kg", ",", "-", "1E", "1E+",
                             "1e39", "4 2"})
        EXPECT_FALSE(Single_Aus_Text(text).has_value()) << '"' << text << '"';
}

TEST(Zahltext, SchreibtWieDieAnzeige) {
    struct Fall {
        float wert;
        char dez;
        const char* text;
    };
    const Fall faelle[] = {
        {40.0f, ',', "40"},          {10.5f, ',', "10,5"},       {10.5f, '.', "10.5"},
        {2.5f, ',', "2,5"},          {1234567.0f, '.', "1234567"}, {12345678.0f, ',', "1,234568E+07"},
        {0.0001f, '.', "0.0001"},    {0.00001f, '.', "1E-05"},   {-0.0f, '.', "0"},
        {1.0f / 3.0f, ',', "0,3333333"},
    };
    for (const Fall& f : faelle) EXPECT_EQ(Text_Aus_Single(f.wert, f.dez), f.text);

    EXPECT_EQ(Text_Aus_Double(1.0 / 3.0, ','), "0,333333333333333");
    EXPECT_EQ(Text_Aus_Double(1e15, '.'), "1E+15");
    EXPECT_EQ(Text_Aus_Double(123456789012345.0, '.'), "123456789012345");
}

TEST(Zahltext, RundetHalbeZurGeradenZahl) {
    const std::pair<double, double> faelle[] = {
        {62.5, 62}, {63.5, 64}, {66.5, 66}, {47.76, 48}, {-0.5, -0}, {-1.5, -2}, {2.4999, 2}, {0.5, 0},
    };
    for (auto [wert, erwartet] : faelle) EXPECT_EQ(Runden_Gerade(wert), erwartet) << wert;
}

}  // namespace
}  // namespace kw
