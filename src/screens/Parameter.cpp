#include "screens/Parameter.h"

#include "program/Funktionen.h"
#include "screens/Anwendung.h"
#include "screens/Brauprotokoll.h"
#include "screens/Importpruefung.h"
#include "texts/Importtexte.h"
#include "screens/Parameter2.h"
#include "screens/Probelaufanzeige.h"
#include "screens/Sichtbarkeit.h"
#include "screens/Zahlenfeld.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace kw {

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

// Recipe errors have no numbered message; German where German is chosen,
// English otherwise. The rule for beer names and the refused link speak every
// language (the history file shows the same text).
QString Rezeptmeldung(const Rezeptergebnis& r, bool speichern, bool deutsch, const Dateitexte& dateitexte)
{
    using F = Rezeptergebnis::Fehler;
    const auto w = [deutsch](const QString& de, const QString& en) { return deutsch ? de : en; };
    const QString pfad = text(r.pfad);
    const QString detail = r.detail.empty() ? QString() : QString(u" (" + text(r.detail) + u')');
    if (!speichern) {
        if (r.fehler == F::Zu_Gross)
            return w(u"Die Datei " + pfad + u" ist zu groß für ein Rezept. Es wurde nichts geladen.",
                     u"The file " + pfad + u" is too large for a recipe. Nothing was loaded.");
        return w(u"Die Datei " + pfad + u" kann nicht gelesen werden" + detail + u". Es wurde nichts geladen.",
                 u"The file " + pfad + u" cannot be read" + detail + u". Nothing was loaded.");
    }
    if (r.fehler == F::Ungueltiger_Name)
        return text(dateitexte.Name_Ungueltig).arg(text(r.detail));
    if (r.fehler == F::Link_Verweigert)
        return text(dateitexte.Link_Verweigert).arg(pfad);
    QString m = w(QStringLiteral("Das Rezept wurde nicht gespeichert: "),
                  QStringLiteral("The recipe was not saved: "));
    switch (r.fehler) {
    case F::Ungueltiger_Name:
    case F::Link_Verweigert:
        break;
    case F::Kein_Ordner:
        m += w(QStringLiteral("Der Programmordner ist nicht bekannt."),
               QStringLiteral("the program folder is not known."));
        break;
    case F::Lesefehler:
        m += w(u"Die vorhandene Datei " + pfad + u" kann nicht gelesen werden" + detail + u". Sie bleibt unverändert.",
               u"the existing file " + pfad + u" cannot be read" + detail + u". It is left as it is.");
        break;
    case F::Zu_Gross:
        m += w(u"Die vorhandene Datei " + pfad + u" ist zu groß für ein Rezept. Sie bleibt unverändert.",
               u"the existing file " + pfad + u" is too large for a recipe. It is left as it is.");
        break;
    case F::Schreibfehler:
    case F::Keiner:
        m += w(pfad + u" kann nicht geschrieben werden" + detail + u". Eine vorhandene Datei bleibt unverändert.",
               pfad + u" cannot be written" + detail + u". An existing file is left as it is.");
        break;
    }
    return m;
}

} // namespace

void Tabulatorfolge_Setzen(Anwendung& app)
{
    if (app.geladen(Parameter::Name))
        app.bildschirm<Parameter>().tabulatorfolge();
    if (app.geladen(Parameter2::Name))
        app.bildschirm<Parameter2>().tabulatorfolge();
}

