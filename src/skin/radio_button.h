#pragma once
// The skinned radio button: checking one unchecks the radio buttons beside
// it (same parent, same GroupIndex); clicking a checked one keeps it checked.

#include "skin/check_box.h"

class TskRadioButton : public TskCheckBox {
    Q_OBJECT
public:
    /// Caption "skRadioButton", height 17, in the look of the parent's form.
    explicit TskRadioButton(QWidget* parent = nullptr);

    int GroupIndex() const { return m_groupIndex; }
    /// Stores the group among the radio buttons of the same parent.
    void SetGroupIndex(int index) { m_groupIndex = index; }

protected:
    void SetButtonPic(TskUIStyle style) override;
    void TransparentChanged() override;
    void DoClick() override;
    void CheckStateChanged() override;

private:
    void UnCheckGroup();

    int m_groupIndex = 0;
};
