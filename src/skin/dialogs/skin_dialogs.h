#pragma once
// Skinned modal questions: a message with up to three buttons, a one-line
// input and a user-name/password pair. Each ShowModal builds its form in
// code (a frameless dialog inside a TskForm frame), lays it out, runs it and
// frees it again; entered texts come back only when the result is OK.

#include "skin/themes.h"
#include "skin/title_bar.h"

#include <QDialog>
#include <QFont>
#include <QString>

#include <array>
#include <memory>
#include <vector>

class QLabel;
class TskButton;
class TskEdit;
class TskForm;

enum class TskIconType : std::uint8_t { skNone = 0, skWarning = 1, skStop = 2, skInformation = 3, skHelp = 4 };

/// Where a dialog's form is placed.
enum class TPosition : std::uint8_t {
    poDesigned = 0,
    poDefault = 1,
    poDefaultPosOnly = 2,
    poDefaultSizeOnly = 3,
    poScreenCenter = 4,
    poDesktopCenter = 5,
    poMainFormCenter = 6,
    poOwnerFormCenter = 7,
};

/// The pointer shape of a stored cursor number (-21 the pointing hand; an
/// unknown number the arrow).
Qt::CursorShape CursorShapeOf(int cursor);

/// The picture name of a message icon; empty for none or an unknown value.
QString MessageIconName(TskIconType icon);

/// A built dialog form: the parts the layout placed, for running and for tests.
struct SkinDialogForm {
    std::unique_ptr<QDialog> dialog;
    TskForm* frame = nullptr;                 // "skForm1"
    QLabel* label = nullptr;                  // message or prompt; first caption of the password pair
    QLabel* label2 = nullptr;                 // second caption of the password pair
    QLabel* image = nullptr;                  // the message icon
    TskEdit* edit1 = nullptr;
    TskEdit* edit2 = nullptr;
    std::vector<TskButton*> buttons;          // Button1 first
};

class TskDialog : public QObject {
    Q_OBJECT
public:
    explicit TskDialog(QObject* owner = nullptr);

    TPosition Position() const { return m_position; }
    void SetPosition(TPosition position) { m_position = position; }
    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption) { m_caption = caption; }
    int ButtonCursor() const { return m_buttonCursor; }
    void SetButtonCursor(int cursor) { m_buttonCursor = cursor; }
    TskUIStyle UIStyle() const { return m_uiStyle; }
    /// Any built-in look is stored; Custom is refused with
    /// "Sorry, can't be custom style" and the old look stays.
    void SetUIStyle(TskUIStyle style);
    QFont Font() const { return m_font; }
    /// Copies the font.
    void SetFont(const QFont& font) { m_font = font; }
    /// Replaces the message box that refuses Custom.
    void SetErrorBox(TskErrorBox box) { m_errorBox = std::move(box); }

    /// The form as ShowModal would run it, laid out, not shown.
    virtual SkinDialogForm BuildForm() const = 0;
    /// GUI thread. Runs the form modally; the pressed button's modal result,
    /// 2 (Cancel) when the form was closed otherwise.
    virtual int ShowModal() = 0;

protected:
    /// A frameless dialog of that size with its frame styled as a dialog frame.
    SkinDialogForm MakeForm(const QString& name, int width, int height) const;
    /// Caption, look and position: the last steps before the form shows.
    void FinishForm(SkinDialogForm& form) const;
    /// Centres the form on the screen or desktop, over the main form (the
    /// application's active window) or over the owner's window, as Position
    /// says; designed and default positions leave it where the system puts it.
    void PlaceForm(QDialog& dialog) const;
    QWidget* OwnerForm() const;
    TskButton* MakeButton(SkinDialogForm& form, const QString& caption, int result, QRect geometry) const;
    /// Runs a built form; 0 (closed otherwise) reads as Cancel.
    static int Run(SkinDialogForm& form);

private:
    TPosition m_position = TPosition::poScreenCenter;
    QString m_caption = QStringLiteral("skDialog");
    int m_buttonCursor = -21;
    TskUIStyle m_uiStyle = TskUIStyle::Navy;
    QFont m_font;
    TskErrorBox m_errorBox = ShowSkinErrorBox;
};

class TskMessageDialog : public TskDialog {
    Q_OBJECT
public:
    explicit TskMessageDialog(QObject* owner = nullptr) : TskDialog(owner) {}

