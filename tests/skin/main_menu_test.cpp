// The skinned main menu: heights per look, the check mark and picture rules
// rendered into images, and the frame's menu bar with its key handling.

#include "skin/menus/main_menu.h"
#include "skin/menus/menu_bar.h"
#include "skin/skin_form.h"
#include "skin_test_events.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

QImage Render(const TskMainMenu& menu, const MenuItemView& view, bool selected)
{
    QImage img(120, 21, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    menu.DrawItem(p, view, QRect(0, 0, 120, 21), selected);
    return img;
}

bool SameOutside(const QImage& a, const QImage& b, const QRect& except)
{
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (!except.contains(x, y) && a.pixel(x, y) != b.pixel(x, y))
                return false;
    return true;
}

ToolImageList RedPicture()
{
    QImage red(16, 16, QImage::Format_RGB32);
    red.fill(QColor(220, 0, 0));
    ToolImageList list(16, 16);
    list.AddMasked(red, qRgb(255, 0, 255));
    return list;
}

// A sizeable framed form with a main menu on it.
struct MenuForm {
    QWidget form;
    TskForm* frame = new TskForm(&form, TFormBorderStyle::bsSizeable);
    TskMainMenu menu{&form};
    MenuForm() { form.resize(400, 300); }
};

}  // namespace

TEST(MainMenu, HeightsFollowTheLookAndPearlKeepsItsOwn)
{
    TskMainMenu menu;
    TskPopupMenu* file = menu.AddMenu("&File");
    menu.SetUIStyle(TskUIStyle::Pearl);
    const int pearlHeight = GetThemeInt(TskUIStyle::Pearl, 20);
    EXPECT_EQ(menu.MenuItemHeight(), pearlHeight);
    EXPECT_EQ(menu.SeparatorHeight(), GetThemeInt(TskUIStyle::Pearl, 21));
    menu.SetMenuItemHeight(30);
    menu.SetSeparatorHeight(30);
    EXPECT_EQ(menu.MenuItemHeight(), pearlHeight);
    EXPECT_EQ(file->MenuItemHeight(), pearlHeight);
    menu.SetUIStyle(TskUIStyle::Navy);
    menu.SetMenuItemHeight(30);
    EXPECT_EQ(menu.MenuItemHeight(), 30);
    EXPECT_EQ(file->MenuItemHeight(), 30);  // the drop-down menu measures with it
    MenuItemView item;
    item.caption = "Open";
    item.shortcut = "Ctrl+O";
    const QFontMetrics fm(menu.ItemFont());
    EXPECT_EQ(menu.MeasureItem(item),
              QSize(fm.horizontalAdvance("Open") + fm.horizontalAdvance("Ctrl+O") + menu.BarWidth() + 40, 30));
    for (TskUIStyle style : {TskUIStyle::Azure, TskUIStyle::Ivory, TskUIStyle::Crystal}) {
        menu.SetUIStyle(style);
        EXPECT_EQ(menu.MenuItemHeight(), GetThemeInt(style, 20));
        EXPECT_EQ(file->SelectedColor(), GetThemeColor(style, 12));
    }
}

TEST(MainMenu, CheckedItemShowsTheCheckMarkOrItsPictureOnAFramedCell)
{
    TskMainMenu menu;
    menu.SetUIStyle(TskUIStyle::Navy);
    TskPopupMenu* view = menu.AddMenu("&View");
    QAction* loop = view->addAction("Loop");
    loop->setCheckable(true);
    const QImage unchecked = Render(menu, menu.ViewOf(loop), false);
    loop->setChecked(true);
    const QImage checked = Render(menu, menu.ViewOf(loop), false);
    // The mark sits at (4, 3) and changes nothing else.
    EXPECT_NE(checked.copy(4, 3, 16, 16), unchecked.copy(4, 3, 16, 16));
    EXPECT_TRUE(SameOutside(checked, unchecked, QRect(4, 3, 16, 16)));

    const ToolImageList pictures = RedPicture();
    menu.SetImages(&pictures);
    TskMainMenu::SetImageIndex(loop, 0);
    const QImage withPicture = Render(menu, menu.ViewOf(loop), false);
    EXPECT_EQ(withPicture.pixel(2, 1), qRgb(0, 0, 0));     // the cell's black frame
    EXPECT_EQ(withPicture.pixel(20, 19), qRgb(0, 0, 0));
    EXPECT_EQ(withPicture.pixel(3, 2), ToQColor(menu.SelectedColor()).rgb());
    EXPECT_EQ(withPicture.pixel(8, 8), qRgb(220, 0, 0));   // the picture at (4, 3)
    // The drop-down menu's action carries the picture too.
    EXPECT_FALSE(loop->icon().isNull());
}

