// The side channel: opening and closing width sequences, the pin and the
// pointer check, the open width and its floor, and requests that arrive
// while the channel moves.

#include "skin/side_channel.h"
#include "skin_test_events.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <memory>
#include <tuple>
#include <utility>

namespace {

using namespace skin_test;

struct Channel {
    std::unique_ptr<QWidget> form = std::make_unique<QWidget>();
    TskSideChannel* sc = nullptr;
    QPoint cursor{-1000, -1000};  // outside unless a test moves it
    std::vector<int> widths;
    std::function<void()> atFirstStep;  // runs once, while the channel moves

    Channel()
    {
        form->resize(400, 300);
        sc = new TskSideChannel(form.get());
        sc->SetCursorSource([this] { return cursor; });
        sc->SetOpenWidth(150);
        form->show();
        QObject::connect(sc, &TskSideChannel::OnResize, [this] {
            widths.push_back(sc->width());
            if (atFirstStep && sc->Moving())
                std::exchange(atFirstStep, {})();
        });
    }
    // Runs the animation to its end: false when it still moves at the bound, which
    // is for the event loop, not a pace.
    [[nodiscard]] bool Settle() { return QTest::qWaitFor([this] { return !sc->Moving(); }, 60000); }
};

}  // namespace

TEST(SideChannel, AnimatedOpeningAndClosingStepFifteenPixels)
{
    Channel c;
    EXPECT_EQ(c.sc->geometry(), QRect(0, 0, 10, 300));  // closed at the side bar's width
    EXPECT_FALSE(c.sc->IsOpen() || c.sc->Pin().isVisible());
    c.sc->SetCaption("Sections");
    c.sc->Pop(false);
    ASSERT_TRUE(c.Settle()) << "still moving";
    EXPECT_EQ(c.widths, (std::vector<int>{25, 40, 55, 70, 85, 100, 115, 130, 145, 150}));
    EXPECT_EQ(c.sc->TitleStrip().text(), "Sections");
    EXPECT_TRUE(c.sc->Pin().isVisible() && c.sc->CheckTimerActive());

    c.widths.clear();
    c.sc->Push(false);
    ASSERT_TRUE(c.Settle()) << "still moving";
    EXPECT_EQ(c.widths, (std::vector<int>{135, 120, 105, 90, 75, 60, 45, 30, 15, 10}));
    // The animation does not change the open width.
    EXPECT_EQ((std::tuple{c.sc->TitleStrip().text(), c.sc->CheckTimerActive(), c.sc->OpenWidth()}),
              std::tuple(QString(), false, 150));
}

TEST(SideChannel, PointerOnTheBarOpensInMouseOnModeOnly)
{
    Channel c;
    c.sc->SetQuickMove(true);
    c.sc->SetPopupMode(TskSideChannelPopupMode::skMouseClick);
    Enter(c.sc->SideBar());
    EXPECT_FALSE(c.sc->IsOpen());
    Press(c.sc->SideBar());
    Release(c.sc->SideBar());
    EXPECT_TRUE(c.sc->IsOpen());
    c.sc->Push(true);
    c.sc->SetPopupMode(TskSideChannelPopupMode::skMouseOn);
    Enter(c.sc->SideBar());
    EXPECT_EQ(c.sc->width(), 150);
}

TEST(SideChannel, PinAndStayOnKeepItOpenReleasedTheNextCheckCloses)
{
    Channel c;
    c.sc->SetQuickMove(true);
    c.sc->Pop(true);
    auto state = [&] { return std::tuple{c.sc->IsOpen(), c.sc->StayOn(), c.sc->Pin().isChecked(), c.sc->CheckTimerActive()}; };
    c.sc->Pin().click();  // down
    c.sc->CheckPointer();  // the pointer is far away
    EXPECT_EQ(state(), std::tuple(true, true, true, false));
    c.sc->Pin().click();  // up
    EXPECT_EQ(state(), std::tuple(true, false, false, true));
    c.cursor = c.sc->mapToGlobal(QPoint(20, 20));
    c.sc->CheckPointer();  // inside: stays
    EXPECT_TRUE(c.sc->IsOpen());
    c.cursor = c.sc->mapToGlobal(QPoint(150, 20));  // the right edge lies outside
    c.sc->CheckPointer();
    EXPECT_FALSE(c.sc->IsOpen());

    // Stay-on opens and presses the pin; turned off, it closes at once.
    c.sc->SetStayOn(true);
    EXPECT_EQ(state(), std::tuple(true, true, true, false));
    c.sc->SetStayOn(false);
    EXPECT_EQ(state(), std::tuple(false, false, false, false));
}

TEST(SideChannel, OperatorResizeSetsTheOpenWidthAboveTheFloor)
{
    Channel c;
    c.sc->Pop(true);
    EXPECT_FALSE(c.sc->RequestWidth(30));
    EXPECT_EQ(c.sc->width(), 150);
    EXPECT_TRUE(c.sc->RequestWidth(220));
    int asked = 0;
    c.sc->SetOnCanResize([&asked](int& w) {
        asked = w;
        return w < 300;
    });
    EXPECT_FALSE(c.sc->RequestWidth(320));
    EXPECT_EQ((std::tuple{asked, c.sc->width()}), std::tuple(320, 220));
    c.sc->Push(true);
    c.sc->Pop(true);
    EXPECT_EQ((std::tuple{c.sc->OpenWidth(), c.sc->width()}), std::tuple(220, 220));
    c.sc->resize(20, c.sc->height());  // a layout cannot squeeze it below the floor either
    EXPECT_EQ(c.sc->width(), TskSideChannel::kMinOpenWidth);
    c.sc->Push(true);  // closed, the floor is gone
    EXPECT_EQ(c.sc->width(), 10);
}

TEST(SideChannel, RequestsWhileMovingRunAfterwardsAndEndConsistent)
{
    Channel c;
    c.atFirstStep = [&c] { c.sc->SetStayOn(true); };  // arrives mid-opening
    auto state = [&] { return std::tuple{c.sc->IsOpen(), c.sc->StayOn(), c.sc->Pin().isChecked(), c.sc->CheckTimerActive()}; };
    c.sc->Pop(false);
    ASSERT_TRUE(c.Settle()) << "still moving";
    EXPECT_EQ(state(), std::tuple(true, true, true, false));

    c.sc->SetStayOn(false);
    c.atFirstStep = [&c] { c.sc->SetStayOn(false); };  // a closing queued behind the opening
    c.sc->Pop(false);
    ASSERT_TRUE(c.Settle()) << "still moving";
    EXPECT_FALSE(c.atFirstStep) << "the request came while the channel moved";
    EXPECT_FALSE(c.sc->Moving());
    EXPECT_EQ(state(), std::tuple(false, false, false, false));
    EXPECT_EQ(c.sc->width(), 10);
}

TEST(SideChannel, RightAlignedChannelKeepsToTheRightEdge)
{
    Channel c;
    c.sc->SetAlign(TskSideChannelAlign::skRight);
    EXPECT_EQ(c.sc->x() + c.sc->width(), 400);
    c.sc->Pop(true);
    EXPECT_EQ(c.sc->x(), 250);
    c.form->resize(500, 300);
    EXPECT_EQ(c.sc->x() + c.sc->width(), 500);
}
