// The recipe import against files in the styles real exporters write, field by field.
#include "import/Importzahlen.h"
#include "import/Rezeptimport.h"
#include "texts/Importtexte.h"

#include <QByteArray>
#include <QFile>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

using namespace kw;

namespace {

std::string pfad(const char* name) { return std::string(KW_IMPORTDATEIEN) + "/" + name; }

const Importtexte& de = Importtexte_Fuer(Sprache::Deutsch);

Importvorgaben vorgaben()
{
    Importvorgaben v;
    v.dezimaltrenner = ',';
    v.ruehrimpuls = "30";
    v.ruehrpause = "60";
    return v;
}

// kind, target, minutes, call, call text, title of one phase
struct Soll {
    char art;  // 'H' holding, 'A' heating up, 'K' cooling
    const char* temperatur;
    const char* minuten;
    char ruf;  // '-' none, 'E' end, 'Z' timed
    const char* ruftext;
    const char* titel;
};

void pruefe_phasen(const Importabbildung& a, std::initializer_list<Soll> soll)
{
    ASSERT_TRUE(a.ok()) << a.fehler;
    ASSERT_EQ(a.programm.AnzPhasen, std::to_string(soll.size()));
    int n = 0;
    for (const Soll& s : soll) {
        ++n;
        const Cl_Phase& p = a.programm.Phase(n);
        SCOPED_TRACE("phase " + std::to_string(n));
        EXPECT_EQ(p.Heizphase(), Flagtext(s.art == 'H'));
        EXPECT_EQ(p.Aufheizphase(), Flagtext(s.art == 'A'));
        EXPECT_EQ(p.Kuehlphase(), Flagtext(s.art == 'K'));
        EXPECT_EQ(p.Temperatur(), s.temperatur);
        EXPECT_EQ(p.Heizzeit(), s.minuten);
        EXPECT_EQ(p.Kein_Ruf(), Flagtext(s.ruf == '-'));
        EXPECT_EQ(p.Ruf_Ende_Phase(), Flagtext(s.ruf == 'E'));
        EXPECT_EQ(p.Ruf_nach_Rufzeit(), Flagtext(s.ruf == 'Z'));
        EXPECT_EQ(p.Rufzeit(), s.ruf == 'Z' ? "0" : "");
        EXPECT_EQ(p.Ruftext(), s.ruftext);
        EXPECT_EQ(a.programm.Titel(n), s.titel);
        EXPECT_EQ(p.Ruehrimpuls(), "30");
        EXPECT_EQ(p.Ruehrpause(), "60");
        Cl_Phase q = p;
        Startpruefung_Normalisieren(q);
        EXPECT_TRUE(Phase_Vollstaendig(q));
    }
    for (int k = n + 1; k <= Max_Phasen; ++k) {
        EXPECT_EQ(a.programm.Phase(k), Cl_Phase{});
        EXPECT_EQ(a.programm.Titel(k), "");
    }
}

bool hat(const std::vector<std::string>& w, const std::string& text)
{
    for (const auto& x : w)
        if (x == text)
            return true;
    return false;
}

std::string alle(const std::vector<std::string>& w)
{
    std::string r;
    for (const auto& x : w)
        r += x + "\n";
    return r;
}

Importabbildung abbilden(const char* datei, std::size_t rezept = 0, Importvorgaben v = vorgaben())
{
    const Importdatei d = Importdatei_Lesen(pfad(datei), v.sprache);
    EXPECT_TRUE(d.ok()) << d.fehler;
    if (!d.ok() || d.rezepte.size() <= rezept)
        return {};
    return Rezept_Abbilden(d, d.rezepte[rezept], v);
}

} // namespace