TEST(MainMenu, ImageIndexWithoutTheProgramsPicturesDrawsNothing)
{
    TskMainMenu menu;
    TskPopupMenu* file = menu.AddMenu("&File");
    QAction* plain = file->addAction("Save");
    QAction* indexed = file->addAction("Save");
    TskMainMenu::SetImageIndex(indexed, 0);  // index 0 would be the own check mark
    EXPECT_TRUE(menu.ViewOf(indexed).picture.isNull());
    EXPECT_TRUE(indexed->icon().isNull());
    EXPECT_EQ(Render(menu, menu.ViewOf(indexed), false), Render(menu, menu.ViewOf(plain), false));
    const ToolImageList pictures = RedPicture();
    menu.SetImages(&pictures);
    EXPECT_FALSE(indexed->icon().isNull());
    TskMainMenu::SetImageIndex(indexed, 5);  // beyond the list
    EXPECT_TRUE(indexed->icon().isNull());
    menu.SetImages(nullptr);
}

TEST(MainMenu, DisabledItemIsDrawnUnselectedInGrey)
{
    TskMainMenu menu;
    menu.SetUIStyle(TskUIStyle::Azure);
    MenuItemView item;
    item.caption = "Delete";
    item.enabled = false;
    EXPECT_EQ(Render(menu, item, true), Render(menu, item, false));
    item.enabled = true;
    EXPECT_NE(Render(menu, item, true), Render(menu, item, false));
}

TEST(MainMenuBar, MenuMadeOnAFormGoesToItsFrameAndChangesRebuildTheBar)
{
    QWidget form;
    form.resize(400, 300);
    auto* frame = new TskForm(&form, TFormBorderStyle::bsSizeable);
    frame->SetUIStyle(TskUIStyle::Crystal);
    const QRect before = frame->ClientArea();
    auto menu = std::make_unique<TskMainMenu>(&form);
    EXPECT_EQ(menu->UIStyle(), TskUIStyle::Crystal);
    ASSERT_EQ(frame->Menu(), menu.get());
    EXPECT_EQ(menu->Host(), frame);
    TskMenuBar* bar = frame->MenuBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(frame->ClientArea().top(), before.top() + frame->MenuBarHeight());
    EXPECT_EQ(bar->y(), frame->TitleBar().height());

    TskPopupMenu* file = menu->AddMenu("&File");
    TskPopupMenu* edit = menu->AddMenu("&Edit");
    ASSERT_EQ(bar->Count(), 2);
    EXPECT_EQ(bar->Caption(1), "&Edit");
    edit->setTitle("&Edit show");
    edit->menuAction()->setEnabled(false);
    EXPECT_EQ(bar->Caption(1), "&Edit show");
    EXPECT_FALSE(bar->ItemEnabled(1));
    EXPECT_LT(bar->ItemRect(0).right(), bar->ItemRect(1).left());
    menu->RemoveMenu(file);
    EXPECT_EQ(bar->Count(), 1);
    frame->SetUIStyle(TskUIStyle::Ivory);  // the frame's look reaches the menu
    EXPECT_EQ(menu->UIStyle(), TskUIStyle::Ivory);

    menu.reset();  // the frame lets go of a deleted menu
    EXPECT_EQ(frame->Menu(), nullptr);
    EXPECT_EQ(frame->MenuBar(), nullptr);
    EXPECT_EQ(frame->ClientArea().top(), frame->TitleBar().height());
}

