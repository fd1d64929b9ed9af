#include "skin/radio_button.h"

TskRadioButton::TskRadioButton(QWidget* parent) : TskCheckBox(parent)
{
    SetPicTransparentFlag(true);
    SetCaption(QStringLiteral("skRadioButton"));
    SetUIStyle(GetSkinFormStyle(parent));
}

void TskRadioButton::SetButtonPic(TskUIStyle style)
{
    CachePicSize(style);
    const bool enabled = isEnabled();
    if (Checked()) {
        SetPicNormal(GetThemeString(style, enabled ? 37 : 35));
        SetPicMouseOn(GetThemeString(style, 39));
        SetPicMouseDown(GetThemeString(style, 41));
    } else {
        SetPicNormal(GetThemeString(style, enabled ? 38 : 36));
        SetPicMouseOn(GetThemeString(style, 40));
        SetPicMouseDown(GetThemeString(style, 42));
    }
    update();
}

void TskRadioButton::TransparentChanged()
{
    SetPicTransparentFlag(true);
}

void TskRadioButton::DoClick()
{
    if (!Checked())
        SetChecked(true);
}

void TskRadioButton::CheckStateChanged()
{
    if (Checked())
        UnCheckGroup();
    TskCheckBox::CheckStateChanged();
}

void TskRadioButton::UnCheckGroup()
{
    QWidget* parent = parentWidget();
    if (!parent)
        return;
    for (QObject* child : parent->children()) {
        auto* other = qobject_cast<TskRadioButton*>(child);
        if (other && other != this && other->GroupIndex() == m_groupIndex)
            other->SetChecked(false);
    }
}
