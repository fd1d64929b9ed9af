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

/// `SectionLiveParameters` and friends of one window.
struct LiveParameters {
    std::atomic<std::int32_t> B{50}, C{0}, D{0}, E{0}, F{0}, G{0}, H{0}, I{0}, J{0};
    std::atomic<std::int32_t> L{20}, M{0}, N{30}, Q{0}, R{0};
    /// `SectionColourMode`.
    std::atomic<std::int32_t> K{kColourAuto};
    /// `SectionPointDraw`.
    std::atomic<std::uint8_t> O{0};
    /// `SectionManualColour`: the live K, N and O override the rows' own.
    std::atomic<std::uint8_t> ManualColour{1};

    /// Any thread. Every value as one set of parameters.
    EffectParameters Snapshot() const;
    /// Any thread. A row's parameters with the manual-colour override applied when it is on.
    EffectParameters ForRow(const TSectionRecord& row) const;
};

/// The animation state a loop publishes for its preview (`SectionRotationPhase` ... `SectionRowIndex`).
struct PublishedAnimation {
    std::atomic<std::int32_t> rotation{0}, hStretch{0}, vStretch{0}, hRotate{0}, vRotate{0};
    std::atomic<std::int32_t> hBounce{0}, vBounce{0}, colourCycle{0};
    std::atomic<std::int32_t> pointTotal{0}, slowDrawPrefix{0};
    std::atomic<std::int32_t> rowIndex{0};

    /// Worker thread.
    void Store(const EffectPhases& phases);
    /// Any thread.
    EffectPhases Load() const;
};
