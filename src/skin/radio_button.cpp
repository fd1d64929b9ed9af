#include "skin/radio_button.h"

TskRadioButton::TskRadioButton(QWidget* parent) : TskCheckBox(parent)
{
    SetPicTransparentFlag(true);
    SetCaption(QStringLiteral("skRadioButton"));
    SetUIStyle(GetSkinFormStyle(parent));
}

void TskRadioButton::SetButtonPic(TskUIStyle style)
{
    SetStatePictures(style, 35);
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
