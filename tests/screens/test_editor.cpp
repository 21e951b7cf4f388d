// The phase editor pages and the call-text window, driven through their real
// fields, options and buttons.
#include "Testanwendung.h"

#include "program/Profildatei.h"
#include "screens/Beschriftungen.h"
#include "screens/Parameter.h"
#include "screens/Parameter2.h"
#include "screens/Phasenblock.h"
#include "screens/Probelaufanzeige.h"
#include "screens/Ruf_Text.h"
#include "screens/Tastencode.h"
#include "screens/Zahlenfeld.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMimeData>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "Testdatei.h"

#include <filesystem>

using namespace kw;
using kw::test::lies;
using kw::test::schreibe;
namespace fs = std::filesystem;

namespace {

class Editor : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        ordner = fs::temp_directory_path() / ("kw_editor_" + std::string(info->name()));
        fs::remove_all(ordner);
        fs::create_directories(ordner);
        env = std::make_unique<test::Testumgebung>(ordner.string());
        seite1 = &app().bildschirm<Parameter>();
        seite1->oeffnen();
    }
    void TearDown() override
    {
        env->meldungen_abholen();
        env.reset();
        fs::remove_all(ordner);
    }

    Anwendung& app() { return *env->app; }
    Parameter2& seite2() { return app().bildschirm<Parameter2>(); }
    Maischprogramm& programm() { return app().anlage.Programm; }

    template <class T = QWidget> T* el(QWidget* seite, const QString& name)
    {
        T* w = seite->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QLineEdit* feld(QWidget* seite, const char* name, int n)
    {
        return el<QLineEdit>(seite, QString::fromLatin1(name) + u'_' + QString::number(n));
    }
    QRadioButton* option(QWidget* seite, const char* name, int n)
    {
        return el<QRadioButton>(seite, QString::fromLatin1(name) + u'_' + QString::number(n));
    }
    static void tippe(QWidget* w, const char* tasten)
    {
        for (const char* t = tasten; *t; ++t)
            QTest::keyClick(w, *t);
    }
    // On the indicator: the option's label may not reach the widget's middle.
    static void klick(QAbstractButton* b)
    {
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    }
    static bool sichtbar(QWidget* w) { return !w->isHidden(); }

    fs::path ordner;
    std::unique_ptr<test::Testumgebung> env;
    Parameter* seite1 = nullptr;
};

} // namespace

TEST_F(Editor, JederTabelleneintragFindetSeinSteuerelement)
{
    auto& ruf = app().bildschirm<Ruf_Text>();
    std::map<std::string, int> anzahl;
    for (const Beschriftung& b : app().texte.beschriftungen()) {
        QWidget* seite = b.Bildschirm == "PARAMETER" ? static_cast<QWidget*>(seite1)
            : b.Bildschirm == "PARAMETER2"          ? static_cast<QWidget*>(&seite2())
            : b.Bildschirm == "Ruf_Text"            ? static_cast<QWidget*>(&ruf)
                                                    : nullptr;
        if (!seite)
            continue;
        ++anzahl[b.Bildschirm];
        const auto gelesen = Beschriftung_Lesen(*seite, b.Steuerelement);
        ASSERT_TRUE(gelesen) << b.Bildschirm << "/" << b.Steuerelement;
        // The page button of PARAMETER shows the range by state.
        if (b.Steuerelement != "Command6" || b.Bildschirm != "PARAMETER") {
            EXPECT_EQ(gelesen->toStdString(), b.Text) << b.Bildschirm << "/" << b.Steuerelement;
        }
    }
    EXPECT_EQ(anzahl["PARAMETER"], 19);
    EXPECT_EQ(anzahl["PARAMETER2"], 15);
    EXPECT_EQ(anzahl["Ruf_Text"], 2);

    // Every element of a block array carries the caption, on both pages.
    EXPECT_EQ(option(seite1, "Par_Heizphase", 7)->text(), "Konstantphase");
    EXPECT_EQ(option(&seite2(), "Par_Kuehlphase", 20)->text(), "Kühlphase");
    EXPECT_EQ(el<QLabel>(&seite2(), "Label5_13")->text(), "Rührimpuls");
    EXPECT_EQ(seite1->windowTitle(), "KESSELWERK");
    EXPECT_EQ(ruf.windowTitle(), "Braumeister-Ruf Beschreibung");

    // Another language reaches every element, and the page button's state caption.
    app().texte.Sprache_Umschalten(2);
    app().beschriften(Parameter::Name, *seite1);
    app().beschriften(Parameter2::Name, seite2());
    Q_EMIT app().spracheGeaendert();
    const std::string* konstant = app().texte.beschriftung("PARAMETER", "Par_Heizphase");
    ASSERT_NE(konstant, nullptr);
    EXPECT_EQ(option(seite1, "Par_Heizphase", 1)->text().toStdString(), *konstant);
    EXPECT_EQ(option(&seite2(), "Par_Heizphase", 16)->text().toStdString(), *konstant);
    EXPECT_EQ(el<QPushButton>(seite1, "Command6")->text().toStdString(),
              app().texte.schalter().Text_Phasen_11_20);
}

TEST_F(Editor, TemperaturfeldKlemmtAuf110UndSchreibtBeimLoslassen)
{
    QLineEdit* temp = feld(seite1, "Par_EndTemp", 3);
    tippe(temp, "150");
    EXPECT_EQ(temp->text(), "110");
    EXPECT_EQ(programm().Phase(3).Temperatur(), "110");
    EXPECT_EQ(seite1->Bearbeitete_Phase, 3);

    QTest::keyClick(temp, Qt::Key_Backspace);
    EXPECT_EQ(temp->text(), "11");
    EXPECT_EQ(programm().Phase(3).Temperatur(), "11");

    // Three characters at most; the fourth digit is not taken.
    QTest::keyClick(temp, '0');
    QTest::keyClick(temp, '5');
    EXPECT_EQ(temp->text(), "110");
    EXPECT_TRUE(env->meldungen_abholen().empty());

    // The other fields keep their own limits; a key release stores the text as it stands.
    QLineEdit* puls = feld(&seite2(), "Par_Ruehrpuls", 15);
    tippe(puls, "99999");
    EXPECT_EQ(puls->text(), "9999");
    EXPECT_EQ(programm().Phase(15).Ruehrimpuls(), "9999");
    EXPECT_EQ(seite1->Bearbeitete_Phase, 15);
    EXPECT_EQ(programm().Phase(15).Temperatur(), "");
}

