#pragma once
// The first row of a row-id table, in row-id order, whose text column
// starts with (or equals) a key compared case-folded, found in the database
// itself: for the rows a background read (TSearchIndexReader) has not
// reached yet. A function of this system's, added to each connection that
// searches, narrows the rows in SQLite to a set that holds every match
// (every text that matches, and the numbers and BLOBs); each of those is
// then checked with MatchesKey, as the index would.
// A long range of row ids is read in pieces, taken in order by the calling
// thread (through its own connection) and long-lived helper threads, each
// with a read-only connection of its own (TSearchHelpers); all have ended
// their pieces before the call returns.

#include <QSqlDatabase>
#include <QString>
#include <QStringView>

#include <optional>

class TSearchHelpers;

/// A scan of a million rows takes SQLite 40-100 ms on one core: a long
/// range is shared between the caller and this many helpers.
constexpr int kRangeScanHelpers = 7;

/// Where a text column of a row-id table is read from.
struct TRowIdTable {
    QString path;    // the database file, which other connections open read-only
    QString from;    // the quoted table, named with its schema
    QString rowId;   // a row-id name no column shadows
    QString column;  // the quoted column
};

struct TRowMatch {
    qint64 rowId = 0;
    qint64 rowsBefore = 0;  // rows between `after` and it
};

/// Any thread, through `db` (a connection of this thread to table.path)
/// and, for a long range, `helpers` (over table.path; null: none). The
/// first row after row id `after` (from the first row when none) whose text
/// matches `key` case-folded; nullopt in `found` when none. False with
/// `error` set when a read failed.
bool FirstMatchingRowId(const QSqlDatabase& db, TSearchHelpers* helpers, const TRowIdTable& table,
                        std::optional<qint64> after, QStringView key, bool partial, std::optional<TRowMatch>& found,
                        QString& error);
