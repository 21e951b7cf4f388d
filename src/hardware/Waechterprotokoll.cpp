#include "hardware/Waechterprotokoll.h"

#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>

namespace kw::waechter {

Nachricht& Nachricht::u8(std::uint8_t v)
{
    nutzlast.push_back(v);
    return *this;
}

Nachricht& Nachricht::u16(std::uint16_t v)
{
    nutzlast.push_back(static_cast<std::uint8_t>(v & 0xFF));
    nutzlast.push_back(static_cast<std::uint8_t>(v >> 8));
    return *this;
}

Nachricht& Nachricht::u32(std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        nutzlast.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
    return *this;
}

Nachricht& Nachricht::text(const std::string& t)
{
    // Room for the header and the numbers before the text.
    const std::size_t platz = Max_Nachricht - 2 - nutzlast.size();
    nutzlast.insert(nutzlast.end(), t.begin(), t.begin() + static_cast<long>(std::min(t.size(), platz)));
    return *this;
}

std::optional<std::uint8_t> Nachricht::u8_bei(std::size_t stelle) const
{
    if (stelle + 1 > nutzlast.size())
        return std::nullopt;
    return nutzlast[stelle];
}

std::optional<std::uint16_t> Nachricht::u16_bei(std::size_t stelle) const
{
    if (stelle + 2 > nutzlast.size())
        return std::nullopt;
    return static_cast<std::uint16_t>(nutzlast[stelle] | (nutzlast[stelle + 1] << 8));
}

std::optional<std::uint32_t> Nachricht::u32_bei(std::size_t stelle) const
{
    if (stelle + 4 > nutzlast.size())
        return std::nullopt;
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | nutzlast[stelle + static_cast<std::size_t>(i)];
    return v;
}

std::string Nachricht::text_ab(std::size_t stelle) const
{
    if (stelle >= nutzlast.size())
        return {};
    return std::string(nutzlast.begin() + static_cast<long>(stelle), nutzlast.end());
}

std::vector<std::uint8_t> Nachricht::kodieren() const
{
    std::vector<std::uint8_t> d;
    d.reserve(2 + nutzlast.size());
    d.push_back(static_cast<std::uint8_t>(typ));
    d.push_back(geraet);
    d.insert(d.end(), nutzlast.begin(), nutzlast.end());
    return d;
}

std::optional<Nachricht> Nachricht::dekodieren(const std::uint8_t* daten, std::size_t laenge)
{
    if (laenge < 2)
        return std::nullopt;
    Nachricht n;
    n.typ = static_cast<Typ>(daten[0]);
    n.geraet = daten[1];
    n.nutzlast.assign(daten + 2, daten + laenge);
    return n;
}

Nachricht Gpio_Nachricht(std::uint8_t geraet, const Gpioeinstellungen& e)
{
    Nachricht n = Nachricht::mit(Typ::OeffnenGpio, geraet).u8(e.aktivNiedrig ? 1 : 0);
    for (const auto& l : e.leitung)
        n.u16(l && *l < 0xFFFF ? static_cast<std::uint16_t>(*l) : 0xFFFF);
    return n.text(e.chip);
}

std::optional<Gpioeinstellungen> Gpio_Lesen(const Nachricht& n)
{
    Gpioeinstellungen e;
    const auto niedrig = n.u8_bei(0);
    if (!niedrig)
        return std::nullopt;
    e.aktivNiedrig = *niedrig != 0;
    for (std::size_t i = 0; i < e.leitung.size(); ++i) {
        const auto l = n.u16_bei(1 + 2 * i);
        if (!l)
            return std::nullopt;
        if (*l != 0xFFFF)
            e.leitung[i] = *l;
    }
    e.chip = n.text_ab(1 + 2 * e.leitung.size());
    return e;
}

bool senden(int fd, const Nachricht& n)
{
    const auto d = n.kodieren();
    ssize_t r;
    do {
        r = ::send(fd, d.data(), d.size(), MSG_NOSIGNAL);
    } while (r < 0 && errno == EINTR);
    return r == static_cast<ssize_t>(d.size());
}

Empfang empfangen(int fd, std::chrono::milliseconds frist, Nachricht& n)
{
    pollfd p{fd, POLLIN, 0};
    int r;
    do {
        r = ::poll(&p, 1, frist.count() < 0 ? -1 : static_cast<int>(frist.count()));
    } while (r < 0 && errno == EINTR);
    if (r == 0)
        return Empfang::Zeitueberschreitung;
    if (r < 0)
        return Empfang::Geschlossen;
    std::uint8_t puffer[Max_Nachricht];
    ssize_t laenge;
    do {
        laenge = ::recv(fd, puffer, sizeof puffer, 0);
    } while (laenge < 0 && errno == EINTR);
    if (laenge <= 0)
        return Empfang::Geschlossen; // 0: the other end closed
    auto m = Nachricht::dekodieren(puffer, static_cast<std::size_t>(laenge));
    if (!m)
        return Empfang::Geschlossen; // nonsense: treat the peer as broken
    n = std::move(*m);
    return Empfang::Nachricht;
}

} // namespace kw::waechter
