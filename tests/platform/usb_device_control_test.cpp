#include "platform/usb_device_control.h"

#include <gtest/gtest.h>

namespace {

// No controller is attached where the tests run: every request must fail
// cleanly, whether or not libusb can reach a USB bus at all.
TEST(UsbDeviceControl, WithoutControllersEveryRequestFails)
{
    UsbDeviceControl usb;
    if (!usb.AttachedNumbers().empty())
        GTEST_SKIP() << "a controller is attached to this machine";
    EXPECT_FALSE(usb.Open(u"ezusb-0"));
    EXPECT_FALSE(usb.Open(u"ezusb-128"));

    const std::uint8_t data[4] = {1, 2, 3, 4};
    DeviceDescriptor d{};
    for (const DeviceHandle h : {DeviceHandle{0, 1}, DeviceHandle{-5, 0}, DeviceHandle{4000, 0}}) {
        EXPECT_FALSE(usb.GetDeviceDescriptor(h, d));
        EXPECT_FALSE(usb.VendorRequest(h, VendorRequestBlock{}));
        EXPECT_FALSE(usb.AbortPipe(h, 1));
        EXPECT_FALSE(usb.BulkWrite(h, 1, data));
    }
}

}  // namespace
