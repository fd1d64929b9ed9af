#include "skin/check_box.h"

#include "skin/theme_pictures.h"

TskCheckBox::TskCheckBox(QWidget* parent) : TskCustomButtonEx(parent)
{
    resize(width(), 17);
    SetPicTransparentFlag(false);
    SetCaption(QStringLiteral("skCheckBox"));
    SetUIStyle(GetSkinFormStyle(parent));
}

TCheckBoxState TskCheckBox::State() const
{
    return Checked() ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked;
}

void TskCheckBox::SetState(TCheckBoxState state)
{
    SetChecked(state == TCheckBoxState::cbChecked);
}

void TskCheckBox::ApplyContainerStyle(TskUIStyle style)
{
    if (UIStyle() != TskUIStyle::Custom)
        SetUIStyle(style);
}

void TskCheckBox::CachePicSize(TskUIStyle style)
{
    const QString name = GetThemeString(style, 30);
    m_picSize = name.isEmpty() ? QSize(0, 0) : ThemeImage(name).size();
    if (!m_picSize.isValid())
        m_picSize = QSize(0, 0);
}

void TskCheckBox::SetStatePictures(TskUIStyle style, int first)
{
    CachePicSize(style);
    // From `first`: disabled checked, disabled unchecked, then checked and
    // unchecked for the normal, mouse-on and mouse-down states.
    const int offset = Checked() ? 0 : 1;
    SetPicNormal(GetThemeString(style, first + offset + (isEnabled() ? 2 : 0)));
    SetPicMouseOn(GetThemeString(style, first + 4 + offset));
    SetPicMouseDown(GetThemeString(style, first + 6 + offset));
}

void TskCheckBox::SetButtonPic(TskUIStyle style)
{
    SetStatePictures(style, 27);
}

void TskCheckBox::UIStyleChanged()
{
    TskCustomButtonEx::UIStyleChanged();
    switch (UIStyle()) {
    case TskUIStyle::Pearl:
    case TskUIStyle::Ivory:
        SetTransparent(true);
        break;
    case TskUIStyle::Azure:
    case TskUIStyle::Navy:
    case TskUIStyle::Crystal:
        SetTransparent(false);
        break;
    case TskUIStyle::Custom:
        break;
    }
}

void TskCheckBox::TransparentChanged()
{
    SetPicTransparentFlag(false);
}

void TskCheckBox::EnableChanged()
{
    SetButtonPic(UIStyle());
}

void TskCheckBox::DoClick()
{
    SetChecked(!Checked());
    Toggle();
}

void TskCheckBox::CheckStateChanged()
{
    SetButtonPic(UIStyle());
}
