#pragma once
// Base of the lookup controls: a list data set whose KeyField identifies
// the value written into DataField, and whose ListField (one or more
// ";"-separated fields, ListFieldIndex choosing the searched one) is shown.
// Bound to a lookup field, the control takes the list, key and list fields
// from it and writes the lookup's key field. Typing searches the list
// (incremental search, see LookupSearchStamp).

#include "dataset/data_link.h"
#include "skin/data_aware/db_field_control.h"
#include "skin/data_aware/lookup_search.h"
#include "skin/skin_color.h"
#include "skin/themes.h"

#include <QVariant>
#include <QWidget>

#include <memory>
#include <vector>

class TskDBLookupControl;

/// Tells a lookup control about its list data set.
class TskListSourceLink : public TDataLink {
public:
    explicit TskListSourceLink(TskDBLookupControl& control) : m_control(control) {}

protected:
    void ActiveChanged() override;
    void DataSetChanged() override;
    void LayoutChanged() override;

private:
    TskDBLookupControl& m_control;
};

class TskDBLookupControl : public QWidget, public TskDBFieldControl, public SkinStyleHooks {
    Q_OBJECT
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
public:
    /// GUI thread. No list yet.
    explicit TskDBLookupControl(QWidget* parent = nullptr);
    ~TskDBLookupControl() override;

    /// Binds the data field's source; false (LastError) when the list data
    /// set is that source's own data set.
    bool SetDataSource(TDataSource* source);
    /// Binds the field; a lookup field brings its own list.
    void SetDataField(const QString& name);
    QString KeyField() const { return m_keyField; }
    /// False (LastError) while bound to a lookup field.
    bool SetKeyField(const QString& name);
    QString ListField() const { return m_listFieldNames; }
    void SetListField(const QString& names);
    int ListFieldIndex() const { return m_listFieldIndex; }
    /// Which of the list fields is searched (kept within the list fields).
    void SetListFieldIndex(int index);
    TDataSource* ListSource() const { return m_listSourceUser; }
    /// False (LastError) while bound to a lookup field, or when the list's
    /// data set is the data field's own data set (a circular link).
    bool SetListSource(TDataSource* source);
    /// A key (with its modifiers) that clears the value; 0 for none.
    int NullValueKey() const { return m_nullValueKey; }
    void SetNullValueKey(int key) { m_nullValueKey = key; }
    /// Why the last setter refused.
    QString LastError() const { return m_lastError; }

    /// The selected key; null when none.
    QVariant KeyValue() const { return m_keyValue; }
    /// Selects a key from code (nothing written).
    void SetKeyValue(const QVariant& value);
    /// The list field's text of the selected key.
    QString Text() const { return m_text; }
    /// The list data set (the lookup field's or the list source's); null when none.
    TDataSet* ListDataSet() const;
    /// The shown list fields; the searched one.
    const std::vector<TField*>& ListFields() const { return m_listFields; }
    TField* SearchField() const;
    TField* KeyFieldOfList() const;
    /// The list is open and has its key and list fields.
    bool ListActive() const { return m_listActive; }
    /// The value may change: list active, not read-only, and the field (if bound) writable.
    bool CanModify() const;
    /// The current search text.
    QString SearchText() const { return m_searchText; }
    /// Replaces the shared search stamp (tests give one with their own clock).
    void SetSearchStamp(std::shared_ptr<LookupSearchStamp> stamp) { m_stamp = std::move(stamp); }

    /// Writes the key into the field (or selects it without a field) and raises OnClick.
    void SelectKeyValue(const QVariant& value);
    /// One typed character of the incremental search.
    void ProcessSearchKey(QChar c);
    void ClearSearch() { m_searchText.clear(); }

    /// Index in the list data set of the record with that key; -1 when none.
    int IndexOfKey(const QVariant& key) const;
    /// The key of list record `index`.
    QVariant KeyAt(int index) const;

    /// For a pop-up list: shows another control's list.
    void ShareListOf(const TskDBLookupControl& owner);

    // From the list link.
    void ListLinkChanged();

    TskUIStyle UIStyleOf() const override { return TskUIStyle::Custom; }
    void ApplyContainerStyle(TskUIStyle) override {}

signals:
    /// The selected key changed by the operator.
    void OnClick();

protected:
    /// The selected key or the list changed: repaint, re-sync.
    virtual void KeyValueChanged() { update(); }
    virtual void ListChanged() { update(); }
    void keyPressEvent(QKeyEvent* event) override;

private:
    void DataLinkChanged();
    void UpdateListFields();
    void PrepareSearch();
    /// The shown list field's text of the record with that key.
    QString TextOf(const QVariant& key);
    bool LookupMode() const;
    TField* MasterField() const;
    bool Circular(TDataSource* dataSource, TDataSet* list) const;

    TskListSourceLink m_listLink{*this};
    TDataSource m_lookupSource;  // feeds the list link from a lookup field or a shared list
    TDataSource* m_listSourceUser = nullptr;
    QString m_keyField;
    QString m_listFieldNames;
    int m_listFieldIndex = 0;
    int m_nullValueKey = 0;
    QString m_lastError;
    QVariant m_keyValue;
    QString m_text;
    bool m_textListed = false;  // m_text is the key's text in the list as it now is
    std::vector<TField*> m_listFields;  // fields of the list data set
    TField* m_keyFieldOfList = nullptr;
    bool m_listActive = false;
    QString m_searchText;
    std::shared_ptr<LookupSearchStamp> m_stamp = LookupSearchStamp::Shared();
    const TskDBLookupControl* m_sharedFrom = nullptr;
    bool m_destroying = false;
};
