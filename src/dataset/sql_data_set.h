#pragma once
// A data set over a table, a view or a query of an SQLite database (Qt SQL).
// A table's records are its rows in row-id order, found again by a row-id
// name none of its columns shadows (_rowid_, rowid or oid); a WITHOUT ROWID
// table (or one whose columns take all three names) is in primary-key order
// and found by its key. Post writes only the edited columns of that row with
// a prepared statement inside a transaction, Delete deletes it; both first
// check that the row still holds the values read, and refuse otherwise
// ("Record not found or changed by another user"). Views and queries are
// read by offset and are read-only, as are the tables of a database opened
// read-only.
// Generated columns are read-only fields. Where a column has no affinity (no
// declared type, or ANY in a STRICT table), a number edited as text stays
// the kind of number it was. A full-text table over another table's content
// (or none) is read-only: its index follows writes only through that table.
// A virtual table's write is read back before it is committed, and refused
// when the table did not keep what was written. Before each write the file
// is checked to be the one opened (not deleted or replaced since).
// Records are read in pages of PageSize rows (a few pages kept), never the
// whole table at once; a BLOB is read only when its value is asked for.
// A read that fails (a locked database, an I/O error) is reported and keeps
// nothing, so the next access reads again. A table of a database file with
// at least BackgroundSearchFrom() rows reads a string field's search index
// on a thread of its own when asked (PrepareSearch; see TSearchIndexReader),
// unless other connections would not see the rows this one does (a TEMP
// table, changes of its own not committed yet). A table's refresh that finds
// no row written and no schema changed since the last count (by any
// connection, none of its own transactions open) keeps the key maps, search
// indexes and background reads.
// GUI thread.

#include "dataset/data_set.h"
#include "dataset/search_helpers.h"
#include "dataset/search_index_reader.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <functional>
#include <list>
#include <optional>

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

    /// Tables of this many rows or more read search indexes in the
    /// background; shorter ones (read in a few milliseconds) on the first search.
    static constexpr int kBackgroundSearchFrom = 50000;
    int BackgroundSearchFrom() const { return m_backgroundSearchFrom; }
    void SetBackgroundSearchFrom(int rows) { m_backgroundSearchFrom = rows; }
    /// Tests: background reads stop after `rows` rows until released (-1).
    void HoldSearchReadsAt(int rows);
    /// A background read of the field's search index is under way.
    bool SearchReadRunning(const QString& fieldName) const;
    /// Tests: rows the field's background read has read so far (-1: none runs).
    int SearchReadRows(const QString& fieldName) const;
    /// Tests: rows that background reads had read when they were dropped.
    int DroppedSearchReadRows() const { return m_droppedSearchReadRows; }

    static constexpr int kPageSize = 128;
    /// Pages read from the database since opening (for tests and benchmarks).
    int PageReads() const { return m_pageReads; }

protected:
    bool DoOpen(std::vector<TFieldDef>& defs, QString& error) override;
    void DoClose() override;
    int DoRecordCount() const override { return m_count; }
    bool DoFetch(int index, std::vector<QVariant>& row, QString& error) const override;
    bool DoColumn(int fieldIndex, std::vector<QVariant>& values, QString& error) const override;
    QVariant DoRecordKey(int index) const override;
    QVariant DoReadBlob(const QVariant& key, int fieldIndex) const override;
    bool DoPost(bool inserting, int& index, const TReadRecord& read, const std::vector<QVariant>& values,
                const std::vector<bool>& changed, QString& error) override;
    bool DoDelete(int index, const TReadRecord& read, QString& error) override;
    bool DoRefresh(int keep, QString& error, bool& unchanged) override;
    bool DoCanModify() const override;
    void DoPrepareSearch(int fieldIndex) override;
    bool DoTakeSearchIndex(int fieldIndex, TSearchIndex& index) override;
    bool DoSearchWhileReading(int fieldIndex, QStringView key, bool partial, int& found, QString& error) override;
    void DoDropSearchReads() const override;
    bool DoUniqueField(int fieldIndex) const override { return fieldIndex >= 0 && fieldIndex == m_uniqueColumn; }
    bool DoFindUnique(int fieldIndex, const QVariant& key, int& index) const override;

