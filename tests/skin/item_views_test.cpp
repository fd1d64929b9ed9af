// The skinned list, tree and check-list views: their frame pixels, the
// check list's pinned border, and the border colour taken from the form.

#include "skin/item_views.h"
#include "skin/skin_form.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

QRgb Pixel(QWidget& w, int x, int y) { return w.grab().toImage().pixel(x, y); }

template <typename View>
void ExpectFrame(View& view)
{
    view.resize(120, 80);
    view.SetBorderColor(RGBColor(200, 0, 0));
    view.SetColor(RGBColor(0, 0, 200));
    view.show();
    EXPECT_EQ(Pixel(view, 0, 0), qRgb(200, 0, 0));
    EXPECT_EQ(Pixel(view, 119, 79), qRgb(200, 0, 0));
    EXPECT_EQ(Pixel(view, 1, 1), qRgb(0, 0, 200));
    EXPECT_EQ(Pixel(view, 118, 40), qRgb(0, 0, 200));
    view.SetBorderColor(RGBColor(0, 150, 0));
    EXPECT_EQ(Pixel(view, 0, 0), qRgb(0, 150, 0));
    EXPECT_EQ(Pixel(view, 60, 79), qRgb(0, 150, 0));
}

}  // namespace

TEST(ItemViews, FrameIsBorderColourOutsideAndControlColourInside)
{
    TskListView list;
    list.setHeaderLabels({"Name", "Size"});
    new QTreeWidgetItem(&list, QStringList{"star.ddr", "12"});
    ExpectFrame(list);
    TskTreeView tree;
    auto* root = new QTreeWidgetItem(&tree, QStringList{"Shows"});
    new QTreeWidgetItem(root, QStringList{"Opening"});
    tree.expandAll();
    ExpectFrame(tree);
    TskCheckListBox checks;
    checks.AddItem("Loop", true);
    checks.AddItem("Mute");
    ExpectFrame(checks);
}

TEST(ItemViews, CheckListBorderIsPinned)
{
    TskCheckListBox checks;
    checks.SetBorderWidth(5);
    EXPECT_EQ(checks.BorderWidth(), 1);
    checks.SetBorderStyle(TBorderStyle::bsNone);
    EXPECT_EQ(checks.BorderStyle(), TBorderStyle::bsSingle);
    EXPECT_EQ(checks.frameShape(), QFrame::NoFrame);
    checks.SetBorderStyle(TBorderStyle::bsSingle);
    EXPECT_EQ(checks.frameShape(), QFrame::NoFrame);

    TskListView list;
    EXPECT_EQ(list.BorderWidth(), 2);
    list.SetBorderWidth(4);
    EXPECT_EQ(list.BorderWidth(), 4);
}

TEST(ItemViews, CheckListItemsAreCheckable)
{
    TskCheckListBox checks;
    checks.AddItem("Loop", true);
    checks.AddItem("Mute");
    EXPECT_TRUE(checks.Checked(0));
    EXPECT_FALSE(checks.Checked(1));
    checks.SetChecked(1, true);
    EXPECT_TRUE(checks.Checked(1));
    EXPECT_FALSE(checks.Checked(7));
}

TEST(ItemViews, InitialBorderColourComesFromTheFormsFrame)
{
    QWidget host;
    auto* frame = new TskForm(&host, TFormBorderStyle::bsDialog);
    frame->SetUIStyle(TskUIStyle::Azure);
    TskTreeView tree(&host);
    TskCheckListBox checks(frame);
    EXPECT_EQ(tree.BorderColor(), GetThemeColor(TskUIStyle::Azure, 8));
    EXPECT_EQ(checks.BorderColor(), GetThemeColor(TskUIStyle::Azure, 8));
    TskListView orphan;
    EXPECT_EQ(orphan.BorderColor(), clBlack);
}
