// Skinned popup menus: the look against stored values, measuring, every part
// of an item's drawing, and a real menu popped up and chosen from.

#include "skin/menus/popup_menu.h"
#include "skin/theme_pictures.h"
#include "skin/themes.h"
#include "skin_test_pictures.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QListWidget>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <tuple>
#include <vector>

using skin_test::PixelsAt;

namespace {

constexpr QRgb kBlank = 0xFF123456;

// One item drawn into a fresh picture of the item's size.
QImage Draw(const TskPopupMenu& menu, const MenuItemView& item, QSize size, bool selected)
{
    QImage img(size, QImage::Format_ARGB32);
    img.fill(kBlank);
    QPainter p(&img);
    menu.DrawItem(p, item, QRect(QPoint(0, 0), size), selected);
    return img;
}

MenuItemView Item(const QString& caption)
{
    MenuItemView v;
    v.caption = caption;
    return v;
}

QIcon SolidIcon(const QColor& c)
{
    QPixmap pm(16, 16);
    pm.fill(c);
    return QIcon(pm);
}

// The program's Navy menus.
void MakeNavyAsTheWindowsDo(TskPopupMenu& menu)
{
    menu.SetUIStyle(TskUIStyle::Navy);
    menu.SetMenuItemHeight(36);
    menu.SetBarWidth(36);
    menu.SetSelectedColor(RGBColor(68, 74, 160));
    menu.SetBarColor(RGBColor(166, 202, 240));
    menu.SetColor(RGBColor(231, 231, 231));
    menu.SetFontColor(clBlack);
    menu.SetSelectedFontColor(clWhite);
}

}  // namespace

TEST(PopupLook, StoredValuesAfterTheStyleWinExceptPearlHeights)
{
    TskPopupMenu menu;
    EXPECT_EQ((std::tuple{menu.UIStyle(), menu.OwnerDraw()}), std::tuple(TskUIStyle::Navy, true));  // no skinned frame
    menu.SetUIStyle(TskUIStyle::Crystal);
    EXPECT_EQ((std::tuple{menu.MenuItemHeight(), menu.SelectedColor(), menu.BarWidth()}),
              std::tuple(GetThemeInt(TskUIStyle::Crystal, 20), RGBColor(94, 94, 236), GetThemeInt(TskUIStyle::Crystal, 22)));
    menu.SetMenuItemHeight(32);
    EXPECT_EQ(menu.MeasureItem(Item("Edit")).height(), 32);

    TskPopupMenu pearl;
    pearl.SetUIStyle(TskUIStyle::Pearl);
    pearl.SetMenuItemHeight(30);
    pearl.SetSeparatorHeight(30);
    MenuItemView separator;
    separator.separator = true;
    EXPECT_EQ((std::tuple{pearl.MenuItemHeight(), pearl.SeparatorHeight(), pearl.MeasureItem(separator).height(),
                          pearl.MeasureItem(Item("-")).height()}),
              std::tuple(20, 12, 12, 12));

    // Custom keeps whatever the properties hold.
    menu.SetUIStyle(TskUIStyle::Custom);
    EXPECT_EQ((std::tuple{menu.MenuItemHeight(), menu.SelectedColor()}), std::tuple(32, RGBColor(94, 94, 236)));

    // The width adds the shortcut, the bar and forty.
    menu.SetBarWidth(40);
    const QFontMetrics fm(menu.ItemFont());
    MenuItemView item = Item("&Save");
    item.shortcut = "Ctrl+S";
    EXPECT_EQ(menu.MeasureItem(item).width(), fm.horizontalAdvance("Save") + fm.horizontalAdvance("Ctrl+S") + 40 + 40);
}

TEST(PopupDraw, NavySeparatorBarAndLine)
{
    TskPopupMenu menu;
    MakeNavyAsTheWindowsDo(menu);
    const QImage img = Draw(menu, Item("-"), {120, 5}, false);
    const QColor bar(166, 202, 240);
    const QColor line = ToQColor(menu.SeparatorColor());
    const QColor back(231, 231, 231);
    EXPECT_EQ(PixelsAt(img, {{0, 0}, {35, 4}, {36, 0}, {39, 2}, {40, 2}, {117, 2}, {118, 2}, {60, 1}, {60, 3}}),
              (std::vector<QColor>{bar, bar, back, back, line, line, back, back, back}));
}

