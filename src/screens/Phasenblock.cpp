#include "screens/Phasenblock.h"

#include "program/Zahlen.h"
#include "screens/Anwendung.h"
#include "screens/Zahlenfeld.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QValidator>
#include <QVBoxLayout>

namespace kw {

namespace {

class Laengenpruefer final : public QValidator {
public:
    Laengenpruefer(int laenge, QObject* parent) : QValidator(parent), m_laenge(laenge) {}
    State validate(QString& text, int&) const override
    {
        return text.size() <= m_laenge ? Acceptable : Invalid;
    }

private:
    int m_laenge;
};

// Selects the option of a group (or none) without firing its click handlers.
void gruppe_zeigen(QButtonGroup& gruppe, QAbstractButton* gewaehlt)
{
    gruppe.setExclusive(false);
    for (QAbstractButton* b : gruppe.buttons())
        b->setChecked(b == gewaehlt);
    gruppe.setExclusive(true);
}

// In each group the last option whose flag reads true is the selected one.
QAbstractButton* letzte_wahre(std::initializer_list<std::pair<QAbstractButton*, const std::string*>> optionen)
{
    QAbstractButton* r = nullptr;
    for (const auto& [knopf, flag] : optionen)
        if (Flag_Lesen(*flag))
            r = knopf;
    return r;
}

void sichtbar_setzen(QWidget* w, bool sichtbar)
{
    if (w->isHidden() == sichtbar)
        w->setVisible(sichtbar);
}

void platz_behalten(QWidget* w)
{
    QSizePolicy p = w->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    w->setSizePolicy(p);
}

} // namespace

void Eingabelaenge_Begrenzen(QLineEdit& feld, int laenge)
{
    feld.setMaxLength(32767);
    feld.setValidator(new Laengenpruefer(laenge, &feld));
}

Phasenblock::Phasenblock(Anwendung& a, int phase, QWidget* parent)
    : QGroupBox(parent), app(a), m_phase(phase)
{
    const QString n = QString::number(phase);
    const auto name = [&](const char* basis) -> QString { return QString::fromLatin1(basis) + u'_' + n; };
    setObjectName(name("Frame2"));
    setTitle(u"Phase" + n);
    platz_behalten(this);

    auto* raster = new QGridLayout(this);
    raster->setContentsMargins(6, 4, 6, 4);
    raster->setHorizontalSpacing(4);
    raster->setVerticalSpacing(1);
    raster->setColumnStretch(0, 1);

    Par_Titel = new QLineEdit(this);
    Par_Titel->setObjectName(name("Par_Titel"));
    Eingabelaenge_Begrenzen(*Par_Titel, 20);
    raster->addWidget(Par_Titel, 0, 0, 1, 3);
    connect(Par_Titel, &QLineEdit::textChanged, this, [this](const QString& t) {
        app.anlage.Programm.Titel(m_phase) = t.toStdString();
    });

    const auto option = [&](const char* basis, const QString& text) {
        auto* o = new QRadioButton(text, this);
        o->setObjectName(name(basis));
        return o;
    };
    Par_Heizphase = option("Par_Heizphase", QStringLiteral("Konstantphase"));
    Par_Aufheizphase = option("Par_Aufheizphase", QStringLiteral("Aufheizphase"));
    Par_Kuehlphase = option("Par_Kuehlphase", QStringLiteral("Kühlphase"));
    raster->addWidget(Par_Heizphase, 1, 0, 1, 3);
    raster->addWidget(Par_Aufheizphase, 2, 0, 1, 3);
    raster->addWidget(Par_Kuehlphase, 3, 0, 1, 3);
    m_art = new QButtonGroup(this);
    for (QRadioButton* o : {Par_Heizphase, Par_Aufheizphase, Par_Kuehlphase})
        m_art->addButton(o);
    connect(m_art, &QButtonGroup::buttonClicked, this, [this] { artGeklickt(); });

    const auto beschriftung = [&](const char* basis, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name(basis));
        return l;
    };
    const auto zeile = [&](QGridLayout* r, int reihe, QLabel* vorn, Zahlenfeld* feld, QLabel* einheit) {
        r->addWidget(vorn, reihe, 0);
        r->addWidget(feld, reihe, 1);
        r->addWidget(einheit, reihe, 2);
    };
    Par_EndTemp = zahlenfeld(name("Par_EndTemp"), 3, &Tastenpruefung_Temperatur);
    Par_Heizzeit = zahlenfeld(name("Par_Heizzeit"), 3, &Tastenpruefung_Heizzeit);
    Par_Ruehrpuls = zahlenfeld(name("Par_Ruehrpuls"), 4, &Tastenpruefung_Ruehrimpuls);
    Par_Ruehrpause = zahlenfeld(name("Par_Ruehrpause"), 4, &Tastenpruefung_Ruehrpause);
    zeile(raster, 4, beschriftung("Label1", QStringLiteral("Temperatur")), Par_EndTemp,
          beschriftung("Label2", QStringLiteral("°C")));
    zeile(raster, 5, beschriftung("Label3", QStringLiteral("Heizzeit")), Par_Heizzeit,
          beschriftung("Label4", QStringLiteral("Min.")));
    zeile(raster, 6, beschriftung("Label5", QStringLiteral("Rührimpuls")), Par_Ruehrpuls,
          beschriftung("Label6", QStringLiteral("Sec.")));
    zeile(raster, 7, beschriftung("Label7", QStringLiteral("Rührpause")), Par_Ruehrpause,
          beschriftung("Label8", QStringLiteral("Sec.")));

