#include "dataset/sql_data_set.h"

#include "dataset/sqlite_connection.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr size_t kPagesKept = 8;

}  // namespace

/// The field type a declared column type stands for, in the order SQLite
/// gives a column its affinity: "INT" is an integer, "CHAR", "CLOB" or
/// "TEXT" a string, "BLOB" a BLOB, "REAL", "FLOA" or "DOUB" a float.
/// BOOLEAN, MEMO and GRAPHIC/IMAGE are the names people give the other field types.
TFieldType TypeOfDeclared(const QString& declared, int& size)
{
    const QString t = declared.toUpper();
    size = 0;
    if (t.contains(QLatin1String("BOOL")))
        return TFieldType::ftBoolean;
    if (t.contains(QLatin1String("INT")))
        return TFieldType::ftInteger;
    if (t.contains(QLatin1String("MEMO")))
        return TFieldType::ftMemo;
    if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("CLOB")) || t.contains(QLatin1String("TEXT"))) {
        const int open = t.indexOf(u'(');
        const int close = t.indexOf(u')', open + 1);
        if (open >= 0 && close > open)
            size = std::max(0, t.mid(open + 1, close - open - 1).trimmed().toInt());
        return TFieldType::ftString;
    }
    if (t.contains(QLatin1String("BLOB")) || t.contains(QLatin1String("GRAPHIC")) || t.contains(QLatin1String("IMAGE")))
        return TFieldType::ftGraphic;
    if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) || t.contains(QLatin1String("DOUB")) ||
        t.contains(QLatin1String("NUMERIC")) || t.contains(QLatin1String("DECIMAL")))
        return TFieldType::ftFloat;
    return TFieldType::ftString;  // no declared type: shown as stored
}

namespace {

/// SQLite gives a column no affinity (it stores a value as bound) when its
/// declared type is empty or names a BLOB, or is ANY in a STRICT table.
bool HasNoAffinity(const QString& declared, bool strict)
{
    const QString t = declared.trimmed().toUpper();
    for (const char* text : {"INT", "CHAR", "CLOB", "TEXT"})
        if (t.contains(QLatin1String(text)))
            return false;
    if (t.isEmpty() || t.contains(QLatin1String("BLOB")))
        return true;
    return strict && t == QLatin1String("ANY");
}

/// A text typed over a number in a column without affinity, as a number of
/// the kind read when it is one: stored as text, it would no longer equal
/// the number in comparisons.
QVariant AsKindRead(const QVariant& read, const QVariant& typed)
{
    const QString text = typed.typeId() == QMetaType::QString ? typed.toString() : QString();
    if (text.isEmpty() || text != text.trimmed())
        return typed;
    bool ok = false;
    switch (read.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong: {
        const qint64 whole = text.toLongLong(&ok, 10);
        return ok ? QVariant(whole) : typed;
    }
    case QMetaType::Double: {
        const double real = text.toDouble(&ok);
        return ok && std::isfinite(real) ? QVariant(real) : typed;
    }
    default:
        return typed;
    }
}

/// A full-text table (FTS3, 4 or 5) with a content option keeps its text in
/// another table, or nowhere: a write through it changes only the index,
/// which then no longer matches the text.
bool FullTextOverOtherContent(const QString& createSql)
{
    const QRegularExpression declaration(QStringLiteral(R"(\bUSING\s+(fts[345])\s*\((.*)\))"),
                                         QRegularExpression::CaseInsensitiveOption |
                                             QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = declaration.match(createSql);
    if (!match.hasMatch())
        return false;
    // The module's arguments, split at commas outside quotes and brackets.
    QStringList arguments{QString()};
    QChar closing;
    int depth = 0;
    for (const QChar c : match.captured(2)) {
        if (!closing.isNull()) {
            if (c == closing)
                closing = QChar();
        } else if (c == u'\'' || c == u'"' || c == u'`') {
            closing = c;
        } else if (c == u'[') {
            closing = u']';
        } else if (c == u'(') {
            ++depth;
        } else if (c == u')') {
            --depth;
        } else if (c == u',' && depth == 0) {
            arguments << QString();
            continue;
        }
        arguments.back() += c;
    }
    const QRegularExpression content(QStringLiteral(R"(^\s*content\s*=)"), QRegularExpression::CaseInsensitiveOption);
    return std::any_of(arguments.begin(), arguments.end(),
                       [&](const QString& argument) { return content.match(argument).hasMatch(); });
}

/// Whether a value read back is the value written: the same text or bytes,
/// or the same number (a table may keep a number typed as text as a number).
bool SameStoredValue(const QVariant& written, const QVariant& stored)
{
    const bool writtenNull = !written.isValid() || written.isNull();
    const bool storedNull = !stored.isValid() || stored.isNull();
    if (writtenNull || storedNull)
        return writtenNull && storedNull;
    if (written.typeId() == stored.typeId() && !IsWholeNumber(written) && written.typeId() != QMetaType::Double)
        return written == stored;
    if (IsWholeNumber(written) && IsWholeNumber(stored))
        return written.toLongLong() == stored.toLongLong();
    const auto number = [](const QVariant& v, double& value) {
        bool ok = IsWholeNumber(v) || v.typeId() == QMetaType::Double;
        if (ok)
            value = v.toDouble();
        else if (v.typeId() == QMetaType::QString)
            value = v.toString().toDouble(&ok);
        return ok;
    };
    double a = 0;
    double b = 0;
    return number(written, a) && number(stored, b) && a == b;
}

TFieldType TypeOfMeta(int typeId)
{
    switch (typeId) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return TFieldType::ftInteger;
    case QMetaType::Double:
        return TFieldType::ftFloat;
    case QMetaType::Bool:
        return TFieldType::ftBoolean;
    case QMetaType::QByteArray:
        return TFieldType::ftGraphic;
    default:
        return TFieldType::ftString;
    }
}

}  // namespace

