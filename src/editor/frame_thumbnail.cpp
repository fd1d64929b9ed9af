#include "editor/frame_thumbnail.h"

#include "model/gdi_canvas.h"
#include "model/palette.h"
#include "model/screen_colour.h"

#include <QFont>
#include <QPainter>

#include <vector>

namespace {

constexpr std::uint32_t kHatchRed = 0x000000FFu;
constexpr int kHatchStep = 8;

}  // namespace

QImage DrawFrameThumbnail(const TILDAframe& frame, int frameIndex)
{
    QImage bitmap(kThumbnailSize, kThumbnailSize, QImage::Format_RGB32);
    bitmap.fill(Qt::black);
    {
        GdiCanvas canvas(bitmap);
        bool first = true;
        for (const auto& p : frame.Points) {
            if (p->mark == kMarkErased)
                continue;
            // Integer division toward zero, as the thumbnails were always drawn.
            const int tx = (p->x + 128) / 4;
            const int ty = (128 - p->y) / 4;
            canvas.SetPenColour(PaletteColour(p->colour));
            if (first || p->blank) {
                canvas.MoveTo(tx, ty);
                if (p->blank) {
                    canvas.SetHollowBrush();
                    canvas.Ellipse(tx - 1, ty - 1, tx + 1, ty + 1);
                }
            } else {
                canvas.LineTo(tx, ty);
            }
            first = false;
        }
    }
    QPainter painter(&bitmap);
    QFont font = painter.font();
    font.setPointSize(5);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, kThumbnailSize, 16), Qt::AlignLeft | Qt::AlignTop, QString::number(frameIndex + 1));
    return bitmap;
}

int FloodFillCrossHatch(QImage& image, QPoint seed, std::uint32_t hatchBbggrr)
{
    if (!image.rect().contains(seed))
        return 0;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    const int w = image.width();
    const int h = image.height();
    const QRgb surface = image.pixel(seed);
    const QRgb hatch = ToQColor(hatchBbggrr).rgb();
    std::vector<std::uint8_t> seen(std::size_t(w) * std::size_t(h), 0);
    std::vector<QPoint> stack{seed};
    seen[std::size_t(seed.y()) * std::size_t(w) + std::size_t(seed.x())] = 1;
    int filled = 0;
    std::vector<QPoint> region;
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        region.push_back(p);
        ++filled;
        const QPoint next[4] = {{p.x() + 1, p.y()}, {p.x() - 1, p.y()}, {p.x(), p.y() + 1}, {p.x(), p.y() - 1}};
        for (const QPoint& q : next) {
            if (q.x() < 0 || q.y() < 0 || q.x() >= w || q.y() >= h)
                continue;
            auto& mark = seen[std::size_t(q.y()) * std::size_t(w) + std::size_t(q.x())];
            if (mark || image.pixel(q) != surface)
                continue;
            mark = 1;
            stack.push_back(q);
        }
    }
    // Painted after the walk, so the hatch's own pixels never stop the fill.
    for (const QPoint& p : region)
        if (p.x() % kHatchStep == 0 || p.y() % kHatchStep == 0)
            image.setPixel(p, hatch);
    return filled;
}

void MarkThumbnail(QImage& thumbnail)
{
    // From the centre, and from the bottom-left corner as well: a closed figure
    // around the centre would otherwise keep the mark inside it, often only a few pixels.
    FloodFillCrossHatch(thumbnail, QPoint(thumbnail.width() / 2, thumbnail.height() / 2), kHatchRed);
    const QPoint corner(0, thumbnail.height() - 1);
    if (thumbnail.pixel(corner) != ToQColor(kHatchRed).rgb())
        FloodFillCrossHatch(thumbnail, corner, kHatchRed);
}
