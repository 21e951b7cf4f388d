#include "screens/Bittere.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <vector>

#include "aids/Bittere.h"
#include "screens/Anwendung.h"
#include "screens/Brauprotokoll.h"
#include "screens/Hilfsfelder.h"

namespace kw {

using hilfen::Beschriftung;
using hilfen::Dezimalfeld;
using hilfen::Textfeld;

namespace {

// The utilisation formula, drawn by us: the formula with its two exponents in the
// middle, the gravity and boil-time fields above their exponent terms, the result
// field under the left-hand side.
class Formelbild final : public QWidget {
public:
    Formelbild(Anwendung& app, QWidget* eltern) : QWidget(eltern)
    {
        setObjectName(QStringLiteral("Picture2"));
        m_schrift = font();
        m_schrift.setPointSizeF(m_schrift.pointSizeF() * 1.35);
        m_klein = font();
        m_klein.setPointSizeF(m_klein.pointSizeF() * 1.05);

        const QFontMetrics fm(m_schrift);
        const QFontMetrics fk(m_klein);
        constexpr int feldBreite = 70;
        constexpr int feldHoehe = 24;
        constexpr int rand = 16;
        constexpr int feldOben = 10;
        m_grundlinie = 84;
        m_hochlinie = m_grundlinie - fm.ascent() / 2 - 2;
        m_zeigerOben = feldOben + feldHoehe;
        m_zeigerUnten = m_hochlinie - fk.ascent() - 2;

        int x = rand;
        auto normal = [&](const QString& t) {
            m_teile.push_back({x, false, t});
            x += fm.horizontalAdvance(t);
        };
        auto hoch = [&](const QString& vor, const QString& wort, const QString& nach) {
            m_teile.push_back({x, true, vor});
            x += fk.horizontalAdvance(vor);
            const int wortX = x;
            m_teile.push_back({x, true, wort});
            x += fk.horizontalAdvance(wort);
            m_teile.push_back({x, true, nach});
            x += fk.horizontalAdvance(nach) + 3;
            return wortX + fk.horizontalAdvance(wort) / 2;  // middle of the term
        };
        normal(QStringLiteral("Ausnutzung [%]  =  "));
        const int linksBreite = x - rand;
        normal(QStringLiteral("1,65 · 0,0001251"));
        const int mitteP = hoch(QStringLiteral("(0,004 · "), QStringLiteral("Stammwürze [%]"), QStringLiteral(")"));
        normal(QStringLiteral(" · (1 − e"));
        const int mitteT = hoch(QStringLiteral("(−0,04 · "), QStringLiteral("Kochzeit [min]"), QStringLiteral(")"));
        normal(QStringLiteral(")  · 100 / 4,15"));

        Stammwuerze = Dezimalfeld(app, "Stammwuerze", this);
        Stammwuerze->setGeometry(mitteP - feldBreite / 2, feldOben, feldBreite, feldHoehe);
        Kochzeit = Dezimalfeld(app, "Kochzeit", this);
        Kochzeit->setGeometry(mitteT - feldBreite / 2, feldOben, feldBreite, feldHoehe);
        m_zeiger = {mitteP, mitteT};

        Ausnutzung = Textfeld("Ausnutzung", this);
        Ausnutzung->setReadOnly(true);
        Ausnutzung->setGeometry(rand, m_grundlinie + 12, std::max(170, linksBreite - 20), feldHoehe);
        setFixedSize(x + rand, m_grundlinie + 12 + feldHoehe + 10);
    }

    QLineEdit* Stammwuerze = nullptr;
    QLineEdit* Kochzeit = nullptr;
    QLineEdit* Ausnutzung = nullptr;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), QColor(255, 253, 240));
        p.setPen(QPen(QColor(120, 110, 90), 1));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        // from each field down to its term
        p.setPen(QPen(QColor(150, 140, 120), 1, Qt::DotLine));
        for (int x : m_zeiger)
            p.drawLine(x, m_zeigerOben + 1, x, m_zeigerUnten);
        p.setPen(Qt::black);
        for (const Teil& t : m_teile) {
            p.setFont(t.hoch ? m_klein : m_schrift);
            p.drawText(t.x, t.hoch ? m_hochlinie : m_grundlinie, t.text);
        }
    }