TEST(PopupDraw, SelectionShowsOnlyOnEnabledItems)
{
    TskPopupMenu menu;
    MakeNavyAsTheWindowsDo(menu);
    menu.SetSelectedBorderColor(RGBColor(255, 0, 0));
    const QColor red(255, 0, 0), fill(68, 74, 160);
    EXPECT_EQ(PixelsAt(Draw(menu, Item("refresh"), {120, 36}, true), {{0, 0}, {119, 35}, {2, 30}, {100, 30}}),
              (std::vector<QColor>{red, red, fill, fill}));

    MenuItemView disabled = Item("refresh");
    disabled.enabled = false;
    const QImage greyed = Draw(menu, disabled, {120, 36}, true);
    EXPECT_EQ(PixelsAt(greyed, {{2, 30}, {100, 30}}), (std::vector<QColor>{QColor(166, 202, 240), QColor(231, 231, 231)}));
    // Its text is grey, never the selected white nor the black of enabled items.
    const QImage text = greyed.copy(40, 4, 60, 26);
    EXPECT_GT(skin_test::CountPixels(text, [](QColor c) { return c == QColor(128, 128, 128); }), 0);
    EXPECT_EQ(skin_test::CountPixels(text, [](QColor c) { return c == Qt::white || c == Qt::black; }), 0);
}

TEST(PopupDraw, CheckedItemWithPictureGetsABoxWithoutOneTheMark)
{
    TskPopupMenu menu;
    MakeNavyAsTheWindowsDo(menu);
    MenuItemView withPicture = Item("Loop");
    withPicture.checked = true;
    withPicture.picture = SolidIcon(QColor(0, 255, 0));
    const QColor black(0, 0, 0), fill(68, 74, 160), green(0, 255, 0);
    EXPECT_EQ(PixelsAt(Draw(menu, withPicture, {120, 36}, false), {{2, 1}, {20, 19}, {3, 10}, {10, 2}, {4, 3}, {19, 18}, {21, 10}}),
              (std::vector<QColor>{black, black, fill, fill, green, green, QColor(166, 202, 240)}));

    MenuItemView plain = Item("Loop");
    plain.checked = true;
    const QImage marked = Draw(menu, plain, {120, 36}, false);
    const QImage& mark = MenuCheckMark();
    ASSERT_FALSE(mark.isNull());
    int ink = 0;
    int shown = 0;
    for (int y = 0; y < mark.height(); ++y)
        for (int x = 0; x < mark.width(); ++x) {
            const QColor at = marked.pixelColor(4 + x, 3 + y);
            if (qAlpha(mark.pixel(x, y)) == 0) {
                EXPECT_EQ(at, QColor(166, 202, 240)) << x << "," << y;  // white stays see-through
            } else {
                ++ink;
                shown += at == QColor(mark.pixel(x, y)) ? 1 : 0;
            }
        }
    EXPECT_GT(ink, 0);
    EXPECT_EQ(shown, ink);
    // An unchecked item shows neither.
    EXPECT_EQ(Draw(menu, Item("Loop"), {120, 36}, false).pixelColor(2, 1), QColor(166, 202, 240));
}

