#include "dataset/search_helpers.h"

TSearchHelpers::TSearchHelpers(QString path, int count) : m_path(std::move(path))
{
    m_threads.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        m_threads.emplace_back([this](const std::stop_token& stop) { Serve(stop); });
}

TSearchHelpers::~TSearchHelpers()
{
    for (std::jthread& thread : m_threads)
        thread.request_stop();
    m_threads.clear();  // joins
}

void TSearchHelpers::Post(Job job)
{
    {
        const std::scoped_lock lock(m_mutex);
        m_job = std::move(job);
        ++m_round;
    }
    m_posted.notify_all();
}

void TSearchHelpers::Serve(const std::stop_token& stop)
{
    const SqliteConnection db(m_path, SqliteConnection::Mode::ReadOnly);
    unsigned seen = 0;
    for (;;) {
        Job job;
        {
            std::unique_lock lock(m_mutex);
            if (!m_posted.wait(lock, stop, [&] { return m_round != seen; }))
                return;  // stopped
            seen = m_round;
            job = m_job;  // a copy: the owner may post the next meanwhile
        }
        job(db);
    }
}
