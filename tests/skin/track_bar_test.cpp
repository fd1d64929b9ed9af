// Skinned track bar: clamping and change notification, the two geometry
// mappings, page stepping toward the pointer, and dragging the slider.

#include "skin/theme_pictures.h"
#include "skin/themes.h"
#include "skin/track_bar.h"
#include "skin_test_events.h"
#include "skin_test_pictures.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <array>
#include <climits>
#include <vector>

using namespace skin_test;

namespace {

// A shown window with a Custom-look bar 110 wide and a 10 x 20 slider, so
// that with Min 0 and Max 100 a slider left of x stands for Position x.
struct Fixture {
    QWidget window;
    TskTrackBar* bar;
    std::vector<int> reported;  // Position at each OnChange

    Fixture()
    {
        window.resize(300, 200);
        bar = new TskTrackBar(&window);
        bar->SetUIStyle(TskUIStyle::Custom);
        bar->SetBarImage(Solid(30, 6, Qt::darkGray));
        bar->SetSliderImage(Solid(10, 20, Qt::blue));
        bar->resize(110, bar->height());
        QObject::connect(bar, &TskTrackBar::OnChange, [this] { reported.push_back(bar->Position()); });
        window.show();
        bar->UpdateControl();
    }
};

}  // namespace

TEST(TrackBarPosition, ClampsAndReportsOnlyRealChangesAlsoToAHandlerThatMovesIt)
{
    Fixture f;
    f.bar->SetMax(360);
    f.bar->SetPosition(-5);
    EXPECT_EQ(f.bar->Position(), 0);
    EXPECT_TRUE(f.reported.empty());  // clamped to the value it already had
    f.bar->SetPosition(500);
    EXPECT_EQ(f.bar->Position(), 360);
    f.bar->SetPosition(500);
    f.bar->SetPosition(360);
    EXPECT_EQ(f.reported, std::vector<int>{360});

    QObject::connect(f.bar, &TskTrackBar::OnChange, [&] {
        if (f.bar->Position() == 30)
            f.bar->SetPosition(50);
    });
    f.bar->SetPosition(30);
    EXPECT_EQ(f.bar->Position(), 50);
    EXPECT_EQ(f.reported, (std::vector<int>{360, 30, 50}));
    f.bar->SetPosition(50);
    EXPECT_EQ(f.reported.size(), 3u);
}

TEST(TrackBarPosition, LockedPairSettles)
{
    // Size X and Size Y locked together: each bar's handler sets the other.
    QWidget window;
    TskTrackBar x(&window);
    TskTrackBar y(&window);
    x.SetMax(40);
    y.SetMax(20);  // a narrower partner forces a second round
    int xChanges = 0;
    int yChanges = 0;
    QObject::connect(&x, &TskTrackBar::OnChange, [&] {
        ++xChanges;
        ASSERT_LT(xChanges, 10) << "the pair does not settle";
        y.SetPosition(x.Position());
    });
    QObject::connect(&y, &TskTrackBar::OnChange, [&] {
        ++yChanges;
        ASSERT_LT(yChanges, 10) << "the pair does not settle";
        x.SetPosition(y.Position());
    });
    x.SetPosition(15);
    EXPECT_EQ((std::array{x.Position(), y.Position(), xChanges, yChanges}), (std::array{15, 15, 1, 1}));
    x.SetPosition(35);  // x reports 35, then 20 handed back by y
    EXPECT_EQ((std::array{x.Position(), y.Position(), xChanges, yChanges}), (std::array{20, 20, 3, 2}));
}

TEST(TrackBarPosition, RangeChangesBringThePositionIntoRange)
{
    Fixture f;
    f.bar->SetMin(2);  // a 2..200 bar set up from its default 0
    EXPECT_EQ(f.bar->Position(), 2);
    f.bar->SetMax(200);
    f.bar->SetPosition(150);
    f.bar->SetMax(40);
    EXPECT_EQ(f.bar->Position(), 40);
    EXPECT_EQ(f.reported, (std::vector<int>{2, 150, 40}));

    // The range never turns over: a maximum below the minimum takes it along.
    f.bar->SetMax(1);
    EXPECT_EQ((std::array{f.bar->Min(), f.bar->Max(), f.bar->Position()}), (std::array{1, 1, 1}));
    f.bar->SetMin(7);
    EXPECT_EQ((std::array{f.bar->Min(), f.bar->Max(), f.bar->Position()}), (std::array{7, 7, 7}));
}

TEST(TrackBarPosition, PageSizeOutsideZeroToHundredIsIgnored)
{
    Fixture f;
    f.bar->SetPageSize(1);
    f.bar->SetPageSize(150);
    f.bar->SetPageSize(-1);
    Press(*f.bar, {80, 5});  // page size 1 kept: one step
    Release(*f.bar, {80, 5});
    EXPECT_EQ(f.bar->Position(), 1);
    f.bar->SetPageSize(0);
    EXPECT_EQ(f.bar->PageSize(), 0);
}

