#include "hardware/Ausgangsbyte.h"

#include <cctype>

namespace kw {

namespace {
std::uint8_t bit(short flag, int wert) { return flag != 0 ? static_cast<std::uint8_t>(wert) : 0; }
} // namespace

std::uint8_t Ausgangsbyte_Berechnen(const Ausgangsflags& f, short Aus_Ruehrwerk)
{
    return static_cast<std::uint8_t>(bit(f.Aus_Heizung, 1) | bit(Aus_Ruehrwerk, 2) | bit(f.Aus_Kuehlung, 4)
                                     | bit(f.Aus_Extra1, 8) | bit(f.Aus_Extra2, 16) | bit(f.Aus_Extra3, 32)
                                     | bit(f.Aus_Extra4, 64) | bit(f.Aus_Signal, 128));
}

std::optional<std::uint16_t> Hexadresse_Lesen(const std::string& text)
{
    auto anfang = text.find_first_not_of(" \t");
    if (anfang == std::string::npos)
        return std::nullopt;
    auto ende = text.find_last_not_of(" \t");
    std::string_view ziffern(text.data() + anfang, ende - anfang + 1);
    if (ziffern.size() > 4)
        return std::nullopt;
    unsigned wert = 0;
    for (char c : ziffern) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        int z = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        wert = wert * 16 + static_cast<unsigned>(z);
    }
    return static_cast<std::uint16_t>(wert);
}

std::optional<std::uint16_t> LPT_Adresse(short Schnittstelle, const std::string& LPT_Def_Adresse)
{
    switch (Schnittstelle) {
    case 1: return 0x378;
    case 2: return 0x278;
    case 3: return Hexadresse_Lesen(LPT_Def_Adresse);
    default: return std::nullopt;
    }
}

Ausgabe::Ausgabe(Geraetequelle& quelle, Treibermeldungen& meldungen) : m_quelle(quelle), m_meldungen(meldungen) {}

Ausgabe::~Ausgabe()
{
    Alles_Aus();
    if (m_parallel)
        m_parallel->schliessen();
    if (m_gpio)
        m_gpio->schliessen();
    m_quelle.iowarrior().schliessen();
    if (auto* hid = m_quelle.hidrelais())
        hid->schliessen();
}

void Ausgabe::vergessen(Ausgabegeraet* g)
{
    if (m_aktiv == g)
        m_aktiv = nullptr;
    if (m_bestaetigtesZiel == g)
        m_bestaetigtesZiel = nullptr;
}

Ausgabegeraet* Ausgabe::gpioFuer(const Gpioeinstellungen& e)
{
    if (m_gpio && !(m_gpioEinstellungen == e)) {
        vergessen(m_gpio.get());
        m_gpio->schliessen(); // all off before the lines go
        m_gpio.reset();
    }
    if (!m_gpio) {
        m_gpio = m_quelle.gpio(e);
        m_gpioEinstellungen = e;
        m_gpioGescheitert = false;
        if (!m_gpio)
            return nullptr;
    }
    if (!m_gpio->istOffen() && !m_gpioGescheitert)
        m_gpioGescheitert = !m_gpio->oeffnen();
    return m_gpio->istOffen() ? m_gpio.get() : nullptr;
}

Ausgabegeraet* Ausgabe::parallelFuer(std::uint16_t adresse)
{
    if (m_parallel && m_parallelAdresse != adresse) {
        if (m_aktiv == m_parallel.get())
            m_aktiv = nullptr;
        if (m_bestaetigtesZiel == m_parallel.get())
            m_bestaetigtesZiel = nullptr;
        m_parallel->schliessen(); // writes 0 before letting go
        m_parallel.reset();
    }
    if (!m_parallel) {
        m_parallel = m_quelle.parallelport(adresse);
        m_parallelAdresse = adresse;
        m_parallelGescheitert = false;
        if (!m_parallel)
            return nullptr;
    }
    if (!m_parallel->istOffen() && !m_parallelGescheitert)
        m_parallelGescheitert = !m_parallel->oeffnen();
    return m_parallel->istOffen() ? m_parallel.get() : nullptr;
}

