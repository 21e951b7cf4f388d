#include "screens/Parameter.h"

#include "program/Funktionen.h"
#include "screens/Anwendung.h"
#include "screens/Brauprotokoll.h"
#include "screens/Parameter2.h"
#include "screens/Phasenblock.h"
#include "screens/Ruf_Text.h"
#include "screens/Zahlenfeld.h"

#include <QFileDialog>

#include <algorithm>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

namespace kw {

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

// Recipe errors have no numbered message; German where German is chosen,
// English otherwise.
QString Rezeptmeldung(const Rezeptergebnis& r, bool speichern, bool deutsch)
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
    QString m = w(QStringLiteral("Das Rezept wurde nicht gespeichert: "),
                  QStringLiteral("The recipe was not saved: "));
    switch (r.fehler) {
    case F::Ungueltiger_Name:
        m += w(u"Die Biersorte \u201E" + text(r.detail)
                   + u"\u201C taugt nicht als Dateiname (leer, \u201E.\u201C oder \u201E..\u201C, "
                     u"oder mit \u201E/\u201C oder einem Steuerzeichen).",
               u"the beer name \"" + text(r.detail)
                   + u"\" cannot be a file name (empty, \".\" or \"..\", or holding \"/\" or a "
                     u"control character).");
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

bool Block_Sichtbar(const std::string& anzahl, int phase)
{
    return anzahl.empty() || phase <= Zahl_Aus_Text(anzahl);
}

void Seitengroesse_Setzen(QWidget& seite, QScrollArea& flaeche)
{
    // Large enough for all blocks without scrolling, as far as the screen allows.
    const QSize aussen = seite.sizeHint();
    const QSize bereich = flaeche.sizeHint();
    const QSize innen = flaeche.widget()->sizeHint();
    const QMargins rand = seite.layout()->contentsMargins();
    QSize soll(std::max(aussen.width(), innen.width() + rand.left() + rand.right()),
               aussen.height() - bereich.height() + innen.height());
    if (const QScreen* s = seite.screen())
        soll = soll.boundedTo(s->availableGeometry().size() - QSize(8, 40));
    // Only ever grows: a size the user chose stays.
    soll = soll.expandedTo(seite.size());
    if (soll != seite.size())
        seite.resize(soll);
}

void Seite_Zeigen(QWidget& seite)
{
    seite.show();
    seite.raise();
    seite.activateWindow();
}

void Tabulatorfolge_Setzen(Anwendung& app)
{
    if (app.geladen(Parameter::Name))
        app.bildschirm<Parameter>().tabulatorfolge();
    if (app.geladen(Parameter2::Name))
        app.bildschirm<Parameter2>().tabulatorfolge();
}

Parameter::Parameter(Anwendung& a) : QWidget(nullptr), app(a)
{
    setWindowTitle(QStringLiteral("KESSELWERK"));

    auto* haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(6, 6, 6, 6);
    haupt->setSpacing(4);

    auto* Frame1 = new QGroupBox(QStringLiteral("PARAMETER"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* kopf = new QHBoxLayout(Frame1);
    kopf->setContentsMargins(8, 4, 8, 6);

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
    Par_AnzPhasen->setContextMenuPolicy(Qt::NoContextMenu);
    Par_AnzPhasen->setAcceptDrops(false);
    connect(Par_AnzPhasen, &QLineEdit::textChanged, this,
            [this](const QString& t) { app.anlage.Programm.AnzPhasen = t.toStdString(); });
    connect(Par_AnzPhasen, &Zahlenfeld::abgelehnt, &app, [this](int nr) { app.zeige(nr); });
    connect(Par_AnzPhasen, &Zahlenfeld::losgelassen, this, [this] { AnzPhasen_Losgelassen(); });

    const auto knopf = [&](const char* name, const QString& beschriftung) {
        auto* k = new QPushButton(beschriftung, Frame1);
        k->setObjectName(QString::fromLatin1(name));
        k->setMinimumWidth(110);
        return k;
    };
    Command5 = knopf("Command5", QStringLiteral("LADEN"));
    Command4 = knopf("Command4", QStringLiteral("SPEICHERN"));
    Command6 = knopf("Command6", QStringLiteral("PHASE 11 - 20"));
    Command1 = knopf("Command1", QStringLiteral("ZURÜCK"));
    connect(Command5, &QPushButton::clicked, this, [this] { LADEN(); });
    connect(Command4, &QPushButton::clicked, this, [this] { SPEICHERN(); });
    connect(Command6, &QPushButton::clicked, this, [this] { Seitenwechsel(); });
    connect(Command1, &QPushButton::pressed, this, [this] { ZURUECK(); });

    kopf->addWidget(Label11);
    kopf->addWidget(Par_Biersorte, 2);
    kopf->addSpacing(16);
    kopf->addWidget(Label12);
    kopf->addWidget(Par_AnzPhasen);
    kopf->addStretch(1);
    kopf->addWidget(Command5);
    kopf->addWidget(Command4);
    kopf->addSpacing(16);
    kopf->addWidget(Command6);
    kopf->addWidget(Command1);
    haupt->addWidget(Frame1);

    // Ten blocks in two rows; a smaller window scrolls.
    auto* flaeche = new QScrollArea(this);
    flaeche->setWidgetResizable(true);
    flaeche->setFrameShape(QFrame::NoFrame);
    auto* innen = new QWidget(flaeche);
    auto* raster = new QGridLayout(innen);
    raster->setContentsMargins(0, 0, 0, 0);
    raster->setSpacing(4);
    for (int i = 0; i < 10; ++i) {
        auto* b = new Phasenblock(app, Erste_Phase + i, innen);
        m_bloecke[static_cast<std::size_t>(i)] = b;
        raster->addWidget(b, i / 5, i % 5);
        connect(b, &Phasenblock::beruehrt, this, [this](int n) { Bearbeitete_Phase = n; });
        connect(b, &Phasenblock::optionGeaendert, this, [this] { pflegen(); });
        connect(b, &Phasenblock::rufGewaehlt, this,
                [this] { app.bildschirm<Ruf_Text>().oeffnen(*this); });
    }
    for (int s = 0; s < 5; ++s)
        raster->setColumnStretch(s, 1);
    raster->setRowStretch(2, 1);
    flaeche->setWidget(innen);
    haupt->addWidget(flaeche, 1);

    // Captions of another language may need more room.
    connect(&app, &Anwendung::spracheGeaendert, this, [this, flaeche] {
        pflegen();
        Seitengroesse_Setzen(*this, *flaeche);
    });
    Seitengroesse_Setzen(*this, *flaeche);
    tabulatorfolge();
    pflegen();
}

void Parameter::oeffnen()
{
    Tabulatorfolge_Setzen(app);
    Parameterseite = 1;
    Seite_Zeigen(*this);
}

void Parameter::tabulatorfolge()
{
    QList<QWidget*> folge;
    for (Phasenblock* b : m_bloecke)
        folge += b->tabulatorfolge();
    folge << Par_Biersorte << Par_AnzPhasen;
    for (qsizetype i = 0; i + 1 < folge.size(); ++i)
        QWidget::setTabOrder(folge[i], folge[i + 1]);
}

void Parameter::pflegen()
{
    const std::string& anzahl = app.anlage.Programm.AnzPhasen;
    for (Phasenblock* b : m_bloecke)
        b->pflegen(Block_Sichtbar(anzahl, b->phase()));

    bool sichtbar = true;
    QString beschriftung = app.schalter(&Schaltertexte::Text_Phasen_11_20);
    if (!anzahl.empty()) {
        sichtbar = Zahl_Aus_Text(anzahl) >= 11;
        beschriftung = app.schalter(&Schaltertexte::Text_Phasen_11) + text(anzahl);
    }
    if (Command6->text() != beschriftung)
        Command6->setText(beschriftung);
    if (Command6->isHidden() == sichtbar)
        Command6->setVisible(sichtbar);
}

void Parameter::anzeigen()
{
    const Maischprogramm& m = app.anlage.Programm;
    const std::string biersorte = m.Biersorte;
    const std::string anzahl = m.AnzPhasen;
    Par_Biersorte->setText(text(biersorte));
    Par_AnzPhasen->setText(text(anzahl));
    for (Phasenblock* b : m_bloecke)
        b->anzeigen(m);
    pflegen();
}

void Parameter::showEvent(QShowEvent* e)
{
    pflegen();
    QWidget::showEvent(e);
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

void Parameter::ZURUECK()
{
    hide();
    if (app.geladen("Grundbild"))
        Seite_Zeigen(*app.bildschirm("Grundbild"));
}

void Parameter::Seitenwechsel()
{
    Tabulatorfolge_Setzen(app);
    Parameterseite = 2;
    auto& seite2 = app.bildschirm<Parameter2>();
    // the other page takes this page's place
    seite2.setGeometry(QRect(geometry().topLeft(), size().expandedTo(seite2.size())));
    hide();
    Seite_Zeigen(seite2);
}

QString Parameter::Dateiauswahl_Dialog()
{
    if (!CD1) {
        CD1 = new QFileDialog(this, QStringLiteral("LADEN"));
        CD1->setObjectName(QStringLiteral("CD1"));
        CD1->setFileMode(QFileDialog::ExistingFile);
        CD1->setAcceptMode(QFileDialog::AcceptOpen);
        CD1->setDirectory(text(app.anlage.Programmpfad));
    }
    CD1->setNameFilters({QStringLiteral("rez (*.rez)"), QStringLiteral("*.* (*)")});
    QString gewaehlt;
    if (CD1->exec() == QDialog::Accepted && !CD1->selectedFiles().isEmpty())
        gewaehlt = CD1->selectedFiles().front();
    CD1->setNameFilter(QStringLiteral("*.* (*)"));
    return gewaehlt;
}

void Parameter::LADEN()
{
    const QString gewaehlt = m_dateiauswahl ? m_dateiauswahl() : Dateiauswahl_Dialog();
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
    app.meldungsanzeige().zeige(Rezeptmeldung(r, speichern, app.texte.aktuell == Sprache::Deutsch),
                                QString(), QMessageBox::Warning);
}

} // namespace kw
