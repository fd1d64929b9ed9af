#include "skin/radio_group.h"

#include "skin/radio_button.h"

TskRadioGroup::TskRadioGroup(QWidget* parent) : TskCheckGroup(parent)
{
    SetCaption(QStringLiteral("skRadioGroup"));
}

TskCheckBox* TskRadioGroup::CreateAButton()
{
    return new TskRadioButton(this);
}

int TskRadioGroup::ItemIndex() const
{
    for (int i = 0; i < ButtonCount(); ++i)
        if (Button(i)->Checked())
            return i;
    return -1;
}

void TskRadioGroup::SetItemIndex(int index)
{
    if (index < -1 || index >= ButtonCount())
        return;
    if (index == -1) {
        for (int i = 0; i < ButtonCount(); ++i)
            Button(i)->SetChecked(false);
        return;
    }
    // Checking a radio button unchecks its siblings of the same group.
    Button(index)->SetChecked(true);
}
