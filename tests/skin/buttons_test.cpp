// Skinned buttons, check boxes and radio buttons: state tracking, the click
// protocol, group unchecking and the held-button repeat.

#include "skin/button.h"
#include "skin/check_box.h"
#include "skin/image_button.h"
#include "skin/dialogs/modal_result.h"
#include "skin/radio_button.h"
#include "skin/theme_pictures.h"
#include "skin/themes.h"
#include "skin_test_events.h"
#include "skin_test_pictures.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

#include <tuple>
#include <vector>

using namespace skin_test;

TEST(ButtonClick, ModalDialogClosesAfterOnClickUnlessItClearsTheResultEscapeAndEnterClickTheirButtons)
{
    QDialog dialog;
    TskButton ok(&dialog);
    ok.SetModalResult(mrOk);
    bool keepOpen = false;
    bool dialogOpenDuringClick = false;
    int resultSeenInClick = -1;
    QObject::connect(&ok, &TskButton::OnClick, [&] {
        dialogOpenDuringClick = dialog.isVisible();
        resultSeenInClick = dialog.result();
        if (keepOpen)
            SetFormModalResult(&dialog, mrNone);
    });
    dialog.open();
    Click(ok);
    EXPECT_EQ((std::tuple{dialogOpenDuringClick, resultSeenInClick, dialog.isVisible(), dialog.result()}),
              (std::tuple{true, int(mrOk), false, int(mrOk)}));

    keepOpen = true;
    dialog.open();
    Click(ok);
    EXPECT_TRUE(dialog.isVisible());
    keepOpen = false;

    // Escape clicks the cancel button, Enter the default one.
    ok.SetDefault(true);
    TskButton cancel(&dialog);
    cancel.SetCancel(true);
    cancel.SetModalResult(mrCancel);
    cancel.show();  // the dialog is still open from above
    QSignalSpy cancelClicks(&cancel, &TskButton::OnClick);
    QTest::keyClick(&dialog, Qt::Key_Escape);  // through the button, not a bare reject()
    EXPECT_EQ((std::tuple{cancelClicks.count(), dialog.isVisible(), dialog.result()}),
              (std::tuple{1, false, int(mrCancel)}));

    dialog.open();
    QTest::keyClick(&dialog, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(dialog.result(), mrOk);

    // Not with Ctrl held, not while disabled, not while hidden.
    dialog.open();
    QTest::keyClick(&dialog, Qt::Key_Escape, Qt::ControlModifier);
    cancel.setEnabled(false);
    QTest::keyClick(&cancel, Qt::Key_Space);
    cancel.setEnabled(true);
    cancel.hide();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(cancelClicks.count(), 1);
}

TEST(ButtonClick, CheckBoxesAndProgramWindowsLeaveTheirFormOpen)
{
    QDialog dialog;
    TskCheckBox box(&dialog);
    dialog.open();
    dialog.setResult(mrCancel);
    Click(box);  // a check box click resets the result
    EXPECT_EQ((std::tuple{dialog.isVisible(), dialog.result(), box.Checked()}), (std::tuple{true, int(mrNone), true}));

    Host host;
    TskButton ok(&host.window);
    ok.SetModalResult(mrOk);
    QSignalSpy clicks(&ok, &TskButton::OnClick);
    Click(ok);
    EXPECT_EQ((std::tuple{clicks.count(), host.window.isVisible(), FormModalResult(&host.window)}),
              (std::tuple{1, true, mrOk}));

    // A dialog shown without modality is a program window too.
    QDialog modeless;
    TskButton cancel(&modeless);
    cancel.SetModalResult(mrCancel);
    modeless.show();
    Click(cancel);
    EXPECT_EQ((std::tuple{modeless.isVisible(), modeless.result()}), (std::tuple{true, int(mrCancel)}));
}

TEST(ButtonClick, OnlyALeftReleaseOverTheButtonClicksHoverAndPressFollowThePointer)
{
    Host host;
    TskButton button(&host.window);
    QSignalSpy clicks(&button, &TskButton::OnClick);
    Enter(button);
    Press(button);
    MoveHeld(button, {200, 5});
    Release(button, {200, 5});
    EXPECT_EQ(clicks.count(), 0);

    Mouse(button, QEvent::MouseButtonPress, {2, 2}, Qt::RightButton, Qt::RightButton);
    Mouse(button, QEvent::MouseButtonRelease, {2, 2}, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_FALSE(button.MouseDown());

    // A double click gives two clicks.
    Press(button);
    Release(button);
    Mouse(button, QEvent::MouseButtonDblClick, {2, 2}, Qt::LeftButton, Qt::LeftButton);
    Release(button);
    EXPECT_EQ(clicks.count(), 2);
    Leave(button);

    // Hover and press follow the pointer; the far edges still count as over the control.
    QSignalSpy entered(&button, &TskButton::OnMouseEnter);
    QSignalSpy exited(&button, &TskButton::OnMouseExit);
    auto state = [&] { return std::tuple{button.MouseOn(), button.MouseDown(), entered.count(), exited.count()}; };
    Enter(button);
    EXPECT_EQ(state(), std::tuple(true, false, 1, 0));
    Press(button);
    MoveHeld(button, {button.width(), button.height()});
    EXPECT_EQ(state(), std::tuple(true, true, 1, 0));
    MoveHeld(button, {button.width() + 1, 3});
    EXPECT_EQ(state(), std::tuple(false, false, 1, 0));
    Release(button, {button.width() + 1, 3});
    Leave(button);
    EXPECT_EQ(state(), std::tuple(false, false, 1, 1));
}

TEST(ButtonClick, SpaceAndEnterClickOnKeyUpOnce)
{
    Host host;
    TskCheckBox box(&host.window);
    box.show();
    QSignalSpy clicks(&box, &TskCheckBox::OnClick);
    QTest::keyPress(&box, Qt::Key_Space);
    EXPECT_EQ((std::tuple{box.MouseDown(), clicks.count()}), std::tuple(true, 0));
    QTest::keyRelease(&box, Qt::Key_Space);
    EXPECT_EQ((std::tuple{box.Checked(), clicks.count()}), std::tuple(true, 1));
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ((std::tuple{box.Checked(), clicks.count()}), std::tuple(false, 2));
    // A key up without its key down (focus arrived mid-press) does nothing.
    QTest::keyRelease(&box, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 2);
}

TEST(ButtonAccelerator, AltOrAPlainLetterTheFocusedControlDoesNotTakeClicksOnce)
{
    QDialog dialog;
    dialog.resize(300, 120);
    TskButton play(&dialog);
    play.SetCaption("&Play");
    TskButton other(&dialog);
    other.SetCaption("Stop");
    other.SetTabStop(true);
    TskCheckBox loop(&dialog);
    loop.SetCaption("&Loop");
    QLineEdit name(&dialog);
    QSignalSpy plays(&play, &TskButton::OnClick);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));

    // The focused button has no use for letters: "p" and "P" reach the dialog.
    other.setFocus();
    QTest::keyClick(&other, Qt::Key_P, Qt::NoModifier);
    EXPECT_EQ(plays.count(), 1);
    QTest::keyClick(&other, Qt::Key_P, Qt::ShiftModifier);
    EXPECT_EQ(plays.count(), 2);
    // A check box's letter toggles it once.
    QTest::keyClick(&other, Qt::Key_L, Qt::NoModifier);
    EXPECT_TRUE(loop.Checked());
    // Alt with the letter works from anywhere, the edit included.
    name.setFocus();
    QTest::keyClick(&name, Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(plays.count(), 3);

    // An edit keeps its letters; Ctrl, a held key's repeats, a disabled or a
    // hidden button and a letter no caption marks click nothing.
    QTest::keyClick(&name, Qt::Key_P, Qt::NoModifier);
    EXPECT_EQ(name.text(), "p");
    other.setFocus();
    QTest::keyClick(&other, Qt::Key_P, Qt::ControlModifier);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_P, Qt::NoModifier, "p", true);
    QApplication::sendEvent(&other, &repeat);
    QTest::keyClick(&other, Qt::Key_S, Qt::NoModifier);
    play.setEnabled(false);
    QTest::keyClick(&other, Qt::Key_P, Qt::NoModifier);
    play.setEnabled(true);
    play.hide();
    QTest::keyClick(&other, Qt::Key_P, Qt::NoModifier);
    EXPECT_EQ(plays.count(), 3);

    // A changed caption moves the letter; "&&" marks none.
    play.show();
    play.SetCaption("Sto&p && go");
    QTest::keyClick(&other, Qt::Key_P, Qt::NoModifier);
    EXPECT_EQ(plays.count(), 4);
    play.SetCaption("Rock && roll");
    QTest::keyClick(&other, Qt::Key_R, Qt::NoModifier);
    EXPECT_EQ(plays.count(), 4);
}

