// Drawing routines on small pictures whose pixels say where they came from.

#include "skin/skin_drawing.h"

#include "skin/button.h"
#include "skin/data_aware/db_edit.h"
#include "skin/data_aware/db_grid.h"
#include "skin/data_aware/db_navigator.h"
#include "skin/edit.h"
#include "skin/scroll_bar.h"
#include "skin/skin_form.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QSet>
#include <QPalette>
#include <QWidget>

#include <array>
#include <tuple>

namespace {

constexpr QRgb kMagenta = qRgb(255, 0, 255);
constexpr QRgb kCanvas = qRgb(0, 200, 0);

// Pixel (x, y) is coloured (x, y, 7): a drawn pixel names its source.
QImage CoordinatePicture(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x, y, 7));
    return img;
}

QImage Canvas(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(kCanvas);
    return img;
}

QImage Spit(const QImage& picture, int w, int h, bool transparent, int canvasW = 0, int canvasH = 0)
{
    QImage canvas = Canvas(canvasW ? canvasW : w, canvasH ? canvasH : h);
    QPainter p(&canvas);
    SpitDraw(picture, p, QRect(0, 0, w, h), transparent);
    return canvas;
}

// The source pixel a target pixel came from.
QPoint Source(const QImage& canvas, int x, int y)
{
    const QRgb c = canvas.pixel(x, y);
    EXPECT_EQ(qBlue(c), 7) << "target " << x << "," << y << " was not drawn";
    return {qRed(c), qGreen(c)};
}

// Each {target, source} pair: the target pixel shows that source pixel.
void ExpectSources(const QImage& out, std::initializer_list<std::pair<QPoint, QPoint>> pairs)
{
    for (const auto& [target, source] : pairs)
        EXPECT_EQ(Source(out, target.x(), target.y()), source) << target.x() << "," << target.y();
}

TEST(SpitDraw, ButtonFaceLargerThanItsPicture)
{
    const QImage out = Spit(CoordinatePicture(74, 21), 80, 27, false);
    // Corners unscaled: top-left 37x10, bottom-left 37x9 at y 18, top-right 36x10 at x 44;
    // left edge from row 10, right edge from row 11, over rows 10..17; top edge and
    // centre from column 37 (even width: one column); bottom edge one column left of
    // the corners, rows 11..20 over rows 17..26.
    ExpectSources(out, {{{0, 0}, {0, 0}},     {{35, 9}, {35, 9}},   {{0, 18}, {0, 12}},  {{35, 26}, {35, 20}},
                        {{44, 0}, {38, 0}},   {{79, 9}, {73, 9}},   {{79, 26}, {73, 20}}, {{44, 18}, {38, 12}},
                        {{0, 10}, {0, 10}},   {{20, 16}, {20, 10}}, {{79, 12}, {73, 11}}, {{44, 17}, {38, 11}},
                        {{37, 0}, {37, 0}},   {{43, 9}, {37, 9}},   {{40, 12}, {37, 10}}, {{36, 17}, {37, 11}},
                        {{43, 26}, {37, 20}}});
}

TEST(SpitDraw, SmallerTargetKeepsTheCornersOuterPartsOddWidthTakesTwoMiddleColumns)
{
    const QImage out = Spit(CoordinatePicture(74, 21), 30, 15, false);
    ExpectSources(out, {{{0, 0}, {0, 0}}, {{14, 6}, {14, 6}}, {{29, 0}, {73, 0}}, {{16, 0}, {60, 0}},
                        {{0, 14}, {0, 20}}, {{29, 14}, {73, 20}}});
    const QImage odd = Spit(CoordinatePicture(77, 27), 120, 27, false);
    QSet<int> columns;
    for (int x = 38; x < 120 - 38; ++x)
        columns.insert(Source(odd, x, 2).x());
    EXPECT_EQ(columns, (QSet<int>{38, 39}));
}

