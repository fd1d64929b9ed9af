#include "model/drawing_file.h"
#include "model/file_io.h"
#include "unreadable_paths.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace {

using Records = std::vector<std::array<int, 5>>;  // x, y, z, colour, status or blank

QByteArray DdrBytes(const Records& records)
{
    QByteArray bytes;
    for (const auto& r : records)
        for (int v : r)
            bytes.append(static_cast<char>(v));
    return bytes;
}

Path MakePath(const Records& points)
{
    Path path;
    for (const auto& [x, y, z, colour, blank] : points)
        path.push_back(std::make_unique<LaserPoint>(LaserPoint{
            x, y, z, static_cast<std::uint8_t>(colour), kMarkSelected, static_cast<std::uint8_t>(blank)}));
    return path;
}

Records Fields(const Path& path)
{
    Records out;
    for (const auto& p : path)
        out.push_back({p->x, p->y, p->z, p->colour, p->blank});
    return out;
}

class DrawingFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name = "d.ddr") const { return dir.filePath(name); }

    Drawing ReadBytes(const QByteArray& bytes, int factor = kFileScale)
    {
        EXPECT_TRUE(SaveWholeFile(path("in.ddr"), bytes));
        Drawing paths;
        paths.push_back(MakePath({{1, 1, 1, 1, 1}}));  // the reader replaces whatever was there
        ReadDrawingFile(path("in.ddr"), paths, factor);
        return paths;
    }
};

TEST_F(DrawingFileTest, StatusBytesGiveBlankFlagsAndPathBreaks)
{
    const Drawing paths = ReadBytes(DdrBytes({
        {10, 20, 2, 7, 1},    // blanked start
        {11, 21, 0, 8, 0},    // lit, inside
        {12, 22, 0, 9, 128},  // lit, ends the path
        {13, 23, 2, 1, 129},  // blanked, ends a one-point path
        {14, 24, 0, 2, 5},    // any other value is blanked too
        {16, 26, 0, 4, 2},    // even values as well: only 0 and 128 are lit
        {17, 27, 0, 5, 130},  // blanked, and bit 7 still ends the path
        {18, 28, 0, 6, 254},  // blanked, ends a one-point path
        {15, 25, 255, 3, 0},  // the file ends without bit 7
    }));
    ASSERT_EQ(paths.size(), 5u);
    EXPECT_EQ(Fields(paths[0]), (Records{{10, 20, 2, 7, 1}, {11, 21, 0, 8, 0}, {12, 22, 0, 9, 0}}));
    EXPECT_EQ(Fields(paths[1]), (Records{{13, 23, 2, 1, 1}}));
    EXPECT_EQ(Fields(paths[2]), (Records{{14, 24, 0, 2, 1}, {16, 26, 0, 4, 1}, {17, 27, 0, 5, 1}}));
    EXPECT_EQ(Fields(paths[3]), (Records{{18, 28, 0, 6, 1}}));
    EXPECT_EQ(Fields(paths[4]), (Records{{15, 25, 255, 3, 0}}));
    EXPECT_EQ(paths[0][0]->mark, kMarkNone);
}

TEST_F(DrawingFileTest, SizeFactorAndUnreadablePaths)
{
    Drawing paths = ReadBytes(DdrBytes({{255, 1, 0, 0, 0}}) + "\x01\x02", kEditorScale);
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(Fields(paths[0]), (Records{{510, 2, 0, 0, 0}}));
    EXPECT_TRUE(ReadBytes(QByteArray(4, '\x80')).empty() && ReadBytes(QByteArray()).empty());

    // Only a file that is not there reads as an empty drawing.
    paths.push_back(MakePath({{1, 1, 1, 1, 1}}));
    EXPECT_TRUE(ReadDrawingFile(path("missing.ddr"), paths, kFileScale).ok);
    EXPECT_TRUE(paths.empty());
}

// A file that exists but cannot be read must not pass as an empty drawing:
// the editor would show nothing and a save would write over the file.
TEST_F(DrawingFileTest, UnreadableFileIsAnErrorAndKeepsTheDrawing)
{
    for (const QString& bad : UnreadablePaths(dir.path(), "bad.ddr")) {
        Drawing paths;
        paths.push_back(MakePath({{7, 8, 2, 3, 0}}));
        const FileResult result = ReadDrawingFile(bad, paths, kFileScale);
        EXPECT_FALSE(result.ok) << bad.toStdString();
        EXPECT_TRUE(result.message.startsWith("Cannot open file \"" + bad + "\".")) << result.message.toStdString();
        ASSERT_EQ(paths.size(), 1u);
        EXPECT_EQ(Fields(paths[0]), (Records{{7, 8, 2, 3, 0}}));
    }
}

