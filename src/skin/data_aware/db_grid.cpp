#include "skin/data_aware/db_grid.h"

#include "dataset/data_set.h"
#include "skin/data_aware/data_set_prompts.h"
#include "skin/data_aware/db_texts.h"
#include "skin/data_aware/typed_length_limit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

void TskDBGridLink::ActiveChanged() { m_grid.LinkActive(); }
void TskDBGridLink::EditingChanged() { m_grid.viewport()->update(); }
void TskDBGridLink::DataSetChanged() { m_grid.LinkDataChanged(); }
void TskDBGridLink::DataSetScrolled(int) { m_grid.LinkScrolled(); }
void TskDBGridLink::LayoutChanged() { m_grid.LinkActive(); }
void TskDBGridLink::RecordChanged(TField* field) { m_grid.LinkRecordChanged(field); }
void TskDBGridLink::UpdateData() { m_grid.LinkUpdateData(); }

TskDBGrid::TskDBGrid(QWidget* parent) : TskCustomGrid(parent)
{
    SetFocusedColor(32768);
    SetSelectedColor(65535);
    SetDefaultRowHeight(fontMetrics().height() + 4);
    SetOptions(Options() | TGridOption::goEditing);
    connect(this, &TskCustomGrid::OnSelectCell, this, &TskDBGrid::SelectCell);
    LinkActive();
}

void TskDBGrid::SetUIStyle(TskUIStyle style)
{
    if (style == TskUIStyle::Custom)
        return;
    TskCustomGrid::SetUIStyle(style);
}

TField* TskDBGrid::ColumnField(int col) const
{
    const TDataSet* set = m_dataLink.Active() ? m_dataLink.DataSet() : nullptr;
    return set && col >= 1 ? set->Fields(col - 1) : nullptr;
}

void TskDBGrid::LinkActive()
{
    const TDataSet* set = m_dataLink.Active() ? m_dataLink.DataSet() : nullptr;
    m_layoutError.clear();
    int fields = set ? set->FieldCount() : 0;
    if (fields > kMaxColumns) {
        m_layoutError = db_texts::TooManyColumns();
        fields = kMaxColumns;
    }
    SetColCount(std::max(2, fields + 1));
    SetFixedCols(1);
    SetColWidths(0, kIndicatorWidth);
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (int c = 1; c <= fields; ++c) {
        const TField* field = set->Fields(c - 1);
        const int titleWidth = fontMetrics().horizontalAdvance(field->DisplayLabel()) + 4;
        SetColWidths(c, std::clamp(field->DisplayWidth() * digit + 4, titleWidth, 300));
    }
    LinkDataChanged();
}

void TskDBGrid::LinkDataChanged()
{
    const TDataSet* set = m_dataLink.Active() ? m_dataLink.DataSet() : nullptr;
    const int records = set ? set->RecordCount() + (set->State() == TDataSetState::dsInsert ? 1 : 0) : 0;
    SetRowCount(std::max(1, records) + 1);
    SetFixedRows(1);
    ReloadEditor();  // before the row moves, which stores the open cell
    FollowCursor();
    viewport()->update();
}

void TskDBGrid::LinkScrolled()
{
    ReloadEditor();  // before the row moves, which stores the open cell
    FollowCursor();
    viewport()->update();
}

void TskDBGrid::LinkRecordChanged(TField* field)
{
    if (!field)
        ReloadEditor();  // a cancel or a whole new record: the cell shows it
    viewport()->update();
}

void TskDBGrid::ReloadEditor()
{
    if (EditorMode() && !m_startingEdit)
        m_editorLimit->ShowStored(GetEditText(Col(), Row()));
}

void TskDBGrid::LinkUpdateData()
{
    if (!EditorMode())
        return;
    TField* field = ColumnField(Col());
    if (!field || InplaceEditor()->isReadOnly())
        return;
    const QString text = InplaceEditor()->text();
    if (field->Text() != text && !field->SetText(text)) {
        // The cell keeps the typed text so that it can be mended.
        field->DataSet().RefuseUpdate(field->DataSet().LastError());
        return;
    }
    SetEditorMode(false);  // its text is in the record now
}

void TskDBGrid::EditorShowing(QLineEdit& editor)
{
    const TField* field = ColumnField(Col());
    editor.setReadOnly(!CellWritable(Col(), Row()));
    if (!m_editorLimit) {  // the grid's one editor, shown for the first time
        m_editorLimit = new TypedLengthLimit(editor);
        editor.installEventFilter(this);  // after the base grid's filter, so it sees keys first
        // Typing starts the edit, so that a post or a move writes the cell.
        connect(&editor, &QLineEdit::textEdited, this, &TskDBGrid::StartEditFromCell);
    }
    // The column's size limits typing only; the stored value shows whole.
    m_editorLimit->SetLimit(field && field->DataType() == TFieldType::ftString ? field->Size() : 0);
    m_editorLimit->AllowStored(GetEditText(Col(), Row()));
}

