#include "common/test_files.h"
#include "editor/plot_file.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

struct XY {
    int x, y, blank;
    bool operator==(const XY&) const = default;
};

std::vector<std::vector<XY>> Points(const Drawing& drawing)
{
    std::vector<std::vector<XY>> out;
    for (const Path& path : drawing) {
        auto& p = out.emplace_back();
        for (const auto& point : path)
            p.push_back({point->x, point->y, point->blank});
    }
    return out;
}

class PlotFile : public ::testing::Test {
protected:
    QString Write(const char* name, const QByteArray& text)
    {
        return WriteTestFile(dir.filePath(QString::fromLatin1(name)), text);
    }
    QTemporaryDir dir;
};

const QByteArray kTwoPaths =
    "IN;\nSP1;\nPU7 7;\nLT;\n"
    "PU0 0;\nPD1000 0;\nPD1000 1000;\nPD0 1000;\nPD0 0;\n"
    "LT;\n"
    "PU0 0;\nPD1000 1000;\nSP0;\n";

TEST_F(PlotFile, ASquareAndALineBecomeTwoPathsFlippedOntoTheCanvas)
{
    // Size step 1 halves the 1000-unit plot; the header's point is never read.
    const PltImport plot = ReadPltFile(Write("square.plt", kTwoPaths), 0, 1, 9);
    ASSERT_EQ(plot.status, PltImport::Status::Ok);
    EXPECT_EQ(Points(plot.paths),
              (std::vector<std::vector<XY>>{{{0, 510, 1}, {500, 510, 0}, {500, 10, 0}, {0, 10, 0}, {0, 510, 0}},
                                            {{0, 510, 1}, {500, 10, 0}}}));
    for (const Path& path : plot.paths)
        for (const auto& p : path)
            EXPECT_EQ(std::tuple(int(p->colour), p->z, int(p->mark)), std::tuple(9, 0, 0));

    // The same file with CRLF line ends and blanks around the commands.
    QByteArray crlf = kTwoPaths;
    crlf.replace("\n", "  \r\n");
    EXPECT_EQ(Points(ReadPltFile(Write("crlf.plt", crlf), 0, 1, 9).paths), Points(plot.paths));
}

TEST_F(PlotFile, ALastPathWithoutTerminatorIsEmptyAndUnread)
{
    const PltImport plot = ParsePlt("LT;\nPU0 0;\nPD0 10;\nLT;\nPU99999 99999;\nPD5 5;\n", 0, 0, 1);
    ASSERT_EQ(plot.status, PltImport::Status::Ok);
    // The unread far point does not count toward the extents either.
    EXPECT_EQ(Points(plot.paths), (std::vector<std::vector<XY>>{{{0, 510, 1}, {0, 500, 0}}, {}}));
}

TEST_F(PlotFile, SizeStepAndExtents)
{
    const QByteArray wide = "LT;\nPU0 0;\nPD1000 300;\nSP0;\n";
    auto last = [](const PltImport& p) { return XY{p.paths[0][1]->x, p.paths[0][1]->y, 0}; };
    // d = max(1000 / 512, 300 / 512) = 1: size step 0 keeps 1000 units, wider than the canvas.
    EXPECT_EQ((std::vector{last(ParsePlt(wide, 0, 0, 1)), last(ParsePlt(wide, 0, 1, 1)), last(ParsePlt(wide, 0, 20, 1))}),
              (std::vector<XY>{{1000, 210, 0}, {500, 360, 0}, {47, 496, 0}}));
    EXPECT_EQ(ParsePlt(wide, 0, 1, 1).paths[0][0]->y, 510) << "the lowest plotter y lands at the canvas bottom";

    // Extents near the int32 limits are taken in 64 bits: the plot spans 512 units.
    const PltImport huge = ParsePlt("LT;\nPU-2000000000 -2000000000;\nPD2000000000 2000000000;\nSP0;\n", 0, 0, 1);
    ASSERT_EQ(huge.status, PltImport::Status::Ok);
    EXPECT_EQ(Points(huge.paths), (std::vector<std::vector<XY>>{{{0, 510, 1}, {512, -2, 0}}}));
}

TEST_F(PlotFile, ThinningDropsOnlyShortDiagonalSteps)
{
    const QByteArray steps = "LT;\nPU0 0;\nPD3 3;\nPD0 4;\nPD4 4;\nPD8 8;\nPD8 9;\nSP0;\n";
    EXPECT_EQ(Points(ParsePlt(steps, 5, 0, 1).paths),
              (std::vector<std::vector<XY>>{{{0, 510, 1}, {0, 506, 0}, {4, 506, 0}, {8, 502, 0}, {8, 501, 0}}}));
    EXPECT_EQ(ParsePlt(steps, 0, 0, 1).paths[0].size(), 6u);
}

