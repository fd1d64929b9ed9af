// Skinned scroll bar: placement of its parts, the thumb length, arrow steps
// (held and quick), page presses on the track and dragging the thumb.

#include "skin/scroll_bar.h"
#include "skin/theme_pictures.h"
#include "skin/themes.h"
#include "skin_test_events.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

using namespace skin_test;

namespace {

// The length of the thumb along the bar.
int ThumbLength(TskScrollBar& bar)
{
    const QSize s = bar.TrackBar().Slider().size();
    return bar.Orientation() == TskProgressBarOrientation::skVertical ? s.height() : s.width();
}

}  // namespace

// --- Parts ----------------------------------------------------------------------

TEST(ScrollBarLayout, ArrowsAroundTheTrackUprightOrOnItsSide)
{
    Host host;
    TskScrollBar bar(&host.window);
    bar.SetUIStyle(TskUIStyle::Azure);
    bar.resize(bar.width(), 185);
    bar.PlaceTrackBarAndButton();
    ASSERT_EQ(bar.DecrementButton().size(), QSize(16, 17));
    EXPECT_EQ(bar.DecrementButton().pos(), QPoint(0, 0));
    EXPECT_EQ(bar.TrackBar().geometry(), QRect(0, 17, 16, 150));
    EXPECT_EQ(bar.IncrementButton().pos(), QPoint(0, 168));
    EXPECT_EQ(bar.width(), 16);
    EXPECT_EQ(bar.Color(), GetThemeColor(TskUIStyle::Azure, 84));
    EXPECT_EQ(bar.TrackBar().Color(), bar.Color());

    bar.SetOrientation(TskProgressBarOrientation::skHorizontal);
    EXPECT_EQ(bar.width(), 185);  // the long side stays the length
    EXPECT_EQ(bar.DecrementButton().size(), QSize(17, 16));
    EXPECT_EQ(bar.height(), 16);
    EXPECT_EQ(bar.TrackBar().geometry(), QRect(17, 0, 185 - 34, 16));
    EXPECT_EQ(bar.IncrementButton().pos(), QPoint(185 - 17, 0));
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
    EXPECT_EQ(ThumbLength(bar), 10);  // page 10
    bar.SetPageSize(5);
    EXPECT_EQ(ThumbLength(bar), 10);  // below 10 counts as 10
    bar.SetPageSize(40);
    EXPECT_EQ(ThumbLength(bar), 40);
    bar.SetLargeChange(60);  // the same page: the thumb follows it as well
    EXPECT_EQ(ThumbLength(bar), 60);

    bar.SetLineButton(5);
    EXPECT_EQ(ThumbLength(bar), 18);
    EXPECT_EQ(bar.LineButton(), 18);
    bar.SetLineButton(30);
    EXPECT_EQ(ThumbLength(bar), 30);
    bar.SetLineButton(0);
    EXPECT_EQ(ThumbLength(bar), 60);
    EXPECT_EQ(bar.TrackBar().Slider().width(), 16);  // as thick as the track
}

// --- Arrows -----------------------------------------------------------------------

TEST(ScrollBarArrows, QuickClickStepsExactlyOnceReleaseOutsideNot)
{
    Host host;
    TskScrollBar bar(&host.window);
    QSignalSpy changes(&bar, &TskScrollBar::OnChange);
    Click(bar.IncrementButton());  // released long before the first repeat tick
    EXPECT_EQ(bar.Position(), 1);
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
    QTRY_COMPARE_WITH_TIMEOUT(bar.Position(), 7, 60000);  // a bound for a stalled loop, not a pace
    QTest::qWait(20);  // more ticks at the end change nothing
    Release(bar.IncrementButton());
    EXPECT_EQ(bar.Position(), 7);  // no extra step for the release after ticks
    EXPECT_EQ(changes.count(), 4);  // 2, 4, 6, 7
}

// --- Track ----------------------------------------------------------------------------

TEST(ScrollBarTrack, PressBeyondTheThumbStepsByLargeChange)
{
    Host host;
    TskScrollBar bar(&host.window);
    bar.SetUIStyle(TskUIStyle::Azure);
    bar.SetLargeChange(10);
    QSignalSpy changes(&bar, &TskScrollBar::OnChange);
    TskScrollTrackBar& track = bar.TrackBar();
    const QPoint below(5, track.height() - 2);
    Press(track, below);
    Release(track, below);
    EXPECT_EQ(bar.Position(), 10);
    Press(track, below);
    Release(track, below);
    EXPECT_EQ(bar.Position(), 20);
    const QPoint above(5, 1);
    Press(track, above);
    Release(track, above);
    EXPECT_EQ(bar.Position(), 10);
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
    EXPECT_EQ(bar.Position(), 100);
    EXPECT_EQ(track.Slider().y(), track.height() - track.Slider().height());
    MoveHeld(track, {grab.x(), grab.y() + 70});
    Release(track, {grab.x(), grab.y() + 70});
    EXPECT_GT(bar.Position(), 0);
    EXPECT_LT(bar.Position(), 100);
    EXPECT_EQ(changes.count(), 2);
}

TEST(ScrollBarTrack, EmptyRangeKeepsTheThumbAtTheStart)
{
    // The program's bars start with Min = Max = 0 until a memo drives them.
    Host host;
    TskScrollBar bar(&host.window);
    bar.SetMax(0);
    Click(bar.IncrementButton());
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_EQ(bar.TrackBar().Slider().pos(), QPoint(0, 0));
}
