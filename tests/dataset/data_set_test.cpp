#include "dataset_test_db.h"

#include "dataset/data_source.h"
#include "dataset/field_data_link.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>

#include <unistd.h>

#include <optional>
#include <tuple>
#include <utility>

namespace {

// Records every event a link hears, by name.
class RecordingLink : public TFieldDataLink {
public:
    QStringList events;
    std::optional<QString> pending;

    explicit RecordingLink(const QString& field, TDataSource* source = nullptr)
    {
        OnDataChange = [this] { events << "data"; };
        OnEditingChange = [this] { events << (FieldEditing() ? "editing-on" : "editing-off"); };
        OnUpdateData = [this] {
            events << "update";
            return !pending || Field()->SetAsString(*pending);
        };
        OnActiveChange = [this] { events << (Active() ? "active" : "inactive"); };
        SetFieldName(field);
        if (source)
            SetDataSource(source);
    }
    QStringList Take() { return std::exchange(events, {}); }
};

// One row of a query, as a list of its columns.
QVariantList Row(QSqlDatabase database, const QString& sql)
{
    QSqlQuery q(database);
    QVariantList row;
    if (q.exec(sql) && q.next())
        for (int i = 0; i < q.record().count(); ++i)
            row << q.value(i);
    return row;
}

struct DataSetTest : ::testing::Test {
    TestDatabase db;
};

}  // namespace

TEST_F(DataSetTest, StateMachineAndLinkEventOrder)
{
    db.MakeLasers(3);
    auto set = db.Table("lasers");
    TDataSource source(set.get());
    RecordingLink link("name", &source);
    link.Take();
    ASSERT_TRUE(set->Open());
    EXPECT_EQ(std::tuple(link.Take(), set->State()), std::tuple(QStringList({"data", "active"}), TDataSetState::dsBrowse));
    ASSERT_NE(link.Field(), nullptr);
    EXPECT_EQ(link.Field()->AsString(), "L1");
    ASSERT_TRUE(link.EditField());
    EXPECT_EQ(std::tuple(link.Take(), set->State()), std::tuple(QStringList({"editing-on", "data"}), TDataSetState::dsEdit));

    // The link's own write does not reset it; the post asks it first.
    link.pending = "Beam";
    link.Modified();
    ASSERT_TRUE(set->Post()) << set->LastError().toStdString();
    EXPECT_EQ(std::tuple(link.Take(), set->FindField("NAME")->AsString()),
              std::tuple(QStringList({"update", "editing-off", "data"}), QString("Beam")));
    link.pending.reset();

    set->Edit();
    set->FindField("name")->SetAsString("Gone");
    set->Cancel();
    EXPECT_EQ(std::tuple(link.Take(), set->FindField("name")->AsString()),
              std::tuple(QStringList({"editing-on", "data", "data", "editing-off", "data"}), QString("Beam")));

    // Insert: an empty record, posted where its rowid puts it (the end).
    ASSERT_TRUE(set->Insert());
    EXPECT_EQ(std::tuple(set->State(), set->FindField("name")->IsNull(), set->RecNo(), set->Bof(), set->Eof()),
              std::tuple(TDataSetState::dsInsert, true, 3, false, true));
    set->Cancel();
    EXPECT_EQ(std::tuple(set->RecNo(), set->FindField("name")->AsString()), std::tuple(0, QString("Beam")));
    ASSERT_TRUE(set->Insert());
    set->FindField("name")->SetAsString("New");
    ASSERT_TRUE(set->Post());
    EXPECT_EQ(std::tuple(set->RecordCount(), set->RecNo(), set->FindField("name")->AsString()),
              std::tuple(4, 3, QString("New")));

    // Delete keeps the cursor at the same index, or the new last record.
    ASSERT_TRUE(set->Delete());
    EXPECT_EQ(std::tuple(set->RecordCount(), set->RecNo(), set->FindField("name")->AsString()),
              std::tuple(3, 2, QString("L3")));

    link.Take();
    set->Close();
    EXPECT_EQ(std::tuple(link.Take(), link.Field()), std::tuple(QStringList({"data", "inactive"}), nullptr));

    // Links survive their data set going first.
    {
        auto other = db.Table("lasers");
        TDataSource otherSource(other.get());
        link.SetDataSource(&otherSource);
        other->Open();
        EXPECT_TRUE(link.Active());
        other.reset();
        EXPECT_TRUE(!link.Active() && link.Field() == nullptr);
    }
    EXPECT_EQ(link.DataSource(), nullptr);
}

