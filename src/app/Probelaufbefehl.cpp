#include "app/Probelaufbefehl.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

#include "fileio/AtomicWrite.h"
#include "model/Modellwissen.h"
#include "probelauf/Probelauf.h"
#include "program/Rezeptdatei.h"
#include "texts/Texte.h"

namespace kw {

namespace {

void melde(const std::string& text) { std::fprintf(stderr, "kesselwerk: %s\n", text.c_str()); }

std::string Zahl(double wert, int stellen, char trenner) { return probelauf::Festkomma(wert, stellen, trenner); }

} // namespace

int Probelaufbefehl_Ausfuehren(const Befehlszeile& b, const Probelaufeinstellungen& e)
{
    const std::string rezept = QFile::encodeName(b.probelauf).toStdString();
    if (!Dateiendung_Rez(rezept)) {
        melde(rezept + ": Invalid file extension !");
        return 1;
    }
    Maischprogramm programm;
    BrauDaten daten;
    const Rezeptergebnis r = Rezept_Laden(rezept, programm, daten);
    if (!r.ok()) {
        melde(rezept + ": " + (r.detail.empty() ? std::string("cannot be read") : r.detail));
        return 1;
    }

    const modell::Modellstand m = modell::Modell_Ermitteln(e.ordner, daten);
    for (const modell::Journalbefund& j : m.befunde)
        if (!j.verwendet)
            melde("Sudjournal " + j.datei + " nicht verwendet: " + j.grund);

    const char t = e.dezimaltrenner;
    std::printf("Probelauf \u201E%s\u201C\n", programm.Biersorte.c_str());
    if (m.herkunft == modell::Modellstand::Herkunft::Gelernt)
        std::printf("Kesselmodell: gelernt aus %d Sud%s, Heizrate %s K/min, Verlust %s 1/h, Totzeit %s s, "
                    "Abweichung %s K (RMS), %s K (max), Leistung %s W%s\n",
                    m.sude, m.sude == 1 ? "" : "en", Zahl(m.p.Heizrate_K_min, 3, t).c_str(),
                    Zahl(m.p.Verlust_1_h, 3, t).c_str(), Zahl(m.p.Totzeit_s, 0, t).c_str(),
                    Zahl(m.rms_K, 2, t).c_str(), Zahl(m.max_K, 2, t).c_str(), Zahl(m.p.Leistung_W, 0, t).c_str(),
                    m.leistung_eingetragen ? "" : " (geschätzt aus der Sudgröße)");
    else
        std::printf("Kesselmodell: Standardwerte (%s), Heizrate %s K/min aus %s l und %s W%s, Verlust %s 1/h, "
                    "Totzeit %s s\n",
                    m.hinweis.c_str(), Zahl(m.p.Heizrate_K_min, 3, t).c_str(),
                    Zahl(modell::Volumen_Aus(daten).value_or(modell::Standard_Volumen_l), 1, t).c_str(),
                    Zahl(m.p.Leistung_W, 0, t).c_str(), m.leistung_eingetragen ? "" : " (angenommen)",
                    Zahl(m.p.Verlust_1_h, 3, t).c_str(), Zahl(m.p.Totzeit_s, 0, t).c_str());

    probelauf::Vorgaben v;
    v.kessel = m.p;
    v.start_C = m.start_C.value_or(m.p.Raumtemperatur_C);
    v.antwortzeit_s = m.antwortzeit_s;
    v.gradient = e.gradient;
    v.dezimaltrenner = t;
    if (m.rufe > 0)
        std::printf("Start bei %s °C, Rufe quittiert nach %s s (Median aus %d Rufen)\n", Zahl(v.start_C, 1, t).c_str(),
                    Zahl(v.antwortzeit_s, 0, t).c_str(), m.rufe);
    else
        std::printf("Start bei %s °C, Rufe quittiert nach %s s\n", Zahl(v.start_C, 1, t).c_str(),
                    Zahl(v.antwortzeit_s, 0, t).c_str());

    const probelauf::Ergebnis erg = probelauf::Probelauf(programm, v);
    if (!erg.gestartet) {
        std::fputs(probelauf::Tabelle(erg, t).c_str(), stdout);
        const Sprache sprache = Sprache_Fuer_Nummer(e.sprachnummer);
        for (int nr : erg.meldungen)
            melde(Meldung(sprache, nr));
        return 1;
    }
    std::fputs(probelauf::Tabelle(erg, t).c_str(), stdout);
    std::fflush(stdout);

    int rc = 0;
    if (erg.endlos) {
        const probelauf::Phasenzeile& p = erg.phasen[*erg.endlos];
        melde("Phase " + std::to_string(p.phase) + " \u201E" + p.titel + "\u201C endet nie: " + p.grund);
        rc = 1;
    }
    if (!b.csv.isEmpty()) {
        const std::string ziel = QFile::encodeName(QFileInfo(b.csv).absoluteFilePath()).toStdString();
        const FileResult w = write_atomically(ziel, probelauf::Kurve_CSV(erg), false);
        if (!w.ok()) {
            melde(ziel + ": " + w.text);
            rc = 1;
        }
    }
    return rc;
}

} // namespace kw
