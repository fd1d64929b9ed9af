// Searches of a long list while its texts are still being read on another
// thread: the same records as the complete index, nothing stale after a
// change, and no read of every record on the searching thread.

#include "dataset/search_range_scan.h"
#include "dataset_test_db.h"

#include <gtest/gtest.h>

#include <QSqlQuery>
#include <QThread>

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

}  // namespace

TEST_F(BackgroundSearch, FindsWhatTheCompleteIndexFindsWhereverTheReadHasGot)
{
    const std::vector<QString> keys = {
        "n1",   "N2999", "n3000", "k", "KEL",  QString::fromUtf8("ma\xc3\x9f"), "mass", QString::fromUtf8("\xce\xa3IG"),
        "A*B?[C", "a*b?[c] l", "42", "0.30000", "ab", "n30001", "zzz", "n", "",
    };
    const std::vector<int> expected = Plain(keys);
    ASSERT_EQ(expected[3], 1199);  // the Kelvin sign folds to "k"
    const std::vector<QString> whole = {"N3", "KELVIN", QString::fromUtf8("mass 1"), "42", "0.3", "AB", ""};
    const auto exact = TLocateOptions(TLocateOption::loCaseInsensitive);
    const std::vector<int> expectedWhole = Plain(whole, exact);
    for (const int heldAt : {0, 1000, 2800}) {
        set->Refresh();
        set->HoldSearchReadsAt(heldAt);
        set->PrepareSearch("tag");
        EXPECT_TRUE(set->SearchReadRunning("tag"));
        EXPECT_EQ(Searched(keys), expected) << heldAt;
        EXPECT_EQ(Searched(whole, exact), expectedWhole) << heldAt;
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
    // Closing while the read waits for a lock stops it.
    ASSERT_TRUE(set->Refresh());
    ASSERT_TRUE(other.Exec("BEGIN EXCLUSIVE"));
    set->PrepareSearch("tag");
    set->Close();
    EXPECT_TRUE(other.Exec("ROLLBACK"));
}
