#pragma once
// The skinned radio group bound to a field. A button's value is its entry
// in Values when that entry exists and is not empty, else its caption; the
// field's text checks the first button whose value equals it exactly.

#include "skin/data_aware/db_field_control.h"
#include "skin/radio_group.h"

class TskDBRadioGroup : public TskRadioGroup, public TskDBFieldControl {
    Q_OBJECT
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
public:
    /// GUI thread. No items, no values.
    explicit TskDBRadioGroup(QWidget* parent = nullptr);

    /// The group's value (the field's text, or the clicked button's value).
    QString Value() const { return m_value; }
    /// Checks the first button of that value (none when no button has it);
    /// raises OnChange when the value changes. Writes nothing.
    void SetValue(const QString& value);
    QStringList Values() const { return m_values; }
    /// Stores and reads the field again.
    void SetValues(const QStringList& values);
    /// As the radio group, then reads the field again.
    void SetItems(const QStringList& items);
    /// Button i's value; empty outside the items.
    QString ButtonValue(int i) const;

    /// From an item button: may its click change the checked button?
    bool CanChange() { return m_dataLink.EditField(); }
    /// From an item button: keys the group handles (true when taken).
    bool HandleKey(QKeyEvent& event);
    /// From an item button losing focus.
    void ExitWrites() { m_dataLink.UpdateRecord(); }

signals:
    /// The value changed (from the field or a click).
    void OnChange();

protected:
    TskCheckBox* CreateAButton() override;
    void NewClick() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void DataChange();
    bool UpdateData();

    QString m_value;
    QStringList m_values;
    bool m_inSetValue = false;
};