TSqlDataSet::TSqlDataSet(QSqlDatabase db) : m_db(std::move(db)) {}

TSqlDataSet::~TSqlDataSet()
{
    Close();
}

void TSqlDataSet::SetTableName(const QString& table)
{
    if (Active())
        return;
    m_table = table;
    m_sql.clear();
}

void TSqlDataSet::SetSql(const QString& select)
{
    if (Active())
        return;
    m_sql = select;
    m_table.clear();
}

bool TSqlDataSet::DoOpen(std::vector<TFieldDef>& defs, QString& error)
{
    m_columns.clear();
    m_blob.clear();
    m_noAffinity.clear();
    m_contentElsewhere = false;
    m_keyColumns.clear();
    m_rowIdKey = false;
    m_uniqueColumn = -1;
    if (!m_db.isOpen()) {
        error = QStringLiteral("The database is not open");
        return false;
    }
    if (!ReadColumns(defs, error) || !PrepareReads(error))
        return false;
    m_pageReads = 0;
    DropPages();
    m_count = 0;
    return Recount(error);
}

bool TSqlDataSet::ReadColumns(std::vector<TFieldDef>& defs, QString& error)
{
    QSqlQuery query(m_db);
    if (m_table.isEmpty()) {
        m_from = u'(' + m_sql + u')';
        if (!query.exec(QStringLiteral("SELECT * FROM %1 LIMIT 1").arg(m_from))) {
            error = query.lastError().databaseText();
            return false;
        }
        const QSqlRecord record = query.record();
        const bool hasRow = query.next();
        for (int i = 0; i < record.count(); ++i) {
            TFieldDef def;
            def.name = record.fieldName(i);
            const int typeId = hasRow && !query.value(i).isNull() ? query.value(i).typeId()
                                                                  : record.field(i).metaType().id();
            def.type = TypeOfMeta(typeId);
            def.readOnly = true;
            defs.push_back(def);
            m_columns.push_back(def.name);
            m_blob.push_back(false);
            m_noAffinity.push_back(false);
        }
        return true;
    }
    m_from = QuotedName(m_table);
    // In a STRICT table a column declared ANY has no affinity.
    const bool strict = query.exec(QStringLiteral("PRAGMA table_list(%1)").arg(m_from)) && query.next() &&
                        query.value(QStringLiteral("strict")).toInt() != 0;
    query.finish();
    if (!query.exec(QStringLiteral("PRAGMA table_xinfo(%1)").arg(m_from))) {
        error = query.lastError().databaseText();
        return false;
    }
    std::vector<std::pair<int, QString>> primaryKey;  // position in the key, column
    while (query.next()) {
        const int hidden = query.value(6).toInt();
        if (hidden == 1)
            continue;  // a virtual table's hidden column (a full-text table's own name, its rank)
        const bool generated = hidden >= 2;  // computed by the table: shown, never written
        TFieldDef def;
        def.name = query.value(1).toString();
        def.type = TypeOfDeclared(query.value(2).toString(), def.size);
        def.required = !generated && query.value(3).toInt() != 0;
        def.readOnly = generated;
        if (query.value(5).toInt() > 0)
            primaryKey.emplace_back(query.value(5).toInt(), def.name);
        defs.push_back(def);
        m_columns.push_back(def.name);
        m_noAffinity.push_back(HasNoAffinity(query.value(2).toString(), strict));
    }
    if (defs.empty()) {
        error = QStringLiteral("no such table: %1").arg(m_table);
        return false;
    }
    // A view has no rows of its own to address (its row id reads as null);
    // a virtual table cannot say which row a write reached (no RETURNING).
    query.prepare(QStringLiteral("SELECT type, sql FROM sqlite_temp_master WHERE name = ? COLLATE NOCASE "
                                 "UNION ALL SELECT type, sql FROM sqlite_master WHERE name = ? COLLATE NOCASE"));
    query.bindValue(0, m_table);
    query.bindValue(1, m_table);
    const bool found = query.exec() && query.next();
    const bool view = found && query.value(0).toString() == QLatin1String("view");
    const bool virtualTable =
        found && query.value(1).toString().startsWith(QLatin1String("CREATE VIRTUAL"), Qt::CaseInsensitive);
    m_returnsKeys = !virtualTable;
    m_contentElsewhere = virtualTable && FullTextOverOtherContent(query.value(1).toString());
    query.finish();
    if (!view && primaryKey.size() == 1) {
        const auto column = std::find(m_columns.begin(), m_columns.end(), primaryKey.front().second);
        const int index = int(column - m_columns.begin());
        if (defs[size_t(index)].type == TFieldType::ftInteger)
            m_uniqueColumn = index;  // integer affinity: distinct values read as distinct texts
    }
    if (!view) {
        // The first row-id name no column shadows, when the table has a row id.
        for (const char* name : {"_rowid_", "rowid", "oid"}) {
            const QString alias = QString::fromLatin1(name);
            const bool shadowed = std::any_of(m_columns.begin(), m_columns.end(), [&](const QString& c) {
                return c.compare(alias, Qt::CaseInsensitive) == 0;
            });
            if (shadowed)
                continue;
            if (query.exec(QStringLiteral("SELECT %1 FROM %2 LIMIT 0").arg(alias, m_from))) {
                m_keyColumns << alias;
                m_rowIdKey = true;
            }
            break;
        }
        if (m_keyColumns.isEmpty()) {
            std::sort(primaryKey.begin(), primaryKey.end());
            for (const auto& [position, column] : primaryKey)
                m_keyColumns << QuotedName(column);
        }
    }
    // A BLOB is read when a control shows it, which needs the row's key.
    for (const TFieldDef& def : defs)
        m_blob.push_back(def.type == TFieldType::ftGraphic && !m_keyColumns.isEmpty());
    return true;
}