Parameter::Parameter(Anwendung& a)
    : Phasenseite(a, Erste_Phase, QStringLiteral("PHASE 11 - 20"))
{
    auto* Label11 = new QLabel(QStringLiteral("BIER - SORTE:"), Frame1);
    Label11->setObjectName(QStringLiteral("Label11"));
    Par_Biersorte = new QLineEdit(Frame1);
    Par_Biersorte->setObjectName(QStringLiteral("Par_Biersorte"));
    Par_Biersorte->setMinimumWidth(220);
    connect(Par_Biersorte, &QLineEdit::textChanged, this,
            [this](const QString& t) { app.anlage.Programm.Biersorte = t.toStdString(); });

    auto* Label12 = new QLabel(QStringLiteral("ANZAHL  PHASEN:"), Frame1);
    Label12->setObjectName(QStringLiteral("Label12"));
    Par_AnzPhasen = new Zahlenfeld(&Tastenpruefung_Phasenanzahl, 0, Frame1);
    Par_AnzPhasen->setObjectName(QStringLiteral("Par_AnzPhasen"));
    Eingabelaenge_Begrenzen(*Par_AnzPhasen, 2);
    Par_AnzPhasen->setFixedWidth(Par_AnzPhasen->fontMetrics().horizontalAdvance(u'0') * 4 + 14);
    Par_AnzPhasen->setAlignment(Qt::AlignRight);
    connect(Par_AnzPhasen, &QLineEdit::textChanged, this,
            [this](const QString& t) { app.anlage.Programm.AnzPhasen = t.toStdString(); });
    connect(Par_AnzPhasen, &Zahlenfeld::abgelehnt, &app, [this](int nr) { app.zeige(nr); });
    connect(Par_AnzPhasen, &Zahlenfeld::losgelassen, this, [this] { AnzPhasen_Losgelassen(); });

    Command5 = knopf("Command5", QStringLiteral("LADEN"));
    Command4 = knopf("Command4", QStringLiteral("SPEICHERN"));
    connect(Command5, &QPushButton::clicked, this, [this] { LADEN(); });
    connect(Command4, &QPushButton::clicked, this, [this] { SPEICHERN(); });
    Command_Import = knopf("Command_Import", QStringLiteral("IMPORT"));
    connect(Command_Import, &QPushButton::clicked, this, [this] { IMPORT(); });
    connect(&app, &Anwendung::spracheGeaendert, this, [this] { Importknopf_Beschriften(); });
    Importknopf_Beschriften();
    Command_Probelauf = knopf("Command_Probelauf", QStringLiteral("PROBELAUF"));
    connect(Command_Probelauf, &QPushButton::clicked, this, [this] { PROBELAUF(); });

    kopf->addWidget(Label11);
    kopf->addWidget(Par_Biersorte, 2);
    kopf->addSpacing(16);
    kopf->addWidget(Label12);
    kopf->addWidget(Par_AnzPhasen);
    kopf->addStretch(1);
    kopf->addWidget(Command5);
    kopf->addWidget(Command4);
    kopf->addWidget(Command_Import);
    kopf->addWidget(Command_Probelauf);
    kopf->addSpacing(16);
    kopf->addWidget(Command6);
    kopf->addWidget(Command1);

    connect(this, &Phasenseite::beruehrt, this, [this](int n) { Bearbeitete_Phase = n; });
    fertigstellen();
}

void Parameter::oeffnen()
{
    Tabulatorfolge_Setzen(app);
    Parameterseite = 1;
    Seite_Zeigen(*this);
}

QList<QWidget*> Parameter::weitereTabulatorfolge() const
{
    return {Par_Biersorte, Par_AnzPhasen, Command5, Command4, Command_Import, Command_Probelauf, Command6, Command1};
}

void Parameter::pflegen()
{
    Phasenseite::pflegen();

    const std::string& anzahl = app.anlage.Programm.AnzPhasen;
    bool sichtbar = true;
    QString beschriftung = app.schalter(&Schaltertexte::Text_Phasen_11_20);
    if (!anzahl.empty()) {
        sichtbar = Zahl_Aus_Text(anzahl) >= 11;
        beschriftung = app.schalter(&Schaltertexte::Text_Phasen_11) + text(anzahl);
    }
    if (Command6->text() != beschriftung)
        Command6->setText(beschriftung);
    Sichtbar_Setzen(Command6, sichtbar);
    m_Seitenknopf_Text = beschriftung;
}

bool Parameter::veraltet() const
{
    // The captions of a language may be put on the button anew.
    return Phasenseite::veraltet() || Command6->text() != m_Seitenknopf_Text;
}

