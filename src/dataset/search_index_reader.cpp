#include "dataset/search_index_reader.h"

#include "dataset/sqlite_connection.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

TSearchIndexReader::TSearchIndexReader(TRowIdTable table, int fieldIndex, int count, int holdAt)
    : m_table(std::move(table)), m_count(count), m_index(fieldIndex, true), m_holdAt(holdAt),
      m_thread([this](const std::stop_token& stop) { Run(stop); })
{
}

TSearchIndexReader::~TSearchIndexReader()
{
    Stop();
}

void TSearchIndexReader::Stop()
{
    m_thread.request_stop();  // wakes a held read too
    if (m_thread.joinable())
        m_thread.join();
}

int TSearchIndexReader::RowsRead() const
{
    const std::scoped_lock lock(m_mutex);
    return m_index.Count();
}

TSearchIndexReader::Progress TSearchIndexReader::First(QStringView key, bool partial) const
{
    const std::scoped_lock lock(m_mutex);
    const int found = m_index.First(key, partial);
    return {found, found >= 0 ? m_rowIds[size_t(found)] : 0, m_index.Count(), m_lastRowId, m_done, m_error};
}

bool TSearchIndexReader::Take(TSearchIndex& index, std::vector<qint64>& rowIds)
{
    const std::scoped_lock lock(m_mutex);
    if (!m_done)
        return false;
    index = std::move(m_index);
    rowIds = std::move(m_rowIds);
    return true;
}

bool TSearchIndexReader::IndexOfRowId(qint64 rowId, int& index, Progress& reached) const
{
    const std::scoped_lock lock(m_mutex);
    if (!m_lastRowId || rowId > *m_lastRowId) {
        reached = {-1, 0, m_index.Count(), m_lastRowId, m_done, m_error};
        return false;
    }
    const auto it = std::lower_bound(m_rowIds.begin(), m_rowIds.end(), rowId);
    index = it != m_rowIds.end() && *it == rowId ? int(it - m_rowIds.begin()) : -1;
    return true;
}

void TSearchIndexReader::HoldAt(int rows)
{
    {
        const std::scoped_lock lock(m_mutex);
        m_holdAt = rows;
    }
    m_released.notify_all();
}

void TSearchIndexReader::Fail(const QString& error)
{
    const std::scoped_lock lock(m_mutex);
    m_error = error.isEmpty() ? QStringLiteral("The list could not be read") : error;
}

void TSearchIndexReader::Run(const std::stop_token& stop)
{
    FoldedGlobPattern(u"", true);  // makes its table here, not on the first key
    SqliteConnection db(m_table.path, SqliteConnection::Mode::ReadOnly);
    if (!db.IsOpen()) {
        Fail(db.Error());
        return;
    }
    // Short waits for a writer's lock, so that stopping never waits long.
    db.Exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(kBusyRetry.count()));
    // A writer's lock: wait shortly and try again, stopping at once when asked.
    const auto waitForWriter = [&](const QSqlQuery& failed) {
        if (failed.lastError().nativeErrorCode() != QLatin1String("5")) {  // SQLITE_BUSY
            Fail(failed.lastError().databaseText());
            return false;
        }
        std::unique_lock lock(m_mutex);
        m_released.wait_for(lock, stop, kBusyRetry, [] { return false; });
        return !stop.stop_requested();
    };
    QSqlQuery first(db.Database());
    QSqlQuery after(db.Database());
    first.setForwardOnly(true);
    after.setForwardOnly(true);
    const QString select = QStringLiteral("SELECT %1, %2 FROM %3 ").arg(m_table.rowId, m_table.column, m_table.from);
    for (;;) {  // preparing reads the schema, which a writer may hold
        if (first.prepare(select + QStringLiteral("ORDER BY %1 LIMIT ?").arg(m_table.rowId)) &&
            after.prepare(select + QStringLiteral("WHERE %1 > ? ORDER BY %1 LIMIT ?").arg(m_table.rowId)))
            break;
        if (!waitForWriter(first.lastError().isValid() ? first : after))
            return;
    }
    int read = 0;
    std::optional<qint64> last;
    while (read < m_count) {
        int holdAt = -1;
        {
            std::unique_lock lock(m_mutex);
            // The wait answers whether the read may go on, not whether it was stopped.
            m_released.wait(lock, stop, [&] { return m_holdAt < 0 || read < m_holdAt; });
            if (stop.stop_requested())
                return;
            holdAt = m_holdAt;
        }
        const int wanted = std::min({kSliceRows, m_count - read, holdAt < 0 ? kSliceRows : holdAt - read});
        QSqlQuery& query = last ? after : first;
        if (last)
            query.bindValue(0, *last);
        query.bindValue(last ? 1 : 0, wanted);
        if (!query.exec()) {
            if (!waitForWriter(query))
                return;
            continue;
        }
        TSearchIndex slice(m_index.FieldIndex(), true);
        std::vector<qint64> rowIds;
        rowIds.reserve(size_t(wanted));
        while (query.next()) {
            last = query.value(0).toLongLong();
            rowIds.push_back(*last);
            const QVariant v = query.value(1);
            slice.Add(v.isNull() ? QString() : v.toString());
        }
        const bool failed = query.lastError().isValid();
        if (failed) {
            Fail(query.lastError().databaseText());
            return;
        }
        query.finish();
        read += slice.Count();
        const std::scoped_lock lock(m_mutex);
        m_index.Append(slice);
        m_rowIds.insert(m_rowIds.end(), rowIds.begin(), rowIds.end());
        m_lastRowId = last;
        if (slice.Count() < wanted || read >= m_count) {
            m_done = true;  // a table shorter than counted ends early
            return;
        }
    }
    const std::scoped_lock lock(m_mutex);
    m_done = true;
}
