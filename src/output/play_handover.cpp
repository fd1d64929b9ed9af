#include "output/play_handover.h"

#include <utility>

namespace {

// The tick flag a play mode's window raises for its loop.
std::atomic<std::uint8_t>* TickFlagOf(std::uint8_t mode)
{
    switch (mode) {
    case kModeEditorIlda:
    case kModeEditorDrawing:
        return &EditorFrameTick;
    case kModeSection:
    case kModeSectionDrawing:
        return &SectionTick;
    case kModePlayDrawing:
    case kModePlayIlda:
    case kModePlayTextHorizontal:
    case kModePlayTextVertical:
        return &PlayFrameTick;
    default:
        return nullptr;
    }
}

}  // namespace

PlayHandOver::PlayHandOver(std::chrono::milliseconds joinBound, QObject* parent)
    : QObject(parent)
    , joinBound_(joinBound)
{
}

PlayHandOver::~PlayHandOver()
{
    // Workers may read lists their windows free next: wait for them whatever it takes.
    StopRequested.store(1, std::memory_order_relaxed);
    playThread_.reset();
    for (auto& track : trackThreads_)
        track.reset();
}

void PlayHandOver::setPlayLoop(std::uint8_t mode, PlayLoop loop)
{
    if (mode > kModeNone && mode < kPlayModeCount)
        playLoops_[mode] = std::move(loop);
}

void PlayHandOver::setTrackLoop(std::uint8_t track, PlayLoop loop)
{
    if (track >= 1 && track <= kTrackCount)
        trackLoops_[track - 1] = std::move(loop);
}

void PlayHandOver::setEndMusic(std::function<void()> endMusic)
{
    endMusic_ = std::move(endMusic);
}

bool PlayHandOver::anyWorker() const
{
    if (playThread_)
        return true;
    for (const auto& track : trackThreads_)
        if (track)
            return true;
    return false;
}

bool PlayHandOver::stopAll()
{
    return stopAndJoin();
}

bool PlayHandOver::stopAndJoin(MusicAtStart music)
{
    StopRequested.store(1, std::memory_order_relaxed);
    if (endMusic_ && music == MusicAtStart::End)
        endMusic_();

    // One deadline for all workers: they see the flag at the same time.
    const auto deadline = std::chrono::steady_clock::now() + joinBound_;
    bool allJoined = true;
    auto join = [&](auto& slot) {
        if (!slot)
            return;
        if (slot->worker().waitUntil(deadline))
            slot.reset();
        else
            allJoined = false;
    };
    join(playThread_);
    for (auto& track : trackThreads_)
        join(track);
    return allJoined;
}

PlayLoop PlayHandOver::forThisPlay(const PlayLoop& registered)
{
    PlayLoop loop = registered;
    if (loop.onEnd) {
        // Reports are delivered through this object, so `this` is alive when one runs.
        loop.onEnd = [this, generation = generation_, onEnd = registered.onEnd] {
            if (generation == generation_)
                onEnd();
        };
    }
    return loop;
}

PlayStart PlayHandOver::startPlay(std::uint8_t mode, const Prepare& prepare)
{
    if (!stopAndJoin())
        return {PlayStart::Result::Refused, QString::fromUtf8(kPlayStillRunningText)};
    if (prepare && !prepare())
        return {PlayStart::Result::NotPrepared, {}};

    ++generation_;
    const bool known = mode > kModeNone && mode < kPlayModeCount;
    PlayLoop loop = known ? forThisPlay(playLoops_[mode]) : PlayLoop{};
    if (auto* tick = TickFlagOf(mode))
        tick->store(0, std::memory_order_relaxed);
    // Cleared here rather than by the loop: a stop raised between this start and
    // the loop's first instruction must not be wiped out.
    if (loop.run)
        StopRequested.store(0, std::memory_order_relaxed);
    playThread_ = std::make_unique<mythread>(mode, std::move(loop), this);
    return {};
}

PlayStart PlayHandOver::startTracks(const Prepare& prepare, MusicAtStart music)
{
    if (!stopAndJoin(music))
        return {PlayStart::Result::Refused, QString::fromUtf8(kPlayStillRunningText)};
    if (prepare && !prepare())
        return {PlayStart::Result::NotPrepared, {}};

    ++generation_;
    StopRequested.store(0, std::memory_order_relaxed);
    for (int i = 0; i < kTrackCount; ++i) {
        TrackTimeTick[i].store(0, std::memory_order_relaxed);
        TrackFrameTick[i].store(0, std::memory_order_relaxed);
    }
    for (int i = 0; i < kTrackCount; ++i) {
        const auto track = static_cast<std::uint8_t>(i + 1);
        trackThreads_[i] = std::make_unique<TCustomMyThread>(track, forThisPlay(trackLoops_[i]), this);
    }
    return {};
}
