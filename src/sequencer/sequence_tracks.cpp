#include "sequencer/sequence_tracks.h"

#include "model/effect_steps.h"
#include "model/palette.h"
#include "model/trunc_to_int.h"
#include "output/fan_out.h"

#include <algorithm>

namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;

bool Stopped()
{
    return StopRequested.load(kRelaxed) != 0;
}

bool Frozen()
{
    return FreezePlay.load(kRelaxed) != 0;
}

// Counting time: a raised time tick is consumed and, unless frozen, adds one tick to the item.
void CountTime(TrackContext& c)
{
    if (TrackTimeTick[c.track].exchange(0, kRelaxed) != 0 && !Frozen())
        c.state.TrackElapsed.fetch_add(1, kRelaxed);
}

bool ItemTimeOver(const TrackContext& c, std::int32_t playTime)
{
    return c.state.TrackElapsed.load(kRelaxed) > playTime;
}

// A raised frame tick is consumed; true when it counts (not frozen).
bool TakeFrameTick(const TrackContext& c)
{
    return TrackFrameTick[c.track].exchange(0, kRelaxed) != 0 && !Frozen();
}

// The colour cycle of the drawing and ILDA players: one cycle step after
// every (40 - N + 1) x 11 points.
void AdvanceColourCycle(TrackContext& c, std::int32_t& pointCount, std::int32_t& stepCount)
{
    if (Frozen())
        return;
    if (pointCount > 10) {
        pointCount = 0;
        ++stepCount;
        if (stepCount > 40 - std::int64_t{c.controls.SequenceColorSpeed.load(kRelaxed)}) {
            stepCount = 0;
            c.state.TrackColourCycle.store((c.state.TrackColourCycle.load(kRelaxed) + 1) % 7, kRelaxed);
            FrameChanged.store(1, kRelaxed);
        }
    }
    ++pointCount;
}

DeviceSettingsPacket SpeedSettings()
{
    return {SendSpeedByte.load(kRelaxed), PortSelection.load(kRelaxed)};
}

void StoreLastSeen(const OutputGeometry& g)
{
    LastOffsetX.store(g.offsetX, kRelaxed);
    LastOffsetY.store(g.offsetY, kRelaxed);
    LastSizeX.store(g.sizeX, kRelaxed);
    LastSizeY.store(g.sizeY, kRelaxed);
    LastOutputAngle.store(g.outputAngle, kRelaxed);
    LastMirrorX.store(g.mirrorX ? 1 : 0, kRelaxed);
    LastMirrorY.store(g.mirrorY ? 1 : 0, kRelaxed);
}

void PublishPhases(TrackState& s, const EffectPhases& p)
{
    s.TrackRotationPhase.store(p.SectionRotationPhase, kRelaxed);
    s.TrackHStretchPhase.store(p.SectionHStretchPhase, kRelaxed);
    s.TrackVStretchPhase.store(p.SectionVStretchPhase, kRelaxed);
    s.TrackHRotatePhase.store(p.SectionHRotatePhase, kRelaxed);
    s.TrackVRotatePhase.store(p.SectionVRotatePhase, kRelaxed);
    s.TrackHBouncePhase.store(p.SectionHBouncePhase, kRelaxed);
    s.TrackVBouncePhase.store(p.SectionVBouncePhase, kRelaxed);
    s.TrackColourCycle.store(p.SectionColourCycle, kRelaxed);
    s.TrackSlowDrawPrefix.store(p.SectionSlowDrawPrefix, kRelaxed);
}

std::int32_t Total(const Drawing& d)
{
    const std::size_t n = PointTotal(d);
    return n > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<std::int32_t>(n);
}

