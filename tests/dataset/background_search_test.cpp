// Searches of a long list while its texts are still being read on another
// thread: the same records as the complete index, nothing stale after a
// change, and no read of every record on the searching thread.

#include "dataset/search_helpers.h"
#include "dataset/search_range_scan.h"
#include "dataset_test_db.h"
#include "common/stall_guard.h"

#include <gtest/gtest.h>

#include <QSqlQuery>
#include <QThread>

#include <sqlite3.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string_view>
#include <limits>
#include <tuple>

namespace {

constexpr auto kFolded = TLocateOption::loCaseInsensitive | TLocateOption::loPartialKey;

struct BackgroundSearch : ::testing::Test {
    TestDatabase db;
    std::unique_ptr<TSqlDataSet> set;

    void SetUp() override
    {
        db.MakeLasers(3000);
        // Texts that fold beyond ASCII, GLOB's own characters, values that are not text.
        // A column without a declared type keeps numbers and BLOBs as they are.
        ASSERT_TRUE(db.db->Exec("ALTER TABLE lasers ADD COLUMN tag"));
        ASSERT_TRUE(db.db->Exec(QString::fromUtf8("UPDATE lasers SET tag = CASE id "
                                      "WHEN 1200 THEN '\xe2\x84\xaa" "elvin' "        // Kelvin sign
                                      "WHEN 1300 THEN 'Ma\xc3\x9f 2' "             // sharp s
                                      "WHEN 1400 THEN 'MA\xe1\xba\x9e 1' "         // capital sharp s
                                      "WHEN 1500 THEN '\xcf\x82igma' "             // final sigma
                                      "WHEN 1600 THEN 'a*b?[c]' "
                                      "WHEN 2500 THEN 'a*b?[c] late' "
                                      "WHEN 2600 THEN 42 "
                                      "WHEN 2700 THEN 0.1 + 0.2 "   // SQLite writes it as 0.3
                                      "WHEN 2800 THEN x'4142' "
                                      "WHEN 2900 THEN CAST(x'51ff' AS TEXT) "       // not UTF-8
                                      "WHEN 2950 THEN '\xf0\x90\x90\x80x' "    // beyond 16 bits: folds to U+10428
                                      "ELSE 'n' || id END")))
            << db.db->Error().toStdString();
        set = db.Table("lasers");
        ASSERT_TRUE(set->Open());
        set->SetBackgroundSearchFrom(1000);
    }

    /// The record each key finds, searched the plain way (no background read).
    std::vector<int> Plain(const std::vector<QString>& keys, TLocateOptions options = kFolded)
    {
        auto plain = db.Table("lasers");
        EXPECT_TRUE(plain->Open());
        std::vector<int> found;
        for (const QString& key : keys)
            found.push_back(plain->Locate("tag", key, options) ? plain->RecNo() : -1);
        return found;
    }
    std::vector<int> Searched(const std::vector<QString>& keys, TLocateOptions options = kFolded)
    {
        std::vector<int> found;
        for (const QString& key : keys)
            found.push_back(set->Locate("tag", key, options) ? set->RecNo() : -1);
        return found;
    }
};

/// Table "big": `rows` rows, ids 1.., named "Big 1".. .
void MakeBig(TestDatabase& db, int rows)
{
    ASSERT_TRUE(db.db->Exec("CREATE TABLE big (id INTEGER PRIMARY KEY, name TEXT)"));
    ASSERT_TRUE(db.db->Exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
                                           "%1) INSERT INTO big SELECT i, 'Big ' || i FROM n")
                                .arg(rows)));
}

}  // namespace

