#include "model/painters.h"

#include "model/background_picture.h"
#include "model/gdi_canvas.h"
#include "model/palette.h"

#include <algorithm>

namespace {

const LaserPoint* Ptr(const std::unique_ptr<LaserPoint>& p) { return p.get(); }
const LaserPoint* Ptr(const LaserPoint* p) { return p; }

// Kept well inside int so that marker boxes (x +- 3) cannot overflow; such
// points are far off any canvas anyway.
constexpr int kCoordLimit = 1 << 30;

int Scaled(std::int32_t v, int divisor)
{
    return std::clamp(v / divisor, -kCoordLimit, kCoordLimit);
}

template <class List>
void DrawPath(GdiCanvas& canvas, const List& points, std::uint8_t blankColour, int divisor)
{
    if (divisor < 1)
        divisor = 1;
    canvas.SetPenStyle(PenStyle::Solid);
    const std::uint32_t darkColour = PaletteColour(blankColour);
    bool first = true;
    for (const auto& item : points) {
        const LaserPoint* p = Ptr(item);
        if (!p || p->mark == kMarkErased)
            continue;
        const int px = Scaled(p->x, divisor);
        const int py = Scaled(p->y, divisor);
        const std::uint32_t own = PaletteColour(p->colour);
        // A segment belongs to its end point: its colour, and its blank flag.
        canvas.SetPenColour(own);
        if (p->blank) {
            if (blankColour != 0)
                canvas.SetPenColour(darkColour);
            else
                canvas.MoveTo(px, py);
        }
        if (first) {
            canvas.MoveTo(px, py);
            first = false;
        } else {
            canvas.LineTo(px, py);
        }
        canvas.SetPenColour(own);
        if (p->blank)
            canvas.Rectangle(px - 1, py - 1, px + 1, py + 1);
    }
}

template <class List>
void DrawMarkers(GdiCanvas& canvas, const List& points, bool selectionOn, bool showPoints)
{
    for (const auto& item : points) {
        const LaserPoint* p = Ptr(item);
        if (!p || p->mark == kMarkErased)
            continue;
        const int px = Scaled(p->x, 1);
        const int py = Scaled(p->y, 1);
        if (selectionOn && p->mark == kMarkSelected) {
            canvas.SetPenColour(kSelectedMarkerColour);
            canvas.SetBrushColour(kSelectedMarkerColour);
            canvas.Ellipse(px - 3, py - 3, px + 3, py + 3);
            continue;
        }
        const std::uint32_t own = PaletteColour(p->colour);
        canvas.SetPenColour(own);
        canvas.SetBrushColour(own);
        canvas.SetHollowBrush();
        if (showPoints) {
            if (p->z == 2)
                canvas.Ellipse(px - 2, py - 2, px + 2, py + 2);
            else if (p->z < 2)
                canvas.Rectangle(px - 2, py - 2, px + 2, py + 2);
        }
        if (p->z >= 3)
            canvas.Rectangle(px - 3, py - 3, px + 3, py + 3);
    }
    canvas.SetHollowBrush();
}

template <class List>
void DrawObjectOn(GdiCanvas& canvas, const List& points, bool selectionOn, bool showPoints,
                  std::uint8_t blankColour)
{
    DrawPath(canvas, points, blankColour, 1);
    DrawMarkers(canvas, points, selectionOn, showPoints);
}

}  // namespace

std::size_t PurgeErased(Path& path)
{
    const auto before = path.size();
    std::erase_if(path, [](const std::unique_ptr<LaserPoint>& p) {
        return !p || p->mark == kMarkErased;
    });
    return before - path.size();
}

void DrawEditorGrid(QImage& bitmap, BackgroundPicture& pictures, bool pictureOn,
                    const QString& pictureFile, int gridStepX, int gridStepY,
                    std::uint8_t backColour)
{
    if (bitmap.width() != kEditorCanvasSize || bitmap.height() != kEditorCanvasSize)
        bitmap = QImage(kEditorCanvasSize, kEditorCanvasSize, QImage::Format_RGB32);
    GdiCanvas canvas(bitmap);
    const std::uint32_t back = PaletteColour(backColour);
    canvas.SetBrushColour(back);
    canvas.FillRect(0, 0, kEditorCanvasSize, kEditorCanvasSize, back);
    if (pictureOn)
        canvas.DrawImage(0, 0, pictures.Get(pictureFile));

    canvas.SetPenColour(kGridColour);
    canvas.SetPenStyle(PenStyle::Solid);
    // A step below 1 would never advance; such a grid has no marks.
    if (gridStepX >= 1 && gridStepY >= 1) {
        for (std::int64_t x = 0; x < 511; x += gridStepX)
            for (std::int64_t y = 0; y < 511; y += gridStepY)
                canvas.Rectangle(int(x) - 1, int(y) - 1, int(x) + 1, int(y) + 1);
    }

    canvas.SetPenStyle(PenStyle::Dash);
    canvas.MoveTo(256, 0);
    canvas.LineTo(256, 510);
    canvas.MoveTo(0, 256);
    canvas.LineTo(510, 256);
    canvas.SetPenStyle(PenStyle::Solid);
    canvas.SetHollowBrush();
}

void DrawPointList(QImage& bitmap, const Path& points, std::uint8_t blankColour, int divisor)
{
    GdiCanvas canvas(bitmap);
    DrawPath(canvas, points, blankColour, divisor);
}

void DrawPointList(QImage& bitmap, const PointRefs& points, std::uint8_t blankColour, int divisor)
{
    GdiCanvas canvas(bitmap);
    DrawPath(canvas, points, blankColour, divisor);
}

void DrawObject(QImage& bitmap, const Path& points, bool selectionOn, bool showPoints,
                std::uint8_t blankColour)
{
    GdiCanvas canvas(bitmap);
    DrawObjectOn(canvas, points, selectionOn, showPoints, blankColour);
}

void DrawObject(QImage& bitmap, const PointRefs& points, bool selectionOn, bool showPoints,
                std::uint8_t blankColour)
{
    GdiCanvas canvas(bitmap);
    DrawObjectOn(canvas, points, selectionOn, showPoints, blankColour);
}
