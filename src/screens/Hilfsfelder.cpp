#include "screens/Hilfsfelder.h"

#include "program/Funktionen.h"

namespace kw::hilfen {

QLineEdit* Textfeld(const char* name, QWidget* eltern)
{
    auto* feld = new QLineEdit(eltern);
    feld->setObjectName(QString::fromLatin1(name));
    return feld;
}

Zahlenfeld* Dezimalfeld(Anwendung& app, const char* name, QWidget* eltern)
{
    // No length limit: rescaled amounts may come back longer than typed.
    auto* feld = new Zahlenfeld(&Tastenpruefung_Dezimal, 0, eltern);
    feld->setObjectName(QString::fromLatin1(name));
    QObject::connect(feld, &Zahlenfeld::abgelehnt, feld, [&app, feld](int meldung) {
        app.zeige(meldung);
        feld->setText(QStringLiteral("1"));
    });
    return feld;
}

QLabel* Beschriftung(const char* name, const QString& text, QWidget* eltern)
{
    auto* l = new QLabel(text, eltern);
    if (name && *name)
        l->setObjectName(QString::fromLatin1(name));
    return l;
}

void Vorholen(QWidget& bildschirm)
{
    bildschirm.show();
    bildschirm.raise();
    bildschirm.activateWindow();
}

void Zeigen(Anwendung& app, const char* name)
{
    if (QWidget* w = app.bildschirm(name))
        Vorholen(*w);
}

QPushButton* Knopf(const char* name, const QString& text, QWidget* eltern)
{
    auto* b = new QPushButton(text, eltern);
    b->setObjectName(QString::fromLatin1(name));
    b->setMinimumSize(120, 36);
    return b;
}

QPushButton* Zurueck_Knopf(Anwendung& app, QWidget& bildschirm, const char* name, const char* ziel)
{
    QPushButton* b = Knopf(name, QStringLiteral("OK"), &bildschirm);
    QObject::connect(b, &QPushButton::clicked, &bildschirm, [&app, &bildschirm, ziel] {
        bildschirm.hide();
        Zeigen(app, ziel);
    });
    return b;
}

void Ergebnis_Zeigen(Anwendung& app, int meldung,
                     std::initializer_list<std::pair<QLineEdit*, const std::string&>> felder)
{
    if (meldung != 0) {
        app.zeige(meldung);
        return;
    }
    for (const auto& [feld, text] : felder)
        feld->setText(QString::fromStdString(text));
}

} // namespace kw::hilfen
