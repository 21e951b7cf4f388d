// Every language applied to every screen: each caption of the table reaches its
// control, switch texts reach the main screen, and German comes back whole after
// English, also on screens that were never opened.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QComboBox>
#include <QAbstractSlider>
#include <QAccessible>
#include <QGroupBox>
#include <QListWidget>
#include <QRegularExpression>

#include <map>
#include <set>

#include "Testanwendung.h"
#include "Version.h"
#include "screens/Beschriftungen.h"
#include "screens/Grundbild.h"
#include "screens/Parameter.h"

namespace kw::test {
namespace {

struct Sprachfall {
    int Sprachnummer;
    Sprache sprache;
};

const Sprachfall Alle_Sprachen[] = {
    {1, Sprache::Deutsch}, {2, Sprache::Englisch}, {6, Sprache::Portugiesisch},
    {7, Sprache::Polnisch}, {8, Sprache::Tschechisch},
};

class Sprachen : public ::testing::Test {
protected:
    QTemporaryDir ordner;
    Testumgebung t{ordner.path().toStdString()};
    Anwendung& app = *t.app;

    void umschalten(int nummer)
    {
        app.anlage.Sprachnummer = nummer;
        app.Sprache_Umschalten();
    }

    QString lies(const std::string& bildschirm, const std::string& steuerelement)
    {
        QWidget* w = app.bildschirm(bildschirm);
        if (!w)
            return QStringLiteral("<no screen %1>").arg(QString::fromStdString(bildschirm));
        return Beschriftung_Lesen(*w, steuerelement)
            .value_or(QStringLiteral("<no control %1>").arg(QString::fromStdString(steuerelement)));
    }