TEST_F(Editor, AbgelehnteTasteZeigtMeldungUndLeertDasFeld)
{
    // Konstantphase, so the holding time is shown.
    klick(option(seite1, "Par_Heizphase", 2));
    QLineEdit* zeit = feld(seite1, "Par_Heizzeit", 2);
    tippe(zeit, "45");
    EXPECT_EQ(programm().Phase(2).Heizzeit(), "45");

    // Keypad 7: refused with message 12, the field emptied at once; the record
    // keeps its value until the key comes up.
    QTest::keyPress(zeit, Qt::Key_7, Qt::KeypadModifier);
    EXPECT_EQ(zeit->text(), "");
    EXPECT_EQ(programm().Phase(2).Heizzeit(), "45");
    QTest::keyRelease(zeit, Qt::Key_7, Qt::KeypadModifier);
    EXPECT_EQ(programm().Phase(2).Heizzeit(), "");
    EXPECT_EQ(env->meldungen_abholen(), std::vector<std::string>{app().texte.meldung(12)});

    // The 7 of the digit row is taken.
    QTest::keyClick(zeit, '7');
    EXPECT_EQ(zeit->text(), "7");
    EXPECT_TRUE(env->meldungen_abholen().empty());

    // Temperature: a letter gives message 15, stirring times message 13.
    QLineEdit* temp = feld(seite1, "Par_EndTemp", 2);
    tippe(temp, "6x");
    EXPECT_EQ(temp->text(), "");
    EXPECT_EQ(env->meldungen_abholen(), std::vector<std::string>{app().texte.meldung(15)});
    QTest::keyClick(feld(seite1, "Par_Ruehrpause", 9), Qt::Key_Period);
    EXPECT_EQ(env->meldungen_abholen(), std::vector<std::string>{app().texte.meldung(13)});
    EXPECT_EQ(seite1->Bearbeitete_Phase, 9);
}

TEST_F(Editor, PhasenanzahlWirdAuf1Bis20Geklemmt)
{
    auto* anz = el<QLineEdit>(seite1, "Par_AnzPhasen");
    tippe(anz, "25");
    EXPECT_EQ(anz->text(), "20");
    EXPECT_EQ(programm().AnzPhasen, "20");
    EXPECT_EQ(app().anlage.Anzahl_Phasen_Text, "20");

    QTest::keyClick(anz, Qt::Key_Backspace);
    EXPECT_EQ(anz->text(), "2");
    QTest::keyClick(anz, Qt::Key_Backspace);
    EXPECT_EQ(anz->text(), "1");
    EXPECT_EQ(programm().AnzPhasen, "1");
    EXPECT_EQ(app().anlage.Anzahl_Phasen_Text, "1");

    // A refused key empties the field; its release then gives "1".
    tippe(anz, "2");
    EXPECT_EQ(anz->text(), "12");
    QTest::keyClick(anz, Qt::Key_Minus);
    EXPECT_EQ(anz->text(), "1");
    EXPECT_EQ(env->meldungen_abholen(), std::vector<std::string>{app().texte.meldung(14)});
}

TEST_F(Editor, BloeckeUndSeitenknopfFolgenDerPhasenanzahl)
{
    auto* knopf = el<QPushButton>(seite1, "Command6");
    auto* anz = el<QLineEdit>(seite1, "Par_AnzPhasen");
    Parameter2& s2 = seite2();

    // Empty count: every block, the button with its full range.
    for (int n = 1; n <= 10; ++n)
        EXPECT_TRUE(sichtbar(&seite1->block(n))) << n;
    for (int n = 11; n <= 20; ++n)
        EXPECT_TRUE(sichtbar(&s2.block(n))) << n;
    EXPECT_TRUE(sichtbar(knopf));
    EXPECT_EQ(knopf->text(), "PHASEN 11 - 20");

    tippe(anz, "8");
    for (int n = 1; n <= 10; ++n)
        EXPECT_EQ(sichtbar(&seite1->block(n)), n <= 8) << n;
    for (int n = 11; n <= 20; ++n)
        EXPECT_FALSE(sichtbar(&s2.block(n))) << n;
    EXPECT_FALSE(sichtbar(knopf));

    QTest::keyClick(anz, Qt::Key_Backspace);  // empty on release: "1"
    tippe(anz, "4");
    EXPECT_EQ(anz->text(), "14");
    for (int n = 1; n <= 10; ++n)
        EXPECT_TRUE(sichtbar(&seite1->block(n))) << n;
    for (int n = 11; n <= 20; ++n)
        EXPECT_EQ(sichtbar(&s2.block(n)), n <= 14) << n;
    EXPECT_TRUE(sichtbar(knopf));
    EXPECT_EQ(knopf->text(), "PHASEN 11 - 14");

    // Hidden blocks keep their contents and records.
    feld(seite1, "Par_Titel", 9)->setText("Nachguss");
    tippe(feld(seite1, "Par_EndTemp", 9), "78");
    anz->selectAll();
    tippe(anz, "3");
    EXPECT_FALSE(sichtbar(&seite1->block(9)));
    anz->selectAll();
    tippe(anz, "9");
    EXPECT_TRUE(sichtbar(&seite1->block(9)));
    EXPECT_EQ(feld(seite1, "Par_EndTemp", 9)->text(), "78");
    EXPECT_EQ(programm().Titel(9), "Nachguss");
    EXPECT_EQ(programm().Phase(9).Temperatur(), "78");
}

TEST_F(Editor, ArtoptionenSchreibenDieDreiFlagsUndSteuernDieHeizzeit)
{
    QLineEdit* zeit = feld(seite1, "Par_Heizzeit", 4);
    QLineEdit* rufzeit = feld(seite1, "Par_Rufzeit", 4);
    // A new block: nothing selected, holding and call time hidden.
    EXPECT_FALSE(option(seite1, "Par_Heizphase", 4)->isChecked());
    EXPECT_FALSE(sichtbar(zeit));
    EXPECT_FALSE(sichtbar(rufzeit));
    EXPECT_EQ(programm().Phase(4).Heizphase(), "");

    klick(option(seite1, "Par_Heizphase", 4));
    EXPECT_TRUE(sichtbar(zeit));
    tippe(zeit, "40");
    EXPECT_EQ(programm().Phase(4).Heizphase(), "True");
    EXPECT_EQ(programm().Phase(4).Aufheizphase(), "False");
    EXPECT_EQ(programm().Phase(4).Kuehlphase(), "False");
    EXPECT_EQ(seite1->Bearbeitete_Phase, 4);

    klick(option(seite1, "Par_Aufheizphase", 4));
    EXPECT_FALSE(option(seite1, "Par_Heizphase", 4)->isChecked());
    EXPECT_FALSE(sichtbar(zeit));
    EXPECT_EQ(programm().Phase(4).Heizphase(), "False");
    EXPECT_EQ(programm().Phase(4).Aufheizphase(), "True");

    // The call group is independent of the kind group.
    klick(option(seite1, "Par_KeinRuf", 4));
    EXPECT_TRUE(option(seite1, "Par_Aufheizphase", 4)->isChecked());
    klick(option(seite1, "Par_Kuehlphase", 4));
    EXPECT_TRUE(option(seite1, "Par_KeinRuf", 4)->isChecked());
    EXPECT_EQ(programm().Phase(4).Kuehlphase(), "True");
    EXPECT_EQ(programm().Phase(4).Aufheizphase(), "False");
    // Other blocks are untouched.
    EXPECT_EQ(programm().Phase(5).Heizphase(), "");
    EXPECT_FALSE(option(seite1, "Par_Kuehlphase", 5)->isChecked());

    klick(option(seite1, "Par_Heizphase", 4));
    EXPECT_TRUE(sichtbar(zeit));
    EXPECT_EQ(zeit->text(), "40");
    EXPECT_EQ(programm().Phase(4).Heizzeit(), "40");
}

