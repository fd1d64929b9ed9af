#include "skin/data_aware/db_memo.h"

#include "skin/data_aware/stored_text_splice.h"

#include <QApplication>
#include <QStringDecoder>

TskDBMemo::TskDBMemo(QWidget* parent) : TskMemo(parent)
{
    setReadOnly(true);
    m_dataLink.OnDataChange = [this] { DataChange(); };
    m_dataLink.OnEditingChange = [this] { EditingChange(); };
    m_dataLink.OnUpdateData = [this] { return UpdateData(); };
    // Bytes are edited only once they were shown as the text they read as.
    m_dataLink.OnCanHold = [this] { return !ValueIsBytes() || (m_memoLoaded && m_asBytes && m_bytesText); };
    connect(this, &TskMemo::OnChange, this, &TskDBMemo::TextChanged);
}

void TskDBMemo::TextChanged()
{
    if (!EditForChangedText()) {
        SetText(m_stored);  // refused: the text shown before, before the change shows
        m_shown = Text();
        return;
    }
    m_dataLink.Modified();
}

QString TskDBMemo::ValueText(const TField& field, bool edit)
{
    const QVariant value = field.Value();
    m_asBytes = field.DataType() == TFieldType::ftGraphic || value.typeId() == QMetaType::QByteArray;
    if (!m_asBytes)
        return edit ? field.Text() : field.DisplayText();
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(value.toByteArray());
    m_bytesText = !decoder.hasError();
    return m_bytesText ? text : BytesLabel();
}

void TskDBMemo::SetAutoDisplay(bool on)
{
    if (on == m_autoDisplay)
        return;
    m_autoDisplay = on;
    if (on && Field() && Field()->IsBlob())
        LoadMemo();
}

void TskDBMemo::LoadMemo()
{
    const TField* field = Field();
    if (m_memoLoaded || !field || !field->IsBlob())
        return;
    ShowText(ValueText(*field, true));
    m_memoLoaded = true;
    m_dataLink.UpdateFieldEditing();  // bytes that read as text can now be edited
    UpdateReadOnly();
}

void TskDBMemo::ShowText(const QString& text)
{
    // The same text keeps the cursor where the operator types.
    if (text == m_stored && Text() == m_shown)
        return;
    SetText(text);
    m_stored = text;
    m_shown = Text();  // line ends and no-break spaces as the memo shows them
}

void TskDBMemo::DataChange()
{
    if (m_startingEdit)
        return;
    const TField* field = Field();
    m_asBytes = false;
    if (!field) {
        ShowText(QString());
        m_memoLoaded = false;
    } else if (field->IsBlob()) {
        if (m_autoDisplay || (m_memoLoaded && m_dataLink.FieldEditing())) {
            m_memoLoaded = false;
            LoadMemo();
        } else {
            ShowText(QStringLiteral("(%1)").arg(field->DisplayLabel()));
            m_memoLoaded = false;
        }
    } else {
        const bool edit = m_focused && field->CanModify() && !m_dataLink.ReadOnly();
        m_memoLoaded = true;
        ShowText(ValueText(*field, edit));
    }
    UpdateReadOnly();
}

void TskDBMemo::EditingChange()
{
    UpdateReadOnly();
}

void TskDBMemo::UpdateReadOnly()
{
    setReadOnly(!(m_memoLoaded && (m_dataLink.FieldEditing() || (m_focused && WritableOnEntry()))));
}

bool TskDBMemo::UpdateData()
{
    TField* field = Field();
    if (!field)
        return true;
    // Characters the operator did not touch are written as stored.
    const QString text = SpliceEdit(m_stored, m_shown, Text());
    if (text == m_stored)
        return true;  // the text ends as it began: the field keeps its value (a NULL stays NULL)
    return m_asBytes ? field->SetValue(text.toUtf8()) : field->SetAsString(text);
}

void TskDBMemo::keyPressEvent(QKeyEvent* event)
{
    if (!m_memoLoaded) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            LoadMemo();
        event->accept();  // nothing else until the text is shown
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        m_dataLink.Reset();
        event->accept();
        return;
    }
    if (RefuseInvalidCharacter(*event))
        return;
    const bool printable = IsPrintableKey(*event);
    const int key = event->key();
    const bool editKey = printable || key == Qt::Key_Backspace || key == Qt::Key_Tab || key == Qt::Key_Return ||
                         key == Qt::Key_Enter || key == Qt::Key_Delete ||
                         (key == Qt::Key_Insert && (event->modifiers() & Qt::ShiftModifier)) ||
                         event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut);
    if (editKey && !m_dataLink.EditField()) {
        event->accept();
        return;
    }
    TskMemo::keyPressEvent(event);
}

void TskDBMemo::focusInEvent(QFocusEvent* event)
{
    m_focused = true;
    if (Field() && !Field()->IsBlob())
        m_dataLink.Reset();
    // Under the Far-East rule the memo takes keys from entry: its text is shown first.
    if (FarEastLocale())
        LoadMemo();
    UpdateReadOnly();
    TskMemo::focusInEvent(event);
}

void TskDBMemo::inputMethodEvent(QInputMethodEvent* event)
{
    if (!m_memoLoaded || !EditForInputMethod(*event)) {
        event->accept();
        return;
    }
    TskMemo::inputMethodEvent(event);
}

void TskDBMemo::focusOutEvent(QFocusEvent* event)
{
    m_dataLink.UpdateRecord();
    m_focused = false;
    if (Field() && !Field()->IsBlob() && !m_dataLink.IsModified())
        m_dataLink.Reset();
    UpdateReadOnly();  // writable on entry only while it has the focus
    TskMemo::focusOutEvent(event);
}

void TskDBMemo::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!m_memoLoaded) {
        LoadMemo();
        return;
    }
    TskMemo::mouseDoubleClickEvent(event);
}
