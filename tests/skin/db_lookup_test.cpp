// Lookup list and combo boxes: lists from a second table, the incremental
// search with a clock the test steps, and the lookup-field rules.

#include "db_test_database.h"
#include "common/stall_guard.h"
#include "skin/data_aware/db_lookup_combo_box.h"
#include "skin/data_aware/db_lookup_list_box.h"
#include "skin/combo_box.h"
#include "skin/data_aware/db_texts.h"

#include <gtest/gtest.h>

#include <QTest>

#include <tuple>

namespace {

struct Lookups : ::testing::Test {
    DbFixture f;
    std::unique_ptr<TSqlDataSet> lasers;
    std::unique_ptr<TDataSource> laserSource;
    std::shared_ptr<LookupSearchStamp> stamp = std::make_shared<LookupSearchStamp>();
    qint64 clock = 100000;

    void SetUp() override
    {
        f.db->Exec("CREATE TABLE lasers (code INTEGER PRIMARY KEY, name VARCHAR(40), watts INTEGER)");
        f.db->Exec("INSERT INTO lasers VALUES (1, 'Alpha', 1), (2, 'beta', 2), (3, 'Bravo', 3), (4, 'Charlie', 4), "
                   "(5, 'Delta', 5), (6, 'Echo', 6), (7, 'Foxtrot', 7), (8, 'Golf', 8), (9, 'Hotel', 9)");
        f.db->Exec(QString("INSERT INTO lasers VALUES (10, '%1', 10)").arg(QString(40, 'x')));
        f.db->Exec("ALTER TABLE shows ADD COLUMN laser INTEGER");
        f.db->Exec("UPDATE shows SET laser = 2 WHERE id = 1");
        lasers = std::make_unique<TSqlDataSet>(f.db->Database());
        lasers->SetTableName("lasers");
        ASSERT_TRUE(lasers->Open());
        laserSource = std::make_unique<TDataSource>(lasers.get());
        stamp->now = [this] { return clock; };
    }
    /// Table "items": codes 1..rows named "Item 1" .. "Item <rows>".
    void MakeItems(int rows = 5000)
    {
        f.db->Exec("CREATE TABLE items (code INTEGER PRIMARY KEY, name TEXT)");
        f.db->Exec(QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                           "INSERT INTO items SELECT i, 'Item ' || i FROM n")
                       .arg(rows));
    }
    /// The combo lists the items by name and keys them by code.
    static void ListItems(TskDBLookupComboBox& combo, TDataSource& items)
    {
        combo.SetListSource(&items);
        combo.SetKeyField("code");
        combo.SetListField("name");
    }
    void TearDown() override
    {
        f.source->SetDataSet(nullptr);
    }
};

}  // namespace

TEST_F(Lookups, ListBoxShowsTheKeysRecordAndWritesTheChosenKey)
{
    ASSERT_TRUE(f.set->Open());
    QWidget form;
    auto* list = new TskDBLookupListBox(&form);
    EXPECT_EQ(list->size(), QSize(121, list->RowHeight() * 7 + 4));
    list->SetRowCount(500);
    EXPECT_EQ(list->RowCount(), 100);
    list->SetRowCount(3);
    f.Bind(list, "laser");
    EXPECT_FALSE(list->SetListSource(f.source.get()));  // its own data set
    EXPECT_EQ(std::tuple(list->LastError(), list->ListSource()),
              std::tuple(QString("Circular datalinks are not allowed"), static_cast<TDataSource*>(nullptr)));
    ASSERT_TRUE(list->SetListSource(laserSource.get()));
    ASSERT_TRUE(list->SetKeyField("code"));
    list->SetListField("name;watts");
    EXPECT_EQ(std::tuple(list->KeyValue().toInt(), list->Text()), std::tuple(2, QString("beta")));

    form.show();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_End);  // the chosen row is brought into view
    EXPECT_EQ(std::tuple(f.set->State(), f.set->FindField("laser")->AsInteger(), list->TopIndex()),
              std::tuple(TDataSetState::dsEdit, 10, 7));
    QTest::keyClick(list, Qt::Key_PageUp);
    EXPECT_EQ(f.set->FindField("laser")->AsInteger(), 8);
    QTest::keyClick(list, Qt::Key_Home);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->KeyValue().toInt(), 2);
    ASSERT_TRUE(f.set->Post());
    QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(10, 2 + list->RowHeight() * 2 + 1));
    EXPECT_EQ(list->KeyValue().toInt(), 3);
    EXPECT_EQ(f.Posted(1, "laser").toInt(), 3);

    // The edge-scroll timer never runs faster than 10 ms.
    EXPECT_EQ(std::vector({TskDBLookupListBox::EdgeScrollInterval(1), TskDBLookupListBox::EdgeScrollInterval(13),
                           TskDBLookupListBox::EdgeScrollInterval(400)}),
              std::vector({185, 10, 10}));
}

