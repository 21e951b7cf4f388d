#include "import/BeerJSON.h"

#include "import/Importgrenzen.h"
#include "import/Importzahlen.h"
#include "texts/Importtexte.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace kw {

namespace {

class Leser {
public:
    Leser(Sprache s, Importdatei& d) : t(Importtexte_Fuer(s)), datei(d) {}

    void lesen(const QJsonObject& wurzel)
    {
        QJsonObject b = wurzel.value(u"beerjson").toObject();
        if (b.isEmpty())
            b = wurzel;  // files without the wrapper
        const QJsonValue version = b.value(u"version");
        if (!version.isDouble() || version.toDouble() != 1.0) {
            const std::string v = version.isDouble() ? Zahl_Text(version.toDouble(), 3, '.')
                : version.isString()                 ? version.toString().toStdString()
                                                     : std::string("?");
            datei.warnungen.push_back(Einsetzen(t.W_Version, {v}));
        }
        for (const QJsonValue& r : b.value(u"recipes").toArray()) {
            if (!eintrag())
                return;
            rezept(r.toObject());
        }
        for (const QJsonValue& m : b.value(u"mashes").toArray()) {
            if (!eintrag())
                return;
            Importrezept rz;
            rz.nur_maische = true;
            maische(m.toObject(), rz);
            rz.name = rz.maischname;
            datei.rezepte.push_back(std::move(rz));
        }
        if (datei.ok() && datei.rezepte.empty())
            datei.fehler = t.F_Kein_Rezept;
    }

private:
    bool eintrag()
    {
        if (++eintraege > Import_Max_Eintraege) {
            datei.fehler = Einsetzen(t.F_Zu_Viele, {std::to_string(Import_Max_Eintraege)});
            return false;
        }
        return true;
    }

    static std::string text(const QJsonObject& o, const char16_t* name)
    {
        const QJsonValue v = o.value(QStringView(name));
        return v.isString() ? v.toString().trimmed().toStdString() : std::string();
    }

    // {"unit": "C", "value": 66}; a bare number has no unit and is not used.
    Importwert wert(const QJsonObject& o, const char16_t* name, Groesse g, std::vector<std::string>* warnungen)
    {
        Importwert w;
        const QJsonValue v = o.value(QStringView(name));
        if (v.isUndefined() || v.isNull())
            return w;
        w.zustand = Importwert::Zustand::Unbrauchbar;
        if (v.isObject()) {
            const QJsonObject m = v.toObject();
            const QJsonValue zahl = m.value(u"value");
            const QString einheit = m.value(u"unit").toString();
            w.einheit = einheit.toStdString();
            w.roh = (zahl.isDouble() ? Zahl_Text(zahl.toDouble(), 4, '.') : zahl.toString().toStdString())
                + " " + w.einheit;
            std::optional<double> z;
            if (zahl.isDouble())
                z = zahl.toDouble();
            else if (zahl.isString())
                z = Zahl_Lesen(zahl.toString().toStdString());
            double r = 0.0;
            if (z && Einheit_Umrechnen(g, w.einheit, *z, r)) {
                w.zustand = Importwert::Zustand::Ok;
                w.zahl = r;
                w.einheit.clear();
            } else if (!z) {
                w.einheit.clear();
            }
        } else {
            w.roh = v.isDouble() ? Zahl_Text(v.toDouble(), 4, '.') : v.toString().toStdString();
        }
        if (warnungen && !w.ok())
            warnungen->push_back(Einsetzen(t.W_Unbrauchbar, {QString::fromUtf16(name).toStdString(), w.roh}));
        return w;
    }

