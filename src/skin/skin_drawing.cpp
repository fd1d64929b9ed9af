#include "skin/skin_drawing.h"

#include "skin/theme_pictures.h"

#include <QGuiApplication>
#include <QMetaObject>
#include <QMetaProperty>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QWidget>

#include <algorithm>

QRect VclRect::ToQRect() const
{
    return IsEmpty() ? QRect() : QRect(left, top, right - left, bottom - top);
}

VclRect VclRect::FromQRect(const QRect& r)
{
    return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

void DoTrans(QPainter& canvas, const QWidget& control)
{
    QWidget* parent = control.parentWidget();
    if (!parent || control.width() <= 0 || control.height() <= 0)
        return;
    // Only the parent's own background and painting: with its children the
    // control would paint itself again, and so on for ever.
    QImage behind(control.size(), QImage::Format_ARGB32_Premultiplied);
    behind.fill(Qt::transparent);
    const QRegion under = QRegion(control.geometry()) & QRegion(parent->rect());
    if (under.isEmpty())
        return;
    // render() puts the region's top-left at the offset: where that lies in
    // the control (not at 0, 0 when the control sticks out of its parent).
    const QPoint offset = under.boundingRect().topLeft() - control.pos();
    parent->render(&behind, offset, under, QWidget::DrawWindowBackground);
    canvas.drawImage(0, 0, behind);
}

namespace {

constexpr QRgb kMagenta = qRgb(255, 0, 255);

// The part of the picture inside both the given source rectangle and the picture.
QImage SourcePart(const QImage& picture, const VclRect& src)
{
    const VclRect inside{std::max(src.left, 0), std::max(src.top, 0), std::min(src.right, picture.width()),
                         std::min(src.bottom, picture.height())};
    if (inside.IsEmpty())
        return {};
    return picture.copy(inside.ToQRect());
}

// A corner: unscaled, clipped to its box, keeping the part that touches the
// picture's corner. Returns where it was drawn (an empty rectangle at the
// corner when nothing was).
enum class Corner { TopLeft, BottomLeft, TopRight, BottomRight };

VclRect DrawCorner(QPainter& canvas, const QImage& picture, VclRect src, int boxW, int boxH, Corner corner,
                   const VclRect& r, bool transparent)
{
    const bool right = corner == Corner::TopRight || corner == Corner::BottomRight;
    const bool bottom = corner == Corner::BottomLeft || corner == Corner::BottomRight;
    const int w = std::min(src.Width(), boxW);
    const int h = std::min(src.Height(), boxH);
    const int x = right ? r.right - std::max(w, 0) : r.left;
    const int y = bottom ? r.bottom - std::max(h, 0) : r.top;
    if (w <= 0 || h <= 0)
        return {right ? r.right : r.left, bottom ? r.bottom : r.top, right ? r.right : r.left,
                bottom ? r.bottom : r.top};
    if (right)
        src.left = src.right - w;
    else
        src.right = src.left + w;
    if (bottom)
        src.top = src.bottom - h;
    else
        src.bottom = src.top + h;
    const QImage part = SourcePart(picture, src);
    if (!part.isNull())
        canvas.drawImage(x, y, transparent ? MaskedImage(part, kMagenta) : part);
    return {x, y, x + w, y + h};
}

// A stretched piece: always keyed by magenta.
void DrawStretched(QPainter& canvas, const QImage& picture, const VclRect& src, const VclRect& target)
{
    if (target.IsEmpty() || src.IsEmpty())
        return;
    const QImage part = SourcePart(picture, src);
    if (part.isNull())
        return;
    const QImage stretched =
        part.scaled(target.Width(), target.Height(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    canvas.drawImage(target.left, target.top, MaskedImage(stretched, kMagenta));
}

}  // namespace

void SpitDraw(const QImage& picture, QPainter& canvas, const QRect& rect, bool transparent)
{
    if (picture.isNull())
        return;
    const VclRect r = VclRect::FromQRect(rect);
    const int W = picture.width();
    const int H = picture.height();
    const int w2 = W / 2;
    const int h2 = H / 2;
    const int RW = r.Width();
    const int RH = r.Height();
    const int rw2 = RW / 2;
    const int rh2 = RH / 2;

    const VclRect tl = DrawCorner(canvas, picture, {0, 0, w2, h2}, rw2, rh2, Corner::TopLeft, r, transparent);
    const VclRect bl = DrawCorner(canvas, picture, {0, H - h2 + 1, w2, H}, rw2, rh2 - 1, Corner::BottomLeft, r,
                                  transparent);
    {  // left edge, cut from the picture's left side when the target is narrower
        const VclRect target{r.left, tl.bottom, tl.right, bl.top};
        VclRect src{0, h2, w2, H - h2};
        src.right = src.left + std::min(src.Width(), target.Width());
        DrawStretched(canvas, picture, src, target);
    }
    const VclRect tr = DrawCorner(canvas, picture, {W - w2 + 1, 0, W, h2}, rw2 - 1, rh2, Corner::TopRight, r,
                                  transparent);
    const VclRect br = DrawCorner(canvas, picture, {W - w2 + 1, H - h2 + 1, W, H}, rw2 - 1, rh2 - 1,
                                  Corner::BottomRight, r, transparent);
    {  // right edge, cut from the right side
        const VclRect target{tr.left, tr.bottom, r.right, br.top};
        VclRect src{W - w2 + 1, H - h2, W, h2 + 2};
        src.left = src.right - std::min(src.Width(), target.Width());
        DrawStretched(canvas, picture, src, target);
    }
    {  // top edge, cut from the top
        const VclRect target{tl.right, r.top, tr.left, tl.bottom};
        VclRect src{w2, 0, W - w2 + 1, h2};
        src.bottom = src.top + std::min(src.Height(), target.Height());
        DrawStretched(canvas, picture, src, target);
    }
    DrawStretched(canvas, picture, {w2, h2, W - w2 + 1, H - h2}, {tl.right, tl.bottom, tr.left, br.top - 1});
    {  // bottom edge, cut from the bottom
        const VclRect target{tl.right - 1, bl.top - 1, br.left, r.bottom};
        VclRect src{w2, H - h2, W - w2 + 1, H};
        src.top = src.bottom - std::min(src.Height(), target.Height());
        DrawStretched(canvas, picture, src, target);
    }
}

void SpitDrawHorizontal(const QImage& picture, QPainter& canvas, const QRect& rect, bool transparent)
{
    const int third = picture.width() / 3;
    const int H = picture.height();
    if (picture.isNull() || third <= 0)
        return;
    const VclRect r = VclRect::FromQRect(rect);
    const QRgb key = picture.pixel(0, 0);
    auto piece = [&](int index) {
        const QImage part = picture.copy(index * third, 0, third, H);
        return transparent ? MaskedImage(part, key) : part;
    };
    canvas.drawImage(r.left, r.top, piece(0));
    canvas.drawImage(r.right - third, r.top, piece(2));
    const VclRect middle{r.left + third, r.top, r.right - third, r.bottom};
    if (!middle.IsEmpty())
        canvas.drawImage(middle.ToQRect(), piece(1));
}

void TileDraw(QPainter& canvas, const QImage& picture, const QRect& r)
{
    const int pw = picture.width();
    const int ph = picture.height();
    if (picture.isNull() || pw <= 0 || ph <= 0 || r.width() <= 0 || r.height() <= 0)
        return;
    // Enough to cover the width, then one more; likewise downwards.
    const int columns = (r.width() + pw - 1) / pw + 1;
    const int rows = (r.height() + ph - 1) / ph + 1;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column)
            canvas.drawImage(column * pw, row * ph, picture);
    }
}

void DrawControlBorder(QPainter& canvas, const QRect& outer, TColor border, TColor inner)
{
    auto ring = [&canvas](const QRect& r, const QColor& colour) {
        if (r.width() <= 0 || r.height() <= 0)
            return;
        canvas.fillRect(QRect(r.left(), r.top(), r.width(), 1), colour);
        canvas.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colour);
        canvas.fillRect(QRect(r.left(), r.top(), 1, r.height()), colour);
        canvas.fillRect(QRect(r.right(), r.top(), 1, r.height()), colour);
    };
    ring(outer, ToQColor(border));
    ring(outer.adjusted(1, 1, -1, -1), ToQColor(inner));
}

