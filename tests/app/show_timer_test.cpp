#include "app/show_timer_window.h"
#include "common/layout_checks.h"
#include "shell_fixture.h"
#include "skin/tool_bar.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTest>

using namespace std::chrono_literals;

class ShowTimerTest : public ShellTest {
protected:
    TForm2& Window()
    {
        TForm2* window = Windows().Create<TForm2>();
        window->SetClock([this] { return now_; });
        return *window;
    }
    static void SwitchOn(TForm2& window, int minutes)
    {
        window.TrackBar1()->setValue(minutes);
        window.ToolButton1()->click();
    }

    std::chrono::milliseconds now_{123456789};
};

TEST_F(ShowTimerTest, RunningTimerCountsTheRemainingMinutesDownAndTheEditTakesDigitsOnly)
{
    TForm2& window = Window();
    SwitchOn(window, 0);  // without a length nothing starts
    EXPECT_FALSE(window.ToolButton1()->Down());
    EXPECT_FALSE(window.Timer6().isActive());
    EXPECT_EQ(window.Label6()->text(), "no setting");

    SwitchOn(window, 30);
    EXPECT_TRUE(window.ToolButton1()->Down());
    EXPECT_TRUE(window.Timer3().isActive());
    EXPECT_EQ(window.Timer3().interval(), 1'800'000);
    EXPECT_EQ(window.Timer3().timerType(), Qt::PreciseTimer);
    EXPECT_TRUE(window.Timer6().isActive());
    EXPECT_EQ(window.Label6()->text(), "Start Timer");
    EXPECT_EQ(window.Label7()->text(), "30");

    now_ += 20min + 30s;
    window.Timer6Timer();
    EXPECT_EQ(window.TrackBar1()->value(), 10);
    EXPECT_EQ(window.Edit1()->text(), "10");

    // Past the length the display stays at 0 until expiry.
    now_ += 1h;
    window.Timer6Timer();
    EXPECT_EQ(window.TrackBar1()->value(), 0);

    window.ToolButton1()->click();
    EXPECT_FALSE(window.Timer3().isActive());
    EXPECT_FALSE(window.Timer6().isActive());
    EXPECT_EQ(window.Label6()->text(), "Stop Timer");
    EXPECT_EQ(window.Label7()->text(), "0");

    // From the time of day alone, 23 h 40 min after 10:30 would read as -20 minutes.
    SwitchOn(window, 1440);
    now_ += 23h + 40min;
    window.Timer6Timer();
    EXPECT_EQ(window.TrackBar1()->value(), 20);

    // Expiry stops every play and says so.
    StopRequested = 0;
    window.Timer3Timer();
    EXPECT_EQ(StopRequested.load(), 1);
    EXPECT_FALSE(window.Timer3().isActive());
    EXPECT_FALSE(window.Timer6().isActive());
    EXPECT_EQ(window.TrackBar1()->value(), 0);
    EXPECT_FALSE(window.ToolButton1()->Down());
    EXPECT_EQ(window.Label7()->text(), "0");
    EXPECT_EQ(window.Label6()->text(), QString::fromUtf8("Time out\xEF\xBC\x8Cplay end"));

    // The edit takes digits only and clamps to a day.
    QLineEdit* edit = window.Edit1();
    edit->clear();
    QTest::keyClicks(edit, "1a2-b3");
    EXPECT_EQ(edit->text(), "123");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(window.TrackBar1()->value(), 123);

    // Enter on an empty edit puts the slider's value back.
    edit->clear();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->text(), "123");
    EXPECT_EQ(window.TrackBar1()->value(), 123);

    edit->setText("5000");
    window.Edit1Apply();
    EXPECT_EQ(window.TrackBar1()->value(), 1440);
    EXPECT_EQ(edit->text(), "1440");
    edit->setText("99999999999999999999");
    window.Edit1Apply();
    EXPECT_EQ(window.TrackBar1()->value(), 1440);
}

TEST_F(ShowTimerTest, EveryStateOfTheTimerIsToldWhole)
{
    TForm2& window = Window();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const auto whole = [&] { return layout_checks::ShowsWhole(*window.Label6()); };
    SwitchOn(window, 1);
    EXPECT_TRUE(whole()) << window.Label6()->text().toStdString();
    window.ToolButton1()->click();
    EXPECT_TRUE(whole()) << window.Label6()->text().toStdString();
    SwitchOn(window, 1);
    window.Timer3Timer();
    EXPECT_EQ(window.Label6()->text(), TForm2::TimeOutText());
    EXPECT_TRUE(whole()) << window.Label6()->text().toStdString();
    // The length beside it stays clear of the message, a whole day of it too.
    EXPECT_FALSE(window.Label6()->geometry().intersects(window.Label7()->geometry()));
    SwitchOn(window, 1440);
    EXPECT_TRUE(layout_checks::ShowsWhole(*window.Label7())) << window.Label7()->text().toStdString();
}

TEST_F(ShowTimerTest, ScreenshotAfterTheTimeRanOut)
{
    ZARN_SCREENSHOT_DIR_OR_SKIP(dir);
    TForm2& window = Window();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    SwitchOn(window, 90);
    window.Timer3Timer();
    QTest::qWait(50);
    // Its own name: the start-up screenshot keeps the window as first shown.
    EXPECT_TRUE(window.grab().save(QDir(dir).filePath("show_timer_window_time_out.png")));
}
