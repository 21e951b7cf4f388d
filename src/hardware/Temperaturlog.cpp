#include "hardware/Temperaturlog.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kw {

namespace {

enum class Scan { Gefunden, Keine, MehrDaten };

bool ziffer(char c) { return c >= '0' && c <= '9'; }
bool zifferOderPunkt(char c) { return ziffer(c) || c == '.'; }

bool zeilenende(char c) { return c == '\n' || c == '\r'; }

// `t` is the end of the file; `amAnfang` tells whether it also begins where the file begins.
// Positions in `wert` are relative to `t`.
Scan suchen(std::string_view t, bool amAnfang, Logwert& wert)
{
    // Only complete lines count.
    std::size_t i = t.size();
    while (i > 0 && !zeilenende(t[i - 1]))
        --i;
    if (i == 0)
        return amAnfang ? Scan::Keine : Scan::MehrDaten;
    t = t.substr(0, i - 1);
    i = t.size();

    while (i > 0 && !ziffer(t[i - 1]))
        --i;
    if (i == 0)
        return amAnfang ? Scan::Keine : Scan::MehrDaten;
    std::size_t letzte = i - 1;
    std::size_t links = letzte;
    while (links > 0 && zifferOderPunkt(t[links - 1]))
        --links;
    if (links == 0 && !amAnfang)
        return Scan::MehrDaten; // the run may go on before this block
    std::size_t rechts = letzte + 1;
    while (rechts < t.size() && zifferOderPunkt(t[rechts]))
        ++rechts;
    wert.text.assign(t.substr(links, rechts - links));
    wert.anfang = static_cast<long long>(links);
    wert.ende = static_cast<long long>(rechts);
    return Scan::Gefunden;
}

} // namespace

std::optional<Logwert> Logwert_Suchen(std::string_view inhalt)
{
    Logwert wert;
    if (suchen(inhalt, true, wert) == Scan::Gefunden)
        return wert;
    return std::nullopt;
}

std::optional<std::string> Temperatur_Suchen(std::string_view inhalt)
{
    if (auto w = Logwert_Suchen(inhalt))
        return std::move(w->text);
    return std::nullopt;
}

std::optional<Logwert> Logwert_Lesen(const std::string& pfad)
{
    constexpr off_t ersterBlock = 4096;
    constexpr off_t groessterBlock = 64 * 1024;

    int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    std::optional<Logwert> ergebnis;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
        std::string puffer;
        for (off_t block = ersterBlock;; block *= 4) {
            off_t ab = st.st_size > block ? st.st_size - block : 0;
            puffer.resize(static_cast<std::size_t>(st.st_size - ab));
            std::size_t gelesen = 0;
            while (gelesen < puffer.size()) {
                ssize_t n = ::pread(fd, puffer.data() + gelesen, puffer.size() - gelesen,
                                    ab + static_cast<off_t>(gelesen));
                if (n < 0 && errno == EINTR)
                    continue;
                if (n <= 0)
                    break; // shrunk meanwhile: take what is there
                gelesen += static_cast<std::size_t>(n);
            }
            puffer.resize(gelesen);
            Logwert wert;
            Scan s = suchen(puffer, ab == 0, wert);
            if (s == Scan::Gefunden) {
                wert.anfang += ab;
                wert.ende += ab;
                ergebnis = std::move(wert);
            }
            if (s != Scan::MehrDaten || ab == 0 || block >= groessterBlock)
                break;
        }
    }
    ::close(fd);
    return ergebnis;
}

std::optional<std::string> Temperatur_Lesen(const std::string& pfad)
{
    if (auto w = Logwert_Lesen(pfad))
        return std::move(w->text);
    return std::nullopt;
}

} // namespace kw
