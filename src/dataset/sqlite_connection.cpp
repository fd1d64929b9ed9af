#include "dataset/sqlite_connection.h"

#include <QSqlError>
#include <QSqlQuery>

#include <atomic>

namespace {
QString NextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("zarn-sqlite-%1").arg(++counter);
}
}  // namespace

SqliteConnection::SqliteConnection(const QString& path) : m_name(NextConnectionName())
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    m_db.setDatabaseName(path);
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
