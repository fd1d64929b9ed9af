#include "skin/data_aware/db_lookup_list_box.h"

#include "skin/skin_drawing.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int kBorder = 2;
}

TskDBLookupListBox::TskDBLookupListBox(QWidget* parent) : TskDBLookupControl(parent)
{
    m_borderColor = GetBorderColor(parent);
    m_scrollBar = new QScrollBar(Qt::Vertical, this);
    m_scrollBar->hide();
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) {
        if (m_syncingBar)
            return;
        m_top = value;
        update();
    });
    connect(&m_edgeTimer, &QTimer::timeout, this, &TskDBLookupListBox::EdgeScroll);
    setMouseTracking(false);
    resize(121, RowHeight() * m_rowCount + 2 * kBorder);
}

int TskDBLookupListBox::RowHeight() const
{
    return std::max(1, fontMetrics().boundingRect(QStringLiteral("0")).height());
}

void TskDBLookupListBox::SetRowCount(int rows)
{
    m_rowCount = std::clamp(rows, 1, 100);
    resize(width(), RowHeight() * m_rowCount + 2 * kBorder);
    Resync();
}

void TskDBLookupListBox::SetBorderColor(TColor color)
{
    m_borderColor = color;
    update();
}

void TskDBLookupListBox::SetColor(TColor color)
{
    m_color = color;
    update();
}

int TskDBLookupListBox::EdgeScrollInterval(int distance)
{
    // The timer never runs faster than 10 ms: a shorter one would spin.
    return std::max(10, 200 - 15 * distance);
}

int TskDBLookupListBox::RowAt(int y) const
{
    const int offset = y - kBorder;
    return offset >= 0 ? offset / RowHeight() : -1 - (-offset - 1) / RowHeight();
}

void TskDBLookupListBox::KeyValueChanged()
{
    Resync();
}

void TskDBLookupListBox::ListChanged()
{
    Resync();
}

void TskDBLookupListBox::Resync()
{
    // Keep the selected record among the shown rows.
    const TDataSet* list = ListDataSet();
    const int count = list ? list->RecordCount() : 0;
    const int index = IndexOfKey(KeyValue());
    if (index >= 0 && (index < m_top || index >= m_top + m_rowCount))
        m_top = index < m_top ? index : index - m_rowCount + 1;
    m_top = std::clamp(m_top, 0, std::max(0, count - m_rowCount));
    UpdateScrollBar();
    update();
}

void TskDBLookupListBox::UpdateScrollBar()
{
    const TDataSet* list = ListDataSet();
    const int count = list ? list->RecordCount() : 0;
    m_syncingBar = true;
    m_scrollBar->setRange(0, std::max(0, count - m_rowCount));
    m_scrollBar->setPageStep(m_rowCount);
    m_scrollBar->setValue(m_top);
    m_scrollBar->setVisible(count > m_rowCount);
    m_syncingBar = false;
    const int w = m_scrollBar->sizeHint().width();
    m_scrollBar->setGeometry(width() - kBorder - w, kBorder, w, height() - 2 * kBorder);
}

void TskDBLookupListBox::resizeEvent(QResizeEvent* event)
{
    TskDBLookupControl::resizeEvent(event);
    UpdateScrollBar();
}

void TskDBLookupListBox::SelectIndex(int index)
{
    const TDataSet* list = ListDataSet();
    const int count = list ? list->RecordCount() : 0;
    if (count == 0)
        return;
    SelectKeyValue(KeyAt(std::clamp(index, 0, count - 1)));
}

void TskDBLookupListBox::keyPressEvent(QKeyEvent* event)
{
    const TDataSet* list = ListDataSet();
    if (CanModify() && list) {
        const int count = list->RecordCount();
        int current = IndexOfKey(KeyValue());
        if (current < 0 && count > 0)
            current = m_top;  // re-sync to the shown rows first
        int target = -2;
        switch (event->key()) {
        case Qt::Key_Home: target = 0; break;
        case Qt::Key_End: target = count - 1; break;
        case Qt::Key_PageUp: target = current - (m_rowCount - 1); break;
        case Qt::Key_PageDown: target = current + (m_rowCount - 1); break;
        case Qt::Key_Up:
        case Qt::Key_Left: target = current - 1; break;
        case Qt::Key_Down:
        case Qt::Key_Right: target = current + 1; break;
        default: break;
        }
        if (target != -2) {
            ClearSearch();
            SelectIndex(target);
            event->accept();
            return;
        }
    }
    TskDBLookupControl::keyPressEvent(event);
}

void TskDBLookupListBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    m_tracking = true;
    const int row = RowAt(int(event->position().y()));
    if (CanModify() && row >= 0 && row < m_rowCount) {
        const TDataSet* list = ListDataSet();
        if (list && m_top + row < list->RecordCount()) {
            ClearSearch();
            SelectIndex(m_top + row);
        }
    }
}

void TskDBLookupListBox::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_tracking || !CanModify())
        return;
    const int y = int(event->position().y());
    int distance = 0;
    if (y < 0) {
        m_edgeDirection = -1;
        distance = -y;
    } else if (y >= height()) {
        m_edgeDirection = 1;
        distance = y - height() + 1;
    } else {
        m_edgeDirection = 0;
        m_edgeTimer.stop();
        const int row = RowAt(y);
        const TDataSet* list = ListDataSet();
        if (list && row >= 0 && row < m_rowCount && m_top + row < list->RecordCount())
            SelectIndex(m_top + row);
        return;
    }
    m_edgeTimer.setInterval(EdgeScrollInterval(distance));
    if (!m_edgeTimer.isActive())
        m_edgeTimer.start();
}

void TskDBLookupListBox::mouseReleaseEvent(QMouseEvent*)
{
    m_tracking = false;
    m_edgeTimer.stop();
}

void TskDBLookupListBox::EdgeScroll()
{
    if (m_edgeDirection == 0) {
        m_edgeTimer.stop();
        return;
    }
    const int current = IndexOfKey(KeyValue());
    SelectIndex((current < 0 ? m_top : current) + m_edgeDirection);
}

void TskDBLookupListBox::wheelEvent(QWheelEvent* event)
{
    const TDataSet* list = ListDataSet();
    const int count = list ? list->RecordCount() : 0;
    const int steps = event->angleDelta().y() / 120;
    m_top = std::clamp(m_top - steps, 0, std::max(0, count - m_rowCount));
    UpdateScrollBar();
    update();
}

void TskDBLookupListBox::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    canvas.fillRect(rect(), ToQColor(m_color));
    const TDataSet* list = ListDataSet();
    const auto& fields = ListFields();
    const int rowHeight = RowHeight();
    const int right = width() - kBorder - (m_scrollBar->isVisible() ? m_scrollBar->width() : 0);
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const QColor text = isEnabled() ? palette().color(QPalette::WindowText) : ToQColor(clGrayText);
    const QColor line = ToQColor(m_color == clBtnFace ? clBtnShadow : clBtnFace);
    const int count = list ? list->RecordCount() : 0;
    const int selected = IndexOfKey(KeyValue());
    for (int row = 0; row < m_rowCount; ++row) {
        const QRect r(kBorder, kBorder + row * rowHeight, right - kBorder, rowHeight);
        const int index = m_top + row;
        if (!list || index >= count || fields.empty())
            continue;  // rows past the last record keep the control's colour
        const bool highlighted = index == selected;
        if (highlighted)
            canvas.fillRect(r, ToQColor(clHighlight));
        canvas.setPen(highlighted ? ToQColor(clHighlightText) : text);
        int x = r.left();
        for (size_t f = 0; f < fields.size(); ++f) {
            const TField* field = fields[f];
            const bool last = f + 1 == fields.size();
            const int w = last ? r.right() + 1 - x : field->DisplayWidth() * digit + 4;
            const QRect cell(x, r.top(), w, r.height());
            const Qt::Alignment align = field->Alignment();
            const QRect inner = align & Qt::AlignRight ? cell.adjusted(0, 0, -3, 0)
                                : align & Qt::AlignHCenter ? cell
                                                           : cell.adjusted(2, 0, 0, 0);
            canvas.drawText(inner, Qt::AlignVCenter | align,
                            field->FormatValue(list->ValueAt(index, field->Index()), true));
            if (!last) {
                canvas.setPen(line);
                canvas.drawLine(x + w - 1, r.top(), x + w - 1, r.bottom());
                canvas.setPen(highlighted ? ToQColor(clHighlightText) : text);
            }
            x += w;
        }
        if (highlighted && (hasFocus() || DroppedDown())) {
            QPen pen(Qt::DotLine);
            pen.setColor(ToQColor(clHighlightText));
            canvas.setPen(pen);
            canvas.drawRect(r.adjusted(0, 0, -1, -1));
        }
    }
    DrawControlBorder(canvas, rect(), m_borderColor, m_color);
}

TskPopupDataList::TskPopupDataList(QWidget* owner) : TskDBLookupListBox(nullptr)
{
    setParent(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    SetBorderColor(clBlack);
}
