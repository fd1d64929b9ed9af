// The data grid over a table: columns, the current row following the
// cursor both ways, colours and cell editing.

#include "db_test_database.h"
#include "skin/data_aware/db_grid.h"
#include "skin/data_aware/db_navigator.h"
#include "skin/skin_color.h"
#include "skin/themes.h"
#include "skin_test_pictures.h"

#include <gtest/gtest.h>

#include <QTest>

#include <tuple>

#include <cmath>
#include <deque>

#include <QApplication>
#include <QMessageBox>
#include <QSqlQuery>
#include <QTimer>

TEST(DBGrid, RowsFollowTheCursorAndTheCursorFollowsTheGrid)
{
    DbFixture f;
    TskDBGrid grid;
    grid.resize(400, 200);
    EXPECT_EQ(std::tuple(grid.FocusedColor(), grid.SelectedColor()), std::tuple(TColor(32768), TColor(65535)));
    grid.SetDataSource(f.source.get());
    ASSERT_TRUE(f.set->Open());
    // Indicator + 8 fields.
    EXPECT_EQ(std::tuple(grid.ColCount(), grid.RowCount(), grid.ColumnField(2)->FieldName(), grid.Row()),
              std::tuple(9, 4, QString("title"), 1));
    f.set->Last();
    EXPECT_EQ(grid.Row(), 3);

    grid.show();
    grid.setFocus();
    std::vector<int> recNos;
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Home}) {  // Home moves along the row
        QTest::keyClick(&grid, key);
        recNos.push_back(f.set->RecNo());
    }
    EXPECT_EQ(recNos, (std::vector{1, 1}));

    // A move off an edit that cannot be posted is refused with the reason.
    QStringList errors;
    grid.SetErrorHook([&](const QString& e) { errors << e; });
    f.set->Edit();
    f.set->FindField("title")->Clear();
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(std::tuple(grid.Row(), f.set->RecNo()), std::tuple(2, 1));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("NOT NULL"));
    f.set->Cancel();

    // An inserted record shows as a new last row until it is posted or cancelled.
    f.set->Insert();
    EXPECT_EQ(std::tuple(grid.RowCount(), grid.Row()), std::tuple(5, 4));
    f.set->Cancel();
    EXPECT_EQ(std::tuple(grid.RowCount(), grid.Row()), std::tuple(4, 2));

    // Deleting shrinks the grid.
    f.set->Delete();
    EXPECT_EQ(grid.RowCount(), 3);
    f.set->Close();
    EXPECT_EQ(grid.ColCount(), 2);
}

TEST(DBGrid, CellEditsGoThroughTheDataSetAndCustomLookIsIgnored)
{
    DbFixture f;
    ASSERT_TRUE(f.set->Open());
    TskDBGrid grid;
    grid.SetDataSource(f.source.get());
    grid.SetUIStyle(TskUIStyle::Navy);
    const std::pair<TColor, int> colours[] = {{grid.BorderColor(), 8}, {grid.Color(), 9}, {grid.FixedColor(), 12},
                                              {grid.FixedFontColor(), 13}, {grid.FontColor(), 16}};
    for (const auto& [colour, index] : colours)
        EXPECT_EQ(colour, GetThemeColor(TskUIStyle::Navy, index)) << index;
    grid.SetUIStyle(TskUIStyle::Custom);
    EXPECT_EQ(grid.UIStyle(), TskUIStyle::Navy);

    EXPECT_TRUE(grid.Options() & TGridOption::goEditing);  // editable unless told otherwise
    grid.SetCol(2);
    grid.show();
    grid.setFocus();
    grid.SetEditorMode(true);
    ASSERT_NE(grid.InplaceEditor(), nullptr);
    EXPECT_EQ(grid.InplaceEditor()->text(), "Opening");
    grid.InplaceEditor()->setText("Overture");
    grid.SetEditorMode(false);
    EXPECT_EQ(f.set->State(), TDataSetState::dsEdit);
    EXPECT_EQ(f.Posted(1, "title").toString(), "Overture");
}

