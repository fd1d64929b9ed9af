#include "platform/usb_device_control.h"

#include <libusb.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <climits>
#include <mutex>

namespace {

struct Endpoint {
    std::uint8_t address = 0;
    std::uint8_t attributes = 0;
};

// One attachment of one controller. The handle and endpoint list belong to
// `mutex`; requests to different controllers never wait for each other.
struct Controller {
    Controller(libusb_device* d, std::uint64_t a) : device(libusb_ref_device(d)), attachment(a) {}
    ~Controller()
    {
        Close();
        libusb_unref_device(device);
    }
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;

    void Close()
    {
        if (handle) {
            libusb_release_interface(handle, 0);
            libusb_close(handle);
            handle = nullptr;
        }
        endpoints.clear();
    }

    libusb_device* const device;
    const std::uint64_t attachment;
    /// Set once the controller answered "no device": the next Open looks at the bus again.
    std::atomic<bool> gone{false};

    std::mutex mutex;
    libusb_device_handle* handle = nullptr;
    std::vector<Endpoint> endpoints;
};

bool IsController(libusb_device* device)
{
    libusb_device_descriptor d{};
    return libusb_get_device_descriptor(device, &d) == 0 && d.idVendor == kControllerVendorId;
}

// Bus, then port path: a stable order for controllers found in the same look.
// Port numbers start at 1, so the zero padding sorts a parent before its children.
std::array<std::uint8_t, 8> Location(libusb_device* device)
{
    std::array<std::uint8_t, 8> key{};
    key[0] = libusb_get_bus_number(device);
    libusb_get_port_numbers(device, key.data() + 1, int(key.size() - 1));
    return key;
}

// Drops the handle after a failed transfer; the next request opens again.
void DropAfterError(Controller& c, int rc)
{
    c.Close();
    if (rc == LIBUSB_ERROR_NO_DEVICE)
        c.gone = true;
}

// Opens and claims interface 0 unless already done. Caller holds c.mutex.
bool EnsureOpen(Controller& c)
{
    if (c.handle)
        return true;
    if (c.gone)
        return false;
    libusb_device_handle* h = nullptr;
    int rc = libusb_open(c.device, &h);
    if (rc != 0) {
        DropAfterError(c, rc);
        return false;
    }
    libusb_set_auto_detach_kernel_driver(h, 1);  // unsupported is fine: nothing to detach
    rc = libusb_claim_interface(h, 0);
    if (rc != 0) {
        libusb_close(h);
        DropAfterError(c, rc);
        return false;
    }
    c.handle = h;

    libusb_config_descriptor* config = nullptr;
    if (libusb_get_active_config_descriptor(c.device, &config) == 0) {
        if (config->bNumInterfaces > 0 && config->interface[0].num_altsetting > 0) {
            const libusb_interface_descriptor& alt = config->interface[0].altsetting[0];
            for (int i = 0; i < alt.bNumEndpoints; ++i)
                c.endpoints.push_back({alt.endpoint[i].bEndpointAddress, alt.endpoint[i].bmAttributes});
        }
        libusb_free_config_descriptor(config);
    }
    return true;
}

// Runs `request` on the controller's handle, opening it first, with the
// controller's mutex held; false when the controller is gone or will not open.
template <class Request>
bool OnOpenController(const std::shared_ptr<Controller>& c, Request&& request)
{
    if (!c)
        return false;
    std::lock_guard lock(c->mutex);
    if (!EnsureOpen(*c))
        return false;
    return request(*c);
}

const Endpoint* PipeEndpoint(const Controller& c, std::uint32_t pipe)
{
    return pipe < c.endpoints.size() ? &c.endpoints[pipe] : nullptr;
}

bool IsBulkOut(const Endpoint& e)
{
    return (e.attributes & LIBUSB_TRANSFER_TYPE_MASK) == LIBUSB_TRANSFER_TYPE_BULK
        && (e.address & LIBUSB_ENDPOINT_DIR_MASK) == LIBUSB_ENDPOINT_OUT;
}

}  // namespace

struct UsbDeviceControl::Impl {
    libusb_context* context = nullptr;

    std::mutex registryMutex;
    std::array<std::shared_ptr<Controller>, kMaxDevices> controllers;
    std::uint64_t nextAttachment = 1;

    // Brings the numbering up to date with the bus. Caller holds registryMutex.
    void Rescan()
    {
        libusb_device** list = nullptr;
        const ssize_t n = libusb_get_device_list(context, &list);
        if (n < 0)
            return;
        std::array<bool, kMaxDevices> seen{};
        std::vector<libusb_device*> fresh;
        for (ssize_t i = 0; i < n; ++i) {
            libusb_device* dev = list[i];
            if (!IsController(dev))
                continue;
            // We hold a reference to every device we numbered, so a replugged
            // controller cannot share the address of its former self.
            auto known = std::find_if(controllers.begin(), controllers.end(),
                                      [dev](const auto& c) { return c && c->device == dev; });
            if (known != controllers.end())
                seen[std::size_t(known - controllers.begin())] = true;
            else
                fresh.push_back(dev);
        }
        for (std::size_t i = 0; i < controllers.size(); ++i) {
            if (controllers[i] && !seen[i])
                controllers[i].reset();  // closed once no request uses it any more
        }
        std::sort(fresh.begin(), fresh.end(),
                  [](libusb_device* a, libusb_device* b) { return Location(a) < Location(b); });
        std::size_t slot = 0;
        for (libusb_device* dev : fresh) {
            while (slot < controllers.size() && controllers[slot])
                ++slot;
            if (slot == controllers.size())
                break;
            controllers[slot] = std::make_shared<Controller>(dev, nextAttachment++);
        }
        libusb_free_device_list(list, 1);
    }