TEST_F(Editor, KeinRufOeffnetKeinFenster)
{
    klick(option(seite1, "Par_Ruf_Ende_Phase", 6));
    ASSERT_TRUE(app().geladen(Ruf_Text::Name));
    auto& ruf = app().bildschirm<Ruf_Text>();
    EXPECT_TRUE(ruf.isVisible());
    QTest::mousePress(el<QPushButton>(&ruf, "Command1"), Qt::LeftButton);
    EXPECT_FALSE(ruf.isVisible());
    EXPECT_TRUE(seite1->isVisible());
    QTest::mouseRelease(el<QPushButton>(&ruf, "Command1"), Qt::LeftButton);

    klick(option(seite1, "Par_KeinRuf", 6));
    EXPECT_EQ(programm().Phase(6).Kein_Ruf(), "True");
    EXPECT_EQ(programm().Phase(6).Ruf_Ende_Phase(), "False");
    EXPECT_EQ(programm().Phase(6).Ruf_nach_Rufzeit(), "False");
    EXPECT_FALSE(ruf.isVisible());
    EXPECT_FALSE(sichtbar(feld(seite1, "Par_Rufzeit", 6)));
}

TEST_F(Editor, RufNachRufzeitInBlock12UndZurueckZurZweitenSeite)
{
    programm().Phase(12).setRuftext("Jodprobe machen");
    programm().Phase(3).setRuftext("anderer Text");

    // To the second page with the page button.
    QTest::mouseClick(el<QPushButton>(seite1, "Command6"), Qt::LeftButton);
    Parameter2& s2 = seite2();
    EXPECT_FALSE(seite1->isVisible());
    EXPECT_TRUE(s2.isVisible());
    EXPECT_EQ(seite1->Parameterseite, 2);

    klick(option(&s2, "Par_Ruf_nach_Rufzeit", 12));
    EXPECT_EQ(seite1->Bearbeitete_Phase, 12);
    EXPECT_EQ(programm().Phase(12).Ruf_nach_Rufzeit(), "True");
    EXPECT_EQ(programm().Phase(12).Kein_Ruf(), "False");
    EXPECT_TRUE(sichtbar(feld(&s2, "Par_Rufzeit", 12)));

    auto& ruf = app().bildschirm<Ruf_Text>();
    ASSERT_TRUE(ruf.isVisible());
    auto* eingabe = el<QLineEdit>(&ruf, "Eingabe_Text_BraumeisterRuf");
    EXPECT_EQ(eingabe->text(), "Jodprobe machen");
    eingabe->setFocus();
    QTest::keyClick(eingabe, Qt::Key_End);
    QTest::keyClicks(eingabe, " jetzt");
    EXPECT_EQ(programm().Phase(12).Ruftext(), "Jodprobe machen jetzt");
    EXPECT_EQ(programm().Phase(3).Ruftext(), "anderer Text");

    // OK acts on the mouse going down and returns to PARAMETER2.
    QTest::mousePress(el<QPushButton>(&ruf, "Command1"), Qt::LeftButton);
    EXPECT_FALSE(ruf.isVisible());
    EXPECT_TRUE(s2.isVisible());
    EXPECT_FALSE(seite1->isVisible());
    QTest::mouseRelease(el<QPushButton>(&ruf, "Command1"), Qt::LeftButton);

    // Back to the first page; the call window now edits phase 3 and returns there.
    QTest::mouseClick(el<QPushButton>(&s2, "Command6"), Qt::LeftButton);
    EXPECT_EQ(seite1->Parameterseite, 1);
    EXPECT_TRUE(seite1->isVisible());
    EXPECT_FALSE(s2.isVisible());
    klick(option(seite1, "Par_Ruf_Ende_Phase", 3));
    EXPECT_EQ(eingabe->text(), "anderer Text");
    QTest::mouseClick(el<QPushButton>(&ruf, "Command1"), Qt::LeftButton);
    EXPECT_TRUE(seite1->isVisible());
    EXPECT_FALSE(s2.isVisible());
}

TEST_F(Editor, ZurueckVerbirgtDieSeiteBeimDrueckenDerMaustaste)
{
    auto* zurueck = el<QPushButton>(seite1, "Command1");
    QTest::mousePress(zurueck, Qt::LeftButton);
    EXPECT_FALSE(seite1->isVisible());
    QTest::mouseRelease(zurueck, Qt::LeftButton);

    seite1->oeffnen();
    EXPECT_TRUE(seite1->isVisible());
    EXPECT_EQ(seite1->Parameterseite, 1);
}

TEST_F(Editor, TabulatorfolgeLaeuftDurchDieBloeckeUndZuletztZuNameUndAnzahl)
{
    const auto kette = [](QWidget* von, int schritte) {
        std::vector<std::string> namen;
        for (QWidget* w = von; schritte > 0;) {
            w = w->nextInFocusChain();
            if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus) {
                namen.push_back(w->objectName().toStdString());
                --schritte;
            }
        }
        return namen;
    };
    EXPECT_EQ(kette(feld(seite1, "Par_Titel", 1), 12),
              (std::vector<std::string>{"Par_Heizphase_1", "Par_Aufheizphase_1", "Par_Kuehlphase_1",
                                        "Par_EndTemp_1", "Par_Heizzeit_1", "Par_Ruehrpuls_1",
                                        "Par_Ruehrpause_1", "Par_KeinRuf_1", "Par_Ruf_Ende_Phase_1",
                                        "Par_Ruf_nach_Rufzeit_1", "Par_Rufzeit_1", "Par_Titel_2"}));
    EXPECT_EQ(kette(feld(seite1, "Par_Rufzeit", 10), 8),
              (std::vector<std::string>{"Par_Biersorte", "Par_AnzPhasen", "Command5", "Command4",
                                        "Command_Import", "Command_Probelauf", "Command6", "Command1"}));
    EXPECT_EQ(kette(feld(&seite2(), "Par_Rufzeit", 11), 2),
              (std::vector<std::string>{"Par_Titel_12", "Par_Heizphase_12"}));

    // An opened page starts in the title of its first phase, not on a button.
    seite1->activateWindow();
    QApplication::processEvents();
    ASSERT_NE(seite1->focusWidget(), nullptr);
    EXPECT_EQ(seite1->focusWidget()->objectName(), "Par_Titel_1");
    QTest::mouseClick(el<QPushButton>(seite1, "Command6"), Qt::LeftButton);
    seite2().activateWindow();
    QApplication::processEvents();
    ASSERT_NE(seite2().focusWidget(), nullptr);
    EXPECT_EQ(seite2().focusWidget()->objectName(), "Par_Titel_11");

    // Real Tab presses from the title of phase 1 (nothing selected, so every
    // option is a stop; hidden holding and call times are skipped).
    feld(seite1, "Par_Titel", 1)->setFocus();
    std::vector<std::string> besucht;
    for (int i = 0; i < 10; ++i) {
        QTest::keyClick(seite1->focusWidget(), Qt::Key_Tab);
        besucht.push_back(seite1->focusWidget()->objectName().toStdString());
    }
    EXPECT_EQ(besucht.front(), "Par_Heizphase_1");
    EXPECT_EQ(besucht.back(), "Par_Titel_2");
}

