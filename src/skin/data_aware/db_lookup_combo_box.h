#pragma once
// The skinned lookup combo box: the list field's text of the selected key,
// a drop-down button drawn as the skinned combo boxes' in the form's look,
// and a pop-up data list to choose from. Up and Down step through the list
// (in the pop-up while it is open); typing searches it. The pop-up closes
// when the box loses focus or the operator clicks elsewhere.

#include "skin/combo_box.h"
#include "skin/data_aware/db_lookup_control.h"
#include "skin/skin_drawing.h"

class TskPopupDataList;

class TskDBLookupComboBox : public TskDBLookupControl {
    Q_OBJECT
public:
    /// GUI thread. 145 wide, black frame.
    explicit TskDBLookupComboBox(QWidget* parent = nullptr);
    ~TskDBLookupComboBox() override;

    TColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(TColor color);
    int DropDownRows() const { return m_dropDownRows; }
    void SetDropDownRows(int rows) { m_dropDownRows = std::clamp(rows, 1, 100); }
    bool ListVisible() const;
    /// Opens the pop-up list below the box.
    void DropDown();
    /// Closes it; `accept` takes the key chosen in it.
    void CloseUp(bool accept);
    /// The pop-up list while open (null otherwise).
    TskPopupDataList* PopupList() const { return m_popup.get(); }
    /// The drop-down button, in the box's pixels.
    QRect ButtonRect() const;
    /// The look of the drop-down button and frame (theme colours 74 and 8).
    void SetUIStyle(TskUIStyle style);
    TskUIStyle UIStyleOf() const override { return m_uiStyle; }
    void ApplyContainerStyle(TskUIStyle style) override { SetUIStyle(style); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TColor m_borderColor = clBlack;
    TskUIStyle m_uiStyle = TskUIStyle::Custom;
    ComboDropButtonLook m_buttonLook;
    int m_dropDownRows = 7;
    std::unique_ptr<TskPopupDataList> m_popup;
};
