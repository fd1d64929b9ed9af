#include "skin/data_aware/data_set_action.h"

#include "dataset/data_set.h"
#include "dataset/data_source.h"
#include "skin/data_aware/data_set_prompts.h"
#include "skin/data_aware/db_navigator.h"
#include "skin/data_aware/db_texts.h"

#include <QApplication>
#include <QWidget>

namespace {

/// The bound control that has the focus (or holds the focused editor); null when none.
TDataActionTarget* FocusedTarget()
{
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (auto* target = dynamic_cast<TDataActionTarget*>(w))
            return target;
    return nullptr;
}

}  // namespace

bool TDataActionTarget::ExecuteAction(QAction& action)
{
    auto* dataSetAction = qobject_cast<TDataSetAction*>(&action);
    if (!dataSetAction || !dataSetAction->HandlesTarget(ActionSource()))
        return false;
    dataSetAction->ExecuteTarget(ActionSource());
    return true;
}

bool TDataActionTarget::UpdateAction(QAction& action)
{
    auto* dataSetAction = qobject_cast<TDataSetAction*>(&action);
    if (!dataSetAction || !dataSetAction->HandlesTarget(ActionSource()))
        return false;
    dataSetAction->UpdateTarget(ActionSource());
    return true;
}

TDataSetAction::TDataSetAction(TNavigateBtn kind, QObject* parent)
    : QAction(NavButtonDefaultHint(kind), parent), m_kind(kind)
{
    connect(this, &QAction::triggered, this, &TDataSetAction::Run);
    connect(qApp, &QApplication::focusChanged, this, &TDataSetAction::FollowFocus);
    FollowFocus();
}

void TDataSetAction::SetDataSource(TDataSource* source)
{
    m_ownSource = source != nullptr;
    m_link.SetDataSource(source);
    if (m_ownSource)
        Update();
    else
        FollowFocus();
}

bool TDataSetAction::HandlesTarget(const TDataSource* source) const
{
    return source && source->DataSet() && (!m_ownSource || source == m_link.DataSource());
}

void TDataSetAction::ExecuteTarget(TDataSource* source)
{
    // A link of its own reads the source's state without moving the action's link.
    TDataLink probe;
    probe.SetDataSource(source);
    TDataSet* set = probe.DataSet();
    if (!set || !DataSetOperationEnabled(m_kind, probe))
        return;
    if (m_kind == TNavigateBtn::nbDelete &&
        !AskToConfirm(QApplication::activeWindow(), m_question, db_texts::DeleteRecordQuestion()))
        return;
    if (!RunDataSetOperation(m_kind, *set))
        ShowDataSetError(QApplication::activeWindow(), m_error, set->LastError());
}

void TDataSetAction::UpdateTarget(TDataSource* source)
{
    if (source != m_link.DataSource()) {
        const bool updating = m_updating;
        m_updating = true;  // the switch itself reports back
        m_link.SetDataSource(source);  // its events update the action from now on
        m_updating = updating;
    }
    setEnabled(DataSetOperationEnabled(m_kind, m_link));
}

void TDataSetAction::Update()
{
    if (m_updating)
        return;
    m_updating = true;  // a source change below reports back here
    if (m_ownSource) {
        setEnabled(DataSetOperationEnabled(m_kind, m_link));
    } else if (TDataActionTarget* target = FocusedTarget(); !target || !target->UpdateAction(*this)) {
        m_link.SetDataSource(nullptr);
        setEnabled(false);
    }
    m_updating = false;
}

void TDataSetAction::FollowFocus()
{
    if (!m_ownSource)
        Update();
}

void TDataSetAction::Run()
{
    if (m_ownSource) {
        ExecuteTarget(m_link.DataSource());
    } else if (TDataActionTarget* target = FocusedTarget()) {
        target->ExecuteAction(*this);  // the control passes it to its link
    }
}
