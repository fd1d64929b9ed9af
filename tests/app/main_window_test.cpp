// The main window: controller detection, "DETECT DEV", the master combo box
// and what closing writes.
#include "app/main_window.h"
#include "editor/draw_window.h"
#include "output/play_handover.h"
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
    EXPECT_TRUE(main.Memo1().isEmpty());
    EXPECT_EQ(main.ComboBox1()->count(), 0);
    EXPECT_TRUE(main.CurrentDeviceName().isEmpty());
    EXPECT_EQ(main.windowTitle(), "Zarn");
    EXPECT_TRUE(CurrentDeviceTargets()->Master.isEmpty());
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

TEST_F(MainWindowTest, DetectAgainKeepsTheChosenDeviceWhileItsIndexStillExists)
{
    for (int n : {1, 4, 6})
        sim_->Attach(n);
    TForm15& main = Main();
    main.SelectMaster(1);
    ASSERT_EQ(main.CurrentDeviceName(), "ezusb-4");

    sim_->Attach(9);
    QSignalSpy detected(&main, &TForm15::devicesDetected);
    QTest::mouseClick(main.findChild<TskButton*>(), Qt::LeftButton);
    EXPECT_EQ(detected.count(), 1);
    EXPECT_EQ(main.ComboBox1()->count(), 4);
    EXPECT_EQ(main.ComboBox1()->currentIndex(), 1);
    EXPECT_EQ(main.CurrentDeviceName(), "ezusb-4");
    EXPECT_EQ(CurrentDeviceTargets()->Master, "ezusb-4");
}

TEST_F(MainWindowTest, DetectAgainWithOneDeviceLeftSelectsItWhateverWasChosen)
{
    for (int n : {1, 4, 6})
        sim_->Attach(n);
    TForm15& main = Main();
    main.SelectMaster(2);
    sim_->Detach(1);
    sim_->Detach(6);
    main.skButton1Click();
    EXPECT_EQ(main.ComboBox1()->currentIndex(), 0);
    EXPECT_EQ(main.CurrentDeviceName(), "ezusb-4");
    EXPECT_EQ(main.windowTitle(), "Zarn-0");
}

TEST_F(MainWindowTest, DetectAgainWithAChoiceThatNoLongerExistsSelectsTheFirst)
{
    for (int n : {1, 4, 6})
        sim_->Attach(n);
    TForm15& main = Main();
    main.SelectMaster(2);
    sim_->Detach(6);
    main.skButton1Click();
    EXPECT_EQ(main.ComboBox1()->currentIndex(), 0);
    EXPECT_EQ(main.CurrentDeviceName(), "ezusb-1");
    EXPECT_EQ(main.windowTitle(), "Zarn-0");
}

TEST_F(MainWindowTest, DetectAgainAfterStartingWithoutDevicesChoosesAMaster)
{
    TForm15& main = Main();
    ASSERT_EQ(main.ComboBox1()->currentIndex(), -1);
    sim_->Attach(3);
    sim_->Attach(8);
    main.skButton1Click();
    EXPECT_EQ(main.ComboBox1()->currentIndex(), 0);
    EXPECT_EQ(main.CurrentDeviceName(), "ezusb-3");
    EXPECT_EQ(CurrentDeviceTargets()->Master, "ezusb-3");
}

TEST_F(MainWindowTest, DetectAgainWithAllDevicesGoneClearsTheMaster)
{
    sim_->Attach(0);
    sim_->Attach(1);
    TForm15& main = Main();
    main.SelectMaster(1);
    sim_->Detach(0);
    sim_->Detach(1);
    main.skButton1Click();
    EXPECT_TRUE(main.CurrentDeviceName().isEmpty());
    EXPECT_EQ(Windows().ApplicationTitle(), "Zarn");
    EXPECT_EQ(main.windowTitle(), "Zarn");
    EXPECT_TRUE(CurrentDeviceTargets()->Master.isEmpty());
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

TEST_F(MainWindowTest, ExtraDevicesAndTheMultiFlagArePublishedForTheLoops)
{
    sim_->Attach(2);
    sim_->Attach(5);
    sim_->Attach(9);
    TForm15& main = Main();
    main.SetListBox1({"Usb-5", "Usb-9"});
    EXPECT_FALSE(CurrentDeviceTargets()->MultiDevice);
    main.SetMultiDeviceMode(true);
    const auto targets = CurrentDeviceTargets();
    EXPECT_TRUE(targets->MultiDevice);
    EXPECT_EQ(targets->Master, "ezusb-2");
    EXPECT_EQ(targets->Extras, (std::vector<QString>{"ezusb-5", "ezusb-9"}));
}

TEST_F(MainWindowTest, CloseWritesTheDrawValuesAndKeepsTheOtherLines)
{
    QByteArray bytes;
    for (int i = 0; i < 30; ++i)
        bytes += (i % 2 ? QByteArray::number(i) : QByteArray("label\xB0\xA1")) + "\r\n";
    WriteSettings(bytes);
    TForm15& main = Main();
    TForm1& draw = *Windows().Create<TForm1>();
    EXPECT_EQ(draw.PolygonSides, 11);
    draw.PolygonSides = 8;
    draw.BackColor = 3;

    ASSERT_TRUE(main.FormClose());
    EXPECT_EQ(StopRequested.load(), 1);
    const SettingsFile saved = SettingsFile::FromBytes(ReadSettings());
    EXPECT_EQ(saved.value(kPolygonSidesSetting.line, -1), 8);
    EXPECT_EQ(saved.value(kBackColorSetting.line, -1), 3);
    EXPECT_EQ(saved.line(0), "label\xB0\xA1");
    // Without the output settings window the output lines stay as read.
    EXPECT_EQ(saved.value(kIldaFrameIntervalSetting.line, -1), 29);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(MainWindowTest, AFailedSaveOnCloseIsReported)
{
    TForm15& main = Main();
    ASSERT_TRUE(QDir(folder_.path()).mkdir("Vorla.ini"));
    EXPECT_FALSE(main.FormClose());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].text.contains("Vorla.ini"));
}
