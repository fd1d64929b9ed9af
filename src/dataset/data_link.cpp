#include "dataset/data_link.h"

#include "dataset/data_set.h"
#include "dataset/data_source.h"

TDataLink::~TDataLink()
{
    if (m_source)
        m_source->DetachLink(this);
}

void TDataLink::SetDataSource(TDataSource* source)
{
    if (source == m_source)
        return;
    if (m_source)
        m_source->DetachLink(this);
    m_source = source;
    if (m_source)
        m_source->AttachLink(this);
    UpdateState();
}

TDataSet* TDataLink::DataSet() const
{
    return m_source ? m_source->DataSet() : nullptr;
}

void TDataLink::SetReadOnly(bool on)
{
    if (on == m_readOnly)
        return;
    m_readOnly = on;
    UpdateState();
}

bool TDataLink::Edit()
{
    if (!m_readOnly && m_source)
        m_source->Edit();
    return m_editing;
}

void TDataLink::UpdateRecord()
{
    m_updating = true;
    UpdateData();
    m_updating = false;
}

void TDataLink::DataEvent(TDataEvent event, TField* field, int info)
{
    switch (event) {
    case TDataEvent::deFieldChange:
    case TDataEvent::deRecordChange:
        if (!m_updating)
            RecordChanged(field);
        break;
    case TDataEvent::deDataSetChange:
        DataSetChanged();
        break;
    case TDataEvent::deDataSetScroll:
        DataSetScrolled(info);
        break;
    case TDataEvent::deLayoutChange:
        LayoutChanged();
        break;
    case TDataEvent::deUpdateRecord:
        UpdateRecord();
        break;
    case TDataEvent::deUpdateState:
        UpdateState();
        break;
    case TDataEvent::deCheckBrowseMode:
        CheckBrowseMode();
        break;
    }
}

void TDataLink::SourceGone()
{
    m_source = nullptr;
    UpdateState();
}

void TDataLink::UpdateState()
{
    const TDataSetState state = m_source ? m_source->State() : TDataSetState::dsInactive;
    const bool active = state != TDataSetState::dsInactive;
    if (active != m_active) {
        m_active = active;
        ActiveChanged();
    }
    const bool editing = !m_readOnly && (state == TDataSetState::dsEdit || state == TDataSetState::dsInsert);
    if (editing != m_editing) {
        m_editing = editing;
        EditingChanged();
    }
}
