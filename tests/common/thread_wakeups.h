#pragma once
// How often a wait wakes its thread: a wait that polls in slices sleeps and
// wakes many times, one that sleeps until its time wakes once or twice.

#include <sys/resource.h>

#include <thread>

/// Runs wait on a thread of its own and gives the times that thread gave up
/// the processor of its own accord (each sleep it woke from counts one).
template <class Wait>
long WakeupsDuring(Wait&& wait)
{
    long wakeups = -1;
    std::thread([&] {
        const auto count = [] {
            rusage usage{};
            getrusage(RUSAGE_THREAD, &usage);
            return usage.ru_nvcsw;
        };
        const long before = count();
        wait();
        wakeups = count() - before;
    }).join();
    return wakeups;
}
