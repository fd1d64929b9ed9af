#include "skin/grids/custom_grid.h"

#include "skin/skin_drawing.h"
#include "skin/text_contrast.h"
#include "skin/themed_scroll_bar_style.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int kDefaultCount = 5;

// Lines between non-fixed cells are light grey; those of fixed cells black,
// as in a flat grid.
const QColor kCellLineColor(192, 192, 192);
const QColor kFixedLineColor(0, 0, 0);

}  // namespace

int RowAfterMove(int index, int from, int to)
{
    if (index == from)
        return to;
    if (from < to && index > from && index <= to)
        return index - 1;
    if (from > to && index >= to && index < from)
        return index + 1;
    return index;
}

TskCustomGrid::TskCustomGrid(QWidget* parent) : QAbstractScrollArea(parent)
{
    // A one-pixel frame keeps the scroll bars and cells clear of the painted border.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    m_options = TGridOption::goFixedVertLine | TGridOption::goFixedHorzLine | TGridOption::goVertLine |
                TGridOption::goHorzLine | TGridOption::goRangeSelect;
    m_colWidths.assign(kDefaultCount, m_defaultColWidth);
    m_rowHeights.assign(kDefaultCount, m_defaultRowHeight);
    resize(320, 120);
    SetUIStyle(GetSkinFormStyle(parent));
}

TskCustomGrid::~TskCustomGrid() = default;

// --- Shape ------------------------------------------------------------------

void TskCustomGrid::SetColCount(int count)
{
    count = std::max(1, count);
    if (count == ColCount())
        return;
    CloseEditor(true);
    const int oldCols = ColCount();
    if (count <= m_fixedCols)
        m_fixedCols = count - 1;
    m_colWidths.resize(size_t(count), m_defaultColWidth);
    SizeChanged(oldCols, RowCount());
    ClampCurrent();
    UpdateScrollBars();
    viewport()->update();
}

void TskCustomGrid::SetRowCount(int count)
{
    count = std::max(1, count);
    if (count == RowCount())
        return;
    CloseEditor(true);
    const int oldRows = RowCount();
    if (count <= m_fixedRows)
        m_fixedRows = count - 1;
    m_rowHeights.resize(size_t(count), m_defaultRowHeight);
    SizeChanged(ColCount(), oldRows);
    ClampCurrent();
    UpdateScrollBars();
    viewport()->update();
}

void TskCustomGrid::SetFixedCols(int count)
{
    if (count < 0 || count >= ColCount() || count == m_fixedCols)
        return;
    CloseEditor(true);
    m_fixedCols = count;
    // As a new grid: the first scrolled column is current and shown first.
    m_col = m_anchorCol = m_leftCol = count;
    ClampCurrent();
    UpdateScrollBars();
    viewport()->update();
}

void TskCustomGrid::SetFixedRows(int count)
{
    if (count < 0 || count >= RowCount() || count == m_fixedRows)
        return;
    CloseEditor(true);
    m_fixedRows = count;
    m_row = m_anchorRow = m_topRow = count;
    ClampCurrent();
    UpdateScrollBars();
    viewport()->update();
}

void TskCustomGrid::SetDefaultColWidth(int width)
{
    m_defaultColWidth = std::max(0, width);
    std::fill(m_colWidths.begin(), m_colWidths.end(), m_defaultColWidth);
    UpdateScrollBars();
    PlaceEditor();
    viewport()->update();
}

void TskCustomGrid::SetDefaultRowHeight(int height)
{
    m_defaultRowHeight = std::max(0, height);
    std::fill(m_rowHeights.begin(), m_rowHeights.end(), m_defaultRowHeight);
    UpdateScrollBars();
    PlaceEditor();
    viewport()->update();
}

int TskCustomGrid::ColWidths(int col) const
{
    return col >= 0 && col < ColCount() ? m_colWidths[size_t(col)] : 0;
}

void TskCustomGrid::SetColWidths(int col, int width)
{
    if (col < 0 || col >= ColCount())
        return;
    m_colWidths[size_t(col)] = std::max(0, width);
    UpdateScrollBars();
    PlaceEditor();
    viewport()->update();
}

int TskCustomGrid::RowHeights(int row) const
{
    return row >= 0 && row < RowCount() ? m_rowHeights[size_t(row)] : 0;
}

void TskCustomGrid::SetRowHeights(int row, int height)
{
    if (row < 0 || row >= RowCount())
        return;
    m_rowHeights[size_t(row)] = std::max(0, height);
    UpdateScrollBars();
    PlaceEditor();
    viewport()->update();
}

