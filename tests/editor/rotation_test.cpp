#include "editor/rotation.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<LaserPoint> Pt(int x, int y, std::uint8_t mark = kMarkSelected, std::uint8_t blank = 0)
{
    return std::make_unique<LaserPoint>(LaserPoint{x, y, 2, 5, mark, blank});
}

TEST(Rotation, AngleTableWithTheApproximatePiAndTruncation)
{
    struct Row {
        int position;
        bool converse;
        int x, y;
    };
    // From (266, 256): a quarter turn loses a unit to truncation, a full turn does not come back.
    for (const Row& row : {Row{0, false, 266, 256}, Row{90, false, 255, 265}, Row{180, false, 246, 255},
                           Row{360, false, 265, 256}, Row{90, true, 255, 246}, Row{45, false, 263, 263},
                           Row{270, false, 256, 246}}) {
        std::int32_t x = 266, y = 256;
        RotateXY(x, y, RotationAngleFor(row.position, row.converse));
        EXPECT_EQ(std::pair(x, y), std::pair(row.x, row.y)) << row.position << (row.converse ? " converse" : "");
    }
}

TEST(Rotation, CopiesAddOneUnselectedPathPerPathWithSelectedPoints)
{
    Drawing drawing(3);
    drawing[0].push_back(Pt(266, 256, kMarkSelected, 1));
    drawing[0].push_back(Pt(100, 100, kMarkNone));
    drawing[0].push_back(Pt(256, 266));
    drawing[1].push_back(Pt(5, 5, kMarkNone, 1));
    drawing[2].push_back(Pt(246, 256, kMarkSelected, 1));
    const PointRefs selection{drawing[0][0].get(), drawing[0][2].get(), drawing[2][0].get()};
    RotateSelection(drawing, selection, RotationAngleFor(180, false), RotationMode::Copies);

    ASSERT_EQ(drawing.size(), 5u);
    EXPECT_EQ(std::pair(drawing[0][0]->x, drawing[0][0]->mark), std::pair(266, kMarkSelected)) << "originals unchanged and still selected";
    ASSERT_EQ(drawing[3].size(), 2u);
    ASSERT_EQ(drawing[4].size(), 1u);
    const LaserPoint& a = *drawing[3][0];
    EXPECT_EQ(std::tie(a.x, a.y, a.blank, a.z, a.colour, a.mark),
              std::make_tuple(246, 255, std::uint8_t(1), 2, std::uint8_t(5), kMarkNone));
    EXPECT_EQ(std::pair(drawing[3][1]->mark, drawing[4][0]->x), std::pair(kMarkNone, 265));

    // The preview copies keep the points' order and fields and touch nothing.
    const Path preview = RotatedCopies(selection, RotationAngleFor(180, false));
    ASSERT_EQ(preview.size(), 3u);
    EXPECT_EQ(std::tuple(preview[0]->x, preview[0]->mark, drawing[0][0]->x), std::tuple(246, kMarkSelected, 266));
}

}  // namespace
