#include "platform/simulated_device_control.h"

#include <algorithm>
#include <thread>

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
    stalls_.clear();
}

void SimulatedDeviceControl::DelayRequests(int device, std::uint32_t code, std::chrono::milliseconds delay, int count)
{
    std::lock_guard lock(mutex_);
    stalls_.push_back({device, code, count, std::max(delay, std::chrono::milliseconds(0))});
}

void SimulatedDeviceControl::HangRequests(int device, std::uint32_t code, int count)
{
    std::lock_guard lock(mutex_);
    stalls_.push_back({device, code, count, std::chrono::milliseconds(-1)});
}

int SimulatedDeviceControl::HangingCount() const
{
    std::lock_guard lock(mutex_);
    return hanging_;
}

bool SimulatedDeviceControl::WaitUntilHanging(int count, std::chrono::milliseconds limit) const
{
    std::unique_lock lock(mutex_);
    return hangChanged_.wait_for(lock, limit, [this, count] { return hanging_ >= count; });
}

void SimulatedDeviceControl::ReleaseHanging()
{
    std::lock_guard lock(mutex_);
    ++releases_;
    hangChanged_.notify_all();
}

bool SimulatedDeviceControl::Stalled(const DeviceHandle& device, std::uint32_t code)
{
    std::unique_lock lock(mutex_);
    auto stall = std::find_if(stalls_.begin(), stalls_.end(), [&](const Stall& s) {
        return s.device == device.number && s.code == code && s.remaining != 0;
    });
    if (stall == stalls_.end())
        return false;
    const std::chrono::milliseconds delay = stall->delay;
    if (stall->remaining > 0 && --stall->remaining == 0)
        stalls_.erase(stall);

    if (delay.count() < 0) {
        const std::uint64_t release = releases_;
        ++hanging_;
        hangChanged_.notify_all();
        hangChanged_.wait(lock, [this, release] { return releases_ != release; });
        --hanging_;
        hangChanged_.notify_all();
        return true;
    }
    lock.unlock();
    const std::chrono::milliseconds timeout(kTransferTimeoutMs);
    std::this_thread::sleep_for(std::min(delay, timeout));
    return delay >= timeout;
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
                                      std::uint32_t pipe, std::vector<std::uint8_t> bytes, bool timedOut)
{
    // A handle from an earlier attachment reaches nothing: no record, as no
    // request got to a controller.
    if (!ValidNumber(device.number))
        return false;
    const Controller& c = controllers_[device.number];
    if (!c.attached || c.attachment != device.attachment)
        return false;

    bool ok = !timedOut;
    for (Failure& f : failures_) {
        if (!ok)
            break;
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
    const bool timedOut = Stalled(device, kRequestGetDeviceDescriptor);
    std::lock_guard lock(mutex_);
    if (!Complete(device, kRequestGetDeviceDescriptor, 0, {}, timedOut))
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
    const bool timedOut = Stalled(device, kRequestVendor);
    std::lock_guard lock(mutex_);
    return Complete(device, kRequestVendor, 0, {wire.begin(), wire.end()}, timedOut);
}

bool SimulatedDeviceControl::AbortPipe(const DeviceHandle& device, std::uint32_t pipe)
{
    const bool timedOut = Stalled(device, kRequestAbortPipe);
    std::lock_guard lock(mutex_);
    return Complete(device, kRequestAbortPipe, pipe, {}, timedOut);
}

bool SimulatedDeviceControl::BulkWrite(const DeviceHandle& device, std::uint32_t pipe,
                                       std::span<const std::uint8_t> data)
{
    // Copy before taking the lock so that writers to other controllers are not held up by it.
    std::vector<std::uint8_t> bytes(data.begin(), data.end());
    const bool timedOut = Stalled(device, kRequestBulkWrite);
    std::lock_guard lock(mutex_);
    return Complete(device, kRequestBulkWrite, pipe, std::move(bytes), timedOut);
}
