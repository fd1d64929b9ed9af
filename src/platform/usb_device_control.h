#pragma once
// Device control over a USB bus (libusb-1.0 unless a test gives another).
//
// Controllers (vendor id 0x8888) are numbered as they are found: each new one
// takes the lowest free number and keeps it while it stays attached. The bus
// is looked at by Rescan (detection does so at its start), and by an open of
// a number whose controller has stopped answering or was lost at an earlier
// look, so that a replugged controller is found again at the next write.
//
// usbfs lets only one handle claim an interface, so each controller has one
// cached handle guarded by its own mutex; a transfer error drops the handle,
// and the next request opens the controller afresh. A controller whose
// endpoints cannot be read is closed again at once. Pipe k is the k-th
// endpoint of interface 0, and a write goes only to a bulk OUT endpoint.

#include "platform/device_control.h"

#include <memory>
#include <vector>

class UsbBus;

class UsbDeviceControl final : public DeviceControl {
public:
    /// Over libusb, with a context of its own; no device is opened until a request needs it.
    UsbDeviceControl();
    /// Over the given bus; a null bus has no controllers.
    explicit UsbDeviceControl(std::shared_ptr<UsbBus> bus);
    /// Closes every cached handle. No request may be running.
    ~UsbDeviceControl() override;
    UsbDeviceControl(const UsbDeviceControl&) = delete;
    UsbDeviceControl& operator=(const UsbDeviceControl&) = delete;

    /// Any thread. Looks at the bus again and returns the numbers of the attached controllers, ascending.
    std::vector<int> AttachedNumbers();

    void Rescan() override;
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
