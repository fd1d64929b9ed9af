#include "app/main_window.h"
#include "common/full_disk.h"
#include "output/fan_out.h"
#include "platform/fake_usb_bus.h"
#include "platform/usb_device_control.h"
#include "shell_fixture.h"
#include "skin/button.h"

#include "skin/combo_box.h"

#include <QComboBox>
#include <QPushButton>
#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

#include <sys/stat.h>

#include <deque>
#include <functional>
#include <iostream>

namespace {

QStringList ComboItems(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

}  // namespace

class MainWindowTest : public ShellTest {
protected:
    TForm15& Main() { return *Windows().Create<TForm15>(); }
    /// The master as the window, the output targets, the window title and the program title name it.
    QStringList Master(TForm15& main)
    {
        return {main.CurrentDeviceName(), CurrentDeviceTargets()->Master, main.windowTitle(), Windows().ApplicationTitle()};
    }
};

TEST_F(MainWindowTest, ListsOnlyControllersOfTheVendorTakesTheFirstAsMasterAndShowsItsCaptions)
{
    sim_->Attach(2);
    sim_->Attach(5);
    sim_->Attach(7, 0x1234);
    TForm15& main = Main();

    EXPECT_EQ(main.Memo1(), QStringList({"ezusb-2", "ezusb-5"}));
    EXPECT_EQ(ComboItems(main.ComboBox1()), QStringList({"Usb-2", "Usb-5"}));
    EXPECT_EQ(main.ComboBox1()->currentIndex(), 0);
    // The title carries the combo index, not the device number.
    EXPECT_EQ(Master(main), QStringList({"ezusb-2", "ezusb-2", "Zarn-0", "Zarn-0"}));
    EXPECT_FALSE(CurrentDeviceTargets()->MultiDevice);

    // Only the operator's choice in the combo changes the master: set from code, no handler runs.
    QSignalSpy changed(&main, &TForm15::masterChanged);
    main.ComboBox1()->setCurrentIndex(1);
    EXPECT_EQ(main.CurrentDeviceName(), "ezusb-2");
    EXPECT_EQ(changed.count(), 0);
    emit main.ComboBox1()->activated(1);
    EXPECT_EQ(Master(main), QStringList({"ezusb-5", "ezusb-5", "Zarn-1", "Zarn-1"}));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toInt(), 1);

    // The controls carry their captions, blanks included.
    QStringList captions;
    for (const QPushButton* button : Main().findChildren<QPushButton*>())
        captions << button->text();
    EXPECT_EQ(captions, QStringList({"DRAW   ", "PLAY   ", "SECTION", "SEQUENCE", "FILE    ", "SELECT DEV",
                                     "EXIT     "}));
    ASSERT_NE(Main().findChild<TskButton*>(), nullptr);
    EXPECT_EQ(Main().findChild<TskButton*>()->Caption(), "DETECT DEV");
    EXPECT_EQ(Main().size(), QSize(112, 288));
}

