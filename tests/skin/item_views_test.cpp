// The skinned list, tree and check-list views: their frame pixels, the
// check list's pinned border, and the border colour taken from the form; a
// form's look reaching the new controls; a button bound to an action.

#include "skin/action_link.h"
#include "skin/button.h"
#include "skin/pickers/color_box.h"
#include "skin/item_views.h"
#include "skin/side_channel.h"
#include "skin/skin_form.h"
#include "skin/tab_control.h"
#include "skin_test_events.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>

#include <memory>
#include <tuple>

namespace {

QRgb Pixel(QWidget& w, int x, int y) { return w.grab().toImage().pixel(x, y); }

template <typename View>
void ExpectFrame(View& view)
{
    view.resize(120, 80);
    view.SetBorderColor(RGBColor(200, 0, 0));
    view.SetColor(RGBColor(0, 0, 200));
    view.show();
    const QImage before = view.grab().toImage();
    view.SetBorderColor(RGBColor(0, 150, 0));
    const QImage after = view.grab().toImage();
    EXPECT_EQ(std::vector({before.pixel(0, 0), before.pixel(119, 79), before.pixel(1, 1), before.pixel(118, 40),
                           after.pixel(0, 0), after.pixel(60, 79)}),
              std::vector({qRgb(200, 0, 0), qRgb(200, 0, 0), qRgb(0, 0, 200), qRgb(0, 0, 200), qRgb(0, 150, 0),
                           qRgb(0, 150, 0)}));
}

}  // namespace

TEST(ItemViews, FrameIsBorderColourOutsideAndControlColourInsideAndTheCheckListsBorderIsPinned)
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
    EXPECT_TRUE(checks.Checked(0) && !checks.Checked(1) && !checks.Checked(7));
    ExpectFrame(checks);

    // The check list's border is pinned.
    const QFrame::Shape shape = checks.frameShape();
    checks.SetBorderWidth(5);
    checks.SetBorderStyle(TBorderStyle::bsNone);
    EXPECT_EQ(std::tuple(checks.BorderWidth(), checks.frameWidth(), checks.BorderStyle(), checks.frameShape()),
              std::tuple(1, 1, TBorderStyle::bsSingle, shape));
}

TEST(ItemViews, BorderColourComesFromTheFormsFrameAndAFormsLookReachesTheNewControls)
{
    QWidget host;
    auto* frame = new TskForm(&host, TFormBorderStyle::bsDialog);
    frame->SetUIStyle(TskUIStyle::Azure);
    TskTreeView tree(&host);
    TskCheckListBox framedChecks(frame);
    TskListView orphan;
    EXPECT_EQ(std::tuple(tree.BorderColor(), framedChecks.BorderColor(), orphan.BorderColor()),
              std::tuple(GetThemeColor(TskUIStyle::Azure, 8), GetThemeColor(TskUIStyle::Azure, 8), clBlack));

    // The container sweep.
    QWidget container;
    auto* list = new TskListView(&container);
    auto* checks = new TskCheckListBox(&container);
    auto* side = new TskSideChannel(&container);
    auto* colours = new TskColorBox(&container);
    auto* pages = new TskPageControl(&container);
    auto* tabs = new TskTabControl(&container);
    const TColor border = GetThemeColor(TskUIStyle::Ivory, 8), face = GetThemeColor(TskUIStyle::Ivory, 9);
    ContainerApplyUIStyle(&container, TskUIStyle::Ivory);
    EXPECT_EQ(std::vector({list->BorderColor(), checks->BorderColor(), side->Color(), side->SideBarColor()}),
              std::vector({border, border, face, face}));
    EXPECT_EQ(std::vector({colours->UIStyle(), pages->UIStyle(), tabs->UIStyle()}), std::vector(3, TskUIStyle::Ivory));
    // Custom writes no colours: the controls keep theirs.
    ContainerApplyUIStyle(&container, TskUIStyle::Custom);
    EXPECT_EQ(std::tuple(list->BorderColor(), pages->UIStyle()), std::tuple(border, TskUIStyle::Ivory));

    // One level down: a tab control's and a sheet's own children, not a page control's.
    auto* inner = new TskListView(tabs);
    TskTabSheet* sheet = pages->NewPage();
    auto* onSheet = new TskListView(sheet);
    SubContainerApplyUIStyle(&container, TskUIStyle::Azure);
    EXPECT_EQ(inner->BorderColor(), GetThemeColor(TskUIStyle::Azure, 8));
    EXPECT_NE(onSheet->BorderColor(), GetThemeColor(TskUIStyle::Azure, 8));
    SubContainerApplyUIStyle(pages, TskUIStyle::Azure);
    EXPECT_EQ(onSheet->BorderColor(), GetThemeColor(TskUIStyle::Azure, 8));
}

