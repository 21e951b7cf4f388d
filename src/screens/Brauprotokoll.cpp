#include "screens/Brauprotokoll.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>

#include "aids/Brauprotokoll.h"
#include "journal/Journal_Lesen.h"
#include "screens/Braubericht.h"
#include "texts/Journaltexte.h"
#include "core/Zeittext.h"
#include "program/Funktionen.h"
#include "screens/Anwendung.h"
#include "screens/Hilfsfelder.h"

namespace kw {

using hilfen::Beschriftung;
using hilfen::Dezimalfeld;
using hilfen::Textfeld;

namespace {

// Control of each brew-data field, in the order of BrauDaten_Felder.
constexpr std::array<const char*, BrauDaten_Felder.size()> Feldnamen{
    "Sudgroesse",     "Hauptguss",     "Nachguss",          "Stammwuerze",
    "Bittere",        "Bitterhopfen",  "Bitterhopfenalpha", "Bitterhopfzeit",
    "Bitterhopfenmenge", "Aromahopfen", "Aromahopfenalpha", "Aromahopfzeit",
    "Aromahopfenmenge", "Malzsorte1",  "Malzmenge1",        "Malzkommentar1",
    "Malzsorte2",     "Malzmenge2",    "Malzkommentar2",    "Malzsorte3",
    "Malzmenge3",     "Malzkommentar3", "Malzsorte4",       "Malzmenge4",
    "Malzkommentar4", "SudNotizen",
};

QString q(const std::string& s) { return QString::fromStdString(s); }
QString nr(const char* name, int i) { return QString::fromLatin1(name) + u'_' + QString::number(i); }

QGroupBox* Rahmen(const char* name, QWidget* eltern)
{
    auto* g = new QGroupBox(eltern);
    g->setObjectName(QString::fromLatin1(name));
    return g;
}

} // namespace

void Brauprotokoll::Phasenzeile::sichtbar(bool ja) const
{
    PhaseTemp->setVisible(ja);
    PhaseGrad->setVisible(ja);
    PhaseZeit->setVisible(ja);
    PhaseMinut->setVisible(ja);
    PhaseKomm->setVisible(ja);
}

Brauprotokoll::Brauprotokoll(Anwendung& app) : QWidget(nullptr), m_app(app)
{
    setWindowTitle(QStringLiteral("Brau-Protokoll"));
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* titel = Beschriftung("Label1", {}, this);
    QFont gross = titel->font();
    gross.setPointSizeF(gross.pointSizeF() * 1.6);
    gross.setBold(true);
    titel->setFont(gross);

    // --- batch data ---
    auto* suddaten = Rahmen("Frame1", this);
    auto* sg = new QGridLayout(suddaten);
    auto* lDatum = Beschriftung("Label2", {}, suddaten);
    m_Datum = Textfeld("Datum", suddaten);
    auto* lSorte = Beschriftung("Label3", {}, suddaten);
    m_Biersorte = Textfeld("Biersorte", suddaten);
    auto* lSud = Beschriftung("Label4", {}, suddaten);
    auto* Sudgroesse = Dezimalfeld(app, "Sudgroesse", suddaten);
    auto* lHaupt = Beschriftung("Label5", {}, suddaten);
    auto* Hauptguss = Dezimalfeld(app, "Hauptguss", suddaten);
    auto* lNach = Beschriftung("Label6", {}, suddaten);
    auto* Nachguss = Dezimalfeld(app, "Nachguss", suddaten);
    auto* lStamm = Beschriftung("Label7", {}, suddaten);
    auto* Stammwuerze = Textfeld("Stammwuerze", suddaten);
    auto* lBitter = Beschriftung("Label8", {}, suddaten);
    auto* Bittere = Textfeld("Bittere", suddaten);
    sg->addWidget(lDatum, 0, 0);
    sg->addWidget(m_Datum, 0, 1);
    sg->addWidget(lSorte, 0, 2);
    sg->addWidget(m_Biersorte, 0, 3);
    sg->addWidget(lSud, 1, 0);
    sg->addWidget(Sudgroesse, 1, 1);
    sg->addWidget(lStamm, 1, 2);
    sg->addWidget(Stammwuerze, 1, 3);
    sg->addWidget(lHaupt, 2, 0);
    sg->addWidget(Hauptguss, 2, 1);
    sg->addWidget(lBitter, 2, 2);
    sg->addWidget(Bittere, 2, 3);
    sg->addWidget(lNach, 3, 0);
    sg->addWidget(Nachguss, 3, 1);
    m_Datum->setMinimumWidth(180);
    m_Biersorte->setMinimumWidth(180);
    sg->setColumnStretch(1, 1);
    sg->setColumnStretch(3, 1);

    // --- hopping ---
    auto* hopfung = Rahmen("Frame2", this);
    auto* hg = new QGridLayout(hopfung);
    hg->addWidget(Beschriftung("Label9", {}, hopfung), 0, 1);
    hg->addWidget(Beschriftung("Label10", {}, hopfung), 0, 2);
    hg->addWidget(Beschriftung("Label11", {}, hopfung), 0, 3);
    hg->addWidget(Beschriftung("Label12", {}, hopfung), 0, 4);
    const char* hopfen[2][5] = {
        {"Label13", "Bitterhopfen", "Bitterhopfenalpha", "Bitterhopfzeit", "Bitterhopfenmenge"},
        {"Label14", "Aromahopfen", "Aromahopfenalpha", "Aromahopfzeit", "Aromahopfenmenge"},
    };
    for (int r = 0; r < 2; ++r) {
        hg->addWidget(Beschriftung(hopfen[r][0], {}, hopfung), r + 1, 0);
        auto* sorte = Textfeld(hopfen[r][1], hopfung);
        sorte->setMinimumWidth(200);
        hg->addWidget(sorte, r + 1, 1);
        for (int s = 2; s <= 3; ++s) {
            auto* f = Textfeld(hopfen[r][s], hopfung);
            f->setFixedWidth(90);
            hg->addWidget(f, r + 1, s);
        }
        auto* menge = Dezimalfeld(app, hopfen[r][4], hopfung);
        menge->setFixedWidth(90);
        hg->addWidget(menge, r + 1, 4);
    }
    hg->setColumnStretch(1, 1);

    // --- malt and other ingredients ---
    auto* malz = Rahmen("Frame3", this);
    auto* mg = new QGridLayout(malz);
    mg->addWidget(Beschriftung("Label15", {}, malz), 0, 1);
    mg->addWidget(Beschriftung("Label16", {}, malz), 0, 2);
    mg->addWidget(Beschriftung("Label17", {}, malz), 0, 3);
    for (int n = 1; n <= 4; ++n) {
        const std::string i = std::to_string(n);
        mg->addWidget(Beschriftung(("Label" + std::to_string(17 + n)).c_str(), {}, malz), n, 0);
        auto* sorte = Textfeld(("Malzsorte" + i).c_str(), malz);
        sorte->setMinimumWidth(180);
        mg->addWidget(sorte, n, 1);
        auto* menge = Dezimalfeld(app, ("Malzmenge" + i).c_str(), malz);
        menge->setFixedWidth(90);
        mg->addWidget(menge, n, 2);
        auto* kommentar = Textfeld(("Malzkommentar" + i).c_str(), malz);
        kommentar->setMinimumWidth(200);
        mg->addWidget(kommentar, n, 3);
    }
    mg->setColumnStretch(1, 2);
    mg->setColumnStretch(3, 3);

    // --- notes ---
    auto* notizen = Rahmen("Frame4", this);
    auto* ng = new QVBoxLayout(notizen);
    ng->addWidget(Textfeld("SudNotizen", notizen));

    // --- rescaling ---
    auto* umrechnung = Rahmen("Frame6", this);
    auto* ug = new QGridLayout(umrechnung);
    ug->addWidget(Beschriftung("Label26", {}, umrechnung), 0, 0);
    m_SudGroesseNeu = Dezimalfeld(app, "SudGroesseNeu", umrechnung);
    m_SudGroesseNeu->setFixedWidth(90);
    ug->addWidget(m_SudGroesseNeu, 0, 1);
    ug->addWidget(Beschriftung("Label27", {}, umrechnung), 0, 2);
    auto* umrechnen = new QPushButton(umrechnung);
    umrechnen->setObjectName(QStringLiteral("Command1"));
    ug->addWidget(umrechnen, 0, 4);
    ug->setColumnStretch(3, 1);
    auto* hinweis = Beschriftung("Label28", {}, umrechnung);
    hinweis->setWordWrap(true);
    ug->addWidget(hinweis, 1, 0, 1, 5);
    connect(umrechnen, &QPushButton::clicked, this, &Brauprotokoll::Mengen_Umrechnen_Klick);

    // --- holding phases ---
    auto* phasen = Rahmen("Frame5", this);
    auto* pg = new QGridLayout(phasen);
    pg->setVerticalSpacing(2);
    pg->addWidget(Beschriftung("Label25", {}, phasen), 0, 0, 1, 5);
    pg->addWidget(Beschriftung("Label22", {}, phasen), 1, 0, 1, 2);
    pg->addWidget(Beschriftung("Label23", {}, phasen), 1, 2, 1, 2);
    pg->addWidget(Beschriftung("Label24", {}, phasen), 1, 4);
    for (int k = 1; k <= Max_Phasen; ++k) {
        Phasenzeile& z = m_zeilen[static_cast<std::size_t>(k - 1)];
        z.PhaseTemp = new QLineEdit(phasen);
        z.PhaseTemp->setObjectName(nr("PhaseTemp", k));
        z.PhaseTemp->setFixedWidth(60);
        z.PhaseGrad = new QLabel(QStringLiteral("°C"), phasen);
        z.PhaseGrad->setObjectName(nr("PhaseGrad", k));
        z.PhaseZeit = new QLineEdit(phasen);
        z.PhaseZeit->setObjectName(nr("PhaseZeit", k));
        z.PhaseZeit->setFixedWidth(60);
        z.PhaseMinut = new QLabel(QStringLiteral("Min"), phasen);
        z.PhaseMinut->setObjectName(nr("PhaseMinut", k));
        z.PhaseKomm = new QLineEdit(phasen);
        z.PhaseKomm->setObjectName(nr("PhaseKomm", k));
        z.PhaseKomm->setMinimumWidth(220);
        pg->addWidget(z.PhaseTemp, k + 1, 0);
        pg->addWidget(z.PhaseGrad, k + 1, 1);
        pg->addWidget(z.PhaseZeit, k + 1, 2);
        pg->addWidget(z.PhaseMinut, k + 1, 3);
        pg->addWidget(z.PhaseKomm, k + 1, 4);
    }
    pg->setColumnStretch(4, 1);
    pg->setRowStretch(Max_Phasen + 2, 1);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setMinimumWidth(120);
    connect(ok, &QPushButton::clicked, this, &Brauprotokoll::OK_Klick);
    m_BRAUBERICHT = new QPushButton(this);
    m_BRAUBERICHT->setObjectName(QStringLiteral("BRAUBERICHT"));
    m_BRAUBERICHT->setMinimumWidth(160);
    connect(m_BRAUBERICHT, &QPushButton::clicked, this, &Brauprotokoll::Braubericht_Klick);
    const auto bericht_beschriften = [this] {
        m_BRAUBERICHT->setText(q(Journaltexte_Fuer(m_app.texte.aktuell).BRAUBERICHT));
    };
    bericht_beschriften();
    connect(&app, &Anwendung::spracheGeaendert, this, bericht_beschriften);
    m_journalwahl = [this](QWidget* eltern, const QString& ordner, const QString& vorschlag) {
        return QFileDialog::getOpenFileName(eltern, q(Journaltexte_Fuer(m_app.texte.aktuell).Journal_Waehlen),
                                            vorschlag.isEmpty() ? ordner : vorschlag, QStringLiteral("*.csv"));
    };
    m_anzeiger = [](const QString& pdf) { QDesktopServices::openUrl(QUrl::fromLocalFile(pdf)); };

    // --- arrangement: sheet on the left, phase list on the right ---
    auto* links = new QVBoxLayout;
    links->addWidget(suddaten);
    links->addWidget(hopfung);
    links->addWidget(malz);
    links->addWidget(notizen);
    links->addWidget(umrechnung);
    links->addStretch(1);
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(phasen, 1);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    knoepfe->addWidget(m_BRAUBERICHT);
    knoepfe->addWidget(ok);
    rechts->addLayout(knoepfe);
    auto* spalten = new QHBoxLayout;
    spalten->addLayout(links, 3);
    spalten->addLayout(rechts, 2);
    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(titel);
    haupt->addLayout(spalten, 1);
    resize(1200, 760);

    for (std::size_t i = 0; i < Feldnamen.size(); ++i) {
        QLineEdit* feld = findChild<QLineEdit*>(QString::fromLatin1(Feldnamen[i]));
        m_datenfelder[i] = feld;
        feld->setText(q(app.brauDaten.*(BrauDaten_Felder[i].feld)));
        // The application's brew data follow the sheet on every change.
        connect(feld, &QLineEdit::textChanged, this, [this, i](const QString& text) {
            m_app.brauDaten.*(BrauDaten_Felder[i].feld) = text.toStdString();
        });
    }

    // The brew's date: the program's start.
    m_Datum->setText(q(Datum_Zeit_Text(app.jetzt())));
    for (const Phasenzeile& z : m_zeilen)
        z.sichtbar(false);
}

void Brauprotokoll::Fuellen()
{
    const Maischprogramm& programm = m_app.anlage.Programm;
    m_Biersorte->setText(q(programm.Biersorte));

    for (const Phasenzeile& z : m_zeilen)
        z.sichtbar(true);
    int k = 0;
    if (!programm.AnzPhasen.empty()) {
        // A hand-edited recipe may hold a count beyond the table.
        const int anzahl = std::min<int>(Zahl_Aus_Text(programm.AnzPhasen), Max_Phasen);
        for (int i = 1; i <= anzahl; ++i) {
            const Cl_Phase& p = programm.Phase(i);
            if (!Flag_Lesen(p.Heizphase()))
                continue;
            const Phasenzeile& z = m_zeilen[static_cast<std::size_t>(k)];
            ++k;
            z.PhaseTemp->setText(q(p.Temperatur()));
            z.PhaseZeit->setText(q(p.Heizzeit()));
            z.PhaseKomm->setText(q(programm.Titel(i)));
        }
    }
    for (int r = k; r < Max_Phasen; ++r)
        m_zeilen[static_cast<std::size_t>(r)].sichtbar(false);
    m_zeilenSichtbar = k;
}

void Brauprotokoll::aktualisieren()
{
    setzeDaten(m_app.brauDaten);
}

void Brauprotokoll::oeffnen()
{
    aktualisieren();
    Fuellen();
    hilfen::Vorholen(*this);
}

BrauDaten Brauprotokoll::daten() const
{
    BrauDaten d;
    for (std::size_t i = 0; i < BrauDaten_Felder.size(); ++i)
        d.*(BrauDaten_Felder[i].feld) = m_datenfelder[i]->text().toStdString();
    return d;
}

void Brauprotokoll::setzeDaten(const BrauDaten& d)
{
    for (std::size_t i = 0; i < BrauDaten_Felder.size(); ++i) {
        const QString text = q(d.*(BrauDaten_Felder[i].feld));
        if (m_datenfelder[i]->text() != text)
            m_datenfelder[i]->setText(text);
    }
}

void Brauprotokoll::Bitterhopfenmenge_Uebernehmen(const QString& menge)
{
    BrauDaten d = daten();
    Uebernahme_Bitterhopfen(d, menge.toStdString());
    setzeDaten(d);
}

void Brauprotokoll::Aromahopfenmenge_Uebernehmen(const QString& menge)
{
    BrauDaten d = daten();
    Uebernahme_Aromahopfen(d, menge.toStdString());
    setzeDaten(d);
}

void Brauprotokoll::Mengen_Umrechnen_Klick()
{
    const UmrechnungsErgebnis r =
        Mengen_Umrechnen(daten(), m_SudGroesseNeu->text().toStdString(), m_app.anlage.Dezimaltrenner);
    if (r.abgelehnt()) {
        m_app.zeige(r.meldung);
        return;
    }
    setzeDaten(r.daten);
    m_SudGroesseNeu->setText(q(r.SudGroesseNeu));
}

void Brauprotokoll::OK_Klick()
{
    hide();
    hilfen::Zeigen(m_app, "Grundbild");
}

void Brauprotokoll::Braubericht_Klick()
{
    const Journaltexte& t = Journaltexte_Fuer(m_app.texte.aktuell);
    const std::string ordner = m_app.journal().Ordner();
    const auto neuestes = journal::Neuestes_Journal(ordner);
    if (!neuestes) {
        m_app.meldungsanzeige().zeige(q(t.Kein_Journal));
        return;
    }
    // The newest is proposed; another one may be chosen.
    const QString gewaehlt = m_journalwahl(this, q(ordner), q(*neuestes));
    if (gewaehlt.isEmpty() || m_app.beendet())
        return;   // cancelled, or the program ended while the chooser was open
    const Berichtsergebnis r = Braubericht_Schreiben(gewaehlt.toStdString(), m_app.texte);
    if (!r.ok) {
        m_app.meldungsanzeige().zeige(q(t.Bericht_Fehler).arg(q(r.fehler)), QString(), QMessageBox::Warning);
        return;
    }
    if (m_anzeiger)
        m_anzeiger(q(r.pdf));
}

} // namespace kw
