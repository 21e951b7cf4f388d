#include "texts/Texte.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kw {
namespace {

const std::vector<Sprache> alle_sprachen = {Sprache::Deutsch, Sprache::Englisch, Sprache::Portugiesisch,
                                            Sprache::Tschechisch, Sprache::Polnisch};

std::string Name(Sprache s) {
    switch (s) {
    case Sprache::Deutsch: return "Deutsch";
    case Sprache::Englisch: return "Englisch";
    case Sprache::Portugiesisch: return "Portugiesisch";
    case Sprache::Tschechisch: return "Tschechisch";
    case Sprache::Polnisch: return "Polnisch";
    }
    return "?";
}

// Decodes UTF-8 strictly (no overlongs, no surrogates); nullopt if invalid.
std::optional<std::vector<char32_t>> Dekodiere(const std::string& s) {
    std::vector<char32_t> cps;
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        int len = 0;
        char32_t cp = 0, min = 0;
        if (b < 0x80) { len = 1; cp = b; }
        else if ((b & 0xE0) == 0xC0) { len = 2; cp = b & 0x1F; min = 0x80; }
        else if ((b & 0xF0) == 0xE0) { len = 3; cp = b & 0x0F; min = 0x800; }
        else if ((b & 0xF8) == 0xF0) { len = 4; cp = b & 0x07; min = 0x10000; }
        else return std::nullopt;
        if (i + len > s.size()) return std::nullopt;
        for (int k = 1; k < len; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) return std::nullopt;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (len > 1 && cp < min) return std::nullopt;
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
        cps.push_back(cp);
        i += len;
    }
    return cps;
}

// Valid UTF-8, no control characters, and no trace of text decoded in the wrong code
// page (C1 controls, or "Ã"/"Å"/"Ä" followed by a Latin-1 continuation sign).
::testing::AssertionResult Sauberer_Text(const std::string& s) {
    const auto cps = Dekodiere(s);
    if (!cps) return ::testing::AssertionFailure() << "invalid UTF-8: " << s;
    for (std::size_t i = 0; i < cps->size(); ++i) {
        const char32_t c = (*cps)[i];
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F))
            return ::testing::AssertionFailure() << "control character in: " << s;
        if ((c == U'Ã' || c == U'Å' || c == U'Â' || c == U'Ä') && i + 1 < cps->size() &&
            (*cps)[i + 1] >= 0xA0 && (*cps)[i + 1] <= 0xBF)
            return ::testing::AssertionFailure() << "mis-decoded text: " << s;
    }
    return ::testing::AssertionSuccess();
}

std::string Praefix(Sprache s, int nr) {
    const bool hinweis = nr >= 63 && nr <= 68;
    std::string p;
    switch (s) {
    case Sprache::Deutsch: p = hinweis ? "Message No." : "Meldung Nr."; break;
    case Sprache::Englisch: p = "Message No."; break;
    case Sprache::Portugiesisch: p = hinweis ? "Message No." : "Mensagem No."; break;
    case Sprache::Tschechisch: p = "Zpráva č."; break;
    case Sprache::Polnisch: p = "Alert Nr "; break;
    }
    return p + std::to_string(nr) + (nr == 51 ? " : " : " :  ");
}

// ---------------------------------------------------------------- messages

TEST(Meldungstabelle, JedeSpracheHatPraefixUndNummerFuer1Bis70UndLeere71Bis100) {
    for (Sprache s : alle_sprachen) {
        SCOPED_TRACE(Name(s));
        for (int nr = 1; nr <= 70; ++nr) {
            const std::string& m = Meldung(s, nr);
            const std::string p = Praefix(s, nr);
            EXPECT_EQ(m.substr(0, p.size()), p) << "message " << nr;
        }
        for (int nr = 71; nr <= 100; ++nr) EXPECT_EQ(Meldung(s, nr), "") << "message " << nr;
        for (int nr : {0, -1, 101, 1000}) EXPECT_EQ(Meldung(s, nr), "") << "message " << nr;
    }
}

TEST(Meldungstabelle, TextTragendeNummernSindInAllenSprachenDieselben) {
    std::set<int> mit_text_de;
    for (int nr = 1; nr <= 70; ++nr)
        if (Meldung(Sprache::Deutsch, nr) != Praefix(Sprache::Deutsch, nr)) mit_text_de.insert(nr);
    std::set<int> erwartet = {1, 5, 11, 12, 13, 14, 15, 20, 41, 51, 55, 63, 64, 65, 66, 67, 68};
    for (int nr = 21; nr <= 40; ++nr) erwartet.insert(nr);
    EXPECT_EQ(mit_text_de, erwartet);

    for (Sprache s : alle_sprachen) {
        SCOPED_TRACE(Name(s));
        for (int nr = 1; nr <= 70; ++nr)
            EXPECT_EQ(Meldung(s, nr) != Praefix(s, nr), erwartet.count(nr) == 1) << "message " << nr;
    }
}

