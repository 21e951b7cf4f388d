#include "screens/BraumeisterRuf.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "screens/Anwendung.h"

namespace kw {

BraumeisterRuf::BraumeisterRuf(Anwendung& anwendung) : QWidget(nullptr), app(anwendung)
{
    setWindowTitle(QStringLiteral("Braumeister-Ruf"));

    m_Ruftext = new QLabel;
    m_Ruftext->setObjectName(QStringLiteral("Ruftext"));
    m_Ruftext->setWordWrap(true);
    m_Ruftext->setMinimumSize(380, 90);
    m_Ruftext->setAlignment(Qt::AlignCenter);
    QFont f = m_Ruftext->font();
    f.setPointSizeF(f.pointSizeF() + 4);
    f.setBold(true);
    m_Ruftext->setFont(f);

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("Command1"));
    auto* aus = new QPushButton(QStringLiteral("SIGNAL AUS"));
    aus->setObjectName(QStringLiteral("Command2"));
    for (QPushButton* b : {ok, aus})
        b->setMinimumHeight(36);
    connect(ok, &QPushButton::clicked, this, &BraumeisterRuf::Command1_Click);
    connect(aus, &QPushButton::clicked, this, &BraumeisterRuf::Command2_Click);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(ok);
    knoepfe->addWidget(aus);
    auto* l = new QVBoxLayout(this);
    l->addWidget(m_Ruftext, 1);
    l->addLayout(knoepfe);
}

void BraumeisterRuf::Ruftext_Setzen(const QString& text) { m_Ruftext->setText(text); }

void BraumeisterRuf::Command1_Click()
{
    app.steuerung().Braumeisterruf_OK();
    app.entladen(Name);
}

void BraumeisterRuf::Command2_Click() { app.steuerung().Braumeisterruf_Signal_Aus(); }

} // namespace kw