TEST_F(MainWindowTest, DetectAgainKeepsTheChoiceOnlyWhileItStillPointsAtADevice)
{
    struct Case {
        const char* what;
        std::vector<int> before;
        int chosen;
        std::vector<int> after;
        int index;
        const char* master;
        const char* title;
    };
    const Case cases[] = {
        {"index still exists", {1, 4, 6}, 1, {1, 4, 6, 9}, 1, "ezusb-4", "Zarn-1"},
        {"one device left", {1, 4, 6}, 2, {4}, 0, "ezusb-4", "Zarn-0"},
        {"index past the new list", {1, 4, 6}, 2, {1, 4}, 0, "ezusb-1", "Zarn-0"},
        {"none before", {}, -1, {3, 8}, 0, "ezusb-3", "Zarn-0"},
        {"all gone", {0, 1}, 1, {}, -1, "", "Zarn"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        windows_.reset();
        sim_ = std::make_shared<SimulatedDeviceControl>();
        SetCurrentDeviceControl(sim_);
        for (int n : c.before)
            sim_->Attach(n);
        TForm15& main = Main();
        main.SelectMaster(c.chosen);
        for (int n : c.before)
            sim_->Detach(n);
        for (int n : c.after)
            sim_->Attach(n);

        QSignalSpy detected(&main, &TForm15::devicesDetected);
        QTest::mouseClick(main.findChild<TskButton*>(), Qt::LeftButton);
        EXPECT_EQ(detected.count(), 1);
        EXPECT_EQ(main.ComboBox1()->count(), static_cast<int>(c.after.size()));
        EXPECT_EQ(main.ComboBox1()->currentIndex(), c.index);
        EXPECT_EQ(Master(main), QStringList({c.master, c.master, c.title, c.title}));
    }
}

// Unplugged and plugged back in (or replaced) before "DETECT DEV": one press
// finds it under its number, and the master stays the master.
TEST_F(MainWindowTest, OnePressOfDetectFindsAReplugAndKeepsTheMaster)
{
    struct Case {
        const char* what;
        int controllers;
        int master;    // combo index chosen before
        int pulled;    // controller pulled out (its number)
        bool replace;  // another controller goes in instead
    };
    for (const Case& c : {Case{"the only controller", 1, 0, 0, false}, Case{"number 0 of two, the master", 2, 0, 0, false},
                          Case{"number 1 of two, the master", 2, 1, 1, false},
                          Case{"number 0 of two replaced", 2, 0, 0, true}}) {
        SCOPED_TRACE(c.what);
        windows_.reset();
        auto bus = std::make_shared<FakeUsbBus>();
        SetCurrentDeviceControl(std::make_shared<UsbDeviceControl>(bus));
        std::vector<std::shared_ptr<FakeUsbBus::Device>> plugged;
        for (int i = 0; i < c.controllers; ++i)
            plugged.push_back(bus->Plug(std::uint8_t(i + 1)));
        TForm15& main = Main();
        main.SelectMaster(c.master);
        const QString master = main.CurrentDeviceName();

        bus->Unplug(plugged[std::size_t(c.pulled)]);
        const auto back = bus->Plug(c.replace ? 9 : std::uint8_t(c.pulled + 1));
        QTest::mouseClick(main.findChild<TskButton*>(), Qt::LeftButton);

        EXPECT_EQ(main.Memo1().size(), c.controllers);
        EXPECT_EQ(main.ComboBox1()->currentIndex(), c.master);
        EXPECT_EQ(Master(main).mid(0, 2), QStringList({master, master}));
        // Frames reach the controller that came back.
        if (c.master == c.pulled) {
            EXPECT_EQ(SendFrame(FramePacket{}, std::nullopt, *CurrentDeviceTargets(), 1), 1);
            EXPECT_EQ(bus->Read(back, [](const FakeUsbBus::Device& d) { return d.writes.size(); }), 1u);
        }
    }
}

// A dialogs double that mends the folder when asked, then answers as scripted.
class MendingDialogs final : public Dialogs {
public:
    std::function<void()> mend;
    std::deque<Answer> answers;
    int questions = 0;

    QString OpenFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    void Message(QWidget*, const QString&, const QString&) override {}
    Answer Question(QWidget*, const QString&, const QString& text, bool withCancel) override
    {
        ++questions;
        EXPECT_TRUE(withCancel);
        EXPECT_TRUE(text.contains("Vorla.ini")) << text.toStdString();
        if (mend)
            mend();
        const Answer a = answers.empty() ? Answer::No : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return a;
    }
    std::optional<QString> InputText(QWidget*, const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
};

// The settings file cannot be written (here: a folder sits in its place).
TEST_F(MainWindowTest, AFailedSaveOnCloseLetsTheOperatorRetryQuitOrStay)
{
    TForm15& main = Main();
    const QString path = SettingsPath();
    ASSERT_TRUE(QDir(folder_.path()).mkdir("Vorla.ini"));

    // Stay: the window stays open and the program goes on.
    dialogs_->answers = {Dialogs::Answer::Cancel};
    main.show();
    EXPECT_FALSE(main.close());
    EXPECT_TRUE(main.isVisible());
    ASSERT_EQ(dialogs_->asked.size(), 1);

    // Retry (still failing), then quit without saving.
    dialogs_->answers = {Dialogs::Answer::Yes, Dialogs::Answer::No};
    EXPECT_TRUE(main.FormClose());
    EXPECT_EQ(dialogs_->asked.size(), 3);
    EXPECT_TRUE(QFileInfo(path).isDir()) << "nothing was written";

    // Retry after the operator mended the folder: saved.
    auto mending = std::make_unique<MendingDialogs>();
    MendingDialogs& asked = *mending;
    asked.mend = [&] { QDir(folder_.path()).rmdir("Vorla.ini"); };
    asked.answers = {Dialogs::Answer::Yes};
    Windows().SetDialogs(std::move(mending));
    EXPECT_TRUE(main.close());
    EXPECT_EQ(asked.questions, 1);
    EXPECT_EQ(SettingsFile::FromBytes(ReadSettings()).lineCount(), 30);
    QCoreApplication::processEvents();  // the quit request is harmless here
}

namespace {

QPushButton* ExitButton(TForm15& main)
{
    for (QPushButton* b : main.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("EXIT     "))
            return b;
    ADD_FAILURE() << "no EXIT button";
    return nullptr;
}

}  // namespace

// EXIT while the settings cannot be written (a full disk): the operator hears
// why, and the settings file on disk keeps its bytes.
TEST_F(MainWindowTest, ExitOntoAFullDiskAsksAndKeepsTheOldSettings)
{
    struct Case {
        const char* name;
        bool realDisk;
    };
    for (const Case c : {Case{"file size limit", false}, Case{"full tmpfs", true}}) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<SmallDisk> disk;
        if (c.realDisk) {
            disk = std::make_unique<SmallDisk>(folder_.path());
            if (!disk->mounted()) {
                std::cout << "no right to mount a small disk: the full tmpfs case is left out\n";
                continue;
            }
        }
        QByteArray old;
        for (int i = 0; i < SettingsFile::kLineCount; ++i)
            old += (i % 2 ? QByteArray::number(i) : "label " + QByteArray::number(i)) + "\r\n";
        WriteSettings(old);
        TForm15& main = Main();
        dialogs_->answers = {Dialogs::Answer::No};
        {
            std::unique_ptr<FileSizeLimit> limit;
            if (disk)
                disk->Fill();
            else
                limit = std::make_unique<FileSizeLimit>(16);
            QTest::mouseClick(ExitButton(main), Qt::LeftButton);
        }
        ASSERT_EQ(dialogs_->asked.size(), 1);
        EXPECT_TRUE(dialogs_->asked[0].contains(c.realDisk ? "No space left on device" : "File too large"))
            << dialogs_->asked[0].toStdString();
        EXPECT_EQ(ReadSettings(), old);
        windows_.reset();
        QCoreApplication::processEvents();
    }
}

// A settings file that is there but cannot be read: said at start, and written
// over at exit only when the operator answers Yes.
TEST_F(MainWindowTest, AnUnreadableSettingsFileIsReportedAndReplacedOnlyOnTheOperatorsWord)
{
    const QString path = SettingsPath();
    struct Case {
        const char* name;
        std::function<void()> make;
        std::function<bool()> untouched;
    };
    std::vector<Case> cases = {
        {"pipe", [&] { ASSERT_EQ(mkfifo(qPrintable(path), 0600), 0); },
         [&] { return QFileInfo(path).exists() && !QFileInfo(path).isFile() && !QFileInfo(path).isDir(); }},
        // Larger than a settings file may be (sparse: it takes no disk).
        {"a terabyte",
         [&] {
             QFile huge(path);
             ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(qint64{1} << 40));
         },
         [&] { return QFileInfo(path).size() == qint64{1} << 40; }},
        {"folder", [&] { ASSERT_TRUE(QDir().mkpath(path)); }, [&] { return QFileInfo(path).isDir(); }},
    };
    if (geteuid() != 0)
        cases.push_back({"no read permission",
                         [&] {
                             WriteSettings("mine\r\n");
                             ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
                         },
                         [&] { return QFileInfo(path).size() == 6; }});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path);
        QDir().rmdir(path);
        c.make();
        messages_.clear();
        TForm15& main = Main();
        QCoreApplication::processEvents();
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_TRUE(messages_[0].text.contains(path)) << messages_[0].text.toStdString();

        // Cancel stays in Zarn; No quits and leaves the file alone.
        dialogs_->answers = {Dialogs::Answer::Cancel};
        QTest::mouseClick(ExitButton(main), Qt::LeftButton);
        EXPECT_TRUE(c.untouched());
        dialogs_->answers = {Dialogs::Answer::No};
        QTest::mouseClick(ExitButton(main), Qt::LeftButton);
        EXPECT_EQ(dialogs_->asked.size(), 2);
        EXPECT_TRUE(dialogs_->asked[1].contains("could not be read")) << dialogs_->asked[1].toStdString();
        EXPECT_TRUE(c.untouched());
        windows_.reset();
        QCoreApplication::processEvents();
    }

    // Yes writes the settings in the pipe's place.
    QDir().rmdir(path);
    ASSERT_EQ(mkfifo(qPrintable(path), 0600), 0);
    TForm15& main = Main();
    dialogs_->answers = {Dialogs::Answer::Yes};
    QTest::mouseClick(ExitButton(main), Qt::LeftButton);
    EXPECT_TRUE(QFileInfo(path).isFile());
    EXPECT_EQ(SettingsFile::FromBytes(ReadSettings()).lineCount(), 30);
    QCoreApplication::processEvents();
}