TEST(SpitDraw, CornersKeyedOnlyOnRequestStripsAlways)
{
    QImage picture(9, 9, QImage::Format_RGB32);
    picture.fill(qRgb(10, 20, 30));
    picture.setPixel(0, 0, kMagenta);           // a corner pixel
    for (int y = 0; y < 9; ++y)
        picture.setPixel(4, y, kMagenta);       // the stretched middle column
    const QImage opaque = Spit(picture, 20, 9, false);
    const QImage keyed = Spit(picture, 20, 9, true);
    // The top edge strip at (8, 1) comes from the magenta column.
    EXPECT_EQ((std::array{opaque.pixel(0, 0), keyed.pixel(0, 0), opaque.pixel(1, 1), opaque.pixel(8, 1), keyed.pixel(8, 1)}),
              (std::array{kMagenta, kCanvas, qRgb(10, 20, 30), kCanvas, kCanvas}));
}

TEST(SpitDraw, TinyOrEmptyInputsDrawOnlyInsideTheTarget)
{
    for (QSize pic : {QSize(1, 1), QSize(3, 3), QSize(4, 4), QSize(2, 7)}) {
        for (QSize target : {QSize(0, 0), QSize(1, 1), QSize(2, 3), QSize(5, 5)}) {
            const QImage out = Spit(CoordinatePicture(pic.width(), pic.height()), target.width(),
                                    target.height(), true, 12, 12);
            for (int y = 0; y < 12; ++y)
                for (int x = 0; x < 12; ++x)
                    if (x >= target.width() || y >= target.height()) {
                        EXPECT_EQ(out.pixel(x, y), kCanvas) << x << "," << y;
                    }
        }
    }
    QImage canvas = Canvas(4, 4);
    QPainter p(&canvas);
    SpitDraw(QImage(), p, QRect(0, 0, 4, 4), false);
    p.end();
    EXPECT_EQ(canvas.pixel(0, 0), kCanvas);
}

TEST(SpitDrawHorizontal, CapsUnscaledMiddleStretchedKeyFromTopLeft)
{
    QImage picture(10, 2, QImage::Format_RGB32);  // thirds of 3, the tenth column unused
    for (int x = 0; x < 10; ++x) {
        const QRgb c = x < 3 ? qRgb(200, 0, 0) : x < 6 ? qRgb(0, 0, 200) : x < 9 ? qRgb(200, 200, 0) : kMagenta;
        for (int y = 0; y < 2; ++y)
            picture.setPixel(x, y, c);
    }
    picture.setPixel(0, 0, qRgb(1, 2, 3));  // the key
    picture.setPixel(7, 1, qRgb(1, 2, 3));
    QImage canvas = Canvas(20, 4);
    QPainter p(&canvas);
    SpitDrawHorizontal(picture, p, QRect(0, 0, 20, 4), true);
    p.end();
    // Keyed at (0,0) and inside the right cap at (18,1); the middle stretched to the
    // full height; caps keep their own height.
    EXPECT_EQ((std::array{canvas.pixel(0, 0), canvas.pixel(1, 0), canvas.pixel(3, 0), canvas.pixel(16, 3),
                          canvas.pixel(17, 0), canvas.pixel(18, 1), canvas.pixel(17, 3)}),
              (std::array{kCanvas, qRgb(200, 0, 0), qRgb(0, 0, 200), qRgb(0, 0, 200), qRgb(200, 200, 0), kCanvas,
                          kCanvas}));

    QImage opaque = Canvas(20, 4);
    QPainter q(&opaque);
    SpitDrawHorizontal(picture, q, QRect(0, 0, 20, 4), false);
    SpitDrawHorizontal(picture, q, QRect(0, 0, 4, 2), false);  // narrower than two caps
    q.end();
    // An unkeyed left cap at 0, the narrow draw's right cap laid over it at 1.
    EXPECT_EQ((std::array{opaque.pixel(19, 0), opaque.pixel(0, 0), opaque.pixel(1, 0)}),
              (std::array{qRgb(200, 200, 0), qRgb(1, 2, 3), qRgb(200, 200, 0)}));
}