TEST_F(Editor, TitelUndBiersorteGehenInsProgramm)
{
    QTest::keyClicks(el<QLineEdit>(seite1, "Par_Biersorte"), "Festbier");
    QTest::keyClicks(feld(&seite2(), "Par_Titel", 17), "Maischeruhe 17 und mehr als zwanzig");
    EXPECT_EQ(programm().Biersorte, "Festbier");
    EXPECT_EQ(programm().Titel(17), "Maischeruhe 17 und m");  // 20 characters
}

TEST_F(Editor, SpeichernUeberDenKnopf)
{
    // The worked example, typed and clicked.
    QTest::keyClicks(el<QLineEdit>(seite1, "Par_Biersorte"), "Festbier");
    tippe(el<QLineEdit>(seite1, "Par_AnzPhasen"), "3");
    app().brauDaten.Sudgroesse = "50";
    struct Eingabe {
        const char* titel;
        const char* art;
        const char* temp;
        const char* zeit;
        const char* puls;
        const char* pause;
        const char* ruf;
        const char* rufzeit;
        const char* text;
    };
    const Eingabe phasen[] = {
        {"Aufheizen", "Par_Aufheizphase", "62", "", "30", "30", "Par_KeinRuf", "", ""},
        {"Verzuckerung", "Par_Heizphase", "62", "40", "10", "50", "Par_Ruf_nach_Rufzeit", "35", "Jodprobe machen"},
        {"Abmaischen", "Par_Aufheizphase", "78", "", "30", "30", "Par_Ruf_Ende_Phase", "", "Abmaischen"},
    };
    auto& ruf = app().bildschirm<Ruf_Text>();
    int n = 1;
    for (const Eingabe& e : phasen) {
        QTest::keyClicks(feld(seite1, "Par_Titel", n), e.titel);
        klick(option(seite1, e.art, n));
        tippe(feld(seite1, "Par_EndTemp", n), e.temp);
        if (*e.zeit)
            tippe(feld(seite1, "Par_Heizzeit", n), e.zeit);
        tippe(feld(seite1, "Par_Ruehrpuls", n), e.puls);
        tippe(feld(seite1, "Par_Ruehrpause", n), e.pause);
        klick(option(seite1, e.ruf, n));
        if (*e.rufzeit)
            tippe(feld(seite1, "Par_Rufzeit", n), e.rufzeit);
        if (*e.text) {
            ASSERT_TRUE(ruf.isVisible());
            QTest::keyClicks(el<QLineEdit>(&ruf, "Eingabe_Text_BraumeisterRuf"), e.text);
            QTest::mouseClick(el<QPushButton>(&ruf, "Command1"), Qt::LeftButton);
        }
        ++n;
    }
    QTest::mouseClick(el<QPushButton>(seite1, "Command4"), Qt::LeftButton);
    EXPECT_TRUE(env->meldungen_abholen().empty());
    EXPECT_EQ(seite1->Rezeptdatei(), (ordner / "Festbier.rez").string());

    const std::string datei = lies(ordner / "Festbier.rez");
    // Western European bytes, CR LF, the order of a new file.
    EXPECT_EQ(datei.rfind("[Biername]\r\nName_Bier=Festbier\r\n[BrauDaten]\r\nSudgroesse=50\r\n", 0), 0u);
    EXPECT_NE(datei.find("[Phase 2]\r\nPhasenBezeichnung=Verzuckerung\r\nHeizphase=TRUE\r\n"
                         "Aufheizphase=FALSE\r\nK\xFChlphase=FALSE\r\nTemperatur=62\r\nHeizzeit=40\r\n"
                         "R\xFChrimpuls=10\r\nR\xFChrpause=50\r\nRufzeit=35\r\nRuf_Ende_Phase=FALSE\r\n"
                         "Ruf_nach_Rufzeit=TRUE\r\nKein_Ruf=FALSE\r\nRuftext=Jodprobe machen\r\n"
                         "===============\r\n[Phase 3]\r\n"),
              std::string::npos);
    const auto d = Profildatei::aus_Bytes(datei);
    EXPECT_EQ(d.Ini_Lesen("Phase 1", "Aufheizphase"), "TRUE");
    EXPECT_EQ(d.Ini_Lesen("Phase 3", "Ruf_Ende_Phase"), "TRUE");
    EXPECT_EQ(d.Ini_Lesen("Phase 3", "Ruftext"), "Abmaischen");
    EXPECT_EQ(d.Ini_Lesen("Phase 20", "Heizphase"), "TRUE");
    EXPECT_EQ(d.Ini_Lesen("BrauDaten", "Sudgroesse"), "50");

    // The defaults stay in the records, the blocks still show nothing selected.
    EXPECT_EQ(programm().Phase(7).Heizphase(), "TRUE");
    EXPECT_FALSE(option(seite1, "Par_Heizphase", 7)->isChecked());
}

TEST_F(Editor, SpeichernMitUnbrauchbaremNamenMeldetUndSchreibtNichts)
{
    QTest::keyClicks(el<QLineEdit>(seite1, "Par_Biersorte"), "Pils/Export");
    QTest::mouseClick(el<QPushButton>(seite1, "Command4"), Qt::LeftButton);
    const auto m = env->meldungen_abholen();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_NE(m[0].find("nicht gespeichert"), std::string::npos) << m[0];
    EXPECT_NE(m[0].find("Pils/Export"), std::string::npos) << m[0];
    EXPECT_TRUE(fs::is_empty(ordner));
    EXPECT_EQ(programm().Phase(1).Heizphase(), "");  // no defaults either

    // Empty beer name: also refused.
    el<QLineEdit>(seite1, "Par_Biersorte")->clear();
    QTest::mouseClick(el<QPushButton>(seite1, "Command4"), Qt::LeftButton);
    EXPECT_EQ(env->meldungen_abholen().size(), 1u);
    EXPECT_TRUE(fs::is_empty(ordner));
}

TEST_F(Editor, SpeichernUeberFremdeVerknuepfungWirdVerweigert)
{
    // The program folder is open to every user; a link there could have been planted.
    fs::create_directories(ordner / "ziel");
    schreibe(ordner / "ziel" / "Pils.rez", "[Biername]\r\nName_Bier=Pils\r\n");
    fs::create_symlink(ordner / "ziel" / "Pils.rez", ordner / "Pils.rez");
    fs::permissions(ordner, fs::perms::all);
    QTest::keyClicks(el<QLineEdit>(seite1, "Par_Biersorte"), "Pils");
    QTest::mouseClick(el<QPushButton>(seite1, "Command4"), Qt::LeftButton);
    const auto m = env->meldungen_abholen();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0], QString::fromStdString(app().texte.dateien().Link_Verweigert)
                        .arg(QString::fromStdString((ordner / "Pils.rez").string()))
                        .toStdString());
    EXPECT_EQ(lies(ordner / "ziel" / "Pils.rez"), "[Biername]\r\nName_Bier=Pils\r\n");
    EXPECT_TRUE(fs::is_symlink(ordner / "Pils.rez"));
    fs::permissions(ordner, fs::perms::owner_all);
}

