#include "dataset/search_range_scan.h"

#include "dataset/search_helpers.h"
#include "dataset/search_index.h"
#include "dataset/sqlite_connection.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace {

// Shorter ranges of row ids are read by the caller alone, in one piece.
constexpr quint64 kSplitFrom = 65536;
// A longer range is read in this many pieces, in order, each taken by
// whichever of the caller and the helpers is free first; the reading stops
// soon after a piece has a match.
constexpr int kPieces = 256;

struct Piece {
    qint64 from = 0;  // row ids from..upTo
    qint64 upTo = 0;
    std::mutex mutex;
    // Guarded by mutex, set once by whoever reads the piece first:
    bool done = false;
    std::optional<qint64> found;
    qint64 rows = 0;  // rows before the match, or in the piece
    QString error;
};

/// One search's pieces and what every reader of them shares. Helpers hold
/// it too, so that a helper still on a piece when the caller is done holds
/// up nothing.
struct Scan {
    explicit Scan(int count) : pieces(size_t(count)), firstFound(count) {}
    std::vector<Piece> pieces;
    std::atomic<int> next{0};   // the next piece to take
    std::atomic<int> firstFound;  // the first piece known to hold a match (pieces.size(): none yet)
    TRowIdTable table;
    QString key;
    bool partial = false;
    QString like;
    QString pattern;
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

/// Reads pieces through `db`: takes them one at a time, in order, until
/// none is left or a piece before the next one holds a match; then, with
/// `takeOver` (the caller), reads again each piece up to the first match
/// that another reader has not finished, so that a helper which a busy
/// machine keeps waiting for a core holds the caller up no longer than
/// reading that piece itself. Each piece is read whole, counting its rows
/// up to its first match.
void ReadPieces(const QSqlDatabase& db, Scan& scan, bool takeOver)
{
    const TRowIdTable& t = scan.table;
    const int count = int(scan.pieces.size());
    // One pass over a piece gives its rows and its first candidate. LIKE
    // (A-Z folded, "_" for any other letter) turns most rows down cheaply
    // before GLOB's classes. Numbers (below any text, compared without the
    // column's affinity) and BLOBs (above any text) are candidates: SQLite
    // writes a REAL otherwise than the field shows it, and LIKE turns every
    // BLOB down. A null reads as "", which only the empty key matches.
    QSqlQuery window(db);
    QSqlQuery candidates(db);
    QSqlQuery before(db);
    std::optional<bool> prepared;  // on the first piece this reader reads
    const auto prepare = [&] {
        for (QSqlQuery* q : {&window, &candidates, &before})
            q->setForwardOnly(true);
        const QString candidate =
            QStringLiteral("((%1 LIKE ? ESCAPE '\\' AND %1 GLOB ?) OR +%1 < '' OR +%1 >= x''%2)")
                .arg(t.column, scan.key.isEmpty() ? QStringLiteral(" OR %1 IS NULL").arg(t.column) : QString());
        prepared =
            window.prepare(
                QStringLiteral("SELECT count(*), min(%1) FILTER (WHERE %3) FROM %2 WHERE %1 >= ? AND %1 <= ?")
                    .arg(t.rowId, t.from, candidate)) &&
            candidates.prepare(QStringLiteral("SELECT %1, %2 FROM %3 WHERE %1 >= ? AND %1 <= ? AND %4 ORDER BY %1")
                                   .arg(t.rowId, t.column, t.from, candidate)) &&
            before.prepare(QStringLiteral("SELECT count(*) FROM %2 WHERE %1 >= ? AND %1 < ?").arg(t.rowId, t.from));
    };
    const auto run = [](QSqlQuery& q, std::initializer_list<QVariant> binds) {
        int i = 0;
        for (const QVariant& b : binds)
            q.bindValue(i++, b);
        return q.exec();
    };
    // Reads piece `index`; what it found stands unless another reader finished the piece first.
    const auto read = [&](int index) {
        Piece& piece = scan.pieces[size_t(index)];
        if (!prepared)
            prepare();
        std::optional<qint64> match;
        qint64 rows = 0;
        QString error;
        const auto fail = [&](const QSqlQuery& q) {
            error = ReadError(q);
            return false;
        };
        const auto readPiece = [&] {
            if (!*prepared)
                return fail(!window.lastError().isValid() ? candidates.lastError().isValid() ? candidates : before
                                                          : window);
            if (!run(window, {scan.like, scan.pattern, piece.from, piece.upTo}) || !window.next())
                return fail(window);
            rows = window.value(0).toLongLong();
            const QVariant at = window.value(1);
            window.finish();
            if (at.isNull())
                return true;
            // Candidates from the first one on, until one matches.
            if (!run(candidates, {at, piece.upTo, scan.like, scan.pattern}))
                return fail(candidates);
            while (!match && candidates.next()) {
                const QVariant v = candidates.value(1);
                if (MatchesKey(v.isNull() ? QString() : v.toString(), scan.key, scan.partial, true))
                    match = candidates.value(0).toLongLong();
            }
            if (candidates.lastError().isValid())
                return fail(candidates);
            candidates.finish();
            if (!match)
                return true;
            if (!run(before, {piece.from, *match}) || !before.next())
                return fail(before);
            rows = before.value(0).toLongLong();
            before.finish();
            return true;
        };
        readPiece();
        {
            const std::scoped_lock lock(piece.mutex);
            if (piece.done)
                return;
            piece.done = true;
            piece.found = match;
            piece.rows = rows;
            piece.error = error;
        }
        if (match) {
            int expected = scan.firstFound.load();
            while (index < expected && !scan.firstFound.compare_exchange_weak(expected, index)) {
            }
        }
    };
    for (int index = scan.next.fetch_add(1); index < count && index <= scan.firstFound.load();
         index = scan.next.fetch_add(1)) {
        read(index);
    }
    if (!takeOver)
        return;
    for (int index = 0; index < count && index <= scan.firstFound.load(); ++index) {
        Piece& piece = scan.pieces[size_t(index)];
        bool done = false;
        {
            const std::scoped_lock lock(piece.mutex);
            done = piece.done;
        }
        if (!done)
            read(index);
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
    // Pieces of equal spans of row ids, in unsigned arithmetic: row ids span all of qint64.
    const quint64 width = quint64(last) - quint64(lo);  // row ids in the range, less one
    const int count = width < kSplitFrom ? 1 : kPieces;
    const auto scan = std::make_shared<Scan>(count);
    const quint64 step = width / quint64(count) + 1;  // unused (and wrapped) with one piece over all of qint64
    for (int p = 0; p < count; ++p) {
        const quint64 from = quint64(lo) + step * quint64(p);
        scan->pieces[size_t(p)].from = qint64(from);
        scan->pieces[size_t(p)].upTo = p == count - 1 ? last : qint64(from + step - 1);
    }
    scan->table = table;
    scan->key = key.toString();
    scan->partial = partial;
    scan->like = FoldedLikePattern(key, partial);
    scan->pattern = FoldedGlobPattern(key, partial);
    if (count > 1 && helpers) {
        helpers->Post([scan](const SqliteConnection& connection) {
            if (connection.IsOpen())  // else the others read its share
                ReadPieces(connection.Database(), *scan, false);
        });
    }
    ReadPieces(db, *scan, true);
    qint64 before = 0;
    for (Piece& piece : scan->pieces) {
        const std::scoped_lock lock(piece.mutex);  // done: every piece up to the first match
        if (!piece.error.isEmpty()) {
            error = piece.error;
            return false;
        }
        before += piece.rows;
        if (piece.found) {
            found = TRowMatch{*piece.found, before};
            return true;
        }
    }
    return true;
}