TEST_F(DataSetTest, BofAndEofAfterEveryMove)
{
    auto set = db.OpenLasers(3);
    ASSERT_TRUE(set);
    auto at = [&] { return std::tuple(set->RecNo(), set->Bof(), set->Eof()); };
    EXPECT_EQ(at(), std::tuple(0, true, false));
    // On the last record, EOF only after trying further.
    const std::pair<void (TSqlDataSet::*)(), std::tuple<int, bool, bool>> moves[] = {
        {&TSqlDataSet::Next, {1, false, false}},  {&TSqlDataSet::Next, {2, false, false}},
        {&TSqlDataSet::Next, {2, false, true}},   {&TSqlDataSet::Prior, {1, false, false}},
        {&TSqlDataSet::First, {0, true, false}},  {&TSqlDataSet::Prior, {0, true, false}},
        {&TSqlDataSet::Last, {2, false, true}},
    };
    for (const auto& [move, expected] : moves) {
        (set.get()->*move)();
        EXPECT_EQ(at(), expected);
    }
    EXPECT_EQ(set->MoveBy(-5), -2);
    EXPECT_EQ(at(), std::tuple(0, true, false));

    // An empty set is at both ends whatever moves, and Edit starts an insert.
    db.db->Exec("DELETE FROM lasers");
    ASSERT_TRUE(set->Refresh() && set->IsEmpty());
    set->Next();
    set->Prior();
    set->Last();
    EXPECT_EQ(at(), std::tuple(-1, true, true));
    EXPECT_FALSE(set->Delete());
    ASSERT_TRUE(set->Edit());
    EXPECT_EQ(set->State(), TDataSetState::dsInsert);
    set->FindField("name")->SetAsString("First");
    ASSERT_TRUE(set->Post());
    EXPECT_TRUE(set->RecordCount() == 1 && !(set->Bof() && set->Eof()));
}