private:
    struct Teil {
        int x;
        bool hoch;  // exponent
        QString text;
    };
    QFont m_schrift;
    QFont m_klein;
    int m_grundlinie = 0;
    int m_hochlinie = 0;
    int m_zeigerOben = 0;
    int m_zeigerUnten = 0;
    std::vector<Teil> m_teile;
    std::array<int, 2> m_zeiger{};
};

QLabel* Tabellenzeile(const char* name, int i, QWidget* eltern)
{
    auto* l = new QLabel(eltern);
    l->setObjectName(QString::fromLatin1(name) + u'_' + QString::number(i));
    return l;
}

} // namespace

Bittere::Bittere(Anwendung& app) : QWidget(nullptr), m_app(app)
{
    setWindowTitle(QStringLiteral("Bittere"));
    setAttribute(Qt::WA_QuitOnClose, false);

    // --- inputs ---
    auto* eingaben = new QGridLayout;
    eingaben->addWidget(Beschriftung("Label1", {}, this), 0, 0);
    m_Alpha = Dezimalfeld(app, "Alpha", this);
    eingaben->addWidget(m_Alpha, 0, 1);
    eingaben->addWidget(Beschriftung("", QStringLiteral("% alpha"), this), 0, 2);
    eingaben->addWidget(Beschriftung("", QStringLiteral("="), this), 0, 3);
    m_AlphaGramm = Textfeld("AlphaGramm", this);
    m_AlphaGramm->setReadOnly(true);
    eingaben->addWidget(m_AlphaGramm, 0, 4);
    eingaben->addWidget(Beschriftung("Label2", {}, this), 0, 5);
    eingaben->addWidget(Beschriftung("Label3", {}, this), 1, 0);
    m_Bittere_EBU = Dezimalfeld(app, "Bittere_EBU", this);
    eingaben->addWidget(m_Bittere_EBU, 1, 1);
    eingaben->addWidget(Beschriftung("", QStringLiteral("EBU"), this), 1, 2);
    eingaben->addWidget(Beschriftung("Label4", {}, this), 2, 0);
    m_Sudgroesse = Dezimalfeld(app, "Sudgroesse", this);
    eingaben->addWidget(m_Sudgroesse, 2, 1);
    eingaben->addWidget(Beschriftung("Label5", {}, this), 2, 2);
    for (QLineEdit* f : {m_Alpha, m_AlphaGramm, m_Bittere_EBU, m_Sudgroesse})
        f->setFixedWidth(90);
    eingaben->setColumnStretch(6, 1);

    // --- utilisation ---
    auto* hinweis = Beschriftung("Label6", {}, this);
    hinweis->setWordWrap(true);
    auto* formel = new Formelbild(app, this);
    m_Stammwuerze = formel->Stammwuerze;
    m_Kochzeit = formel->Kochzeit;
    m_Ausnutzung = formel->Ausnutzung;

    // --- results ---
    auto* mengen = new QGroupBox(this);
    mengen->setObjectName(QStringLiteral("Frame1"));
    auto* mg = new QGridLayout(mengen);
    mg->addWidget(Beschriftung("Label7", {}, mengen), 0, 0);
    m_MengeBitterhopfen = Textfeld("MengeBitterhopfen", mengen);
    mg->addWidget(m_MengeBitterhopfen, 0, 1);
    mg->addWidget(Beschriftung("Label8", {}, mengen), 0, 2);
    auto* uebernahme1 = new QPushButton(mengen);
    uebernahme1->setObjectName(QStringLiteral("Command3"));
    mg->addWidget(uebernahme1, 0, 3);
    mg->addWidget(Beschriftung("Label9", {}, mengen), 1, 0);
    m_MengeAromahopfen = Textfeld("MengeAromahopfen", mengen);
    mg->addWidget(m_MengeAromahopfen, 1, 1);
    mg->addWidget(Beschriftung("Label10", {}, mengen), 1, 2);
    auto* uebernahme2 = new QPushButton(mengen);
    uebernahme2->setObjectName(QStringLiteral("Command4"));
    mg->addWidget(uebernahme2, 1, 3);
    for (QLineEdit* f : {m_MengeBitterhopfen, m_MengeAromahopfen}) {
        f->setReadOnly(true);
        f->setFixedWidth(90);
    }
    connect(uebernahme1, &QPushButton::clicked, this, &Bittere::Bitterhopfen_Uebernahme);
    connect(uebernahme2, &QPushButton::clicked, this, &Bittere::Aromahopfen_Uebernahme);

    auto* calc = hilfen::Knopf("Command2", QStringLiteral("CALC"), this);
    connect(calc, &QPushButton::clicked, this, &Bittere::CALC_Klick);
    auto* ok = hilfen::Zurueck_Knopf(app, *this, "Command1", "Berechnungen");

    // --- reference table ---
    auto* tabelle = new QVBoxLayout;
    auto* tabTitel = Beschriftung("Label13", {}, this);
    tabTitel->setWordWrap(true);
    tabelle->addWidget(tabTitel);
    auto* spalten = new QHBoxLayout;
    auto* sorten = new QGroupBox(this);
    sorten->setObjectName(QStringLiteral("Frame2"));
    auto* sv = new QVBoxLayout(sorten);
    auto* werte = new QGroupBox(this);
    werte->setObjectName(QStringLiteral("Frame3"));
    auto* wv = new QVBoxLayout(werte);
    for (int i = 0; i < 9; ++i) {
        sv->addWidget(Tabellenzeile("Sorte", i, sorten));
        wv->addWidget(Tabellenzeile("Wert", i, werte));
    }
    spalten->addWidget(sorten, 3);
    spalten->addWidget(werte, 2);
    tabelle->addLayout(spalten);
    tabelle->addStretch(1);

    // --- arrangement ---
    auto* notizen = new QVBoxLayout;
    notizen->addWidget(Beschriftung("Label11", {}, this));
    notizen->addWidget(Beschriftung("Label12", {}, this));
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addLayout(notizen);
    knoepfe->addStretch(1);
    knoepfe->addWidget(calc);
    knoepfe->addWidget(ok);

    auto* links = new QVBoxLayout;
    links->addLayout(eingaben);
    links->addSpacing(10);
    links->addWidget(hinweis);
    links->addWidget(formel);
    links->addSpacing(10);
    links->addWidget(mengen);
    links->addStretch(1);
    links->addLayout(knoepfe);

    auto* haupt = new QHBoxLayout(this);
    haupt->addLayout(links, 3);
    haupt->addSpacing(12);
    haupt->addLayout(tabelle, 1);
}