void TskCustomGrid::SetGridLineWidth(int width)
{
    m_gridLineWidth = std::max(0, width);
    UpdateScrollBars();
    PlaceEditor();
    viewport()->update();
}

void TskCustomGrid::SetOptions(TGridOptions options)
{
    if (!(options & TGridOption::goEditing))
        CloseEditor(true);
    m_options = options;
    viewport()->update();
}

// --- Current cell and scrolling ------------------------------------------------

void TskCustomGrid::SetCol(int col)
{
    if (col < m_fixedCols || col >= ColCount())
        return;
    MoveCurrent(col, m_row, Source::Code, false);
}

void TskCustomGrid::SetRow(int row)
{
    if (row < m_fixedRows || row >= RowCount())
        return;
    MoveCurrent(m_col, row, Source::Code, false);
}

TGridRect TskCustomGrid::Selection() const
{
    TGridRect r{std::min(m_anchorCol, m_col), std::min(m_anchorRow, m_row), std::max(m_anchorCol, m_col),
                std::max(m_anchorRow, m_row)};
    if (m_options & TGridOption::goRowSelect) {
        r.Left = m_fixedCols;
        r.Right = ColCount() - 1;
    }
    return r;
}

void TskCustomGrid::SetTopRow(int row)
{
    row = std::clamp(row, m_fixedRows, std::max(m_fixedRows, MaxTopRow()));
    if (row == m_topRow)
        return;
    CloseEditor(true);
    m_topRow = row;
    UpdateScrollBars();
    viewport()->update();
}

void TskCustomGrid::SetLeftCol(int col)
{
    col = std::clamp(col, m_fixedCols, std::max(m_fixedCols, MaxLeftCol()));
    if (col == m_leftCol)
        return;
    CloseEditor(true);
    m_leftCol = col;
    UpdateScrollBars();
    viewport()->update();
}

int TskCustomGrid::VisibleRowCount() const
{
    const int available = viewport()->height() - FixedHeight();
    int used = 0;
    int count = 0;
    for (int r = m_topRow; r < RowCount(); ++r) {
        used += m_rowHeights[size_t(r)] + m_gridLineWidth;
        if (used - m_gridLineWidth > available)
            break;
        ++count;
    }
    return count;
}

int TskCustomGrid::FixedWidth() const
{
    int w = 0;
    for (int c = 0; c < m_fixedCols; ++c)
        w += m_colWidths[size_t(c)] + m_gridLineWidth;
    return w;
}

int TskCustomGrid::FixedHeight() const
{
    int h = 0;
    for (int r = 0; r < m_fixedRows; ++r)
        h += m_rowHeights[size_t(r)] + m_gridLineWidth;
    return h;
}

int TskCustomGrid::MaxTopRow() const
{
    // The first row from which the rest of the grid fits below the fixed rows.
    const int available = viewport()->height() - FixedHeight();
    int used = 0;
    int top = RowCount() - 1;
    for (int r = RowCount() - 1; r >= m_fixedRows; --r) {
        used += m_rowHeights[size_t(r)];
        if (used > available)
            break;
        top = r;
        used += m_gridLineWidth;
    }
    return std::max(m_fixedRows, top);
}

int TskCustomGrid::MaxLeftCol() const
{
    const int available = viewport()->width() - FixedWidth();
    int used = 0;
    int left = ColCount() - 1;
    for (int c = ColCount() - 1; c >= m_fixedCols; --c) {
        used += m_colWidths[size_t(c)];
        if (used > available)
            break;
        left = c;
        used += m_gridLineWidth;
    }
    return std::max(m_fixedCols, left);
}

QRect TskCustomGrid::CellRect(int col, int row) const
{
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount())
        return {};
    if ((col >= m_fixedCols && col < m_leftCol) || (row >= m_fixedRows && row < m_topRow))
        return {};
    int x = col < m_fixedCols ? 0 : FixedWidth();
    for (int c = col < m_fixedCols ? 0 : m_leftCol; c < col; ++c)
        x += m_colWidths[size_t(c)] + m_gridLineWidth;
    int y = row < m_fixedRows ? 0 : FixedHeight();
    for (int r = row < m_fixedRows ? 0 : m_topRow; r < row; ++r)
        y += m_rowHeights[size_t(r)] + m_gridLineWidth;
    if (x >= viewport()->width() || y >= viewport()->height())
        return {};
    return QRect(x, y, m_colWidths[size_t(col)], m_rowHeights[size_t(row)]);
}

