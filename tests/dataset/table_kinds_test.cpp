// Tables as other programs make them: a column that shadows the row id,
// views, WITHOUT ROWID tables, whole numbers in NUMERIC columns, rows
// changed by another connection, and a move under another connection's
// lock. What was written is read back through a connection of its own.

#include "dataset_test_db.h"

#include <gtest/gtest.h>

#include <QSqlQuery>
#include <QSqlRecord>

#include <tuple>

namespace {

struct TableKinds : ::testing::Test {
    TestDatabase db;

    QStringList Rows(const QString& sql) const { return db.Rows(sql); }
};

}  // namespace

TEST_F(TableKinds, ColumnsNamedLikeTheRowIdDoNotHideTheRow)
{
    // One, two and all three of the row id's names taken by columns.
    db.db->Exec("CREATE TABLE a (rowid INTEGER, name TEXT)");
    db.db->Exec("CREATE TABLE b (rowid INTEGER, _rowid_ INTEGER, name TEXT)");
    db.db->Exec("CREATE TABLE c (id INTEGER PRIMARY KEY, rowid INTEGER, oid INTEGER, _rowid_ INTEGER, name TEXT)");
    for (const char* table : {"a", "b", "c"}) {
        db.db->Exec(QString("INSERT INTO %1 (rowid, name) VALUES (7, 'first'), (7, 'second'), (3, 'third')").arg(table));
        auto set = db.Table(table);
        ASSERT_TRUE(set->Open()) << table << set->LastError().toStdString();
        EXPECT_EQ(std::tuple(set->FindField("rowid")->AsInteger(), set->FindField("name")->AsString()),
                  std::tuple(7, QString("first")))
            << table;
        set->Last();
        EXPECT_EQ(set->FindField("name")->AsString(), "third") << table;
        set->First();
        ASSERT_TRUE(set->Edit());
        set->FindField("name")->SetAsString("edited");
        ASSERT_TRUE(set->Post()) << table << set->LastError().toStdString();
        set->Next();
        ASSERT_TRUE(set->Delete()) << table;
        EXPECT_EQ(Rows(QString("SELECT rowid, name FROM %1").arg(table)), QStringList({"7|edited", "3|third"}))
            << table;
    }
}

TEST_F(TableKinds, VirtualTablesAreEditedThroughTheirRowId)
{
    ASSERT_TRUE(db.db->Exec("CREATE VIRTUAL TABLE docs USING fts5(title)"));
    db.db->Exec("INSERT INTO docs VALUES ('one'), ('two')");
    auto set = db.Table("docs");
    ASSERT_TRUE(set->Open());
    set->Next();
    ASSERT_TRUE(set->Edit());
    set->FindField("title")->SetAsString("edited");
    ASSERT_TRUE(set->Post()) << set->LastError().toStdString();
    ASSERT_TRUE(set->Insert());
    set->FindField("title")->SetAsString("three");
    ASSERT_TRUE(set->Post()) << set->LastError().toStdString();
    EXPECT_EQ(std::tuple(set->RecNo(), set->FindField("title")->AsString()), std::tuple(2, QString("three")));
    EXPECT_EQ(Rows("SELECT title FROM docs"), QStringList({"one", "edited", "three"}));
}

