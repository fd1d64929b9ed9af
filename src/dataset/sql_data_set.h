#pragma once
// A data set over a table or a query of an SQLite database (Qt SQL).
// A table's records are its rows in rowid order; Post writes the row with a
// prepared statement inside a transaction, Delete deletes it. A query's
// records are read-only, as are the tables of a database opened read-only.
// Records are read in pages of PageSize rows (a few pages kept), never the
// whole table at once; a BLOB is read only when its value is asked for.
// A read that fails (a locked database, an I/O error) is reported and keeps
// nothing, so the next access reads again. GUI thread.

#include "dataset/data_set.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <list>

/// The field type of an SQLite column's declared type (its affinity).
TFieldType TypeOfDeclared(const QString& declared, int& size);

class TSqlDataSet : public TDataSet {
public:
    explicit TSqlDataSet(QSqlDatabase db);
    ~TSqlDataSet() override;

    QString TableName() const { return m_table; }
    /// The data set shows this table (closed data sets only).
    void SetTableName(const QString& table);
    QString Sql() const { return m_sql; }
    /// The data set shows this query's rows, read-only (closed data sets only).
    void SetSql(const QString& select);

    static constexpr int kPageSize = 128;
    /// Pages read from the database since opening (for tests and benchmarks).
    int PageReads() const { return m_pageReads; }

protected:
    bool DoOpen(std::vector<TFieldDef>& defs, QString& error) override;
    void DoClose() override;
    int DoRecordCount() const override { return m_count; }
    bool DoFetch(int index, std::vector<QVariant>& row, QString& error) const override;
    bool DoColumn(int fieldIndex, std::vector<QVariant>& values, QString& error) const override;
    QVariant DoReadBlob(int index, int fieldIndex) const override;
    bool DoPost(bool inserting, int& index, const std::vector<QVariant>& values, const std::vector<bool>& changed,
                QString& error) override;
    bool DoDelete(int index, QString& error) override;
    bool DoRefresh(int keep, QString& error) override;
    bool DoCanModify() const override;

private:
    struct Page {
        int number = 0;
        std::vector<qint64> rowIds;
        std::vector<std::vector<QVariant>> rows;
    };

    const Page* PageOf(int index, QString& error) const;
    bool ReadPage(Page& page, QString& error) const;
    const Page* CachedPage(int number) const;
    qint64 RowIdAt(int index) const;
    bool Recount(QString& error);
    void DropPages() const;
    QString PageColumnList() const;
    static QString ReadError(const QSqlQuery& query);
    enum class RowRule : std::uint8_t { Any, MustExist };
    bool RunInTransaction(QSqlQuery& query, QString& error, RowRule rule);

    QSqlDatabase m_db;
    QString m_table;
    QString m_sql;
    std::vector<QString> m_columns;
    std::vector<bool> m_blob;  // columns read only on demand
    int m_count = 0;
    QVariant m_lastInsertId;
    mutable std::list<Page> m_pages;  // most recently used first
    // Every record's rowid, in order: known once a key map read the table,
    // it lets any page be read from its first rowid instead of by OFFSET.
    mutable std::vector<qint64> m_rowIds;
    mutable int m_pageReads = 0;
    mutable QSqlQuery m_offsetQuery;
    mutable QSqlQuery m_afterQuery;
    mutable QSqlQuery m_beforeQuery;
};
