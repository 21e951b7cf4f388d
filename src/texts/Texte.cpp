#include "texts/Texte.h"

#include "texts/Sprachdaten.h"

#include <array>
#include <utility>

namespace kw {
namespace {

using texte::Sprachdaten;

// Registry of the languages with tables, indexed by Sprache.
const Sprachdaten& Daten(Sprache sprache) {
    switch (sprache) {
    case Sprache::Englisch: return texte::Daten_Englisch();
    case Sprache::Portugiesisch: return texte::Daten_Portugiesisch();
    case Sprache::Tschechisch: return texte::Daten_Tschechisch();
    case Sprache::Polnisch: return texte::Daten_Polnisch();
    case Sprache::Deutsch: break;
    }
    return texte::Daten_Deutsch();
}

std::size_t Index(Sprache sprache) {
    const auto i = static_cast<std::size_t>(sprache);
    return i < static_cast<std::size_t>(Anzahl_Sprachen) ? i : 0;  // unknown value: German
}

// The joke answers for languages without tables; the same words in every table.
constexpr std::array<std::string_view, 6> Hinweistexte_63_68 = {
    "Parle vouz franzes? Je ne farle..äh....Please select an easier language !",
    "Esta lengua todavía no estay disponible. Por favor selecciona una otra lengua!",
    "Tortellini Mortadella Amaretto Bikini... Flasche leer. Andere Sprach besser !",
    "Esta lingua ainda não está integrada. Favor seleciona uma outra lingua!",
    "This is Fin(n)ish but not the End :-) Please choose another Language !",
    "Norway...No way :-) Please choose another Language !",
};

using Meldungsliste = std::array<std::string, Anzahl_Meldungen + 1>;  // [0] unused

Meldungsliste Baue_Meldungen(const texte::Meldungsdaten& m) {
    Meldungsliste t;
    auto praefix = [&](int nr) { return m.Praefix + std::to_string(nr) + " :  "; };
    for (int nr = 1; nr <= Letzte_Meldung; ++nr) t[nr] = praefix(nr);

    t[1] += m.Nr1_Funktion_Fehlt;
    t[5] += m.Nr5_Eingaben_Unvollstaendig;
    const std::array<std::pair<const char*, const char*>, 5> bereiche = {{
        {"0,0", "99,0"}, {"0", "999"}, {"0", "9999"}, {"1", "20"}, {"0", "110"}}};
    for (int i = 0; i < 5; ++i)
        t[11 + i] += m.Nr11_15_Falsche_Eingabe + bereiche[i].first + m.Nr11_15_Und +
                     bereiche[i].second + " ";
    t[20] += m.Nr20_Phasenanzahl_Fehlt;
    for (int phase = 1; phase <= 20; ++phase)
        t[20 + phase] += m.Nr21_40_Vor + std::to_string(phase) + m.Nr21_40_Nach;
    t[41] += m.Nr41_Undefinierter_Schritt;
    // 51 is followed directly by the call text: a single blank after the colon.
    t[51] = m.Praefix + "51 : " + m.Nr51_Braumeister_Ruf;
    t[55] += m.Nr55_USB_Fehlt;
    for (int i = 0; i < 6; ++i)
        t[63 + i] = m.Praefix_Hinweis + std::to_string(63 + i) + " :  " +
                    std::string(Hinweistexte_63_68[i]);
    return t;
}

class Tabellenbau {
public:
    explicit Tabellenbau(std::vector<Beschriftung>& ziel) : ziel_(ziel) {}
    Tabellenbau& Bildschirm(const char* name) {
        bildschirm_ = name;
        return *this;
    }
    void operator()(std::string steuerelement, const std::string& text) {
        ziel_.push_back({bildschirm_, std::move(steuerelement), text});
    }

private:
    std::vector<Beschriftung>& ziel_;
    std::string bildschirm_;
};

void Phasenblock(Tabellenbau& b, const texte::Phasenblock_Texte& p) {
    b("Par_Heizphase", p.Par_Heizphase);
    b("Par_Aufheizphase", p.Par_Aufheizphase);
    b("Par_Kuehlphase", p.Par_Kuehlphase);
    b("Label1", p.Label1);
    b("Label3", p.Label3);
    b("Label5", p.Label5);
    b("Label7", p.Label7);
    b("Frame3", p.Frame3);
    b("Par_KeinRuf", p.Par_KeinRuf);
    b("Par_Ruf_Ende_Phase", p.Par_Ruf_Ende_Phase);
    b("Par_Ruf_nach_Rufzeit", p.Par_Ruf_nach_Rufzeit);
    b("Label9", p.Label9);
}

// Key order of the caption table; the same for every language.
std::vector<Beschriftung> Baue_Beschriftungen(const Sprachdaten& d) {
    std::vector<Beschriftung> t;
    t.reserve(Anzahl_Beschriftungen);
    Tabellenbau b(t);
    const auto& s = d.Schalter;
    const auto n = [](int i) { return std::to_string(i); };

    {
        const auto& g = d.Grundbild;
        b.Bildschirm("Grundbild");
        b("Frame1", g.Frame1);
        b("Label11", g.Label11);
        b("Label6", g.Label6);
        b("INFO", g.INFO);
        b("Command2_0", g.Command2_0);
        b("Command1", g.Command1);
        b("Command5", g.Command5);
        b("OPTIONS", g.OPTIONS);
        b("Anzeige_RufQuitt", g.Anzeige_RufQuitt);
        b("QUITTIEREN", g.QUITTIEREN);
        b("Command7", g.Command7);
        b("Frame_Simulation", g.Frame_Simulation);
        b("Label4", g.Label4);
        b("Frame_Manuell", g.Frame_Manuell);
        b("Phase_setzen", g.Phase_setzen);
        b("Label5_0", g.Label5_0);
        b("Label5_1", g.Label5_1);
        b("Label5_2", g.Label5_2);
        // The toggles carry the fixed "switch on" text of the table, whatever their state.
        b("switch3", s.Text_Aktivieren);
        b("Man_Heizung", s.Text_Heizung_Ein);
        b("Man_Ruehrwerk", s.Text_Ruehrwerk_Ein);
        b("Man_Kuehlung", s.Text_Kuehlung_Ein);
        for (int i = 1; i <= 4; ++i) b("Man_Extra" + n(i), "EXTRA" + n(i) + " " + g.Man_Extra_Ein);
        b("Frame3", g.Frame3);
        b("Switch1", s.Text_Simulation_Ein);
        b("Switch2", s.Text_Manuell_Ein);
        b("Frame_Bedienung", g.Frame_Bedienung);
        b("START_BRAUEN", g.START_BRAUEN);
        b("STOP_BRAUEN", g.STOP_BRAUEN);
        b("PAUSE_BRAUEN", g.PAUSE_BRAUEN);
        b("Frame2", g.Frame2);
        b("Label1_0", g.Label1_0);
        b("Label1_13", g.Label1_13);
        b("Label1_9", g.Label1_9);
        b("Label1_16", g.Label1_16);
        b("Label1_1", g.Label1_1);
        b("Label1_12", g.Label1_12);
        b("Label1_10", g.Label1_10);
        b("Label1_8", g.Label1_8);
        b("Label1_7", g.Label1_7);
        b("Label1_6", g.Label1_6);
        b("Label1_2", g.Label1_2);
        b("Label1_3", g.Label1_3);
        b("Label1_5", g.Label1_5);
        b("Label1_4", g.Label1_4);
        // Labels under the extra lamps; the configuration replaces them with its texts.
        b("Label1_11", "Extra1");
        b("Label1_17", "Extra2");
        b("Label1_18", "Extra3");
        b("Label1_19", "Extra4");
        b("Label1_15", g.Label1_15);
        b("Label1_14", g.Label1_14);
        b("Option_Gradient", s.Text_Grad_Aus);
        b("Option_Signal", s.Text_Signal_Aus);
        b("Text_Endzeit_11", g.Text_Endzeit_11);
    }
    {
        const auto& a = d.Alkohol;
        b.Bildschirm("Alkohol");
        b("Label1", a.Label1);
        b("Label2", a.Label2);
        b("Label3", a.Label3);
        b("Label4", a.Label4);
        b("Label5", a.Label5);
        b("Label6", a.Label6);
        b("Label7", a.Label7);
    }
    {
        const auto& m = d.Berechnungen;
        b.Bildschirm("Berechnungen");
        b("Command2", m.Command2);
        b("Command4", m.Command4);
        b("Command3", m.Command3);
        b("Command1", m.Command1);
    }
    {
        const auto& x = d.Bittere;
        b.Bildschirm("Bittere");
        b("Label1", x.Label1);
        b("Label2", x.Label2);
        b("Label3", x.Label3);
        b("Label4", x.Label4);
        b("Label5", x.Label5);
        b("Label6", x.Label6);
        b("Frame1", x.Frame1);
        b("Label7", x.Label7);
        b("Label8", x.Label8);
        b("Command3", x.Command3);
        b("Label9", x.Label9);
        b("Label10", x.Label10);
        b("Command4", x.Command4);
        b("Label11", x.Label11);
        b("Label12", x.Label12);
        b("Label13", x.Label13);
        b("Frame2", x.Frame2);
        for (int i = 0; i < 9; ++i) b("Sorte_" + n(i), x.Sorte[i]);
        b("Frame3", x.Frame3);
        for (int i = 0; i < 9; ++i) b("Wert_" + n(i), x.Wert[i]);
    }
    b.Bildschirm("BraumeisterRuf");
    b("Command2", d.BraumeisterRuf.Command2);
    {
        const auto& p = d.Brauprotokoll;
        b.Bildschirm("Brauprotokoll");
        b("Label1", p.Label1);
        b("Frame1", p.Frame1);
        b("Label2", p.Label2);
        b("Label3", p.Label3);
        b("Label4", p.Label4);
        b("Label5", p.Label5);
        b("Label6", p.Label6);
        b("Label7", p.Label7);
        b("Label8", p.Label8);
        b("Frame2", p.Frame2);
        b("Label9", p.Label9);
        b("Label10", p.Label10);
        b("Label11", p.Label11);
        b("Label12", p.Label12);
        b("Label13", p.Label13);
        b("Label14", p.Label14);
        b("Frame3", p.Frame3);
        b("Label15", p.Label15);
        b("Label16", p.Label16);
        b("Label17", p.Label17);
        for (int i = 1; i <= 4; ++i) b("Label" + n(17 + i), p.Zutat + n(i));
        b("Frame4", p.Frame4);
        b("Frame5", p.Frame5);
        b("Label22", p.Label22);
        b("Label23", p.Label23);
        b("Label24", p.Label24);
        b("Label25", p.Label25);
        b("Frame6", p.Frame6);
        b("Label26", p.Label26);
        b("Label27", p.Label27);
        b("Command1", p.Command1);
        b("Label28", p.Label28);
    }
    {
        const auto& h = d.HardwareAbfrage;
        b.Bildschirm("HardwareAbfrage");
        b("Frame1", h.Frame1);
        b("Frame2", h.Frame2);
        b("Frame3", h.Frame3);
        b("Frame4", h.Frame4);
        b("Def_Extra", h.Def_Extra);
        for (int i = 1; i <= 4; ++i) {
            b("Label" + n(2 * i - 1), h.Extra_Funktion + n(i) + " " + h.Ein + ":");
            b("Label" + n(2 * i), h.Extra_Funktion + n(i) + " " + h.Aus + ":");
        }
        b("Conf_Signal", h.Conf_Signal);
        b("Conf_Signal_Blink", h.Conf_Signal_Blink);
        b("Conf_Signal_Dauer", h.Conf_Signal_Dauer);
        b("Frame5", h.Frame5);
        b("Conf_Grad_Ein", h.Conf_Grad_Ein);
        b("Conf_Grad_Aus", h.Conf_Grad_Aus);
        b("Spracheinstellung", h.Spracheinstellung);
    }
    b.Bildschirm("HardwareConf");
    b("Label1", d.HardwareConf.Label1);
    b("Label2", d.HardwareConf.Label2);
    b.Bildschirm("Information");
    b("Frame_Beschreibung", d.Information.Frame_Beschreibung);
    for (int i = 0; i < 16; ++i) b("Info_Text_" + n(i), d.Information.Info_Text[i]);
    b("Label_Programmordner", d.Information.Label_Programmordner);
    b("Label_Lizenz", d.Information.Label_Lizenz);
    {
        const auto& j = d.Jodprobe;
        b.Bildschirm("Jodprobe");
        b("Label1", j.Label1);
        b("Label2", j.Label2);
        b("Label3", j.Label3);
        b("Label4", j.Label4);
        b("Label5", j.Label5);
    }
    {
        const auto& p = d.PARAMETER;
        b.Bildschirm("PARAMETER");
        b("Frame1", p.Frame1);
        b("Label11", p.Label11);
        b("Label12", p.Label12);
        b("Command5", p.Command5);
        b("Command4", p.Command4);
        b("Command1", p.Command1);
        b("Command6", p.Command6);
        Phasenblock(b, d.Phasenblock);
        b.Bildschirm("PARAMETER2");
        b("Frame1", d.PARAMETER2.Frame1);
        b("Command1", d.PARAMETER2.Command1);
        b("Command6", d.PARAMETER2.Command6);
        Phasenblock(b, d.Phasenblock);
    }
    b.Bildschirm("Ruf_Text");
    b("Label2", d.Ruf_Text.Label2);
    b("Label1", d.Ruf_Text.Label1);
    b.Bildschirm("WarnungDS1820");
    b("Label1", d.WarnungDS1820.Label1);
    return t;
}

std::vector<Zusatzbeschriftung> Baue_Zusatz(const Sprachdaten& d) {
    const Zusatztexte& z = d.Zusatz;
    using A = Zusatzbeschriftung::Art;
    return {
        {"Grundbild", "Temperaturkurve", A::Text, z.Temperaturkurve},
        {"Grundbild", "QUITTIEREN", A::Tipp, z.Tipp_QUITTIEREN},
        {"Grundbild", "STOP_BRAUEN", A::Tipp, z.Tipp_STOP_BRAUEN},
        {"WarnungDS1820", "AlarmOff", A::Text, z.Alarm_Off},
        {"Alarm_USB", "AlarmOff", A::Text, z.Alarm_Off},
        {"Alarm_USB", "Label1", A::Text, z.Alarm_USB_Text},
        {"Berechnungen", "Frame1", A::Text, z.Auswahl},
        {"Alkohol", "Command2", A::Text, z.CALC},
        {"Bittere", "Command2", A::Text, z.CALC},
        {"HardwareAbfrage", "Auswahl_USBMeilhaus", A::Tipp, z.Tipp_Meilhaus},
        {"TEMPZEITKURV", "LOG", A::Tipp, z.Tipp_LOG},
        {"TEMPZEITKURV", "LOG", A::Name, z.Name_LOG},
        {"TEMPZEITKURV", "CommandButton1", A::Tipp, z.Tipp_Zurueck},
        {"TEMPZEITKURV", "CommandButton1", A::Name, z.Name_Zurueck},
        // the stirrer blades in the kettle picture, named after the stirrer lamp
        {"Grundbild", "Anzeige_Ruehr1", A::Name, d.Grundbild.Label1_3 + " 1"},
        {"Grundbild", "Anzeige_Ruehr2", A::Name, d.Grundbild.Label1_3 + " 2"},
        {"Bittere", "Stammwuerze", A::Name, z.Name_Stammwuerze},
        {"Bittere", "Kochzeit", A::Name, z.Name_Kochzeit},
        {"Bittere", "Ausnutzung", A::Name, z.Name_Ausnutzung},
        {"PARAMETER", "Command_Probelauf", A::Text, z.Probelauf},
    };
}

struct Tabellen {
    std::array<Meldungsliste, Anzahl_Sprachen> meldungen;
    std::array<std::vector<Beschriftung>, Anzahl_Sprachen> beschriftungen;
    std::array<std::vector<Zusatzbeschriftung>, Anzahl_Sprachen> zusatz;

