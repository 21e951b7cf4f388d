#include "screens/MqttEinstellungen.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "screens/Anwendung.h"

namespace kw {

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }
std::string s(const QLineEdit* f) { return f->text().trimmed().toStdString(); }

const std::string& Statuswort(const Mqtttexte& t, mqtt::Status st)
{
    switch (st) {
    case mqtt::Status::Aus: return t.Status_Aus;
    case mqtt::Status::Verbinde: return t.Status_Verbinde;
    case mqtt::Status::Verbunden: return t.Status_Verbunden;
    case mqtt::Status::Getrennt: return t.Status_Getrennt;
    case mqtt::Status::Abgewiesen: return t.Status_Abgewiesen;
    }
    return t.Status_Aus;
}
} // namespace

QString Mqtt_Statustext(Anwendung& app, bool mit_detail)
{
    const Mqtttexte& t = Mqtttexte_Fuer(app.texte.aktuell);
    const mqtt::Bericht b = app.mqtt().bericht();
    QString text = q(Statuswort(t, b.status));
    if (mit_detail && !b.detail.empty() && b.status != mqtt::Status::Verbunden)
        text += QStringLiteral(" – ") + q(b.detail);
    return text;
}

MqttEinstellungen::MqttEinstellungen(Anwendung& a) : QWidget(nullptr, Qt::Dialog), app(a)
{
    setWindowModality(Qt::ApplicationModal);
    const auto feld = [this](const char* name) {
        auto* f = new QLineEdit(this);
        f->setObjectName(QLatin1String(name));
        f->setMinimumWidth(280);
        return f;
    };
    const auto text = [this](QWidget* w, std::string Mqtttexte::*t) {
        m_texte.emplace_back(w, t);
        return w;
    };
    const auto label = [&](std::string Mqtttexte::*t) { return text(new QLabel(this), t); };
    const auto datei = [&](QLineEdit* f) {
        auto* zeile = new QHBoxLayout;
        zeile->addWidget(f, 1);
        auto* w = new QToolButton(this);
        w->setText(QStringLiteral("…"));
        w->setObjectName(f->objectName() + u"_Waehlen");
        text(w, &Mqtttexte::Waehlen);
        zeile->addWidget(w);
        connect(w, &QToolButton::clicked, this, [this, f] {
            const QString d = QFileDialog::getOpenFileName(this, QString(), f->text(),
                                                           QStringLiteral("PEM (*.pem *.crt *.key);;* (*)"));
            if (!d.isEmpty())
                f->setText(d);
        });
        return zeile;
    };

    m_Ein = new QCheckBox(this);
    m_Ein->setObjectName(QStringLiteral("Mqtt_Ein"));
    text(m_Ein, &Mqtttexte::Ein);

    auto* broker = new QGroupBox(this);
    text(broker, &Mqtttexte::Verbindung);
    auto* gb = new QGridLayout(broker);
    m_Host = feld("Mqtt_Host");
    m_Port = new QSpinBox(this);
    m_Port->setObjectName(QStringLiteral("Mqtt_Port"));
    m_Port->setRange(1, 65535);
    m_Tls = new QCheckBox(this);
    m_Tls->setObjectName(QStringLiteral("Mqtt_Tls"));
    text(m_Tls, &Mqtttexte::Tls);
    m_Ca = feld("Mqtt_Ca");
    m_Zertifikat = feld("Mqtt_Zertifikat");
    m_Schluessel = feld("Mqtt_Schluessel");
    gb->addWidget(label(&Mqtttexte::Host), 0, 0);
    auto* hp = new QHBoxLayout;
    hp->addWidget(m_Host, 1);
    hp->addWidget(label(&Mqtttexte::Port));
    hp->addWidget(m_Port);
    gb->addLayout(hp, 0, 1);
    gb->addWidget(m_Tls, 1, 1);
    gb->addWidget(label(&Mqtttexte::Ca_Datei), 2, 0);
    gb->addLayout(datei(m_Ca), 2, 1);
    gb->addWidget(label(&Mqtttexte::Zertifikat), 3, 0);
    gb->addLayout(datei(m_Zertifikat), 3, 1);
    gb->addWidget(label(&Mqtttexte::Schluessel), 4, 0);
    gb->addLayout(datei(m_Schluessel), 4, 1);

    auto* anmeldung = new QGroupBox(this);
    text(anmeldung, &Mqtttexte::Anmeldung);
    auto* ga = new QGridLayout(anmeldung);
    m_Benutzer = feld("Mqtt_Benutzer");
    m_Passwort = feld("Mqtt_Passwort");
    m_Passwort->setEchoMode(QLineEdit::Password);
    ga->addWidget(label(&Mqtttexte::Benutzer), 0, 0);
    ga->addWidget(m_Benutzer, 0, 1);
    ga->addWidget(label(&Mqtttexte::Passwort), 1, 0);
    ga->addWidget(m_Passwort, 1, 1);

    auto* themen = new QGroupBox(this);
    text(themen, &Mqtttexte::Themen);
    auto* gt = new QGridLayout(themen);
    m_Praefix = feld("Mqtt_Praefix");
    m_Client_Id = feld("Mqtt_Client_Id");
    gt->addWidget(label(&Mqtttexte::Praefix), 0, 0);
    gt->addWidget(m_Praefix, 0, 1);
    gt->addWidget(label(&Mqtttexte::Client_Id), 1, 0);
    gt->addWidget(m_Client_Id, 1, 1);
    m_Befehle = new QCheckBox(this);
    m_Befehle->setObjectName(QStringLiteral("Mqtt_Befehle"));
    text(m_Befehle, &Mqtttexte::Befehle);
    gt->addWidget(m_Befehle, 2, 0, 1, 2);
    auto* hinweis = static_cast<QLabel*>(label(&Mqtttexte::Befehle_Hinweis));
    hinweis->setWordWrap(true);
    hinweis->setStyleSheet(QStringLiteral("color: #555;"));
    gt->addWidget(hinweis, 3, 0, 1, 2);

    m_Zustand = new QLabel(this);
    m_Zustand->setObjectName(QStringLiteral("Mqtt_Zustand"));
    m_Zustand->setWordWrap(true);
    m_Fehler = new QLabel(this);
    m_Fehler->setObjectName(QStringLiteral("Mqtt_Fehler"));
    m_Fehler->setWordWrap(true);
    m_Fehler->setStyleSheet(QStringLiteral("color: #b00000;"));
    m_Fehler->hide();

    m_OK = new QPushButton(this);
    m_OK->setObjectName(QStringLiteral("Mqtt_OK"));
    m_OK->setDefault(true);
    m_OK->setMinimumWidth(110);
    text(m_OK, &Mqtttexte::Ok);
    m_Abbrechen = new QPushButton(this);
    m_Abbrechen->setObjectName(QStringLiteral("Mqtt_Abbrechen"));
    m_Abbrechen->setMinimumWidth(110);
    text(m_Abbrechen, &Mqtttexte::Abbrechen);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    knoepfe->addWidget(m_Abbrechen);
    knoepfe->addWidget(m_OK);

    auto* haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(16, 14, 16, 14);
    haupt->addWidget(m_Ein);
    haupt->addWidget(broker);
    haupt->addWidget(anmeldung);
    haupt->addWidget(themen);
    haupt->addWidget(m_Zustand);
    haupt->addWidget(m_Fehler);
    haupt->addLayout(knoepfe);

    m_Takt = new QTimer(this);
    m_Takt->setInterval(500);
    connect(m_Takt, &QTimer::timeout, this, &MqttEinstellungen::Zustand_Zeigen);
    connect(m_OK, &QPushButton::clicked, this, [this] { OK_Click(); });
    connect(m_Abbrechen, &QPushButton::clicked, this, &QWidget::hide);
    connect(m_Ein, &QCheckBox::toggled, this, &MqttEinstellungen::Felder_Freigeben);
    connect(m_Tls, &QCheckBox::toggled, this, [this](bool an) {
        // the usual ports follow TLS unless another was chosen
        if (an && m_Port->value() == 1883)
            m_Port->setValue(8883);
        else if (!an && m_Port->value() == 8883)
            m_Port->setValue(1883);
        Felder_Freigeben();
    });
    connect(&app, &Anwendung::spracheGeaendert, this, &MqttEinstellungen::beschriften);
    beschriften();
    laden();
}

