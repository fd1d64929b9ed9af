// The whole live-play path for one 16,384-point frame with every effect on:
// the effect chain (stretch, rotation, 3-D turns, bounce, gobo, Rnd3 colour,
// M and output angle), the packet builder and the fan-out to eight simulated
// controllers. Goal: at most 1.6 ms, a tenth of one 15.625 ms tick.
// BM_PerPointReference runs the same transform through the per-point steps
// (a sine and cosine per rotation per point) for comparison.

#include "eight_simulated_controllers.h"
#include "output/fan_out.h"
#include "output/play_state.h"
#include "player/frame_builder.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

Drawing BenchDrawing()
{
    Drawing d(16);
    for (std::size_t i = 0; i < FramePacket::kMaxPoints; ++i) {
        auto p = std::make_unique<LaserPoint>();
        const double a = double(i) * 0.01;
        p->x = 128 + int(100 * std::cos(a));
        p->y = 128 + int(100 * std::sin(a));
        p->colour = std::uint8_t(1 + i % 200);
        p->blank = i % 1024 == 0;
        p->z = int(i % 3);
        d[i / 1024].push_back(std::move(p));
    }
    return d;
}

EffectParameters EveryEffect()
{
    EffectParameters p;
    p.B = 100;
    p.C = 7;
    p.E = 5;
    p.F = 6;
    p.G = 3;
    p.H = 4;
    p.I = 9;
    p.J = 8;
    p.K = kColourRnd3;
    p.L = 25;
    p.M = 30;
    p.N = 40;
    p.Q = 3;
    p.R = -4;
    return p;
}

}  // namespace

static void BM_ChainAndFanOut(benchmark::State& state)
{
    const auto sim = AttachEightSimulatedControllers();
    OutputAngle.store(15);
    SizeX.store(22);
    SizeY.store(18);
    MirrorX.store(1);

    const Drawing drawing = BenchDrawing();
    const EffectParameters params = EveryEffect();
    FrameBuilder builder(kSectionRowOptions, [&] { return params; });
    builder.StartLoop();
    builder.StartRun(drawing);
    const DeviceSettingsPacket settings{15, 2};
    for (auto _ : state) {
        builder.BuildFrame(drawing, nullptr, false);
        const auto targets = CurrentDeviceTargets();
        benchmark::DoNotOptimize(SendFrame(builder.Packet(), settings, *targets, 1));
        state.PauseTiming();
        sim->ClearRequests();  // the simulator keeps every byte; not part of the cost
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(FramePacket::kMaxPoints));
    SetCurrentDeviceControl(nullptr);
    PublishDeviceTargets({});
    ResetPlayState();
}
BENCHMARK(BM_ChainAndFanOut)->Unit(benchmark::kMicrosecond);

static void BM_ChainOnly(benchmark::State& state)
{
    OutputAngle.store(15);
    const Drawing drawing = BenchDrawing();
    const EffectParameters params = EveryEffect();
    FrameBuilder builder(kSectionRowOptions, [&] { return params; });
    builder.StartLoop();
    builder.StartRun(drawing);
    for (auto _ : state)
        benchmark::DoNotOptimize(builder.BuildFrame(drawing, nullptr, false));
    state.SetItemsProcessed(state.iterations() * std::int64_t(FramePacket::kMaxPoints));
    ResetPlayState();
}
BENCHMARK(BM_ChainOnly)->Unit(benchmark::kMicrosecond);

static void BM_PerPointReference(benchmark::State& state)
{
    const Drawing drawing = BenchDrawing();
    const EffectParameters params = EveryEffect();
    EffectPhases phases;
    phases.SectionRotationPhase = 33;
    phases.SectionHStretchPhase = 100;
    phases.SectionVStretchPhase = 200;
    phases.SectionHBouncePhase = 50;
    phases.SectionVBouncePhase = 70;
    phases.SectionHRotatePhase = 20;
    phases.SectionVRotatePhase = 90;
    OutputGeometry geometry;
    geometry.outputAngle = 15;
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (const Path& path : drawing)
            for (const auto& p : path) {
                std::int32_t x = 0, y = 0;
                TransformPointReference(kSectionRowOptions, params, phases, geometry, *p, x, y);
                sum += x + y;
            }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(FramePacket::kMaxPoints));
}
BENCHMARK(BM_PerPointReference)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
