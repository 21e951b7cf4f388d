// Output byte, stirrer delay and the choice of device.

#include "Attrappen.h"

#include "hardware/Ausgangsbyte.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using kw::test::Fakequelle;
using kw::test::Meldungsrecorder;
using Protokoll = std::vector<std::string>;

namespace kw {
namespace {

const std::chrono::sys_seconds T0{std::chrono::seconds(1'700'000'000)};

TEST(Ausgangsbyte, JedesFlagSeinBit)
{
    struct Fall {
        short Ausgangsflags::*flag;
        int wert;
    };
    const Fall faelle[] = {{&Ausgangsflags::Aus_Heizung, 1},  {&Ausgangsflags::Aus_Kuehlung, 4},
                           {&Ausgangsflags::Aus_Extra1, 8},   {&Ausgangsflags::Aus_Extra2, 16},
                           {&Ausgangsflags::Aus_Extra3, 32},  {&Ausgangsflags::Aus_Extra4, 64},
                           {&Ausgangsflags::Aus_Signal, 128}};
    for (auto& f : faelle) {
        Ausgangsflags a;
        a.*(f.flag) = 1;
        EXPECT_EQ(Ausgangsbyte_Berechnen(a, 0), f.wert);
    }
    EXPECT_EQ(Ausgangsbyte_Berechnen({}, 1), 2) << "the stirrer bit is Aus_Ruehrwerk, not the request";
    Ausgangsflags nurAnfrage;
    nurAnfrage.Ruehrwerk_Ein = 1;
    EXPECT_EQ(Ausgangsbyte_Berechnen(nurAnfrage, 0), 0);
    Ausgangsflags alle{1, 1, 1, 1, 1, 1, 1, 1};
    EXPECT_EQ(Ausgangsbyte_Berechnen(alle, 1), 255);
    Ausgangsflags heizungSignal;
    heizungSignal.Aus_Heizung = 1;
    heizungSignal.Aus_Signal = 1;
    EXPECT_EQ(Ausgangsbyte_Berechnen(heizungSignal, 0), 129);
    Ausgangsflags wahr; // a Boolean -1 slipped in must not light up other bits
    wahr.Aus_Heizung = -1;
    EXPECT_EQ(Ausgangsbyte_Berechnen(wahr, 0), 1);
}

TEST(Ausgangsbyte, Portadressen)
{
    EXPECT_EQ(LPT_Adresse(1, "zz"), 0x378);
    EXPECT_EQ(LPT_Adresse(2, ""), 0x278);
    EXPECT_EQ(LPT_Adresse(3, "3BC"), 0x3BC);
    EXPECT_EQ(LPT_Adresse(3, " e010 "), 0xE010);
    EXPECT_EQ(LPT_Adresse(3, "FFFF"), 0xFFFF);
    for (const char* falsch : {"", "   ", "378h", "0x378", "&h378", "1FFFF", "37 8", "-378", "g"})
        EXPECT_FALSE(LPT_Adresse(3, falsch)) << falsch;
    EXPECT_FALSE(LPT_Adresse(4, "378"));
    EXPECT_FALSE(LPT_Adresse(5, "378"));
    EXPECT_FALSE(LPT_Adresse(0, "378"));
}

struct AusgabeTest : ::testing::Test {
    Fakequelle quelle;
    Meldungsrecorder meldungen;
    std::unique_ptr<Ausgabe> ausgabe = std::make_unique<Ausgabe>(quelle, meldungen);
    Ausgabeeinstellungen e{1, -1, ""};
    std::chrono::sys_seconds jetzt = T0;

    void schreibe(const Ausgangsflags& f) { ausgabe->Ausgaenge_Schreiben(f, jetzt, e); }
};

TEST_F(AusgabeTest, RuehrwerkFolgtNachEinerSekunde)
{
    Ausgangsflags f;
    f.Ruehrwerk_Ein = 1;
    jetzt = T0;
    schreibe(f);
    EXPECT_EQ(ausgabe->Aus_Ruehrwerk(), 0);
    EXPECT_EQ(ausgabe->Ausgangsbyte(), 0);
    schreibe(f); // same second, next tick
    EXPECT_EQ(ausgabe->Aus_Ruehrwerk(), 0);
    jetzt = T0 + 1s;
    schreibe(f);
    EXPECT_EQ(ausgabe->Aus_Ruehrwerk(), 1);
    EXPECT_EQ(ausgabe->Ausgangsbyte(), 2);
    jetzt = T0 + 50s;
    schreibe(f);
    EXPECT_EQ(ausgabe->Aus_Ruehrwerk(), 1);

    f.Ruehrwerk_Ein = 0;
    schreibe(f);
    EXPECT_EQ(ausgabe->Aus_Ruehrwerk(), 0);
    f.Ruehrwerk_Ein = 1; // switched on again: delayed again
    schreibe(f);
    EXPECT_EQ(ausgabe->Aus_Ruehrwerk(), 0);
    jetzt += 1s;
    schreibe(f);
    EXPECT_EQ(ausgabe->Aus_Ruehrwerk(), 1);
}

TEST_F(AusgabeTest, RuehrwerkEinUndAusInDerselbenSekundeSchaltetNie)
{
    Ausgangsflags an, aus;
    an.Ruehrwerk_Ein = 1;
    for (int s = 0; s < 5; ++s) {
        jetzt = T0 + std::chrono::seconds(s);
        schreibe(an);
        EXPECT_EQ(ausgabe->Aus_Ruehrwerk(), 0);
        schreibe(aus);
        EXPECT_EQ(ausgabe->Aus_Ruehrwerk(), 0);
    }
    for (auto& zeile : quelle.protokoll)
        EXPECT_EQ(zeile.find("LPT378 2"), std::string::npos) << zeile;
}

TEST_F(AusgabeTest, ParallelportErstNachBestaetigung)
{
    Ausgangsflags f;
    f.Aus_Heizung = 1;
    e.Konfiguration_Bestaetigt = 0;
    schreibe(f);
    EXPECT_TRUE(quelle.abholen().empty()) << "nothing is written before the first OK";
    EXPECT_EQ(ausgabe->Ausgangsbyte(), 1) << "the byte is still worked out";

    e.Konfiguration_Bestaetigt = -1;
    schreibe(f);
    EXPECT_EQ(quelle.abholen(), (Protokoll{"LPT378 oeffnen", "LPT378 1"}));

    // OPTIONS: the controller runs on, and the card confirmed last follows it; a heater it switches off
    // must not stay on for as long as the dialog is open.
    e.Konfiguration_Bestaetigt = 0;
    f.Aus_Heizung = 0;
    schreibe(f);
    EXPECT_EQ(quelle.abholen(), (Protokoll{"LPT378 0"}));

    e.Konfiguration_Bestaetigt = -1;
    schreibe(f);
    EXPECT_EQ(quelle.abholen(), (Protokoll{"LPT378 0"}));

    e.Schnittstelle = 2;
    f.Aus_Signal = 1;
    schreibe(f);
    EXPECT_EQ(quelle.abholen(), (Protokoll{"LPT378 schliessen", "LPT378 weg", "LPT278 oeffnen", "LPT278 128"}));
}

TEST_F(AusgabeTest, IOWarriorOhneBestaetigungUndFuenfSchreibtNichts)
{
    Ausgangsflags f;
    f.Aus_Kuehlung = 1;
    e = {4, 0, ""};
    quelle.iow.offen = true;
    schreibe(f);
    EXPECT_EQ(quelle.abholen(), (Protokoll{"IOW 4"}));

    e.Schnittstelle = 5;
    schreibe(f);
    EXPECT_EQ(quelle.abholen(), (Protokoll{"IOW aus"})) << "the board left behind is switched off";
    schreibe(f);
    e.Schnittstelle = 0;
    schreibe(f);
    EXPECT_TRUE(quelle.abholen().empty());
    EXPECT_TRUE(meldungen.hinweise.empty());
}

TEST_F(AusgabeTest, WechselDesGeraetsSchaltetDasAlteAb)
{
    Ausgangsflags f;
    f.Aus_Heizung = 1;
    quelle.iow.offen = true;
    schreibe(f);
    e.Schnittstelle = 4;
    schreibe(f);
    e.Schnittstelle = 1;
    schreibe(f);
    EXPECT_EQ(quelle.abholen(),
              (Protokoll{"LPT378 oeffnen", "LPT378 1", "LPT378 aus", "IOW 1", "IOW aus", "LPT378 1"}));
}

TEST_F(AusgabeTest, ImOffenenDialogGewaehltesGeraetWartetAufOK)
{
    Ausgangsflags f;
    f.Aus_Heizung = 1;
    schreibe(f);
    quelle.abholen();

    // Another port clicked while the dialog is open: the old card goes off, the new one waits for OK.
    e = {2, 0, ""};
    schreibe(f);
    schreibe(f);
    EXPECT_EQ(quelle.abholen(), (Protokoll{"LPT378 aus"}));
    e.Schnittstelle = 1; // clicked back: the confirmed card follows again
    schreibe(f);
    EXPECT_EQ(quelle.abholen(), (Protokoll{"LPT378 1"}));

    // The board in use, then a parallel port clicked in the dialog: the board must not keep the heater on.
    quelle.iow.offen = true;
    e = {4, -1, ""};
    schreibe(f);
    quelle.abholen();
    e = {1, 0, ""};
    schreibe(f);
    schreibe(f);
    EXPECT_EQ(quelle.abholen(), (Protokoll{"IOW aus"})) << "LPT1 was not confirmed at the last OK";
    e = {3, 0, "3BC"};
    schreibe(f);
    EXPECT_TRUE(quelle.abholen().empty()) << "no port is opened before OK";
    e.Konfiguration_Bestaetigt = -1;
    schreibe(f);
    EXPECT_EQ(quelle.abholen(),
              (Protokoll{"LPT378 schliessen", "LPT378 weg", "LPT3BC oeffnen", "LPT3BC 1"}));
}

TEST_F(AusgabeTest, UngueltigeAdresseSchreibtNichtsUndMeldetEinmalJeOK)
{
    Ausgangsflags f;
    f.Aus_Heizung = 1;
    e = {3, -1, "37G"};
    for (int i = 0; i < 20; ++i)
        schreibe(f);
    EXPECT_TRUE(quelle.abholen().empty());
    ASSERT_EQ(meldungen.hinweise.size(), 1u);
    EXPECT_NE(meldungen.hinweise[0].find("37G"), std::string::npos);
    EXPECT_NE(meldungen.hinweise[0].find("invalid"), std::string::npos);

    e.Konfiguration_Bestaetigt = 0; // OPTIONS ... OK again with the same address
    schreibe(f);
    e.Konfiguration_Bestaetigt = -1;
    schreibe(f);
    EXPECT_EQ(meldungen.hinweise.size(), 2u);

    e.LPT_Def_Adresse = "3bc";
    schreibe(f);
    EXPECT_EQ(quelle.abholen(), (Protokoll{"LPT3BC oeffnen", "LPT3BC 1"}));
}

TEST_F(AusgabeTest, GescheitertesOeffnenErstBeimNaechstenOKWieder)
{
    quelle.parallelOeffnenGelingt = false;
    Ausgangsflags f;
    for (int i = 0; i < 10; ++i)
        schreibe(f);
    EXPECT_EQ(quelle.abholen(), (Protokoll{"LPT378 oeffnen"}));
    e.Konfiguration_Bestaetigt = 0;
    schreibe(f);
    e.Konfiguration_Bestaetigt = -1;
    schreibe(f);
    EXPECT_EQ(quelle.abholen(), (Protokoll{"LPT378 oeffnen"}));
}

TEST_F(AusgabeTest, AllesAusErreichtJedesBenutzteGeraet)
{
    Ausgangsflags f{1, 1, 1, 1, 1, 1, 1, 1};
    schreibe(f);
    ausgabe->IOW_Oeffnen();
    e.Konfiguration_Bestaetigt = 0; // dialog open while the brewer quits
    schreibe(f);
    quelle.abholen();
    ausgabe->Alles_Aus();
    EXPECT_EQ(quelle.abholen(), (Protokoll{"LPT378 aus", "IOW aus"}));
    EXPECT_EQ(ausgabe->Ausgangsbyte(), 0);
    EXPECT_EQ(ausgabe->Aus_Ruehrwerk(), 0);

    ausgabe.reset();
    auto rest = quelle.abholen();
    EXPECT_EQ(rest.front(), "LPT378 aus");
    EXPECT_NE(std::find(rest.begin(), rest.end(), "IOW schliessen"), rest.end());
}

TEST_F(AusgabeTest, AllesAusVorDerErstenBestaetigungSchreibtNichts)
{
    e.Konfiguration_Bestaetigt = 0;
    schreibe(Ausgangsflags{1, 0, 0, 0, 0, 0, 0, 0});
    ausgabe->Alles_Aus();
    EXPECT_TRUE(quelle.abholen().empty());
}

TEST_F(AusgabeTest, UsbAlarmQuittierenOeffnetNeu)
{
    quelle.iow.offen = true;
    quelle.iow.gesperrt = true;
    EXPECT_TRUE(ausgabe->USB_Alarm());
    ausgabe->USB_Alarm_Quittieren(1);
    EXPECT_FALSE(ausgabe->USB_Alarm());
    EXPECT_TRUE(quelle.abholen().empty()) << "no reopening unless interface 4 is in use";

    quelle.iow.gesperrt = true;
    ausgabe->USB_Alarm_Quittieren(4);
    EXPECT_FALSE(ausgabe->USB_Alarm());
    EXPECT_EQ(quelle.abholen(), (Protokoll{"IOW schliessen", "IOW oeffnen"}));
}

} // namespace
} // namespace kw
