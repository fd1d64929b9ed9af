#include "editor_fixture.h"

#include <QRect>

namespace {

using ShapeToolsTest = EditorTest;

// (z, blank) of every point.
std::vector<std::pair<int, int>> ZBlank(const Path& path)
{
    std::vector<std::pair<int, int>> out;
    for (const auto& p : path)
        out.emplace_back(p->z, p->blank);
    return out;
}

TEST_F(ShapeToolsTest, TwoPointLineMarksOnlyTheFirstVertexAndRecordsEachSegment)
{
    EXPECT_EQ(tools.SelectTool(Tool::TwoPointLine), "two point line");
    Left(10, 10);
    EXPECT_TRUE(tools.Grabbing());
    Left(100, 10);
    Left(100, 100);
    Right();
    EXPECT_FALSE(tools.Grabbing());
    ASSERT_EQ(doc.Drawing.size(), 1u);
    EXPECT_EQ(Xy(doc.Drawing[0]), (std::vector<std::pair<int, int>>{{10, 10}, {100, 10}, {100, 100}}));
    EXPECT_EQ(ZBlank(doc.Drawing[0]), (std::vector<std::pair<int, int>>{{2, 1}, {0, 0}, {0, 0}}));
    EXPECT_EQ(doc.SnapshotCount(), 3);  // the first state and one per segment
    // After the right button the next click starts a new path.
    Left(200, 200);
    Left(210, 200);
    EXPECT_EQ(doc.Drawing.size(), 2u);
}

TEST_F(ShapeToolsTest, MultiPointLineFillsSegmentsAndMarksEveryVertex)
{
    doc.PointDistance = 10;
    doc.CurrentColor = 6;
    tools.SelectTool(Tool::MultiPointLine);
    Left(0, 0);
    Left(50, 0);
    Left(50, 50);
    const Path& path = doc.Drawing.at(0);
    ASSERT_GT(path.size(), 3u);
    int vertices = 0;
    for (const auto& p : path) {
        EXPECT_EQ(p->colour, 6);
        if (p->z == 2)
            ++vertices;
        else
            EXPECT_EQ(p->blank, 0);
    }
    EXPECT_EQ(std::tuple(vertices, path.back()->z, path.front()->blank), std::tuple(3, 2, std::uint8_t(1)));
}

TEST_F(ShapeToolsTest, CtrlKeepsLinesLevelOrUpright)
{
    tools.SelectTool(Tool::TwoPointLine);
    Left(100, 100);
    Left(110, 103, true);  // more across than down: level
    Left(113, 113, true);  // 3 across, 10 down: straight below
    Left(115, 118, true);  // 5 and 5: as clicked
    EXPECT_EQ(Xy(doc.Drawing[0]),
              (std::vector<std::pair<int, int>>{{100, 100}, {110, 100}, {110, 113}, {115, 118}}));
    // The rubber band follows the same rule.
    Move(150, 120, true);
    const RubberBand band = tools.Band();
    ASSERT_EQ(band.kind, RubberBand::Kind::Line);
    EXPECT_EQ(band.Points[1], QPoint(150, 118));
}

TEST_F(ShapeToolsTest, EllipseWithCtrlGrowsTowardsTheSecondCornerAndDropsEmptyResults)
{
    doc.PointDistance = 1;
    tools.SelectTool(Tool::Ellipse);
    Left(200, 200);
    Left(180, 140, true);  // up and left: 60 high, so 60 wide to the left
    ASSERT_EQ(doc.Drawing.size(), 1u);
    QRect box;
    for (const auto& p : doc.Drawing[0])
        box |= QRect(p->x, p->y, 1, 1);
    EXPECT_NEAR(box.width(), box.height(), 2);
    EXPECT_TRUE(box.right() <= 200 && box.left() >= 139) << box.left() << ".." << box.right();
    EXPECT_EQ(std::pair(doc.Drawing[0].front()->z, doc.Drawing[0].back()->z), std::pair(2, 2));
    EXPECT_FALSE(tools.Grabbing());

    Left(300, 300);
    Left(300, 350, true);  // no width at all: nothing to add, nothing recorded
    EXPECT_EQ(doc.Drawing.size(), 1u);
    EXPECT_EQ(doc.SnapshotCount(), 2);
}

TEST_F(ShapeToolsTest, RectanglesArePlacedCornerFirstAndClosed)
{
    doc.CurrentColor = 3;
    tools.SelectTool(Tool::Rectangle);
    Left(10, 20);
    Left(110, 80);
    ASSERT_EQ(doc.Drawing.size(), 1u);
    EXPECT_EQ(Xy(doc.Drawing[0]),
              (std::vector<std::pair<int, int>>{{10, 20}, {10, 80}, {110, 80}, {110, 20}, {10, 20}}));
    EXPECT_EQ(ZBlank(doc.Drawing[0]), (std::vector<std::pair<int, int>>{{2, 1}, {2, 0}, {2, 0}, {2, 0}, {2, 0}}));

    doc.PointDistance = 10;
    tools.SelectTool(Tool::MultiPointRectangle);
    Left(10, 20);
    Left(110, 80);
    const Path& filled = doc.Drawing.at(1);
    EXPECT_GT(filled.size(), 20u);
    EXPECT_EQ(Xy(filled).back(), (std::pair<int, int>{10, 20}));
}

TEST_F(ShapeToolsTest, PolygonsAndPointTool)
{
    doc.PolygonSides = 6;
    doc.PointDistance = 10;
    tools.SelectTool(Tool::Polygon);
    Left(256, 256);
    Move(300, 256);
    EXPECT_EQ(std::pair(tools.Band().kind, tools.Band().Path.size()), std::pair(RubberBand::Kind::PathPreview, std::size_t{7}));
    Left(300, 256);
    const Path& hexagon = doc.Drawing.at(0);
    ASSERT_EQ(hexagon.size(), 7u);  // closed by a copy of the first corner
    std::vector<std::pair<int, int>> corners(7, {2, 0});
    corners[0].second = 1;
    EXPECT_EQ(ZBlank(hexagon), corners);

    tools.SelectTool(Tool::MultiPointPolygon);
    Left(256, 256);
    Left(300, 256);
    EXPECT_GT(doc.Drawing.at(1).size(), 7u);
    EXPECT_EQ(doc.Drawing.at(1).front()->z, 2);
    // Centre and corner on the same spot give no corner: nothing is added, no step recorded.
    const int steps = doc.SnapshotCount();
    Left(100, 100);
    Left(100, 100);
    EXPECT_EQ(std::pair(doc.Drawing.size(), doc.SnapshotCount()), std::pair(std::size_t{2}, steps));
    EXPECT_FALSE(tools.Grabbing() || !tools.ToolPoints().empty());

    tools.SelectTool(Tool::Point);
    Left(5, 6);
    ASSERT_EQ(doc.Drawing.size(), 3u);
    EXPECT_EQ(ZBlank(doc.Drawing[2]), (std::vector<std::pair<int, int>>{{3, 1}}));
    EXPECT_FALSE(tools.Grabbing());
}

TEST_F(ShapeToolsTest, ArcTakesCentreStartAndEndAndRightCancels)
{
    doc.PointDistance = 5;
    tools.SelectTool(Tool::Arc);
    Left(256, 256);
    Left(356, 256);
    Right();
    EXPECT_TRUE(tools.ToolPoints().empty() && doc.Drawing.empty());
    Left(256, 256);
    Left(356, 256);
    Move(256, 356);
    EXPECT_EQ(tools.Band().kind, RubberBand::Kind::ArcPreview);
    Left(256, 356);
    ASSERT_EQ(doc.Drawing.size(), 1u);
    for (const auto& p : doc.Drawing[0])
        EXPECT_NEAR(std::hypot(p->x - 256, p->y - 256), 100, 1.5);
}

TEST_F(ShapeToolsTest, OpenStrokeEndsWhenTheDrawingIsReplacedOrTheToolChanges)
{
    tools.SelectTool(Tool::TwoPointLine);
    Left(10, 10);
    Left(20, 10);
    Left(30, 10);
    ASSERT_TRUE(doc.Undo());  // the stroke's path is replaced by the snapshot's
    EXPECT_FALSE(tools.ObjectStarted() || tools.Grabbing());
    Left(40, 40);
    Left(50, 40);
    ASSERT_EQ(doc.Drawing.size(), 2u);
    EXPECT_EQ(doc.Drawing[1].size(), 2u);

    // Open stroke, then Move_O: the first click is a first click, nothing moves.
    Left(60, 60);
    doc.SelectAll();
    tools.SelectTool(Tool::MoveObjects);
    EXPECT_TRUE(tools.ToolPoints().empty());
    Left(100, 100);
    EXPECT_EQ(doc.Drawing[0][0]->x, 10);
    Right();
    EXPECT_EQ(doc.Drawing[0][0]->x, 10);

    doc.NewDrawing();
    EXPECT_TRUE(doc.Drawing.empty());
    tools.SelectTool(Tool::TwoPointLine);
    Left(1, 1);
    doc.ReplaceDrawing({});
    Left(2, 2);
    EXPECT_TRUE(doc.Drawing.empty());
}

}  // namespace
