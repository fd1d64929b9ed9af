// The USB calls of the controller backend, made through libusb-1.0.
#include "platform/usb_bus.h"

#include <libusb.h>

static_assert(kUsbErrorIo == LIBUSB_ERROR_IO);
static_assert(kUsbErrorAccess == LIBUSB_ERROR_ACCESS);
static_assert(kUsbErrorNoDevice == LIBUSB_ERROR_NO_DEVICE);
static_assert(kUsbErrorNotFound == LIBUSB_ERROR_NOT_FOUND);
static_assert(kUsbErrorBusy == LIBUSB_ERROR_BUSY);
static_assert(kUsbErrorTimeout == LIBUSB_ERROR_TIMEOUT);
static_assert(kUsbErrorPipe == LIBUSB_ERROR_PIPE);
static_assert(kUsbErrorOther == LIBUSB_ERROR_OTHER);
static_assert(kUsbEndpointIn == LIBUSB_ENDPOINT_IN);
static_assert(kUsbTransferTypeMask == LIBUSB_TRANSFER_TYPE_MASK);
static_assert(kUsbTransferTypeBulk == LIBUSB_TRANSFER_TYPE_BULK);

namespace {

// The context ends only after every device record and handle made from it.
struct Context {
    Context()
    {
        if (libusb_init(&context) != 0) {
            context = nullptr;
            return;
        }
        libusb_set_option(context, LIBUSB_OPTION_LOG_LEVEL, LIBUSB_LOG_LEVEL_NONE);
    }
    ~Context()
    {
        if (context)
            libusb_exit(context);
    }
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    libusb_context* context = nullptr;
};

class LibusbDeviceIo final : public UsbDeviceIo {
public:
    LibusbDeviceIo(std::shared_ptr<Context> context, libusb_device* device, libusb_device_handle* handle)
        : context_(std::move(context)), device_(libusb_ref_device(device)), handle_(handle)
    {
    }
    ~LibusbDeviceIo() override
    {
        if (claimed_ >= 0)
            libusb_release_interface(handle_, claimed_);
        libusb_close(handle_);
        libusb_unref_device(device_);
    }
    LibusbDeviceIo(const LibusbDeviceIo&) = delete;
    LibusbDeviceIo& operator=(const LibusbDeviceIo&) = delete;

    int ClaimInterface(int number) override
    {
        libusb_set_auto_detach_kernel_driver(handle_, 1);  // unsupported is fine: nothing to detach
        const int rc = libusb_claim_interface(handle_, number);
        if (rc == 0)
            claimed_ = number;
        return rc;
    }

    int ReadEndpoints(int number, std::vector<UsbEndpoint>& out) override
    {
        out.clear();
        libusb_config_descriptor* config = nullptr;
        const int rc = libusb_get_active_config_descriptor(device_, &config);
        if (rc != 0)
            return rc;
        int result = kUsbErrorNotFound;
        if (number >= 0 && number < config->bNumInterfaces && config->interface[number].num_altsetting > 0) {
            const libusb_interface_descriptor& alt = config->interface[number].altsetting[0];
            for (int i = 0; i < alt.bNumEndpoints; ++i)
                out.push_back({alt.endpoint[i].bEndpointAddress, alt.endpoint[i].bmAttributes});
            result = kUsbSuccess;
        }
        libusb_free_config_descriptor(config);
        return result;
    }

    int ControlTransfer(std::uint8_t requestType, std::uint8_t request, std::uint16_t value, std::uint16_t index,
                        std::span<std::uint8_t> data, unsigned timeoutMs) override
    {
        if (data.size() > 0xFFFF)
            return LIBUSB_ERROR_INVALID_PARAM;
        return libusb_control_transfer(handle_, requestType, request, value, index, data.data(),
                                       std::uint16_t(data.size()), timeoutMs);
    }

    int BulkWrite(std::uint8_t endpoint, std::span<const std::uint8_t> data, int& transferred,
                  unsigned timeoutMs) override
    {
        transferred = 0;
        if ((endpoint & LIBUSB_ENDPOINT_DIR_MASK) != LIBUSB_ENDPOINT_OUT || data.size() > 0x7FFFFFFF)
            return LIBUSB_ERROR_INVALID_PARAM;
        std::uint8_t empty = 0;
        // libusb only reads from the buffer of an OUT transfer.
        auto* buffer = data.empty() ? &empty : const_cast<std::uint8_t*>(data.data());
        return libusb_bulk_transfer(handle_, endpoint, buffer, int(data.size()), &transferred, timeoutMs);
    }

    int ClearHalt(std::uint8_t endpoint) override { return libusb_clear_halt(handle_, endpoint); }

private:
    std::shared_ptr<Context> context_;
    libusb_device* device_;
    libusb_device_handle* handle_;
    int claimed_ = -1;
};

class LibusbBus final : public UsbBus {
public:
    explicit LibusbBus(std::shared_ptr<Context> context) : context_(std::move(context)) {}

    int Enumerate(std::vector<UsbFoundDevice>& out) override
    {
        out.clear();
        libusb_device** list = nullptr;
        const ssize_t n = libusb_get_device_list(context_->context, &list);
        if (n < 0)
            return int(n);
        out.reserve(std::size_t(n));
        for (ssize_t i = 0; i < n; ++i) {
            libusb_device* device = list[i];
            UsbFoundDevice found;
            // The record is referenced while held, so its address names this attachment only.
            found.identity = std::shared_ptr<void>(libusb_ref_device(device), [context = context_](void* d) {
                libusb_unref_device(static_cast<libusb_device*>(d));
            });
            libusb_device_descriptor descriptor{};
            if (libusb_get_device_descriptor(device, &descriptor) == 0)
                found.vendorId = descriptor.idVendor;
            found.location[0] = libusb_get_bus_number(device);
            libusb_get_port_numbers(device, found.location.data() + 1, int(found.location.size() - 1));
            out.push_back(std::move(found));
        }
        libusb_free_device_list(list, 1);
        return kUsbSuccess;
    }

    int Open(const UsbFoundDevice& device, std::unique_ptr<UsbDeviceIo>& out) override
    {
        auto* d = static_cast<libusb_device*>(device.identity.get());
        if (!d)
            return LIBUSB_ERROR_INVALID_PARAM;
        libusb_device_handle* handle = nullptr;
        const int rc = libusb_open(d, &handle);
        if (rc != 0)
            return rc;
        out = std::make_unique<LibusbDeviceIo>(context_, d, handle);
        return kUsbSuccess;
    }

private:
    std::shared_ptr<Context> context_;
};

}  // namespace

std::shared_ptr<UsbBus> MakeLibusbBus()
{
    auto context = std::make_shared<Context>();
    if (!context->context)
        return nullptr;
    return std::make_shared<LibusbBus>(std::move(context));
}
