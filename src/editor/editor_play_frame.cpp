#include "editor/editor_play_frame.h"

#include "model/effect_steps.h"
#include "model/gdi_canvas.h"
#include "model/palette.h"
#include "model/screen_colour.h"
#include "model/trunc_to_int.h"
#include "output/fan_out.h"
#include "output/play_state.h"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

std::int32_t Clamp255(std::int32_t v) { return std::clamp(v, 0, 255); }

PlayPoint PlayPointOf(const LaserPoint& p, std::int32_t x, std::int32_t y)
{
    return {Clamp255(x), Clamp255(y), p.z, DeviceColourCode(p.colour), p.colour, std::uint8_t(p.blank ? 1 : 0)};
}

double ClampDouble255(double v) { return v < 0.0 ? 0.0 : (v > 255.0 ? 255.0 : v); }

constexpr std::uint32_t kWhite = 0x00FFFFFFu;

// The output angle turned into its cosine and sine once for a frame, since the
// angle is fixed for every point of it. A turned point is only ever used
// truncated to a whole number, so it is worked in double, and in long double
// (the prepared rotation, RotateByAngle's arithmetic term for term) only where the two could
// truncate apart: within a millionth of a whole number. Every point thus lands
// on the byte it always did.
class FrameTurn {
public:
    explicit FrameTurn(std::int32_t degrees) noexcept
        : turns_(degrees != 0)  // a zero angle leaves every point where it is
        , exact_(degrees)
        , fast_{double(exact_.c), double(exact_.s), double(exact_.kc), double(exact_.ks)}
    {
    }

    /// (x, y) turned about (128, 128); exact in its whole part.
    void Apply(double& x, double& y) const noexcept
    {
        if (!turns_ || (x == 128 && y == 128))
            return;
        const double tx = (fast_.c * x - fast_.s * y) + fast_.cosTerm + fast_.sinTerm;
        const double ty = (fast_.s * x + fast_.c * y) + fast_.cosTerm - fast_.sinTerm;
        if (!NearWhole(tx) && !NearWhole(ty)) {
            x = tx;
            y = ty;
            return;
        }
        exact_.Apply(x, y);
    }

private:
    // Near the frame the double and long-double forms differ by far less than
    // the margin; far outside it the double form is not trusted at all.
    static constexpr double kMargin = 1e-6;
    static constexpr double kNear = 65536;

    static bool NearWhole(double v) noexcept
    {
        if (!(std::abs(v) < kNear))
            return true;
        const double fraction = std::abs(v - static_cast<double>(static_cast<std::int64_t>(v)));
        return fraction < kMargin || fraction > 1 - kMargin;
    }

    struct Fast {
        double c = 1;
        double s = 0;
        double cosTerm = 0;
        double sinTerm = 0;
    };
    bool turns_ = false;
    PreparedRotation exact_;
    Fast fast_;
};

// Mirrors, rotation, offsets and size applied to (x, y), clamped to 0..255.
void ApplyTransform(const OutputTransform& t, const FrameTurn& turn, double& x, double& y) noexcept
{
    if (t.mirrorX)
        x = 255 - x;
    if (t.mirrorY)
        y = 255 - y;
    turn.Apply(x, y);
    x -= t.offsetX;
    y -= t.offsetY;
    x = ApplySizeX(TruncToInt(x), t.sizeX);
    y = ApplySizeY(TruncToInt(y), t.sizeY);
    x = ClampDouble255(x);
    y = ClampDouble255(y);
}

DevicePoint DevicePointOf(const PlayPoint& p, const OutputTransform& t, const FrameTurn& turn, PlayAxis axis) noexcept
{
    double x = 255 - p.x;
    double y = axis == PlayAxis::DrawingDown ? 255 - p.y : p.y;
    ApplyTransform(t, turn, x, y);
    return MakeDevicePoint(x, y, p.code, p.blank, p.z);
}

bool AppendPath(FramePacket& frame, const PlayPath& path, const OutputTransform& t, const FrameTurn& turn,
                PlayAxis axis)
{
    for (const PlayPoint& p : path) {
        if (!frame.Append(DevicePointOf(p, t, turn, axis)))
            return false;
    }
    return true;
}

}  // namespace

