#include "screens/Berechnungen.h"

#include <QGroupBox>
#include <QVBoxLayout>

#include "screens/Alkohol.h"
#include "screens/Anwendung.h"
#include "screens/Bittere.h"
#include "screens/Hilfsfelder.h"
#include "screens/Jodprobe.h"

namespace kw {

Berechnungen::Berechnungen(Anwendung& app) : QWidget(nullptr), m_app(app)
{
    setWindowTitle(QStringLiteral("Berechnungen und Hilfen"));
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* rahmen = new QGroupBox(QStringLiteral("Auswahl"), this);
    rahmen->setObjectName(QStringLiteral("Frame1"));
    auto* v = new QVBoxLayout(rahmen);
    v->setSpacing(10);
    auto knopf = [&](const char* name) {
        auto* b = new QPushButton(rahmen);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumSize(260, 44);
        v->addWidget(b);
        return b;
    };
    m_Command2 = knopf("Command2");
    m_Command4 = knopf("Command4");
    QPushButton* jod = knopf("Command3");
    v->addSpacing(14);
    QPushButton* zurueck = knopf("Command1");

    connect(m_Command2, &QPushButton::clicked, this,
            [this] { hilfen::Vorholen(m_app.bildschirm<Bittere>()); });
    connect(m_Command4, &QPushButton::clicked, this,
            [this] { hilfen::Vorholen(m_app.bildschirm<Alkohol>()); });
    connect(jod, &QPushButton::clicked, this,
            [this] { hilfen::Vorholen(m_app.bildschirm<Jodprobe>()); });
    connect(zurueck, &QPushButton::clicked, this, [this] {
        hide();
        hilfen::Zeigen(m_app, "Grundbild");
    });

    auto* haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(24, 20, 24, 20);
    haupt->addWidget(rahmen);
}

void Berechnungen::oeffnen()
{
    m_Command2->setVisible(true);
    m_Command4->setVisible(true);
    if (m_app.anlage.Sprachnummer != 1) {
        m_Command2->setVisible(false);
        m_Command4->setVisible(false);
    }
    adjustSize();
    hilfen::Vorholen(*this);
}

} // namespace kw
