// What a write may change and when it must refuse: numbers typed into
// columns without affinity, full-text tables whose writes the index cannot
// follow, a database file deleted or replaced while open, rows changed by
// another connection in ways a collation hides, and generated columns.
// Values are read back through a connection of their own.

#include "dataset_test_db.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>

#include <cstdio>
#include <tuple>

namespace {

struct WriteChecks : ::testing::Test {
    TestDatabase db;

    QStringList Rows(const QString& sql) const { return db.Rows(sql); }

    /// The record, edited in one field and posted; LastError when refused.
    static QString EditAndPost(TSqlDataSet& set, const char* field, const QString& text)
    {
        if (!set.Edit() || !set.FindField(field)->SetAsString(text) || !set.Post())
            return set.LastError();
        return {};
    }
};

}  // namespace

TEST_F(WriteChecks, NumbersTypedIntoColumnsWithoutAffinityKeepTheKindRead)
{
    db.db->Exec("CREATE TABLE loose (id INTEGER PRIMARY KEY, a, r, t)");
    db.db->Exec("CREATE TABLE strict (id INTEGER PRIMARY KEY, a ANY, r ANY, t ANY) STRICT");
    for (const char* table : {"loose", "strict"}) {
        db.db->Exec(QString("INSERT INTO %1 VALUES (1, 7, 1.5, '5'), (2, 7, 1.5, 5)").arg(table));
        auto set = db.Table(table);
        ASSERT_TRUE(set->Open()) << table;
        // An integer stays one, a real takes a whole number as a real, a text stays text.
        ASSERT_EQ(EditAndPost(*set, "a", "8"), "") << table;
        ASSERT_EQ(EditAndPost(*set, "r", "3"), "") << table;
        ASSERT_EQ(EditAndPost(*set, "t", "9"), "") << table;
        // A text that is not a number of the kind read is stored as typed.
        set->Next();
        ASSERT_EQ(EditAndPost(*set, "a", "2.5"), "") << table;
        ASSERT_EQ(EditAndPost(*set, "r", "x1"), "") << table;
        ASSERT_EQ(EditAndPost(*set, "t", " 6"), "") << table;
        EXPECT_EQ(Rows(QString("SELECT id, quote(a), quote(r), quote(t) FROM %1 WHERE a = 8 OR id = 2").arg(table)),
                  QStringList({"1|8|3.0|'9'", "2|'2.5'|'x1'|' 6'"}))
            << table;
    }
}

TEST_F(WriteChecks, FullTextTablesOverOtherContentAreReadOnly)
{
    db.db->Exec("CREATE TABLE docs (id INTEGER PRIMARY KEY, body TEXT)");
    db.db->Exec("INSERT INTO docs VALUES (1, 'red beam'), (2, 'green beam')");
    ASSERT_TRUE(db.db->Exec("CREATE VIRTUAL TABLE ft USING fts5(body, content='docs', content_rowid='id')"));
    ASSERT_TRUE(db.db->Exec("CREATE VIRTUAL TABLE ft4 USING fts4(content=\"docs\", body)"));
    ASSERT_TRUE(db.db->Exec("CREATE VIRTUAL TABLE bare USING fts5(body, content = '')"));
    for (const char* table : {"ft", "ft4"})
        ASSERT_TRUE(db.db->Exec(QString("INSERT INTO %1(%1) VALUES ('rebuild')").arg(table))) << table;
    ASSERT_TRUE(db.db->Exec("INSERT INTO bare(rowid, body) VALUES (1, 'red beam')"));
    for (const char* table : {"ft", "ft4", "bare"}) {
        auto set = db.Table(table);
        ASSERT_TRUE(set->Open()) << table << set->LastError().toStdString();
        EXPECT_EQ(EditAndPost(*set, "body", "blue"), "Cannot modify a read-only data set") << table;
        set->Cancel();
        EXPECT_FALSE(set->CanModify()) << table;
        EXPECT_FALSE(set->Insert()) << table;
        EXPECT_FALSE(set->Delete()) << table;
        // A command runs as an INSERT that returns no row; a failed check is an "error:" row.
        EXPECT_EQ(Rows(QString("INSERT INTO %1(%1) VALUES ('integrity-check')").arg(table)), QStringList()) << table;
    }
    auto ft = db.Table("ft");
    ASSERT_TRUE(ft->Open());
    EXPECT_EQ(std::tuple(ft->RecordCount(), ft->FindField("body")->AsString()), std::tuple(2, "red beam"));
    EXPECT_EQ(Rows("SELECT id, body FROM docs"), QStringList({"1|red beam", "2|green beam"}));
}

