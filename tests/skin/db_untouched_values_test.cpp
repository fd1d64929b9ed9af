// What the operator did not edit stays as stored, byte for byte: a value a
// control cannot show whole (bytes) is read-only there and a typed key starts
// no edit; the memo edits bytes that read as text; the combo keeps the case
// of a stored text; a text typed and taken back leaves a NULL a NULL.

#include "db_form_fixture.h"
#include "skin/data_aware/db_combo_box.h"
#include "skin/data_aware/db_edit.h"
#include "skin/data_aware/db_grid.h"
#include "skin/data_aware/db_memo.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTest>
#include <QTextCursor>

#include <tuple>

namespace {

const QString kText = QStringLiteral("h\u00E9llo\nworld");

/// A table "media" as the sqlite3 shell leaves it: a 10 MB picture in a BLOB
/// column, UTF-8 text stored as bytes in another, bytes in an untyped column,
/// a NOCASE text, an untyped integer and a NULL text.
struct UntouchedValues : DbFormFixture {
    QStringList errors;

    void SetUp() override
    {
        f.db->Exec("CREATE TABLE media (id INTEGER PRIMARY KEY, pic BLOB, doc BLOB, raw, "
                   "name TEXT COLLATE NOCASE, n, note TEXT)");
        QByteArray picture(10 * 1024 * 1024, '\0');
        picture.replace(0, 4, "\x89PNG");  // 0x89 never starts a UTF-8 character
        QSqlQuery q(f.db->Database());
        q.prepare("INSERT INTO media VALUES (1, ?, ?, ?, 'MiXed', 7, NULL)");
        q.addBindValue(picture);
        q.addBindValue(kText.toUtf8());
        q.addBindValue(QByteArray("\x00\xff\x10", 3));
        ASSERT_TRUE(q.exec());
        OpenTable("media");
    }
    /// hex() and typeof() of every column as stored, read through a second connection.
    QStringList Stored() const
    {
        SqliteConnection other(f.path);
        QSqlQuery q(other.Database());
        q.exec("SELECT hex(pic), typeof(pic), hex(doc), typeof(doc), hex(raw), typeof(raw), hex(name), "
               "typeof(name), hex(n), typeof(n), hex(note), typeof(note) FROM media WHERE id = 1");
        QStringList values;
        if (q.next()) {
            for (int i = 0; i < 12; ++i)
                values << q.value(i).toString();
        }
        return values;
    }
    /// The grid column that shows `field` (column 0 is the indicator).
    int GridCol(const char* field) const { return set->FindField(field)->Index() + 1; }
};

}  // namespace

TEST_F(UntouchedValues, GridCellsOfBytesTakeNoKeyAndStartNoEdit)
{
    const QStringList before = Stored();
    auto* grid = new TskDBGrid(&form);
    grid->resize(480, 200);
    grid->SetErrorHook([&](const QString& e) { errors << e; });
    grid->SetDataSource(source.get());
    Focus(*grid);
    for (const char* field : {"pic", "doc", "raw"}) {
        grid->SetCol(GridCol(field));
        QTest::keyClick(grid, Qt::Key_X);
        EXPECT_EQ(set->State(), TDataSetState::dsBrowse) << field;
        EXPECT_TRUE(!grid->EditorMode() || grid->InplaceEditor()->isReadOnly()) << field;
        if (grid->EditorMode())
            QTest::keyClicks(grid->InplaceEditor(), "yz");
        QTest::keyClick(grid->EditorMode() ? static_cast<QWidget*>(grid->InplaceEditor()) : grid, Qt::Key_Up);
        EXPECT_EQ(set->State(), TDataSetState::dsBrowse) << field;
    }
    EXPECT_EQ(grid->CellText(GridCol("pic"), 1), "(GRAPHIC)");
    EXPECT_EQ(Stored(), before);
    EXPECT_EQ(errors, QStringList());
}

TEST_F(UntouchedValues, EditAndComboOfBytesAreReadOnlyAndKeepThem)
{
    const QStringList before = Stored();
    auto* edit = Bind(new TskDBEdit(&form), "pic");
    auto* raw = Bind(new TskDBEdit(&form), "raw");
    auto* combo = Bind(new TskDBComboBox(&form), "raw");
    auto* away = new QLineEdit(&form);
    for (QWidget* control : std::initializer_list<QWidget*>{edit, raw, combo}) {
        Focus(*control);
        QTest::keyClicks(control, "ab");
        QTest::keyClick(control, Qt::Key_Backspace);
        QTest::keyClick(control, Qt::Key_Delete);
        auto* line = combo == control ? combo->lineEdit() : static_cast<QLineEdit*>(control);
        EXPECT_EQ(std::tuple(set->State(), line->isReadOnly()), std::tuple(TDataSetState::dsBrowse, true))
            << control->metaObject()->className();
        away->setFocus();
        QApplication::processEvents();
    }
    EXPECT_EQ(std::tuple(edit->text(), raw->text(), combo->currentText()),
              std::tuple(QString("(GRAPHIC)"), QString("(BLOB)"), QString("(BLOB)")));
    EXPECT_EQ(Stored(), before);
}

