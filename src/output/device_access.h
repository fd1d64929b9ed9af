#pragma once
// The operations every play loop and the device windows use to reach a
// controller by name. Each goes through the current device-control backend,
// reports success or failure and shows nothing to the operator.

#include "platform/device_control.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <span>

/// Vendor request 0xA0 writes the controller's internal memory; 0x7F92 is its processor control register.
inline constexpr std::uint8_t kVendorWriteMemory = 0xA0;
inline constexpr std::uint16_t kCpuControlRegister = 0x7F92;

/// Any thread. Opens the controller `name` (any letter case); an empty name or one over 59 characters fails without touching USB.
bool OpenDevice(DeviceHandle& handle, const QString& name);

/// Any thread. Writes `data` to `pipe` of `name` in one bulk write; blocks at most the transfer timeout.
bool BulkWrite(std::span<const std::uint8_t> data, const QString& name, std::uint32_t pipe);

/// Any thread. Aborts `pipe` of `name`.
bool ResetPipe(const QString& name, std::uint32_t pipe);

/// Any thread. Holds the controller's processor in reset and releases it; true only when both requests succeeded.
bool ResetDeviceCpu(const QString& name);

/// Any thread. The 18-byte device descriptor of `name`, or nullopt when it cannot be opened or read.
std::optional<DeviceDescriptor> ReadDeviceDescriptor(const QString& name);

/// Any thread. Looks at the bus now (detection's first step): gone controllers free their numbers, new ones are numbered.
void RescanDevices();

/// Any thread. Whether `name` answers with a descriptor of vendor 0x8888 (device detection's test).
bool IsControllerAttached(const QString& name);
