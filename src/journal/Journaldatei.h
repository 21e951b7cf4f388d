#pragma once
// An append-only file written by a thread of its own, so that the disk never
// holds up the controller tick: creating the folder and the file, syncing the
// folder, every write and sync, and closing happen there, in the order they
// were asked for. Every line goes out in one write() at the end of the file
// (O_APPEND); after each batch the file is synced. A line that could only be
// written in part (full disk) is cut off again, so the file only ever holds
// whole lines.
//
// A line that cannot be written (disk full, I/O error) is kept and tried again
// (Optionen::wiederholung), so a disk that recovers loses nothing; only lines
// beyond Optionen::hoechstzahl waiting are dropped. Where lines were dropped,
// the line Optionen::verlustzeile makes is written in their place, with their
// number.
//
// warten() is what makes "an event is on disk before the next tick" hold: the
// tick calls it first, and it returns once every event line handed in so far
// is synced. It waits at most `hoechstens`, and not at all while the disk is
// failing, so a hanging disk cannot stop the controller.

#include <sys/stat.h>
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace kw::journal {

// The system calls of the writer, as a table that tests and benchmarks replace
// (a slow or failing disk). Each returns like its POSIX namesake.
struct Dateiaufrufe {
    std::function<int(const std::string& pfad, int flags, mode_t modus)> oeffnen;
    std::function<int(const std::string& pfad, mode_t modus)> ordner_anlegen;   // mkdir
    std::function<ssize_t(int fd, const void* daten, std::size_t laenge)> schreiben;
    std::function<ssize_t(int fd, void* daten, std::size_t laenge, off_t wo)> lesen_an;   // pread
    std::function<int(int fd, struct stat* st)> status;                            // fstat
    std::function<int(int fd)> datensync;                                          // fdatasync
    std::function<int(int fd)> sync;                                               // fsync (folders)
    std::function<int(int fd, off_t laenge)> kuerzen;                              // ftruncate
    std::function<int(int fd)> schliessen;

    static Dateiaufrufe echt();
};

class Journaldatei {
public:
    struct Optionen {
        bool synchronisieren = true;                     // fdatasync after each batch
        std::size_t hoechstzahl = 4096;                  // lines waiting at most; more are dropped
        std::chrono::milliseconds hoechstens{50};        // longest wait in warten()
        std::chrono::milliseconds wiederholung{1000};    // a failed write is tried again after this
        std::chrono::milliseconds abschluss{5000};       // the destructor's longest wait for the last lines
        Dateiaufrufe sys = Dateiaufrufe::echt();
        // The line written where `anzahl` lines were dropped; `naechste` is the line that
        // follows them (or the last one written, when none follows). None: nothing is written.
        std::function<std::string(std::uint64_t anzahl, const std::string& naechste)> verlustzeile{};
    };

    // What the writer has got to.
    struct Stand {
        std::string pfad;              // the file being written (a new one's name as it was made)
        std::string oeffnungsfehler;   // the last file asked for could not be opened: why
        std::string schreibfehler;     // the last write or sync failed: why (empty: it works again)
        std::uint64_t fehlerzahl = 0;  // failed batches since the writer started
        std::uint64_t verloren = 0;    // lines dropped since the writer started
    };

    Journaldatei();
    explicit Journaldatei(Optionen optionen);
    // Writes what it can within Optionen::abschluss; a writer still held by the disk
    // then finishes on its own.
    ~Journaldatei();
    Journaldatei(const Journaldatei&) = delete;
    Journaldatei& operator=(const Journaldatei&) = delete;

    // A new file in `ordner` (made if missing, with the folders above it): `name(1)`, or `name(2)`, `name(3)` ...
    // when that exists already. Closes the file before. Returns the path of name(1);
    // stand().pfad tells the one made. `name` is called on the writer's thread.
    std::string anlegen(const std::string& ordner, std::function<std::string(int n)> name);
    // Appends to `pfad` (made if missing). A last line cut by a power cut gets its
    // line end first, so the next line starts on a line of its own.
    void oeffnen(const std::string& pfad);
    // Closes the file after the lines handed in so far.
    void schliessen();

    // Hands a whole line (ending in "\n") to the writer. Never blocks on the disk.
    // `ereignis`: warten() waits for it. False when the line had to be dropped.
    bool anhaengen(std::string zeile, bool ereignis);

    // Returns when every event line handed in so far is on disk, or after
    // `hoechstens`, or at once while the disk fails. True when it is on disk.
    bool warten();
    // Returns when everything asked so far is done (or after `grenze`, or at once
    // while the disk fails).
    bool alles_warten(std::chrono::milliseconds grenze);

    Stand stand() const;
    // Lines dropped since the writer started (queue full).
    std::uint64_t verloren() const { return stand().verloren; }

    struct Zustand;

private:
    std::shared_ptr<Zustand> m;
    std::thread m_thread;
};

} // namespace kw::journal
