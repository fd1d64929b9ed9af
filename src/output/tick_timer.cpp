#include "output/tick_timer.h"

void TickSchedule::start(std::int64_t nowUs, std::int64_t periodUs)
{
    startUs_ = nowUs;
    periodUs_ = periodUs > 0 ? periodUs : kSystemTickUs;
    nextDueUs_ = nowUs + periodUs_;
}

std::int64_t TickSchedule::untilNextUs(std::int64_t nowUs) const
{
    return nowUs >= nextDueUs_ ? 0 : nextDueUs_ - nowUs;
}

void TickSchedule::fired(std::int64_t nowUs)
{
    if (nowUs < startUs_) {
        nextDueUs_ = startUs_ + periodUs_;
        return;
    }
    const std::int64_t elapsedPeriods = (nowUs - startUs_) / periodUs_;
    nextDueUs_ = startUs_ + (elapsedPeriods + 1) * periodUs_;
}

TickTimer::TickTimer(QObject* parent)
    : QObject(parent)
    , timer_(this)
{
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &TickTimer::onTimer);
    steady_.start();
}

void TickTimer::setClock(Clock clock)
{
    clock_ = std::move(clock);
}

std::int64_t TickTimer::nowUs() const
{
    return clock_ ? clock_() : steady_.nsecsElapsed() / 1000;
}

int TickTimer::armedWaitMs() const
{
    return timer_.isActive() ? timer_.interval() : -1;
}

void TickTimer::setInterval(int ms)
{
    if (ms == intervalMs_)
        return;
    intervalMs_ = ms;
    restart();
}

void TickTimer::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    restart();
}

void TickTimer::restart()
{
    timer_.stop();
    const std::int64_t period = effectiveIntervalUs();
    if (!enabled_ || period <= 0)
        return;
    schedule_.start(nowUs(), period);
    arm();
}

void TickTimer::arm()
{
    const std::int64_t waitUs = schedule_.untilNextUs(nowUs());
    // Whole milliseconds, rounded up: a firing may come late by under 1 ms,
    // never early, and the schedule keeps the lateness from adding up.
    timer_.start(static_cast<int>((waitUs + 999) / 1000));
}

void TickTimer::onTimer()
{
    // Also when called in place of the wait: the wait is over either way.
    timer_.stop();
    if (!enabled_ || effectiveIntervalUs() <= 0)
        return;
    const std::int64_t now = nowUs();
    if (schedule_.untilNextUs(now) > 0) {
        arm();
        return;
    }
    schedule_.fired(now);
    emit timeout();
    // The handler may have disabled the timer or changed its interval (which re-armed it).
    if (enabled_ && effectiveIntervalUs() > 0 && !timer_.isActive())
        arm();
}