void Parameter::anzeigen()
{
    const Maischprogramm& m = app.anlage.Programm;
    const std::string biersorte = m.Biersorte;
    const std::string anzahl = m.AnzPhasen;
    Par_Biersorte->setText(text(biersorte));
    Text_Zeigen(*Par_AnzPhasen, text(anzahl));
    Phasenseite::anzeigen();
}

void Parameter::AnzPhasen_Losgelassen()
{
    std::string t = Par_AnzPhasen->text().toStdString();
    if (Zahl_Aus_Text(t) < 1)
        t = "1";
    if (Zahl_Aus_Text(t) > 20)
        t = "20";
    if (Par_AnzPhasen->text() != text(t))
        Par_AnzPhasen->setText(text(t));
    app.anlage.Programm.AnzPhasen = t;
    app.anlage.Anzahl_Phasen_Text = t;
    pflegen();
    if (app.geladen(Parameter2::Name))
        app.bildschirm<Parameter2>().pflegen();
}

void Parameter::Seitenwechsel()
{
    Tabulatorfolge_Setzen(app);
    Parameterseite = 2;
    Seite_Tauschen(app.bildschirm<Parameter2>());
}

void Parameter::Dateiauswahl_Dialog()
{
    // Opened without an event loop of its own (open, not exec): the program's
    // shutdown may close it at any moment, and nothing waits in it.
    if (!CD1) {
        CD1 = new QFileDialog(this, QStringLiteral("LADEN"));
        CD1->setObjectName(QStringLiteral("CD1"));
        CD1->setFileMode(QFileDialog::ExistingFile);
        CD1->setAcceptMode(QFileDialog::AcceptOpen);
        CD1->setDirectory(text(app.anlage.Programmpfad));
        connect(CD1, &QFileDialog::finished, this, [this](int ergebnis) {
            QString gewaehlt;
            if (ergebnis == QDialog::Accepted && !CD1->selectedFiles().isEmpty())
                gewaehlt = CD1->selectedFiles().front();
            CD1->setNameFilter(QStringLiteral("*.* (*)"));
            if (!app.beendet())
                Laden_Aus(gewaehlt);
        });
    }
    if (CD1->isVisible()) {
        CD1->raise();
        return;
    }
    CD1->setNameFilters({QStringLiteral("rez (*.rez)"), QStringLiteral("*.* (*)")});
    CD1->open();
}

void Parameter::LADEN()
{
    if (m_dateiauswahl)
        Laden_Aus(m_dateiauswahl());
    else
        Dateiauswahl_Dialog();
}

void Parameter::Laden_Aus(const QString& gewaehlt)
{
    if (gewaehlt.isEmpty())
        return;  // cancelled
    const std::string datei = gewaehlt.toStdString();
    if (!Dateiendung_Rez(datei)) {
        app.meldungsanzeige().zeige(QStringLiteral("Invalid file extension !"), QString(),
                                    QMessageBox::Critical);
        return;
    }
    m_Rezeptdatei = datei;
    const Rezeptergebnis r = Rezept_Laden(datei, app.anlage.Programm, app.brauDaten);
    if (!r.ok()) {
        Rezeptfehler(r, false);
        return;
    }
    anzeigen();
    // The second page shows its phases from now on, as loaded.
    app.bildschirm<Parameter2>().anzeigen();
    // An open protocol shows the loaded brew data at once.
    if (app.geladen(Brauprotokoll::Name))
        app.bildschirm<Brauprotokoll>().aktualisieren();
    Q_EMIT rezeptGeladen();
}

void Parameter::SPEICHERN()
{
    const Rezeptergebnis r = Rezept_Speichern(app.anlage.Programmpfad, app.anlage.Programm, app.brauDaten);
    if (!r.pfad.empty())
        m_Rezeptdatei = r.pfad;
    if (!r.ok())
        Rezeptfehler(r, true);
}

void Parameter::Rezeptfehler(const Rezeptergebnis& r, bool speichern)
{
    app.meldungsanzeige().zeige(Rezeptmeldung(r, speichern, app.texte.aktuell == Sprache::Deutsch,
                                              app.texte.dateien()),
                                QString(), QMessageBox::Warning);
}

