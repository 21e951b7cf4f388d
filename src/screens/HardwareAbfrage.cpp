#include "screens/HardwareAbfrage.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QPointer>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "hardware/Einwire.h"
#include "screens/Anwendung.h"
#include "screens/Gpiodialog.h"
#include "screens/Grundbild.h"
#include "screens/MqttEinstellungen.h"
#include "screens/Kesselmodellanzeige.h"
#include "program/Zusatzdatei.h"
#include "texts/Geraetetexte.h"
#include "texts/Texte.h"

namespace kw {

namespace {

QGroupBox* rahmen(const char* name, const QString& titel, QWidget* eltern)
{
    auto* g = new QGroupBox(titel, eltern);
    g->setObjectName(QString::fromLatin1(name));
    return g;
}

QRadioButton* option(const QString& name, const QString& text, QButtonGroup* gruppe, int id, QWidget* eltern)
{
    auto* r = new QRadioButton(text, eltern);
    r->setObjectName(name);
    gruppe->addButton(r, id);
    return r;
}

QLineEdit* feld(const QString& name, QWidget* eltern)
{
    auto* e = new QLineEdit(eltern);
    e->setObjectName(name);
    return e;
}

QLabel* label(const QString& name, const QString& text, QWidget* eltern)
{
    auto* l = new QLabel(text, eltern);
    l->setObjectName(name);
    return l;
}

// Selects option `id` of the group, or none for 0. An exclusive group cannot be emptied while exclusive.
void waehle(QButtonGroup* gruppe, int id)
{
    gruppe->setExclusive(false);
    for (QAbstractButton* b : gruppe->buttons())
        b->setChecked(gruppe->id(b) == id);
    gruppe->setExclusive(true);
}

short gewaehlt(const QButtonGroup* gruppe)
{
    const int id = gruppe->checkedId();
    return static_cast<short>(id > 0 ? id : 0);
}

QString q(const std::string& s) { return QString::fromStdString(s); }
std::string s(const QString& q) { return q.toStdString(); }

} // namespace

HardwareAbfrage::HardwareAbfrage(Anwendung& anwendung) : QWidget(nullptr), app(anwendung)
{
    setWindowTitle(QStringLiteral("Konfiguration"));
    setAttribute(Qt::WA_QuitOnClose, false);

    // --- output interface ---
    auto* frame1 = rahmen("Frame1", QStringLiteral("Port Relais-Karte"), this);
    m_Schnittstelle = new QButtonGroup(this);
    auto* f1 = new QGridLayout(frame1);
    // "&" would be taken as a keyboard mnemonic: doubled to show.
    f1->addWidget(option(QStringLiteral("Auswahl_LPT1"), QStringLiteral("LPT1 (&&h378 )"), m_Schnittstelle, 1, frame1),
                  0, 0, 1, 2);
    f1->addWidget(option(QStringLiteral("Auswahl_LPT2"), QStringLiteral("LPT2 (&&h278 )"), m_Schnittstelle, 2, frame1),
                  1, 0, 1, 2);
    f1->addWidget(option(QStringLiteral("Auswahl_LPT_Def"), QStringLiteral("Def: h"), m_Schnittstelle, 3, frame1), 2, 0);
    m_LPT_DEF = feld(QStringLiteral("LPT_DEF"), frame1);
    // One to four hex digits, as the parallel-port output reads it.
    m_LPT_DEF->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,4}")), m_LPT_DEF));
    m_LPT_DEF->setFixedWidth(70);
    f1->addWidget(m_LPT_DEF, 2, 1, Qt::AlignLeft);
    f1->addWidget(option(QStringLiteral("Auswahl_USB"), QStringLiteral("USB RK10-05USBV1 "), m_Schnittstelle, 4, frame1),
                  3, 0, 1, 2);
    auto* redlab = option(QStringLiteral("Auswahl_USBMeilhaus"), QStringLiteral("USB Meilhaus Redlab"), m_Schnittstelle,
                          5, frame1);
    redlab->setToolTip(QStringLiteral("Kein Treiber vorhanden: es wird nichts ausgegeben.\n"
                                      "No driver available: no output is written."));
    f1->addWidget(redlab, 4, 0, 1, 2);
    f1->addWidget(option(QStringLiteral("Auswahl_GPIO"), QStringLiteral("GPIO"), m_Schnittstelle, Schnittstelle_GPIO,
                         frame1),
                  5, 0);
    m_GPIO_Einstellen = new QPushButton(frame1);
    m_GPIO_Einstellen->setObjectName(QStringLiteral("GPIO_Einstellen"));
    f1->addWidget(m_GPIO_Einstellen, 5, 1, Qt::AlignLeft);
    f1->addWidget(option(QStringLiteral("Auswahl_HID"), QStringLiteral("USB-HID-Relaiskarte"), m_Schnittstelle,
                         Schnittstelle_HID, frame1),
                  6, 0, 1, 2);
    f1->setColumnStretch(2, 1);