TEST(TrackBarGeometry, PointerAndSliderMappingsHorizontalExtremeAndVertical)
{
    Fixture f;
    // The pointer maps unclamped.
    for (const auto& [x, expected] : {std::pair{55, 50}, {5, 0}, {105, 100}, {0, -5}, {300, 295}, {-20, -25}})
        EXPECT_EQ(f.bar->GetPositionFromFromSliderPos(x, 3), expected) << "x " << x;
    // A bar exactly as long as its slider maps every pointer position to 0.
    f.bar->resize(10, f.bar->height());
    EXPECT_EQ(f.bar->GetPositionFromFromSliderPos(7, 3), 0);
    f.bar->resize(110, f.bar->height());

    f.bar->SetPosition(37);
    EXPECT_EQ(f.bar->GetSliderPosFromPosition(), QPoint(37, 0));
    EXPECT_EQ(f.bar->Slider().pos(), QPoint(37, 0));
    f.bar->SetMax(200);  // same position, new scale: the slider moves all the same
    EXPECT_EQ(f.bar->Slider().pos(), QPoint(18, 0));
    f.bar->resize(210, f.bar->height());
    EXPECT_EQ(f.bar->Slider().pos(), QPoint(37, 0));
    f.bar->SetMin(5);
    f.bar->SetMax(5);
    EXPECT_EQ(f.bar->GetSliderPosFromPosition(), QPoint(0, 0));
    EXPECT_EQ(f.bar->GetPositionFromFromSliderPos(150, 0), 5);

    // Extreme ranges do not overflow.
    f.bar->resize(110, f.bar->height());
    f.bar->SetMin(INT_MIN);
    f.bar->SetMax(INT_MAX);
    for (const auto& [position, x] : {std::pair{INT_MAX, 100}, {INT_MIN, 0}}) {
        f.bar->SetPosition(position);
        EXPECT_EQ(f.bar->GetSliderPosFromPosition().x(), x);
    }
    EXPECT_EQ(f.bar->GetPositionFromFromSliderPos(105, 0), INT_MAX);

    // A vertical bar runs from Min at the top, as thick as its slider.
    f.bar->SetMin(0);
    f.bar->SetMax(100);
    f.bar->SetOrientation(TskProgressBarOrientation::skVertical);
    f.bar->SetSliderImage(Solid(20, 10, Qt::blue));
    f.bar->resize(f.bar->width(), 110);
    EXPECT_EQ(f.bar->width(), 20);
    f.bar->SetPosition(40);
    EXPECT_EQ(f.bar->Slider().pos(), QPoint(0, 40));
    EXPECT_EQ(f.bar->GetPositionFromFromSliderPos(0, 65), 60);
}

TEST(TrackBarMouse, PressOnTheBarStepsAPageTowardThePointerUntilReleasedOrLeft)
{
    Fixture f;
    f.bar->SetPageSize(10);
    Press(*f.bar, {95, 5});  // stands for 90
    EXPECT_EQ(f.bar->Position(), 10);  // the first step comes with the press
    EXPECT_TRUE(f.bar->Repeating());
    for (int i = 0; i < 12; ++i)
        f.bar->RepeatTick();
    EXPECT_EQ(f.bar->Position(), 90);
    Release(*f.bar, {95, 5});
    EXPECT_FALSE(f.bar->Repeating());
    EXPECT_EQ(f.reported, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90}));

    f.reported.clear();
    Press(*f.bar, {22, 5});  // left of the slider, stands for 17
    for (int i = 0; i < 8; ++i)
        f.bar->RepeatTick();
    // It settles with the slider's centre under the pointer.
    EXPECT_EQ(f.reported, (std::vector<int>{80, 70, 60, 50, 40, 30, 20, 17}));
    Release(*f.bar, {22, 5});

    // Leaving the bar while held, or disabling it, stops the repeat.
    Press(*f.bar, {95, 5});
    ASSERT_TRUE(f.bar->Repeating());
    MoveHeld(*f.bar, {60, 5});  // still inside: keeps stepping toward the new place
    EXPECT_TRUE(f.bar->Repeating());
    MoveHeld(*f.bar, {60, f.bar->height() + 3});
    EXPECT_FALSE(f.bar->Repeating());
    Release(*f.bar, {60, f.bar->height() + 3});
    Press(*f.bar, {95, 5});
    f.bar->setEnabled(false);
    EXPECT_FALSE(f.bar->Repeating());
}

