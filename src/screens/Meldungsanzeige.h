#pragma once
// Shows messages without stalling the timers: a box with OK only, no icon and the program's title. A text already on screen is not
// opened a second time while it is shown.

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>

#include <vector>

namespace kw {

class Meldungsanzeige : public QObject {
    Q_OBJECT
public:
    explicit Meldungsanzeige(QWidget* eltern, QObject* parent = nullptr);

    void zeige(const QString& text, const QString& titel = QString(),
               QMessageBox::Icon icon = QMessageBox::NoIcon);

    // The boxes now on screen, oldest first (tests read and close them).
    std::vector<QMessageBox*> offene() const;
    void alleSchliessen();

    static QString Programmtitel() { return QStringLiteral("Kesselwerk"); }

private:
    QPointer<QWidget> m_eltern;
    std::vector<QPointer<QMessageBox>> m_boxen;
};

} // namespace kw
