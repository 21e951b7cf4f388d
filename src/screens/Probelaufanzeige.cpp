#include "screens/Probelaufanzeige.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "texts/Modelltexte.h"

namespace kw {

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

} // namespace

Probelaufantwort Probelauf_Rechnen(const Probelaufauftrag& auftrag)
{
    Probelaufantwort a;
    a.modell = modell::Modell_Ermitteln(auftrag.ordner, auftrag.daten);
    probelauf::Vorgaben v;
    v.kessel = a.modell.p;
    v.start_C = a.modell.start_C.value_or(a.modell.p.Raumtemperatur_C);
    v.antwortzeit_s = a.modell.antwortzeit_s;
    v.gradient = auftrag.gradient;
    v.dezimaltrenner = auftrag.dezimaltrenner;
    a.ergebnis = probelauf::Probelauf(auftrag.programm, v);
    return a;
}

Probelaufkurve::Probelaufkurve(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(560, 200);
    setAutoFillBackground(true);
}

void Probelaufkurve::setzen(std::vector<probelauf::Kurvenpunkt> punkte)
{
    m_punkte = std::move(punkte);
    update();
}

void Probelaufkurve::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (m_punkte.size() < 2)
        return;
    double tief = 1e9, hoch = -1e9;
    for (const auto& k : m_punkte) {
        tief = std::min({tief, k.ist_C, k.soll_akt_C > 0 ? k.soll_akt_C : k.ist_C});
        hoch = std::max({hoch, k.ist_C, k.soll_akt_C});
    }
    // About eight grid lines whatever the range.
    double teilung = 5;
    for (double t : {5.0, 10.0, 20.0, 50.0})
        if ((hoch - tief) / t <= 8) {
            teilung = t;
            break;
        }
    tief = std::floor(tief / teilung) * teilung;
    hoch = std::ceil(hoch / teilung) * teilung + (hoch - tief < teilung ? teilung : 0);
    const QRectF f = QRectF(rect()).adjusted(44, 10, -10, -24);
    const double dauer = std::max<double>(1, m_punkte.back().t_s);
    const auto punkt = [&](double t, double grad) {
        return QPointF(f.left() + f.width() * t / dauer, f.bottom() - f.height() * (grad - tief) / (hoch - tief));
    };
    p.setPen(QColor(200, 200, 200));
    p.setFont(QFont(font().family(), 8));
    for (double g = tief; g <= hoch + 0.01; g += teilung) {
        p.drawLine(punkt(0, g), punkt(dauer, g));
        p.setPen(Qt::black);
        p.drawText(QRectF(0, punkt(0, g).y() - 8, 40, 16), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(g, 'f', 0));
        p.setPen(QColor(200, 200, 200));
    }
    const long stunden = dauer > 10 * 3600 ? 2 : 1;
    for (long h = 0; h * 3600 <= dauer; h += stunden) {
        p.drawLine(punkt(h * 3600.0, tief), punkt(h * 3600.0, hoch));
        p.setPen(Qt::black);
        p.drawText(QRectF(punkt(h * 3600.0, tief).x() - 20, f.bottom() + 4, 40, 16), Qt::AlignCenter,
                   QStringLiteral("%1 h").arg(h));
        p.setPen(QColor(200, 200, 200));
    }
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath soll, ist;
    bool erster = true;
    for (const auto& k : m_punkte) {
        if (k.phase == 0)
            continue;
        if (erster)
            soll.moveTo(punkt(k.t_s, k.soll_akt_C));
        else
            soll.lineTo(punkt(k.t_s, k.soll_akt_C));
        erster = false;
    }
    ist.moveTo(punkt(m_punkte.front().t_s, m_punkte.front().ist_C));
    for (const auto& k : m_punkte)
        ist.lineTo(punkt(k.t_s, k.ist_C));
    p.setPen(QPen(QColor(0, 0, 255), 1.5, Qt::DashLine));
    p.drawPath(soll);
    p.setPen(QPen(QColor(255, 0, 0), 2));
    p.drawPath(ist);
}

