#include "screens/Kesselmodellanzeige.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>
#include <exception>
#include <thread>

#include "probelauf/Probelauf.h"
#include "screens/Anwendung.h"

namespace kw {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

const Modelltexte& texte(const Anwendung& app) { return Modelltexte_Fuer(app.texte.aktuell); }

// The learning's thread (the journals read and fitted) and its answer on the UI thread,
// which saves it: every write of Kesselwerk.ini stays on the UI thread, so none
// overwrites another's. A child of the application.
class Lerner final : public QObject {
public:
    explicit Lerner(Anwendung& a) : QObject(&a), app(a) { setObjectName(QStringLiteral("Kesselmodell_Lerner")); }
    ~Lerner() override { abwarten(); }

    void starten()
    {
        if (m_laeuft) {
            m_nochmal = true;
            return;
        }
        abwarten();
        m_laeuft = true;
        m_thread = std::thread([this, ordner = app.anlage.Programmpfad, daten = app.brauDaten] {
            modell::Modellstand m;
            std::string fehler;
            bool ok = false;
            try {
                m = modell::Modell_Ermitteln(ordner, daten);
                ok = true;
            } catch (const std::exception& e) {
                fehler = e.what();
            } catch (...) {
                fehler = "?";
            }
            QMetaObject::invokeMethod(
                this, [this, m = std::move(m), ok, fehler] { fertig(m, ok, fehler); }, Qt::QueuedConnection);
        });
    }

    void abwarten()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    void fertig(const modell::Modellstand& m, bool ok, std::string fehler)
    {
        m_laeuft = false;
        if (ok)
            ok = modell::Modell_Speichern(app.anlage.Programmpfad, m, &fehler);
        if (!ok)
            app.meldungsanzeige().zeige(q(texte(app).F_Lernen).arg(q(fehler)));
        else
            app.steuerung().Kesselmodell_Setzen(m.p);
        if (auto* d = app.vorhanden<Kesselmodellanzeige>())
            d->laden();
        if (m_nochmal) {
            m_nochmal = false;
            starten();
        }
    }

    Anwendung& app;
    std::thread m_thread;
    bool m_laeuft = false;
    bool m_nochmal = false;
};

Lerner* lerner(Anwendung& app, bool anlegen)
{
    auto* l = app.findChild<Lerner*>(QStringLiteral("Kesselmodell_Lerner"), Qt::FindDirectChildrenOnly);
    return l || !anlegen ? l : new Lerner(app);
}

} // namespace

void Kesselmodell_Lernen(Anwendung& app) { lerner(app, true)->starten(); }

void Kesselmodell_Lernen_Abwarten(Anwendung& app)
{
    if (Lerner* l = lerner(app, false)) {
        l->abwarten();
        QCoreApplication::sendPostedEvents(l, QEvent::MetaCall);
    }
}

// ---------------------------------------------------------------------------

