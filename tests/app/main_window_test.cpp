// The main window: controller detection, "DETECT DEV", the master combo box
// and what closing writes.
#include "app/main_window.h"
#include "shell_fixture.h"
#include "skin/button.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

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
};

TEST_F(MainWindowTest, ListsOnlyControllersOfTheControllerVendorAndTakesTheFirstAsMaster)
{
    sim_->Attach(2);
    sim_->Attach(5);
    sim_->Attach(7, 0x1234);
    TForm15& main = Main();

    EXPECT_EQ(main.Memo1(), QStringList({"ezusb-2", "ezusb-5"}));
    EXPECT_EQ(ComboItems(main.ComboBox1()), QStringList({"Usb-2", "Usb-5"}));
    EXPECT_EQ(main.ComboBox1()->currentIndex(), 0);
    EXPECT_EQ(main.CurrentDeviceName(), "ezusb-2");
    // The combo index, not the device number.
    EXPECT_EQ(main.windowTitle(), "Zarn-0");
    EXPECT_EQ(Windows().ApplicationTitle(), "Zarn-0");
    EXPECT_EQ(CurrentDeviceTargets()->Master, "ezusb-2");
    EXPECT_FALSE(CurrentDeviceTargets()->MultiDevice);
}

TEST_F(MainWindowTest, WithoutControllersTheProgramStartsWithNoMaster)
{
    sim_->Attach(3, 0x04B4);
    TForm15& main = Main();
    EXPECT_EQ(main.ComboBox1()->count(), 0);
    EXPECT_TRUE(main.CurrentDeviceName().isEmpty());
    EXPECT_EQ(main.windowTitle(), "Zarn");
}

TEST_F(MainWindowTest, ControlsCarryTheirCaptionsBlanksIncluded)
{
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
        EXPECT_EQ(main.CurrentDeviceName(), c.master);
        EXPECT_EQ(CurrentDeviceTargets()->Master, c.master);
        EXPECT_EQ(main.windowTitle(), c.title);
        EXPECT_EQ(Windows().ApplicationTitle(), c.title);
    }
}

TEST_F(MainWindowTest, OnlyTheOperatorsChoiceInTheComboChangesTheMaster)
{
    sim_->Attach(2);
    sim_->Attach(5);
    TForm15& main = Main();
    QSignalSpy changed(&main, &TForm15::masterChanged);

    // Set from code: no handler runs.
    main.ComboBox1()->setCurrentIndex(1);
    EXPECT_EQ(main.CurrentDeviceName(), "ezusb-2");
    EXPECT_EQ(changed.count(), 0);

    emit main.ComboBox1()->activated(1);
    EXPECT_EQ(main.CurrentDeviceName(), "ezusb-5");
    EXPECT_EQ(main.windowTitle(), "Zarn-1");
    EXPECT_EQ(CurrentDeviceTargets()->Master, "ezusb-5");
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toInt(), 1);
}

TEST_F(MainWindowTest, AFailedSaveOnCloseIsReported)
{
    TForm15& main = Main();
    ASSERT_TRUE(QDir(folder_.path()).mkdir("Vorla.ini"));
    EXPECT_FALSE(main.FormClose());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].text.contains("Vorla.ini"));
}