TEST(BackgroundSearchStop, PostDeleteRefreshCloseAndDestroyingEndTheReadWithinASlice)
{
    const StallGuard guard(std::chrono::seconds(120));
    constexpr int kRows = 1000000;
    TestDatabase db;
    MakeBig(db, kRows);
    auto set = db.Table("big");
    ASSERT_TRUE(set->Open());
    // Each change starts at once after the read starts; the read then stops
    // within a slice or two instead of reading on through the table.
    const std::vector<std::pair<const char*, std::function<bool()>>> changes = {
        {"post",
         [&] {
             set->SetRecNo(10);
             set->Edit();
             set->FindField("name")->SetAsString("Edited");
             return set->Post();
         }},
        {"delete", [&] { return set->Delete(); }},
        // A refresh that finds nothing changed keeps the read: it follows a change here.
        {"refresh", [&] { return db.db->Exec("UPDATE big SET name = 'Changed' WHERE id = 1") && set->Refresh(); }},
        {"close", [&] {
             set->Close();
             return true;
         }},
    };
    for (const auto& [name, change] : changes) {
        const int before = set->DroppedSearchReadRows();
        set->PrepareSearch("name");
        ASSERT_TRUE(set->SearchReadRunning("name")) << name;
        ASSERT_TRUE(change()) << name << set->LastError().toStdString();
        EXPECT_FALSE(set->SearchReadRunning("name")) << name;
        EXPECT_LT(set->DroppedSearchReadRows() - before, kRows / 2) << name;
    }
    // The reader's own stop, as its destructor does.
    TSearchIndexReader reader({db.path, "\"big\"", "id", "\"name\""}, 1, kRows);
    reader.Stop();
    EXPECT_LT(reader.RowsRead(), kRows / 2);
}

TEST_F(BackgroundSearch, FindsWhatTheCompleteIndexFindsWhereverTheReadHasGot)
{
    const std::vector<QString> keys = {
        "n1",   "N2999", "n3000", "k", "KEL",  QString::fromUtf8("ma\xc3\x9f"), "mass", QString::fromUtf8("\xce\xa3IG"),
        "A*B?[C", "a*b?[c] l", "42", "0.30000", "ab", "n30001", "zzz", "n", "",
        "q", QString::fromUtf8("Q\xef\xbf\xbd"), QString::fromUtf8("\xf0\x90\x90\xa8X"),
    };
    const std::vector<int> expected = Plain(keys);
    ASSERT_EQ(expected[3], 1199);  // the Kelvin sign folds to "k"
    ASSERT_EQ(std::vector(expected.end() - 3, expected.end()), std::vector({2899, 2899, 2949}));
    const std::vector<QString> whole = {"N3", "KELVIN", QString::fromUtf8("mass 1"), "42", "0.3", "AB", "", "q",
                                        QString::fromUtf8("\xf0\x90\x90\xa8x")};
    const auto exact = TLocateOptions(TLocateOption::loCaseInsensitive);
    const std::vector<int> expectedWhole = Plain(whole, exact);
    // Keys as typing builds them up: each searched from the one before's match.
    const std::vector<QString> typed = {"n", "N2", "n29", "n299", "n2999", "n2999x", "n2999xy", "n2", "n24",
                                        "n249", "n2499", "n2499", "N", "N1", "N13", "n130", "n1300", "k"};
    const std::vector<int> expectedTyped = Plain(typed);
    for (const int heldAt : {0, 1000, 2800}) {
        set->Refresh();
        set->HoldSearchReadsAt(heldAt);
        set->PrepareSearch("tag");
        EXPECT_TRUE(set->SearchReadRunning("tag"));
        EXPECT_EQ(Searched(keys), expected) << heldAt;
        EXPECT_EQ(Searched(whole, exact), expectedWhole) << heldAt;
        EXPECT_EQ(Searched(typed), expectedTyped) << heldAt;
        EXPECT_TRUE(set->SearchReadRunning("tag")) << heldAt;  // searched while held, never complete
    }
    // Released, the read completes and is taken over.
    set->HoldSearchReadsAt(-1);
    for (int i = 0; i < 500 && set->SearchReadRunning("tag"); ++i) {
        set->Locate("tag", "n1", kFolded);
        QThread::msleep(2);
    }
    EXPECT_FALSE(set->SearchReadRunning("tag"));
    EXPECT_EQ(Searched(keys), expected);
    EXPECT_EQ(set->SearchIndexReads(), 0);  // never every record on this thread
}

