#include <gtest/gtest.h>

#include <cmath>

#include "aids/Bittere.h"

namespace kw {
namespace {

struct BittereFall {
    const char* name;
    BittereEingaben ein;  // Alpha, Bittere_EBU, Sudgroesse, Stammwuerze, Kochzeit
    char dez;
    const char* ausnutzung;
    const char* bitter;
    const char* aroma;
};

TEST(Bittere, Beispiele) {
    const BittereFall faelle[] = {
        {"90 min Kochzeit", {"5", "30", "20", "12", "90"}, ',', "25,1230592411852", "48", "24"},
        {"halbe Aromamenge zur geraden Zahl", {"4", "25", "50", "12", "60"}, '.', "23.4856624486952",
         "133", "66"},
        {"Alpha mit Dezimalkomma", {"4,5", "25", "50", "12", "60"}, ',', "23,4856624486952", "118",
         "59"},
        {"keine Bittere gewuenscht", {"5", "0", "20", "12", "90"}, ',', "25,1230592411852", "0", "0"},
    };
    for (const BittereFall& f : faelle) {
        const BittereErgebnis r = Bittere_Berechnen(f.ein, f.dez);
        ASSERT_FALSE(r.abgelehnt()) << f.name;
        EXPECT_EQ(r.Ausnutzung, f.ausnutzung) << f.name;
        EXPECT_EQ(r.MengeBitterhopfen, f.bitter) << f.name;
        EXPECT_EQ(r.MengeAromahopfen, f.aroma) << f.name;
        EXPECT_EQ(r.AlphaGramm, f.ein.Alpha) << f.name;
    }
}

TEST(Bittere, AusnutzungsFormel) {
    EXPECT_NEAR(Ausnutzung_Prozent(12.0f, 90.0f), 25.1230592, 1e-7);
    // More gravity, less utilisation; longer boil, more.
    EXPECT_LT(Ausnutzung_Prozent(16.0f, 60.0f), Ausnutzung_Prozent(12.0f, 60.0f));
    EXPECT_GT(Ausnutzung_Prozent(12.0f, 90.0f), Ausnutzung_Prozent(12.0f, 60.0f));
    // Base 0.0001251: at P = 0 the gravity term is 1.
    EXPECT_NEAR(Ausnutzung_Prozent(0.0f, 60.0f), 1.65 * (1.0 - std::exp(-2.4)) * 100.0 / 4.15, 1e-12);
    EXPECT_EQ(Ausnutzung_Prozent(12.0f, 0.0f), 0.0);
}

TEST(Bittere, Ablehnungen) {
    const std::pair<const char*, BittereEingaben> faelle[] = {
        {"nur Stammwuerze und Kochzeit", {"", "", "", "12", "90"}},
        {"Alpha leer", {"", "30", "20", "12", "90"}},
        {"EBU leer", {"5", "", "20", "12", "90"}},
        {"Sudgroesse leer", {"5", "30", "", "12", "90"}},
        {"Stammwuerze leer", {"5", "30", "20", "", "90"}},
        {"Kochzeit leer", {"5", "30", "20", "12", ""}},
        {"Kochzeit 0", {"5", "30", "20", "12", "0"}},
        {"Sudgroesse 0", {"5", "30", "0", "12", "90"}},
        {"Alpha 0", {"0", "30", "20", "12", "90"}},
        {"Alpha 0,0", {"0,0", "30", "20", "12", "90"}},
        {"ueber 32767 g", {"1", "999", "9999", "12", "90"}},
        {"winzige Kochzeit", {"5", "30", "20", "12", "0,0001"}},
        {"unlesbar", {"5", "30", "20 l", "12", "90"}},
    };
    for (const auto& [name, ein] : faelle) {
        const BittereErgebnis r = Bittere_Berechnen(ein, ',');
        EXPECT_EQ(r.meldung, 5) << name;
        EXPECT_TRUE(r.Ausnutzung.empty() && r.MengeBitterhopfen.empty() &&
                    r.MengeAromahopfen.empty() && r.AlphaGramm.empty())
            << name;
    }
}

TEST(Bittere, GrenzeDerGrammzahl) {
    // 10 * EBU * l / (alpha * U) = 31843.2 g, just below the 16-bit limit; 15921.5 rounds
    // to the even 15922. 170 EBU would need 33833 g.
    const BittereErgebnis unter = Bittere_Berechnen({"1", "160", "500", "12", "90"}, ',');
    ASSERT_FALSE(unter.abgelehnt());
    EXPECT_EQ(unter.MengeBitterhopfen, "31843");
    EXPECT_EQ(unter.MengeAromahopfen, "15922");
    EXPECT_EQ(Bittere_Berechnen({"1", "170", "500", "12", "90"}, ',').meldung, 5);
}

}  // namespace
}  // namespace kw
