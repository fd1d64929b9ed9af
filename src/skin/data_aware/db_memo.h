#pragma once
// The skinned memo bound to a field, with the memo's linked skinned scroll
// bars. A text field shows its edit text while focused and writable, else
// its display text. A memo (blob) field is loaded at once when AutoDisplay
// is on; otherwise the memo shows "(label)" until a double click or Enter
// loads it. Typing puts the data set into edit mode; leaving writes.

#include "skin/data_aware/db_field_control.h"
#include "skin/memo.h"

class TskDBMemo : public TskMemo, public TskDBFieldControl {
    Q_OBJECT
public:
    /// GUI thread. AutoDisplay on, read-only until its data set edits.
    explicit TskDBMemo(QWidget* parent = nullptr);

    bool AutoDisplay() const { return m_autoDisplay; }
    /// Switching it on loads a blob at once.
    void SetAutoDisplay(bool on);
    /// Loads the blob field's text into the memo.
    void LoadMemo();
    bool MemoLoaded() const { return m_memoLoaded; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void ShowText(const QString& text);
    void DataChange();
    void EditingChange();
    bool UpdateData();
    void UpdateReadOnly();

    bool m_autoDisplay = true;
    bool m_memoLoaded = false;
    bool m_focused = false;
    QString m_stored;  // the value last shown, and what the memo made of it
    QString m_shown;
};
