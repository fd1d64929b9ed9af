#include "player/section_loops.h"

#include "model/palette.h"
#include "output/fan_out.h"
#include "output/play_state.h"
#include "player/frame_builder.h"

#include <algorithm>

namespace {
constexpr auto kRelaxed = std::memory_order_relaxed;

bool Stopped()
{
    return StopRequested.load(kRelaxed) != 0;
}

DeviceSettingsPacket RowSettings(const TSectionRecord& row)
{
    return {static_cast<std::uint8_t>(100 - std::int64_t{row.P}), PortSelection.load(kRelaxed)};
}
}  // namespace

void PlaySectionLoop(const SectionPlayList& rows, SectionLoopContext& context)
{
    std::size_t current = 0;
    FrameBuilder builder(
        kSectionRowOptions,
        [&rows, &current, &live = context.live] { return live.ForRow(rows[current]); },
        &context.animation);
    builder.ResetChangeCheck(false);
    context.sink.SendSettings(CurrentDeviceSettings());
    builder.StartLoop();

    for (;;) {
        if (rows.empty()) {
            // Nothing to send: wait a tick per pass instead of spinning.
            if (LoopPlay.load(kRelaxed) == 0 || Stopped())
                return;
            context.sink.Idle();
            continue;
        }
        bool sent = false;
        for (current = 0; current < rows.size() && !Stopped(); ++current) {
            const TSectionRecord& row = rows[current];
            builder.StartRun(row.Paths);
            context.animation.SectionRowIndex.store(static_cast<std::int32_t>(current), kRelaxed);
            FrameChanged.store(1, kRelaxed);
            // The tick that ended the previous row is spent: a row of play time 0
            // would otherwise end at its first point, and a loop of such rows spin.
            context.tick.store(0, kRelaxed);
            RowPlayTime time{&context.tick, row.A, 0};
            while (!Stopped()) {
                builder.ChangeCheck();
                if (builder.BuildFrame(row.Paths, &time, false) == FrameEnd::RowOver)
                    break;
                context.sink.SendFrame(RowSettings(row), builder.Packet());
                sent = true;
            }
        }
        if (LoopPlay.load(kRelaxed) == 0 || Stopped())
            return;
        // Ticks that came faster than any row's first frame: wait rather than spin.
        if (!sent)
            context.sink.Idle();
    }
}

void PlaySectionDrawingLoop(const Drawing& drawing, SectionLoopContext& context)
{
    const LiveParameters& live = context.live;
    FrameBuilder builder(kSectionDrawingOptions, [&live] { return live.Snapshot(); }, &context.animation);
    builder.ResetChangeCheck(true);
    context.sink.SendSettings(CurrentDeviceSettings());
    builder.StartLoop();
    // With SlowDraw on, the figure goes on drawing itself from where the last play left it.
    const bool keepPrefix = live.D.load(kRelaxed) >= 1;
    builder.StartRun(drawing, keepPrefix,
                     std::clamp<std::int32_t>(context.animation.SectionSlowDrawPrefix.load(kRelaxed), 0,
                                              static_cast<std::int32_t>(std::min<std::size_t>(PointTotal(drawing), 0x7FFFFFFF))));
    while (!Stopped()) {
        builder.ChangeCheck();
        builder.BuildFrame(drawing, nullptr, true);
        context.sink.SendFrame(CurrentDeviceSettings(), builder.Packet());
    }
}

Drawing PrepareSectionDrawing(const Drawing& listDrawing)
{
    Drawing out;
    out.reserve(listDrawing.size());
    for (const Path& path : listDrawing) {
        Path copy;
        copy.reserve(path.size());
        for (const auto& p : path) {
            if (p->mark == kMarkErased)
                continue;
            auto q = std::make_unique<LaserPoint>();
            q->x = std::clamp(p->x, 0, 255);
            q->y = std::clamp(p->y, 0, 255);
            q->z = p->z;
            q->colour = DeviceColourCode(p->colour);
            // The palette index rides along for the preview's pen; nothing deletes by this mark.
            q->mark = p->colour;
            q->blank = p->blank != 0 ? 1 : 0;
            copy.push_back(std::move(q));
        }
        out.push_back(std::move(copy));
    }
    return out;
}
