// Reading a show that names one large drawing many times: a 1,000-row section
// whose rows all name one 20,000-point drawing, and a sequence of 10 items
// naming that section. Goal: the sequence reads in under 1 s and holds under
// 100 MB. "held_MB" is what the read left allocated (malloc's count), so it
// is the memory the open show costs.
//
// And a small sequence (22 KB) naming one 20,000-row section (180 KB) 200 or
// 2,000 times: 4 or 40 million rows. Goal: it reads in under 1 s and 100 MB,
// or is refused at once. "peak_MB" is the process's peak resident size, so run
// it alone (--benchmark_filter=BigSection).
#include "model/file_io.h"
#include "model/section_file.h"
#include "model/sequence_file.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/resource.h>

namespace {

constexpr int kDrawingPoints = 20000;
constexpr int kRows = 1000;
constexpr int kItems = 10;

struct ShowRoot {
    QTemporaryDir dir;
    QString section;
    QString sequence;

    ShowRoot()
    {
        for (const char* folder : {"Drawing", "Section", "Sequence"})
            QDir(dir.path()).mkpath(folder);
        QByteArray drawing;
        for (int i = 0; i < kDrawingPoints; ++i) {
            const bool last = i % 100 == 99;  // paths of 100 points
            drawing.append(char(i % 250)).append(char(i / 100)).append(char(2)).append(char(1 + i % 7))
                .append(char(last ? 128 : 0));
        }
        SaveWholeFile(dir.filePath("Drawing/big.ddr"), drawing);
        QByteArray rows;
        for (int row = 0; row < kRows; ++row)
            rows += "big.ddr|300|50|0|0|0|0|0|0|0|0|257|20|0|30|0|85|0|0\r\n";
        section = dir.filePath("Section/rows.sec");
        SaveWholeFile(section, rows);
        QByteArray items = "[Music]\r\n\r\n[Track1]\r\n";
        for (int item = 0; item < kItems; ++item)
            items += "rows.sec|100\r\n";
        items += "[Track2]\r\n[Track3]\r\n";
        sequence = dir.filePath("Sequence/show.seq");
        SaveWholeFile(sequence, items);
    }
};

ShowRoot& Root()
{
    static ShowRoot root;
    return root;
}

double AllocatedMB()
{
    return double(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

void BM_SectionRead(benchmark::State& state)
{
    const ShowFolders folders(Root().dir.path());
    double held = 0;
    for (auto _ : state) {
        const double before = AllocatedMB();
        std::vector<TSectionRecord> rows;
        const FileResult result = ReadSectionFile(Root().section, rows, folders);
        if (!result || rows.size() != std::size_t(kRows) || PointTotal(rows.back().Paths) != kDrawingPoints)
            state.SkipWithError("the section did not read whole");
        held = AllocatedMB() - before;
        state.PauseTiming();
        rows.clear();
        state.ResumeTiming();
    }
    state.counters["held_MB"] = held;
}
BENCHMARK(BM_SectionRead)->Unit(benchmark::kMillisecond);

void BM_SequenceRead(benchmark::State& state)
{
    const ShowFolders folders(Root().dir.path());
    double held = 0;
    for (auto _ : state) {
        const double before = AllocatedMB();
        TSequence sequence;
        const FileResult result = LoadSequenceFile(Root().sequence, folders, sequence);
        if (!result || sequence.Track1.size() != std::size_t(kItems) ||
            sequence.Track1.back().Sections.size() != std::size_t(kRows) ||
            PointTotal(sequence.Track1.back().Sections.back().Paths) != kDrawingPoints)
            state.SkipWithError("the sequence did not read whole");
        held = AllocatedMB() - before;
        state.PauseTiming();
        sequence = {};
        state.ResumeTiming();
    }
    state.counters["held_MB"] = held;
}
BENCHMARK(BM_SequenceRead)->Unit(benchmark::kMillisecond);

constexpr int kBigSectionRows = 20000;

struct BigSectionShow {
    QTemporaryDir dir;
    QString sequence;

    explicit BigSectionShow(int itemCount)
    {
        for (const char* folder : {"Drawing", "Section", "Sequence"})
            QDir(dir.path()).mkpath(folder);
        QByteArray drawing;
        for (int i = 0; i < 10; ++i)
            drawing.append(char(20 * i)).append(char(20 * i)).append(char(2)).append(char(1)).append(char(i == 9 ? 128 : 0));
        SaveWholeFile(dir.filePath("Drawing/a.ddr"), drawing);
        SaveWholeFile(dir.filePath("Section/s.sec"), QByteArray("a.ddr|1\r\n").repeated(kBigSectionRows));
        const QByteArray items = "[Music]\r\n\r\n[Track1]\r\n" + QByteArray("s.sec|100\r\n").repeated(itemCount) +
                                 "[Track2]\r\n[Track3]\r\n";
        sequence = dir.filePath("Sequence/show.seq");
        SaveWholeFile(sequence, items);
    }
};

double PeakMB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

void BM_SequenceOfOneBigSection(benchmark::State& state)
{
    const BigSectionShow show(int(state.range(0)));
    const ShowFolders folders(show.dir.path());
    bool refused = false;
    for (auto _ : state) {
        TSequence sequence;
        const FileResult result = LoadSequenceFile(show.sequence, folders, sequence);
        refused = !result;
        if (!refused && sequence.Track1.size() != std::size_t(state.range(0)))
            state.SkipWithError("the sequence read neither whole nor refused");
        state.PauseTiming();
        sequence = {};
        state.ResumeTiming();
    }
    state.counters["refused"] = refused ? 1 : 0;
    state.counters["peak_MB"] = PeakMB();
}
BENCHMARK(BM_SequenceOfOneBigSection)->Arg(20)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