bool TSqlDataSet::PrepareReads(QString& error)
{
    const QString cols = PageColumnList();
    m_offsetQuery = QSqlQuery(m_db);
    m_afterQuery = QSqlQuery(m_db);
    m_beforeQuery = QSqlQuery(m_db);
    m_lastQuery = QSqlQuery(m_db);
    bool prepared = true;
    if (m_keyColumns.isEmpty()) {
        prepared = m_offsetQuery.prepare(QStringLiteral("SELECT %1 FROM %2 LIMIT ? OFFSET ?").arg(cols, m_from));
    } else {
        const QString keys = m_keyColumns.join(QStringLiteral(", "));
        const QString marks = QStringList(m_keyColumns.size(), QStringLiteral("?")).join(QStringLiteral(", "));
        const QString descending = m_keyColumns.join(QStringLiteral(" DESC, ")) + QStringLiteral(" DESC");
        const QString select = QStringLiteral("SELECT %1, %2 FROM %3 ").arg(keys, cols, m_from);
        prepared = m_offsetQuery.prepare(select + QStringLiteral("ORDER BY %1 LIMIT ? OFFSET ?").arg(keys)) &&
                   m_afterQuery.prepare(
                       select + QStringLiteral("WHERE (%1) > (%2) ORDER BY %1 LIMIT ?").arg(keys, marks)) &&
                   m_beforeQuery.prepare(
                       select + QStringLiteral("WHERE (%1) < (%2) ORDER BY %3 LIMIT ?").arg(keys, marks, descending)) &&
                   m_lastQuery.prepare(select + QStringLiteral("ORDER BY %1 LIMIT ?").arg(descending));
    }
    if (!prepared) {
        for (const QSqlQuery* q : {&m_offsetQuery, &m_afterQuery, &m_beforeQuery, &m_lastQuery})
            if (q->lastError().isValid())
                error = q->lastError().databaseText();
        return false;
    }
    for (QSqlQuery* q : {&m_offsetQuery, &m_afterQuery, &m_beforeQuery, &m_lastQuery})
        q->setForwardOnly(true);
    return true;
}

