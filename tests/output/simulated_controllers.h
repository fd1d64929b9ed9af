#pragma once
// Fixture: a simulated controller backend installed for the length of a test,
// with no device targets published and the shared output values at their
// start-up values before and after.

#include "output/device_targets.h"
#include "output/play_state.h"
#include "platform/simulated_device_control.h"

#include <gtest/gtest.h>

#include <memory>

class SimulatedControllers : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetCurrentDeviceControl(sim_);
        PublishDeviceTargets({});
        ResetPlayState();
    }
    void TearDown() override
    {
        ResetPlayState();
        PublishDeviceTargets({});
        SetCurrentDeviceControl(nullptr);
    }

    /// Bulk writes the simulated controllers received, in arrival order.
    std::vector<RecordedRequest> Writes() const
    {
        std::vector<RecordedRequest> writes;
        for (auto& r : sim_->Requests()) {
            if (r.code == kRequestBulkWrite)
                writes.push_back(r);
        }
        return writes;
    }

    std::shared_ptr<SimulatedDeviceControl> sim_ = std::make_shared<SimulatedDeviceControl>();
};
