#include "output/device_access.h"

namespace {

// The backend is held for the whole operation, so a test swapping it cannot
// pull it from under a running write.
struct OpenedDevice {
    std::shared_ptr<DeviceControl> backend;
    DeviceHandle handle;
};

std::optional<OpenedDevice> Open(const QString& name)
{
    if (name.isEmpty() || name.size() > kMaxDeviceNameLength)
        return std::nullopt;
    std::shared_ptr<DeviceControl> backend = CurrentDeviceControl();
    std::optional<DeviceHandle> handle = backend->Open(name);
    if (!handle)
        return std::nullopt;
    return OpenedDevice{std::move(backend), *handle};
}

VendorRequestBlock CpuControl(std::uint8_t data)
{
    VendorRequestBlock block;
    block.request = kVendorWriteMemory;
    block.value = kCpuControlRegister;
    block.index = 0;
    block.length = 1;
    block.direction = 0;
    block.data = data;
    return block;
}

}  // namespace

bool OpenDevice(DeviceHandle& handle, const QString& name)
{
    const std::optional<OpenedDevice> device = Open(name);
    if (!device)
        return false;
    handle = device->handle;
    return true;
}

bool BulkWrite(std::span<const std::uint8_t> data, const QString& name, std::uint32_t pipe)
{
    const std::optional<OpenedDevice> device = Open(name);
    return device && device->backend->BulkWrite(device->handle, pipe, data);
}

bool ResetPipe(const QString& name, std::uint32_t pipe)
{
    const std::optional<OpenedDevice> device = Open(name);
    return device && device->backend->AbortPipe(device->handle, pipe);
}

bool ResetDeviceCpu(const QString& name)
{
    const std::optional<OpenedDevice> device = Open(name);
    if (!device)
        return false;
    // The release is sent even when the hold failed, so the processor is never
    // left held; but only a hold and a release together are a reset.
    const bool held = device->backend->VendorRequest(device->handle, CpuControl(1));
    const bool released = device->backend->VendorRequest(device->handle, CpuControl(0));
    return held && released;
}

std::optional<DeviceDescriptor> ReadDeviceDescriptor(const QString& name)
{
    const std::optional<OpenedDevice> device = Open(name);
    if (!device)
        return std::nullopt;
    DeviceDescriptor descriptor{};
    if (!device->backend->GetDeviceDescriptor(device->handle, descriptor))
        return std::nullopt;
    return descriptor;
}

void RescanDevices()
{
    CurrentDeviceControl()->Rescan();
}

bool IsControllerAttached(const QString& name)
{
    const std::optional<DeviceDescriptor> descriptor = ReadDeviceDescriptor(name);
    return descriptor && DescriptorVendorId(*descriptor) == kControllerVendorId;
}