// Appends a drawing or ILDA point mapped, coloured and flagged.
void AppendPlain(TrackContext& c, FramePacket& packet, const LaserPoint& p, bool ilda, const OutputGeometry& g,
                 std::int32_t r)
{
    std::int32_t sx = 0, sy = 0;
    if (ilda)
        IldaSource(p, sx, sy);
    else
        DrawingSource(p, sx, sy);
    std::int32_t x = 0, y = 0;
    MapTrackPoint(sx, sy, g, x, y);
    DevicePoint out;
    out.x = static_cast<std::uint8_t>(x);
    out.y = static_cast<std::uint8_t>(y);
    out.colour = SequenceColourCode(c.controls.SequenceColorMode.load(kRelaxed), DeviceColourCode(p.colour),
                                    c.state.TrackColourCycle.load(kRelaxed), r % 7);
    out.flags = SequencePointFlags(c.controls.SequencePointDraw.load(kRelaxed) != 0, p.blank, p.z);
    packet.Append(out);
}

// One frame buffer per track thread, allocated once.
FramePacket& PacketOf(int track)
{
    thread_local FramePacket packet;
    (void)track;
    return packet;
}

}  // namespace

EffectPhases TrackState::Phases() const
{
    EffectPhases p;
    p.SectionRotationPhase = TrackRotationPhase.load(kRelaxed);
    p.SectionHStretchPhase = TrackHStretchPhase.load(kRelaxed);
    p.SectionVStretchPhase = TrackVStretchPhase.load(kRelaxed);
    p.SectionHRotatePhase = TrackHRotatePhase.load(kRelaxed);
    p.SectionVRotatePhase = TrackVRotatePhase.load(kRelaxed);
    p.SectionHBouncePhase = TrackHBouncePhase.load(kRelaxed);
    p.SectionVBouncePhase = TrackVBouncePhase.load(kRelaxed);
    p.SectionColourCycle = TrackColourCycle.load(kRelaxed);
    p.SectionPointTotal = TrackRowPointTotal.load(kRelaxed);
    p.SectionSlowDrawPrefix = TrackSlowDrawPrefix.load(kRelaxed);
    return p;
}

TrackItemKind KindOf(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0)
        return TrackItemKind::Other;
    const QString ext = fileName.mid(dot).toLower();
    if (ext == QLatin1String(".ddr"))
        return TrackItemKind::Drawing;
    if (ext == QLatin1String(".ild"))
        return TrackItemKind::IldaImage;
    if (ext == QLatin1String(".sec"))
        return TrackItemKind::Section;
    return TrackItemKind::Other;
}

std::uint8_t SequenceColourCode(std::int32_t M, std::uint8_t c, std::int32_t cycle, std::int32_t r,
                                std::int32_t sectionK)
{
    if (c == 0)
        return 0;
    std::int32_t mode = M;
    if (M == kColourAuto && sectionK >= 0) {
        if (sectionK < kColourAuto)
            return DeviceColourCode(static_cast<std::uint8_t>(sectionK));
        mode = sectionK;
    }
    // The sequence's points already hold device codes.
    return ColourCode(mode, c, cycle, r, ColourSource::DeviceCode);
}

std::uint8_t SequencePointFlags(bool pointDraw, std::uint8_t blank, std::int32_t z)
{
    std::uint8_t flags = (pointDraw || blank != 0) ? kPointFlagBlank : 0;
    if (z > 1)
        flags += kPointFlagVertex;
    return flags;
}

void MapTrackPoint(std::int32_t sourceX, std::int32_t sourceY, const OutputGeometry& g, std::int32_t& outX,
                   std::int32_t& outY)
{
    double x = sourceX;
    double y = sourceY;
    if (g.mirrorX)
        x = 255 - x;
    if (g.mirrorY)
        y = 255 - y;
    RotateByAngle(g.outputAngle, x, y);
    x -= g.offsetX;
    y -= g.offsetY;
    outX = std::clamp(ApplySizeX(TruncToInt(x), g.sizeX), 0, 255);
    outY = std::clamp(ApplySizeY(TruncToInt(y), g.sizeY), 0, 255);
}

std::int32_t ClampedIldaFrameInterval()
{
    return std::clamp<std::int32_t>(IldaFrameInterval.load(kRelaxed), 2, 200);
}

