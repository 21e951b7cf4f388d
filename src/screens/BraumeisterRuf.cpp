#include "screens/BraumeisterRuf.h"

#include <QLabel>
#include <QPushButton>

#include "screens/Anwendung.h"

namespace kw {

BraumeisterRuf::BraumeisterRuf(Anwendung& anwendung)
    : Hinweisfenster(QStringLiteral("Braumeister-Ruf"), "Ruftext", QString(), 4), app(anwendung)
{
    m_text->setMinimumHeight(90);   // room for a call text of three lines
    connect(knopf("Command1", QStringLiteral("OK")), &QPushButton::clicked, this,
            &BraumeisterRuf::Command1_Click);
    connect(knopf("Command2", QStringLiteral("SIGNAL AUS")), &QPushButton::clicked, this,
            &BraumeisterRuf::Command2_Click);
}

void BraumeisterRuf::Ruftext_Setzen(const QString& text) { m_text->setText(text); }

void BraumeisterRuf::Command1_Click()
{
    app.steuerung().Braumeisterruf_OK();
    app.entladen(Name);
}

void BraumeisterRuf::Command2_Click() { app.steuerung().Braumeisterruf_Signal_Aus(); }

} // namespace kw
