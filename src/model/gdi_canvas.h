#pragma once
// A small drawing surface over a QImage that follows the old raster rules the
// painters were written for: a current pen position moved by MoveTo/LineTo, a
// line that leaves out its end pixel (so a polyline never paints a joint
// twice), rectangles and ellipses that exclude their right and bottom edges,
// width-1 pens and hollow brushes.
//
// Solid lines and rectangles are written straight into the image's pixels
// (exact pixels, and fast enough for 16k-point previews on every tick);
// dashed lines, ellipses and pictures go through a QPainter opened on first use.
//
// One canvas per image at a time, on one thread; the image must not be copied
// or resized while a canvas is open on it.

#include <QImage>
#include <QPoint>

#include <cstdint>
#include <memory>

class QPainter;

enum class PenStyle { Solid, Dash };

class GdiCanvas {
public:
    /// Opens the canvas on image; an image that is not 32-bit is converted to RGB32 first.
    explicit GdiCanvas(QImage& image);
    ~GdiCanvas();
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    /// Size of the image in pixels (0 for a null image, which ignores all drawing).
    int Width() const { return width_; }
    int Height() const { return height_; }

    /// Pen colour as 0x00BBGGRR.
    void SetPenColour(std::uint32_t bbggrr);
    std::uint32_t PenColour() const { return penColour_; }
    /// Solid or dashed; the pen is always one pixel wide.
    void SetPenStyle(PenStyle style) { penStyle_ = style; }
    PenStyle GetPenStyle() const { return penStyle_; }

    /// Solid brush in a 0x00BBGGRR colour.
    void SetBrushColour(std::uint32_t bbggrr);
    /// No fill: rectangles and ellipses draw only their outline.
    void SetHollowBrush() { brushHollow_ = true; }
    /// True while rectangles and ellipses are left unfilled.
    bool BrushHollow() const { return brushHollow_; }

    /// Moves the pen without drawing.
    void MoveTo(int x, int y) { pos_ = QPoint(x, y); }
    /// Draws from the pen position to (x, y), leaving out (x, y), and moves the pen there.
    void LineTo(int x, int y);
    /// Where the next LineTo starts.
    QPoint PenPos() const { return pos_; }

    /// Outline in the pen, inside filled with the brush; covers columns left..right-1, rows top..bottom-1.
    void Rectangle(int left, int top, int right, int bottom);
    /// Ellipse inscribed in the box left..right-1 x top..bottom-1, outlined and filled like Rectangle.
    void Ellipse(int left, int top, int right, int bottom);
    /// Fills left..right-1 x top..bottom-1 with a 0x00BBGGRR colour, pen and brush untouched.
    void FillRect(int left, int top, int right, int bottom, std::uint32_t bbggrr);
    /// Draws picture with its top-left corner at (x, y).
    void DrawImage(int x, int y, const QImage& picture);

private:
    QPainter& Painter();
    void SolidLine(int x0, int y0, int x1, int y1);
    void Span(int left, int right, int y, std::uint32_t argb);
    bool Normalise(int& left, int& top, int& right, int& bottom) const;
    void Plot(int x, int y, std::uint32_t argb)
    {
        if (unsigned(x) < unsigned(width_) && unsigned(y) < unsigned(height_))
            reinterpret_cast<std::uint32_t*>(bits_ + std::ptrdiff_t(y) * stride_)[x] = argb;
    }

    QImage& image_;
    std::unique_ptr<QPainter> painter_;
    std::uint8_t* bits_ = nullptr;
    qsizetype stride_ = 0;
    int width_ = 0;
    int height_ = 0;
    QPoint pos_;
    std::uint32_t penColour_ = 0;
    std::uint32_t penArgb_ = 0xFF000000u;
    PenStyle penStyle_ = PenStyle::Solid;
    std::uint32_t brushColour_ = 0x00FFFFFFu;
    bool brushHollow_ = false;
};
