// One repaint of the Draw window's canvas holding a 100,000-point drawing:
// with every point selected (a marker each), with none selected (vertex and
// point markers), and with the markers off. Goal: under 50 ms each, so a
// selection dragged with the mouse follows the pointer.
#include "offscreen_main.h"
#include "editor/canvas_painter.h"
#include "model/background_picture.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include <cmath>

namespace {

constexpr int kPoints = 100000;

// 100 paths of 1,000 points over the canvas, every fourth point a placed vertex (z = 2).
void FillDocument(DrawDocument& doc, bool selected)
{
    doc.Drawing.clear();
    doc.Selection.clear();
    for (int path = 0; path < kPoints / 1000; ++path) {
        Path p;
        for (int i = 0; i < 1000; ++i) {
            const double t = (path * 1000 + i) * 0.0137;
            auto point = std::make_unique<LaserPoint>();
            point->x = int(255 + 240 * std::sin(t * 1.3 + path));
            point->y = int(255 + 240 * std::cos(t * 0.7));
            point->z = i % 4 == 0 ? 2 : 0;
            point->colour = std::uint8_t(1 + (path + i / 50) % 7);
            point->blank = i == 0;
            point->mark = selected ? kMarkSelected : kMarkNone;
            if (selected)
                doc.Selection.push_back(point.get());
            p.push_back(std::move(point));
        }
        doc.Drawing.push_back(std::move(p));
    }
}

void Repaint(benchmark::State& state, bool selected, bool showPoints)
{
    DrawDocument doc;
    FillDocument(doc, selected);
    doc.ShowPoints = showPoints;
    BackgroundPicture pictures;
    QImage canvas(512, 512, QImage::Format_RGB32);
    const RubberBand band;
    for (auto _ : state) {
        PaintCanvas(canvas, pictures, doc, band);
        benchmark::DoNotOptimize(canvas.constBits());
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}

void BM_RepaintAllSelected(benchmark::State& state) { Repaint(state, true, true); }
void BM_RepaintNoneSelected(benchmark::State& state) { Repaint(state, false, true); }
void BM_RepaintMarkersOff(benchmark::State& state) { Repaint(state, false, false); }

BENCHMARK(BM_RepaintAllSelected)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintNoneSelected)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintMarkersOff)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return RunOffscreenBenchmarks<QGuiApplication>(argc, argv);
}
