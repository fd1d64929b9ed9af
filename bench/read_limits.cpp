// Reads bounded before they start. Goals:
// - a terabyte file (sparse: it takes no disk) of any kind is refused by its
//   size in under 1 s and 300 MB;
// - a text file (section, sequence, Vorla.ini, .plt) within its size limit is
//   read or refused in under 6 times its size of memory and 5 s.
// "peak_MB" is the process's peak resident size (reset after a case's file is
// written), and "size_MB" the file's: run one case at a time
// (--benchmark_filter=Text/0/) for the peak of that case alone.
#include "editor/plot_file.h"
#include "model/drawing_file.h"
#include "model/file_io.h"
#include "model/ilda_file.h"
#include "model/section_file.h"
#include "model/sequence_file.h"
#include "shell/settings_file.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>

namespace {

// Forgets the peak so far (setting up a case must not count as its read).
void ResetPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

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

// Writes head, `count` copies of `fill`, then tail, a piece at a time.
QString WriteText(const Root& root, const QString& relative, const QByteArray& head, const QByteArray& fill,
                  qsizetype count, const QByteArray& tail)
{
    const QString path = root.dir.filePath(relative);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(head);
    const QByteArray piece = fill.repeated(std::max<qsizetype>(1, (qsizetype{1} << 20) / fill.size()));
    qsizetype left = count;
    const qsizetype perPiece = piece.size() / fill.size();
    while (left > 0) {
        const qsizetype n = std::min(left, perPiece);
        file.write(piece.constData(), n * fill.size());
        left -= n;
    }
    file.write(tail);
    return path;
}

// 0 a one-row section of 100 MB, 1 a section of 100 MB of line feeds (refused
// by its rows), 2 a sequence whose music part holds 100 MB of line feeds, 3 a
// .plt of "LT" and 45 MB of line feeds, 4 a .plt of 45 MB of point lines (every
// point kept), 5 a Vorla.ini of line feeds at its limit, 6 a .plt of 45 MB of
// "LT" lines (every one an empty path of its own), 7 a .plt of 45 MB of paths of
// one point each. The last two miss the six-times goal: a path is a list of
// its own and each point a record of its own, about 24 and 40 bytes, against
// 4 and 7 bytes of text.
void BM_Text(benchmark::State& state)
{
    const Root root;
    const ShowFolders folders(root.dir.path());
    const int kind = int(state.range(0));
    constexpr qsizetype kPlotBytes = 45'000'000;
    QString path;
    switch (kind) {
    case 0:
        path = WriteText(root, "Section/one.sec", "a.ddr|5|", " ", kHundredMB, "\r\n");
        break;
    case 1:
        path = WriteText(root, "Section/feeds.sec", "", "\n", kHundredMB, "");
        break;
    case 2:
        path = WriteText(root, "Sequence/feeds.seq", "[Music]\r\nsong.wav\r\n", "\n", kHundredMB,
                         "[Track1]\r\na.ddr|1\r\n");
        break;
    case 3:
        path = WriteText(root, "feeds.plt", "LT;\n", "\n", kPlotBytes, "SP0;\n");
        break;
    case 4:
        // Level steps of one unit: thinning never drops them.
        path = WriteText(root, "points.plt", "LT;\n", "PD1 1;\nPD2 1;\n", kPlotBytes / 14, "SP0;\n");
        break;
    case 5:
        path = WriteText(root, "Vorla.ini", "", "\n", SettingsFile::kMaxFileBytes, "");
        break;
    case 6:
        path = WriteText(root, "paths.plt", "", "LT;\n", kPlotBytes / 4, "SP0;\n");
        break;
    default:
        path = WriteText(root, "short.plt", "LT;\n", "LT;\nPD1 1;\n", kPlotBytes / 11, "SP0;\n");
        break;
    }
    const qint64 size = QFileInfo(path).size();
    ResetPeak();
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
        case 4:
        case 6:
        case 7:
            if (ReadPltFile(path, 0, 0, 1).status != PltImport::Status::Ok)
                state.SkipWithError("the plotter file did not read");
            break;
        case 5:
            benchmark::DoNotOptimize(SettingsFile::Load(path).lineCount());
            break;
        }
    }
    state.counters["size_MB"] = double(size) / (1024.0 * 1024.0);
    state.counters["peak_MB"] = PeakMB();
}
BENCHMARK(BM_Text)->DenseRange(0, 7)->Unit(benchmark::kMillisecond)->Iterations(1);

// A sequence naming one 20 MB image 40 times: 0 an image of palettes alone,
// 1 an image of one-point frames. Goal: the image is read once and the show
// holds well under 2 GB.
void BM_SequenceNamingOneImage(benchmark::State& state)
{
    const Root root;
    const ShowFolders folders(root.dir.path());
    constexpr qsizetype kImageBytes = 20'000'000;
    if (state.range(0) == 0) {
        const QByteArray palette = QByteArray("ILDA\0\0\0\x02", 8) + QByteArray(16, 'P') +
                                   QByteArray("\xff\xff\0\0\0\0\0\0", 8) + QByteArray(65535 * 3, '\x7f');
        WriteText(root, "ILDAimage/a.ild", "", palette, kImageBytes / palette.size(), "");
    } else {
        const QByteArray frame = QByteArray("ILDA\0\0\0\x00", 8) + QByteArray(16, 'F') +
                                 QByteArray("\x00\x01\0\0\0\0\0\0", 8) + QByteArray("\0\0\0\0\0\0\xc0\x01", 8);
        WriteText(root, "ILDAimage/a.ild", "", frame, kImageBytes / frame.size(), "");
    }
    const QString path = root.Write("Sequence/s.seq", "[Track1]\r\n" + QByteArray("a.ild|1\r\n").repeated(40));
    ResetPeak();
    for (auto _ : state) {
        TSequence sequence;
        if (!LoadSequenceFile(path, folders, sequence) || sequence.Track1.size() != 40)
            state.SkipWithError("the sequence did not read");
    }
    state.counters["peak_MB"] = PeakMB();
}
BENCHMARK(BM_SequenceNamingOneImage)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
