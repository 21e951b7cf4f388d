#pragma once
// The resume offer: at start-up, once the configuration is confirmed, it says
// what the newest unfinished brew journal holds and offers "Fortsetzen" (load
// program and brew data, arm "Start ab Phase", wait for START) or "Verwerfen"
// (close the journal as abandoned). Closing the window decides nothing: the
// journal is offered again at the next start.

#include <QWidget>

#include <string>

#include "journal/Journal_Lesen.h"
#include "texts/Journaltexte.h"

class QLabel;
class QPushButton;

namespace kw {

class Anwendung;

class Fortsetzung : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* Name = "Fortsetzung";

    explicit Fortsetzung(Anwendung& app);

    // Fills the texts for this journal and shows the window.
    void anbieten(const std::string& pfad, const journal::Fortsetzungsangebot& angebot);
    const std::string& pfad() const { return m_pfad; }
    QString text() const;

private:
    void beschriften();
    void Fortsetzen_Klick();
    void Verwerfen_Klick();

    Anwendung& app;
    QLabel* m_text = nullptr;
    QLabel* m_erklaerung = nullptr;
    QPushButton* m_fortsetzen = nullptr;
    QPushButton* m_verwerfen = nullptr;
    std::string m_pfad;
    journal::Fortsetzungsangebot m_angebot;
};

// The offer as one sentence in the language of `t` (dialog text).
QString Angebotstext(const journal::Fortsetzungsangebot& f, const Journaltexte& t);

} // namespace kw