void TskDBGrid::StartEditFromCell()
{
    if (m_dataLink.Editing() || !m_dataLink.Active())
        return;
    m_startingEdit = true;  // the cell keeps what was typed
    const bool ok = m_dataLink.Edit();
    m_startingEdit = false;
    if (!ok)
        ReportError(m_dataLink.DataSet()->LastError());
}

bool TskDBGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == InplaceEditor() && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        InplaceEditor()->text() == GetEditText(Col(), Row())) {
        // Nothing typed in the cell: Escape drops the record's edit.
        SetEditorMode(false);
        if (TDataSet* set = m_dataLink.Active() ? m_dataLink.DataSet() : nullptr)
            set->Cancel();
        return true;
    }
    return TskCustomGrid::eventFilter(watched, event);
}

bool TskDBGrid::RecordKey(const QKeyEvent& event)
{
    TDataSet* set = m_dataLink.Active() ? m_dataLink.DataSet() : nullptr;
    if (!set)
        return false;
    const bool canModify = set->CanModify() && !m_dataLink.ReadOnly();
    // Without cell editing the grid only shows and moves: it adds no record.
    const bool canAdd = canModify && (Options() & TGridOption::goEditing);
    const Qt::KeyboardModifiers mods = event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    bool ok = true;
    switch (event.key()) {
    case Qt::Key_Insert:
        if (mods != Qt::NoModifier || !canAdd)
            return false;
        ok = set->Insert();
        break;
    case Qt::Key_Delete:
        if (mods != Qt::ControlModifier || !canModify)
            return false;
        DeleteRecords();
        return true;
    case Qt::Key_Escape:
        if (set->State() != TDataSetState::dsEdit && set->State() != TDataSetState::dsInsert)
            return false;
        set->Cancel();
        break;
    case Qt::Key_Down: {
        const bool lastRow = set->State() == TDataSetState::dsInsert || set->RecNo() + 1 >= set->RecordCount();
        if (mods != Qt::NoModifier || !lastRow || !canAdd)
            return false;
        if (set->State() == TDataSetState::dsInsert && !set->Modified())
            return true;  // already on a new, empty record
        ok = set->Insert();  // posts the record first
        break;
    }
    default:
        return false;
    }
    if (!ok)
        ReportError(set->LastError());
    return true;
}

void TskDBGrid::DeleteRecords()
{
    TDataSet* set = m_dataLink.DataSet();
    const TGridRect selection = Selection();
    const int first = selection.Top - 1;
    const int last = std::min(selection.Bottom - 1, set->RecordCount() - 1);
    const bool several = last > first && set->State() != TDataSetState::dsInsert;
    if (set->IsEmpty() && set->State() != TDataSetState::dsInsert)
        return;
    if (!AskToConfirm(this, m_question,
                      several ? db_texts::DeleteMultipleRecordsQuestion() : db_texts::DeleteRecordQuestion()))
        return;
    if (!several) {
        if (!set->Delete())
            ReportError(set->LastError());
        return;
    }
    // From the bottom up, so that the rows above keep their places.
    for (int record = last; record >= first; --record) {
        set->SetRecNo(record);
        if (set->RecNo() != record || !set->Delete()) {
            ReportError(set->LastError());
            return;
        }
    }
}

void TskDBGrid::keyPressEvent(QKeyEvent* event)
{
    if (RecordKey(*event)) {
        event->accept();
        return;
    }
    const QString typed = event->text();
    if ((Options() & TGridOption::goEditing) && !typed.isEmpty() && typed.at(0).isPrint() &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && !CellWritable(Col(), Row())) {
        // The cell cannot take it: the key starts no edit and is not shown.
        QApplication::beep();
        event->accept();
        return;
    }
    // A typed character opens the cell with that character in it.
    TskCustomGrid::keyPressEvent(event);
    if (EditorMode() && InplaceEditor()->text() != GetEditText(Col(), Row()))
        StartEditFromCell();
}

void TskDBGrid::FollowCursor()
{
    const TDataSet* set = m_dataLink.Active() ? m_dataLink.DataSet() : nullptr;
    if (!set || set->RecNo() < 0 || m_following)
        return;
    m_following = true;
    SetRow(set->RecNo() + 1);
    m_following = false;
}

void TskDBGrid::SetRow(int row)
{
    TDataSet* set = m_dataLink.Active() ? m_dataLink.DataSet() : nullptr;
    if (set && row >= FixedRows() && row < RowCount() && row - 1 != set->RecNo() && !MoveToRecord(*set, row - 1))
        return;
    TskCustomGrid::SetRow(row);
}

void TskDBGrid::SelectCell(int, int row, bool& canSelect)
{
    TDataSet* set = m_dataLink.Active() ? m_dataLink.DataSet() : nullptr;
    if (set && row - 1 != set->RecNo() && !MoveToRecord(*set, row - 1))
        canSelect = false;
}

