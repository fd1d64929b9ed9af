#pragma once
// Device control through libusb-1.0.
//
// Controllers (vendor id 0x8888) are numbered as they are found: each new one
// takes the lowest free number and keeps it while it stays attached; every open
// looks at the bus again, so an unplugged controller frees its number. usbfs lets
// only one handle claim an interface, so each controller has one cached handle
// guarded by its own mutex; a transfer error drops the handle, and the next
// request opens the controller afresh (a replugged controller is found again).
// Pipe k is the k-th endpoint of interface 0.

#include "platform/device_control.h"

#include <memory>
#include <vector>

class UsbDeviceControl final : public DeviceControl {
public:
    /// Starts a libusb context of its own; no device is opened until a request needs it.
    UsbDeviceControl();
    /// Closes every cached handle. No request may be running.
    ~UsbDeviceControl() override;
    UsbDeviceControl(const UsbDeviceControl&) = delete;
    UsbDeviceControl& operator=(const UsbDeviceControl&) = delete;

    /// Any thread. Looks at the bus again and returns the numbers of the attached controllers, ascending.
    std::vector<int> AttachedNumbers();

    std::optional<DeviceHandle> Open(QStringView name) override;
    bool GetDeviceDescriptor(const DeviceHandle& device, DeviceDescriptor& out) override;
    bool VendorRequest(const DeviceHandle& device, const VendorRequestBlock& block) override;
    bool AbortPipe(const DeviceHandle& device, std::uint32_t pipe) override;
    bool BulkWrite(const DeviceHandle& device, std::uint32_t pipe,
                   std::span<const std::uint8_t> data) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
