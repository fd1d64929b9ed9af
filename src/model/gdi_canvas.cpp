#include "model/gdi_canvas.h"

#include "model/screen_colour.h"

#include <QPainter>
#include <QPen>
#include <QRect>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <mutex>
#include <utility>
#include <vector>

namespace {

std::uint32_t ToArgb(std::uint32_t bbggrr)
{
    return 0xFF000000u | ((bbggrr & 0xFFu) << 16) | (bbggrr & 0xFF00u) | ((bbggrr >> 16) & 0xFFu);
}

bool Is32Bit(QImage::Format f)
{
    return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32
        || f == QImage::Format_ARGB32_Premultiplied;
}

// Floor and ceiling of a / b for b > 0.
__int128 FloorDiv(__int128 a, __int128 b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
__int128 CeilDiv(__int128 a, __int128 b) { return -FloorDiv(-a, b); }

// The pixels of a small ellipse relative to its box's top-left corner, as the
// painter sets them: its outline (pen) and its inside (brush). The painter
// draws an ellipse the same wherever it stands, so a marker is stamped from
// these instead of building and filling a path for each of many thousands.
struct EllipseStamp {
    std::vector<QPoint> outline;
    std::vector<QPoint> inside;
    QRect bounds;  ///< every pixel set, relative to the box's corner
};

constexpr int kMaxStamp = 16;

EllipseStamp MakeStamp(int w, int h, bool filled)
{
    constexpr int kMargin = 4;
    constexpr QRgb kBack = 0xFF000000u, kPen = 0xFFFF0000u, kBrush = 0xFF00FF00u;
    QImage image(w + 2 * kMargin, h + 2 * kMargin, QImage::Format_RGB32);
    image.fill(kBack);
    {
        QPainter p(&image);
        p.setPen(QPen(QColor::fromRgb(kPen), 0, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(filled ? QBrush(QColor::fromRgb(kBrush)) : QBrush(Qt::NoBrush));
        p.drawEllipse(QRectF(kMargin + 0.5, kMargin + 0.5, w - 1, h - 1));
    }
    EllipseStamp stamp;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (c == kPen)
                stamp.outline.emplace_back(x - kMargin, y - kMargin);
            else if (c == kBrush)
                stamp.inside.emplace_back(x - kMargin, y - kMargin);
            else
                continue;
            stamp.bounds |= QRect(x - kMargin, y - kMargin, 1, 1);
        }
    return stamp;
}

// Any thread: each stamp is made at its first use, then only read.
const EllipseStamp& StampFor(int w, int h, bool filled)
{
    constexpr std::size_t kCount = kMaxStamp * kMaxStamp * 2;
    static std::array<std::once_flag, kCount> made;
    static std::array<EllipseStamp, kCount> stamps;
    const auto i = std::size_t(((w - 1) * kMaxStamp + (h - 1)) * 2 + (filled ? 1 : 0));
    std::call_once(made[i], [&] { stamps[i] = MakeStamp(w, h, filled); });
    return stamps[i];
}

}  // namespace

GdiCanvas::GdiCanvas(QImage& image) : image_(image)
{
    if (!image_.isNull() && !Is32Bit(image_.format()))
        image_.convertTo(QImage::Format_RGB32);
    if (image_.isNull())
        return;
    // Taken before any QPainter opens, so both write the same detached buffer.
    bits_ = image_.bits();
    stride_ = image_.bytesPerLine();
    width_ = image_.width();
    height_ = image_.height();
}

GdiCanvas::~GdiCanvas() = default;

QPainter& GdiCanvas::Painter()
{
    if (!painter_)
        painter_ = std::make_unique<QPainter>(&image_);
    return *painter_;
}

void GdiCanvas::SetPenColour(std::uint32_t bbggrr)
{
    penColour_ = bbggrr & 0x00FFFFFFu;
    penArgb_ = ToArgb(penColour_);
}

void GdiCanvas::SetBrushColour(std::uint32_t bbggrr)
{
    brushColour_ = bbggrr & 0x00FFFFFFu;
    brushHollow_ = false;
}

void GdiCanvas::LineTo(int x, int y)
{
    const QPoint from = pos_;
    pos_ = QPoint(x, y);
    if (from == pos_ || !bits_)
        return;
    if (penStyle_ == PenStyle::Solid) {
        SolidLine(from.x(), from.y(), x, y);
        return;
    }
    // A flat cap leaves out the far end, as the solid lines do.
    QPen pen(ToQColor(penColour_), 0, Qt::DashLine, Qt::FlatCap);
    Painter().setPen(pen);
    Painter().drawLine(from, pos_);
}

// Bresenham from (x0, y0) towards (x1, y1), end pixel left out. Pixel i of the
// major axis takes the minor offset round(i * minor / major); only the steps
// that can land inside the image are walked, so far-off points cost nothing.
void GdiCanvas::SolidLine(int x0, int y0, int x1, int y1)
{
    const std::int64_t dx = std::int64_t(x1) - x0;
    const std::int64_t dy = std::int64_t(y1) - y0;
    if (std::max(x0, x1) < 0 || std::min(x0, x1) >= width_ || std::max(y0, y1) < 0
        || std::min(y0, y1) >= height_)
        return;

    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const std::int64_t len = xMajor ? std::abs(dx) : std::abs(dy);
    const std::int64_t minor = xMajor ? std::abs(dy) : std::abs(dx);
    const int majorStep = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int minorStep = (xMajor ? dy : dx) > 0 ? 1 : -1;
    const std::int64_t major0 = xMajor ? x0 : y0;
    const std::int64_t minor0 = xMajor ? y0 : x0;
    const std::int64_t majorSize = xMajor ? width_ : height_;
    const std::int64_t minorSize = xMajor ? height_ : width_;

    std::int64_t lo = 0;
    std::int64_t hi = len - 1;
    if (majorStep > 0) {
        lo = std::max(lo, -major0);
        hi = std::min(hi, majorSize - 1 - major0);
    } else {
        lo = std::max(lo, major0 - (majorSize - 1));
        hi = std::min(hi, major0);
    }
    if (minor > 0) {
        // The drawn pixel is within half a pixel of the ideal line: keep the
        // steps whose ideal offset lies in [-1, size] and one more each side.
        const __int128 fLo = minorStep > 0 ? -1 - minor0 : minor0 - minorSize;
        const __int128 fHi = minorStep > 0 ? minorSize - minor0 : minor0 + 1;
        auto clampStep = [len](__int128 v) { return std::int64_t(std::clamp<__int128>(v, -1, len)); };
        lo = std::max(lo, clampStep(FloorDiv(fLo * len, minor) - 1));
        hi = std::min(hi, clampStep(CeilDiv(fHi * len, minor) + 1));
    }
    if (lo > hi)
        return;

    const std::int64_t twoLen = 2 * len;
    const __int128 num = __int128(2) * lo * minor + len;
    std::int64_t offset = std::int64_t(num / twoLen);
    std::int64_t rem = std::int64_t(num % twoLen);
    // Within [lo, hi] the major coordinate is always inside the image; only the
    // minor one can stray by a step at either end.
    std::int64_t m = minor0 + offset * minorStep;
    const std::int64_t a0 = major0 + lo * majorStep;
    const std::ptrdiff_t pixelStride = std::ptrdiff_t(stride_ / 4);
    const std::ptrdiff_t majorDelta = xMajor ? majorStep : majorStep * pixelStride;
    const std::ptrdiff_t minorDelta = xMajor ? minorStep * pixelStride : minorStep;
    const std::int64_t x = xMajor ? a0 : m;
    const std::int64_t y = xMajor ? m : a0;
    // Kept as an offset, not a pointer: it may point outside the image while m does.
    std::ptrdiff_t at = std::ptrdiff_t(y) * pixelStride + std::ptrdiff_t(x);
    auto* pixels = reinterpret_cast<std::uint32_t*>(bits_);
    const std::uint32_t argb = penArgb_;
    const std::int64_t twoMinor = 2 * minor;
    for (std::int64_t i = lo; i <= hi; ++i) {
        if (std::uint64_t(m) < std::uint64_t(minorSize))
            pixels[at] = argb;
        at += majorDelta;
        rem += twoMinor;
        if (rem >= twoLen) {
            rem -= twoLen;
            m += minorStep;
            at += minorDelta;
        }
    }
}

// Puts the corners in order; false when nothing can be drawn (an empty box,
// or no image).
bool GdiCanvas::Normalise(int& left, int& top, int& right, int& bottom) const
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    return bits_ && left != right && top != bottom;
}

void GdiCanvas::Span(int left, int right, int y, std::uint32_t argb)
{
    if (y < 0 || y >= height_)
        return;
    left = std::max(left, 0);
    right = std::min(right, width_ - 1);
    if (left > right)
        return;
    auto* row = reinterpret_cast<std::uint32_t*>(bits_ + std::ptrdiff_t(y) * stride_);
    std::fill(row + left, row + right + 1, argb);
}

void GdiCanvas::FillRect(int left, int top, int right, int bottom, std::uint32_t bbggrr)
{
    if (!Normalise(left, top, right, bottom))
        return;
    const std::uint32_t argb = ToArgb(bbggrr);
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y)
        Span(left, right - 1, y, argb);
}

