#include "screens/Fortsetzung.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <ctime>

#include "screens/Anwendung.h"
#include "texts/Journaltexte.h"

namespace kw {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

QString Zeit(journal::Zeitpunkt t, bool mit_datum)
{
    const std::time_t tt = static_cast<std::time_t>(t.time_since_epoch().count());
    std::tm l{};
    localtime_r(&tt, &l);
    char b[64];
    if (mit_datum)
        std::snprintf(b, sizeof b, "%02d.%02d.%04d %02d:%02d", l.tm_mday, l.tm_mon + 1, l.tm_year + 1900, l.tm_hour,
                      l.tm_min);
    else
        std::snprintf(b, sizeof b, "%02d:%02d", l.tm_hour, l.tm_min);
    return QString::fromLatin1(b);
}

bool Gleicher_Tag(journal::Zeitpunkt a, journal::Zeitpunkt b)
{
    const std::time_t ta = static_cast<std::time_t>(a.time_since_epoch().count());
    const std::time_t tb = static_cast<std::time_t>(b.time_since_epoch().count());
    std::tm la{}, lb{};
    localtime_r(&ta, &la);
    localtime_r(&tb, &lb);
    return la.tm_year == lb.tm_year && la.tm_yday == lb.tm_yday;
}

} // namespace

QString Angebotstext(const journal::Fortsetzungsangebot& f, const Journaltexte& t)
{
    const std::string& vorlage = f.neu ? t.Angebot_Neu : (f.laeuft ? t.Angebot_Halten : t.Angebot_Vor);
    const std::string& art = f.art == "Aufheizen" ? t.Art_Aufheizen
        : f.art == "Kuehlen"                      ? t.Art_Kuehlen
                                                  : t.Art_Halten;
    QString soll = q(f.soll);
    soll.replace(QLatin1Char('.'), QLatin1Char(','));
    // Not every text uses every placeholder.
    const QString werte[] = {q(f.biersorte), Zeit(f.beginn, true),
                             Zeit(f.unterbrochen, !Gleicher_Tag(f.beginn, f.unterbrochen)),
                             QString::number(f.phase), q(f.titel), q(art), soll,
                             QString::number(f.vergangen_s / 60), QString::number(f.geplant_s / 60)};
    QString aus;
    const QString v = q(vorlage);
    for (qsizetype i = 0; i < v.size(); ++i) {
        if (v[i] == u'%' && i + 1 < v.size() && v[i + 1] >= u'1' && v[i + 1] <= u'9') {
            aus += werte[v[i + 1].unicode() - u'1'];
            ++i;
        } else {
            aus += v[i];
        }
    }
    return aus;
}

Fortsetzung::Fortsetzung(Anwendung& a) : QWidget(nullptr), app(a)
{
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowModality(Qt::ApplicationModal);
    m_text = new QLabel;
    m_text->setObjectName(QStringLiteral("Angebot"));
    m_text->setWordWrap(true);
    m_text->setMinimumWidth(520);
    QFont f = m_text->font();
    f.setPointSizeF(f.pointSizeF() + 2);
    f.setBold(true);
    m_text->setFont(f);
    m_erklaerung = new QLabel;
    m_erklaerung->setObjectName(QStringLiteral("Erklaerung"));
    m_erklaerung->setWordWrap(true);
    m_fortsetzen = new QPushButton;
    m_fortsetzen->setObjectName(QStringLiteral("Fortsetzen"));
    m_verwerfen = new QPushButton;
    m_verwerfen->setObjectName(QStringLiteral("Verwerfen"));
    for (QPushButton* b : {m_fortsetzen, m_verwerfen})
        b->setMinimumHeight(36);
    m_fortsetzen->setDefault(true);
    connect(m_fortsetzen, &QPushButton::clicked, this, &Fortsetzung::Fortsetzen_Klick);
    connect(m_verwerfen, &QPushButton::clicked, this, &Fortsetzung::Verwerfen_Klick);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(m_fortsetzen);
    knoepfe->addWidget(m_verwerfen);
    auto* l = new QVBoxLayout(this);
    l->addWidget(m_text, 1);
    l->addWidget(m_erklaerung);
    l->addLayout(knoepfe);
    beschriften();
    connect(&app, &Anwendung::spracheGeaendert, this, &Fortsetzung::beschriften);
}

void Fortsetzung::beschriften()
{
    const Journaltexte& t = Journaltexte_Fuer(app.texte.aktuell);
    setWindowTitle(q(t.Fenstertitel));
    m_erklaerung->setText(q(t.Erklaerung));
    m_fortsetzen->setText(q(t.Fortsetzen));
    m_verwerfen->setText(q(t.Verwerfen));
    if (!m_pfad.empty())
        m_text->setText(Angebotstext(m_angebot, t));
}

void Fortsetzung::anbieten(const std::string& pfad, const journal::Fortsetzungsangebot& angebot)
{
    m_pfad = pfad;
    m_angebot = angebot;
    beschriften();
    adjustSize();
    show();
    raise();
    activateWindow();
}

QString Fortsetzung::text() const { return m_text->text(); }

void Fortsetzung::Fortsetzen_Klick()
{
    hide();
    app.Fortsetzen(m_pfad);
}

void Fortsetzung::Verwerfen_Klick()
{
    hide();
    app.Verwerfen(m_pfad);
}

} // namespace kw