void TSqlDataSet::DoClose()
{
    m_searchHelpers.reset();
    DropPages();
    m_offsetQuery = QSqlQuery();
    m_afterQuery = QSqlQuery();
    m_beforeQuery = QSqlQuery();
    m_lastQuery = QSqlQuery();
    m_count = 0;
}

QString TSqlDataSet::PageColumnList() const
{
    // A BLOB is read when a control shows it; a page holds only its size.
    QStringList cols;
    for (size_t c = 0; c < m_columns.size(); ++c)
        cols << (m_blob[c] ? QStringLiteral("length(%1)").arg(QuotedName(m_columns[c])) : QuotedName(m_columns[c]));
    return cols.join(QStringLiteral(", "));
}

QString TSqlDataSet::ReadError(const QSqlQuery& query)
{
    const QSqlError e = query.lastError();
    return e.databaseText().isEmpty() ? e.text() : e.databaseText();
}

bool TSqlDataSet::Recount(QString& error)
{
    m_countedAt.reset();
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM %1").arg(m_from)) || !query.next()) {
        error = ReadError(query);
        return false;
    }
    m_count = query.value(0).toInt();
    query.finish();
    // After the count, so that a lock that fails it is waited for once. A
    // change between the two is in the version and in whatever is read
    // from the records after; a refresh that keeps them checks the count.
    m_countedAt = DatabaseVersion(m_db);
    return true;
}

void TSqlDataSet::DropPages() const
{
    m_pages.clear();
    m_rowIds.clear();
    m_foundRow.reset();
    m_denseFrom.reset();
}

std::optional<qint64> TSqlDataSet::DenseFrom() const
{
    // Row ids without gaps (no row deleted) give every row's place at once.
    if (!m_denseFrom && m_rowIdKey && m_count > 0) {
        QSqlQuery ends(m_db);
        ends.setForwardOnly(true);
        if (!ends.exec(QStringLiteral("SELECT (SELECT min(%1) FROM %2), (SELECT max(%1) FROM %2)")
                           .arg(m_keyColumns[0], m_from)) ||
            !ends.next())
            return std::nullopt;  // asked again next time
        const qint64 first = ends.value(0).toLongLong();
        const qint64 last = ends.value(1).toLongLong();
        m_denseFrom = last >= first && quint64(last) - quint64(first) + 1 == quint64(m_count)
                          ? first
                          : std::numeric_limits<qint64>::max();
    }
    if (!m_denseFrom || *m_denseFrom == std::numeric_limits<qint64>::max())
        return std::nullopt;
    return m_denseFrom;
}

std::optional<qint64> TSqlDataSet::HintedPageStart(int number) const
{
    if (!m_foundRow || m_foundRow->first / kPageSize != number)
        return std::nullopt;
    // A few rows back from the row a search found, not every row before it.
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %1 <= ? ORDER BY %1 DESC LIMIT 1 OFFSET ?")
                      .arg(m_keyColumns[0], m_from));
    query.addBindValue(m_foundRow->second);
    query.addBindValue(m_foundRow->first - number * kPageSize);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return query.value(0).toLongLong();
}