    // --- serial port of the sensor bus ---
    auto* frame2 = rahmen("Frame2", QStringLiteral("Port Temp.Sensor"), this);
    m_COM = new QButtonGroup(this);
    auto* f2 = new QGridLayout(frame2);
    for (int i = 1; i <= 4; ++i)
        f2->addWidget(option(QStringLiteral("Auswahl_COM%1").arg(i), QStringLiteral("COM%1").arg(i), m_COM, i, frame2),
                      (i - 1) / 2, (i - 1) % 2);
    // Sensor source: DigiTemp on the serial port above, or a DS18B20 through the kernel's 1-Wire bus.
    m_Quelle = new QButtonGroup(this);
    f2->addWidget(option(QStringLiteral("Quelle_DigiTemp"), QString(), m_Quelle, 1, frame2), 2, 0, 1, 2);
    f2->addWidget(option(QStringLiteral("Quelle_Einwire"), QString(), m_Quelle, 2, frame2), 3, 0, 1, 2);
    m_Einwire_Sensor = new QComboBox(frame2);
    m_Einwire_Sensor->setObjectName(QStringLiteral("Einwire_Sensor"));
    m_Einwire_Sensor->setEditable(true);
    m_Einwire_Sensor->setMinimumWidth(190);
    f2->addWidget(m_Einwire_Sensor, 4, 0, 1, 2);
    m_Einwire_Lesen = new QPushButton(frame2);
    m_Einwire_Lesen->setObjectName(QStringLiteral("Einwire_Lesen"));
    f2->addWidget(m_Einwire_Lesen, 5, 0, 1, 2, Qt::AlignLeft);

    // --- DigiTemp tool and log ---
    auto* frame3 = rahmen("Frame3",
                          QStringLiteral("Name der DigiTemp-Datei zum Einlesen der Temperatur mit Sensor DS1820"), this);
    auto* f3 = new QHBoxLayout(frame3);
    m_NameDigitemp = feld(QStringLiteral("NameDigitemp"), frame3);
    f3->addWidget(m_NameDigitemp, 1);
    f3->addWidget(label(QStringLiteral("Endung_EXE"), QStringLiteral(".EXE"), frame3));

    auto* frame4 = rahmen("Frame4", QStringLiteral("Name der LogFile zum Auslesen der Temperatur aus DigiTemp"), this);
    auto* f4 = new QHBoxLayout(frame4);
    m_NameLogFile = feld(QStringLiteral("NameLogFile"), frame4);
    f4->addWidget(m_NameLogFile, 1);
    f4->addWidget(label(QStringLiteral("Endung_TXT"), QStringLiteral(".TXT"), frame4));

    // --- texts of the extra outputs ---
    auto* defExtra = rahmen("Def_Extra", QStringLiteral("Definition Extra-Buttons"), this);
    auto* fx = new QGridLayout(defExtra);
    fx->setHorizontalSpacing(8);
    for (int n = 1; n <= 4; ++n) {
        for (int aus = 0; aus <= 1; ++aus) {
            const int i = 2 * (n - 1) + aus; // 0..7
            const QString art = aus ? QStringLiteral("Aus") : QStringLiteral("Ein");
            fx->addWidget(label(QStringLiteral("Label%1").arg(i + 1),
                                QStringLiteral("Text Extra-Funktion %1 %2:").arg(n).arg(art), defExtra),
                          n - 1, 2 * aus);
            m_Conf_Extra[static_cast<std::size_t>(i)] =
                feld(QStringLiteral("Conf_Extra%1_%2").arg(n).arg(art), defExtra);
            m_Conf_Extra[static_cast<std::size_t>(i)]->setMinimumWidth(130);
            fx->addWidget(m_Conf_Extra[static_cast<std::size_t>(i)], n - 1, 2 * aus + 1);
        }
    }
    fx->setColumnStretch(1, 1);
    fx->setColumnStretch(3, 1);