TEST_F(BackgroundSearch, ChangedRecordsAreSearchedAsTheyNowAreAndUniqueKeysFoundWithoutAKeyMap)
{
    const auto searched = [&](const QString& key) { return set->Locate("name", key, kFolded) ? set->RecNo() : -1; };
    const auto changed = [&] {
        set->HoldSearchReadsAt(1000);
        set->PrepareSearch("name");  // as a lookup control does after every change
    };
    changed();
    // A one-column integer key, found through the row ids read so far or counted beyond them.
    EXPECT_EQ(std::vector({set->FindRecord("id", 2), set->FindRecord("id", "2999"), set->FindRecord("id", 3001),
                           set->FindRecord("id", "02")}),
              std::vector({1, 2998, -1, -1}));

    set->SetRecNo(2500);
    ASSERT_TRUE(set->Edit());
    set->FindField("name")->SetAsString("Renamed");
    ASSERT_TRUE(set->Post());
    changed();
    EXPECT_EQ(std::vector({searched("renamed"), searched("L2501")}), std::vector({2500, -1}));
    set->First();
    ASSERT_TRUE(set->Delete());
    changed();
    EXPECT_EQ(std::vector({searched("L2"), searched("renamed"), searched("l1")}), std::vector({0, 2499, 8}));
    SqliteConnection other(db.path);
    ASSERT_TRUE(other.Exec("INSERT INTO lasers (name) VALUES ('Newest')"));
    ASSERT_TRUE(other.Exec("UPDATE lasers SET name = 'Gone' WHERE id = 2"));
    ASSERT_TRUE(set->Refresh());
    changed();
    EXPECT_EQ(std::vector({searched("newest"), searched("L2"), searched("gone")}), std::vector({2999, 18, 0}));
    EXPECT_EQ(std::tuple(set->FindRecord("id", 3001), set->SearchIndexReads()), std::tuple(2999, 0));
    // A gap in the row ids beyond the rows read: places there are counted in the database.
    ASSERT_TRUE(other.Exec("DELETE FROM lasers WHERE id = 1500"));
    ASSERT_TRUE(set->Refresh());
    changed();
    EXPECT_EQ(std::vector({set->FindRecord("id", 1499), set->FindRecord("id", 1500), set->FindRecord("id", 1501),
                           set->FindRecord("id", 3001)}),
              std::vector({1497, -1, 1498, 2998}));
}

TEST_F(BackgroundSearch, AWritersLockHoldsTheReadBackButNeverStopsItOrTheCaller)
{
    SqliteConnection other(db.path);
    ASSERT_TRUE(other.Exec("BEGIN EXCLUSIVE"));
    set->PrepareSearch("tag");
    // A key meanwhile reports the lock and moves nothing.
    EXPECT_FALSE(set->Locate("tag", "n5", kFolded));
    EXPECT_TRUE(set->LastError().contains("locked")) << set->LastError().toStdString();
    ASSERT_TRUE(other.Exec("ROLLBACK"));
    EXPECT_TRUE(set->Locate("tag", "n5", kFolded));
    EXPECT_EQ(set->RecNo(), 4);
    for (int i = 0; i < 500 && set->SearchReadRunning("tag"); ++i) {
        set->Locate("tag", "n1", kFolded);
        QThread::msleep(2);
    }
    EXPECT_EQ(std::tuple(set->SearchReadRunning("tag"), set->SearchIndexReads()), std::tuple(false, 0));
    // Closing while the read waits for a lock stops it (a change first, so
    // that the refresh drops the complete index and a read starts again).
    ASSERT_TRUE(other.Exec("UPDATE lasers SET note = 'Noted' WHERE id = 1"));
    ASSERT_TRUE(set->Refresh());
    ASSERT_TRUE(other.Exec("BEGIN EXCLUSIVE"));
    set->PrepareSearch("tag");
    EXPECT_TRUE(set->SearchReadRunning("tag"));
    set->Close();
    EXPECT_TRUE(other.Exec("ROLLBACK"));
}

