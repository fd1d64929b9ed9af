#include "dataset/search_index_reader.h"

#include "dataset/sqlite_connection.h"

#include <QVariant>

#include <sqlite3.h>

#include <algorithm>

namespace {

/// A prepared statement, finalized when it goes.
class Statement {
public:
    Statement() = default;
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    int Prepare(sqlite3* db, const QString& sql)
    {
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
        const QByteArray text = sql.toUtf8();
        return sqlite3_prepare_v3(db, text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT, &m_statement,
                                  nullptr);
    }
    sqlite3_stmt* get() const { return m_statement; }

private:
    sqlite3_stmt* m_statement = nullptr;
};

/// Column `i` of the current row as the data set shows the value Qt SQL
/// reads (a null as an empty text); `other` holds a text made here.
QStringView ColumnText(sqlite3_stmt* query, int i, QString& other)
{
    switch (sqlite3_column_type(query, i)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        other = QVariant(qlonglong(sqlite3_column_int64(query, i))).toString();
        return other;
    case SQLITE_FLOAT:
        other = QVariant(sqlite3_column_double(query, i)).toString();
        return other;
    case SQLITE_BLOB: {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(query, i));
        other = QVariant(QByteArray(bytes, sqlite3_column_bytes(query, i))).toString();
        return other;
    }
    default: {
        const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(query, i));
        return {text, qsizetype(sqlite3_column_bytes16(query, i) / 2)};
    }
    }
}

/// Adds column `i` of the current row to `index` as the data set shows the
/// value Qt SQL reads (a null as an empty text); `other` holds a text made here.
void AddColumn(TSearchIndex& index, sqlite3_stmt* query, int i, QString& other)
{
    if (sqlite3_column_type(query, i) == SQLITE_TEXT) {
        // Most texts are ASCII: taken as SQLite holds them, with no conversion.
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(query, i));
        const auto size = size_t(sqlite3_column_bytes(query, i));
        if (std::all_of(bytes, bytes + size, [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
            index.AddAscii(bytes, size);
            return;
        }
    }
    index.Add(ColumnText(query, i, other));
}

}  // namespace

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
    SqliteConnection db(m_table.path, SqliteConnection::Mode::ReadOnly);
    sqlite3* const handle = SqliteHandle(db.Database());
    if (!db.IsOpen() || !handle) {
        Fail(db.Error());
        return;
    }
    // Short waits for a writer's lock, so that stopping never waits long.
    sqlite3_busy_timeout(handle, int(kBusyRetry.count()));
    const auto error = [&] { return QString::fromUtf8(sqlite3_errmsg(handle)); };
    // A writer's lock: wait shortly and try again, stopping at once when asked.
    const auto waitForWriter = [&](int code) {
        if ((code & 0xff) != SQLITE_BUSY) {
            Fail(error());
            return false;
        }
        std::unique_lock lock(m_mutex);
        m_released.wait_for(lock, stop, kBusyRetry, [] { return false; });
        return !stop.stop_requested();
    };
    // Read through SQLite itself: a row costs a fraction of a row read
    // through Qt SQL, and the texts come as UTF-16, ready for the index.
    // Declared after the connection: finalized before it closes.
    Statement first;
    Statement after;
    const QString select = QStringLiteral("SELECT %1, %2 FROM %3 ").arg(m_table.rowId, m_table.column, m_table.from);
    for (;;) {  // preparing reads the schema, which a writer may hold
        int code = first.Prepare(handle, select + QStringLiteral("ORDER BY %1 LIMIT ?").arg(m_table.rowId));
        if (code == SQLITE_OK)
            code = after.Prepare(handle, select + QStringLiteral("WHERE %1 > ? ORDER BY %1 LIMIT ?").arg(m_table.rowId));
        if (code == SQLITE_OK)
            break;
        if (!waitForWriter(code))
            return;
    }
    int read = 0;
    std::optional<qint64> last;
    QString other;  // a value that is not text, as the data set shows it
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
        sqlite3_stmt* const query = last ? after.get() : first.get();
        sqlite3_reset(query);
        if (last)
            sqlite3_bind_int64(query, 1, *last);
        sqlite3_bind_int(query, last ? 2 : 1, wanted);
        TSearchIndex slice(m_index.FieldIndex(), true);
        std::vector<qint64> rowIds;
        rowIds.reserve(size_t(wanted));
        std::optional<qint64> sliceLast = last;
        int code = SQLITE_ROW;
        while ((code = sqlite3_step(query)) == SQLITE_ROW) {
            sliceLast = sqlite3_column_int64(query, 0);
            rowIds.push_back(*sliceLast);
            AddColumn(slice, query, 1, other);
        }
        sqlite3_reset(query);
        if (code != SQLITE_DONE) {
            if (!waitForWriter(code))
                return;
            continue;  // the slice again, from its start
        }
        last = sliceLast;
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
