#pragma once
// The timer every pacing and preview timer runs through.
//
// Show files count play time in timer ticks, and the timers they were made
// with fired on a 64 Hz system tick (15.625 ms) whatever shorter interval was
// asked. So the interval is rounded up to a whole number of system ticks, and
// firings are scheduled against a fixed start so that they do not drift: a
// show keeps its length. A firing that is missed entirely (the GUI thread was
// busy) is dropped, not made up in a burst, as a system timer would.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

/// One system tick in microseconds (1/64 s).
inline constexpr std::int64_t kSystemTickUs = 15625;

/// `ms` rounded up to whole system ticks, in microseconds; 0 for 0 or less (never fires).
constexpr std::int64_t RoundedIntervalUs(int ms)
{
    if (ms <= 0)
        return 0;
    const std::int64_t us = static_cast<std::int64_t>(ms) * 1000;
    return (us + kSystemTickUs - 1) / kSystemTickUs * kSystemTickUs;
}

/// When the firings of a periodic timer are due, on a clock given in microseconds.
class TickSchedule {
public:
    /// Starts the count at `nowUs`; the first firing is due one period later.
    void start(std::int64_t nowUs, std::int64_t periodUs);
    /// Microseconds from `nowUs` until the next firing is due; 0 when due or overdue.
    std::int64_t untilNextUs(std::int64_t nowUs) const;
    /// A firing happened at `nowUs`: the next is due at the first period boundary after it.
    void fired(std::int64_t nowUs);
    /// The time the next firing is due.
    std::int64_t nextDueUs() const { return nextDueUs_; }

private:
    std::int64_t startUs_ = 0;
    std::int64_t periodUs_ = 0;
    std::int64_t nextDueUs_ = 0;
};

class TickTimer : public QObject {
    Q_OBJECT
public:
    /// Monotonic time in microseconds.
    using Clock = std::function<std::int64_t()>;

    /// GUI thread (or the thread the timer lives in). Disabled, interval 1000 ms.
    explicit TickTimer(QObject* parent = nullptr);

    /// Replaces the clock the schedule runs on (tests step time by hand); empty restores the steady clock.
    /// Takes effect at the next start of the count.
    void setClock(Clock clock);

    /// Changing the interval of an enabled timer starts its count again; the same value changes nothing.
    void setInterval(int ms);
    /// The interval as asked, in milliseconds.
    int interval() const { return intervalMs_; }
    /// The interval it fires at, rounded up to whole system ticks.
    std::int64_t effectiveIntervalUs() const { return RoundedIntervalUs(intervalMs_); }
    /// Enabling a disabled timer starts its count; enabling an enabled one changes nothing.
    void setEnabled(bool enabled);
    /// True while enabled (it fires only with an interval above 0).
    bool isEnabled() const { return enabled_; }
    /// The wait, in whole milliseconds, the timer is armed with; -1 when not armed.
    int armedWaitMs() const;

    /// Called when the armed wait ends: fires when a firing is due, else waits
    /// on. Tests with a clock of their own call it in place of the wait.
    void onTimer();

signals:
    /// Emitted at each due firing.
    void timeout();

private:
    void restart();
    void arm();
    std::int64_t nowUs() const;

    int intervalMs_ = 1000;
    bool enabled_ = false;
    QTimer timer_;
    QElapsedTimer steady_;
    Clock clock_;
    TickSchedule schedule_;
};
