#include "dataset/sqlite_connection.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

#include <atomic>
#include <mutex>

namespace {
QString NextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("zarn-sqlite-%1").arg(++counter);
}

/// Taken around every change to Qt's process-wide list of connections:
/// background reads add and remove theirs on several threads at once, and
/// the lock Qt keeps the list under sets itself up on first contention in
/// a way the thread sanitizer cannot follow.
std::mutex& ConnectionListMutex()
{
    static std::mutex mutex;
    return mutex;
}
/// Before SQLite starts (at the first connection, before any other thread
/// uses it): no process-wide count of the memory in use, whose one lock
/// every allocation of every connection takes, so that searches on several
/// threads wait on each other. Once SQLite has started this changes nothing.
void LeaveOutMemoryCount()
{
    static std::once_flag once;
    std::call_once(once, [] { sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0); });
}
}  // namespace

SqliteConnection::SqliteConnection(const QString& path, Mode mode) : m_name(NextConnectionName())
{
    LeaveOutMemoryCount();
    const QFileInfo info(path);
    m_readOnly = mode == Mode::ReadOnly || (info.exists() && !info.isWritable());
    {
        const std::scoped_lock lock(ConnectionListMutex());
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    }
    m_db.setDatabaseName(path);
    // The GUI thread waits at most this long for another connection's lock.
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs);
    if (m_readOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    m_db.setConnectOptions(options);
    if (!m_db.open()) {
        m_error = m_db.lastError().text();
        return;
    }
    Exec(QStringLiteral("PRAGMA foreign_keys = ON"));
}

SqliteConnection::~SqliteConnection()
{
    m_db.close();
    m_db = QSqlDatabase();
    const std::scoped_lock lock(ConnectionListMutex());
    QSqlDatabase::removeDatabase(m_name);
}

bool SqliteConnection::Exec(const QString& sql)
{
    QSqlQuery query(m_db);
    if (query.exec(sql))
        return true;
    m_error = query.lastError().databaseText();
    return false;
}

QString QuotedName(const QString& name)
{
    QString q = name;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

sqlite3* SqliteHandle(const QSqlDatabase& db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

bool DatabaseFileMoved(const QSqlDatabase& db)
{
    sqlite3* connection = SqliteHandle(db);
    int moved = 0;
    if (!connection || sqlite3_file_control(connection, "main", SQLITE_FCNTL_HAS_MOVED, &moved) != SQLITE_OK)
        return false;
    return moved != 0;
}

bool InOwnTransaction(const QSqlDatabase& db)
{
    sqlite3* connection = SqliteHandle(db);
    return !connection || !sqlite3_get_autocommit(connection);
}

std::optional<TDatabaseVersion> DatabaseVersion(const QSqlDatabase& db)
{
    // In a transaction of its own: a rollback takes its writes back and
    // changes no counter.
    if (InOwnTransaction(db))
        return std::nullopt;
    sqlite3* connection = SqliteHandle(db);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("PRAGMA database_list")))
        return std::nullopt;
    TDatabaseVersion version;
    while (query.next())
        version.schemas.emplace_back(query.value(1).toString(), -1, 0);
    query.finish();
    for (auto& [schema, data, cookie] : version.schemas) {
        // Reading the schema's cookie first brings its data version up to
        // date with other connections' commits.
        if (!query.exec(QStringLiteral("PRAGMA %1.schema_version").arg(QuotedName(schema))) || !query.next())
            return std::nullopt;
        cookie = query.value(0).toInt();
        query.finish();
        unsigned counter = 0;
        if (sqlite3_file_control(connection, schema.toUtf8().constData(), SQLITE_FCNTL_DATA_VERSION, &counter) ==
            SQLITE_OK)
            data = counter;
    }
    version.ownChanges = sqlite3_total_changes64(connection);
    return version;
}
