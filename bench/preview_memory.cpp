// What the program holds with a large drawing first in Drawing/ (100 MB,
// 20,000,000 points) and a large ILDA image first in ILDAimage/ (100,000
// frames of 100 points, 80 MB): once every window is built (creation reads no
// file), once the Section, Play and Sequence windows are shown (each draws the
// drawing's thumbnail and keeps only the picture), and while the image plays
// from the Play window (the play shares the image it read). One run per process:
//
//   build/bench/bench_preview_memory
//
// Goals: held after start-up and after the windows are shown under 300 MB;
// held while the image plays under twice the image alone.
#include "app/create_windows.h"
#include "app/zarn_application.h"
#include "model/file_io.h"
#include "player/drawing_thumbnail.h"
#include "player/play_window.h"
#include "player/section_window.h"
#include "sequencer/sequence_window.h"
#include "shell/window_registry.h"
#include "skin/radio_group.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// Resident memory now, from /proc/self/statm.
double ResidentMB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? double(fields[1].toLongLong()) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0)
                             : 0;
}

QByteArray BigDrawing()
{
    constexpr int kPoints = 20'000'000;
    QByteArray bytes(qsizetype(kPoints) * 5, Qt::Uninitialized);
    for (int i = 0; i < kPoints; ++i) {
        char* r = bytes.data() + qsizetype(i) * 5;
        r[0] = char(i % 256);
        r[1] = char((i / 256) % 256);
        r[2] = 0;
        r[3] = char(1 + i % 7);
        r[4] = char(i % 1000 == 999 ? 128 : 0);
    }
    return bytes;
}

void Put16(QByteArray& out, int value)
{
    out.append(char((value >> 8) & 0xFF)).append(char(value & 0xFF));
}

QByteArray IldaHeader(int count, int frame, int total)
{
    QByteArray header("ILDA\0\0\0\0", 8);
    header.append(QByteArray(16, ' '));
    Put16(header, count);
    Put16(header, frame);
    Put16(header, total);
    header.append(char(0)).append(char(0));
    return header;
}

QByteArray BigImage()
{
    constexpr int kFrames = 100'000;
    constexpr int kPoints = 100;
    QByteArray bytes;
    bytes.reserve(qsizetype(kFrames) * (32 + kPoints * 8) + 32);
    for (int f = 0; f < kFrames; ++f) {
        bytes.append(IldaHeader(kPoints, f, kFrames));
        for (int p = 0; p < kPoints; ++p) {
            Put16(bytes, (p * 600) % 60000 - 30000);
            Put16(bytes, (f * 7 + p * 300) % 60000 - 30000);
            Put16(bytes, 0);
            bytes.append(char(p == kPoints - 1 ? 0x80 : 0)).append(char(p % 64));
        }
    }
    bytes.append(IldaHeader(0, 0, 0));
    return bytes;
}

}  // namespace

int main(int argc, char** argv)
{
    ZarnApplication app(argc, argv);
    QTemporaryDir folder;
    QDir(folder.path()).mkpath(QStringLiteral("Drawing"));
    QDir(folder.path()).mkpath(QStringLiteral("ILDAimage"));
    if (!SaveWholeFile(folder.filePath(QStringLiteral("Drawing/a.ddr")), BigDrawing()) ||
        !SaveWholeFile(folder.filePath(QStringLiteral("ILDAimage/a.ild")), BigImage())) {
        std::fprintf(stderr, "cannot write the files\n");
        return 1;
    }
    const Clock::time_point one = Clock::now();
    const DrawingThumbnail thumbnail = ReadDrawingThumbnail(folder.filePath(QStringLiteral("Drawing/a.ddr")));
    const double thumbnailMs = std::chrono::duration<double, std::milli>(Clock::now() - one).count();
    const double before = ResidentMB();
    const Clock::time_point start = Clock::now();
    WindowRegistry windows(folder.path(), [](const QString&, const QString& text) {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    });
    CreateWindows(windows);
    const double createMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    const double built = ResidentMB();

    // The windows that preview the drawing, shown: each draws its thumbnail.
    const Clock::time_point showStart = Clock::now();
    for (QWidget* window : {static_cast<QWidget*>(windows.Form5()), static_cast<QWidget*>(windows.Form4()),
                            static_cast<QWidget*>(windows.Form8())})
        window->show();
    const double showMs = std::chrono::duration<double, std::milli>(Clock::now() - showStart).count();
    const double shown = ResidentMB();

    TForm4& play = *windows.Form4();
    play.skRadioGroup1->SetItemIndex(1);
    const Clock::time_point playStart = Clock::now();
    play.ToolButton1Click();
    const double playMs = std::chrono::duration<double, std::milli>(Clock::now() - playStart).count();
    const double playing = ResidentMB();
    play.StopClick();
    std::printf("one thumbnail of %llu points %.0f ms\n", static_cast<unsigned long long>(thumbnail.points),
                thumbnailMs);
    std::printf("before %.0f MB; all windows built %.0f ms, held %.0f MB more; Section, Play and Sequence shown "
                "%.0f ms, held %.0f MB more; image play started %.0f ms, held %.0f MB more\n",
                before, createMs, built - before, showMs, shown - built, playMs, playing - shown);
    return 0;
}