TEST(Meldungstabelle, DeutscheTexteWortgetreu) {
    const std::map<int, std::string> soll = {
        {1, "Meldung Nr.1 :  Funktion noch nicht integriert"},
        {5, "Meldung Nr.5 :  Eingaben fuer die Berechnung sind unvollstaendig."},
        {11, "Meldung Nr.11 :  Falsche Eingabe !!!    Zugelassen nur Werte zwischen 0,0 und 99,0 "},
        {12, "Meldung Nr.12 :  Falsche Eingabe !!!    Zugelassen nur Werte zwischen 0 und 999 "},
        {13, "Meldung Nr.13 :  Falsche Eingabe !!!    Zugelassen nur Werte zwischen 0 und 9999 "},
        {14, "Meldung Nr.14 :  Falsche Eingabe !!!    Zugelassen nur Werte zwischen 1 und 20 "},
        {15, "Meldung Nr.15 :  Falsche Eingabe !!!    Zugelassen nur Werte zwischen 0 und 110 "},
        {20, "Meldung Nr.20 :  Parametrierfehler!!! Bitte Anzahl der Phasen definieren."},
        {21, "Meldung Nr.21 :  Parametrierfehler!!! Heizphase Nr.1 nicht vollständig parametriert."},
        {25, "Meldung Nr.25 :  Parametrierfehler!!! Heizphase Nr.5 nicht vollständig parametriert."},
        {40, "Meldung Nr.40 :  Parametrierfehler!!! Heizphase Nr.20 nicht vollständig parametriert."},
        {41, "Meldung Nr.41 :  Ablauf befindet sich im undefinierten Schritt. Bitte Reset !!!"},
        {51, "Meldung Nr.51 : Braumeister-Ruf: "},
        {55, "Meldung Nr.55 :  Verbindung zu USB RK10-05USBV1 konnte nicht hergestellt werden!"},
        {63, "Message No.63 :  Parle vouz franzes? Je ne farle..äh....Please select an easier language !"},
        {64, "Message No.64 :  Esta lengua todavía no estay disponible. Por favor selecciona una otra lengua!"},
        {65, "Message No.65 :  Tortellini Mortadella Amaretto Bikini... Flasche leer. Andere Sprach besser !"},
        {66, "Message No.66 :  Esta lingua ainda não está integrada. Favor seleciona uma outra lingua!"},
        {67, "Message No.67 :  This is Fin(n)ish but not the End :-) Please choose another Language !"},
        {68, "Message No.68 :  Norway...No way :-) Please choose another Language !"},
        {2, "Meldung Nr.2 :  "},
        {70, "Meldung Nr.70 :  "},
    };
    for (const auto& [nr, text] : soll) EXPECT_EQ(Meldung(Sprache::Deutsch, nr), text) << "message " << nr;
    // 22..39 follow the same pattern: message 20 + N names phase N
    for (int phase = 1; phase <= 20; ++phase)
        EXPECT_NE(Meldung(Sprache::Deutsch, 20 + phase).find("Heizphase Nr." + std::to_string(phase) + " nicht"),
                  std::string::npos);
}

TEST(Meldungstabelle, EnglischeTexteWortgetreu) {
    const std::map<int, std::string> soll = {
        {1, "Message No.1 :  Function is not integrated yet"},
        {5, "Message No.5 :  Your defined values for the calculation are incomplete."},
        {11, "Message No.11 :  Wrong Value !!!    Allowed are values between 0,0 und 99,0 "},
        {12, "Message No.12 :  Wrong Value !!!    Allowed are values between 0 und 999 "},
        {13, "Message No.13 :  Wrong Value !!!    Allowed are values between 0 und 9999 "},
        {14, "Message No.14 :  Wrong Value !!!    Allowed are values between 1 und 20 "},
        {15, "Message No.15 :  Wrong Value !!!    Allowed are values between 0 und 110 "},
        {20, "Message No.20 :  Wrong Parameter!!! Please define number of Steps."},
        {21, "Message No.21 :  Wrong Parameter!!! Step No.1 Parameterizing not complete."},
        {25, "Message No.25 :  Wrong Parameter!!! Step No.5 Parameterizing not complete."},
        {40, "Message No.40 :  Wrong Parameter!!! Step No.20 Parameterizing not complete."},
        {41, "Message No.41 :  Sequence in undefined step. Please restart !!!"},
        {51, "Message No.51 : Brew-Master-Call: "},
        {55, "Message No.55 :  Can not open device USB RK10-05USBV1 !"},
    };
    for (const auto& [nr, text] : soll) EXPECT_EQ(Meldung(Sprache::Englisch, nr), text) << "message " << nr;
    for (int nr = 63; nr <= 68; ++nr) {
        EXPECT_EQ(Meldung(Sprache::Englisch, nr), Meldung(Sprache::Deutsch, nr));
        EXPECT_EQ(Meldung(Sprache::Portugiesisch, nr), Meldung(Sprache::Deutsch, nr));
    }
}