TEST_F(UntouchedValues, MemoEditsBytesThatReadAsTextAndLeavesOtherBytesAlone)
{
    const QStringList before = Stored();
    auto* picture = Bind(new TskDBMemo(&form), "pic");
    auto* doc = Bind(new TskDBMemo(&form), "doc");
    auto* away = new QLineEdit(&form);
    EXPECT_EQ(std::tuple(picture->Text(), doc->Text()), std::tuple(QString("(GRAPHIC)"), kText));

    Focus(*picture);
    QTest::keyClicks(picture, "ab");
    EXPECT_EQ(std::tuple(set->State(), picture->isReadOnly()), std::tuple(TDataSetState::dsBrowse, true));

    // Entered and left without a change, the bytes are not written again.
    Focus(*doc);
    away->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(set->State(), TDataSetState::dsBrowse);
    EXPECT_EQ(Stored(), before);

    // Edited, the text goes back as bytes, as it was stored.
    Focus(*doc);
    doc->moveCursor(QTextCursor::End);
    QTest::keyClicks(doc, "!");
    away->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(set->Post()) << set->LastError().toStdString();
    QStringList expected = before;
    expected[2] = QString::fromLatin1((kText + "!").toUtf8().toHex().toUpper());
    EXPECT_EQ(Stored(), expected);
}

TEST_F(UntouchedValues, TextTypedAndTakenBackLeavesANullAndTheComboKeepsTheStoredCase)
{
    const QStringList before = Stored();
    auto* edit = Bind(new TskDBEdit(&form), "note");
    auto* memo = Bind(new TskDBMemo(&form), "note");
    auto* noteCombo = Bind(new TskDBComboBox(&form), "note");
    auto* away = new QLineEdit(&form);
    for (QWidget* control : std::initializer_list<QWidget*>{edit, memo, noteCombo}) {
        Focus(*control);
        QTest::keyClick(control, Qt::Key_Q);
        QTest::keyClick(control, Qt::Key_Backspace);
        away->setFocus();
        QApplication::processEvents();
        ASSERT_TRUE(set->Post()) << set->LastError().toStdString();
        EXPECT_EQ(Stored(), before) << control->metaObject()->className();
    }

    // A stored text that differs from an item only in case keeps its case when typed into.
    auto* combo = new TskDBComboBox(&form);
    combo->SetItems({"mixed", "Other"});
    Bind(combo, "name");
    EXPECT_EQ(combo->currentText(), "MiXed");
    Focus(*combo);
    combo->lineEdit()->end(false);
    QTest::keyClicks(combo, "s");
    away->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(set->Post()) << set->LastError().toStdString();
    EXPECT_EQ(Stored()[6], QString::fromLatin1(QByteArray("MiXeds").toHex().toUpper()));
}

TEST_F(UntouchedValues, GridEditAndMemoTypedIntoEverywhereChangeOnlyWhatWasEdited)
{
    QStringList expected = Stored();
    auto* grid = new TskDBGrid(&form);
    grid->resize(480, 120);
    grid->move(0, 0);
    grid->SetErrorHook([&](const QString& e) { errors << e; });
    grid->SetDataSource(source.get());
    auto* edit = Bind(new TskDBEdit(&form), "name");
    auto* memo = Bind(new TskDBMemo(&form), "doc");
    edit->move(0, 130);
    memo->setGeometry(0, 160, 300, 100);

    // Every cell: a key typed over it, then the cell opened, typed into and taken back.
    Focus(*grid);
    for (int col = 1; col < grid->ColCount(); ++col) {
        grid->SetCol(col);
        QTest::keyClick(grid, Qt::Key_Q);
        if (grid->EditorMode())
            QTest::keyClick(grid->InplaceEditor(), Qt::Key_Escape);
        QTest::keyClick(grid, Qt::Key_F2);
        ASSERT_TRUE(grid->EditorMode()) << col;
        QTest::keyClick(grid->InplaceEditor(), Qt::Key_End);
        QTest::keyClick(grid->InplaceEditor(), Qt::Key_Z);
        QTest::keyClick(grid->InplaceEditor(), Qt::Key_Backspace);
        QTest::keyClick(grid->InplaceEditor(), Qt::Key_Return);
    }
    if (set->State() != TDataSetState::dsBrowse) {
        ASSERT_TRUE(set->Post()) << set->LastError().toStdString();
    }
    EXPECT_EQ(Stored(), expected);

    Focus(*edit);
    edit->end(false);
    QTest::keyClicks(edit, "s");
    Focus(*memo);
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, "!");
    Focus(*grid);
    ASSERT_TRUE(set->Post()) << set->LastError().toStdString();
    expected[2] = QString::fromLatin1((kText + "!").toUtf8().toHex().toUpper());
    expected[6] = QString::fromLatin1(QByteArray("MiXeds").toHex().toUpper());
    EXPECT_EQ(Stored(), expected);
    EXPECT_EQ(errors, QStringList());
}
