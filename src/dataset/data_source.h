#pragma once
// A data source joins one data set to any number of links (controls). With
// AutoEdit on, a link that asks to edit puts a browsing data set into edit
// mode. Sources and links detach themselves when destroyed. GUI thread.

#include "dataset/data_types.h"

#include <vector>

class TDataLink;
class TDataSet;
class TField;

class TDataSource {
public:
    TDataSource() = default;
    explicit TDataSource(TDataSet* dataSet) { SetDataSet(dataSet); }
    ~TDataSource();
    TDataSource(const TDataSource&) = delete;
    TDataSource& operator=(const TDataSource&) = delete;

    TDataSet* DataSet() const { return m_dataSet; }
    /// Detaches from the old data set; every link re-reads its state.
    void SetDataSet(TDataSet* dataSet);
    bool AutoEdit() const { return m_autoEdit; }
    void SetAutoEdit(bool on) { m_autoEdit = on; }
    bool Enabled() const { return m_enabled; }
    /// A disabled source shows its links an inactive data set.
    void SetEnabled(bool on);
    /// The data set's state; inactive without one or while disabled.
    TDataSetState State() const;
    /// With AutoEdit on and the data set browsing, starts an edit.
    void Edit();

    void AttachLink(TDataLink* link);
    void DetachLink(TDataLink* link);
    /// From the data set: passes the event to every link.
    void DataEvent(TDataEvent event, TField* field, int info);
    /// The data set is going away.
    void DataSetGone();

private:
    void NotifyState();

    TDataSet* m_dataSet = nullptr;  // not owned
    bool m_autoEdit = true;
    bool m_enabled = true;
    std::vector<TDataLink*> m_links;  // not owned; links detach themselves
};
