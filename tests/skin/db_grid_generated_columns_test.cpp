// Columns the table computes itself (generated columns) in the data grid:
// shown like any column, recomputed after a post, never written.

#include "db_test_database.h"
#include "skin/data_aware/db_grid.h"

#include <gtest/gtest.h>

#include <QTest>

#include <tuple>

TEST(DBGridGeneratedColumns, AreShownAndKeysTypedIntoThemWriteNothing)
{
    DbFixture f;
    ASSERT_TRUE(f.db->Exec("ALTER TABLE shows ADD COLUMN label TEXT AS ('show ' || title) VIRTUAL"));
    ASSERT_TRUE(f.set->Open());
    TskDBGrid grid;
    grid.resize(900, 200);
    grid.SetDataSource(f.source.get());
    grid.SetErrorHook([](const QString&) {});
    // Indicator + 8 stored fields + the generated one.
    ASSERT_EQ(grid.ColCount(), 10);
    EXPECT_EQ(std::tuple(grid.ColumnField(9)->FieldName(), grid.CellText(9, 1)),
              std::tuple(QString("label"), QString("show Opening")));
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    grid.setFocus();
    grid.SetCol(9);
    QTest::keyClick(&grid, Qt::Key_X);
    if (grid.EditorMode())
        QTest::keyClicks(grid.InplaceEditor(), "yz");
    QTest::keyClick(&grid, Qt::Key_Down);
    f.set->Cancel();  // whatever the keys left pending
    EXPECT_EQ(f.Stored(1, "label").toString(), "show Opening");

    // Through the column it is computed from.
    f.set->First();
    grid.SetCol(2);
    QTest::keyClick(&grid, 'C');
    ASSERT_TRUE(grid.EditorMode());
    QTest::keyClicks(grid.InplaceEditor(), "oda");
    QTest::keyClick(grid.InplaceEditor(), Qt::Key_Return);
    ASSERT_TRUE(f.set->Post()) << f.set->LastError().toStdString();
    EXPECT_EQ(std::tuple(f.Stored(1, "label").toString(), grid.CellText(9, 1)),
              std::tuple(QString("show Coda"), QString("show Coda")));
}