void SequenceSettingsCheck()
{
    const OutputGeometry g = CurrentOutputGeometry();
    const bool same = g.offsetX == LastOffsetX.load(kRelaxed) && g.offsetY == LastOffsetY.load(kRelaxed) &&
                      g.sizeX == LastSizeX.load(kRelaxed) && g.sizeY == LastSizeY.load(kRelaxed) &&
                      g.outputAngle == LastOutputAngle.load(kRelaxed) &&
                      g.mirrorX == (LastMirrorX.load(kRelaxed) != 0) && g.mirrorY == (LastMirrorY.load(kRelaxed) != 0);
    if (same)
        return;
    StoreLastSeen(g);
    FrameChanged.store(1, kRelaxed);
}

void PlayTrackDrawing(const Drawing& paths, std::int32_t /*playTime*/, TrackContext& c)
{
    SequenceSettingsCheck();
    CountTime(c);
    FramePacket& packet = PacketOf(c.track);
    packet.Clear();
    const OutputGeometry g = CurrentOutputGeometry();
    std::int32_t r = c.state.TrackColourCycle.load(kRelaxed);
    for (const Path& path : paths) {
        if (Stopped())
            break;
        for (const auto& p : path) {
            CountTime(c);
            AdvanceColourCycle(c, c.state.DrawingPointCount, c.state.DrawingStepCount);
            AppendPlain(c, packet, *p, false, g, r);
            ++r;
        }
    }
    ++c.framesSent;
    c.sink.SendFrame(SpeedSettings(), packet);
}

void PlayTrackIldImage(const TILDAimage& image, std::int32_t playTime, TrackContext& c)
{
    c.state.TrackColourCycle.store(0, kRelaxed);
    CountTime(c);
    FramePacket& packet = PacketOf(c.track);
    for (std::size_t f = 0; f < image.Frames.size(); ++f) {
        CountTime(c);
        if (ItemTimeOver(c, playTime) || Stopped())
            return;
        c.state.TrackFrameIndex.store(static_cast<std::int32_t>(f), kRelaxed);
        FrameChanged.store(1, kRelaxed);
        TrackFrameTick[c.track].store(0, kRelaxed);
        std::int32_t hold = 0;
        while (!Stopped()) {
            CountTime(c);
            if (ItemTimeOver(c, playTime))
                return;
            if (TakeFrameTick(c))
                ++hold;
            if (hold > ClampedIldaFrameInterval() - 2)
                break;
            SequenceSettingsCheck();
            packet.Clear();
            const OutputGeometry g = CurrentOutputGeometry();
            std::int32_t r = c.state.TrackColourCycle.load(kRelaxed);
            for (const auto& p : image.Frames[f].Points) {
                CountTime(c);
                AdvanceColourCycle(c, c.state.TrackIldaPointCount, c.state.TrackIldaStepCount);
                AppendPlain(c, packet, *p, true, g, r);
                ++r;
            }
            ++c.framesSent;
            c.sink.SendFrame(DeviceSettingsPacket{0, PortSelection.load(kRelaxed)}, packet);
        }
    }
}

