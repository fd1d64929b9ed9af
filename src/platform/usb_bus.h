#pragma once
// The few USB calls the controller backend makes, behind an interface: list
// the devices on the bus, open one, claim an interface, read its endpoints
// and transfer. The real implementation calls libusb-1.0; tests put a fake
// bus behind the same calls to plug, unplug and misbehave at will.
//
// Results are libusb's: 0 or a byte count for success, a negative error code
// (the kUsbError* values below) for failure.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

inline constexpr int kUsbSuccess = 0;
inline constexpr int kUsbErrorIo = -1;
inline constexpr int kUsbErrorAccess = -3;
inline constexpr int kUsbErrorNoDevice = -4;
inline constexpr int kUsbErrorNotFound = -5;
inline constexpr int kUsbErrorBusy = -6;
inline constexpr int kUsbErrorTimeout = -7;
inline constexpr int kUsbErrorPipe = -9;
inline constexpr int kUsbErrorOther = -99;

// Bits of an endpoint's address and attributes.
inline constexpr std::uint8_t kUsbEndpointIn = 0x80;
inline constexpr std::uint8_t kUsbTransferTypeMask = 0x03;
inline constexpr std::uint8_t kUsbTransferTypeBulk = 0x02;

/// One device as a look at the bus found it.
struct UsbFoundDevice {
    /// Keeps the bus's record of this attachment alive while held. Two looks
    /// give the same pointer for the same attachment; a device unplugged and
    /// plugged in again is a new one, never equal to a record still held.
    std::shared_ptr<void> identity;
    /// From the descriptor the bus keeps (no request to the device).
    std::uint16_t vendorId = 0;
    /// Bus number, then the port path, zero padded: a stable order for devices found together.
    std::array<std::uint8_t, 8> location{};
};

struct UsbEndpoint {
    std::uint8_t address = 0;
    std::uint8_t attributes = 0;
};

/// An opened device. Destroying it releases what was claimed and closes it.
/// Not thread-safe: the backend serialises the calls on one device.
class UsbDeviceIo {
public:
    virtual ~UsbDeviceIo() = default;
    /// Claims interface `number` for this handle.
    virtual int ClaimInterface(int number) = 0;
    /// The endpoints of interface `number` (first alternate setting), in descriptor order.
    virtual int ReadEndpoints(int number, std::vector<UsbEndpoint>& out) = 0;
    /// A control transfer; returns the bytes moved or an error.
    virtual int ControlTransfer(std::uint8_t requestType, std::uint8_t request, std::uint16_t value,
                                std::uint16_t index, std::span<std::uint8_t> data, unsigned timeoutMs) = 0;
    /// A bulk OUT transfer of `data`; `transferred` tells how much went out, also on a timeout.
    virtual int BulkWrite(std::uint8_t endpoint, std::span<const std::uint8_t> data, int& transferred,
                          unsigned timeoutMs) = 0;
    /// Clears a halt (stall) on the endpoint.
    virtual int ClearHalt(std::uint8_t endpoint) = 0;
};

class UsbBus {
public:
    virtual ~UsbBus() = default;
    /// Any thread. Every device on the bus now; an error leaves `out` empty.
    virtual int Enumerate(std::vector<UsbFoundDevice>& out) = 0;
    /// Any thread. Opens a device an earlier look found.
    virtual int Open(const UsbFoundDevice& device, std::unique_ptr<UsbDeviceIo>& out) = 0;
};

/// The libusb-1.0 bus, with a context of its own; null when libusb cannot start.
std::shared_ptr<UsbBus> MakeLibusbBus();
