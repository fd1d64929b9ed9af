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

void TskCheckBox::SetButtonPic(TskUIStyle style)
{
    CachePicSize(style);
    const bool enabled = isEnabled();
    if (Checked()) {
        SetPicNormal(GetThemeString(style, enabled ? 29 : 27));
        SetPicMouseOn(GetThemeString(style, 31));
        SetPicMouseDown(GetThemeString(style, 33));
    } else {
        SetPicNormal(GetThemeString(style, enabled ? 30 : 28));
        SetPicMouseOn(GetThemeString(style, 32));
        SetPicMouseDown(GetThemeString(style, 34));
    }
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
