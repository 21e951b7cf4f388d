#pragma once
// A disk for the journal's writer that can hang in its syncs or fail its writes
// and syncs, over the real system calls. Shared with the writer's table, so a
// writer left hanging keeps it alive.

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "journal/Journaldatei.h"

namespace kw::test {

struct Platte : std::enable_shared_from_this<Platte> {
    std::atomic<bool> sync_halten{false};   // fsync and fdatasync wait for freigeben()
    std::atomic<int> fehler_schreiben{0};   // errno of every write (0: they work)
    std::atomic<bool> halb_schreiben{false};// a failing write first puts out half its bytes
    std::atomic<int> fehler_sync{0};        // errno of every fdatasync
    std::atomic<int> sync_ms{0};            // each sync takes so long (a slow disk)

    // Holds the calling writer; a hold that is never released ends after 20 s by itself.
    void halten()
    {
        std::unique_lock l(m);
        ++m_gehalten;
        if (!cv.wait_for(l, std::chrono::seconds(20), [this] { return !sync_halten; })) {
            m_von_selbst = true;
            sync_halten = false;
        }
    }
    void freigeben()
    {
        {
            std::lock_guard l(m);
            sync_halten = false;
        }
        cv.notify_all();
    }
    bool haelt() const { return sync_halten; }
    int gehalten()
    {
        std::lock_guard l(m);
        return m_gehalten;
    }
    bool von_selbst()
    {
        std::lock_guard l(m);
        return m_von_selbst;
    }

    journal::Journaldatei::Optionen optionen()
    {
        journal::Journaldatei::Optionen o;
        o.wiederholung = std::chrono::milliseconds(1);
        const auto echt = journal::Dateiaufrufe::echt();
        auto selbst = shared_from_this();
        auto langsam = [selbst] {
            if (selbst->sync_halten)
                selbst->halten();
            if (const int ms = selbst->sync_ms)
                std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        };
        o.sys.sync = [echt, langsam](int fd) {
            langsam();
            return echt.sync(fd);
        };
        o.sys.datensync = [echt, langsam, selbst](int fd) {
            langsam();
            if (const int f = selbst->fehler_sync) {
                errno = f;
                return -1;
            }
            return echt.datensync(fd);
        };
        o.sys.schreiben = [echt, selbst](int fd, const void* d, std::size_t n) -> ssize_t {
            if (const int f = selbst->fehler_schreiben) {
                if (selbst->halb_schreiben && n > 1) {
                    selbst->halb_schreiben = false;
                    return echt.schreiben(fd, d, n / 2);
                }
                errno = f;
                return -1;
            }
            return echt.schreiben(fd, d, n);
        };
        return o;
    }

private:
    std::mutex m;
    std::condition_variable cv;
    int m_gehalten = 0;
    bool m_von_selbst = false;
};

// Waits (a thread's work, not the fake clock) until `bed` holds, at most 10 s.
template <class F> bool Bis(F bed)
{
    const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!bed()) {
        if (std::chrono::steady_clock::now() > ende)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace kw::test
