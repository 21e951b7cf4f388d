#include "screens/Braubericht.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <memory>

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

// A measured or planned value with one decimal in the separator of the language in effect.
QString Zahl(double wert, char trenner)
{
    QString s = QString::number(wert, 'f', 1);
    if (trenner != '.')
        s.replace(QLatin1Char('.'), QLatin1Char(trenner));
    return s;
}

QString Grad(std::optional<double> t, char trenner)
{
    return t ? Zahl(*t, trenner) : QStringLiteral("–");
}

// Text broken into lines of at most `breite` (at blanks; a word wider than the line anywhere).
class Absatz {
public:
    Absatz(const QString& text, const QFont& f, QPaintDevice* geraet, double breite) : layout(text, f, geraet)
    {
        QTextOption o;
        o.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(o);
        layout.beginLayout();
        for (QTextLine z = layout.createLine(); z.isValid(); z = layout.createLine()) {
            z.setLineWidth(breite);
            z.setPosition(QPointF(0, hoehe));
            hoehe += z.height();
        }
        layout.endLayout();
    }
    void zeichnen(QPainter& p, QPointF oben_links) { layout.draw(&p, oben_links); }
    QTextLayout layout;
    double hoehe = 0;
};

// Width of `text` on one line, as the layout that draws it measures it.
int Textbreite(const QString& text, const QFont& f, QPaintDevice* geraet)
{
    QTextLayout l(text, f, geraet);
    l.beginLayout();
    QTextLine z = l.createLine();
    if (z.isValid())
        z.setNumColumns(std::max<int>(1, static_cast<int>(text.size())));
    l.endLayout();
    return z.isValid() ? static_cast<int>(std::ceil(z.naturalTextWidth())) + 1 : 0;
}

