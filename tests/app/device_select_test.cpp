// The device selection window: which controllers receive packets, and the
// reset of the chosen controllers, against simulated controllers.
#include "app/device_select_window.h"
#include "app/main_window.h"
#include "shell_fixture.h"
#include "skin/button.h"
#include "skin/check_box.h"
#include "skin/skin_form.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

class DeviceSelectTest : public ShellTest {
protected:
    /// Attaches the controllers, then makes the main window and this window.
    TForm19& Window(std::initializer_list<int> devices)
    {
        for (int n : devices)
            sim_->Attach(n);
        Windows().Create<TForm15>();
        return *Windows().Create<TForm19>();
    }
    TForm15& Main() { return *Windows().Form15(); }

    /// The numbers of the device boxes the operator can see, or of those checked.
    static std::vector<int> Boxes(const TForm19& window, bool checked)
    {
        std::vector<int> numbers;
        for (int n = 0; n < TForm19::kDeviceBoxCount; ++n) {
            if (checked ? window.DeviceBox(n)->Checked() : !window.DeviceBox(n)->isHidden())
                numbers.push_back(n);
        }
        return numbers;
    }
    static std::vector<int> ShownBoxes(const TForm19& window) { return Boxes(window, false); }
    static std::vector<int> CheckedBoxes(const TForm19& window) { return Boxes(window, true); }
    static std::vector<QString> Extras() { return CurrentDeviceTargets()->Extras; }

    /// The operator chooses item `index` in the window's master combo box.
    static void ChooseMaster(TForm19& window, int index)
    {
        window.ComboBox1()->setCurrentIndex(index);
        window.ComboBox1Change();
    }
    static void EnableMulti(TForm19& window)
    {
        ASSERT_TRUE(window.CheckBox131()->isEnabled());
        window.CheckBox131()->Click();
    }
};

TEST_F(DeviceSelectTest, ShowsExactlyTheDetectedDevicesByTheirNumbers)
{
    sim_->Attach(7, 0x1234);  // another vendor's device is not offered
    TForm19& window = Window({2, 5});
    EXPECT_EQ(window.ComboBox1()->currentText(), "Usb-2");
    EXPECT_TRUE(ShownBoxes(window).empty());
    EXPECT_TRUE(window.findChild<TskButton*>("skButton2")->isHidden());

    EnableMulti(window);
    EXPECT_TRUE(Main().MultiDeviceMode());
    EXPECT_TRUE(CurrentDeviceTargets()->MultiDevice);
    EXPECT_EQ(ShownBoxes(window), std::vector<int>({2, 5}));
    EXPECT_EQ(CheckedBoxes(window), std::vector<int>({2}));
    EXPECT_FALSE(window.findChild<TskButton*>("skButton2")->isHidden());

    window.DeviceBox(5)->Click();
    EXPECT_EQ(Main().ListBox1(), QStringList({"Usb-5"}));

    // Switching off hides the boxes and keeps the list.
    window.CheckBox131()->Click();
    EXPECT_FALSE(Main().MultiDeviceMode());
    EXPECT_TRUE(ShownBoxes(window).empty());
    EXPECT_EQ(Main().ListBox1(), QStringList({"Usb-5"}));
    EXPECT_FALSE(CurrentDeviceTargets()->MultiDevice);
}

TEST_F(DeviceSelectTest, BoxClicksSelectAllAndClearAllEditTheExtraDevices)
{
    TForm19& window = Window({0, 1, 2});
    ChooseMaster(window, 1);
    EnableMulti(window);

    // The master's own box never makes it an extra device, nor unchecks.
    window.DeviceBox(1)->Click();
    EXPECT_TRUE(Main().ListBox1().isEmpty());
    EXPECT_TRUE(window.DeviceBox(1)->Checked());

    window.DeviceBox(2)->Click();
    window.DeviceBox(0)->Click();
    EXPECT_EQ(Main().ListBox1(), QStringList({"Usb-2", "Usb-0"}));
    EXPECT_EQ(Extras(), std::vector<QString>({"ezusb-2", "ezusb-0"}));
    window.DeviceBox(2)->Click();
    EXPECT_EQ(Main().ListBox1(), QStringList({"Usb-0"}));
    EXPECT_FALSE(window.DeviceBox(2)->Checked());

    window.findChild<TskButton*>("skButton2")->Click();
    EXPECT_EQ(Main().ListBox1(), QStringList({"Usb-0", "Usb-2"}));
    EXPECT_EQ(CheckedBoxes(window), std::vector<int>({0, 1, 2}));
    EXPECT_EQ(CurrentDeviceTargets()->Master, "ezusb-1");

    window.findChild<TskButton*>("skButton3")->Click();
    EXPECT_TRUE(Main().ListBox1().isEmpty());
    EXPECT_TRUE(Extras().empty());
    EXPECT_EQ(CheckedBoxes(window), std::vector<int>({1}));
}

