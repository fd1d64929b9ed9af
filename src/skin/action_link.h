#pragma once
// Binds a skinned button to a QAction: the button shows the action's text
// (and, while it has no glyph of its own, the action's picture), follows its
// enabled state, and a click triggers the action.

#include <QObject>
#include <QPointer>

class QAction;
class TskButton;

class TskActionLink : public QObject {
    Q_OBJECT
public:
    /// GUI thread. Copies the action into the button now and on every change.
    /// The link lives as a child of the button.
    TskActionLink(TskButton& button, QAction& action);
    QAction* Action() const { return m_action; }

    /// Copies text, enabled state and (for a button without a glyph) the picture.
    void ActionChange();

private:
    TskButton& m_button;
    QPointer<QAction> m_action;
};
