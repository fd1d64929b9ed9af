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
        EXPECT_EQ(pages.PageCount, c.pages) << c.frames;
        EXPECT_EQ(pages.ShownThumbnails(), c.shownOnFirst) << c.frames;
        EXPECT_EQ(pages.PageText(), QStringLiteral("1"));
        EXPECT_EQ(pages.PageCountText(), QString::number(c.pages));
    }
    FramePages pages = PagesWithFrames(25);
    EXPECT_FALSE(pages.PreviousPage());
    ASSERT_TRUE(pages.NextPage());
    EXPECT_EQ(pages.PageText(), QStringLiteral("2"));
    EXPECT_EQ(pages.ShownThumbnails(), 1);
    EXPECT_EQ(pages.FrameAtSlot(0), 24);
    EXPECT_EQ(pages.FrameAtSlot(1), -1);
    EXPECT_FALSE(pages.NextPage());
}

TEST(FramePages, BeforeNewOrOpenTheFrameCommandsDoNothing)
{
    FramePages pages;
    DrawDocument document;
    ScriptedDialogs dialogs;
    EXPECT_FALSE(pages.HasImage());
    EXPECT_FALSE(pages.Add());
    EXPECT_FALSE(pages.Ins());
    EXPECT_FALSE(pages.Del());
    EXPECT_EQ(SaveIldaImage(pages, dialogs, nullptr, QString(), false), FileCommand::NotAvailable);
    EXPECT_EQ(SaveIldaImage(pages, dialogs, nullptr, QString(), true), FileCommand::NotAvailable);
    EXPECT_TRUE(dialogs.asked.isEmpty());
    EXPECT_EQ(pages.FrameCount(), 0);

    pages.New();
    EXPECT_EQ(pages.FileNameLabel, QStringLiteral("NewImage.ild"));
    EXPECT_EQ(pages.FrameCount(), 1);
    EXPECT_EQ(pages.PageCount, 1);
    EXPECT_EQ(pages.SelectedFrame, 0);
    EXPECT_FALSE(pages.SendToDrawing(document));
    EXPECT_FALSE(pages.Del());
}

TEST(FramePages, InsAddAndDelKeepTheSelectionRules)
{
    FramePages pages = PagesWithFrames(5);
    // Without a selection Ins appends and nothing becomes selected.
    ASSERT_TRUE(pages.Ins());
    EXPECT_EQ(pages.FrameCount(), 6);
    EXPECT_TRUE(pages.EditedImage.Frames[5].Points.empty());
    EXPECT_EQ(pages.SelectedFrame, 0);
    EXPECT_EQ(pages.SelectedThumbnail(), -1);

    // With frame 3 selected the new empty frame becomes frame 3, the old one frame 4.
    ASSERT_TRUE(pages.SelectFrameThumbnail(2));
    EXPECT_EQ(pages.SelectedFrame, 3);
    EXPECT_EQ(pages.SelectedPointCount(), 3);
    ASSERT_TRUE(pages.Ins());
    EXPECT_TRUE(pages.EditedImage.Frames[2].Points.empty());
    EXPECT_EQ(pages.EditedImage.Frames[3].Points.size(), 3u);
    EXPECT_EQ(pages.SelectedFrame, 3);
    EXPECT_EQ(pages.SelectedThumbnail(), 2);

    ASSERT_TRUE(pages.Add());
    EXPECT_EQ(pages.FrameCount(), 8);
    EXPECT_EQ(pages.SelectedFrame, 3);

    // Del removes the selected frame; the number stays while frames follow it.
    ASSERT_TRUE(pages.Del());
    EXPECT_EQ(pages.FrameCount(), 7);
    EXPECT_EQ(pages.EditedImage.Frames[2].Points.size(), 3u);
    EXPECT_EQ(pages.SelectedFrame, 3);
    // Deleting the last frame moves the number to the new last one.
    ASSERT_TRUE(pages.SelectFrameThumbnail(6));
    ASSERT_TRUE(pages.Del());
    EXPECT_EQ(pages.SelectedFrame, 6);

    FramePages single = PagesWithFrames(1);
    ASSERT_TRUE(single.SelectFrameThumbnail(0));
    ASSERT_TRUE(single.Del());
    EXPECT_EQ(single.FrameCount(), 0);
    EXPECT_EQ(single.SelectedFrame, 0);
    EXPECT_EQ(single.PageCount, 0);
    EXPECT_FALSE(single.SelectFrameThumbnail(0));

    // Deleting the only frame of the last page shows the page before, the mark following the frame.
    FramePages two = PagesWithFrames(25);
    ASSERT_TRUE(two.NextPage());
    ASSERT_TRUE(two.SelectFrameThumbnail(0));
    ASSERT_TRUE(two.Del());
    EXPECT_EQ(two.PageCount, 1);
    EXPECT_EQ(two.PageText(), QStringLiteral("1"));
    EXPECT_EQ(two.SelectedFrame, 24);
    EXPECT_EQ(two.SelectedThumbnail(), 23);
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
    EXPECT_EQ(document.SnapshotCount(), 1);  // no snapshot, history kept

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
    EXPECT_EQ(thumb.pixelColor(40, 0), white);
    EXPECT_EQ(thumb.pixelColor(40, 40), QColor(Qt::black));
    // The blank move to (7, 57) draws nothing on the way.
    EXPECT_EQ(thumb.pixelColor(30, 30), QColor(Qt::black));

    QImage marked = thumb;
    MarkThumbnail(marked);
    EXPECT_EQ(marked.pixelColor(40, 40), QColor(Qt::red));  // on a hatch line
    EXPECT_EQ(marked.pixelColor(41, 41), QColor(Qt::black)); // between lines
    EXPECT_EQ(marked.pixelColor(40, 0), white);              // the drawing stays

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
