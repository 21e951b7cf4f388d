// Temperature-time curve: history sampling, LOG and its file test, drawing, point box.
#include "Hilfentest.h"

#include <QFileDialog>
#include <QMessageBox>

#include <fstream>
#include <sstream>

#include "screens/TEMPZEITKURV.h"

namespace kw::test {
namespace {

std::string lesen(const std::filesystem::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

void schreiben(const std::filesystem::path& p, const std::string& inhalt)
{
    std::ofstream f(p, std::ios::binary);
    f << inhalt;
}

struct Kurve : ::testing::Test {
    Tempordner ordner;
    Testumgebung t{ordner.pfad.string()};
    Anwendung& app = *t.app;
    TEMPZEITKURV* k = nullptr;
    std::vector<QString> gewaehlt;  // what the file dialog will return, in order

    void SetUp() override
    {
        app.anlage.Programm.Biersorte = "Pils";
        k = &app.bildschirm<TEMPZEITKURV>();
        k->setzeDateiwahl([this](QWidget*, const QString& verzeichnis) {
            EXPECT_EQ(verzeichnis.toStdString(), ordner.pfad.string());
            if (gewaehlt.empty())
                return QString();
            QString n = gewaehlt.front();
            gewaehlt.erase(gewaehlt.begin());
            return n;
        });
    }
    void LOG(const QString& datei)
    {
        gewaehlt.push_back(datei);
        klicken(*k, "LOG");
    }
    QString pfad(const char* name) { return QString::fromStdString((ordner.pfad / name).string()); }
    QColor pixel(double x, double y)
    {
        const KurvenPunkt p = Kurve_Zu_Pixel(x, y, Kurvenflaeche::Breite_px, Kurvenflaeche::Hoehe_px);
        return k->bild().pixelColor(static_cast<int>(p.x), static_cast<int>(p.y));
    }
};

TEST_F(Kurve, ProbeAlle5SekundenInDieDateiDerBiersorte)
{
    EXPECT_EQ(k->Timer1().interval(), 5000);
    EXPECT_TRUE(k->Timer1().isActive());
    EXPECT_EQ(k->HisDatei(), ordner.pfad / "Pils.His");

    app.anzeige.Anzeige_TempIst = "62.5";
    app.anzeige.Anzeige_TempSollAct = "63.0";
    app.anzeige.Anzeige_TempSoll = "64.0";
    k->Historie_Schreiben();
    t.uhr.vor(std::chrono::seconds(5));
    app.anzeige.Anzeige_TempIst = "62.7";
    // the timer's own tick, due at once instead of after 5 s
    k->Timer1().setSingleShot(true);
    k->Timer1().start(0);
    for (int i = 0; i < 100 && k->Timer1().isActive(); ++i)
        QCoreApplication::processEvents();
    k->Timer1().setSingleShot(false);
    EXPECT_EQ(lesen(ordner.pfad / "Pils.His"),
              "08.12.2026 10:00:00 , 62.5 , 63.0 , 64.0\r\n"
              "08.12.2026 10:00:05 , 62.7 , 63.0 , 64.0\r\n");

    // a new beer name: the next sample goes to its own file, the one fixed at load stays
    app.anlage.Programm.Biersorte = "Weizen";
    t.uhr.vor(std::chrono::seconds(5));
    k->Historie_Schreiben();
    EXPECT_EQ(lesen(ordner.pfad / "Weizen.His"), "08.12.2026 10:00:10 , 62.7 , 63.0 , 64.0\r\n");
    EXPECT_EQ(k->HisDatei(), ordner.pfad / "Pils.His");

    // a decimal comma of a display never adds a field
    app.anzeige.Anzeige_TempIst = "62,5";
    k->Historie_Schreiben();
    EXPECT_NE(lesen(ordner.pfad / "Weizen.His").find(" , 62.5 , 63.0 , 64.0\r\n"), std::string::npos);

    EXPECT_TRUE(k->Historie_Neu());
    EXPECT_EQ(lesen(ordner.pfad / "Pils.His"), "");
    EXPECT_TRUE(t.meldungen_abholen().empty());
}

TEST_F(Kurve, ProbeInUnbeschreibbarenOrdnerOhneMeldung)
{
    app.anlage.Programmpfad = (ordner.pfad / "fehlt").string();
    k->Historie_Schreiben();
    EXPECT_FALSE(std::filesystem::exists(ordner.pfad / "fehlt"));
    EXPECT_TRUE(t.meldungen_abholen().empty());
}

TEST_F(Kurve, UnbrauchbarerNameMeldetSichWieBeimRezept)
{
    // The recipe's rule and the recipe's message: "/" refused, said once, nothing written.
    app.anlage.Programm.Biersorte = "Pils/Export";
    k->Historie_Schreiben();
    const auto m = t.meldungen_abholen();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0], QString::fromStdString(app.texte.dateien().Name_Ungueltig)
                        .arg(QStringLiteral("Pils/Export"))
                        .toStdString());
    k->Historie_Schreiben();
    EXPECT_TRUE(t.meldungen_abholen().empty());
    EXPECT_TRUE(std::filesystem::is_empty(ordner.pfad));

