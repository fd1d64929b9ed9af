#include "app/create_windows.h"
#include "app/device_select_window.h"
#include "app/main_window.h"
#include "app/output_settings_window.h"
#include "app/show_timer_window.h"
#include "app/splash_window.h"
#include "app/zarn_application.h"
#include "editor/draw_window.h"
#include "output/play_handover.h"
#include "player/play_window.h"
#include "player/section_window.h"
#include "sequencer/file_window.h"
#include "sequencer/sequence_window.h"
#include "common/test_files.h"
#include "shell_fixture.h"
#include "skin/check_box.h"
#include "skin/tool_bar.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QSlider>
#include <QPushButton>
#include <QTest>
#include <QThread>

#include <atomic>
#include <stdexcept>

using StartupTest = ShellTest;

// The program shows its main window before it builds the others: they follow
// in the same order once it has painted, or at once when the operator opens
// one first.
TEST_F(StartupTest, MainWindowFirstTheOthersAfterItsPaintOrWhenOneIsOpened)
{
    const QStringList order = {"TForm15", "TForm1", "TForm13", "TForm17", "TForm19", "TForm3",
                               "TForm6",  "TForm5", "TForm4",  "TForm8",  "TForm2",  "TForm9"};
    StartWindows(Windows());
    Windows().Form15()->show();
    EXPECT_EQ(Windows().CreationOrder(), QStringList{"TForm15"});
    // (gtest assertions: a failed QTRY_* only returns.)
    ASSERT_TRUE(QTest::qWaitFor([&] { return Windows().CreationOrder() == order; }, 20000))
        << Windows().CreationOrder().join(' ').toStdString();
    QStringList titles;
    for (const QWidget* window : Windows().Windows()) {
        titles << window->windowTitle();
        EXPECT_EQ(window->isVisible(), window == Windows().Form15()) << window->windowTitle().toStdString();
    }
    EXPECT_EQ(titles, QStringList({"Zarn", "Draw", "settings", "Import Plt", "Select  Device", "Rotation setting",
                                   "Text", "Section ", "Play", "Sequence", "Setting timer", "FILE"}));

    windows_.reset();
    StartWindows(Windows());
    Windows().Form15()->show();
    QPushButton* draw = nullptr;
    for (QPushButton* b : Windows().Form15()->findChildren<QPushButton*>())
        if (b->text().trimmed() == "DRAW")
            draw = b;
    ASSERT_NE(draw, nullptr);
    draw->click();
    EXPECT_EQ(Windows().CreationOrder(), order);
    ASSERT_NE(Windows().Form1(), nullptr);
    EXPECT_TRUE(Windows().Form1()->isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(Windows().Windows().size(), 12u);  // nothing made twice
}

/// The main window's button whose caption is `caption` without its blanks.
QPushButton* MainButton(TForm15& main, const QString& caption)
{
    for (QPushButton* b : main.findChildren<QPushButton*>())
        if (b->text().trimmed() == caption)
            return b;
    return nullptr;
}

// A file too large to read, first in its folder, costs only the preview that
// meets it: every window is built and opens from its button, and the window
// that met the file names it.
TEST_F(StartupTest, AnOversizedFileFirstInItsFolderLeavesEveryWindowOpenable)
{
    MakeSparseTestFile(folder_.filePath("Drawing/a.ddr"), kTebibyte);
    MakeSparseTestFile(folder_.filePath("ILDAimage/a.ild"), kTebibyte);
    auto* app = qobject_cast<ZarnApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    QStringList escaped;
    app->SetExceptionSink([&](const QString& message) { escaped << message; });
    struct RestoreSink {
        ZarnApplication* app;
        ~RestoreSink() { app->SetExceptionSink({}); }
    } restore{app};

    StartWindows(Windows());
    TForm15& main = *Windows().Form15();
    main.show();
    // (gtest assertions: a failed QTRY_* only returns.)
    ASSERT_TRUE(QTest::qWaitFor([&] { return Windows().Windows().size() == 12u; }, 20000))
        << Windows().CreationOrder().join(' ').toStdString();
    EXPECT_EQ(escaped, QStringList());
    const std::pair<const char*, QWidget*> buttons[] = {
        {"DRAW", Windows().Form1()},      {"PLAY", Windows().Form4()}, {"SECTION", Windows().Form5()},
        {"SEQUENCE", Windows().Form8()}, {"FILE", Windows().Form9()}, {"SELECT DEV", Windows().Form19()}};
    for (const auto& [caption, window] : buttons) {
        QPushButton* button = MainButton(main, QString::fromLatin1(caption));
        ASSERT_NE(button, nullptr) << caption;
        ASSERT_NE(window, nullptr) << caption;
        button->click();
        EXPECT_TRUE(window->isVisible()) << caption;
    }
    // The drawing previews met the file: their windows say which one, and show nothing of it.
    const QString drawing = QDir::cleanPath(folder_.filePath("Drawing/a.ddr"));
    EXPECT_TRUE(Windows().Form5()->Label18->text().contains(drawing)) << Windows().Form5()->Label18->text().toStdString();
    EXPECT_EQ(Windows().Form5()->Label6->text(), "0");
    EXPECT_TRUE(Windows().Form4()->Label18->text().contains(drawing)) << Windows().Form4()->Label18->text().toStdString();
    EXPECT_EQ(Windows().Form4()->Label29->text(), "0");
    EXPECT_TRUE(Windows().Form8()->Label18->text().contains(drawing)) << Windows().Form8()->Label18->text().toStdString();
    // The Play window's one-line label cuts the end: the name and the reason come first.
    EXPECT_TRUE(Windows().Form4()->Label18->text().startsWith("\"a.ddr\" cannot be opened. It is larger than"))
        << Windows().Form4()->Label18->text().toStdString();
    EXPECT_EQ(escaped, QStringList());

    // The image is read only when the operator asks for its preview, and then named too.
    TForm4& play = *Windows().Form4();
    QTest::mouseClick(play.skCheckBox1, Qt::LeftButton);
    const QString image = QDir::cleanPath(folder_.filePath("ILDAimage/a.ild"));
    EXPECT_TRUE(play.Label18->text().contains(image)) << play.Label18->text().toStdString();
    EXPECT_TRUE(play.Label18->text().startsWith("\"a.ild\" cannot be opened. It is larger than"))
        << play.Label18->text().toStdString();
    EXPECT_EQ(escaped, QStringList());
}

TEST_F(StartupTest, SettingsGoThroughTheWindowsAndBackToTheFileClampedWithLabelsKept)
{
    SettingsFile lines;
    for (int i = 0; i < 30; i += 2)
        lines.setLine(i, "label\xB0\xA1");
    lines.setValue(kPolygonSidesSetting, 11);
    lines.setValue(kOffsetXSetting, -40);
    lines.setValue(kSendSpeedByteSetting, 30);
    lines.setValue(kIldaFrameIntervalSetting, 0);
    WriteSettings(lines.toBytes());
    CreateWindows(Windows());
    TForm1& draw = *Windows().Form1();
    EXPECT_EQ(draw.Document().PolygonSides, 11);
    EXPECT_EQ(OffsetX.load(), -40);
    draw.Document().PolygonSides = 8;

    ASSERT_TRUE(Windows().Form15()->FormClose());
    EXPECT_EQ(StopRequested.load(), 1);
    const SettingsFile saved = SettingsFile::FromBytes(ReadSettings());
    QList<QByteArray> values;
    for (int line : {kPolygonSidesSetting.line, kOffsetXSetting.line, kSendSpeedByteSetting.line,
                     kIldaFrameIntervalSetting.line, kOutputChannelSetting.line, 28})
        values << saved.line(line);
    EXPECT_EQ(values, (QList<QByteArray>{"8", "-40", "30", "2", "1", "label\xB0\xA1"}));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(StartupTest, ClosingTheMainWindowStopsAndJoinsTheRunningPlayThenSaves)
{
    CreateWindows(Windows());
    std::atomic<bool> running{false};
    std::atomic<bool> returned{false};
    Windows().HandOver().setPlayLoop(kModeSection, PlayLoop{[&] {
        running = true;
        while (StopRequested.load() == 0)
            QThread::yieldCurrentThread();
        returned = true;
    }});
    ASSERT_TRUE(Windows().HandOver().startPlay(kModeSection, [] { return true; }).started());
    while (!running)
        QThread::yieldCurrentThread();

    Windows().Form15()->show();
    EXPECT_TRUE(Windows().Form15()->close());
    EXPECT_TRUE(returned) << "the loop must have returned before close() does";
    EXPECT_FALSE(Windows().HandOver().anyWorker());
    EXPECT_EQ(StopRequested.load(), 1);
    EXPECT_EQ(SettingsFile::FromBytes(ReadSettings()).lineCount(), 30);
    QCoreApplication::processEvents();  // the quit request is harmless here
}

// A loop that ignores the stop: closing still ends, after the bound, and the
// operator is told; the settings are saved all the same.
TEST_F(StartupTest, ClosingWithALoopThatDoesNotStopEndsAfterTheBound)
{
    CreateWindows(Windows());
    PlayHandOver& handOver = Windows().HandOver();
    handOver.setJoinBound(std::chrono::milliseconds(30));
    std::atomic<bool> release{false};
    handOver.setPlayLoop(kModePlayDrawing, PlayLoop{[&] {
        while (!release)
            QThread::yieldCurrentThread();
    }});
    ASSERT_TRUE(handOver.startPlay(kModePlayDrawing, {}).started());

    TForm15& main = *Windows().Form15();
    main.show();
    EXPECT_TRUE(main.close());
    EXPECT_FALSE(main.isVisible());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].text.startsWith("A play did not stop within 0.03 s.")) << messages_[0].text.toStdString();
    EXPECT_EQ(SettingsFile::FromBytes(ReadSettings()).lineCount(), 30);
    EXPECT_TRUE(handOver.anyWorker()) << "left behind, for the program to end without freeing it";

    release = true;
    EXPECT_TRUE(handOver.stopAll());
    QCoreApplication::processEvents();
}