TEST_F(PlotFile, MalformedLinesImportNothingAndBarePenCommandsOnlySetThePen)
{
    for (const char* bad : {"PU100,200;", "PU100;", "PU 100 200;", "PDx 1;", "PU99999999999 0;", "PU10 2\r0;", "PD1 ;"}) {
        const PltImport plot = ParsePlt(QByteArray("LT;\nPU0 0;\nLT;\n") + bad + "\nSP0;\n", 0, 0, 1);
        EXPECT_TRUE(plot.status == PltImport::Status::ReadError && plot.paths.empty()) << bad;
        // The message names the line at fault, 1-based, as trimmed.
        EXPECT_EQ(plot.message, QStringLiteral("a point line could not be read: line 4 \"%1\"")
                                    .arg(QString::fromLatin1(QByteArray(bad).trimmed())));
    }
    // The first bad line of the paths read is named; one past the last path's "SP0;", or in a
    // last path without one, is never read.
    EXPECT_EQ(ParsePlt("LT;\nPU0 0;\nPDx 1;\nLT;\nPD1 ;\nSP0;\n", 0, 0, 1).message,
              "a point line could not be read: line 3 \"PDx 1;\"");
    for (const char* unread : {"LT;\nPU0 0;\nSP0;\nPDx 1;\n", "LT;\nPU0 0;\nLT;\nPDx 1;\n"})
        EXPECT_EQ(ParsePlt(unread, 0, 0, 1).status, PltImport::Status::Ok) << unread;
    const PltImport pens = ParsePlt("LT;\nPU;\nPU0 0;\nPD;\nPD10 0;\nPU\nSP0;\n", 0, 0, 1);
    ASSERT_EQ(pens.status, PltImport::Status::Ok);
    EXPECT_EQ(Points(pens.paths), (std::vector<std::vector<XY>>{{{0, 510, 1}, {10, 510, 0}}}));
}

TEST_F(PlotFile, EmptyHeaderOnlyMissingAndUnreadableFiles)
{
    EXPECT_EQ(ReadPltFile(Write("empty.plt", ""), 5, 0, 1).status, PltImport::Status::NoSeparator);
    const PltImport noSeparator = ReadPltFile(Write("nolt.plt", "IN;\nPU0 0;\nPD5 5;\nSP0;\n"), 5, 0, 1);
    EXPECT_TRUE(noSeparator.status == PltImport::Status::NoSeparator && noSeparator.paths.empty());
    // A separator and no points: one empty path, no scaling of empty extents.
    const PltImport bare = ParsePlt("LT;\n", 5, 0, 1);
    EXPECT_EQ(bare.status, PltImport::Status::Ok);
    EXPECT_EQ(Points(bare.paths), (std::vector<std::vector<XY>>{{}}));
    for (const QString& missing : {dir.filePath("none.plt"), dir.path()}) {
        const PltImport plot = ReadPltFile(missing, 5, 0, 1);
        EXPECT_EQ(plot.status, PltImport::Status::Missing);
        EXPECT_EQ(plot.message, "file not found: " + missing);
    }
    EXPECT_EQ(ReadPltFile(QString(), 5, 0, 1).message, "no file chosen");
    // A regular file whose reading fails is there but unreadable, with the system's reason.
    const QString ioError = dir.filePath("io-error.plt");
    ASSERT_TRUE(QFile::link("/proc/self/mem", ioError));
    const PltImport unreadable = ReadPltFile(ioError, 5, 0, 1);
    EXPECT_EQ(unreadable.status, PltImport::Status::Unreadable);
    EXPECT_TRUE(unreadable.message.startsWith("the file could not be read: ") && unreadable.message.size() > 27)
        << unreadable.message.toStdString();
}

// A file larger than a plotter file may be is refused by its size, unread, with
// a message naming it and the limit; one of many empty lines reads.
TEST_F(PlotFile, AFileLargerThanTheLimitIsRefusedUnread)
{
    const QString path = Write("huge.plt", "LT;\n");
    QFile huge(path);
    ASSERT_TRUE(huge.resize(qint64{1} << 40));
    const PltImport plot = ReadPltFile(path, 5, 0, 1);
    EXPECT_EQ(plot.status, PltImport::Status::Unreadable);
    EXPECT_TRUE(plot.message.contains(path) && plot.message.contains(QString::number(kMaxPltFileBytes)))
        << plot.message.toStdString();
    const PltImport feeds = ReadPltFile(Write("feeds.plt", "LT;\nPU1 1;\n" + QByteArray(1 << 20, '\n') + "SP0;\n"), 0, 0, 1);
    ASSERT_EQ(feeds.status, PltImport::Status::Ok);
    EXPECT_EQ(Points(feeds.paths), (std::vector<std::vector<XY>>{{{0, 510, 1}}}));
}

}  // namespace
