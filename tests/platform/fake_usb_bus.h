#pragma once
// A USB bus for tests: devices are plugged into ports and pulled out again,
// and each can be told to misbehave (endpoints that cannot be read, short or
// failing writes, its own endpoint layout). Records what reached each device.

#include "platform/usb_bus.h"

#include <algorithm>
#include <mutex>
#include <vector>

class FakeUsbBus final : public UsbBus {
public:
    struct Device {
        std::uint16_t vendorId = 0x8888;
        std::uint8_t port = 1;
        bool attached = true;
        /// Interface 0's endpoints; pipe k is entry k.
        std::vector<UsbEndpoint> endpoints;
        /// Error ReadEndpoints answers with (0: it reads).
        int endpointsError = kUsbSuccess;
        /// Bytes a bulk write leaves out (a short write); 0: all go out.
        int shortBy = 0;
        /// Error the next bulk writes answer with (0: they succeed).
        int writeError = kUsbSuccess;

        // What reached the device.
        int opens = 0;
        int liveHandles = 0;
        std::vector<std::pair<std::uint8_t, std::vector<std::uint8_t>>> writes;
        std::vector<std::uint8_t> clearedHalts;
    };

    /// Bulk IN on pipes 0 and 3, bulk OUT on 1, 2, 4 and 5.
    static std::vector<UsbEndpoint> ControllerEndpoints()
    {
        return {{0x81, 0x02}, {0x01, 0x02}, {0x02, 0x02}, {0x86, 0x02}, {0x04, 0x02}, {0x08, 0x02}};
    }

    /// Plugs a new device into `port`; ports order the devices found by one look.
    std::shared_ptr<Device> Plug(std::uint8_t port, std::uint16_t vendorId = 0x8888)
    {
        std::lock_guard lock(mutex_);
        auto d = std::make_shared<Device>();
        d->vendorId = vendorId;
        d->port = port;
        d->endpoints = ControllerEndpoints();
        devices_.push_back(d);
        return d;
    }

    /// Pulls the device out: its open handles answer "no device" from now on.
    void Unplug(const std::shared_ptr<Device>& d)
    {
        std::lock_guard lock(mutex_);
        d->attached = false;
        std::erase(devices_, d);
    }

    /// How many times the bus was listed.
    int Looks() const { std::lock_guard lock(mutex_); return looks_; }
    /// Changes a device's settings, or reads its record, under the bus's lock.
    template <class F>
    void With(const std::shared_ptr<Device>& d, F&& change) { std::lock_guard lock(mutex_); change(*d); }
    template <class F>
    auto Read(const std::shared_ptr<Device>& d, F&& read) const { std::lock_guard lock(mutex_); return read(*d); }

    int Enumerate(std::vector<UsbFoundDevice>& out) override
    {
        std::lock_guard lock(mutex_);
        ++looks_;
        out.clear();
        for (const auto& d : devices_) {
            UsbFoundDevice found;
            found.identity = d;
            found.vendorId = d->vendorId;
            found.location = {1, d->port};
            out.push_back(std::move(found));
        }
        return kUsbSuccess;
    }

    int Open(const UsbFoundDevice& found, std::unique_ptr<UsbDeviceIo>& out) override
    {
        std::lock_guard lock(mutex_);
        auto d = std::static_pointer_cast<Device>(found.identity);
        if (!d->attached)
            return kUsbErrorNoDevice;
        ++d->opens;
        ++d->liveHandles;
        out = std::make_unique<Io>(*this, d);
        return kUsbSuccess;
    }

private:
    class Io final : public UsbDeviceIo {
    public:
        Io(FakeUsbBus& bus, std::shared_ptr<Device> d) : bus_(bus), d_(std::move(d)) {}
        ~Io() override
        {
            std::lock_guard lock(bus_.mutex_);
            --d_->liveHandles;
        }
        int ClaimInterface(int number) override
        {
            std::lock_guard lock(bus_.mutex_);
            return !d_->attached ? kUsbErrorNoDevice : number == 0 ? kUsbSuccess : kUsbErrorNotFound;
        }
        int ReadEndpoints(int, std::vector<UsbEndpoint>& out) override
        {
            std::lock_guard lock(bus_.mutex_);
            out = d_->endpointsError == kUsbSuccess ? d_->endpoints : std::vector<UsbEndpoint>{};
            return d_->endpointsError;
        }
        int ControlTransfer(std::uint8_t requestType, std::uint8_t request, std::uint16_t value, std::uint16_t,
                            std::span<std::uint8_t> data, unsigned) override
        {
            std::lock_guard lock(bus_.mutex_);
            if (!d_->attached)
                return kUsbErrorNoDevice;
            // GET_DESCRIPTOR of the device descriptor: a plausible one with the device's vendor id.
            if (requestType == kUsbEndpointIn && request == 0x06 && value == 0x0100) {
                const std::uint8_t descriptor[18] = {18, 1, 0, 2, 0xFF, 0xFF, 0xFF, 64,
                                                     std::uint8_t(d_->vendorId & 0xFF),
                                                     std::uint8_t(d_->vendorId >> 8), 1, 0, 0, 1, 0, 0, 0, 1};
                const std::size_t n = std::min(data.size(), sizeof descriptor);
                std::copy_n(descriptor, n, data.begin());
                return int(n);
            }
            return int(data.size());
        }
        int BulkWrite(std::uint8_t endpoint, std::span<const std::uint8_t> data, int& transferred,
                      unsigned) override
        {
            std::lock_guard lock(bus_.mutex_);
            transferred = 0;
            if (!d_->attached)
                return kUsbErrorNoDevice;
            if (d_->writeError != kUsbSuccess)
                return d_->writeError;
            transferred = std::max(0, int(data.size()) - d_->shortBy);
            d_->writes.emplace_back(endpoint, std::vector<std::uint8_t>(data.begin(), data.begin() + transferred));
            return kUsbSuccess;
        }
        int ClearHalt(std::uint8_t endpoint) override
        {
            std::lock_guard lock(bus_.mutex_);
            if (!d_->attached)
                return kUsbErrorNoDevice;
            d_->clearedHalts.push_back(endpoint);
            return kUsbSuccess;
        }

    private:
        FakeUsbBus& bus_;
        std::shared_ptr<Device> d_;
    };

    mutable std::mutex mutex_;
    std::vector<std::shared_ptr<Device>> devices_;
    int looks_ = 0;
};
