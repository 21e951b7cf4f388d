// Saves pictures of the main screen and its three pop-ups:
//   grundbild_bildschirmfotos <folder> [language 1..8]
// Grundbild_Ruhe.png, Grundbild_Ruf.png (a call waiting, manual and simulation
// panels shown, the predicted end; on a small display also Grundbild_Seite2.png and _Seite3.png,
// the right column turned over), BraumeisterRuf.png, WarnungDS1820.png, Alarm_USB.png, Grundbild_Sensor.png (a run
// whose reading went stale: heating overruled).

#include <QAbstractButton>
#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolTip>
#include <QSlider>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "Testanwendung.h"
#include "screens/Alarm_USB.h"
#include "screens/BraumeisterRuf.h"
#include "screens/Grundbild.h"
#include "screens/Vorhersageanzeige.h"
#include "screens/WarnungDS1820.h"

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
        std::cout << datei.toStdString() << " " << w.width() << "x" << w.height() << " (minimum "
                  << w.minimumSizeHint().width() << "x" << w.minimumSizeHint().height() << ")";
    if (auto* f = w.findChild<QScrollArea*>(QStringLiteral("Bildflaeche")))
        std::cout << (f->verticalScrollBar()->isVisible() || f->horizontalScrollBar()->isVisible() ? ", scrolls" : "")
                  << ", content needs " << f->widget()->minimumSizeHint().width() << "x"
                  << f->widget()->minimumSizeHint().height();
    std::cout << "\n";
}

// Tipp_QUITTIEREN.png, Tipp_STOP_BRAUEN.png: a tooltip is a window of its own, so
// the screen around the button is taken (needs a real display such as Xvfb).
void tooltip_aufnehmen(QWidget& knopf, const QString& datei)
{
    const QPoint mitte = knopf.mapToGlobal(knopf.rect().center());
    QToolTip::showText(mitte, knopf.toolTip(), &knopf);
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    const QRect bereich(mitte - QPoint(300, 60), QSize(900, 140));
    const QPixmap bild = knopf.screen()->grabWindow(0, bereich.x(), bereich.y(), bereich.width(), bereich.height());
    if (!bild.save(datei))
        std::cerr << "cannot write " << datei.toStdString() << "\n";
    else
        std::cout << datei.toStdString() << " tooltip: " << knopf.toolTip().toStdString() << "\n";
    QToolTip::hideText();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    const QString ziel = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp");
    const int sprache = argc > 2 ? std::atoi(argv[2]) : 1;

    namespace fs = std::filesystem;
    std::string vorlage = (fs::temp_directory_path() / "kw_fotos_XXXXXX").string();
    const fs::path ordner = ::mkdtemp(vorlage.data());
    {
        kw::test::Testumgebung u(ordner.string());
        kw::Anwendung& app = *u.app;
        auto& g = app.bildschirm<kw::Grundbild>();
        g.show();
        g.Timer_Anhalten();
        g.Timer1_Timer();
        app.anlage.Sprachnummer = sprache;
        app.Sprache_Umschalten();
        if (app.geladen("HardwareAbfrage"))
            app.bildschirm("HardwareAbfrage")->hide();
        u.meldungen_abholen();
        aufnehmen(g, ziel + QStringLiteral("/Grundbild_Ruhe.png"));
        for (const char* knopf : {"QUITTIEREN", "STOP_BRAUEN"})
            tooltip_aufnehmen(*g.findChild<QWidget*>(QString::fromLatin1(knopf)),
                              ziel + QStringLiteral("/Tipp_%1.png").arg(QString::fromLatin1(knopf)));

        // A holding phase of one minute that calls at its end.
        kw::Maischprogramm& pr = app.anlage.Programm;
        pr.Biersorte = "Märzen";
        pr.AnzPhasen = "2";
        for (int n = 1; n <= 2; ++n) {
            kw::Cl_Phase& p = pr.Phase(n);
            p.setHeizphase("True");
            p.setAufheizphase("False");
            p.setKuehlphase("False");
            p.setTemperatur("63");
            p.setHeizzeit("1");
            p.setRuehrimpuls("10");
            p.setRuehrpause("20");
            p.setKein_Ruf(kw::Flagtext(n != 1));
            p.setRuf_Ende_Phase(kw::Flagtext(n == 1));
            p.setRuf_nach_Rufzeit("False");
            p.setRufzeit("");
            p.setRuftext("Bitte 5 kg Pilsner Malz einmaischen und die Jodprobe vorbereiten");
            pr.Titel(n) = n == 1 ? "Eiweissrast" : "Maltoserast";
        }
        g.findChild<QAbstractButton*>(QStringLiteral("Switch1"))->click();
        g.findChild<QSlider*>(QStringLiteral("Scroll_Sim_IstTemperatur"))->setValue(-61);
        g.findChild<QAbstractButton*>(QStringLiteral("Switch2"))->click();
        app.steuerung().START_BRAUEN();
        for (int i = 0; i < 700 && !app.anlage.Ruf_Aktiv; ++i) {
            if (i % 5 == 0)
                g.Takt_1s_Timer();
            g.Timer1_Timer();
            g.Timer2_Timer();
            if (i % 10 == 9)
                u.uhr.vor(std::chrono::seconds(1));
        }
        if (!app.anlage.Blinktakt)
            g.Takt_1s_Timer();
        g.Timer1_Timer();
        g.Timer2_Timer();
        // The predicted end, computed on its own thread.
        if (auto* v = g.findChild<kw::Vorhersageanzeige*>()) {
            v->pruefen();
            for (int i = 0; i < 200 && (v->rechnet() || !v->vorhersage()); ++i)
                QTest::qWait(25);
        }
        aufnehmen(g, ziel + QStringLiteral("/Grundbild_Ruf.png"));
        // A small display: the right column's next page (start at a phase and the simulation).
        if (g.kompakt()) {
            g.findChild<QAbstractButton*>(QStringLiteral("Seitenwechsel"))->click();
            aufnehmen(g, ziel + QStringLiteral("/Grundbild_Seite2.png"));
            g.findChild<QAbstractButton*>(QStringLiteral("Seitenwechsel"))->click();
            aufnehmen(g, ziel + QStringLiteral("/Grundbild_Seite3.png"));
        }
        aufnehmen(app.bildschirm<kw::BraumeisterRuf>(), ziel + QStringLiteral("/BraumeisterRuf.png"));
        aufnehmen(app.bildschirm<kw::WarnungDS1820>(), ziel + QStringLiteral("/WarnungDS1820.png"));
        aufnehmen(app.bildschirm<kw::Alarm_USB>(), ziel + QStringLiteral("/Alarm_USB.png"));
        u.meldungen_abholen();

        // Out of simulation, the sensor answered once and then no more.
        app.steuerung().QUITTIEREN();
        g.findChild<QAbstractButton*>(QStringLiteral("Switch1"))->click();
        app.anlage.Temperaturwert = "61.75";
        app.anlage.Messzeitpunkt = app.jetzt();
        for (int i = 0; i < 200; ++i) {
            if (i % 5 == 0)
                g.Takt_1s_Timer();
            g.Timer1_Timer();
            g.Timer2_Timer();
            if (i % 10 == 9)
                u.uhr.vor(std::chrono::seconds(1));
        }
        app.bildschirm<kw::WarnungDS1820>().hide();
        aufnehmen(g, ziel + QStringLiteral("/Grundbild_Sensor.png"));
        u.meldungen_abholen();
    }
    fs::remove_all(ordner);
    return 0;
}
