// Reading a section and a sequence whose one bad number is N digits long, and
// building the message that quotes it. The time must grow in step with N (a
// 200,000-digit field once froze a window for seconds): doubling N may at
// most about double the time.
#include "model/file_io.h"
#include "model/section_file.h"
#include "model/sequence_file.h"
#include "model/show_text.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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

BENCHMARK(BM_SectionWithLongBadField)->Arg(100000)->Arg(200000)->Arg(400000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SequenceWithLongBadPlayTime)->Arg(100000)->Arg(200000)->Arg(400000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