// Erased points never reach a file or a frame, whichever of a path's points
// they are; the path end moves to the last point kept. The conversions map
// the corners of the square both ways.
TEST_F(DrawingFileTest, ErasedPointsAreLeftOutOfFilesAndFrames)
{
    Drawing drawing;
    drawing.push_back(MakePath({{0, 0, 2, 1, 1}, {20, 20, 0, 2, 0}, {30, 30, 2, 3, 0}}));
    drawing.push_back(MakePath({{40, 40, 2, 4, 1}}));
    drawing.push_back(MakePath({{255, 255, 2, 5, 1}, {127, 127, 0, 6, 0}, {128, 128, 0, 7, 0}}));
    // The path's last point, and a path with nothing left.
    drawing[0][1]->mark = drawing[0][2]->mark = drawing[1][0]->mark = kMarkErased;
    drawing[2][0]->mark = kMarkNone;

    ASSERT_TRUE(WriteDrawingFile(path(), drawing, kFileScale));
    EXPECT_EQ(*ReadWholeFile(path()),
              DdrBytes({{0, 0, 2, 1, 129}, {255, 255, 2, 5, 1}, {127, 127, 0, 6, 0}, {128, 128, 0, 7, 128}}));
    Drawing reopened;
    ASSERT_TRUE(ReadDrawingFile(path(), reopened, kFileScale).ok);
    ASSERT_EQ(reopened.size(), 2u);
    EXPECT_EQ(Fields(reopened[0]), (Records{{0, 0, 2, 1, 1}}));

    TILDAframe frame;
    frame.PointCount = 99;
    frame.Points = MakePath({{1, 1, 1, 1, 1}});
    DrawingToFrame(drawing, frame);
    EXPECT_EQ(frame.PointCount, 99u);  // header values stay
    // One list; the blanked start of the second path keeps the break.
    EXPECT_EQ(Fields(frame.Points),
              (Records{{-128, 127, 2, 1, 1}, {127, -128, 2, 5, 1}, {-1, 0, 0, 6, 0}, {0, -1, 0, 7, 0}}));
    EXPECT_EQ(frame.Points[0]->mark, kMarkNone);
    frame.Points[3]->mark = kMarkErased;
    Drawing back;
    back.push_back(MakePath({{9, 9, 9, 9, 9}}));
    FrameToDrawing(back, frame);
    ASSERT_EQ(back.size(), 1u);  // z is lost
    EXPECT_EQ(Fields(back[0]), (Records{{0, 0, 0, 1, 1}, {255, 255, 0, 5, 1}, {127, 127, 0, 6, 0}}));
    EXPECT_EQ(back[0][0]->mark, kMarkNone);
}

TEST_F(DrawingFileTest, WriterDividesTruncatesClampsAndMarksPathEnds)
{
    Drawing paths;
    // -1 / 2 truncates to 0; 511 / 2 and 600 / 2 clamp to 255; z keeps its low byte.
    paths.push_back(MakePath({{511, -1, 258, 12, 1}, {600, 3, 2, 13, 0}, {-3, 510, 0, 14, 0}}));
    paths.emplace_back();  // an empty path writes nothing
    paths.push_back(MakePath({{100, 101, 0, 15, 1}}));
    ASSERT_TRUE(WriteDrawingFile(path(), paths, kEditorScale));
    EXPECT_EQ(*ReadWholeFile(path()),
              DdrBytes({{255, 0, 2, 12, 1}, {255, 1, 2, 13, 0}, {0, 255, 0, 14, 128}, {50, 50, 0, 15, 129}}));

    Drawing back;
    ReadDrawingFile(path(), back, kEditorScale);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(Fields(back[1]), (Records{{100, 100, 0, 15, 1}}));

    ASSERT_TRUE(WriteDrawingFile(path(), Drawing{}, kFileScale));
    EXPECT_EQ(ReadWholeFile(path())->size(), 0);
    for (int divisor : {0, -2}) {  // counts as 1
        ASSERT_TRUE(WriteDrawingFile(path(), back, divisor));
        EXPECT_EQ(ReadWholeFile(path())->mid(5, 2), QByteArray("\xFF\x02"));  // 510, 2
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.ddr"));
    EXPECT_FALSE(WriteDrawingFile(path("taken.ddr"), back, kFileScale));
}

}  // namespace
