// DrawPointList of a full 16,384-point frame into the 512 x 512 editor image.
// Previews repaint on every 15.625 ms tick; the goal is well under 2 ms.
#include "offscreen_main.h"
#include "model/gdi_canvas.h"
#include "model/painters.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include <cmath>

namespace {

constexpr int kFramePoints = 16384;

// A rose curve over the editor canvas: short segments as the drawing tools
// make them, a blanked jump every 256 points, colours cycling.
Path RoseFrame()
{
    Path path;
    for (int i = 0; i < kFramePoints; ++i) {
        const double t = 2.0 * M_PI * i / kFramePoints * 8;
        const double r = 250.0 * std::cos(7.0 * t / 8.0);
        auto p = std::make_unique<LaserPoint>();
        p->x = int(255 + r * std::cos(t));
        p->y = int(255 + r * std::sin(t));
        p->colour = std::uint8_t(2 + (i / 512) % 6);
        p->blank = i % 256 == 0;
        path.push_back(std::move(p));
    }
    return path;
}

// Worst case: every segment jumps across the canvas.
Path ScatterFrame()
{
    Path path;
    unsigned seed = 12345;
    for (int i = 0; i < kFramePoints; ++i) {
        seed = seed * 1103515245u + 12345u;
        auto p = std::make_unique<LaserPoint>();
        p->x = int((seed >> 8) % 511);
        p->y = int((seed >> 20) % 511);
        p->colour = std::uint8_t(2 + i % 6);
        path.push_back(std::move(p));
    }
    return path;
}

void Run(benchmark::State& state, const Path& path, int divisor)
{
    QImage image(512, 512, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (auto _ : state) {
        DrawPointList(image, path, 1, divisor);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * kFramePoints);
}

void BM_DrawPointListRose(benchmark::State& state) { Run(state, RoseFrame(), 1); }
void BM_DrawPointListRoseHalfSize(benchmark::State& state) { Run(state, RoseFrame(), 2); }
void BM_DrawPointListScatter(benchmark::State& state) { Run(state, ScatterFrame(), 1); }

BENCHMARK(BM_DrawPointListRose)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawPointListRoseHalfSize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawPointListScatter)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return RunOffscreenBenchmarks<QGuiApplication>(argc, argv);
}
