// Saves pictures of the settings screen and the start-up notice:
//   konfiguration_bildschirmfotos <folder> [language 1..8]
// HardwareAbfrage.png (from a sample file), HardwareAbfrage_ohne_Datei.png, HardwareConf.png,
// Gpiodialog.png, Kesselmodell.png (learned values, a refused journal), Simulation_Kesselmodell.png
// (the main screen rehearsing on the kettle model; _kompakt: on 800×480), Probelauf.png (the dry run's window), and as root HardwareAbfrage_fremder_Link.png (a link of another user in a
// sticky folder).

#include <QApplication>
#include <QPixmap>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>

#include "Testanwendung.h"
#include "../fileio/Fremdlink.h"
#include "screens/Grundbild.h"
#include "screens/Gpiodialog.h"
#include "screens/HardwareAbfrage.h"
#include "screens/Kesselmodellanzeige.h"
#include "screens/Probelaufanzeige.h"

#include <QCheckBox>
#include <QSlider>
#include "hardware/Testkern.h"

namespace {

void aufnehmen(QWidget& w, const QString& datei)
{
    w.show();
    w.raise();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    if (!w.grab().save(datei))
        std::cerr << "cannot write " << datei.toStdString() << "\n";
    else
        std::cout << datei.toStdString() << " " << w.width() << "x" << w.height() << "\n";
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    const QString ziel = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp");
    const std::string sprache = argc > 2 ? argv[2] : "1";

    namespace fs = std::filesystem;
    std::string vorlage = (fs::temp_directory_path() / "kw_fotos_XXXXXX").string();
    const fs::path ordner = ::mkdtemp(vorlage.data());

    {
        // Without a file: the defaults and the note about the missing file.
        kw::test::Testumgebung u(ordner.string());
        auto& grundbild = u.app->bildschirm<kw::Grundbild>();
        grundbild.Timer_Anhalten();
        grundbild.Timer1_Timer();
        aufnehmen(u.app->bildschirm<kw::HardwareAbfrage>(), ziel + QStringLiteral("/HardwareAbfrage_ohne_Datei.png"));
    }
    if (kw::test::Als_Root()) {
        // The program folder open like /tmp, the settings' name a link planted by another user.
        const fs::path offen = ordner / "offen";
        kw::test::Sticky_Ordner(offen);
        kw::test::Link_Von(offen / "Kesselwerk.cfg", "../Kesselwerk.cfg", kw::test::Fremder);
        kw::test::Testumgebung u(offen.string());
        auto& grundbild = u.app->bildschirm<kw::Grundbild>();
        grundbild.Timer_Anhalten();
        grundbild.Timer1_Timer();
        aufnehmen(u.app->bildschirm<kw::HardwareAbfrage>(), ziel + QStringLiteral("/HardwareAbfrage_fremder_Link.png"));
    }
    {
        std::ofstream f(ordner / "Kesselwerk.cfg", std::ios::binary);
        for (const char* z : {"digitemp_DS9097", "templog", "4", "378", "1", "", "Pumpe Ein", "Pumpe Aus",
                              "Licht Ein", "Licht Aus", "Extra3 Ein", "Extra3 Aus", "Extra4 Ein", "Extra4 Aus", "1",
                              "2"})
            f << z << "\r\n";
        f << sprache << "\r\n";
    }
    kw::test::Testumgebung u(ordner.string());
    auto& grundbild = u.app->bildschirm<kw::Grundbild>();
    grundbild.Timer_Anhalten();
    grundbild.Timer1_Timer();
    u.meldungen_abholen();
    auto& dialog = u.app->bildschirm<kw::HardwareAbfrage>();
    aufnehmen(dialog, ziel + QStringLiteral("/HardwareAbfrage.png"));
    dialog.Command1_Click();
    u.meldungen_abholen(); // no IO-Warrior here
    aufnehmen(*u.app->bildschirm("HardwareConf"), ziel + QStringLiteral("/HardwareConf.png"));

    // The GPIO dialog on a Pi 4 as the stand-in kernel shows it, one line beyond the chip.
    kw::Testkern kern;
    kern.chipAnlegen("gpiochip0", "pinctrl-bcm2711", 58);
    kern.chipAnlegen("gpiochip1", "raspberrypi-exp-gpio", 8);
    kw::Gpioeinstellungen g;
    g.chip = "pinctrl-bcm2711";
    g.leitung[0] = 17;
    g.leitung[1] = 27;
    g.leitung[7] = 60;
    kw::Gpiodialog gpio(g, kern.tabelle(), u.app->texte.aktuell, nullptr);
    aufnehmen(gpio, ziel + QStringLiteral("/Gpiodialog.png"));

    // The kettle model: three brews learned, one refused.
    kw::modell::Modellstand m;
    m.herkunft = kw::modell::Modellstand::Herkunft::Gelernt;
    m.p.Heizrate_K_min = 0.862;
    m.p.Verlust_1_h = 0.148;
    m.p.Totzeit_s = 44;
    m.sude = 3;
    m.rms_K = 0.09;
    m.max_K = 0.31;
    m.antwortzeit_s = 60;
    m.ohne_wirkung = {"2026-12-05_08-30-00_Kaputt.csv"};
    kw::modell::Modell_Speichern(ordner.string(), m);
    kw::modell::Leistung_Setzen(ordner.string(), 3000);
    dialog.hide();
    u.app->bildschirm("HardwareConf")->hide();
    aufnehmen(u.app->bildschirm<kw::Kesselmodellanzeige>(), ziel + QStringLiteral("/Kesselmodell.png"));
    u.app->bildschirm<kw::Kesselmodellanzeige>().hide();

    // Rehearsing on the model: simulation from 45 °C, the heating on by hand for four minutes.
    u.app->anlage.Konfiguration_Bestaetigt = true;
    grundbild.show();
    grundbild.findChild<QAbstractButton*>(QStringLiteral("Switch1"))->click();
    grundbild.findChild<QSlider*>(QStringLiteral("Scroll_Sim_IstTemperatur"))->setValue(-45);
    grundbild.Timer2_Timer();
    grundbild.findChild<QCheckBox*>(QStringLiteral("Sim_Modell"))->click();
    grundbild.findChild<QAbstractButton*>(QStringLiteral("Switch2"))->click();
    grundbild.findChild<QAbstractButton*>(QStringLiteral("Man_Heizung"))->click();
    for (int i = 0; i < 2400; ++i) {
        if (i % 5 == 0)
            grundbild.Takt_1s_Timer();
        grundbild.Timer1_Timer();
        grundbild.Timer2_Timer();
        if (i % 10 == 9)
            u.uhr.vor(std::chrono::seconds(1));
    }
    u.meldungen_abholen();
    aufnehmen(grundbild, ziel + QStringLiteral("/Simulation_Kesselmodell.png"));
    // The same on a small touch display, the page with the simulation in front.
    grundbild.resize(800, 480);
    for (int i = 0; i < 3 && !grundbild.findChild<QCheckBox*>(QStringLiteral("Sim_Modell"))->isVisible(); ++i) {
        QApplication::processEvents();
        if (auto* seite = grundbild.findChild<QAbstractButton*>(QStringLiteral("Seitenwechsel")); seite && seite->isVisible())
            seite->click();
        grundbild.Timer2_Timer();
    }
    aufnehmen(grundbild, ziel + QStringLiteral("/Simulation_Kesselmodell_kompakt.png"));

    // The dry run of a four-phase program on that model.
    kw::Probelaufauftrag auftrag;
    auftrag.ordner = ordner.string();
    auftrag.sprache = u.app->texte.aktuell;
    auftrag.daten.Sudgroesse = "50";
    kw::Maischprogramm& pr = auftrag.programm;
    pr.Biersorte = "Märzen";
    pr.AnzPhasen = "4";
    const char* titel[] = {"Einmaischen", "Eiweißrast", "Maltoserast", "Verzuckerung"};
    const char* grad[] = {"52", "52", "63", "72"};
    const char* zeit[] = {"", "15", "45", "30"};
    for (int n = 1; n <= 4; ++n) {
        kw::Cl_Phase& ph = pr.Phase(n);
        const bool halten = n > 1 && n != 3;
        ph.setAufheizphase(halten ? "False" : "True");
        ph.setHeizphase(halten ? "True" : "False");
        ph.setKuehlphase("False");
        ph.setTemperatur(grad[n - 1]);
        ph.setHeizzeit(halten ? zeit[n - 1] : "");
        ph.setRuehrimpuls("10");
        ph.setRuehrpause("20");
        ph.setKein_Ruf("True");
        ph.setRuf_Ende_Phase("False");
        ph.setRuf_nach_Rufzeit("False");
        pr.Titel(n) = titel[n - 1];
    }
    kw::Probelaufanzeige probelauf(std::move(auftrag), nullptr);
    probelauf.show();
    for (int i = 0; i < 2000 && !probelauf.fertig(); ++i) {
        QApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    aufnehmen(probelauf, ziel + QStringLiteral("/Probelauf.png"));

    std::error_code ec;
    fs::remove_all(ordner, ec);
    return 0;
}
