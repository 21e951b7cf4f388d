// Reading time of the recipe import for files at its size bound (4 MB): many
// recipes, tiny garbage elements, a large BeerJSON, and an entity bomb.
#include "import/Importgrenzen.h"
#include "import/Rezeptimport.h"

#include <QByteArray>

#include <chrono>
#include <cstdio>
#include <sys/resource.h>

using namespace kw;

namespace {

long rss_kb()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_maxrss;
}

void miss(const char* name, const QByteArray& b)
{
    const auto start = std::chrono::steady_clock::now();
    const Importdatei d = Importbytes_Lesen(b, Sprache::Deutsch);
    std::size_t phasen = 0;
    for (const Importrezept& r : d.rezepte)
        phasen += static_cast<std::size_t>(Rezept_Abbilden(d, r, {}).phasen);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-28s %8.2f MB  %8.1f ms  %6zu recipes  %7zu phases  peak RSS %6ld MB  %s\n", name,
                double(b.size()) / 1048576.0, ms, d.rezepte.size(), phasen, rss_kb() / 1024,
                d.ok() ? "read" : d.fehler.substr(0, 44).c_str());
}

} // namespace

int main()
{
    const qsizetype grenze = static_cast<qsizetype>(Import_Max_Bytes) - 1024;
    const QByteArray rezept =
        "<RECIPE><NAME>Festbier</NAME><BATCH_SIZE>20.8</BATCH_SIZE><OG>1.056</OG>"
        "<FERMENTABLES><FERMENTABLE><NAME>Pils</NAME><AMOUNT>4.5</AMOUNT></FERMENTABLE></FERMENTABLES>"
        "<HOPS><HOP><NAME>Magnum</NAME><ALPHA>12</ALPHA><AMOUNT>0.02</AMOUNT><USE>Boil</USE><TIME>60</TIME></HOP></HOPS>"
        "<MASH><MASH_STEPS><MASH_STEP><NAME>Rast</NAME><STEP_TEMP>63</STEP_TEMP><STEP_TIME>35</STEP_TIME></MASH_STEP>"
        "<MASH_STEP><NAME>Rast 2</NAME><STEP_TEMP>72</STEP_TEMP><STEP_TIME>25</STEP_TIME></MASH_STEP></MASH_STEPS></MASH>"
        "<STYLE><NAME>x</NAME><NOTES>long text that is skipped</NOTES></STYLE></RECIPE>\n";
    QByteArray viele = "<RECIPES>";
    while (viele.size() + rezept.size() < grenze)
        viele += rezept;
    viele += "</RECIPES>";
    miss("BeerXML, many recipes", viele);

    QByteArray muell = "<A>";
    while (muell.size() < grenze)
        muell += "<B/>";
    muell += "</A>";
    miss("XML, tiny elements", muell);

    QByteArray tief;
    while (tief.size() < grenze)
        tief += "<B>";
    miss("XML, deep nesting", tief);

    const QByteArray json_rezept =
        R"({"name":"Pale","batch_size":{"unit":"gal","value":5.5},"mash":{"name":"M","mash_steps":[)"
        R"({"name":"Mash In","type":"infusion","step_temperature":{"unit":"F","value":152},"step_time":{"unit":"min","value":60}}]}},)";
    QByteArray json = R"({"beerjson":{"version":1.0,"recipes":[)";
    int n = 0;
    while (json.size() + json_rezept.size() < grenze && n < 19000) {
        json += json_rezept;
        ++n;
    }
    json.chop(1);
    json += "]}}";
    miss("BeerJSON, many recipes", json);

    QByteArray zahlen = "[";
    while (zahlen.size() < grenze)
        zahlen += "1,";
    zahlen += "1]";
    miss("JSON, array of numbers", zahlen);

    QByteArray bombe = "<?xml version=\"1.0\"?><!DOCTYPE R [<!ENTITY a \"aaaaaaaaaa\">";
    for (int i = 1; i < 10; ++i)
    {
        QByteArray ref("&a");
        if (i > 1)
            ref.append(QByteArray::number(i - 1));
        ref.append(';');
        bombe.append("<!ENTITY a").append(QByteArray::number(i)).append(" \"").append(ref.repeated(10)).append("\">");
    }
    bombe += "]><R><NAME>&a9;</NAME></R>";
    miss("XML, entity bomb", bombe);
    return 0;
}