Kesselmodellanzeige::Kesselmodellanzeige(Anwendung& a) : QWidget(nullptr, Qt::Dialog), app(a)
{
    setObjectName(QLatin1String(Name));
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_QuitOnClose, false);
    const auto text = [this](QWidget* w, std::string Modelltexte::*t) {
        m_texte.emplace_back(w, t);
        return w;
    };
    const auto wert = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setMinimumWidth(90);
        return l;
    };
    const auto knopf = [this](const char* name) {
        auto* b = new QPushButton(this);
        b->setObjectName(QLatin1String(name));
        b->setMinimumSize(120, 32);
        return b;
    };

    Leistung = new QSpinBox(this);
    Leistung->setObjectName(QStringLiteral("Leistung"));
    Leistung->setRange(0, 100000);
    Leistung->setSingleStep(100);
    Leistung->setSuffix(QStringLiteral(" W"));
    Uebernehmen = knopf("Uebernehmen");
    text(Uebernehmen, &Modelltexte::Uebernehmen);
    connect(Uebernehmen, &QPushButton::clicked, this, [this] { Uebernehmen_Click(); });
    auto* leistungHinweis = new QLabel(this);
    leistungHinweis->setObjectName(QStringLiteral("Leistung_Hinweis"));
    leistungHinweis->setWordWrap(true);

    auto* gelernt = new QGroupBox(this);
    gelernt->setObjectName(QStringLiteral("Gelernt"));
    text(gelernt, &Modelltexte::Gelernt);
    auto* g = new QGridLayout(gelernt);
    Heizrate = wert("Heizrate");
    Verlust = wert("Verlust");
    Totzeit = wert("Totzeit");
    Abweichung = wert("Abweichung");
    Sude = wert("Sude");
    Antwortzeit = wert("Antwortzeit");
    int zeile = 0;
    for (auto [feld, t] : {std::pair{Heizrate, &Modelltexte::Heizrate}, std::pair{Verlust, &Modelltexte::Verlust},
                           std::pair{Totzeit, &Modelltexte::Totzeit}, std::pair{Abweichung, &Modelltexte::Abweichung},
                           std::pair{Sude, &Modelltexte::Sude}, std::pair{Antwortzeit, &Modelltexte::Antwortzeit}}) {
        auto* name = new QLabel(this);
        name->setObjectName(feld->objectName() + u"_Text");
        text(name, t);
        g->addWidget(name, zeile, 0);
        g->addWidget(feld, zeile++, 1);
    }
    Herkunft = new QLabel(this);
    Herkunft->setObjectName(QStringLiteral("Herkunft"));
    Herkunft->setWordWrap(true);
    g->addWidget(Herkunft, zeile++, 0, 1, 2);
    Ohne_Wirkung = new QLabel(this);
    Ohne_Wirkung->setObjectName(QStringLiteral("Ohne_Wirkung"));
    Ohne_Wirkung->setWordWrap(true);
    Ohne_Wirkung->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    g->addWidget(Ohne_Wirkung, zeile++, 0, 1, 2);

    Zuruecksetzen = knopf("Zuruecksetzen");
    text(Zuruecksetzen, &Modelltexte::Zuruecksetzen);
    connect(Zuruecksetzen, &QPushButton::clicked, this, [this] { Zuruecksetzen_Click(); });
    Schliessen = knopf("Schliessen");
    text(Schliessen, &Modelltexte::Schliessen);
    connect(Schliessen, &QPushButton::clicked, this, &QWidget::close);

    auto* leistungZeile = new QHBoxLayout;
    auto* leistungText = new QLabel(this);
    leistungText->setObjectName(QStringLiteral("Leistung_Text"));
    text(leistungText, &Modelltexte::Leistung);
    leistungZeile->addWidget(leistungText);
    leistungZeile->addWidget(Leistung);
    leistungZeile->addWidget(Uebernehmen);
    auto* unten = new QHBoxLayout;
    unten->addWidget(Zuruecksetzen);
    unten->addStretch(1);
    unten->addWidget(Schliessen);
    auto* l = new QVBoxLayout(this);
    l->addLayout(leistungZeile);
    l->addWidget(leistungHinweis);
    l->addWidget(gelernt);
    l->addStretch(1);
    l->addLayout(unten);
    setMinimumWidth(520);

    connect(&app, &Anwendung::spracheGeaendert, this, [this] { beschriften(); });
    beschriften();
}

void Kesselmodellanzeige::showEvent(QShowEvent* e)
{
    laden();
    QWidget::showEvent(e);
}

void Kesselmodellanzeige::beschriften()
{
    const Modelltexte& t = texte(app);
    setWindowTitle(q(t.Titel));
    for (auto& [w, text] : m_texte) {
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            b->setText(q(t.*text));
        else if (auto* l = qobject_cast<QLabel*>(w))
            l->setText(q(t.*text));
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            g->setTitle(q(t.*text));
    }
    if (auto* h = findChild<QLabel*>(QStringLiteral("Leistung_Hinweis")))
        h->setText(q(t.Leistung_Hinweis).arg(modell::Standard_Leistung_W, 0, 'f', 0));
    if (isVisible())
        laden();
}

