#pragma once
// The fan-out target the output benchmarks measure against: eight simulated
// controllers, number 0 as master and the other seven as extra targets.

#include "output/device_targets.h"
#include "platform/simulated_device_control.h"

#include <QStringList>

#include <memory>

inline std::shared_ptr<SimulatedDeviceControl> AttachEightSimulatedControllers()
{
    auto sim = std::make_shared<SimulatedDeviceControl>();
    for (int n = 0; n < 8; ++n)
        sim->Attach(n);
    SetCurrentDeviceControl(sim);
    QStringList extras;
    for (int n = 1; n < 8; ++n)
        extras << QStringLiteral("Usb-%1").arg(n);
    PublishDeviceTargets(MakeDeviceTargets(QStringLiteral("ezusb-0"), extras, true));
    return sim;
}
