#pragma once
// Second page of the phase editor: the blocks of phases 11 to 20.

#include <QWidget>

#include <array>

namespace kw {

class Anwendung;
class Phasenblock;

class Parameter2 : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* Name = "PARAMETER2";
    static constexpr int Erste_Phase = 11;

    explicit Parameter2(Anwendung& app);

    // Visibility rules of the editor for phases 11..20.
    void pflegen();
    // Shows phases 11..20 as the program holds them (after loading).
    void anzeigen();
    void tabulatorfolge();

    Phasenblock& block(int phase) { return *m_bloecke.at(static_cast<std::size_t>(phase - Erste_Phase)); }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void ZURUECK();
    void Seitenwechsel();

    Anwendung& app;
    std::array<Phasenblock*, 10> m_bloecke{};
};

} // namespace kw
