// Skinned tool bar: down states of check and grouped buttons, the looks of
// the button states, the theme colours, and the image list.

#include "skin/themes.h"
#include "skin/tool_bar.h"
#include "skin/tool_image_list.h"
#include "skin_test_events.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QSignalSpy>

#include <tuple>
#include <vector>

using namespace skin_test;

namespace {

struct BarHost {
    QWidget window;
    TskToolBar* bar;
    BarHost()
    {
        window.resize(300, 100);
        bar = new TskToolBar(&window);
        bar->SetButtonWidth(37);
        bar->SetButtonHeight(36);
        bar->resize(300, 40);
        window.show();
    }
    // The pixel the window shows at a point of the button.
    QColor PixelOf(TskToolButton& b, QPoint at)
    {
        const QImage shot = window.grab().toImage();
        return shot.pixelColor(b.mapTo(&window, at));
    }
};

// A strip of `n` 16 x 16 images on a magenta key: image i is filled with colours[i]
// except for a one-pixel magenta frame.
QImage Strip(const std::vector<QColor>& colours)
{
    QImage img(16 * int(colours.size()), 16, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255));
    QPainter p(&img);
    for (size_t i = 0; i < colours.size(); ++i)
        p.fillRect(int(i) * 16 + 1, 1, 14, 14, colours[i]);
    return img;
}

}  // namespace

TEST(ToolButtonDown, CheckButtonTogglesOnEachClickOnly)
{
    BarHost host;
    TskToolButton* loop = host.bar->AddButton(TToolButtonStyle::tbsCheck);
    QSignalSpy clicks(loop, &TskToolButton::OnClick);
    Click(*loop);
    EXPECT_TRUE(loop->Down());
    Click(*loop);
    EXPECT_EQ((std::tuple{loop->Down(), clicks.count()}), std::tuple(false, 2));

    // From code (a timer releasing its switch): no click handler runs.
    loop->SetDown(true);
    loop->SetDown(false);
    EXPECT_EQ(clicks.count(), 2);

    // A press dragged off the button before release is no click.
    Enter(*loop);
    Press(*loop);
    Release(*loop, {-20, -20});
    EXPECT_EQ((std::tuple{loop->Down(), clicks.count()}), std::tuple(false, 2));

    TskToolButton* play = host.bar->AddButton();
    Click(*play);
    EXPECT_FALSE(play->Down()) << "a plain button never stays down";
}

TEST(ToolButtonDown, GroupHoldsAtMostOneButtonDown)
{
    BarHost host;
    std::vector<TskToolButton*> group;
    for (int i = 0; i < 3; ++i) {
        group.push_back(host.bar->AddButton(TToolButtonStyle::tbsCheck));
        group.back()->SetGrouped(true);
    }
    host.bar->AddButton(TToolButtonStyle::tbsSeparator);
    TskToolButton* apart = host.bar->AddButton(TToolButtonStyle::tbsCheck);
    apart->SetGrouped(true);  // grouped too, but the separator parts it from the others

    Click(*group[0]);
    Click(*apart);
    Click(*group[2]);
    auto down = [&] { return std::vector<bool>{group[0]->Down(), group[1]->Down(), group[2]->Down(), apart->Down()}; };
    EXPECT_EQ(down(), (std::vector<bool>{false, false, true, true}));

    // Clicking the down button of a group that may not be all up keeps it down.
    QSignalSpy clicks(group[2], &TskToolButton::OnClick);
    Click(*group[2]);
    EXPECT_EQ(down(), (std::vector<bool>{false, false, true, true}));
    EXPECT_EQ(clicks.count(), 1);

    // From code, too, the group keeps one down.
    group[1]->SetDown(true);
    EXPECT_EQ(down(), (std::vector<bool>{false, true, false, true}));

    // A group that may be all up releases on the second click.
    for (TskToolButton* t : group)
        t->SetAllowAllUp(true);
    Click(*group[1]);
    EXPECT_EQ(down(), (std::vector<bool>{false, false, false, true}));
}

TEST(ToolBarLayout, ButtonsRunLeftToRightWithNarrowSeparators)
{
    BarHost host;
    TskToolButton* a = host.bar->AddButton();
    TskToolButton* gap = host.bar->AddButton(TToolButtonStyle::tbsSeparator);
    TskToolButton* b = host.bar->AddButton(TToolButtonStyle::tbsCheck);
    const int sep = TskToolBar::kSeparatorWidth;
    EXPECT_EQ((std::vector<QRect>{a->geometry(), gap->geometry(), b->geometry()}),
              (std::vector<QRect>{{0, 0, 37, 36}, {37, 0, sep, 36}, {37 + sep, 0, 37, 36}}));
    EXPECT_EQ((std::tuple{host.bar->ButtonCount(), host.bar->Buttons(2), host.bar->Buttons(3)}), std::tuple(3, b, nullptr));
    delete gap;
    EXPECT_EQ((std::tuple{host.bar->ButtonCount(), b->x()}), std::tuple(2, 37));
}

