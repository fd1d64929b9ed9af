#include "model/file_io.h"
#include "model/ilda_file.h"
#include "unreadable_paths.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <tuple>
#include <vector>

namespace {

// Builds ILDA sections byte by byte, independently of the writer.
struct IldaBytes {
    QByteArray bytes;
    IldaBytes& u8(int v) { return bytes.append(static_cast<char>(v & 0xFF)), *this; }
    IldaBytes& u16(int v) { return u8(v >> 8).u8(v); }
    IldaBytes& text8(const char* s) { return bytes.append(QByteArray(s).leftJustified(8, '\0', true)), *this; }
    IldaBytes& header(int format, const char* name, const char* company, int count, int number, int total,
                      int head = 0, int reserved = 0)
    {
        bytes.append("ILDA", 4);
        u8(0).u8(0).u8(0).u8(format).text8(name).text8(company);
        return u16(count).u16(number).u16(total).u8(head).u8(reserved);
    }
    IldaBytes& point0(int x, int y, int z, int status, int colour) { return u16(x).u16(y).u16(z).u8(status).u8(colour); }
    IldaBytes& point1(int x, int y, int status, int colour) { return u16(x).u16(y).u8(status).u8(colour); }
    IldaBytes& closing() { return bytes.append("ILDA", 4), u8(0).u8(0).u8(0).u8(0).text8("").text8("").u16(0); }
};

// Points of {x, y, colour, blank}; z is never written.
TILDAframe MakeFrame(std::vector<std::array<int, 4>> points)
{
    TILDAframe frame;
    frame.Name = "ignored";
    frame.FrameNumber = 77;
    for (const auto& [x, y, colour, blank] : points)
        frame.Points.push_back(std::make_unique<LaserPoint>(
            LaserPoint{x, y, 5, static_cast<std::uint8_t>(colour), kMarkNone, static_cast<std::uint8_t>(blank)}));
    return frame;
}

class IldaFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name = "show.ild") const { return dir.filePath(name); }

    // Read into an image that already holds points with every field set, so
    // records the reader reuses must come back with nothing left over.
    TILDAimage ReadBytes(const QByteArray& bytes, FileResult* result = nullptr)
    {
        EXPECT_TRUE(SaveWholeFile(path("in.ild"), bytes));
        TILDAimage image;
        image.Frames.push_back(MakeFrame({{9, 9, 9, 1}, {9, 9, 9, 1}}));
        image.Frames.push_back(MakeFrame({{9, 9, 9, 1}}));
        for (auto& p : image.Frames[0].Points)
            p->mark = kMarkErased;
        image.Palettes.emplace_back();
        const FileResult r = ReadIldaFile(path("in.ild"), image);
        if (result)
            *result = r;
        return image;
    }
};

// {x, y, z, colour, blank} of every point, for whole-frame comparisons.
using Want = std::vector<std::array<int, 5>>;
Want Fields(const Path& points)
{
    Want out;
    for (const auto& p : points) {
        EXPECT_EQ(p->mark, kMarkNone);
        out.push_back({p->x, p->y, p->z, p->colour, p->blank});
    }
    return out;
}

const QByteArray kFrameOne = IldaBytes().header(0, "ONE", "", 1, 0, 2).point0(0x1000, 0x2000, 0, 0xC0, 5).bytes;
const QByteArray kFrameTwo = IldaBytes().header(0, "TWO", "", 1, 1, 2).point0(0x3000, 0x2000, 0, 0xC0, 6).bytes;

