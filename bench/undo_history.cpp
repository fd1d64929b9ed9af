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
// Opening a 20,000,000-point drawing: what the history adds to the drawing
// itself ("history_MB", malloc's count). Its copy would not fit the bound, so
// the history takes none; one that fits is copied as the first state.
void OpenALargeDrawing(benchmark::State& state)
{
    const int points = int(state.range(0));
    double drawingMb = 0, historyMb = 0;
    for (auto _ : state) {
        DrawDocument doc;
        const double before = double(mallinfo2().uordblks);
        ::Drawing drawing;
        for (int path = 0; path < points / 1000; ++path) {
            Path p;
            p.reserve(1000);
            for (int i = 0; i < 1000; ++i)
                p.push_back(std::make_unique<LaserPoint>(LaserPoint{i % 510, path % 510, 0, 4, 0, 0}));
            drawing.push_back(std::move(p));
        }
        const double built = double(mallinfo2().uordblks);
        doc.ReplaceDrawing(std::move(drawing));
        const double opened = double(mallinfo2().uordblks);
        drawingMb = (built - before) / (1024.0 * 1024.0);
        historyMb = (opened - built) / (1024.0 * 1024.0);
    }
    state.counters["drawing_MB"] = drawingMb;
    state.counters["history_MB"] = historyMb;
}
BENCHMARK(OpenALargeDrawing)->Name("BM_OpenADrawing")->Arg(1000000)->Arg(20000000)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK(FourHundredEdits)->Name("BM_EditsOfA200000PointDrawing")->Arg(50)->Arg(400)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
