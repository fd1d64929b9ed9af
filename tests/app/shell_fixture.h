#pragma once
// Fixture: a window registry rooted in a temporary program folder, simulated
// controllers instead of USB, a message sink that records what the operator
// would have been shown, and dialogs answered by the test (No when unscripted).

#include "shell/dialogs.h"
#include "shell/window_registry.h"
#include "output/device_targets.h"
#include "output/play_state.h"
#include "platform/simulated_device_control.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <vector>

class ShellTest : public ::testing::Test {
protected:
    struct Message {
        QString title;
        QString text;
    };

    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        SetCurrentDeviceControl(sim_);
        PublishDeviceTargets({});
        ResetPlayState();
    }
    void TearDown() override
    {
        windows_.reset();
        PublishDeviceTargets({});
        SetCurrentDeviceControl(nullptr);
        ResetPlayState();
    }

    /// The registry, made on first use so a test can lay out the folder first.
    WindowRegistry& Windows()
    {
        if (!windows_) {
            windows_ = std::make_unique<WindowRegistry>(
                folder_.path(), [this](const QString& title, const QString& text) {
                    messages_.push_back({title, text});
                });
            auto dialogs = std::make_unique<ScriptedDialogs>();
            dialogs_ = dialogs.get();
            windows_->SetDialogs(std::move(dialogs));
        }
        return *windows_;
    }

    QString SettingsPath() const { return folder_.filePath("Vorla.ini"); }

    void WriteSettings(const QByteArray& bytes) const
    {
        QFile file(SettingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray ReadSettings() const
    {
        QFile file(SettingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder_;
    std::shared_ptr<SimulatedDeviceControl> sim_ = std::make_shared<SimulatedDeviceControl>();
    std::vector<Message> messages_;
    /// Owned by the registry; valid once Windows() has been called.
    ScriptedDialogs* dialogs_ = nullptr;
    std::unique_ptr<WindowRegistry> windows_;
};