TEST_F(WriteChecks, AVirtualTableThatDoesNotKeepAValueRefusesThePost)
{
    // An R*Tree keeps 32-bit floats: 0.1 is not kept, 0.5 is.
    ASSERT_TRUE(db.db->Exec("CREATE VIRTUAL TABLE box USING rtree(id, x0, x1)"));
    db.db->Exec("INSERT INTO box VALUES (1, 0, 10)");
    auto set = db.Table("box");
    ASSERT_TRUE(set->Open());
    EXPECT_EQ(EditAndPost(*set, "x0", "0.1"), "The table did not keep the value written to 'x0'");
    EXPECT_EQ(std::tuple(set->State(), set->FindField("x0")->AsString()), std::tuple(TDataSetState::dsEdit, "0.1"));
    set->Cancel();
    EXPECT_EQ(Rows("SELECT quote(x0), quote(x1) FROM box"), QStringList({"0.0|10.0"}));
    EXPECT_EQ(EditAndPost(*set, "x0", "0.5"), "");
    ASSERT_TRUE(set->Insert());
    set->FindField("x0")->SetAsString("1");
    set->FindField("x1")->SetAsString("2.1");
    EXPECT_FALSE(set->Post());
    EXPECT_EQ(set->LastError(), "The table did not keep the value written to 'x1'");
    set->Cancel();
    EXPECT_EQ(Rows("SELECT id, quote(x0), quote(x1) FROM box"), QStringList({"1|0.5|10.0"}));
}

TEST_F(WriteChecks, AWalDatabaseDeletedOrReplacedWhileOpenIsNotWritten)
{
    ASSERT_TRUE(db.db->Exec("PRAGMA journal_mode = WAL"));
    auto set = db.OpenLasers(3);
    ASSERT_TRUE(set);
    ASSERT_TRUE(db.db->Exec("PRAGMA wal_checkpoint(TRUNCATE)"));
    const QString moved =
        QString("The database file \"%1\" was deleted, moved or replaced since it was opened").arg(db.path);

    // Replaced: another file with rows of its own renamed over it.
    const QString other = db.dir.filePath("other.db");
    {
        SqliteConnection replacing(other);
        ASSERT_TRUE(replacing.Exec("CREATE TABLE lasers (id INTEGER PRIMARY KEY, name TEXT, active, power, note)"));
        ASSERT_TRUE(replacing.Exec("INSERT INTO lasers (name) VALUES ('theirs 1'), ('theirs 2')"));
    }
    ASSERT_EQ(std::rename(QFile::encodeName(other).constData(), QFile::encodeName(db.path).constData()), 0);
    EXPECT_EQ(EditAndPost(*set, "name", "mine"), moved);
    EXPECT_EQ(std::tuple(set->State(), set->FindField("name")->AsString()), std::tuple(TDataSetState::dsEdit, "mine"));
    set->Cancel();
    EXPECT_FALSE(set->Delete());
    ASSERT_TRUE(set->Insert());
    set->FindField("name")->SetAsString("new");
    EXPECT_FALSE(set->Post());
    EXPECT_EQ(set->LastError(), moved);
    set->Cancel();
    EXPECT_EQ(Rows("SELECT id, name FROM lasers"), QStringList({"1|theirs 1", "2|theirs 2"}));

    // Deleted.
    ASSERT_TRUE(QFile::remove(db.path));
    EXPECT_EQ(EditAndPost(*set, "name", "mine"), moved);
    EXPECT_FALSE(QFile::exists(db.path));
}