Probelaufanzeige::Probelaufanzeige(Probelaufauftrag auftrag, QWidget* parent)
    : QDialog(parent), m_auftrag(std::move(auftrag))
{
    const Modelltexte& t = Modelltexte_Fuer(m_auftrag.sprache);
    setObjectName(QStringLiteral("Probelaufanzeige"));
    setWindowTitle(text(t.P_Titel).arg(text(m_auftrag.programm.Biersorte)));
    auto* l = new QVBoxLayout(this);
    Modellzeile = new QLabel(text(t.P_Laeuft), this);
    Modellzeile->setObjectName(QStringLiteral("Modellzeile"));
    Modellzeile->setWordWrap(true);
    Tabelle = new QTableWidget(0, 14, this);
    Tabelle->setObjectName(QStringLiteral("Tabelle"));
    QStringList kopf;
    for (const std::string* s : {&t.P_Nr, &t.P_Phase, &t.P_Art, &t.P_Soll, &t.P_Geplant_Start, &t.P_Geplant_Ende,
                                 &t.P_Geplant_Min, &t.P_Voraus_Start, &t.P_Voraus_Ende, &t.P_Voraus_Min, &t.P_Max,
                                 &t.P_Ueber, &t.P_kWh, &t.P_Hinweis})
        kopf << text(*s);
    Tabelle->setHorizontalHeaderLabels(kopf);
    Tabelle->verticalHeader()->hide();
    Tabelle->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Tabelle->horizontalHeader()->setStretchLastSection(true);
    Kurve = new Probelaufkurve(this);
    Kurve->setObjectName(QStringLiteral("Kurve"));
    Gesamtzeile = new QLabel(this);
    Gesamtzeile->setObjectName(QStringLiteral("Gesamtzeile"));
    QFont fett = Gesamtzeile->font();
    fett.setBold(true);
    Gesamtzeile->setFont(fett);
    Schliessen = new QPushButton(text(t.Schliessen), this);
    Schliessen->setObjectName(QStringLiteral("Schliessen"));
    connect(Schliessen, &QPushButton::clicked, this, &QDialog::close);
    l->addWidget(Modellzeile);
    l->addWidget(Tabelle, 2);
    l->addWidget(Kurve, 1);
    l->addWidget(Gesamtzeile);
    l->addWidget(Schliessen, 0, Qt::AlignRight);
    resize(1000, 640);

    m_rechner = std::thread([this] {
        Probelaufantwort a = Probelauf_Rechnen(m_auftrag);
        // Handed to the UI thread; a window closed meanwhile waited for this thread.
        QMetaObject::invokeMethod(this, [this, a = std::move(a)] { zeigen(a); }, Qt::QueuedConnection);
    });
}

Probelaufanzeige::~Probelaufanzeige()
{
    if (m_rechner.joinable())
        m_rechner.join();
}

