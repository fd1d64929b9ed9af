// Show-file and effect speed, in points per second. The floor is a plain copy
// of the same ILDA bytes with the 16-bit byte swap every reader must do: the
// reader should reach at least a quarter of it.
//
// Two reads are measured against two floors: a reload (the players read into
// the image they play, reusing its point records) against the byte-swap copy,
// and a first load, which must make one record per point (a path owns each
// point on its own), against the same copy that also makes those records.
// BM_IldaReloadOverFloor and BM_IldaFirstLoadOverFloor time each read beside
// its floor in the same run: "ratio" at most 4 for both.
#include "model/effect_steps.h"
#include "model/file_io.h"
#include "model/ilda_file.h"
#include "model/show_model.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <vector>

namespace {

constexpr int kFrames = 100;
constexpr int kPointsPerFrame = 2000;
constexpr std::int64_t kTotalPoints = std::int64_t(kFrames) * kPointsPerFrame;

TILDAimage MakeImage()
{
    TILDAimage image;
    for (int f = 0; f < kFrames; ++f) {
        TILDAframe frame;
        for (int i = 0; i < kPointsPerFrame; ++i) {
            auto p = std::make_unique<LaserPoint>();
            p->x = (i * 7) % 256 - 128;
            p->y = (i * 13) % 256 - 128;
            p->colour = std::uint8_t(i % 256);
            p->blank = i % 50 == 0;
            frame.Points.push_back(std::move(p));
        }
        image.Frames.push_back(std::move(frame));
    }
    return image;
}

struct IldaFixture {
    QTemporaryDir dir;
    QString path;
    QByteArray bytes;
    IldaFixture()
    {
        path = dir.filePath("bench.ild");
        WriteIldaFile(path, MakeImage());
        bytes = *ReadWholeFile(path);
    }
};

IldaFixture& Fixture()
{
    static IldaFixture fixture;
    return fixture;
}

// The floor's work: read the file and copy its bytes out with a byte swap of
// every 16-bit word, no parsing.
void ReadSwappedWords(const QString& path, std::vector<std::uint16_t>& words)
{
    const QByteArray bytes = *ReadWholeFile(path);
    const auto* src = reinterpret_cast<const unsigned char*>(bytes.constData());
    words.resize(std::size_t(bytes.size()) / 2);
    for (std::size_t i = 0; i < words.size(); ++i)
        words[i] = std::uint16_t((src[2 * i] << 8) | src[2 * i + 1]);
}

// Each iteration makes an image and frees it untimed, as a first load does.
template <class Make>
void TimeImagesMade(benchmark::State& state, Make make)
{
    for (auto _ : state) {
        TILDAimage image = make();
        benchmark::DoNotOptimize(image.Frames.data());
        state.PauseTiming();
        image = TILDAimage{};
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kTotalPoints);
}

// Reloading into the same image, as the players do on every start.
void BM_IldaRead(benchmark::State& state)
{
    auto& fx = Fixture();
    TILDAimage image;
    for (auto _ : state) {
        ReadIldaFile(fx.path, image);
        benchmark::DoNotOptimize(image.Frames.data());
    }
    state.SetItemsProcessed(state.iterations() * kTotalPoints);
}
BENCHMARK(BM_IldaRead)->Unit(benchmark::kMillisecond);

// A first load: every point record is a new allocation. Freeing the image
// afterwards is left out of the timing.
void BM_IldaReadIntoEmptyImage(benchmark::State& state)
{
    auto& fx = Fixture();
    TimeImagesMade(state, [&] {
        TILDAimage image;
        ReadIldaFile(fx.path, image);
        return image;
    });
}
BENCHMARK(BM_IldaReadIntoEmptyImage)->Unit(benchmark::kMillisecond);

// The floor: the same file read and byte-swapped.
void BM_IldaFloorCopyWithByteSwap(benchmark::State& state)
{
    auto& fx = Fixture();
    std::vector<std::uint16_t> words;
    for (auto _ : state) {
        ReadSwappedWords(fx.path, words);
        benchmark::DoNotOptimize(words.data());
    }
    state.SetItemsProcessed(state.iterations() * kTotalPoints);
}
BENCHMARK(BM_IldaFloorCopyWithByteSwap)->Unit(benchmark::kMillisecond);

// The floor of a first load: the byte-swap copy, and a new record per point in
// frames of the file's size. Freeing them is left out, as for the read.
TILDAimage FloorNewRecords(const QString& path)
{
    std::vector<std::uint16_t> words;
    ReadSwappedWords(path, words);
    TILDAimage image;
    std::size_t word = 16;  // past the first header
    for (int f = 0; f < kFrames; ++f) {
        TILDAframe frame;
        frame.Points.reserve(kPointsPerFrame);
        for (int i = 0; i < kPointsPerFrame; ++i, word += 4) {
            auto p = std::make_unique<LaserPoint>();
            p->x = std::int16_t(words[word % words.size()]) >> 8;
            frame.Points.push_back(std::move(p));
        }
        image.Frames.push_back(std::move(frame));
        word += 16;
    }
    return image;
}

void BM_IldaFloorCopyIntoNewRecords(benchmark::State& state)
{
    auto& fx = Fixture();
    TimeImagesMade(state, [&] { return FloorNewRecords(fx.path); });
}
BENCHMARK(BM_IldaFloorCopyIntoNewRecords)->Unit(benchmark::kMillisecond);

// Each read beside its floor, alternately, so that read and floor see the same load.
using Clock = std::chrono::steady_clock;

void BM_IldaReloadOverFloor(benchmark::State& state)
{
    auto& fx = Fixture();
    Clock::duration read{}, floor{};
    TILDAimage reused;
    ReadIldaFile(fx.path, reused);
    std::vector<std::uint16_t> words;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        ReadIldaFile(fx.path, reused);
        benchmark::DoNotOptimize(reused.Frames.data());
        const auto t1 = Clock::now();
        ReadSwappedWords(fx.path, words);
        benchmark::DoNotOptimize(words.data());
        const auto t2 = Clock::now();
        read += t1 - t0;
        floor += t2 - t1;
    }
    state.counters["ratio"] = double(read.count()) / double(floor.count());
}
BENCHMARK(BM_IldaReloadOverFloor)->Unit(benchmark::kMillisecond)->Iterations(400);

