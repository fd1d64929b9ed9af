#include "platform/usb_device_control.h"

#include "platform/usb_bus.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <climits>
#include <mutex>

namespace {

constexpr int kControllerInterface = 0;
constexpr std::uint8_t kRequestTypeVendorDevice = 0x40;  // vendor, device recipient, host to device
constexpr std::uint8_t kRequestGetDescriptor = 0x06;
constexpr std::uint16_t kDeviceDescriptorValue = 0x0100;

// One attachment of one controller. The handle and endpoint list belong to
// `mutex`; requests to different controllers never wait for each other.
struct Controller {
    Controller(UsbFoundDevice d, std::uint64_t a) : found(std::move(d)), attachment(a) {}

    void Close()
    {
        io.reset();
        endpoints.clear();
    }

    const UsbFoundDevice found;
    const std::uint64_t attachment;
    /// Set once the controller answered "no device": the next Open looks at the bus again.
    std::atomic<bool> gone{false};

    std::mutex mutex;
    std::unique_ptr<UsbDeviceIo> io;
    std::vector<UsbEndpoint> endpoints;
};

// Drops the handle after a failed request; the next request opens again.
void DropAfterError(Controller& c, int rc)
{
    c.Close();
    if (rc == kUsbErrorNoDevice)
        c.gone = true;
}

// Opens, claims interface 0 and reads its endpoints unless already done.
// Caller holds c.mutex. A handle is kept only when all three succeeded: one
// without its endpoint list could only fail every write.
bool EnsureOpen(UsbBus& bus, Controller& c)
{
    if (c.io)
        return true;
    if (c.gone)
        return false;
    std::unique_ptr<UsbDeviceIo> io;
    int rc = bus.Open(c.found, io);
    if (rc == kUsbSuccess && !io)
        rc = kUsbErrorOther;
    if (rc == kUsbSuccess)
        rc = io->ClaimInterface(kControllerInterface);
    std::vector<UsbEndpoint> endpoints;
    if (rc == kUsbSuccess)
        rc = io->ReadEndpoints(kControllerInterface, endpoints);
    if (rc != kUsbSuccess) {
        io.reset();
        DropAfterError(c, rc);
        return false;
    }
    c.io = std::move(io);
    c.endpoints = std::move(endpoints);
    return true;
}

const UsbEndpoint* PipeEndpoint(const Controller& c, std::uint32_t pipe)
{
    return pipe < c.endpoints.size() ? &c.endpoints[pipe] : nullptr;
}

bool IsBulkOut(const UsbEndpoint& e)
{
    return (e.attributes & kUsbTransferTypeMask) == kUsbTransferTypeBulk && (e.address & kUsbEndpointIn) == 0;
}

}  // namespace

struct UsbDeviceControl::Impl {
    std::shared_ptr<UsbBus> bus;

    std::mutex registryMutex;
    std::array<std::shared_ptr<Controller>, kMaxDevices> controllers;
    // Numbers whose controller a look at the bus lost: an open of one looks
    // again, so that the controller is found when it is plugged back in.
    std::array<bool, kMaxDevices> vacated{};
    std::uint64_t nextAttachment = 1;

    // Brings the numbering up to date with the bus. Caller holds registryMutex.
    void Look()
    {
        std::vector<UsbFoundDevice> devices;
        if (bus->Enumerate(devices) != kUsbSuccess)
            return;
        std::array<bool, kMaxDevices> seen{};
        std::vector<UsbFoundDevice> fresh;
        for (UsbFoundDevice& d : devices) {
            if (d.vendorId != kControllerVendorId || !d.identity)
                continue;
            // We hold the record of every controller we numbered, so a replugged
            // controller cannot share the identity of its former self.
            auto known = std::find_if(controllers.begin(), controllers.end(), [&d](const auto& c) {
                return c && c->found.identity.get() == d.identity.get();
            });
            if (known != controllers.end())
                seen[std::size_t(known - controllers.begin())] = true;
            else
                fresh.push_back(std::move(d));
        }
        for (std::size_t i = 0; i < controllers.size(); ++i) {
            if (controllers[i] && !seen[i]) {
                controllers[i].reset();  // closed once no request uses it any more
                vacated[i] = true;
            }
        }
        std::sort(fresh.begin(), fresh.end(),
                  [](const UsbFoundDevice& a, const UsbFoundDevice& b) { return a.location < b.location; });
        std::size_t slot = 0;
        for (UsbFoundDevice& d : fresh) {
            while (slot < controllers.size() && controllers[slot])
                ++slot;
            if (slot == controllers.size())
                break;
            controllers[slot] = std::make_shared<Controller>(std::move(d), nextAttachment++);
            vacated[slot] = false;
        }
    }

    std::shared_ptr<Controller> Find(const DeviceHandle& h)
    {
        if (!bus || h.number < 0 || h.number >= kMaxDevices)
            return nullptr;
        std::lock_guard lock(registryMutex);
        std::shared_ptr<Controller> c = controllers[std::size_t(h.number)];
        if (!c || c->attachment != h.attachment)
            return nullptr;
        return c;
    }