TEST_F(Editor, LadenEinerRohrleitungBlockiertNicht)
{
    // The dialog returns a pipe named like a recipe: the button returns at once with the read error.
    ASSERT_EQ(::mkfifo((ordner / "Rohr.rez").c_str(), 0600), 0);
    seite1->setDateiauswahl([&] { return QString::fromStdString((ordner / "Rohr.rez").string()); });
    QTest::keyClicks(el<QLineEdit>(seite1, "Par_Biersorte"), "Vorher");
    QTest::mouseClick(el<QPushButton>(seite1, "Command5"), Qt::LeftButton);
    const auto m = env->meldungen_abholen();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_NE(m[0].find("Rohr.rez"), std::string::npos) << m[0];
    EXPECT_NE(m[0].find("not a regular file"), std::string::npos) << m[0];
    EXPECT_EQ(programm().Biersorte, "Vorher");
}

TEST_F(Editor, LadenFuelltBeideSeiten)
{
    const std::string datei =
        "[Biername]\r\nName_Bier=Weizen\r\n"
        "[braudaten ]\r\nSudgroesse=40\r\nMalzsorte1=Weizenmalz\r\n"
        "[Phasenanzahl]\r\nAnzahl_Phasen=14\r\n"
        "[Phase 1]\r\nPhasenbezeichnung=Einmaischen\r\nHeizphase=TRUE\r\nK\xFChlphase=TRUE\r\n"
        "Temperatur=1500\r\nHeizzeit=20\r\nRuf_Ende_Phase=TRUE\r\nKein_Ruf=TRUE\r\n"
        "[Phase 12]\r\nHeizphase=TRUE\r\nTemperatur=72\r\nHeizzeit=30\r\nRufzeit=25\r\n"
        "Ruf_nach_Rufzeit=TRUE\r\nRuftext=Jod\r\n";
    schreibe(ordner / "Weizen.rez", datei);
    seite1->setDateiauswahl([&] { return QString::fromStdString((ordner / "Weizen.rez").string()); });

    // Something typed before is replaced.
    klick(option(seite1, "Par_Aufheizphase", 5));
    tippe(feld(seite1, "Par_EndTemp", 5), "55");

    QTest::mouseClick(el<QPushButton>(seite1, "Command5"), Qt::LeftButton);
    EXPECT_TRUE(env->meldungen_abholen().empty());
    EXPECT_EQ(seite1->Rezeptdatei(), (ordner / "Weizen.rez").string());

    EXPECT_EQ(el<QLineEdit>(seite1, "Par_Biersorte")->text(), "Weizen");
    EXPECT_EQ(el<QLineEdit>(seite1, "Par_AnzPhasen")->text(), "14");
    EXPECT_EQ(programm().AnzPhasen, "14");
    EXPECT_EQ(app().brauDaten.Sudgroesse, "40");
    EXPECT_EQ(app().brauDaten.Malzsorte1, "Weizenmalz");
    EXPECT_EQ(feld(seite1, "Par_Titel", 1)->text(), "Einmaischen");

    // Both kind flags true: the later one wins; the call group likewise.
    EXPECT_FALSE(option(seite1, "Par_Heizphase", 1)->isChecked());
    EXPECT_TRUE(option(seite1, "Par_Kuehlphase", 1)->isChecked());
    EXPECT_TRUE(option(seite1, "Par_KeinRuf", 1)->isChecked());
    EXPECT_FALSE(option(seite1, "Par_Ruf_Ende_Phase", 1)->isChecked());
    EXPECT_EQ(programm().Phase(1).Kuehlphase(), "True");
    EXPECT_EQ(programm().Phase(1).Heizphase(), "False");
    EXPECT_FALSE(sichtbar(feld(seite1, "Par_Heizzeit", 1)));
    EXPECT_EQ(feld(seite1, "Par_Heizzeit", 1)->text(), "20");

    // Loaded values are shown whole, without range checks; typing still has its limit.
    QLineEdit* temp = feld(seite1, "Par_EndTemp", 1);
    EXPECT_EQ(temp->text(), "1500");
    EXPECT_EQ(programm().Phase(1).Temperatur(), "1500");
    QTest::keyClick(temp, Qt::Key_Backspace);
    EXPECT_EQ(temp->text(), "110");  // "150" is clamped on release
    EXPECT_EQ(programm().Phase(1).Temperatur(), "110");

    // Phase 5 had no section: every field and option cleared.
    EXPECT_FALSE(option(seite1, "Par_Aufheizphase", 5)->isChecked());
    EXPECT_EQ(feld(seite1, "Par_EndTemp", 5)->text(), "");
    EXPECT_EQ(programm().Phase(5).Aufheizphase(), "False");

    // The second page shows its phases, with the visibility of 14 phases.
    Parameter2& s2 = seite2();
    EXPECT_TRUE(option(&s2, "Par_Heizphase", 12)->isChecked());
    EXPECT_TRUE(option(&s2, "Par_Ruf_nach_Rufzeit", 12)->isChecked());
    EXPECT_TRUE(sichtbar(feld(&s2, "Par_Heizzeit", 12)));
    EXPECT_TRUE(sichtbar(feld(&s2, "Par_Rufzeit", 12)));
    EXPECT_EQ(feld(&s2, "Par_Rufzeit", 12)->text(), "25");
    EXPECT_EQ(programm().Phase(12).Ruftext(), "Jod");
    EXPECT_TRUE(sichtbar(&s2.block(14)));
    EXPECT_FALSE(sichtbar(&s2.block(15)));
    EXPECT_EQ(el<QPushButton>(seite1, "Command6")->text(), "PHASEN 11 - 14");
}

TEST_F(Editor, LadenPrueftDieEndungUndMeldetLesefehler)
{
    schreibe(ordner / "Gross.REZ", "[Biername]\r\nName_Bier=Gross\r\n");
    QString wahl = QString::fromStdString((ordner / "Gross.REZ").string());
    seite1->setDateiauswahl([&] { return wahl; });
    QTest::keyClicks(el<QLineEdit>(seite1, "Par_Biersorte"), "Vorher");

    QTest::mouseClick(el<QPushButton>(seite1, "Command5"), Qt::LeftButton);
    auto boxen = app().meldungsanzeige().offene();
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0]->text(), "Invalid file extension !");
    EXPECT_EQ(boxen[0]->icon(), QMessageBox::Critical);
    env->meldungen_abholen();
    EXPECT_EQ(programm().Biersorte, "Vorher");
    EXPECT_EQ(seite1->Rezeptdatei(), "");

    // Cancelled: nothing at all.
    wahl.clear();
    QTest::mouseClick(el<QPushButton>(seite1, "Command5"), Qt::LeftButton);
    EXPECT_TRUE(env->meldungen_abholen().empty());

    // A file that cannot be read changes nothing and says so.
    wahl = QString::fromStdString((ordner / "fehlt.rez").string());
    QTest::mouseClick(el<QPushButton>(seite1, "Command5"), Qt::LeftButton);
    const auto m = env->meldungen_abholen();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_NE(m[0].find("fehlt.rez"), std::string::npos);
    EXPECT_EQ(programm().Biersorte, "Vorher");
    EXPECT_EQ(el<QLineEdit>(seite1, "Par_Biersorte")->text(), "Vorher");
}