TEST(ActionLink, ButtonFollowsItsActionAndClickTriggersIt)
{
    QAction action("&Play");
    TskButton button;
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(QColor(200, 0, 0));
    action.setIcon(QIcon(QPixmap::fromImage(red)));
    new TskActionLink(button, action);
    EXPECT_EQ(std::tuple(button.Caption(), button.Glyph().isNull()), std::tuple(QString("&Play"), false));
    QSignalSpy triggered(&action, &QAction::triggered);
    skin_test::Click(button);
    EXPECT_EQ(triggered.count(), 1);
    action.setText("&Stop");
    action.setEnabled(false);
    skin_test::Click(button);
    EXPECT_EQ(std::tuple(button.Caption(), button.isEnabled(), triggered.count()), std::tuple(QString("&Stop"), false, 1));
    // A glyph of the button's own stays.
    TskButton own;
    QImage blue(16, 16, QImage::Format_RGB32);
    blue.fill(QColor(0, 0, 200));
    own.SetGlyph(blue);
    new TskActionLink(own, action);
    EXPECT_EQ(own.Glyph().pixel(8, 8), qRgb(0, 0, 200));
}

TEST(ItemViews, ScrollBarsSitInsideTheFrameAndShowOnlyWhenNeeded)
{
    TskListView list;
    list.resize(200, 120);
    list.SetBorderWidth(3);
    list.setHeaderLabels({"Name", "Size"});
    list.header()->resizeSection(0, 60);
    list.header()->setStretchLastSection(false);
    list.header()->resizeSection(1, 40);
    for (int i = 0; i < 3; ++i)
        new QTreeWidgetItem(&list, QStringList{QString("show%1.ddr").arg(i), "12"});
    list.show();
    QApplication::processEvents();
    EXPECT_FALSE(list.horizontalScrollBar()->isVisible() || list.verticalScrollBar()->isVisible());  // they fit

    for (int i = 3; i < 60; ++i)
        new QTreeWidgetItem(&list, QStringList{QString("show%1.ddr").arg(i), "12"});
    list.header()->resizeSection(1, 400);
    QApplication::processEvents();
    const QRect inside = list.rect().adjusted(3, 3, -3, -3);
    for (QScrollBar* bar : {list.horizontalScrollBar(), list.verticalScrollBar()}) {
        ASSERT_TRUE(bar->isVisible());
        const QRect placed(bar->parentWidget()->mapTo(&list, bar->geometry().topLeft()), bar->size());
        EXPECT_TRUE(inside.contains(placed)) << placed.x() << "," << placed.y();
    }
    EXPECT_TRUE(inside.contains(list.viewport()->geometry()) && inside.contains(list.header()->geometry()));
    // The frame's pixels stay whole along the scroll bars.
    list.SetBorderColor(RGBColor(200, 0, 0));
    EXPECT_EQ(std::tuple(Pixel(list, 100, 119), Pixel(list, 199, 60)), std::tuple(qRgb(200, 0, 0), qRgb(200, 0, 0)));

    TskCheckListBox checks;
    checks.resize(120, 60);
    for (int i = 0; i < 20; ++i)
        checks.AddItem(QString("Item %1").arg(i));
    checks.show();
    QApplication::processEvents();
    ASSERT_TRUE(checks.verticalScrollBar()->isVisible());
    const QScrollBar* bar = checks.verticalScrollBar();
    const QRect placed(bar->parentWidget()->mapTo(&checks, bar->geometry().topLeft()), bar->size());
    EXPECT_TRUE(checks.rect().adjusted(1, 1, -1, -1).contains(placed));
}
