#include "skin/dialogs/skin_dialogs.h"

#include "skin/button.h"
#include "skin/edit.h"
#include "skin/dialogs/modal_result.h"
#include "skin/skin_form.h"
#include "skin/theme_pictures.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QProxyStyle>
#include <QScreen>

#include <algorithm>

namespace {

constexpr TColor kDialogColor = 15263976;

// Draws a line edit's hidden characters with the dialog's own character.
class PasswordCharStyle : public QProxyStyle {
public:
    explicit PasswordCharStyle(QChar c) : m_char(c) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return m_char.unicode();
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

private:
    QChar m_char;
};

void ApplyPasswordChar(TskEdit& edit, QChar c)
{
    if (c.isNull()) {
        edit.setEchoMode(QLineEdit::Normal);
        return;
    }
    auto* style = new PasswordCharStyle(c);
    style->setParent(&edit);  // setStyle does not take ownership
    edit.setStyle(style);
    edit.setEchoMode(QLineEdit::Password);
}

QLabel* MakeLabel(QWidget* parent, const QString& text, QPoint at)
{
    auto* label = new QLabel(text, parent);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->move(at);
    label->adjustSize();
    return label;
}

}  // namespace

Qt::CursorShape CursorShapeOf(int cursor)
{
    switch (cursor) {
    case -21: return Qt::PointingHandCursor;
    case -22: return Qt::SizeAllCursor;
    case -19: return Qt::BusyCursor;
    case -11: return Qt::WaitCursor;
    case -4: return Qt::IBeamCursor;
    case -3: return Qt::CrossCursor;
    case -1: return Qt::BlankCursor;
    default: return Qt::ArrowCursor;
    }
}

QString MessageIconName(TskIconType icon)
{
    switch (icon) {
    case TskIconType::skWarning: return QStringLiteral("MSGDLG_WARNING");
    case TskIconType::skStop: return QStringLiteral("MSGDLG_ERROR");
    case TskIconType::skInformation: return QStringLiteral("MSGDLG_INFORMATION");
    case TskIconType::skHelp: return QStringLiteral("MSGDLG_QUESTION");
    default: return {};
    }
}

// --- Base ------------------------------------------------------------------------

TskDialog::TskDialog(QObject* owner) : QObject(owner)
{
    m_font = QApplication::font();
    m_font.setPixelSize(11);
}

void TskDialog::SetUIStyle(TskUIStyle style)
{
    if (!IsBuiltInStyle(style)) {
        if (m_errorBox)
            m_errorBox(nullptr, QStringLiteral("Sorry, can't be custom style"));
        return;
    }
    m_uiStyle = style;
}

SkinDialogForm TskDialog::MakeForm(const QString& name, int width, int height) const
{
    SkinDialogForm form;
    form.dialog = std::make_unique<QDialog>();
    form.dialog->setObjectName(name);
    form.dialog->setFont(m_font);
    form.dialog->setMinimumWidth(130);
    form.dialog->resize(width, height);
    form.frame = new TskForm(form.dialog.get(), TFormBorderStyle::bsDialog);
    form.frame->setObjectName(QStringLiteral("skForm1"));
    form.frame->SetUIStyleAutoUpdateSub(true);
    form.frame->SetBorderColor(clBlack);
    form.frame->SetBorderWidth(1);
    form.frame->SetColor(kDialogColor);
    QFont titleFont(QStringLiteral("Tahoma"));
    titleFont.setPixelSize(11);
    titleFont.setBold(true);
    form.frame->SetTitleBarFont(titleFont);
    form.frame->SetTitleBarDrawAppIcon(false);
    form.frame->SetMenuBarHeight(22);
    TskTitleBarButtons& buttons = form.frame->TitleBar().Buttons();
    buttons.Clear();
    buttons.Add(TskTitleBarBtnType::skClose);
    form.dialog->resize(width, height);
    return form;
}

TskButton* TskDialog::MakeButton(SkinDialogForm& form, const QString& caption, int result, QRect geometry) const
{
    auto* button = new TskButton(form.frame);
    button->SetUIStyle(TskUIStyle::Navy);
    button->setGeometry(geometry);
    button->SetCaption(caption);
    button->SetModalResult(result);
    button->SetTabStop(true);
    button->setCursor(CursorShapeOf(m_buttonCursor));
    return button;
}

void TskDialog::FinishForm(SkinDialogForm& form) const
{
    form.frame->SetCaption(m_caption);
    // The frame restyles the buttons made before it (they are its children).
    // The look may change the frame's border; the form keeps the size laid out.
    const QSize laidOut = form.dialog->size();
    form.frame->SetUIStyle(m_uiStyle);
    form.dialog->resize(laidOut);
    form.frame->AlignSelf();
    form.dialog->setWindowTitle(m_caption);
    PlaceForm(*form.dialog);
}

QWidget* TskDialog::OwnerForm() const
{
    for (QObject* o = parent(); o; o = o->parent())
        if (auto* widget = qobject_cast<QWidget*>(o))
            return widget->window();
    return nullptr;
}