TEST(Import, MehrereRezepteInEinerBeerXmlDatei)
{
    const Importdatei d = Importdatei_Lesen(pfad("mehrere_rezepte.xml"), Sprache::Deutsch);
    ASSERT_TRUE(d.ok()) << d.fehler;
    EXPECT_EQ(d.format, Importdatei::Format::BeerXML);
    ASSERT_EQ(d.rezepte.size(), 2u);
    EXPECT_EQ(d.rezepte[0].name, "Festbier");  // not the style's NAME nor the equipment's
    EXPECT_EQ(d.rezepte[1].name, "Weizen");

    const Importabbildung a = Rezept_Abbilden(d, d.rezepte[0], vorgaben());
    pruefe_phasen(a, {
        {'A', "74", "", 'E', "Einmaischen", "Einmaischen"},
        {'H', "63", "35", '-', "", "Maltoserast"},
        {'A', "72", "", '-', "", "Aufheizen auf 72 °C"},
        {'H', "72", "25", '-', "", "Verzuckerungsrast"},
        {'A', "78", "", '-', "", "Aufheizen auf 78 °C"},
        {'H', "78", "10", 'E', "Maischen beendet", "Mash Out"},
    });
    EXPECT_EQ(a.programm.Biersorte, "Festbier");
    EXPECT_FALSE(a.nur_maische);
    const BrauDaten& b = a.daten;
    EXPECT_EQ(b.Sudgroesse, "20,8");  // BATCH_SIZE, not the equipment's nor DISPLAY_
    EXPECT_EQ(b.Hauptguss, "15");
    EXPECT_EQ(b.Nachguss, "");
    EXPECT_EQ(b.Stammwuerze, "13,8");
    EXPECT_EQ(b.Bittere, "24,3");
    EXPECT_EQ(b.Malzsorte1, "Pilsner Malz");
    EXPECT_EQ(b.Malzmenge1, "4,5");
    EXPECT_EQ(b.Malzsorte2, "Muenchner Malz");
    EXPECT_EQ(b.Malzmenge2, "1,2");
    EXPECT_EQ(b.Malzsorte3, "Cara Hell");
    EXPECT_EQ(b.Malzmenge3, "0,3");
    EXPECT_EQ(b.Malzsorte4, "Zucker");
    EXPECT_EQ(b.Malzmenge4, "0,25");
    EXPECT_EQ(b.Bitterhopfen, "Hallertauer Magnum");
    EXPECT_EQ(b.Bitterhopfenalpha, "12,5");
    EXPECT_EQ(b.Bitterhopfzeit, "60");
    EXPECT_EQ(b.Bitterhopfenmenge, "20");
    EXPECT_EQ(b.Aromahopfen, "Tettnanger");
    EXPECT_EQ(b.Aromahopfenalpha, "4,5");
    EXPECT_EQ(b.Aromahopfzeit, "10");
    EXPECT_EQ(b.Aromahopfenmenge, "30");
    EXPECT_EQ(b.SudNotizen, "Helles Festbier. Kalt vergaeren.");

    const auto& w = a.warnungen;
    EXPECT_TRUE(hat(w, "Einmaischtemperatur: 74,1 °C auf 74 °C gerundet.")) << alle(w);
    EXPECT_TRUE(hat(w, de.W_Rampen)) << alle(w);
    EXPECT_TRUE(hat(w, "5 Zutaten, das Brau-Protokoll fasst vier: übernommen die vier schwersten, "
                       "weggelassen: Melanoidinmalz (0,1 kg).")) << alle(w);
    EXPECT_TRUE(hat(w, "Nicht im Brau-Protokoll (dort nur die Kochgaben mit der längsten und der kürzesten Zeit): "
                       "Hallertauer Mittelfrueh (Boil, 30 min, 15 g), Cascade (Dry Hop, 7200 min, 40 g).")) << alle(w);
    EXPECT_EQ(w.size(), 4u) << alle(w);

    // the second recipe: a title too long, no strike temperature
    const Importabbildung z = Rezept_Abbilden(d, d.rezepte[1], vorgaben());
    pruefe_phasen(z, {
        {'A', "67", "", 'E', "Einmaischen", "Einmaischen"},
        {'H', "67", "60", 'E', "Maischen beendet", "Einmaisch- und Verzu"},
    });
    EXPECT_TRUE(hat(z.warnungen, "Phase 2: Titel „Einmaisch- und Verzuckerungsrast“ auf 20 Zeichen gekürzt "
                                 "(„Einmaisch- und Verzu“).")) << alle(z.warnungen);
    EXPECT_TRUE(hat(z.warnungen, "Keine Einmaischtemperatur angegeben: Phase 1 heizt auf die Temperatur des "
                                 "ersten Schritts (67 °C).")) << alle(z.warnungen);
    EXPECT_EQ(z.daten.Stammwuerze, "12,4");
    EXPECT_EQ(z.daten.Hauptguss, "17,5");
    EXPECT_EQ(z.daten.Malzsorte1, "Weizenmalz");  // four or fewer: in the file's order
    EXPECT_EQ(z.daten.Malzsorte2, "Pilsner Malz");
    EXPECT_EQ(z.daten.Bitterhopfen, "");
}

