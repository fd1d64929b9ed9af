#include "model/background_picture.h"
#include "model/gdi_canvas.h"
#include "model/painters.h"
#include "model/palette.h"
#include "model/screen_colour.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace {

// Not a palette colour, so any painted pixel differs from it.
constexpr QRgb kPaper = 0xFF010203u;

struct P {
    int x, y;
    std::uint8_t colour = 2;
    std::uint8_t blank = 0;
    std::uint8_t mark = 0;
    int z = 0;
};

Path MakePath(std::initializer_list<P> pts)
{
    Path path;
    for (const P& p : pts)
        path.push_back(std::make_unique<LaserPoint>(LaserPoint{p.x, p.y, p.z, p.colour, p.mark, p.blank}));
    return path;
}

template <class List>
QImage Drawn(const List& points, std::uint8_t blankColour, int divisor)
{
    QImage img(128, 128, QImage::Format_RGB32);
    img.fill(kPaper);
    DrawPointList(img, points, blankColour, divisor);
    return img;
}

QRgb Screen(std::uint8_t index) { return ToQColor(PaletteColour(index)).rgb(); }
QRgb Grid() { return ToQColor(kGridColour).rgb(); }

TEST(PurgeErased, RemovesOnlyErasedPointsAndKeepsTheRestInPlace)
{
    Path path = MakePath({{1, 1}, {2, 2, 2, 0, kMarkErased}, {3, 3, 2, 0, kMarkSelected},
                          {4, 4, 2, 0, kMarkErased}, {5, 5}});
    const LaserPoint* kept = path[2].get();
    EXPECT_EQ(PurgeErased(path), 2u);
    ASSERT_EQ(path.size(), 3u);
    EXPECT_EQ(path[1].get(), kept);
    EXPECT_EQ(path[2]->x, 5);
}

TEST(DrawPointList, DrawsWhatThePathMeans)
{
    // Erased points are passed over without being removed from the list.
    const Path erased = MakePath({{10, 10}, {60, 60, 2, 0, kMarkErased}, {10, 60}});
    QImage img = Drawn(erased, 0, 1);
    EXPECT_EQ(erased.size(), 3u);
    EXPECT_EQ(std::pair(img.pixel(10, 35), img.pixel(35, 35)), std::pair(Screen(2), kPaper));

    // A segment takes its end point's colour; a dark move shows only in a
    // non-zero blank colour; a blanked point gets a small square of its own.
    const Path path = MakePath({{10, 10, 3}, {100, 10, 4, 1}, {100, 100, 6}});
    img = Drawn(path, 0, 1);
    EXPECT_EQ((std::vector{img.pixel(50, 10), img.pixel(99, 9), img.pixel(98, 8), img.pixel(100, 50)}),
              (std::vector{kPaper, Screen(4), kPaper, Screen(6)}));
    img = Drawn(path, 5, 1);
    EXPECT_EQ(std::pair(img.pixel(50, 10), img.pixel(99, 9)), std::pair(Screen(5), Screen(4)));
    // A selection of the same points draws exactly the same.
    PointRefs refs;
    for (const auto& p : path)
        refs.push_back(p.get());
    EXPECT_EQ(img, Drawn(refs, 5, 1));

    // Divided coordinates; a divisor of 0 counts as 1.
    const Path wide = MakePath({{100, 100}, {200, 100}});
    EXPECT_EQ(std::pair(Drawn(wide, 0, 2).pixel(75, 50), Drawn(wide, 0, 0).pixel(110, 100)), std::pair(Screen(2), Screen(2)));
}

TEST(DrawObject, MarkersFollowSelectionShowPointsAndZ)
{
    const Path path = MakePath({{20, 20, 2, 0, kMarkSelected, 2}, {60, 20, 2, 0, 0, 2},
                                {20, 60, 2, 0, 0, 0}, {60, 60, 2, 0, 0, 3}});
    // One point at a time: no segments, only its marker.
    auto marker = [&](std::size_t i, bool selectionOn, bool showPoints, int x, int y) {
        QImage img(128, 128, QImage::Format_RGB32);
        img.fill(kPaper);
        DrawObject(img, PointRefs{path[i].get()}, selectionOn, showPoints, 0);
        return img.pixel(x, y);
    };
    const QRgb red = qRgb(255, 0, 0);
    EXPECT_EQ(marker(0, true, false, 22, 20), red);  // filled red disc
    EXPECT_NE(marker(0, false, false, 22, 20), red);
    // A square +-2 with show-points, its corner drawn; z 3: a square +-3 always; z 2 with
    // show-points: a circle of radius 2, so its box's corner stays clear.
    EXPECT_EQ((std::vector{marker(2, false, true, 18, 60), marker(2, false, false, 18, 60), marker(2, false, true, 18, 58),
                           marker(3, false, false, 57, 60), marker(1, false, true, 58, 20), marker(1, false, true, 58, 18),
                           marker(1, false, false, 58, 19)}),
              (std::vector{Screen(2), kPaper, Screen(2), Screen(2), Screen(2), kPaper, kPaper}));

    QImage full(128, 128, QImage::Format_RGB32);
    DrawObject(full, path, true, true, 0);
    EXPECT_EQ(full.pixel(40, 20), Screen(2));  // and the path itself
}