TEST_F(DeviceSelectTest, ChoosingAnExtraDeviceAsMasterTakesItOffTheList)
{
    TForm19& window = Window({0, 1, 2});
    EnableMulti(window);
    window.findChild<TskButton*>("skButton2")->Click();
    ASSERT_EQ(Main().ListBox1(), QStringList({"Usb-1", "Usb-2"}));

    ChooseMaster(window, 2);
    EXPECT_EQ(Main().CurrentDeviceName(), "ezusb-2");
    EXPECT_EQ(Main().ComboBox1()->currentIndex(), 2);
    EXPECT_EQ(Main().windowTitle(), "Zarn-2");
    EXPECT_EQ(Main().ListBox1(), QStringList({"Usb-1"}));
    EXPECT_EQ(CurrentDeviceTargets()->Master, "ezusb-2");
    EXPECT_EQ(Extras(), std::vector<QString>({"ezusb-1"}));
    // The old master is no extra device, so its box is no longer checked.
    EXPECT_EQ(CheckedBoxes(window), std::vector<int>({1, 2}));

    // A choice in the main window is mirrored here without touching the list.
    Main().ComboBox1()->setCurrentIndex(1);
    Main().ComboBox1Change();
    EXPECT_EQ(window.ComboBox1()->currentIndex(), 1);
    EXPECT_EQ(Main().ListBox1(), QStringList({"Usb-1"}));
    EXPECT_EQ(CheckedBoxes(window), std::vector<int>({1}));
}

TEST_F(DeviceSelectTest, DetectingAgainDropsUnpluggedExtraDevices)
{
    TForm19& window = Window({1, 2, 4});
    EnableMulti(window);
    window.findChild<TskButton*>("skButton2")->Click();
    ASSERT_EQ(Main().ListBox1(), QStringList({"Usb-2", "Usb-4"}));

    sim_->Detach(4);
    Main().skButton1Click();
    EXPECT_EQ(Main().ListBox1(), QStringList({"Usb-2"}));
    EXPECT_EQ(Extras(), std::vector<QString>({"ezusb-2"}));
    EXPECT_EQ(ShownBoxes(window), std::vector<int>({1, 2}));
    EXPECT_EQ(CheckedBoxes(window), std::vector<int>({1, 2}));
    EXPECT_EQ(window.ComboBox1()->count(), 2);

    // Down to one controller: multi-device output goes off.
    sim_->Detach(2);
    Main().skButton1Click();
    EXPECT_FALSE(Main().MultiDeviceMode());
    EXPECT_FALSE(window.CheckBox131()->isEnabled());
    EXPECT_FALSE(window.CheckBox131()->Checked());
    EXPECT_TRUE(ShownBoxes(window).empty());
    EXPECT_TRUE(Main().ListBox1().isEmpty());
    EXPECT_FALSE(CurrentDeviceTargets()->MultiDevice);
}

TEST_F(DeviceSelectTest, ResetGoesToEachChosenControllerOnceAndReportsEachFailure)
{
    sim_->Attach(7, 0x1234);
    TForm19& window = Window({0, 3, 5});
    EnableMulti(window);
    window.findChild<TskButton*>("skButton2")->Click();
    // A stale entry for a device detection rejected, and the master listed again.
    Main().SetListBox1({"Usb-3", "Usb-5", "Usb-7", "Usb-0"});
    sim_->ClearRequests();
    sim_->FailRequests(3, kRequestVendor);

    window.findChild<QPushButton*>("BitBtn2")->click();

    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, "Failed to reset ezUsb-3");

    // "a<pipe>" for a pipe abort, "v" for a vendor request (the processor hold and release).
    auto summary = [this](int device) {
        QStringList requests;
        for (const RecordedRequest& r : sim_->RequestsTo(device)) {
            if (r.code == kRequestAbortPipe)
                requests << QStringLiteral("a%1").arg(r.pipe);
            else if (r.code == kRequestVendor)
                requests << QStringLiteral("v");
        }
        return requests.join(' ');
    };
    EXPECT_EQ(summary(0), "a1 a3 a5 v v");
    EXPECT_EQ(summary(3), "a1 a2 a3 v v");
    EXPECT_EQ(summary(5), "a1 a2 a3 v v");
    EXPECT_TRUE(sim_->RequestsTo(7).empty());

    // Without multi-device output only the master is reset.
    window.CheckBox131()->Click();
    sim_->ClearRequests();
    window.BitBtn2Click();
    EXPECT_EQ(summary(0), "a1 a3 a5 v v");
    EXPECT_EQ(summary(3), "");
    EXPECT_EQ(messages_.size(), 1u);
}

TEST_F(DeviceSelectTest, OneControllerAllowsNoMultipleOutputAndNoneAllowsNoReset)
{
    TForm19& window = Window({4});
    EXPECT_FALSE(window.CheckBox131()->isEnabled());
    window.CheckBox131()->Click();
    EXPECT_FALSE(Main().MultiDeviceMode());
    EXPECT_TRUE(ShownBoxes(window).empty());

    sim_->Detach(4);
    Main().skButton1Click();
    sim_->ClearRequests();
    window.BitBtn2Click();
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(sim_->Requests().empty());
    // A dialog frame: no maximise button.
    const auto* frame = window.findChild<TskForm*>("skForm1");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->TitleBar().Buttons().IndexOf(TskTitleBarBtnType::skMax), -1);
}
