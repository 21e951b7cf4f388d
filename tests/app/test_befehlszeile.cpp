#include "app/Befehlszeile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <system_error>

using kw::Befehlszeile;

namespace {
Befehlszeile lesen(QStringList rest)
{
    rest.prepend(QStringLiteral("kesselwerk"));
    return kw::Befehlszeile_Lesen(rest);
}
} // namespace

TEST(Befehlszeile, HelpAndVersionListTheirTextAndEndTheProgram)
{
    for (const char* a : {"--help", "-h"}) {
        const auto b = lesen({QString::fromLatin1(a)});
        EXPECT_EQ(b.ergebnis, Befehlszeile::Ergebnis::Hilfe) << a;
        EXPECT_TRUE(b.text.contains(QStringLiteral("--ordner"))) << b.text.toStdString();
        EXPECT_TRUE(b.text.contains(QStringLiteral("--version")));
        EXPECT_TRUE(b.text.startsWith(QStringLiteral("Usage: kesselwerk"))) << b.text.toStdString();
    }
    const auto v = lesen({QStringLiteral("--version")});
    EXPECT_EQ(v.ergebnis, Befehlszeile::Ergebnis::Version);
    EXPECT_TRUE(v.text.startsWith(QStringLiteral("kesselwerk 1."))) << v.text.toStdString();
    // The licence, by its SPDX name and in words.
    EXPECT_TRUE(v.text.contains(QStringLiteral("\nLicense GPL-3.0-or-later: GNU General Public License, version 3 or later")))
        << v.text.toStdString();
    EXPECT_TRUE(v.text.contains(QStringLiteral("free software"))) << v.text.toStdString();
    EXPECT_TRUE(v.text.endsWith(u'\n'));
}

TEST(Befehlszeile, UnknownOptionsAndStrayArgumentsAreOneLineErrors)
{
    for (const QStringList& a : {QStringList{QStringLiteral("--frobnicate")},
                                 QStringList{QStringLiteral("rezept.rez")},
                                 QStringList{QStringLiteral("--ordner")}}) {
        const auto b = lesen(a);
        EXPECT_EQ(b.ergebnis, Befehlszeile::Ergebnis::Fehler) << a.join(' ').toStdString();
        EXPECT_FALSE(b.text.contains('\n')) << b.text.toStdString();
        EXPECT_TRUE(b.text.startsWith(QStringLiteral("kesselwerk: ")));
    }
}

TEST(Befehlszeile, FolderOptionIsTaken)
{
    const auto b = lesen({QStringLiteral("--ordner"), QStringLiteral("/tmp/sud")});
    EXPECT_EQ(b.ergebnis, Befehlszeile::Ergebnis::Weiter);
    EXPECT_EQ(b.ordner, QStringLiteral("/tmp/sud"));
    EXPECT_EQ(lesen({QStringLiteral("--ordner=/x")}).ordner, QStringLiteral("/x"));
}

TEST(Programmordner, WritableProgramFolderIsKeptElseTheUserDataFolderIsCreated)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString eigen = tmp.filePath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(eigen));
    QString fehler;
    EXPECT_EQ(kw::Programmordner_Waehlen({}, eigen, &fehler), QDir(eigen).absolutePath());

    // An installed program (in /usr/bin, writable for root all the same): the data folder.
    const QString daten = tmp.filePath(QStringLiteral("daten"));
    qputenv("XDG_DATA_HOME", daten.toLocal8Bit());
    const QString gewaehlt = kw::Programmordner_Waehlen({}, QStringLiteral("/usr/bin"), &fehler);
    EXPECT_EQ(gewaehlt, daten + QStringLiteral("/kesselwerk"));
    EXPECT_TRUE(QFileInfo(gewaehlt).isDir());

    // --ordner wins and is created.
    const QString gewuenscht = tmp.filePath(QStringLiteral("a/b"));
    EXPECT_EQ(kw::Programmordner_Waehlen(gewuenscht, eigen, &fehler), gewuenscht);
    EXPECT_TRUE(QFileInfo(gewuenscht).isDir());

    // A folder that cannot be made is an error, not a silent fallback.
    fehler.clear();
    EXPECT_TRUE(kw::Programmordner_Waehlen(QStringLiteral("/proc/kein/ordner"), eigen, &fehler).isEmpty());
    EXPECT_FALSE(fehler.isEmpty());
    qunsetenv("XDG_DATA_HOME");
}