// Interval -5 counts as 0: ticks come as fast as the event loop turns.
TEST(ButtonState, HeldButtonRepeatsUntilReleasedLeftOrDisabled)
{
    Host host;
    TskButton button(&host.window);
    button.SetMouseContinuouslyDownInterval(-5);
    QSignalSpy ticks(&button, &TskButton::OnMouseContinuouslyDown);
    Enter(button);
    Press(button);
    EXPECT_TRUE(button.RepeatActive());
    EXPECT_EQ(ticks.count(), 0);  // the first call comes one interval after the press
    // A bound for a stalled loop, not a pace.
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks.count() >= 2; }, 60000)) << ticks.count();
    Release(button);
    EXPECT_FALSE(button.RepeatActive());

    // Qt holds the leave event back while the button is down: the move alone must stop it.
    Press(button);
    MoveHeld(button, {-1, 4});
    EXPECT_FALSE(button.RepeatActive());
    const int after = ticks.count();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(ticks.count(), after);
    MoveHeld(button, {4, 4});  // coming back while still held does not restart it
    EXPECT_FALSE(button.RepeatActive());
    Release(button);

    Press(button);
    Leave(button);
    EXPECT_FALSE(button.RepeatActive());
    Press(button);
    button.setEnabled(false);
    EXPECT_FALSE(button.RepeatActive());
    EXPECT_FALSE(button.MouseDown());
}