    template <class T> T* element(const std::string& bildschirm, const char* name)
    {
        return app.bildschirm(bildschirm)->findChild<T*>(QString::fromLatin1(name));
    }
};

TEST_F(Sprachen, JedeBeschriftungJederSpracheErreichtIhrSteuerelement)
{
    for (const Sprachfall& f : Alle_Sprachen) {
        umschalten(f.Sprachnummer);
        ASSERT_EQ(app.texte.aktuell, f.sprache);
        const auto& tabelle = Beschriftungstabelle(f.sprache);
        ASSERT_EQ(tabelle.size(), static_cast<std::size_t>(Anzahl_Beschriftungen));
        for (const Beschriftung& b : tabelle) {
            const QString gesetzt = lies(b.Bildschirm, b.Steuerelement);
            EXPECT_FALSE(gesetzt.trimmed().isEmpty()) << b.Bildschirm << "/" << b.Steuerelement;
            if (b.Bildschirm == "PARAMETER" && b.Steuerelement == "Command6") {
                // The page button's caption is the upkeep's at once: "PHASEN 11 - " and the count.
                EXPECT_EQ(gesetzt.toStdString(), Schaltertexte_Fuer(f.sprache).Text_Phasen_11_20);
                continue;
            }
            if (b.Bildschirm == "Information" && b.Steuerelement == "Info_Text_4") {
                // The version line carries this build's version in place of the table's number.
                EXPECT_EQ(gesetzt.toStdString(), b.Text.substr(0, b.Text.rfind(' ') + 1) + KW_VERSION);
                continue;
            }
            EXPECT_EQ(gesetzt.toStdString(), b.Text)
                << "language " << f.Sprachnummer << ": " << b.Bildschirm << "/" << b.Steuerelement;
        }
    }
}

TEST_F(Sprachen, SchaltertexteJederSpracheAufDemHauptbild)
{
    auto& g = app.bildschirm<Grundbild>();
    g.show();
    g.Timer_Anhalten();
    g.Timer1_Timer();   // first tick: the settings screen comes up; put it aside
    app.bildschirm("HardwareAbfrage")->hide();
    t.meldungen_abholen();

    for (const Sprachfall& f : Alle_Sprachen) {
        umschalten(f.Sprachnummer);
        const Schaltertexte& s = Schaltertexte_Fuer(f.sprache);
        const std::string* felder[] = {
            &s.Text_Grad_Ein, &s.Text_Grad_Aus, &s.Text_Signal_Ein, &s.Text_Signal_Aus,
            &s.Text_Heizung_Ein, &s.Text_Heizung_Aus, &s.Text_Ruehrwerk_Ein, &s.Text_Ruehrwerk_Aus,
            &s.Text_Kuehlung_Ein, &s.Text_Kuehlung_Aus, &s.Text_Simulation_Ein, &s.Text_Simulation_Aus,
            &s.Text_Manuell_Ein, &s.Text_Manuell_Aus, &s.Text_Aktivieren, &s.Text_Deaktivieren,
            &s.Text_Phasen_11_20, &s.Text_Phasen_11, &s.Text_Zeit_Aktuell, &s.Text_Restzeit,
            &s.Text_Keine_Phase,
        };
        for (const std::string* text : felder)
            EXPECT_FALSE(text->empty()) << "language " << f.Sprachnummer;

        // The displays the tick writes take the current language.
        g.Timer1_Timer();
        EXPECT_EQ(element<QLineEdit>("Grundbild", "Anzeige_KommentarPhase")->text().toStdString(),
                  s.Text_Keine_Phase);
        EXPECT_EQ(lies("Grundbild", "Label1_10").toStdString(), s.Text_Zeit_Aktuell);

        // A toggle shows the text of the change its next click makes, in this language.
        auto* sim = element<QAbstractButton>("Grundbild", "Switch1");
        sim->click();
        EXPECT_EQ(sim->text().toStdString(), s.Text_Simulation_Aus);
        sim->click();
        EXPECT_EQ(sim->text().toStdString(), s.Text_Simulation_Ein);
        auto* start = element<QAbstractButton>("Grundbild", "switch3");
        start->click();
        EXPECT_EQ(start->text().toStdString(), s.Text_Deaktivieren);
        start->click();
        EXPECT_EQ(start->text().toStdString(), s.Text_Aktivieren);

        // The editor's page button with no phase count.
        auto& p = app.bildschirm<Parameter>();
        p.pflegen();
        EXPECT_EQ(lies("PARAMETER", "Command6").toStdString(), s.Text_Phasen_11_20);
    }
}

// The German captions as the program is built with them.
TEST_F(Sprachen, DeutschNachEnglischStelltJedeBeschriftungWiederHer)
{
    umschalten(2);
    EXPECT_EQ(lies("Grundbild", "START_BRAUEN").toStdString(), "START");
    EXPECT_EQ(lies("Grundbild", "Frame1").toStdString(), "FUNCTIONS") << "English applied";
    umschalten(1);

    const char* grundbild[][2] = {
        {"Frame1", "FUNKTIONEN"}, {"Label11", "BIER - NAME"}, {"Label6", "PHASEN:"}, {"INFO", "INFO"},
        {"Command2_0", "PARAMETER"}, {"Command1", "BRAU - PROTOKOLL"},
        {"Command5", "BERECHNUNGEN / HILFEN"}, {"OPTIONS", "OPTIONEN"},
        {"Anzeige_RufQuitt", "RUF QUITTIEREN !!"}, {"QUITTIEREN", "QUITTIEREN"},
        {"Command7", "BEENDEN"}, {"Frame_Simulation", "SIMULATION"}, {"Label4", "Ist-Temperatur"},
        {"Frame_Manuell", "MANUELL"}, {"Phase_setzen", "Start ab Phase"}, {"Label5_0", "Phase:"},
        {"Label5_1", "Zeit:"}, {"Label5_2", "Min"}, {"switch3", "Aktivieren"},
        {"Man_Heizung", "HEIZUNG EIN"}, {"Man_Ruehrwerk", "RÜHRWERK EIN"},
        {"Man_Kuehlung", "KÜHLUNG EIN"}, {"Man_Extra1", "EXTRA1 EIN"}, {"Man_Extra2", "EXTRA2 EIN"},
        {"Man_Extra3", "EXTRA3 EIN"}, {"Man_Extra4", "EXTRA4 EIN"}, {"Frame3", "BETRIEBSARTEN"},
        {"Switch1", "SIMULATION EIN"}, {"Switch2", "MANUELL EIN"}, {"Frame_Bedienung", "BEDIENUNG"},
        {"START_BRAUEN", "START"}, {"STOP_BRAUEN", "STOP"}, {"PAUSE_BRAUEN", "PAUSE"},
        {"Frame2", "Prozessdaten aktuelle Phase"}, {"Label1_0", "Phase:"},
        {"Label1_13", "Temperatur-Anzeigen [°C]"}, {"Label1_9", "Aktuell"}, {"Label1_16", "Soll Akt."},
        {"Label1_1", "Soll Ende"}, {"Label1_12", "Startzeit Phase"}, {"Label1_10", "Zeit aktuell"},
        {"Label1_8", "Aufheizphase"}, {"Label1_7", "Konstantphase"}, {"Label1_6", "Kühlphase"},
        {"Label1_2", "Heizung"}, {"Label1_3", "Rührwerk"}, {"Label1_5", "Kühlung"},
        {"Label1_4", "Ak.Signal"}, {"Label1_11", "Extra1"}, {"Label1_17", "Extra2"},
        {"Label1_18", "Extra3"}, {"Label1_19", "Extra4"}, {"Label1_15", "BRAUEN AKTIV"},
        {"Label1_14", "FERTIG"}, {"Option_Gradient", "Grad. Aus"},
        {"Option_Signal", "Signal taktend aus"}, {"Text_Endzeit_11", "Endzeit Phase"},
    };
    for (const auto& [name, text] : grundbild)
        EXPECT_EQ(lies("Grundbild", name).toStdString(), text) << name;

    // Screens that were never opened: each quoted caption stands on one of its controls.
    const char* andere[][2] = {
        {"HardwareAbfrage", "Spracheinstellung"}, {"HardwareAbfrage", "Port Relais-Karte"},
        {"HardwareAbfrage", "Port Temp.Sensor"}, {"HardwareAbfrage", "Definition Extra-Buttons"},
        {"HardwareAbfrage", "Akk.Signal"}, {"HardwareAbfrage", "Temperatur-Gradient"},
        {"HardwareAbfrage", "Gradient Ein"}, {"HardwareAbfrage", "Gradient Aus"},
        {"HardwareConf", "   Die Hardware wird initialisiert."},
        {"HardwareConf", "Bitte haben Sie etwas Geduld..."},
        {"WarnungDS1820", "Warnung !   Der DS1820 hat mehrmals eine fehlerhafte Messung durchgeführt !!!"},
        {"BraumeisterRuf", "SIGNAL AUS"},
        {"Ruf_Text", "Bitte einen Text für den Braumeister-Ruf definieren:"},
        {"Ruf_Text", "Braumeister-Ruf:"},
    };
    for (const auto& [bildschirm, text] : andere) {
        bool gefunden = false;
        for (const Beschriftung& b : Beschriftungstabelle(Sprache::Deutsch))
            if (b.Bildschirm == bildschirm && lies(b.Bildschirm, b.Steuerelement).toStdString() == text)
                gefunden = true;
        EXPECT_TRUE(gefunden) << bildschirm << ": \"" << text << "\"";
        EXPECT_FALSE(app.bildschirm(bildschirm)->isVisible()) << bildschirm << " stays hidden";
    }
}

TEST_F(Sprachen, SpracheOhneTabelleFaelltAufDeutschZurueck)
{
    umschalten(2);
    for (int nummer : {3, 4, 5, 0, 9}) {
        umschalten(nummer);
        EXPECT_EQ(app.texte.aktuell, Sprache::Deutsch) << nummer;
        EXPECT_EQ(lies("Grundbild", "Command7").toStdString(), "BEENDEN") << nummer;
    }
    // The hint for 3..5 comes only once the switch has been made at least once.
    const auto meldungen = t.meldungen_abholen();
    ASSERT_FALSE(meldungen.empty());
    EXPECT_EQ(meldungen.front().rfind("Message No.63 :  ", 0), 0u) << meldungen.front();
}

TEST_F(Sprachen, TschechischUndPolnischBehaltenIhreBuchstaben)
{
    umschalten(8);
    const QString cz = lies("Grundbild", "Command5");
    EXPECT_EQ(cz.toStdString(), *Beschriftung_Fuer(Sprache::Tschechisch, "Grundbild", "Command5"));
    EXPECT_TRUE(cz.contains(QChar(0x00DD)) || cz.contains(QChar(0x010C)) || cz.contains(QChar(0x0160)))
        << cz.toStdString();
    EXPECT_TRUE(app.meldungstext(20).startsWith(QStringLiteral("Zpráva č.20 :  ")))
        << app.meldungstext(20).toStdString();

    umschalten(7);
    bool polnisch = false;
    for (const Beschriftung& b : Beschriftungstabelle(Sprache::Polnisch)) {
        const QString text = lies(b.Bildschirm, b.Steuerelement);
        for (QChar c : {QChar(0x0142), QChar(0x0105), QChar(0x0119), QChar(0x015B), QChar(0x017C)})
            polnisch = polnisch || text.contains(c);
    }
    EXPECT_TRUE(polnisch);
    EXPECT_TRUE(app.meldungstext(14).startsWith(QStringLiteral("Alert Nr 14 :  ")));
}

} // namespace
} // namespace kw::test

