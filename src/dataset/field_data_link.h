#pragma once
// The link of a control bound to one field: it finds the field by name when
// the data set opens, tells the control when the field's value or the
// editing state changes, and asks it for its value before a post.
// GUI thread.

#include "dataset/data_link.h"

#include <QString>

#include <functional>

class TFieldDataLink : public TDataLink {
public:
    TField* Field() const { return m_field; }
    QString FieldName() const { return m_fieldName; }
    /// Stores the name and finds the field again.
    void SetFieldName(const QString& name);
    /// Not read-only, the field exists and can be modified, and the control
    /// can hold its value (OnCanHold).
    bool CanModify() const;
    /// Editing() and CanModify().
    bool FieldEditing() const { return m_fieldEditing; }
    /// Puts the data set into edit mode when the field can be modified;
    /// returns whether the field is now being edited.
    bool EditField();
    /// The control changed its value: it is written at UpdateData.
    void Modified() { m_modified = true; }
    bool IsModified() const { return m_modified; }
    /// Shows the field's value again, dropping the control's change.
    void Reset() { RecordChanged(nullptr); }
    /// Asks again whether the field is being edited (after OnCanHold's answer changed).
    void UpdateFieldEditing();

    std::function<void()> OnDataChange;
    std::function<void()> OnEditingChange;
    /// Writes the control's value; false when the field refused it (the
    /// data set's LastError says why, and a post in progress stops).
    std::function<bool()> OnUpdateData;
    std::function<void()> OnActiveChange;
    /// Whether the control can show the field's current value whole; one
    /// that cannot never edits it, so never writes it. Unset: it can.
    std::function<bool()> OnCanHold;

protected:
    void ActiveChanged() override;
    void EditingChanged() override;
    void LayoutChanged() override;
    void RecordChanged(TField* field) override;
    void UpdateData() override;

private:
    void UpdateField();

    QString m_fieldName;
    TField* m_field = nullptr;  // owned by the data set; refreshed on every open
    bool m_fieldEditing = false;
    bool m_modified = false;
};