TEST_F(IldaFileTest, RoundTripKeepsPointsAndWritesTheFixedLayout)
{
    TILDAimage image;
    image.Frames.push_back(MakeFrame({{-128, 127, 3, 1}, {-1, -50, 9, 0}, {127, -128, 255, 0}}));
    image.Frames.push_back(MakeFrame({}));  // must not end the file when read back
    image.Frames.push_back(MakeFrame({{0, 0, 0, 1}, {-300, 400, 4, 0}}));  // far off: clamped
    image.Palettes.push_back({});  // palettes are not written
    ASSERT_TRUE(WriteIldaFile(path(), image));

    const QByteArray bytes = *ReadWholeFile(path());
    ASSERT_EQ(bytes.size(), (32 + 3 * 8) + (32 + 8) + (32 + 2 * 8) + 26);
    EXPECT_EQ(bytes.left(40), IldaBytes().header(0, "IIIIIIII", "IIIIIIII", 3, 0, 3)
                                  .point0(0x8000, 0x7F00, 0, 0x40, 3).bytes);
    EXPECT_EQ(std::pair(bytes.at(32 + 8 + 6), bytes.at(32 + 16 + 6)), std::pair('\x00', '\x80'));  // lit inside, lit last
    EXPECT_EQ(bytes.mid(56, 40), IldaBytes().header(0, "IIIIIIII", "IIIIIIII", 1, 1, 3)
                                     .point0(0, 0, 0, 0xC0, 0).bytes);
    EXPECT_EQ(bytes.right(26), IldaBytes().header(0, "IIIIIIII", "IIIIIIII", 0, 0, 0).bytes.left(26));

    TILDAimage back;
    back.Palettes.push_back({});  // the reader replaces whatever was there
    ASSERT_TRUE(ReadIldaFile(path(), back));
    EXPECT_TRUE(back.Palettes.empty());
    ASSERT_EQ(back.Frames.size(), 3u);
    EXPECT_EQ(Fields(back.Frames[0].Points),
              (Want{{-128, 127, 0, 3, 1}, {-1, -50, 0, 9, 0}, {127, -128, 0, 255, 0}}));
    EXPECT_EQ(Fields(back.Frames[1].Points), (Want{{0, 0, 0, 0, 1}}));
    EXPECT_EQ(Fields(back.Frames[2].Points), (Want{{0, 0, 0, 0, 1}, {-128, 127, 0, 4, 0}}));
    for (std::uint32_t f = 0; f < 3; ++f)
        EXPECT_EQ(std::tuple(back.Frames[f].Name + back.Frames[f].Company, back.Frames[f].FrameNumber, back.Frames[f].TotalFrames),
                  std::tuple(QString("IIIIIIIIIIIIIIII"), f, 3u));
}

TEST_F(IldaFileTest, ReadsPaletteThenFramesOfBothFormats)
{
    IldaBytes in;
    in.header(2, "PALNAME", "ACME", 256, 4, 0x1234, 9, 7);
    for (int i = 0; i < 256; ++i)
        in.u8(i).u8(255 - i).u8(i ^ 0x55);
    // Format 1: the first point carries the last-point bit (as some programs
    // write it on the blanked start point); the header's count still decides.
    in.header(1, "FRAMEONE", "COMPANY1", 3, 12, 40, 2, 1)
        .point1(0x7FFF, 0x8000, 0xC0, 17)
        .point1(0x0100, 0xFF00, 0x41, 18)
        .point1(0x0000, 0x0000, 0x00, 19);
    in.header(0, "ZEE", "", 2, 13, 40)
        .point0(0x00FF, 0xFFFF, 0x7F00, 0x80, 200)
        .point0(0x80FF, 0x7F01, 0xFFFF, 0x00, 0);
    in.closing();
    in.bytes.append("junk after the end", 18);

    FileResult result;
    const TILDAimage image = ReadBytes(in.bytes, &result);
    EXPECT_TRUE(result.ok) << result.message.toStdString();

    ASSERT_EQ(image.Palettes.size(), 1u);
    const TILDAcolorplatte& pal = image.Palettes[0];
    EXPECT_EQ(pal.Name + "/" + pal.Company, "PALNAME/ACME");
    EXPECT_EQ(std::tuple(pal.ColourCount, pal.PaletteNumber, pal.Reserved, int(pal.Projector), int(pal.Reserved2)),
              std::tuple(256u, 4u, 0x1234u, 9, 7));
    ASSERT_EQ(pal.Colours.size(), 256u);
    EXPECT_EQ(std::tuple(pal.Colours[200].red, pal.Colours[200].green, pal.Colours[200].blue),
              std::tuple(200, 55, 200 ^ 0x55));

    ASSERT_EQ(image.Frames.size(), 2u);
    const TILDAframe& one = image.Frames[0];
    EXPECT_EQ(one.Name + "/" + one.Company, "FRAMEONE/COMPANY1");
    EXPECT_EQ(std::tuple(one.FrameNumber, one.TotalFrames, int(one.ScannerHead), int(one.Reserved)),
              std::tuple(12u, 40u, 2, 1));
    EXPECT_EQ(Fields(one.Points), (Want{{127, -128, 0, 17, 1}, {1, -1, 0, 18, 1}, {0, 0, 0, 19, 0}}));
    EXPECT_EQ(image.Frames[1].Name + "/" + image.Frames[1].Company, "ZEE/");
    // 0x00FF keeps its high byte 0; 0xFFFF is -1; status 0x80 is lit.
    EXPECT_EQ(Fields(image.Frames[1].Points), (Want{{0, -1, 127, 200, 0}, {-128, 127, -1, 0, 0}}));
}

