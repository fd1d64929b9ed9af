// The Draw window's drawn icons say what their buttons do: the mirror icons
// flip the way the button flips the drawing, and the shape tools' icons mark
// points as the canvas marks the points the tool leaves (a ring on a placed
// vertex, a small square on any other point, a large one on a lone point).

#include "editor/draw_window_fixture.h"
#include "skin/icons.h"

#include <set>

namespace {

bool Dark(QRgb c) { return qAlpha(c) > 150 && std::max({qRed(c), qGreen(c), qBlue(c)}) < 90; }
bool Blue(QRgb c) { return qAlpha(c) > 150 && qBlue(c) > 170 && qRed(c) < 160 && qBlue(c) - qRed(c) > 60; }

struct Blob {
    QRect box;
    std::set<std::pair<int, int>> pixels;
    bool Has(int x, int y) const { return pixels.count({x, y}) != 0; }
    bool CornersIn() const
    {
        return Has(box.left(), box.top()) && Has(box.right(), box.top()) && Has(box.left(), box.bottom())
               && Has(box.right(), box.bottom());
    }
    // Round: nothing in the two pixels next to each corner either.
    bool CornersOut() const
    {
        for (const QPoint c : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()}) {
            const int dx = c.x() == box.left() ? 1 : -1;
            const int dy = c.y() == box.top() ? 1 : -1;
            if (Has(c.x(), c.y()) || Has(c.x() + dx, c.y()) || Has(c.x(), c.y() + dy))
                return false;
        }
        return true;
    }
};

// The 8-connected groups of pixels that pass `test`.
template <class Test>
std::vector<Blob> Blobs(const QImage& image, Test test)
{
    std::vector<Blob> blobs;
    std::set<std::pair<int, int>> seen;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (seen.count({x, y}) || !test(image.pixel(x, y)))
                continue;
            Blob& blob = blobs.emplace_back();
            std::vector<std::pair<int, int>> todo{{x, y}};
            seen.insert({x, y});
            while (!todo.empty()) {
                const auto [px, py] = todo.back();
                todo.pop_back();
                blob.pixels.insert({px, py});
                blob.box |= QRect(px, py, 1, 1);
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = px + dx;
                        const int ny = py + dy;
                        if (image.rect().contains(nx, ny) && !seen.count({nx, ny}) && test(image.pixel(nx, ny))) {
                            seen.insert({nx, ny});
                            todo.push_back({nx, ny});
                        }
                    }
            }
        }
    return blobs;
}

QImage Pixels(const QString& icon, int size)
{
    return SkinIcon(icon).pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
}

// The markers of an icon, read as the canvas draws them.
struct Markers {
    int rings = 0;         // hollow and round
    int smallSquares = 0;  // filled and square
    int largeSquares = 0;  // hollow and square
};

Markers ReadMarkers(const QImage& icon)
{
    Markers m;
    for (const Blob& b : Blobs(icon, Blue))
        m.rings += b.CornersOut() && !b.Has(b.box.center().x(), b.box.center().y()) && b.box.width() >= 6 ? 1 : 0;
    for (const Blob& b : Blobs(icon, Dark)) {
        const double fill = double(b.pixels.size()) / (b.box.width() * b.box.height());
        const bool square = std::abs(b.box.width() - b.box.height()) <= 1;
        if (square && b.box.width() <= 9 && b.box.width() >= 4 && fill >= 0.8 && b.CornersIn())
            ++m.smallSquares;
        else if (square && b.box.width() >= 10 && b.CornersIn() && !b.Has(b.box.center().x(), b.box.center().y()))
            ++m.largeSquares;
    }
    return m;
}

// The rows (level) or columns (plumb) of an icon with no dark pixel, between dark ones.
enum class Gap { None, Level, Plumb };

Gap InkGap(const QImage& icon)
{
    auto gapAlong = [&](bool rows) {
        const int n = rows ? icon.height() : icon.width();
        std::vector<bool> inked(std::size_t(n), false);
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x)
                if (Dark(icon.pixel(x, y)))
                    inked[std::size_t(rows ? y : x)] = true;
        const auto first = std::find(inked.begin(), inked.end(), true);
        const auto last = std::find(inked.rbegin(), inked.rend(), true).base();
        return first < last && std::find(first, last, false) != last;
    };
    const bool level = gapAlong(true);
    const bool plumb = gapAlong(false);
    return level == plumb ? Gap::None : (level ? Gap::Level : Gap::Plumb);
}

using DrawWindowIcons = DrawWindowFixture;

TEST_F(DrawWindowIcons, EachMirrorIconFlipsTheWayItsButtonFlipsTheDrawing)
{
    Draw().show();
    for (const char* name : {"BitBtn17", "BitBtn18"}) {
        SCOPED_TRACE(name);
        Command("BitBtn1");  // New_D
        Tool("BitBtn27");
        Click(100, 60);
        Click(300, 120);
        Right();
        Command("skButton28");  // SelectAll
        Command(name);
        ASSERT_EQ(Doc().Drawing.size(), 1u);
        const LaserPoint& p = *Doc().Drawing[0][0];
        const bool turnsY = p.x == 100 && p.y == 510 - 60;
        ASSERT_TRUE(turnsY || (p.x == 510 - 100 && p.y == 60));
        // A flip top to bottom shows its two halves above and below a level line.
        const QImage glyph = Child<TskButton>(name)->Glyph().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(InkGap(glyph), turnsY ? Gap::Level : Gap::Plumb);
    }
}

TEST_F(DrawWindowIcons, ShapeToolIconsMarkPointsAsTheCanvasMarksWhatTheToolLeaves)
{
    Draw().show();
    Doc().PolygonSides = 5;  // as the polygon icons show
    const struct {
        const char* button;
        const char* icon;
        std::vector<QPoint> clicks;
    } tools[] = {
        {"BitBtn27", "zarn-line", {{20, 300}, {120, 60}, {300, 200}}},
        {"skButton12", "zarn-polyline", {{20, 300}, {120, 60}, {300, 200}}},
        {"skButton14", "zarn-arc", {{250, 250}, {150, 250}, {350, 250}}},
        {"skButton15", "zarn-ellipse", {{50, 100}, {450, 400}}},
        {"skButton16", "zarn-rectangle", {{50, 100}, {450, 400}}},
        {"skButton17", "zarn-rectangle-points", {{50, 100}, {450, 400}}},
        {"skButton18", "zarn-polygon", {{250, 250}, {250, 100}}},
        {"skButton19", "zarn-polygon-points", {{250, 250}, {250, 100}}},
        {"skButton13", "zarn-point", {{250, 250}}},
    };
    for (const auto& tool : tools) {
        SCOPED_TRACE(tool.button);
        Command("BitBtn1");
        Tool(tool.button);
        for (QPoint p : tool.clicks)
            Click(p.x(), p.y());
        Right();
        ASSERT_EQ(Doc().Drawing.size(), 1u);
        std::set<std::pair<int, int>> vertices;
        bool others = false;
        bool lone = false;
        for (const auto& p : Doc().Drawing[0]) {
            if (p->z == 2)
                vertices.insert({p->x, p->y});
            others = others || p->z < 2;
            lone = lone || p->z >= 3;
        }
        const Markers icon = ReadMarkers(Pixels(QString::fromLatin1(tool.icon), 44));
        EXPECT_EQ(icon.rings, int(vertices.size()));
        EXPECT_EQ(icon.smallSquares > 0, others) << icon.smallSquares;
        EXPECT_EQ(icon.largeSquares, lone ? 1 : 0);
    }
}

}  // namespace
