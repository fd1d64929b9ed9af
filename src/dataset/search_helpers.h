#pragma once
// Threads that each keep a read-only connection of their own to one
// database file, opened when the helpers start and closed when they go,
// and run the parts of one search at a time for the thread that owns them:
// a search of a long list makes no thread or connection of its own.

#include "dataset/sqlite_connection.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class TSearchHelpers {
public:
    /// Helper `helper` (0 .. Count() - 1) runs its part through `db`, which
    /// may have failed to open (db.IsOpen(), db.Error()).
    using Job = std::function<void(int helper, const SqliteConnection& db)>;

    /// Owner's thread. Starts `count` helpers over the file at `path`.
    TSearchHelpers(QString path, int count);
    /// Owner's thread; never while Run runs.
    ~TSearchHelpers();
    TSearchHelpers(const TSearchHelpers&) = delete;
    TSearchHelpers& operator=(const TSearchHelpers&) = delete;

    const QString& Path() const { return m_path; }
    int Count() const { return int(m_threads.size()); }
    /// Owner's thread. Runs `meanwhile` on the caller and `job` on every
    /// helper that is free to take it before `meanwhile` ends; returns once
    /// those have ended. The job's work must be shared so that the caller
    /// can do it all: a busy machine may give no helper a core meanwhile.
    void Run(const Job& job, const std::function<void()>& meanwhile);

private:
    void Serve(const std::stop_token& stop, int helper);

    const QString m_path;
    std::mutex m_mutex;
    std::condition_variable_any m_posted;  // a job is posted
    std::condition_variable m_ended;       // a helper ended its part
    // Guarded by m_mutex:
    const Job* m_job = nullptr;  // the job helpers may still take
    unsigned m_round = 0;        // jobs posted so far
    int m_running = 0;           // helpers on a job
    std::vector<std::jthread> m_threads;  // last: start once the rest exists, stop first
};