    void rezept(const QJsonObject& o)
    {
        Importrezept rz;
        rz.name = text(o, u"name");
        rz.notizen = text(o, u"notes");
        rz.sudgroesse = wert(o, u"batch_size", Groesse::Volumen, &rz.warnungen);
        rz.stammwuerze = wert(o, u"original_gravity", Groesse::Dichte, &rz.warnungen);
        const QJsonObject ibu = o.value(u"ibu_estimate").toObject();
        if (ibu.contains(u"value"))
            rz.bittere = wert(o, u"ibu_estimate", Groesse::Bittere, &rz.warnungen);
        const QJsonObject zutaten = o.value(u"ingredients").toObject();
        for (const QJsonValue& f : zutaten.value(u"fermentable_additions").toArray()) {
            if (!eintrag())
                return;
            const QJsonObject fo = f.toObject();
            Importzutat z;
            z.name = text(fo, u"name");
            z.menge = wert(fo, u"amount", Groesse::Masse, &rz.warnungen);
            rz.zutaten.push_back(std::move(z));
        }
        for (const QJsonValue& h : zutaten.value(u"hop_additions").toArray()) {
            if (!eintrag())
                return;
            const QJsonObject ho = h.toObject();
            Importhopfen hp;
            hp.name = text(ho, u"name");
            hp.alpha = wert(ho, u"alpha_acid", Groesse::Prozent, &rz.warnungen);
            hp.menge = wert(ho, u"amount", Groesse::Masse, &rz.warnungen);
            const QJsonObject zeitpunkt = ho.value(u"timing").toObject();
            hp.verwendung = text(zeitpunkt, u"use");
            hp.kochen = hp.verwendung == "add_to_boil";
            hp.zeit = zeitpunkt.contains(u"duration") ? wert(zeitpunkt, u"duration", Groesse::Zeit, &rz.warnungen)
                                                       : wert(zeitpunkt, u"time", Groesse::Zeit, &rz.warnungen);
            rz.hopfen.push_back(std::move(hp));
        }
        if (o.value(u"mash").isObject())
            maische(o.value(u"mash").toObject(), rz);
        if (datei.ok())
            datei.rezepte.push_back(std::move(rz));
    }

    void maische(const QJsonObject& o, Importrezept& rz)
    {
        rz.hat_maische = true;
        rz.maischname = text(o, u"name");
        for (const QJsonValue& v : o.value(u"mash_steps").toArray()) {
            if (!eintrag())
                return;
            const QJsonObject so = v.toObject();
            Importschritt s;
            s.name = text(so, u"name");
            s.art_text = text(so, u"type");
            // step temperature and time are judged by the mapping, which names the step
            s.temperatur = wert(so, u"step_temperature", Groesse::Temperatur, nullptr);
            s.zeit = wert(so, u"step_time", Groesse::Zeit, nullptr);
            s.rampe = wert(so, u"ramp_time", Groesse::Zeit, &rz.warnungen);
            s.endtemperatur = wert(so, u"end_temperature", Groesse::Temperatur, &rz.warnungen);
            s.infusionstemperatur = wert(so, u"infuse_temperature", Groesse::Temperatur, &rz.warnungen);
            for (const char16_t* m : {u"amount", u"infuse_amount", u"decoction_amount"}) {
                if (so.contains(QStringView(m))) {
                    s.menge = wert(so, m, Groesse::Volumen, &rz.warnungen);
                    break;
                }
            }
            const std::string a = QString::fromStdString(s.art_text).toLower().toStdString();
            s.art = a == "infusion"                             ? Schrittart::Infusion
                : a == "temperature" || a.empty()               ? Schrittart::Temperatur
                : a == "decoction"                              ? Schrittart::Dekoktion
                : a == "souring mash" || a == "souring wort"    ? Schrittart::Sauer
                : a == "sparge"                                 ? Schrittart::Nachguss
                : a == "drain mash tun"                         ? Schrittart::Ablassen
                                                                : Schrittart::Unbekannt;
            rz.schritte.push_back(std::move(s));
        }
    }

    const Importtexte& t;
    Importdatei& datei;
    int eintraege = 0;
};

} // namespace

Importdatei BeerJSON_Lesen(const QByteArray& bytes, Sprache sprache)
{
    Importdatei d;
    d.format = Importdatei::Format::BeerJSON;
    const Importtexte& t = Importtexte_Fuer(sprache);
    QByteArray b = bytes;
    if (b.startsWith("\xEF\xBB\xBF"))
        b.remove(0, 3);
    QJsonParseError fehler{};
    const QJsonDocument doc = QJsonDocument::fromJson(b, &fehler);
    if (fehler.error != QJsonParseError::NoError) {
        d.fehler = Einsetzen(t.F_Json, {std::to_string(fehler.offset), fehler.errorString().toStdString()});
        return d;
    }
    if (!doc.isObject()) {
        d.fehler = t.F_Kein_Rezept;
        return d;
    }
    Leser(sprache, d).lesen(doc.object());
    if (!d.ok())
        d.rezepte.clear();
    return d;
}

} // namespace kw