TEST(TileDraw, StartsAtTheOriginWithOneExtraRowAndColumnEmptyDrawsNothing)
{
    QImage tile(10, 10, QImage::Format_RGB32);
    tile.fill(qRgb(0, 0, 255));
    tile.setPixel(0, 0, qRgb(255, 0, 0));
    QImage canvas = Canvas(50, 50);
    QPainter p(&canvas);
    TileDraw(p, tile, QRect(0, 0, 25, 25));
    p.end();
    for (int x : {0, 10, 20, 30})
        for (int y : {0, 10, 20, 30})
            EXPECT_EQ(canvas.pixel(x, y), qRgb(255, 0, 0)) << x << "," << y;
    EXPECT_EQ((std::array{canvas.pixel(40, 0), canvas.pixel(0, 40)}), (std::array{kCanvas, kCanvas}));
    QImage blank = Canvas(8, 8);
    QPainter q(&blank);
    TileDraw(q, QImage(), QRect(0, 0, 8, 8));
    TileDraw(q, QImage(0, 5, QImage::Format_RGB32), QRect(0, 0, 8, 8));
    TileDraw(q, tile, QRect(0, 0, 0, 8));
    q.end();
    EXPECT_EQ(blank.pixel(0, 0), kCanvas);
}

TEST(RoundPicture, QuarterTurnsBothWays)
{
    const QImage original = CoordinatePicture(45, 4);
    QImage left = original;
    RoundPicture(left);
    ASSERT_EQ(left.size(), QSize(4, 45));
    for (int x = 0; x < 45; ++x)
        EXPECT_EQ(left.pixel(0, 44 - x), original.pixel(x, 0));
    EXPECT_EQ(left.pixel(3, 44), original.pixel(0, 3));

    QImage right = original;
    RoundPicture3(right);
    ASSERT_EQ(right.size(), QSize(4, 45));
    for (int x = 0; x < 45; ++x)
        EXPECT_EQ(right.pixel(3, x), original.pixel(x, 0));

    RoundPicture3(left);  // back where it started
    EXPECT_EQ(left, original);

    QImage indexed(2, 1, QImage::Format_Indexed8);  // colours through a table
    indexed.setColorTable({qRgb(10, 20, 30), qRgb(40, 50, 60)});
    indexed.setPixel(0, 0, 0);
    indexed.setPixel(1, 0, 1);
    RoundPicture(indexed);
    EXPECT_EQ(indexed.pixel(0, 1), qRgb(10, 20, 30));
    EXPECT_EQ(indexed.pixel(0, 0), qRgb(40, 50, 60));
    QImage empty;
    RoundPicture(empty);
    EXPECT_TRUE(empty.isNull());
}

TEST(RoundPicture, MirrorReadsOnlyInsideThePicture)
{
    const QImage square = CoordinatePicture(3, 3);
    QImage mirrored = square;
    RoundPicture2(mirrored);
    ASSERT_EQ(mirrored.size(), QSize(3, 3));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(mirrored.pixel(x, 2 - y), square.pixel(x, y)) << x << "," << y;

    // 4 x 2 becomes 2 x 4; the two rows whose source would lie below the
    // picture are left transparent instead of read from outside it.
    QImage wide = CoordinatePicture(4, 2).convertToFormat(QImage::Format_ARGB32);
    RoundPicture2(wide);
    ASSERT_EQ(wide.size(), QSize(2, 4));
    EXPECT_EQ((std::array{wide.pixel(0, 3), wide.pixel(1, 3), wide.pixel(0, 2), wide.pixel(1, 2)}),
              (std::array{qRgb(0, 0, 7), qRgb(1, 0, 7), qRgb(0, 1, 7), qRgb(1, 1, 7)}));
    EXPECT_EQ((std::array{wide.pixel(0, 0), wide.pixel(1, 1)}), (std::array{QRgb(0), QRgb(0)}));
    // 2 x 4 becomes 4 x 2: the two columns whose source would lie right of it stay empty.
    QImage tall = CoordinatePicture(2, 4).convertToFormat(QImage::Format_ARGB32);
    RoundPicture2(tall);
    ASSERT_EQ(tall.size(), QSize(4, 2));
    EXPECT_EQ((std::array{tall.pixel(0, 1), tall.pixel(1, 0), tall.pixel(2, 0), tall.pixel(3, 1)}),
              (std::array{qRgb(0, 0, 7), qRgb(1, 1, 7), QRgb(0), QRgb(0)}));
    QImage empty;
    RoundPicture2(empty);
    EXPECT_TRUE(empty.isNull());
}

