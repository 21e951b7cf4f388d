#include "hardware/Einstellungen.h"

#include "hardware/Zusatzeinstellungen.h"

namespace kw {

Ladewirkung Konfiguration_Laden(const Konfiguration& k, Dialogstand& d)
{
    Ladewirkung w;
    d.NameDigitemp = k.NameDigitemp;
    d.NameLogFile = k.NameLogFile;
    if (int s = Zeilenzahl_Lesen(k.Schnittstelle); s >= 1 && s <= 5) {
        d.Auswahl_Schnittstelle = static_cast<short>(s);
        w.Schnittstelle = static_cast<short>(s);
    }
    d.LPT_DEF = k.LPT_Def_Adresse;
    if (int c = Zeilenzahl_Lesen(k.COM_Port); c >= 1 && c <= 4)
        d.Auswahl_COM = static_cast<short>(c);
    d.Conf_Extra = k.Conf_Extra;
    if (int s = Zeilenzahl_Lesen(k.Signal); s == 1 || s == 2)
        d.Auswahl_Signal = static_cast<short>(s);
    if (int g = Zeilenzahl_Lesen(k.Gradient); g == 1 || g == 2)
        d.Auswahl_Gradient = static_cast<short>(g);
    int sprache = Zeilenzahl_Lesen(k.Sprache);
    if (sprache < 1 || sprache > 8)
        sprache = 1;
    d.Auswahl_Sprache = static_cast<short>(sprache);
    w.Sprachnummer = static_cast<short>(sprache);
    return w;
}

Konfiguration Konfiguration_Uebernehmen(const Dialogstand& d, const Konfiguration& bisher)
{
    Konfiguration k = bisher;
    k.NameDigitemp = d.NameDigitemp;
    k.NameLogFile = d.NameLogFile;
    // GPIO and the HID board go to the file as 5, the choice itself to Kesselwerk.ini.
    k.Schnittstelle = Zeile3_Fuer(d.Auswahl_Schnittstelle);
    k.LPT_Def_Adresse = d.LPT_DEF;
    k.COM_Port = "0";
    if (d.Auswahl_COM >= 1 && d.Auswahl_COM <= 4)
        k.COM_Port = std::to_string(d.Auswahl_COM);
    k.Conf_Extra = d.Conf_Extra;
    if (d.Auswahl_Signal == 1 || d.Auswahl_Signal == 2)
        k.Signal = std::to_string(d.Auswahl_Signal);
    if (d.Auswahl_Gradient == 1 || d.Auswahl_Gradient == 2)
        k.Gradient = std::to_string(d.Auswahl_Gradient);
    if (d.Auswahl_Sprache >= 1 && d.Auswahl_Sprache <= 8)
        k.Sprache = std::to_string(d.Auswahl_Sprache);
    return k;
}

std::string Lampentext(const std::string& einText)
{
    // Walk back over three UTF-8 characters.
    std::size_t ende = einText.size();
    for (int n = 0; n < 3; ++n) {
        if (ende == 0)
            return einText;
        --ende;
        while (ende > 0 && (static_cast<unsigned char>(einText[ende]) & 0xC0) == 0x80)
            --ende;
    }
    return einText.substr(0, ende);
}

Hauptbildeinstellungen Einstellungen_Anwenden(const Dialogstand& d)
{
    Hauptbildeinstellungen e;
    for (std::size_t i = 0; i < 4; ++i) {
        e.Man_Extra[i] = d.Conf_Extra[2 * i];
        e.Extra_Lampen[i] = Lampentext(d.Conf_Extra[2 * i]);
    }
    e.Signal_Dauer = d.Auswahl_Signal == 1 ? 0 : 1;
    e.Gradient_Ein = d.Auswahl_Gradient == 1 ? 1 : 0;
    return e;
}

} // namespace kw
