#include "screens/Information.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QPushButton>
#include <QVBoxLayout>

#include "screens/Anwendung.h"
#include "screens/Hilfsfelder.h"
#include "Version.h"

namespace kw {

Information::Information(Anwendung& app) : QWidget(nullptr)
{
    setWindowTitle(QStringLiteral("Information"));
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* rahmen = new QGroupBox(this);
    rahmen->setObjectName(QStringLiteral("Frame_Beschreibung"));
    auto* rv = new QVBoxLayout(rahmen);
    auto* liste = new QListWidget(rahmen);
    liste->setObjectName(QStringLiteral("Info_Text"));
    liste->setSelectionMode(QAbstractItemView::NoSelection);
    liste->setFocusPolicy(Qt::NoFocus);
    liste->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The sixteen lines Info_Text_0 .. Info_Text_15, filled from the caption table.
    for (int i = 0; i < 16; ++i)
        liste->addItem(QString());
    liste->setMinimumSize(600, liste->sizeHintForRow(0) * 16 + 2 * liste->frameWidth() + 4);
    rv->addWidget(liste);
    // The table's version line names the release; the build's own version replaces its number.
    connect(liste, &QListWidget::itemChanged, this, &Information::versionEinsetzen);

    // Where the settings, recipes and brew journals of this run live.
    auto* ordnerTitel = new QLabel(rahmen);
    ordnerTitel->setObjectName(QStringLiteral("Label_Programmordner"));
    auto* ordner = new QLabel(QString::fromStdString(app.anlage.Programmpfad), rahmen);
    ordner->setObjectName(QStringLiteral("Programmordner"));
    ordner->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ordner->setWordWrap(true);
    rv->addWidget(ordnerTitel);
    rv->addWidget(ordner);

    auto* lizenz = new QLabel(rahmen);
    lizenz->setObjectName(QStringLiteral("Label_Lizenz"));
    lizenz->setWordWrap(true);
    rv->addSpacing(6);
    rv->addWidget(lizenz);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK_Info"));
    ok->setMinimumSize(120, 36);
    // Reacts to the press itself, not to a completed click.
    connect(ok, &QPushButton::pressed, this, [this, &app] {
        hide();
        hilfen::Zeigen(app, "Grundbild");
    });

    auto* haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(16, 14, 16, 14);
    haupt->addWidget(rahmen, 1);
    haupt->addWidget(ok, 0, Qt::AlignRight);
}

void Information::versionEinsetzen(QListWidgetItem* eintrag)
{
    if (!eintrag || eintrag->listWidget()->row(eintrag) != 4)
        return;
    static const QRegularExpression nummer(QStringLiteral("\\d+(\\.\\d+)+\\s*$"));
    QString text = eintrag->text();
    text.replace(nummer, QStringLiteral(KW_VERSION));
    if (text != eintrag->text())
        eintrag->setText(text); // comes back here once and then finds nothing to change
}

} // namespace kw