void Kesselmodellanzeige::laden()
{
    const Modelltexte& t = texte(app);
    m_stand = modell::Modell_Gespeichert(app.anlage.Programmpfad, app.brauDaten);
    const modell::Modellstand& m = m_stand;
    const char trenner = app.anlage.Dezimaltrenner;
    const auto zahl = [trenner](double w, int s) { return q(probelauf::Festkomma(w, s, trenner)); };
    Leistung->setValue(m.leistung_eingetragen ? static_cast<int>(std::lround(m.p.Leistung_W)) : 0);
    const bool gelernt = m.herkunft == modell::Modellstand::Herkunft::Gelernt;
    Heizrate->setText(zahl(m.p.Heizrate_K_min, 3));
    Verlust->setText(zahl(m.p.Verlust_1_h, 3));
    Totzeit->setText(zahl(m.p.Totzeit_s, 0));
    Abweichung->setText(gelernt ? zahl(m.rms_K, 2) + QStringLiteral(" / ") + zahl(m.max_K, 2) : QStringLiteral("–"));
    Sude->setText(QString::number(m.sude));
    Antwortzeit->setText(zahl(m.antwortzeit_s, 0));
    Herkunft->setText(gelernt ? q(t.Herkunft_Gelernt).arg(m.sude)
                              : q(t.Herkunft_Standard)
                                    .arg(zahl(modell::Volumen_Aus(app.brauDaten).value_or(modell::Standard_Volumen_l), 1)));
    QStringList namen;
    for (const std::string& n : m.ohne_wirkung)
        namen << q(n);
    Ohne_Wirkung->setText(q(t.Ohne_Wirkung).arg(namen.join(QStringLiteral(", "))));
    Ohne_Wirkung->setVisible(!namen.isEmpty());
    Zuruecksetzen->setEnabled(gelernt || !namen.isEmpty());
}

void Kesselmodellanzeige::Uebernehmen_Click()
{
    std::string fehler;
    if (!modell::Leistung_Setzen(app.anlage.Programmpfad, Leistung->value(), &fehler)) {
        app.meldungsanzeige().zeige(q(texte(app).F_Speichern).arg(q(fehler)));
        return;
    }
    laden();
    app.steuerung().Kesselmodell_Setzen(m_stand.p);
}

void Kesselmodellanzeige::Zuruecksetzen_Click()
{
    const Modelltexte& t = texte(app);
    // Asked without a nested event loop: the main screen's tick goes on meanwhile.
    auto* frage = new QMessageBox(QMessageBox::Question, q(t.Titel), q(t.Frage_Zuruecksetzen),
                                  QMessageBox::Yes | QMessageBox::No, this);
    frage->setObjectName(QStringLiteral("Frage_Zuruecksetzen"));
    frage->setAttribute(Qt::WA_DeleteOnClose);
    frage->setDefaultButton(QMessageBox::No);
    connect(frage, &QMessageBox::finished, this, [this, frage](int) {
        if (frage->clickedButton() != frage->button(QMessageBox::Yes))
            return;
        std::string fehler;
        if (!modell::Modell_Zuruecksetzen(app.anlage.Programmpfad, app.jetzt(), &fehler)) {
            app.meldungsanzeige().zeige(q(texte(app).F_Speichern).arg(q(fehler)));
            return;
        }
        laden();
        app.steuerung().Kesselmodell_Setzen(m_stand.p);
    });
    frage->open();
}

// ---------------------------------------------------------------------------

Modellschalter::Modellschalter(Anwendung& a, QSlider* regler) : QCheckBox(), app(a), m_regler(regler)
{
    setObjectName(QStringLiteral("Sim_Modell"));
    const auto beschriften = [this] { setText(q(texte(app).Sim_Modell)); };
    beschriften();
    connect(&app, &Anwendung::spracheGeaendert, this, beschriften);
    connect(this, &QCheckBox::toggled, this, [this](bool ein) {
        if (ein == (app.anlage.Sim_Modell != 0))
            return;
        if (ein)   // the values last learned; the settings file alone, no journal read
            app.steuerung().Kesselmodell_Setzen(
                modell::Modell_Gespeichert(app.anlage.Programmpfad, app.brauDaten).p);
        else       // the slider goes on from the model's value (the model ignores it until the switch)
            m_regler->setValue(-app.anlage.Sim_Temperatur);
        app.steuerung().Sim_Modell_Schalten();
        nachfuehren();
    });
    // The state may change elsewhere too (the main screen's load clears it).
    auto* takt = new QTimer(this);
    takt->setInterval(200);
    connect(takt, &QTimer::timeout, this, [this] { nachfuehren(); });
    takt->start();
}

void Modellschalter::nachfuehren()
{
    const bool ein = app.anlage.Sim_Modell != 0;
    if (isChecked() != ein) {
        const QSignalBlocker still(this);
        setChecked(ein);
    }
    m_regler->setEnabled(!ein);
}

} // namespace kw
