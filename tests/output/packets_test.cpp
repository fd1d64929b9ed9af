#include "output/packets.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(DevicePoint, FlagsForBlankPointDrawAndVertex)
{
    struct Case { std::uint8_t blank; std::int32_t z; PointDraw draw; std::uint8_t flags; };
    for (const Case& c : {Case{0, 0, PointDraw::Off, 0}, Case{1, 0, PointDraw::Off, 1}, Case{0, 0, PointDraw::On, 1},
                          Case{1, 0, PointDraw::On, 1}, Case{0, 2, PointDraw::Off, 2}, Case{1, 2, PointDraw::Off, 3},
                          Case{0, 2, PointDraw::On, 3}, Case{0, 1, PointDraw::Off, 0}, Case{1, -5, PointDraw::Off, 1}})
        EXPECT_EQ(MakeDevicePoint(10, 20, 2, c.blank, c.z, c.draw), (DevicePoint{10, 20, 2, c.flags}))
            << int(c.blank) << " z " << c.z << " draw " << int(c.draw);
}

TEST(DevicePoint, CoordinatesClampAndTruncateAndColoursStayInRange)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // Unknown colour codes go dark.
    EXPECT_EQ((std::vector{MakeDevicePoint(12.99, 254.999, 1, 0, 0), MakeDevicePoint(-0.5, 255.9, 1, 0, 0),
                           MakeDevicePoint(nan, 1e300, 1, 0, 0), MakeDevicePoint(-inf, inf, 1, 0, 0),
                           MakeDevicePoint(1, 1, 7, 0, 0), MakeDevicePoint(1, 1, 8, 0, 0)}),
              (std::vector<DevicePoint>{{12, 254, 1, 0}, {0, 255, 1, 0}, {0, 255, 1, 0}, {0, 255, 1, 0}, {1, 1, 7, 0}, {1, 1, 0, 0}}));
}

TEST(FramePacket, LongFramesAreCutAtTheBufferCapacity)
{
    FramePacket packet;
    EXPECT_TRUE(packet.Bytes().empty());
    std::size_t accepted = 0;
    for (int i = 0; i < 20000; ++i)
        accepted += packet.Append({std::uint8_t(i), std::uint8_t(i >> 8), 5, 3}) ? 1 : 0;
    EXPECT_EQ(std::pair(accepted, packet.DroppedPoints()), std::pair(std::size_t{16384}, std::size_t{20000 - 16384}));
    const auto b = packet.Bytes();
    ASSERT_EQ(b.size(), 65536u);
    // The kept points are the first ones, 4 bytes each, in order.
    EXPECT_EQ((std::vector<std::uint8_t>(b.end() - 4, b.end())), (std::vector<std::uint8_t>{0xFF, 0x3F, 5, 3}));

    // Clear starts the next frame in the same buffer.
    const std::uint8_t* buffer = b.data();
    packet.Clear();
    EXPECT_EQ(packet.DroppedPoints(), 0u);
    EXPECT_TRUE(packet.Append({9, 8, 7, 6}) && packet.Bytes().data() == buffer);
    EXPECT_EQ((std::vector<std::uint8_t>(packet.Bytes().begin(), packet.Bytes().end())),
              (std::vector<std::uint8_t>{9, 8, 7, 6}));
    EXPECT_EQ((DeviceSettingsPacket{85, 2}.Bytes()), (std::array<std::uint8_t, 2>{85, 2}));
}

}  // namespace
