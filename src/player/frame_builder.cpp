#include "player/frame_builder.h"

#include "output/play_state.h"

#include <utility>

namespace {
constexpr auto kRelaxed = std::memory_order_relaxed;

bool SameGeometry(const OutputGeometry& a, const OutputGeometry& b)
{
    return a.mirrorX == b.mirrorX && a.mirrorY == b.mirrorY && a.offsetX == b.offsetX && a.offsetY == b.offsetY &&
           a.outputAngle == b.outputAngle && a.sizeX == b.sizeX && a.sizeY == b.sizeY;
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

std::int32_t TotalOf(const Drawing& d)
{
    const std::size_t n = PointTotal(d);
    return n > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<std::int32_t>(n);
}
}  // namespace

FrameBuilder::FrameBuilder(const LoopOptions& options, ParameterFeed feed, PublishedAnimation* publish)
    : options_(options)
    , feed_(std::move(feed))
    , publish_(publish)
{
}

void FrameBuilder::StartLoop()
{
    counters_ = {};
}

void FrameBuilder::StartRun(const Drawing& source, bool keepPrefix, std::int32_t lastPrefix)
{
    phases_ = {};
    phases_.SectionPointTotal = TotalOf(source);
    phases_.SectionSlowDrawPrefix = keepPrefix ? lastPrefix : phases_.SectionPointTotal;
    counters_.pointSub = 0;
    counters_.stepCounter = 0;
    if (publish_)
        publish_->Store(phases_);
}

void FrameBuilder::SetPointTotal(const Drawing& source)
{
    phases_.SectionPointTotal = TotalOf(source);
    if (publish_)
        publish_->Store(phases_);
}

void FrameBuilder::ResetChangeCheck(bool withQR)
{
    checkQR_ = withQR;
    lastGeometry_ = CurrentOutputGeometry();
    StoreLastSeen(lastGeometry_);
    if (withQR && feed_) {
        const EffectParameters p = feed_();
        LastSectionQ = p.Q;
        LastSectionR = p.R;
    }
    FrameChanged.store(0, kRelaxed);
}

void FrameBuilder::ChangeCheck()
{
    const OutputGeometry now = CurrentOutputGeometry();
    bool changed = !SameGeometry(now, lastGeometry_);
    std::int32_t q = LastSectionQ, r = LastSectionR;
    if (checkQR_ && feed_) {
        const EffectParameters p = feed_();
        q = p.Q;
        r = p.R;
        changed = changed || q != LastSectionQ || r != LastSectionR;
    }
    if (!changed)
        return;
    lastGeometry_ = now;
    LastSectionQ = q;
    LastSectionR = r;
    StoreLastSeen(now);
    FrameChanged.store(1, kRelaxed);
}

void FrameBuilder::Refresh()
{
    if (feed_)
        params_ = feed_();
    transform_.Prepare(options_, params_, phases_, geometry_);
}

bool FrameBuilder::CountTick(RowPlayTime& time, bool frozen)
{
    if (time.tick && time.tick->load(kRelaxed) != 0 && !frozen) {
        if (++time.elapsed > time.A)
            return true;
    }
    return false;
}

FrameEnd FrameBuilder::BuildFrame(const Drawing& source, RowPlayTime* time, bool stopBeforePath)
{
    packet_.Clear();
    geometry_ = CurrentOutputGeometry();
    Refresh();
    if (params_.D < 1)
        phases_.SectionSlowDrawPrefix = phases_.SectionPointTotal;
    std::int32_t rnd3 = phases_.SectionColourCycle;
    std::int32_t count = 0;

    if (time && phases_.SectionPointTotal == 0) {
        // No point to count time at: sample the tick once per frame so the row still ends.
        const bool frozen = FreezePlay.load(kRelaxed) != 0;
        if (CountTick(*time, frozen))
            return FrameEnd::RowOver;
        if (time->tick)
            time->tick->store(0, kRelaxed);
        return FrameEnd::Complete;
    }

    for (const Path& path : source) {
        if (stopBeforePath && StopRequested.load(kRelaxed) != 0)
            return FrameEnd::Stopped;
        for (const auto& point : path) {
            const bool frozen = FreezePlay.load(kRelaxed) != 0;
            if (time) {
                if (CountTick(*time, frozen))
                    return FrameEnd::RowOver;
            }
            if (!frozen && AnimationTick(phases_, counters_, params_, options_.wrap)) {
                FrameChanged.store(1, kRelaxed);
                Refresh();
                if (publish_)
                    publish_->Store(phases_);
            }
            if (time && time->tick)
                time->tick->store(0, kRelaxed);
            if (params_.D > 0 && count > phases_.SectionSlowDrawPrefix)
                return FrameEnd::Complete;
            if (packet_.Full())
                return FrameEnd::Complete;
            DevicePoint out;
            std::int32_t x = 0, y = 0;
            transform_.Apply(*point, x, y);
            out.x = static_cast<std::uint8_t>(x);
            out.y = static_cast<std::uint8_t>(y);
            out.colour = ColourCode(params_.K, point->colour, phases_.SectionColourCycle, rnd3 % 7, options_.colours);
            out.flags = PointFlags(params_.O, point->blank, point->z);
            packet_.Append(out);
            ++count;
            ++rnd3;
        }
    }
    return FrameEnd::Complete;
}
