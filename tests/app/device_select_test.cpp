#include "app/device_select_window.h"
#include "app/main_window.h"
#include "shell_fixture.h"
#include "skin/button.h"
#include "skin/check_box.h"
#include "skin/skin_form.h"

#include "skin/combo_box.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <set>

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
    /// Runs the event loop until the reset thread has finished and its reports are in.
    static void WaitForReset(TForm19& window)
    {
        while (window.ResetRunning())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    /// "a<pipe>" for a pipe abort, "v" for a vendor request (the processor hold and release).
    QString Summary(int device) const
    {
        QStringList requests;
        for (const RecordedRequest& r : sim_->RequestsTo(device)) {
            if (r.code == kRequestAbortPipe)
                requests << QStringLiteral("a%1").arg(r.pipe);
            else if (r.code == kRequestVendor)
                requests << QStringLiteral("v");
        }
        return requests.join(' ');
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

    // Choosing an extra device as master takes it off the list; the old master
    // is no extra device, so its box is no longer checked.
    ChooseMaster(window, 2);
    EXPECT_EQ(Main().CurrentDeviceName(), "ezusb-2");
    EXPECT_EQ(Main().ComboBox1()->currentIndex(), 2);
    EXPECT_EQ(Main().windowTitle(), "Zarn-2");
    EXPECT_EQ(Main().ListBox1(), QStringList({"Usb-0"}));
    EXPECT_EQ(Extras(), std::vector<QString>({"ezusb-0"}));
    EXPECT_EQ(CheckedBoxes(window), std::vector<int>({0, 2}));

    // A choice in the main window is mirrored here without touching the list.
    Main().ComboBox1()->setCurrentIndex(1);
    Main().ComboBox1Change();
    EXPECT_EQ(window.ComboBox1()->currentIndex(), 1);
    EXPECT_EQ(Main().ListBox1(), QStringList({"Usb-0"}));
    EXPECT_EQ(CheckedBoxes(window), std::vector<int>({0, 1}));

    window.findChild<TskButton*>("skButton3")->Click();
    EXPECT_TRUE(Main().ListBox1().isEmpty());
    EXPECT_TRUE(Extras().empty());
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
    EXPECT_EQ((std::vector<bool>{Main().MultiDeviceMode(), window.CheckBox131()->isEnabled(),
                                 window.CheckBox131()->Checked(), CurrentDeviceTargets()->MultiDevice}),
              std::vector<bool>(4, false));
    EXPECT_TRUE(ShownBoxes(window).empty());
    EXPECT_TRUE(Main().ListBox1().isEmpty());
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

    window.findChild<TskButton*>("BitBtn2")->Click();
    WaitForReset(window);

    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, "Failed to reset ezUsb-3");
    EXPECT_EQ((QStringList{Summary(0), Summary(3), Summary(5)}),
              (QStringList{"a1 a3 a5 v v", "a1 a2 a3 v v", "a1 a2 a3 v v"}));
    EXPECT_TRUE(sim_->RequestsTo(7).empty());

    // Without multi-device output only the master is reset.
    window.CheckBox131()->Click();
    sim_->ClearRequests();
    window.BitBtn2Click();
    WaitForReset(window);
    EXPECT_EQ((QStringList{Summary(0), Summary(3)}), (QStringList{"a1 a3 a5 v v", ""}));
    EXPECT_EQ(messages_.size(), 1u);
}

// A controller that does not answer holds up the reset thread, never the
// window: it goes on working, a second press is ignored, and when the request
// gives up each failed reset is reported once, in order.
TEST_F(DeviceSelectTest, AHungControllerNeverHoldsUpTheWindow)
{
    TForm19& window = Window({0, 3});
    EnableMulti(window);
    window.findChild<TskButton*>("skButton2")->Click();
    sim_->HangRequests(0, kRequestVendor);
    sim_->FailRequests(3, kRequestVendor);
    auto* reset = window.findChild<TskButton*>("BitBtn2");

    reset->Click();
    ASSERT_TRUE(sim_->WaitUntilHanging(1, std::chrono::seconds(10)));
    EXPECT_TRUE(window.ResetRunning());
    EXPECT_FALSE(reset->isEnabled());
    reset->Click();
    window.BitBtn2Click();  // a press however it comes
    window.findChild<TskButton*>("skButton3")->Click();
    EXPECT_TRUE(Main().ListBox1().isEmpty()) << "the window answers while the controller hangs";
    QCoreApplication::processEvents();
    EXPECT_TRUE(messages_.empty());

    sim_->ReleaseHanging();
    WaitForReset(window);
    EXPECT_TRUE(reset->isEnabled());
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_EQ((QStringList{messages_[0].text, messages_[1].text}),
              (QStringList{"Failed to reset ezUsb-0", "Failed to reset ezUsb-3"}));
    EXPECT_EQ(Summary(0), "a1 a3 a5 v v") << "one reset, not three";
    EXPECT_EQ(Summary(3), "a1 a2 a3 v v");

    // A slow answer within the transfer bound is no failure.
    sim_->DelayRequests(0, kRequestAbortPipe, std::chrono::milliseconds(20), 3);
    reset->Click();
    WaitForReset(window);
    EXPECT_EQ(messages_.size(), 2u);
}

// The boxes of the detected controllers sit together in number order, and
// the window is only as tall as they need.
TEST_F(DeviceSelectTest, DetectedControllersBoxesAreLaidOutTogetherInNumberOrder)
{
    TForm19& window = Window({3, 17, 40, 41, 42, 60, 77, 90, 101, 127});
    const int closedHeight = window.height();
    EnableMulti(window);
    const std::vector<int> shown = ShownBoxes(window);
    ASSERT_EQ(shown.size(), 10u);
    // Left to right, then the next row from the left, with no empty cells between.
    std::set<int> rows;
    for (std::size_t i = 1; i < shown.size(); ++i) {
        SCOPED_TRACE(shown[i]);
        const QRect prev = window.DeviceBox(shown[i - 1])->geometry();
        const QRect at = window.DeviceBox(shown[i])->geometry();
        if (at.y() == prev.y()) {
            EXPECT_GT(at.left(), prev.right());
            EXPECT_LT(at.left() - prev.right(), 10);
        } else {
            EXPECT_EQ(at.x(), window.DeviceBox(shown[0])->x());
            EXPECT_GT(at.top(), prev.bottom());
        }
        rows.insert(at.y());
    }
    rows.insert(window.DeviceBox(shown[0])->y());
    EXPECT_EQ(rows.size(), 2u);
    const auto* selectAll = window.findChild<TskButton*>("skButton2");
    const QRect lastBox = window.DeviceBox(127)->geometry();
    EXPECT_GT(selectAll->y(), lastBox.bottom());
    EXPECT_LT(selectAll->y() - lastBox.bottom(), 20);
    EXPECT_LT(window.height(), closedHeight + 3 * 19 + 10) << "two rows of boxes, not sixteen";
    EXPECT_GE(window.height(), selectAll->geometry().bottom());

    // The combo box and every button are the skinned controls.
    EXPECT_TRUE(window.findChildren<QPushButton*>().isEmpty());
    EXPECT_EQ(window.findChild<TskButton*>("BitBtn2")->Caption(), "reset select device");
    for (const QComboBox* combo : window.findChildren<QComboBox*>())
        EXPECT_NE(qobject_cast<const TskComboBox*>(combo), nullptr);
    EXPECT_EQ(window.ComboBox1()->UIStyle(), TskUIStyle::Azure);
    EXPECT_EQ(window.ComboBox1()->BorderColor(), 6842472u);
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