bool TskDBGrid::MoveToRecord(TDataSet& set, int record)
{
    m_following = true;  // the grid makes the row current itself
    // The pending edit is finished first: an appended record that is dropped
    // would otherwise shift the move by one.
    bool ok = set.CheckBrowseMode();
    if (ok) {
        set.SetRecNo(record);
        ok = set.RecNo() == record;
    }
    m_following = false;
    if (!ok)
        ReportError(set.LastError());  // the pending edit could not be posted
    return ok;
}

QString TskDBGrid::GetEditText(int col, int) const
{
    const TField* field = ColumnField(col);
    return field ? field->Text() : QString();
}

void TskDBGrid::SetEditText(int col, int row, const QString& text)
{
    TField* field = ColumnField(col);
    if (!field || field->Text() == text || !CellWritable(col, row))
        return;
    if (!m_dataLink.Edit() || !field->SetText(text))
        ReportError(field->DataSet().LastError());
}

void TskDBGrid::ReportError(const QString& text)
{
    if (text.isEmpty())
        return;  // a refusal with no reason: a box with no text would say nothing either
    ShowDataSetError(this, m_error, text);
}

void TskDBGrid::DrawCellContent(QPainter& canvas, int col, int row, const QRect& rect, TGridDrawState state)
{
    const TDataSet* set = m_dataLink.Active() ? m_dataLink.DataSet() : nullptr;
    if (!set)
        return;
    if (row == 0) {
        canvas.setPen(ToQColor(FixedFontColor()));  // the look's title colour, which reads on the fixed cells
        if (const TField* field = ColumnField(col))
            canvas.drawText(rect.adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft, field->DisplayLabel());
        return;
    }
    // A selected cell that is not the focused one is filled yellow: the
    // highlight text colour (white) would not read on it.
    const bool selectedOnly = (state & TGridDrawStateFlag::gdSelected) && !(state & TGridDrawStateFlag::gdFocused) &&
                              !(state & TGridDrawStateFlag::gdFixed);
    canvas.setPen(selectedOnly ? ToQColor(FontColor()) : CellTextColor(state));
    const int record = row - 1;
    if (record >= set->RecordCount() && set->State() != TDataSetState::dsInsert)
        return;
    if (col == 0) {
        if (record != set->RecNo())
            return;
        canvas.setBrush(canvas.pen().color());
        const QPoint c = rect.center();
        switch (set->State()) {
        case TDataSetState::dsEdit:
            canvas.drawText(rect, Qt::AlignCenter, QStringLiteral("I"));
            break;
        case TDataSetState::dsInsert:
            canvas.drawText(rect, Qt::AlignCenter, QStringLiteral("*"));
            break;
        default:
            canvas.drawPolygon(QPolygon({{c.x() - 2, c.y() - 4}, {c.x() - 2, c.y() + 4}, {c.x() + 2, c.y()}}));
            break;
        }
        return;
    }
    const TField* field = ColumnField(col);
    if (!field)
        return;
    Qt::Alignment align = field->Alignment();
    const QRect inner = align & Qt::AlignRight ? rect.adjusted(2, 0, -3, 0) : rect.adjusted(2, 0, -2, 0);
    canvas.drawText(inner, Qt::AlignVCenter | align, CellText(col, row));
}

QString TskDBGrid::CellText(int col, int row) const
{
    const TDataSet* set = m_dataLink.Active() ? m_dataLink.DataSet() : nullptr;
    const TField* field = ColumnField(col);
    if (!set || !field || row < 1)
        return {};
    // One read of the cell: a row is copied, and its lookups computed, per read.
    const QVariant value = set->ValueAt(row - 1, field->Index());
    QString text = IsBytes(*field, value) ? db_texts::Bytes() : field->FormatValue(value, true);
    // A cell is one line: later lines are cut, and marked so.
    const auto end = std::find_if(text.cbegin(), text.cend(), [](QChar c) {
        return c == u'\r' || c == u'\n' || c == QChar(0x2028) || c == QChar(0x2029);
    });
    if (end != text.cend())
        text = text.left(end - text.cbegin()) + QChar(0x2026);
    const int margins = field->Alignment() & Qt::AlignRight ? 5 : 4;
    return fontMetrics().elidedText(text, Qt::ElideRight, ColWidths(col) - margins);
}

bool TskDBGrid::IsBytes(const TField& field, const QVariant& value)
{
    // A column without a declared type may hold bytes; a picture field shows its own label.
    return !field.IsBlob() && value.typeId() == QMetaType::QByteArray;
}

bool TskDBGrid::CellWritable(int col, int row) const
{
    const TDataSet* set = m_dataLink.Active() ? m_dataLink.DataSet() : nullptr;
    const TField* field = ColumnField(col);
    if (!set || !field || row < 1 || !field->CanModify() || m_dataLink.ReadOnly())
        return false;
    // A line of text cannot hold bytes whole: a BLOB column, or bytes stored in another.
    if (field->DataType() == TFieldType::ftGraphic)
        return false;
    const QVariant value = set->ValueAt(row - 1, field->Index());
    return value.typeId() != QMetaType::QByteArray && value.userType() != qMetaTypeId<TUnreadBlob>();
}
