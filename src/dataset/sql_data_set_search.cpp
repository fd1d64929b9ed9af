// A data set's search of a long list while its texts are read in the
// background: the part read so far is searched in memory and the rest in the
// database; a unique key is placed by row id without a key map.

#include "dataset/sql_data_set.h"

#include "dataset/sqlite_connection.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <limits>
#include <utility>

namespace {

/// The schema an unqualified table name means on this connection (TEMP,
/// then main, then the attached ones in order) and the file it is in
/// (empty for a database in memory); empty when none holds it. With no
/// database attached, a name that TEMP does not hold is main's without
/// reading main's schema, which another connection's lock may hold.
std::pair<QString, QString> SchemaOfTable(const QSqlDatabase& db, const QString& table)
{
    QSqlQuery list(db);
    list.setForwardOnly(true);
    if (!list.exec(QStringLiteral("PRAGMA database_list")))
        return {};
    std::vector<std::tuple<int, QString, QString>> schemas;  // search order, name, file
    while (list.next()) {
        const int seq = list.value(0).toInt();
        schemas.emplace_back(seq == 1 ? -1 : seq, list.value(1).toString(), list.value(2).toString());
    }
    list.finish();
    std::sort(schemas.begin(), schemas.end());
    const bool attached = std::any_of(schemas.begin(), schemas.end(), [](const auto& s) { return std::get<0>(s) > 1; });
    for (const auto& [order, schema, file] : schemas) {
        if (order == 0 && !attached)
            return {schema, file};
        QSqlQuery holds(db);
        holds.setForwardOnly(true);
        // Table names match without regard to ASCII case, as SQLite's do.
        holds.prepare(QStringLiteral("SELECT 1 FROM %1.sqlite_master WHERE type IN ('table', 'view') AND "
                                     "name = ? COLLATE NOCASE")
                          .arg(QuotedName(schema)));
        holds.addBindValue(table);
        if (!holds.exec())
            return {};
        if (holds.next())
            return {schema, file};
    }
    return {};
}

}  // namespace

void TSqlDataSet::HoldSearchReadsAt(int rows)
{
    m_searchHold = rows;
    for (const SearchRead& read : m_searchReads)
        read.reader->HoldAt(rows);
}

void TSqlDataSet::DoDropSearchReads() const
{
    for (const SearchRead& read : m_searchReads) {
        read.reader->Stop();
        m_droppedSearchReadRows += read.reader->RowsRead();
    }
    m_searchReads.clear();
}

bool TSqlDataSet::SearchReadRunning(const QString& fieldName) const
{
    const TField* field = FindField(fieldName);
    return field && SearchReadOf(field->Index()) != m_searchReads.end();
}

int TSqlDataSet::SearchReadRows(const QString& fieldName) const
{
    const TField* field = FindField(fieldName);
    const auto read = field ? SearchReadOf(field->Index()) : m_searchReads.end();
    return read != m_searchReads.end() ? read->reader->RowsRead() : -1;
}

std::vector<TSqlDataSet::SearchRead>::iterator TSqlDataSet::SearchReadOf(int fieldIndex) const
{
    return std::find_if(m_searchReads.begin(), m_searchReads.end(),
                        [&](const SearchRead& read) { return read.fieldIndex == fieldIndex; });
}

std::optional<TRowIdTable> TSqlDataSet::SharedSearchTable(int fieldIndex) const
{
    // The table of the main database's file, named with its schema, and no
    // change of this connection's pending: a TEMP table, a database in
    // memory or rows not committed are this connection's alone.
    const auto [schema, file] = SchemaOfTable(m_db, m_table);
    if (schema != QLatin1String("main") || file.isEmpty() || !QFileInfo(file).isFile() || InOwnTransaction(m_db))
        return std::nullopt;
    return TRowIdTable{QFileInfo(file).absoluteFilePath(), QuotedName(schema) + u'.' + m_from, m_keyColumns.value(0),
                       QuotedName(m_columns[size_t(fieldIndex)])};
}

void TSqlDataSet::DropSearchReadsOthersCannotSee() const
{
    if (!m_searchReads.empty() && InOwnTransaction(m_db))
        DoDropSearchReads();
}

void TSqlDataSet::DoPrepareSearch(int fieldIndex)
{
    // The reads go by row id, through connections of their own.
    if (!m_rowIdKey || m_count < m_backgroundSearchFrom || fieldIndex < 0 || size_t(fieldIndex) >= m_columns.size() ||
        m_blob[size_t(fieldIndex)] || SearchReadOf(fieldIndex) != m_searchReads.end())
        return;
    const std::optional<TRowIdTable> table = SharedSearchTable(fieldIndex);
    if (!table)
        return;  // searched here, through this connection
    if (!m_searchHelpers || m_searchHelpers->Path() != table->path)
        m_searchHelpers = std::make_unique<TSearchHelpers>(table->path, kRangeScanHelpers);
    // Held from the start: a hold set after the thread starts could come after its first slice.
    m_searchReads.push_back(
        {fieldIndex, *table, std::make_unique<TSearchIndexReader>(*table, fieldIndex, m_count, m_searchHold), {}});
}

