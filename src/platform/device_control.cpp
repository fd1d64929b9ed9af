#include "platform/device_control.h"

#include "platform/usb_device_control.h"

#include <mutex>

namespace {

void PutLe16(std::uint8_t* at, std::uint16_t v)
{
    at[0] = std::uint8_t(v & 0xFF);
    at[1] = std::uint8_t(v >> 8);
}

std::uint16_t GetLe16(const std::uint8_t* at)
{
    return std::uint16_t(at[0] | (at[1] << 8));
}

struct BackendSlot {
    std::mutex mutex;
    std::shared_ptr<DeviceControl> backend;
};

BackendSlot& Slot()
{
    static BackendSlot slot;
    return slot;
}

}  // namespace

std::array<std::uint8_t, 10> SerializeVendorRequest(const VendorRequestBlock& block)
{
    std::array<std::uint8_t, 10> bytes{};
    bytes[0] = block.request;
    bytes[1] = 0;
    PutLe16(&bytes[2], block.value);
    PutLe16(&bytes[4], block.index);
    PutLe16(&bytes[6], block.length);
    bytes[8] = block.direction;
    bytes[9] = block.data;
    return bytes;
}

std::uint16_t DescriptorVendorId(const DeviceDescriptor& descriptor)
{
    return GetLe16(&descriptor[8]);
}

std::optional<int> ParseDeviceName(QStringView name)
{
    static constexpr QStringView kPrefix = u"ezusb-";
    if (name.size() <= kPrefix.size() || name.size() > kMaxDeviceNameLength)
        return std::nullopt;
    if (!name.startsWith(kPrefix, Qt::CaseInsensitive))
        return std::nullopt;
    const QStringView digits = name.mid(kPrefix.size());
    // The driver's names carry no leading zeros: "ezusb-07" is no device.
    if (digits.size() > 3 || (digits.size() > 1 && digits[0] == u'0'))
        return std::nullopt;
    int number = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        number = number * 10 + (c.unicode() - u'0');
    }
    if (number >= kMaxDevices)
        return std::nullopt;
    return number;
}

QString DeviceNameFor(int number)
{
    return QStringLiteral("ezusb-") + QString::number(number);
}

std::shared_ptr<DeviceControl> CurrentDeviceControl()
{
    BackendSlot& slot = Slot();
    std::lock_guard lock(slot.mutex);
    if (!slot.backend)
        slot.backend = std::make_shared<UsbDeviceControl>();
    return slot.backend;
}

void SetCurrentDeviceControl(std::shared_ptr<DeviceControl> backend)
{
    BackendSlot& slot = Slot();
    std::shared_ptr<DeviceControl> old;
    {
        std::lock_guard lock(slot.mutex);
        old = std::exchange(slot.backend, std::move(backend));
    }
    // `old` is released outside the lock: closing USB handles may take a while.
}