bool TskCustomGrid::MouseToCell(QPoint at, int& col, int& row) const
{
    col = -1;
    row = -1;
    if (at.x() < 0 || at.y() < 0)
        return false;
    // A cell owns the grid line to its right and below it.
    auto find = [this](int pos, int fixed, int first, int count, const std::vector<int>& sizes) {
        int edge = 0;
        auto reaches = [&](int i) {
            edge += sizes[size_t(i)] + m_gridLineWidth;
            return pos < edge;
        };
        for (int i = 0; i < fixed; ++i)
            if (reaches(i))
                return i;
        for (int i = first; i < count; ++i)
            if (reaches(i))
                return i;
        return -1;
    };
    const int c = find(at.x(), m_fixedCols, m_leftCol, ColCount(), m_colWidths);
    const int r = find(at.y(), m_fixedRows, m_topRow, RowCount(), m_rowHeights);
    if (c < 0 || r < 0)
        return false;
    col = c;
    row = r;
    return true;
}

void TskCustomGrid::MoveRow(int from, int to)
{
    if (from < 0 || from >= RowCount() || to < 0 || to >= RowCount() || from == to)
        return;
    CloseEditor(true);
    const int height = m_rowHeights[size_t(from)];
    m_rowHeights.erase(m_rowHeights.begin() + from);
    m_rowHeights.insert(m_rowHeights.begin() + to, height);
    RowDataMoved(from, to);
    m_row = RowAfterMove(m_row, from, to);
    m_anchorRow = RowAfterMove(m_anchorRow, from, to);
    ClampCurrent();
    UpdateScrollBars();
    viewport()->update();
    emit OnRowMoved(from, to);
}

bool TskCustomGrid::MoveCurrent(int col, int row, Source source, bool keepAnchor)
{
    if (col < m_fixedCols || col >= ColCount() || row < m_fixedRows || row >= RowCount())
        return false;
    if (source == Source::User) {
        bool canSelect = true;
        emit OnSelectCell(col, row, canSelect);
        if (!canSelect)
            return false;
    }
    CloseEditor(true);
    m_col = col;
    m_row = row;
    if (!keepAnchor || !(m_options & TGridOption::goRangeSelect)) {
        m_anchorCol = col;
        m_anchorRow = row;
    }
    MakeVisible(col, row);
    viewport()->update();
    return true;
}

void TskCustomGrid::ClampCurrent()
{
    const int lastCol = ColCount() - 1;
    const int lastRow = RowCount() - 1;
    m_col = std::clamp(m_col, m_fixedCols, lastCol);
    m_row = std::clamp(m_row, m_fixedRows, lastRow);
    m_anchorCol = std::clamp(m_anchorCol, m_fixedCols, lastCol);
    m_anchorRow = std::clamp(m_anchorRow, m_fixedRows, lastRow);
    m_topRow = std::clamp(m_topRow, m_fixedRows, std::max(m_fixedRows, MaxTopRow()));
    m_leftCol = std::clamp(m_leftCol, m_fixedCols, std::max(m_fixedCols, MaxLeftCol()));
}

void TskCustomGrid::MakeVisible(int col, int row)
{
    if (row < m_topRow) {
        m_topRow = row;
    } else {
        // Lowest top row that still shows `row` whole (or at the top when it is too tall).
        const int available = viewport()->height() - FixedHeight();
        int used = m_rowHeights[size_t(row)];
        int top = row;
        while (top > m_topRow && used + m_gridLineWidth + m_rowHeights[size_t(top - 1)] <= available) {
            --top;
            used += m_gridLineWidth + m_rowHeights[size_t(top)];
        }
        m_topRow = std::max(m_topRow, top);
    }
    if (col < m_leftCol) {
        m_leftCol = col;
    } else {
        const int available = viewport()->width() - FixedWidth();
        int used = m_colWidths[size_t(col)];
        int left = col;
        while (left > m_leftCol && used + m_gridLineWidth + m_colWidths[size_t(left - 1)] <= available) {
            --left;
            used += m_gridLineWidth + m_colWidths[size_t(left)];
        }
        m_leftCol = std::max(m_leftCol, left);
    }
    m_topRow = std::clamp(m_topRow, m_fixedRows, RowCount() - 1);
    m_leftCol = std::clamp(m_leftCol, m_fixedCols, ColCount() - 1);
    UpdateScrollBars();
}

