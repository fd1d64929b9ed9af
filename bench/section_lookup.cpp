// Reading a 500-row section over a Drawing folder of 5,000 files, with the
// names stored in the files' own case and in lower case (as the Sequence
// window stores them). A lower-case read lists the folder once, so it may
// cost at most three times an exact-case read.
#include "model/file_io.h"
#include "model/section_file.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kDrawings = 5000;
constexpr int kRows = 500;

struct ShowRoot {
    QTemporaryDir dir;
    QString exactSection;
    QString lowerSection;

    ShowRoot()
    {
        QDir(dir.path()).mkpath("Drawing");
        QDir(dir.path()).mkpath("Section");
        QByteArray drawing;
        for (int i = 0; i < 20; ++i)
            drawing.append(char(i * 10)).append(char(i * 5)).append(char(2)).append(char(3)).append(char(i == 19 ? 128 : 0));
        for (int i = 0; i < kDrawings; ++i)
            SaveWholeFile(dir.filePath(QString("Drawing/Shape%1.DDR").arg(i, 4, 10, QChar('0'))), drawing);
        QByteArray exact, lower;
        for (int row = 0; row < kRows; ++row) {
            const QString name = QString("Shape%1.DDR").arg(row * (kDrawings / kRows), 4, 10, QChar('0'));
            const QByteArray fields = "|300|0|0|0|0|0|0|0|0|0|257|20|0|30|0|85|0|0\r\n";
            exact += name.toUtf8() + fields;
            lower += name.toLower().toUtf8() + fields;
        }
        exactSection = dir.filePath("Section/exact.sec");
        lowerSection = dir.filePath("Section/lower.sec");
        SaveWholeFile(exactSection, exact);
        SaveWholeFile(lowerSection, lower);
    }
};

ShowRoot& Root()
{
    static ShowRoot root;
    return root;
}

void Read(benchmark::State& state, const QString& section)
{
    const ShowFolders folders(Root().dir.path());
    std::vector<TSectionRecord> rows;
    for (auto _ : state) {
        const FileResult result = ReadSectionFile(section, rows, folders);
        if (!result || rows.size() != std::size_t(kRows) || rows.back().Paths.empty())
            state.SkipWithError("the section did not read whole");
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_SectionReadExactCase(benchmark::State& state) { Read(state, Root().exactSection); }
void BM_SectionReadLowerCase(benchmark::State& state) { Read(state, Root().lowerSection); }

BENCHMARK(BM_SectionReadExactCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SectionReadLowerCase)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
