// What a play loop with no controller attached costs while it waits out its
// frames: every frame is "sent" to nobody, so the loop waits the frame's scan
// time itself. Counts, per loop thread, the wakeups (voluntary context
// switches) per second, and how long the loops take to end once the stop is
// raised. One and three loops (a sequence runs one per track).
//
// Goals: about one wakeup per frame (a 1,000-point frame: 30 a second), and
// the stop still seen at once ("stop_ms" well under a frame's time).
#include "output/play_state.h"
#include "player/frame_sink.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

long ThreadWakeups()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_nvcsw;
}

void BM_LoopsWithNoController(benchmark::State& state)
{
    const int loops = int(state.range(0));
    constexpr int kFramePoints = 1000;
    double wakeupsPerSecond = 0;
    double stopMs = 0;
    for (auto _ : state) {
        StopRequested.store(0);
        std::atomic<long> wakeups{0};
        std::vector<std::thread> threads;
        const auto start = Clock::now();
        for (int i = 0; i < loops; ++i)
            threads.emplace_back([&] {
                DeviceFrameSink sink;
                FramePacket frame;
                for (int p = 0; p < kFramePoints; ++p)
                    frame.Append(DevicePoint{std::uint8_t(p), std::uint8_t(p), 1, 0});
                const long before = ThreadWakeups();
                while (StopRequested.load(std::memory_order_relaxed) == 0)
                    sink.SendFrame(std::nullopt, frame);
                wakeups += ThreadWakeups() - before;
            });
        std::this_thread::sleep_for(std::chrono::milliseconds(1010));
        const auto stopAt = Clock::now();
        StopRequested.store(1);
        for (auto& t : threads)
            t.join();
        const auto end = Clock::now();
        const double seconds = std::chrono::duration<double>(end - start).count();
        wakeupsPerSecond = double(wakeups.load()) / loops / seconds;
        stopMs = std::chrono::duration<double, std::milli>(end - stopAt).count();
    }
    state.counters["wakeups_per_s_per_loop"] = wakeupsPerSecond;
    state.counters["stop_ms"] = stopMs;
}
BENCHMARK(BM_LoopsWithNoController)->Arg(1)->Arg(3)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