TEST_F(Lookups, IncrementalSearchIsPartialCaseInsensitiveResetsAndIsCapped)
{
    TskDBLookupListBox list;
    list.SetSearchStamp(stamp);
    list.SetListSource(laserSource.get());
    list.SetKeyField("code");
    list.SetListField("name");
    list.show();
    list.setFocus();
    QTest::keyClick(&list, 'B');
    EXPECT_EQ(list.KeyValue().toInt(), 2);  // "beta" matches "B" without regard to case
    clock += 1999;
    QTest::keyClick(&list, 'r');
    EXPECT_EQ(std::tuple(list.KeyValue().toInt(), list.SearchText()), std::tuple(3, QString("Br")));  // Bravo
    QTest::keyClick(&list, 'z');  // no match: kept, and the text does not grow
    EXPECT_EQ(std::tuple(list.KeyValue().toInt(), list.SearchText()), std::tuple(3, QString("Br")));
    clock += 2001;
    QTest::keyClick(&list, 'c');  // a pause starts the search again
    EXPECT_EQ(std::tuple(list.KeyValue().toInt(), list.SearchText()), std::tuple(4, QString("c")));
    QTest::keyClick(&list, Qt::Key_Escape);
    EXPECT_EQ(list.SearchText(), "");

    // The stamp is shared: typing into another control counts as the previous key.
    TskDBLookupListBox other;
    other.SetSearchStamp(stamp);
    QTest::keyClick(&list, 'd');
    clock += 1500;
    stamp->last = clock;  // a key in another lookup control
    clock += 1500;
    QTest::keyClick(&list, 'e');
    EXPECT_EQ(list.SearchText(), "de");

    // 32 characters at most.
    clock += 5000;
    for (int i = 0; i < 40; ++i)
        QTest::keyClick(&list, 'x');
    EXPECT_EQ(std::tuple(list.KeyValue().toInt(), list.SearchText()), std::tuple(10, QString(32, 'x')));
}

TEST_F(Lookups, IncrementalSearchFindsDeepRecordsWithoutReadingTheListPageByPage)
{
    MakeItems();
    TSqlDataSet items(f.db->Database());
    items.SetTableName("items");
    ASSERT_TRUE(items.Open());
    TDataSource itemSource(&items);
    TskDBLookupComboBox combo;
    combo.SetSearchStamp(stamp);
    ListItems(combo, itemSource);
    combo.show();
    combo.setFocus();
    const int reads = items.PageReads();
    QTest::keyClicks(&combo, "ITEM 4999");
    EXPECT_EQ(std::tuple(combo.KeyValue().toInt(), combo.Text(), combo.SearchText()),
              std::tuple(4999, QString("Item 4999"), QString("ITEM 4999")));
    EXPECT_LE(items.PageReads() - reads, 4);
}

