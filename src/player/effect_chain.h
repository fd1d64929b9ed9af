#pragma once
// The effect chain every play loop and preview runs each point through: the
// animation cadence and EffectStep that move the effect phases, the colour
// modes of K, the flags byte and the per-point transform (source mapping,
// mirrors, gobo, rotations, 3-D turns, bounces, stretches, offsets, size).
//
// Loops differ only in their LoopOptions. The arithmetic of each step is that
// of model/effect_steps.h; the transform here prepares, once per animation
// step, what is fixed for the points that follow (sines and cosines of the
// three rotation angles), with results bit-identical to the per-point steps.
//
// Everything here is pure and allocation-free; any thread.

#include "model/effect_steps.h"
#include "model/palette.h"
#include "model/show_model.h"
#include "output/packets.h"

#include <array>
#include <cstdint>
#include <vector>

/// The effect parameters B..R of a row or of the live controls (A is the loop's timing).
struct EffectParameters {
    std::int32_t B = 50, C = 0, D = 0, E = 0, F = 0, G = 0, H = 0, I = 0, J = 0;
    /// Colour mode: 0..7 fixed colour, 257 Auto, 258 Rnd1, 259 Rnd2, 260 Rnd3.
    std::int32_t K = 257;
    std::int32_t L = 20, M = 0, N = 30;
    /// Point draw: every point's flags get bit 0.
    std::uint8_t O = 0;
    std::int32_t Q = 0, R = 0;
};

/// The parameters of a section row.
EffectParameters ParametersOf(const TSectionRecord& row);

inline constexpr std::int32_t kColourAuto = 257;
inline constexpr std::int32_t kColourRnd1 = 258;
inline constexpr std::int32_t kColourRnd2 = 259;
inline constexpr std::int32_t kColourRnd3 = 260;

/// How the source point is turned into output space.
enum class SourceMapping : std::uint8_t {
    Turned,  ///< x = 255 - p.x, y = 255 - p.y: what the loops send
    Screen,  ///< x = p.x, y = p.y: what the previews draw
};
/// How the E, F, I, J phases wrap after an EffectStep.
enum class PhaseWrap : std::uint8_t {
    Modulo510,     ///< (phase + v) mod 510 (section rows)
    ZeroAbove510,  ///< phase + v, 0 when above 510 (single drawing, Play window)
};
/// Whether gobo size, M and the output angle run on every point or only when they change something.
enum class OptionalSteps : std::uint8_t { Always, WhenNotDefault };
/// What the colour byte of a source point holds.
enum class ColourSource : std::uint8_t { PaletteIndex, DeviceCode };

/// The points in which one loop (or preview) differs from another.
struct LoopOptions {
    SourceMapping mapping = SourceMapping::Turned;
    PhaseWrap wrap = PhaseWrap::Modulo510;
    OptionalSteps optional = OptionalSteps::Always;
    ColourSource colours = ColourSource::PaletteIndex;
    /// Previews mirror the loops: bounce phases used as 510 - phase, offsets and Q/R added.
    bool preview = false;
};

/// The Section window's rows and the Sequence window's section tracks.
inline constexpr LoopOptions kSectionRowOptions{SourceMapping::Turned, PhaseWrap::Modulo510,
                                                OptionalSteps::Always, ColourSource::PaletteIndex, false};
/// The Section window's single drawing (its play list holds device codes).
inline constexpr LoopOptions kSectionDrawingOptions{SourceMapping::Turned, PhaseWrap::ZeroAbove510,
                                                    OptionalSteps::WhenNotDefault, ColourSource::DeviceCode,
                                                    false};
/// The preview of a section row.
inline constexpr LoopOptions kSectionRowPreview{SourceMapping::Screen, PhaseWrap::Modulo510,
                                                OptionalSteps::Always, ColourSource::PaletteIndex, true};
/// The preview of the single drawing: gobo, M and output angle only when not default.
inline constexpr LoopOptions kSectionDrawingPreview{SourceMapping::Screen, PhaseWrap::ZeroAbove510,
                                                    OptionalSteps::WhenNotDefault, ColourSource::DeviceCode,
                                                    true};

// Fields keep the names the Section window has always used for its animation
// state; every other loop keeps its own set of the same values.
/// The animation state a loop advances and its preview draws from.
struct EffectPhases {
    std::int32_t SectionRotationPhase = 0;  ///< degrees added by the C rotation, 0..359
    std::int32_t SectionHStretchPhase = 0, SectionVStretchPhase = 0;
    std::int32_t SectionHRotatePhase = 0, SectionVRotatePhase = 0;  ///< 0..255
    std::int32_t SectionHBouncePhase = 0, SectionVBouncePhase = 0;
    std::int32_t SectionColourCycle = 0;  ///< 0..6
    std::int32_t SectionPointTotal = 0;
    std::int32_t SectionSlowDrawPrefix = 0;  ///< a frame holds at most prefix + 1 points while D > 0

