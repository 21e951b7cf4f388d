#include "screens/Ruf_Text.h"

#include "screens/Anwendung.h"
#include "screens/Parameter.h"
#include "screens/Parameter2.h"

#include <QEvent>

#include <algorithm>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace kw {

Ruf_Text::Ruf_Text(Anwendung& a) : QWidget(nullptr), app(a)
{
    setWindowTitle(QStringLiteral("Braumeister-Ruf Beschreibung"));

    auto* spalte = new QVBoxLayout(this);
    spalte->setContentsMargins(12, 10, 12, 10);
    auto* Label1 = new QLabel(QStringLiteral("Braumeister-Ruf:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont f = Label1->font();
    f.setBold(true);
    Label1->setFont(f);
    auto* Label2 = new QLabel(QStringLiteral("Bitte einen Text für den Braumeister-Ruf definieren:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);
    Eingabe_Text_BraumeisterRuf = new QLineEdit(this);
    Eingabe_Text_BraumeisterRuf->setObjectName(QStringLiteral("Eingabe_Text_BraumeisterRuf"));
    Eingabe_Text_BraumeisterRuf->setMinimumWidth(380);
    Eingabe_Text_BraumeisterRuf->installEventFilter(this);
    // Pasting with the mouse changes the text without a key: store that too.
    connect(Eingabe_Text_BraumeisterRuf, &QLineEdit::textEdited, this, [this] { Text_Ablegen(); });
    auto* Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setMinimumWidth(90);
    connect(Command1, &QPushButton::pressed, this, [this] { OK(); });

    spalte->addWidget(Label1);
    spalte->addWidget(Label2);
    spalte->addWidget(Eingabe_Text_BraumeisterRuf);
    spalte->addWidget(Command1, 0, Qt::AlignRight);
}

int Ruf_Text::phase()
{
    const int n = app.bildschirm<Parameter>().Bearbeitete_Phase;
    return n >= 1 && n <= Max_Phasen ? n : 1;
}

void Ruf_Text::Text_Holen()
{
    const QString t = QString::fromStdString(app.anlage.Programm.Phase(phase()).Ruftext());
    if (Eingabe_Text_BraumeisterRuf->text() != t)
        Eingabe_Text_BraumeisterRuf->setText(t);
}

void Ruf_Text::Text_Ablegen()
{
    app.anlage.Programm.Phase(phase()).setRuftext(Eingabe_Text_BraumeisterRuf->text().toStdString());
}

void Ruf_Text::oeffnen(QWidget& seite)
{
    Text_Holen();
    adjustSize();
    // beside the page: its upper right part, kept on the screen
    QPoint ort = seite.geometry().topRight() + QPoint(-width() - 40, 80);
    if (const QScreen* s = seite.screen()) {
        const QRect r = s->availableGeometry();
        ort.setX(std::clamp(ort.x(), r.left(), std::max(r.left(), r.right() - width())));
        ort.setY(std::clamp(ort.y(), r.top(), std::max(r.top(), r.bottom() - height())));
    }
    move(ort);
    show();
    raise();
    activateWindow();
    Eingabe_Text_BraumeisterRuf->setFocus();
}

bool Ruf_Text::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        Text_Holen();
    return QWidget::event(e);
}

bool Ruf_Text::eventFilter(QObject* objekt, QEvent* e)
{
    if (objekt == Eingabe_Text_BraumeisterRuf && e->type() == QEvent::KeyRelease)
        Text_Ablegen();
    return QWidget::eventFilter(objekt, e);
}

void Ruf_Text::OK()
{
    hide();
    auto& seite1 = app.bildschirm<Parameter>();
    if (seite1.Parameterseite == 1)
        Seite_Zeigen(seite1);
    else
        Seite_Zeigen(app.bildschirm<Parameter2>());
}

} // namespace kw
