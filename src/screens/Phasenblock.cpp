#include "screens/Phasenblock.h"

#include "program/Maischprogramm.h"
#include "program/Zahlen.h"
#include "screens/Anwendung.h"
#include "screens/Ruf_Text.h"
#include "screens/Sichtbarkeit.h"
#include "screens/Zahlenfeld.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QValidator>
#include <QVBoxLayout>

#include <algorithm>

namespace kw {

namespace {

// Typing limit: a text may grow up to `laenge` characters; a longer one (shown
// by Text_Zeigen) may only shrink. Qt takes no more typing once a change was
// refused, and none at all while the text stands refused, so the text as it
// stands is always acceptable.
class Laengenpruefer final : public QValidator {
public:
    Laengenpruefer(int laenge, QLineEdit& feld) : QValidator(&feld), m_laenge(laenge)
    {
        connect(&feld, &QLineEdit::textChanged, this, [this](const QString& t) { m_bisher = t.size(); });
    }
    State validate(QString& text, int&) const override
    {
        return m_frei || text.size() <= std::max(m_laenge, m_bisher) ? Acceptable : Invalid;
    }
    bool m_frei = false;  // the program sets the text

private:
    qsizetype m_laenge;
    qsizetype m_bisher = 0;  // length of the text as it stands
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

// Qt keeps one tab stop per exclusive group: an option that takes the focus
// takes the tab stop from the others. Here every option stays a tab stop; the
// arrow keys still move through the group and select as they go.
class Option final : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    void focusInEvent(QFocusEvent* e) override
    {
        QRadioButton::focusInEvent(e);
        if (QButtonGroup* g = group())
            for (QAbstractButton* b : g->buttons())
                if (b->focusPolicy() != Qt::StrongFocus)
                    b->setFocusPolicy(Qt::StrongFocus);
    }
};

void platz_behalten(QWidget* w)
{
    QSizePolicy p = w->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    w->setSizePolicy(p);
}

// Caption, field and unit in three columns, the caption column stretching.
QGridLayout* raster_anlegen(QWidget* eltern, int rand_x, int rand_y)
{
    auto* r = new QGridLayout(eltern);
    r->setContentsMargins(rand_x, rand_y, rand_x, rand_y);
    r->setHorizontalSpacing(4);
    r->setVerticalSpacing(1);
    r->setColumnStretch(0, 1);
    return r;
}

// Three options, one row each from `reihe` on, as one exclusive group.
QButtonGroup* gruppe_anlegen(QWidget* eltern, QGridLayout& raster, int reihe,
                             std::initializer_list<QRadioButton*> optionen)
{
    auto* g = new QButtonGroup(eltern);
    for (QRadioButton* o : optionen) {
        raster.addWidget(o, reihe++, 0, 1, 3);
        g->addButton(o);
    }
    return g;
}

} // namespace

void Eingabelaenge_Begrenzen(QLineEdit& feld, int laenge)
{
    feld.setMaxLength(32767);
    feld.setValidator(new Laengenpruefer(laenge, feld));
}

void Text_Zeigen(QLineEdit& feld, const QString& text)
{
    auto* pruefer = feld.findChild<Laengenpruefer*>(QString(), Qt::FindDirectChildrenOnly);
    if (pruefer)
        pruefer->m_frei = true;
    feld.setText(text);
    if (pruefer)
        pruefer->m_frei = false;
}

// --- Phasenblock ------------------------------------------------------------------

Phasenblock::Phasenblock(Anwendung& a, int phase, QWidget* parent)
    : QGroupBox(parent), app(a), m_phase(phase)
{
    const QString n = QString::number(phase);
    const auto name = [&](const char* basis) -> QString { return QString::fromLatin1(basis) + u'_' + n; };
    setObjectName(name("Frame2"));
    const auto titel = [this, n] { setTitle(QString::fromStdString(app.texte.zusatz().Phase) + n); };
    titel();
    connect(&app, &Anwendung::spracheGeaendert, this, titel);
    platz_behalten(this);

    QGridLayout* raster = raster_anlegen(this, 6, 4);

    Par_Titel = new QLineEdit(this);
    Par_Titel->setObjectName(name("Par_Titel"));
    Eingabelaenge_Begrenzen(*Par_Titel, 20);
    raster->addWidget(Par_Titel, 0, 0, 1, 3);
    connect(Par_Titel, &QLineEdit::textChanged, this, [this](const QString& t) {
        app.anlage.Programm.Titel(m_phase) = t.toStdString();
    });

    const auto option = [&](const char* basis, const QString& text) {
        auto* o = new Option(text, this);
        o->setObjectName(name(basis));
        return o;
    };
    Par_Heizphase = option("Par_Heizphase", QStringLiteral("Konstantphase"));
    Par_Aufheizphase = option("Par_Aufheizphase", QStringLiteral("Aufheizphase"));
    Par_Kuehlphase = option("Par_Kuehlphase", QStringLiteral("Kühlphase"));
    m_art = gruppe_anlegen(this, *raster, 1, {Par_Heizphase, Par_Aufheizphase, Par_Kuehlphase});
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
    QGridLayout* ruf = raster_anlegen(Frame3, 4, 2);
    Par_KeinRuf = option("Par_KeinRuf", QStringLiteral("Kein Ruf"));
    Par_Ruf_Ende_Phase = option("Par_Ruf_Ende_Phase", QStringLiteral("Ruf Ende Phase"));
    Par_Ruf_nach_Rufzeit = option("Par_Ruf_nach_Rufzeit", QStringLiteral("Ruf nach Rufzeit"));
    m_ruf = gruppe_anlegen(this, *ruf, 0, {Par_KeinRuf, Par_Ruf_Ende_Phase, Par_Ruf_nach_Rufzeit});
    Par_Rufzeit = zahlenfeld(name("Par_Rufzeit"), 3, &Tastenpruefung_Rufzeit);
    zeile(ruf, 3, beschriftung("Label9", QStringLiteral("Rufzeit:")), Par_Rufzeit,
          beschriftung("Label10", QStringLiteral("Min.")));
    raster->addWidget(Frame3, 8, 0, 1, 3);
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
    const auto zeige = [](QLineEdit* feld, const std::string& text) {
        Text_Zeigen(*feld, QString::fromStdString(text));
    };
    zeige(Par_Titel, m.Titel(m_phase));
    gruppe_zeigen(*m_art, letzte_wahre({{Par_Heizphase, &p.Heizphase()},
                                        {Par_Aufheizphase, &p.Aufheizphase()},
                                        {Par_Kuehlphase, &p.Kuehlphase()}}));
    zeige(Par_EndTemp, p.Temperatur());
    zeige(Par_Heizzeit, p.Heizzeit());
    zeige(Par_Ruehrpuls, p.Ruehrimpuls());
    zeige(Par_Ruehrpause, p.Ruehrpause());
    zeige(Par_Rufzeit, p.Rufzeit());
    gruppe_zeigen(*m_ruf, letzte_wahre({{Par_Ruf_Ende_Phase, &p.Ruf_Ende_Phase()},
                                        {Par_Ruf_nach_Rufzeit, &p.Ruf_nach_Rufzeit()},
                                        {Par_KeinRuf, &p.Kein_Ruf()}}));
}

void Phasenblock::pflegen(bool blockSichtbar)
{
    Sichtbar_Setzen(this, blockSichtbar);
    Sichtbar_Setzen(Par_Heizzeit, Par_Heizphase->isChecked());
    Sichtbar_Setzen(Par_Rufzeit, Par_Ruf_nach_Rufzeit->isChecked());
}

QList<QWidget*> Phasenblock::tabulatorfolge() const
{
    return {Par_Titel,     Par_Heizphase,  Par_Aufheizphase,   Par_Kuehlphase,
            Par_EndTemp,   Par_Heizzeit,   Par_Ruehrpuls,      Par_Ruehrpause,
            Par_KeinRuf,   Par_Ruf_Ende_Phase, Par_Ruf_nach_Rufzeit, Par_Rufzeit};
}

// --- Phasenseite ------------------------------------------------------------------

bool Block_Sichtbar(const std::string& anzahl, int phase)
{
    return anzahl.empty() || phase <= Zahl_Aus_Text(anzahl);
}

void Seitengroesse_Setzen(QWidget& seite, QScrollArea& flaeche)
{
    // Large enough for all blocks without scrolling, as far as the screen allows.
    const QSize aussen = seite.sizeHint();
    const QSize bereich = flaeche.sizeHint();
    const QSize innen = flaeche.widget()->sizeHint();
    // The margins of the layout that holds the area (the page may scroll as a whole around it).
    const QMargins rand = flaeche.parentWidget()->layout()->contentsMargins();
    QSize soll(std::max(aussen.width(), innen.width() + rand.left() + rand.right()),
               aussen.height() - bereich.height() + innen.height());
    if (const QScreen* s = seite.screen())
        soll = soll.boundedTo(s->availableGeometry().size() - QSize(8, 40));
    // Only ever grows: a size the user chose stays.
    soll = soll.expandedTo(seite.size());
    if (soll != seite.size())
        seite.resize(soll);
}

void Seite_Zeigen(QWidget& seite)
{
    seite.show();
    seite.raise();
    seite.activateWindow();
}

Phasenseite::Phasenseite(Anwendung& a, int erstePhase, const QString& seitenknopf)
    : QWidget(nullptr), app(a), m_erste(erstePhase)
{
    setWindowTitle(QStringLiteral("KESSELWERK"));

    auto* haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(6, 6, 6, 6);
    haupt->setSpacing(4);

    Frame1 = new QGroupBox(QStringLiteral("PARAMETER"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    kopf = new QHBoxLayout(Frame1);
    kopf->setContentsMargins(8, 4, 8, 6);
    Command6 = knopf("Command6", seitenknopf);
    Command1 = knopf("Command1", QStringLiteral("ZURÜCK"));
    connect(Command6, &QPushButton::clicked, this, [this] { Seitenwechsel(); });
    // ZURÜCK acts as soon as the mouse button goes down.
    connect(Command1, &QPushButton::pressed, this, [this] { ZURUECK(); });
    haupt->addWidget(Frame1);

    // Ten blocks in two rows; a smaller window scrolls.
    m_flaeche = new QScrollArea(this);
    m_flaeche->setWidgetResizable(true);
    m_flaeche->setFrameShape(QFrame::NoFrame);
    auto* innen = new QWidget(m_flaeche);
    auto* raster = new QGridLayout(innen);
    raster->setContentsMargins(0, 0, 0, 0);
    raster->setSpacing(4);
    for (int i = 0; i < 10; ++i) {
        auto* b = new Phasenblock(app, m_erste + i, innen);
        m_bloecke[static_cast<std::size_t>(i)] = b;
        raster->addWidget(b, i / 5, i % 5);
        connect(b, &Phasenblock::beruehrt, this, &Phasenseite::beruehrt);
        connect(b, &Phasenblock::optionGeaendert, this, [this] { pflegen(); });
        // Any change of an option, by click, key or program, is seen by the next tick.
        for (QRadioButton* o : b->findChildren<QRadioButton*>())
            connect(o, &QAbstractButton::toggled, this, [this] { m_optionen_geaendert = true; });
        connect(b, &Phasenblock::rufGewaehlt, this,
                [this] { app.bildschirm<Ruf_Text>().oeffnen(*this); });
    }
    for (int s = 0; s < 5; ++s)
        raster->setColumnStretch(s, 1);
    raster->setRowStretch(2, 1);
    m_flaeche->setWidget(innen);
    haupt->addWidget(m_flaeche, 1);

    // Captions of another language may need more room.
    connect(&app, &Anwendung::spracheGeaendert, this, [this] {
        pflegen();
        Seitengroesse_Setzen(*this, *m_flaeche);
    });
}

void Phasenseite::fertigstellen()
{
    Seitengroesse_Setzen(*this, *m_flaeche);
    tabulatorfolge();
    pflegen();
}

QPushButton* Phasenseite::knopf(const char* name, const QString& beschriftung)
{
    auto* k = new QPushButton(beschriftung, Frame1);
    k->setObjectName(QString::fromLatin1(name));
    k->setMinimumWidth(110);
    return k;
}

Phasenblock& Phasenseite::block(int phase)
{
    return *m_bloecke.at(static_cast<std::size_t>(phase - m_erste));
}

void Phasenseite::pflegen()
{
    const std::string& anzahl = app.anlage.Programm.AnzPhasen;
    for (Phasenblock* b : m_bloecke)
        b->pflegen(Block_Sichtbar(anzahl, b->phase()));
    m_optionen_geaendert = false;
    m_gepflegt_anzahl = anzahl;
}

bool Phasenseite::veraltet() const
{
    // A new language runs pflegen through spracheGeaendert.
    return m_optionen_geaendert || m_gepflegt_anzahl != app.anlage.Programm.AnzPhasen;
}

void Phasenseite::nachfuehren()
{
    if (veraltet())
        pflegen();
}

void Phasenseite::anzeigen()
{
    for (Phasenblock* b : m_bloecke)
        b->anzeigen(app.anlage.Programm);
    pflegen();
}

void Phasenseite::tabulatorfolge()
{
    QList<QWidget*> folge;
    for (Phasenblock* b : m_bloecke)
        folge += b->tabulatorfolge();
    folge += weitereTabulatorfolge();
    for (qsizetype i = 0; i + 1 < folge.size(); ++i)
        QWidget::setTabOrder(folge[i], folge[i + 1]);
}

void Phasenseite::Seite_Tauschen(QWidget& andere)
{
    andere.setGeometry(QRect(geometry().topLeft(), size().expandedTo(andere.size())));
    hide();
    Seite_Zeigen(andere);
}

QList<QWidget*> Phasenseite::weitereTabulatorfolge() const
{
    return {Command6, Command1};
}

void Phasenseite::showEvent(QShowEvent* e)
{
    pflegen();
    // A page opened for the first time starts in the title of its first phase.
    if (!focusWidget())
        m_bloecke.front()->Par_Titel->setFocus();
    QWidget::showEvent(e);
}

void Phasenseite::ZURUECK()
{
    hide();
    if (app.geladen("Grundbild"))
        Seite_Zeigen(*app.bildschirm("Grundbild"));
}

} // namespace kw
