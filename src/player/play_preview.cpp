#include "player/play_preview.h"

#include "model/palette.h"
#include "model/screen_colour.h"

#include <QPainter>

void RenderPreview(QImage& image, const PreviewFrame& frame)
{
    image.fill(Qt::black);
    if (!frame.drawing)
        return;
    QPainter p(&image);
    PointTransform transform;
    transform.Prepare(frame.options, frame.params, frame.phases, frame.geometry);
    std::int64_t drawn = 0;
    std::int32_t rnd3 = frame.phases.SectionColourCycle;
    bool havePen = false;
    QPoint pen;
    for (const Path& path : frame.drawing[0]) {
        for (const auto& point : path) {
            if (drawn >= frame.maxPoints)
                return;
            std::int32_t x = 0, y = 0;
            transform.Apply(*point, x, y);
            const std::uint8_t code = ColourCode(frame.params.K, point->colour, frame.phases.SectionColourCycle, rnd3 % 7,
                                                 frame.options.colours);
            p.setPen(QPen(ToQColor(PaletteColour(code)), 1));
            const QPoint at(x, y);
            if (frame.params.O != 0) {
                p.setBrush(Qt::black);
                p.drawEllipse(QRect(x - 2, y - 2, 4, 4));
                p.setBrush(Qt::NoBrush);
            } else if (point->blank != 0 || !havePen) {
                if (point->blank != 0)
                    p.drawEllipse(QRect(x - 1, y - 1, 2, 2));
            } else {
                p.drawLine(pen, at);
            }
            pen = at;
            havePen = true;
            ++drawn;
            ++rnd3;
        }
    }
}

void DrawRowNumber(QImage& image, int number)
{
    QPainter p(&image);
    QFont f = p.font();
    f.setPointSize(5);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 60, 14), Qt::AlignLeft | Qt::AlignTop, QString::number(number));
}

void RenderThumbnail(QImage& image, const Drawing& drawing)
{
    image.fill(Qt::black);
    DrawThumbnailPaths(image, drawing);
}

void DrawThumbnailPaths(QImage& image, const Drawing& drawing)
{
    QPainter p(&image);
    for (const Path& path : drawing) {
        QPoint last;
        bool have = false;
        for (const auto& point : path) {
            const QPoint at(point->x / 2, point->y / 2);
            p.setPen(ToQColor(PaletteColour(point->colour)));
            if (have && point->blank == 0)
                p.drawLine(last, at);
            else
                p.drawPoint(at);
            last = at;
            have = true;
        }
    }
}
