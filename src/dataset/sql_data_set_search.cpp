// A data set's search of a long list while its texts are read in the
// background: the part read so far is searched in memory and the rest in the
// database; a unique key is placed by row id without a key map.

#include "dataset/sql_data_set.h"

#include "dataset/sqlite_connection.h"

#include <QFileInfo>
#include <QSqlQuery>

#include <algorithm>

void TSqlDataSet::HoldSearchReadsAt(int rows)
{
    m_searchHold = rows;
    for (const SearchRead& read : m_searchReads)
        read.reader->HoldAt(rows);
}

bool TSqlDataSet::SearchReadRunning(const QString& fieldName) const
{
    const TField* field = FindField(fieldName);
    return field && SearchReadOf(field->Index()) != m_searchReads.end();
}

std::vector<TSqlDataSet::SearchRead>::iterator TSqlDataSet::SearchReadOf(int fieldIndex) const
{
    return std::find_if(m_searchReads.begin(), m_searchReads.end(),
                        [&](const SearchRead& read) { return read.fieldIndex == fieldIndex; });
}

TRowIdTable TSqlDataSet::SearchTable(int fieldIndex) const
{
    return {QFileInfo(m_db.databaseName()).absoluteFilePath(), m_from, m_keyColumns.value(0),
            QuotedName(m_columns[size_t(fieldIndex)])};
}

void TSqlDataSet::DoPrepareSearch(int fieldIndex)
{
    // Other connections see the same rows only in a database file, and the
    // reads go by row id.
    if (!m_rowIdKey || m_count < m_backgroundSearchFrom || fieldIndex < 0 || size_t(fieldIndex) >= m_columns.size() ||
        m_blob[size_t(fieldIndex)] || !QFileInfo(m_db.databaseName()).isFile() ||
        SearchReadOf(fieldIndex) != m_searchReads.end())
        return;
    // Held from the start: a hold set after the thread starts could come after its first slice.
    m_searchReads.push_back(
        {fieldIndex, std::make_unique<TSearchIndexReader>(SearchTable(fieldIndex), fieldIndex, m_count, m_searchHold)});
}

bool TSqlDataSet::DoTakeSearchIndex(int fieldIndex, TSearchIndex& index)
{
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
    const auto read = SearchReadOf(fieldIndex);
    if (read == m_searchReads.end())
        return false;
    const TSearchIndexReader::Progress progress = read->reader->First(key, partial);
    if (!progress.error.isEmpty()) {
        m_searchReads.erase(read);  // the index is read on this thread instead
        return false;
    }
    found = progress.found;
    if (found >= 0)
        m_foundRow = {found, progress.foundRowId};
    if (found >= 0 || progress.done)
        return true;
    // The rows not read yet, straight from the database.
    std::optional<TRowMatch> match;
    if (!FirstMatchingRowId(m_db, SearchTable(fieldIndex), progress.lastRowId, key, partial, match, error) || !match)
        return true;
    const qint64 index = progress.read + match->rowsBefore;
    if (index >= m_count)
        return true;  // a row added since the count is not on show
    found = int(index);
    m_foundRow = {found, match->rowId};
    return true;
}

bool TSqlDataSet::DoFindUnique(int fieldIndex, const QVariant& key, int& index) const
{
    // The row ids in order say where a row is: all of them, the part a
    // background read has reached, or a count of the rows after that part.
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
