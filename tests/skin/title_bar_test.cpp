// The title bar: section and button layout, hover and press pictures, the
// caption, refused collection changes, and the buttons' window actions.

#include "skin/skin_form.h"
#include "skin/theme_pictures.h"
#include "skin/title_bar.h"
#include "skin/window_frame.h"
#include "skin_test_events.h"
#include "skin_test_pictures.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QSignalSpy>

#include <memory>
#include <tuple>
#include <vector>

namespace {

using namespace skin_test;

// A bar on a plain window with no theme pictures, so every pixel is the test's own.
struct PlainBar {
    std::unique_ptr<QWidget> host = std::make_unique<QWidget>();
    TskTitleBar* bar = nullptr;
    std::vector<QString> errors;

    explicit PlainBar(int width = 300, int height = 24)
    {
        host->resize(width + 20, 100);
        bar = new TskTitleBar(host.get());
        bar->SetUIStyle(TskUIStyle::Custom);
        bar->Buttons().Clear();
        bar->setGeometry(0, 0, width, height);
        bar->SetErrorBox([this](QWidget*, const QString& text) { errors.push_back(text); });
    }
    TskTitleBarSection& AddSection(TskTitleBarAlign align, int width, QColor c)
    {
        TskTitleBarSection& s = bar->Sections().Add();
        s.SetPicture(Solid(width, bar->height(), c));
        s.SetAutoSize(true);
        s.SetAlign(align);
        return s;
    }
    TskTitleBarButton& AddButton(TskTitleBarBtnType type, QColor normal, QColor on, QColor down)
    {
        TskTitleBarButton& b = bar->Buttons().Add();
        b.SetButtonType(type);
        b.SetPicture(TskTitleBtnState::Normal, Solid(16, 14, normal));
        b.SetPicture(TskTitleBtnState::MouseOn, Solid(16, 14, on));
        b.SetPicture(TskTitleBtnState::MouseDown, Solid(16, 14, down));
        b.SetTop(3);
        return b;
    }
    QImage Grab() { return bar->grab().toImage(); }
};

QPoint CentreOf(const TskTitleBar& bar, int button)
{
    return bar.Layout(bar.width()).buttons.at(std::size_t(button)).center();
}

void ClickAt(QWidget& w, QPoint p)
{
    Mouse(w, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
    Press(w, p);
    Release(w, p);
}

}  // namespace

TEST(TitleBarSections, CapsAndStretchedMiddleShareTheWidthOnlyOneClientSectionAndControlBox)
{
    PlainBar t(300);
    t.AddSection(TskTitleBarAlign::skLeft, 162, Qt::red);
    TskTitleBarSection& right = t.AddSection(TskTitleBarAlign::skRight, 101, Qt::green);
    TskTitleBarSection& middle = t.AddSection(TskTitleBarAlign::skClient, 10, Qt::blue);
    EXPECT_TRUE(middle.Stretch());

    EXPECT_EQ(t.bar->Layout(300).sections,
              (std::vector<QRect>{{0, 0, 162, 24}, {199, 0, 101, 24}, {162, 0, 37, 24}}));
    EXPECT_EQ(PixelsAt(t.Grab(), {{161, 5}, {162, 5}, {198, 5}, {199, 5}, {299, 5}}),
              (std::vector<QColor>{Qt::red, Qt::blue, Qt::blue, Qt::green, Qt::green}));

    // Too narrow for the right cap: it is left out and the middle takes the rest.
    t.bar->resize(200, 24);
    const TitleBarLayout narrow = t.bar->Layout(200);
    EXPECT_TRUE(narrow.sections[1].isEmpty());
    EXPECT_EQ(narrow.sections[2], QRect(162, 0, 38, 24));
    EXPECT_EQ(t.Grab().pixelColor(199, 5), QColor(Qt::blue));

    // Only one client section and one control box; the client section set again is no second one.
    right.SetAlign(TskTitleBarAlign::skClient);
    EXPECT_EQ((std::tuple{right.Align(), right.Stretch()}), std::tuple(TskTitleBarAlign::skRight, false));
    middle.SetAlign(TskTitleBarAlign::skClient);

    TskTitleBarButton& box = t.AddButton(TskTitleBarBtnType::skControlBox, Qt::red, Qt::red, Qt::red);
    TskTitleBarButton& close = t.AddButton(TskTitleBarBtnType::skClose, Qt::red, Qt::red, Qt::red);
    close.SetButtonType(TskTitleBarBtnType::skControlBox);
    EXPECT_EQ(close.ButtonType(), TskTitleBarBtnType::skClose);
    box.SetButtonType(TskTitleBarBtnType::skControlBox);
    EXPECT_EQ(t.errors, (std::vector<QString>{"Sorry, only one section's Align property can be \"skClient\"",
                                             "Sorry, only one button's ButtonType property can be \"skControlBox\""}));
    EXPECT_EQ(t.bar->Buttons().Add(TskTitleBarBtnType::skControlBox), nullptr);
    EXPECT_EQ(t.bar->Buttons().Count(), 2);
}

TEST(TitleBarButtons, LayoutHoverPressAndKeyedPictures)
{
    PlainBar t(200);
    t.AddButton(TskTitleBarBtnType::skClose, Qt::red, Qt::green, Qt::blue);
    t.AddButton(TskTitleBarBtnType::skHelp, Qt::darkRed, Qt::darkGreen, Qt::darkBlue);
    t.AddButton(TskTitleBarBtnType::skControlBox, Qt::yellow, Qt::cyan, Qt::magenta);
    t.bar->SetButtonInterval(2);
    t.bar->SetCaption("Go");

    // First button rightmost: x = 200 + 1 - (16 + 1 + 2); the control box on the left.
    const TitleBarLayout layout = t.bar->Layout(200);
    EXPECT_EQ(layout.buttons, (std::vector<QRect>{{182, 3, 16, 14}, {163, 3, 16, 14}, {0, 3, 16, 14}}));
    EXPECT_EQ((std::tuple{layout.captionLeft, layout.captionRight}), std::tuple(21, 163));

    EXPECT_EQ(t.Grab().pixelColor(190, 10), QColor(Qt::red));
    Mouse(*t.bar, QEvent::MouseMove, {190, 10}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(t.bar->HoveredButton(), 0);
    EXPECT_EQ(t.Grab().pixelColor(190, 10), QColor(Qt::green));
    Press(*t.bar, {190, 10});
    EXPECT_EQ(PixelsAt(t.Grab(), {{190, 10}, {170, 10}}), (std::vector<QColor>{Qt::blue, Qt::darkRed}));
    Release(*t.bar, {100, 10});  // released elsewhere: no click
    Leave(*t.bar);
    EXPECT_EQ(t.bar->HoveredButton(), -1);
    EXPECT_EQ(t.Grab().pixelColor(190, 10), QColor(Qt::red));

    // Without a control box the caption starts at 6; too wide, it shows two
    // characters and dots.
    t.bar->Buttons().Clear();
    EXPECT_EQ(t.bar->Layout(200).captionLeft, 6);
    t.bar->SetCaption("Select  Device");
    EXPECT_EQ((QStringList{t.bar->FittedCaption(1000), t.bar->FittedCaption(10)}), (QStringList{"Select  Device", "Se..."}));

    // A transparent button shows the section through its key colour.
    PlainBar k(200);
    k.AddSection(TskTitleBarAlign::skClient, 10, Qt::blue);
    TskTitleBarButton& b = k.AddButton(TskTitleBarBtnType::skClose, Qt::red, Qt::red, Qt::red);
    QImage keyed = Solid(16, 14, Qt::red);
    keyed.setPixelColor(0, 0, Qt::magenta);
    keyed.setPixelColor(5, 5, Qt::magenta);
    b.SetPicture(TskTitleBtnState::Normal, keyed);
    const QPoint origin = k.bar->Layout(200).buttons[0].topLeft();
    EXPECT_EQ(k.Grab().pixelColor(origin + QPoint(5, 5)), QColor(Qt::magenta));
    b.SetTransparent(true);
    EXPECT_EQ(PixelsAt(k.Grab(), {origin + QPoint(5, 5), origin + QPoint(6, 5)}), (std::vector<QColor>{Qt::blue, Qt::red}));
}

TEST(TitleBarClicks, ReleaseOnThePressedButtonRunsItsActionDoubleClickMaximises)
{
    PlainBar t(200);
    t.AddButton(TskTitleBarBtnType::skCustom, Qt::red, Qt::green, Qt::blue);
    t.AddButton(TskTitleBarBtnType::skHelp, Qt::red, Qt::green, Qt::blue);
    t.AddButton(TskTitleBarBtnType::skClose, Qt::red, Qt::green, Qt::blue);
    QSignalSpy custom(t.bar, &TskTitleBar::OnCustomBtnsClick);
    QSignalSpy help(t.bar, &TskTitleBar::OnHelpBtnClick);
    t.host->show();

    ClickAt(*t.bar, CentreOf(*t.bar, 0));
    ClickAt(*t.bar, CentreOf(*t.bar, 1));
    ASSERT_EQ((std::tuple{custom.count(), help.count()}), std::tuple(1, 1));
    EXPECT_EQ((std::tuple{custom.at(0).at(1).toInt(), help.at(0).at(1).toInt()}), std::tuple(0, 1));

    // Pressed on one button, released on another: neither acts.
    Press(*t.bar, CentreOf(*t.bar, 2));
    Release(*t.bar, CentreOf(*t.bar, 0));
    EXPECT_EQ(custom.count(), 1);
    EXPECT_TRUE(t.host->isVisible());

    // A double click maximises and restores, only with a max button.
    const auto doubleClick = [&] { Mouse(*t.bar, QEvent::MouseButtonDblClick, {60, 10}, Qt::LeftButton, Qt::LeftButton); };
    doubleClick();
    EXPECT_FALSE(t.host->isMaximized());
    t.AddButton(TskTitleBarBtnType::skMax, Qt::red, Qt::green, Qt::blue);
    doubleClick();
    EXPECT_TRUE(t.host->isMaximized());
    doubleClick();
    EXPECT_FALSE(t.host->isMaximized());

    ClickAt(*t.bar, CentreOf(*t.bar, 2));
    EXPECT_FALSE(t.host->isVisible());
}

// A framed window with the program's buttons: control box, close, minimise, maximise.
struct FramedWindow {
    std::unique_ptr<QWidget> host = std::make_unique<QWidget>();
    TskForm* frame = nullptr;

    explicit FramedWindow(TskUIStyle style)
    {
        host->resize(320, 200);
        frame = new TskForm(host.get(), TFormBorderStyle::bsDialog);
        frame->SetUIStyle(style);
        TskTitleBarButtons& buttons = frame->TitleBar().Buttons();
        buttons.Clear();
        buttons.Add(TskTitleBarBtnType::skControlBox);
        buttons.Add(TskTitleBarBtnType::skClose);
        buttons.Add(TskTitleBarBtnType::skMin);
        buttons.Add(TskTitleBarBtnType::skMax);
        host->show();
        QCoreApplication::processEvents();
    }
    TskTitleBar& Bar() { return frame->TitleBar(); }
    void ClickButton(TskTitleBarBtnType type)
    {
        const int index = Bar().Buttons().IndexOf(type);
        ASSERT_GE(index, 0);
        ClickAt(Bar(), CentreOf(Bar(), index));
        QCoreApplication::processEvents();
    }
};

TEST(TitleBarInFrame, ButtonsMinimiseMaximiseRestoreAndClose)
{
    FramedWindow w(TskUIStyle::Azure);
    TskTitleBar& bar = w.Bar();
    const int max = bar.Buttons().IndexOf(TskTitleBarBtnType::skMax);
    auto maxPicture = [&] { return bar.Buttons().Item(max).Picture(TskTitleBtnState::Normal); };
    EXPECT_EQ(maxPicture(), ThemeImage("AZURE_TITLEBTN_MAX_NORMAL"));
    w.ClickButton(TskTitleBarBtnType::skMax);
    EXPECT_TRUE(w.host->isMaximized());
    EXPECT_EQ(w.host->pos(), GetWorkAreaRect().topLeft());
    EXPECT_EQ(maxPicture(), ThemeImage("AZURE_TITLEBTN_RST_NORMAL")) << "Azure swaps to its restore pictures";
    w.ClickButton(TskTitleBarBtnType::skMax);
    EXPECT_FALSE(w.host->isMaximized());
    EXPECT_EQ(maxPicture(), ThemeImage("AZURE_TITLEBTN_MAX_NORMAL"));
    w.ClickButton(TskTitleBarBtnType::skMax);
    w.host->showNormal();  // restored by other means: the pictures follow too
    QCoreApplication::processEvents();
    EXPECT_EQ(maxPicture(), ThemeImage("AZURE_TITLEBTN_MAX_NORMAL"));
    w.ClickButton(TskTitleBarBtnType::skMin);
    EXPECT_TRUE(w.host->isMinimized());
    w.host->showNormal();
    QCoreApplication::processEvents();
    w.ClickButton(TskTitleBarBtnType::skClose);
    EXPECT_FALSE(w.host->isVisible());
}

TEST(TitleBarInFrame, ThemeSetsHeightOffsetsButtonsAndMinimumWidth)
{
    FramedWindow w(TskUIStyle::Crystal);
    TskTitleBar& bar = w.Bar();
    const TskTitleBarButton& close = bar.Buttons().Item(bar.Buttons().IndexOf(TskTitleBarBtnType::skClose));
    EXPECT_EQ((std::tuple{bar.height(), w.host->minimumWidth(), bar.LeftBtnXOffset(), bar.RightBtnXOffset(),
                          bar.RoundCornerRadius(), close.Top(), close.Transparent()}),
              std::tuple(33, 270, 4, -3, 11, 6, true));
    EXPECT_EQ(close.Picture(TskTitleBtnState::Normal), ThemeImage("CRYSTAL_TITLEBTN_CLOSE_NORMAL"));
    w.frame->SetUIStyle(TskUIStyle::Pearl);
    EXPECT_EQ((std::tuple{bar.height(), w.host->minimumWidth(), bar.Sections().Count()}), std::tuple(23, 130, 3));
}

// The caption band runs evenly to the bar's ends: no edge line shows beside or
// below the control box (the frame's border draws the window's edge).
TEST(TitleBarInFrame, CaptionBandHasNoLineBesideOrBelowTheControlBox)
{
    for (TskUIStyle style : {TskUIStyle::Pearl, TskUIStyle::Azure, TskUIStyle::Navy, TskUIStyle::Crystal}) {
        SCOPED_TRACE(int(style));
        FramedWindow w(style);
        const QImage bar = w.Bar().grab().toImage();
        const int plain = 80;  // past the control box, clear of caption and buttons
        for (int y = 2; y < bar.height() - 2; ++y) {
            const QRect box = w.Bar().Layout(bar.width()).buttons.at(0);
            if (y >= box.top() && y <= box.bottom())
                continue;  // the control box's own picture
            EXPECT_EQ(bar.pixel(0, y), bar.pixel(plain, y)) << "x 0, y " << y;
            EXPECT_EQ(bar.pixel(1, y), bar.pixel(plain, y)) << "x 1, y " << y;
            EXPECT_EQ(bar.pixel(bar.width() - 1, y), bar.pixel(plain, y)) << "right end, y " << y;
        }
    }
}

// In every look, in the window in use and in every other, the caption reads
// at least 3:1 against each pixel of the bar under it; the look's own caption
// colours stay where they read already, and an inactive caption still differs.
TEST(TitleBarInFrame, CaptionReadsOnItsBarActiveOrNotInEveryLook)
{
    for (TskUIStyle style : {TskUIStyle::Pearl, TskUIStyle::Azure, TskUIStyle::Navy, TskUIStyle::Ivory, TskUIStyle::Crystal}) {
        SCOPED_TRACE(int(style));
        QWidget host;
        host.resize(400, 200);
        auto* frame = new TskForm(&host, TFormBorderStyle::bsDialog);
        SetUpWindowFrame(*frame, style, RGBColor(231, 231, 231), QString());
        host.show();
        QCoreApplication::processEvents();
        TskTitleBar& bar = frame->TitleBar();
        QColor caption[2];
        for (const bool active : {true, false}) {
            bar.SetActive(active);
            bar.SetCaption(QString());
            const QImage plain = bar.grab().toImage();
            bar.SetCaption(QStringLiteral("Rotation setting"));
            const DrawnText text = TextBetween(plain, bar.grab().toImage());
            ASSERT_GT(text.pixels, 30);
            EXPECT_GE(LuminanceRange::Of(plain, text.box).WorstContrast(text.colour), kLeastTextContrast)
                << (active ? "active " : "inactive ") << text.colour.name().toStdString();
            caption[active] = text.colour;
        }
        EXPECT_EQ(caption[true], style == TskUIStyle::Pearl ? QColor(Qt::black) : QColor(Qt::white));
        EXPECT_NE(caption[false], caption[true]);
    }
}

TEST(TitleBarInFrame, AppIconControlBoxShowsTheProgramsMarkWhenNoIconIsSet)
{
    ASSERT_TRUE(QApplication::windowIcon().isNull());
    FramedWindow w(TskUIStyle::Pearl);  // a light bar, so the mark's dark tile stands out
    w.frame->SetTitleBarDrawAppIcon(true);
    const QImage bar = w.Bar().grab().toImage();
    const QRect icon = w.Bar().Layout(bar.width()).appIcon;
    ASSERT_EQ(icon.size(), QSize(16, 16));
    EXPECT_GT(CountPixels(bar.copy(icon), [](QColor c) { return qGray(c.rgb()) < 60; }), 40);
}

TEST(TitleBarInFrame, DragOnFreeSpaceMovesTheWindowUnlessMaximised)
{
    FramedWindow w(TskUIStyle::Navy);
    TskTitleBar& bar = w.Bar();
    w.host->move(40, 50);
    QCoreApplication::processEvents();
    const QPoint start = w.host->pos();
    const QPoint grip(120, 10);
    const QPoint globalGrip(500, 300);  // the global position is all a move reads
    auto send = [&](QEvent::Type type, QPoint delta, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(type, QPointF(grip + delta), QPointF(globalGrip + delta), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&bar, &e);
    };
    send(QEvent::MouseButtonPress, {}, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, {1, 0}, Qt::NoButton, Qt::LeftButton);  // within the drag distance
    EXPECT_EQ(w.host->pos(), start);
    send(QEvent::MouseMove, {30, 20}, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseMove, {45, 25}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(w.host->pos(), start + QPoint(45, 25));
    send(QEvent::MouseButtonRelease, {45, 25}, Qt::LeftButton, Qt::NoButton);
    send(QEvent::MouseMove, {90, 90}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(w.host->pos(), start + QPoint(45, 25));

    w.host->showMaximized();
    QCoreApplication::processEvents();
    const QPoint maximised = w.host->pos();
    send(QEvent::MouseButtonPress, {}, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, {30, 20}, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {30, 20}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(w.host->pos(), maximised);
}
