#include "screens/Importpruefung.h"

#include "screens/Anwendung.h"
#include "texts/Importtexte.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kw {

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }
} // namespace

Importpruefung::Importpruefung(Anwendung& a, Importdatei datei, const QString& pfad, QWidget* parent)
    : QDialog(parent), app(a), m_datei(std::move(datei)), m_pfad(pfad)
{
    setObjectName(QStringLiteral("Importpruefung"));
    const Importtexte& t = Importtexte_Fuer(app.texte.aktuell);
    setWindowTitle(q(t.Pruefung_Titel));
    auto* haupt = new QVBoxLayout(this);

    auto* kopf = new QLabel(q(Einsetzen(t.Datei, {pfad.toStdString()})), this);
    haupt->addWidget(kopf);
    Rezeptwahl = new QComboBox(this);
    Rezeptwahl->setObjectName(QStringLiteral("Rezeptwahl"));
    for (const Importrezept& r : m_datei.rezepte)
        Rezeptwahl->addItem(q(r.name.empty() ? r.maischname : r.name));
    if (m_datei.rezepte.size() > 1) {
        auto* zeile = new QHBoxLayout;
        auto* l = new QLabel(q(Einsetzen(t.Rezeptwahl, {std::to_string(m_datei.rezepte.size())})), this);
        l->setBuddy(Rezeptwahl);
        zeile->addWidget(l);
        zeile->addWidget(Rezeptwahl, 1);
        haupt->addLayout(zeile);
    } else {
        Rezeptwahl->hide();
    }

    Ablehnung = new QLabel(this);
    Ablehnung->setObjectName(QStringLiteral("Ablehnung"));
    Ablehnung->setWordWrap(true);
    Ablehnung->setStyleSheet(QStringLiteral("color: rgb(200,0,0); font-weight: bold;"));
    haupt->addWidget(Ablehnung);

    auto* phasen = new QGroupBox(q(t.Phasen), this);
    auto* pl = new QVBoxLayout(phasen);
    Phasenliste = new QTableWidget(0, 7, phasen);
    Phasenliste->setObjectName(QStringLiteral("Phasenliste"));
    Phasenliste->setHorizontalHeaderLabels({q(t.Spalte_Nr), q(t.Spalte_Art), q(t.Spalte_Ziel), q(t.Spalte_Minuten),
                                            q(t.Spalte_Ruf), q(t.Spalte_Ruftext), q(t.Spalte_Titel)});
    Phasenliste->verticalHeader()->hide();
    Phasenliste->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Phasenliste->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Phasenliste->horizontalHeader()->setStretchLastSection(true);
    pl->addWidget(Phasenliste);
    haupt->addWidget(phasen, 3);

    auto* mitte = new QHBoxLayout;
    auto* daten = new QGroupBox(q(t.Braudaten), this);
    auto* dl = new QVBoxLayout(daten);
    Braudatenliste = new QTableWidget(0, 2, daten);
    Braudatenliste->setObjectName(QStringLiteral("Braudatenliste"));
    Braudatenliste->horizontalHeader()->hide();
    Braudatenliste->verticalHeader()->hide();
    Braudatenliste->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Braudatenliste->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    Braudatenliste->horizontalHeader()->setStretchLastSection(true);
    dl->addWidget(Braudatenliste);
    mitte->addWidget(daten, 2);
    auto* warnungen = new QGroupBox(q(t.Warnungen), this);
    auto* wl = new QVBoxLayout(warnungen);
    Warnungsliste = new QListWidget(warnungen);
    Warnungsliste->setObjectName(QStringLiteral("Warnungsliste"));
    Warnungsliste->setWordWrap(true);
    Warnungsliste->setSpacing(3);
    Warnungsliste->setAlternatingRowColors(true);
    wl->addWidget(Warnungsliste);
    mitte->addWidget(warnungen, 3);
    haupt->addLayout(mitte, 2);

    // stirrer for all phases, prefilled from phase 1 of the program in use
    auto* ruehr = new QGroupBox(q(t.Ruehrwerk), this);
    auto* rl = new QHBoxLayout(ruehr);
    const auto zahl = [&](const char* name, const std::string& vorgabe) {
        auto* f = new QLineEdit(q(vorgabe), ruehr);
        f->setObjectName(QString::fromLatin1(name));
        f->setValidator(new QIntValidator(0, 9999, f));
        f->setMaxLength(4);
        f->setFixedWidth(fontMetrics().horizontalAdvance(u'0') * 6 + 14);
        f->setAlignment(Qt::AlignRight);
        return f;
    };
    const Cl_Phase& erste = app.anlage.Programm.Phase(1);
    Ruehrimpuls = zahl("Ruehrimpuls", erste.Ruehrimpuls());
    Ruehrpause = zahl("Ruehrpause", erste.Ruehrpause());
    const auto beschriftung = [&](const char* steuerelement) {
        const std::string* s = app.texte.beschriftung("PARAMETER", steuerelement);
        return s ? q(*s) : QString();
    };
    rl->addWidget(new QLabel(beschriftung("Label5"), ruehr));
    rl->addWidget(Ruehrimpuls);
    rl->addWidget(new QLabel(QStringLiteral("Sec."), ruehr));
    rl->addSpacing(24);
    rl->addWidget(new QLabel(beschriftung("Label7"), ruehr));
    rl->addWidget(Ruehrpause);
    rl->addWidget(new QLabel(QStringLiteral("Sec."), ruehr));
    rl->addStretch(1);
    haupt->addWidget(ruehr);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setObjectName(QStringLiteral("OK"));
    Abbrechen = new QPushButton(q(t.Abbrechen), this);
    Abbrechen->setObjectName(QStringLiteral("Abbrechen"));
    knoepfe->addWidget(OK);
    knoepfe->addWidget(Abbrechen);
    haupt->addLayout(knoepfe);
    connect(OK, &QPushButton::clicked, this, [this] { OK_Klick(); });
    connect(Abbrechen, &QPushButton::clicked, this, &QDialog::reject);
    connect(Rezeptwahl, &QComboBox::currentIndexChanged, this, [this] { abbilden(); });

    abbilden();
    resize(980, 680);
}

