#include "editor/canvas_painter.h"

#include "model/gdi_canvas.h"
#include "model/painters.h"
#include "model/palette.h"

namespace {

constexpr std::uint32_t kSelectionBoxColour = 0x000000FFu;  // pure red as 0x00BBGGRR

void Marker(GdiCanvas& c, QPoint p, int half)
{
    c.SetHollowBrush();
    c.Rectangle(p.x() - half, p.y() - half, p.x() + half, p.y() + half);
}

void PaintBand(GdiCanvas& c, const DrawDocument& doc, const RubberBand& band)
{
    const std::uint32_t pen = PaletteColour(std::uint8_t(band.Colour));
    c.SetPenColour(pen);
    c.SetPenStyle(PenStyle::Solid);
    c.SetHollowBrush();
    const auto& pts = band.Points;
    switch (band.kind) {
    case RubberBand::Kind::Line:
        if (doc.ShowPoints && band.AnchorZ == 0)
            c.Ellipse(pts[0].x() - 1, pts[0].y() - 1, pts[0].x() + 1, pts[0].y() + 1);
        else if (doc.ShowPoints && band.AnchorZ == 2)
            Marker(c, pts[0], 2);
        c.MoveTo(pts[0].x(), pts[0].y());
        c.LineTo(pts[1].x(), pts[1].y());
        break;
    case RubberBand::Kind::ArcPreview:
        Marker(c, pts[0], 3);
        DrawPointList(c, band.Path, 0, 1);
        break;
    case RubberBand::Kind::Ellipse:
        c.Ellipse(pts[0].x(), pts[0].y(), pts[1].x(), pts[1].y());
        break;
    case RubberBand::Kind::Rectangle:
        c.MoveTo(pts[0].x(), pts[0].y());
        for (std::size_t i = 1; i < pts.size(); ++i)
            c.LineTo(pts[i].x(), pts[i].y());
        if (doc.ShowPoints)
            for (std::size_t i = 0; i + 1 < pts.size(); ++i)
                Marker(c, pts[i], 2);
        break;
    case RubberBand::Kind::PathPreview:
        DrawPointList(c, band.Path, 0, 1);
        c.SetPenColour(pen);
        if (doc.ShowPoints)
            for (const LaserPoint& p : band.Path)
                Marker(c, QPoint(p.x, p.y), 2);
        break;
    case RubberBand::Kind::CopyPreview: {
        Path moved;
        for (const LaserPoint& p : band.Path)
            moved.push_back(std::make_unique<LaserPoint>(p));
        DrawObject(c, moved, false, doc.ShowPoints, std::uint8_t(doc.BlankColor));
        break;
    }
    case RubberBand::Kind::SelectionBox:
    case RubberBand::Kind::None:
        break;
    }
}

}  // namespace

void PaintCanvas(QImage& canvas, BackgroundPicture& pictures, const DrawDocument& doc, const RubberBand& band)
{
    DrawEditorGrid(canvas, pictures, doc.PictureOn, doc.PictureFileName, doc.GridStepX, doc.GridStepY,
                   std::uint8_t(doc.BackColor));
    GdiCanvas c(canvas);
    if (band.kind == RubberBand::Kind::SelectionBox) {
        // Under the drawing, so the points inside stay visible.
        c.SetPenColour(kSelectionBoxColour);
        c.SetBrushColour(kSelectionBoxColour);
        c.Rectangle(band.Points[0].x(), band.Points[0].y(), band.Points[1].x(), band.Points[1].y());
    }
    for (const Path& path : doc.Drawing)
        DrawObject(c, path, true, doc.ShowPoints, std::uint8_t(doc.BlankColor));
    PaintBand(c, doc, band);
}