    // The call options sit in a frame of their own: a group independent of the kind.
    Frame3 = new QGroupBox(QStringLiteral("Braumeister-Ruf"), this);
    Frame3->setObjectName(name("Frame3"));
    auto* ruf = new QGridLayout(Frame3);
    ruf->setContentsMargins(4, 2, 4, 2);
    ruf->setHorizontalSpacing(4);
    ruf->setVerticalSpacing(1);
    ruf->setColumnStretch(0, 1);
    Par_KeinRuf = option("Par_KeinRuf", QStringLiteral("Kein Ruf"));
    Par_Ruf_Ende_Phase = option("Par_Ruf_Ende_Phase", QStringLiteral("Ruf Ende Phase"));
    Par_Ruf_nach_Rufzeit = option("Par_Ruf_nach_Rufzeit", QStringLiteral("Ruf nach Rufzeit"));
    ruf->addWidget(Par_KeinRuf, 0, 0, 1, 3);
    ruf->addWidget(Par_Ruf_Ende_Phase, 1, 0, 1, 3);
    ruf->addWidget(Par_Ruf_nach_Rufzeit, 2, 0, 1, 3);
    Par_Rufzeit = zahlenfeld(name("Par_Rufzeit"), 3, &Tastenpruefung_Rufzeit);
    zeile(ruf, 3, beschriftung("Label9", QStringLiteral("Rufzeit:")), Par_Rufzeit,
          beschriftung("Label10", QStringLiteral("Min.")));
    raster->addWidget(Frame3, 8, 0, 1, 3);
    m_ruf = new QButtonGroup(this);
    for (QRadioButton* o : {Par_KeinRuf, Par_Ruf_Ende_Phase, Par_Ruf_nach_Rufzeit})
        m_ruf->addButton(o);
    connect(m_ruf, &QButtonGroup::buttonClicked, this,
            [this](QAbstractButton* b) { rufGeklickt(static_cast<QRadioButton*>(b)); });

    // A new block has no option selected: holding and call time stay hidden.
    pflegen(true);
}

Zahlenfeld* Phasenblock::zahlenfeld(const QString& name, int laenge, Filter filter)
{
    auto* f = new Zahlenfeld(filter, 0, this);
    f->setObjectName(name);
    Eingabelaenge_Begrenzen(*f, laenge);
    f->setFixedWidth(fontMetrics().horizontalAdvance(u'0') * 5 + 14);
    f->setAlignment(Qt::AlignRight);
    platz_behalten(f);
    // Only keys may enter a number field, through its key filter.
    f->setContextMenuPolicy(Qt::NoContextMenu);
    f->setAcceptDrops(false);
    f->installEventFilter(this);
    connect(f, &Zahlenfeld::abgelehnt, &app, [this](int nr) { app.zeige(nr); });
    connect(f, &Zahlenfeld::losgelassen, this, [this, f] { losgelassen(f); });
    return f;
}

