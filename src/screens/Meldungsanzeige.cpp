#include "screens/Meldungsanzeige.h"

#include <algorithm>

namespace kw {

Meldungsanzeige::Meldungsanzeige(QWidget* eltern, QObject* parent)
    : QObject(parent), m_eltern(eltern)
{
}

void Meldungsanzeige::zeige(const QString& text, const QString& titel, QMessageBox::Icon icon)
{
    m_boxen.erase(std::remove_if(m_boxen.begin(), m_boxen.end(),
                                 [](const QPointer<QMessageBox>& b) { return b.isNull(); }),
                  m_boxen.end());
    for (const auto& b : m_boxen)
        if (b->isVisible() && b->text() == text)
            return;

    auto* box = new QMessageBox(icon, titel.isEmpty() ? Programmtitel() : titel, text,
                                QMessageBox::Ok, m_eltern);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Modal for input like any message box, but shown without a nested event
    // loop, so the timers and the controller tick go on while it is open.
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
    m_boxen.emplace_back(box);
}

std::vector<QMessageBox*> Meldungsanzeige::offene() const
{
    std::vector<QMessageBox*> r;
    for (const auto& b : m_boxen)
        if (!b.isNull() && b->isVisible())
            r.push_back(b.data());
    return r;
}

void Meldungsanzeige::alleSchliessen()
{
    for (const auto& b : m_boxen)
        if (!b.isNull())
            b->close();
    m_boxen.clear();
}

} // namespace kw
