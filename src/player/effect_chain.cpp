#include "player/effect_chain.h"

#include "model/effect_step_arithmetic.h"
#include "model/effect_steps.h"
#include "model/palette.h"
#include "model/trunc_to_int.h"
#include "output/play_state.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Hand-written section values may be anything: sums are formed in 64 bits
// and brought back into range the way the step reduces them.
std::int32_t Saturate(std::int64_t v)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

std::int32_t Wrap(std::int32_t phase, std::int32_t v, PhaseWrap wrap)
{
    const std::int64_t sum = std::int64_t{phase} + v;
    if (wrap == PhaseWrap::Modulo510)
        return static_cast<std::int32_t>(sum % 510);
    return sum > 510 ? 0 : Saturate(sum);
}

constexpr auto kRelaxed = std::memory_order_relaxed;

}  // namespace

EffectParameters ParametersOf(const TSectionRecord& row)
{
    EffectParameters p;
    p.B = row.B;
    p.C = row.C;
    p.D = row.D;
    p.E = row.E;
    p.F = row.F;
    p.G = row.G;
    p.H = row.H;
    p.I = row.I;
    p.J = row.J;
    p.K = row.K;
    p.L = row.L;
    p.M = row.M;
    p.N = row.N;
    p.O = row.O;
    p.Q = row.Q;
    p.R = row.R;
    return p;
}

void EffectStep(EffectPhases& phases, EffectCounters& counters, const EffectParameters& p, PhaseWrap wrap)
{
    counters.stepCounter = 0;
    phases.SectionRotationPhase = static_cast<std::int32_t>((std::int64_t{phases.SectionRotationPhase} + p.C) % 360);

    if (p.D < 1) {
        phases.SectionSlowDrawPrefix = phases.SectionPointTotal;
    } else {
        const std::int64_t prefix = std::int64_t{phases.SectionSlowDrawPrefix} + p.D;
        phases.SectionSlowDrawPrefix = prefix > phases.SectionPointTotal ? 0 : static_cast<std::int32_t>(prefix);
    }

    phases.SectionHStretchPhase = Wrap(phases.SectionHStretchPhase, p.E, wrap);
    phases.SectionVStretchPhase = Wrap(phases.SectionVStretchPhase, p.F, wrap);
    if (p.E == p.F)
        phases.SectionVStretchPhase = phases.SectionHStretchPhase;

    phases.SectionHRotatePhase = static_cast<std::int32_t>((std::int64_t{phases.SectionHRotatePhase} + p.G) % 256);
    phases.SectionVRotatePhase = static_cast<std::int32_t>((std::int64_t{phases.SectionVRotatePhase} + p.H) % 256);
    if (p.G == p.H)
        phases.SectionVRotatePhase = phases.SectionHRotatePhase;

    phases.SectionHBouncePhase = Wrap(phases.SectionHBouncePhase, p.I, wrap);
    phases.SectionVBouncePhase = Wrap(phases.SectionVBouncePhase, p.J, wrap);

    counters.ColourStepCounter = Saturate(std::int64_t{counters.ColourStepCounter} + 1);
    if (counters.ColourStepCounter > 40 - std::int64_t{p.N}) {
        counters.ColourStepCounter = 0;
        phases.SectionColourCycle = (phases.SectionColourCycle + 1) % 7;
    }
}

OutputGeometry CurrentOutputGeometry()
{
    OutputGeometry g;
    g.mirrorX = MirrorX.load(kRelaxed) != 0;
    g.mirrorY = MirrorY.load(kRelaxed) != 0;
    g.offsetX = OffsetX.load(kRelaxed);
    g.offsetY = OffsetY.load(kRelaxed);
    g.outputAngle = OutputAngle.load(kRelaxed);
    g.sizeX = SizeX.load(kRelaxed);
    g.sizeY = SizeY.load(kRelaxed);
    return g;
}

