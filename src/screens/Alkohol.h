#pragma once
// Alcohol and energy calculator: alcohol by weight and volume and the energy of
// half a litre, from the wort gravity and the remaining extract.

#include <QLineEdit>
#include <QWidget>

namespace kw {

class Anwendung;

class Alkohol : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* Name = "Alkohol";

    explicit Alkohol(Anwendung& app);

private:
    void CALC_Klick();

    Anwendung& m_app;
    QLineEdit* m_Stammwuerze = nullptr;
    QLineEdit* m_Restextrakt = nullptr;
    QLineEdit* m_Alkohol_Gew = nullptr;
    QLineEdit* m_Alkohol_Vol = nullptr;
    QLineEdit* m_Brennwert_kcal = nullptr;
    QLineEdit* m_Energie_KJ = nullptr;
};

} // namespace kw