    // Runs `request` on the controller's handle, opening it first, with the
    // controller's mutex held; false when the controller is gone or will not open.
    template <class Request>
    bool OnOpenController(const DeviceHandle& h, Request&& request)
    {
        const std::shared_ptr<Controller> c = Find(h);
        if (!c)
            return false;
        std::lock_guard lock(c->mutex);
        if (!EnsureOpen(*bus, *c))
            return false;
        return request(*c);
    }
};

UsbDeviceControl::UsbDeviceControl() : UsbDeviceControl(MakeLibusbBus()) {}

UsbDeviceControl::UsbDeviceControl(std::shared_ptr<UsbBus> bus) : impl_(std::make_unique<Impl>())
{
    impl_->bus = std::move(bus);
}

UsbDeviceControl::~UsbDeviceControl()
{
    for (auto& c : impl_->controllers)
        c.reset();
}

void UsbDeviceControl::Rescan()
{
    if (!impl_->bus)
        return;
    std::lock_guard lock(impl_->registryMutex);
    impl_->Look();
    // What this look found is the new list: numbers lost before are no longer waited for.
    impl_->vacated.fill(false);
}

std::vector<int> UsbDeviceControl::AttachedNumbers()
{
    Rescan();
    std::vector<int> numbers;
    std::lock_guard lock(impl_->registryMutex);
    for (int i = 0; i < kMaxDevices; ++i) {
        if (impl_->controllers[std::size_t(i)])
            numbers.push_back(i);
    }
    return numbers;
}

std::optional<DeviceHandle> UsbDeviceControl::Open(QStringView name)
{
    const std::optional<int> number = ParseDeviceName(name);
    if (!number || !impl_->bus)
        return std::nullopt;
    const auto n = std::size_t(*number);
    std::lock_guard lock(impl_->registryMutex);
    // Play loops open a controller for every packet, so the bus is looked at
    // only for a controller that stopped answering or was lost at a look;
    // a number nobody held is free until the next detection.
    const auto& slot = impl_->controllers[n];
    if (slot ? slot->gone.load() : impl_->vacated[n])
        impl_->Look();
    if (!slot || slot->gone)
        return std::nullopt;
    return DeviceHandle{*number, slot->attachment};
}

bool UsbDeviceControl::GetDeviceDescriptor(const DeviceHandle& device, DeviceDescriptor& out)
{
    // Asked of the controller itself, not taken from the bus's cache: a controller
    // unplugged since the last look at the bus must not be counted by detection.
    return impl_->OnOpenController(device, [&out](Controller& c) {
        DeviceDescriptor bytes{};
        const int rc = c.io->ControlTransfer(kUsbEndpointIn, kRequestGetDescriptor, kDeviceDescriptorValue, 0,
                                             bytes, kTransferTimeoutMs);
        if (rc < 0) {
            DropAfterError(c, rc);
            return false;
        }
        if (rc != int(bytes.size()))
            return false;
        out = bytes;
        return true;
    });
}

bool UsbDeviceControl::VendorRequest(const DeviceHandle& device, const VendorRequestBlock& block)
{
    // The block carries a single data byte, so no longer transfer can be meant.
    if (block.length > 1)
        return false;
    return impl_->OnOpenController(device, [&block](Controller& c) {
        const auto type = std::uint8_t(kRequestTypeVendorDevice | (block.direction ? kUsbEndpointIn : 0));
        std::uint8_t data = block.data;
        const int rc = c.io->ControlTransfer(type, block.request, block.value, block.index,
                                             std::span<std::uint8_t>(&data, block.length), kTransferTimeoutMs);
        if (rc < 0) {
            DropAfterError(c, rc);
            return false;
        }
        return rc == block.length;
    });
}

bool UsbDeviceControl::AbortPipe(const DeviceHandle& device, std::uint32_t pipe)
{
    return impl_->OnOpenController(device, [pipe](Controller& c) {
        const UsbEndpoint* e = PipeEndpoint(c, pipe);
        if (!e)
            return false;
        // Requests to one controller are serialised, so nothing of ours is in
        // flight on the pipe: aborting it comes down to clearing a stall. The
        // kernel bounds this request itself (5 s), as libusb gives it no
        // timeout; only the device window's reset issues it, off the GUI thread.
        const int rc = c.io->ClearHalt(e->address);
        if (rc != kUsbSuccess) {
            DropAfterError(c, rc);
            return false;
        }
        return true;
    });
}

bool UsbDeviceControl::BulkWrite(const DeviceHandle& device, std::uint32_t pipe,
                                 std::span<const std::uint8_t> data)
{
    if (data.size() > std::size_t(INT_MAX))
        return false;
    return impl_->OnOpenController(device, [pipe, data](Controller& c) {
        const UsbEndpoint* e = PipeEndpoint(c, pipe);
        // An IN endpoint would turn the "write" into a read into the caller's buffer.
        if (!e || !IsBulkOut(*e))
            return false;
        int transferred = 0;
        const int rc = c.io->BulkWrite(e->address, data, transferred, kTransferTimeoutMs);
        if (rc != kUsbSuccess) {
            DropAfterError(c, rc);
            return false;
        }
        // A short write left the frame incomplete on the controller.
        return transferred == int(data.size());
    });
}
