#pragma once
// The skinned check box: a click toggles Checked; setting Checked from code
// swaps the pictures without a click.

#include "skin/custom_button_ex.h"

enum class TCheckBoxState : std::uint8_t { cbUnchecked = 0, cbChecked = 1, cbGrayed = 2 };

class TskCheckBox : public TskCustomButtonEx {
    Q_OBJECT
public:
    /// Caption "skCheckBox", height 17, in the look of the parent's form.
    explicit TskCheckBox(QWidget* parent = nullptr);

    /// cbChecked when Checked, else cbUnchecked.
    TCheckBoxState State() const;
    /// cbChecked checks; every other state unchecks (no click).
    void SetState(TCheckBoxState state);

    int GetPicWidth() const override { return m_picSize.width(); }
    int GetPicHeight() const override { return m_picSize.height(); }

    /// Takes the look unless its own is Custom.
    void ApplyContainerStyle(TskUIStyle style) override;

protected:
    virtual void Toggle() {}
    /// Reads the box size from the look's unchecked check-box picture.
    void CachePicSize(TskUIStyle style);
    /// Picks the state pictures from the eight elements starting at `first`
    /// (27 for check boxes, 35 for radio buttons) by Checked and enabled.
    void SetStatePictures(TskUIStyle style, int first);

    void SetButtonPic(TskUIStyle style) override;
    void UIStyleChanged() override;
    void TransparentChanged() override;
    void EnableChanged() override;
    void DoClick() override;
    void CheckStateChanged() override;

private:
    QSize m_picSize{0, 0};
};
