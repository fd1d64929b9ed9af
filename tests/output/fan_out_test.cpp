#include "output/fan_out.h"
#include "output/play_state.h"

#include "simulated_controllers.h"

#include <atomic>
#include <map>
#include <set>
#include <thread>

namespace {

using FanOut = SimulatedControllers;

std::vector<int> Devices(const std::vector<RecordedRequest>& writes)
{
    std::vector<int> devices;
    for (const auto& w : writes)
        devices.push_back(w.device);
    return devices;
}

FramePacket FrameOf(std::size_t points)
{
    FramePacket frame;
    for (std::size_t i = 0; i < points; ++i)
        frame.Append({std::uint8_t(i), 1, 1, 0});
    return frame;
}

TEST_F(FanOut, MasterThenExtrasInListOrderOnTheChannelPipeEachOnce)
{
    for (int n : {0, 3, 7})
        sim_->Attach(n);
    OutputChannel = 2;
    // The master listed again as an extra (in another case) is not written twice.
    PublishDeviceTargets(MakeDeviceTargets(
        QStringLiteral("ezUsb-0"), {QStringLiteral("Usb-7"), QStringLiteral("usb-0"), QStringLiteral("USB-3")}, true));
    const FramePacket frame = FrameOf(3);
    EXPECT_EQ(SendFrame(frame), 3);
    const auto w = Writes();
    EXPECT_EQ(Devices(w), (std::vector<int>{0, 7, 3}));
    for (const auto& r : w)
        EXPECT_EQ(std::pair(r.pipe, r.bytes.size()), std::pair(2u, std::size_t{12}));

    // Multi-device off: the master only.
    sim_->ClearRequests();
    PublishDeviceTargets(MakeDeviceTargets(QStringLiteral("ezusb-3"), {QStringLiteral("Usb-0")}, false));
    EXPECT_EQ(SendFrame(frame), 1);
    EXPECT_EQ(Devices(Writes()), (std::vector<int>{3}));
}

TEST_F(FanOut, FailedOrMissingDevicesNeverStopTheOthers)
{
    for (int n : {3, 7, 9})
        sim_->Attach(n);
    sim_->FailRequests(7, kRequestBulkWrite);
    // No master, a failing extra, a missing one, then two that work.
    const DeviceTargets t = MakeDeviceTargets(QString(),
                                              {QStringLiteral("Usb-7"), QStringLiteral("Usb-5"),
                                               QStringLiteral("Usb-3"), QStringLiteral("Usb-9")},
                                              true);
    EXPECT_EQ(SendToDevices(FrameOf(2).Bytes(), t, 1), 2);
    EXPECT_EQ(Devices(Writes()), (std::vector<int>{7, 3, 9}));
    // Nothing reachable: the count tells the loop to pace itself.
    EXPECT_EQ(SendToDevices(FrameOf(2).Bytes(), MakeDeviceTargets(QStringLiteral("ezusb-1"), {}, true), 1), 0);

    // A controller unplugged mid-play is written again once plugged back.
    sim_->ClearRequests();
    PublishDeviceTargets(MakeDeviceTargets(QStringLiteral("ezusb-3"), {QStringLiteral("Usb-9")}, true));
    sim_->Detach(9);
    EXPECT_EQ(SendFrame(FrameOf(4)), 1);
    sim_->Attach(9);
    EXPECT_EQ(SendFrame(FrameOf(4)), 2);
    EXPECT_EQ(Devices(Writes()), (std::vector<int>{3, 3, 9}));
}

TEST_F(FanOut, SettingsPrecedeTheFrameAndFramesArriveWhole)
{
    sim_->Attach(0);
    sim_->Attach(1);
    const DeviceTargets t = MakeDeviceTargets(QStringLiteral("ezusb-1"), {QStringLiteral("Usb-0")}, true);
    EXPECT_EQ(SendFrame(FrameOf(20000), DeviceSettingsPacket{85, 3}, t, 1), 2);
    EXPECT_EQ(SendFrame(FramePacket(), std::nullopt, t, 1), 2);
    const auto w = Writes();
    EXPECT_EQ(Devices(w), (std::vector<int>{1, 0, 1, 0, 1, 0}));
    for (int i : {0, 1}) {
        EXPECT_EQ(w[i].bytes, (std::vector<std::uint8_t>{85, 3}));
        EXPECT_EQ(w[2 + i].bytes.size(), 65536u);  // cut at 16,384 points
        EXPECT_TRUE(w[4 + i].bytes.empty());       // a frame of no points is still a write
    }
}

TEST_F(FanOut, LiveSettingsGoOutAtStartAndAfterEachChange)
{
    sim_->Attach(0);
    PublishDeviceTargets(MakeDeviceTargets(QStringLiteral("ezusb-0"), {}, false));
    OutputChannel = 1;
    SettingsPacketGate gate;
    auto pass = [&gate] {
        if (const DeviceSettingsPacket now = CurrentDeviceSettings(); gate.NeedsSending(now))
            SendSettings(now);
        SendFrame(FrameOf(1));
    };
    SendSpeedByte = 15;
    PortSelection = 2;
    pass();
    pass();
    SendSpeedByte = 40;
    pass();
    pass();
    PortSelection = 0;
    pass();
    SendSpeedByte = 40;  // written again with the same value: no resend
    pass();
    std::vector<std::vector<std::uint8_t>> settings;
    for (const auto& w : Writes())
        if (w.bytes.size() == 2)
            settings.push_back(w.bytes);
    EXPECT_EQ(settings, (std::vector<std::vector<std::uint8_t>>{{15, 2}, {40, 2}, {40, 0}}));
    gate.Reset();  // the next loop starts by sending them
    EXPECT_TRUE(gate.NeedsSending(CurrentDeviceSettings()));
}

// Three play loops stream while the GUI thread swaps the targets a thousand
// times. Each fan-out must follow exactly one snapshot (never the master of one
// and the extras of another) and every packet must arrive whole. The output
// suite also runs under ThreadSanitizer, which checks the sharing itself.
TEST_F(FanOut, StreamingWhileTargetsAreSwapped)
{
    for (int n = 0; n < 6; ++n)
        sim_->Attach(n);
    const DeviceTargets a = MakeDeviceTargets(QStringLiteral("ezusb-0"),
                                              {QStringLiteral("Usb-1"), QStringLiteral("Usb-2")}, true);
    const DeviceTargets b = MakeDeviceTargets(QStringLiteral("ezusb-3"),
                                              {QStringLiteral("Usb-4"), QStringLiteral("Usb-5")}, true);
    PublishDeviceTargets(a);
    OutputChannel = 1;

    constexpr int kThreads = 3;
    constexpr std::size_t kPoints = 32;
    std::atomic<bool> done{false};
    std::atomic<int> sent{0};
    std::vector<std::thread> loops;
    for (int t = 0; t < kThreads; ++t) {
        loops.emplace_back([&, t] {
            const auto id = std::uint8_t(t);
            FramePacket frame;
            for (std::uint32_t seq = 0; !done.load() || seq < 20; ++seq) {
                // Thread and sequence number in the first point, the thread as filler.
                frame.Clear();
                frame.Append({id, std::uint8_t(seq), std::uint8_t(seq >> 8), std::uint8_t(seq >> 16)});
                while (!frame.Full() && frame.PointCount() < kPoints)
                    frame.Append({id, id, id, id});
                SendFrame(frame);
                sent.fetch_add(1);
            }
        });
    }
    while (sent.load() < kThreads)  // swap only once every loop streams
        std::this_thread::yield();
    for (int i = 0; i < 200; ++i) {
        PublishDeviceTargets(i % 2 ? a : b);
        // Each loop has at most one frame in flight, so after kThreads + 1 more frames at
        // least one was sent wholly under this snapshot, however the threads are scheduled.
        const int before = sent.load();
        while (sent.load() < before + kThreads + 1)
            std::this_thread::yield();
    }
    done = true;
    for (auto& l : loops)
        l.join();

    // Group the arrivals by (thread, sequence): each group is one fan-out.
    std::map<std::pair<int, std::uint32_t>, std::vector<int>> fanOuts;
    for (const auto& w : Writes()) {
        ASSERT_EQ(w.bytes.size(), kPoints * 4);
        const int t = w.bytes[0];
        for (std::size_t i = 4; i < w.bytes.size(); ++i)
            ASSERT_EQ(w.bytes[i], t);
        fanOuts[{t, w.bytes[1] | (w.bytes[2] << 8) | (w.bytes[3] << 16)}].push_back(w.device);
    }
    EXPECT_EQ(int(fanOuts.size()), sent.load());
    std::set<std::vector<int>> seen;
    for (const auto& [key, devices] : fanOuts)
        seen.insert(devices);
    EXPECT_EQ(seen, (std::set<std::vector<int>>{{0, 1, 2}, {3, 4, 5}}));
}

}  // namespace
