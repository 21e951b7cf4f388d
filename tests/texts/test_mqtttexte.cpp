// The MQTT link's texts: every language fills every text with the placeholders the screens fill in.

#include <gtest/gtest.h>

#include "texts/Mqtttexte.h"

namespace kw {
namespace {

TEST(Mqtttexte, EveryLanguageFillsEveryTextWithItsPlaceholders)
{
    const auto felder = [](const Mqtttexte& t) {
        return std::vector<const std::string*>{
            &t.Knopf, &t.Titel, &t.Ein, &t.Verbindung, &t.Host, &t.Port, &t.Tls, &t.Ca_Datei, &t.Zertifikat,
            &t.Schluessel, &t.Waehlen, &t.Anmeldung, &t.Benutzer, &t.Passwort, &t.Themen, &t.Praefix,
            &t.Client_Id, &t.Vorgabe, &t.Befehle, &t.Befehle_Hinweis, &t.Zustand, &t.Ok, &t.Abbrechen,
            &t.Status_Aus, &t.Status_Verbinde, &t.Status_Verbunden, &t.Status_Getrennt, &t.Status_Abgewiesen,
            &t.Anzeige, &t.Fernbefehl, &t.F_Anmeldung, &t.F_Zertifikat, &t.F_Abgelehnt, &t.F_Host, &t.F_Port,
            &t.F_Praefix, &t.F_Ca, &t.F_Schluessel, &t.F_Speichern};
    };
    const Mqtttexte& de = Mqtttexte_Fuer(Sprache::Deutsch);
    const auto platzhalter = [](const std::string& s) {
        std::string r;
        for (const char* p : {"%1", "%2", "%3"})
            r += s.find(p) != std::string::npos ? p : "";
        return r;
    };
    for (Sprache s : {Sprache::Deutsch, Sprache::Englisch, Sprache::Portugiesisch, Sprache::Tschechisch,
                      Sprache::Polnisch}) {
        const Mqtttexte& t = Mqtttexte_Fuer(s);
        const auto f = felder(t), d = felder(de);
        for (std::size_t i = 0; i < f.size(); ++i) {
            EXPECT_FALSE(f[i]->empty()) << static_cast<int>(s) << " #" << i;
            EXPECT_EQ(platzhalter(*f[i]), platzhalter(*d[i])) << static_cast<int>(s) << " " << *f[i];
        }
        EXPECT_EQ(platzhalter(t.Fernbefehl), "%1%2%3");
        if (s != Sprache::Deutsch) {
            EXPECT_NE(t.F_Anmeldung, de.F_Anmeldung);
        }
    }
}

} // namespace
} // namespace kw
