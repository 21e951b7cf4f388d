#include "app/Importbefehl.h"

#include "import/Rezeptimport.h"
#include "program/Rezeptdatei.h"
#include "texts/Importtexte.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <set>

namespace kw {

namespace {

void melde(const std::string& text) { std::fprintf(stderr, "kesselwerk: %s\n", text.c_str()); }

} // namespace

int Importbefehl_Ausfuehren(const Befehlszeile& b, int sprachnummer, char dezimaltrenner)
{
    const Sprache sprache = Sprache_Fuer_Nummer(sprachnummer);
    const Importtexte& t = Importtexte_Fuer(sprache);
    const Importdatei datei = Importdatei_Lesen(b.importieren.toStdString(), sprache);
    if (!datei.ok()) {
        melde(datei.fehler + " " + t.Nichts_Geaendert);
        return 1;
    }
    std::vector<const Importrezept*> gewaehlt;
    if (!b.rezept.isEmpty()) {
        for (const Importrezept& r : datei.rezepte)
            if (QString::fromStdString(r.name) == b.rezept)
                gewaehlt.push_back(&r);
        if (gewaehlt.empty()) {
            std::string namen;
            for (const Importrezept& r : datei.rezepte)
                namen += (namen.empty() ? "" : ", ") + ("\u201E" + r.name + "\u201C");
            melde(Einsetzen(t.F_Rezept_Fehlt, {b.rezept.toStdString(), namen}) + " " + t.Nichts_Geaendert);
            return 1;
        }
        gewaehlt.resize(1);
    } else {
        for (const Importrezept& r : datei.rezepte)
            gewaehlt.push_back(&r);
    }

    Importvorgaben v;
    v.sprache = sprache;
    v.dezimaltrenner = dezimaltrenner;
    v.ruehrimpuls = b.ruehrimpuls.toStdString();
    v.ruehrpause = b.ruehrpause.toStdString();
    v.ersatzname = QFileInfo(b.importieren).completeBaseName().toStdString();

    // every recipe first: one refusal and nothing is written
    std::vector<Importabbildung> abbildungen;
    std::set<std::string> namen;
    bool abgelehnt = false;
    for (const Importrezept* r : gewaehlt) {
        Importabbildung a = Rezept_Abbilden(datei, *r, v);
        if (!a.ok()) {
            melde((r->name.empty() ? std::string() : r->name + ": ") + a.fehler);
            abgelehnt = true;
            continue;
        }
        // two recipes of one name would share one file
        const std::string basis = a.programm.Biersorte;
        for (int n = 2; !namen.insert(a.programm.Biersorte).second; ++n)
            a.programm.Biersorte = basis + " (" + std::to_string(n) + ")";
        if (a.programm.Biersorte != basis)
            a.warnungen.push_back(Einsetzen(t.W_Name_Datei, {basis, a.programm.Biersorte}));
        abbildungen.push_back(std::move(a));
    }
    if (abgelehnt) {
        melde(t.Nichts_Geaendert);
        return 1;
    }

    const std::string ordner = QDir(b.nach).absolutePath().toStdString();
    if (!QFileInfo(b.nach).isDir()) {
        melde(Einsetzen(t.F_Lesen, {ordner, "no folder"}) + " " + t.Nichts_Geaendert);
        return 1;
    }
    int rc = 0;
    for (Importabbildung& a : abbildungen) {
        for (const std::string& w : a.warnungen)
            melde(a.programm.Biersorte + ": " + w);
        const std::string ziel = Rezeptpfad(ordner, a.programm.Biersorte);
        const bool da = QFileInfo::exists(QString::fromStdString(ziel));
        const Rezeptergebnis r = Rezept_Speichern(ordner, a.programm, a.daten);
        if (!r.ok()) {
            melde(ziel + ": " + (r.detail.empty() ? std::string("cannot be written") : r.detail));
            rc = 1;
            continue;
        }
        if (da)
            melde(Einsetzen(t.W_Datei_Da, {r.pfad}));
        std::printf("%s\n", r.pfad.c_str());
    }
    return rc;
}

} // namespace kw
