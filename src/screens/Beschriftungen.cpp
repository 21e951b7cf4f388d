#include "screens/Beschriftungen.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextEdit>

namespace kw {

namespace {

QWidget* finde(QWidget& bildschirm, const QString& name)
{
    return bildschirm.findChild<QWidget*>(name, Qt::FindChildrenRecursively);
}

// "Info_Text_3" -> list "Info_Text", item 3
QListWidgetItem* listeneintrag(QWidget& bildschirm, const QString& name)
{
    const int unterstrich = name.lastIndexOf(u'_');
    if (unterstrich <= 0)
        return nullptr;
    bool ok = false;
    const int index = name.mid(unterstrich + 1).toInt(&ok);
    if (!ok || index < 0)
        return nullptr;
    auto* liste = bildschirm.findChild<QListWidget*>(name.left(unterstrich));
    if (!liste)
        return nullptr;
    while (liste->count() <= index)
        liste->addItem(QString());
    return liste->item(index);
}

} // namespace

namespace {

bool setze(QWidget& bildschirm, const QString& name, const QString& text);

// A whole control array under its plain name: every element "name_N".
bool setze_Feld(QWidget& bildschirm, const QString& name, const QString& text)
{
    const QRegularExpression muster(QStringLiteral("^%1_\\d+$").arg(QRegularExpression::escape(name)));
    bool gefunden = false;
    for (QWidget* w : bildschirm.findChildren<QWidget*>(muster)) {
        gefunden = setze(bildschirm, w->objectName(), text) || gefunden;
    }
    return gefunden;
}

} // namespace

bool Beschriftung_Setzen(QWidget& bildschirm, const std::string& steuerelement, const QString& text)
{
    const QString name = QString::fromStdString(steuerelement);
    if (name.isEmpty() || name == bildschirm.objectName()) {
        bildschirm.setWindowTitle(text);
        return true;
    }
    if (!finde(bildschirm, name) && setze_Feld(bildschirm, name, text))
        return true;
    return setze(bildschirm, name, text);
}

namespace {

bool setze(QWidget& bildschirm, const QString& name, const QString& text)
{
    QWidget* w = finde(bildschirm, name);
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(text);
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(text);
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        g->setTitle(text);
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(text);
    } else if (auto* t = qobject_cast<QTextEdit*>(w)) {
        t->setPlainText(text);
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        p->setPlainText(text);
    } else if (auto* eintrag = w ? nullptr : listeneintrag(bildschirm, name)) {
        eintrag->setText(text);
    } else {
        return false;
    }
    return true;
}

} // namespace

std::optional<QString> Beschriftung_Lesen(QWidget& bildschirm, const std::string& steuerelement)
{
    const QString name = QString::fromStdString(steuerelement);
    if (name.isEmpty() || name == bildschirm.objectName())
        return bildschirm.windowTitle();
    QWidget* w = finde(bildschirm, name);
    if (!w) {
        // a whole array: its first element speaks for all
        const QRegularExpression muster(QStringLiteral("^%1_\\d+$").arg(QRegularExpression::escape(name)));
        const auto elemente = bildschirm.findChildren<QWidget*>(muster);
        if (!elemente.isEmpty())
            return Beschriftung_Lesen(bildschirm, elemente.front()->objectName().toStdString());
    }
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* t = qobject_cast<QTextEdit*>(w))
        return t->toPlainText();
    if (auto* p = qobject_cast<QPlainTextEdit*>(w))
        return p->toPlainText();
    if (!w) {
        const int u = name.lastIndexOf(u'_');
        bool ok = false;
        const int index = u > 0 ? name.mid(u + 1).toInt(&ok) : -1;
        if (auto* liste = ok ? bildschirm.findChild<QListWidget*>(name.left(u)) : nullptr)
            if (index >= 0 && index < liste->count())
                return liste->item(index)->text();
    }
    return std::nullopt;
}

} // namespace kw