void GdiCanvas::Rectangle(int left, int top, int right, int bottom)
{
    if (!Normalise(left, top, right, bottom))
        return;
    const int x0 = left, x1 = right - 1, y0 = top, y1 = bottom - 1;
    if (!brushHollow_ && x1 - x0 >= 2 && y1 - y0 >= 2)
        FillRect(x0 + 1, y0 + 1, x1, y1, brushColour_);
    if (penStyle_ == PenStyle::Dash) {
        QPen pen(ToQColor(penColour_), 0, Qt::DashLine, Qt::SquareCap);
        Painter().setPen(pen);
        Painter().setBrush(Qt::NoBrush);
        Painter().drawRect(QRect(x0, y0, x1 - x0, y1 - y0));
        return;
    }
    Span(x0, x1, y0, penArgb_);
    Span(x0, x1, y1, penArgb_);
    for (int y = std::max(y0 + 1, 0); y <= std::min(y1 - 1, height_ - 1); ++y) {
        Plot(x0, y, penArgb_);
        Plot(x1, y, penArgb_);
    }
}

void GdiCanvas::Ellipse(int left, int top, int right, int bottom)
{
    if (!Normalise(left, top, right, bottom))
        return;
    // A stamp only where the whole ellipse lies on the image: cut by an
    // edge, the painter may set other pixels.
    if (penStyle_ == PenStyle::Solid && right - left <= kMaxStamp && bottom - top <= kMaxStamp) {
        const EllipseStamp& stamp = StampFor(right - left, bottom - top, !brushHollow_);
        if (QRect(0, 0, width_, height_).contains(stamp.bounds.translated(left, top))) {
            const std::uint32_t brush = ToArgb(brushColour_);
            for (QPoint d : stamp.inside)
                Plot(left + d.x(), top + d.y(), brush);
            for (QPoint d : stamp.outline)
                Plot(left + d.x(), top + d.y(), penArgb_);
            return;
        }
    }
    QPainter& p = Painter();
    p.setPen(QPen(ToQColor(penColour_), 0,
                  penStyle_ == PenStyle::Dash ? Qt::DashLine : Qt::SolidLine, Qt::FlatCap));
    if (brushHollow_)
        p.setBrush(Qt::NoBrush);
    else
        p.setBrush(ToQColor(brushColour_));
    // Through the pixel centres of the box left..right-1: a small marker
    // comes out round, where an integer QRect would give a square.
    p.drawEllipse(QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1));
}

void GdiCanvas::DrawImage(int x, int y, const QImage& picture)
{
    if (!bits_ || picture.isNull())
        return;
    Painter().drawImage(QPoint(x, y), picture);
}
