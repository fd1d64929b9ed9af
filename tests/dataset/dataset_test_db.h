#pragma once
// A fresh SQLite file per test, in a temporary folder, with a small table.

#include "dataset/sqlite_connection.h"
#include "dataset/sql_data_set.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

struct TestDatabase {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("test.db"));
    std::unique_ptr<SqliteConnection> db = std::make_unique<SqliteConnection>(path);

    /// Every row of a query, through a second connection, one text per row ("a|b").
    static QStringList RowsOf(const QString& path, const QString& sql)
    {
        SqliteConnection other(path);
        QSqlQuery q(other.Database());
        QStringList rows;
        if (!q.exec(sql))
            return {QStringLiteral("error: ") + sql};
        while (q.next()) {
            QStringList cells;
            for (int i = 0; i < q.record().count(); ++i)
                cells << (q.value(i).isNull() ? QStringLiteral("null") : q.value(i).toString());
            rows << cells.join(u'|');
        }
        return rows;
    }
    QStringList Rows(const QString& sql) const { return RowsOf(path, sql); }

    /// Table "lasers": id, name (required, 20), active, power, note; `rows` rows named "L1".."Ln".
    void MakeLasers(int rows)
    {
        db->Exec(QStringLiteral("CREATE TABLE lasers (id INTEGER PRIMARY KEY, name VARCHAR(20) NOT NULL UNIQUE, "
                                "active BOOLEAN, power REAL, note TEXT)"));
        db->Exec(QStringLiteral("BEGIN"));
        for (int i = 1; i <= rows; ++i)
            db->Exec(QStringLiteral("INSERT INTO lasers (name, active, power) VALUES ('L%1', %2, %3)")
                         .arg(i)
                         .arg(i % 2)
                         .arg(i * 1.5));
        db->Exec(QStringLiteral("COMMIT"));
    }

    std::unique_ptr<TSqlDataSet> Table(const QString& name)
    {
        auto set = std::make_unique<TSqlDataSet>(db->Database());
        set->SetTableName(name);
        return set;
    }

    /// "lasers" with `rows` rows, opened (null when it fails to open).
    std::unique_ptr<TSqlDataSet> OpenLasers(int rows)
    {
        MakeLasers(rows);
        auto set = Table(QStringLiteral("lasers"));
        return set->Open() ? std::move(set) : nullptr;
    }
};
