#include "platform/simulated_device_control.h"

#include <gtest/gtest.h>

namespace {

const std::vector<std::uint8_t> kData{9, 8, 7};

TEST(SimulatedDeviceControl, HandleOfAnEarlierAttachmentReachesNothing)
{
    SimulatedDeviceControl sim;
    sim.Attach(0);
    const DeviceHandle before = *sim.Open(u"EZUSB-0");
    sim.Detach(0);
    EXPECT_FALSE(sim.Open(u"ezusb-0"));
    EXPECT_FALSE(sim.BulkWrite(before, 1, kData));
    sim.Attach(0);
    // Replugged: the old handle stays dead, a fresh open works.
    EXPECT_FALSE(sim.BulkWrite(before, 1, kData));
    EXPECT_TRUE(sim.BulkWrite(*sim.Open(u"ezusb-0"), 2, kData));
    EXPECT_FALSE(sim.BulkWrite(DeviceHandle{200, 1}, 1, kData));

    const auto r = sim.Requests();
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].code, kRequestBulkWrite);
    EXPECT_EQ(r[0].pipe, 2u);
    EXPECT_EQ(r[0].bytes, kData);
    EXPECT_EQ(sim.OpenCount(), 3);
}

TEST(SimulatedDeviceControl, FailuresHitOnlyTheChosenRequestsOfTheChosenDevice)
{
    SimulatedDeviceControl sim;
    sim.Attach(0);
    sim.Attach(1);
    const DeviceHandle h0 = *sim.Open(u"ezusb-0");
    const DeviceHandle h1 = *sim.Open(u"ezusb-1");
    const VendorRequestBlock block;

    sim.FailRequests(0, kRequestVendor, 2, 1);  // the 2nd and 3rd vendor requests
    EXPECT_TRUE(sim.AbortPipe(h0, 1));
    EXPECT_TRUE(sim.VendorRequest(h1, block));
    EXPECT_TRUE(sim.VendorRequest(h0, block));
    EXPECT_FALSE(sim.VendorRequest(h0, block));
    EXPECT_FALSE(sim.VendorRequest(h0, block));
    EXPECT_TRUE(sim.VendorRequest(h0, block));

    sim.FailRequests(1, kRequestBulkWrite, SimulatedDeviceControl::kAlways);
    EXPECT_FALSE(sim.BulkWrite(h1, 1, kData));
    EXPECT_FALSE(sim.BulkWrite(h1, 1, kData));
    sim.ClearFailures();
    EXPECT_TRUE(sim.BulkWrite(h1, 1, kData));

    std::vector<bool> outcomes;
    for (const auto& r : sim.RequestsTo(0))
        outcomes.push_back(r.succeeded);
    EXPECT_EQ(outcomes, (std::vector<bool>{true, true, false, false, true}));
}

}  // namespace