void TskCustomGrid::UpdateScrollBars()
{
    m_syncingScrollBars = true;
    const int maxTop = std::max(m_topRow, MaxTopRow());
    verticalScrollBar()->setRange(0, maxTop - m_fixedRows);
    verticalScrollBar()->setPageStep(std::max(1, VisibleRowCount()));
    verticalScrollBar()->setValue(m_topRow - m_fixedRows);
    const int maxLeft = std::max(m_leftCol, MaxLeftCol());
    horizontalScrollBar()->setRange(0, maxLeft - m_fixedCols);
    horizontalScrollBar()->setPageStep(1);
    horizontalScrollBar()->setValue(m_leftCol - m_fixedCols);
    m_syncingScrollBars = false;
}

void TskCustomGrid::scrollContentsBy(int, int)
{
    if (m_syncingScrollBars)
        return;
    CloseEditor(true);
    m_topRow = std::clamp(m_fixedRows + verticalScrollBar()->value(), m_fixedRows, RowCount() - 1);
    m_leftCol = std::clamp(m_fixedCols + horizontalScrollBar()->value(), m_fixedCols, ColCount() - 1);
    viewport()->update();
}

void TskCustomGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    ClampCurrent();
    UpdateScrollBars();
    PlaceEditor();
}

// --- Skin -----------------------------------------------------------------------

void TskCustomGrid::SetUIStyle(TskUIStyle style)
{
    m_uiStyle = style;
    if (style != TskUIStyle::Custom) {
        m_borderColor = GetThemeColor(style, 8);
        m_fixedColor = GetThemeColor(style, 12);
        m_color = GetThemeColor(style, 9);
        m_fixedFontColor = GetThemeColor(style, 13);
        m_fontColor = GetThemeColor(style, 16);
    }
    ApplyScrollBarLook(*this, style);
    StyleEditor();
    update();
    viewport()->update();
}

void TskCustomGrid::SetColor(TColor color)
{
    m_color = color;
    StyleEditor();
    update();
    viewport()->update();
}

void TskCustomGrid::SetFixedColor(TColor color)
{
    m_fixedColor = color;
    viewport()->update();
}

void TskCustomGrid::SetBorderColor(TColor color)
{
    m_borderColor = color;
    update();
}

void TskCustomGrid::SetFocusedColor(TColor color)
{
    m_focusedColor = color;
    viewport()->update();
}

void TskCustomGrid::SetSelectedColor(TColor color)
{
    m_selectedColor = color;
    viewport()->update();
}

void TskCustomGrid::SetFixedFontColor(TColor color)
{
    m_fixedFontColor = color;
    viewport()->update();
}

void TskCustomGrid::SetFontColor(TColor color)
{
    m_fontColor = color;
    StyleEditor();
    viewport()->update();
}

void TskCustomGrid::SetDefaultDrawing(bool on)
{
    m_defaultDrawing = on;
    viewport()->update();
}

// --- Painting -------------------------------------------------------------------

bool TskCustomGrid::Highlighted(TGridDrawState state) const
{
    // The framework's selection look: selected cells other than the focused
    // one (unless the options draw that one selected too).
    return (state & TGridDrawStateFlag::gdSelected) && !(state & TGridDrawStateFlag::gdFixed) &&
           (!(state & TGridDrawStateFlag::gdFocused) ||
            (m_options & (TGridOption::goDrawFocusSelected | TGridOption::goRowSelect)));
}

QColor TskCustomGrid::CellTextColor(TGridDrawState state) const
{
    if (!Highlighted(state))
        return ToQColor(m_fontColor);
    // Highlight text is light; on a light selection fill (yellow, sky blue)
    // it could not be read. Lightness by luminance: pure yellow is as light
    // as white to the eye, though half-light by hue and saturation.
    TColor fill = (state & TGridDrawStateFlag::gdSelected) ? m_selectedColor : m_color;
    if (state & TGridDrawStateFlag::gdFocused)
        fill = m_focusedColor;
    const QColor fillColour = ToQColor(fill);
    const QColor highlight = ToQColor(clHighlightText);
    if (!fillColour.isValid())
        return highlight;
    return ReadableOn(highlight, LuminanceRange::Of(fillColour));
}

