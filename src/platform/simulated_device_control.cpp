#include "platform/simulated_device_control.h"

#include <algorithm>

namespace {

bool ValidNumber(int number)
{
    return number >= 0 && number < kMaxDevices;
}

}  // namespace

void SimulatedDeviceControl::Attach(int number, std::uint16_t vendorId)
{
    if (!ValidNumber(number))
        return;
    std::lock_guard lock(mutex_);
    Controller& c = controllers_[number];
    if (c.attached)
        return;
    c.attached = true;
    c.vendorId = vendorId;
    c.attachment = nextAttachment_++;
}

void SimulatedDeviceControl::Detach(int number)
{
    if (!ValidNumber(number))
        return;
    std::lock_guard lock(mutex_);
    controllers_[number].attached = false;
}

bool SimulatedDeviceControl::IsAttached(int number) const
{
    if (!ValidNumber(number))
        return false;
    std::lock_guard lock(mutex_);
    return controllers_[number].attached;
}

void SimulatedDeviceControl::FailRequests(int device, std::uint32_t code, int count, int skip)
{
    std::lock_guard lock(mutex_);
    failures_.push_back({device, code, std::max(skip, 0), count});
}

void SimulatedDeviceControl::ClearFailures()
{
    std::lock_guard lock(mutex_);
    failures_.clear();
}

std::vector<RecordedRequest> SimulatedDeviceControl::Requests() const
{
    std::lock_guard lock(mutex_);
    return requests_;
}

std::vector<RecordedRequest> SimulatedDeviceControl::RequestsTo(int device) const
{
    std::lock_guard lock(mutex_);
    std::vector<RecordedRequest> result;
    for (const RecordedRequest& r : requests_) {
        if (r.device == device)
            result.push_back(r);
    }
    return result;
}

void SimulatedDeviceControl::ClearRequests()
{
    std::lock_guard lock(mutex_);
    requests_.clear();
}

int SimulatedDeviceControl::OpenCount() const
{
    std::lock_guard lock(mutex_);
    return openCount_;
}

std::optional<DeviceHandle> SimulatedDeviceControl::Open(QStringView name)
{
    std::lock_guard lock(mutex_);
    ++openCount_;
    const std::optional<int> number = ParseDeviceName(name);
    if (!number || !controllers_[*number].attached)
        return std::nullopt;
    return DeviceHandle{*number, controllers_[*number].attachment};
}

bool SimulatedDeviceControl::Complete(const DeviceHandle& device, std::uint32_t code,
                                      std::uint32_t pipe, std::vector<std::uint8_t> bytes)
{
    // A handle from an earlier attachment reaches nothing: no record, as no
    // request got to a controller.
    if (!ValidNumber(device.number))
        return false;
    const Controller& c = controllers_[device.number];
    if (!c.attached || c.attachment != device.attachment)
        return false;

    bool ok = true;
    for (Failure& f : failures_) {
        if (f.device != device.number || f.code != code || f.remaining == 0)
            continue;
        if (f.skip > 0) {
            --f.skip;
            continue;
        }
        if (f.remaining > 0)
            --f.remaining;
        ok = false;
        break;
    }
    std::erase_if(failures_, [](const Failure& f) { return f.remaining == 0; });
    requests_.push_back({code, device.number, pipe, std::move(bytes), ok});
    return ok;
}

bool SimulatedDeviceControl::GetDeviceDescriptor(const DeviceHandle& device, DeviceDescriptor& out)
{
    std::lock_guard lock(mutex_);
    if (!Complete(device, kRequestGetDeviceDescriptor, 0, {}))
        return false;
    const std::uint16_t vid = controllers_[device.number].vendorId;
    // A plausible USB 2.0 descriptor; only the vendor id matters to the program.
    out = {18, 1, 0x00, 0x02, 0xFF, 0xFF, 0xFF, 64,
           std::uint8_t(vid & 0xFF), std::uint8_t(vid >> 8), 0x01, 0x00,
           0x00, 0x01, 0, 0, 0, 1};
    return true;
}

bool SimulatedDeviceControl::VendorRequest(const DeviceHandle& device, const VendorRequestBlock& block)
{
    const auto wire = SerializeVendorRequest(block);
    std::lock_guard lock(mutex_);
    return Complete(device, kRequestVendor, 0, {wire.begin(), wire.end()});
}

bool SimulatedDeviceControl::AbortPipe(const DeviceHandle& device, std::uint32_t pipe)
{
    std::lock_guard lock(mutex_);
    return Complete(device, kRequestAbortPipe, pipe, {});
}

bool SimulatedDeviceControl::BulkWrite(const DeviceHandle& device, std::uint32_t pipe,
                                       std::span<const std::uint8_t> data)
{
    // Copy before taking the lock so that writers to other controllers are not held up by it.
    std::vector<std::uint8_t> bytes(data.begin(), data.end());
    std::lock_guard lock(mutex_);
    return Complete(device, kRequestBulkWrite, pipe, std::move(bytes));
}
