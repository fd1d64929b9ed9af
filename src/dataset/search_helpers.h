#pragma once
// Threads that each keep a read-only connection of their own to one
// database file, opened when the helpers start and closed when they go,
// and take up the searches their owner posts: a search of a long list
// makes no thread or connection of its own.

#include "dataset/sqlite_connection.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class TSearchHelpers {
public:
    /// Run on a helper's thread through its connection, which may have
    /// failed to open (db.IsOpen(), db.Error()).
    using Job = std::function<void(const SqliteConnection& db)>;

    /// Owner's thread. Starts `count` helpers over the file at `path`.
    TSearchHelpers(QString path, int count);
    /// Owner's thread. Waits for the helpers to end the job they are on.
    ~TSearchHelpers();
    TSearchHelpers(const TSearchHelpers&) = delete;
    TSearchHelpers& operator=(const TSearchHelpers&) = delete;

    const QString& Path() const { return m_path; }
    /// Owner's thread. Every helper runs `job` once it is free, unless a
    /// later job is posted first; the owner does not wait for them. The job
    /// owns what it shares with the owner, and its work must be shared so
    /// that the owner can do it all: a busy machine may give no helper a
    /// core in time.
    void Post(Job job);

private:
    void Serve(const std::stop_token& stop);

    const QString m_path;
    std::mutex m_mutex;
    std::condition_variable_any m_posted;
    // Guarded by m_mutex:
    Job m_job;
    unsigned m_round = 0;  // jobs posted so far

    std::vector<std::jthread> m_threads;  // last: start once the rest exists, stop first
};