TEST(Import, NurMaischprofileUebernehmenNurDasMaischprogramm)
{
    const Importdatei d = Importdatei_Lesen(pfad("maischprofile.xml"), Sprache::Deutsch);
    ASSERT_TRUE(d.ok()) << d.fehler;
    ASSERT_EQ(d.rezepte.size(), 2u);
    EXPECT_TRUE(d.rezepte[0].nur_maische);
    const Importabbildung a = Rezept_Abbilden(d, d.rezepte[0], vorgaben());
    pruefe_phasen(a, {
        {'A', "74", "", 'E', "Einmaischen", "Einmaischen"},
        {'H', "67", "60", '-', "", "Mash In"},
        {'A', "76", "", '-', "", "Aufheizen auf 76 °C"},
        {'H', "76", "10", 'E', "Maischen beendet", "Mash Out"},
    });
    EXPECT_TRUE(a.nur_maische);
    EXPECT_EQ(a.programm.Biersorte, "Single Infusion, Medium Body");
    EXPECT_EQ(a.daten, BrauDaten{});
    EXPECT_TRUE(hat(a.warnungen, de.W_Nur_Maische));
    EXPECT_TRUE(hat(a.warnungen, "Einmaischtemperatur: 73,5 °C auf 74 °C gerundet.")) << alle(a.warnungen);
    EXPECT_TRUE(hat(a.warnungen, "Schritt 2 „Mash Out“: 75,6 °C auf 76 °C gerundet.")) << alle(a.warnungen);

    const Importabbildung b = Rezept_Abbilden(d, d.rezepte[1], vorgaben());
    pruefe_phasen(b, {
        {'A', "50", "", 'E', "Einmaischen", "Einmaischen"},
        {'H', "50", "30", '-', "", "Protein Rest"},
        {'A', "66", "", '-', "", "Aufheizen auf 66 °C"},
        {'H', "66", "45", 'E', "Maischen beendet", "Saccharification"},
    });
}

TEST(Import, BeerJsonInFahrenheitGallonenUndSekunden)
{
    const Importdatei d = Importdatei_Lesen(pfad("fahrenheit.json"), Sprache::Deutsch);
    ASSERT_TRUE(d.ok()) << d.fehler;
    EXPECT_EQ(d.format, Importdatei::Format::BeerJSON);
    EXPECT_TRUE(d.warnungen.empty()) << alle(d.warnungen);
    const Importabbildung a = Rezept_Abbilden(d, d.rezepte.at(0), vorgaben());
    pruefe_phasen(a, {
        {'A', "74", "", 'E', "Einmaischen", "Einmaischen"},
        {'H', "67", "60", '-', "", "Mash In"},
        {'A', "76", "", '-', "", "Aufheizen auf 76 °C"},
        {'H', "76", "10", 'E', "Maischen beendet", "Mash Out"},
    });
    const BrauDaten& b = a.daten;
    EXPECT_EQ(b.Sudgroesse, "20,8");
    EXPECT_EQ(b.Hauptguss, "15,1");
    EXPECT_EQ(b.Nachguss, "15,1");
    EXPECT_EQ(b.Stammwuerze, "12,9");
    EXPECT_EQ(b.Bittere, "38,2");
    EXPECT_EQ(b.Malzsorte1, "Pale 2-Row");
    EXPECT_EQ(b.Malzmenge1, "4,536");
    EXPECT_EQ(b.Malzmenge2, "0,227");
    EXPECT_EQ(b.Bitterhopfen, "Centennial");
    EXPECT_EQ(b.Bitterhopfenalpha, "10");
    EXPECT_EQ(b.Bitterhopfzeit, "60");
    EXPECT_EQ(b.Bitterhopfenmenge, "28,3");
    EXPECT_EQ(b.Aromahopfen, "Cascade");
    EXPECT_EQ(b.Aromahopfzeit, "15");
    EXPECT_EQ(b.Aromahopfenmenge, "28");
    EXPECT_EQ(b.SudNotizen, "American pale ale");
    const auto& w = a.warnungen;
    EXPECT_TRUE(hat(w, "Einmaischtemperatur: 73,9 °C auf 74 °C gerundet.")) << alle(w);
    EXPECT_TRUE(hat(w, "Schritt 1 „Mash In“: 66,7 °C auf 67 °C gerundet.")) << alle(w);
    EXPECT_TRUE(hat(w, "Schritt 2 „Mash Out“: 75,6 °C auf 76 °C gerundet.")) << alle(w);
    EXPECT_TRUE(hat(w, "Schritt 3 „Sparge“ (sparge) ist kein Maischschritt und wurde weggelassen; "
                       "15,1 l Nachguss ins Brau-Protokoll.")) << alle(w);
    EXPECT_TRUE(hat(w, "Schritt 4 „Drain“ (drain mash tun) ist kein Maischschritt und wurde weggelassen.")) << alle(w);
    EXPECT_TRUE(hat(w, de.W_Rampen));
    EXPECT_TRUE(hat(w, "Nicht im Brau-Protokoll (dort nur die Kochgaben mit der längsten und der kürzesten Zeit): "
                       "Cascade (add_to_fermentation, 7200 min, 56,7 g).")) << alle(w);
}