void MqttEinstellungen::beschriften()
{
    const Mqtttexte& t = Mqtttexte_Fuer(app.texte.aktuell);
    setWindowTitle(q(t.Titel));
    for (const auto& [w, text] : m_texte) {
        const QString s = q(t.*text);
        if (auto* l = qobject_cast<QLabel*>(w))
            l->setText(s);
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            g->setTitle(s);
        else if (auto* tb = qobject_cast<QToolButton*>(w))
            tb->setToolTip(s);
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            b->setText(s);
    }
    m_Praefix->setPlaceholderText(q(t.Vorgabe).arg(q(mqtt::Vorgabe_Praefix())));
    m_Client_Id->setPlaceholderText(q(t.Vorgabe).arg(q(mqtt::Vorgabe_Client_Id())));
    Zustand_Zeigen();
}

void MqttEinstellungen::laden()
{
    const mqtt::Einstellungen& e = app.mqtt().einstellungen();
    m_Ein->setChecked(e.ein);
    m_Host->setText(q(e.host));
    m_Tls->setChecked(e.tls);
    m_Port->setValue(e.port);
    m_Ca->setText(q(e.ca_datei));
    m_Zertifikat->setText(q(e.zertifikat));
    m_Schluessel->setText(q(e.schluessel));
    m_Benutzer->setText(q(e.benutzer));
    m_Passwort->setText(q(e.passwort));
    m_Praefix->setText(q(e.praefix));
    m_Client_Id->setText(q(e.client_id));
    m_Befehle->setChecked(e.befehle_erlaubt);
    m_Fehler->hide();
    Felder_Freigeben();
    Zustand_Zeigen();
}

