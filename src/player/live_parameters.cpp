#include "player/live_parameters.h"

namespace {
constexpr auto kRelaxed = std::memory_order_relaxed;
}

EffectParameters LiveParameters::Snapshot() const
{
    EffectParameters p;
    p.B = B.load(kRelaxed);
    p.C = C.load(kRelaxed);
    p.D = D.load(kRelaxed);
    p.E = E.load(kRelaxed);
    p.F = F.load(kRelaxed);
    p.G = G.load(kRelaxed);
    p.H = H.load(kRelaxed);
    p.I = I.load(kRelaxed);
    p.J = J.load(kRelaxed);
    p.K = K.load(kRelaxed);
    p.L = L.load(kRelaxed);
    p.M = M.load(kRelaxed);
    p.N = N.load(kRelaxed);
    p.O = O.load(kRelaxed);
    p.Q = Q.load(kRelaxed);
    p.R = R.load(kRelaxed);
    return p;
}

EffectParameters LiveParameters::ForRow(const TSectionRecord& row) const
{
    EffectParameters p = ParametersOf(row);
    if (SectionManualColour.load(kRelaxed) == 0)
        return p;
    // "Auto" hands the choice back to the row's own mode.
    const std::int32_t k = K.load(kRelaxed);
    if (k != kColourAuto)
        p.K = k;
    p.N = N.load(kRelaxed);
    p.O = O.load(kRelaxed);
    return p;
}

namespace {

// Pairs every published phase with its field in EffectPhases, so that Store
// and Load cannot drift apart.
template <class Published, class Phases, class Op>
void ForEachPhase(Published& published, Phases& phases, Op op)
{
    op(published.SectionRotationPhase, phases.SectionRotationPhase);
    op(published.SectionHStretchPhase, phases.SectionHStretchPhase);
    op(published.SectionVStretchPhase, phases.SectionVStretchPhase);
    op(published.SectionHRotatePhase, phases.SectionHRotatePhase);
    op(published.SectionVRotatePhase, phases.SectionVRotatePhase);
    op(published.SectionHBouncePhase, phases.SectionHBouncePhase);
    op(published.SectionVBouncePhase, phases.SectionVBouncePhase);
    op(published.SectionColourCycle, phases.SectionColourCycle);
    op(published.SectionPointTotal, phases.SectionPointTotal);
    op(published.SectionSlowDrawPrefix, phases.SectionSlowDrawPrefix);
}

}  // namespace

void PublishedAnimation::Store(const EffectPhases& phases)
{
    ForEachPhase(*this, phases, [](auto& atomic, const auto& value) { atomic.store(value, kRelaxed); });
}

EffectPhases PublishedAnimation::Load() const
{
    EffectPhases p;
    ForEachPhase(*this, p, [](const auto& atomic, auto& value) { value = atomic.load(kRelaxed); });
    return p;
}