void TskCustomGrid::DrawCell(QPainter& canvas, int col, int row, const QRect& rect, TGridDrawState state)
{
    if (!(state & TGridDrawStateFlag::gdFixed)) {
        TColor fill = m_color;
        if (state & TGridDrawStateFlag::gdSelected)
            fill = m_selectedColor;
        if (state & TGridDrawStateFlag::gdFocused)
            fill = m_focusedColor;
        canvas.fillRect(rect, ToQColor(fill));
    }
    DrawCellContent(canvas, col, row, rect, state);
    emit OnDrawCell(canvas, col, row, rect, state);
}

void TskCustomGrid::paintEvent(QPaintEvent*)
{
    QPainter canvas(viewport());
    const QRect area = viewport()->rect();
    canvas.fillRect(area, ToQColor(m_color));
    canvas.setFont(font());

    std::vector<int> cols;
    for (int c = 0; c < m_fixedCols; ++c)
        cols.push_back(c);
    for (int c = m_leftCol; c < ColCount(); ++c)
        cols.push_back(c);
    std::vector<int> rows;
    for (int r = 0; r < m_fixedRows; ++r)
        rows.push_back(r);
    for (int r = m_topRow; r < RowCount(); ++r)
        rows.push_back(r);

    const TGridRect selection = Selection();
    const bool focused = hasFocus();
    int y = 0;
    for (int row : rows) {
        if (y >= area.height())
            break;
        const int h = m_rowHeights[size_t(row)];
        int x = 0;
        for (int col : cols) {
            if (x >= area.width())
                break;
            const int w = m_colWidths[size_t(col)];
            const QRect cell(x, y, w, h);
            const bool fixed = col < m_fixedCols || row < m_fixedRows;
            TGridDrawState state;
            if (fixed) {
                state |= TGridDrawStateFlag::gdFixed;
            } else {
                if (focused && col == m_col && row == m_row)
                    state |= TGridDrawStateFlag::gdFocused;
                if (selection.Contains(col, row))
                    state |= TGridDrawStateFlag::gdSelected;
            }
            if (w > 0 && h > 0) {
                canvas.save();
                canvas.setClipRect(cell);
                canvas.setPen(CellTextColor(state));
                canvas.setBrush(Qt::NoBrush);
                if (m_defaultDrawing)
                    canvas.fillRect(cell, ToQColor(fixed ? m_fixedColor : Highlighted(state) ? clHighlight : m_color));
                DrawCell(canvas, col, row, cell, state);
                if (m_defaultDrawing && (state & TGridDrawStateFlag::gdFocused) &&
                    !(m_options & TGridOption::goRowSelect)) {
                    QPen dotted(QColor(0, 0, 0), 0, Qt::DotLine);
                    canvas.setPen(dotted);
                    canvas.setBrush(Qt::NoBrush);
                    canvas.drawRect(cell.adjusted(0, 0, -1, -1));
                }
                canvas.restore();
            }
            if (m_gridLineWidth > 0) {
                const bool vertical = fixed ? bool(m_options & TGridOption::goFixedVertLine)
                                            : bool(m_options & TGridOption::goVertLine);
                const bool horizontal = fixed ? bool(m_options & TGridOption::goFixedHorzLine)
                                              : bool(m_options & TGridOption::goHorzLine);
                const QColor line = fixed ? kFixedLineColor : kCellLineColor;
                if (vertical)
                    canvas.fillRect(QRect(x + w, y, m_gridLineWidth, h + m_gridLineWidth), line);
                if (horizontal)
                    canvas.fillRect(QRect(x, y + h, w + m_gridLineWidth, m_gridLineWidth), line);
            }
            x += w + m_gridLineWidth;
        }
        y += h + m_gridLineWidth;
    }

    if (m_draggingRow && m_dropRow >= 0) {
        const QRect target = CellRect(m_fixedCols, m_dropRow);
        if (!target.isNull()) {
            const int lineY = m_dropRow > m_pressRow ? target.bottom() : target.top();
            canvas.fillRect(QRect(0, lineY - 1, area.width(), 2), ToQColor(m_borderColor));
        }
    }
    // The inner ring of the control border lies on the cells' outermost pixels.
    canvas.setPen(QPen(ToQColor(m_color), 0));
    canvas.setBrush(Qt::NoBrush);
    canvas.drawRect(area.adjusted(0, 0, -1, -1));
}

bool TskCustomGrid::event(QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        // The area's own surface: the border and the corner between the scroll bars.
        QPainter canvas(this);
        canvas.fillRect(rect(), ToQColor(m_color));
        DrawControlBorder(canvas, rect(), m_borderColor, m_color);
        return true;
    }
    return QAbstractScrollArea::event(event);
}