void PointTransform::Prepare(const LoopOptions& options, const EffectParameters& p, const EffectPhases& phases,
                             const OutputGeometry& geometry) noexcept
{
    options_ = options;
    p_ = p;
    phases_ = phases;
    geometry_ = geometry;
    gobo_ = options.optional == OptionalSteps::Always || p.L != 20;
    if (gobo_ && (!goboReady_ || goboL_ != p.L)) {
        for (std::size_t c = 0; c < goboTable_.size(); ++c)
            goboTable_[c] = static_cast<std::uint8_t>(effect_arithmetic::Gobo(p.L, static_cast<double>(c)));
        goboL_ = p.L;
        goboReady_ = true;
    }
    // A turn by exactly 0 degrees gives every point back unchanged (cosine 1, sine 0).
    rotateM_ = p.M != 0;
    rotateOut_ = geometry.outputAngle != 0;
    hDepth_ = effect_arithmetic::TurnDepth(phases.SectionHRotatePhase);
    vDepth_ = effect_arithmetic::TurnDepth(phases.SectionVRotatePhase);
    hBounce_ = options.preview ? Saturate(510 - std::int64_t{phases.SectionHBouncePhase}) : phases.SectionHBouncePhase;
    vBounce_ = options.preview ? Saturate(510 - std::int64_t{phases.SectionVBouncePhase}) : phases.SectionVBouncePhase;
    if (p.C > 0) {
        const std::int32_t a = phases.SectionRotationPhase;
        if (a > -360 && a < 360) {
            if (phaseRotations_.empty()) {
                phaseRotations_.resize(719);
                phaseRotationReady_.assign(719, false);
            }
            const auto i = static_cast<std::size_t>(a + 359);
            if (!phaseRotationReady_[i]) {
                phaseRotations_[i] = PreparedRotation(a);
                phaseRotationReady_[i] = true;
            }
            rotation_ = phaseRotations_[i];
        } else {
            rotation_.Set(a);
        }
    }
    if (rotateM_)
        m_.Set(p.M);
    if (rotateOut_)
        out_.Set(geometry.outputAngle);
    if (!sizeReady_ || sizeX_ != geometry.sizeX || sizeY_ != geometry.sizeY) {
        for (std::size_t i = 0; i < sizeTableX_.size(); ++i) {
            const auto v = static_cast<std::int32_t>(i) - kSizeTableFirst;
            sizeTableX_[i] = static_cast<std::uint8_t>(effect_arithmetic::Size(v, geometry.sizeX));
            sizeTableY_[i] = static_cast<std::uint8_t>(effect_arithmetic::Size(v, geometry.sizeY));
        }
        sizeX_ = geometry.sizeX;
        sizeY_ = geometry.sizeY;
        sizeReady_ = true;
    }
}

namespace {

// The last step of every point: the offsets (added for the preview, taken
// away for the controller), the output size, and the 0..255 range.
inline void PlaceOnOutput(bool preview, const EffectParameters& p, const OutputGeometry& geometry, double x,
                          double y, std::int32_t& outX, std::int32_t& outY) noexcept
{
    if (preview) {
        x = static_cast<double>(std::int64_t{geometry.offsetX} + p.Q) + x;
        y = static_cast<double>(std::int64_t{geometry.offsetY} + p.R) + y;
    } else {
        x = (x - p.Q) - geometry.offsetX;
        y = (y - p.R) - geometry.offsetY;
    }
    outX = std::clamp(effect_arithmetic::Size(TruncToInt(x), geometry.sizeX), 0, 255);
    outY = std::clamp(effect_arithmetic::Size(TruncToInt(y), geometry.sizeY), 0, 255);
}

}  // namespace

