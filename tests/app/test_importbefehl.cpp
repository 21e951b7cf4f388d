// The import without a window: the real program in a child process, without a display.
#include "import/Rezeptimport.h"
#include "program/Rezeptdatei.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Ohne_Fenster.h"

using namespace kw;

namespace {

using test::Lauf;

Lauf starte(const QStringList& argumente) { return test::Ohne_Fenster_Starten(argumente); }

QByteArray lies(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QString datei(const char* name) { return QStringLiteral(KW_IMPORTDATEIEN "/") + QLatin1String(name); }

} // namespace

TEST(Importbefehl, SchreibtJeRezeptDieBytesVonSpeichern)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString prog = tmp.filePath(QStringLiteral("prog")), aus = tmp.filePath(QStringLiteral("aus")),
                  soll = tmp.filePath(QStringLiteral("soll"));
    ASSERT_TRUE(QDir().mkpath(aus));
    ASSERT_TRUE(QDir().mkpath(soll));
    const Lauf l = starte({QStringLiteral("--ordner"), prog, QStringLiteral("--importieren"),
                           datei("mehrere_rezepte.xml"), QStringLiteral("--ruehren"), QStringLiteral("30,60"),
                           QStringLiteral("--nach"), aus});
    ASSERT_EQ(l.rc, 0) << l.fehler.toStdString();
    EXPECT_TRUE(l.fehler.contains(QStringLiteral("kesselwerk: Festbier: Einmaischtemperatur: 74.1 °C auf 74 °C gerundet.")))
        << l.fehler.toStdString();
    EXPECT_TRUE(l.aus.contains(QStringLiteral("/Festbier.rez"))) << l.aus.toStdString();

    // the same as the recipe saver writes for the mapped program
    const Importdatei d = Importdatei_Lesen(datei("mehrere_rezepte.xml").toStdString(), Sprache::Deutsch);
    ASSERT_EQ(d.rezepte.size(), 2u);
    for (const Importrezept& r : d.rezepte) {
        Importvorgaben v;
        v.dezimaltrenner = '.';
        v.ruehrimpuls = "30";
        v.ruehrpause = "60";
        Importabbildung a = Rezept_Abbilden(d, r, v);
        ASSERT_TRUE(a.ok());
        ASSERT_TRUE(Rezept_Speichern(soll.toStdString(), a.programm, a.daten).ok());
        const QString name = QString::fromStdString(r.name) + QStringLiteral(".rez");
        const QByteArray geschrieben = lies(aus + u'/' + name);
        EXPECT_EQ(geschrieben, lies(soll + u'/' + name)) << name.toStdString();
        EXPECT_TRUE(geschrieben.contains("Rührimpuls=30") || geschrieben.contains("R\xfchrimpuls=30"));
    }
    EXPECT_TRUE(lies(aus + QStringLiteral("/Festbier.rez")).contains("Sudgroesse=20.8\r\n"));

    // --rezept takes one
    const QString eins = tmp.filePath(QStringLiteral("eins"));
    ASSERT_TRUE(QDir().mkpath(eins));
    const Lauf e = starte({QStringLiteral("--ordner"), prog, QStringLiteral("--importieren"), datei("mehrere_rezepte.xml"),
                           QStringLiteral("--rezept"), QStringLiteral("Weizen"), QStringLiteral("--nach"), eins});
    ASSERT_EQ(e.rc, 0) << e.fehler.toStdString();
    EXPECT_EQ(QDir(eins).entryList(QDir::Files), QStringList{QStringLiteral("Weizen.rez")});
    EXPECT_TRUE(e.fehler.contains(QStringLiteral("Rührimpuls und Rührpause fehlen")));
}

TEST(Importbefehl, AblehnungSchreibtNichtsUndEndetMitFehler)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString prog = tmp.filePath(QStringLiteral("prog")), aus = tmp.filePath(QStringLiteral("aus"));
    ASSERT_TRUE(QDir().mkpath(aus));
    const Lauf l = starte({QStringLiteral("--ordner"), prog, QStringLiteral("--importieren"),
                           datei("zwanzig_schritte.xml"), QStringLiteral("--nach"), aus});
    EXPECT_EQ(l.rc, 1);
    EXPECT_TRUE(l.fehler.contains(QStringLiteral("22 Phasen für 21 Maischschritte"))) << l.fehler.toStdString();
    EXPECT_TRUE(QDir(aus).entryList(QDir::Files).isEmpty());

    const Lauf b = starte({QStringLiteral("--ordner"), prog, QStringLiteral("--importieren"),
                           datei("entity_bombe.xml"), QStringLiteral("--nach"), aus});
    EXPECT_EQ(b.rc, 1);
    EXPECT_TRUE(b.fehler.contains(QStringLiteral("XML-Entities"))) << b.fehler.toStdString();
    const Lauf r = starte({QStringLiteral("--ordner"), prog, QStringLiteral("--importieren"),
                           datei("mehrere_rezepte.xml"), QStringLiteral("--rezept"), QStringLiteral("Pils"),
                           QStringLiteral("--nach"), aus});
    EXPECT_EQ(r.rc, 1);
    EXPECT_TRUE(r.fehler.contains(QStringLiteral("kein Rezept „Pils“; sie enthält: „Festbier“, „Weizen“")))
        << r.fehler.toStdString();
    EXPECT_TRUE(QDir(aus).entryList(QDir::Files).isEmpty());
}

// The import only reads the program folder's language: a folder that is not there is not created
// (German then), one that is there gives its language.
TEST(Importbefehl, LegtKeinenProgrammordnerAn)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString prog = tmp.filePath(QStringLiteral("prog")), aus = tmp.filePath(QStringLiteral("aus"));
    ASSERT_TRUE(QDir().mkpath(aus));
    const Lauf l = starte({QStringLiteral("--ordner"), prog, QStringLiteral("--importieren"),
                           datei("mehrere_rezepte.xml"), QStringLiteral("--rezept"), QStringLiteral("Weizen"),
                           QStringLiteral("--nach"), aus});
    ASSERT_EQ(l.rc, 0) << l.fehler.toStdString();
    EXPECT_FALSE(QFileInfo::exists(prog)) << "the import created the program folder";
    EXPECT_TRUE(l.fehler.contains(QStringLiteral("Rührimpuls und Rührpause fehlen"))) << l.fehler.toStdString();

    // An English program folder: its language, and still nothing new in it.
    ASSERT_TRUE(QDir().mkpath(prog));
    {
        QFile cfg(prog + QStringLiteral("/Kesselwerk.cfg"));
        ASSERT_TRUE(cfg.open(QIODevice::WriteOnly));
        for (int i = 1; i <= 16; ++i)
            cfg.write("\r\n");
        cfg.write("2\r\n");
    }
    const Lauf e = starte({QStringLiteral("--ordner"), prog, QStringLiteral("--importieren"),
                           datei("mehrere_rezepte.xml"), QStringLiteral("--rezept"), QStringLiteral("Pils"),
                           QStringLiteral("--nach"), aus});
    EXPECT_EQ(e.rc, 1);
    EXPECT_TRUE(e.fehler.contains(QStringLiteral("The file holds no recipe \"Pils\""))) << e.fehler.toStdString();
    EXPECT_EQ(QDir(prog).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("Kesselwerk.cfg")});
}
