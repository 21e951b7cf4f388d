#include "import/Importmeldungen.h"

#include "import/Importzahlen.h"

namespace kw {

namespace {

// The text of a kind; the parts of the lists are the mapping's own.
const std::string& Muster(Meldungsart a, const Importtexte& t)
{
    static const std::string zutat = "%1%2", zutat_menge = " (%1 kg)", hopfengabe = "%1 (%2%3%4)",
                             hopfen_zeit = ", %1 min", hopfen_menge = ", %1 g";
    switch (a) {
    case Meldungsart::Nur_Maische: return t.W_Nur_Maische;
    case Meldungsart::Weggelassen: return t.W_Weggelassen;
    case Meldungsart::Nachguss: return t.W_Nachguss;
    case Meldungsart::Gerundet_Temp: return t.W_Gerundet_Temp;
    case Meldungsart::Schritt: return t.W_Schritt;
    case Meldungsart::Strike: return t.W_Strike;
    case Meldungsart::Gerundet_Zeit: return t.W_Gerundet_Zeit;
    case Meldungsart::Dekoktion: return t.W_Dekoktion;
    case Meldungsart::Menge_Klammer: return t.Menge_Klammer;
    case Meldungsart::Abkuehlen: return t.W_Abkuehlen;
    case Meldungsart::Art_Unbekannt: return t.W_Art_Unbekannt;
    case Meldungsart::Infusion: return t.W_Infusion;
    case Meldungsart::Infusion_Temp: return t.W_Infusion_Temp;
    case Meldungsart::Endtemperatur: return t.W_Endtemperatur;
    case Meldungsart::Rampen: return t.W_Rampen;
    case Meldungsart::Unbrauchbar: return t.W_Unbrauchbar;
    case Meldungsart::Einmaischtemperatur: return t.W_Einmaischtemperatur;
    case Meldungsart::Titel_Gekuerzt: return t.W_Titel_Gekuerzt;
    case Meldungsart::Kein_Ruehrwerk: return t.W_Kein_Ruehrwerk;
    case Meldungsart::Name_Fehlt: return t.W_Name_Fehlt;
    case Meldungsart::Name_Datei: return t.W_Name_Datei;
    case Meldungsart::Zutaten: return t.W_Zutaten;
    case Meldungsart::Zutat: return zutat;
    case Meldungsart::Zutat_Menge: return zutat_menge;
    case Meldungsart::Hopfen: return t.W_Hopfen;
    case Meldungsart::Hopfengabe: return hopfengabe;
    case Meldungsart::Hopfen_Zeit: return hopfen_zeit;
    case Meldungsart::Hopfen_Menge: return hopfen_menge;
    case Meldungsart::Notizen: return t.W_Notizen;
    case Meldungsart::Keine_Maische: return t.F_Keine_Maische;
    case Meldungsart::Temperatur: return t.F_Temperatur;
    case Meldungsart::Zeit: return t.F_Zeit;
    case Meldungsart::Zu_Viele_Phasen: return t.F_Zu_Viele_Phasen;
    case Meldungsart::Fehlt: return t.G_Fehlt;
    case Meldungsart::Einheit: return t.G_Einheit;
    case Meldungsart::Keine_Zahl: return t.G_Keine_Zahl;
    case Meldungsart::Bereich: return t.G_Bereich;
    }
    return t.W_Rampen;
}

struct Wortlaut {
    const Importtexte& t;
    char trenner;

    std::string operator()(const std::string& s) const { return s; }
    std::string operator()(long long n) const { return std::to_string(n); }
    std::string operator()(const Dezimal& d) const { return Zahl_Text(d.wert, d.stellen, trenner); }
    std::string operator()(const std::vector<Importmeldung>& teile) const
    {
        std::string r;
        for (const Importmeldung& m : teile) {
            if (!r.empty())
                r += ", ";
            r += Meldung_Text(m, t, trenner);
        }
        return r;
    }
};

} // namespace

std::string Meldung_Text(const Importmeldung& m, const Importtexte& t, char dezimaltrenner)
{
    std::vector<std::string> werte;
    werte.reserve(m.werte.size());
    for (const Meldungswert& w : m.werte)
        werte.push_back(std::visit(Wortlaut{t, dezimaltrenner}, w));
    return Einsetzen(Muster(m.art, t), werte);
}

} // namespace kw
