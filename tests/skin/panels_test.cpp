// Image panel and group box: picture modes, automatic size, caption rules,
// the group box frame, and enabling and restyling of the controls inside.

#include "skin/button.h"
#include "skin/check_box.h"
#include "skin/group_box.h"
#include "skin/image_panel.h"
#include "skin/radio_button.h"
#include "skin/themes.h"
#include "skin_test_pictures.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>

#include <tuple>
#include <vector>

using namespace skin_test;

namespace {

constexpr TColor kPanelGrey = RGBColor(200, 200, 200);

// A 10 x 10 picture whose top-left 5 x 5 quarter is red and the rest blue,
// so that tile and stretch positions show in single pixels.
QImage Quartered()
{
    QImage img = Solid(10, 10, QColor(0, 0, 255));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            img.setPixel(x, y, qRgb(255, 0, 0));
    return img;
}

// A window whose background is plain red, to see through transparent controls.
struct RedHost {
    QWidget window;
    RedHost()
    {
        QPalette pal = window.palette();
        pal.setColor(QPalette::Window, QColor(255, 0, 0));
        window.setPalette(pal);
        window.setAutoFillBackground(true);
        window.resize(200, 150);
        window.show();
    }
    QImage ShotOf(const QWidget& child) { return window.grab(child.geometry()).toImage(); }
};

// The look a skinned frame gives its window.
class FakeFrame : public QWidget, public SkinFormFrame {
public:
    FakeFrame(QWidget* window, TskUIStyle style) : QWidget(window), m_style(style) {}
    TskUIStyle FrameUIStyle() const override { return m_style; }
    TColor FrameColor() const override { return GetThemeColor(m_style, 3); }

private:
    TskUIStyle m_style;
};

bool IsReddish(QColor c) { return c.red() > 150 && c.green() < 110 && c.blue() < 110; }

}  // namespace

TEST(ImagePanel, DrawModesPlaceThePicture)
{
    RedHost host;
    TskImagePanel panel(&host.window);
    panel.setGeometry(0, 0, 25, 25);
    panel.SetColor(kPanelGrey);
    panel.SetPicture(Quartered());
    panel.show();

    const QColor red(255, 0, 0), blue(0, 0, 255);
    // Outside the picture: the panel colour.
    EXPECT_EQ(PixelsAt(host.ShotOf(panel), {{4, 4}, {9, 9}, {20, 20}}),
              (std::vector<QColor>{red, blue, QColor(200, 200, 200)}));
    // Tiled from the corner, with a clipped extra tile at (24, 24).
    panel.SetDrawStyle(TskDrawStyle::skTile);
    EXPECT_EQ(PixelsAt(host.ShotOf(panel), {{0, 0}, {10, 10}, {20, 20}, {4, 0}, {14, 0}, {24, 0}, {24, 24}, {15, 15}}),
              (std::vector<QColor>{red, red, red, red, red, red, red, blue}));
    panel.SetDrawStyle(TskDrawStyle::skStretch);
    EXPECT_EQ(PixelsAt(host.ShotOf(panel), {{11, 11}, {14, 14}}), (std::vector<QColor>{red, blue}));
}

TEST(ImagePanel, TransparentPanelShowsTheParentAndKeysMagenta)
{
    RedHost host;
    TskImagePanel panel(&host.window);
    panel.setGeometry(10, 10, 20, 20);
    panel.SetColor(kPanelGrey);
    QImage picture = Solid(10, 10, QColor(255, 0, 255));
    picture.setPixel(5, 5, qRgb(0, 255, 0));
    panel.SetPicture(picture);
    panel.show();
    EXPECT_FALSE(panel.PictureTransparent());
    EXPECT_EQ(host.ShotOf(panel).pixelColor(2, 2), QColor(255, 0, 255));

    panel.SetTransparent(true);
    EXPECT_TRUE(panel.PictureTransparent());
    EXPECT_EQ(PixelsAt(host.ShotOf(panel), {{2, 2}, {15, 15}, {5, 5}}),
              (std::vector<QColor>{QColor(255, 0, 0), QColor(255, 0, 0), QColor(0, 255, 0)}));
}

