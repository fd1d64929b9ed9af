#pragma once
// An in-process stand-in for the USB controllers: controllers are attached and
// removed by number at any time, every request is recorded, and any request
// can be made to fail. Safe to use from any number of threads at once.

#include "platform/device_control.h"

#include <mutex>
#include <vector>

/// One request as the simulated controller received it.
struct RecordedRequest {
    /// One of the kRequest* codes.
    std::uint32_t code = 0;
    int device = -1;
    /// Pipe of an abort or a bulk write; 0 for the other requests.
    std::uint32_t pipe = 0;
    /// Bulk write: the data; vendor request: the 10-byte block; otherwise empty.
    std::vector<std::uint8_t> bytes;
    bool succeeded = false;
};

class SimulatedDeviceControl final : public DeviceControl {
public:
    /// Makes a failure last until ClearFailures.
    static constexpr int kAlways = -1;

    /// Any thread. Attaches controller `number` (0..127) with the given vendor id; a no-op when attached.
    void Attach(int number, std::uint16_t vendorId = kControllerVendorId);
    /// Any thread. Removes the controller: open handles to it fail from now on.
    void Detach(int number);
    /// Any thread. Whether controller `number` is attached.
    bool IsAttached(int number) const;

    /// Any thread. After `skip` more requests with `code` to `device` succeed, the next `count` fail (kAlways: every one).
    void FailRequests(int device, std::uint32_t code, int count = 1, int skip = 0);
    /// Any thread. Forgets every pending failure.
    void ClearFailures();

    /// Any thread. Copy of every request received so far, in arrival order.
    std::vector<RecordedRequest> Requests() const;
    /// Any thread. The requests received by one controller, in arrival order.
    std::vector<RecordedRequest> RequestsTo(int device) const;
    /// Any thread. Forgets the recorded requests (the open count stays).
    void ClearRequests();
    /// Any thread. How many times Open was called, whatever its result.
    int OpenCount() const;

    std::optional<DeviceHandle> Open(QStringView name) override;
    bool GetDeviceDescriptor(const DeviceHandle& device, DeviceDescriptor& out) override;
    bool VendorRequest(const DeviceHandle& device, const VendorRequestBlock& block) override;
    bool AbortPipe(const DeviceHandle& device, std::uint32_t pipe) override;
    bool BulkWrite(const DeviceHandle& device, std::uint32_t pipe,
                   std::span<const std::uint8_t> data) override;

private:
    struct Controller {
        bool attached = false;
        std::uint16_t vendorId = 0;
        std::uint64_t attachment = 0;
    };
    struct Failure {
        int device = -1;
        std::uint32_t code = 0;
        int skip = 0;
        int remaining = 0;
    };

    // Records the request and says whether it succeeds. Caller holds mutex_.
    bool Complete(const DeviceHandle& device, std::uint32_t code, std::uint32_t pipe,
                  std::vector<std::uint8_t> bytes);

    mutable std::mutex mutex_;
    Controller controllers_[kMaxDevices];
    std::uint64_t nextAttachment_ = 1;
    std::vector<Failure> failures_;
    std::vector<RecordedRequest> requests_;
    int openCount_ = 0;
};
