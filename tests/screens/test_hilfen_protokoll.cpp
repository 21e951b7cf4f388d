// Brew protocol: filling from the mash program, brew data, rescaling, key filter.
#include "Hilfentest.h"

#include "screens/Brauprotokoll.h"

namespace kw::test {
namespace {

struct Protokoll : ::testing::Test {
    Testumgebung t;
    Anwendung& app = *t.app;
    Brauprotokoll* p = nullptr;

    void SetUp() override
    {
        app.anlage.Dezimaltrenner = ',';
        p = &app.bildschirm<Brauprotokoll>();
    }
    std::string meldung(int nr) { return app.meldungstext(nr).toStdString(); }
    bool zeile_sichtbar(int k)
    {
        const QString n = QString::number(k);
        bool alle = true, keine = true;
        for (const char* teil : {"PhaseTemp_", "PhaseGrad_", "PhaseZeit_", "PhaseMinut_", "PhaseKomm_"}) {
            QWidget* w = p->findChild<QWidget*>(QString::fromLatin1(teil) + n);
            EXPECT_NE(w, nullptr);
            if (!w)
                return false;
            (w->isHidden() ? alle : keine) = false;
        }
        EXPECT_TRUE(alle || keine) << "row " << k << " half shown";
        return alle;
    }
    void phase(int i, bool rast, const char* temp, const char* zeit, const char* titel)
    {
        Cl_Phase& ph = app.anlage.Programm.Phase(i);
        ph.setHeizphase(Flagtext(rast));
        ph.setAufheizphase(Flagtext(!rast));
        ph.setTemperatur(temp);
        ph.setHeizzeit(zeit);
        app.anlage.Programm.Titel(i) = titel;
    }
};

TEST_F(Protokoll, OeffnenZeigtNurDieRastenLueckenlos)
{
    Maischprogramm& m = app.anlage.Programm;
    m.Biersorte = "Pils";
    m.AnzPhasen = "5";
    phase(1, false, "45", "0", "Einmaischen");
    phase(2, true, "52", "15", "Eiweissrast");
    phase(3, false, "63", "0", "Aufheizen");
    phase(4, true, "63", "40", "Maltoserast");
    phase(5, false, "78", "0", "Abmaischen");
    // a holding phase beyond the count stays out
    phase(6, true, "99", "9", "zu weit");
    tippen(*p, "SudNotizen", "bleibt");

    p->oeffnen();
    EXPECT_TRUE(p->isVisible());
    EXPECT_EQ(text(*p, "Biersorte"), "Pils");
    EXPECT_EQ(p->Phasenzeilen(), 2);
    EXPECT_EQ(text(*p, "PhaseTemp_1"), "52");
    EXPECT_EQ(text(*p, "PhaseZeit_1"), "15");
    EXPECT_EQ(text(*p, "PhaseKomm_1"), "Eiweissrast");
    EXPECT_EQ(text(*p, "PhaseTemp_2"), "63");
    EXPECT_EQ(text(*p, "PhaseZeit_2"), "40");
    EXPECT_EQ(text(*p, "PhaseKomm_2"), "Maltoserast");
    EXPECT_TRUE(zeile_sichtbar(1));
    EXPECT_TRUE(zeile_sichtbar(2));
    for (int k = 3; k <= 20; ++k)
        EXPECT_FALSE(zeile_sichtbar(k)) << k;
    EXPECT_EQ(text(*p, "SudNotizen"), "bleibt");

    // Every opening rebuilds the rows: phase 2 no longer holds, titles of 11..20 count too.
    m.AnzPhasen = "12";
    phase(2, false, "52", "15", "Eiweissrast");
    phase(12, true, "72", "20", "Verzuckerung");
    p->oeffnen();
    EXPECT_EQ(p->Phasenzeilen(), 3);
    EXPECT_EQ(text(*p, "PhaseKomm_1"), "Maltoserast");
    EXPECT_EQ(text(*p, "PhaseKomm_2"), "zu weit");
    EXPECT_EQ(text(*p, "PhaseKomm_3"), "Verzuckerung");
    EXPECT_TRUE(zeile_sichtbar(3));
    EXPECT_FALSE(zeile_sichtbar(4));
}

TEST_F(Protokoll, OhneOderMitUnsinnigerPhasenzahlKeineZeilen)
{
    phase(1, true, "63", "40", "Rast");
    app.anlage.Programm.AnzPhasen = "";
    p->oeffnen();
    EXPECT_EQ(p->Phasenzeilen(), 0);
    EXPECT_FALSE(zeile_sichtbar(1));

    // A hand-edited count beyond the table stops at 20 phases.
    for (int i = 1; i <= 20; ++i)
        phase(i, true, "63", "1", "Rast");
    app.anlage.Programm.AnzPhasen = "99";
    p->oeffnen();
    EXPECT_EQ(p->Phasenzeilen(), 20);
    EXPECT_TRUE(zeile_sichtbar(20));
    app.anlage.Programm.AnzPhasen = "x";
    p->oeffnen();
    EXPECT_EQ(p->Phasenzeilen(), 0);
}

TEST_F(Protokoll, UmrechnenMitDemKnopf)
{
    tippen(*p, "Sudgroesse", "20");
    tippen(*p, "Hauptguss", "16");
    tippen(*p, "Malzmenge1", "4,2");
    tippen(*p, "Bitterhopfenmenge", "48");
    tippen(*p, "Bitterhopfenalpha", "4,5");
    tippen(*p, "Stammwuerze", "12");
    tippen(*p, "SudGroesseNeu", "50");
    klicken(*p, "Command1");
    EXPECT_TRUE(t.meldungen_abholen().empty());
    EXPECT_EQ(text(*p, "Hauptguss"), "40");
    EXPECT_EQ(text(*p, "Malzmenge1"), "10,5");
    EXPECT_EQ(text(*p, "Bitterhopfenmenge"), "120");
    EXPECT_EQ(text(*p, "Sudgroesse"), "50");
    EXPECT_EQ(text(*p, "SudGroesseNeu"), "50");
    // empty amounts count as 1
    EXPECT_EQ(text(*p, "Nachguss"), "2,5");
    EXPECT_EQ(text(*p, "Malzmenge4"), "2,5");
    // not rescaled
    EXPECT_EQ(text(*p, "Bitterhopfenalpha"), "4,5");
    EXPECT_EQ(text(*p, "Stammwuerze"), "12");
    EXPECT_EQ(app.brauDaten, p->daten());

    // the same new size again: f = 1
    const BrauDaten vorher = p->daten();
    klicken(*p, "Command1");
    EXPECT_EQ(p->daten(), vorher);
}

TEST_F(Protokoll, UmrechnenAbgelehntAendertNichts)
{
    tippen(*p, "Sudgroesse", "0");
    tippen(*p, "Hauptguss", "16");
    klicken(*p, "Command1");
    EXPECT_EQ(t.meldungen_abholen(), std::vector<std::string>{meldung(5)});
    EXPECT_EQ(text(*p, "Sudgroesse"), "0");
    EXPECT_EQ(text(*p, "Hauptguss"), "16");
    EXPECT_EQ(text(*p, "Nachguss"), "");
    EXPECT_EQ(text(*p, "SudGroesseNeu"), "");
}

TEST_F(Protokoll, AbgelehnteTasteGibtMeldungUndEins)
{
    tippen(*p, "Hauptguss", "12a");
    EXPECT_EQ(t.meldungen_abholen(), std::vector<std::string>{meldung(11)});
    EXPECT_EQ(text(*p, "Hauptguss"), "1");
    // a second comma is refused too
    tippen(*p, "Malzmenge2", "4,2,");
    EXPECT_EQ(t.meldungen_abholen(), std::vector<std::string>{meldung(11)});
    EXPECT_EQ(text(*p, "Malzmenge2"), "1");
    EXPECT_EQ(app.brauDaten.Malzmenge2, "1");
    // the other fields take any text
    tippen(*p, "Stammwuerze", "12,5 P");
    tippen(*p, "Malzsorte1", "Pilsner Malz");
    EXPECT_TRUE(t.meldungen_abholen().empty());
    EXPECT_EQ(text(*p, "Stammwuerze"), "12,5 P");
}

TEST_F(Protokoll, BraudatenInBeideRichtungen)
{
    // every one of the 26 fields its own text, into the named control and back
    BrauDaten d;
    int n = 0;
    for (const BrauDatenFeld& f : BrauDaten_Felder)
        d.*(f.feld) = "Wert " + std::to_string(++n);
    p->setzeDaten(d);
    EXPECT_EQ(p->daten(), d);
    EXPECT_EQ(app.brauDaten, d);
    EXPECT_EQ(text(*p, "Sudgroesse"), "Wert 1");
    EXPECT_EQ(text(*p, "Bitterhopfenmenge"), "Wert 9");
    EXPECT_EQ(text(*p, "Malzkommentar4"), "Wert 25");
    EXPECT_EQ(text(*p, "SudNotizen"), "Wert 26");

    // typing goes into the application's data at once
    tippen(*p, "Aromahopfen", "-Saazer");
    EXPECT_EQ(app.brauDaten.Aromahopfen, "Wert 10-Saazer");

    // a recipe load that wrote the application's data shows on the next opening
    app.brauDaten.Nachguss = "14";
    p->oeffnen();
    EXPECT_EQ(text(*p, "Nachguss"), "14");

    // neither date, beer name nor new size belong to the brew data
    EXPECT_EQ(text(*p, "Datum"), "08.12.2026 10:00:00");
}

TEST_F(Protokoll, NeuAngelegtMitDenDatenDerAnwendung)
{
    Testumgebung t2;
    t2.app->brauDaten.Hauptguss = "22";
    auto& p2 = t2.app->bildschirm<Brauprotokoll>();
    EXPECT_EQ(text(p2, "Hauptguss"), "22");
}

TEST_F(Protokoll, OkVerbirgtUndZeigtDasGrundbild)
{
    p->oeffnen();
    ASSERT_TRUE(p->isVisible());
    klicken(*p, "OK");
    EXPECT_FALSE(p->isVisible());
    QWidget* grundbild = app.bildschirm("Grundbild");
    ASSERT_NE(grundbild, nullptr);
    EXPECT_TRUE(grundbild->isVisible());
}

} // namespace
} // namespace kw::test
