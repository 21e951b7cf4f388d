// Random and mutated files against the readers, for a bounded number of rounds
// with a fixed seed: no crash, and every failure is a message.
#include "import/Rezeptimport.h"

#include <QByteArray>
#include <QFile>

#include <gtest/gtest.h>

#include <random>

using namespace kw;

TEST(ImportFuzz, ZufaelligeUndVeraenderteDateien)
{
    std::vector<QByteArray> vorlagen;
    for (const char* n : {"mehrere_rezepte.xml", "maischprofile.xml", "fahrenheit.json", "dekoktion.xml",
                          "abmaischen.json", "latin1.xml", "dezimalkomma.xml"}) {
        QFile f(QString::fromLatin1(KW_IMPORTDATEIEN) + u'/' + QLatin1String(n));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        vorlagen.push_back(f.readAll());
    }
    std::mt19937 zufall(20261209);
    const auto zahl = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(zufall); };
    const char* stuecke[] = {"<", ">", "</", "&", ";", "&nbsp;", "<!DOCTYPE x [<!ENTITY a \"b\">]>", "\"", "{", "}",
                             "[", "]", ",", ":", "\xff", "\xc3", "-1e999", "NaN", "<MASH_STEP>", "{\"unit\":\"F\"}"};
    int fehler = 0, gelesen = 0;
    for (int runde = 0; runde < 3000; ++runde) {
        QByteArray b;
        if (runde % 10 == 0) {
            b.resize(static_cast<qsizetype>(zahl(2000)));
            for (auto& c : b)
                c = static_cast<char>(zahl(256));
        } else {
            b = vorlagen[zahl(vorlagen.size())];
            const std::size_t eingriffe = 1 + zahl(8);
            for (std::size_t e = 0; e < eingriffe && !b.isEmpty(); ++e) {
                const auto pos = static_cast<qsizetype>(zahl(static_cast<std::size_t>(b.size())));
                switch (zahl(4)) {
                case 0: b[pos] = static_cast<char>(zahl(256)); break;
                case 1: b.remove(pos, static_cast<qsizetype>(zahl(40))); break;
                case 2: b.insert(pos, stuecke[zahl(std::size(stuecke))]); break;
                case 3: b.truncate(pos); break;
                }
            }
        }
        const Importdatei d = Importbytes_Lesen(b, Sprache::Deutsch);
        if (!d.ok()) {
            ++fehler;
            EXPECT_TRUE(d.rezepte.empty());
            EXPECT_EQ(d.fehler.find('\n'), std::string::npos);
            continue;
        }
        ++gelesen;
        EXPECT_FALSE(d.rezepte.empty());
        for (const Importrezept& r : d.rezepte) {
            Importvorgaben v;
            v.ruehrimpuls = v.ruehrpause = "10";
            const Importabbildung a = Rezept_Abbilden(d, r, v);
            if (a.ok()) {
                const int n = std::stoi(a.programm.AnzPhasen);
                EXPECT_GE(n, 2);
                EXPECT_LE(n, Max_Phasen);
                for (int i = 1; i <= n; ++i) {
                    const double t = std::stod(a.programm.Phase(i).Temperatur());
                    EXPECT_GE(t, 0.0);
                    EXPECT_LE(t, 110.0);
                    EXPECT_LE(a.programm.Phase(i).Heizzeit().size(), 3u);
                }
            }
        }
    }
    // both kinds of outcome were exercised
    EXPECT_GT(fehler, 100);
    EXPECT_GT(gelesen, 30);
}