// A valid file cut anywhere keeps exactly the sections that were whole; a
// cut inside a section says so. Run under the sanitizers this also proves
// that no read leaves the buffer.
TEST_F(IldaFileTest, FileCutAtEveryLengthKeepsTheCompleteSections)
{
    IldaBytes in;
    std::vector<qsizetype> ends;  // where each section ends
    in.header(3, "P", "C", 2, 0, 0).u8(1).u8(2).u8(3).u8(4).u8(5).u8(6);
    ends.push_back(in.bytes.size());
    in.header(0, "A", "C", 2, 0, 3).point0(0x0100, 0x0200, 0, 0, 1).point0(0x0300, 0x0400, 0, 0x80, 1);
    ends.push_back(in.bytes.size());
    in.header(1, "B", "C", 1, 1, 3).point1(0x0500, 0x0600, 0xC0, 2);
    ends.push_back(in.bytes.size());
    in.header(0, "C", "C", 1, 2, 3).point0(0x0700, 0x0800, 0, 0xC0, 3);
    ends.push_back(in.bytes.size());
    in.closing();
    const qsizetype closingEnd = in.bytes.size();

    for (qsizetype length = 0; length <= in.bytes.size(); ++length) {
        SCOPED_TRACE(testing::Message() << "length " << length);
        FileResult result;
        const TILDAimage image = ReadBytes(in.bytes.left(length), &result);
        std::size_t whole = 0;
        while (whole < ends.size() && ends[whole] <= length)
            ++whole;
        const bool atBoundary = length == 0 || length == closingEnd
                                || std::find(ends.begin(), ends.end(), length) != ends.end();
        EXPECT_EQ(std::tuple(bool(result.ok), result.message, image.Palettes.size()),
                  std::tuple(atBoundary, QString(atBoundary ? "" : "Read Error!"), whole >= 1 ? std::size_t{1} : std::size_t{0}));
        ASSERT_EQ(image.Frames.size(), whole >= 1 ? whole - 1 : 0);
        for (std::size_t f = 0; f < image.Frames.size(); ++f)
            EXPECT_EQ(image.Frames[f].Points.size(), image.Frames[f].PointCount);
    }
}

// Formats 4 and 5 (true-colour points) and anything later are not read. Read
// as palettes, their point bytes would become colours and the frames after
// them would be read from the wrong place.
TEST_F(IldaFileTest, DamagedFilesKeepWhatCameBefore)
{
    std::vector<std::pair<QByteArray, std::size_t>> cases = {  // bytes, frames kept
        {kFrameOne + "ILDB" + QByteArray(28, '\0'), 1},        // a section without the tag
        {kFrameOne + IldaBytes().header(0, "TWO", "", 60000, 1, 2).point0(0, 0, 0, 0, 0).bytes, 1},
        {IldaBytes().header(2, "P", "", 256, 0, 0).u8(1).u8(2).u8(3).bytes + kFrameOne, 0},
    };
    for (int format : {4, 5, 6, 255}) {
        // A format-5 section: 8-byte records of x, y, status, blue, green, red.
        IldaBytes unknown;
        unknown.header(format, "TRUE", "", 2, 1, 2).u16(0).u16(0).u8(0).u8(1).u8(2).u8(3);
        unknown.u16(0x100).u16(0x100).u8(0x80).u8(4).u8(5).u8(6);
        cases.push_back({kFrameOne + unknown.bytes + kFrameTwo, 1});
    }
    for (const auto& [bytes, frames] : cases) {
        SCOPED_TRACE(bytes.mid(32, 8).toHex().toStdString());
        FileResult result;
        const TILDAimage image = ReadBytes(bytes, &result);
        EXPECT_TRUE(result.message == "Read Error!" && image.Palettes.empty());
        ASSERT_EQ(image.Frames.size(), frames);
        if (frames) {
            EXPECT_EQ(std::pair(image.Frames[0].Name, image.Frames[0].Points[0]->x), std::pair(QString("ONE"), 16));
        }
    }

    TILDAimage image;  // a missing file empties the image without a message
    image.Frames.emplace_back();
    EXPECT_TRUE(ReadIldaFile(path("missing.ild"), image) && image.Frames.empty());
}