    // --- acknowledgement signal ---
    auto* confSignal = rahmen("Conf_Signal", QStringLiteral("Akk.Signal"), this);
    m_Signal = new QButtonGroup(this);
    auto* fs = new QVBoxLayout(confSignal);
    fs->addWidget(option(QStringLiteral("Conf_Signal_Blink"), QStringLiteral("Akk. Signal taktend"), m_Signal, 1,
                         confSignal));
    fs->addWidget(option(QStringLiteral("Conf_Signal_Dauer"), QStringLiteral("Akk. Signal Dauer"), m_Signal, 2,
                         confSignal));

    // --- gradient limit ---
    auto* frame5 = rahmen("Frame5", QStringLiteral("Temperatur-Gradient"), this);
    m_Gradient = new QButtonGroup(this);
    auto* fg = new QVBoxLayout(frame5);
    fg->addWidget(option(QStringLiteral("Conf_Grad_Ein"), QStringLiteral("Gradient Ein"), m_Gradient, 1, frame5));
    fg->addWidget(option(QStringLiteral("Conf_Grad_Aus"), QStringLiteral("Gradient Aus"), m_Gradient, 2, frame5));

    // --- language ---
    auto* sprachen = rahmen("Spracheinstellung", QStringLiteral("Spracheinstellung"), this);
    m_Sprache = new QButtonGroup(this);
    auto* fl = new QGridLayout(sprachen);
    for (int n = 1; n <= 8; ++n)
        fl->addWidget(option(QStringLiteral("Sprache%1").arg(n), q(Sprachoption_Text(n)), m_Sprache, n, sprachen),
                      (n - 1) / 4, (n - 1) % 4);

    // --- notes and OK ---
    m_Hinweis = label(QStringLiteral("Lesehinweis"), QString(), this);
    m_Hinweis->setWordWrap(true);
    m_Hinweis->setStyleSheet(QStringLiteral("color: #a04000;"));
    m_Hinweis->hide();

    m_Command1 = new QPushButton(QStringLiteral("OK"), this);
    m_Command1->setObjectName(QStringLiteral("Command1"));
    m_Command1->setMinimumSize(120, 36);
    m_Command1->setDefault(true);

    auto* links = new QVBoxLayout;
    links->addWidget(frame1);
    links->addWidget(frame2);
    links->addWidget(confSignal);
    links->addWidget(frame5);
    links->addStretch(1);

    auto* rechts = new QVBoxLayout;
    rechts->addWidget(frame3);
    rechts->addWidget(frame4);
    rechts->addWidget(defExtra);
    rechts->addWidget(sprachen);
    rechts->addStretch(1);

    auto* spalten = new QHBoxLayout;
    spalten->addLayout(links, 0);
    spalten->addLayout(rechts, 1);

    // The MQTT link has a dialog of its own.
    auto* mqtt = new QPushButton(this);
    mqtt->setObjectName(QStringLiteral("Mqtt_Einstellungen"));
    mqtt->setMinimumSize(120, 36);
    const auto mqtt_text = [this, mqtt] { mqtt->setText(q(Mqtttexte_Fuer(app.texte.aktuell).Knopf)); };
    mqtt_text();
    connect(&app, &Anwendung::spracheGeaendert, mqtt, mqtt_text);
    connect(mqtt, &QPushButton::clicked, this, [this] {
        auto& dialog = app.bildschirm<MqttEinstellungen>();
        dialog.laden();
        dialog.show();
        dialog.raise();
    });

