#include "program/Maischprogramm.h"

#include <gtest/gtest.h>

using namespace kw;

namespace {

Cl_Phase vollstaendige_Heizphase()
{
    Cl_Phase p;
    p.setHeizphase("True");
    p.setAufheizphase("False");
    p.setKuehlphase("False");
    p.setTemperatur("63");
    p.setHeizzeit("30");
    p.setRuehrimpuls("30");
    p.setRuehrpause("90");
    p.setRufzeit("");
    p.setKein_Ruf("True");
    p.setRuf_Ende_Phase("False");
    p.setRuf_nach_Rufzeit("False");
    return p;
}

} // namespace

TEST(Maischprogramm, FrischesProgrammHatZwanzigLeereSaetze)
{
    Maischprogramm m;
    EXPECT_TRUE(m.Biersorte.empty());
    EXPECT_TRUE(m.AnzPhasen.empty());
    for (int n = 1; n <= Max_Phasen; ++n) {
        EXPECT_EQ(m.Phase(n), Cl_Phase{}) << n;
        EXPECT_TRUE(m.Titel(n).empty()) << n;
    }
    EXPECT_THROW(m.Phase(0), std::out_of_range);
    EXPECT_THROW(m.Phase(21), std::out_of_range);
}

TEST(Maischprogramm, SetterUndGetterJedesFeldes)
{
    Cl_Phase p;
    p.setHeizphase("1");
    p.setAufheizphase("2");
    p.setKuehlphase("3");
    p.setTemperatur("4");
    p.setHeizzeit("5");
    p.setRuehrimpuls("6");
    p.setRuehrpause("7");
    p.setRufzeit("8");
    p.setRuf_Ende_Phase("9");
    p.setRuf_nach_Rufzeit("10");
    p.setKein_Ruf("11");
    p.setRuftext("12");
    EXPECT_EQ(p.Heizphase(), "1");
    EXPECT_EQ(p.Aufheizphase(), "2");
    EXPECT_EQ(p.Kuehlphase(), "3");
    EXPECT_EQ(p.Temperatur(), "4");
    EXPECT_EQ(p.Heizzeit(), "5");
    EXPECT_EQ(p.Ruehrimpuls(), "6");
    EXPECT_EQ(p.Ruehrpause(), "7");
    EXPECT_EQ(p.Rufzeit(), "8");
    EXPECT_EQ(p.Ruf_Ende_Phase(), "9");
    EXPECT_EQ(p.Ruf_nach_Rufzeit(), "10");
    EXPECT_EQ(p.Kein_Ruf(), "11");
    EXPECT_EQ(p.Ruftext(), "12");
}

TEST(Flagtext, LesenOhneRuecksichtAufGrossschreibung)
{
    EXPECT_TRUE(Flag_Lesen("True"));
    EXPECT_TRUE(Flag_Lesen("TRUE"));
    EXPECT_TRUE(Flag_Lesen("true"));
    EXPECT_FALSE(Flag_Lesen("False"));
    EXPECT_FALSE(Flag_Lesen("FALSE"));
    EXPECT_FALSE(Flag_Lesen(""));
    EXPECT_FALSE(Flag_Lesen("-1"));
    EXPECT_FALSE(Flag_Lesen("truex"));
    EXPECT_FALSE(Flag_Lesen(" true"));
    EXPECT_EQ(Flagtext(true), "True");
    EXPECT_EQ(Flagtext(false), "False");
}

TEST(Vollstaendigkeit, AufheizphaseOhneRufWirdDurchNormalisierungVollstaendig)
{
    Cl_Phase p;
    p.setAufheizphase("True");
    p.setKein_Ruf("True");
    p.setTemperatur("52");
    p.setRuehrimpuls("10");
    p.setRuehrpause("20");
    EXPECT_FALSE(Phase_Vollstaendig(p));
    Startpruefung_Normalisieren(p);
    EXPECT_EQ(p.Heizzeit(), "0");
    EXPECT_EQ(p.Rufzeit(), "0");
    EXPECT_TRUE(Phase_Vollstaendig(p));
}

