#include "dataset/search_range_scan.h"

#include "dataset/search_helpers.h"
#include "dataset/search_index.h"
#include "dataset/sqlite_connection.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <atomic>
#include <vector>

namespace {

// Shorter ranges of row ids are read by the caller alone.
constexpr quint64 kSplitFrom = 65536;
// Each part is read in this many statements, so that a part stops soon
// after an earlier one found its match.
constexpr int kWindows = 8;

struct Part {
    qint64 from = 0;  // row ids from..upTo
    qint64 upTo = 0;
    std::optional<qint64> found;
    qint64 rows = 0;  // rows before the match, or in the part
    QString error;
};

QString ReadError(const QSqlQuery& query)
{
    const QSqlError e = query.lastError();
    return e.databaseText().isEmpty() ? e.text() : e.databaseText();
}

/// Every code point that case-folds to another one, as (folded, itself),
/// sorted: what a GLOB class must list besides the folded character. An
/// immutable table of Unicode data, made once on first use.
const std::vector<std::pair<char32_t, char32_t>>& FoldSources()
{
    static const auto table = [] {
        std::vector<std::pair<char32_t, char32_t>> t;
        for (char32_t c = 0; c <= 0x10FFFF; ++c)
            if (const char32_t f = QChar::toCaseFolded(c); f != c)
                t.emplace_back(f, c);
        std::sort(t.begin(), t.end());
        return t;
    }();
    return table;
}

void AppendCodePoint(QString& out, char32_t c)
{
    if (QChar::requiresSurrogates(c)) {
        out += QChar(QChar::highSurrogate(c));
        out += QChar(QChar::lowSurrogate(c));
    } else {
        out += QChar(char16_t(c));
    }
}

/// Reads part `index`, counting its rows up to the match; stops early once
/// a part before it has a match.
void ScanPart(const QSqlDatabase& db, const TRowIdTable& t, Part& part, int index, std::atomic<int>& firstFound,
              QStringView key, bool partial, const QString& like, const QString& pattern)
{
    // One pass over a window gives its rows and its first candidate. LIKE
    // (A-Z folded, "_" for any other letter) turns most rows down cheaply
    // before GLOB's classes. Numbers (below any text, compared without the
    // column's affinity) and BLOBs (above any text) are candidates: SQLite
    // writes a REAL otherwise than the field shows it, and LIKE turns every
    // BLOB down. A null reads as "", which only the empty key matches.
    const QString candidate = QStringLiteral("((%1 LIKE ? ESCAPE '\\' AND %1 GLOB ?) OR +%1 < '' OR +%1 >= x''%2)")
                                  .arg(t.column, key.isEmpty() ? QStringLiteral(" OR %1 IS NULL").arg(t.column) : QString());
    QSqlQuery window(db);
    QSqlQuery candidates(db);
    QSqlQuery count(db);
    for (QSqlQuery* q : {&window, &candidates, &count})
        q->setForwardOnly(true);
    const bool prepared =
        window.prepare(QStringLiteral("SELECT count(*), min(%1) FILTER (WHERE %3) FROM %2 WHERE %1 >= ? AND %1 <= ?")
                           .arg(t.rowId, t.from, candidate)) &&
        candidates.prepare(QStringLiteral("SELECT %1, %2 FROM %3 WHERE %1 >= ? AND %1 <= ? AND %4 ORDER BY %1")
                               .arg(t.rowId, t.column, t.from, candidate)) &&
        count.prepare(QStringLiteral("SELECT count(*) FROM %2 WHERE %1 >= ? AND %1 < ?").arg(t.rowId, t.from));
    if (!prepared) {
        part.error = ReadError(!window.lastError().isValid() ? candidates.lastError().isValid() ? candidates : count
                                                             : window);
        return;
    }
    auto run = [&](QSqlQuery& q, std::initializer_list<QVariant> binds) {
        int i = 0;
        for (const QVariant& b : binds)
            q.bindValue(i++, b);
        if (q.exec())
            return true;
        part.error = ReadError(q);
        return false;
    };
    // Windows over the part in unsigned arithmetic: row ids span all of qint64.
    const quint64 first = quint64(part.from);
    const quint64 width = quint64(part.upTo) - first;  // row ids in the part, less one
    const quint64 step = width / kWindows + 1;
    for (quint64 done = 0; done <= width; done += step) {
        if (firstFound.load() < index)
            return;  // an earlier part holds the first match
        const qint64 lo = qint64(first + done);
        const qint64 hi = qint64(first + std::min(width, done + step - 1));
        if (!run(window, {like, pattern, lo, hi}) || !window.next()) {
            part.error = ReadError(window);
            return;
        }
        const qint64 rows = window.value(0).toLongLong();
        const QVariant at = window.value(1);
        window.finish();
        if (!at.isNull()) {
            // Candidates from the first one on, until one matches.
            if (!run(candidates, {at, hi, like, pattern}))
                return;
            std::optional<qint64> match;
            while (!match && candidates.next()) {
                const QVariant v = candidates.value(1);
                if (MatchesKey(v.isNull() ? QString() : v.toString(), key, partial, true))
                    match = candidates.value(0).toLongLong();
            }
            if (candidates.lastError().isValid()) {
                part.error = ReadError(candidates);
                return;
            }
            candidates.finish();
            if (match) {
                if (!run(count, {lo, *match}) || !count.next()) {
                    part.error = ReadError(count);
                    return;
                }
                part.rows += count.value(0).toLongLong();
                part.found = match;
                int expected = firstFound.load();
                while (index < expected && !firstFound.compare_exchange_weak(expected, index)) {
                }
                return;
            }
        }
        part.rows += rows;
        if (step > width - done)
            break;  // the last window (done + step would wrap)
    }
}

}  // namespace