TEST(Meldungstabelle, UebersetzungenEigenstaendigUndUSBMeldungEnglischInCzUndPl) {
    EXPECT_EQ(Meldung(Sprache::Tschechisch, 55), "Zpráva č.55 :  Can not open device USB RK10-05USBV1 !");
    EXPECT_EQ(Meldung(Sprache::Polnisch, 55), "Alert Nr 55 :  Can not open device USB RK10-05USBV1 !");
    EXPECT_EQ(Meldung(Sprache::Tschechisch, 25).rfind("Zpráva č.25 :  ", 0), 0u);
    for (Sprache s : {Sprache::Portugiesisch, Sprache::Tschechisch, Sprache::Polnisch}) {
        SCOPED_TRACE(Name(s));
        for (int nr : {1, 5, 11, 20, 21, 41, 51}) {
            const auto eigen = Meldung(s, nr).substr(Praefix(s, nr).size());
            EXPECT_NE(eigen, Meldung(Sprache::Deutsch, nr).substr(Praefix(Sprache::Deutsch, nr).size()));
            EXPECT_NE(eigen, Meldung(Sprache::Englisch, nr).substr(Praefix(Sprache::Englisch, nr).size()));
        }
        // the range messages carry their bounds; the phase messages their phase number
        EXPECT_NE(Meldung(s, 11).find("0,0"), std::string::npos);
        EXPECT_NE(Meldung(s, 11).find("99,0 "), std::string::npos);
        EXPECT_NE(Meldung(s, 13).find("9999 "), std::string::npos);
        EXPECT_NE(Meldung(s, 40).find("20"), std::string::npos);
        EXPECT_NE(Meldung(s, 33).find("13 "), std::string::npos);
    }
}

// ---------------------------------------------------------------- switch texts

std::vector<const std::string*> Alle(const Schaltertexte& t) {
    return {&t.Text_Grad_Ein,      &t.Text_Grad_Aus,       &t.Text_Signal_Ein,    &t.Text_Signal_Aus,
            &t.Text_Heizung_Ein,   &t.Text_Heizung_Aus,    &t.Text_Ruehrwerk_Ein, &t.Text_Ruehrwerk_Aus,
            &t.Text_Kuehlung_Ein,  &t.Text_Kuehlung_Aus,   &t.Text_Simulation_Ein, &t.Text_Simulation_Aus,
            &t.Text_Manuell_Ein,   &t.Text_Manuell_Aus,    &t.Text_Aktivieren,    &t.Text_Deaktivieren,
            &t.Text_Phasen_11_20,  &t.Text_Phasen_11,      &t.Text_Zeit_Aktuell,  &t.Text_Restzeit,
            &t.Text_Keine_Phase};
}

TEST(Schaltertexte, DeutschUndEnglischWortgetreu) {
    const std::vector<std::string> de = {
        "Grad. Ein", "Grad. Aus", "Signal taktend ein", "Signal taktend aus", "HEIZUNG EIN", "HEIZUNG AUS",
        "RÜHRWERK EIN", "RÜHRWERK AUS", "KÜHLUNG EIN", "KÜHLUNG AUS", "SIMULATION EIN", "SIMULATION AUS",
        "MANUELL EIN", "MANUELL AUS", "Aktivieren", "Deaktivieren", "PHASEN 11 - 20", "PHASEN 11 - ",
        "Zeit Aktuell", "Restzeit", "Keine Phase aktiv"};
    const std::vector<std::string> en = {
        "Grad. On", "Grad. Off", "Signal pulsing on", "Signal pulsing off", "HEATING ON", "HEATING OFF",
        "STIRRING ON", "STIRRING OFF", "COOLING ON", "COOLING OFF", "SIMULATION ON", "SIMULATION OFF",
        "MANUAL ON", "MANUAL OFF", "Aktivate", "Deaktivate", "STEPS 11 - 20", "STEPS 11 - ",
        "Actual time", "Time Remain.", "No step active"};
    const auto t_de = Alle(Schaltertexte_Fuer(Sprache::Deutsch));
    const auto t_en = Alle(Schaltertexte_Fuer(Sprache::Englisch));
    ASSERT_EQ(t_de.size(), 21u);
    for (std::size_t i = 0; i < de.size(); ++i) {
        EXPECT_EQ(*t_de[i], de[i]);
        EXPECT_EQ(*t_en[i], en[i]);
    }
}

