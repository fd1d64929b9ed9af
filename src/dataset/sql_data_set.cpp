#include "dataset/sql_data_set.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>

#include <algorithm>
#include <limits>

namespace {

constexpr size_t kPagesKept = 8;

QString Quoted(const QString& name)
{
    QString q = name;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

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
    if (!m_db.isOpen()) {
        error = QStringLiteral("The database is not open");
        return false;
    }
    QSqlQuery query(m_db);
    if (!m_table.isEmpty()) {
        if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(Quoted(m_table)))) {
            error = query.lastError().databaseText();
            return false;
        }
        while (query.next()) {
            TFieldDef def;
            def.name = query.value(1).toString();
            def.type = TypeOfDeclared(query.value(2).toString(), def.size);
            def.required = query.value(3).toInt() != 0;
            defs.push_back(def);
            m_columns.push_back(def.name);
            m_blob.push_back(def.type == TFieldType::ftGraphic);
        }
        if (defs.empty()) {
            error = QStringLiteral("no such table: %1").arg(m_table);
            return false;
        }
    } else {
        if (!query.exec(QStringLiteral("SELECT * FROM (%1) LIMIT 1").arg(m_sql))) {
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
        }
    }
    const QString cols = PageColumnList();
    m_offsetQuery = QSqlQuery(m_db);
    m_afterQuery = QSqlQuery(m_db);
    m_beforeQuery = QSqlQuery(m_db);
    bool prepared = true;
    if (!m_table.isEmpty()) {
        const QString from = QStringLiteral("SELECT rowid, %1 FROM %2 ").arg(cols, Quoted(m_table));
        prepared = m_offsetQuery.prepare(from + QStringLiteral("ORDER BY rowid LIMIT ? OFFSET ?")) &&
                   m_afterQuery.prepare(from + QStringLiteral("WHERE rowid > ? ORDER BY rowid LIMIT ?")) &&
                   m_beforeQuery.prepare(from + QStringLiteral("WHERE rowid < ? ORDER BY rowid DESC LIMIT ?"));
    } else {
        prepared = m_offsetQuery.prepare(QStringLiteral("SELECT 0, * FROM (%1) LIMIT ? OFFSET ?").arg(m_sql));
    }
    if (!prepared) {
        error = m_offsetQuery.lastError().databaseText();
        return false;
    }
    for (QSqlQuery* q : {&m_offsetQuery, &m_afterQuery, &m_beforeQuery})
        q->setForwardOnly(true);
    m_pageReads = 0;
    DropPages();
    m_count = 0;
    return Recount(error);
}

void TSqlDataSet::DoClose()
{
    DropPages();
    m_offsetQuery = QSqlQuery();
    m_afterQuery = QSqlQuery();
    m_beforeQuery = QSqlQuery();
    m_count = 0;
}

QString TSqlDataSet::PageColumnList() const
{
    // A BLOB is read when a control shows it; a page holds only its size.
    QStringList cols;
    for (size_t c = 0; c < m_columns.size(); ++c)
        cols << (m_blob[c] ? QStringLiteral("length(%1)").arg(Quoted(m_columns[c])) : Quoted(m_columns[c]));
    return cols.join(QStringLiteral(", "));
}

QString TSqlDataSet::ReadError(const QSqlQuery& query)
{
    const QSqlError e = query.lastError();
    return e.databaseText().isEmpty() ? e.text() : e.databaseText();
}

bool TSqlDataSet::Recount(QString& error)
{
    QSqlQuery query(m_db);
    const QString sql = m_table.isEmpty() ? QStringLiteral("SELECT COUNT(*) FROM (%1)").arg(m_sql)
                                          : QStringLiteral("SELECT COUNT(*) FROM %1").arg(Quoted(m_table));
    if (!query.exec(sql) || !query.next()) {
        error = ReadError(query);
        return false;
    }
    m_count = query.value(0).toInt();
    return true;
}

