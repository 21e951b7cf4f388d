#pragma once
// The raw texts of one language. Each language fills one Sprachdaten (one file per
// language); Texte.cpp builds the numbered messages and the caption table from it,
// so that key order and generated entries live in one place.
#include "texts/Texte.h"

#include <array>
#include <string>

namespace kw::texte {

struct Meldungsdaten {
    std::string Praefix;          // "Meldung Nr."
    std::string Praefix_Hinweis;  // prefix of 63..68
    std::string Nr1_Funktion_Fehlt;
    std::string Nr5_Eingaben_Unvollstaendig;
    std::string Nr11_15_Falsche_Eingabe;  // up to the lower bound
    std::string Nr11_15_Und;              // between the bounds
    std::string Nr20_Phasenanzahl_Fehlt;
    std::string Nr21_40_Vor;   // before the phase number
    std::string Nr21_40_Nach;  // after the phase number
    std::string Nr41_Undefinierter_Schritt;
    std::string Nr51_Braumeister_Ruf;
    std::string Nr55_USB_Fehlt;
};

struct Grundbild_Texte {
    std::string Frame1, Label11, Label6, INFO, Command2_0, Command1, Command5, OPTIONS,
        Anzeige_RufQuitt, QUITTIEREN, Command7, Frame_Simulation, Label4, Frame_Manuell,
        Phase_setzen, Label5_0, Label5_1, Label5_2;
    std::string Man_Extra_Ein;  // "EIN": Man_Extra1..4 read "EXTRA1 EIN" .. "EXTRA4 EIN"
    std::string Frame3, Frame_Bedienung, START_BRAUEN, STOP_BRAUEN, PAUSE_BRAUEN, Frame2;
    std::string Label1_0, Label1_13, Label1_9, Label1_16, Label1_1, Label1_12, Label1_10,
        Label1_8, Label1_7, Label1_6, Label1_2, Label1_3, Label1_5, Label1_4, Label1_15,
        Label1_14;
    std::string Text_Endzeit_11;
};

struct Alkohol_Texte {
    std::string Label1, Label2, Label3, Label4, Label5, Label6, Label7;
};

struct Berechnungen_Texte {
    std::string Command2, Command4, Command3, Command1;
};

struct Bittere_Texte {
    std::string Label1, Label2, Label3, Label4, Label5, Label6, Frame1, Label7, Label8,
        Command3, Label9, Label10, Command4, Label11, Label12, Label13, Frame2;
    std::array<std::string, 9> Sorte;  // beer styles, Sorte_0 .. Sorte_8
    std::string Frame3;
    std::array<std::string, 9> Wert;  // their bitterness, Wert_0 .. Wert_8
};

struct BraumeisterRuf_Texte {
    std::string Command2;
};

struct Brauprotokoll_Texte {
    std::string Label1, Frame1, Label2, Label3, Label4, Label5, Label6, Label7, Label8,
        Frame2, Label9, Label10, Label11, Label12, Label13, Label14, Frame3, Label15,
        Label16, Label17;
    std::string Zutat;  // "Zutat ": Label18..Label21 read "Zutat 1" .. "Zutat 4"
    std::string Frame4, Frame5, Label22, Label23, Label24, Label25, Frame6, Label26,
        Label27, Command1, Label28;
};

struct HardwareAbfrage_Texte {
    std::string Frame1, Frame2, Frame3, Frame4, Def_Extra;
    // Label1..Label8: Extra_Funktion, n, " ", Ein or Aus, ":"
    std::string Extra_Funktion, Ein, Aus;
    std::string Conf_Signal, Conf_Signal_Blink, Conf_Signal_Dauer, Frame5, Conf_Grad_Ein,
        Conf_Grad_Aus, Spracheinstellung;
};

struct HardwareConf_Texte {
    std::string Label1, Label2;
};

struct Information_Texte {
    std::string Frame_Beschreibung;
    std::array<std::string, 16> Info_Text;
    std::string Label_Programmordner; // caption before the program folder in use
    std::string Label_Lizenz;         // the program's licence
};

struct Jodprobe_Texte {
    std::string Label1, Label2, Label3, Label4, Label5;
};

// One phase block of the editor pages, the same on both.
struct Phasenblock_Texte {
    std::string Par_Heizphase, Par_Aufheizphase, Par_Kuehlphase, Label1, Label3, Label5,
        Label7, Frame3, Par_KeinRuf, Par_Ruf_Ende_Phase, Par_Ruf_nach_Rufzeit, Label9;
};

struct PARAMETER_Texte {
    std::string Frame1, Label11, Label12, Command5, Command4, Command1, Command6;
};

struct PARAMETER2_Texte {
    std::string Frame1, Command1, Command6;
};

struct Ruf_Text_Texte {
    std::string Label2, Label1;
};

struct WarnungDS1820_Texte {
    std::string Label1;
};

struct Sprachdaten {
    Meldungsdaten Meldungen;
    Schaltertexte Schalter;
    Grundbild_Texte Grundbild;
    Alkohol_Texte Alkohol;
    Berechnungen_Texte Berechnungen;
    Bittere_Texte Bittere;
    BraumeisterRuf_Texte BraumeisterRuf;
    Brauprotokoll_Texte Brauprotokoll;
    HardwareAbfrage_Texte HardwareAbfrage;
    HardwareConf_Texte HardwareConf;
    Information_Texte Information;
    Jodprobe_Texte Jodprobe;
    Phasenblock_Texte Phasenblock;
    PARAMETER_Texte PARAMETER;
    PARAMETER2_Texte PARAMETER2;
    Ruf_Text_Texte Ruf_Text;
    WarnungDS1820_Texte WarnungDS1820;
    Zusatztexte Zusatz;
    Dateitexte Dateien;
};

// One per language file.
const Sprachdaten& Daten_Deutsch();
const Sprachdaten& Daten_Englisch();
const Sprachdaten& Daten_Portugiesisch();
const Sprachdaten& Daten_Tschechisch();
const Sprachdaten& Daten_Polnisch();

}  // namespace kw::texte
