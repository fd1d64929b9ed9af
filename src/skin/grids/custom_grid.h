#pragma once
// Base of the skinned grids: a table of cells whose first FixedRows rows and
// FixedCols columns stay in place while the rest scrolls. Row and column
// numbers count the fixed ones (row 0 is the heading row of a grid with one
// fixed row). The user moves a current cell (OnSelectCell may refuse the
// move), edits cells in place and drags rows to a new place; the skin fills
// every non-fixed cell with a colour for its state and frames the grid.

#include "skin/skin_color.h"
#include "skin/themes.h"

#include <QAbstractScrollArea>
#include <QFlags>
#include <QLineEdit>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>


enum class TGridOption : std::uint16_t {
    goFixedVertLine = 0x001,
    goFixedHorzLine = 0x002,
    goVertLine = 0x004,
    goHorzLine = 0x008,
    goRangeSelect = 0x010,
    goDrawFocusSelected = 0x020,
    goRowMoving = 0x040,
    goEditing = 0x080,
    goRowSelect = 0x100,
};
Q_DECLARE_FLAGS(TGridOptions, TGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridOptions)

enum class TGridDrawStateFlag : std::uint8_t { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
Q_DECLARE_FLAGS(TGridDrawState, TGridDrawStateFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridDrawState)

/// A block of cells, all four edges inclusive (column Left..Right, row Top..Bottom).
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr bool Contains(int col, int row) const
    {
        return col >= Left && col <= Right && row >= Top && row <= Bottom;
    }
    friend constexpr bool operator==(const TGridRect&, const TGridRect&) = default;
};

/// Where row `index` ends up when row `from` is taken out and put back at `to`.
int RowAfterMove(int index, int from, int to);