TEST_F(Editor, UeberlangeGeladeneTexteLassenSichKuerzen)
{
    // Longer than the typing limits, as a hand-edited recipe may hold them.
    const std::string titel(30, 't');
    const std::string datei = "[Phase 2]\r\nPhasenBezeichnung=" + titel
        + "\r\nHeizphase=TRUE\r\nHeizzeit=12345\r\n";
    schreibe(ordner / "Lang.rez", datei);
    seite1->setDateiauswahl([&] { return QString::fromStdString((ordner / "Lang.rez").string()); });
    QTest::mouseClick(el<QPushButton>(seite1, "Command5"), Qt::LeftButton);
    ASSERT_TRUE(env->meldungen_abholen().empty());

    QLineEdit* t = feld(seite1, "Par_Titel", 2);
    ASSERT_EQ(t->text().toStdString(), titel);
    t->setFocus();
    QTest::keyClick(t, Qt::Key_End);
    QTest::keyClick(t, Qt::Key_Backspace);
    EXPECT_EQ(t->text().size(), 29);
    EXPECT_EQ(programm().Titel(2), std::string(29, 't'));
    // Still above the limit: nothing can be added.
    QTest::keyClick(t, 'x');
    EXPECT_EQ(t->text().size(), 29);

    QLineEdit* zeit = feld(seite1, "Par_Heizzeit", 2);
    ASSERT_EQ(zeit->text(), "12345");
    QTest::keyClick(zeit, '6');  // the cursor stands at the end
    EXPECT_EQ(zeit->text(), "12345");
    QTest::keyClick(zeit, Qt::Key_Backspace);
    EXPECT_EQ(zeit->text(), "1234");
    EXPECT_EQ(programm().Phase(2).Heizzeit(), "1234");
    QTest::keyClick(zeit, Qt::Key_Backspace);
    QTest::keyClick(zeit, '9');
    EXPECT_EQ(zeit->text(), "123");  // at the limit again: typing is refused
}

TEST_F(Editor, ZahlenfelderNehmenNurTastenAn)
{
    auto* anz = el<QLineEdit>(seite1, "Par_AnzPhasen");
    QLineEdit* temp = feld(seite1, "Par_EndTemp", 1);
    for (QLineEdit* f : {anz, temp}) {
        f->setText(QStringLiteral("5"));
        // Dropped text would pass by the key filter.
        QMimeData daten;
        daten.setText(QStringLiteral("ab"));
        QDropEvent fallen(QPointF(2, 2), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f, &fallen);
        EXPECT_EQ(f->text(), "5") << f->objectName().toStdString();

        // So would a text composed by an input method.
        QInputMethodEvent methode;
        methode.setCommitString(QStringLiteral("ab"));
        QApplication::sendEvent(f, &methode);
        EXPECT_EQ(f->text(), "5") << f->objectName().toStdString();

        // And the selection pasted with the middle button.
        if (QGuiApplication::clipboard()->supportsSelection()) {
            QGuiApplication::clipboard()->setText(QStringLiteral("ab"), QClipboard::Selection);
            QTest::mouseClick(f, Qt::MiddleButton);
            EXPECT_EQ(f->text(), "5") << f->objectName().toStdString();
        }
    }
    EXPECT_EQ(programm().AnzPhasen, "5");
}

TEST_F(Editor, KommaDerZehnertastaturIstKeinKomma)
{
    const auto code = [](int taste, Qt::KeyboardModifiers m) {
        QKeyEvent e(QEvent::KeyPress, taste, m);
        return Tastencode(e);
    };
    EXPECT_EQ(code(Qt::Key_7, Qt::NoModifier), 55);
    EXPECT_EQ(code(Qt::Key_7, Qt::KeypadModifier), 103);
    EXPECT_EQ(code(Qt::Key_Comma, Qt::NoModifier), 188);
    EXPECT_EQ(code(Qt::Key_Comma, Qt::KeypadModifier), 110);  // decimal key of the keypad
    EXPECT_EQ(code(Qt::Key_Period, Qt::KeypadModifier), 110);
    EXPECT_EQ(code(Qt::Key_Enter, Qt::KeypadModifier), 13);
    EXPECT_EQ(code(Qt::Key_Backspace, Qt::NoModifier), 8);

    // In a decimal field the comma row key is taken once; the keypad's is refused.
    Zahlenfeld dezimal(&Tastenpruefung_Dezimal, 0);
    std::vector<int> meldungen;
    QObject::connect(&dezimal, &Zahlenfeld::abgelehnt, [&](int nr) { meldungen.push_back(nr); });
    QTest::keyClicks(&dezimal, "12");
    QTest::keyClick(&dezimal, Qt::Key_Comma);
    QTest::keyClick(&dezimal, Qt::Key_5);
    EXPECT_EQ(dezimal.text(), "12,5");
    EXPECT_TRUE(meldungen.empty());
    dezimal.setText(QStringLiteral("12"));
    QTest::keyClick(&dezimal, Qt::Key_Comma, Qt::KeypadModifier);
    EXPECT_EQ(dezimal.text(), "");
    EXPECT_EQ(meldungen, std::vector<int>{11});
}

TEST_F(Editor, GespeichertesRezeptKommtUeberLadenZurueck)
{
    el<QLineEdit>(seite1, "Par_Biersorte")->setText("Märzen");
    tippe(el<QLineEdit>(seite1, "Par_AnzPhasen"), "12");
    QTest::mouseClick(el<QPushButton>(seite1, "Command6"), Qt::LeftButton);
    Parameter2& s2 = seite2();
    klick(option(&s2, "Par_Kuehlphase", 12));
    tippe(feld(&s2, "Par_EndTemp", 12), "20");
    feld(&s2, "Par_Titel", 12)->setText("Kühlen");
    app().brauDaten.Malzsorte2 = "Słód";  // no Western European byte for ł
    QTest::mouseClick(el<QPushButton>(&s2, "Command6"), Qt::LeftButton);
    QTest::mouseClick(el<QPushButton>(seite1, "Command4"), Qt::LeftButton);
    ASSERT_TRUE(env->meldungen_abholen().empty());
    ASSERT_TRUE(fs::exists(ordner / "Märzen.rez"));

    // Everything changed, then loaded back.
    const Maischprogramm gespeichert = programm();
    feld(&s2, "Par_Titel", 12)->setText("weg");
    klick(option(&s2, "Par_Heizphase", 12));
    app().brauDaten.Malzsorte2.clear();
    seite1->setDateiauswahl([&] { return QString::fromStdString((ordner / "Märzen.rez").string()); });
    QTest::mouseClick(el<QPushButton>(seite1, "Command5"), Qt::LeftButton);
    ASSERT_TRUE(env->meldungen_abholen().empty());

    EXPECT_EQ(feld(&s2, "Par_Titel", 12)->text(), "Kühlen");
    EXPECT_TRUE(option(&s2, "Par_Kuehlphase", 12)->isChecked());
    EXPECT_EQ(app().brauDaten.Malzsorte2, "Słód");
    EXPECT_EQ(programm().Phase(12).Temperatur(), "20");
    EXPECT_EQ(programm().Biersorte, "Märzen");
    // Flags come back as the options' states.
    EXPECT_EQ(programm().Phase(12).Kuehlphase(), "True");
    EXPECT_EQ(programm().Phase(4).Heizphase(), "True");
    EXPECT_EQ(gespeichert.Phase(4).Heizphase(), "TRUE");
}