TEST_F(TableKinds, ARowChangedByAnotherConnectionIsRefusedAndTheEditKept)
{
    // Without an INTEGER PRIMARY KEY, VACUUM gives the rows new row ids.
    db.db->Exec("CREATE TABLE notes (name TEXT, n INTEGER)");
    db.db->Exec("INSERT INTO notes VALUES ('one', 1), ('two', 2), ('three', 3)");
    auto set = db.Table("notes");
    ASSERT_TRUE(set->Open());
    set->Next();
    ASSERT_TRUE(set->Edit());
    set->FindField("name")->SetAsString("mine");
    SqliteConnection other(db.path);
    ASSERT_TRUE(other.Exec("DELETE FROM notes WHERE n = 1") && other.Exec("VACUUM"));
    EXPECT_FALSE(set->Post());
    EXPECT_EQ(std::tuple(set->LastError(), set->State(), set->FindField("name")->AsString()),
              std::tuple(QString("Record not found or changed by another user"), TDataSetState::dsEdit, QString("mine")));
    set->Cancel();
    EXPECT_FALSE(set->Delete());
    EXPECT_EQ(Rows("SELECT name, n FROM notes"), QStringList({"two|2", "three|3"}));

    // A value changed elsewhere is a changed record too; after a refresh the edit goes through.
    ASSERT_TRUE(set->Refresh());
    set->First();
    ASSERT_TRUE(set->Edit());
    set->FindField("name")->SetAsString("mine");
    ASSERT_TRUE(other.Exec("UPDATE notes SET n = 20 WHERE n = 2"));
    EXPECT_FALSE(set->Post());
    set->Cancel();
    ASSERT_TRUE(set->Refresh() && set->Edit());
    set->FindField("name")->SetAsString("mine");
    ASSERT_TRUE(set->Post()) << set->LastError().toStdString();
    EXPECT_EQ(Rows("SELECT name, n FROM notes"), QStringList({"mine|20", "three|3"}));

    // Text that is not valid UTF-8 cannot be read back byte for byte; its row
    // is still found, and the text is left as stored.
    ASSERT_TRUE(other.Exec("UPDATE notes SET name = CAST(X'41C3' AS TEXT) WHERE n = 3"));
    ASSERT_TRUE(set->Refresh());
    set->Last();
    ASSERT_TRUE(set->Edit());
    set->FindField("n")->SetAsString("30");
    ASSERT_TRUE(set->Post()) << set->LastError().toStdString();
    EXPECT_EQ(Rows("SELECT hex(name), n FROM notes WHERE n = 30"), QStringList({"41C3|30"}));
}

TEST_F(TableKinds, ViewsReadLikeTablesAndAreReadOnly)
{
    db.MakeLasers(300);
    db.db->Exec("CREATE VIEW strong AS SELECT name, power FROM lasers WHERE power > 30");
    auto set = db.Table("strong");
    ASSERT_TRUE(set->Open()) << set->LastError().toStdString();
    EXPECT_EQ(std::tuple(set->RecordCount(), set->FindField("name")->AsString(), set->ValueAt(200, 0).toString()),
              std::tuple(280, QString("L21"), QString("L221")));
    set->Last();
    EXPECT_EQ(set->FindField("name")->AsString(), "L300");
    set->SetRecNo(130);
    EXPECT_EQ(set->FindField("power")->AsFloat(), 151 * 1.5);
    EXPECT_EQ(std::tuple(set->CanModify(), set->Edit(), set->Insert(), set->Delete(), set->FindRecord("name", "L299")),
              std::tuple(false, false, false, false, 278));

    // A column read alone (for a key map or a search) comes in the order the
    // records are shown, even where an index would cover it in another order.
    db.db->Exec("CREATE VIEW names AS SELECT name, power FROM lasers");
    auto names = db.Table("names");
    ASSERT_TRUE(names->Open());
    const int found = names->FindRecord("name", "L2");
    EXPECT_EQ(std::tuple(found, names->ValueAt(found, 0).toString()), std::tuple(1, QString("L2")));
    EXPECT_TRUE(names->Locate("name", "L10"));
    EXPECT_EQ(std::tuple(names->RecNo(), names->FindField("name")->AsString()), std::tuple(9, QString("L10")));
}

TEST_F(TableKinds, WithoutRowidTablesReadAndEditThroughTheirPrimaryKey)
{
    db.db->Exec("CREATE TABLE codes (grp TEXT, num INTEGER, label TEXT, PRIMARY KEY (grp, num)) WITHOUT ROWID");
    db.db->Exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
                "INSERT INTO codes SELECT CASE WHEN i % 2 THEN 'b' ELSE 'a' END, i, 'label ' || i FROM n");
    auto set = db.Table("codes");
    ASSERT_TRUE(set->Open()) << set->LastError().toStdString();
    // In key order: the 150 "a" rows (even numbers), then the "b" rows.
    EXPECT_EQ(std::tuple(set->RecordCount(), set->FindField("label")->AsString()), std::tuple(300, QString("label 2")));
    set->Last();
    EXPECT_EQ(set->FindField("label")->AsString(), "label 299");
    for (int i = 299; i >= 0; i -= 41) {
        set->SetRecNo(i);
        ASSERT_EQ(set->FindField("num")->AsInteger(), i < 150 ? 2 * (i + 1) : 2 * (i - 150) + 1) << i;
    }
    set->SetRecNo(150);
    ASSERT_TRUE(set->CanModify() && set->Edit());
    set->FindField("label")->SetAsString("edited");
    ASSERT_TRUE(set->Post()) << set->LastError().toStdString();
    EXPECT_EQ(std::tuple(set->RecNo(), set->FindField("num")->AsInteger()), std::tuple(150, 1));
    ASSERT_TRUE(set->Insert());
    set->FindField("grp")->SetAsString("a");
    set->FindField("num")->SetAsString("1");
    set->FindField("label")->SetAsString("new");
    ASSERT_TRUE(set->Post()) << set->LastError().toStdString();
    EXPECT_EQ(std::tuple(set->RecNo(), set->FindField("label")->AsString()), std::tuple(0, QString("new")));
    set->Next();
    ASSERT_TRUE(set->Delete());
    EXPECT_EQ(Rows("SELECT grp, num, label FROM codes WHERE label IN ('edited', 'new') OR num = 2"),
              QStringList({"a|1|new", "b|1|edited"}));
}

