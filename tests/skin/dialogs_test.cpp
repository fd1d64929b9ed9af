// Skinned dialogs: the message layouts, texts copied back only on OK, the
// password pair following its longer caption, and the refused Custom look.

#include "skin/button.h"
#include "skin/edit.h"
#include "skin/dialogs/modal_result.h"
#include "skin/dialogs/skin_dialogs.h"
#include "skin/skin_form.h"
#include "skin_test_events.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

using namespace skin_test;

std::vector<int> ButtonXs(const SkinDialogForm& form)
{
    std::vector<int> xs;
    for (const TskButton* b : form.buttons)
        xs.push_back(b->x());
    return xs;
}

// Runs `act` on the modal form once it is shown.
void WhenShown(std::function<void(QDialog&)> act)
{
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

TskButton* ButtonWithResult(QDialog& dialog, int result)
{
    for (TskButton* b : dialog.findChildren<TskButton*>())
        if (b->ModalResult() == result)
            return b;
    return nullptr;
}

}  // namespace

TEST(MessageDialog, ButtonsStandRightAlignedWithButton1LeftmostAndFocused)
{
    TskMessageDialog dlg;
    dlg.SetButtonCount(3);
    dlg.SetButtonCaption(1, "Yes");
    dlg.SetButtonCaption(2, "No");
    dlg.SetButtonCaption(3, "Abort");
    dlg.SetButtonModalResult(1, mrYes);
    dlg.SetButtonModalResult(2, mrNo);
    dlg.SetButtonModalResult(3, mrAbort);
    SkinDialogForm three = dlg.BuildForm();
    EXPECT_EQ(three.dialog->width(), 334);  // three buttons keep the full width without an icon
    EXPECT_EQ(ButtonXs(three), (std::vector<int>{51, 144, 237}));
    EXPECT_EQ(three.buttons[0]->Caption(), "Yes");
    EXPECT_EQ(three.buttons[2]->ModalResult(), mrAbort);
    EXPECT_EQ(three.dialog->focusWidget(), three.buttons[0]);
    EXPECT_EQ(three.label->x(), 24);
    EXPECT_FALSE(three.image->isVisibleTo(three.dialog.get()));

    dlg.SetButtonCount(1);
    SkinDialogForm one = dlg.BuildForm();
    EXPECT_EQ(one.dialog->width(), 270);
    EXPECT_EQ(ButtonXs(one), (std::vector<int>{173}));

    dlg.SetIconType(TskIconType::skWarning);
    SkinDialogForm icon = dlg.BuildForm();
    EXPECT_EQ(icon.dialog->width(), 334);
    EXPECT_EQ(ButtonXs(icon), (std::vector<int>{237}));
    EXPECT_EQ(icon.label->x(), 88);
    ASSERT_NE(icon.image->pixmap().isNull(), true);
    EXPECT_EQ(icon.image->pixmap().size(), QSize(32, 32));
}

TEST(MessageDialog, HeightFollowsTheLowerOfLabelAndIconPlace)
{
    TskMessageDialog dlg;
    SkinDialogForm shortText = dlg.BuildForm();
    // The icon's place (bottom 104) counts even without an icon.
    EXPECT_EQ(shortText.dialog->height(), 104 + 65);
    EXPECT_EQ(shortText.buttons[0]->y(), 124);

    dlg.SetText(QString("A long message that wraps within the label's fixed width. ").repeated(6));
    SkinDialogForm longText = dlg.BuildForm();
    const int B = longText.label->y() + longText.label->height();
    EXPECT_GT(B, 104);
    EXPECT_EQ(longText.label->width(), 225);
    EXPECT_EQ(longText.dialog->height(), B + 65);
    EXPECT_EQ(longText.buttons[0]->y(), B + 20);
}

TEST(MessageDialog, ReturnsThePressedButtonsResultAndCancelWhenClosed)
{
    TskMessageDialog dlg;
    dlg.SetButtonCount(2);
    dlg.SetButtonModalResult(2, mrRetry);
    WhenShown([](QDialog& d) { Click(*ButtonWithResult(d, mrRetry)); });
    EXPECT_EQ(dlg.ShowModal(), mrRetry);
    WhenShown([](QDialog& d) { d.close(); });
    EXPECT_EQ(dlg.ShowModal(), mrCancel);
}

