#include <gtest/gtest.h>

#include <set>

#include "aids/BrauDaten.h"
#include "aids/Brauprotokoll.h"
#include "aids/Zahltext.h"

namespace kw {
namespace {

BrauDaten sud20() {
    BrauDaten d;
    d.Sudgroesse = "20";
    d.Hauptguss = "16";
    d.Nachguss = "12";
    d.Stammwuerze = "12,5";
    d.Bittere = "30";
    d.Bitterhopfen = "Magnum";
    d.Bitterhopfenalpha = "12,5";
    d.Bitterhopfzeit = "90";
    d.Bitterhopfenmenge = "48";
    d.Aromahopfen = "Tettnanger";
    d.Aromahopfenalpha = "4,5";
    d.Aromahopfzeit = "10";
    d.Aromahopfenmenge = "24";
    d.Malzsorte1 = "Pilsner";
    d.Malzmenge1 = "4,2";
    d.Malzkommentar1 = "hell";
    d.Malzsorte2 = "Muenchner";
    d.Malzmenge2 = "0,8";
    d.SudNotizen = "erster Sud";
    return d;
}

// Rescales and expects it to be accepted.
UmrechnungsErgebnis umgerechnet(const BrauDaten& d, const char* neu, char dezimalzeichen = ',') {
    UmrechnungsErgebnis r = Mengen_Umrechnen(d, neu, dezimalzeichen);
    EXPECT_FALSE(r.abgelehnt()) << "new size \"" << neu << '"';
    return r;
}

TEST(BrauDaten, JederSchluesselSeinFeld) {
    // Each field gets its own key as text; a key pointing at a wrong or shared field shows.
    BrauDaten d;
    std::set<std::string_view> schluessel;
    for (const auto& f : BrauDaten_Felder) {
        d.*(f.feld) = std::string(f.schluessel);
        schluessel.insert(f.schluessel);
    }
    EXPECT_EQ(schluessel.size(), 26u);
    for (const auto& f : BrauDaten_Felder) EXPECT_EQ(d.*(f.feld), f.schluessel);
    EXPECT_EQ(d.Sudgroesse, "Sudgroesse");
    EXPECT_EQ(d.Bitterhopfzeit, "Bitterhopfzeit");
    EXPECT_EQ(d.Aromahopfenmenge, "Aromahopfenmenge");
    EXPECT_EQ(d.Malzkommentar3, "Malzkommentar3");
    EXPECT_EQ(d.Malzmenge4, "Malzmenge4");
    EXPECT_EQ(d.SudNotizen, "Sudnotizen");
    EXPECT_EQ(BrauDaten_Felder[8].schluessel, "Bitterhopfenmenge");
}

TEST(MengenUmrechnen, ZwanzigAufFuenfzigLiter) {
    const BrauDaten alt = sud20();
    const UmrechnungsErgebnis r = umgerechnet(alt, "50");
    const BrauDaten& d = r.daten;
    EXPECT_EQ(d.Sudgroesse, "50");
    EXPECT_EQ(d.Hauptguss, "40");
    EXPECT_EQ(d.Nachguss, "30");
    EXPECT_EQ(d.Bitterhopfenmenge, "120");
    EXPECT_EQ(d.Aromahopfenmenge, "60");
    EXPECT_EQ(d.Malzmenge1, "10,5");
    EXPECT_EQ(d.Malzmenge2, "2");
    // An empty amount counts as 1 and is scaled like the others.
    EXPECT_EQ(d.Malzmenge3, "2,5");
    EXPECT_EQ(d.Malzmenge4, "2,5");
    EXPECT_EQ(r.SudGroesseNeu, "50");
    // Not rescaled: gravity, bitterness, alpha, times, kinds, remarks, notes.
    BrauDaten unveraendert = d;
    unveraendert.Sudgroesse = alt.Sudgroesse;
    unveraendert.Hauptguss = alt.Hauptguss;
    unveraendert.Nachguss = alt.Nachguss;
    unveraendert.Bitterhopfenmenge = alt.Bitterhopfenmenge;
    unveraendert.Aromahopfenmenge = alt.Aromahopfenmenge;
    unveraendert.Malzmenge1 = alt.Malzmenge1;
    unveraendert.Malzmenge2 = alt.Malzmenge2;
    unveraendert.Malzmenge3 = alt.Malzmenge3;
    unveraendert.Malzmenge4 = alt.Malzmenge4;
    EXPECT_EQ(unveraendert, alt);
}

TEST(MengenUmrechnen, DezimalzeichenDesSystems) {
    BrauDaten d = sud20();
    d.Malzmenge1 = "4.2";  // English system
    const UmrechnungsErgebnis r = umgerechnet(d, "50", '.');
    EXPECT_EQ(r.daten.Malzmenge1, "10.5");
    EXPECT_EQ(r.daten.Malzmenge2, "2");
}

TEST(MengenUmrechnen, ZweimalGleicheGroesseAendertNichts) {
    const UmrechnungsErgebnis erst = umgerechnet(sud20(), "50");
    const UmrechnungsErgebnis zweit = umgerechnet(erst.daten, "50");
    EXPECT_EQ(zweit.daten, erst.daten);
}

TEST(MengenUmrechnen, FaktorInEinfacherGenauigkeit) {
    BrauDaten d;
    d.Sudgroesse = "3";
    d.Hauptguss = "1";
    const UmrechnungsErgebnis r = umgerechnet(d, "1");
    EXPECT_EQ(r.daten.Hauptguss, "0,3333333");
    EXPECT_EQ(r.daten.Sudgroesse, "1");
}

TEST(MengenUmrechnen, LeereGroessenZaehlenAlsEins) {
    BrauDaten d = sud20();
    d.Sudgroesse = "";
    const UmrechnungsErgebnis r = umgerechnet(d, "");
    EXPECT_EQ(r.SudGroesseNeu, "1");
    EXPECT_EQ(r.daten.Sudgroesse, "1");
    EXPECT_EQ(r.daten.Hauptguss, d.Hauptguss);
    EXPECT_EQ(r.daten.Malzmenge3, "1");

    d.Sudgroesse = "2";
    const UmrechnungsErgebnis halb = umgerechnet(d, "");
    EXPECT_EQ(halb.daten.Hauptguss, "8");
    EXPECT_EQ(halb.daten.Malzmenge3, "0,5");
}

TEST(MengenUmrechnen, AblehnungLaesstAllesStehen) {
    struct Fall {
        const char* name;
        const char* sudgroesse;
        const char* neu;
        const char* malzmenge3;
    };
    const Fall faelle[] = {
        {"Sudgroesse 0", "0", "50", ""},
        {"Sudgroesse 0,0", "0,0", "50", ""},
        {"neue Groesse 0", "20", "0", ""},
        {"Sudgroesse unlesbar", "zwanzig", "50", ""},
        {"Menge unlesbar", "20", "50", "ca. 2"},
        {"Faktor uebergross", "1E-30", "1E+30", ""},
        {"Menge uebergross", "20", "50", "3E+38"},
    };
    for (const Fall& f : faelle) {
        BrauDaten d = sud20();
        d.Sudgroesse = f.sudgroesse;
        d.Malzmenge3 = f.malzmenge3;
        const UmrechnungsErgebnis r = Mengen_Umrechnen(d, f.neu, ',');
        EXPECT_EQ(r.meldung, 5) << f.name;
        EXPECT_EQ(r.daten, d) << f.name;
    }
}

}  // namespace
}  // namespace kw