TEST_F(Editor, PflegenStelltDieSichtbarkeitNachAenderungenVonAussenHer)
{
    // The controller's tick runs nachfuehren(); a program changed elsewhere (a
    // resumed brew, an import) shows up at the next tick.
    programm().AnzPhasen = "12";
    seite1->nachfuehren();
    seite2().nachfuehren();
    EXPECT_TRUE(sichtbar(el<QPushButton>(seite1, "Command6")));
    EXPECT_EQ(el<QPushButton>(seite1, "Command6")->text(), "PHASEN 11 - 12");
    EXPECT_TRUE(sichtbar(&seite2().block(12)));
    EXPECT_FALSE(sichtbar(&seite2().block(13)));

    // Same count again: nothing to do, and nothing changes.
    seite1->nachfuehren();
    EXPECT_TRUE(sichtbar(&seite1->block(10)));
    programm().AnzPhasen = "3";
    seite1->nachfuehren();
    seite2().nachfuehren();
    EXPECT_FALSE(sichtbar(&seite1->block(4)));
    EXPECT_FALSE(sichtbar(el<QPushButton>(seite1, "Command6")));

    // An option set without a click still moves the holding time in or out.
    QLineEdit* heizzeit = feld(seite1, "Par_Heizzeit", 2);
    option(seite1, "Par_Heizphase", 2)->setChecked(true);
    seite1->nachfuehren();
    EXPECT_TRUE(sichtbar(heizzeit));
    option(seite1, "Par_Aufheizphase", 2)->setChecked(true);
    seite1->nachfuehren();
    EXPECT_FALSE(sichtbar(heizzeit));

    // The captions of a language put on the page button anew are corrected.
    programm().AnzPhasen = "14";
    seite1->nachfuehren();
    el<QPushButton>(seite1, "Command6")->setText(QStringLiteral("PHASE 11 - 20"));
    seite1->nachfuehren();
    EXPECT_EQ(el<QPushButton>(seite1, "Command6")->text(), "PHASEN 11 - 14");
}

// Pictures of the pages for a look by eye: set KW_BILDSCHIRMFOTO to a folder
// and run under a real display (xvfb-run, QT_QPA_PLATFORM=xcb).
TEST_F(Editor, Bildschirmfoto)
{
    const QString ziel = qEnvironmentVariable("KW_BILDSCHIRMFOTO");
    if (ziel.isEmpty())
        GTEST_SKIP() << "KW_BILDSCHIRMFOTO not set";

    el<QLineEdit>(seite1, "Par_Biersorte")->setText("Festbier");
    tippe(el<QLineEdit>(seite1, "Par_AnzPhasen"), "14");
    const char* titel[] = {"Einmaischen", "Eiweissrast", "Maltoserast", "Verzuckerung", "Abmaischen"};
    for (int n = 1; n <= 5; ++n) {
        QTest::keyClicks(feld(seite1, "Par_Titel", n), titel[n - 1]);
        klick(option(seite1, n % 2 ? "Par_Heizphase" : "Par_Aufheizphase", n));
        tippe(feld(seite1, "Par_EndTemp", n), std::to_string(50 + 6 * n).c_str());
        if (n % 2)
            tippe(feld(seite1, "Par_Heizzeit", n), "30");
        tippe(feld(seite1, "Par_Ruehrpuls", n), "30");
        tippe(feld(seite1, "Par_Ruehrpause", n), "120");
        klick(option(seite1, n == 4 ? "Par_Ruf_nach_Rufzeit" : "Par_KeinRuf", n));
    }
    tippe(feld(seite1, "Par_Rufzeit", 4), "25");
    auto& ruf = app().bildschirm<Ruf_Text>();
    QTest::keyClicks(el<QLineEdit>(&ruf, "Eingabe_Text_BraumeisterRuf"), "Jodprobe machen");

    const auto foto = [&](QWidget& w, const char* datei) {
        w.show();
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        const QString pfad = ziel + u'/' + QString::fromLatin1(datei);
        EXPECT_TRUE(w.grab().save(pfad)) << pfad.toStdString();
        std::printf("%s: %dx%d (size hint %dx%d)\n", datei, w.width(), w.height(),
                    w.sizeHint().width(), w.sizeHint().height());
    };
    foto(*seite1, "parameter.png");
    foto(ruf, "ruf_text.png");
    QTest::mouseClick(el<QPushButton>(seite1, "Command6"), Qt::LeftButton);
    klick(option(&seite2(), "Par_Kuehlphase", 11));
    QTest::keyClicks(feld(&seite2(), "Par_Titel", 11), "Abkuehlen");
    tippe(feld(&seite2(), "Par_EndTemp", 11), "20");
    foto(seite2(), "parameter2.png");

    // The longest captions: Polish.
    app().texte.Sprache_Umschalten(7);
    app().beschriften(Parameter::Name, *seite1);
    app().beschriften(Parameter2::Name, seite2());
    Q_EMIT app().spracheGeaendert();
    QTest::mouseClick(el<QPushButton>(&seite2(), "Command6"), Qt::LeftButton);
    foto(*seite1, "parameter_pl.png");
}