TEST(MessageDialog, MessageTypesAndButtonSetsMapToButtons)
{
    TskMessageDialog dlg;
    ConfigureMessageDialog(dlg, "Delete?", TMsgDlgType::mtConfirmation, mbNo | mbYes | mbCancel | mbIgnore);
    EXPECT_EQ(dlg.Text(), "Delete?");
    EXPECT_EQ(dlg.IconType(), TskIconType::skHelp);
    ASSERT_EQ(dlg.ButtonCount(), 3);
    const std::pair<const char*, int> buttons[] = {{"Yes", mrYes}, {"No", mrNo}, {"Cancel", mrCancel}};
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(std::pair(dlg.ButtonCaption(i), dlg.ButtonModalResult(i)),
                  std::pair(QString(buttons[i - 1].first), buttons[i - 1].second));

    TskMessageDialog plain;
    ConfigureMessageDialog(plain, "Done", TMsgDlgType::mtError, 0);
    EXPECT_EQ(plain.IconType(), TskIconType::skStop);
    EXPECT_EQ(plain.ButtonCount(), 1);
    EXPECT_EQ(plain.ButtonCaption(1), "OK");
    EXPECT_EQ(plain.ButtonModalResult(1), mrOk);
    // Out-of-range values are clamped or ignored.
    plain.SetButtonCount(9);
    EXPECT_EQ(plain.ButtonCount(), 3);
    plain.SetButtonCount(0);
    EXPECT_EQ(plain.ButtonCount(), 1);
    plain.SetIconType(static_cast<TskIconType>(17));
    EXPECT_EQ(plain.IconType(), TskIconType::skNone);
    plain.SetButtonCaption(0, "x");
    EXPECT_EQ(plain.ButtonCaption(1), "OK");
}

TEST(InputDialog, ButtonsAreCentredOnTheFormAndTextComesBackOnlyOnOk)
{
    TskInputDialog dlg;
    dlg.SetPromptText("Section name:");
    dlg.SetValueText("Intro");
    SkinDialogForm form = dlg.BuildForm();
    EXPECT_EQ(ButtonXs(form), (std::vector<int>{44, 133}));
    EXPECT_EQ(form.edit1->text(), "Intro");
    EXPECT_EQ(form.label->text(), "Section name:");

    // Cancel, closing otherwise and OK: only OK copies the text back.
    for (int closeWith : {int(mrCancel), 0, int(mrOk)}) {
        WhenShown([closeWith](QDialog& d) {
            d.findChild<TskEdit*>()->setText("Finale");
            closeWith ? Click(*ButtonWithResult(d, closeWith)) : d.reject();
        });
        EXPECT_EQ(dlg.ShowModal(), closeWith ? closeWith : mrCancel);
        EXPECT_EQ(dlg.ValueText(), closeWith == mrOk ? "Finale" : "Intro");
    }
}

TEST(PasswordDialog, EditsFollowTheLongerCaptionAndKeepTheMargin)
{
    TskPasswordDialog dlg;
    for (const char* caption : {"User name:", "The name you log in with:"}) {
        dlg.SetItem1Caption(caption);
        SkinDialogForm form = dlg.BuildForm();
        const QFontMetrics fm(form.label->font());
        const int L = std::max(fm.horizontalAdvance(caption), fm.horizontalAdvance("Password:"));
        EXPECT_EQ(form.edit1->x(), 24 + L + 5) << caption;
        EXPECT_EQ(form.edit2->x(), form.edit1->x());
        const int W = form.dialog->width();
        EXPECT_EQ(W, form.edit1->x() + 121 + 24);
        EXPECT_EQ(ButtonXs(form), (std::vector<int>{W / 2 - 8 - 73, W / 2 + 8}));
    }
}

