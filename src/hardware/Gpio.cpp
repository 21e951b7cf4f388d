#include "hardware/Gpio.h"

#include <linux/gpio.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>

namespace kw {

namespace {

const char* const namenDe[Ausgangsanzahl] = {"Heizung", "Rührwerk", "Kühlung", "Extra 1",
                                             "Extra 2", "Extra 3",  "Extra 4", "Signal"};
const char* const namenEn[Ausgangsanzahl] = {"heating", "stirrer", "cooling", "extra 1",
                                             "extra 2", "extra 3", "extra 4", "signal"};
const char* const schluessel[Ausgangsanzahl] = {"Heizung", "Ruehrwerk", "Kuehlung", "Extra1",
                                                "Extra2",  "Extra3",    "Extra4",   "Signal"};

std::string feldText(const char* feld, std::size_t groesse)
{
    return std::string(feld, strnlen(feld, groesse));
}

std::uint64_t maske(std::size_t anzahl) { return anzahl >= 64 ? ~0ULL : (1ULL << anzahl) - 1; }

} // namespace

const char* Ausgangsname_De(int bit) { return namenDe[bit & 7]; }
const char* Ausgangsname_En(int bit) { return namenEn[bit & 7]; }
const char* Ausgangsschluessel(int bit) { return schluessel[bit & 7]; }

bool Gpioeinstellungen::irgendeineLeitung() const
{
    return std::any_of(leitung.begin(), leitung.end(), [](const auto& l) { return l.has_value(); });
}

std::vector<Gpiochip> Gpiochips_Auflisten(const Systemaufrufe& sys)
{
    std::vector<Gpiochip> chips;
    for (auto& name : Nummerierte_Eintraege(sys, "/dev", "gpiochip")) {
        Gpiochip c;
        c.pfad = "/dev/" + name;
        c.name = name;
        const int fd = sys.oeffnen(c.pfad, O_RDWR);
        if (fd < 0)
            continue; // no permission, or gone
        gpiochip_info info{};
        if (sys.ioctl(fd, GPIO_GET_CHIPINFO_IOCTL, &info) == 0) {
            c.label = feldText(info.label, sizeof info.label);
            c.leitungen = info.lines;
            chips.push_back(c);
        }
        sys.schliessen(fd);
    }
    return chips;
}

std::optional<Gpiochip> Gpiochip_Finden(const std::vector<Gpiochip>& chips, const std::string& wahl)
{
    if (wahl.empty())
        return std::nullopt;
    for (auto& c : chips)
        if (c.label == wahl)
            return c;
    for (auto& c : chips)
        if (c.name == wahl || c.pfad == wahl)
            return c;
    return std::nullopt;
}

Gpio::Gpio(Gpioeinstellungen e, Systemaufrufe sys, Treibermeldungen& meldungen, std::string verbraucher)
    : m_e(std::move(e)), m_sys(std::move(sys)), m_meldungen(meldungen), m_verbraucher(std::move(verbraucher))
{
}

Gpio::~Gpio() { schliessen(); }

void Gpio::melde(const std::string& deutsch, const std::string& englisch)
{
    m_meldungen.hinweis(deutsch + "\n" + englisch);
}

std::optional<Gpio::Anforderung> Gpio::anfordern(int chipFd, const std::vector<int>& bits, int* fehler)
{
    gpio_v2_line_request r{};
    for (std::size_t i = 0; i < bits.size(); ++i)
        r.offsets[i] = *m_e.leitung[static_cast<std::size_t>(bits[i])];
    std::strncpy(r.consumer, m_verbraucher.c_str(), sizeof r.consumer - 1);
    r.num_lines = static_cast<std::uint32_t>(bits.size());
    r.config.flags = GPIO_V2_LINE_FLAG_OUTPUT | (m_e.aktivNiedrig ? GPIO_V2_LINE_FLAG_ACTIVE_LOW : 0);
    // Every line comes up inactive: with active-low the kernel drives it high, so no relay pulls in.
    r.config.num_attrs = 1;
    r.config.attrs[0].attr.id = GPIO_V2_LINE_ATTR_ID_OUTPUT_VALUES;
    r.config.attrs[0].attr.values = 0;
    r.config.attrs[0].mask = maske(bits.size());
    if (m_sys.ioctl(chipFd, GPIO_V2_GET_LINE_IOCTL, &r) < 0 || r.fd < 0) {
        if (fehler)
            *fehler = errno;
        return std::nullopt;
    }
    Anforderung a;
    a.fd = r.fd;
    a.bits = bits;
    if (m_sys.notausEintragen) {
        // All-off as SET_VALUES takes it: bits 0, mask every line of this request.
        const std::uint64_t m = maske(bits.size());
        std::uint8_t daten[8];
        for (int i = 0; i < 8; ++i)
            daten[i] = static_cast<std::uint8_t>(m >> (8 * i));
        m_sys.notausEintragen(a.fd, notaus::Art::Gpio, daten, sizeof daten);
    }
    return a;
}

bool Gpio::oeffnen()
{
    if (istOffen())
        return true;
    m_schreibfehlerGemeldet = false;
    if (!m_e.irgendeineLeitung()) {
        melde("GPIO: keinem Ausgang ist eine Leitung zugeordnet. Es wird nichts ausgegeben.",
              "GPIO: no output has a line assigned. No output is written.");
        return false;
    }
    const auto chips = Gpiochips_Auflisten(m_sys);
    const auto chip = Gpiochip_Finden(chips, m_e.chip);
    if (!chip) {
        const std::string wahl = m_e.chip.empty() ? std::string("(keiner)") : m_e.chip;
        const std::string choice = m_e.chip.empty() ? std::string("(none)") : m_e.chip;
        melde("GPIO-Chip \"" + wahl + "\" nicht gefunden (" + std::to_string(chips.size())
                  + " Chips vorhanden; Gruppe \"gpio\"?). Es wird nichts ausgegeben.",
              "GPIO chip \"" + choice + "\" not found (" + std::to_string(chips.size())
                  + " chips present; group \"gpio\"?). No output is written.");
        return false;
    }
    m_chipName = chip->label.empty() ? chip->name : chip->label + " (" + chip->name + ")";

    // Lines that cannot exist on this chip, or that two outputs share, are left out before the request.
    std::vector<int> bits;
    for (int bit = 0; bit < Ausgangsanzahl; ++bit) {
        const auto& l = m_e.leitung[static_cast<std::size_t>(bit)];
        if (!l)
            continue;
        const std::string wer = std::string(Ausgangsname_De(bit)) + " (Leitung " + std::to_string(*l) + ")";
        const std::string who = std::string(Ausgangsname_En(bit)) + " (line " + std::to_string(*l) + ")";
        if (*l >= chip->leitungen) {
            melde("GPIO: " + wer + ": der Chip " + m_chipName + " hat nur " + std::to_string(chip->leitungen)
                      + " Leitungen. Dieser Ausgang bleibt aus.",
                  "GPIO: " + who + ": chip " + m_chipName + " has only " + std::to_string(chip->leitungen)
                      + " lines. This output stays off.");
            continue;
        }
        const bool doppelt = std::any_of(bits.begin(), bits.end(), [&](int b) {
            return m_e.leitung[static_cast<std::size_t>(b)] == l;
        });
        if (doppelt) {
            melde("GPIO: " + wer + ": die Leitung ist schon einem anderen Ausgang zugeordnet. Dieser Ausgang bleibt aus.",
                  "GPIO: " + who + ": the line is already assigned to another output. This output stays off.");
            continue;
        }
        bits.push_back(bit);
    }
    if (bits.empty())
        return false;

    const int chipFd = m_sys.oeffnen(chip->pfad, O_RDWR);
    if (chipFd < 0) {
        const std::string grund = std::strerror(errno);
        melde(chip->pfad + " lässt sich nicht öffnen (" + grund + "; Gruppe \"gpio\"?). Es wird nichts ausgegeben.",
              "Cannot open " + chip->pfad + " (" + grund + "; group \"gpio\"?). No output is written.");
        return false;
    }
    // All lines in one request; when that fails, line by line, so one held line does not stop the others.
    int fehler = 0;
    if (auto a = anfordern(chipFd, bits, &fehler)) {
        m_anforderungen.push_back(std::move(*a));
    } else {
        for (int bit : bits) {
            if (auto einzeln = anfordern(chipFd, {bit}, &fehler)) {
                m_anforderungen.push_back(std::move(*einzeln));
                continue;
            }
            const auto l = *m_e.leitung[static_cast<std::size_t>(bit)];
            const std::string grund = std::strerror(fehler);
            const bool belegt = fehler == EBUSY;
            melde("GPIO: " + std::string(Ausgangsname_De(bit)) + " (Leitung " + std::to_string(l) + " von "
                      + m_chipName + "): "
                      + (belegt ? std::string("die Leitung hält schon ein anderes Programm") : grund)
                      + ". Dieser Ausgang bleibt aus.",
                  "GPIO: " + std::string(Ausgangsname_En(bit)) + " (line " + std::to_string(l) + " of " + m_chipName
                      + "): " + (belegt ? std::string("the line is held by another program") : grund)
                      + ". This output stays off.");
        }
    }
    // The line fds live on without the chip fd.
    m_sys.schliessen(chipFd);
    return istOffen();
}

bool Gpio::setzen(std::uint8_t byte)
{
    bool ok = true;
    for (auto& a : m_anforderungen) {
        gpio_v2_line_values v{};
        for (std::size_t i = 0; i < a.bits.size(); ++i)
            if (byte & (1u << a.bits[i]))
                v.bits |= 1ULL << i;
        v.mask = maske(a.bits.size());
        if (m_sys.ioctl(a.fd, GPIO_V2_LINE_SET_VALUES_IOCTL, &v) < 0)
            ok = false;
    }
    return ok;
}

void Gpio::schreibe(std::uint8_t byte)
{
    if (!istOffen())
        return;
    if (!setzen(byte) && !m_schreibfehlerGemeldet) {
        m_schreibfehlerGemeldet = true;
        const std::string grund = std::strerror(errno);
        melde("GPIO: Schreiben auf " + m_chipName + " fehlgeschlagen (" + grund + ").",
              "GPIO: writing to " + m_chipName + " failed (" + grund + ").");
    }
}

void Gpio::schliessen()
{
    // The kernel promises nothing after the release (a Pi keeps the last level): off first.
    setzen(0);
    for (auto& a : m_anforderungen) {
        if (m_sys.notausAustragen)
            m_sys.notausAustragen(a.fd);
        m_sys.schliessen(a.fd);
    }
    m_anforderungen.clear();
}

std::uint8_t Gpio::gehalteneAusgaenge() const
{
    std::uint8_t b = 0;
    for (auto& a : m_anforderungen)
        for (int bit : a.bits)
            b = static_cast<std::uint8_t>(b | (1u << bit));
    return b;
}

} // namespace kw
