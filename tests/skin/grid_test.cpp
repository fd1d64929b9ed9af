// Skinned grids: shape and cell texts, the fixed heading row, the current
// cell and OnSelectCell, rows dragged with their data, in-place editing,
// the state colours and the painted border.

#include "skin/grids/draw_grid.h"
#include "skin/grids/string_grid.h"
#include "skin_test_events.h"
#include "skin_test_pictures.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QTest>

#include <array>
#include <tuple>
#include <vector>

using namespace skin_test;

namespace {

// A shown, active window holding a string grid laid out like the track grids
// of the Sequence window: two columns, a heading row, four data rows.
struct TrackGrid {
    QWidget window;
    TskStringGrid* grid;

    TrackGrid()
    {
        window.resize(400, 300);
        grid = new TskStringGrid(&window);
        grid->setGeometry(10, 10, 300, 200);
        grid->SetColCount(2);
        grid->SetFixedCols(0);
        grid->SetRowCount(5);
        grid->SetDefaultRowHeight(20);
        grid->SetOptions(grid->Options() | TGridOption::goEditing | TGridOption::goRowMoving);
        grid->SetRows(0, {"file name", "play_time"});
        for (int r = 1; r < 5; ++r)
            grid->SetRows(r, {QString("item%1.ddr").arg(r), QString::number(r * 100)});
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QWidget& Surface() { return *grid->viewport(); }
    QPoint CellCentre(int col, int row) const { return grid->CellRect(col, row).center(); }
    void ClickCell(int col, int row)
    {
        const QPoint at = CellCentre(col, row);
        Press(Surface(), at);
        Release(Surface(), at);
    }
    void DragRow(int from, int to)
    {
        const QPoint start = CellCentre(0, from);
        Press(Surface(), start);
        MoveHeld(Surface(), start + QPoint(0, 3));
        MoveHeld(Surface(), start + QPoint(0, QApplication::startDragDistance() + 2));
        MoveHeld(Surface(), CellCentre(0, to));
        Release(Surface(), CellCentre(0, to));
    }
    void Key(int key, const QString& text = {})
    {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(QApplication::focusWidget(), &e);
    }
};

std::vector<QString> NameColumn(const TskStringGrid& grid)
{
    std::vector<QString> names;
    for (int r = 0; r < grid.RowCount(); ++r)
        names.push_back(grid.Cells(0, r));
    return names;
}

}  // namespace

TEST(GridShape, RowCountIncludesTheFixedHeadingRowAndDroppedCellsAreGone)
{
    TskStringGrid grid;
    grid.SetColCount(19);
    grid.SetFixedCols(0);
    grid.SetRowCount(2);
    // One fixed row; the only data row current; without fixed columns the name column shows first.
    EXPECT_EQ((std::tuple{grid.FixedRows(), grid.Row(), grid.Col(), grid.LeftCol()}), std::tuple(1, 1, 0, 0));
    grid.SetCells(0, 0, "drawing name");
    grid.SetCells(18, 1, "0");
    EXPECT_EQ((std::tuple{grid.Cells(0, 0), grid.Cells(18, 1), grid.Rows(1).size()}),
              (std::tuple{QString("drawing name"), QString("0"), 19}));

    grid.SetCells(0, 2, "lost");
    grid.SetCells(-1, 1, "lost");
    EXPECT_EQ(grid.Cells(-1, 1), "");
    grid.SetRowCount(4);
    EXPECT_EQ(grid.Cells(0, 2), "") << "a write before the row existed must not appear later";
    grid.SetCells(1, 3, "old");
    grid.SetRow(3);
    grid.SetRowCount(2);
    EXPECT_EQ(grid.Row(), 1) << "the current row moves into the remaining rows";
    grid.SetRowCount(4);
    EXPECT_EQ(grid.Cells(1, 3), "");

    grid.SetRowCount(3);
    grid.SetFixedRows(3);
    EXPECT_EQ(grid.FixedRows(), 1) << "as many fixed rows as rows is refused";
    grid.SetFixedRows(-1);
    EXPECT_EQ(grid.FixedRows(), 1);
    grid.SetRowCount(1);
    EXPECT_EQ(grid.FixedRows(), 0) << "one row left cannot be fixed";
    EXPECT_EQ(grid.Row(), 0);
}

TEST(GridSelection, ClickAsksOnSelectCellThenMovesARefusedCellStaysCodeAndHeadingRaiseNothing)
{
    TrackGrid t;
    std::vector<std::pair<int, int>> asked;
    int clicks = 0;
    QObject::connect(t.grid, &TskCustomGrid::OnSelectCell, [&](int c, int r, bool&) {
        if (asked.empty()) {
            EXPECT_EQ(t.grid->Row(), 1) << "asked before the move";
        }
        asked.emplace_back(c, r);
    });
    QObject::connect(t.grid, &TskCustomGrid::OnClick, [&] { ++clicks; });
    // The heading row and moves by code raise no events.
    t.ClickCell(0, 0);
    t.grid->SetRow(0);
    EXPECT_EQ(t.grid->Row(), 1) << "the heading row cannot be current";
    t.grid->SetRow(4);
    t.grid->SetCol(1);
    EXPECT_EQ((std::tuple{t.grid->Col(), t.grid->Row(), asked.size(), clicks}), std::tuple(1, 4, 0, 0));
    t.grid->SetRow(1);

    t.ClickCell(1, 3);
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{1, 3}}));
    EXPECT_EQ((std::tuple{t.grid->Col(), t.grid->Row(), clicks}), std::tuple(1, 3, 1));

    // A refused cell keeps the current one, for the keyboard too.
    QObject::connect(t.grid, &TskCustomGrid::OnSelectCell, [](int, int r, bool& can) { can = r != 2; });
    t.ClickCell(0, 2);
    EXPECT_EQ(t.grid->Row(), 3);
    t.grid->setFocus();
    t.Key(Qt::Key_Up);
    t.Key(Qt::Key_Up);
    EXPECT_EQ(t.grid->Row(), 3) << "the keyboard cannot pass the refused row either";
}

