#pragma once
// One loop run of the effect chain: assembles frames from a source drawing,
// advancing the animation at its point cadence, and keeps the change check
// that tells the previews to redraw. Owned by one loop on its worker thread;
// the frame buffer is a member, sized once.

#include "player/effect_chain.h"
#include "player/live_parameters.h"

#include <atomic>
#include <cstdint>
#include <functional>

/// Play time of a section row: ticks of the window's tick flag, counted at points.
struct RowPlayTime {
    std::atomic<std::uint8_t>* tick = nullptr;
    std::int32_t A = 0;
    std::int32_t elapsed = 0;
};

enum class FrameEnd {
    Complete,  ///< the frame is ready to send (whole, or cut by SlowDraw or the packet's capacity)
    RowOver,   ///< the row's play time ran out at this frame: it is dropped
    Stopped,   ///< a stop was seen before a path: the partial frame is ready to send
};

class FrameBuilder {
public:
    /// The parameters in force, asked at every frame start and after every EffectStep.
    using ParameterFeed = std::function<EffectParameters()>;

    FrameBuilder(const LoopOptions& options, ParameterFeed feed, PublishedAnimation* publish = nullptr);

    /// Loop start: every counter 0, `ColourStepCounter` included.
    void StartLoop();
    /// Run start (a row, or the single drawing): phases, cycle, point counters 0; the point total
    /// of `source`; the SlowDraw prefix = the total, or kept when `keepPrefix` (the prefix last had).
    void StartRun(const Drawing& source, bool keepPrefix = false, std::int32_t lastPrefix = 0);

    /// A new source within the run (the next ILDA frame, the next text frame): its point
    /// total, the phases going on.
    void SetPointTotal(const Drawing& source);

    /// Loop start: the last-seen copies of the output settings (and of Q and R when `withQR`).
    void ResetChangeCheck(bool withQR);
    /// Before each frame: when an output setting (or the live Q, R) moved, remember it and raise FrameChanged.
    void ChangeCheck();

    /// Builds one frame from `source`. `time`: the row's play time (section rows only).
    /// `stopBeforePath`: a raised stop ends the pass before the next path.
    FrameEnd BuildFrame(const Drawing& source, RowPlayTime* time, bool stopBeforePath);

    const FramePacket& Packet() const { return packet_; }
    const EffectPhases& Phases() const { return phases_; }
    const EffectCounters& Counters() const { return counters_; }
    /// The parameters the last frame ended with.
    const EffectParameters& Parameters() const { return params_; }

private:
    void Refresh();
    bool CountTick(RowPlayTime& time, bool frozen);

    LoopOptions options_;
    ParameterFeed feed_;
    PublishedAnimation* publish_;
    EffectPhases phases_;
    EffectCounters counters_;
    EffectParameters params_;
    OutputGeometry geometry_;
    PointTransform transform_;
    FramePacket packet_;
    OutputGeometry lastGeometry_;
    bool checkQR_ = false;
    std::int32_t LastSectionQ = 0, LastSectionR = 0;
};