    // A usable name records again; a backslash is an ordinary character, as in the recipe.
    app.anlage.Programm.Biersorte = "Alt\\Bier";
    k->Historie_Schreiben();
    EXPECT_TRUE(std::filesystem::exists(ordner.pfad / "Alt\\Bier.His"));
    EXPECT_TRUE(t.meldungen_abholen().empty());
}

TEST_F(Kurve, LogPrueftDieEndung)
{
    schreiben(ordner.pfad / "a.his", "08.12.2026 17:35:10 , 62.5 , 63.0 , 64.0\r\n");
    LOG(pfad("a.his"));
    {
        const auto offen = app.meldungsanzeige().offene();
        ASSERT_EQ(offen.size(), 1u);
        EXPECT_EQ(offen[0]->text().toStdString(), "Invalid file extension !");
        EXPECT_EQ(offen[0]->icon(), QMessageBox::Critical);
        t.meldungen_abholen();
    }
    EXPECT_TRUE(k->HisAuswahl().isEmpty());
    EXPECT_EQ(k->kurve().His_Ist[0], 0);

    schreiben(ordner.pfad / "b.His",
              "07.12.2026 17:35:10 , 62.5 , 63.0 , 64.0\r\n"
              "07.12.2026 17:35:15 , 63.5 , 64.0 , 64.0\r\n"
              "07.12.2026 17:35:20 , 63.9 , 64.0 , 64.0\r\n");
    LOG(pfad("b.His"));
    EXPECT_TRUE(t.meldungen_abholen().empty());
    EXPECT_EQ(k->HisAuswahl(), pfad("b.His"));
    const HisKurve& c = k->kurve();
    EXPECT_EQ(c.His_Zeit[0], "07.12.2026 17:35:10");
    EXPECT_EQ(c.His_Ist[0], 62);
    EXPECT_EQ(c.His_SollAkt[0], 63);
    EXPECT_EQ(c.His_Soll[0], 64);
    EXPECT_EQ(c.His_Ist[1], 64);
    EXPECT_EQ(c.His_Ist[3], 0);
    EXPECT_EQ(c.His_Soll[199], 0);

    // refused again: the message, and the earlier choice is read once more
    LOG(pfad("c.txt"));
    EXPECT_EQ(t.meldungen_abholen(), std::vector<std::string>{"Invalid file extension !"});
    EXPECT_EQ(k->HisAuswahl(), pfad("b.His"));
    EXPECT_EQ(k->kurve().His_Ist[0], 62);

    // a cancelled dialog names no file: no message, the choice stays
    LOG(QString());
    EXPECT_TRUE(t.meldungen_abholen().empty());
    EXPECT_EQ(k->HisAuswahl(), pfad("b.His"));
}

TEST_F(Kurve, ZeichnetDreiLinienUeberDemVerlauf)
{
    // background: red at the top, blue at the bottom
    const QImage leer = k->bild();
    const QColor oben = leer.pixelColor(400, 1);
    const QColor unten = leer.pixelColor(400, leer.height() - 2);
    EXPECT_GT(oben.red(), 240);
    EXPECT_LT(oben.blue(), 15);
    EXPECT_GT(unten.blue(), 240);
    EXPECT_LT(unten.red(), 15);

    std::string inhalt;
    for (int i = 0; i < 250; ++i)
        inhalt += "07.12.2026 17:35:10 , 50.4 , 70 , 90.0\r\n";
    schreiben(ordner.pfad / "voll.His", inhalt);
    LOG(pfad("voll.His"));
    EXPECT_EQ(k->kurve().His_Ist[199], 50);
    for (double x : {1.5, 100.0, 199.5}) {
        EXPECT_EQ(pixel(x, 50), QColor(255, 255, 255)) << x;
        EXPECT_EQ(pixel(x, 70), QColor(0, 255, 0)) << x;
        EXPECT_EQ(pixel(x, 90), QColor(0, 0, 0)) << x;
    }
    EXPECT_NE(pixel(100, 60), QColor(255, 255, 255));

    // a second file draws over the first without erasing it
    schreiben(ordner.pfad / "zwei.His", "07.12.2026 17:35:10 , 40 , 40 , 40\r\n"
                                         "07.12.2026 17:35:15 , 40 , 40 , 40\r\n");
    LOG(pfad("zwei.His"));
    EXPECT_EQ(pixel(1.5, 40), QColor(0, 0, 0));
    EXPECT_EQ(pixel(100, 50), QColor(255, 255, 255));
}

TEST_F(Kurve, NichtLesbareDateiZeichnetNichts)
{
    const QImage vorher = k->bild();
    LOG(pfad("fehlt.His"));
    EXPECT_TRUE(t.meldungen_abholen().empty());
    EXPECT_EQ(k->HisAuswahl(), pfad("fehlt.His"));
    EXPECT_FALSE(k->kurve().geoeffnet);
    EXPECT_EQ(k->bild(), vorher);
}

TEST_F(Kurve, MausdruckZeigtDenPunkt)
{
    QWidget* bg = element<QWidget>(*k, "BG");
    ASSERT_NE(bg, nullptr);
    k->show();
    // the bottom corners lie at x 0 and 200, y 24.85
    QTest::mousePress(bg, Qt::LeftButton, {}, QPoint(0, Kurvenflaeche::Hoehe_px));
    EXPECT_EQ(t.meldungen_abholen(), std::vector<std::string>{"0 ---24.85"});
    QTest::mousePress(bg, Qt::LeftButton, {}, QPoint(Kurvenflaeche::Breite_px, Kurvenflaeche::Hoehe_px));
    EXPECT_EQ(t.meldungen_abholen(), std::vector<std::string>{"200 ---24.85"});
    // the top edge is 100 °C
    QTest::mousePress(bg, Qt::LeftButton, {}, QPoint(Kurvenflaeche::Breite_px, 0));
    EXPECT_EQ(t.meldungen_abholen(), std::vector<std::string>{"200 ---100"});
}

TEST_F(Kurve, KnopfHoltDasGrundbildUndSammeltWeiter)
{
    k->show();
    klicken(*k, "CommandButton1");
    QWidget* grundbild = app.bildschirm("Grundbild");
    ASSERT_NE(grundbild, nullptr);
    EXPECT_TRUE(grundbild->isVisible());
    EXPECT_TRUE(app.geladen(TEMPZEITKURV::Name));
    EXPECT_TRUE(k->Timer1().isActive());
    k->hide();
    EXPECT_TRUE(k->Timer1().isActive());
}

} // namespace
} // namespace kw::test