TEST(ButtonLook, ThemedButtonTakesTheThemeFacesAndStyleRules)
{
    Host host;
    TskButton button(&host.window);
    // Navy without a skinned frame on the window; names are hidden while themed.
    EXPECT_EQ((std::tuple{button.UIStyle(), button.size(), button.GetPicNormal()}),
              (std::tuple{TskUIStyle::Navy, QSize(80, 27), QString()}));
    button.SetUIStyle(TskUIStyle::Pearl);
    button.resize(90, 40);
    EXPECT_EQ((std::tuple{button.height(), button.Transparent()}), std::tuple(23, false));
    button.SetUIStyle(TskUIStyle::Crystal);
    button.resize(90, 40);
    EXPECT_EQ((std::tuple{button.height(), button.Transparent(), button.PicTransparent()}), std::tuple(40, true, true));
    button.SetPicNormalResName("IVORY_BUTTON_MOUSEON");
    EXPECT_EQ((std::tuple{button.UIStyle(), button.GetPicNormal(), button.AutoSize()}),
              (std::tuple{TskUIStyle::Custom, QString("IVORY_BUTTON_MOUSEON"), true}));
}

TEST(ButtonLook, StatesPaintDifferentFaces)
{
    Host host;
    host.window.setStyleSheet({});
    TskButton button(&host.window);
    button.SetUIStyle(TskUIStyle::Ivory);
    button.SetCaption("");
    button.show();
    const QImage normal = button.grab().toImage();
    Enter(button);
    const QImage hover = button.grab().toImage();
    Press(button);
    const QImage pressed = button.grab().toImage();
    EXPECT_FALSE(normal.isNull());
    EXPECT_TRUE(normal != hover && hover != pressed && normal != pressed);
}

TEST(ButtonLook, CheckBoxAndRadioPicturesFollowCheckedAndEnabled)
{
    Host host;
    TskCheckBox box(&host.window);
    TskRadioButton radio(&host.window);
    QSignalSpy clicks(&box, &TskCheckBox::OnClick);
    enum Face { Normal, MouseOn, MouseDown };
    struct Case {
        TskCustomButtonEx* control;
        bool checked;
        bool enabled;
        Face face;
        int index;  // the Azure theme's picture
    };
    const Case cases[] = {
        {&box, false, true, Normal, 30},   {&box, false, true, MouseOn, 32}, {&box, true, true, Normal, 29},
        {&box, true, true, MouseDown, 33}, {&box, true, false, Normal, 27},  {&box, false, false, Normal, 28},
        {&radio, true, true, Normal, 37},  {&radio, true, true, MouseOn, 39}, {&radio, true, false, Normal, 35},
        {&radio, false, false, Normal, 36}, {&radio, false, false, MouseDown, 42},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        c.control->SetUIStyle(TskUIStyle::Azure);
        c.control->SetChecked(c.checked);
        c.control->setEnabled(c.enabled);
        const QString shown = c.face == Normal    ? c.control->GetPicNormal()
                              : c.face == MouseOn ? c.control->GetPicMouseOn()
                                                  : c.control->GetPicMouseDown();
        EXPECT_EQ(shown, GetThemeString(TskUIStyle::Azure, c.index));
    }
    // Disabled through the parent counts too.
    box.SetChecked(false);
    box.setEnabled(true);
    host.window.setEnabled(false);
    EXPECT_EQ(box.GetPicNormal(), GetThemeString(TskUIStyle::Azure, 28));
    host.window.setEnabled(true);
    EXPECT_EQ(box.GetPicNormal(), GetThemeString(TskUIStyle::Azure, 30));
    EXPECT_EQ((std::tuple{clicks.count(), box.GetPicWidth(), box.GetPicHeight()}), std::tuple(0, 13, 13));

    // Custom has no pictures: nothing to load, nothing to throw.
    box.SetUIStyle(TskUIStyle::Custom);
    EXPECT_EQ((std::tuple{box.GetPicNormal(), box.GetPicWidth()}), (std::tuple{QString(), 0}));
    box.show();
    EXPECT_FALSE(box.grab().isNull());
}

