#pragma once
// Bitterness calculator: grams of bittering and aroma hop for a wanted
// bitterness, with the transfer of both amounts into the brew protocol.

#include <QLineEdit>
#include <QWidget>

namespace kw {

class Anwendung;

class Bittere : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* Name = "Bittere";

    explicit Bittere(Anwendung& app);

private:
    void CALC_Klick();
    void Bitterhopfen_Uebernahme();
    void Aromahopfen_Uebernahme();

    Anwendung& m_app;
    QLineEdit* m_Alpha = nullptr;
    QLineEdit* m_Bittere_EBU = nullptr;
    QLineEdit* m_Sudgroesse = nullptr;
    QLineEdit* m_Stammwuerze = nullptr;
    QLineEdit* m_Kochzeit = nullptr;
    QLineEdit* m_Ausnutzung = nullptr;
    QLineEdit* m_MengeBitterhopfen = nullptr;
    QLineEdit* m_MengeAromahopfen = nullptr;
    QLineEdit* m_AlphaGramm = nullptr;
};

} // namespace kw
