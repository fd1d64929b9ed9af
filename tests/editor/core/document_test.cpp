#include "editor_fixture.h"

#include <QTemporaryFile>

namespace {

using DocumentTest = EditorTest;

void AddPointAndPush(DrawDocument& doc, int x)
{
    doc.Drawing.push_back(MakePath({{x, 0}}));
    doc.PushUndo();
}

TEST_F(DocumentTest, HistoryKeeps400StatesAndDropsTheRedoTail)
{
    for (int i = 0; i < 401; ++i)
        AddPointAndPush(doc, i);
    EXPECT_EQ(std::pair(doc.SnapshotCount(), doc.UndoIndex), std::pair(400, 399));
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.PointCount(), 400u);

    // An edit after undos replaces the redo part of the history.
    ASSERT_TRUE(doc.Undo());
    AddPointAndPush(doc, 1000);
    EXPECT_EQ(doc.SnapshotCount(), 399);
    EXPECT_FALSE(doc.Redo());
    EXPECT_EQ(doc.Drawing.back()[0]->x, 1000);
}

// A large drawing fills the history's memory before its count: the oldest
// snapshots go first, and the current state stays even when it alone is
// over the bound.
TEST_F(DocumentTest, HistoryIsBoundedByMemoryOldestFirst)
{
    Path big;
    for (int i = 0; i < 1000; ++i)
        big.push_back(std::make_unique<LaserPoint>(LaserPoint{i % 500, 5, 0, 4, 0, 0}));
    doc.Drawing.push_back(std::move(big));
    doc.PushUndo();
    const std::size_t one = doc.HistoryBytes();
    EXPECT_GE(one, 1000 * (sizeof(LaserPoint) + sizeof(void*)));
    doc.HistoryByteLimit = 3 * one + one / 2;  // room for three such states
    for (int i = 0; i < 10; ++i)
        AddPointAndPush(doc, i);
    EXPECT_EQ(std::pair(doc.SnapshotCount(), doc.UndoIndex), std::pair(3, 2));
    EXPECT_LE(doc.HistoryBytes(), doc.HistoryByteLimit);
    ASSERT_TRUE(doc.Undo());
    ASSERT_TRUE(doc.Undo());
    EXPECT_FALSE(doc.Undo());
    EXPECT_EQ(doc.PointCount(), 1008u);  // the state after the eighth edit is the oldest kept

    doc.HistoryByteLimit = one / 2;
    AddPointAndPush(doc, 99);
    EXPECT_EQ(std::pair(doc.SnapshotCount(), doc.UndoIndex), std::pair(1, 0));
    EXPECT_FALSE(doc.Undo());
    EXPECT_EQ(doc.PointCount(), 1009u);
}

// The state a drawing is opened in is held within the bound like any other:
// a drawing whose copy would not fit is opened with no copy at all.
TEST_F(DocumentTest, TheFirstStateOfAnOpenedDrawingCountsAgainstTheBound)
{
    auto drawing = [](int points) {
        ::Drawing d(1);
        for (int i = 0; i < points; ++i)
            d[0].push_back(std::make_unique<LaserPoint>(LaserPoint{i % 500, 5, 0, 4, 0, 0}));
        return d;
    };
    doc.ReplaceDrawing(drawing(100));
    const std::size_t hundred = doc.HistoryBytes();
    ASSERT_EQ(doc.SnapshotCount(), 1);
    ASSERT_GT(hundred, 100 * sizeof(LaserPoint));

    doc.HistoryByteLimit = hundred * 8;
    doc.ReplaceDrawing(drawing(1000));  // ten times the first: over the bound
    EXPECT_EQ(std::pair(doc.SnapshotCount(), doc.UndoIndex), std::pair(0, -1));
    EXPECT_EQ(doc.HistoryBytes(), 0u);
    EXPECT_FALSE(doc.Undo());
    EXPECT_FALSE(doc.Redo());
    EXPECT_EQ(doc.PointCount(), 1000u);
    // An edit is still recorded: the state after it is the current one.
    doc.Drawing[0][0]->x = 7;
    doc.PushUndo();
    EXPECT_EQ(std::pair(doc.SnapshotCount(), doc.UndoIndex), std::pair(1, 0));
    EXPECT_FALSE(doc.Undo());
    EXPECT_EQ(doc.Drawing[0][0]->x, 7);

    // One that fits keeps its first state, and Undo goes back to it.
    doc.ReplaceDrawing(drawing(300));
    EXPECT_EQ(std::pair(doc.SnapshotCount(), doc.UndoIndex), std::pair(1, 0));
    EXPECT_LE(doc.HistoryBytes(), doc.HistoryByteLimit);
    doc.Drawing[0][0]->x = 9;
    doc.PushUndo();
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.Drawing[0][0]->x, 0);
}

TEST_F(DocumentTest, UndoStopsAtTheFirstStateAndRedoAtTheNewest)
{
    // The drawing as created is the history's first state: every edit after it can be undone.
    EXPECT_EQ(std::pair(doc.SnapshotCount(), doc.UndoIndex), std::pair(1, 0));
    EXPECT_FALSE(doc.Undo());
    AddPointAndPush(doc, 1);
    AddPointAndPush(doc, 2);
    EXPECT_FALSE(doc.Redo());
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.PointCount(), 1u);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.PointCount(), 0u);
    EXPECT_FALSE(doc.Undo());
    ASSERT_TRUE(doc.Redo());
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(doc.PointCount(), 2u);
    // Restores are bounds-checked.
    doc.RestoreSnapshot(7);
    doc.RestoreSnapshot(-1);
    doc.DeleteSnapshot(9);
    EXPECT_EQ(doc.PointCount(), 2u);

    // New_D starts the history again from the new drawing.
    doc.NewDrawing();
    EXPECT_EQ(std::pair(doc.SnapshotCount(), doc.UndoIndex), std::pair(1, 0));
    AddPointAndPush(doc, 3);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.PointCount(), 0u);
    EXPECT_FALSE(doc.Undo());
}

