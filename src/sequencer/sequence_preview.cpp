#include "sequencer/sequence_preview.h"

#include "model/effect_steps.h"
#include "model/palette.h"
#include "model/screen_colour.h"
#include "model/trunc_to_int.h"

#include <QPainter>

#include <algorithm>

namespace {

// The pen of the preview: its position carries across paths and tracks. A pen
// is made only where the colour changes, so a run of one colour shares one.
class PreviewPen {
public:
    explicit PreviewPen(QImage& image)
        : p_(&image)
    {
    }

    void Point(std::int32_t x, std::int32_t y, std::uint8_t code, bool blank, bool pointDraw)
    {
        if (!havePen_ || code != penCode_) {
            p_.setPen(QPen(ToQColor(PaletteColour(code)), 1));
            penCode_ = code;
            havePen_ = true;
        }
        const QPoint at(x, y);
        if (pointDraw) {
            p_.setBrush(Qt::black);
            p_.drawEllipse(QRect(x - 2, y - 2, 4, 4));
            p_.setBrush(Qt::NoBrush);
        } else if (blank || !have_) {
            if (blank)
                p_.drawEllipse(QRect(x - 1, y - 1, 2, 2));
        } else {
            p_.drawLine(pen_, at);
        }
        pen_ = at;
        have_ = true;
    }

private:
    QPainter p_;
    QPoint pen_;
    bool have_ = false;
    std::uint8_t penCode_ = 0;
    bool havePen_ = false;
};

// Mirrors, the output angle, offsets added, size and clamp: what a drawing or
// ILDA point goes through, with the turn given as a function.
template <class Turn>
void Place(double x, double y, const OutputGeometry& g, const Turn& turn, std::int32_t& outX, std::int32_t& outY)
{
    if (g.mirrorX)
        x = 255 - x;
    if (g.mirrorY)
        y = 255 - y;
    turn(x, y);
    x = g.offsetX + x;
    y = g.offsetY + y;
    outX = std::clamp(ApplySizeX(TruncToInt(x), g.sizeX), 0, 255);
    outY = std::clamp(ApplySizeY(TruncToInt(y), g.sizeY), 0, 255);
}

// An ILDA point in the drawing's square: (x + 128, 255 - (y + 128)).
double IldaX(const LaserPoint& p) { return p.x + 128; }
double IldaY(const LaserPoint& p) { return 255 - (p.y + 128); }

OutputGeometry Unmirrored(OutputGeometry g)
{
    g.mirrorX = false;
    g.mirrorY = false;
    return g;
}

void MirrorSectionPoint(const OutputGeometry& g, std::int32_t& x, std::int32_t& y)
{
    if (g.mirrorX)
        x = 255 - x;
    if (g.mirrorY)
        y = 255 - y;
}

constexpr auto kRelaxed = std::memory_order_relaxed;

}  // namespace

// The per-point reference forms: the output angle's sine and cosine taken for every point.
void MapPreviewDrawingPoint(const LaserPoint& p, const OutputGeometry& g, std::int32_t& x, std::int32_t& y)
{
    Place(p.x, p.y, g, [&](double& px, double& py) { RotateByAngle(g.outputAngle, px, py); }, x, y);
}

void MapPreviewIldaPoint(const LaserPoint& p, const OutputGeometry& g, std::int32_t& x, std::int32_t& y)
{
    Place(IldaX(p), IldaY(p), g, [&](double& px, double& py) { RotateByAngle(g.outputAngle, px, py); }, x, y);
}

void MapPreviewSectionPoint(const LaserPoint& p, const TSectionRecord& row, const EffectPhases& phases,
                            const OutputGeometry& g, std::int32_t& x, std::int32_t& y)
{
    TransformPointReference(kSectionRowPreview, ParametersOf(row), phases, Unmirrored(g), p, x, y);
    MirrorSectionPoint(g, x, y);
}

int RenderSequencePreview(QImage& image, const SequencePreviewInput& in)
{
    image.fill(Qt::black);
    if (!in.sequence || !in.states)
        return 0;
    PreviewPen pen(image);
    // The output angle's sine and cosine once per picture: the same points as RotateByAngle.
    const PreparedRotation rotation(in.geometry.outputAngle);
    const auto turn = [&rotation](double& x, double& y) { rotation.Apply(x, y); };
    PointTransform rowTransform;
    int drawn = 0;
    for (int t = 0; t < kTrackCount; ++t) {
        if (!in.running[t])
            continue;
        const TrackState& state = (*in.states)[t];
        const auto& items = TrackOf(*in.sequence, t);
        const std::int32_t cycle = state.TrackColourCycle.load(kRelaxed);
        std::int32_t r = cycle;
        const std::int32_t index = state.TrackItemIndex.load(kRelaxed);
        if (index < 0 || std::size_t(index) >= items.size())
            continue;
        const TSequenceRecord& item = items[std::size_t(index)];
        auto draw = [&](const LaserPoint& p, std::int32_t x, std::int32_t y, std::int32_t sectionK, bool rowO) {
            const std::uint8_t code =
                SequenceColourCode(in.colourMode, DeviceColourCode(p.colour), cycle, r % 7, sectionK);
            pen.Point(x, y, code, p.blank != 0, in.pointDraw || rowO);
            ++r;
            ++drawn;
        };
        switch (KindOf(item.FileName)) {
        case TrackItemKind::Drawing:
            for (const Path& path : item.Paths)
                for (const auto& p : path) {
                    std::int32_t x = 0, y = 0;
                    Place(p->x, p->y, in.geometry, turn, x, y);
                    draw(*p, x, y, -1, false);
                }
            break;
        case TrackItemKind::IldaImage: {
            const std::int32_t f = state.TrackFrameIndex.load(kRelaxed);
            if (f < 0 || std::size_t(f) >= item.IldaImage->Frames.size())
                break;
            for (const auto& p : item.IldaImage->Frames[std::size_t(f)].Points) {
                std::int32_t x = 0, y = 0;
                Place(IldaX(*p), IldaY(*p), in.geometry, turn, x, y);
                draw(*p, x, y, -1, false);
            }
            break;
        }
        case TrackItemKind::Section: {
            const std::int32_t rowIndex = state.TrackRowIndex.load(kRelaxed);
            if (rowIndex < 0 || std::size_t(rowIndex) >= item.Sections.size())
                break;
            const TSectionRecord& row = item.Sections[std::size_t(rowIndex)];
            const EffectPhases phases = state.Phases();
            // Prepared once per row and picture: the per-point steps give the same points.
            rowTransform.Prepare(kSectionRowPreview, ParametersOf(row), phases, Unmirrored(in.geometry));
            const std::int64_t limit = std::int64_t{phases.SectionSlowDrawPrefix} + 1;
            std::int64_t count = 0;
            for (const Path& path : row.Paths) {
                for (const auto& p : path) {
                    if (count >= limit)
                        break;
                    std::int32_t x = 0, y = 0;
                    rowTransform.Apply(*p, x, y);
                    MirrorSectionPoint(in.geometry, x, y);
                    draw(*p, x, y, row.K, row.O != 0);
                    ++count;
                }
                if (count >= limit)
                    break;
            }
            break;
        }
        case TrackItemKind::Other:
            break;
        }
    }
    return drawn;
}

SequenceEndAction EndOfSequence(bool drewThisTick, bool loopPlay)
{
    SequenceEndAction a;
    a.endMusic = drewThisTick || !loopPlay;
    a.stop = !loopPlay;
    return a;
}
