#include "screens/Braubericht.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <ctime>

#include "texts/Journaltexte.h"

namespace kw {

namespace {

using namespace journal;

QString q(const std::string& s) { return QString::fromStdString(s); }

QString Uhrzeit(Zeitpunkt t, bool mit_datum)
{
    const std::time_t tt = static_cast<std::time_t>(t.time_since_epoch().count());
    std::tm l{};
    localtime_r(&tt, &l);
    char b[64];
    if (mit_datum)
        std::snprintf(b, sizeof b, "%02d.%02d.%04d %02d:%02d:%02d", l.tm_mday, l.tm_mon + 1, l.tm_year + 1900,
                      l.tm_hour, l.tm_min, l.tm_sec);
    else
        std::snprintf(b, sizeof b, "%02d:%02d:%02d", l.tm_hour, l.tm_min, l.tm_sec);
    return QString::fromLatin1(b);
}

QString Dauer(long long s)
{
    const QString vorz = s < 0 ? QStringLiteral("-") : QString();
    s = std::llabs(s);
    if (s < 60)
        return vorz + QString::number(s) + QStringLiteral(" s");
    return vorz + QStringLiteral("%1 min %2 s").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

QString Grad(std::optional<double> t)
{
    return t ? QString::number(*t, 'f', 1) : QStringLiteral("–");
}

// A page with a cursor that moves down; a new page when the next block does not fit.
class Blatt {
public:
    Blatt(QPdfWriter& w, QPainter& p) : writer(w), maler(p)
    {
        breite = p.viewport().width();
        hoehe = p.viewport().height();
        normal = QFont(QStringLiteral("DejaVu Sans"), 9);
        fett = normal;
        fett.setBold(true);
        ueber = QFont(QStringLiteral("DejaVu Sans"), 12, QFont::Bold);
        titel = QFont(QStringLiteral("DejaVu Sans"), 18, QFont::Bold);
    }

    void platz(int h)
    {
        if (y + h > hoehe) {
            writer.newPage();
            y = 0;
        }
    }
    int zeilenhoehe(const QFont& f) const { return QFontMetrics(f, &writer).height(); }

    void text(const QString& t, const QFont& f, int abstand_danach = 0)
    {
        maler.setFont(f);
        const QRect r = maler.boundingRect(QRect(0, 0, breite, hoehe), Qt::TextWordWrap, t);
        platz(r.height());
        maler.drawText(QRect(0, y, breite, r.height()), Qt::TextWordWrap, t);
        y += r.height() + abstand_danach;
    }
    void ueberschrift(const QString& t)
    {
        y += zeilenhoehe(normal) / 2;
        platz(zeilenhoehe(ueber) + 3 * zeilenhoehe(normal));
        text(t, ueber, zeilenhoehe(normal) / 4);
    }

    // A table: column widths in parts of the width; texts cut to fit.
    void tabelle(const std::vector<double>& anteile, const std::vector<QString>& kopf,
                 const std::vector<std::vector<QString>>& zeilen)
    {
        std::vector<int> x(anteile.size() + 1, 0);
        double summe = 0;
        for (double a : anteile)
            summe += a;
        double lauf = 0;
        for (std::size_t i = 0; i < anteile.size(); ++i) {
            lauf += anteile[i];
            x[i + 1] = static_cast<int>(breite * lauf / summe);
        }
        const int h = zeilenhoehe(normal) * 12 / 10;
        auto zeile = [&](const std::vector<QString>& z, const QFont& f, bool strich) {
            platz(h);
            maler.setFont(f);
            const QFontMetrics fm(f, &writer);
            for (std::size_t i = 0; i < z.size() && i + 1 < x.size(); ++i) {
                const int w = x[i + 1] - x[i] - h / 4;
                maler.drawText(QRect(x[i], y, w, h), Qt::AlignLeft | Qt::AlignVCenter,
                               fm.elidedText(z[i], Qt::ElideRight, w));
            }
            y += h;
            if (strich) {
                maler.setPen(QPen(Qt::black, 2));
                maler.drawLine(0, y, breite, y);
            }
        };
        zeile(kopf, fett, true);
        for (const auto& z : zeilen)
            zeile(z, normal, false);
    }

    QPdfWriter& writer;
    QPainter& maler;
    int breite = 0, hoehe = 0, y = 0;
    QFont normal, fett, ueber, titel;
};

QString Artname(const std::string& art, const Journaltexte& t)
{
    if (art == "Aufheizen") return q(t.Art_Aufheizen);
    if (art == "Halten") return q(t.Art_Halten);
    if (art == "Kuehlen") return q(t.Art_Kuehlen);
    return q(art);
}

// What an intervention or alarm record says, in a few words.
QString Eingriff_Text(const Zeile& z)
{
    const std::string& a = z.art;
    if (a == Art_Freigabe || a == Art_Zeit)
        return z.dauer_s ? Dauer(*z.dauer_s) : QString();
    if (a == Art_Soll)
        return Grad(z.soll) + QStringLiteral(" °C");
    if (a == Art_Start || a == Art_Fortsetzung) {
        if (z.phase > 0)
            return QStringLiteral("Start ab Phase %1, %2 min").arg(z.phase).arg(z.dauer_s.value_or(0) / 60);
        return {};
    }
    if (a == Art_Verloren)
        return QString::number(z.dauer_s.value_or(0));
    QString s = q(z.feld);
    if (!z.text.empty())
        s += (s.isEmpty() ? QString() : QStringLiteral(" ")) + q(z.text);
    return s;
}

// The curve of the whole run: actual, moving target and target over time, phase changes marked.
void Kurve_Zeichnen(Blatt& b, const Journalinhalt& j, const Journaltexte& t)
{
    struct Punkt {
        double min;
        std::optional<double> ist, akt, soll;
    };
    std::vector<Punkt> punkte;
    std::vector<std::pair<double, int>> wechsel;
    Zeitpunkt beginn{};
    bool erster = true;
    for (const Zeile& z : j.zeilen) {
        if (z.art != Art_Probe && z.art != Art_Phase_Start)
            continue;
        if (erster) {
            beginn = z.zeit;
            erster = false;
        }
        const double m = static_cast<double>((z.zeit - beginn).count()) / 60.0;
        if (z.art == Art_Phase_Start)
            wechsel.emplace_back(m, z.phase);
        else
            punkte.push_back({m, z.ist, z.soll_akt, z.soll});
    }
    if (punkte.empty())
        return;
    double tmin = 1e9, tmax = -1e9;
    for (const Punkt& p : punkte)
        for (auto v : {p.ist, p.akt, p.soll})
            if (v) {
                tmin = std::min(tmin, *v);
                tmax = std::max(tmax, *v);
            }
    tmin = std::floor((tmin - 2) / 10) * 10;
    tmax = std::ceil((tmax + 2) / 10) * 10;
    const double dauer = std::max(1.0, punkte.back().min);
    double schritt_min = 10;
    for (double s : {1.0, 2.0, 5.0, 10.0, 15.0, 30.0, 60.0})
        if (dauer / s <= 12) {
            schritt_min = s;
            break;
        }

    const int zh = b.zeilenhoehe(b.normal);
    const int hoehe = b.breite * 6 / 10;
    b.platz(hoehe + 4 * zh);
    QPainter& p = b.maler;
    const QRect feld(zh * 5, b.y + zh, b.breite - zh * 6, hoehe - 4 * zh);
    auto xp = [&](double m) { return feld.left() + feld.width() * m / dauer; };
    auto yp = [&](double g) { return feld.bottom() - feld.height() * (g - tmin) / (tmax - tmin); };

    p.setFont(b.normal);
    p.setPen(QPen(QColor(200, 200, 200), 1));
    for (double g = tmin; g <= tmax + 0.01; g += 10)
        p.drawLine(QPointF(feld.left(), yp(g)), QPointF(feld.right(), yp(g)));
    for (double m = 0; m <= dauer + 0.01; m += schritt_min)
        p.drawLine(QPointF(xp(m), feld.top()), QPointF(xp(m), feld.bottom()));
    p.setPen(QPen(Qt::black, 3));
    p.drawRect(feld);
    for (double g = tmin; g <= tmax + 0.01; g += 10)
        p.drawText(QRectF(0, yp(g) - zh, feld.left() - zh / 2, 2 * zh), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(g, 'f', 0));
    for (double m = 0; m <= dauer + 0.01; m += schritt_min)
        p.drawText(QRectF(xp(m) - 3 * zh, feld.bottom() + zh / 4, 6 * zh, zh), Qt::AlignHCenter | Qt::AlignTop,
                   QString::number(m, 'f', 0));
    p.drawText(QRectF(feld.left(), feld.bottom() + zh * 5 / 4, feld.width(), zh), Qt::AlignHCenter,
               q(t.Achse_Zeit));
    p.save();
    p.translate(zh / 2.0, feld.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-feld.height() / 2.0, -zh / 2.0, feld.height(), zh * 1.5), Qt::AlignHCenter | Qt::AlignTop,
               q(t.Achse_Temperatur));
    p.restore();

    // phase changes
    p.setPen(QPen(QColor(90, 90, 200), 2, Qt::DashLine));
    for (const auto& [m, phase] : wechsel) {
        p.drawLine(QPointF(xp(m), feld.top()), QPointF(xp(m), feld.bottom()));
        p.drawText(QRectF(xp(m) + zh / 4.0, feld.top() + zh / 8.0, 3 * zh, zh), Qt::AlignLeft,
                   QString::number(phase));
    }

    const struct {
        std::optional<double> Punkt::*wert;
        QColor farbe;
        Qt::PenStyle stil;
        const std::string* name;
    } reihen[] = {
        {&Punkt::soll, QColor(0, 0, 0), Qt::DashLine, &t.Soll_Ende},
        {&Punkt::akt, QColor(0, 170, 0), Qt::SolidLine, &t.Soll_Akt},
        {&Punkt::ist, QColor(220, 30, 30), Qt::SolidLine, &t.Ist},
    };
    p.setClipRect(feld);
    for (const auto& r : reihen) {
        QPainterPath pfad;
        bool offen = false;
        for (const Punkt& pt : punkte) {
            const auto v = pt.*(r.wert);
            if (!v) {
                offen = false;
                continue;
            }
            const QPointF q(xp(pt.min), yp(*v));
            if (offen)
                pfad.lineTo(q);
            else
                pfad.moveTo(q);
            offen = true;
        }
        p.setPen(QPen(r.farbe, 5, r.stil));
        p.drawPath(pfad);
    }
    p.setClipping(false);

    // legend
    int x = feld.left();
    const int ly = feld.bottom() + zh * 5 / 2 + zh / 2;
    for (const auto& r : reihen) {
        p.setPen(QPen(r.farbe, 5, r.stil));
        p.drawLine(x, ly, x + 3 * zh, ly);
        p.setPen(Qt::black);
        p.drawText(QRect(x + 3 * zh + zh / 2, ly - zh / 2, 10 * zh, zh), Qt::AlignLeft | Qt::AlignVCenter,
                   q(*r.name));
        x += 12 * zh;
    }
    b.y += hoehe + zh;
}

} // namespace

std::string Berichtspfad(const std::string& journalpfad)
{
    std::string p = journalpfad;
    if (p.size() > Journalendung.size() && p.substr(p.size() - Journalendung.size()) == Journalendung)
        p.resize(p.size() - Journalendung.size());
    return p + ".pdf";
}

Berichtsergebnis Braubericht_Schreiben(const std::string& journalpfad, const Texte& texte)
{
    Berichtsergebnis e;
    e.pdf = Berichtspfad(journalpfad);
    const Journalinhalt j = Journal_Lesen(journalpfad);
    if (!j.gelesen) {
        e.fehler = j.fehler;
        return e;
    }
    const Journaltexte& t = Journaltexte_Fuer(texte.aktuell);
    auto beschriftung = [&](const char* element) {
        const std::string* s = texte.beschriftung("Brauprotokoll", element);
        return s ? q(*s) : QString::fromLatin1(element);
    };

    QSaveFile datei(q(e.pdf));
    if (!datei.open(QIODevice::WriteOnly)) {
        e.fehler = e.pdf + ": " + datei.errorString().toStdString();
        return e;
    }
    {
        QPdfWriter writer(&datei);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(q(t.Bericht_Titel + " " + j.programm.Biersorte));
        writer.setCreator(QStringLiteral("Kesselwerk"));
        QPainter maler(&writer);
        Blatt b(writer, maler);

        b.text(q(t.Bericht_Titel) + QStringLiteral(": ") + q(j.programm.Biersorte), b.titel, b.zeilenhoehe(b.normal));
        QString kopf = q(t.Bier) + QStringLiteral(": ") + q(j.programm.Biersorte) + QStringLiteral("    ")
            + q(t.Datum) + QStringLiteral(": ") + Uhrzeit(j.beginn, true) + QStringLiteral("    ")
            + q(t.Ende_Des_Laufs) + QStringLiteral(": ") + Uhrzeit(j.letzte, true) + QStringLiteral(" (")
            + (j.beendet ? q(j.endeart) : q(t.Nicht_Beendet)) + QStringLiteral(")");
        b.text(kopf, b.normal);
        b.text(QFileInfo(q(journalpfad)).fileName(), b.normal);

        // brew data
        b.ueberschrift(q(t.Brau_Daten));
        {
            const BrauDaten& d = j.daten;
            std::vector<std::vector<QString>> zeilen;
            auto paar = [&](const char* label, const std::string& wert) {
                if (!wert.empty())
                    zeilen.push_back({beschriftung(label), q(wert)});
            };
            paar("Label4", d.Sudgroesse);
            paar("Label5", d.Hauptguss);
            paar("Label6", d.Nachguss);
            paar("Label7", d.Stammwuerze);
            paar("Label8", d.Bittere);
            auto hopfen = [&](const char* label, const std::string& sorte, const std::string& alpha,
                              const std::string& zeit, const std::string& menge) {
                if (sorte.empty() && alpha.empty() && zeit.empty() && menge.empty())
                    return;
                zeilen.push_back({beschriftung(label), q(sorte) + QStringLiteral(", ") + beschriftung("Label10")
                                      + QStringLiteral(" ") + q(alpha) + QStringLiteral(", ")
                                      + beschriftung("Label11") + QStringLiteral(" ") + q(zeit)
                                      + QStringLiteral(", ") + beschriftung("Label12") + QStringLiteral(" ")
                                      + q(menge)});
            };
            hopfen("Label13", d.Bitterhopfen, d.Bitterhopfenalpha, d.Bitterhopfzeit, d.Bitterhopfenmenge);
            hopfen("Label14", d.Aromahopfen, d.Aromahopfenalpha, d.Aromahopfzeit, d.Aromahopfenmenge);
            const std::string* malz[4][3] = {{&d.Malzsorte1, &d.Malzmenge1, &d.Malzkommentar1},
                                             {&d.Malzsorte2, &d.Malzmenge2, &d.Malzkommentar2},
                                             {&d.Malzsorte3, &d.Malzmenge3, &d.Malzkommentar3},
                                             {&d.Malzsorte4, &d.Malzmenge4, &d.Malzkommentar4}};
            for (int n = 0; n < 4; ++n) {
                if (malz[n][0]->empty() && malz[n][1]->empty())
                    continue;
                const std::string label = "Label" + std::to_string(18 + n);
                zeilen.push_back({beschriftung(label.c_str()), q(*malz[n][0]) + QStringLiteral(", ")
                                      + q(*malz[n][1]) + QStringLiteral(" kg")
                                      + (malz[n][2]->empty() ? QString() : QStringLiteral(", ") + q(*malz[n][2]))});
            }
            paar("Frame4", d.SudNotizen);
            for (const auto& z : zeilen)
                b.text(z[0] + QStringLiteral(": ") + z[1], b.normal);
        }

        // phases planned against what happened
        b.ueberschrift(q(t.Phasen));
        {
            std::vector<std::vector<QString>> zeilen;
            for (const Phasenverlauf& v : Phasen_Auswerten(j)) {
                const QString minuten = v.ende ? QString::number((*v.ende - v.start).count() / 60.0, 'f', 1)
                                               : QStringLiteral("–");
                zeilen.push_back({QString::number(v.phase), q(v.titel), Artname(v.art, t), Grad(v.soll),
                                  v.art == "Halten" ? QString::number(v.geplant_s / 60) : QStringLiteral("–"),
                                  Uhrzeit(v.start, false),
                                  v.ende ? Uhrzeit(*v.ende, false) : q(t.Nicht_Beendet), minuten,
                                  Grad(v.ist_min), Grad(v.ist_max)});
            }
            b.tabelle({0.5, 2.3, 1.3, 1.1, 1.9, 1.3, 1.5, 1.3, 1.1, 1.1},
                      {q(t.Nr), q(t.Titel), q(t.Art), q(t.Soll), q(t.Geplant), q(t.Start), q(t.Ende),
                       q(t.Minuten), q(t.Tiefste), q(t.Hoechste)},
                      zeilen);
        }

        // calls and their answers
        b.ueberschrift(q(t.Rufe));
        {
            std::vector<std::vector<QString>> zeilen;
            for (std::size_t i = 0; i < j.zeilen.size(); ++i) {
                const Zeile& r = j.zeilen[i];
                if (r.art != Art_Ruf)
                    continue;
                QString stumm = QStringLiteral("–"), quitt = QStringLiteral("–");
                for (std::size_t k = i + 1; k < j.zeilen.size(); ++k) {
                    const Zeile& n = j.zeilen[k];
                    if (n.art == Art_Ruf || n.art == Art_Phase_Start || n.art == Art_Ende)
                        break;
                    if (n.art == Art_Ruf_Stumm && n.dauer_s && stumm == QStringLiteral("–"))
                        stumm = Dauer(*n.dauer_s);
                    if (n.art == Art_Ruf_Quittiert && n.dauer_s) {
                        quitt = Dauer(*n.dauer_s);
                        break;
                    }
                }
                zeilen.push_back({Uhrzeit(r.zeit, false), QString::number(r.phase), q(r.text), stumm, quitt});
            }
            b.tabelle({1.3, 0.6, 5.0, 1.8, 1.8},
                      {q(t.Zeit), q(t.Nr), q(t.Ruftext), q(t.Stumm_Nach), q(t.Quittiert_Nach)}, zeilen);
        }

        // interventions and alarms
        b.ueberschrift(q(t.Eingriffe));
        {
            std::vector<std::vector<QString>> zeilen;
            for (const Zeile& r : j.zeilen) {
                const std::string& a = r.art;
                if (a == Art_Probe || a == Art_Journal || a == Art_Phase_Start || a == Art_Phase_Ende
                    || a == Art_Ruf || a == Art_Ruf_Stumm || a == Art_Ruf_Quittiert)
                    continue;
                zeilen.push_back({Uhrzeit(r.zeit, false), r.phase > 0 ? QString::number(r.phase) : QString(),
                                  q(a), Eingriff_Text(r)});
            }
            b.tabelle({1.3, 0.6, 2.4, 6.0}, {q(t.Zeit), q(t.Nr), q(t.Art), QString()}, zeilen);
        }

        // the curve, on a page of its own
        writer.newPage();
        b.y = 0;
        b.ueberschrift(q(t.Verlauf));
        Kurve_Zeichnen(b, j, t);
        if (!maler.end()) {
            e.fehler = e.pdf + ": PDF";
            datei.cancelWriting();
            return e;
        }
    }
    if (!datei.commit()) {
        e.fehler = e.pdf + ": " + datei.errorString().toStdString();
        return e;
    }
    e.ok = true;
    return e;
}

} // namespace kw
