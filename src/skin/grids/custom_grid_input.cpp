// The user's side of the skinned grids: pointer, keys and the in-place editor.

#include "skin/grids/custom_grid.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <algorithm>
#include <cstdlib>

// --- Mouse and keys ----------------------------------------------------------------

void TskCustomGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    CloseEditor(true);
    if (focusPolicy() != Qt::NoFocus)
        setFocus(Qt::MouseFocusReason);
    int col = -1;
    int row = -1;
    const QPoint at = event->position().toPoint();
    if (!MouseToCell(at, col, row) || col < m_fixedCols || row < m_fixedRows)
        return;
    const bool extend = (event->modifiers() & Qt::ShiftModifier) && (m_options & TGridOption::goRangeSelect);
    if (col != m_col || row != m_row)
        MoveCurrent(col, row, Source::User, extend);
    m_pressed = true;
    m_pressAt = at;
    // Only a row the press made (or found) current can be dragged.
    m_pressRow = row == m_row ? row : -1;
    m_draggingRow = false;
    m_dropRow = -1;
}

int TskCustomGrid::DropRowAt(int y) const
{
    if (y < FixedHeight())
        return m_topRow;
    int col = -1;
    int row = -1;
    if (MouseToCell(QPoint(FixedWidth(), y), col, row) && row >= m_fixedRows)
        return row;
    // Below the last row shown: the last row shown.
    int last = m_topRow;
    for (int r = m_topRow; r < RowCount(); ++r) {
        const QRect cell = CellRect(m_fixedCols, r);
        if (cell.isNull())
            break;
        last = r;
    }
    return last;
}

void TskCustomGrid::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressed || !(event->buttons() & Qt::LeftButton)) {
        QAbstractScrollArea::mouseMoveEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    if (m_options & TGridOption::goRowMoving) {
        if (m_pressRow < m_fixedRows)
            return;
        if (!m_draggingRow && std::abs(at.y() - m_pressAt.y()) < QApplication::startDragDistance())
            return;
        m_draggingRow = true;
        // Dragging past the top or bottom edge scrolls one row per move.
        if (at.y() < FixedHeight())
            SetTopRow(m_topRow - 1);
        else if (at.y() >= viewport()->height())
            SetTopRow(m_topRow + 1);
        m_dropRow = DropRowAt(at.y());
        viewport()->update();
        return;
    }
    if (m_options & TGridOption::goRangeSelect) {
        int col = -1;
        int row = -1;
        if (MouseToCell(at, col, row) && col >= m_fixedCols && row >= m_fixedRows && (col != m_col || row != m_row))
            MoveCurrent(col, row, Source::User, true);
    }
}

void TskCustomGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pressed) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    m_pressed = false;
    if (m_draggingRow) {
        m_draggingRow = false;
        const int from = m_pressRow;
        const int to = m_dropRow;
        m_dropRow = -1;
        viewport()->update();
        if (from >= m_fixedRows && to >= m_fixedRows && from != to)
            MoveRow(from, to);
        return;
    }
    emit OnClick();
}

void TskCustomGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    int col = -1;
    int row = -1;
    if (event->button() == Qt::LeftButton && MouseToCell(event->position().toPoint(), col, row) && col == m_col &&
        row == m_row) {
        ShowEditor(nullptr);
        return;
    }
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}

