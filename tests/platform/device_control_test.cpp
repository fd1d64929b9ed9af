#include "platform/device_control.h"

#include <gtest/gtest.h>

namespace {

TEST(DeviceName, DriverNamesResolveInAnyCaseAndNothingElseDoes)
{
    // The device window builds "ez" + "Usb-5" without lowering the case.
    EXPECT_EQ((std::vector{ParseDeviceName(u"ezusb-0"), ParseDeviceName(u"ezusb-127"), ParseDeviceName(u"ezUsb-5"),
                           ParseDeviceName(DeviceNameFor(99))}),
              (std::vector<decltype(ParseDeviceName(u""))>{0, 127, 5, 99}));
    for (const char16_t* name : {u"", u"ezusb-", u"ezusb-128", u"ezusb-1x", u"ezusb--1", u"ezusb-+1",
                                 u"ezusb-07", u"Usb-3", u" ezusb-3", u"ezusb-3 ", u"ezusb-99999999999999999999"})
        EXPECT_FALSE(ParseDeviceName(QStringView(name))) << QString::fromUtf16(name).toStdString();
}

TEST(VendorRequestBlock, WireLayoutIsPackedLittleEndian)
{
    const VendorRequestBlock block{0xA0, 0x7F92, 0x1234, 1, 1, 0x5A};
    const std::array<std::uint8_t, 10> wire{0xA0, 0x00, 0x92, 0x7F, 0x34, 0x12, 0x01, 0x00, 0x01, 0x5A};
    EXPECT_EQ(SerializeVendorRequest(block), wire);
}

}  // namespace