TEST(ImagePanel, AutoSizeKeepsTheDimensionItsAlignFixes)
{
    struct Case {
        TAlign align;
        bool pictureFirst;  // picture before AutoSize, or after
        QSize size;
    };
    const Case cases[] = {{TAlign::alTop, false, {100, 12}},
                          {TAlign::alLeft, true, {30, 50}},
                          {TAlign::alClient, false, {100, 50}},
                          {TAlign::alNone, true, {30, 12}}};
    QWidget host;
    for (const Case& c : cases) {
        TskImagePanel panel(&host);
        panel.resize(100, 50);
        panel.SetAlign(c.align);
        if (c.pictureFirst)
            panel.SetPicture(Solid(30, 12, Qt::black));
        panel.SetAutoSize(true);
        if (!c.pictureFirst)
            panel.SetPicture(Solid(30, 12, Qt::black));
        EXPECT_EQ(panel.size(), c.size) << int(c.align);
    }
}

TEST(ImagePanel, CaptionNeedsBothPositionsAndText)
{
    RedHost host;
    TskImagePanel panel(&host.window);
    panel.setGeometry(0, 0, 120, 30);
    panel.SetColor(RGBColor(255, 255, 255));
    panel.SetFontColor(RGBColor(0, 0, 0));
    QFont f = panel.font();
    f.setPixelSize(12);
    panel.setFont(f);
    panel.show();
    auto dark = [](QColor c) { return c.lightness() < 128; };

    panel.SetCaption("   ");
    EXPECT_EQ(CountPixels(host.ShotOf(panel), dark), 0);

    // Only y is given: the caption is placed automatically, inside the panel,
    // not at y = 40 below its bottom edge.
    panel.SetCaption("Mode");
    panel.SetCaptionPosY(40);
    EXPECT_GT(CountPixels(host.ShotOf(panel), dark), 0);

    panel.SetCaptionPosX(2);
    EXPECT_EQ(CountPixels(host.ShotOf(panel), dark), 0);
    panel.SetCaptionPosY(2);
    const QImage shot = host.ShotOf(panel);
    EXPECT_GT(CountPixels(shot.copy(0, 0, 60, 30), dark), 0);
    EXPECT_EQ(CountPixels(shot.copy(60, 0, 60, 30), dark), 0);
}

TEST(GroupBox, FrameLeavesAGapForTheCaptionGreyWhenDisabled)
{
    RedHost host;
    TskGroupBox box(&host.window);
    box.setGeometry(0, 0, 150, 80);
    QFont f = box.font();
    f.setPixelSize(13);
    box.setFont(f);
    box.SetBorderColor(RGBColor(0, 0, 255));
    box.SetCaption("Play Mode");
    box.show();
    EXPECT_EQ(box.FrameTop(), 7);
    const int tw = QFontMetrics(f).horizontalAdvance("Play Mode");
    const QImage shot = host.ShotOf(box);
    const QColor blue(0, 0, 255), red(255, 0, 0);
    EXPECT_NE(shot.pixelColor(tw + 6, 7), blue);
    // Transparent above the line and inside.
    EXPECT_EQ(PixelsAt(shot, {{1, 7}, {2, 7}, {tw + 7, 7}, {149, 7}, {0, 8}, {0, 79}, {149, 79}, {75, 79}, {0, 6}, {75, 40}}),
              (std::vector<QColor>{blue, blue, blue, blue, blue, blue, blue, blue, red, red}));
    EXPECT_EQ(box.GetClient(), QRect(3, 13, 150 - 2 - 3, 80 - 2 - 13));

    box.SetCaption("");  // no caption: the top line is closed
    const QImage closed = host.ShotOf(box);
    for (int x = 0; x < 150; ++x)
        EXPECT_EQ(closed.pixelColor(x, 7), blue) << x;

    // Disabled, the caption is grey.
    TskGroupBox grey(&host.window);
    grey.setGeometry(0, 0, 150, 60);
    grey.SetTransparent(false);
    grey.SetColor(RGBColor(255, 255, 255));
    grey.SetFontColor(RGBColor(255, 0, 0));
    grey.SetCaption("Edit track");
    grey.show();
    const QRect captionArea(5, 0, 60, 12);
    EXPECT_GT(CountPixels(host.ShotOf(grey).copy(captionArea), IsReddish), 0);
    grey.SetEnabled(false);
    EXPECT_EQ(CountPixels(host.ShotOf(grey).copy(captionArea), IsReddish), 0);
}