TEST(GridRowMove, IndexesFollowTheMovedRow)
{
    // {index, from, to, where it ends up}
    for (const auto& [index, from, to, after] : {std::array{1, 1, 3, 3}, {2, 1, 3, 1}, {3, 1, 3, 2}, {4, 1, 3, 4},
                                                 {3, 3, 1, 1}, {1, 3, 1, 2}, {0, 3, 1, 0}})
        EXPECT_EQ(RowAfterMove(index, from, to), after) << index << " " << from << "->" << to;
}

TEST(GridRowMove, DraggingARowMovesItsTextsAShortDragOrTheOptionOffNothing)
{
    TrackGrid t;
    std::vector<std::pair<int, int>> moves;
    QObject::connect(t.grid, &TskCustomGrid::OnRowMoved, [&](int from, int to) { moves.emplace_back(from, to); });
    t.DragRow(1, 3);
    EXPECT_EQ(NameColumn(*t.grid),
              (std::vector<QString>{"file name", "item2.ddr", "item3.ddr", "item1.ddr", "item4.ddr"}));
    // The whole row travels and the current row follows it.
    EXPECT_EQ((std::tuple{t.grid->Cells(1, 3), t.grid->Row()}), (std::tuple{QString("100"), 3}));
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{1, 3}}));

    t.DragRow(4, 2);  // and upward
    EXPECT_EQ(NameColumn(*t.grid),
              (std::vector<QString>{"file name", "item2.ddr", "item4.ddr", "item3.ddr", "item1.ddr"}));
    EXPECT_EQ(t.grid->Rows(2), (QStringList{"item4.ddr", "400"}));

    // A short drag, or any with the option off, moves nothing.
    const QPoint start = t.CellCentre(0, 2);
    Press(t.Surface(), start);
    MoveHeld(t.Surface(), start + QPoint(0, 1));
    Release(t.Surface(), start + QPoint(0, 1));
    EXPECT_EQ(t.grid->Cells(0, 2), "item4.ddr");

    t.grid->SetOptions(t.grid->Options() & ~TGridOptions(TGridOption::goRowMoving));
    t.DragRow(1, 4);
    t.grid->MoveRow(1, 5);
    t.grid->MoveRow(-1, 2);
    EXPECT_EQ(NameColumn(*t.grid),
              (std::vector<QString>{"file name", "item2.ddr", "item4.ddr", "item3.ddr", "item1.ddr"}));
}

