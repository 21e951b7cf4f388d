// IMPORT on the PARAMETER page: review dialog, OK into the editors and a saved
// recipe file; Abbrechen leaves everything as it was.
#include "Testanwendung.h"

#include "program/Rezeptdatei.h"
#include "screens/Brauprotokoll.h"
#include "screens/Importpruefung.h"
#include "screens/Parameter.h"
#include "screens/Parameter2.h"
#include "screens/Phasenblock.h"
#include "screens/Zahlenfeld.h"
#include "texts/Importtexte.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace kw;

namespace {

QString datei(const char* name) { return QStringLiteral(KW_IMPORTDATEIEN "/") + QLatin1String(name); }

std::string lies(const std::string& p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

class ImportEditor : public ::testing::Test {
protected:
    QTemporaryDir ordner;
    test::Testumgebung t{ordner.path().toStdString()};
    Anwendung& app = *t.app;
    Parameter& seite = app.bildschirm<Parameter>();

    void SetUp() override
    {
        app.anlage.Dezimaltrenner = ',';
        seite.oeffnen();
        // a program in the editor before the import
        auto* name = seite.findChild<QLineEdit*>(QStringLiteral("Par_Biersorte"));
        QTest::keyClicks(name, "Alt");
        auto* anzahl = seite.findChild<QLineEdit*>(QStringLiteral("Par_AnzPhasen"));
        QTest::keyClicks(anzahl, "3");
        for (int n = 1; n <= 3; ++n) {
            auto& b = seite.block(n);
            QTest::keyClicks(b.Par_Titel, "alt");
            b.Par_Heizphase->click();
            QTest::keyClicks(b.Par_EndTemp, "50");
            QTest::keyClicks(b.Par_Ruehrpuls, "20");
            QTest::keyClicks(b.Par_Ruehrpause, "90");
        }
        app.brauDaten.Sudgroesse = "10";
    }
    void TearDown() override { t.meldungen_abholen(); }

    Importpruefung* import_klicken(const char* name)
    {
        seite.setImportauswahl([name] { return datei(name); });
        auto* knopf = seite.findChild<QPushButton*>(QStringLiteral("Command_Import"));
        EXPECT_NE(knopf, nullptr);
        QTest::mouseClick(knopf, Qt::LeftButton);
        QApplication::processEvents();
        return seite.importpruefung();
    }
};

TEST_F(ImportEditor, OkBringtDasProgrammInDieEditorenUndSpeichernSchreibtEs)
{
    EXPECT_EQ(seite.findChild<QPushButton*>(QStringLiteral("Command_Import"))->text(), "IMPORT");
    Importpruefung* p = import_klicken("mehrere_rezepte.xml");
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->isVisible());
    // two recipes: a choice, the first shown
    EXPECT_EQ(p->Rezeptwahl->count(), 2);
    EXPECT_EQ(p->Phasenliste->rowCount(), 6);
    EXPECT_EQ(p->Phasenliste->item(0, 1)->text(), "Aufheizphase");
    EXPECT_EQ(p->Phasenliste->item(0, 2)->text(), "74");
    EXPECT_EQ(p->Phasenliste->item(0, 4)->text(), "Ruf Ende Phase");
    EXPECT_EQ(p->Phasenliste->item(0, 5)->text(), "Einmaischen");
    EXPECT_EQ(p->Phasenliste->item(1, 1)->text(), "Konstantphase");
    EXPECT_EQ(p->Phasenliste->item(1, 3)->text(), "35");
    EXPECT_EQ(p->Phasenliste->item(5, 6)->text(), "Mash Out");
    EXPECT_EQ(p->Warnungsliste->count(), 4);
    EXPECT_GE(p->Braudatenliste->rowCount(), 10);
    // prefilled from phase 1
    EXPECT_EQ(p->Ruehrimpuls->text(), "20");
    EXPECT_EQ(p->Ruehrpause->text(), "90");
    // the second recipe
    p->Rezeptwahl->setCurrentIndex(1);
    EXPECT_EQ(p->Phasenliste->rowCount(), 2);
    p->Rezeptwahl->setCurrentIndex(0);
    p->Ruehrimpuls->setText("30");
    QTest::mouseClick(p->OK, Qt::LeftButton);
    QApplication::processEvents();

    const Maischprogramm& m = app.anlage.Programm;
    EXPECT_EQ(seite.findChild<QLineEdit*>(QStringLiteral("Par_Biersorte"))->text(), "Festbier");
    EXPECT_EQ(seite.findChild<QLineEdit*>(QStringLiteral("Par_AnzPhasen"))->text(), "6");
    EXPECT_EQ(m.AnzPhasen, "6");
    auto& b1 = seite.block(1);
    EXPECT_TRUE(b1.Par_Aufheizphase->isChecked());
    EXPECT_TRUE(b1.Par_Ruf_Ende_Phase->isChecked());
    EXPECT_EQ(b1.Par_EndTemp->text(), "74");
    EXPECT_EQ(b1.Par_Titel->text(), "Einmaischen");
    auto& b2 = seite.block(2);
    EXPECT_TRUE(b2.Par_Heizphase->isChecked());
    EXPECT_TRUE(b2.Par_KeinRuf->isChecked());
    EXPECT_EQ(b2.Par_EndTemp->text(), "63");
    EXPECT_EQ(b2.Par_Heizzeit->text(), "35");
    EXPECT_EQ(b2.Par_Ruehrpuls->text(), "30");
    EXPECT_EQ(b2.Par_Ruehrpause->text(), "90");
    EXPECT_EQ(b2.Par_Titel->text(), "Maltoserast");
    EXPECT_EQ(seite.block(6).Par_Titel->text(), "Mash Out");
    EXPECT_FALSE(seite.block(7).isVisibleTo(&seite));
    EXPECT_EQ(m.Phase(1).Ruftext(), "Einmaischen");
    EXPECT_EQ(m.Phase(6).Ruftext(), "Maischen beendet");
    EXPECT_EQ(app.brauDaten.Sudgroesse, "20,8");
    EXPECT_EQ(app.brauDaten.Bitterhopfen, "Hallertauer Magnum");
    for (int n = 1; n <= 6; ++n) {
        Cl_Phase q = m.Phase(n);
        Startpruefung_Normalisieren(q);
        EXPECT_TRUE(Phase_Vollstaendig(q)) << n;
    }

    // SPEICHERN writes a normal recipe file
    QTest::mouseClick(seite.findChild<QPushButton*>(QStringLiteral("Command4")), Qt::LeftButton);
    const std::string rez = lies(ordner.filePath(QStringLiteral("Festbier.rez")).toStdString());
    EXPECT_NE(rez.find("Anzahl_Phasen=6\r\n"), std::string::npos);
    EXPECT_NE(rez.find("PhasenBezeichnung=Maltoserast\r\nHeizphase=TRUE\r\nAufheizphase=FALSE\r\n"), std::string::npos);
    EXPECT_NE(rez.find("Sudgroesse=20,8\r\n"), std::string::npos);
    EXPECT_NE(rez.find("Ruftext=Maischen beendet\r\n"), std::string::npos);
    Maischprogramm geladen;
    BrauDaten daten;
    ASSERT_TRUE(Rezept_Laden(ordner.filePath(QStringLiteral("Festbier.rez")).toStdString(), geladen, daten).ok());
    EXPECT_EQ(geladen.Phase(4).Temperatur(), "72");
    EXPECT_EQ(geladen.Phase(4).Heizzeit(), "25");
    EXPECT_EQ(daten.Aromahopfen, "Tettnanger");
}

TEST_F(ImportEditor, AbbrechenUndAblehnungAendernNichts)
{
    const Maischprogramm vorher = app.anlage.Programm;
    const BrauDaten daten_vorher = app.brauDaten;
    Importpruefung* p = import_klicken("dekoktion.xml");
    ASSERT_NE(p, nullptr);
    EXPECT_FALSE(p->Rezeptwahl->isVisible());
    QTest::mouseClick(p->Abbrechen, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(app.anlage.Programm, vorher);
    EXPECT_EQ(app.brauDaten, daten_vorher);
    EXPECT_EQ(seite.block(1).Par_EndTemp->text(), "50");

    // refused in the dialog: OK cannot be pressed
    p = import_klicken("zwanzig_schritte.xml");
    ASSERT_NE(p, nullptr);
    EXPECT_FALSE(p->OK->isEnabled());
    EXPECT_TRUE(p->findChild<QLabel*>(QStringLiteral("Ablehnung"))->text().contains("22 Phasen"));
    p->close();
    // a damaged file: one message, no dialog
    EXPECT_EQ(import_klicken("abgeschnitten.xml"), nullptr);
    const auto meldungen = t.meldungen_abholen();
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_EQ(meldungen[0].rfind("Die Datei ist kein gültiges BeerXML", 0), 0u) << meldungen[0];
    EXPECT_NE(meldungen[0].find("Es wurde nichts geändert."), std::string::npos);
    EXPECT_EQ(app.anlage.Programm, vorher);
    EXPECT_EQ(app.brauDaten, daten_vorher);
}

TEST_F(ImportEditor, MaischprofilBehaeltBierUndBraudatenUndSprachen)
{
    Importpruefung* p = import_klicken("maischprofile.xml");
    ASSERT_NE(p, nullptr);
    QTest::mouseClick(p->OK, Qt::LeftButton);
    EXPECT_EQ(app.anlage.Programm.Biersorte, "Alt");
    EXPECT_EQ(app.brauDaten.Sudgroesse, "10");
    EXPECT_EQ(app.anlage.Programm.AnzPhasen, "4");

    app.anlage.Sprachnummer = 7;
    app.Sprache_Umschalten();
    t.meldungen_abholen();
    EXPECT_EQ(seite.findChild<QPushButton*>(QStringLiteral("Command_Import"))->text().toStdString(),
              Importtexte_Fuer(Sprache::Polnisch).Knopf_Import);
    app.anlage.Sprachnummer = 6;
    app.Sprache_Umschalten();
    EXPECT_EQ(seite.findChild<QPushButton*>(QStringLiteral("Command_Import"))->text(), "IMPORTAR");
}

// Pictures for a look by eye: set KW_BILDSCHIRMFOTO to a folder.
TEST_F(ImportEditor, Bildschirmfoto)
{
    const QString ziel = qEnvironmentVariable("KW_BILDSCHIRMFOTO");
    if (ziel.isEmpty())
        GTEST_SKIP() << "KW_BILDSCHIRMFOTO not set";
    Importpruefung* p = import_klicken("mehrere_rezepte.xml");
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    EXPECT_TRUE(p->grab().save(ziel + QStringLiteral("/import_pruefung.png")));
    QTest::mouseClick(p->OK, Qt::LeftButton);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    EXPECT_TRUE(seite.grab().save(ziel + QStringLiteral("/parameter_import.png")));
}

} // namespace