TEST(Import, DekoktionRuftZumZiehenUndHeiztNichtVor)
{
    const Importabbildung a = abbilden("dekoktion.xml");
    pruefe_phasen(a, {
        {'A', "38", "", 'E', "Einmaischen", "Einmaischen"},
        {'H', "35", "15", '-', "", "Einmaischen"},
        {'H', "52", "20", 'Z', "Dekoktion ziehen (6 l), kochen und zurückgeben", "Eiweissrast"},
        {'H', "66", "40", 'Z', "Dekoktion ziehen, kochen und zurückgeben", "Verzuckerung"},
        {'A', "77", "", '-', "", "Aufheizen auf 77 °C"},
        {'H', "77", "10", 'E', "Maischen beendet", "Abmaischen"},
    });
    EXPECT_TRUE(hat(a.warnungen, "Schritt 2 „Eiweissrast“ ist eine Dekoktion, die der Kessel nicht selbst ausführen "
                                 "kann: Phase 3 ruft zu Beginn, die Dekoktion zu ziehen (6 l), und hält dann 52 °C "
                                 "für 20 min.")) << alle(a.warnungen);
    EXPECT_TRUE(hat(a.warnungen, "Schritt 3 „Verzuckerung“ ist eine Dekoktion, die der Kessel nicht selbst ausführen "
                                 "kann: Phase 4 ruft zu Beginn, die Dekoktion zu ziehen, und hält dann 66 °C für 40 min."));
    EXPECT_EQ(a.daten.Hauptguss, "18");  // decoctions are not mash water
}

TEST(Import, AbmaischenKuehlphaseEndtemperaturUndUnbekannteVersion)
{
    const Importabbildung a = abbilden("abmaischen.json");
    pruefe_phasen(a, {
        {'A', "68", "", 'E', "Einmaischen", "Einmaischen"},
        {'H', "62", "30", '-', "", "Einmaischen"},
        {'A', "72", "", '-', "", "Aufheizen auf 72 °C"},
        {'H', "72", "20", '-', "", "Verzuckerung"},
        {'K', "70", "", '-', "", "Abkühlen auf 70 °C"},
        {'H', "70", "10", '-', "", "Nachrast"},
        {'A', "78", "", '-', "", "Aufheizen auf 78 °C"},
        {'H', "78", "10", 'E', "Maischen beendet", "Abmaischen"},
    });
    const auto& w = a.warnungen;
    EXPECT_TRUE(hat(w, "BeerJSON-Version 2 ist unbekannt; gelesen wie Version 1.0.")) << alle(w);
    EXPECT_TRUE(hat(w, "Schritt 3 „Nachrast“ liegt mit 70 °C unter der vorigen Temperatur (72 °C): Phase 5 wartet, "
                       "bis die Maische so weit abgekühlt ist (der Kessel kühlt nicht selbst).")) << alle(w);
    EXPECT_TRUE(hat(w, "Schritt 4 „Abmaischen“: Endtemperatur 76 °C nicht übernommen; der Kessel hält 78 °C.")) << alle(w);
    EXPECT_EQ(a.daten.Stammwuerze, "12,5");
    EXPECT_EQ(a.daten.Sudgroesse, "50");
    EXPECT_EQ(a.daten.Hauptguss, "32");
    EXPECT_EQ(a.daten.Malzmenge2, "4,5");
    EXPECT_EQ(a.daten.Bitterhopfen, "Perle");
    EXPECT_EQ(a.daten.Bitterhopfzeit, "70");
    EXPECT_EQ(a.daten.Aromahopfen, "");  // a single boil addition is the bittering hop only
}