TEST(PopupDraw, PearlDrawsFromPictures)
{
    TskPopupMenu menu;
    menu.SetUIStyle(TskUIStyle::Pearl);
    menu.SetSelectedColor(RGBColor(1, 2, 3));
    const QImage select = ThemeImage("PEARL_MENU_SELECT");
    const QImage bar = ThemeImage("PEARL_MENU_BAR");
    ASSERT_FALSE(select.isNull() || bar.isNull());
    EXPECT_EQ(Draw(menu, Item(""), {60, 20}, true).pixelColor(30, 0), select.pixelColor(0, 0));
    const QImage normal = Draw(menu, Item(""), {60, 20}, false);
    EXPECT_EQ(PixelsAt(normal, {{30, 0}, {30, 19}}), (std::vector<QColor>{bar.pixelColor(0, 0), bar.pixelColor(0, 19)}));

    // The separator stands out from the items around it.
    MenuItemView line = Item("");
    line.separator = true;
    const QImage separator = Draw(menu, line, {60, 12}, false);
    int darkest = 255;
    for (int y = 0; y < 12; ++y)
        darkest = std::min(darkest, qGray(separator.pixel(30, y)));
    EXPECT_LT(darkest, qGray(normal.pixel(30, 6)) - 40);
}

TEST(PopupDraw, FlatFrame)
{
    QImage img(50, 40, QImage::Format_ARGB32);
    img.fill(kBlank);
    QPainter p(&img);
    Menu_DrawWindowBorder(p, QRect(0, 0, 50, 40), RGBColor(255, 0, 0), RGBColor(0, 0, 255));
    p.end();
    const QColor red(255, 0, 0), blue(0, 0, 255), blank(kBlank);
    EXPECT_EQ(PixelsAt(img, {{0, 1}, {0, 38}, {1, 2}, {49, 20}, {49, 0}, {20, 0}, {20, 39}, {0, 0}, {10, 10}}),
              (std::vector<QColor>{red, red, Qt::white, blue, blue, blue, blue, blank, blank}));
}

TEST(PopupMenu, ItemsAreMeasuredDrawnAndChosen)
{
    QWidget window;
    window.resize(200, 200);
    window.show();
    TskPopupMenu menu(&window);
    menu.SetUIStyle(TskUIStyle::Crystal);
    menu.SetMenuItemHeight(32);
    menu.SetBarWidth(40);
    QAction* edit = menu.addAction("Edit");
    edit->setShortcut(QKeySequence("Ctrl+E"));
    menu.addSeparator();
    QAction* refresh = menu.addAction("refresh");
    QSignalSpy chosen(refresh, &QAction::triggered);
    QSignalSpy editChosen(edit, &QAction::triggered);

    menu.Popup(window.mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(menu.isVisible());
    EXPECT_EQ((std::tuple{menu.actionGeometry(edit).height(), menu.actionGeometry(menu.actions().at(1)).height(),
                          menu.actionGeometry(refresh).height()}),
              std::tuple(32, menu.SeparatorHeight(), 32));

    // The item under the pointer is drawn selected.
    menu.setActiveAction(refresh);
    const QRect r = menu.actionGeometry(refresh);
    const QImage shot = menu.grab().toImage();
    EXPECT_EQ(shot.pixelColor(r.left() + 60, r.bottom() - 2), QColor(94, 94, 236));
    EXPECT_EQ(shot.pixelColor(menu.actionGeometry(edit).left() + 2, menu.actionGeometry(edit).top() + 2),
              ToQColor(menu.BarColor()));

    QTest::mouseClick(&menu, Qt::LeftButton, {}, r.center());
    EXPECT_EQ((std::tuple{chosen.count(), editChosen.count(), menu.isVisible()}), std::tuple(1, 0, false));
}

TEST(PopupMenu, SubmenusAreDrawnByTheSameMenuAndAListPopsItUp)
{
    TskPopupMenu menu;
    menu.SetMenuItemHeight(27);
    QMenu* sub = menu.addMenu("More");
    sub->addAction("Deep");
    menu.MenuAdded();
    EXPECT_EQ(sub->style(), menu.style());
    sub->popup(QPoint(0, 0));
    EXPECT_EQ(sub->actionGeometry(sub->actions().at(0)).height(), 27);
    sub->hide();

    // A right click on a list it is attached to pops it up.
    QListWidget list;
    list.resize(150, 150);
    list.show();
    AttachPopupMenu(list, menu);
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(20, 20), list.viewport()->mapToGlobal(QPoint(20, 20)));
    QCoreApplication::sendEvent(list.viewport(), &e);
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
}