const TSqlDataSet::Page* TSqlDataSet::CachedPage(int number) const
{
    for (const Page& page : m_pages)
        if (page.number == number)
            return &page;
    return nullptr;
}

const TSqlDataSet::Page* TSqlDataSet::PageOf(int index, QString& error) const
{
    const int number = index / kPageSize;
    for (auto it = m_pages.begin(); it != m_pages.end(); ++it) {
        if (it->number == number) {
            m_pages.splice(m_pages.begin(), m_pages, it);
            return &m_pages.front();
        }
    }
    Page page;
    page.number = number;
    if (!ReadPage(page, error))
        return nullptr;  // not kept: the next access reads it again
    m_pages.push_front(std::move(page));
    if (m_pages.size() > kPagesKept)
        m_pages.pop_back();
    return &m_pages.front();
}

bool TSqlDataSet::ReadPage(Page& page, QString& error) const
{
    ++m_pageReads;
    const int first = page.number * kPageSize;
    const int wanted = std::min(kPageSize, m_count - first);
    if (wanted <= 0)
        return true;
    // A neighbouring page gives a key to seek from; OFFSET would walk every
    // row before the page, which grows with the table.
    const bool keyed = !m_keyColumns.isEmpty();
    QSqlQuery* query = &m_offsetQuery;
    bool backwards = false;
    const Page* before = keyed ? CachedPage(page.number - 1) : nullptr;
    const Page* after = keyed ? CachedPage(page.number + 1) : nullptr;
    auto seek = [&](QSqlQuery* q, const QVariantList& key) {
        query = q;
        for (int i = 0; i < key.size(); ++i)
            query->bindValue(i, key[i]);
        query->bindValue(int(key.size()), wanted);
    };
    std::optional<qint64> start;
    if (m_rowIdKey && size_t(first) < m_rowIds.size())
        start = m_rowIds[size_t(first)];
    else if (const std::optional<qint64> dense = m_searchReads.empty() ? std::nullopt : DenseFrom())
        start = *dense + first;
    else if (m_rowIdKey)
        start = HintedPageStart(page.number);
    if (start && *start > std::numeric_limits<qint64>::min()) {
        seek(&m_afterQuery, {*start - 1});
    } else if (before && !before->keys.empty()) {
        seek(&m_afterQuery, before->keys.back());
    } else if (after && !after->keys.empty()) {
        seek(&m_beforeQuery, after->keys.front());
        backwards = true;
    } else if (keyed && first + wanted == m_count) {
        seek(&m_lastQuery, {});
        backwards = true;
    } else {
        query->bindValue(0, wanted);
        query->bindValue(1, first);
    }
    if (!query->exec()) {
        error = ReadError(*query);
        query->finish();
        return false;
    }
    const int keyCount = int(m_keyColumns.size());
    const int columns = int(m_columns.size());
    while (query->next()) {
        QVariantList key;
        for (int k = 0; k < keyCount; ++k)
            key << query->value(k);
        page.keys.push_back(std::move(key));
        std::vector<QVariant> row(static_cast<size_t>(columns));
        for (int c = 0; c < columns; ++c) {
            const QVariant v = query->value(keyCount + c);
            row[size_t(c)] = m_blob[size_t(c)] && !v.isNull() ? QVariant::fromValue(TUnreadBlob{v.toLongLong()}) : v;
        }
        page.rows.push_back(std::move(row));
    }
    if (query->lastError().isValid()) {
        error = ReadError(*query);
        query->finish();
        return false;
    }
    query->finish();
    if (backwards) {
        std::reverse(page.keys.begin(), page.keys.end());
        std::reverse(page.rows.begin(), page.rows.end());
    }
    return true;
}

bool TSqlDataSet::DoFetch(int index, std::vector<QVariant>& row, QString& error) const
{
    row.clear();
    if (index < 0 || index >= m_count)
        return true;
    const Page* page = PageOf(index, error);
    if (!page)
        return false;
    const size_t k = size_t(index - page->number * kPageSize);
    if (k < page->rows.size())
        row = page->rows[k];
    return true;
}