void TskCustomGrid::keyPressEvent(QKeyEvent* event)
{
    const bool editing = bool(m_options & TGridOption::goEditing);
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    int col = m_col;
    int row = m_row;
    const int page = std::max(1, VisibleRowCount());
    switch (event->key()) {
    case Qt::Key_Up: --row; break;
    case Qt::Key_Down: ++row; break;
    case Qt::Key_Left: --col; break;
    case Qt::Key_Right: ++col; break;
    case Qt::Key_PageUp: row -= page; break;
    case Qt::Key_PageDown: row += page; break;
    case Qt::Key_Home:
        if (ctrl)
            row = m_fixedRows;
        else
            col = m_fixedCols;
        break;
    case Qt::Key_End:
        if (ctrl)
            row = RowCount() - 1;
        else
            col = ColCount() - 1;
        break;
    case Qt::Key_F2:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (editing) {
            ShowEditor(nullptr);
            return;
        }
        QAbstractScrollArea::keyPressEvent(event);
        return;
    default: {
        const QString text = event->text();
        if (editing && !text.isEmpty() && text.at(0).isPrint() &&
            !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            ShowEditor(&text);
            return;
        }
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    }
    col = std::clamp(col, m_fixedCols, ColCount() - 1);
    row = std::clamp(row, m_fixedRows, RowCount() - 1);
    if ((col != m_col || row != m_row) && MoveCurrent(col, row, Source::User, extend))
        emit OnClick();
}

void TskCustomGrid::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    // Focus coming back from the grid's own editor is no entry.
    if (!m_closingEditor && !(m_editor && !m_editor->isHidden()))
        emit OnEnter();
    viewport()->update();
}

void TskCustomGrid::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

// --- In-place editor --------------------------------------------------------------

bool TskCustomGrid::EditorMode() const
{
    return m_editor && !m_editor->isHidden();
}

void TskCustomGrid::SetEditorMode(bool on)
{
    if (on)
        ShowEditor(nullptr);
    else
        CloseEditor(true);
}

std::optional<QString> TskCustomGrid::CommitEditor(const EditCheck& check)
{
    if (!EditorMode())
        return std::nullopt;
    const int col = m_col;
    const int row = m_row;
    const QString text = m_editor->text();
    CloseEditor(true);
    return check ? check(col, row, text) : std::nullopt;
}

void TskCustomGrid::ShowEditor(const QString* initialText)
{
    if (!(m_options & TGridOption::goEditing) || m_col < m_fixedCols || m_row < m_fixedRows)
        return;
    MakeVisible(m_col, m_row);
    if (!m_editor) {
        m_editor = new QLineEdit(viewport());
        m_editor->setFrame(false);
        m_editor->hide();
        m_editor->installEventFilter(this);
        connect(m_editor, &QLineEdit::editingFinished, this, [this] {
            if (!m_closingEditor)
                CloseEditor(true);
        });
    }
    StyleEditor();
    EditorShowing(*m_editor);
    if (initialText) {
        m_editor->setText(*initialText);
        m_editor->deselect();
        m_editor->setCursorPosition(int(initialText->size()));
    } else {
        m_editor->setText(GetEditText(m_col, m_row));
        m_editor->selectAll();
    }
    m_editor->show();
    PlaceEditor();
    m_editor->setFocus(Qt::OtherFocusReason);
}

void TskCustomGrid::CloseEditor(bool store)
{
    if (!EditorMode() || m_closingEditor)
        return;
    m_closingEditor = true;
    const QString text = m_editor->text();
    if (m_editor->hasFocus())
        setFocus(Qt::OtherFocusReason);
    m_editor->hide();
    m_closingEditor = false;
    if (store) {
        SetEditText(m_col, m_row, text);
        emit OnSetEditText(m_col, m_row, text);
    }
    viewport()->update();
}

void TskCustomGrid::PlaceEditor()
{
    if (!EditorMode())
        return;
    const QRect cell = CellRect(m_col, m_row);
    if (cell.isNull()) {
        CloseEditor(true);
        return;
    }
    m_editor->setGeometry(cell);
}

void TskCustomGrid::StyleEditor()
{
    if (!m_editor)
        return;
    QPalette pal = m_editor->palette();
    pal.setColor(QPalette::Base, ToQColor(m_color));
    pal.setColor(QPalette::Text, ToQColor(m_fontColor));
    m_editor->setPalette(pal);
    m_editor->setFont(font());
}

bool TskCustomGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_editor && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Escape:
            CloseEditor(false);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Taken here: the line edit passes Return on to the grid, which would reopen it.
            CloseEditor(true);
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            CloseEditor(true);
            keyPressEvent(key);
            return true;
        default:
            break;
        }
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}