void TSqlDataSet::DropPages() const
{
    m_pages.clear();
    m_rowIds.clear();
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
    // A neighbouring page gives a rowid to seek from; OFFSET would walk every
    // row before the page, which grows with the table.
    QSqlQuery* query = &m_offsetQuery;
    bool backwards = false;
    const Page* before = CachedPage(page.number - 1);
    const Page* after = CachedPage(page.number + 1);
    if (!m_table.isEmpty() && size_t(first) < m_rowIds.size()) {
        query = &m_afterQuery;
        query->bindValue(0, m_rowIds[size_t(first)] - 1);
        query->bindValue(1, wanted);
    } else if (!m_table.isEmpty() && before && !before->rowIds.empty()) {
        query = &m_afterQuery;
        query->bindValue(0, before->rowIds.back());
        query->bindValue(1, wanted);
    } else if (!m_table.isEmpty() && after && !after->rowIds.empty()) {
        query = &m_beforeQuery;
        backwards = true;
        query->bindValue(0, after->rowIds.front());
        query->bindValue(1, wanted);
    } else if (!m_table.isEmpty() && first + wanted == m_count) {
        query = &m_beforeQuery;
        backwards = true;
        query->bindValue(0, std::numeric_limits<qint64>::max());
        query->bindValue(1, wanted);
    } else {
        query->bindValue(0, wanted);
        query->bindValue(1, first);
    }
    if (!query->exec()) {
        error = ReadError(*query);
        query->finish();
        return false;
    }
    const int columns = int(m_columns.size());
    while (query->next()) {
        page.rowIds.push_back(query->value(0).toLongLong());
        std::vector<QVariant> row(static_cast<size_t>(columns));
        for (int c = 0; c < columns; ++c) {
            const QVariant v = query->value(c + 1);
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
        std::reverse(page.rowIds.begin(), page.rowIds.end());
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
    const QString column = Quoted(m_columns[size_t(fieldIndex)]);
    const QString sql = m_table.isEmpty()
                            ? QStringLiteral("SELECT 0, %1 FROM (%2)").arg(column, m_sql)
                            : QStringLiteral("SELECT rowid, %1 FROM %2 ORDER BY rowid").arg(column, Quoted(m_table));
    if (!query.exec(sql)) {
        error = ReadError(query);
        return false;
    }
    std::vector<qint64> rowIds;
    values.reserve(size_t(m_count));
    rowIds.reserve(size_t(m_count));
    while (query.next() && int(values.size()) < m_count) {
        rowIds.push_back(query.value(0).toLongLong());
        values.push_back(query.value(1));
    }
    if (query.lastError().isValid()) {
        error = ReadError(query);
        return false;
    }
    if (!m_table.isEmpty() && int(rowIds.size()) == m_count)
        m_rowIds = std::move(rowIds);
    return true;
}

QVariant TSqlDataSet::DoReadBlob(int index, int fieldIndex) const
{
    const qint64 rowId = RowIdAt(index);
    if (rowId < 0 || fieldIndex < 0 || size_t(fieldIndex) >= m_columns.size() || m_table.isEmpty())
        return {};
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                      .arg(Quoted(m_columns[size_t(fieldIndex)]), Quoted(m_table)));
    query.bindValue(0, rowId);
    return query.exec() && query.next() ? query.value(0) : QVariant();
}

qint64 TSqlDataSet::RowIdAt(int index) const
{
    if (index < 0 || index >= m_count)
        return -1;
    QString error;
    const Page* page = PageOf(index, error);
    if (!page)
        return -1;
    const size_t k = size_t(index - page->number * kPageSize);
    return k < page->rowIds.size() ? page->rowIds[k] : -1;
}

bool TSqlDataSet::DoCanModify() const
{
    return !m_table.isEmpty() && !m_db.connectOptions().contains(QLatin1String("QSQLITE_OPEN_READONLY"));
}

bool TSqlDataSet::RunInTransaction(QSqlQuery& query, QString& error, RowRule rule)
{
    if (!m_db.transaction()) {
        error = m_db.lastError().databaseText();
        return false;
    }
    if (!query.exec()) {
        error = query.lastError().databaseText();
        if (error.isEmpty())
            error = query.lastError().text();
        query.finish();
        m_db.rollback();
        return false;
    }
    m_lastInsertId = query.lastInsertId();  // only known while the query is active
    if (rule == RowRule::MustExist && query.numRowsAffected() < 1) {
        // Another connection deleted the row: writing nothing is no success.
        error = QStringLiteral("Record not found or changed by another user");
        query.finish();
        m_db.rollback();
        return false;
    }
    query.finish();
    if (!m_db.commit()) {
        error = m_db.lastError().databaseText();
        m_db.rollback();
        return false;
    }
    return true;
}

bool TSqlDataSet::DoPost(bool inserting, int& index, const std::vector<QVariant>& values,
                         const std::vector<bool>& changed, QString& error)
{
    if (m_table.isEmpty()) {
        error = QStringLiteral("Cannot modify a read-only data set");
        return false;
    }
    QStringList names;
    std::vector<QVariant> binds;
    for (size_t c = 0; c < m_columns.size() && c < values.size(); ++c) {
        if (!changed[c] || (inserting && (!values[c].isValid() || values[c].isNull())))
            continue;  // an insert leaves unset columns to their defaults
        names << Quoted(m_columns[c]);
        binds.push_back(values[c]);
    }
    qint64 rowId = -1;
    QSqlQuery query(m_db);
    if (inserting) {
        QString sql;
        if (names.isEmpty()) {
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(Quoted(m_table));
        } else {
            QStringList marks;
            for (int i = 0; i < names.size(); ++i)
                marks << QStringLiteral("?");
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(Quoted(m_table), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
        }
        if (!query.prepare(sql)) {
            error = query.lastError().databaseText();
            return false;
        }
    } else {
        rowId = RowIdAt(index);
        if (names.isEmpty())
            return true;  // nothing changed
        if (rowId < 0) {
            const Page* page = PageOf(index, error);
            if (!page)
                return false;
        }
        QStringList sets;
        for (const QString& n : names)
            sets << n + QStringLiteral(" = ?");
        if (!query.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                               .arg(Quoted(m_table), sets.join(QStringLiteral(", "))))) {
            error = query.lastError().databaseText();
            return false;
        }
    }
    for (size_t i = 0; i < binds.size(); ++i)
        query.bindValue(int(i), binds[i].isNull() ? QVariant() : binds[i]);
    if (!inserting)
        query.bindValue(int(binds.size()), rowId);
    if (!RunInTransaction(query, error, inserting ? RowRule::Any : RowRule::MustExist))
        return false;
    if (inserting)
        rowId = m_lastInsertId.toLongLong();
    DropPages();
    Recount(error);
    // Where the written row now sits in rowid order.
    QSqlQuery where(m_db);
    where.prepare(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE rowid < ?").arg(Quoted(m_table)));
    where.bindValue(0, rowId);
    if (where.exec() && where.next())
        index = where.value(0).toInt();
    return true;
}

bool TSqlDataSet::DoDelete(int index, QString& error)
{
    if (m_table.isEmpty()) {
        error = QStringLiteral("Cannot modify a read-only data set");
        return false;
    }
    QSqlQuery query(m_db);
    if (!query.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(Quoted(m_table)))) {
        error = query.lastError().databaseText();
        return false;
    }
    const qint64 rowId = RowIdAt(index);
    if (rowId < 0 && !PageOf(index, error))
        return false;
    query.bindValue(0, rowId);
    if (!RunInTransaction(query, error, RowRule::MustExist))
        return false;
    DropPages();
    Recount(error);
    return true;
}

bool TSqlDataSet::DoRefresh(int keep, QString& error)
{
    // Read the count and the kept record's page before forgetting anything,
    // so that a failed read leaves the rows read before.
    std::list<Page> oldPages;
    std::vector<qint64> oldRowIds;
    oldPages.swap(m_pages);
    oldRowIds.swap(m_rowIds);
    const int oldCount = m_count;
    if (Recount(error)) {
        QString pageError;
        if (m_count == 0 || PageOf(std::clamp(keep, 0, m_count - 1), pageError))
            return true;
        error = pageError;
    }
    m_pages.swap(oldPages);
    m_rowIds.swap(oldRowIds);
    m_count = oldCount;
    return false;
}