void Probelaufanzeige::zeigen(const Probelaufantwort& a)
{
    const Modelltexte& w = Modelltexte_Fuer(m_auftrag.sprache);
    const char t = m_auftrag.dezimaltrenner;
    const auto zahl = [t](double w, int s) { return text(probelauf::Festkomma(w, s, t)); };
    const modell::Modellstand& m = a.modell;
    QString kopf;
    if (m.herkunft == modell::Modellstand::Herkunft::Gelernt)
        kopf = text(w.P_Kopf_Gelernt)
                   .arg(m.sude).arg(zahl(m.p.Heizrate_K_min, 3), zahl(m.p.Verlust_1_h, 3), zahl(m.p.Totzeit_s, 0),
                        zahl(m.rms_K, 2), zahl(m.max_K, 2));
    else
        kopf = text(w.P_Kopf_Standard)
                   .arg(text(m.befunde.empty() ? w.P_Kein_Journal : w.P_Kein_Verwendbares), zahl(m.p.Heizrate_K_min, 3), zahl(m.p.Verlust_1_h, 3),
                        zahl(m.p.Totzeit_s, 0));
    kopf += u' ' + text(w.P_Kopf_Start)
                .arg(zahl(m.start_C.value_or(m.p.Raumtemperatur_C), 1), zahl(m.antwortzeit_s, 0));
    for (const modell::Journalbefund& b : m.befunde)
        if (!b.verwendet)
            kopf += u'\n'
                + text(w.P_Nicht_Verwendet)
                      .arg(text(b.datei), text(b.ohne_wirkung         ? w.P_Grund_Ohne_Wirkung
                                               : b.simulation         ? w.P_Grund_Simulation
                                               : b.grund == "keine Messwerte" ? w.P_Grund_Keine_Messwerte
                                                                              : b.grund));
    Modellzeile->setText(kopf);

    const probelauf::Ergebnis& e = a.ergebnis;
    Tabelle->setRowCount(static_cast<int>(e.phasen.size()));
    for (int r = 0; r < static_cast<int>(e.phasen.size()); ++r) {
        const probelauf::Phasenzeile& p = e.phasen[r];
        const bool beendet = p.ausgang == probelauf::Ausgang::Beendet;
        QString hinweis = beendet ? QString() : text(w.P_Endet_Nie).arg(text(p.grund));
        const auto dazu = [&hinweis](const QString& t) { hinweis += (hinweis.isEmpty() ? QString() : QStringLiteral("; ")) + t; };
        if (p.rufe)
            dazu(text(w.P_Ruf));
        if (p.warnungen)
            dazu(text(w.P_Ohne_Wirkung).arg(p.warnungen));
        const QStringList zellen = {
            QString::number(p.phase), text(p.titel),
            text(p.art == "Kuehlen" ? w.P_Kuehlen : p.art == "Halten" ? w.P_Halten : w.P_Aufheizen),
            zahl(p.soll_C, 1), text(probelauf::Stunden_Minuten(p.geplant_start_s)),
            p.geplant_s ? text(probelauf::Stunden_Minuten(p.geplant_start_s + *p.geplant_s)) : QStringLiteral("–"),
            p.geplant_s ? QString::number(*p.geplant_s / 60) : QStringLiteral("–"),
            text(probelauf::Stunden_Minuten(p.start_s)),
            beendet ? text(probelauf::Stunden_Minuten(p.ende_s)) : QStringLiteral("–"),
            beendet ? QString::number((p.dauer_s() + 30) / 60) : QStringLiteral("–"), zahl(p.max_C, 1),
            zahl(p.ueberschwingen_K, 1), zahl(p.energie_kWh, 2), hinweis};
        for (int c = 0; c < zellen.size(); ++c) {
            auto* z = new QTableWidgetItem(zellen[c]);
            if (c != 1 && c != 2 && c != 13)
                z->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (!beendet)
                z->setForeground(QColor(200, 0, 0));
            Tabelle->setItem(r, c, z);
        }
    }
    Tabelle->resizeColumnsToContents();
    Kurve->setzen(e.kurve);
    // The total, as the command line's last line gives it.
    if (e.vollstaendig)
        Gesamtzeile->setText(text(w.P_Gesamt).arg(text(probelauf::Stunden_Minuten(e.gesamt_s)), zahl(e.energie_kWh, 2),
                                                  text(probelauf::Stunden_Minuten(e.geplant_s))));
    else if (e.endlos)
        Gesamtzeile->setText(text(w.P_Gesamt_Endlos)
                                 .arg(e.phasen[*e.endlos].phase)
                                 .arg(text(e.phasen[*e.endlos].titel)));
    else
        Gesamtzeile->setText(text(w.P_Gesamt_Nicht));
    for (int nr : e.meldungen)
        Gesamtzeile->setText(Gesamtzeile->text() + u'\n' + text(Meldung(m_auftrag.sprache, nr)));
    m_fertig = true;
    Q_EMIT gerechnet();
}

} // namespace kw
