// What the bound controls and the grid keep of stored values: long values
// are shown and written back whole, an edit of one character changes only
// that character in the file, and the grid shows cut and binary values as such.

#include "db_form_fixture.h"
#include "skin/data_aware/db_combo_box.h"
#include "skin/data_aware/db_edit.h"
#include "skin/data_aware/db_grid.h"
#include "skin/data_aware/db_memo.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTextCursor>

#include <tuple>

namespace {

const QString kLong30 = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123");
const QString kMemo = QStringLiteral("first\r\nsecond\u00A0half\r\nthird\r\n");

/// A table "notes" as other programs leave it: a VARCHAR(20) column holding
/// 30 characters, a 100,000-character TEXT, a memo with CR LF line ends and
/// a no-break space, a large integer and bytes in a column with no type.
struct StoredValues : DbFormFixture {

    void SetUp() override
    {
        f.db->Exec("CREATE TABLE notes (id INTEGER PRIMARY KEY, code VARCHAR(20), body TEXT, memo MEMO, "
                   "big INTEGER, raw)");
        QSqlQuery q(f.db->Database());
        q.prepare("INSERT INTO notes VALUES (1, ?, ?, ?, 9007199254740993, ?)");
        q.addBindValue(kLong30);
        q.addBindValue(QString(100000, u'b'));
        q.addBindValue(kMemo);
        q.addBindValue(QByteArray("\x00\xff\x10zz", 5));
        ASSERT_TRUE(q.exec());
        f.db->Exec("INSERT INTO notes (id, code) VALUES (2, 'second')");
        f.db->Exec("INSERT INTO notes (id, code) VALUES (3, 'one' || char(13, 10) || 'two')");
        OpenTable("notes");
    }
    QVariant Stored(const QString& column, int id = 1) const
    {
        SqliteConnection other(f.path);
        QSqlQuery q(other.Database());
        q.exec(QStringLiteral("SELECT %1 FROM notes WHERE id = %2").arg(column).arg(id));
        return q.next() ? q.value(0) : QVariant();
    }
};

}  // namespace

TEST_F(StoredValues, EditShowsLongValuesWholeAndLimitsOnlyWhatIsTyped)
{
    auto* code = Bind(new TskDBEdit(&form), "code");
    auto* body = Bind(new TskDBEdit(&form), "body");
    EXPECT_EQ(std::tuple(code->text(), body->text().size()), std::tuple(kLong30, qsizetype(100000)));

    Focus(*code);
    QTest::keyClick(code, Qt::Key_End);
    QTest::keyClick(code, Qt::Key_Backspace);
    QTest::keyClick(code, Qt::Key_Backspace);
    QTest::keyClicks(code, "x");  // 29 characters: longer than 20, so not typed
    EXPECT_EQ(code->text(), kLong30.left(28));
    Focus(*body);
    QTest::keyClick(body, Qt::Key_End);
    QTest::keyClick(body, Qt::Key_Backspace);
    ASSERT_TRUE(set->Post()) << set->LastError().toStdString();
    EXPECT_EQ(std::tuple(Stored("code").toString(), Stored("body").toString().size()),
              std::tuple(kLong30.left(28), qsizetype(99999)));

    // Typed over a selection, the text stops at the column's size.
    Focus(*code);
    code->selectAll();
    QTest::keyClicks(code, QString(25, u'k'));
    EXPECT_EQ(code->text(), QString(20, u'k'));
    set->Cancel();

    // The combo box's edit row likewise.
    auto* combo = Bind(new TskDBComboBox(&form), "body");
    EXPECT_EQ(combo->lineEdit()->text().size(), 99999);
    Focus(*combo);
    QTest::keyClick(combo, Qt::Key_End);
    QTest::keyClick(combo, Qt::Key_Backspace);
    form.setFocus();
    ASSERT_TRUE(set->Post()) << set->LastError().toStdString();
    EXPECT_EQ(Stored("body").toString().size(), 99998);
}

TEST_F(StoredValues, MemoEditChangesOnlyTheEditedCharacter)
{
    auto* memo = Bind(new TskDBMemo(&form), "memo");
    Focus(*memo);
    QTextCursor at = memo->textCursor();
    at.setPosition(6);  // the start of the second line
    memo->setTextCursor(at);
    QTest::keyClicks(memo, "S");
    ASSERT_TRUE(set->Post()) << set->LastError().toStdString();
    QString expected = kMemo;
    expected.insert(7, u'S');
    EXPECT_EQ(Stored("memo").toString(), expected);
}

TEST_F(StoredValues, GridCellKeepsLongValuesAndShowsCutAndBinaryValues)
{
    auto* grid = new TskDBGrid(&form);
    grid->resize(480, 200);
    grid->SetDataSource(source.get());
    const int bodyCol = set->FindField("body")->Index() + 1;
    const int bigCol = set->FindField("big")->Index() + 1;
    const int rawCol = set->FindField("raw")->Index() + 1;
    grid->SetColWidths(bigCol, 60);
    const QString big = grid->CellText(bigCol, 1);
    EXPECT_TRUE(big.startsWith("9007") && big.endsWith(QChar(0x2026))) << big.toStdString();
    EXPECT_EQ(grid->CellText(rawCol, 1), "(BLOB)");
    // Lines after the first are cut too, and marked so.
    EXPECT_EQ(grid->CellText(set->FindField("code")->Index() + 1, 3), QString("one") + QChar(0x2026));

    Focus(*grid);
    grid->SetCol(bodyCol);
    grid->SetEditorMode(true);
    QLineEdit* editor = grid->InplaceEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text().size(), 100000);
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClick(editor, Qt::Key_Backspace);
    ASSERT_TRUE(set->Post()) << set->LastError().toStdString();
    EXPECT_EQ(Stored("body").toString().size(), 99999);

    // The bytes cannot be typed over: their cell is read-only.
    grid->SetCol(rawCol);
    grid->SetEditorMode(true);
    EXPECT_TRUE(grid->InplaceEditor()->isReadOnly());
    grid->SetEditorMode(false);
    EXPECT_EQ(Stored("raw").toByteArray(), QByteArray("\x00\xff\x10zz", 5));
}

TEST_F(StoredValues, GridRowSetFromCodeMovesTheRecordItsEditorEdits)
{
    auto* grid = new TskDBGrid(&form);
    grid->resize(480, 200);
    grid->SetDataSource(source.get());
    Focus(*grid);
    grid->SetRow(2);
    EXPECT_EQ(set->RecNo(), 1);
    grid->SetCol(set->FindField("code")->Index() + 1);
    grid->SetEditorMode(true);
    EXPECT_EQ(grid->InplaceEditor()->text(), "second");
    QTest::keyClick(grid->InplaceEditor(), Qt::Key_End);
    QTest::keyClicks(grid->InplaceEditor(), "2");
    ASSERT_TRUE(set->Post());
    EXPECT_EQ(std::tuple(Stored("code", 1).toString(), Stored("code", 2).toString()),
              std::tuple(kLong30, QString("second2")));
}
