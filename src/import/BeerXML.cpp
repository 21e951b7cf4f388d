#include "import/BeerXML.h"

#include "import/Importgrenzen.h"
#include "import/Importzahlen.h"
#include "program/Profildatei.h"
#include "texts/Importtexte.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

#include <string_view>

namespace kw {

namespace {

// The HTML entities exporters write into names and notes.
struct HtmlEntities final : QXmlStreamEntityResolver {
    QString resolveUndeclaredEntity(const QString& name) override
    {
        static const struct { const char* name; char16_t zeichen; } tabelle[] = {
            {"nbsp", 0xA0}, {"auml", 0xE4}, {"ouml", 0xF6}, {"uuml", 0xFC}, {"Auml", 0xC4},
            {"Ouml", 0xD6}, {"Uuml", 0xDC}, {"szlig", 0xDF}, {"eacute", 0xE9}, {"egrave", 0xE8},
            {"ecirc", 0xEA}, {"aacute", 0xE1}, {"agrave", 0xE0}, {"acirc", 0xE2}, {"atilde", 0xE3},
            {"ccedil", 0xE7}, {"iacute", 0xED}, {"oacute", 0xF3}, {"otilde", 0xF5},
            {"ocirc", 0xF4}, {"uacute", 0xFA}, {"ntilde", 0xF1}, {"Eacute", 0xC9},
            {"deg", 0xB0}, {"copy", 0xA9}, {"reg", 0xAE}, {"trade", 0x2122}, {"euro", 0x20AC},
            {"ndash", 0x2013}, {"mdash", 0x2014}, {"hellip", 0x2026}, {"lsquo", 0x2018},
            {"rsquo", 0x2019}, {"ldquo", 0x201C}, {"rdquo", 0x201D}, {"bdquo", 0x201E},
            {"laquo", 0xAB}, {"raquo", 0xBB}, {"middot", 0xB7}, {"frac12", 0xBD},
            {"frac14", 0xBC}, {"frac34", 0xBE}, {"times", 0xD7}, {"micro", 0xB5},
            {"plusmn", 0xB1}, {"sup2", 0xB2}, {"sup3", 0xB3}, {"shy", 0xAD},
        };
        for (const auto& e : tabelle)
            if (name == QLatin1String(e.name))
                return QString(QChar(e.zeichen));
        // unknown: the reference stays as text rather than failing the file
        return QStringLiteral("&amp;") + name + u';';
    }
};

bool westeuropaeisch(const QString& kodierung)
{
    const QString k = kodierung.toLower();
    for (const char* n : {"iso-8859-1", "iso8859-1", "iso_8859-1", "latin1", "latin-1", "l1",
                          "iso-8859-15", "iso8859-15", "latin-9", "windows-1252", "cp1252",
                          "us-ascii", "ascii"})
        if (k == QLatin1String(n))
            return true;
    return false;
}

// UTF-8 bytes for the parser, whatever 8-bit encoding the file declares.
QByteArray nach_Utf8(const QByteArray& bytes, bool& umgedeutet)
{
    umgedeutet = false;
    QByteArray b = bytes;
    if (b.startsWith("\xEF\xBB\xBF"))
        b.remove(0, 3);
    else if (b.startsWith("\xFF\xFE") || b.startsWith("\xFE\xFF"))
        return b;  // UTF-16: the parser reads it itself

    static const QRegularExpression deklaration(
        QStringLiteral("^\\s*<\\?xml[^>]*?encoding\\s*=\\s*[\"']([A-Za-z0-9._:-]+)[\"']"));
    const QString kopf = QString::fromLatin1(b.left(256));
    const auto m = deklaration.match(kopf);
    const QString erklaert = m.hasMatch() ? m.captured(1) : QString();
    const bool acht_bit = westeuropaeisch(erklaert);
    const bool utf8 = erklaert.isEmpty() || erklaert.compare(u"utf-8", Qt::CaseInsensitive) == 0
        || erklaert.compare(u"utf8", Qt::CaseInsensitive) == 0;
    if (!acht_bit && !utf8)
        return b;  // another declared encoding: left to the parser
    if (utf8 && Ist_Utf8(std::string_view(b.constData(), static_cast<std::size_t>(b.size()))))
        return b;
    umgedeutet = utf8;
    const std::string u = Westeuropaeisch_Nach_Utf8(std::string_view(b.constData(), static_cast<std::size_t>(b.size())));
    QByteArray r(u.data(), static_cast<qsizetype>(u.size()));
    if (m.hasMatch()) {
        // the declaration now says what the bytes are
        const qsizetype a = m.capturedStart(1), n = m.capturedLength(1);
        r.replace(a, n, "UTF-8");
    }
    return r;
}

class Leser {
public:
    Leser(const QByteArray& utf8, Sprache s, Importdatei& d)
        : r(utf8), t(Importtexte_Fuer(s)), datei(d)
    {
        r.setEntityResolver(&entities);
    }