// A value typed into a cell is part of the record whatever ends the edit:
// the navigator's Post, a move of the record, or Cancel that drops it.
TEST(DBGrid, OpenCellIsWrittenByTheNavigatorsPostAndEveryMove)
{
    DbFixture f;
    ASSERT_TRUE(f.set->Open());
    QStringList errors;  // outlives the form, whose closing cell may still report
    QWidget form;
    auto* grid = new TskDBGrid(&form);
    grid->setGeometry(0, 0, 500, 150);
    grid->SetDataSource(f.source.get());
    auto* nav = new TskDBNavigator(&form);
    nav->setGeometry(0, 160, 250, 30);
    nav->SetDataSource(f.source.get());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const auto typeIntoCell = [&](const QString& text) {
        grid->setFocus();
        grid->SetCol(2);
        QTest::keyClick(grid, text[0].toLatin1());
        ASSERT_TRUE(grid->EditorMode());
        QTest::keyClicks(grid->InplaceEditor(), text.mid(1));
    };

    typeIntoCell("Overture");
    EXPECT_EQ(f.set->State(), TDataSetState::dsEdit);
    ASSERT_TRUE(nav->Button(TNavigateBtn::nbPost)->isEnabled());
    nav->Button(TNavigateBtn::nbPost)->Click();
    EXPECT_EQ(std::tuple(f.Stored(1, "title").toString(), f.set->State()),
              std::tuple(QString("Overture"), TDataSetState::dsBrowse));
    grid->SetEditorMode(false);
    grid->setFocus();
    EXPECT_EQ(f.set->State(), TDataSetState::dsBrowse);  // nothing left to start a new edit

    typeIntoCell("Coda");
    nav->Button(TNavigateBtn::nbNext)->Click();
    EXPECT_EQ(std::tuple(f.Stored(1, "title").toString(), f.set->RecNo(), f.set->State()),
              std::tuple(QString("Coda"), 1, TDataSetState::dsBrowse));

    typeIntoCell("Dropped");
    nav->Button(TNavigateBtn::nbCancel)->Click();
    EXPECT_EQ(std::tuple(f.Stored(2, "title").toString(), f.set->State()),
              std::tuple(QString("Finale"), TDataSetState::dsBrowse));
    if (grid->EditorMode()) {
        EXPECT_EQ(grid->InplaceEditor()->text(), "Finale");
    }
    grid->SetEditorMode(false);
    EXPECT_EQ(f.set->State(), TDataSetState::dsBrowse);

    // A value the field refuses keeps the edit and the cell, and says why.
    nav->SetErrorHook([&](const QString& e) { errors << e; });
    grid->SetErrorHook([&](const QString& e) { errors << e; });
    grid->setFocus();
    grid->SetCol(1);
    QTest::keyClick(grid, Qt::Key_X);
    ASSERT_TRUE(grid->EditorMode());
    nav->Button(TNavigateBtn::nbPost)->Click();
    EXPECT_EQ(std::tuple(f.set->State(), errors.isEmpty(), grid->EditorMode(), f.Stored(2, "id").toInt()),
              std::tuple(TDataSetState::dsEdit, false, true, 2));
}

TEST(DBGrid, TitlesAreWrittenInTheLooksTitleColourThatReadsOnTheFixedCells)
{
    DbFixture f;
    ASSERT_TRUE(f.set->Open());
    TskDBGrid grid;
    grid.resize(400, 120);
    grid.SetDataSource(f.source.get());
    for (TskUIStyle style :
         {TskUIStyle::Pearl, TskUIStyle::Azure, TskUIStyle::Navy, TskUIStyle::Ivory, TskUIStyle::Crystal}) {
        SCOPED_TRACE(int(style));
        grid.SetUIStyle(style);
        const QColor title = ToQColor(GetThemeColor(style, 13));
        EXPECT_GE(ContrastRatio(title, ToQColor(GetThemeColor(style, 12))), kLeastTextContrast);
        // Inside the cell, off its lines.
        const QRect cell = grid.CellRect(2, 0).translated(grid.viewport()->pos()).adjusted(2, 2, -2, -2);
        const QImage titles = grid.grab(cell).toImage();
        // Text is smoothed: count the pixels near the title colour.
        const int nearTitle = skin_test::CountPixels(titles, [&](QColor c) {
            return std::abs(c.red() - title.red()) + std::abs(c.green() - title.green()) +
                       std::abs(c.blue() - title.blue()) <
                   96;
        });
        EXPECT_GT(nearTitle, 5);
    }
}