TEST_F(StartupTest, AnExceptionInAPlayLoopIsShownToTheOperator)
{
    CreateWindows(Windows());
    Windows().HandOver().setPlayLoop(kModePlayIlda, PlayLoop{[] { throw std::runtime_error("bad frame count"); }});
    ASSERT_TRUE(Windows().HandOver().startPlay(kModePlayIlda, {}).started());
    ASSERT_TRUE(Windows().HandOver().stopAll());
    EXPECT_TRUE(messages_.empty()) << "shown from the event loop, not from the loop's thread";
    QCoreApplication::processEvents();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, "bad frame count");
    EXPECT_EQ(messages_[0].title, Windows().ApplicationTitle());
}

// The application object the tests run under is the program's own, so these
// exceptions really cross its event delivery.
TEST(ExceptionNet, AnExceptionInAHandlerIsShownAndTheProgramGoesOn)
{
    auto* app = qobject_cast<ZarnApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    QStringList shown;
    app->SetExceptionSink([&](const QString& message) { shown << message; });
    struct RestoreSink {
        ZarnApplication* app;
        ~RestoreSink() { app->SetExceptionSink({}); }
    } restore{app};

    QPushButton faulty;
    QPushButton healthy;
    int healthyClicks = 0;
    QObject::connect(&faulty, &QPushButton::clicked, [] { throw std::runtime_error("List index out of bounds (31)"); });
    QObject::connect(&healthy, &QPushButton::clicked, [&] { ++healthyClicks; });

    QTest::mouseClick(&faulty, Qt::LeftButton);
    QTest::mouseClick(&healthy, Qt::LeftButton);
    EXPECT_EQ(shown, QStringList({"List index out of bounds (31)"}));
    EXPECT_EQ(healthyClicks, 1);
    // The faulty button is usable again: its press state was not left stuck.
    QTest::mouseClick(&faulty, Qt::LeftButton);
    EXPECT_EQ(shown.size(), 2);

    // A queued call that throws, and an exception of another type.
    QObject target;
    QMetaObject::invokeMethod(&target, [] { throw 42; }, Qt::QueuedConnection);
    QMetaObject::invokeMethod(&target, [&] { ++healthyClicks; }, Qt::QueuedConnection);
    QCoreApplication::processEvents();
    ASSERT_EQ(shown.size(), 3);
    EXPECT_EQ(shown[2], "Unknown error.");
    EXPECT_EQ(healthyClicks, 2) << "the next event is delivered";

    // A sink that throws in turn does not let the fault escape.
    app->SetExceptionSink([](const QString&) { throw std::logic_error("b"); });
    QMetaObject::invokeMethod(&target, [] { throw std::logic_error("a"); }, Qt::QueuedConnection);
    QCoreApplication::processEvents();
}

