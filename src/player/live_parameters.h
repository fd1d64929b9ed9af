#pragma once
// The live values of a play window's controls: the effect parameters its
// track bars, colour panels, check boxes and offset pad set, and the
// animation state its running loop publishes for the preview. The GUI thread
// writes the parameters and the loop reads them; the loop writes the
// animation and the preview reads it. Every value is a relaxed atomic: a
// change acts at the loop's next animation step or frame.

#include "player/effect_chain.h"

#include <atomic>
#include <cstdint>

// Fields keep the letters B..R the play windows have always used for these
// values. In the Play window they are PlayAllSpeed (B), PlayRotAngle (C),
// PlaySlowDraw (D), PlayHStretch (E), PlayVStretch (F), PlayHRotate (G),
// PlayVRotate (H), PlayHBounce (I), PlayVBounce (J), PlayColourMode (K),
// PlayGoboSize (L), PlayLocAngle (M), PlayChColorSp (N) and PlayPointDraw (O);
// its PublishedAnimation holds PlayTotalPoints (SectionPointTotal),
// PlayVisiblePoints (SectionSlowDrawPrefix) and PlayCurrentFrame
// (SectionRowIndex).
/// `SectionLiveParameters` and friends of one window.
struct LiveParameters {
    std::atomic<std::int32_t> B{50}, C{0}, D{0}, E{0}, F{0}, G{0}, H{0}, I{0}, J{0};
    std::atomic<std::int32_t> L{20}, M{0}, N{30}, Q{0}, R{0};
    /// `SectionColourMode`.
    std::atomic<std::int32_t> K{kColourAuto};
    /// `SectionPointDraw`.
    std::atomic<std::uint8_t> O{0};
    /// `SectionManualColour`: the live K, N and O override the rows' own.
    std::atomic<std::uint8_t> SectionManualColour{1};

    /// Any thread. Every value as one set of parameters.
    EffectParameters Snapshot() const;
    /// Any thread. A row's parameters with the manual-colour override applied when it is on.
    EffectParameters ForRow(const TSectionRecord& row) const;
};

/// The animation state a loop publishes for its preview (`SectionRotationPhase` ... `SectionRowIndex`).
struct PublishedAnimation {
    std::atomic<std::int32_t> SectionRotationPhase{0}, SectionHStretchPhase{0}, SectionVStretchPhase{0};
    std::atomic<std::int32_t> SectionHRotatePhase{0}, SectionVRotatePhase{0};
    std::atomic<std::int32_t> SectionHBouncePhase{0}, SectionVBouncePhase{0}, SectionColourCycle{0};
    std::atomic<std::int32_t> SectionPointTotal{0}, SectionSlowDrawPrefix{0};
    std::atomic<std::int32_t> SectionRowIndex{0};

    /// Worker thread.
    void Store(const EffectPhases& phases);
    /// Any thread.
    EffectPhases Load() const;
};