namespace kw::test {
namespace {

// The real open dialog: it opens beside the curve without holding the program
// in a loop of its own, and the file chosen in it is drawn when it closes.
TEST(KurveDialog, EchterDialogZeichntDieGewaehlteDatei)
{
    Tempordner ordner;
    Testumgebung t{ordner.pfad.string()};
    std::ofstream(ordner.pfad / "Sud.His", std::ios::binary) << "08.12.2026 17:35:10 , 62.5 , 63.0 , 64.0\r\n";
    auto& k = t.app->bildschirm<TEMPZEITKURV>();
    k.show();
    klicken(k, "LOG");
    auto* cd = k.findChild<QFileDialog*>(QStringLiteral("CD"));
    ASSERT_NE(cd, nullptr);
    EXPECT_TRUE(cd->isVisible());
    EXPECT_EQ(k.HisAuswahl(), "");  // nothing chosen yet, the screen goes on
    cd->selectFile(QString::fromStdString((ordner.pfad / "Sud.His").string()));
    static_cast<QDialog*>(cd)->accept();
    EXPECT_FALSE(cd->isVisible());
    EXPECT_EQ(k.HisAuswahl().toStdString(), (ordner.pfad / "Sud.His").string());
    EXPECT_TRUE(k.kurve().geoeffnet);
}

} // namespace
} // namespace kw::test