TEST(Schaltertexte, KeinerLeerUndEinAusWorteJeSprache) {
    const std::map<Sprache, std::pair<std::string, std::string>> ein_aus = {
        {Sprache::Portugiesisch, {"LIG", "DES"}},
        {Sprache::Tschechisch, {"zap", "vyp"}},
        {Sprache::Polnisch, {"WL", "WYL"}}};
    for (Sprache s : alle_sprachen) {
        SCOPED_TRACE(Name(s));
        const auto& t = Schaltertexte_Fuer(s);
        for (const auto* text : Alle(t)) {
            EXPECT_FALSE(text->empty());
            EXPECT_TRUE(Sauberer_Text(*text));
        }
        // the page caption is completed with the last phase number
        EXPECT_EQ(t.Text_Phasen_11 + "20", t.Text_Phasen_11_20);
        EXPECT_NE(t.Text_Heizung_Ein, t.Text_Heizung_Aus);
        auto endet = [](const std::string& s, const std::string& e) {
            return s.size() >= e.size() && s.compare(s.size() - e.size(), e.size(), e) == 0;
        };
        if (auto it = ein_aus.find(s); it != ein_aus.end()) {
            for (const auto* text : {&t.Text_Grad_Ein, &t.Text_Signal_Ein, &t.Text_Heizung_Ein,
                                     &t.Text_Ruehrwerk_Ein, &t.Text_Kuehlung_Ein, &t.Text_Simulation_Ein,
                                     &t.Text_Manuell_Ein})
                EXPECT_TRUE(endet(*text, " " + it->second.first)) << *text;
            for (const auto* text : {&t.Text_Grad_Aus, &t.Text_Signal_Aus, &t.Text_Heizung_Aus,
                                     &t.Text_Ruehrwerk_Aus, &t.Text_Kuehlung_Aus, &t.Text_Simulation_Aus,
                                     &t.Text_Manuell_Aus})
                EXPECT_TRUE(endet(*text, " " + it->second.second)) << *text;
        }
    }
}

// ---------------------------------------------------------------- captions

TEST(Beschriftungstabelle, ZaehlungJeBildschirmUndGleicheSchluesselInAllenSprachen) {
    const std::vector<std::pair<std::string, int>> soll = {
        {"Grundbild", 57}, {"Alkohol", 7},          {"Berechnungen", 4},   {"Bittere", 36},
        {"BraumeisterRuf", 1}, {"Brauprotokoll", 35}, {"HardwareAbfrage", 20}, {"HardwareConf", 2},
        {"Information", 19}, {"Jodprobe", 5},       {"PARAMETER", 19},     {"PARAMETER2", 15},
        {"Ruf_Text", 2},     {"WarnungDS1820", 1}};
    const auto& de = Beschriftungstabelle(Sprache::Deutsch);
    ASSERT_EQ(de.size(), 223u);
    ASSERT_EQ(static_cast<int>(de.size()), Anzahl_Beschriftungen);

    // screens in one block each, in this order, with these counts
    std::vector<std::pair<std::string, int>> ist;
    for (const auto& b : de) {
        if (ist.empty() || ist.back().first != b.Bildschirm) ist.push_back({b.Bildschirm, 0});
        ++ist.back().second;
    }
    EXPECT_EQ(ist, soll);

    for (Sprache s : alle_sprachen) {
        SCOPED_TRACE(Name(s));
        const auto& t = Beschriftungstabelle(s);
        ASSERT_EQ(t.size(), de.size());
        std::set<std::pair<std::string, std::string>> schluessel;
        for (std::size_t i = 0; i < t.size(); ++i) {
            EXPECT_EQ(t[i].Bildschirm, de[i].Bildschirm) << i;
            EXPECT_EQ(t[i].Steuerelement, de[i].Steuerelement) << i;
            EXPECT_FALSE(t[i].Text.empty()) << t[i].Bildschirm << "." << t[i].Steuerelement;
            EXPECT_TRUE(Sauberer_Text(t[i].Text));
            EXPECT_TRUE(schluessel.insert({t[i].Bildschirm, t[i].Steuerelement}).second)
                << "duplicate key " << t[i].Bildschirm << "." << t[i].Steuerelement;
        }
    }
}

TEST(Beschriftungstabelle, SchluesselSindBezeichnerOhneUmlaute) {
    for (const auto& b : Beschriftungstabelle(Sprache::Deutsch)) {
        for (const std::string* teil : {&b.Bildschirm, &b.Steuerelement}) {
            ASSERT_FALSE(teil->empty());
            EXPECT_FALSE(std::isdigit(static_cast<unsigned char>((*teil)[0]))) << *teil;
            for (char c : *teil)
                EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c)) || c == '_') << *teil;
        }
    }
}

