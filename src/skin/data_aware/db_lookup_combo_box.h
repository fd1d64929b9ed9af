#pragma once
// The skinned lookup combo box: the list field's text of the selected key,
// a drop-down button, and a pop-up data list to choose from. Up and Down
// step through the list while it is closed; typing searches it.

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

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    TColor m_borderColor = clBlack;
    int m_dropDownRows = 7;
    std::unique_ptr<TskPopupDataList> m_popup;
};
