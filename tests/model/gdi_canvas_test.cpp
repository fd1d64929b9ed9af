#include "model/gdi_canvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <optional>

namespace {

constexpr QRgb kPaper = 0xFF010203u;
constexpr std::uint32_t kInk = 0x0000FF00u;  // green, as 0x00BBGGRR
constexpr QRgb kInkRgb = 0xFF00FF00u;

QImage Paper(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(kPaper);
    return img;
}

int Inked(const QImage& img)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixel(x, y) != kPaper;
    return n;
}

QImage Polyline(std::initializer_list<QPoint> pts, int size = 20)
{
    QImage img = Paper(size, size);
    GdiCanvas c(img);
    c.SetPenColour(kInk);
    c.MoveTo(pts.begin()->x(), pts.begin()->y());
    for (QPoint p : pts)
        c.LineTo(p.x(), p.y());  // the first is a zero-length line: nothing
    return img;
}

TEST(GdiCanvas, LinesKeepTheirStartAndLeaveOutTheirEnd)
{
    for (auto [from, to] : {std::pair{QPoint(2, 2), QPoint(9, 5)}, std::pair{QPoint(9, 5), QPoint(2, 2)}}) {
        const QImage img = Polyline({from, to});
        EXPECT_EQ(std::tuple(img.pixel(from), img.pixel(to), Inked(img)), std::tuple(kInkRgb, kPaper, 7));
    }
    // A closed outline paints each corner exactly once.
    EXPECT_EQ(Inked(Polyline({{3, 3}, {12, 3}, {12, 10}, {3, 10}, {3, 3}})), 2 * 9 + 2 * 7);
}

// Lines reaching far outside the image paint exactly the pixels an unclipped
// line would, and cost no more than their visible part.
TEST(GdiCanvas, ClippedLinesMatchTheUnclippedPixels)
{
    struct Seg { int x0, y0, x1, y1; };
    for (const Seg& s : {Seg{-50, -30, 80, 70}, Seg{70, -9, -13, 55}, Seg{-5, 39, 45, 2},
                        Seg{20, -100, 23, 140}, Seg{-60, 10, 100, 12}}) {
        const QImage big = Polyline({{s.x0 + 200, s.y0 + 200}, {s.x1 + 200, s.y1 + 200}}, 400);
        EXPECT_EQ(Polyline({{s.x0, s.y0}, {s.x1, s.y1}}, 40), big.copy(200, 200, 40, 40))
            << s.x0 << "," << s.y0 << " " << s.x1 << "," << s.y1;
    }
    const QImage img = Polyline({{-1000000000, -1000000000}, {1000000000, 1000000000}}, 64);
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(img.pixel(i, i), kInkRgb) << i;
    EXPECT_EQ(Inked(img), 64);
}

TEST(GdiCanvas, RectanglesAndEllipsesExcludeRightAndBottom)
{
    QImage img = Paper(20, 20);
    {
        GdiCanvas c(img);
        c.SetPenColour(kInk);
        c.SetBrushColour(0x000000FFu);
        c.Rectangle(2, 2, 8, 6);
        c.SetHollowBrush();
        c.Rectangle(10, 10, 12, 12);  // 2 x 2: all border
        c.Ellipse(12, 2, 18, 8);
    }
    // (4, 3) is filled with the brush; the ellipse is hollow at (15, 5).
    EXPECT_EQ((std::vector{img.pixel(7, 5), img.pixel(8, 5), img.pixel(7, 6), img.pixel(4, 3), img.pixel(15, 5)}),
              (std::vector{kInkRgb, kPaper, kPaper, 0xFFFF0000u, kPaper}));
    EXPECT_EQ(Inked(img.copy(10, 10, 3, 3)), 4);
    const QImage ellipse = img.copy(12, 0, 8, 20);
    EXPECT_EQ(Inked(ellipse), Inked(ellipse.copy(0, 2, 6, 6)));
    EXPECT_GT(Inked(ellipse), 8);
}

TEST(GdiCanvas, OtherFormatsAreConvertedAndNullImagesIgnored)
{
    QImage img(10, 10, QImage::Format_RGB888);
    img.fill(Qt::black);
    {
        GdiCanvas c(img);
        c.SetPenColour(kInk);
        c.LineTo(5, 0);
    }
    EXPECT_EQ(img.pixel(4, 0), kInkRgb);

    QImage none;
    GdiCanvas c(none);
    c.LineTo(5, 5);
    c.Ellipse(0, 0, 4, 4);
    c.SetPenStyle(PenStyle::Dash);
    c.LineTo(9, 9);
    EXPECT_TRUE(none.isNull());
}

}  // namespace

namespace {

// What an ellipse has always been drawn as: QPainter, aliased, a cosmetic pen
// through the pixel centres of the box.
void PainterEllipse(QPainter& p, int left, int top, int right, int bottom, QColor pen, std::optional<QColor> brush)
{
    p.setPen(QPen(pen, 0, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(brush ? QBrush(*brush) : QBrush(Qt::NoBrush));
    p.drawEllipse(QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1));
}

}  // namespace

// Small ellipses (the editor's markers) are stamped pixel for pixel as the
// painter draws them, at every position of a canvas and across its edges.
TEST(GdiCanvas, SmallEllipsesMatchThePainterEverywhere)
{
    struct Case {
        int w, h;
        bool filled;
        std::uint32_t pen, brush;  // 0x00BBGGRR
    };
    const Case cases[] = {{6, 6, true, 0x000000FFu, 0x000000FFu},  // a selected point
                          {4, 4, false, 0x0000FF00u, 0},            // a placed vertex
                          {2, 2, false, 0x00FF0000u, 0},            // the line tool's anchor
                          {5, 3, true, 0x00FF00FFu, 0x0000FFFFu},   // outline and fill apart
                          {16, 9, false, 0x00FFFF00u, 0}};
    constexpr int kSize = 512;
    for (const Case& k : cases) {
        const int stride = std::max(k.w, k.h) + 4;  // ellipses of one pass never touch
        const int step = k.w > 8 ? 5 : 1;            // every position for the markers
        for (int oy = 0; oy < stride; oy += step)
            for (int ox = 0; ox < stride; ox += step) {
                QImage stamped = Paper(kSize, kSize);
                QImage painted = Paper(kSize, kSize);
                {
                    GdiCanvas c(stamped);
                    QPainter p(&painted);
                    c.SetPenColour(k.pen);
                    if (k.filled)
                        c.SetBrushColour(k.brush);
                    else
                        c.SetHollowBrush();
                    const QColor pen = QColor::fromRgb(k.pen & 0xFF, (k.pen >> 8) & 0xFF, (k.pen >> 16) & 0xFF);
                    const QColor brush = QColor::fromRgb(k.brush & 0xFF, (k.brush >> 8) & 0xFF, (k.brush >> 16) & 0xFF);
                    for (int y = oy - 2 * stride; y < kSize + stride; y += stride)
                        for (int x = ox - 2 * stride; x < kSize + stride; x += stride) {
                            c.Ellipse(x, y, x + k.w, y + k.h);
                            PainterEllipse(p, x, y, x + k.w, y + k.h, pen,
                                           k.filled ? std::optional<QColor>(brush) : std::nullopt);
                        }
                }
                ASSERT_EQ(stamped, painted) << k.w << "x" << k.h << " filled " << k.filled << " pass " << ox << ","
                                            << oy;
            }
    }
}
