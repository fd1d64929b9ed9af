#pragma once
// Small drawings and a clean play state for the chain and loop tests.

#include "model/show_model.h"
#include "output/device_targets.h"
#include "output/play_state.h"

#include <gtest/gtest.h>

#include <memory>

/// One path of n points at (x0 + i, y), colour c, the first point blanked.
inline Path LinePath(int n, int x0, int y, std::uint8_t c = 1)
{
    Path path;
    for (int i = 0; i < n; ++i) {
        auto p = std::make_unique<LaserPoint>();
        p->x = x0 + i;
        p->y = y;
        p->colour = c;
        p->blank = i == 0 ? 1 : 0;
        path.push_back(std::move(p));
    }
    return path;
}

inline Drawing LineDrawing(int n, int x0, int y, std::uint8_t c = 1)
{
    Drawing d;
    d.push_back(LinePath(n, x0, y, c));
    return d;
}

/// A section row of n points from (x0, 100), play time A, every other field as "Add" writes it.
inline TSectionRecord LineRow(int A, int x0, int n = 5)
{
    TSectionRecord r;
    r.A = A;
    r.B = 50;
    r.K = 257;
    r.L = 20;
    r.N = 30;
    r.P = 85;
    r.Paths = LineDrawing(n, x0, 100);
    return r;
}

/// Shared flags at their start-up values, size 1:1, stop lowered (as a start leaves it).
class PlayStateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetPlayState();
        PublishDeviceTargets({});
        SizeX.store(20);
        SizeY.store(20);
        StopRequested.store(0);
    }
    void TearDown() override
    {
        ResetPlayState();
        PublishDeviceTargets({});
    }
};
