#include "skin/grids/string_grid.h"

#include <QPainter>

#include <algorithm>

namespace {
// The text starts this far from the cell's top left corner.
constexpr int kTextInset = 2;
}  // namespace

TskStringGrid::TskStringGrid(QWidget* parent) : TskCustomGrid(parent)
{
    SetFocusedColor(0x00FF00);
    SetSelectedColor(0x00FFFF);
    m_cells.assign(size_t(RowCount()), std::vector<QString>(size_t(ColCount())));
}

QString TskStringGrid::Cells(int col, int row) const
{
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount())
        return {};
    return m_cells[size_t(row)][size_t(col)];
}

void TskStringGrid::SetCells(int col, int row, const QString& text)
{
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount())
        return;
    m_cells[size_t(row)][size_t(col)] = text;
    viewport()->update();
}

QStringList TskStringGrid::Rows(int row) const
{
    if (row < 0 || row >= RowCount())
        return {};
    const auto& cells = m_cells[size_t(row)];
    return QStringList(cells.begin(), cells.end());
}

void TskStringGrid::SetRows(int row, const QStringList& texts)
{
    if (row < 0 || row >= RowCount())
        return;
    auto& cells = m_cells[size_t(row)];
    for (qsizetype c = 0; c < texts.size() && c < qsizetype(cells.size()); ++c)
        cells[size_t(c)] = texts[c];
    viewport()->update();
}

QStringList TskStringGrid::Cols(int col) const
{
    if (col < 0 || col >= ColCount())
        return {};
    QStringList texts;
    for (const auto& cells : m_cells)
        texts.append(cells[size_t(col)]);
    return texts;
}

void TskStringGrid::DrawCellContent(QPainter& canvas, int col, int row, const QRect& rect, TGridDrawState state)
{
    if (!DefaultDrawing())
        return;
    const bool fixed = bool(state & TGridDrawStateFlag::gdFixed);
    canvas.setPen(fixed ? ToQColor(FixedFontColor()) : CellTextColor(state));
    canvas.setBrush(Qt::NoBrush);
    const QRect text(rect.left() + kTextInset, rect.top() + kTextInset, std::max(0, rect.width() - kTextInset),
                     std::max(0, rect.height() - kTextInset));
    canvas.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, ShownCells(col, row));
}

QString TskStringGrid::ShownCells(int col, int row) const
{
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount())
        return {};
    return fontMetrics().elidedText(m_cells[size_t(row)][size_t(col)], Qt::ElideRight,
                                    std::max(0, ColWidths(col) - kTextInset));
}

void TskStringGrid::RowDataMoved(int from, int to)
{
    auto moved = std::move(m_cells[size_t(from)]);
    m_cells.erase(m_cells.begin() + from);
    m_cells.insert(m_cells.begin() + to, std::move(moved));
}

void TskStringGrid::SizeChanged(int, int)
{
    // Dropped rows and columns lose their texts: growing again shows empty cells.
    m_cells.resize(size_t(RowCount()));
    for (auto& cells : m_cells)
        cells.resize(size_t(ColCount()));
}

void TskStringGrid::SetProgramRowGridLook()
{
    SetUIStyle(TskUIStyle::Crystal);
    SetColor(15198183);
    SetFixedColor(15490654);
    SetFixedFontColor(clWhite);
    SetFocusedColor(clLime);
    SetSelectedColor(clSkyBlue);
    SetBorderColor(clBlack);
}
