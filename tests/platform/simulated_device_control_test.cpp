#include "platform/simulated_device_control.h"

#include <gtest/gtest.h>

#include <future>

namespace {

const std::vector<std::uint8_t> kData{9, 8, 7};

// The other suites lean on two promises of the simulated controller: a handle
// outlives no unplugging, and a failure hits only the request it was set for.
TEST(SimulatedDeviceControl, StaleHandlesAndChosenFailures)
{
    SimulatedDeviceControl sim;
    sim.Attach(0);
    sim.Attach(1);
    const DeviceHandle before = *sim.Open(u"EZUSB-0");
    sim.Detach(0);
    EXPECT_FALSE(sim.Open(u"ezusb-0"));
    sim.Attach(0);
    EXPECT_FALSE(sim.BulkWrite(before, 1, kData));  // replugged: the old handle stays dead
    const DeviceHandle h0 = *sim.Open(u"ezusb-0");
    const DeviceHandle h1 = *sim.Open(u"ezusb-1");

    sim.FailRequests(0, kRequestVendor, 2, 1);  // the 2nd and 3rd vendor requests to 0
    sim.FailRequests(1, kRequestBulkWrite, SimulatedDeviceControl::kAlways);
    EXPECT_TRUE(sim.BulkWrite(h0, 2, kData));
    EXPECT_TRUE(sim.VendorRequest(h1, {}));
    for (bool expected : {true, false, false, true})
        EXPECT_EQ(sim.VendorRequest(h0, {}), expected);
    EXPECT_FALSE(sim.BulkWrite(h1, 1, kData) || sim.BulkWrite(h1, 1, kData));
    sim.ClearFailures();
    EXPECT_TRUE(sim.BulkWrite(h1, 1, kData));

    const auto to0 = sim.RequestsTo(0);
    ASSERT_EQ(to0.size(), 5u);  // nothing recorded for the stale handle
    EXPECT_EQ(std::tuple(to0[0].code, to0[0].pipe, to0[0].bytes, sim.OpenCount()), std::tuple(kRequestBulkWrite, 2u, kData, 4));
}

// A hung request holds up only itself: requests to other controllers and the
// test thread go on, and once let go it fails as a timed-out transfer does.
TEST(SimulatedDeviceControl, DelayedAndHangingRequests)
{
    SimulatedDeviceControl sim;
    sim.Attach(0);
    sim.Attach(1);
    const DeviceHandle h0 = *sim.Open(u"ezusb-0");
    const DeviceHandle h1 = *sim.Open(u"ezusb-1");

    sim.HangRequests(0, kRequestBulkWrite);
    auto hung = std::async(std::launch::async, [&] { return sim.BulkWrite(h0, 1, kData); });
    ASSERT_TRUE(sim.WaitUntilHanging(1, std::chrono::seconds(10)));
    EXPECT_TRUE(sim.BulkWrite(h1, 1, kData));
    EXPECT_TRUE(sim.VendorRequest(h0, {}) && sim.HangingCount() == 1);  // only the chosen request kind hangs
    sim.ReleaseHanging();
    EXPECT_FALSE(hung.get() || sim.HangingCount() != 0);
    EXPECT_TRUE(sim.BulkWrite(h0, 1, kData)) << "the hang was for one request";

    sim.DelayRequests(1, kRequestAbortPipe, std::chrono::milliseconds(5));
    EXPECT_TRUE(sim.AbortPipe(h1, 2));

    const auto to0 = sim.RequestsTo(0);
    ASSERT_EQ(to0.size(), 3u);  // recorded as answered, the hung one last
    EXPECT_EQ((std::vector{std::pair(to0[0].code, to0[0].succeeded), std::pair(to0[1].code, to0[1].succeeded)}),
              (std::vector{std::pair(kRequestVendor, true), std::pair(kRequestBulkWrite, false)}));
    EXPECT_TRUE(to0[2].succeeded);
}

}  // namespace