    std::shared_ptr<Controller> Find(const DeviceHandle& h)
    {
        if (!context || h.number < 0 || h.number >= kMaxDevices)
            return nullptr;
        std::lock_guard lock(registryMutex);
        std::shared_ptr<Controller> c = controllers[std::size_t(h.number)];
        if (!c || c->attachment != h.attachment)
            return nullptr;
        return c;
    }
};

UsbDeviceControl::UsbDeviceControl() : impl_(std::make_unique<Impl>())
{
    if (libusb_init(&impl_->context) != 0) {
        impl_->context = nullptr;
        return;
    }
    libusb_set_option(impl_->context, LIBUSB_OPTION_LOG_LEVEL, LIBUSB_LOG_LEVEL_NONE);
}

UsbDeviceControl::~UsbDeviceControl()
{
    for (auto& c : impl_->controllers)
        c.reset();
    if (impl_->context)
        libusb_exit(impl_->context);
}

std::vector<int> UsbDeviceControl::AttachedNumbers()
{
    std::vector<int> numbers;
    if (!impl_->context)
        return numbers;
    std::lock_guard lock(impl_->registryMutex);
    impl_->Rescan();
    for (int i = 0; i < kMaxDevices; ++i) {
        if (impl_->controllers[std::size_t(i)])
            numbers.push_back(i);
    }
    return numbers;
}

std::optional<DeviceHandle> UsbDeviceControl::Open(QStringView name)
{
    const std::optional<int> number = ParseDeviceName(name);
    if (!number || !impl_->context)
        return std::nullopt;
    std::lock_guard lock(impl_->registryMutex);
    // Play loops open a controller for every packet, so the bus is looked at
    // only when the number is unknown or its controller stopped answering
    // (a replug is then found at the next write); detection looks every time.
    const auto& slot = impl_->controllers[std::size_t(*number)];
    if (!slot || slot->gone)
        impl_->Rescan();
    if (!slot || slot->gone)
        return std::nullopt;
    return DeviceHandle{*number, slot->attachment};
}

bool UsbDeviceControl::GetDeviceDescriptor(const DeviceHandle& device, DeviceDescriptor& out)
{
    // Asked of the controller itself, not taken from libusb's cache: a controller
    // unplugged since the last look at the bus must not be counted by detection.
    return OnOpenController(impl_->Find(device), [&out](Controller& c) {
        DeviceDescriptor bytes{};
        const int rc = libusb_control_transfer(c.handle, LIBUSB_ENDPOINT_IN, LIBUSB_REQUEST_GET_DESCRIPTOR,
                                               std::uint16_t(LIBUSB_DT_DEVICE << 8), 0, bytes.data(),
                                               std::uint16_t(bytes.size()), kTransferTimeoutMs);
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
    return OnOpenController(impl_->Find(device), [&block](Controller& c) {
        const auto type = std::uint8_t(std::uint8_t(LIBUSB_REQUEST_TYPE_VENDOR)
                                       | std::uint8_t(LIBUSB_RECIPIENT_DEVICE)
                                       | std::uint8_t(block.direction ? LIBUSB_ENDPOINT_IN : LIBUSB_ENDPOINT_OUT));
        std::uint8_t data = block.data;
        const int rc = libusb_control_transfer(c.handle, type, block.request, block.value, block.index,
                                               &data, block.length, kTransferTimeoutMs);
        if (rc < 0) {
            DropAfterError(c, rc);
            return false;
        }
        return rc == block.length;
    });
}

bool UsbDeviceControl::AbortPipe(const DeviceHandle& device, std::uint32_t pipe)
{
    return OnOpenController(impl_->Find(device), [pipe](Controller& c) {
        const Endpoint* e = PipeEndpoint(c, pipe);
        if (!e)
            return false;
        // Requests to one controller are serialised, so nothing of ours is in
        // flight on the pipe: aborting it comes down to clearing a stall. The
        // kernel bounds this request itself (5 s), as libusb gives it no timeout;
        // only the device window's reset issues it, never a play loop.
        const int rc = libusb_clear_halt(c.handle, e->address);
        if (rc != 0) {
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
    return OnOpenController(impl_->Find(device), [pipe, data](Controller& c) {
        const Endpoint* e = PipeEndpoint(c, pipe);
        // An IN endpoint would turn the "write" into a read into the caller's buffer.
        if (!e || !IsBulkOut(*e))
            return false;
        std::uint8_t empty = 0;
        // libusb only reads from the buffer of an OUT transfer.
        auto* buffer = data.empty() ? &empty : const_cast<std::uint8_t*>(data.data());
        int transferred = 0;
        const int rc = libusb_bulk_transfer(c.handle, e->address, buffer, int(data.size()),
                                            &transferred, kTransferTimeoutMs);
        if (rc != 0) {
            DropAfterError(c, rc);
            return false;
        }
        return transferred == int(data.size());
    });
}