TEST(GridEditing, TypedTextIsStoredOnEnterOrAMoveEscapeDiscards)
{
    TrackGrid t;
    QString stored;
    QObject::connect(t.grid, &TskCustomGrid::OnSetEditText, [&](int, int, const QString& text) { stored = text; });
    t.grid->SetCol(1);
    t.grid->SetRow(2);
    t.grid->setFocus();
    t.Key(Qt::Key_F2);
    ASSERT_TRUE(t.grid->EditorMode());
    EXPECT_EQ(t.grid->InplaceEditor()->text(), "200");
    QTest::keyClicks(t.grid->InplaceEditor(), "450");
    QTest::keyClick(t.grid->InplaceEditor(), Qt::Key_Return);
    EXPECT_FALSE(t.grid->EditorMode());
    EXPECT_EQ((std::tuple{t.grid->Cells(1, 2), stored}), (std::tuple{QString("450"), QString("450")}));

    // Moving to another cell stores the edit too.
    t.grid->SetCol(0);
    t.Key(Qt::Key_F2);
    ASSERT_TRUE(t.grid->EditorMode());
    t.grid->InplaceEditor()->setText("renamed.ddr");
    t.ClickCell(0, 3);
    EXPECT_EQ((std::tuple{t.grid->Cells(0, 2), t.grid->Row()}), (std::tuple{QString("renamed.ddr"), 3}));

    // Typing starts with the character; Escape discards.
    t.grid->SetCol(1);
    t.grid->setFocus();
    t.Key(Qt::Key_7, "7");
    ASSERT_TRUE(t.grid->EditorMode());
    EXPECT_EQ(t.grid->InplaceEditor()->text(), "7");
    QTest::keyClick(t.grid->InplaceEditor(), Qt::Key_Escape);
    EXPECT_FALSE(t.grid->EditorMode());
    EXPECT_EQ(t.grid->Cells(1, 3), "300");

    t.grid->SetOptions(t.grid->Options() & ~TGridOptions(TGridOption::goEditing));
    t.Key(Qt::Key_F2);
    t.Key(Qt::Key_A, "a");
    EXPECT_FALSE(t.grid->EditorMode()) << "no editor without the option";
}

TEST(GridEditing, CommandsCommitOrDropTheOpenEditor)
{
    TrackGrid t;
    std::vector<QString> seen;
    const auto check = [&](int col, int row, const QString& text) -> std::optional<QString> {
        seen.push_back(QString("%1,%2:%3").arg(col).arg(row).arg(text));
        return text == "bad" ? std::optional<QString>("refused") : std::nullopt;
    };
    EXPECT_EQ(t.grid->CommitEditor(check), std::nullopt);
    EXPECT_TRUE(seen.empty()) << "nothing open, nothing checked";

    t.grid->SetCol(1);
    t.grid->SetRow(2);
    t.grid->SetEditorMode(true);
    t.grid->InplaceEditor()->setText("bad");
    // Refused or not, the text lands in its own cell and the editor closes.
    EXPECT_EQ(t.grid->CommitEditor(check), std::optional<QString>("refused"));
    EXPECT_EQ(std::tuple(t.grid->Cells(1, 2), t.grid->EditorMode(), seen),
              std::tuple(QString("bad"), false, std::vector<QString>{"1,2:bad"}));

    t.grid->SetEditorMode(true);
    t.grid->InplaceEditor()->setText("999");
    t.grid->DropEditor();
    EXPECT_EQ(std::tuple(t.grid->Cells(1, 2), t.grid->EditorMode()), std::tuple(QString("bad"), false));
}

namespace {

QColor PixelAt(TskCustomGrid& grid, QPoint viewportPoint)
{
    const QImage image = grid.grab().toImage();
    return image.pixelColor(grid.viewport()->mapTo(&grid, viewportPoint));
}

}  // namespace