PlayList MakeIldaPlayList(const TILDAimage& image)
{
    PlayList list;
    list.reserve(image.Frames.size());
    for (const TILDAframe& frame : image.Frames) {
        PlayPath path;
        path.reserve(frame.Points.size());
        for (const auto& p : frame.Points)
            if (p->mark != kMarkErased)
                path.push_back(PlayPointOf(*p, p->x + 128, p->y + 128));
        list.push_back(std::move(path));
    }
    return list;
}

PlayList MakeDrawingPlayList(const Drawing& drawing)
{
    PlayList list;
    list.reserve(drawing.size());
    for (const Path& source : drawing) {
        PlayPath path;
        path.reserve(source.size());
        for (const auto& p : source)
            if (p->mark != kMarkErased)
                path.push_back(PlayPointOf(*p, p->x / 2, p->y / 2));
        list.push_back(std::move(path));
    }
    return list;
}

std::size_t PlayPointCount(const PlayList& list)
{
    std::size_t n = 0;
    for (const PlayPath& path : list)
        n += path.size();
    return n;
}

OutputTransform OutputTransform::Current()
{
    constexpr auto r = std::memory_order_relaxed;
    OutputTransform t;
    t.mirrorX = MirrorX.load(r) != 0;
    t.mirrorY = MirrorY.load(r) != 0;
    t.angle = OutputAngle.load(r);
    t.offsetX = OffsetX.load(r);
    t.offsetY = OffsetY.load(r);
    t.sizeX = SizeX.load(r);
    t.sizeY = SizeY.load(r);
    return t;
}

DevicePoint DevicePointOf(const PlayPoint& p, const OutputTransform& t, PlayAxis axis) noexcept
{
    return DevicePointOf(p, t, FrameTurn(t.angle), axis);
}

bool AppendPlayPath(FramePacket& frame, const PlayPath& path, const OutputTransform& t, PlayAxis axis)
{
    return AppendPath(frame, path, t, FrameTurn(t.angle), axis);
}

int SendPlayFrame(FramePacket& frame, const PlayPath& path, const OutputTransform& t)
{
    frame.Clear();
    AppendPath(frame, path, t, FrameTurn(t.angle), PlayAxis::IldaUp);
    return SendFrame(frame);
}

int SendDrawingPlayFrame(FramePacket& frame, const PlayList& list, const OutputTransform& t)
{
    frame.Clear();
    const FrameTurn turn(t.angle);
    for (const PlayPath& path : list) {
        if (!AppendPath(frame, path, t, turn, PlayAxis::DrawingDown))
            break;
        if (StopRequested.load(std::memory_order_relaxed))
            return 0;
    }
    return SendFrame(frame);
}

namespace {

// Moves to blanked points (ringed), lines to the others; `flipY` turns y up the screen.
void DrawPlayPath(GdiCanvas& canvas, const PlayPath& path, const OutputTransform& t, bool flipY, bool byCode)
{
    const FrameTurn turn(t.angle);
    for (const PlayPoint& p : path) {
        double x = p.x;
        double y = flipY ? 255 - p.y : p.y;
        ApplyTransform(t, turn, x, y);
        const int px = TruncToInt(x);
        const int py = TruncToInt(y);
        canvas.SetPenColour(PaletteColour(byCode ? p.code : p.palette));
        if (p.blank) {
            canvas.MoveTo(px, py);
            canvas.SetHollowBrush();
            canvas.Ellipse(px - 1, py - 1, px + 1, py + 1);
        } else {
            canvas.LineTo(px, py);
        }
    }
}

}  // namespace

QImage DrawIldaPreview(const PlayPath& path, int frameIndex, const OutputTransform& t)
{
    QImage bitmap(256, 256, QImage::Format_RGB32);
    bitmap.fill(Qt::black);
    {
        GdiCanvas canvas(bitmap);
        DrawPlayPath(canvas, path, t, true, false);
    }
    QPainter painter(&bitmap);
    QFont font = painter.font();
    font.setPointSize(5);
    painter.setFont(font);
    painter.setPen(ToQColor(kWhite));
    painter.drawText(QRect(0, 0, 256, 20), Qt::AlignLeft | Qt::AlignTop, QString::number(frameIndex + 1));
    return bitmap;
}

void DrawDrawingPreview(QImage& bitmap, const PlayList& list, const OutputTransform& t)
{
    GdiCanvas canvas(bitmap);
    for (const PlayPath& path : list)
        DrawPlayPath(canvas, path, t, false, true);
}
