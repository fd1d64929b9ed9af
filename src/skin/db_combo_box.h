#pragma once
// The skinned combo box bound to a field. The list styles select the item
// equal to the field's text; the editable style shows the text itself when
// no item matches. Choosing or typing puts the data set into edit mode;
// opening the list does too, and closing it unchanged shows the field again.

#include "skin/combo_box.h"
#include "skin/db_field_control.h"

enum class TComboBoxStyle : std::uint8_t { csDropDown = 0, csSimple = 1, csDropDownList = 2 };

class TskDBComboBox : public TskCustomComboBox, public TskDBFieldControl {
    Q_OBJECT
public:
    /// GUI thread. A drop-down box (editable) in the look of parent's form.
    explicit TskDBComboBox(QWidget* parent = nullptr);

    TComboBoxStyle Style() const { return m_style; }
    /// The list styles do not type; the others do.
    void SetStyle(TComboBoxStyle style);
    /// The text written back: the selected item for the list style, the typed text otherwise.
    QString ComboText() const;

    void showPopup() override;
    void hidePopup() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void DataChange();
    void EditingChange();
    bool UpdateData();
    bool ListStyle() const { return m_style == TComboBoxStyle::csDropDownList; }

    TComboBoxStyle m_style = TComboBoxStyle::csDropDown;
    bool m_dropped = false;
};