private:
    struct SearchRead {
        int fieldIndex = -1;
        TRowIdTable table;
        std::unique_ptr<TSearchIndexReader> reader;
        struct Searched {
            QString key;
            bool partial = false;
            std::optional<std::pair<int, qint64>> found;  // its first match's record and row id
        };
        std::optional<Searched> searched;  // the last key searched while the read runs
    };
    /// The table as another connection reads it; none when no other
    /// connection sees the rows this one does.
    std::optional<TRowIdTable> SharedSearchTable(int fieldIndex) const;
    /// Stops the background reads when this connection's changes are pending.
    void DropSearchReadsOthersCannotSee() const;
    std::vector<SearchRead>::iterator SearchReadOf(int fieldIndex) const;
    /// The first row id of page `number` when a search found a row on it.
    std::optional<qint64> HintedPageStart(int number) const;
    /// The first row id when every row id after it up to the last is used.
    std::optional<qint64> DenseFrom() const;

    struct Page {
        int number = 0;
        std::vector<QVariantList> keys;  // each row's key (empty lists without a key)
        std::vector<std::vector<QVariant>> rows;
    };

    bool ReadColumns(std::vector<TFieldDef>& defs, QString& error);
    bool PrepareReads(QString& error);
    const Page* PageOf(int index, QString& error) const;
    bool ReadPage(Page& page, QString& error) const;
    const Page* CachedPage(int number) const;
    bool Recount(QString& error);
    void DropPages() const;
    QString PageColumnList() const;
    /// "k1 = ? AND ..." for the key, then binds its values.
    QString KeyCondition(const QVariantList& key, std::vector<QVariant>& binds) const;
    /// The key condition and every column's value as read.
    QString RowCondition(const TReadRecord& read, std::vector<QVariant>& binds) const;
    /// Index of the record with this key in key order.
    bool IndexOfKey(const QVariantList& key, int& index) const;
    static QString ReadError(const QSqlQuery& query);
    enum class RowRule : std::uint8_t { Any, MustExist };
    /// Checks a write before it is committed, given the written row's key; false with the reason.
    using WriteCheck = std::function<bool(const QVariantList& key, QString& error)>;
    /// Runs a write; the RETURNING row (or the new row id) lands in `returned`.
    bool RunInTransaction(QSqlQuery& query, QString& error, RowRule rule, QVariantList* returned = nullptr,
                          const WriteCheck& check = {});
    /// Whether the row with this key holds the values written to these columns.
    bool KeptAsWritten(const QVariantList& key, const std::vector<size_t>& columns,
                       const std::vector<QVariant>& written, QString& error) const;

    QSqlDatabase m_db;
    QString m_table;
    QString m_sql;
    QString m_from;  // the quoted table or view, or the query in parentheses
    std::vector<QString> m_columns;
    std::vector<bool> m_blob;   // columns read only on demand
    QStringList m_keyColumns;   // in order, ready for SQL; empty: read by offset, read-only
    bool m_rowIdKey = false;    // the key is the row id
    int m_uniqueColumn = -1;    // a one-column integer primary key
    bool m_returnsKeys = true;  // writes can say which key they reached (not a virtual table)
    bool m_contentElsewhere = false;  // a full-text index over another table's content: read-only
    std::vector<bool> m_noAffinity;   // columns that store a value as it is bound
    int m_count = 0;
    // The connection's version when the records were last counted: a
    // table's refresh that finds it again keeps what was read from them.
    std::optional<TDatabaseVersion> m_countedAt;
    mutable std::list<Page> m_pages;  // most recently used first
    // Every record's row id, in order: known once a key map read the table,
    // it lets any page be read from its first row id instead of by OFFSET.
    mutable std::vector<qint64> m_rowIds;
    mutable int m_pageReads = 0;
    mutable QSqlQuery m_offsetQuery;
    mutable QSqlQuery m_afterQuery;
    mutable QSqlQuery m_beforeQuery;
    mutable QSqlQuery m_lastQuery;
    int m_backgroundSearchFrom = kBackgroundSearchFrom;
    int m_searchHold = -1;
    mutable std::vector<SearchRead> m_searchReads;  // stopped and joined when dropped
    // Search the rows the reads have not reached with this thread; kept from
    // the first read until the data set closes, so that the first key after
    // a change finds them ready.
    std::unique_ptr<TSearchHelpers> m_searchHelpers;
    mutable int m_droppedSearchReadRows = 0;
    mutable std::optional<std::pair<int, qint64>> m_foundRow;  // record and row id a search found
    mutable std::optional<qint64> m_denseFrom;  // the first row id when none is missing after it; max when some are
};