void SetWinControlTransparent(QWidget& control)
{
    control.setAutoFillBackground(false);
    control.setAttribute(Qt::WA_OpaquePaintEvent, false);
    control.setAttribute(Qt::WA_NoSystemBackground, false);
}

namespace {

// pixel()/setPixel() speak colours only in the 32-bit formats.
void To32Bit(QImage& picture)
{
    if (picture.depth() != 32)
        picture = picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

// Builds the turned picture pixel by pixel; `to` maps a source pixel (x, y)
// of a W x H picture to its place in the H x W result. A place no source
// pixel maps to stays transparent (black without alpha); a source pixel
// mapped outside the result is dropped.
template <typename Map>
void Turn(QImage& picture, Map to)
{
    if (picture.isNull())
        return;
    To32Bit(picture);
    const int W = picture.width();
    const int H = picture.height();
    QImage turned(H, W, picture.format());
    turned.fill(picture.hasAlphaChannel() ? Qt::transparent : Qt::black);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const QPoint at = to(x, y, W, H);
            if (turned.rect().contains(at))
                turned.setPixel(at, picture.pixel(x, y));
        }
    }
    picture = std::move(turned);
}

}  // namespace

void RoundPicture(QImage& picture)
{
    Turn(picture, [](int x, int y, int W, int) { return QPoint(y, W - 1 - x); });
}