TEST(Beschriftungstabelle, GrundbildDeutschInTabellenfolge) {
    const std::vector<std::pair<std::string, std::string>> soll = {
        {"Frame1", "FUNKTIONEN"}, {"Label11", "BIER - NAME"}, {"Label6", "PHASEN:"}, {"INFO", "INFO"},
        {"Command2_0", "PARAMETER"}, {"Command1", "BRAU - PROTOKOLL"}, {"Command5", "BERECHNUNGEN / HILFEN"},
        {"OPTIONS", "OPTIONEN"}, {"Anzeige_RufQuitt", "RUF QUITTIEREN !!"}, {"QUITTIEREN", "QUITTIEREN"},
        {"Command7", "BEENDEN"}, {"Frame_Simulation", "SIMULATION"}, {"Label4", "Ist-Temperatur"},
        {"Frame_Manuell", "MANUELL"}, {"Phase_setzen", "Start ab Phase"}, {"Label5_0", "Phase:"},
        {"Label5_1", "Zeit:"}, {"Label5_2", "Min"}, {"switch3", "Aktivieren"}, {"Man_Heizung", "HEIZUNG EIN"},
        {"Man_Ruehrwerk", "RÜHRWERK EIN"}, {"Man_Kuehlung", "KÜHLUNG EIN"}, {"Man_Extra1", "EXTRA1 EIN"},
        {"Man_Extra2", "EXTRA2 EIN"}, {"Man_Extra3", "EXTRA3 EIN"}, {"Man_Extra4", "EXTRA4 EIN"},
        {"Frame3", "BETRIEBSARTEN"}, {"Switch1", "SIMULATION EIN"}, {"Switch2", "MANUELL EIN"},
        {"Frame_Bedienung", "BEDIENUNG"}, {"START_BRAUEN", "START"}, {"STOP_BRAUEN", "STOP"},
        {"PAUSE_BRAUEN", "PAUSE"}, {"Frame2", "Prozessdaten aktuelle Phase"}, {"Label1_0", "Phase:"},
        {"Label1_13", "Temperatur-Anzeigen [°C]"}, {"Label1_9", "Aktuell"}, {"Label1_16", "Soll Akt."},
        {"Label1_1", "Soll Ende"}, {"Label1_12", "Startzeit Phase"}, {"Label1_10", "Zeit aktuell"},
        {"Label1_8", "Aufheizphase"}, {"Label1_7", "Konstantphase"}, {"Label1_6", "Kühlphase"},
        {"Label1_2", "Heizung"}, {"Label1_3", "Rührwerk"}, {"Label1_5", "Kühlung"}, {"Label1_4", "Ak.Signal"},
        {"Label1_11", "Extra1"}, {"Label1_17", "Extra2"}, {"Label1_18", "Extra3"}, {"Label1_19", "Extra4"},
        {"Label1_15", "BRAUEN AKTIV"}, {"Label1_14", "FERTIG"}, {"Option_Gradient", "Grad. Aus"},
        {"Option_Signal", "Signal taktend aus"}, {"Text_Endzeit_11", "Endzeit Phase"}};
    const auto& t = Beschriftungstabelle(Sprache::Deutsch);
    ASSERT_GE(t.size(), soll.size());
    for (std::size_t i = 0; i < soll.size(); ++i) {
        EXPECT_EQ(t[i].Bildschirm, "Grundbild");
        EXPECT_EQ(t[i].Steuerelement, soll[i].first) << i;
        EXPECT_EQ(t[i].Text, soll[i].second) << i;
    }
    EXPECT_NE(t[soll.size()].Bildschirm, "Grundbild");
}

