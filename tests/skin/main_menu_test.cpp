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
#include <tuple>

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
    EXPECT_EQ(std::tuple(menu.MenuItemHeight(), menu.SeparatorHeight()),
              std::tuple(pearlHeight, GetThemeInt(TskUIStyle::Pearl, 21)));
    menu.SetMenuItemHeight(30);
    menu.SetSeparatorHeight(30);
    EXPECT_EQ(std::tuple(menu.MenuItemHeight(), file->MenuItemHeight()), std::tuple(pearlHeight, pearlHeight));
    menu.SetUIStyle(TskUIStyle::Navy);
    menu.SetMenuItemHeight(30);
    // The drop-down menu measures with it.
    EXPECT_EQ(std::tuple(menu.MenuItemHeight(), file->MenuItemHeight()), std::tuple(30, 30));
    MenuItemView item;
    item.caption = "Open";
    item.shortcut = "Ctrl+O";
    const QFontMetrics fm(menu.ItemFont());
    EXPECT_EQ(menu.MeasureItem(item),
              QSize(fm.horizontalAdvance("Open") + fm.horizontalAdvance("Ctrl+O") + menu.BarWidth() + 40, 30));
    for (TskUIStyle style : {TskUIStyle::Azure, TskUIStyle::Ivory, TskUIStyle::Crystal}) {
        menu.SetUIStyle(style);
        EXPECT_EQ(std::tuple(menu.MenuItemHeight(), file->SelectedColor()),
                  std::tuple(GetThemeInt(style, 20), GetThemeColor(style, 12)));
    }
}

TEST(MainMenu, CheckedItemShowsTheCheckMarkOrItsPictureOnAFramedCellAndOnlyWithThePrograms)
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
    // The cell's black frame, its fill, and the picture at (4, 3).
    EXPECT_EQ(std::vector({withPicture.pixel(2, 1), withPicture.pixel(20, 19), withPicture.pixel(3, 2),
                           withPicture.pixel(8, 8)}),
              std::vector({qRgb(0, 0, 0), qRgb(0, 0, 0), ToQColor(menu.SelectedColor()).rgb(), qRgb(220, 0, 0)}));
    // The drop-down menu's action carries the picture too.
    EXPECT_FALSE(loop->icon().isNull());

    // An image index without the program's pictures draws nothing.
    menu.SetImages(nullptr);
    TskPopupMenu* file = menu.AddMenu("&File");
    QAction* plain = file->addAction("Save");
    QAction* indexed = file->addAction("Save");
    TskMainMenu::SetImageIndex(indexed, 0);  // index 0 would be the own check mark
    EXPECT_TRUE(menu.ViewOf(indexed).picture.isNull() && indexed->icon().isNull());
    EXPECT_EQ(Render(menu, menu.ViewOf(indexed), false), Render(menu, menu.ViewOf(plain), false));
    menu.SetImages(&pictures);
    EXPECT_FALSE(indexed->icon().isNull());
    TskMainMenu::SetImageIndex(indexed, 5);  // beyond the list
    EXPECT_TRUE(indexed->icon().isNull());
    menu.SetImages(nullptr);
    EXPECT_EQ(menu.Images(), nullptr);

    // A disabled item is drawn unselected in grey.
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
    ASSERT_EQ(frame->Menu(), menu.get());
    EXPECT_EQ(std::tuple(menu->UIStyle(), menu->Host()), std::tuple(TskUIStyle::Crystal, frame));
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
    EXPECT_EQ(std::tuple(bar->Caption(1), bar->ItemEnabled(1)), std::tuple(QString("&Edit show"), false));
    EXPECT_LT(bar->ItemRect(0).right(), bar->ItemRect(1).left());
    menu->RemoveMenu(file);
    EXPECT_EQ(bar->Count(), 1);
    frame->SetUIStyle(TskUIStyle::Ivory);  // the frame's look reaches the menu
    EXPECT_EQ(menu->UIStyle(), TskUIStyle::Ivory);

    menu.reset();  // the frame lets go of a deleted menu
    EXPECT_TRUE(frame->Menu() == nullptr && frame->MenuBar() == nullptr);
    EXPECT_EQ(frame->ClientArea().top(), frame->TitleBar().height());

    // Deleting the frame first leaves the menu without host.
    auto other = std::make_unique<QWidget>();
    auto* dialogFrame = new TskForm(other.get(), TFormBorderStyle::bsDialog);
    TskMainMenu unhosted(nullptr);
    dialogFrame->SetMenu(&unhosted);
    EXPECT_EQ(unhosted.Host(), dialogFrame);
    other.reset();
    EXPECT_EQ(unhosted.Host(), nullptr);
    unhosted.AddMenu("&File");  // nothing to tell any more
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
    QTest::keyClick(field, Qt::Key_W, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_A);  // ordinary keys go on to the control
    EXPECT_EQ(std::tuple(saved.count(), closed.count(), field->text()), std::tuple(1, 0, QString("a")));
    TskMenuBar* bar = m.frame->MenuBar();
    QTest::keyClick(field, Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(std::tuple(bar->SelectedIndex(), file->isVisible()), std::tuple(0, true));
    file->hide();
    EXPECT_EQ(bar->SelectedIndex(), -1);
    // A click on an item drops its menu down.
    skin_test::Press(*bar, bar->ItemRect(1).center());
    EXPECT_EQ(std::tuple(bar->SelectedIndex(), help->isVisible()), std::tuple(1, true));
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
    EXPECT_EQ(std::tuple(bar->SelectedIndex(), file->isVisible(), edit->isVisible()), std::tuple(1, false, true));
    EXPECT_EQ(edit->activeAction(), more);  // ready for the keyboard

    // Right on an item with a sub-menu opens the sub-menu, not the next item.
    QTest::keyClick(edit, Qt::Key_Right);
    EXPECT_EQ(std::tuple(bar->SelectedIndex(), edit->isVisible()), std::tuple(1, true));
    more->menu()->hide();
    edit->setActiveAction(edit->actions().at(1));

    // The disabled item is skipped; the first enabled picture-less entry is active.
    QTest::keyClick(edit, Qt::Key_Right);
    EXPECT_EQ(std::tuple(bar->SelectedIndex(), help->isVisible(), help->activeAction()), std::tuple(3, true, about));

    // Both ends wrap round.
    std::vector<int> selected;
    for (auto [popup, key] : {std::pair(help, Qt::Key_Right), std::pair(file, Qt::Key_Left), std::pair(help, Qt::Key_Left)}) {
        QTest::keyClick(popup, key);
        selected.push_back(bar->SelectedIndex());
    }
    EXPECT_EQ(selected, (std::vector{0, 3, 1}));

    // Other keys and modified arrows stay with the menu.
    QTest::keyClick(edit, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(bar->SelectedIndex(), 1);
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(std::tuple(bar->SelectedIndex(), edit->isVisible()), std::tuple(-1, false));
}