QString FoldedLikePattern(QStringView key, bool partial)
{
    QString pattern;
    for (qsizetype i = 0; i < key.size(); ++i) {
        const char16_t c = key[i].unicode();
        if (c == 0xFFFD || (QChar::isSurrogate(c) && !(QChar::isHighSurrogate(c) && i + 1 < key.size() &&
                                                        key[i + 1].isLowSurrogate())))
            return pattern + u'%';
        if (QChar::isHighSurrogate(c))
            ++i;  // one code point, one character for LIKE
        if (c >= 0x80 || c == u'k' || c == u'K' || c == u's' || c == u'S') {
            pattern += u'_';
            continue;
        }
        if (c == u'%' || c == u'_' || c == u'\\')
            pattern += u'\\';
        pattern += QChar(c);
    }
    return partial ? pattern + u'%' : pattern;
}

QString FoldedGlobPattern(QStringView key, bool partial)
{
    const auto& sources = FoldSources();
    QString pattern;
    for (qsizetype i = 0; i < key.size(); ++i) {
        char32_t c = key[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < key.size() && key[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(key[i], key[i + 1]);
            ++i;
        }
        if (c == 0xFFFD || QChar::isSurrogate(c))
            return pattern + u'*';
        const char32_t folded = QChar::toCaseFolded(c);
        QString members;
        AppendCodePoint(members, folded);
        for (auto it = std::lower_bound(sources.begin(), sources.end(), std::pair<char32_t, char32_t>(folded, 0));
             it != sources.end() && it->first == folded; ++it)
            AppendCodePoint(members, it->second);
        const bool special = c == u'*' || c == u'?' || c == u'[';
        pattern += members.size() > 1 || special ? u'[' + members + u']' : members;
    }
    return partial ? pattern + u'*' : pattern;
}

bool FirstMatchingRowId(const QSqlDatabase& db, TSearchHelpers* helpers, const TRowIdTable& table,
                        std::optional<qint64> after, QStringView key, bool partial, std::optional<TRowMatch>& found,
                        QString& error)
{
    found.reset();
    // The row ids left, each end found through the table's b-tree alone.
    QSqlQuery bounds(db);
    bounds.setForwardOnly(true);
    const QString where = after ? QStringLiteral(" WHERE %1 > ?").arg(table.rowId) : QString();
    bounds.prepare(QStringLiteral("SELECT (SELECT min(%1) FROM %2%3), (SELECT max(%1) FROM %2)")
                       .arg(table.rowId, table.from, where));
    if (after)
        bounds.bindValue(0, *after);
    if (!bounds.exec() || !bounds.next()) {
        error = ReadError(bounds);
        return false;
    }
    if (bounds.value(0).isNull())
        return true;  // no rows after `after`
    const qint64 lo = bounds.value(0).toLongLong();
    const qint64 last = bounds.value(1).toLongLong();
    bounds.finish();
    const quint64 width = quint64(last) - quint64(lo);
    const int parts = width < kSplitFrom || !helpers ? 1 : 1 + helpers->Count();
    std::vector<Part> scan(static_cast<size_t>(parts));
    const quint64 share = width / quint64(parts) + 1;
    for (int p = 0; p < parts; ++p) {
        const quint64 from = quint64(lo) + share * quint64(p);
        scan[size_t(p)].from = qint64(from);
        scan[size_t(p)].upTo = p == parts - 1 ? last : qint64(from + share - 1);
    }
    const QString like = FoldedLikePattern(key, partial);
    const QString pattern = FoldedGlobPattern(key, partial);
    std::atomic<int> firstFound{parts};
    const auto own = [&] { ScanPart(db, table, scan[0], 0, firstFound, key, partial, like, pattern); };
    if (parts == 1) {
        own();
    } else {
        helpers->Run(
            [&](int helper, const SqliteConnection& connection) {
                Part& part = scan[size_t(helper + 1)];
                if (!connection.IsOpen())
                    part.error = connection.Error();
                else
                    ScanPart(connection.Database(), table, part, helper + 1, firstFound, key, partial, like, pattern);
            },
            own);
    }
    qint64 before = 0;
    for (const Part& part : scan) {
        if (!part.error.isEmpty()) {
            error = part.error;
            return false;
        }
        before += part.rows;
        if (part.found) {
            found = TRowMatch{*part.found, before};
            return true;
        }
    }
    return true;
}
