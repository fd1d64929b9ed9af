#include "dataset/search_helpers.h"

TSearchHelpers::TSearchHelpers(QString path, int count) : m_path(std::move(path))
{
    m_threads.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        m_threads.emplace_back([this, i](const std::stop_token& stop) { Serve(stop, i); });
}

TSearchHelpers::~TSearchHelpers()
{
    for (std::jthread& thread : m_threads)
        thread.request_stop();
    m_threads.clear();  // joins
}

void TSearchHelpers::Run(const Job& job, const std::function<void()>& meanwhile)
{
    {
        const std::scoped_lock lock(m_mutex);
        m_job = &job;
        ++m_round;
    }
    m_posted.notify_all();
    meanwhile();
    // Helpers that have not taken the job yet never will; those on it end first.
    std::unique_lock lock(m_mutex);
    m_job = nullptr;
    m_ended.wait(lock, [this] { return m_running == 0; });
}

void TSearchHelpers::Serve(const std::stop_token& stop, int helper)
{
    const SqliteConnection db(m_path, SqliteConnection::Mode::ReadOnly);
    unsigned seen = 0;
    for (;;) {
        const Job* job = nullptr;
        {
            std::unique_lock lock(m_mutex);
            if (!m_posted.wait(lock, stop, [&] { return m_round != seen; }))
                return;  // stopped
            seen = m_round;
            job = m_job;
            if (!job)
                continue;  // came too late: the caller did its share
            ++m_running;
        }
        (*job)(helper, db);
        const std::scoped_lock lock(m_mutex);
        if (--m_running == 0)
            m_ended.notify_all();
    }
}
