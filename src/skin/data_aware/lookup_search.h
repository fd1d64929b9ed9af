#pragma once
// When the lookup controls' incremental search started over: one stamp
// shared by every lookup control, so a pause in typing anywhere resets the
// search text everywhere. Time comes from a monotonic millisecond clock
// that tests replace.

#include <QtGlobal>

#include <functional>
#include <limits>
#include <memory>

struct LookupSearchStamp {
    /// Search text older than this (ms) starts again.
    static constexpr qint64 kResetMs = 2000;
    /// The search text grows to at most this many characters.
    static constexpr int kMaxLength = 32;

    /// Milliseconds of a monotonic clock.
    std::function<qint64()> now;
    /// When the previous search key was typed; none yet at first.
    qint64 last = std::numeric_limits<qint64>::min() / 2;

    /// GUI thread. The stamp every lookup control starts with (steady clock).
    static std::shared_ptr<LookupSearchStamp> Shared();
};
