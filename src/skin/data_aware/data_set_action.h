#pragma once
// Data-set actions: QActions for the ten data-set operations (first, prior,
// next, last, insert, delete, edit, post, cancel, refresh) that menus and
// tool bars carry. An action given a data source acts on its data set;
// without one it acts on the data set of the bound control that has the
// focus, which it reaches through that control's ExecuteAction. It is
// enabled by the navigator's rules and follows the data set's state and
// the focus. Delete asks "Delete record?" first. GUI thread.

#include "dataset/data_link.h"
#include "skin/data_aware/data_set_operation.h"

#include <QAction>

#include <functional>

class TDataSource;

/// A control bound to a data source: it passes data-set actions to its link.
class TDataActionTarget {
public:
    virtual ~TDataActionTarget() = default;
    /// The source the control's link shows; null when none.
    virtual TDataSource* ActionSource() const = 0;
    /// The control's own handling first (it has none for data-set actions),
    /// then its link's: a data-set action that handles the link's source runs
    /// on its data set. True when the action was handled.
    bool ExecuteAction(QAction& action);
    /// Sets a data-set action's enabled state from the link's data set; true when handled.
    bool UpdateAction(QAction& action);
};

class TDataSetAction : public QAction {
    Q_OBJECT
public:
    /// Its text is the operation's hint ("First record" ...); no data source.
    explicit TDataSetAction(TNavigateBtn kind, QObject* parent = nullptr);

    TNavigateBtn Kind() const { return m_kind; }
    /// The action's own source; null when it follows the focused bound control.
    TDataSource* DataSource() const { return m_ownSource ? m_link.DataSource() : nullptr; }
    void SetDataSource(TDataSource* source);
    /// Answers "Delete record?" (true deletes). Unset, a message box asks.
    void SetQuestionHook(std::function<bool(const QString&)> hook) { m_question = std::move(hook); }
    /// Shows why the operation failed. Unset, a message box shows it.
    void SetErrorHook(std::function<void(const QString&)> hook) { m_error = std::move(hook); }

    /// Whether the action acts on the data set of `source`.
    bool HandlesTarget(const TDataSource* source) const;
    /// Runs the operation on the data set of `source`.
    void ExecuteTarget(TDataSource* source);
    /// Enables the action by the data set of `source`.
    void UpdateTarget(TDataSource* source);
    /// Reads the enabled state again (its own source's, else the focused control's).
    void Update();

private:
    class Link : public TDataLink {
    public:
        explicit Link(TDataSetAction& action) : m_action(action) {}

    protected:
        void ActiveChanged() override { m_action.Update(); }
        void EditingChanged() override { m_action.Update(); }
        void DataSetChanged() override { m_action.Update(); }

    private:
        TDataSetAction& m_action;
    };

    void Run();
    /// Follows the focus: the link watches the focused bound control's source.
    void FollowFocus();

    TNavigateBtn m_kind;
    bool m_ownSource = false;
    bool m_updating = false;
    Link m_link{*this};
    std::function<bool(const QString&)> m_question;
    std::function<void(const QString&)> m_error;
};