TEST(MainMenuBar, DeletingTheFrameFirstLeavesTheMenuWithoutHost)
{
    auto form = std::make_unique<QWidget>();
    auto* frame = new TskForm(form.get(), TFormBorderStyle::bsDialog);
    TskMainMenu menu(nullptr);
    frame->SetMenu(&menu);
    EXPECT_EQ(menu.Host(), frame);
    form.reset();
    EXPECT_EQ(menu.Host(), nullptr);
    menu.AddMenu("&File");  // nothing to tell any more
}

TEST(MainMenuBar, ShortcutsAndAccessKeysWorkFromAnyControlOfTheWindow)
{
    MenuForm m;
    TskPopupMenu* file = m.menu.AddMenu("&File");
    QAction* save = file->addAction("Save");
    save->setShortcut(QKeySequence("Ctrl+S"));
    QAction* close = file->addAction("Close");
    close->setShortcut(QKeySequence("Ctrl+W"));
    close->setEnabled(false);
    TskPopupMenu* help = m.menu.AddMenu("&Help");
    help->addAction("About");
    QSignalSpy saved(save, &QAction::triggered);
    QSignalSpy closed(close, &QAction::triggered);
    auto* field = new QLineEdit(m.frame);
    m.form.show();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saved.count(), 1);
    QTest::keyClick(field, Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(closed.count(), 0);
    QTest::keyClick(field, Qt::Key_A);
    EXPECT_EQ(field->text(), "a");  // ordinary keys go on to the control
    TskMenuBar* bar = m.frame->MenuBar();
    QTest::keyClick(field, Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(bar->SelectedIndex(), 0);
    EXPECT_TRUE(file->isVisible());
    file->hide();
    EXPECT_EQ(bar->SelectedIndex(), -1);
    // A click on an item drops its menu down.
    skin_test::Press(*bar, bar->ItemRect(1).center());
    EXPECT_EQ(bar->SelectedIndex(), 1);
    EXPECT_TRUE(help->isVisible());
    help->hide();
}

TEST(MainMenuBar, LeftAndRightMoveBetweenTheOpenTopLevelMenus)
{
    MenuForm m;
    TskMainMenu& menu = m.menu;
    TskPopupMenu* file = menu.AddMenu("&File");
    file->addAction("Open");
    TskPopupMenu* edit = menu.AddMenu("&Edit");
    QAction* more = edit->addMenu("More")->menuAction();
    edit->addAction("Copy");
    TskPopupMenu* view = menu.AddMenu("&View");
    view->addAction("Zoom");
    view->menuAction()->setEnabled(false);
    TskPopupMenu* help = menu.AddMenu("&Help");
    help->addSeparator();
    QAction* about = help->addAction("About");
    m.form.show();
    TskMenuBar* bar = m.frame->MenuBar();
    bar->OpenItem(0);

    QTest::keyClick(file, Qt::Key_Right);
    EXPECT_EQ(bar->SelectedIndex(), 1);
    EXPECT_FALSE(file->isVisible());
    EXPECT_TRUE(edit->isVisible());
    EXPECT_EQ(edit->activeAction(), more);  // ready for the keyboard

    // Right on an item with a sub-menu opens the sub-menu, not the next item.
    QTest::keyClick(edit, Qt::Key_Right);
    EXPECT_EQ(bar->SelectedIndex(), 1);
    EXPECT_TRUE(edit->isVisible());
    more->menu()->hide();
    edit->setActiveAction(edit->actions().at(1));

    // The disabled item is skipped; the first enabled picture-less entry is active.
    QTest::keyClick(edit, Qt::Key_Right);
    EXPECT_EQ(bar->SelectedIndex(), 3);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->activeAction(), about);

    // Both ends wrap round.
    QTest::keyClick(help, Qt::Key_Right);
    EXPECT_EQ(bar->SelectedIndex(), 0);
    QTest::keyClick(file, Qt::Key_Left);
    EXPECT_EQ(bar->SelectedIndex(), 3);
    QTest::keyClick(help, Qt::Key_Left);
    EXPECT_EQ(bar->SelectedIndex(), 1);

    // Other keys and modified arrows stay with the menu.
    QTest::keyClick(edit, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(bar->SelectedIndex(), 1);
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(bar->SelectedIndex(), -1);
    EXPECT_FALSE(edit->isVisible());
}