TEST_F(WriteChecks, ACaseOrTrailingSpaceChangedByAnotherConnectionIsAChange)
{
    db.db->Exec("CREATE TABLE tags (id INTEGER PRIMARY KEY, name TEXT COLLATE NOCASE, tag TEXT COLLATE RTRIM, "
                "n INTEGER)");
    db.db->Exec("INSERT INTO tags VALUES (1, 'abc', 'x', 1)");
    SqliteConnection other(db.path);
    auto set = db.Table("tags");
    ASSERT_TRUE(set->Open());
    for (const auto& [column, changed] : {std::pair("name", "ABC"), std::pair("tag", "x   ")}) {
        ASSERT_TRUE(set->Refresh());
        ASSERT_TRUE(set->Edit());
        set->FindField("n")->SetAsString("2");
        ASSERT_TRUE(other.Exec(QString("UPDATE tags SET %1 = '%2'").arg(column, changed)));
        EXPECT_FALSE(set->Post()) << column;
        EXPECT_EQ(std::tuple(set->LastError(), set->State()),
                  std::tuple(QString("Record not found or changed by another user"), TDataSetState::dsEdit))
            << column;
        set->Cancel();
        EXPECT_FALSE(set->Delete()) << column;
        EXPECT_EQ(Rows(QString("SELECT hex(%1), n FROM tags").arg(column)),
                  QStringList({QString(QByteArray(changed).toHex().toUpper()) + "|1"}))
            << column;
    }
    // Read again, the row is as read and the edit goes through.
    ASSERT_TRUE(set->Refresh());
    EXPECT_EQ(EditAndPost(*set, "n", "2"), "");
    EXPECT_EQ(Rows("SELECT name, hex(tag), n FROM tags"), QStringList({"ABC|78202020|2"}));
}

TEST_F(WriteChecks, GeneratedColumnsAreReadOnlyFields)
{
    db.db->Exec("CREATE TABLE boxes (id INTEGER PRIMARY KEY, w INTEGER NOT NULL, h INTEGER, "
                "area INTEGER AS (w * h) VIRTUAL, label TEXT GENERATED ALWAYS AS ('box ' || w) STORED NOT NULL)");
    db.db->Exec("INSERT INTO boxes (w, h) VALUES (2, 3)");
    auto set = db.Table("boxes");
    ASSERT_TRUE(set->Open()) << set->LastError().toStdString();
    QStringList names;
    for (int i = 0; i < set->FieldCount(); ++i)
        names << set->Fields(i)->FieldName();
    EXPECT_EQ(names, QStringList({"id", "w", "h", "area", "label"}));
    TField* area = set->FindField("area");
    TField* label = set->FindField("label");
    ASSERT_TRUE(area && label);
    EXPECT_EQ(std::tuple(area->AsString(), label->AsString(), area->ReadOnly(), area->CanModify(), label->CanModify(),
                         label->Required()),
              std::tuple("6", "box 2", true, false, false, false));
    ASSERT_TRUE(set->Edit());
    EXPECT_FALSE(area->SetAsString("7"));
    EXPECT_FALSE(label->SetAsString("mine"));
    set->FindField("w")->SetAsString("4");
    ASSERT_TRUE(set->Post()) << set->LastError().toStdString();
    EXPECT_EQ(std::tuple(area->AsString(), label->AsString()), std::tuple("12", "box 4"));
    ASSERT_TRUE(set->Insert());
    set->FindField("w")->SetAsString("5");
    set->FindField("h")->SetAsString("5");
    ASSERT_TRUE(set->Post()) << set->LastError().toStdString();
    EXPECT_EQ(area->AsString(), "25");
    // A full-text table's hidden columns (its own name, rank) stay hidden.
    ASSERT_TRUE(db.db->Exec("CREATE VIRTUAL TABLE ft USING fts5(title)"));
    auto ft = db.Table("ft");
    ASSERT_TRUE(ft->Open());
    EXPECT_EQ(ft->FieldCount(), 1);
    EXPECT_EQ(Rows("SELECT id, w, h, area, label FROM boxes"), QStringList({"1|4|3|12|box 4", "2|5|5|25|box 5"}));
}
