#pragma once
// The controllers a packet goes to: the master, the extra controllers and
// whether the extras are written. Windows (GUI thread) publish a new snapshot
// whenever the choice changes; a play loop takes one snapshot per packet, so
// it never sees half of an old choice and half of a new one.

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

struct DeviceTargets {
    /// "ezusb-N", or empty when no controller is chosen.
    QString Master;
    /// Device names ("ezusb-N") in the order the operator listed them.
    std::vector<QString> Extras;
    /// The extras receive packets too (MultiDeviceMode).
    bool MultiDevice = false;
};

/// Device name of a selection-list entry: "Usb-3" gives "ezusb-3".
QString DeviceNameFromEntry(const QString& entry);

/// Builds a snapshot from the master's device name, the extra devices' list entries ("Usb-N") and the multi-device flag.
DeviceTargets MakeDeviceTargets(const QString& currentDeviceName, const QStringList& extraDeviceList,
                                bool multiDeviceMode);

/// Any thread. Replaces the published snapshot; loops pick it up at their next packet.
void PublishDeviceTargets(DeviceTargets targets);

/// Any thread. The snapshot last published (no controller at all before the first).
std::shared_ptr<const DeviceTargets> CurrentDeviceTargets();