// A file where the folder should be, or in its path: the folder and the system's reason come back
// for the message; nothing is created or removed.
TEST(Programmordner, AFileInItsPlaceIsAnErrorWithTheReason)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString datei = tmp.filePath(QStringLiteral("kesselwerk"));
    {
        QFile f(datei);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    for (const QString& ordner : QStringList{datei, datei + QStringLiteral("/unter")}) {
        QString fehler;
        kw::Ordnerfehler warum;
        EXPECT_TRUE(kw::Programmordner_Waehlen(ordner, {}, &fehler, &warum).isEmpty());
        EXPECT_EQ(warum.ordner, ordner);
        EXPECT_FALSE(warum.grund.isEmpty());
        EXPECT_EQ(fehler, QStringLiteral("cannot create the program folder %1: %2").arg(ordner, warum.grund));
        EXPECT_TRUE(QFileInfo(datei).isFile());
    }
    // Through XDG_DATA_HOME as well, the folder the brewer would get.
    qputenv("XDG_DATA_HOME", datei.toLocal8Bit());
    kw::Ordnerfehler warum;
    QString fehler;
    EXPECT_TRUE(kw::Programmordner_Waehlen({}, QStringLiteral("/usr/bin"), &fehler, &warum).isEmpty());
    EXPECT_EQ(warum.ordner, datei + QStringLiteral("/kesselwerk"));
    EXPECT_EQ(warum.grund.toStdString(), std::generic_category().message(ENOTDIR));
    qunsetenv("XDG_DATA_HOME");
}

// What only reads from the folder finds it where it is and creates none.
TEST(Programmordner, VorhandenCreatesNothing)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString daten = tmp.filePath(QStringLiteral("daten"));
    qputenv("XDG_DATA_HOME", daten.toLocal8Bit());
    EXPECT_TRUE(kw::Programmordner_Vorhanden({}, QStringLiteral("/usr/bin")).isEmpty());
    const QString gewuenscht = tmp.filePath(QStringLiteral("a/b"));
    EXPECT_TRUE(kw::Programmordner_Vorhanden(gewuenscht, {}).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(daten));
    EXPECT_FALSE(QFileInfo::exists(tmp.filePath(QStringLiteral("a"))));
    // Once there, the same folder as the one that creates it.
    ASSERT_TRUE(QDir().mkpath(daten + QStringLiteral("/kesselwerk")));
    EXPECT_EQ(kw::Programmordner_Vorhanden({}, QStringLiteral("/usr/bin")), daten + QStringLiteral("/kesselwerk"));
    EXPECT_EQ(kw::Programmordner_Vorhanden(tmp.path(), {}), QDir(tmp.path()).absolutePath());
    qunsetenv("XDG_DATA_HOME");
}

TEST(Befehlszeile, TestDeviceIsTakenAsAnAbsolutePath)
{
    EXPECT_TRUE(lesen({}).testgeraet.isEmpty());
    const auto absolut = lesen({QStringLiteral("--testgeraet"), QStringLiteral("/tmp/relais.txt")});
    EXPECT_EQ(absolut.ergebnis, Befehlszeile::Ergebnis::Weiter);
    EXPECT_EQ(absolut.testgeraet, QStringLiteral("/tmp/relais.txt"));
    // The guard gets the path, so a relative one is made absolute here.
    const auto relativ = lesen({QStringLiteral("--testgeraet=relais.txt")});
    EXPECT_EQ(relativ.testgeraet, QDir::current().absoluteFilePath(QStringLiteral("relais.txt")));
    const auto leer = lesen({QStringLiteral("--testgeraet=")});
    EXPECT_EQ(leer.ergebnis, Befehlszeile::Ergebnis::Fehler);
    EXPECT_TRUE(leer.text.startsWith(QStringLiteral("kesselwerk: ")));
    EXPECT_TRUE(lesen({QStringLiteral("--help")}).text.contains(QStringLiteral("--testgeraet")));
}