TEST_F(Lookups, LongListIsSearchedWhileItsTextsAreReadAndNothingShownIsStale)
{
    MakeItems();
    TSqlDataSet items(f.db->Database());
    items.SetTableName("items");
    items.SetBackgroundSearchFrom(1000);
    items.HoldSearchReadsAt(1000);  // the rest is searched in the database
    ASSERT_TRUE(items.Open());
    TDataSource itemSource(&items);
    ASSERT_TRUE(f.set->Open());
    TskDBLookupComboBox combo;
    combo.SetSearchStamp(stamp);
    f.Bind(&combo, "laser");
    ListItems(combo, itemSource);
    EXPECT_TRUE(items.SearchReadRunning("name"));  // from the moment the list is bound
    combo.show();
    combo.setFocus();
    QTest::keyClicks(&combo, "ITEM 4999");
    EXPECT_EQ(std::tuple(combo.KeyValue().toInt(), combo.Text(), combo.SearchText()),
              std::tuple(4999, QString("Item 4999"), QString("ITEM 4999")));

    // Another connection's change, once the list is refreshed: found, and shown.
    SqliteConnection other(f.path);
    other.Exec("UPDATE items SET name = 'Zulu' WHERE code = 4000");
    other.Exec("UPDATE items SET name = 'Item 4999 renamed' WHERE code = 4999");
    ASSERT_TRUE(items.Refresh());
    EXPECT_EQ(combo.Text(), "Item 4999 renamed");
    clock += 5000;
    QTest::keyClick(&combo, 'z');
    EXPECT_EQ(std::tuple(combo.KeyValue().toInt(), combo.Text()), std::tuple(4000, QString("Zulu")));
    // A post and a delete through the list data set.
    items.SetRecNo(2999);
    ASSERT_TRUE(items.Edit());
    items.FindField("name")->SetAsString("Xray");
    ASSERT_TRUE(items.Post());
    clock += 5000;
    QTest::keyClick(&combo, 'x');
    EXPECT_EQ(combo.KeyValue().toInt(), 3000);
    ASSERT_TRUE(items.Delete());
    clock += 5000;
    QTest::keyClick(&combo, 'x');
    // Nothing found: the key stays, its record gone.
    EXPECT_EQ(std::tuple(combo.KeyValue().toInt(), combo.Text()), std::tuple(3000, QString()));
    QTest::keyClicks(&combo, "z");
    EXPECT_EQ(combo.KeyValue().toInt(), 4000);
    EXPECT_EQ(items.SearchIndexReads(), 0);  // no key read the whole list
}

TEST_F(Lookups, AMillionRowListTakesAnEditAtOnceWithoutReadingOnThroughItsTexts)
{
    const StallGuard guard(std::chrono::seconds(120));
    constexpr int kRows = 1000000;
    MakeItems(kRows);
    TSqlDataSet items(f.db->Database());
    items.SetTableName("items");
    ASSERT_TRUE(items.Open());
    TDataSource itemSource(&items);
    ASSERT_TRUE(f.set->Open());
    TskDBLookupComboBox combo;
    combo.SetSearchStamp(stamp);
    f.Bind(&combo, "laser");
    ListItems(combo, itemSource);
    combo.show();
    ASSERT_TRUE(items.SearchReadRunning("name"));
    // The post stops the read of the texts within a slice, not after all of them.
    items.SetRecNo(10);
    ASSERT_TRUE(items.Edit());
    items.FindField("name")->SetAsString("Edited");
    ASSERT_TRUE(items.Post());
    EXPECT_LT(items.DroppedSearchReadRows(), kRows / 2);
    combo.setFocus();
    QTest::keyClicks(&combo, "edit");
    EXPECT_EQ(std::tuple(combo.KeyValue().toInt(), combo.Text()), std::tuple(11, QString("Edited")));
}

