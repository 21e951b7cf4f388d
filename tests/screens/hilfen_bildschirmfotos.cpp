// Shows every screen of the brewing aids with sample data and saves a picture of
// each to <folder>/<screen>.png (default /tmp). Run under xvfb-run.
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <cstdio>
#include <fstream>
#include <string>

#include "Testanwendung.h"
#include "screens/Alkohol.h"
#include "screens/Berechnungen.h"
#include "screens/Bittere.h"
#include "screens/Brauprotokoll.h"
#include "screens/Information.h"
#include "screens/Jodprobe.h"
#include "screens/TEMPZEITKURV.h"

using namespace kw;

namespace {

void setze(QWidget& w, const char* name, const char* text)
{
    if (auto* f = w.findChild<QLineEdit*>(QString::fromLatin1(name)))
        f->setText(QString::fromUtf8(text));
}

void foto(QWidget& w, const std::string& ordner, const std::string& name)
{
    w.show();
    w.raise();
    QTest::qWait(150);
    const std::string datei = ordner + "/" + name + ".png";
    if (!w.grab().save(QString::fromStdString(datei)))
        std::fprintf(stderr, "cannot save %s\n", datei.c_str());
    else
        std::printf("%s  %dx%d\n", datei.c_str(), w.width(), w.height());
    w.hide();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    const std::string ordner = argc > 1 ? argv[1] : "/tmp";
    const int sprache = argc > 2 ? std::stoi(argv[2]) : 1;
    test::Testumgebung t(ordner);
    Anwendung& app = *t.app;
    app.anlage.Dezimaltrenner = ',';
    app.anlage.Sprachnummer = sprache;
    app.texte.Sprache_Umschalten(sprache);
    const std::string endung = sprache == 1 ? "" : "_" + std::to_string(sprache);

    Maischprogramm& p = app.anlage.Programm;
    p.Biersorte = "Pils";
    p.AnzPhasen = "6";
    const char* temp[] = {"45", "52", "63", "72", "78", "78"};
    const char* zeit[] = {"0", "15", "40", "20", "0", "10"};
    const char* titel[] = {"Einmaischen", "Eiweissrast", "Maltoserast", "Verzuckerung", "Aufheizen",
                           "Abmaischen"};
    for (int i = 1; i <= 6; ++i) {
        Cl_Phase& ph = p.Phase(i);
        ph.setTemperatur(temp[i - 1]);
        ph.setHeizzeit(zeit[i - 1]);
        ph.setHeizphase(Flagtext(i != 1 && i != 5));
        ph.setAufheizphase(Flagtext(i == 1 || i == 5));
        p.Titel(i) = titel[i - 1];
    }

    auto& prot = app.bildschirm<Brauprotokoll>();
    BrauDaten d;
    d.Sudgroesse = "20";
    d.Hauptguss = "16";
    d.Nachguss = "12";
    d.Stammwuerze = "12";
    d.Bittere = "30";
    d.Bitterhopfen = "Hallertauer Magnum";
    d.Bitterhopfenalpha = "12,5";
    d.Bitterhopfzeit = "90";
    d.Bitterhopfenmenge = "48";
    d.Aromahopfen = "Saazer";
    d.Aromahopfenalpha = "3,5";
    d.Aromahopfzeit = "10";
    d.Aromahopfenmenge = "24";
    d.Malzsorte1 = "Pilsner Malz";
    d.Malzmenge1 = "4,2";
    d.Malzkommentar1 = "hell";
    d.Malzsorte2 = "Carahell";
    d.Malzmenge2 = "0,3";
    d.SudNotizen = "Jodprobe nach 40 min normal";
    prot.setzeDaten(d);
    prot.oeffnen();
    foto(prot, ordner, "Brauprotokoll" + endung);
    // all twenty rows
    const Maischprogramm sechs = p;
    p.AnzPhasen = "20";
    for (int i = 1; i <= 20; ++i) {
        p.Phase(i).setHeizphase(Flagtext(true));
        p.Phase(i).setTemperatur(std::to_string(40 + 2 * i));
        p.Phase(i).setHeizzeit("10");
        p.Titel(i) = "Rast " + std::to_string(i);
    }
    prot.oeffnen();
    foto(prot, ordner, "Brauprotokoll_20" + endung);
    p = sechs;

    auto& bit = app.bildschirm<Bittere>();
    setze(bit, "Alpha", "5");
    setze(bit, "Bittere_EBU", "30");
    setze(bit, "Sudgroesse", "20");
    setze(bit, "Stammwuerze", "12");
    setze(bit, "Kochzeit", "90");
    QTest::mouseClick(bit.findChild<QWidget*>("Command2"), Qt::LeftButton);
    foto(bit, ordner, "Bittere" + endung);

    auto& alk = app.bildschirm<Alkohol>();
    setze(alk, "Stammwuerze", "12");
    setze(alk, "Restextrakt", "3");
    QTest::mouseClick(alk.findChild<QWidget*>("Command2"), Qt::LeftButton);
    foto(alk, ordner, "Alkohol" + endung);

    auto& men = app.bildschirm<Berechnungen>();
    men.oeffnen();
    foto(men, ordner, "Berechnungen" + endung);

    foto(app.bildschirm<Jodprobe>(), ordner, "Jodprobe" + endung);
    foto(app.bildschirm<Information>(), ordner, "Information" + endung);

    // A history of 200 samples: heating to 63 °C, hold, heating to 72 °C.
    const std::string his = ordner + "/Beispiel.His";
    {
        std::ofstream f(his, std::ios::binary);
        double ist = 40.0;
        for (int i = 1; i <= 200; ++i) {
            const double soll = i < 100 ? 63.0 : 72.0;
            const double sollAkt = std::min(soll, 40.0 + i * 0.5);
            ist += (sollAkt - ist) * 0.15;
            char zeile[128];
            std::snprintf(zeile, sizeof zeile, "08.12.2026 10:%02d:%02d , %.1f , %.1f , %.1f\r\n",
                          (i * 5) / 60 % 60, (i * 5) % 60, ist, sollAkt, soll);
            f << zeile;
        }
    }
    auto& kurve = app.bildschirm<TEMPZEITKURV>();
    kurve.setzeDateiwahl([his](QWidget*, const QString&) { return QString::fromStdString(his); });
    QTest::mouseClick(kurve.findChild<QWidget*>("LOG"), Qt::LeftButton);
    foto(kurve, ordner, "TEMPZEITKURV" + endung);
    return 0;
}