namespace kw::test {
namespace {

// Every text a control shows or tells (caption, title, tooltip, items, accessible texts).
std::vector<QString> Texte_Von(QWidget* w)
{
    std::vector<QString> t;
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        t.push_back(b->text());
    if (auto* l = qobject_cast<QLabel*>(w))
        t.push_back(l->text());
    if (auto* g = qobject_cast<QGroupBox*>(w))
        t.push_back(g->title());
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        if (e->isReadOnly())  // an editable field holds the brewer's input
            t.push_back(e->text());
        t.push_back(e->placeholderText());
    }
    if (auto* c = qobject_cast<QComboBox*>(w))
        for (int i = 0; i < c->count(); ++i)
            t.push_back(c->itemText(i));
    if (auto* l = qobject_cast<QListWidget*>(w))
        for (int i = 0; i < l->count(); ++i)
            t.push_back(l->item(i)->text());
    t.push_back(w->toolTip());
    t.push_back(w->accessibleName());
    t.push_back(w->accessibleDescription());
    return t;
}

const char* const Alle_Bildschirme[] = {
    "Grundbild", "BraumeisterRuf", "WarnungDS1820", "Alarm_USB", "PARAMETER", "PARAMETER2",
    "Ruf_Text", "HardwareAbfrage", "HardwareConf", "Alkohol", "Berechnungen", "Bittere",
    "Brauprotokoll", "Information", "Jodprobe", "TEMPZEITKURV",
};

// Texts that are the same in every language, and why.
const char* const Ueberall_Gleich[] = {
    "OK",                                    // the button of every message box
    "KESSELWERK",                            // the program's name
    "°C", "°P", "%",                         // units
    "Min.", "Sec.", "+5 Min", "-5 Min",      // units of the editor and the time buttons
    "kcal", "kJ", "% alpha", "EBU",          // units of the calculators
    ".EXE", ".TXT",                          // file name endings of the DigiTemp files
    "CSV",                                   // the journal files' format, named alike everywhere
    "IMPORT",                                // the editor's import button: the same word in English, Czech, Polish
    "GPIO", "USB-HID-Relaiskarte",           // the names of two output interfaces
    "1-Wire (Kernel)",                       // and of a sensor source
    "COM1", "COM2", "COM3", "COM4",          // port and device names, as printed on the hardware
    "LPT1 (&&h378 )", "LPT2 (&&h278 )", "Def: h", "USB RK10-05USBV1 ", "USB Meilhaus Redlab",
};

// Values, not captions: a folder shown as it is, the build's version line
// ("Version 1.0.0" is German and English alike).
bool Ist_Wert(const QString& s)
{
    return s.startsWith(u'/') || QRegularExpression(QStringLiteral("^Version \\d")).match(s).hasMatch();
}

bool Ohne_Buchstaben(const QString& s)
{
    for (QChar c : s)
        if (c.isLetter())
            return false;
    return true;
}

TEST(Sprachen_Vollstaendig, KeineBeschriftungBleibtDeutsch)
{
    QTemporaryDir ordner;
    Testumgebung t{ordner.path().toStdString()};
    Anwendung& app = *t.app;
    const auto umschalten = [&](int nummer) {
        app.anlage.Sprachnummer = nummer;
        app.Sprache_Umschalten();
        t.meldungen_abholen();
    };
    const auto alle_elemente = [&] {
        std::vector<std::pair<std::string, QWidget*>> r;
        for (const char* name : Alle_Bildschirme) {
            QWidget* b = app.bildschirm(name);
            EXPECT_NE(b, nullptr) << name;
            if (!b)
                continue;
            for (QWidget* w : b->findChildren<QWidget*>())
                r.emplace_back(name, w);
        }
        return r;
    };

    umschalten(1);
    std::map<QWidget*, std::vector<QString>> deutsch;
    for (const auto& [name, w] : alle_elemente())
        deutsch[w] = Texte_Von(w);

    for (const Sprachfall& f : Alle_Sprachen) {
        if (f.sprache == Sprache::Deutsch)
            continue;
        umschalten(f.Sprachnummer);
        std::set<std::string> erlaubt(std::begin(Ueberall_Gleich), std::end(Ueberall_Gleich));
        for (const Beschriftung& b : Beschriftungstabelle(f.sprache))
            erlaubt.insert(b.Text);  // the table's choice, even where it keeps the German word
        // The program's own texts count only where they differ from German; English
        // may keep a word that German took from it ("Alarm Off", "CALC").
        std::set<std::string> zusatz_deutsch;
        for (const Zusatzbeschriftung& z : Zusatzbeschriftungen(Sprache::Deutsch))
            zusatz_deutsch.insert(z.Text);
        for (const Zusatzbeschriftung& z : Zusatzbeschriftungen(f.sprache))
            if (f.sprache == Sprache::Englisch || !zusatz_deutsch.count(z.Text))
                erlaubt.insert(z.Text);
        for (int n = 1; n <= 8; ++n)
            erlaubt.insert(Sprachoption_Text(n));
        for (const auto& [name, w] : alle_elemente()) {
            const auto jetzt = Texte_Von(w);
            const auto& vorher = deutsch[w];
            for (std::size_t i = 0; i < jetzt.size() && i < vorher.size(); ++i) {
                const QString& s = jetzt[i];
                if (s != vorher[i] || s.trimmed().isEmpty() || Ohne_Buchstaben(s) || Ist_Wert(s)
                    || erlaubt.count(s.trimmed().toStdString()) || erlaubt.count(s.toStdString()))
                    continue;
                ADD_FAILURE() << "language " << f.Sprachnummer << ": " << name << "/"
                              << w->objectName().toStdString() << " (" << w->metaObject()->className()
                              << ") still German: \"" << s.toStdString() << "\"";
            }
        }
    }
}

} // namespace
} // namespace kw::test