TEST_F(DocumentTest, ErasedPointsNeverComeBackThroughTheHistory)
{
    Add(MakePath({{10, 10}, {20, 20}, {30, 30}}));
    Add(MakePath({{40, 40}}));
    doc.PushUndo();
    doc.Selection = {doc.Drawing[0][1].get(), doc.Drawing[1][0].get()};
    doc.Drawing[0][1]->mark = doc.Drawing[1][0]->mark = kMarkSelected;
    ASSERT_TRUE(doc.EraseSelection());
    // A path that lost every point stays, counting nothing.
    ASSERT_EQ(doc.Drawing.size(), 2u);
    EXPECT_TRUE(doc.Drawing[1].empty());
    EXPECT_EQ(doc.PointCount(), 2u);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.PointCount(), 4u);
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(Xy(doc.Drawing[0]), (std::vector<std::pair<int, int>>{{10, 10}, {30, 30}}));

    // A point marked erased by hand is purged before the next snapshot.
    doc.Drawing[0][0]->mark = kMarkErased;
    doc.PushUndo();
    ASSERT_TRUE(doc.Undo());
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(doc.PointCount(), 1u);
}

TEST_F(DocumentTest, MirrorActsOnDistinctPointsOrAppendsUnselectedCopies)
{
    EXPECT_FALSE(doc.MirrorH());
    EXPECT_EQ(doc.SnapshotCount(), 1);  // the first state only

    Add(MakePath({{10, 20}, {30, 40}, {50, 60}}));
    LaserPoint* first = doc.Drawing[0][0].get();
    LaserPoint* last = doc.Drawing[0][2].get();
    first->mark = last->mark = kMarkSelected;
    doc.Selection = {first, last, first};  // a box can name a point twice
    ASSERT_TRUE(doc.MirrorH());
    EXPECT_EQ(std::pair(first->y, last->y), std::pair(490, 450));
    ASSERT_TRUE(doc.MirrorV());
    EXPECT_EQ(first->x, 500);
    EXPECT_EQ(doc.Selection.size(), 3u);

    doc.CopyObjects = true;
    ASSERT_TRUE(doc.MirrorV());
    ASSERT_EQ(doc.Drawing.size(), 2u);
    EXPECT_EQ(Xy(doc.Drawing[1]), (std::vector<std::pair<int, int>>{{10, 490}, {50, 450}}));
    EXPECT_EQ(std::tuple(doc.Drawing[1][0]->mark, doc.Drawing[1][0]->blank, first->x, first->mark),
              std::tuple(kMarkNone, std::uint8_t(1), 500, kMarkSelected));
}

TEST_F(DocumentTest, ColourBlankAndRainbowCommands)
{
    Path path;
    for (int i = 0; i < 8; ++i)
        path.push_back(std::make_unique<LaserPoint>());
    Add(std::move(path));
    doc.SelectAll();
    LaserPoint* p0 = doc.Drawing[0][0].get();
    doc.Selection.push_back(p0);  // entry 8 names point 0 again
    ASSERT_TRUE(doc.RainbowColours());
    std::vector<int> colours;
    for (const auto& p : doc.Drawing[0])
        colours.push_back(p->colour);
    EXPECT_EQ(colours, (std::vector<int>{2, 2, 3, 4, 5, 6, 7, 1}));

    ASSERT_TRUE(doc.ToggleSelectionBlank());
    EXPECT_EQ(p0->blank, 1);  // toggled once although named twice
    doc.CurrentColor = 9;
    ASSERT_TRUE(doc.ColourSelection());
    EXPECT_EQ(doc.Drawing[0][5]->colour, 9);

    doc.ClearSelection();
    EXPECT_TRUE(doc.Selection.empty() && p0->mark == kMarkNone);
    EXPECT_FALSE(doc.ColourSelection() || doc.ToggleSelectionBlank() || doc.RainbowColours());
}

TEST_F(DocumentTest, SettingEditsCommitWithinTheirRange)
{
    auto commit = [](const char* text, int old, int low) { return DrawDocument::CommitSettingText(text, old, low, 100); };
    EXPECT_EQ((std::vector{commit("0", 5, 3), commit("0", 20, 1), commit("1", 20, 1), commit("", 7, 3), commit("12", 7, 3),
                           commit("250", 7, 3), commit("99999999999999999999999", 7, 3)}),
              (std::vector{3, 1, 1, 7, 12, 100, 7}));
}

TEST_F(DocumentTest, PictureNeedsAnExistingFileAndRedrawDropsIt)
{
    doc.SetPicture(QStringLiteral("/nonexistent/picture.bmp"));
    EXPECT_FALSE(doc.PictureOn);
    QTemporaryFile existing;
    ASSERT_TRUE(existing.open());
    doc.SetPicture(existing.fileName());
    EXPECT_TRUE(doc.PictureOn);
    doc.DropPicture();
    EXPECT_FALSE(doc.PictureOn || !doc.PictureFileName.isEmpty());
}

}  // namespace