TEST(TrackBarMouse, DragReportsEachNewValueOnceAndClampsTheSlider)
{
    Fixture f;
    Press(*f.bar, {5, 5});  // on the slider at Position 0
    EXPECT_TRUE(f.bar->Dragging());
    EXPECT_FALSE(f.bar->Repeating());
    MoveHeld(*f.bar, {30, 5});
    EXPECT_EQ((std::tuple{f.bar->Position(), f.bar->Slider().x()}), std::tuple(25, 25));
    MoveHeld(*f.bar, {30, 8});  // same value: nothing to report
    MoveHeld(*f.bar, {250, 8});
    EXPECT_EQ((std::tuple{f.bar->Position(), f.bar->Slider().x()}), std::tuple(100, 100));
    MoveHeld(*f.bar, {-40, 8});
    EXPECT_EQ(f.bar->Slider().x(), 0);
    MoveHeld(*f.bar, {47, 8});  // the last move before the release counts too
    Release(*f.bar, {47, 8});
    EXPECT_FALSE(f.bar->Dragging());
    EXPECT_EQ(f.reported, (std::vector<int>{25, 100, 0, 42}));
}

TEST(TrackBarMouse, DraggingOneOfALockedPairReportsEachValueOnce)
{
    Fixture f;
    TskTrackBar other(&f.window);
    int otherChanges = 0;
    QObject::connect(f.bar, &TskTrackBar::OnChange, [&] { other.SetPosition(f.bar->Position()); });
    QObject::connect(&other, &TskTrackBar::OnChange, [&] {
        ++otherChanges;
        f.bar->SetPosition(other.Position());
    });
    Press(*f.bar, {5, 5});
    MoveHeld(*f.bar, {25, 5});
    MoveHeld(*f.bar, {45, 5});
    Release(*f.bar, {45, 5});
    EXPECT_EQ(f.reported, (std::vector<int>{20, 40}));
    EXPECT_EQ(otherChanges, 2);
    EXPECT_EQ(other.Position(), 40);
}

TEST(TrackBarLook, BuiltInLookSetsColourPicturesAndHeightScrollTrackHidesItsSlider)
{
    QWidget window;
    TskTrackBar bar(&window);
    bar.SetUIStyle(TskUIStyle::Pearl);
    EXPECT_EQ(bar.Color(), GetThemeColor(TskUIStyle::Pearl, 79));
    EXPECT_EQ(bar.height(), 20);  // the slider is taller than the groove
    EXPECT_EQ(bar.Slider().size(), ThemeImage(GetThemeString(TskUIStyle::Pearl, 76)).size());

    bar.SetOrientation(TskProgressBarOrientation::skVertical);
    const QSize slider = ThemeImage(GetThemeString(TskUIStyle::Pearl, 78)).size();
    EXPECT_EQ(bar.Slider().size(), slider);
    EXPECT_EQ(bar.width(), slider.width());

    // A scroll track hides its slider: a press where it was steps instead of dragging.
    TskScrollTrackBar track(&window);
    window.show();
    EXPECT_TRUE(track.SliderVisible());
    track.SetSliderVisible(false);
    EXPECT_FALSE(track.SliderVisible());
    track.SetPageSize(10);
    track.SetPosition(50);
    const QPoint at = track.GetSliderPosFromPosition() + QPoint(1, 1);
    Press(track, at);
    EXPECT_FALSE(track.Dragging());
    Release(track, at);
}


// Keys step the bar once the keyboard is there; a scroll bar's track leaves
// the keyboard with the control that had it.
TEST(TrackBarKeys, StepsByArrowPageAndEndKeysScrollTrackTakesNoClickFocus)
{
    Fixture f;
    f.bar->SetPageSize(5);
    f.bar->SetPosition(50);
    f.reported.clear();
    for (Qt::Key k : {Qt::Key_Right, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_End, Qt::Key_Right, Qt::Key_Home, Qt::Key_Left})
        QTest::keyClick(f.bar, k);
    EXPECT_EQ(f.reported, (std::vector<int>{51, 50, 55, 100, 0})) << "nothing past either end";
    // Up is forward on a horizontal bar; a vertical bar (Min at the top) turns
    // the arrows round, the page keys not.
    f.bar->SetPosition(50);
    f.reported.clear();
    QTest::keyClick(f.bar, Qt::Key_Up);
    f.bar->SetOrientation(TskProgressBarOrientation::skVertical);
    for (Qt::Key k : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_PageUp})
        QTest::keyClick(f.bar, k);
    EXPECT_EQ(f.reported, (std::vector<int>{51, 52, 51, 50, 45, 50}));

    auto* other = new QWidget(&f.window);
    other->setFocusPolicy(Qt::StrongFocus);
    auto* track = new TskScrollTrackBar(&f.window);
    track->setGeometry(150, 0, 110, 20);
    track->show();
    other->show();
    f.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
    other->setFocus();
    QTest::mouseClick(track, Qt::LeftButton, {}, QPoint(100, 10));
    EXPECT_EQ(QApplication::focusWidget(), other);
}
