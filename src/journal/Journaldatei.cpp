#include "journal/Journaldatei.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>

namespace kw::journal {

Dateiaufrufe Dateiaufrufe::echt()
{
    Dateiaufrufe s;
    s.oeffnen = [](const std::string& p, int flags, mode_t modus) { return ::open(p.c_str(), flags, modus); };
    s.ordner_anlegen = [](const std::string& p, mode_t modus) { return ::mkdir(p.c_str(), modus); };
    s.schreiben = [](int fd, const void* d, std::size_t n) { return ::write(fd, d, n); };
    s.lesen_an = [](int fd, void* d, std::size_t n, off_t wo) { return ::pread(fd, d, n, wo); };
    s.status = [](int fd, struct stat* st) { return ::fstat(fd, st); };
    s.datensync = [](int fd) { return ::fdatasync(fd); };
    s.sync = [](int fd) { return ::fsync(fd); };
    s.kuerzen = [](int fd, off_t n) { return ::ftruncate(fd, n); };
    s.schliessen = [](int fd) { return ::close(fd); };
    return s;
}

namespace {

struct Auftrag {
    enum class Art { Zeile, Anlegen, Oeffnen, Schliessen } art = Art::Zeile;
    std::string text;                           // the line, the folder or the path
    std::function<std::string(int)> name;       // Anlegen
    std::uint64_t nummer = 0;
    std::uint64_t verloren_davor = 0;           // lines dropped right before this one
};

std::string Grund(const std::string& pfad, int fehler) { return pfad + ": " + std::strerror(fehler); }

std::string Elternordner(const std::string& pfad)
{
    const auto n = pfad.find_last_of('/');
    if (n == std::string::npos)
        return ".";
    return n == 0 ? "/" : pfad.substr(0, n);
}

} // namespace

struct Journaldatei::Zustand {
    explicit Zustand(Optionen o) : opt(std::move(o)) {}

    const Optionen opt;
    std::mutex mutex;
    std::condition_variable arbeit;   // writer: work waiting, or stop
    std::condition_variable fertig;   // a batch is done, or the writer ended
    std::deque<Auftrag> warteschlange;
    std::uint64_t nummer = 0;           // orders handed in
    std::uint64_t ereignis_nummer = 0;  // number of the last event (or open) handed in
    std::uint64_t erledigt = 0;         // orders done (written and synced, or done with)
    std::uint64_t oeffnung_nummer = 0;  // number of the last open asked for
    std::size_t wartend = 0;            // lines not yet written, the writer's batch included
    std::uint64_t verloren_offen = 0;   // dropped lines no order carries yet
    bool gestoert = false;              // the last batch failed; retried at wieder_ab
    std::chrono::steady_clock::time_point wieder_ab{};
    bool stop = false;
    bool beendet = false;
    Stand stand;

    // --- the writer's own ---
    int fd = -1;
    long long groesse = 0;              // file size: only we append
    bool ohne_datei = false;            // the file asked for could not be opened: its lines go nowhere
    bool ungesynct = false;             // written since the last sync
    std::string letzte_zeile;

    const Dateiaufrufe& sys() const { return opt.sys; }

    // One write() for the whole line; a short write (full disk) is finished or undone.
    bool zeile_schreiben(const std::string& zeile, int& fehler)
    {
        const char* p = zeile.data();
        std::size_t rest = zeile.size();
        while (rest > 0) {
            const ssize_t n = sys().schreiben(fd, p, rest);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                fehler = errno;
                break;
            }
            if (n == 0) {
                fehler = ENOSPC;
                break;
            }
            p += n;
            rest -= static_cast<std::size_t>(n);
        }
        if (rest == 0) {
            groesse += static_cast<long long>(zeile.size());
            ungesynct = true;
            return true;
        }
        // Cut the torn piece off again: the file keeps whole lines only.
        if (rest < zeile.size())
            sys().kuerzen(fd, groesse);
        return false;
    }

