#pragma once
// The skinned radio group: a check group whose items are radio buttons, so
// that one item at a time is checked, read and set through ItemIndex.

#include "skin/check_group.h"

class TskRadioGroup : public TskCheckGroup {
    Q_OBJECT
public:
    /// GUI thread. As the check group, with caption "skRadioGroup".
    explicit TskRadioGroup(QWidget* parent = nullptr);

    /// The first checked item; -1 when none is.
    int ItemIndex() const;
    /// Checks item i (unchecking the others) or, for -1, unchecks every item.
    /// Any other index outside the items is ignored. Raises no OnClick.
    void SetItemIndex(int index);

protected:
    TskCheckBox* CreateAButton() override;
};
