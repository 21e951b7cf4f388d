#include "screens/Beschriftungen.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
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

namespace {

bool braucht_namen(QWidget* w)
{
    return w && w->accessibleName().isEmpty()
           && (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSlider*>(w) || qobject_cast<QComboBox*>(w)
               || w->inherits("kw::Lampenfeld"));
}

bool hat_buddy(QWidget* w)
{
    if (!w->parentWidget())
        return false;
    for (QLabel* l : w->parentWidget()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
        if (l->buddy() == w)
            return true;
    return false;
}

// A free caption: a label that names nothing yet.
QLabel* freie_beschriftung(QLayoutItem* item)
{
    auto* l = item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
    return l && !l->buddy() && !l->text().trimmed().isEmpty() ? l : nullptr;
}

void zuordnen(QLayout& layout)
{
    const auto verbinden = [](QWidget* w, QLabel* l) {
        if (l && l->parentWidget() == w->parentWidget())
            l->setBuddy(w);
        return l != nullptr;
    };
    if (auto* g = qobject_cast<QGridLayout*>(&layout)) {
        for (int i = 0; i < g->count(); ++i) {
            QWidget* w = g->itemAt(i)->widget();
            if (!braucht_namen(w) || hat_buddy(w))
                continue;
            int zeile = 0, spalte = 0, zs = 0, ss = 0;
            g->getItemPosition(i, &zeile, &spalte, &zs, &ss);
            if (w->inherits("kw::Lampenfeld")) {
                verbinden(w, freie_beschriftung(g->itemAtPosition(zeile, spalte + ss)));
                continue;
            }
            if (!verbinden(w, spalte > 0 ? freie_beschriftung(g->itemAtPosition(zeile, spalte - 1)) : nullptr))
                verbinden(w, zeile > 0 ? freie_beschriftung(g->itemAtPosition(zeile - 1, spalte)) : nullptr);
        }
    } else if (qobject_cast<QBoxLayout*>(&layout)) {
        for (int i = 0; i < layout.count(); ++i) {
            QWidget* w = layout.itemAt(i)->widget();
            if (!braucht_namen(w) || hat_buddy(w))
                continue;
            const int nachbar = w->inherits("kw::Lampenfeld") ? i + 1 : i - 1;
            if (nachbar >= 0 && nachbar < layout.count())
                verbinden(w, freie_beschriftung(layout.itemAt(nachbar)));
        }
    }
}

} // namespace

void Namen_Zuordnen(QWidget& bildschirm)
{
    for (QLayout* l : bildschirm.findChildren<QLayout*>())
        zuordnen(*l);
    for (QAbstractItemView* v : bildschirm.findChildren<QAbstractItemView*>())
        if (auto* rahmen = qobject_cast<QGroupBox*>(v->parentWidget()))
            v->setAccessibleName(rahmen->title());
}

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
