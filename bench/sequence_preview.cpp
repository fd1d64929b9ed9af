// The Sequence window's preview with three tracks playing: a drawing, a
// section row with its effects and an ILDA frame, 4,000 points each, under an
// output angle. Beside it, the Play window's preview of the same three
// pictures: the Sequence window's should cost about as much.
#include "offscreen_main.h"
#include "player/play_preview.h"
#include "sequencer/sequence_preview.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include <cmath>

namespace {

constexpr int kPoints = 4000;

Drawing Rose(int size)
{
    Path path;
    for (int i = 0; i < kPoints; ++i) {
        const double t = 2.0 * M_PI * i / kPoints * 8;
        const double r = size * std::cos(7.0 * t / 8.0);
        auto p = std::make_unique<LaserPoint>();
        p->x = int(size + r * std::cos(t));
        p->y = int(size + r * std::sin(t));
        p->colour = std::uint8_t(1 + (i / 400) % 7);
        p->blank = i % 200 == 0;
        path.push_back(std::move(p));
    }
    Drawing d;
    d.push_back(std::move(path));
    return d;
}

TSectionRecord EffectRow()
{
    TSectionRecord row;
    row.A = 100;
    row.B = 50;
    row.C = 5;
    row.E = 3;
    row.G = 2;
    row.K = kColourAuto;
    row.L = 18;
    row.M = 15;
    row.Paths = Rose(127);
    return row;
}

struct Stage {
    TSequence sequence;
    std::array<TrackState, kTrackCount> states;
    SequencePreviewInput input;
    Stage()
    {
        TSequenceRecord drawing;
        drawing.FileName = "a.ddr";
        drawing.Paths = Rose(127);
        sequence.Track1.push_back(std::move(drawing));
        TSequenceRecord section;
        section.FileName = "b.sec";
        section.Sections.push_back(EffectRow());
        sequence.Track2.push_back(std::move(section));
        TSequenceRecord ilda;
        ilda.FileName = "c.ild";
        TILDAframe frame;
        const Drawing source = Rose(100);
        for (const auto& p : source[0]) {
            auto q = std::make_unique<LaserPoint>(*p);
            q->x -= 100;
            q->y -= 100;
            frame.Points.push_back(std::move(q));
        }
        TILDAimage image;
        image.Frames.push_back(std::move(frame));
        ilda.IldaImage = std::move(image);
        sequence.Track3.push_back(std::move(ilda));
        states[1].TrackSlowDrawPrefix.store(kPoints);
        states[1].TrackRotationPhase.store(40);
        input.sequence = &sequence;
        input.states = &states;
        input.running = {true, true, true};
        input.geometry.outputAngle = 30;
    }
};

void BM_SequencePreviewThreeTracks(benchmark::State& state)
{
    Stage stage;
    QImage image(256, 256, QImage::Format_RGB32);
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderSequencePreview(image, stage.input));
    state.SetItemsProcessed(state.iterations() * 3 * kPoints);
}
BENCHMARK(BM_SequencePreviewThreeTracks)->Unit(benchmark::kMillisecond);

void BM_PlayPreviewOfTheSamePictures(benchmark::State& state)
{
    Stage stage;
    const Drawing drawing = Rose(127);
    PreviewFrame plain;
    plain.drawing = &drawing;
    plain.options = kSectionDrawingPreview;
    plain.geometry = stage.input.geometry;
    plain.maxPoints = kPoints;
    const TSectionRecord row = EffectRow();
    PreviewFrame effects = plain;
    effects.options = kSectionRowPreview;
    effects.params = ParametersOf(row);
    effects.phases = stage.states[1].Phases();
    QImage image(256, 256, QImage::Format_RGB32);
    for (auto _ : state) {
        RenderPreview(image, plain);
        RenderPreview(image, effects);
        RenderPreview(image, plain);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * 3 * kPoints);
}
BENCHMARK(BM_PlayPreviewOfTheSamePictures)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return RunOffscreenBenchmarks<QGuiApplication>(argc, argv);
}
