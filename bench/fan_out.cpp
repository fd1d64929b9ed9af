// Building a full 16,384-point frame and fanning it out (settings packet, then
// frame) to eight simulated controllers. Goal: well under 1.6 ms per frame,
// 1% of the frame's scan time at 100,000 points per second.

#include "eight_simulated_controllers.h"
#include "output/fan_out.h"

#include <benchmark/benchmark.h>

#include <cmath>

static void BM_BuildAndFanOutFrame(benchmark::State& state)
{
    const auto sim = AttachEightSimulatedControllers();

    FramePacket frame;
    const DeviceSettingsPacket settings{15, 2};
    for (auto _ : state) {
        frame.Clear();
        for (std::size_t i = 0; i < FramePacket::kMaxPoints; ++i) {
            const double a = double(i) * 0.001;
            frame.Append(MakeDevicePoint(128 + 100 * std::cos(a), 128 + 100 * std::sin(a),
                                         std::uint8_t(1 + i % 7), i % 64 == 0, std::int32_t(i % 3)));
        }
        const auto targets = CurrentDeviceTargets();
        benchmark::DoNotOptimize(SendFrame(frame, settings, *targets, 1));
        state.PauseTiming();
        sim->ClearRequests();  // the simulator keeps every byte; not part of the cost
        state.ResumeTiming();
    }
    SetCurrentDeviceControl(nullptr);
    PublishDeviceTargets({});
}
BENCHMARK(BM_BuildAndFanOutFrame)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