void Bittere::CALC_Klick()
{
    BittereEingaben e;
    e.Alpha = m_Alpha->text().toStdString();
    e.Bittere_EBU = m_Bittere_EBU->text().toStdString();
    e.Sudgroesse = m_Sudgroesse->text().toStdString();
    e.Stammwuerze = m_Stammwuerze->text().toStdString();
    e.Kochzeit = m_Kochzeit->text().toStdString();
    const BittereErgebnis r = Bittere_Berechnen(e, m_app.anlage.Dezimaltrenner);
    hilfen::Ergebnis_Zeigen(m_app, r.meldung,
                            {{m_Ausnutzung, r.Ausnutzung},
                             {m_MengeBitterhopfen, r.MengeBitterhopfen},
                             {m_MengeAromahopfen, r.MengeAromahopfen},
                             {m_AlphaGramm, r.AlphaGramm}});
}

void Bittere::Bitterhopfen_Uebernahme()
{
    m_app.bildschirm<Brauprotokoll>().Bitterhopfenmenge_Uebernehmen(m_MengeBitterhopfen->text());
}

void Bittere::Aromahopfen_Uebernahme()
{
    m_app.bildschirm<Brauprotokoll>().Aromahopfenmenge_Uebernehmen(m_MengeAromahopfen->text());
}

} // namespace kw