bool TSqlDataSet::DoTakeSearchIndex(int fieldIndex, TSearchIndex& index)
{
    DropSearchReadsOthersCannotSee();
    const auto read = SearchReadOf(fieldIndex);
    std::vector<qint64> rowIds;
    if (read == m_searchReads.end() || !read->reader->Take(index, rowIds))
        return false;
    m_searchReads.erase(read);
    if (int(rowIds.size()) == m_count)
        m_rowIds = std::move(rowIds);  // pages are read from them, as after a key map
    return true;
}

bool TSqlDataSet::DoSearchWhileReading(int fieldIndex, QStringView key, bool partial, int& found, QString& error)
{
    DropSearchReadsOthersCannotSee();
    const auto read = SearchReadOf(fieldIndex);
    if (read == m_searchReads.end())
        return false;
    const TSearchIndexReader::Progress progress = read->reader->First(key, partial);
    if (!progress.error.isEmpty()) {
        m_searchReads.erase(read);  // the index is read on this thread instead
        return false;
    }
    // A key that extends the one searched before (as typing does) matches
    // no row before that key's first match: nothing when it had none, and
    // in the database from that row on when it lay beyond the rows read.
    // The records have not changed since: any change drops the read.
    const std::optional<SearchRead::Searched> before = std::exchange(read->searched, std::nullopt);
    const bool extends = before && before->partial && partial && MatchesKey(key, before->key, true, true);
    found = progress.found;
    if (found < 0 && extends && !before->found) {
        read->searched = SearchRead::Searched{key.toString(), partial, std::nullopt};
        return true;
    }
    if (found < 0 && !progress.done) {
        // The rows not read yet, straight from the database.
        std::optional<qint64> after = progress.lastRowId;
        qint64 start = progress.read;  // the record after `after`
        if (extends && before->found && (!after || before->found->second > *after) &&
            before->found->second > std::numeric_limits<qint64>::min()) {
            after = before->found->second - 1;
            start = before->found->first;
        }
        std::optional<TRowMatch> match;
        if (!FirstMatchingRowId(m_db, m_searchHelpers.get(), read->table, after, key, partial, match, error))
            return true;
        if (match && start + match->rowsBefore < m_count)  // a row added since the count is not on show
            found = int(start + match->rowsBefore);
        if (found >= 0)
            m_foundRow = {found, match->rowId};
    } else if (found >= 0) {
        m_foundRow = {found, progress.foundRowId};
    }
    read->searched = SearchRead::Searched{key.toString(), partial,
                                          found >= 0 ? std::optional(*m_foundRow) : std::nullopt};
    return true;
}

bool TSqlDataSet::DoFindUnique(int fieldIndex, const QVariant& key, int& index) const
{
    // The row ids in order say where a row is: all of them, the part a
    // background read has reached, or a count of the rows after that part.
    DropSearchReadsOthersCannotSee();
    const bool allRowIds = int(m_rowIds.size()) == m_count;
    if (!m_rowIdKey || fieldIndex != m_uniqueColumn || (!allRowIds && m_searchReads.empty()))
        return false;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1, %2 FROM %3 WHERE %2 = ?")
                      .arg(m_keyColumns[0], QuotedName(m_columns[size_t(fieldIndex)]), m_from));
    query.addBindValue(key);
    if (!query.exec())
        return false;
    index = -1;
    if (!query.next() || !SameKeyValue(query.value(1), key))
        return true;  // compared as text, as the key map compares
    const qint64 rowId = query.value(0).toLongLong();
    query.finish();
    if (allRowIds) {
        const auto it = std::lower_bound(m_rowIds.begin(), m_rowIds.end(), rowId);
        index = it != m_rowIds.end() && *it == rowId ? int(it - m_rowIds.begin()) : -1;
        return true;
    }
    // Where the read had got in the same look as the row id: taken apart,
    // the read could pass the row in between and the count below miss it.
    TSearchIndexReader::Progress progress;
    if (m_searchReads.front().reader->IndexOfRowId(rowId, index, progress))
        return true;
    if (const std::optional<qint64> first = DenseFrom()) {
        index = rowId - *first < m_count ? int(rowId - *first) : -1;
        return true;
    }
    QSqlQuery count(m_db);
    const QString after = progress.lastRowId ? QStringLiteral("%1 > ? AND ").arg(m_keyColumns[0]) : QString();
    count.prepare(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2%3 < ?").arg(m_from, after, m_keyColumns[0]));
    if (progress.lastRowId)
        count.addBindValue(*progress.lastRowId);
    count.addBindValue(rowId);
    if (!count.exec() || !count.next())
        return false;
    const qint64 found = progress.read + count.value(0).toLongLong();
    index = found < m_count ? int(found) : -1;
    return true;
}