TEST(ToolBarLook, ThemeColoursPearlTransparencyAndButtonStateColours)
{
    BarHost host;
    host.bar->SetUIStyle(TskUIStyle::Azure);
    EXPECT_EQ((std::tuple{host.bar->ButtonDownColor(), host.bar->Transparent()}),
              std::tuple(GetThemeColor(TskUIStyle::Azure, 82), false));
    host.bar->SetUIStyle(TskUIStyle::Pearl);
    EXPECT_TRUE(host.bar->Transparent());
    host.bar->SetButtonColor(RGBColor(1, 2, 3));
    host.bar->SetUIStyle(TskUIStyle::Custom);  // keeps the colours it has
    EXPECT_EQ((std::tuple{host.bar->ButtonColor(), host.bar->Transparent()}), std::tuple(RGBColor(1, 2, 3), true));

    // The button states, on an opaque bar of plain colours.
    host.bar->SetTransparent(false);
    host.bar->SetColor(RGBColor(10, 20, 30));
    host.bar->SetButtonColor(RGBColor(200, 0, 0));
    host.bar->SetButtonDownColor(RGBColor(0, 200, 0));
    host.bar->SetButtonBorderColor(RGBColor(0, 0, 200));
    TskToolButton* b = host.bar->AddButton(TToolButtonStyle::tbsCheck);
    const QPoint inside(18, 30);

    EXPECT_EQ(host.PixelOf(*b, inside), QColor(10, 20, 30));  // plain: the bar shows

    b->SetDown(true);  // checked, pointer elsewhere: the hot look
    EXPECT_EQ((std::vector<QColor>{host.PixelOf(*b, inside), host.PixelOf(*b, {0, 0}), host.PixelOf(*b, {36, 35})}),
              (std::vector<QColor>{QColor(200, 0, 0), QColor(0, 0, 200), QColor(0, 0, 200)}));
    b->SetDown(false);

    Enter(*b);
    EXPECT_EQ(host.PixelOf(*b, inside), QColor(200, 0, 0));
    Press(*b);  // hot and pressed: the down look
    EXPECT_EQ(host.PixelOf(*b, inside), QColor(0, 200, 0));
    MoveHeld(*b, {60, 10});  // held, but dragged off it: neither hot nor pressed
    EXPECT_EQ(host.PixelOf(*b, inside), QColor(10, 20, 30));
    MoveHeld(*b, {10, 10});  // and back
    EXPECT_EQ(host.PixelOf(*b, inside), QColor(0, 200, 0));
    Release(*b, {60, 10});
}

TEST(ToolBarLook, ImagesSitWhereEachStateDrawsThem)
{
    BarHost host;
    host.bar->SetUIStyle(TskUIStyle::Custom);
    host.bar->SetButtonColor(RGBColor(255, 255, 255));
    host.bar->SetButtonDownColor(RGBColor(255, 255, 255));
    ToolImageList images(16, 16);
    ASSERT_EQ(images.Add(Strip({Qt::red, Qt::green})), 0);
    host.bar->SetImages(images);
    TskToolButton* b = host.bar->AddButton(TToolButtonStyle::tbsButton, 1);
    // Hot: one pixel left of centre, 2 from the top; the frame pixel is see-through.
    Enter(*b);
    const int hotLeft = (37 - 16) / 2 - 1;
    EXPECT_EQ(host.PixelOf(*b, {hotLeft + 1, 3}), QColor(Qt::green));
    EXPECT_EQ(host.PixelOf(*b, {hotLeft, 2}), QColor(255, 255, 255));
    // Down: centred, 3 from the top.
    Press(*b);
    const int downLeft = (37 - 16) / 2;
    EXPECT_EQ(host.PixelOf(*b, {downLeft + 14, 4}), QColor(Qt::green));
    EXPECT_EQ(host.PixelOf(*b, {downLeft + 14, 3}), QColor(255, 255, 255));
    Release(*b);
}

TEST(ToolImageList, StripIsCutIntoKeyedImages)
{
    ToolImageList list(16, 16);
    EXPECT_EQ(list.Add(Strip({Qt::red, Qt::green, Qt::blue})), 0);
    EXPECT_EQ(list.Add(Strip({Qt::yellow})), 3);
    EXPECT_EQ(list.Add(QImage(8, 16, QImage::Format_RGB32)), -1);  // narrower than one image
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ((std::tuple{list.Image(2).pixelColor(5, 5), list.Image(2).pixelColor(0, 0).alpha()}),
              std::tuple(QColor(Qt::blue), 0));
    EXPECT_TRUE(list.Image(4).isNull() && list.Image(-1).isNull());

    QImage canvas(16, 16, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter p(&canvas);
    list.Draw(p, 0, 0, 7, true);  // out of range: nothing
    list.Draw(p, 0, 0, 0, false);
    p.end();
    const QColor greyed = canvas.pixelColor(5, 5);
    EXPECT_EQ(greyed.red(), greyed.green());
    EXPECT_EQ(canvas.pixelColor(0, 0), QColor(Qt::white));
}
