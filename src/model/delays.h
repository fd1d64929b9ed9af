#pragma once
// The two pauses of the play hand-over and the Sequence window.
//
// Both were once loops of n x 2000 turns, so their length depended on the
// processor. Here they are measured in time, with one unit of n worth:
//   SpinDelay: 2 microseconds   (7000 -> 14 ms, 30000 -> 60 ms, 70000 -> 140 ms),
//              about 2000 turns of an empty loop on the machines shows were made on;
//   PumpDelay: 100 microseconds (3000 -> 0.3 s, 7000 -> 0.7 s), long enough for
//              an external music player to come up before the tracks start.

#include <chrono>
#include <cstdint>

inline constexpr std::chrono::microseconds kSpinDelayUnit{2};
inline constexpr std::chrono::microseconds kPumpDelayUnit{100};

/// Any thread. The length of SpinDelay(n).
std::chrono::microseconds SpinDelayDuration(std::uint32_t n) noexcept;

/// Any thread. The length of PumpDelay(n).
std::chrono::microseconds PumpDelayDuration(std::uint32_t n) noexcept;

/// Any thread. Blocks the caller for SpinDelayDuration(n) without using the
/// processor; processes no events.
void SpinDelay(std::uint32_t n);

/// GUI thread only. Waits PumpDelayDuration(n) while the caller's event loop
/// keeps dispatching events, so windows stay responsive. Returns false, at
/// once and without waiting, when called from inside another PumpDelay (an
/// event handler run by the outer pause) or off the application's thread:
/// the caller should then not go on as if the pause had passed.
bool PumpDelay(std::uint32_t n);