TEST(Beschriftungstabelle, DeutscheTexteDerAnderenBildschirme) {
    struct Fall {
        const char* bildschirm;
        const char* steuerelement;
        const char* text;
    };
    const std::vector<Fall> faelle = {
        {"HardwareAbfrage", "Spracheinstellung", "Spracheinstellung"},
        {"HardwareAbfrage", "Frame1", "Port Relais-Karte"},
        {"HardwareAbfrage", "Frame2", "Port Temp.Sensor"},
        {"HardwareAbfrage", "Def_Extra", "Definition Extra-Buttons"},
        {"HardwareAbfrage", "Conf_Signal", "Akk.Signal"},
        {"HardwareAbfrage", "Frame5", "Temperatur-Gradient"},
        {"HardwareAbfrage", "Conf_Grad_Ein", "Gradient Ein"},
        {"HardwareAbfrage", "Conf_Grad_Aus", "Gradient Aus"},
        {"HardwareAbfrage", "Label1", "Text Extra-Funktion 1 Ein:"},
        {"HardwareAbfrage", "Label8", "Text Extra-Funktion 4 Aus:"},
        {"HardwareConf", "Label1", "   Die Hardware wird initialisiert."},
        {"HardwareConf", "Label2", "Bitte haben Sie etwas Geduld..."},
        {"WarnungDS1820", "Label1", "Warnung !   Der DS1820 hat mehrmals eine fehlerhafte Messung durchgeführt !!!"},
        {"BraumeisterRuf", "Command2", "SIGNAL AUS"},
        {"Ruf_Text", "Label2", "Bitte einen Text für den Braumeister-Ruf definieren:"},
        {"Ruf_Text", "Label1", "Braumeister-Ruf:"},
        {"PARAMETER", "Label12", "ANZAHL  PHASEN:"},
        {"PARAMETER", "Par_Kuehlphase", "Kühlphase"},
        {"PARAMETER2", "Command6", "PHASE 1 - 10"},
        {"PARAMETER2", "Label5", "Rührimpuls"},
        {"Alkohol", "Label1", "ALKOHOL - UND  KALORIEN - BERECHNUNG"},
        {"Alkohol", "Label6", "Kalorien 0,5L.="},
        {"Berechnungen", "Command1", "ZURÜCK"},
        {"Bittere", "Command3", "Übernahme ins Brau-Protokoll"},
        {"Bittere", "Label11", "1   EBU sind:   1mg Alpha / L "},
        {"Bittere", "Sorte_2", "Märzen"},
        {"Bittere", "Wert_8", "bis 65"},
        {"Brauprotokoll", "Label26", "Sud-Groesse neu definieren:"},
        {"Brauprotokoll", "Label21", "Zutat 4"},
        {"Brauprotokoll", "Command1", "MENGEN UMRECHNEN"},
        {"Jodprobe", "Label5", "Eine leichte Gelbfärbung zeigt: Aus dem Malz hat sich Malzzucker gebiltet."},
        {"Information", "Frame_Beschreibung", "Beschreibung"},
        {"Information", "Info_Text_7", "Funktionsumfang:"},
    };
    for (const auto& f : faelle) {
        const std::string* text = Beschriftung_Fuer(Sprache::Deutsch, f.bildschirm, f.steuerelement);
        ASSERT_NE(text, nullptr) << f.bildschirm << "." << f.steuerelement;
        EXPECT_EQ(*text, f.text);
    }
    EXPECT_EQ(Beschriftung_Fuer(Sprache::Deutsch, "Grundbild", "Gibt_Es_Nicht"), nullptr);
    EXPECT_EQ(Beschriftung_Fuer(Sprache::Deutsch, "Information", "Info_Text_16"), nullptr);
    EXPECT_NE(Beschriftung_Fuer(Sprache::Deutsch, "Information", "Info_Text_15"), nullptr);
}

TEST(Beschriftungstabelle, UmschaltbareKnoepfeTragenDieSchaltertexteDerSprache) {
    for (Sprache s : alle_sprachen) {
        SCOPED_TRACE(Name(s));
        const auto& t = Schaltertexte_Fuer(s);
        auto text = [&](const char* element) { return *Beschriftung_Fuer(s, "Grundbild", element); };
        EXPECT_EQ(text("Option_Gradient"), t.Text_Grad_Aus);
        EXPECT_EQ(text("Option_Signal"), t.Text_Signal_Aus);
        EXPECT_EQ(text("Man_Kuehlung"), t.Text_Kuehlung_Ein);
        EXPECT_EQ(text("Switch2"), t.Text_Manuell_Ein);
    }
}

TEST(Beschriftungstabelle, UebersetzungenMitEigenenSchriftzeichen) {
    // German fallbacks left in a translated table would show up as identical texts
    const auto& de = Beschriftungstabelle(Sprache::Deutsch);
    const std::map<Sprache, std::u32string> zeichen = {
        {Sprache::Portugiesisch, U"ãçõú"}, {Sprache::Tschechisch, U"řěčůš"}, {Sprache::Polnisch, U"łąęśż"}};
    for (Sprache s : {Sprache::Englisch, Sprache::Portugiesisch, Sprache::Tschechisch, Sprache::Polnisch}) {
        SCOPED_TRACE(Name(s));
        const auto& t = Beschriftungstabelle(s);
        int gleich = 0;
        std::set<char32_t> gefunden;
        for (std::size_t i = 0; i < t.size(); ++i) {
            if (t[i].Text == de[i].Text) ++gleich;
            const auto cps = Dekodiere(t[i].Text);
            ASSERT_TRUE(cps.has_value());
            gefunden.insert(cps->begin(), cps->end());
        }
        EXPECT_LT(gleich, 45) << "captions identical to German";
        if (auto it = zeichen.find(s); it != zeichen.end()) {
            for (char32_t c : it->second) EXPECT_TRUE(gefunden.count(c)) << static_cast<unsigned>(c);
        }
    }
}

