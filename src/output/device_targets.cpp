#include "output/device_targets.h"

#include <mutex>

namespace {

// A mutex rather than std::atomic<std::shared_ptr>: the lock is held only for
// a pointer copy, and ThreadSanitizer understands it without annotations.
struct PublishedTargets {
    std::mutex mutex;
    std::shared_ptr<const DeviceTargets> targets = std::make_shared<const DeviceTargets>();
};

PublishedTargets& Published()
{
    static PublishedTargets published;
    return published;
}

}  // namespace

QString DeviceNameFromEntry(const QString& entry)
{
    return QStringLiteral("ez") + entry.toLower();
}

DeviceTargets MakeDeviceTargets(const QString& currentDeviceName, const QStringList& extraDeviceList,
                                bool multiDeviceMode)
{
    DeviceTargets targets;
    targets.Master = currentDeviceName;
    targets.Extras.reserve(std::size_t(extraDeviceList.size()));
    for (const QString& entry : extraDeviceList)
        targets.Extras.push_back(DeviceNameFromEntry(entry));
    targets.MultiDevice = multiDeviceMode;
    return targets;
}

void PublishDeviceTargets(DeviceTargets targets)
{
    auto next = std::make_shared<const DeviceTargets>(std::move(targets));
    PublishedTargets& published = Published();
    std::shared_ptr<const DeviceTargets> old;
    {
        std::lock_guard lock(published.mutex);
        old = std::exchange(published.targets, std::move(next));
    }
}

std::shared_ptr<const DeviceTargets> CurrentDeviceTargets()
{
    PublishedTargets& published = Published();
    std::lock_guard lock(published.mutex);
    return published.targets;
}