TEST_F(TableKinds, WholeNumbersInNumericColumnsStayWholeAndOnlyEditedColumnsAreWritten)
{
    db.db->Exec("CREATE TABLE money (id INTEGER PRIMARY KEY, amount NUMERIC, rate DECIMAL(10,2), note TEXT)");
    db.db->Exec("INSERT INTO money (amount, rate, note) VALUES (12345678901234567, 1.0 / 3, 'x')");
    // Which columns an UPDATE names, whatever their values.
    db.db->Exec("CREATE TABLE written (col TEXT)");
    for (const char* col : {"amount", "rate", "note"})
        db.db->Exec(QString("CREATE TRIGGER w_%1 AFTER UPDATE OF %1 ON money BEGIN INSERT INTO written VALUES ('%1'); END")
                        .arg(col));
    auto set = db.Table("money");
    ASSERT_TRUE(set->Open());
    TField* amount = set->FindField("amount");
    EXPECT_EQ(QStringList({amount->DisplayText(), amount->Text(), set->FindField("rate")->Text()}),
              QStringList({"12345678901234567", "12345678901234567", "0.3333333333333333"}));
    ASSERT_TRUE(set->Edit());
    set->FindField("note")->SetAsString("y");
    ASSERT_TRUE(set->Post());
    EXPECT_EQ(Rows("SELECT typeof(amount), amount, rate = 1.0 / 3, note FROM money"),
              QStringList({"integer|12345678901234567|1|y"}));
    EXPECT_EQ(Rows("SELECT col FROM written"), QStringList({"note"}));

    ASSERT_TRUE(set->Edit());
    ASSERT_TRUE(amount->SetAsString("12345678901234569"));
    ASSERT_TRUE(set->Post()) << set->LastError().toStdString();
    EXPECT_EQ(std::tuple(Rows("SELECT typeof(amount), amount FROM money"), amount->DisplayText()),
              std::tuple(QStringList({"integer|12345678901234569"}), QString("12345678901234569")));
}

TEST_F(TableKinds, AMoveWhosePendingEditMeetsALockStaysAndSaysWhy)
{
    auto set = db.OpenLasers(3);
    ASSERT_TRUE(set);
    ASSERT_TRUE(set->Edit());
    set->FindField("name")->SetAsString("typed");
    SqliteConnection other(db.path);
    ASSERT_TRUE(other.Exec("BEGIN IMMEDIATE"));
    using Move = void (TSqlDataSet::*)();
    for (Move move : {&TSqlDataSet::First, &TSqlDataSet::Prior, &TSqlDataSet::Next, &TSqlDataSet::Last}) {
        (set.get()->*move)();
        EXPECT_TRUE(set->LastReadFailed() && set->LastError().contains("database is locked"))
            << set->LastError().toStdString();
        EXPECT_EQ(std::tuple(set->State(), set->RecNo(), set->FindField("name")->AsString()),
                  std::tuple(TDataSetState::dsEdit, 0, QString("typed")));
    }
    ASSERT_TRUE(other.Exec("ROLLBACK"));
    set->Next();
    EXPECT_EQ(std::tuple(set->LastReadFailed(), set->RecNo()), std::tuple(false, 1));
    EXPECT_EQ(Rows("SELECT name FROM lasers WHERE id = 1"), QStringList({"typed"}));
}
