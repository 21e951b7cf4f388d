#include <gtest/gtest.h>

#include "aids/Alkohol.h"

namespace kw {
namespace {

TEST(Alkohol, Beispiele) {
    struct Fall {
        const char* P;
        const char* R;
        char dez;
        const char* gew;
        const char* vol;
        const char* kcal;
        const char* kj;
    };
    const Fall faelle[] = {
        {"12", "3", '.', "3.803314", "4.83712406758584", "223.9368", "937.5876"},
        {"12", "3", ',', "3,803314", "4,83712406758584", "223,9368", "937,5876"},
        {"16", "4", '.', "5.185193", "6.6202269422102", "304.4083", "1274.509"},
        {"12", "12", '.', "0", "0", "249.0054", "1042.546"},
    };
    for (const Fall& f : faelle) {
        const AlkoholErgebnis r = Alkohol_Berechnen(f.P, f.R, f.dez);
        ASSERT_FALSE(r.abgelehnt()) << f.P << '/' << f.R;
        EXPECT_EQ(r.Alkohol_Gew, f.gew);
        EXPECT_EQ(r.Alkohol_Vol, f.vol);
        EXPECT_EQ(r.Brennwert_kcal, f.kcal);
        EXPECT_EQ(r.Energie_KJ, f.kj);
    }
}

TEST(Alkohol, ZwischenwerteInEinfacherGenauigkeit) {
    const auto w = Alkohol_Werte(12.0f, 3.0f);
    ASSERT_TRUE(w.has_value());
    EXPECT_EQ(w->Extrakt_wirklich, 4.6272f);
    EXPECT_EQ(w->Dichte, static_cast<float>(261.1 / 258.56));
    EXPECT_EQ(w->Alkohol_Gew, 3.803314f);
    EXPECT_EQ(w->Energie_KJ, static_cast<float>(static_cast<double>(w->Brennwert_kcal) * 4.18684));
}

TEST(Alkohol, RestextraktUeberStammwuerzeGibtNegativenAlkohol) {
    const AlkoholErgebnis r = Alkohol_Berechnen("3", "12", '.');
    ASSERT_FALSE(r.abgelehnt());
    EXPECT_EQ(r.Alkohol_Gew.front(), '-');
    EXPECT_EQ(r.Alkohol_Vol.front(), '-');
}

TEST(Alkohol, Ablehnungen) {
    const std::pair<const char*, const char*> faelle[] = {
        {"", "3"},       {"12", ""},         {"", ""},        {"  ", "3"},
        {"12", "261,56"}, {"12", "300"},     {"193,77", "3"}, {"250", "3"},
        {"12 P", "3"},
    };
    for (const auto& [P, R] : faelle) {
        const AlkoholErgebnis r = Alkohol_Berechnen(P, R, ',');
        EXPECT_EQ(r.meldung, 5) << '"' << P << "\" / \"" << R << '"';
        EXPECT_TRUE(r.Alkohol_Gew.empty() && r.Alkohol_Vol.empty() && r.Brennwert_kcal.empty() &&
                    r.Energie_KJ.empty());
    }
    // Just short of the poles the results are still finite and shown.
    EXPECT_FALSE(Alkohol_Berechnen("193,7", "3", ',').abgelehnt());
    EXPECT_FALSE(Alkohol_Berechnen("12", "261,5", ',').abgelehnt());
}

}  // namespace
}  // namespace kw