void Ausgabe::Ausgaenge_Schreiben(const Ausgangsflags& flags, std::chrono::sys_seconds now,
                                  const Ausgabeeinstellungen& e)
{
    // Stirrer switch-on delay: the output follows a fresh request only from the next whole second on.
    if (flags.Ruehrwerk_Ein != 0) {
        if (!m_Ruehrwerk_Vorher) {
            m_Ruehrwerk_Vorher = true;
            m_Ruehrwerk_Einschaltzeit = now + std::chrono::seconds(1);
        }
        m_Aus_Ruehrwerk = now >= m_Ruehrwerk_Einschaltzeit ? 1 : 0;
    } else {
        m_Ruehrwerk_Vorher = false;
        m_Aus_Ruehrwerk = 0;
    }
    m_Ausgangsbyte = Ausgangsbyte_Berechnen(flags, m_Aus_Ruehrwerk);

    const bool bestaetigt = e.Konfiguration_Bestaetigt != 0;
    if (bestaetigt && !m_warBestaetigt) {
        // A new OK: a port that failed to open is tried again, and a bad address is told again.
        m_parallelGescheitert = false;
        m_gpioGescheitert = false;
        m_adresseGemeldet = false;
    }
    m_warBestaetigt = bestaetigt;

    Ausgabegeraet* ziel = nullptr;
    switch (e.Schnittstelle) {
    case 1:
    case 2:
    case 3: {
        auto adresse = LPT_Adresse(e.Schnittstelle, e.LPT_Def_Adresse);
        if (!bestaetigt) {
            // Dialog open: the controller runs on, so the card confirmed at the last OK follows it (a card that
            // kept its byte would keep the heater on). A port chosen anew waits for OK.
            if (adresse && m_parallel && m_bestaetigtesZiel == m_parallel.get() && m_parallelAdresse == *adresse
                && m_parallel->istOffen())
                ziel = m_parallel.get();
        } else if (!adresse) {
            if (!m_adresseGemeldet) {
                m_adresseGemeldet = true;
                m_meldungen.hinweis("Die Portadresse \"" + e.LPT_Def_Adresse
                                    + "\" ist ungültig (1 bis 4 Hex-Ziffern, z. B. 378). Es wird nichts ausgegeben.\n"
                                      "The port address \"" + e.LPT_Def_Adresse
                                    + "\" is invalid (1 to 4 hex digits, e.g. 378). No output is written.");
            }
        } else {
            ziel = parallelFuer(*adresse);
        }
        break;
    }
    case 4:
        ziel = &m_quelle.iowarrior();
        break;
    case Schnittstelle_GPIO:
        if (!bestaetigt) {
            // As with a parallel port: the lines confirmed at the last OK follow the controller.
            if (m_gpio && m_bestaetigtesZiel == m_gpio.get() && m_gpioEinstellungen == e.gpio && m_gpio->istOffen())
                ziel = m_gpio.get();
        } else {
            ziel = gpioFuer(e.gpio);
        }
        break;
    case Schnittstelle_HID:
        ziel = m_quelle.hidrelais();
        break;
    default:
        break; // interface 5 and unknown values write nothing
    }

    // The output moved to another device (or to none): the one left behind must not keep the heater on.
    if (m_aktiv && m_aktiv != ziel)
        m_aktiv->allesAus();
    m_aktiv = ziel;
    if (bestaetigt)
        m_bestaetigtesZiel = ziel;
    if (ziel)
        ziel->schreibe(m_Ausgangsbyte);
    m_quelle.takt();
}

void Ausgabe::IOW_Oeffnen()
{
    m_quelle.iowarrior().oeffnen();
}

void Ausgabe::IOW_Schliessen()
{
    m_quelle.iowarrior().schliessen();
}

void Ausgabe::HID_Oeffnen()
{
    if (auto* hid = m_quelle.hidrelais())
        hid->oeffnen();
}

bool Ausgabe::USB_Alarm() const
{
    auto* hid = m_quelle.hidrelais();
    return m_quelle.iowarrior().alarm() || (hid && hid->alarm());
}

void Ausgabe::USB_Alarm_Quittieren(short Schnittstelle)
{
    auto& iow = m_quelle.iowarrior();
    iow.alarmLoeschen();
    if (Schnittstelle == 4) {
        iow.schliessen();
        iow.oeffnen(); // reads the report size again
    }
    if (auto* hid = m_quelle.hidrelais()) {
        hid->alarmLoeschen();
        if (Schnittstelle == Schnittstelle_HID) {
            hid->schliessen();
            hid->oeffnen();
        }
    }
}

void Ausgabe::Alles_Aus()
{
    m_Ruehrwerk_Vorher = false;
    m_Aus_Ruehrwerk = 0;
    m_Ausgangsbyte = 0;
    if (m_parallel && m_parallel->istOffen())
        m_parallel->allesAus();
    if (m_gpio && m_gpio->istOffen())
        m_gpio->allesAus();
    if (m_quelle.iowarrior().istOffen())
        m_quelle.iowarrior().allesAus();
    if (auto* hid = m_quelle.hidrelais(); hid && hid->istOffen())
        hid->allesAus();
}

} // namespace kw