TEST(Befehlszeile, ImportOptionen)
{
    const auto b = lesen({QStringLiteral("--importieren"), QStringLiteral("r.xml"), QStringLiteral("--rezept"),
                          QStringLiteral("Festbier"), QStringLiteral("--ruehren"), QStringLiteral("30,120"),
                          QStringLiteral("--nach"), QStringLiteral("/tmp/aus")});
    EXPECT_EQ(b.ergebnis, Befehlszeile::Ergebnis::Weiter) << b.text.toStdString();
    EXPECT_EQ(b.importieren, QStringLiteral("r.xml"));
    EXPECT_EQ(b.rezept, QStringLiteral("Festbier"));
    EXPECT_EQ(b.ruehrimpuls, QStringLiteral("30"));
    EXPECT_EQ(b.ruehrpause, QStringLiteral("120"));
    EXPECT_EQ(b.nach, QStringLiteral("/tmp/aus"));
    EXPECT_TRUE(lesen({}).importieren.isEmpty());

    for (const QStringList& a : {
             QStringList{QStringLiteral("--importieren"), QStringLiteral("r.xml")},  // no --nach
             QStringList{QStringLiteral("--nach"), QStringLiteral("/tmp")},          // no --importieren
             QStringList{QStringLiteral("--importieren"), QStringLiteral("r.xml"), QStringLiteral("--nach"),
                         QStringLiteral("/tmp"), QStringLiteral("--ruehren"), QStringLiteral("30")},
             QStringList{QStringLiteral("--importieren"), QStringLiteral("r.xml"), QStringLiteral("--nach"),
                         QStringLiteral("/tmp"), QStringLiteral("--ruehren"), QStringLiteral("30,10000")},
             QStringList{QStringLiteral("--importieren"), QStringLiteral("r.xml"), QStringLiteral("--nach"),
                         QStringLiteral("/tmp"), QStringLiteral("--ruehren"), QStringLiteral("-1,5")},
             QStringList{QStringLiteral("--rezept"), QStringLiteral("x")},
         }) {
        const auto f = lesen(a);
        EXPECT_EQ(f.ergebnis, Befehlszeile::Ergebnis::Fehler) << a.join(' ').toStdString();
        EXPECT_FALSE(f.text.contains('\n'));
    }
    EXPECT_TRUE(lesen({QStringLiteral("--help")}).text.contains(QStringLiteral("--importieren")));
}

TEST(Befehlszeile, ProbelaufOptionen)
{
    const auto b = lesen({QStringLiteral("--probelauf"), QStringLiteral("Märzen.rez"), QStringLiteral("--csv"),
                          QStringLiteral("k.csv")});
    EXPECT_EQ(b.ergebnis, Befehlszeile::Ergebnis::Weiter) << b.text.toStdString();
    EXPECT_EQ(b.probelauf, QStringLiteral("Märzen.rez"));
    EXPECT_EQ(b.csv, QStringLiteral("k.csv"));
    EXPECT_TRUE(lesen({QStringLiteral("--probelauf"), QStringLiteral("a.rez")}).csv.isEmpty());
    for (const QStringList& a : {
             QStringList{QStringLiteral("--csv"), QStringLiteral("k.csv")},   // no --probelauf
             QStringList{QStringLiteral("--probelauf"), QStringLiteral("")},
             QStringList{QStringLiteral("--probelauf"), QStringLiteral("a.rez"), QStringLiteral("--importieren"),
                         QStringLiteral("r.xml"), QStringLiteral("--nach"), QStringLiteral("/tmp")},
         }) {
        const auto f = lesen(a);
        EXPECT_EQ(f.ergebnis, Befehlszeile::Ergebnis::Fehler) << a.join(' ').toStdString();
        EXPECT_FALSE(f.text.contains('\n'));
    }
    EXPECT_TRUE(lesen({QStringLiteral("--help")}).text.contains(QStringLiteral("--probelauf")));
}
