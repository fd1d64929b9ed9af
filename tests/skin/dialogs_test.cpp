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
#include <tuple>

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
    const std::pair<const char*, int> buttons[] = {{"Yes", mrYes}, {"No", mrNo}, {"Abort", mrAbort}};
    for (int i = 1; i <= 3; ++i) {
        dlg.SetButtonCaption(i, buttons[i - 1].first);
        dlg.SetButtonModalResult(i, buttons[i - 1].second);
    }
    SkinDialogForm three = dlg.BuildForm();
    // Three buttons keep the full width without an icon.
    EXPECT_EQ(std::tuple(three.dialog->width(), ButtonXs(three), three.label->x()),
              std::tuple(334, std::vector<int>{51, 144, 237}, 24));
    EXPECT_EQ(std::tuple(three.buttons[0]->Caption(), three.buttons[2]->ModalResult()), std::tuple(QString("Yes"), int(mrAbort)));
    EXPECT_EQ(three.dialog->focusWidget(), three.buttons[0]);
    EXPECT_FALSE(three.image->isVisibleTo(three.dialog.get()));

    dlg.SetButtonCount(1);
    SkinDialogForm one = dlg.BuildForm();
    EXPECT_EQ(std::tuple(one.dialog->width(), ButtonXs(one)), std::tuple(270, std::vector<int>{173}));

    dlg.SetIconType(TskIconType::skWarning);
    SkinDialogForm icon = dlg.BuildForm();
    EXPECT_EQ(std::tuple(icon.dialog->width(), ButtonXs(icon), icon.label->x(), icon.image->pixmap().size()),
              std::tuple(334, std::vector<int>{237}, 88, QSize(32, 32)));
}

TEST(MessageDialog, HeightFollowsTheLowerOfLabelAndIconPlace)
{
    TskMessageDialog dlg;
    SkinDialogForm shortText = dlg.BuildForm();
    // The icon's place (bottom 104) counts even without an icon.
    EXPECT_EQ(std::tuple(shortText.dialog->height(), shortText.buttons[0]->y()), std::tuple(104 + 65, 124));

    dlg.SetText(QString("A long message that wraps within the label's fixed width. ").repeated(6));
    SkinDialogForm longText = dlg.BuildForm();
    const int B = longText.label->y() + longText.label->height();
    EXPECT_GT(B, 104);
    EXPECT_EQ(std::tuple(longText.label->width(), longText.dialog->height(), longText.buttons[0]->y()),
              std::tuple(225, B + 65, B + 20));
}

TEST(MessageDialog, MessageTypesAndButtonSetsMapToButtonsWhoseResultShowModalReturns)
{
    TskMessageDialog dlg;
    ConfigureMessageDialog(dlg, "Delete?", TMsgDlgType::mtConfirmation, mbNo | mbYes | mbCancel | mbIgnore);
    EXPECT_EQ(std::tuple(dlg.Text(), dlg.IconType(), dlg.ButtonCount()), std::tuple(QString("Delete?"), TskIconType::skHelp, 3));
    const std::pair<const char*, int> buttons[] = {{"Yes", mrYes}, {"No", mrNo}, {"Cancel", mrCancel}};
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(std::tuple(dlg.ButtonCaption(i), dlg.ButtonModalResult(i)),
                  std::tuple(QString(buttons[i - 1].first), buttons[i - 1].second));

    TskMessageDialog plain;
    ConfigureMessageDialog(plain, "Done", TMsgDlgType::mtError, 0);
    EXPECT_EQ(std::tuple(plain.IconType(), plain.ButtonCount(), plain.ButtonCaption(1), plain.ButtonModalResult(1)),
              std::tuple(TskIconType::skStop, 1, QString("OK"), int(mrOk)));
    // Out-of-range values are clamped or ignored.
    std::vector<int> counts;
    for (int count : {9, 0}) {
        plain.SetButtonCount(count);
        counts.push_back(plain.ButtonCount());
    }
    plain.SetIconType(static_cast<TskIconType>(17));
    plain.SetButtonCaption(0, "x");
    EXPECT_EQ(std::tuple(counts, plain.IconType(), plain.ButtonCaption(1)),
              std::tuple(std::vector{3, 1}, TskIconType::skNone, QString("OK")));

    // ShowModal returns the pressed button's result, and Cancel when closed.
    plain.SetButtonCount(2);
    plain.SetButtonModalResult(2, mrRetry);
    WhenShown([](QDialog& d) { Click(*ButtonWithResult(d, mrRetry)); });
    EXPECT_EQ(plain.ShowModal(), mrRetry);
    WhenShown([](QDialog& d) { d.close(); });
    EXPECT_EQ(plain.ShowModal(), mrCancel);
}

