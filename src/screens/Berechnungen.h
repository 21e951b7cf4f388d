#pragma once
// Calculations menu: the bitterness and alcohol calculators (German setting
// only) and the iodine-test guide.

#include <QPushButton>
#include <QWidget>

namespace kw {

class Anwendung;

class Berechnungen : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* Name = "Berechnungen";

    explicit Berechnungen(Anwendung& app);

    // The main screen's "BERECHNUNGEN / HILFEN": the calculators are offered
    // with the German language setting only, decided anew on every opening.
    void oeffnen();

private:
    Anwendung& m_app;
    QPushButton* m_Command2 = nullptr;  // BITTERE
    QPushButton* m_Command4 = nullptr;  // ALKOHOL / KALORIEN
};

} // namespace kw
