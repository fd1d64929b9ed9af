#include "model/delays.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <thread>

namespace {

// Whether a PumpDelay is running. Only the GUI thread pumps, so a plain flag
// is enough; it is not shared with any other thread.
bool& PumpActive()
{
    static bool active = false;
    return active;
}

class PumpGuard {
public:
    PumpGuard() { PumpActive() = true; }
    ~PumpGuard() { PumpActive() = false; }
    PumpGuard(const PumpGuard&) = delete;
    PumpGuard& operator=(const PumpGuard&) = delete;
};

} // namespace

std::chrono::microseconds SpinDelayDuration(std::uint32_t n) noexcept
{
    return kSpinDelayUnit * std::int64_t{n};
}

std::chrono::microseconds PumpDelayDuration(std::uint32_t n) noexcept
{
    return kPumpDelayUnit * std::int64_t{n};
}

void SpinDelay(std::uint32_t n)
{
    // The old busy loop only ever stood for elapsed time; sleeping gives the
    // worker that is meant to see the stop flag a free core as well.
    if (n > 0)
        std::this_thread::sleep_for(SpinDelayDuration(n));
}

bool PumpDelay(std::uint32_t n)
{
    const QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() != app->thread())
        return false;
    if (PumpActive())
        return false;
    if (n == 0)
        return true;

    const PumpGuard guard;
    // A local event loop sleeps between events instead of spinning on
    // processEvents; the timer ends it after the pause.
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(PumpDelayDuration(n));
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(ms);
    loop.exec();
    return true;
}
