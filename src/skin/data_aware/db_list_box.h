#pragma once
// The skinned list box bound to a field: the item equal to the field's text
// is selected; selecting an item writes its text. Moving keys and typing
// put the data set into edit mode first (a refused edit drops the key).

#include "skin/data_aware/db_field_control.h"
#include "skin/list_box.h"

class TskDBListBox : public TskListBox, public TskDBFieldControl {
    Q_OBJECT
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
public:
    /// GUI thread. No items.
    explicit TskDBListBox(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void DataChange();
    bool UpdateData();
};