namespace kw::test {
namespace {

// Without mouse and colour: every control has an accessible name, its caption
// or its role, in every language.
TEST(Bedienbarkeit, JedesSteuerelementHatEinenZugaenglichenNamen)
{
    QTemporaryDir ordner;
    Testumgebung t{ordner.path().toStdString()};
    Anwendung& app = *t.app;
    for (int nummer : {1, 2, 6, 7, 8}) {
        app.anlage.Sprachnummer = nummer;
        app.Sprache_Umschalten();
        t.meldungen_abholen();
        for (const char* name : Alle_Bildschirme) {
            QWidget* b = app.bildschirm(name);
            ASSERT_NE(b, nullptr) << name;
            for (QWidget* w : b->findChildren<QWidget*>()) {
                const bool steuerelement = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w)
                                           || qobject_cast<QAbstractSlider*>(w) || qobject_cast<QComboBox*>(w)
                                           || qobject_cast<QListWidget*>(w) || qobject_cast<Lampenfeld*>(w);
                // Qt's own parts (the slider's buttons of a scroll area and the like) carry no object name.
                if (!steuerelement || w->objectName().isEmpty() || w->objectName().startsWith(u"qt_"))
                    continue;
                QAccessibleInterface* z = QAccessible::queryAccessibleInterface(w);
                ASSERT_NE(z, nullptr) << name << "/" << w->objectName().toStdString();
                EXPECT_FALSE(z->text(QAccessible::Name).trimmed().isEmpty())
                    << "language " << nummer << ": " << name << "/" << w->objectName().toStdString() << " ("
                    << w->metaObject()->className() << ") has no accessible name";
            }
        }
    }
}

} // namespace
} // namespace kw::test