TEST(SetBitmapWindow, MaskIsTheRunsOfPixelsThatAreNotTheKeyColour)
{
    QImage shape(6, 3, QImage::Format_RGB32);
    shape.fill(kMagenta);
    for (int x : {1, 2, 4})
        shape.setPixel(x, 0, qRgb(1, 2, 3));  // two runs on the first row
    shape.setPixel(5, 2, qRgb(0, 0, 0));
    QWidget window;
    window.resize(6, 3);
    SetBitmapWindow(window, shape, clFuchsia);
    EXPECT_EQ(window.mask(), QRegion(1, 0, 2, 1) + QRegion(4, 0, 1, 1) + QRegion(5, 2, 1, 1));
    EXPECT_EQ(window.mask().rectCount(), 3);

    SetBitmapWindow(window, shape, RGBColor(1, 2, 3));  // another key colour keeps the magenta
    EXPECT_TRUE(window.mask().contains(QPoint(0, 0)) && !window.mask().contains(QPoint(1, 0)));
}

TEST(SetBitmapWindow, AllTransparentBitmapLeavesNothingOfTheWindowShown)
{
    QImage shape(6, 3, QImage::Format_RGB32);
    shape.fill(kMagenta);
    QWidget window;
    window.resize(6, 3);
    SetBitmapWindow(window, shape, clFuchsia);
    EXPECT_FALSE(window.mask().isEmpty());  // an empty mask would show the whole window
    EXPECT_TRUE(window.mask().intersected(window.rect()).isEmpty());
    shape.setPixel(2, 1, qRgb(0, 0, 0));
    SetBitmapWindow(window, shape, clFuchsia);
    EXPECT_EQ(window.mask(), QRegion(2, 1, 1, 1));
}

TEST(IsHasProperty, DeclaredPropertiesOfTheClassOnly)
{
    QWidget widget;
    widget.setProperty("madeUp", 1);  // an object's own property is not its class's
    EXPECT_EQ((std::array{IsHasProperty(&widget, "enabled"), IsHasProperty(&widget, "objectName"),
                          IsHasProperty(&widget, "madeUp"), IsHasProperty(&widget, "Enabled"),
                          IsHasProperty(nullptr, "enabled")}),
              (std::array{true, true, false, true, false}));  // names match in any case
}

TEST(IsHasProperty, TheSkinnedControlsPublishTheirProperties)
{
    TskButton button;
    QWidget host;
    TskForm form(&host);
    TskEdit edit;
    TskDBGrid grid;
    TskDBEdit dbEdit;
    TskScrollBar bar;
    TskDBNavigator navigator;
    const std::pair<const QObject*, const char*> published[] = {
        {&button, "Caption"},    {&button, "ModalResult"}, {&button, "UIStyle"},   {&button, "caption"},
        {&form, "Caption"},      {&form, "UIStyle"},       {&form, "BorderWidth"}, {&edit, "BorderColor"},
        {&grid, "FocusedColor"}, {&grid, "ReadOnly"},      {&dbEdit, "DataField"}, {&dbEdit, "ReadOnly"},
        {&bar, "Position"},      {&bar, "UIStyle"},        {&navigator, "ConfirmDelete"}};
    for (const auto& [object, name] : published)
        EXPECT_TRUE(IsHasProperty(object, name)) << object->metaObject()->className() << " " << name;
    EXPECT_FALSE(IsHasProperty(&button, "Captions"));
    // Published properties are the control's own: written through them, read back.
    EXPECT_TRUE(button.setProperty("ModalResult", 2) && dbEdit.setProperty("ReadOnly", true));
    EXPECT_EQ(std::tuple(button.ModalResult(), dbEdit.ReadOnly()), std::tuple(2, true));
}

