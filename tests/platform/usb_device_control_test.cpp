// The USB backend over a fake bus: how controllers are numbered as they come
// and go, and what reaches a controller when its endpoints or writes misbehave.
#include "platform/usb_device_control.h"

#include "fake_usb_bus.h"

#include <gtest/gtest.h>

namespace {

using FakeDevice = std::shared_ptr<FakeUsbBus::Device>;

const std::vector<std::uint8_t> kFrame{1, 2, 3, 4, 5, 6, 7, 8};

class UsbNumbering : public ::testing::Test {
protected:
    std::optional<DeviceHandle> Open(int number) { return usb_.Open(DeviceNameFor(number)); }
    /// A frame to `number` on pipe 1, opened afresh as a play loop does.
    bool Write(int number)
    {
        const auto h = Open(number);
        return h && usb_.BulkWrite(*h, 1, kFrame);
    }
    int Writes(const FakeDevice& d) const
    {
        return bus_->Read(d, [](const FakeUsbBus::Device& x) { return int(x.writes.size()); });
    }

    std::shared_ptr<FakeUsbBus> bus_ = std::make_shared<FakeUsbBus>();
    UsbDeviceControl usb_{bus_};
};

TEST_F(UsbNumbering, ControllersTakeTheLowestFreeNumberAndKeepItWhileAttached)
{
    const FakeDevice a = bus_->Plug(1);
    const FakeDevice b = bus_->Plug(2);
    const FakeDevice c = bus_->Plug(3);
    bus_->Plug(4, 0x04B4);  // another vendor's device takes no number
    EXPECT_EQ(usb_.AttachedNumbers(), (std::vector<int>{0, 1, 2}));
    const DeviceHandle toC = *Open(2);

    bus_->Unplug(b);
    EXPECT_EQ(usb_.AttachedNumbers(), (std::vector<int>{0, 2}));
    // C kept its number and its attachment: a handle from before still works.
    EXPECT_TRUE(usb_.BulkWrite(toC, 1, kFrame) && Writes(c) == 1);

    const FakeDevice d = bus_->Plug(9);
    EXPECT_EQ(usb_.AttachedNumbers(), (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(Write(1));
    EXPECT_EQ(std::pair(Writes(d), Writes(a)), std::pair(1, 0));
}

TEST_F(UsbNumbering, ALookAtTheBusFindsAReplugOrReplacementUnderTheOldNumber)
{
    struct Case {
        const char* what;
        int count;      // controllers attached at first
        int pulled;     // number of the controller pulled out
        bool replaced;  // another controller goes in instead
    };
    for (const Case& c : {Case{"replug the only controller", 1, 0, false}, Case{"replug number 0 of two", 2, 0, false},
                          Case{"replug number 1 of two", 2, 1, false}, Case{"replace number 0", 2, 0, true}}) {
        SCOPED_TRACE(c.what);
        auto bus = std::make_shared<FakeUsbBus>();
        UsbDeviceControl usb(bus);
        std::vector<FakeDevice> devices;
        for (int i = 0; i < c.count; ++i)
            devices.push_back(bus->Plug(std::uint8_t(i + 1)));
        usb.Rescan();
        const DeviceHandle before = *usb.Open(DeviceNameFor(c.pulled));
        const std::optional<DeviceHandle> other = usb.Open(DeviceNameFor(1 - c.pulled));
        ASSERT_EQ(other.has_value(), c.count == 2);

        bus->Unplug(devices[std::size_t(c.pulled)]);
        const FakeDevice back = bus->Plug(c.replaced ? 7 : devices[std::size_t(c.pulled)]->port);
        usb.Rescan();

        const auto after = usb.Open(DeviceNameFor(c.pulled));
        ASSERT_TRUE(after);
        EXPECT_NE(after->attachment, before.attachment);
        EXPECT_FALSE(usb.BulkWrite(before, 1, kFrame)) << "a handle to the pulled controller reaches nothing";
        DeviceDescriptor descriptor{};
        EXPECT_TRUE(usb.GetDeviceDescriptor(*after, descriptor) && DescriptorVendorId(descriptor) == kControllerVendorId);
        EXPECT_TRUE(usb.BulkWrite(*after, 1, kFrame));
        EXPECT_EQ(bus->Read(back, [](const FakeUsbBus::Device& x) { return x.writes.size(); }), 1u);
        if (other) {
            // The controller that stayed keeps its number and its open handle.
            EXPECT_TRUE(usb.BulkWrite(*other, 1, kFrame));
            EXPECT_EQ(usb.AttachedNumbers(), (std::vector<int>{0, 1}));
        }
    }
}

TEST_F(UsbNumbering, DetectionLooksOnceAndAWriteFindsAReplugWithoutDetection)
{
    const FakeDevice a = bus_->Plug(1);
    usb_.Rescan();
    ASSERT_EQ(bus_->Looks(), 1);
    // The walk over every number after the look does not look again.
    for (int n = 0; n < kMaxDevices; ++n)
        Open(n);
    EXPECT_EQ(bus_->Looks(), 1);

    ASSERT_TRUE(Write(0));
    bus_->Unplug(a);
    EXPECT_FALSE(Write(0));  // answers "no device"
    EXPECT_FALSE(Write(0));  // a look finds it gone
    const FakeDevice back = bus_->Plug(1);
    EXPECT_TRUE(Write(0)) << "the number lost at a look is looked for again";
    EXPECT_EQ(Writes(back), 1);

    // A number nobody had costs no look.
    const int looks = bus_->Looks();
    EXPECT_FALSE(Write(5));
    EXPECT_EQ(bus_->Looks(), looks);
}

TEST_F(UsbNumbering, WritesGoOnlyWholeToBulkOutEndpoints)
{
    const FakeDevice a = bus_->Plug(1);
    usb_.Rescan();
    const DeviceHandle h = *Open(0);

    EXPECT_TRUE(usb_.BulkWrite(h, 2, kFrame));
    EXPECT_TRUE(usb_.BulkWrite(h, 1, {}));  // an empty frame is still a write
    // Pipes 0 and 3 are IN endpoints: a "write" there would read into the frame; pipe 6 does not exist.
    for (int pipe : {0, 3, 6})
        EXPECT_FALSE(usb_.BulkWrite(h, pipe, kFrame)) << pipe;
    const auto writes = bus_->Read(a, [](const FakeUsbBus::Device& x) { return x.writes; });
    EXPECT_EQ(writes, (decltype(writes){{0x02, kFrame}, {0x01, {}}}));

    // A write the controller took only part of is a failure.
    bus_->With(a, [](FakeUsbBus::Device& x) { x.shortBy = 4; });
    EXPECT_FALSE(usb_.BulkWrite(h, 1, kFrame));

    // A timed-out write fails and drops the handle; the next request opens afresh.
    bus_->With(a, [](FakeUsbBus::Device& x) {
        x.shortBy = 0;
        x.writeError = kUsbErrorTimeout;
    });
    EXPECT_FALSE(usb_.BulkWrite(h, 1, kFrame));
    EXPECT_EQ(bus_->Read(a, [](const FakeUsbBus::Device& x) { return x.liveHandles; }), 0);
    bus_->With(a, [](FakeUsbBus::Device& x) { x.writeError = kUsbSuccess; });
    EXPECT_TRUE(usb_.BulkWrite(h, 1, kFrame));
    EXPECT_EQ(bus_->Read(a, [](const FakeUsbBus::Device& x) { return x.opens; }), 2);
}

TEST_F(UsbNumbering, AControllerWhoseEndpointsCannotBeReadIsNotKeptOpen)
{
    const FakeDevice a = bus_->Plug(1);
    bus_->With(a, [](FakeUsbBus::Device& x) { x.endpointsError = kUsbErrorIo; });
    usb_.Rescan();
    const DeviceHandle h = *Open(0);
    EXPECT_FALSE(usb_.BulkWrite(h, 1, kFrame) || usb_.AbortPipe(h, 1));
    EXPECT_EQ(bus_->Read(a, [](const FakeUsbBus::Device& x) { return x.liveHandles; }), 0);

    // Each request tries again, so the controller works once its endpoints read.
    bus_->With(a, [](FakeUsbBus::Device& x) { x.endpointsError = kUsbSuccess; });
    EXPECT_TRUE(usb_.BulkWrite(h, 1, kFrame) && usb_.AbortPipe(h, 5));
    EXPECT_EQ(bus_->Read(a, [](const FakeUsbBus::Device& x) { return x.clearedHalts; }),
              std::vector<std::uint8_t>{0x08});
    EXPECT_EQ(bus_->Read(a, [](const FakeUsbBus::Device& x) { return x.liveHandles; }), 1);
}

// No controller is attached where the tests run: every request must fail
// cleanly, whether or not libusb can reach a USB bus at all.
TEST(UsbDeviceControl, WithoutControllersEveryRequestFails)
{
    UsbDeviceControl usb;
    if (!usb.AttachedNumbers().empty())
        GTEST_SKIP() << "a controller is attached to this machine";
    EXPECT_FALSE(usb.Open(u"ezusb-0") || usb.Open(u"ezusb-128"));

    const std::uint8_t data[4] = {1, 2, 3, 4};
    DeviceDescriptor d{};
    for (const DeviceHandle h : {DeviceHandle{0, 1}, DeviceHandle{-5, 0}, DeviceHandle{4000, 0}})
        EXPECT_EQ((std::vector<bool>{usb.GetDeviceDescriptor(h, d), usb.VendorRequest(h, VendorRequestBlock{}),
                                     usb.AbortPipe(h, 1), usb.BulkWrite(h, 1, data)}),
                  std::vector<bool>(4, false));
}

}  // namespace
