// Every caption key of the aid screens names a control on them, in German and English.
#include "Hilfentest.h"

#include "screens/Beschriftungen.h"

#include <map>

#include "Version.h"

namespace kw::test {
namespace {

const std::map<std::string, int> Schluesselzahl{
    {"Alkohol", 7}, {"Berechnungen", 4}, {"Bittere", 36},
    {"Brauprotokoll", 35}, {"Information", 19}, {"Jodprobe", 5},
};

void pruefe_sprache(int Sprachnummer)
{
    Testumgebung t;
    Anwendung& app = *t.app;
    app.anlage.Sprachnummer = Sprachnummer;
    app.texte.Sprache_Umschalten(Sprachnummer);
    std::map<std::string, int> gefunden;
    for (const auto& [name, anzahl] : Schluesselzahl) {
        QWidget* w = app.bildschirm(name);
        ASSERT_NE(w, nullptr) << name;
        app.beschriften(name, *w);
    }
    for (const Beschriftung& b : app.texte.beschriftungen()) {
        if (!Schluesselzahl.count(b.Bildschirm))
            continue;
        ++gefunden[b.Bildschirm];
        const std::optional<QString> ist = Beschriftung_Lesen(*app.bildschirm(b.Bildschirm), b.Steuerelement);
        ASSERT_TRUE(ist.has_value()) << b.Bildschirm << " has no control " << b.Steuerelement;
        // The version line shows this build's version in place of the table's number.
        const std::string soll = b.Steuerelement == "Info_Text_4"
                                     ? b.Text.substr(0, b.Text.rfind(' ') + 1) + KW_VERSION
                                     : b.Text;
        EXPECT_EQ(ist->toStdString(), soll) << b.Bildschirm << ' ' << b.Steuerelement;
    }
    EXPECT_EQ(gefunden, Schluesselzahl);
}

TEST(HilfenTexte, JederSchluesselFindetSeinElementDeutsch) { pruefe_sprache(1); }
TEST(HilfenTexte, JederSchluesselFindetSeinElementEnglisch) { pruefe_sprache(2); }

TEST(HilfenTexte, FenstertitelBleibenBeiJederSprache)
{
    Testumgebung t;
    Anwendung& app = *t.app;
    const std::map<std::string, std::string> titel{
        {"Alkohol", "Alkohol - und  Kalorien - Berechnung"},
        {"Berechnungen", "Berechnungen und Hilfen"},
        {"Bittere", "Bittere"},
        {"Brauprotokoll", "Brau-Protokoll"},
        {"Information", "Information"},
        {"Jodprobe", "Jodprobe"},
        {"TEMPZEITKURV", "KESSELWERK"},
    };
    app.texte.Sprache_Umschalten(2);
    for (const auto& [name, text] : titel) {
        QWidget* w = app.bildschirm(name);
        ASSERT_NE(w, nullptr) << name;
        app.beschriften(name, *w);
        EXPECT_EQ(w->windowTitle().toStdString(), text) << name;
    }
}

} // namespace
} // namespace kw::test
