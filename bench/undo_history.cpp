// Hours of editing a large drawing: 400 edits of a 200,000-point drawing,
// each recorded in the Draw window's undo history. The history must stay
// within its memory bound; "held_MB" is what the history left allocated
// (malloc's count), "steps" how many undo steps it kept.
#include "editor/draw_document.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

constexpr int kPoints = 200000;

void FourHundredEdits(benchmark::State& state)
{
    const int edits = int(state.range(0));
    double held = 0;
    int steps = 0;
    for (auto _ : state) {
        const double before = double(mallinfo2().uordblks);
        DrawDocument doc;
        for (int path = 0; path < kPoints / 1000; ++path) {
            Path p;
            for (int i = 0; i < 1000; ++i)
                p.push_back(std::make_unique<LaserPoint>(LaserPoint{i % 510, path * 5, 0, 4, 0, 0}));
            doc.Drawing.push_back(std::move(p));
        }
        for (int edit = 0; edit < edits; ++edit) {
            doc.Drawing[std::size_t(edit % 200)][0]->x = edit;
            doc.PushUndo();
        }
        held = (double(mallinfo2().uordblks) - before) / (1024.0 * 1024.0);
        steps = doc.SnapshotCount();
    }
    state.counters["held_MB"] = held;
    state.counters["steps"] = steps;
}
BENCHMARK(FourHundredEdits)->Name("BM_EditsOfA200000PointDrawing")->Arg(50)->Arg(400)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