class TskCustomGrid : public QAbstractScrollArea, public SkinStyleHooks {
    Q_OBJECT
    Q_PROPERTY(TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
    Q_PROPERTY(TColor BorderColor READ BorderColor WRITE SetBorderColor)
    Q_PROPERTY(TColor FocusedColor READ FocusedColor WRITE SetFocusedColor)
    Q_PROPERTY(TColor SelectedColor READ SelectedColor WRITE SetSelectedColor)
    Q_PROPERTY(TColor FixedFontColor READ FixedFontColor WRITE SetFixedFontColor)
    Q_PROPERTY(TColor FontColor READ FontColor WRITE SetFontColor)
public:
    /// GUI thread. 5 x 5 cells with one fixed row and column, 64 x 24 pixels
    /// each, in the look of the parent's form.
    explicit TskCustomGrid(QWidget* parent = nullptr);
    ~TskCustomGrid() override;

    // --- Shape --------------------------------------------------------------
    int ColCount() const { return int(m_colWidths.size()); }
    /// At least 1; FixedCols shrinks below it; new columns take DefaultColWidth.
    void SetColCount(int count);
    int RowCount() const { return int(m_rowHeights.size()); }
    /// At least 1; FixedRows shrinks below it; new rows are empty and take
    /// DefaultRowHeight; the current cell moves into the remaining rows.
    void SetRowCount(int count);
    int FixedCols() const { return m_fixedCols; }
    /// 0..ColCount-1; anything else is ignored. The first scrolled column
    /// becomes current and the leftmost shown.
    void SetFixedCols(int count);
    int FixedRows() const { return m_fixedRows; }
    /// 0..RowCount-1; anything else is ignored. The first scrolled row
    /// becomes current and the top one shown.
    void SetFixedRows(int count);
    int DefaultColWidth() const { return m_defaultColWidth; }
    /// Gives every column this width (negative counts as 0).
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    /// Gives every row this height (negative counts as 0).
    void SetDefaultRowHeight(int height);
    /// Width of the column; 0 outside the columns.
    int ColWidths(int col) const;
    /// Stores the width of one column (ignored outside the columns).
    void SetColWidths(int col, int width);
    /// Height of the row; 0 outside the rows.
    int RowHeights(int row) const;
    /// Stores the height of one row (ignored outside the rows).
    void SetRowHeights(int row, int height);
    int GridLineWidth() const { return m_gridLineWidth; }
    /// Pixels between cells (negative counts as 0).
    void SetGridLineWidth(int width);
    TGridOptions Options() const { return m_options; }
    /// Stores; closes an open editor when editing is switched off.
    void SetOptions(TGridOptions options);

    // --- Current cell and scrolling ---------------------------------------
    int Col() const { return m_col; }
    /// Makes the column current from code: no OnSelectCell, no OnClick.
    /// A fixed or missing column is ignored.
    void SetCol(int col);
    int Row() const { return m_row; }
    /// Makes the row current from code: no OnSelectCell, no OnClick.
    /// A fixed or missing row is ignored.
    void SetRow(int row);
    /// The selected block (the current cell alone unless the user dragged
    /// a range or whole rows are selected).
    TGridRect Selection() const;
    /// First scrolled row shown below the fixed rows.
    int TopRow() const { return m_topRow; }
    /// Scrolls (kept within the rows that can be shown).
    void SetTopRow(int row);
    /// First scrolled column shown right of the fixed columns.
    int LeftCol() const { return m_leftCol; }
    /// Scrolls (kept within the columns that can be shown).
    void SetLeftCol(int col);
    /// Scrolled rows that fit entirely below the fixed rows (at least 1 when any exist).
    int VisibleRowCount() const;
    /// Where the cell is drawn, in viewport pixels; empty when scrolled out of view.
    QRect CellRect(int col, int row) const;
    /// The cell under a viewport point; false (and -1, -1) outside every cell.
    bool MouseToCell(QPoint at, int& col, int& row) const;
    /// Takes row `from` out and puts it back at `to`, carrying its data and
    /// height; the current row follows the row it was on. Ignored when
    /// either index is outside the rows. Raises OnRowMoved.
    void MoveRow(int from, int to);

    // --- In-place editor ---------------------------------------------------
    /// True while the editor is open over the current cell.
    bool EditorMode() const;
    /// Opens (when goEditing is set and the current cell is not fixed) or
    /// closes and stores the editor's text.
    void SetEditorMode(bool on);
    /// Why a text cannot go into cell (col, row), or nullopt when it can.
    using EditCheck = std::function<std::optional<QString>(int col, int row, const QString& text)>;
    /// Ends an open edit before a command changes the rows: the text goes into its own
    /// cell (OnSetEditText), and `check`'s refusal of it is returned for the command to
    /// stop on (the text stays in the cell, as Enter leaves it). Nothing open: nullopt.
    std::optional<QString> CommitEditor(const EditCheck& check);
    /// Closes an open editor without storing its text (the rows it was over are being replaced).
    void DropEditor() { CloseEditor(false); }
    /// The editor, for tests and for windows that style it (null while closed).
    QLineEdit* InplaceEditor() const { return m_editor; }

    // --- Skin ----------------------------------------------------------------
    TskUIStyle UIStyle() const { return m_uiStyle; }
    /// Stores; a built-in look also takes the theme's border, fixed, cell,
    /// fixed-text and text colours (Custom keeps them).
    void SetUIStyle(TskUIStyle style);
    TColor Color() const { return m_color; }
    /// Colour of the non-fixed cells; repaints.
    void SetColor(TColor color);
    TColor FixedColor() const { return m_fixedColor; }
    /// Background of the fixed cells; repaints.
    void SetFixedColor(TColor color);
    TColor BorderColor() const { return m_borderColor; }
    /// The one-pixel frame around the grid; repaints.
    void SetBorderColor(TColor color);
    TColor FocusedColor() const { return m_focusedColor; }
    /// Fill of the current cell while the grid has focus; repaints.
    void SetFocusedColor(TColor color);
    TColor SelectedColor() const { return m_selectedColor; }
    /// Fill of selected cells; repaints.
    void SetSelectedColor(TColor color);
    TColor FixedFontColor() const { return m_fixedFontColor; }
    /// Text colour of the fixed cells (string grid); repaints.
    void SetFixedFontColor(TColor color);
    TColor FontColor() const { return m_fontColor; }
    /// Text colour of the cells; repaints.
    void SetFontColor(TColor color);
    /// The skinned grids are always flat.
    bool Ctl3D() const { return false; }
    /// Accepted and ignored: the grid stays flat.
    void SetCtl3D(bool) {}
    bool DefaultDrawing() const { return m_defaultDrawing; }
    /// Whether the grid fills cells and writes their text before OnDrawCell.
    void SetDefaultDrawing(bool on);

    TskUIStyle UIStyleOf() const override { return m_uiStyle; }
    void ApplyContainerStyle(TskUIStyle style) override { SetUIStyle(style); }

signals:
    /// Every cell drawn, after the grid's own drawing, with the painter
    /// clipped to `rect` (viewport pixels).
    void OnDrawCell(QPainter& canvas, int col, int row, const QRect& rect, TGridDrawState state);
    /// The user is about to make the cell current; clearing canSelect keeps
    /// the current cell. Never raised by SetRow/SetCol.
    void OnSelectCell(int col, int row, bool& canSelect);
    /// A user click on a cell or a keyboard move of the current cell.
    void OnClick();
    /// The grid got the keyboard focus.
    void OnEnter();
    /// A row was moved (by dragging or MoveRow), data included.
    void OnRowMoved(int from, int to);
    /// The editor stored a new text into the cell.
    void OnSetEditText(int col, int row, const QString& text);

protected:
    /// Fills a non-fixed cell by its state, writes its content and raises OnDrawCell.
    virtual void DrawCell(QPainter& canvas, int col, int row, const QRect& rect, TGridDrawState state);
    /// The cell's own content (the string grid writes its text).
    virtual void DrawCellContent(QPainter&, int, int, const QRect&, TGridDrawState) {}
    /// The text the editor starts with.
    virtual QString GetEditText(int, int) const { return {}; }
    /// Stores what the editor holds when it closes.
    virtual void SetEditText(int, int, const QString&) {}
    /// The in-place editor is about to show the current cell.
    virtual void EditorShowing(QLineEdit&) {}
    /// The row data moves with MoveRow.
    virtual void RowDataMoved(int, int) {}
    /// The counts changed (new rows and columns are empty; dropped ones are gone).
    virtual void SizeChanged(int, int) {}
    /// Whether the framework's highlight look applies to a cell in this state.
    bool Highlighted(TGridDrawState state) const;
    /// The pen colour the cell's text is written with.
    QColor CellTextColor(TGridDrawState state) const;

    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Source : std::uint8_t { Code, User };
    /// Makes (col, row) current; a user move asks OnSelectCell first.
    /// Returns false when refused or out of range.
    bool MoveCurrent(int col, int row, Source source, bool keepAnchor);
    void ClampCurrent();
    void MakeVisible(int col, int row);
    void UpdateScrollBars();
    int FixedWidth() const;
    int FixedHeight() const;
    int MaxTopRow() const;
    int MaxLeftCol() const;
    int DropRowAt(int y) const;
    void ShowEditor(const QString* initialText);
    void CloseEditor(bool store);
    void PlaceEditor();
    void StyleEditor();

    std::vector<int> m_colWidths;
    std::vector<int> m_rowHeights;
    int m_fixedCols = 1;
    int m_fixedRows = 1;
    int m_defaultColWidth = 64;
    int m_defaultRowHeight = 24;
    int m_gridLineWidth = 1;
    TGridOptions m_options;
    bool m_defaultDrawing = true;
    int m_col = 1;
    int m_row = 1;
    int m_anchorCol = 1;
    int m_anchorRow = 1;
    int m_topRow = 1;
    int m_leftCol = 1;
    bool m_syncingScrollBars = false;

    // A left press in a scrolled row: a drag to another row moves it (goRowMoving)
    // or extends the selection (goRangeSelect).
    bool m_pressed = false;
    int m_pressRow = -1;
    QPoint m_pressAt;
    bool m_draggingRow = false;
    int m_dropRow = -1;

    QPointer<QLineEdit> m_editor;  // child of the viewport
    bool m_closingEditor = false;

    TskUIStyle m_uiStyle = TskUIStyle::Navy;
    TColor m_color = clWindow;
    TColor m_fixedColor = clBtnFace;
    TColor m_borderColor = clBlack;
    TColor m_focusedColor = 0x008000;
    TColor m_selectedColor = 0x00FFFF;
    TColor m_fixedFontColor = clBlack;
    TColor m_fontColor = clWindowText;
};