TEST(ButtonLook, AutoSizedCheckBoxFitsPictureAndCaption)
{
    Host host;
    TskCheckBox box(&host.window);
    QFont f = box.font();
    f.setPixelSize(11);
    box.setFont(f);
    box.SetUIStyle(TskUIStyle::Pearl);  // 15 x 17 box
    box.SetCaption("Loop");
    box.SetAutoSize(true);
    const int tw = QFontMetrics(f).horizontalAdvance("Loop");
    EXPECT_EQ(box.size(), QSize(15 + 8 + tw, 17 + 4));
    box.SetCaption("Loop play");
    EXPECT_EQ(box.width(), 15 + 8 + QFontMetrics(f).horizontalAdvance("Loop play"));
    box.show();
    box.resize(300, 300);
    EXPECT_EQ(box.height(), 21);
}

TEST(CheckState, ClickTogglesBeforeOnClickCodeRunsNoClick)
{
    Host host;
    TskCheckBox box(&host.window);
    TskRadioButton a(&host.window);
    TskRadioButton b(&host.window);
    box.show();
    std::vector<bool> seen;
    QObject::connect(&box, &TskCheckBox::OnClick, [&] { seen.push_back(box.Checked()); });
    Click(box);
    Click(box);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
    EXPECT_TRUE(box.hasFocus() || !box.isActiveWindow());

    QSignalSpy aClicks(&a, &TskRadioButton::OnClick);
    QSignalSpy bClicks(&b, &TskRadioButton::OnClick);
    box.SetChecked(true);
    box.SetChecked(true);
    box.SetState(TCheckBoxState::cbGrayed);
    EXPECT_FALSE(box.Checked());
    box.SetState(TCheckBoxState::cbChecked);
    EXPECT_EQ(box.State(), TCheckBoxState::cbChecked);
    a.SetChecked(true);
    b.SetChecked(true);
    EXPECT_FALSE(a.Checked());
    EXPECT_EQ(seen.size() + aClicks.count() + bClicks.count(), 2u);
}

TEST(CheckState, CheckingARadioUnchecksOnlyItsGroupInTheSameParent)
{
    Host host;
    QWidget panelA(&host.window);
    QWidget panelB(&host.window);
    TskRadioButton a1(&panelA), a2(&panelA), a3(&panelA), other(&panelA), b1(&panelB);
    other.SetGroupIndex(1);
    TskCheckBox plainBox(&panelA);
    a1.SetChecked(true);
    other.SetChecked(true);
    b1.SetChecked(true);
    plainBox.SetChecked(true);
    host.window.show();

    Click(a3);
    auto checked = [&] {
        return std::vector<bool>{a1.Checked(), a2.Checked(), a3.Checked(), other.Checked(), b1.Checked(), plainBox.Checked()};
    };
    EXPECT_EQ(checked(), (std::vector<bool>{false, false, true, true, true, true}));

    // Clicking the checked one keeps it checked, and still reports the click.
    QSignalSpy clicks(&a3, &TskRadioButton::OnClick);
    Click(a3);
    EXPECT_EQ(checked(), (std::vector<bool>{false, false, true, true, true, true}));
    EXPECT_EQ(clicks.count(), 1);
}

TEST(ImageButton, StatesFallBackToTheNormalPicture)
{
    Host host;
    TskImageButton button(&host.window);
    QImage normal = Solid(6, 4, QColor(255, 0, 255));
    QImage down = normal;
    normal.setPixel(3, 2, qRgb(0, 0, 255));
    down.setPixel(3, 2, qRgb(0, 255, 0));
    button.SetAutoSize(true);
    button.SetPicNormal(normal);
    button.SetPicMouseDown(down);
    EXPECT_EQ(button.size(), QSize(6, 4));
    button.SetColor(RGBColor(200, 200, 200));
    button.show();

    Enter(button);  // no hover picture: the normal one stands in
    const QImage shot = button.grab().toImage();
    EXPECT_EQ(shot.pixelColor(3, 2), QColor(0, 0, 255));
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(200, 200, 200));  // keyed by its top-left pixel
    Press(button);
    EXPECT_EQ(button.grab().toImage().pixelColor(3, 2), QColor(0, 255, 0));
}

