// Radio and check groups: ItemIndex by click and by code, rebuilding the
// item buttons, the column layout and the group's own OnClick.

#include "skin/check_box.h"
#include "skin/check_group.h"
#include "skin/radio_button.h"
#include "skin/radio_group.h"
#include "skin_test_events.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPointer>
#include <QTest>

#include <tuple>

using namespace skin_test;

namespace {

// A group of `Items` set before `ItemIndex`, as the forms store them.
TskRadioGroup* PlayModeGroup(QWidget& parent)
{
    auto* group = new TskRadioGroup(&parent);
    group->setGeometry(10, 10, 185, 105);
    group->SetItems({"Drawing", "ILDA image", "Text"});
    group->SetItemIndex(0);
    group->show();
    return group;
}

}  // namespace

TEST(RadioGroup, ClickingAnItemChecksItAloneClicksOnceAndRebuiltItemsReuseTheButtons)
{
    Host host;
    TskRadioGroup* group = PlayModeGroup(host.window);
    TskRadioGroup* beside = PlayModeGroup(host.window);
    beside->move(200, 10);
    beside->SetItemIndex(1);
    EXPECT_TRUE(group->GetChecked(0));
    int clicks = 0;
    int indexSeenInClick = -2;
    QObject::connect(group, &TskCheckGroup::OnClick, [&] {
        ++clicks;
        indexSeenInClick = group->ItemIndex();
    });
    Click(*group->Button(2));
    // The item changed before the group reports it; a group beside keeps its own index.
    EXPECT_EQ(std::tuple(clicks, indexSeenInClick, group->GetChecked(0), beside->ItemIndex()),
              std::tuple(1, 2, false, 1));
    Click(*group->Button(2));  // a checked item stays checked
    EXPECT_EQ(std::tuple(group->ItemIndex(), clicks), std::tuple(2, 2));

    // From code: no click handler; indexes outside the items change nothing.
    group->SetItemIndex(1);
    EXPECT_FALSE(group->GetChecked(2));
    for (int outside : {3, -2})
        group->SetItemIndex(outside);
    group->SetChecked(5, true);
    group->SetChecked(-1, true);
    EXPECT_EQ(std::tuple(group->ItemIndex(), group->GetChecked(3)), std::tuple(1, false));
    group->SetItemIndex(-1);
    EXPECT_FALSE(group->GetChecked(0) || group->GetChecked(1) || group->GetChecked(2));
    EXPECT_EQ(clicks, 2);

    // Fewer lines free buttons from the end; new ones take the group's look and kind.
    group->SetItemIndex(0);
    QPointer<TskCheckBox> kept = group->Button(0);
    QPointer<TskCheckBox> surplus = group->Button(2);
    group->SetItems({"Track1", "Track2"});
    ASSERT_EQ(group->ButtonCount(), 2);
    // Remaining buttons are reused and keep their state.
    EXPECT_EQ(group->Button(0), kept.data());
    EXPECT_EQ(std::tuple(group->Button(0)->Caption(), group->Button(1)->Caption(), group->GetChecked(0)),
              std::tuple(QString("Track1"), QString("Track2"), true));
    ASSERT_TRUE(surplus);
    EXPECT_NE(surplus->parentWidget(), group) << "the surplus button has left the group at once";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(surplus);

    // The items may be replaced from the group's own click.
    QObject::connect(group, &TskCheckGroup::OnClick, [group] { group->SetItems({"only"}); });
    Click(*group->Button(1));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(std::tuple(group->ButtonCount(), group->Button(0)->Caption()), std::tuple(1, QString("only")));

    // New buttons take the group's look and kind.
    group->SetUIStyle(TskUIStyle::Crystal);
    group->SetItems({"a", "b", "c", "d"});
    ASSERT_EQ(group->ButtonCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(dynamic_cast<TskRadioButton*>(group->Button(i)) &&
                    group->Button(i)->UIStyle() == TskUIStyle::Crystal && group->Button(i)->isVisible())
            << i;
    auto* checks = new TskCheckGroup(&host.window);
    checks->SetItems({"x"});
    EXPECT_EQ(dynamic_cast<TskRadioButton*>(checks->Button(0)), nullptr);
}

// --- Layout --------------------------------------------------------------------------------

namespace {

// Sizes the group so that the client area below the top margin is `height` high.
void SetHeightBelowMargin(TskCheckGroup& group, int height)
{
    const int chrome = group.height() - group.GetClient().height();
    group.resize(group.width(), height + group.TopMargin() + chrome);
}

}  // namespace

TEST(GroupLayout, TwoColumnsFillTheFirstColumnFirst)
{
    Host host;
    auto* group = new TskRadioGroup(&host.window);
    group->show();  // a hidden widget gets its resize events only when shown
    group->resize(210, 105);
    group->SetItems({"a", "b", "c"});
    group->SetColumns(2);
    SetHeightBelowMargin(*group, 60);
    const int top = group->GetClient().top() + group->TopMargin();
    EXPECT_EQ(std::vector({group->Button(0)->pos(), group->Button(1)->pos(), group->Button(2)->pos()}),
              std::vector({QPoint(8, top), QPoint(8, top + 30), QPoint((210 - 10) / 2 + 8, top)}));
    group->resize(310, group->height());  // a resize places them again
    EXPECT_EQ(group->Button(2)->x(), (310 - 10) / 2 + 8);

    // One column: 65 / 3 = 21 per row, 2 pixels left over: one above.
    group->SetColumns(0);
    SetHeightBelowMargin(*group, 65);
    EXPECT_EQ(std::tuple(group->Button(2)->x(), group->Button(0)->y(), group->Button(2)->y()),
              std::tuple(8, top + 1, top + 1 + 42));
    group->SetColumns(-1);
    group->SetTopMargin(-3);
    EXPECT_EQ(std::tuple(group->Columns(), group->TopMargin()), std::tuple(0, 8));
}

// --- Check group ---------------------------------------------------------------------------

TEST(CheckGroup, ItemClickTogglesItsBoxFrameClickAlsoReportsAndTheLookReachesTheButtons)
{
    Host host;
    auto* group = new TskCheckGroup(&host.window);
    group->show();  // a hidden widget gets its resize events only when shown
    group->setGeometry(10, 10, 185, 105);
    group->SetItems({"Loop", "Mute"});
    int clicks = 0;
    QObject::connect(group, &TskCheckGroup::OnClick, [&] { ++clicks; });
    Click(*group->Button(1));
    EXPECT_EQ(std::tuple(group->GetChecked(0), group->GetChecked(1)), std::tuple(false, true));
    Click(*group->Button(1));
    EXPECT_EQ(std::tuple(group->GetChecked(1), clicks), std::tuple(false, 2));
    const QPoint frame(group->width() - 4, group->height() - 4);
    Press(*group, frame);
    Release(*group, frame);
    EXPECT_EQ(clicks, 3);
    group->SetChecked(0, true);  // setting from code is no click
    EXPECT_EQ(std::tuple(group->GetChecked(0), clicks), std::tuple(true, 3));

    // The look keeps the parent's colour (ParentColor) and reaches the buttons.
    const TColor before = group->Color();
    group->SetUIStyle(TskUIStyle::Azure);
    EXPECT_EQ(std::tuple(group->Color(), group->Button(0)->UIStyle()), std::tuple(before, TskUIStyle::Azure));
    group->SetParentColor(false);
    group->SetUIStyle(TskUIStyle::Crystal);
    EXPECT_EQ(std::tuple(group->Color(), group->Button(0)->Color()),
              std::tuple(GetThemeColor(TskUIStyle::Crystal, 9), GetThemeColor(TskUIStyle::Crystal, 9)));
}

TEST(GroupLayout, TallButtonsOfALowGroupLeaveTheBottomLineWhole)
{
    for (TskUIStyle style : {TskUIStyle::Pearl, TskUIStyle::Navy}) {
        Host host;
        auto* group = new TskRadioGroup(&host.window);
        group->SetUIStyle(style);
        group->SetBorderColor(RGBColor(200, 0, 0));
        group->SetItems({"Track1", "Track2", "Track3"});
        group->show();
        group->resize(236, 62);  // the Sequence window's "Edit track" group
        const QWidget* last = group->Button(2);
        EXPECT_LE(last->geometry().bottom(), group->height() - 2) << int(style);
        const QImage shot = group->grab().toImage();
        for (int x = last->x(); x < last->x() + 30; ++x)
            ASSERT_EQ(shot.pixel(x, group->height() - 1), qRgb(200, 0, 0)) << int(style) << " x " << x;
    }
}
