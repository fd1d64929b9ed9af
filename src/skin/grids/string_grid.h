#pragma once
// The skinned string grid: a grid whose cells hold text. Moving a row moves
// its texts; fixed cells are written in FixedFontColor. A text wider than its
// cell is cut with "..." (never cut plainly, so "4321" cannot read as "432").

#include "skin/grids/custom_grid.h"

#include <QString>
#include <QStringList>

#include <vector>

class TskStringGrid : public TskCustomGrid {
    Q_OBJECT
public:
    /// GUI thread. An empty 5 x 5 grid; the current cell is lime while focused.
    explicit TskStringGrid(QWidget* parent = nullptr);

    /// The text of a cell; empty outside the grid.
    QString Cells(int col, int row) const;
    /// Stores the text of a cell and repaints; ignored outside the grid
    /// (grow RowCount/ColCount first).
    void SetCells(int col, int row, const QString& text);
    /// The text of a cell as painted: whole, or cut with "..." to the cell's width.
    QString ShownCells(int col, int row) const;
    /// The texts of one row, column 0 first; empty outside the grid.
    QStringList Rows(int row) const;
    /// Writes the texts into the row from column 0 on (texts past the last
    /// column are dropped, columns past the texts are left alone).
    void SetRows(int row, const QStringList& texts);
    /// The texts of one column, row 0 first; empty outside the grid.
    QStringList Cols(int col) const;

    /// The look the program's row grids (section rows, sequence tracks) are given:
    /// Crystal, light panel, white headings, lime current cell, sky-blue selection.
    void SetProgramRowGridLook();

protected:
    void DrawCellContent(QPainter& canvas, int col, int row, const QRect& rect, TGridDrawState state) override;
    QString GetEditText(int col, int row) const override { return Cells(col, row); }
    void SetEditText(int col, int row, const QString& text) override { SetCells(col, row, text); }
    void RowDataMoved(int from, int to) override;
    void SizeChanged(int oldCols, int oldRows) override;

private:
    std::vector<std::vector<QString>> m_cells;  // [row][col], always RowCount x ColCount
};
