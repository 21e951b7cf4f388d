#include "hardware/Zusatzeinstellungen.h"

#include "hardware/Ausgangsbyte.h"
#include "hardware/Konfiguration.h"

namespace kw {

namespace {
const char* const abAusgabe = "Ausgabe";
const char* const abGpio = "GPIO";
const char* const abEinwire = "1-Wire";
} // namespace

std::optional<std::uint32_t> Leitung_Lesen(const std::string& text, bool* gueltig)
{
    if (gueltig)
        *gueltig = true;
    if (text.find_first_not_of(" \t") == std::string::npos)
        return std::nullopt;
    const int n = Zeilenzahl_Lesen(text);
    if (n < 0 || n > 65534) {
        if (gueltig)
            *gueltig = false;
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(n);
}

Zusatzeinstellungen Zusatzeinstellungen_Lesen(const Iniwert& wert, std::vector<std::string>* fehler)
{
    Zusatzeinstellungen z;
    auto melde = [&](const std::string& abschnitt, const std::string& schluessel, const std::string& text,
                     const std::string& de, const std::string& en) {
        if (fehler)
            fehler->push_back("Kesselwerk.ini [" + abschnitt + "] " + schluessel + "=\"" + text + "\": " + de + "\n"
                              + "Kesselwerk.ini [" + abschnitt + "] " + schluessel + "=\"" + text + "\": " + en);
    };

    const std::string s = wert(abAusgabe, "Schnittstelle");
    if (!s.empty()) {
        const int n = Zeilenzahl_Lesen(s);
        if (n == Schnittstelle_GPIO || n == Schnittstelle_HID)
            z.Schnittstelle = static_cast<short>(n);
        else
            melde(abAusgabe, "Schnittstelle", s, "unbekannt, es gilt die Konfigurationsdatei.",
                  "unknown, the configuration file holds.");
    }

    z.gpio.chip = wert(abGpio, "Chip");
    const std::string aktiv = wert(abGpio, "Aktiv");
    if (aktiv == "hoch" || aktiv == "high")
        z.gpio.aktivNiedrig = false;
    else if (!aktiv.empty() && aktiv != "niedrig" && aktiv != "low")
        melde(abGpio, "Aktiv", aktiv, "weder \"niedrig\" noch \"hoch\": es gilt \"niedrig\".",
              "neither \"niedrig\" (low) nor \"hoch\" (high): \"niedrig\" holds.");
    for (int bit = 0; bit < Ausgangsanzahl; ++bit) {
        const std::string text = wert(abGpio, Ausgangsschluessel(bit));
        bool gueltig = true;
        z.gpio.leitung[static_cast<std::size_t>(bit)] = Leitung_Lesen(text, &gueltig);
        if (!gueltig)
            melde(abGpio, Ausgangsschluessel(bit), text, "keine Leitungsnummer: dieser Ausgang ist nicht verdrahtet.",
                  "not a line number: this output is not wired.");
    }

    const std::string quelle = wert(abEinwire, "Quelle");
    if (quelle == "1-Wire")
        z.einwire.aktiv = true;
    else if (!quelle.empty() && quelle != "DigiTemp")
        melde(abEinwire, "Quelle", quelle, "weder \"DigiTemp\" noch \"1-Wire\": es gilt DigiTemp.",
              "neither \"DigiTemp\" nor \"1-Wire\": DigiTemp holds.");
    z.einwire.sensor = wert(abEinwire, "Sensor");
    return z;
}

void Zusatzeinstellungen_Schreiben(const Zusatzeinstellungen& z, const Inisetzen& setzen)
{
    setzen(abAusgabe, "Schnittstelle", z.Schnittstelle ? std::to_string(z.Schnittstelle) : std::string());
    setzen(abGpio, "Chip", z.gpio.chip);
    setzen(abGpio, "Aktiv", z.gpio.aktivNiedrig ? "niedrig" : "hoch");
    for (int bit = 0; bit < Ausgangsanzahl; ++bit) {
        const auto& l = z.gpio.leitung[static_cast<std::size_t>(bit)];
        setzen(abGpio, Ausgangsschluessel(bit), l ? std::to_string(*l) : std::string());
    }
    setzen(abEinwire, "Quelle", z.einwire.aktiv ? "1-Wire" : "DigiTemp");
    setzen(abEinwire, "Sensor", z.einwire.sensor);
}

std::string Zeile3_Fuer(short Schnittstelle)
{
    if (Schnittstelle == Schnittstelle_GPIO || Schnittstelle == Schnittstelle_HID)
        return "5";
    if (Schnittstelle >= 1 && Schnittstelle <= 5)
        return std::to_string(Schnittstelle);
    return "0";
}

short Schnittstelle_Wirksam(int zeile3, short zusatz)
{
    if (zeile3 == 5 && (zusatz == Schnittstelle_GPIO || zusatz == Schnittstelle_HID))
        return zusatz;
    return static_cast<short>(zeile3);
}

} // namespace kw