TEST(PCharToStr, TextOrEmpty)
{
    EXPECT_EQ(PCharToStr("NAVY_TITLE_LEFT"), QStringLiteral("NAVY_TITLE_LEFT"));
    EXPECT_EQ(PCharToStr("\xc3\xa9t\xc3\xa9"), QStringLiteral("\u00e9t\u00e9")) << "UTF-8";
    EXPECT_TRUE(PCharToStr("").isEmpty());
    EXPECT_TRUE(PCharToStr(nullptr).isEmpty());
}

TEST(Geometry, RectanglesExcludeRightAndBottomButInRectIncludesThem)
{
    const VclRect r{2, 3, 10, 8};
    EXPECT_EQ(r.ToQRect(), QRect(2, 3, 8, 5));
    EXPECT_EQ(VclRect::FromQRect(QRect(2, 3, 8, 5)), r);
    EXPECT_TRUE((VclRect{5, 5, 5, 9}.IsEmpty()) && (VclRect{5, 5, 4, 9}.ToQRect().isNull()));
    EXPECT_EQ((std::array{InRect(10, 8, r), InRect(QPoint(2, 3), r), InRect(11, 8, r), InRect(1, 5, r)}),
              (std::array{true, true, false, false}));
}

TEST(DrawControlBorder, TwoRingsInsideTheRectangle)
{
    QImage canvas = Canvas(10, 8);
    QPainter p(&canvas);
    DrawControlBorder(p, QRect(0, 0, 10, 8), RGBColor(255, 0, 0), clBtnFace);
    p.end();
    const QRgb face = ToQColor(clBtnFace).rgb();
    EXPECT_EQ((std::array{canvas.pixel(0, 0), canvas.pixel(9, 7), canvas.pixel(1, 1), canvas.pixel(8, 6),
                          canvas.pixel(2, 2), canvas.pixel(7, 5)}),
              (std::array{qRgb(255, 0, 0), qRgb(255, 0, 0), face, face, kCanvas, kCanvas}));
}

class Solid : public QWidget {
public:
    Solid(QWidget* parent, QColor c) : QWidget(parent)
    {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, c);
        setPalette(pal);
        setAutoFillBackground(true);
    }
};

TEST(DoTrans, ShowsTheParentButNotItsOtherChildren)
{
    Solid parent(nullptr, QColor(200, 0, 0));
    parent.resize(40, 40);
    Solid sibling(&parent, QColor(0, 0, 200));
    sibling.setGeometry(0, 0, 15, 40);
    QWidget control(&parent);
    control.setGeometry(10, 10, 10, 10);

    auto trans = [](const QWidget& w) {
        QImage canvas(10, 10, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        QPainter p(&canvas);
        DoTrans(p, w);
        return canvas;
    };
    QImage canvas = trans(control);
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(200, 0, 0));
    EXPECT_EQ(canvas.pixel(9, 9), qRgb(200, 0, 0));

    // Sticking out of the parent on the left: the parent lines up with the
    // part of the control that is inside it.
    control.setGeometry(-5, 20, 10, 10);
    canvas = trans(control);
    EXPECT_EQ(qAlpha(canvas.pixel(2, 5)), 0);
    EXPECT_EQ(canvas.pixel(6, 5), qRgb(200, 0, 0));

    QWidget orphan;
    orphan.resize(10, 10);
    EXPECT_EQ(qAlpha(trans(orphan).pixel(5, 5)), 0);
}

}  // namespace