    void lesen()
    {
        while (!r.atEnd() && !abbruch) {
            const auto token = r.readNext();
            if (token == QXmlStreamReader::DTD) {
                if (!r.entityDeclarations().isEmpty()) {
                    fehler(t.F_Entities);
                    return;
                }
            } else if (token == QXmlStreamReader::StartElement) {
                if (!tiefe_ok(++tiefe))
                    return;
                const QString tag = r.name().toString().toUpper();
                if (tag == u"RECIPE") {
                    rezept(false);
                    --tiefe;
                } else if (tag == u"MASH") {
                    rezept(true);
                    --tiefe;
                }
                // other elements: look inside them for records
            } else if (token == QXmlStreamReader::EndElement) {
                --tiefe;
            }
        }
        if (abbruch)
            return;
        if (r.hasError()) {
            datei.fehler = Einsetzen(t.F_Xml, {std::to_string(r.lineNumber()), std::to_string(r.columnNumber()),
                                               r.errorString().toStdString()});
            return;
        }
        if (datei.rezepte.empty())
            datei.fehler = t.F_Kein_Rezept;
    }

private:
    void fehler(const std::string& text)
    {
        datei.fehler = text;
        abbruch = true;
    }
    bool tiefe_ok(int n)
    {
        if (n > Import_Max_Tiefe) {
            fehler(Einsetzen(t.F_Zu_Viele, {std::to_string(Import_Max_Eintraege)}));
            return false;
        }
        return true;
    }
    bool eintrag()
    {
        if (++eintraege > Import_Max_Eintraege) {
            fehler(Einsetzen(t.F_Zu_Viele, {std::to_string(Import_Max_Eintraege)}));
            r.raiseError(QStringLiteral("too many entries"));
            return false;
        }
        return true;
    }

    std::string text()
    {
        return r.readElementText(QXmlStreamReader::SkipChildElements).trimmed().toStdString();
    }
    QString tag() const { return r.name().toString().toUpper(); }

    // A number in the format's fixed unit; an exporter's unit suffix is understood.
    Importwert wert(Groesse g, const char* einheit, std::vector<std::string>& warnungen, bool melden = true)
    {
        const QString feld = tag();
        Importwert w = Wert_Mit_Einheit(text(), g, einheit);
        if (melden && w.zustand == Importwert::Zustand::Unbrauchbar)
            warnungen.push_back(Einsetzen(t.W_Unbrauchbar, {feld.toStdString(), w.roh}));
        return w;
    }

    void rezept(bool nur_maische)
    {
        if (!eintrag())
            return;
        Importrezept rz;
        rz.nur_maische = nur_maische;
        if (nur_maische) {
            maische(rz);
            rz.name = rz.maischname;
        } else {
            while (!abbruch && r.readNextStartElement()) {
                const QString f = tag();
                if (f == u"NAME")
                    rz.name = text();
                else if (f == u"BATCH_SIZE")
                    rz.sudgroesse = wert(Groesse::Volumen, "l", rz.warnungen);
                else if (f == u"OG")
                    rz.stammwuerze = wert(Groesse::Dichte, "sg", rz.warnungen);
                else if (f == u"IBU")
                    rz.bittere = wert(Groesse::Bittere, "IBUs", rz.warnungen);
                else if (f == u"NOTES")
                    rz.notizen = text();
                else if (f == u"FERMENTABLES")
                    liste(u"FERMENTABLE", [&] { zutat(rz); });
                else if (f == u"HOPS")
                    liste(u"HOP", [&] { hopfen(rz); });
                else if (f == u"MASH")
                    maische(rz);
                else
                    r.skipCurrentElement();
            }
        }
        if (!abbruch && !r.hasError())
            datei.rezepte.push_back(std::move(rz));
    }

    template <class F> void liste(const char16_t* kind, F lies)
    {
        while (!abbruch && r.readNextStartElement()) {
            if (tag() == QStringView(kind))
                lies();
            else
                r.skipCurrentElement();
        }
    }

