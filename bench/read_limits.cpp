// Reads bounded before they start. Goals:
// - a terabyte file (sparse: it takes no disk) of any kind is refused by its
//   size in under 1 s and 300 MB;
// - a text file (section, sequence, Vorla.ini, .plt) within its size limit is
//   read or refused in under 6 times its size of memory and 5 s.
// "peak_MB" is the process's peak resident size, and "size_MB" the file's: run
// one case at a time (--benchmark_filter=Text/0) for a peak of that case alone.
#include "editor/plot_file.h"
#include "model/drawing_file.h"
#include "model/file_io.h"
#include "model/ilda_file.h"
#include "model/section_file.h"
#include "model/sequence_file.h"
#include "shell/settings_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

double PeakMB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

struct Root {
    QTemporaryDir dir;
    Root()
    {
        for (const char* folder : {"Drawing", "ILDAimage", "Section", "Sequence"})
            QDir(dir.path()).mkpath(folder);
    }
    QString Write(const QString& relative, const QByteArray& bytes) const
    {
        const QString path = dir.filePath(relative);
        SaveWholeFile(path, bytes);
        return path;
    }
    QString Sparse(const QString& relative, qint64 size) const
    {
        const QString path = Write(relative, QByteArray());
        QFile file(path);
        file.open(QIODevice::ReadWrite);
        file.resize(size);
        return path;
    }
};

constexpr qint64 kTerabyte = qint64{1} << 40;

// 0 drawing, 1 ILDA, 2 section, 3 sequence, 4 .plt, 5 Vorla.ini.
void BM_TerabyteRefused(benchmark::State& state)
{
    const Root root;
    const ShowFolders folders(root.dir.path());
    const int kind = int(state.range(0));
    const char* names[] = {"Drawing/a.ddr", "ILDAimage/a.ild", "Section/a.sec", "Sequence/a.seq", "a.plt", "Vorla.ini"};
    const QString path = root.Sparse(QString::fromLatin1(names[kind]), kTerabyte);
    bool refused = true;
    for (auto _ : state) {
        switch (kind) {
        case 0: {
            Drawing drawing;
            refused &= !ReadDrawingFile(path, drawing, kFileScale);
            break;
        }
        case 1: {
            TILDAimage image;
            refused &= !ReadIldaFile(path, image);
            break;
        }
        case 2: {
            std::vector<TSectionRecord> rows;
            refused &= !ReadSectionFile(path, rows, folders);
            break;
        }
        case 3: {
            TSequence sequence;
            refused &= !LoadSequenceFile(path, folders, sequence);
            break;
        }
        case 4:
            refused &= ReadPltFile(path, 0, 0, 1).status == PltImport::Status::Unreadable;
            break;
        default:
            refused &= !SettingsFile::Load(path).ReadFailure().isEmpty();
            break;
        }
    }
    if (!refused)
        state.SkipWithError("a terabyte was not refused");
    state.counters["peak_MB"] = PeakMB();
}
BENCHMARK(BM_TerabyteRefused)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

constexpr qsizetype kHundredMB = 100'000'000;

// 0 a one-row section of 100 MB, 1 a section of 100 MB of line feeds (refused),
// 2 a sequence whose music part holds 100 MB of line feeds, 3 a .plt of "LT"
// and 100 MB of line feeds, 4 a Vorla.ini of line feeds at its limit.
void BM_Text(benchmark::State& state)
{
    const Root root;
    const ShowFolders folders(root.dir.path());
    const int kind = int(state.range(0));
    QString path;
    qint64 size = 0;
    {
        QByteArray bytes;
        switch (kind) {
        case 0:
            bytes = "a.ddr|5|" + QByteArray(kHundredMB, ' ') + "\r\n";
            path = root.Write("Section/one.sec", bytes);
            break;
        case 1:
            bytes = QByteArray(kHundredMB, '\n');
            path = root.Write("Section/feeds.sec", bytes);
            break;
        case 2:
            bytes = "[Music]\r\nsong.wav\r\n" + QByteArray(kHundredMB, '\n') + "[Track1]\r\na.ddr|1\r\n";
            path = root.Write("Sequence/feeds.seq", bytes);
            break;
        case 3:
            bytes = "LT;\n" + QByteArray(kHundredMB, '\n');
            path = root.Write("feeds.plt", bytes);
            break;
        default:
            bytes = QByteArray(SettingsFile::kMaxFileBytes, '\n');
            path = root.Write("Vorla.ini", bytes);
            break;
        }
        size = bytes.size();
    }
    for (auto _ : state) {
        switch (kind) {
        case 0:
        case 1: {
            std::vector<TSectionRecord> rows;
            benchmark::DoNotOptimize(ReadSectionFile(path, rows, folders).ok);
            break;
        }
        case 2: {
            TSequence sequence;
            benchmark::DoNotOptimize(LoadSequenceFile(path, folders, sequence).ok);
            break;
        }
        case 3:
            benchmark::DoNotOptimize(ReadPltFile(path, 0, 0, 1).status);
            break;
        default:
            benchmark::DoNotOptimize(SettingsFile::Load(path).lineCount());
            break;
        }
    }
    state.counters["size_MB"] = double(size) / (1024.0 * 1024.0);
    state.counters["peak_MB"] = PeakMB();
}
BENCHMARK(BM_Text)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