    // So has the kettle model.
    auto* kessel = new QPushButton(this);
    kessel->setObjectName(QStringLiteral("Kesselmodell"));
    kessel->setMinimumSize(120, 36);
    const auto kessel_text = [this, kessel] { kessel->setText(q(Modelltexte_Fuer(app.texte.aktuell).Knopf)); };
    kessel_text();
    connect(&app, &Anwendung::spracheGeaendert, kessel, kessel_text);
    connect(kessel, &QPushButton::clicked, this, [this] {
        auto& dialog = app.bildschirm<Kesselmodellanzeige>();
        dialog.show();
        dialog.raise();
    });

    auto* unten = new QHBoxLayout;
    unten->addWidget(m_Hinweis, 1);
    unten->addStretch(0);
    unten->addWidget(kessel, 0, Qt::AlignRight | Qt::AlignBottom);
    unten->addWidget(mqtt, 0, Qt::AlignRight | Qt::AlignBottom);
    unten->addWidget(m_Command1, 0, Qt::AlignRight | Qt::AlignBottom);

    auto* haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(16, 14, 16, 14);
    haupt->addLayout(spalten);
    haupt->addLayout(unten);

    // The dialog's starting values, until a file is loaded.
    setzen(Dialogstand{});

    connect(m_Schnittstelle, &QButtonGroup::idToggled, this, [this](int id, bool an) {
        if (an)
            Schnittstelle_Click(id);
    });
    connect(m_Sprache, &QButtonGroup::idToggled, this, [this](int id, bool an) {
        if (an)
            Sprache_Click(id);
    });
    connect(m_Command1, &QPushButton::clicked, this, &HardwareAbfrage::Command1_Click);
    connect(m_GPIO_Einstellen, &QPushButton::clicked, this, &HardwareAbfrage::GPIO_Einstellen_Click);
    connect(m_Einwire_Lesen, &QPushButton::clicked, this, &HardwareAbfrage::Einwire_Lesen_Click);
    connect(&app, &Anwendung::spracheGeaendert, this, &HardwareAbfrage::zusatzBeschriften);
    zusatzBeschriften();
}

void HardwareAbfrage::zusatzBeschriften()
{
    const Geraetetexte& t = Geraetetexte_Fuer(app.texte.aktuell);
    m_GPIO_Einstellen->setText(q(t.GPIO_Einstellen));
    m_Schnittstelle->button(Schnittstelle_GPIO)->setToolTip(q(t.Tipp_GPIO));
    m_Schnittstelle->button(Schnittstelle_HID)->setToolTip(q(t.Tipp_HID));
    m_Quelle->button(1)->setText(q(t.Quelle_DigiTemp));
    m_Quelle->button(2)->setText(q(t.Quelle_Einwire));
    m_Einwire_Lesen->setText(q(t.Neu_Lesen));
}

HardwareAbfrage::~HardwareAbfrage()
{
    if (m_sucher.joinable())
        m_sucher.join(); // a read on a hanging bus ends within the kernel's timeout
}

void HardwareAbfrage::Einwire_Lesen_Click()
{
    if (einwireSucheLaeuft())
        return;
    if (m_sucher.joinable())
        m_sucher.join();
    m_sucheFertig = false;
    m_Einwire_Lesen->setEnabled(false);
    const std::string kein = Geraetetexte_Fuer(app.texte.aktuell).Kein_Wert;
    QPointer<HardwareAbfrage> selbst(this);
    m_sucher = std::thread([this, selbst, kein] {
        const auto z = Einwirezugriff::echt();
        const std::string ordner = Einwire_Ordner();
        QStringList eintraege;
        for (const auto& id : Einwire_Sensoren(z, ordner)) {
            const auto wert = Einwire_Lesen(z, ordner, id);
            eintraege << q(id) + QStringLiteral("  ")
                             + (wert ? QString::number(*wert, 'f', 2) + QStringLiteral(" °C") : q(kein));
        }
        QMetaObject::invokeMethod(
            this,
            [this, selbst, eintraege, ordner] {
                if (!selbst)
                    return;
                const QString gewaehlt = m_Einwire_Sensor->currentText().section(QLatin1Char(' '), 0, 0);
                m_Einwire_Sensor->clear();
                m_Einwire_Sensor->addItems(eintraege);
                if (eintraege.isEmpty())
                    m_Einwire_Sensor->setPlaceholderText(
                        q(Geraetetexte_Fuer(app.texte.aktuell).Keine_Sensoren).arg(q(ordner)));
                m_Einwire_Sensor->setEditText(gewaehlt.isEmpty() && !eintraege.isEmpty()
                                                  ? eintraege.front().section(QLatin1Char(' '), 0, 0)
                                                  : gewaehlt);
                m_Einwire_Lesen->setEnabled(true);
            },
            Qt::QueuedConnection);
        m_sucheFertig = true;
    });
}