TEST(SplitRangeSearch, FindsTheFirstMatchAndCountsTheRowsBeforeItAcrossEveryPart)
{
    // Row ids over the whole 64-bit range split the rows left into pieces
    // that the caller and the helpers share; ids sit on both ends, on pieces'
    // edges (-2^62, 0, 2^62) and between them, sparse.
    constexpr qint64 kMin = std::numeric_limits<qint64>::min();
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    constexpr qint64 kQuarter = qint64(1) << 62;
    std::vector<qint64> ids = {kMin, kMin + 1, -kQuarter - 1, -kQuarter, -kQuarter + 1, -1, 0, 1,
                               kQuarter - 1, kQuarter, kQuarter + 1, kMax - 1, kMax};
    quint64 lcg = 12345;
    for (int i = 0; i < 300; ++i) {
        lcg = lcg * 6364136223846793005ULL + 1442695040888963407ULL;
        ids.push_back(qint64(lcg));
    }
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    // Texts: "r<place>", some shared by rows in different parts, and a few
    // that fold beyond ASCII.
    std::vector<QString> texts;
    for (size_t i = 0; i < ids.size(); ++i)
        texts.push_back(QStringLiteral("r%1").arg(i));
    texts[ids.size() - 1] = "Last";
    texts[0] = "First";
    texts[ids.size() / 2] = QString::fromUtf8("\xe2\x84\xaa" "elvin");  // Kelvin sign
    texts[ids.size() * 3 / 4] = "kelvin";
    texts[ids.size() / 4] = "Shared";
    texts[ids.size() - 3] = "shared";
    TestDatabase db;
    ASSERT_TRUE(db.db->Exec("CREATE TABLE wide (id INTEGER PRIMARY KEY, name TEXT)"));
    ASSERT_TRUE(db.db->Exec("BEGIN"));
    QSqlQuery insert(db.db->Database());
    ASSERT_TRUE(insert.prepare("INSERT INTO wide VALUES (?, ?)"));
    for (size_t i = 0; i < ids.size(); ++i) {
        insert.bindValue(0, ids[i]);
        insert.bindValue(1, texts[i]);
        ASSERT_TRUE(insert.exec()) << i;
    }
    ASSERT_TRUE(db.db->Exec("COMMIT"));
    const TRowIdTable table{db.path, "\"wide\"", "id", "\"name\""};
    // Helpers that a busy machine gives no core: held on a job that waits.
    std::mutex mutex;
    std::condition_variable released;
    bool free = false;
    std::atomic<int> held{0};
    TSearchHelpers helpers(db.path, kRangeScanHelpers);
    const std::vector<QString> keys = {"first", "LAST", "r1", "r29", "r2999", "KEL", "shared", "SH", "r", "x", ""};
    // After no row, after each end and the pieces' edges, and after the last.
    const std::vector<std::optional<qint64>> afters = {std::nullopt, kMin, -kQuarter - 1, -kQuarter, -1, 0,
                                                       kQuarter - 1, kQuarter, kMax - 1, kMax};
    const auto searchEverything = [&](const char* helping) {
        for (const std::optional<qint64>& after : afters) {
            for (const QString& key : keys) {
                for (const bool partial : {true, false}) {
                    std::optional<TRowMatch> expected;
                    qint64 before = 0;
                    for (size_t i = 0; i < ids.size() && !expected; ++i) {
                        if (after && ids[i] <= *after)
                            continue;
                        if (MatchesKey(texts[i], key, partial, true))
                            expected = TRowMatch{ids[i], before};
                        ++before;
                    }
                    std::optional<TRowMatch> found;
                    QString error;
                    ASSERT_TRUE(
                        FirstMatchingRowId(db.db->Database(), &helpers, table, after, key, partial, found, error))
                        << error.toStdString();
                    const auto asTuple = [](const std::optional<TRowMatch>& m) {
                        return m ? std::tuple(true, m->rowId, m->rowsBefore) : std::tuple(false, qint64(0), qint64(0));
                    };
                    EXPECT_EQ(asTuple(found), asTuple(expected)) << helping << " " << key.toStdString() << " partial "
                                                                 << partial << " after " << after.value_or(-42);
                }
            }
        }
    };
    searchEverything("helped");
    // With every helper held, the caller reads all pieces alone and waits for none.
    const StallGuard guard(std::chrono::seconds(120));
    helpers.Post([&](const SqliteConnection&) {
        ++held;
        std::unique_lock lock(mutex);
        released.wait(lock, [&] { return free; });
    });
    while (held.load() < kRangeScanHelpers)
        QThread::msleep(1);
    searchEverything("alone");
    {
        const std::scoped_lock lock(mutex);
        free = true;
    }
    released.notify_all();
}

