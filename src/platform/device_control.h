#pragma once
// Device control: how the program reaches the USB laser controllers. A
// controller is named "ezusb-N" (N 0..127, any letter case) and answers four
// requests: read its device descriptor, a vendor request, abort a pipe and a
// bulk write to a pipe. Two implementations stand behind this interface: the
// libusb one for real controllers and a simulated one for tests.

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

// Request codes of the controllers' driver; the simulated backend records them.
inline constexpr std::uint32_t kRequestGetDeviceDescriptor = 0x00222004;
inline constexpr std::uint32_t kRequestVendor = 0x00222014;
inline constexpr std::uint32_t kRequestAbortPipe = 0x0022203D;
inline constexpr std::uint32_t kRequestBulkWrite = 0x00222051;

inline constexpr std::uint16_t kControllerVendorId = 0x8888;
inline constexpr int kMaxDevices = 128;
/// Longest device name that fits the driver's 64-byte path with its prefix.
inline constexpr int kMaxDeviceNameLength = 59;
/// Every transfer gives up after this long, so a stalled controller cannot pin a worker.
inline constexpr int kTransferTimeoutMs = 1000;

using DeviceDescriptor = std::array<std::uint8_t, 18>;

/// The vendor request block as the driver takes it (10 bytes on the wire).
struct VendorRequestBlock {
    std::uint8_t request = 0;
    std::uint16_t value = 0;
    std::uint16_t index = 0;
    std::uint16_t length = 0;
    /// 0 host to device, 1 device to host.
    std::uint8_t direction = 0;
    std::uint8_t data = 0;

    friend bool operator==(const VendorRequestBlock&, const VendorRequestBlock&) = default;
};

/// Wire form: request, pad, value, index, length (16-bit little-endian each), direction, data.
std::array<std::uint8_t, 10> SerializeVendorRequest(const VendorRequestBlock& block);

/// Vendor id of a raw device descriptor (bytes 8..9, little-endian).
std::uint16_t DescriptorVendorId(const DeviceDescriptor& descriptor);

/// The controller number of "ezusb-N" (case ignored, N 0..127 without leading zeros), else nullopt.
std::optional<int> ParseDeviceName(QStringView name);
/// "ezusb-" + number.
QString DeviceNameFor(int number);

/// An opened controller. Holds no resource: it names one attachment of one
/// controller, so a request on a handle of a controller that was unplugged
/// (even if plugged in again since) fails.
struct DeviceHandle {
    int number = -1;
    std::uint64_t attachment = 0;
};

class DeviceControl {
public:
    virtual ~DeviceControl() = default;

    /// Any thread. Looks at the bus now: controllers that are gone free their
    /// numbers, new ones take the lowest free numbers. Detection calls it once
    /// at its start, so that its walk over the numbers sees the bus as it is.
    virtual void Rescan() {}
    /// Any thread. The attached controller called `name`, or nullopt.
    virtual std::optional<DeviceHandle> Open(QStringView name) = 0;
    /// Any thread. Reads the 18-byte standard device descriptor into `out`.
    virtual bool GetDeviceDescriptor(const DeviceHandle& device, DeviceDescriptor& out) = 0;
    /// Any thread. Issues one vendor control request; blocks at most the transfer timeout.
    virtual bool VendorRequest(const DeviceHandle& device, const VendorRequestBlock& block) = 0;
    /// Any thread. Aborts (clears) the given pipe; blocks at most the transfer timeout.
    virtual bool AbortPipe(const DeviceHandle& device, std::uint32_t pipe) = 0;
    /// Any thread. Writes all of `data` to the pipe; a short or timed-out write is a failure.
    virtual bool BulkWrite(const DeviceHandle& device, std::uint32_t pipe,
                           std::span<const std::uint8_t> data) = 0;
};

/// Any thread. The backend every device operation goes through; the libusb one unless replaced.
std::shared_ptr<DeviceControl> CurrentDeviceControl();
/// Any thread. Replaces the backend (tests install a simulated one); nullptr restores the libusb one.
void SetCurrentDeviceControl(std::shared_ptr<DeviceControl> backend);
