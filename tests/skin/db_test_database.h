#pragma once
// A fresh SQLite file per test in a temporary folder, a shows table to bind
// controls to, and a way to read back what reached the file.

#include "dataset/data_source.h"
#include "dataset/sql_data_set.h"
#include "dataset/sqlite_connection.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <memory>

struct DbFixture {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("shows.db"));
    std::unique_ptr<SqliteConnection> db = std::make_unique<SqliteConnection>(path);
    std::unique_ptr<TSqlDataSet> set;
    std::unique_ptr<TDataSource> source;

    /// Table "shows": id, title (20, required), speed REAL, looped BOOLEAN,
    /// mode TEXT, state VARCHAR(10), notes MEMO, picture BLOB.
    DbFixture()
    {
        db->Exec(QStringLiteral("CREATE TABLE shows (id INTEGER PRIMARY KEY, title VARCHAR(20) NOT NULL, "
                                "speed REAL, looped BOOLEAN, mode TEXT, state VARCHAR(10), notes MEMO, "
                                "picture BLOB)"));
        db->Exec(QStringLiteral("INSERT INTO shows (title, speed, looped, mode, state, notes) VALUES "
                                "('Opening', 1.5, 1, 'r', 'ON', 'first line'), "
                                "('Finale', 2.25, 0, 'Green', 'maybe', NULL), "
                                "('Encore', NULL, NULL, NULL, NULL, NULL)"));
        set = std::make_unique<TSqlDataSet>(db->Database());
        set->SetTableName(QStringLiteral("shows"));
        source = std::make_unique<TDataSource>(set.get());
    }
    ~DbFixture()
    {
        source.reset();
        set.reset();
    }

    /// `control` bound to `field` of the shows table.
    template <class Control>
    Control* Bind(Control* control, const QString& field) const
    {
        control->SetDataSource(source.get());
        control->SetDataField(field);
        return control;
    }

    /// Posts the edit, then `Stored(id, column)`; a refused post gives its error text instead.
    QVariant Posted(int id, const QString& column) const
    {
        return set->Post() ? Stored(id, column) : QVariant(QStringLiteral("post refused: ") + set->LastError());
    }

    /// A column of row `id` as stored in the file, read through a second connection.
    QVariant Stored(int id, const QString& column) const
    {
        SqliteConnection other(path);
        QSqlQuery q(other.Database());
        q.exec(QStringLiteral("SELECT %1 FROM shows WHERE id = %2").arg(column).arg(id));
        return q.next() ? q.value(0) : QVariant();
    }
};