TEST(Import, MehrAlsZwanzigPhasenWerdenAbgelehnt)
{
    const Importabbildung a = abbilden("zwanzig_schritte.xml");
    EXPECT_EQ(a.fehler, "Das Maischprogramm bräuchte 22 Phasen für 21 Maischschritte; es sind höchstens 20 Phasen möglich.");
    EXPECT_EQ(a.programm, Maischprogramm{});
}

TEST(Import, Latin1MitUmlautenUndEuro)
{
    const Importabbildung a = abbilden("latin1.xml");
    pruefe_phasen(a, {
        {'A', "60", "", 'E', "Einmaischen", "Einmaischen"},
        {'H', "55", "15", '-', "", "Eiweißrast"},
        {'A', "68", "", '-', "", "Aufheizen auf 68 °C"},
        {'H', "68", "45", 'E', "Maischen beendet", "Süße Rast"},
    });
    EXPECT_EQ(a.programm.Biersorte, "Märzen für Öko-Brauer");
    EXPECT_EQ(a.daten.SudNotizen, "Grüße aus Bayern, Kosten 12 €");
    EXPECT_EQ(a.daten.Sudgroesse, "40");
    EXPECT_EQ(a.daten.Hauptguss, "30");
}

TEST(Import, DezimalkommaKleinschreibungUndHtmlEntities)
{
    Importvorgaben v = vorgaben();
    v.dezimaltrenner = '.';
    const Importabbildung a = abbilden("dezimalkomma.xml", 0, v);
    pruefe_phasen(a, {
        {'A', "73", "", 'E', "Einmaischen", "Einmaischen"},
        {'H', "67", "60", '-', "", "Rast"},
        {'A', "76", "", '-', "", "Aufheizen auf 76 °C"},
        {'H', "76", "2", 'E', "Maischen beendet", "Abmaischen"},
    });
    EXPECT_EQ(a.programm.Biersorte, "Märzen & Co\u00A02 ä &foo;");
    EXPECT_EQ(a.daten.Sudgroesse, "19.5");
    EXPECT_EQ(a.daten.Stammwuerze, "11.9");
    EXPECT_EQ(a.daten.Bitterhopfen, "Hopfen\u00A0Mix");
    EXPECT_EQ(a.daten.Bitterhopfenalpha, "4.8");
    EXPECT_EQ(a.daten.Bitterhopfenmenge, "25");
    EXPECT_EQ(a.daten.Bitterhopfzeit, "75");
    EXPECT_EQ(a.daten.Malzmenge1, "4.25");
    EXPECT_EQ(a.daten.Malzsorte2, "Cara");
    EXPECT_EQ(a.daten.Malzmenge2, "");  // no amount given
    EXPECT_EQ(a.daten.Bittere, "");
    const auto& w = a.warnungen;
    EXPECT_TRUE(hat(w, "Einmaischtemperatur: 72.5 °C auf 73 °C gerundet.")) << alle(w);
    EXPECT_TRUE(hat(w, "Schritt 1 „Rast“: 66.5 °C auf 67 °C gerundet.")) << alle(w);
    EXPECT_TRUE(hat(w, "Schritt 2 „Abmaischen“: 1.5 min auf 2 min gerundet.")) << alle(w);
}