void PlayTrackSection(const std::vector<TSectionRecord>& rows, std::int32_t playTime, TrackContext& c)
{
    CountTime(c);
    FramePacket& packet = PacketOf(c.track);
    PointTransform transform;
    EffectCounters counters;
    for (std::size_t i = 0; i < rows.size() && !Stopped(); ++i) {
        const TSectionRecord& row = rows[i];
        CountTime(c);
        if (ItemTimeOver(c, playTime))
            return;
        const std::int32_t total = Total(row.Paths);
        c.state.TrackRowIndex.store(static_cast<std::int32_t>(i), kRelaxed);
        c.state.TrackRowPointTotal.store(total, kRelaxed);
        EffectPhases phases;
        phases.SectionPointTotal = total;
        phases.SectionSlowDrawPrefix = total;
        PublishPhases(c.state, phases);
        FrameChanged.store(1, kRelaxed);
        counters.pointSub = 0;
        counters.stepCounter = 0;
        std::int32_t rowTicks = 0;

        while (!Stopped() && rowTicks < row.A) {
            CountTime(c);
            if (ItemTimeOver(c, playTime))
                return;
            SequenceSettingsCheck();
            const std::int32_t M = c.controls.SequenceColorMode.load(kRelaxed);
            EffectParameters params = ParametersOf(row);
            params.N = M == kColourAuto ? row.N : c.controls.SequenceColorSpeed.load(kRelaxed);
            const bool pointDraw = c.controls.SequencePointDraw.load(kRelaxed) != 0 || row.O != 0;
            if (params.D < 1) {
                phases.SectionSlowDrawPrefix = total;
                c.state.TrackSlowDrawPrefix.store(total, kRelaxed);
            }
            transform.Prepare(kSectionRowOptions, params, phases, CurrentOutputGeometry());
            std::int32_t r = phases.SectionColourCycle;
            std::int32_t sent = 0;
            packet.Clear();
            if (total == 0 && TakeFrameTick(c))
                ++rowTicks;  // an empty row still ends after its time
            bool passOver = false;
            for (const Path& path : row.Paths) {
                if (passOver || rowTicks > row.A)
                    break;
                for (const auto& p : path) {
                    CountTime(c);
                    if (TakeFrameTick(c))
                        ++rowTicks;
                    if (!Frozen()) {
                        counters.ColourStepCounter = c.state.TrackColourStepCount;
                        if (AnimationTick(phases, counters, params, PhaseWrap::Modulo510)) {
                            PublishPhases(c.state, phases);
                            FrameChanged.store(1, kRelaxed);
                            transform.Prepare(kSectionRowOptions, params, phases, CurrentOutputGeometry());
                        }
                        c.state.TrackColourStepCount = counters.ColourStepCounter;
                    }
                    if (rowTicks > row.A || (params.D > 0 && sent > phases.SectionSlowDrawPrefix)) {
                        passOver = true;
                        break;
                    }
                    std::int32_t x = 0, y = 0;
                    transform.Apply(*p, x, y);
                    DevicePoint out;
                    out.x = static_cast<std::uint8_t>(x);
                    out.y = static_cast<std::uint8_t>(y);
                    out.colour = SequenceColourCode(M, DeviceColourCode(p->colour), phases.SectionColourCycle, r % 7, row.K);
                    out.flags = SequencePointFlags(pointDraw, p->blank, p->z);
                    packet.Append(out);
                    ++sent;
                    ++r;
                }
            }
            ++c.framesSent;
            c.sink.SendFrame(DeviceSettingsPacket{static_cast<std::uint8_t>(100 - std::int64_t{row.P}),
                                                  PortSelection.load(kRelaxed)},
                             packet);
        }
    }
}

void PlayTrack(const std::vector<TSequenceRecord>& items, TrackContext& c)
{
    TrackRunning[c.track].store(1, kRelaxed);
    SequencePlaying.store(1, kRelaxed);
    StoreLastSeen(CurrentOutputGeometry());
    FrameChanged.store(0, kRelaxed);

    for (std::size_t i = 0; i < items.size() && !Stopped(); ++i) {
        const TSequenceRecord& item = items[i];
        c.state.TrackItemIndex.store(static_cast<std::int32_t>(i), kRelaxed);
        const TrackItemKind kind = KindOf(item.FileName);
        FrameChanged.store(1, kRelaxed);
        c.state.TrackElapsed.store(0, kRelaxed);
        c.sink.SendSettings(kind == TrackItemKind::IldaImage
                                ? DeviceSettingsPacket{0, PortSelection.load(kRelaxed)}
                                : SpeedSettings());
        while (c.state.TrackElapsed.load(kRelaxed) < item.PlayTime && !Stopped()) {
            const std::uint64_t before = c.framesSent;
            switch (kind) {
            case TrackItemKind::Drawing:
                PlayTrackDrawing(item.Paths, item.PlayTime, c);
                break;
            case TrackItemKind::IldaImage:
                PlayTrackIldImage(item.IldaImage, item.PlayTime, c);
                break;
            case TrackItemKind::Section:
                PlayTrackSection(item.Sections, item.PlayTime, c);
                break;
            case TrackItemKind::Other:
                CountTime(c);
                break;
            }
            // Nothing to send (another kind, no frames, no rows): wait for the
            // next tick rather than spinning a core.
            if (c.framesSent == before && !Stopped())
                c.sink.Idle();
        }
    }
    TrackRunning[c.track].store(0, kRelaxed);
}