void Parameter::Importknopf_Beschriften()
{
    Command_Import->setText(QString::fromStdString(Importtexte_Fuer(app.texte.aktuell).Knopf_Import));
}

void Parameter::IMPORT()
{
    if (m_importauswahl) {
        const QString gewaehlt = m_importauswahl();
        if (!gewaehlt.isEmpty())
            Importieren(gewaehlt);
        return;
    }
    // Not blocking: the page may be destroyed while the dialog is open.
    if (!m_importdialog) {
        const Importtexte& t = Importtexte_Fuer(app.texte.aktuell);
        m_importdialog = new QFileDialog(this, QString::fromStdString(t.Dateidialog_Titel));
        m_importdialog->setObjectName(QStringLiteral("Importdialog"));
        m_importdialog->setFileMode(QFileDialog::ExistingFile);
        m_importdialog->setAcceptMode(QFileDialog::AcceptOpen);
        m_importdialog->setNameFilters({QString::fromStdString(t.Filter_Rezepte), QStringLiteral("*.* (*)")});
        m_importdialog->setDirectory(text(app.anlage.Programmpfad));
        connect(m_importdialog, &QFileDialog::fileSelected, this, [this](const QString& f) { Importieren(f); });
    }
    m_importdialog->open();
}

void Parameter::Importieren(const QString& datei)
{
    const Importtexte& t = Importtexte_Fuer(app.texte.aktuell);
    Importdatei d = Importdatei_Lesen(datei.toStdString(), app.texte.aktuell);
    if (!d.ok()) {
        app.meldungsanzeige().zeige(QString::fromStdString(d.fehler + " " + t.Nichts_Geaendert), QString(),
                                    QMessageBox::Warning);
        return;
    }
    if (m_importpruefung)
        m_importpruefung->close();
    auto* dialog = new Importpruefung(app, std::move(d), datei, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowFlag(Qt::Window);
    m_importpruefung = dialog;
    connect(dialog, &Importpruefung::uebernehmen, this, [this](const Importabbildung& a) { Import_Anwenden(a); });
    dialog->open();
}

void Parameter::Import_Anwenden(const Importabbildung& a)
{
    Maischprogramm neu = a.programm;
    // a mash profile alone keeps the beer and its brew data
    if (a.nur_maische && !app.anlage.Programm.Biersorte.empty())
        neu.Biersorte = app.anlage.Programm.Biersorte;
    app.anlage.Programm = neu;
    if (!a.nur_maische)
        app.brauDaten = a.daten;
    app.anlage.Anzahl_Phasen_Text = neu.AnzPhasen;
    anzeigen();
    app.bildschirm<Parameter2>().anzeigen();
    pflegen();
    app.bildschirm<Parameter2>().pflegen();
    if (app.geladen(Brauprotokoll::Name))
        app.bildschirm<Brauprotokoll>().aktualisieren();
    Q_EMIT rezeptGeladen();
}

void Parameter::PROBELAUF()
{
    if (m_probelauf)
        m_probelauf->close();
    Probelaufauftrag auftrag;
    auftrag.ordner = app.anlage.Programmpfad;
    auftrag.programm = app.anlage.Programm;
    auftrag.daten = app.brauDaten;
    auftrag.gradient = app.anlage.Gradient_Ein == 1;
    auftrag.dezimaltrenner = app.anlage.Dezimaltrenner;
    auftrag.sprache = app.texte.aktuell;
    auto* fenster = new Probelaufanzeige(std::move(auftrag), this);
    fenster->setAttribute(Qt::WA_DeleteOnClose);
    fenster->setWindowFlag(Qt::Window);
    m_probelauf = fenster;
    fenster->show();
}

Probelaufanzeige* Parameter::probelaufanzeige() const { return m_probelauf.data(); }

} // namespace kw

kw::Importpruefung* kw::Parameter::importpruefung() const { return m_importpruefung.data(); }
