// Calculators, calculations menu, iodine-test guide and information screen.
#include "Hilfentest.h"

#include <QLabel>
#include <QListWidget>

#include "Version.h"

#include "screens/Alkohol.h"
#include "screens/Berechnungen.h"
#include "screens/Bittere.h"
#include "screens/Brauprotokoll.h"
#include "screens/Information.h"
#include "screens/Jodprobe.h"

namespace kw::test {
namespace {

struct Rechner : ::testing::Test {
    Testumgebung t;
    Anwendung& app = *t.app;
    void SetUp() override { app.anlage.Dezimaltrenner = ','; }
    std::string meldung(int nr) { return app.meldungstext(nr).toStdString(); }

    // Types the five inputs of the bitterness screen afresh ("" leaves one empty), then CALC.
    void bittere_rechnen(QWidget& b, const char* alpha, const char* ebu, const char* liter,
                         const char* stammwuerze, const char* kochzeit)
    {
        const std::pair<const char*, const char*> eingaben[] = {
            {"Alpha", alpha}, {"Bittere_EBU", ebu}, {"Sudgroesse", liter},
            {"Stammwuerze", stammwuerze}, {"Kochzeit", kochzeit},
        };
        for (const auto& [feld, wert] : eingaben) {
            if (auto* f = element<QLineEdit>(b, feld))
                f->clear();
            tippen(b, feld, wert);
        }
        klicken(b, "Command2");
    }
};

TEST_F(Rechner, BittereRechnetDieBeispiele)
{
    auto& b = app.bildschirm<Bittere>();
    b.show();
    bittere_rechnen(b, "5", "30", "20", "12", "90");
    EXPECT_TRUE(t.meldungen_abholen().empty());
    EXPECT_EQ(text(b, "Ausnutzung"), "25,1230592411852");
    EXPECT_EQ(text(b, "MengeBitterhopfen"), "48");
    EXPECT_EQ(text(b, "MengeAromahopfen"), "24");
    EXPECT_EQ(text(b, "AlphaGramm"), "5");

    // 60 min, 25 EBU, alpha 4,5 read with the decimal comma
    bittere_rechnen(b, "4,5", "25", "50", "12", "60");
    EXPECT_EQ(text(b, "Ausnutzung").substr(0, 7), "23,4856");
    EXPECT_EQ(text(b, "MengeBitterhopfen"), "118");  // 10*25*50 / (4.5*23.4856) = 118.3
    EXPECT_EQ(text(b, "MengeAromahopfen"), "59");
    EXPECT_EQ(text(b, "AlphaGramm"), "4,5");
}

TEST_F(Rechner, BittereOhneAlleEingabenMeldung5)
{
    auto& b = app.bildschirm<Bittere>();
    // only the two fields the hint asks for
    bittere_rechnen(b, "", "", "", "12", "90");
    EXPECT_EQ(t.meldungen_abholen(), std::vector<std::string>{meldung(5)});
    for (const char* f : {"Ausnutzung", "MengeBitterhopfen", "MengeAromahopfen", "AlphaGramm"})
        EXPECT_EQ(text(b, f), "") << f;

    // a zero boil time would divide by zero: refused the same way, results kept
    bittere_rechnen(b, "5", "30", "20", "12", "90");
    ASSERT_TRUE(t.meldungen_abholen().empty());
    bittere_rechnen(b, "4", "30", "20", "12", "0");
    EXPECT_EQ(t.meldungen_abholen(), std::vector<std::string>{meldung(5)});
    EXPECT_EQ(text(b, "MengeBitterhopfen"), "48");
    EXPECT_EQ(text(b, "AlphaGramm"), "5");
    EXPECT_EQ(text(b, "Ausnutzung"), "25,1230592411852");
}

TEST_F(Rechner, BittereTastenfilterUndUebernahme)
{
    auto& b = app.bildschirm<Bittere>();
    tippen(b, "Alpha", "5%");
    EXPECT_EQ(t.meldungen_abholen(), std::vector<std::string>{meldung(11)});
    EXPECT_EQ(text(b, "Alpha"), "1");

    bittere_rechnen(b, "5", "30", "20", "12", "90");
    auto& p = app.bildschirm<Brauprotokoll>();
    klicken(b, "Command3");
    EXPECT_EQ(text(p, "Bitterhopfenmenge"), "48");
    EXPECT_EQ(text(p, "Aromahopfenmenge"), "");
    klicken(b, "Command4");
    EXPECT_EQ(text(p, "Aromahopfenmenge"), "24");
    EXPECT_EQ(app.brauDaten.Bitterhopfenmenge, "48");
    EXPECT_EQ(app.brauDaten.Aromahopfenmenge, "24");
}

TEST_F(Rechner, AlkoholRechnetDieBeispiele)
{
    auto& a = app.bildschirm<Alkohol>();
    tippen(a, "Stammwuerze", "12");
    tippen(a, "Restextrakt", "3");
    klicken(a, "Command2");
    EXPECT_TRUE(t.meldungen_abholen().empty());
    EXPECT_EQ(text(a, "Alkohol_Gew"), "3,803314");
    EXPECT_EQ(text(a, "Alkohol_Vol"), "4,83712406758584");
    EXPECT_EQ(text(a, "Brennwert_kcal"), "223,9368");
    EXPECT_EQ(text(a, "Energie_KJ"), "937,5876");

    // gravity equal to the extract: no alcohol, energy from the extract alone
    element<QLineEdit>(a, "Restextrakt")->clear();
    tippen(a, "Restextrakt", "12");
    klicken(a, "Command2");
    EXPECT_EQ(text(a, "Alkohol_Gew"), "0");
    EXPECT_EQ(text(a, "Alkohol_Vol"), "0");
    EXPECT_EQ(text(a, "Brennwert_kcal"), "249,0054");
}

TEST_F(Rechner, AlkoholMeldung5UndTastenfilter)
{
    auto& a = app.bildschirm<Alkohol>();
    tippen(a, "Stammwuerze", "12");
    klicken(a, "Command2");
    EXPECT_EQ(t.meldungen_abholen(), std::vector<std::string>{meldung(5)});
    EXPECT_EQ(text(a, "Alkohol_Gew"), "");

    tippen(a, "Restextrakt", "3.");  // the period key is not the decimal key
    EXPECT_EQ(t.meldungen_abholen(), std::vector<std::string>{meldung(11)});
    EXPECT_EQ(text(a, "Restextrakt"), "1");
    klicken(a, "Command2");
    EXPECT_EQ(text(a, "Alkohol_Gew"), "4,648495");  // P 12, R 1: 11 * 81,92 / 193,852
}

TEST_F(Rechner, MenueZeigtRechnerNurAufDeutsch)
{
    auto& m = app.bildschirm<Berechnungen>();
    auto sichtbar = [&](const char* n) { return !element<QWidget>(m, n)->isHidden(); };

    app.anlage.Sprachnummer = 2;
    m.oeffnen();
    EXPECT_TRUE(m.isVisible());
    EXPECT_FALSE(sichtbar("Command2"));
    EXPECT_FALSE(sichtbar("Command4"));
    EXPECT_TRUE(sichtbar("Command3"));
    EXPECT_TRUE(sichtbar("Command1"));

    app.anlage.Sprachnummer = 1;
    m.oeffnen();
    EXPECT_TRUE(sichtbar("Command2"));
    EXPECT_TRUE(sichtbar("Command4"));

    app.anlage.Sprachnummer = 6;
    m.oeffnen();
    EXPECT_FALSE(sichtbar("Command2"));
    EXPECT_TRUE(sichtbar("Command3"));
}

TEST_F(Rechner, MenueOeffnetUndRechnerKehrenZurueck)
{
    auto& m = app.bildschirm<Berechnungen>();
    m.oeffnen();
    klicken(m, "Command2");
    auto& b = app.bildschirm<Bittere>();
    EXPECT_TRUE(b.isVisible());
    EXPECT_TRUE(m.isVisible());
    klicken(b, "Command1");
    EXPECT_FALSE(b.isVisible());
    EXPECT_TRUE(m.isVisible());

    klicken(m, "Command4");
    auto& a = app.bildschirm<Alkohol>();
    EXPECT_TRUE(a.isVisible());
    klicken(a, "Command1");
    EXPECT_FALSE(a.isVisible());

    klicken(m, "Command3");
    auto& j = app.bildschirm<Jodprobe>();
    EXPECT_TRUE(j.isVisible());
    m.hide();
    klicken(j, "Command1");
    EXPECT_FALSE(j.isVisible());
    EXPECT_TRUE(m.isVisible());

    klicken(m, "Command1");
    EXPECT_FALSE(m.isVisible());
    QWidget* grundbild = app.bildschirm("Grundbild");
    ASSERT_NE(grundbild, nullptr);
    EXPECT_TRUE(grundbild->isVisible());
}

// Colour in the middle of a stain picture.
QColor fleckmitte(QWidget& j, const char* name)
{
    QWidget* bild = element<QWidget>(j, name);
    if (!bild)
        return {};
    const QImage img = bild->grab().toImage();
    return img.pixelColor(img.width() / 2 + 4, img.height() / 2 + 6);
}

TEST_F(Rechner, JodprobeZeigtDieDreiFaerbungen)
{
    auto& j = app.bildschirm<Jodprobe>();
    j.show();
    const QColor blau = fleckmitte(j, "Picture1");
    const QColor braun = fleckmitte(j, "Picture2");
    const QColor gelb = fleckmitte(j, "Picture3");
    // black-blue: dark, blue above red
    EXPECT_LT(blau.lightness(), 80);
    EXPECT_GT(blau.blue(), blau.red());
    // black-blue out to its edge, not merely violet
    QWidget* bild1 = element<QWidget>(j, "Picture1");
    const QImage img1 = bild1->grab().toImage();
    const QColor blauRand = img1.pixelColor(img1.width() / 2 + 30, img1.height() / 2);
    EXPECT_LT(blauRand.lightness(), 65);
    EXPECT_GT(blauRand.blue(), blauRand.red() + 40);
    EXPECT_LE(blauRand.red(), blauRand.green() + 8) << "violet";
    // dark core of the orange-brown stain: dark, red above blue
    EXPECT_LT(braun.lightness(), 80);
    EXPECT_GT(braun.red(), braun.blue());
    // even light orange-yellow: bright, red and green well above blue
    EXPECT_GT(gelb.lightness(), 140);
    EXPECT_GT(gelb.red(), gelb.blue() + 80);
    EXPECT_GT(gelb.green(), gelb.blue() + 50);
    // and the stain of picture 2 turns orange-brown towards its edge
    QWidget* bild2 = element<QWidget>(j, "Picture2");
    const QImage img = bild2->grab().toImage();
    const QColor rand = img.pixelColor(img.width() / 2 + 30, img.height() / 2);
    EXPECT_GT(rand.red(), 120);
    EXPECT_GT(rand.red(), rand.blue() + 60);
}

TEST_F(Rechner, InformationNenntDieseVersionUndDenProgrammordner)
{
    auto& i = app.bildschirm<Information>();
    auto* liste = element<QListWidget>(i, "Info_Text");
    ASSERT_NE(liste, nullptr);
    EXPECT_EQ(liste->item(4)->text(), QStringLiteral("Version " KW_VERSION));
    EXPECT_EQ(element<QLabel>(i, "Programmordner")->text().toStdString(), app.anlage.Programmpfad);
    EXPECT_FALSE(app.anlage.Programmpfad.empty());
    EXPECT_EQ(element<QLabel>(i, "Label_Programmordner")->text(),
              QStringLiteral("Programmordner (Einstellungen, Rezepte, Sude):"));

    // The licence, in the language in effect.
    auto* lizenz = element<QLabel>(i, "Label_Lizenz");
    ASSERT_NE(lizenz, nullptr);
    EXPECT_TRUE(lizenz->text().startsWith(QStringLiteral("Lizenz: GPL-3.0-or-later (GNU General Public License, "
                                                         "Version 3 oder später)")))
        << lizenz->text().toStdString();
    EXPECT_TRUE(lizenz->text().contains(QStringLiteral("freie Software"))) << lizenz->text().toStdString();

    // Another language keeps its own word and still shows this build's number.
    app.anlage.Sprachnummer = 7; // Polish
    app.Sprache_Umschalten();
    EXPECT_EQ(liste->item(4)->text(), QStringLiteral("Wersja " KW_VERSION));
    EXPECT_TRUE(lizenz->text().contains(QStringLiteral("wolnym oprogramowaniem"))) << lizenz->text().toStdString();
    EXPECT_TRUE(lizenz->text().startsWith(QStringLiteral("Licencja: GPL-3.0-or-later ")));
}

TEST_F(Rechner, InformationSchliesstBeimDruecken)
{
    auto& i = app.bildschirm<Information>();
    auto* liste = element<QListWidget>(i, "Info_Text");
    ASSERT_NE(liste, nullptr);
    ASSERT_EQ(liste->count(), 16);
    for (int n = 0; n < 16; ++n)
        EXPECT_FALSE(liste->item(n)->text().isEmpty()) << n;
    i.show();
    // the press alone closes it, before any release
    QTest::mousePress(element<QWidget>(i, "OK_Info"), Qt::LeftButton);
    EXPECT_FALSE(i.isVisible());
    QWidget* grundbild = app.bildschirm("Grundbild");
    ASSERT_NE(grundbild, nullptr);
    EXPECT_TRUE(grundbild->isVisible());
    QTest::mouseRelease(element<QWidget>(i, "OK_Info"), Qt::LeftButton);
}

} // namespace
} // namespace kw::test
