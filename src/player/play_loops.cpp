#include "player/play_loops.h"

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

std::int32_t Total(const Drawing& d)
{
    return static_cast<std::int32_t>(std::min<std::size_t>(PointTotal(d), 0x7FFFFFFF));
}
}  // namespace

Drawing PrepareIldaFrame(const TILDAframe& frame)
{
    Path path;
    path.reserve(frame.Points.size());
    for (const auto& p : frame.Points) {
        if (p->mark == kMarkErased)
            continue;
        auto q = std::make_unique<LaserPoint>();
        q->x = std::clamp(p->x + 128, 0, 255);
        q->y = 255 - std::clamp(p->y + 128, 0, 255);
        q->z = p->z;
        q->colour = DeviceColourCode(p->colour);
        q->mark = p->colour;
        q->blank = p->blank != 0 ? 1 : 0;
        path.push_back(std::move(q));
    }
    Drawing d;
    d.push_back(std::move(path));
    return d;
}

std::optional<IldaPlayFrames> PrepareIldaPlay(std::shared_ptr<const TILDAimage> image)
{
    if (!image || image->Frames.empty())
        return std::nullopt;
    return IldaPlayFrames(std::move(image));
}

std::optional<IldaPlayFrames> PrepareIldaPlay(const TILDAimage& image)
{
    if (image.Frames.empty())
        return std::nullopt;
    return IldaPlayFrames(std::make_shared<const TILDAimage>(CopyImage(image)));
}

void SettingsOnChange::SendNow(FrameSink& sink)
{
    sent_ = CurrentDeviceSettings();
    sink.SendSettings(sent_);
}

std::optional<DeviceSettingsPacket> SettingsOnChange::Changed()
{
    const DeviceSettingsPacket now = CurrentDeviceSettings();
    if (now == sent_)
        return std::nullopt;
    sent_ = now;
    return now;
}

void PlayDrawingLoop(const Drawing& drawing, PlayLoopContext& context)
{
    const LiveParameters& live = context.live;
    FrameBuilder builder(kPlayLoopOptions, [&live] { return live.Snapshot(); }, &context.animation);
    builder.ResetChangeCheck(false);
    SettingsOnChange settings;
    settings.SendNow(context.sink);
    builder.StartLoop();
    // With SlowDraw on, the figure goes on drawing itself from where the last play left it.
    const bool keepPrefix = live.D.load(kRelaxed) >= 1;
    builder.StartRun(drawing, keepPrefix,
                     std::clamp<std::int32_t>(context.animation.SectionSlowDrawPrefix.load(kRelaxed), 0, Total(drawing)));
    context.animation.SectionRowIndex.store(0, kRelaxed);
    while (!Stopped()) {
        const auto changed = settings.Changed();
        builder.ChangeCheck();
        builder.BuildFrame(drawing, nullptr, true);
        context.sink.SendFrame(changed, builder.Packet());
    }
}

void PlayIldaLoop(const IldaPlayFrames& frames, PlayLoopContext& context)
{
    const LiveParameters& live = context.live;
    FrameBuilder builder(kPlayLoopOptions, [&live] { return live.Snapshot(); }, &context.animation);
    builder.ResetChangeCheck(false);
    SettingsOnChange settings;
    settings.SendNow(context.sink);
    builder.StartLoop();
    builder.StartRun(Drawing{}, true, 0);
    do {
        if (frames.empty()) {
            // Nothing to send: wait a tick per pass instead of spinning.
            context.sink.Idle();
            continue;
        }
        for (std::size_t f = 0; f < frames.size() && !Stopped(); ++f) {
            // Made once per frame, kept while the frame is sent over and over.
            const Drawing frame = frames[f];
            context.animation.SectionRowIndex.store(static_cast<std::int32_t>(f), kRelaxed);
            FrameChanged.store(1, kRelaxed);
            if (const auto changed = settings.Changed())
                context.sink.SendSettings(*changed);
            builder.SetPointTotal(frame);
            while (!Stopped()) {
                // A frame tick ends this frame before it is sent again; a freeze holds it but still takes the tick.
                if (context.tick.exchange(0, kRelaxed) != 0 && FreezePlay.load(kRelaxed) == 0)
                    break;
                builder.ChangeCheck();
                builder.BuildFrame(frame, nullptr, false);
                context.sink.SendFrame(std::nullopt, builder.Packet());
            }
        }
    } while (LoopPlay.load(kRelaxed) != 0 && !Stopped());
}
