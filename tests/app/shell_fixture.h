#pragma once
// Fixture: a window registry rooted in a temporary program folder, simulated
// controllers instead of USB, a message sink that records what the operator
// would have been shown, and dialogs answered by the test (No when unscripted).

#include "shell/dialogs.h"
#include "shell/window_registry.h"
#include "output/device_targets.h"
#include "output/play_state.h"
#include "common/test_points.h"
#include "model/drawing_file.h"
#include "platform/simulated_device_control.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <vector>

/// The folder screenshots go to, made if missing; empty when none was asked for.
inline QString ScreenshotDir()
{
    const QString dir = qEnvironmentVariable("ZARN_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        QDir().mkpath(dir);
    return dir;
}
#define ZARN_SCREENSHOT_DIR_OR_SKIP(dir)                                                                          \
    const QString dir = ScreenshotDir();                                                                         \
    if (dir.isEmpty())                                                                                           \
    GTEST_SKIP() << "ZARN_SCREENSHOT_DIR not set"

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

    /// One path through `points` in `colour`, its first point blanked, saved as Drawing/<name>.
    void WriteShape(const QString& name, const std::vector<QPoint>& points, int colour)
    {
        Drawing drawing(1);
        for (QPoint p : points)
            drawing[0].push_back(TestPoint(p.x(), p.y(), colour, drawing[0].empty() ? 1 : 0));
        ASSERT_TRUE(WriteDrawingFile(folder_.filePath("Drawing/" + name), drawing, kFileScale));
    }

    /// Point counts of the frames the controllers were sent from request `from` on.
    std::vector<std::size_t> SentFrames(std::size_t from = 0) const
    {
        std::vector<std::size_t> sizes;
        const auto requests = sim_->Requests();
        for (std::size_t i = from; i < requests.size(); ++i)
            if (requests[i].code == kRequestBulkWrite && requests[i].bytes.size() > 2)
                sizes.push_back(requests[i].bytes.size() / 4);
        return sizes;
    }

    QTemporaryDir folder_;
    std::shared_ptr<SimulatedDeviceControl> sim_ = std::make_shared<SimulatedDeviceControl>();
    std::vector<Message> messages_;
    /// Owned by the registry; valid once Windows() has been called.
    ScriptedDialogs* dialogs_ = nullptr;
    std::unique_ptr<WindowRegistry> windows_;
};
