#pragma once
// An append-only file written by a thread of its own, so that the disk never
// holds up the controller tick. Every line goes out in one write() at the end of
// the file (O_APPEND); after each batch the file is synced. A line that could
// only be written in part (full disk) is cut off again, so the file only ever
// holds whole lines.
//
// warten() is what makes "an event is on disk before the next tick" hold: the
// tick calls it first, and it returns once every event line handed in so far
// is synced. It waits at most `hoechstens`, so a hanging disk cannot stop the
// controller; the lines then follow when the disk comes back.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace kw::journal {

class Journaldatei {
public:
    struct Optionen {
        bool synchronisieren = true;                     // fdatasync after each batch
        std::size_t hoechstzahl = 4096;                  // lines waiting at most; more are dropped
        std::chrono::milliseconds hoechstens{50};        // longest wait in warten()
    };

    Journaldatei();
    explicit Journaldatei(Optionen optionen);
    ~Journaldatei();
    Journaldatei(const Journaldatei&) = delete;
    Journaldatei& operator=(const Journaldatei&) = delete;

    // Opens (creates) the file for appending and starts the writer. A file whose
    // last line was cut (power cut mid-write) gets its line end first, so the next
    // line starts on a line of its own. False with `fehler` when it cannot be opened.
    bool oeffnen(const std::string& pfad, std::string& fehler);
    bool offen() const { return m_fd >= 0; }

    // Hands a whole line (ending in "\n") to the writer. Never blocks on the disk.
    // `ereignis`: warten() waits for it. False when the line had to be dropped.
    bool anhaengen(std::string zeile, bool ereignis);

    // Returns when every event line handed in so far is on disk, or after
    // `hoechstens`. True when it is on disk.
    bool warten();
    // Returns when every line handed in so far is on disk (or after `grenze`).
    bool alles_warten(std::chrono::milliseconds grenze);

    // Writes and syncs what is waiting, ends the writer, closes the file.
    void schliessen();

    // Lines dropped since opening (queue full or write failed).
    std::uint64_t verloren() const;
    // The last write or sync failed (e.g. disk full).
    bool schreibfehler() const;

private:
    void schreiber();

    Optionen m_opt;
    int m_fd = -1;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::condition_variable m_arbeit;   // writer: lines waiting or stop
    std::condition_variable m_fertig;   // warten(): a batch is synced
    std::deque<std::string> m_warteschlange;
    std::uint64_t m_nummer = 0;          // lines handed in
    std::uint64_t m_ereignis_nummer = 0; // number of the last event line handed in
    std::uint64_t m_sicher = 0;          // lines written and synced
    std::uint64_t m_verloren = 0;
    bool m_schreibfehler = false;
    bool m_stop = false;
    long long m_groesse = 0;             // file size: only we append
};

} // namespace kw::journal