TEST(PasswordDialog, PasswordCharactersAndTextsOnlyOnOk)
{
    TskPasswordDialog dlg;
    dlg.SetItem1Text("operator");
    SkinDialogForm form = dlg.BuildForm();
    EXPECT_EQ(form.edit1->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(form.edit2->echoMode(), QLineEdit::Password);
    EXPECT_EQ(form.edit2->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, form.edit2), '*');
    dlg.SetItem1PasswordChar(QLatin1Char('#'));
    SkinDialogForm hashed = dlg.BuildForm();
    EXPECT_EQ(hashed.edit1->echoMode(), QLineEdit::Password);
    EXPECT_EQ(hashed.edit1->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, hashed.edit1), '#');

    WhenShown([](QDialog& d) {
        const auto edits = d.findChildren<TskEdit*>();
        edits[0]->setText("guest");
        edits[1]->setText("secret");
        d.close();
    });
    EXPECT_EQ(dlg.ShowModal(), mrCancel);
    EXPECT_EQ(dlg.Item1Text(), "operator");
    EXPECT_EQ(dlg.Item2Text(), "");
    WhenShown([](QDialog& d) {
        const auto edits = d.findChildren<TskEdit*>();
        edits[1]->setText("secret");
        Click(*ButtonWithResult(d, mrOk));
    });
    EXPECT_EQ(dlg.ShowModal(), mrOk);
    EXPECT_EQ(dlg.Item1Text(), "operator");
    EXPECT_EQ(dlg.Item2Text(), "secret");
}

TEST(Dialogs, CustomLookIsRefusedWithAMessage)
{
    TskInputDialog dlg;
    QStringList shown;
    dlg.SetErrorBox([&shown](QWidget*, const QString& text) { shown << text; });
    dlg.SetUIStyle(TskUIStyle::Crystal);
    dlg.SetUIStyle(TskUIStyle::Custom);
    EXPECT_EQ(dlg.UIStyle(), TskUIStyle::Crystal);
    EXPECT_EQ(shown, QStringList{"Sorry, can't be custom style"});
}

TEST(Dialogs, FormsAreFramedInTheChosenLook)
{
    TskMessageDialog dlg;
    dlg.SetUIStyle(TskUIStyle::Pearl);
    dlg.SetCaption("Laser");
    SkinDialogForm form = dlg.BuildForm();
    EXPECT_EQ(form.frame->UIStyle(), TskUIStyle::Pearl);
    EXPECT_EQ(form.frame->Caption(), "Laser");
    // The frame restyles the buttons made before its look was set.
    EXPECT_EQ(form.buttons[0]->UIStyle(), TskUIStyle::Pearl);
    EXPECT_EQ(form.buttons[0]->cursor().shape(), Qt::PointingHandCursor);
}

TEST(Dialogs, FormsArePlacedAsPositionSays)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget mainForm;
    mainForm.setGeometry(screen.left() + 40, screen.top() + 40, 300, 200);
    QWidget ownerForm;
    ownerForm.setGeometry(screen.left() + 420, screen.top() + 300, 500, 360);
    auto* ownerButton = new QWidget(&ownerForm);  // the dialog's owner sits inside its form
    mainForm.show();
    ownerForm.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&ownerForm));
    QApplication::setActiveWindow(&mainForm);
    ASSERT_EQ(QApplication::activeWindow(), &mainForm);

    const std::vector<std::pair<TPosition, QPoint>> cases = {
        {TPosition::poScreenCenter, screen.center()},
        {TPosition::poDesktopCenter, screen.center()},
        {TPosition::poMainFormCenter, mainForm.frameGeometry().center()},
        {TPosition::poOwnerFormCenter, ownerForm.frameGeometry().center()},
    };
    for (const auto& [position, centre] : cases) {
        TskInputDialog dialog(ownerButton);
        dialog.SetPosition(position);
        const SkinDialogForm form = dialog.BuildForm();
        const QRect placed = form.dialog->geometry();
        EXPECT_LE((placed.center() - centre).manhattanLength(), 2) << int(position);
    }
    // Without an owner, the owner's place falls to the main form.
    TskInputDialog unowned;
    unowned.SetPosition(TPosition::poOwnerFormCenter);
    EXPECT_LE((unowned.BuildForm().dialog->geometry().center() - mainForm.frameGeometry().center()).manhattanLength(), 2);
}
