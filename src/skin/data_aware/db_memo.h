#pragma once
// The skinned memo bound to a field, with the memo's linked skinned scroll
// bars. A text field shows its edit text while focused and writable, else
// its display text. A memo (blob) field is loaded at once when AutoDisplay
// is on; otherwise the memo shows "(label)" until a double click or Enter
// loads it. Typing puts the data set into edit mode; leaving writes.
// Bytes are shown and edited as text when they read as UTF-8, and written
// back as bytes; other bytes cannot be shown and are read-only.

#include "skin/data_aware/db_field_control.h"
#include "skin/memo.h"

class TskDBMemo : public TskMemo, public TskDBFieldControl {
    Q_OBJECT
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
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
    /// The field's value as the memo shows it (`edit`: its edit text); notes
    /// whether it is bytes and whether they read as text.
    QString ValueText(const TField& field, bool edit);
    void TextChanged();
    void DataChange();
    void EditingChange();
    bool UpdateData();
    void UpdateReadOnly();

    bool m_autoDisplay = true;
    bool m_memoLoaded = false;
    bool m_focused = false;
    bool m_asBytes = false;    // the value shown is bytes, written back as bytes
    bool m_bytesText = false;  // ... which read as text
    QString m_stored;  // the value last shown, and what the memo made of it
    QString m_shown;
};