// Tab stops at every option of both groups, whichever is selected, and the
// arrow keys still move through a group and select as they go.
TEST_F(Editor, TabErreichtJedeOptionUndPfeileWaehlenInDerGruppe)
{
    klick(option(seite1, "Par_Aufheizphase", 1));
    klick(option(seite1, "Par_Ruf_nach_Rufzeit", 1));
    app().bildschirm<Ruf_Text>().hide();
    Seite_Zeigen(*seite1);
    ASSERT_TRUE(QTest::qWaitForWindowActive(seite1));

    const auto tabs = [&](Qt::Key taste, int anzahl) {
        std::vector<std::string> besucht;
        for (int i = 0; i < anzahl; ++i) {
            QTest::keyClick(QApplication::focusWidget(), taste);
            besucht.push_back(QApplication::focusWidget()->objectName().toStdString());
        }
        return besucht;
    };
    feld(seite1, "Par_Titel", 1)->setFocus(Qt::TabFocusReason);
    // The holding time is hidden (heating-up phase), the call time shown.
    const std::vector<std::string> vorwaerts{
        "Par_Heizphase_1",  "Par_Aufheizphase_1",   "Par_Kuehlphase_1",     "Par_EndTemp_1",
        "Par_Ruehrpuls_1",  "Par_Ruehrpause_1",     "Par_KeinRuf_1",        "Par_Ruf_Ende_Phase_1",
        "Par_Ruf_nach_Rufzeit_1", "Par_Rufzeit_1",  "Par_Titel_2"};
    EXPECT_EQ(tabs(Qt::Key_Tab, 11), vorwaerts);
    // Back again with Shift+Tab, stop for stop.
    std::vector<std::string> rueckwaerts(vorwaerts.rbegin() + 1, vorwaerts.rend());
    rueckwaerts.push_back("Par_Titel_1");
    EXPECT_EQ(tabs(Qt::Key_Backtab, 11), rueckwaerts);
    // Tab again after the round trip: still every option.
    feld(seite1, "Par_Titel", 1)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(tabs(Qt::Key_Tab, 11), vorwaerts);

    // Arrow keys inside the kind group: move and select, flags written.
    option(seite1, "Par_Aufheizphase", 1)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), option(seite1, "Par_Kuehlphase", 1));
    EXPECT_TRUE(option(seite1, "Par_Kuehlphase", 1)->isChecked());
    EXPECT_EQ(programm().Phase(1).Kuehlphase(), "True");
    EXPECT_EQ(programm().Phase(1).Aufheizphase(), "False");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), option(seite1, "Par_Heizphase", 1));
    EXPECT_EQ(programm().Phase(1).Heizphase(), "True");
    // ... and the call group.
    option(seite1, "Par_Ruf_nach_Rufzeit", 1)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), option(seite1, "Par_Ruf_Ende_Phase", 1));
    EXPECT_EQ(programm().Phase(1).Ruf_Ende_Phase(), "True");
    app().bildschirm<Ruf_Text>().hide();

    // Selected by a Heizphase now, the holding time is a stop as well.
    Seite_Zeigen(*seite1);
    feld(seite1, "Par_Titel", 1)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(tabs(Qt::Key_Tab, 6),
              (std::vector<std::string>{"Par_Heizphase_1", "Par_Aufheizphase_1", "Par_Kuehlphase_1",
                                        "Par_EndTemp_1", "Par_Heizzeit_1", "Par_Ruehrpuls_1"}));
}

// LADEN with the real open dialog CD1: the page goes on while it is open, and
// the recipe chosen in it is loaded when it closes.
TEST_F(Editor, LadenUeberDenEchtenDialog)
{
    schreibe(ordner / "Alt.rez", "[Biername]\r\nName_Bier=Alt\r\n[Phasenanzahl]\r\nAnzahl_Phasen=3\r\n");
    QTest::mouseClick(el<QPushButton>(seite1, "Command5"), Qt::LeftButton);
    auto* cd1 = seite1->findChild<QFileDialog*>(QStringLiteral("CD1"));
    ASSERT_NE(cd1, nullptr);
    EXPECT_TRUE(cd1->isVisible());
    EXPECT_EQ(el<QLineEdit>(seite1, "Par_Biersorte")->text(), "");
    // A second click while it is open opens no second one.
    QTest::mouseClick(el<QPushButton>(seite1, "Command5"), Qt::LeftButton);
    EXPECT_EQ(seite1->findChildren<QFileDialog*>().size(), 1);
    cd1->selectFile(QString::fromStdString((ordner / "Alt.rez").string()));
    static_cast<QDialog*>(cd1)->accept();
    EXPECT_EQ(el<QLineEdit>(seite1, "Par_Biersorte")->text(), "Alt");
    EXPECT_EQ(programm().AnzPhasen, "3");

    // Cancelled: nothing changes.
    QTest::mouseClick(el<QPushButton>(seite1, "Command5"), Qt::LeftButton);
    cd1->reject();
    EXPECT_EQ(el<QLineEdit>(seite1, "Par_Biersorte")->text(), "Alt");
    EXPECT_TRUE(env->meldungen_abholen().empty());
}

TEST_F(Editor, ProbelaufZeigtTabelleKurveUndGesamt)
{
    Maischprogramm& pr = programm();
    pr.Biersorte = "Probe";
    pr.AnzPhasen = "3";
    const auto phase = [&](int n, const char* titel, bool halten, const char* grad, const char* zeit) {
        Cl_Phase& p = pr.Phase(n);
        p.setAufheizphase(Flagtext(!halten));
        p.setHeizphase(Flagtext(halten));
        p.setKuehlphase(Flagtext(false));
        p.setTemperatur(grad);
        p.setHeizzeit(zeit);
        p.setRuehrimpuls("20");
        p.setRuehrpause("40");
        p.setKein_Ruf(Flagtext(true));
        p.setRuf_Ende_Phase(Flagtext(false));
        p.setRuf_nach_Rufzeit(Flagtext(false));
        p.setRufzeit("0");
        pr.Titel(n) = titel;
    };
    phase(1, "Einmaischen", false, "52", "0");
    phase(2, "Rast", true, "52", "30");
    phase(3, "Zu heiß", false, "300", "0");
    app().brauDaten.Sudgroesse = "50";
    seite1->anzeigen();

    auto* knopf = el<QPushButton>(seite1, "Command_Probelauf");
    ASSERT_NE(knopf, nullptr);
    EXPECT_EQ(knopf->text(), "PROBELAUF");
    QTest::mouseClick(knopf, Qt::LeftButton);
    Probelaufanzeige* f = seite1->probelaufanzeige();
    ASSERT_NE(f, nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(f->fertig(), 20000);
    ASSERT_EQ(f->Tabelle->rowCount(), 3);
    EXPECT_EQ(f->Tabelle->item(0, 1)->text(), "Einmaischen");
    EXPECT_EQ(f->Tabelle->item(1, 9)->text(), "30");             // predicted minutes of the rest
    EXPECT_TRUE(f->Tabelle->item(2, 13)->text().startsWith("endet nie: Ziel 300.0 °C zu hoch: die Maische siedet"))
        << f->Tabelle->item(2, 13)->text().toStdString();
    EXPECT_TRUE(f->Gesamtzeile->text().startsWith("Gesamt nicht bestimmbar: Phase 3")) << f->Gesamtzeile->text().toStdString();
    EXPECT_TRUE(f->Modellzeile->text().contains("Sudgröße")) << f->Modellzeile->text().toStdString();
    // The editor's program is untouched by the run's program check.
    EXPECT_EQ(pr.Phase(1).Heizzeit(), "0");
    EXPECT_EQ(app().anlage.Ablaufschritt, 0);

    // The runnable part alone: a total, and the window shown again replaces the old one.
    pr.AnzPhasen = "2";
    QTest::mouseClick(knopf, Qt::LeftButton);
    f = seite1->probelaufanzeige();
    QTRY_VERIFY_WITH_TIMEOUT(f->fertig(), 20000);
    // From 20 °C (no journal: the room) to 52 at 0.86 K/min, then 30 min: a little over an hour.
    EXPECT_TRUE(QRegularExpression("^Gesamt 1:[01]\\d h:min, \\d+\\.\\d\\d kWh").match(f->Gesamtzeile->text()).hasMatch())
        << f->Gesamtzeile->text().toStdString();
    if (const QString ziel = qEnvironmentVariable("KW_BILDSCHIRMFOTO"); !ziel.isEmpty()) {
        pr.AnzPhasen = "3";
        QTest::mouseClick(knopf, Qt::LeftButton);
        f = seite1->probelaufanzeige();
        QTRY_VERIFY_WITH_TIMEOUT(f->fertig(), 20000);
        QTest::qWait(50);
        f->grab().save(ziel + "/probelauf.png");
    }
    f->close();
}