TEST_F(BackgroundSearch, SearchesTheRowsTheDataSetSeesInATempTableAndInItsOpenTransaction)
{
    // A TEMP table of the data set's connection shadows "lasers" of the file:
    // no other connection sees it, so no read of the file may answer for it.
    ASSERT_TRUE(db.db->Exec("CREATE TEMP TABLE lasers (id INTEGER PRIMARY KEY, name TEXT)"));
    ASSERT_TRUE(db.db->Exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
                            "INSERT INTO temp.lasers SELECT i, 'Temp ' || i FROM n"));
    const auto searched = [&](TSqlDataSet& s, const std::vector<QString>& keys) {
        std::vector<int> found;
        for (const QString& key : keys)
            found.push_back(s.Locate("name", key, kFolded) ? s.RecNo() : -1);
        return found;
    };
    {
        auto shadowed = db.Table("lasers");
        ASSERT_TRUE(shadowed->Open());
        shadowed->SetBackgroundSearchFrom(1000);
        shadowed->HoldSearchReadsAt(1000);
        shadowed->PrepareSearch("name");
        EXPECT_FALSE(shadowed->SearchReadRunning("name"));
        EXPECT_EQ(searched(*shadowed, {"temp 5", "TEMP 2999", "l5"}), std::vector({4, 2998, -1}));
    }
    ASSERT_TRUE(db.db->Exec("DROP TABLE temp.lasers"));

    // Rows changed and added by the data set's own connection, not committed yet.
    ASSERT_TRUE(db.db->Exec("BEGIN"));
    ASSERT_TRUE(db.db->Exec("UPDATE lasers SET name = 'Uncommitted' WHERE id = 5"));
    ASSERT_TRUE(db.db->Exec("INSERT INTO lasers (id, name) VALUES (3001, 'Added')"));
    ASSERT_TRUE(set->Refresh());
    set->HoldSearchReadsAt(1000);
    set->PrepareSearch("name");
    EXPECT_FALSE(set->SearchReadRunning("name"));
    EXPECT_EQ(searched(*set, {"uncommitted", "added", "L5", "l2999"}), std::vector({4, 3000, 49, 2998}));
    ASSERT_TRUE(db.db->Exec("ROLLBACK"));
    // Begun while a read runs: the read no longer answers.
    ASSERT_TRUE(set->Refresh());
    set->PrepareSearch("name");
    ASSERT_TRUE(set->SearchReadRunning("name"));
    ASSERT_TRUE(db.db->Exec("BEGIN"));
    ASSERT_TRUE(db.db->Exec("UPDATE lasers SET name = 'Uncommitted' WHERE id = 5"));
    EXPECT_EQ(searched(*set, {"uncommitted"}), std::vector({4}));
    ASSERT_TRUE(db.db->Exec("ROLLBACK"));
}