void Importpruefung::abbilden()
{
    const Importtexte& t = Importtexte_Fuer(app.texte.aktuell);
    const int i = std::max(0, Rezeptwahl->currentIndex());
    Importvorgaben v;
    v.sprache = app.texte.aktuell;
    v.dezimaltrenner = app.anlage.Dezimaltrenner;
    v.ruehrimpuls = v.ruehrpause = "0";  // set from the fields at OK
    v.ersatzname = QFileInfo(m_pfad).completeBaseName().toStdString();
    m_abbildung = Rezept_Abbilden(m_datei, m_datei.rezepte.at(std::size_t(i)), v);
    const Importabbildung& a = m_abbildung;

    Ablehnung->setText(a.ok() ? QString() : q(a.fehler + " " + t.Nichts_Geaendert));
    Ablehnung->setVisible(!a.ok());
    OK->setEnabled(a.ok());

    const auto text = [&](const char* bildschirm, const char* steuerelement) {
        const std::string* s = app.texte.beschriftung(bildschirm, steuerelement);
        return s ? q(*s) : QString::fromLatin1(steuerelement);
    };
    Phasenliste->setRowCount(a.phasen);
    for (int n = 1; n <= a.phasen; ++n) {
        const Cl_Phase& p = a.programm.Phase(n);
        const QString art = Ist_Heizphase(p)     ? text("PARAMETER", "Par_Heizphase")
            : Ist_Aufheizphase(p)                ? text("PARAMETER", "Par_Aufheizphase")
                                                 : text("PARAMETER", "Par_Kuehlphase");
        const QString ruf = Flag_Lesen(p.Ruf_Ende_Phase())   ? text("PARAMETER", "Par_Ruf_Ende_Phase")
            : Flag_Lesen(p.Ruf_nach_Rufzeit())                ? text("PARAMETER", "Par_Ruf_nach_Rufzeit") + u' '
                    + q(p.Rufzeit()) + QStringLiteral(" Min.")
                                                              : text("PARAMETER", "Par_KeinRuf");
        const QString zellen[] = {QString::number(n), art, q(p.Temperatur()), q(p.Heizzeit()), ruf,
                                  q(p.Ruftext()), q(a.programm.Titel(n))};
        for (int c = 0; c < 7; ++c)
            Phasenliste->setItem(n - 1, c, new QTableWidgetItem(zellen[c]));
    }

    Braudatenliste->setRowCount(0);
    const auto zeile = [&](const QString& feld, const std::string& wert) {
        if (wert.empty())
            return;
        const int r = Braudatenliste->rowCount();
        Braudatenliste->insertRow(r);
        Braudatenliste->setItem(r, 0, new QTableWidgetItem(feld));
        Braudatenliste->setItem(r, 1, new QTableWidgetItem(q(wert)));
    };
    if (a.ok()) {
        if (a.nur_maische) {
            Braudatenliste->insertRow(0);
            Braudatenliste->setItem(0, 0, new QTableWidgetItem(q(t.Braudaten_Bleiben)));
        } else {
            const BrauDaten& d = a.daten;
            zeile(text("Brauprotokoll", "Label3"), a.programm.Biersorte);
            zeile(text("Brauprotokoll", "Label4"), d.Sudgroesse);
            zeile(text("Brauprotokoll", "Label5"), d.Hauptguss);
            zeile(text("Brauprotokoll", "Label6"), d.Nachguss);
            zeile(text("Brauprotokoll", "Label7") + QStringLiteral(" [°P]"), d.Stammwuerze);
            zeile(text("Brauprotokoll", "Label8") + QStringLiteral(" [IBU]"), d.Bittere);
            const auto hopfen = [&](const char* label, const std::string& s, const std::string& al,
                                    const std::string& z, const std::string& g) {
                if (s.empty())
                    return;
                zeile(text("Brauprotokoll", label),
                      s + ", " + al + " %, " + z + " min, " + g + " g");
            };
            hopfen("Label13", d.Bitterhopfen, d.Bitterhopfenalpha, d.Bitterhopfzeit, d.Bitterhopfenmenge);
            hopfen("Label14", d.Aromahopfen, d.Aromahopfenalpha, d.Aromahopfzeit, d.Aromahopfenmenge);
            const std::string* sorte[] = {&d.Malzsorte1, &d.Malzsorte2, &d.Malzsorte3, &d.Malzsorte4};
            const std::string* menge[] = {&d.Malzmenge1, &d.Malzmenge2, &d.Malzmenge3, &d.Malzmenge4};
            const char* label[] = {"Label18", "Label19", "Label20", "Label21"};
            for (int k = 0; k < 4; ++k)
                if (!sorte[k]->empty())
                    zeile(text("Brauprotokoll", label[k]), *sorte[k] + (menge[k]->empty() ? "" : ", " + *menge[k] + " kg"));
            zeile(text("Brauprotokoll", "Frame4"), d.SudNotizen);
        }
    }

    Warnungsliste->clear();
    for (const std::string& w : a.warnungen) {
        // the stirrer is asked here, not missing
        if (w != t.W_Kein_Ruehrwerk)
            Warnungsliste->addItem(q(w));
    }
    if (Warnungsliste->count() == 0)
        Warnungsliste->addItem(q(t.Keine_Warnungen));
}

void Importpruefung::OK_Klick()
{
    if (!m_abbildung.ok())
        return;
    Importabbildung a = m_abbildung;
    Ruehrwerk_Setzen(a.programm, Ruehrimpuls->text().toStdString(), Ruehrpause->text().toStdString());
    Q_EMIT uebernehmen(a);
    accept();
}

} // namespace kw