bool TSqlDataSet::DoColumn(int fieldIndex, std::vector<QVariant>& values, QString& error) const
{
    if (fieldIndex < 0 || size_t(fieldIndex) >= m_columns.size())
        return true;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    const QString column = QuotedName(m_columns[size_t(fieldIndex)]);
    int at = 1;
    QString sql;
    if (m_rowIdKey) {  // the row ids come along, so that pages can be read from them
        sql = QStringLiteral("SELECT %1, %2 FROM %3 ORDER BY %1").arg(m_keyColumns[0], column, m_from);
    } else if (!m_keyColumns.isEmpty()) {
        sql = QStringLiteral("SELECT 0, %1 FROM %2 ORDER BY %3").arg(column, m_from, m_keyColumns.join(u", "));
    } else {
        // Unordered rows come in the pages' order only from the pages' own
        // statement: one column alone may be read from an index in its order.
        sql = QStringLiteral("SELECT 0, %1 FROM %2").arg(PageColumnList(), m_from);
        at += fieldIndex;
    }
    if (!query.exec(sql)) {
        error = ReadError(query);
        return false;
    }
    std::vector<qint64> rowIds;
    values.reserve(size_t(m_count));
    rowIds.reserve(m_rowIdKey ? size_t(m_count) : 0);
    while (query.next() && int(values.size()) < m_count) {
        if (m_rowIdKey)
            rowIds.push_back(query.value(0).toLongLong());
        values.push_back(query.value(at));
    }
    if (query.lastError().isValid()) {
        error = ReadError(query);
        return false;
    }
    if (m_rowIdKey && int(rowIds.size()) == m_count)
        m_rowIds = std::move(rowIds);
    return true;
}

QVariant TSqlDataSet::DoRecordKey(int index) const
{
    QString error;
    const Page* page = index >= 0 && index < m_count ? PageOf(index, error) : nullptr;
    const size_t k = page ? size_t(index - page->number * kPageSize) : 0;
    if (!page || k >= page->keys.size() || page->keys[k].isEmpty())
        return {};
    return page->keys[k];
}

QString TSqlDataSet::KeyCondition(const QVariantList& key, std::vector<QVariant>& binds) const
{
    QStringList parts;
    for (int i = 0; i < m_keyColumns.size() && i < key.size(); ++i) {
        parts << m_keyColumns[i] + QStringLiteral(" = ?");
        binds.push_back(key[i]);
    }
    return parts.join(QStringLiteral(" AND "));
}

QString TSqlDataSet::RowCondition(const TReadRecord& read, std::vector<QVariant>& binds) const
{
    QStringList parts{KeyCondition(read.key.toList(), binds)};
    // "+" drops the column's affinity and BINARY its collation: a value is
    // compared exactly as it was read, whatever type it is stored as, so a
    // change of case or of trailing spaces is a change.
    for (size_t c = 0; c < m_columns.size() && c < read.values.size(); ++c) {
        const QVariant& v = read.values[c];
        if (v.userType() == qMetaTypeId<TUnreadBlob>()) {
            parts << QStringLiteral("length(%1) IS ?").arg(QuotedName(m_columns[c]));
            binds.push_back(v.value<TUnreadBlob>().size);
        } else if (v.typeId() == QMetaType::QString && v.toString().contains(QChar::ReplacementCharacter)) {
            // Bytes that are not UTF-8 were read as U+FFFD: only the kind is known.
            parts << QStringLiteral("typeof(%1) = 'text'").arg(QuotedName(m_columns[c]));
        } else {
            parts << QStringLiteral("+%1 COLLATE BINARY IS ?").arg(QuotedName(m_columns[c]));
            binds.push_back(v);
        }
    }
    return parts.join(QStringLiteral(" AND "));
}

bool TSqlDataSet::IndexOfKey(const QVariantList& key, int& index) const
{
    if (key.size() != m_keyColumns.size())
        return false;
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE (%2) < (%3)")
                      .arg(m_from, m_keyColumns.join(QStringLiteral(", ")),
                           QStringList(m_keyColumns.size(), QStringLiteral("?")).join(QStringLiteral(", "))));
    for (int i = 0; i < key.size(); ++i)
        query.bindValue(i, key[i]);
    if (!query.exec() || !query.next())
        return false;
    index = query.value(0).toInt();
    return true;
}

