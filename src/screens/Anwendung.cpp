#include "screens/Anwendung.h"

#include <algorithm>

#include "hardware/Linuxgeraete.h"
#include "screens/Beschriftungen.h"
#include "screens/Fensterflaeche.h"

#include <QApplication>
#include <QDialog>
#include <QThread>

namespace kw {

Anwendung::Anwendung(Teile teile)
    : m_eigeneUhr(teile.uhr ? nullptr : std::make_unique<Systemuhr>()),
      m_uhr(teile.uhr ? teile.uhr : m_eigeneUhr.get()),
      m_meldungsanzeige(std::make_unique<Meldungsanzeige>(nullptr)),
      m_steuerung(anlage, anzeige, *this, *this)
{
    Geraetequelle* geraete = teile.geraete;
    if (!geraete) {
        // The guard starts before the first byte is written.
        auto waechter = std::make_unique<Waechterquelle>(
            *this, *this, Waechterstart{teile.Waechterprogramm, teile.Testgeraet});
        m_waechter = waechter.get();
        m_eigeneGeraete = std::move(waechter);
        geraete = m_eigeneGeraete.get();
    }
    Prozessstarter* starter = teile.starter;
    if (!starter) {
        m_eigenerStarter = std::make_unique<PosixProzessstarter>();
        starter = m_eigenerStarter.get();
    }
    m_ausgabe = std::make_unique<Ausgabe>(*geraete, *this);
    m_temperatur = std::make_unique<Temperaturerfassung>(*starter, *this, anlage.Sensor_Alarm);

    anlage.Programmpfad = teile.Programmpfad;
    m_journal = std::make_unique<journal::Sudjournal>(anlage, anzeige, brauDaten, [this] { return jetzt(); });
    Mqtt_Starten();
    m_ereignisse.hinzufuegen(m_journal.get());
    m_ereignisse.hinzufuegen(m_mqtt.get());
    m_steuerung.setzeEreignisse(&m_ereignisse);
    m_steuerung.Ereignisse_Setzen(this);
    Bildschirme_Registrieren(*this);
}

Anwendung::~Anwendung()
{
    // Screens first: they hold references into this object.
    for (auto& [name, w] : m_bildschirme)
        delete w.data();
    m_bildschirme.clear();
    for (auto& w : m_spaeter_loeschen)
        delete w.data();
    m_spaeter_loeschen.clear();
}

QString Anwendung::meldungstext(int nr) const
{
    return QString::fromStdString(texte.meldung(nr));
}

void Anwendung::registriere(const std::string& name, Erzeuger erzeuger)
{
    m_erzeuger[name] = std::move(erzeuger);
}

std::vector<std::string> Anwendung::bildschirmnamen() const
{
    std::vector<std::string> namen;
    for (const auto& [name, e] : m_erzeuger)
        namen.push_back(name);
    return namen;
}

QWidget* Anwendung::bildschirm(const std::string& name)
{
    auto it = m_bildschirme.find(name);
    if (it != m_bildschirme.end() && !it->second.isNull())
        return it->second.data();
    auto e = m_erzeuger.find(name);
    if (e == m_erzeuger.end())
        return nullptr;
    QWidget* w = e->second(*this);
    w->setObjectName(QString::fromStdString(name));
    // Scrolls and is bounded to the display when it does not fit.
    Einpassen(*w);
    m_bildschirme[name] = w;
    beschriften(name, *w);
    return w;
}

bool Anwendung::geladen(const std::string& name) const { return vorhanden(name) != nullptr; }

QWidget* Anwendung::vorhanden(const std::string& name) const
{
    auto it = m_bildschirme.find(name);
    return it != m_bildschirme.end() ? it->second.data() : nullptr;
}

void Anwendung::entladen(const std::string& name)
{
    auto it = m_bildschirme.find(name);
    if (it == m_bildschirme.end())
        return;
    QPointer<QWidget> w = it->second;
    m_bildschirme.erase(it);
    if (w.isNull())
        return;
    w->hide();
    // Inside the event loop of a dialog (Qt's own message boxes run one) the
    // screen, and a dialog it owns, must outlive that loop: a deferred delete
    // would run inside it. Such screens go with the application.
    if (QThread::currentThread()->loopLevel() > 1)
        m_spaeter_loeschen.push_back(w);
    else
        w->deleteLater();
}

void Anwendung::andere_entladen()
{
    std::vector<std::string> namen;
    for (const auto& [name, w] : m_bildschirme)
        if (name != "Grundbild")
            namen.push_back(name);
    for (const auto& name : namen) {
        try {
            entladen(name);
        } catch (...) {
            // one failing screen must not keep the others open
        }
    }
}

void Anwendung::beschriften(const std::string& name, QWidget& w)
{
    for (const Beschriftung& b : texte.beschriftungen())
        if (b.Bildschirm == name)
            Beschriftung_Setzen(w, b.Steuerelement, QString::fromStdString(b.Text));
    // The program's own captions, tooltips and accessible names beyond the table.
    for (const Zusatzbeschriftung& z : Zusatzbeschriftungen(texte.aktuell)) {
        if (z.Bildschirm != name)
            continue;
        const QString text = QString::fromStdString(z.Text);
        if (z.art == Zusatzbeschriftung::Art::Text) {
            Beschriftung_Setzen(w, z.Steuerelement, text);
        } else if (QWidget* e = w.findChild<QWidget*>(QString::fromStdString(z.Steuerelement))) {
            if (z.art == Zusatzbeschriftung::Art::Tipp)
                e->setToolTip(text);
            else
                e->setAccessibleName(text);
        }
    }
    Namen_Zuordnen(w);
}

void Anwendung::Sprache_Umschalten()
{
    const int hinweis = texte.Sprache_Umschalten(anlage.Sprachnummer);
    // Captions first (every screen of the table, created hidden where needed), then messages.
    std::vector<std::string> namen;
    for (const Beschriftung& b : texte.beschriftungen())
        if (namen.empty() || namen.back() != b.Bildschirm)
            namen.push_back(b.Bildschirm);
    // Screens with only texts of the program's own (created when first used).
    for (const Zusatzbeschriftung& z : Zusatzbeschriftungen(texte.aktuell))
        if (std::find(namen.begin(), namen.end(), z.Bildschirm) == namen.end() && geladen(z.Bildschirm))
            namen.push_back(z.Bildschirm);
    for (const auto& name : namen) {
        // A screen created now gets its captions as it is made.
        const bool da = geladen(name);
        if (QWidget* w = bildschirm(name); w && da)
            beschriften(name, *w);
    }
    Q_EMIT spracheGeaendert();
    if (hinweis != 0)
        zeige(hinweis);
}

void Anwendung::Ausgaenge_Schreiben()
{
    Ausgangsflags f;
    f.Aus_Heizung = static_cast<short>(anlage.Aus_Heizung);
    f.Ruehrwerk_Ein = static_cast<short>(anlage.Ruehrwerk_Ein);
    f.Aus_Kuehlung = static_cast<short>(anlage.Aus_Kuehlung);
    f.Aus_Extra1 = static_cast<short>(anlage.Aus_Extra1);
    f.Aus_Extra2 = static_cast<short>(anlage.Aus_Extra2);
    f.Aus_Extra3 = static_cast<short>(anlage.Aus_Extra3);
    f.Aus_Extra4 = static_cast<short>(anlage.Aus_Extra4);
    f.Aus_Signal = static_cast<short>(anlage.Aus_Signal);
    // Simulation with the kettle model: the kettle is the model, every relay stays off.
    const bool nur_modell = anlage.Nur_Modell();
    if (nur_modell)
        f = Ausgangsflags{};
    Ausgabeeinstellungen e;
    e.Schnittstelle = static_cast<short>(anlage.Schnittstelle);
    e.Konfiguration_Bestaetigt = anlage.Konfiguration_Bestaetigt ? -1 : 0;
    e.LPT_Def_Adresse = konfiguration.LPT_Def_Adresse;
    e.gpio = zusatz.gpio;
    m_ausgabe->Ausgaenge_Schreiben(f, Geraetezeit(), e);
    anlage.Aus_Ruehrwerk = nur_modell ? anlage.Ruehrwerk_Ein : m_ausgabe->Aus_Ruehrwerk();
    anlage.USB_Alarm = m_ausgabe->USB_Alarm();
}

Einwirelesung& Anwendung::einwire()
{
    if (!m_einwire)
        m_einwire = std::make_unique<Einwirelesung>();
    return *m_einwire;
}

void Anwendung::TempRead()
{
    if (zusatz.einwire.aktiv) {
        // The reads run on the reader's thread; the tick only takes the last one. No reading leaves the value
        // to age, and the controller's interlock and sensor warning act as with a failed DigiTemp run.
        Einwirelesung& w = einwire();
        // The sensor confirmed at OK; while the settings are open, it is read on.
        if (anlage.Konfiguration_Bestaetigt)
            w.sensorSetzen(zusatz.einwire.sensor);
        w.tick(Geraetezeit());
        anlage.Temperaturwert = w.Temperaturwert();
        anlage.Messzeitpunkt = w.Messzeitpunkt();
        if (w.Messzeitpunkt() && !m_einwireGelesen) {
            m_einwireGelesen = true;
            verbergeHardwareConf();
        }
        return;
    }
    if (m_einwire)
        m_einwire->sensorSetzen({});
    // Outside simulation the controller watches the reading's age and warns once per episode.
    m_temperatur->Veraltungswarnung_Setzen(anlage.Simulation != 0);
    m_temperatur->tick(Geraetezeit(), anlage.Konfiguration_Bestaetigt ? -1 : 0);
    anlage.Temperaturwert = m_temperatur->Temperaturwert();
    anlage.Messzeitpunkt = m_temperatur->Messzeitpunkt();
}

void Anwendung::Alles_Aus_Und_Beenden()
{
    if (m_beendet)
        return;
    m_beendet = true;
    m_steuerung.BEENDEN();
    try {
        // Every open dialog ends its own event loop first, so no code waits in one
        // for a screen that is gone.
        Dialoge_Schliessen();
        andere_entladen();
        m_meldungsanzeige->alleSchliessen();
    } catch (...) {
        // the outputs go off all the same
    }
    m_ausgabe->Alles_Aus();
    // Then the guard: it switches off once more, lets the devices go and ends.
    if (m_waechter)
        m_waechter->beenden();
    // The broker hears "offline" from the link's own thread.
    m_mqtt->Beenden();
}

void Anwendung::Stoerung(const std::string& was)
{
    // Off first, whatever else may fail after.
    m_steuerung.BEENDEN();
    // The idle view would switch the manual outputs on again at the next tick.
    const std::pair<int Anlage::*, Schalttext Anzeige::*> hand[] = {
        {&Anlage::Man_Heizung_Ein, &Anzeige::Man_Heizung},   {&Anlage::Man_Kuehlung_Ein, &Anzeige::Man_Kuehlung},
        {&Anlage::Man_Ruehrwerk_Ein, &Anzeige::Man_Ruehrwerk}, {&Anlage::Man_Extra1_Ein, &Anzeige::Man_Extra1},
        {&Anlage::Man_Extra2_Ein, &Anzeige::Man_Extra2},     {&Anlage::Man_Extra3_Ein, &Anzeige::Man_Extra3},
        {&Anlage::Man_Extra4_Ein, &Anzeige::Man_Extra4}};
    for (const auto& [schalter, text] : hand) {
        anlage.*schalter = 0;
        anzeige.*text = Schalttext::Ein;  // the toggle offers to switch on again
    }
    m_ausgabe->Alles_Aus();
    try {
        Ausgaenge_Schreiben();
    } catch (...) {
    }
    if (m_beendet)
        return;
    const QString text = QString::fromStdString(texte.zusatz().Stoerung).arg(QString::fromStdString(was));
    m_meldungsanzeige->zeige(text, QString(), QMessageBox::Critical);
}

void Anwendung::Dialoge_Schliessen()
{
    // Innermost first: a dialog's own boxes are windows of their own.
    for (int runde = 0; runde < 8; ++runde) {
        QDialog* offen = nullptr;
        if (auto* m = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            offen = m;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QDialog*>(w); !offen && d && d->isVisible())
                offen = d;
        if (!offen)
            return;
        offen->reject();
        offen->hide();
    }
}

void Anwendung::zeige(int nr)
{
    m_meldungsanzeige->zeige(meldungstext(nr));
}

void Anwendung::meldung(int nummer, const std::string& titel)
{
    m_meldungsanzeige->zeige(meldungstext(nummer), QString::fromStdString(titel));
}

void Anwendung::hinweis(const std::string& text)
{
    m_meldungsanzeige->zeige(QString::fromStdString(text));
}

} // namespace kw