mqtt::Einstellungen MqttEinstellungen::stand() const
{
    mqtt::Einstellungen e;
    e.ein = m_Ein->isChecked();
    e.host = s(m_Host);
    e.port = m_Port->value();
    e.tls = m_Tls->isChecked();
    e.ca_datei = s(m_Ca);
    e.zertifikat = s(m_Zertifikat);
    e.schluessel = s(m_Schluessel);
    e.benutzer = s(m_Benutzer);
    e.passwort = m_Passwort->text().toStdString();   // blanks may belong to a password
    e.praefix = s(m_Praefix);
    e.client_id = s(m_Client_Id);
    e.befehle_erlaubt = m_Befehle->isChecked();
    return e;
}

bool MqttEinstellungen::OK_Click()
{
    const Mqtttexte& t = Mqtttexte_Fuer(app.texte.aktuell);
    const mqtt::Einstellungen e = stand();
    // Settings that are off need not be complete; they are kept for the next time.
    const std::string falsch = e.ein ? mqtt::Einstellungen_Pruefen(e) : std::string();
    if (!falsch.empty()) {
        const std::string& satz = falsch == "Host"      ? t.F_Host
                                  : falsch == "Port"    ? t.F_Port
                                  : falsch == "Praefix" ? t.F_Praefix
                                  : falsch == "CA"      ? t.F_Ca
                                                        : t.F_Schluessel;
        m_Fehler->setText(q(satz));
        m_Fehler->show();
        return false;
    }
    std::string fehler;
    const bool gespeichert = mqtt::Einstellungen_Schreiben(app.anlage.Programmpfad, e, &fehler);
    app.Mqtt_Einstellungen_Anwenden(e);
    if (!gespeichert) {
        // in effect until the program ends; said so, the dialog stays open
        m_Fehler->setText(q(t.F_Speichern).arg(q(fehler)));
        m_Fehler->show();
        return false;
    }
    m_Fehler->hide();
    hide();
    return true;
}

void MqttEinstellungen::Felder_Freigeben()
{
    const bool ein = m_Ein->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(m_Host), static_cast<QWidget*>(m_Port), static_cast<QWidget*>(m_Tls),
                       static_cast<QWidget*>(m_Benutzer), static_cast<QWidget*>(m_Passwort),
                       static_cast<QWidget*>(m_Praefix), static_cast<QWidget*>(m_Client_Id),
                       static_cast<QWidget*>(m_Befehle)})
        w->setEnabled(ein);
    for (QLineEdit* f : {m_Ca, m_Zertifikat, m_Schluessel}) {
        f->setEnabled(ein && m_Tls->isChecked());
        if (auto* w = findChild<QToolButton*>(f->objectName() + u"_Waehlen"))
            w->setEnabled(ein && m_Tls->isChecked());
    }
}

void MqttEinstellungen::Zustand_Zeigen()
{
    const QString text = q(Mqtttexte_Fuer(app.texte.aktuell).Zustand).arg(Mqtt_Statustext(app, true));
    if (m_Zustand->text() != text)
        m_Zustand->setText(text);
}

void MqttEinstellungen::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    Zustand_Zeigen();
    m_Takt->start();
}

void MqttEinstellungen::hideEvent(QHideEvent* e)
{
    m_Takt->stop();
    QWidget::hideEvent(e);
}

Mqttanzeige::Mqttanzeige(Anwendung& a) : app(a)
{
    setObjectName(QStringLiteral("Mqtt_Anzeige"));
    QFont f = font();
    f.setPointSizeF(f.pointSizeF() - 1);
    setFont(f);
    setWordWrap(true);   // the function column is narrow
    setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    auto* takt = new QTimer(this);
    takt->setInterval(500);
    connect(takt, &QTimer::timeout, this, &Mqttanzeige::aktualisieren);
    connect(&app, &Anwendung::fernbefehlAusgefuehrt, this, &Mqttanzeige::aktualisieren);
    connect(&app, &Anwendung::spracheGeaendert, this, &Mqttanzeige::aktualisieren);
    takt->start();
    aktualisieren();
}

void Mqttanzeige::aktualisieren()
{
    const bool ein = app.mqtt().einstellungen().ein;
    const mqtt::Status st = app.mqtt().bericht().status;
    QString text;
    if (ein || st != mqtt::Status::Aus)
        text = q(Mqtttexte_Fuer(app.texte.aktuell).Anzeige).arg(Mqtt_Statustext(app, false));
    if (!app.fernbefehl().isEmpty())
        text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + app.fernbefehl();
    const char* farbe = st == mqtt::Status::Verbunden    ? "rgb(0,120,0)"
                        : st == mqtt::Status::Abgewiesen ? "rgb(200,0,0)"
                                                         : "rgb(170,90,0)";
    const QString stil = QStringLiteral("color: %1;").arg(QLatin1String(farbe));
    if (styleSheet() != stil)
        setStyleSheet(stil);
    if (this->text() != text)
        setText(text);
    const bool sichtbar = !text.isEmpty();
    if (isHidden() == sichtbar)
        setVisible(sichtbar);
}

} // namespace kw