TEST(GridColours, BorderRingsAndCellsFilledByState)
{
    TrackGrid t;
    t.grid->SetUIStyle(TskUIStyle::Custom);
    t.grid->SetBorderColor(RGBColor(104, 104, 104));
    t.grid->SetColor(RGBColor(10, 20, 30));
    t.grid->SetSelectedColor(RGBColor(166, 202, 240));
    t.grid->SetFocusedColor(RGBColor(0, 255, 0));
    t.grid->SetFixedColor(RGBColor(94, 94, 236));
    t.grid->SetRow(2);
    t.grid->setFocus();
    ASSERT_TRUE(t.grid->hasFocus());
    // The border, then a ring of the cell colour.
    const QImage image = t.grid->grab().toImage();
    EXPECT_EQ(PixelsAt(image, {{0, 0}, {image.width() - 1, image.height() - 1}, {1, 1}}),
              (std::vector<QColor>{QColor(104, 104, 104), QColor(104, 104, 104), QColor(10, 20, 30)}));
    // Text is written from the top-left corner; the right end of a cell is bare.
    const int col = t.grid->Col();
    auto bare = [&](int row) { return t.grid->CellRect(col, row).bottomRight() - QPoint(3, 3); };
    EXPECT_EQ(PixelAt(*t.grid, bare(1)), QColor(10, 20, 30)) << "plain";
    EXPECT_EQ(PixelAt(*t.grid, bare(2)), QColor(0, 255, 0)) << "selected and focused: focused wins";
    EXPECT_EQ(PixelAt(*t.grid, t.grid->CellRect(0, 0).bottomRight() - QPoint(3, 3)), QColor(94, 94, 236)) << "fixed cells keep the fixed colour";
    t.grid->clearFocus();
    EXPECT_EQ(PixelAt(*t.grid, bare(2)), QColor(166, 202, 240)) << "selected without focus";
}

TEST(GridColours, HeadingAndSelectedTextStayReadable)
{
    auto pixelsOf = [](TskStringGrid& grid, int col, int row, auto pred) {
        const QRect cell = grid.CellRect(col, row).translated(grid.viewport()->mapTo(&grid, QPoint(0, 0)));
        return CountPixels(grid.grab().toImage().copy(cell), pred);
    };
    TrackGrid custom;
    custom.grid->SetUIStyle(TskUIStyle::Custom);
    custom.grid->SetFixedColor(RGBColor(0, 0, 128));
    custom.grid->SetFixedFontColor(clWhite);
    custom.grid->SetFontColor(clBlack);
    EXPECT_GT(pixelsOf(*custom.grid, 0, 0, [](QColor c) { return c.lightness() > 200; }), 10)
        << "the heading is written in white on the dark fixed colour";

    TrackGrid program;
    program.grid->SetProgramRowGridLook();
    program.grid->SetCells(0, 2, QStringLiteral("WWWWWW"));
    program.grid->SetRow(2);
    program.grid->clearFocus();
    EXPECT_GT(pixelsOf(*program.grid, 0, 2, [](QColor c) { return c.lightness() < 80; }), 10)
        << "the selected row's text is dark on the sky-blue fill";

    // The default selection colour, pure yellow: light by luminance, though
    // half-light by hue and saturation.
    TrackGrid plain;
    plain.grid->SetRow(2);
    plain.grid->clearFocus();
    ASSERT_EQ(plain.grid->SelectedColor(), 0x00FFFFu);
    const QRect cell = plain.grid->CellRect(0, 2).translated(plain.grid->viewport()->mapTo(plain.grid, QPoint(0, 0)));
    plain.grid->SetCells(0, 2, QString());
    const QImage empty = plain.grid->grab().toImage();
    plain.grid->SetCells(0, 2, QStringLiteral("WWWWWW"));
    const DrawnText text = TextBetween(empty, plain.grid->grab().toImage(), cell);
    ASSERT_GT(text.pixels, 10);
    EXPECT_GE(ContrastRatio(text.colour, Qt::yellow), kLeastTextContrast) << text.colour.name().toStdString();

    // A dark selection keeps the light highlight text.
    plain.grid->SetSelectedColor(RGBColor(0, 0, 128));
    plain.grid->SetCells(0, 2, QString());
    const QImage navy = plain.grid->grab().toImage();
    plain.grid->SetCells(0, 2, QStringLiteral("WWWWWW"));
    const DrawnText onNavy = TextBetween(navy, plain.grid->grab().toImage(), cell);
    ASSERT_GT(onNavy.pixels, 10);
    EXPECT_GT(RelativeLuminance(onNavy.colour), 0.5) << onNavy.colour.name().toStdString();
}

TEST(GridColours, BuiltInLookTakesThemeColoursAndCustomKeepsThem)
{
    TskStringGrid grid;
    grid.SetUIStyle(TskUIStyle::Crystal);
    EXPECT_EQ(grid.FixedColor(), GetThemeColor(TskUIStyle::Crystal, 12));
    EXPECT_EQ(grid.FocusedColor(), 0x00FF00u) << "the string grid's own default";
    grid.SetColor(15198183);
    grid.SetUIStyle(TskUIStyle::Custom);
    EXPECT_EQ(grid.Color(), 15198183u);
    EXPECT_EQ(TskDrawGrid().FocusedColor(), 0x008000u);
}