TEST_F(DataSetTest, ReadOnlySetsRefuseEveryWrite)
{
    db.MakeLasers(2);
    auto query = std::make_unique<TSqlDataSet>(db.db->Database());
    query->SetSql("SELECT name, power FROM lasers ORDER BY name DESC");
    ASSERT_TRUE(query->Open()) << query->LastError().toStdString();
    EXPECT_EQ((std::tuple{query->FindField("name")->AsString(), query->CanModify(), query->Edit(), query->LastError()}),
              std::tuple(QString("L2"), false, false, QString("Cannot modify a read-only data set")));
    EXPECT_FALSE(query->Insert() || query->Delete());
    EXPECT_EQ(query->State(), TDataSetState::dsBrowse);

    auto table = db.Table("lasers");
    table->SetReadOnly(true);
    ASSERT_TRUE(table->Open());
    EXPECT_FALSE(table->Edit() || table->FindField("name")->CanModify());

    // A read-only link never starts an edit, even with AutoEdit.
    table->SetReadOnly(false);
    TDataSource source(table.get());
    TFieldDataLink link;
    link.SetFieldName("name");
    link.SetDataSource(&source);
    link.SetReadOnly(true);
    EXPECT_FALSE(link.EditField());
    source.SetAutoEdit(false);
    link.SetReadOnly(false);
    EXPECT_FALSE(link.EditField());
    EXPECT_EQ(table->State(), TDataSetState::dsBrowse);

    // Read-only files: opened so, or without write permission (root may write anything).
    std::vector<std::unique_ptr<SqliteConnection>> readOnly;
    readOnly.push_back(std::make_unique<SqliteConnection>(db.path, SqliteConnection::Mode::ReadOnly));
    if (::geteuid() != 0) {
        ASSERT_TRUE(QFile::setPermissions(db.path, QFileDevice::ReadOwner));
        readOnly.push_back(std::make_unique<SqliteConnection>(db.path));
    }
    for (const auto& connection : readOnly) {
        ASSERT_TRUE(connection->IsOpen() && connection->IsReadOnly()) << connection->Error().toStdString();
        TSqlDataSet set(connection->Database());
        set.SetTableName("lasers");
        ASSERT_TRUE(set.Open());
        EXPECT_EQ(set.FindField("name")->AsString(), "L1");
        EXPECT_FALSE(set.CanModify() || set.FindField("name")->CanModify() || set.Edit() || set.Insert());
    }
    QFile::setPermissions(db.path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST_F(DataSetTest, PostedEditIsInTheFileAfterReopening)
{
    {
        auto set = db.OpenLasers(3);
        ASSERT_TRUE(set);
        set->Next();
        ASSERT_TRUE(set->Edit());
        set->FindField("name")->SetAsString("Stored");
        set->FindField("active")->SetAsBoolean(true);
        set->FindField("power")->SetAsString("2.25");
        set->FindField("note")->SetAsString("line one\nline two");
        ASSERT_TRUE(set->Post());
        // Moving off an edited record posts it.
        set->First();
        set->Edit();
        set->FindField("name")->SetAsString("Moved");
        set->Last();
        EXPECT_EQ(set->State(), TDataSetState::dsBrowse);
    }
    db.db.reset();
    SqliteConnection reopened(db.path);
    EXPECT_EQ(Row(reopened.Database(), "SELECT name FROM lasers WHERE id = 1"), QVariantList{"Moved"});
    EXPECT_EQ(Row(reopened.Database(), "SELECT name, active, power, note FROM lasers WHERE id = 2"),
              (QVariantList{"Stored", 1, 2.25, "line one\nline two"}));
}

TEST_F(DataSetTest, ConstraintViolationKeepsTheEditAndReportsTheDatabaseError)
{
    auto set = db.OpenLasers(2);
    ASSERT_TRUE(set);
    ASSERT_TRUE(set->Edit());
    set->FindField("name")->SetAsString("L2");  // UNIQUE
    EXPECT_FALSE(set->Post());
    EXPECT_TRUE(set->LastError().contains("UNIQUE constraint failed")) << set->LastError().toStdString();
    EXPECT_EQ(std::tuple(set->State(), set->FindField("name")->AsString()),
              std::tuple(TDataSetState::dsEdit, QString("L2")));
    // Mended, the same edit posts; the failed write left nothing behind.
    set->FindField("name")->SetAsString("L9");
    ASSERT_TRUE(set->Post());

    ASSERT_TRUE(set->Insert());
    set->FindField("power")->SetAsString("1");
    EXPECT_FALSE(set->Post());  // name is NOT NULL
    EXPECT_TRUE(set->LastError().contains("NOT NULL") && set->State() == TDataSetState::dsInsert);
    set->Cancel();
    EXPECT_EQ(set->RecordCount(), 2);

    // A value of the wrong type is refused before it reaches the database,
    // and a control holding such a value stops the post.
    set->Edit();
    EXPECT_FALSE(set->FindField("power")->SetAsString("fast"));
    EXPECT_EQ(set->LastError(), "'fast' is not a valid floating point value");
    TDataSource source(set.get());
    RecordingLink link("power", &source);
    link.pending = "slow";
    link.Modified();
    EXPECT_FALSE(set->Post());
    EXPECT_EQ(std::tuple(set->LastError(), set->State()),
              std::tuple(QString("'slow' is not a valid floating point value"), TDataSetState::dsEdit));
    link.pending = "4";
    ASSERT_TRUE(set->Post());
    EXPECT_EQ(set->FindField("power")->AsFloat(), 4.0);

    // A row deleted elsewhere fails the post and the delete.
    ASSERT_TRUE(set->Edit());
    set->FindField("name")->SetAsString("Mine");
    db.db->Exec("DELETE FROM lasers WHERE id = 1");
    EXPECT_FALSE(set->Post());
    EXPECT_EQ(std::tuple(set->LastError(), set->State()),
              std::tuple(QString("Record not found or changed by another user"), TDataSetState::dsEdit));
    set->Cancel();
    EXPECT_FALSE(set->Delete());
    ASSERT_TRUE(set->Refresh());
    EXPECT_EQ(std::tuple(set->RecordCount(), set->FindField("name")->AsString()), std::tuple(1, QString("L2")));
}

TEST_F(DataSetTest, PagedReadsAndTheKeyMapFollowTheTableAndItsWrites)
{
    auto set = db.OpenLasers(1000);
    ASSERT_TRUE(set);
    set->Last();
    EXPECT_EQ(std::tuple(set->RecordCount(), set->FindField("name")->AsString()), std::tuple(1000, QString("L1000")));
    // Backwards from the end, pages are read from their neighbours.
    for (int i = 999; i >= 0; i -= 37) {
        set->SetRecNo(i);
        ASSERT_EQ(set->FindField("id")->AsInteger(), i + 1) << i;
    }
    for (int i = 0; i < 1000; i += 53)
        ASSERT_EQ(set->ValueAt(i, 1).toString(), QString("L%1").arg(i + 1));
    EXPECT_LT(set->PageReads(), 40);

    // Keys compare as text.
    EXPECT_EQ(std::vector({set->FindRecord("id", 500), set->FindRecord("id", "250"), set->FindRecord("name", "L77"),
                           set->FindRecord("name", "L0"), set->FindRecord("name", QVariant())}),
              std::vector({499, 249, 76, -1, -1}));
    EXPECT_EQ(set->Lookup("name", "L3", "power").toDouble(), 4.5);
    // New, deleted and changed rows are found after the write.
    ASSERT_TRUE(set->Insert());
    set->FindField("name")->SetAsString("New");
    ASSERT_TRUE(set->Post());
    EXPECT_EQ(set->FindRecord("name", "New"), 1000);
    set->First();
    ASSERT_TRUE(set->Delete());
    EXPECT_EQ(std::tuple(set->FindRecord("name", "L1"), set->FindRecord("name", "New")), std::tuple(-1, 999));
    db.db->Exec("UPDATE lasers SET name = 'Renamed' WHERE name = 'L2'");
    ASSERT_TRUE(set->Refresh());
    EXPECT_EQ(set->FindRecord("name", "Renamed"), 0);

    db.db->Exec("DELETE FROM lasers WHERE id % 2 = 0");
    ASSERT_TRUE(set->Refresh());
    EXPECT_EQ(std::tuple(set->RecordCount(), set->ValueAt(498, 1).toString()), std::tuple(500, QString("L999")));
}

TEST_F(DataSetTest, LookupFieldsAndLocate)
{
    auto lasers = db.OpenLasers(3);
    ASSERT_TRUE(lasers);
    db.db->Exec("CREATE TABLE shows (id INTEGER PRIMARY KEY, title VARCHAR(30), laser INTEGER)");
    db.db->Exec("INSERT INTO shows (title, laser) VALUES ('Opening', 2), ('Finale', 7)");
    auto shows = db.Table("shows");
    shows->AddLookupField("laserName", "laser", lasers.get(), "id", "name");
    ASSERT_TRUE(shows->Open());
    TField* lookup = shows->FindField("laserName");
    ASSERT_NE(lookup, nullptr);
    EXPECT_EQ(std::tuple(lookup->FieldKind(), lookup->AsString()), std::tuple(TFieldKind::fkLookup, QString("L2")));
    shows->Next();
    EXPECT_TRUE(lookup->IsNull());  // no laser 7
    shows->Edit();
    shows->FindField("laser")->SetAsString("3");
    EXPECT_EQ(lookup->AsString(), "L3");
    EXPECT_FALSE(lookup->SetAsString("x"));

    const std::tuple<const char*, TLocateOptions, bool, int> locates[] = {
        {"l3", TLocateOption::loCaseInsensitive, true, 2},
        {"L", {}, false, 2},
        {"l", TLocateOption::loCaseInsensitive | TLocateOption::loPartialKey, true, 0},
    };
    for (const auto& [key, options, found, recNo] : locates)
        EXPECT_EQ((std::tuple{lasers->Locate("name", key, options), lasers->RecNo()}), std::tuple(found, recNo)) << key;
}

TEST_F(DataSetTest, LocateFindsTheFirstMatchWithoutReadingEveryRecord)
{
    auto set = db.OpenLasers(3000);
    ASSERT_TRUE(set);
    db.db->Exec("UPDATE lasers SET note = '\xc3\x84rger ' || id WHERE id > 2990");
    db.db->Exec("UPDATE lasers SET note = 'x_%' WHERE id = 2000");
    ASSERT_TRUE(set->Refresh());
    const int reads = set->PageReads();
    const auto partial = TLocateOption::loCaseInsensitive | TLocateOption::loPartialKey;
    const std::tuple<const char*, const char*, TLocateOptions, bool, int> locates[] = {
        {"note", "\xc3\xa4RG", partial, true, 2990},  // case folded beyond ASCII
        {"name", "l2999", partial, true, 2998},
        {"name", "L1", partial, true, 0},
        {"name", "L300", {}, true, 299},
        {"name", "l300", {}, false, 299},             // case-sensitive: kept where it was
        {"note", "X_", partial, true, 1999},          // wildcard characters are plain text
        {"note", "x", TLocateOption::loCaseInsensitive, false, 1999},
    };
    for (const auto& [field, key, options, found, recNo] : locates)
        EXPECT_EQ((std::tuple{set->Locate(field, QString::fromUtf8(key), options), set->RecNo()}), std::tuple(found, recNo))
            << key;
    EXPECT_LE(set->PageReads() - reads, 4);  // the pages moved to, not every page
    // A write is searched for at once.
    ASSERT_TRUE(set->Edit());
    set->FindField("name")->SetAsString("Zed");
    ASSERT_TRUE(set->Post());
    EXPECT_TRUE(set->Locate("name", "zE", partial) && set->RecNo() == 1999);
}

// --- SQLite's own types, failed reads, BLOBs ----------------------------------

TEST_F(DataSetTest, DeclaredTypesFollowSqliteAffinityAndValuesOfAnotherTypeShowAsStored)
{
    db.db->Exec("CREATE TABLE kinds (a TEXT, b VARCHAR(12), c CLOB, d NATIVE CHARACTER(5), e INTEGER, f BIGINT, "
                "g REAL, h DOUBLE PRECISION, i BLOB, j BOOLEAN, k MEMO, l)");
    db.db->Exec("INSERT INTO kinds VALUES ('Ann', 'Bo', 'Cy', 'Di', 1, 2, 1.5, 2.5, x'00', 1, 'long', 'any')");
    auto set = db.Table("kinds");
    ASSERT_TRUE(set->Open());
    const std::vector<std::tuple<const char*, TFieldType, int, const char*>> expected = {
        {"a", TFieldType::ftString, 0, "Ann"},    {"b", TFieldType::ftString, 12, "Bo"},
        {"c", TFieldType::ftString, 0, "Cy"},     {"d", TFieldType::ftString, 5, "Di"},
        {"e", TFieldType::ftInteger, 0, "1"},     {"f", TFieldType::ftInteger, 0, "2"},
        {"g", TFieldType::ftFloat, 0, "1.5"},     {"h", TFieldType::ftFloat, 0, "2.5"},
        {"i", TFieldType::ftGraphic, 0, "(GRAPHIC)"}, {"j", TFieldType::ftBoolean, 0, "True"},
        {"k", TFieldType::ftMemo, 0, "(MEMO)"},   {"l", TFieldType::ftString, 0, "any"},
    };
    for (const auto& [name, type, size, shown] : expected) {
        const TField* field = set->FindField(name);
        ASSERT_NE(field, nullptr) << name;
        EXPECT_EQ(std::tuple(field->DataType(), field->Size(), field->DisplayText()), std::tuple(type, size, shown))
            << name;
    }
    // A TEXT column is found by the key map and by incremental search.
    EXPECT_EQ(set->FindRecord("a", "Ann"), 0);
    EXPECT_TRUE(set->Locate("a", "an", TLocateOption::loCaseInsensitive | TLocateOption::loPartialKey));

    // Values not of the declared type show as stored and stay unless edited.
    db.db->Exec("CREATE TABLE odd (id INTEGER PRIMARY KEY, n INTEGER, m INTEGER, b BOOLEAN, r REAL, t TEXT)");
    db.db->Exec("INSERT INTO odd (n, m, b, r, t) VALUES ('abc', 2.7, 'yes', 'n/a', 'x')");
    set = db.Table("odd");
    ASSERT_TRUE(set->Open());
    for (const auto& [name, shown] : std::vector<std::pair<const char*, QString>>{
             {"n", "abc"}, {"m", "2.7"}, {"b", "yes"}, {"r", "n/a"}})
        EXPECT_EQ(QStringList({set->FindField(name)->DisplayText(), set->FindField(name)->Text()}),
                  QStringList({shown, shown}))
            << name;
    ASSERT_TRUE(set->Edit());
    ASSERT_TRUE(set->FindField("t")->SetAsString("y"));
    ASSERT_TRUE(set->Post());
    EXPECT_EQ(Row(db.db->Database(), "SELECT typeof(n), n, typeof(m), m, b, r, t FROM odd"),
              (QVariantList{"text", "abc", "real", 2.7, "yes", "n/a", "y"}));
}

TEST_F(DataSetTest, ReadsUnderAnotherConnectionsLockFailKeepTheRowsAndAreRetried)
{
    auto set = db.OpenLasers(1000);
    ASSERT_TRUE(set);
    SqliteConnection other(db.path);
    ASSERT_TRUE(other.Exec("BEGIN EXCLUSIVE"));
    db.db->Exec("SELECT 1");  // nothing cached on the first connection's side helps it now

    // Refresh: an error, the rows and cursor as they were.
    EXPECT_FALSE(set->Refresh());
    EXPECT_TRUE(set->LastReadFailed() && set->LastError().contains("database is locked")) << set->LastError().toStdString();
    EXPECT_EQ(std::tuple(set->RecordCount(), set->FindField("name")->AsString(), set->ValueAt(5, 1).toString()),
              std::tuple(1000, QString("L1"), QString("L6")));

    // A page not read yet: the move fails and the cursor stays.
    set->Last();
    EXPECT_EQ(std::tuple(set->LastReadFailed(), set->RecNo(), set->FindField("name")->AsString(), set->ValueAt(700, 1).isValid()),
              std::tuple(true, 0, QString("L1"), false));
    // Writes are refused with the same message and the edit stays.
    ASSERT_TRUE(set->Edit());
    ASSERT_TRUE(set->FindField("name")->SetAsString("Changed"));
    EXPECT_FALSE(set->Post());
    EXPECT_TRUE(set->LastError().contains("database is locked") && set->State() == TDataSetState::dsEdit);
    set->Cancel();

    // Once the lock is gone the same pages are read again, not left empty.
    ASSERT_TRUE(other.Exec("ROLLBACK"));
    EXPECT_EQ(set->ValueAt(700, 1).toString(), "L701");
    set->Last();
    EXPECT_EQ(std::tuple(set->LastReadFailed(), set->FindField("name")->AsString()), std::tuple(false, QString("L1000")));
    EXPECT_TRUE(set->Refresh());
}

TEST_F(DataSetTest, BlobsAreReadOnlyWhenTheirValueIsAsked)
{
    db.db->Exec("CREATE TABLE pics (id INTEGER PRIMARY KEY, name TEXT, picture BLOB)");
    QSqlQuery insert(db.db->Database());
    insert.prepare("INSERT INTO pics (name, picture) VALUES (?, ?)");
    for (int i = 0; i < 3; ++i) {
        insert.bindValue(0, QString("P%1").arg(i));
        insert.bindValue(1, i == 1 ? QVariant() : QVariant(QByteArray(100000 + i, char('a' + i))));
        ASSERT_TRUE(insert.exec());
    }
    auto set = db.Table("pics");
    ASSERT_TRUE(set->Open());
    TField* picture = set->FindField("picture");
    // Pages carry only the size of each BLOB.
    const QVariant unread = set->ValueAt(2, picture->Index());
    ASSERT_EQ(unread.userType(), qMetaTypeId<TUnreadBlob>());
    EXPECT_EQ(unread.value<TUnreadBlob>().size, 100002);
    EXPECT_EQ(std::tuple(set->ValueAt(1, picture->Index()).isNull(), picture->DisplayText(), picture->AsBytes()),
              std::tuple(true, QString("(GRAPHIC)"), QByteArray(100000, 'a')));
    set->Next();
    EXPECT_EQ(std::tuple(picture->IsNull(), picture->DisplayText()), std::tuple(true, QString()));
    // An edit of another field leaves the BLOB as it is.
    set->Next();
    ASSERT_TRUE(set->Edit());
    set->FindField("name")->SetAsString("Renamed");
    ASSERT_TRUE(set->Post());
    EXPECT_EQ(Row(db.db->Database(), "SELECT length(picture) FROM pics WHERE id = 3"), QVariantList{100002});
    EXPECT_EQ(set->FindField("picture")->AsBytes(), QByteArray(100002, 'c'));
}
