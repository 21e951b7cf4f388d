// The application's part of the output guard: telling the user what happened to it.

#include "screens/Anwendung.h"

#include <QMessageBox>

namespace kw {

void Anwendung::waechterNeuGestartet()
{
    m_meldungsanzeige->zeige(QString::fromStdString(texte.waechter().Neu_Gestartet), QString(),
                             QMessageBox::Warning);
    if (m_journal) // the guard may report while the program is still being built
        m_journal->Ereignis_Schreiben(jetzt(), "Waechter", "neu gestartet");
    if (m_mqtt)
        m_mqtt->Waechter_Setzen("restarted");
    Q_EMIT ausgangswaechterNeuGestartet();
}

void Anwendung::waechterNichtVerfuegbar(const std::string& grund)
{
    const QString g = QString::fromStdString(grund);
    m_meldungsanzeige->zeige(QString::fromStdString(texte.waechter().Nicht_Verfuegbar).arg(g), QString(),
                             QMessageBox::Warning);
    if (m_journal) // the guard may report while the program is still being built
        m_journal->Ereignis_Schreiben(jetzt(), "Waechter", "nicht verfuegbar: " + grund);
    if (m_mqtt)
        m_mqtt->Waechter_Setzen("unavailable");
    Q_EMIT ausgangswaechterNichtVerfuegbar(g);
}

void Anwendung::ausgaengeWarenAus(std::chrono::milliseconds dauer)
{
    QString sekunden = QString::number(static_cast<double>(dauer.count()) / 1000.0, 'f', 1);
    if (anlage.Dezimaltrenner == ',')
        sekunden.replace(QLatin1Char('.'), QLatin1Char(','));
    m_meldungsanzeige->zeige(QString::fromStdString(texte.waechter().Ausgaenge_Waren_Aus).arg(sekunden),
                             QString(), QMessageBox::Warning);
    if (m_journal) // the guard may report while the program is still being built
        m_journal->Ereignis_Schreiben(jetzt(), "Waechter",
                                      "Ausgaenge aus fuer " + std::to_string(dauer.count()) + " ms");
    Q_EMIT ausgaengeWarenAusGewesen(static_cast<qint64>(dauer.count()));
}

} // namespace kw
