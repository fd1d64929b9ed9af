// How much an idle Zarn costs: every window built and shown, nothing loaded,
// nothing playing. Counts, over a stretch of seconds (30 unless given as the
// first argument), the processor time of the whole process, the main thread's
// wakeups (voluntary context switches) and the timer events Qt delivers.
// One run per process, on a real X server:
//
//   QT_QPA_PLATFORM=xcb xvfb-run -a build/bench/bench_idle_wakeups 30
//
// Goals: under 0.5 % of one core and under 20 wakeups a second.
#include "app/create_windows.h"
#include "app/main_window.h"
#include "app/zarn_application.h"
#include "shell/window_registry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

using Clock = std::chrono::steady_clock;

double ProcessCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The main thread's voluntary context switches: each is a wakeup from a wait.
long MainThreadWakeups()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_nvcsw;
}

class TimerEventCounter : public QObject {
public:
    long count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Timer)
            ++count;
        return false;
    }
};

}  // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    ZarnApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    QTemporaryDir programFolder;
    WindowRegistry windows(programFolder.path());
    windows.SetApplicationTitle(QStringLiteral("Zarn"));
    StartWindows(windows);
    windows.Form15()->show();

    TimerEventCounter timers;
    double cpuAtStart = 0;
    long wakeupsAtStart = 0;
    Clock::time_point measuredFrom;
    // Every window shown once all exist; then a settling pause; then the stretch measured.
    std::function<void()> showAll = [&] {
        if (windows.CreationOrder().size() < 12) {
            QTimer::singleShot(50, showAll);
            return;
        }
        for (QWidget* window : windows.Windows())
            window->show();
        QTimer::singleShot(3000, [&] {
            app.installEventFilter(&timers);
            cpuAtStart = ProcessCpuSeconds();
            wakeupsAtStart = MainThreadWakeups();
            measuredFrom = Clock::now();
            QTimer::singleShot(seconds * 1000, [&] { QCoreApplication::quit(); });
        });
    };
    QTimer::singleShot(0, showAll);
    app.exec();

    const double elapsed = std::chrono::duration<double>(Clock::now() - measuredFrom).count();
    const double cpu = 100.0 * (ProcessCpuSeconds() - cpuAtStart) / elapsed;
    const double wakeups = double(MainThreadWakeups() - wakeupsAtStart) / elapsed;
    // The stretch's own closing timer is one of the events counted.
    std::printf("%zu windows shown, idle for %.1f s: %.2f %% of a core, %.1f wakeups/s, %.1f timer events/s\n",
                windows.Windows().size(), elapsed, cpu, wakeups, double(timers.count - 1) / elapsed);
    return 0;
}