TEST(GridOwnerDrawing, PaletteGridPaintsEveryVisibleCellPicksByClickAndScrollsToTheKeyboardsRow)
{
    QWidget window;
    window.resize(200, 300);
    TskDrawGrid grid(&window);
    grid.setGeometry(0, 0, 160, 250);
    grid.SetColCount(4);
    grid.SetRowCount(64);
    grid.SetFixedCols(0);
    grid.SetFixedRows(0);
    grid.SetDefaultColWidth(30);
    grid.SetSelectedColor(clBlack);
    int drawn = 0;
    QObject::connect(&grid, &TskCustomGrid::OnDrawCell,
                     [&](QPainter& canvas, int col, int row, const QRect& rect, TGridDrawState) {
                         ++drawn;
                         canvas.fillRect(rect, QColor(col * 60, row * 4, 100));
                     });
    int picked = -1;
    QObject::connect(&grid, &TskCustomGrid::OnSelectCell, [&](int col, int row, bool&) { picked = col * 64 + row; });
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    drawn = 0;
    const QImage image = grid.grab().toImage();
    int shownRows = 0;
    for (int r = 0; r < grid.RowCount(); ++r)
        shownRows += grid.CellRect(0, r).isNull() ? 0 : 1;
    EXPECT_GT(shownRows, grid.VisibleRowCount()) << "a cut row at the bottom is drawn too";
    EXPECT_EQ(drawn, 4 * shownRows);
    const QPoint inside = grid.viewport()->mapTo(&grid, grid.CellRect(2, 5).center());
    EXPECT_EQ(image.pixelColor(inside), QColor(120, 20, 100));
    const QPoint at = grid.CellRect(3, 2).center();
    Press(*grid.viewport(), at);
    Release(*grid.viewport(), at);
    EXPECT_EQ(picked, 3 * 64 + 2);

    // The keyboard scrolls the current row into view, the last row whole.
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid.Row(), 63);
    EXPECT_GT(grid.TopRow(), 0);
    const QRect cell = grid.CellRect(grid.Col(), 63);
    ASSERT_FALSE(cell.isNull());
    EXPECT_LE(cell.bottom(), grid.viewport()->height() - 1);
    int col = -1;
    int row = -1;
    ASSERT_TRUE(grid.MouseToCell(cell.center(), col, row));
    EXPECT_EQ(row, 63);
    QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(grid.TopRow(), 0);
}

// A value wider than its cell is cut with "…", never plainly: "4321" in a narrow
// column must not read as "432". What is painted is what ShownCells says.
TEST(GridCellText, AValueWiderThanItsCellIsCutWithDotsAndPaintedAsShown)
{
    TrackGrid t;
    t.grid->SetColWidths(1, 28);
    const int room = 28 - 2;
    t.grid->SetCells(1, 1, "4321");
    t.grid->SetCells(1, 2, "7");
    ASSERT_GT(t.grid->fontMetrics().horizontalAdvance("4321"), room) << "the font must be wide enough to test";
    EXPECT_EQ(t.grid->ShownCells(1, 2), "7");
    const QString shown = t.grid->ShownCells(1, 1);
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(QString("4321").startsWith(shown.chopped(1)));
    EXPECT_LE(t.grid->fontMetrics().horizontalAdvance(shown), room);
    t.grid->SetColWidths(1, t.grid->fontMetrics().horizontalAdvance("4321") + 2);
    EXPECT_EQ(t.grid->ShownCells(1, 1), "4321");

    // The painted cell equals the same cell holding the shown text.
    t.grid->SetColWidths(1, 28);
    auto cellPicture = [&] {
        const QRect cell = t.grid->CellRect(1, 1).translated(t.grid->viewport()->mapTo(t.grid, QPoint(0, 0)));
        return t.grid->grab().toImage().copy(cell);
    };
    const QImage painted = cellPicture();
    t.grid->SetCells(1, 1, shown);
    EXPECT_EQ(painted, cellPicture());
    t.grid->SetCells(1, 1, "432");
    EXPECT_NE(painted, cellPicture()) << "a plain cut would paint as another number";
}