TEST(Import, BeschaedigteDateienGebenEineMeldung)
{
    const Importdatei ab = Importdatei_Lesen(pfad("abgeschnitten.xml"), Sprache::Deutsch);
    EXPECT_FALSE(ab.ok());
    EXPECT_TRUE(ab.rezepte.empty());
    EXPECT_EQ(ab.fehler.rfind("Die Datei ist kein gültiges BeerXML: Fehler in Zeile ", 0), 0u) << ab.fehler;

    const auto start = std::chrono::steady_clock::now();
    const Importdatei bombe = Importdatei_Lesen(pfad("entity_bombe.xml"), Sprache::Deutsch);
    EXPECT_EQ(bombe.fehler, de.F_Entities);
    EXPECT_TRUE(bombe.rezepte.empty());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));

    // 50 MB of garbage: refused by its size before a byte is read
    const std::string gross = (std::filesystem::temp_directory_path() / "kw_import_gross.xml").string();
    {
        std::ofstream f(gross, std::ios::binary);
        f.seekp(50 * 1024 * 1024 - 1);
        f.put('x');
    }
    EXPECT_EQ(Importdatei_Lesen(gross, Sprache::Deutsch).fehler,
              "Die Datei " + gross + " ist mit 50 MB zu groß für ein Rezept (höchstens 4 MB).");
    std::filesystem::remove(gross);

    EXPECT_EQ(Importdatei_Lesen("/kein/ordner/x.xml", Sprache::Englisch).fehler.rfind("The file /kein/ordner/x.xml cannot be read (", 0), 0u);
    EXPECT_EQ(Importbytes_Lesen("Name;Menge\nPils;4\n", Sprache::Deutsch).fehler, de.F_Kein_Format);
    EXPECT_EQ(Importbytes_Lesen("<HOPS><HOP><NAME>x</NAME></HOP></HOPS>", Sprache::Deutsch).fehler, de.F_Kein_Rezept);
    EXPECT_EQ(Importbytes_Lesen("{\"beerjson\":{\"version\":1.0,\"recipes\":[{\"name\":\"x\"", Sprache::Deutsch)
                  .fehler.rfind("Die Datei ist kein gültiges BeerJSON: Fehler bei Zeichen", 0), 0u);
    // a file that says UTF-8 but is Windows-1252
    const Importdatei umgedeutet = Importbytes_Lesen(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><MASH><NAME>Fr\xfch</NAME><MASH_STEPS/></MASH>", Sprache::Deutsch);
    ASSERT_TRUE(umgedeutet.ok()) << umgedeutet.fehler;
    EXPECT_EQ(umgedeutet.rezepte.at(0).name, "Früh");
    EXPECT_EQ(umgedeutet.warnungen, std::vector<std::string>{de.W_Kodierung});
}

TEST(Import, UnbrauchbareSchritteWerdenMitNamenAbgelehnt)
{
    const auto rezept = [](const std::string& schritt) {
        return QByteArray::fromStdString("<RECIPE><NAME>R</NAME><MASH><MASH_STEPS>"
                                         "<MASH_STEP><NAME>Gut</NAME><STEP_TEMP>60</STEP_TEMP><STEP_TIME>5</STEP_TIME></MASH_STEP>"
                                         + schritt + "</MASH_STEPS></MASH></RECIPE>");
    };
    const auto fehler = [&](const std::string& schritt) {
        const Importdatei d = Importbytes_Lesen(rezept(schritt), Sprache::Deutsch);
        EXPECT_TRUE(d.ok()) << d.fehler;
        return d.ok() ? Rezept_Abbilden(d, d.rezepte.at(0), vorgaben()).fehler : d.fehler;
    };
    EXPECT_EQ(fehler("<MASH_STEP><NAME>Ohne</NAME><STEP_TIME>5</STEP_TIME></MASH_STEP>"),
              "Schritt 2 „Ohne“ hat keine brauchbare Temperatur: sie fehlt.");
    EXPECT_EQ(fehler("<MASH_STEP><NAME>Heiss</NAME><STEP_TEMP>150</STEP_TEMP><STEP_TIME>5</STEP_TIME></MASH_STEP>"),
              "Schritt 2 „Heiss“ hat keine brauchbare Temperatur: 150 °C liegt nicht zwischen 0 und 110 °C.");
    EXPECT_EQ(fehler("<MASH_STEP><NAME>Text</NAME><STEP_TEMP>warm</STEP_TEMP><STEP_TIME>5</STEP_TIME></MASH_STEP>"),
              "Schritt 2 „Text“ hat keine brauchbare Temperatur: „warm“ ist keine Zahl.");
    EXPECT_EQ(fehler("<MASH_STEP><NAME>Lang</NAME><STEP_TEMP>40</STEP_TEMP><STEP_TIME>2880</STEP_TIME></MASH_STEP>"),
              "Schritt 2 „Lang“ hat keine brauchbare Zeit: 2880 min liegt nicht zwischen 0 und 999 min.");
    EXPECT_EQ(fehler("<MASH_STEP><NAME>Kurz</NAME><STEP_TEMP>40</STEP_TEMP></MASH_STEP>"),
              "Schritt 2 „Kurz“ hat keine brauchbare Zeit: sie fehlt.");
    EXPECT_EQ(fehler(""), "");
    const Importdatei json = Importbytes_Lesen(
        R"({"beerjson":{"version":1,"mashes":[{"name":"M","mash_steps":[{"name":"Rast","type":"temperature",)"
        R"("step_temperature":{"unit":"R","value":600},"step_time":{"unit":"min","value":5}}]}]}})",
        Sprache::Englisch);
    ASSERT_TRUE(json.ok()) << json.fehler;
    Importvorgaben en = vorgaben();
    en.sprache = Sprache::Englisch;
    EXPECT_EQ(Rezept_Abbilden(json, json.rezepte.at(0), en).fehler,
              "Step 1 \"Rast\" has no usable temperature: the unit \"R\" is unknown.");
    const Importdatei extrakt = Importbytes_Lesen("<RECIPE><NAME>Extrakt</NAME></RECIPE>", Sprache::Deutsch);
    EXPECT_EQ(Rezept_Abbilden(extrakt, extrakt.rezepte.at(0), vorgaben()).fehler,
              "Das Rezept „Extrakt“ enthält keine Maischschritte.");
}