    Tabellen() {
        for (int i = 0; i < Anzahl_Sprachen; ++i) {
            const auto& d = Daten(static_cast<Sprache>(i));
            meldungen[i] = Baue_Meldungen(d.Meldungen);
            beschriftungen[i] = Baue_Beschriftungen(d);
            zusatz[i] = Baue_Zusatz(d);
        }
    }
};

const Tabellen& Alle_Tabellen() {
    static const Tabellen t;
    return t;
}

const std::string& Leer() {
    static const std::string leer;
    return leer;
}

}  // namespace

Sprache Sprache_Fuer_Nummer(int Sprachnummer) {
    switch (Sprachnummer) {
    case 2: return Sprache::Englisch;
    case 6: return Sprache::Portugiesisch;
    case 7: return Sprache::Polnisch;
    case 8: return Sprache::Tschechisch;
    default: return Sprache::Deutsch;  // 1, the three without tables, and anything else
    }
}

Sprache Sprache_Fuer_Sprachcode(std::string_view code) {
    const std::string_view c = code.substr(0, 2);
    if (code.size() > 2 && code[2] != '_' && code[2] != '-' && code[2] != '.' && code[2] != '@')
        return Sprache::Deutsch;
    if (c == "en") return Sprache::Englisch;
    if (c == "pt") return Sprache::Portugiesisch;
    if (c == "cs") return Sprache::Tschechisch;
    if (c == "pl") return Sprache::Polnisch;
    return Sprache::Deutsch;
}

int Sprachhinweis_Fuer_Nummer(int Sprachnummer) {
    return (Sprachnummer >= 3 && Sprachnummer <= 5) ? 60 + Sprachnummer : 0;
}

const std::string& Sprachoption_Text(int Sprachnummer) {
    static const std::array<std::string, 8> namen = {
        "Deutsch", "English", "Français", "Español", "Italiano", "Português", "Jezyk Polski", "Czech"};
    if (Sprachnummer < 1 || Sprachnummer > 8) return Leer();
    return namen[Sprachnummer - 1];
}

const std::string& Meldung(Sprache sprache, int nr) {
    if (nr < 1 || nr > Anzahl_Meldungen) return Leer();
    return Alle_Tabellen().meldungen[Index(sprache)][nr];
}

const Schaltertexte& Schaltertexte_Fuer(Sprache sprache) { return Daten(sprache).Schalter; }

const Dateitexte& Dateitexte_Fuer(Sprache sprache) { return Daten(sprache).Dateien; }

const std::vector<Beschriftung>& Beschriftungstabelle(Sprache sprache) {
    return Alle_Tabellen().beschriftungen[Index(sprache)];
}

const Zusatztexte& Zusatztexte_Fuer(Sprache sprache) { return Daten(sprache).Zusatz; }

const std::vector<Zusatzbeschriftung>& Zusatzbeschriftungen(Sprache sprache) {
    return Alle_Tabellen().zusatz[Index(sprache)];
}

const std::string* Beschriftung_Fuer(Sprache sprache, std::string_view bildschirm,
                                     std::string_view steuerelement) {
    for (const auto& b : Beschriftungstabelle(sprache))
        if (b.Bildschirm == bildschirm && b.Steuerelement == steuerelement) return &b.Text;
    return nullptr;
}

int Texte::Sprache_Umschalten(int Sprachnummer) {
    aktuell = Sprache_Fuer_Nummer(Sprachnummer);
    const int hinweis = Sprachhinweis_Aktiv ? Sprachhinweis_Fuer_Nummer(Sprachnummer) : 0;
    Sprachhinweis_Aktiv = true;
    return hinweis;
}

}  // namespace kw