    int ButtonCount() const { return m_buttonCount; }
    /// Kept within 1..3.
    void SetButtonCount(int count);
    /// Button 1..3; other numbers read empty and set nothing.
    QString ButtonCaption(int i) const;
    void SetButtonCaption(int i, const QString& caption);
    int ButtonModalResult(int i) const;
    void SetButtonModalResult(int i, int result);
    TskIconType IconType() const { return m_iconType; }
    /// An unknown value reads as none.
    void SetIconType(TskIconType icon);
    QString Text() const { return m_text; }
    void SetText(const QString& text) { m_text = text; }

    SkinDialogForm BuildForm() const override;
    int ShowModal() override;

private:
    int m_buttonCount = 1;
    std::array<QString, 3> m_captions{QStringLiteral("OK"), QStringLiteral("Cancel"), QStringLiteral("Cancel")};
    std::array<int, 3> m_results{1, 2, 2};
    TskIconType m_iconType = TskIconType::skNone;
    QString m_text = QStringLiteral("Hello world!");
};

class TskInputDialog : public TskDialog {
    Q_OBJECT
public:
    explicit TskInputDialog(QObject* owner = nullptr) : TskDialog(owner) {}

    QString PromptText() const { return m_prompt; }
    void SetPromptText(const QString& text) { m_prompt = text; }
    /// The text shown first, and the entered text after an OK.
    QString ValueText() const { return m_value; }
    void SetValueText(const QString& text) { m_value = text; }
    QString ButtonOKCaption() const { return m_okCaption; }
    void SetButtonOKCaption(const QString& caption) { m_okCaption = caption; }
    QString ButtonCancelCaption() const { return m_cancelCaption; }
    void SetButtonCancelCaption(const QString& caption) { m_cancelCaption = caption; }

    SkinDialogForm BuildForm() const override;
    int ShowModal() override;

private:
    QString m_prompt = QStringLiteral("Prompt text:");
    QString m_value;
    QString m_okCaption = QStringLiteral("OK");
    QString m_cancelCaption = QStringLiteral("Cancel");
};

class TskPasswordDialog : public TskDialog {
    Q_OBJECT
public:
    explicit TskPasswordDialog(QObject* owner = nullptr) : TskDialog(owner) {}

    QString Item1Caption() const { return m_item1Caption; }
    void SetItem1Caption(const QString& caption) { m_item1Caption = caption; }
    QString Item2Caption() const { return m_item2Caption; }
    void SetItem2Caption(const QString& caption) { m_item2Caption = caption; }
    /// The character shown for each typed one; a null character shows the text.
    QChar Item1PasswordChar() const { return m_item1Char; }
    void SetItem1PasswordChar(QChar c) { m_item1Char = c; }
    QChar Item2PasswordChar() const { return m_item2Char; }
    void SetItem2PasswordChar(QChar c) { m_item2Char = c; }
    QString Item1Text() const { return m_item1Text; }
    void SetItem1Text(const QString& text) { m_item1Text = text; }
    QString Item2Text() const { return m_item2Text; }
    void SetItem2Text(const QString& text) { m_item2Text = text; }
    QString ButtonOKCaption() const { return m_okCaption; }
    void SetButtonOKCaption(const QString& caption) { m_okCaption = caption; }
    QString ButtonCancelCaption() const { return m_cancelCaption; }
    void SetButtonCancelCaption(const QString& caption) { m_cancelCaption = caption; }

    SkinDialogForm BuildForm() const override;
    int ShowModal() override;

private:
    QString m_item1Caption = QStringLiteral("User name:");
    QString m_item2Caption = QStringLiteral("Password:");
    QChar m_item1Char;
    QChar m_item2Char = QLatin1Char('*');
    QString m_item1Text;
    QString m_item2Text;
    QString m_okCaption = QStringLiteral("OK");
    QString m_cancelCaption = QStringLiteral("Cancel");
};

/// Kinds of message for SkinMsgDlg.
enum class TMsgDlgType : std::uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

/// The buttons SkinMsgDlg may show, as a set of flags.
enum TMsgDlgBtn : unsigned {
    mbYes = 1u << 0,
    mbNo = 1u << 1,
    mbOK = 1u << 2,
    mbCancel = 1u << 3,
    mbAbort = 1u << 4,
    mbRetry = 1u << 5,
    mbIgnore = 1u << 6,
};

/// Configures `dialog` for the message: the icon of the kind, and the first
/// three buttons of the set in the order Yes, No, OK, Cancel, Abort, Retry,
/// Ignore with their results (6, 7, 1, 2, 3, 4, 5); an empty set gives "OK".
void ConfigureMessageDialog(TskMessageDialog& dialog, const QString& msg, TMsgDlgType type, unsigned buttons);
/// GUI thread. Shows the message modally; the pressed button's result.
int SkinMsgDlg(const QString& msg, TMsgDlgType type, unsigned buttons = mbOK);
