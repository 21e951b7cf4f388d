#include "program/Zusatzdatei.h"

#include "fileio/AtomicWrite.h"
#include <cerrno>

namespace kw {

namespace {
constexpr std::size_t Max_Groesse = 1 << 20;
}

std::string Zusatzdatei_Pfad(const std::string& ordner)
{
    if (ordner.empty())
        return Zusatzdatei_Name;
    return ordner.back() == '/' ? ordner + Zusatzdatei_Name : ordner + "/" + Zusatzdatei_Name;
}

Profildatei Zusatzdatei_Lesen(const std::string& ordner, Zusatzdatei_Bericht* bericht)
{
    Zusatzdatei_Bericht b;
    std::string inhalt;
    const FileResult r = read_file_to_rewrite(Zusatzdatei_Pfad(ordner), Max_Groesse, inhalt);
    Profildatei datei;
    if (r.ok()) {
        b.vorhanden = true;
        datei = Profildatei::aus_Bytes(inhalt);
    } else if (!(r.kind == FileError::System && r.errnum == ENOENT)) {
        b.vorhanden = true;
        b.fehler = r.text;
    }
    if (bericht)
        *bericht = b;
    return datei;
}

bool Zusatzdatei_Aendern(const std::string& ordner, const std::function<void(Profildatei&)>& aendern,
                         std::string* fehler)
{
    Zusatzdatei_Bericht bericht;
    Profildatei datei = Zusatzdatei_Lesen(ordner, &bericht);
    if (!bericht.fehler.empty()) {
        if (fehler)
            *fehler = bericht.fehler;
        return false;
    }
    aendern(datei);
    const FileResult r = write_atomically(Zusatzdatei_Pfad(ordner), datei.als_Bytes(), true);
    if (fehler)
        *fehler = r.text;
    return r.ok();
}

} // namespace kw
