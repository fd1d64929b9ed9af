#pragma once
// The skinned edit bound to a field: it shows the field's display text, or
// its edit text while focused and writable; typing puts the data set into
// edit mode, Escape takes the stored value back, leaving writes it. A field
// with an edit mask is typed through it, and a value that does not fill the
// mask is refused when written. Bytes cannot be shown as a line of text: the
// edit shows a label for them and is read-only. Every change of the text
// starts the edit (or is taken back); a text that ends as it began is not written.

#include "skin/data_aware/db_field_control.h"
#include "skin/edit.h"
#include "skin/data_aware/edit_mask.h"
#include "skin/data_aware/typed_length_limit.h"

#include <QMenu>

#include <memory>

class TskDBEdit : public TskEdit, public TskDBFieldControl {
    Q_OBJECT
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
public:
    /// GUI thread. Read-only until its data set edits.
    explicit TskDBEdit(QWidget* parent = nullptr);

    /// What the operator may type; 0 follows a string field's size (no
    /// limit for other fields). A stored value longer than it is shown and
    /// kept whole, and may be shortened.
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int length);
    /// The length typing stops at for the bound field now (0: none).
    int TypedLimit() const { return m_typedLimit->Limit(); }
    /// Why the last write of the text was refused (empty when it was not).
    QString LastError() const { return m_lastError; }
    /// The right-click menu: its cut, paste, delete and undo put the data
    /// set into edit mode first, as typing does.
    std::unique_ptr<QMenu> CreateContextMenu();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void DataChange();
    void EditingChange();
    bool UpdateData();
    void ApplyEditMask(const QString& mask);
    /// Whether the edit already shows the value (so it is not set again).
    bool SameAsShown(const QString& value) const;

    int m_maxLength = 0;
    TypedLengthLimit* m_typedLimit;  // child of this edit
    bool m_focused = false;
    QString m_lastError;
    QString m_editMask;  // the field's mask as last applied
    ParsedEditMask m_mask;
    QString m_setValue;  // the value last shown, and the text it gave
    QString m_setText;
};