QVariant TSqlDataSet::DoReadBlob(const QVariant& key, int fieldIndex) const
{
    if (!key.isValid() || fieldIndex < 0 || size_t(fieldIndex) >= m_columns.size())
        return {};
    std::vector<QVariant> binds;
    const QString where = KeyCondition(key.toList(), binds);
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT %1 FROM %2 WHERE %3").arg(QuotedName(m_columns[size_t(fieldIndex)]), m_from, where));
    for (size_t i = 0; i < binds.size(); ++i)
        query.bindValue(int(i), binds[i]);
    return query.exec() && query.next() ? query.value(0) : QVariant();
}

bool TSqlDataSet::DoCanModify() const
{
    return !m_table.isEmpty() && !m_keyColumns.isEmpty() && !m_contentElsewhere &&
           !m_db.connectOptions().contains(QLatin1String("QSQLITE_OPEN_READONLY"));
}

bool TSqlDataSet::RunInTransaction(QSqlQuery& query, QString& error, RowRule rule, QVariantList* returned,
                                   const WriteCheck& check)
{
    // A file deleted or replaced since it was opened would take the write
    // where no one reads it again, or over another file's rows.
    if (DatabaseFileMoved(m_db)) {
        error = QStringLiteral("The database file \"%1\" was deleted, moved or replaced since it was opened")
                    .arg(QDir::toNativeSeparators(m_db.databaseName()));
        return false;
    }
    if (!m_db.transaction()) {
        error = m_db.lastError().databaseText();
        return false;
    }
    if (!query.exec()) {
        error = ReadError(query);
        query.finish();
        m_db.rollback();
        return false;
    }
    // The changes are made by the first step; a RETURNING row says the row was there.
    bool found = false;
    if (query.isSelect()) {
        found = query.next();
        for (int i = 0; found && returned && i < query.record().count(); ++i)
            *returned << query.value(i);
    } else {
        found = query.numRowsAffected() > 0;
        if (returned)
            *returned << query.lastInsertId();  // only known while the query is active
    }
    query.finish();
    if (rule == RowRule::MustExist && !found) {
        // Another connection deleted or changed the row: writing nothing is no success.
        error = QStringLiteral("Record not found or changed by another user");
        m_db.rollback();
        return false;
    }
    if (check && !check(returned ? *returned : QVariantList(), error)) {
        m_db.rollback();
        return false;
    }
    if (!m_db.commit()) {
        error = m_db.lastError().databaseText();
        m_db.rollback();
        return false;
    }
    return true;
}