QStringList HardwareAbfrage::einwireListe() const
{
    QStringList l;
    for (int i = 0; i < m_Einwire_Sensor->count(); ++i)
        l << m_Einwire_Sensor->itemText(i);
    return l;
}

void HardwareAbfrage::GPIO_Einstellen_Click()
{
    Gpiodialog dialog(m_gpioEntwurf, m_sys, app.texte.aktuell, this);
    if (dialog.exec() == QDialog::Accepted)
        m_gpioEntwurf = dialog.einstellungen();
}

QString HardwareAbfrage::zusatzLaden()
{
    Zusatzdatei_Bericht bericht;
    const Profildatei datei = Zusatzdatei_Lesen(app.anlage.Programmpfad, &bericht);
    std::vector<std::string> fehler;
    if (!bericht.fehler.empty())
        fehler.push_back(bericht.fehler);
    app.zusatz = Zusatzeinstellungen_Lesen(
        [&](std::string_view a, std::string_view k) { return datei.Ini_Lesen(a, k); }, &fehler);
    QStringList texte;
    for (auto& f : fehler)
        texte << q(f);
    return texte.isEmpty() ? QString()
                           : q(Geraetetexte_Fuer(app.texte.aktuell).Ini_Fehler).arg(texte.join(QStringLiteral("\n")));
}

Dialogstand HardwareAbfrage::stand() const
{
    Dialogstand d;
    d.NameDigitemp = s(m_NameDigitemp->text());
    d.NameLogFile = s(m_NameLogFile->text());
    d.LPT_DEF = s(m_LPT_DEF->text());
    for (std::size_t i = 0; i < m_Conf_Extra.size(); ++i)
        d.Conf_Extra[i] = s(m_Conf_Extra[i]->text());
    d.Auswahl_Schnittstelle = gewaehlt(m_Schnittstelle);
    d.Auswahl_COM = gewaehlt(m_COM);
    d.Auswahl_Signal = gewaehlt(m_Signal);
    d.Auswahl_Gradient = gewaehlt(m_Gradient);
    d.Auswahl_Sprache = gewaehlt(m_Sprache);
    return d;
}

void HardwareAbfrage::setzen(const Dialogstand& d)
{
    // Filling is no click: the effects of loading are applied by the caller.
    const QSignalBlocker b1(m_Schnittstelle);
    const QSignalBlocker b2(m_Sprache);
    m_NameDigitemp->setText(q(d.NameDigitemp));
    m_NameLogFile->setText(q(d.NameLogFile));
    m_LPT_DEF->setText(q(d.LPT_DEF));
    for (std::size_t i = 0; i < m_Conf_Extra.size(); ++i)
        m_Conf_Extra[i]->setText(q(d.Conf_Extra[i]));
    waehle(m_Schnittstelle, d.Auswahl_Schnittstelle);
    waehle(m_COM, d.Auswahl_COM);
    waehle(m_Signal, d.Auswahl_Signal);
    waehle(m_Gradient, d.Auswahl_Gradient);
    waehle(m_Sprache, d.Auswahl_Sprache);
}

void HardwareAbfrage::hinweisZeigen(const QString& text)
{
    m_Hinweis->setText(text);
    m_Hinweis->setVisible(!text.isEmpty());
}

