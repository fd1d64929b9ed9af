// One frame of a 16,384-point drawing through the Draw window's play transform
// and the fan-out (settings packet, then frame) to eight simulated controllers.
// Goal: at most 1.6 ms per frame, and a frame turned by an output angle within
// 1.5 times an unturned one (the angle's sine and cosine are worked out once a frame).

#include "eight_simulated_controllers.h"
#include "editor/editor_play_frame.h"
#include "output/device_targets.h"
#include "output/fan_out.h"
#include "output/play_state.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

Drawing StarDrawing(std::size_t points)
{
    Drawing drawing(4);
    for (std::size_t i = 0; i < points; ++i) {
        const double a = double(i) * 0.001;
        auto p = std::make_unique<LaserPoint>();
        p->x = int(256 + 250 * std::cos(a));
        p->y = int(256 + 250 * std::sin(a));
        p->colour = std::uint8_t(1 + i % 60);
        p->z = int(i % 3);
        p->blank = i % 64 == 0;
        drawing[i % 4].push_back(std::move(p));
    }
    return drawing;
}

void RunFrames(benchmark::State& state, std::int32_t angle)
{
    const auto sim = AttachEightSimulatedControllers();
    OutputChannel = 1;
    SizeX = 22;
    SizeY = 18;
    OffsetX = 3;
    OutputAngle = angle;
    StopRequested = 0;

    const PlayList list = MakeDrawingPlayList(StarDrawing(FramePacket::kMaxPoints));
    FramePacket frame;
    SettingsPacketGate gate;
    for (auto _ : state) {
        gate.Reset();  // the settings packet goes out with every frame here: the worst case
        if (gate.NeedsSending(CurrentDeviceSettings()))
            SendSettings(CurrentDeviceSettings());
        benchmark::DoNotOptimize(SendDrawingPlayFrame(frame, list, OutputTransform::Current()));
        state.PauseTiming();
        sim->ClearRequests();  // the simulator keeps every byte; not part of the cost
        state.ResumeTiming();
    }
    ResetPlayState();
    SetCurrentDeviceControl(nullptr);
    PublishDeviceTargets({});
}

void BM_DrawingPlayFrameToEightControllers(benchmark::State& state) { RunFrames(state, 0); }
void BM_DrawingPlayFrameTurnedToEightControllers(benchmark::State& state) { RunFrames(state, 30); }

}  // namespace

BENCHMARK(BM_DrawingPlayFrameToEightControllers)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawingPlayFrameTurnedToEightControllers)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
