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

// A canvas for the band's own outlines, in the band's colour. The painters
// open their own canvas on the image, so one of these is closed before a
// painter runs.
void BandPen(GdiCanvas& c, const RubberBand& band)
{
    c.SetPenColour(PaletteColour(std::uint8_t(band.Colour)));
    c.SetPenStyle(PenStyle::Solid);
    c.SetHollowBrush();
}

Path OwnedPath(const std::vector<LaserPoint>& points)
{
    Path path;
    path.reserve(points.size());
    for (const LaserPoint& p : points)
        path.push_back(std::make_unique<LaserPoint>(p));
    return path;
}

void PaintBand(QImage& canvas, const DrawDocument& doc, const RubberBand& band)
{
    const auto& pts = band.Points;
    switch (band.kind) {
    case RubberBand::Kind::Line: {
        GdiCanvas c(canvas);
        BandPen(c, band);
        if (doc.ShowPoints && band.AnchorZ == 0)
            c.Ellipse(pts[0].x() - 1, pts[0].y() - 1, pts[0].x() + 1, pts[0].y() + 1);
        else if (doc.ShowPoints && band.AnchorZ == 2)
            Marker(c, pts[0], 2);
        c.MoveTo(pts[0].x(), pts[0].y());
        c.LineTo(pts[1].x(), pts[1].y());
        break;
    }
    case RubberBand::Kind::ArcPreview: {
        {
            GdiCanvas c(canvas);
            BandPen(c, band);
            Marker(c, pts[0], 3);
        }
        DrawPointList(canvas, OwnedPath(band.Path), 0, 1);
        break;
    }
    case RubberBand::Kind::Ellipse: {
        GdiCanvas c(canvas);
        BandPen(c, band);
        c.Ellipse(pts[0].x(), pts[0].y(), pts[1].x(), pts[1].y());
        break;
    }
    case RubberBand::Kind::Rectangle: {
        GdiCanvas c(canvas);
        BandPen(c, band);
        c.MoveTo(pts[0].x(), pts[0].y());
        for (std::size_t i = 1; i < pts.size(); ++i)
            c.LineTo(pts[i].x(), pts[i].y());
        if (doc.ShowPoints)
            for (std::size_t i = 0; i + 1 < pts.size(); ++i)
                Marker(c, pts[i], 2);
        break;
    }
    case RubberBand::Kind::PathPreview:
        DrawPointList(canvas, OwnedPath(band.Path), 0, 1);
        if (doc.ShowPoints) {
            GdiCanvas c(canvas);
            BandPen(c, band);
            for (const LaserPoint& p : band.Path)
                Marker(c, QPoint(p.x, p.y), 2);
        }
        break;
    case RubberBand::Kind::CopyPreview:
        DrawObject(canvas, OwnedPath(band.Path), false, doc.ShowPoints, std::uint8_t(doc.BlankColor));
        break;
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
    if (band.kind == RubberBand::Kind::SelectionBox) {
        // Under the drawing, so the points inside stay visible.
        GdiCanvas c(canvas);
        c.SetPenColour(kSelectionBoxColour);
        c.SetBrushColour(kSelectionBoxColour);
        c.Rectangle(band.Points[0].x(), band.Points[0].y(), band.Points[1].x(), band.Points[1].y());
    }
    for (const Path& path : doc.Drawing)
        DrawObject(canvas, path, true, doc.ShowPoints, std::uint8_t(doc.BlankColor));
    PaintBand(canvas, doc, band);
}
