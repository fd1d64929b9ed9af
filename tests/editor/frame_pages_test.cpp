#include "common/test_points.h"
#include "editor/draw_document.h"
#include "editor/frame_pages.h"
#include "editor/frame_thumbnail.h"
#include "editor/palette_choice.h"
#include "model/screen_colour.h"
#include "shell/dialogs.h"

#include <gtest/gtest.h>


namespace {

// An image of `count` frames; frame i holds i % 5 + 1 points.
FramePages PagesWithFrames(int count)
{
    FramePages pages;
    pages.New();
    pages.EditedImage.Frames.clear();
    for (int i = 0; i < count; ++i) {
        TILDAframe frame;
        for (int k = 0; k <= i % 5; ++k)
            frame.Points.push_back(TestPoint(k * 10 - 20, i - 30, 1 + k, k == 0));
        pages.EditedImage.Frames.push_back(std::move(frame));
    }
    pages.UpdatePageCount();
    return pages;
}

TEST(FramePages, PageCountsAndLabelsFollowTheFrameCount)
{
    struct Case {
        int frames, pages, shownOnFirst;
    };
    for (const Case c : {Case{0, 0, 0}, Case{1, 1, 1}, Case{24, 1, 24}, Case{25, 2, 24}, Case{64, 3, 24}}) {
        FramePages pages = PagesWithFrames(c.frames);
        EXPECT_EQ(std::tuple(pages.PageCount, pages.ShownThumbnails(), pages.PageText(), pages.PageCountText()),
                  std::tuple(c.pages, c.shownOnFirst, QString("1"), QString::number(c.pages))) << c.frames;
    }
    FramePages pages = PagesWithFrames(25);
    EXPECT_FALSE(pages.PreviousPage());
    ASSERT_TRUE(pages.NextPage());
    EXPECT_EQ(std::tuple(pages.PageText(), pages.ShownThumbnails(), pages.FrameAtSlot(0), pages.FrameAtSlot(1)),
              std::tuple(QString("2"), 1, 24, -1));
    EXPECT_FALSE(pages.NextPage());
}

TEST(FramePages, BeforeNewOrOpenTheFrameCommandsDoNothing)
{
    FramePages pages;
    DrawDocument document;
    ScriptedDialogs dialogs;
    EXPECT_EQ((std::vector<bool>{pages.HasImage(), pages.Add(), pages.Ins(), pages.Del()}), std::vector<bool>(4, false));
    for (bool asName : {false, true})
        EXPECT_EQ(SaveIldaImage(pages, dialogs, nullptr, QString(), asName), FileCommand::NotAvailable);
    EXPECT_TRUE(dialogs.asked.isEmpty());
    EXPECT_EQ(pages.FrameCount(), 0);

    pages.New();
    EXPECT_EQ(std::tuple(pages.FileNameLabel, pages.FrameCount(), pages.PageCount, pages.SelectedFrame),
              std::tuple(QString("NewImage.ild"), 1, 1, 0));
    EXPECT_FALSE(pages.SendToDrawing(document) || pages.Del());
}

TEST(FramePages, InsAddAndDelKeepTheSelectionRules)
{
    FramePages pages = PagesWithFrames(5);
    // (frames, selected frame, selected thumbnail)
    auto state = [](const FramePages& p) { return std::tuple(p.FrameCount(), p.SelectedFrame, p.SelectedThumbnail()); };
    auto points = [&](int frame) { return pages.EditedImage.Frames[frame].Points.size(); };
    // Without a selection Ins appends and nothing becomes selected.
    ASSERT_TRUE(pages.Ins());
    EXPECT_EQ(state(pages), std::tuple(6, 0, -1));
    EXPECT_EQ(points(5), 0u);

    // With frame 3 selected the new empty frame becomes frame 3, the old one frame 4.
    ASSERT_TRUE(pages.SelectFrameThumbnail(2));
    EXPECT_EQ(std::pair(pages.SelectedFrame, pages.SelectedPointCount()), std::pair(3, 3));
    ASSERT_TRUE(pages.Ins());
    EXPECT_EQ(std::pair(points(2), points(3)), std::pair(std::size_t{0}, std::size_t{3}));
    EXPECT_EQ(state(pages), std::tuple(7, 3, 2));
    ASSERT_TRUE(pages.Add());
    EXPECT_EQ(state(pages), std::tuple(8, 3, 2));

    // Del removes the selected frame; the number stays while frames follow it.
    ASSERT_TRUE(pages.Del());
    EXPECT_EQ(std::pair(pages.FrameCount(), pages.SelectedFrame), std::pair(7, 3));
    EXPECT_EQ(points(2), 3u);
    // Deleting the last frame moves the number to the new last one.
    ASSERT_TRUE(pages.SelectFrameThumbnail(6));
    ASSERT_TRUE(pages.Del());
    EXPECT_EQ(pages.SelectedFrame, 6);

    FramePages single = PagesWithFrames(1);
    ASSERT_TRUE(single.SelectFrameThumbnail(0));
    ASSERT_TRUE(single.Del());
    EXPECT_EQ(std::tuple(single.FrameCount(), single.SelectedFrame, single.PageCount), std::tuple(0, 0, 0));
    EXPECT_FALSE(single.SelectFrameThumbnail(0));

    // Deleting the only frame of the last page shows the page before, the mark following the frame.
    FramePages two = PagesWithFrames(25);
    ASSERT_TRUE(two.NextPage());
    ASSERT_TRUE(two.SelectFrameThumbnail(0));
    ASSERT_TRUE(two.Del());
    EXPECT_EQ(std::tuple(two.PageCount, two.PageText(), two.SelectedFrame, two.SelectedThumbnail()),
              std::tuple(1, QString("1"), 24, 23));
}

TEST(FramePages, SendToAndGetFromDrawingUseTheirOwnArithmetic)
{
    FramePages pages = PagesWithFrames(2);
    TILDAframe& frame = pages.EditedImage.Frames[0];
    frame.Points.clear();
    frame.Points.push_back(TestPoint(-128, 127, 9, 1, 2));
    frame.Points.push_back(TestPoint(127, -128, 17));
    frame.PointCount = 99;  // header values are not touched by Get From Drawing
    ASSERT_TRUE(pages.SelectFrameThumbnail(0));

    DrawDocument document;
    document.PushUndo();
    document.Drawing.emplace_back();
    document.Drawing.back().push_back(TestPoint(5, 5));
    document.Selection.push_back(document.Drawing.back().back().get());
    ASSERT_TRUE(pages.SendToDrawing(document));
    ASSERT_EQ(document.Drawing.size(), 1u);
    const Path& sent = document.Drawing[0];
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(std::tie(sent[0]->x, sent[0]->y, sent[0]->z, sent[0]->colour, sent[0]->blank, sent[1]->x, sent[1]->y),
              std::make_tuple(0, 2, 2, std::uint8_t(9), std::uint8_t(1), 510, 512));
    EXPECT_TRUE(document.Selection.empty());
    EXPECT_EQ(document.SnapshotCount(), 4);  // the unrecorded edit, then the sent frame

    // Back again, plus a second path and points outside the canvas.
    document.Drawing.emplace_back();
    document.Drawing.back().push_back(TestPoint(511, 511, 3, 1));
    document.Drawing.back().push_back(TestPoint(-10, 600, 3));
    ASSERT_TRUE(pages.GetFromDrawing(document));
    const Path& got = pages.EditedImage.Frames[0].Points;
    std::vector<std::pair<int, int>> xy;
    for (const auto& p : got)
        xy.emplace_back(p->x, p->y);
    // The last point: -10 / 2 - 128 = -133 and 128 - 300, kept inside ILDA space.
    EXPECT_EQ(xy, (std::vector<std::pair<int, int>>{{-128, 127}, {127, -128}, {127, -127}, {-128, -128}}));
    EXPECT_EQ(got[2]->blank, 1);  // the second path starts dark
    EXPECT_EQ(pages.EditedImage.Frames[0].PointCount, 99u);
}

TEST(FrameThumbnail, DrawsScaledPointsNumberAndMarksTheBackground)
{
    TILDAframe frame;
    frame.Points.push_back(TestPoint(-128, 127, 1, 1));
    frame.Points.push_back(TestPoint(124, 127));  // a line along the top row
    frame.Points.push_back(TestPoint(-100, -100, 2, 1));
    const QImage thumb = DrawFrameThumbnail(frame, 6);
    ASSERT_EQ(thumb.size(), QSize(64, 64));
    const QColor white = ToQColor(PaletteColour(1));
    // (x + 128) / 4, (128 - y) / 4: the line runs along row 0 from column 0 to 62.
    // The blank move to (7, 57) draws nothing on the way (30, 30).
    EXPECT_EQ((std::vector{thumb.pixelColor(40, 0), thumb.pixelColor(40, 40), thumb.pixelColor(30, 30)}),
              (std::vector{white, QColor(Qt::black), QColor(Qt::black)}));

    QImage marked = thumb;
    MarkThumbnail(marked);
    // Red on a hatch line, black between lines; the drawing stays.
    EXPECT_EQ((std::vector{marked.pixelColor(40, 40), marked.pixelColor(41, 41), marked.pixelColor(40, 0)}),
              (std::vector{QColor(Qt::red), QColor(Qt::black), white}));

    // A fill seeded on a line stays on that line's colour.
    QImage lines(16, 16, QImage::Format_RGB32);
    lines.fill(Qt::black);
    for (int x = 0; x < 16; ++x)
        lines.setPixelColor(x, 8, Qt::white);
    EXPECT_EQ(FloodFillCrossHatch(lines, QPoint(3, 8), 0x0000FF), 16);
    EXPECT_EQ(FloodFillCrossHatch(lines, QPoint(3, 3), 0x0000FF), 16 * 8);
}

TEST(PaletteChoice, CellIndexIsColumnTimesSixtyFourPlusRow)
{
    EXPECT_EQ(PaletteIndexOfCell(3, 63), 255);
    EXPECT_EQ(PaletteIndexOfCell(4, 0), -1);
}

}  // namespace
