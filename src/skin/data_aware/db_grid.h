#pragma once
// The skinned data grid: one column per field of a data set (titles in the
// fixed row, an indicator column at the left), one row per record, the
// current row following the data set's cursor. Records are read as rows
// come into view, so a long table scrolls without being read whole.
// Cells are filled with SelectedColor when selected and FocusedColor when
// focused (focused wins), then written with the field's display text.
// Cells are editable (goEditing): typing into a cell starts an edit of the
// record, and a post or any move of the record writes the open cell first.
// Keys: Insert inserts a record; Ctrl+Delete deletes the current record (or
// the selected ones) after a question; Escape cancels the record's edit (an
// open, changed cell first takes its stored value back); Down on the last
// row appends a record, which is dropped again when left unchanged. With
// goEditing off neither Insert nor Down adds a record. Bytes (a BLOB
// column, or bytes stored in another) are read-only in a cell.

#include "dataset/data_link.h"
#include "dataset/data_source.h"
#include "skin/data_aware/data_set_action.h"
#include "skin/grids/custom_grid.h"

#include <QPointer>

#include <functional>

class TskDBGrid;
class TypedLengthLimit;

/// Tells the grid about its data set.
class TskDBGridLink : public TDataLink {
public:
    explicit TskDBGridLink(TskDBGrid& grid) : m_grid(grid) {}

protected:
    void ActiveChanged() override;
    void EditingChanged() override;
    void DataSetChanged() override;
    void DataSetScrolled(int distance) override;
    void LayoutChanged() override;
    void RecordChanged(TField* field) override;
    void UpdateData() override;

private:
    TskDBGrid& m_grid;
};

class TskDBGrid : public TskCustomGrid, public TDataActionTarget {
    Q_OBJECT
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
public:
    /// At most this many field columns are shown.
    static constexpr int kMaxColumns = 256;
    /// Width of the indicator column.
    static constexpr int kIndicatorWidth = 11;

    /// GUI thread. FocusedColor green (32768), SelectedColor yellow (65535),
    /// in the look of parent's form.
    explicit TskDBGrid(QWidget* parent = nullptr);

    TDataSource* DataSource() const { return m_dataLink.DataSource(); }
    void SetDataSource(TDataSource* source) { m_dataLink.SetDataSource(source); }
    TDataSource* ActionSource() const override { return DataSource(); }
    bool ReadOnly() const { return m_dataLink.ReadOnly(); }
    void SetReadOnly(bool on) { m_dataLink.SetReadOnly(on); }
    /// The look's colours: border 8, fixed cells 12, cells 9, text 16,
    /// titles 13. Custom is ignored.
    void SetUIStyle(TskUIStyle style);
    /// Set when the data set has more fields than the grid shows (the text says so).
    QString LayoutError() const { return m_layoutError; }
    /// Shows why a move or a cell's value was refused. Unset, a message box shows it.
    void SetErrorHook(std::function<void(const QString&)> hook) { m_error = std::move(hook); }
    /// Answers "Delete record?" (true deletes). Unset, a message box asks.
    void SetQuestionHook(std::function<bool(const QString&)> hook) { m_question = std::move(hook); }

    /// The field shown in grid column `col` (null for the indicator column).
    TField* ColumnField(int col) const;
    /// The text a record's cell shows in its width: a value wider than its
    /// column ends in an elision mark, bytes read "(BLOB)".
    QString CellText(int col, int row) const;
    /// Makes the row current from code, moving the data set to its record
    /// first (which writes the open cell); a refused move keeps both.
    void SetRow(int row);

    // From the link.
    /// Writes the open cell editor's text into its field (before a post or a move).
    void LinkUpdateData();
    void LinkRecordChanged(TField* field);
    void LinkActive();
    void LinkDataChanged();
    void LinkScrolled();

    void ApplyContainerStyle(TskUIStyle style) override { SetUIStyle(style); }

protected:
    void DrawCellContent(QPainter& canvas, int col, int row, const QRect& rect, TGridDrawState state) override;
    QString GetEditText(int col, int row) const override;
    void SetEditText(int col, int row, const QString& text) override;
    void EditorShowing(QLineEdit& editor) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SelectCell(int col, int row, bool& canSelect);
    /// Moves the data set to the record; false (reported) when it was refused.
    bool MoveToRecord(TDataSet& set, int record);
    void ReportError(const QString& text);
    void FollowCursor();
    void ReloadEditor();
    void StartEditFromCell();
    /// The record keys; true when the key was taken.
    bool RecordKey(const QKeyEvent& event);
    void DeleteRecords();
    /// The cell's value may be typed over: its field can be modified and the
    /// value is not bytes, which the cell editor cannot hold.
    bool CellWritable(int col, int row) const;
    static bool IsBytes(const TField& field, const QVariant& value);

    TskDBGridLink m_dataLink{*this};
    QString m_layoutError;
    bool m_following = false;
    TypedLengthLimit* m_editorLimit = nullptr;  // a child of the cell editor
    bool m_startingEdit = false;
    std::function<void(const QString&)> m_error;
    std::function<bool(const QString&)> m_question;
};