TEST(DBGrid, RecordKeysInsertDeleteAfterTheQuestionCancelAndAppendOnTheLastRow)
{
    DbFixture f;
    ASSERT_TRUE(f.set->Open());
    TskDBGrid grid;
    grid.resize(400, 200);
    grid.SetDataSource(f.source.get());
    QStringList asked;
    std::deque<bool> answers{false, true, true};
    grid.SetQuestionHook([&](const QString& q) {
        asked << q;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    });
    QStringList errors;
    grid.SetErrorHook([&](const QString& e) { errors << e; });
    grid.show();
    grid.setFocus();
    auto storedRows = [&] {
        SqliteConnection other(f.path);
        QSqlQuery q(other.Database());
        q.exec("SELECT group_concat(title, ',') FROM (SELECT title FROM shows ORDER BY id)");
        return q.next() ? q.value(0).toString() : QString();
    };

    QTest::keyClick(&grid, Qt::Key_Insert);
    EXPECT_EQ(std::tuple(f.set->State(), grid.RowCount()), std::tuple(TDataSetState::dsInsert, 5));
    QTest::keyClick(&grid, Qt::Key_Escape);
    EXPECT_EQ(std::tuple(f.set->State(), grid.RowCount()), std::tuple(TDataSetState::dsBrowse, 4));
    QTest::keyClick(&grid, Qt::Key_Insert);
    QTest::keyClick(&grid, Qt::Key_F2);  // an open cell with nothing typed: Escape cancels too
    QTest::keyClick(grid.InplaceEditor(), Qt::Key_Escape);
    EXPECT_EQ(std::tuple(f.set->State(), grid.RowCount()), std::tuple(TDataSetState::dsBrowse, 4));

    // Down on the last row appends; leaving the empty record drops it, a typed one is posted.
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(std::tuple(f.set->State(), grid.Row()), std::tuple(TDataSetState::dsInsert, 4));
    QTest::keyClick(&grid, Qt::Key_Down);  // still the one empty record
    QTest::keyClick(&grid, Qt::Key_Up);
    EXPECT_EQ(std::tuple(f.set->State(), grid.RowCount(), storedRows()),
              std::tuple(TDataSetState::dsBrowse, 4, QString("Opening,Finale,Encore")));
    QTest::keyClick(&grid, Qt::Key_Down);
    grid.SetCol(2);
    QTest::keyClick(&grid, 'A');  // opens the cell
    QTest::keyClicks(grid.InplaceEditor(), "dded");
    QTest::keyClick(grid.InplaceEditor(), Qt::Key_Up);
    EXPECT_EQ(storedRows(), "Opening,Finale,Encore,Added") << storedRows().toStdString();

    // Ctrl+Delete asks first: No keeps the record, Yes deletes it; a
    // selection of rows asks about them all.
    QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(storedRows(), "Finale,Encore,Added") << storedRows().toStdString();
    QTest::keyClick(&grid, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(storedRows(), "Added") << storedRows().toStdString();
    EXPECT_EQ(asked, QStringList({"Delete record?", "Delete record?", "Delete all selected records?"}));
    EXPECT_EQ(errors, QStringList()) << errors.join("|").toStdString();
}

TEST(DBGrid, WithEditingOffNoKeyAddsARecordAndAReadOnlyGridRefusesTypingWithoutAnEmptyMessage)
{
    DbFixture f;
    ASSERT_TRUE(f.set->Open());
    TskDBGrid grid;
    grid.resize(400, 200);
    grid.SetDataSource(f.source.get());
    grid.show();
    grid.setFocus();
    grid.SetOptions(grid.Options() & ~TGridOptions(TGridOption::goEditing));
    QTest::keyClick(&grid, Qt::Key_Insert);
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(std::tuple(f.set->State(), grid.RowCount(), f.set->RecNo()), std::tuple(TDataSetState::dsBrowse, 4, 2));

    // No error hook: a message box would show; close any that does and keep its text.
    QStringList boxes;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxes << box->text();
            box->reject();
        }
    });
    closer.start(10);
    grid.SetOptions(grid.Options() | TGridOption::goEditing);
    grid.SetReadOnly(true);
    grid.SetCol(2);
    QTest::keyClick(&grid, Qt::Key_X);
    QTest::keyClick(grid.EditorMode() ? static_cast<QWidget*>(grid.InplaceEditor()) : &grid, Qt::Key_Up);
    closer.stop();
    EXPECT_EQ(std::tuple(f.set->State(), f.Stored(3, "title").toString()),
              std::tuple(TDataSetState::dsBrowse, QString("Encore")));
    for (const QString& text : boxes)
        EXPECT_FALSE(text.isEmpty());
}
