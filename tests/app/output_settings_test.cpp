#include "app/output_settings_window.h"
#include "common/test_points.h"
#include "editor/draw_window.h"
#include "editor/frame_pages_panel.h"
#include "output/play_handover.h"
#include "shell_fixture.h"
#include "skin/button.h"
#include "skin/check_box.h"
#include "skin/radio_group.h"
#include "skin/track_bar.h"

#include <QApplication>
#include <QLabel>
#include <QSlider>
#include <QTest>

#include <tuple>

class OutputSettingsTest : public ShellTest {
protected:
    /// The window made from settings lines whose odd lines 13..29 hold `outputValues` as text.
    TForm13& Window(const std::vector<QByteArray>& outputValues = {})
    {
        SettingsFile lines;
        for (std::size_t i = 0; i < outputValues.size(); ++i)
            lines.setLine(kOffsetXSetting.line + 2 * static_cast<int>(i), outputValues[i]);
        Windows().Settings() = lines;
        return *Windows().Create<TForm13>();
    }
    template <class T>
    static T* Child(const TForm13& window, const char* name)
    {
        T* child = window.findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    static QString Text(const TForm13& window, const char* label) { return Child<QLabel>(window, label)->text(); }
};

TEST_F(OutputSettingsTest, PadPressesMapToOffsetsAndDragsOffThePadStayAtItsEdge)
{
    TForm13& window = Window();
    auto* pad = Child<OffsetPad>(window, "Image1");

    // Through real mouse events (QTest takes a null point for the centre).
    const auto offsets = [] { return std::pair<int, int>(OffsetX.load(), OffsetY.load()); };
    QTest::mousePress(pad, Qt::LeftButton, {}, QPoint(1, 2));
    EXPECT_EQ(offsets(), std::pair(-254, -252));
    QTest::mouseRelease(pad, Qt::LeftButton, {}, QPoint(1, 2));
    EXPECT_FALSE(window.Dragging());

    window.Image1MouseDown(0, 0);
    EXPECT_EQ(OffsetX.load(), -256);
    window.Image1MouseDown(255, 255);
    EXPECT_EQ(OffsetY.load(), 254);
    window.Image1MouseMove(128, 128);
    EXPECT_EQ(OffsetX.load(), 0);

    // Held button, pointer far outside the pad.
    window.Image1MouseMove(-40, 300);
    EXPECT_EQ(offsets(), std::pair(-256, 254));
    EXPECT_EQ(pad->Marker(), QPoint(0, 255));
    EXPECT_EQ(Text(window, "Label3"), "-256");

    // Without a press, a move changes nothing.
    window.Image1MouseUp();
    window.Image1MouseMove(10, 10);
    EXPECT_EQ(OffsetX.load(), -256);

    Child<TskButton>(window, "skButton2")->Click();
    EXPECT_EQ(offsets(), std::pair(0, 0));
    EXPECT_EQ(window.PadPosition(), QPoint(128, 128));
    EXPECT_EQ(Text(window, "Label4"), "0");
}

TEST_F(OutputSettingsTest, PadPictureShowsTheCrossAndTheMarker)
{
    const QImage picture = DrawOffsetPad(QPoint(40, 200));
    ASSERT_EQ(picture.size(), QSize(255, 255));
    const QColor grey(0x80, 0x80, 0x80), red(Qt::red), black(Qt::black);
    EXPECT_EQ((QList<QColor>{picture.pixel(128, 1), picture.pixel(1, 128), picture.pixel(43, 200),
                             picture.pixel(40, 197), picture.pixel(40, 200)}),
              (QList<QColor>{grey, grey, red, red, black}));
}

TEST_F(OutputSettingsTest, OffsetsBeyondThePadsReachKeepTheirValueAndDrawTheMarkerOnItsEdge)
{
    TForm13& window = Window({"9999", "9999"});
    EXPECT_EQ(OffsetX.load(), 256);
    EXPECT_EQ(Text(window, "Label3"), "256");
    // The marker's box lies whole on the pad's last pixels, 248..254 both ways.
    const QImage shown = Child<OffsetPad>(window, "Image1")->grab().toImage();
    const QColor red(Qt::red);
    EXPECT_EQ((QList<QColor>{shown.pixel(248, 250), shown.pixel(250, 248), shown.pixel(254, 250), shown.pixel(250, 254)}),
              (QList<QColor>(4, red)));
}

// The shared output values in the order of their settings lines.
std::vector<int> OutputValues()
{
    return {OffsetX.load(), OffsetY.load(),        OutputAngle.load(),   SendSpeedByte.load(),    SizeX.load(),
            SizeY.load(),   PortSelection.load(), OutputChannel.load(), IldaFrameInterval.load()};
}

TEST_F(OutputSettingsTest, CreationTakesEveryValueFromTheSettingsLines)
{
    TForm13& window = Window({"-255", "100", "90", "30", "10", "35", "2", "2", "50"});
    EXPECT_EQ(OutputValues(), (std::vector<int>{-255, 100, 90, 30, 10, 35, 2, 2, 50}));
    // (-255 + 256) / 2 truncates to 0.
    EXPECT_EQ(window.PadPosition(), QPoint(0, 178));
    EXPECT_EQ(Child<TskTrackBar>(window, "skTrackBar2")->Position(), 35);
    for (const auto& [label, text] : {std::pair{"Label3", "-255"}, {"Label6", "70"}, {"Label9", "10"},
                                      {"Label13", "35"}, {"Label14", "90"}, {"Label19", "50"}})
        EXPECT_EQ(Text(window, label), text) << label;
    // Port byte 2 is both ports; the channel and port controls stay hidden.
    EXPECT_TRUE(Child<TskCheckBox>(window, "skCheckBox2")->Checked());
    EXPECT_TRUE(Child<TskCheckBox>(window, "skCheckBox3")->Checked());
    EXPECT_EQ(Child<TskRadioGroup>(window, "skRadioGroup1")->ItemIndex(), 1);
    EXPECT_TRUE(Child<TskCheckBox>(window, "skCheckBox2")->isHidden());
    EXPECT_TRUE(Child<QWidget>(window, "skRadioGroup1")->isHidden());
}

TEST_F(OutputSettingsTest, MissingOrBadLinesGiveTheControlsDefaultsAndRanges)
{
    TForm13& window = Window({"abc", "9999", "", "", "99", "-3", "7", "0", "0"});
    EXPECT_EQ(OutputValues(), (std::vector<int>{0, 256, 0, 15, 40, 0, 3, 1, 2}));
    // An offset of 256 would put the marker one past the pad.
    EXPECT_EQ(window.PadPosition(), QPoint(128, 255));
    EXPECT_EQ(Child<QSlider>(window, "TrackBar6")->value(), 85);
    EXPECT_FALSE(Child<TskCheckBox>(window, "skCheckBox2")->Checked());
    EXPECT_EQ(Child<TskRadioGroup>(window, "skRadioGroup1")->ItemIndex(), 0);
}

// The window stays open while the Draw window starts its plays, which set the speed.
TEST_F(OutputSettingsTest, SendSpeedFollowsTheDrawWindowsPlayStartsWhileOpen)
{
    TForm13& window = Window({"0", "0", "0", "40"});
    window.show();
    auto* speed = Child<QSlider>(window, "TrackBar6");
    ASSERT_EQ(speed->value(), 60);
    // Stored inverted.
    speed->setValue(0);
    EXPECT_EQ(SendSpeedByte.load(), 100);
    speed->setValue(85);
    EXPECT_EQ(SendSpeedByte.load(), 15);
    // A play window set the byte; the slider follows when the window comes up.
    SendSpeedByte = 0;
    window.FormActivate();
    EXPECT_EQ(speed->value(), 100);
    EXPECT_EQ(Text(window, "Label6"), "100");

    TForm1& draw = *Windows().Create<TForm1>();
    draw.FramePages()->Pages().EditedImage.Frames.resize(2);
    for (auto& frame : draw.FramePages()->Pages().EditedImage.Frames)
        frame.Points.push_back(TestPoint(10, 10));
    draw.Document().Drawing = TestPolygon(4, 100, 100, 50, 2);
    auto button = [&](const char* name) {
        auto* b = draw.findChild<QWidget*>(QLatin1String(name));
        EXPECT_NE(b, nullptr) << name;
        return b;
    };
    const struct {
        const char* button;
        int shown;
    } steps[] = {{"ToolButton1", 100}, {"BitBtn28", 85}};
    for (const auto& step : steps) {
        QTest::mouseClick(button(step.button), Qt::LeftButton);
        EXPECT_EQ(speed->value(), step.shown) << step.button;
        EXPECT_EQ(Text(window, "Label6"), QString::number(step.shown)) << step.button;
        EXPECT_EQ(SendSpeedByte.load(), 100 - step.shown) << step.button;
    }
    Windows().HandOver().stopAll();
}

TEST_F(OutputSettingsTest, SizeLockKeepsBothSizesEqual)
{
    TForm13& window = Window();
    auto* sizeX = Child<TskTrackBar>(window, "skTrackBar1");
    auto* sizeY = Child<TskTrackBar>(window, "skTrackBar2");
    auto* lock = Child<TskCheckBox>(window, "skCheckBox1");

    sizeX->SetPosition(25);
    EXPECT_EQ(SizeY.load(), 20);
    lock->Click();  // locking copies X into Y
    EXPECT_EQ(sizeY->Position(), 25);
    EXPECT_EQ(SizeY.load(), 25);
    sizeX->SetPosition(30);
    EXPECT_EQ(SizeY.load(), 30);
    sizeY->SetPosition(12);
    EXPECT_EQ(sizeX->Position(), 12);
    EXPECT_EQ(SizeX.load(), 12);
    EXPECT_EQ(Text(window, "Label9"), "12");

    lock->Click();
    sizeY->SetPosition(40);
    EXPECT_EQ(SizeX.load(), 12);

    // Angle, interval, ports and channel are live too.
    Child<TskTrackBar>(window, "skTrackBar3")->SetPosition(400);
    EXPECT_EQ(OutputAngle.load(), 360);
    Child<QSlider>(window, "TrackBar1")->setValue(120);
    EXPECT_EQ(IldaFrameInterval.load(), 120);

    auto* port1 = Child<TskCheckBox>(window, "skCheckBox2");
    auto* port2 = Child<TskCheckBox>(window, "skCheckBox3");
    std::vector<int> ports;
    for (TskCheckBox* port : {port2, port1, port2}) {
        port->Click();
        ports.push_back(PortSelection.load());
    }
    EXPECT_EQ(ports, (std::vector<int>{2, 1, 3}));

    auto* channel = Child<TskRadioGroup>(window, "skRadioGroup1");
    EXPECT_EQ(channel->Items(), QStringList({"Chanel1", "Chanel2"}));
    channel->Button(1)->Click();
    EXPECT_EQ(OutputChannel.load(), 2);
    channel->Button(0)->Click();
    EXPECT_EQ(OutputChannel.load(), 1);
}

// A click gives a slider the keyboard, skinned or not: after the send speed
// slider, a click on Size X takes the arrow keys to Size X, and back.
TEST_F(OutputSettingsTest, ClickedSliderTakesTheArrowKeys)
{
    TForm13& window = Window();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* speed = Child<QSlider>(window, "TrackBar6");
    auto* sizeX = Child<TskTrackBar>(window, "skTrackBar1");
    auto click = [](QWidget* slider, QPoint at) {
        QTest::mouseClick(slider, Qt::LeftButton, {}, at);
        EXPECT_EQ(QApplication::focusWidget(), slider) << slider->objectName().toStdString();
    };
    auto right = [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right); };

    click(speed, {});
    const int speedShown = speed->value();
    click(sizeX, QPoint(4, sizeX->height() / 2));
    const int sizeShown = sizeX->Position();
    right();
    EXPECT_EQ((std::tuple{sizeX->Position(), SizeX.load(), Text(window, "Label9")}),
              std::tuple(sizeShown + 1, sizeShown + 1, QString::number(sizeShown + 1)));
    EXPECT_EQ(speed->value(), speedShown) << "the send speed stays where it was shown";

    click(speed, {});
    const int speedNow = speed->value();
    right();
    EXPECT_EQ(speed->value(), speedNow + 1);
    EXPECT_EQ(sizeX->Position(), sizeShown + 1);
}
