// Skinned scroll bar: placement of its parts, the thumb length, arrow steps
// (held and quick), page presses on the track and dragging the thumb.

#include "skin/scroll_bar.h"
#include "skin/theme_pictures.h"
#include "skin/themes.h"
#include "skin_test_events.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <tuple>
#include <vector>

using namespace skin_test;

namespace {

// The length of the thumb along the bar.
int ThumbLength(TskScrollBar& bar)
{
    const QSize s = bar.TrackBar().Slider().size();
    return bar.Orientation() == TskProgressBarOrientation::skVertical ? s.height() : s.width();
}

}  // namespace

TEST(ScrollBarLayout, ArrowsAroundTheTrackUprightOrOnItsSide)
{
    Host host;
    TskScrollBar bar(&host.window);
    bar.SetUIStyle(TskUIStyle::Azure);
    bar.resize(bar.width(), 185);
    bar.PlaceTrackBarAndButton();
    auto parts = [&] {
        return std::vector<QRect>{bar.rect(), bar.DecrementButton().geometry(), bar.TrackBar().geometry(),
                                  bar.IncrementButton().geometry()};
    };
    EXPECT_EQ(parts(), (std::vector<QRect>{{0, 0, 16, 185}, {0, 0, 16, 17}, {0, 17, 16, 150}, {0, 168, 16, 17}}));
    EXPECT_EQ((std::tuple{bar.Color(), bar.TrackBar().Color()}),
              std::tuple(GetThemeColor(TskUIStyle::Azure, 84), GetThemeColor(TskUIStyle::Azure, 84)));
    bar.SetOrientation(TskProgressBarOrientation::skHorizontal);  // the long side stays the length
    EXPECT_EQ(parts(), (std::vector<QRect>{{0, 0, 185, 16}, {0, 0, 17, 16}, {17, 0, 185 - 34, 16}, {185 - 17, 0, 17, 16}}));
    // The left arrow is the upright top arrow turned anticlockwise.
    QImage top = ThemeImage(GetThemeString(TskUIStyle::Azure, 85));
    ASSERT_FALSE(top.isNull());
    EXPECT_EQ(bar.DecrementButton().PicNormal().pixel(0, 15), top.pixel(0, 0));
}

TEST(ScrollBarThumb, LengthFollowsLineButtonOrThePage)
{
    Host host;
    TskScrollBar bar(&host.window);
    bar.SetUIStyle(TskUIStyle::Azure);
    // Page 10; a page below 10 counts as 10; LargeChange is the same page; a line
    // button below 18 counts as 18 and 0 hands the length back to the page.
    std::vector<int> lengths{ThumbLength(bar)};
    for (const auto& set : std::initializer_list<std::function<void()>>{
             [&] { bar.SetPageSize(5); }, [&] { bar.SetPageSize(40); }, [&] { bar.SetLargeChange(60); },
             [&] {
                 bar.SetLineButton(5);
                 EXPECT_EQ(bar.LineButton(), 18);
             }, [&] { bar.SetLineButton(30); }, [&] { bar.SetLineButton(0); }}) {
        set();
        lengths.push_back(ThumbLength(bar));
    }
    EXPECT_EQ(lengths, (std::vector<int>{10, 10, 40, 60, 18, 30, 60}));
    EXPECT_EQ(bar.TrackBar().Slider().width(), 16);  // as thick as the track
}

TEST(ScrollBarArrows, QuickClickStepsExactlyOnceReleaseOutsideNot)
{
    Host host;
    TskScrollBar bar(&host.window);
    QSignalSpy changes(&bar, &TskScrollBar::OnChange);
    Click(bar.IncrementButton());  // released long before the first repeat tick
    Click(bar.IncrementButton());
    EXPECT_EQ(bar.Position(), 2);
    Click(bar.DecrementButton());
    Click(bar.DecrementButton());
    Click(bar.DecrementButton());  // at Min: nothing to report
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_EQ(changes.count(), 4);
    Enter(bar.IncrementButton());
    Press(bar.IncrementButton());
    Release(bar.IncrementButton(), {-30, -30});  // released outside the arrow: no step
    EXPECT_EQ(bar.Position(), 0);
}

TEST(ScrollBarArrows, HeldArrowRepeatsBySmallChangeUpToMax)
{
    Host host;
    TskScrollBar bar(&host.window);
    bar.SetMax(7);
    bar.SetSmallChange(2);
    bar.IncrementButton().SetMouseContinuouslyDownInterval(1);
    QSignalSpy changes(&bar, &TskScrollBar::OnChange);
    Enter(bar.IncrementButton());
    Press(bar.IncrementButton());
    EXPECT_EQ(bar.Position(), 0);  // the steps come from the repeat, not the press
    // A bound for a stalled loop, not a pace.
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar.Position() == 7; }, 60000)) << bar.Position();
    QTest::qWait(20);  // more ticks at the end change nothing
    Release(bar.IncrementButton());  // no extra step for the release after ticks
    EXPECT_EQ((std::tuple{bar.Position(), changes.count()}), std::tuple(7, 4));  // 2, 4, 6, 7
}

TEST(ScrollBarTrack, PressBeyondTheThumbStepsByLargeChange)
{
    Host host;
    TskScrollBar bar(&host.window);
    bar.SetUIStyle(TskUIStyle::Azure);
    bar.SetLargeChange(10);
    QSignalSpy changes(&bar, &TskScrollBar::OnChange);
    TskScrollTrackBar& track = bar.TrackBar();
    std::vector<int> positions;
    for (QPoint at : {QPoint(5, track.height() - 2), QPoint(5, track.height() - 2), QPoint(5, 1)}) {
        Press(track, at);
        Release(track, at);
        positions.push_back(bar.Position());
    }
    EXPECT_EQ(positions, (std::vector<int>{10, 20, 10}));
    EXPECT_EQ(changes.count(), 3);
}

TEST(ScrollBarTrack, DraggingTheThumbScrolls)
{
    Host host;
    TskScrollBar bar(&host.window);
    bar.SetUIStyle(TskUIStyle::Azure);
    TskScrollTrackBar& track = bar.TrackBar();
    QSignalSpy changes(&bar, &TskScrollBar::OnChange);
    const QPoint grab = track.Slider().geometry().center();
    Press(track, grab);
    ASSERT_TRUE(track.Dragging());
    MoveHeld(track, {grab.x(), track.height() - 1});
    EXPECT_EQ((std::tuple{bar.Position(), track.Slider().y()}), std::tuple(100, track.height() - track.Slider().height()));
    MoveHeld(track, {grab.x(), grab.y() + 70});
    Release(track, {grab.x(), grab.y() + 70});
    EXPECT_TRUE(bar.Position() > 0 && bar.Position() < 100) << bar.Position();
    EXPECT_EQ(changes.count(), 2);
}

TEST(ScrollBarTrack, EmptyRangeKeepsTheThumbAtTheStart)
{
    // The program's bars start with Min = Max = 0 until a memo drives them.
    Host host;
    TskScrollBar bar(&host.window);
    bar.SetMax(0);
    Click(bar.IncrementButton());
    EXPECT_EQ((std::tuple{bar.Position(), bar.TrackBar().Slider().pos()}), std::tuple(0, QPoint(0, 0)));
    bar.SetSliderVisible(false);
    EXPECT_FALSE(bar.SliderVisible());
}
