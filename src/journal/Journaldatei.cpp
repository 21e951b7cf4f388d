#include "journal/Journaldatei.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace kw::journal {

namespace {

// One write() for the whole line; a short write (full disk) is finished or undone.
bool zeile_schreiben(int fd, const std::string& zeile, long long& groesse)
{
    const char* p = zeile.data();
    std::size_t rest = zeile.size();
    while (rest > 0) {
        const ssize_t n = ::write(fd, p, rest);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        p += n;
        rest -= static_cast<std::size_t>(n);
    }
    if (rest == 0) {
        groesse += static_cast<long long>(zeile.size());
        return true;
    }
    // Cut the torn piece off again: the file keeps whole lines only.
    [[maybe_unused]] const int r = ::ftruncate(fd, groesse);
    return false;
}

} // namespace

Journaldatei::Journaldatei() : Journaldatei(Optionen{}) {}

Journaldatei::Journaldatei(Optionen optionen) : m_opt(optionen) {}

Journaldatei::~Journaldatei() { schliessen(); }

bool Journaldatei::oeffnen(const std::string& pfad, std::string& fehler)
{
    schliessen();
    const int fd = ::open(pfad.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) {
        fehler = pfad + ": " + std::strerror(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        fehler = pfad + ": keine Datei";
        ::close(fd);
        return false;
    }
    m_groesse = st.st_size;
    if (st.st_size > 0) {
        // A last line left without its line end is closed, so it stays one cut line.
        const int lesen = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
        char letztes = '\n';
        if (lesen >= 0) {
            if (::pread(lesen, &letztes, 1, st.st_size - 1) != 1)
                letztes = '\n';
            ::close(lesen);
        }
        if (letztes != '\n')
            zeile_schreiben(fd, "\n", m_groesse);
    }
    m_fd = fd;
    {
        std::lock_guard lock(m_mutex);
        m_stop = false;
        m_schreibfehler = false;
        m_nummer = m_ereignis_nummer = m_sicher = m_verloren = 0;
        m_warteschlange.clear();
    }
    m_thread = std::thread([this] { schreiber(); });
    return true;
}

bool Journaldatei::anhaengen(std::string zeile, bool ereignis)
{
    if (m_fd < 0)
        return false;
    {
        std::lock_guard lock(m_mutex);
        if (m_warteschlange.size() >= m_opt.hoechstzahl) {
            ++m_verloren;
            return false;
        }
        m_warteschlange.push_back(std::move(zeile));
        ++m_nummer;
        if (ereignis)
            m_ereignis_nummer = m_nummer;
    }
    m_arbeit.notify_one();
    return true;
}

bool Journaldatei::warten()
{
    if (m_fd < 0)
        return true;
    std::unique_lock lock(m_mutex);
    return m_fertig.wait_for(lock, m_opt.hoechstens, [this] { return m_sicher >= m_ereignis_nummer; });
}

bool Journaldatei::alles_warten(std::chrono::milliseconds grenze)
{
    if (m_fd < 0)
        return true;
    std::unique_lock lock(m_mutex);
    return m_fertig.wait_for(lock, grenze, [this] { return m_sicher >= m_nummer; });
}

void Journaldatei::schreiber()
{
    std::vector<std::string> stapel;
    for (;;) {
        std::uint64_t bis = 0;
        {
            std::unique_lock lock(m_mutex);
            m_arbeit.wait(lock, [this] { return m_stop || !m_warteschlange.empty(); });
            if (m_warteschlange.empty() && m_stop)
                return;
            stapel.assign(std::make_move_iterator(m_warteschlange.begin()),
                          std::make_move_iterator(m_warteschlange.end()));
            m_warteschlange.clear();
            bis = m_nummer;
        }
        std::uint64_t verloren = 0;
        for (const std::string& z : stapel)
            if (!zeile_schreiben(m_fd, z, m_groesse))
                ++verloren;
        bool fehler = verloren > 0;
        if (m_opt.synchronisieren && ::fdatasync(m_fd) != 0)
            fehler = true;
        stapel.clear();
        {
            std::lock_guard lock(m_mutex);
            m_sicher = bis;
            m_verloren += verloren;
            m_schreibfehler = fehler;
        }
        m_fertig.notify_all();
    }
}

void Journaldatei::schliessen()
{
    if (m_fd < 0)
        return;
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_arbeit.notify_one();
    if (m_thread.joinable())
        m_thread.join();
    ::close(m_fd);
    m_fd = -1;
}

std::uint64_t Journaldatei::verloren() const
{
    std::lock_guard lock(m_mutex);
    return m_verloren;
}

bool Journaldatei::schreibfehler() const
{
    std::lock_guard lock(m_mutex);
    return m_schreibfehler;
}

} // namespace kw::journal