TEST_F(Lookups, LookupFieldBringsItsListAndRefusesOtherListSettings)
{
    f.set->AddLookupField("laserName", "laser", lasers.get(), "code", "name");
    ASSERT_TRUE(f.set->Open());
    TskDBLookupComboBox combo;
    combo.SetSearchStamp(stamp);
    EXPECT_EQ(f.Bind(&combo, "laserName")->Text(), "beta");
    EXPECT_FALSE(combo.SetKeyField("code"));
    EXPECT_EQ(combo.LastError(), "Property already defined by lookup field");
    EXPECT_FALSE(combo.SetListSource(laserSource.get()));
    EXPECT_EQ(combo.LastError(), db_texts::PropDefByLookup());

    combo.show();
    combo.setFocus();
    QTest::keyClick(&combo, Qt::Key_Down);  // the key field takes the key
    EXPECT_EQ(std::tuple(f.set->FindField("laser")->AsInteger(), combo.Text()), std::tuple(3, QString("Bravo")));
    QTest::keyClick(&combo, 'h');
    EXPECT_EQ(combo.Text(), "Hotel");
    EXPECT_EQ(f.Posted(1, "laser").toInt(), 9);

    // The drop-down list chooses too.
    combo.DropDown();
    ASSERT_NE(combo.PopupList(), nullptr);
    EXPECT_EQ(combo.PopupList()->KeyValue().toInt(), 9);
    QTest::keyClick(combo.PopupList(), Qt::Key_Home);
    EXPECT_EQ(std::tuple(combo.ListVisible(), f.set->FindField("laser")->AsInteger(), combo.Text()),
              std::tuple(false, 1, QString("Alpha")));
}

TEST_F(Lookups, DroppedListTakesTheMoveKeysAndClosesWhenTheOperatorGoesElsewhere)
{
    f.set->AddLookupField("laserName", "laser", lasers.get(), "code", "name");
    ASSERT_TRUE(f.set->Open());
    QWidget form;
    form.resize(300, 200);
    auto* combo = f.Bind(new TskDBLookupComboBox(&form), "laserName");
    auto* other = new QWidget(&form);
    other->setGeometry(0, 100, 100, 50);
    other->setFocusPolicy(Qt::StrongFocus);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    combo->setFocus();

    // Up and Down move in the open list; the box takes the key on Enter.
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(combo->ListVisible());
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Up);  // nothing chosen yet
    EXPECT_EQ(std::tuple(combo->ListVisible(), combo->PopupList()->KeyValue().toInt(),
                         f.set->FindField("laser")->AsInteger()),
              std::tuple(true, 3, 2));
    QTest::keyClick(combo, Qt::Key_End);
    EXPECT_EQ(combo->PopupList()->KeyValue().toInt(), 10);
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_EQ(std::tuple(combo->ListVisible(), f.set->FindField("laser")->AsInteger()), std::tuple(false, 10));

    // A click elsewhere, or focus going elsewhere, closes it without a choice.
    combo->DropDown();
    ASSERT_TRUE(combo->ListVisible());
    QTest::mouseClick(other, Qt::LeftButton);
    EXPECT_FALSE(combo->ListVisible());
    combo->setFocus();
    combo->DropDown();
    ASSERT_TRUE(combo->ListVisible());
    other->setFocus();
    EXPECT_EQ(std::tuple(combo->ListVisible(), f.set->FindField("laser")->AsInteger()), std::tuple(false, 10));
}

TEST_F(Lookups, ComboDropButtonIsDrawnInTheFormsLook)
{
    TskDBLookupComboBox lookup;
    TskCustomComboBox plain;
    for (TskUIStyle style : {TskUIStyle::Navy, TskUIStyle::Pearl}) {
        lookup.SetUIStyle(style);
        plain.SetUIStyle(style);
        lookup.resize(145, 24);
        plain.resize(145, 24);
        const QImage a = lookup.grab().toImage();
        const QImage b = plain.grab().toImage();
        const QRect button = TskCustomComboBox::ButtonRect(QSize(145, 24)).ToQRect();
        EXPECT_EQ(lookup.ButtonRect(), button);
        EXPECT_EQ(a.copy(button), b.copy(button)) << int(style);
        EXPECT_EQ(a.pixel(0, 0), b.pixel(0, 0)) << int(style);  // the same frame
    }
}