int GridPixelsOffTheCross(const QImage& img)
{
    int n = 0;
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x)
            n += x != 256 && y != 256 && img.pixel(x, y) == Grid();
    return n;
}

TEST(DrawEditorGrid, MarksTheLatticeAndADashedCross)
{
    BackgroundPicture pictures;
    QImage img(10, 10, QImage::Format_RGB32);
    DrawEditorGrid(img, pictures, false, QString(), 50, 100, 0);
    ASSERT_EQ(img.size(), QSize(512, 512));
    for (QPoint p : {QPoint(0, 0), QPoint(49, 99), QPoint(50, 100), QPoint(500, 500)})
        EXPECT_EQ(img.pixel(p), Grid()) << p.x() << "," << p.y();
    for (QPoint p : {QPoint(51, 100), QPoint(50, 101), QPoint(25, 50)})
        EXPECT_EQ(img.pixel(p), Screen(0)) << p.x() << "," << p.y();
    // 11 x 6 two-by-two marks, less those cut off at the top and left edges.
    EXPECT_EQ(GridPixelsOffTheCross(img), 11 * 6 * 4 - 6 * 2 - 11 * 2 + 1);
    int dashes = 0;
    for (int i = 0; i < 510; ++i)
        dashes += img.pixel(256, i) == Grid() && img.pixel(i, 256) == Grid();
    EXPECT_TRUE(dashes > 100 && dashes < 450) << dashes;

    DrawEditorGrid(img, pictures, false, QString(), 1, 1, 0);
    EXPECT_EQ(std::pair(img.pixel(123, 321), img.pixel(511, 300)), std::pair(Grid(), Screen(0)));
    for (auto [sx, sy] : {std::pair{0, 10}, std::pair{-5, -5}}) {
        DrawEditorGrid(img, pictures, false, QString(), sx, sy, 0);
        EXPECT_EQ(std::pair(GridPixelsOffTheCross(img), img.pixel(256, 0)), std::pair(0, Grid()));
    }
}

TEST(DrawEditorGrid, PictureIsReadOncePerVersionAndSkippedWhenUnusable)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("back.bmp"), junk = dir.filePath("junk.bmp");
    auto save = [&](QRgb colour, int ageSeconds) {
        QImage pic(40, 40, QImage::Format_RGB32);
        pic.fill(colour);
        QFile f(file);
        return pic.save(file, "BMP") && f.open(QIODevice::ReadWrite)
               && f.setFileTime(QDateTime::currentDateTime().addSecs(ageSeconds), QFileDevice::FileModificationTime);
    };
    QFile bad(junk);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly) && bad.write("not a picture") > 0);
    bad.close();

    BackgroundPicture pictures;
    QImage img;
    auto at20 = [&](bool on, const QString& name) {
        DrawEditorGrid(img, pictures, on, name, 100, 100, 0);
        EXPECT_EQ(img.pixel(0, 0), Grid());  // the grid goes over the picture
        return img.pixel(20, 20);
    };
    ASSERT_TRUE(save(qRgb(0, 200, 0), -60));
    EXPECT_EQ((std::vector{at20(true, file), at20(true, file)}), (std::vector{qRgb(0, 200, 0), qRgb(0, 200, 0)}));
    EXPECT_EQ(pictures.LoadCount(), 1);
    ASSERT_TRUE(save(qRgb(0, 0, 200), 0));  // a new version is read again
    EXPECT_EQ(at20(true, file), qRgb(0, 0, 200));
    EXPECT_EQ(pictures.LoadCount(), 2);
    EXPECT_EQ(at20(false, file), Screen(0));
    for (const QString& name : {dir.filePath("missing.bmp"), junk, junk, dir.path(), QString()})
        EXPECT_EQ(at20(true, name), Screen(0)) << name.toStdString();
    EXPECT_EQ(pictures.LoadCount(), 3);  // the unreadable file was read once
}

}  // namespace
