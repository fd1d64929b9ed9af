#include "dataset/field_data_link.h"

#include "dataset/data_set.h"

void TFieldDataLink::SetFieldName(const QString& name)
{
    if (name == m_fieldName)
        return;
    m_fieldName = name;
    UpdateField();
}

bool TFieldDataLink::CanModify() const
{
    return !ReadOnly() && m_field && m_field->CanModify() && (!OnCanHold || OnCanHold());
}

bool TFieldDataLink::EditField()
{
    if (CanModify())
        Edit();
    return m_fieldEditing;
}

void TFieldDataLink::ActiveChanged()
{
    UpdateField();
    if (OnActiveChange)
        OnActiveChange();
}

void TFieldDataLink::EditingChanged()
{
    UpdateFieldEditing();
}

void TFieldDataLink::LayoutChanged()
{
    UpdateField();
}

void TFieldDataLink::RecordChanged(TField* field)
{
    if (field && field != m_field)
        return;
    if (OnDataChange)
        OnDataChange();
    m_modified = false;
    UpdateFieldEditing();  // the value shown may be one the control cannot hold
}

void TFieldDataLink::UpdateData()
{
    if (!m_modified)
        return;
    m_modified = false;
    if (OnUpdateData && !OnUpdateData()) {
        m_modified = true;  // the control still holds a value to write
        if (TDataSet* set = DataSet())
            set->RefuseUpdate();
    }
}

void TFieldDataLink::UpdateField()
{
    TDataSet* set = Active() ? DataSet() : nullptr;
    m_field = set && !m_fieldName.isEmpty() ? set->FindField(m_fieldName) : nullptr;
    UpdateFieldEditing();
    RecordChanged(nullptr);
}

void TFieldDataLink::UpdateFieldEditing()
{
    const bool editing = Editing() && CanModify();
    if (editing == m_fieldEditing)
        return;
    m_fieldEditing = editing;
    if (OnEditingChange)
        OnEditingChange();
}
