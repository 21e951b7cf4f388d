#include "screens/Anwendung.h"

#include "hardware/Linuxgeraete.h"
#include "screens/Beschriftungen.h"

#include <QApplication>

namespace kw {

Anwendung::Anwendung(Teile teile)
    : m_eigeneUhr(teile.uhr ? nullptr : std::make_unique<Systemuhr>()),
      m_uhr(teile.uhr ? teile.uhr : m_eigeneUhr.get()),
      m_meldungsanzeige(std::make_unique<Meldungsanzeige>(nullptr)),
      m_steuerung(anlage, anzeige, *this, *this)
{
    Geraetequelle* geraete = teile.geraete;
    if (!geraete) {
        m_eigeneGeraete = std::make_unique<Linuxgeraete>(*this);
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
    Bildschirme_Registrieren(*this);
}

Anwendung::~Anwendung()
{
    // Screens first: they hold references into this object.
    for (auto& [name, w] : m_bildschirme)
        delete w.data();
    m_bildschirme.clear();
}

QString Anwendung::meldungstext(int nr) const
{
    return QString::fromStdString(texte.meldung(nr));
}

void Anwendung::registriere(const std::string& name, Erzeuger erzeuger)
{
    m_erzeuger[name] = std::move(erzeuger);
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
    m_bildschirme[name] = w;
    beschriften(name, *w);
    return w;
}

bool Anwendung::geladen(const std::string& name) const
{
    auto it = m_bildschirme.find(name);
    return it != m_bildschirme.end() && !it->second.isNull();
}

void Anwendung::entladen(const std::string& name)
{
    auto it = m_bildschirme.find(name);
    if (it == m_bildschirme.end())
        return;
    QPointer<QWidget> w = it->second;
    m_bildschirme.erase(it);
    if (!w.isNull()) {
        w->hide();
        w->deleteLater();
    }
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
}

void Anwendung::Sprache_Umschalten()
{
    const int hinweis = texte.Sprache_Umschalten(anlage.Sprachnummer);
    // Captions first (every screen of the table, created hidden where needed), then messages.
    std::vector<std::string> namen;
    for (const Beschriftung& b : texte.beschriftungen())
        if (namen.empty() || namen.back() != b.Bildschirm)
            namen.push_back(b.Bildschirm);
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
    Ausgabeeinstellungen e;
    e.Schnittstelle = static_cast<short>(anlage.Schnittstelle);
    e.Konfiguration_Bestaetigt = anlage.Konfiguration_Bestaetigt ? -1 : 0;
    e.LPT_Def_Adresse = konfiguration.LPT_Def_Adresse;
    m_ausgabe->Ausgaenge_Schreiben(f, Geraetezeit(), e);
    anlage.Aus_Ruehrwerk = m_ausgabe->Aus_Ruehrwerk();
    anlage.USB_Alarm = m_ausgabe->USB_Alarm();
}

void Anwendung::TempRead()
{
    m_temperatur->tick(Geraetezeit(), anlage.Konfiguration_Bestaetigt ? -1 : 0);
    anlage.Temperaturwert = m_temperatur->Temperaturwert();
}

void Anwendung::Alles_Aus_Und_Beenden()
{
    if (m_beendet)
        return;
    m_beendet = true;
    m_steuerung.BEENDEN();
    andere_entladen();
    m_meldungsanzeige->alleSchliessen();
    m_ausgabe->Alles_Aus();
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
