// The dry run without a window: the real program in a child process, without a display.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Kesselsimulation.h"
#include "Ohne_Fenster.h"
#include "program/Rezeptdatei.h"

using namespace kw;

namespace {

struct Lauf {
    int rc = -1;
    QStringList aus;
    QString fehler;
};

Lauf starte(const QStringList& argumente)
{
    const test::Lauf l = test::Ohne_Fenster_Starten(argumente);
    return {l.rc, l.aus_zeilen(), l.fehler};
}

// Minutes of "Gesamt H:MM h:min, ..."
int Gesamtminuten(const QString& zeile)
{
    const QStringList teile = zeile.section(u' ', 1, 1).split(u':');
    return teile.size() == 2 ? teile[0].toInt() * 60 + teile[1].toInt() : -1;
}

class Probelaufbefehl : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString ordner;
    QString rezept(Maischprogramm pr)
    {
        BrauDaten daten;
        daten.Sudgroesse = "50";
        const Rezeptergebnis r = Rezept_Speichern(ordner.toStdString(), pr, daten);
        EXPECT_TRUE(r.ok()) << r.detail;
        return QString::fromStdString(r.pfad);
    }
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        ordner = tmp.filePath(QStringLiteral("prog"));
        ASSERT_TRUE(QDir().mkpath(ordner));
    }
};

TEST_F(Probelaufbefehl, DruecktDieTabelleUndSchreibtDieKurve)
{
    ASSERT_TRUE(test::Drei_Sude(ordner.toStdString(), test::Testkessel()));
    Maischprogramm pr;
    test::Sechs_Phasen(pr);
    const QString datei = rezept(pr);
    const QString csv = tmp.filePath(QStringLiteral("kurve.csv"));

    const Lauf l = starte({QStringLiteral("--ordner"), ordner, QStringLiteral("--probelauf"), datei,
                           QStringLiteral("--csv"), csv});
    ASSERT_EQ(l.rc, 0) << l.fehler.toStdString() << l.aus.join(u'\n').toStdString();
    ASSERT_GE(l.aus.size(), 8);
    EXPECT_TRUE(l.aus[1].contains(QStringLiteral("gelernt aus 3 Suden"))) << l.aus[1].toStdString();
    // One line per phase with its title, in order, then the total.
    const QStringList titel = {QStringLiteral("Einmaischen"), QStringLiteral("Eiweißrast"),
                               QStringLiteral("Aufheizen 63"), QStringLiteral("Maltoserast"),
                               QStringLiteral("Aufheizen 72"), QStringLiteral("Verzuckerung")};
    const int erste = static_cast<int>(l.aus.size()) - 7;
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(l.aus[erste + i].startsWith(QStringLiteral("%1  ").arg(i + 1, 2)));
        EXPECT_TRUE(l.aus[erste + i].contains(titel[i])) << l.aus[erste + i].toStdString();
    }
    const QString gesamt = l.aus.last();
    EXPECT_TRUE(gesamt.startsWith(QStringLiteral("Gesamt "))) << gesamt.toStdString();
    EXPECT_NEAR(Gesamtminuten(gesamt), 179, 5) << gesamt.toStdString();
    EXPECT_TRUE(gesamt.contains(QStringLiteral(" kWh")));
    EXPECT_TRUE(l.fehler.isEmpty()) << l.fehler.toStdString();

    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> kurve = f.readAll().split('\n');
    EXPECT_EQ(kurve[0], QByteArray("t_s;Phase;Ist;SollAkt;Heizung"));
    EXPECT_NEAR(kurve.size(), Gesamtminuten(gesamt) * 12, 30);
    // Nothing in the folder was written by the dry run.
    EXPECT_FALSE(QFile::exists(ordner + QStringLiteral("/Kesselwerk.ini")));
}

TEST_F(Probelaufbefehl, EinRezeptDasNichtLaufenKannEndetMitEins)
{
    // Without journals: the defaults, 3000 W into 50 l; a target above what it holds.
    Maischprogramm pr;
    pr.Biersorte = "Zuheiss";
    pr.AnzPhasen = "2";
    test::Phase_Setzen(pr, 1, "Einmaischen", test::Art::Aufheizen, "52");
    test::Phase_Setzen(pr, 2, "Sieden", test::Art::Aufheizen, "400");
    Lauf l = starte({QStringLiteral("--ordner"), ordner, QStringLiteral("--probelauf"), rezept(pr)});
    EXPECT_EQ(l.rc, 1);
    EXPECT_TRUE(l.aus.join(u'\n').contains(QStringLiteral("Standardwerte")));
    EXPECT_TRUE(l.aus.last().startsWith(QStringLiteral("Gesamt nicht bestimmbar"))) << l.aus.last().toStdString();
    EXPECT_TRUE(l.fehler.contains(QStringLiteral("Phase 2 „Sieden“ endet nie"))) << l.fehler.toStdString();

    // An incomplete program: the program check's message.
    pr.Biersorte = "Halb";
    pr.Phase(2).setRuehrpause("");
    l = starte({QStringLiteral("--ordner"), ordner, QStringLiteral("--probelauf"), rezept(pr)});
    EXPECT_EQ(l.rc, 1);
    EXPECT_TRUE(l.fehler.contains(QStringLiteral("Meldung Nr.22"))) << l.fehler.toStdString();

    // No such file, no recipe name, a stray --csv.
    l = starte({QStringLiteral("--ordner"), ordner, QStringLiteral("--probelauf"), ordner + QStringLiteral("/x.rez")});
    EXPECT_EQ(l.rc, 1);
    EXPECT_FALSE(l.fehler.isEmpty());
    l = starte({QStringLiteral("--ordner"), ordner, QStringLiteral("--probelauf"), ordner + QStringLiteral("/x.txt")});
    EXPECT_EQ(l.rc, 1);
    EXPECT_TRUE(l.fehler.contains(QStringLiteral("Invalid file extension")));
    l = starte({QStringLiteral("--csv"), QStringLiteral("k.csv")});
    EXPECT_EQ(l.rc, 2);
}

} // namespace
