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
    if (ManualColour.load(kRelaxed) == 0)
        return p;
    // "Auto" hands the choice back to the row's own mode.
    const std::int32_t k = K.load(kRelaxed);
    if (k != kColourAuto)
        p.K = k;
    p.N = N.load(kRelaxed);
    p.O = O.load(kRelaxed);
    return p;
}

void PublishedAnimation::Store(const EffectPhases& phases)
{
    rotation.store(phases.rotation, kRelaxed);
    hStretch.store(phases.hStretch, kRelaxed);
    vStretch.store(phases.vStretch, kRelaxed);
    hRotate.store(phases.hRotate, kRelaxed);
    vRotate.store(phases.vRotate, kRelaxed);
    hBounce.store(phases.hBounce, kRelaxed);
    vBounce.store(phases.vBounce, kRelaxed);
    colourCycle.store(phases.colourCycle, kRelaxed);
    pointTotal.store(phases.pointTotal, kRelaxed);
    slowDrawPrefix.store(phases.slowDrawPrefix, kRelaxed);
}

EffectPhases PublishedAnimation::Load() const
{
    EffectPhases p;
    p.rotation = rotation.load(kRelaxed);
    p.hStretch = hStretch.load(kRelaxed);
    p.vStretch = vStretch.load(kRelaxed);
    p.hRotate = hRotate.load(kRelaxed);
    p.vRotate = vRotate.load(kRelaxed);
    p.hBounce = hBounce.load(kRelaxed);
    p.vBounce = vBounce.load(kRelaxed);
    p.colourCycle = colourCycle.load(kRelaxed);
    p.pointTotal = pointTotal.load(kRelaxed);
    p.slowDrawPrefix = slowDrawPrefix.load(kRelaxed);
    return p;
}
