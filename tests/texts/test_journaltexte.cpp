// The journal's texts: every language fills every text, and the dialog
// sentences carry the placeholders the screens fill in.

#include <gtest/gtest.h>

#include "texts/Journaltexte.h"

namespace kw {
namespace {

TEST(Journaltexte, EveryLanguageFillsEveryTextWithItsPlaceholders)
{
    const Journaltexte& de = Journaltexte_Fuer(Sprache::Deutsch);
    EXPECT_EQ(de.BRAUBERICHT, "BRAUBERICHT");
    EXPECT_EQ(de.Fortsetzen, "Fortsetzen");
    EXPECT_EQ(de.Verwerfen, "Verwerfen");
    for (Sprache s : {Sprache::Deutsch, Sprache::Englisch, Sprache::Portugiesisch, Sprache::Tschechisch,
                      Sprache::Polnisch}) {
        const Journaltexte& t = Journaltexte_Fuer(s);
        for (const std::string* x :
             {&t.Fenstertitel, &t.Angebot_Halten, &t.Angebot_Neu, &t.Angebot_Vor, &t.Erklaerung, &t.Fortsetzen,
              &t.Verwerfen, &t.Art_Aufheizen, &t.Art_Halten, &t.Art_Kuehlen, &t.Verwerfen_Fehler,
              &t.Journal_Fehler, &t.BRAUBERICHT, &t.Bericht_Titel, &t.Bier, &t.Datum, &t.Ende_Des_Laufs,
              &t.Brau_Daten, &t.Phasen, &t.Nr, &t.Titel, &t.Art, &t.Soll, &t.Geplant, &t.Start, &t.Ende,
              &t.Minuten, &t.Tiefste, &t.Hoechste, &t.Rufe, &t.Zeit, &t.Ruftext, &t.Stumm_Nach,
              &t.Quittiert_Nach, &t.Eingriffe, &t.Verlauf, &t.Ist, &t.Soll_Akt, &t.Soll_Ende, &t.Achse_Zeit,
              &t.Achse_Temperatur, &t.Nicht_Beendet, &t.Kein_Journal, &t.Bericht_Fehler, &t.Journal_Waehlen,
              &t.SUDJOURNAL})
            EXPECT_FALSE(x->empty()) << static_cast<int>(s);
        for (const char* p : {"%1", "%2", "%3", "%4", "%5", "%6", "%7", "%8", "%9"})
            EXPECT_NE(t.Angebot_Halten.find(p), std::string::npos) << p << " " << t.Angebot_Halten;
        for (const char* p : {"%1", "%2", "%3", "%4", "%5", "%6", "%7"})
            EXPECT_NE(t.Angebot_Neu.find(p), std::string::npos) << p << " " << t.Angebot_Neu;
        EXPECT_NE(t.Angebot_Vor.find("%9"), std::string::npos) << t.Angebot_Vor;
        EXPECT_NE(t.Verwerfen_Fehler.find("%1"), std::string::npos);
        EXPECT_NE(t.Journal_Fehler.find("%1"), std::string::npos);
        EXPECT_NE(t.Bericht_Fehler.find("%1"), std::string::npos);
        if (s != Sprache::Deutsch) {
            EXPECT_NE(t.Angebot_Halten, de.Angebot_Halten);
        }
    }
}

} // namespace
} // namespace kw