TEST(Splash, IsABorderless400By300WindowThatShowsStart1WhenItExists)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath("Start1.bmp");
    TForm14 blank(picture);
    EXPECT_FALSE(blank.HasPicture());
    EXPECT_EQ(blank.size(), QSize(400, 300));
    EXPECT_TRUE(blank.windowFlags() & Qt::FramelessWindowHint);

    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(picture, "BMP"));
    TForm14 shown(picture);
    EXPECT_TRUE(shown.HasPicture());
}

// Under Xvfb with ZARN_SCREENSHOT_DIR set, saves what the operator sees of the
// main window and the output settings, device selection and show timer windows.
TEST_F(StartupTest, ScreenshotOfTheShellWindows)
{
    ZARN_SCREENSHOT_DIR_OR_SKIP(dir);
    for (int n : {2, 5, 9})
        sim_->Attach(n);
    SettingsFile lines;
    lines.setValue(kOffsetXSetting, -100);
    lines.setValue(kOffsetYSetting, 60);
    lines.setValue(kOutputAngleSetting, 45);
    WriteSettings(lines.toBytes());
    CreateWindows(Windows());

    TForm19& devices = *Windows().Form19();
    devices.show();
    devices.CheckBox131()->Click();
    devices.DeviceBox(9)->Click();
    TForm2& timer = *Windows().Form2();
    timer.TrackBar1()->setValue(30);
    timer.ToolButton1()->click();

    const std::pair<QWidget*, const char*> shots[] = {{Windows().Form15(), "main_window.png"},
                                                      {Windows().Form13(), "output_settings_window.png"},
                                                      {&devices, "device_select_window.png"},
                                                      {&timer, "show_timer_window.png"}};
    for (const auto& [window, file] : shots) {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window)) << file;
        EXPECT_TRUE(window->grab().save(QDir(dir).filePath(file))) << file;
    }
    timer.ToolButton1()->click();
}