TEST(Import, ZehnSteigendeRastenPassenElfNicht)
{
    const auto mit = [](int n) {
        std::string s = "<RECIPE><NAME>R</NAME><MASH><MASH_STEPS>";
        for (int i = 0; i < n; ++i)
            s += "<MASH_STEP><NAME>S</NAME><STEP_TEMP>" + std::to_string(40 + 3 * i) + "</STEP_TEMP><STEP_TIME>5</STEP_TIME></MASH_STEP>";
        s += "</MASH_STEPS></MASH></RECIPE>";
        const Importdatei d = Importbytes_Lesen(QByteArray::fromStdString(s), Sprache::Deutsch);
        return Rezept_Abbilden(d, d.rezepte.at(0), vorgaben());
    };
    EXPECT_EQ(mit(10).programm.AnzPhasen, "20");
    EXPECT_EQ(mit(11).fehler, "Das Maischprogramm bräuchte 22 Phasen für 11 Maischschritte; es sind höchstens 20 Phasen möglich.");
}

TEST(Import, NamenTaugenAlsDateinamen)
{
    const Importdatei d = Importbytes_Lesen(
        "<RECIPES><RECIPE><NAME>IPA 1/2</NAME><NOTES>" + QByteArray(300, 'n') + "</NOTES><MASH><MASH_STEPS>"
        "<MASH_STEP><NAME>S</NAME><STEP_TEMP>66</STEP_TEMP><STEP_TIME>60</STEP_TIME></MASH_STEP></MASH_STEPS></MASH></RECIPE>"
        "<RECIPE><MASH><MASH_STEPS><MASH_STEP><NAME>S</NAME><STEP_TEMP>66</STEP_TEMP><STEP_TIME>60</STEP_TIME></MASH_STEP>"
        "</MASH_STEPS></MASH></RECIPE></RECIPES>", Sprache::Deutsch);
    ASSERT_EQ(d.rezepte.size(), 2u);
    const Importabbildung a = Rezept_Abbilden(d, d.rezepte[0], vorgaben());
    EXPECT_EQ(a.programm.Biersorte, "IPA 1-2");
    EXPECT_TRUE(hat(a.warnungen, "Der Name „IPA 1/2“ taugt nicht als Dateiname; übernommen als „IPA 1-2“."));
    EXPECT_EQ(a.daten.SudNotizen, std::string(254, 'n'));
    EXPECT_TRUE(hat(a.warnungen, "Notizen auf 254 Zeichen gekürzt (mehr hält die Rezeptdatei nicht)."));
    Importvorgaben v = vorgaben();
    v.ersatzname = "rezepte";
    v.ruehrimpuls.clear();
    const Importabbildung b = Rezept_Abbilden(d, d.rezepte[1], v);
    EXPECT_EQ(b.programm.Biersorte, "rezepte");
    EXPECT_TRUE(hat(b.warnungen, "Das Rezept hat keinen Namen; übernommen als „rezepte“."));
    EXPECT_TRUE(hat(b.warnungen, de.W_Kein_Ruehrwerk));
}

