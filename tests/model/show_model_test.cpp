#include "model/show_model.h"
#include "model/trunc_to_int.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

Path MakePath(std::initializer_list<std::pair<int, int>> xy)
{
    Path path;
    for (auto [x, y] : xy) {
        auto p = std::make_unique<LaserPoint>();
        p->x = x;
        p->y = y;
        path.push_back(std::move(p));
    }
    return path;
}

TEST(ShowModel, FreshFrameIsEmptyWithZeroHeader)
{
    TILDAframe frame;
    EXPECT_TRUE(frame.Name.isEmpty());
    EXPECT_TRUE(frame.Company.isEmpty());
    EXPECT_EQ(frame.PointCount, 0u);
    EXPECT_EQ(frame.FrameNumber, 0u);
    EXPECT_EQ(frame.TotalFrames, 0u);
    EXPECT_EQ(frame.ScannerHead, 0);
    EXPECT_EQ(frame.Reserved, 0);
    EXPECT_TRUE(frame.Points.empty());
    LaserPoint p;
    EXPECT_EQ(p.x | p.y | p.z | p.colour | p.mark | p.blank, 0);
}

// Lifetimes are checked by the sanitizer build: a sequence holding every kind
// of item, copied and destroyed, must free each record exactly once.
TEST(ShowModel, SequenceCopiesAreIndependentAndFreeCleanly)
{
    TSequence seq;
    seq.MusicFile = "song.mp3";
    TSequenceRecord drawingItem;
    drawingItem.FileName = "star.ddr";
    drawingItem.Paths.push_back(MakePath({{1, 2}, {3, 4}}));
    seq.Track1.push_back(std::move(drawingItem));

    TSequenceRecord sectionItem;
    sectionItem.FileName = "intro.sec";
    TSectionRecord row;
    row.FileName = "a.ddr";
    row.O = 1;
    row.R = -7;
    row.Paths.push_back(MakePath({{5, 6}}));
    sectionItem.Sections.push_back(std::move(row));
    seq.Track2.push_back(std::move(sectionItem));

    TSequenceRecord ildaItem;
    ildaItem.FileName = "show.ild";
    TILDAframe frame;
    frame.Points = MakePath({{-128, 127}});
    ildaItem.IldaImage.Frames.push_back(std::move(frame));
    ildaItem.IldaImage.Palettes.push_back(TILDAcolorplatte{});
    ildaItem.IldaImage.Palettes.back().Colours.push_back({1, 2, 3});
    seq.Track3.push_back(std::move(ildaItem));

    TSequence copy = CopySequence(seq);
    seq.Track1[0].Paths[0][0]->x = 99;
    seq.Track2[0].Sections[0].Paths[0][0]->y = 99;

    EXPECT_EQ(copy.MusicFile, "song.mp3");
    EXPECT_EQ(copy.Track1[0].Paths[0][0]->x, 1);
    EXPECT_EQ(copy.Track2[0].Sections[0].Paths[0][0]->y, 6);
    EXPECT_EQ(copy.Track2[0].Sections[0].O, 1);
    EXPECT_EQ(copy.Track2[0].Sections[0].R, -7);
    EXPECT_EQ(copy.Track3[0].IldaImage.Frames[0].Points[0]->x, -128);
    EXPECT_EQ(copy.Track3[0].IldaImage.Palettes[0].Colours[0].blue, 3);
    EXPECT_NE(copy.Track1[0].Paths[0][0].get(), seq.Track1[0].Paths[0][0].get());
    EXPECT_EQ(PointTotal(copy.Track1[0].Paths), 2u);
}

TEST(ShowModel, PointsKeepTheirAddressWhenThePathGrows)
{
    Path path = MakePath({{1, 1}});
    const LaserPoint* first = path.front().get();
    for (int i = 0; i < 1000; ++i)
        path.push_back(std::make_unique<LaserPoint>());
    EXPECT_EQ(path.front().get(), first);
}

TEST(TruncToInt, TruncatesTowardZeroAndSaturates)
{
    EXPECT_EQ(TruncToInt(130.7), 130);
    EXPECT_EQ(TruncToInt(-130.7), -130);
    EXPECT_EQ(TruncToInt(-0.5), 0);
    EXPECT_EQ(TruncToInt(1e300), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(TruncToInt(-1e300), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(TruncToInt(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(TruncToInt(std::numeric_limits<double>::infinity()), std::numeric_limits<std::int32_t>::max());
}

}  // namespace