void PointTransform::Apply(const LaserPoint& point, std::int32_t& outX, std::int32_t& outY) const noexcept
{
    using namespace effect_arithmetic;
    // Up to the gobo every coordinate is a whole number, so the gobo of the
    // usual 0..255 is looked up in the table made for this L.
    std::int64_t xi = point.x;
    std::int64_t yi = point.y;
    if (options_.mapping == SourceMapping::Turned) {
        xi = 255 - xi;
        yi = 255 - yi;
    }
    if (geometry_.mirrorX)
        xi = 255 - xi;
    if (geometry_.mirrorY)
        yi = 255 - yi;
    double x = static_cast<double>(xi);
    double y = static_cast<double>(yi);
    if (gobo_) {
        x = static_cast<std::uint64_t>(xi) < goboTable_.size() ? goboTable_[static_cast<std::size_t>(xi)] : Gobo(p_.L, x);
        y = static_cast<std::uint64_t>(yi) < goboTable_.size() ? goboTable_[static_cast<std::size_t>(yi)] : Gobo(p_.L, y);
    }
    if (p_.C > 0)
        rotation_.Apply(x, y);
    if (p_.G > 0)
        x = Turn(hDepth_, x);
    if (p_.H > 0)
        y = Turn(vDepth_, y);
    if (p_.I > 0)
        x = Bounce(hBounce_, x);
    if (p_.J > 0)
        y = Bounce(vBounce_, y);
    if (p_.E > 0)
        x = Stretch(phases_.SectionHStretchPhase, x);
    if (p_.F > 0)
        y = Stretch(phases_.SectionVStretchPhase, y);
    if (rotateM_)
        m_.Apply(x, y);
    if (rotateOut_)
        out_.Apply(x, y);
    if (options_.preview) {
        PlaceOnOutput(true, p_, geometry_, x, y, outX, outY);
        return;
    }
    // The loops' last step, with the output size looked up for the usual range.
    x = (x - p_.Q) - geometry_.offsetX;
    y = (y - p_.R) - geometry_.offsetY;
    const std::int64_t ix = std::int64_t{TruncToInt(x)} + kSizeTableFirst;
    const std::int64_t iy = std::int64_t{TruncToInt(y)} + kSizeTableFirst;
    outX = static_cast<std::uint64_t>(ix) < sizeTableX_.size() ? sizeTableX_[static_cast<std::size_t>(ix)]
                                                                : Size(TruncToInt(x), geometry_.sizeX);
    outY = static_cast<std::uint64_t>(iy) < sizeTableY_.size() ? sizeTableY_[static_cast<std::size_t>(iy)]
                                                                : Size(TruncToInt(y), geometry_.sizeY);
}

void TransformPointReference(const LoopOptions& options, const EffectParameters& p, const EffectPhases& phases,
                             const OutputGeometry& geometry, const LaserPoint& point, std::int32_t& outX,
                             std::int32_t& outY)
{
    const bool always = options.optional == OptionalSteps::Always;
    double x = options.mapping == SourceMapping::Turned ? 255.0 - point.x : point.x;
    double y = options.mapping == SourceMapping::Turned ? 255.0 - point.y : point.y;
    if (geometry.mirrorX)
        x = 255 - x;
    if (geometry.mirrorY)
        y = 255 - y;
    if (always || p.L != 20)
        ApplyGoboSize(p.L, x, y);
    if (p.C > 0)
        RotateByAngle(phases.SectionRotationPhase, x, y);
    if (p.G > 0)
        ApplyHRotate(phases.SectionHRotatePhase, x);
    if (p.H > 0)
        ApplyVRotate(phases.SectionVRotatePhase, y);
    if (p.I > 0)
        ApplyHBounce(options.preview ? Saturate(510 - std::int64_t{phases.SectionHBouncePhase}) : phases.SectionHBouncePhase, x);
    if (p.J > 0)
        ApplyVBounce(options.preview ? Saturate(510 - std::int64_t{phases.SectionVBouncePhase}) : phases.SectionVBouncePhase, y);
    if (p.E > 0)
        ApplyHStretch(phases.SectionHStretchPhase, x);
    if (p.F > 0)
        ApplyVStretch(phases.SectionVStretchPhase, y);
    if (always || p.M != 0)
        RotateByAngle(p.M, x, y);
    if (always || geometry.outputAngle != 0)
        RotateByAngle(geometry.outputAngle, x, y);
    PlaceOnOutput(options.preview, p, geometry, x, y, outX, outY);
}
