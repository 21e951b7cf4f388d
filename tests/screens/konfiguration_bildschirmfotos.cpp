// Saves pictures of the settings screen and the start-up notice:
//   konfiguration_bildschirmfotos <folder> [language 1..8]
// HardwareAbfrage.png (from a sample file), HardwareAbfrage_ohne_Datei.png, HardwareConf.png,
// Gpiodialog.png, and as root HardwareAbfrage_fremder_Link.png (a link of another user in a
// sticky folder).

#include <QApplication>
#include <QPixmap>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "Testanwendung.h"
#include "../fileio/Fremdlink.h"
#include "screens/Grundbild.h"
#include "screens/Gpiodialog.h"
#include "screens/HardwareAbfrage.h"
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

    std::error_code ec;
    fs::remove_all(ordner, ec);
    return 0;
}