void HardwareAbfrage::Konfiguration_Laden()
{
    Konfiguration k;
    if (m_nichtGespeichert) {
        // Reading the old file back would undo settings that are in effect but could not be saved.
        k = app.konfiguration;
        hinweisZeigen(QStringLiteral(
            "Die Einstellungen konnten zuletzt nicht gespeichert werden: gezeigt werden die Werte im Speicher.\n"
            "The settings could not be saved last time: the values in memory are shown."));
    } else {
        Lesebericht bericht;
        const std::string pfad = Konfigurationsdatei_Pfad(app.anlage.Programmpfad);
        k = Datei_Lesen(pfad, &bericht);
        if (!bericht.fehler.empty()) {
            // The reason without the path, so that the hint keeps to its two lines.
            std::string grund = bericht.fehler;
            if (grund.starts_with(pfad + ": "))
                grund.erase(0, pfad.size() + 2);
            hinweisZeigen(QStringLiteral("Konfiguration nicht gelesen (%1): Vorgabewerte.\n"
                                         "Configuration not read (%1): default values.")
                              .arg(QString::fromStdString(grund)));
        } else if (!bericht.geoeffnet)
            hinweisZeigen(QStringLiteral("Keine Konfigurationsdatei gefunden: Vorgabewerte. OK legt sie an.\n"
                                         "No configuration file found: default values. OK creates it."));
        else if (bericht.zeilen < Konfiguration::Zeilenzahl)
            hinweisZeigen(QStringLiteral("Die Konfigurationsdatei hat nur %1 von 17 Zeilen: der Rest sind Vorgabewerte.\n"
                                         "The configuration file has only %1 of 17 lines: the rest are default values.")
                              .arg(bericht.zeilen));
        else
            hinweisZeigen(QString());
    }
    app.konfiguration = k;
    // Kesselwerk.ini: the settings the 17 lines do not hold (kept in memory too when the last save failed).
    if (!m_nichtGespeichert) {
        const QString zusatzfehler = zusatzLaden();
        if (!zusatzfehler.isEmpty())
            hinweisZeigen(m_Hinweis->text().isEmpty() ? zusatzfehler : m_Hinweis->text() + "\n" + zusatzfehler);
    }
    m_gpioEntwurf = app.zusatz.gpio;
    m_zusatzGeladen = app.zusatz;
    waehle(m_Quelle, app.zusatz.einwire.aktiv ? 2 : 1);
    m_Einwire_Sensor->setEditText(q(app.zusatz.einwire.sensor));
    if (app.zusatz.einwire.aktiv)
        Einwire_Lesen_Click(); // the sensors with their current reading, as soon as they are read

    Dialogstand d = stand();
    Ladewirkung w = kw::Konfiguration_Laden(k, d);
    // GPIO and the HID board stand in the file as 5.
    if (const short s = Schnittstelle_Wirksam(Zeilenzahl_Lesen(k.Schnittstelle), app.zusatz.Schnittstelle);
        s == Schnittstelle_GPIO || s == Schnittstelle_HID) {
        d.Auswahl_Schnittstelle = s;
        w.Schnittstelle = s;
    }
    setzen(d);

    // Selecting an option while loading acts as a click on it.
    if (w.Schnittstelle)
        app.anlage.Schnittstelle = *w.Schnittstelle;
    // The switch of the first load after start-up is silent, whatever switched before it.
    if (!m_schonGeladen)
        app.texte.Sprachhinweis_Aktiv = false;
    m_schonGeladen = true;
    app.anlage.Sprachnummer = w.Sprachnummer;
    app.Sprache_Umschalten();
}

void HardwareAbfrage::Schnittstelle_Click(int nummer)
{
    app.anlage.Schnittstelle = nummer;
}

void HardwareAbfrage::Sprache_Click(int nummer)
{
    app.anlage.Sprachnummer = nummer;
    app.Sprache_Umschalten();
}