void TskDialog::PlaceForm(QDialog& dialog) const
{
    // The main form is the application's active window; the owner form the
    // window of the widget that owns the dialog (the main form without one).
    QWidget* over = nullptr;
    switch (m_position) {
    case TPosition::poOwnerFormCenter:
        over = OwnerForm();
        if (!over)
            over = QApplication::activeWindow();
        break;
    case TPosition::poMainFormCenter:
        over = QApplication::activeWindow();
        break;
    case TPosition::poScreenCenter:
    case TPosition::poDesktopCenter:
        break;
    default:
        return;  // the designed or the system's default position
    }
    const QPoint half(dialog.width() / 2, dialog.height() / 2);
    if (over && over != &dialog && over->isVisible()) {
        dialog.move(over->frameGeometry().center() - half);
        return;
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        dialog.move(screen->availableGeometry().center() - half);
}

int TskDialog::Run(SkinDialogForm& form)
{
    const int result = form.dialog->exec();
    return result == 0 ? mrCancel : result;
}

// --- Message -----------------------------------------------------------------------

void TskMessageDialog::SetButtonCount(int count) { m_buttonCount = std::clamp(count, 1, 3); }

QString TskMessageDialog::ButtonCaption(int i) const
{
    return i >= 1 && i <= 3 ? m_captions[std::size_t(i - 1)] : QString();
}

void TskMessageDialog::SetButtonCaption(int i, const QString& caption)
{
    if (i >= 1 && i <= 3)
        m_captions[std::size_t(i - 1)] = caption;
}

int TskMessageDialog::ButtonModalResult(int i) const { return i >= 1 && i <= 3 ? m_results[std::size_t(i - 1)] : 0; }

void TskMessageDialog::SetButtonModalResult(int i, int result)
{
    if (i >= 1 && i <= 3)
        m_results[std::size_t(i - 1)] = result;
}

void TskMessageDialog::SetIconType(TskIconType icon)
{
    m_iconType = std::uint8_t(icon) <= std::uint8_t(TskIconType::skHelp) ? icon : TskIconType::skNone;
}

SkinDialogForm TskMessageDialog::BuildForm() const
{
    SkinDialogForm form = MakeForm(QStringLiteral("frmMsg"), 334, 139);
    auto* label = new QLabel(Text(), form.frame);
    label->setObjectName(QStringLiteral("lbl"));
    label->setWordWrap(true);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setFixedWidth(225);
    label->setFixedHeight(std::max(13, label->heightForWidth(225)));
    label->move(88, 64);
    form.label = label;
    auto* image = new QLabel(form.frame);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(24, 64, 40, 40);
    form.image = image;

    // The content bottom counts the icon's place even when no icon shows.
    const int B = std::max(label->y() + label->height(), image->y() + image->height());
    int formWidth = form.dialog->width();
    const QString iconName = MessageIconName(m_iconType);
    if (!iconName.isEmpty()) {
        const QImage picture = MaskedImage(ThemeImage(iconName), qRgb(255, 0, 255));
        image->setPixmap(QPixmap::fromImage(picture));
        image->resize(picture.size().isEmpty() ? QSize(40, 40) : picture.size());
    } else {
        label->move(24, 64);
        image->hide();
        if (m_buttonCount < 3)
            formWidth -= 64;
    }
    form.dialog->resize(formWidth, form.dialog->height());

    int x = formWidth - 73 - 24;
    form.buttons.assign(std::size_t(m_buttonCount), nullptr);
    for (int i = m_buttonCount; i >= 1; --i) {
        TskButton* b = MakeButton(form, m_captions[std::size_t(i - 1)], m_results[std::size_t(i - 1)],
                                  QRect(x, B + 20, 73, 25));
        b->setObjectName(QStringLiteral("Button%1").arg(i));
        form.buttons[std::size_t(i - 1)] = b;
        x -= 93;
    }
    // Button1 (the leftmost, made last) opens with the focus; the tab order runs left to right.
    for (int i = 1; i < m_buttonCount; ++i)
        QWidget::setTabOrder(form.buttons[std::size_t(i - 1)], form.buttons[std::size_t(i)]);
    form.buttons.front()->setFocus();
    form.dialog->resize(formWidth, B + 20 + 25 + 20);
    FinishForm(form);
    return form;
}

int TskMessageDialog::ShowModal()
{
    SkinDialogForm form = BuildForm();
    return Run(form);
}

// --- Input -----------------------------------------------------------------------

SkinDialogForm TskInputDialog::BuildForm() const
{
    SkinDialogForm form = MakeForm(QStringLiteral("frmInput"), 250, 176);
    form.label = MakeLabel(form.frame, m_prompt, {24, 56});
    form.label->setObjectName(QStringLiteral("lbl_prompt"));
    form.edit1 = new TskEdit(form.frame);
    form.edit1->setObjectName(QStringLiteral("edt_value"));
    form.edit1->setGeometry(24, 78, 201, 19);
    form.edit1->SetText(m_value);
    const int half = form.dialog->width() / 2;
    form.buttons.push_back(MakeButton(form, m_okCaption, mrOk, QRect(half - 8 - 73, 128, 73, 25)));
    form.buttons.push_back(MakeButton(form, m_cancelCaption, mrCancel, QRect(half + 8, 128, 73, 25)));
    form.buttons[0]->setObjectName(QStringLiteral("btn1"));
    form.buttons[1]->setObjectName(QStringLiteral("btn2"));
    QWidget::setTabOrder(form.edit1, form.buttons[0]);
    QWidget::setTabOrder(form.buttons[0], form.buttons[1]);
    form.edit1->setFocus();
    FinishForm(form);
    return form;
}

int TskInputDialog::ShowModal()
{
    SkinDialogForm form = BuildForm();
    const int result = Run(form);
    if (result == mrOk)
        m_value = form.edit1->text();
    return result;
}

// --- Password ----------------------------------------------------------------------

SkinDialogForm TskPasswordDialog::BuildForm() const
{
    SkinDialogForm form = MakeForm(QStringLiteral("frmPass"), 250, 187);
    form.label = MakeLabel(form.frame, m_item1Caption, {24, 64});
    form.label->setObjectName(QStringLiteral("lbl1"));
    form.label2 = MakeLabel(form.frame, m_item2Caption, {24, 96});
    form.label2->setObjectName(QStringLiteral("lbl2"));
    form.edit1 = new TskEdit(form.frame);
    form.edit1->setObjectName(QStringLiteral("edt1"));
    form.edit2 = new TskEdit(form.frame);
    form.edit2->setObjectName(QStringLiteral("edt2"));
    form.edit1->SetText(m_item1Text);
    form.edit2->SetText(m_item2Text);
    const QFontMetrics fm(form.label->font());
    const int L = std::max(fm.horizontalAdvance(m_item1Caption), fm.horizontalAdvance(m_item2Caption));
    const int editLeft = 24 + L + 5;
    form.edit1->setGeometry(editLeft, 62, 121, 19);
    form.edit2->setGeometry(editLeft, 96, 121, 19);
    ApplyPasswordChar(*form.edit1, m_item1Char);
    ApplyPasswordChar(*form.edit2, m_item2Char);
    const int W = editLeft + 121 + 24;
    form.dialog->resize(W, form.dialog->height());
    const int half = W / 2;
    form.buttons.push_back(MakeButton(form, m_okCaption, mrOk, QRect(half - 8 - 73, 144, 73, 25)));
    form.buttons.push_back(MakeButton(form, m_cancelCaption, mrCancel, QRect(half + 8, 144, 73, 25)));
    form.buttons[0]->setObjectName(QStringLiteral("btn1"));
    form.buttons[1]->setObjectName(QStringLiteral("btn2"));
    QWidget::setTabOrder(form.edit1, form.edit2);
    QWidget::setTabOrder(form.edit2, form.buttons[0]);
    QWidget::setTabOrder(form.buttons[0], form.buttons[1]);
    form.edit1->setFocus();
    FinishForm(form);
    return form;
}

int TskPasswordDialog::ShowModal()
{
    SkinDialogForm form = BuildForm();
    const int result = Run(form);
    if (result == mrOk) {
        m_item1Text = form.edit1->text();
        m_item2Text = form.edit2->text();
    }
    return result;
}

// --- Free function -----------------------------------------------------------------

void ConfigureMessageDialog(TskMessageDialog& dialog, const QString& msg, TMsgDlgType type, unsigned buttons)
{
    dialog.SetText(msg);
    switch (type) {
    case TMsgDlgType::mtWarning: dialog.SetIconType(TskIconType::skWarning); break;
    case TMsgDlgType::mtError: dialog.SetIconType(TskIconType::skStop); break;
    case TMsgDlgType::mtInformation: dialog.SetIconType(TskIconType::skInformation); break;
    case TMsgDlgType::mtConfirmation: dialog.SetIconType(TskIconType::skHelp); break;
    default: dialog.SetIconType(TskIconType::skNone); break;
    }
    struct Choice {
        unsigned flag;
        const char* caption;
        int result;
    };
    static constexpr Choice kOrder[] = {{mbYes, "Yes", mrYes},         {mbNo, "No", mrNo},
                                        {mbOK, "OK", mrOk},            {mbCancel, "Cancel", mrCancel},
                                        {mbAbort, "Abort", mrAbort},   {mbRetry, "Retry", mrRetry},
                                        {mbIgnore, "Ignore", mrIgnore}};
    int n = 0;
    for (const Choice& c : kOrder) {
        if ((buttons & c.flag) == 0 || n == 3)
            continue;
        ++n;
        dialog.SetButtonCaption(n, QString::fromLatin1(c.caption));
        dialog.SetButtonModalResult(n, c.result);
    }
    dialog.SetButtonCount(std::max(n, 1));
    if (n == 0) {
        dialog.SetButtonCaption(1, QStringLiteral("OK"));
        dialog.SetButtonModalResult(1, mrOk);
    }
}

int SkinMsgDlg(const QString& msg, TMsgDlgType type, unsigned buttons)
{
    TskMessageDialog dialog;
    ConfigureMessageDialog(dialog, msg, type, buttons);
    return dialog.ShowModal();
}