bool TSqlDataSet::DoPost(bool inserting, int& index, const TReadRecord& read, const std::vector<QVariant>& values,
                         const std::vector<bool>& changed, QString& error)
{
    if (!DoCanModify()) {
        error = QStringLiteral("Cannot modify a read-only data set");
        return false;
    }
    QStringList names;
    std::vector<QVariant> binds;
    std::vector<size_t> written;  // the columns written, in the order of `binds`
    for (size_t c = 0; c < m_columns.size() && c < values.size(); ++c) {
        if (!changed[c] || (inserting && (!values[c].isValid() || values[c].isNull())))
            continue;  // an insert leaves unset columns to their defaults
        QVariant value = values[c].isNull() ? QVariant() : values[c];
        if (!inserting && m_noAffinity[c] && c < read.values.size())
            value = AsKindRead(read.values[c], value);
        names << QuotedName(m_columns[c]);
        binds.push_back(std::move(value));
        written.push_back(c);
    }
    // A virtual table may take a write and keep something else (or nothing):
    // what it holds is read back before the write is committed.
    WriteCheck check;
    if (!m_returnsKeys) {
        check = [this, inserting, &read, written, kept = binds](const QVariantList& returned, QString& error) {
            return KeptAsWritten(inserting ? returned : read.key.toList(), written, kept, error);
        };
    }
    const QString returning =
        m_returnsKeys ? QStringLiteral(" RETURNING ") + m_keyColumns.join(QStringLiteral(", ")) : QString();
    QString sql;
    if (inserting) {
        sql = names.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(m_from)
                              : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                    .arg(m_from, names.join(QStringLiteral(", ")),
                                         QStringList(names.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
    } else {
        if (names.isEmpty())
            return true;  // nothing changed
        if (!read.key.isValid()) {
            error = QStringLiteral("Record not found or changed by another user");
            return false;
        }
        const QString sets = names.join(QStringLiteral(" = ?, ")) + QStringLiteral(" = ?");
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(m_from, sets, RowCondition(read, binds));
    }
    QSqlQuery query(m_db);
    if (!query.prepare(sql + returning)) {
        error = query.lastError().databaseText();
        return false;
    }
    for (size_t i = 0; i < binds.size(); ++i)
        query.bindValue(int(i), binds[i]);
    QVariantList key;
    if (!RunInTransaction(query, error, inserting ? RowRule::Any : RowRule::MustExist, &key, check))
        return false;
    if (!m_returnsKeys && !inserting)
        key = read.key.toList();  // a virtual table's row keeps its row id
    DropPages();
    Recount(error);
    // Where the written row now sits in key order.
    IndexOfKey(key, index);
    return true;
}

bool TSqlDataSet::KeptAsWritten(const QVariantList& key, const std::vector<size_t>& columns,
                                const std::vector<QVariant>& written, QString& error) const
{
    if (columns.empty())
        return true;
    if (key.size() != m_keyColumns.size()) {
        error = QStringLiteral("Record not found or changed by another user");
        return false;
    }
    QStringList names;
    for (const size_t c : columns)
        names << QuotedName(m_columns[c]);
    std::vector<QVariant> binds;
    const QString where = KeyCondition(key, binds);
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    const QString select = QStringLiteral("SELECT %1 FROM %2 WHERE %3");
    if (!query.prepare(select.arg(names.join(QStringLiteral(", ")), m_from, where))) {
        error = ReadError(query);
        return false;
    }
    for (size_t i = 0; i < binds.size(); ++i)
        query.bindValue(int(i), binds[i]);
    if (!query.exec()) {
        error = ReadError(query);
        return false;
    }
    if (!query.next()) {
        error = QStringLiteral("Record not found or changed by another user");
        return false;
    }
    for (size_t i = 0; i < columns.size() && i < written.size(); ++i) {
        if (!SameStoredValue(written[i], query.value(int(i)))) {
            error = QStringLiteral("The table did not keep the value written to '%1'").arg(m_columns[columns[i]]);
            return false;
        }
    }
    return true;
}

bool TSqlDataSet::DoDelete(int, const TReadRecord& read, QString& error)
{
    if (!DoCanModify()) {
        error = QStringLiteral("Cannot modify a read-only data set");
        return false;
    }
    if (!read.key.isValid()) {
        error = QStringLiteral("Record not found or changed by another user");
        return false;
    }
    std::vector<QVariant> binds;
    QSqlQuery query(m_db);
    if (!query.prepare(QStringLiteral("DELETE FROM %1 WHERE %2").arg(m_from, RowCondition(read, binds)))) {
        error = query.lastError().databaseText();
        return false;
    }
    for (size_t i = 0; i < binds.size(); ++i)
        query.bindValue(int(i), binds[i]);
    if (!RunInTransaction(query, error, RowRule::MustExist))
        return false;
    DropPages();
    Recount(error);
    return true;
}

bool TSqlDataSet::DoRefresh(int keep, QString& error, bool& unchanged)
{
    // Read the count and the kept record's page before forgetting anything,
    // so that a failed read leaves the rows read before.
    std::list<Page> oldPages;
    std::vector<qint64> oldRowIds;
    oldPages.swap(m_pages);
    oldRowIds.swap(m_rowIds);
    const int oldCount = m_count;
    const std::optional<TDatabaseVersion> oldVersion = m_countedAt;
    unchanged = false;
    DropPages();  // with the places found before, which may have moved
    if (Recount(error)) {
        // A table's rows as before: no row written by anyone, no schema changed.
        // Views and queries may read more than the database (the time, a random number).
        unchanged = !m_table.isEmpty() && !m_keyColumns.isEmpty() && m_returnsKeys && oldVersion &&
                    m_countedAt == oldVersion && m_count == oldCount;
        if (unchanged)
            m_rowIds.swap(oldRowIds);  // the places stand too
        QString pageError;
        if (m_count == 0 || PageOf(std::clamp(keep, 0, m_count - 1), pageError))
            return true;
        error = pageError;
    }
    m_pages.swap(oldPages);
    if (!unchanged)
        m_rowIds.swap(oldRowIds);
    m_count = oldCount;
    m_countedAt = oldVersion;
    return false;
}
