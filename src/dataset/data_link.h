#pragma once
// A link: what a control (or a navigator) attaches to a data source to hear
// about its data set. Subclasses override the event handlers. GUI thread.
//
// A link that is writing its own value (UpdateRecord) does not hear the
// resulting field change, so a control is never reset by its own write.

#include "dataset/data_types.h"

class TDataSet;
class TDataSource;
class TField;

class TDataLink {
public:
    TDataLink() = default;
    virtual ~TDataLink();
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    TDataSource* DataSource() const { return m_source; }
    void SetDataSource(TDataSource* source);
    /// The source's data set; null without one.
    TDataSet* DataSet() const;
    /// The source is enabled and its data set open.
    bool Active() const { return m_active; }
    /// The data set is editing or inserting and this link is not read-only.
    bool Editing() const { return m_editing; }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool on);
    /// Asks the source to edit (AutoEdit); returns Editing().
    bool Edit();
    /// Writes this link's pending value (UpdateData) with its own change muted.
    void UpdateRecord();

    /// From the source.
    void DataEvent(TDataEvent event, TField* field, int info);
    /// From the source: it now shows another (or no) data set, or was disabled.
    void SourceChanged() { UpdateState(); }
    /// From the source, which is going away.
    void SourceGone();

protected:
    virtual void ActiveChanged() {}
    virtual void EditingChanged() {}
    /// The records changed; by default the record did.
    virtual void DataSetChanged() { RecordChanged(nullptr); }
    /// The cursor moved; by default the records changed.
    virtual void DataSetScrolled(int) { DataSetChanged(); }
    virtual void LayoutChanged() { DataSetChanged(); }
    /// `field` changed, or the whole record when null.
    virtual void RecordChanged(TField*) {}
    /// Write the pending value into the field.
    virtual void UpdateData() {}
    virtual void CheckBrowseMode() {}

private:
    void UpdateState();

    TDataSource* m_source = nullptr;  // not owned
    bool m_active = false;
    bool m_editing = false;
    bool m_readOnly = false;
    bool m_updating = false;
};
