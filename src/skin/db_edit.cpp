#include "skin/db_edit.h"

#include <QApplication>
#include <QTimer>

TskDBEdit::TskDBEdit(QWidget* parent) : TskEdit(parent)
{
    setReadOnly(true);
    m_dataLink.OnDataChange = [this] { DataChange(); };
    m_dataLink.OnEditingChange = [this] { EditingChange(); };
    m_dataLink.OnUpdateData = [this] { return UpdateData(); };
    m_dataLink.OnActiveChange = [this] { DataChange(); };
    connect(this, &QLineEdit::textEdited, this, [this] { m_dataLink.Modified(); });
}

void TskDBEdit::SetMaxLength(int length)
{
    m_maxLength = std::max(0, length);
    DataChange();
}

void TskDBEdit::DataChange()
{
    const TField* field = Field();
    if (!field) {
        setMaxLength(m_maxLength > 0 ? m_maxLength : 32767);
        setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        setText(QString());
        return;
    }
    const int length = m_maxLength > 0 ? m_maxLength
                       : field->DataType() == TFieldType::ftString && field->Size() > 0 ? field->Size()
                                                                                        : 32767;
    if (length != maxLength())
        setMaxLength(length);  // Qt sets the text again, losing the selection
    const bool editText = m_focused && m_dataLink.CanModify();
    setAlignment((m_focused ? Qt::AlignLeft : field->Alignment()) | Qt::AlignVCenter);
    const QString shown = editText ? field->Text() : field->DisplayText();
    if (shown != text())
        setText(shown);  // the same text keeps the cursor and selection the operator is typing over
}

void TskDBEdit::EditingChange()
{
    setReadOnly(!m_dataLink.FieldEditing());
}

bool TskDBEdit::UpdateData()
{
    TField* field = Field();
    m_lastError.clear();
    if (!field || field->SetText(text()))
        return true;
    m_lastError = field->DataSet().LastError();
    return false;
}

void TskDBEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        m_dataLink.Reset();
        selectAll();
        event->accept();
        return;
    }
    if (RefuseInvalidCharacter(*event))
        return;
    const bool printable = IsPrintableKey(*event);
    const bool editKey = printable || event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace ||
                         (event->key() == Qt::Key_Insert && (event->modifiers() & Qt::ShiftModifier)) ||
                         event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut) ||
                         event->matches(QKeySequence::Undo);
    if (editKey && !m_dataLink.EditField()) {
        event->accept();  // the data set refused the edit: the key is dropped
        return;
    }
    TskEdit::keyPressEvent(event);
}

void TskDBEdit::focusInEvent(QFocusEvent* event)
{
    m_focused = true;
    m_dataLink.Reset();
    TskEdit::focusInEvent(event);
}

void TskDBEdit::focusOutEvent(QFocusEvent* event)
{
    m_dataLink.UpdateRecord();
    if (!m_lastError.isEmpty()) {
        // The text cannot be stored: keep it and send the operator back to it.
        TskEdit::focusOutEvent(event);
        selectAll();
        QTimer::singleShot(0, this, [this] { setFocus(); });
        return;
    }
    m_focused = false;
    m_dataLink.Reset();
    TskEdit::focusOutEvent(event);
}