TEST(Texte, AlleMeldungenSindSauberesUTF8) {
    for (Sprache s : alle_sprachen)
        for (int nr = 1; nr <= 100; ++nr) EXPECT_TRUE(Sauberer_Text(Meldung(s, nr))) << nr;
    for (int nr = 1; nr <= 8; ++nr) EXPECT_TRUE(Sauberer_Text(Sprachoption_Text(nr)));
}

// ---------------------------------------------------------------- language switch

TEST(Sprachwahl, NummerZuTabellenUndHinweis) {
    const std::map<int, Sprache> soll = {
        {1, Sprache::Deutsch},       {2, Sprache::Englisch},      {3, Sprache::Deutsch},
        {4, Sprache::Deutsch},       {5, Sprache::Deutsch},       {6, Sprache::Portugiesisch},
        {7, Sprache::Polnisch},      {8, Sprache::Tschechisch},   {0, Sprache::Deutsch},
        {9, Sprache::Deutsch},       {-1, Sprache::Deutsch},      {32767, Sprache::Deutsch}};
    for (const auto& [nr, s] : soll) EXPECT_EQ(Sprache_Fuer_Nummer(nr), s) << nr;
    for (int nr : {0, 1, 2, 6, 7, 8, 9, -3}) EXPECT_EQ(Sprachhinweis_Fuer_Nummer(nr), 0) << nr;
    EXPECT_EQ(Sprachhinweis_Fuer_Nummer(3), 63);
    EXPECT_EQ(Sprachhinweis_Fuer_Nummer(4), 64);
    EXPECT_EQ(Sprachhinweis_Fuer_Nummer(5), 65);
    EXPECT_EQ(Sprachoption_Text(3), "Français");
    EXPECT_EQ(Sprachoption_Text(7), "Jezyk Polski");
    EXPECT_EQ(Sprachoption_Text(0), "");
    EXPECT_EQ(Sprachoption_Text(9), "");
}

TEST(Sprachwahl, HinweisErstNachDemErstenUmschaltenUndNichtBeimOK) {
    Texte texte;
    EXPECT_EQ(texte.aktuell, Sprache::Deutsch);
    // start-up: the stored language 3 is loaded silently
    EXPECT_EQ(texte.Sprache_Umschalten(3), 0);
    EXPECT_EQ(texte.aktuell, Sprache::Deutsch);
    // reopening the dialog selects 3 again: now the hint shows
    EXPECT_EQ(texte.Sprache_Umschalten(3), 63);
    EXPECT_EQ(texte.meldung(63),
              "Message No.63 :  Parle vouz franzes? Je ne farle..äh....Please select an easier language !");
    // OK suppresses the hint for its own switch
    texte.Sprachhinweis_Aktiv = false;
    EXPECT_EQ(texte.Sprache_Umschalten(3), 0);
    EXPECT_EQ(texte.Sprache_Umschalten(5), 65);
    EXPECT_EQ(texte.Sprache_Umschalten(2), 0);
    EXPECT_EQ(texte.aktuell, Sprache::Englisch);
    EXPECT_EQ(texte.meldung(41), "Message No.41 :  Sequence in undefined step. Please restart !!!");
    EXPECT_EQ(texte.schalter().Text_Heizung_Ein, "HEATING ON");
    EXPECT_EQ(*texte.beschriftung("Grundbild", "Command7"), "EXIT");
    // back to German restores the German captions
    EXPECT_EQ(texte.Sprache_Umschalten(1), 0);
    EXPECT_EQ(*texte.beschriftung("Grundbild", "Command7"), "BEENDEN");
    EXPECT_EQ(texte.beschriftungen().size(), 223u);
    EXPECT_EQ(texte.Sprache_Umschalten(8), 0);
    EXPECT_EQ(texte.meldung(51), "Zpráva č.51 : Volání sládka: ");
}

