#pragma once
// The skinned edit bound to a field: it shows the field's display text, or
// its edit text while focused and writable; typing puts the data set into
// edit mode, Escape takes the stored value back, leaving writes it.

#include "skin/db_field_control.h"
#include "skin/edit.h"

class TskDBEdit : public TskEdit, public TskDBFieldControl {
    Q_OBJECT
public:
    /// GUI thread. Read-only until its data set edits.
    explicit TskDBEdit(QWidget* parent = nullptr);

    /// 0 follows a string field's size.
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int length);
    /// Why the last write of the text was refused (empty when it was not).
    QString LastError() const { return m_lastError; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void DataChange();
    void EditingChange();
    bool UpdateData();

    int m_maxLength = 0;
    bool m_focused = false;
    QString m_lastError;
};