TEST(InputDialog, ButtonsAreCentredOnTheFormAndTextComesBackOnlyOnOk)
{
    TskInputDialog dlg;
    dlg.SetPromptText("Section name:");
    dlg.SetValueText("Intro");
    SkinDialogForm form = dlg.BuildForm();
    EXPECT_EQ(std::tuple(ButtonXs(form), form.edit1->text(), form.label->text()),
              std::tuple(std::vector<int>{44, 133}, QString("Intro"), QString("Section name:")));

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

TEST(PasswordDialog, PasswordCharactersTextsOnlyOnOkAndEditsFollowTheLongerCaption)
{
    TskPasswordDialog dlg;
    dlg.SetItem1Text("operator");
    auto mask = [](QLineEdit* e) { return e->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, e); };
    SkinDialogForm form = dlg.BuildForm();
    EXPECT_EQ(std::tuple(form.edit1->echoMode(), form.edit2->echoMode(), mask(form.edit2)),
              std::tuple(QLineEdit::Normal, QLineEdit::Password, int('*')));
    dlg.SetItem1PasswordChar(QLatin1Char('#'));
    SkinDialogForm hashed = dlg.BuildForm();
    EXPECT_EQ(std::tuple(hashed.edit1->echoMode(), mask(hashed.edit1)), std::tuple(QLineEdit::Password, int('#')));

    WhenShown([](QDialog& d) {
        const auto edits = d.findChildren<TskEdit*>();
        edits[0]->setText("guest");
        edits[1]->setText("secret");
        d.close();
    });
    EXPECT_EQ(dlg.ShowModal(), mrCancel);
    EXPECT_EQ(QStringList({dlg.Item1Text(), dlg.Item2Text()}), QStringList({"operator", ""}));
    WhenShown([](QDialog& d) {
        const auto edits = d.findChildren<TskEdit*>();
        edits[1]->setText("secret");
        Click(*ButtonWithResult(d, mrOk));
    });
    EXPECT_EQ(dlg.ShowModal(), mrOk);
    EXPECT_EQ(QStringList({dlg.Item1Text(), dlg.Item2Text()}), QStringList({"operator", "secret"}));

    // The edits follow the longer caption and keep the margin.
    for (const char* caption : {"User name:", "The name you log in with:"}) {
        dlg.SetItem1Caption(caption);
        SkinDialogForm form = dlg.BuildForm();
        const QFontMetrics fm(form.label->font());
        const int L = std::max(fm.horizontalAdvance(caption), fm.horizontalAdvance("Password:"));
        const int W = form.dialog->width();
        EXPECT_EQ(std::tuple(form.edit1->x(), form.edit2->x(), W), std::tuple(24 + L + 5, 24 + L + 5, 24 + L + 5 + 121 + 24))
            << caption;
        EXPECT_EQ(ButtonXs(form), (std::vector<int>{W / 2 - 8 - 73, W / 2 + 8}));
    }
}

TEST(Dialogs, CustomLookIsRefusedWithAMessageAndFormsAreFramedInTheChosenLook)
{
    TskInputDialog dlg;
    QStringList shown;
    dlg.SetErrorBox([&shown](QWidget*, const QString& text) { shown << text; });
    dlg.SetUIStyle(TskUIStyle::Crystal);
    dlg.SetUIStyle(TskUIStyle::Custom);
    EXPECT_EQ(dlg.UIStyle(), TskUIStyle::Crystal);
    EXPECT_EQ(shown, QStringList{"Sorry, can't be custom style"});

    // Forms are framed in the chosen look; the frame restyles the buttons made before its look was set.
    TskMessageDialog message;
    message.SetUIStyle(TskUIStyle::Pearl);
    message.SetCaption("Laser");
    SkinDialogForm form = message.BuildForm();
    EXPECT_EQ(std::tuple(form.frame->UIStyle(), form.frame->Caption(), form.buttons[0]->UIStyle(),
                         form.buttons[0]->cursor().shape()),
              std::tuple(TskUIStyle::Pearl, QString("Laser"), TskUIStyle::Pearl, Qt::PointingHandCursor));
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
