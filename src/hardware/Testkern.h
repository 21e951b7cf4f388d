#pragma once
// A stand-in for the kernel's GPIO character device and hidraw nodes, behind the system-call table: GPIO chips
// whose lines are requested, set and released through line fds, and USB HID relay boards switched by feature
// reports. It answers as the kernel does (EBUSY for a held line, EINVAL beyond the chip, ENODEV once unplugged).
// The tests drive the real drivers against it; the test device (--testgeraet) uses it to run them without hardware.

#include "hardware/Systemaufrufe.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kw {

class Testkern {
public:
    void chipAnlegen(const std::string& name, const std::string& label, std::uint32_t leitungen);
    // A board at /dev/<hidraw>: `name` as the kernel reports it ("www.dcttech.com USBRelay4").
    void platineAnlegen(const std::string& hidraw, const std::string& name, std::uint16_t hersteller = 0x16c0,
                        std::uint16_t produkt = 0x05df, const std::string& serie = "ABCDE");
    // Another process holds the line.
    void fremdBelegen(const std::string& chip, std::uint32_t leitung) { m_fremd.insert({chip, leitung}); }
    // The device is gone: its node vanishes, every fd on it answers ENODEV.
    void abziehen(const std::string& name);
    // Feature reports return this many bytes (short transfers); -1: the full length.
    long merkmalGrenze = -1;
    // The board ignores switch commands (a relay that does not pull in): its state does not change.
    bool platineTaub = false;

    // Physical level of a line (1 high, 0 low); nullopt: never driven.
    std::optional<int> pegel(const std::string& chip, std::uint32_t leitung) const;
    // Whether this process holds the line through an open line fd.
    bool gehalten(const std::string& chip, std::uint32_t leitung) const;
    std::uint8_t relais(const std::string& hidraw) const;
    std::size_t offeneFds() const { return m_fds.size(); }
    // What happened, one entry a call: "GET_LINE gpiochip0 17,27 out active-low", "SET gpiochip0 17=0 27=1",
    // "release gpiochip0 17,27", "SFEATURE hidraw0 ff 02", "GFEATURE hidraw0", "open /dev/gpiochip0", ...
    std::vector<std::string> protokoll;
    // Called after every line request, SET_VALUES and switch command (name of the chip or board).
    std::function<void(const std::string& geraet)> beiAenderung;

    Systemaufrufe tabelle();

private:
    struct Chip {
        std::string label;
        std::uint32_t leitungen = 0;
        std::map<std::uint32_t, int> pegel;
        bool weg = false;
    };
    struct Platine {
        std::string name;
        std::uint16_t hersteller = 0, produkt = 0;
        std::string serie;
        std::uint8_t zustand = 0;
        bool weg = false;
        int generation = 0; // a board plugged in again is a new device: old fds stay dead
    };
    struct Fd {
        enum class Art { Chip, Linie, Hidraw } art;
        std::string geraet;
        std::vector<std::uint32_t> leitungen; // line fd: requested offsets
        bool ausgang = false;
        bool aktivNiedrig = false;
        int generation = 0;
    };
    int ioctl(int fd, unsigned long anfrage, void* arg);

    std::map<std::string, Chip> m_chips;
    std::map<std::string, Platine> m_platinen;
    std::set<std::pair<std::string, std::uint32_t>> m_fremd;
    std::map<int, Fd> m_fds;
    int m_naechstesFd = 100;
    int m_generation = 0;
};

} // namespace kw