TEST(SearchAcrossRefresh, ANothingChangedRefreshKeepsTheIndexesAndReadsAndAnyWriteDropsThem)
{
    TestDatabase db;
    auto set = db.OpenLasers(3000);
    ASSERT_TRUE(set);
    auto other = db.Table("lasers");  // another data set on the same connection
    ASSERT_TRUE(other->Open());
    SqliteConnection elsewhere(db.path);
    const auto searched = [&](const QString& key) { return set->Locate("name", key, kFolded) ? set->RecNo() : -1; };
    // Where a key leads, then how many indexes were read on this thread.
    const auto searchedAndReads = [&](const QString& key) {
        const int found = searched(key);
        return std::tuple(found, set->SearchIndexReads());
    };
    // An index read on this thread, found again after a refresh, read again after a change.
    ASSERT_EQ(searched("l2999"), 2998);
    ASSERT_TRUE(set->Refresh());
    EXPECT_EQ(searchedAndReads("L3000"), std::tuple(2999, 1));
    // Each change, a key that finds what it changed, and where. In a
    // transaction of its own every refresh reads again (a rollback changes no counter).
    const std::vector<std::tuple<const char*, std::function<bool()>, QString, int>> changes = {
        {"another connection", [&] { return elsewhere.Exec("UPDATE lasers SET name = 'Far' WHERE id = 7"); }, "far", 6},
        {"this connection", [&] { return db.db->Exec("UPDATE lasers SET name = 'Near' WHERE id = 8"); }, "near", 7},
        {"another data set",
         [&] {
             other->SetRecNo(8);
             return other->Edit() && other->FindField("name")->SetAsString("Sibling") && other->Post();
         },
         "sibling", 8},
        {"not committed",
         [&] { return db.db->Exec("BEGIN") && db.db->Exec("UPDATE lasers SET name = 'Pending' WHERE id = 10"); },
         "pending", 9},
        {"rolled back", [&] { return db.db->Exec("ROLLBACK"); }, "pending", -1},
        {"a shadowing TEMP table",
         [&] {
             return db.db->Exec("CREATE TEMP TABLE lasers (id INTEGER PRIMARY KEY, name TEXT)") &&
                    db.db->Exec("INSERT INTO temp.lasers SELECT id, 'Temp ' || id FROM main.lasers");
         },
         "temp 3", 2},
        {"the TEMP table dropped", [&] { return db.db->Exec("DROP TABLE temp.lasers"); }, "temp 3", -1},
    };
    int reads = set->SearchIndexReads();
    for (const auto& [name, change, key, expected] : changes) {
        ASSERT_TRUE(change()) << name;
        ASSERT_TRUE(set->Refresh()) << name;
        EXPECT_EQ(searchedAndReads(key), std::tuple(expected, ++reads)) << name;
        ASSERT_TRUE(set->Refresh()) << name;
        const bool inTransaction = name == std::string_view("not committed");
        EXPECT_EQ(searchedAndReads(key), std::tuple(expected, inTransaction ? ++reads : reads)) << name;
    }

    // A background read goes on through a refresh that changes nothing.
    set->SetBackgroundSearchFrom(1000);
    set->HoldSearchReadsAt(1000);
    ASSERT_TRUE(elsewhere.Exec("UPDATE lasers SET name = 'Late' WHERE id = 2500"));
    ASSERT_TRUE(set->Refresh());
    set->PrepareSearch("name");
    ASSERT_TRUE(set->SearchReadRunning("name"));
    for (int i = 0; i < 5000 && set->SearchReadRows("name") < 1000; ++i)
        QThread::msleep(1);
    ASSERT_EQ(set->SearchReadRows("name"), 1000);
    const int dropped = set->DroppedSearchReadRows();
    ASSERT_TRUE(set->Refresh());
    set->PrepareSearch("name");  // as a lookup control does after a refresh
    EXPECT_EQ(std::tuple(set->SearchReadRows("name"), set->DroppedSearchReadRows()), std::tuple(1000, dropped));
    EXPECT_EQ(std::vector({searched("late"), searched("L2")}), std::vector({2499, 1}));
    ASSERT_TRUE(elsewhere.Exec("UPDATE lasers SET name = 'Later' WHERE id = 2600"));
    ASSERT_TRUE(set->Refresh());
    EXPECT_FALSE(set->SearchReadRunning("name"));
    set->PrepareSearch("name");
    EXPECT_EQ(std::vector({searched("later"), searched("late"), searched("l2")}), std::vector({2599, 2499, 1}));
    EXPECT_EQ(set->SearchIndexReads(), reads);  // searched while read, never read here
}

TEST(SqliteLibrary, KeepsNoProcessWideMemoryCountWhoseLockEveryAllocationTakes)
{
    // Searches on several threads allocate all the time: one lock for all
    // of them would keep them waiting on each other more than reading.
    TestDatabase db;
    MakeBig(db, 1000);
    auto set = db.Table("big");
    ASSERT_TRUE(set->Open());
    EXPECT_TRUE(set->Locate("name", "big 999", kFolded));
    EXPECT_EQ(sqlite3_memory_used(), 0);
}