void RoundPicture3(QImage& picture)
{
    Turn(picture, [](int x, int y, int, int H) { return QPoint(H - 1 - y, x); });
}

void RoundPicture2(QImage& picture)
{
    // Only (x, y) with x < H and y < W land inside: the rest of a picture
    // that is not square is not read.
    Turn(picture, [](int x, int y, int W, int) { return QPoint(x, W - 1 - y); });
}

void SetBitmapWindow(QWidget& window, const QImage& bitmap, TColor transparent)
{
    const QImage pixels = bitmap.convertToFormat(QImage::Format_RGB32);
    const QRgb key = ToQColor(transparent).rgb();
    QRegion shape;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        int x = 0;
        while (x < pixels.width()) {
            if (line[x] == key) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < pixels.width() && line[x] != key)
                ++x;
            shape += QRect(start, y, x - start, 1);
        }
    }
    // Qt takes an empty region for "no mask" (the whole window): a pixel
    // outside the window is a mask that shows nothing of it.
    window.setMask(shape.isEmpty() ? QRegion(-1, -1, 1, 1) : shape);
    window.update();
}

bool IsHasProperty(const QObject* object, const char* name)
{
    if (!object || !name)
        return false;
    // Property names match in any case, as the framework's lookup does.
    const QMetaObject* meta = object->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        if (qstricmp(meta->property(i).name(), name) == 0)
            return true;
    }
    return false;
}

bool InRect(int x, int y, const VclRect& r)
{
    return r.left <= x && x <= r.right && r.top <= y && y <= r.bottom;
}

bool InRect(QPoint p, const VclRect& r) { return InRect(p.x(), p.y(), r); }

QRect GetWorkAreaRect()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void PlaceControl(QWidget& control, QPoint p) { control.move(p); }

void PlaceControl(QWidget& control, const VclRect& r)
{
    control.setGeometry(r.left, r.top, std::max(r.Width(), 0), std::max(r.Height(), 0));
}
