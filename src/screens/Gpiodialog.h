#pragma once
// The GPIO settings, opened from the settings screen: the chip (by label), the line of each of the eight
// outputs and whether the relays pull in at 0 or at 1. Lists the chips the machine has and their lines.

#include <QDialog>

#include <array>
#include <functional>

#include "hardware/Gpio.h"
#include "hardware/Systemaufrufe.h"
#include "texts/Texte.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;

namespace kw {

class Gpiodialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* Name = "Gpiodialog";

    Gpiodialog(const Gpioeinstellungen& e, const Systemaufrufe& sys, Sprache sprache, QWidget* eltern);

    // What the dialog shows now.
    Gpioeinstellungen einstellungen() const;
    // Lines typed that the chosen chip does not have, as a text for the status line ("" = all fine).
    QString pruefung() const;

private:
    void chipsZeigen();
    void pruefen();

    Sprache m_sprache;
    std::vector<Gpiochip> m_chips;
    QComboBox* m_chip = nullptr;
    QLabel* m_liste = nullptr;
    std::array<QLineEdit*, Ausgangsanzahl> m_leitung{};
    QButtonGroup* m_aktiv = nullptr; // 1 low, 2 high
    QLabel* m_status = nullptr;
};

} // namespace kw