    void zutat(Importrezept& rz)
    {
        if (!eintrag())
            return;
        Importzutat z;
        while (!abbruch && r.readNextStartElement()) {
            const QString f = tag();
            if (f == u"NAME")
                z.name = text();
            else if (f == u"AMOUNT")
                z.menge = wert(Groesse::Masse, "kg", rz.warnungen);
            else
                r.skipCurrentElement();
        }
        rz.zutaten.push_back(std::move(z));
    }

    void hopfen(Importrezept& rz)
    {
        if (!eintrag())
            return;
        Importhopfen h;
        while (!abbruch && r.readNextStartElement()) {
            const QString f = tag();
            if (f == u"NAME")
                h.name = text();
            else if (f == u"ALPHA")
                h.alpha = wert(Groesse::Prozent, "%", rz.warnungen);
            else if (f == u"AMOUNT")
                h.menge = wert(Groesse::Masse, "kg", rz.warnungen);
            else if (f == u"TIME")
                h.zeit = wert(Groesse::Zeit, "min", rz.warnungen);
            else if (f == u"USE")
                h.verwendung = text();
            else
                r.skipCurrentElement();
        }
        h.kochen = QString::fromStdString(h.verwendung).compare(u"boil", Qt::CaseInsensitive) == 0;
        rz.hopfen.push_back(std::move(h));
    }

    void maische(Importrezept& rz)
    {
        rz.hat_maische = true;
        while (!abbruch && r.readNextStartElement()) {
            const QString f = tag();
            if (f == u"NAME")
                rz.maischname = text();
            else if (f == u"MASH_STEPS")
                liste(u"MASH_STEP", [&] { schritt(rz); });
            else
                r.skipCurrentElement();
        }
    }

    void schritt(Importrezept& rz)
    {
        if (!eintrag())
            return;
        Importschritt s;
        while (!abbruch && r.readNextStartElement()) {
            const QString f = tag();
            // step temperature and time are judged by the mapping, which names the step
            if (f == u"NAME")
                s.name = text();
            else if (f == u"TYPE")
                s.art_text = text();
            else if (f == u"STEP_TEMP")
                s.temperatur = wert(Groesse::Temperatur, "C", rz.warnungen, false);
            else if (f == u"STEP_TIME")
                s.zeit = wert(Groesse::Zeit, "min", rz.warnungen, false);
            else if (f == u"RAMP_TIME")
                s.rampe = wert(Groesse::Zeit, "min", rz.warnungen);
            else if (f == u"END_TEMP")
                s.endtemperatur = wert(Groesse::Temperatur, "C", rz.warnungen);
            else if (f == u"INFUSE_TEMP")
                s.infusionstemperatur = wert(Groesse::Temperatur, "C", rz.warnungen);
            else if (f == u"INFUSE_AMOUNT" || f == u"DECOCTION_AMT" || f == u"DECOCTION_AMOUNT") {
                Importwert m = wert(Groesse::Volumen, "l", rz.warnungen);
                if (m.ok() && (!s.menge.ok() || s.menge.zahl == 0.0))
                    s.menge = m;
            } else
                r.skipCurrentElement();
        }
        const QString art = QString::fromStdString(s.art_text).trimmed();
        if (art.isEmpty() || art.compare(u"temperature", Qt::CaseInsensitive) == 0)
            s.art = Schrittart::Temperatur;
        else if (art.compare(u"infusion", Qt::CaseInsensitive) == 0)
            s.art = Schrittart::Infusion;
        else if (art.compare(u"decoction", Qt::CaseInsensitive) == 0)
            s.art = Schrittart::Dekoktion;
        else
            s.art = Schrittart::Unbekannt;
        rz.schritte.push_back(std::move(s));
    }

    QXmlStreamReader r;
    HtmlEntities entities;
    const Importtexte& t;
    Importdatei& datei;
    int tiefe = 0;
    int eintraege = 0;
    bool abbruch = false;
};

} // namespace

Importdatei BeerXML_Lesen(const QByteArray& bytes, Sprache sprache)
{
    Importdatei d;
    d.format = Importdatei::Format::BeerXML;
    bool umgedeutet = false;
    const QByteArray utf8 = nach_Utf8(bytes, umgedeutet);
    if (umgedeutet)
        d.warnungen.push_back(Importtexte_Fuer(sprache).W_Kodierung);
    Leser(utf8, sprache, d).lesen();
    if (!d.ok())
        d.rezepte.clear();
    return d;
}

} // namespace kw