    friend bool operator==(const EffectPhases&, const EffectPhases&) = default;
};

/// The counters of one loop run.
struct EffectCounters {
    std::int32_t pointSub = 0;    ///< points since the last step-counter advance
    std::int32_t stepCounter = 0; ///< advances once every 11 points
    std::int32_t ColourStepCounter = 0;  ///< EffectSteps since the last colour change
};

/// One animation step: phases, SlowDraw prefix and colour cycle advance by the parameters.
void EffectStep(EffectPhases& phases, EffectCounters& counters, const EffectParameters& p,
                PhaseWrap wrap);

/// The animation tick of one point (not called while frozen). True when it took an EffectStep.
inline bool AnimationTick(EffectPhases& phases, EffectCounters& counters, const EffectParameters& p, PhaseWrap wrap)
{
    bool stepped = false;
    if (counters.pointSub > 10) {
        counters.pointSub = 0;
        ++counters.stepCounter;
    }
    if (counters.stepCounter > 100 - std::int64_t{p.B}) {
        EffectStep(phases, counters, p, wrap);
        stepped = true;
    }
    ++counters.pointSub;
    return stepped;
}


/// Device colour code of a point with colour byte c under mode K (r: the Rnd3 counter).
/// Unknown modes send 0 (dark), so does c == 0.
inline std::uint8_t ColourCode(std::int32_t K, std::uint8_t c, std::int32_t cycle, std::int32_t r, ColourSource source)
{
    if (c == 0)
        return 0;
    const auto own = [&] { return source == ColourSource::PaletteIndex ? DeviceColourCode(c) : c; };
    if (K >= 0 && K <= 7)
        return static_cast<std::uint8_t>(K);
    switch (K) {
    case kColourAuto:
        return own();
    case kColourRnd1:
        return static_cast<std::uint8_t>((own() + std::int64_t{cycle}) % 7 + 1);
    case kColourRnd2:
        return static_cast<std::uint8_t>(cycle % 7 + 1);
    case kColourRnd3:
        return static_cast<std::uint8_t>(r % 7 + 1);
    default:
        return 0;
    }
}


/// Flags byte: bit 0 for point draw or a blanked point, plus 2 when z > 1.
inline std::uint8_t PointFlags(std::uint8_t O, std::uint8_t blank, std::int32_t z)
{
    std::uint8_t flags = (O != 0 || blank != 0) ? kPointFlagBlank : 0;
    if (z > 1)
        flags += kPointFlagVertex;
    return flags;
}


/// The output settings a transform reads (globals copied once per frame).
struct OutputGeometry {
    bool mirrorX = false, mirrorY = false;
    std::int32_t offsetX = 0, offsetY = 0;
    std::int32_t outputAngle = 0;
    std::int32_t sizeX = 20, sizeY = 20;
};

/// Any thread. The current MirrorX/MirrorY/OffsetX/OffsetY/OutputAngle/SizeX/SizeY.
OutputGeometry CurrentOutputGeometry();

/// Everything a point's transform needs, prepared once per animation step.
class PointTransform {
public:
    PointTransform() = default;
    /// Prepares for the current parameters, phases and output settings.
    void Prepare(const LoopOptions& options, const EffectParameters& p, const EffectPhases& phases,
                 const OutputGeometry& geometry) noexcept;
    /// The transformed point before it is packed: coordinates in 0..255.
    void Apply(const LaserPoint& point, std::int32_t& x, std::int32_t& y) const noexcept;

private:
    LoopOptions options_{};
    // Rotations by the C phase (always within -359..359), each prepared once per loop run.
    std::vector<PreparedRotation> phaseRotations_;
    std::vector<bool> phaseRotationReady_;
    EffectParameters p_{};
    EffectPhases phases_{};
    OutputGeometry geometry_{};
    bool gobo_ = true, rotateM_ = true, rotateOut_ = true;
    // The gobo of 0..255 at goboL_, remade when L changes.
    std::array<std::uint8_t, 256> goboTable_{};
    std::int32_t goboL_ = 0;
    bool goboReady_ = false;
    // The output size of -kSizeTableFirst..(table size - kSizeTableFirst - 1), remade when Size X or Y changes.
    static constexpr std::int32_t kSizeTableFirst = 512;
    std::array<std::uint8_t, 1536> sizeTableX_{}, sizeTableY_{};
    std::int32_t sizeX_ = 0, sizeY_ = 0;
    bool sizeReady_ = false;
    std::int64_t hDepth_ = 127, vDepth_ = 127;  // the 3-D turns' depths at this step
    std::int32_t hBounce_ = 0, vBounce_ = 0;
    PreparedRotation rotation_, m_, out_;
};

/// The reference transform of one point, every step taken through the per-point functions.
void TransformPointReference(const LoopOptions& options, const EffectParameters& p,
                             const EffectPhases& phases, const OutputGeometry& geometry,
                             const LaserPoint& point, std::int32_t& x, std::int32_t& y);
