#include "dataset/data_source.h"

#include "dataset/data_link.h"
#include "dataset/data_set.h"

#include <algorithm>

TDataSource::~TDataSource()
{
    if (m_dataSet)
        m_dataSet->DetachSource(this);
    const auto links = m_links;
    m_links.clear();
    for (TDataLink* link : links)
        link->SourceGone();
}

void TDataSource::SetDataSet(TDataSet* dataSet)
{
    if (dataSet == m_dataSet)
        return;
    if (m_dataSet)
        m_dataSet->DetachSource(this);
    m_dataSet = dataSet;
    if (m_dataSet)
        m_dataSet->AttachSource(this);
    NotifyState();
}

void TDataSource::SetEnabled(bool on)
{
    if (on == m_enabled)
        return;
    m_enabled = on;
    NotifyState();
}

TDataSetState TDataSource::State() const
{
    if (!m_dataSet || !m_enabled)
        return TDataSetState::dsInactive;
    return m_dataSet->State();
}

void TDataSource::Edit()
{
    if (m_autoEdit && State() == TDataSetState::dsBrowse)
        m_dataSet->Edit();
}

void TDataSource::AttachLink(TDataLink* link)
{
    if (std::find(m_links.begin(), m_links.end(), link) == m_links.end())
        m_links.push_back(link);
}

void TDataSource::DetachLink(TDataLink* link)
{
    std::erase(m_links, link);
}

void TDataSource::DataEvent(TDataEvent event, TField* field, int info)
{
    if (!m_enabled && event != TDataEvent::deUpdateState)
        return;
    // A handler may attach or detach links: walk a copy, skipping gone ones.
    const auto links = m_links;
    for (TDataLink* link : links)
        if (std::find(m_links.begin(), m_links.end(), link) != m_links.end())
            link->DataEvent(event, field, info);
}

void TDataSource::DataSetGone()
{
    m_dataSet = nullptr;
    NotifyState();
}

void TDataSource::NotifyState()
{
    const auto links = m_links;
    for (TDataLink* link : links)
        if (std::find(m_links.begin(), m_links.end(), link) != m_links.end())
            link->SourceChanged();
}
