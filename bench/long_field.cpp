// Reading a section and a sequence whose one bad number is N digits long, and
// building the message that quotes it. The time must grow in step with N (a
// 200,000-digit field once froze a window for seconds).
//
// What matters is growth, so the goal is a ratio over a range wide enough to
// show it: the cost per digit of a 6,400,000-digit field over that of a
// 400,000-digit one, timed alternately in the same run ("per_digit_ratio" at
// most 2; a read that went over the field once per digit would give 16).
// Both lengths are past the processor's second-level cache: up to about
// 200,000 digits the field and its copies stay in it and each digit costs
// less, so "doubling at most doubles" across that edge (200,000 to 400,000)
// measured the cache, not the read. Past it, the memory of a long field
// (fresh pages from the system for each copy) still adds about a quarter per
// digit (1.2-1.3 measured), hence a bound of 2 and not 1.
#include "model/file_io.h"
#include "model/section_file.h"
#include "model/sequence_file.h"
#include "model/show_text.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

namespace {

struct LongFields {
    QTemporaryDir dir;

    QString Section(int digits)
    {
        QDir(dir.path()).mkpath("Section");
        const QString path = dir.filePath(QString("Section/long%1.sec").arg(digits));
        SaveWholeFile(path, "a.ddr|50\r\na.ddr|" + QByteArray(digits, '7') + "x|0\r\n");
        return path;
    }
    QString Sequence(int digits)
    {
        QDir(dir.path()).mkpath("Sequence");
        const QString path = dir.filePath(QString("Sequence/long%1.seq").arg(digits));
        SaveWholeFile(path, "[Music]\r\n\r\n[Track1]\r\na.ddr|" + QByteArray(digits, '0') + "x\r\n[Track2]\r\n[Track3]\r\n");
        return path;
    }
};

LongFields& Files()
{
    static LongFields files;
    return files;
}

void BM_SectionWithLongBadField(benchmark::State& state)
{
    const int digits = int(state.range(0));
    const QString path = Files().Section(digits);
    const ShowFolders folders(Files().dir.path());
    std::vector<TSectionRecord> rows;
    for (auto _ : state) {
        const ShowTextRead read = ReadSectionFile(path, rows, folders);
        if (read.extent != ShowTextRead::Extent::Part || read.message.size() > 80)
            state.SkipWithError("the read did not stop with a short message");
        benchmark::DoNotOptimize(read.message.data());
    }
    state.SetBytesProcessed(state.iterations() * digits);
}

void BM_SequenceWithLongBadPlayTime(benchmark::State& state)
{
    const int digits = int(state.range(0));
    const QString path = Files().Sequence(digits);
    TSequence sequence;
    for (auto _ : state) {
        const ShowTextRead read = ReadSequenceFile(path, sequence);
        if (read.extent != ShowTextRead::Extent::Part || read.message.size() > 80)
            state.SkipWithError("the read did not stop with a short message");
        benchmark::DoNotOptimize(read.message.data());
    }
    state.SetBytesProcessed(state.iterations() * digits);
}

BENCHMARK(BM_SectionWithLongBadField)->RangeMultiplier(4)->Range(100000, 6400000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SequenceWithLongBadPlayTime)->RangeMultiplier(4)->Range(100000, 6400000)->Unit(benchmark::kMillisecond);

constexpr int kShortDigits = 400000;
constexpr int kLongDigits = 6400000;

// Cost per digit of the long field over that of the short one, both read in turn.
template <class Read>
void PerDigitRatio(benchmark::State& state, const QString& shortFile, const QString& longFile, Read read)
{
    using Clock = std::chrono::steady_clock;
    // The quickest of each: the machine's other work only ever adds time.
    Clock::duration shortTime = Clock::duration::max(), longTime = Clock::duration::max();
    for (auto _ : state) {
        const auto t0 = Clock::now();
        read(shortFile);
        const auto t1 = Clock::now();
        read(longFile);
        const auto t2 = Clock::now();
        shortTime = std::min(shortTime, t1 - t0);
        longTime = std::min(longTime, t2 - t1);
    }
    state.counters["per_digit_ratio"] =
        (double(longTime.count()) / kLongDigits) / (double(shortTime.count()) / kShortDigits);
}

void BM_SectionLongFieldGrowth(benchmark::State& state)
{
    const ShowFolders folders(Files().dir.path());
    std::vector<TSectionRecord> rows;
    PerDigitRatio(state, Files().Section(kShortDigits), Files().Section(kLongDigits), [&](const QString& path) {
        const ShowTextRead read = ReadSectionFile(path, rows, folders);
        if (read.extent != ShowTextRead::Extent::Part || read.message.size() > 80)
            state.SkipWithError("the read did not stop with a short message");
        benchmark::DoNotOptimize(read.message.data());
    });
}
BENCHMARK(BM_SectionLongFieldGrowth)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_SequenceLongFieldGrowth(benchmark::State& state)
{
    TSequence sequence;
    PerDigitRatio(state, Files().Sequence(kShortDigits), Files().Sequence(kLongDigits), [&](const QString& path) {
        const ShowTextRead read = ReadSequenceFile(path, sequence);
        if (read.extent != ShowTextRead::Extent::Part || read.message.size() > 80)
            state.SkipWithError("the read did not stop with a short message");
        benchmark::DoNotOptimize(read.message.data());
    });
}
BENCHMARK(BM_SequenceLongFieldGrowth)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