void BM_IldaFirstLoadOverFloor(benchmark::State& state)
{
    auto& fx = Fixture();
    Clock::duration read{}, floor{};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        TILDAimage image;
        ReadIldaFile(fx.path, image);
        benchmark::DoNotOptimize(image.Frames.data());
        const auto t1 = Clock::now();
        image = TILDAimage{};
        const auto t2 = Clock::now();
        TILDAimage records = FloorNewRecords(fx.path);
        benchmark::DoNotOptimize(records.Frames.data());
        const auto t3 = Clock::now();
        records = TILDAimage{};
        read += t1 - t0;
        floor += t3 - t2;
    }
    state.counters["ratio"] = double(read.count()) / double(floor.count());
}
BENCHMARK(BM_IldaFirstLoadOverFloor)->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_IldaWrite(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.ild");
    const TILDAimage image = MakeImage();
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteIldaFile(path, image).ok);
    state.SetItemsProcessed(state.iterations() * kTotalPoints);
}
BENCHMARK(BM_IldaWrite)->Unit(benchmark::kMillisecond);

// Every effect step once per point, as a play loop's chain would.
void BM_EffectSteps(benchmark::State& state)
{
    std::int32_t phase = 0;
    for (auto _ : state) {
        for (int i = 0; i < kPointsPerFrame; ++i) {
            double x = i % 256;
            double y = (i * 3) % 256;
            ApplyHStretch(phase % 510, x);
            ApplyVStretch(phase % 510, y);
            ApplyHRotate(phase % 256, x);
            ApplyVRotate(phase % 256, y);
            ApplyHBounce(phase % 510, x);
            ApplyVBounce(phase % 510, y);
            ApplyGoboSize(15, x, y);
            RotateByAngle(phase % 360, x, y);
            benchmark::DoNotOptimize(ApplySizeX(std::int32_t(x), 20) + ApplySizeY(std::int32_t(y), 20));
        }
        ++phase;
    }
    state.SetItemsProcessed(state.iterations() * kPointsPerFrame);
}
BENCHMARK(BM_EffectSteps);

}  // namespace

BENCHMARK_MAIN();