TEST(GlyphPlacement, FollowsTheLayoutTable)
{
    const QSize control(80, 27);
    const QSize text(30, 13);
    const QSize glyph(16, 16);
    struct Case {
        TButtonLayout layout;
        QPoint glyph;
        QPoint text;
    };
    const Case cases[] = {
        {TButtonLayout::blGlyphLeft, {(80 - 50) / 2, (27 - 16) / 2}, {15 + 16 + 4, (27 - 13) / 2}},
        {TButtonLayout::blGlyphRight, {(80 + 30 + 4 - 16) / 2, 5}, {49 - 30 - 4, 7}},
        {TButtonLayout::blGlyphTop, {32, -3}, {25, -3 + 16 + 4}},  // (27 - 33) / 2 truncates toward zero
        {TButtonLayout::blGlyphBottom, {32, (27 + 13 + 4 - 16) / 2}, {25, 14 - 13 - 4}},
    };
    for (const Case& c : cases) {
        const GlyphPlacement p = PlaceGlyph(c.layout, control, text, glyph, 4);
        EXPECT_EQ((std::tuple{p.glyph, p.text}), (std::tuple{c.glyph, c.text})) << int(c.layout);
    }
    // Twice as wide as high: two images side by side; 30 x 16 is one image.
    const GlyphPlacement two = PlaceGlyph(TButtonLayout::blGlyphLeft, control, {0, 0}, {32, 16}, 0);
    EXPECT_TRUE(two.twoImages);
    EXPECT_EQ(two.glyph.x(), (80 - 16) / 2);
    EXPECT_FALSE(PlaceGlyph(TButtonLayout::blGlyphLeft, control, {0, 0}, {30, 16}, 0).twoImages);
}

TEST(GlyphPlacement, DisabledTwoImageGlyphDrawsItsSecondImage)
{
    Host host;
    TskButton button(&host.window);
    // Custom keeps the face names it had: clear them to see the glyph alone.
    button.SetPicNormal("");
    button.SetPicMouseOn("");
    button.SetPicMouseDown("");
    button.SetAutoSize(false);
    button.resize(40, 20);
    button.SetCaption("");
    button.SetColor(RGBColor(255, 255, 255));
    QImage glyph = Solid(16, 8, QColor(255, 0, 255));
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 6; ++x) {
            glyph.setPixel(x, y, qRgb(255, 0, 0));
            glyph.setPixel(x + 8, y, qRgb(0, 0, 255));
        }
    button.SetGlyph(glyph);
    button.show();
    // Glyph at ((40 - 8) / 2, (20 - 8) / 2) = (16, 6); its square starts 2 further in.
    EXPECT_EQ(button.grab().toImage().pixelColor(19, 9), QColor(255, 0, 0));
    button.setEnabled(false);
    const QImage shot = button.grab().toImage();
    EXPECT_EQ((std::tuple{shot.pixelColor(19, 9), shot.pixelColor(16, 6)}), (std::tuple{QColor(0, 0, 255), QColor(Qt::white)}));
}

// A glyph's and a theme face's disabled looks are made when first painted
// disabled: the button shows them greyed then, and in colour again when enabled.
TEST(ButtonLook, DisabledButtonPaintsItsGlyphAndFaceGreyed)
{
    Host host;
    TskButton button(&host.window);
    button.setGeometry(10, 10, 80, 27);
    QImage glyph = Solid(16, 16, Qt::red);
    glyph.setPixel(0, 0, qRgb(0, 255, 0));  // the key colour
    button.SetGlyph(glyph);
    auto glyphPixels = [&] {
        const QImage shot = button.grab().toImage();
        int red = 0, grey = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QRgb c = shot.pixel(x, y);
                red += c == qRgb(255, 0, 0);
                grey += qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qRed(c) == 96 + qGray(255, 0, 0) * 5 / 8;
            }
        return std::pair{red, grey};
    };
    const auto [redEnabled, greyEnabled] = glyphPixels();
    EXPECT_GT(redEnabled, 200);
    button.setEnabled(false);
    const auto [redDisabled, greyDisabled] = glyphPixels();
    EXPECT_EQ(redDisabled, 0);
    EXPECT_GE(greyDisabled - greyEnabled, redEnabled);
    button.setEnabled(true);
    EXPECT_EQ(glyphPixels().first, redEnabled);
}