// Width of the widest word of `text`.
int Wortbreite(const QString& text, const QFont& f, QPaintDevice* geraet)
{
    int w = 0;
    for (const QString& wort : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        w = std::max(w, Textbreite(wort, f, geraet));
    return w;
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
        // no ligatures: the words of the report stay searchable and copyable as typed
        for (QFont* f : {&normal, &fett, &ueber, &titel})
            f->setStyleStrategy(QFont::PreferNoShaping);
    }

    // after a change of the page's size or orientation
    void neue_seite()
    {
        breite = writer.width();
        hoehe = writer.height();
        y = 0;
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

    // A table. Fixed columns are as wide as their widest cell and their caption in
    // any language, on one line if the room allows, else broken at blanks; the
    // stretching columns share what is left. Nothing is cut: a text wider than
    // its column goes on in the next line of its row.
    struct Spalte {
        QString kopf;                  // caption in the language in effect
        std::vector<QString> alle;     // the caption in every language
        bool dehnbar = false;
    };
    void tabelle(const std::vector<Spalte>& spalten, const std::vector<std::vector<QString>>& zeilen)
    {
        const int h = zeilenhoehe(normal) * 12 / 10;
        const int luecke = h / 2;
        const std::size_t n = spalten.size();
        std::vector<int> zelle(n, 0), kopf_zeile(n, 0), kopf_wort(n, 0), wort(n, 0);
        for (std::size_t i = 0; i < n; ++i) {
            for (const QString& k : spalten[i].alle) {
                kopf_zeile[i] = std::max(kopf_zeile[i], Textbreite(k, fett, &writer));
                kopf_wort[i] = std::max(kopf_wort[i], Wortbreite(k, fett, &writer));
            }
            wort[i] = kopf_wort[i];
            for (const auto& z : zeilen)
                if (i < z.size()) {
                    zelle[i] = std::max(zelle[i], Textbreite(z[i], normal, &writer));
                    if (spalten[i].dehnbar)
                        wort[i] = std::max(wort[i], Wortbreite(z[i], normal, &writer));
                }
        }
        // a stretching column takes at least its widest word
        auto mindestens = [&](std::size_t i) { return std::max(wort[i], 4 * h); };
        // Captions on one line; while the columns do not fit, the caption that saves
        // the most goes onto more lines, broken at its blanks.
        std::vector<bool> umbrechen(n, false);
        auto breite_von = [&](std::size_t i) {
            return (spalten[i].dehnbar ? mindestens(i) : std::max(zelle[i], umbrechen[i] ? kopf_wort[i] : kopf_zeile[i]))
                + luecke;
        };
        for (;;) {
            int summe = 0;
            for (std::size_t i = 0; i < n; ++i)
                summe += breite_von(i);
            if (summe <= breite)
                break;
            std::size_t beste = n;
            int ersparnis = 0;
            for (std::size_t i = 0; i < n; ++i) {
                if (spalten[i].dehnbar || umbrechen[i])
                    continue;
                const int e = kopf_zeile[i] - std::max(zelle[i], kopf_wort[i]);
                if (e > ersparnis) {
                    ersparnis = e;
                    beste = i;
                }
            }
            if (beste == n)
                break;
            umbrechen[beste] = true;
        }
        std::vector<double> w(n, 0);
        double fest = 0, dehnbar_natur = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (spalten[i].dehnbar) {
                w[i] = std::max({zelle[i], kopf_zeile[i], mindestens(i)}) + luecke;
                dehnbar_natur += w[i];
            } else {
                w[i] = breite_von(i);
                fest += w[i];
            }
        }
        const double rest = breite - fest;
        if (dehnbar_natur > 0 && rest > 0) {
            for (std::size_t i = 0; i < n; ++i)
                if (spalten[i].dehnbar)
                    w[i] = rest * w[i] / dehnbar_natur;
        } else {
            // no room left: every column shrinks alike, its texts take more lines
            for (double& b : w)
                b *= breite / (fest + dehnbar_natur);
        }
        std::vector<double> x(n + 1, 0);
        for (std::size_t i = 0; i < n; ++i)
            x[i + 1] = x[i] + w[i];

        auto zeile = [&](const std::vector<QString>& z, const QFont& f, bool strich) {
            std::vector<std::unique_ptr<Absatz>> absaetze;
            double hoch = 0;
            for (std::size_t i = 0; i < z.size() && i < n; ++i) {
                absaetze.push_back(std::make_unique<Absatz>(z[i], f, &writer, std::max(1.0, w[i] - luecke)));
                hoch = std::max(hoch, absaetze.back()->hoehe);
            }
            const int zh = std::max(h, static_cast<int>(std::ceil(hoch)) + h - zeilenhoehe(normal));
            platz(zh);
            maler.setFont(f);
            for (std::size_t i = 0; i < absaetze.size(); ++i)
                absaetze[i]->zeichnen(maler, QPointF(x[i], y + (zh - absaetze[i]->hoehe) / 2));
            y += zh;
            if (strich) {
                maler.setPen(QPen(Qt::black, 2));
                maler.drawLine(0, y, breite, y);
            }
        };
        std::vector<QString> kopf;
        for (const Spalte& s : spalten)
            kopf.push_back(s.kopf);
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
QString Eingriff_Text(const Zeile& z, char trenner)
{
    const std::string& a = z.art;
    if (a == Art_Freigabe || a == Art_Zeit)
        return z.dauer_s ? Dauer(*z.dauer_s) : QString();
    if (a == Art_Soll)
        return Grad(z.soll, trenner) + QStringLiteral(" °C");
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

    // the rest of the page: field, time labels, axis caption and legend
    const int zh = b.zeilenhoehe(b.normal);
    const int hoehe = b.hoehe - b.y;
    QPainter& p = b.maler;
    const QRect feld(zh * 5, b.y + zh / 2, b.breite - zh * 6, hoehe - 5 * zh);
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
    for (const auto& w : wechsel)
        p.drawLine(QPointF(xp(w.first), feld.top()), QPointF(xp(w.first), feld.bottom()));

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

    // Phase numbers beside their line, on top of the curves. A number that would touch
    // the one before goes a row lower, so phases that change within seconds stay legible.
    {
        QFont f = b.fett;
        p.setFont(f);
        const QFontMetrics fm(f, &b.writer);
        std::vector<double> reihe_frei;   // per row: where the last number ends
        for (const auto& [m, phase] : wechsel) {
            const QString nr = QString::number(phase);
            const double w = fm.horizontalAdvance(nr) + zh / 2.0;
            double x = xp(m) + zh / 8.0;
            if (x + w > feld.right())
                x = xp(m) - zh / 8.0 - w;
            std::size_t r = 0;
            while (r < reihe_frei.size() && x < reihe_frei[r])
                ++r;
            if (r == reihe_frei.size())
                reihe_frei.push_back(0);
            reihe_frei[r] = x + w + zh / 4.0;
            const QRectF feldchen(x, feld.top() + zh / 4.0 + r * zh * 1.2, w, zh);
            p.setPen(QPen(QColor(90, 90, 200), 2));
            p.setBrush(QColor(255, 255, 255, 230));
            p.drawRect(feldchen);
            p.setBrush(Qt::NoBrush);
            p.setPen(QColor(40, 40, 150));
            p.drawText(feldchen, Qt::AlignCenter, nr);
        }
        p.setFont(b.normal);
    }

    // legend
    int x = feld.left();
    const int ly = feld.bottom() + zh * 3 + zh / 2;
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
    const char tr = t.Dezimalzeichen;
    // a column with its caption in the language in effect and in every other one
    auto spalte = [&](std::string Journaltexte::*kopf, bool dehnbar = false) {
        Blatt::Spalte s{q(t.*kopf), {}, dehnbar};
        for (Sprache l : {Sprache::Deutsch, Sprache::Englisch, Sprache::Portugiesisch, Sprache::Tschechisch,
                          Sprache::Polnisch})
            s.alle.push_back(q(Journaltexte_Fuer(l).*kopf));
        return s;
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
            // the parts that were filled in, each with its caption; nothing for an empty one
            auto teile = [](std::initializer_list<QString> liste) {
                QStringList da;
                for (const QString& x : liste)
                    if (!x.isEmpty())
                        da << x;
                return da.join(QStringLiteral(", "));
            };
            auto mit = [](const QString& beschr, const std::string& wert) {
                return wert.empty() ? QString() : beschr + QStringLiteral(" ") + q(wert);
            };
            auto hopfen = [&](const char* label, const std::string& sorte, const std::string& alpha,
                              const std::string& zeit, const std::string& menge) {
                const QString z = teile({q(sorte), mit(beschriftung("Label10"), alpha),
                                         mit(beschriftung("Label11"), zeit), mit(beschriftung("Label12"), menge)});
                if (!z.isEmpty())
                    zeilen.push_back({beschriftung(label), z});
            };
            hopfen("Label13", d.Bitterhopfen, d.Bitterhopfenalpha, d.Bitterhopfzeit, d.Bitterhopfenmenge);
            hopfen("Label14", d.Aromahopfen, d.Aromahopfenalpha, d.Aromahopfzeit, d.Aromahopfenmenge);
            const std::string* malz[4][3] = {{&d.Malzsorte1, &d.Malzmenge1, &d.Malzkommentar1},
                                             {&d.Malzsorte2, &d.Malzmenge2, &d.Malzkommentar2},
                                             {&d.Malzsorte3, &d.Malzmenge3, &d.Malzkommentar3},
                                             {&d.Malzsorte4, &d.Malzmenge4, &d.Malzkommentar4}};
            for (int n = 0; n < 4; ++n) {
                const QString z = teile({q(*malz[n][0]),
                                         malz[n][1]->empty() ? QString() : q(*malz[n][1]) + QStringLiteral(" kg"),
                                         q(*malz[n][2])});
                if (z.isEmpty())
                    continue;
                const std::string label = "Label" + std::to_string(18 + n);
                zeilen.push_back({beschriftung(label.c_str()), z});
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
                const QString minuten = v.ende ? Zahl((*v.ende - v.start).count() / 60.0, tr) : QStringLiteral("–");
                zeilen.push_back({QString::number(v.phase), q(v.titel), Artname(v.art, t), Grad(v.soll, tr),
                                  v.art == "Halten" ? QString::number(v.geplant_s / 60) : QStringLiteral("–"),
                                  Uhrzeit(v.start, false),
                                  v.ende ? Uhrzeit(*v.ende, false) : q(t.Nicht_Beendet), minuten,
                                  Grad(v.ist_min, tr), Grad(v.ist_max, tr)});
            }
            b.tabelle({spalte(&Journaltexte::Nr), spalte(&Journaltexte::Titel, true), spalte(&Journaltexte::Art),
                       spalte(&Journaltexte::Soll), spalte(&Journaltexte::Geplant), spalte(&Journaltexte::Start),
                       spalte(&Journaltexte::Ende), spalte(&Journaltexte::Minuten),
                       spalte(&Journaltexte::Tiefste), spalte(&Journaltexte::Hoechste)},
                      zeilen);
        }

        // the end predicted at each phase start against the actual one
        {
            const std::vector<Phasenverlauf> phasen = Phasen_Auswerten(j);
            const bool vorhergesagt = std::any_of(phasen.begin(), phasen.end(), [](const Phasenverlauf& v) {
                return v.vorhersage_ende || v.vorhersage_programmende || !v.vorhersage_endlos.empty();
            });
            // The program's end: the end record of a finished run.
            std::optional<Zeitpunkt> programmende;
            for (const Zeile& r : j.zeilen)
                if (r.art == Art_Ende && r.feld == "FERTIG")
                    programmende = r.zeit;
            if (vorhergesagt) {
                b.ueberschrift(q(t.Vorhersage));
                auto abweichung = [&](std::optional<Zeitpunkt> vorher, std::optional<Zeitpunkt> wirklich) -> QString {
                    if (!vorher || !wirklich)
                        return QStringLiteral("–");
                    // to a tenth of a minute, without "-0,0"
                    const double min = std::round(static_cast<double>((*vorher - *wirklich).count()) / 6.0) / 10.0;
                    return (min > 0 ? QStringLiteral("+") : QString()) + Zahl(min == 0 ? 0.0 : min, tr);
                };
                std::vector<std::vector<QString>> zeilen;
                for (const Phasenverlauf& v : phasen) {
                    QString programm = QStringLiteral("–");
                    if (v.vorhersage_programmende)
                        programm = Uhrzeit(*v.vorhersage_programmende, false);
                    else if (!v.vorhersage_endlos.empty())
                        programm = q(t.Endet_Nie) + QStringLiteral(" (") + q(v.vorhersage_endlos) + QStringLiteral(")");
                    zeilen.push_back(
                        {QString::number(v.phase), q(v.titel), Uhrzeit(v.start, false),
                         v.vorhersage_ende ? Uhrzeit(*v.vorhersage_ende, false) : QStringLiteral("–"),
                         v.ende ? Uhrzeit(*v.ende, false) : q(t.Nicht_Beendet),
                         abweichung(v.vorhersage_ende, v.ende),
                         programm, abweichung(v.vorhersage_programmende, programmende)});
                }
                b.tabelle({spalte(&Journaltexte::Nr), spalte(&Journaltexte::Titel, true),
                           spalte(&Journaltexte::Start), spalte(&Journaltexte::Ende_Vorhergesagt),
                           spalte(&Journaltexte::Ende), spalte(&Journaltexte::Abweichung),
                           spalte(&Journaltexte::Programmende_Vorhergesagt), spalte(&Journaltexte::Abweichung)},
                          zeilen);
                b.text(q(t.Programmende_Wirklich)
                           .arg(programmende ? Uhrzeit(*programmende, true) : q(t.Nicht_Beendet)),
                       b.normal);
                b.text(q(t.Vorhersage_Erklaerung), b.normal);
            }
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
            b.tabelle({spalte(&Journaltexte::Zeit), spalte(&Journaltexte::Nr), spalte(&Journaltexte::Ruftext, true),
                       spalte(&Journaltexte::Stumm_Nach), spalte(&Journaltexte::Quittiert_Nach)},
                      zeilen);
        }

        // interventions and alarms
        b.ueberschrift(q(t.Eingriffe));
        {
            std::vector<std::vector<QString>> zeilen;
            for (const Zeile& r : j.zeilen) {
                const std::string& a = r.art;
                if (a == Art_Probe || a == Art_Journal || a == Art_Phase_Start || a == Art_Phase_Ende
                    || a == Art_Ruf || a == Art_Ruf_Stumm || a == Art_Ruf_Quittiert || a == Art_Vorhersage)
                    continue;
                zeilen.push_back({Uhrzeit(r.zeit, false), r.phase > 0 ? QString::number(r.phase) : QString(),
                                  q(a), Eingriff_Text(r, tr)});
            }
            b.tabelle({spalte(&Journaltexte::Zeit), spalte(&Journaltexte::Nr), spalte(&Journaltexte::Art),
                       Blatt::Spalte{QString(), {QString()}, true}},
                      zeilen);
        }

        // the curve, on a page of its own across
        writer.setPageOrientation(QPageLayout::Landscape);
        writer.newPage();
        b.neue_seite();
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
