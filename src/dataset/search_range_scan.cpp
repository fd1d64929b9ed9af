#include "dataset/search_range_scan.h"

#include "dataset/search_helpers.h"
#include "dataset/search_index.h"
#include "dataset/sqlite_connection.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

constexpr const char* kMatchFunction = "zarn_folded_match";

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
};

QString ReadError(const QSqlQuery& query)
{
    const QSqlError e = query.lastError();
    return e.databaseText().isEmpty() ? e.text() : e.databaseText();
}

/// A key case-folded code point by code point, as MatchesKey folds it; a
/// code point that may stand for other bytes (U+FFFD, a lone surrogate)
/// ends it with kAnyRest.
constexpr char32_t kAnyRest = 0xFFFFFFFF;

std::u32string FoldedCodePoints(QStringView key)
{
    std::u32string out;
    for (qsizetype i = 0; i < key.size(); ++i) {
        char32_t c = key[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < key.size() && key[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(key[i], key[i + 1]);
            ++i;
        }
        if (c == 0xFFFD || QChar::isSurrogate(c)) {
            out += kAnyRest;
            break;
        }
        out += c < 0x80 ? (c >= U'A' && c <= U'Z' ? c + (U'a' - U'A') : c) : QChar::toCaseFolded(c);
    }
    return out;
}

/// The next code point of UTF-8 text at `p` (moved past it); false when
/// the bytes are not well-formed UTF-8.
bool NextCodePoint(const unsigned char*& p, const unsigned char* end, char32_t& c)
{
    const unsigned char b = *p++;
    if (b < 0x80) {
        c = b;
        return true;
    }
    int more = 0;
    char32_t least = 0;
    if ((b & 0xE0) == 0xC0) {
        c = b & 0x1F;
        more = 1;
        least = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        c = b & 0x0F;
        more = 2;
        least = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        c = b & 0x07;
        more = 3;
        least = 0x10000;
    } else {
        return false;
    }
    for (; more > 0; --more) {
        if (p == end || (*p & 0xC0) != 0x80)
            return false;
        c = (c << 6) | (*p++ & 0x3F);
    }
    return c >= least && c <= 0x10FFFF && !QChar::isSurrogate(c);
}

void DeleteFoldedKey(void* key)
{
    delete static_cast<std::u32string*>(key);
}

/// SQL function kMatchFunction(value, key, partial): 0 when the value
/// cannot match the key case-folded (start with it when partial), 1 when it
/// may. Well-formed UTF-8 text is compared exactly, code point by code
/// point; numbers and BLOBs (which the data set may show otherwise than
/// SQLite writes them) and malformed text may match, to be checked with
/// MatchesKey. One pass over the bytes, no copy: a third of the cost of
/// LIKE and GLOB together.
void FoldedMatch(sqlite3_context* context, int, sqlite3_value** args)
{
    const int type = sqlite3_value_type(args[0]);
    if (type == SQLITE_NULL) {  // reads as "", which only the empty key matches
        sqlite3_result_int(context, sqlite3_value_bytes(args[1]) == 0 ? 1 : 0);
        return;
    }
    if (type != SQLITE_TEXT) {
        sqlite3_result_int(context, 1);
        return;
    }
    // The folded key is kept with the statement for every row.
    auto* key = static_cast<std::u32string*>(sqlite3_get_auxdata(context, 1));
    std::unique_ptr<std::u32string> made;
    if (!key) {
        const auto* text = static_cast<const char16_t*>(sqlite3_value_text16(args[1]));
        made = std::make_unique<std::u32string>(
            FoldedCodePoints(QStringView(text, qsizetype(sqlite3_value_bytes16(args[1]) / 2))));
        key = made.get();
    }
    const bool partial = sqlite3_value_int(args[2]) != 0;
    const auto* p = sqlite3_value_text(args[0]);
    const auto* end = p + sqlite3_value_bytes(args[0]);
    int result = -1;
    for (const char32_t wanted : *key) {
        if (wanted == kAnyRest) {
            result = 1;
            break;
        }
        char32_t c = 0;
        if (p == end) {
            result = 0;
            break;
        }
        if (!NextCodePoint(p, end, c)) {
            result = 1;
            break;
        }
        if (c >= 0x80)
            c = QChar::toCaseFolded(c);
        else if (c >= U'A' && c <= U'Z')
            c += U'a' - U'A';
        if (c != wanted) {
            result = 0;
            break;
        }
    }
    if (result < 0)
        result = partial || p == end ? 1 : 0;
    sqlite3_result_int(context, result);
    if (made)  // last: SQLite may drop it at once
        sqlite3_set_auxdata(context, 1, made.release(), DeleteFoldedKey);
}

/// Prepares `sql` on `db`, adding the match function to the connection
/// the first time a statement needs it.
bool PrepareWithMatch(const QSqlDatabase& db, QSqlQuery& query, const QString& sql)
{
    if (query.prepare(sql))
        return true;
    sqlite3* handle = SqliteHandle(db);
    if (!handle || !query.lastError().databaseText().contains(QLatin1String(kMatchFunction)))
        return false;
    if (sqlite3_create_function_v2(handle, kMatchFunction, 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                   nullptr, FoldedMatch, nullptr, nullptr, nullptr) != SQLITE_OK)
        return false;
    return query.prepare(sql);
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
    // One pass over a piece gives its rows and its first candidate.
    QSqlQuery window(db);
    QSqlQuery candidates(db);
    QSqlQuery before(db);
    std::optional<bool> prepared;  // on the first piece this reader reads
    const auto prepare = [&] {
        for (QSqlQuery* q : {&window, &candidates, &before})
            q->setForwardOnly(true);
        const QString candidate = QStringLiteral("%1(%2, ?, ?)").arg(QLatin1String(kMatchFunction), t.column);
        prepared =
            PrepareWithMatch(db, window,
                             QStringLiteral("SELECT count(*), min(%1) FILTER (WHERE %3) FROM %2 WHERE %1 >= ? AND %1 <= ?")
                                 .arg(t.rowId, t.from, candidate)) &&
            PrepareWithMatch(db, candidates,
                             QStringLiteral("SELECT %1, %2 FROM %3 WHERE %1 >= ? AND %1 <= ? AND %4 ORDER BY %1")
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
            if (!run(window, {scan.key, scan.partial, piece.from, piece.upTo}) || !window.next())
                return fail(window);
            rows = window.value(0).toLongLong();
            const QVariant at = window.value(1);
            window.finish();
            if (at.isNull())
                return true;
            // Candidates from the first one on, until one matches.
            if (!run(candidates, {at, piece.upTo, scan.key, scan.partial}))
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