TEST(Importzahlen, ZahlenUndEinheiten)
{
    EXPECT_EQ(Zahl_Lesen(" 66,5 "), 66.5);
    EXPECT_EQ(Zahl_Lesen("1.234,5"), 1234.5);
    EXPECT_EQ(Zahl_Lesen("1,234.5"), 1234.5);
    EXPECT_EQ(Zahl_Lesen("-3"), -3.0);
    EXPECT_FALSE(Zahl_Lesen("6,5,5"));
    EXPECT_FALSE(Zahl_Lesen("12 F"));
    EXPECT_FALSE(Zahl_Lesen(""));
    EXPECT_FALSE(Zahl_Lesen("nan"));
    double r = 0;
    ASSERT_TRUE(Einheit_Umrechnen(Groesse::Temperatur, "F", 212, r));
    EXPECT_DOUBLE_EQ(r, 100.0);
    ASSERT_TRUE(Einheit_Umrechnen(Groesse::Temperatur, "K", 273.15, r));
    EXPECT_NEAR(r, 0.0, 1e-9);
    ASSERT_TRUE(Einheit_Umrechnen(Groesse::Volumen, "igal", 1, r));
    EXPECT_DOUBLE_EQ(r, 4.54609);
    ASSERT_TRUE(Einheit_Umrechnen(Groesse::Zeit, "week", 1, r));
    EXPECT_DOUBLE_EQ(r, 10080.0);
    ASSERT_TRUE(Einheit_Umrechnen(Groesse::Dichte, "brix", 12, r));
    EXPECT_DOUBLE_EQ(r, 12.0);
    EXPECT_FALSE(Einheit_Umrechnen(Groesse::Masse, "stone", 1, r));
    EXPECT_EQ(Zahl_Text(SG_Nach_Plato(1.048), 1, ','), "11,9");
    EXPECT_EQ(Zahl_Text(-0.04, 1, ','), "0");
    const Importwert w = Wert_Mit_Einheit("165.3 F", Groesse::Temperatur, "C");
    ASSERT_TRUE(w.ok());
    EXPECT_NEAR(w.zahl, 74.0556, 1e-3);
    EXPECT_EQ(Wert_Mit_Einheit("73,5 °C", Groesse::Temperatur, "C").zahl, 73.5);
    EXPECT_EQ(Wert_Mit_Einheit("12 R", Groesse::Temperatur, "C").einheit, "R");
}

TEST(Importtexte, JedeSpracheHatJedenText)
{
    for (Sprache s : {Sprache::Deutsch, Sprache::Englisch, Sprache::Portugiesisch, Sprache::Tschechisch, Sprache::Polnisch}) {
        const Importtexte& t = Importtexte_Fuer(s);
        const std::string* felder[] = {&t.Knopf_Import, &t.Pruefung_Titel, &t.Einmaischen, &t.Ruf_Ende,
                                       &t.F_Zu_Viele_Phasen, &t.W_Dekoktion, &t.W_Rampen, &t.Abbrechen,
                                       &t.W_Kein_Ruehrwerk, &t.W_Datei_Da, &t.Spalte_Ruftext};
        for (const std::string* f : felder)
            EXPECT_FALSE(f->empty());
        // the titles the import writes fit the editor's 20 characters
        EXPECT_LE(QString::fromStdString(Einsetzen(t.Aufheizen_Auf, {"100"})).size(), 20);
        EXPECT_LE(QString::fromStdString(Einsetzen(t.Abkuehlen_Auf, {"100"})).size(), 20);
        EXPECT_LE(QString::fromStdString(t.Einmaischen).size(), 20);
    }
    EXPECT_EQ(Einsetzen("%2 vor %1, %3", {"a", "%1"}), "%1 vor a, %3");
}