bool Phasenblock::eventFilter(QObject* objekt, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k != Qt::Key_Tab && k != Qt::Key_Backtab)
            Q_EMIT beruehrt(m_phase);
    } else if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease) {
        // The middle button would paste the selection past the key filter.
        if (static_cast<QMouseEvent*>(e)->button() == Qt::MiddleButton)
            return true;
    }
    return QGroupBox::eventFilter(objekt, e);
}

void Phasenblock::artGeklickt()
{
    Q_EMIT beruehrt(m_phase);
    Cl_Phase& p = app.anlage.Programm.Phase(m_phase);
    p.setAufheizphase(Flagtext(Par_Aufheizphase->isChecked()));
    p.setHeizphase(Flagtext(Par_Heizphase->isChecked()));
    p.setKuehlphase(Flagtext(Par_Kuehlphase->isChecked()));
    Q_EMIT optionGeaendert();
}

void Phasenblock::rufGeklickt(QRadioButton* geklickt)
{
    Q_EMIT beruehrt(m_phase);
    Cl_Phase& p = app.anlage.Programm.Phase(m_phase);
    p.setRuf_Ende_Phase(Flagtext(Par_Ruf_Ende_Phase->isChecked()));
    p.setRuf_nach_Rufzeit(Flagtext(Par_Ruf_nach_Rufzeit->isChecked()));
    p.setKein_Ruf(Flagtext(Par_KeinRuf->isChecked()));
    Q_EMIT optionGeaendert();
    if (geklickt != Par_KeinRuf)
        Q_EMIT rufGewaehlt(m_phase);
}

void Phasenblock::losgelassen(Zahlenfeld* feld)
{
    Cl_Phase& p = app.anlage.Programm.Phase(m_phase);
    if (feld == Par_EndTemp) {
        const std::string t = feld->text().toStdString();
        if (!t.empty() && Text_Als_Double(t, app.anlage.Dezimaltrenner) > 110.0)
            feld->setText(QStringLiteral("110"));
        p.setTemperatur(feld->text().toStdString());
    } else if (feld == Par_Heizzeit) {
        p.setHeizzeit(feld->text().toStdString());
    } else if (feld == Par_Ruehrpuls) {
        p.setRuehrimpuls(feld->text().toStdString());
    } else if (feld == Par_Ruehrpause) {
        p.setRuehrpause(feld->text().toStdString());
    } else if (feld == Par_Rufzeit) {
        p.setRufzeit(feld->text().toStdString());
    }
}

void Phasenblock::anzeigen(const Maischprogramm& m)
{
    const Cl_Phase& p = m.Phase(m_phase);
    Par_Titel->setText(QString::fromStdString(m.Titel(m_phase)));
    gruppe_zeigen(*m_art, letzte_wahre({{Par_Heizphase, &p.Heizphase()},
                                        {Par_Aufheizphase, &p.Aufheizphase()},
                                        {Par_Kuehlphase, &p.Kuehlphase()}}));
    Par_EndTemp->setText(QString::fromStdString(p.Temperatur()));
    Par_Heizzeit->setText(QString::fromStdString(p.Heizzeit()));
    Par_Ruehrpuls->setText(QString::fromStdString(p.Ruehrimpuls()));
    Par_Ruehrpause->setText(QString::fromStdString(p.Ruehrpause()));
    Par_Rufzeit->setText(QString::fromStdString(p.Rufzeit()));
    gruppe_zeigen(*m_ruf, letzte_wahre({{Par_Ruf_Ende_Phase, &p.Ruf_Ende_Phase()},
                                        {Par_Ruf_nach_Rufzeit, &p.Ruf_nach_Rufzeit()},
                                        {Par_KeinRuf, &p.Kein_Ruf()}}));
}

void Phasenblock::pflegen(bool blockSichtbar)
{
    sichtbar_setzen(this, blockSichtbar);
    sichtbar_setzen(Par_Heizzeit, Par_Heizphase->isChecked());
    sichtbar_setzen(Par_Rufzeit, Par_Ruf_nach_Rufzeit->isChecked());
}

QList<QWidget*> Phasenblock::tabulatorfolge() const
{
    return {Par_Titel,     Par_Heizphase,  Par_Aufheizphase,   Par_Kuehlphase,
            Par_EndTemp,   Par_Heizzeit,   Par_Ruehrpuls,      Par_Ruehrpause,
            Par_KeinRuf,   Par_Ruf_Ende_Phase, Par_Ruf_nach_Rufzeit, Par_Rufzeit};
}

} // namespace kw
