#include "skin/data_aware/db_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>

#include <functional>
#include <QTimer>

TskDBEdit::TskDBEdit(QWidget* parent) : TskEdit(parent), m_typedLimit(new TypedLengthLimit(*this))
{
    setReadOnly(true);
    m_dataLink.OnDataChange = [this] { DataChange(); };
    m_dataLink.OnEditingChange = [this] { EditingChange(); };
    m_dataLink.OnUpdateData = [this] { return UpdateData(); };
    m_dataLink.OnActiveChange = [this] { DataChange(); };
    // A line of text cannot hold bytes whole: they are never edited here.
    m_dataLink.OnCanHold = [this] { return !ValueIsBytes(); };
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (!EditForChangedText()) {
            m_dataLink.Reset();  // refused: the stored text again, before the change shows
            return;
        }
        m_dataLink.Modified();
    });
}

void TskDBEdit::SetMaxLength(int length)
{
    m_maxLength = std::max(0, length);
    DataChange();
}

void TskDBEdit::DataChange()
{
    if (m_startingEdit)
        return;
    const TField* field = Field();
    ApplyEditMask(field ? field->EditMask() : QString());
    if (!field) {
        m_typedLimit->SetLimit(m_maxLength);
        setAlignment(ShownAlignment(Qt::AlignLeft) | Qt::AlignVCenter);
        m_typedLimit->ShowStored(QString());
        return;
    }
    // A mask fixes the length itself.
    const int limit = !m_mask.inputMask.isEmpty() ? 0
                      : m_maxLength > 0           ? m_maxLength
                      : field->DataType() == TFieldType::ftString ? field->Size()
                                                                  : 0;
    m_typedLimit->SetLimit(limit);
    const bool editText = m_focused && m_dataLink.CanModify();
    setAlignment(ShownAlignment(m_focused ? Qt::AlignLeft : field->Alignment()) | Qt::AlignVCenter);
    const QString shown = ValueIsBytes() ? BytesLabel() : editText ? field->Text() : field->DisplayText();
    if (!SameAsShown(shown)) {
        m_typedLimit->ShowStored(shown);
        m_setValue = shown;
        m_setText = text();
    }  // the same text keeps the cursor and selection the operator is typing over
}

void TskDBEdit::changeEvent(QEvent* event)
{
    TskEdit::changeEvent(event);
    if (event->type() == QEvent::LayoutDirectionChange)
        DataChange();  // the alignment follows the direction
}

void TskDBEdit::EditingChange()
{
    setReadOnly(!m_dataLink.FieldEditing() && !(m_focused && WritableOnEntry()));
}

bool TskDBEdit::SameAsShown(const QString& value) const
{
    // A mask changes case and adds literals, so the text need not equal the
    // value: what was set last and left untouched is the same too.
    return value == text() || (value == m_setValue && text() == m_setText);
}

void TskDBEdit::ApplyEditMask(const QString& mask)
{
    if (mask == m_editMask)
        return;
    m_editMask = mask;
    m_mask = ParsedEditMask::Parse(mask);
    setInputMask(m_mask.inputMask);
    m_typedLimit->LiftMaxLength();
}

bool TskDBEdit::UpdateData()
{
    TField* field = Field();
    m_lastError.clear();
    if (!field)
        return true;
    QString value = text();
    if (!m_mask.inputMask.isEmpty()) {
        const QString shown = displayText();
        if (m_mask.IsBlank(shown)) {
            value.clear();  // nothing typed: the field is emptied
        } else if (!hasAcceptableInput()) {
            m_lastError = QStringLiteral("%1: \"%2\" does not fill the edit mask \"%3\"")
                              .arg(field->DisplayLabel(), shown, m_editMask);
            field->DataSet().RefuseUpdate(m_lastError);
            return false;
        } else {
            value = m_mask.StoredText(shown);
        }
    }
    if (value == field->Text())
        return true;  // the text ends as it began: the field keeps its value (a NULL stays NULL)
    if (field->SetText(value))
        return true;
    m_lastError = field->DataSet().LastError();
    return false;
}

std::unique_ptr<QMenu> TskDBEdit::CreateContextMenu()
{
    // Built here rather than taken from the line edit, whose actions cannot
    // be told apart reliably and which disables editing while read-only.
    auto menu = std::make_unique<QMenu>(this);
    const bool canEdit = m_dataLink.CanModify();
    const bool selection = hasSelectedText();
    auto add = [&](const char* name, const QString& text, QKeySequence::StandardKey key, bool enabled,
                   std::function<void()> run, bool edits) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(key);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, [this, run = std::move(run), edits] {
            if (edits && !m_dataLink.EditField())
                return;  // the data set refused the edit
            run();
            if (edits)
                m_dataLink.Modified();
        });
    };
    add("edit-undo", tr("&Undo"), QKeySequence::Undo, canEdit && isUndoAvailable(), [this] { undo(); }, true);
    add("edit-redo", tr("&Redo"), QKeySequence::Redo, canEdit && isRedoAvailable(), [this] { redo(); }, true);
    menu->addSeparator();
    add("edit-cut", tr("Cu&t"), QKeySequence::Cut, canEdit && selection && echoMode() == Normal, [this] { cut(); },
        true);
    add("edit-copy", tr("&Copy"), QKeySequence::Copy, selection && echoMode() == Normal, [this] { copy(); }, false);
    add("edit-paste", tr("&Paste"), QKeySequence::Paste,
        canEdit && !QApplication::clipboard()->text().isEmpty(), [this] { paste(); }, true);
    add("edit-delete", tr("Delete"), QKeySequence::UnknownKey, canEdit && selection, [this] { del(); }, true);
    menu->addSeparator();
    add("select-all", tr("Select All"), QKeySequence::SelectAll, !text().isEmpty(), [this] { selectAll(); }, false);
    return menu;
}

void TskDBEdit::contextMenuEvent(QContextMenuEvent* event)
{
    CreateContextMenu()->exec(event->globalPos());
    event->accept();
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
    EditingChange();
    TskEdit::focusInEvent(event);
}

void TskDBEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (!EditForInputMethod(*event)) {
        event->accept();
        return;
    }
    TskEdit::inputMethodEvent(event);
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
    EditingChange();  // writable on entry only while it has the focus
    TskEdit::focusOutEvent(event);
}
