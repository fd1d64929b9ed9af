#pragma once
// Simulated USB controllers, in process: controllers are attached and
// removed by number at any time, every request is recorded, and any request
// can be made to fail, to answer late or to hang until the test lets it go.
// Safe to use from any number of threads at once.

#include "platform/device_control.h"

#include <chrono>
#include <condition_variable>
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
    /// Makes a failure, delay or hang last until cleared.
    static constexpr int kAlways = -1;

    SimulatedDeviceControl() = default;
    /// No request may be running (let hanging ones go first).
    ~SimulatedDeviceControl() override = default;
    SimulatedDeviceControl(const SimulatedDeviceControl&) = delete;
    SimulatedDeviceControl& operator=(const SimulatedDeviceControl&) = delete;

    /// Any thread. Attaches controller `number` (0..127) with the given vendor id; a no-op when attached.
    void Attach(int number, std::uint16_t vendorId = kControllerVendorId);
    /// Any thread. Removes the controller: open handles to it fail from now on.
    void Detach(int number);
    /// Any thread. Whether controller `number` is attached.
    bool IsAttached(int number) const;

    /// Any thread. After `skip` more requests with `code` to `device` succeed, the next `count` fail (kAlways: every one).
    void FailRequests(int device, std::uint32_t code, int count = 1, int skip = 0);
    /// Any thread. Forgets every pending failure, delay and hang (hanging requests keep hanging).
    void ClearFailures();

    /// Any thread. The next `count` requests with `code` to `device` answer after `delay`.
    /// A delay of the transfer timeout or more ends at the timeout, and the request fails.
    void DelayRequests(int device, std::uint32_t code, std::chrono::milliseconds delay, int count = 1);
    /// Any thread. The next `count` requests with `code` to `device` hang until
    /// ReleaseHanging; then they fail, as a transfer that timed out does.
    void HangRequests(int device, std::uint32_t code, int count = 1);
    /// Any thread. How many requests hang right now.
    int HangingCount() const;
    /// Any thread. Waits until at least `count` requests hang; false if that did not happen within `limit`.
    bool WaitUntilHanging(int count, std::chrono::milliseconds limit) const;
    /// Any thread. Every request hanging now returns (and fails).
    void ReleaseHanging();

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
    struct Stall {
        int device = -1;
        std::uint32_t code = 0;
        int remaining = 0;
        /// Zero or more: a delay; below zero: a hang.
        std::chrono::milliseconds delay{0};
    };

    // Delays or hangs the request when asked to, before it is answered; false
    // when it timed out. Takes mutex_ itself and never holds it while waiting.
    bool Stalled(const DeviceHandle& device, std::uint32_t code);
    // Records the request and says whether it succeeds. Caller holds mutex_.
    bool Complete(const DeviceHandle& device, std::uint32_t code, std::uint32_t pipe,
                  std::vector<std::uint8_t> bytes, bool timedOut = false);

    mutable std::mutex mutex_;
    mutable std::condition_variable hangChanged_;
    Controller controllers_[kMaxDevices];
    std::uint64_t nextAttachment_ = 1;
    std::vector<Failure> failures_;
    std::vector<Stall> stalls_;
    int hanging_ = 0;
    std::uint64_t releases_ = 0;
    std::vector<RecordedRequest> requests_;
    int openCount_ = 0;
};
