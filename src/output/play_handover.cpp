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
    , reports_(std::make_shared<PlayReports>(this, [this](const QString& message) { emit loopFailed(message); }))
{
}

PlayHandOver::~PlayHandOver()
{
    // From here on no report may reach this object.
    reports_->Close();
    // The music control may be gone already; whoever ends the program has ended the music.
    if (joinAll())
        return;
    qWarning("a play loop did not stop; it is left running");
    auto abandon = [](auto& slot) {
        if (slot)
            slot->worker().abandon();
    };
    abandon(playThread_);
    for (auto& track : trackThreads_)
        abandon(track);
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

const QObject* PlayHandOver::playOwner() const
{
    return playThread_ ? playOwner_.data() : nullptr;
}

bool PlayHandOver::stopAll()
{
    ++stops_;
    return stopAndJoin();
}

bool PlayHandOver::stopAndJoin(MusicAtStart music)
{
    StopRequested.store(1, std::memory_order_relaxed);
    if (endMusic_ && music == MusicAtStart::End)
        endMusic_();
    return joinAll();
}

bool PlayHandOver::joinAll()
{
    StopRequested.store(1, std::memory_order_relaxed);
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

PlayStart PlayHandOver::handOver(const Prepare& prepare, MusicAtStart music)
{
    // A start nested in another's prepare step: the outer one would replace
    // whatever this one started, and wait for ever on a loop that was told to run.
    if (preparing_)
        return {PlayStart::Result::Refused, QString::fromUtf8(kPlayStartBusyText)};
    if (!stopAndJoin(music))
        return {PlayStart::Result::Refused, QString::fromUtf8(kPlayStillRunningText)};
    const std::uint64_t stops = stops_;
    bool prepared = true;
    if (prepare) {
        preparing_ = true;
        struct Done {
            bool& flag;
            ~Done() { flag = false; }
        } done{preparing_};
        prepared = prepare();
    }
    // Everything was stopped while the lists were made (the program is closing): start nothing.
    if (!prepared || stops != stops_)
        return {PlayStart::Result::NotPrepared, {}};
    if (anyWorker())
        return {PlayStart::Result::Refused, QString::fromUtf8(kPlayStillRunningText)};
    return {};
}

PlayStart PlayHandOver::startPlay(std::uint8_t mode, const Prepare& prepare)
{
    if (PlayStart refused = handOver(prepare); !refused.started())
        return refused;

    ++generation_;
    const bool known = mode > kModeNone && mode < kPlayModeCount;
    PlayLoop loop = known ? forThisPlay(playLoops_[mode]) : PlayLoop{};
    if (auto* tick = TickFlagOf(mode))
        tick->store(0, std::memory_order_relaxed);
    // Cleared here rather than by the loop: a stop raised between this start and
    // the loop's first instruction must not be wiped out.
    if (loop.run)
        StopRequested.store(0, std::memory_order_relaxed);
    playOwner_ = loop.run ? loop.window : QPointer<QObject>();
    playThread_ = std::make_unique<mythread>(mode, std::move(loop), reports_);
    emit playStarted(mode);
    return {};
}

PlayStart PlayHandOver::startTracks(const Prepare& prepare, MusicAtStart music)
{
    if (PlayStart refused = handOver(prepare, music); !refused.started())
        return refused;

    ++generation_;
    StopRequested.store(0, std::memory_order_relaxed);
    for (int i = 0; i < kTrackCount; ++i) {
        TrackTimeTick[i].store(0, std::memory_order_relaxed);
        TrackFrameTick[i].store(0, std::memory_order_relaxed);
    }
    for (int i = 0; i < kTrackCount; ++i) {
        const auto track = static_cast<std::uint8_t>(i + 1);
        trackThreads_[i] = std::make_unique<TCustomMyThread>(track, forThisPlay(trackLoops_[i]), reports_);
    }
    return {};
}