TEST(GroupBox, TakesTheColoursOfItsFormsLook)
{
    QWidget plain;
    TskGroupBox onPlain(&plain);
    EXPECT_EQ((std::tuple{onPlain.BorderColor(), onPlain.FontColor(), onPlain.Transparent(), onPlain.size()}),
              std::tuple(GetThemeColor(TskUIStyle::Navy, 8), GetThemeColor(TskUIStyle::Navy, 10), true, QSize(185, 105)));

    QWidget skinned;
    FakeFrame frame(&skinned, TskUIStyle::Azure);
    QWidget panel(&skinned);
    TskGroupBox onSkinned(&panel);
    TskButton button(&panel);
    EXPECT_EQ((std::tuple{onSkinned.BorderColor(), onSkinned.FontColor(), button.UIStyle()}),
              std::tuple(RGBColor(104, 104, 104), RGBColor(2, 70, 207), TskUIStyle::Azure));
}

TEST(GroupBox, RestylingReachesOneLevelOnlyEnablingReachesTheControlsInside)
{
    QWidget form;
    TskImagePanel panel(&form);
    TskGroupBox box(&panel);
    TskCheckBox customBox(&panel);
    customBox.SetUIStyle(TskUIStyle::Custom);
    TskButton button(&panel);
    button.SetUIStyle(TskUIStyle::Ivory);
    TskRadioButton nestedRadio(&box);
    nestedRadio.SetUIStyle(TskUIStyle::Navy);
    TskButton nestedButton(&box);
    nestedButton.SetUIStyle(TskUIStyle::Navy);

    ContainerApplyUIStyle(&panel, TskUIStyle::Crystal);
    EXPECT_EQ((std::tuple{button.UIStyle(), customBox.UIStyle(), nestedRadio.UIStyle()}),
              std::tuple(TskUIStyle::Crystal, TskUIStyle::Custom, TskUIStyle::Navy));
    EXPECT_EQ((std::tuple{box.BorderColor(), box.Color()}),
              std::tuple(GetThemeColor(TskUIStyle::Crystal, 8), GetThemeColor(TskUIStyle::Crystal, 9)));

    // One level down: the panel's and the group box's children, not deeper.
    SubContainerApplyUIStyle(&form, TskUIStyle::Azure);
    EXPECT_EQ((std::tuple{button.UIStyle(), nestedRadio.UIStyle()}), std::tuple(TskUIStyle::Azure, TskUIStyle::Navy));

    // A Custom sweep keeps the group box's own colours.
    box.SetBorderColor(RGBColor(1, 2, 3));
    ContainerApplyUIStyle(&panel, TskUIStyle::Custom);
    EXPECT_EQ(box.BorderColor(), RGBColor(1, 2, 3));
    box.UpdateUIStyle(TskUIStyle::Pearl);
    EXPECT_EQ((std::tuple{nestedRadio.UIStyle(), nestedButton.UIStyle()}), std::tuple(TskUIStyle::Pearl, TskUIStyle::Pearl));

    // Enabling reaches the controls directly inside, one disabled by itself too,
    // and deeper ones through their disabled parent.
    TskImagePanel inner(&box);
    TskCheckBox deeper(&inner);
    nestedButton.setEnabled(false);
    box.SetEnabled(false);
    EXPECT_EQ((std::tuple{nestedRadio.isEnabled(), deeper.isEnabled()}), std::tuple(false, false));
    box.SetEnabled(true);
    EXPECT_EQ((std::tuple{nestedRadio.isEnabled(), nestedButton.isEnabled(), deeper.isEnabled()}), std::tuple(true, true, true));
}