TEST(Dateitexte, InJederSpracheMitIhrenPlatzhaltern) {
    for (Sprache s : alle_sprachen) {
        const Dateitexte& t = Dateitexte_Fuer(s);
        for (const std::string* text :
             {&t.Name_Ungueltig, &t.Link_Verweigert, &t.Zweites_Programm, &t.Ordner_Nicht_Anlegbar}) {
            EXPECT_TRUE(Dekodiere(*text).has_value()) << Name(s);
            EXPECT_NE(text->find("%1"), std::string::npos) << Name(s) << ": " << *text;
        }
        EXPECT_NE(t.Zweites_Programm.find("%2"), std::string::npos) << Name(s);
        EXPECT_NE(t.Ordner_Nicht_Anlegbar.find("%2"), std::string::npos) << Name(s);
        // The way out the brewer has: the option is named as it is typed.
        EXPECT_NE(t.Ordner_Nicht_Anlegbar.find("--ordner"), std::string::npos) << Name(s);
    }
    // Each language has its own wording, none is left in another's.
    std::set<std::string> name, link, zweit, ordner;
    for (Sprache s : alle_sprachen) {
        name.insert(Dateitexte_Fuer(s).Name_Ungueltig);
        link.insert(Dateitexte_Fuer(s).Link_Verweigert);
        zweit.insert(Dateitexte_Fuer(s).Zweites_Programm);
        ordner.insert(Dateitexte_Fuer(s).Ordner_Nicht_Anlegbar);
    }
    EXPECT_EQ(name.size(), alle_sprachen.size());
    EXPECT_EQ(link.size(), alle_sprachen.size());
    EXPECT_EQ(zweit.size(), alle_sprachen.size());
    EXPECT_EQ(ordner.size(), alle_sprachen.size());
}

// Before any configuration is read, the system's locale picks the tables.
TEST(Sprachwahl, SprachcodeDesSystems) {
    EXPECT_EQ(Sprache_Fuer_Sprachcode("de_DE.UTF-8"), Sprache::Deutsch);
    EXPECT_EQ(Sprache_Fuer_Sprachcode("en_GB"), Sprache::Englisch);
    EXPECT_EQ(Sprache_Fuer_Sprachcode("en"), Sprache::Englisch);
    EXPECT_EQ(Sprache_Fuer_Sprachcode("pt_BR"), Sprache::Portugiesisch);
    EXPECT_EQ(Sprache_Fuer_Sprachcode("cs_CZ"), Sprache::Tschechisch);
    EXPECT_EQ(Sprache_Fuer_Sprachcode("pl-PL"), Sprache::Polnisch);
    // No tables, no locale, or a three-letter code that only starts alike: German.
    for (const char* c : {"fr_FR", "C", "", "POSIX", "enx", "c"})
        EXPECT_EQ(Sprache_Fuer_Sprachcode(c), Sprache::Deutsch) << c;
}

}  // namespace

// The program's texts beyond the table: every one set in every language, the
// tooltips name the keys, and the fault message takes what went wrong.
TEST(Zusatztexte, JedeSpracheHatJedenText) {
    for (Sprache s : {Sprache::Deutsch, Sprache::Englisch, Sprache::Portugiesisch, Sprache::Tschechisch,
                      Sprache::Polnisch}) {
        const Zusatztexte& z = Zusatztexte_Fuer(s);
        for (const std::string* t : {&z.Temperaturkurve, &z.Tipp_QUITTIEREN, &z.Tipp_STOP_BRAUEN, &z.Alarm_Off,
                                     &z.Alarm_USB_Text, &z.Auswahl, &z.CALC, &z.Tipp_Meilhaus, &z.Tipp_LOG,
                                     &z.Tipp_Zurueck, &z.Name_LOG, &z.Name_Zurueck, &z.Name_Stammwuerze, &z.Name_Kochzeit, &z.Name_Ausnutzung, &z.Phase, &z.Lampe_Ein,
                                     &z.Lampe_Aus, &z.Stoerung})
            EXPECT_FALSE(t->empty()) << static_cast<int>(s);
        EXPECT_NE(z.Tipp_QUITTIEREN.find("F2"), std::string::npos);
        EXPECT_NE(z.Tipp_STOP_BRAUEN.find("F12"), std::string::npos);
        EXPECT_NE(z.Stoerung.find("%1"), std::string::npos);
        EXPECT_NE(z.Lampe_Ein, z.Lampe_Aus);
        for (const Zusatzbeschriftung& b : Zusatzbeschriftungen(s))
            EXPECT_FALSE(b.Text.empty()) << b.Bildschirm << "/" << b.Steuerelement;
        EXPECT_EQ(Zusatzbeschriftungen(s).size(), Zusatzbeschriftungen(Sprache::Deutsch).size());
    }
    EXPECT_EQ(Zusatztexte_Fuer(Sprache::Deutsch).Temperaturkurve, "TEMP.-KURVE");
    EXPECT_EQ(Zusatztexte_Fuer(Sprache::Deutsch).Lampe_Ein, "ein");
    EXPECT_EQ(Zusatztexte_Fuer(Sprache::Deutsch).Lampe_Aus, "aus");
}

}  // namespace kw