    // False with `fehler` set when the sync failed.
    bool synchronisieren(int& fehler)
    {
        if (fd < 0 || !ungesynct || !opt.synchronisieren)
            return true;
        ungesynct = false;
        if (sys().datensync(fd) != 0) {
            fehler = errno;
            return false;
        }
        return true;
    }

    void ordner_synchronisieren(const std::string& ordner)
    {
        const int d = sys().oeffnen(ordner, O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
        if (d >= 0) {
            sys().sync(d);
            sys().schliessen(d);
        }
    }

    void datei_schliessen(std::string& syncfehler)
    {
        if (fd < 0)
            return;
        int f = 0;
        if (!synchronisieren(f))
            syncfehler = Grund(stand.pfad, f);
        sys().schliessen(fd);
        fd = -1;
    }

    // Makes `ordner` and what is missing above it (at most `tiefe` levels), each new
    // entry synced. 0 or the errno.
    int ordner_anlegen(const std::string& ordner, int tiefe)
    {
        if (sys().ordner_anlegen(ordner, 0755) == 0) {
            ordner_synchronisieren(Elternordner(ordner));
            return 0;
        }
        if (errno == EEXIST)
            return 0;
        if (errno != ENOENT || tiefe == 0 || Elternordner(ordner) == ordner)
            return errno;
        if (const int f = ordner_anlegen(Elternordner(ordner), tiefe - 1); f != 0)
            return f;
        if (sys().ordner_anlegen(ordner, 0755) != 0 && errno != EEXIST)
            return errno;
        ordner_synchronisieren(Elternordner(ordner));
        return 0;
    }

    // The new file is ours when it is a plain file; otherwise `fehler` says why.
    bool uebernehmen(int neu, const std::string& pfad, std::string& fehler)
    {
        struct stat st {};
        if (sys().status(neu, &st) != 0 || !S_ISREG(st.st_mode)) {
            fehler = pfad + ": keine Datei";
            sys().schliessen(neu);
            return false;
        }
        fd = neu;
        groesse = st.st_size;
        ohne_datei = false;
        return true;
    }

    bool neu_anlegen(const Auftrag& x, std::string& pfad, std::string& fehler)
    {
        const std::string& ordner = x.text;
        if (const int f = ordner_anlegen(ordner, 8); f != 0) {
            fehler = Grund(ordner, f);
            return false;
        }
        // Two starts in one second: a name of its own for each.
        for (int n = 1; n < 100; ++n) {
            pfad = ordner + "/" + x.name(n);
            const int neu = sys().oeffnen(pfad, O_RDWR | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
            if (neu >= 0) {
                if (!uebernehmen(neu, pfad, fehler))
                    return false;
                ordner_synchronisieren(ordner);   // the new file's entry
                return true;
            }
            if (errno != EEXIST) {
                fehler = Grund(pfad, errno);
                return false;
            }
        }
        fehler = Grund(pfad, EEXIST);
        return false;
    }

    bool anhaengend_oeffnen(const std::string& pfad, std::string& fehler)
    {
        const int neu = sys().oeffnen(pfad, O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (neu < 0) {
            fehler = Grund(pfad, errno);
            return false;
        }
        if (!uebernehmen(neu, pfad, fehler))
            return false;
        if (groesse > 0) {
            // A last line left without its line end is closed, so it stays one cut line.
            char letztes = '\n';
            if (sys().lesen_an(fd, &letztes, 1, groesse - 1) != 1)
                letztes = '\n';
            int f = 0;
            if (letztes != '\n')
                zeile_schreiben("\n", f);
        }
        return true;
    }

    // One order. False when a line could not be written (it is tried again); `fehler` says why.
    bool ausfuehren(Auftrag& x, std::string& fehler)
    {
        switch (x.art) {
        case Auftrag::Art::Anlegen:
        case Auftrag::Art::Oeffnen: {
            datei_schliessen(fehler);
            std::string pfad = x.text, grund;
            const bool ok = x.art == Auftrag::Art::Anlegen ? neu_anlegen(x, pfad, grund)
                                                            : anhaengend_oeffnen(pfad, grund);
            if (!ok) {
                ohne_datei = true;
                if (fd >= 0) {
                    sys().schliessen(fd);
                    fd = -1;
                }
            }
            {
                std::lock_guard lock(mutex);
                if (ok)
                    stand.pfad = pfad;
                if (x.nummer == oeffnung_nummer)
                    stand.oeffnungsfehler = grund;
            }
            return true;
        }
        case Auftrag::Art::Schliessen:
            if (x.verloren_davor > 0 && fd >= 0 && opt.verlustzeile && !letzte_zeile.empty()) {
                int f = 0;
                if (!zeile_schreiben(opt.verlustzeile(x.verloren_davor, letzte_zeile), f)) {
                    fehler = Grund(stand.pfad, f);
                    return false;
                }
                x.verloren_davor = 0;
            }
            datei_schliessen(fehler);
            ohne_datei = false;
            return true;
        case Auftrag::Art::Zeile:
            break;
        }
        if (fd < 0)
            return true;   // no file to write to: the run has no journal
        int f = 0;
        if (x.verloren_davor > 0 && opt.verlustzeile) {
            if (!zeile_schreiben(opt.verlustzeile(x.verloren_davor, x.text), f)) {
                fehler = Grund(stand.pfad, f);
                return false;
            }
            x.verloren_davor = 0;
        }
        if (!zeile_schreiben(x.text, f)) {
            fehler = Grund(stand.pfad, f);
            return false;
        }
        letzte_zeile = x.text;
        return true;
    }

    void schreiber()
    {
        std::deque<Auftrag> stapel;
        for (;;) {
            bool aufgeben = false;
            {
                std::unique_lock lock(mutex);
                if (gestoert && !stop)
                    arbeit.wait_until(lock, wieder_ab, [this] { return stop; });
                else
                    arbeit.wait(lock, [this] { return stop || !warteschlange.empty(); });
                if (warteschlange.empty() && stop)
                    break;
                // At the end a failing disk gets one more try.
                aufgeben = stop && gestoert;
                stapel.swap(warteschlange);
            }
            std::string fehler;
            std::uint64_t bis = 0;
            std::size_t zeilen = 0;
            bool ok = true;
            while (!stapel.empty()) {
                Auftrag& x = stapel.front();
                if (!ausfuehren(x, fehler)) {
                    ok = false;
                    break;
                }
                bis = x.nummer;
                zeilen += x.art == Auftrag::Art::Zeile;
                stapel.pop_front();
            }
            int f = 0;
            const bool sync_ok = synchronisieren(f);
            if (!sync_ok && fehler.empty())
                fehler = Grund(stand.pfad, f);
            {
                std::lock_guard lock(mutex);
                if (bis > 0)
                    erledigt = bis;
                wartend -= zeilen;
                if (!fehler.empty()) {
                    stand.schreibfehler = fehler;
                    ++stand.fehlerzahl;
                } else if (ok) {
                    stand.schreibfehler.clear();
                }
                gestoert = !ok;
                if (!ok) {
                    wieder_ab = std::chrono::steady_clock::now() + opt.wiederholung;
                    if (aufgeben) {
                        // the disk did not come back: what waits is lost
                        for (const auto* q : {&stapel, &warteschlange})
                            for (const Auftrag& x : *q)
                                stand.verloren += x.art == Auftrag::Art::Zeile;
                        warteschlange.clear();
                        wartend = 0;
                        erledigt = nummer;
                    } else {
                        warteschlange.insert(warteschlange.begin(), std::make_move_iterator(stapel.begin()),
                                             std::make_move_iterator(stapel.end()));
                    }
                }
                stapel.clear();
            }
            fertig.notify_all();
        }
        std::string egal;
        datei_schliessen(egal);
        {
            std::lock_guard lock(mutex);
            beendet = true;
        }
        fertig.notify_all();
    }
};

Journaldatei::Journaldatei() : Journaldatei(Optionen{}) {}

Journaldatei::Journaldatei(Optionen optionen) : m(std::make_shared<Zustand>(std::move(optionen)))
{
    std::thread([z = m] { z->schreiber(); }).swap(m_thread);
}

Journaldatei::~Journaldatei()
{
    {
        std::lock_guard lock(m->mutex);
        m->stop = true;
    }
    m->arbeit.notify_all();
    bool beendet = false;
    {
        std::unique_lock lock(m->mutex);
        beendet = m->fertig.wait_for(lock, m->opt.abschluss, [this] { return m->beendet; });
    }
    // A writer held by the disk keeps its state alive and ends with its last call.
    if (beendet)
        m_thread.join();
    else
        m_thread.detach();
}

std::string Journaldatei::anlegen(const std::string& ordner, std::function<std::string(int n)> name)
{
    Auftrag x;
    x.art = Auftrag::Art::Anlegen;
    x.text = ordner;
    const std::string erster = ordner + "/" + name(1);
    x.name = std::move(name);
    {
        std::lock_guard lock(m->mutex);
        x.nummer = m->ereignis_nummer = m->oeffnung_nummer = ++m->nummer;
        m->stand.oeffnungsfehler.clear();
        m->stand.pfad = erster;
        m->warteschlange.push_back(std::move(x));
    }
    m->arbeit.notify_one();
    return erster;
}

void Journaldatei::oeffnen(const std::string& pfad)
{
    Auftrag x;
    x.art = Auftrag::Art::Oeffnen;
    x.text = pfad;
    {
        std::lock_guard lock(m->mutex);
        x.nummer = m->ereignis_nummer = m->oeffnung_nummer = ++m->nummer;
        m->stand.oeffnungsfehler.clear();
        m->stand.pfad = pfad;
        m->warteschlange.push_back(std::move(x));
    }
    m->arbeit.notify_one();
}

void Journaldatei::schliessen()
{
    Auftrag x;
    x.art = Auftrag::Art::Schliessen;
    {
        std::lock_guard lock(m->mutex);
        x.nummer = ++m->nummer;
        x.verloren_davor = m->verloren_offen;
        m->verloren_offen = 0;
        m->warteschlange.push_back(std::move(x));
    }
    m->arbeit.notify_one();
}

bool Journaldatei::anhaengen(std::string zeile, bool ereignis)
{
    {
        std::lock_guard lock(m->mutex);
        if (m->wartend >= m->opt.hoechstzahl) {
            ++m->stand.verloren;
            ++m->verloren_offen;
            return false;
        }
        Auftrag x;
        x.text = std::move(zeile);
        x.nummer = ++m->nummer;
        x.verloren_davor = m->verloren_offen;
        m->verloren_offen = 0;
        if (ereignis)
            m->ereignis_nummer = x.nummer;
        ++m->wartend;
        m->warteschlange.push_back(std::move(x));
    }
    m->arbeit.notify_one();
    return true;
}

bool Journaldatei::warten()
{
    std::unique_lock lock(m->mutex);
    return m->fertig.wait_for(lock, m->opt.hoechstens,
                              [this] { return m->gestoert || m->erledigt >= m->ereignis_nummer; })
        && m->erledigt >= m->ereignis_nummer;
}

bool Journaldatei::alles_warten(std::chrono::milliseconds grenze)
{
    std::unique_lock lock(m->mutex);
    return m->fertig.wait_for(lock, grenze, [this] { return m->gestoert || m->erledigt >= m->nummer; })
        && m->erledigt >= m->nummer;
}

Journaldatei::Stand Journaldatei::stand() const
{
    std::lock_guard lock(m->mutex);
    return m->stand;
}

} // namespace kw::journal