// Format 3 is read like a palette; a palette of no colours is a bare header.
// Either way the frame after it reads.
TEST_F(IldaFileTest, EmptyPaletteSectionMovesOnByItsHeader)
{
    for (const auto& palette : {IldaBytes().header(2, "NONE", "", 0, 3, 0), IldaBytes().header(3, "TC", "", 1, 3, 0).u8(10).u8(20).u8(30)}) {
        FileResult result;
        const TILDAimage image = ReadBytes(palette.bytes + kFrameTwo, &result);
        EXPECT_TRUE(result.ok) << result.message.toStdString();
        ASSERT_EQ(image.Palettes.size(), 1u);
        EXPECT_EQ(std::pair(image.Palettes[0].PaletteNumber, image.Palettes[0].Colours.size()),
                  std::pair(3u, std::size_t(image.Palettes[0].ColourCount)));
        ASSERT_EQ(image.Frames.size(), 1u);
        EXPECT_EQ(Fields(image.Frames[0].Points), (Want{{48, 32, 0, 6, 1}}));
    }
}

TEST_F(IldaFileTest, UnreadableFileIsAnErrorAndKeepsTheImage)
{
    for (const QString& bad : UnreadablePaths(dir.path(), "bad.ild")) {
        TILDAimage image;
        image.Frames.push_back(MakeFrame({{1, 2, 3, 0}}));
        image.Palettes.emplace_back();
        const FileResult result = ReadIldaFile(bad, image);
        EXPECT_TRUE(!result.ok && result.message.startsWith("Cannot open file")) << result.message.toStdString();
        ASSERT_EQ(image.Frames.size(), 1u);
        EXPECT_EQ(std::pair(image.Frames[0].Points[0]->x, image.Palettes.size()), std::pair(1, std::size_t{1}));
    }
}

TEST_F(IldaFileTest, ErasedPointsAreNotWritten)
{
    TILDAimage image;
    image.Frames.push_back(MakeFrame({{1, 1, 1, 1}, {2, 2, 2, 0}, {3, 3, 3, 0}}));
    image.Frames.push_back(MakeFrame({{4, 4, 4, 0}}));
    image.Frames[0].Points[2]->mark = kMarkErased;  // the last point: the end bit moves back
    image.Frames[1].Points[0]->mark = kMarkErased;  // nothing left: one dark point
    ASSERT_TRUE(WriteIldaFile(path(), image));
    TILDAimage back;
    ASSERT_TRUE(ReadIldaFile(path(), back));
    ASSERT_EQ(back.Frames.size(), 2u);
    EXPECT_EQ(Fields(back.Frames[0].Points), (Want{{1, 1, 0, 1, 1}, {2, 2, 0, 2, 0}}));
    EXPECT_EQ(Fields(back.Frames[1].Points), (Want{{0, 0, 0, 0, 1}}));
    EXPECT_EQ(ReadWholeFile(path())->at(32 + 8 + 6), char(0x80));  // the second point ends frame 0
}

TEST_F(IldaFileTest, CountsBeyondSixteenBitsAreRefusedAndKeepTheOldFile)
{
    TILDAimage small;
    small.Frames.push_back(MakeFrame({{1, 2, 3, 0}}));
    ASSERT_TRUE(WriteIldaFile(path(), small));
    const QByteArray old = *ReadWholeFile(path());

    TILDAimage manyPoints, manyFrames;
    Path& points = manyPoints.Frames.emplace_back().Points;
    for (int i = 0; i < 65536; ++i)
        points.push_back(std::make_unique<LaserPoint>());
    manyFrames.Frames.resize(65536);
    for (TILDAimage* refused : {&manyPoints, &manyFrames}) {
        const FileResult result = WriteIldaFile(path(), *refused);
        EXPECT_TRUE(!result.ok && !result.message.isEmpty());
        EXPECT_EQ(*ReadWholeFile(path()), old);
    }
    points.pop_back();  // 65,535 fits
    EXPECT_TRUE(WriteIldaFile(path("max.ild"), manyPoints));

    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.ild"));
    EXPECT_FALSE(WriteIldaFile(path("taken.ild"), small).message.isEmpty());
}

}  // namespace