void HardwareAbfrage::Command1_Click()
{
    const Dialogstand d = stand();

    // 1. The language in effect, without the hint for languages that have no tables.
    app.texte.Sprachhinweis_Aktiv = false;
    app.Sprache_Umschalten();

    // 2. Take the dialog's values (what no option says keeps its previous value), save,
    //    and start the sensor search.
    const Konfiguration k = kw::Konfiguration_Uebernehmen(d, app.konfiguration);
    app.konfiguration = k;
    if (int n = Zeilenzahl_Lesen(k.Schnittstelle); n >= 1 && n <= 5)
        app.anlage.Schnittstelle = n;
    const bool neueSchnittstelle = d.Auswahl_Schnittstelle == Schnittstelle_GPIO || d.Auswahl_Schnittstelle == Schnittstelle_HID;
    if (neueSchnittstelle)
        app.anlage.Schnittstelle = d.Auswahl_Schnittstelle;
    app.zusatz.Schnittstelle = neueSchnittstelle ? d.Auswahl_Schnittstelle : 0;
    app.zusatz.gpio = m_gpioEntwurf;
    app.zusatz.einwire.aktiv = m_Quelle->checkedId() == 2;
    // The entry shows the reading after the id: the id alone is kept.
    app.zusatz.einwire.sensor = s(m_Einwire_Sensor->currentText().trimmed().section(QLatin1Char(' '), 0, 0));
    if (int n = Zeilenzahl_Lesen(k.Sprache); n >= 1 && n <= 8)
        app.anlage.Sprachnummer = n;

    // A failed save does not stop the settings from taking effect for this run.
    std::string fehler;
    const std::string pfad = Konfigurationsdatei_Pfad(app.anlage.Programmpfad);
    m_nichtGespeichert = !Datei_Schreiben(pfad, k, &fehler);
    std::string zusatzfehler;
    const Zusatzeinstellungen zusatz = app.zusatz;
    if (!(zusatz == m_zusatzGeladen) && !Zusatzdatei_Aendern(
            app.anlage.Programmpfad,
            [&](Profildatei& datei) {
                Zusatzeinstellungen_Schreiben(zusatz, [&](std::string_view a, std::string_view s, std::string_view w) {
                    datei.Ini_Schreiben(a, s, w);
                });
            },
            &zusatzfehler)) {
        m_nichtGespeichert = true;
        fehler += (fehler.empty() ? "" : "; ") + Zusatzdatei_Pfad(app.anlage.Programmpfad) + ": " + zusatzfehler;
    } else {
        m_zusatzGeladen = zusatz;
    }
    if (m_nichtGespeichert) {
        // `fehler` names the file and the reason.
        app.hinweis("Die Konfiguration konnte nicht gespeichert werden (" + fehler
                    + ").\nDie Einstellungen gelten bis zum Programmende.\n"
                      "The configuration could not be saved ("
                    + fehler + ").\nThe settings apply until the program ends.");
    }
    // Also 5. (start-up wait of 15 s) and 6. (log deleted, before the tool can write to it).
    if (!app.zusatz.einwire.aktiv
        && !app.temperatur().Hardware_Initialisieren(app.Geraetezeit(), app.anlage.Programmpfad, k)) {
        const std::string werkzeug = app.temperatur().Initialisierung().programm;
        app.hinweis("Das Programm \"" + werkzeug
                    + "\" zum Einlesen der Temperatur lässt sich nicht starten: es wird keine Temperatur gelesen.\n"
                      "The program \""
                    + werkzeug + "\" that reads the temperature cannot be started: no temperature is read.");
    }

    // 3.
    app.anlage.Konfiguration_Bestaetigt = true;

    // 4. Extra texts, signal mode and gradient to the main screen.
    //    The main screen hands signal mode and gradient on to the controller.
    const Hauptbildeinstellungen e = kw::Einstellungen_Anwenden(d);
    auto* grundbild = qobject_cast<Grundbild*>(app.bildschirm(Grundbild::Name));
    if (grundbild)
        grundbild->Einstellungen_Anwenden(e);

    // 7. Close the dialog and show the main screen.
    hide();
    if (grundbild) {
        grundbild->show();
        grundbild->raise();
        grundbild->activateWindow();
    }
    // 8. After the main screen, so that the notice stays in front of it.
    if (!m_Erste_Bestaetigung) {
        m_Erste_Bestaetigung = true;
        if (QWidget* notiz = app.bildschirm("HardwareConf")) {
            notiz->show();
            notiz->raise();
        }
        // An unfinished brew journal is offered once the settings are in effect.
        app.Fortsetzung_Anbieten();
    }

    // 9.
    if (app.anlage.Schnittstelle == 4)
        app.ausgabe().IOW_Oeffnen();
    if (app.anlage.Schnittstelle == Schnittstelle_HID)
        app.ausgabe().HID_Oeffnen();
}

} // namespace kw
