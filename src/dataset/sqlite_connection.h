#pragma once
// An open SQLite database file under a connection name of its own, closed
// and removed when the object goes. Data sets over it must go first.
// Any thread: the connection is used, and removed, on the thread that made
// it (the data sets' on the GUI thread, background reads' on their own).
// The first connection made sets SQLite up for connections on several
// threads (no process-wide count of memory in use), so it is made before
// any other thread uses SQLite.

#include <QSqlDatabase>
#include <QString>

#include <cstdint>
#include <optional>
#include <tuple>
#include <vector>

struct sqlite3;

class SqliteConnection {
public:
    enum class Mode : std::uint8_t { ReadWrite, ReadOnly };
    /// Opens (creating when missing) the file, with foreign keys enforced.
    /// A file that cannot be written (or Mode::ReadOnly) is opened read-only,
    /// and its data sets are not editable. A lock held by another connection
    /// is waited for kBusyTimeoutMs, then reported ("database is locked").
    explicit SqliteConnection(const QString& path, Mode mode = Mode::ReadWrite);
    static constexpr int kBusyTimeoutMs = 500;
    bool IsReadOnly() const { return m_readOnly; }
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    bool IsOpen() const { return m_db.isOpen(); }
    /// Why the file could not be opened or the last Exec failed.
    QString Error() const { return m_error; }
    QSqlDatabase Database() const { return m_db; }
    /// Runs one statement; false with Error() set when the database refuses it.
    bool Exec(const QString& sql);

private:
    QString m_name;
    QSqlDatabase m_db;
    QString m_error;
    bool m_readOnly = false;
};

/// Any thread. `name` as an SQL identifier: in double quotes, inner quotes doubled.
QString QuotedName(const QString& name);

/// The thread using `db`. The SQLite connection under it (Qt's driver links
/// the same library), for what Qt SQL does not offer; null when it is none.
sqlite3* SqliteHandle(const QSqlDatabase& db);

/// The thread using `db`. SQLite's own answer whether the file the connection
/// opened has since been deleted, renamed or replaced at its path, so that a
/// write would not reach the file of that name; false when SQLite cannot tell
/// (not an SQLite connection, a database in memory).
bool DatabaseFileMoved(const QSqlDatabase& db);

/// The thread using `db`. It has a transaction of its own open, whose
/// changes no other connection sees (true when SQLite cannot tell).
bool InOwnTransaction(const QSqlDatabase& db);

/// What changes whenever a row or the schema of any of a connection's
/// databases changes, through it (committed or not) or through any other
/// connection (once it has read since).
struct TDatabaseVersion {
    qint64 ownChanges = 0;  // rows this connection wrote since it opened
    std::vector<std::tuple<QString, qint64, int>> schemas;  // name, data version (-1: none), schema version
    bool operator==(const TDatabaseVersion&) const = default;
};

/// The thread using `db`. Its version now; none when SQLite cannot say or
/// a transaction of its own is open.
std::optional<TDatabaseVersion> DatabaseVersion(const QSqlDatabase& db);