TEST(Vollstaendigkeit, NormalisierungLaesstHeizphaseUndZeitrufStehen)
{
    Cl_Phase p = vollstaendige_Heizphase();
    p.setKein_Ruf("False");
    p.setRuf_nach_Rufzeit("True");
    p.setHeizzeit("45");
    p.setRufzeit("");
    Startpruefung_Normalisieren(p);
    EXPECT_EQ(p.Heizzeit(), "45");
    EXPECT_EQ(p.Rufzeit(), "");
    EXPECT_FALSE(Phase_Vollstaendig(p)) << "timed call without call time";
}

TEST(Vollstaendigkeit, KonstantphaseMitRufEndeOhneHeizzeitFehlt)
{
    Cl_Phase p = vollstaendige_Heizphase();
    p.setKein_Ruf("False");
    p.setRuf_Ende_Phase("True");
    p.setHeizzeit("");
    Startpruefung_Normalisieren(p);
    EXPECT_EQ(p.Rufzeit(), "0");
    EXPECT_FALSE(Phase_Vollstaendig(p));
}

TEST(Vollstaendigkeit, JedesLeereZahlenfeldUndJedeLeereGruppeFehlt)
{
    Cl_Phase basis = vollstaendige_Heizphase();
    Startpruefung_Normalisieren(basis);
    ASSERT_TRUE(Phase_Vollstaendig(basis));

    using Setter = void (Cl_Phase::*)(std::string);
    for (Setter s : {&Cl_Phase::setTemperatur, &Cl_Phase::setHeizzeit, &Cl_Phase::setRuehrimpuls,
                     &Cl_Phase::setRuehrpause, &Cl_Phase::setRufzeit}) {
        Cl_Phase p = basis;
        (p.*s)("");
        EXPECT_FALSE(Phase_Vollstaendig(p));
    }
    Cl_Phase ohne_Art = basis;
    ohne_Art.setHeizphase("False");
    EXPECT_FALSE(Phase_Vollstaendig(ohne_Art));
    Cl_Phase ohne_Ruf = basis;
    ohne_Ruf.setKein_Ruf("");
    EXPECT_FALSE(Phase_Vollstaendig(ohne_Ruf));
    Cl_Phase gar_nichts;
    EXPECT_FALSE(Phase_Vollstaendig(gar_nichts));
}

TEST(Speichervorgaben, NurUnberuehrteGruppenWerdenBelegt)
{
    Maischprogramm m;
    m.Phase(1) = vollstaendige_Heizphase();
    m.Phase(2).setKuehlphase("True"); // kind group touched, call group not
    Speichervorgaben_Setzen(m);

    EXPECT_EQ(m.Phase(1), vollstaendige_Heizphase());
    EXPECT_EQ(m.Phase(2).Kuehlphase(), "True");
    EXPECT_EQ(m.Phase(2).Heizphase(), "");
    EXPECT_EQ(m.Phase(2).Kein_Ruf(), "TRUE");
    EXPECT_EQ(m.Phase(2).Ruf_Ende_Phase(), "FALSE");
    EXPECT_EQ(m.Phase(2).Ruf_nach_Rufzeit(), "FALSE");
    for (int n = 3; n <= Max_Phasen; ++n) {
        const Cl_Phase& p = m.Phase(n);
        EXPECT_TRUE(Ist_Heizphase(p)) << n;
        EXPECT_FALSE(Ist_Aufheizphase(p));
        EXPECT_FALSE(Ist_Kuehlphase(p));
        EXPECT_TRUE(Flag_Lesen(p.Kein_Ruf()));
        EXPECT_EQ(p.Heizphase(), "TRUE");
        EXPECT_EQ(p.Aufheizphase(), "FALSE");
    }
    // A second save changes nothing more.
    Maischprogramm kopie = m;
    Speichervorgaben_Setzen(m);
    EXPECT_EQ(m, kopie);
}
