#include "output/device_access.h"

#include "simulated_controllers.h"

namespace {

using DeviceAccess = SimulatedControllers;

std::vector<std::uint8_t> CpuControlWire(std::uint8_t data)
{
    return {0xA0, 0x00, 0x92, 0x7F, 0x00, 0x00, 0x01, 0x00, 0x00, data};
}

TEST_F(DeviceAccess, EmptyOrOverlongNamesFailWithoutTouchingTheBackend)
{
    sim_->Attach(0);
    const std::uint8_t data[1] = {1};
    for (const QString& name : {QString(), QStringLiteral("ezusb-0") + QString(53, u'0')}) {
        DeviceHandle h;
        EXPECT_EQ((std::vector<bool>{OpenDevice(h, name), BulkWrite(data, name, 1), ResetPipe(name, 1), ResetDeviceCpu(name),
                                     ReadDeviceDescriptor(name).has_value()}),
                  std::vector<bool>(5, false));
    }
    EXPECT_EQ(sim_->OpenCount(), 0);

    DeviceHandle h;
    EXPECT_TRUE(OpenDevice(h, QStringLiteral("ezUsb-0")));
    EXPECT_EQ(h.number, 0);
}

// The pair holds the processor in reset and releases it. A reset whose hold
// failed never held the processor: it is no success, yet the release still
// goes out so that the processor is not left stopped.
TEST_F(DeviceAccess, ResetDeviceCpuSendsHoldAndReleaseAndNeedsBoth)
{
    sim_->Attach(0);
    EXPECT_TRUE(ResetPipe(QStringLiteral("ezusb-0"), 3));
    const auto abort = sim_->Requests();
    ASSERT_EQ(abort.size(), 1u);
    EXPECT_EQ(std::pair(abort[0].code, abort[0].pipe), std::pair(kRequestAbortPipe, 3u));

    for (int failing : {-1, 0, 1}) {  // none, the hold, the release
        sim_->ClearRequests();
        if (failing >= 0)
            sim_->FailRequests(0, kRequestVendor, 1, failing);
        EXPECT_EQ(ResetDeviceCpu(QStringLiteral("ezusb-0")), failing < 0) << failing;
        const auto r = sim_->Requests();
        ASSERT_EQ(r.size(), 2u);
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(std::tuple(r[i].code, r[i].bytes, r[i].succeeded), std::tuple(kRequestVendor, CpuControlWire(i == 0 ? 1 : 0), i != failing));
    }
    EXPECT_FALSE(ResetDeviceCpu(QStringLiteral("ezusb-9")));
}

TEST_F(DeviceAccess, DetectionCountsOnlyControllersThatAnswerWithTheirVendorId)
{
    sim_->Attach(2);
    sim_->Attach(5);
    sim_->Attach(7, 0x04B4);
    sim_->FailRequests(5, kRequestGetDeviceDescriptor);
    std::vector<int> found;
    for (int n = 0; n < kMaxDevices; ++n)
        if (IsControllerAttached(DeviceNameFor(n)))
            found.push_back(n);
    EXPECT_EQ(found, (std::vector<int>{2}));
    EXPECT_TRUE(IsControllerAttached(QStringLiteral("ezusb-5")));
    EXPECT_EQ(DescriptorVendorId(*ReadDeviceDescriptor(QStringLiteral("ezusb-7"))), 0x04B4);
}

}  // namespace
